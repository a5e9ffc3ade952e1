// The grouped list that the report benchmarks prepare, print and preview: an SQLite table
// sales(id, name, grp, amount) whose group changes every 20 rows, and a report with a title,
// a page header, a group header, a data band of five memos, a group footer with a sum and a
// page footer "Page N of M" (which needs the page count of a first pass with DoublePass).
#pragma once

#include <sys/resource.h>

#include <memory>
#include <string>

#include "platform/db/ADODB.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/rtl/FileUtils.h"
#include "report/Bands.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"

// sales(id, name, grp, amount) in a temporary database, with the query over it.
class TSales {
public:
    explicit TSales(int Rows) {
        FileName = CreateTempFile("", "groupedbench");
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
    TSales(const TSales&) = delete;
    TSales& operator=(const TSales&) = delete;
    std::string FileName;
    std::unique_ptr<TADOConnection> Connection;
    std::unique_ptr<TADOQuery> Query;
};

inline TfrxMemoView* AddGroupedMemo(TfrxBand* Band, double Left, double Width, const std::string& Text) {
    auto* m = new TfrxMemoView(Band);
    m->CreateUniqueName();
    m->SetBounds(Left, 0, Width, Band->Height());
    m->SetText(Text);
    return m;
}

template <class B> B* AddGroupedBand(TfrxReportPage* Page, const std::string& Name, double Top, double Height) {
    auto* b = new B(Page);
    b->SetName(Name);
    b->SetBounds(0, Top, 700, Height);
    return b;
}

// The grouped list on an A4 page.
inline std::unique_ptr<TfrxReport> GroupedList(TSales& Data, bool DoublePass) {
    auto report = std::make_unique<TfrxReport>(nullptr);
    report->EngineOptions()->SilentMode = true;
    report->EngineOptions()->DoublePass = DoublePass;
    auto* ds = new TfrxDBDataset(report.get());
    ds->SetName("DS");
    ds->SetDataSet(Data.Query.get());
    report->DataSets()->Add(ds);
    auto* page = new TfrxReportPage(report.get());
    page->SetName("Page1");
    AddGroupedMemo(AddGroupedBand<TfrxReportTitle>(page, "ReportTitle1", 0, 40), 0, 700, "销售清单");
    auto* header = AddGroupedBand<TfrxPageHeader>(page, "PageHeader1", 50, 20);
    AddGroupedMemo(header, 0, 100, "编号");
    AddGroupedMemo(header, 100, 200, "名称");
    AddGroupedMemo(header, 300, 100, "金额");
    auto* group = AddGroupedBand<TfrxGroupHeader>(page, "GroupHeader1", 80, 20);
    group->Condition = "DS.\"grp\"";
    AddGroupedMemo(group, 0, 300, "组 [DS.\"grp\"]");
    auto* master = AddGroupedBand<TfrxMasterData>(page, "MasterData1", 110, 18);
    master->SetDataSet(ds);
    AddGroupedMemo(master, 0, 100, "[DS.\"id\"]");
    AddGroupedMemo(master, 100, 200, "[DS.\"name\"]");
    AddGroupedMemo(master, 300, 100, "[DS.\"amount\"]");
    AddGroupedMemo(master, 400, 100, "[DS.\"grp\"]/[Line]");
    AddGroupedMemo(master, 500, 200, "[<DS.\"amount\"> * 2] 元");
    auto* footer = AddGroupedBand<TfrxGroupFooter>(page, "GroupFooter1", 140, 20);
    AddGroupedMemo(footer, 0, 300, "合计 [SUM(DS.\"amount\",MasterData1)]");
    AddGroupedMemo(AddGroupedBand<TfrxPageFooter>(page, "PageFooter1", 200, 20), 0, 300,
                   "第 [Page#] 页 共 [TotalPages] 页");
    return report;
}

// The process's peak resident size in kilobytes.
inline long PeakKB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}
