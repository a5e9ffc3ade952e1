// The harness gives input as the window system does: a click lands where the control shows
// (or the test fails, saying why), the widget under the point takes it by its focus policy,
// a click activates its window, keys go to the focused widget, the wheel passes up to the
// parents while nobody takes the turn, and a failure inside a modal driver reaches the test.
#include "UiFixture.h"
#include "platform/ui/Buttons.h"

#include <gmock/gmock.h>

namespace {

const char* kInputForm = R"(object Form1: TProbeForm
  ClientWidth = 300
  ClientHeight = 200
  object Edit1: TEdit
    Left = 8
    Top = 8
    Width = 120
    TabOrder = 0
    OnChange = EditChange
  end
  object Edit2: TEdit
    Left = 8
    Top = 40
    Width = 120
    TabOrder = 1
  end
  object Button1: TButton
    Left = 8
    Top = 72
    Caption = 'OK'
    TabOrder = 2
    OnClick = ButtonClick
  end
  object Panel1: TPanel
    Left = 150
    Top = 8
    Width = 140
    Height = 100
    TabOrder = 3
    object Inner: TButton
      Left = 10
      Top = 10
      Width = 60
      Caption = 'Inner'
      TabOrder = 0
      OnClick = ButtonClick
    end
  end
  object Cover: TPanel
    Left = 8
    Top = 100
    Width = 100
    Height = 40
    TabOrder = 4
  end
  object Speed: TSpeedButton
    Left = 8
    Top = 150
    Width = 23
    Height = 22
    OnClick = ButtonClick
  end
  object Combo: TComboBox
    Left = 150
    Top = 120
    Width = 120
    Style = csDropDownList
    TabOrder = 5
    OnChange = EditChange
  end
end
)";

class HarnessInput : public UiTest {
protected:
    void SetUp() override {
        Form = MakeForm(kInputForm);
        Form->Show();
        Edit1 = Find<TEdit>(Form.get(), "Edit1");
        Edit2 = Find<TEdit>(Form.get(), "Edit2");
        Button1 = Find<TButton>(Form.get(), "Button1");
        Combo = Find<TComboBox>(Form.get(), "Combo");
        Combo->Items()->Add("男");
        Combo->Items()->Add("女");
        Combo->Items()->Add("未知");
    }
    // The message of the failure the call raises, or "" when it raises none.
    static std::string FailureOf(const std::function<void()>& Call) {
        try {
            Call();
        } catch (const EUiTestFailure& e) {
            return e.what();
        }
        return {};
    }
    std::unique_ptr<TProbeForm> Form;
    TEdit* Edit1 = nullptr;
    TEdit* Edit2 = nullptr;
    TButton* Button1 = nullptr;
    TComboBox* Combo = nullptr;
};

}  // namespace

// A click the user could not make fails, naming the control and the reason; nothing is
// delivered to the control named.
TEST_F(HarnessInput, AClickWhereTheControlDoesNotShowFails) {
    auto* panel = Find<TPanel>(Form.get(), "Panel1");
    auto* inner = Find<TButton>(Form.get(), "Inner");
    auto* cover = Find<TPanel>(Form.get(), "Cover");
    struct Case {
        const char* Name;
        std::function<void()> Prepare, Undo;
        std::function<void()> Click;
        const char* Says;
    } cases[] = {
        {"hidden", [&] { Button1->SetVisible(false); }, [&] { Button1->SetVisible(true); },
         [&] { TUiTestHarness::Click(Button1); }, "Click(Button1 (TButton) on Form1): the control is hidden"},
        {"hidden by its parent", [&] { panel->SetVisible(false); }, [&] { panel->SetVisible(true); },
         [&] { TUiTestHarness::Click(inner); }, "(Panel1 (TPanel) on Form1 is hidden)"},
        {"covered by a sibling", [&] { cover->SetBounds(0, 64, 120, 40); cover->BringToFront(); },
         [&] { cover->SetBounds(8, 100, 100, 40); }, [&] { TUiTestHarness::Click(Button1); },
         "Cover (TPanel) on Form1 lies there"},
        {"covered by a child", [] {}, [] {}, [&] { TUiTestHarness::Click(panel, TPoint{20, 15}); },
         "Inner (TButton) on Form1 lies there"},
        {"outside its window", [] {}, [] {}, [&] { TUiTestHarness::Click(Button1, TPoint{0, 500}); },
         "the point lies outside its window"},
        {"window not shown", [&] { Form->Hide(); }, [&] { Form->Show(); }, [&] { TUiTestHarness::Click(Button1); },
         "its window, Form1 (TProbeForm), is not shown"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Form->Log.clear();
        c.Prepare();
        EXPECT_THAT(FailureOf(c.Click), testing::HasSubstr(c.Says));
        c.Undo();
        EXPECT_TRUE(Form->Log.empty()) << Form->Log.front();
    }
    // Undone, the same clicks land.
    TUiTestHarness::Click(Button1);
    TUiTestHarness::Click(inner);
    EXPECT_EQ(Form->Log, (std::vector<std::string>{"click Button1", "click Inner"}));
}

// The widget under the point takes the focus by its policy; keys go where the focus is, and
// a key the test expects elsewhere fails naming the control that has it.
TEST_F(HarnessInput, TheClickFocusesByPolicyAndKeysGoToTheFocus) {
    TUiTestHarness::Click(Edit2);
    EXPECT_EQ(TUiTestHarness::FocusedControl(), Edit2);
    // A speed button takes no focus: the keys still go to the edit.
    TUiTestHarness::Click(Find<TSpeedButton>(Form.get(), "Speed"));
    EXPECT_EQ(Form->Log, (std::vector<std::string>{"click Speed"}));
    TUiTestHarness::TypeText("ab");
    EXPECT_EQ(Edit2->Text(), "ab");
    EXPECT_THAT(FailureOf([&] { TUiTestHarness::TypeText(Edit1, "x"); }),
                testing::HasSubstr("TypeText(Edit1 (TEdit) on Form1): the keyboard focus is on Edit2 (TEdit) on Form1"));
    EXPECT_EQ(Edit1->Text(), "");
    // The form holds the focused edit: keys "to the form" are fine and reach the edit.
    TUiTestHarness::TypeKey(Form.get(), 'C');
    EXPECT_EQ(Edit2->Text(), "abc");
    // Tab moves the focus as the tab order says.
    TUiTestHarness::TypeKey(Edit2, VK_TAB);
    EXPECT_EQ(TUiTestHarness::FocusedControl(), Button1);
}

// A click on another window activates it, as a window manager does, and the keys follow.
TEST_F(HarnessInput, AClickActivatesItsWindow) {
    auto other = MakeForm(R"(object Other: TProbeForm
  Left = 400
  ClientWidth = 200
  ClientHeight = 80
  object Edit9: TEdit
    Left = 8
    Top = 8
    TabOrder = 0
  end
end
)");
    other->Show();
    EXPECT_EQ(Screen->ActiveForm(), other.get());
    TUiTestHarness::Click(Edit1);
    EXPECT_EQ(Screen->ActiveForm(), Form.get());
    TUiTestHarness::TypeText(Edit1, "1");
    auto* edit9 = Find<TEdit>(other.get(), "Edit9");
    TUiTestHarness::Click(edit9);
    EXPECT_EQ(Screen->ActiveForm(), other.get());
    TUiTestHarness::TypeText(edit9, "9");
    EXPECT_EQ(Edit1->Text(), "1");
    EXPECT_EQ(edit9->Text(), "9");
}

// An open drop-down list takes the keys and the clicks first; a click on one of its items
// picks it as the user's pick does (OnChange once).
TEST_F(HarnessInput, AnOpenDropDownListTakesTheInputFirst) {
    TUiTestHarness::Click(Combo);   // opens the list
    Form->Log.clear();
    TUiTestHarness::TypeKey(Combo, VK_DOWN);
    EXPECT_EQ(Combo->ItemIndex(), -1) << "the list moves, the box waits for the pick";
    TUiTestHarness::ClickDropDownItem(Combo, 2);
    EXPECT_EQ(Combo->ItemIndex(), 2);
    EXPECT_EQ(Form->Log, (std::vector<std::string>{"change Combo"}));
    EXPECT_THAT(FailureOf([&] { TUiTestHarness::ClickDropDownItem(Combo, 0); }),
                testing::HasSubstr("no drop-down list is open"));
    // Open again, a click beside the list closes it and picks nothing.
    TUiTestHarness::Click(Combo);
    TUiTestHarness::Click(Edit1);
    EXPECT_EQ(Combo->ItemIndex(), 2);
    TUiTestHarness::Click(Edit1);
    EXPECT_EQ(TUiTestHarness::FocusedControl(), Edit1);
}

// A disabled window drops the input; a double click is two clicks close together.
TEST_F(HarnessInput, DisabledWindowsDropInputAndDoubleClicksAreTwoClicks) {
    Form->SetEnabled(false);
    TUiTestHarness::Click(Button1);
    EXPECT_TRUE(Form->Log.empty());
    Form->SetEnabled(true);
    int doubles = 0;
    Button1->OnDblClick = [&](TObject*) { ++doubles; };
    TUiTestHarness::Click(Button1);
    TUiTestHarness::Click(Button1);
    EXPECT_EQ(doubles, 0) << "separate clicks are no double click";
    TUiTestHarness::DblClick(Button1);
    EXPECT_EQ(doubles, 1);
}

// The wheel goes to the control under the pointer and on to its parents while nobody says
// Handled.
TEST_F(HarnessInput, TheWheelPassesUpUntilTaken) {
    auto* panel = Find<TPanel>(Form.get(), "Panel1");
    auto* inner = Find<TButton>(Form.get(), "Inner");
    std::vector<std::string> seen;
    bool innerTakes = false;
    inner->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& Handled) {
        seen.push_back("inner");
        Handled = innerTakes;
    };
    panel->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& Handled) {
        seen.push_back("panel");
        Handled = true;
    };
    TUiTestHarness::Wheel(inner, -120);
    EXPECT_EQ(seen, (std::vector<std::string>{"inner", "panel"}));
    seen.clear();
    innerTakes = true;
    TUiTestHarness::Wheel(inner, -120);
    EXPECT_EQ(seen, std::vector<std::string>{"inner"});
}

// A key typed into the window while the program is busy waits for the program; the
// harness's own input goes first.
TEST_F(HarnessInput, PostedKeysWaitForTheProgram) {
    TUiTestHarness::Click(Edit1);
    TUiTestHarness::PostKey('2');
    TUiTestHarness::TypeText(Edit1, "1");
    EXPECT_EQ(Edit1->Text(), "1");
    TUiTestHarness::ProcessMessages();
    EXPECT_EQ(Edit1->Text(), "12");
}

// A failure inside a modal driver cancels the form and reaches the test through the call
// that opened the form.
TEST(HarnessModalInput, AFailureInADriverReachesTheTest) {
    TUiTestHarness harness;
    auto form = MakeForm(kInputForm);
    auto dialog = MakeForm(R"(object Dialog: TProbeForm
  ClientWidth = 200
  ClientHeight = 80
  object Hidden: TButton
    Left = 8
    Top = 8
    Visible = False
  end
end
)");
    auto* button = Find<TButton>(form.get(), "Button1");
    int result = -1;
    button->OnClick = [&](TObject*) { result = dialog->ShowModal(); };
    harness.OnModal([&](TCustomForm&) { TUiTestHarness::Click(Find<TButton>(dialog.get(), "Hidden")); });
    form->Show();
    std::string failure;
    try {
        TUiTestHarness::Click(button);
    } catch (const EUiTestFailure& e) {
        failure = e.what();
    }
    EXPECT_THAT(failure, testing::HasSubstr("Click(Hidden (TButton) on Dialog): the control is hidden"));
    EXPECT_EQ(result, mrCancel);
    ASSERT_EQ(harness.Errors().size(), 1u);
    EXPECT_EQ(harness.Errors().front(), failure);
}

// Direct delivery, for a test that says why it needs it: the control is focused by force and
// the event goes straight to its widget.
TEST_F(HarnessInput, DirectDeliveryFocusesTheControlItself) {
    TUiTestHarness::Click(Edit2);
    TUiTestHarness::SendDirectText(Edit1, "ab");
    TUiTestHarness::SendDirectKey(Edit1, VK_BACK);
    EXPECT_EQ(Edit1->Text(), "a");
    EXPECT_EQ(TUiTestHarness::FocusedControl(), Edit1);
    Form->Log.clear();
    TUiTestHarness::SendDirectClick(Button1);
    EXPECT_EQ(Form->Log, (std::vector<std::string>{"click Button1"}));
}

namespace {
// A painted control that notes the mouse events it gets and keeps them or passes them on.
class TMouseNoter : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    bool Keeps = false;
    std::vector<std::string>* Seen = nullptr;
    bool PassesMouseToParent() const override { return !Keeps; }
    void MouseDown(TMouseButton B, TShiftState S, int X, int Y) override {
        TGraphicControl::MouseDown(B, S, X, Y);
        Seen->push_back("child down");
    }
    void MouseMove(TShiftState S, int X, int Y) override {
        TGraphicControl::MouseMove(S, X, Y);
        Seen->push_back("child move");
    }
    void MouseUp(TMouseButton B, TShiftState S, int X, int Y) override {
        TGraphicControl::MouseUp(B, S, X, Y);
        Seen->push_back("child up");
    }
};
}  // namespace

// A press, moves and release on a control go on to its parent's handlers, once each, unless
// the control keeps them.
TEST_F(HarnessInput, MouseEventsPassToTheParentUnlessTheControlKeepsThem) {
    auto* panel = Find<TPanel>(Form.get(), "Panel1");
    std::vector<std::string> seen;
    auto* child = new TMouseNoter(Form.get());
    child->Seen = &seen;
    child->SetParent(panel);
    child->SetBounds(2, 2, 10, 10);
    child->BringToFront();
    panel->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { seen.push_back("panel down"); };
    panel->OnMouseMove = [&](TObject*, TShiftState, int, int) { seen.push_back("panel move"); };
    panel->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { seen.push_back("panel up"); };
    for (const bool keeps : {false, true}) {
        SCOPED_TRACE(keeps);
        seen.clear();
        child->Keeps = keeps;
        TUiTestHarness::MouseDown(child, {5, 5});
        TUiTestHarness::MouseMove(child, {7, 5}, ssLeft);
        TUiTestHarness::MouseMove(child, {30, 5}, ssLeft);
        TUiTestHarness::MouseUp(child, {30, 5});
        // The pointer comes to the point first, then the button goes down.
        if (keeps)
            EXPECT_EQ(seen, (std::vector<std::string>{"child move", "child down", "child move", "child move",
                                                      "child up"}));
        else
            EXPECT_EQ(seen, (std::vector<std::string>{"child move", "panel move", "child down", "panel down",
                                                      "child move", "panel move", "child move", "panel move",
                                                      "child up", "panel up"}));
    }
}
