// The script editor on the designer's code page, driven by keys as the window system
// delivers them: selections that outlive the lines they stood on, and paging in an editor
// too small to show a line.
#include <gtest/gtest.h>

#include "DesignerFixture.h"
#include "designer/code/SyntaxMemo.h"

namespace {
using H = TUiTestHarness;

struct TCodePage : TDesignerFixture {
    explicit TCodePage(const char* Script) {
        Report->ScriptText()->SetText(Script);
        Form->ReloadReport();
        Form->SwitchToCodeWindow();
        H::ProcessMessages();
        // The user clicks into the text: the editor takes the focus.
        H::Click(Code(), TPoint{60, 5});
    }
    TfrxSyntaxMemo* Code() const { return Form->CodeWindow; }
    void Keys(std::initializer_list<std::pair<uint16_t, TShiftState>> Strokes) {
        for (const auto& [key, shift] : Strokes) {
            TWinControl* focused = H::FocusedControl();
            ASSERT_EQ(focused, Code());
            H::TypeKey(focused, key, shift);
        }
    }
    std::string Text() const {
        std::string s;
        for (int i = 0; i < Code()->LineCount(); ++i) s += (i ? "|" : "") + Code()->LineText(i);
        return s;
    }
};

// Ctrl+Y deletes the caret line under a selection that ends on the last line: whatever
// comes next works on the text that is there.
TEST(DesignerCodeEditorKeys, EditsAfterDeletingALineUnderASelection) {
    struct TCase {
        const char* Name;
        uint16_t Key;
        char32_t Typed;     // or a character typed instead of the key
        const char* Text;   // the lines afterwards, joined by |
    };
    const TCase cases[] = {
        {"backspace", VK_BACK, 0, "begin|  a := 1;|  b := 2|end."},
        {"delete", VK_DELETE, 0, "begin|  a := 1;|  b := 2;end."},
        {"a character", 0, U'x', "begin|  a := 1;|  b := 2;x|end."},
        {"enter", VK_RETURN, 0, "begin|  a := 1;|  b := 2;|  |end."},
    };
    for (const TCase& c : cases) {
        TCodePage f("begin\n  a := 1;\n  b := 2;\n  c := 3;\nend.");
        // To the end, one line up with Shift (a selection reaching the last line), then
        // Ctrl+Y on the line above the last.
        f.Keys({{VK_END, ssCtrl}, {VK_UP, ssShift}, {'Y', ssCtrl}});
        ASSERT_EQ(f.Text(), "begin|  a := 1;|  b := 2;|end.") << c.Name;
        // The caret is on the line that followed the deleted one, and no end of a
        // selection stands past the last line.
        EXPECT_EQ(f.Code()->GetCaretPos().Y, 4) << c.Name;
        EXPECT_LE(f.Code()->SelAnchor().Y, f.Code()->LineCount()) << c.Name;
        EXPECT_LE(f.Code()->SelEnd().Y, f.Code()->LineCount()) << c.Name;
        f.Keys({{VK_UP, 0}, {VK_END, 0}});
        if (c.Typed) H::TypeText(f.Code(), "x");
        else f.Keys({{c.Key, 0}});
        EXPECT_EQ(f.Text(), c.Text) << c.Name;
        EXPECT_TRUE(f.Harness.Dialogs().empty()) << c.Name;
    }
}

// Page Down and Page Up in an editor less than one line high (a small designer window):
// the first line shown stays a line of the text and the caret moves a line a page.
TEST(DesignerCodeEditorKeys, PagingInAnEditorLowerThanOneLine) {
    TCodePage f("l1\nl2\nl3\nl4\nl5");
    f.Code()->SetAlign(alNone);
    f.Code()->SetBounds(0, 0, 300, 6);
    H::ProcessMessages();
    for (int i = 0; i < 30; ++i) f.Keys({{VK_NEXT, 0}});
    EXPECT_EQ(f.Code()->GetCaretPos().Y, 5);
    EXPECT_GE(f.Code()->OffsetY(), 0);
    EXPECT_LT(f.Code()->OffsetY(), f.Code()->LineCount());
    f.Code()->Repaint();
    H::ProcessMessages();
    for (int i = 0; i < 30; ++i) f.Keys({{VK_PRIOR, 0}});
    EXPECT_EQ(f.Code()->GetCaretPos().Y, 1);
    EXPECT_EQ(f.Code()->OffsetY(), 0);
    // Typing lands on the caret's line.
    f.Keys({{VK_HOME, 0}});
    H::TypeText(f.Code(), "x");
    EXPECT_EQ(f.Code()->LineText(0), "xl1");
}

// The editor shows the last two lines, the window is made lower than one line, then lines
// are deleted with Ctrl+Y above the last: the first line shown stays a line of the text.
TEST(DesignerCodeEditorKeys, DeletingLinesInAnEditorLowerThanOneLine) {
    TCodePage f("l1\nl2\nl3\nl4");
    f.Code()->SetAlign(alNone);
    f.Code()->SetBounds(0, 0, 300, f.Code()->CharHeight() * 2 + 24);
    H::ProcessMessages();
    f.Keys({{VK_END, ssCtrl}});
    ASSERT_EQ(f.Code()->OffsetY(), 2);
    f.Code()->SetBounds(0, 0, 300, 6);
    H::ProcessMessages();
    for (int i = 0; i < 2; ++i) {
        f.Keys({{VK_UP, ssCtrl | ssShift}, {'Y', ssCtrl}});
        EXPECT_GE(f.Code()->OffsetY(), 0) << i;
        EXPECT_LT(f.Code()->OffsetY(), f.Code()->LineCount()) << i;
    }
    EXPECT_EQ(f.Text(), "l1|l4");
    f.Code()->Repaint();
    H::ProcessMessages();
    H::TypeText(f.Code(), "x");
    EXPECT_EQ(f.Code()->LineCount(), 2);
}

// Positions given from outside are held to the text.
TEST(DesignerCodeEditorKeys, ASelectionSetBeyondTheTextIsHeldToIt) {
    TCodePage f("ab\ncd");
    f.Code()->SetSelection({1, 2}, {3, 9});
    H::TypeText(f.Code(), "x");
    EXPECT_EQ(f.Text(), "ab|x");
}

}  // namespace
