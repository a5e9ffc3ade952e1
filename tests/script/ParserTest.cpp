// The scanner: token kinds, comments, strings with character codes, numbers, positions.
#include "script/Parser.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

enum class Reader { Keyword, Ident, Char, String, Number, FRString, EOL };

// Settings of the four kinds of language the scanner serves.
enum class Style { Pascal, CLike, Basic };

void Configure(TfsParser& p, Style style) {
    p.ResetSettings();
    p.AddKeyword("begin");
    p.AddKeyword("end");
    if (style == Style::CLike || style == Style::Basic) {
        p.SetStringQuotes("\"");
        p.SetHexSequence("0x");
        p.SetCommentBlock1("/*,*/");
        p.SetCommentBlock2("/*,*/");
    }
    if (style == Style::Basic) {
        p.SetCommentLine1("'");
        p.SetCommentLine2("rem");
        p.SetSkipEOL(false);
        p.SetSkipChar("_");
    }
}

std::string Read(TfsParser& p, Reader r) {
    switch (r) {
    case Reader::Keyword: return p.GetKeyword();
    case Reader::Ident: return p.GetIdent();
    case Reader::Char: return p.GetChar();
    case Reader::String: return p.GetString();
    case Reader::Number: return p.GetNumber();
    case Reader::FRString: return p.GetFRString();
    case Reader::EOL: return p.GetEOL() ? "EOL" : "";
    }
    return {};
}

struct TokenCase {
    const char* name;
    Style style;
    const char* text;
    Reader reader;
    const char* token;  // "" = nothing read
    int position;       // Position afterwards (1-based, characters)
};

class ScannerToken : public testing::TestWithParam<TokenCase> {};

TEST_P(ScannerToken, ReadsTokenAndStopsBehindIt) {
    const TokenCase& c = GetParam();
    TfsParser p;
    Configure(p, c.style);
    p.SetText(c.text);
    EXPECT_EQ(Read(p, c.reader), c.token);
    EXPECT_EQ(p.Position(), c.position);
}

INSTANTIATE_TEST_SUITE_P(
    Script, ScannerToken,
    testing::Values(
        // Words
        TokenCase{"keyword", Style::Pascal, "  Begin x", Reader::Keyword, "Begin", 8},
        TokenCase{"word_with_digits", Style::Pascal, "a1_b2+", Reader::Keyword, "a1_b2", 6},
        TokenCase{"no_leading_digit", Style::Pascal, "1abc", Reader::Keyword, "", 1},
        TokenCase{"ident_refuses_keyword", Style::Pascal, " BEGIN", Reader::Ident, "", 1},
        TokenCase{"ident", Style::Pascal, "{c} total;", Reader::Ident, "total", 10},
        TokenCase{"chinese_is_no_word", Style::Pascal, "中文", Reader::Keyword, "", 1},
        // Punctuation: never skips blanks
        TokenCase{"char", Style::Pascal, ":=", Reader::Char, ":", 2},
        TokenCase{"char_no_blank_skip", Style::Pascal, " ;", Reader::Char, "", 1},
        TokenCase{"char_letter", Style::Pascal, "a", Reader::Char, "", 1},
        TokenCase{"char_brace", Style::Pascal, "~", Reader::Char, "~", 2},
        // Strings, quote doubling
        TokenCase{"quoted", Style::Pascal, " 'abc' x", Reader::String, "'abc'", 7},
        TokenCase{"doubled_quote", Style::Pascal, "'It''s'", Reader::String, "'It's'", 8},
        TokenCase{"char_codes_joined", Style::Pascal, "'It''s'#13#10'ok'", Reader::String, "'It's\r\nok'", 18},
        TokenCase{"hex_char_code", Style::Pascal, "#$41#66", Reader::String, "'AB'", 8},
        TokenCase{"code_point", Style::Pascal, "#20013", Reader::String, "'中'", 7},
        TokenCase{"huge_code", Style::Pascal, "#99999999999999", Reader::String, "'\xEF\xBF\xBD'", 16},
        TokenCase{"lone_hash", Style::Pascal, "#x", Reader::String, "", 1},
        TokenCase{"hash_after_piece_kept", Style::Pascal, "'a'#", Reader::String, "'a'", 4},
        TokenCase{"unclosed", Style::Pascal, "'abc", Reader::String, "", 1},
        TokenCase{"unclosed_at_line_end", Style::Pascal, "'abc\r\n'", Reader::String, "", 1},
        TokenCase{"empty_string", Style::Pascal, "''", Reader::String, "''", 3},
        TokenCase{"utf8_content", Style::Pascal, "'中文'", Reader::String, "'中文'", 5},
        TokenCase{"blank_between_pieces_ends", Style::Pascal, "'a' 'b'", Reader::String, "'a'", 4},
        // Strings, backslash escapes
        TokenCase{"escapes", Style::CLike, "\"It's\\r\\nok\"", Reader::String, "'It's\r\nok'", 13},
        TokenCase{"escape_letter_case", Style::CLike, "\"\\N\\R\"", Reader::String, "'\n\r'", 7},
        TokenCase{"escape_t_is_letter", Style::CLike, "\"a\\tb\"", Reader::String, "'atb'", 7},
        TokenCase{"escape_quote_backslash", Style::CLike, "\"\\\"\\\\\"", Reader::String, "'\"\\'", 7},
        TokenCase{"escape_hex_all_digits", Style::CLike, "\"\\x41BC\"", Reader::String, "'\xE4\x86\xBC'", 9},
        TokenCase{"escape_hex_without_digits", Style::CLike, "\"a\\xg\"", Reader::String, "'ag'", 7},
        TokenCase{"escape_at_end", Style::CLike, "\"a\\", Reader::String, "", 1},
        TokenCase{"clike_char_code", Style::CLike, "#0x41", Reader::String, "'A'", 6},
        // Numbers
        TokenCase{"integer", Style::Pascal, " 42;", Reader::Number, "42", 4},
        TokenCase{"hex", Style::Pascal, "$FF", Reader::Number, "$FF", 4},
        TokenCase{"hex_prefix_only", Style::Pascal, "$G", Reader::Number, "", 1},
        TokenCase{"clike_hex", Style::CLike, "0xFF", Reader::Number, "$FF", 5},
        TokenCase{"float_exponent", Style::Pascal, "1.5e-3", Reader::Number, "1.5e-3", 7},
        TokenCase{"range_is_no_fraction", Style::Pascal, "1..5", Reader::Number, "1", 2},
        TokenCase{"exponent_without_digits", Style::Pascal, "2e", Reader::Number, "2", 2},
        TokenCase{"exponent_sign_without_digits", Style::Pascal, "2e+x", Reader::Number, "2", 2},
        TokenCase{"fraction", Style::Pascal, "3.25", Reader::Number, "3.25", 5},
        TokenCase{"no_number", Style::Pascal, "x1", Reader::Number, "", 1},
        // Report-variable text (called behind '<')
        TokenCase{"frstring", Style::Pascal, "Var1>", Reader::FRString, "Var1", 5},
        TokenCase{"frstring_nested", Style::Pascal, "a<b>c>", Reader::FRString, "a<b>c", 6},
        TokenCase{"frstring_quotes", Style::Pascal, "a\">\"b>", Reader::FRString, "a\">\"b", 6},
        TokenCase{"frstring_single_quotes", Style::Pascal, "'>'>", Reader::FRString, "'>'", 4},
        TokenCase{"frstring_line_end", Style::Pascal, "abc\r\n>", Reader::FRString, "", 1},
        TokenCase{"frstring_end_of_text", Style::Pascal, "abc", Reader::FRString, "abc", 4},
        // Comments before a token
        TokenCase{"all_comments", Style::Pascal, "{ a } (* b *) // c\nx", Reader::Keyword, "x", 21},
        TokenCase{"comments_do_not_nest", Style::Pascal, "{ { } x", Reader::Keyword, "x", 8},
        TokenCase{"unclosed_block_swallows_rest", Style::Pascal, "{ x", Reader::Keyword, "", 1},
        TokenCase{"clike_block", Style::CLike, "/* a */ b", Reader::Keyword, "b", 10},
        // Line ends
        TokenCase{"eol_crlf", Style::Basic, "  \r\n\r\nx", Reader::EOL, "EOL", 7},
        TokenCase{"eol_lf_only", Style::Basic, "\nx", Reader::EOL, "EOL", 2},
        TokenCase{"eol_after_comment", Style::Basic, " ' note\r\nx", Reader::EOL, "EOL", 10},
        TokenCase{"no_eol", Style::Basic, "  x", Reader::EOL, "", 1},
        TokenCase{"continued_line", Style::Basic, "_ \r\n  x", Reader::Keyword, "x", 8},
        TokenCase{"line_end_is_blank_by_default", Style::Pascal, "\r\n x", Reader::EOL, "", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Scanner, SkipSpacesSetsLastPositionAndStopsAtLineEndsWhenTheyCount) {
    TfsParser p;
    Configure(p, Style::Basic);
    p.SetText("x = 1 ' one\r\ny = 2");
    EXPECT_EQ(p.GetKeyword(), "x");
    p.SkipSpaces();
    EXPECT_EQ(p.GetChar(), "=");
    EXPECT_EQ(p.GetNumber(), "1");
    // The trailing comment does not swallow the line end that ends the statement.
    EXPECT_TRUE(p.GetEOL());
    EXPECT_EQ(p.GetXYPosition(), "2:1");
    EXPECT_EQ(p.GetKeyword(), "y");

    p.SetText("x\n' one\ny");
    EXPECT_EQ(p.GetKeyword(), "x");
    EXPECT_TRUE(p.GetEOL());
    p.SkipSpaces();
    EXPECT_EQ(p.Position(), 8);
    EXPECT_EQ(p.LastPosition(), 8);
    EXPECT_TRUE(p.GetEOL());
    EXPECT_EQ(p.GetKeyword(), "y");
}

TEST(Scanner, PositionsCountCharactersFromOne) {
    TfsParser p;
    p.SetText("中文 x\r\n\r\n  'é' y");
    struct {
        int position;
        const char* xy;
    } expected[] = {{1, "1:1"}, {4, "1:4"}, {5, "1:5"}, {6, "1:6"}, {7, "2:1"}, {8, "2:2"},
                    {9, "3:1"}, {11, "3:3"}, {16, "3:8"}};
    for (const auto& e : expected) EXPECT_EQ(p.XYPositionOf(e.position), e.xy) << e.position;
    EXPECT_EQ(p.GetXYPosition(), "1:1");
    p.SetPosition(4);
    EXPECT_EQ(p.GetKeyword(), "x");
    EXPECT_EQ(p.GetString(), "'é'");
    EXPECT_EQ(p.GetXYPosition(), "3:6");
    EXPECT_EQ(p.Size(), 15);
    EXPECT_EQ(p.Copy(11, 3), "'é'");
    // Positions outside the text are clamped.
    p.SetPosition(1000);
    EXPECT_EQ(p.Position(), 16);
    p.SetPosition(-3);
    EXPECT_EQ(p.Position(), 1);
}

TEST(Scanner, SettingsRoundTripAndKeywordsIgnoreCase) {
    TfsParser p;
    EXPECT_EQ(p.CommentLine1(), "//");
    EXPECT_EQ(p.CommentBlock1(), "{,}");
    EXPECT_EQ(p.CommentBlock2(), "(*,*)");
    EXPECT_EQ(p.HexSequence(), "$");
    EXPECT_EQ(p.StringQuotes(), "'");
    EXPECT_TRUE(p.SkipEOL());
    EXPECT_TRUE(p.SkipSpace());
    p.SetCommentBlock1("");
    EXPECT_EQ(p.CommentBlock1(), "");
    p.SetText("{ x");
    EXPECT_EQ(p.GetChar(), "{");

    p.AddKeyword("While");
    p.AddKeyword("while");
    EXPECT_EQ(p.Keywords().size(), 1u);
    EXPECT_TRUE(p.IsKeyword("WHILE"));
    EXPECT_FALSE(p.IsKeyword("whil"));

    p.SetIdentChars("ab");
    p.SetText("abc");
    EXPECT_EQ(p.GetKeyword(), "ab");

    p.SetSkipSpace(false);
    p.SetText(" a");
    EXPECT_EQ(p.GetKeyword(), "");
}

TEST(Scanner, MalformedTextNeverReadsOutOfRange) {
    // Every reader at every position of awkward texts: each either reads or leaves the position.
    const char* texts[] = {"'", "\"", "#", "#$", "$", "{", "(*", "/*", "//", "\\", "<", "'a''", "\"\\x",
                           "1e", "1.", "0x", "_", "\r", "中", "'中", "a<'b>"};
    for (Style style : {Style::Pascal, Style::CLike, Style::Basic}) {
        for (const char* text : texts) {
            TfsParser p;
            Configure(p, style);
            p.SetText(text);
            for (int start = 1; start <= p.Size() + 1; ++start) {
                for (Reader r : {Reader::Keyword, Reader::Ident, Reader::Char, Reader::String, Reader::Number,
                                 Reader::FRString, Reader::EOL}) {
                    p.SetPosition(start);
                    const std::string token = Read(p, r);
                    EXPECT_GE(p.Position(), 1);
                    EXPECT_LE(p.Position(), p.Size() + 1);
                    if (token.empty()) {
                        EXPECT_EQ(p.Position(), start) << text << " at " << start;
                    }
                }
                p.SetPosition(start);
                p.SkipSpaces();
                EXPECT_LE(p.Position(), p.Size() + 1);
            }
        }
    }
}

}  // namespace
