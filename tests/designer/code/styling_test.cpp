// Styling of the code editor: the style of every character by each language's grammar and
// by the SQL rules, block comments across lines, and the line-by-line restyling after edits
// giving what a styling of the whole text gives.
#include <gtest/gtest.h>

#include "CodeFixture.h"
#include "platform/rtl/StrUtils.h"

namespace {

// The styles of a line as digits, one per character.
std::string StylesOf(const TfrxSyntaxMemo& Memo, int Line) {
    std::string out;
    const int n = Length(Memo.LineText(Line - 1));
    for (int c = 1; c <= n; ++c) out += char('0' + Memo.StyleAt(c, Line));
    return out;
}

struct TStyleCase {
    const char* Name;
    const char* Syntax;
    const char* Text;     // lines separated by "\n"
    std::vector<std::string> Styles;
};

class StyleTable : public ::testing::TestWithParam<TStyleCase> {};

TEST_P(StyleTable, GivesEachCharacterItsStyle) {
    const TStyleCase& c = GetParam();
    auto memo = MakeMemo(c.Text);
    memo->SetSyntax(c.Syntax);
    ASSERT_EQ(memo->LineCount(), static_cast<int>(c.Styles.size()));
    for (int l = 1; l <= memo->LineCount(); ++l) EXPECT_EQ(StylesOf(*memo, l), c.Styles[size_t(l - 1)]) << "line " << l;
}

// 1 text, 3 comment (blanks between tokens too), 4 keyword, 5 string, 6 number.
const TStyleCase kStyleCases[] = {
    {"PascalTokens", "PascalScript", "begin { c } 'str' $1F 12 x",
     {std::string("44444") + "3" + "33333" + "3" + "55555" + "3" + "666" + "3" + "11" + "3" + "1"}},
    {"PascalKeywordsInAnyCase", "PascalScript", "BEGIN End", {"444443444"}},
    {"PascalBlockCommentOverLines", "PascalScript", "a { b\nc } d\ne", {"13333", "33331", "1"}},
    {"PascalSecondBlockPair", "PascalScript", "(* {\n} *) x", {"3333", "333331"}},
    {"PascalLineComment", "PascalScript", "x // { not open\ny", {"1" + std::string(14, '3'), "1"}},
    {"CppTokens", "C++Script", "int x = 0x1F; // c",
     {std::string("111") + "3" + "1" + "3" + "1" + "3" + "1111" + "1" + "3" + "3333"}},
    {"CppStringWithEscape", "C++Script", "if (\"a\\\"b\")", {"44" "3" "1" "555555" "1"}},
    {"BasicTokens", "BasicScript", "dim s = \"a\" ' note",
     {std::string("444") + "3" + "1" + "3" + "1" + "3" + "555" + "3" + "333333"}},
    {"BasicRemComment", "BasicScript", "rem x\nremark", {"33333", "111111"}},
    {"JScriptTokens", "JScript", "var n = 1; /* c */",
     {std::string("444") + "3" + "1" + "3" + "1" + "3" + "1" + "1" + "3" + "3333333"}},
    {"SqlKeywordsAndComment", "SQL", "SELECT a -- c", {std::string("444444") + "3" + "1" + "3" + "3333"}},
    {"SqlSingleQuotesAreNoString", "SQL", "'x' \"y\"", {std::string("111") + "3" + "555"}},
    {"SqlHexNumber", "sql", "0x1F 12", {std::string("1111") + "3" + "11"}},
    {"UnknownLanguageHasNoKeywords", "Cobol", "begin", {"11111"}},
    {"ChineseTextAndComment", "PascalScript", "s := '中文'; // 注释", {std::string("1") + "3" + "11" + "3" + "5555" + "1" + "3" + "33333"}},
    {"TabKeepsItsCode", "PascalScript", "a\tb", {std::string("1") + char('0' + 9) + "1"}},
};

INSTANTIATE_TEST_SUITE_P(CodeEditor, StyleTable, ::testing::ValuesIn(kStyleCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(CodeEditorStyling, ALanguageKeepsNoRuleOfTheOneBefore) {
    auto memo = MakeMemo("rem x");
    memo->SetSyntax("BasicScript");
    EXPECT_EQ(StylesOf(*memo, 1), "33333");
    memo->SetSyntax("C++Script");
    EXPECT_EQ(StylesOf(*memo, 1), "11131");
}

// Edits change lines one by one; the styles must be those of a fresh styling of the text.
TEST(CodeEditorStyling, RestylingAfterEditsMatchesAWholeStyling) {
    auto memo = MakeMemo("begin\n  x := 1;\n  y := 'a';\n  z := 2;\nend.");
    memo->SetSyntax("PascalScript");
    const std::vector<std::vector<TKeyStroke>> edits = {
        {K(VK_DOWN), K(VK_HOME), Ch('{')},                 // opens a comment over every line below
        {K(VK_DOWN), K(VK_DOWN), K(VK_END), Ch('}')},      // closes it two lines down
        {K(VK_UP), K(VK_UP), K(VK_HOME), K(VK_DELETE)},    // takes the opening away again
        {K(VK_END, ssCtrl), K(VK_RETURN), Ch('('), Ch('*')},
        {Ctrl('Y')},
        {K(VK_HOME, ssCtrl), Ctrl('A'), Ch('\'')},
    };
    for (size_t i = 0; i < edits.size(); ++i) {
        Press(*memo, edits[i]);
        std::vector<std::string> lines;
        for (int l = 0; l < memo->LineCount(); ++l) lines.push_back(memo->LineText(l));
        auto fresh = MakeMemo("");
        fresh->SetLines(lines);
        fresh->SetSyntax("PascalScript");
        ASSERT_EQ(fresh->LineCount(), memo->LineCount());
        for (int l = 1; l <= memo->LineCount(); ++l)
            EXPECT_EQ(StylesOf(*memo, l), StylesOf(*fresh, l)) << "edit " << i << " line " << l;
    }
}

TEST(CodeEditorFonts, TheCellFollowsTheFontAndProportionalFontsKeepTheGrid) {
    auto memo = MakeMemo("x");
    EXPECT_TRUE(memo->FixedFont());
    const int w = memo->CharWidth();
    memo->Font()->SetSize(16);
    EXPECT_GT(memo->CharWidth(), w);
    EXPECT_EQ(memo->StyleFont(ssKeyword).Size(), 16);
    EXPECT_TRUE(memo->StyleFont(ssKeyword).Style().Contains(fsBold));
    EXPECT_TRUE(memo->StyleFont(ssComment).Style().Contains(fsItalic));
    EXPECT_EQ(memo->StyleFont(ssNumber).Color(), clGreen);
    memo->Font()->SetName("Arial");
    EXPECT_FALSE(memo->FixedFont());
}

}  // namespace
