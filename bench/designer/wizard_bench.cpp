// The cross-tab editor's sample after one change on a cross-tab of 8 row and 8 column
// levels, laid out and drawn again (goal: under 16 ms per action), and the standard wizard
// building a report of 200 fields over an SQLite query.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <memory>
#include <string>

#include "bench/QtBenchMain.h"
#include "designer/dialogs/CrossEditor.h"
#include "designer/resources/DesignerTexts.h"
#include "designer/wizards/StdWizard.h"
#include "platform/classes/Streaming.h"
#include "platform/db/ADODB.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/FileUtils.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "report/CrossView.h"
#include "report/DataSet.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/ReportServices.h"

namespace {

class TBenchDesigner : public TfrxCustomDesigner {
public:
    explicit TBenchDesigner(TfrxReport* R) : TfrxCustomDesigner(nullptr, R, false) {}
    std::vector<std::string> GetCode() override { return {}; }
    std::string InsertExpression(const std::string&) override { return {}; }
    void Lock() override {}
    void ReloadPages(int) override {}
    void ReloadReport() override {}
    void UpdateDataTree() override {}
    void UpdatePage() override {}
};

void BM_CrossSamplePerAction(benchmark::State& state) {
    frxRegisterDesignerTexts();
    TfrxReport report(nullptr);
    auto* page = new TfrxReportPage(&report);
    page->SetName("Page1");
    auto* cross = new TfrxCrossView(page);
    cross->SetName("Cross1");
    cross->SetRowLevels(8);
    cross->SetColumnLevels(8);
    cross->SetCellLevels(2);
    TfrxCrossEditorForm form(nullptr);
    form.CrossView = cross;
    form.Show();
    TBitmap frame;
    for (auto _ : state) {
        // One structural change (a header switched), as every drop, box and menu does.
        form.RowTotalCB->SetChecked(!form.RowTotalCB->Checked());
        TUiTestHarness::Grab(form.PaintBox, frame);
    }
    if (cross->RowLevels() != 8 || cross->ColumnLevels() != 8) state.SkipWithError("the sample lost levels");
    state.counters["sample_items"] = static_cast<double>(form.LayoutSample().size());
    form.Hide();
}
BENCHMARK(BM_CrossSamplePerAction)->Unit(benchmark::kMillisecond);

void BM_WizardReportOf200Fields(benchmark::State& state) {
    frxRegisterDesignerTexts();
    const std::string file = CreateTempFile("", "wizardbench");
    {
        TSqliteDatabase db;
        db.Open(file, TSqliteDatabase::omReadWriteCreate);
        std::string create = "CREATE TABLE t (";
        for (int i = 0; i < 200; ++i) create += (i ? ", f" : "f") + std::to_string(i) + " TEXT(12)";
        db.ExecScript(create + ");");
        db.Close();
    }
    TADOConnection connection(nullptr);
    connection.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + file);
    connection.SetLoginPrompt(false);
    connection.Open();
    TADOQuery query(nullptr);
    query.SetConnection(&connection);
    query.SQL()->SetText("select * from t");
    TfrxReport report(nullptr);
    TDataModule module(nullptr);
    module.SetName("WideModule");
    AddGlobalComponent(&module);
    auto* ds = new TfrxDBDataset(&module);
    ds->SetName("WideDS");
    ds->SetUserName("Wide");
    ds->SetDataSet(&query);
    TfrxReportPage* page = new TfrxReportPage(&report);
    page->SetName("Page1");
    report.DataSets()->Add(ds);
    TBenchDesigner designer(&report);
    TfrxStdWizardForm form(&designer);
    form.Designer = &designer;
    form.Report = &report;
    form.FormShow(&form);
    form.AddAllFieldsBClick(&form);
    for (auto _ : state) form.GenerateReport();
    // Every field gets its header and its data text object.
    int memos = 0;
    for (int i = 0; i < report.PagesCount(); ++i)
        for (TfrxComponent* c : report.Pages(i)->AllObjects()) memos += dynamic_cast<TfrxMemoView*>(c) != nullptr;
    if (memos < 400) state.SkipWithError("the report does not hold all 200 fields");
    state.counters["text_objects"] = memos;
    RemoveGlobalComponent(&module);
    DeleteFile(file);
}
BENCHMARK(BM_WizardReportOf200Fields)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
