// A very large template: the receipt's page header with 10,000, 50,000 and 200,000 memos of
// its own, prepared once per size (each copied object gets a short name of the prepared
// pages' dictionary; the report's copy is cleared and read back after the run). Reports the
// time of each size and, at the end, the ratio of the largest to the smallest: preparing
// grows in proportion to the objects, 20 times the objects taking about 20 times as long.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "bench/GroupedReport.h"
#include "report/Bands.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PreviewPages.h"
#include "report/Report.h"

namespace {

std::map<int, double> gSeconds;

std::unique_ptr<TfrxReport> LargeHeader(int Memos) {
    auto report = std::make_unique<TfrxReport>(nullptr);
    report->EngineOptions()->SilentMode = true;
    auto* page = new TfrxReportPage(report.get());
    page->SetName("Page1");
    auto* band = new TfrxPageHeader(page);
    band->SetName("PageHeader1");
    band->SetBounds(0, 0, 700, 400);
    for (int i = 0; i < Memos; ++i) {
        auto* memo = new TfrxMemoView(band);
        memo->SetName("Memo" + std::to_string(i + 1));
        memo->SetBounds((i % 20) * 34, (i / 20) % 20 * 19, 34, 19);
        memo->SetText("项" + std::to_string(i % 100));
    }
    return report;
}

void BM_LargeTemplate(benchmark::State& state) {
    const int memos = static_cast<int>(state.range(0));
    int pages = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto report = LargeHeader(memos);
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        if (!report->PrepareReport()) {
            state.SkipWithError(report->Errors()->Text().c_str());
            return;
        }
        gSeconds[memos] = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        pages = report->PreviewPages()->Count();
        state.PauseTiming();
        report.reset();
        state.ResumeTiming();
    }
    state.counters["pages"] = pages;
    state.counters["peak_MB"] = static_cast<double>(PeakKB()) / 1024.0;
    state.SetItemsProcessed(state.iterations() * memos);
}
BENCHMARK(BM_LargeTemplate)->Arg(10000)->Arg(50000)->Arg(200000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("FONTCONFIG_FILE", ROVE_FONTS_CONF, 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (gSeconds.count(10000) && gSeconds.count(200000) && gSeconds[10000] > 0)
        std::printf("200,000 / 10,000 objects: %.1f times the time (%.2f s / %.3f s)\n",
                    gSeconds[200000] / gSeconds[10000], gSeconds[200000], gSeconds[10000]);
    return 0;
}
