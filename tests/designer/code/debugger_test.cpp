// Script debugging over a real report script: the first stop and the executable lines,
// stepping, running to the caret line, evaluating a variable at a stop, running on, and
// stopping a script that loops for ever.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

#include "designer/code/EvaluateForm.h"
#include "designer/code/ScriptDebugger.h"
#include "designer/code/SyntaxMemo.h"
#include "designer/resources/DesignerTexts.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "report/Pages.h"
#include "report/PreviewPages.h"
#include "report/Report.h"
#include "script/Script.h"

namespace {

// A report with one page and a script, a window with the code editor, and a debugger whose
// run prepares the report. The test acts while the script is held through a timer that
// takes the next action each time it fires.
class Debugger : public ::testing::Test {
protected:
    void SetUp() override {
        frxRegisterDesignerTexts();
        Report.EngineOptions()->SilentMode = true;
        auto* page = new TfrxReportPage(&Report);
        page->SetName("Page1");
        Form.SetBounds(0, 0, 600, 400);
        Code = new TfrxSyntaxMemo(&Form);
        Code->SetParent(&Form);
        Code->SetBounds(0, 0, 580, 380);
        Form.Show();
        Debug = std::make_unique<TfrxScriptDebugger>(&Report, Code);
        Debug->DesignerForm = &Form;
        Debug->RunReport = [this] {
            Report.ScriptText()->Assign(*Code->Lines());
            Report.PrepareReport();
        };
        // The window's keys on the code page: Ctrl+F2 stops.
        Code->OnKeyDown = [this](TObject*, uint16_t& Key, TShiftState Shift) {
            if (Key == VK_F2 && (Shift & ssCtrl)) {
                Debug->Stop();
                Key = 0;
            }
        };
        Driver = new TTimer(&Form);
        Driver->SetInterval(10);
        Driver->OnTimer = [this](TObject*) {
            if (!Debug->ScriptPaused()) return;
            if (Actions.empty()) {
                ADD_FAILURE() << "held at line " << Debug->PausedLine() << " with nothing left to do";
                Debug->Stop();
                return;
            }
            auto action = std::move(Actions.front());
            Actions.pop_front();
            action();
        };
    }
    void SetScript(const char* Text) {
        TStringList l;
        l.SetText(Text);
        Code->SetLines(l);
    }

    TUiTestHarness Harness;
    TfrxReport Report{nullptr};
    TForm Form{nullptr};
    TfrxSyntaxMemo* Code = nullptr;
    TTimer* Driver = nullptr;
    std::unique_ptr<TfrxScriptDebugger> Debug;
    std::deque<std::function<void()>> Actions;
};

const char* const kSumScript =
    "var\n"                      // 1
    "  i, s: Integer;\n"         // 2
    "begin\n"                    // 3
    "  s := 0;\n"                // 4
    "  for i := 1 to 3 do\n"     // 5
    "    s := s + i;\n"          // 6
    "  Report.Variables['total'] := s;\n"   // 7
    "\n"                         // 8
    "end.";                      // 9

TEST_F(Debugger, StepsRunsToTheCaretLineEvaluatesAndRunsOn) {
    SetScript(kSumScript);
    std::vector<int> stops;
    auto note = [&] { stops.push_back(Debug->PausedLine()); };
    Actions = {
        [&] {
            note();
            EXPECT_EQ(Code->ActiveLine(), 4);
            EXPECT_EQ(Code->GetCaretPos().Y, 4);
            TfsScript* script = Report.Script();
            for (int l = 1; l <= Code->LineCount(); ++l)
                EXPECT_EQ(Code->IsExecutableLine(l), script->IsExecutableLine(l)) << "line " << l;
            EXPECT_TRUE(Code->IsExecutableLine(4));
            EXPECT_TRUE(Code->IsExecutableLine(6));
            EXPECT_FALSE(Code->IsExecutableLine(2));
            EXPECT_FALSE(Code->IsExecutableLine(8));
            Debug->Step();
        },
        [&] { note(); Debug->Step(); },
        [&] {
            note();
            // Held before s := s + i with i = 1: the window sees the script's variables.
            Harness.OnModal([](TCustomForm& f) {
                auto& form = dynamic_cast<TfrxEvaluateForm&>(f);
                form.ExpressionE->SetText("s + i * 10");
                TUiTestHarness::TypeKey(form.ExpressionE, VK_RETURN);
                EXPECT_EQ(form.ResultM->Text(), "10");
                form.SetModalResult(mrCancel);
            });
            Debug->Evaluate();
            EXPECT_EQ(Debug->PausedLine(), 6) << "evaluating does not move the script";
            Code->MoveCaret(1, 7);
            Debug->RunToCursor();
            EXPECT_EQ(Code->RunToLine(), 7);
        },
        [&] {
            note();
            EXPECT_EQ(Report.Script()->Evaluate("s"), Variant(6));
            EXPECT_EQ(Code->RunToLine(), 0);
            Debug->Run();
        },
    };
    Debug->Step();
    EXPECT_EQ(stops, (std::vector<int>{4, 5, 6, 7}));
    EXPECT_TRUE(Actions.empty());
    EXPECT_FALSE(Debug->ScriptRunning());
    EXPECT_EQ(Code->ActiveLine(), -1);
    EXPECT_GT(Report.PreviewPages()->Count(), 0) << "the report was prepared to its end";
    EXPECT_TRUE(Harness.Errors().empty());
}

TEST_F(Debugger, RunToALineThatIsNeverReachedRunsThroughAndForgetsTheLine) {
    SetScript(kSumScript);
    Code->MoveCaret(1, 8);   // a blank line
    Debug->RunToCursor();
    EXPECT_FALSE(Debug->ScriptRunning());
    EXPECT_EQ(Code->RunToLine(), 0);
    EXPECT_GT(Report.PreviewPages()->Count(), 0);
}

TEST_F(Debugger, StopWhileHeldEndsTheScriptAndThePreparation) {
    SetScript(kSumScript);
    Actions = {[&] { Debug->Step(); }, [&] { Debug->Stop(); }};
    Debug->Step();
    EXPECT_TRUE(Actions.empty());
    EXPECT_FALSE(Debug->ScriptRunning());
    EXPECT_EQ(Report.PreviewPages()->Count(), 0);
    EXPECT_TRUE(Report.Errors()->Count() == 0);
}

TEST_F(Debugger, StopEndsAScriptThatLoopsForEver) {
    SetScript(
        "var i: Integer;\n"
        "begin\n"
        "  i := 0;\n"
        "  while True do\n"
        "    i := i + 1;\n"
        "end.");
    Actions = {[&] {
        EXPECT_EQ(Debug->PausedLine(), 3);
        Debug->Run();
        // The key comes while the loop runs: the run lets the window answer now and then.
        TUiTestHarness::PostKey(VK_F2, ssCtrl);
    }};
    Debug->Step();
    EXPECT_TRUE(Actions.empty());
    EXPECT_FALSE(Debug->ScriptRunning());
    EXPECT_GT(Report.Script()->Evaluate("i").AsInteger(), 0);
    EXPECT_EQ(Report.PreviewPages()->Count(), 0);
}

TEST_F(Debugger, ACompileErrorNeverStops) {
    SetScript("begin\n  x := ;\nend.");
    Debug->Step();
    EXPECT_FALSE(Debug->ScriptRunning());
    EXPECT_FALSE(Report.Errors()->Count() == 0);
}

}  // namespace
