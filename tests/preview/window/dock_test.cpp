// Dockable toolbars: rows closing up and docks growing, moves inside a dock, tearing off
// into a float window and docking back by dragging it, and the position store written and
// read back into a new window.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "platform/rtl/Settings.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/UiTest.h"
#include "preview/Dock.h"

namespace {

// A window with a top and a bottom dock, a left dock, and two toolbars of 92 pixels (the
// grip, a panel of 80 and the frame) in the top dock's first row.
struct TDockWindow {
    std::unique_ptr<TForm> Form;
    TfrxDock* Top;
    TfrxDock* Bottom;
    TfrxDock* Left;
    TfrxToolBar* TB1;
    TfrxToolBar* TB2;

    TDockWindow() {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(100, 100, 640, 480);
        Top = MakeDock("DockTop", alTop);
        Bottom = MakeDock("DockBottom", alBottom);
        Left = MakeDock("DockLeft", alLeft);
        TB1 = MakeBar("StandardTB", 0);
        TB2 = MakeBar("TextTB", 100);
        Form->Show();
        TUiTestHarness::ProcessMessages();
    }
    TfrxDock* MakeDock(const char* Name, TAlign Align) {
        auto* d = new TfrxDock(Form.get());
        d->SetName(Name);
        d->SetParent(Form.get());
        d->SetAlign(Align);
        d->AdjustBounds();
        return d;
    }
    TfrxToolBar* MakeBar(const char* Name, int X) {
        auto* t = new TfrxToolBar(Form.get());
        t->SetName(Name);
        t->SetText(Name);
        t->SetParent(Top);
        auto* content = new TPanel(Form.get());
        content->SetParent(t);
        content->SetBounds(10, 0, 80, 24);
        content->SetAlign(alLeft);
        t->DockTo(Top, X, 0);
        return t;
    }
};

}  // namespace

TEST(Dock, RowsCloseUpAndDocksSizeToTheirRows) {
    TUiTestHarness harness;
    TDockWindow w;
    EXPECT_EQ(w.TB1->Width(), 92);
    EXPECT_EQ(w.Top->Height(), 27);
    EXPECT_EQ(w.Bottom->Height(), 1);   // no toolbar: one pixel
    EXPECT_EQ(w.Left->Width(), 1);
    // A second row: the toolbar moved down by a row makes the dock grow.
    ASSERT_TRUE(w.TB2->TryMove(0, 26));
    EXPECT_EQ(w.TB2->Top(), 26);
    EXPECT_EQ(w.Top->Height(), 53);
    // The first row emptied: the row below moves up and the dock shrinks by a row.
    w.TB1->MakeFloat(300, 300);
    EXPECT_EQ(w.TB2->Top(), 0);
    EXPECT_EQ(w.Top->Height(), 27);
}

struct TMoveCase {
    const char* Name;
    int X;
    bool CanFloat;
    bool Floats;
    int ExpectedX;   // docked
};

class DockMove : public ::testing::TestWithParam<TMoveCase> {};

TEST_P(DockMove, AlongTheRow) {
    const TMoveCase& c = GetParam();
    TUiTestHarness harness;
    TDockWindow w;
    w.TB2->SetCanFloat(c.CanFloat);
    w.TB2->TryMove(c.X, 0);
    EXPECT_EQ(w.TB2->IsFloat(), c.Floats);
    if (!c.Floats) {
        EXPECT_EQ(w.TB2->Left(), c.ExpectedX);
        EXPECT_EQ(w.TB2->Top(), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DockMove,
    ::testing::Values(TMoveCase{"FreeSpot", 300, true, false, 300},
                      TMoveCase{"PushedPastTheNeighbour", 50, true, false, 92},
                      TMoveCase{"KeptInsideTheDock", 5000, true, false, 640 - 8 - 92},
                      TMoveCase{"TornOffBeyondTheStart", -21, true, true, 0},
                      TMoveCase{"StopsAtTheStartWhenItCannotFloat", -40, false, false, 0},
                      TMoveCase{"NotTornOffWithinTwentyPixels", -20, true, false, 92}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Dock, FloatingToolbarsDockByTheirDocksRules) {
    TUiTestHarness harness;
    TDockWindow w;
    // Over the left dock a horizontal-only toolbar stays floating.
    w.TB2->SetOrientation(toHorzOnly);
    w.TB2->MakeFloat(400, 400);
    EXPECT_FALSE(w.TB2->TryDock(w.Form.get(), TPoint{0, 200}));
    EXPECT_TRUE(w.TB2->IsFloat());
    // Over the bottom dock: above its rows (1 - height), the dock growing upward.
    const TRect bottom = w.Bottom->BoundsRect();
    ASSERT_TRUE(w.TB2->TryDock(w.Form.get(), TPoint{200, bottom.Top}));
    EXPECT_FALSE(w.TB2->IsFloat());
    EXPECT_EQ(w.TB2->Dock(), w.Bottom);
    EXPECT_EQ(w.TB2->GetFloatWindow(), nullptr);
    EXPECT_EQ(w.Bottom->Height(), 27);
    EXPECT_EQ(w.Bottom->Top() + w.Bottom->Height(), w.Form->ClientHeight());
    EXPECT_EQ(w.TB2->Top(), 1);
    EXPECT_EQ(w.TB2->Left(), 200 - w.Bottom->Left());
    // A toolbar wider than the dock goes to its start.
    w.TB1->MakeFloat(300, 300);
    w.TB1->SetBounds(w.TB1->Left(), w.TB1->Top(), 2000, w.TB1->Height());
    ASSERT_TRUE(w.TB1->TryDock(w.Form.get(), TPoint{300, 0}));
    EXPECT_EQ(w.TB1->Left(), 0);
    EXPECT_TRUE(frxFloatingToolBars().empty());
}

// The whole drag as the user does it: the grip dragged out of the top dock tears the
// toolbar off; the float window dragged over the bottom dock docks it there, in a row
// of its own.
TEST(Dock, DraggedOffAndDockedBackIntoAnotherDock) {
    TUiTestHarness harness;
    TDockWindow w;
    TfrxDragBox* grip = w.TB2->DragBox();
    TUiTestHarness::MouseDown(grip, {4, 4});
    TUiTestHarness::MouseMove(grip, {-150, 4}, ssLeft);
    ASSERT_TRUE(w.TB2->IsFloat());
    TfrxFloatWindow* fw = w.TB2->GetFloatWindow();
    ASSERT_NE(fw, nullptr);
    EXPECT_TRUE(fw->Visible());
    EXPECT_TRUE(fw->Dragging());
    EXPECT_EQ(w.TB2->Parent(), fw);
    EXPECT_EQ(fw->Width(), w.TB2->Width() + 6);
    EXPECT_EQ(frxFloatingToolBars(), std::vector<TfrxToolBar*>{w.TB2});
    // The window follows the mouse (it was torn off with its corner at the cursor).
    const TPoint corner{fw->Left(), fw->Top()};
    TUiTestHarness::MouseMove(fw, {30, 10}, ssLeft);
    EXPECT_EQ(fw->Left(), corner.X + 30);
    EXPECT_EQ(fw->Top(), corner.Y + 10);
    EXPECT_TRUE(w.TB2->IsFloat());
    // Over the bottom dock.
    const TPoint target = w.Form->ClientToScreen(TPoint{250, w.Bottom->Top()});
    const TPoint inWindow = fw->ScreenToClient(target);
    TUiTestHarness::MouseMove(fw, inWindow, ssLeft);
    EXPECT_FALSE(w.TB2->IsFloat());
    EXPECT_EQ(w.TB2->Dock(), w.Bottom);
    EXPECT_EQ(w.Bottom->Height(), 27);
    EXPECT_EQ(w.Top->Height(), 27);
    TUiTestHarness::MouseUp(w.TB2, {4, 4});
    TUiTestHarness::ProcessMessages();   // the float window goes
    EXPECT_TRUE(frxFloatingToolBars().empty());
}

// Written, then read back into a new window of the same kind: the floating toolbar floats
// at the same screen point, the docked one is in the same dock and place.
TEST(DockStore, PositionsComeBackInANewWindow) {
    TUiTestHarness harness;
    const std::string file =
        (std::filesystem::temp_directory_path() / ("rove-dock-" + std::to_string(::getpid()) + ".ini")).string();
    {
        TDockWindow w;
        w.TB1->MakeFloat(420, 380);
        const TRect bottom = w.Bottom->BoundsRect();
        ASSERT_TRUE(w.TB2->TryDock(w.Form.get(), TPoint{150, bottom.Top}));
        w.TB2->GripUp();
        TIniFile ini(file);
        SaveToolbarPosition(ini, w.TB1);
        SaveToolbarPosition(ini, w.TB2);
        SaveFormPosition(ini, w.Form.get());
        ini.UpdateFile();
        EXPECT_EQ(ini.ReadString("ToolBar.TB2", "Dock", "?"), "?");   // no such toolbar
        EXPECT_EQ(ini.ReadString("ToolBar.TextTB", "Dock", ""), "DockBottom");
        EXPECT_FALSE(ini.ValueExists("ToolBar.StandardTB", "Dock"));
    }
    TUiTestHarness::ProcessMessages();
    {
        TDockWindow w;
        TIniFile ini(file);
        RestoreToolbarPosition(ini, w.TB1);
        RestoreToolbarPosition(ini, w.TB2);
        EXPECT_TRUE(w.TB1->IsFloat());
        ASSERT_NE(w.TB1->GetFloatWindow(), nullptr);
        EXPECT_EQ(w.TB1->GetFloatWindow()->Left(), 420);
        EXPECT_EQ(w.TB1->GetFloatWindow()->Top(), 380);
        EXPECT_TRUE(w.TB1->IsVisible());
        EXPECT_EQ(w.TB2->Dock(), w.Bottom);
        EXPECT_EQ(w.TB2->Left(), 150);
        EXPECT_EQ(w.Top->Height(), 1);
        EXPECT_EQ(w.Bottom->Height(), 27);
    }
    std::filesystem::remove(file);
}

// Garbage in the store: windows stay where they were made, toolbars on the screen and in
// reach of their dock, a dock that no longer exists is ignored.
TEST(DockStore, GarbageLeavesUsablePlaces) {
    TUiTestHarness harness;
    harness.SetScreenSize(1024, 768);
    const std::string file =
        (std::filesystem::temp_directory_path() / ("rove-dock-bad-" + std::to_string(::getpid()) + ".ini")).string();
    {
        TIniFile ini(file);
        ini.WriteInteger("Form.TForm", "Left", -30000);
        ini.WriteInteger("Form.TForm", "Top", 90000);
        ini.WriteInteger("Form.TForm", "Width", 999999);
        ini.WriteInteger("Form.TForm", "Height", -5);
        ini.WriteBool("ToolBar.StandardTB", "Float", true);
        ini.WriteInteger("ToolBar.StandardTB", "Left", 50000);
        ini.WriteInteger("ToolBar.StandardTB", "Top", -7000);
        ini.WriteInteger("ToolBar.TextTB", "Left", 99999);
        ini.WriteInteger("ToolBar.TextTB", "Top", 99999);
        ini.WriteString("ToolBar.TextTB", "Dock", "DockGone");
        ini.WriteInteger("ToolBar.TextTB", "Width", 0);
        ini.UpdateFile();
    }
    TDockWindow w;
    const TRect before = w.Form->BoundsRect();
    TIniFile ini(file);
    RestoreFormPosition(ini, w.Form.get());
    RestoreToolbarPosition(ini, w.TB1);
    RestoreToolbarPosition(ini, w.TB2);
    EXPECT_EQ(w.Form->BoundsRect().Left, before.Left);
    EXPECT_EQ(w.Form->BoundsRect().Top, before.Top);
    EXPECT_EQ(w.Form->Width(), before.Width());
    ASSERT_NE(w.TB1->GetFloatWindow(), nullptr);
    EXPECT_LE(w.TB1->GetFloatWindow()->Left(), 1024 - 40);
    EXPECT_GE(w.TB1->GetFloatWindow()->Top(), 0);
    EXPECT_EQ(w.TB2->Dock(), w.Top);
    EXPECT_LE(w.TB2->Left() + w.TB2->Width(), w.Top->Width());
    EXPECT_LE(w.Top->Height(), 3 * w.Top->RowSize() + 1);
    EXPECT_EQ(w.TB2->Width(), 92);
    std::filesystem::remove(file);
    harness.SetScreenSize(0, 0);
}

TEST(DockStore, AMaximisedWindowComesBackMaximised) {
    TUiTestHarness harness;
    const std::string file =
        (std::filesystem::temp_directory_path() / ("rove-dock-max-" + std::to_string(::getpid()) + ".ini")).string();
    {
        TIniFile ini(file);
        ini.WriteBool("Form.TForm", "Maximized", true);
        ini.WriteInteger("Form.TForm", "Left", 10);
        ini.WriteInteger("Form.TForm", "Width", 300);
    }
    TDockWindow w;
    const int width = w.Form->Width();
    TIniFile ini(file);
    RestoreFormPosition(ini, w.Form.get());
    EXPECT_EQ(w.Form->WindowState(), wsMaximized);
    EXPECT_NE(w.Form->Width(), 300);
    (void)width;
    std::filesystem::remove(file);
}

namespace {

// A window with a dock site along its left edge and two tool windows.
struct TSiteWindow {
    std::unique_ptr<TForm> Form;
    TfrxDockSite* Site;
    std::unique_ptr<TForm> Inspector;
    std::unique_ptr<TForm> Tree;

    TSiteWindow() {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetName("DesignerWin");
        Form->SetBounds(50, 50, 800, 600);
        Site = new TfrxDockSite(Form.get());
        Site->SetName("LeftDockSite1");
        Site->SetParent(Form.get());
        auto* rest = new TPanel(Form.get());
        rest->SetParent(Form.get());
        rest->SetAlign(alClient);
        Inspector = MakeTool("ObjectInspector", "对象观察器", 150);
        Tree = MakeTool("ReportTree", "报表树", 180);
        Form->Show();
        TUiTestHarness::ProcessMessages();
    }
    static std::unique_ptr<TForm> MakeTool(const char* Name, const char* Caption, int Width) {
        auto f = std::make_unique<TForm>(nullptr);
        f->SetName(Name);
        f->SetText(Caption);
        f->SetBorderStyle(bsSizeToolWin);
        f->SetClientWidth(Width);
        f->SetClientHeight(200);
        return f;
    }
};

}  // namespace

TEST(DockSite, WindowsStackInTheSiteAndTheSiteTakesTheWidestWidth) {
    TUiTestHarness harness;
    TSiteWindow w;
    EXPECT_FALSE(w.Site->Splitter()->Visible());
    w.Site->DockForm(w.Inspector.get());
    EXPECT_EQ(w.Site->DockClientCount(), 1);
    EXPECT_EQ(frxDockSiteOf(w.Inspector.get()), w.Site);
    EXPECT_EQ(w.Site->Width(), 150);
    EXPECT_TRUE(w.Site->Splitter()->Visible());
    EXPECT_EQ(w.Site->Splitter()->Left(), w.Site->Left() + w.Site->Width());   // right beside it
    // The window's client area fills its place below the caption bar.
    EXPECT_EQ(w.Inspector->ClientWidth(), 150);
    EXPECT_EQ(w.Inspector->ClientOrigin().Y, w.Site->ClientOrigin().Y + TfrxDockHost::CaptionHeight);
    w.Site->DockForm(w.Tree.get(), 120);
    EXPECT_EQ(w.Site->DockClientCount(), 2);
    EXPECT_EQ(w.Site->Width(), 180);
    EXPECT_EQ(w.Site->DockClients(1), w.Tree.get());
    EXPECT_EQ(w.Tree->ClientWidth(), 180);
    EXPECT_EQ(w.Site->SaveLayout(), "ObjectInspector,216;ReportTree,120");
    EXPECT_EQ(w.Inspector->ClientHeight(), 200);
    EXPECT_EQ(w.Tree->ClientHeight(), w.Site->ClientHeight() - 216 - TfrxDockHost::CaptionHeight);
    // Everything undocked: the site closes up and hides its splitter.
    w.Site->UndockForm(w.Inspector.get(), TPoint{300, 300});
    w.Site->UndockForm(w.Tree.get(), TPoint{350, 350});
    TUiTestHarness::ProcessMessages();
    EXPECT_EQ(w.Site->DockClientCount(), 0);
    EXPECT_EQ(w.Site->Width(), 0);
    EXPECT_FALSE(w.Site->Splitter()->Visible());
    EXPECT_TRUE(w.Inspector->Visible());
}

// Dragged by its caption bar out of the site, a window floats; its float window dragged
// back over the site and let go, it docks there again.
TEST(DockSite, DraggedOutAndBack) {
    TUiTestHarness harness;
    TSiteWindow w;
    w.Site->DockForm(w.Inspector.get());
    w.Site->DockForm(w.Tree.get(), 120);
    auto* host = dynamic_cast<TfrxDockHost*>(w.Tree->Parent());
    ASSERT_NE(host, nullptr);
    TUiTestHarness::MouseDown(host, {30, 5});
    TUiTestHarness::MouseMove(host, {400, 5}, ssLeft);
    auto* fw = dynamic_cast<TfrxDockFloat*>(w.Tree->Parent());
    ASSERT_NE(fw, nullptr);
    EXPECT_EQ(w.Site->DockClientCount(), 1);
    EXPECT_TRUE(fw->Visible());
    EXPECT_EQ(w.Tree->ClientWidth(), fw->Width());
    // Back over the site.
    const TPoint over = w.Site->ClientToScreen(TPoint{20, 300});
    TUiTestHarness::MouseMove(fw, fw->ScreenToClient(over), ssLeft);
    TUiTestHarness::MouseUp(fw, fw->ScreenToClient(over));
    TUiTestHarness::ProcessMessages();
    EXPECT_EQ(w.Site->DockClientCount(), 2);
    EXPECT_EQ(frxDockSiteOf(w.Tree.get()), w.Site);
}

// The layout written and read back into a new window; a name that finds no window is
// passed over; an empty layout changes nothing.
TEST(DockSite, LayoutComesBackThroughTheStore) {
    TUiTestHarness harness;
    const std::string file =
        (std::filesystem::temp_directory_path() / ("rove-site-" + std::to_string(::getpid()) + ".ini")).string();
    std::string layout;
    {
        TSiteWindow w;
        w.Site->DockForm(w.Inspector.get(), 150);
        w.Site->DockForm(w.Tree.get(), 100);
        layout = w.Site->SaveLayout();
        TIniFile ini(file);
        SaveDockState(ini, w.Site);
        SaveFormPosition(ini, w.Tree.get());
        ini.WriteString("Dock.Empty", "Data", "");
        ini.UpdateFile();
        EXPECT_EQ(ini.ReadString("Form.TForm", "Dock", ""), "LeftDockSite1");
    }
    TUiTestHarness::ProcessMessages();
    {
        TSiteWindow w;
        TIniFile ini(file);
        RestoreDockState(ini, w.Site);
        EXPECT_EQ(w.Site->DockClientCount(), 2);
        EXPECT_EQ(w.Site->SaveLayout(), layout);
        // A layout naming a window that no longer exists.
        TSiteWindow other;
        other.Site->LoadLayout("NoSuchWindow,100;ObjectInspector,90");
        EXPECT_EQ(other.Site->DockClientCount(), 1);
        // Empty data: the site keeps what it has.
        auto* empty = new TfrxDockSite(w.Form.get());
        empty->SetName("Empty");
        empty->SetParent(w.Form.get());
        RestoreDockState(ini, empty);
        EXPECT_EQ(empty->DockClientCount(), 0);
    }
    std::filesystem::remove(file);
}
