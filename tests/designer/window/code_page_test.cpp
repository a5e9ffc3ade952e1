// The designer window's code page: the script editor in the window (edits, undo, find and
// replace, the compile error of a preview), the event handlers the inspector and the
// editors make and find through the designer, the language switch with its question, and
// the debugger driven by the code page's keys over the report's own preparation.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>

#include <unistd.h>

#include "DesignerFixture.h"
#include "designer/code/EvaluateForm.h"
#include "designer/code/ScriptDebugger.h"
#include "designer/code/SyntaxMemo.h"
#include "designer/editors/ComponentEditors.h"
#include "designer/trees/DataTree.h"
#include "designer/trees/ReportTree.h"
#include "designer/undo/UndoBuffer.h"
#include "platform/ui/ExtCtrls.h"
#include "preview/PreviewForm.h"
#include "report/Images.h"
#include "report/PreviewPages.h"
#include "report/Variables.h"
#include "report/Resources.h"
#include "script/Script.h"

namespace {
using H = TUiTestHarness;
std::string Res(const char* Key) { return frxResources().Get(Key); }

// On request (ROVE_SCREENSHOTS names a folder): the designer window and the window over
// it as drawn, and the whole screen when there is a display.
void Screenshots(TCustomForm* Designer, TCustomForm* Over, const std::string& Name) {
    const char* dir = std::getenv("ROVE_SCREENSHOTS");
    if (!dir) return;
    const std::string base = std::string(dir) + "/" + Name;
    H::ProcessMessages();
    H::SaveScreenshot(Designer, base + ".png");
    if (Over) H::SaveScreenshot(Over, base + "_window.png");
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (std::getenv("DISPLAY") && (!platform || std::string(platform) != "offscreen")) {
        EXPECT_EQ(std::system(("import -window root " + base + "_screen.png").c_str()), 0);
    }
}

// A designer window on the small report with Script as its script, on the code page.
struct TCodeFixture : TDesignerFixture {
    explicit TCodeFixture(const char* Script, const char* Language = "PascalScript") {
        Report->ScriptLanguage = Language;
        Report->ScriptText()->SetText(Script);
        Form->ReloadReport();
        Form->SwitchToCodeWindow();
        H::ProcessMessages();
    }
    TfrxSyntaxMemo* Code() const { return Form->CodeWindow; }
    std::string Line(int N) const { return Code()->LineText(N - 1); }
};

const char* const kPascal =
    "var\n"                                  // 1
    "  i, s: Integer;\n"                     // 2
    "begin\n"                                // 3
    "  s := 0;\n"                            // 4
    "  for i := 1 to 3 do\n"                 // 5
    "    s := s + i;\n"                      // 6
    "  Report.Variables['total'] := s;\n"    // 7
    "\n"                                     // 8
    "end.";                                  // 9

TEST(DesignerCodePage, TheEditorHoldsTheScriptAndItsEditsMarkTheReportModified) {
    TCodeFixture f(kPascal);
    EXPECT_EQ(f.Code()->Syntax(), "PascalScript");
    EXPECT_EQ(f.Code()->LineCount(), 9);
    EXPECT_EQ(f.Code()->StyleAt(1, 3), ssKeyword) << "the language's grammar styles the text";
    EXPECT_FALSE(f.Form->Modified());
    f.Code()->MoveCaret(10, 4);
    H::TypeText(f.Code(), "x  ");
    EXPECT_EQ(f.Line(4), "  s := 0;x  ");
    EXPECT_TRUE(f.Form->Modified());
    EXPECT_TRUE(f.Form->SaveCmd->Enabled());
    EXPECT_EQ(f.Form->PositionText(), "4; 13") << "the status bar shows line; column";
    // The report gets the text without its trailing blanks.
    EXPECT_EQ(f.Form->GetCode()[3], "  s := 0;x");
    f.Form->SetModified(true);
    EXPECT_EQ((*f.Report->ScriptText())[3], "  s := 0;x");
    // Undo on the code page undoes text and leaves the report's snapshots alone.
    const int snapshots = f.Form->UndoBuffer()->UndoCount();
    f.Form->UndoCmd->Execute();
    EXPECT_EQ(f.Line(4), "  s := 0;");
    EXPECT_EQ(f.Form->UndoBuffer()->UndoCount(), snapshots);
}

TEST(DesignerCodePage, LeavingTheCodePageMakesItsEditsOneUndoStep) {
    TCodeFixture f(kPascal);
    const int snapshots = f.Form->UndoBuffer()->UndoCount();
    f.Code()->MoveCaret(1, 8);
    H::TypeText(f.Code(), "  s := 1;");
    f.Form->Tab->SetTabIndex(1);
    bool allow = true;
    f.Form->TabChanging(f.Form->Tab, allow);
    f.Form->TabChange(f.Form->Tab);
    EXPECT_EQ(f.Form->UndoBuffer()->UndoCount(), snapshots + 1);
    EXPECT_FALSE(f.Code()->Modified());
    EXPECT_EQ((*f.Report->ScriptText())[7], "  s := 1;");
    // Edits the report already took (a save) do not mark it modified again later.
    f.Form->ReloadPages(-1);
    H::TypeText(f.Code(), "x");
    f.Form->SetModified(false);
    f.Form->Tab->SetTabIndex(1);
    f.Form->TabChanging(f.Form->Tab, allow);
    f.Form->TabChange(f.Form->Tab);
    EXPECT_FALSE(f.Form->Modified());
}

TEST(DesignerCodePage, FindAndReplaceWorkInTheScript) {
    TCodeFixture f(kPascal);
    f.Form->FindText = "s :=";
    f.Form->ReplaceText.clear();
    f.Form->FindIndex = 0;
    std::vector<int> lines;
    for (int i = 0; i < 3; ++i) {
        f.Form->FindNextMIClick(nullptr);
        lines.push_back(f.Code()->GetCaretPos().Y);
    }
    EXPECT_EQ(lines, (std::vector<int>{4, 6, 6}));
    EXPECT_EQ(f.Code()->GetSelText(), "s :=");
    // Replacing confirms each match; the next search starts behind the replacement.
    f.Form->FindText = "s";
    f.Form->ReplaceText = "ss";
    f.Form->FindIndex = f.Code()->GetCaretTextPos();   // at the second "s :=" of line 6
    f.Harness.AnswerMessage(IDYES);
    f.Form->FindNextMIClick(nullptr);
    f.Harness.AnswerMessage(IDYES);
    f.Form->FindNextMIClick(nullptr);
    EXPECT_EQ(f.Line(6), "    ss := ss + i;");
    EXPECT_TRUE(f.Form->Modified());
    // Not found: the information box.
    f.Form->FindText = "nowhere";
    f.Form->ReplaceText.clear();
    f.Harness.ClearDialogs();
    f.Form->FindNextMIClick(nullptr);
    ASSERT_EQ(f.Harness.Dialogs().size(), 1u);
    EXPECT_EQ(f.Harness.Dialogs()[0].Caption, Res("mbInfo"));
}

TEST(DesignerCodePage, AScriptThatDoesNotCompileShowsItsErrorInTheEditor) {
    TCodeFixture f("begin\n  x := ;\nend.");
    f.Form->ReloadPages(0);
    f.Form->PreviewCmd->Execute();
    EXPECT_EQ(f.Form->Page(), nullptr) << "the code page shows";
    EXPECT_EQ(f.Code()->GetCaretPos().Y, 2);
    EXPECT_FALSE(f.Code()->MessageText().empty());
    EXPECT_EQ(f.Report->PreviewPages()->Count(), 0);
    EXPECT_TRUE(f.Harness.Errors().empty());
}

// The designer operations the inspector's event rows and the event editor call.
TEST(DesignerCodePage, EventHandlersAreInsertedListedAndFoundPerLanguage) {
    struct {
        const char* Language;
        const char* Script;
        const char* Header;
        int BodyLine;
    } cases[] = {
        {"PascalScript", "begin\n\nend.", "procedure Memo2OnBeforePrint(Sender: TfrxComponent);", 3},
        {"C++Script", "{\n\n}", "void Memo2OnBeforePrint(TfrxComponent Sender)", 3},
        {"BasicScript", "x = 1\ny = 2", "sub Memo2OnBeforePrint(Sender)", 4},
        {"JScript", "var x = 1;\nx = 2;", "function Memo2OnBeforePrint(Sender)", 4},
    };
    for (const auto& c : cases) {
        TCodeFixture f(c.Script, c.Language);
        f.Form->ReloadPages(0);
        std::string value;
        ASSERT_TRUE(frxEditEventHandler(f.Form.get(), f.Find("Memo2"), "Memo2", "OnBeforePrint", "TfrxNotifyEvent",
                                        value))
            << c.Language;
        EXPECT_EQ(value, "Memo2OnBeforePrint");
        EXPECT_EQ(f.Form->Page(), nullptr) << c.Language << ": the code page shows";
        EXPECT_EQ(f.Code()->GetCaretPos(), (TfrxCaretPos{3, c.BodyLine})) << c.Language;
        const int header = f.Form->FindHandlerLine("Memo2OnBeforePrint");
        ASSERT_GE(header, 0) << c.Language;
        EXPECT_EQ(f.Line(header + 1), c.Header) << c.Language;
        EXPECT_EQ(f.Form->ListMatchingHandlers("TfrxNotifyEvent"), std::vector<std::string>{"Memo2OnBeforePrint"})
            << c.Language;
        EXPECT_TRUE(f.Form->ListMatchingHandlers("TfrxCloseQueryEvent").empty()) << c.Language;
        EXPECT_TRUE(f.Form->Modified()) << c.Language;
        // Found again: the caret goes to column 1 of the body, nothing is inserted.
        f.Form->ReloadPages(0);
        const int lines = f.Code()->LineCount();
        EXPECT_FALSE(frxEditEventHandler(f.Form.get(), f.Find("Memo2"), "Memo2", "OnBeforePrint", "TfrxNotifyEvent",
                                         value));
        EXPECT_EQ(f.Code()->LineCount(), lines) << c.Language;
        EXPECT_EQ(f.Code()->GetCaretPos(), (TfrxCaretPos{1, header + 3})) << c.Language;
        EXPECT_EQ(f.Form->Page(), nullptr) << c.Language;
        // The report's script takes the handler with the next change.
        f.Form->SetModified(true);
        EXPECT_GE(f.Report->ScriptText()->IndexOf(c.Header), 0) << c.Language;
    }
}

TEST(DesignerCodePage, AScriptWithoutMainBlockRefusesAHandlerAndStaysAsItWas) {
    TCodeFixture f("procedure A;\nbegin\nend;");
    EXPECT_THROW(f.Form->InsertEventHandler("TfrxNotifyEvent", "Memo2OnBeforePrint"), EfrxError);
    EXPECT_EQ(f.Code()->Text(), "procedure A;\r\nbegin\r\nend;");
    EXPECT_FALSE(f.Form->Modified());
}

TEST(DesignerCodePage, TheLanguageSwitchAsksAndNoKeepsScriptAndLanguage) {
    TCodeFixture f(kPascal);
    const int cpp = f.Form->LangCB->Items()->IndexOf("C++Script");
    ASSERT_GE(cpp, 0);
    f.Harness.AnswerMessage(IDNO);
    f.Form->LangCB->SetItemIndex(cpp);
    f.Form->LangCB->ItemPicked(cpp);
    ASSERT_EQ(f.Harness.Dialogs().size(), 1u);
    EXPECT_EQ(f.Harness.Dialogs()[0].Text, Res("dsClearScript"));
    EXPECT_EQ(f.Harness.Dialogs()[0].Caption, Res("mbConfirm"));
    EXPECT_EQ(f.Report->ScriptLanguage, "PascalScript");
    EXPECT_EQ(f.Form->LangCB->Text(), "PascalScript");
    EXPECT_EQ(f.Code()->LineCount(), 9);
    EXPECT_FALSE(f.Form->Modified());

    f.Harness.AnswerMessage(IDYES);
    f.Form->LangCB->SetItemIndex(cpp);
    f.Form->LangCB->ItemPicked(cpp);
    EXPECT_EQ(f.Report->ScriptLanguage, "C++Script");
    EXPECT_EQ(f.Code()->Syntax(), "C++Script");
    EXPECT_EQ(f.Code()->Text(), "{\r\n\r\n}");
    EXPECT_EQ(f.Form->SaveScriptDialog->FilterIndex(), 2);
    EXPECT_EQ(f.Form->SaveScriptDialog->DefaultExt(), "cpp");
    EXPECT_TRUE(f.Form->Modified());
    EXPECT_EQ(f.Report->ScriptText()->Text(), "{\r\n\r\n}\r\n");
    // A handler now takes the C++ form.
    EXPECT_EQ(f.Form->InsertEventHandler("TfrxNotifyEvent", "Page1OnBeforePrint"), 3);
    EXPECT_EQ(f.Line(1), "void Page1OnBeforePrint(TfrxComponent Sender)");
    EXPECT_EQ(f.Harness.PendingAnswers(), 0);
}

TEST(DesignerCodePage, ScriptFilesAreReadAndWritten) {
    TCodeFixture f(kPascal);
    const std::string file = testing::TempDir() + "code_page_" + std::to_string(::getpid()) + ".pas";
    f.Harness.AnswerFile(file);
    f.Form->SaveScriptB->Click();
    EXPECT_FALSE(f.Form->Modified()) << "saving the script leaves the report as it was";
    f.Code()->SelectAll();
    H::TypeKey(f.Code(), VK_DELETE);
    EXPECT_EQ(f.Code()->Text(), "");
    f.Harness.AnswerFile(file);
    f.Form->OpenScriptB->Click();
    EXPECT_EQ(f.Code()->LineCount(), 9);
    EXPECT_EQ(f.Line(7), "  Report.Variables['total'] := s;");
    EXPECT_TRUE(f.Form->Modified());
    std::remove(file.c_str());
    // A file that is not there: the error, the script unchanged.
    f.Harness.AnswerFile(file);
    f.Form->OpenScriptB->Click();
    EXPECT_EQ(f.Code()->LineCount(), 9);
    EXPECT_EQ(f.Harness.Dialogs().back().Kind, TDialogKind::MessageBox);
}

// The data tree's double click and its drop insert its text at the caret on the code page;
// with a page shown and no dataset in the report, the double click on the data page opens
// the report data dialog.
TEST(DesignerCodePage, TheDataTreeInsertsIntoTheScript) {
    TCodeFixture f(kPascal);
    TfrxDataTreeForm* d = f.Form->DataTree;
    d->Tabs->SetActivePage(d->VariablesTS);
    TTreeNode* variable = nullptr;
    for (int i = 0; i < d->VariablesTree->Items()->Count() && !variable; ++i)
        if (d->VariablesTree->Items()->Item(i)->ImageIndex() == frxButton::Variable)
            variable = d->VariablesTree->Items()->Item(i);
    ASSERT_NE(variable, nullptr);
    d->VariablesTree->SetSelected(variable);
    const std::string text = d->GetInsertText();
    ASSERT_FALSE(text.empty());
    f.Code()->MoveCaret(8, 4);
    d->VariablesTree->OnDblClick(d->VariablesTree);
    EXPECT_EQ(f.Line(4), "  s := " + text + "0;");
    EXPECT_TRUE(f.Form->Modified());
    bool accept = false;
    f.Code()->OnDragOver(f.Code(), d->VariablesTree, 0, 0, dsDragMove, accept);
    EXPECT_TRUE(accept);
    f.Code()->OnDragOver(f.Code(), f.Form->ReportTree, 0, 0, dsDragMove, accept);
    EXPECT_FALSE(accept) << "only the data tree's trees are dropped";
    f.Code()->MoveCaret(1, 8);
    f.Code()->OnDragDrop(f.Code(), d->VariablesTree, 0, 0);
    EXPECT_EQ(f.Line(8), text);

    int opened = 0;
    auto saved = frxDesignerDialogs().ReportData;
    frxDesignerDialogs().ReportData = [&opened](TfrxDesignerForm*) {
        ++opened;
        return false;
    };
    f.Form->ReloadPages(0);
    d->Tabs->SetActivePage(d->DataTS);
    d->DataTree->OnDblClick(d->DataTree);
    frxDesignerDialogs().ReportData = saved;
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(f.Line(8), text) << "a page is shown: nothing goes into the script";
}

// --- The debugger, driven by the code page's keys -------------------------------------------

// Acts while the script is held: a timer takes the next action each time it fires.
struct TDebugFixture : TCodeFixture {
    explicit TDebugFixture(const char* Script) : TCodeFixture(Script) {
        frxRegisterPreviewForm();
        Report->EngineOptions()->SilentMode = true;
        Driver = new TTimer(Form.get());
        Driver->SetInterval(10);
        Driver->OnTimer = [this](TObject*) {
            if (!Form->Debugger()->ScriptPaused()) return;
            if (Actions.empty()) {
                ADD_FAILURE() << "held at line " << Form->Debugger()->PausedLine() << " with nothing left to do";
                Form->StopScriptBClick(nullptr);
                return;
            }
            auto action = std::move(Actions.front());
            Actions.pop_front();
            action();
        };
    }
    // A run is the preview command's: its modal preview prepares the report from the
    // report's timer (the script is held meanwhile), then the preview is closed.
    void ExpectPreview() {
        Harness.OnModal("TfrxPreviewForm", [this](TCustomForm& f) {
            if (Report->Timer()->Enabled()) H::FireTimer(Report->Timer());
            f.SetModalResult(mrCancel);
        });
    }
    void Key(uint16_t K, TShiftState Shift = 0) { H::TypeKey(Code(), K, Shift); }
    int Held() const { return Form->Debugger()->PausedLine(); }
    TTimer* Driver = nullptr;
    std::deque<std::function<void()>> Actions;
};

TEST(DesignerDebugging, KeysStepRunToTheCaretLineEvaluateAndRunOnToThePreview) {
    TDebugFixture f(kPascal);
    std::vector<int> stops;
    f.Actions = {
        [&] {
            stops.push_back(f.Held());
            EXPECT_TRUE(f.Form->ScriptRunning);
            EXPECT_EQ(f.Code()->ActiveLine(), 4);
            EXPECT_TRUE(f.Code()->IsExecutableLine(4));
            EXPECT_FALSE(f.Code()->IsExecutableLine(2));
            EXPECT_FALSE(f.Code()->IsExecutableLine(8));
            // Commands that would prepare or replace the report wait for the script.
            f.Form->PreviewCmd->Execute();
            f.Form->NewReportCmd->Execute();
            bool allow = true;
            f.Form->TabChanging(f.Form->Tab, allow);
            EXPECT_FALSE(allow);
            f.Key(VK_F8);
        },
        [&] {
            stops.push_back(f.Held());
            f.Key(VK_F7);
        },
        [&] {
            stops.push_back(f.Held());
            // Evaluate at the stop: the window sees the script's variables.
            f.Harness.OnModal("TfrxEvaluateForm", [&f](TCustomForm& w) {
                auto& e = dynamic_cast<TfrxEvaluateForm&>(w);
                e.ExpressionE->SetText("s + i * 10");
                H::TypeKey(e.ExpressionE, VK_RETURN);
                EXPECT_EQ(e.ResultM->Text(), "10");
                Screenshots(f.Form.get(), &e, "designer_code_stop");
                e.SetModalResult(mrCancel);
            });
            f.Key(VK_F7, ssCtrl);
            EXPECT_EQ(f.Held(), 6) << "evaluating does not move the script";
            f.Code()->MoveCaret(1, 7);
            f.Key(VK_F4);
        },
        [&] {
            stops.push_back(f.Held());
            EXPECT_EQ(f.Report->Script()->Evaluate("s"), Variant(6));
            EXPECT_EQ(f.Code()->RunToLine(), 0);
            f.Key(VK_F9);
        },
    };
    f.ExpectPreview();
    f.Key(VK_F7);
    EXPECT_EQ(stops, (std::vector<int>{4, 5, 6, 7}));
    EXPECT_TRUE(f.Actions.empty());
    EXPECT_FALSE(f.Form->ScriptRunning);
    EXPECT_EQ(f.Code()->ActiveLine(), -1);
    EXPECT_GT(f.Report->PreviewPages()->Count(), 0) << "the report was prepared to its end";
    EXPECT_EQ(f.Form->Page(), nullptr) << "the code page shows again";
    EXPECT_EQ(f.Harness.PendingDrivers(), 0);
    EXPECT_TRUE(f.Harness.Errors().empty());
}

TEST(DesignerDebugging, StopEndsAScriptThatLoopsForEver) {
    TDebugFixture f(
        "var i: Integer;\n"
        "begin\n"
        "  i := 0;\n"
        "  while True do\n"
        "    i := i + 1;\n"
        "end.");
    f.Actions = {[&] {
        EXPECT_EQ(f.Held(), 3);
        f.Form->RunScriptB->Click();
        // The key comes while the loop runs: the run lets the window answer now and then.
        H::PostKey(VK_F2, ssCtrl);
    }};
    f.ExpectPreview();
    f.Form->StepScriptB->Click();
    EXPECT_TRUE(f.Actions.empty());
    EXPECT_FALSE(f.Form->ScriptRunning);
    EXPECT_GT(f.Report->Script()->Evaluate("i").AsInteger(), 0);
    EXPECT_EQ(f.Report->PreviewPages()->Count(), 0);
    EXPECT_EQ(f.Form->Page(), nullptr);
    EXPECT_TRUE(f.Harness.Errors().empty());
}

// F4 on a line that is never executed (a blank line) runs through to the preview and
// forgets the line: the next Step stops at the first line again, also after a Stop given
// while nothing ran.
TEST(DesignerDebugging, RunToALineThatIsNotExecutableRunsThrough) {
    TDebugFixture f(kPascal);
    f.Code()->MoveCaret(1, 8);
    f.ExpectPreview();
    f.Key(VK_F4);
    EXPECT_FALSE(f.Form->ScriptRunning);
    EXPECT_EQ(f.Code()->RunToLine(), 0);
    EXPECT_GT(f.Report->PreviewPages()->Count(), 0);
    // Stop while nothing runs leaves nothing behind for the next run.
    f.Key(VK_F2, ssCtrl);
    f.Actions = {[&] {
        EXPECT_EQ(f.Held(), 4);
        f.Key(VK_F2, ssCtrl);
    }};
    f.ExpectPreview();
    f.Key(VK_F8);
    EXPECT_TRUE(f.Actions.empty());
    EXPECT_TRUE(f.Harness.Errors().empty());
}

TEST(DesignerDebugging, TheWindowDoesNotCloseWhileTheScriptIsHeld) {
    TDebugFixture f(kPascal);
    f.Actions = {[&] {
        bool canClose = true;
        f.Form->FormCloseQuery(f.Form.get(), canClose);
        EXPECT_FALSE(canClose);
        f.Form->StopScriptB->Click();
    }};
    f.ExpectPreview();
    f.Key(VK_F8);
    EXPECT_TRUE(f.Actions.empty());
    EXPECT_FALSE(f.Form->ScriptRunning);
    EXPECT_EQ(f.Report->PreviewPages()->Count(), 0);
    EXPECT_TRUE(f.Harness.Errors().empty());
}

}  // namespace
