// Aggregate calls: feeding 50 items per printed row through the report's field look-up,
// and asking for a value among 50 items by its call text.
#include <benchmark/benchmark.h>

#include <string>

#include "report/Aggregates.h"
#include "report/Bands.h"
#include "report/DataSet.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"

namespace {

// One master band with a footer holding 50 calls (ten of each function) over a field.
struct AggregateReport {
    TfrxReport Report{nullptr};
    TfrxAggregateList List{&Report};
    TfrxMasterData* Master;
    TfrxFooter* Footer;
    AggregateReport() {
        Report.EngineOptions()->SilentMode = true;
        auto* ds = new TfrxUserDataSet(&Report);
        ds->SetName("Data");
        ds->Fields()->Add("金额");
        ds->OnGetValue = [](const std::string&, Variant& v) { v = Variant(12.5); };
        Report.DataSets()->Add(ds);
        auto* page = new TfrxReportPage(&Report);
        Master = new TfrxMasterData(page);
        Master->SetName("MasterData1");
        Footer = new TfrxFooter(page);
        Footer->SetName("Footer1");
        Master->Footer = Footer;
        page->HorizontalMasters = {Master};
        const char* functions[] = {"SUM", "AVG", "MIN", "MAX", "COUNT"};
        for (int i = 0; i < 50; ++i) {
            auto* memo = new TfrxMemoView(Footer);
            memo->SetName("Memo" + std::to_string(i + 1));
            const std::string fn = functions[i % 5];
            memo->SetText(fn == "COUNT" ? "[COUNT(MasterData1, " + std::to_string(i / 5 % 2) + ")]"
                                        : "[" + fn + "(Data.\"金额\", MasterData1, " + std::to_string(i / 5 % 2) + ")]");
        }
        List.AddItems(page);
    }
};

void BM_AggregateRows(benchmark::State& state) {
    AggregateReport r;
    const int rows = static_cast<int>(state.range(0));
    for (auto _ : state) {
        for (int i = 0; i < rows; ++i) r.List.AddValue(r.Master);
        r.List.ClearValues();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_AggregateRows)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_AggregateLookUp(benchmark::State& state) {
    AggregateReport r;
    r.List.AddValue(r.Master);
    const std::string last = r.List.Items(r.List.Count() - 1)->Text;
    for (auto _ : state) benchmark::DoNotOptimize(r.List.GetValue(r.Footer, 0, last));
}
BENCHMARK(BM_AggregateLookUp);

}  // namespace

BENCHMARK_MAIN();
