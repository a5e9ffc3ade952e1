// The designer options window (values shown, written back only on OK, the unit controls of
// dialog and dot-matrix pages, bad numbers, restore defaults) and the tab order window
// (windowed controls only, moves in the child list, Cancel putting the order back).
#include <gtest/gtest.h>

#include <memory>

#include "designer/dialogs/OptionsEditor.h"
#include "designer/dialogs/TabOrderEditor.h"
#include "designer/resources/DesignerTexts.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "report/DialogControls.h"
#include "report/Pages.h"
#include "report/Report.h"

namespace {

class OptionsWindow : public ::testing::Test {
protected:
    void SetUp() override { frxRegisterDesignerTexts(); }
    TUiTestHarness Harness;
    TfrxDesignerOptions Options;
};

TEST_F(OptionsWindow, ShowsTheValuesAndWritesThemBackOnOk) {
    Options.Units = 1;
    Options.Grid2 = 0.25;
    Options.BandsGap = 6;
    Options.CodeFontSize = 12;
    Harness.AnswerColor(0x123456);
    Harness.OnModal([](TCustomForm& f) {
        auto& w = dynamic_cast<TfrxOptionsEditor&>(f);
        EXPECT_EQ(w.Caption(), "设计器选项");
        EXPECT_TRUE(w.InchesRB->Checked());
        EXPECT_EQ(w.InchesE->Text(), "0.25");
        EXPECT_EQ(w.GapE->Text(), "6");
        EXPECT_EQ(w.CodeWindowSizeCB->Text(), "12");
        EXPECT_EQ(w.CodeWindowSizeCB->Items()->Text(), "8\r\n9\r\n10\r\n11\r\n12\r\n14\r\n");
        EXPECT_GT(w.CodeWindowFontCB->Items()->Count(), 0) << "the screen fonts";
        w.CME->SetText("0,5");
        w.PixelsRB->SetChecked(true);
        w.GapE->SetText("8");
        w.DialogFormE->SetText(" 5 ");
        w.LCDCB->SetChecked(true);
        w.CodeWindowSizeCB->SetText("0");
        TUiTestHarness::Click(w.WorkspaceB);
        TUiTestHarness::Click(w.OkB);
    });
    EXPECT_EQ(frxShowOptionsEditor(Options, nullptr, nullptr), 1);
    EXPECT_DOUBLE_EQ(Options.Grid1, 0.5);
    EXPECT_DOUBLE_EQ(Options.Grid2, 0.25);
    EXPECT_DOUBLE_EQ(Options.Grid4, 5);
    EXPECT_EQ(Options.Units, 2);
    EXPECT_EQ(Options.BandsGap, 8);
    EXPECT_TRUE(Options.GridLCD);
    EXPECT_EQ(Options.CodeFontSize, 1) << "a font keeps a size of at least one point";
    EXPECT_EQ(Options.WorkspaceColor, 0x123456);
    EXPECT_TRUE(Harness.Errors().empty());
}

TEST_F(OptionsWindow, OnDotMatrixPagesTheUnitAndItsGridsStay) {
    Options.UnitsEnabled = false;
    Harness.OnModal([](TCustomForm& f) {
        auto& w = dynamic_cast<TfrxOptionsEditor&>(f);
        EXPECT_FALSE(w.CME->Enabled());
        EXPECT_FALSE(w.PixelsRB->Enabled());
        w.CME->SetText("3");
        w.PixelsRB->SetChecked(true);
        w.DialogFormE->SetText("8");
        TUiTestHarness::Click(w.OkB);
    });
    EXPECT_EQ(frxShowOptionsEditor(Options, nullptr, nullptr), 1);
    EXPECT_DOUBLE_EQ(Options.Grid1, 0.1);
    EXPECT_EQ(Options.Units, 0);
    EXPECT_DOUBLE_EQ(Options.Grid4, 8);
}

TEST_F(OptionsWindow, CancelAppliesNothingNotEvenAColourChosen) {
    const TfrxDesignerOptions before = Options;
    Harness.AnswerColor(0x00FF00);
    Harness.OnModal([](TCustomForm& f) {
        auto& w = dynamic_cast<TfrxOptionsEditor&>(f);
        TUiTestHarness::Click(w.ToolB);
        w.GapE->SetText("20");
        TUiTestHarness::Click(w.CancelB);
    });
    EXPECT_EQ(frxShowOptionsEditor(Options, nullptr, nullptr), 0);
    EXPECT_EQ(Options.ToolsColor, before.ToolsColor);
    EXPECT_EQ(Options.BandsGap, before.BandsGap);
}

TEST_F(OptionsWindow, ANumberThatIsNoneKeepsTheWindowOpenAndAppliesNothing) {
    Harness.OnModal([](TCustomForm& f) {
        auto& w = dynamic_cast<TfrxOptionsEditor&>(f);
        w.DialogFormE->SetText("9");
        w.CME->SetText("abc");
        TUiTestHarness::Click(w.OkB);
    });
    // The close was refused: the window is still there.
    Harness.OnModal([this](TCustomForm& f) {
        auto& w = dynamic_cast<TfrxOptionsEditor&>(f);
        EXPECT_EQ(w.ModalResult(), mrNone);
        EXPECT_EQ(Harness.Dialogs().size(), 1u);
        TUiTestHarness::Click(w.CancelB);
    });
    EXPECT_EQ(frxShowOptionsEditor(Options, nullptr, nullptr), 0);
    EXPECT_DOUBLE_EQ(Options.Grid4, 4);
    ASSERT_EQ(Harness.Dialogs().size(), 1u);
    EXPECT_NE(Harness.Dialogs()[0].Text.find("abc"), std::string::npos);
}

TEST_F(OptionsWindow, RestoreDefaultsClosesAtOnceWithTheDefaultsInForce) {
    int restored = 0;
    Options.BandsGap = 9;
    Harness.OnModal([](TCustomForm& f) {
        auto& w = dynamic_cast<TfrxOptionsEditor&>(f);
        w.GapE->SetText("20");
        TUiTestHarness::Click(w.RestoreDefaultsB);
    });
    EXPECT_EQ(frxShowOptionsEditor(Options, [&] { ++restored; }, nullptr), 2);
    EXPECT_EQ(restored, 1);
    EXPECT_EQ(Options.BandsGap, 9) << "what the window showed is not written over the defaults";
}

// A dialog page holding Button1, Label1, Button2 and a group box with Edit1 and Edit2.
class TabOrderWindow : public ::testing::Test {
protected:
    void SetUp() override {
        frxRegisterDesignerTexts();
        Page = new TfrxDialogPage(&Report);
        Page->SetName("DialogPage1");
        Button1 = Add<TfrxButtonControl>(Page, "Button1");
        Label1 = Add<TfrxLabelControl>(Page, "Label1");
        Button2 = Add<TfrxButtonControl>(Page, "Button2");
        Group = Add<TfrxGroupBoxControl>(Page, "GroupBox1");
        Edit1 = Add<TfrxEditControl>(Group, "Edit1");
        Edit2 = Add<TfrxEditControl>(Group, "Edit2");
    }
    template <class C>
    C* Add(TfrxComponent* Parent, const char* Name) {
        auto* c = new C(Parent);
        c->SetName(Name);
        return c;
    }
    static std::vector<std::string> Names(const TfrxComponent* C) {
        std::vector<std::string> out;
        for (const TfrxComponent* c : C->ObjectList()) out.push_back(c->Name());
        return out;
    }
    TUiTestHarness Harness;
    TfrxReport Report{nullptr};
    TfrxDialogPage* Page = nullptr;
    TfrxComponent *Button1 = nullptr, *Label1 = nullptr, *Button2 = nullptr, *Group = nullptr, *Edit1 = nullptr,
                  *Edit2 = nullptr;
};

TEST_F(TabOrderWindow, ListsTheWindowedControlsAndMovesThemInTheChildList) {
    Harness.OnModal([](TCustomForm& f) {
        auto& w = dynamic_cast<TfrxTabOrderEditorForm&>(f);
        EXPECT_EQ(w.Caption(), "Tab 顺序");
        ASSERT_EQ(w.ControlsLB->Items()->Count(), 3);
        EXPECT_EQ(w.ControlsLB->Items()->Get(0).rfind("Button1: ", 0), 0u);
        EXPECT_EQ(w.ControlsLB->Items()->Get(2).rfind("GroupBox1: ", 0), 0u);
        TUiTestHarness::Click(w.UpB);   // nothing selected: nothing moves
        w.ControlsLB->SetItemIndex(1);
        TUiTestHarness::Click(w.UpB);
        EXPECT_EQ(w.ControlsLB->ItemIndex(), 0);
        EXPECT_EQ(w.ControlsLB->Items()->Get(0).rfind("Button2: ", 0), 0u);
        TUiTestHarness::Click(w.UpB);   // the first line stays
        TUiTestHarness::Click(w.OkB);
    });
    EXPECT_TRUE(frxShowTabOrderEditor(frxTabOrderContainer({Page}, Page), nullptr));
    EXPECT_EQ(Names(Page), (std::vector<std::string>{"Button2", "Label1", "Button1", "GroupBox1"}));
}

TEST_F(TabOrderWindow, CancelPutsTheOrderBack) {
    Harness.OnModal([](TCustomForm& f) {
        auto& w = dynamic_cast<TfrxTabOrderEditorForm&>(f);
        w.ControlsLB->SetItemIndex(0);
        TUiTestHarness::Click(w.DownB);
        TUiTestHarness::Click(w.DownB);
        TUiTestHarness::Click(w.DownB);   // the last line stays
        EXPECT_EQ(w.ControlsLB->ItemIndex(), 2);
        TUiTestHarness::Click(w.CancelB);
    });
    EXPECT_FALSE(frxShowTabOrderEditor(Page, nullptr));
    EXPECT_EQ(Names(Page), (std::vector<std::string>{"Button1", "Label1", "Button2", "GroupBox1"}));
}

TEST_F(TabOrderWindow, ASelectedGroupBoxOrdersItsOwnChildren) {
    Harness.OnModal([](TCustomForm& f) {
        auto& w = dynamic_cast<TfrxTabOrderEditorForm&>(f);
        ASSERT_EQ(w.ControlsLB->Items()->Count(), 2);
        w.ControlsLB->SetItemIndex(1);
        TUiTestHarness::Click(w.UpB);
        TUiTestHarness::Click(w.OkB);
    });
    EXPECT_TRUE(frxShowTabOrderEditor(frxTabOrderContainer({Group}, Page), nullptr));
    EXPECT_EQ(Names(Group), (std::vector<std::string>{"Edit2", "Edit1"}));
    EXPECT_EQ(Names(Page), (std::vector<std::string>{"Button1", "Label1", "Button2", "GroupBox1"}));
}

}  // namespace
