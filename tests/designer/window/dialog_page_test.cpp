// Keys on a dialog page: the live dialog form previews its keys and hands them to the
// workspace, and the workspace on it holds the focus itself.
#include <gtest/gtest.h>

#include <QWidget>
#include <QWindow>

#include <cstdlib>
#include <filesystem>

#include "DesignerFixture.h"
#include "preview/FlatCombo.h"
#include "designer/editors/Registration.h"
#include "designer/inspector/ObjectInspector.h"
#include "designer/undo/UndoBuffer.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Menus.h"
#include "platform/ui/QtPeer.h"
#include "report/DesignRegistries.h"
#include "report/DialogControls.h"

namespace {
using H = TUiTestHarness;

// A designer on a report with a dialog page holding two buttons side by side.
struct TDialogPageWindow : TDesignerFixture {
    TfrxDialogPage* Dialog = nullptr;
    TfrxButtonControl* Button1 = nullptr;
    TfrxButtonControl* Button2 = nullptr;
    TDialogPageWindow() {
        // The window opens on the whole report, as a report file would bring it (with the
        // palette's objects registered).
        frxRegisterDesignerEditors();
        Form.reset();
        Dialog = new TfrxDialogPage(Report.get());
        Dialog->SetName("DialogPage1");
        Dialog->SetParent(Report.get());
        Dialog->SetBounds(265, 150, 300, 200);
        Button1 = Add("Button1", 20);
        Button2 = Add("Button2", 120);
        Open();
        Form->SetPage(Dialog);
        TUiTestHarness::ProcessMessages();
    }
    TfrxButtonControl* Add(const char* Name, double Left) {
        auto* b = new TfrxButtonControl(Report.get());
        b->SetName(Name);
        b->SetParent(Dialog);
        b->SetBounds(Left, 30, 75, 25);
        return b;
    }
    // The palette button of a registered class.
    TToolButton* PaletteButton(const char* Class) {
        TfrxObjectCollection& reg = frxObjects();
        for (int i = 0; i < Form->ObjectsTB1->ButtonCount(); ++i) {
            TToolButton* b = Form->ObjectsTB1->Buttons(i);
            if (b == Form->SepTB14 || b->Tag() < 0 || b->Tag() >= reg.Count()) continue;
            if (reg.Items(b->Tag()).ClassRef && reg.Items(b->Tag()).ClassRef->ClassName() == std::string(Class)) return b;
        }
        return nullptr;
    }
    // The object drawn with the palette's tool from From to To on the surface.
    void Draw(const char* Class, TPoint From, TPoint To) {
        TToolButton* b = PaletteButton(Class);
        ASSERT_NE(b, nullptr) << Class;
        H::Click(b);
        H::MouseMove(Form->Workspace, From);
        H::MouseDown(Form->Workspace, From);
        H::MouseMove(Form->Workspace, To);
        H::MouseUp(Form->Workspace, To);
    }
    // A click on the surface over the object's middle, as the mouse gives it.
    void ClickOn(TfrxComponent* C) {
        H::Click(Form->Workspace, TPoint{static_cast<int>(C->Left() + C->Width() / 2),
                                        static_cast<int>(C->Top() + C->Height() / 2)});
    }
};

TEST(DesignerDialogPage, KeysOnTheSurfaceActOnceOnTheSelection) {
    struct TCase {
        const char* Name;
        uint16_t Key;
        TShiftState Shift;
        TRect Bounds;           // Button1's bounds afterwards (left, top, width, height)
        const char* Selected;   // the one selected object afterwards
    };
    const TCase cases[] = {
        {"move right", VK_RIGHT, ssCtrl, {21, 30, 75, 25}, "Button1"},
        {"move down", VK_DOWN, ssCtrl, {20, 31, 75, 25}, "Button1"},
        {"wider", VK_RIGHT, ssShift, {20, 30, 76, 25}, "Button1"},
        {"taller", VK_DOWN, ssShift, {20, 30, 75, 26}, "Button1"},
        {"nearest to the right", VK_RIGHT, 0, {20, 30, 75, 25}, "Button2"},
        {"a letter", 'Q', 0, {20, 30, 75, 25}, "Button1"},
    };
    for (const TCase& c : cases) {
        TDialogPageWindow w;
        ASSERT_EQ(w.Form->Workspace->Parent(), w.Dialog->Form()) << c.Name;
        w.ClickOn(w.Button1);
        ASSERT_EQ(w.Selection(), std::vector<TfrxComponent*>{w.Button1}) << c.Name;
        H::TypeKey(H::FocusedControl(), c.Key, c.Shift);
        const TRect got{static_cast<int>(w.Button1->Left()), static_cast<int>(w.Button1->Top()),
                        static_cast<int>(w.Button1->Width()), static_cast<int>(w.Button1->Height())};
        EXPECT_EQ(got, c.Bounds) << c.Name;
        ASSERT_EQ(w.Selection().size(), 1u) << c.Name;
        EXPECT_EQ(w.Selection()[0]->Name(), c.Selected) << c.Name;
        EXPECT_TRUE(w.Harness.Dialogs().empty()) << c.Name;
    }
}

// The page's window is a window of its own, and the designer's shortcuts work from it as
// from the designer's window: Alt+X closes the designer, F11 shows or hides the object
// inspector, Ctrl+F opens the search dialog, F1 the designer's help page (keys typed on the
// page's surface).
TEST(DesignerDialogPage, TheDesignersShortcutsWorkFromThePagesWindow) {
    enum TEffect { kClosed, kInspector, kSearch, kHelp };
    struct TCase {
        const char* Name;
        uint16_t Key;
        TShiftState Shift;
        TEffect Effect;
    };
    const TCase cases[] = {
        {"Alt+X", 'X', ssAlt, kClosed},
        {"F11", VK_F11, 0, kInspector},
        {"Ctrl+F", 'F', ssCtrl, kSearch},
        {"F1", VK_F1, 0, kHelp},
    };
    for (const TCase& c : cases) {
        TDialogPageWindow w;
        w.ClickOn(w.Button1);
        ASSERT_EQ(H::FocusedControl(), w.Form->Workspace) << c.Name;
        const bool inspector = w.Form->Inspector->Visible();
        bool searched = false;
        if (c.Effect == kSearch)
            w.Harness.OnModal("TfrxSearchDialog", [&](TCustomForm& Form) {
                searched = true;
                Form.SetModalResult(mrCancel);
            });
        H::TypeKey(w.Form->Workspace, c.Key, c.Shift);
        EXPECT_EQ(w.Form->ModalFinished, c.Effect == kClosed) << c.Name;
        EXPECT_EQ(w.Form->Visible(), c.Effect != kClosed) << c.Name;
        EXPECT_EQ(w.Form->Inspector->Visible() != inspector, c.Effect == kInspector) << c.Name;
        EXPECT_EQ(searched, c.Effect == kSearch) << c.Name;
        EXPECT_EQ(w.Harness.ShellOpened().size(), c.Effect == kHelp ? 1u : 0u) << c.Name;
        // The page and its controls are as they were.
        EXPECT_EQ(w.Find("Button1"), w.Button1) << c.Name;
        for (const std::string& e : w.Harness.Errors()) ADD_FAILURE() << c.Name << ": " << e;
    }
}

TEST(DesignerDialogPage, DeleteRemovesTheSelectedControlOnly) {
    TDialogPageWindow w;
    w.ClickOn(w.Button2);
    H::TypeKey(H::FocusedControl(), VK_DELETE);
    EXPECT_EQ(w.Find("Button2"), nullptr);
    ASSERT_NE(w.Find("Button1"), nullptr);
    EXPECT_EQ(w.Selection(), std::vector<TfrxComponent*>{w.Dialog});
    EXPECT_TRUE(w.Form->Modified());
    // Ctrl+Z on the surface (the dialog form's shortcut) brings it back.
    H::TypeKey(H::FocusedControl(), 'Z', ssCtrl);
    EXPECT_NE(w.Find("Button2"), nullptr);
}

// The page made from the menu: its surface takes keys like any other.
TEST(DesignerDialogPage, ANewDialogPageFromTheMenuTakesKeys) {
    TDesignerFixture f;
    auto* item = dynamic_cast<TMenuItem*>(f.Form->FindComponent("NewDialogMI"));
    ASSERT_NE(item, nullptr);
    H::ClickMenuItem(item);
    auto* page = dynamic_cast<TfrxDialogPage*>(f.Form->Page());
    ASSERT_NE(page, nullptr);
    H::Click(f.Form->Workspace, TPoint{40, 40});
    for (uint16_t key : std::initializer_list<uint16_t>{VK_LEFT, VK_DOWN, VK_DELETE, VK_RETURN, 'A'}) H::TypeKey(H::FocusedControl(), key);
    EXPECT_EQ(f.Form->Page(), page);
    EXPECT_NE(f.Report->FindObject(page->Name().c_str()), nullptr);
    EXPECT_TRUE(f.Harness.Errors().empty());
}

// A control drawn with its top-left corner inside a group box or a panel becomes that
// container's child, placed relative to it; over an edit or a button, or on the container's
// right edge, it stays on the page.
TEST(DesignerDialogPage, AControlDrawnInAContainerBecomesItsChild) {
    struct TCase {
        const char* Name;
        const char* Container;   // class of the control drawn first, at (20, 60, 152 x 100)
        int X, Y;                // where the button's drag starts
        bool Nested;
    };
    const TCase cases[] = {
        {"inside a group box", "TfrxGroupBoxControl", 40, 80, true},
        {"inside a panel", "TfrxPanelControl", 40, 80, true},
        {"on a group box's top-left corner", "TfrxGroupBoxControl", 20, 60, true},
        {"on a group box's right edge", "TfrxGroupBoxControl", 172, 80, false},
        {"over an edit", "TfrxEditControl", 40, 64, false},
        {"over a list box", "TfrxListBoxControl", 40, 80, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TDialogPageWindow w;
        // Every point on the surface's grid of 4 pixels.
        w.Draw(c.Container, TPoint{20, 60}, TPoint{172, 160});
        ASSERT_EQ(w.Selection().size(), 1u);
        TfrxComponent* container = w.Selection()[0];
        ASSERT_EQ(container->ClassName(), std::string(c.Container));
        ASSERT_DOUBLE_EQ(container->Left() + container->Width(), 172);
        w.Draw("TfrxButtonControl", TPoint{c.X, c.Y}, TPoint{c.X + 60, c.Y + 24});
        ASSERT_EQ(w.Selection().size(), 1u);
        TfrxComponent* button = w.Selection()[0];
        ASSERT_EQ(button->ClassName(), std::string("TfrxButtonControl"));
        EXPECT_EQ(button->Parent(), c.Nested ? container : static_cast<TfrxComponent*>(w.Dialog));
        EXPECT_DOUBLE_EQ(button->AbsLeft(), c.X);
        EXPECT_DOUBLE_EQ(button->AbsTop(), c.Y);
        EXPECT_DOUBLE_EQ(button->Left(), c.Nested ? c.X - 20 : c.X);
        // The control's window lies in its container's.
        auto* control = dynamic_cast<TfrxDialogControl*>(button)->Control();
        auto* parentControl = c.Nested ? dynamic_cast<TfrxDialogControl*>(container)->Control() : nullptr;
        if (c.Nested) {
            EXPECT_EQ(control->Parent(), parentControl);
        }
        EXPECT_TRUE(w.Harness.Errors().empty());
    }
}

// A page's or control's bounds in whole pixels.
TRect BoundsOf(TfrxComponent* C) {
    return Bounds(static_cast<int>(C->Left()), static_cast<int>(C->Top()), static_cast<int>(C->Width()),
                  static_cast<int>(C->Height()));
}

// Moving and sizing the dialog page's window with the window system: the page takes the
// window's bounds once the drag has ended, as one change (one undo step, which Ctrl+Z takes
// back), and keeps them through saving and opening the report.
TEST(DesignerDialogPage, AMovedAndSizedWindowIsOneChangeAndKeepsItsPlace) {
    TDialogPageWindow w;
    TForm* form = w.Dialog->Form();
    QWidget* window = WidgetOf(form);
    ASSERT_NE(window, nullptr);
    const TRect start = BoundsOf(w.Dialog);
    const int steps = w.Form->UndoBuffer()->UndoCount();
    // A drag by the title bar, then one by the bottom-right corner: many steps each.
    for (int i = 1; i <= 10; ++i) {
        window->move(window->x() + 4, window->y() + 3);
        H::ProcessMessages();
        H::ElapseTime(20);
    }
    for (int i = 1; i <= 10; ++i) {
        window->resize(window->width() + 5, window->height() + 2);
        H::ProcessMessages();
        H::ElapseTime(20);
    }
    // While the drag goes on the page waits.
    EXPECT_EQ(w.Form->UndoBuffer()->UndoCount(), steps);
    EXPECT_FALSE(w.Form->Modified());
    H::ElapseTime(TCustomForm::MoveSizeRestMs + 10);
    const TRect moved = Bounds(form->Left(), form->Top(), form->Width(), form->Height());
    EXPECT_EQ(moved.Left, start.Left + 40);
    EXPECT_EQ(moved.Top, start.Top + 30);
    EXPECT_EQ(moved.Width(), start.Width() + 50);
    EXPECT_EQ(BoundsOf(w.Dialog), moved);
    EXPECT_EQ(w.Form->UndoBuffer()->UndoCount(), steps + 1);
    EXPECT_TRUE(w.Form->Modified());
    // Saved and opened again: the page and its window stand where they were left.
    const std::string xml = w.Xml();
    {
        TfrxReport again(nullptr);
        TMemoryStream s;
        s.Write(xml.data(), static_cast<int64_t>(xml.size()));
        s.Seek(0, soFromBeginning);
        again.LoadFromStream(s);
        auto* dialog = dynamic_cast<TfrxDialogPage*>(again.FindObject("DialogPage1"));
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(BoundsOf(dialog), moved);
    }
    // One Ctrl+Z on the surface takes the whole move and size back.
    w.ClickOn(w.Button1);
    H::TypeKey(H::FocusedControl(), 'Z', ssCtrl);
    auto* dialog = dynamic_cast<TfrxDialogPage*>(w.Find("DialogPage1"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(BoundsOf(dialog), start);
    EXPECT_TRUE(w.Harness.Errors().empty());
}

// A control with a script handler shows the event marker at its top-left corner (the first
// of its four red strokes); one without shows none.
TEST(DesignerDialogPage, AControlWithAHandlerShowsTheEventMarker) {
    TDialogPageWindow w;
    w.Button1->OnClick = "Button1Click";
    w.Form->Workspace->InvalidatePage();
    w.Form->Workspace->Repaint();
    const auto marker = [&](TfrxComponent* C) {
        return H::PixelAt(w.Form->Workspace, TPoint{static_cast<int>(C->Left()) + 4, static_cast<int>(C->Top()) + 1});
    };
    EXPECT_EQ(marker(w.Button1), clRed);
    EXPECT_NE(marker(w.Button2), clRed);
}

}  // namespace

// The page's window is a window of the designer's: the window manager keeps it above the
// designer's window (a transient window of it), not above every window, and a dialog of
// the designer (New..., the new item dialog) comes up over it. Back on a report page the
// form is the page's own again.
TEST(DesignerDialogPage, ThePagesWindowLiesBelowTheDesignersDialogs) {
    TDialogPageWindow w;
    QWidget* page = WidgetOf(w.Dialog->Form());
    QWidget* designer = WidgetOf(w.Form.get());
    ASSERT_TRUE(page->isVisible());
    ASSERT_NE(page->windowHandle(), nullptr);
    EXPECT_FALSE(page->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(page->windowHandle()->transientParent(), designer->windowHandle());
    bool shown = false;
    w.Harness.OnModal("TfrxNewItemForm", [&](TCustomForm& Dialog) {
        shown = true;
        QWidget* d = WidgetOf(&Dialog);
        ASSERT_NE(d->windowHandle(), nullptr);
        // Above the designer's window or the page's, which the window manager keeps above
        // its owner; and nothing of the page's stays over every window.
        QWindow* owner = d->windowHandle()->transientParent();
        EXPECT_TRUE(owner == designer->windowHandle() || owner == page->windowHandle());
        EXPECT_FALSE(page->windowFlags() & Qt::WindowStaysOnTopHint);
        Dialog.SetModalResult(mrCancel);
    });
    TMenuItem* item = dynamic_cast<TMenuItem*>(w.Form->FindComponent("NewItemMI"));
    ASSERT_NE(item, nullptr);
    H::ClickMenuItem(item);
    EXPECT_TRUE(shown);
    EXPECT_EQ(page->windowHandle()->transientParent(), designer->windowHandle());
    w.Form->SetPage(w.Report->Pages(0) == w.Dialog ? w.Report->Pages(1) : w.Report->Pages(0));
    EXPECT_FALSE(page->isVisible());
    EXPECT_EQ(w.Dialog->Form()->FormStyle(), fsStayOnTop);
    for (const std::string& e : w.Harness.Errors()) ADD_FAILURE() << e;
}

// With ROVE_SCREENSHOTS set to a folder (on a desktop with a window manager): the font
// box's open list in the designer's text bar, and the new item dialog over a dialog page's
// window, as the screen shows them.
TEST(DesignerScreenshot, FontListAndNewItemOverADialogPage) {
    const char* dir = std::getenv("ROVE_SCREENSHOTS");
    if (!dir) GTEST_SKIP() << "ROVE_SCREENSHOTS not set";
    TDialogPageWindow w;
    w.Form->SetBounds(0, 0, 1024, 768);
    H::ProcessMessages();
    H::ClickTab(w.Form->Tab, 1);   // the report page
    H::ProcessMessages();
    TfrxFontComboBox* box = w.Form->FontNameCB;
    H::Click(box, TPoint{box->Width() - 4, box->Height() / 2});
    H::ClickDropDownItem(box, 3);
    H::Click(box, TPoint{box->Width() - 4, box->Height() / 2});
    ASSERT_TRUE(box->DroppedDown());
    H::TypeKey(VK_DOWN);
    H::TypeKey(VK_DOWN);
    H::ProcessMessages();
    EXPECT_TRUE(H::SaveScreen((std::filesystem::path(dir) / "designer_font_list.png").string()));
    H::TypeKey(VK_ESCAPE);
    w.Form->SetPage(w.Dialog);
    H::ProcessMessages();
    w.Harness.OnModal("TfrxNewItemForm", [&](TCustomForm& Dialog) {
        H::ProcessMessages();
        EXPECT_TRUE(H::SaveScreen((std::filesystem::path(dir) / "designer_new_item_over_dialog_page.png").string()));
        Dialog.SetModalResult(mrCancel);
    });
    H::ClickMenuItem(dynamic_cast<TMenuItem*>(w.Form->FindComponent("NewItemMI")));
}
