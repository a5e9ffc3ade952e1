// The language registry, the grammar documents that come with the engine, and the cache.
#include "script/Grammar.h"

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/StringList.h"
#include "script/ILParser.h"
#include "script/Messages.h"

#include <gtest/gtest.h>


namespace {

std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "(no exception)";
}

TEST(Languages, RegistryKeepsFirstRegistrationAndOrder) {
    TStringList list;
    list.Add("stale");
    GetLanguageList(list);
    ASSERT_GE(list.Count(), 1);
    EXPECT_EQ(list.Strings(0), "PascalScript");

    const std::string pascal = GetLanguage("PascalScript");
    RegisterLanguage("PascalScript", "<?xml?><language text=\"Other\"/>");
    EXPECT_EQ(GetLanguage("PascalScript"), pascal);
    EXPECT_EQ(GetLanguage("pascalscript"), pascal);

    RegisterLanguage("TestLanguageA", "<?xml?><language/>");
    GetLanguageList(list);
    EXPECT_EQ(list.Strings(list.Count() - 1), "TestLanguageA");
    EXPECT_EQ(list.IndexOf("stale"), -1);

    EXPECT_EQ(MessageOf([] { GetLanguage("Cobol"); }), "语言'Cobol'未找到");
    EXPECT_EQ(MessageOf([] { GetGrammar("Cobol"); }), "语言'Cobol'未找到");
    TfsILParser parser;
    EXPECT_EQ(MessageOf([&] { parser.LoadGrammar("Cobol"); }), "语言'Cobol'未找到");
}

TEST(Languages, GrammarIsParsedOncePerLanguage) {
    const auto first = GetGrammar("PascalScript");
    const auto second = GetGrammar("PascalScript");
    EXPECT_EQ(first.get(), second.get());
    TfsILParser a, b;
    a.LoadGrammar("PascalScript");
    b.LoadGrammar("PascalScript");
    EXPECT_EQ(a.Grammar().get(), first.get());
    EXPECT_EQ(b.Grammar().get(), first.get());
}

TEST(Languages, MalformedGrammarsFail) {
    RegisterLanguage("TestBrokenXML", "<?xml?><language><parser></language>");
    EXPECT_EQ(MessageOf([] { GetGrammar("TestBrokenXML"); }), "Invalid file format");

    // A rule that refers to a rule the grammar lacks fails only when the reference is reached.
    RegisterLanguage("TestMissingRule",
                     "<?xml?><language><program><switch><keyword text=\"ok\"/><nowhere/></switch></program></language>");
    TfsILParser parser;
    parser.LoadGrammar("TestMissingRule");
    EXPECT_TRUE(parser.BuildIntermediate("ok"));
    EXPECT_EQ(MessageOf([&] { parser.BuildIntermediate("other"); }), "非法的语言定义 ");

    RegisterLanguage("TestNoProgram", "<?xml?><language><parser/></language>");
    parser.LoadGrammar("TestNoProgram");
    EXPECT_EQ(MessageOf([&] { parser.BuildIntermediate("x"); }), "非法的语言定义 ");
}

TEST(Languages, SettingsComeFromTheParserElement) {
    RegisterLanguage("TestSettings",
                     "<?xml?><language><parser><identchars text=\"abc_\"/><commentline1 text=\"--\"/>"
                     "<commentline2 text=\"rem\"/><commentblock1 text=\"&#60;*,*&#62;\"/><commentblock2 text=\"\"/>"
                     "<stringquotes text=\"&#34;\"/><hexsequence text=\"0x\"/><declarevars text=\"0\"/>"
                     "<skipeol text=\"0\"/><skipchar text=\"_\"/><unknown text=\"1\"/>"
                     "<keywords><Foo/><bar/></keywords></parser><program/></language>");
    const auto grammar = GetGrammar("TestSettings");
    TfsParser p;
    p.SetSettings(grammar->ParserSettings());
    EXPECT_EQ(p.CommentLine1(), "--");
    EXPECT_EQ(p.CommentLine2(), "rem");
    EXPECT_EQ(p.CommentBlock1(), "<*,*>");
    EXPECT_EQ(p.CommentBlock2(), "");
    EXPECT_EQ(p.StringQuotes(), "\"");
    EXPECT_EQ(p.HexSequence(), "0x");
    EXPECT_EQ(p.SkipChar(), "_");
    EXPECT_FALSE(p.SkipEOL());
    EXPECT_FALSE(grammar->NeedDeclareVars());
    EXPECT_TRUE(p.IsKeyword("FOO"));
    EXPECT_TRUE(p.IsKeyword("bar"));
    p.SetText("abcd");
    EXPECT_EQ(p.GetKeyword(), "abc");
    EXPECT_TRUE(GetGrammar("PascalScript")->NeedDeclareVars());
}

// The grammar documents must be readable by both XML readers of the system: no comments, and
// every '<', '>', '"' and '&' inside attribute values written as "&#N;".
void CheckStrictXML(const std::string& text, const std::string& language) {
    EXPECT_EQ(text.find("<!--"), std::string::npos) << language;
    bool inTag = false, inValue = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inValue) {
            if (c == '"') inValue = false;
            EXPECT_TRUE(c != '<' && c != '>') << language << " at byte " << i;
            if (c == '&') {
                EXPECT_EQ(text.compare(i, 2, "&#"), 0) << language << " at byte " << i;
            }
        } else if (inTag) {
            if (c == '"') inValue = true;
            if (c == '>') inTag = false;
            EXPECT_NE(c, '<') << language << " at byte " << i;
        } else {
            if (c == '<') inTag = true;
            EXPECT_TRUE(c == '<' || c == ' ' || c == '\n' || c == '\r') << language << " text at byte " << i;
        }
    }
}

TEST(Languages, EmbeddedGrammarsAreSoundAndMatchTheirFiles) {
    ASSERT_GE(kEmbeddedGrammarCount, 1u);
    for (size_t g = 0; g < kEmbeddedGrammarCount; ++g) {
        const std::string language = kEmbeddedGrammars[g].Language;
        const std::string text(kEmbeddedGrammars[g].Text, kEmbeddedGrammars[g].Size);
        EXPECT_EQ(ReadFileBytes(std::string(ROVE_GRAMMAR_DIR) + "/" + kEmbeddedGrammars[g].FileName), text) << language;
        CheckStrictXML(text, language);

        const auto grammar = GetGrammar(language);
        const TfsXMLItem* root = grammar->Document().Root();
        EXPECT_EQ(root->Name(), "language");
        EXPECT_EQ(root->Prop("text"), language);
        EXPECT_GE(grammar->FindRule("program"), 0) << language;
        EXPECT_GE(grammar->FindRule("empty"), 0) << language;
        ASSERT_NE(grammar->Types(), nullptr) << language;
        // Every element reachable from the start rule: references resolve, every err names a
        // message, every node and add is a plain name, every char is one character.
        std::vector<int> pending{grammar->FindRule("program")};
        std::vector<bool> seen(grammar->Elements().size());
        while (!pending.empty()) {
            const int index = pending.back();
            pending.pop_back();
            if (index < 0 || seen[static_cast<size_t>(index)]) continue;
            seen[static_cast<size_t>(index)] = true;
            const TfsGrammarElement& e = grammar->Element(index);
            if (e.Kind == TfsGrammarKind::Reference) {
                EXPECT_GE(e.Rule, 0) << language << ": <" << e.Name << ">";
                pending.push_back(e.Rule);
            }
            // A message missing from `errors` would fall back to the err name itself.
            if (e.HasErr) {
                EXPECT_FALSE(StartsText("err", e.ErrMessage)) << language << ": " << e.ErrMessage;
            }
            EXPECT_EQ(e.Node.find_first_of(" <>\"&'"), std::string::npos) << e.Node;
            EXPECT_EQ(e.Add.find_first_of(" <>\"&'"), std::string::npos) << e.Add;
            if (e.Kind == TfsGrammarKind::Char && e.HasText) {
                EXPECT_EQ(e.Text.size(), 1u) << e.Text;
            }
            pending.insert(pending.end(), e.Children.begin(), e.Children.end());
        }
    }
}

TEST(Languages, PascalScriptTablesAsSpecified) {
    const auto grammar = GetGrammar("PascalScript");
    const std::string keywords =
        "and array begin break case const continue div do downto else end except exit finally for function goto "
        "if in is label mod not of or procedure program repeat shl shr then to try until uses var while with xor";
    std::string joined;
    for (const std::string& k : grammar->ParserSettings().Keywords) {
        if (!joined.empty()) joined += ' ';
        joined += k;
    }
    EXPECT_EQ(joined, keywords);

    const char* messages[] = {"Identifier expected", "Expression expected", "Statement expected", "':' expected",
                              "';' expected", "'.' expected", "')' expected", "']' expected", "'=' expected",
                              "'BEGIN' expected", "'END' expected", "'OF' expected", "'THEN' expected",
                              "'UNTIL' expected", "'TO' or 'DOWNTO' expected", "'DO' expected",
                              "'FINALLY' or 'EXCEPT' expected", "'[' expected", "'..' expected", "'>' expected"};
    const TfsXMLItem* root = grammar->Document().Root();
    const TfsXMLItem* errors = root->Items(root->Find("parser"))->Items(root->Items(root->Find("parser"))->Find("errors"));
    ASSERT_EQ(errors->Count(), 20);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(errors->Items(i)->Name(), "err" + std::to_string(i + 1));
        EXPECT_EQ(errors->Items(i)->Prop("text"), messages[i]);
    }
    const TfsParserSettings& s = grammar->ParserSettings();
    EXPECT_EQ(s.CommentLine1, U"//");
    EXPECT_EQ(s.Block1Open + s.Block1Close + s.Block2Open + s.Block2Close, U"{}(**)");
    EXPECT_EQ(s.StringQuote, U'\'');
    EXPECT_EQ(s.HexSequence, U"$");
    EXPECT_TRUE(s.SkipEOL);
    EXPECT_EQ(grammar->Types()->Count(), 0);
}

}  // namespace
