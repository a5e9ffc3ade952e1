// The charge save, the void and new patient numbers over a real clinic database: what
// they store, that a failure at any statement leaves everything as it was, that retries
// wait out another connection's write lock, and that numbers stay unique.
#include <gtest/gtest.h>

#include "FrontDeskFixture.h"
#include "app/charging/ChargeSave.h"
#include "app/charging/PatientNumbers.h"
#include "app/charging/ReceiptRules.h"
#include "app/charging/ReceiptVoid.h"
#include "platform/db/DBError.h"

namespace {

const TDateTime kToday = EncodeDate(2024, 3, 7);

class ChargeSaveTest : public FrontDeskDb {
protected:
    void SetUp() override {
        FrontDeskDb::SetUp();
        Exam = AddItem("检查项目", "检查费", "血常规", "XCG", 0, 15);
        DrugA = AddItem("药品项目", "西药费", "阿莫西林", "AMXL", 8, 12.5, 10, 2);
        DrugB = AddItem("药品项目", "中成药费", "板蓝根", "BLG", 3, 5, 40, 5);
    }

    TChargeReceipt Receipt(double due, double received) {
        TChargeReceipt r;
        r.Counter = NextReceiptCounter(*Connection, kToday);
        r.ReceiptNo = FormatReceiptNumber(kToday, r.Counter);
        r.ChargeDate = kToday;
        r.PatientId = 3;
        r.PatientName = "张三";
        r.PatientSex = "男";
        r.PatientAge = "30";
        r.Doctor = "李医生";
        r.Department = "内科";
        r.Due = Currency::FromDouble(due);
        r.Received = Currency::FromDouble(received);
        r.Change = r.Received - r.Due;
        r.Reduction = Currency();
        r.ChargeType = "普通收费";
        r.ChargeTime = "09:15:00";
        r.Cashier = "tulvo";
        return r;
    }

    TRetryPolicy NoPause() {
        TRetryPolicy p;
        p.Pause = [this](unsigned ms) { Paused.push_back(ms); };
        return p;
    }

    int Exam = 0, DrugA = 0, DrugB = 0;
    std::vector<unsigned> Paused;
};

TEST_F(ChargeSaveTest, OneLineExaminationReceipt) {
    AddLine(Exam, 1);
    const auto before = Rows("select * from tb_yp order by ID");
    auto outcome = SaveCharge(*Connection, Receipt(15, 20), kToday, NoPause());
    ASSERT_TRUE(outcome.Committed) << outcome.LastError;
    EXPECT_EQ(outcome.FailedAttempts, 0);
    EXPECT_EQ(outcome.ReceiptNo, "240307001");
    EXPECT_FALSE(outcome.Renumbered);
    EXPECT_EQ(Rows("select 流水号,票据号,病人id,病人姓名,病人性别,病人年龄,医生姓名,医生科室,项目种类,"
                   "项目类型,项目ID,项目名称,项目规格,数量,进价,销价,单项累计,应收金额,实收金额,"
                   "应找金额,减免金额,收费类型,收费日期,收费时间,收费员,统计标致,备用 from tb_sf"),
              std::vector<std::string>{"1|240307001|3|张三|男|30|李医生|内科|检查项目|检查费|" +
                                       std::to_string(Exam) +
                                       "|血常规|10片|1||15|15|15|20|5|0|普通收费|2024-3-7|09:15:00|tulvo|1|"});
    EXPECT_EQ(Rows("select * from tb_yp order by ID"), before);
    EXPECT_EQ(Count("tb_temp"), 0);
    EXPECT_TRUE(Paused.empty());
}

TEST_F(ChargeSaveTest, ThreeLinesWithTwoDrugsShareTheNumberAndLowerTheStock) {
    AddLine(DrugA, 2);
    AddLine(Exam, 1);
    AddLine(DrugB, 4);
    auto outcome = SaveCharge(*Connection, Receipt(60, 100), kToday, NoPause());
    ASSERT_TRUE(outcome.Committed) << outcome.LastError;
    EXPECT_EQ(outcome.Lines, 3);
    EXPECT_EQ(Rows("select 流水号,票据号,项目名称,数量,单项累计,应收金额,实收金额,应找金额,减免金额,统计标致"
                   " from tb_sf order by id"),
              (std::vector<std::string>{"1|240307001|阿莫西林|2|25|60|100|40|0|1",
                                        "1|240307001|血常规|1|15|0|0|0|0|0",
                                        "1|240307001|板蓝根|4|20|0|0|0|0|0"}));
    EXPECT_EQ(Rows("select 项目名称,库存数量,进价金额,销价金额 from tb_yp where 项目种类='药品项目' order by ID"),
              (std::vector<std::string>{"阿莫西林|8|64|100", "板蓝根|36|108|180"}));
    EXPECT_EQ(Count("tb_temp"), 0);
}

TEST_F(ChargeSaveTest, TheSameDrugOnTwoLinesLowersTheStockByBoth) {
    AddLine(DrugA, 2);
    AddLine(DrugA, 3.5);
    ASSERT_TRUE(SaveCharge(*Connection, Receipt(68.75, 70), kToday, NoPause()).Committed);
    EXPECT_EQ(Text("select 库存数量,进价金额,销价金额 from tb_yp where ID=" + std::to_string(DrugA)),
              "4.5|36|56.25");
}

TEST_F(ChargeSaveTest, TextsWithQuotesAreStoredAsTyped) {
    Exec("update tb_yp set 项目名称='O''Brien''s 片' where ID=" + std::to_string(Exam));
    AddLine(Exam, 1);
    auto r = Receipt(15, 15);
    r.PatientName = "O'Neil";
    r.Doctor = "D'Arcy";
    ASSERT_TRUE(SaveCharge(*Connection, r, kToday, NoPause()).Committed);
    EXPECT_EQ(Text("select 病人姓名,医生姓名,项目名称 from tb_sf"), "O'Neil|D'Arcy|O'Brien's 片");
}

TEST_F(ChargeSaveTest, ANumberUsedMeanwhileOrAnotherDayIsDrawnAgain) {
    // Drawn for receipt 1, but another workstation saved receipt 1 first.
    auto drawn = Receipt(15, 15);
    auto other = Connect();
    AddLine(Exam, 1);
    Exec("insert into tb_sf (流水号,票据号,收费日期,统计标致) values (1,'240307001','2024-03-07','1')");
    auto outcome = SaveCharge(*Connection, drawn, kToday, NoPause());
    ASSERT_TRUE(outcome.Committed);
    EXPECT_TRUE(outcome.Renumbered);
    EXPECT_EQ(outcome.ReceiptNo, "240307002");
    EXPECT_EQ(Text("select 流水号,票据号,收费日期 from tb_sf where 项目名称='血常规'"), "2|240307002|2024-3-7");

    // Drawn on the 7th, saved after midnight: the 8th's first number and date.
    auto late = Receipt(15, 15);
    AddLine(Exam, 1);
    outcome = SaveCharge(*Connection, late, kToday + 1.01, NoPause());
    ASSERT_TRUE(outcome.Committed);
    EXPECT_TRUE(outcome.Renumbered);
    EXPECT_EQ(outcome.ReceiptNo, "240308001");
    EXPECT_EQ(outcome.ChargeDate, kToday + 1);
    EXPECT_EQ(Text("select 流水号,收费日期 from tb_sf where 票据号='240308001'"), "1|2024-3-8");
}

TEST_F(ChargeSaveTest, RetriesWhileAnotherConnectionHoldsTheWriteLock) {
    AddLine(DrugA, 2);
    auto other = Connect();
    other->BeginTrans();                                // the other workstation writes
    Connection->Database().SetBusyTimeout(10);
    TRetryPolicy policy;
    policy.Pause = [&](unsigned ms) {
        Paused.push_back(ms);
        if (Paused.size() == 2) other->RollbackTrans();  // ... and is done after two tries
    };
    auto outcome = SaveCharge(*Connection, Receipt(25, 25), kToday, policy);
    EXPECT_TRUE(outcome.Committed) << outcome.LastError;
    EXPECT_EQ(outcome.FailedAttempts, 2);
    EXPECT_EQ(Paused, (std::vector<unsigned>{50, 50}));
    EXPECT_EQ(Count("tb_sf"), 1);
    EXPECT_EQ(Text("select 库存数量 from tb_yp where ID=" + std::to_string(DrugA)), "8");
}

TEST_F(ChargeSaveTest, TenFailedAttemptsReportTheReasonAndKeepEverything) {
    AddLine(DrugA, 2);
    AddLine(Exam, 1);
    const auto before = Snapshot();
    auto other = Connect();
    other->BeginTrans();
    Connection->Database().SetBusyTimeout(1);
    auto outcome = SaveCharge(*Connection, Receipt(40, 50), kToday, NoPause());
    EXPECT_FALSE(outcome.Committed);
    EXPECT_EQ(outcome.FailedAttempts, 10);
    EXPECT_EQ(Paused.size(), 9u);                       // no pause after the last attempt
    EXPECT_NE(outcome.LastError.find("locked"), std::string::npos) << outcome.LastError;
    EXPECT_EQ(outcome.ReceiptNo, "240307001");
    other->RollbackTrans();
    EXPECT_EQ(Snapshot(), before);
    EXPECT_FALSE(Connection->InTransaction());
}

// Failing each statement of the save in turn (one attempt): nothing changes, and a clean
// save afterwards stores the whole receipt.
TEST_F(ChargeSaveTest, AFailureAtAnyStatementLeavesTheDatabaseAsItWas) {
    AddLine(DrugA, 2);
    AddLine(Exam, 1);
    AddLine(DrugB, 1);
    const auto before = Snapshot();
    TRetryPolicy once = NoPause();
    once.Attempts = 1;
    const TChargeReceipt receipt = Receipt(45, 50);
    int failures = 0;
    for (int failAt = 1;; ++failAt) {
        int seen = 0;
        Connection->OnStatement = [&](const std::string&) {
            if (++seen == failAt) throw EDatabaseError("disk I/O error");
        };
        auto outcome = SaveCharge(*Connection, receipt, kToday, once);
        Connection->OnStatement = nullptr;
        if (outcome.Committed) break;
        ++failures;
        EXPECT_EQ(outcome.LastError, "disk I/O error");
        ASSERT_EQ(Snapshot(), before) << "failing statement " << failAt;
    }
    EXPECT_GE(failures, 5);   // begin, counter, lines, stock, emptying, commit
    EXPECT_EQ(Count("tb_sf"), 3);
    EXPECT_EQ(Count("tb_temp"), 0);
}

TEST_F(ChargeSaveTest, TheThousandthReceiptOfADay) {
    Exec("insert into tb_sf (流水号,票据号,收费日期,统计标致) values (999,'240307999','2024-03-07','1')");
    AddLine(Exam, 1);
    auto outcome = SaveCharge(*Connection, Receipt(15, 15), kToday, NoPause());
    ASSERT_TRUE(outcome.Committed);
    EXPECT_EQ(outcome.ReceiptNo, "2403071000");
    EXPECT_EQ(Text("select 流水号,票据号 from tb_sf where 项目ID=" + std::to_string(Exam)), "1000|2403071000");
}

// --- Voiding ----------------------------------------------------------------------------------

class VoidTest : public ChargeSaveTest {
protected:
    void SetUp() override {
        ChargeSaveTest::SetUp();
        AddLine(DrugA, 2);
        AddLine(Exam, 1);
        AddLine(DrugA, 1);
        auto outcome = SaveCharge(*Connection, Receipt(52.5, 60), kToday, NoPause());
        ASSERT_TRUE(outcome.Committed);
        Number = outcome.ReceiptNo;
        Stored = Rows("select " + Columns + " from tb_sf order by id");
    }
    const std::string Columns =
        "流水号,票据号,病人id,病人姓名,病人性别,病人年龄,医生姓名,医生科室,项目种类,项目类型,项目ID,"
        "项目名称,项目规格,数量,进价,销价,单项累计,应收金额,实收金额,应找金额,减免金额,收费类型,"
        "收费日期,收费时间,收费员,统计标致,备用";
    std::string Number;
    std::vector<std::string> Stored;
};

TEST_F(VoidTest, MovesTheWholeReceiptAndReturnsItsDrugs) {
    EXPECT_EQ(Text("select 库存数量 from tb_yp where ID=" + std::to_string(DrugA)), "7");
    auto head = FindReceipt(*Connection, Number);
    ASSERT_TRUE(head.Found);
    EXPECT_EQ(head.PatientName, "张三");
    auto outcome = VoidReceipt(*Connection, Number, NoPause());
    ASSERT_TRUE(outcome.Committed) << outcome.LastError;
    EXPECT_EQ(outcome.Lines, 3);
    EXPECT_EQ(Count("tb_sf"), 0);
    EXPECT_EQ(Rows("select " + Columns + " from tb_zfsf order by id"), Stored);
    EXPECT_EQ(Text("select 库存数量,进价金额,销价金额 from tb_yp where ID=" + std::to_string(DrugA)),
              "10|80|125");
    // The number stays in use; a second void finds nothing.
    EXPECT_EQ(NextReceiptCounter(*Connection, kToday), 2);
    EXPECT_FALSE(FindReceipt(*Connection, Number).Found);
    EXPECT_FALSE(FindReceipt(*Connection, "' or '1'='1").Found);
}

TEST_F(VoidTest, ARetryStartsFromTheFirstLine) {
    // The first attempt fails after its rows were copied and deleted; the second moves
    // every line, and the stock comes back exactly once.
    int attempt = 0;
    Connection->OnStatement = [&](const std::string& sql) {
        if (sql.rfind("BEGIN", 0) == 0) ++attempt;
        if (attempt == 1 && sql == "COMMIT") throw EDatabaseError("database is locked");
    };
    auto outcome = VoidReceipt(*Connection, Number, NoPause());
    Connection->OnStatement = nullptr;
    ASSERT_TRUE(outcome.Committed);
    EXPECT_EQ(outcome.FailedAttempts, 1);
    EXPECT_EQ(Rows("select " + Columns + " from tb_zfsf order by id"), Stored);
    EXPECT_EQ(Count("tb_sf"), 0);
    EXPECT_EQ(Text("select 库存数量 from tb_yp where ID=" + std::to_string(DrugA)), "10");
}

TEST_F(VoidTest, AFailureAtAnyStatementLeavesTheReceiptInPlace) {
    const auto before = Snapshot();
    TRetryPolicy once = NoPause();
    once.Attempts = 1;
    for (int failAt = 1;; ++failAt) {
        int seen = 0;
        Connection->OnStatement = [&](const std::string&) {
            if (++seen == failAt) throw EDatabaseError("disk I/O error");
        };
        auto outcome = VoidReceipt(*Connection, Number, once);
        Connection->OnStatement = nullptr;
        if (outcome.Committed) break;
        ASSERT_EQ(Snapshot(), before) << "failing statement " << failAt;
    }
    EXPECT_EQ(Count("tb_zfsf"), 3);
}

TEST_F(VoidTest, TheNextReceiptContinuesAfterAVoidedOne) {
    ASSERT_TRUE(VoidReceipt(*Connection, Number, NoPause()).Committed);
    AddLine(Exam, 1);
    auto outcome = SaveCharge(*Connection, Receipt(15, 15), kToday, NoPause());
    ASSERT_TRUE(outcome.Committed);
    EXPECT_EQ(outcome.ReceiptNo, "240307002");
}

// --- Patient numbers --------------------------------------------------------------------------

TEST_F(FrontDeskDb, NewPatientsTakeTheNextNumberInOneTransaction) {
    TPatientRecord p{"王五", "WW", "41", "123", "东街", "男"};
    EXPECT_EQ(AddPatient(*Connection, p), 1);
    p.Name = "O'Hara";
    EXPECT_EQ(AddPatient(*Connection, p), 2);
    EXPECT_EQ(Rows("select id,姓名,拼音码,年龄,电话,地址,性别 from tb_brzl order by id"),
              (std::vector<std::string>{"1|王五|WW|41|123|东街|男", "2|O'Hara|WW|41|123|东街|男"}));

    // A failing insert gives the number back.
    const auto before = Snapshot();
    Connection->OnStatement = [](const std::string& sql) {
        if (sql.rfind("insert", 0) == 0) throw EDatabaseError("disk full");
    };
    EXPECT_THROW(AddPatient(*Connection, p), EDatabaseError);
    Connection->OnStatement = nullptr;
    EXPECT_EQ(Snapshot(), before);
    EXPECT_EQ(AddPatient(*Connection, p), 3);
}

}  // namespace
