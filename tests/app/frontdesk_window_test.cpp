// Whole receipts through the real front-desk windows, headless: keys typed into the
// fields, modal windows driven, message boxes answered, and the database read back.
#include "GridTexts.h"
#include "app/charging/ReceiptVoid.h"
#include "app/database/ClinicDatabase.h"
#include "app/database/DatabaseTexts.h"
#include "app/forms/CandidateForm.h"
#include "app/forms/ChargeForm.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/DatabaseWait.h"
#include "app/forms/DataModule.h"
#include "app/forms/DiscountForm.h"
#include "app/forms/HintForm.h"
#include "app/forms/ItemCandidateForm.h"
#include "app/forms/MainForm.h"
#include "app/forms/PatientForm.h"
#include "app/forms/PrintForm.h"
#include "OtherProgram.h"
#include "app/forms/StartChargeForm.h"
#include "app/forms/StockInForm.h"
#include "app/forms/Startup.h"
#include "app/forms/VoidForm.h"
#include "app/widgets/FlatButton.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using H = TUiTestHarness;

std::string Joined(const std::vector<std::string>& v) {
    std::string s;
    for (const std::string& x : v) s += x + "\n";
    return s;
}

class ChargingWindow : public ::testing::Test {
protected:
    void SetUp() override {
        FOldDir = fs::current_path();
        std::string pattern = (fs::temp_directory_path() / "frontdesk-window-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        FDir = pattern;
        fs::current_path(FDir);
        harness = std::make_unique<TUiTestHarness>();
        harness->SetClock([] { return EncodeDate(2024, 3, 7) + 0.4; });   // 09:36
        ASSERT_TRUE(CreateClinicWindows()) << Joined(harness->DialogTexts());
        for (int tag : {11, 14, 21, 22, 35, 62, 63}) wqtdglzjmform->EnableActionByTag(tag);
        sfform->Edit12->SetText("tulvo");
        sfform->RetryPolicy.Pause = [](unsigned) {};
        pjzfform->RetryPolicy.Pause = [](unsigned) {};
        Tsfform::SetReceiptPrintPrompt([this](const std::string& number) {
            Printed.push_back(number + " " + sfform->Edit11->Text());
        });
        Exec("insert into tb_brzl (id,姓名,拼音码,年龄,电话,地址,性别) values (1,'张三','ZS','30','','东街','男')");
        Exec("update tb_brbh set brbh=1");
        Exec("insert into tb_doctor (姓名,拼音码,性别,科室) values ('李四','LS','男','内科')");
        Exam = AddItem("检查项目", "检查费", "血常规", "XCG", 0, 15, 0, 0);
        DrugA = AddItem("药品项目", "西药费", "阿莫西林", "AMXL", 8, 12.5, 10, 2);
        DrugB = AddItem("药品项目", "中成药费", "板蓝根", "BLG", 3, 5, 40, 5);
    }

    void TearDown() override {
        Tsfform::SetReceiptPrintPrompt(nullptr);
        EXPECT_TRUE(harness->Errors().empty()) << Joined(harness->Errors());
        EXPECT_EQ(harness->PendingDrivers(), 0);
        EXPECT_EQ(harness->PendingAnswers(), 0);
        DeleteWindows();
        harness.reset();
        SetClock(nullptr);
        fs::current_path(FOldDir);
        std::error_code ec;
        fs::remove_all(FDir, ec);
    }

    static void DeleteWindows() { DestroyClinicForms(); }

    static TADOConnection& Db() { return *datamoduleform->ADOConnection1; }

    static void Exec(const std::string& sql) {
        TADOQuery q(nullptr);
        q.SetConnection(&Db());
        q.SQL()->SetText(sql);
        q.ExecSQL();
    }
    static std::vector<std::string> Rows(const std::string& sql) {
        TADOQuery q(nullptr);
        q.SetConnection(&Db());
        q.SQL()->SetText(sql);
        q.Open();
        std::vector<std::string> rows;
        for (; !q.Eof(); q.Next()) {
            std::string row;
            for (int i = 0; i < q.FieldCount(); ++i) row += (i ? "|" : "") + q.Fields()[i]->AsString();
            rows.push_back(row);
        }
        return rows;
    }
    static std::string Text(const std::string& sql) {
        auto rows = Rows(sql);
        return rows.empty() ? std::string() : rows.front();
    }
    static int AddItem(const char* kind, const char* type, const char* name, const char* code, double cost,
                       double price, double stock, double limit) {
        const bool drug = std::string(kind) == "药品项目";
        Exec(std::string("insert into tb_yp (项目种类,项目类型,项目名称,拼音码,规格,单位,进价,单价,库存数量,进价金额,"
                         "销价金额,库存下限,药品产地) values ('") +
             kind + "','" + type + "','" + name + "','" + code + "','10片','盒'," +
             (drug ? std::to_string(cost) : "null") + "," + std::to_string(price) + "," +
             (drug ? std::to_string(stock) : "null") + "," + (drug ? std::to_string(cost * stock) : "null") + "," +
             (drug ? std::to_string(price * stock) : "null") + "," + (drug ? std::to_string(limit) : "null") +
             ",'本地')");
        return std::stoi(Text("select max(ID) from tb_yp"));
    }

    // Types text and Enter into a field, as the cashier does.
    static void Enter(TWinControl* field, const std::string& text) {
        if (!text.empty()) H::TypeText(field, text);
        H::TypeKey(field, VK_RETURN);
    }
    void OpenWindow() {
        sfform->Show();
        H::ProcessMessages();
    }
    void PatientAndDoctor() {
        Enter(sfform->Edit1, "ZS");
        Enter(sfform->Edit3, "LS");
    }
    void Line(const std::string& code, const std::string& quantity) {
        Enter(sfform->Edit5, code);
        Enter(sfform->Edit8, quantity);
    }
    // Enter on the empty item code, then "确定" in the start-charging prompt.
    void StartCharging() {
        harness->OnModal("Tsftsform", [](TCustomForm& f) { H::Click(dynamic_cast<Tsftsform&>(f).Button1); });
        H::TypeKey(sfform->Edit5, VK_RETURN);
    }
    std::string Stock(int id) {
        return Text("select 库存数量,进价金额,销价金额 from tb_yp where ID=" + std::to_string(id));
    }

    std::unique_ptr<TUiTestHarness> harness;
    std::vector<std::string> Printed;
    int Exam = 0, DrugA = 0, DrugB = 0;

private:
    fs::path FOldDir;
    fs::path FDir;
};

TEST_F(ChargingWindow, OneLineExaminationReceipt) {
    OpenWindow();
    EXPECT_TRUE(sfform->CheckBox1->Checked());
    EXPECT_EQ(sfform->Label3->Caption(), "240307001");
    EXPECT_EQ(sfform->Label5->Caption(), "2024-3-7");
    Enter(sfform->Edit1, "zs");                          // lower case is accepted as typed
    EXPECT_EQ(sfform->Edit1->Text(), "张三");
    EXPECT_EQ(sfform->ComboBox1->Text(), "男");
    EXPECT_EQ(sfform->Edit2->Text(), "30");
    EXPECT_EQ(sfform->Label21->Caption(), "1");
    EXPECT_EQ(sfform->ActiveControl(), sfform->Edit3);
    Enter(sfform->Edit3, "LS");
    EXPECT_EQ(sfform->Edit4->Text(), "内科");
    EXPECT_EQ(sfform->ActiveControl(), sfform->Edit5);
    Enter(sfform->Edit5, "XCG");
    EXPECT_EQ(sfform->Edit5->Text(), "血常规");
    EXPECT_EQ(sfform->Edit6->Text(), "15.000");
    EXPECT_EQ(sfform->Edit7->Text(), "10片");
    Enter(sfform->Edit8, "1");
    EXPECT_EQ(sfform->Edit9->Text(), "15.00");
    EXPECT_EQ(sfform->Edit5->Text(), "");
    EXPECT_EQ(sfform->ActiveControl(), sfform->Edit5);
    StartCharging();
    EXPECT_EQ(sfform->Edit10->Text(), "15.00");
    H::TypeKey(sfform->Edit10, VK_RETURN);

    EXPECT_EQ(Printed, std::vector<std::string>{"240307001 0"});
    EXPECT_EQ(Rows("select 流水号,票据号,病人id,病人姓名,医生姓名,医生科室,项目名称,数量,销价,单项累计,应收金额,"
                   "实收金额,应找金额,减免金额,收费类型,收费日期,收费时间,收费员,统计标致 from tb_sf"),
              std::vector<std::string>{
                  "1|240307001|1|张三|李四|内科|血常规|1|15|15|15|15|0|0|普通收费|2024-3-7|09:36:00|tulvo|1"});
    EXPECT_EQ(Text("select count(*) from tb_temp"), "0");
    // The window is ready for the next receipt.
    EXPECT_EQ(sfform->Label3->Caption(), "240307002");
    EXPECT_EQ(sfform->Edit1->Text(), "");
    EXPECT_EQ(sfform->Edit9->Text(), "");
    EXPECT_EQ(sfform->ActiveControl(), sfform->Edit1);
    EXPECT_FALSE(sfform->ADOTable2->ControlsDisabled());
    EXPECT_TRUE(sfform->ADOTable2->IsEmpty());
}

TEST_F(ChargingWindow, ThreeLinesWithTwoDrugsAndTheChange) {
    OpenWindow();
    PatientAndDoctor();
    Line("AMXL", "2");       // 25
    Line("XCG", "1");        // 15
    Line("BLG", "11.5");     // 57.5
    EXPECT_EQ(sfform->Edit9->Text(), "97.50");
    EXPECT_EQ(sfform->ADOTable2->RecordCount(), 3);
    StartCharging();
    H::TypeText(sfform->Edit10, "100");
    H::TypeKey(sfform->Edit10, VK_RETURN);
    EXPECT_EQ(Printed, std::vector<std::string>{"240307001 2.5"});
    EXPECT_EQ(Rows("select 流水号,票据号,项目名称,数量,单项累计,应收金额,实收金额,应找金额,统计标致 from tb_sf order by id"),
              (std::vector<std::string>{"1|240307001|阿莫西林|2|25|97.5|100|2.5|1",
                                        "1|240307001|血常规|1|15|0|0|0|0",
                                        "1|240307001|板蓝根|11.5|57.5|0|0|0|0"}));
    EXPECT_EQ(Stock(DrugA), "8|64|100");
    EXPECT_EQ(Stock(DrugB), "28.5|85.5|142.5");
    EXPECT_EQ(Stock(Exam), "||");
}

TEST_F(ChargingWindow, SeveralPatientsOfferTheCandidateWindowUnderTheField) {
    Exec("insert into tb_brzl (id,姓名,拼音码,年龄,电话,地址,性别) values (2,'张森','ZS','8','','西街','女')");
    OpenWindow();
    harness->OnModal("Tbrzlhxform", [](TCustomForm& f) {
        auto& c = dynamic_cast<Tbrzlhxform&>(f);
        EXPECT_TRUE(c.DBGrid1->Visible());
        EXPECT_FALSE(c.DBGrid2->Visible());
        EXPECT_FALSE(c.DBGrid3->Visible());
        EXPECT_EQ(c.BorderStyle(), bsNone);
        const TPoint under = sfform->Edit1->ClientToScreen(TPoint{-2, sfform->Edit1->Height()});
        EXPECT_EQ(c.Left(), under.X);
        EXPECT_EQ(c.Top(), under.Y);
        EXPECT_EQ(c.DBGrid1->RowCount(), 2);
        H::TypeKey(c.DBGrid1, VK_DOWN);
        H::TypeKey(c.DBGrid1, VK_RETURN);
    });
    Enter(sfform->Edit1, "ZS");
    EXPECT_EQ(sfform->Edit1->Text(), "张森");
    EXPECT_EQ(sfform->ComboBox1->Text(), "女");
    EXPECT_EQ(sfform->Label21->Caption(), "2");

    // Esc leaves the fields as they were.
    Exec("insert into tb_doctor (姓名,拼音码,性别,科室) values ('李森','LS','女','外科')");
    harness->OnModal("Tbrzlhxform", [](TCustomForm& f) {
        auto& c = dynamic_cast<Tbrzlhxform&>(f);
        EXPECT_TRUE(c.DBGrid2->Visible());
        H::TypeKey(c.DBGrid2, VK_ESCAPE);
    });
    Enter(sfform->Edit3, "LS");
    EXPECT_EQ(sfform->Edit3->Text(), "LS");
    EXPECT_EQ(sfform->Edit4->Text(), "");
}

TEST_F(ChargingWindow, AnUnknownItemCodeSearchesByContainment) {
    OpenWindow();
    PatientAndDoctor();
    harness->OnModal("Txmzlhxform", [](TCustomForm& f) {
        auto& c = dynamic_cast<Txmzlhxform&>(f);
        EXPECT_EQ(c.Edit1->Text(), "");
        H::TypeText(c.Edit1, "LG");                      // 板蓝根 BLG contains it
        EXPECT_EQ(c.DBGrid1->RowCount(), 1);
        H::TypeKey(c.Edit1, VK_RETURN);
        H::TypeKey(c.DBGrid1, VK_RETURN);
    });
    Enter(sfform->Edit5, "LG");
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"无此收费项目!"});
    EXPECT_EQ(sfform->Edit5->Text(), "板蓝根");
    EXPECT_EQ(sfform->Edit6->Text(), "5.000");
    EXPECT_FALSE(xmzlhxform->NotFound);
}

// The cashier picks from the candidate list and types the quantity at once: the keys that
// arrive before the window system has handed the keyboard back to the charging window
// (they go to the list, which is already gone) are the quantity's. The list shows its
// items whole.
TEST_F(ChargingWindow, AQuantityTypedRightAfterThePickIsKept) {
    const int longDrug = AddItem("药品项目", "西药费", "阿莫西林克拉维酸钾分散片", "AMXLKLWSJFSP", 12, 18.5, 50, 5);
    OpenWindow();
    PatientAndDoctor();
    harness->OnModal("Txmzlhxform", [](TCustomForm& f) {
        auto& c = dynamic_cast<Txmzlhxform&>(f);
        ASSERT_EQ(c.DBGrid1->RowCount(), 2);
        const std::vector<std::string> cut = CutGridTexts(c.DBGrid1);
        EXPECT_TRUE(cut.empty()) << Joined(cut);
        H::TypeKey(c.Edit1, VK_DOWN);                    // marks the second item
        H::TypeKey(c.DBGrid1, VK_RETURN);
        // Typed while the list closes: the window system still delivers to the list.
        H::PostKey(c.DBGrid1, '3');
        H::PostKey(c.DBGrid1, VK_RETURN);
    });
    Enter(sfform->Edit5, "AMXL");
    H::ProcessMessages();
    EXPECT_TRUE(harness->DialogTexts().empty()) << Joined(harness->DialogTexts());
    EXPECT_EQ(Rows("select id,项目名称,数量 from tb_temp"),
              std::vector<std::string>{std::to_string(longDrug) + "|阿莫西林克拉维酸钾分散片|3"});
    EXPECT_EQ(H::FocusedControl(), sfform->Edit5);
}

// Keys typed before the list has the keyboard reach it too: the whole line in one go.
TEST_F(ChargingWindow, AWholeLineTypedAheadThroughTheCandidateList) {
    const int longDrug = AddItem("药品项目", "西药费", "阿莫西林克拉维酸钾分散片", "AMXLKLWSJFSP", 12, 18.5, 50, 5);
    OpenWindow();
    PatientAndDoctor();
    H::TypeText(sfform->Edit5, "AMXL");
    // Down to the second item, Enter on it, then the quantity and Enter: typed before the
    // list was shown, so the window system delivers them to the charging window.
    for (uint16_t key : {uint16_t(VK_DOWN), uint16_t(VK_RETURN), uint16_t('2'), uint16_t(VK_RETURN)})
        H::PostKey(sfform->Edit5, key);
    H::TypeKey(sfform->Edit5, VK_RETURN);
    H::ProcessMessages();
    EXPECT_TRUE(harness->DialogTexts().empty()) << Joined(harness->DialogTexts());
    EXPECT_EQ(Rows("select id,数量 from tb_temp"), std::vector<std::string>{std::to_string(longDrug) + "|2"});
}

// The list opens on its search field every time, also after a pick in the grid: Enter takes
// the keyboard to the list, the next Enter takes the row, and the quantity typed ahead is
// the line's. The second showing used to open in the grid, where the first Enter took the
// row and the second said "数量不能空白!".
TEST_F(ChargingWindow, EveryShowingOfTheCandidateListTakesEnterThenEnter) {
    const int first = AddItem("检查项目", "治疗费", "青霉素皮试", "QMS", 0, 3, 0, 0);
    AddItem("检查项目", "治疗费", "青霉素注射", "QMSZS", 0, 5, 0, 0);
    OpenWindow();
    PatientAndDoctor();
    for (const char* quantity : {"2", "3", "4"}) {
        SCOPED_TRACE(quantity);
        Exec("delete from tb_temp");
        H::TypeText(sfform->Edit5, "qms");
        for (uint16_t key : {uint16_t(VK_RETURN), uint16_t(VK_RETURN), uint16_t(quantity[0]), uint16_t(VK_RETURN)})
            H::PostKey(sfform->Edit5, key);
        H::TypeKey(sfform->Edit5, VK_RETURN);
        H::ProcessMessages();
        EXPECT_TRUE(harness->DialogTexts().empty()) << Joined(harness->DialogTexts());
        EXPECT_EQ(Rows("select id,数量 from tb_temp"), std::vector<std::string>{std::to_string(first) + "|" + quantity});
        EXPECT_EQ(H::FocusedControl(), sfform->Edit5);
        harness->ClearDialogs();
    }
}

// The cashier types a code and walks the candidates with Down and Up from the code field:
// the mark moves at once (the first item is marked from the start) and Enter takes the
// item marked. Keys: d/u Down/Up in the code field, D/U in the grid, c a click back into
// the code field; the sequence ends with Enter (twice from the code field).
struct CandidateWalk {
    const char* Keys;
    const char* Taken;
    friend void PrintTo(const CandidateWalk& w, std::ostream* os) { *os << '"' << w.Keys << "\" takes " << w.Taken; }
};

std::string CandidateWalkName(const ::testing::TestParamInfo<CandidateWalk>& info) {
    std::string name;
    for (const char* k = info.param.Keys; *k; ++k) {
        switch (*k) {
        case 'd': name += "Down"; break;
        case 'u': name += "Up"; break;
        case 'D': name += "GridDown"; break;
        case 'U': name += "GridUp"; break;
        case 'c': name += "Click"; break;
        }
    }
    return name.empty() ? "EnterOnly" : name;
}

class CandidateKeys : public ChargingWindow, public ::testing::WithParamInterface<CandidateWalk> {};

TEST_P(CandidateKeys, DownAndUpMoveTheMarkAndEnterTakesIt) {
    AddItem("药品项目", "西药费", "阿莫西林胶囊", "AMXLJN", 9, 14, 20, 2);
    AddItem("药品项目", "西药费", "阿莫西林颗粒", "AMXLKL", 3, 5, 20, 2);
    OpenWindow();
    PatientAndDoctor();
    const std::string keys = GetParam().Keys;
    harness->OnModal("Txmzlhxform", [&keys](TCustomForm& f) {
        auto& c = dynamic_cast<Txmzlhxform&>(f);
        ASSERT_EQ(c.DBGrid1->RowCount(), 3);
        for (char k : keys) {
            switch (k) {
            case 'd': H::TypeKey(c.Edit1, VK_DOWN); break;
            case 'u': H::TypeKey(c.Edit1, VK_UP); break;
            case 'D': H::TypeKey(c.DBGrid1, VK_DOWN); break;
            case 'U': H::TypeKey(c.DBGrid1, VK_UP); break;
            case 'c': H::Click(c.Edit1); break;
            }
        }
        if (H::FocusedControl() == c.Edit1) H::TypeKey(c.Edit1, VK_RETURN);
        H::TypeKey(c.DBGrid1, VK_RETURN);
    });
    Enter(sfform->Edit5, "AMXL");
    EXPECT_TRUE(harness->DialogTexts().empty()) << Joined(harness->DialogTexts());
    EXPECT_EQ(sfform->Edit5->Text(), GetParam().Taken);
    EXPECT_EQ(H::FocusedControl(), sfform->Edit8);
}

INSTANTIATE_TEST_SUITE_P(CodeField, CandidateKeys,
                         ::testing::Values(CandidateWalk{"", "阿莫西林"}, CandidateWalk{"d", "阿莫西林胶囊"},
                                           CandidateWalk{"dD", "阿莫西林颗粒"},
                                           CandidateWalk{"dDD", "阿莫西林颗粒"},   // the last item stays marked
                                           CandidateWalk{"u", "阿莫西林"},         // as does the first
                                           CandidateWalk{"dU", "阿莫西林"},
                                           CandidateWalk{"dcd", "阿莫西林颗粒"},
                                           CandidateWalk{"dDcu", "阿莫西林胶囊"}),
                         CandidateWalkName);

TEST_F(ChargingWindow, AnEmptyPatientCodeRegistersANewPatientAndHandsItBack) {
    OpenWindow();
    harness->OnModal("Tbrzlform", [](TCustomForm& f) {
        auto& p = dynamic_cast<Tbrzlform&>(f);
        Enter(p.Edit1, "王五");
        EXPECT_EQ(p.Edit2->Text(), "WW");
        EXPECT_EQ(p.ActiveControl(), p.Edit2);
        H::TypeKey(p.Edit2, VK_RETURN);
        Enter(p.Edit3, "41");
        H::TypeKey(p.ComboBox1, VK_RETURN);
        EXPECT_EQ(p.ActiveControl(), p.Button1);           // telephone and address skipped
        H::Click(p.Button1);
    });
    H::TypeKey(sfform->Edit1, VK_RETURN);
    EXPECT_TRUE(harness->DialogTexts().empty()) << Joined(harness->DialogTexts());
    EXPECT_EQ(sfform->Edit1->Text(), "王五");
    EXPECT_EQ(sfform->ComboBox1->Text(), "男");
    EXPECT_EQ(sfform->Edit2->Text(), "41");
    EXPECT_EQ(sfform->Label21->Caption(), "2");
    EXPECT_EQ(sfform->ActiveControl(), sfform->Edit3);
    EXPECT_EQ(Text("select id,姓名,拼音码,年龄,性别 from tb_brzl where id=2"), "2|王五|WW|41|男");
    EXPECT_EQ(Text("select brbh from tb_brbh"), "2");
}

TEST_F(ChargingWindow, LowStockWarningAtExactlyTheLimit) {
    struct {
        const char* Quantity;
        bool Warns;
        int Answer;
        int Lines;
    } cases[] = {
        {"7", false, 0, 1},          // 10 - 7 = 3 > 2
        {"8", true, IDCANCEL, 0},    // 10 - 8 = 2, the limit: asked, Cancel adds nothing
        {"8", true, IDOK, 1},
        {"12", true, IDOK, 1},       // more than the stock is not refused
    };
    OpenWindow();
    PatientAndDoctor();
    for (const auto& c : cases) {
        Exec("delete from tb_temp");
        sfform->ADOTable2->Requery();
        sfform->Edit5->SetText("");          // a refused line keeps its item; start afresh
        sfform->Edit8->SetText("");
        harness->ClearDialogs();
        if (c.Warns) harness->AnswerMessage(c.Answer);
        H::Click(sfform->Edit5);             // the refused line left the focus in the quantity
        Line("AMXL", c.Quantity);
        const std::vector<std::string> expected =
            c.Warns ? std::vector<std::string>{"该药品库存数量已到达下限,现有数量：10.00"} : std::vector<std::string>{};
        EXPECT_EQ(harness->DialogTexts(), expected) << c.Quantity;
        EXPECT_EQ(sfform->ADOTable2->RecordCount(), c.Lines) << c.Quantity;
    }
}

TEST_F(ChargingWindow, KeyFiltersHoldForTypedPastedAndInputMethodText) {
    OpenWindow();
    H::TypeText(sfform->Edit1, "Z1");
    EXPECT_EQ(sfform->Edit1->Text(), "Z");
    // Ctrl+V is a key like any other here (character 22) and is refused; the paste of
    // the edit's menu passes every character through the filter.
    H::Paste(sfform->Edit1, "S'; drop");
    EXPECT_EQ(sfform->Edit1->Text(), "Z");
    sfform->Edit1->PasteFromClipboard();
    EXPECT_EQ(sfform->Edit1->Text(), "ZSdrop");
    H::CommitText(sfform->Edit1, "张x");
    EXPECT_EQ(sfform->Edit1->Text(), "ZSdropx");
    const int refused = 1 + 1 + 3 + 1;   // "1"; Ctrl+V; "'", ";", " "; "张"
    EXPECT_EQ(harness->Beeps(), refused);
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>(refused, "请输入拼音字母后按Enter键!"));
    EXPECT_EQ(harness->DialogCaptions().front(), "提示");

    // Quantities: "-" and "." pass the filter, but only a number adds a line.
    harness->ClearDialogs();
    sfform->Edit1->SetText("");
    PatientAndDoctor();
    Enter(sfform->Edit5, "XCG");
    H::TypeText(sfform->Edit8, "1a.2.3");
    EXPECT_EQ(sfform->Edit8->Text(), "1.2.3");
    H::TypeKey(sfform->Edit8, VK_RETURN);
    EXPECT_EQ(harness->DialogTexts(), (std::vector<std::string>{"请输入数字!", "请输入数字!"}));
    EXPECT_TRUE(sfform->ADOTable2->IsEmpty());

    // The received amount takes no "-", and a lone "." is refused before anything is written.
    harness->ClearDialogs();
    sfform->Edit8->SetText("2");
    H::TypeKey(sfform->Edit8, VK_RETURN);
    StartCharging();
    H::TypeText(sfform->Edit10, "-.");
    EXPECT_EQ(sfform->Edit10->Text(), ".");
    H::TypeKey(sfform->Edit10, VK_RETURN);
    EXPECT_EQ(harness->DialogTexts(), (std::vector<std::string>{"请输入数字!", "请输入数字!"}));
    EXPECT_EQ(Text("select count(*) from tb_sf"), "0");
    EXPECT_EQ(sfform->ADOTable2->RecordCount(), 1);
}

// A click into the received amount proposes the amount due selected, as Enter on the empty
// item code does: what the cashier types replaces it. A money field takes two decimals.
TEST_F(ChargingWindow, TheProposedAmountIsReplacedAndAThirdDecimalIsRefused) {
    AddItem("检查项目", "治疗费", "换药", "HY", 0, 24.6, 0, 0);
    struct Case {
        const char* name;
        bool click;            // the click road, else Enter on the empty item code
        const char* typed;
        const char* shown;     // the received field after typing
        int refused;           // keys refused with the beep and "请输入数字!"
        const char* stored;    // 应收金额|实收金额|应找金额
        const char* change;    // shown and printed
    };
    const std::vector<Case> cases = {
        {"click, whole amount typed", true, "50", "50", 0, "49.2|50|0.8", "0.8"},
        {"Enter, whole amount typed", false, "50", "50", 0, "49.2|50|0.8", "0.8"},
        {"click, a third decimal", true, "49.205", "49.20", 1, "49.2|49.2|0", "0"},
        {"Enter, third and fourth decimals", false, "50.0099", "50.00", 2, "49.2|50|0.8", "0.8"},
    };
    OpenWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Exec("delete from tb_sf");
        Printed.clear();
        harness->ClearDialogs();
        H::Click(sfform->Edit1);
        PatientAndDoctor();
        Line("HY", "2");
        ASSERT_EQ(sfform->Edit9->Text(), "49.20");
        harness->OnModal("Tsftsform", [](TCustomForm& f) { H::Click(dynamic_cast<Tsftsform&>(f).Button1); });
        if (c.click) H::Click(sfform->Edit10);
        else H::TypeKey(sfform->Edit5, VK_RETURN);
        ASSERT_EQ(sfform->Edit10->Text(), "49.20");
        const int beeps = harness->Beeps();
        H::TypeText(sfform->Edit10, c.typed);
        EXPECT_EQ(sfform->Edit10->Text(), c.shown);
        EXPECT_EQ(harness->Beeps() - beeps, c.refused);
        EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>(size_t(c.refused), "请输入数字!"));
        H::TypeKey(sfform->Edit10, VK_RETURN);
        EXPECT_EQ(Text("select 应收金额,实收金额,应找金额 from tb_sf where 统计标致='1'"), c.stored);
        ASSERT_EQ(Printed.size(), 1u);
        EXPECT_EQ(Printed[0].substr(Printed[0].find(' ') + 1), c.change);   // the receipt's change
    }

    // The amount after a discount is money too, and the amount it proposes is selected.
    Exec("delete from tb_sf");
    harness->ClearDialogs();
    H::Click(sfform->Edit1);
    PatientAndDoctor();
    Line("HY", "2");
    harness->OnModal("Tsftsform", [](TCustomForm& f) { H::Click(dynamic_cast<Tsftsform&>(f).Button2); });
    harness->OnModal("Tyhsfform", [](TCustomForm& f) {
        auto& d = dynamic_cast<Tyhsfform&>(f);
        H::TypeText(d.Edit2, "40.125");
        EXPECT_EQ(d.Edit2->Text(), "40.12");
        H::TypeKey(d.Edit2, VK_RETURN);
        H::Click(d.Button1);
    });
    H::Click(sfform->Edit10);
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"请输入数字!"});
    EXPECT_EQ(sfform->Edit10->Text(), "40.12");
    H::TypeText(sfform->Edit10, "41");
    H::TypeKey(sfform->Edit10, VK_RETURN);
    EXPECT_EQ(Text("select 应收金额,实收金额,应找金额,减免金额 from tb_sf where 统计标致='1'"), "40.12|41|0.88|9.08");
}

TEST_F(ChargingWindow, IncompleteEntryIsNotSaved) {
    OpenWindow();
    struct {
        const char* Name;
        std::function<void()> Prepare;
        TWinControl* Focus;
    } cases[] = {
        {"no lines", [] {}, nullptr},
        {"no patient", [] { sfform->Edit1->SetText(""); }, sfform->Edit1},
        {"no department", [] { sfform->Edit4->SetText(""); }, sfform->Edit3},
    };
    for (auto& c : cases) {
        Exec("delete from tb_temp");
        sfform->ADOTable2->Requery();
        sfform->ResetChargeEntry();
        H::Click(sfform->Edit1);   // the cashier starts again at the patient code
        PatientAndDoctor();
        if (std::string(c.Name) != "no lines") Line("XCG", "1");
        else sfform->Edit9->SetText("15.00");
        c.Prepare();
        harness->ClearDialogs();
        // A click in the amount received asks whether to start charging: "确定".
        harness->OnModal("Tsftsform", [](TCustomForm& f) { H::Click(dynamic_cast<Tsftsform&>(f).Button1); });
        H::Click(sfform->Edit10);
        H::TypeKey(sfform->Edit10, VK_RETURN);
        EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"请检查病人、医生以及收费项目资料是否填全"}) << c.Name;
        EXPECT_EQ(sfform->ActiveControl(), c.Focus ? c.Focus : sfform->Edit5) << c.Name;
    }
    EXPECT_EQ(Text("select count(*) from tb_sf"), "0");
}

TEST_F(ChargingWindow, ADiscountIsStoredWithItsReduction) {
    OpenWindow();
    PatientAndDoctor();
    Line("AMXL", "1");     // 12.50
    harness->OnModal("Tsftsform", [](TCustomForm& f) { H::Click(dynamic_cast<Tsftsform&>(f).Button2); });
    harness->OnModal("Tyhsfform", [](TCustomForm& f) {
        auto& d = dynamic_cast<Tyhsfform&>(f);
        EXPECT_EQ(d.Edit1->Text(), "12.50");
        EXPECT_TRUE(d.RadioButton1->Checked());
        H::Click(d.Edit3);
        Enter(d.Edit3, "80");
        EXPECT_EQ(d.Edit2->Text(), "10.00");
        EXPECT_EQ(d.ActiveControl(), d.Button1);
        H::Click(d.Button1);
    });
    H::TypeKey(sfform->Edit5, VK_RETURN);
    EXPECT_EQ(sfform->Edit9->Text(), "10.00");
    EXPECT_EQ(sfform->Label24->Caption(), "2.50");
    EXPECT_EQ(sfform->Label23->Caption(), "优惠打折清单");
    EXPECT_EQ(sfform->Edit10->Text(), "10.00");
    EXPECT_EQ(yhsfform->Edit1->Text(), "");            // cleared on close
    H::TypeKey(sfform->Edit10, VK_RETURN);
    EXPECT_EQ(Text("select 应收金额,实收金额,应找金额,减免金额,收费类型 from tb_sf"), "10|10|0|2.5|优惠打折");
}

TEST_F(ChargingWindow, InternalAccountingBooksTheReceiptAtNothing) {
    OpenWindow();
    PatientAndDoctor();
    Line("AMXL", "4");     // 50.00
    harness->OnModal("Tsftsform", [](TCustomForm& f) { H::Click(dynamic_cast<Tsftsform&>(f).Button2); });
    harness->OnModal("Tyhsfform", [](TCustomForm& f) {
        auto& d = dynamic_cast<Tyhsfform&>(f);
        H::Click(d.RadioButton2);
        EXPECT_TRUE(d.RadioButton2->Checked());
        EXPECT_EQ(d.Edit2->Text(), "0");
        EXPECT_EQ(d.Edit3->Text(), "0");
        H::Click(d.Button1);
    });
    H::Click(sfform->Edit10);
    EXPECT_EQ(sfform->Edit10->Text(), "0");
    EXPECT_EQ(sfform->Label23->Caption(), "内部记账清单");
    H::TypeKey(sfform->Edit10, VK_RETURN);
    EXPECT_EQ(Text("select 应收金额,实收金额,应找金额,减免金额,收费类型 from tb_sf"), "0|0|0|50|内部记账");
}

TEST_F(ChargingWindow, DeletingALineAfterADiscountTakesTheDiscountBack) {
    OpenWindow();
    PatientAndDoctor();
    Line("AMXL", "1");
    Line("XCG", "1");
    harness->OnModal("Tsftsform", [](TCustomForm& f) { H::Click(dynamic_cast<Tsftsform&>(f).Button2); });
    harness->OnModal("Tyhsfform", [](TCustomForm& f) {
        auto& d = dynamic_cast<Tyhsfform&>(f);
        Enter(d.Edit2, "20");
        EXPECT_EQ(d.Edit3->Text(), "72.73");
        H::Click(d.Button1);
    });
    H::TypeKey(sfform->Edit5, VK_RETURN);
    ASSERT_EQ(sfform->Label23->Caption(), "优惠打折清单");
    ASSERT_EQ(sfform->Label24->Caption(), "7.50");

    sfform->ADOTable2->First();
    harness->AnswerMessage(mrYes);
    H::DblClick(sfform->DBGrid1);
    EXPECT_EQ(harness->DialogTexts().back(), "确定删除收费项目阿莫西林吗？");
    EXPECT_EQ(sfform->ADOTable2->RecordCount(), 1);
    EXPECT_EQ(sfform->Label23->Caption(), "普通收费清单");
    EXPECT_EQ(sfform->Label24->Caption(), "0.00");
    EXPECT_EQ(sfform->Edit9->Text(), "15.00");
}

TEST_F(ChargingWindow, TheDiscountOfNothingDividesByNothing) {
    OpenWindow();
    harness->OnModal("Tsftsform", [](TCustomForm& f) { H::Click(dynamic_cast<Tsftsform&>(f).Button2); });
    harness->OnModal("Tyhsfform", [](TCustomForm& f) {
        auto& d = dynamic_cast<Tyhsfform&>(f);
        EXPECT_EQ(d.Edit1->Text(), "0.00");
        Enter(d.Edit2, "5");
        EXPECT_EQ(d.Edit3->Text(), "0.00");
        H::Click(d.Button2);
    });
    H::Click(sfform->Edit5);
    H::TypeKey(sfform->Edit5, VK_RETURN);
    EXPECT_EQ(sfform->Label23->Caption(), "普通收费清单");
}

TEST_F(ChargingWindow, TheThousandthReceiptOfTheDay) {
    Exec("insert into tb_sf (流水号,票据号,收费日期,统计标致) values (999,'240307999','2024-03-07','1')");
    OpenWindow();
    EXPECT_EQ(sfform->Label3->Caption(), "2403071000");
    PatientAndDoctor();
    Line("XCG", "1");
    StartCharging();
    H::TypeKey(sfform->Edit10, VK_RETURN);
    EXPECT_EQ(Text("select 流水号,票据号 from tb_sf where 项目名称='血常规'"), "1000|2403071000");
    EXPECT_EQ(sfform->Label3->Caption(), "2403071001");
}

TEST_F(ChargingWindow, AVoidedReceiptMovesWithItsStockAndTheNumbersGoOn) {
    OpenWindow();
    PatientAndDoctor();
    Line("AMXL", "2");
    Line("XCG", "1");
    StartCharging();
    H::TypeKey(sfform->Edit10, VK_RETURN);
    ASSERT_EQ(Stock(DrugA), "8|64|100");
    const auto stored = Rows("select 流水号,票据号,项目名称,数量,应收金额,统计标致 from tb_sf order by id");

    pjzfform->Show();
    H::TypeText(pjzfform->Edit1, "24030700a1");
    EXPECT_EQ(pjzfform->Edit1->Text(), "240307001");
    harness->ClearDialogs();
    H::TypeKey(pjzfform->Edit1, VK_RETURN);
    EXPECT_EQ(pjzfform->ActiveControl(), pjzfform->Button1);
    harness->AnswerMessage(mrYes);
    H::Click(pjzfform->Button1);
    EXPECT_EQ(harness->DialogTexts(),
              (std::vector<std::string>{"您确定要作废票据号为(240307001)﹐姓名为(张三)的收据吗？", "票据作废成功!"}));
    EXPECT_EQ(Rows("select 流水号,票据号,项目名称,数量,应收金额,统计标致 from tb_zfsf order by id"), stored);
    EXPECT_EQ(Text("select count(*) from tb_sf"), "0");
    EXPECT_EQ(Stock(DrugA), "10|80|125");

    harness->ClearDialogs();
    H::Click(pjzfform->Button1);
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"无此票据号!"});
    pjzfform->Close();

    // The charging window drew 002 after the save; a new showing draws it again.
    sfform->Close();
    OpenWindow();
    EXPECT_EQ(sfform->Label3->Caption(), "240307002");
}

TEST_F(ChargingWindow, ASaveWaitsOutAnotherWorkstationsWriteLock) {
    OpenWindow();
    PatientAndDoctor();
    Line("AMXL", "2");
    auto other = std::make_unique<TADOConnection>(nullptr);
    other->SetConnectionString(ClinicConnectionString(ClinicDatabaseFileName));
    other->Open();
    other->BeginTrans();
    Db().Database().SetBusyTimeout(5);
    int pauses = 0;
    sfform->RetryPolicy.Pause = [&](unsigned) {
        if (++pauses == 3) other->RollbackTrans();
    };
    StartCharging();
    H::TypeKey(sfform->Edit10, VK_RETURN);
    EXPECT_EQ(pauses, 3);
    EXPECT_EQ(Printed, std::vector<std::string>{"240307001 0"});
    EXPECT_EQ(Text("select count(*) from tb_sf"), "1");
    EXPECT_EQ(Stock(DrugA), "8|64|100");
}

TEST_F(ChargingWindow, TenFailedAttemptsKeepTheReceiptForAnotherTry) {
    OpenWindow();
    PatientAndDoctor();
    Line("AMXL", "2");
    Line("XCG", "1");
    auto other = std::make_unique<TADOConnection>(nullptr);
    other->SetConnectionString(ClinicConnectionString(ClinicDatabaseFileName));
    other->Open();
    other->BeginTrans();
    Db().Database().SetBusyTimeout(1);
    StartCharging();
    harness->ClearDialogs();
    H::TypeKey(sfform->Edit10, VK_RETURN);
    ASSERT_EQ(harness->DialogTexts().size(), 1u);
    EXPECT_EQ(harness->DialogTexts()[0],
              "收费保存失败，收费项目仍然保留，请稍后再按Enter键保存!\n数据库正被其他程序使用，请稍后再试。");
    EXPECT_TRUE(Printed.empty());
    EXPECT_EQ(Text("select count(*) from tb_sf"), "0");
    EXPECT_EQ(Stock(DrugA), "10|80|125");
    // The entry and the lines stay; the grid follows its lines again.
    EXPECT_EQ(sfform->Edit1->Text(), "张三");
    EXPECT_EQ(sfform->Edit10->Text(), "40.00");
    EXPECT_EQ(sfform->Label3->Caption(), "240307001");
    EXPECT_FALSE(sfform->ADOTable2->ControlsDisabled());
    EXPECT_EQ(sfform->ADOTable2->RecordCount(), 2);

    // The other workstation is done: Enter again saves.
    other->RollbackTrans();
    H::TypeKey(sfform->Edit10, VK_RETURN);
    EXPECT_EQ(Printed, std::vector<std::string>{"240307001 0"});
    EXPECT_EQ(Text("select count(*) from tb_sf"), "2");
}

TEST_F(ChargingWindow, ANumberTakenMeanwhileOrAfterMidnightIsDrawnAgain) {
    OpenWindow();
    PatientAndDoctor();
    Line("XCG", "1");
    // Another workstation saves 240307001 while this one still shows it.
    Exec("insert into tb_sf (流水号,票据号,收费日期,统计标致) values (1,'240307001','2024-03-07','1')");
    StartCharging();
    H::TypeKey(sfform->Edit10, VK_RETURN);
    EXPECT_EQ(Printed, std::vector<std::string>{"240307002 0"});
    EXPECT_EQ(Text("select 票据号 from tb_sf where 项目名称='血常规'"), "240307002");
    EXPECT_EQ(sfform->Label3->Caption(), "240307003");

    // Drawn before midnight, saved after it.
    PatientAndDoctor();
    Line("XCG", "1");
    harness->SetClock([] { return EncodeDate(2024, 3, 8) + 0.01; });
    StartCharging();
    H::TypeKey(sfform->Edit10, VK_RETURN);
    EXPECT_EQ(Printed.back(), "240308001 0");
    EXPECT_EQ(Text("select 收费日期 from tb_sf where 票据号='240308001'"), "2024-3-8");
    EXPECT_EQ(sfform->Label3->Caption(), "240308002");
    EXPECT_EQ(sfform->Label5->Caption(), "2024-3-8");
}

TEST_F(ChargingWindow, LinesLeftFromBeforeKeepTheirTotal) {
    Exec("insert into tb_temp (id,项目种类,项目类型,项目名称,规格,单位,单价,数量,单项累计)"
         " values (" + std::to_string(Exam) + ",'检查项目','检查费','血常规','10片','盒',15,2,30)");
    OpenWindow();
    EXPECT_EQ(sfform->DBGrid1->RowCount(), 1);
    EXPECT_EQ(sfform->Edit9->Text(), "30.00");
}

TEST_F(ChargingWindow, ClosingWithLinesAsksFirst) {
    OpenWindow();
    PatientAndDoctor();
    Line("XCG", "1");
    harness->AnswerMessage(IDCANCEL);
    sfform->Close();
    EXPECT_EQ(harness->DialogTexts().back(), "有收费项目未完成，是否确定退出？");
    EXPECT_TRUE(sfform->Visible());
    EXPECT_TRUE(sfform->CheckBox1->Checked());
    EXPECT_EQ(Text("select count(*) from tb_temp"), "1");
    harness->AnswerMessage(IDOK);
    sfform->Close();
    EXPECT_FALSE(sfform->Visible());
    EXPECT_FALSE(sfform->CheckBox1->Checked());
    EXPECT_EQ(Text("select count(*) from tb_temp"), "0");
}

TEST_F(ChargingWindow, ThePatientWindowAloneSaysItSaved) {
    sfform->CheckBox1->SetChecked(false);
    harness->OnModal("Tbrzlform", [](TCustomForm& f) {
        auto& p = dynamic_cast<Tbrzlform&>(f);
        H::Click(p.Button1);                              // nothing filled in
        Enter(p.Edit1, "O'Hara");
        Enter(p.Edit2, "");
        Enter(p.Edit3, "2x0");
        EXPECT_EQ(p.Edit3->Text(), "20");
        H::Click(p.Button1);
        EXPECT_EQ(p.Edit1->Text(), "");
        EXPECT_EQ(p.ComboBox1->Text(), "男");
        H::Click(p.Button5);
    });
    brzlform->ShowModal();
    EXPECT_EQ(harness->DialogTexts(),
              (std::vector<std::string>{"必填字段不能为空!", "请输入数字!", "新增病人资料成功!"}));
    EXPECT_EQ(Text("select id,姓名,拼音码,年龄 from tb_brzl where id=2"), "2|O'Hara|OHARA|20");
}

TEST_F(ChargingWindow, PatientRecordsChangeDeleteAndFindByTheNameAsTyped) {
    Exec("insert into tb_brzl (id,姓名,拼音码,年龄,电话,地址,性别) values (2,'O''Hara','OH','50','','','女')");
    harness->OnModal("Tbrzlform", [this](TCustomForm& f) {
        auto& p = dynamic_cast<Tbrzlform&>(f);
        EXPECT_EQ(p.DBGrid1->RowCount(), 2);
        // Find: the beginning of the name, bound as typed; an empty text lists everyone.
        struct {
            const char* Text;
            int Rows;
        } finds[] = {{"O'", 1}, {"张", 1}, {"' or '1'='1", 0}, {"", 2}};
        for (const auto& c : finds) {
            harness->AnswerInput(std::string(c.Text));
            H::Click(p.Button4);
            EXPECT_EQ(p.DBGrid1->RowCount(), c.Rows) << c.Text;
        }
        // Change the second patient.
        p.ADOQuery1->Last();
        p.DBGrid1CellClick(nullptr);
        EXPECT_TRUE(p.Button2->Enabled());
        EXPECT_EQ(p.Edit1->Text(), "O'Hara");
        p.Edit3->SetText("51");
        H::Click(p.Button2);
        EXPECT_FALSE(p.Button2->Enabled());
        EXPECT_EQ(p.Edit1->Text(), "");
        // Delete it, after a No and a Yes.
        p.ADOQuery1->Last();
        harness->AnswerMessage(mrNo);
        H::Click(p.Button3);
        EXPECT_EQ(p.DBGrid1->RowCount(), 2);
        p.ADOQuery1->Last();
        harness->AnswerMessage(mrYes);
        H::Click(p.Button3);
        EXPECT_EQ(p.DBGrid1->RowCount(), 1);
        H::Click(p.Button5);
    });
    brzlform->ShowModal();
    EXPECT_EQ(harness->DialogTexts(),
              (std::vector<std::string>{"查询姓名为", "查询姓名为", "查询姓名为", "查询姓名为",
                                        "修改病人资料成功!", "确定删除O'Hara吗？", "确定删除O'Hara吗？",
                                        "删除病人资料成功!"}));
    EXPECT_EQ(Rows("select id,姓名 from tb_brzl order by id"), std::vector<std::string>{"1|张三"});
}

TEST_F(ChargingWindow, HelpButtonsShowTheirLines) {
    OpenWindow();
    harness->OnModal("Thintform", [](TCustomForm& f) {
        auto& h = dynamic_cast<Thintform&>(f);
        EXPECT_EQ(h.Memo1->Lines()->Count(), 6);
        EXPECT_EQ(h.Memo1->Lines()->Strings(5), "6.整个收费过程按Enter键确认后光标会自动跳到下一步.");
        h.Close();
    });
    H::Click(sfform->FlatButton1);
    // The discount window's help, with the discount window open (Enter on the empty item
    // code, then the discount button of the prompt).
    harness->OnModal("Tsftsform", [](TCustomForm& f) { H::Click(dynamic_cast<Tsftsform&>(f).Button2); });
    harness->OnModal("Tyhsfform", [this](TCustomForm& f) {
        auto& d = dynamic_cast<Tyhsfform&>(f);
        harness->OnModal("Thintform", [](TCustomForm& f) {
            auto& h = dynamic_cast<Thintform&>(f);
            EXPECT_EQ(h.Memo1->Lines()->Count(), 5);
            EXPECT_EQ(h.Memo1->Lines()->Strings(0), "1.优惠收费时可以输入金额，也可以输入打折比例");
            h.Close();
        });
        H::Click(d.FlatButton1);
        H::Click(d.Button2);
    });
    H::Click(sfform->Edit5);
    H::TypeKey(sfform->Edit5, VK_RETURN);
    EXPECT_EQ(harness->PendingDrivers(), 0);
}

// Every help window shows all of its lines: the window keeps its width and grows as the
// lines need (the discount window's wrap to far more than 171 pixels show). Esc, typed
// into the help window as it opens, closes it.
TEST_F(ChargingWindow, HelpWindowsShowAllTheirLinesAndCloseOnEsc) {
    std::vector<std::string> seen;
    auto expectWhole = [this, &seen](const char* from) {
        harness->OnModal("Thintform", [from, &seen](TCustomForm& f) {
            auto& h = dynamic_cast<Thintform&>(f);
            seen.push_back(from);
            EXPECT_EQ(h.ClientWidth(), 250) << from;
            EXPECT_GE(h.ClientHeight(), Thintform::kClientHeight) << from;
            EXPECT_LE(h.Memo1->ContentHeight(), h.Memo1->Height()) << from << ": the last lines are cut";
            H::TypeKey(&h, VK_ESCAPE);
            EXPECT_EQ(h.ModalResult(), mrCancel) << from << ": Esc left the help window open";
        });
    };
    OpenWindow();
    expectWhole("charging");
    H::Click(sfform->FlatButton1);
    // The discount window, as the cashier reaches it: a click into the amount received,
    // "优惠打折" in the prompt, then its help button.
    harness->OnModal("Tsftsform", [](TCustomForm& f) { H::Click(dynamic_cast<Tsftsform&>(f).Button2); });
    harness->OnModal("Tyhsfform", [&](TCustomForm& f) {
        auto& d = dynamic_cast<Tyhsfform&>(f);
        expectWhole("discount");
        H::Click(d.FlatButton1);
        H::Click(d.Button2);
    });
    H::Click(sfform->Edit10);
    // The patient window, from Enter on an empty patient code.
    harness->OnModal("Tbrzlform", [&](TCustomForm& f) {
        auto& p = dynamic_cast<Tbrzlform&>(f);
        expectWhole("patients");
        H::Click(p.FlatButton1);
        p.Close();
    });
    H::Click(sfform->Edit1);
    H::TypeKey(sfform->Edit1, VK_RETURN);
    // The stock-in window's help button.
    rkform->Show();
    H::ProcessMessages();
    expectWhole("stock-in");
    H::Click(rkform->FlatButton1);
    rkform->Close();
    EXPECT_EQ(seen, (std::vector<std::string>{"charging", "discount", "patients", "stock-in"}));
}

TEST_F(ChargingWindow, AVoidThatCannotGetTheDatabaseSaysSoAndChangesNothing) {
    OpenWindow();
    PatientAndDoctor();
    Line("AMXL", "2");
    StartCharging();
    H::TypeKey(sfform->Edit10, VK_RETURN);
    auto other = std::make_unique<TADOConnection>(nullptr);
    other->SetConnectionString(ClinicConnectionString(ClinicDatabaseFileName));
    other->Open();
    other->BeginTrans();
    Db().Database().SetBusyTimeout(1);
    pjzfform->Show();
    pjzfform->Edit1->SetText("240307001");
    harness->ClearDialogs();
    harness->AnswerMessage(mrYes);
    H::Click(pjzfform->Button1);
    ASSERT_EQ(harness->DialogTexts().size(), 2u);
    EXPECT_TRUE(StartsText("票据作废失败", harness->DialogTexts()[1]));
    other->RollbackTrans();
    EXPECT_EQ(Text("select count(*) from tb_sf"), "1");
    EXPECT_EQ(Text("select count(*) from tb_zfsf"), "0");
    EXPECT_EQ(Stock(DrugA), "8|64|100");
    pjzfform->Close();
}

// A new patient refused while another program holds the write lock takes no number and
// leaves nothing behind; the same click once the lock is gone stores the patient once.
TEST_F(ChargingWindow, APatientRefusedUnderALockIsStoredOnceWhenTriedAgain) {
    sfform->CheckBox1->SetChecked(false);
    Db().SetBusyTimeout(100);
    std::unique_ptr<TOtherProgram> other;
    harness->OnModal("Tbrzlform", [&](TCustomForm& f) {
        auto& p = dynamic_cast<Tbrzlform&>(f);
        Enter(p.Edit1, "王五");
        Enter(p.Edit2, "");
        Enter(p.Edit3, "40");
        other = std::make_unique<TOtherProgram>(ClinicDatabaseFileName);
        other->Run("BEGIN IMMEDIATE; INSERT INTO tb_ks (科室名称) VALUES ('外科');");
        H::Click(p.Button1);
        EXPECT_EQ(p.Edit1->Text(), "王五") << "the entry stays for another try";
        other.reset();
        H::Click(p.Button1);
        EXPECT_EQ(p.Edit1->Text(), "");
        H::Click(p.Button5);
    });
    harness->ClearDialogs();
    brzlform->ShowModal();
    ASSERT_EQ(harness->DialogTexts().size(), 2u) << Joined(harness->DialogTexts());
    EXPECT_NE(harness->DialogTexts()[0].find("数据库正被其他程序使用，请稍后再试。"), std::string::npos)
        << harness->DialogTexts()[0];
    EXPECT_EQ(harness->DialogTexts()[1], "新增病人资料成功!");
    EXPECT_EQ(Rows("select id,姓名,年龄 from tb_brzl order by id"), (std::vector<std::string>{"1|张三|30", "2|王五|40"}));
    EXPECT_EQ(Text("select brbh from tb_brbh"), "2");
}

// A void refused while another program (the sqlite3 shell) holds the write lock moves
// nothing; tried again once the lock is gone, it moves the receipt and its stock once.
TEST_F(ChargingWindow, AVoidRefusedUnderAnotherProgramsLockMovesTheReceiptOnceWhenTriedAgain) {
    OpenWindow();
    PatientAndDoctor();
    Line("AMXL", "2");
    Line("XCG", "1");
    StartCharging();
    H::TypeKey(sfform->Edit10, VK_RETURN);
    ASSERT_EQ(Stock(DrugA), "8|64|100");
    Db().SetBusyTimeout(100);
    auto other = std::make_unique<TOtherProgram>(ClinicDatabaseFileName);
    other->Run("BEGIN IMMEDIATE; INSERT INTO tb_ks (科室名称) VALUES ('外科');");
    pjzfform->Show();
    pjzfform->Edit1->SetText("240307001");
    harness->ClearDialogs();
    harness->AnswerMessage(mrYes);
    H::Click(pjzfform->Button1);
    ASSERT_EQ(harness->DialogTexts().size(), 2u);
    EXPECT_EQ(harness->DialogTexts()[1], "票据作废失败，票据未作任何改动，请稍后再试!\n数据库正被其他程序使用，请稍后再试。");
    EXPECT_EQ(Text("select count(*) from tb_zfsf"), "0");
    other.reset();
    harness->ClearDialogs();
    harness->AnswerMessage(mrYes);
    H::Click(pjzfform->Button1);
    EXPECT_EQ(Text("select count(*) from tb_sf"), "0");
    EXPECT_EQ(Rows("select 项目名称,数量,单项累计,应收金额 from tb_zfsf order by rowid"),
              (std::vector<std::string>{"阿莫西林|2|25|40", "血常规|1|15|0"}));
    EXPECT_EQ(Stock(DrugA), "10|80|125");
    pjzfform->Close();
}

// The grid shows the receipt's lines as they are entered. With FRONTDESK_SCREENSHOT set
// the window is also saved as a picture there (run under Xvfb for the real look), and
// FRONTDESK_HOLD_MS keeps it on the screen that long for a screen grab.
TEST_F(ChargingWindow, AReceiptInProgressShowsItsLinesAndTotals) {
    OpenWindow();
    PatientAndDoctor();
    Line("AMXL", "2");
    Line("XCG", "1");
    Line("BLG", "3");
    Enter(sfform->Edit5, "AMXL");
    H::TypeText(sfform->Edit8, "1");
    TDBGrid* grid = sfform->DBGrid1;
    ASSERT_NE(grid->DataSource(), nullptr);
    ASSERT_EQ(grid->DataSource()->DataSet(), sfform->ADOTable2);
    ASSERT_TRUE(grid->DataSource()->Enabled());
    ASSERT_EQ(sfform->ADOTable2->RecordCount(), 3);
    ASSERT_EQ(grid->RowCount(), 3);
    ASSERT_EQ(grid->ColumnCount(), 8);
    EXPECT_EQ(grid->ColumnTitle(2), "项目名称");
    EXPECT_EQ(grid->CellText(0, 2), "阿莫西林");
    EXPECT_EQ(grid->CellText(1, 0), "检查项目");
    EXPECT_EQ(grid->CellText(2, 6), "3");
    EXPECT_EQ(grid->CellText(2, 7), "15");
    EXPECT_EQ(sfform->Edit9->Text(), "55.00");
    EXPECT_EQ(sfform->Edit12->Text(), "tulvo");
    if (const char* file = getenv("FRONTDESK_SCREENSHOT")) {
        EXPECT_TRUE(H::SaveScreenshot(sfform, file));
        if (const char* hold = getenv("FRONTDESK_HOLD_MS")) {
            for (unsigned long waited = 0, total = std::stoul(hold); waited < total; waited += 20) {
                H::ProcessMessages();
                Sleep(20);
            }
        }
    }
}

// --- The database held by another program, full, or not writable ------------------------------

// As the cashier types: a click into the field, the text, Enter.
void Typed(TWinControl* Field, const std::string& Text) {
    H::Click(Field);
    TWinControl* focused = H::FocusedControl();
    ASSERT_EQ(focused, Field);
    if (!Text.empty()) H::TypeText(focused, Text);
    H::TypeKey(focused, VK_RETURN);
}

// The patient ZS, the doctor LS and the item of Code, typed; the quantity comes next.
void TypedUpToTheQuantity(const std::string& Code) {
    Typed(sfform->Edit1, "ZS");
    Typed(sfform->Edit3, "LS");
    Typed(sfform->Edit5, Code);
}

// Enter again where the window left the focus.
void EnterAgain(TWinControl* Expected) {
    TWinControl* focused = H::FocusedControl();
    ASSERT_EQ(focused, Expected);
    H::TypeKey(focused, VK_RETURN);
}

// Another program writes to the database and keeps its lock: the save's ten attempts wait
// a short while each, the window repaints and shows that it waits meanwhile, the cashier is
// told why in Chinese, and the receipt saves whole once the lock is gone.
TEST_F(ChargingWindow, UnderAnotherProgramsLockTheSaveWaitsVisiblyAndSavesWholeLater) {
    OpenWindow();
    TypedUpToTheQuantity("AMXL");
    Typed(sfform->Edit8, "2");
    Typed(sfform->Edit5, "XCG");
    Typed(sfform->Edit8, "1");
    harness->OnModal("Tsftsform", [](TCustomForm& f) { H::Click(dynamic_cast<Tsftsform&>(f).Button1); });
    Typed(sfform->Edit5, "");
    ASSERT_EQ(sfform->Edit10->Text(), "40.00");

    TSqliteDatabase other;
    other.Open(ClinicDatabaseFileName, TSqliteDatabase::omReadWrite);
    other.ExecScript("BEGIN IMMEDIATE");
    // A probe on the window counts its repaints; each pause between attempts looks at what
    // the cashier sees and asks for a repaint again.
    auto* probe = new TPaintBox(sfform);
    probe->SetParent(sfform);
    probe->SetBounds(sfform->ClientWidth() - 20, sfform->ClientHeight() - 20, 20, 20);
    probe->BringToFront();
    int paints = 0;
    probe->OnPaint = [&](TObject*) { ++paints; };
    H::ProcessMessages();
    probe->Invalidate();
    struct TSeen {
        int Paints;
        bool Notice;
        TCursor Cursor;
    };
    std::vector<TSeen> seen;
    sfform->RetryPolicy.Pause = [&](unsigned) {
        TPanel* notice = ClinicDatabaseWaitNotice();
        seen.push_back({paints, notice && notice->Visible() && notice->Text() == kDatabaseWaitText,
                        Screen->Cursor()});
        probe->Invalidate();
    };
    harness->ClearDialogs();
    EnterAgain(sfform->Edit10);
    ASSERT_EQ(seen.size(), 9u);   // the pauses between ten attempts
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_GT(seen[i].Paints, i == 0 ? 0 : seen[i - 1].Paints) << "no repaint in attempt " << i + 1;
        EXPECT_TRUE(seen[i].Notice) << i;
        EXPECT_EQ(seen[i].Cursor, crHourGlass) << i;
    }
    EXPECT_EQ(harness->DialogTexts(),
              std::vector<std::string>{"收费保存失败，收费项目仍然保留，请稍后再按Enter键保存!\n"
                                       "数据库正被其他程序使用，请稍后再试。"});
    EXPECT_EQ(Text("select count(*) from tb_sf"), "0");
    EXPECT_EQ(sfform->ADOTable2->RecordCount(), 2);
    // Back in the event loop the notice goes and the cursor comes back.
    H::ElapseTime(600);
    EXPECT_EQ(ClinicDatabaseWaitNotice(), nullptr);
    EXPECT_EQ(Screen->Cursor(), crDefault);

    // The other program is done: Enter again saves the whole receipt in one transaction.
    other.ExecScript("ROLLBACK");
    other.Close();
    EnterAgain(sfform->Edit10);
    EXPECT_EQ(Printed, std::vector<std::string>{"240307001 0"});
    EXPECT_EQ(Rows("select 项目名称,数量,统计标致 from tb_sf order by rowid"),
              (std::vector<std::string>{"阿莫西林|2|1", "血常规|1|0"}));
    EXPECT_EQ(Stock(DrugA), "8|64|100");
    EXPECT_EQ(Text("select count(*) from tb_temp"), "0");
}

// A look-up while another program holds the database exclusively: the window says in
// Chinese that the database is in use, instead of SQLite's text.
TEST_F(ChargingWindow, ALookUpUnderAnExclusiveLockSaysTheDatabaseIsInUse) {
    OpenWindow();
    Db().SetBusyTimeout(250);
    TSqliteDatabase other;
    other.Open(ClinicDatabaseFileName, TSqliteDatabase::omReadWrite);
    other.ExecScript("BEGIN EXCLUSIVE");
    harness->ClearDialogs();
    Typed(sfform->Edit1, "ZS");
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"数据库正被其他程序使用，请稍后再试。"});
    EXPECT_EQ(harness->DialogCaptions(), std::vector<std::string>{"提示"});
    other.ExecScript("ROLLBACK");
    other.Close();
    harness->ClearDialogs();
    EnterAgain(sfform->Edit1);
    EXPECT_EQ(sfform->Edit1->Text(), "张三");
    EXPECT_TRUE(harness->DialogTexts().empty());
}

// Another program (the sqlite3 shell) holds the write lock with a row of its own: the save
// is refused, and so is the line typed next; each says so in Chinese. Nothing of the refused
// line stays pending: Enter again, once the lock is gone, adds it once, the next line comes
// alone, and the receipt is stored at the sum of its lines.
TEST_F(ChargingWindow, ALineRefusedUnderAnotherProgramsLockIsAddedOnceWhenEnteredAgain) {
    OpenWindow();
    Db().SetBusyTimeout(250);
    TypedUpToTheQuantity("AMXL");
    Typed(sfform->Edit8, "2");   // 25.00
    StartCharging();
    ASSERT_EQ(sfform->Edit10->Text(), "25.00");
    auto other = std::make_unique<TOtherProgram>(ClinicDatabaseFileName);
    other->Run("BEGIN IMMEDIATE; INSERT INTO tb_ks (科室名称) VALUES ('外科');");
    harness->ClearDialogs();
    EnterAgain(sfform->Edit10);
    EXPECT_EQ(harness->DialogTexts(),
              std::vector<std::string>{"收费保存失败，收费项目仍然保留，请稍后再按Enter键保存!\n"
                                       "数据库正被其他程序使用，请稍后再试。"});

    // A line while the lock still holds.
    Typed(sfform->Edit5, "XCG");
    harness->ClearDialogs();
    Typed(sfform->Edit8, "1");
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"数据库正被其他程序使用，请稍后再试。"});
    EXPECT_EQ(harness->DialogCaptions(), std::vector<std::string>{"提示"});
    EXPECT_EQ(sfform->ADOTable2->State(), dsBrowse);
    EXPECT_EQ(sfform->ADOTable2->RecordCount(), 1);
    EXPECT_EQ(sfform->Edit9->Text(), "25.00");
    EXPECT_EQ(sfform->Edit5->Text(), "血常规");   // the entry stays for another try
    EXPECT_EQ(sfform->Edit8->Text(), "1");

    // The other program is done: Enter again adds the line once.
    other.reset();
    harness->ClearDialogs();
    EnterAgain(sfform->Edit8);
    EXPECT_TRUE(harness->DialogTexts().empty()) << Joined(harness->DialogTexts());
    EXPECT_EQ(Rows("select 项目名称,数量,单项累计 from tb_temp order by rowid"),
              (std::vector<std::string>{"阿莫西林|2|25", "血常规|1|15"}));
    EXPECT_EQ(sfform->ADOTable2->RecordCount(), 2);
    EXPECT_EQ(sfform->DBGrid1->RowCount(), 2);
    EXPECT_EQ(sfform->Edit9->Text(), "40.00");
    Typed(sfform->Edit5, "BLG");
    Typed(sfform->Edit8, "1.5");   // 7.50
    EXPECT_EQ(Text("select count(*) from tb_temp"), "3");
    EXPECT_EQ(sfform->Edit9->Text(), "47.50");
    StartCharging();
    EnterAgain(sfform->Edit10);
    EXPECT_EQ(Printed, std::vector<std::string>{"240307001 0"});
    EXPECT_EQ(Rows("select 项目名称,数量,单项累计,应收金额,实收金额,统计标致 from tb_sf order by rowid"),
              (std::vector<std::string>{"阿莫西林|2|25|47.5|47.5|1", "血常规|1|15|0|0|0",
                                        "板蓝根|1.5|7.5|0|0|0"}));
    EXPECT_EQ(Text("select count(*) from tb_ks where 科室名称='外科'"), "0");
}

// A patient looked up after two receipts while another program holds the database
// exclusively: the clinic's words, then the look-up once the database is free again.
TEST_F(ChargingWindow, APatientLookUpAfterTwoReceiptsUnderAnotherProgramsExclusiveLock) {
    OpenWindow();
    Db().SetBusyTimeout(250);
    for (int i = 0; i < 2; ++i) {
        TypedUpToTheQuantity("XCG");
        Typed(sfform->Edit8, "1");
        StartCharging();
        EnterAgain(sfform->Edit10);
    }
    ASSERT_EQ(Printed, (std::vector<std::string>{"240307001 0", "240307002 0"}));
    auto other = std::make_unique<TOtherProgram>(ClinicDatabaseFileName);
    other->Run("BEGIN EXCLUSIVE;");
    harness->ClearDialogs();
    Typed(sfform->Edit1, "ZS");
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"数据库正被其他程序使用，请稍后再试。"});
    EXPECT_EQ(harness->DialogCaptions(), std::vector<std::string>{"提示"});
    other.reset();
    harness->ClearDialogs();
    EnterAgain(sfform->Edit1);
    EXPECT_TRUE(harness->DialogTexts().empty()) << Joined(harness->DialogTexts());
    EXPECT_EQ(sfform->Edit1->Text(), "张三");
    EXPECT_EQ(sfform->ActiveControl(), sfform->Edit3);
}

// The line is stored, but the database refuses the new total: the entry goes (Enter would
// add the line twice), the amount due is not left at the old total, and charging reads it.
TEST_F(ChargingWindow, ALineStoredWhoseTotalIsRefusedIsNotAddedTwice) {
    OpenWindow();
    TypedUpToTheQuantity("AMXL");
    Typed(sfform->Edit8, "2");
    Typed(sfform->Edit5, "XCG");
    bool refuse = true;
    Db().OnStatement = [&](const std::string& sql) {
        if (refuse && sql.find("as dxlj from tb_temp") != std::string::npos) {
            refuse = false;
            throw EDatabaseError("database is locked");
        }
    };
    harness->ClearDialogs();
    Typed(sfform->Edit8, "1");
    Db().OnStatement = nullptr;
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"数据库正被其他程序使用，请稍后再试。"});
    EXPECT_EQ(Text("select count(*) from tb_temp"), "2");
    EXPECT_EQ(sfform->Edit5->Text(), "");
    EXPECT_EQ(sfform->Edit8->Text(), "");
    EXPECT_EQ(sfform->Edit9->Text(), "");
    StartCharging();
    EXPECT_EQ(sfform->Edit9->Text(), "40.00");
    EXPECT_EQ(sfform->Edit10->Text(), "40.00");
}

// A full disk under a line: the clinic's text, and nothing of the line stays.
TEST_F(ChargingWindow, ALineOnAFullDiskSaysTheDiskIsFull) {
    // An item whose line needs more room than the database may still take.
    Exec("update tb_yp set 项目名称='" + std::string(200000, 'X') + "' where ID=" + std::to_string(Exam));
    Exec("pragma max_page_count = " + Text("pragma page_count"));
    OpenWindow();
    TypedUpToTheQuantity("XCG");
    harness->ClearDialogs();
    Typed(sfform->Edit8, "1");
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"磁盘已满，数据未能保存。请清理磁盘空间后再试。"});
    EXPECT_EQ(Text("select count(*) from tb_temp"), "0");
    EXPECT_EQ(sfform->ADOTable2->State(), dsBrowse);
    // Room again: Enter adds the line once, and the next line comes alone.
    Exec("pragma max_page_count = 1000000");
    harness->ClearDialogs();
    EnterAgain(sfform->Edit8);
    EXPECT_TRUE(harness->DialogTexts().empty()) << Joined(harness->DialogTexts());
    EXPECT_EQ(Text("select count(*) from tb_temp"), "1");
    EXPECT_EQ(sfform->Edit9->Text(), "15.00");
    Typed(sfform->Edit5, "AMXL");
    Typed(sfform->Edit8, "2");
    EXPECT_EQ(Text("select count(*) from tb_temp"), "2");
    EXPECT_EQ(sfform->Edit9->Text(), "40.00");
}

// The database file is one the user may only read: said at start, and a line that cannot
// be written says so in Chinese.
TEST_F(ChargingWindow, ADatabaseThatCannotBeWrittenIsSaidAtStart) {
    DeleteWindows();
    // Read only for the user (the folder too, so no journal can be made beside it).
    ASSERT_EQ(::chmod(ClinicDatabaseFileName, 0444), 0);
    ASSERT_EQ(::chmod(".", 0555), 0);
    harness->ClearDialogs();
    bool created = false;
    {
        // As root nothing is read only: the windows are made as nobody, root again after.
        struct TAsNobody {
            bool Root = ::geteuid() == 0 && ::seteuid(65534) == 0;
            ~TAsNobody() {
                if (Root && ::seteuid(0) != 0) std::abort();
            }
        } nobody;
        created = CreateClinicWindows();
    }
    ::chmod(".", 0755);
    ASSERT_TRUE(created) << Joined(harness->DialogTexts());
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{kReadOnlyDatabaseText});
    sfform->Edit12->SetText("tulvo");
    OpenWindow();
    TypedUpToTheQuantity("XCG");
    harness->ClearDialogs();
    Typed(sfform->Edit8, "1");
    ASSERT_EQ(harness->DialogTexts().size(), 1u);
    EXPECT_TRUE(StartsText("数据库文件不能写入", harness->DialogTexts()[0])) << harness->DialogTexts()[0];
}

// The grey sex field is the patient look-up's: typed, pasted and deleted text, the arrow
// keys and the wheel leave it as the look-up filled it, and that is what the receipt stores.
TEST_F(ChargingWindow, TheGreySexFieldCannotBeTypedOver) {
    OpenWindow();
    Enter(sfform->Edit1, "ZS");
    ASSERT_EQ(sfform->ComboBox1->Text(), "男");
    EXPECT_EQ(sfform->ComboBox1->Color(), cl3DLight);
    H::Click(sfform->ComboBox1);
    EXPECT_EQ(H::FocusedControl(), sfform->ComboBox1);
    H::TypeText(sfform->ComboBox1, "女");
    for (uint16_t key : {uint16_t(VK_BACK), uint16_t(VK_DELETE), uint16_t(VK_DOWN), uint16_t(VK_UP)})
        H::TypeKey(sfform->ComboBox1, key);
    H::TypeKey(sfform->ComboBox1, 'X', ssCtrl);
    H::Paste(sfform->ComboBox1, "女");
    H::Wheel(sfform->ComboBox1, -120);
    EXPECT_EQ(sfform->ComboBox1->Text(), "男");
    EXPECT_FALSE(sfform->ComboBox1->DroppedDown());
    EXPECT_TRUE(harness->DialogTexts().empty()) << Joined(harness->DialogTexts());
    // The next look-up still fills it.
    Exec("insert into tb_brzl (id,姓名,拼音码,年龄,电话,地址,性别) values (2,'李梅','LM','25','','','女')");
    sfform->Edit1->SetText("");
    H::Click(sfform->Edit1);
    Enter(sfform->Edit1, "LM");
    EXPECT_EQ(sfform->ComboBox1->Text(), "女");
    Enter(sfform->Edit3, "LS");
    Line("XCG", "1");
    StartCharging();
    H::TypeKey(sfform->Edit10, VK_RETURN);
    EXPECT_EQ(Text("select 病人姓名,病人性别 from tb_sf"), "李梅|女");
}

// A name with a character outside GBK: the look-up code has one "?" for it.
TEST_F(ChargingWindow, ANameWithACharacterOutsideGbkGetsOneMarkInItsCode) {
    OpenWindow();
    std::string code;
    harness->OnModal("Tbrzlform", [&code](TCustomForm& f) {
        auto& p = dynamic_cast<Tbrzlform&>(f);
        H::Click(p.Edit1);
        H::TypeText(p.Edit1, "张\U0001F600三");
        H::TypeKey(p.Edit1, VK_RETURN);
        code = p.Edit2->Text();
        p.SetModalResult(mrCancel);
    });
    H::TypeKey(sfform->Edit1, VK_RETURN);
    EXPECT_EQ(code, "Z?S");
}

// --- Amounts exact to the fen ---------------------------------------------------------------

// A receipt through the charging window as the cashier makes it: the lines' total, a
// discount, the amount received typed over the one proposed, and the change shown. What the
// database holds is read as SQLite's own text of the stored REALs, which shows any binary
// noise ("0.799999999999997").
struct TAmountCase {
    const char* Name;
    std::vector<std::pair<const char*, const char*>> Lines;   // unit price and quantity, typed
    int LinesLeftBefore;     // lines of 0.01 left in the entry before the window opens
    const char* Discount;    // the percentage typed in the discount window, or nullptr
    const char* Received;
    const char* Due;         // 累计应收 as shown
    const char* Change;      // 应找金额 as shown
    const char* Stored;      // 应收金额|实收金额|应找金额|减免金额|the lines' thousandths
};

class ChargingAmounts : public ChargingWindow, public ::testing::WithParamInterface<TAmountCase> {};

TEST_P(ChargingAmounts, AreExactShownAndStored) {
    const TAmountCase& c = GetParam();
    std::vector<std::string> codes;
    for (size_t i = 0; i < c.Lines.size(); ++i) {
        codes.push_back("JE" + std::string(1, static_cast<char>('A' + i)));
        Exec(std::string("insert into tb_yp (项目种类,项目类型,项目名称,拼音码,规格,单位,单价) values ('检查项目','检查费','项目") +
             codes.back() + "','" + codes.back() + "','次','次'," + c.Lines[i].first + ")");
    }
    for (int i = 0; i < c.LinesLeftBefore; ++i)
        Exec("insert into tb_temp (id,项目种类,项目类型,项目名称,规格,单位,单价,数量,单项累计)"
             " values (" + std::to_string(Exam) + ",'检查项目','检查费','血常规','次','次','0.010','1','0.010')");
    OpenWindow();
    PatientAndDoctor();
    for (size_t i = 0; i < c.Lines.size(); ++i) Line(codes[i], c.Lines[i].second);
    // Enter on the empty item code: "确定", or "优惠打折" with the percentage typed.
    if (c.Discount) {
        const std::string percent = c.Discount;
        harness->OnModal("Tsftsform", [](TCustomForm& f) { H::Click(dynamic_cast<Tsftsform&>(f).Button2); });
        harness->OnModal("Tyhsfform", [percent](TCustomForm& f) {
            auto& d = dynamic_cast<Tyhsfform&>(f);
            H::Click(d.Edit3);
            H::TypeText(d.Edit3, percent);
            H::TypeKey(d.Edit3, VK_RETURN);
            H::Click(d.Button1);
        });
    } else {
        harness->OnModal("Tsftsform", [](TCustomForm& f) { H::Click(dynamic_cast<Tsftsform&>(f).Button1); });
    }
    H::TypeKey(sfform->Edit5, VK_RETURN);
    EXPECT_EQ(sfform->Edit9->Text(), c.Due);
    ASSERT_EQ(H::FocusedControl(), sfform->Edit10);
    // The amount proposed is typed over: back to empty, then what the patient paid.
    for (size_t i = sfform->Edit10->Text().size(); i > 0; --i) H::TypeKey(sfform->Edit10, VK_BACK);
    ASSERT_EQ(sfform->Edit10->Text(), "");
    H::TypeText(sfform->Edit10, c.Received);
    H::TypeKey(sfform->Edit10, VK_RETURN);

    EXPECT_EQ(Printed, std::vector<std::string>{"240307001 " + std::string(c.Change)});
    EXPECT_EQ(Text("select cast(应收金额 as text)||'|'||cast(实收金额 as text)||'|'||cast(应找金额 as text)||'|'||"
                   "cast(减免金额 as text)||'|'||(select cast(sum(round(单项累计*1000)) as text) from tb_sf)"
                   " from tb_sf where 统计标致='1'"),
              c.Stored);
}

INSTANTIATE_TEST_SUITE_P(
    Receipts, ChargingAmounts,
    ::testing::Values(
        TAmountCase{"change_of_50_for_49_20", {{"49.2", "1"}}, 0, nullptr, "50", "49.20", "0.8", "49.2|50.0|0.8|0.0|49200.0"},
        TAmountCase{"change_of_100_for_99_1", {{"99.1", "1"}}, 0, nullptr, "100", "99.10", "0.9", "99.1|100.0|0.9|0.0|99100.0"},
        TAmountCase{"change_of_10_for_9_9", {{"9.9", "1"}}, 0, nullptr, "10", "9.90", "0.1", "9.9|10.0|0.1|0.0|9900.0"},
        TAmountCase{"change_of_100_for_97_5", {{"97.5", "1"}}, 0, nullptr, "100", "97.50", "2.5", "97.5|100.0|2.5|0.0|97500.0"},
        TAmountCase{"tenth_and_fifth", {{"0.1", "1"}, {"0.2", "1"}}, 0, nullptr, "1", "0.30", "0.7", "0.3|1.0|0.7|0.0|300.0"},
        TAmountCase{"thousand_lines_of_a_fen", {}, 1000, nullptr, "10", "10.00", "0", "10.0|10.0|0.0|0.0|10000.0"},
        TAmountCase{"discount_of_33_percent_on_10", {{"10", "1"}}, 0, "33", "5", "3.30", "1.7", "3.3|5.0|1.7|6.7|10000.0"},
        TAmountCase{"half_a_fen_due", {{"1.005", "1"}}, 0, nullptr, "2", "1.01", "0.99", "1.01|2.0|0.99|0.0|1005.0"},
        TAmountCase{"three_decimals_times_three", {{"3.333", "3"}, {"0.125", "3"}}, 0, nullptr, "11", "10.37", "0.63",
                    "10.37|11.0|0.63|0.0|10374.0"}),
    [](const auto& info) { return std::string(info.param.Name); });

// The stock values of a drug after a charge and after its void: the prices times the new
// stock, to the fen, halves to the even fen (as the database rounds), from the exact
// product: 0.125 x 1.4 is 0.175 and goes to 0.18, where the binary product (0.17499...) gave
// 0.17.
TEST_F(ChargingWindow, StockValuesAfterAChargeAndItsVoidAreExact) {
    struct {
        const char* Cost;
        const char* Price;
        const char* Quantity;
        const char* Charged;   // 库存数量|进价金额|销价金额
        const char* Voided;
    } cases[] = {
        {"0.125", "0.375", "0.6", "1.4|0.18|0.52", "2.0|0.25|0.75"},
        {"1.015", "2.345", "1", "1.0|1.02|2.34", "2.0|2.03|4.69"},
        {"0.1", "0.2", "1.7", "0.3|0.03|0.06", "2.0|0.2|0.4"},
    };
    OpenWindow();
    int receipt = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Cost);
        Exec("delete from tb_yp where 拼音码='KC'");
        Exec(std::string("insert into tb_yp (项目种类,项目类型,项目名称,拼音码,规格,单位,进价,单价,库存数量,进价金额,销价金额,库存下限)"
                         " values ('药品项目','西药费','库存药','KC','盒','盒',") +
             c.Cost + "," + c.Price + ",2,0,0,0)");
        const std::string id = Text("select ID from tb_yp where 拼音码='KC'");
        PatientAndDoctor();
        Line("KC", c.Quantity);
        StartCharging();
        H::TypeKey(sfform->Edit10, VK_RETURN);
        ++receipt;
        EXPECT_EQ(Text("select cast(库存数量 as text)||'|'||cast(进价金额 as text)||'|'||cast(销价金额 as text)"
                       " from tb_yp where ID=" + id),
                  c.Charged);
        const std::string number = Printed.back().substr(0, Printed.back().find(' '));
        ASSERT_TRUE(VoidReceipt(Db(), number).Committed);
        EXPECT_EQ(Text("select cast(库存数量 as text)||'|'||cast(进价金额 as text)||'|'||cast(销价金额 as text)"
                       " from tb_yp where ID=" + id),
                  c.Voided);
    }
    EXPECT_EQ(receipt, 3);
}

}  // namespace

