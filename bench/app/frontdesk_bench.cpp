// The charge save of a 20-line receipt (ten drugs, ten examinations) on a clinic database
// that already holds 1,000,000 charge lines: the transaction with its number check, the
// lines, the stock update and the emptying of the entry lines, without retry pauses.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/charging/ChargeSave.h"
#include "app/charging/ReceiptRules.h"
#include "app/database/ClinicDatabase.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/Format.h"

namespace {

namespace fs = std::filesystem;

const TDateTime kToday = EncodeDate(2024, 3, 7);

// 1,000,000 lines over the 1,000 days before today, 1,000 per day in receipts of 4 lines.
void FillHistory(const std::string& file) {
    TSqliteDatabase db;
    db.Open(file, TSqliteDatabase::omReadWrite);
    db.ExecScript(
        "BEGIN;"
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 999999)"
        " INSERT INTO tb_sf (流水号,票据号,病人id,病人姓名,病人性别,病人年龄,医生姓名,医生科室,"
        "项目种类,项目类型,项目ID,项目名称,项目规格,数量,进价,销价,单项累计,应收金额,实收金额,"
        "应找金额,减免金额,收费类型,收费日期,收费时间,收费员,统计标致)"
        " SELECT (i % 1000) / 4 + 1, strftime('%y%m%d', '2024-03-06', '-' || (i / 1000) || ' days')"
        " || printf('%03d', (i % 1000) / 4 + 1), i % 5000, '病人' || (i % 5000), '男', '30', '医生', '内科',"
        " '药品项目', '西药费', 1 + i % 20, '药品' || (i % 20), '10片', 1, 2.5, 3.5, 3.5,"
        " CASE WHEN i % 4 = 0 THEN 14 ELSE 0 END, CASE WHEN i % 4 = 0 THEN 20 ELSE 0 END,"
        " CASE WHEN i % 4 = 0 THEN 6 ELSE 0 END, 0, '普通收费',"
        " date('2024-03-06', '-' || (i / 1000) || ' days'), '10:00:00', 'tulvo',"
        " CASE WHEN i % 4 = 0 THEN '1' ELSE '0' END FROM n;"
        "COMMIT;");
    db.Close();
}

class SaveFixture {
public:
    SaveFixture() {
        std::string pattern = (fs::temp_directory_path() / "rove-frontdesk-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        Dir = pattern;
        EnsureClinicDatabase(Dir);
        FillHistory(Dir + "/" + ClinicDatabaseFileName);
        Connection = std::make_unique<TADOConnection>(nullptr);
        Connection->SetConnectionString(ClinicConnectionString(Dir + "/" + ClinicDatabaseFileName));
        Connection->SetLoginPrompt(false);
        Connection->Open();
        Exec("with recursive g(value) as (select 1 union all select value + 1 from g where value < 20)"
             " insert into tb_yp (项目种类,项目类型,项目名称,拼音码,规格,单位,进价,单价,库存数量,进价金额,销价金额,库存下限)"
             " select case when value <= 10 then '药品项目' else '检查项目' end, '西药费', '项目' || value,"
             " 'XM' || value, '10片', '盒', 2.5, 3.5, 1000000, 2500000, 3500000, 10"
             " from g");
    }
    ~SaveFixture() {
        Connection.reset();
        std::error_code ec;
        fs::remove_all(Dir, ec);
    }
    void Exec(const std::string& sql) {
        TADOQuery q(nullptr);
        q.SetConnection(Connection.get());
        q.SQL()->SetText(sql);
        q.ExecSQL();
    }
    void EnterLines() {
        Exec("insert into tb_temp (id,项目种类,项目类型,项目名称,规格,单位,进价,单价,数量,单项累计)"
             " select ID, 项目种类, 项目类型, 项目名称, 规格, 单位, 进价, 单价, 2, 7 from tb_yp order by ID");
    }

    std::string Dir;
    std::unique_ptr<TADOConnection> Connection;
};

void BM_SaveTwentyLineReceipt(benchmark::State& state) {
    static SaveFixture fixture;
    TRetryPolicy noPause;
    noPause.Pause = [](unsigned) {};
    for (auto _ : state) {
        state.PauseTiming();
        fixture.EnterLines();
        TChargeReceipt receipt;
        receipt.Counter = NextReceiptCounter(*fixture.Connection, kToday);
        receipt.ReceiptNo = FormatReceiptNumber(kToday, receipt.Counter);
        receipt.ChargeDate = kToday;
        receipt.PatientId = 1;
        receipt.PatientName = "张三";
        receipt.PatientSex = "男";
        receipt.PatientAge = "30";
        receipt.Doctor = "李医生";
        receipt.Department = "内科";
        receipt.Due = receipt.Received = Currency::FromInt(140);
        receipt.ChargeType = "普通收费";
        receipt.ChargeTime = "09:00:00";
        receipt.Cashier = "tulvo";
        state.ResumeTiming();
        auto outcome = SaveCharge(*fixture.Connection, receipt, kToday, noPause);
        if (!outcome.Committed || outcome.Lines != 20) state.SkipWithError(outcome.LastError.c_str());
    }
}
BENCHMARK(BM_SaveTwentyLineReceipt)->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace

BENCHMARK_MAIN();
