// The find dialog: the remembered text, its selection on show, the options returned and
// the replacement row.
#include <gtest/gtest.h>

#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "preview/SearchDialog.h"

namespace {

class SearchDialogTest : public ::testing::Test {
protected:
    void SetUp() override { frxLastSearchText().clear(); }
    void TearDown() override {
        EXPECT_TRUE(ui.Errors().empty());
        EXPECT_EQ(ui.PendingDrivers(), 0);
        frxLastSearchText().clear();
    }
    TUiTestHarness ui;
};

TEST_F(SearchDialogTest, RemembersTheTextOfAnAcceptedSearchFullySelected) {
    TfrxSearchOptions o;
    ui.OnModal("TfrxSearchDialog", [](TCustomForm& f) {
        auto& d = static_cast<TfrxSearchDialog&>(f);
        EXPECT_EQ(d.TextE->Text(), "");
        TUiTestHarness::TypeText(d.TextE, "患者");
        TUiTestHarness::TypeKey(d.TextE, VK_RETURN);
    });
    ASSERT_TRUE(frxShowSearchDialog(o));
    EXPECT_EQ(o.Text, "患者");
    EXPECT_EQ(frxLastSearchText(), "患者");

    // The second search opens with the first text selected: typing replaces it.
    ui.OnModal("TfrxSearchDialog", [](TCustomForm& f) {
        auto& d = static_cast<TfrxSearchDialog&>(f);
        EXPECT_EQ(d.TextE->Text(), "患者");
        EXPECT_EQ(d.TextE->SelStart(), 0);
        EXPECT_EQ(d.TextE->SelLength(), 2);
        EXPECT_EQ(d.ActiveControl(), d.TextE);
        TUiTestHarness::TypeText(d.TextE, "Total");
        TUiTestHarness::Click(d.OkB);
    });
    ASSERT_TRUE(frxShowSearchDialog(o));
    EXPECT_EQ(o.Text, "Total");
    EXPECT_EQ(frxLastSearchText(), "Total");
}

TEST_F(SearchDialogTest, CancelKeepsTheRememberedTextAndTheCallersOptions) {
    frxLastSearchText() = "first";
    TfrxSearchOptions o;
    o.Text = "caller";
    o.MatchCase = true;
    ui.OnModal("TfrxSearchDialog", [](TCustomForm& f) {
        auto& d = static_cast<TfrxSearchDialog&>(f);
        TUiTestHarness::TypeText(d.TextE, "other");
        TUiTestHarness::Click(d.CaseCB);
        // Esc where the click left the focus.
        TUiTestHarness::TypeKey(d.CaseCB, VK_ESCAPE);
    });
    EXPECT_FALSE(frxShowSearchDialog(o));
    EXPECT_EQ(frxLastSearchText(), "first");
    EXPECT_EQ(o.Text, "caller");
    EXPECT_TRUE(o.MatchCase);
}

// Each row of the table: the options the caller passes, the clicks, what comes back.
TEST_F(SearchDialogTest, OptionsAndReplacementRow) {
    struct Case {
        bool showReplace, fromTop, matchCase, topEnabled;
        bool clickTop, clickCase;
        bool wantTop, wantCase;
    };
    const Case cases[] = {
        {false, false, false, true, true, false, true, false},
        {false, true, false, true, false, true, true, true},
        {true, true, true, true, true, true, false, false},
        {true, false, false, false, true, false, false, false},   // a disabled box ignores clicks
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "replace " << c.showReplace << " top " << c.fromTop << " case "
                                        << c.matchCase << " enabled " << c.topEnabled);
        TfrxSearchOptions o;
        o.ShowReplace = c.showReplace;
        o.FromTop = c.fromTop;
        o.MatchCase = c.matchCase;
        o.FromTopEnabled = c.topEnabled;
        int shownHeight = 0;
        bool replaceShown = false;
        ui.OnModal("TfrxSearchDialog", [&](TCustomForm& f) {
            auto& d = static_cast<TfrxSearchDialog&>(f);
            replaceShown = d.ReplacePanel->Visible();
            shownHeight = d.ClientHeight();
            EXPECT_EQ(d.TopCB->Enabled(), c.topEnabled);
            TUiTestHarness::TypeText(d.TextE, "x");
            if (c.showReplace) {
                TUiTestHarness::Click(d.ReplaceE);
                TUiTestHarness::TypeText(d.ReplaceE, "y");
            }
            if (c.clickTop) TUiTestHarness::Click(d.TopCB);
            if (c.clickCase) TUiTestHarness::Click(d.CaseCB);
            TUiTestHarness::Click(d.OkB);
        });
        ASSERT_TRUE(frxShowSearchDialog(o));
        EXPECT_EQ(replaceShown, c.showReplace);
        EXPECT_EQ(shownHeight, c.showReplace ? 176 : 132);
        EXPECT_EQ(o.FromTop, c.wantTop);
        EXPECT_EQ(o.MatchCase, c.wantCase);
        EXPECT_EQ(o.ReplaceText, c.showReplace ? "y" : "");
    }
}

TEST_F(SearchDialogTest, TextsComeFromTheStringTable) {
    ui.OnModal("TfrxSearchDialog", [](TCustomForm& f) {
        auto& d = static_cast<TfrxSearchDialog&>(f);
        EXPECT_EQ(d.Caption(), "查找文本");
        EXPECT_EQ(d.TopCB->Caption(), "从头查找");
        EXPECT_EQ(d.CaseCB->Caption(), "区分大小写");
        d.SetModalResult(mrCancel);
    });
    TfrxSearchOptions o;
    EXPECT_FALSE(frxShowSearchDialog(o));
}

}  // namespace
