// The preview window used as a clerk uses it: a click into the page box, the page typed
// there and Enter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WindowFixture.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "preview/Preview.h"
#include "preview/PreviewForm.h"

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

}  // namespace
