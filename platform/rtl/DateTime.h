// TDateTime: a double counting days from 1899-12-30, the fraction being the time of day.
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
int DaysInMonth(TDateTime dt);
int DayOfWeek(TDateTime dt);                    // 1 = Sunday
TDateTime IncDay(TDateTime dt, int days = 1);
TDateTime IncMonth(TDateTime dt, int months = 1);
TDateTime DateOf(TDateTime dt);
TDateTime TimeOf(TDateTime dt);

// The clock; tests replace it with SetClock(fn) and restore it with SetClock(nullptr).
TDateTime Now();
TDateTime Date();
TDateTime Time();
void SetClock(std::function<TDateTime()> clock);

// FormatDateTime pictures: c d dd ddd dddd ddddd dddddd m mm mmm mmmm yy yyyy h hh n nn
// s ss z zzz t tt am/pm a/p ampm / : 'literal' "literal".
std::string FormatDateTime(std::string_view picture, TDateTime dt);
std::string DateToStr(TDateTime dt);
std::string TimeToStr(TDateTime dt);
std::string DateTimeToStr(TDateTime dt);
// Parsing in the order of ShortDateFormat; raise EConvertError ("'x' is not a valid date").
TDateTime StrToDate(std::string_view s);
TDateTime StrToTime(std::string_view s);
TDateTime StrToDateTime(std::string_view s);
bool TryStrToDate(std::string_view s, TDateTime& value);
bool TryStrToTime(std::string_view s, TDateTime& value);
bool TryStrToDateTime(std::string_view s, TDateTime& value);
// ISO text as the database stores dates: "2024-01-05 08:30:00" (time part left out at midnight).
std::string DateTimeToIso(TDateTime dt);
bool TryIsoToDateTime(std::string_view s, TDateTime& value);
