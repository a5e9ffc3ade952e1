// The designer's tool bars dragged as a user drags them: the button held down and the
// mouse moved in several steps, across rows of the top dock, onto the right dock and back
// into a row, torn off and docked again. After every step each bar stands on a row of its
// dock, beside the others, and every button of the text and frame bars in its place; the
// places come back in the next window as the user left them.
#include <gtest/gtest.h>

#include <map>

#include "DesignerFixture.h"
#include "platform/rtl/Settings.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Menus.h"
#include "preview/FlatCombo.h"

namespace {
using H = TUiTestHarness;

// One drag, in the designer window's client coordinates: pressed at From on Control, the
// mouse moved in Steps equal steps to To with the button held, and let go there. Moves
// are given relative to the window, which stays where it is while the bar under the
// pointer moves, docks or floats.
void Drag(TfrxDesignerForm& F, TControl* Control, TPoint From, TPoint To, int Steps = 4) {
    H::MouseDown(Control, Control->ScreenToClient(F.ClientToScreen(From)));
    for (int i = 1; i <= Steps; ++i)
        H::MouseMove(&F, {From.X + (To.X - From.X) * i / Steps, From.Y + (To.Y - From.Y) * i / Steps}, ssLeft);
    H::MouseUp(&F, To);
    H::ProcessMessages();   // a float window left behind goes
}

// The middle of a bar's grip, in the window's client coordinates.
TPoint GripOf(TfrxDesignerForm& F, TfrxToolBar* Bar) {
    return F.ScreenToClient(Bar->DragBox()->ClientToScreen({4, 4}));
}

// The middle of a floating bar's title, in the window's client coordinates.
TPoint TitleOf(TfrxDesignerForm& F, TfrxToolBar* Bar) {
    TfrxFloatWindow* w = Bar->GetFloatWindow();
    return w ? F.ScreenToClient(w->ClientToScreen({30, 8})) : TPoint{};
}

// Where each button and box of a tool bar stands inside it.
std::map<std::string, TRect> ButtonPlaces(TToolBar* Bar) {
    std::map<std::string, TRect> out;
    for (int i = 0; i < Bar->ControlCount(); ++i) {
        TControl* c = Bar->Controls(i);
        if (!c->Visible()) continue;
        std::string name = c->Name();
        if (name.empty()) name = c->ClassName() + " " + std::to_string(i);
        out[name] = c->BoundsRect();
    }
    return out;
}

TPoint Shifted(TPoint P, int DX, int DY) { return {P.X + DX, P.Y + DY}; }

bool Overlap(const TRect& A, const TRect& B) {
    return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}

// Every bar of the dock on a row of it, inside it and beside the others; in a row bar no
// visible button lies under a box or outside the bar.
void ExpectInRows(TfrxDesignerForm& F, TfrxDock* Dock, const char* Step) {
    SCOPED_TRACE(Step);
    std::vector<TfrxToolBar*> bars;
    for (TfrxToolBar* b : Dock->ToolBars())
        if (b->Visible()) bars.push_back(b);
    const int row = Dock->RowSize();
    for (TfrxToolBar* b : bars) {
        SCOPED_TRACE(b->Name());
        EXPECT_GE(b->Left(), 0);
        EXPECT_GE(b->Top(), 0);
        EXPECT_LE(b->Left() + b->Width(), Dock->Width());
        EXPECT_LE(b->Top() + b->Height(), Dock->Height());
        if (Dock->Horizontal()) EXPECT_EQ(b->Top() % row, 0);
        for (TfrxToolBar* o : bars)
            if (o != b) EXPECT_FALSE(Overlap(b->BoundsRect(), o->BoundsRect())) << "over " << o->Name();
    }
    for (TToolBar* bar : {F.TextTB1, F.FrameTB1, F.StandardTB1}) {
        if (bar->Vertical()) continue;
        SCOPED_TRACE(bar->Name());
        std::vector<TControl*> boxes, buttons;
        for (int i = 0; i < bar->ControlCount(); ++i) {
            TControl* c = bar->Controls(i);
            if (!c->Visible()) continue;
            auto* b = dynamic_cast<TToolButton*>(c);
            if (!b) boxes.push_back(c);
            else if (b->Style() != tbsSeparator && b->Style() != tbsDivider) buttons.push_back(c);
        }
        for (TControl* b : buttons) {
            EXPECT_LE(b->Left() + b->Width(), bar->Width()) << b->Name();
            for (TControl* box : boxes) EXPECT_FALSE(Overlap(b->BoundsRect(), box->BoundsRect())) << b->Name();
        }
    }
}

}  // namespace

// The standard bar dragged down a row beside the frame bar and back; the frame bar dragged
// along its row and up out of the dock, its window carried back under the dock: each move
// of the mouse moves a bar once, by the rows and pixels the pointer went.
TEST(DesignerToolBarDrags, EachMoveOfTheMouseMovesABarOnce) {
    TDesignerFixture f;
    TfrxDesignerForm& F = *f.Form;
    TfrxDock* top = F.DockTop;
    const int row = top->RowSize();
    ExpectInRows(F, top, "designed");
    ASSERT_EQ(F.FrameTB->Top(), row);
    ASSERT_EQ(F.TextTB->Top(), row);

    // The frame bar along its row, 200 pixels left in four moves: 200 pixels, not 400.
    const int frameLeft = F.FrameTB->Left();
    {
        const TPoint g = GripOf(F, F.FrameTB);
        H::MouseDown(F.FrameTB->DragBox(), {4, 4});
        for (int i = 1; i <= 4; ++i) {
            H::MouseMove(&F, {g.X - 50 * i, g.Y}, ssLeft);
            // Pushed back by the text bar it ran into.
            EXPECT_EQ(F.FrameTB->Left(), std::max(frameLeft - 50 * i, F.TextTB->Width())) << i;
            EXPECT_EQ(F.FrameTB->Top(), row) << i;
        }
        H::MouseUp(&F, {g.X - 200, g.Y});
    }
    ExpectInRows(F, top, "frame bar along its row");

    // The text bar torn off and carried onto the right dock, the frame bar then to the
    // start of its row.
    Drag(F, F.TextTB->DragBox(), GripOf(F, F.TextTB), {F.DockRight->Left(), F.DockRight->Top() + 60}, 6);
    ASSERT_EQ(F.TextTB->Dock(), F.DockRight);
    ExpectInRows(F, top, "text bar gone");
    Drag(F, F.FrameTB->DragBox(), GripOf(F, F.FrameTB), Shifted(GripOf(F, F.FrameTB), -F.FrameTB->Left(), 0));
    ASSERT_EQ(F.FrameTB->Left(), 0);
    ASSERT_EQ(F.FrameTB->Top(), row);

    // The standard bar down one row in moves of 10 pixels: it goes down when the pointer
    // has gone a row, beside the frame bar; its own row closes, so both stand in the first.
    {
        const TPoint g = GripOf(F, F.StandardTB);
        H::MouseDown(F.StandardTB->DragBox(), {4, 4});
        for (int dy = 10; dy <= 30; dy += 10) {
            H::MouseMove(&F, {g.X, g.Y + dy}, ssLeft);
            if (dy < row) {
                EXPECT_EQ(F.StandardTB->Top(), 0) << dy;
                EXPECT_EQ(F.StandardTB->Left(), 0) << dy;
            }
        }
        H::MouseUp(&F, {g.X, g.Y + 30});
    }
    EXPECT_EQ(F.StandardTB->Dock(), top);
    EXPECT_EQ(F.StandardTB->Left(), F.FrameTB->Width());
    EXPECT_EQ(F.StandardTB->Top(), F.FrameTB->Top());
    EXPECT_EQ(F.FrameTB->Top(), 0);
    EXPECT_EQ(top->Height(), row + 1);
    ExpectInRows(F, top, "standard bar down a row");

    // The frame bar dragged under the row: a row of its own below the standard bar.
    Drag(F, F.FrameTB->DragBox(), GripOf(F, F.FrameTB), Shifted(GripOf(F, F.FrameTB), 0, row + 4));
    EXPECT_EQ(F.FrameTB->Dock(), top);
    EXPECT_EQ(F.FrameTB->Top(), row);
    EXPECT_EQ(F.FrameTB->Left(), 0);
    EXPECT_EQ(F.StandardTB->Top(), 0);
    EXPECT_EQ(top->Height(), 2 * row + 1);
    ExpectInRows(F, top, "frame bar down a row");

    // The frame bar dragged up a row, back beside the standard bar; its row closes.
    Drag(F, F.FrameTB->DragBox(), GripOf(F, F.FrameTB), Shifted(GripOf(F, F.FrameTB), 0, -row - 4));
    EXPECT_EQ(F.FrameTB->Dock(), top);
    EXPECT_EQ(F.FrameTB->Top(), 0);
    EXPECT_EQ(F.FrameTB->Left(), 0);
    EXPECT_EQ(F.StandardTB->Left(), F.FrameTB->Width());
    EXPECT_EQ(top->Height(), row + 1);
    ExpectInRows(F, top, "frame bar up a row");

    // Up again, out of the dock: it floats, its window's title under the pointer; carried
    // back under the dock it docks in a row of its own, and the drag goes on there.
    {
        const TPoint g = GripOf(F, F.FrameTB);
        H::MouseDown(F.FrameTB->DragBox(), {4, 4});
        H::MouseMove(&F, {g.X, g.Y - 15}, ssLeft);
        EXPECT_FALSE(F.FrameTB->IsFloat());
        H::MouseMove(&F, {g.X, g.Y - row - 4}, ssLeft);
        ASSERT_TRUE(F.FrameTB->IsFloat());
        TfrxFloatWindow* w = F.FrameTB->GetFloatWindow();
        ASSERT_NE(w, nullptr);
        const TPoint cursor = F.ClientToScreen({g.X, g.Y - row - 4});
        EXPECT_EQ(w->Left(), cursor.X);
        EXPECT_EQ(w->Top(), cursor.Y);
        // The window follows the pointer.
        H::MouseMove(&F, {g.X + 40, g.Y - row - 34}, ssLeft);
        EXPECT_EQ(w->Left(), cursor.X + 40);
        EXPECT_EQ(w->Top(), cursor.Y - 30);
        // Over the dock's lower edge: docked in a new row.
        const int under = top->Top() + top->Height() - 1;
        H::MouseMove(&F, {g.X + 60, under}, ssLeft);
        ASSERT_FALSE(F.FrameTB->IsFloat());
        EXPECT_EQ(F.FrameTB->Dock(), top);
        EXPECT_EQ(F.FrameTB->Top(), row);
        const int docked = F.FrameTB->Left();
        H::MouseMove(&F, {g.X + 90, under}, ssLeft);
        EXPECT_FALSE(F.FrameTB->IsFloat());
        EXPECT_EQ(F.FrameTB->Top(), row);
        EXPECT_EQ(F.FrameTB->Left(), docked + 30);
        H::MouseUp(&F, {g.X + 90, under});
        H::ProcessMessages();
    }
    EXPECT_TRUE(frxFloatingToolBars().empty());
    EXPECT_EQ(top->Height(), 2 * row + 1);
    ExpectInRows(F, top, "frame bar docked again");
    EXPECT_TRUE(f.Harness.Errors().empty());
}

// The window opens maximised on a wide screen: a bar the user left far along its row comes
// back there (it used to be pulled into the width the window had before it was shown), and
// is stored there again at the next close. A bar that floats is stored without a dock.
TEST(DesignerToolBarDrags, PlacesComeBackWhereTheUserLeftThemInTheMaximisedWindow) {
    TDesignerFixture f;
    f.Harness.SetScreenSize(2400, 1400);
    f.Form.reset();
    f.Open();
    ASSERT_EQ(f.Form->WindowState(), wsMaximized);
    ASSERT_GT(f.Form->DockTop->Width(), 2000);
    {
        TfrxDesignerForm& F = *f.Form;
        const TPoint g = GripOf(F, F.StandardTB);
        Drag(F, F.StandardTB->DragBox(), g, Shifted(g, 1300, 0), 5);
        ASSERT_EQ(F.StandardTB->Left(), 1300);
        // The frame bar torn off its row and let go left of the window.
        const TPoint h = GripOf(F, F.FrameTB);
        Drag(F, F.FrameTB->DragBox(), h, Shifted(h, 150 - h.X, 300), 5);
        ASSERT_TRUE(F.FrameTB->IsFloat());
    }
    auto stored = [&](const char* Bar, const char* Key) {
        std::unique_ptr<TCustomIniFile> ini = f.Report->GetIniFile();
        return ini->ValueExists(std::string("ToolBar.") + Bar, Key) ? ini->ReadInteger(std::string("ToolBar.") + Bar, Key, -1)
                                                                     : -99999;
    };
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        f.Form.reset();
        EXPECT_EQ(stored("StandardTB", "Left"), 1300);
        EXPECT_EQ(stored("StandardTB", "Top"), 0);
        EXPECT_EQ(stored("FrameTB", "Float"), 1);
        {
            std::unique_ptr<TCustomIniFile> ini = f.Report->GetIniFile();
            EXPECT_FALSE(ini->ValueExists("ToolBar.FrameTB", "Dock"));
            EXPECT_EQ(ini->ReadString("ToolBar.StandardTB", "Dock", ""), "DockTop");
        }
        f.Open();
        TfrxDesignerForm& F = *f.Form;
        EXPECT_EQ(F.StandardTB->Dock(), F.DockTop);
        EXPECT_EQ(F.StandardTB->Left(), 1300);
        EXPECT_EQ(F.StandardTB->Top(), 0);
        EXPECT_TRUE(F.FrameTB->IsFloat());
        ExpectInRows(F, F.DockTop, "reopened");
    }
    EXPECT_TRUE(f.Harness.Errors().empty());
}

// Stored places off the dock's rows (above the first row, far below the last, between
// two rows) come back on the nearest row, shown, with View > Toolbars agreeing.
TEST(DesignerToolBarDrags, AStoredPlaceOffTheRowsComesBackOnTheNearestRow) {
    TDesignerFixture f;
    const int row = f.Form->DockTop->RowSize();
    f.Form.reset();
    {
        std::unique_ptr<TCustomIniFile> ini = f.Report->GetIniFile();
        ini->WriteInteger("ToolBar.StandardTB", "Top", -row);
        ini->WriteInteger("ToolBar.TextTB", "Top", row + 9);
        ini->WriteInteger("ToolBar.FrameTB", "Top", 50 * row);
        ini->WriteInteger("ToolBar.FrameTB", "Left", 0);
        ini->UpdateFile();
    }
    f.Open();
    TfrxDesignerForm& F = *f.Form;
    auto* standardMI = dynamic_cast<TMenuItem*>(F.FindComponent("StandardMI"));
    ASSERT_NE(standardMI, nullptr);
    EXPECT_EQ(F.StandardTB->Top(), 0);
    EXPECT_TRUE(F.StandardTB->Visible());
    F.ToolbarsMIOpen(F.ToolbarsMI);
    EXPECT_TRUE(standardMI->Checked());
    EXPECT_EQ(F.TextTB->Top(), row);
    EXPECT_EQ(F.FrameTB->Top(), 2 * row);
    EXPECT_EQ(F.DockTop->Height(), 3 * row + 1);
    ExpectInRows(F, F.DockTop, "restored");
    EXPECT_TRUE(f.Harness.Errors().empty());
}

// The text bar onto the right dock (a column) and back into a row of the top dock, by
// its grip and its float window's title in drags of several moves: every button and box
// comes back to its place and the bar to its length, also when the window opened with
// the bar on the right dock.
TEST(DesignerToolBarDrags, TheTextBarBackInARowHasEveryButtonInItsPlace) {
    TDesignerFixture f;
    const std::map<std::string, TRect> designed = ButtonPlaces(f.Form->TextTB1);
    const int length = f.Form->TextTB->Width();
    ASSERT_GT(designed.count("BoldB"), 0u);
    ASSERT_GT(designed.count("RotateB"), 0u);
    auto toTheRight = [&] {
        TfrxDesignerForm& F = *f.Form;
        Drag(F, F.TextTB->DragBox(), GripOf(F, F.TextTB), {F.DockRight->Left(), F.DockRight->Top() + 60}, 6);
        ASSERT_EQ(F.TextTB->Dock(), F.DockRight);
        ASSERT_TRUE(F.TextTB1->Vertical());
    };
    // Torn off the right dock upward, carried on to under the top dock in the same drag,
    // and on along the row there.
    auto backToARow = [&](const char* Step) {
        SCOPED_TRACE(Step);
        TfrxDesignerForm& F = *f.Form;
        const TPoint g = GripOf(F, F.TextTB);
        H::MouseDown(F.TextTB->DragBox(), {4, 4});
        H::MouseMove(&F, Shifted(g, 0, -10), ssLeft);
        ASSERT_FALSE(F.TextTB->IsFloat());
        H::MouseMove(&F, Shifted(g, 0, -g.Y - 10), ssLeft);
        ASSERT_TRUE(F.TextTB->IsFloat());
        TfrxFloatWindow* w = F.TextTB->GetFloatWindow();
        ASSERT_NE(w, nullptr);
        // The window's title under the pointer, and following it.
        const TPoint torn = F.ClientToScreen(Shifted(g, 0, -g.Y - 10));
        EXPECT_EQ(w->Left(), torn.X);
        EXPECT_EQ(w->Top(), torn.Y);
        for (const TPoint p : {TPoint{g.X - 300, 200}, TPoint{400, 150}, TPoint{200, 120}}) {
            H::MouseMove(&F, p, ssLeft);
            ASSERT_TRUE(F.TextTB->IsFloat());
            const TPoint at = F.ClientToScreen(p);
            EXPECT_EQ(w->Left(), at.X);
            EXPECT_EQ(w->Top(), at.Y);
        }
        const int under = F.DockTop->Top() + F.DockTop->Height() - 1;
        H::MouseMove(&F, {100, under}, ssLeft);
        ASSERT_FALSE(F.TextTB->IsFloat());
        ASSERT_EQ(F.TextTB->Dock(), F.DockTop);
        H::MouseMove(&F, {60, under}, ssLeft);
        H::MouseMove(&F, {0, under}, ssLeft);
        H::MouseUp(&F, {0, under});
        H::ProcessMessages();
        EXPECT_TRUE(frxFloatingToolBars().empty());
        EXPECT_EQ(F.TextTB->Left(), 0);
        EXPECT_FALSE(F.TextTB1->Vertical());
        EXPECT_EQ(F.TextTB->Width(), length);
        EXPECT_EQ(ButtonPlaces(F.TextTB1), designed);
        ExpectInRows(F, F.DockTop, Step);
        // Its buttons work there: Bold on the selected memo.
        f.Select({f.Find("Memo2")});
        H::Click(F.BoldB);
        EXPECT_TRUE(dynamic_cast<TfrxMemoView*>(f.Find("Memo2"))->Font()->Style().Contains(fsBold));
        H::Click(F.BoldB);
    };
    toTheRight();
    backToARow("dragged");
    toTheRight();
    f.Form.reset();
    f.Open();
    ASSERT_EQ(f.Form->TextTB->Dock(), f.Form->DockRight);
    backToARow("restored on the right");
    EXPECT_TRUE(f.Harness.Errors().empty());
}

// A floating bar's window let go with most of it off the screen (taken by the right end of
// its title and carried to the screen's left edge, or to its foot) comes back so far that
// its title can be taken again.
TEST(DesignerToolBarDrags, AFloatingWindowIsLeftWithItsTitleOnTheScreen) {
    TDesignerFixture f;
    TfrxDesignerForm& F = *f.Form;
    const TPoint g = GripOf(F, F.FrameTB);
    Drag(F, F.FrameTB->DragBox(), g, {g.X, 300}, 3);
    ASSERT_TRUE(F.FrameTB->IsFloat());
    TfrxFloatWindow* w = F.FrameTB->GetFloatWindow();
    ASSERT_NE(w, nullptr);
    const TRect screen = Screen->WorkAreaRect();
    struct TCase {
        const char* Name;
        TPoint To;   // screen point the title is carried to
    } cases[] = {{"left edge", {screen.Left, 300}}, {"foot", {500, screen.Bottom - 1}}, {"top", {500, screen.Top}}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const TPoint grab{w->Width() - 30, 8};   // the right end of the title
        const TPoint from = F.ScreenToClient(w->ClientToScreen(grab));
        const TPoint to = F.ScreenToClient(c.To);
        H::MouseDown(w, grab);
        for (int i = 1; i <= 4; ++i)
            H::MouseMove(&F, {from.X + (to.X - from.X) * i / 4, from.Y + (to.Y - from.Y) * i / 4}, ssLeft);
        ASSERT_TRUE(F.FrameTB->IsFloat());
        H::MouseUp(&F, to);
        H::ProcessMessages();
        EXPECT_GE(w->Left() + w->Width(), screen.Left + 40);
        EXPECT_LE(w->Left(), screen.Right - 40);
        EXPECT_GE(w->Top(), screen.Top);
        EXPECT_LE(w->Top() + 18, screen.Bottom);
        // And it is taken there and carried on.
        const TPoint title = TitleOf(F, F.FrameTB);
        const int left = w->Left();
        Drag(F, w, {std::max(title.X, F.ScreenToClient({screen.Left + 20, 0}).X), title.Y},
             {std::max(title.X, F.ScreenToClient({screen.Left + 20, 0}).X) + 40, title.Y}, 2);
        EXPECT_EQ(w->Left(), left + 40);
    }
    EXPECT_TRUE(f.Harness.Errors().empty());
}
