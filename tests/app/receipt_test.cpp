// The receipt print prompt: the amount in capitals, the category sums of a saved receipt,
// the report variables, the installation's template and the title, driven headless
// through the charging window's real save.
#include "OtherProgram.h"
#include "PreviewCapture.h"
#include "app/database/ClinicDatabase.h"
#include "app/forms/ChargeForm.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/DataModule.h"
#include "app/forms/MainForm.h"
#include "app/forms/PrintForm.h"
#include "app/forms/StartChargeForm.h"
#include "app/forms/Startup.h"
#include "designer/dialogs/ReportEditor.h"
#include "preview/FlatCombo.h"
#include "designer/editors/MemoEditor.h"
#include "designer/window/DesignerForm.h"
#include "designer/workspace/PageWorkspace.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Settings.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "report/Bands.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PasswordForm.h"
#include "report/Printer.h"
#include "report/Report.h"
#include "report/ReportServices.h"
#include "report/Variables.h"
#include "platform/graphics/Metafile.h"
#include "tests/graphics/TextReference.h"
#include "tests/rtl/FileMode.h"

#include <gtest/gtest.h>

#include <fstream>
#include <stdlib.h>

#include <filesystem>
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using H = TUiTestHarness;

struct TCapitalCase {
    double Amount;
    const char* Text;
};

TEST(AmountToCapital, Table) {
    const TCapitalCase cases[] = {
        {0.01, "元零壹分"},
        {0.05, "元零伍分"},
        {10, "壹拾元整"},
        {10.5, "壹拾元零伍角整"},
        {123.45, "壹佰贰拾叁元肆角伍分"},
        {100000, "壹拾万元整"},
        {1000000, "壹佰万元整"},
        {100000000, "壹亿元整"},
        {100010000, "壹亿零壹万元整"},
        {1234567.89, "壹佰贰拾叁万肆仟伍佰陆拾柒元捌角玖分"},
        {1001.01, "壹仟零壹元零壹分"},
        {20.3, "贰拾元零叁角整"},
        // Outside what the conversion writes: nothing.
        {0, ""},
        {-10, ""},
        {1.234, ""},
        {1e18, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(AmountToCapital(c.Amount), c.Text) << c.Amount;
}

std::string Joined(const std::vector<std::string>& v) {
    std::string s;
    for (const std::string& x : v) s += x + "\n";
    return s;
}

// The clinic's windows in a fresh working directory with its database, a patient, a
// doctor and items of four categories; receipts are charged through the charging window.
class ReceiptPrompt : public ::testing::Test {
protected:
    void SetUp() override {
        FOldDir = fs::current_path();
        std::string pattern = (fs::temp_directory_path() / "receipt-prompt-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        FDir = pattern;
        fs::current_path(FDir);
        harness = std::make_unique<TUiTestHarness>();
        harness->SetClock([] { return EncodeDate(2024, 3, 7) + 0.4; });
        ASSERT_TRUE(CreateClinicWindows()) << Joined(harness->DialogTexts());
        ASSERT_NE(printform, nullptr);
        for (int tag : {11, 14, 21, 22, 35, 62, 63}) wqtdglzjmform->EnableActionByTag(tag);
        sfform->Edit12->SetText("tulvo");
        sfform->RetryPolicy.Pause = [](unsigned) {};
        Exec("insert into tb_brzl (id,姓名,拼音码,年龄,电话,地址,性别) values (1,'张三','ZS','30','','东街','男')");
        Exec("update tb_brbh set brbh=1");
        Exec("insert into tb_doctor (姓名,拼音码,性别,科室) values ('李四','LS','男','内科')");
        AddItem("检查项目", "检查费", "血常规", "XCG", 15.5);
        AddItem("药品项目", "西药费", "阿莫西林", "AMXL", 12.5);
        AddItem("药品项目", "西药费", "布洛芬", "BLF", 3.333);
        AddItem("检查项目", "其它费", "挂号", "GH", 1);
        AddItem("检查项目", "材料费", "纱布", "SB", 2);
    }

    void TearDown() override {
        EXPECT_TRUE(harness->Errors().empty()) << Joined(harness->Errors());
        EXPECT_EQ(harness->PendingDrivers(), 0);
        DestroyClinicForms();
        harness.reset();
        SetClock(nullptr);
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
    static void AddItem(const char* kind, const char* type, const char* name, const char* code, double price) {
        const bool drug = std::string(kind) == "药品项目";
        Exec(std::string("insert into tb_yp (项目种类,项目类型,项目名称,拼音码,规格,单位,进价,单价,库存数量,进价金额,"
                         "销价金额,库存下限,药品产地) values ('") +
             kind + "','" + type + "','" + name + "','" + code + "','10片','盒'," + (drug ? "1" : "null") + "," +
             std::to_string(price) + "," + (drug ? "100,100,100,1" : "null,null,null,null") + ",'本地')");
    }
    static void Enter(TWinControl* field, const std::string& text) {
        if (!text.empty()) H::TypeText(field, text);
        H::TypeKey(field, VK_RETURN);
    }
    static void InstallTemplate() {
        fs::copy_file(ROVE_RECEIPT_TEMPLATE, fs::current_path() / kReceiptTemplateFile);
    }

    // Charges the lines (code, quantity) through the charging window; the print prompt
    // comes up modally after the save and Driver works it.
    void Charge(const std::vector<std::pair<std::string, std::string>>& lines,
                std::function<void(Tprintform&)> Driver, const std::string& Received = {}) {
        sfform->Show();
        H::ProcessMessages();
        Enter(sfform->Edit1, "ZS");
        Enter(sfform->Edit3, "LS");
        for (const auto& [code, quantity] : lines) {
            Enter(sfform->Edit5, code);
            Enter(sfform->Edit8, quantity);
        }
        harness->OnModal("Tsftsform", [](TCustomForm& f) { H::Click(dynamic_cast<Tsftsform&>(f).Button1); });
        H::TypeKey(sfform->Edit5, VK_RETURN);
        if (!Received.empty()) {
            // The amount proposed is typed over with what the patient paid.
            for (size_t i = sfform->Edit10->Text().size(); i > 0; --i) H::TypeKey(sfform->Edit10, VK_BACK);
            H::TypeText(sfform->Edit10, Received);
        }
        harness->OnModal("Tprintform", [this, Driver](TCustomForm& f) {
            auto& prompt = dynamic_cast<Tprintform&>(f);
            Shown.push_back(prompt.Label2->Caption());
            Driver(prompt);
        });
        H::TypeKey(sfform->Edit10, VK_RETURN);
    }

    static std::string Var(Tprintform& p, const char* name) {
        return p.frxReport1->Variables()->Variables(name).AsString();
    }
    static int TitleCount(TfrxReport& r) {
        int n = 0;
        for (int i = 0; i < r.PagesCount(); ++i) {
            
            for (TfrxComponent* c : r.Pages(i)->AllObjects())
                if (c->Name() == kReceiptTitleName) ++n;
        }
        return n;
    }

    std::unique_ptr<TUiTestHarness> harness;
    std::vector<std::string> Shown;

private:
    fs::path FOldDir;
    fs::path FDir;
};

// A saved receipt: the prompt gets its number, sums its lines per category (other types
// in none), sets dx and the ten variables, loads the template and adds one title on the
// page header; "取消" closes without output and clears the number.
TEST_F(ReceiptPrompt, SumsVariablesTemplateAndTitle) {
    InstallTemplate();
    Charge({{"XCG", "2"}, {"AMXL", "1"}, {"BLF", "3"}, {"GH", "1"}, {"SB", "1"}}, [](Tprintform& p) {
        const std::array<double, kFeeCategories.size()> expected = {22.5, 0, 0, 0, 31, 0, 0, 0, 0, 1};
        for (size_t i = 0; i < expected.size(); ++i)
            EXPECT_DOUBLE_EQ(p.Sums()[i].ToDouble(), expected[i]) << kFeeCategories[i].Name;
        EXPECT_TRUE(p.LoadReceipt());
        // 31 + 22.5 + 1 + 2 = 56.50 (布洛芬 3 x 3.333 = 9.999 goes in as 10.00)
        EXPECT_EQ(p.frxReport1->Calc("dx").AsString(), "伍拾陆元伍角整");
        EXPECT_EQ(Var(p, "aa"), "22.5");
        EXPECT_EQ(Var(p, "ee"), "31");
        EXPECT_EQ(Var(p, "kk"), "1");
        EXPECT_EQ(Var(p, "ff"), "0");
        ASSERT_NE(p.frxReport1->FindObject("MasterData1"), nullptr);
        auto* title = dynamic_cast<TfrxMemoView*>(p.frxReport1->FindObject(kReceiptTitleName));
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->Parent(), p.frxReport1->FindObject("PageHeader1"));
        EXPECT_EQ(title->Memo()->Strings(0), kReceiptTitle);
        // Loading again (a second "确定") still gives one title.
        EXPECT_TRUE(p.LoadReceipt());
        EXPECT_EQ(TitleCount(*p.frxReport1), 1);
        H::Click(p.Button2);
    });
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_EQ(Shown[0], "240307001");
    EXPECT_EQ(printform->Label2->Caption(), "");
    EXPECT_EQ(printform->Sums(), ReceiptCategorySums(*datamoduleform->ADOConnection1, Shown[0]));
}
// Internal accounting: a receipt with nothing due prints without the amount in capitals.
// Without a template file the report is empty and no title is added; "设计" keeps the
// window open (nothing happens without a designer in the program).
// What the designer below was opened on.
struct TDesignerSeen {
    TfrxReport* Report = nullptr;
    bool Preview = true;
    bool Template = false;   // the installation's template is loaded
    bool Title = false;      // the printed title was added
    std::string dx;
};

// A designer that notes what it was opened on and closes at once.
class TNotingDesigner : public TfrxCustomDesigner {
public:
    static inline TDesignerSeen Seen;
    TNotingDesigner(TComponent* AOwner, TfrxReport* AReport, bool APreviewDesigner)
        : TfrxCustomDesigner(AOwner, AReport, APreviewDesigner) {
        Seen.Report = AReport;
        Seen.Preview = APreviewDesigner;
        Seen.Template = AReport->FindObject("MasterData1") != nullptr;
        Seen.Title = AReport->FindObject(kReceiptTitleName) != nullptr;
        Seen.dx = AReport->Calc("dx").AsString();
        ModalFinished = true;
    }
    std::vector<std::string> GetCode() override { return {}; }
    std::string InsertExpression(const std::string& Expr) override { return Expr; }
    void Lock() override {}
    void ReloadPages(int) override {}
    void ReloadReport() override {}
    void UpdateDataTree() override {}
    void UpdatePage() override {}
};

// Installs the noting designer for one test.
struct TNotingDesignerScope {
    TfrxDesignerClass Saved = frxDesignerClass();
    TNotingDesignerScope() {
        frxDesignerClass() = [](TComponent* owner, TfrxReport* report, bool preview) -> TfrxCustomDesigner* {
            return new TNotingDesigner(owner, report, preview);
        };
        TNotingDesigner::Seen = {};
    }
    ~TNotingDesignerScope() { frxDesignerClass() = Saved; }
};

// Internal accounting: a receipt with nothing due prints without the amount in capitals.
// A working folder without a template gets the built-in model receipt (125 x 120 mm, the
// ten categories in a ruled table) written there as rove.bl3: the receipt is made on it,
// with its title, and "设计" opens it.
TEST_F(ReceiptPrompt, NothingDueOnTheBuiltInModelReceipt) {
    TNotingDesignerScope designer;
    ASSERT_FALSE(fs::exists(kReceiptTemplateFile));
    Charge({{"GH", "1"}}, [](Tprintform& p) {
        Exec("update tb_sf set 应收金额=0");
        p.FormShow(&p);
        EXPECT_TRUE(p.LoadReceipt());
        EXPECT_EQ(ReadFileBytes(kReceiptTemplateFile), p.ModelTemplate());
        EXPECT_EQ(p.frxReport1->Calc("dx").AsString(), "");
        EXPECT_EQ(Var(p, "kk"), "1");
        ASSERT_EQ(p.frxReport1->PagesCount(), 1);
        auto* page = dynamic_cast<TfrxReportPage*>(p.frxReport1->Pages(0));
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->PaperWidth(), 125);
        EXPECT_EQ(page->PaperHeight(), 120);
        EXPECT_EQ(page->LeftMargin, 10);
        EXPECT_EQ(page->TopMargin, 10);
        auto* title = dynamic_cast<TfrxMemoView*>(p.frxReport1->FindObject(kReceiptTitleName));
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->Parent(), p.frxReport1->FindObject("PageHeader1"));
        p.RadioButton3->SetChecked(true);
        H::Click(p.Button1);
        EXPECT_TRUE(p.Showing());
        H::Click(p.Button2);
    });
    EXPECT_EQ(Shown.size(), 1u);
    EXPECT_TRUE(harness->DialogTexts().empty()) << Joined(harness->DialogTexts());
    // The designer gets the model receipt (the installation's template has a line band).
    EXPECT_NE(TNotingDesigner::Seen.Report, nullptr);
    EXPECT_FALSE(TNotingDesigner::Seen.Template);
    EXPECT_TRUE(TNotingDesigner::Seen.Title);
}

// The model receipt previewed: the header fields, each category beside its sum, the total
// and the capitals, the cashier and the two notes.
TEST_F(ReceiptPrompt, TheModelReceiptPrintsTheCategories) {
    if (!frxEngineClass()) GTEST_SKIP() << "no layout engine is registered in this build";
    TPreviewCapture capture;
    Charge({{"XCG", "2"}, {"AMXL", "1"}}, [&](Tprintform& p) {
        CapturePreview(*harness, capture);
        H::Click(p.RadioButton2);
        H::Click(p.Button1);
    });
    ASSERT_TRUE(capture.Shown);
    ASSERT_EQ(capture.Pages.size(), 1u);
    for (const char* t : {"NO:240307001", kReceiptTitle, "姓名：张三", "性别：男", "年龄：30", "合计：43.5",
                          "大写：肆拾叁元伍角整", "收费员：tulvo", "（票据中项目名称内容可以根据用户要求定制修改）",
                          "（票据可改为显示药名、规格、单价、数量等明细打印）"})
        EXPECT_TRUE(capture.Has(t)) << t << "\n" << capture.Dump();
    EXPECT_TRUE(capture.HasRow({"项  目", "金额（元）", "项  目", "金额（元）"})) << capture.Dump();
    EXPECT_TRUE(capture.HasRow({"西药费", "12.5"})) << capture.Dump();
    EXPECT_TRUE(capture.HasRow({"检查费", "31"})) << capture.Dump();
    EXPECT_TRUE(capture.HasRow({"其它", "0"})) << capture.Dump();
    // Every memo of the model shows whole (the title is the prompt's own, added on top).
    std::vector<std::string> cut = capture.CutOff();
    cut.erase(std::remove(cut.begin(), cut.end(), kReceiptTitle), cut.end());
    EXPECT_EQ(cut, std::vector<std::string>{});
    EXPECT_TRUE(fs::exists(kReceiptTemplateFile));
}

// Text that is no number, typed into the preview's zoom box and its page box, is refused in
// an error box that carries the program's Chinese caption, as every box of the program does
// where no caption of its own is given (not the file name of the program).
TEST_F(ReceiptPrompt, ThePreviewsRefusalsCarryTheProgramsCaption) {
    if (!frxEngineClass()) GTEST_SKIP() << "no layout engine is registered in this build";
    TPreviewCapture capture;
    std::vector<std::string> texts, captions;
    Charge({{"XCG", "2"}}, [&](Tprintform& p) {
        CapturePreview(*harness, capture, [&] {
            TfrxPreviewForm* form = nullptr;
            for (int i = 0; i < Screen->FormCount() && !form; ++i) form = dynamic_cast<TfrxPreviewForm*>(Screen->Forms(i));
            ASSERT_NE(form, nullptr);
            harness->ClearDialogs();
            for (TWinControl* box : {static_cast<TWinControl*>(form->ZoomCB), static_cast<TWinControl*>(form->PageE)}) {
                H::Click(box, TPoint{8, box->ClientHeight() / 2});
                TWinControl* focused = H::FocusedControl();
                ASSERT_NE(focused, nullptr);
                H::TypeKey(focused, 'A', ssCtrl);
                H::TypeText(focused, "abc");
                H::TypeKey(focused, VK_RETURN);
                H::ElapseTime(10);
            }
            texts = harness->DialogTexts();
            captions = harness->DialogCaptions();
        });
        H::Click(p.RadioButton2);
        H::Click(p.Button1);
    });
    ASSERT_TRUE(capture.Shown);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NE(texts[0].find("abc"), std::string::npos) << texts[0];
    EXPECT_NE(texts[1].find("abc"), std::string::npos) << texts[1];
    EXPECT_EQ(captions, (std::vector<std::string>{kClinicTitle, kClinicTitle}));
}

// Due 49.20, paid with 50: the change the receipt shows is 0.8, not a double's noise.
TEST_F(ReceiptPrompt, TheChangeOfFiftyForFortyNineTwentyPrintsAsPointEight) {
    if (!frxEngineClass()) GTEST_SKIP() << "no layout engine is registered in this build";
    InstallTemplate();
    AddItem("检查项目", "检查费", "彩超", "CC", 49.2);
    TPreviewCapture capture;
    Charge({{"CC", "1"}}, [&](Tprintform& p) {
        CapturePreview(*harness, capture);
        H::Click(p.RadioButton2);
        H::Click(p.Button1);
    }, "50");
    ASSERT_TRUE(capture.Shown);
    for (const char* t : {"合计：49.2", "实收：50", "找零：0.8", "大写：肆拾玖元贰角整"})
        EXPECT_TRUE(capture.Has(t)) << t << "\n" << capture.Dump();
    EXPECT_TRUE(capture.HasRow({"检查费", "49.2"})) << capture.Dump();
}

// "设计" opens the program's designer, whichever the start-up installed, on the template
// with the printed title (for the clinic to put its name there) and the receipt's
// variables; the prompt stays open.
TEST_F(ReceiptPrompt, DesignOpensTheDesignerOnTheTemplate) {
    InstallTemplate();
    TNotingDesignerScope designer;
    Charge({{"XCG", "2"}}, [](Tprintform& p) {
        p.RadioButton3->SetChecked(true);
        H::Click(p.Button1);
        EXPECT_TRUE(p.Showing());
        H::Click(p.Button2);
    });
    EXPECT_EQ(TNotingDesigner::Seen.Report, printform->frxReport1);
    EXPECT_FALSE(TNotingDesigner::Seen.Preview);
    EXPECT_TRUE(TNotingDesigner::Seen.Template);
    EXPECT_TRUE(TNotingDesigner::Seen.Title);
    EXPECT_EQ(TNotingDesigner::Seen.dx, "叁拾壹元整");
}

// The prompt answered from the keyboard, as a clerk does: the focus starts on "打印", the
// arrows move the choice to "设计" and Enter opens the designer with the prompt left open;
// back one to "预览", Enter shows the receipt and closes the prompt.
TEST_F(ReceiptPrompt, TheArrowKeysChooseAndEnterTakesTheChoice) {
    InstallTemplate();
    TNotingDesignerScope designer;
    TPreviewCapture capture;
    Charge({{"XCG", "2"}}, [&](Tprintform& p) {
        ASSERT_EQ(H::FocusedControl(), p.RadioButton1);
        H::TypeKey(p.RadioButton1, VK_RIGHT);
        EXPECT_TRUE(p.RadioButton2->Checked());
        H::TypeKey(p.RadioButton2, VK_RIGHT);
        EXPECT_TRUE(p.RadioButton3->Checked());
        EXPECT_FALSE(p.RadioButton1->Checked() || p.RadioButton2->Checked());
        H::TypeKey(p.RadioButton3, VK_RETURN);
        EXPECT_EQ(TNotingDesigner::Seen.Report, printform->frxReport1);
        EXPECT_TRUE(p.Showing());
        H::TypeKey(p.RadioButton3, VK_LEFT);
        EXPECT_TRUE(p.RadioButton2->Checked());
        CapturePreview(*harness, capture);
        H::TypeKey(p.RadioButton2, VK_RETURN);
    });
    EXPECT_FALSE(printform->Showing());
    ASSERT_TRUE(capture.Shown);
    EXPECT_TRUE(capture.Has("NO:" + Shown.at(0))) << capture.Dump();
}

// "打印" where no printer is installed: the report says so and the prompt stays open with
// the receipt, to be printed again or previewed.
TEST_F(ReceiptPrompt, PrintWithoutAPrinterSaysSoAndKeepsThePrompt) {
    if (!frxEngineClass()) GTEST_SKIP() << "no layout engine is registered in this build";
    if (frxPrinters().HasPhysicalPrinters()) GTEST_SKIP() << "a printer is installed here";
    InstallTemplate();
    bool open = false;
    std::string number;
    Charge({{"XCG", "1"}}, [&](Tprintform& p) {
        p.RadioButton1->SetChecked(true);
        H::Click(p.Button1);
        open = p.Showing();
        number = p.Label2->Caption();
        H::Click(p.Button2);
    });
    EXPECT_TRUE(open);
    EXPECT_EQ(number, "240307001");
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"发生一下错误:\r\n系统未安装打印机\r\n"});
    EXPECT_EQ(harness->DialogCaptions(), std::vector<std::string>{"错误"});
}

// The preview of a receipt whose lines another program holds exclusively (the sqlite3
// shell): the report's error box gives the reason in the clinic's words, not SQLite's; the
// preview once the lock is gone shows the receipt.
TEST_F(ReceiptPrompt, APreviewUnderAnotherProgramsLockSaysTheDatabaseIsInUse) {
    if (!frxEngineClass()) GTEST_SKIP() << "no layout engine is registered in this build";
    InstallTemplate();
    int pages = -1;
    Charge({{"XCG", "1"}}, [&](Tprintform& p) {
        datamoduleform->ADOConnection1->SetBusyTimeout(100);
        auto other = std::make_unique<TOtherProgram>(ClinicDatabaseFileName);
        other->Run("BEGIN EXCLUSIVE;");
        p.RadioButton2->SetChecked(true);
        // The preview prepares the pages once it is up; the driver lets it.
        auto closeOnceRun = [](TCustomForm& f) {
            for (int i = 0; i < 20; ++i) H::ElapseTime(100);
            f.Close();
        };
        harness->OnModal("TfrxPreviewForm", closeOnceRun);
        H::Click(p.Button1);
        EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{"发生一下错误:\r\n数据库正被其他程序使用，请稍后再试。\r\n"});
        other.reset();
        harness->ClearDialogs();
        harness->OnModal("TfrxPreviewForm", [&](TCustomForm& f) {
            closeOnceRun(f);
            pages = p.frxReport1->PreviewPages()->Count();
        });
        H::Click(p.Button1);
        EXPECT_TRUE(harness->DialogTexts().empty()) << Joined(harness->DialogTexts());
        if (p.Showing()) H::Click(p.Button2);
    });
    EXPECT_EQ(pages, 1);
}

// A receipt template whose script never ends, printed without the preview: the prompt
// answers while the script runs; "取消" clicked then (or Space typed ahead onto it) stops the
// run, nothing is printed or asked, the prompt closes, and "确定" is enabled again for the
// next receipt.
TEST_F(ReceiptPrompt, AnEndlessTemplateScriptIsStoppedFromThePrompt) {
    if (!frxEngineClass()) GTEST_SKIP() << "no layout engine is registered in this build";
    {
        TfrxReport t(nullptr);
        ASSERT_TRUE(t.LoadFromFile(ROVE_RECEIPT_TEMPLATE));
        t.ScriptLanguage = "PascalScript";
        t.ScriptText()->SetText("begin while True do Get('Tick'); end.");
        t.SaveToFile(kReceiptTemplateFile);
    }
    for (const bool typed : {false, true}) {
        SCOPED_TRACE(typed ? "Space typed ahead" : "取消 clicked");
        int asked = 0;
        bool printing = false, openWhileStopping = false, enabledAfter = false;
        Charge({{"XCG", "1"}}, [&](Tprintform& p) {
            p.frxReport1->OnGetValue = [&](const std::string& Name, Variant& Value) {
                if (Name != "Tick") return;
                Value = Variant(++asked);
                if (asked != 1000) return;
                printing = p.Printing() && !p.Button1->Enabled();
                if (!typed) {
                    H::Click(p.Button2);
                    openWhileStopping = p.Showing();
                }
            };
            H::Click(p.RadioButton1);
            // "确定" is disabled as the run starts: the keyboard goes on to "取消".
            if (typed) H::PostKey(VK_SPACE);
            H::Click(p.Button1);
            enabledAfter = p.Button1->Enabled();
        });
        EXPECT_GE(asked, 1000);
        EXPECT_TRUE(printing);
        if (!typed) EXPECT_TRUE(openWhileStopping);
        EXPECT_TRUE(enabledAfter);
        EXPECT_FALSE(printform->Showing());
        EXPECT_EQ(printform->frxReport1->PreviewPages()->Count(), 0);
        EXPECT_TRUE(harness->DialogTexts().empty()) << Joined(harness->DialogTexts());
        printform->frxReport1->OnGetValue = nullptr;
    }
}

// A damaged receipt template (random bytes, a file cut short): the prompt names the file
// and says what happens instead, the receipt is previewed on the built-in model, and the
// file is left as it was. It used to stop every receipt with "文件格式无效".
struct TDamagedTemplate {
    const char* Name;
    std::function<std::string()> Content;
};

class DamagedReceiptTemplate : public ReceiptPrompt, public ::testing::WithParamInterface<TDamagedTemplate> {
protected:
    std::string Damage() {
        const std::string bytes = GetParam().Content();
        std::ofstream(fs::current_path() / kReceiptTemplateFile, std::ios::binary) << bytes;
        return bytes;
    }
    static std::string Message() {
        return "收据模板 " + (fs::current_path() / kReceiptTemplateFile).string() +
               " 已损坏，无法读取。\n本次收据按内置的收据模板打印、预览。选“设计”时从内置的收据模板开始，"
               "在设计器中保存后才替换该文件；不保存，该文件保持原样。";
    }
};

TEST_P(DamagedReceiptTemplate, ThePreviewShowsTheModelReceiptAndTheFileStays) {
    if (!frxEngineClass()) GTEST_SKIP() << "no layout engine is registered in this build";
    const std::string bytes = Damage();
    TPreviewCapture capture;
    Charge({{"XCG", "2"}}, [&](Tprintform& p) {
        CapturePreview(*harness, capture);
        H::Click(p.RadioButton2);
        H::Click(p.Button1);
    });
    EXPECT_FALSE(printform->Showing());
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{Message()});
    EXPECT_EQ(harness->DialogCaptions(), std::vector<std::string>{"提示"});
    ASSERT_TRUE(capture.Shown);
    for (const char* t : {"NO:240307001", kReceiptTitle, "姓名：张三", "合计：31", "（票据中项目名称内容可以根据用户要求定制修改）"})
        EXPECT_TRUE(capture.Has(t)) << t << "\n" << capture.Dump();
    EXPECT_EQ(ReadFileBytes(kReceiptTemplateFile), bytes);
}

// "设计" on a damaged template says the same, opens the designer on the built-in model under
// the file's name (so that a save goes there), and closing it unsaved leaves the file.
TEST_P(DamagedReceiptTemplate, DesignStartsFromTheModelUnderTheFilesName) {
    const std::string bytes = Damage();
    TNotingDesignerScope designer;
    std::string fileName;
    Charge({{"XCG", "2"}}, [&](Tprintform& p) {
        H::Click(p.RadioButton3);
        H::Click(p.Button1);
        fileName = p.frxReport1->FileName();
        EXPECT_TRUE(p.Showing());
        H::Click(p.Button2);
    });
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{Message()});
    ASSERT_EQ(TNotingDesigner::Seen.Report, printform->frxReport1);
    EXPECT_FALSE(TNotingDesigner::Seen.Template) << "the installation's template has a line band";
    EXPECT_TRUE(TNotingDesigner::Seen.Title);
    EXPECT_EQ(TNotingDesigner::Seen.dx, "叁拾壹元整");
    EXPECT_EQ(fileName, kReceiptTemplateFile);
    EXPECT_EQ(ReadFileBytes(kReceiptTemplateFile), bytes);
}

// The user changes the model in the designer that "设计" opened over a damaged template and
// saves: the save writes rove.bl3 (its owner's only, under a desktop's umask), and the next
// receipt prints from the file without a word.
TEST_P(DamagedReceiptTemplate, ASaveInTheDesignerReplacesTheDamagedFile) {
    if (!frxEngineClass()) GTEST_SKIP() << "no layout engine is registered in this build";
    Damage();
    const TUmaskScope mask(022);
    const std::string settings = SettingsDirectory();
    SetSettingsDirectory(fs::current_path().string());
    bool ran = false, saved = false;
    double left = 0;
    const TfrxDesignerClass installed = frxDesignerClass();
    ASSERT_TRUE(installed);
    frxDesignerClass() = [&, installed](TComponent* Owner, TfrxReport* Report, bool Preview) {
        TfrxCustomDesigner* made = installed(Owner, Report, Preview);
        auto* d = dynamic_cast<TfrxDesignerForm*>(made);
        if (!d) return made;
        auto* steps = new TTimer(d);
        steps->SetInterval(1);
        steps->OnTimer = [&, d, steps, Report](TObject*) {
            steps->SetEnabled(false);
            ran = true;
            // The title moved one step to the right with Ctrl+Right, then saved.
            auto* title = dynamic_cast<TfrxMemoView*>(Report->FindObject(kReceiptTitleName));
            ASSERT_NE(title, nullptr);
            const TPoint middle{static_cast<int>((title->AbsLeft() + title->Width() / 2) * d->Scale()),
                                static_cast<int>((title->AbsTop() + title->Height() / 2) * d->Scale())};
            H::Click(d->Workspace, middle);
            H::TypeKey(d->Workspace, VK_RIGHT, ssCtrl);
            left = title->Left();
            ASSERT_TRUE(d->Modified());
            H::TypeKey('S', ssCtrl);
            saved = !d->Modified();
            H::ClickMenuItem(dynamic_cast<TMenuItem*>(d->FindComponent("ExitMI")));
        };
        return made;
    };
    Charge({{"XCG", "2"}}, [](Tprintform& p) {
        H::Click(p.RadioButton3);
        H::Click(p.Button1);
        H::Click(p.Button2);
    });
    frxDesignerClass() = installed;
    SetSettingsDirectory(settings);
    ASSERT_TRUE(ran);
    EXPECT_TRUE(saved);
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{Message()});
    EXPECT_EQ(FileModeOf(kReceiptTemplateFile), 0600u);

    TPreviewCapture capture;
    Charge({{"XCG", "1"}}, [&](Tprintform& p) {
        CapturePreview(*harness, capture);
        H::Click(p.RadioButton2);
        H::Click(p.Button1);
    });
    EXPECT_EQ(harness->DialogTexts(), std::vector<std::string>{Message()}) << "no second message";
    ASSERT_TRUE(capture.Shown);
    EXPECT_TRUE(capture.Has("NO:240307002")) << capture.Dump();
    EXPECT_TRUE(capture.Has("（票据中项目名称内容可以根据用户要求定制修改）")) << capture.Dump();
    for (const TPreviewMemo& m : capture.Pages.at(0))
        if (m.Text == kReceiptTitle) {
            EXPECT_NEAR(m.Left, left, 0.5) << "the title where it was put";
        }
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedReceiptTemplate,
                         ::testing::Values(TDamagedTemplate{"random_bytes",
                                                            [] {
                                                                std::string b;
                                                                for (int i = 0; i < 600; ++i)
                                                                    b += static_cast<char>((i * 151 + 7) % 256);
                                                                return b;
                                                            }},
                                           TDamagedTemplate{"cut_short",
                                                            [] {
                                                                const std::string whole = ReadFileBytes(ROVE_RECEIPT_TEMPLATE);
                                                                return whole.substr(0, whole.size() / 2);
                                                            }},
                                           TDamagedTemplate{"not_a_report", [] { return std::string("这不是报表文件"); }}),
                         [](const auto& info) { return std::string(info.param.Name); });

// A name too long for its cell goes on a second line, and the whole row grows with it so
// that the line is seen whole and the row's cells keep one height.
TEST_F(ReceiptPrompt, ALongItemNameGrowsItsRow) {
    if (!frxEngineClass()) GTEST_SKIP() << "no layout engine is registered in this build";
    InstallTemplate();
    const std::string name = "注射用头孢哌酮钠舒巴坦钠（舒普深）";
    AddItem("药品项目", "西药费", name.c_str(), "ZSY", 45.5);
    struct TCell {
        std::string Text;
        double Top, Height;
    };
    std::vector<TCell> cells;
    Charge({{"XCG", "1"}, {"ZSY", "2"}}, [&](Tprintform& p) {
        ASSERT_TRUE(p.LoadReceipt());
        ASSERT_TRUE(p.frxReport1->PrepareReport(true));
        for (TfrxComponent* c : p.frxReport1->PreviewPages()->GetPage(0)->AllObjects())
            if (auto* m = dynamic_cast<TfrxCustomMemoView*>(c); m && m->Memo()->Count() > 0)
                cells.push_back({m->Memo()->Text(), m->AbsTop(), m->Height()});
        H::Click(p.Button2);
    });
    auto row = [&](const std::string& first) {
        std::vector<TCell> out;
        double top = -1;
        for (const TCell& c : cells)
            if (c.Text.rfind(first, 0) == 0) top = c.Top;
        for (const TCell& c : cells)
            if (top >= 0 && std::abs(c.Top - top) < 0.01) out.push_back(c);
        return out;
    };
    const std::vector<TCell> plain = row("血常规"), tall = row(name);
    ASSERT_EQ(plain.size(), 4u);
    ASSERT_EQ(tall.size(), 4u);
    EXPECT_LT(plain[0].Height, 20.0);     // one line: the row keeps its designed height
    EXPECT_GT(tall[0].Height, 2 * 14.0);   // two lines of a 9-point font
    for (const TCell& c : tall) EXPECT_NEAR(c.Height, tall[0].Height, 0.01) << c.Text;
}

// The installation's template prepared over the saved receipt: one page with the
// header fields, the title, a row per line, the totals, the capitals and the sums.
TEST_F(ReceiptPrompt, PreparesTheReceipt) {
    if (!frxEngineClass()) GTEST_SKIP() << "no layout engine is registered in this build";
    InstallTemplate();
    std::vector<std::string> texts;
    Charge({{"XCG", "2"}, {"AMXL", "1"}}, [&texts](Tprintform& p) {
        ASSERT_TRUE(p.LoadReceipt());
        ASSERT_TRUE(p.frxReport1->PrepareReport(true));
        ASSERT_EQ(p.frxReport1->PreviewPages()->Count(), 1);
        for (TfrxComponent* c : p.frxReport1->PreviewPages()->GetPage(0)->AllObjects())
            if (auto* m = dynamic_cast<TfrxCustomMemoView*>(c); m && m->Memo()->Count() > 0)
                texts.push_back(m->Memo()->Strings(0));
        H::Click(p.Button2);
    });
    auto has = [&texts](const std::string& t) { return std::find(texts.begin(), texts.end(), t) != texts.end(); };
    for (const char* t : {"NO:240307001", kReceiptTitle, "姓名：张三", "血常规", "阿莫西林", "合计：43.5",
                          "大写：肆拾叁元伍角整", "收费员：tulvo", "12.5", "31"})
        EXPECT_TRUE(has(t)) << t << "\n" << Joined(texts);
}

// The receipt on screen at 100 % and 150 %: every text of the prepared receipt, drawn with
// its advances as glyph runs, gives the pixels of its characters drawn one by one.
TEST_F(ReceiptPrompt, ReceiptTextsGiveThePixelsOfTheirCharactersDrawnAlone) {
    if (!frxEngineClass()) GTEST_SKIP() << "no layout engine is registered in this build";
    InstallTemplate();
    int compared = 0;
    Charge({{"XCG", "2"}, {"AMXL", "1"}}, [&compared](Tprintform& p) {
        ASSERT_TRUE(p.LoadReceipt());
        ASSERT_TRUE(p.frxReport1->PrepareReport(true));
        TfrxCustomPreviewPages* pages = p.frxReport1->PreviewPages();
        double w = 0, h = 0;
        pages->GetPageSize(0, w, h);
        for (double zoom : {1.0, 1.5}) {
            SCOPED_TRACE(zoom);
            TMetafile page;
            {
                TMetafileCanvas canvas(&page);
                pages->DrawPage(0, &canvas, zoom, zoom, 0, 0);
            }
            const int bw = static_cast<int>(w * zoom) + 1, bh = static_cast<int>(h * zoom) + 1;
            TBitmap drawn(bw, bh), reference(bw, bh);
            drawn.Canvas()->Brush()->SetColor(clWhite);
            drawn.Canvas()->FillRect(Rect(0, 0, bw, bh));
            BitmapImage(reference).fill(Qt::white);
            int texts = 0;
            for (const TMetafileRecord& r : page.Records()) {
                if (r.Kind != mrText || r.Advances.empty()) continue;
                ++texts;
                const TFont& font = page.States()[static_cast<size_t>(r.State)].Font;
                const TRect* clip = r.HasRect && (r.Options & ETO_CLIPPED) ? &r.Rect : nullptr;
                TCanvas& c = *drawn.Canvas();
                c.Font()->Assign(font);
                c.Brush()->SetStyle(bsClear);
                c.ExtTextOut(r.Points[0].X, r.Points[0].Y, r.Options, r.HasRect ? &r.Rect : nullptr, r.Text,
                             r.Advances.data());
                DrawEachCharacter(reference, font, r.Points[0].X, r.Points[0].Y, r.Text, r.Advances, clip);
            }
            EXPECT_GT(texts, 20);
            EXPECT_GT(InkedPixels(drawn), 2000);
            EXPECT_EQ(DifferentPixels(drawn, reference, 0), 0);
            ++compared;
        }
        H::Click(p.Button2);
    });
    EXPECT_EQ(compared, 2);
}

// The clinic administrator's round: "设计" in the receipt prompt opens the program's own
// designer window on the installation's template; the title memo is dragged to the right
// on the page and its text changed in the memo editor (a double click), the template is
// saved with Ctrl+S and the window closed from its File menu; the next receipt, charged
// and previewed, shows the changed title where it was put.
TEST_F(ReceiptPrompt, TheDesignedTemplatePrintsTheNextReceipt) {
    if (!frxEngineClass()) GTEST_SKIP() << "no layout engine is registered in this build";
    InstallTemplate();
    const std::string settings = SettingsDirectory();
    SetSettingsDirectory(fs::current_path().string());
    const std::string newTitle = "岳梧诊所收费收据";
    struct {
        bool Ran = false, Real = false;
        double LeftBefore = 0, LeftAfter = 0;
        std::string Caption;
        bool SavedClean = false;
    } seen;
    const TfrxDesignerClass installed = frxDesignerClass();
    ASSERT_TRUE(installed);
    frxDesignerClass() = [&, installed](TComponent* Owner, TfrxReport* Report, bool Preview) {
        TfrxCustomDesigner* made = installed(Owner, Report, Preview);
        auto* d = dynamic_cast<TfrxDesignerForm*>(made);
        seen.Real = d != nullptr;
        if (!d) return made;
        // The user's steps, once the window runs its loop.
        auto* steps = new TTimer(d);
        steps->SetInterval(1);
        steps->OnTimer = [&, d, steps, Report](TObject*) {
            steps->SetEnabled(false);
            seen.Ran = true;
            seen.Caption = d->Caption();
            auto* title = dynamic_cast<TfrxMemoView*>(Report->FindObject(kReceiptTitleName));
            ASSERT_NE(title, nullptr);
            TDesignerWorkspace* ws = d->Workspace;
            auto middle = [&] {
                return TPoint{static_cast<int>((title->AbsLeft() + title->Width() / 2) * d->Scale()),
                              static_cast<int>((title->AbsTop() + title->Height() / 2) * d->Scale())};
            };
            if (const char* dir = std::getenv("ROVE_SCREENSHOTS"))
                H::SaveScreenshot(d, (fs::path(dir) / "designer-receipt.png").string());
            seen.LeftBefore = title->Left();
            const TPoint from = middle();
            H::Click(ws, from);
            ASSERT_EQ(d->SelectedObjects().size(), 1u);
            EXPECT_EQ(d->SelectedObjects()[0], title);
            const TPoint to{from.X + 60, from.Y};
            H::MouseMove(ws, from);
            H::MouseDown(ws, from);
            H::MouseMove(ws, TPoint{from.X + 30, from.Y}, ssLeft);
            H::MouseMove(ws, to, ssLeft);
            H::MouseUp(ws, to);
            seen.LeftAfter = title->Left();
            harness->OnModal("TfrxMemoEditorForm", [&newTitle](TCustomForm& F) {
                auto& editor = dynamic_cast<TfrxMemoEditorForm&>(F);
                H::TypeKey(editor.Memo, 'A', ssCtrl);
                H::TypeText(editor.Memo, newTitle);
                H::Click(editor.OkB);
            });
            H::DblClick(ws, middle());
            EXPECT_EQ(title->Memo()->Strings(0), newTitle);
            EXPECT_TRUE(d->Modified());
            H::TypeKey('S', ssCtrl);   // the window's shortcut, wherever the focus is
            seen.SavedClean = !d->Modified();
            if (const char* dir = std::getenv("ROVE_SCREENSHOTS"))
                H::SaveScreenshot(d, (fs::path(dir) / "designer-receipt-changed.png").string());
            H::ClickMenuItem(dynamic_cast<TMenuItem*>(d->FindComponent("ExitMI")));
        };
        return made;
    };
    Charge({{"XCG", "2"}}, [](Tprintform& p) {
        p.RadioButton3->SetChecked(true);
        H::Click(p.Button1);
        EXPECT_TRUE(p.Showing());
        H::Click(p.Button2);
    });
    frxDesignerClass() = installed;
    SetSettingsDirectory(settings);
    ASSERT_TRUE(seen.Real);
    ASSERT_TRUE(seen.Ran);
    EXPECT_EQ(seen.Caption, "Brightline - rove.bl3");
    EXPECT_GT(seen.LeftAfter, seen.LeftBefore + 30);
    EXPECT_TRUE(seen.SavedClean);
    EXPECT_EQ(printform->frxReport1->Designer, nullptr);

    // The next receipt.
    TPreviewCapture capture;
    Charge({{"XCG", "1"}}, [&](Tprintform& p) {
        CapturePreview(*harness, capture);
        p.RadioButton2->SetChecked(true);
        H::Click(p.Button1);
    });
    ASSERT_TRUE(capture.Shown);
    ASSERT_EQ(capture.Pages.size(), 1u);
    EXPECT_TRUE(capture.Has(newTitle)) << capture.Dump();
    EXPECT_FALSE(capture.Has(kReceiptTitle)) << capture.Dump();
    for (const TPreviewMemo& m : capture.Pages[0])
        if (m.Text == newTitle) {
            EXPECT_NEAR(m.Left, seen.LeftAfter, 0.5);
        }
    EXPECT_TRUE(capture.Has("NO:240307002")) << capture.Dump();
}


// The administrator protects the receipt template: "设计" opens the designer, the report
// settings get the password "医院", Ctrl+S saves rove.bl3. The file stays UTF-8 text
// without the password in plain, and the next receipt asks for the password and prints
// the template's Chinese texts.
TEST_F(ReceiptPrompt, ATemplateSavedWithAChinesePasswordPrintsAfterThePassword) {
    if (!frxEngineClass()) GTEST_SKIP() << "no layout engine is registered in this build";
    InstallTemplate();
    // A template others could read, under a desktop's umask: the save makes it the owner's.
    fs::permissions(kReceiptTemplateFile, static_cast<fs::perms>(0644));
    const TUmaskScope mask(022);
    const std::string settings = SettingsDirectory();
    SetSettingsDirectory(fs::current_path().string());
    const std::string password = "医院";
    bool ran = false, saved = false;
    const TfrxDesignerClass installed = frxDesignerClass();
    ASSERT_TRUE(installed);
    frxDesignerClass() = [&, installed](TComponent* Owner, TfrxReport* Report, bool Preview) {
        TfrxCustomDesigner* made = installed(Owner, Report, Preview);
        auto* d = dynamic_cast<TfrxDesignerForm*>(made);
        if (!d) return made;
        auto* steps = new TTimer(d);
        steps->SetInterval(1);
        steps->OnTimer = [&, d, steps, Report](TObject*) {
            steps->SetEnabled(false);
            ran = true;
            harness->OnModal("TfrxReportEditorForm", [&password](TCustomForm& F) {
                auto& editor = dynamic_cast<TfrxReportEditorForm&>(F);
                H::Click(editor.PasswordE);
                H::TypeText(editor.PasswordE, password);
                H::Click(editor.OkB);
            });
            H::ClickMenuItem(dynamic_cast<TMenuItem*>(d->FindComponent("ReportSettingsMI")));
            EXPECT_EQ(Report->ReportOptions()->Password, password);
            H::TypeKey('S', ssCtrl);   // the window's shortcut, wherever the focus is
            saved = !d->Modified();
            H::ClickMenuItem(dynamic_cast<TMenuItem*>(d->FindComponent("ExitMI")));
        };
        return made;
    };
    Charge({{"XCG", "2"}}, [](Tprintform& p) {
        p.RadioButton3->SetChecked(true);
        H::Click(p.Button1);
        H::Click(p.Button2);
    });
    frxDesignerClass() = installed;
    SetSettingsDirectory(settings);
    ASSERT_TRUE(ran);
    EXPECT_TRUE(saved);

    std::string file;
    {
        TFileStream in(kReceiptTemplateFile, fmOpenRead);
        TStringStream bytes;
        bytes.CopyFrom(in, 0);
        file = bytes.DataString();
    }
    EXPECT_TRUE(IsValidUtf8(file));
    EXPECT_EQ(FileModeOf(kReceiptTemplateFile), 0600u) << "the password is stored reversibly";
    const std::string attr = "ReportOptions.Password=\"";
    const size_t at = file.find(attr);
    ASSERT_NE(at, std::string::npos);
    EXPECT_NE(file.compare(at + attr.size(), password.size() + 1, password + "\""), 0) << "stored shifted";
    EXPECT_NE(file.find("金额（元）"), std::string::npos);

    // The next receipt: the password window comes first, then the preview.
    TPreviewCapture capture;
    bool asked = false;
    Charge({{"XCG", "1"}}, [&](Tprintform& p) {
        harness->OnModal("TfrxPasswordForm", [&](TCustomForm& F) {
            asked = true;
            auto& f = dynamic_cast<TfrxPasswordForm&>(F);
            H::Click(f.PasswordE);
            H::TypeText(f.PasswordE, password);
            H::Click(f.OkB);
        });
        CapturePreview(*harness, capture);
        p.RadioButton2->SetChecked(true);
        H::Click(p.Button1);
        H::Click(p.Button2);
    });
    EXPECT_TRUE(asked);
    ASSERT_TRUE(capture.Shown);
    ASSERT_EQ(capture.Pages.size(), 1u);
    for (const char* t : {"项  目", "金额（元）", "西药费", "姓名：张三", "NO:240307002", "血常规"})
        EXPECT_TRUE(capture.Has(t)) << t << "\n" << capture.Dump();
}

}  // namespace
