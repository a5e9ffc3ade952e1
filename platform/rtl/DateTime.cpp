// TDateTime arithmetic, the clock, FormatDateTime pictures and the date and time parsers.
//
// A TDateTime counts days from 1899-12-30. Before that day the value is negative and its
// fraction still means the time after midnight of the truncated day (-1.25 is 1899-12-29
// 06:00), which is how the runtime composes and decodes such values.
#include "platform/rtl/DateTime.h"
#include "platform/rtl/ConvertErrors.h"

#include "platform/rtl/Exceptions.h"

#include <cmath>
#include <cstdint>
#include <ctime>
#include <mutex>

TFormatSettings::TFormatSettings()
    : ShortMonthNames{"一月", "二月", "三月", "四月", "五月", "六月",
                      "七月", "八月", "九月", "十月", "十一月", "十二月"},
      LongMonthNames{"一月", "二月", "三月", "四月", "五月", "六月",
                     "七月", "八月", "九月", "十月", "十一月", "十二月"},
      ShortDayNames{"周日", "周一", "周二", "周三", "周四", "周五", "周六"},
      LongDayNames{"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"} {}

TFormatSettings FormatSettings;

namespace {

constexpr int64_t kMSecsPerDay = 86400000;
constexpr int64_t kMinDay = -693593;    // 0001-01-01
constexpr int64_t kMaxDay = 2958465;    // 9999-12-31
constexpr int64_t kUnixEpochDay = 25569; // 1970-01-01
constexpr int kTwoDigitYearCenturyWindow = 50;

// Days from 1970-01-01 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

// The value split into whole days and milliseconds after midnight, rounded to the
// millisecond as a whole (so 23:59:59.9999 becomes midnight of the next day).
struct TTimeStamp {
    int64_t Day = 0;
    int64_t MSec = 0;
    bool Valid = false;
};

TTimeStamp ToTimeStamp(TDateTime dt) {
    TTimeStamp ts;
    if (!std::isfinite(dt) || dt < kMinDay - 1 || dt > kMaxDay + 1)
        return ts;
    int64_t total = static_cast<int64_t>(std::nearbyint(dt * static_cast<double>(kMSecsPerDay)));
    ts.Day = total / kMSecsPerDay;
    ts.MSec = total % kMSecsPerDay;
    if (ts.MSec < 0)
        ts.MSec = -ts.MSec;
    ts.Valid = ts.Day >= kMinDay && ts.Day <= kMaxDay;
    return ts;
}

// A date and a time of day joined the way the runtime does it for days before 1899-12-30.
TDateTime ComposeDateTime(TDateTime date, TDateTime time) {
    return date < 0 ? date - time : date + time;
}

std::function<TDateTime()>& Clock() {
    static std::function<TDateTime()> clock;
    return clock;
}
std::mutex& ClockMutex() {
    static std::mutex m;
    return m;
}

TDateTime SystemNow() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm{};
    localtime_r(&ts.tv_sec, &tm);
    TDateTime date = EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
    int sec = tm.tm_sec > 59 ? 59 : tm.tm_sec;   // a leap second shows as :59
    return date + EncodeTime(tm.tm_hour, tm.tm_min, sec, static_cast<int>(ts.tv_nsec / 1000000));
}

// --- FormatDateTime ------------------------------------------------------------

bool StartsNoCase(std::string_view s, size_t pos, std::string_view word) {
    if (s.size() - pos < word.size())
        return false;
    for (size_t i = 0; i < word.size(); ++i) {
        char a = s[pos + i], b = word[i];
        if (a >= 'A' && a <= 'Z')
            a = static_cast<char>(a - 'A' + 'a');
        if (b >= 'A' && b <= 'Z')
            b = static_cast<char>(b - 'A' + 'a');
        if (a != b)
            return false;
    }
    return true;
}

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string Number(int value, int digits) {
    std::string s = std::to_string(value);
    if (static_cast<int>(s.size()) < digits)
        s.insert(0, static_cast<size_t>(digits) - s.size(), '0');
    return s;
}

class DateTimeWriter {
public:
    explicit DateTimeWriter(TDateTime dt) {
        DecodeDateTime(dt, FYear, FMonth, FDay, FHour, FMin, FSec, FMSec);
        TTimeStamp ts = ToTimeStamp(dt);
        FDayOfWeek = ts.Valid ? static_cast<int>(((ts.Day + 693594) % 7 + 7) % 7) : 0;
    }

    std::string Run(std::string_view picture) {
        Append(picture, 0);
        return FOut;
    }

private:
    int FYear, FMonth, FDay, FHour, FMin, FSec, FMSec, FDayOfWeek;
    std::string FOut;

    // Whether the h token at `pos` is followed by an am/pm marker before the next h.
    static bool Uses12Hour(std::string_view f, size_t pos) {
        char quote = 0;
        for (size_t i = pos; i < f.size(); ++i) {
            char c = f[i];
            if (quote) {
                if (c == quote)
                    quote = 0;
                continue;
            }
            if (c == '\'' || c == '"') {
                quote = c;
            } else if (c == 'a' || c == 'A') {
                return StartsNoCase(f, i, "am/pm") || StartsNoCase(f, i, "a/p") ||
                       StartsNoCase(f, i, "ampm");
            } else if (c == 'h' || c == 'H') {
                return false;
            }
        }
        return false;
    }

    // picture -> { token | 'literal' | "literal" | character }; c, ddddd, dddddd, t and tt
    // expand a settings format, nested at most two levels deep.
    void Append(std::string_view f, int level) {
        char lastToken = ' ';
        size_t i = 0;
        while (i < f.size()) {
            char starter = f[i];
            char token = Upper(starter);
            size_t count = 1;
            while (i + count < f.size() && Upper(f[i + count]) == token && token >= 'A' && token <= 'Z')
                ++count;
            if (token >= 'A' && token <= 'Z') {
                if (token == 'M' && lastToken == 'H')
                    token = 'N';
                lastToken = token;
            }
            switch (token) {
            case 'Y':
                FOut += count <= 2 ? Number(FYear % 100, 2) : Number(FYear, 4);
                i += count;
                break;
            case 'M':
                if (count <= 2)
                    FOut += Number(FMonth, static_cast<int>(count));
                else if (FMonth >= 1)
                    FOut += count == 3 ? FormatSettings.ShortMonthNames[static_cast<size_t>(FMonth - 1)]
                                       : FormatSettings.LongMonthNames[static_cast<size_t>(FMonth - 1)];
                i += count;
                break;
            case 'D':
                if (count <= 2)
                    FOut += Number(FDay, static_cast<int>(count));
                else if (count == 3)
                    FOut += FormatSettings.ShortDayNames[static_cast<size_t>(FDayOfWeek)];
                else if (count == 4)
                    FOut += FormatSettings.LongDayNames[static_cast<size_t>(FDayOfWeek)];
                else if (level < 2)
                    Append(count == 5 ? FormatSettings.ShortDateFormat : FormatSettings.LongDateFormat,
                           level + 1);
                i += count;
                break;
            case 'H': {
                size_t n = count > 2 ? 2 : count;
                int h = FHour;
                if (Uses12Hour(f, i + count)) {
                    if (h == 0)
                        h = 12;
                    else if (h > 12)
                        h -= 12;
                }
                FOut += Number(h, static_cast<int>(n));
                i += count;
                break;
            }
            case 'N':
                FOut += Number(FMin, count > 2 ? 2 : static_cast<int>(count));
                i += count;
                break;
            case 'S':
                FOut += Number(FSec, count > 2 ? 2 : static_cast<int>(count));
                i += count;
                break;
            case 'Z':
                FOut += Number(FMSec, count > 3 ? 3 : static_cast<int>(count));
                i += count;
                break;
            case 'T':
                if (level < 2)
                    Append(count == 1 ? FormatSettings.ShortTimeFormat : FormatSettings.LongTimeFormat,
                           level + 1);
                i += count;
                break;
            case 'C':
                if (level < 2) {
                    Append(FormatSettings.ShortDateFormat, level + 1);
                    if (FHour != 0 || FMin != 0 || FSec != 0) {
                        FOut.push_back(' ');
                        Append(FormatSettings.LongTimeFormat, level + 1);
                    }
                }
                i += count;
                break;
            case 'A':
                if (StartsNoCase(f, i, "am/pm")) {
                    FOut.append(f.substr(FHour >= 12 ? i + 3 : i, 2));
                    i += 5;
                } else if (StartsNoCase(f, i, "a/p")) {
                    FOut.append(f.substr(FHour >= 12 ? i + 2 : i, 1));
                    i += 3;
                } else if (StartsNoCase(f, i, "ampm")) {
                    FOut += FHour < 12 ? FormatSettings.TimeAMString : FormatSettings.TimePMString;
                    i += 4;
                } else {
                    FOut.push_back(starter);
                    i += 1;
                }
                break;
            case '/':
                FOut.push_back(FormatSettings.DateSeparator);
                ++i;
                break;
            case ':':
                FOut.push_back(FormatSettings.TimeSeparator);
                ++i;
                break;
            case '\'':
            case '"': {
                size_t end = f.find(starter, i + 1);
                if (end == std::string_view::npos)
                    end = f.size();
                FOut.append(f.substr(i + 1, end - i - 1));
                i = end + 1;
                break;
            }
            default:
                // Other letters and characters stand for themselves.
                FOut.append(f.substr(i, token >= 'A' && token <= 'Z' ? count : 1));
                i += token >= 'A' && token <= 'Z' ? count : 1;
                break;
            }
        }
    }
};

// --- Parsing ---------------------------------------------------------------------

enum class DateOrder { MDY, DMY, YMD };

DateOrder ShortDateOrder() {
    for (char c : FormatSettings.ShortDateFormat) {
        switch (Upper(c)) {
        case 'Y': return DateOrder::YMD;
        case 'M': return DateOrder::MDY;
        case 'D': return DateOrder::DMY;
        default: break;
        }
    }
    return DateOrder::YMD;
}

class Scanner {
public:
    explicit Scanner(std::string_view s) : FText(s) {}
    size_t Pos = 0;

    bool AtEnd() const { return Pos >= FText.size(); }
    void Blanks() {
        while (Pos < FText.size() && FText[Pos] == ' ')
            ++Pos;
    }
    // A run of digits; `length` receives its length (0 when none stands here).
    bool Digits(int64_t& value, int& length, int maxLength) {
        value = 0;
        length = 0;
        while (Pos < FText.size() && FText[Pos] >= '0' && FText[Pos] <= '9') {
            if (length == maxLength)
                return false;
            value = value * 10 + (FText[Pos] - '0');
            ++length;
            ++Pos;
        }
        return length > 0;
    }
    bool Char(char c) {
        if (Pos < FText.size() && FText[Pos] == c) {
            ++Pos;
            return true;
        }
        return false;
    }
    bool DateSeparator() {
        if (Pos < FText.size() &&
            (FText[Pos] == FormatSettings.DateSeparator || FText[Pos] == '-' || FText[Pos] == '/' ||
             FText[Pos] == '.')) {
            ++Pos;
            return true;
        }
        return false;
    }
    bool Word(std::string_view w) {
        if (w.empty() || !StartsNoCase(FText, Pos, w))
            return false;
        Pos += w.size();
        return true;
    }

private:
    std::string_view FText;
};

int CurrentYear() {
    int y, m, d;
    DecodeDate(Date(), y, m, d);
    return y;
}

// A year written with one or two digits lands in the hundred years that start
// TwoDigitYearCenturyWindow years before the current one.
int64_t ExpandYear(int64_t year, int length) {
    if (length > 2 || year > 99)
        return year;
    int base = CurrentYear() - kTwoDigitYearCenturyWindow;
    year += base / 100 * 100;
    if (year < base)
        year += 100;
    return year;
}

// date -> number sep number [sep number] [sep] | 6 or 8 digits in the short date order
bool ScanDate(Scanner& sc, TDateTime& value) {
    DateOrder order = ShortDateOrder();
    sc.Blanks();
    int64_t n1 = 0, n2 = 0, n3 = 0;
    int l1 = 0, l2 = 0, l3 = 0;
    int64_t y = 0, m = 0, d = 0;
    int yearLength = 4;
    if (!sc.Digits(n1, l1, 8))
        return false;
    if (sc.DateSeparator()) {
        if (l1 > 4 || !sc.Digits(n2, l2, 4))
            return false;
        if (sc.DateSeparator()) {
            if (!sc.Digits(n3, l3, 4))
                return false;
            switch (order) {
            case DateOrder::MDY: y = n3; yearLength = l3; m = n1; d = n2; break;
            case DateOrder::DMY: y = n3; yearLength = l3; m = n2; d = n1; break;
            case DateOrder::YMD: y = n1; yearLength = l1; m = n2; d = n3; break;
            }
            sc.DateSeparator();
        } else {
            y = CurrentYear();
            yearLength = 4;
            if (order == DateOrder::DMY) {
                d = n1;
                m = n2;
            } else {
                m = n1;
                d = n2;
            }
        }
    } else {
        if (l1 != 6 && l1 != 8)
            return false;
        int64_t yearDiv = l1 == 6 ? 10000 : 1000000;   // where the year sits depends on the order
        yearLength = l1 == 6 ? 2 : 4;
        switch (order) {
        case DateOrder::YMD:
            y = n1 / 10000;
            m = n1 / 100 % 100;
            d = n1 % 100;
            break;
        case DateOrder::MDY:
            m = n1 / yearDiv;
            d = n1 / (yearDiv / 100) % 100;
            y = n1 % (yearDiv / 100);
            break;
        case DateOrder::DMY:
            d = n1 / yearDiv;
            m = n1 / (yearDiv / 100) % 100;
            y = n1 % (yearDiv / 100);
            break;
        }
    }
    sc.Blanks();
    y = ExpandYear(y, yearLength);
    if (y > 9999 || m > 12 || d > 31)
        return false;
    return TryEncodeDate(static_cast<int>(y), static_cast<int>(m), static_cast<int>(d), value);
}

bool ScanAmPm(Scanner& sc, int& baseHour) {
    if (sc.Word(FormatSettings.TimeAMString) || sc.Word("AM")) {
        baseHour = 0;
        return true;
    }
    if (sc.Word(FormatSettings.TimePMString) || sc.Word("PM")) {
        baseHour = 12;
        return true;
    }
    return false;
}

// time -> [am/pm] hour [: min [: sec [. msec]]] [am/pm]
bool ScanTime(Scanner& sc, TDateTime& value) {
    sc.Blanks();
    int baseHour = -1;
    if (ScanAmPm(sc, baseHour))
        sc.Blanks();
    int64_t h, m = 0, s = 0, ms = 0;
    int len;
    if (!sc.Digits(h, len, 4))
        return false;
    if (sc.Char(FormatSettings.TimeSeparator)) {
        if (!sc.Digits(m, len, 4))
            return false;
        if (sc.Char(FormatSettings.TimeSeparator)) {
            if (!sc.Digits(s, len, 4))
                return false;
            if (sc.Char(FormatSettings.DecimalSeparator) && !sc.Digits(ms, len, 4))
                return false;
        }
    }
    sc.Blanks();
    if (baseHour < 0)
        ScanAmPm(sc, baseHour);
    if (baseHour >= 0) {
        if (h == 0 || h > 12)
            return false;
        if (h == 12)
            h = 0;
        h += baseHour;
    }
    sc.Blanks();
    if (h > 23 || m > 59 || s > 59 || ms > 999)
        return false;
    return TryEncodeTime(static_cast<int>(h), static_cast<int>(m), static_cast<int>(s),
                         static_cast<int>(ms), value);
}

[[noreturn]] void RaiseConvert(std::string_view s, std::string (*Text)(std::string_view)) {
    throw EConvertError(Text(s));
}

}  // namespace

// --- Encoding and decoding -------------------------------------------------------

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInAMonth(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        throw EConvertError("Invalid argument to date encode");
    return days[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInAMonth(year, month))
        return false;
    result = static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month),
                                               static_cast<unsigned>(day)) + kUnixEpochDay);
    return true;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result) {
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 ||
        msec > 999)
        return false;
    int64_t ms = ((static_cast<int64_t>(hour) * 60 + min) * 60 + sec) * 1000 + msec;
    result = static_cast<double>(ms) / static_cast<double>(kMSecsPerDay);
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime r;
    if (!TryEncodeDate(year, month, day, r))
        throw EConvertError("Invalid argument to date encode");
    return r;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
    TDateTime r;
    if (!TryEncodeTime(hour, min, sec, msec, r))
        throw EConvertError("Invalid argument to time encode");
    return r;
}

void DecodeDate(TDateTime dt, int& year, int& month, int& day) {
    TTimeStamp ts = ToTimeStamp(dt);
    if (!ts.Valid) {
        year = month = day = 0;
        return;
    }
    CivilFromDays(ts.Day - kUnixEpochDay, year, month, day);
}

void DecodeTime(TDateTime dt, int& hour, int& min, int& sec, int& msec) {
    TTimeStamp ts = ToTimeStamp(dt);
    int64_t ms = ts.Valid ? ts.MSec : 0;
    hour = static_cast<int>(ms / 3600000);
    min = static_cast<int>(ms / 60000 % 60);
    sec = static_cast<int>(ms / 1000 % 60);
    msec = static_cast<int>(ms % 1000);
}

void DecodeDateTime(TDateTime dt, int& year, int& month, int& day, int& hour, int& min, int& sec,
                    int& msec) {
    DecodeDate(dt, year, month, day);
    DecodeTime(dt, hour, min, sec, msec);
}

int DaysInMonth(TDateTime dt) {
    int y, m, d;
    DecodeDate(dt, y, m, d);
    if (m == 0)
        throw EConvertError("Invalid argument to date encode");
    return DaysInAMonth(y, m);
}

int DayOfWeek(TDateTime dt) {
    TTimeStamp ts = ToTimeStamp(dt);
    // Day 1 of the era (0001-01-01) was a Monday.
    return static_cast<int>(((ts.Day + 693594) % 7 + 7) % 7) + 1;
}

TDateTime IncDay(TDateTime dt, int days) {
    return dt + days;
}

// Same day n months later; a day past the end of the target month becomes its last day.
TDateTime IncMonth(TDateTime dt, int months) {
    int y, m, d;
    DecodeDate(dt, y, m, d);
    if (m == 0)
        throw EConvertError("Invalid argument to date encode");
    int64_t total = static_cast<int64_t>(y) * 12 + (m - 1) + months;
    int64_t ny = total >= 0 ? total / 12 : (total - 11) / 12;
    int nm = static_cast<int>(total - ny * 12) + 1;
    if (ny < 1 || ny > 9999)
        throw EConvertError("Invalid argument to date encode");
    int nd = std::min(d, DaysInAMonth(static_cast<int>(ny), nm));
    return ComposeDateTime(EncodeDate(static_cast<int>(ny), nm, nd), TimeOf(dt));
}

TDateTime DateOf(TDateTime dt) {
    return std::trunc(dt);
}

// The time of day as a fraction in [0, 1), also for days before 1899-12-30.
TDateTime TimeOf(TDateTime dt) {
    return std::fabs(dt - std::trunc(dt));
}

// --- The clock -------------------------------------------------------------------

TDateTime Now() {
    std::function<TDateTime()> clock;
    {
        std::lock_guard<std::mutex> lock(ClockMutex());
        clock = Clock();
    }
    return clock ? clock() : SystemNow();
}

TDateTime Date() {
    return DateOf(Now());
}

TDateTime Time() {
    return TimeOf(Now());
}

void SetClock(std::function<TDateTime()> clock) {
    std::lock_guard<std::mutex> lock(ClockMutex());
    Clock() = std::move(clock);
}

// --- Text --------------------------------------------------------------------------

std::string FormatDateTime(std::string_view picture, TDateTime dt) {
    return DateTimeWriter(dt).Run(picture.empty() ? std::string_view("c") : picture);
}

std::string DateToStr(TDateTime dt) {
    return FormatDateTime("ddddd", dt);
}

std::string TimeToStr(TDateTime dt) {
    return FormatDateTime("tt", dt);
}

std::string DateTimeToStr(TDateTime dt) {
    return FormatDateTime("c", dt);
}

bool TryStrToDate(std::string_view s, TDateTime& value) {
    Scanner sc(s);
    TDateTime v;
    if (!ScanDate(sc, v) || !sc.AtEnd())
        return false;
    value = v;
    return true;
}

bool TryStrToTime(std::string_view s, TDateTime& value) {
    Scanner sc(s);
    TDateTime v;
    if (!ScanTime(sc, v) || !sc.AtEnd())
        return false;
    value = v;
    return true;
}

// A date, optionally followed by a time; or a time alone (on day 0).
bool TryStrToDateTime(std::string_view s, TDateTime& value) {
    Scanner sc(s);
    TDateTime date, time = 0;
    if (ScanDate(sc, date) && (sc.AtEnd() || (ScanTime(sc, time) && sc.AtEnd()))) {
        value = ComposeDateTime(date, time);
        return true;
    }
    return TryStrToTime(s, value);
}

TDateTime StrToDate(std::string_view s) {
    TDateTime v;
    if (!TryStrToDate(s, v))
        RaiseConvert(s, ConvertText::Date);
    return v;
}

TDateTime StrToTime(std::string_view s) {
    TDateTime v;
    if (!TryStrToTime(s, v))
        RaiseConvert(s, ConvertText::Time);
    return v;
}

TDateTime StrToDateTime(std::string_view s) {
    TDateTime v;
    if (!TryStrToDateTime(s, v))
        RaiseConvert(s, ConvertText::DateTime);
    return v;
}

std::string DateTimeToIso(TDateTime dt) {
    int y, mo, d, h, mi, s, ms;
    DecodeDateTime(dt, y, mo, d, h, mi, s, ms);
    std::string out = Number(y, 4) + "-" + Number(mo, 2) + "-" + Number(d, 2);
    if (h == 0 && mi == 0 && s == 0 && ms == 0)
        return out;
    out += " " + Number(h, 2) + ":" + Number(mi, 2) + ":" + Number(s, 2);
    if (ms != 0)
        out += "." + Number(ms, 3);
    return out;
}

// iso -> yyyy-m[m]-d[d] [ (' ' | 'T') h[h]:mm [:ss [.fraction]] ]
bool TryIsoToDateTime(std::string_view s, TDateTime& value) {
    Scanner sc(s);
    sc.Blanks();
    int64_t y, mo, d;
    int len;
    if (!sc.Digits(y, len, 4) || len != 4 || !sc.Char('-') || !sc.Digits(mo, len, 2) ||
        !sc.Char('-') || !sc.Digits(d, len, 2))
        return false;
    TDateTime date;
    if (!TryEncodeDate(static_cast<int>(y), static_cast<int>(mo), static_cast<int>(d), date))
        return false;
    TDateTime time = 0;
    if (sc.Char(' ') || sc.Char('T')) {
        int64_t h, mi, sec = 0, ms = 0;
        if (!sc.Digits(h, len, 2) || !sc.Char(':') || !sc.Digits(mi, len, 2) || len != 2)
            return false;
        if (sc.Char(':')) {
            if (!sc.Digits(sec, len, 2) || len != 2)
                return false;
            if (sc.Char('.')) {
                int64_t frac;
                if (!sc.Digits(frac, len, 9))
                    return false;
                for (; len < 3; ++len)
                    frac *= 10;
                for (; len > 3; --len)
                    frac /= 10;
                ms = frac;
            }
        }
        if (!TryEncodeTime(static_cast<int>(h), static_cast<int>(mi), static_cast<int>(sec),
                           static_cast<int>(ms), time))
            return false;
    }
    sc.Blanks();
    if (!sc.AtEnd())
        return false;
    value = ComposeDateTime(date, time);
    return true;
}
