// What each kind of page lets the user do: the palette's buttons on report, dot-matrix and
// dialog pages, the page's right-button menu, and the preview's designer, in which no
// command may empty or replace the one prepared page it edits.
#include <gtest/gtest.h>

#include "DesignerFixture.h"
#include "designer/editors/Registration.h"
#include "designer/workspace/PageWorkspace.h"
#include "designer/workspace/WorkspaceKinds.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Menus.h"
#include "report/DesignRegistries.h"
#include "report/DialogControls.h"
#include "report/DotMatrix.h"
#include "report/Resources.h"
#include "report/Bands.h"
#include "report/Pages.h"

namespace {
using H = TUiTestHarness;

// The palette button of the registered object class Name, or nullptr.
TToolButton* PaletteButton(TfrxDesignerForm& Form, const char* Name) {
    TfrxObjectCollection& reg = frxObjects();
    for (int i = 0; i < Form.ObjectsTB1->ButtonCount(); ++i) {
        TToolButton* b = Form.ObjectsTB1->Buttons(i);
        if (b->Tag() < 0 || b->Tag() >= reg.Count() || b == Form.SepTB14) continue;
        const TfrxObjectItem& e = reg.Items(b->Tag());
        if (e.ClassRef && e.ClassRef->ClassName() == std::string(Name)) return b;
    }
    return nullptr;
}

// On each kind of page the palette offers the objects that may stand there: no dot-matrix
// object (the printer command neither) on a report page, none of the report page's text,
// line and picture objects on a dot-matrix page, only dialog controls on a dialog page.
TEST(DesignerPageRules, ThePaletteOffersWhatThePageTakes) {
    frxRegisterDesignerEditors();   // the palette's objects
    TDesignerFixture f;
    auto* dmp = new TfrxDMPPage(f.Report.get());
    dmp->SetName("DMPPage1");
    auto* dialog = new TfrxDialogPage(f.Report.get());
    dialog->SetName("DialogPage1");
    f.Form->ReloadPages(0);
    struct Case {
        const char* Class;
        bool OnReport, OnDotMatrix, OnDialog;
    };
    const Case cases[] = {
        {"TfrxMemoView", true, false, false},      {"TfrxPictureView", true, false, false},
        {"TfrxDMPMemoView", false, true, false},   {"TfrxDMPLineView", false, true, false},
        {"TfrxDMPCommand", false, true, false},    {"TfrxSubreport", true, true, false},
        {"TfrxButtonControl", false, false, true}, {"TfrxGroupBoxControl", false, false, true},
    };
    struct Page {
        int Tab;
        const char* Name;
        bool Case::*Shown;
    };
    const Page pages[] = {{1, "report page", &Case::OnReport},
                          {2, "dot-matrix page", &Case::OnDotMatrix},
                          {3, "dialog page", &Case::OnDialog}};
    for (const Page& p : pages) {
        H::ClickTab(f.Form->Tab, p.Tab);
        ASSERT_EQ(f.Form->GetPageIndex(), p.Tab - 1) << p.Name;
        for (const Case& c : cases) {
            TToolButton* b = PaletteButton(*f.Form, c.Class);
            ASSERT_NE(b, nullptr) << c.Class;
            EXPECT_EQ(b->Visible(), c.*p.Shown) << p.Name << ": " << c.Class;
        }
    }
}

// Going to a dialog page presses the select arrow and engages its tool, whatever tool was
// in use; beside the arrow the palette shows exactly the dialog objects (no hand, zoom, text
// or format tool, no band button). Back on the report page the tools come back.
TEST(DesignerPageRules, ADialogPagesPaletteKeepsTheSelectArrow) {
    frxRegisterDesignerEditors();   // the palette's objects
    TDesignerFixture f;
    auto* dialog = new TfrxDialogPage(f.Report.get());
    dialog->SetName("DialogPage1");
    dialog->SetBounds(265, 150, 300, 200);
    f.Form->ReloadPages(0);
    TfrxDesignerForm& d = *f.Form;
    TfrxObjectCollection& reg = frxObjects();
    // The names of the palette's visible buttons other than the arrow ("dialog" for a
    // dialog object's button).
    auto shown = [&] {
        std::vector<std::string> out;
        for (int i = 0; i < d.ObjectsTB1->ButtonCount(); ++i) {
            TToolButton* b = d.ObjectsTB1->Buttons(i);
            if (b == d.ObjectSelectB || b == d.SepTB14 || !b->Visible()) continue;
            if (b->Tag() == 1000) {
                out.push_back(b->Name());
                continue;
            }
            if (b->Tag() < 0 || b->Tag() >= reg.Count()) {
                out.push_back("no entry " + std::to_string(b->Tag()));
                continue;
            }
            const TfrxObjectItem& e = reg.Items(b->Tag());
            TfrxObjectItem const* first = &e;
            if (!e.ClassRef)
                for (const TfrxObjectItem& o : reg.List())
                    if (o.ClassRef && o.CategoryName == e.CategoryName) { first = &o; break; }
            const bool isDialog = first->ClassRef && (frxKind::ClassIs(first->ClassRef, "TfrxDialogControl") ||
                                                      frxKind::ClassIs(first->ClassRef, "TfrxDialogComponent"));
            out.push_back(isDialog ? "dialog" : "report object " + std::to_string(b->Tag()));
        }
        return out;
    };
    const TRect arrowBefore = d.ObjectSelectB->BoundsRect();
    H::Click(d.HandToolB);
    ASSERT_TRUE(d.HandToolB->Down());
    ASSERT_EQ(d.Workspace->Tool(), TDesignerWorkspace::toolHand);

    H::ClickTab(d.Tab, 2);
    ASSERT_EQ(d.Page(), dialog);
    EXPECT_TRUE(d.ObjectSelectB->Visible());
    EXPECT_TRUE(d.ObjectSelectB->Down());
    EXPECT_FALSE(d.HandToolB->Down());
    EXPECT_EQ(d.Workspace->Tool(), TDesignerWorkspace::toolSelect);
    const std::vector<std::string> onDialog = shown();
    ASSERT_FALSE(onDialog.empty());
    EXPECT_EQ(onDialog, std::vector<std::string>(onDialog.size(), "dialog"));
    // The arrow heads the column, where the window draws it.
    EXPECT_EQ(d.ObjectSelectB->BoundsRect(), arrowBefore);
    int dialogButtons = 0;
    for (int i = 0; i < d.ObjectsTB1->ButtonCount(); ++i) {
        TToolButton* b = d.ObjectsTB1->Buttons(i);
        if (b == d.ObjectSelectB || b == d.SepTB14) continue;
        if (b->Visible()) {
            ++dialogButtons;
            EXPECT_GT(b->Top(), d.ObjectSelectB->Top()) << "below the arrow";
        }
    }
    EXPECT_EQ(dialogButtons, static_cast<int>(onDialog.size()));

    H::ClickTab(d.Tab, 1);
    EXPECT_TRUE(d.ObjectSelectB->Visible());
    EXPECT_TRUE(d.ObjectSelectB->Down());
    for (TToolButton* b : {d.HandToolB, d.ZoomToolB, d.TextToolB, d.ObjectBandB}) EXPECT_TRUE(b->Visible()) << b->Name();
    EXPECT_TRUE(f.Harness.Errors().empty());
}

// Every item of the bands menu, the vertical bands too, carries a picture of the button
// images that the menu takes.
TEST(DesignerPageRules, TheBandsMenuShowsPictures) {
    TDesignerFixture f;
    std::vector<std::string> bare;
    int items = 0;
    f.Harness.OnPopup([&](TPopupMenu& Menu, TPoint) {
        ASSERT_EQ(&Menu, f.Form->BandsPopup);
        ASSERT_NE(Menu.Images(), nullptr);
        std::function<void(TMenuItem*)> walk = [&](TMenuItem* Parent) {
            for (int i = 0; i < Parent->Count(); ++i) {
                TMenuItem* m = Parent->Items(i);
                ++items;
                TBitmap bmp;
                if (m->ImageIndex() < 0 || !Menu.Images()->List().GetBitmap(m->ImageIndex(), bmp) || bmp.Width() == 0)
                    bare.push_back(m->Name());
                walk(m);
            }
        };
        walk(Menu.Items());
    });
    H::Click(f.Form->ObjectBandB);
    EXPECT_EQ(items, 27);
    EXPECT_EQ(bare, std::vector<std::string>{});
    EXPECT_TRUE(f.Harness.Errors().empty());
}

// The right-button menu of the page holds the tab order window on dialog pages only; the
// bands' menu shows the button pictures as the page's menu does.
TEST(DesignerPageRules, TabOrderIsInThePagesMenuOnDialogPages) {
    TDesignerFixture f;
    auto* dialog = new TfrxDialogPage(f.Report.get());
    dialog->SetName("DialogPage1");
    dialog->SetBounds(265, 150, 300, 200);
    f.Form->ReloadPages(0);
    EXPECT_EQ(f.Form->TabOrderMI->Parent(), f.Form->PagePopup->Items());
    EXPECT_EQ(f.Form->BandsPopup->Images(), f.Form->PagePopup->Images());
    ASSERT_NE(f.Form->BandsPopup->Images(), nullptr);
    for (int tab : {1, 2}) {
        H::ClickTab(f.Form->Tab, tab);
        bool shown = false, offered = false;
        f.Harness.OnPopup([&](TPopupMenu& Menu, TPoint) {
            shown = &Menu == f.Form->PagePopup;
            for (int i = 0; i < Menu.Items()->Count(); ++i)
                offered |= Menu.Items()->Items(i) == f.Form->TabOrderMI && f.Form->TabOrderMI->Visible();
        });
        // A right click on the page away from its objects.
        H::Click(f.Form->Workspace, TPoint{150, 150}, mbRight);
        EXPECT_TRUE(shown) << tab;
        EXPECT_EQ(offered, tab == 2) << tab;
    }
    EXPECT_TRUE(f.Harness.Errors().empty());
}

// Tab Order chosen while the code page is up orders nothing (there is no page of objects)
// and leaves the designer as it was. The item is clicked as the menu bar's action does.
TEST(DesignerPageRules, TabOrderOnTheCodePageDoesNothing) {
    TDesignerFixture f;
    auto& dialog = frxDesignerDialogs().TabOrder;
    const auto saved = dialog;
    int runs = 0;
    dialog = [&runs](TfrxDesignerForm*) { return ++runs > 0; };
    f.Form->SwitchToCodeWindow();
    ASSERT_EQ(f.Form->Page(), nullptr);
    f.Form->TabOrderMI->Click();
    dialog = saved;
    EXPECT_EQ(runs, 0);
    EXPECT_FALSE(f.Form->Modified());
    EXPECT_EQ(f.Form->Page(), nullptr);
    EXPECT_TRUE(f.Harness.Errors().empty());
}

// In the preview's designer the wizard buttons are refused like New Report and New Items
// (every wizard makes a new report in place of the page), and a subreport, which needs a
// page of its own, cannot be drawn: the page stays as it was.
// The wizards on the designer's tool bar while it lives (a program may register its
// wizards for the tool bar; the clinic starts its own from New Items).
struct TToolbarWizards {
    std::vector<bool> Saved;
    TToolbarWizards() {
        frxRegisterDesigner();
        for (int i = 0; i < frxWizards().Count(); ++i) {
            Saved.push_back(frxWizards().Items(i).IsToolbarWizard);
            frxWizards().Items(i).IsToolbarWizard = true;
        }
    }
    ~TToolbarWizards() {
        for (int i = 0; i < frxWizards().Count() && i < static_cast<int>(Saved.size()); ++i)
            frxWizards().Items(i).IsToolbarWizard = Saved[static_cast<size_t>(i)];
    }
};

TEST(DesignerPageRules, ThePreviewsDesignerKeepsItsPage) {
    TToolbarWizards wizards;
    for (bool preview : {false, true}) {
        SCOPED_TRACE(preview ? "preview" : "report");
        frxRegisterDesignerEditors();
        TDesignerFixture f(true, preview);
        ASSERT_GT(f.Form->ExtraToolsTB1->ButtonCount(), 0);
        for (int i = 0; i < f.Form->ExtraToolsTB1->ButtonCount(); ++i)
            EXPECT_EQ(f.Form->ExtraToolsTB1->Buttons(i)->Enabled(), !preview) << i;
        TToolButton* sub = PaletteButton(*f.Form, "TfrxSubreport");
        ASSERT_NE(sub, nullptr);
        EXPECT_EQ(sub->Enabled(), !preview);
        if (!preview) continue;
        const std::string xml = f.Xml();
        for (int i = 0; i < f.Form->ExtraToolsTB1->ButtonCount(); ++i) {
            TToolButton* b = f.Form->ExtraToolsTB1->Buttons(i);
            // Clicked where the bar shows; the handler refuses as well, as its button
            // could have been enabled before the restriction came (called directly for
            // that reason).
            if (b->Showing()) H::Click(b);
            f.Form->WizardButtonClick(b);
        }
        EXPECT_EQ(f.Xml(), xml);
        EXPECT_FALSE(f.Form->Modified());
        EXPECT_TRUE(f.Harness.Dialogs().empty());
        // A subreport armed as the insert commands arm it (its palette button is off),
        // then drawn over the page with the mouse.
        f.Form->Workspace->SetInsertion(FindClass("TfrxSubreport"), 0, 0, 0);
        H::MouseMove(f.Form->Workspace, TPoint{100, 200});
        H::MouseDown(f.Form->Workspace, TPoint{100, 200});
        H::MouseMove(f.Form->Workspace, TPoint{300, 260});
        H::MouseUp(f.Form->Workspace, TPoint{300, 260});
        EXPECT_EQ(f.Report->PagesCount(), 1);
        EXPECT_EQ(f.Xml(), xml);
        EXPECT_TRUE(f.Form->ObjectSelectB->Down());
        EXPECT_FALSE(f.Form->Workspace->Inserting());
        EXPECT_TRUE(f.Harness.Errors().empty());
    }
}

// Page tabs clicked back and forth between the report page, a second report page and a
// dialog page move no object: every text object stays in its band and the report stays
// as it was.
TEST(DesignerPageRules, SwitchingPagesMovesNoObject) {
    TDesignerFixture f;
    auto* second = new TfrxReportPage(f.Report.get());
    second->SetName("Page2");
    second->SetDefaults();
    auto* band = new TfrxMasterData(second);
    band->SetName("MasterData2");
    band->SetBounds(0, 60, 700, 30);
    auto* dialog = new TfrxDialogPage(f.Report.get());
    dialog->SetName("DialogPage1");
    dialog->SetBounds(265, 150, 300, 200);
    f.Form->ReloadPages(0);
    std::vector<std::pair<TfrxComponent*, TfrxComponent*>> parents;
    for (const char* name : {"TitleMemo", "Memo2", "Memo3"}) parents.emplace_back(f.Find(name), f.Find(name)->Parent());
    // Each page shown once (a page's bands are stacked when it is first shown), then the
    // report as it stands.
    for (int tab : {2, 3, 1}) H::ClickTab(f.Form->Tab, tab);
    const std::string xml = f.Xml();
    for (int tab : {3, 1, 2, 3, 2, 1}) {
        H::ClickTab(f.Form->Tab, tab);
        ASSERT_EQ(f.Form->GetPageIndex(), tab - 1);
        for (const auto& [memo, parent] : parents) EXPECT_EQ(memo->Parent(), parent) << memo->Name() << " tab " << tab;
    }
    EXPECT_EQ(f.Xml(), xml);
    EXPECT_TRUE(f.Harness.Errors().empty());
}

}  // namespace
