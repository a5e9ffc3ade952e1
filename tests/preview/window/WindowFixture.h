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

// A report whose prepared pages hold Count pages of 100 x 150 mm, each with a memo; with
// LandscapeLast the last one lies across, 150 x 100 mm, shorter than the others.
struct TPreparedReport {
    TUiTestHarness Harness;
    TfrxReport Report{nullptr};
    TfrxPreviewPages* Pages = nullptr;

    explicit TPreparedReport(int Count, bool LandscapeLast = false) {
        frxRegisterPreviewPages();
        frxRegisterPreviewForm();
        Pages = dynamic_cast<TfrxPreviewPages*>(Report.PreviewPages());
        // A source page of Width x Height mm with a band and its memo.
        auto source = [&](const char* Name, double Width, double Height, TfrxMasterData*& Band, TfrxMemoView*& Memo) {
            auto* page = new TfrxReportPage(&Report);
            page->SetName(std::string("Page") + Name);
            page->SetPaperSize(frxCustomPaperSize);
            if (Width > Height) page->SetOrientation(poLandscape);
            page->SetPaperWidth(Width);
            page->SetPaperHeight(Height);
            page->LeftMargin = page->TopMargin = page->RightMargin = page->BottomMargin = 10;
            Band = new TfrxMasterData(page);
            Band->SetName(std::string("MasterData") + Name);
            Band->SetBounds(0, 0, 300, 60);
            Memo = new TfrxMemoView(Band);
            Memo->SetName(std::string("Memo") + Name);
            Memo->SetBounds(0, 0, 280, 40);
            Memo->Font()->SetSize(14);
            Memo->SetColor(clYellow);
            Pages->AddSourcePage(page);
            return page;
        };
        TfrxMasterData *band = nullptr, *wideBand = nullptr;
        TfrxMemoView *memo = nullptr, *wideMemo = nullptr;
        TfrxReportPage* page = source("1", 100, 150, band, memo);
        TfrxReportPage* wide = LandscapeLast ? source("2", 150, 100, wideBand, wideMemo) : nullptr;
        for (int i = 0; i < Count; ++i) {
            const bool across = wide && i == Count - 1;
            Pages->AddPage(across ? wide : page);
            (across ? wideMemo : memo)->SetText("第 " + std::to_string(i + 1) + " 页 Receipt");
            Pages->AddObject(across ? wideBand : band);
        }
        Report.PreviewOptions()->Maximized = false;
    }
};

// The window built and initialised the way the report does it, shown offscreen.
struct TWindow {
    TPreparedReport R;
    std::unique_ptr<TfrxPreviewForm> Form;
    explicit TWindow(int Count, TfrxPreviewButtons Buttons = TfrxPreviewOptions().Buttons, bool LandscapeLast = false)
        : R(Count, LandscapeLast) {
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
