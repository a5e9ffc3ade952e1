// TDateTime: a double counting days from 1899-12-30, the fraction being the time of day.
// Before that day the value is negative and its fraction still means the time after midnight
// of the truncated day: -1.25 is 1899-12-29 06:00. Decoding rounds to the millisecond.
// Date text follows the program's pinned format settings, not the Linux locale.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

using TDateTime = double;

struct TFormatSettings {
    char DateSeparator = '-';
    char TimeSeparator = ':';
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    std::string ShortDateFormat = "yyyy-M-d";
    std::string LongDateFormat = "yyyy'年'M'月'd'日'";
    std::string ShortTimeFormat = "h:mm";
    std::string LongTimeFormat = "h:mm:ss";
    std::string TimeAMString = "上午";
    std::string TimePMString = "下午";
    std::string CurrencyString = "￥";
    int CurrencyFormat = 0;       // 0: "￥1"
    int NegCurrFormat = 2;        // 2: "￥-1"
    int CurrencyDecimals = 2;
    // Chinese (PRC) names, as the clinic's Windows installations show them: months "一月" ..
    // "十二月" (short and long alike), days "周日" .. "周六" short and "星期日" .. "星期六" long.
    std::array<std::string, 12> ShortMonthNames;
    std::array<std::string, 12> LongMonthNames;
    std::array<std::string, 7> ShortDayNames;   // Sunday first
    std::array<std::string, 7> LongDayNames;
    TFormatSettings();
};
// The process-wide settings every conversion uses (the program may change them at start-up).
extern TFormatSettings FormatSettings;

// Encoding and decoding; invalid parts raise EConvertError ("Invalid argument to date encode").
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result);
void DecodeDate(TDateTime dt, int& year, int& month, int& day);
void DecodeTime(TDateTime dt, int& hour, int& min, int& sec, int& msec);
void DecodeDateTime(TDateTime dt, int& year, int& month, int& day,
                    int& hour, int& min, int& sec, int& msec);
bool IsLeapYear(int year);
int DaysInAMonth(int year, int month);          // raises EConvertError for a month outside 1..12
                                                // ("Invalid argument to date encode")
int DaysInMonth(TDateTime dt);
int DayOfWeek(TDateTime dt);                    // 1 = Sunday
TDateTime IncDay(TDateTime dt, int days = 1);
TDateTime IncMonth(TDateTime dt, int months = 1);   // day clamped to the month's end, time kept
TDateTime DateOf(TDateTime dt);                     // truncated toward zero
TDateTime TimeOf(TDateTime dt);                     // time of day in [0, 1), also before day 0

// The clock; tests replace it with SetClock(fn) and restore it with SetClock(nullptr).
TDateTime Now();
TDateTime Date();
TDateTime Time();
void SetClock(std::function<TDateTime()> clock);

// FormatDateTime pictures: c d dd ddd dddd ddddd dddddd m mm mmm mmmm yy yyyy h hh n nn
// s ss z zzz t tt am/pm a/p ampm / : 'literal' "literal".
//   Letters are case-insensitive; "m"/"mm" right after an "h"/"hh" (literals between do not
//   count) are minutes; "h"/"hh" are 12-based when an am/pm, a/p or ampm follows before the
//   next "h"; am/pm and a/p copy their case from the picture, ampm writes TimeAMString or
//   TimePMString; "c" is the short date plus " " and the long time, the time left out when it
//   is 0:00:00; ddddd/dddddd the short/long date, t/tt the short/long time; "/" and ":" write
//   DateSeparator and TimeSeparator; any other character stands for itself. An empty
//   picture means "c".
std::string FormatDateTime(std::string_view picture, TDateTime dt);
std::string DateToStr(TDateTime dt);
std::string TimeToStr(TDateTime dt);
std::string DateTimeToStr(TDateTime dt);
// Parsing in the order of ShortDateFormat (y-m-d here); raise EConvertError ("'x' is not a
// valid date", "... valid time", "... valid date and time").
//   Date: blanks around; three numbers separated by "-", "/", "." or DateSeparator, or two
//   (month and day of the current year), or one run of 6 or 8 digits ("yymmdd",
//   "yyyymmdd" in the same order). A year of one or two digits falls in the hundred years
//   starting 50 years before the current year (by the injectable clock).
//   Time: h[:mm[:ss[.zzz]]] with an optional AM/PM or TimeAMString/TimePMString before or
//   after (then the hour is 1..12). Date and time: a date, a blank, a time; or a time alone.
TDateTime StrToDate(std::string_view s);
TDateTime StrToTime(std::string_view s);
TDateTime StrToDateTime(std::string_view s);
bool TryStrToDate(std::string_view s, TDateTime& value);
bool TryStrToTime(std::string_view s, TDateTime& value);
bool TryStrToDateTime(std::string_view s, TDateTime& value);
// ISO text as the database stores dates: "2024-01-05 08:30:00" (time part left out at
// midnight, ".zzz" added when the milliseconds are not 0). Reading accepts "yyyy-m[m]-d[d]"
// optionally followed by " " or "T" and "hh:mm[:ss[.fraction]]".
std::string DateTimeToIso(TDateTime dt);
bool TryIsoToDateTime(std::string_view s, TDateTime& value);
