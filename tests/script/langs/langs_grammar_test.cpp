// The grammar documents of the C-like, JScript and BasicScript languages: registration order,
// scanner settings, keywords, messages and type names as each language defines them, and the
// documents read alike by the engine's XML reader and the report engine's (the designer's code
// editor takes the settings from the grammar through the latter).
#include "langs_helpers.h"

#include "platform/rtl/StrUtils.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Streams.h"
#include "report/XMLDocument.h"
#include "script/Grammar.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(LanguageGrammars, RegisteredInOrderAfterPascalScript) {
    TStringList list;
    GetLanguageList(list);
    ASSERT_GE(list.Count(), 4);
    EXPECT_EQ(list.Strings(0), "PascalScript");
    EXPECT_EQ(list.Strings(1), "C++Script");
    EXPECT_EQ(list.Strings(2), "BasicScript");
    EXPECT_EQ(list.Strings(3), "JScript");
    EXPECT_EQ(GetLanguage("c++script"), GetLanguage("C++Script"));
}

struct GrammarCase {
    const char* Language;
    const char* Keywords;
    std::map<int, const char*> Errors;  // every errN the language has
    std::map<std::string, std::string> Types;
    std::u32string CommentLine1, CommentLine2, Blocks;  // Blocks: open1 close1 open2 close2 joined
    std::u32string HexSequence;
    bool NeedDeclareVars, SkipEOL, WholeText;
    char32_t SkipChar;
};

class LanguageGrammarTest : public ::testing::TestWithParam<GrammarCase> {};

TEST_P(LanguageGrammarTest, TablesAsTheLanguageDefines) {
    const GrammarCase& c = GetParam();
    const auto grammar = GetGrammar(c.Language);
    std::string joined;
    for (const std::string& k : grammar->ParserSettings().Keywords) joined += (joined.empty() ? "" : " ") + k;
    EXPECT_EQ(joined, c.Keywords);

    const TfsXMLItem* parser = grammar->Document().Root()->Items(grammar->Document().Root()->Find("parser"));
    const TfsXMLItem* errors = parser->Items(parser->Find("errors"));
    ASSERT_EQ(errors->Count(), static_cast<int>(c.Errors.size()));
    for (const auto& [n, text] : c.Errors) EXPECT_EQ(grammar->ErrorText("err" + std::to_string(n)), text) << n;

    std::map<std::string, std::string> types;
    for (int i = 0; i < grammar->Types()->Count(); ++i)
        types[grammar->Types()->Items(i)->Name()] = grammar->Types()->Items(i)->Prop("type");
    EXPECT_EQ(types, c.Types);

    const TfsParserSettings& s = grammar->ParserSettings();
    EXPECT_EQ(s.CommentLine1, c.CommentLine1);
    EXPECT_EQ(s.CommentLine2, c.CommentLine2);
    EXPECT_EQ(s.Block1Open + s.Block1Close + s.Block2Open + s.Block2Close, c.Blocks);
    EXPECT_EQ(s.StringQuote, U'"');
    EXPECT_EQ(s.HexSequence, c.HexSequence);
    EXPECT_EQ(grammar->NeedDeclareVars(), c.NeedDeclareVars);
    EXPECT_EQ(s.SkipEOL, c.SkipEOL);
    EXPECT_EQ(s.SkipChar, c.SkipChar);
    EXPECT_EQ(grammar->WholeText(), c.WholeText);
}

const std::map<int, const char*> kCommonErrors = {
    {1, "Identifier expected"}, {2, "Expression expected"}, {4, "':' expected"}, {5, "';' expected"},
    {6, "'.' expected"}, {7, "')' expected"}, {8, "']' expected"}, {9, "'=' expected"},
    {17, "'FINALLY' or 'EXCEPT' expected"}, {18, "'[' expected"}, {19, "'..' expected"}, {20, "'>' expected"},
};

std::map<int, const char*> With(std::map<int, const char*> errors, const std::map<int, const char*>& more) {
    for (const auto& [n, text] : more) errors[n] = text;
    return errors;
}

const GrammarCase kGrammars[] = {
    {"C++Script",
     "break case continue default define delete do else except finally for if in is new return switch try while",
     With(kCommonErrors, {{3, "Statement expected"}, {10, "'{' expected"}, {11, "'}' expected"}, {12, "'(' expected"},
                          {13, "'DEFINE' expected"}, {14, "'WHILE' expected"}}),
     {{"int", "integer"}, {"long", "integer"}, {"void", "integer"}, {"bool", "boolean"}, {"float", "extended"}},
     U"//", U"", U"/**//**/", U"0x", true, true, false, 0},
    {"JScript",
     "break case continue default delete do else except finally for function if import in is new return switch try "
     "var while with",
     With(kCommonErrors, {{3, "Statement expected"}, {10, "'{' expected"}, {11, "'}' expected"}, {12, "'(' expected"},
                          {14, "'WHILE' expected"}}),
     {}, U"//", U"", U"/**//**/", U"0x", false, true, true, 0},
    {"BasicScript",
     "addressof and as byref byval case catch delete dim do else elseif end endif exit finally for function if "
     "imports is loop mod new next not or rem return select set step sub then to try wend while with xor",
     With(kCommonErrors,
          {{3, "End of line expected"}, {10, "'TO' expected"}, {11, "'END' expected"}, {12, "'(' expected"},
           {13, "'THEN' expected"}, {14, "'WHILE' expected"}, {15, "'CASE' expected"}, {16, "'SELECT' expected"},
           {17, "'FINALLY' or 'CATCH' expected"}, {21, "'WEND' expected"}, {22, "'NEXT' expected"},
           {23, "'WITH' expected"}, {24, "'TRY' expected"}, {25, "'SUB' expected"}, {26, "'FUNCTION' expected"},
           {27, "'ELSE' expected"}, {28, "'IF' expected"}}),
     {{"decimal", "extended"}}, U"'", U"rem", U"/\\/\\/\\/\\", U"0x", false, false, true, U'_'},
};

INSTANTIATE_TEST_SUITE_P(Languages, LanguageGrammarTest, ::testing::ValuesIn(kGrammars),
                         [](const auto& info) { return std::string(info.param.Language == std::string("C++Script")
                                                                       ? "CppScript" : info.param.Language); });

// Both readers see the same elements with the same attribute values, so the grammars hold
// nothing (comments, unescaped characters) that one of them would read differently.
void ExpectSameTree(const TfsXMLItem* a, const TfrxXMLItem* b, const std::string& path) {
    ASSERT_EQ(a->Name(), b->Name()) << path;
    for (const char* attr : {"text", "type", "node", "add", "addtext", "err", "term", "skip"})
        EXPECT_EQ(a->Prop(attr), b->Prop(attr)) << path << " " << attr;
    ASSERT_EQ(a->Count(), b->Count()) << path;
    for (int i = 0; i < a->Count(); ++i) ExpectSameTree(a->Items(i), b->Items(i), path + "/" + a->Items(i)->Name());
}

TEST(LanguageGrammars, ReportReaderReadsThemAlike) {
    for (size_t g = 0; g < kEmbeddedGrammarCount; ++g) {
        const std::string text(kEmbeddedGrammars[g].Text, kEmbeddedGrammars[g].Size);
        TfrxXMLDocument report;
        TStringStream stream(text);
        report.LoadFromStream(stream);
        const auto grammar = GetGrammar(kEmbeddedGrammars[g].Language);
        ExpectSameTree(grammar->Document().Root(), report.Root(), kEmbeddedGrammars[g].Language);
        EXPECT_EQ(report.Root()->Prop("text"), kEmbeddedGrammars[g].Language);
    }
}

}  // namespace
