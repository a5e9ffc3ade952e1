// Currency: the runtime's exact money type, a whole number of ten-thousandths of a unit in
// 64 bits (so ±922,337,203,685,477.5807). Sums, differences and rounding are exact, and
// the text of a value is its decimal digits, never a double's binary noise: 50 - 49.2 is
// 0.8, a thousand times 0.01 is 10.
//
// Rounding: Round (and every text with fixed decimals, "%.2f") takes halves away from
// zero, as Format rounds; RoundHalfEven takes them to the even neighbour, as the
// database's round() does. A product is rounded once, from its exact value, to the
// decimals asked for (MulRound), never through an intermediate four-decimal result.
//
// Reading a double (FromDouble) takes the nearest ten-thousandth: a stored 0.799999999999997
// reads as 0.8. Results outside the range raise EMathError "Currency overflow".
#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

class Currency {
public:
    static constexpr int64_t Scale = 10000;
    static constexpr int MaxDecimals = 4;

    constexpr Currency() = default;
    // From ten-thousandths: FromScaled(12500) is 1.25.
    static constexpr Currency FromScaled(int64_t TenThousandths) { return Currency(TenThousandths); }
    static Currency FromInt(int64_t Units);
    // The nearest ten-thousandth of Value (halves away from zero); NaN, infinities and
    // values out of range raise.
    static Currency FromDouble(double Value);
    // Decimal text with "." (FormatSettings.DecimalSeparator), blanks around, an optional
    // sign and exponent; digits beyond the fourth decimal round half away from zero.
    // False for a text that is no number ("", ".", "-", "1.2.3", "1e") or out of range.
    static bool TryParse(std::string_view Text, Currency& Value);

    constexpr int64_t Scaled() const { return FValue; }
    // The nearest double (exact for every value with at most 15 significant digits).
    double ToDouble() const { return static_cast<double>(FValue) / static_cast<double>(Scale); }
    bool IsZero() const { return FValue == 0; }

    // Rounded to Decimals (0..4) decimals.
    Currency Round(int Decimals) const;
    Currency RoundHalfEven(int Decimals) const;
    // A x B from their exact product, rounded to Decimals half away from zero: 0.123 x 1.03
    // is 0.12669, with 3 decimals 0.127.
    static Currency MulRound(Currency A, Currency B, int Decimals);
    // A x B / C from the exact values, rounded to Decimals half away from zero; C = 0
    // raises EZeroDivide.
    static Currency MulDivRound(Currency A, Currency B, Currency C, int Decimals);

    // The shortest text: "0.8", "12.5", "20", "-3.25" (CurrToStr).
    std::string ToString() const;
    // Fixed decimals, as "%.<n>f" writes it: ToFixed(2) of 0.8 is "0.80".
    std::string ToFixed(int Decimals) const;

    friend Currency operator+(Currency A, Currency B);
    friend Currency operator-(Currency A, Currency B);
    friend Currency operator-(Currency A);
    Currency& operator+=(Currency B) { return *this = *this + B; }
    Currency& operator-=(Currency B) { return *this = *this - B; }
    friend constexpr bool operator==(Currency A, Currency B) = default;
    friend constexpr auto operator<=>(Currency A, Currency B) = default;

private:
    constexpr explicit Currency(int64_t Value) : FValue(Value) {}
    int64_t FValue = 0;
};

// The runtime's names for the same conversions.
inline bool TryStrToCurr(std::string_view Text, Currency& Value) { return Currency::TryParse(Text, Value); }
// Raises EConvertError "'x' 不是有效的浮点数" for a text that is no number.
Currency StrToCurr(std::string_view Text);
inline Currency FloatToCurr(double Value) { return Currency::FromDouble(Value); }
