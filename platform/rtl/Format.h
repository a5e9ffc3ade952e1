// Number text exactly as the class library's runtime writes and reads it, not as printf:
// "%f" has two decimals, FloatToStr gives 15 significant digits, the decimal and thousands
// separators come from FormatSettings (DateTime.h), not from the C locale.
//
// Decimal rounding: a double is first written with 18 significant digits (correctly rounded
// from its exact binary value), then that digit string is rounded half away from zero at the
// requested place. So "%.2f" of 1.125 is "1.13", and of 2.675 (2.67499999999999982 in binary)
// it is "2.67"; FloatToStr(100 - 97.3) is "2.7". A value that rounds to zero has no minus sign.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "Currency.h"

// One argument of Format: an integer, a float, a Currency, a string or a pointer (%p); or a
// Boolean, which no directive takes (made only by Boolean(): a C++ bool passes as an integer).
class FormatArg {
public:
    enum class Kind { Int, Float, Currency, String, Pointer, Boolean };
    static FormatArg Boolean(bool v) {
        FormatArg a(v ? 1 : 0);
        a.FKind = Kind::Boolean;
        return a;
    }
    FormatArg(int v) : FKind(Kind::Int), FInt(v) {}
    FormatArg(unsigned v) : FKind(Kind::Int), FInt(v) {}
    FormatArg(long v) : FKind(Kind::Int), FInt(v) {}
    FormatArg(unsigned long v) : FKind(Kind::Int), FInt(static_cast<int64_t>(v)) {}
    FormatArg(long long v) : FKind(Kind::Int), FInt(v) {}
    FormatArg(unsigned long long v) : FKind(Kind::Int), FInt(static_cast<int64_t>(v)) {}
    FormatArg(double v) : FKind(Kind::Float), FFloat(v) {}
    // A Currency is written from its exact digits (AsInt: the ten-thousandths).
    FormatArg(Currency v) : FKind(Kind::Currency), FInt(v.Scaled()) {}
    FormatArg(std::string v) : FKind(Kind::String), FString(std::move(v)) {}
    FormatArg(std::string_view v) : FKind(Kind::String), FString(v) {}
    FormatArg(const char* v) : FKind(Kind::String), FString(v) {}
    FormatArg(const void* v) : FKind(Kind::Pointer), FInt(reinterpret_cast<intptr_t>(v)) {}
    Kind kind() const { return FKind; }
    int64_t AsInt() const { return FInt; }
    double AsFloat() const { return FFloat; }
    const std::string& AsString() const { return FString; }

private:
    Kind FKind;
    int64_t FInt = 0;
    double FFloat = 0;
    std::string FString;
};

// Format: %[index:][-][width][.precision]type, "%%" for a percent sign; "*" takes the index,
// width or precision from the arguments; an index is 0-based and later directives continue
// after it. Width and precision count characters (code points).
//   d      integer; precision = minimum digits, zero-padded after the sign ("%.3d" -> "005")
//   u, x   integer as unsigned decimal / upper-case hex; a negative value that fits 32 bits is
//          shown as its 32-bit two's complement ("%x" of -1 is "FFFFFFFF")
//   e      float "-d.ddd...E+ddd", precision = significant digits (default 15), 3+ exponent
//          digits: 1000 -> "1.00000000000000E+003"
//   f      float, precision = decimals (default 2); n the same with thousands separators;
//          m money with CurrencyString/CurrencyFormat/NegCurrFormat, default CurrencyDecimals
//   g      float, shortest text of precision significant digits (default 15); exponent form
//          (at least 3 digits, sign only when negative: "1E020") when the exponent is >=
//          precision or < -4
//   s      string; precision = maximum characters
//   p      pointer as 16 upper-case hex digits
// Float types take float and Currency arguments, integer types only integer ones, as the
// runtime; a Currency rounds from its exact digits ("%.2f" of Currency 1.005 is "1.01").
// A wrong argument kind or an unknown type raises EConvertError "Format '<fmt>' invalid or
// incompatible with argument"; too few arguments "No argument for format '<fmt>'".
std::string Format(std::string_view fmt, const std::vector<FormatArg>& args);
inline std::string Format(std::string_view fmt, std::initializer_list<FormatArg> args) {
    return Format(fmt, std::vector<FormatArg>(args));
}

// FloatToStrF: ffGeneral (shortest, `digits` = minimum exponent digits), ffExponent
// (`precision` significant digits, `digits` exponent digits), ffFixed / ffNumber / ffCurrency
// (`digits` decimals; beyond `precision` integer digits the general form is used).
// Precision is taken within 1..18. NaN and infinities give "NAN", "INF", "-INF".
enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
// General format with 15 significant digits: "2.7", "5", "1E15", "1.5E-5", "0.0001".
std::string FloatToStr(double value);
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits);
// Picture sections "positive;negative;zero" (an empty or missing negative or zero section
// falls back to the first, which then adds the minus sign; a value that rounds to zero uses
// the zero section). In a section: "0" digit or zero, "#" digit if significant, "." decimal
// point, "," thousands grouping (anywhere), "E+" "E-" "e+" "e-" exponent followed by its
// minimum digits as "0"s, '...' and "..." literal text, any other character literal. An empty
// first section, or more than 18 integer digits without an exponent, gives FloatToStr text.
std::string FormatFloat(std::string_view picture, double value);       // "0.00", "#,##0.0;(#)", "0.0E+00"
std::string CurrToStr(int64_t currencyTimes10000);                     // "12.5", "-3"

// Conversions raising EConvertError with the runtime's texts
// ("'abc' 不是有效的整数", "'abc' 不是有效的浮点数"; rtl/ConvertErrors.h).
// Integers: leading blanks, a sign, decimal digits or hex after "$" or "0x" (hex wraps to the
// result's width: "$FFFFFFFF" is -1); nothing may follow. Floats: blanks around, a sign,
// digits with FormatSettings.DecimalSeparator, an optional exponent; no thousands separators.
int StrToInt(std::string_view s);
int64_t StrToInt64(std::string_view s);
bool TryStrToInt(std::string_view s, int& value);
bool TryStrToInt64(std::string_view s, int64_t& value);
int StrToIntDef(std::string_view s, int def);
double StrToFloat(std::string_view s);
bool TryStrToFloat(std::string_view s, double& value);
double StrToFloatDef(std::string_view s, double def);

// The rounding rules of the runtime: Round halves to even (Round(2.5) = 2), Trunc toward zero.
// A result outside the 64-bit range (or NaN) raises EMathError "Invalid floating point operation".
int64_t Round(double value);
int64_t Trunc(double value);

// Raises Exception with Format(fmt, args) as its text.
[[noreturn]] void RaiseFmt(std::string_view fmt, std::initializer_list<FormatArg> args);
