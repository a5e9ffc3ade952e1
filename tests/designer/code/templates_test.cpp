// Event-handler templates of the four languages: handlers listed, found and inserted, empty
// main blocks, and the inserted handlers compiling in their language.
#include <gtest/gtest.h>

#include <memory>

#include "designer/code/CodeUtils.h"
#include "designer/resources/DesignerTexts.h"
#include "platform/rtl/StringList.h"
#include "report/Component.h"
#include "report/Report.h"
#include "script/Script.h"

namespace {

class CodeTemplates : public ::testing::Test {
protected:
    void SetUp() override {
        frxRegisterDesignerTexts();
        frxRegisterCodeTemplates();
    }
};

TEST_F(CodeTemplates, PascalHandlerGoesInFrontOfTheMainBlock) {
    TStringList s;
    s.SetText("begin\n\nend.");
    EXPECT_EQ(InsertEventHandler(s, "PascalScript", "TfrxNotifyEvent", "Memo1OnClick"), 3);
    EXPECT_EQ(s.Text(),
              "procedure Memo1OnClick(Sender: TfrxComponent);\r\nbegin\r\n\r\nend;\r\n\r\nbegin\r\n\r\nend.\r\n");
}

struct TInsertCase {
    const char* Name;
    const char* Language;
    const char* Script;
    int Line;   // 0-based line the handler goes before
};

class InsertLine : public CodeTemplates, public ::testing::WithParamInterface<TInsertCase> {};

TEST_P(InsertLine, IsTheMainBlockOrTheLastLine) {
    const TInsertCase& c = GetParam();
    TStringList s;
    s.SetText(c.Script);
    EXPECT_EQ(FindHandlerInsertLine(s, c.Language), c.Line);
}

const TInsertCase kInsertCases[] = {
    {"PascalNestedBlockInTheMain", "PascalScript",
     "procedure P;\nbegin\nend;\n\nbegin\n  if True then\n  begin\n    P;\n  end;\nend.", 4},
    {"PascalBeginInACommentIsNoBlock", "PascalScript", "begin\n  // begin\n  x := 'begin';\nend.", 0},
    {"CppBracesCounted", "C++Script", "void f()\n{\n}\n\n{\n  if (1) { f(); }\n}", 4},
    {"CppLastBraceLine", "C++Script", "{\n  x = 1;\n}", 0},
    {"BasicBeforeTheLastLine", "BasicScript", "a = 1\nb = 2", 1},
    {"JScriptBeforeTheLastLine", "JScript", "var a = 1;\nvar b = 2;\nvar c;", 2},
    {"BasicEmptyScript", "BasicScript", "", 0},
    {"PascalWithoutMainBlock", "PascalScript", "procedure P;\nbegin\nend;", -1},
    {"PascalMainBlockOnTheFirstLine", "PascalScript", "begin end.", -1},
};

INSTANTIATE_TEST_SUITE_P(CodeTemplates, InsertLine, ::testing::ValuesIn(kInsertCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(CodeTemplates, ANoMainBlockErrorLeavesTheScriptAlone) {
    TStringList s;
    s.SetText("procedure P;\nbegin\nend;");
    try {
        InsertEventHandler(s, "PascalScript", "TfrxNotifyEvent", "X");
        FAIL() << "no error";
    } catch (const EfrxError& e) {
        EXPECT_EQ(e.Message(), "不能定位主过程");
    }
    EXPECT_EQ(s.Count(), 3);
}

TEST_F(CodeTemplates, HandlersAreListedAndFoundByTheirHeaderAtTheLineStart) {
    TStringList s;
    s.SetText(
        "procedure A(Sender: TfrxComponent);\nbegin\nend;\n"
        "PROCEDURE B(sender: tfrxcomponent; var CanClose: Boolean);\nbegin\nend;\n"
        "  procedure C(Sender: TfrxComponent);\nbegin\nend;\n"
        "procedure D (Sender: TfrxComponent);\nbegin\nend;\nbegin\nend.");
    TStringList list;
    ListMatchingHandlers(s, "PascalScript", "TfrxNotifyEvent", list);
    EXPECT_EQ(list.Text(), "A\r\nD\r\n");
    ListMatchingHandlers(s, "PascalScript", "TfrxCloseQueryEvent", list);
    EXPECT_EQ(list.Text(), "B\r\n");
    ListMatchingHandlers(s, "PascalScript", "TNoSuchEvent", list);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(FindHandlerLine(s, "PascalScript", "a"), 0);
    EXPECT_EQ(FindHandlerLine(s, "PascalScript", "B"), 3);
    EXPECT_EQ(FindHandlerLine(s, "PascalScript", "C"), -1);
}

TEST_F(CodeTemplates, AttributesAndParameterLists) {
    EXPECT_EQ(ScriptLanguageAttr("C++Script", "proc"), "void");
    EXPECT_EQ(ScriptLanguageAttr("PascalScript", "END"), "end;");
    EXPECT_EQ(ScriptLanguageAttr("PascalScript", "lastend"), "end.");
    EXPECT_EQ(ScriptLanguageAttr("BasicScript", "begin"), "");
    EXPECT_EQ(ScriptLanguageAttr("Cobol", "proc"), "");
    EXPECT_EQ(EventParamsFor("TfrxKeyPressEvent", "BasicScript"), "(Sender, byref Key)");
    EXPECT_EQ(EventParamsFor("TfrxMouseEvent", "C++Script"),
              "(TfrxComponent Sender, TMouseButton Button, int Shift, int X, int Y)");
    EXPECT_EQ(EventParamsFor("TfrxNoEvent", "JScript"), "");
}

struct TEmptyCase {
    const char* Language;
    const char* Text;
};

class EmptyScript : public CodeTemplates, public ::testing::WithParamInterface<TEmptyCase> {};

// The empty main block of each language, with a handler inserted, compiles in the report.
TEST_P(EmptyScript, IsTheMainBlockAndTakesAHandlerThatCompiles) {
    const TEmptyCase& c = GetParam();
    TStringList s;
    s.SetText("old text");
    NewEmptyScript(s, c.Language);
    EXPECT_EQ(s.Text(), c.Text);
    InsertEventHandler(s, c.Language, "TfrxNotifyEvent", "Page1OnBeforePrint");
    TfrxReport report(nullptr);
    report.EngineOptions()->SilentMode = true;
    report.ScriptLanguage = c.Language;
    report.ScriptText()->Assign(s);
    EXPECT_TRUE(report.PrepareScript()) << s.Text() << report.Script()->ErrorMsg();
}

const TEmptyCase kEmptyCases[] = {
    {"PascalScript", "begin\r\n\r\nend.\r\n"},
    {"C++Script", "{\r\n\r\n}\r\n"},
    {"BasicScript", ""},
    {"JScript", ""},
};

INSTANTIATE_TEST_SUITE_P(CodeTemplates, EmptyScript, ::testing::ValuesIn(kEmptyCases), [](const auto& info) {
    std::string n = info.param.Language;
    return n == "C++Script" ? std::string("CppScript") : n;
});

}  // namespace
