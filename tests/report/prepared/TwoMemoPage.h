// The report page the prepared-pages tests write: a master band at 20 holding two memos,
// "Memo1" (empty) at the left and "Memo2" saying "fixed".
#pragma once

#include "report/Bands.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PreviewPages.h"
#include "report/Report.h"

struct TTwoMemoPage {
    TfrxReport Report{nullptr};
    TfrxReportPage* Page;
    TfrxMasterData* Band;
    TfrxMemoView* Memo;
    TfrxMemoView* Other;

    TTwoMemoPage() {
        frxRegisterPreviewPages();
        Page = new TfrxReportPage(&Report);
        Page->SetName("Page1");
        Band = new TfrxMasterData(Page);
        Band->SetName("MasterData1");
        Band->SetBounds(0, 20, 700, 30);
        Memo = new TfrxMemoView(Band);
        Memo->SetName("Memo1");
        Memo->SetBounds(10, 0, 200, 20);
        Other = new TfrxMemoView(Band);
        Other->SetName("Memo2");
        Other->SetBounds(300, 0, 100, 20);
        Other->SetText("fixed");
    }
};
