// Edits and memos driven through the members they share (limits, password character,
// border, selection, undo), each on its own widget, and the checked access to a control's
// widget that refuses a widget of another class.
#include "UiFixture.h"

#include <functional>

#include "platform/ui/ComCtrls.h"
#include "platform/ui/QtPeer.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTreeView>

namespace {

const char* kLimitedForm = R"(object Form1: TProbeForm
  ClientWidth = 300
  ClientHeight = 200
  object Memo1: TMemo
    Left = 8
    Top = 8
    MaxLength = 10
    PasswordChar = '*'
    BorderStyle = bsNone
  end
  object Edit1: TEdit
    Left = 8
    Top = 120
    MaxLength = 4
    BorderStyle = bsNone
  end
  object List1: TListView
    Left = 8
    Top = 150
    ViewStyle = vsList
    RowSelect = True
  end
end
)";

class EditWidgetsTest : public UiTest {
protected:
    void SetUp() override {
        Form = MakeForm(kLimitedForm);
        Form->Show();
        TUiTestHarness::ProcessMessages();
        Memo1 = Find<TMemo>(Form.get(), "Memo1");
        Edit1 = Find<TEdit>(Form.get(), "Edit1");
    }
    std::unique_ptr<TProbeForm> Form;
    TMemo* Memo1 = nullptr;
    TEdit* Edit1 = nullptr;
};

TEST_F(EditWidgetsTest, LimitsHoldOnEveryRoadTextComesIn) {
    ASSERT_EQ(Memo1->MaxLength(), 10);
    EXPECT_EQ(Memo1->PasswordChar(), U'*');
    EXPECT_EQ(Memo1->BorderStyle(), bsNone);
    EXPECT_EQ(TypedWidget<QPlainTextEdit>(Memo1)->frameShape(), QFrame::NoFrame);
    // A multi-line edit shows its text whatever the password character.
    TUiTestHarness::TypeText(Memo1, "abc");
    TUiTestHarness::TypeKey(Memo1, VK_RETURN);
    EXPECT_EQ(Memo1->Text(), "abc\r\n");
    // The line break counts two: five more characters fit, the sixth is refused.
    TUiTestHarness::TypeText(Memo1, "defghi");
    EXPECT_EQ(Memo1->Text(), "abc\r\ndefgh");
    EXPECT_EQ(Harness.Beeps(), 1);
    // Pasted and committed text is cut to the room left once the selection is replaced.
    Memo1->SetSelStart(5);
    Memo1->SetSelLength(2);
    TUiTestHarness::Paste(Memo1, "XYZ");
    EXPECT_EQ(Memo1->Text(), "abc\r\nXYfgh");
    Memo1->SetSelStart(0);
    Memo1->SetSelLength(1);
    TUiTestHarness::CommitText(Memo1, "药品");
    EXPECT_EQ(Memo1->Text(), "药bc\r\nXYfgh");
    Memo1->SetSelLength(0);
    Memo1->SetSelText("12");
    EXPECT_EQ(Memo1->Text(), "药bc\r\nXYfgh");
    // Code may set any text; the limit is for what comes in afterwards.
    Memo1->SetText("0123456789abc");
    EXPECT_EQ(Memo1->Text(), "0123456789abc");

    EXPECT_EQ(TypedWidget<QLineEdit>(Edit1)->hasFrame(), false);
    TUiTestHarness::Click(Edit1);
    TUiTestHarness::TypeText(Edit1, "123456");
    EXPECT_EQ(Edit1->Text(), "1234");
}

// Modified tells whether the user changed the text since the program last set it: typing,
// pasting and a key that deletes mark it; text set whole by the program clears it, and
// keys that change nothing leave it. The memo and the one-line edit alike.
TEST_F(EditWidgetsTest, ModifiedFollowsTheUserNotTheProgram) {
    struct {
        const char* Name;
        std::function<void(TCustomEdit*)> Act;
        bool Modified;
    } cases[] = {
        {"typed", [](TCustomEdit* e) { TUiTestHarness::TypeText(e, "ab"); }, true},
        {"pasted", [](TCustomEdit* e) { TUiTestHarness::Paste(e, "xy"); }, true},
        {"backspace", [](TCustomEdit* e) { TUiTestHarness::TypeKey(e, VK_BACK); }, true},
        {"arrow", [](TCustomEdit* e) { TUiTestHarness::TypeKey(e, VK_LEFT); }, false},
        {"typed then set", [](TCustomEdit* e) {
             TUiTestHarness::TypeText(e, "ab");
             e->SetText("new");
         }, false},
    };
    for (TCustomEdit* e : {static_cast<TCustomEdit*>(Memo1), static_cast<TCustomEdit*>(Edit1)})
        for (const auto& c : cases) {
            e->SetText("12");
            e->SetModified(false);
            TUiTestHarness::Click(e, Point(e->ClientWidth() - 4, e->ClientHeight() / 2));
            c.Act(e);
            EXPECT_EQ(e->Modified(), c.Modified) << e->Name() << " " << c.Name;
        }
    // The memo's lines set by the program leave the flag as it was.
    Memo1->SetModified(false);
    Memo1->Lines()->SetText("a\r\nb");
    Memo1->Lines()->Add("c");
    EXPECT_FALSE(Memo1->Modified());
    EXPECT_EQ(Memo1->Text(), "a\r\nb\r\nc");
}

// One table for both kinds: the text "ab" CR LF "cd", an action, then the text and the
// selection (a memo counts the line break as two characters; an edit has no line break).
struct TSelectionCase {
    const char* Name;
    int Start, Length;            // selection made before the action
    const char* Action;           // "", "select-all", "clear", "replace", "undo"
    const char* MemoText;
    int MemoSelStart, MemoSelLength;
    const char* MemoSelText;
    const char* EditText;
    int EditSelStart, EditSelLength;
};

const TSelectionCase kSelectionCases[] = {
    {"after-break", 4, 2, "", "ab\r\ncd", 4, 2, "cd", "abcd", 4, 0},
    {"across-break", 1, 4, "", "ab\r\ncd", 1, 4, "b\r\nc", "abcd", 1, 3},
    {"inside-break", 3, 2, "", "ab\r\ncd", 2, 2, "\r\n", "abcd", 3, 1},
    {"select-all", 0, 0, "select-all", "ab\r\ncd", 0, 6, "ab\r\ncd", "abcd", 0, 4},
    {"clear", 1, 4, "clear", "ad", 1, 0, "", "a", 1, 0},
    {"clear-nothing", 1, 0, "clear", "ab\r\ncd", 1, 0, "", "abcd", 1, 0},
    {"replace", 1, 4, "replace", "aX\r\nYd", 5, 0, "", "aX\r\nY", 5, 0},
    // Undo brings the replaced text back: selected in an edit, the cursor behind it in a memo.
    {"undo", 1, 4, "undo", "ab\r\ncd", 5, 0, "", "abcd", 1, 3},
};

class SelectionTest : public UiTest, public ::testing::WithParamInterface<TSelectionCase> {};

void Act(TCustomEdit* e, const TSelectionCase& c) {
    e->SetSelStart(c.Start);
    e->SetSelLength(c.Length);
    const std::string action = c.Action;
    if (action == "select-all") e->SelectAll();
    else if (action == "clear") e->ClearSelection();
    else if (action == "replace") e->SetSelText("X\r\nY");
    else if (action == "undo") {
        e->SetSelText("Q");
        EXPECT_TRUE(e->CanUndo());
        e->Undo();
    }
}

TEST_P(SelectionTest, MemoAndEditShareTheirSelectionMembers) {
    const TSelectionCase& c = GetParam();
    auto form = MakeForm("object Form1: TProbeForm\n object Memo1: TMemo\n end\n object Edit1: TEdit\n end\nend\n");
    auto* memo = Find<TMemo>(form.get(), "Memo1");
    auto* edit = Find<TEdit>(form.get(), "Edit1");
    memo->SetText("ab\r\ncd");
    Act(memo, c);
    EXPECT_EQ(memo->Text(), c.MemoText);
    EXPECT_EQ(memo->SelStart(), c.MemoSelStart);
    EXPECT_EQ(memo->SelLength(), c.MemoSelLength);
    EXPECT_EQ(memo->SelText(), c.MemoSelText);
    // An edit drops line breaks of typed text but keeps those set by code.
    edit->SetText("abcd");
    Act(edit, c);
    EXPECT_EQ(edit->Text(), c.EditText);
    EXPECT_EQ(edit->SelStart(), c.EditSelStart);
    EXPECT_EQ(edit->SelLength(), c.EditSelLength);
}

INSTANTIATE_TEST_SUITE_P(Cases, SelectionTest, ::testing::ValuesIn(kSelectionCases),
                         [](const auto& info) {
                             std::string n = info.param.Name;
                             std::replace(n.begin(), n.end(), '-', '_');
                             return n;
                         });

TEST_F(EditWidgetsTest, AWidgetOfAnotherClassIsRefusedNamingBothClasses) {
    try {
        TypedWidget<QLineEdit>(Memo1);
        FAIL() << "a memo's widget was taken for a one-line edit";
    } catch (const EInvalidCast& e) {
        EXPECT_EQ(e.Message(), "Invalid class typecast: the widget of TMemo Memo1 is a QPlainTextEdit, not a QLineEdit");
    }
    EXPECT_EQ(WidgetAs<QLineEdit>(Memo1), nullptr);
    EXPECT_NE(WidgetAs<QPlainTextEdit>(Memo1), nullptr);
    // A list view that is no report keeps its list widget when rows are selected whole.
    auto* list = Find<TListView>(Form.get(), "List1");
    EXPECT_TRUE(list->RowSelect());
    EXPECT_THROW(TypedWidget<QTreeView>(list), EInvalidCast);
}

}  // namespace
