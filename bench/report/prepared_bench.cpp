// The prepared pages: writing a list report's pages (bands of five memos as differences),
// rebuilding a page from its XML, and saving and loading the prepared-report file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

#include "platform/rtl/FileUtils.h"
#include "report/Bands.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PreviewPages.h"
#include "report/Report.h"

namespace {

constexpr int RowsPerPage = 34;

struct TList {
    TfrxReport Report{nullptr};
    TfrxReportPage* Page;
    TfrxMasterData* Band;
    TfrxMemoView* Memos[5];
    TfrxPreviewPages Pages{&Report};

    TList() {
        frxRegisterPreviewPages();
        Page = new TfrxReportPage(&Report);
        Page->SetName("Page1");
        Band = new TfrxMasterData(Page);
        Band->SetName("MasterData1");
        Band->SetBounds(0, 0, 700, 30);
        for (int i = 0; i < 5; ++i) {
            Memos[i] = new TfrxMemoView(Band);
            Memos[i]->SetName("Memo" + std::to_string(i + 1));
            Memos[i]->SetBounds(i * 140, 0, 130, 20);
        }
    }

    void Fill(int PageCount) {
        Pages.Clear();
        Pages.AddSourcePage(Page);
        int row = 0;
        for (int p = 0; p < PageCount; ++p) {
            Pages.AddPage(Page);
            for (int r = 0; r < RowsPerPage; ++r, ++row) {
                Band->SetTop(r * 30);
                for (int i = 0; i < 5; ++i) Memos[i]->SetText("value " + std::to_string(row * 5 + i));
                Pages.AddObject(Band);
            }
        }
    }
};

void BM_WritePages(benchmark::State& state) {
    TList list;
    for (auto _ : state) list.Fill(static_cast<int>(state.range(0)));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WritePages)->Arg(30)->Arg(300)->Unit(benchmark::kMillisecond);

void BM_BuildColdPage(benchmark::State& state) {
    TList list;
    list.Fill(100);
    int i = 0;
    for (auto _ : state) {
        list.Pages.Finish();   // empties the cache: every call rebuilds
        benchmark::DoNotOptimize(list.Pages.GetPage(i++ % 100));
    }
}
BENCHMARK(BM_BuildColdPage)->Unit(benchmark::kMicrosecond);

void BM_SaveAndLoad(benchmark::State& state) {
    TList list;
    list.Fill(static_cast<int>(state.range(0)));
    const std::string file = GetTempDir() + "prepared_bench_" + std::to_string(getpid()) + ".bp3";
    TfrxPreviewPages loaded(&list.Report);
    for (auto _ : state) {
        list.Pages.SaveToFile(file);
        loaded.LoadFromFile(file, false, state.range(1) != 0);
    }
    std::remove(file.c_str());
}
BENCHMARK(BM_SaveAndLoad)->Args({300, 0})->Args({300, 1})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
