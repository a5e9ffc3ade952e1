// FormatMaskText: literals, input positions, the save-literals and blank fields, case
// conversion, right justification and escapes.
#include "platform/rtl/DateTime.h"
#include "platform/rtl/MaskText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct MaskRow {
    const char* name;
    const char* mask;
    const char* value;
    const char* expected;
};

class MaskText : public ::testing::TestWithParam<MaskRow> {};

TEST_P(MaskText, LaysValueIntoMask) {
    const MaskRow& r = GetParam();
    EXPECT_EQ(FormatMaskText(r.mask, r.value), r.expected);
}

const MaskRow kMaskRows[] = {
    {"without-literals", "000-0000;0;_", "5551234", "555-1234"},
    {"without-literals-short-gets-blanks", "000-0000;0;_", "555", "555-____"},
    {"value-with-literals", "000-0000;1;_", "555-1234", "555-1234"},
    {"save-literals-is-default", "000-0000", "555-1234", "555-1234"},
    {"default-blank-is-space", "000-0000", "55", "55 -    "},
    {"saved-literal-missing-from-value", "000-0000;1;_", "5551234", "555-1234"},
    {"right-justified", "!999-9999;0;*", "1234", "***-1234"},
    {"left-justified", "999-9999;0;*", "1234", "123-4***"},
    {"upper-case", ">LLL;0;_", "abc", "ABC"},
    {"lower-then-case-off", "<LL<>LL;0;_", "ABCD", "abCD"},
    {"upper-then-lower", ">L<lll;0;_", "jOHN", "John"},
    {"escaped-mask-character", "\\A00;0;_", "12", "A12"},
    {"escaped-separator", "00\\;00;0;_", "1234", "12;34"},
    {"date-separator-from-settings", "00/00/0000;0;_", "01052024", "01-05-2024"},
    {"time-separator-from-settings", "00:00;0;_", "0830", "08:30"},
    {"all-input-classes", "LlAaCc09#;0;_", "xY1z$%47-", "xY1z$%47-"},
    {"extra-value-kept", "00-00;0;_", "123456", "12-3456"},
    {"characters-not-bytes", "CC-CC;0;_", "中文测试", "中文-测试"},
    {"non-ascii-literal", "0000年00月;0;_", "202401", "2024年01月"},
    {"non-ascii-blank", "000;0;○", "1", "1○○"},
    {"empty-value", "(000);0;_", "", "(___)"},
    {"empty-mask-keeps-value", "", "abc", "abc"},
};

INSTANTIATE_TEST_SUITE_P(Rows, MaskText, ::testing::ValuesIn(kMaskRows), [](const auto& info) {
    std::string s(info.param.name);
    for (char& c : s)
        if (c == '-')
            c = '_';
    return s;
});

}  // namespace
