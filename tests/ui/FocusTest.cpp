// Where the keyboard goes after a modal form or a message box: to the control the program
// focused, also when it did so while its window was disabled by the modal form.
#include "UiFixture.h"

namespace {

const char* kEntryForm = R"(object Form1: TProbeForm
  Caption = '收费'
  ClientWidth = 300
  ClientHeight = 120
  object Code: TEdit
    Left = 8
    Top = 8
    TabOrder = 0
  end
  object Received: TEdit
    Left = 8
    Top = 40
    TabOrder = 1
  end
end
)";

const char* kPromptForm = R"(object Form2: TProbeForm
  BorderStyle = bsToolWindow
  Caption = '提示'
  ClientWidth = 200
  ClientHeight = 80
  object Field: TEdit
    Left = 8
    Top = 8
    TabOrder = 0
  end
  object OkB: TButton
    Left = 8
    Top = 40
    Caption = '确定'
    TabOrder = 1
  end
end
)";

// Types Text where the keyboard focus is, as a user does.
void TypeAtFocus(const std::string& Text) {
    TWinControl* focused = TUiTestHarness::FocusedControl();
    ASSERT_NE(focused, nullptr) << "no control has the keyboard focus";
    TUiTestHarness::TypeText(focused, Text);
}

}  // namespace

class FocusTest : public UiTest {};

// The prompt's OK button moves the focus of the window underneath and closes the prompt;
// the order of the two and the way the focus is given must not matter.
TEST_F(FocusTest, ControlFocusedWhileItsWindowIsDisabledGetsTheKeysAfterTheModalForm) {
    enum TWay { SetFocusAfterClose, SetFocusBeforeClose, ActiveControlAfterClose };
    struct {
        const char* Name;
        TWay Way;
    } cases[] = {{"SetFocus after Close", SetFocusAfterClose},
                 {"SetFocus before Close", SetFocusBeforeClose},
                 {"ActiveControl after Close", ActiveControlAfterClose}};
    for (auto& c : cases) {
        auto entry = MakeForm(kEntryForm);
        auto* code = Find<TEdit>(entry.get(), "Code");
        auto* received = Find<TEdit>(entry.get(), "Received");
        entry->Show();
        code->SetFocus();
        auto prompt = MakeForm(kPromptForm);
        auto* ok = Find<TButton>(prompt.get(), "OkB");
        TCustomForm* p = prompt.get();
        const TWay way = c.Way;
        ok->OnClick = [&, p, way](TObject*) {
            received->SetText("45.00");   // prefilled with the amount due; typing replaces it
            if (way == SetFocusBeforeClose) received->SetFocus();
            p->Close();
            if (way == SetFocusAfterClose) received->SetFocus();
            if (way == ActiveControlAfterClose) entry->SetActiveControl(received);
        };
        Harness.OnModal([](TCustomForm& f) { TUiTestHarness::Click(Find<TControl>(&f, "OkB")); });
        prompt->ShowModal();
        EXPECT_EQ(TUiTestHarness::FocusedControl(), received) << c.Name;
        EXPECT_EQ(entry->ActiveControl(), received) << c.Name;
        TypeAtFocus("50");
        EXPECT_EQ(received->Text(), "50") << c.Name;
        EXPECT_EQ(code->Text(), "") << c.Name;
    }
}

// A message box shown from a modal tool window: when it closes, the window system may hand
// the activation to another window (the disabled one underneath); the keys still go to the
// field that had them.
TEST_F(FocusTest, MessageBoxGivesTheKeyboardBackToTheWindowItWasShownFrom) {
    auto entry = MakeForm(kEntryForm);
    entry->Show();
    auto prompt = MakeForm(kPromptForm);
    auto* field = Find<TEdit>(prompt.get(), "Field");
    field->OnKeyPress = [&](TObject*, char32_t& Key) {
        if (Key >= '0' && Key <= '9') {
            Key = 0;
            Application->MessageBox("请输入拼音字母后按Enter键!", "提示", MB_OK);
        }
    };
    TProbeForm* e = entry.get();
    Harness.Answer([e](const TDialogRequest&) {
        e->BringToFront();   // what a window manager may do when the box goes away
        TUiTestHarness::ProcessMessages();
        TDialogAnswer a;
        a.Result = IDOK;
        return a;
    });
    std::string typed;
    Harness.OnModal([&](TCustomForm& f) {
        TUiTestHarness::TypeText(field, "1");
        TypeAtFocus("AM");
        typed = field->Text();
        f.SetModalResult(mrOk);
    });
    prompt->ShowModal();
    EXPECT_EQ(typed, "AM");
    EXPECT_EQ(Harness.DialogTexts(), (std::vector<std::string>{"请输入拼音字母后按Enter键!"}));
}
