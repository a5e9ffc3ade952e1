// Number text exactly as the class library's runtime writes and reads it, not as printf:
// "%f" has two decimals, decimal rounding is half away from zero on the exact decimal
// expansion ("%.2f" of 1.125 is "1.13"), FloatToStr gives 15 significant digits.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// One argument of Format: an integer, a float, a string or a pointer (%p).
class FormatArg {
public:
    enum class Kind { Int, Float, String, Pointer };
    FormatArg(int v) : FKind(Kind::Int), FInt(v) {}
    FormatArg(unsigned v) : FKind(Kind::Int), FInt(v) {}
    FormatArg(long v) : FKind(Kind::Int), FInt(v) {}
    FormatArg(unsigned long v) : FKind(Kind::Int), FInt(static_cast<int64_t>(v)) {}
    FormatArg(long long v) : FKind(Kind::Int), FInt(v) {}
    FormatArg(unsigned long long v) : FKind(Kind::Int), FInt(static_cast<int64_t>(v)) {}
    FormatArg(double v) : FKind(Kind::Float), FFloat(v) {}
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

// Format: %[index:][-][width][.precision]type with types d u e f g n m p s x; "*" takes
// width or precision from the arguments. A wrong argument kind or a missing argument
// raises EConvertError with the runtime's text ("Format '%s' invalid or incompatible with argument").
std::string Format(std::string_view fmt, const std::vector<FormatArg>& args);
inline std::string Format(std::string_view fmt, std::initializer_list<FormatArg> args) {
    return Format(fmt, std::vector<FormatArg>(args));
}

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
std::string FloatToStr(double value);                                   // 15 significant digits
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits);
std::string FormatFloat(std::string_view picture, double value);       // "0.00", "#,##0.0;(#)", "0.0E+00"
std::string CurrToStr(int64_t currencyTimes10000);

// Conversions raising EConvertError with the runtime's texts
// ("'abc' is not a valid integer value", "'abc' is not a valid floating point value").
int StrToInt(std::string_view s);
int64_t StrToInt64(std::string_view s);
bool TryStrToInt(std::string_view s, int& value);
bool TryStrToInt64(std::string_view s, int64_t& value);
int StrToIntDef(std::string_view s, int def);
double StrToFloat(std::string_view s);
bool TryStrToFloat(std::string_view s, double& value);
double StrToFloatDef(std::string_view s, double def);

// The rounding rules of the runtime: Round halves to even (Round(2.5) = 2), Trunc toward zero.
int64_t Round(double value);
int64_t Trunc(double value);

// Raises Exception with Format(fmt, args) as its text.
[[noreturn]] void RaiseFmt(std::string_view fmt, std::initializer_list<FormatArg> args);
