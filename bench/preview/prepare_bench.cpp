// Preparing inside the preview: the grouped list of bench/GroupedReport.h (two passes,
// "Page N of M") prepared alone, and prepared while its modeless preview window is up (the
// report's ShowReport: the window is shown, then the run that the report's timer would start
// is started at once), at 100,000 and 1,000,000 rows. The window's own work during the run
// (its page list, page number and status texts, paints while messages are processed on every
// page) is the difference. Each reports the pages and the process's peak resident size; run
// one benchmark at a time (--benchmark_filter) for a peak of its own. Goal: inside the preview
// within 1.1x alone, which BM_PrepareInPreviewOverAlone measures in pairs of runs (its
// "ratio"; bench/Paired.h): the two benchmarks run one after the other differ by as much
// again on a shared machine whose speed drifts.
//
// The preview refreshes its page count every 50, 20 or 5 pages as its first page took
// under 5, under 10 or 10 ms and more. Under a profiler every page takes longer than 10 ms;
// with ROVE_BENCH_STEADY_TICKS=1 the tick count stands still, so that the preview takes
// the interval it takes at full speed and the profile counts what a real run does.
//
// The timed part alone (the run and, inside the preview, the messages processed after it)
// counts under callgrind started with --collect-atstart=no, e.g.
//   ROVE_BENCH_STEADY_TICKS=1 valgrind --tool=callgrind --collect-atstart=no
//   preview_prepare_bench --benchmark_filter=BM_PrepareInPreview/100000 --benchmark_min_time=0.001
#include <benchmark/benchmark.h>

#include <cstdlib>
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_TOGGLE_COLLECT
#endif

#include <QApplication>
#include <memory>
#include <string>

#include "bench/GroupedReport.h"
#include "bench/Paired.h"
#include "bench/QtBenchMain.h"
#include "platform/rtl/FileUtils.h"
#include "platform/ui/ExtCtrls.h"
#include "preview/PreviewForm.h"
#include "report/PreviewPages.h"

namespace {

// One run, alone or inside the preview; the setting up and the closing untimed. Returns the
// run's processor time, or a negative figure when it failed (the error set on the state).
double PrepareOnce(benchmark::State& state, TSales& data, bool InPreview, int& pages) {
    state.PauseTiming();
    auto report = GroupedList(data, true);
    report->PreviewOptions()->Modal = false;
    if (InPreview) {
        report->ShowReport(true);
        report->Timer()->SetEnabled(false);
        QApplication::processEvents();
    }
    state.ResumeTiming();
    const double t0 = ProcessCpuMs();
    CALLGRIND_TOGGLE_COLLECT;
    const bool prepared = report->PrepareReport(!InPreview);
    if (prepared && InPreview) QApplication::processEvents();
    CALLGRIND_TOGGLE_COLLECT;
    const double ms = ProcessCpuMs() - t0;
    state.PauseTiming();
    if (!prepared) {
        state.SkipWithError(report->Errors()->Text().c_str());
        state.ResumeTiming();
        return -1;
    }
    pages = report->PreviewPages()->Count();
    if (TfrxCustomPreviewForm* form = report->PreviewForm()) {
        form->Close();
        QApplication::processEvents();
    }
    report.reset();
    state.ResumeTiming();
    return ms;
}

void Prepare(benchmark::State& state, bool InPreview) {
    const int rows = static_cast<int>(state.range(0));
    TSales data(rows);
    int pages = 0;
    for (auto _ : state)
        if (PrepareOnce(state, data, InPreview, pages) < 0) return;
    state.counters["pages"] = pages;
    state.counters["peak_MB"] = static_cast<double>(PeakKB()) / 1024.0;
}

// The goal itself: a run alone and a run inside the preview in each iteration, in turns;
// "ratio" is the median of inside over alone.
void BM_PrepareInPreviewOverAlone(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    TSales data(rows);
    int pages = 0;
    TPairedTimes times;
    for (auto _ : state) {
        const bool insideFirst = TPairedTimes::SecondFirst(times.Count());
        const double first = PrepareOnce(state, data, insideFirst, pages);
        const double second = first < 0 ? -1 : PrepareOnce(state, data, !insideFirst, pages);
        if (second < 0) return;
        insideFirst ? times.Add(second, first) : times.Add(first, second);
    }
    times.Report(state, "alone_ms", "inside_ms");
}

void BM_PrepareAlone(benchmark::State& state) { Prepare(state, false); }
void BM_PrepareInPreview(benchmark::State& state) { Prepare(state, true); }
BENCHMARK(BM_PrepareAlone)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_PrepareInPreview)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_PrepareInPreviewOverAlone)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->MinTime(20);

}  // namespace

int main(int argc, char** argv) {
    if (const char* steady = std::getenv("ROVE_BENCH_STEADY_TICKS"); steady && std::string(steady) == "1")
        SetTickCountSource([] { return 0u; });
    frxRegisterPreviewForm();
    return RunQtBenchmarks(argc, argv);
}
