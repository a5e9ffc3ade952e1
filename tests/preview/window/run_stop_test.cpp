// A report whose script never ends, previewed: the window answers while the script runs,
// and its close button or Esc ends the run; the template comes back as it was and the
// report runs again afterwards.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/Buttons.h"
#include "platform/ui/Keys.h"
#include "platform/ui/UiTest.h"
#include "WindowFixture.h"
#include "report/Variables.h"

namespace {

using H = TUiTestHarness;

// A report of one page whose page header PageHeader1 is Width x Height, previewed in a
// modal window of its own size.
struct TPageHeaderReport {
    TUiTestHarness Harness;
    TfrxReport Report{nullptr};
    // The header as made (a run reads the template back: look it up after one).
    TfrxPageHeader* Header = nullptr;

    TPageHeaderReport(int Width, int Height) {
        frxRegisterPreviewPages();
        frxRegisterPreviewForm();
        Report.EngineOptions()->SilentMode = true;
        Report.PreviewOptions()->Modal = true;
        Report.PreviewOptions()->Maximized = false;
        auto* page = new TfrxReportPage(&Report);
        page->SetName("Page1");
        Header = new TfrxPageHeader(page);
        Header->SetName("PageHeader1");
        Header->SetBounds(0, 0, Width, Height);
    }
};

// One page with a page header holding Memo1 ("收费") and the script given.
struct TEndlessReport : TPageHeaderReport {
    TfrxMemoView* Memo = nullptr;

    explicit TEndlessReport(const std::string& Script) : TPageHeaderReport(300, 40) {
        Memo = new TfrxMemoView(Header);
        Memo->SetName("Memo1");
        Memo->SetBounds(0, 0, 200, 20);
        Memo->SetText("收费");
        SetScript(Script);
    }
    void SetScript(const std::string& Text) { Report.ScriptText()->SetText(Text); }
    std::string MemoText() {
        auto* m = dynamic_cast<TfrxMemoView*>(Report.FindObject("Memo1"));
        return m ? m->Text() : std::string("(no Memo1)");
    }
};

}  // namespace

// Esc typed while the endless main block runs, and the close button clicked while a loop
// of the script asks the report for a value: the window closes, the run stops, nothing
// was prepared, the memo the script changed is the template's again, and the report
// previews its next run.
TEST(PreviewRunStop, CloseOrEscEndsAnEndlessScript) {
    struct Case {
        const char* Name;
        const char* Script;
        bool Esc;
    };
    for (const Case& c : std::vector<Case>{
             {"Esc", "begin Memo1.Memo.Text := '改了'; while True do ; end.", true},
             {"关闭", "begin Memo1.Memo.Text := '改了'; while True do Get('Tick'); end.", false},
             {"Esc in a procedure", "procedure Spin; begin repeat until False; end;\nbegin Memo1.Memo.Text := '改了'; "
                                    "while True do Spin; end.",
              true},
         }) {
        SCOPED_TRACE(c.Name);
        TEndlessReport r(c.Script);
        TfrxPreviewForm* shown = nullptr;
        int asked = 0;
        r.Report.OnGetValue = [&](const std::string& Name, Variant& Value) {
            if (Name != "Tick") return;
            Value = Variant(++asked);
            if (asked == 1000 && shown) {
                EXPECT_EQ(shown->CancelB->Text(), "关闭");
                H::Click(shown->CancelB);
            }
        };
        bool closed = false;
        r.Harness.OnModal("TfrxPreviewForm", [&](TCustomForm& F) {
            shown = &dynamic_cast<TfrxPreviewForm&>(F);
            if (c.Esc) H::PostKey(VK_ESCAPE);
            ASSERT_TRUE(r.Report.Timer()->Enabled());
            H::FireTimer(r.Report.Timer());
            closed = F.ModalResult() != mrNone;
        });
        r.Report.ShowReport(true);
        EXPECT_TRUE(closed);
        EXPECT_TRUE(r.Harness.Errors().empty()) << (r.Harness.Errors().empty() ? "" : r.Harness.Errors()[0]);
        EXPECT_EQ(r.Report.PreviewPages()->Count(), 0);
        EXPECT_EQ(r.MemoText(), "收费\r\n");
        EXPECT_EQ(r.Report.Errors()->Count(), 0);

        // The same report, its script now ending, shows its page.
        r.SetScript("begin Memo1.Memo.Text := '改了'; end.");
        int pages = -1;
        r.Harness.OnModal("TfrxPreviewForm", [&](TCustomForm& F) {
            auto& form = dynamic_cast<TfrxPreviewForm&>(F);
            H::FireTimer(r.Report.Timer());
            pages = r.Report.PreviewPages()->Count();
            H::Click(form.CancelB);
        });
        r.Report.ShowReport(true);
        EXPECT_EQ(pages, 1);
        EXPECT_EQ(r.MemoText(), "收费\r\n");
    }
}

namespace {

// One page whose page header holds Memos memos, each asking for "Tick": a run spends
// seconds on its one page.
struct TLargeHeaderReport : TPageHeaderReport {
    explicit TLargeHeaderReport(int Memos) : TPageHeaderReport(700, 400) { SetMemos(Memos); }
    // The run reads the template back afterwards: the band is looked up each time.
    void SetMemos(int Memos) {
        TfrxComponent* band = Report.FindObject("PageHeader1");
        band->Clear();
        for (int i = 0; i < Memos; ++i) {
            auto* memo = new TfrxMemoView(band);
            memo->SetName("Memo" + std::to_string(i + 1));
            memo->SetBounds((i % 20) * 34, (i / 20) % 20 * 19, 34, 19);
            memo->SetText("项[Tick]");
        }
    }
};

}  // namespace

// Esc typed, or the cancel button clicked, while the engine fills the 40,000 memos of a
// page header: the run stops within the page (most memos never filled), the page it was
// making is dropped, the window is idle again and closes. Esc typed before the run closes
// the window, and the run stops while the page is copied, before any memo is filled. The
// template is whole afterwards and the next run shows its page.
TEST(PreviewRunStop, EscOrCancelStopsTheRunAmidAPage) {
    constexpr int kMemos = 40000;
    struct Case {
        const char* Name;
        bool Esc;
        bool BeforeRun;
    };
    for (const Case& c : std::vector<Case>{{"Esc", true, false}, {"取消", false, false}, {"Esc before the run", true, true}}) {
        SCOPED_TRACE(c.Name);
        TLargeHeaderReport r(kMemos);
        TfrxPreviewForm* shown = nullptr;
        int readied = 0;
        std::string captionDuringRun;
        r.Report.OnGetValue = [&](const std::string& Name, Variant& Value) {
            if (Name != "Tick") return;
            Value = Variant(++readied);
            // A value that takes a while to fetch (a lookup per memo): filling the memos
            // lasts about a second.
            const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(25);
            while (std::chrono::steady_clock::now() < until) {
            }
            if (readied != 2000 || !shown || c.BeforeRun) return;
            captionDuringRun = shown->CancelB->Text();
            if (c.Esc) H::PostKey(shown, VK_ESCAPE);
            else H::Click(shown->CancelB);
        };
        int pagesAfterRun = -1, copiesAfterRun = -1;
        bool closed = false, idleAfterRun = false;
        std::string captionAfterRun;
        r.Harness.OnModal("TfrxPreviewForm", [&](TCustomForm& F) {
            shown = &dynamic_cast<TfrxPreviewForm&>(F);
            if (c.BeforeRun) H::PostKey(VK_ESCAPE);
            ASSERT_TRUE(r.Report.Timer()->Enabled());
            H::FireTimer(r.Report.Timer());
            pagesAfterRun = r.Report.PreviewPages()->Count();
            copiesAfterRun = dynamic_cast<TfrxPreviewPages&>(*r.Report.PreviewPages()).SourcePageCount();
            closed = F.ModalResult() != mrNone;
            if (closed) return;
            idleAfterRun = !shown->Preview->Running();
            captionAfterRun = shown->CancelB->Text();
            H::Click(shown->CancelB);
        });
        r.Report.ShowReport(true);
        EXPECT_EQ(pagesAfterRun, 0);
        if (c.BeforeRun) {
            EXPECT_TRUE(closed);
            EXPECT_EQ(readied, 0);
            EXPECT_EQ(copiesAfterRun, 0) << "the stop was seen only after the page was copied";
        } else {
            EXPECT_EQ(captionDuringRun, "取消");
            EXPECT_GE(readied, 2000);
            EXPECT_LT(readied, kMemos / 2) << "the stop was seen only after the page's objects";
            EXPECT_FALSE(closed);
            EXPECT_TRUE(idleAfterRun);
            EXPECT_EQ(captionAfterRun, "关闭");
        }
        EXPECT_TRUE(r.Harness.Errors().empty()) << (r.Harness.Errors().empty() ? "" : r.Harness.Errors()[0]);
        EXPECT_EQ(r.Report.Errors()->Count(), 0);
        ASSERT_NE(r.Report.FindObject("Memo40000"), nullptr);

        // The same report with a small header shows its page.
        r.SetMemos(50);
        r.Report.OnGetValue = nullptr;
        int pages = -1;
        r.Harness.OnModal("TfrxPreviewForm", [&](TCustomForm& F) {
            auto& form = dynamic_cast<TfrxPreviewForm&>(F);
            H::FireTimer(r.Report.Timer());
            pages = r.Report.PreviewPages()->Count();
            H::Click(form.CancelB);
        });
        r.Report.ShowReport(true);
        EXPECT_EQ(pages, 1);
    }
}
