// Script debugging on the code page.
#include "designer/code/ScriptDebugger.h"

#include <memory>

#include "designer/code/EvaluateForm.h"
#include "designer/code/SyntaxMemo.h"
#include "platform/ui/Forms.h"
#include "report/PreviewPages.h"
#include "report/Report.h"
#include "script/Script.h"
#include "script/ScriptTools.h"

namespace {
// A run that does not stop still lets the window answer (the Stop button) every so many
// statements, so that a script that loops for ever can be stopped.
constexpr unsigned kStatementsPerLook = 1024;
}  // namespace

TfrxScriptDebugger::TfrxScriptDebugger(TfrxReport* Report, TfrxSyntaxMemo* CodeWindow)
    : FReport(Report), FCodeWindow(CodeWindow) {}

TfrxScriptDebugger::~TfrxScriptDebugger() {
    if (FReport && FReport->Script()) FReport->Script()->OnRunLine = nullptr;
}

void TfrxScriptDebugger::Changed() {
    if (OnStateChange) OnStateChange();
}

void TfrxScriptDebugger::Run() {
    if (!FScriptRunning) {
        Start(THookMode::Running);
        return;
    }
    FMode = THookMode::Running;
    FScriptPaused = false;
    Changed();
}

void TfrxScriptDebugger::Step() {
    if (!FScriptRunning) {
        Start(THookMode::Stepping);
        return;
    }
    FScriptPaused = false;
    Changed();
}

void TfrxScriptDebugger::RunToCursor() {
    FCodeWindow->SetRunToLine(FCodeWindow->GetCaretPos().Y);
    Step();
}

// The hook stays bound for the whole run and its mode says what it does: a handler is
// never freed while the script is inside it.
void TfrxScriptDebugger::Start(THookMode Mode) {
    TfsScript* script = FReport->Script();
    FMode = Mode;
    FStatements = 0;
    script->OnRunLine = [this](TfsScript* Sender, const std::string& Unit, const std::string& Pos) {
        RunLine(Sender, Unit, Pos);
    };
    FScriptRunning = true;
    FMarkExecutableLines = true;
    Changed();
    struct TRunEnd {
        TfrxScriptDebugger* D;
        ~TRunEnd() {
            D->FScriptRunning = false;
            D->FScriptPaused = false;
            D->FMode = THookMode::Off;
            D->FReport->Script()->OnRunLine = nullptr;
            D->FCodeWindow->SetActiveLine(-1);
            // A run-to line the script never reached would stop the next step there.
            D->FCodeWindow->SetRunToLine(0);
            D->Changed();
        }
    } end{this};
    if (RunReport) RunReport();
}

void TfrxScriptDebugger::Stop() {
    FMode = THookMode::Off;
    if (TfsScript* script = FReport->Script()) script->Terminate();
    if (FReport->PreviewPages()) FReport->PreviewPages()->SetTerminated(true);
    FScriptPaused = false;
    Changed();
}

void TfrxScriptDebugger::Evaluate() {
    auto form = std::make_unique<TfrxEvaluateForm>(DesignerForm);
    form->Script = FReport->Script();
    form->ShowModal();
}

// The report runs its script under its modal preview, which disables the designer window:
// the window is enabled again while the script runs, so that its Stop and its keys reach
// it. The commands that would disturb the preparation refuse while the run lasts.
void TfrxScriptDebugger::LookAtWindow() {
    if (DesignerForm && DesignerForm->ModalDisabled()) DesignerForm->SetModalDisabled(false);
    Application->ProcessMessages();
}

void TfrxScriptDebugger::RunLine(TfsScript*, const std::string& UnitName, const std::string& SourcePos) {
    switch (FMode) {
    case THookMode::Off: return;
    case THookMode::Running:
        if (++FStatements % kStatementsPerLook == 0) LookAtWindow();
        return;
    case THookMode::Stepping: break;
    }
    // Lines of other units are not lines of the code page.
    if (!UnitName.empty()) return;
    const TfsPoint p = PosToPoint(SourcePos);
    if (FCodeWindow->RunToLine() > 0 && FCodeWindow->RunToLine() != p.Y) {
        if (++FStatements % kStatementsPerLook == 0) LookAtWindow();
        return;
    }
    FCodeWindow->SetRunToLine(0);
    if (FMarkExecutableLines) {
        TfsScript* script = FReport->Script();
        const int n = script->Lines()->Count();
        for (int i = 1; i <= n; ++i) FCodeWindow->SetExecutableLine(i, script->IsExecutableLine(i, {}));
        FMarkExecutableLines = false;
    }
    Hold(p.X, p.Y);
}

void TfrxScriptDebugger::Hold(int Column, int Line) {
    TCustomForm* active = Screen->ActiveForm();
    if (DesignerForm) {
        if (DesignerForm->ModalDisabled()) DesignerForm->SetModalDisabled(false);
        DesignerForm->SetEnabled(true);
        if (DesignerForm->Visible()) DesignerForm->SetFocus();
    }
    FCodeWindow->SetActiveLine(Line);
    FCodeWindow->MoveCaret(Column, Line);
    if (FCodeWindow->CanFocus()) FCodeWindow->SetFocus();
    FPausedLine = Line;
    FScriptPaused = true;
    Changed();
    while (FScriptPaused && !Application->Terminated()) Application->HandleMessage();
    FScriptPaused = false;
    if (active && active != DesignerForm && active->Visible() && active->Enabled()) active->SetFocus();
}
