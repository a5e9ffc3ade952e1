// TDateTime encoding and decoding, calendar helpers, the injectable clock, FormatDateTime
// pictures, the date and time parsers with the program's formats, and the ISO text of the
// database layer.
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

std::string RowName(const char* name) {
    std::string s(name);
    for (char& c : s)
        if (c == '-')
            c = '_';
    return s;
}

TDateTime At(int y, int m, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    TDateTime date = EncodeDate(y, m, d);
    TDateTime time = EncodeTime(h, mi, s, ms);
    return date < 0 ? date - time : date + time;
}

// The clock is fixed at 2025-06-15 10:00 for every test that reads it (the two-digit year
// window depends on the current year), and restored afterwards.
class FixedClock : public ::testing::Test {
protected:
    void SetUp() override {
        SetClock([] { return At(2025, 6, 15, 10, 0, 0); });
    }
    void TearDown() override { SetClock(nullptr); }
};

// --- Encoding and decoding -------------------------------------------------------

struct CalendarRow {
    const char* name;
    int y, m, d, h, mi, s, ms;
    double serial;
};

class Calendar : public ::testing::TestWithParam<CalendarRow> {};

TEST_P(Calendar, EncodesAndDecodes) {
    const CalendarRow& r = GetParam();
    EXPECT_NEAR(At(r.y, r.m, r.d, r.h, r.mi, r.s, r.ms), r.serial, 1e-9);
    int y, m, d, h, mi, s, ms;
    DecodeDateTime(r.serial, y, m, d, h, mi, s, ms);
    EXPECT_EQ(y, r.y);
    EXPECT_EQ(m, r.m);
    EXPECT_EQ(d, r.d);
    EXPECT_EQ(h, r.h);
    EXPECT_EQ(mi, r.mi);
    EXPECT_EQ(s, r.s);
    EXPECT_EQ(ms, r.ms);
}

const CalendarRow kCalendarRows[] = {
    {"day-zero", 1899, 12, 30, 0, 0, 0, 0, 0},
    {"first-of-1900", 1900, 1, 1, 0, 0, 0, 0, 2},
    {"first-of-2024", 2024, 1, 1, 0, 0, 0, 0, 45292},
    {"leap-day-2000", 2000, 2, 29, 0, 0, 0, 0, 36585},
    {"earliest", 1, 1, 1, 0, 0, 0, 0, -693593},
    {"latest", 9999, 12, 31, 0, 0, 0, 0, 2958465},
    {"half-day", 2024, 1, 5, 12, 0, 0, 0, 45296.5},
    {"morning", 2024, 1, 5, 8, 30, 0, 0, 45296 + 30600.0 / 86400},
    {"milliseconds", 2024, 1, 5, 23, 59, 59, 999, 45296 + 86399.999 / 86400},
    {"before-day-zero-time-after-midnight", 1899, 12, 29, 6, 0, 0, 0, -1.25},
    {"long-before-day-zero", 1800, 3, 1, 18, 0, 0, 0, -36463.75},
};

INSTANTIATE_TEST_SUITE_P(Rows, Calendar, ::testing::ValuesIn(kCalendarRows),
                         [](const auto& info) { return RowName(info.param.name); });

TEST(DecodeRounding, RoundsToTheMillisecondAcrossMidnight) {
    int y, m, d, h, mi, s, ms;
    DecodeDateTime(45292.9999999999, y, m, d, h, mi, s, ms);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20240102);
    EXPECT_EQ(h + mi + s + ms, 0);
    DecodeTime(0.5 + 0.4 / 86400000, h, mi, s, ms);
    EXPECT_EQ(ms, 0);
    EXPECT_EQ(h, 12);
}

struct BadDateRow {
    const char* name;
    int y, m, d;
};

class EncodeDateInvalid : public ::testing::TestWithParam<BadDateRow> {};

TEST_P(EncodeDateInvalid, RaisesConvertError) {
    const BadDateRow& r = GetParam();
    try {
        EncodeDate(r.y, r.m, r.d);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Invalid argument to date encode");
    }
    TDateTime v = 7;
    EXPECT_FALSE(TryEncodeDate(r.y, r.m, r.d, v));
    EXPECT_EQ(v, 7);
}

const BadDateRow kBadDateRows[] = {
    {"feb-29-common-year", 2023, 2, 29}, {"month-13", 2024, 13, 1}, {"month-0", 2024, 0, 1},
    {"year-0", 0, 1, 1},                 {"year-10000", 10000, 1, 1}, {"april-31", 2024, 4, 31},
    {"day-0", 2024, 1, 0},               {"century-not-leap", 1900, 2, 29},
};

INSTANTIATE_TEST_SUITE_P(Rows, EncodeDateInvalid, ::testing::ValuesIn(kBadDateRows),
                         [](const auto& info) { return RowName(info.param.name); });

TEST(EncodeTimeInvalid, RaisesConvertError) {
    const int bad[][4] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {-1, 0, 0, 0}};
    for (const auto& t : bad) {
        try {
            EncodeTime(t[0], t[1], t[2], t[3]);
            FAIL() << t[0] << ":" << t[1] << ":" << t[2] << "." << t[3];
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "Invalid argument to time encode");
        }
    }
}

TEST(CalendarHelpers, LeapYearsAndMonthLengths) {
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(2023));
    const int lengths2023[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(DaysInAMonth(2023, m), lengths2023[m - 1]) << m;
    EXPECT_EQ(DaysInAMonth(2000, 2), 29);
    EXPECT_EQ(DaysInAMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(At(2024, 2, 10)), 29);
    EXPECT_THROW(DaysInAMonth(2023, 13), EConvertError);
    EXPECT_THROW(DaysInAMonth(2023, 0), EConvertError);
}

TEST(CalendarHelpers, DayOfWeekStartsOnSunday) {
    EXPECT_EQ(DayOfWeek(0), 7);                    // 1899-12-30 was a Saturday
    EXPECT_EQ(DayOfWeek(At(2024, 1, 7)), 1);       // Sunday
    EXPECT_EQ(DayOfWeek(At(2024, 1, 1, 23, 0)), 2); // Monday, late
    EXPECT_EQ(DayOfWeek(At(1899, 12, 24, 12, 0)), 1);
}

struct IncMonthRow {
    const char* name;
    TDateTime from;
    int months;
    TDateTime expected;
};

class IncMonthRows : public ::testing::TestWithParam<IncMonthRow> {};

TEST_P(IncMonthRows, ClampsDayAndKeepsTime) {
    EXPECT_NEAR(IncMonth(GetParam().from, GetParam().months), GetParam().expected, 1e-9);
}

const IncMonthRow kIncMonthRows[] = {
    {"into-leap-february", At(2024, 1, 31), 1, At(2024, 2, 29)},
    {"into-common-february", At(2023, 1, 31), 1, At(2023, 2, 28)},
    {"backwards-clamped", At(2024, 3, 31), -1, At(2024, 2, 29)},
    {"over-year-end", At(2024, 12, 15), 1, At(2025, 1, 15)},
    {"back-over-year", At(2024, 1, 15), -13, At(2022, 12, 15)},
    {"keeps-time", At(2024, 1, 31, 10, 30), 1, At(2024, 2, 29, 10, 30)},
    {"before-day-zero", At(1899, 11, 29, 6, 0), 1, At(1899, 12, 29, 6, 0)},
};

INSTANTIATE_TEST_SUITE_P(Rows, IncMonthRows, ::testing::ValuesIn(kIncMonthRows),
                         [](const auto& info) { return RowName(info.param.name); });

TEST(CalendarHelpers, IncDayDateOfTimeOf) {
    EXPECT_EQ(IncDay(At(2024, 1, 5), 730), At(2026, 1, 4));
    EXPECT_EQ(IncDay(At(2024, 1, 5)), At(2024, 1, 6));
    EXPECT_EQ(DateOf(At(2024, 1, 5, 18)), At(2024, 1, 5));
    EXPECT_NEAR(TimeOf(At(2024, 1, 5, 18)), 0.75, 1e-12);
    EXPECT_NEAR(TimeOf(-1.25), 0.25, 1e-12);
    EXPECT_THROW(IncMonth(At(9999, 12, 1), 1), EConvertError);
}

TEST_F(FixedClock, NowDateTimeFollowTheClock) {
    EXPECT_EQ(Now(), At(2025, 6, 15, 10));
    EXPECT_EQ(Date(), At(2025, 6, 15));
    EXPECT_NEAR(Time(), 10.0 / 24, 1e-9);
}

TEST(SystemClock, RestoredClockReadsTheSystemTime) {
    SetClock([] { return 1.0; });
    SetClock(nullptr);
    TDateTime now = Now();
    EXPECT_GT(now, At(2024, 1, 1));
    EXPECT_LT(now, At(2200, 1, 1));
    EXPECT_EQ(Date(), std::trunc(Now()));
}

// --- FormatDateTime -------------------------------------------------------------

struct PictureRow {
    const char* name;
    const char* picture;
    TDateTime value;
    const char* expected;
};

class FormatDateTimeText : public ::testing::TestWithParam<PictureRow> {};

TEST_P(FormatDateTimeText, FollowsPicture) {
    EXPECT_EQ(FormatDateTime(GetParam().picture, GetParam().value), GetParam().expected);
}

const TDateTime kFriday = At(2024, 1, 5, 13, 4, 5, 6);

const PictureRow kDateTimePictureRows[] = {
    {"iso-date", "yyyy-mm-dd", kFriday, "2024-01-05"},
    {"query-parameter", "yy-m-d", kFriday, "24-1-5"},
    {"receipt-date", "yymmdd", kFriday, "240105"},
    {"charge-time", "hh:mm:ss", kFriday, "13:04:05"},
    {"short-numbers", "h:m:s", kFriday, "13:4:5"},
    {"m-after-hh-is-minutes", "mmddhhmm", kFriday, "01051304"},
    {"m-after-quoted-text-still-minutes", "hh 'x' mm", kFriday, "13 x 04"},
    {"m-after-year-is-month", "hh yyyy mm", kFriday, "13 2024 01"},
    {"n-minutes", "nn", kFriday, "04"},
    {"milliseconds", "hh:nn:ss.zzz", kFriday, "13:04:05.006"},
    {"milliseconds-unpadded", "z", kFriday, "6"},
    {"day-names", "ddd dddd", kFriday, "周五 星期五"},
    {"month-names", "mmm|mmmm", At(2024, 12, 1), "十二月|十二月"},
    {"am-pm", "h:nn am/pm", kFriday, "1:04 pm"},
    {"am-pm-upper", "hh AM/PM", kFriday, "01 PM"},
    {"a-p", "h a/p", kFriday, "1 p"},
    {"ampm-settings-text", "h ampm", kFriday, "1 下午"},
    {"midnight-is-12-am", "h:nn am/pm", At(2024, 1, 5, 0, 30), "12:30 am"},
    {"noon-is-12-pm", "h ampm", At(2024, 1, 5, 12, 0), "12 下午"},
    {"am-pm-only-for-preceding-h", "hh:nn hh am/pm", kFriday, "13:04 01 pm"},
    {"single-quoted-literal", "'h'hh", kFriday, "h13"},
    {"double-quoted-literal", "\"yyyy\"yyyy", kFriday, "yyyy2024"},
    {"non-ascii-literals", "yyyy年m月d日", kFriday, "2024年1月5日"},
    {"c-date-and-long-time", "c", kFriday, "2024-1-5 13:04:05"},
    {"c-midnight-date-only", "c", At(2024, 1, 5), "2024-1-5"},
    {"empty-picture-is-c", "", At(2024, 1, 5, 8), "2024-1-5 8:00:00"},
    {"short-date", "ddddd", kFriday, "2024-1-5"},
    {"long-date", "dddddd", kFriday, "2024年1月5日"},
    {"short-time", "t", kFriday, "13:04"},
    {"long-time", "tt", kFriday, "13:04:05"},
    {"separators-from-settings", "yyyy/mm/dd hh:nn", kFriday, "2024-01-05 13:04"},
    {"other-letters-literal", "yyyy x", kFriday, "2024 x"},
    {"before-day-zero", "yyyy-mm-dd hh:nn", -1.25, "1899-12-29 06:00"},
    {"two-digit-year-of-2000", "yy", At(2000, 3, 1), "00"},
};

INSTANTIATE_TEST_SUITE_P(Rows, FormatDateTimeText, ::testing::ValuesIn(kDateTimePictureRows),
                         [](const auto& info) { return RowName(info.param.name); });

TEST(DateTimeToText, ShortcutsUseTheSettings) {
    EXPECT_EQ(DateToStr(kFriday), "2024-1-5");
    EXPECT_EQ(TimeToStr(kFriday), "13:04:05");
    EXPECT_EQ(DateTimeToStr(kFriday), "2024-1-5 13:04:05");
    EXPECT_EQ(DateTimeToStr(At(2024, 1, 5)), "2024-1-5");
}

// --- Parsing --------------------------------------------------------------------

struct ParseRow {
    const char* name;
    const char* text;
    TDateTime expected;
};

class StrToDateValid : public FixedClock, public ::testing::WithParamInterface<ParseRow> {};

TEST_P(StrToDateValid, Parses) {
    EXPECT_EQ(StrToDate(GetParam().text), GetParam().expected);
}

const ParseRow kDateRows[] = {
    {"short-date-format", "2024-1-5", At(2024, 1, 5)},
    {"padded", "2024-01-05", At(2024, 1, 5)},
    {"slashes", "2024/1/5", At(2024, 1, 5)},
    {"dots", "2024.1.5", At(2024, 1, 5)},
    {"blanks-around", " 2024-1-5 ", At(2024, 1, 5)},
    {"two-digit-year-recent", "24-1-5", At(2024, 1, 5)},
    {"two-digit-year-window-start", "75-1-1", At(1975, 1, 1)},
    {"two-digit-year-before-window", "74-1-1", At(2074, 1, 1)},
    {"two-digit-year-late-century", "99-12-31", At(1999, 12, 31)},
    {"one-digit-year", "5-1-1", At(2005, 1, 1)},
    {"compact-six-digits", "240105", At(2024, 1, 5)},
    {"compact-eight-digits", "20240105", At(2024, 1, 5)},
    {"month-and-day-this-year", "1-5", At(2025, 1, 5)},
    {"leap-day", "2024-2-29", At(2024, 2, 29)},
};

INSTANTIATE_TEST_SUITE_P(Rows, StrToDateValid, ::testing::ValuesIn(kDateRows),
                         [](const auto& info) { return RowName(info.param.name); });

// Every way the program writes a date reads back as the same day.
TEST_F(FixedClock, ProgramDateFormatsRoundTrip) {
    const char* pictures[] = {"yyyy-M-d", "yy-m-d", "yymmdd", "yyyy-mm-dd", "yyyy/m/d", "yyyymmdd",
                              "ddddd"};
    const TDateTime days[] = {At(2024, 1, 5), At(1999, 12, 31), At(2030, 2, 28), At(2000, 2, 29),
                              At(2025, 6, 15)};
    for (const char* picture : pictures)
        for (TDateTime day : days)
            EXPECT_EQ(StrToDate(FormatDateTime(picture, day + 0.75)), day)
                << picture << " " << FormatDateTime(picture, day);
}

struct BadParseRow {
    const char* name;
    const char* text;
};

class StrToDateInvalid : public FixedClock, public ::testing::WithParamInterface<BadParseRow> {};

TEST_P(StrToDateInvalid, RaisesWithText) {
    const char* text = GetParam().text;
    try {
        StrToDate(text);
        FAIL() << "accepted '" << text << "'";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'" + std::string(text) + "' 不是有效的日期");
    }
    TDateTime v = 3;
    EXPECT_FALSE(TryStrToDate(text, v));
    EXPECT_EQ(v, 3);
}

const BadParseRow kBadDateRows2[] = {
    {"day-out-of-range", "2024-2-30"}, {"month-out-of-range", "2024-13-1"},
    {"letters", "abc"},                {"empty", ""},
    {"year-and-month-only", "2024-1"}, {"trailing-text", "2024-1-5x"},
    {"seven-digits", "1234567"},       {"with-time", "2024-1-5 10:00"},
    {"missing-day", "2024-1-"},        {"five-digit-year", "20245-1-5"},
    {"compact-bad-month", "241305"},   {"negative", "-2024-1-5"},
};

INSTANTIATE_TEST_SUITE_P(Rows, StrToDateInvalid, ::testing::ValuesIn(kBadDateRows2),
                         [](const auto& info) { return RowName(info.param.name); });

class StrToTimeValid : public ::testing::TestWithParam<ParseRow> {};

TEST_P(StrToTimeValid, Parses) {
    EXPECT_NEAR(StrToTime(GetParam().text), GetParam().expected, 1e-12);
}

const ParseRow kTimeRows[] = {
    {"hours-minutes", "8:30", EncodeTime(8, 30, 0, 0)},
    {"charge-time", "08:30:15", EncodeTime(8, 30, 15, 0)},
    {"milliseconds", "8:30:15.250", EncodeTime(8, 30, 15, 250)},
    {"pm", "8:30 PM", EncodeTime(20, 30, 0, 0)},
    {"twelve-am", "12:00 am", 0},
    {"twelve-pm", "12:05 PM", EncodeTime(12, 5, 0, 0)},
    {"settings-pm-before", "下午 3:00", EncodeTime(15, 0, 0, 0)},
    {"settings-am-after", "9:00 上午", EncodeTime(9, 0, 0, 0)},
    {"hour-only", "12", EncodeTime(12, 0, 0, 0)},
    {"blanks-around", " 23:59:59 ", EncodeTime(23, 59, 59, 0)},
};

INSTANTIATE_TEST_SUITE_P(Rows, StrToTimeValid, ::testing::ValuesIn(kTimeRows),
                         [](const auto& info) { return RowName(info.param.name); });

TEST(StrToTimeInvalid, RaisesWithText) {
    const char* bad[] = {"25:00", "8:60", "13:00 PM", "0:30 AM", "8:", "abc", "", "8:30:15.1000",
                         "8:30x"};
    for (const char* text : bad) {
        try {
            StrToTime(text);
            FAIL() << "accepted '" << text << "'";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "'" + std::string(text) + "' 不是有效的时间");
        }
    }
}

class StrToDateTimeValid : public FixedClock, public ::testing::WithParamInterface<ParseRow> {};

TEST_P(StrToDateTimeValid, Parses) {
    EXPECT_NEAR(StrToDateTime(GetParam().text), GetParam().expected, 1e-9);
}

const ParseRow kDateTimeRows[] = {
    {"date-and-time", "2024-1-5 8:30:00", At(2024, 1, 5, 8, 30)},
    {"date-only", "2024-1-5", At(2024, 1, 5)},
    {"time-only", "8:30", EncodeTime(8, 30, 0, 0)},
    {"two-digit-year-and-pm", "24-1-5 1:15 PM", At(2024, 1, 5, 13, 15)},
    {"before-day-zero", "1899-12-29 6:00", -1.25},
    {"long-format-round-trip", "2024-1-5 13:04:05", At(2024, 1, 5, 13, 4, 5)},
};

INSTANTIATE_TEST_SUITE_P(Rows, StrToDateTimeValid, ::testing::ValuesIn(kDateTimeRows),
                         [](const auto& info) { return RowName(info.param.name); });

TEST_F(FixedClock, StrToDateTimeInvalidRaisesWithText) {
    const char* bad[] = {"2024-1-5 25:00", "x", "", "2024-2-30 8:00", "2024-1-5 8:00 junk"};
    for (const char* text : bad) {
        try {
            StrToDateTime(text);
            FAIL() << "accepted '" << text << "'";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "'" + std::string(text) + "' 不是有效的日期时间");
        }
    }
}

TEST_F(FixedClock, DateTimeToStrRoundTrips) {
    const TDateTime values[] = {At(2024, 1, 5, 13, 4, 5), At(2024, 1, 5), At(1999, 12, 31, 23, 59, 59),
                                At(1899, 12, 29, 6)};
    for (TDateTime v : values)
        EXPECT_NEAR(StrToDateTime(DateTimeToStr(v)), v, 1e-9) << DateTimeToStr(v);
}

TEST_F(FixedClock, ParsingFollowsShortDateOrder) {
    TFormatSettings saved = FormatSettings;
    FormatSettings.ShortDateFormat = "d/M/yyyy";
    EXPECT_EQ(StrToDate("5/1/2024"), At(2024, 1, 5));
    EXPECT_EQ(StrToDate("050124"), At(2024, 1, 5));
    FormatSettings.ShortDateFormat = "M/d/yyyy";
    EXPECT_EQ(StrToDate("1/5/2024"), At(2024, 1, 5));
    EXPECT_EQ(StrToDate("01052024"), At(2024, 1, 5));
    EXPECT_EQ(StrToDate("1/5"), At(2025, 1, 5));
    FormatSettings = saved;
}

// --- ISO text ----------------------------------------------------------------------

struct IsoRow {
    const char* name;
    TDateTime value;
    const char* text;
};

class IsoText : public ::testing::TestWithParam<IsoRow> {};

TEST_P(IsoText, WritesAndReadsBack) {
    EXPECT_EQ(DateTimeToIso(GetParam().value), GetParam().text);
    TDateTime back = -999;
    ASSERT_TRUE(TryIsoToDateTime(GetParam().text, back));
    EXPECT_NEAR(back, GetParam().value, 1e-9);
}

const IsoRow kIsoRows[] = {
    {"midnight-date-only", At(2024, 1, 5), "2024-01-05"},
    {"time", At(2024, 1, 5, 8, 30), "2024-01-05 08:30:00"},
    {"milliseconds", At(2024, 1, 5, 8, 30, 0, 5), "2024-01-05 08:30:00.005"},
    {"earliest", At(1, 1, 1), "0001-01-01"},
    {"before-day-zero", -1.25, "1899-12-29 06:00:00"},
};

INSTANTIATE_TEST_SUITE_P(Rows, IsoText, ::testing::ValuesIn(kIsoRows),
                         [](const auto& info) { return RowName(info.param.name); });

TEST(IsoRead, AcceptsVariantsAndRejectsGarbage) {
    TDateTime v = 0;
    ASSERT_TRUE(TryIsoToDateTime("2024-01-05T08:30:00", v));
    EXPECT_NEAR(v, At(2024, 1, 5, 8, 30), 1e-9);
    ASSERT_TRUE(TryIsoToDateTime("2024-01-05 08:30", v));
    EXPECT_NEAR(v, At(2024, 1, 5, 8, 30), 1e-9);
    ASSERT_TRUE(TryIsoToDateTime("2024-01-05 08:30:00.1239", v));
    EXPECT_NEAR(v, At(2024, 1, 5, 8, 30, 0, 123), 1e-9);
    ASSERT_TRUE(TryIsoToDateTime("2024-1-5", v));
    EXPECT_EQ(v, At(2024, 1, 5));
    const char* bad[] = {"2024-01-32", "24-01-05", "2024-01-05 8:3", "2024-01-05X",
                         "2024-01-05 25:00:00", "", "2024/01/05", "2024-01-05 08:30:"};
    for (const char* text : bad) {
        v = 42;
        EXPECT_FALSE(TryIsoToDateTime(text, v)) << text;
        EXPECT_EQ(v, 42) << text;
    }
}

}  // namespace
