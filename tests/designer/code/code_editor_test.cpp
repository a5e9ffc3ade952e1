// The code editor's text model: the key table, undo grouping, bookmarks, find, tags,
// clipboard and input-method text.
#include <gtest/gtest.h>

#include "CodeFixture.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"

namespace {

struct TKeyCase {
    const char* Name;
    const char* Start;       // lines separated by "\n"
    TfrxCaretPos Caret;
    std::vector<TKeyStroke> Keys;
    const char* Text;        // lines joined by CR LF
    TfrxCaretPos After;
};

class KeyTable : public ::testing::TestWithParam<TKeyCase> {};

TEST_P(KeyTable, GivesTextAndCaret) {
    const TKeyCase& c = GetParam();
    auto memo = MakeMemo(c.Start);
    memo->MoveCaret(c.Caret.X, c.Caret.Y);
    Press(*memo, c.Keys);
    EXPECT_EQ(memo->Text(), c.Text);
    EXPECT_EQ(memo->GetCaretPos().X, c.After.X);
    EXPECT_EQ(memo->GetCaretPos().Y, c.After.Y);
}

const TKeyCase kKeyCases[] = {
    {"RightPastTheEndThenType", "ab", {3, 1}, {K(VK_RIGHT), K(VK_RIGHT), Ch('x')}, "ab  x", {6, 1}},
    {"LeftAtColumnOneStays", "a\nb", {1, 2}, {K(VK_LEFT)}, "a\r\nb", {1, 2}},
    {"UpAndDownStayInText", "abc\nd", {3, 1}, {K(VK_UP), K(VK_DOWN), K(VK_DOWN)}, "abc\r\nd", {3, 2}},
    {"HomeGoesToColumnOne", "  abc", {4, 1}, {K(VK_HOME)}, "  abc", {1, 1}},
    {"EndGoesPastTrimmedLine", "  abc   \nxy", {1, 1}, {K(VK_END)}, "  abc   \r\nxy", {6, 1}},
    {"CtrlEndGoesToTheLastLine", "abc\nxy  ", {1, 1}, {K(VK_END, ssCtrl)}, "abc\r\nxy  ", {3, 2}},
    {"CtrlHomeGoesToTheStart", "abc\nxy", {2, 2}, {K(VK_HOME, ssCtrl)}, "abc\r\nxy", {1, 1}},
    {"CtrlLeftAtColumnOneGoesToTheLineAbove", "abc\ndef", {1, 2}, {K(VK_LEFT, ssCtrl)}, "abc\r\ndef", {4, 1}},
    {"CtrlLeftGoesToTheWordStart", "abc de_f", {8, 1}, {K(VK_LEFT, ssCtrl)}, "abc de_f", {5, 1}},
    {"CtrlRightGoesToTheNextWord", "abc  def", {2, 1}, {K(VK_RIGHT, ssCtrl)}, "abc  def", {6, 1}},
    {"CtrlRightPastTheEndGoesToTheNextLine", "ab\n  cd", {5, 1}, {K(VK_RIGHT, ssCtrl)}, "ab\r\n  cd", {3, 2}},
    {"TabOnTheFirstLineInsertsNothing", "abc", {1, 1}, {K(VK_TAB)}, "abc", {1, 1}},
    {"TabGoesToTheNextWordAbove", "abcde  fgh\n\n", {1, 2}, {K(VK_TAB)}, "abcde  fgh\r\n       ", {8, 2}},
    {"TabFromABlankGoesToTheWord", "a   bc\n\n", {2, 2}, {K(VK_TAB)}, "a   bc\r\n    ", {5, 2}},
    {"EnterKeepsTheIndent", "    abcdef", {7, 1}, {K(VK_RETURN)}, "    ab\r\n    cdef", {5, 2}},
    {"EnterOnABlankLineKeepsTheColumn", "", {4, 1}, {K(VK_RETURN)}, "\r\n   ", {4, 2}},
    {"BackspaceAtColumnOneJoins", "ab  \ncd", {1, 2}, {K(VK_BACK)}, "abcd", {3, 1}},
    {"BackspaceAtTheStartDoesNothing", "ab", {1, 1}, {K(VK_BACK)}, "ab", {1, 1}},
    {"BackspaceDeletesTheCharacterBefore", "abc", {3, 1}, {K(VK_BACK)}, "ac", {2, 1}},
    {"BackspacePastTheEndOnlyMoves", "ab", {6, 1}, {K(VK_BACK)}, "ab", {5, 1}},
    {"BackspaceAtTheIndentRemovesIt", "if\n  a\n    b", {5, 3}, {K(VK_BACK)}, "if\r\n  a\r\n  b", {3, 3}},
    {"DeleteTheCharacterAtTheCaret", "abc", {2, 1}, {K(VK_DELETE)}, "ac", {2, 1}},
    {"DeletePastTheEndJoinsPadded", "ab\ncd  ", {5, 1}, {K(VK_DELETE)}, "ab  cd", {5, 1}},
    {"DeleteOnTheLastLineEndDoesNothing", "ab", {3, 1}, {K(VK_DELETE)}, "ab", {3, 1}},
    {"CtrlYDeletesTheLine", "a\nb\nc", {1, 2}, {Ctrl('Y')}, "a\r\nc", {1, 2}},
    {"CtrlYOnTheLastLineEmptiesIt", "a\nb", {2, 2}, {Ctrl('Y')}, "a\r\n", {1, 2}},
    {"CtrlYOnTheOnlyLineLeavesOneLine", "abc", {2, 1}, {Ctrl('Y'), Ctrl('Y')}, "", {1, 1}},
    {"CtrlAThenTypeReplacesAll", "ab\ncd", {1, 1}, {Ctrl('A'), Ch('x')}, "x", {2, 1}},
    {"ShiftRightSelectsThenTypeReplaces", "abcd", {2, 1}, {K(VK_RIGHT, ssShift), K(VK_RIGHT, ssShift), Ch('X')},
     "aXd", {3, 1}},
    {"ShiftDownSelectsLinesThenDelete", "a\nb\nc", {1, 1}, {K(VK_DOWN, ssShift), K(VK_DELETE)}, "b\r\nc", {1, 1}},
    {"CtrlIIndentsTheSelectedLines", "a\nb\nc", {1, 1}, {K(VK_DOWN, ssShift), K(VK_DOWN, ssShift), Ctrl('I')},
     "  a\r\n  b\r\nc", {1, 3}},
    {"CtrlUUnindentsBySmallestIndent", " a\n   b", {1, 1}, {K(VK_DOWN, ssShift), K(VK_END, ssShift), Ctrl('U')},
     "a\r\n  b", {5, 2}},
    {"CtrlZUndoesATypedRun", "", {1, 1}, {Ch('a'), Ch('b'), Ch('c'), Ctrl('Z')}, "", {1, 1}},
    {"PageDownGoesToTheLastLine", "a\nb\nc", {1, 1}, {K(VK_NEXT)}, "a\r\nb\r\nc", {1, 3}},
    {"PageUpAtTheTopGoesToLineOne", "a\nb\nc", {1, 3}, {K(VK_PRIOR)}, "a\r\nb\r\nc", {1, 1}},
};

INSTANTIATE_TEST_SUITE_P(CodeEditor, KeyTable, ::testing::ValuesIn(kKeyCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(CodeEditorUndo, ATypedRunIsOneStepAndBackspaceStartsANewOne) {
    auto memo = MakeMemo("");
    Press(*memo, {Ch('a'), Ch('b'), Ch('c')});
    EXPECT_EQ(memo->UndoCount(), 1);
    Press(*memo, Ctrl('Z'));
    EXPECT_EQ(memo->Text(), "");

    Press(*memo, {Ch('a'), Ch('b'), K(VK_BACK), Ch('c')});
    EXPECT_EQ(memo->Text(), "ac");
    Press(*memo, Ctrl('Z'));
    EXPECT_EQ(memo->Text(), "a");
    Press(*memo, Ctrl('Z'));
    EXPECT_EQ(memo->Text(), "");
}

TEST(CodeEditorUndo, KeepsTheLatest32States) {
    auto memo = MakeMemo("");
    for (int i = 0; i < 40; ++i) {
        TypeText(*memo, U"line" + Utf8ToU32(IntToStr(i)));
        Press(*memo, K(VK_RETURN));
    }
    EXPECT_EQ(memo->UndoCount(), 32);
    for (int i = 0; i < 32; ++i) Press(*memo, Ctrl('Z'));
    // The oldest states are gone: the first lines typed stay.
    EXPECT_EQ(memo->LineText(0), "line0");
    EXPECT_EQ(memo->LineCount(), 9);
    const std::string text = memo->Text();
    Press(*memo, Ctrl('Z'));
    EXPECT_EQ(memo->Text(), text);
}

TEST(CodeEditorUndo, EnterIsUndoneInOneStep) {
    auto memo = MakeMemo("  abcd");
    memo->MoveCaret(5, 1);
    Press(*memo, K(VK_RETURN));
    EXPECT_EQ(memo->Text(), "  ab\r\n  cd");
    Press(*memo, Ctrl('Z'));
    EXPECT_EQ(memo->Text(), "  abcd");
    EXPECT_EQ(memo->GetCaretPos(), (TfrxCaretPos{5, 1}));
}

TEST(CodeEditorUndo, SurvivesTheTextBeingReadForSaving) {
    auto memo = MakeMemo("");
    TypeText(*memo, U"abc");
    memo->GetTrimmedLines();   // what every save and modification of the designer does
    memo->Undo();
    EXPECT_EQ(memo->Text(), "");
    EXPECT_EQ(memo->UndoCount(), 0);
}

TEST(CodeEditorUndo, OutsideReplacementEmptiesTheHistoryAndResetsTheCaret) {
    auto memo = MakeMemo("x");
    memo->MoveCaret(2, 1);
    TypeText(*memo, U"yz");
    TStringList other;
    other.SetText("one\ntwo");
    memo->SetLines(other);
    EXPECT_EQ(memo->UndoCount(), 0);
    EXPECT_EQ(memo->GetCaretPos(), (TfrxCaretPos{1, 1}));
    memo->Lines()->Clear();
    EXPECT_EQ(memo->LineCount(), 1);
}

TEST(CodeEditorBookmarks, SetRemoveJumpAndFollowTheirText) {
    auto memo = MakeMemo("a\nb\nc\nd");
    memo->MoveCaret(1, 3);
    Press(*memo, K('3', ssCtrl | ssShift));
    EXPECT_EQ(memo->Bookmark(3), 2);
    Press(*memo, K('4', ssCtrl | ssShift));   // the line has bookmark 3: nothing
    EXPECT_EQ(memo->Bookmark(4), -1);
    EXPECT_EQ(memo->Bookmark(3), 2);

    memo->MoveCaret(1, 1);
    Press(*memo, K('3', ssCtrl));
    EXPECT_EQ(memo->GetCaretPos(), (TfrxCaretPos{1, 3}));

    memo->MoveCaret(1, 2);
    Press(*memo, K(VK_RETURN));   // a new line above the mark
    EXPECT_EQ(memo->LineText(memo->Bookmark(3)), "c");

    memo->MoveCaret(1, memo->Bookmark(3) + 1);
    Press(*memo, K('3', ssCtrl | ssShift));
    EXPECT_EQ(memo->Bookmark(3), -1);
}

TEST(CodeEditorFind, FindsOccurrencesInTurnAndInOneLineTexts) {
    auto memo = MakeMemo("abc ABC\nabc");
    int pos = 0;
    ASSERT_TRUE(memo->FindText("abc", false, pos));
    EXPECT_EQ(memo->GetSelText(), "abc");
    EXPECT_EQ(memo->GetCaretPos(), (TfrxCaretPos{1, 1}));
    ASSERT_TRUE(memo->FindText("abc", false, pos));
    EXPECT_EQ(memo->GetCaretPos(), (TfrxCaretPos{5, 1}));
    ASSERT_TRUE(memo->FindText("abc", true, pos));
    EXPECT_EQ(memo->GetCaretPos(), (TfrxCaretPos{1, 2}));
    EXPECT_FALSE(memo->FindText("abc", true, pos));
    EXPECT_EQ(memo->GetCaretPos(), (TfrxCaretPos{1, 2}));

    auto one = MakeMemo("x := 1;");
    int p = 0;
    EXPECT_TRUE(one->FindText(":=", true, p));
    EXPECT_EQ(one->GetCaretPos(), (TfrxCaretPos{3, 1}));
}

TEST(CodeEditorMessage, StaysUntilTheCaretMovesOrAKeyDeletes) {
    const std::vector<TKeyStroke> clearing[] = {{K(VK_RIGHT)}, {K(VK_DELETE)}, {K(VK_BACK)}};
    for (const auto& keys : clearing) {
        auto memo = MakeMemo("abc");
        memo->MoveCaret(2, 1);
        memo->SetMessageText("错误");
        Press(*memo, Ch('x'));
        EXPECT_EQ(memo->MessageText(), "") << "typing moves the caret";
        memo->SetMessageText("错误");
        Press(*memo, keys);
        EXPECT_EQ(memo->MessageText(), "");
    }
}

TEST(CodeEditorTags, AnEditOfTheWholeTextDropsThemAndALineEditKeepsTheOthers) {
    auto memo = MakeMemo("a\nbc\nd");
    memo->SetExecutableLine(1, true);
    memo->SetExecutableLine(3, true);
    memo->MoveCaret(1, 2);
    Press(*memo, K(VK_DELETE));   // one line changes
    EXPECT_TRUE(memo->IsExecutableLine(1));
    EXPECT_TRUE(memo->IsExecutableLine(3));
    Press(*memo, Ch('z'));        // typing replaces the text
    EXPECT_FALSE(memo->IsExecutableLine(1));
    EXPECT_FALSE(memo->IsExecutableLine(3));
    memo->SetExecutableLine(9, true);   // no such line: nothing
    EXPECT_FALSE(memo->IsExecutableLine(9));
}

struct TPasteCase {
    const char* Name;
    std::string Pasted;
    std::string Text;
    TfrxCaretPos After;
};

class PasteTable : public ::testing::TestWithParam<TPasteCase> {};

TEST_P(PasteTable, LandsAtTheCaret) {
    const TPasteCase& c = GetParam();
    auto memo = MakeMemo("ab");
    memo->MoveCaret(2, 1);
    Clipboard()->SetAsText(c.Pasted);
    Press(*memo, Ctrl('V'));
    EXPECT_EQ(memo->Text(), c.Text);
    EXPECT_EQ(memo->GetCaretPos(), c.After);
}

const TPasteCase kPasteCases[] = {
    {"CrLf", "x\r\ny", "ax\r\nyb", {2, 2}},
    {"LineFeedsOnly", "x\n\ny", "ax\r\n\r\nyb", {2, 3}},
    {"Tabs", "\tx", "a\txb", {4, 1}},
    {"Chinese", "中文", "a中文b", {4, 1}},
};

INSTANTIATE_TEST_SUITE_P(CodeEditor, PasteTable, ::testing::ValuesIn(kPasteCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(CodeEditorInsert, TextThatIsNotUtf8OrHoldsNulIsTakenWhole) {
    auto memo = MakeMemo("ab");
    memo->MoveCaret(2, 1);
    memo->InsertText(std::string("x\0y\xFF", 4));
    EXPECT_EQ(memo->Text(), std::string("ax\0y\xEF\xBF\xBD", 7) + "b");
    EXPECT_EQ(memo->GetCaretPos(), (TfrxCaretPos{6, 1}));
    memo->Repaint();
}

TEST(CodeEditorClipboard, CutThenPasteGivesTheTextBack) {
    auto memo = MakeMemo("one\ntwo\nthree");
    memo->MoveCaret(2, 1);
    Press(*memo, {K(VK_DOWN, ssShift), K(VK_RIGHT, ssShift)});
    EXPECT_EQ(memo->GetSelText(), "ne\r\ntw");
    Press(*memo, K(VK_DELETE, ssShift));
    EXPECT_EQ(memo->Text(), "oo\r\nthree");
    EXPECT_EQ(Clipboard()->AsText(), "ne\r\ntw");
    Press(*memo, K(VK_INSERT, ssShift));
    EXPECT_EQ(memo->Text(), "one\r\ntwo\r\nthree");
    Press(*memo, K(VK_HOME, ssCtrl));
    Press(*memo, {K(VK_END, ssShift), K(VK_INSERT, ssCtrl)});
    EXPECT_EQ(Clipboard()->AsText(), "one");
}

TEST(CodeEditorInput, InputMethodTextReachesTheTextAsOneTypedRun) {
    TUiTestHarness harness;
    TForm form(nullptr);
    form.SetBounds(0, 0, 500, 300);
    auto* memo = new TfrxSyntaxMemo(&form);
    memo->SetParent(&form);
    memo->SetBounds(0, 0, 480, 280);
    form.Show();
    // A click at the start of the first line (the editor keeps a caret clicked past the
    // end of a line where it was clicked).
    TUiTestHarness::Click(memo, TPoint{memo->GutterWidth() + 1, 2});
    TUiTestHarness::CommitText(memo, "中文注释");
    EXPECT_EQ(memo->Text(), "中文注释");
    EXPECT_EQ(memo->GetCaretPos(), (TfrxCaretPos{5, 1}));
    EXPECT_EQ(memo->UndoCount(), 1);
    // The caret stands after two wide characters per cell pair.
    EXPECT_EQ(memo->CaretRect().Left, memo->GutterWidth() + 8 * memo->CharWidth());
    TUiTestHarness::TypeKey(memo, 'Z', ssCtrl);
    EXPECT_EQ(memo->Text(), "");
}

TEST(CodeEditorCaret, BlinksWhileFocusedThroughItsTimer) {
    TUiTestHarness harness;
    TForm form(nullptr);
    form.SetBounds(0, 0, 500, 300);
    auto* memo = new TfrxSyntaxMemo(&form);
    memo->SetParent(&form);
    memo->SetBounds(0, 0, 480, 280);
    auto* other = new TEdit(&form);
    other->SetParent(&form);
    other->SetBounds(0, 285, 100, 20);
    form.Show();
    memo->SetFocus();
    TUiTestHarness::ProcessMessages();
    ASSERT_TRUE(memo->CaretVisible());
    const TRect r = memo->CaretRect();
    const int32_t on = TUiTestHarness::PixelAt(memo, {r.Left, r.Top + 2});
    TUiTestHarness::ElapseTime(memo->CaretTimer()->Interval());
    EXPECT_FALSE(memo->CaretVisible());
    EXPECT_NE(TUiTestHarness::PixelAt(memo, {r.Left, r.Top + 2}), on);
    TUiTestHarness::ElapseTime(memo->CaretTimer()->Interval());
    EXPECT_TRUE(memo->CaretVisible());
    // A key shows the caret at once, whatever the phase.
    TUiTestHarness::ElapseTime(memo->CaretTimer()->Interval());
    TUiTestHarness::TypeKey(memo, VK_RIGHT);
    EXPECT_TRUE(memo->CaretVisible());
    other->SetFocus();
    TUiTestHarness::ProcessMessages();
    EXPECT_FALSE(memo->CaretVisible());
    EXPECT_FALSE(memo->CaretTimer()->Enabled());
}

TEST(CodeEditorMouse, ClickPlacesDragSelectsDoubleClickTakesTheWord) {
    auto memo = MakeMemo("alpha beta\ngamma");
    const int cw = memo->CharWidth(), ch = memo->CharHeight(), g = memo->GutterWidth();
    memo->MouseDown(mbLeft, ssLeft, g + 2 * cw + 1, ch + 2);
    memo->MouseUp(mbLeft, 0, g + 2 * cw + 1, ch + 2);
    EXPECT_EQ(memo->GetCaretPos(), (TfrxCaretPos{3, 2}));
    memo->MouseDown(mbLeft, ssLeft, g + 1, 1);
    memo->MouseMove(ssLeft, g + 3 * cw + 1, 1);
    memo->MouseUp(mbLeft, 0, g + 3 * cw + 1, 1);
    EXPECT_EQ(memo->GetSelText(), "alp");
    // A double click on the first letter of a word selects that word.
    memo->MouseDown(mbLeft, ssLeft, g + 6 * cw + 1, 1);
    memo->MouseUp(mbLeft, 0, g + 6 * cw + 1, 1);
    memo->DblClick();
    memo->MouseDown(mbLeft, ssLeft | ssDouble, g + 6 * cw + 1, 1);
    memo->MouseUp(mbLeft, 0, g + 6 * cw + 1, 1);
    EXPECT_EQ(memo->GetSelText(), "beta");
}

TEST(CodeEditorLongLines, TheCaretReachesEveryCharacterOfAVeryLongLine) {
    auto memo = MakeMemo(std::string(100000, 'x') + "y");
    Press(*memo, K(VK_END));
    EXPECT_EQ(memo->GetCaretPos().X, 100002);
    Press(*memo, K(VK_BACK));
    EXPECT_EQ(memo->LineText(0), std::string(100000, 'x'));
    EXPECT_GE(memo->OffsetX(), 100001 - memo->VisibleColumns());
    memo->Repaint();
}

}  // namespace
