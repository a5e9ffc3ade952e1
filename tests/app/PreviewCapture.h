// What a window's print button put in front of the user: the next preview window is
// driven by the test harness, which prepares the report as the preview's timer would,
// keeps every memo of every prepared page and closes the window. With CAPTURE_DIR set in
// the environment, each page is also saved there as drawn (pageN.bmp), to be looked at.
#pragma once

#include "platform/graphics/Graphics.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/UiTest.h"
#include "preview/Preview.h"
#include "preview/PreviewForm.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PreviewPages.h"
#include "report/Report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

struct TPreviewMemo {
    std::string Text;   // without the line break that ends the memo
    double Left, Top, Width, Height;
    bool Fits;          // every line shows whole: on one line, or wrapped into the memo's height
};

struct TPreviewCapture {
    bool Shown = false;
    std::vector<std::vector<TPreviewMemo>> Pages;
    double PageWidth = 0;      // the printable width of the first page, in pixels
    TfrxReport* Report = nullptr;

    // Every memo text of a page, in the page's order.
    std::vector<std::string> Texts(size_t Page) const {
        std::vector<std::string> texts;
        for (const TPreviewMemo& m : Pages.at(Page)) texts.push_back(m.Text);
        return texts;
    }
    // Memos cut off: lying beyond the printable width or showing less than their text.
    std::vector<std::string> CutOff() const {
        std::vector<std::string> cut;
        for (const auto& page : Pages)
            for (const TPreviewMemo& m : page)
                if (!m.Fits || m.Left < -0.5 || m.Left + m.Width > PageWidth + 0.5) cut.push_back(m.Text);
        return cut;
    }
    // Whether the texts stand one after the other on a page (a printed row).
    bool HasRow(const std::vector<std::string>& Row) const {
        for (size_t p = 0; p < Pages.size(); ++p) {
            const std::vector<std::string> texts = Texts(p);
            if (std::search(texts.begin(), texts.end(), Row.begin(), Row.end()) != texts.end()) return true;
        }
        return false;
    }
    // Every page's texts, one "|"-joined line per page (for failure messages).
    std::string Dump() const {
        std::string s;
        for (size_t p = 0; p < Pages.size(); ++p) {
            for (const std::string& t : Texts(p)) s += t + "|";
            s += "\n";
        }
        return s;
    }
    bool Has(const std::string& Text) const {
        for (const auto& page : Pages)
            for (const TPreviewMemo& m : page)
                if (m.Text == Text) return true;
        return false;
    }
};

// Whether the memo's text shows whole in the fonts the program draws with.
inline bool MemoFits(TfrxCustomMemoView& Memo) {
    static TBitmap bitmap;
    bitmap.SetWidth(8);
    bitmap.SetHeight(8);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Font()->Assign(Memo.Font());
    const double room = Memo.Width() - 2 * Memo.GapX;
    const double lineHeight = std::abs(Memo.Font()->Height());
    double lines = 0;
    for (int i = 0; i < Memo.Memo()->Count(); ++i) {
        const int width = canvas->TextWidth((*Memo.Memo())[i]);
        if (!Memo.WordWrap && width > room + 0.5) return false;
        lines += std::max(1.0, std::ceil(width / room));
    }
    return lines * lineHeight <= Memo.Height() + 0.5;
}

// The next preview window: prepare, capture, run During while the window is up, close.
inline void CapturePreview(TUiTestHarness& Harness, TPreviewCapture& Into, std::function<void()> During = {}) {
    Harness.OnModal("TfrxPreviewForm", [&Into, During](TCustomForm& F) {
        auto& form = dynamic_cast<TfrxPreviewForm&>(F);
        TfrxReport* report = form.Preview->Report;
        Into.Shown = true;
        Into.Report = report;
        TUiTestHarness::FireTimer(report->Timer());
        TfrxCustomPreviewPages* pages = report->PreviewPages();
        for (int i = 0; i < pages->Count(); ++i) {
            // Drawn as the preview draws it: the page count goes in then.
            double width = 0, height = 0;
            pages->GetPageSize(i, width, height);
            TBitmap sheet;
            sheet.SetWidth(static_cast<int>(width));
            sheet.SetHeight(static_cast<int>(height));
            pages->DrawPage(i, sheet.Canvas(), 1, 1, 0, 0);
            if (getenv("CAPTURE_DIR")) sheet.SaveToFile(std::string(getenv("CAPTURE_DIR")) + "/page" + std::to_string(i) + ".bmp");
            auto* page = dynamic_cast<TfrxReportPage*>(pages->GetPage(i));
            std::vector<TPreviewMemo> memos;
            if (!page) continue;
            if (i == 0) Into.PageWidth = (page->PaperWidth() - page->LeftMargin - page->RightMargin) * frxMmToPixels;
            for (TfrxComponent* c : page->AllObjects())
                if (auto* m = dynamic_cast<TfrxCustomMemoView*>(c)) {
                    std::string text = m->Memo()->Text();
                    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
                    memos.push_back({text, m->AbsLeft(), m->AbsTop(), m->Width(), m->Height(), MemoFits(*m)});
                }
            Into.Pages.push_back(std::move(memos));
        }
        if (During) During();
        TUiTestHarness::Click(form.CancelB);
    });
}
