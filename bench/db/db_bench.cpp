// The clinic database at the size of years of charging: 1,000,000 charge lines over 1000
// days. Measures the day's receipt counter (the charging window draws it on show and after
// every save) and the save of a 20-line receipt (lines appended through the open tb_sf
// table, the stock update, the commit).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>

#include "app/database/ClinicDatabase.h"
#include "app/database/StockStatements.h"
#include "platform/db/ADODB.h"

namespace {

constexpr int kLines = 1000000;
constexpr int kDays = 1000;

class BenchDatabase {
public:
    static BenchDatabase& Get() {
        static BenchDatabase db;
        return db;
    }
    ~BenchDatabase() {
        Connection.reset();
        std::error_code ec;
        std::filesystem::remove_all(FDir, ec);
    }
    std::unique_ptr<TADOQuery> Query(const std::string& sql) {
        auto q = std::make_unique<TADOQuery>(nullptr);
        q->SetConnection(Connection.get());
        q->SQL()->SetText(sql);
        return q;
    }
    std::unique_ptr<TADOConnection> Connection;

private:
    BenchDatabase() {
        std::string pattern = (std::filesystem::temp_directory_path() / "rove-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        FDir = pattern;
        EnsureClinicDatabase(FDir);
        Connection = std::make_unique<TADOConnection>(nullptr);
        Connection->SetConnectionString(ClinicConnectionString(FDir + "/" + ClinicDatabaseFileName));
        Connection->Open();
        // 1000 lines a day, three to a receipt, the last day being today.
        Connection->BeginTrans();
        auto fill = Query(
            "insert into tb_sf (流水号, 票据号, 病人id, 病人姓名, 病人性别, 病人年龄, 医生姓名, 医生科室, "
            "项目种类, 项目类型, 项目ID, 项目名称, 项目规格, 数量, 进价, 销价, 单项累计, 应收金额, 实收金额, "
            "应找金额, 减免金额, 收费类型, 收费日期, 收费时间, 收费员, 统计标致) "
            "with recursive n(i) as (select 0 union all select i + 1 from n where i < :last) "
            "select i % 1000 / 3 + 1, strftime('%y%m%d', d) || printf('%03d', i % 1000 / 3 + 1), i % 5000, "
            "'病人' || (i % 5000), '男', '30', '医生', '内科', '药品项目', '西药费', 1 + i % 200, '药品', "
            "'10mg', 1, 1.5, 2.5, 2.5, iif(i % 3 = 0, 7.5, 0), iif(i % 3 = 0, 10, 0), "
            "iif(i % 3 = 0, 2.5, 0), 0, '普通收费', d, '10:00:00', 'tulvo', iif(i % 3 = 0, '1', '0') "
            "from (select i, date(:today, '-' || (" + std::to_string(kDays - 1) + " - i / " +
            std::to_string(kLines / kDays) + ") || ' days') as d from n)");
        fill->Parameters()->ParamByName("last")->SetValue(Variant(kLines - 1));
        fill->Parameters()->ParamByName("today")->SetValue(Variant(DateTimeToIso(Date())));
        fill->ExecSQL();
        Exec("insert into tb_yp (项目种类, 项目类型, 项目名称, 进价, 单价, 库存数量) "
             "with recursive n(i) as (select 1 union all select i + 1 from n where i < 200) "
             "select iif(i % 2 = 0, '药品项目', '检查项目'), '西药费', '药品' || i, 1.5, 2.5, 1000000 from n");
        // The receipt being saved: 20 lines, every other one a drug.
        Exec("insert into tb_temp (id, 项目种类, 项目类型, 项目名称, 规格, 单位, 进价, 单价, 数量, 单项累计) "
             "with recursive n(i) as (select 1 union all select i + 1 from n where i < 20) "
             "select i, iif(i % 2 = 0, '药品项目', '检查项目'), '西药费', '药品' || i, '10mg', '盒', 1.5, "
             "2.5, 2, 5 from n");
        Connection->CommitTrans();
        Exec("analyze");
    }
    void Exec(const std::string& sql) { Query(sql)->ExecSQL(); }
    std::string FDir;
};

void ReceiptCounter(benchmark::State& state) {
    BenchDatabase& db = BenchDatabase::Get();
    auto q = db.Query(kReceiptCounterSql);
    std::string today = DateToStr(Date());
    int counter = 0;
    for (auto _ : state) {
        q->Parameters()->ParamByName("date1")->SetValue(Variant(today));
        q->Parameters()->ParamByName("date2")->SetValue(Variant(today));
        q->Open();
        counter = q->Fields()[0]->AsInteger() + 1;
        q->Close();
        benchmark::DoNotOptimize(counter);
    }
    if (counter != 335) state.SkipWithError(("wrong counter " + std::to_string(counter)).c_str());
}
BENCHMARK(ReceiptCounter)->Unit(benchmark::kMicrosecond);

// Opening the charge table, as the charging window does, reads one page of it.
void OpenChargeTable(benchmark::State& state) {
    BenchDatabase& db = BenchDatabase::Get();
    TADOTable sf(nullptr);
    sf.SetConnection(db.Connection.get());
    sf.SetTableName("tb_sf");
    for (auto _ : state) {
        sf.Open();
        sf.Close();
    }
}
BENCHMARK(OpenChargeTable)->Unit(benchmark::kMicrosecond);

// The charge query without criteria: one row per receipt of all days (333,334 rows), sorted
// by number, read whole into the buffer.
void OpenEveryReceipt(benchmark::State& state) {
    BenchDatabase& db = BenchDatabase::Get();
    auto q = db.Query("Select * From tb_sf Where 统计标致<>'0' order by val([票据号])");
    int rows = 0;
    for (auto _ : state) {
        q->Open();
        rows = q->RecordCount();
        q->Close();
    }
    state.counters["rows"] = rows;
}
BENCHMARK(OpenEveryReceipt)->Unit(benchmark::kMillisecond)->Iterations(3);

void SaveTwentyLineReceipt(benchmark::State& state) {
    BenchDatabase& db = BenchDatabase::Get();
    TADOTable sf(nullptr);
    sf.SetConnection(db.Connection.get());
    sf.SetTableName("tb_sf");
    sf.Open();
    TADOTable temp(nullptr);
    temp.SetConnection(db.Connection.get());
    temp.SetTableName("tb_temp");
    temp.Open();
    auto stock = db.Query(kChargeStockUpdateSql);
    TDateTime today = Date();
    for (auto _ : state) {
        db.Connection->BeginTrans();
        bool first = true;
        for (temp.First(); !temp.Eof(); temp.Next()) {
            sf.Append();
            sf.FieldByName("流水号")->SetAsInteger(900);
            sf.FieldByName("票据号")->SetAsString("240307900");
            sf.FieldByName("病人id")->SetAsInteger(12);
            sf.FieldByName("病人姓名")->SetAsString("张三");
            sf.FieldByName("病人性别")->SetAsString("男");
            sf.FieldByName("病人年龄")->SetAsString("30");
            sf.FieldByName("医生姓名")->SetAsString("李四");
            sf.FieldByName("医生科室")->SetAsString("内科");
            sf.FieldByName("项目种类")->SetValue(temp.FieldByName("项目种类")->Value());
            sf.FieldByName("项目类型")->SetValue(temp.FieldByName("项目类型")->Value());
            sf.FieldByName("项目ID")->SetAsInteger(temp.FieldByName("id")->AsInteger());
            sf.FieldByName("项目名称")->SetValue(temp.FieldByName("项目名称")->Value());
            sf.FieldByName("项目规格")->SetValue(temp.FieldByName("规格")->Value());
            sf.FieldByName("数量")->SetValue(temp.FieldByName("数量")->Value());
            sf.FieldByName("进价")->SetValue(temp.FieldByName("进价")->Value());
            sf.FieldByName("销价")->SetValue(temp.FieldByName("单价")->Value());
            sf.FieldByName("单项累计")->SetValue(temp.FieldByName("单项累计")->Value());
            sf.FieldByName("应收金额")->SetAsFloat(first ? 100 : 0);
            sf.FieldByName("实收金额")->SetAsFloat(first ? 100 : 0);
            sf.FieldByName("应找金额")->SetAsFloat(0);
            sf.FieldByName("减免金额")->SetAsFloat(0);
            sf.FieldByName("收费类型")->SetAsString("普通收费");
            sf.FieldByName("收费日期")->SetAsDateTime(today);
            sf.FieldByName("收费时间")->SetAsString("10:00:00");
            sf.FieldByName("收费员")->SetAsString("tulvo");
            sf.FieldByName("统计标致")->SetAsString(first ? "1" : "0");
            sf.Post();
            first = false;
        }
        stock->ExecSQL();
        db.Connection->CommitTrans();
    }
}
BENCHMARK(SaveTwentyLineReceipt)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
