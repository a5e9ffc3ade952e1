// The design surface under load. One mouse-move step of a drag in move, size and size-band
// mode on a page of 1,000 three-line memos in 50 bands, until the visible part of the page
// (800 x 600) is painted again (goal: under 16 ms). One undo snapshot of a 5,000-object
// report (goal: under 20 ms) and one undo of it. The history of 1,000 edits is in
// undo_bench.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <string>

#include "bench/QtBenchMain.h"
#include "designer/resources/DesignerTexts.h"
#include "designer/undo/UndoBuffer.h"
#include "designer/workspace/Workspace.h"
#include "platform/graphics/Graphics.h"
#include "platform/ui/Forms.h"
#include "report/Bands.h"
#include "report/Frame.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"

namespace {

constexpr int BandHeight = 40, BandStep = 44, MemoWidth = 35;

// Bands bands of MemosPerBand memos each, three lines of text in every memo, on a page
// tall enough to hold them, with a workspace over it.
struct TSurfacePage {
    std::unique_ptr<TfrxReport> Report = std::make_unique<TfrxReport>(nullptr);
    TfrxReportPage* Page = nullptr;
    std::vector<TfrxComponent*> Objects, Selected;
    std::unique_ptr<TfrxDesignerWorkspace> Ws;
    std::vector<TfrxBand*> Bands;
    std::vector<TfrxMemoView*> Memos;
    TBitmap Frame;

    TSurfacePage(int BandCount, int MemosPerBand) {
        frxRegisterDesignerTexts();
        Page = new TfrxReportPage(Report.get());
        Page->SetName("Page1");
        Page->SetPaperHeight(BandCount * BandStep / frxMmToPixels + 40);
        int n = 0;
        for (int b = 0; b < BandCount; ++b) {
            auto* band = new TfrxMasterData(Page);
            band->SetName("MasterData" + std::to_string(b + 1));
            band->SetBounds(0, b * BandStep, 718, BandHeight);
            Bands.push_back(band);
            for (int i = 0; i < MemosPerBand; ++i) {
                auto* m = new TfrxMemoView(band);
                m->SetName("Memo" + std::to_string(++n));
                m->SetBounds(i * MemoWidth, 2, MemoWidth - 2, BandHeight - 4);
                m->Frame()->Typ = TfrxFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
                m->Font()->SetSize(7);
                m->SetText("项目" + std::to_string(n) + "\r\n数量\r\n金额");
                Memos.push_back(m);
            }
        }
        Objects = Page->AllObjects();
        Objects.push_back(Report.get());
        Objects.push_back(Page);
        Ws = std::make_unique<TfrxDesignerWorkspace>(nullptr);
        Ws->Page = Page;
        Ws->Objects = &Objects;
        Ws->SelectedObjects = &Selected;
        Ws->CursorPosition = [] { return TPoint{0, 0}; };
        Ws->FreeBands = true;
        Ws->SetBounds(0, 0, 800, BandCount * BandStep + 100);
        Frame.SetSize(800, Ws->Height());
    }
    // The part of the page a designer window shows on a 1024 x 768 screen.
    void PaintViewport(int Top) { Ws->PaintOn(Frame.Canvas(), TRect{0, Top, 800, Top + 600}); }
};

// A press at (X, Y), then moves between two points two grid steps apart, each move
// followed by the paint the window gets for it.
void DragSteps(benchmark::State& state, TSurfacePage& p, int X, int Y, int DX, int DY, TfrxDesignMode Mode) {
    p.Ws->MouseMove(0, X, Y);
    p.Ws->MouseDown(mbLeft, 0, X, Y);
    if (p.Ws->Mode() != Mode) {
        state.SkipWithError("the press did not start the drag");
        return;
    }
    const int viewTop = std::max(0, Y - 300);
    p.PaintViewport(viewTop);
    bool away = false;
    for (auto _ : state) {
        away = !away;
        p.Ws->MouseMove(ssLeft, away ? X + DX : X, away ? Y + DY : Y);
        p.PaintViewport(viewTop);
    }
    p.Ws->MouseUp(mbLeft, 0, X, Y);
}

// The memo in the middle of band 10 (of 50), at 100 % zoom.
TfrxMemoView* MiddleMemo(TSurfacePage& p) { return p.Memos[9 * 20 + 10]; }

void BM_MoveStep(benchmark::State& state) {
    TSurfacePage p(50, 20);
    auto* m = MiddleMemo(p);
    p.Selected.assign(1, m);
    const int x = int(m->AbsLeft() + m->Width() / 2), y = int(m->AbsTop() + m->Height() / 2);
    DragSteps(state, p, x, y, 8, 8, TfrxDesignMode::dmMove);
}
BENCHMARK(BM_MoveStep)->Unit(benchmark::kMillisecond);

// A hundred memos (five bands' worth) moved together.
void BM_MoveStepOf100Memos(benchmark::State& state) {
    TSurfacePage p(50, 20);
    p.Selected.assign(p.Memos.begin() + 9 * 20, p.Memos.begin() + 14 * 20);
    auto* m = MiddleMemo(p);
    const int x = int(m->AbsLeft() + m->Width() / 2), y = int(m->AbsTop() + m->Height() / 2);
    DragSteps(state, p, x, y, 8, 8, TfrxDesignMode::dmMove);
}
BENCHMARK(BM_MoveStepOf100Memos)->Unit(benchmark::kMillisecond);

// The bottom-right handle of one memo.
void BM_SizeStep(benchmark::State& state) {
    TSurfacePage p(50, 20);
    p.Ws->GridAlign = false;
    auto* m = MiddleMemo(p);
    p.Selected.assign(1, m);
    const int x = int(m->AbsLeft() + m->Width()), y = int(m->AbsTop() + m->Height());
    DragSteps(state, p, x, y, 6, 3, TfrxDesignMode::dmSize);
}
BENCHMARK(BM_SizeStep)->Unit(benchmark::kMillisecond);

// The bottom edge of band 10: every band below it follows.
void BM_SizeBandStep(benchmark::State& state) {
    TSurfacePage p(50, 20);
    auto* band = p.Bands[9];
    const int x = 760, y = int(band->Top() + band->Height());
    DragSteps(state, p, x, y, 0, 8, TfrxDesignMode::dmSizeBand);
}
BENCHMARK(BM_SizeBandStep)->Unit(benchmark::kMillisecond);

// 100 bands of 49 memos: 5,000 objects with the bands.
void BM_UndoSnapshotOf5000Objects(benchmark::State& state) {
    TSurfacePage p(100, 49);
    TfrxUndoBuffer undo;
    for (auto _ : state) undo.PushUndo(p.Report.get());
    state.counters["snapshot_kb"] = double(undo.UndoSnapshot(undo.UndoCount() - 1).size()) / 1024;
}
BENCHMARK(BM_UndoSnapshotOf5000Objects)->Unit(benchmark::kMillisecond);

// Undo on a 5,000-object report: the report loaded again from the snapshot before.
void BM_UndoOf5000Objects(benchmark::State& state) {
    TSurfacePage p(100, 49);
    TfrxUndoBuffer undo;
    undo.PushUndo(p.Report.get());
    for (auto _ : state) {
        undo.PushUndo(p.Report.get());
        undo.PopUndo(p.Report.get());
    }
}
BENCHMARK(BM_UndoOf5000Objects)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
