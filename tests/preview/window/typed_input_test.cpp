// The preview window used as a clerk uses it: a click into the page box, the page typed
// there and Enter.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "WindowFixture.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "preview/Preview.h"
#include "preview/PreviewForm.h"
#include "preview/SearchDialog.h"

namespace {

using H = TUiTestHarness;

// A click into a box's text, its text selected and replaced by Text, then Enter.
void TypeInto(TWinControl* Box, const std::string& Text) {
    H::Click(Box, TPoint{8, Box->ClientHeight() / 2});
    TWinControl* focused = H::FocusedControl();
    ASSERT_EQ(focused, Box);
    H::TypeKey(focused, 'A', ssCtrl);
    H::TypeText(focused, Text);
    H::TypeKey(focused, VK_RETURN);
}

struct TPageTyped {
    const char* Typed;
    int Page;
};

class PageBoxTyped : public ::testing::TestWithParam<TPageTyped> {};

// A page typed in the page box and Enter: the preview goes there, the box and the status
// bar say so; a page past the end goes to the last one.
TEST_P(PageBoxTyped, EnterGoesToTheTypedPage) {
    const TPageTyped& c = GetParam();
    TWindow w(5);
    TypeInto(w.Form->PageE, c.Typed);
    EXPECT_EQ(w.Form->Preview->PageNo(), c.Page);
    EXPECT_EQ(w.Form->PageE->Text(), std::to_string(c.Page));
    EXPECT_EQ(w.Status(0), "第 " + std::to_string(c.Page) + " 页 共 5 页");
    EXPECT_TRUE(w.R.Harness.Dialogs().empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, PageBoxTyped,
                         ::testing::Values(TPageTyped{"3", 3}, TPageTyped{"5", 5}, TPageTyped{"9", 5},
                                           TPageTyped{"1", 1}));

TEST(PreviewTypedInput, PageBoxRefusesTextThatIsNoNumber) {
    TWindow w(5);
    TypeInto(w.Form->PageE, "2");
    TypeInto(w.Form->PageE, "x");
    EXPECT_EQ(w.Form->Preview->PageNo(), 2);
    ASSERT_EQ(w.R.Harness.Dialogs().size(), 1u);
    EXPECT_NE(w.R.Harness.Dialogs().front().Text.find("x"), std::string::npos);
}

// The first and previous buttons are enabled exactly when there is a page before the one
// shown, the next and last buttons when there is one after it; they follow the page
// whichever way it changes: the buttons, Home and End, the scroll, the page box, a search.
TEST(PreviewTypedInput, NavigationButtonsFollowThePage) {
    auto expectButtons = [](TWindow& w) {
        const int page = w.Form->Preview->PageNo();
        const int count = w.Form->Preview->PageCount();
        EXPECT_EQ(w.Form->FirstB->Enabled(), page > 1) << "page " << page << " of " << count;
        EXPECT_EQ(w.Form->PriorB->Enabled(), page > 1) << "page " << page << " of " << count;
        EXPECT_EQ(w.Form->NextB->Enabled(), page < count) << "page " << page << " of " << count;
        EXPECT_EQ(w.Form->LastB->Enabled(), page < count) << "page " << page << " of " << count;
    };
    {
        TWindow one(1);
        for (TToolButton* b : {one.Form->FirstB, one.Form->PriorB, one.Form->NextB, one.Form->LastB})
            EXPECT_FALSE(b->Enabled()) << b->Name();
        H::Click(one.Form->NextB);
        EXPECT_EQ(one.Form->Preview->PageNo(), 1);
    }
    TWindow w(4);
    const struct {
        const char* How;
        std::function<void()> Act;
        int Page;   // 0: wherever the search has put the view
    } steps[] = {
        {"opened", [] {}, 1},
        {"next", [&] { H::Click(w.Form->NextB); }, 2},
        {"last", [&] { H::Click(w.Form->LastB); }, 4},
        {"Home", [] { H::TypeKey(VK_HOME); }, 1},
        {"End", [] { H::TypeKey(VK_END); }, 4},
        {"page box", [&] { TypeInto(w.Form->PageE, "2"); }, 2},
        {"first", [&] { H::Click(w.Form->FirstB); }, 1},
        {"Page Down", [&] {
             for (int i = 0; i < 10 && w.Form->Preview->PageNo() == 1; ++i) H::TypeKey(VK_NEXT);
         }, 2},
        {"search", [&] {
             w.R.Harness.OnModal("TfrxSearchDialog", [](TCustomForm& F) {
                 auto& d = dynamic_cast<TfrxSearchDialog&>(F);
                 H::TypeText(d.TextE, "第 4 页");
                 H::Click(d.OkB);
             });
             H::Click(w.Form->FindB);
         }, 0},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.How);
        s.Act();
        if (s.Page) EXPECT_EQ(w.Form->Preview->PageNo(), s.Page);
        else EXPECT_GT(w.Form->Preview->PageNo(), 2);
        expectButtons(w);
    }
    for (const std::string& e : w.R.Harness.Errors()) ADD_FAILURE() << e;
}

// A last page that lies across is shorter than the view: the view cannot bring its top to
// the top of the window, and the page shown is still the page asked for. Last names it in
// the page box and the status bar and leaves Next and Last disabled; Prior and Next step
// back and on again.
TEST(PreviewTypedInput, AShorterLastPageIsThePageShownAfterLast) {
    TWindow w(3, TfrxPreviewOptions().Buttons, true);
    auto expectPage = [&](int Page) {
        EXPECT_EQ(w.Form->Preview->PageNo(), Page);
        EXPECT_EQ(w.Form->PageE->Text(), std::to_string(Page));
        EXPECT_EQ(w.Status(0), "第 " + std::to_string(Page) + " 页 共 3 页");
        EXPECT_EQ(w.Form->NextB->Enabled(), Page < 3);
        EXPECT_EQ(w.Form->LastB->Enabled(), Page < 3);
        EXPECT_EQ(w.Form->FirstB->Enabled(), Page > 1);
    };
    H::Click(w.Form->LastB);
    if (const char* dir = std::getenv("ROVE_SCREENSHOTS"))
        H::SaveScreenshot(w.Form.get(), std::string(dir) + "/preview-last-page.png");
    {
        SCOPED_TRACE("last");
        expectPage(3);
    }
    H::Click(w.Form->PriorB);
    {
        SCOPED_TRACE("prior");
        expectPage(2);
    }
    H::Click(w.Form->NextB);
    {
        SCOPED_TRACE("next");
        expectPage(3);
    }
    // A zoom that keeps the view where it is (the page still cannot reach the top) keeps
    // the page too.
    H::Click(w.Form->Zoom100B);
    {
        SCOPED_TRACE("100%");
        expectPage(3);
    }
    H::TypeKey(VK_HOME);
    H::TypeKey(VK_END);
    {
        SCOPED_TRACE("End");
        expectPage(3);
    }
    for (const std::string& e : w.R.Harness.Errors()) ADD_FAILURE() << e;
}

}  // namespace
