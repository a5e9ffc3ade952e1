// Pinyin look-up codes: the flag bits, the symbol rows, the cut, and common names.
#include "app/widgets/GetIMCode.h"

#include <gtest/gtest.h>

namespace {

struct IMCodeCase {
    const char* name;
    std::string gbk;     // raw GBK bytes where the case needs them
    int flags;
    int maxLength;
    const char* expected;
};

std::string Gbk(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes) s += static_cast<char>(b);
    return s;
}

class GetIMCodeBytes : public testing::TestWithParam<IMCodeCase> {};

TEST_P(GetIMCodeBytes, GivesCode) {
    const IMCodeCase& c = GetParam();
    EXPECT_EQ(GetIMCode(c.gbk, c.flags, c.maxLength), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, GetIMCodeBytes,
    testing::Values(
        IMCodeCase{"circled_one", Gbk({0xA2, 0xD9}), 2, 255, "1"},
        IMCodeCase{"circled_ten", Gbk({0xA2, 0xE2}), 2, 255, "10"},
        IMCodeCase{"dotted_twenty", Gbk({0xA2, 0xC4}), 2, 255, "20"},
        IMCodeCase{"roman_twelve", Gbk({0xA2, 0xFC}), 2, 255, "12"},
        IMCodeCase{"row_a2_gap_is_empty", Gbk({0xA2, 0xE3}), 2, 255, ""},
        IMCodeCase{"row_a2_low_trail_marked", Gbk({0xA2, 0x50}), 2, 255, "?"},
        IMCodeCase{"row_a2_low_trail_unmarked", Gbk({0xA2, 0x50}), 0, 255, ""},
        IMCodeCase{"theta", Gbk({0xA6, 0xC8}), 2, 255, "TH"},
        IMCodeCase{"capital_psi", Gbk({0xA6, 0xB7}), 0, 255, "PS"},
        IMCodeCase{"greek_gap_marked", Gbk({0xA6, 0xB9}), 2, 255, "?"},
        IMCodeCase{"fullwidth_letter_kept_as_is", Gbk({0xA3, 0xE1}), 2, 255, "a"},
        IMCodeCase{"fullwidth_digit_dropped", Gbk({0xA3, 0xB1}), 2, 255, ""},
        IMCodeCase{"fullwidth_digit_kept_with_bit2", Gbk({0xA3, 0xB1}), 4, 255, "1"},
        IMCodeCase{"trail_ff_marked", Gbk({0xB0, 0xFF}), 2, 255, "?"},
        IMCodeCase{"lead_ff_marked", Gbk({0xFF, 0x41}), 2, 255, "?"},
        IMCodeCase{"row_a2_trail_ff_marked", Gbk({0xA2, 0xFF}), 2, 255, "?"},
        IMCodeCase{"row_a2_trail_ff_unmarked", Gbk({0xA2, 0xFF}), 0, 255, ""},
        IMCodeCase{"four_byte_character_marked_once", Gbk({0x95, 0x32, 0x82, 0x36, 'a'}), 2, 255, "?A"},
        IMCodeCase{"four_byte_character_unmarked", Gbk({0x81, 0x30, 0x81, 0x30}), 0, 255, ""},
        IMCodeCase{"four_byte_character_kept_as_one_with_bit2", Gbk({0x81, 0x30, 0x81, 0x30}), 6, 255, "?"},
        IMCodeCase{"lone_high_byte_at_end", Gbk({'a', 0xB0}), 2, 255, "A?"},
        IMCodeCase{"lone_high_byte_never_kept", Gbk({0xB0}), 4, 255, ""},
        IMCodeCase{"ascii_letters_upper_digits_dropped", "ab-1c", 2, 255, "ABC"},
        IMCodeCase{"ascii_kept_with_bit2", "ab-1c", 4, 255, "AB-1C"},
        IMCodeCase{"cut_to_maximum", "ABCD", 2, 3, "ABC"},
        IMCodeCase{"negative_flags", "ABCD", -1, 255, ""},
        IMCodeCase{"empty", "", 2, 255, ""}),
    [](const testing::TestParamInfo<IMCodeCase>& info) { return info.param.name; });

struct NameCase {
    const char* utf8;
    int flags;
    const char* expected;
};

TEST(GetIMCode, NamesAndDrugs) {
    const NameCase cases[] = {
        {"张三", 2, "ZS"},
        {"王芳", 2, "WF"},
        {"李娜", 2, "LN"},
        {"刘德华", 2, "LDH"},
        {"陈", 2, "C"},
        {"张三", 3, "ZHANGSAN"},
        {"阿莫西林胶囊", 2, "AMXLJN"},
        {"头孢拉定", 2, "TBLD"},
        {"感冒灵颗粒", 2, "GMLKL"},
        {"维生素C片", 2, "WSSCP"},
        {"葡萄糖注射液 250ml", 2, "PTTZSYML"},
        {"女", 3, "NV"},
        {"吕", 3, "LV"},
        {"血常规", 2, "XCG"},
        {"※张", 2, "?Z"},
        // Characters outside GBK (four bytes in GB18030) are one unknown character each.
        {"张\U0001F600三", 2, "Z?S"},
        {"\U00020000李", 2, "?L"},
    };
    for (const NameCase& c : cases) EXPECT_EQ(GetIMCodeUtf8(c.utf8, c.flags, 255), c.expected) << c.utf8;
}

TEST(GetIMCode, FullPinyinKeepsSixLettersAndMaximumCutsTheWhole) {
    EXPECT_EQ(GetIMCodeUtf8("庄", 3, 255), "ZHUANG");
    EXPECT_EQ(GetIMCodeUtf8("庄庄", 3, 8), "ZHUANGZH");
}

}  // namespace
