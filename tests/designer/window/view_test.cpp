// The designer window's view controls as a user works them: page tabs dragged with the
// mouse, the unit panel of the status bar double-clicked, the zoom box and the wheel.
#include <gtest/gtest.h>

#include "DesignerFixture.h"
#include "designer/controls/Ruler.h"
#include "designer/undo/UndoBuffer.h"
#include "platform/ui/ComCtrls.h"
#include "preview/FlatCombo.h"
#include "report/DialogControls.h"
#include "report/DotMatrix.h"
#include "report/Resources.h"

namespace {
using H = TUiTestHarness;

// The report's pages by name, in order.
std::string PageOrder(TfrxReport& R) {
    std::string s;
    for (int i = 0; i < R.PagesCount(); ++i) s += (i ? "|" : "") + R.Pages(i)->Name();
    return s;
}

TPoint TabCentre(TfrxDesignerForm& F, int Index) {
    const TRect r = F.Tab->TabRect(Index);
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

// Presses on one tab, moves past the drag threshold and lets go at Drop.
void DragTab(TfrxDesignerForm& F, int From, TPoint Drop) {
    const TPoint p = TabCentre(F, From);
    H::MouseDown(F.Tab, p);
    H::MouseMove(F.Tab, {p.X + 12, p.Y}, ssLeft);
    H::MouseMove(F.Tab, Drop, ssLeft);
    H::MouseUp(F.Tab, Drop);
    H::ProcessMessages();
}

// Page1 (with the report's content), Page2 and Page3.
struct TThreePages : TDesignerFixture {
    TThreePages() {
        for (const char* name : {"Page2", "Page3"}) {
            auto* p = new TfrxReportPage(Report.get());
            p->SetName(name);
            p->SetDefaults();
        }
        Form->ReloadPages(0);
        TfrxDesignerForm& F = *Form;
        F.SetModified(false);
    }
};

TEST(DesignerPageTabs, DraggingTheCurrentTabMovesItsPage) {
    struct TCase {
        int Press;       // the tab pressed (it becomes current)
        int Drop;        // the tab let go on, -1 beside the tabs
        const char* Order;
        int TabIndex;
    };
    const TCase cases[] = {
        {1, 3, "Page2|Page3|Page1", 3},
        {3, 1, "Page3|Page1|Page2", 1},
        {2, 3, "Page1|Page3|Page2", 3},
        {2, 0, "Page1|Page2|Page3", 2},    // onto the code tab: nothing moves
        {0, 2, "Page1|Page2|Page3", 0},    // the code tab is current: nothing moves
        {2, -1, "Page1|Page2|Page3", 2},   // off the tabs
    };
    for (const TCase& c : cases) {
        TThreePages f;
        const int undoBefore = f.Form->UndoBuffer()->UndoCount();
        const TPoint drop = c.Drop >= 0 ? TabCentre(*f.Form, c.Drop)
                                        : TPoint{f.Form->Tab->Width() - 5, f.Form->Tab->TabRect(0).Bottom / 2};
        DragTab(*f.Form, c.Press, drop);
        EXPECT_EQ(PageOrder(*f.Report), c.Order) << c.Press << "->" << c.Drop;
        EXPECT_EQ(f.Form->Tab->TabIndex(), c.TabIndex) << c.Press << "->" << c.Drop;
        std::string tabs = f.Report->PagesCount() ? "" : "";
        for (int i = 0; i < f.Report->PagesCount(); ++i) tabs += "|" + f.Report->Pages(i)->Name();
        EXPECT_EQ(f.Tabs(), frxResources().Get("dsCode") + tabs) << c.Press << "->" << c.Drop;
        const bool moved = std::string(c.Order) != "Page1|Page2|Page3";
        EXPECT_EQ(f.Form->Modified(), moved) << c.Press << "->" << c.Drop;
        // A move is one undo step.
        EXPECT_EQ(f.Form->UndoBuffer()->UndoCount(), undoBefore + (moved ? 1 : 0)) << c.Press << "->" << c.Drop;
        if (moved) {
            f.Form->UndoCmdExecute(f.Form->UndoCmd);
            EXPECT_EQ(PageOrder(*f.Report), "Page1|Page2|Page3");
        }
    }
}

// While the debugger runs the report's script, its pages stay where they are.
TEST(DesignerPageTabs, NothingMovesWhileAScriptRuns) {
    TThreePages f;
    f.Form->ScriptRunning = true;
    DragTab(*f.Form, 1, TabCentre(*f.Form, 3));
    f.Form->ScriptRunning = false;
    EXPECT_EQ(PageOrder(*f.Report), "Page1|Page2|Page3");
    EXPECT_FALSE(f.Form->Modified());
}

// A page moved in the designer is saved in its new place.
TEST(DesignerPageTabs, TheMovedOrderIsTheReportsOrder) {
    TThreePages f;
    DragTab(*f.Form, 3, TabCentre(*f.Form, 1));
    const std::string xml = f.Xml();
    EXPECT_LT(xml.find("Name=\"Page3\""), xml.find("Name=\"Page1\""));
    EXPECT_LT(xml.find("Name=\"Page1\""), xml.find("Name=\"Page2\""));
}

TEST(DesignerStatusBar, DoubleClickOnTheUnitPanelStepsTheUnit) {
    TDesignerFixture f;
    auto unitText = [&] { return f.Form->StatusBar->Panels()->Items(0)->Text(); };
    const char* const keys[] = {"dsInch", "dsPix", "dsCm", "dsInch"};
    for (int k = 0; k < 4; ++k) {
        H::DblClick(f.Form->StatusBar, TPoint{20, 8});
        EXPECT_EQ(f.Form->CurUnits(), (k + 1) % 3);
        EXPECT_EQ(f.Form->Units(), (k + 1) % 3);
        EXPECT_EQ(unitText(), frxResources().Get(keys[k]));
    }
    // Elsewhere on the status bar nothing changes.
    H::DblClick(f.Form->StatusBar, TPoint{150, 8});
    EXPECT_EQ(f.Form->CurUnits(), 1);
}

TEST(DesignerStatusBar, DialogAndDotMatrixPagesKeepTheirUnit) {
    TDesignerFixture f;
    auto* dialog = new TfrxDialogPage(f.Report.get());
    dialog->SetName("DialogPage1");
    dialog->SetBounds(265, 150, 300, 200);   // as the new-dialog command makes it
    auto* dmp = new TfrxDMPPage(f.Report.get());
    dmp->SetName("DMPPage1");
    f.Form->ReloadPages(1);
    for (TfrxPage* page : {static_cast<TfrxPage*>(dialog), static_cast<TfrxPage*>(dmp)}) {
        f.Form->SetPage(page);
        const int unit = f.Form->CurUnits();
        H::DblClick(f.Form->StatusBar, TPoint{20, 8});
        EXPECT_EQ(f.Form->CurUnits(), unit) << page->Name();
        EXPECT_EQ(f.Form->Units(), 0) << page->Name();
    }
}

// The zoom box in a 1000 x 600 scroll box on an A4 page (794 x 1123 pixels).
TEST(DesignerZoom, TheZoomBoxTakesItemsAndTypedValues) {
    struct TCase {
        int Item;
        const char* Typed;
        double Scale;
        const char* Shown;
    };
    const TCase cases[] = {
        {7, "", 0.52, "52%"},        // whole page: the height decides
        {6, "", 1.21, "121%"},       // page width
        {1, "50%", 0.5, "50%"},
        {-1, "150 %", 1.5, "150%"},
        {-1, "33,5", 0.335, "34%"},  // the report library's number reader takes either separator
        {-1, "3000", 20, "2000%"},   // the zoom in force is shown, not the text typed
    };
    for (const TCase& c : cases) {
        TDesignerFixture f;
        f.Form->ScrollBox->SetAlign(alNone);
        f.Form->ScrollBox->SetBounds(0, 0, 1000, 600);
        f.Form->ScaleCB->SetItemIndex(c.Item);
        if (c.Item < 0) f.Form->ScaleCB->SetText(c.Typed);
        f.Form->ScaleCBClick(f.Form->ScaleCB);
        EXPECT_NEAR(f.Form->Scale(), c.Scale, 1e-9) << c.Item << c.Typed;
        EXPECT_EQ(f.Form->ScaleCB->Text(), c.Shown) << c.Item << c.Typed;
    }
}

TEST(DesignerZoom, TextThatIsNoNumberIsAnErrorAndTheZoomStays) {
    TDesignerFixture f;
    f.Form->ScaleCB->SetItemIndex(-1);
    f.Form->ScaleCB->SetText("big");
    H::TypeKey(f.Form->ScaleCB, VK_RETURN);
    EXPECT_DOUBLE_EQ(f.Form->Scale(), 0.75);
    ASSERT_EQ(f.Harness.Dialogs().size(), 1u);
}

// The zoom tool's rectangle zooms up to 2000 %: the page is drawn with no error, and what a
// paint draws and keeps is the part of the surface the scroll box shows, at every zoom.
TEST(DesignerZoom, HighZoomsDrawAndKeepOnlyTheShownPart) {
    TDesignerFixture f;
    H::Click(f.Form->ZoomToolB);
    H::MouseDown(f.Form->Workspace, TPoint{100, 100});
    H::MouseMove(f.Form->Workspace, TPoint{104, 104}, ssLeft);
    H::MouseMove(f.Form->Workspace, TPoint{108, 108}, ssLeft);
    H::MouseUp(f.Form->Workspace, TPoint{108, 108});
    ASSERT_DOUBLE_EQ(f.Form->Scale(), 20);
    const auto shown = [&] {
        const TRect client = f.Form->ScrollBox->ClientRect();
        return Bounds(f.Form->ScrollBox->HorzScrollBar()->Position() - f.Form->Workspace->Left(),
                      f.Form->ScrollBox->VertScrollBar()->Position() - f.Form->Workspace->Top(), client.Width(),
                      client.Height());
    };
    // Then down with the right button, a step of 100 % a click: 1400 % and 1000 %.
    for (const auto& [clicks, zoom] : std::initializer_list<std::pair<int, double>>{{0, 20}, {6, 14}, {4, 10}}) {
        // Each click where the scroll box shows the page.
        for (int i = 0; i < clicks; ++i) {
            const TRect r = shown();
            H::Click(f.Form->Workspace, TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}, mbRight);
        }
        ASSERT_DOUBLE_EQ(f.Form->Scale(), zoom);
        f.Form->Workspace->Invalidate();
        H::ProcessMessages();
        const TRect kept = f.Form->Workspace->CachedRect();
        TRect inter;
        EXPECT_FALSE(kept.IsEmpty()) << zoom;
        EXPECT_TRUE(IntersectRect(inter, kept, shown())) << zoom;
        EXPECT_LE(int64_t(kept.Width()) * kept.Height(), int64_t(2048) * 2048) << zoom;
    }
    EXPECT_EQ(f.Harness.DialogTexts(), std::vector<std::string>{});
}

TEST(DesignerZoom, TheWheelScrollsAndWithCtrlZooms) {
    TDesignerFixture f;
    f.Form->SetScale(2);
    TControlScrollBar* bar = f.Form->ScrollBox->VertScrollBar();
    ASSERT_EQ(bar->Position(), 0);
    // Over the page, and beside the sheet (the strip left of it is the scroll box's own).
    const TPoint beside{4, 100};
    H::Wheel(f.Form->Workspace, -120, TPoint{20, 20});
    EXPECT_EQ(bar->Position(), 16);
    H::Wheel(f.Form->ScrollBox, -120, beside);
    EXPECT_EQ(bar->Position(), 32);
    H::Wheel(f.Form->Workspace, 120, TPoint{20, 40});
    EXPECT_EQ(bar->Position(), 16);
    // Ctrl: the zoom box's steps, over the page as over the free area.
    struct TCase {
        TControl* Over;
        int Delta;
        double Scale;
    };
    const TCase cases[] = {{f.Form->ScrollBox, -120, 1.5}, {f.Form->Workspace, -120, 1},
                           {f.Form->Workspace, -120, 0.75}, {f.Form->ScrollBox, 120, 1},
                           {f.Form->ScrollBox, 120, 1.5},   {f.Form->ScrollBox, 120, 2},
                           {f.Form->ScrollBox, 120, 2}};
    for (const TCase& c : cases) {
        H::Wheel(c.Over, c.Delta, c.Over == f.Form->ScrollBox ? beside : TPoint{20, 20}, ssCtrl);
        EXPECT_DOUBLE_EQ(f.Form->Scale(), c.Scale);
    }
    EXPECT_EQ(f.Form->ScaleCB->Text(), "200%");
    // A dialog page's window is not zoomed.
    auto* dialog = new TfrxDialogPage(f.Report.get());
    dialog->SetName("DialogPage1");
    dialog->SetBounds(265, 150, 300, 200);   // as the new-dialog command makes it
    f.Form->ReloadPages(1);
    H::Wheel(f.Form->Workspace, -120, TPoint{20, 20}, ssCtrl);
    EXPECT_DOUBLE_EQ(f.Form->Scale(), 2);
    EXPECT_DOUBLE_EQ(f.Form->Workspace->Scale(), 1);
}

}  // namespace
