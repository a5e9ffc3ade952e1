// Report scripts: a 10,000-row report whose data band's OnBeforePrint script sets a memo's
// text and colour per row, against the same report without the script; and one call of
// that event on its own (the script's cost per row).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <string>

#include "report/Bands.h"
#include "report/DataSet.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PreviewPages.h"
#include "report/Report.h"

namespace {

// Rows records of a user dataset on a master band with two memos; with Script the band's
// OnBeforePrint runs "Row", which writes Memo2's text and colour.
struct TScriptedReport {
    std::unique_ptr<TfrxReport> Report = std::make_unique<TfrxReport>(nullptr);
    TfrxMasterData* Master = nullptr;

    TScriptedReport(int Rows, bool Script) {
        Report->EngineOptions()->SilentMode = true;
        auto* ds = new TfrxUserDataSet(Report.get());
        ds->SetName("D");
        ds->Fields()->SetText("x");
        ds->RangeEnd = reCount;
        ds->RangeEndCount = Rows;
        ds->OnGetValue = [ds](const std::string&, Variant& Value) { Value = Variant(ds->RecNo() + 1); };
        Report->DataSets()->Add(ds);
        auto* page = new TfrxReportPage(Report.get());
        page->SetName("Page1");
        Master = new TfrxMasterData(page);
        Master->SetName("MasterData1");
        Master->SetBounds(0, 20, 700, 18);
        Master->SetDataSet(ds);
        auto* memo1 = new TfrxMemoView(Master);
        memo1->SetName("Memo1");
        memo1->SetBounds(0, 0, 100, 18);
        memo1->SetText("[D.\"x\"]");
        auto* memo2 = new TfrxMemoView(Master);
        memo2->SetName("Memo2");
        memo2->SetBounds(120, 0, 200, 18);
        memo2->SetText("row");
        if (!Script) return;
        Master->OnBeforePrint = "Row";
        Report->ScriptText()->SetText(
            "procedure Row(Sender: TfrxComponent);\r\n"
            "begin\r\n"
            "  Memo2.Text := 'row ' + IntToStr(<Line>);\r\n"
            "  Memo2.Color := IIF(<Line> mod 2 = 0, clSilver, clTransparent);\r\n"
            "end;\r\n"
            "\r\n"
            "begin\r\n"
            "end.");
    }
};

void BM_ReportRows(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    TScriptedReport r(rows, state.range(1) != 0);
    for (auto _ : state) {
        if (!r.Report->PrepareReport()) state.SkipWithError(r.Report->Errors()->Text().c_str());
        benchmark::DoNotOptimize(r.Report->PreviewPages()->Count());
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_ReportRows)->ArgNames({"rows", "script"})->Args({10000, 0})->Args({10000, 1})->Unit(benchmark::kMillisecond);

// The event alone: the band's OnBeforePrint called as the engine calls it.
void BM_BeforePrintEvent(benchmark::State& state) {
    TScriptedReport r(1, true);
    if (!r.Report->PrepareScript()) state.SkipWithError(r.Report->Errors()->Text().c_str());
    for (auto _ : state) r.Report->DoNotifyEvent(r.Master, "Row", true);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BeforePrintEvent);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("FONTCONFIG_FILE", ROVE_FONTS_CONF, 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
