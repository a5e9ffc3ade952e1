// Report preparation at size: the grouped list of bench/GroupedReport.h prepared with two
// passes and with one, for 10,000 and 100,000 rows. Each run reports its pages and the
// process's peak resident size; run one benchmark at a time (--benchmark_filter) for a peak
// of its own.
//
// With ROVE_BENCH_SAVE=<folder> every run also saves its prepared pages there, so the
// output of two builds can be compared byte for byte.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <string>

#include "bench/GroupedReport.h"
#include "report/PreviewPages.h"

namespace {

void Save(TfrxReport& Report, const std::string& Name) {
    const char* folder = std::getenv("ROVE_BENCH_SAVE");
    if (!folder) return;
    if (auto* pages = dynamic_cast<TfrxPreviewPages*>(Report.PreviewPages()))
        pages->SaveToFile(std::string(folder) + "/" + Name + ".fp3");
}

void BM_GroupedReport(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const bool doublePass = state.range(1) != 0;
    TSales data(rows);
    int pages = 0;
    for (auto _ : state) {
        auto report = GroupedList(data, doublePass);
        if (!report->PrepareReport()) {
            state.SkipWithError(report->Errors()->Text().c_str());
            return;
        }
        pages = report->PreviewPages()->Count();
        state.PauseTiming();
        Save(*report, "grouped-" + std::to_string(rows) + (doublePass ? "-2" : "-1"));
        report.reset();
        state.ResumeTiming();
    }
    state.counters["pages"] = pages;
    state.counters["peak_MB"] = static_cast<double>(PeakKB()) / 1024.0;
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_GroupedReport)
    ->Args({10000, 1})
    ->Args({10000, 0})
    ->Args({100000, 1})
    ->Args({100000, 0})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("FONTCONFIG_FILE", ROVE_FONTS_CONF, 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
