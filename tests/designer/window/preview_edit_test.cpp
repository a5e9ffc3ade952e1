// "编辑" in the preview: the designer window in its restricted mode on one prepared page,
// and the changed page written back to the prepared report.
#include <gtest/gtest.h>

#include "../../preview/window/WindowFixture.h"
#include "DesignerFixture.h"
#include "report/ReportServices.h"

namespace {

struct TMemoState {
    std::string Text;
    double Left;
};

TMemoState MemoOnPage(TfrxPreviewPages* Pages, int Index) {
    TfrxPage* page = Pages->GetPage(Index);
    auto* memo = page ? dynamic_cast<TfrxMemoView*>(page->FindObject("Memo1")) : nullptr;
    if (!memo) return {"(none)", -1};
    return {memo->Memo()->Strings(0), memo->AbsLeft() - page->AbsLeft()};
}

// The page edited and kept (Yes) replaces the prepared page, in the paper size it had;
// No or no change leaves it; the other pages never change.
TEST(DesignerPreviewEdit, AChangedPageIsWrittenBackInItsPaperSize) {
    struct {
        bool Change;
        int Answer;
        bool Written;
    } cases[] = {{true, IDYES, true}, {true, IDNO, false}, {false, IDYES, false}};
    for (const auto& c : cases) {
        TWindow w(2);
        double width = 0, height = 0;
        w.R.Pages->GetPageSize(1, width, height);
        const TMemoState before = MemoOnPage(w.R.Pages, 1);
        const TMemoState other = MemoOnPage(w.R.Pages, 0);
        bool restricted = false;
        TDesignerClassScope scope([&](TfrxDesignerForm& d) {
            restricted = d.IsPreviewDesigner() && !d.CheckRestriction(drDontDeletePage);
            auto* memo = dynamic_cast<TfrxMemoView*>(d.Report()->FindObject("Memo1"));
            ASSERT_NE(memo, nullptr);
            if (c.Change) {
                memo->SetLeft(memo->Left() + 40);
                memo->SetText("已改");
                d.SetModified(true);
                w.R.Harness.AnswerMessage(c.Answer);
            }
            d.Close();
        });
        w.Form->Preview->SetPageNo(2);
        TUiTestHarness::Click(w.Form->DesignerB);
        EXPECT_TRUE(restricted);
        const TMemoState after = MemoOnPage(w.R.Pages, 1);
        if (c.Written) {
            EXPECT_EQ(after.Text, "已改");
            EXPECT_NEAR(after.Left, before.Left + 40, 0.01);
        } else {
            EXPECT_EQ(after.Text, before.Text) << c.Change << c.Answer;
            EXPECT_NEAR(after.Left, before.Left, 0.01);
        }
        double w2 = 0, h2 = 0;
        w.R.Pages->GetPageSize(1, w2, h2);
        EXPECT_NEAR(w2, width, 0.01) << c.Change << c.Answer;
        EXPECT_NEAR(h2, height, 0.01) << c.Change << c.Answer;
        EXPECT_EQ(MemoOnPage(w.R.Pages, 0).Text, other.Text);
        EXPECT_FALSE(w.Form->Preview->Locked());
        EXPECT_TRUE(w.R.Harness.Errors().empty());
    }
}

}  // namespace
