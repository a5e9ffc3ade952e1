// Format: every directive type, width/precision/index/"*", the rounding of the decimal
// expansion, and the errors for bad formats and mismatched arguments.
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

struct FormatRow {
    const char* name;
    const char* fmt;
    std::vector<FormatArg> args;
    const char* expected;
};

std::string RowName(const char* name) {
    std::string s(name);
    for (char& c : s)
        if (c == '-')
            c = '_';
    return s;
}

class FormatText : public ::testing::TestWithParam<FormatRow> {};

TEST_P(FormatText, WritesRuntimeText) {
    const FormatRow& r = GetParam();
    EXPECT_EQ(Format(r.fmt, r.args), r.expected);
}

const FormatRow kFormatRows[] = {
    {"d-plain", "%d", {42}, "42"},
    {"d-negative", "%d", {-42}, "-42"},
    {"d-precision-pads", "%.3d", {5}, "005"},
    {"d-precision-after-sign", "%.3d", {-5}, "-005"},
    {"d-precision-shorter-than-value", "%.2d", {12345}, "12345"},
    {"d-int64", "%d", {9000000000LL}, "9000000000"},
    {"d-int64-min", "%d", {LLONG_MIN}, "-9223372036854775808"},
    {"d-upper-type", "%D", {7}, "7"},
    {"receipt-number", "%s%.3d", {"240105", 7}, "240105007"},
    {"receipt-number-thousandth", "%s%.3d", {"240105", 1000}, "2401051000"},
    {"u-plain", "%u", {42}, "42"},
    {"u-negative-as-32-bit", "%u", {-1}, "4294967295"},
    {"u-negative-int64", "%u", {-5000000000LL}, "18446744068709551616"},
    {"x-upper-case", "%x", {255}, "FF"},
    {"x-precision", "%.4x", {255}, "00FF"},
    {"x-negative-as-32-bit", "%x", {-1}, "FFFFFFFF"},
    {"f-default-two-decimals", "%f", {3.0}, "3.00"},
    {"f-ties-half-up", "%.2f", {1.125}, "1.13"},
    {"f-ties-negative-away-from-zero", "%.2f", {-1.125}, "-1.13"},
    {"f-binary-just-below-tie", "%.2f", {2.675}, "2.67"},
    {"f-binary-below-tie-large", "%.2f", {123456789.005}, "123456789.00"},
    {"f-zero-decimals-half-away", "%.0f", {2.5}, "3"},
    {"f-sum-noise-hidden", "%.3f", {0.1 + 0.2}, "0.300"},
    {"f-carry-into-integer", "%.2f", {0.999}, "1.00"},
    {"f-rounds-to-zero-no-sign", "%.2f", {-0.001}, "0.00"},
    {"f-width", "%8.2f", {3.14159}, "    3.14"},
    {"f-upper-type", "%F", {1.5}, "1.50"},
    {"e-default-precision", "%e", {1000.0}, "1.00000000000000E+003"},
    {"e-precision-is-significant-digits", "%.3e", {-1234.5}, "-1.23E+003"},
    {"e-negative-exponent-half-up", "%.2e", {0.000125}, "1.3E-004"},
    {"e-zero", "%.3e", {0.0}, "0.00E+000"},
    {"g-default", "%g", {0.1 + 0.2}, "0.3"},
    {"g-precision", "%.3g", {3.14159}, "3.14"},
    {"g-large-exponent", "%g", {1e20}, "1E020"},
    {"g-small-exponent", "%g", {0.00001}, "1E-005"},
    {"g-integer", "%g", {250.0}, "250"},
    {"n-thousands", "%n", {1234567.891}, "1,234,567.89"},
    {"n-negative", "%n", {-1234.5}, "-1,234.50"},
    {"n-no-decimals-carry", "%.0n", {999.5}, "1,000"},
    {"n-below-thousand", "%n", {999.0}, "999.00"},
    {"m-default", "%m", {1234.5}, "￥1,234.50"},
    {"m-negative", "%m", {-1234.5}, "￥-1,234.50"},
    {"m-precision", "%.0m", {5.5}, "￥6"},
    {"s-plain", "name=%s", {"abc"}, "name=abc"},
    {"s-precision-counts-characters", "%.2s", {"中文字"}, "中文"},
    {"s-width-counts-characters", "%4s", {"中文"}, "  中文"},
    {"s-left-justified", "%-4s|", {"ab"}, "ab  |"},
    {"s-empty", "[%s]", {""}, "[]"},
    {"d-left-justified", "%-5d|", {42}, "42   |"},
    {"width-from-argument", "%*d", {5, 42}, "   42"},
    {"negative-width-from-argument-left", "%*d|", {-4, 7}, "7   |"},
    {"precision-from-argument", "%.*f", {3, 2.0}, "2.000"},
    {"width-and-precision-from-arguments", "%*.*f", {8, 1, 2.25}, "     2.3"},
    {"index-reorders", "%1:s-%0:s-%s", {"a", "b"}, "b-a-b"},
    {"index-from-argument", "%*:d", {2, 10, 20}, "20"},
    {"percent", "100%%", {}, "100%"},
    {"text-only", "plain", {}, "plain"},
    {"mixed", "%d x %d = %.1f", {3, 4, 12.0}, "3 x 4 = 12.0"},
    {"p-pointer", "%p", {reinterpret_cast<const void*>(0x1234)}, "0000000000001234"},
    {"nan", "%f", {std::numeric_limits<double>::quiet_NaN()}, "NAN"},
    {"infinity", "%.2f", {-std::numeric_limits<double>::infinity()}, "-INF"},
};

INSTANTIATE_TEST_SUITE_P(Rows, FormatText, ::testing::ValuesIn(kFormatRows),
                         [](const auto& info) { return RowName(info.param.name); });

struct FormatErrorRow {
    const char* name;
    const char* fmt;
    std::vector<FormatArg> args;
    const char* message;
};

class FormatErrors : public ::testing::TestWithParam<FormatErrorRow> {};

TEST_P(FormatErrors, RaiseConvertErrorWithText) {
    const FormatErrorRow& r = GetParam();
    try {
        Format(r.fmt, r.args);
        FAIL() << "no exception for " << r.fmt;
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), r.message);
        EXPECT_STREQ(e.ClassName(), "EConvertError");
    }
}

const FormatErrorRow kFormatErrorRows[] = {
    {"float-for-d", "%d", {1.5}, "Format '%d' invalid or incompatible with argument"},
    {"integer-for-f", "%.2f", {1}, "Format '%.2f' invalid or incompatible with argument"},
    {"integer-for-s", "%s", {1}, "Format '%s' invalid or incompatible with argument"},
    {"string-for-d", "a%db", {"1"}, "Format 'a%db' invalid or incompatible with argument"},
    {"pointer-for-x", "%x", {reinterpret_cast<const void*>(8)},
     "Format '%x' invalid or incompatible with argument"},
    {"unknown-type", "%k", {1}, "Format '%k' invalid or incompatible with argument"},
    {"trailing-percent", "50%", {}, "Format '50%' invalid or incompatible with argument"},
    {"star-takes-float", "%*d", {1.5, 2}, "Format '%*d' invalid or incompatible with argument"},
    {"absurd-width", "%99999999d", {1}, "Format '%99999999d' invalid or incompatible with argument"},
    {"missing-argument", "%d %d", {1}, "No argument for format '%d %d'"},
    {"index-past-arguments", "%3:s", {"a"}, "No argument for format '%3:s'"},
};

INSTANTIATE_TEST_SUITE_P(Rows, FormatErrors, ::testing::ValuesIn(kFormatErrorRows),
                         [](const auto& info) { return RowName(info.param.name); });

// The report engine swaps the decimal separator while it formats; every float text follows it.
TEST(FormatSettingsUse, SeparatorsAndCurrencyComeFromTheSettings) {
    TFormatSettings saved = FormatSettings;
    FormatSettings.DecimalSeparator = ',';
    FormatSettings.ThousandSeparator = '.';
    FormatSettings.CurrencyString = "EUR";
    FormatSettings.CurrencyFormat = 3;
    FormatSettings.NegCurrFormat = 8;
    FormatSettings.CurrencyDecimals = 1;
    EXPECT_EQ(Format("%f|%n|%m|%m", {1.5, 1234567.25, 2.25, -2.25}),
              "1,50|1.234.567,25|2,3 EUR|-2,3 EUR");
    FormatSettings = saved;
}

TEST(RaiseFmtText, RaisesExceptionWithFormattedText) {
    try {
        RaiseFmt("row %d: %s", {3, "bad"});
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "row 3: bad");
    }
}

}  // namespace
