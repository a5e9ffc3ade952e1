// The front desk's small rules: receipt numbers and the day's counter, charge types, the
// change text, what the entry fields take as a number, key filters and the discount.
#include <gtest/gtest.h>

#include "FrontDeskFixture.h"
#include "app/charging/ReceiptRules.h"

namespace {

struct NumberCase {
    const char* Name;
    int Year, Month, Day, Counter;
    const char* Expected;
};

class ReceiptNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ReceiptNumberTest, IsTheDayAndAtLeastThreeCounterDigits) {
    const NumberCase& c = GetParam();
    EXPECT_EQ(FormatReceiptNumber(EncodeDate(c.Year, c.Month, c.Day) + 0.75, c.Counter), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, ReceiptNumberTest,
    ::testing::Values(NumberCase{"first", 2024, 3, 7, 1, "240307001"},
                      NumberCase{"two_digit", 2024, 12, 31, 42, "241231042"},
                      NumberCase{"thousandth", 2024, 3, 7, 1000, "2403071000"},
                      NumberCase{"new_century_year", 2000, 1, 2, 999, "000102999"}),
    [](const auto& info) { return std::string(info.param.Name); });

class ReceiptCounter : public FrontDeskDb {
protected:
    void Line(const char* table, int counter, const char* day) {
        Exec(std::string("insert into ") + table + " (流水号,票据号,收费日期,统计标致) values (" +
             std::to_string(counter) + ",'x','" + day + "','1')");
    }
    const TDateTime Today = EncodeDate(2024, 3, 7);
};

TEST_F(ReceiptCounter, FollowsChargedAndVoidedReceiptsOfTheDayOnly) {
    EXPECT_EQ(NextReceiptCounter(*Connection, Today), 1);
    Line("tb_sf", 7, "2024-03-06");          // yesterday's do not count
    EXPECT_EQ(NextReceiptCounter(*Connection, Today), 1);
    Line("tb_zfsf", 1, "2024-03-07");        // a voided receipt keeps its number in use
    EXPECT_EQ(NextReceiptCounter(*Connection, Today + 0.9), 2);
    Line("tb_sf", 999, "2024-03-07");
    EXPECT_EQ(NextReceiptCounter(*Connection, Today), 1000);
    EXPECT_EQ(FormatReceiptNumber(Today, NextReceiptCounter(*Connection, Today)), "2403071000");
}

TEST(ChargeRules, ChargeTypeIsTheFirstFourCharactersOfTheTitle) {
    EXPECT_EQ(ChargeTypeOfTitle(kTitleNormal), "普通收费");
    EXPECT_EQ(ChargeTypeOfTitle(kTitleDiscount), "优惠打折");
    EXPECT_EQ(ChargeTypeOfTitle(kTitleInternal), "内部记账");
    EXPECT_EQ(ChargeTypeOfTitle("ab"), "ab");
}

Currency M(const char* Text) { return StrToCurr(Text); }

struct ChangeCase {
    const char* Received;
    const char* Due;
    const char* Expected;
};

// The pairs whose difference a double gets wrong in its fifteenth digit are exact.
TEST(ChargeRules, ChangeIsTheShortestTextOfTheDifference) {
    const ChangeCase cases[] = {
        {"100", "97.5", "2.5"}, {"100", "97.3", "2.7"}, {"50", "50", "0"},    {"10", "12.35", "-2.35"},
        {"0.3", "0.1", "0.2"},  {"50", "49.20", "0.8"}, {"100", "99.1", "0.9"}, {"10", "9.9", "0.1"},
    };
    for (const ChangeCase& c : cases)
        EXPECT_EQ(ChangeText(M(c.Received), M(c.Due)), c.Expected) << c.Received << " - " << c.Due;
}

TEST(ChargeRules, LineTotalsAreThePriceTimesTheQuantityToThreeDecimals) {
    const struct {
        const char* Price;
        const char* Quantity;
        const char* Total;
    } cases[] = {
        {"12.5", "2", "25"}, {"0.01", "1", "0.01"}, {"1.15", "3", "3.45"}, {"0.123", "1.0037", "0.123"},
        {"0.333", "0.5", "0.167"}, {"5", "-1", "-5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LineTotal(M(c.Price), M(c.Quantity)).ToString(), c.Total) << c.Price << " x " << c.Quantity;
    EXPECT_EQ(ParseMoney(" 49.20 "), M("49.2"));
    EXPECT_FALSE(ParseMoney("1.2.3").has_value());
    EXPECT_FALSE(ParseMoney("").has_value());
}

TEST(ChargeRules, OnlyWholeNumbersParseAsAmounts) {
    struct {
        const char* Text;
        bool Parses;
        double Value;
    } cases[] = {
        {"12.5", true, 12.5}, {" 3 ", true, 3}, {"0", true, 0}, {"-2", true, -2},
        {"", false, 0}, {".", false, 0}, {"1.2.3", false, 0}, {"-", false, 0}, {"1-", false, 0},
    };
    for (const auto& c : cases) {
        auto value = ParseAmount(c.Text);
        EXPECT_EQ(value.has_value(), c.Parses) << c.Text;
        if (value && c.Parses) {
            EXPECT_DOUBLE_EQ(*value, c.Value) << c.Text;
        }
    }
}

TEST(ChargeRules, KeyFiltersOfTheEntryFields) {
    struct {
        char32_t Key;
        bool Pinyin, Amount, Quantity;
    } cases[] = {
        {U'A', true, false, false}, {U'z', true, false, false}, {U'.', true, true, true},
        {8, true, true, true},      {13, true, true, true},     {U'7', false, true, true},
        {U'-', false, false, true}, {U' ', false, false, false}, {U'\'', false, false, false},
        {U'中', false, false, false}, {27, false, false, false}, {U'%', false, false, false},
        {U'Ａ', false, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsPinyinKey(c.Key), c.Pinyin) << static_cast<uint32_t>(c.Key);
        EXPECT_EQ(IsAmountKey(c.Key), c.Amount) << static_cast<uint32_t>(c.Key);
        EXPECT_EQ(IsQuantityKey(c.Key), c.Quantity) << static_cast<uint32_t>(c.Key);
    }
}

TEST(ChargeRules, DiscountArithmetic) {
    EXPECT_EQ(DiscountAmountText(M("12.5"), M("80")), "10.00");
    EXPECT_EQ(ReductionText(M("12.5"), M("10")), "2.50");
    EXPECT_EQ(DiscountPercentText(M("12.5"), M("10")), "80.00");
    EXPECT_EQ(DiscountPercentText(M("30"), M("10")), "33.33");
    EXPECT_EQ(DiscountAmountText(M("0.05"), M("50")), "0.03");        // halves round away from zero
    // A discount of 33 % on 10.00 and back.
    EXPECT_EQ(DiscountAmountText(M("10.00"), M("33")), "3.30");
    EXPECT_EQ(ReductionText(M("10.00"), M("3.30")), "6.70");
    EXPECT_EQ(DiscountPercentText(M("10.00"), M("3.30")), "33.00");
    // Halves that a double holds just below: 1.005 % of 100 and 2.675 of 1.
    EXPECT_EQ(DiscountAmountText(M("100"), M("1.005")), "1.01");
    EXPECT_EQ(DiscountAmountText(M("1"), M("267.5")), "2.68");
    // Nothing before: no division, the share is 0.
    EXPECT_EQ(DiscountPercentText(M("0"), M("5")), "0.00");
    EXPECT_EQ(DiscountAmountText(M("0"), M("80")), "0.00");
    // An amount after above the amount before is allowed and gives a negative reduction.
    EXPECT_EQ(ReductionText(M("10"), M("12")), "-2.00");
    EXPECT_EQ(ReductionText(M("50"), M("0")), "50.00");
}

}  // namespace
