// The cross-tab's output: the built matrix turned into text objects and handed to the
// layout engine band by band. A result wider than the page is cut into column pieces, one
// page wide each; a result longer than the space left is cut into row pieces; every
// combination of a row piece and a column piece goes on its own prepared page, across then
// down, or down then across. Headers are repeated on every piece or printed once; header
// cells that straddle a cut by more than 5 pixels are split in two.
//
// Positions: the view's place in its band is where the result starts (a view at the top
// left of its band starts at the engine's CurX and CurY). Pieces are laid out so that they
// fit; the engine shows them without page breaks of their own, so a row taller than a
// page or a column wider than it overflows its page instead of multiplying pages.
#include <algorithm>
#include <memory>
#include <vector>

#include "platform/ui/Forms.h"
#include "report/Bands.h"
#include "report/CrossView.h"
#include "report/Engine.h"
#include "report/MemoView.h"
#include "report/PreviewPages.h"
#include "report/Report.h"
#include "report/Utils.h"

namespace {

constexpr double kEps = 0.0001;
// A header passing a cut by no more than this stays whole on the piece before the cut.
constexpr double kSplitSlack = 5;
// The character cell of dot-matrix objects.
constexpr double kCharX = 9.6, kCharY = 17;

// One piece: the leaves it holds and, in its band, the header objects of those leaves.
struct TPiece {
    std::unique_ptr<TfrxBand> Band;
    int First = 0, Last = -1;   // leaf indexes; Last < First: the piece holds no leaf
    double Start = 0;           // where the piece starts in the header area
    double Offset = 0;          // the header area before it on its page (the band's Left or Top)
};

// Geometry along one axis: X for column pieces, Y for row pieces.
struct TAxis {
    bool Horizontal;
    double Pos(const TfrxComponent* c) const { return Horizontal ? c->Left() : c->Top(); }
    double Len(const TfrxComponent* c) const { return Horizontal ? c->Width() : c->Height(); }
    void SetPos(TfrxComponent* c, double v) const { Horizontal ? c->SetLeft(v) : c->SetTop(v); }
    void SetLen(TfrxComponent* c, double v) const { Horizontal ? c->SetWidth(v) : c->SetHeight(v); }
    double Pos(const TfrxCrossHeader::TBounds& b) const { return Horizontal ? b.Left : b.Top; }
    double Len(const TfrxCrossHeader::TBounds& b) const { return Horizontal ? b.Width : b.Height; }
    // The frame line at the start and at the end of the axis.
    TfrxFrameType Near() const { return Horizontal ? ftLeft : ftTop; }
    TfrxFrameType Far() const { return Horizontal ? ftRight : ftBottom; }
    double Step() const { return Horizontal ? kCharX : kCharY; }
};

void DropFrameLine(TfrxCustomMemoView* Memo, TfrxFrameType Line) {
    TfrxFrameTypes t = Memo->Frame()->Typ;
    t.Exclude(Line);
    Memo->Frame()->Typ = t;
}

void AddFrameLine(TfrxCustomMemoView* Memo, TfrxFrameType Line) {
    TfrxFrameTypes t = Memo->Frame()->Typ;
    t.Include(Line);
    Memo->Frame()->Typ = t;
}

class TCrossOutput {
public:
    TCrossOutput(TfrxCustomCrossView& View, TfrxEngine& Engine, TfrxPreviewPages& Pages)
        : FView(View), FEngine(Engine), FPages(Pages), FMatrix(*View.Matrix()), FDotMatrix(View.DotMatrix()) {}
    // The objects made here are freed with their bands: their links go first.
    ~TCrossOutput() { FPages.ForgetRunLinks(); }
    TCrossOutput(const TCrossOutput&) = delete;
    TCrossOutput& operator=(const TCrossOutput&) = delete;

    void Run();

private:
    TfrxBand* NewBand();
    TfrxCustomMemoView* NewMemo(TfrxCustomMemoView* Template, TfrxBand* Parent);
    TfrxCustomMemoView* CopyMemo(TfrxCustomMemoView* Memo, TfrxBand* Parent);
    void PlaceDotMatrix(TfrxCustomMemoView* Memo) const;
    void AddTemplatesToSourcePage();
    void BuildHeaders(TfrxCrossHeader* Tree, bool Column, std::vector<TfrxCustomMemoView*>& Work);
    void TakeHeaders(std::vector<TfrxCustomMemoView*>& Work, TPiece& Piece, double Cut, const TAxis& Axis);
    void BuildColumnPieces();
    // The next row piece, as many rows as Space holds (at least one).
    void BuildRowPiece(double Space);
    double RowOffset(size_t Index) const {
        return Index == 0 || FView.RepeatHeaders ? FColumnHeaderHeight : 0;
    }
    double FirstRowSpace(double Y) const {
        return FEngine.PageHeight - FEngine.FooterHeight() - Y - RowOffset(FRowPieces.size());
    }
    bool MoreRows() const { return FNextRow < static_cast<int>(FRowLeaves.size()); }
    void OutputPiece(size_t Row, size_t Column, double Y);
    std::unique_ptr<TfrxBand> BuildCellBand(int Row, const TPiece& Columns, double CellX);
    void Breathe();

    TfrxCustomCrossView& FView;
    TfrxEngine& FEngine;
    TfrxPreviewPages& FPages;
    TfrxCrossMatrix& FMatrix;
    const bool FDotMatrix;
    double FBaseX = 0;
    double FColumnHeaderHeight = 0, FRowHeaderWidth = 0;
    std::vector<TfrxCrossHeader*> FColumnLeaves, FRowLeaves;
    // The header objects not yet taken into a piece live in these bands.
    std::unique_ptr<TfrxBand> FColumnWorkBand, FRowWorkBand;
    std::vector<TPiece> FColumnPieces, FRowPieces;
    std::vector<TfrxCustomMemoView*> FColumnWork, FRowWork;
    int FNextRow = 0;
    // Events are fired only when something listens (their arguments cost time).
    bool FCellEvents = false;
    bool FHeaderEvents[2] = {false, false};
};

TfrxBand* TCrossOutput::NewBand() {
    auto* band = new TfrxBand(nullptr);
    // Inside the view, the objects reach the report (expressions, styles) without being
    // part of any band that the engine prints or the prepared pages copy.
    band->SetParent(&FView);
    return band;
}

TfrxCustomMemoView* TCrossOutput::NewMemo(TfrxCustomMemoView* Template, TfrxBand* Parent) {
    auto* m = static_cast<TfrxCustomMemoView*>(Template->ClassType()->CreateInstance(nullptr));
    m->SetParent(Parent);
    frxCopyProperties(*m, *Template);
    // The font it took from the view is its own: on the prepared page its parent is a
    // plain band that knows nothing of the view.
    m->SetParentFont(false);
    // The text is data, never an expression to evaluate.
    m->AllowExpressions = false;
    FPages.LinkToSource(m, Template);
    return m;
}

TfrxCustomMemoView* TCrossOutput::CopyMemo(TfrxCustomMemoView* Memo, TfrxBand* Parent) {
    auto* m = static_cast<TfrxCustomMemoView*>(Memo->ClassType()->CreateInstance(nullptr));
    m->SetParent(Parent);
    frxCopyProperties(*m, *Memo);
    m->SetValue(Memo->Value());
    FPages.LinkToSource(m, Memo);
    return m;
}

void TCrossOutput::PlaceDotMatrix(TfrxCustomMemoView* Memo) const {
    if (!FDotMatrix) return;
    Memo->SetBounds(Memo->Left() + kCharX, Memo->Top() + kCharY, Memo->Width() - kCharX, Memo->Height() - kCharY);
}

void TCrossOutput::AddTemplatesToSourcePage() {
    auto add = [&](TfrxCustomMemoView* t) {
        // A template copied by an earlier print keeps its copy: objects are written as
        // differences against it, so a later change of the template is still written.
        if (t && !FPages.HasSource(t)) FPages.AddToSourcePage(t);
    };
    for (int i = 0; i < std::clamp(FView.CellLevels(), 1, frxCrossMaxLevels); ++i) add(FView.CellMemos(i));
    for (int i = 0; i < std::clamp(FView.ColumnLevels(), 0, frxCrossMaxLevels); ++i) {
        add(FView.ColumnMemos(i));
        add(FView.ColumnTotalMemos(i));
    }
    for (int i = 0; i < std::clamp(FView.RowLevels(), 0, frxCrossMaxLevels); ++i) {
        add(FView.RowMemos(i));
        add(FView.RowTotalMemos(i));
    }
}

void TCrossOutput::BuildHeaders(TfrxCrossHeader* Tree, bool Column, std::vector<TfrxCustomMemoView*>& Work) {
    std::unique_ptr<TfrxBand>& workBand = Column ? FColumnWorkBand : FRowWorkBand;
    workBand.reset(NewBand());
    for (TfrxCrossHeader* node : Tree->AllItems()) {
        if (!node->Memo) continue;
        TfrxCustomMemoView* m = NewMemo(node->Memo, workBand.get());
        m->SetValue(node->Value);
        m->SetText(m->FormatData(node->Value));
        const TfrxCrossHeader::TBounds& b = node->Bounds;
        m->SetBounds(b.Left, b.Top, b.Width, b.Height);
        PlaceDotMatrix(m);
        m->SetVisible(m->Visible() && m->Width() != 0 && m->Height() != 0);
        if (FHeaderEvents[Column ? 0 : 1]) {
            if (Column) FView.DoPrintColumnHeader(m, node->Indexes(), node->Values(), node->Value);
            else FView.DoPrintRowHeader(m, node->Indexes(), node->Values(), node->Value);
        }
        Work.push_back(m);
    }
}

// Moves the header objects that start before Cut into the piece, placed relative to the
// piece's start; one reaching more than 5 pixels beyond the cut is split in two.
void TCrossOutput::TakeHeaders(std::vector<TfrxCustomMemoView*>& Work, TPiece& Piece, double Cut,
                               const TAxis& Axis) {
    TfrxBand* band = Piece.Band.get();
    std::vector<TfrxCustomMemoView*> rest;
    for (TfrxCustomMemoView* m : Work) {
        const double pos = Axis.Pos(m), len = Axis.Len(m);
        if (pos >= Cut - kEps) {
            rest.push_back(m);
            continue;
        }
        if (pos + len > Cut + kSplitSlack) {
            TfrxCustomMemoView* part = CopyMemo(m, band);
            Axis.SetLen(part, Cut - pos);
            DropFrameLine(part, Axis.Far());
            Axis.SetPos(part, pos - Piece.Start);
            double newPos = Cut, newLen = pos + len - Cut;
            if (FDotMatrix) {
                newPos += Axis.Step();
                newLen -= Axis.Step();
            }
            Axis.SetPos(m, newPos);
            Axis.SetLen(m, newLen);
            DropFrameLine(m, Axis.Near());
            rest.push_back(m);
        } else {
            m->SetParent(band);
            Axis.SetPos(m, pos - Piece.Start);
        }
    }
    Work.swap(rest);
}

void TCrossOutput::BuildColumnPieces() {
    const TAxis axis{true};
    const double avail = FEngine.PageWidth - FView.Left();
    const int n = static_cast<int>(FColumnLeaves.size());
    auto close = [&](int First, int Last, double Start, double Cut, double Offset) {
        TPiece piece;
        piece.Band.reset(NewBand());
        piece.First = First;
        piece.Last = Last;
        piece.Start = Start;
        piece.Offset = Offset;
        piece.Band->SetHeight(FColumnHeaderHeight);
        // Scripts read the leaves as first + 65536 * last, while both fit.
        if (Last < 32768) piece.Band->SetTag(std::max(First, 0) + 65536 * std::max(Last, 0));
        TakeHeaders(FColumnWork, piece, Cut, axis);
        FColumnPieces.push_back(std::move(piece));
    };
    double offset = FRowHeaderWidth, start = 0;
    double space = avail - offset;
    int first = 0;
    for (int j = 0; j < n; ++j) {
        const TfrxCrossHeader::TBounds& b = FColumnLeaves[j]->Bounds;
        // A piece always holds at least one leaf, however wide.
        if (j > first && b.Left + b.Width - start > space + kEps) {
            close(first, j - 1, start, b.Left, offset);
            start = b.Left;
            first = j;
            offset = FView.RepeatHeaders ? FRowHeaderWidth : 0;
            space = avail - offset;
        }
    }
    double cut = start + space;
    if (n > 0) {
        const TfrxCrossHeader::TBounds& b = FColumnLeaves[n - 1]->Bounds;
        cut = std::max(cut, b.Left + b.Width);
    }
    close(first, n - 1, start, cut, offset);
}

void TCrossOutput::BuildRowPiece(double Space) {
    const TAxis axis{false};
    const int n = static_cast<int>(FRowLeaves.size());
    TPiece piece;
    piece.Band.reset(NewBand());
    piece.Offset = RowOffset(FRowPieces.size());
    piece.First = FNextRow;
    piece.Start = FNextRow < n ? FRowLeaves[FNextRow]->Bounds.Top : 0;
    int j = FNextRow;
    double bottom = piece.Start;
    for (; j < n; ++j) {
        const TfrxCrossHeader::TBounds& b = FRowLeaves[j]->Bounds;
        if (j > piece.First && b.Top + b.Height - piece.Start > Space + kEps) break;
        bottom = b.Top + b.Height;
    }
    piece.Last = j - 1;
    const double cut = j < n ? FRowLeaves[j]->Bounds.Top : std::max(piece.Start + Space, bottom);
    piece.Band->SetWidth(FRowHeaderWidth);
    piece.Band->SetHeight(bottom - piece.Start);
    if (piece.Last < 32768) piece.Band->SetTag(std::max(piece.First, 0) + 65536 * std::max(piece.Last, 0));
    TakeHeaders(FRowWork, piece, cut, axis);
    FNextRow = j;
    FRowPieces.push_back(std::move(piece));
}

std::unique_ptr<TfrxBand> TCrossOutput::BuildCellBand(int Row, const TPiece& Columns, double CellX) {
    std::unique_ptr<TfrxBand> band(NewBand());
    TfrxCrossHeader* rowLeaf = FRowLeaves[Row];
    const double rowHeight = rowLeaf->Bounds.Height;
    band->SetHeight(rowHeight);
    const int levels = FMatrix.CellLevels();
    const int lastRow = FMatrix.RowCount() - 1, lastColumn = FMatrix.ColCount() - 1;
    const double firstLeft = FColumnLeaves[Columns.First]->Bounds.Left;
    const Variant rowValues = FCellEvents ? FMatrix.GetRowValues(Row) : Variant();
    for (int c = Columns.First; c <= Columns.Last; ++c) {
        TfrxCrossHeader* colLeaf = FColumnLeaves[c];
        const Variant colValues = FCellEvents ? FMatrix.GetColumnValues(c) : Variant();
        double x = CellX + colLeaf->Bounds.Left - firstLeft;
        for (int i = 0; i < levels; ++i) {
            TfrxCustomMemoView* cellTemplate = FView.CellMemos(i);
            TfrxCustomMemoView* tmpl = colLeaf->IsTotal ? colLeaf->Memo : (rowLeaf->IsTotal ? rowLeaf->Memo : nullptr);
            if (!tmpl) tmpl = cellTemplate;
            const Variant value = FMatrix.GetValue(Row, c, i);
            TfrxCustomMemoView* m = NewMemo(tmpl, band.get());
            m->SetValue(value.IsNull() || value.IsEmpty() ? Variant(0) : value);
            m->SetText(m->FormatData(value));
            m->SetRotation(0);
            m->HAlign = cellTemplate->HAlign;
            m->Frame()->Assign(cellTemplate->Frame());
            if (FCellEvents) FView.DoPrintCell(m, Row, c, i, rowValues, colValues, value);
            if (FView.Border) {
                if (!FView.PlainCells()) {
                    if (Row == 0 && i == 0) AddFrameLine(m, ftTop);
                    if (c == 0) AddFrameLine(m, ftLeft);
                    if (c == lastColumn) AddFrameLine(m, ftRight);
                    if (Row == lastRow && i == levels - 1) AddFrameLine(m, ftBottom);
                } else {
                    if (Row == 0) AddFrameLine(m, ftTop);
                    if (c == 0 && i == 0) AddFrameLine(m, ftLeft);
                    if (c == lastColumn && i == levels - 1) AddFrameLine(m, ftRight);
                    if (Row == lastRow) AddFrameLine(m, ftBottom);
                }
            }
            if (!FView.PlainCells()) {
                const double h = rowHeight / levels;
                m->SetBounds(x, i * h, colLeaf->Bounds.Width, h);
            } else {
                const double w = colLeaf->GetCellSize(i);
                m->SetBounds(x, 0, w, rowHeight);
                x += w;
            }
            PlaceDotMatrix(m);
            m->SetVisible(m->Width() != 0 && m->Height() != 0);
        }
    }
    return band;
}

void TCrossOutput::OutputPiece(size_t Row, size_t Column, double Y) {
    const TPiece& rows = FRowPieces[Row];
    const TPiece& columns = FColumnPieces[Column];
    const bool repeat = FView.RepeatHeaders;
    if (FView.ShowColumnHeader && !FMatrix.NoColumns && (repeat || Row == 0))
        FEngine.ShowBuiltBand(columns.Band.get(), FBaseX + columns.Offset, Y);
    if (FView.ShowRowHeader && !FMatrix.NoRows && (repeat || Column == 0))
        FEngine.ShowBuiltBand(rows.Band.get(), FBaseX, Y + rows.Offset);
    const double cellY = Row > 0 && !repeat ? Y : Y + FColumnHeaderHeight;
    const double cellX = Column > 0 && !repeat ? 0 : FRowHeaderWidth;
    FEngine.CurY = cellY;
    if (columns.Last < columns.First) return;
    for (int r = rows.First; r <= rows.Last; ++r) {
        std::unique_ptr<TfrxBand> band = BuildCellBand(r, columns, cellX);
        FEngine.ShowBuiltBand(band.get(), FBaseX, FEngine.CurY);
        for (TfrxComponent* c : band->ObjectList()) FPages.ForgetRunLink(c);
    }
}

void TCrossOutput::Breathe() {
    if (TApplication* app = ApplicationInstance()) app->ProcessMessages();
}

void TCrossOutput::Run() {
    FCellEvents = !FView.OnPrintCell.empty() || FView.PrintCellHandler;
    FHeaderEvents[0] = !FView.OnPrintColumnHeader.empty() || FView.PrintColumnHeaderHandler;
    FHeaderEvents[1] = !FView.OnPrintRowHeader.empty() || FView.PrintRowHeaderHandler;
    FColumnHeaderHeight = FView.GetColumnHeaderHeight();
    FRowHeaderWidth = FView.GetRowHeaderWidth();
    FColumnLeaves = FMatrix.ColumnHeader()->TerminalItems();
    FRowLeaves = FMatrix.RowHeader()->TerminalItems();
    FColumnLeaves.resize(std::min<size_t>(FColumnLeaves.size(), static_cast<size_t>(FMatrix.ColCount())));
    FRowLeaves.resize(std::min<size_t>(FRowLeaves.size(), static_cast<size_t>(FMatrix.RowCount())));

    // Nothing was added: nothing to print.
    if (FColumnLeaves.empty() || FRowLeaves.empty()) return;
    AddTemplatesToSourcePage();
    if (FView.ShowColumnHeader && !FMatrix.NoColumns) BuildHeaders(FMatrix.ColumnHeader(), true, FColumnWork);
    if (FView.ShowRowHeader && !FMatrix.NoRows) BuildHeaders(FMatrix.RowHeader(), false, FRowWork);
    BuildColumnPieces();

    // The output spreads over pages by itself: a keep block open around it would carry
    // the pieces to the next page.
    FEngine.CloseKeep();
    const bool canBreak = FEngine.CanBreakPage();
    FBaseX = FEngine.CurX + FView.Left();
    const int startPage = FPages.CurPage;
    const double startY = FEngine.CurY;
    double y = startY + FView.Top();

    // Not even the first row fits below what the page holds already: the result starts
    // on the next page rather than overflowing this one.
    if (canBreak && !FRowLeaves.empty() && y > FEngine.PageTop() + kEps &&
        FRowLeaves[0]->Bounds.Height > FirstRowSpace(y) + kEps) {
        FEngine.NewPage();
        y = FEngine.CurY;
    }

    int contPage = FPages.CurPage;
    double contY = y, contTop = y;
    const size_t nColumns = FColumnPieces.size();
    if (!FView.DownThenAcross) {
        for (size_t r = 0;; ++r) {
            BuildRowPiece(FirstRowSpace(y));
            for (size_t c = 0; c < nColumns; ++c) {
                if (c > 0) {
                    if (!canBreak) break;
                    FEngine.NewPage();
                }
                OutputPiece(r, c, c == 0 ? y : FEngine.CurY);
                if (c == 0) {
                    contPage = FPages.CurPage;
                    contY = FEngine.CurY;
                    contTop = y;
                }
            }
            if (!MoreRows() || !canBreak || FPages.Terminated()) break;
            FEngine.NewPage();
            y = FEngine.CurY;
            Breathe();
        }
    } else {
        for (size_t c = 0; c < nColumns; ++c) {
            for (size_t r = 0;; ++r) {
                if (c == 0) BuildRowPiece(FirstRowSpace(y));
                OutputPiece(r, c, y);
                const bool more = c == 0 ? MoreRows() : r + 1 < FRowPieces.size();
                if (c == 0 && !more) {
                    contPage = FPages.CurPage;
                    contY = FEngine.CurY;
                    contTop = y;
                }
                if (!more || !canBreak) break;
                FEngine.NewPage();
                y = FEngine.CurY;
            }
            if (c + 1 >= nColumns || !canBreak || FPages.Terminated()) break;
            FEngine.NewPage();
            y = FEngine.CurY;
            Breathe();
        }
    }

    // Output goes on below the result on the page of the last row piece's first column
    // piece; the page made last is closed, and the next page is made at the end.
    if (FPages.CurPage != contPage) FEngine.EndPage();
    const bool pagesAfter = contPage < FPages.Count() - 1;
    FPages.CurPage = contPage;
    if (pagesAfter) FPages.AddPages = true;
    // The view's band follows with the view's bottom at the result's end; it never
    // moves above where it stood (an empty result) nor above the page's top.
    const double floorY = contPage == startPage ? startY : contTop;
    FEngine.CurY = std::max(contY - FView.Top() - FView.Height(), floorY);
}

}  // namespace

void TfrxCustomCrossView::OutputResult() {
    TfrxReport* report = Report();
    if (!report) return;
    auto* engine = dynamic_cast<TfrxEngine*>(report->Engine());
    auto* pages = dynamic_cast<TfrxPreviewPages*>(report->PreviewPages());
    if (!engine || !pages || !engine->Running || pages->CurPage < 0) return;
    TCrossOutput(*this, *engine, *pages).Run();
}
