// The charge query, its receipt detail and the voided receipts query, driven headless on a
// seeded database: each criterion with its count and total, the receipt range checks, the
// look-ups, the reprint from the detail, and the export refused without a result.
#include "QueryFixture.h"

#include "app/forms/CandidateForm.h"
#include "app/forms/ChargeDetailForm.h"
#include "app/forms/ChargeQueryForm.h"
#include "app/forms/PrintForm.h"
#include "app/forms/VoidDetailForm.h"
#include "app/forms/VoidQueryForm.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/DBGrids.h"

#include <functional>

namespace {

class ChargeQuery : public QueryWindows {
protected:
    void SetUp() override {
        QueryWindows::SetUp();
        Exec("insert into tb_brzl (id,姓名,拼音码,年龄,电话,地址,性别) values (1,'张三','ZS','30','','','男')");
        Exec("insert into tb_doctor (姓名,拼音码,性别,科室) values ('赵六','ZL','男','外科')");
        const TDateTime mar5 = EncodeDate(2024, 3, 5), mar7 = EncodeDate(2024, 3, 7);
        AddReceipt("tb_sf", "240305001", mar5, "王五", "李四", "内科", "tulvo", "普通收费", 0,
                   {{"药品项目", 2, "阿莫西林", 2, 12.5}, {"检查项目", 1, "血常规", 1, 5}});
        AddReceipt("tb_sf", "240307001", mar7, "O'Neil", "李四", "内科", "tulvo", "普通收费", 0,
                   {{"检查项目", 1, "血常规", 1, 25.5}});
        AddReceipt("tb_sf", "240307002", mar7, "张三", "赵六", "外科", "小王", "优惠打折", 10,
                   {{"药品项目", 2, "阿莫西林", 4, 12.5}});
        AddReceipt("tb_zfsf", "240307003", mar7, "张三", "李四", "内科", "tulvo", "普通收费", 0,
                   {{"检查项目", 1, "血常规", 2, 15}, {"药品项目", 2, "阿莫西林", 1, 12.5}});
        AddReceipt("tb_sf", "240307004", mar7, "张三", "李四", "内科", "小王", "内部记账", 0,
                   {{"检查项目", 1, "血常规", 1, 12}});
        sfcxform->Show();
        H::ProcessMessages();
    }
    std::vector<std::string> Listed() { return RowsOf(*sfcxform->ADOQuery1, {"票据号"}); }
    std::string Panel(int i) { return sfcxform->StatusBar1->Panels()->Items(i)->Text(); }
};

struct CriteriaCase {
    const char* Name;
    std::function<void(Tsfcxform&)> Set;
    std::vector<std::string> Receipts;
    const char* Total;
};

TEST_F(ChargeQuery, EachCriterionListsItsReceiptsWithTheirTotal) {
    const TDateTime mar5 = EncodeDate(2024, 3, 5), mar6 = EncodeDate(2024, 3, 6), mar7 = EncodeDate(2024, 3, 7);
    const std::vector<CriteriaCase> cases = {
        {"a name with a quote is a value, not SQL",
         [](Tsfcxform& f) { f.CheckBox1->SetChecked(true); f.Edit1->SetText("O'Neil"); }, {"240307001"}, "25.50"},
        {"doctor", [](Tsfcxform& f) { f.CheckBox2->SetChecked(true); f.Edit2->SetText("李四"); },
         {"240305001", "240307001", "240307004"}, "67.50"},
        {"cashier", [](Tsfcxform& f) { f.CheckBox4->SetChecked(true); f.ComboBox3->SetText("小王"); },
         {"240307002", "240307004"}, "52.00"},
        {"department", [](Tsfcxform& f) { f.CheckBox6->SetChecked(true); f.ComboBox2->SetText("外科"); },
         {"240307002"}, "40.00"},
        {"charge type", [](Tsfcxform& f) { f.CheckBox3->SetChecked(true); f.ComboBox1->SetText("优惠打折"); },
         {"240307002"}, "40.00"},
        {"receipt range in numeric order, the voided one left out",
         [](Tsfcxform& f) { f.CheckBox7->SetChecked(true); f.Edit5->SetText("240307001"); f.Edit6->SetText("240307004"); },
         {"240307001", "240307002", "240307004"}, "77.50"},
        {"today to today",
         [=](Tsfcxform& f) { f.CheckBox8->SetChecked(true); f.DateTimePicker1->SetDate(mar7); f.DateTimePicker2->SetDate(mar7); },
         {"240307001", "240307002", "240307004"}, "77.50"},
        {"an earlier range",
         [=](Tsfcxform& f) { f.CheckBox8->SetChecked(true); f.DateTimePicker1->SetDate(mar5); f.DateTimePicker2->SetDate(mar6); },
         {"240305001"}, "30.00"},
        {"criteria together",
         [=](Tsfcxform& f) {
             f.CheckBox1->SetChecked(true); f.Edit1->SetText("张三");
             f.CheckBox3->SetChecked(true); f.ComboBox1->SetText("内部记账");
             f.CheckBox8->SetChecked(true); f.DateTimePicker1->SetDate(mar7); f.DateTimePicker2->SetDate(mar7);
         },
         {"240307004"}, "12.00"},
    };
    for (const CriteriaCase& c : cases) {
        SCOPED_TRACE(c.Name);
        for (TCheckBox* b : {sfcxform->CheckBox1, sfcxform->CheckBox2, sfcxform->CheckBox4, sfcxform->CheckBox6,
                             sfcxform->CheckBox3, sfcxform->CheckBox7, sfcxform->CheckBox8})
            b->SetChecked(false);
        c.Set(*sfcxform);
        harness->ClearDialogs();
        H::Click(sfcxform->Button1);
        EXPECT_TRUE(harness->DialogTexts().empty()) << Joined(harness->DialogTexts());
        EXPECT_EQ(Listed(), c.Receipts);
        EXPECT_EQ(Panel(0), "符合查询条件的记录共有" + std::to_string(c.Receipts.size()) + "条");
        EXPECT_EQ(Panel(1), std::string("合计应收金额：") + c.Total);
    }
}

struct RefusalCase {
    const char* Name;
    std::function<void(Tsfcxform&)> Set;
    const char* Message;
    std::function<TWinControl*(Tsfcxform&)> Focus;   // null: the focus does not matter
};

TEST_F(ChargeQuery, IncompleteCriteriaAreRefusedAndClearTheTotals) {
    // A result first, so that the refusals are seen to clear the status bar.
    sfcxform->CheckBox2->SetChecked(true);
    sfcxform->Edit2->SetText("李四");
    H::Click(sfcxform->Button1);
    ASSERT_FALSE(Panel(0).empty());
    sfcxform->CheckBox2->SetChecked(false);
    const std::vector<RefusalCase> cases = {
        {"no criterion", [](Tsfcxform&) {}, "至少选择一个查询条件!", nullptr},
        {"blank upper bound",
         [](Tsfcxform& f) { f.CheckBox7->SetChecked(true); f.Edit5->SetText("240307001"); f.Edit6->SetText(""); },
         "按票据号查询时票据号不能为空白!", [](Tsfcxform& f) -> TWinControl* { return f.Edit6; }},
        {"blank lower bound",
         [](Tsfcxform& f) { f.CheckBox7->SetChecked(true); f.Edit5->SetText(" "); f.Edit6->SetText("2"); },
         "按票据号查询时票据号不能为空白!", [](Tsfcxform& f) -> TWinControl* { return f.Edit5; }},
        {"a bound that passes the key filter but is no number",
         [](Tsfcxform& f) { f.CheckBox7->SetChecked(true); f.Edit5->SetText("2403.07.1"); f.Edit6->SetText("240307009"); },
         "请输入数字!", [](Tsfcxform& f) -> TWinControl* { return f.Edit5; }},
        {"a pasted bound", 
         [](Tsfcxform& f) { f.CheckBox7->SetChecked(true); f.Edit5->SetText("1"); f.Edit6->SetText("1 or 1=1"); },
         "请输入数字!", [](Tsfcxform& f) -> TWinControl* { return f.Edit6; }},
        {"nothing matches",
         [](Tsfcxform& f) { f.CheckBox1->SetChecked(true); f.Edit1->SetText("nobody"); },
         "没有找到相符的记录!", nullptr},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.Name);
        for (TCheckBox* b : {sfcxform->CheckBox1, sfcxform->CheckBox7}) b->SetChecked(false);
        c.Set(*sfcxform);
        harness->ClearDialogs();
        H::Click(sfcxform->Button1);
        EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{c.Message});
        EXPECT_EQ(harness->DialogCaptions(), std::vector<std::string>{"提示"});
        EXPECT_EQ(Panel(0), "");
        EXPECT_EQ(Panel(1), "");
        if (c.Focus) {
            EXPECT_EQ(sfcxform->ActiveControl(), c.Focus(*sfcxform));
        }
    }
    // The receipts are untouched by the refused bound.
    EXPECT_EQ(Text("select count(*) from tb_sf"), "5");
}

TEST_F(ChargeQuery, LookUpsAndTheReceiptNumberKeys) {
    H::Click(sfcxform->Edit1);
    H::TypeText(sfcxform->Edit1, "zs");
    H::TypeKey(sfcxform->Edit1, VK_RETURN);
    EXPECT_EQ(sfcxform->Edit1->Text(), "张三");
    EXPECT_TRUE(sfcxform->CheckBox1->Checked());
    EXPECT_EQ(sfcxform->ActiveControl(), sfcxform->Button1);
    H::Click(sfcxform->Edit2);
    H::TypeText(sfcxform->Edit2, "ZL");
    H::TypeKey(sfcxform->Edit2, VK_RETURN);
    EXPECT_EQ(sfcxform->Edit2->Text(), "赵六");
    EXPECT_TRUE(sfcxform->CheckBox2->Checked());
    H::Click(sfcxform->Button1);
    EXPECT_EQ(Listed(), std::vector<std::string>{"240307002"});

    harness->ClearDialogs();
    sfcxform->Edit2->SetText("QQ");
    H::Click(sfcxform->Edit2);
    H::TypeKey(sfcxform->Edit2, VK_RETURN);
    H::Click(sfcxform->Edit1);
    H::TypeText(sfcxform->Edit1, "1");
    EXPECT_EQ(harness->DialogTexts(), (std::vector<std::string>{"无此医生信息!", "请输入病人拼音字母后按Enter键!"}));
    EXPECT_EQ(sfcxform->Edit1->Text(), "张三");

    // Enter in the first number copies it into the second; Enter there checks the criterion.
    harness->ClearDialogs();
    H::Click(sfcxform->Edit5);
    H::TypeText(sfcxform->Edit5, "24030700a2");
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"请输入数字!"});
    EXPECT_EQ(sfcxform->Edit5->Text(), "240307002");
    H::TypeKey(sfcxform->Edit5, VK_RETURN);
    EXPECT_EQ(sfcxform->Edit6->Text(), "240307002");
    EXPECT_EQ(sfcxform->ActiveControl(), sfcxform->Edit6);
    H::TypeKey(sfcxform->Edit6, VK_RETURN);
    EXPECT_TRUE(sfcxform->CheckBox7->Checked());
    EXPECT_EQ(sfcxform->ActiveControl(), sfcxform->Button1);
}

// Several matches are offered in the pick list under the field, as the charging window
// offers them: the doctor chosen there is taken (not whichever came first), Esc takes
// none, and Enter on an empty field offers every patient.
TEST_F(ChargeQuery, SeveralMatchesOfferThePickListUnderTheField) {
    Exec("insert into tb_doctor (姓名,拼音码,性别,科室) values ('王医生','WYS','男','内科')");
    Exec("insert into tb_doctor (姓名,拼音码,性别,科室) values ('吴医生','WYS','女','外科')");
    Exec("insert into tb_brzl (id,姓名,拼音码,年龄,电话,地址,性别) values (2,'王五','WW','40','','','男')");
    struct TPick {
        TEdit* Field;
        const char* Code;
        int Grid;
        int Rows;
        std::vector<uint16_t> Keys;   // typed in the list
        const char* Taken;            // the field's text afterwards
        bool Checked;                 // the criterion's check box afterwards
    };
    const TPick picks[] = {
        {sfcxform->Edit2, "W", 2, 2, {VK_DOWN, VK_RETURN}, "吴医生", true},
        {sfcxform->Edit2, "W", 2, 2, {VK_RETURN}, "王医生", true},
        {sfcxform->Edit1, "", 1, 2, {VK_ESCAPE}, "", false},
        {sfcxform->Edit1, "", 1, 2, {VK_DOWN, VK_RETURN}, "王五", true},
    };
    for (const TPick& p : picks) {
        SCOPED_TRACE(std::string(p.Code) + " " + p.Taken);
        sfcxform->CheckBox1->SetChecked(false);
        sfcxform->CheckBox2->SetChecked(false);
        p.Field->SetText("");
        int shownRows = -1;
        harness->OnModal("Tbrzlhxform", [&](TCustomForm& f) {
            auto& c = dynamic_cast<Tbrzlhxform&>(f);
            TDBGrid* grid = p.Grid == 1 ? c.DBGrid1 : c.DBGrid2;
            EXPECT_TRUE(grid->Visible());
            EXPECT_EQ(c.BorderStyle(), bsNone);
            const TPoint under = p.Field->ClientToScreen(TPoint{-2, p.Field->Height()});
            EXPECT_EQ(c.Left(), under.X);
            EXPECT_EQ(c.Top(), under.Y);
            shownRows = grid->RowCount();
            for (uint16_t key : p.Keys) H::TypeKey(grid, key);
        });
        H::Click(p.Field);
        if (*p.Code) H::TypeText(p.Field, p.Code);
        H::TypeKey(p.Field, VK_RETURN);
        EXPECT_EQ(shownRows, p.Rows);
        EXPECT_EQ(p.Field->Text(), std::string(p.Taken).empty() ? p.Code : p.Taken);
        EXPECT_EQ((p.Field == sfcxform->Edit1 ? sfcxform->CheckBox1 : sfcxform->CheckBox2)->Checked(), p.Checked);
    }
    EXPECT_TRUE(harness->DialogTexts().empty()) << Joined(harness->DialogTexts());
    // The doctor taken from the list is the one queried.
    sfcxform->Edit2->SetText("");
    harness->OnModal("Tbrzlhxform", [](TCustomForm& f) {
        auto& c = dynamic_cast<Tbrzlhxform&>(f);
        H::TypeKey(c.DBGrid2, VK_DOWN);
        H::TypeKey(c.DBGrid2, VK_RETURN);
    });
    sfcxform->CheckBox1->SetChecked(false);
    H::Click(sfcxform->Edit2);
    H::TypeText(sfcxform->Edit2, "W");
    H::TypeKey(sfcxform->Edit2, VK_RETURN);
    H::Click(sfcxform->Button1);
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"没有找到相符的记录!"});
    EXPECT_EQ(sfcxform->Edit2->Text(), "吴医生");
}

TEST_F(ChargeQuery, TheDetailShowsTheLinesAndReprints) {
    // Without a result a double-click opens nothing and the export is refused.
    H::DblClick(sfcxform->DBGrid1);
    harness->ClearDialogs();
    H::Click(sfcxform->Button2);
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"取得查询结果后才可将表中数据导出至Excel!"});

    sfcxform->CheckBox2->SetChecked(true);
    sfcxform->Edit2->SetText("李四");
    H::Click(sfcxform->Button1);
    sfcxform->ADOQuery1->First();   // 240305001, two lines
    // The double-click on the lines brings up the receipt print prompt with the receipt's
    // number and its sums; "取消" there leaves without output.
    std::vector<std::string> reprinted;
    double westernDrugs = 0, examinations = 0;
    harness->OnModal("Tsfcxmxform", [&](TCustomForm& f) {
        auto& d = dynamic_cast<Tsfcxmxform&>(f);
        EXPECT_EQ(RowsOf(*d.ADOQuery1), (std::vector<std::string>{"阿莫西林|10片|12.5|2|25", "血常规|10片|5|1|5"}));
        harness->OnModal("Tprintform", [&](TCustomForm& p) {
            auto& prompt = dynamic_cast<Tprintform&>(p);
            reprinted.push_back(prompt.Label2->Caption());
            westernDrugs = prompt.Sums()[0].ToDouble();
            examinations = prompt.Sums()[4].ToDouble();
            H::Click(prompt.Button2);
        });
        H::DblClick(d.DBGrid1);
        d.SetModalResult(mrCancel);
    });
    H::DblClick(sfcxform->DBGrid1);
    EXPECT_EQ(reprinted, std::vector<std::string>{"240305001"});
    // The fixture files every line under 西药费.
    EXPECT_EQ(westernDrugs, 30);
    EXPECT_EQ(examinations, 0);
    EXPECT_EQ(printform->Label2->Caption(), "");
    // The list stays on its receipt.
    EXPECT_EQ(sfcxform->ADOQuery1->FieldByName("票据号")->AsString(), "240305001");
}

TEST_F(ChargeQuery, VoidedReceiptsAreListedAndFoundByNumber) {
    pjzfcxform->Edit1->SetText("old");
    pjzfcxform->Show();
    H::ProcessMessages();
    EXPECT_EQ(pjzfcxform->Edit1->Text(), "");
    EXPECT_EQ(RowsOf(*pjzfcxform->ADOQuery1, {"票据号", "病人姓名", "应收金额"}),
              std::vector<std::string>{"240307003|张三|42.5"});
    // The charge query does not list it.
    sfcxform->CheckBox1->SetChecked(true);
    sfcxform->Edit1->SetText("张三");
    H::Click(sfcxform->Button1);
    EXPECT_EQ(Listed(), (std::vector<std::string>{"240307002", "240307004"}));

    harness->ClearDialogs();
    H::Click(pjzfcxform->Button1);
    H::Click(pjzfcxform->Edit1);
    H::TypeText(pjzfcxform->Edit1, "x");
    pjzfcxform->Edit1->SetText("240307001' or '1'='1");
    H::Click(pjzfcxform->Button1);
    EXPECT_EQ(harness->DialogTexts(),
              (std::vector<std::string>{"请输入要查询的票据号!", "请输入数字!", "没有找到相符的记录!"}));
    EXPECT_TRUE(pjzfcxform->ADOQuery1->IsEmpty());

    pjzfcxform->Edit1->SetText("");
    H::Click(pjzfcxform->Edit1);
    H::TypeText(pjzfcxform->Edit1, "240307003");
    H::TypeKey(pjzfcxform->Edit1, VK_RETURN);
    EXPECT_EQ(pjzfcxform->ActiveControl(), pjzfcxform->Button1);
    H::Click(pjzfcxform->Button1);
    EXPECT_EQ(RowsOf(*pjzfcxform->ADOQuery1, {"票据号"}), std::vector<std::string>{"240307003"});
    harness->OnModal("Tzfcxmxform", [&](TCustomForm& f) {
        auto& d = dynamic_cast<Tzfcxmxform&>(f);
        EXPECT_EQ(RowsOf(*d.ADOQuery1), (std::vector<std::string>{"血常规|10片|2|30", "阿莫西林|10片|1|12.5"}));
        d.SetModalResult(mrCancel);
    });
    H::DblClick(pjzfcxform->DBGrid1);
}

}  // namespace
