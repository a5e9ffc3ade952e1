// The script editor of the designer's code page: a painted text control on the scrolling
// window. It keeps its own text model (a list of lines), draws every character in one of
// five styles worked out by the script engine's scanner set up from the grammar of the
// current language (or a built-in SQL word list), and offers caret movement, a selection,
// keyboard editing with automatic indentation, clipboard operations, an undo history of
// whole-text snapshots, ten numbered bookmarks, find, and a gutter where the script
// debugger's marks are drawn.
//
// Positions are (column, line), both from 1; column c is the place before the c-th
// character of the line, and columns count characters, never bytes. A character that East
// Asian scripts write wide takes two cells of the character grid, every other one cell.
// The text as one string is the lines joined by CR LF.
//
// Editing is line-based: a key changes the lines it touches and restyles from the first of
// them until the scanner's state at a line start is what it was before, so a keystroke
// costs what its lines cost, not what the whole text costs.
//
// The module is split: SyntaxMemo.cpp (text model, keys, mouse, clipboard, undo, find),
// SyntaxMemoPaint.cpp (styling rules, the styling pass, fonts, painting, the caret).
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/Graphics.h"
#include "platform/rtl/StringList.h"
#include "preview/ScrollWin.h"

class TfsParser;
class TTimer;
class TfrxSyntaxMemo;

// Style codes of the characters (codes up to 31 are the characters' own).
enum : uint8_t { ssText = 1, ssComment = 3, ssKeyword = 4, ssString = 5, ssNumber = 6 };

// A caret position: column and line, both from 1.
struct TfrxCaretPos {
    int X = 1;
    int Y = 1;
    bool operator==(const TfrxCaretPos&) const = default;
};

// The editor's lines as a string list, for the code that handles a script as lines (the
// report's script text, the event-handler templates). Every change made through it is a
// change from outside the editor: it arrives in LinesChanged (once per BeginUpdate /
// EndUpdate bracket). Objects are not kept: the executable-line tags are the editor's.
class TfrxSyntaxMemoLines final : public TStrings {
public:
    explicit TfrxSyntaxMemoLines(TfrxSyntaxMemo& Memo) : FMemo(Memo) {}
    int Count() const override;
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;

protected:
    void SetUpdateState(bool updating) override;

private:
    void Changed();
    TfrxSyntaxMemo& FMemo;
    bool FChangedInUpdate = false;
};

class TfrxSyntaxMemo : public TfrxScrollWin {
    ROVE_CLASS(TfrxSyntaxMemo, TfrxScrollWin)
public:
    explicit TfrxSyntaxMemo(TComponent* AOwner);
    ~TfrxSyntaxMemo() override;

    // --- The text -------------------------------------------------------------------------
    TfrxSyntaxMemoLines* Lines() { return &FLinesAdapter; }
    int LineCount() const { return static_cast<int>(FLines.size()); }
    // 0-based line text ('' past the end).
    std::string LineText(int Index) const;
    // The lines joined by CR LF.
    std::string Text() const;
    // Strips the trailing blanks of every line, arms the outside replacement and gives the
    // lines (what the designer's GetCode, its saves and its language switch read).
    std::vector<std::string> GetTrimmedLines();
    // Replaces the text from outside: caret to (1, 1), no selection, no undo history.
    void SetLines(const TStrings& Strings);
    void SetLines(const std::vector<std::string>& Strings);
    // An outside change of the lines arrives here (the line list's change notification).
    void LinesChanged();
    bool Modified() const { return FModified; }
    void SetModified(bool Value) { FModified = Value; }

    // --- Caret, selection, view ----------------------------------------------------------------
    TfrxCaretPos GetCaretPos() const { return {FCaretX, FCaretY}; }
    // The 1-based position of the caret in Text().
    int GetCaretTextPos() const { return CaretToTextPos(FCaretX, FCaretY); }
    // Places the caret (clamped to the text) and scrolls it into view.
    void MoveCaret(int Column, int Line);
    bool HasSelection() const { return FSelAnchor.X != 0; }
    TfrxCaretPos SelAnchor() const { return FSelAnchor; }
    TfrxCaretPos SelEnd() const { return FSelEnd; }
    // Positions beyond the text are held to it (the last line, the widest column).
    void SetSelection(TfrxCaretPos Anchor, TfrxCaretPos End);
    void ClearSelection();
    std::string GetSelText() const;
    void SelectAll();
    int OffsetX() const { return FOffsetX; }
    int OffsetY() const { return FOffsetY; }
    int VisibleColumns() const { return FVisibleColumns; }
    int VisibleLines() const { return FVisibleLines; }
    // The widest column the caret reaches: 1024, or more when a longer line was met.
    int MaxLength() const { return FMaxLength; }

    // --- Editing ----------------------------------------------------------------------------
    // Replaces the selection, or inserts at the caret, with Text (line breaks CR LF, CR or
    // LF; text that is not UTF-8 is taken with its bad bytes as U+FFFD).
    void InsertText(const std::string& Text);
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void Undo();
    int UndoCount() const { return static_cast<int>(FUndoList.size()); }
    // Searches forward from Position (1-based in Text(); 0 counts as 1) and selects the
    // match; Position becomes the match's position. False (nothing changed) when absent.
    bool FindText(const std::string& Text, bool MatchCase, int& Position);
    // Restyles the whole text and repaints.
    void RefreshView();

    // --- Styling and look ---------------------------------------------------------------------
    // The styling rules: "SQL", a registered script language, or anything else (no keywords).
    void SetSyntax(const std::string& Name);
    const std::string& Syntax() const { return FSyntax; }
    // Style code of column Column (from 1) of line Line (from 1); 1 past the styled text.
    uint8_t StyleAt(int Column, int Line) const;
    bool ShowGutter() const { return FShowGutter; }
    void SetShowGutter(bool Value);
    int GutterWidth() const { return FShowGutter ? 30 : 0; }
    int CharWidth() const { return FCharWidth; }
    int CharHeight() const { return FCharHeight; }
    bool FixedFont() const { return FFixedFont; }
    // The five style fonts (text, comment, keyword, string, number).
    const TFont& StyleFont(uint8_t Style) const;
    TColor SelectionColor = clHighlight;
    TColor SelectionFontColor = clHighlightText;

    // --- Debugger marks, bookmarks, message ----------------------------------------------------
    int ActiveLine() const { return FActiveLine; }
    void SetActiveLine(int Line);
    int RunToLine() const { return FRunToLine; }
    void SetRunToLine(int Line);
    void SetExecutableLine(int Line, bool On);
    bool IsExecutableLine(int Line) const;
    // Slot n: the 0-based line of bookmark n, or -1.
    int Bookmark(int N) const { return FBookmarks[size_t(N)]; }
    const std::string& MessageText() const { return FMessageText; }
    void SetMessageText(const std::string& Text);

    // --- The caret's blinking ---------------------------------------------------------------
    // The caret is drawn while the editor has the focus, blinking through a timer.
    bool CaretVisible() const { return FCaretShown && FCaretOn; }
    TTimer* CaretTimer() const { return FCaretTimer; }
    // Where the caret is drawn (client coordinates); empty when it is out of view.
    TRect CaretRect() const;

    TNotifyEvent OnCaretMove;
    TNotifyEvent OnTextChange;

    // --- The control ------------------------------------------------------------------------
    void Paint() override;
    void HorzPositionChanged() override;
    void VertPositionChanged() override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    void DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    void DoEnter() override;
    void DoExit() override;
    bool PasteText() override;
    // Where an input method puts its candidate window: at the caret.
    TRect InputCaretRect() const override;
    void InsertTypedText(const std::string& Text) override { InsertText(Text); }

protected:
    void BoundsChanged(bool Resized) override;
    void ApplyFont() override;

private:
    friend class TfrxSyntaxMemoLines;
    // One line of the text with what the editor keeps about it.
    struct TLine {
        std::u32string Text;
        std::vector<uint8_t> Attr;   // style code per character
        uint8_t EntryState = 0;      // the scanner inside block comment 1 or 2 at the start
        bool Executable = false;
        bool Wide = false;           // holds a character that takes two cells
    };
    static TLine MakeLine(std::u32string Text);

    // Text positions.
    int CaretToTextPos(int Column, int Line) const;
    // Pos with its line within the text and its column from 1 to MaxLength.
    TfrxCaretPos HeldToText(TfrxCaretPos Pos) const;
    // The lines Page Up and Page Down move.
    int PageStep() const;
    TfrxCaretPos TextPosToCaret(int Position) const;
    std::u32string TrimmedLine(int Line) const;   // 1-based; '' past the last line
    int TrimmedLength(int Line) const;
    int LineIndent(int Line) const;
    // Cells taken by columns From .. To - 1 of line Line (1-based).
    int CellsBetween(int Line, int From, int To) const;
    // The column whose cell holds x (client), on line Line.
    TfrxCaretPos PointToCaret(int X, int Y) const;
    bool IsWordChar(int Column, int Line) const;

    // Editing steps.
    void SaveUndo();
    void Changed();                  // Modified, OnTextChange
    void SetLinesFrom(const std::vector<std::string>& Lines);
    void ReplaceLines(int First, int Last, std::vector<std::u32string> NewLines);
    void ShiftBookmarks(int From, int Delta);
    void NewLine();
    void DeleteChar();
    void BackspaceChar();
    void RemoveIndent();
    void SmartTab();
    void BlockIndent(bool Indent);
    void DeleteLine();
    void WordLeft();
    void WordRight();
    void ExtendSelection(TfrxCaretPos Old);
    bool IsSelected(int Column, int Line) const;
    void SelectionRange(TfrxCaretPos& First, TfrxCaretPos& Last) const;
    void NoteLength(int Length);

    // Styling and painting (SyntaxMemoPaint.cpp).
    void Restyle(int From, int Through);
    void RestyleAll();
    void StyleLine(TLine& Line, uint8_t& State);
    uint8_t OpenBlockAfter(const std::string& Line, int Length, int From);
    void UpdateFontMetrics();
    void UpdateView();               // caret place, scroll bars
    void UpdateScrollBars();
    void PaintLine(TCanvas& Canvas, int Index, int Y);
    void PaintGutterMarks(TCanvas& Canvas, int Index, int Y);

    std::vector<TLine> FLines;
    TfrxSyntaxMemoLines FLinesAdapter{*this};
    std::vector<std::u32string> FUndoText;   // snapshots: the whole text ...
    std::vector<TfrxCaretPos> FUndoList;  // ... and the caret
    std::unique_ptr<TfsParser> FParser;
    std::string FSyntax;
    int FCaretX = 1, FCaretY = 1;
    int FOffsetX = 0, FOffsetY = 0;
    int FVisibleColumns = 0, FVisibleLines = 0;
    int FMaxLength = 1024;
    int FCharWidth = 0, FCharHeight = 0;
    bool FFixedFont = false;
    bool FWholeCells = false;             // fixed, with a whole-pixel advance
    bool FShowGutter = true;
    TfrxCaretPos FSelAnchor{0, 0}, FSelEnd{0, 0};
    std::array<int, 10> FBookmarks{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    int FActiveLine = -1;
    int FRunToLine = 0;
    std::string FMessageText;
    bool FModified = false;
    bool FUndoPending = true;
    bool FResetOnChange = false;
    bool FSelecting = false;
    bool FDblClicked = false;
    std::array<TFont, 7> FStyleFonts;     // indexed by style code (1, 3 .. 6 used)
    TTimer* FCaretTimer = nullptr;
    bool FCaretShown = false;             // the editor has the focus
    bool FCaretOn = true;                 // the blink phase
    bool FUpdatingBars = false;
};
