// Report datasets over an SQLite query: ranges, field values by name, aliases, errors.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/db/ADODB.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/rtl/FileUtils.h"
#include "report/Report.h"
#include "report/Resources.h"

namespace {

class ReportDataSet : public testing::Test {
protected:
    void SetUp() override {
        FileName = CreateTempFile("", "rdstest");
        TSqliteDatabase db;
        db.Open(FileName, TSqliteDatabase::omReadWriteCreate);
        std::string script = "CREATE TABLE tb_sf (票据号 TEXT(20), 金额 FLOAT, 标志 BIT);";
        for (int i = 1; i <= 10; ++i)
            script += "INSERT INTO tb_sf VALUES ('R" + std::to_string(i) + "', " + std::to_string(i * 1.5) + ", " +
                      std::to_string(i % 2) + ");";
        db.ExecScript(script);
        db.Close();
        Connection = std::make_unique<TADOConnection>(nullptr);
        Connection->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + FileName);
        Connection->SetLoginPrompt(false);
        Connection->Open();
        Query = std::make_unique<TADOQuery>(nullptr);
        Query->SetConnection(Connection.get());
        Query->SQL()->SetText("select * from tb_sf order by 金额");
        Report = std::make_unique<TfrxReport>(nullptr);
        DS = new TfrxDBDataset(Report.get());
        DS->SetName("frxDBDataset1");
        DS->SetDataSet(Query.get());
        Report->DataSets()->Add(DS);
    }
    void TearDown() override {
        Report.reset();
        Query.reset();
        Connection.reset();
        DeleteFile(FileName);
    }
    std::vector<std::string> Walk() {
        std::vector<std::string> rows;
        DS->Initialize();
        DS->Activate();
        DS->First();
        for (int guard = 0; !DS->Eof() && guard < 100; ++guard) {
            rows.push_back(VarToStr(DS->GetValue("票据号")));
            DS->Next();
        }
        DS->Finalize();
        return rows;
    }
    std::string FileName;
    std::unique_ptr<TADOConnection> Connection;
    std::unique_ptr<TADOQuery> Query;
    std::unique_ptr<TfrxReport> Report;
    TfrxDBDataset* DS = nullptr;
};

TEST_F(ReportDataSet, WalksTheQueryWithValuesByName) {
    const auto rows = Walk();
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows.front(), "R1");
    EXPECT_EQ(rows.back(), "R10");
    EXPECT_EQ(DS->UserName(), "frxDBDataset1");
    EXPECT_EQ(DS->GetFieldType("票据号"), fftString);
    EXPECT_EQ(DS->GetFieldType("金额"), fftNumeric);
    EXPECT_EQ(Report->GetDataset("FRXDBDATASET1"), DS);
    TfrxDataSet* ds = nullptr;
    std::string field;
    Report->GetDatasetAndField("frxDBDataset1.\"金额\"", ds, field);
    EXPECT_EQ(ds, DS);
    EXPECT_EQ(field, "金额");
}

TEST_F(ReportDataSet, RangesLimitTheRecords) {
    struct Case {
        TfrxRangeEnd end;
        int count;
        size_t rows;
    };
    for (const Case& c : {Case{reCount, 3, 3}, Case{reCount, 0, 0}, Case{reLast, 0, 10}}) {
        DS->RangeEnd = c.end;
        DS->RangeEndCount = c.count;
        EXPECT_EQ(Walk().size(), c.rows) << c.count;
    }
    // The current record alone, and the dataset is left on it.
    Query->Open();
    Query->First();
    Query->MoveBy(4);
    DS->RangeBegin = rbCurrent;
    DS->RangeEnd = reCurrent;
    EXPECT_EQ(Walk(), std::vector<std::string>{"R5"});
    EXPECT_EQ(Query->FieldByName("票据号")->AsString(), "R5");
}

TEST_F(ReportDataSet, AliasesRenameTheFields) {
    DS->FieldAliases()->Add("票据号=No");
    DS->FieldAliases()->Add("金额=Amount");
    TStringList list;
    DS->GetFieldList(&list);
    EXPECT_EQ(list.Text(), "No\r\nAmount\r\n");
    DS->Initialize();
    DS->Activate();
    DS->First();
    EXPECT_EQ(VarToStr(DS->GetValue("no")), "R1");
    EXPECT_DOUBLE_EQ(DS->GetValue("Amount").AsDouble(), 1.5);
    Report->CurObject = "Memo1";
    EXPECT_TRUE(DS->GetValue("票据号").IsNull());
    EXPECT_EQ(Report->Errors()->Text(), "Memo1: 字段未找到: frxDBDataset1.\"票据号\"\r\n");
    EXPECT_EQ(DS->GetDisplayText("x"), "字段未找到: frxDBDataset1.\"x\"");
    DS->Finalize();
}

TEST_F(ReportDataSet, NamesAndErrors) {
    DS->SetName("Renamed");
    EXPECT_EQ(DS->UserName(), "Renamed");
    DS->SetUserName("Receipt");
    DS->SetName("Again");
    EXPECT_EQ(DS->UserName(), "Receipt");
    EXPECT_EQ(Report->DataSets()->Items(0)->DataSetName(), "Receipt");
    try {
        DS->SetUserName("  ");
        FAIL();
    } catch (const EfrxError& e) {
        EXPECT_EQ(e.Message(), "非法属性值");
    }
    EXPECT_EQ(frxFindDataSet(nullptr, "receipt", Report.get()), DS);
    DS->SetDataSet(nullptr);
    try {
        DS->Initialize();
        FAIL();
    } catch (const EfrxError& e) {
        EXPECT_EQ(e.Message(), "数据集 Again 没有连接数据");
    }
    delete DS;
    EXPECT_EQ(Report->DataSets()->Count(), 0);
    EXPECT_EQ(Report->DataSets()->Find("Receipt"), nullptr);
}

// Windows of one program each hold a dataset of the same name outside any report: a
// report keeps the one it refers to, a name alone finds the first, and a dataset of
// another report is never taken.
TEST(ReportDataSetLookUp, TheCurrentReferenceOfTheNameStays) {
    TComponent firstWindow(nullptr), secondWindow(nullptr);
    auto* first = new TfrxDBDataset(&firstWindow);
    auto* second = new TfrxDBDataset(&secondWindow);
    for (TfrxDBDataset* ds : {first, second}) ds->SetUserName("frxDBDataset1");
    TfrxReport report(nullptr), other(nullptr);
    auto* foreign = new TfrxDBDataset(&other);
    foreign->SetUserName("Foreign");
    struct Case {
        const char* Name;
        TfrxDataSet* Current;
        const char* Look;
        TfrxDataSet* Found;
    };
    const Case cases[] = {
        {"own reference kept", second, "frxdbdataset1", second},
        {"no reference: the first of the name", nullptr, "frxDBDataset1", first},
        {"a reference of another name is replaced", foreign, "frxDBDataset1", first},
        {"another report's dataset is not taken", second, "Foreign", second},
        {"without a match the reference stays", foreign, "Foreign", foreign},
        {"an empty name is none", second, "", nullptr},
    };
    for (const Case& c : cases) EXPECT_EQ(frxFindDataSet(c.Current, c.Look, &report), c.Found) << c.Name;
    // A report's dataset item read as DataSet, then DataSetName keeps the dataset given.
    TfrxDataSetItem* item = report.DataSets()->Add(second);
    item->SetDataSetName("frxDBDataset1");
    EXPECT_EQ(item->DataSet(), second);
}

}  // namespace
