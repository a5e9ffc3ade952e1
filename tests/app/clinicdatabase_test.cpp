// The clinic database: a fresh start creates it exactly, a broken file is reported and
// kept, and the receipt and stock statements give the right answers on it.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include "app/database/ClinicDatabase.h"
#include "app/database/DatabaseTexts.h"
#include "app/database/StockStatements.h"
#include "platform/db/ADODB.h"
#include "platform/db/JetFunctions.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Md5.h"

namespace {

namespace fs = std::filesystem;

class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "rove-clinic-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        FPath = pattern;
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(FPath, ec);
    }
    const std::string& Path() const { return FPath; }
    std::string File() const { return FPath + "/Rove.mdb"; }

private:
    std::string FPath;
};

std::string ReadFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class ClinicDb : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(EnsureClinicDatabase(Dir.Path()), TClinicDatabaseState::Created);
        Connection = std::make_unique<TADOConnection>(nullptr);
        Connection->SetConnectionString(ClinicConnectionString(Dir.File()));
        Connection->Open();
    }
    std::unique_ptr<TADOQuery> Query(const std::string& sql) {
        auto q = std::make_unique<TADOQuery>(nullptr);
        q->SetConnection(Connection.get());
        q->SQL()->SetText(sql);
        return q;
    }
    // The rows of a statement, each as its fields' texts joined by "|".
    std::vector<std::string> Rows(const std::string& sql) {
        auto q = Query(sql);
        q->Open();
        std::vector<std::string> rows;
        for (; !q->Eof(); q->Next()) {
            std::string row;
            for (int i = 0; i < q->FieldCount(); ++i) {
                if (i) row += '|';
                row += q->Fields()[i]->AsString();
            }
            rows.push_back(row);
        }
        return rows;
    }
    void Exec(const std::string& sql) { Query(sql)->ExecSQL(); }

    TempDir Dir;
    std::unique_ptr<TADOConnection> Connection;
};

// --- A fresh start -----------------------------------------------------------------------------

struct TableCase {
    const char* Table;
    std::vector<std::string> Columns;
};

// Every table with its columns in order; the key column first where windows read "the
// second column".
const std::vector<TableCase> kTables = {
    {"tb_yp", {"ID", "项目种类", "项目类型", "项目名称", "拼音码", "规格", "单位", "进价", "单价", "库存数量",
               "进价金额", "销价金额", "批号", "失效日期", "库存下限", "药品产地"}},
    {"tb_temp", {"id", "项目种类", "项目类型", "项目名称", "规格", "单位", "进价", "单价", "数量", "单项累计"}},
    {"tb_sf", {"id", "流水号", "票据号", "病人id", "病人姓名", "病人性别", "病人年龄", "医生姓名", "医生科室",
               "项目种类", "项目类型", "项目ID", "项目名称", "项目规格", "数量", "进价", "销价", "单项累计",
               "应收金额", "实收金额", "应找金额", "减免金额", "收费类型", "收费日期", "收费时间", "收费员",
               "统计标致", "备用"}},
    {"tb_zfsf", {"id", "流水号", "票据号", "病人id", "病人姓名", "病人性别", "病人年龄", "医生姓名", "医生科室",
                 "项目种类", "项目类型", "项目ID", "项目名称", "项目规格", "数量", "进价", "销价", "单项累计",
                 "应收金额", "实收金额", "应找金额", "减免金额", "收费类型", "收费日期", "收费时间", "收费员",
                 "统计标致", "备用"}},
    {"tb_brzl", {"id", "姓名", "拼音码", "年龄", "电话", "地址", "性别"}},
    {"tb_brbh", {"brbh"}},
    {"tb_doctor", {"姓名", "拼音码", "性别", "科室"}},
    {"tb_ks", {"id", "科室名称"}},
    {"tb_yplx", {"id", "lx"}},
    {"tb_ypunit", {"id", "unitname"}},
    {"tb_yprk", {"入库日期", "药品名称", "规格", "单位", "批号", "进价", "单价", "入库数量", "入库金额", "产地",
                 "药品ID", "操作员"}},
    {"tb_user", {"id", "user", "pass"}},
    {"tb_gnb", {"功能号", "功能名"}},
    {"tb_yhgnb", {"用户名", "功能号"}},
    {"tb_bflj", {"备份路径"}},
};

TEST_F(ClinicDb, FreshStartCreatesEveryTableAndColumn) {
    std::vector<std::string> tables = Rows(
        "select name from sqlite_master where type = 'table' and name not like 'sqlite_%' order by rowid");
    ASSERT_EQ(tables.size(), kTables.size());
    for (size_t i = 0; i < kTables.size(); ++i) {
        EXPECT_EQ(tables[i], kTables[i].Table);
        auto q = Query(std::string("select * from ") + kTables[i].Table);
        q->Open();
        std::vector<std::string> columns;
        for (int c = 0; c < q->FieldCount(); ++c) columns.push_back(q->Fields()[c]->FieldName());
        EXPECT_EQ(columns, kTables[i].Columns) << kTables[i].Table;
    }
    // A second start opens the file it made.
    Connection->Close();
    EXPECT_EQ(EnsureClinicDatabase(Dir.Path()), TClinicDatabaseState::Opened);
}

TEST_F(ClinicDb, FieldTypesAreThoseTheWindowsRead) {
    auto q = Query("select ID, 项目名称, 库存数量, 失效日期 from tb_yp");
    q->Open();
    EXPECT_EQ(q->Fields()[0]->DataType(), ftAutoInc);
    EXPECT_EQ(q->Fields()[1]->DataType(), ftWideString);
    EXPECT_EQ(q->Fields()[1]->Size(), 30);
    EXPECT_EQ(q->Fields()[2]->DataType(), ftFloat);
    EXPECT_EQ(q->Fields()[3]->DataType(), ftDateTime);
    auto sf = Query("select 流水号, 票据号, 收费日期 from tb_sf");
    sf->Open();
    EXPECT_EQ(sf->Fields()[0]->DataType(), ftInteger);
    EXPECT_EQ(sf->Fields()[1]->Size(), 10);
    EXPECT_EQ(sf->Fields()[2]->DataType(), ftDateTime);
}

// Every amount of money is an exact decimal field of its decimals; quantities stay floats.
TEST_F(ClinicDb, AmountsAreExactDecimalsAndQuantitiesFloats) {
    for (const TClinicMoneyColumn& money : ClinicMoneyColumns()) {
        auto q = Query("select " + std::string(money.Column) + " from " + std::string(money.Table));
        q->Open();
        EXPECT_EQ(q->Fields()[0]->DataType(), ftBCD) << money.Table << "." << money.Column;
        EXPECT_EQ(q->Fields()[0]->Size(), money.Decimals) << money.Table << "." << money.Column;
    }
    for (const char* sql : {"select 库存数量, 库存下限 from tb_yp", "select 数量 from tb_sf", "select 数量 from tb_temp",
                            "select 数量 from tb_zfsf", "select 入库数量 from tb_yprk"}) {
        auto q = Query(sql);
        q->Open();
        for (int i = 0; i < q->FieldCount(); ++i) EXPECT_EQ(q->Fields()[i]->DataType(), ftFloat) << sql;
    }
    // Every column declared with decimals is in the list.
    auto declared = Query("select m.name, p.name from sqlite_master m join pragma_table_info(m.name) p"
                          " where m.type = 'table' and p.type like 'DOUBLE(%'");
    declared->Open();
    EXPECT_EQ(declared->RecordCount(), static_cast<int>(ClinicMoneyColumns().size()));
}

// A database of the first schema (every amount "DOUBLE") is brought up to date at start-up:
// its table definitions become those of a new database, its rows stay as they were, and
// amounts stored with a double's noise read as the amount they stand for.
TEST(ClinicDatabaseFile, AnOlderDatabaseGetsItsAmountsDeclaredWithTheirDecimals) {
    std::string first(ClinicSchemaSql());
    for (const char* decimals : {"DOUBLE(18,2)", "DOUBLE(18,3)"})
        for (size_t at; (at = first.find(decimals)) != std::string::npos;) first.replace(at, 12, "DOUBLE");
    TempDir older, fresh;
    {
        TSqliteDatabase db;
        db.Open(older.File(), TSqliteDatabase::omReadWriteCreate);
        db.ExecScript("PRAGMA user_version = 1;" + first + std::string(ClinicSeedSql()));
        db.ExecScript("insert into tb_sf (票据号, 应收金额, 实收金额, 应找金额, 单项累计, 统计标致)"
                      " values ('240307001', 49.2, 50, 0.799999999999997, 49.2, '1')");
    }
    ASSERT_EQ(EnsureClinicDatabase(older.Path()), TClinicDatabaseState::Opened);
    ASSERT_EQ(EnsureClinicDatabase(fresh.Path()), TClinicDatabaseState::Created);
    auto schemaOf = [](const std::string& file) {
        TSqliteDatabase db;
        db.Open(file, TSqliteDatabase::omReadOnly);
        std::vector<std::string> tables;
        TSqliteStatement q = db.Prepare("select sql from sqlite_master order by type, name");
        while (q.Step()) tables.emplace_back(q.ColumnText(0));
        tables.push_back("version " + db.QueryValue("PRAGMA user_version").AsString());
        tables.push_back(db.QueryValue("PRAGMA integrity_check").AsString());
        return tables;
    };
    const std::vector<std::string> upgraded = schemaOf(older.File());
    EXPECT_EQ(upgraded, schemaOf(fresh.File()));
    EXPECT_EQ(upgraded.back(), "ok");

    TADOConnection connection(nullptr);
    connection.SetConnectionString(ClinicConnectionString(older.File()));
    connection.Open();
    TADOQuery q(nullptr);
    q.SetConnection(&connection);
    q.SQL()->SetText("select 应收金额, 实收金额, 应找金额, typeof(应找金额) from tb_sf");
    q.Open();
    EXPECT_EQ(q.Fields()[2]->DataType(), ftBCD);
    EXPECT_EQ(q.Fields()[0]->AsString() + "|" + q.Fields()[1]->AsString() + "|" + q.Fields()[2]->AsString() + "|" +
                  q.Fields()[3]->AsString(),
              "49.2|50|0.8|real");
    q.Close();
    connection.Close();
    // A second start finds it current and leaves it alone.
    const std::string before = ReadFile(older.File());
    EXPECT_EQ(EnsureClinicDatabase(older.Path()), TClinicDatabaseState::Opened);
    EXPECT_EQ(ReadFile(older.File()), before);
}

TEST_F(ClinicDb, FunctionListHoldsEveryActionOfTheMainWindow) {
    const std::vector<std::string> actions = {
        "11|病人信息", "12|医生信息", "13|科室信息", "14|收费项目", "15|项目类型", "16|单位资料",
        "21|划价收费", "22|票据作废", "31|日报月报", "32|项目消耗", "33|药品消耗", "34|废票查询",
        "35|收费查询", "36|进销存一览", "37|缺货、有效期", "41|数据备份", "42|数据恢复", "43|用户管理",
        "44|权限管理", "45|数据整理", "51|药品入库", "52|入库查询", "61|调价", "62|优惠打折",
        "63|内部记账"};
    EXPECT_EQ(Rows("select 功能号, 功能名 from tb_gnb order by 功能号"), actions);
}

TEST_F(ClinicDb, AdministratorHoldsEveryRight) {
    TADOTable users(nullptr);
    users.SetConnection(Connection.get());
    users.SetTableName("tb_user");
    users.Open();
    ASSERT_EQ(users.RecordCount(), 1);
    EXPECT_EQ(users.Fields()[1]->AsString(), "tulvo");   // read by position
    EXPECT_TRUE(users.Locate("user;pass", VarArrayOf({Variant("tulvo"), Variant(MD5Hex("tulvo"))}), {}));
    EXPECT_EQ(Rows("select count(*) from tb_gnb where 功能号 not in "
                   "(select 功能号 from tb_yhgnb where 用户名 = 'tulvo')"),
              std::vector<std::string>{"0"});
    EXPECT_EQ(Rows("select count(*) from tb_yhgnb"), std::vector<std::string>{"25"});
    // User names compare ignoring case, as the login's rights query and the user check do.
    auto rights = Query("select 功能号 from tb_yhgnb where 用户名=:用户名");
    rights->Parameters()->ParamByName("用户名")->SetValue(Variant("TULVO"));
    rights->Open();
    EXPECT_EQ(rights->RecordCount(), 25);
}

TEST_F(ClinicDb, CountersItemTypesAndUnitsAreSeeded) {
    EXPECT_EQ(Rows("select brbh from tb_brbh"), std::vector<std::string>{"0"});
    EXPECT_EQ(Rows("select count(*) from tb_bflj"), std::vector<std::string>{"1"});
    EXPECT_EQ(Rows("select lx from tb_yplx order by id"),
              (std::vector<std::string>{"西药费", "中成药费", "中草药费", "诊查费", "检查费", "化验费",
                                        "注射费", "治疗费", "手术费", "其它费"}));
    EXPECT_GE(Rows("select unitname from tb_ypunit").size(), 10u);
    // A new patient takes the next number.
    Exec("update tb_brbh set brbh=brbh+1");
    EXPECT_EQ(Rows("select brbh from tb_brbh"), std::vector<std::string>{"1"});
}

// --- A broken file ---------------------------------------------------------------------------

struct BrokenCase {
    const char* Name;
    std::string Content;
    std::string Message;
};

class BrokenFileTest : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenFileTest, IsReportedAndKept) {
    TempDir dir;
    { std::ofstream(dir.File(), std::ios::binary) << GetParam().Content; }
    try {
        EnsureClinicDatabase(dir.Path());
        FAIL() << "accepted";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), GetParam().Message);
    }
    EXPECT_EQ(ReadFile(dir.File()), GetParam().Content);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenFileTest,
    ::testing::Values(
        BrokenCase{"text", "这不是数据库", "数据库文件 Rove.mdb 不是有效的数据库。"},
        BrokenCase{"empty", "", "数据库文件 Rove.mdb 不是有效的数据库。"},
        BrokenCase{"windows_database", std::string("\0\x01\0\0Standard Jet DB\0", 20) + std::string(4076, '\x5a'),
                   "数据库文件 Rove.mdb 不是有效的数据库。"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ClinicDatabaseFile, ADatabaseWithoutTheClinicTablesIsRefused) {
    struct Case {
        std::string Script;
        std::string Message;
    };
    std::string schema(ClinicSchemaSql());
    std::string withoutColumn = schema;
    withoutColumn.replace(withoutColumn.find("\"药品产地\""), std::string("\"药品产地\"").size(), "\"产地\"");
    const std::vector<Case> cases = {
        {"create table other (a);", "数据库文件 Rove.mdb 缺少数据表 tb_yp。"},
        {withoutColumn, "数据库文件 Rove.mdb 的数据表 tb_yp 缺少字段 药品产地。"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        {
            TSqliteDatabase db;
            db.Open(dir.File(), TSqliteDatabase::omReadWriteCreate);
            db.ExecScript(c.Script);
        }
        std::string before = ReadFile(dir.File());
        try {
            EnsureClinicDatabase(dir.Path());
            ADD_FAILURE() << "accepted";
        } catch (const EDatabaseError& e) {
            EXPECT_EQ(e.Message(), c.Message);
        }
        EXPECT_EQ(ReadFile(dir.File()), before);
    }
}

TEST(ClinicDatabaseFile, CreationNeverReplacesAFile) {
    TempDir dir;
    { std::ofstream(dir.File()) << "keep"; }
    EXPECT_THROW(CreateClinicDatabase(dir.File()), EDatabaseError);
    EXPECT_EQ(ReadFile(dir.File()), "keep");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
    EXPECT_THROW(EnsureClinicDatabase(dir.Path() + "/no/such/folder"), EDatabaseError);
}

// --- Receipts ----------------------------------------------------------------------------------

struct CounterCase {
    const char* Name;
    std::vector<std::pair<int, int>> Charged;   // (days before today, 流水号)
    std::vector<std::pair<int, int>> Voided;
    int Expected;
};

class ReceiptCounterTest : public ClinicDb, public ::testing::WithParamInterface<CounterCase> {
protected:
    void SetUp() override {
        ClinicDb::SetUp();
        SetClock([] { return EncodeDate(2024, 3, 7) + 0.4; });
    }
    void TearDown() override { SetClock(nullptr); }
    void AddLine(const char* table, int daysBefore, int counter) {
        auto q = Query(std::string("insert into ") + table + " (流水号, 票据号, 收费日期) values (:n, :p, :d)");
        q->Parameters()->ParamByName("n")->SetValue(Variant(counter));
        q->Parameters()->ParamByName("p")->SetValue(Variant("240307" + std::to_string(counter)));
        q->Parameters()->ParamByName("d")->SetValue(Variant::FromDate(Date() - daysBefore));
        q->ExecSQL();
    }
};

// The counter query with today as short-date text, as the charging window runs it.
TEST_P(ReceiptCounterTest, CountsChargedAndVoidedReceiptsOfToday) {
    for (auto [days, n] : GetParam().Charged) AddLine("tb_sf", days, n);
    for (auto [days, n] : GetParam().Voided) AddLine("tb_zfsf", days, n);
    auto q = Query(kReceiptCounterSql);
    q->Parameters()->ParamByName("date1")->SetValue(Variant(DateToStr(Date())));
    q->Parameters()->ParamByName("date2")->SetValue(Variant(DateToStr(Date())));
    q->Open();
    EXPECT_EQ(q->Fields()[0]->AsInteger() + 1, GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Days, ReceiptCounterTest,
    ::testing::Values(CounterCase{"first_of_the_day", {}, {}, 1},
                      CounterCase{"yesterday_does_not_count", {{1, 5}}, {{1, 6}}, 1},
                      CounterCase{"lines_of_two_receipts", {{0, 1}, {0, 1}, {0, 2}}, {}, 3},
                      CounterCase{"only_receipt_voided", {}, {{0, 1}}, 2},
                      CounterCase{"voided_last_receipt", {{0, 1}, {0, 2}}, {{0, 3}}, 4},
                      CounterCase{"thousandth", {{0, 999}}, {}, 1000}),
    [](const auto& info) { return std::string(info.param.Name); });

// What the windows search by runs on an index.
TEST_F(ClinicDb, SearchesUseIndexes) {
    struct Case {
        const char* Sql;
        std::vector<const char*> Indexes;
    };
    const std::vector<Case> cases = {
        {kReceiptCounterSql, {"tb_sf_收费日期", "tb_zfsf_收费日期"}},
        {"select * from tb_sf where 票据号 = :n", {"tb_sf_票据号"}},
        {"select * from tb_sf where 收费日期 between :Date1 and :Date2", {"tb_sf_收费日期"}},
        {"Select * From tb_yp Where 拼音码 like 'AB%'", {"tb_yp_拼音码"}},
        {"Select * From tb_brzl Where 拼音码 like 'ZS%'", {"tb_brzl_拼音码"}},
        // The look-ups take the typed text literally through an escape character.
        {"Select * From tb_yp Where 拼音码 like 'A\\%B%' escape '\\'", {"tb_yp_拼音码"}},
        {"Select * From tb_doctor Where 拼音码 like 'L\\_S%' escape '\\'", {"tb_doctor_拼音码"}},
        {"select * from tb_yprk where 入库日期 between :d1 and :d2", {"tb_yprk_入库日期"}},
    };
    TSqliteDatabase& db = Connection->Database();
    for (const Case& c : cases) {
        std::string sql = ParseSqlParameters(c.Sql).Text;
        TSqliteStatement plan = db.Prepare("explain query plan " + sql);
        std::string text;
        while (plan.Step()) text += std::string(plan.ColumnText(3)) + "\n";
        for (const char* index : c.Indexes)
            EXPECT_NE(text.find(index), std::string::npos) << c.Sql << "\n" << text;
    }
}

// --- Stock -----------------------------------------------------------------------------------

struct StockLine {
    int Item;             // 1: the drug, 2: an examination
    double Quantity;
};

struct StockCase {
    const char* Name;
    double Stock;
    std::vector<StockLine> Lines;
    const char* Charged;  // the drug's 库存数量|进价金额|销价金额 after the charge
    const char* Voided;   // and after the void
};

class StockTest : public ClinicDb, public ::testing::WithParamInterface<StockCase> {
protected:
    void SetUp() override {
        ClinicDb::SetUp();
        auto drug = Query("insert into tb_yp (项目种类, 项目类型, 项目名称, 进价, 单价, 库存数量, 进价金额, 销价金额) "
                          "values ('药品项目', '西药费', '阿莫西林', 1.25, 2.5, :s, round(1.25 * :s, 2), "
                          "round(2.5 * :s, 2))");
        drug->Parameters()->ParamByName("s")->SetValue(Variant(GetParam().Stock));
        drug->ExecSQL();
        Exec("insert into tb_yp (项目种类, 项目类型, 项目名称, 单价) values ('检查项目', '检查费', '血常规', 20)");
    }
    std::string Drug() { return Rows("select 库存数量, 进价金额, 销价金额 from tb_yp where ID = 1")[0]; }
    std::string Exam() { return Rows("select ifnull(库存数量, 'none') from tb_yp where ID = 2")[0]; }
};

// The charge lowers the stock by all lines of the drug together; the void of the receipt
// brings it back; examinations keep no stock.
TEST_P(StockTest, ChargeAndVoidMoveTheStockOfDrugLines) {
    const StockCase& c = GetParam();
    for (const StockLine& line : c.Lines) {
        auto q = Query("insert into tb_temp (id, 项目种类, 数量) values (:id, :kind, :qty)");
        q->Parameters()->ParamByName("id")->SetValue(Variant(line.Item));
        q->Parameters()->ParamByName("kind")->SetValue(Variant(line.Item == 1 ? "药品项目" : "检查项目"));
        q->Parameters()->ParamByName("qty")->SetValue(Variant(FloatToStr(line.Quantity)));   // text, as written
        q->ExecSQL();
    }
    Connection->BeginTrans();
    Exec(kChargeStockUpdateSql);
    Exec("insert into tb_sf (票据号, 项目ID, 项目种类, 数量) select '240307001', id, 项目种类, 数量 from tb_temp");
    Connection->CommitTrans();
    EXPECT_EQ(Drug(), c.Charged);
    EXPECT_EQ(Exam(), "none");

    Connection->BeginTrans();
    Exec("insert into tb_zfsf (票据号, 项目ID, 项目种类, 数量) select 票据号, 项目ID, 项目种类, 数量 from tb_sf "
         "where 票据号 = '240307001'");
    Exec("delete from tb_sf where 票据号 = '240307001'");
    auto voidStock = Query(kVoidStockUpdateSql);
    voidStock->Parameters()->ParamByName("str1")->SetValue(Variant("240307001"));
    voidStock->ExecSQL();
    Connection->CommitTrans();
    EXPECT_EQ(Drug(), c.Voided);
    EXPECT_EQ(Exam(), "none");
}

INSTANTIATE_TEST_SUITE_P(
    Receipts, StockTest,
    ::testing::Values(StockCase{"one_line", 10, {{1, 2}}, "8|10|20", "10|12.5|25"},
                      StockCase{"two_lines_of_one_drug", 10, {{1, 2}, {1, 3}}, "5|6.25|12.5", "10|12.5|25"},
                      StockCase{"drug_and_examination", 10, {{2, 1}, {1, 2}, {2, 4}}, "8|10|20", "10|12.5|25"},
                      StockCase{"examination_only", 10, {{2, 3}}, "10|12.5|25", "10|12.5|25"},
                      // 9.625 rounds to the even 9.62; the values come from the unrounded stock
                      // (12.03125, 24.0625); the void adds to the rounded one (9.995 -> 9.99).
                      StockCase{"fraction_at_a_tie", 10, {{1, 0.375}}, "9.62|12.03|24.06", "9.99|12.49|24.99"},
                      StockCase{"below_zero_is_allowed", 1, {{1, 2}}, "-1|-1.25|-2.5", "1|1.25|2.5"}),
    [](const auto& info) { return std::string(info.param.Name); });

// --- Bad values ------------------------------------------------------------------------------

struct BadValueCase {
    const char* Name;
    const char* Sql;
    Variant Value;          // bound as :v
    const char* Error;      // nullptr: accepted
};

class BadValueTest : public ClinicDb, public ::testing::WithParamInterface<BadValueCase> {};

TEST_P(BadValueTest, IllFormedTextFailsInsteadOfBeingStored) {
    auto q = Query(GetParam().Sql);
    if (q->Parameters()->FindParam("v")) q->Parameters()->ParamByName("v")->SetValue(GetParam().Value);
    std::string table = GetParam().Sql;
    if (!GetParam().Error) {
        EXPECT_EQ(q->ExecSQL(), 1);
        return;
    }
    try {
        q->ExecSQL();
        FAIL() << "stored";
    } catch (const EDatabaseError& e) {
        EXPECT_NE(e.Message().find(GetParam().Error), std::string::npos) << e.Message();
    }
    EXPECT_EQ(Rows("select (select count(*) from tb_temp) + (select count(*) from tb_sf) + "
                   "(select count(*) from tb_yp)"),
              std::vector<std::string>{"0"});
}

INSTANTIATE_TEST_SUITE_P(
    Columns, BadValueTest,
    ::testing::Values(
        BadValueCase{"number_text", "insert into tb_temp (数量) values (:v)", Variant("12.500"), nullptr},
        BadValueCase{"number_with_blanks", "insert into tb_temp (单价) values (:v)", Variant(" 3 "), nullptr},
        BadValueCase{"not_a_number", "insert into tb_temp (数量) values (:v)", Variant("1.2.3"),
                     "CHECK constraint failed: tb_temp.数量 必须是数字"},
        BadValueCase{"not_an_integer", "insert into tb_sf (流水号) values (:v)", Variant("1x"),
                     "CHECK constraint failed: tb_sf.流水号 必须是整数"},
        BadValueCase{"fraction_in_integer", "insert into tb_temp (id) values (:v)", Variant(1.5),
                     "CHECK constraint failed: tb_temp.id 必须是整数"},
        BadValueCase{"date_parameter_text", "insert into tb_sf (收费日期) values (:v)", Variant("24-3-7"), nullptr},
        BadValueCase{"bad_date_parameter", "insert into tb_sf (收费日期) values (:v)", Variant("24-3-77"),
                     "不是有效的日期"},
        BadValueCase{"date_text_written_in_sql", "insert into tb_sf (收费日期) values ('24-3-7')", Variant(),
                     "CHECK constraint failed: tb_sf.收费日期 必须是日期"},
        BadValueCase{"no_such_day_in_sql", "insert into tb_yp (失效日期) values ('2024-02-30')", Variant(),
                     "CHECK constraint failed: tb_yp.失效日期 必须是日期"}),
    [](const auto& info) { return std::string(info.param.Name); });

// A charge save that fails after some lines leaves no line and no stock change.
TEST_F(ClinicDb, AFailedSaveLeavesNothingBehind) {
    Exec("insert into tb_yp (项目种类, 项目名称, 进价, 单价, 库存数量) values ('药品项目', 'x', 1, 2, 10)");
    Exec("insert into tb_temp (id, 项目种类, 数量) values (1, '药品项目', 2)");
    TADOTable sf(nullptr);
    sf.SetConnection(Connection.get());
    sf.SetTableName("tb_sf");
    Connection->BeginTrans();
    try {
        sf.Open();
        for (const char* amount : {"97.5", "0", "bad"}) {
            sf.Append();
            sf.FieldByName("票据号")->SetAsString("240307001");
            sf.FieldByName("应收金额")->SetAsString(amount);   // the third raises
            sf.Post();
        }
        Exec(kChargeStockUpdateSql);
        Connection->CommitTrans();
        FAIL() << "saved";
    } catch (const EConvertError&) {
        sf.Cancel();
        Connection->RollbackTrans();
    }
    EXPECT_EQ(Rows("select count(*) from tb_sf"), std::vector<std::string>{"0"});
    EXPECT_EQ(Rows("select 库存数量 from tb_yp"), std::vector<std::string>{"10"});
}

// --- What the clinic says for a database failure ---------------------------------------------

// Each failure as SQLite raises it on a real file, and the clinic's words for it.
TEST(DatabaseTexts, SqliteFailuresGetTheClinicsWords) {
    TempDir dir;
    const std::string file = dir.File();
    {
        TSqliteDatabase db;
        db.Open(file, TSqliteDatabase::omReadWriteCreate);
        db.ExecScript("create table t (x); insert into t values ('a')");
    }
    struct TCase {
        const char* Name;
        std::function<void()> Fail;
        const char* Text;
    };
    TSqliteDatabase holder;
    holder.Open(file, TSqliteDatabase::omReadWrite);
    const std::vector<TCase> cases = {
        {"locked",
         [&] {
             holder.ExecScript("begin exclusive");
             TSqliteDatabase db;
             db.Open(file, TSqliteDatabase::omReadWrite);
             try {
                 db.QueryValue("select count(*) from t");
             } catch (...) {
                 holder.ExecScript("rollback");
                 throw;
             }
         },
         "数据库正被其他程序使用，请稍后再试。"},
        {"read only",
         [&] {
             TSqliteDatabase db;
             db.Open(file, TSqliteDatabase::omReadOnly);
             db.ExecScript("insert into t values (1)");
         },
         "数据库文件不能写入，数据未能保存。请让管理员给数据库文件 Rove.mdb 及其所在文件夹写入权限，"
         "然后重新启动本程序。"},
        {"full",
         [&] {
             TSqliteDatabase db;
             db.Open(file, TSqliteDatabase::omReadWrite);
             db.ExecScript("pragma max_page_count = " + db.QueryValue("pragma page_count").AsString());
             db.ExecScript("insert into t values (randomblob(100000))");
         },
         "磁盘已满，数据未能保存。请清理磁盘空间后再试。"},
        {"search too long",
         [&] { holder.QueryValue("select count(*) from t where x like '" + std::string(60000, 'A') + "%'"); },
         "查询内容太长，请缩短后再查询。"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        try {
            c.Fail();
            ADD_FAILURE() << "no failure";
        } catch (const EDatabaseError& e) {
            EXPECT_EQ(ClinicDatabaseText(e.Message()).value_or("(none: " + e.Message() + ")"), c.Text);
            EXPECT_EQ(ClinicReason(e.Message()), c.Text);
        }
    }
    // Anything else keeps its own text.
    EXPECT_EQ(ClinicDatabaseText("no such table: x"), std::nullopt);
    EXPECT_EQ(ClinicReason("no such table: x"), "no such table: x");
}

}  // namespace
