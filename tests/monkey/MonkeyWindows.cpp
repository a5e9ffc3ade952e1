// The windows the random use runs over: the designer over the clinic's receipt template and
// over a report with a dialog page and a dot-matrix page, the preview window over the pages
// of a run report, and the clinic's windows after the login, on a database of the run's own.
#include "Monkey.h"

#include <filesystem>
#include <memory>
#include <stdexcept>

#include "app/forms/ClinicForms.h"
#include "app/forms/DataModule.h"
#include "app/forms/LoginForm.h"
#include "app/forms/MainForm.h"
#include "app/forms/Startup.h"
#include "designer/window/DesignerForm.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "preview/Preview.h"
#include "preview/PreviewForm.h"
#include "report/PreviewPages.h"
#include "report/Report.h"

namespace {
using H = TUiTestHarness;

// Tells when a window went (a window may free itself when closed).
class TGoneWatch final : public TComponent {
public:
    TGoneWatch() : TComponent(nullptr) {}
    void Watch(TComponent* C) {
        FGone = false;
        C->FreeNotification(this);
    }
    bool Gone() const { return FGone; }
    // Shows Form again when it is still there (hidden by the events); false when it went.
    bool ShowAgain(TCustomForm* Form) const {
        if (!Form || FGone) return false;
        Form->Show();
        H::ProcessMessages();
        return true;
    }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove) FGone = true;
    }

private:
    bool FGone = true;
};

const char* const kPagesReport = R"(<?xml version="1.0" encoding="utf-8"?>
<TfrxReport ScriptLanguage="PascalScript" ScriptText.Text="begin&#13;&#10;end.">
  <TfrxDialogPage Name="DialogPage1" Left="265" Top="150" Width="300" Height="200" Caption="查询条件">
    <TfrxLabelControl Name="Label1" Left="10" Top="10" Width="60" Height="16" Caption="日期"/>
    <TfrxEditControl Name="Edit1" Left="80" Top="8" Width="120" Height="21" Text="2024-01-01"/>
    <TfrxCheckBoxControl Name="CheckBox1" Left="10" Top="40" Width="120" Height="17" Caption="只看退费"/>
    <TfrxButtonControl Name="Button1" Left="20" Top="130" Width="75" Height="25" Caption="确定" ModalResult="1"/>
    <TfrxButtonControl Name="Button2" Left="120" Top="130" Width="75" Height="25" Caption="取消" ModalResult="2"/>
  </TfrxDialogPage>
  <TfrxDMPPage Name="Page1" PaperWidth="210" PaperHeight="297">
    <TfrxReportTitle Name="ReportTitle1" Top="18" Width="760" Height="36">
      <TfrxDMPMemoView Name="DMPMemo1" Left="19" Top="0" Width="304" Height="18" Memo.Text="门诊收费收据"/>
      <TfrxDMPLineView Name="DMPLine1" Left="0" Top="18" Width="760" Height="0"/>
    </TfrxReportTitle>
    <TfrxMasterData Name="MasterData1" Top="72" Width="760" Height="18" RowCount="2">
      <TfrxDMPMemoView Name="DMPMemo2" Left="0" Top="0" Width="152" Height="18" Memo.Text="[Line#]"/>
    </TfrxMasterData>
  </TfrxDMPPage>
  <TfrxReportPage Name="Page2" PaperWidth="210" PaperHeight="297" LeftMargin="10">
    <TfrxReportTitle Name="ReportTitle2" Top="10" Width="700" Height="40">
      <TfrxMemoView Name="Memo1" Left="5" Top="2" Width="200" Height="20" Memo.Text="[Date] 第[Page#]页"/>
      <TfrxLineView Name="Line1" Left="0" Top="30" Width="700" Height="0"/>
    </TfrxReportTitle>
    <TfrxMasterData Name="MasterData2" Top="60" Width="700" Height="20" RowCount="90">
      <TfrxMemoView Name="Memo2" Width="100" Height="20" Memo.Text="[Line#]"/>
      <TfrxShapeView Name="Shape1" Left="300" Width="40" Height="18"/>
    </TfrxMasterData>
  </TfrxReportPage>
</TfrxReport>
)";

void LoadText(TfrxReport& Report, const std::string& Text) {
    TMemoryStream s;
    s.Write(Text.data(), static_cast<int64_t>(Text.size()));
    s.SetPosition(0);
    Report.LoadFromStream(s);
}

class TDesignerWindow final : public TMonkeyWindow {
public:
    explicit TDesignerWindow(bool Receipt) : FReceipt(Receipt) {}
    ~TDesignerWindow() override {
        if (!FWatch.Gone()) delete FForm;
    }
    void Open() override {
        if (FWatch.ShowAgain(FForm)) return;
        FForm = nullptr;
        FReport = std::make_unique<TfrxReport>(nullptr);
        FReport->EngineOptions()->SilentMode = true;
        // A copy in the run's folder: the events save the report where it came from.
        if (FReceipt) {
            std::filesystem::copy_file(ROVE_SOURCE_DIR "/app/reports/rove.bl3", "rove.bl3",
                                       std::filesystem::copy_options::overwrite_existing);
            FReport->LoadFromFile("rove.bl3");
        }
        else LoadText(*FReport, kPagesReport);
        FForm = new TfrxDesignerForm(nullptr, FReport.get(), false);
        FWatch.Watch(FForm);
        FForm->SetBounds(0, 0, 1100, 800);
        FForm->Show();
        H::ProcessMessages();
    }
    TCustomForm* Main() override { return FWatch.Gone() ? nullptr : FForm; }

private:
    bool FReceipt;
    std::unique_ptr<TfrxReport> FReport;
    TfrxDesignerForm* FForm = nullptr;   // the window frees itself when closed, or at exit
    TGoneWatch FWatch;
};

class TPreviewWindow final : public TMonkeyWindow {
public:
    ~TPreviewWindow() override {
        if (!FWatch.Gone()) delete FForm;
    }
    void Open() override {
        if (FWatch.ShowAgain(FForm)) return;
        FReport = std::make_unique<TfrxReport>(nullptr);
        FReport->EngineOptions()->SilentMode = true;
        LoadText(*FReport, kPagesReport);
        // The dialog page asks before the run: OK.
        MonkeyHarness().OnModal([](TCustomForm& Form) { Form.SetModalResult(mrOk); });
        FReport->PrepareReport();
        FReport->PreviewOptions()->Maximized = false;
        FForm = new TfrxPreviewForm(nullptr);
        FWatch.Watch(FForm);
        FForm->Preview->Report = FReport.get();
        FForm->Preview->PreviewPages = dynamic_cast<TfrxPreviewPages*>(FReport->PreviewPages());
        FForm->Init();
        FForm->SetBounds(0, 0, 1000, 760);
        FForm->Show();
        H::ProcessMessages();
    }
    TCustomForm* Main() override { return FWatch.Gone() ? nullptr : FForm; }

private:
    std::unique_ptr<TfrxReport> FReport;
    TfrxPreviewForm* FForm = nullptr;
    TGoneWatch FWatch;
};

class TClinicWindows final : public TMonkeyWindow {
public:
    void Open() override {
        if (FStarted) {
            if (wqtdglzjmform) wqtdglzjmform->Show();
            H::ProcessMessages();
            return;
        }
        FStarted = true;
        if (!CreateClinicWindows()) throw std::runtime_error("the clinic's windows could not be made");
        for (const char* sql : {
                 "INSERT INTO tb_ks (科室名称) VALUES ('内科')",
                 "INSERT INTO tb_doctor (姓名, 拼音码, 性别, 科室) VALUES ('李明', 'LM', '男', '内科')",
                 "INSERT INTO tb_brzl (id, 姓名, 拼音码, 年龄, 性别) VALUES (1, '张三', 'ZS', '30', '男')",
                 "UPDATE tb_brbh SET brbh = 1",
                 "INSERT INTO tb_yp (项目种类, 项目类型, 项目名称, 拼音码, 规格, 单位, 单价, 库存数量) VALUES "
                 "('西药', '西药费', '阿莫西林', 'AMXL', '盒', '盒', 8.5, 100)",
                 "INSERT INTO tb_yp (项目种类, 项目类型, 项目名称, 拼音码, 规格, 单位, 单价) VALUES "
                 "('检查项目', '检查费', '血常规', 'XCG', '次', '次', 12.5)"}) {
            TADOQuery q(nullptr);
            q.SetConnection(datamoduleform->ADOConnection1);
            q.SQL()->SetText(sql);
            try {
                q.ExecSQL();
            } catch (const Exception&) {
                // A column this database does not have: the row is left out.
            }
        }
        // The login, typed as the cashier types it.
        MonkeyHarness().OnModal("TLogoinForm", [](TCustomForm& Form) {
            auto& login = dynamic_cast<TLogoinForm&>(Form);
            H::Click(login.ComboBox);
            H::TypeKey(login.ComboBox, VK_HOME);
            H::TypeKey(login.ComboBox, VK_END, ssShift);
            H::TypeText(login.ComboBox, "tulvo");
            H::TypeKey(login.ComboBox, VK_TAB);
            H::TypeText(login.edit1, "tulvo");
            H::Click(login.Button1);
        });
        wqtdglzjmform->Show();
        H::ElapseTime(1);
    }
    TCustomForm* Main() override { return wqtdglzjmform; }
    bool AllForms() const override { return true; }

private:
    bool FStarted = false;
};
}  // namespace

std::vector<std::string> MonkeyWindowNames() { return {"designer-receipt", "designer-pages", "preview", "clinic"}; }

std::unique_ptr<TMonkeyWindow> MakeMonkeyWindow(const std::string& Name) {
    if (Name == "designer-receipt") return std::make_unique<TDesignerWindow>(true);
    if (Name == "designer-pages") return std::make_unique<TDesignerWindow>(false);
    if (Name == "preview") return std::make_unique<TPreviewWindow>();
    if (Name == "clinic") return std::make_unique<TClinicWindows>();
    return nullptr;
}
