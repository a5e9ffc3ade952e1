// The designer window: pages and tabs, scale and units, the designer's options component
// with its restrictions, the preview-page mode, and closing.
#include <gtest/gtest.h>

#include <functional>

#include "DesignerFixture.h"
#include "designer/undo/UndoBuffer.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Menus.h"
#include "platform/ui/TabControl.h"
#include "preview/FlatCombo.h"
#include "report/Resources.h"

namespace {
using H = TUiTestHarness;
std::string Res(const char* Key) { return frxResources().Get(Key); }

TEST(DesignerWindow, AReportWithoutPagesGetsPage1AndTheCodeTab) {
    TDesignerFixture f(false);
    f.Form->ReloadReport();
    ASSERT_EQ(f.Report->PagesCount(), 1);
    EXPECT_EQ(f.Report->Pages(0)->Name(), "Page1");
    EXPECT_EQ(f.Tabs(), Res("dsCode") + "|Page1");
    EXPECT_EQ(f.Form->Page(), f.Report->Pages(0));
    EXPECT_EQ(f.Form->Tab->TabIndex(), 1);
}

// ReloadPages: an index beyond the pages shows the first page, -1 the code page; a page
// without a name is captioned by its number.
TEST(DesignerWindow, ReloadPagesChoosesThePageAndCaptionsTheTabs) {
    TDesignerFixture f;
    auto* second = new TfrxReportPage(f.Report.get());
    second->SetDefaults();
    struct {
        int Index;
        TfrxPage* Page;
        int Tab;
    } cases[] = {{5, f.Report->Pages(0), 1}, {-1, nullptr, 0}, {1, second, 2}, {0, f.Report->Pages(0), 1}};
    for (const auto& c : cases) {
        f.Form->ReloadPages(c.Index);
        EXPECT_EQ(f.Form->Page(), c.Page) << c.Index;
        EXPECT_EQ(f.Form->Tab->TabIndex(), c.Tab) << c.Index;
        EXPECT_EQ(f.Form->CodePanel->Visible(), c.Page == nullptr) << c.Index;
        EXPECT_EQ(f.Form->ScrollBoxPanel->Visible(), c.Page != nullptr) << c.Index;
    }
    EXPECT_EQ(f.Tabs(), Res("dsCode") + "|Page1|" + Res("dsPage") + "2");
}

// After a page switch the page is the selection and Objects holds the page's objects,
// then the report, then the page.
TEST(DesignerWindow, ObjectsListThePageThenTheReportAndThePage) {
    TDesignerFixture f;
    const auto& objects = f.Form->Objects();
    ASSERT_EQ(objects.size(), 7u);
    EXPECT_EQ(objects[objects.size() - 2], f.Report.get());
    EXPECT_EQ(objects.back(), f.Report->Pages(0));
    ASSERT_EQ(f.Selection().size(), 1u);
    EXPECT_EQ(f.Selection()[0], f.Report->Pages(0));
    EXPECT_EQ(f.Form->Caption(), "Brightline - Untitled.bl3");
}

TEST(DesignerWindow, ScaleIsKeptBetween1And2000Percent) {
    TDesignerFixture f;
    struct {
        double Value, Scale;
        const char* Text;
    } cases[] = {{0, 1, "100%"}, {25, 20, "2000%"}, {-0.5, 1, "100%"}, {1.5, 1.5, "150%"}, {0.25, 0.25, "25%"}};
    for (const auto& c : cases) {
        f.Form->SetScale(c.Value);
        EXPECT_DOUBLE_EQ(f.Form->Scale(), c.Scale) << c.Value;
        EXPECT_DOUBLE_EQ(f.Form->Workspace->Scale(), c.Scale) << c.Value;
        EXPECT_EQ(f.Form->ScaleCB->Text(), c.Text) << c.Value;
    }
}

// The unit in force: its status text, grid, default object size and position texts.
TEST(DesignerWindow, UnitsSetGridObjectSizeAndPositionTexts) {
    TDesignerFixture f;
    struct {
        int Units;
        const char* Key;
        double Grid, W, H;
        TfrxRect Pos;
        const char* PosText;
    } cases[] = {
        {0, "dsCm", 3.77953, 94.48825, 18.89765, {37.7953, 37.7953, 75.5906, 18.89765}, "1.00; 1.00"},
        {1, "dsInch", 9.6, 96, 19.2, {96, 192, 48, 96}, "1.00; 2.00"},
        {2, "dsPix", 4, 80, 16, {10, 20, 30, 40}, "10.00; 20.00"},
        {3, "dsChars", 9.6, 96, 17, {96, 34, 19.2, 17}, "10.00; 2.00"},
    };
    f.Select({f.Find("TitleMemo")});
    for (const auto& c : cases) {
        f.Form->SetUnits(c.Units);
        EXPECT_EQ(f.Form->StatusBar->Panels()->Items(0)->Text(), Res(c.Key)) << c.Units;
        EXPECT_NEAR(f.Form->Workspace->GridX, c.Grid, 1e-9) << c.Units;
        EXPECT_NEAR(f.Form->Workspace->GridY, c.Units == 3 ? 17 : c.Grid, 1e-9) << c.Units;
        EXPECT_NEAR(f.Form->DefaultObjectSize().X, c.W, 1e-9) << c.Units;
        EXPECT_NEAR(f.Form->DefaultObjectSize().Y, c.H, 1e-9) << c.Units;
        f.Form->OnNotifyPosition(c.Pos);
        EXPECT_EQ(f.Form->PositionText(), c.PosText) << c.Units;
    }
}

TEST(DesignerWindow, OnlyThePageSelectedShowsNoSize) {
    TDesignerFixture f;
    f.Form->OnNotifyPosition({37.7953, 0, 10, 10});
    EXPECT_EQ(f.Form->PositionText(), "1.00; 0.00");
    EXPECT_EQ(f.Form->SizeText(), "");
    f.Select({f.Find("TitleMemo")});
    f.Form->OnNotifyPosition({0, 0, 37.7953, 18.89765});
    EXPECT_EQ(f.Form->SizeText(), "1.00; 0.50");
}

// --- The options component -----------------------------------------------------------------

TEST(DesignerOptionsComponent, TheLastCreatedGovernsAndOnlyItClearsThePlace) {
    auto first = std::make_unique<TfrxDesigner>(nullptr);
    auto second = std::make_unique<TfrxDesigner>(nullptr);
    EXPECT_EQ(frxGlobalDesigner(), second.get());
    EXPECT_TRUE(first->CloseQuery);
    // Destroying one that is not in force lifts nothing.
    first.reset();
    EXPECT_EQ(frxGlobalDesigner(), second.get());
    second.reset();
    EXPECT_EQ(frxGlobalDesigner(), nullptr);
}

TEST(DesignerOptionsComponent, RestrictionsAreA16BitWordOfTheirOrdinals) {
    TfrxDesigner d(nullptr);
    d.SetRestrictionsWord(950);
    for (TfrxDesignerRestriction r : {drDontDeletePage, drDontCreatePage, drDontCreateReport, drDontLoadReport,
                                      drDontPreviewReport, drDontEditVariables, drDontChangeReportOptions})
        EXPECT_TRUE(d.Restrictions.Contains(r)) << r;
    for (TfrxDesignerRestriction r : {drDontInsertObject, drDontChangePageOptions, drDontSaveReport})
        EXPECT_FALSE(d.Restrictions.Contains(r)) << r;
    d.Restrictions = TfrxDesignerRestrictions{drDontSaveReport};
    EXPECT_EQ(d.RestrictionsWord(), 64);
}

// A preview-mode designer refuses to delete or create pages, create or load reports,
// preview and edit variables; the options component in force before comes back after.
TEST(DesignerPreviewMode, RefusesPageAndReportCommandsAndRestoresTheComponent) {
    TfrxDesigner before(nullptr);
    {
        TDesignerFixture f(true, true);
        EXPECT_NE(frxGlobalDesigner(), &before);
        EXPECT_FALSE(f.Form->ObjectBandB->Enabled());
        const std::string xml = f.Xml();
        f.Form->NewPageCmdExecute(nullptr);
        f.Form->NewDialogCmdExecute(nullptr);
        f.Form->NewReportCmdExecute(nullptr);
        f.Form->DeletePageCmdExecute(nullptr);
        f.Form->OpenCmdExecute(f.Form->OpenCmd);
        f.Form->PreviewCmdExecute(nullptr);
        EXPECT_EQ(f.Xml(), xml);
        EXPECT_EQ(f.Report->PagesCount(), 1);
        EXPECT_TRUE(f.Harness.Dialogs().empty());
        EXPECT_FALSE(f.Form->CheckRestriction(drDontEditVariables));
        EXPECT_TRUE(f.Form->CheckRestriction(drDontSaveReport));
        EXPECT_TRUE(f.Form->CheckRestriction(drDontInsertObject));
    }
    EXPECT_EQ(frxGlobalDesigner(), &before);
}

// The commands the preview-mode designer refuses are disabled wherever they show: their
// tool buttons and their menu items (the tab menu's too) look and are disabled; in the
// designer of a report file the same ones are enabled.
TEST(DesignerPreviewMode, RefusedCommandsAreDisabledWhereverTheyShow) {
    const char* refused[] = {"NewB", "NewItemMI", "NewReportMI", "NewPageB", "NewPageMI", "NewPageMI1",
                             "NewDialogB", "NewDialogMI", "NewDialogMI1", "DeletePageB", "DeletePageMI",
                             "DeletePageMI1", "OpenB", "OpenMI", "PreviewB", "PreviewMI", "VariablesB",
                             "VariablesMI", "ReportStylesMI", "ReportSettingsMI"};
    for (bool preview : {false, true}) {
        SCOPED_TRACE(preview ? "preview's designer" : "designer");
        TDesignerFixture f;
        // A second page, so that Delete Page has a page it may delete.
        auto* second = new TfrxReportPage(f.Report.get());
        second->SetParent(f.Report.get());
        second->SetName("Page2");
        second->SetDefaults();
        f.Form.reset();
        f.Open(preview);
        for (const char* name : refused) {
            TComponent* c = f.Form->FindComponent(name);
            ASSERT_NE(c, nullptr) << name;
            if (auto* b = dynamic_cast<TToolButton*>(c)) {
                EXPECT_EQ(b->Enabled(), !preview) << name;
            } else if (auto* m = dynamic_cast<TMenuItem*>(c)) {
                EXPECT_EQ(m->Enabled(), !preview) << name;
            } else {
                ADD_FAILURE() << name << " is no button and no menu item";
            }
        }
        // A click on a refused button does nothing.
        const std::string xml = f.Xml();
        TUiTestHarness::Click(f.Form->NewPageB);
        EXPECT_EQ(f.Report->PagesCount(), preview ? 2 : 3);
        if (preview) {
            EXPECT_EQ(f.Xml(), xml);
        }
        for (const std::string& e : f.Harness.Errors()) ADD_FAILURE() << e;
    }
}

// With CloseQuery off a modified designer closes without a question.
TEST(DesignerClosing, CloseQueryOffClosesWithoutAsking) {
    TfrxDesigner options(nullptr);
    options.CloseQuery = false;
    TDesignerFixture f;
    f.Form->SetModified(true);
    f.Form->Close();
    EXPECT_TRUE(f.Form->ModalFinished);
    EXPECT_TRUE(f.Harness.Dialogs().empty());
}

// Closing with unsaved changes asks; Cancel keeps the window, No closes without saving.
TEST(DesignerClosing, UnsavedChangesAreAskedAbout) {
    TDesignerFixture f;
    f.Form->SetModified(true);
    f.Harness.AnswerMessage(IDCANCEL);
    f.Form->Close();
    EXPECT_FALSE(f.Form->ModalFinished);
    ASSERT_EQ(f.Harness.Dialogs().size(), 1u);
    EXPECT_EQ(f.Harness.Dialogs()[0].Text, Res("dsSaveChangesTo") + "Untitled.bl3?");
    EXPECT_EQ(f.Harness.Dialogs()[0].Caption, Res("mbConfirm"));
    f.Harness.AnswerMessage(IDNO);
    f.Form->Close();
    EXPECT_TRUE(f.Form->ModalFinished);
    EXPECT_TRUE(f.Form->Modified());
}

// In preview mode the question is about the previous page; No drops the edits.
TEST(DesignerClosing, PreviewModeAsksAboutThePageAndNoDropsTheEdits) {
    TDesignerFixture f(true, true);
    f.Form->SetModified(true);
    f.Harness.AnswerMessage(IDNO);
    f.Form->Close();
    ASSERT_EQ(f.Harness.Dialogs().size(), 1u);
    EXPECT_EQ(f.Harness.Dialogs()[0].Text, Res("dsSavePreviewChanges"));
    EXPECT_TRUE(f.Form->ModalFinished);
    EXPECT_FALSE(f.Form->Modified());
}

// The report's preview-page design returns whether the page was changed and kept.
TEST(DesignerPreviewMode, DesignPreviewPageReportsAChangedPage) {
    TUiTestHarness harness;
    struct {
        bool Change;
        int Answer;
        bool Result;
    } cases[] = {{true, IDYES, true}, {true, IDNO, false}, {false, IDYES, false}};
    for (const auto& c : cases) {
        TfrxReport report(nullptr);
        frxSmallReport(report);
        TDesignerClassScope scope([&](TfrxDesignerForm& d) {
            EXPECT_TRUE(d.IsPreviewDesigner());
            if (c.Change) {
                report.FindObject("TitleMemo")->SetLeft(50);
                d.SetModified(true);
                harness.AnswerMessage(c.Answer);
            }
            d.Close();
        });
        EXPECT_EQ(report.DesignPreviewPage(), c.Result) << c.Change << c.Answer;
        EXPECT_EQ(report.Designer, nullptr);
    }
    EXPECT_TRUE(harness.Errors().empty());
}

// The report's design operation runs the window until it closes; the options component's
// hook sees the window once it is built.
TEST(DesignerWindow, DesignReportRunsTheWindowUntilItCloses) {
    TUiTestHarness harness;
    TfrxReport report(nullptr);
    TfrxDesigner hook(nullptr);
    TfrxCustomDesigner* seen = nullptr;
    hook.OnShow = [&](TObject* Sender) { seen = dynamic_cast<TfrxCustomDesigner*>(Sender); };
    TDesignerClassScope scope([](TfrxDesignerForm& d) { d.Close(); });
    report.DesignReport();
    EXPECT_NE(seen, nullptr);
    EXPECT_EQ(report.Designer, nullptr);
    ASSERT_EQ(report.PagesCount(), 1);
    EXPECT_EQ(report.Pages(0)->Name(), "Page1");
}

}  // namespace
