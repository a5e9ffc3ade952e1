// Message functions and common dialogs from scripts, answered by the window layer's test
// responder.
#include "tests/script/core_helpers.h"

#include "platform/ui/Dialogs.h"
#include "platform/ui/UiTest.h"

#include <gtest/gtest.h>

namespace {

TEST(ScriptDialogs, MessageDlgReturnsTheAnswerAndShowsTheText) {
    TUiTestHarness h;
    TestScript t;
    h.AnswerMessage(mrNo);
    EXPECT_EQ(t.Run("begin Out(MessageDlg('保存吗?', mtConfirmation, [mbYes, mbNo], 0)) end."), "7");
    ASSERT_EQ(h.Dialogs().size(), 1u);
    EXPECT_EQ(h.Dialogs()[0].Text, "保存吗?");
    EXPECT_EQ(h.Dialogs()[0].Caption, "确认");
    EXPECT_EQ(h.Dialogs()[0].Flags, (1 << mbYes) | (1 << mbNo));
    EXPECT_EQ(t.Run("begin Out(MessageDlg('x', 9, [mbOK], 0)) end."), "error: Range check error");
}

// InputQuery writes the typed text into the variable only when the user confirms; InputBox
// gives the default when cancelled.
TEST(ScriptDialogs, InputQueryAndInputBox) {
    struct Case {
        std::optional<std::string> Answer;
        const char* Expected;
    } cases[] = {{std::string("新值"), "True 新值"}, {std::nullopt, "False old"}};
    for (const Case& c : cases) {
        TUiTestHarness h;
        TestScript t;
        h.AnswerInput(c.Answer);
        EXPECT_EQ(t.Run("var s: String; begin s := 'old'; Out(InputQuery('Cap', 'Prompt', s)); Out(s) end."), c.Expected);
        ASSERT_EQ(h.Dialogs().size(), 1u);
        EXPECT_EQ(h.Dialogs()[0].Caption, "Cap");
        EXPECT_EQ(h.Dialogs()[0].Text, "Prompt");
        EXPECT_EQ(h.Dialogs()[0].Value, "old");
    }
    TUiTestHarness h;
    TestScript t;
    h.AnswerInput(std::nullopt);
    h.AnswerInput(std::string("typed"));
    EXPECT_EQ(t.Run("begin Out(InputBox('C', 'P', 'dflt')); Out(InputBox('C', 'P', 'dflt')) end."), "dflt typed");
}

TEST(ScriptDialogs, CommonDialogsAndShowMessage) {
    TUiTestHarness h;
    TestScript t;
    h.AnswerFile(std::string("/tmp/chosen.txt"));
    h.AnswerFile(std::nullopt);
    h.AnswerColor(clMaroon);
    EXPECT_EQ(t.Run("var D: TOpenDialog; C: TColorDialog;\n"
                    "begin D := TOpenDialog.Create(nil); D.Filter := 'Text|*.txt'; D.Title := 'Pick';\n"
                    "  Out(D.Execute); Out(D.FileName); Out(D.Execute); D.Free;\n"
                    "  C := TColorDialog.Create(nil); Out(C.Execute); Out(C.Color = clMaroon); C.Free;\n"
                    "  ShowMessage('done') end."),
              "True /tmp/chosen.txt False True True");
    ASSERT_EQ(h.Dialogs().size(), 4u);
    EXPECT_EQ(h.Dialogs()[0].Caption, "Pick");
    EXPECT_EQ(h.Dialogs()[0].Filter, "Text|*.txt");
    EXPECT_EQ(h.Dialogs()[3].Text, "done");
}

}  // namespace
