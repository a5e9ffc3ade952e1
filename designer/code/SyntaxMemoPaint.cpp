// The code editor's styling and painting: the styling rules of a script language (from its
// grammar) or of SQL, the styling pass, the style fonts and the cell metrics, and the
// painting of text, selection, active line, gutter marks, message bar and caret.
#include "designer/code/SyntaxMemo.h"

#include "platform/rtl/StrUtils.h"
#include "platform/ui/ExtCtrls.h"
#include "script/Grammar.h"
#include "script/Parser.h"

#include <algorithm>

namespace {

// ORDER: 128 words, sorted.
constexpr const char* kSQLKeywords[] = {
    "active", "after", "all", "alter", "and", "any", "as", "asc", "ascending", "at", "auto", "base_name",
    "before", "begin", "between", "by", "cache", "call", "cast", "check", "column", "commit", "committed",
    "computed", "conditional", "constraint", "containing", "count", "create", "current", "cursor", "database",
    "debug", "declare", "default", "delete", "desc", "descending", "distinct", "do", "domain", "drop", "else",
    "end", "entry_point", "escape", "exception", "execute", "exists", "exit", "external", "extract", "filter",
    "for", "foreign", "from", "full", "function", "generator", "grant", "group", "having", "if", "in",
    "inactive", "index", "inner", "insert", "into", "is", "isolation", "join", "key", "left", "level", "like",
    "merge", "names", "no", "not", "null", "of", "on", "only", "or", "order", "outer", "parameter",
    "password", "plan", "position", "primary", "privileges", "procedure", "protected", "read", "retain",
    "returns", "revoke", "right", "rollback", "schema", "select", "set", "shadow", "shared", "snapshot",
    "some", "suspend", "table", "then", "to", "transaction", "trigger", "uncommitted", "union", "unique",
    "update", "user", "using", "values", "view", "wait", "when", "where", "while", "with", "work",
};
static_assert(std::size(kSQLKeywords) == 128);

// A character no grammar uses, put after a line's end: the scanner stopping on it tells
// that no block comment is left open.
constexpr char kSentinel[] = "\xEE\x80\x80";   // U+E000

bool IsWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) || (c >= 0x3041 && c <= 0x33FF) ||
           (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
           (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

}  // namespace

// =========================================================================================
// Styling rules
// =========================================================================================

void TfrxSyntaxMemo::SetSyntax(const std::string& Name) {
    FSyntax = Name;
    // Every language starts from the scanner's own settings, so none keeps another's comment
    // or string rules.
    FParser->ResetSettings();
    FParser->SetSkipSpace(false);
    if (SameText(Name, "SQL")) {
        for (const char* word : kSQLKeywords) FParser->AddKeyword(word);
        FParser->SetCommentLine1("--");
        FParser->SetCommentLine2("");
        FParser->SetCommentBlock1("/*,*/");
        FParser->SetCommentBlock2("");
        FParser->SetStringQuotes("\"");
        FParser->SetHexSequence("0x");
    } else {
        FParser->ClearKeywords();
        TStringList languages;
        GetLanguageList(languages);
        if (languages.IndexOf(Name) >= 0) {
            const TfsXMLItem* root = GetGrammar(Name)->Document().Root();
            const int p = root ? root->Find("parser") : -1;
            if (p >= 0) {
                const TfsXMLItem* parser = root->Items(p);
                for (int i = 0; i < parser->Count(); ++i) {
                    const TfsXMLItem* item = parser->Items(i);
                    const std::string name = LowerCase(item->Name());
                    const std::string text = item->Prop("text");
                    if (name == "keywords") {
                        for (int k = 0; k < item->Count(); ++k) FParser->AddKeyword(item->Items(k)->Name());
                    } else if (name == "identchars") {
                        FParser->SetIdentChars(text);
                    } else if (name == "commentline1") {
                        FParser->SetCommentLine1(text);
                    } else if (name == "commentline2") {
                        FParser->SetCommentLine2(text);
                    } else if (name == "commentblock1") {
                        FParser->SetCommentBlock1(text);
                    } else if (name == "commentblock2") {
                        FParser->SetCommentBlock2(text);
                    } else if (name == "stringquotes") {
                        FParser->SetStringQuotes(text);
                    } else if (name == "hexsequence") {
                        FParser->SetHexSequence(text);
                    }
                }
            }
        }
    }
    RestyleAll();
    Invalidate();
}

// =========================================================================================
// The styling pass
// =========================================================================================

void TfrxSyntaxMemo::RestyleAll() {
    if (FLines.empty()) return;
    FLines[0].EntryState = 0;
    Restyle(0, LineCount() - 1);
}

// Styles lines From .. Through and on, until a line starts in the state it started in
// before (the lines after it keep their styles).
void TfrxSyntaxMemo::Restyle(int From, int Through) {
    FResetOnChange = false;
    if (From < 0 || From >= LineCount()) return;
    uint8_t state = FLines[size_t(From)].EntryState;
    for (int k = From; k < LineCount(); ++k) {
        TLine& line = FLines[size_t(k)];
        line.EntryState = state;
        StyleLine(line, state);
        if (k + 1 < LineCount() && k >= Through && FLines[size_t(k + 1)].EntryState == state &&
            FLines[size_t(k + 1)].Attr.size() == FLines[size_t(k + 1)].Text.size())
            break;
    }
}

// One line in the scanner's state at its start: blanks and comments get the comment style,
// words the keyword or text style, then numbers, strings, other characters; a character
// coded up to 31 keeps its own code. State becomes the state at the next line's start.
void TfrxSyntaxMemo::StyleLine(TLine& Line, uint8_t& State) {
    const std::u32string& s = Line.Text;
    const int n = static_cast<int>(s.size());
    Line.Attr.assign(s.size(), ssText);
    auto mark = [&](int from, int to, uint8_t style) {   // 0-based, to exclusive
        for (int i = std::max(from, 0); i < std::min(to, n); ++i)
            Line.Attr[size_t(i)] = s[size_t(i)] > 31 ? style : static_cast<uint8_t>(s[size_t(i)]);
    };
    const TfsParserSettings& settings = FParser->Settings();
    int p = 0;
    if (State != 0) {
        const std::u32string& close = State == 1 ? settings.Block1Close : settings.Block2Close;
        const size_t f = close.empty() ? std::u32string::npos : s.find(close);
        if (f == std::u32string::npos) {
            mark(0, n, ssComment);
            return;
        }
        p = static_cast<int>(f + close.size());
        mark(0, p, ssComment);
        State = 0;
    }
    if (p >= n && n > 0) return;

    const std::string utf8 = U32ToUtf8(s);
    FParser->SetText(utf8 + "\r\n" + kSentinel);
    FParser->SetPosition(p + 1);
    for (;;) {
        const int p0 = FParser->Position();
        FParser->SkipSpaces();
        const int pos = FParser->Position();
        mark(p0 - 1, pos - 1, ssComment);
        if (pos > n) {
            // Past the line's end: on the sentinel nothing is left open.
            State = pos == n + 3 ? 0 : OpenBlockAfter(utf8, n, p0);
            return;
        }
        const char32_t c = s[size_t(pos - 1)];
        uint8_t style = ssText;
        if (settings.IdentifierCharset.Contains(c)) {
            int end = pos;
            while (end <= n && settings.IdentifierCharset.Contains(s[size_t(end - 1)])) ++end;
            style = FParser->IsKeyword(U32ToUtf8(s.substr(size_t(pos - 1), size_t(end - pos)))) ? ssKeyword : ssText;
            FParser->SetPosition(end);
        } else if (!FParser->GetNumber().empty()) {
            style = ssNumber;
        } else if (!FParser->GetString().empty()) {
            style = ssString;
        } else {
            FParser->SetPosition(pos + 1);
        }
        mark(pos - 1, FParser->Position() - 1, style);
    }
}

// Which block comment a line leaves open, the blanks and comments from From on having run
// past its end: 1 when the first pair's closing mark ends it, else 2.
uint8_t TfrxSyntaxMemo::OpenBlockAfter(const std::string& Line, int Length, int From) {
    const TfsParserSettings& settings = FParser->Settings();
    const std::string close = U32ToUtf8(settings.Block1Close);
    if (close.empty()) return 2;
    FParser->SetText(Line + "\r\n" + close + " " + kSentinel);
    FParser->SetPosition(From);
    FParser->SkipSpaces();
    const int sentinel = Length + 2 + static_cast<int>(settings.Block1Close.size()) + 2;
    return FParser->Position() == sentinel ? 1 : 2;
}

uint8_t TfrxSyntaxMemo::StyleAt(int Column, int Line) const {
    if (Line < 1 || Line > LineCount()) return ssText;
    const std::vector<uint8_t>& attr = FLines[size_t(Line - 1)].Attr;
    return Column >= 1 && Column <= static_cast<int>(attr.size()) ? attr[size_t(Column - 1)] : uint8_t(ssText);
}

void TfrxSyntaxMemo::RefreshView() {
    for (TLine& line : FLines) line.Wide = std::any_of(line.Text.begin(), line.Text.end(), IsWide);
    RestyleAll();
    UpdateScrollBars();
    Invalidate();
}

// =========================================================================================
// Fonts and metrics
// =========================================================================================

const TFont& TfrxSyntaxMemo::StyleFont(uint8_t Style) const {
    return FStyleFonts[Style < FStyleFonts.size() ? Style : size_t(ssText)];
}

void TfrxSyntaxMemo::ApplyFont() {
    TfrxScrollWin::ApplyFont();
    UpdateFontMetrics();
    BoundsChanged(true);
    Invalidate();
}

// The style fonts follow the editor font's name and size; the cell is measured in bold.
void TfrxSyntaxMemo::UpdateFontMetrics() {
    const struct {
        uint8_t Style;
        TColor Color;
        TFontStyles Styles;
    } kStyles[] = {
        {ssText, clWindowText, {}},
        {ssComment, clNavy, TFontStyles{fsItalic}},
        {ssKeyword, clWindowText, TFontStyles{fsBold}},
        {ssString, clNavy, {}},
        {ssNumber, clGreen, {}},
    };
    for (const auto& k : kStyles) {
        TFont& f = FStyleFonts[k.Style];
        f.SetName(Font()->Name());
        f.SetHeight(Font()->Height());
        f.SetCharset(Font()->Charset());
        f.SetColor(k.Color);
        f.SetStyle(k.Styles);
    }
    TCanvas measure;
    measure.Font()->Assign(*Font());
    measure.Font()->SetStyle(TFontStyles{fsBold});
    FCharHeight = std::max(1, measure.TextHeight("Wg") + 1);
    FCharWidth = std::max(1, measure.TextWidth("W"));
    // A fixed font has one advance for every character (the name alone does not say it:
    // one font stands in for another). A run is written in one piece only when that advance
    // is a whole number of pixels, so that the text stays on the grid of cells; otherwise
    // every character is put on its own cell.
    bool fixed = true, exact = true;
    for (TFontStyles st : {TFontStyles{}, TFontStyles{fsBold}, TFontStyles{fsItalic}}) {
        measure.Font()->SetStyle(st);
        const int w = measure.TextWidth("WWWWWWWWWW");
        for (const char* probe : {"iiiiiiiiii", "..........", "mmmmmmmmmm"})
            if (measure.TextWidth(probe) != w) fixed = false;
        if (w != 10 * FCharWidth) exact = false;
    }
    FFixedFont = fixed;
    FWholeCells = fixed && exact;
}

// =========================================================================================
// View, scroll bars, caret
// =========================================================================================

void TfrxSyntaxMemo::BoundsChanged(bool Resized) {
    TfrxScrollWin::BoundsChanged(Resized);
    const TRect r = ClientRect();
    if (FCharWidth > 0 && FCharHeight > 0) {
        FVisibleColumns = std::max(0, (r.Right - GutterWidth()) / FCharWidth);
        FVisibleLines = std::max(0, r.Bottom / FCharHeight);
    }
    FUpdatingBars = true;
    SetHorzPage(FVisibleColumns);
    SetVertPage(FVisibleLines);
    FUpdatingBars = false;
    UpdateScrollBars();
}

void TfrxSyntaxMemo::UpdateScrollBars() {
    // The first line shown is a line of the text, also after lines went in an editor too
    // small to show one (nothing there follows the caret).
    FOffsetY = std::clamp(FOffsetY, 0, std::max(0, LineCount() - 1));
    FUpdatingBars = true;
    SetVertRange(LineCount());
    SetHorzRange(FMaxLength);
    SetLargeChange(std::max(FVisibleLines, 1));
    SetVertPosition(FOffsetY);
    SetHorzPosition(FOffsetX);
    FUpdatingBars = false;
}

void TfrxSyntaxMemo::UpdateView() {
    UpdateScrollBars();
    Invalidate();
    UpdateInputCaret();
    OnCaretMove(this);
}

void TfrxSyntaxMemo::HorzPositionChanged() {
    if (FUpdatingBars) return;
    FOffsetX = std::min(HorzPosition(), FMaxLength);
    Invalidate();
    UpdateInputCaret();
}

void TfrxSyntaxMemo::VertPositionChanged() {
    if (FUpdatingBars) return;
    FOffsetY = std::clamp(VertPosition(), 0, std::max(0, LineCount() - 1));
    Invalidate();
    UpdateInputCaret();
}

TRect TfrxSyntaxMemo::CaretRect() const {
    if (FOffsetX >= FCaretX || FCaretY <= FOffsetY) return Rect(0, 0, 0, 0);
    const int x = GutterWidth() + CellsBetween(FCaretY, FOffsetX + 1, FCaretX) * FCharWidth;
    const int y = (FCaretY - 1 - FOffsetY) * FCharHeight;
    return Rect(x, y, x + 2, y + FCharHeight);
}

TRect TfrxSyntaxMemo::InputCaretRect() const { return CaretRect(); }

// =========================================================================================
// Painting
// =========================================================================================

void TfrxSyntaxMemo::Paint() {
    TCanvas& c = *Canvas();
    const TRect client = ClientRect();
    const int h = client.Bottom;
    c.Brush()->SetColor(Color());
    c.FillRect(client);
    if (FShowGutter) {
        c.Brush()->SetColor(clBtnFace);
        c.FillRect(Rect(0, 0, GutterWidth() - 2, h));
        c.Pen()->SetColor(clBtnHighlight);
        c.MoveTo(GutterWidth() - 4, 0);
        c.LineTo(GutterWidth() - 4, h + 1);
    }
    if (FCharHeight > 0) {
        for (int l = std::max(FOffsetY, 0), row = 0; l < LineCount() && row * FCharHeight < h; ++l, ++row) {
            const int y = row * FCharHeight;
            PaintLine(c, l, y);
            if (FShowGutter) PaintGutterMarks(c, l, y);
        }
    }
    if (CaretVisible()) {
        const TRect r = CaretRect();
        if (r.Right > r.Left) {
            c.Brush()->SetColor(clWindowText);
            c.FillRect(r);
        }
    }
    if (!FMessageText.empty()) {
        c.Font()->SetName("Tahoma");
        c.Font()->SetSize(8);
        c.Font()->SetStyle(TFontStyles{fsBold});
        c.Font()->SetColor(clWhite);
        const int t = c.TextHeight("|");
        c.Brush()->SetColor(clMaroon);
        c.FillRect(Rect(0, h - t - 6, client.Right, h));
        c.SetBkMode(bkTransparent);
        c.TextOut(6, h - t - 5, FMessageText);
    }
}

// One row: runs of characters of the same style and selection state, each on its cells.
void TfrxSyntaxMemo::PaintLine(TCanvas& Canvas, int Index, int Y) {
    const TLine& line = FLines[size_t(Index)];
    const int lineNo = Index + 1;
    const bool active = lineNo == FActiveLine;
    const int n = static_cast<int>(line.Text.size());
    const int right = ClientRect().Right;
    int x = GutterWidth();
    int column = FOffsetX + 1;

    auto drawRun = [&](int from, int to, uint8_t style, bool selected) {   // columns from .. to - 1
        std::string text;
        std::vector<int> advances;
        bool plain = FWholeCells;
        int cells = 0;
        for (int k = from; k < to; ++k) {
            char32_t ch = line.Text[size_t(k - 1)];
            const int w = IsWide(ch) ? 2 : 1;
            if (w == 2 || ch < 32) plain = false;
            if (ch < 32) ch = ' ';
            text += CodePointToUtf8(ch);
            advances.push_back(w * FCharWidth);
            cells += w;
        }
        const bool known = style == ssText || (style >= ssComment && style <= ssNumber);
        const TFont& font = StyleFont(known ? style : uint8_t(ssText));
        Canvas.SetFont(font);
        Canvas.Brush()->SetColor(Color());
        if (selected || active) {
            Canvas.Brush()->SetColor(SelectionColor);
            Canvas.Font()->SetColor(SelectionFontColor);
        }
        Canvas.Font()->SetCharset(Font()->Charset());
        Canvas.FillRect(Rect(x, Y, x + cells * FCharWidth, Y + FCharHeight));
        Canvas.SetBkMode(bkTransparent);
        if (plain) Canvas.TextOut(x, Y, text);
        else Canvas.ExtTextOut(x, Y, 0, nullptr, text, advances.data());
        x += cells * FCharWidth;
    };

    int runStart = column;
    uint8_t runStyle = 0;
    bool runSelected = false;
    for (int cx = x; column <= n && cx < right; ++column) {
        const char32_t ch = line.Text[size_t(column - 1)];
        const bool selected = IsSelected(column, lineNo);
        // A blank looks the same in every style: it joins the run it stands in.
        const uint8_t style = (ch <= ' ' && column > runStart && selected == runSelected) ? runStyle
                                                                                            : StyleAt(column, lineNo);
        if (column == runStart) {
            runStyle = style;
            runSelected = selected;
        } else if (style != runStyle || selected != runSelected) {
            drawRun(runStart, column, runStyle, runSelected);
            runStart = column;
            runStyle = style;
            runSelected = selected;
        }
        cx += (IsWide(ch) ? 2 : 1) * FCharWidth;
    }
    if (column > runStart) drawRun(runStart, column, runStyle, runSelected);
    if (x >= right) return;

    // Past the text: the active line, and a selection that goes on to the next line, reach
    // the right edge; a selection that ends in the blank space after the text covers its
    // cells.
    int fillTo = x;
    const int after = std::max(n + 1, FOffsetX + 1);
    if (active) {
        fillTo = right;
    } else if (IsSelected(after, lineNo)) {
        TfrxCaretPos first, last;
        SelectionRange(first, last);
        fillTo = last.Y > lineNo ? right : x + std::max(0, last.X - after) * FCharWidth;
    }
    if (fillTo > x) {
        Canvas.Brush()->SetColor(SelectionColor);
        Canvas.FillRect(Rect(x, Y, std::min(fillTo, right), Y + FCharHeight));
    }
}

void TfrxSyntaxMemo::PaintGutterMarks(TCanvas& Canvas, int Index, int Y) {
    for (int b = 0; b < 10; ++b) {
        if (FBookmarks[size_t(b)] != Index) continue;
        Canvas.Pen()->SetColor(clBlack);
        Canvas.Brush()->SetColor(clBlack);
        Canvas.Rectangle(13, Y + 3, 23, Y + 14);
        Canvas.Brush()->SetColor(clGreen);
        Canvas.Rectangle(12, Y + 4, 22, Y + 15);
        Canvas.Font()->SetName("Tahoma");
        Canvas.Font()->SetSize(7);
        Canvas.Font()->SetStyle(TFontStyles{fsBold});
        Canvas.Font()->SetColor(clWhite);
        Canvas.SetBkMode(bkTransparent);
        Canvas.TextOut(14, Y + 4, IntToStr(b));
        break;
    }
    if (FLines[size_t(Index)].Executable) {
        Canvas.Pen()->SetColor(clBlack);
        Canvas.Brush()->SetColor(clBlue);
        Canvas.Ellipse(4, Y + 7, 9, Y + 12);
        Canvas.SetPixel(5, Y + 7, clAqua);
        Canvas.SetPixel(4, Y + 8, clAqua);
    }
    if (Index + 1 == FRunToLine) {
        Canvas.Pen()->SetColor(clRed);
        Canvas.Brush()->SetColor(clRed);
        Canvas.Ellipse(2, Y + 4, 13, Y + 15);
    }
}
