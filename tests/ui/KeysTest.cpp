// The key path: Windows key codes and shift bits, OnKeyPress that changes or swallows a
// key for typed keys, pastes and input-method text alike, KeyPreview, dialog keys.
#include "UiFixture.h"

#include "platform/ui/Clipbrd.h"
#include "platform/ui/QtKeys.h"

#include <QKeyEvent>

namespace {

struct TKeyCase {
    const char* Name;
    int QtKey;
    Qt::KeyboardModifiers Mods;
    uint16_t Vk;
};

const TKeyCase kKeyCases[] = {
    {"letter", Qt::Key_Q, Qt::NoModifier, 'Q'},
    {"digit", Qt::Key_7, Qt::NoModifier, '7'},
    {"keypad digit", Qt::Key_7, Qt::KeypadModifier, VK_NUMPAD7},
    {"keypad point", Qt::Key_Period, Qt::KeypadModifier, VK_DECIMAL},
    {"enter", Qt::Key_Return, Qt::NoModifier, VK_RETURN},
    {"keypad enter", Qt::Key_Enter, Qt::KeypadModifier, VK_RETURN},
    {"escape", Qt::Key_Escape, Qt::NoModifier, VK_ESCAPE},
    {"backspace", Qt::Key_Backspace, Qt::NoModifier, VK_BACK},
    {"up", Qt::Key_Up, Qt::NoModifier, VK_UP},
    {"down", Qt::Key_Down, Qt::NoModifier, VK_DOWN},
    {"page down", Qt::Key_PageDown, Qt::NoModifier, VK_NEXT},
    {"F12", Qt::Key_F12, Qt::NoModifier, VK_F12},
    {"shifted digit", Qt::Key_Exclam, Qt::ShiftModifier, '1'},
    {"semicolon", Qt::Key_Semicolon, Qt::NoModifier, VK_OEM_1},
    {"colon", Qt::Key_Colon, Qt::ShiftModifier, VK_OEM_1},
    {"period", Qt::Key_Period, Qt::NoModifier, VK_OEM_PERIOD},
    {"delete", Qt::Key_Delete, Qt::NoModifier, VK_DELETE},
    {"control", Qt::Key_Control, Qt::ControlModifier, VK_CONTROL},
};

class KeyMapTest : public ::testing::TestWithParam<TKeyCase> {};

}  // namespace

TEST_P(KeyMapTest, TranslatesToVirtualKeyAndBack) {
    const TKeyCase& c = GetParam();
    EXPECT_EQ(VirtualKeyOf(c.QtKey, c.Mods), c.Vk);
    // Back to a Qt key that means the same virtual key (the keypad's own mark aside).
    EXPECT_EQ(VirtualKeyOf(QtKeyOfVirtual(c.Vk), (c.Vk >= VK_NUMPAD0 && c.Vk <= VK_DIVIDE) ? Qt::KeypadModifier : Qt::NoModifier), c.Vk);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyMapTest, ::testing::ValuesIn(kKeyCases),
                         [](const auto& info) {
                             std::string n = info.param.Name;
                             for (char& ch : n)
                                 if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return n;
                         });

TEST(KeyCharTest, EditingKeysAndControlLettersBecomeControlCharacters) {
    struct {
        int key;
        Qt::KeyboardModifiers mods;
        QString text;
        char32_t expected;
    } cases[] = {
        {Qt::Key_Return, Qt::NoModifier, "\r", 13},  {Qt::Key_Backspace, Qt::NoModifier, "", 8},
        {Qt::Key_Escape, Qt::NoModifier, "", 27},    {Qt::Key_V, Qt::ControlModifier, "", 22},
        {Qt::Key_C, Qt::ControlModifier, "", 3},     {Qt::Key_A, Qt::ShiftModifier, "A", 'A'},
        {Qt::Key_unknown, Qt::NoModifier, "药", U'药'}, {Qt::Key_Left, Qt::NoModifier, "", 0},
        {Qt::Key_F, Qt::AltModifier, "f", 0},
    };
    for (auto& c : cases) {
        QKeyEvent e(QEvent::KeyPress, c.key, c.mods, c.text);
        EXPECT_EQ(KeyCharOf(e), c.expected) << c.key;
    }
    EXPECT_EQ(ShiftOf(Qt::ShiftModifier | Qt::ControlModifier, Qt::LeftButton), TShiftState(ssShift | ssCtrl | ssLeft));
}

namespace {

const char* kEditForm = R"(object Form1: TProbeForm
  ClientWidth = 300
  ClientHeight = 200
  KeyPreview = True
  OnKeyDown = FormKeyDown
  object Edit1: TEdit
    Left = 8
    Top = 8
    TabOrder = 0
    OnKeyPress = DigitsKeyPress
    OnChange = EditChange
  end
  object Edit2: TEdit
    Left = 8
    Top = 40
    TabOrder = 2
    OnKeyPress = UpperKeyPress
  end
  object Memo1: TMemo
    Left = 8
    Top = 72
    TabOrder = 1
    OnKeyPress = DigitsKeyPress
  end
  object Combo1: TComboBox
    Left = 140
    Top = 8
    TabOrder = 3
    OnKeyPress = EnterKeyPress
  end
end
)";

class KeyPathTest : public UiTest {
protected:
    void SetUp() override {
        Form = MakeForm(kEditForm);
        Form->Show();
        TUiTestHarness::ProcessMessages();
        Edit1 = Find<TEdit>(Form.get(), "Edit1");
        Edit2 = Find<TEdit>(Form.get(), "Edit2");
        Memo1 = Find<TMemo>(Form.get(), "Memo1");
        Combo1 = Find<TComboBox>(Form.get(), "Combo1");
    }
    std::unique_ptr<TProbeForm> Form;
    TEdit* Edit1 = nullptr;
    TEdit* Edit2 = nullptr;
    TMemo* Memo1 = nullptr;
    TComboBox* Combo1 = nullptr;
};

}  // namespace

TEST_F(KeyPathTest, SwallowedKeyNeverReachesTheTextTypedOrPasted) {
    // The rule lets the paste key (#22) through; each pasted character still passes it.
    Form->Allowed = U"\b\x16";
    TUiTestHarness::Click(Edit1);
    TUiTestHarness::TypeText(Edit1, "1a2");
    EXPECT_EQ(Edit1->Text(), "12");
    TUiTestHarness::Paste(Edit1, "3x4");
    EXPECT_EQ(Edit1->Text(), "1234");
    TUiTestHarness::CommitText(Edit1, "5药6");
    EXPECT_EQ(Edit1->Text(), "123456");
    // Backspace is let through and edits.
    TUiTestHarness::TypeKey(Edit1, VK_BACK);
    EXPECT_EQ(Edit1->Text(), "12345");
    // The same rule holds in a memo, whose paste goes through the widget's own road.
    TUiTestHarness::Click(Memo1);
    TUiTestHarness::Paste(Memo1, "7y8");
    TUiTestHarness::TypeText(Memo1, "b9");
    EXPECT_EQ(Memo1->Text(), "789");
    EXPECT_EQ(Memo1->Lines()->Count(), 1);
    EXPECT_EQ(Memo1->Lines()->Get(0), "789");
}

TEST_F(KeyPathTest, SwallowedPasteKeyStopsThePaste) {
    // Ctrl+V reaches OnKeyPress as #22; the digit rule swallows it, so nothing is pasted.
    Form->Allowed = U"\b";
    Clipboard()->SetAsText("123");
    TUiTestHarness::TypeKey(Edit1, 'V', ssCtrl);
    EXPECT_EQ(Edit1->Text(), "");
    EXPECT_NE(std::find(Form->Log.begin(), Form->Log.end(), "swallowed 22"), Form->Log.end());
    // Let #22 through: the paste runs, each character through the rule.
    Form->Allowed = U"\b\x16";
    TUiTestHarness::Paste(Edit1, "1,2");
    EXPECT_EQ(Edit1->Text(), "12");
}

TEST_F(KeyPathTest, ChangedKeyIsWhatGetsTyped) {
    TUiTestHarness::Click(Edit2);
    TUiTestHarness::TypeText(Edit2, "ab");
    TUiTestHarness::Paste(Edit2, "cd");
    TUiTestHarness::CommitText(Edit2, "e");
    EXPECT_EQ(Edit2->Text(), "ABCDE");
}

TEST_F(KeyPathTest, OnChangeFiresForTypingAndForCode) {
    Form->Log.clear();
    TUiTestHarness::TypeText(Edit1, "1");
    Edit1->SetText("42");
    Edit1->SetText("42");
    EXPECT_EQ(std::count(Form->Log.begin(), Form->Log.end(), "change Edit1"), 2);
}

TEST_F(KeyPathTest, KeyPreviewSeesKeyDownWithShiftBitsFirst) {
    Form->Log.clear();
    TUiTestHarness::TypeKey(Edit1, VK_DOWN, ssShift | ssCtrl);
    ASSERT_FALSE(Form->Log.empty());
    EXPECT_EQ(Form->Log.front(), "form-keydown 40/" + std::to_string(ssShift | ssCtrl));
}

TEST_F(KeyPathTest, EnterReachesOnKeyPressWithoutADefaultButton) {
    Form->Log.clear();
    TUiTestHarness::Click(Combo1);
    TUiTestHarness::TypeKey(Combo1, VK_RETURN);
    EXPECT_NE(std::find(Form->Log.begin(), Form->Log.end(), "enter Combo1"), Form->Log.end());
}

// A combo box with a field (the log-in's user box) is one control with a field inside: each
// key typed there passes the key path once (the form's preview, the box's own handlers),
// and what is typed goes into the field once.
TEST_F(KeyPathTest, EachKeyTypedIntoAComboBoxFieldPassesTheKeyPathOnce) {
    TUiTestHarness::Click(Combo1);
    Form->Log.clear();
    TUiTestHarness::TypeText(Combo1, "ab");
    TUiTestHarness::TypeKey(Combo1, VK_RETURN);
    EXPECT_EQ(Combo1->Text(), "ab");
    EXPECT_EQ(Form->Log, (std::vector<std::string>{"form-keydown 65/0", "form-keydown 66/0", "form-keydown 13/0",
                                                    "enter Combo1"}));
}

TEST_F(KeyPathTest, TabFollowsTabOrder) {
    TUiTestHarness::Click(Edit2);
    TUiTestHarness::Click(Edit1);
    ASSERT_TRUE(Edit1->Focused());
    // TabOrder: Edit1 0, Memo1 1, Edit2 2, Combo1 3; the memo does not want Tab.
    TUiTestHarness::TypeKey(Edit1, VK_TAB);
    EXPECT_EQ(Form->ActiveControl(), Memo1);
    TUiTestHarness::TypeKey(Memo1, VK_TAB);
    EXPECT_EQ(Form->ActiveControl(), Edit2);
    TUiTestHarness::TypeKey(Edit2, VK_TAB, ssShift);
    EXPECT_EQ(Form->ActiveControl(), Memo1);
}

TEST_F(KeyPathTest, EnterClicksTheDefaultButtonAndEscTheCancelButton) {
    auto* ok = new TButton(Form.get());
    ok->SetName("OkB");
    ok->SetDefault(true);
    ok->SetParent(Form.get());
    ok->OnClick = [this](TObject*) { Form->Log.push_back("ok"); };
    auto* cancel = new TButton(Form.get());
    cancel->SetName("CancelB");
    cancel->SetCancel(true);
    cancel->SetParent(Form.get());
    cancel->OnClick = [this](TObject*) { Form->Log.push_back("cancel"); };
    Form->Log.clear();
    TUiTestHarness::TypeKey(Edit1, VK_RETURN);
    TUiTestHarness::TypeKey(Edit1, VK_ESCAPE);
    EXPECT_EQ(Form->Log, (std::vector<std::string>{"ok", "cancel"}));
}

TEST_F(KeyPathTest, AcceleratorsClickButtonsAndFocusThroughLabels) {
    auto* save = new TButton(Form.get());
    save->SetName("SaveB");
    save->SetCaption("保存(&S)");
    save->SetParent(Form.get());
    save->OnClick = [this](TObject*) { Form->Log.push_back("save"); };
    auto* label = new TLabel(Form.get());
    label->SetCaption("拼音码(&P)");
    label->SetFocusControl(Edit2);
    label->SetParent(Form.get());
    Form->Log.clear();
    TUiTestHarness::TypeKey(Edit1, 'S', ssAlt);
    EXPECT_EQ(std::count(Form->Log.begin(), Form->Log.end(), "save"), 1);
    // The button is clicked; the focus stays in the field typed in.
    EXPECT_EQ(Form->ActiveControl(), Edit1);
    TUiTestHarness::TypeKey(Edit1, 'P', ssAlt);
    EXPECT_EQ(Form->ActiveControl(), Edit2);
    // Without Alt, a letter typed into an edit is a letter.
    TUiTestHarness::TypeText(Edit2, "s");
    EXPECT_EQ(Edit2->Text(), "S");
    EXPECT_EQ(std::count(Form->Log.begin(), Form->Log.end(), "save"), 1);
    EXPECT_TRUE(IsAccelChar('p', "拼音码(&P)"));
    EXPECT_FALSE(IsAccelChar('a', "A&&B"));
}

namespace {

// Three choices and the buttons of a prompt, as the receipt prompt lays them out.
const char* kChoiceForm = R"(object Form1: TProbeForm
  ClientWidth = 268
  ClientHeight = 118
  object Print: TRadioButton
    Left = 40
    Top = 44
    Width = 56
    Height = 17
    Caption = '打印'
    Checked = True
    TabOrder = 0
    TabStop = True
    OnClick = ButtonClick
  end
  object Preview: TRadioButton
    Left = 108
    Top = 44
    Width = 56
    Height = 17
    Caption = '预览'
    TabOrder = 1
    OnClick = ButtonClick
  end
  object Design: TRadioButton
    Left = 176
    Top = 44
    Width = 56
    Height = 17
    Caption = '设计'
    TabOrder = 2
    OnClick = ButtonClick
  end
  object OkB: TButton
    Left = 48
    Top = 80
    Caption = '确定'
    TabOrder = 3
    OnClick = ButtonClick
  end
end
)";

}  // namespace

// The arrow keys move the choice among radio buttons, not only the focus: the button
// reached is checked (and clicks) and the one left is cleared; Tab goes on to the next
// control and comes back to the checked choice.
TEST_F(UiTest, ArrowKeysMoveTheCheckedRadioButton) {
    auto form = MakeForm(kChoiceForm);
    auto* print = Find<TRadioButton>(form.get(), "Print");
    auto* preview = Find<TRadioButton>(form.get(), "Preview");
    auto* design = Find<TRadioButton>(form.get(), "Design");
    auto* ok = Find<TButton>(form.get(), "OkB");
    form->Show();
    TUiTestHarness::ProcessMessages();
    TUiTestHarness::Click(print);
    ASSERT_EQ(form->ActiveControl(), print);
    form->Log.clear();
    struct {
        uint16_t Key;
        TRadioButton* Checked;
    } steps[] = {{VK_RIGHT, preview}, {VK_RIGHT, design}, {VK_LEFT, preview},
                 {VK_UP, print},      {VK_DOWN, preview}};
    TWinControl* at = print;
    for (auto& s : steps) {
        SCOPED_TRACE(s.Checked->Name());
        TUiTestHarness::TypeKey(at, s.Key);
        EXPECT_EQ(form->ActiveControl(), s.Checked);
        for (TRadioButton* r : {print, preview, design}) EXPECT_EQ(r->Checked(), r == s.Checked) << r->Name();
        ASSERT_FALSE(form->Log.empty());
        EXPECT_EQ(form->Log.back(), "click " + s.Checked->Name());
        at = s.Checked;
    }
    // Five steps, five clicks: each choice clicked once when the arrow reached it.
    EXPECT_EQ(form->Log.size(), std::size(steps));
    TUiTestHarness::TypeKey(at, VK_TAB);
    EXPECT_EQ(form->ActiveControl(), ok);
    TUiTestHarness::TypeKey(ok, VK_TAB, ssShift);
    EXPECT_EQ(form->ActiveControl(), preview);
    EXPECT_TRUE(preview->Checked());
}
