// Keys on a dialog page: the live dialog form previews its keys and hands them to the
// workspace, and the workspace on it holds the focus itself.
#include <gtest/gtest.h>

#include "DesignerFixture.h"
#include "platform/ui/Menus.h"
#include "report/DialogControls.h"

namespace {
using H = TUiTestHarness;

// A designer on a report with a dialog page holding two buttons side by side.
struct TDialogPageWindow : TDesignerFixture {
    TfrxDialogPage* Dialog = nullptr;
    TfrxButtonControl* Button1 = nullptr;
    TfrxButtonControl* Button2 = nullptr;
    TDialogPageWindow() {
        // The window opens on the whole report, as a report file would bring it.
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

}  // namespace
