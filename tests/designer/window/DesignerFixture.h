// A designer window on a small report, built as the report builds it and shown offscreen,
// with the test harness answering every message box and dialog.
#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "designer/resources/DesignerTexts.h"
#include "designer/window/DesignerForm.h"
#include "designer/workspace/PageWorkspace.h"
#include "platform/rtl/Settings.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/TabControl.h"
#include "platform/ui/UiTest.h"
#include "preview/Dock.h"
#include "report/Bands.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"

// A page with a report title holding a memo, and a master data band holding two.
inline TfrxReportPage* frxSmallReport(TfrxReport& Report) {
    auto* page = new TfrxReportPage(&Report);
    page->SetName("Page1");
    page->SetDefaults();
    auto* title = new TfrxReportTitle(page);
    title->SetName("ReportTitle1");
    title->SetBounds(0, 20, 718, 40);
    auto* m1 = new TfrxMemoView(title);
    m1->SetName("TitleMemo");
    m1->SetBounds(10, 5, 200, 20);
    m1->SetText("XXX医院门诊收费结算收据");
    auto* data = new TfrxMasterData(page);
    data->SetName("MasterData1");
    data->SetBounds(0, 100, 718, 30);
    auto* m2 = new TfrxMemoView(data);
    m2->SetName("Memo2");
    m2->SetBounds(0, 0, 100, 20);
    m2->SetText("项目");
    auto* m3 = new TfrxMemoView(data);
    m3->SetName("Memo3");
    m3->SetBounds(120, 0, 100, 20);
    m3->SetText("金额");
    return page;
}

// A settings folder of the test's own while it lives (the window reads its settings when
// made and writes them when it goes), removed afterwards.
struct TTestSettingsDir {
    std::string Saved = SettingsDirectory();
    std::string Path;
    TTestSettingsDir() {
        static std::atomic<int> counter{0};
        Path = (std::filesystem::temp_directory_path() /
                ("designer_settings_" + std::to_string(::getpid()) + "_" + std::to_string(counter++)))
                   .string();
        std::filesystem::create_directories(Path);
        SetSettingsDirectory(Path);
    }
    ~TTestSettingsDir() {
        SetSettingsDirectory(Saved);
        std::error_code ec;
        std::filesystem::remove_all(Path, ec);
    }
    TTestSettingsDir(const TTestSettingsDir&) = delete;
    TTestSettingsDir& operator=(const TTestSettingsDir&) = delete;
};

struct TDesignerFixture {
    TUiTestHarness Harness;
    TTestSettingsDir Settings;
    std::unique_ptr<TfrxReport> Report;
    std::unique_ptr<TfrxDesignerForm> Form;

    explicit TDesignerFixture(bool Small = true, bool PreviewMode = false) {
        frxRegisterDesignerTexts();
        // The window as the program installs it, with the dialogs its commands open.
        frxRegisterDesigner();
        Report = std::make_unique<TfrxReport>(nullptr);
        if (Small) frxSmallReport(*Report);
        Open(PreviewMode);
    }
    void Open(bool PreviewMode = false) {
        Form = std::make_unique<TfrxDesignerForm>(nullptr, Report.get(), PreviewMode);
        Form->Show();
        TUiTestHarness::ProcessMessages();
    }
    ~TDesignerFixture() { Form.reset(); }

    TfrxComponent* Find(const char* Name) const { return Report->FindObject(Name); }
    std::vector<TfrxComponent*>& Selection() { return Form->SelectedObjects(); }
    void Select(std::initializer_list<TfrxComponent*> Items) {
        Form->SelectedObjects().assign(Items);
        Form->OnSelectionChanged(Form->Workspace);
    }
    std::string Tabs() const {
        std::string s;
        TStringList* t = Form->Tab->Tabs();
        for (int i = 0; i < t->Count(); ++i) s += (i ? "|" : "") + (*t)[i];
        return s;
    }
    std::string Xml() const {
        TMemoryStream s;
        Report->SaveToStream(s);
        return std::string(static_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
    }
};

// The designer class for one test: the window is built, Act works on it, then the report
// runs it as usual (its settings in a folder of the test's own).
struct TDesignerClassScope {
    TTestSettingsDir Settings;
    TfrxDesignerClass Saved = frxDesignerClass();
    explicit TDesignerClassScope(std::function<void(TfrxDesignerForm&)> Act) {
        frxRegisterDesignerTexts();
        frxDesignerClass() = [Act](TComponent* Owner, TfrxReport* Report, bool Preview) -> TfrxCustomDesigner* {
            auto* d = new TfrxDesignerForm(Owner, Report, Preview);
            Act(*d);
            return d;
        };
    }
    ~TDesignerClassScope() { frxDesignerClass() = Saved; }
};
