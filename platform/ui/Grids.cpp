// TStringGrid over QTableView: the fixed rows and columns are ordinary cells drawn in the
// fixed colour (as the class library's grid counts them), the model reads the cell store.
#include "platform/ui/Grids.h"

#include "platform/graphics/QtBridge.h"
#include "platform/ui/QtPeer.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>

ROVE_IMPLEMENT_CLASS(TStringGrid)

namespace {

class TCellModel final : public QAbstractTableModel {
public:
    explicit TCellModel(TStringGrid* grid) : FGrid(grid) {}
    int rowCount(const QModelIndex& p) const override { return p.isValid() ? 0 : FGrid->RowCount(); }
    int columnCount(const QModelIndex& p) const override { return p.isValid() ? 0 : FGrid->ColCount(); }
    QVariant data(const QModelIndex& i, int role) const override {
        if (!i.isValid()) return {};
        const bool fixed = i.row() < FGrid->FixedRows() || i.column() < FGrid->FixedCols();
        if (role == Qt::DisplayRole || role == Qt::EditRole) return QStr(FGrid->Cells(i.column(), i.row()));
        if (role == Qt::BackgroundRole) return fixed ? ToQColor(FGrid->FixedColor()) : ToQColor(FGrid->Color());
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex& i) const override {
        const bool fixed = i.row() < FGrid->FixedRows() || i.column() < FGrid->FixedCols();
        if (fixed) return Qt::ItemIsEnabled;
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (FGrid->Options().Contains(goEditing)) f |= Qt::ItemIsEditable;
        return f;
    }
    bool setData(const QModelIndex& i, const QVariant& v, int role) override {
        if (role != Qt::EditRole) return false;
        FGrid->SetCells(i.column(), i.row(), StdStr(v.toString()));
        return true;
    }
    void Reset() {
        beginResetModel();
        endResetModel();
    }
    void CellChanged(int col, int row) { emit dataChanged(index(row, col), index(row, col)); }

private:
    TStringGrid* FGrid;
};

}  // namespace

struct TStringGridPeer {
    TCellModel* Model = nullptr;
    QPainter* Painter = nullptr;
};

TStringGrid::TStringGrid(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TCanvas>()), FGridPeer(std::make_unique<TStringGridPeer>()) {
    FColor = clWindow;
    FTabStop = true;
    auto* view = new TScrollHost<QTableView>(this);
    view->setFocusPolicy(Qt::StrongFocus);
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* model = new TCellModel(this);
    model->setParent(view);
    FGridPeer->Model = model;
    view->setModel(model);
    // The delegate hands its painter to OnDrawCell through the grid's canvas.
    class TPaintingDelegate final : public QStyledItemDelegate {
    public:
        TPaintingDelegate(QObject* parent, TStringGrid* grid, TStringGridPeer* peer)
            : QStyledItemDelegate(parent), FGrid(grid), FPeer(peer) {}
        void paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const override {
            if (!FGrid->OnDrawCell.Assigned()) {
                QStyledItemDelegate::paint(p, o, i);
                return;
            }
            TGridDrawState state;
            if (o.state & QStyle::State_Selected) state.Include(gdSelected);
            if (o.state & QStyle::State_HasFocus) state.Include(gdFocused);
            if (i.row() < FGrid->FixedRows() || i.column() < FGrid->FixedCols()) state.Include(gdFixed);
            const QRect r = o.rect;
            FPeer->Painter = p;
            FGrid->DrawCell(i.column(), i.row(), Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1), state);
            FPeer->Painter = nullptr;
        }

    private:
        TStringGrid* FGrid;
        TStringGridPeer* FPeer;
    };
    view->setItemDelegate(new TPaintingDelegate(view, this, FGridPeer.get()));
    QObject::connect(view->selectionModel(), &QItemSelectionModel::currentChanged, view,
                     [this](const QModelIndex& current, const QModelIndex&) {
                         if (!FSyncing && current.isValid()) SafeCall([&] { CellPicked(current.column(), current.row()); });
                     });
    SetPeer(std::make_unique<TControlPeer>(view));
    FWidth = 320;
    FHeight = 120;
    Resize2D();
    ApplyBounds();
    ApplyColor();
}

TStringGrid::~TStringGrid() { DestroyPeer(); }

void TStringGrid::Resize2D() {
    FCells.resize(FRowCount);
    for (auto& row : FCells) row.resize(FColCount);
    FColWidths.resize(FColCount, FDefaultColWidth);
    FRowHeights.resize(FRowCount, FDefaultRowHeight);
    FCol = std::clamp(FCol, std::min(FFixedCols, FColCount - 1), std::max(0, FColCount - 1));
    FRow = std::clamp(FRow, std::min(FFixedRows, FRowCount - 1), std::max(0, FRowCount - 1));
    Refresh2D();
}

void TStringGrid::Refresh2D() {
    auto* view = TypedWidget<QTableView>(this);
    if (!view || !FGridPeer->Model) return;
    FSyncing = true;
    FGridPeer->Model->Reset();
    for (int c = 0; c < FColCount; ++c) view->setColumnWidth(c, FColWidths[c]);
    for (int r = 0; r < FRowCount; ++r) view->setRowHeight(r, FRowHeights[r]);
    view->setShowGrid(FOptions.Contains(goVertLine) || FOptions.Contains(goHorzLine));
    view->setSelectionBehavior(FOptions.Contains(goRowSelect) ? QAbstractItemView::SelectRows
                                                              : QAbstractItemView::SelectItems);
    view->setEditTriggers(FOptions.Contains(goEditing) ? QAbstractItemView::AllEditTriggers
                                                       : QAbstractItemView::NoEditTriggers);
    if (FRowCount > 0 && FColCount > 0) view->setCurrentIndex(FGridPeer->Model->index(FRow, FCol));
    FSyncing = false;
}

void TStringGrid::SetColCount(int Value) {
    FColCount = std::max(0, Value);
    FFixedCols = std::min(FFixedCols, std::max(0, FColCount - 1));
    Resize2D();
}

void TStringGrid::SetRowCount(int Value) {
    FRowCount = std::max(0, Value);
    FFixedRows = std::min(FFixedRows, std::max(0, FRowCount - 1));
    Resize2D();
}

void TStringGrid::SetFixedCols(int Value) {
    if (Value >= FColCount && FColCount > 0) throw EInvalidOperation("Fixed column count must be less than column count");
    FFixedCols = std::max(0, Value);
    Resize2D();
}

void TStringGrid::SetFixedRows(int Value) {
    if (Value >= FRowCount && FRowCount > 0) throw EInvalidOperation("Fixed row count must be less than row count");
    FFixedRows = std::max(0, Value);
    Resize2D();
}

std::string TStringGrid::Cells(int ACol, int ARow) const {
    if (ACol < 0 || ACol >= FColCount || ARow < 0 || ARow >= FRowCount) throw EListError("Grid index out of range");
    return FCells[ARow][ACol];
}

void TStringGrid::SetCells(int ACol, int ARow, const std::string& Value) {
    if (ACol < 0 || ACol >= FColCount || ARow < 0 || ARow >= FRowCount) throw EListError("Grid index out of range");
    FCells[ARow][ACol] = Value;
    if (FGridPeer->Model) FGridPeer->Model->CellChanged(ACol, ARow);
}

int TStringGrid::ColWidths(int Index) const {
    if (Index < 0 || Index >= FColCount) throw EListError("Grid index out of range");
    return FColWidths[Index];
}

void TStringGrid::SetColWidths(int Index, int Value) {
    if (Index < 0 || Index >= FColCount) throw EListError("Grid index out of range");
    FColWidths[Index] = Value;
    if (auto* view = TypedWidget<QTableView>(this)) view->setColumnWidth(Index, Value);
}

int TStringGrid::RowHeights(int Index) const {
    if (Index < 0 || Index >= FRowCount) throw EListError("Grid index out of range");
    return FRowHeights[Index];
}

void TStringGrid::SetRowHeights(int Index, int Value) {
    if (Index < 0 || Index >= FRowCount) throw EListError("Grid index out of range");
    FRowHeights[Index] = Value;
    if (auto* view = TypedWidget<QTableView>(this)) view->setRowHeight(Index, Value);
}

void TStringGrid::SetDefaultColWidth(int Value) {
    FDefaultColWidth = Value;
    std::fill(FColWidths.begin(), FColWidths.end(), Value);
    Refresh2D();
}

void TStringGrid::SetDefaultRowHeight(int Value) {
    FDefaultRowHeight = Value;
    std::fill(FRowHeights.begin(), FRowHeights.end(), Value);
    Refresh2D();
}

void TStringGrid::SetOptions(TGridOptions Value) {
    FOptions = Value;
    Refresh2D();
}

void TStringGrid::SetFixedColor(TColor Value) {
    FFixedColor = Value;
    Invalidate();
}

// Moving to a cell asks OnSelectCell; fixed cells are never current.
bool TStringGrid::SelectCell(int ACol, int ARow) {
    if (ACol < FFixedCols || ARow < FFixedRows || ACol >= FColCount || ARow >= FRowCount) return false;
    bool can = true;
    OnSelectCell(this, ACol, ARow, can);
    if (!can) return false;
    FCol = ACol;
    FRow = ARow;
    if (auto* view = TypedWidget<QTableView>(this)) {
        FSyncing = true;
        view->setCurrentIndex(FGridPeer->Model->index(ARow, ACol));
        FSyncing = false;
    }
    return true;
}

void TStringGrid::CellPicked(int ACol, int ARow) {
    if (!SelectCell(ACol, ARow)) {
        // Refused: the view goes back to the current cell.
        FSyncing = true;
        if (auto* view = TypedWidget<QTableView>(this)) view->setCurrentIndex(FGridPeer->Model->index(FRow, FCol));
        FSyncing = false;
        return;
    }
    Click();
}

bool TStringGrid::DrawCell(int ACol, int ARow, TRect R, TGridDrawState State) {
    if (!OnDrawCell.Assigned() || !FGridPeer->Painter) return false;
    AttachPainter(*FCanvas, FGridPeer->Painter);
    FCanvas->Font()->Assign(*FFont);
    FCanvas->Brush()->SetColor(State.Contains(gdFixed) ? FFixedColor : FColor);
    SafeCall([&] { OnDrawCell(this, ACol, ARow, R, State); });
    DetachPainter(*FCanvas);
    return true;
}

bool TStringGrid::WantsKey(uint16_t Key, TShiftState) const {
    if (Key == VK_TAB) return FOptions.Contains(goTabs);
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

void TStringGrid::ApplyColor() {
    TWinControl::ApplyColor();
    if (QWidget* w = WidgetOf(this)) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Base, ToQColor(FColor));
        w->setPalette(pal);
    }
}

void TStringGrid::DeclareProperties(TPropertyDecl<TStringGrid>& d) {
    d.Property("ColCount", &TStringGrid::ColCount, &TStringGrid::SetColCount).Default(5);
    d.Property("Color", ColorTypeInfo(), &TControl::Color, &TControl::SetColor).Default(clWindow);
    d.Property("DefaultColWidth", &TStringGrid::DefaultColWidth, &TStringGrid::SetDefaultColWidth).Default(64);
    d.Property("DefaultRowHeight", &TStringGrid::DefaultRowHeight, &TStringGrid::SetDefaultRowHeight).Default(24);
    d.Property("FixedColor", ColorTypeInfo(), &TStringGrid::FixedColor, &TStringGrid::SetFixedColor).Default(clBtnFace);
    d.Property("FixedCols", &TStringGrid::FixedCols, &TStringGrid::SetFixedCols).Default(1);
    d.Property("FixedRows", &TStringGrid::FixedRows, &TStringGrid::SetFixedRows).Default(1);
    d.Property("Options", &TStringGrid::Options, &TStringGrid::SetOptions)
        .Default(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect}.Mask());
    d.Property("RowCount", &TStringGrid::RowCount, &TStringGrid::SetRowCount).Default(5);
    d.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
    d.Event("OnDrawCell", &TStringGrid::OnDrawCell);
    d.Event("OnSelectCell", &TStringGrid::OnSelectCell);
}
