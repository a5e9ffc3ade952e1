// The code editor's text model and input: lines, caret, selection, editing keys, mouse,
// clipboard, undo, bookmarks and find.
#include "designer/code/SyntaxMemo.h"

#include "platform/rtl/StrUtils.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/ExtCtrls.h"
#include "script/Parser.h"

#include <algorithm>

ROVE_IMPLEMENT_CLASS(TfrxSyntaxMemo)

namespace {

constexpr size_t kUndoLimit = 32;
constexpr TShiftState kKeyShift = ssShift | ssAlt | ssCtrl;

bool IsWordCodePoint(char32_t c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsBlank(char32_t c) { return c == ' '; }

// Characters East Asian scripts write wide (two cells of the grid).
bool IsWideCodePoint(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) || (c >= 0x3041 && c <= 0x33FF) ||
           (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
           (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

std::u32string TrimRight32(const std::u32string& s) {
    size_t n = s.size();
    while (n > 0 && s[n - 1] <= ' ') --n;
    return s.substr(0, n);
}

// Text into lines at CR LF, CR or LF; bytes that are not UTF-8 become U+FFFD.
std::vector<std::u32string> SplitText(std::string_view text) {
    std::vector<std::u32string> lines(1);
    size_t pos = 0;
    while (pos < text.size()) {
        const char32_t c = NextCodePoint(text, pos);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
            lines.emplace_back();
            continue;
        }
        lines.back() += c;
    }
    return lines;
}

}  // namespace

// =========================================================================================
// The line list seen from outside
// =========================================================================================

int TfrxSyntaxMemoLines::Count() const { return FMemo.LineCount(); }

std::string TfrxSyntaxMemoLines::Get(int index) const {
    CheckIndex(index);
    return FMemo.LineText(index);
}

void TfrxSyntaxMemoLines::Put(int index, const std::string& s) {
    CheckIndex(index);
    FMemo.FLines[size_t(index)] = TfrxSyntaxMemo::MakeLine(Utf8ToU32(s));
    Changed();
}

void TfrxSyntaxMemoLines::Insert(int index, const std::string& s) {
    if (index < 0 || index > Count()) CheckIndex(index);
    FMemo.FLines.insert(FMemo.FLines.begin() + index, TfrxSyntaxMemo::MakeLine(Utf8ToU32(s)));
    Changed();
}

void TfrxSyntaxMemoLines::Delete(int index) {
    CheckIndex(index);
    FMemo.FLines.erase(FMemo.FLines.begin() + index);
    Changed();
}

void TfrxSyntaxMemoLines::Clear() {
    FMemo.FLines.clear();
    Changed();
}

void TfrxSyntaxMemoLines::SetUpdateState(bool updating) {
    if (updating) {
        FChangedInUpdate = false;
    } else if (FChangedInUpdate) {
        FChangedInUpdate = false;
        FMemo.LinesChanged();
    }
}

void TfrxSyntaxMemoLines::Changed() {
    if (UpdateCount() > 0) FChangedInUpdate = true;
    else FMemo.LinesChanged();
}

// =========================================================================================
// Construction and the text
// =========================================================================================

TfrxSyntaxMemo::TfrxSyntaxMemo(TComponent* AOwner)
    : TfrxScrollWin(AOwner), FParser(std::make_unique<TfsParser>()) {
    FParser->SetSkipSpace(false);
    FLines.push_back(MakeLine({}));
    SetColor(clWindow);
    SetCursor(crIBeam);
    SetTabStop(true);
    FCaretTimer = new TTimer(this);
    FCaretTimer->SetEnabled(false);
    FCaretTimer->SetInterval(500);
    FCaretTimer->OnTimer = [this](TObject*) {
        FCaretOn = !FCaretOn;
        Invalidate();
    };
    Font()->SetName("Courier New");
    Font()->SetSize(10);
    UpdateFontMetrics();
    RestyleAll();
    MoveCaret(1, 1);
}

TfrxSyntaxMemo::~TfrxSyntaxMemo() = default;

TfrxSyntaxMemo::TLine TfrxSyntaxMemo::MakeLine(std::u32string Text) {
    TLine line;
    line.Wide = std::any_of(Text.begin(), Text.end(), IsWideCodePoint);
    line.Text = std::move(Text);
    return line;
}

std::string TfrxSyntaxMemo::LineText(int Index) const {
    if (Index < 0 || Index >= LineCount()) return {};
    return U32ToUtf8(FLines[size_t(Index)].Text);
}

std::string TfrxSyntaxMemo::Text() const {
    std::u32string all;
    for (size_t i = 0; i < FLines.size(); ++i) {
        if (i > 0) all += U"\r\n";
        all += FLines[i].Text;
    }
    return U32ToUtf8(all);
}

std::vector<std::string> TfrxSyntaxMemo::GetTrimmedLines() {
    std::vector<std::string> result;
    result.reserve(FLines.size());
    for (TLine& line : FLines) {
        line.Text = TrimRight32(line.Text);
        if (line.Attr.size() > line.Text.size()) line.Attr.resize(line.Text.size());
        result.push_back(U32ToUtf8(line.Text));
    }
    FResetOnChange = true;
    return result;
}

void TfrxSyntaxMemo::SetLines(const TStrings& Strings) {
    FResetOnChange = true;
    FLinesAdapter.Assign(Strings);
}

void TfrxSyntaxMemo::SetLines(const std::vector<std::string>& Strings) {
    FResetOnChange = true;
    SetLinesFrom(Strings);
    LinesChanged();
}

void TfrxSyntaxMemo::SetLinesFrom(const std::vector<std::string>& Strings) {
    FLines.clear();
    FLines.reserve(Strings.size());
    for (const std::string& s : Strings) {
        // A line of the list that holds a line break is more than one line of the editor.
        for (std::u32string& part : SplitText(s)) FLines.push_back(MakeLine(std::move(part)));
    }
}

// An outside change of the lines: after GetTrimmedLines or SetLines it starts the editor
// afresh; any other change keeps the caret where the text still has it.
void TfrxSyntaxMemo::LinesChanged() {
    const bool reset = FResetOnChange;
    if (FLines.empty()) FLines.push_back(MakeLine({}));
    for (const TLine& line : FLines) NoteLength(static_cast<int>(line.Text.size()));
    RestyleAll();
    if (reset) {
        FUndoPending = true;
        FUndoText.clear();
        FUndoList.clear();
        FCaretX = FCaretY = 1;
        FOffsetX = FOffsetY = 0;
        FSelAnchor = FSelEnd = {0, 0};
    } else {
        FCaretY = std::min(FCaretY, LineCount());
        FOffsetY = std::min(FOffsetY, LineCount() - 1);
        if (FSelAnchor.Y > LineCount() || FSelEnd.Y > LineCount()) FSelAnchor = FSelEnd = {0, 0};
    }
    UpdateView();
    Invalidate();
}

// Replaces lines First .. Last (0-based) by NewLines; the lines keep no executable tags.
void TfrxSyntaxMemo::ReplaceLines(int First, int Last, std::vector<std::u32string> NewLines) {
    const uint8_t entry = FLines[size_t(First)].EntryState;
    std::vector<TLine> made;
    made.reserve(NewLines.size());
    for (std::u32string& s : NewLines) {
        NoteLength(static_cast<int>(s.size()));
        made.push_back(MakeLine(std::move(s)));
    }
    const int count = static_cast<int>(made.size());
    FLines.erase(FLines.begin() + First, FLines.begin() + Last + 1);
    FLines.insert(FLines.begin() + First, std::make_move_iterator(made.begin()), std::make_move_iterator(made.end()));
    FLines[size_t(First)].EntryState = entry;
    Restyle(First, First + count - 1);
}

void TfrxSyntaxMemo::NoteLength(int Length) {
    if (Length + 1 > FMaxLength) {
        FMaxLength = Length + 1;
        UpdateScrollBars();
    }
}

// =========================================================================================
// Positions
// =========================================================================================

int TfrxSyntaxMemo::CaretToTextPos(int Column, int Line) const {
    int pos = 0;
    for (int i = 0; i < Line - 1 && i < LineCount(); ++i) pos += static_cast<int>(FLines[size_t(i)].Text.size()) + 2;
    return pos + Column;
}

TfrxCaretPos TfrxSyntaxMemo::TextPosToCaret(int Position) const {
    int line = 1;
    int start = 1;   // text position of the line's first character
    for (size_t i = 0; i + 1 < FLines.size(); ++i) {
        const int next = start + static_cast<int>(FLines[i].Text.size()) + 2;
        if (Position < next) break;
        start = next;
        ++line;
    }
    return {Position - start + 1, line};
}

std::u32string TfrxSyntaxMemo::TrimmedLine(int Line) const {
    if (Line < 1 || Line > LineCount()) return {};
    return TrimRight32(FLines[size_t(Line - 1)].Text);
}

int TfrxSyntaxMemo::TrimmedLength(int Line) const { return static_cast<int>(TrimmedLine(Line).size()); }

int TfrxSyntaxMemo::LineIndent(int Line) const {
    const std::u32string s = TrimmedLine(Line);
    for (size_t i = 0; i < s.size(); ++i)
        if (!IsBlank(s[i])) return static_cast<int>(i) + 1;
    return 1;
}

int TfrxSyntaxMemo::CellsBetween(int Line, int From, int To) const {
    if (To <= From) return 0;
    int cells = To - From;
    if (Line < 1 || Line > LineCount()) return cells;
    const TLine& l = FLines[size_t(Line - 1)];
    if (!l.Wide) return cells;
    const int end = std::min(To - 1, static_cast<int>(l.Text.size()));
    for (int c = std::max(From, 1); c <= end; ++c)
        if (IsWideCodePoint(l.Text[size_t(c - 1)])) ++cells;
    return cells;
}

TfrxCaretPos TfrxSyntaxMemo::PointToCaret(int X, int Y) const {
    const int line = (FCharHeight > 0 ? Y / FCharHeight : 0) + 1 + FOffsetY;
    const int target = FCharWidth > 0 ? std::max(0, (X - GutterWidth()) / FCharWidth) : 0;
    int column = FOffsetX + 1;
    if (line >= 1 && line <= LineCount() && FLines[size_t(line - 1)].Wide) {
        const std::u32string& s = FLines[size_t(line - 1)].Text;
        int cells = 0;
        for (;;) {
            const int w = column <= static_cast<int>(s.size()) && IsWideCodePoint(s[size_t(column - 1)]) ? 2 : 1;
            if (cells + w > target) break;
            cells += w;
            ++column;
        }
        return {column, line};
    }
    return {column + target, line};
}

bool TfrxSyntaxMemo::IsWordChar(int Column, int Line) const {
    if (Line < 1 || Line > LineCount()) return false;
    const std::u32string& s = FLines[size_t(Line - 1)].Text;
    return Column >= 1 && Column <= static_cast<int>(s.size()) && IsWordCodePoint(s[size_t(Column - 1)]);
}

// =========================================================================================
// Caret and selection
// =========================================================================================

void TfrxSyntaxMemo::MoveCaret(int Column, int Line) {
    if (!FMessageText.empty()) {
        FMessageText.clear();
        Invalidate();
    }
    FCaretX = std::max(1, std::min(Column, FMaxLength));
    FCaretY = std::max(1, std::min(Line, LineCount()));
    FCaretOn = true;
    if (FCaretShown) {
        FCaretTimer->SetEnabled(false);
        FCaretTimer->SetEnabled(true);
    }
    // The first line shown is a line of the text, also in an editor too small to show one.
    const int oldX = FOffsetX, oldY = FOffsetY;
    FOffsetY = std::clamp(FOffsetY, 0, LineCount() - 1);
    if (FVisibleColumns == 0 || FVisibleLines == 0) {
        if (FOffsetY != oldY) Invalidate();
        UpdateView();
        return;
    }
    if (FOffsetX + FVisibleColumns < FCaretX) FOffsetX = FCaretX - FVisibleColumns;
    else if (FOffsetX >= FCaretX) FOffsetX = FCaretX - 1;
    // Wide characters take more cells than columns: the caret's cell must be in view too.
    if (FLines[size_t(FCaretY - 1)].Wide) {
        const std::u32string& s = FLines[size_t(FCaretY - 1)].Text;
        int first = FCaretX, cells = 0;   // the leftmost column that keeps the caret in view
        while (first > 1) {
            const int c = first - 1;
            const int w = c <= static_cast<int>(s.size()) && IsWideCodePoint(s[size_t(c - 1)]) ? 2 : 1;
            if (cells + w > FVisibleColumns) break;
            cells += w;
            first = c;
        }
        FOffsetX = std::max(FOffsetX, first - 1);
    }
    if (FOffsetY + FVisibleLines < FCaretY) FOffsetY = FCaretY - FVisibleLines;
    else if (FOffsetY >= FCaretY) FOffsetY = FCaretY - 1;
    if (FOffsetX != oldX || FOffsetY != oldY) Invalidate();
    UpdateView();
}

TfrxCaretPos TfrxSyntaxMemo::HeldToText(TfrxCaretPos Pos) const {
    return {std::clamp(Pos.X, 1, FMaxLength), std::clamp(Pos.Y, 1, LineCount())};
}

// A page is the lines shown less one, and one line at the least (an editor lower than two
// lines still moves).
int TfrxSyntaxMemo::PageStep() const { return std::max(1, FVisibleLines - 1); }

void TfrxSyntaxMemo::SetSelection(TfrxCaretPos Anchor, TfrxCaretPos End) {
    // An anchor column of 0 is no selection; other positions are held to the text.
    FSelAnchor = Anchor.X == 0 ? Anchor : HeldToText(Anchor);
    FSelEnd = HeldToText(End);
    Invalidate();
}

void TfrxSyntaxMemo::ClearSelection() {
    FSelAnchor.X = 0;
    Invalidate();
}

void TfrxSyntaxMemo::ExtendSelection(TfrxCaretPos Old) {
    if (!HasSelection()) FSelAnchor = Old;
    FSelEnd = {FCaretX, FCaretY};
    Invalidate();
}

static bool Before(TfrxCaretPos a, TfrxCaretPos b) { return a.Y < b.Y || (a.Y == b.Y && a.X < b.X); }

void TfrxSyntaxMemo::SelectionRange(TfrxCaretPos& First, TfrxCaretPos& Last) const {
    First = FSelAnchor;
    Last = FSelEnd;
    if (Before(Last, First)) std::swap(First, Last);
}

bool TfrxSyntaxMemo::IsSelected(int Column, int Line) const {
    if (!HasSelection()) return false;
    TfrxCaretPos first, last;
    SelectionRange(first, last);
    const TfrxCaretPos p{Column, Line};
    return !Before(p, first) && Before(p, last);
}

void TfrxSyntaxMemo::SelectAll() {
    MoveCaret(1, 1);
    FSelAnchor = {1, 1};
    MoveCaret(TrimmedLength(LineCount()) + 1, LineCount());
    FSelEnd = {FCaretX, FCaretY};
    Invalidate();
}

std::string TfrxSyntaxMemo::GetSelText() const {
    if (!HasSelection()) return {};
    TfrxCaretPos first, last;
    SelectionRange(first, last);
    last.X -= 1;
    if (TrimmedLength(first.Y) < first.X) first = {1, first.Y + 1};
    last.X = std::min(last.X, TrimmedLength(last.Y));
    if (first.Y > last.Y) return {};
    std::u32string out;
    for (int y = first.Y; y <= last.Y && y <= LineCount(); ++y) {
        const std::u32string& s = FLines[size_t(y - 1)].Text;
        const int from = y == first.Y ? first.X : 1;
        if (y < last.Y) {
            if (from <= static_cast<int>(s.size())) out += s.substr(size_t(from - 1));
            out += U"\r\n";
        } else if (last.X >= from) {
            out += s.substr(size_t(from - 1), size_t(last.X - from + 1));
        }
    }
    return U32ToUtf8(out);
}

// =========================================================================================
// Editing
// =========================================================================================

void TfrxSyntaxMemo::SaveUndo() {
    if (!FUndoPending) return;
    size_t size = 0;
    for (const TLine& line : FLines) size += line.Text.size() + 2;
    std::u32string all;
    all.reserve(size);
    for (size_t i = 0; i < FLines.size(); ++i) {
        if (i > 0) all += U"\r\n";
        all += FLines[i].Text;
    }
    FUndoText.push_back(std::move(all));
    FUndoList.push_back({FCaretX, FCaretY});
    if (FUndoList.size() > kUndoLimit) {
        FUndoText.erase(FUndoText.begin());
        FUndoList.erase(FUndoList.begin());
    }
    FUndoPending = false;
}

void TfrxSyntaxMemo::Changed() {
    FModified = true;
    OnTextChange(this);
}

void TfrxSyntaxMemo::ShiftBookmarks(int From, int Delta) {
    if (Delta == 0) return;
    for (int& b : FBookmarks)
        if (b >= From) b = std::max(0, b + Delta);
}

void TfrxSyntaxMemo::InsertText(const std::string& Text) {
    SaveUndo();
    std::vector<std::u32string> parts = SplitText(Text);
    TfrxCaretPos first{FCaretX, FCaretY}, last = first;
    if (HasSelection()) {
        SelectionRange(first, last);
        first = HeldToText(first);
        last = HeldToText(last);
    }
    last.X -= 1;

    TLine& firstLine = FLines[size_t(first.Y - 1)];
    const int trimmed = TrimmedLength(first.Y);
    if (trimmed < first.X) {
        // Blanks up to the column, so that the text lands there.
        firstLine.Text = TrimRight32(firstLine.Text) + std::u32string(size_t(first.X - 1 - trimmed), U' ');
        if (firstLine.Attr.size() > firstLine.Text.size()) firstLine.Attr.resize(firstLine.Text.size());
    }
    last.X = std::min(last.X, TrimmedLength(last.Y));

    const std::u32string& head = FLines[size_t(first.Y - 1)].Text;
    std::u32string prefix = head.substr(0, size_t(first.X - 1));
    std::u32string suffix;
    int lastLine = first.Y;
    if (Before(last, first)) {
        suffix = head.substr(size_t(first.X - 1));
    } else {
        const std::u32string& tail = FLines[size_t(last.Y - 1)].Text;
        suffix = size_t(last.X) < tail.size() ? tail.substr(size_t(last.X)) : std::u32string();
        lastLine = last.Y;
    }

    const int oldCount = LineCount();
    const int added = static_cast<int>(parts.size());
    TfrxCaretPos caret = added == 1 ? TfrxCaretPos{first.X + static_cast<int>(parts[0].size()), first.Y}
                                    : TfrxCaretPos{static_cast<int>(parts.back().size()) + 1, first.Y + added - 1};
    parts.front() = prefix + parts.front();
    parts.back() += suffix;
    ReplaceLines(first.Y - 1, lastLine - 1, std::move(parts));
    // The text was replaced: no line keeps its executable tag.
    for (TLine& line : FLines) line.Executable = false;
    ShiftBookmarks(lastLine, LineCount() - oldCount);
    FSelAnchor.X = 0;
    MoveCaret(caret.X, caret.Y);
    Changed();
    Invalidate();
}

// New line: the caret line splits at the caret, the new line takes the indent.
void TfrxSyntaxMemo::NewLine() {
    SaveUndo();
    const std::u32string s = TrimmedLine(FCaretY);
    const size_t at = std::min(size_t(FCaretX - 1), s.size());
    const std::u32string head = s.substr(0, at), rest = s.substr(at);
    int indent = FCaretX;
    for (size_t i = 0; i < head.size(); ++i)
        if (!IsBlank(head[i])) {
            indent = static_cast<int>(i) + 1;
            break;
        }
    const int y = FCaretY;
    const bool keepTag = FLines[size_t(y - 1)].Executable;
    ReplaceLines(y - 1, y - 1, {head, rest});
    FLines[size_t(y - 1)].Executable = keepTag;
    ShiftBookmarks(FCaretX == 1 ? y - 1 : y, 1);
    MoveCaret(1, y + 1);
    InsertText(std::string(size_t(indent - 1), ' '));
}

void TfrxSyntaxMemo::DeleteChar() {
    if (!FMessageText.empty()) {
        FMessageText.clear();
        Invalidate();
    }
    if (HasSelection()) {
        InsertText({});
        return;
    }
    SaveUndo();
    const int y = FCaretY;
    if (FCaretX > TrimmedLength(y)) {
        if (y >= LineCount()) return;
        std::u32string joined = TrimmedLine(y);
        joined.resize(size_t(FCaretX - 1), U' ');
        joined += TrimRight32(FLines[size_t(y)].Text);
        const bool keepTag = FLines[size_t(y - 1)].Executable;
        ReplaceLines(y - 1, y, {joined});
        FLines[size_t(y - 1)].Executable = keepTag;
        ShiftBookmarks(y, -1);
    } else {
        TLine& line = FLines[size_t(y - 1)];
        line.Text.erase(size_t(FCaretX - 1), 1);
        line.Wide = std::any_of(line.Text.begin(), line.Text.end(), IsWideCodePoint);
        Restyle(y - 1, y - 1);
    }
    UpdateScrollBars();
    Changed();
    Invalidate();
}

void TfrxSyntaxMemo::BackspaceChar() {
    if (!FMessageText.empty()) {
        FMessageText.clear();
        Invalidate();
    }
    if (HasSelection()) {
        InsertText({});
        return;
    }
    const int y = FCaretY;
    if (FCaretX == 1) {
        if (y == 1) return;
        SaveUndo();
        ShiftBookmarks(y, -1);
        const std::u32string above = TrimmedLine(y - 1);
        const bool keepTag = FLines[size_t(y - 2)].Executable;
        ReplaceLines(y - 2, y - 1, {above + FLines[size_t(y - 1)].Text});
        FLines[size_t(y - 2)].Executable = keepTag;
        MoveCaret(static_cast<int>(above.size()) + 1, y - 1);
    } else {
        const std::u32string trimmed = TrimmedLine(y);
        if (trimmed.empty() || FCaretX == LineIndent(y)) {
            RemoveIndent();
            return;
        }
        SaveUndo();
        TLine& line = FLines[size_t(y - 1)];
        if (FCaretX - 1 <= static_cast<int>(line.Text.size())) {
            line.Text.erase(size_t(FCaretX - 2), 1);
            line.Wide = std::any_of(line.Text.begin(), line.Text.end(), IsWideCodePoint);
            Restyle(y - 1, y - 1);
        }
        MoveCaret(FCaretX - 1, y);
    }
    Changed();
    Invalidate();
}

// Back to the indent of the nearest line above that is indented less than the caret.
void TfrxSyntaxMemo::RemoveIndent() {
    int target = FCaretX - 1;
    for (int y = FCaretY - 1; y >= 1; --y) {
        if (TrimmedLength(y) == 0) continue;
        const int indent = LineIndent(y);
        if (indent < FCaretX) {
            target = indent;
            break;
        }
    }
    FSelAnchor = {target, FCaretY};
    FSelEnd = {FCaretX, FCaretY};
    InsertText({});
}

// Tab: blanks up to the next word start of the nearest longer line above.
void TfrxSyntaxMemo::SmartTab() {
    int moved = 0;
    for (int y = FCaretY - 1; y >= 1; --y) {
        const std::u32string s = TrimmedLine(y);
        const int len = static_cast<int>(s.size());
        if (len < FCaretX) continue;
        int c = FCaretX;
        if (IsBlank(s[size_t(c - 1)])) {
            while (c <= len && IsBlank(s[size_t(c - 1)])) ++c;
        } else {
            while (c <= len && !IsBlank(s[size_t(c - 1)])) ++c;
            while (c <= len && IsBlank(s[size_t(c - 1)])) ++c;
        }
        moved = c - FCaretX;
        break;
    }
    InsertText(std::string(size_t(moved), ' '));
}

void TfrxSyntaxMemo::BlockIndent(bool Indent) {
    if (!HasSelection()) return;
    SaveUndo();
    int from = std::min(FSelAnchor.Y, FSelEnd.Y), to = std::max(FSelAnchor.Y, FSelEnd.Y);
    if (FSelEnd.X == 1) --to;
    int remove = 2;
    if (!Indent)
        for (int y = from; y <= to; ++y)
            if (TrimmedLength(y) > 0) remove = std::min(remove, LineIndent(y) - 1);
    for (int y = from; y <= to; ++y) {
        TLine& line = FLines[size_t(y - 1)];
        if (Indent) {
            line.Text.insert(0, U"  ");
        } else if (TrimmedLength(y) > 0) {
            line.Text.erase(0, size_t(remove));
        }
        NoteLength(static_cast<int>(line.Text.size()));
    }
    if (from <= to) Restyle(from - 1, to - 1);
    Changed();
    Invalidate();
}

void TfrxSyntaxMemo::DeleteLine() {
    FUndoPending = true;
    SaveUndo();
    const int y = FCaretY;
    if (y < LineCount()) {
        const uint8_t entry = FLines[size_t(y - 1)].EntryState;
        FLines.erase(FLines.begin() + (y - 1));
        FLines[size_t(y - 1)].EntryState = entry;
        ShiftBookmarks(y, -1);
        Restyle(y - 1, y - 1);
    } else {
        ReplaceLines(y - 1, y - 1, {std::u32string()});
        MoveCaret(1, y);
    }
    // A selection that reached past the deleted line no longer has its end in the text.
    if (FSelAnchor.Y > LineCount() || FSelEnd.Y > LineCount()) FSelAnchor = FSelEnd = {0, 0};
    UpdateScrollBars();
    Changed();
    Invalidate();
}

void TfrxSyntaxMemo::WordLeft() {
    const std::u32string& s = FLines[size_t(FCaretY - 1)].Text;
    int i = std::min(FCaretX, TrimmedLength(FCaretY) + 1) - 1;   // characters before the caret
    while (i > 0 && !IsWordCodePoint(s[size_t(i - 1)])) --i;
    if (i == 0) {
        // A line break came first: the end of the line above.
        if (FCaretY > 1) MoveCaret(TrimmedLength(FCaretY - 1) + 1, FCaretY - 1);
        else MoveCaret(1, 1);
        return;
    }
    while (i > 0 && IsWordCodePoint(s[size_t(i - 1)])) --i;
    MoveCaret(i + 1, FCaretY);
}

void TfrxSyntaxMemo::WordRight() {
    int y = FCaretY, x = FCaretX;
    if (x > TrimmedLength(y)) {
        if (y >= LineCount()) return;
        ++y;
        x = 1;
    }
    const std::u32string& s = FLines[size_t(y - 1)].Text;
    int i = x - 1;
    const int n = static_cast<int>(s.size());
    while (i < n && IsWordCodePoint(s[size_t(i)])) ++i;
    while (i < n && !IsWordCodePoint(s[size_t(i)])) ++i;
    MoveCaret(i + 1, y);
}

void TfrxSyntaxMemo::CopyToClipboard() {
    if (HasSelection()) Clipboard()->SetAsText(GetSelText());
}

void TfrxSyntaxMemo::CutToClipboard() {
    if (!HasSelection()) return;
    CopyToClipboard();
    InsertText({});
    Invalidate();
}

void TfrxSyntaxMemo::PasteFromClipboard() { InsertText(Clipboard()->AsText()); }

bool TfrxSyntaxMemo::PasteText() {
    PasteFromClipboard();
    return true;
}

void TfrxSyntaxMemo::Undo() {
    FUndoPending = true;
    // The editor's own replacement: the history stays (only the entry restored goes).
    FResetOnChange = false;
    if (FUndoList.empty()) return;
    const TfrxCaretPos caret = FUndoList.back();
    const std::u32string text = std::move(FUndoText.back());
    FUndoList.pop_back();
    FUndoText.pop_back();
    FLines.clear();
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(U"\r\n", start);
        FLines.push_back(MakeLine(text.substr(start, end == std::u32string::npos ? std::u32string::npos : end - start)));
        if (end == std::u32string::npos) break;
        start = end + 2;
    }
    RestyleAll();
    FSelAnchor.X = 0;
    MoveCaret(caret.X, caret.Y);
    UpdateScrollBars();
    Changed();
    Invalidate();
}

bool TfrxSyntaxMemo::FindText(const std::string& Text, bool MatchCase, int& Position) {
    if (Text.empty()) return false;
    const int from = std::max(Position, 1);
    std::u32string all = Utf8ToU32(this->Text());
    std::u32string needle = Utf8ToU32(Text);
    if (!MatchCase) {
        all = Utf8ToU32(AnsiUpperCase(U32ToUtf8(all)));
        needle = Utf8ToU32(AnsiUpperCase(Text));
    }
    if (size_t(from - 1) > all.size()) return false;
    const size_t at = all.find(needle, size_t(from - 1));
    if (at == std::u32string::npos) return false;
    Position = static_cast<int>(at) + 2;   // past the match's first character: the next search goes on
    const TfrxCaretPos anchor = TextPosToCaret(static_cast<int>(at) + 1);
    MoveCaret(anchor.X, anchor.Y);
    FSelAnchor = anchor;
    FSelEnd = {anchor.X + static_cast<int>(needle.size()), anchor.Y};
    Invalidate();
    return true;
}

// =========================================================================================
// Bookmarks, marks, message
// =========================================================================================

void TfrxSyntaxMemo::SetActiveLine(int Line) {
    FActiveLine = Line;
    Invalidate();
}

void TfrxSyntaxMemo::SetRunToLine(int Line) {
    FRunToLine = Line;
    Invalidate();
}

void TfrxSyntaxMemo::SetExecutableLine(int Line, bool On) {
    if (Line < 1 || Line > LineCount()) return;
    FLines[size_t(Line - 1)].Executable = On;
    Invalidate();
}

bool TfrxSyntaxMemo::IsExecutableLine(int Line) const {
    return Line >= 1 && Line <= LineCount() && FLines[size_t(Line - 1)].Executable;
}

void TfrxSyntaxMemo::SetMessageText(const std::string& Text) {
    FMessageText = Text;
    Invalidate();
}

void TfrxSyntaxMemo::SetShowGutter(bool Value) {
    FShowGutter = Value;
    BoundsChanged(true);
    Invalidate();
}

// =========================================================================================
// Keys and mouse
// =========================================================================================

void TfrxSyntaxMemo::KeyDown(uint16_t& Key, TShiftState Shift) {
    TfrxScrollWin::KeyDown(Key, Shift);
    if (Key == 0) return;
    FResetOnChange = false;
    const TfrxCaretPos old{FCaretX, FCaretY};
    const TShiftState keys = Shift & kKeyShift;
    const bool ctrl = keys & ssCtrl, shift = keys & ssShift;
    bool consumed = true;
    switch (Key) {
    case VK_BACK: BackspaceChar(); break;
    case VK_TAB: SmartTab(); break;
    case VK_RETURN:
        if (keys == 0) NewLine();
        else consumed = false;
        break;
    case VK_PRIOR:
        if (FOffsetY > FVisibleLines) {
            FOffsetY -= PageStep();
            FCaretY -= PageStep();
        } else if (FOffsetY > 0) {
            FCaretY -= FOffsetY;
            FOffsetY = 0;
        } else {
            FCaretY = 1;
        }
        MoveCaret(FCaretX, FCaretY);
        Invalidate();
        break;
    case VK_NEXT:
        if (LineCount() > FOffsetY + FVisibleLines) {
            FOffsetY += PageStep();
            FCaretY += PageStep();
        } else {
            FOffsetY = FCaretY = LineCount();
        }
        MoveCaret(FCaretX, FCaretY);
        Invalidate();
        break;
    case VK_HOME:
        if (ctrl) MoveCaret(1, 1);
        else MoveCaret(1, FCaretY);
        break;
    case VK_END:
        if (ctrl) MoveCaret(TrimmedLength(LineCount()) + 1, LineCount());
        else MoveCaret(TrimmedLength(FCaretY) + 1, FCaretY);
        break;
    case VK_LEFT:
        if (ctrl) WordLeft();
        else MoveCaret(std::max(1, FCaretX - 1), FCaretY);
        break;
    case VK_RIGHT:
        if (ctrl) WordRight();
        else MoveCaret(std::min(FCaretX + 1, FMaxLength), FCaretY);
        break;
    case VK_UP: MoveCaret(FCaretX, std::max(1, FCaretY - 1)); break;
    case VK_DOWN: MoveCaret(FCaretX, std::min(FCaretY + 1, LineCount())); break;
    case VK_INSERT:
        if (ctrl) CopyToClipboard();
        else if (shift) PasteFromClipboard();
        else consumed = false;
        break;
    case VK_DELETE:
        if (shift) CutToClipboard();
        else DeleteChar();
        break;
    default: consumed = false; break;
    }

    if (keys == ssCtrl) {
        if (Key == 'A') {
            SelectAll();
            consumed = true;
        } else if (Key == 'Y') {
            DeleteLine();
            consumed = true;
        } else if (Key >= '0' && Key <= '9') {
            const int b = FBookmarks[size_t(Key - '0')];
            if (b >= 0) MoveCaret(1, b + 1);
            consumed = true;
        }
    } else if (keys == (ssCtrl | ssShift) && Key >= '0' && Key <= '9') {
        const int n = Key - '0';
        const int line = FCaretY - 1;
        int onLine = -1;
        for (int i = 0; i < 10 && onLine < 0; ++i)
            if (FBookmarks[size_t(i)] == line) onLine = i;
        if (onLine < 0) FBookmarks[size_t(n)] = line;
        else if (onLine == n) FBookmarks[size_t(n)] = -1;
        Invalidate();
        consumed = true;
    }

    if (Key >= VK_PRIOR && Key <= VK_DOWN) {
        FUndoPending = true;
        if (shift) ExtendSelection(old);
        else ClearSelection();
    } else if (Key == VK_BACK || Key == VK_TAB || Key == VK_RETURN || Key == VK_INSERT || Key == VK_DELETE) {
        FUndoPending = true;
    }
    if (consumed) Key = 0;
}

void TfrxSyntaxMemo::KeyPress(char32_t& Key) {
    TfrxScrollWin::KeyPress(Key);
    switch (Key) {
    case 0: return;
    case 3: CopyToClipboard(); break;
    case 9:
        if (HasSelection()) BlockIndent(true);
        break;
    case 21:
        if (HasSelection()) BlockIndent(false);
        break;
    case 22: PasteFromClipboard(); break;
    case 24: CutToClipboard(); break;
    case 26: Undo(); break;
    default:
        if (Key < 32 || Key == 127) return;
        InsertText(CodePointToUtf8(Key));
        FUndoPending = false;
        break;
    }
    Key = 0;
}

void TfrxSyntaxMemo::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TfrxScrollWin::MouseDown(Button, Shift, X, Y);
    if (FDblClicked) {
        FDblClicked = false;
        return;
    }
    FUndoPending = true;
    if (!Focused() && CanFocus()) SetFocus();
    FSelecting = true;
    const TfrxCaretPos p = PointToCaret(X, Y);
    MoveCaret(p.X, p.Y);
    ClearSelection();
}

void TfrxSyntaxMemo::MouseMove(TShiftState Shift, int X, int Y) {
    TfrxScrollWin::MouseMove(Shift, X, Y);
    if (!FSelecting) return;
    const TfrxCaretPos p = PointToCaret(X, Y);
    if (p == GetCaretPos()) return;
    const TfrxCaretPos old = GetCaretPos();
    MoveCaret(p.X, p.Y);
    ExtendSelection(old);
}

void TfrxSyntaxMemo::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    FSelecting = false;
    TfrxScrollWin::MouseUp(Button, Shift, X, Y);
}

// Double click: the word under the caret is selected.
void TfrxSyntaxMemo::DblClick() {
    TfrxScrollWin::DblClick();
    FDblClicked = true;
    FSelecting = false;
    // On the first letter of a word the word itself is meant, not the one before it.
    if (!(IsWordChar(FCaretX, FCaretY) && !IsWordChar(FCaretX - 1, FCaretY))) WordLeft();
    FSelAnchor = GetCaretPos();
    int x = FCaretX;
    while (IsWordChar(x, FCaretY)) ++x;
    MoveCaret(x, FCaretY);
    FSelEnd = GetCaretPos();
    Invalidate();
}

void TfrxSyntaxMemo::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    TfrxScrollWin::DoMouseWheel(Shift, WheelDelta, MousePos);
    const int step = std::max(SmallChange(), 1);
    SetVertPosition(VertPosition() + (WheelDelta < 0 ? step : -step));
}

void TfrxSyntaxMemo::DoEnter() {
    TfrxScrollWin::DoEnter();
    FCaretShown = true;
    FCaretOn = true;
    FCaretTimer->SetEnabled(true);
    UpdateView();
    Invalidate();
}

void TfrxSyntaxMemo::DoExit() {
    FCaretShown = false;
    FCaretTimer->SetEnabled(false);
    Invalidate();
    TfrxScrollWin::DoExit();
}
