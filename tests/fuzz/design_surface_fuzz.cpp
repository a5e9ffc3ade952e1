// The design surface over any report file: the file is opened in the designer window as
// File > Open opens it (the window shown offscreen), then every page is shown through its
// tab and painted, everything on it selected, moved, sized, grouped and ungrouped with the
// keys and buttons a user has, and the actions the input's first bytes pick follow (drags
// and clicks on the surface, keys, undo and redo, deletes, paints). Throughout, the
// selection holds only objects of the report, and the report saves into a file the
// designer opens again.
//
// The input: its first byte n, then n bytes of actions, then the report file.
#include "FuzzSupport.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unordered_set>

#include "designer/resources/DesignerTexts.h"
#include "designer/window/DesignerForm.h"
#include "designer/workspace/PageWorkspace.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Settings.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/TabControl.h"
#include "platform/ui/UiTest.h"
#include "report/Pages.h"
#include "report/Report.h"

namespace {
using H = TUiTestHarness;
namespace fs = std::filesystem;

// A folder of the run's own for the settings and the report files: made for each input and
// removed after it (the fuzzer may end the process without running exit handlers).
const fs::path& WorkDir() {
    static const fs::path dir = fs::temp_directory_path() / ("design_surface_fuzz_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir;
}
struct TWorkDirScope {
    ~TWorkDirScope() {
        std::error_code ec;
        fs::remove_all(WorkDir(), ec);
    }
};

struct TDesigner {
    TUiTestHarness Harness;
    std::unique_ptr<TfrxReport> Report;
    std::unique_ptr<TfrxDesignerForm> Form;
    TDesigner() {
        SetSettingsDirectory(WorkDir().string());
        frxRegisterDesignerTexts();
        frxRegisterDesigner();
        Harness.SetScreenSize(1280, 1024);
        Report = std::make_unique<TfrxReport>(nullptr);
        FuzzQuiet(*Report);
        Form = std::make_unique<TfrxDesignerForm>(nullptr, Report.get(), false);
        Form->SetBounds(0, 0, 1200, 900);
        Form->Show();
        H::ProcessMessages();
    }
};

TDesigner& Designer() {
    static TDesigner* d = nullptr;   // one window for every input, as a user keeps it open
    if (!d) d = new TDesigner;
    return *d;
}

// File > Open with the dialog answered with FileName (a changed report is not saved first).
void Open(TDesigner& d, const std::string& FileName) {
    if (d.Form->Modified()) d.Harness.AnswerMessage(IDNO);
    d.Harness.AnswerFile(FileName);
    H::Click(d.Form->OpenB);
}

void CheckSelection(TDesigner& d) {
    std::unordered_set<const TfrxComponent*> alive;
    for (TfrxComponent* c : d.Report->AllObjects()) alive.insert(c);
    alive.insert(d.Report.get());
    for (int i = 0; i < d.Report->PagesCount(); ++i) alive.insert(d.Report->Pages(i));
    for (TfrxComponent* c : d.Form->SelectedObjects())
        if (!alive.count(c)) FuzzFail("the selection holds an object that is not in the report");
}

void Paint(TDesigner& d) {
    TBitmap picture;
    H::Grab(d.Form->Workspace, picture);
}

// Presses a tool button, as a click on it.
void Press(TControl* Button) {
    if (Button && Button->Visible() && Button->Enabled()) H::Click(Button);
}

void Act(TDesigner& d, uint8_t Op, uint8_t A, uint8_t B) {
    TDesignerWorkspace* ws = d.Form->Workspace;
    const int w = std::max(1, ws->ClientWidth()), h = std::max(1, ws->ClientHeight());
    const TPoint p{A * 4 % w, B * 4 % h};
    const TShiftState shift = (Op & 0x10 ? ssShift : 0) | (Op & 0x20 ? ssCtrl : 0);
    switch (Op % 10) {
        case 0:
        case 1: {   // arrows: move (Ctrl), size (Shift), jump (Alt), pick the nearest
            const uint16_t keys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN};
            const TShiftState s[] = {0, ssCtrl, ssShift, ssAlt};
            H::TypeKey(ws, keys[A % 4], s[B % 4]);
            break;
        }
        case 2: {   // a drag over the surface: a rubber band, a move or a resize
            const TPoint q{(A * 7 + B) % w, (B * 5 + A) % h};
            H::MouseDown(ws, p, mbLeft, shift);
            H::MouseMove(ws, TPoint{(p.X + q.X) / 2, (p.Y + q.Y) / 2}, shift);
            H::MouseMove(ws, q, shift);
            H::MouseUp(ws, q, mbLeft, shift);
            break;
        }
        case 3: H::Click(ws, p, mbLeft, shift & ssShift); break;
        case 4: H::TypeKey(ws, 'A', ssCtrl); break;
        case 5: Press(d.Form->GroupB); break;
        case 6: Press(d.Form->UngroupB); break;
        case 7: H::TypeKey(ws, (A & 1) ? 'Y' : 'Z', ssCtrl); break;
        case 8:
            if (A & 1) H::TypeKey(ws, VK_DELETE);
            else Paint(d);
            break;
        case 9: {
            const int tabs = d.Form->Tab->Tabs()->Count();
            if (tabs > 0) H::ClickTab(d.Form->Tab, A % tabs);
            break;
        }
    }
}

// Runs one step; input a user could not give where the harness was asked to put it (a
// control hidden or covered) and the class library's refusals are no findings.
template <class F> void Step(TDesigner& d, F&& Fn) {
    try {
        Fn();
    } catch (const EUiTestFailure&) {
    } catch (const Exception&) {
    }
    CheckSelection(d);
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzStartApplication();
    FuzzRegisterReportClasses();
    Designer();
    TWorkDirScope done;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size < 1) return 0;
    TDesigner& d = Designer();
    TWorkDirScope done;
    d.Harness.ClearDialogs();
    const size_t n = std::min<size_t>(Data[0], Size - 1);
    const uint8_t* ops = Data + 1;
    const std::string file = (WorkDir() / "fuzz.fr3").string();
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(Data + 1 + n), static_cast<std::streamsize>(Size - 1 - n));
    }
    Step(d, [&] { Open(d, file); });
    // Every page through its tab: painted, everything selected, moved, sized, grouped.
    const int tabs = d.Form->Tab->Tabs()->Count();
    for (int i = 0; i < tabs && i < 8; ++i) {
        Step(d, [&] { H::ClickTab(d.Form->Tab, i); });
        Step(d, [&] { Paint(d); });
        Step(d, [&] { H::Click(d.Form->Workspace, TPoint{2, 2}); });
        Step(d, [&] { H::TypeKey(d.Form->Workspace, 'A', ssCtrl); });
        Step(d, [&] { H::TypeKey(d.Form->Workspace, VK_RIGHT, ssCtrl); });
        Step(d, [&] { H::TypeKey(d.Form->Workspace, VK_DOWN, ssShift); });
        Step(d, [&] { Press(d.Form->GroupB); });
        Step(d, [&] { Paint(d); });
        Step(d, [&] { Press(d.Form->UngroupB); });
    }
    for (size_t i = 0; i + 2 < n + 1; i += 3) Step(d, [&] { Act(d, ops[i], ops[i + 1], ops[i + 2]); });
    Step(d, [&] { Paint(d); });
    // What the designer holds saves into a file that it opens again.
    TMemoryStream saved;
    try {
        d.Report->SaveToStream(saved);
    } catch (const Exception& e) {
        FuzzFail(std::string("the report does not save: ") + e.what());
    }
    const std::string again = (WorkDir() / "saved.fr3").string();
    {
        std::ofstream out(again, std::ios::binary | std::ios::trunc);
        out.write(static_cast<const char*>(saved.Memory()), static_cast<std::streamsize>(saved.Size()));
    }
    d.Harness.ClearDialogs();
    Step(d, [&] { Open(d, again); });
    // The load error names the file; the question about saving the changes names the
    // file that was open before.
    for (const TDialogRequest& r : d.Harness.Dialogs())
        if (r.Kind != TDialogKind::OpenFile && r.Text.find("saved.fr3") != std::string::npos)
            FuzzFail("the designer cannot open what it saved: " + r.Text);
    return 0;
}
