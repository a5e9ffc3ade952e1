// Report preparation at size: a grouped list over an SQLite table (title, page header, a
// group header per 20 rows, a data band of five memos, a group footer with a sum, a page
// footer "Page N of M" that needs the page count of a first pass), prepared with two
// passes and with one, for 10,000 and 100,000 rows. Each run reports its pages and the process's peak resident size; run one
// benchmark at a time (--benchmark_filter) for a peak of its own.
//
// With ROVE_BENCH_SAVE=<folder> every run also saves its prepared pages there, so the
// output of two builds can be compared byte for byte.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/db/ADODB.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/rtl/FileUtils.h"
#include "report/Bands.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PreviewPages.h"
#include "report/Report.h"

namespace {

// sales(id, name, grp, amount): grp changes every 20 rows.
class TSales {
public:
    explicit TSales(int Rows) {
        FileName = CreateTempFile("", "enginebench");
        TSqliteDatabase db;
        db.Open(FileName, TSqliteDatabase::omReadWriteCreate);
        db.ExecScript(
            "CREATE TABLE sales (id INTEGER, name TEXT(20), grp TEXT(10), amount FLOAT);"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
            std::to_string(Rows) +
            ") INSERT INTO sales SELECT i, '项目' || i, 'G' || ((i - 1) / 20), (i % 97) * 1.25 FROM n;");
        db.Close();
        Connection = std::make_unique<TADOConnection>(nullptr);
        Connection->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + FileName);
        Connection->SetLoginPrompt(false);
        Connection->Open();
        Query = std::make_unique<TADOQuery>(nullptr);
        Query->SetConnection(Connection.get());
        Query->SQL()->SetText("select * from sales order by id");
    }
    ~TSales() {
        Query.reset();
        Connection.reset();
        DeleteFile(FileName);
    }
    std::string FileName;
    std::unique_ptr<TADOConnection> Connection;
    std::unique_ptr<TADOQuery> Query;
};

TfrxMemoView* AddMemo(TfrxBand* Band, double Left, double Width, const std::string& Text) {
    auto* m = new TfrxMemoView(Band);
    m->CreateUniqueName();
    m->SetBounds(Left, 0, Width, Band->Height());
    m->SetText(Text);
    return m;
}

template <class B> B* AddBand(TfrxReportPage* Page, const std::string& Name, double Top, double Height) {
    auto* b = new B(Page);
    b->SetName(Name);
    b->SetBounds(0, Top, 700, Height);
    return b;
}

// The grouped list on an A4 page.
std::unique_ptr<TfrxReport> GroupedList(TSales& Data, bool DoublePass) {
    auto report = std::make_unique<TfrxReport>(nullptr);
    report->EngineOptions()->SilentMode = true;
    report->EngineOptions()->DoublePass = DoublePass;
    auto* ds = new TfrxDBDataset(report.get());
    ds->SetName("DS");
    ds->SetDataSet(Data.Query.get());
    report->DataSets()->Add(ds);
    auto* page = new TfrxReportPage(report.get());
    page->SetName("Page1");
    AddMemo(AddBand<TfrxReportTitle>(page, "ReportTitle1", 0, 40), 0, 700, "销售清单");
    auto* header = AddBand<TfrxPageHeader>(page, "PageHeader1", 50, 20);
    AddMemo(header, 0, 100, "编号");
    AddMemo(header, 100, 200, "名称");
    AddMemo(header, 300, 100, "金额");
    auto* group = AddBand<TfrxGroupHeader>(page, "GroupHeader1", 80, 20);
    group->Condition = "DS.\"grp\"";
    AddMemo(group, 0, 300, "组 [DS.\"grp\"]");
    auto* master = AddBand<TfrxMasterData>(page, "MasterData1", 110, 18);
    master->SetDataSet(ds);
    AddMemo(master, 0, 100, "[DS.\"id\"]");
    AddMemo(master, 100, 200, "[DS.\"name\"]");
    AddMemo(master, 300, 100, "[DS.\"amount\"]");
    AddMemo(master, 400, 100, "[DS.\"grp\"]/[Line]");
    AddMemo(master, 500, 200, "[<DS.\"amount\"> * 2] 元");
    auto* footer = AddBand<TfrxGroupFooter>(page, "GroupFooter1", 140, 20);
    AddMemo(footer, 0, 300, "合计 [SUM(DS.\"amount\",MasterData1)]");
    AddMemo(AddBand<TfrxPageFooter>(page, "PageFooter1", 200, 20), 0, 300, "第 [Page#] 页 共 [TotalPages] 页");
    return report;
}

long PeakKB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

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
