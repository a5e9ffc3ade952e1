// Undo in the designer at size: reports of 1,000, 5,000 and 10,000 objects (bands of 49
// memos, every memo bound to the report's dataset, as a generated list is).
// - BM_BuildReport: the report made in code (every object inserted into the report that
//   owns it) and freed.
// - BM_LoadSnapshot: the report loaded again from its undo snapshot (the report cleared,
//   the snapshot read back), what the undo buffer does on every undo and redo.
// - BM_WindowUndo: one undo step in the designer window (goal: under 100 ms at 10,000
//   objects, growing linearly): the command as Ctrl+Z runs it, until the window has
//   settled and painted; the edit it undoes is made while the clock stands. Its instructions:
//   valgrind --tool=callgrind --collect-atstart=no designer_undo_bench
//   --benchmark_filter=BM_WindowUndo/10000 --benchmark_min_time=0.001 (one step).
// - BM_ThousandEditsHistory: 1,000 edits on 5,000 objects, a snapshot each, as the
//   designer takes them (goal: at least 500 undo steps kept within 200 MB resident).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_TOGGLE_COLLECT
#endif

#include "bench/QtBenchMain.h"
#include "designer/editors/Registration.h"
#include "designer/inspector/InspectorHints.h"
#include "designer/resources/DesignerTexts.h"
#include "designer/undo/UndoBuffer.h"
#include "designer/window/DesignerForm.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/ActnList.h"
#include "report/Bands.h"
#include "report/DataSet.h"
#include "report/Frame.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/ReportServices.h"

namespace {

constexpr int MemosPerBand = 49, BandStep = 44;

// Objects / 50 bands of 49 memos on one page (Objects counts bands and memos).
void BuildList(TfrxReport& Report, int Objects) {
    auto* ds = new TfrxUserDataSet(&Report);
    ds->SetName("DS");
    ds->SetUserName("DS");
    ds->Fields()->SetText("id\r\nname\r\namount");
    Report.DataSets()->Add(ds);
    auto* page = new TfrxReportPage(&Report);
    page->SetName("Page1");
    page->LargeDesignHeight = true;
    const int bands = Objects / (MemosPerBand + 1);
    page->SetPaperHeight(bands * BandStep / frxMmToPixels + 40);
    int n = 0;
    for (int b = 0; b < bands; ++b) {
        auto* band = new TfrxMasterData(page);
        band->SetName("MasterData" + std::to_string(b + 1));
        band->SetBounds(0, b * BandStep, 718, 40);
        band->SetDataSet(ds);
        for (int i = 0; i < MemosPerBand; ++i) {
            auto* m = new TfrxMemoView(band);
            m->SetName("Memo" + std::to_string(++n));
            m->SetBounds(i * 14.5, 2, 14, 36);
            m->Frame()->Typ = TfrxFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
            m->SetDataSet(ds);
            m->DataField = "name";
            m->SetText("[DS.\"name\"]");
        }
    }
}

void Settle() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

long ResidentBytes() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * sysconf(_SC_PAGESIZE);
}

void BM_BuildReport(benchmark::State& state) {
    for (auto _ : state) {
        auto report = std::make_unique<TfrxReport>(nullptr);
        BuildList(*report, static_cast<int>(state.range(0)));
        report.reset();
    }
}
BENCHMARK(BM_BuildReport)->Arg(1000)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_LoadSnapshot(benchmark::State& state) {
    TfrxReport report(nullptr);
    BuildList(report, static_cast<int>(state.range(0)));
    TStringStream snapshot;
    report.SaveToStream(snapshot, true, false);
    for (auto _ : state) {
        snapshot.SetPosition(0);
        report.LoadFromStream(snapshot);
    }
    state.counters["objects"] = static_cast<double>(report.AllObjects().size());
    state.counters["snapshot_kb"] = static_cast<double>(snapshot.DataString().size()) / 1024;
}
BENCHMARK(BM_LoadSnapshot)->Arg(1000)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_WindowUndo(benchmark::State& state) {
    frxRegisterDesignerTexts();
    frxRegisterDesignerEditors();
    frxRegisterInspectorHints();
    frxRegisterDesigner();
    TfrxReport report(nullptr);
    BuildList(report, static_cast<int>(state.range(0)));
    auto form = std::make_unique<TfrxDesignerForm>(nullptr, &report, false);
    form->SetWindowState(wsNormal);
    form->SetBounds(0, 0, 1024, 768);
    form->Show();
    form->SetScale(1);
    form->ReloadPages(0);
    Settle();
    int step = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // The edit: a memo moved, reported as the workspace reports it.
        auto* memo = static_cast<TfrxComponent*>(report.FindObject("Memo" + std::to_string(1 + step++ % 40)));
        memo->SetLeft(memo->Left() + 1);
        form->SetModified(true);
        Settle();
        state.ResumeTiming();
        // Under callgrind --collect-atstart=no the count is of the timed steps alone.
        CALLGRIND_TOGGLE_COLLECT;
        form->UndoCmd->Execute();
        Settle();
        CALLGRIND_TOGGLE_COLLECT;
    }
    state.counters["objects"] = static_cast<double>(form->Objects().size());
    form.reset();
    Settle();
}
BENCHMARK(BM_WindowUndo)->Arg(1000)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ThousandEditsHistory(benchmark::State& state) {
    for (auto _ : state) {
        TfrxReport report(nullptr);
        BuildList(report, 5000);
        std::vector<TfrxComponent*> memos;
        for (TfrxComponent* c : report.AllObjects())
            if (c->Is<TfrxMemoView>()) memos.push_back(c);
        TfrxUndoBuffer undo;
        undo.PushUndo(&report);
        for (int i = 0; i < 1000; ++i) {
            TfrxComponent* m = memos[size_t(i) * 7 % memos.size()];
            m->SetLeft(m->Left() + 1);
            undo.PushUndo(&report);
        }
        state.counters["history_mb"] = double(undo.Bytes()) / (1 << 20);
        state.counters["steps"] = undo.UndoCount() - 1;
        state.counters["resident_mb"] = double(ResidentBytes()) / (1 << 20);
    }
}
BENCHMARK(BM_ThousandEditsHistory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
