// String routines by character on Chinese and mixed text, case rules, quoting, and the
// GB18030 conversions.
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StrUtils.h"

#include <gtest/gtest.h>

namespace {

TEST(StrUtils, CountsAndCutsByCharacter) {
    const std::string s = "中文abc字";   // 6 characters, 12 bytes
    EXPECT_EQ(Length(s), 6);
    EXPECT_EQ(Length(""), 0);

    struct Case { int index, count; const char* expected; };
    const Case copies[] = {
        {1, 2, "中文"}, {2, 3, "文ab"}, {6, 1, "字"}, {6, 5, "字"}, {7, 1, ""},
        {0, 2, "中文"},   // an index below 1 starts at the first character, count kept
        {-3, 1, "中"}, {3, 0, ""}, {3, -1, ""}, {1, 100, "中文abc字"},
    };
    for (const Case& c : copies)
        EXPECT_EQ(Copy(s, c.index, c.count), c.expected) << c.index << "," << c.count;
    EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
}

TEST(StrUtils, PosAndPosExReturnCharacterIndexes) {
    EXPECT_EQ(Pos("文", "中文abc字"), 2);
    EXPECT_EQ(Pos("c字", "中文abc字"), 5);
    EXPECT_EQ(Pos("z", "abc"), 0);
    EXPECT_EQ(Pos("", "abc"), 0);
    EXPECT_EQ(PosEx("中", "中x中x中", 2), 3);
    EXPECT_EQ(PosEx("中", "中x中x中", 4), 5);
    EXPECT_EQ(PosEx("中", "中x中x中", 6), 0);
    EXPECT_EQ(PosEx("x", "中x", 0), 0);
    // 0x96 is the middle byte of 文 (E6 96 87): a stray 0x96 is found where it stands on
    // its own, never inside the character.
    const std::string mixed = std::string("文") + "\x96";
    EXPECT_EQ(Pos("\x96", mixed), 2);
}

TEST(StrUtils, DeleteInsertSetLengthByCharacter) {
    struct Case { const char* s; int index, count; const char* expected; };
    const Case deletes[] = {
        {"中文abc", 2, 2, "中bc"}, {"中文abc", 1, 100, ""}, {"中文abc", 0, 2, "中文abc"},
        {"中文abc", 6, 1, "中文abc"}, {"中文abc", 5, 1, "中文ab"}, {"中文abc", 2, 0, "中文abc"},
    };
    for (const Case& c : deletes) {
        std::string s = c.s;
        Delete(s, c.index, c.count);
        EXPECT_EQ(s, c.expected) << c.s << " " << c.index << "," << c.count;
    }
    const Case inserts[] = {   // count unused: s is inserted into "中文"
        {"x", 1, 0, "x中文"}, {"x", 2, 0, "中x文"}, {"x", 3, 0, "中文x"}, {"x", 9, 0, "中文x"},
        {"字", 0, 0, "字中文"},
    };
    for (const Case& c : inserts) {
        std::string s = "中文";
        Insert(c.s, s, c.index);
        EXPECT_EQ(s, c.expected) << c.index;
    }
    std::string s = "中文ab";
    SetLength(s, 3);
    EXPECT_EQ(s, "中文a");
    SetLength(s, 5);
    EXPECT_EQ(s, "中文a  ");
    EXPECT_EQ(Length(s), 5);
}

TEST(StrUtils, TrimStripsBlanksAndControlCharactersOnly) {
    EXPECT_EQ(Trim(" \t\r\n 中 文\x01 "), "中 文");
    EXPECT_EQ(TrimLeft("  中文  "), "中文  ");
    EXPECT_EQ(TrimRight("  中文  "), "  中文");
    EXPECT_EQ(Trim("   "), "");
    // The full-width blank U+3000 is a character, not a blank of the class library.
    EXPECT_EQ(Trim("\u3000中\u3000"), "\u3000中\u3000");
}

TEST(StrUtils, CaseRules) {
    EXPECT_EQ(UpperCase("abc中éz"), "ABC中éZ");          // ASCII only
    EXPECT_EQ(LowerCase("ABC中ÉZ"), "abc中Éz");
    EXPECT_EQ(AnsiUpperCase("abc中éж"), "ABC中ÉЖ");      // every script
    EXPECT_EQ(AnsiLowerCase("ABC中ÉЖ"), "abc中éж");
    EXPECT_EQ(NameCase("hello wORLD"), "Hello World");
    EXPECT_EQ(NameCase("  中文 abc"), "  中文 Abc");

    EXPECT_EQ(CompareText("abc", "ABC"), 0);
    EXPECT_LT(CompareText("abc", "abd"), 0);
    EXPECT_GT(CompareText("abcd", "ABC"), 0);
    // Letters fold to upper case, so '_' sorts after letters as in the class library.
    EXPECT_GT(CompareText("a_", "aB"), 0);
    EXPECT_LT(CompareStr("ABC", "abc"), 0);
    EXPECT_TRUE(SameText("Form.TfrxDesignerForm", "FORM.tfrxdesignerform"));
    EXPECT_FALSE(SameText("ab", "abc"));
    EXPECT_TRUE(StartsText("\\software\\", "\\Software\\Quirewell"));
    EXPECT_TRUE(EndsText(".BL3", "rove.bl3"));
    EXPECT_TRUE(ContainsText("项目ID", "id"));
    EXPECT_FALSE(ContainsText("abc", "abd"));
}

TEST(StrUtils, QuotingAndReplacing) {
    EXPECT_EQ(QuotedStr("it's"), "'it''s'");
    struct Case { const char* in; const char* out; };
    const Case dequotes[] = {
        {"'it''s'", "it's"}, {"''", ""}, {"abc", "abc"}, {"'abc", "'abc"}, {"'ab'cd", "ab"}, {"", ""},
    };
    for (const Case& c : dequotes) EXPECT_EQ(AnsiDequotedStr(c.in, '\''), c.out) << c.in;

    EXPECT_EQ(StringReplace("a-b-c", "-", "+", 0), "a+b-c");
    EXPECT_EQ(StringReplace("a-b-c", "-", "+", rfReplaceAll), "a+b+c");
    EXPECT_EQ(StringReplace("Abc abc ABC", "abc", "x", rfReplaceAll), "Abc x ABC");
    EXPECT_EQ(StringReplace("Abc abc ABC", "abc", "x", rfReplaceAll | rfIgnoreCase), "x x x");
    EXPECT_EQ(StringReplace("中Éa中éA", "éa", "-", rfReplaceAll | rfIgnoreCase), "中-中-");
    EXPECT_EQ(StringReplace("aaa", "", "x", rfReplaceAll), "aaa");
    EXPECT_EQ(StringReplace("第%d页", "%d", "12", rfReplaceAll), "第12页");
}

TEST(StrUtils, NumbersCharactersAndLineBreaks) {
    EXPECT_EQ(IntToStr(-9223372036854775807LL - 1), "-9223372036854775808");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(0xABCDEF, 2), "ABCDEF");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(Chr(0x4E2D), "中");
    EXPECT_EQ(Chr(65), "A");
    EXPECT_EQ(Ord("中文"), 0x4E2DU);
    EXPECT_EQ(Ord(""), 0U);
    EXPECT_EQ(StringOfChar(U'中', 3), "中中中");
    EXPECT_EQ(DupeString("ab", 3), "ababab");
    EXPECT_EQ(AdjustLineBreaks("a\nb\rc\r\nd\n\r"), "a\r\nb\r\nc\r\nd\r\n\r\n");
}

TEST(StrUtils, CodePointDecoding) {
    struct Case { const char* name; std::string bytes; bool valid; };
    const Case cases[] = {
        {"ascii", "abc", true},
        {"chinese", "中文", true},
        {"four-byte", "\xF0\x9F\x98\x80", true},
        {"overlong", "\xC0\xAF", false},
        {"surrogate", "\xED\xA0\x80", false},
        {"beyond-max", "\xF4\x90\x80\x80", false},
        {"truncated", "\xE4\xB8", false},
        {"gbk-bytes", "\xD6\xD0\xCE\xC4", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.name;
    // Long runs of ASCII are checked a word at a time: a sequence at any place in them,
    // across a word's end too, is judged as alone.
    for (size_t at = 0; at <= 24; ++at) {
        auto with = [&](const std::string& Seq) { return std::string(at, 'a') + Seq + std::string(24 - at, 'b'); };
        EXPECT_TRUE(IsValidUtf8(with("中"))) << at;
        EXPECT_TRUE(IsValidUtf8(with("\xF0\x9F\x98\x80"))) << at;
        EXPECT_FALSE(IsValidUtf8(with("\xFF"))) << at;
        EXPECT_FALSE(IsValidUtf8(with("\xC0\xAF"))) << at;
        EXPECT_FALSE(IsValidUtf8(std::string(at, 'a') + "\xE4\xB8")) << at;
    }

    // An ill-formed byte counts as one character and decodes as U+FFFD, so iteration ends.
    const std::string bad = "a\xE4\xB8" "b";
    EXPECT_EQ(Length(bad), 4);
    EXPECT_EQ(Utf8ToU32(bad), std::u32string(U"a\uFFFD\uFFFDb"));
    EXPECT_EQ(U32ToUtf8(U"中\U0001F600"), "中\xF0\x9F\x98\x80");
    // A text converted whole is the characters converted one by one, at every boundary of
    // the encoding and for the code points that become U+FFFD.
    const char32_t points[] = {0, 1, 0x41, 0x7F, 0x80, 0xFF, 0x7FF, 0x800, 0x4E2D, 0xD7FF, 0xD800, 0xDBFF, 0xDC00,
                               0xDFFF, 0xE000, 0xFFFD, 0xFFFF, 0x10000, 0x1F600, 0x10FFFF, 0x110000, 0x7FFFFFFF, 0xFFFFFFFF};
    std::u32string all;
    std::string each;
    for (char32_t c : points) {
        EXPECT_EQ(U32ToUtf8(std::u32string(1, c)), CodePointToUtf8(c)) << static_cast<uint32_t>(c);
        all += c;
        each += CodePointToUtf8(c);
    }
    EXPECT_EQ(U32ToUtf8(all), each);
    EXPECT_EQ(U32ToUtf8(U""), "");
    EXPECT_EQ(CharIndexToByte("中文a", 3), 6U);
    EXPECT_EQ(CharIndexToByte("中文a", 9), 7U);
}

TEST(StrUtils, GbkKnownBytesAndRoundTrip) {
    struct Case { const char* utf8; std::string gbk; };
    const Case cases[] = {
        {"中", "\xD6\xD0"},
        {"中文abc", "\xD6\xD0\xCE\xC4" "abc"},
        {"收费", "\xCA\xD5\xB7\xD1"},
        {"", ""},
        {"\xF0\x9F\x98\x80", "\x94\x39\xFC\x36"},   // outside GBK: GB18030's four-byte form
        {"价€5・", "\xBC\xDB\x80" "5" "\x81\x39\xA7\x39"},   // the euro as code page 936 has it
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8ToGbk(c.utf8), c.gbk) << c.utf8;
        EXPECT_EQ(GbkToUtf8(c.gbk), c.utf8) << c.utf8;
    }
}

TEST(StrUtils, GbkReadsGb18030OnlySequences) {
    EXPECT_EQ(GbkToUtf8("\xA2\xE3"), "€");                    // GB18030's own euro
    EXPECT_EQ(GbkToUtf8("a\x81\x39\xA7\x39" "b"), "a・b");
}

TEST(StrUtils, BadBytesRaiseEncodingError) {
    EXPECT_THROW(Utf8ToGbk("ab\xC0\xAF"), EEncodingError);
    EXPECT_THROW(Utf8ToGbk("\xD6\xD0"), EEncodingError);          // GBK, not UTF-8
    EXPECT_THROW(GbkToUtf8("\xFF\xFF"), EEncodingError);
    EXPECT_THROW(GbkToUtf8("ab\xD6"), EEncodingError);            // lead byte without trail
    try {
        Utf8ToGbk("abc\xFF");
        FAIL() << "no exception";
    } catch (const EEncodingError& e) {
        EXPECT_NE(e.Message().find("byte 3"), std::string::npos) << e.Message();
        EXPECT_STREQ(e.ClassName(), "EEncodingError");
    }
}

TEST(StrUtils, DecodeLegacyTextPrefersUtf8) {
    EXPECT_EQ(DecodeLegacyText("中文"), "中文");
    EXPECT_EQ(DecodeLegacyText("\xD6\xD0\xCE\xC4"), "中文");
    EXPECT_EQ(DecodeLegacyText("plain"), "plain");
    EXPECT_THROW(DecodeLegacyText("\xFF\xFE\xFD"), EEncodingError);
}

}  // namespace
