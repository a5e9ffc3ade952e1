// The page options window on a report page with the current printer (the virtual one
// when none is installed): what it shows in each unit, the paper and column rules, what
// OK writes (and leaves exactly as it was when untouched), the refusal of bad numbers,
// and the subreport pages that follow.
#include <gtest/gtest.h>

#include "EditorFixtures.h"
#include "designer/editors/ComponentEditors.h"
#include "designer/editors/PageEditor.h"
#include "platform/ui/ExtCtrls.h"
#include "designer/editors/Registration.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "report/Printer.h"
#include "report/Resources.h"

namespace {

TfrxPageEditorForm& Dlg(TCustomForm& f) { return static_cast<TfrxPageEditorForm&>(f); }
int IndexOfPaper(int Number) { return frxPrinters().Printer()->PaperIndex(Number); }

class PageEditorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { frxRegisterDesignerEditors(); }
    void SetUp() override {
        r.Page->SetPaperSize(9);
        r.Page->LeftMargin = 10;
        r.Page->RightMargin = 10;
        r.Page->TopMargin = 12.5;
        r.Page->BottomMargin = 7;
    }
    void TearDown() override {
        EXPECT_TRUE(ui.Errors().empty());
        EXPECT_EQ(ui.PendingDrivers(), 0);
    }
    bool Run(std::function<void(TfrxPageEditorForm&)> Act, bool Ok = true) {
        ui.OnModal("TfrxPageEditorForm", [&](TCustomForm& f) {
            Act(Dlg(f));
            if (Dlg(f).ModalResult() == mrNone) TUiTestHarness::Click(Ok ? Dlg(f).OkB : Dlg(f).CancelB);
        });
        auto ed = frxComponentEditors().GetComponentEditor(r.Page, r.Designer.get(), nullptr);
        return ed && ed->HasEditor() && ed->Edit();
    }
    TUiTestHarness ui;
    TEditorReport r;
};

TEST_F(PageEditorTest, ShowsThePageInTheDesignersUnit) {
    struct Case {
        int unit;
        const char* unitKey;
        const char* width;
        const char* height;
        const char* left;
        const char* top;
    };
    const Case cases[] = {
        {0, "uCm", "21", "29.70", "1", "1.25"},
        {1, "uInch", "8.27", "11.69", "0.39", "0.49"},
        {2, "uPix", "793.70", "1122.52", "37.80", "47.24"},
        {3, "uChar", "83", "66", "4", "3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unitKey);
        r.Designer->Units = c.unit;
        EXPECT_FALSE(Run(
            [&](TfrxPageEditorForm& d) {
                EXPECT_EQ(d.UnitL1->Text(), frxResources().Get(c.unitKey));
                EXPECT_EQ(d.UnitL7->Text(), frxResources().Get(c.unitKey));
                EXPECT_EQ(d.SizeCB->ItemIndex(), IndexOfPaper(9));
                EXPECT_EQ(d.WidthE->Text(), c.width);
                EXPECT_EQ(d.HeightE->Text(), c.height);
                EXPECT_EQ(d.MarginLeftE->Text(), c.left);
                EXPECT_EQ(d.MarginTopE->Text(), c.top);
                EXPECT_TRUE(d.PortraitRB->Checked());
                EXPECT_TRUE(d.PortraitImg->Visible());
                EXPECT_FALSE(d.LandscapeImg->Visible());
                EXPECT_EQ(d.Tray1CB->ItemIndex(), frxPrinters().Printer()->BinIndex(7));
            },
            false));
    }
}

// OK without a change, in a unit that rounds, keeps every millimetre as it was.
TEST_F(PageEditorTest, UntouchedFieldsKeepTheirMillimetres) {
    for (int unit : {1, 3}) {
        SCOPED_TRACE(unit);
        r.Designer->Units = unit;
        r.Page->AlignChildren();
        const std::string before = r.Xml();
        EXPECT_TRUE(Run([](TfrxPageEditorForm&) {}));
        EXPECT_EQ(r.Xml(), before);
    }
}

TEST_F(PageEditorTest, PaperRules) {
    struct Case {
        const char* name;
        std::function<void(TfrxPageEditorForm&)> act;
        const char* width;
        const char* height;
        bool custom;
    };
    const Case cases[] = {
        {"typing a width selects the custom entry",
         [](TfrxPageEditorForm& d) {
             TUiTestHarness::Click(d.WidthE);
             TUiTestHarness::TypeKey(d.WidthE, VK_HOME);
             TUiTestHarness::TypeKey(d.WidthE, VK_END, ssShift);
             TUiTestHarness::TypeText(d.WidthE, "25");
         },
         "25", "29.70", true},
        {"turning a named paper exchanges width and height",
         [](TfrxPageEditorForm& d) { TUiTestHarness::Click(d.LandscapeRB); }, "29.70", "21", false},
        {"a named paper replaces the typed size",
         [](TfrxPageEditorForm& d) {
             d.WidthE->SetText("5");
             d.SizeCB->SetItemIndex(IndexOfPaper(11));
             d.SizeCBClick(d.SizeCB);
         },
         "14.80", "21", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(Run(
            [&](TfrxPageEditorForm& d) {
                c.act(d);
                EXPECT_EQ(d.WidthE->Text(), c.width);
                EXPECT_EQ(d.HeightE->Text(), c.height);
                EXPECT_EQ(d.SizeCB->ItemIndex() == IndexOfPaper(frxCustomPaperSize), c.custom);
                EXPECT_EQ(d.LandscapeImg->Visible(), d.LandscapeRB->Checked());
            },
            false));
        EXPECT_EQ(r.Page->PaperSize(), 9);
        EXPECT_DOUBLE_EQ(r.Page->PaperWidth(), 210);
    }
}

TEST_F(PageEditorTest, OkWritesThePageAndItsSubreportPages) {
    auto* page2 = new TfrxReportPage(r.Report.get());
    page2->SetName("Page2");
    page2->SetParent(r.Report.get());
    auto* sub = new TfrxSubreport(r.Report.get());
    sub->SetParent(r.Data);
    sub->SetPage(page2);
    EXPECT_TRUE(Run([](TfrxPageEditorForm& d) {
        TUiTestHarness::Click(d.WidthE);
        TUiTestHarness::TypeKey(d.WidthE, VK_HOME);
        TUiTestHarness::TypeKey(d.WidthE, VK_END, ssShift);
        TUiTestHarness::TypeText(d.WidthE, "20");
        d.MarginLeftE->SetText("0,5");
        // Zero columns in the up-down count as one.
        d.UpDown1->SetPosition(0);
        d.UpDown1Click(d.UpDown1, btNext);
        EXPECT_EQ(d.ColumnWidthE->Text(), "18.50");
        EXPECT_EQ(d.ColumnPositionsM->Lines()->Count(), 1);
        d.UpDown1->SetPosition(2);
        d.UpDown1Click(d.UpDown1, btNext);
        EXPECT_EQ(d.ColumnWidthE->Text(), "9.25");
        EXPECT_EQ(d.ColumnPositionsM->Text(), "0\r\n9.25");
        d.PrintOnPrevCB->SetChecked(true);
        d.DuplexCB->SetItemIndex(2);
    }));
    for (TfrxReportPage* p : {r.Page, page2}) {
        SCOPED_TRACE(p->Name());
        EXPECT_EQ(p->PaperSize(), frxCustomPaperSize);
        EXPECT_DOUBLE_EQ(p->PaperWidth(), 200);
        EXPECT_DOUBLE_EQ(p->PaperHeight(), 297);
        EXPECT_DOUBLE_EQ(p->LeftMargin, 5);
        EXPECT_DOUBLE_EQ(p->TopMargin, 12.5);
        EXPECT_EQ(p->Columns(), 2);
        EXPECT_DOUBLE_EQ(p->ColumnWidth, 92.5);
        EXPECT_EQ(p->ColumnPositions()->Text(), "0\r\n92.5\r\n");
        EXPECT_TRUE(p->PrintOnPreviousPage);
        EXPECT_EQ(p->Duplex, dmHorizontal);
    }
}

TEST_F(PageEditorTest, BadNumbersKeepTheWindowOpenAndWriteNothing) {
    struct Case {
        TEdit* TfrxPageEditorForm::*field;
        const char* text;
    };
    const Case cases[] = {{&TfrxPageEditorForm::WidthE, "abc"},
                          {&TfrxPageEditorForm::HeightE, "0"},
                          {&TfrxPageEditorForm::MarginBottomE, "1..2"},
                          {&TfrxPageEditorForm::ColumnWidthE, "x"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        r.Page->AlignChildren();
        const std::string before = r.Xml();
        ui.ClearDialogs();
        ui.OnModal("TfrxPageEditorForm", [&](TCustomForm& f) {
            TfrxPageEditorForm& d = Dlg(f);
            TUiTestHarness::Click(d.LandscapeRB);
            (d.*c.field)->SetText(c.text);
            TUiTestHarness::Click(d.OkB);
        });
        ui.OnModal("TfrxPageEditorForm", [&](TCustomForm& f) {
            TfrxPageEditorForm& d = Dlg(f);
            EXPECT_EQ(d.ActiveControl(), d.*c.field);
            EXPECT_EQ(ui.Dialogs().size(), 1u);
            TUiTestHarness::Click(d.CancelB);
        });
        auto ed = frxComponentEditors().GetComponentEditor(r.Page, r.Designer.get(), nullptr);
        EXPECT_FALSE(ed->Edit());
        EXPECT_EQ(r.Xml(), before);
    }
    // A bad column position is refused as well.
    ui.ClearDialogs();
    ui.OnModal("TfrxPageEditorForm", [&](TCustomForm& f) {
        TfrxPageEditorForm& d = Dlg(f);
        d.ColumnPositionsM->SetText("1\r\nzz");
        TUiTestHarness::Click(d.OkB);
    });
    ui.OnModal("TfrxPageEditorForm", [&](TCustomForm& f) {
        TfrxPageEditorForm& d = Dlg(f);
        EXPECT_EQ(d.ActiveControl(), d.ColumnPositionsM);
        TUiTestHarness::Click(d.CancelB);
    });
    auto ed = frxComponentEditors().GetComponentEditor(r.Page, r.Designer.get(), nullptr);
    EXPECT_FALSE(ed->Edit());
}

TEST_F(PageEditorTest, SubreportPagesHaveNoPageEditor) {
    auto* page2 = new TfrxReportPage(r.Report.get());
    page2->SetParent(r.Report.get());
    auto* sub = new TfrxSubreport(r.Report.get());
    sub->SetParent(r.Data);
    sub->SetPage(page2);
    auto ed = frxComponentEditors().GetComponentEditor(page2, r.Designer.get(), nullptr);
    ASSERT_NE(ed, nullptr);
    EXPECT_FALSE(ed->HasEditor());
    EXPECT_FALSE(ed->Edit());
}

}  // namespace
