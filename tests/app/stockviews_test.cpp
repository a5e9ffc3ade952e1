// The stock-in query with its red reversal, the stock overview and the shortage and expiry
// query, driven headless on a seeded database.
#include "OtherProgram.h"
#include "PreviewCapture.h"
#include "QueryFixture.h"

#include "app/database/ClinicDatabase.h"
#include "app/forms/CandidateForm.h"
#include "app/forms/QuerySupport.h"
#include "app/forms/ShortageForm.h"
#include "app/forms/StockInQueryForm.h"
#include "app/forms/StockOverviewForm.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/DBGrids.h"

#include <functional>
#include <stdexcept>

namespace {

const TDateTime kFeb1 = EncodeDate(2024, 2, 1), kMar1 = EncodeDate(2024, 3, 1), kMar5 = EncodeDate(2024, 3, 5),
                kMar7 = EncodeDate(2024, 3, 7);

class StockWindows : public QueryWindows {
protected:
    void SetUp() override {
        QueryWindows::SetUp();
        // Prices changed since the stock-in of drug A: cost 9 now, 8 then.
        DrugA = AddDrug("阿莫西林", "AMXL", "10片", 9, 12, 30, 5, EncodeDate(2025, 3, 7));
        DrugB = AddDrug("安乃近", "ANJ", "20片", 2, 3, 4, 4, EncodeDate(2024, 6, 1));
        DrugC = AddDrug("O'Brien散", "OBS", "1袋", 1, 2, 7, 10, 0);
        Exam = AddExam("血常规", "XCG", 15);
        AddStockIn(kFeb1, DrugA, "阿莫西林", "10片", 8, 12, 20);
        AddStockIn(kMar5, DrugA, "阿莫西林", "10片", 8, 12, 10);
        AddStockIn(kMar7, DrugB, "安乃近", "20片", 2, 3, 5);
        AddStockIn(kMar7, DrugC, "O'Brien散", "1袋", 1, 2, 7);
    }
    void FindStockIn(TDateTime from, TDateTime to) {
        rkcxform->DateTimePicker1->SetDate(from);
        rkcxform->DateTimePicker2->SetDate(to);
        H::Click(rkcxform->Button1);
    }
    std::string Drug(int id) {
        return Text("select 库存数量,进价金额,销价金额 from tb_yp where ID=" + std::to_string(id));
    }
    int DrugA = 0, DrugB = 0, DrugC = 0, Exam = 0;
};

TEST_F(StockWindows, StockInQueryByRangeAndDrug) {
    rkcxform->Show();
    H::ProcessMessages();
    EXPECT_TRUE(rkcxform->CheckBox1->Checked());
    EXPECT_EQ(rkcxform->DateTimePicker1->Date(), kMar7);
    // Nothing to print or export yet: no preview comes up.
    H::Click(rkcxform->Button3);
    H::Click(rkcxform->Button4);
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"取得查询结果后才可将表中数据导出至Excel!"});
    EXPECT_TRUE(harness->Errors().empty());

    FindStockIn(kMar1, kMar7);
    const std::vector<std::string> fields{"入库日期", "药品名称", "入库数量", "入库金额"};
    EXPECT_EQ(RowsOf(*rkcxform->ADOQuery1, fields),
              (std::vector<std::string>{"2024-3-5|阿莫西林|10|80", "2024-3-7|安乃近|5|10", "2024-3-7|O'Brien散|7|7"}));
    EXPECT_EQ(rkcxform->StatusBar1->Panels()->Items(0)->Text(), "入库金额总计: 97.00");
    // The printed list: title, period, headings, a row per record and the total.
    TPreviewCapture printed;
    CapturePreview(*harness, printed);
    H::Click(rkcxform->Button3);
    ASSERT_EQ(printed.Pages.size(), 1u);
    EXPECT_EQ(printed.Report, rkcxform->frxReport1);
    for (const std::vector<std::string>& row :
         {std::vector<std::string>{"入库查询记录报表", "所属时段:2024-3-1__2024-3-7", "入库日期", "药品名称", "规格",
                                   "单位", "批号", "进价", "单价", "入库数量", "入库金额", "产地"},
          std::vector<std::string>{"2024-3-5", "阿莫西林", "10片", "盒", "B1", "8", "12", "10", "80", "本地"},
          std::vector<std::string>{"2024-3-7", "O'Brien散", "1袋", "盒", "B1", "1", "2", "7", "7", "本地"},
          std::vector<std::string>{"入库金额总计: 97.00"}})
        EXPECT_TRUE(printed.HasRow(row)) << row.front() << "\n" << printed.Dump();
    EXPECT_EQ(printed.CutOff(), std::vector<std::string>{});

    // The drug by its code: one hit is taken at once; a name with a quote is only a value.
    harness->ClearDialogs();
    H::Click(rkcxform->Edit1);
    H::TypeText(rkcxform->Edit1, "obs");
    H::TypeKey(rkcxform->Edit1, VK_RETURN);
    EXPECT_EQ(rkcxform->Edit1->Text(), "O'Brien散");
    EXPECT_TRUE(rkcxform->CheckBox2->Checked());
    EXPECT_EQ(rkcxform->ActiveControl(), rkcxform->Button1);
    H::Click(rkcxform->Button1);
    EXPECT_EQ(RowsOf(*rkcxform->ADOQuery1, fields), std::vector<std::string>{"2024-3-7|O'Brien散|7|7"});
    EXPECT_EQ(rkcxform->StatusBar1->Panels()->Items(0)->Text(), "入库金额总计: 7.00");
    EXPECT_FALSE(sfform->ADOQuery4->Active());

    // Several hits offer the candidates under the field; the chosen one is taken.
    harness->OnModal("Tbrzlhxform", [](TCustomForm& f) {
        auto& c = dynamic_cast<Tbrzlhxform&>(f);
        EXPECT_TRUE(c.DBGrid3->Visible());
        const TPoint under = rkcxform->Edit1->ClientToScreen(TPoint{-2, rkcxform->Edit1->Height()});
        EXPECT_EQ(c.Left(), under.X);
        EXPECT_EQ(c.Top(), under.Y);
        EXPECT_EQ(c.DBGrid3->RowCount(), 2);
        H::TypeKey(c.DBGrid3, VK_DOWN);
        H::TypeKey(c.DBGrid3, VK_RETURN);
    });
    rkcxform->Edit1->SetText("");
    H::Click(rkcxform->Edit1);
    H::TypeText(rkcxform->Edit1, "A");
    H::TypeKey(rkcxform->Edit1, VK_RETURN);
    EXPECT_EQ(rkcxform->Edit1->Text(), "安乃近");

    struct Case {
        const char* Name;
        std::function<void()> Act;
        std::vector<std::string> Messages;
    };
    const std::vector<Case> refusals = {
        {"no date range", [] { rkcxform->CheckBox1->SetChecked(false); H::Click(rkcxform->Button1); },
         {"请选择要查询的时间段!"}},
        {"a key that is no letter",
         [] {
             H::Click(rkcxform->Edit1);
             H::TypeText(rkcxform->Edit1, "1");
         },
         {"请输入拼音字母后按Enter键!"}},
        {"an unknown code",
         [] {
             rkcxform->Edit1->SetText("QQ");
             H::Click(rkcxform->Edit1);
             H::TypeKey(rkcxform->Edit1, VK_RETURN);
         },
         {"无此药品项目!"}},
        {"an examination item is no drug",
         [] {
             rkcxform->Edit1->SetText("XCG");
             H::Click(rkcxform->Edit1);
             H::TypeKey(rkcxform->Edit1, VK_RETURN);
         },
         {"无此药品项目!"}},
        {"a range without records",
         [this] { rkcxform->CheckBox1->SetChecked(true); rkcxform->CheckBox2->SetChecked(false); FindStockIn(kMar7 + 1, kMar7 + 9); },
         {"没有找到相符的记录!"}},
    };
    for (const Case& c : refusals) {
        SCOPED_TRACE(c.Name);
        harness->ClearDialogs();
        c.Act();
        EXPECT_EQ(harness->DialogTexts(), c.Messages);
    }
    EXPECT_EQ(rkcxform->StatusBar1->Panels()->Items(0)->Text(), "");
}

TEST_F(StockWindows, RedReversalLowersTheStockAtTheCurrentPrices) {
    rkcxform->Show();
    H::ProcessMessages();
    FindStockIn(kMar1, kMar7);
    rkcxform->ADOQuery1->First();   // 2024-3-5, 10 of drug A at cost 8
    harness->AnswerMessage(mrNo);
    H::DblClick(rkcxform->DBGrid1);
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"确定红冲\"入库日期为2024-3-5,药品名称为阿莫西林\"的记录吗？"});
    EXPECT_EQ(Drug(DrugA), "30|270|360");

    harness->ClearDialogs();
    sfform->Edit12->SetText("小王");
    rkcxform->ADOQuery1->First();
    harness->AnswerMessage(mrYes);
    H::DblClick(rkcxform->DBGrid1);
    EXPECT_EQ(harness->DialogTexts().back(), "红冲作废入库记录成功!");
    // 30 - 10 = 20, valued at today's cost 9 and price 12.
    EXPECT_EQ(Drug(DrugA), "20|180|240");
    EXPECT_EQ(Rows("select 入库日期,药品名称,规格,单位,批号,进价,单价,入库数量,入库金额,产地,药品ID,操作员 from tb_yprk"
                   " where 入库数量<0"),
              std::vector<std::string>{"2024-3-5|阿莫西林|10片|盒|B1|8|12|-10|-80|本地|" + std::to_string(DrugA) + "|小王"});
    // The list is found again: both records, and the total falls by the amount.
    EXPECT_EQ(rkcxform->ADOQuery1->RecordCount(), 4);
    EXPECT_EQ(rkcxform->StatusBar1->Panels()->Items(0)->Text(), "入库金额总计: 17.00");
}

TEST_F(StockWindows, AFailedReversalSaysSoAndChangesNothing) {
    rkcxform->Show();
    H::ProcessMessages();
    FindStockIn(kMar1, kMar7);
    const auto before = Rows("select * from tb_yprk order by rowid");
    const auto stock = Rows("select * from tb_yp order by ID");
    for (const char* failing : {"update tb_yp", "insert into tb_yprk", "COMMIT"}) {
        SCOPED_TRACE(failing);
        Db().OnStatement = [failing](const std::string& sql) {
            if (sql.rfind(failing, 0) == 0) throw std::runtime_error("disk I/O error");
        };
        rkcxform->ADOQuery1->First();
        harness->ClearDialogs();
        harness->AnswerMessage(mrYes);
        H::DblClick(rkcxform->DBGrid1);
        Db().OnStatement = nullptr;
        ASSERT_EQ(harness->DialogTexts().size(), 2u);
        EXPECT_EQ(harness->DialogTexts()[1],
                  "红冲作废入库记录失败，库存和入库记录均未改动!\n读写数据库文件出错，请检查磁盘后再试。");
        EXPECT_FALSE(Db().InTransaction());
        EXPECT_EQ(Rows("select * from tb_yprk order by rowid"), before);
        EXPECT_EQ(Rows("select * from tb_yp order by ID"), stock);
    }
}

// A reversal refused while another program (the sqlite3 shell) holds the write lock says
// why in the clinic's words and changes nothing; tried again once the lock is gone, it
// writes one reversal and lowers the stock once.
TEST_F(StockWindows, AReversalRefusedUnderAnotherProgramsLockIsWrittenOnceWhenTriedAgain) {
    rkcxform->Show();
    H::ProcessMessages();
    FindStockIn(kMar1, kMar7);
    Db().SetBusyTimeout(100);
    auto other = std::make_unique<TOtherProgram>(ClinicDatabaseFileName);
    other->Run("BEGIN IMMEDIATE; INSERT INTO tb_ks (科室名称) VALUES ('外科');");
    rkcxform->ADOQuery1->First();
    harness->ClearDialogs();
    harness->AnswerMessage(mrYes);
    H::DblClick(rkcxform->DBGrid1);
    ASSERT_EQ(harness->DialogTexts().size(), 2u);
    EXPECT_EQ(harness->DialogTexts()[1], "红冲作废入库记录失败，库存和入库记录均未改动!\n数据库正被其他程序使用，请稍后再试。");
    EXPECT_EQ(Drug(DrugA), "30|270|360");
    other.reset();
    rkcxform->ADOQuery1->First();
    harness->ClearDialogs();
    harness->AnswerMessage(mrYes);
    H::DblClick(rkcxform->DBGrid1);
    EXPECT_EQ(harness->DialogTexts().back(), "红冲作废入库记录成功!");
    EXPECT_EQ(Drug(DrugA), "20|180|240");
    EXPECT_EQ(Rows("select count(*) from tb_yprk where 入库数量<0"), std::vector<std::string>{"1"});
}

TEST_F(StockWindows, OverviewSumsReceivedStockAndSoldPerDrug) {
    // A reversal in the range, a charge of drug A and of the examination in the range, one
    // before it, and a stock-in recorded under the drug's old name.
    AddStockIn(kMar7, DrugB, "安乃近", "20片", 2, 3, -2);
    AddStockIn(kMar5, DrugA, "阿莫西林(旧)", "10片", 8, 12, 3);
    AddReceipt("tb_sf", "240306001", kMar5 + 1, "张三", "李四", "内科", "tulvo", "普通收费", 0,
               {{"药品项目", DrugA, "阿莫西林", 4, 12}, {"检查项目", Exam, "血常规", 1, 15}});
    AddReceipt("tb_sf", "240201001", kFeb1, "张三", "李四", "内科", "tulvo", "普通收费", 0,
               {{"药品项目", DrugA, "阿莫西林", 6, 12}});
    Exec("update tb_sf set 项目规格='次' where 项目名称='血常规'");
    jxcylform->Show();
    H::ProcessMessages();
    H::Click(jxcylform->Button2);
    H::Click(jxcylform->Button3);
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"取得查询结果后才可将表中数据导出至Excel!"});
    EXPECT_TRUE(harness->Errors().empty());

    jxcylform->DateTimePicker1->SetDate(kMar1);
    jxcylform->DateTimePicker2->SetDate(kMar7);
    H::Click(jxcylform->Button1);
    const std::vector<std::string> fields{"项目ID", "项目名称", "规格", "进库数量", "库存数量", "销售数量"};
    const std::string a = std::to_string(DrugA), b = std::to_string(DrugB), c = std::to_string(DrugC),
                      e = std::to_string(Exam);
    auto rows = RowsOf(*jxcylform->ADOQuery1, fields);
    std::sort(rows.begin(), rows.end());
    std::vector<std::string> expected{a + "|阿莫西林(旧)|10片|3|0|0", a + "|阿莫西林|10片|10|30|4",
                                      b + "|安乃近|20片|3|4|0",   c + "|O'Brien散|1袋|7|7|0",
                                      e + "|血常规|次|0|0|1"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(rows, expected);
    TPreviewCapture printed;
    CapturePreview(*harness, printed);
    H::Click(jxcylform->Button2);
    ASSERT_EQ(printed.Pages.size(), 1u);
    for (const std::vector<std::string>& row :
         {std::vector<std::string>{"药品进销存统计一览表", "统计日期：2024-3-1 至 2024-3-7", "项目名称", "规格", "进库数量",
                                   "库存数量", "销售数量"},
          std::vector<std::string>{"阿莫西林", "10片", "10", "30", "4"},
          std::vector<std::string>{"血常规", "次", "0", "0", "1"}})
        EXPECT_TRUE(printed.HasRow(row)) << row.front() << "\n" << printed.Dump();
    EXPECT_EQ(printed.CutOff(), std::vector<std::string>{});

    // One drug, picked by its code; a drug without movement in the range still shows its stock.
    H::Click(jxcylform->Edit1);
    H::TypeText(jxcylform->Edit1, "OBS");
    H::TypeKey(jxcylform->Edit1, VK_RETURN);
    EXPECT_TRUE(jxcylform->CheckBox2->Checked());
    jxcylform->DateTimePicker1->SetDate(kFeb1);
    jxcylform->DateTimePicker2->SetDate(kFeb1);
    H::Click(jxcylform->Button1);
    EXPECT_EQ(RowsOf(*jxcylform->ADOQuery1, fields), std::vector<std::string>{c + "|O'Brien散|1袋|0|7|0"});

    harness->ClearDialogs();
    jxcylform->Edit1->SetText("无此药");
    H::Click(jxcylform->Button1);
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"没有找到相符的记录!"});
}

TEST_F(StockWindows, ShortageAndExpiryLists) {
    qhsxcxform->Show();
    H::ProcessMessages();
    EXPECT_TRUE(qhsxcxform->RadioButton2->Checked());
    EXPECT_EQ(qhsxcxform->DateTimePicker1->Date(), kMar7 + 365);
    H::Click(qhsxcxform->Button3);
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"取得查询结果后才可将表中数据导出至Excel!"});

    struct Case {
        const char* Name;
        bool Shortage;
        TDateTime By;
        std::vector<std::string> Drugs;
    };
    const std::vector<Case> cases = {
        {"at or below the limit, lowest stock first", true, 0, {"安乃近|4|4", "O'Brien散|7|10"}},
        {"expiring by the chosen day, the day itself included", false, EncodeDate(2025, 3, 7),
         {"安乃近|4|4", "阿莫西林|30|5"}},
        {"the day before leaves it out", false, EncodeDate(2025, 3, 6), {"安乃近|4|4"}},
        {"nothing expires this early", false, EncodeDate(2024, 1, 1), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        harness->ClearDialogs();
        qhsxcxform->RadioButton1->SetChecked(c.Shortage);
        qhsxcxform->RadioButton2->SetChecked(!c.Shortage);
        if (!c.Shortage) qhsxcxform->DateTimePicker1->SetDate(c.By);
        H::Click(qhsxcxform->Button1);
        EXPECT_EQ(RowsOf(*qhsxcxform->ADOQuery1, {"项目名称", "库存数量", "库存下限"}), c.Drugs);
        EXPECT_EQ(harness->DialogTexts(),
                  c.Drugs.empty() ? std::vector<std::string>{"没有找到相符的记录!"} : std::vector<std::string>{});
    }
    // The persistent fields: every column of the drugs, typed whatever the rows hold.
    EXPECT_EQ(qhsxcxform->ADOQuery1->FieldCount(), 16);
    EXPECT_NE(dynamic_cast<TDateTimeField*>(qhsxcxform->ADOQuery1->FieldByName("失效日期")), nullptr);
    EXPECT_NE(dynamic_cast<TFloatField*>(qhsxcxform->ADOQuery1->FieldByName("库存下限")), nullptr);
    // An empty result prints nothing; the shortage list prints its two drugs.
    H::Click(qhsxcxform->Button2);
    EXPECT_TRUE(harness->Errors().empty());
    qhsxcxform->RadioButton1->SetChecked(true);
    H::Click(qhsxcxform->Button1);
    TPreviewCapture printed;
    CapturePreview(*harness, printed);
    H::Click(qhsxcxform->Button2);
    ASSERT_EQ(printed.Pages.size(), 1u);
    for (const std::vector<std::string>& row :
         {std::vector<std::string>{"药品缺货及失效查询报表", "项目名称", "规格", "单位", "库存数量", "库存下限", "失效日期"},
          std::vector<std::string>{"安乃近", "20片", "盒", "4", "4", "2024-6-1"},
          std::vector<std::string>{"O'Brien散", "1袋", "盒", "7", "10", ""}})
        EXPECT_TRUE(printed.HasRow(row)) << row.front() << "\n" << printed.Dump();
    EXPECT_EQ(printed.CutOff(), std::vector<std::string>{});
}

}  // namespace
