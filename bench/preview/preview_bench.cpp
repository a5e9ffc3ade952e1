// The preview over 1,000 dense pages (34 rows of five memos each): a search that finds
// nothing (every page drawn into its recording and its text runs read), and one frame of
// the workspace at zoom 1 and in the two-pages mode.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <memory>
#include <string>

#include "bench/QtBenchMain.h"
#include "platform/graphics/Graphics.h"
#include "platform/ui/Forms.h"
#include "preview/Preview.h"
#include "report/Bands.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PreviewPages.h"
#include "report/Report.h"

namespace {

constexpr int PageCount = 1000;
constexpr int RowsPerPage = 34;

struct TDensePreview {
    TfrxReport Report{nullptr};
    TfrxPreviewPages Pages{&Report};
    TForm Form{nullptr};
    TfrxPreview* Preview;

    TDensePreview() {
        frxRegisterPreviewPages();
        auto* page = new TfrxReportPage(&Report);
        page->SetName("Page1");
        auto* band = new TfrxMasterData(page);
        band->SetName("MasterData1");
        band->SetBounds(0, 0, 700, 30);
        TfrxMemoView* memos[5];
        for (int i = 0; i < 5; ++i) {
            memos[i] = new TfrxMemoView(band);
            memos[i]->SetName("Memo" + std::to_string(i + 1));
            memos[i]->SetBounds(i * 140, 0, 130, 20);
        }
        Pages.AddSourcePage(page);
        int row = 0;
        for (int p = 0; p < PageCount; ++p) {
            Pages.AddPage(page);
            for (int r = 0; r < RowsPerPage; ++r, ++row) {
                band->SetTop(r * 30);
                for (int i = 0; i < 5; ++i) memos[i]->SetText("收费项目 " + std::to_string(row * 5 + i));
                Pages.AddObject(band);
            }
        }
        Form.SetBounds(0, 0, 1000, 800);
        Preview = new TfrxPreview(&Form);
        Preview->SetParent(&Form);
        Preview->SetBounds(0, 0, 980, 760);
        Preview->SetOutlineVisible(false);
        Form.Show();
        Preview->Report = &Report;
        Preview->PreviewPages = &Pages;
        Preview->Init();
        QApplication::processEvents();
    }
};

std::unique_ptr<TDensePreview>& DenseHolder() {
    static std::unique_ptr<TDensePreview> preview;
    return preview;
}
TDensePreview& Dense() {
    if (!DenseHolder()) DenseHolder() = std::make_unique<TDensePreview>();
    return *DenseHolder();
}

// Goal: under 2 s for the 1,000 pages.
void BM_SearchWithoutHit(benchmark::State& state) {
    TDensePreview& p = Dense();
    TfrxPreviewWorkspace* w = p.Preview->Workspace();
    TfrxSearchState& s = frxSearchState();
    s.SearchText = "挂号单";
    s.MatchCase = false;
    for (auto _ : state) {
        w->MetafilePage = -1;   // every page drawn again
        w->SearchPage = 0;
        s.LastFoundRecord = -1;
        benchmark::DoNotOptimize(w->FindText());
    }
    state.SetItemsProcessed(state.iterations() * PageCount);
}
BENCHMARK(BM_SearchWithoutHit)->Unit(benchmark::kMillisecond)->Iterations(3);

// One full frame of the workspace in the middle of the report. Goal: under 16 ms.
// Cold: the pages in view are drawn (pages just come into view, a new zoom); warm: their
// pictures, made while the window was idle, are copied (a scroll among them, an uncovered
// window).
void Repaint(benchmark::State& state, TfrxZoomMode Mode, bool Cold) {
    TDensePreview& p = Dense();
    if (Mode == zmManyPages) p.Preview->SetZoomMode(zmManyPages);
    else p.Preview->SetZoom(1.0);
    p.Preview->SetPageNo(PageCount / 2);
    TfrxPreviewWorkspace* w = p.Preview->Workspace();
    w->Repaint();
    // The pictures of the pages in view, made while the window is idle.
    for (int i = 0; i < 200 && w->PageImageCount() < 8; ++i) QApplication::processEvents(QEventLoop::AllEvents, 5);
    for (auto _ : state) {
        if (Cold) w->ClearPageImages();
        w->Repaint();
    }
}
void BM_RepaintZoom100Cold(benchmark::State& state) { Repaint(state, zmDefault, true); }
void BM_RepaintZoom100Warm(benchmark::State& state) { Repaint(state, zmDefault, false); }
void BM_RepaintManyPagesCold(benchmark::State& state) { Repaint(state, zmManyPages, true); }
void BM_RepaintManyPagesWarm(benchmark::State& state) { Repaint(state, zmManyPages, false); }
BENCHMARK(BM_RepaintZoom100Cold)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintZoom100Warm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintManyPagesCold)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintManyPagesWarm)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv, [] { DenseHolder().reset(); });   // the windows go before the application
}
