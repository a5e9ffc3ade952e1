// The page settings dialog on a report page with the current printer (the virtual one
// when none is installed): what it shows, the size and orientation rules, the writes on
// OK and the refusal of bad numbers.
#include <gtest/gtest.h>

#include "platform/graphics/Colors.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "preview/PageSettingsDialog.h"
#include "report/Pages.h"
#include "report/Printer.h"

namespace {

TfrxPageSettingsForm& Dlg(TCustomForm& f) { return static_cast<TfrxPageSettingsForm&>(f); }

int IndexOfPaper(int Number) { return frxPrinters().Printer()->PaperIndex(Number); }

// The user picks a paper in the size box.
void Pick(TfrxPageSettingsForm& d, int Number) {
    d.SizeCB->SetItemIndex(IndexOfPaper(Number));
    d.SizeCBClick(d.SizeCB);
}

class PageSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        page.SetPaperSize(9);
        page.LeftMargin = 15;
        page.RightMargin = 10;
        page.TopMargin = 12.5;
        page.BottomMargin = 0;
    }
    void TearDown() override {
        EXPECT_TRUE(ui.Errors().empty());
        EXPECT_EQ(ui.PendingDrivers(), 0);
    }
    void Run(std::function<void(TfrxPageSettingsForm&)> Act, bool Ok = true) {
        ui.OnModal("TfrxPageSettingsForm", [&](TCustomForm& f) {
            Act(Dlg(f));
            TUiTestHarness::Click(Ok ? static_cast<TControl*>(Dlg(f).OKB) : Dlg(f).CancelB);
        });
        applyToAll = false;
        result = frxShowPageSettings(&page, applyToAll);
    }
    TUiTestHarness ui;
    TfrxReportPage page{nullptr};
    bool applyToAll = false;
    bool result = false;
};

TEST_F(PageSettingsTest, ShowsThePageInCentimetres) {
    Run([](TfrxPageSettingsForm& d) {
        EXPECT_EQ(d.Caption(), "页面设置");
        EXPECT_EQ(d.SizeCB->ItemIndex(), IndexOfPaper(9));
        EXPECT_EQ(d.SizeCB->Items()->Count(), frxPrinters().Printer()->Papers().Count());
        EXPECT_EQ(d.WidthE->Text(), "21");
        EXPECT_EQ(d.HeightE->Text(), "29.70");
        EXPECT_TRUE(d.PortraitRB->Checked());
        EXPECT_EQ(d.MarginLeftE->Text(), "1.50");
        EXPECT_EQ(d.MarginRightE->Text(), "1");
        EXPECT_EQ(d.MarginTopE->Text(), "1.25");
        EXPECT_EQ(d.MarginBottomE->Text(), "0");
        EXPECT_TRUE(d.ApplyToCurRB->Checked());
    }, false);
    EXPECT_FALSE(result);
}

TEST_F(PageSettingsTest, UnknownPaperOpensAsCustom) {
    page.SetPaperSize(300);   // no printer knows it; the size stays
    Run([](TfrxPageSettingsForm& d) { EXPECT_EQ(d.SizeCB->ItemIndex(), IndexOfPaper(frxCustomPaperSize)); }, false);
}

// Each row: the page, the user's steps, the width and height shown afterwards.
TEST_F(PageSettingsTest, SizeAndOrientationRules) {
    struct Case {
        const char* name;
        int paper;
        double w, h;   // mm, for the custom size
        std::function<void(TfrxPageSettingsForm&)> act;
        const char* width;
        const char* height;
        bool custom;
    };
    const Case cases[] = {
        {"typing a width selects the custom entry, height kept", 9, 0, 0,
         [](TfrxPageSettingsForm& d) {
             TUiTestHarness::Click(d.WidthE);
             TUiTestHarness::TypeKey(d.WidthE, VK_HOME);
             TUiTestHarness::TypeKey(d.WidthE, VK_END, ssShift);
             TUiTestHarness::TypeText(d.WidthE, "25");
         },
         "25", "29.70", true},
        {"custom 20 x 30 turned to landscape", 256, 200, 300,
         [](TfrxPageSettingsForm& d) { TUiTestHarness::Click(d.LandscapeRB); }, "30", "20", true},
        {"custom turned there and back", 256, 200, 300,
         [](TfrxPageSettingsForm& d) {
             TUiTestHarness::Click(d.LandscapeRB);
             TUiTestHarness::Click(d.PortraitRB);
         },
         "20", "30", true},
        {"choosing the custom entry keeps the size", 9, 0, 0,
         [](TfrxPageSettingsForm& d) { Pick(d, frxCustomPaperSize); }, "21", "29.70",
         true},
        {"a known paper takes its size in landscape", 256, 200, 300,
         [](TfrxPageSettingsForm& d) {
             TUiTestHarness::Click(d.LandscapeRB);
             Pick(d, 11);
         },
         "21", "14.80", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        page.SetOrientation(poPortrait);
        page.SetPaperSize(c.paper);
        if (c.paper == frxCustomPaperSize) {
            page.SetPaperWidth(c.w);
            page.SetPaperHeight(c.h);
        }
        Run([&](TfrxPageSettingsForm& d) {
            c.act(d);
            EXPECT_EQ(d.WidthE->Text(), c.width);
            EXPECT_EQ(d.HeightE->Text(), c.height);
            EXPECT_EQ(d.SizeCB->ItemIndex() == IndexOfPaper(frxCustomPaperSize), c.custom);
        }, false);
        EXPECT_FALSE(result);
    }
}

TEST_F(PageSettingsTest, OkWritesThePageAndCancelLeavesIt) {
    Run([](TfrxPageSettingsForm& d) {
        TUiTestHarness::Click(d.LandscapeRB);   // A4 turned: 29.7 x 21
        d.MarginLeftE->SetText("2");
        d.MarginTopE->SetText("0,5");
        TUiTestHarness::Click(d.ApplyToAllRB);
    }, false);
    EXPECT_FALSE(result);
    EXPECT_EQ(page.Orientation(), poPortrait);
    EXPECT_DOUBLE_EQ(page.LeftMargin, 15);

    Run([](TfrxPageSettingsForm& d) {
        TUiTestHarness::Click(d.LandscapeRB);
        d.MarginLeftE->SetText("2");
        d.MarginTopE->SetText("0,5");
        TUiTestHarness::Click(d.ApplyToAllRB);
    });
    ASSERT_TRUE(result);
    EXPECT_TRUE(applyToAll);
    EXPECT_EQ(page.Orientation(), poLandscape);
    EXPECT_EQ(page.PaperSize(), 9);
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 297);
    EXPECT_DOUBLE_EQ(page.PaperHeight(), 210);
    // The margins are the typed ones, not the ones the orientation change turned.
    EXPECT_DOUBLE_EQ(page.LeftMargin, 20);
    EXPECT_DOUBLE_EQ(page.TopMargin, 5);
    EXPECT_DOUBLE_EQ(page.RightMargin, 10);
    EXPECT_DOUBLE_EQ(page.BottomMargin, 0);

    page.SetOrientation(poPortrait);
    page.SetPaperSize(9);
    Run([](TfrxPageSettingsForm& d) {
        TUiTestHarness::Click(d.WidthE);
        TUiTestHarness::TypeKey(d.WidthE, VK_HOME);
        TUiTestHarness::TypeKey(d.WidthE, VK_END, ssShift);
        TUiTestHarness::TypeText(d.WidthE, "10");
    });
    ASSERT_TRUE(result);
    EXPECT_FALSE(applyToAll);
    EXPECT_EQ(page.PaperSize(), frxCustomPaperSize);
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 100);
    EXPECT_DOUBLE_EQ(page.PaperHeight(), 297);
}

TEST_F(PageSettingsTest, BadNumbersAreRefusedBeforeAnythingIsWritten) {
    struct Case {
        TEdit* TfrxPageSettingsForm::*field;
        const char* text;
    };
    const Case cases[] = {
        {&TfrxPageSettingsForm::WidthE, "abc"},  {&TfrxPageSettingsForm::HeightE, "0"},
        {&TfrxPageSettingsForm::WidthE, "-3"},   {&TfrxPageSettingsForm::MarginBottomE, "x1"},
        {&TfrxPageSettingsForm::MarginLeftE, "-1"}, {&TfrxPageSettingsForm::MarginTopE, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ui.OnModal("TfrxPageSettingsForm", [&](TCustomForm& f) {
            TfrxPageSettingsForm& d = Dlg(f);
            TUiTestHarness::Click(d.LandscapeRB);
            (d.*c.field)->SetText(c.text);
            TUiTestHarness::Click(d.OKB);
        });
        ui.OnModal("TfrxPageSettingsForm", [&](TCustomForm& f) {
            TfrxPageSettingsForm& d = Dlg(f);
            EXPECT_EQ(d.ActiveControl(), d.*c.field);
            EXPECT_EQ(ui.Dialogs().size(), 1u);
            if (!ui.Dialogs().empty()) {
                const std::string& text = ui.Dialogs().front().Text;
                EXPECT_EQ(text.rfind(std::string("\"") + c.text + "\" 不是有效的", 0), 0u) << text;
            }
            TUiTestHarness::Click(d.CancelB);
        });
        EXPECT_FALSE(frxShowPageSettings(&page, applyToAll));
        EXPECT_EQ(page.Orientation(), poPortrait);
        EXPECT_EQ(page.PaperSize(), 9);
        EXPECT_DOUBLE_EQ(page.PaperWidth(), 210);
        EXPECT_DOUBLE_EQ(page.LeftMargin, 15);
        ui.ClearDialogs();
    }
}

}  // namespace

// The orientation's picture follows the orientation checked: shown on opening for the
// page's own, switched by a click on the other.
TEST_F(PageSettingsTest, TheOrientationPictureFollowsTheChoice) {
    page.SetOrientation(poLandscape);
    Run([](TfrxPageSettingsForm& d) {
        ASSERT_NE(d.PortraitImg, nullptr);
        ASSERT_NE(d.LandscapeImg, nullptr);
        EXPECT_TRUE(d.LandscapeImg->Visible());
        EXPECT_FALSE(d.PortraitImg->Visible());
        // A page drawn in each: taller than wide for portrait, wider than tall for landscape.
        EXPECT_GT(d.PortraitImg->Height(), d.PortraitImg->Width());
        EXPECT_GT(d.LandscapeImg->Width(), d.LandscapeImg->Height());
        EXPECT_EQ(TUiTestHarness::PixelAt(d.LandscapeImg, {10, 3}), static_cast<int32_t>(clWhite));
        TUiTestHarness::Click(d.PortraitRB);
        EXPECT_TRUE(d.PortraitImg->Visible());
        EXPECT_FALSE(d.LandscapeImg->Visible());
        EXPECT_EQ(TUiTestHarness::PixelAt(d.PortraitImg, {10, 3}), static_cast<int32_t>(clWhite));
        TUiTestHarness::Click(d.LandscapeRB);
        EXPECT_TRUE(d.LandscapeImg->Visible());
        EXPECT_FALSE(d.PortraitImg->Visible());
    }, false);
}
