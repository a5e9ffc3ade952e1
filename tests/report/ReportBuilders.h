// What the report tests build again and again: objects created named and placed in one
// step, a report whose run shows no message box, a dialog page with its buttons, a page
// whose one data row prints a memo, and the text a memo printed.
#pragma once

#include <memory>
#include <string>

#include "report/Bands.h"
#include "report/DialogControls.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PreviewPages.h"
#include "report/Report.h"

// A new object of class T in Parent, named Name and placed at the bounds given.
template <class T>
T* AddNamed(TComponent* Parent, const std::string& Name, double Left, double Top, double Width, double Height) {
    auto* c = new T(Parent);
    c->SetName(Name);
    c->SetBounds(Left, Top, Width, Height);
    return c;
}

// A report of its own whose run reports its errors without a message box.
inline std::unique_ptr<TfrxReport> NewSilentReport() {
    auto report = std::make_unique<TfrxReport>(nullptr);
    report->EngineOptions()->SilentMode = true;
    return report;
}

// The dialog page "DialogPage1", Width by Height.
inline TfrxDialogPage* AddDialogPage(TfrxReport* Report, double Width, double Height) {
    return AddNamed<TfrxDialogPage>(Report, "DialogPage1", 0, 0, Width, Height);
}

// A 75 x 25 button of the dialog page that closes it with ModalResult.
inline TfrxButtonControl* AddDialogButton(TfrxDialogPage* Dialog, const std::string& Name, const std::string& Caption,
                                          int ModalResult, double Left, double Top) {
    auto* button = AddNamed<TfrxButtonControl>(Dialog, Name, Left, Top, 75, 25);
    button->SetCaption(Caption);
    button->SetModalResult(ModalResult);
    return button;
}

// The report page "Page1" with the data band "MasterData1" of one row, Width wide and 20
// high, holding the memo "Memo1" as large, with Text; returns the memo.
inline TfrxMemoView* AddOneRowMemoPage(TfrxReport* Report, double Width, const std::string& Text = "") {
    auto* page = new TfrxReportPage(Report);
    page->SetName("Page1");
    auto* band = AddNamed<TfrxMasterData>(page, "MasterData1", 0, 0, Width, 20);
    band->SetRowCount(1);
    auto* memo = AddNamed<TfrxMemoView>(band, "Memo1", 0, 0, Width, 20);
    if (!Text.empty()) memo->SetText(Text);
    return memo;
}

// The text the memo Name printed on the first prepared page, without the line break that
// ends it; "(no page)" or "(no memo)" when there is none.
inline std::string PrintedMemoText(TfrxReport* Report, const std::string& Name = "Memo1") {
    TfrxPage* page = Report->PreviewPages()->GetPage(0);
    if (!page) return "(no page)";
    auto* memo = dynamic_cast<TfrxCustomMemoView*>(page->FindObject(Name));
    if (!memo) return "(no memo)";
    std::string text = memo->Text();
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
    return text;
}
