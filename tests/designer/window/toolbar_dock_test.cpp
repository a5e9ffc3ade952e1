// The designer's tool bars as the user moves them: by the grip out of the top dock and
// onto the right one, out again into a floating window and by its title bar back into the
// top dock; View > Toolbars hiding and showing a floating one; and the places they had
// when the window closed coming back in the next one (a store that cannot be read gives
// the designed places).
#include <gtest/gtest.h>

#include <fstream>

#include <QWidget>
#include <QWindow>

#include "DesignerFixture.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Menus.h"
#include "platform/ui/QtPeer.h"
#include "designer/undo/UndoBuffer.h"
#include "designer/inspector/ObjectInspector.h"
#include "designer/trees/DataTree.h"
#include "designer/trees/ReportTree.h"
#include "designer/wizards/StdWizard.h"
#include "preview/FlatCombo.h"
#include "report/DesignRegistries.h"

namespace {
using H = TUiTestHarness;

// The grip pressed and the mouse moved by (DX, DY) with the button held.
void DragGrip(TfrxToolBar* Bar, int DX, int DY) {
    TfrxDragBox* grip = Bar->DragBox();
    H::MouseDown(grip, {4, 4});
    H::MouseMove(grip, {4 + DX, 4 + DY}, ssLeft);
}

// The floating bar's window dragged by its title bar until the cursor is at Target (the
// designer window's client coordinates), and let go there.
void DragFloatTo(TfrxDesignerForm& F, TfrxToolBar* Bar, TPoint Target) {
    TfrxFloatWindow* fw = Bar->GetFloatWindow();
    ASSERT_NE(fw, nullptr);
    H::MouseDown(fw, {30, 8});
    const TPoint at = fw->ScreenToClient(F.ClientToScreen(Target));
    H::MouseMove(fw, at, ssLeft);
    // Docked, the bar holds the mouse (the drag goes on inside the dock) until it is let go.
    if (Bar->IsFloat()) H::MouseUp(fw, fw->ScreenToClient(F.ClientToScreen(Target)));
    else H::MouseUp(Bar, Bar->ScreenToClient(F.ClientToScreen(Target)));
    H::ProcessMessages();   // a float window left behind goes
}

// Tears the bar off its dock (a drag along its row past the dock's start) and lets go; the
// float window stands at the cursor, a little left of the designer window.
void TearOff(TfrxToolBar* Bar) {
    DragGrip(Bar, -Bar->Left() - 40, 0);
    ASSERT_TRUE(Bar->IsFloat());
    TfrxFloatWindow* fw = Bar->GetFloatWindow();
    ASSERT_NE(fw, nullptr);
    H::MouseUp(fw, {30, 8});
}

// The floating bar's window dragged by its title bar by (DX, DY) and let go.
void MoveFloat(TfrxToolBar* Bar, int DX, int DY) {
    TfrxFloatWindow* fw = Bar->GetFloatWindow();
    ASSERT_NE(fw, nullptr);
    H::MouseDown(fw, {30, 8});
    H::MouseMove(fw, {30 + DX, 8 + DY}, ssLeft);
    // The window moved with the cursor: the cursor is over its title bar where it was.
    H::MouseUp(fw, {30, 8});
}

// A point of the right dock, in the window's client coordinates.
TPoint OnRightDock(TfrxDesignerForm& F) { return {F.DockRight->Left(), F.DockRight->Top() + 60}; }
// The bar torn off by its grip and its float window let go over the right dock.
void DockOnTheRight(TfrxDesignerForm& F, TfrxToolBar* Bar) {
    DragGrip(Bar, -150, 0);
    TfrxFloatWindow* fw = Bar->GetFloatWindow();
    ASSERT_NE(fw, nullptr);
    H::MouseMove(fw, fw->ScreenToClient(F.ClientToScreen(OnRightDock(F))), ssLeft);
    ASSERT_EQ(Bar->Dock(), F.DockRight);
    H::MouseUp(Bar, {4, 4});
    H::ProcessMessages();
}
// A point on the lower edge of the top dock.
TPoint UnderTopDock(TfrxDesignerForm& F) { return {120, F.DockTop->Top() + F.DockTop->Height() - 1}; }

// The box panel of a box of the tool bars shows exactly when its box does.
bool BoxShown(TControl* Box) { return Box->Visible() && Box->Parent() && Box->Parent()->Visible(); }

}  // namespace

// Out of the top dock onto the right dock (a column: the buttons one below the other, the
// boxes put away), a button clicked there, out into a floating window (a row again, the
// boxes back) and into the top dock in a row of its own.
TEST(DesignerToolBars, DraggedToTheRightDockOutToFloatAndBack) {
    TDesignerFixture f;
    TfrxDesignerForm& F = *f.Form;
    TfrxToolBar* text = F.TextTB;
    ASSERT_EQ(text->Dock(), F.DockTop);
    ASSERT_EQ(text->Top(), F.DockTop->RowSize());
    ASSERT_TRUE(BoxShown(F.FontNameCB));
    const int topRows = F.DockTop->Height();
    EXPECT_EQ(F.DockRight->Width(), 1);
    // The side and bottom docks are the outermost: at the window's right edge, and right
    // above the status bar.
    EXPECT_EQ(F.DockRight->Left() + F.DockRight->Width(), F.ClientWidth());
    EXPECT_GE(F.DockRight->Left(), F.RightDockSite->Left() + F.RightDockSite->Width());
    EXPECT_EQ(F.DockBottom->Top() + F.DockBottom->Height(), F.StatusBar->Top());

    // Torn off by the grip: the drag goes on with the float window, which is let go over
    // the right dock.
    DragGrip(text, -150, 0);
    ASSERT_TRUE(text->IsFloat());
    TfrxFloatWindow* fw = text->GetFloatWindow();
    ASSERT_NE(fw, nullptr);
    EXPECT_TRUE(fw->Dragging());
    EXPECT_EQ(fw->Text(), "文本");
    const TPoint right = fw->ScreenToClient(F.ClientToScreen(OnRightDock(F)));
    H::MouseMove(fw, right, ssLeft);
    ASSERT_FALSE(text->IsFloat());
    ASSERT_EQ(text->Dock(), F.DockRight);
    H::MouseUp(text, {4, 4});
    H::ProcessMessages();
    EXPECT_TRUE(frxFloatingToolBars().empty());
    // The row it left closed only where nothing else stands: the frame bar keeps the row.
    EXPECT_EQ(F.DockTop->Height(), topRows);
    // A column one row wide: the dock took it, the buttons stand one below the other.
    EXPECT_EQ(F.DockRight->Width(), F.DockRight->RowSize() + 1);
    EXPECT_LT(text->Width(), text->Height());
    EXPECT_TRUE(F.TextTB1->Vertical());
    EXPECT_EQ(F.BoldB->Left(), F.ItalicB->Left());
    EXPECT_GT(F.ItalicB->Top(), F.BoldB->Top());
    EXPECT_FALSE(BoxShown(F.FontNameCB));
    EXPECT_FALSE(BoxShown(F.StyleCB));
    EXPECT_LE(text->Top() + text->Height(), F.DockRight->Height());
    // Its buttons work there: Bold on the selected memo.
    f.Select({f.Find("Memo2")});
    H::Click(F.BoldB);
    EXPECT_TRUE(dynamic_cast<TfrxMemoView*>(f.Find("Memo2"))->Font()->Style().Contains(fsBold));

    // Out of the right dock past its start: floating, laid out as a row again.
    DragGrip(text, 0, -150);
    ASSERT_TRUE(text->IsFloat());
    fw = text->GetFloatWindow();
    ASSERT_NE(fw, nullptr);
    H::MouseUp(fw, {30, 8});
    EXPECT_EQ(frxFloatingToolBars(), std::vector<TfrxToolBar*>{text});
    EXPECT_EQ(F.DockRight->Width(), 1);
    EXPECT_FALSE(F.TextTB1->Vertical());
    EXPECT_GT(text->Width(), text->Height());
    EXPECT_TRUE(BoxShown(F.FontNameCB));
    EXPECT_EQ(fw->Width(), text->Width() + 6);

    // Back by its title bar onto the lower edge of the top dock: a row of its own there.
    const int rowsNow = F.DockTop->Height();
    DragFloatTo(F, text, UnderTopDock(F));
    EXPECT_FALSE(text->IsFloat());
    EXPECT_EQ(text->Dock(), F.DockTop);
    EXPECT_EQ(text->Top(), rowsNow - 1);
    EXPECT_EQ(F.DockTop->Height(), rowsNow + F.DockTop->RowSize());
    EXPECT_TRUE(frxFloatingToolBars().empty());
    EXPECT_TRUE(BoxShown(F.FontNameCB));
    EXPECT_TRUE(f.Harness.Errors().empty());
}

// View > Toolbars on a floating bar hides and shows its window where it stands; a docked
// bar shown again goes to a row of its own at its dock's free edge.
TEST(DesignerToolBars, ViewToolbarsHidesAndShowsFloatingAndDockedBars) {
    TDesignerFixture f;
    TfrxDesignerForm& F = *f.Form;
    auto* frameMI = dynamic_cast<TMenuItem*>(F.FindComponent("FrameMI"));
    auto* standardMI = dynamic_cast<TMenuItem*>(F.FindComponent("StandardMI"));
    ASSERT_NE(frameMI, nullptr);
    ASSERT_NE(standardMI, nullptr);
    TearOff(F.FrameTB);
    TfrxFloatWindow* fw = F.FrameTB->GetFloatWindow();
    ASSERT_NE(fw, nullptr);
    const TPoint at{fw->Left(), fw->Top()};
    H::ClickMenuItem(frameMI);
    EXPECT_FALSE(fw->Visible());
    EXPECT_FALSE(F.FrameTB->IsVisible());
    H::ClickMenuItem(frameMI);
    EXPECT_TRUE(fw->Visible());
    EXPECT_TRUE(F.FrameTB->IsFloat());
    EXPECT_EQ(fw->Left(), at.X);
    EXPECT_EQ(fw->Top(), at.Y);
    // Its own close button hides it too; the menu's mark follows.
    H::Click(fw->CloseBtn());
    EXPECT_FALSE(F.FrameTB->IsVisible());
    F.ToolbarsMIOpen(F.ToolbarsMI);
    EXPECT_FALSE(frameMI->Checked());

    // The standard bar hidden: its row stays for the text bar; shown, a row of its own.
    const int rows = F.DockTop->Height();
    H::ClickMenuItem(standardMI);
    EXPECT_FALSE(F.StandardTB->Visible());
    H::ClickMenuItem(standardMI);
    EXPECT_TRUE(F.StandardTB->Visible());
    EXPECT_EQ(F.StandardTB->Dock(), F.DockTop);
    EXPECT_EQ(F.StandardTB->Left(), 0);
    EXPECT_GE(F.StandardTB->Top(), F.TextTB->Top() + F.TextTB->Height());
    EXPECT_EQ(F.DockTop->Height(), F.StandardTB->Top() + F.StandardTB->Height() + 1);
    EXPECT_GE(F.DockTop->Height(), rows);
    EXPECT_TRUE(f.Harness.Errors().empty());
}

// Closed with the text bar on the right dock and the frame bar floating, the window opens
// again with them there; a settings file that cannot be read gives the designed places.
TEST(DesignerToolBars, PlacesComeBackAndAnUnreadableStoreGivesTheDesignedOnes) {
    TDesignerFixture f;
    // A screen with room left of the window for the bar torn off there.
    f.Harness.SetScreenSize(2400, 1400);
    f.Form->SetLeft(700);
    struct TPlace {
        TfrxDock* Dock;
        bool Float;
        int Left, Top, Width, Height;
    };
    auto place = [](TfrxToolBar* Bar) {
        const TfrxFloatWindow* w = Bar->GetFloatWindow();
        return TPlace{Bar->Dock(), Bar->IsFloat(), w ? w->Left() : Bar->Left(), w ? w->Top() : Bar->Top(),
                      Bar->Width(), Bar->Height()};
    };
    auto expectPlace = [](const TPlace& A, const TPlace& B, const char* Name) {
        EXPECT_EQ(A.Float, B.Float) << Name;
        EXPECT_EQ(A.Left, B.Left) << Name;
        EXPECT_EQ(A.Top, B.Top) << Name;
        EXPECT_EQ(A.Width, B.Width) << Name;
        EXPECT_EQ(A.Height, B.Height) << Name;
    };
    const TPlace designedStandard = place(f.Form->StandardTB);
    const TPlace designedText = place(f.Form->TextTB);
    const TPlace designedFrame = place(f.Form->FrameTB);
    const int designedTop = f.Form->DockTop->Height();

    DockOnTheRight(*f.Form, f.Form->TextTB);
    TearOff(f.Form->FrameTB);
    // The user drags the float window elsewhere.
    {
        TfrxFloatWindow* fw = f.Form->FrameTB->GetFloatWindow();
        ASSERT_NE(fw, nullptr);
        ASSERT_GT(fw->Left(), 0);
        const TPoint before{fw->Left(), fw->Top()};
        MoveFloat(f.Form->FrameTB, 200, 300);
        ASSERT_TRUE(f.Form->FrameTB->IsFloat());
        ASSERT_EQ(fw->Left(), before.X + 200);
        ASSERT_EQ(fw->Top(), before.Y + 300);
    }
    const TPlace text = place(f.Form->TextTB);
    const TPlace frame = place(f.Form->FrameTB);
    const TPlace standard = place(f.Form->StandardTB);
    const int rightWidth = f.Form->DockRight->Width();

    f.Form.reset();
    EXPECT_TRUE(frxFloatingToolBars().empty());
    f.Open();
    EXPECT_EQ(f.Form->TextTB->Dock(), f.Form->DockRight);
    EXPECT_EQ(f.Form->FrameTB->Dock(), nullptr);
    EXPECT_EQ(f.Form->StandardTB->Dock(), f.Form->DockTop);
    expectPlace(place(f.Form->TextTB), text, "TextTB");
    expectPlace(place(f.Form->FrameTB), frame, "FrameTB");
    expectPlace(place(f.Form->StandardTB), standard, "StandardTB");
    EXPECT_TRUE(f.Form->TextTB1->Vertical());
    EXPECT_FALSE(BoxShown(f.Form->FontNameCB));
    EXPECT_EQ(f.Form->DockRight->Width(), rightWidth);
    // The text bar's row closed with the frame bar gone: one row in the top dock.
    EXPECT_EQ(f.Form->DockTop->Height(), f.Form->DockTop->RowSize() + 1);
    ASSERT_NE(f.Form->FrameTB->GetFloatWindow(), nullptr);
    EXPECT_TRUE(f.Form->FrameTB->GetFloatWindow()->Visible());
    EXPECT_EQ(frxFloatingToolBars(), std::vector<TfrxToolBar*>{f.Form->FrameTB});
    // The floating bar came up with the window and works: a frame for the selected memo.
    f.Select({f.Find("Memo2")});
    const int steps = f.Form->UndoBuffer()->UndoCount();
    H::Click(f.Form->FrameAllB);
    EXPECT_EQ(f.Form->UndoBuffer()->UndoCount(), steps + 1);

    // A store that is no settings file: every bar in its designed place.
    f.Form.reset();
    {
        std::ofstream out(RegistryFileName(), std::ios::binary | std::ios::trunc);
        std::string junk;
        for (int i = 0; i < 2048; ++i) junk += static_cast<char>((i * 7919 + 13) % 256);
        out << junk << "\n[ToolBar.TextTB\nFloat=\n[[[\nDock=DockRight\n";
    }
    f.Open();
    EXPECT_EQ(f.Form->TextTB->Dock(), f.Form->DockTop);
    EXPECT_EQ(f.Form->FrameTB->Dock(), f.Form->DockTop);
    expectPlace(place(f.Form->StandardTB), designedStandard, "StandardTB");
    expectPlace(place(f.Form->TextTB), designedText, "TextTB");
    expectPlace(place(f.Form->FrameTB), designedFrame, "FrameTB");
    EXPECT_FALSE(f.Form->TextTB1->Vertical());
    EXPECT_TRUE(BoxShown(f.Form->FontNameCB));
    EXPECT_EQ(f.Form->DockTop->Height(), designedTop);
    EXPECT_EQ(f.Form->DockRight->Width(), 1);
    EXPECT_TRUE(frxFloatingToolBars().empty());
    EXPECT_TRUE(f.Harness.Errors().empty());
}

// The wizards' bar: the report wizards are started from the New Items window and get no
// button; a wizard registered for the tool bar gets one, with its description as hint.
TEST(DesignerToolBars, OnlyToolBarWizardsGetAButton) {
    TDesignerFixture f;
    TfrxWizardCollection& wizards = frxWizards();
    int std = -1;
    for (int i = 0; i < wizards.Count(); ++i)
        if (wizards.Items(i).ClassRef == TfrxStdWizard::StaticClass()) std = i;
    ASSERT_GE(std, 0);
    for (int i = 0; i < f.Form->ExtraToolsTB1->ButtonCount(); ++i)
        ADD_FAILURE() << "a button for wizard " << f.Form->ExtraToolsTB1->Buttons(i)->Tag();
    struct TFlag {
        TfrxWizardItem& Item;
        ~TFlag() { Item.IsToolbarWizard = false; }
    } flag{wizards.Items(std)};
    flag.Item.IsToolbarWizard = true;
    f.Form.reset();
    f.Open();
    ASSERT_EQ(f.Form->ExtraToolsTB1->ButtonCount(), 1);
    TToolButton* b = f.Form->ExtraToolsTB1->Buttons(0);
    EXPECT_EQ(b->Tag(), std);
    EXPECT_EQ(b->Hint(), TfrxStdWizard(nullptr).GetDescription());
    // The bar is as long as its grip and button.
    EXPECT_EQ(f.Form->ExtraToolsTB->Width(), b->Left() + b->Width() + 8 + 4);
}

// A floating bar is a tool window of the designer's window (the window system stacks it
// above the designer, which a click on the designer then cannot cover), torn off by the
// user or restored from a stored place as the window is made, and its boxes keep the
// designer's font there.
TEST(DesignerToolBars, AFloatingBarIsAToolWindowOfTheDesignerInItsFont) {
    TDesignerFixture f;
    auto check = [&](const char* How) {
        SCOPED_TRACE(How);
        TfrxDesignerForm& F = *f.Form;
        ASSERT_TRUE(F.TextTB->IsFloat());
        TfrxFloatWindow* fw = F.TextTB->GetFloatWindow();
        ASSERT_NE(fw, nullptr);
        QWidget* window = WidgetOf(fw);
        ASSERT_TRUE(window->isVisible());
        EXPECT_TRUE(window->windowFlags().testFlag(Qt::Tool));
        ASSERT_NE(window->windowHandle(), nullptr);
        EXPECT_EQ(window->windowHandle()->transientParent(), WidgetOf(&F)->windowHandle());
        for (TControl* box : {static_cast<TControl*>(F.FontNameCB), static_cast<TControl*>(F.FontSizeCB)}) {
            EXPECT_EQ(box->Font()->Name(), F.Font()->Name());
            EXPECT_EQ(box->Font()->Size(), F.Font()->Size());
        }
    };
    TearOff(f.Form->TextTB);
    H::ProcessMessages();
    check("torn off");
    f.Form.reset();
    f.Open();
    check("restored");
}

// The tool windows' sites keep their widths when a bar stands on the right dock beside
// them, through closes and opens.
TEST(DesignerToolBars, TheSitesKeepTheirWidthsBesideABarOnTheRightDock) {
    TDesignerFixture f;
    f.Harness.SetScreenSize(1600, 1000);
    const int right = f.Form->RightDockSite->Width();
    const int left = f.Form->LeftDockSite2->Width();
    DockOnTheRight(*f.Form, f.Form->TextTB);
    EXPECT_EQ(f.Form->RightDockSite->Width(), right);
    for (int i = 0; i < 2; ++i) {
        f.Form.reset();
        f.Open();
        EXPECT_EQ(f.Form->TextTB->Dock(), f.Form->DockRight);
        EXPECT_EQ(f.Form->RightDockSite->Width(), right) << i;
        EXPECT_EQ(f.Form->LeftDockSite2->Width(), left) << i;
    }
}

// The wizards' bar (no wizard registered for it: no button) shown from View > Toolbars keeps
// the thickness of a dock row, dragged into the bottom dock as well; with the text bar on the
// right dock, the window opens again with the bars there and the tool windows as wide as
// they were (the bars' docks growing as they were put back used to give the windows their
// sites' first widths).
TEST(DesignerToolBars, BarsOnTheBottomAndRightDocksComeBackBesideToolWindowsOfTheirWidths) {
    TDesignerFixture f;
    f.Harness.SetScreenSize(2400, 1400);
    f.Form->SetLeft(700);
    auto* toolsMI = dynamic_cast<TMenuItem*>(f.Form->FindComponent("ToolsMI"));
    ASSERT_NE(toolsMI, nullptr);
    auto expectRowThick = [](TfrxToolBar* Bar, const char* Where) {
        const int row = Bar->Dock() ? Bar->Dock()->RowSize() : 0;
        EXPECT_EQ(Bar->Height(), row) << Where;
        EXPECT_GE(Bar->Width(), Bar->Height()) << Where;
    };
    DockOnTheRight(*f.Form, f.Form->TextTB);
    H::ClickMenuItem(toolsMI);
    ASSERT_EQ(f.Form->ExtraToolsTB->Dock(), f.Form->DockTop);
    ASSERT_EQ(f.Form->ExtraToolsTB1->ButtonCount(), 0);
    expectRowThick(f.Form->ExtraToolsTB, "shown");
    TearOff(f.Form->ExtraToolsTB);
    DragFloatTo(*f.Form, f.Form->ExtraToolsTB, {120, f.Form->DockBottom->Top()});
    ASSERT_EQ(f.Form->ExtraToolsTB->Dock(), f.Form->DockBottom);
    expectRowThick(f.Form->ExtraToolsTB, "in the bottom dock");
    struct TWidths {
        int DataTree, ReportTree, Inspector, RightSite, LeftSite;
    };
    auto widths = [&] {
        TfrxDesignerForm& F = *f.Form;
        return TWidths{F.DataTree->Width(), F.ReportTree->Width(), F.Inspector->Width(), F.RightDockSite->Width(),
                       F.LeftDockSite2->Width()};
    };
    const TWidths before = widths();
    const int bottom = f.Form->DockBottom->Height();

    f.Form.reset();
    f.Open();
    EXPECT_EQ(f.Form->ExtraToolsTB->Dock(), f.Form->DockBottom);
    EXPECT_EQ(f.Form->TextTB->Dock(), f.Form->DockRight);
    expectRowThick(f.Form->ExtraToolsTB, "restored");
    EXPECT_EQ(f.Form->DockBottom->Height(), bottom);
    const TWidths after = widths();
    EXPECT_EQ(after.DataTree, before.DataTree);
    EXPECT_EQ(after.ReportTree, before.ReportTree);
    EXPECT_EQ(after.Inspector, before.Inspector);
    EXPECT_EQ(after.RightSite, before.RightSite);
    EXPECT_EQ(after.LeftSite, before.LeftSite);
    EXPECT_TRUE(f.Harness.Errors().empty());
}
