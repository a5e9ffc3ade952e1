// The code page: a keystroke to its repaint in a 20,000-line script (typing, Enter,
// Backspace), the paint of a full view with a fixed and a proportional font, and the first
// debugger stop in a 10,000-line report script; the same keystroke and first stop in the
// designer window, through its keys, its preview command and the preview it shows.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>

#include "bench/QtBenchMain.h"
#include "designer/code/ScriptDebugger.h"
#include "designer/code/SyntaxMemo.h"
#include "designer/resources/DesignerTexts.h"
#include "designer/window/DesignerForm.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/UiTest.h"
#include "preview/PreviewForm.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Forms.h"
#include "report/Pages.h"
#include "report/Report.h"

namespace {

// A main block of Count lines of the kinds a report script has: statements, conditions,
// comments, strings.
std::string PascalLines(int Count) {
    std::string text = "var\n  i, s: Integer;\n  t: String;\nbegin\n";
    const char* const kinds[] = {
        "  s := s + 1;            { a sum }\n",
        "  if s > $FF then\n",
        "    s := 0;\n",
        "  // a comment with 'quotes' and { braces }\n",
        "  t := Copy('a string', 1, 2) + IntToStr(s);\n",
    };
    for (int i = 4; i < Count - 1; ++i) text += kinds[i % 5];
    text += "end.";
    return text;
}

// A shown window with the editor filling it.
struct TEditorWindow {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TfrxSyntaxMemo* Memo;
    TEditorWindow(int Width, int Height, const std::string& Text) {
        Form->SetBounds(0, 0, Width + 20, Height + 40);
        Memo = new TfrxSyntaxMemo(Form.get());
        Memo->SetParent(Form.get());
        Memo->SetBounds(0, 0, Width, Height);
        Memo->Lines()->SetText(Text);
        Memo->SetSyntax("PascalScript");
        Form->Show();
        QApplication::processEvents();
    }
};

void KeystrokeToRepaint(benchmark::State& State) {
    TEditorWindow w(800, 600, PascalLines(20000));
    w.Memo->MoveCaret(10, 10000);
    const uint16_t key = static_cast<uint16_t>(State.range(0));
    for (auto _ : State) {
        if (key == 0) {
            char32_t c = U'x';
            w.Memo->KeyPress(c);
        } else {
            uint16_t k = key;
            w.Memo->KeyDown(k, 0);
        }
        w.Memo->Repaint();
    }
    State.SetLabel(key == 0 ? "typing" : key == VK_RETURN ? "Enter" : "Backspace");
}
BENCHMARK(KeystrokeToRepaint)->Arg(0)->Arg(VK_RETURN)->Arg(VK_BACK)->Unit(benchmark::kMillisecond);

// 120 columns by 60 rows of styled text.
void PaintFullView(benchmark::State& State) {
    std::string text;
    for (int i = 0; i < 80; ++i)
        text += "  s := s + " + std::to_string(i) + "; { a comment } if s > $FF then s := Copy('a string', 1, 2); "
                "// and the rest of a long line\n";
    TEditorWindow w(100, 100, text);
    if (State.range(0)) w.Memo->Font()->SetName("Arial");
    w.Memo->SetBounds(0, 0, w.Memo->GutterWidth() + 120 * w.Memo->CharWidth() + 16, 60 * w.Memo->CharHeight() + 16);
    w.Form->SetBounds(0, 0, w.Memo->Width() + 20, w.Memo->Height() + 40);
    QApplication::processEvents();
    for (auto _ : State) w.Memo->Repaint();
    State.SetLabel(State.range(0) ? "proportional" : "fixed");
}
BENCHMARK(PaintFullView)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// From Step to the script held before its first line (compile, executable-line marks).
void FirstDebuggerStop(benchmark::State& State) {
    TfrxReport report(nullptr);
    report.EngineOptions()->SilentMode = true;
    auto* page = new TfrxReportPage(&report);
    page->SetName("Page1");
    TEditorWindow w(800, 600, PascalLines(10000));
    TfrxScriptDebugger debugger(&report, w.Memo);
    debugger.RunReport = [&] {
        report.ScriptText()->Assign(*w.Memo->Lines());
        report.PrepareReport();
    };
    bool stopped = false;
    debugger.OnStateChange = [&] {
        if (debugger.ScriptPaused() && !stopped) {
            stopped = true;
            State.PauseTiming();
            debugger.Stop();
        }
    };
    for (auto _ : State) {
        stopped = false;
        debugger.Step();
        State.ResumeTiming();
    }
}
BENCHMARK(FirstDebuggerStop)->Unit(benchmark::kMillisecond);

// The designer window on a report whose script has Lines lines, on its code page.
struct TDesignerOnScript {
    TUiTestHarness Harness;
    TfrxReport Report{nullptr};
    std::unique_ptr<TfrxDesignerForm> Form;
    explicit TDesignerOnScript(int Lines) {
        frxRegisterDesignerTexts();
        frxRegisterPreviewForm();
        Report.EngineOptions()->SilentMode = true;
        auto* page = new TfrxReportPage(&Report);
        page->SetName("Page1");
        Report.ScriptText()->SetText(PascalLines(Lines));
        Form = std::make_unique<TfrxDesignerForm>(nullptr, &Report, false);
        Form->Show();
        Form->SwitchToCodeWindow();
        TUiTestHarness::ProcessMessages();
    }
};

// A key typed into the designer's code page (the window's key preview, the editor, the
// window's change and caret handlers, the status bar) to the editor's repaint.
void DesignerKeystrokeToRepaint(benchmark::State& State) {
    TDesignerOnScript d(20000);
    TfrxSyntaxMemo* code = d.Form->CodeWindow;
    code->MoveCaret(10, 10000);
    for (auto _ : State) {
        TUiTestHarness::TypeText(code, "x");
        code->Repaint();
    }
    if (!d.Form->Modified() || code->LineText(9999).find('x') == std::string::npos)
        State.SkipWithError("the key did not reach the script");
}
BENCHMARK(DesignerKeystrokeToRepaint)->Unit(benchmark::kMillisecond);

// F7 on the designer's code page to the script held before its first line: the script
// stored and compiled, the preview window shown, the report's preparation started from its
// timer, the executable lines marked. Each stop is then stopped and the preview closed.
void DesignerFirstDebuggerStop(benchmark::State& State) {
    using TClock = std::chrono::steady_clock;
    TDesignerOnScript d(10000);
    TClock::time_point start;
    double seconds = -1;
    auto* stopper = new TTimer(d.Form.get());
    stopper->SetInterval(1);
    stopper->OnTimer = [&](TObject*) {
        if (!d.Form->Debugger()->ScriptPaused()) return;
        if (seconds < 0) seconds = std::chrono::duration<double>(TClock::now() - start).count();
        d.Form->StopScriptBClick(nullptr);
    };
    for (auto _ : State) {
        seconds = -1;
        d.Harness.OnModal("TfrxPreviewForm", [&](TCustomForm& F) {
            if (d.Report.Timer()->Enabled()) TUiTestHarness::FireTimer(d.Report.Timer());
            F.SetModalResult(mrCancel);
        });
        start = TClock::now();
        TUiTestHarness::TypeKey(d.Form->CodeWindow, VK_F7);
        if (seconds < 0) {
            State.SkipWithError("the script did not stop");
            break;
        }
        State.SetIterationTime(seconds);
    }
    if (!d.Harness.Errors().empty()) State.SkipWithError(d.Harness.Errors().front().c_str());
}
BENCHMARK(DesignerFirstDebuggerStop)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
