// Number text in the runtime's flavour: Format, FloatToStr/FloatToStrF, FormatFloat pictures,
// the string-to-number conversions and the rounding rules.
//
// Every float text goes through one decimal conversion (FloatToDecimal): the double is first
// written with 18 significant digits (correctly rounded from its exact binary value), and that
// digit string is then rounded half away from zero at the requested position. This is the
// double rounding the runtime does, so "%.2f" of 1.125 is "1.13" while 2.675, which is
// 2.67499999999999982... in binary, gives "2.67".
#include "platform/rtl/Format.h"
#include "platform/rtl/ConvertErrors.h"

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

constexpr int kMaxDigits = 18;          // significant digits of the decimal conversion
constexpr int kMaxCurrencyDigits = 19;  // the most a Currency has
constexpr int kNoDecimalLimit = 9999;   // "round at significant digits only"
constexpr int kMaxFieldSize = 32767;    // width and precision beyond this are a bad format

// value = 0.Digits x 10^Exponent; Digits has no trailing zeros and is empty for zero.
struct TFloatRec {
    int Exponent = 0;
    bool Negative = false;
    std::string Digits;
};

// Rounds the exact digits of a value (Digits x 10^(Exponent - size), no leading zero) to
// `precision` significant digits and at most `decimals` digits after the decimal point,
// halves away from zero, dropping trailing zeros.
TFloatRec RoundDecimal(std::string digits, int exponent, bool negative, int precision, int decimals) {
    TFloatRec rec;
    if (precision < 1)
        precision = 1;
    long keep = static_cast<long>(exponent) + decimals;
    if (keep > precision)
        keep = precision;
    if (keep < 0)
        return rec;
    if (keep < static_cast<long>(digits.size())) {
        bool up = digits[static_cast<size_t>(keep)] >= '5';
        digits.resize(static_cast<size_t>(keep));
        if (up) {
            int i = static_cast<int>(digits.size()) - 1;
            while (i >= 0 && digits[static_cast<size_t>(i)] == '9') {
                digits[static_cast<size_t>(i)] = '0';
                --i;
            }
            if (i >= 0) {
                ++digits[static_cast<size_t>(i)];
            } else {
                digits.insert(digits.begin(), '1');
                digits.pop_back();
                ++exponent;
                if (digits.empty())
                    digits = "1";
            }
        }
    }
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    if (digits.empty())
        return rec;
    rec.Digits = std::move(digits);
    rec.Exponent = exponent;
    rec.Negative = negative;
    return rec;
}

// Digits of |v| rounded to `precision` significant digits and at most `decimals` digits after
// the decimal point, halves away from zero on the 18-digit expansion.
TFloatRec FloatToDecimal(double v, int precision, int decimals) {
    if (v == 0 || !std::isfinite(v))
        return {};
    if (precision > kMaxDigits)
        precision = kMaxDigits;
    // to_chars is exact and, unlike printf, ignores the C locale (Qt sets it from the
    // environment): "d.ddddddddddddddddde[+-]xx".
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf - 1, std::fabs(v), std::chars_format::scientific,
                             kMaxDigits - 1);
    *res.ptr = '\0';
    std::string digits;
    digits.reserve(kMaxDigits);
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits.push_back(*p);
    int exp10 = (*p == 'e') ? std::atoi(p + 1) : 0;
    return RoundDecimal(std::move(digits), exp10 + 1, v < 0, precision, decimals);
}

// The same for a Currency value (ten-thousandths), from its exact digits: nothing is lost
// before the rounding, so "%.2f" of 1.005 is "1.01".
TFloatRec CurrencyToDecimal(int64_t scaled, int precision, int decimals) {
    if (scaled == 0)
        return {};
    const uint64_t mag = scaled < 0 ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
    std::string digits = std::to_string(mag);
    const int exponent = static_cast<int>(digits.size()) - 4;
    return RoundDecimal(std::move(digits), exponent, scaled < 0, std::min(precision, kMaxCurrencyDigits), decimals);
}

// A value to write: a double or a Currency.
struct TNumber {
    bool IsCurrency = false;
    double Float = 0;
    int64_t Scaled = 0;
    TFloatRec Decimal(int precision, int decimals) const {
        return IsCurrency ? CurrencyToDecimal(Scaled, precision, decimals) : FloatToDecimal(Float, precision, decimals);
    }
};

char DigitAt(const TFloatRec& rec, long index) {
    if (index < 0 || index >= static_cast<long>(rec.Digits.size()))
        return '0';
    return rec.Digits[static_cast<size_t>(index)];
}

std::string ExponentText(int exponent, bool plusSign, int minDigits) {
    std::string s;
    if (exponent < 0)
        s.push_back('-');
    else if (plusSign)
        s.push_back('+');
    std::string d = std::to_string(exponent < 0 ? -exponent : exponent);
    if (minDigits > 4)
        minDigits = 4;
    if (static_cast<int>(d.size()) < minDigits)
        d.insert(0, static_cast<size_t>(minDigits) - d.size(), '0');
    return s + d;
}

// Integer digits of rec (at least "0"), grouped by the thousands separator when asked.
std::string IntegerPart(const TFloatRec& rec, bool thousands) {
    std::string s;
    if (rec.Exponent <= 0 || rec.Digits.empty())
        s = "0";
    else
        for (long i = 0; i < rec.Exponent; ++i)
            s.push_back(DigitAt(rec, i));
    if (!thousands || s.size() <= 3)
        return s;
    std::string out;
    size_t lead = s.size() % 3;
    for (size_t i = 0; i < s.size(); ++i) {
        if (i > 0 && i >= lead && (i - lead) % 3 == 0)
            out.push_back(FormatSettings.ThousandSeparator);
        out.push_back(s[i]);
    }
    return out;
}

std::string FractionPart(const TFloatRec& rec, int decimals) {
    std::string s;
    if (decimals <= 0)
        return s;
    s.push_back(FormatSettings.DecimalSeparator);
    for (int i = 0; i < decimals; ++i)
        s.push_back(DigitAt(rec, static_cast<long>(rec.Exponent) + i));
    return s;
}

std::string ApplyCurrency(const std::string& number, bool negative) {
    const std::string& c = FormatSettings.CurrencyString;
    if (!negative) {
        switch (FormatSettings.CurrencyFormat) {
        case 1: return number + c;
        case 2: return c + " " + number;
        case 3: return number + " " + c;
        default: return c + number;
        }
    }
    switch (FormatSettings.NegCurrFormat) {
    case 0: return "(" + c + number + ")";
    case 1: return "-" + c + number;
    case 3: return c + number + "-";
    case 4: return "(" + number + c + ")";
    case 5: return "-" + number + c;
    case 6: return number + "-" + c;
    case 7: return number + c + "-";
    case 8: return "-" + number + " " + c;
    case 9: return "-" + c + " " + number;
    case 10: return number + " " + c + "-";
    case 11: return c + " " + number + "-";
    case 12: return c + " -" + number;
    case 13: return number + "- " + c;
    case 14: return "(" + c + " " + number + ")";
    case 15: return "(" + number + " " + c + ")";
    default: return c + "-" + number;   // 2
    }
}

std::string SpecialText(double v) {
    if (std::isnan(v))
        return "NAN";
    return v < 0 ? "-INF" : "INF";
}

std::string NumberToText(const TNumber& value, TFloatFormat format, int precision, int digits) {
    if (!value.IsCurrency && !std::isfinite(value.Float))
        return SpecialText(value.Float);
    const int maxDigits = value.IsCurrency ? kMaxCurrencyDigits : kMaxDigits;
    if (precision > maxDigits)
        precision = maxDigits;
    if (precision < 1)
        precision = 1;
    if (digits < 0)
        digits = 0;
    switch (format) {
    case ffGeneral: {
        TFloatRec rec = value.Decimal(precision, kNoDecimalLimit);
        if (rec.Digits.empty())
            return "0";
        std::string s = rec.Negative ? "-" : "";
        if (rec.Exponent > precision || rec.Exponent < -3) {
            s.push_back(rec.Digits[0]);
            if (rec.Digits.size() > 1) {
                s.push_back(FormatSettings.DecimalSeparator);
                s.append(rec.Digits, 1, std::string::npos);
            }
            return s + "E" + ExponentText(rec.Exponent - 1, false, digits);
        }
        s += IntegerPart(rec, false);
        int fraction = std::max(static_cast<int>(rec.Digits.size()) - rec.Exponent, 0);
        return s + FractionPart(rec, fraction);
    }
    case ffExponent: {
        TFloatRec rec = value.Decimal(precision, kNoDecimalLimit);
        std::string s = rec.Negative ? "-" : "";
        s.push_back(DigitAt(rec, 0));
        if (precision > 1) {
            s.push_back(FormatSettings.DecimalSeparator);
            for (int i = 1; i < precision; ++i)
                s.push_back(DigitAt(rec, i));
        }
        int exponent = rec.Digits.empty() ? 0 : rec.Exponent - 1;
        return s + "E" + ExponentText(exponent, true, digits);
    }
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
        if (digits > kMaxDigits)
            digits = kMaxDigits;
        TFloatRec rec = value.Decimal(precision, digits);
        if (rec.Exponent > precision)
            return NumberToText(value, ffGeneral, precision, 0);
        std::string number = IntegerPart(rec, format != ffFixed) + FractionPart(rec, digits);
        if (format == ffCurrency)
            return ApplyCurrency(number, rec.Negative);
        return rec.Negative ? "-" + number : number;
    }
    }
    return {};
}

std::string FloatToText(double value, TFloatFormat format, int precision, int digits) {
    return NumberToText(TNumber{false, value, 0}, format, precision, digits);
}

// --- Format ------------------------------------------------------------------

[[noreturn]] void FormatError(std::string_view fmt) {
    throw EConvertError("Format '" + std::string(fmt) + "' invalid or incompatible with argument");
}

[[noreturn]] void ArgumentMissing(std::string_view fmt) {
    throw EConvertError("No argument for format '" + std::string(fmt) + "'");
}

size_t Utf8Length(std::string_view s) {
    size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80)
            ++n;
    return n;
}

// First `count` code points of s.
std::string_view Utf8Prefix(std::string_view s, size_t count) {
    size_t n = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            if (n == count)
                return s.substr(0, i);
            ++n;
        }
    }
    return s;
}

std::string UnsignedText(uint64_t v, int base) {
    if (v == 0)
        return "0";
    std::string s;
    while (v) {
        int d = static_cast<int>(v % static_cast<uint64_t>(base));
        s.insert(s.begin(), static_cast<char>(d < 10 ? '0' + d : 'A' + d - 10));
        v /= static_cast<uint64_t>(base);
    }
    return s;
}

// %u and %x show a negative integer as its two's complement: 32 bits when it fits an Integer.
uint64_t AsUnsigned(int64_t v) {
    if (v < 0 && v >= INT32_MIN)
        return static_cast<uint32_t>(static_cast<int32_t>(v));
    return static_cast<uint64_t>(v);
}

std::string ZeroPad(std::string digits, int precision) {
    if (precision > static_cast<int>(digits.size()))
        digits.insert(0, static_cast<size_t>(precision) - digits.size(), '0');
    return digits;
}

class FormatParser {
public:
    FormatParser(std::string_view fmt, const std::vector<FormatArg>& args) : FFmt(fmt), FArgs(args) {}

    // Format -> { text | '%%' | '%' [index ':'] ['-'] [width] ['.' precision] type }
    std::string Run() {
        std::string out;
        out.reserve(FFmt.size() + 16);
        while (FPos < FFmt.size()) {
            char c = FFmt[FPos++];
            if (c != '%') {
                out.push_back(c);
                continue;
            }
            if (FPos < FFmt.size() && FFmt[FPos] == '%') {
                out.push_back('%');
                ++FPos;
                continue;
            }
            out += Directive();
        }
        return out;
    }

private:
    std::string_view FFmt;
    const std::vector<FormatArg>& FArgs;
    size_t FPos = 0;
    size_t FArgIndex = 0;

    const FormatArg& NextArg() {
        if (FArgIndex >= FArgs.size())
            ArgumentMissing(FFmt);
        return FArgs[FArgIndex++];
    }

    // A number or "*"; returns false when neither stands at the position.
    bool Number(int& value) {
        if (FPos < FFmt.size() && FFmt[FPos] == '*') {
            ++FPos;
            const FormatArg& a = NextArg();
            if (a.kind() != FormatArg::Kind::Int)
                FormatError(FFmt);
            int64_t v = a.AsInt();
            if (v > kMaxFieldSize || v < -kMaxFieldSize)
                FormatError(FFmt);
            value = static_cast<int>(v);
            return true;
        }
        if (FPos >= FFmt.size() || FFmt[FPos] < '0' || FFmt[FPos] > '9')
            return false;
        long v = 0;
        while (FPos < FFmt.size() && FFmt[FPos] >= '0' && FFmt[FPos] <= '9') {
            v = v * 10 + (FFmt[FPos++] - '0');
            if (v > kMaxFieldSize)
                FormatError(FFmt);
        }
        value = static_cast<int>(v);
        return true;
    }

    std::string Directive() {
        int width = 0, precision = -1, n = 0;
        bool left = false, haveWidth = false;
        if (Number(n)) {
            if (FPos < FFmt.size() && FFmt[FPos] == ':') {
                ++FPos;
                if (n < 0)
                    FormatError(FFmt);
                FArgIndex = static_cast<size_t>(n);
            } else {
                width = n;
                haveWidth = true;
            }
        }
        if (!haveWidth) {
            if (FPos < FFmt.size() && FFmt[FPos] == '-') {
                left = true;
                ++FPos;
            }
            if (Number(n))
                width = n;
        }
        if (width < 0) {   // "*" with a negative value left-justifies
            left = true;
            width = -width;
        }
        if (FPos < FFmt.size() && FFmt[FPos] == '.') {
            ++FPos;
            if (!Number(precision))
                precision = 0;
            if (precision < 0)
                precision = -1;
        }
        if (FPos >= FFmt.size())
            FormatError(FFmt);
        char type = FFmt[FPos++];
        if (type >= 'A' && type <= 'Z')
            type = static_cast<char>(type - 'A' + 'a');
        std::string text = Convert(type, precision);
        size_t len = Utf8Length(text);
        if (width > 0 && len < static_cast<size_t>(width)) {
            std::string pad(static_cast<size_t>(width) - len, ' ');
            text = left ? text + pad : pad + text;
        }
        return text;
    }

    std::string Convert(char type, int precision) {
        switch (type) {
        case 'd':
        case 'u':
        case 'x': {
            const FormatArg& a = NextArg();
            if (a.kind() != FormatArg::Kind::Int)
                FormatError(FFmt);
            int64_t v = a.AsInt();
            if (type == 'd') {
                uint64_t mag = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
                std::string digits = ZeroPad(UnsignedText(mag, 10), precision);
                return v < 0 ? "-" + digits : digits;
            }
            return ZeroPad(UnsignedText(AsUnsigned(v), type == 'u' ? 10 : 16), precision);
        }
        case 'e':
        case 'f':
        case 'g':
        case 'n':
        case 'm': {
            const FormatArg& a = NextArg();
            TNumber v;
            if (a.kind() == FormatArg::Kind::Float)
                v.Float = a.AsFloat();
            else if (a.kind() == FormatArg::Kind::Currency)
                v = TNumber{true, 0, a.AsInt()};
            else
                FormatError(FFmt);
            const int fixedPrecision = v.IsCurrency ? kMaxCurrencyDigits : kMaxDigits;
            switch (type) {
            case 'e': return NumberToText(v, ffExponent, precision < 0 ? 15 : precision, 3);
            case 'g': return NumberToText(v, ffGeneral, precision < 0 ? 15 : precision, 3);
            case 'f': return NumberToText(v, ffFixed, fixedPrecision, precision < 0 ? 2 : precision);
            case 'n': return NumberToText(v, ffNumber, fixedPrecision, precision < 0 ? 2 : precision);
            default:
                return NumberToText(v, ffCurrency, fixedPrecision,
                                   precision < 0 ? FormatSettings.CurrencyDecimals : precision);
            }
        }
        case 's': {
            const FormatArg& a = NextArg();
            if (a.kind() != FormatArg::Kind::String)
                FormatError(FFmt);
            if (precision >= 0)
                return std::string(Utf8Prefix(a.AsString(), static_cast<size_t>(precision)));
            return a.AsString();
        }
        case 'p': {
            const FormatArg& a = NextArg();
            if (a.kind() != FormatArg::Kind::Pointer)
                FormatError(FFmt);
            return ZeroPad(UnsignedText(static_cast<uint64_t>(a.AsInt()), 16),
                           static_cast<int>(sizeof(void*) * 2));
        }
        default:
            FormatError(FFmt);
        }
    }
};

// --- FormatFloat pictures ----------------------------------------------------

// Splits a picture into its sections at ";" outside quoted literals.
std::vector<std::string_view> PictureSections(std::string_view picture) {
    std::vector<std::string_view> sections;
    size_t start = 0;
    char quote = 0;
    for (size_t i = 0; i < picture.size(); ++i) {
        char c = picture[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';' && sections.size() < 2) {
            sections.push_back(picture.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(picture.substr(start));
    return sections;
}

bool IsExponentAt(std::string_view s, size_t i) {
    return (s[i] == 'E' || s[i] == 'e') && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-');
}

// What a section asks for, gathered in one pass over it.
struct PictureLayout {
    int IntPlaces = 0;      // digit placeholders before the decimal point
    int FracPlaces = 0;     // after it
    int MinInt = 0;         // integer digits always shown (from the first '0')
    int MinFrac = 0;        // decimals always shown (up to the last '0')
    bool Thousands = false;
    bool Scientific = false;
};

PictureLayout ScanSection(std::string_view s) {
    PictureLayout l;
    int count = 0, firstZero = -1, lastZero = 0, decimalIndex = -1;
    char quote = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (quote) {
            if (c == quote)
                quote = 0;
            continue;
        }
        switch (c) {
        case '\'':
        case '"':
            quote = c;
            break;
        case '#':
            ++count;
            break;
        case '0':
            if (firstZero < 0)
                firstZero = count;
            ++count;
            lastZero = count;
            break;
        case '.':
            if (decimalIndex < 0)
                decimalIndex = count;
            break;
        case ',':
            l.Thousands = true;
            break;
        case 'E':
        case 'e':
            if (IsExponentAt(s, i) && !l.Scientific) {
                l.Scientific = true;
                i += 1;
                while (i + 1 < s.size() && s[i + 1] == '0')
                    ++i;   // exponent digits are not digit placeholders
            }
            break;
        default:
            break;
        }
    }
    if (decimalIndex < 0)
        decimalIndex = count;
    l.IntPlaces = decimalIndex;
    l.FracPlaces = count - decimalIndex;
    l.MinInt = (firstZero >= 0 && firstZero < decimalIndex) ? decimalIndex - firstZero : 0;
    l.MinFrac = lastZero > decimalIndex ? lastZero - decimalIndex : 0;
    return l;
}

// Writes |value| through one section; returns false when the value needs general format.
bool FormatSection(std::string_view s, double value, std::string& out, bool& roundedToZero) {
    PictureLayout l = ScanSection(s);
    TFloatRec rec;
    int shownExponent = 0;
    long intExponent;   // exponent of the digits as they are placed
    if (l.Scientific) {
        int precision = std::min(std::max(l.IntPlaces + l.FracPlaces, 1), kMaxDigits);
        rec = FloatToDecimal(value, precision, kNoDecimalLimit);
        shownExponent = rec.Digits.empty() ? 0 : rec.Exponent - l.IntPlaces;
        intExponent = l.IntPlaces;
    } else {
        rec = FloatToDecimal(value, kMaxDigits, l.FracPlaces);
        if (rec.Exponent > kMaxDigits)
            return false;
        intExponent = rec.Exponent;
    }
    roundedToZero = rec.Digits.empty();

    std::string intDigits;
    if (!rec.Digits.empty())
        for (long i = 0; i < intExponent; ++i)
            intDigits.push_back(DigitAt(rec, i));
    if (static_cast<int>(intDigits.size()) < l.MinInt)
        intDigits.insert(0, static_cast<size_t>(l.MinInt) - intDigits.size(), '0');
    int fracLen = 0;
    for (int j = 0; j < l.FracPlaces; ++j)
        if (DigitAt(rec, intExponent + j) != '0' && !rec.Digits.empty())
            fracLen = j + 1;
    fracLen = std::max(fracLen, l.MinFrac);

    const int intLen = static_cast<int>(intDigits.size());
    auto emitInt = [&](int index) {   // index into intDigits
        out.push_back(intDigits[static_cast<size_t>(index)]);
        int place = intLen - index;
        if (l.Thousands && place > 1 && (place - 1) % 3 == 0)
            out.push_back(FormatSettings.ThousandSeparator);
    };
    bool intEmitted = false;
    auto emitLeadingInt = [&](int uptoPlace) {   // every digit left of place `uptoPlace`
        if (intEmitted)
            return;
        intEmitted = true;
        for (int i = 0; i < intLen - uptoPlace; ++i)
            emitInt(i);
    };
    int intSeen = 0, fracSeen = 0;
    bool pastPoint = false;
    char quote = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (quote) {
            if (c == quote)
                quote = 0;
            else
                out.push_back(c);
            continue;
        }
        switch (c) {
        case '\'':
        case '"':
            quote = c;
            break;
        case '0':
        case '#':
            if (!pastPoint) {
                int place = l.IntPlaces - intSeen++;
                emitLeadingInt(place);
                if (place <= intLen)
                    emitInt(intLen - place);
            } else {
                if (fracSeen < fracLen)
                    out.push_back(DigitAt(rec, intExponent + fracSeen));
                ++fracSeen;
            }
            break;
        case '.':
            if (!pastPoint) {
                emitLeadingInt(0);
                pastPoint = true;
                if (fracLen > 0)
                    out.push_back(FormatSettings.DecimalSeparator);
            }
            break;
        case ',':
            break;
        case 'E':
        case 'e':
            if (IsExponentAt(s, i)) {
                emitLeadingInt(0);
                bool plus = s[i + 1] == '+';
                i += 1;
                int minDigits = 0;
                while (i + 1 < s.size() && s[i + 1] == '0') {
                    ++minDigits;
                    ++i;
                }
                out.push_back(c);
                out += ExponentText(shownExponent, plus, minDigits);
            } else {
                out.push_back(c);
            }
            break;
        default:
            out.push_back(c);
            break;
        }
    }
    return true;
}

// Text of an integer literal: optional blanks before, sign, decimal digits or "$"/"0x" hex.
// Hex wraps to the width of the result (StrToInt("$FFFFFFFF") is -1), decimal must fit.
bool ParseInteger(std::string_view s, int bits, int64_t& value) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    } else if (i < s.size() && (s[i] == 'x' || s[i] == 'X')) {
        base = 16;
        ++i;
    }
    if (i >= s.size())
        return false;
    uint64_t limit = base == 16 ? (bits == 32 ? 0xFFFFFFFFull : UINT64_MAX)
                                : (bits == 32 ? 0x80000000ull : 0x8000000000000000ull);
    uint64_t v = 0;
    for (; i < s.size(); ++i) {
        char c = s[i];
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            return false;
        if (v > (limit - static_cast<uint64_t>(d)) / static_cast<uint64_t>(base))
            return false;
        v = v * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
    }
    if (base == 10) {
        if (!negative && v == limit)
            return false;   // one past the largest positive value
        value = negative ? static_cast<int64_t>(0 - v) : static_cast<int64_t>(v);
        return true;
    }
    if (bits == 32)
        value = static_cast<int32_t>(static_cast<uint32_t>(v));
    else
        value = static_cast<int64_t>(v);
    if (negative)
        value = bits == 32 ? static_cast<int32_t>(0u - static_cast<uint32_t>(value))
                           : static_cast<int64_t>(0 - static_cast<uint64_t>(value));
    return true;
}

[[noreturn]] void InvalidInteger(std::string_view s) {
    throw EConvertError(ConvertText::Integer(s));
}

}  // namespace

// --- Public entry points -----------------------------------------------------

std::string Format(std::string_view fmt, const std::vector<FormatArg>& args) {
    return FormatParser(fmt, args).Run();
}

// Most numbers written this way (coordinates, amounts) are whole or have a few decimals.
// Their shortest text that reads back as the same double is then the general text already:
// a value whose shortest text has at most 15 significant digits rounds to that text at 15
// digits, and the double rounding through 18 digits cannot move it. The others, and values
// the general text writes with an exponent, take the full conversion.
std::string FloatToStr(double value) {
    if (value == 0)
        return "0";
    const double magnitude = std::fabs(value);
    // Whole numbers (coordinates mostly) are their integer's digits, 15 at most.
    if (magnitude < 1e15 && value == static_cast<double>(static_cast<int64_t>(value))) {
        char buffer[24];
        const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, static_cast<int64_t>(value));
        if (error == std::errc()) return std::string(buffer, end);
    }
    if (magnitude >= 1e-3 && magnitude < 1e9) {
        // A few decimals (amounts): the fewest decimals whose rounded text reads back as
        // the value give its shortest text. Below 10^9 the decimals' step of 10^-6 is
        // wider than the spacing of doubles, so each count has one candidate at most,
        // and the scaled value lies well within half a unit of it.
        static constexpr double kScales[] = {1e1, 1e2, 1e3, 1e4, 1e5, 1e6};
        for (int decimals = 1; decimals <= 6; ++decimals) {
            const double scale = kScales[decimals - 1];
            const auto scaled = static_cast<int64_t>(magnitude * scale + 0.5);
            if (static_cast<double>(scaled) / scale != magnitude)
                continue;
            char digits[24];
            const auto [end, error] = std::to_chars(digits, digits + sizeof digits, scaled);
            const int length = static_cast<int>(end - digits);
            char text[32];
            char* out = text;
            if (value < 0)
                *out++ = '-';
            if (length <= decimals) {
                *out++ = '0';
                *out++ = FormatSettings.DecimalSeparator;
                for (int i = length; i < decimals; ++i)
                    *out++ = '0';
                out = std::copy(digits, end, out);
            } else {
                out = std::copy(digits, end - decimals, out);
                *out++ = FormatSettings.DecimalSeparator;
                out = std::copy(end - decimals, end, out);
            }
            return std::string(text, out);
        }
    }
    if (magnitude >= 1e-3 && magnitude < 1e15) {
        // The same value comes again and again (a band's width on every row): its text
        // is kept for the next call.
        thread_local double lastValue = 0;
        thread_local char lastSeparator = 0;
        thread_local std::string lastText;
        if (value == lastValue && FormatSettings.DecimalSeparator == lastSeparator && !lastText.empty())
            return lastText;
        char buffer[48];
        const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
        if (error == std::errc()) {
            int digits = 0;
            for (const char* p = buffer; p != end; ++p)
                if (*p >= '0' && *p <= '9' && (digits > 0 || *p != '0'))
                    ++digits;
            if (digits <= 15) {
                std::string s(buffer, end);
                if (FormatSettings.DecimalSeparator != '.')
                    for (char& c : s)
                        if (c == '.')
                            c = FormatSettings.DecimalSeparator;
                lastValue = value;
                lastSeparator = FormatSettings.DecimalSeparator;
                lastText = s;
                return s;
            }
        }
    }
    return FloatToText(value, ffGeneral, 15, 0);
}

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
    return FloatToText(value, format, precision, digits);
}

// FormatFloat: the section for the value's sign (positive;negative;zero), the general text
// when the positive section is empty or the value is too large for the picture.
std::string FormatFloat(std::string_view picture, double value) {
    if (!std::isfinite(value))
        return SpecialText(value);
    std::vector<std::string_view> sections = PictureSections(picture);
    auto available = [&](size_t i) { return i < sections.size() && !sections[i].empty(); };
    if (!available(0))
        return FloatToText(value, ffGeneral, 15, 0);
    size_t chosen = 0;
    if (value == 0)
        chosen = available(2) ? 2 : 0;
    else if (value < 0 && available(1))
        chosen = 1;
    std::string out;
    bool roundedToZero = false;
    if (!FormatSection(sections[chosen], value, out, roundedToZero))
        return FloatToText(value, ffGeneral, 15, 0);
    if (roundedToZero && value != 0 && available(2) && chosen != 2) {
        out.clear();
        FormatSection(sections[2], 0.0, out, roundedToZero);
        return out;
    }
    // The minus sign is added only by the positive section; a value that rounds to zero
    // shows no sign ("0.00", never "-0.00").
    if (value < 0 && chosen == 0 && !roundedToZero)
        out.insert(0, "-");
    return out;
}

std::string CurrToStr(int64_t currencyTimes10000) {
    uint64_t mag = currencyTimes10000 < 0 ? 0 - static_cast<uint64_t>(currencyTimes10000)
                                          : static_cast<uint64_t>(currencyTimes10000);
    std::string s = currencyTimes10000 < 0 ? "-" : "";
    s += UnsignedText(mag / 10000, 10);
    std::string frac = ZeroPad(UnsignedText(mag % 10000, 10), 4);
    while (!frac.empty() && frac.back() == '0')
        frac.pop_back();
    if (!frac.empty()) {
        s.push_back(FormatSettings.DecimalSeparator);
        s += frac;
    }
    return s;
}

bool TryStrToInt(std::string_view s, int& value) {
    int64_t v;
    if (!ParseInteger(s, 32, v))
        return false;
    value = static_cast<int>(v);
    return true;
}

bool TryStrToInt64(std::string_view s, int64_t& value) {
    return ParseInteger(s, 64, value);
}

int StrToInt(std::string_view s) {
    int v;
    if (!TryStrToInt(s, v))
        InvalidInteger(s);
    return v;
}

int64_t StrToInt64(std::string_view s) {
    int64_t v;
    if (!TryStrToInt64(s, v))
        InvalidInteger(s);
    return v;
}

int StrToIntDef(std::string_view s, int def) {
    int v;
    return TryStrToInt(s, v) ? v : def;
}

// Float text: blanks around, optional sign, digits with one decimal separator, optional
// exponent; no thousands separators, no hex, no INF/NAN.
bool TryStrToFloat(std::string_view s, double& value) {
    size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ')
        ++b;
    while (e > b && s[e - 1] == ' ')
        --e;
    std::string buf;
    buf.reserve(e - b);
    size_t i = b;
    if (i < e && (s[i] == '+' || s[i] == '-'))
        buf.push_back(s[i++]);
    int digits = 0;
    bool point = false;
    for (; i < e; ++i) {
        char c = s[i];
        if (c >= '0' && c <= '9') {
            buf.push_back(c);
            ++digits;
        } else if (c == FormatSettings.DecimalSeparator && !point) {
            buf.push_back('.');
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return false;
    if (i < e && (s[i] == 'e' || s[i] == 'E')) {
        buf.push_back('e');
        ++i;
        if (i < e && (s[i] == '+' || s[i] == '-'))
            buf.push_back(s[i++]);
        int expDigits = 0;
        for (; i < e && s[i] >= '0' && s[i] <= '9'; ++i) {
            buf.push_back(s[i]);
            ++expDigits;
        }
        if (expDigits == 0)
            return false;
    }
    if (i != e)
        return false;
    // from_chars reads "." whatever the C locale says; it takes no leading "+".
    const char* first = buf.data();
    if (*first == '+')
        ++first;
    double v = 0;
    auto res = std::from_chars(first, buf.data() + buf.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        // Overflow is an error; an underflow reads as zero.
        bool tiny = false;
        size_t e = buf.find('e');
        if (e != std::string::npos && e + 1 < buf.size() && buf[e + 1] == '-')
            tiny = true;
        if (!tiny)
            return false;
        v = 0;
    } else if (res.ec != std::errc() || res.ptr != buf.data() + buf.size() || !std::isfinite(v)) {
        return false;
    }
    value = v;
    return true;
}

double StrToFloat(std::string_view s) {
    double v;
    if (!TryStrToFloat(s, v))
        throw EConvertError(ConvertText::Float(s));
    return v;
}

double StrToFloatDef(std::string_view s, double def) {
    double v;
    return TryStrToFloat(s, v) ? v : def;
}

namespace {
[[noreturn]] void InvalidOp() {
    throw EMathError("Invalid floating point operation");
}
bool FitsInt64(double v) {
    // [-2^63, 2^63): both bounds are exact doubles.
    return v >= -9223372036854775808.0 && v < 9223372036854775808.0;
}
}  // namespace

int64_t Round(double value) {
    double r = std::nearbyint(value);   // default rounding mode: halves to even
    if (!FitsInt64(r))
        InvalidOp();
    return static_cast<int64_t>(r);
}

int64_t Trunc(double value) {
    double t = std::trunc(value);
    if (!FitsInt64(t))
        InvalidOp();
    return static_cast<int64_t>(t);
}

void RaiseFmt(std::string_view fmt, std::initializer_list<FormatArg> args) {
    throw Exception(Format(fmt, args));
}
