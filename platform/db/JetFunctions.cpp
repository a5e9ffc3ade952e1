// The database engine's val(), round() and date text reading, as SQLite functions.
#include "platform/db/JetFunctions.h"

#include <sqlite3.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/db/DBError.h"

namespace {

bool IsValBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// &H1F / &O17: the digits up to the first that does not belong to the radix; values that
// fit 16 or 32 bits are read as signed numbers of that width, as the engine's Integer and
// Long are.
double RadixValue(const std::string& s, size_t pos, int radix) {
    uint64_t value = 0;
    size_t digits = 0;
    for (; pos < s.size(); ++pos) {
        char c = s[pos];
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else break;
        if (d >= radix) break;
        value = value * static_cast<uint64_t>(radix) + static_cast<uint64_t>(d);
        if (++digits > 22) break;
    }
    if (value <= 0xFFFF) return static_cast<double>(static_cast<int16_t>(value));
    if (value <= 0xFFFFFFFFu) return static_cast<double>(static_cast<int32_t>(value));
    return static_cast<double>(value);
}

}  // namespace

// val: the longest numeric prefix after dropping blanks: sign, digits, point, digits,
// exponent (E or D); anything else ends the number.
double JetVal(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (!IsValBlank(c)) s += c;
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'h' || s[1] == 'H') return RadixValue(s, 2, 16);
        if (s[1] == 'o' || s[1] == 'O') return RadixValue(s, 2, 8);
        return 0;
    }
    std::string number;
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) number += s[i++];
    bool mantissa = false;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') { number += s[i++]; mantissa = true; }
    if (i < s.size() && s[i] == '.') {
        number += s[i++];
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') { number += s[i++]; mantissa = true; }
    }
    if (!mantissa) return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::string exponent = "e";
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent += s[j++];
        size_t digitsStart = j;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9') exponent += s[j++];
        if (j > digitsStart) number += exponent;
    }
    return std::strtod(number.c_str(), nullptr);
}

// round: scale by 10^digits, round the scaled value half to even (an exact half only),
// scale back. Values too large to carry a fraction come back unchanged.
double JetRound(double value, int digits) {
    if (!std::isfinite(value)) return value;
    double scale = std::pow(10.0, digits);
    double scaled = std::fabs(value) * scale;
    if (!std::isfinite(scaled) || scaled >= 4503599627370496.0) return value;   // 2^52
    double whole = std::floor(scaled);
    double fraction = scaled - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
    double result = whole / scale;
    return value < 0 ? -result : result;
}

namespace {

bool ReadNumber(std::string_view s, size_t& pos, int maxDigits, int& value, int& digits) {
    value = 0;
    digits = 0;
    while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9' && digits < maxDigits) {
        value = value * 10 + (s[pos] - '0');
        ++pos;
        ++digits;
    }
    return digits > 0 && !(pos < s.size() && s[pos] >= '0' && s[pos] <= '9');
}

int ExpandTwoDigitYear(int year) {
    int current, month, day;
    DecodeDate(Date(), current, month, day);
    int base = current - 50;
    year += base / 100 * 100;
    if (year < base) year += 100;
    return year;
}

bool TryYearMonthDay(std::string_view s, TDateTime& value) {
    size_t pos = 0;
    int year, month, day, yearDigits, digits;
    if (!ReadNumber(s, pos, 4, year, yearDigits)) return false;
    if (pos >= s.size()) return false;
    char sep = s[pos];
    if (sep != '-' && sep != '/' && sep != '.') return false;
    ++pos;
    if (!ReadNumber(s, pos, 2, month, digits) || pos >= s.size() || s[pos] != sep) return false;
    ++pos;
    if (!ReadNumber(s, pos, 2, day, digits)) return false;
    if (yearDigits <= 2) year = ExpandTwoDigitYear(year);
    TDateTime date;
    if (!TryEncodeDate(year, month, day, date)) return false;
    TDateTime time = 0;
    if (pos < s.size()) {
        if (s[pos] != ' ' && s[pos] != 'T') return false;
        while (pos < s.size() && (s[pos] == ' ' || s[pos] == 'T')) ++pos;
        int hour, minute, second = 0, msec = 0;
        if (!ReadNumber(s, pos, 2, hour, digits) || pos >= s.size() || s[pos] != ':')
            return false;
        ++pos;
        if (!ReadNumber(s, pos, 2, minute, digits)) return false;
        if (pos < s.size() && s[pos] == ':') {
            ++pos;
            if (!ReadNumber(s, pos, 2, second, digits)) return false;
            if (pos < s.size() && s[pos] == '.') {
                ++pos;
                int fraction;
                if (!ReadNumber(s, pos, 3, fraction, digits)) return false;
                msec = digits == 1 ? fraction * 100 : digits == 2 ? fraction * 10 : fraction;
            }
        }
        if (pos != s.size()) return false;
        if (!TryEncodeTime(hour, minute, second, msec, time)) return false;
    }
    value = date + time;
    return true;
}

void SqlVal(sqlite3_context* ctx, int, sqlite3_value** argv) {
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL:
        sqlite3_result_null(ctx);
        return;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        sqlite3_result_double(ctx, sqlite3_value_double(argv[0]));
        return;
    default: {
        const unsigned char* p = sqlite3_value_text(argv[0]);
        int n = sqlite3_value_bytes(argv[0]);
        sqlite3_result_double(
            ctx, JetVal(std::string_view(reinterpret_cast<const char*>(p ? p : (const unsigned char*)""),
                                         static_cast<size_t>(n))));
    }
    }
}

// A numeric argument, or a text that is a whole number literal; anything else is a
// type mismatch as the engine reports it.
bool NumericArgument(sqlite3_context* ctx, sqlite3_value* arg, double& value) {
    int type = sqlite3_value_type(arg);
    if (type == SQLITE_TEXT) type = sqlite3_value_numeric_type(arg);
    if (type != SQLITE_INTEGER && type != SQLITE_FLOAT) {
        sqlite3_result_error(ctx, "Data type mismatch in criteria expression.", -1);
        return false;
    }
    value = sqlite3_value_double(arg);
    return true;
}

void SqlRound(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL ||
        (argc > 1 && sqlite3_value_type(argv[1]) == SQLITE_NULL)) {
        sqlite3_result_null(ctx);
        return;
    }
    double value, digits = 0;
    if (!NumericArgument(ctx, argv[0], value)) return;
    if (argc > 1 && !NumericArgument(ctx, argv[1], digits)) return;
    if (digits < 0 || digits > 15) {
        sqlite3_result_error(ctx, "Invalid procedure call or argument.", -1);
        return;
    }
    sqlite3_result_double(ctx, JetRound(value, static_cast<int>(digits)));
}

}  // namespace

bool TryJetTextToDate(std::string_view text, TDateTime& value) {
    size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
    std::string_view s = text.substr(b, e - b);
    if (s.empty()) return false;
    if (TryYearMonthDay(s, value)) return true;
    return TryStrToDateTime(s, value);
}

void RegisterJetFunctions(sqlite3* db) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    if (sqlite3_create_function(db, "val", 1, flags, nullptr, SqlVal, nullptr, nullptr) !=
            SQLITE_OK ||
        sqlite3_create_function(db, "round", 1, flags, nullptr, SqlRound, nullptr, nullptr) !=
            SQLITE_OK ||
        sqlite3_create_function(db, "round", 2, flags, nullptr, SqlRound, nullptr, nullptr) !=
            SQLITE_OK)
        DatabaseError(sqlite3_errmsg(db));
}
