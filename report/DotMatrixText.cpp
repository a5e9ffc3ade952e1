// The printer text of a prepared dot-matrix page.
#include "report/DotMatrixText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StrUtils.h"
#include "report/Bands.h"
#include "report/DotMatrix.h"
#include "report/MemoView.h"
#include "report/Pages.h"

namespace {

// The ESC/P sequences of the styles, in the order they are switched on.
struct TStyleCode {
    TfrxDMPFontStyle Style;
    const char* On;
    const char* Off;
};
const TStyleCode kStyleCodes[] = {
    {fsxBold, "\x1B" "E", "\x1B" "F"},
    {fsxItalic, "\x1B" "4", "\x1B" "5"},
    {fsxUnderline, "\x1B-1", "\x1B-0"},
    {fsxSuperScript, "\x1BS0", "\x1BT"},
    {fsxSubScript, "\x1BS1", "\x1BT"},
    {fsxCondensed, "\x0F", "\x12"},
    {fsxWide, "\x1BW1", "\x1BW0"},
    {fsx12cpi, "\x1BM", "\x1BP"},
    {fsx15cpi, "\x1Bg", "\x1BP"},
};

constexpr char kFormFeed = '\x0C';

// East Asian wide characters take two cells.
bool IsWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF && c != 0x303F) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
           (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

struct TCell {
    std::string Text;       // one character (UTF-8); empty: a blank
    bool Continuation = false;   // the second cell of a wide character
    uint32_t Style = 0;
    std::string Command;    // bytes sent before this cell
};

class TGrid {
public:
    TGrid(int Columns, int Rows) : FColumns(std::max(Columns, 1)), FRows(std::max(Rows, 1)) {}

    TCell* At(int Row, int Column) {
        // The grid grows downwards and to the right with what is placed past the paper
        // (text of a band that overflows its page); nothing goes above or left of it.
        if (Row < 0 || Column < 0 || Row > kMaxRows || Column > kMaxColumns) return nullptr;
        if (static_cast<size_t>(Row) >= FCells.size()) FCells.resize(static_cast<size_t>(Row) + 1);
        auto& line = FCells[static_cast<size_t>(Row)];
        if (static_cast<size_t>(Column) >= line.size()) line.resize(static_cast<size_t>(Column) + 1);
        return &line[static_cast<size_t>(Column)];
    }

    // One line character; lines crossing make '+'.
    void Line(int Row, int Column, char C) {
        TCell* cell = At(Row, Column);
        if (!cell) return;
        if (!cell->Text.empty() && cell->Text != std::string(1, C) && (cell->Text == "-" || cell->Text == "|" || cell->Text == "+"))
            cell->Text = "+";
        else cell->Text = std::string(1, C);
        cell->Continuation = false;
    }

    int PageRows() const { return FRows; }
    const std::vector<std::vector<TCell>>& Cells() const { return FCells; }

private:
    static constexpr int kMaxRows = 100000, kMaxColumns = 10000;
    int FColumns, FRows;
    std::vector<std::vector<TCell>> FCells;
};

int CellOf(double Pixels, double Step) { return static_cast<int>(std::lround(Pixels / Step)); }
int CellFloor(double Pixels, double Step) { return static_cast<int>(std::floor(Pixels / Step + 1e-6)); }

// The memo's lines wrapped to Width cells (at the last blank of a line when it has one).
std::vector<std::u32string> WrapLines(const TfrxCustomMemoView& Memo, int Width, int CharCells) {
    std::vector<std::u32string> out;
    std::string text = Memo.Text();
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
    if (text.empty()) return out;
    auto cellsOf = [CharCells](char32_t c) { return (IsWide(c) ? 2 : 1) * CharCells; };
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::u32string rest = Utf8ToU32(IsValidUtf8(line) ? line : std::string());
        if (!Memo.WordWrap || Width <= 0) {
            out.push_back(rest);
        } else {
            do {
                int used = 0;
                size_t n = 0, lastBlank = std::u32string::npos;
                while (n < rest.size() && used + cellsOf(rest[n]) <= Width) {
                    if (rest[n] == U' ') lastBlank = n;
                    used += cellsOf(rest[n]);
                    ++n;
                }
                if (n == 0) n = 1;   // a character wider than the memo still goes somewhere
                if (n < rest.size() && lastBlank != std::u32string::npos && lastBlank > 0 && rest[n] != U' ' &&
                    rest[n - 1] != U' ' && !IsWide(rest[n]))
                    n = lastBlank + 1;
                std::u32string part = rest.substr(0, n);
                while (!part.empty() && part.back() == U' ') part.pop_back();
                out.push_back(part);
                rest = rest.substr(n);
                while (!rest.empty() && rest.front() == U' ') rest.erase(rest.begin());
            } while (!rest.empty());
        }
        if (end == text.size()) break;
        start = end + 1;
    }
    return out;
}

uint32_t StyleOf(const TfrxComponent* Obj) {
    if (auto* m = dynamic_cast<const TfrxDMPMemoView*>(Obj)) return m->FontStyle().Mask();
    if (auto* l = dynamic_cast<const TfrxDMPLineView*>(Obj)) return l->FontStyle().Mask();
    return 0;
}

void PlaceMemo(TGrid& Grid, const TfrxCustomMemoView& Memo) {
    const int col = CellOf(Memo.AbsLeft(), frxCharWidth), row = CellOf(Memo.AbsTop(), frxCharHeight);
    const int width = std::max(CellOf(Memo.Width(), frxCharWidth), 1);
    const int height = std::max(CellOf(Memo.Height(), frxCharHeight), 1);
    const uint32_t style = StyleOf(&Memo);
    const int charCells = (style & (1u << fsxWide)) ? 2 : 1;
    const std::vector<std::u32string> lines = WrapLines(Memo, width, charCells);
    const int count = std::min<int>(static_cast<int>(lines.size()), height);
    int top = row;
    if (Memo.VAlign == vaBottom) top = row + height - count;
    else if (Memo.VAlign == vaCenter) top = row + (height - count) / 2;
    for (int i = 0; i < count; ++i) {
        const std::u32string& line = lines[static_cast<size_t>(i)];
        int cells = 0;
        for (char32_t c : line) cells += (IsWide(c) ? 2 : 1) * charCells;
        int x = col;
        if (Memo.HAlign == haRight) x = col + width - cells;
        else if (Memo.HAlign == haCenter) x = col + (width - cells) / 2;
        x = std::max(x, col);
        for (char32_t c : line) {
            const int n = (IsWide(c) ? 2 : 1) * charCells;
            if (TCell* cell = Grid.At(top + i, x)) {
                cell->Text = CodePointToUtf8(c);
                cell->Continuation = false;
                cell->Style = style;
            }
            for (int k = 1; k < n; ++k)
                if (TCell* cell = Grid.At(top + i, x + k)) {
                    cell->Text.clear();
                    cell->Continuation = true;
                    cell->Style = style;
                }
            x += n;
        }
    }
    // The frame runs through the middle of the neighbouring cells.
    const TfrxFrameTypes typ = Memo.Frame()->Typ;
    const int left = col - 1, right = col + width, topRow = row - 1, bottomRow = row + height;
    if (typ.Contains(ftTop))
        for (int x = left; x <= right; ++x) Grid.Line(topRow, x, '-');
    if (typ.Contains(ftBottom))
        for (int x = left; x <= right; ++x) Grid.Line(bottomRow, x, '-');
    if (typ.Contains(ftLeft))
        for (int y = topRow; y <= bottomRow; ++y) Grid.Line(y, left, '|');
    if (typ.Contains(ftRight))
        for (int y = topRow; y <= bottomRow; ++y) Grid.Line(y, right, '|');
    // A corner where two sides meet.
    auto corner = [&](bool a, bool b, int y, int x) {
        if (a && b)
            if (TCell* cell = Grid.At(y, x)) cell->Text = "+";
    };
    corner(typ.Contains(ftTop), typ.Contains(ftLeft), topRow, left);
    corner(typ.Contains(ftTop), typ.Contains(ftRight), topRow, right);
    corner(typ.Contains(ftBottom), typ.Contains(ftLeft), bottomRow, left);
    corner(typ.Contains(ftBottom), typ.Contains(ftRight), bottomRow, right);
}

void PlaceLine(TGrid& Grid, const TfrxCustomLineView& Line) {
    const double x0 = std::min(Line.AbsLeft(), Line.AbsLeft() + Line.Width());
    const double x1 = std::max(Line.AbsLeft(), Line.AbsLeft() + Line.Width());
    const double y0 = std::min(Line.AbsTop(), Line.AbsTop() + Line.Height());
    const double y1 = std::max(Line.AbsTop(), Line.AbsTop() + Line.Height());
    if (x1 - x0 >= y1 - y0) {
        const int row = CellFloor(y0, frxCharHeight);
        for (int x = CellFloor(x0, frxCharWidth); x <= CellFloor(x1, frxCharWidth); ++x) Grid.Line(row, x, '-');
    } else {
        const int col = CellFloor(x0, frxCharWidth);
        for (int y = CellFloor(y0, frxCharHeight); y <= CellFloor(y1, frxCharHeight); ++y) Grid.Line(y, col, '|');
    }
}

std::string Gbk(const std::string& Utf8) {
    try {
        return Utf8ToGbk(Utf8);
    } catch (const EEncodingError&) {
        return "?";
    }
}

std::string StyleChange(uint32_t From, uint32_t To) {
    std::string out;
    for (const TStyleCode& code : kStyleCodes) {
        const uint32_t bit = 1u << code.Style;
        if ((From & bit) && !(To & bit)) out += code.Off;
    }
    // A style switched off above may share its off code with one still on (super- and
    // subscript, the pitches): what stays on is switched on again.
    for (const TStyleCode& code : kStyleCodes) {
        const uint32_t bit = 1u << code.Style;
        if ((To & bit) && (!(From & bit) || out.find(code.Off) != std::string::npos)) out += code.On;
    }
    return out;
}

}  // namespace

std::string frxDMPPageText(TfrxPage* Page, const TfrxDMPTextOptions& Options) {
    if (!Page) return {};
    auto* rp = dynamic_cast<TfrxReportPage*>(Page);
    const double widthPx = rp ? (rp->PaperWidth() - rp->LeftMargin - rp->RightMargin) * frxMmToPixels : Page->Width();
    const double heightPx =
        rp ? (rp->PaperHeight() - rp->TopMargin - rp->BottomMargin) * frxMmToPixels : Page->Height();
    TGrid grid(CellFloor(widthPx + 1e-6, frxCharWidth), CellFloor(heightPx + 1e-6, frxCharHeight));

    for (TfrxComponent* obj : Page->AllObjects()) {
        if (!obj->Visible()) continue;
        bool hidden = false;
        for (TfrxComponent* p = obj->Parent(); p && p != Page; p = p->Parent())
            if (!p->Visible()) hidden = true;
        if (hidden) continue;
        if (auto* cmd = dynamic_cast<TfrxDMPCommand*>(obj)) {
            if (TCell* cell = grid.At(CellOf(cmd->AbsTop(), frxCharHeight), CellOf(cmd->AbsLeft(), frxCharWidth)))
                cell->Command += cmd->CommandBytes();
            continue;
        }
        auto* view = dynamic_cast<TfrxView*>(obj);
        if (!view || !view->Printable()) continue;
        if (auto* memo = dynamic_cast<TfrxCustomMemoView*>(obj)) PlaceMemo(grid, *memo);
        else if (auto* line = dynamic_cast<TfrxCustomLineView*>(obj)) PlaceLine(grid, *line);
    }

    std::string out;
    if (Options.Commands) {
        if (Options.FirstPage) out += "\x1B@";
        // The page length in lines, so that a form feed ends the form.
        if (Options.PageBreaks && grid.PageRows() >= 1 && grid.PageRows() <= 127)
            out += std::string("\x1B" "C") + static_cast<char>(grid.PageRows());
    }
    const auto& rows = grid.Cells();
    for (const auto& row : rows) {
        std::string line;
        size_t keep = 0;   // the line up to its last non-blank character or command
        uint32_t style = 0;
        for (const TCell& cell : row) {
            if (!cell.Command.empty()) {
                line += cell.Command;
                keep = line.size();
            }
            if (cell.Continuation) continue;
            if (Options.Commands && cell.Style != style && !cell.Text.empty()) {
                line += StyleChange(style, cell.Style);
                style = cell.Style;
            }
            if (cell.Text.empty()) {
                line += ' ';
            } else {
                line += Gbk(cell.Text);
                keep = line.size();
            }
        }
        line.resize(keep);
        if (Options.Commands && style != 0) line += StyleChange(style, 0);
        out += line;
        out += "\r\n";
    }
    if (Options.PageBreaks) {
        out += kFormFeed;
    } else {
        for (int i = static_cast<int>(rows.size()); i < grid.PageRows(); ++i) out += "\r\n";
    }
    return out;
}
