// val(), Jet rounding and date text as the clinic's SQL and parameters use them.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/db/JetFunctions.h"
#include "platform/db/SqliteDatabase.h"

namespace {

struct ValCase {
    const char* Name;
    const char* Text;
    double Expected;
};

class ValTest : public ::testing::TestWithParam<ValCase> {};

TEST_P(ValTest, ReadsTheNumericPrefix) {
    const ValCase& c = GetParam();
    EXPECT_DOUBLE_EQ(JetVal(c.Text), c.Expected) << c.Text;
}

INSTANTIATE_TEST_SUITE_P(
    Jet, ValTest,
    ::testing::Values(ValCase{"receipt_number", "240307001", 240307001},
                      ValCase{"thousandth_receipt", "2403071000", 2403071000.0},
                      ValCase{"leading_blank_and_letters", " 12ab", 12},
                      ValCase{"empty", "", 0},
                      ValCase{"no_digits", "abc", 0},
                      ValCase{"blanks_inside_are_skipped", "1 2\t3", 123},
                      ValCase{"sign_and_exponent", "-3.5e2x", -350},
                      ValCase{"d_exponent", "1d2", 100},
                      ValCase{"fraction_only", ".5", 0.5},
                      ValCase{"second_point_ends", "12.5.6", 12.5},
                      ValCase{"bare_exponent_ignored", "7e", 7},
                      ValCase{"hex", "&HFF", 255},
                      ValCase{"hex_16_bit_signed", "&HFFFF", -1},
                      ValCase{"octal", "&O17", 15}),
    [](const auto& info) { return std::string(info.param.Name); });

struct RoundCase {
    const char* Name;
    double Value;
    int Digits;
    double Expected;
};

class RoundTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundTest, RoundsHalvesToEven) {
    const RoundCase& c = GetParam();
    EXPECT_DOUBLE_EQ(JetRound(c.Value, c.Digits), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Jet, RoundTest,
    ::testing::Values(RoundCase{"tie_down_to_even", 2.125, 2, 2.12},
                      RoundCase{"tie_up_to_even", 0.375, 2, 0.38},
                      RoundCase{"small_tie", 0.125, 2, 0.12},
                      RoundCase{"negative_tie", -0.125, 2, -0.12},
                      RoundCase{"integer_tie_even", 2.5, 0, 2},
                      RoundCase{"integer_tie_odd", 3.5, 0, 4},
                      RoundCase{"negative_integer_tie", -2.5, 0, -2},
                      RoundCase{"below_tie_in_binary", 1.005, 2, 1.0},
                      RoundCase{"not_a_tie", 2.3456, 2, 2.35},
                      RoundCase{"third", 7.0 / 3.0, 2, 2.33},
                      RoundCase{"already_round", 7.5, 2, 7.5},
                      RoundCase{"large_value_unchanged", 1e300, 2, 1e300}),
    [](const auto& info) { return std::string(info.param.Name); });

// The registered functions replace SQLite's own (whose round(2.125,2) is 2.13).
TEST(JetSqlFunctions, OverrideAndHandleNullAndBadArguments) {
    TSqliteDatabase db;
    db.Open(":memory:", TSqliteDatabase::omReadWriteCreate);
    EXPECT_DOUBLE_EQ(db.QueryValue("select round(2.125, 2)").AsDouble(), 2.12);
    EXPECT_DOUBLE_EQ(db.QueryValue("select round(2.5)").AsDouble(), 2);
    EXPECT_DOUBLE_EQ(db.QueryValue("select round('0.375', 2)").AsDouble(), 0.38);
    EXPECT_TRUE(db.QueryValue("select round(null, 2)").IsNull());
    EXPECT_TRUE(db.QueryValue("select val(null)").IsNull());
    EXPECT_DOUBLE_EQ(db.QueryValue("select val(' 12ab')").AsDouble(), 12);
    EXPECT_DOUBLE_EQ(db.QueryValue("select val(12)").AsDouble(), 12);
    EXPECT_THROW(db.QueryValue("select round('abc', 2)"), EDatabaseError);
    EXPECT_THROW(db.QueryValue("select round(1.5, -1)"), EDatabaseError);
    // One statement per command; a trailing comment is no second one.
    EXPECT_EQ(db.QueryValue("select 7; -- the end").AsInt64(), 7);
    EXPECT_THROW(db.QueryValue("select 1; delete from r"), EDatabaseError);

    // Receipt numbers sort as numbers: the thousandth receipt of a day after the 999th.
    db.ExecScript("create table r(n text); insert into r values ('2403071000'), ('240307999'), "
                  "('240307002');");
    TSqliteStatement s = db.Prepare("select n from r order by val([n])");
    std::vector<std::string> order;
    while (s.Step()) order.emplace_back(s.ColumnText(0));
    EXPECT_EQ(order, (std::vector<std::string>{"240307002", "240307999", "2403071000"}));
}

struct DateTextCase {
    const char* Name;
    const char* Text;
    bool Valid;
    int Year, Month, Day, Hour, Minute;
};

class DateTextTest : public ::testing::TestWithParam<DateTextCase> {
protected:
    void SetUp() override { SetClock([] { return EncodeDate(2024, 6, 15) + 0.5; }); }
    void TearDown() override { SetClock(nullptr); }
};

TEST_P(DateTextTest, ReadsTheProgramsFormats) {
    const DateTextCase& c = GetParam();
    TDateTime dt = -1;
    ASSERT_EQ(TryJetTextToDate(c.Text, dt), c.Valid) << c.Text;
    if (!c.Valid) return;
    int y, mo, d, h, mi, s, ms;
    DecodeDateTime(dt, y, mo, d, h, mi, s, ms);
    EXPECT_EQ(y, c.Year);
    EXPECT_EQ(mo, c.Month);
    EXPECT_EQ(d, c.Day);
    EXPECT_EQ(h, c.Hour);
    EXPECT_EQ(mi, c.Minute);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, DateTextTest,
    ::testing::Values(DateTextCase{"short_date", "2024-3-7", true, 2024, 3, 7, 0, 0},
                      DateTextCase{"two_digit_year", "24-3-7", true, 2024, 3, 7, 0, 0},
                      DateTextCase{"two_digit_year_last_century", "80-1-2", true, 1980, 1, 2, 0, 0},
                      DateTextCase{"window_start", "74-1-1", true, 1974, 1, 1, 0, 0},
                      DateTextCase{"window_end", "73-12-31", true, 2073, 12, 31, 0, 0},
                      DateTextCase{"iso", "2024-03-07", true, 2024, 3, 7, 0, 0},
                      DateTextCase{"slashes", "2024/03/07", true, 2024, 3, 7, 0, 0},
                      DateTextCase{"with_time", "2024-03-07 08:30:00", true, 2024, 3, 7, 8, 30},
                      DateTextCase{"blanks_around", "  2024-3-7 ", true, 2024, 3, 7, 0, 0},
                      DateTextCase{"no_such_day", "2024-2-30", false, 0, 0, 0, 0, 0},
                      DateTextCase{"trailing_garbage", "2024-3-7x", false, 0, 0, 0, 0, 0},
                      DateTextCase{"words", "abc", false, 0, 0, 0, 0, 0},
                      DateTextCase{"empty", "", false, 0, 0, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
