// The daily report and the amount statistics on a clinic database holding 1,000,000 charge
// lines (a year of a busy clinic: about 2,700 lines in 685 receipts a day, twelve doctors,
// the ten item types): the window's query with its totals ("统计") and its print ("打印":
// the preview window up, the report prepared in it, the window closed), for one day and
// for one month.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/forms/AmountStatsForm.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/DailyReportForm.h"
#include "app/forms/DataModule.h"
#include "app/forms/QuerySupport.h"
#include "app/forms/Startup.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FileUtils.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "preview/Preview.h"
#include "preview/PreviewForm.h"
#include "report/PreviewPages.h"
#include "report/Report.h"

namespace {

namespace fs = std::filesystem;

// The last day of the year of charges.
const TDateTime kLastDay = EncodeDate(2024, 3, 7);

// The clinic's windows in a folder of their own, over a year of charges.
class Clinic {
public:
    Clinic() {
        FOldDir = fs::current_path();
        std::string pattern = (fs::temp_directory_path() / "rove-reports-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        FDir = pattern;
        fs::current_path(FDir);
        Harness.SetClock([] { return kLastDay + 0.5; });
        if (!CreateClinicWindows()) throw std::runtime_error("the clinic windows could not be made");
        Exec("BEGIN");
        Exec("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 999999)"
             " INSERT INTO tb_sf (流水号,票据号,病人id,病人姓名,病人性别,病人年龄,医生姓名,医生科室,"
             "项目种类,项目类型,项目ID,项目名称,项目规格,数量,进价,销价,单项累计,应收金额,实收金额,"
             "应找金额,减免金额,收费类型,收费日期,收费时间,收费员,统计标致)"
             " SELECT (i % 2740) / 4 + 1,"
             " strftime('%y%m%d', '2024-03-07', '-' || (i / 2740) || ' days') || printf('%03d', (i % 2740) / 4 + 1),"
             " i % 5000, '病人' || (i % 5000), '男', '30', '医生' || ((i / 4) % 12), '内科',"
             " '药品项目', (SELECT lx FROM tb_yplx WHERE id = 1 + i % 10), 1 + i % 20,"
             " '药品' || (i % 20), '10片', 1, 2.5, 3.5, 3.5,"
             " CASE WHEN i % 4 = 0 THEN 13 ELSE 0 END, CASE WHEN i % 4 = 0 THEN 20 ELSE 0 END,"
             " CASE WHEN i % 4 = 0 THEN 7 ELSE 0 END, CASE WHEN i % 4 = 0 THEN 1 ELSE 0 END,"
             " CASE WHEN i % 8 = 0 THEN '优惠打折' ELSE '普通收费' END,"
             " date('2024-03-07', '-' || (i / 2740) || ' days'), '10:00:00', 'tulvo',"
             " CASE WHEN i % 4 = 0 THEN '1' ELSE '0' END FROM n");
        Exec("COMMIT");
        Exec("ANALYZE");
    }
    ~Clinic() {
        const auto order = ClinicFormOrder();
        for (auto it = order.rbegin(); it != order.rend(); ++it) delete FindClinicForm(*it);
        fs::current_path(FOldDir);
        std::error_code ec;
        fs::remove_all(FDir, ec);
    }
    static void Exec(const std::string& sql) {
        TADOQuery q(nullptr);
        q.SetConnection(datamoduleform->ADOConnection1);
        q.SQL()->SetText(sql);
        q.ExecSQL();
    }

    TUiTestHarness Harness;

private:
    fs::path FOldDir, FDir;
};

// Made in main, before the benchmarks run, and freed before the program ends.
Clinic* TheClinic = nullptr;

// "统计", then "打印": the preview comes up, prepares the report in its timer (fired here
// at once) and is closed.
template <class Window>
void StatisticsAndReport(benchmark::State& state, Window* window, int days) {
    using H = TUiTestHarness;
    window->DateTimePicker1->SetDate(kLastDay - (days - 1));
    window->DateTimePicker2->SetDate(kLastDay);
    // The buttons are clicked as the user clicks them, so the window is shown first.
    window->Show();
    H::ProcessMessages();
    int pages = 0, rows = 0;
    for (auto _ : state) {
        H::Click(window->Button1);
        rows = window->ADOQuery1->RecordCount();
        TheClinic->Harness.OnModal("TfrxPreviewForm", [&pages](TCustomForm& F) {
            auto& form = dynamic_cast<TfrxPreviewForm&>(F);
            H::FireTimer(form.Preview->Report->Timer());
            pages = form.Preview->Report->PreviewPages()->Count();
            H::Click(form.CancelB);
        });
        H::Click(window->Button3);
    }
    window->Hide();
    if (!TheClinic->Harness.Errors().empty() || !TheClinic->Harness.DialogTexts().empty())
        state.SkipWithError("the windows said something or were left open");
    state.counters["rows"] = rows;
    state.counters["pages"] = pages;
}

void BM_DailyReport(benchmark::State& state) {
    StatisticsAndReport(state, rbform, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_DailyReport)->Arg(1)->Arg(30)->Unit(benchmark::kMillisecond);

void BM_AmountStatistics(benchmark::State& state) {
    StatisticsAndReport(state, xmxhtjform, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_AmountStatistics)->Arg(1)->Arg(30)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    SetCommandLine(1, argv);
    Application->Initialize(argc, argv);
    RegisterClinicClasses();
    TheClinic = new Clinic;
    benchmark::RunSpecifiedBenchmarks();
    delete TheClinic;
    benchmark::Shutdown();
    return 0;
}
