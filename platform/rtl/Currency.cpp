// Currency arithmetic: 64-bit ten-thousandths, products and quotients through 128 bits.
#include "Currency.h"

#include <cmath>

#include "ConvertErrors.h"
#include "DateTime.h"
#include "Exceptions.h"
#include "Format.h"

namespace {

using int128 = __int128;

[[noreturn]] void Overflow() { throw EMathError("Currency overflow"); }

int64_t Checked(int128 v) {
    if (v > INT64_MAX || v < INT64_MIN) Overflow();
    return static_cast<int64_t>(v);
}

int128 Pow10(int n) {
    int128 p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

int CheckedDecimals(int Decimals) {
    if (Decimals < 0) return 0;
    return Decimals > Currency::MaxDecimals ? Currency::MaxDecimals : Decimals;
}

// N / D rounded to the nearest whole number, halves away from zero (or to even).
int128 DivideRounded(int128 N, int128 D, bool HalfEven) {
    int128 q = N / D, r = N % D;
    if (r == 0) return q;
    const int128 twice = (r < 0 ? -r : r) * 2;
    const int128 d = D < 0 ? -D : D;
    const bool up = twice > d || (twice == d && (!HalfEven || (q & 1) != 0));
    if (up) q += (N < 0) != (D < 0) ? -1 : 1;
    return q;
}

Currency RoundTo(int64_t Scaled, int Decimals, bool HalfEven) {
    const int128 step = Pow10(Currency::MaxDecimals - CheckedDecimals(Decimals));
    return Currency::FromScaled(Checked(DivideRounded(Scaled, step, HalfEven) * step));
}

}  // namespace

Currency Currency::FromInt(int64_t Units) { return Currency(Checked(static_cast<int128>(Units) * Scale)); }

Currency Currency::FromDouble(double Value) {
    if (!std::isfinite(Value)) Overflow();
    const double scaled = std::round(Value * static_cast<double>(Scale));
    if (!(scaled >= -9223372036854775808.0 && scaled < 9223372036854775808.0)) Overflow();
    return Currency(static_cast<int64_t>(scaled));
}

// Sign, digits with one separator, an optional exponent; the exact value is scaled to
// ten-thousandths, digits beyond them rounding half away from zero.
bool Currency::TryParse(std::string_view Text, Currency& Value) {
    size_t b = 0, e = Text.size();
    while (b < e && Text[b] == ' ') ++b;
    while (e > b && Text[e - 1] == ' ') --e;
    size_t i = b;
    bool negative = false;
    if (i < e && (Text[i] == '+' || Text[i] == '-')) negative = Text[i++] == '-';
    std::string digits;
    int fraction = 0, count = 0;
    bool point = false;
    for (; i < e; ++i) {
        const char c = Text[i];
        if (c >= '0' && c <= '9') {
            ++count;
            if (!digits.empty() || c != '0') digits.push_back(c);
            if (point) ++fraction;
        } else if (c == FormatSettings.DecimalSeparator && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (count == 0) return false;
    long exponent = 0;
    if (i < e && (Text[i] == 'e' || Text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < e && (Text[i] == '+' || Text[i] == '-')) negativeExponent = Text[i++] == '-';
        int expDigits = 0;
        for (; i < e && Text[i] >= '0' && Text[i] <= '9'; ++i, ++expDigits)
            if (exponent < 100000) exponent = exponent * 10 + (Text[i] - '0');
        if (expDigits == 0) return false;
        if (negativeExponent) exponent = -exponent;
    }
    if (i != e) return false;
    // value = digits x 10^shift ten-thousandths
    const long shift = exponent - fraction + MaxDecimals;
    int128 scaled = 0;
    if (digits.empty()) {
        scaled = 0;
    } else if (shift >= 0) {
        if (static_cast<long>(digits.size()) + shift > 19) return false;
        for (char c : digits) scaled = scaled * 10 + (c - '0');
        scaled *= Pow10(static_cast<int>(shift));
    } else {
        const long keep = static_cast<long>(digits.size()) + shift;
        if (keep > 19) return false;
        for (long k = 0; k < keep; ++k) scaled = scaled * 10 + (digits[static_cast<size_t>(k)] - '0');
        if (keep >= 0 && digits[static_cast<size_t>(keep)] >= '5') ++scaled;
    }
    if (scaled > INT64_MAX) return false;
    Value = Currency(static_cast<int64_t>(negative ? -scaled : scaled));
    return true;
}

Currency Currency::Round(int Decimals) const { return RoundTo(FValue, Decimals, false); }

Currency Currency::RoundHalfEven(int Decimals) const { return RoundTo(FValue, Decimals, true); }

Currency Currency::MulRound(Currency A, Currency B, int Decimals) {
    // The product is in 10^-8; the result in 10^-Decimals, written as ten-thousandths.
    const int d = CheckedDecimals(Decimals);
    const int128 product = static_cast<int128>(A.FValue) * B.FValue;
    const int128 q = DivideRounded(product, Pow10(2 * MaxDecimals - d), false);
    return Currency(Checked(static_cast<int128>(Checked(q)) * Pow10(MaxDecimals - d)));
}

Currency Currency::MulDivRound(Currency A, Currency B, Currency C, int Decimals) {
    if (C.FValue == 0) throw EZeroDivide("Division by zero");
    const int d = CheckedDecimals(Decimals);
    // A x B / C = A.s x B.s / (C.s x 10^4); in 10^-d that is A.s x B.s x 10^d / (C.s x 10^4).
    int128 numerator = 0;
    if (__builtin_mul_overflow(static_cast<int128>(A.FValue), static_cast<int128>(B.FValue), &numerator) ||
        __builtin_mul_overflow(numerator, Pow10(d), &numerator))
        Overflow();
    const int128 q = DivideRounded(numerator, static_cast<int128>(C.FValue) * Scale, false);
    return Currency(Checked(static_cast<int128>(Checked(q)) * Pow10(MaxDecimals - d)));
}

std::string Currency::ToString() const { return CurrToStr(FValue); }

std::string Currency::ToFixed(int Decimals) const {
    return Format("%.*f", {CheckedDecimals(Decimals), *this});
}

Currency operator+(Currency A, Currency B) {
    int64_t r;
    if (__builtin_add_overflow(A.FValue, B.FValue, &r)) Overflow();
    return Currency(r);
}

Currency operator-(Currency A, Currency B) {
    int64_t r;
    if (__builtin_sub_overflow(A.FValue, B.FValue, &r)) Overflow();
    return Currency(r);
}

Currency operator-(Currency A) {
    if (A.FValue == INT64_MIN) Overflow();
    return Currency(-A.FValue);
}

Currency StrToCurr(std::string_view Text) {
    Currency value;
    if (!Currency::TryParse(Text, value))
        throw EConvertError(ConvertText::Float(Text));
    return value;
}
