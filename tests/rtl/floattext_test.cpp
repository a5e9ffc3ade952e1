// FloatToStr, FloatToStrF, FormatFloat pictures, CurrToStr, the string-to-number
// conversions and the rounding rules.
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

std::string RowName(const char* name) {
    std::string s(name);
    for (char& c : s)
        if (c == '-')
            c = '_';
    return s;
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Restores the process-wide settings a test changes.
struct SettingsGuard {
    TFormatSettings Saved = FormatSettings;
    ~SettingsGuard() { FormatSettings = Saved; }
};

// --- FloatToStr ---------------------------------------------------------------

struct FloatToStrRow {
    const char* name;
    double value;
    const char* expected;
};

class FloatToStrText : public ::testing::TestWithParam<FloatToStrRow> {};

TEST_P(FloatToStrText, IsShortestOfFifteenDigits) {
    EXPECT_EQ(FloatToStr(GetParam().value), GetParam().expected);
}

const FloatToStrRow kFloatToStrRows[] = {
    {"subtraction-noise", 100 - 97.3, "2.7"},
    {"sum-noise", 0.1 + 0.2, "0.3"},
    {"integer", 5.0, "5"},
    {"negative", -1.5, "-1.5"},
    {"zero", 0.0, "0"},
    {"negative-zero", -0.0, "0"},
    {"third", 1.0 / 3, "0.333333333333333"},
    {"two-thirds-rounds-up", 2.0 / 3, "0.666666666666667"},
    {"largest-without-exponent", 1e14, "100000000000000"},
    {"fifteen-digit-integer", 123456789012345.0, "123456789012345"},
    {"exponent-from-1e15", 1e15, "1E15"},
    {"exponent-large", 1.5e20, "1.5E20"},
    {"rounding-carries-into-exponent", 999999999999999.9, "1E15"},
    {"small-stays-fixed", 0.0001, "0.0001"},
    {"tiny-gets-exponent", 0.00001, "1E-5"},
    {"tiny-mantissa", 1.5e-5, "1.5E-5"},
    {"negative-tiny", -1.25e-10, "-1.25E-10"},
    {"largest-double", std::numeric_limits<double>::max(), "1.79769313486232E308"},
    {"money", 12.3, "12.3"},
    {"nan", kNaN, "NAN"},
    {"infinity", kInf, "INF"},
    {"negative-infinity", -kInf, "-INF"},
};

INSTANTIATE_TEST_SUITE_P(Rows, FloatToStrText, ::testing::ValuesIn(kFloatToStrRows),
                         [](const auto& info) { return RowName(info.param.name); });

// --- FloatToStrF ---------------------------------------------------------------

struct FloatToStrFRow {
    const char* name;
    double value;
    TFloatFormat format;
    int precision;
    int digits;
    const char* expected;
};

class FloatToStrFText : public ::testing::TestWithParam<FloatToStrFRow> {};

TEST_P(FloatToStrFText, FollowsFormatPrecisionDigits) {
    const FloatToStrFRow& r = GetParam();
    EXPECT_EQ(FloatToStrF(r.value, r.format, r.precision, r.digits), r.expected);
}

const FloatToStrFRow kFloatToStrFRows[] = {
    {"general", 1234.5, ffGeneral, 15, 0, "1234.5"},
    {"general-few-digits-uses-exponent", 1234.5, ffGeneral, 3, 0, "1.23E3"},
    {"general-exponent-digits", 1e-7, ffGeneral, 15, 3, "1E-007"},
    {"exponent", 1234.5, ffExponent, 4, 2, "1.235E+03"},
    {"exponent-negative", -0.5, ffExponent, 3, 1, "-5.00E-1"},
    {"fixed", 1234.5678, ffFixed, 15, 2, "1234.57"},
    {"fixed-no-decimals", 0.5, ffFixed, 15, 0, "1"},
    {"fixed-beyond-precision-is-general", 1e20, ffFixed, 15, 2, "1E20"},
    {"number", 1234567.5, ffNumber, 15, 1, "1,234,567.5"},
    {"number-carry-adds-group", 999999.5, ffNumber, 15, 0, "1,000,000"},
    {"currency", 1234.5, ffCurrency, 15, 2, "￥1,234.50"},
    {"currency-negative", -0.5, ffCurrency, 15, 2, "￥-0.50"},
};

INSTANTIATE_TEST_SUITE_P(Rows, FloatToStrFText, ::testing::ValuesIn(kFloatToStrFRows),
                         [](const auto& info) { return RowName(info.param.name); });

TEST(CurrencyText, EveryPositiveAndNegativeLayout) {
    SettingsGuard guard;
    FormatSettings.CurrencyString = "$";
    const char* positive[] = {"$1.50", "1.50$", "$ 1.50", "1.50 $"};
    const char* negative[] = {"($1.50)", "-$1.50", "$-1.50", "$1.50-", "(1.50$)", "-1.50$",
                              "1.50-$", "1.50$-", "-1.50 $", "-$ 1.50", "1.50 $-", "$ 1.50-",
                              "$ -1.50", "1.50- $", "($ 1.50)", "(1.50 $)"};
    for (int f = 0; f < 4; ++f) {
        FormatSettings.CurrencyFormat = f;
        EXPECT_EQ(FloatToStrF(1.5, ffCurrency, 15, 2), positive[f]) << "CurrencyFormat " << f;
    }
    for (int f = 0; f < 16; ++f) {
        FormatSettings.NegCurrFormat = f;
        EXPECT_EQ(FloatToStrF(-1.5, ffCurrency, 15, 2), negative[f]) << "NegCurrFormat " << f;
    }
}

// --- FormatFloat ------------------------------------------------------------------

struct PictureRow {
    const char* name;
    const char* picture;
    double value;
    const char* expected;
};

class FormatFloatText : public ::testing::TestWithParam<PictureRow> {};

TEST_P(FormatFloatText, FollowsPicture) {
    const PictureRow& r = GetParam();
    EXPECT_EQ(FormatFloat(r.picture, r.value), r.expected);
}

const PictureRow kPictureRows[] = {
    {"fixed-ties-half-up", "0.00", 1.125, "1.13"},
    {"fixed-binary-below-tie", "0.00", 2.675, "2.67"},
    {"thousands", "#,##0.00", 1234567.891, "1,234,567.89"},
    {"thousands-small-value", "#,##0.00", 12.5, "12.50"},
    {"thousands-negative", "#,##0", -1234567.0, "-1,234,567"},
    {"thousands-only-hashes", "#,###", 1234.0, "1,234"},
    {"thousands-zero-integer", "#,##0.00", 0.5, "0.50"},
    {"hash-only-zero-is-empty", "#", 0.0, ""},
    {"hash-only-rounds", "#", 12.6, "13"},
    {"hash-decimals-no-leading-zero", "#.##", 0.5, ".5"},
    {"hash-decimals-integer-drops-point", "#.##", 3.0, "3"},
    {"optional-decimals", "0.###", 1.2, "1.2"},
    {"minimum-decimals", "0.0##", 1.0, "1.0"},
    {"minimum-decimals-rounded", "0.0##", 1.23456, "1.235"},
    {"leading-zeros", "000", 7.0, "007"},
    {"more-digits-than-places", "0", 12345.6, "12346"},
    {"negative-section", "0.00;(0.00)", -5.5, "(5.50)"},
    {"zero-section", "0.00;(0.00);'nil'", 0.0, "nil"},
    {"rounds-to-zero-uses-zero-section", "0.0;-0.0;'zero'", 0.04, "zero"},
    {"empty-negative-section-adds-minus", "0.0;;'z'", -2.0, "-2.0"},
    {"rounds-to-zero-has-no-sign", "0.00", -0.001, "0.00"},
    {"negative-section-without-digits", "0;'neg'", -5.0, "neg"},
    {"single-quoted-literal", "'￥'0.00", 3.0, "￥3.00"},
    {"double-quoted-literal", "\"Total: \"0", 5.0, "Total: 5"},
    {"quoted-placeholders-stay-literal", "0 '#0.,'", 5.0, "5 #0.,"},
    {"other-characters-literal", "0.00元", 3.5, "3.50元"},
    {"percent-is-literal", "0%", 5.0, "5%"},
    {"exponent", "0.00E+00", 12345.0, "1.23E+04"},
    {"exponent-minus-form-negative", "0.0E-0", 0.00123, "1.2E-3"},
    {"exponent-plus-form-negative", "0.0E+00", 0.00123, "1.2E-03"},
    {"exponent-lower-case", "0.0e+0", 1500.0, "1.5e+3"},
    {"exponent-minus-form-positive", "0.0E-00", 1500.0, "1.5E03"},
    {"exponent-zero", "0.00E+00", 0.0, "0.00E+00"},
    {"exponent-negative-value", "0.0E+0", -1500.0, "-1.5E+3"},
    {"empty-picture-general", "", 1.5, "1.5"},
    {"empty-picture-noise", "", 100 - 97.3, "2.7"},
    {"too-large-general", "0.00", 1e30, "1E30"},
    {"nan", "0.00", kNaN, "NAN"},
};

INSTANTIATE_TEST_SUITE_P(Rows, FormatFloatText, ::testing::ValuesIn(kPictureRows),
                         [](const auto& info) { return RowName(info.param.name); });

TEST(FormatFloatSettings, UsesSettingsSeparators) {
    SettingsGuard guard;
    FormatSettings.DecimalSeparator = ',';
    FormatSettings.ThousandSeparator = ' ';
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.5), "1 234 567,50");
}

TEST(CurrToStrText, ShowsUpToFourDecimals) {
    EXPECT_EQ(CurrToStr(125000), "12.5");
    EXPECT_EQ(CurrToStr(-30000), "-3");
    EXPECT_EQ(CurrToStr(1), "0.0001");
    EXPECT_EQ(CurrToStr(0), "0");
}

// --- Text to numbers ------------------------------------------------------------

struct IntRow {
    const char* name;
    const char* text;
    int64_t expected;
};

class StrToIntValid : public ::testing::TestWithParam<IntRow> {};

TEST_P(StrToIntValid, Parses) {
    const IntRow& r = GetParam();
    EXPECT_EQ(StrToInt(r.text), r.expected);
    int v = 0;
    EXPECT_TRUE(TryStrToInt(r.text, v));
    EXPECT_EQ(v, r.expected);
}

const IntRow kIntRows[] = {
    {"decimal", "42", 42},
    {"negative", "-42", -42},
    {"plus-sign", "+7", 7},
    {"leading-blanks", "  12", 12},
    {"dollar-hex", "$FF", 255},
    {"c-hex", "0x1A", 26},
    {"hex-lower-case", "$ff", 255},
    {"hex-wraps-to-integer", "$FFFFFFFF", -1},
    {"largest", "2147483647", 2147483647},
    {"smallest", "-2147483648", -2147483648LL},
    {"leading-zeros", "007", 7},
};

INSTANTIATE_TEST_SUITE_P(Rows, StrToIntValid, ::testing::ValuesIn(kIntRows),
                         [](const auto& info) { return RowName(info.param.name); });

struct BadTextRow {
    const char* name;
    const char* text;
};

class StrToIntInvalid : public ::testing::TestWithParam<BadTextRow> {};

TEST_P(StrToIntInvalid, RaisesWithText) {
    const char* text = GetParam().text;
    try {
        StrToInt(text);
        FAIL() << "accepted '" << text << "'";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'" + std::string(text) + "' 不是有效的整数");
    }
    int v = 99;
    EXPECT_FALSE(TryStrToInt(text, v));
    EXPECT_EQ(v, 99);
    EXPECT_EQ(StrToIntDef(text, -7), -7);
}

const BadTextRow kBadIntRows[] = {
    {"empty", ""},
    {"blank", " "},
    {"trailing-letter", "12a"},
    {"trailing-blank", "12 "},
    {"decimal-point", "1.5"},
    {"overflow", "2147483648"},
    {"underflow", "-2147483649"},
    {"hex-overflow", "$100000000"},
    {"letters", "abc"},
    {"dollar-only", "$"},
    {"c-prefix-only", "0x"},
    {"thousands", "1,000"},
    {"double-sign", "--1"},
    {"full-width-digits", "１２"},
};

INSTANTIATE_TEST_SUITE_P(Rows, StrToIntInvalid, ::testing::ValuesIn(kBadIntRows),
                         [](const auto& info) { return RowName(info.param.name); });

TEST(StrToInt64Range, ParsesFullRangeAndRejectsBeyond) {
    EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(StrToInt64("$7FFFFFFFFFFFFFFF"), INT64_MAX);
    EXPECT_EQ(StrToInt64("5000000000"), 5000000000LL);
    EXPECT_EQ(StrToInt64("$FFFFFFFF"), 0xFFFFFFFFLL);   // wraps only at 64 bits
    EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
    EXPECT_THROW(StrToInt("5000000000"), EConvertError);
}

struct FloatRow {
    const char* name;
    const char* text;
    double expected;
};

class StrToFloatValid : public ::testing::TestWithParam<FloatRow> {};

TEST_P(StrToFloatValid, Parses) {
    EXPECT_DOUBLE_EQ(StrToFloat(GetParam().text), GetParam().expected);
}

const FloatRow kFloatRows[] = {
    {"decimal", "1.5", 1.5},
    {"blanks-around", " 1.5 ", 1.5},
    {"exponent", "-2.5e3", -2500},
    {"exponent-upper-negative", "1E-2", 0.01},
    {"no-integer-part", ".5", 0.5},
    {"no-fraction-part", "5.", 5},
    {"plus-sign", "+3", 3},
    {"integer", "42", 42},
    {"money-text", "12.30", 12.3},
};

INSTANTIATE_TEST_SUITE_P(Rows, StrToFloatValid, ::testing::ValuesIn(kFloatRows),
                         [](const auto& info) { return RowName(info.param.name); });

class StrToFloatInvalid : public ::testing::TestWithParam<BadTextRow> {};

TEST_P(StrToFloatInvalid, RaisesWithText) {
    const char* text = GetParam().text;
    try {
        StrToFloat(text);
        FAIL() << "accepted '" << text << "'";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'" + std::string(text) + "' 不是有效的浮点数");
    }
    EXPECT_EQ(StrToFloatDef(text, -1.0), -1.0);
}

const BadTextRow kBadFloatRows[] = {
    {"empty", ""},
    {"letters", "abc"},
    {"thousands", "1,000.5"},
    {"two-points", "1.2.3"},
    {"exponent-without-digits", "1e"},
    {"point-only", "."},
    {"hex", "0x10"},
    {"infinity-text", "INF"},
    {"trailing-letter", "1.5x"},
    {"overflow", "1e999"},
    {"inner-blank", "1 5"},
};

INSTANTIATE_TEST_SUITE_P(Rows, StrToFloatInvalid, ::testing::ValuesIn(kBadFloatRows),
                         [](const auto& info) { return RowName(info.param.name); });

TEST(StrToFloatSettings, DecimalSeparatorComesFromSettings) {
    SettingsGuard guard;
    FormatSettings.DecimalSeparator = ',';
    EXPECT_DOUBLE_EQ(StrToFloat("1,5"), 1.5);
    EXPECT_THROW(StrToFloat("1.5"), EConvertError);
}

// Text written by FloatToStr reads back as the same 15-digit value.
TEST(FloatTextRoundTrip, FloatToStrReadsBack) {
    const double values[] = {2.7, -0.125, 1e15, 1.5e-5, 123456.789, 1.0 / 3};
    for (double v : values) {
        double back = StrToFloat(FloatToStr(v));
        EXPECT_EQ(FloatToStr(back), FloatToStr(v));
        EXPECT_NEAR(back, v, std::fabs(v) * 1e-14);
    }
}

// --- Rounding ---------------------------------------------------------------------

struct RoundRow {
    const char* name;
    double value;
    int64_t round;
    int64_t trunc;
};

class Rounding : public ::testing::TestWithParam<RoundRow> {};

TEST_P(Rounding, RoundHalvesToEvenTruncTowardZero) {
    EXPECT_EQ(Round(GetParam().value), GetParam().round);
    EXPECT_EQ(Trunc(GetParam().value), GetParam().trunc);
}

const RoundRow kRoundRows[] = {
    {"half-down-to-even", 2.5, 2, 2},
    {"half-up-to-even", 3.5, 4, 3},
    {"negative-half-to-even", -2.5, -2, -2},
    {"half-to-zero", 0.5, 0, 0},
    {"one-and-half", 1.5, 2, 1},
    {"below-half", 2.4999, 2, 2},
    {"negative-fraction", -1.7, -2, -1},
    {"above-half", 1.9, 2, 1},
    {"large", 1e15 + 0.5, 1000000000000000LL, 1000000000000000LL},
};

INSTANTIATE_TEST_SUITE_P(Rows, Rounding, ::testing::ValuesIn(kRoundRows),
                         [](const auto& info) { return RowName(info.param.name); });

TEST(RoundingRange, OutOfRangeRaisesMathError) {
    EXPECT_THROW(Round(1e300), EMathError);
    EXPECT_THROW(Trunc(-1e300), EMathError);
    EXPECT_THROW(Round(kNaN), EMathError);
    EXPECT_THROW(Trunc(kInf), EMathError);
}

// FloatToStr takes a shorter way for whole numbers and short decimals; it must give the
// general text with 15 digits of the full conversion, also with another decimal separator.
TEST(FloatText, FloatToStrShortWayIsTheGeneralText) {
    std::vector<double> values = {0.0, -0.0, 1, -1, 18, 793.7013, 0.001, 0.0012, 0.00099, 1e-5, 12.5, -12.5,
                                  0.1, 0.3, 1.0 / 3, 2.0 / 3, 123456789012345.0, 999999999999999.0,
                                  999999999999999.9, 1e15, 1e16, 3.7795275590551185, 1e300, -1e-300,
                                  100.00000000000001, 18.897650000000002, 0.30000000000000004,
                                  std::nan(""), INFINITY, -INFINITY};
    for (int i = -3000; i <= 3000; ++i) values.push_back(i * 0.1 * 3.7795275590551185);
    for (int i = 0; i < 2000; ++i) values.push_back(i / 7.0 + i * 1e9);
    for (const char separator : {'.', ','}) {
        const char saved = FormatSettings.DecimalSeparator;
        FormatSettings.DecimalSeparator = separator;
        for (double v : values) EXPECT_EQ(FloatToStr(v), FloatToStrF(v, ffGeneral, 15, 0)) << v << " with " << separator;
        FormatSettings.DecimalSeparator = saved;
    }
}

// Values of one to six decimals below 10^9 take the shortest way by scaling; the text must
// still be the general one, at the edges of that range, for neighbours of such values that
// have no short text, and with either decimal separator.
TEST(FloatText, FloatToStrFewDecimalsAreTheGeneralText) {
    std::vector<double> values = {0.001, 0.0015, 0.00123456, 0.0009999, 999999999.5, 999999999.25,
                                  999999999.999999, 999999999.9999999, 1e9 - 0.1, 1e9 + 0.5, 123456789.123456,
                                  12345678.1234567, 0.123456, 0.1234567, 4503599627370495.5, 536870911.875};
    for (int i = -5000; i <= 5000; ++i) {
        values.push_back(i * 0.01);
        values.push_back(i * 1.25);
        values.push_back((i % 97) * 1.25 * 2);
    }
    std::mt19937_64 random(20261210);
    const double scales[] = {1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7};
    for (int i = 0; i < 20000; ++i) {
        const auto whole = static_cast<int64_t>(random() % 2000000000000000) - 1000000000000000;
        const double v = static_cast<double>(whole) / scales[i % 7];
        values.push_back(v);
        values.push_back(std::nextafter(v, INFINITY));
        values.push_back(std::nextafter(v, -INFINITY));
        values.push_back(static_cast<double>(whole % 1000000000) / scales[i % 7]);
    }
    for (const char separator : {'.', ','}) {
        const char saved = FormatSettings.DecimalSeparator;
        FormatSettings.DecimalSeparator = separator;
        for (double v : values) EXPECT_EQ(FloatToStr(v), FloatToStrF(v, ffGeneral, 15, 0)) << v << " with " << separator;
        FormatSettings.DecimalSeparator = saved;
    }
}

}  // namespace
