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

// The print dialog from a script: the request carries the script's settings, the answer
// comes back into the properties (a range the options do not offer falls back to all
// pages, page numbers stay inside MinPage..MaxPage); the setup dialog's choice is the
// printer both dialogs start from next time.
TEST(ScriptDialogs, PrintAndPrinterSetup) {
    struct Case {
        const char* Name;
        int Range;
        int From, To;
        bool ToFile;
        const char* Expected;
    } cases[] = {
        {"pages", prPageNums, 2, 30, true, "True 3 True 2 2 12 False"},
        {"selection not offered", prSelection, 0, 0, false, "True 3 True 0 1 1 False"},
    };
    CurrentPrinterChoice() = TPrinterChoice{};
    for (const Case& c : cases) {
        TUiTestHarness h;
        TestScript t;
        TDialogRequest seen;
        h.Answer([&](const TDialogRequest& r) {
            seen = r;
            TDialogAnswer a;
            a.Result = 1;
            a.Print = r.Print;
            a.Print.PrinterName = "Office";
            a.Print.Copies = 3;
            a.Print.Collate = true;
            a.Print.Range = c.Range;
            a.Print.FromPage = c.From;
            a.Print.ToPage = c.To;
            a.Print.PrintToFile = c.ToFile;
            return a;
        });
        EXPECT_EQ(t.Run("var D: TPrintDialog;\n"
                        "begin D := TPrintDialog.Create(nil); D.Options := [poPageNums]; D.MinPage := 1;\n"
                        "  D.MaxPage := 12; D.FromPage := 1; D.ToPage := 1;\n"
                        "  Out(D.Execute); Out(D.Copies); Out(D.Collate); Out(D.PrintRange); Out(D.FromPage);\n"
                        "  Out(D.ToPage); Out(D.PrintToFile); D.Free end."),
                  c.Expected)
            << c.Name;
        EXPECT_EQ(seen.Kind, TDialogKind::Print);
        EXPECT_EQ(seen.Flags, 1 << poPageNums);
        EXPECT_EQ(seen.Print.Copies, 1);
        EXPECT_EQ(seen.Print.MaxPage, 12);
        EXPECT_EQ(CurrentPrinterChoice().PrinterName, "Office");
    }

    TUiTestHarness h;
    TestScript t;
    TDialogRequest seen;
    h.Answer([&](const TDialogRequest& r) {
        seen = r;
        TDialogAnswer a;
        a.Result = 1;
        a.Print = r.Print;
        a.Print.PrinterName = "Desk";
        a.Print.PaperSize = 11;
        a.Print.Orientation = 1;
        return a;
    });
    h.Answer([](const TDialogRequest&) { return TDialogAnswer{}; });   // the second one is cancelled
    EXPECT_EQ(t.Run("var S: TPrinterSetupDialog;\n"
                    "begin S := TPrinterSetupDialog.Create(nil); Out(S.Execute); Out(S.Execute); S.Free end."),
              "True False");
    EXPECT_EQ(seen.Kind, TDialogKind::PrinterSetup);
    EXPECT_EQ(seen.Print.PrinterName, "Office");
    EXPECT_EQ(CurrentPrinterChoice().PrinterName, "Desk");
    EXPECT_EQ(CurrentPrinterChoice().PaperSize, 11);
    EXPECT_EQ(CurrentPrinterChoice().Orientation, 1);
    CurrentPrinterChoice() = TPrinterChoice{};
}

}  // namespace
