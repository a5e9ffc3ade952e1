// Cross-tab output: a 200-row by 50-column cross-tab with its totals, filled from 100,000
// records of a report dataset and laid out across pages by a report run, on the real
// fonts. Reports the peak resident memory of the process as a counter.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <string>
#include <sys/resource.h>

#include "report/Bands.h"
#include "report/CrossView.h"
#include "report/DataSet.h"
#include "report/Pages.h"
#include "report/PreviewPages.h"
#include "report/Report.h"

namespace {

struct TCrossReport {
    std::unique_ptr<TfrxReport> Report = std::make_unique<TfrxReport>(nullptr);
    TfrxDBCrossView* View = nullptr;

    TCrossReport(int Records, int Rows, int Columns) {
        Report->EngineOptions()->SilentMode = true;
        auto* ds = new TfrxUserDataSet(Report.get());
        ds->SetName("Sales");
        ds->SetUserName("Sales");
        for (const char* f : {"item", "day", "amount"}) ds->Fields()->Add(f);
        ds->RangeEnd = reCount;
        ds->RangeEndCount = Records;
        ds->OnGetValue = [ds, Rows, Columns](const std::string& Field, Variant& Value) {
            const int n = ds->RecNo();
            if (Field == "item") Value = Variant("item " + std::to_string(n % Rows));
            else if (Field == "day") Value = Variant(n / Rows % Columns);
            else Value = Variant((n % 97) * 0.5);
        };
        Report->DataSets()->Add(ds);
        auto* page = new TfrxReportPage(Report.get());
        page->SetName("Page1");
        page->SetDefaults();
        auto* band = new TfrxMasterData(page);
        band->SetName("MasterData1");
        band->SetBounds(0, 0, 700, 40);
        band->SetRowCount(1);
        View = new TfrxDBCrossView(band);
        View->SetName("Cross1");
        View->SetBounds(0, 0, 200, 40);
        View->SetDataSet(ds);
        View->RowFields()->Add("item");
        View->ColumnFields()->Add("day");
        View->CellFields()->Add("amount");
    }
};

long PeakRssKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

void BM_CrossTabAcrossPages(benchmark::State& state) {
    const int records = static_cast<int>(state.range(0));
    int pages = 0;
    for (auto _ : state) {
        TCrossReport r(records, 200, 50);
        if (!r.Report->PrepareReport()) state.SkipWithError(r.Report->Errors()->Text().c_str());
        pages = r.Report->PreviewPages()->Count();
    }
    state.counters["pages"] = pages;
    state.counters["peak_rss_mb"] = static_cast<double>(PeakRssKb()) / 1024;
    state.SetItemsProcessed(state.iterations() * records);
}
BENCHMARK(BM_CrossTabAcrossPages)->Arg(100000)->Unit(benchmark::kMillisecond);

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
