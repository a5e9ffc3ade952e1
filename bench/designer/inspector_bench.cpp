// The object inspector on large pages: its rows made again for a selection of 500 memos
// (goal: under 50 ms), and one property typed into it on a page of 2,000 objects until the
// workspace is painted again (goal: under 30 ms), with the undo snapshot the designer takes
// for every change; the same edit in the designer window itself.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <memory>
#include <string>

#include "bench/QtBenchMain.h"
#include "designer/editors/Registration.h"
#include "designer/inspector/InspectorHints.h"
#include "designer/inspector/ObjectInspector.h"
#include "designer/resources/DesignerTexts.h"
#include "designer/undo/UndoBuffer.h"
#include "designer/window/DesignerForm.h"
#include "designer/workspace/PageWorkspace.h"
#include "designer/workspace/Workspace.h"
#include "platform/graphics/Graphics.h"
#include "platform/ui/Forms.h"
#include "report/Bands.h"
#include "report/Frame.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/ReportServices.h"

namespace {

// What the designer window does on a change: an undo snapshot, then the page painted again.
class TBenchDesigner : public TfrxCustomDesigner {
public:
    explicit TBenchDesigner(TfrxReport* R) : TfrxCustomDesigner(nullptr, R, false) {}
    std::vector<std::string> GetCode() override { return {}; }
    std::string InsertExpression(const std::string&) override { return {}; }
    void Lock() override {}
    void ReloadPages(int) override {}
    void ReloadReport() override {}
    void UpdateDataTree() override {}
    void UpdatePage() override {}
    int CurUnits() const override { return 2; }
    void SetModified(bool Value) override {
        TfrxCustomDesigner::SetModified(Value);
        Undo.PushUndo(Report());
        Undo.ClearRedo();
        if (Workspace) {
            Workspace->InvalidatePage();
            Workspace->PaintOn(Frame.Canvas(), TRect{0, 0, Frame.Width(), Frame.Height()});
        }
    }
    TfrxUndoBuffer Undo;
    TfrxDesignerWorkspace* Workspace = nullptr;
    TBitmap Frame;
};

// A page of Bands bands of MemosPerBand memos each, every object inside the A4 page (the
// whole page is painted, as on a large screen at zoom 100 %), the inspector and a
// workspace.
struct TBenchPage {
    std::unique_ptr<TfrxReport> Report = std::make_unique<TfrxReport>(nullptr);
    TfrxReportPage* Page = nullptr;
    std::unique_ptr<TBenchDesigner> Designer;
    std::unique_ptr<TfrxDesignerWorkspace> Workspace;
    TfrxObjectInspector* Inspector = nullptr;
    std::vector<TfrxMemoView*> Memos;

    TBenchPage(int Bands, int MemosPerBand) {
        frxRegisterDesignerTexts();
        frxRegisterInspectorHints();
        frxRegisterDesignerEditors();
        Page = new TfrxReportPage(Report.get());
        Page->SetName("Page1");
        int n = 0;
        const double bandHeight = 1040.0 / Bands, memoWidth = 718.0 / MemosPerBand;
        for (int b = 0; b < Bands; ++b) {
            auto* band = new TfrxMasterData(Page);
            band->SetName("MasterData" + std::to_string(b + 1));
            band->SetBounds(0, b * bandHeight, 718, bandHeight);
            for (int i = 0; i < MemosPerBand; ++i) {
                auto* m = new TfrxMemoView(band);
                m->SetName("Memo" + std::to_string(++n));
                m->SetBounds(i * memoWidth, 0, memoWidth - 1, bandHeight - 1);
                m->Frame()->Typ = TfrxFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
                m->SetText("项目" + std::to_string(n));
                Memos.push_back(m);
            }
        }
        Designer = std::make_unique<TBenchDesigner>(Report.get());
        Designer->SetPage(Page);
        Designer->Objects() = Page->AllObjects();
        Designer->Objects().push_back(Report.get());
        Designer->Objects().push_back(Page);
        Designer->Undo.PushUndo(Report.get());
        Workspace = std::make_unique<TfrxDesignerWorkspace>(nullptr);
        Workspace->Page = Page;
        Workspace->Objects = &Designer->Objects();
        Workspace->SelectedObjects = &Designer->SelectedObjects();
        Workspace->CursorPosition = [] { return TPoint{0, 0}; };
        Workspace->SetBounds(0, 0, 794, 1123);
        Workspace->FreeBands = true;
        Designer->Frame.SetSize(794, 1123);
        Inspector = new TfrxObjectInspector(Designer.get());
        Inspector->SetBounds(0, 0, 220, 600);
        Inspector->OnModify = [this](TObject*) { Designer->SetModified(true); };
        Inspector->SetObjectList(Designer->Objects());
    }
    ~TBenchPage() {
        delete Inspector;
        Workspace.reset();
        Designer.reset();
        Report.reset();
    }
};

// Goal: under 50 ms.
void BM_InspectorRowsFor500Memos(benchmark::State& state) {
    TBenchPage p(50, 10);
    auto& sel = p.Designer->SelectedObjects();
    sel.assign(p.Memos.begin(), p.Memos.end());
    for (auto _ : state) p.Inspector->SetObjects(&sel);
    state.counters["rows"] = p.Inspector->RowCount();
}
BENCHMARK(BM_InspectorRowsFor500Memos)->Unit(benchmark::kMillisecond);

// Goal: under 30 ms, from the typed value to the workspace painted again: the part of the
// page a designer window shows on a 1024 x 768 screen (800 x 600), and the whole page.
void PropertyEdit(benchmark::State& state, int Width, int Height) {
    TBenchPage p(100, 20);
    p.Designer->Frame.SetSize(Width, Height);
    auto& sel = p.Designer->SelectedObjects();
    sel.assign(1, p.Memos[1000]);
    p.Designer->Workspace = p.Workspace.get();
    p.Inspector->SetObjects(&sel);
    const int row = p.Inspector->FindRow("Left");
    int left = 0;
    for (auto _ : state) {
        p.Inspector->SetValue(row, std::to_string(100 + (left++ % 50)));
    }
}
void BM_PropertyEditOn2000Objects(benchmark::State& state) { PropertyEdit(state, 800, 600); }
void BM_PropertyEditOn2000ObjectsWholePage(benchmark::State& state) { PropertyEdit(state, 794, 1123); }
BENCHMARK(BM_PropertyEditOn2000Objects)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PropertyEditOn2000ObjectsWholePage)->Unit(benchmark::kMillisecond);

// The same edit in the designer window itself (goal: under 30 ms): the inspector docked in
// it, the window's own reaction to the change (undo snapshot, tool bars, report tree,
// bands arranged, the workspace painted again) and the paint events processed, on a
// 1024 x 768 window at zoom 100 %.
void BM_WindowPropertyEditOn2000Objects(benchmark::State& state) {
    TBenchPage p(100, 20);
    frxRegisterDesigner();
    auto form = std::make_unique<TfrxDesignerForm>(nullptr, p.Report.get(), false);
    form->SetWindowState(wsNormal);
    form->SetBounds(0, 0, 1024, 768);
    form->Show();
    form->SetScale(1);
    Application->ProcessMessages();
    auto& sel = form->SelectedObjects();
    sel.assign(1, p.Report->FindObject("Memo1000"));
    form->OnSelectionChanged(form->Workspace);
    TfrxObjectInspector* insp = form->Inspector;
    const int row = insp->FindRow("Left");
    int left = 0;
    for (auto _ : state) {
        insp->SetValue(row, std::to_string(100 + (left++ % 50)));
        Application->ProcessMessages();
    }
    state.counters["objects"] = static_cast<double>(form->Objects().size());
}
BENCHMARK(BM_WindowPropertyEditOn2000Objects)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
