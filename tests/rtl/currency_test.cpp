// Currency: exact sums and differences, parsing of typed amounts, rounding halves away
// from zero or to even, products rounded once from their exact value, and the texts.
#include "platform/rtl/Currency.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"

#include <gtest/gtest.h>

#include <string>

namespace {

Currency C(const char* Text) { return StrToCurr(Text); }

// Differences a double gets wrong in its fifteenth digit ("0.799999999999997").
struct DifferenceRow {
    const char* Name;
    const char* A;
    const char* B;
    const char* Shortest;
    const char* Fixed2;
};

class CurrencyDifference : public ::testing::TestWithParam<DifferenceRow> {};

TEST_P(CurrencyDifference, IsExact) {
    const DifferenceRow& r = GetParam();
    const Currency d = C(r.A) - C(r.B);
    EXPECT_EQ(d.ToString(), r.Shortest);
    EXPECT_EQ(d.ToFixed(2), r.Fixed2);
    EXPECT_EQ(Format("%.2f", {d}), r.Fixed2);
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, CurrencyDifference,
    ::testing::Values(DifferenceRow{"change_of_50_for_49_20", "50", "49.20", "0.8", "0.80"},
                      DifferenceRow{"change_of_100_for_99_1", "100", "99.1", "0.9", "0.90"},
                      DifferenceRow{"change_of_10_for_9_9", "10", "9.9", "0.1", "0.10"},
                      DifferenceRow{"change_of_100_for_97_5", "100", "97.5", "2.5", "2.50"},
                      DifferenceRow{"negative_change", "20", "20.05", "-0.05", "-0.05"},
                      DifferenceRow{"nothing_left", "12.30", "12.3", "0", "0.00"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Currency, SumsAreExact) {
    EXPECT_EQ((C("0.1") + C("0.2")).ToString(), "0.3");
    Currency total;
    for (int i = 0; i < 1000; ++i) total += C("0.01");
    EXPECT_EQ(total, C("10"));
    EXPECT_EQ(total.ToFixed(2), "10.00");
    EXPECT_EQ(total.ToDouble(), 10.0);
}

struct ParseRow {
    const char* Name;
    const char* Text;
    bool Valid;
    int64_t Scaled;
};

class CurrencyParse : public ::testing::TestWithParam<ParseRow> {};

TEST_P(CurrencyParse, ReadsTheDecimalText) {
    const ParseRow& r = GetParam();
    Currency v = C("123");
    EXPECT_EQ(Currency::TryParse(r.Text, v), r.Valid) << r.Text;
    if (r.Valid) EXPECT_EQ(v.Scaled(), r.Scaled) << r.Text;
    else EXPECT_EQ(v, C("123")) << "a refused text leaves the value";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CurrencyParse,
    ::testing::Values(ParseRow{"whole", "50", true, 500000}, ParseRow{"two_decimals", "49.20", true, 492000},
                      ParseRow{"blanks_and_sign", "  -0.5 ", true, -5000}, ParseRow{"plus", "+3", true, 30000},
                      ParseRow{"point_first", ".25", true, 2500}, ParseRow{"point_last", "7.", true, 70000},
                      ParseRow{"fifth_decimal_rounds_up", "0.12345", true, 1235},
                      ParseRow{"fifth_decimal_rounds_down", "0.12344", true, 1234},
                      ParseRow{"negative_rounds_away", "-0.00005", true, -1},
                      ParseRow{"far_below", "0.000001", true, 0},
                      ParseRow{"exponent", "1.5e2", true, 1500000}, ParseRow{"negative_exponent", "25E-3", true, 250},
                      ParseRow{"largest", "922337203685477.5807", true, INT64_MAX},
                      ParseRow{"too_large", "922337203685477.5808", false, 0},
                      ParseRow{"empty", "", false, 0}, ParseRow{"point", ".", false, 0},
                      ParseRow{"minus", "-", false, 0}, ParseRow{"two_points", "1.2.3", false, 0},
                      ParseRow{"bare_exponent", "1e", false, 0}, ParseRow{"letters", "12a", false, 0}),
    [](const auto& info) { return std::string(info.param.Name); });

struct RoundRow {
    const char* Name;
    const char* Value;
    int Decimals;
    const char* AwayFromZero;
    const char* HalfEven;
};

class CurrencyRound : public ::testing::TestWithParam<RoundRow> {};

TEST_P(CurrencyRound, RoundsTheExactValue) {
    const RoundRow& r = GetParam();
    EXPECT_EQ(C(r.Value).Round(r.Decimals).ToString(), r.AwayFromZero);
    EXPECT_EQ(C(r.Value).RoundHalfEven(r.Decimals).ToString(), r.HalfEven);
}

INSTANTIATE_TEST_SUITE_P(
    Halves, CurrencyRound,
    ::testing::Values(RoundRow{"half_a_fen_even", "1.005", 2, "1.01", "1"},
                      RoundRow{"half_a_fen_odd", "1.015", 2, "1.02", "1.02"},
                      RoundRow{"negative_half", "-2.125", 2, "-2.13", "-2.12"},
                      RoundRow{"below_half", "2.1249", 2, "2.12", "2.12"},
                      RoundRow{"whole_units", "2.5", 0, "3", "2"},
                      RoundRow{"three_decimals", "0.0125", 3, "0.013", "0.012"},
                      RoundRow{"four_decimals_unchanged", "0.1234", 4, "0.1234", "0.1234"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Currency, ProductsRoundOnceFromTheExactValue) {
    // 0.123 x 1.0037 = 0.1234551: through four decimals first (0.1235) it would end as 0.124.
    EXPECT_EQ(Currency::MulRound(C("0.123"), C("1.0037"), 3).ToString(), "0.123");
    EXPECT_EQ(Currency::MulRound(C("0.123"), C("1.03"), 3).ToString(), "0.127");
    EXPECT_EQ(Currency::MulRound(C("12.5"), C("11.5"), 3).ToString(), "143.75");
    EXPECT_EQ(Currency::MulRound(C("1.005"), C("1"), 2).ToString(), "1.01");
    EXPECT_EQ(Currency::MulRound(C("-0.125"), C("3"), 2).ToString(), "-0.38");
    // A discount of 33 % on 10.00, and the percentage that amount gives back.
    EXPECT_EQ(Currency::MulDivRound(C("33"), C("10.00"), C("100"), 2).ToFixed(2), "3.30");
    EXPECT_EQ(Currency::MulDivRound(C("3.30"), C("100"), C("10.00"), 2).ToFixed(2), "33.00");
    EXPECT_EQ(Currency::MulDivRound(C("1"), C("100"), C("3"), 2).ToFixed(2), "33.33");
    EXPECT_EQ(Currency::MulDivRound(C("2"), C("100"), C("3"), 2).ToFixed(2), "66.67");
    EXPECT_THROW(Currency::MulDivRound(C("1"), C("1"), Currency(), 2), EZeroDivide);
}

TEST(Currency, ReadsADoubleAsItsNearestTenThousandth) {
    EXPECT_EQ(Currency::FromDouble(0.799999999999997).ToString(), "0.8");
    EXPECT_EQ(Currency::FromDouble(50 - 49.2).ToString(), "0.8");
    EXPECT_EQ(Currency::FromDouble(-2.67499999).ToString(), "-2.675");
    EXPECT_EQ(Currency::FromDouble(0.1 + 0.2).ToDouble(), 0.3);
    EXPECT_THROW(Currency::FromDouble(1e300), EMathError);
}

TEST(Currency, OverflowRaisesInsteadOfWrapping) {
    const Currency largest = Currency::FromScaled(INT64_MAX);
    EXPECT_THROW(largest + C("0.0001"), EMathError);
    EXPECT_THROW(-largest - C("0.0002"), EMathError);
    EXPECT_THROW(Currency::MulRound(largest, C("2"), 2), EMathError);
    EXPECT_THROW(StrToCurr("abc"), EConvertError);
}

// Format writes a Currency from its digits in every float directive.
TEST(Currency, FormatDirectives) {
    EXPECT_EQ(Format("%.2f", {C("1.005")}), "1.01");
    EXPECT_EQ(Format("%.3f", {C("0.8")}), "0.800");
    EXPECT_EQ(Format("%n", {C("1234567.891")}), "1,234,567.89");
    EXPECT_EQ(Format("%g", {C("0.8")}), "0.8");
    EXPECT_EQ(Format("%.2f", {C("-0.004")}), "0.00");
    EXPECT_EQ(Format("%.4f", {Currency::FromScaled(INT64_MAX)}), "922337203685477.5807");
    EXPECT_THROW(Format("%d", {C("1")}), EConvertError);
}

}  // namespace
