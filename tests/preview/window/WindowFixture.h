// Shared by the preview window tests: a report with prepared pages built in the test, and
// the window over them initialised the way the report does it.
#pragma once

#include <memory>
#include <string>

#include "platform/ui/UiTest.h"
#include "preview/Preview.h"
#include "preview/PreviewForm.h"
#include "report/Bands.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PreviewPages.h"
#include "report/Report.h"

// A report whose prepared pages hold Count pages of 100 x 150 mm, each with a memo.
struct TPreparedReport {
    TUiTestHarness Harness;
    TfrxReport Report{nullptr};
    TfrxPreviewPages* Pages = nullptr;

    explicit TPreparedReport(int Count) {
        frxRegisterPreviewPages();
        frxRegisterPreviewForm();
        Pages = dynamic_cast<TfrxPreviewPages*>(Report.PreviewPages());
        auto* page = new TfrxReportPage(&Report);
        page->SetName("Page1");
        page->SetPaperSize(frxCustomPaperSize);
        page->SetPaperWidth(100);
        page->SetPaperHeight(150);
        page->LeftMargin = page->TopMargin = page->RightMargin = page->BottomMargin = 10;
        auto* band = new TfrxMasterData(page);
        band->SetName("MasterData1");
        band->SetBounds(0, 0, 300, 60);
        auto* memo = new TfrxMemoView(band);
        memo->SetName("Memo1");
        memo->SetBounds(0, 0, 280, 40);
        memo->Font()->SetSize(14);
        memo->SetColor(clYellow);
        Pages->AddSourcePage(page);
        for (int i = 0; i < Count; ++i) {
            Pages->AddPage(page);
            memo->SetText("第 " + std::to_string(i + 1) + " 页 Receipt");
            Pages->AddObject(band);
        }
        Report.PreviewOptions()->Maximized = false;
    }
};

// The window built and initialised the way the report does it, shown offscreen.
struct TWindow {
    TPreparedReport R;
    std::unique_ptr<TfrxPreviewForm> Form;
    explicit TWindow(int Count, TfrxPreviewButtons Buttons = TfrxPreviewOptions().Buttons) : R(Count) {
        R.Report.PreviewOptions()->Buttons = Buttons;
        Form = std::make_unique<TfrxPreviewForm>(nullptr);
        Form->Preview->Report = &R.Report;
        Form->Preview->PreviewPages = R.Pages;
        Form->Init();
        Form->Show();
        TUiTestHarness::ProcessMessages();
    }
    std::string Status(int Panel) const { return Form->StatusBar->Panels()->Items(Panel)->Text(); }
};
