// TDBGrid over QTableView: a table model that reads the dataset's records by position
// (without moving the current record) and a data link that resets, scrolls or refreshes
// the view when the dataset says so.
#include "platform/ui/DBGrids.h"

#include "platform/graphics/QtBridge.h"
#include "platform/ui/QtPeer.h"

#include <QAbstractTableModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>
#include <algorithm>

ROVE_IMPLEMENT_CLASS(TColumnTitle)
ROVE_IMPLEMENT_CLASS(TColumn)
ROVE_IMPLEMENT_CLASS(TDBGridColumns)
ROVE_IMPLEMENT_CLASS(TDBGrid)

namespace {

bool IsLoading(const TComponent* c) { return c->ComponentState().Contains(csLoading); }

class TGridModel final : public QAbstractTableModel {
public:
    explicit TGridModel(TDBGrid* grid) : FGrid(grid) {}
    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : FGrid->RowCount(); }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : FGrid->ColumnCount(); }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        if (role == Qt::DisplayRole || role == Qt::EditRole) return QStr(FGrid->CellText(index.row(), index.column()));
        if (role == Qt::TextAlignmentRole) {
            TAlignment a = taLeftJustify;
            if (index.column() < FGrid->Columns()->Count() && FGrid->Columns()->Count() > 0) {
                if (TField* f = FGrid->ColumnField(index.column()); f) a = FGrid->Columns()->Items(index.column())->Alignment();
            } else if (TField* f = FGrid->ColumnField(index.column()); f && (IsIntegerFieldType(f->DataType()) || IsFloatFieldType(f->DataType()))) {
                a = taRightJustify;
            }
            return int((a == taRightJustify ? Qt::AlignRight : a == taCenter ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
        }
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole) return {};
        if (orientation == Qt::Horizontal) return QStr(FGrid->ColumnTitle(section));
        return section == FGrid->Row() ? QStringLiteral("▶") : QString();
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        TField* field = FGrid->ColumnField(index.column());
        bool readOnly = FGrid->ReadOnly() || !FGrid->Options().Contains(dgEditing) || !field || field->ReadOnly();
        if (FGrid->Columns()->Count() > 0 && index.column() < FGrid->Columns()->Count())
            readOnly = readOnly || FGrid->Columns()->Items(index.column())->ReadOnly();
        if (!readOnly) f |= Qt::ItemIsEditable;
        return f;
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (role != Qt::EditRole) return false;
        TField* field = FGrid->ColumnField(index.column());
        TDataSet* ds = field ? field->DataSet() : nullptr;
        if (!ds) return false;
        return SafeCall([&] {
            ds->SetRecNo(index.row() + 1);
            ds->Edit();
            field->SetAsString(StdStr(value.toString()));
            ds->Post();
        });
    }
    void Reset() {
        beginResetModel();
        endResetModel();
    }
    void RowChanged(int row) {
        if (row < 0 || row >= rowCount({})) return;
        emit dataChanged(index(row, 0), index(row, std::max(0, columnCount({}) - 1)));
    }

private:
    TDBGrid* FGrid;
};

// The grid's link to its data source.
class TGridDataLink final : public TDataLink {
public:
    explicit TGridDataLink(TDBGrid* grid) : FGrid(grid) {}
    void ActiveChanged() override { FGrid->LayoutChanged(); }
    void DataSetChanged() override { FGrid->DataChanged(); }
    void DataSetScrolled(int) override { FGrid->Scrolled(); }
    void RecordChanged(TField*) override { FGrid->DataChanged(); }
    void LayoutChanged() override { FGrid->LayoutChanged(); }

private:
    TDBGrid* FGrid;
};

}  // namespace

struct TDBGridPeer {
    TGridDataLink Link;
    TGridModel* Model = nullptr;
    explicit TDBGridPeer(TDBGrid* grid) : Link(grid) {}
};

// --- TColumnTitle and TColumn ------------------------------------------------------------

TColumnTitle::TColumnTitle(TColumn* Column) : FColumn(Column), FFont(std::make_unique<TFont>()) {}

std::string TColumnTitle::Caption() const {
    if (FCaptionSet) return FCaption;
    if (FColumn) {
        if (TField* f = FColumn->Field()) return f->DisplayLabel();
        return FColumn->FieldName();
    }
    return {};
}

void TColumnTitle::SetCaption(const std::string& Value) {
    FCaption = Value;
    FCaptionSet = true;
    if (FColumn && FColumn->Grid()) FColumn->Grid()->LayoutChanged();
}

void TColumnTitle::SetAlignment(TAlignment Value) { FAlignment = Value; }

TPersistent* TColumnTitle::GetOwner() const { return FColumn; }

void TColumnTitle::DeclareProperties(TPropertyDecl<TColumnTitle>& d) {
    d.Property("Alignment", &TColumnTitle::Alignment, &TColumnTitle::SetAlignment).Default(taLeftJustify);
    d.Property("Caption", &TColumnTitle::Caption, &TColumnTitle::SetCaption).Stored(&TColumnTitle::IsCaptionStored);
    d.Property("Color", ColorTypeInfo(), &TColumnTitle::Color, &TColumnTitle::SetColor).Default(clBtnFace);
    d.Property("Font", &TColumnTitle::Font, &TColumnTitle::SetFont);
}

TColumn::TColumn(TCollection* Collection) : TCollectionItem(Collection), FTitle(std::make_unique<TColumnTitle>(this)) {}

TColumn::~TColumn() = default;

TDBGrid* TColumn::Grid() const {
    auto* cols = dynamic_cast<TDBGridColumns*>(Collection());
    return cols ? cols->Grid() : nullptr;
}

void TColumn::SetFieldName(const std::string& Value) {
    FFieldName = Value;
    Changed(true);
}

TField* TColumn::Field() const {
    TDBGrid* g = Grid();
    if (!g || !g->DataSource() || !g->DataSource()->DataSet() || FFieldName.empty()) return nullptr;
    return g->DataSource()->DataSet()->FindField(FFieldName);
}

void TColumn::SetTitle(TColumnTitle* Value) {
    if (!Value) return;
    if (Value->CaptionSet()) FTitle->SetCaption(Value->Caption());
    FTitle->SetAlignment(Value->Alignment());
}

int TColumn::Width() const {
    if (FWidthSet) return FWidth;
    if (TDBGrid* g = Grid()) {
        QFontMetrics fm(ToQFont(*g->Font()));
        const int digit = fm.horizontalAdvance(QLatin1Char('0'));
        const int title = fm.horizontalAdvance(QStr(FTitle->Caption())) + 4;
        if (TField* f = Field()) return std::max(f->DisplayWidth() * digit + 4, title);
        return std::max(64, title);
    }
    return FWidth;
}

void TColumn::SetWidth(int Value) {
    FWidth = Value;
    FWidthSet = true;
    Changed(false);
}

void TColumn::ChangeScale(int M, int D) {
    if (FWidthSet && M != D) SetWidth(MulDiv(FWidth, M, D));
}

void TColumn::SetVisible(bool Value) {
    FVisible = Value;
    Changed(true);
}

void TColumn::SetReadOnly(bool Value) { FReadOnly = Value; }

void TColumn::SetAlignment(TAlignment Value) {
    FAlignment = Value;
    Changed(false);
}

void TColumn::SetColor(TColor Value) { FColor = Value; }

std::string TColumn::DisplayName() const { return FFieldName.empty() ? TCollectionItem::DisplayName() : FFieldName; }

void TColumn::DeclareProperties(TPropertyDecl<TColumn>& d) {
    d.Property("Alignment", &TColumn::Alignment, &TColumn::SetAlignment).Default(taLeftJustify);
    d.Property("Color", ColorTypeInfo(), &TColumn::Color, &TColumn::SetColor).Default(clWindow);
    d.Property("FieldName", &TColumn::FieldName, &TColumn::SetFieldName);
    d.Property("ReadOnly", &TColumn::ReadOnly, &TColumn::SetReadOnly).Default(false);
    d.Property("Title", &TColumn::Title, &TColumn::SetTitle);
    d.Property("Visible", &TColumn::Visible, &TColumn::SetVisible).Default(true);
    d.Property("Width", &TColumn::Width, &TColumn::SetWidth).Stored(&TColumn::IsWidthStored);
}

TDBGridColumns::TDBGridColumns(TDBGrid* Grid) : TCollection(TColumn::StaticClass(), Grid), FGrid(Grid) {
    SetPropName("Columns");
}

void TDBGridColumns::Update(TCollectionItem* Item) {
    TCollection::Update(Item);
    if (FGrid) FGrid->LayoutChanged();
}

// --- TDBGrid -----------------------------------------------------------------------------

TDBGrid::TDBGrid(TComponent* AOwner)
    : TWinControl(AOwner),
      FColumns(std::make_unique<TDBGridColumns>(this)),
      FGridPeer(std::make_unique<TDBGridPeer>(this)),
      FTitleFont(std::make_unique<TFont>()) {
    FColor = clWindow;
    FTabStop = true;
    auto* view = new TScrollHost<QTableView>(this);
    view->setFocusPolicy(Qt::StrongFocus);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectItems);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    view->setWordWrap(false);
    view->horizontalHeader()->setHighlightSections(false);
    view->verticalHeader()->setDefaultSectionSize(18);
    view->verticalHeader()->setMinimumSectionSize(8);
    view->verticalHeader()->setFixedWidth(12);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    auto* model = new TGridModel(this);
    model->setParent(view);
    FGridPeer->Model = model;
    view->setModel(model);
    QObject::connect(view->selectionModel(), &QItemSelectionModel::currentChanged, view,
                     [this](const QModelIndex& current, const QModelIndex& previous) {
                         if (FSyncing || !current.isValid()) return;
                         if (current.column() != previous.column()) SafeCall([&] { OnColEnter(this); });
                         if (current.row() != previous.row()) SafeCall([&] { RowPicked(current.row()); });
                     });
    QObject::connect(view, &QTableView::clicked, view, [this](const QModelIndex& index) {
        if (index.isValid()) SafeCall([&] { CellClicked(index.column()); });
    });
    QObject::connect(view->horizontalHeader(), &QHeaderView::sectionClicked, view, [this](int section) {
        if (FColumns->Count() > 0 && section < static_cast<int>(FShown.size()) && FShown[section].Column)
            SafeCall([&] { OnTitleClick(FShown[section].Column); });
    });
    QObject::connect(view->horizontalHeader(), &QHeaderView::sectionResized, view, [this](int section, int, int size) {
        if (FSyncing || section >= static_cast<int>(FShown.size()) || !FShown[section].Column) return;
        FSyncing = true;
        FShown[section].Column->SetWidth(size);
        FSyncing = false;
    });
    SetPeer(std::make_unique<TControlPeer>(view));
    FTitleFont->OnChange = [this](TObject*) {
        if (!FTitleFontFromFont) FTitleFontSet = true;
        ApplyFont();
    };
    FWidth = 320;
    FHeight = 120;
    ApplyBounds();
    ApplyColor();
    ApplyOptions();
}

TDBGrid::~TDBGrid() {
    DestroyPeer();
    FGridPeer->Link.SetDataSource(nullptr);
    FColumns.reset();
}

TDataSource* TDBGrid::DataSource() const { return FGridPeer->Link.DataSource(); }

void TDBGrid::SetDataSource(TDataSource* Value) {
    FGridPeer->Link.SetDataSource(Value);
    FSource = Value;
    if (Value) Value->FreeNotification(this);
    LayoutChanged();
}

// A data source that goes takes its columns' fields with it (the link may already be
// cut by the source itself).
void TDBGrid::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove || !FGridPeer || AComponent != FSource) return;
    FSource = nullptr;
    FGridPeer->Link.SetDataSource(nullptr);
    FShown.clear();
    if (FGridPeer->Model && !ComponentState().Contains(csDestroying)) LayoutChanged();
}

void TDBGrid::SetColumns(TDBGridColumns* Value) {
    if (Value) FColumns->Assign(Value);
}

void TDBGrid::SetOptions(TDBGridOptions Value) {
    FOptions = Value;
    ApplyOptions();
}

void TDBGrid::SetReadOnly(bool Value) {
    FReadOnly = Value;
    ApplyOptions();
}

void TDBGrid::ApplyOptions() {
    auto* view = TypedWidget<QTableView>(this);
    if (!view) return;
    view->horizontalHeader()->setVisible(FOptions.Contains(dgTitles));
    view->verticalHeader()->setVisible(FOptions.Contains(dgIndicator));
    view->setSelectionBehavior(FOptions.Contains(dgRowSelect) ? QAbstractItemView::SelectRows
                                                               : QAbstractItemView::SelectItems);
    view->setSelectionMode(FOptions.Contains(dgMultiSelect) ? QAbstractItemView::ExtendedSelection
                                                             : QAbstractItemView::SingleSelection);
    view->setShowGrid(FOptions.Contains(dgColLines) || FOptions.Contains(dgRowLines));
    view->horizontalHeader()->setSectionResizeMode(FOptions.Contains(dgColumnResize) ? QHeaderView::Interactive
                                                                                     : QHeaderView::Fixed);
    const bool editable = !FReadOnly && FOptions.Contains(dgEditing);
    view->setEditTriggers(editable ? (QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed)
                                   : QAbstractItemView::NoEditTriggers);
}

int TDBGrid::DefaultRowHeight() const {
    if (FDefaultRowHeight > 0) return FDefaultRowHeight;
    QFontMetrics fm(ToQFont(*FFont));
    return fm.height() + 3;
}

void TDBGrid::SetDefaultRowHeight(int Value) {
    FDefaultRowHeight = Value;
    if (auto* view = TypedWidget<QTableView>(this)) view->verticalHeader()->setDefaultSectionSize(DefaultRowHeight());
}

void TDBGrid::BuildColumns() {
    FShown.clear();
    TDataSet* ds = DataSource() ? DataSource()->DataSet() : nullptr;
    if (FColumns->Count() > 0) {
        for (int i = 0; i < FColumns->Count(); ++i) {
            TColumn* c = FColumns->Items(i);
            if (!c->Visible()) continue;
            FShown.push_back({c->Field(), c});
        }
        return;
    }
    if (!ds || !ds->Active()) return;
    for (int i = 0; i < ds->FieldCount(); ++i) {
        TField* f = ds->Fields()[i];
        if (f->Visible()) FShown.push_back({f, nullptr});
    }
}

int TDBGrid::ColumnCount() const { return static_cast<int>(FShown.size()); }

TField* TDBGrid::ColumnField(int Index) const {
    if (Index < 0 || Index >= ColumnCount()) return nullptr;
    return FShown[Index].Field;
}

std::string TDBGrid::ColumnTitle(int Index) const {
    if (Index < 0 || Index >= ColumnCount()) return {};
    if (FShown[Index].Column) return FShown[Index].Column->Title()->Caption();
    return FShown[Index].Field ? FShown[Index].Field->DisplayLabel() : std::string();
}

int TDBGrid::ColumnWidth(int Index) const {
    if (Index < 0 || Index >= ColumnCount()) return 0;
    if (FShown[Index].Column) return FShown[Index].Column->Width();
    TField* f = FShown[Index].Field;
    QFontMetrics fm(ToQFont(*FFont));
    const int digit = fm.horizontalAdvance(QLatin1Char('0'));
    const int title = fm.horizontalAdvance(QStr(ColumnTitle(Index))) + 4;
    return std::max(f ? f->DisplayWidth() * digit + 4 : 64, title);
}

int TDBGrid::RowCount() const {
    TDataSet* ds = DataSource() && DataSource()->Enabled() ? DataSource()->DataSet() : nullptr;
    if (!ds || !ds->Active()) return 0;
    return ds->RecordCount();
}

std::string TDBGrid::CellText(int Row, int Column) const {
    TField* f = ColumnField(Column);
    if (!f || !f->DataSet()) return {};
    return f->DataSet()->DisplayTextAt(Row + 1, f);
}

int TDBGrid::Row() const {
    TDataSet* ds = DataSource() ? DataSource()->DataSet() : nullptr;
    if (!ds || !ds->Active() || RowCount() == 0) return -1;
    return ds->RecNo() - 1;
}

int TDBGrid::ShownRow() const {
    auto* view = TypedWidget<QTableView>(this);
    return view && view->currentIndex().isValid() ? view->currentIndex().row() : -1;
}

int TDBGrid::SelectedIndex() const {
    auto* view = TypedWidget<QTableView>(this);
    if (!view) return 0;
    const QModelIndex i = view->currentIndex();
    return i.isValid() ? i.column() : 0;
}

void TDBGrid::SetSelectedIndex(int Value) {
    auto* view = TypedWidget<QTableView>(this);
    if (!view || Value < 0 || Value >= ColumnCount()) return;
    FSyncing = true;
    view->setCurrentIndex(FGridPeer->Model->index(std::max(0, Row()), Value));
    FSyncing = false;
}

TField* TDBGrid::SelectedField() const { return ColumnField(SelectedIndex()); }

void TDBGrid::LayoutChanged() {
    if (IsLoading(this) || ComponentState().Contains(csDestroying) || !FGridPeer || !FGridPeer->Model) return;
    BuildColumns();
    FGridPeer->Model->Reset();
    if (auto* view = TypedWidget<QTableView>(this)) {
        FSyncing = true;
        for (int i = 0; i < ColumnCount(); ++i) view->setColumnWidth(i, ColumnWidth(i));
        FSyncing = false;
    }
    Scrolled();
}

void TDBGrid::DataChanged() {
    if (IsLoading(this) || !FGridPeer || !FGridPeer->Model) return;
    // Fields may have been created or freed with the records (a dataset reopened).
    bool stale = false;
    for (const TDisplayColumn& c : FShown)
        if (c.Column && c.Column->Field() != c.Field) stale = true;
    if (stale || (FColumns->Count() == 0 && DataSource() && DataSource()->DataSet() &&
                  static_cast<int>(FShown.size()) != DataSource()->DataSet()->FieldCount()))
        BuildColumns();
    FGridPeer->Model->Reset();
    Scrolled();
}

void TDBGrid::Scrolled() {
    auto* view = TypedWidget<QTableView>(this);
    if (!view || !FGridPeer->Model) return;
    const int row = Row();
    FSyncing = true;
    const int col = std::clamp(view->currentIndex().isValid() ? view->currentIndex().column() : 0, 0,
                               std::max(0, ColumnCount() - 1));
    if (row >= 0 && ColumnCount() > 0) {
        const QModelIndex index = FGridPeer->Model->index(row, col);
        view->selectionModel()->setCurrentIndex(index, FOptions.Contains(dgRowSelect)
                                                           ? QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows
                                                           : QItemSelectionModel::ClearAndSelect);
        view->scrollTo(index);
    } else {
        view->selectionModel()->clear();
    }
    emit FGridPeer->Model->headerDataChanged(Qt::Vertical, 0, std::max(0, RowCount() - 1));
    FSyncing = false;
}

void TDBGrid::RowPicked(int RowIndex) {
    TDataSet* ds = DataSource() ? DataSource()->DataSet() : nullptr;
    if (!ds || !ds->Active()) return;
    if (ds->RecNo() != RowIndex + 1) ds->SetRecNo(RowIndex + 1);
}

void TDBGrid::CellClicked(int Column) {
    TColumn* c = Column >= 0 && Column < ColumnCount() ? FShown[Column].Column : nullptr;
    OnCellClick(c);
}

bool TDBGrid::WantsKey(uint16_t Key, TShiftState) const {
    if (Key == VK_TAB) return FOptions.Contains(dgTabs);
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

void TDBGrid::ApplyFont() {
    TWinControl::ApplyFont();
    if (!FTitleFontSet && !FTitleFontFromFont) {
        FTitleFontFromFont = true;
        FTitleFont->Assign(*FFont);
        FTitleFontFromFont = false;
    }
    if (auto* view = TypedWidget<QTableView>(this)) {
        view->verticalHeader()->setDefaultSectionSize(DefaultRowHeight());
        view->horizontalHeader()->setFont(ToQFont(*FTitleFont));
    }
}

void TDBGrid::ChangeScale(int M, int D) {
    if (M == D) return;
    TWinControl::ChangeScale(M, D);
    if (FTitleFontSet) FTitleFont->SetSize(MulDiv(FTitleFont->Size(), M, D));
    if (FDefaultRowHeight > 0) SetDefaultRowHeight(MulDiv(FDefaultRowHeight, M, D));
    for (int i = 0; i < FColumns->Count(); ++i) FColumns->Items(i)->ChangeScale(M, D);
    LayoutChanged();
}

void TDBGrid::ApplyColor() {
    TWinControl::ApplyColor();
    if (QWidget* w = WidgetOf(this)) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Base, ToQColor(FColor));
        w->setPalette(pal);
    }
}

void TDBGrid::Loaded() {
    TWinControl::Loaded();
    LayoutChanged();
}

void TDBGrid::DeclareProperties(TPropertyDecl<TDBGrid>& d) {
    d.Property("Color", ColorTypeInfo(), &TControl::Color, &TControl::SetColor).Default(clWindow);
    d.Property("Columns", &TDBGrid::Columns, &TDBGrid::SetColumns);
    d.Property("DataSource", &TDBGrid::DataSource, &TDBGrid::SetDataSource);
    d.Property("DefaultRowHeight", &TDBGrid::DefaultRowHeight, &TDBGrid::SetDefaultRowHeight).Stored(false);
    d.Property("FixedColor", ColorTypeInfo(), &TDBGrid::FixedColor, &TDBGrid::SetFixedColor).Default(clBtnFace);
    d.Property("Options", &TDBGrid::Options, &TDBGrid::SetOptions)
        .Default(TDBGridOptions{dgEditing, dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs,
                                dgConfirmDelete, dgCancelOnExit}.Mask());
    d.Property("ReadOnly", &TDBGrid::ReadOnly, &TDBGrid::SetReadOnly).Default(false);
    d.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
    d.Property("TitleFont", &TDBGrid::TitleFont, &TDBGrid::SetTitleFont);
    d.Event("OnCellClick", &TDBGrid::OnCellClick);
    d.Event("OnColEnter", &TDBGrid::OnColEnter);
    d.Event("OnColExit", &TDBGrid::OnColExit);
    d.Event("OnTitleClick", &TDBGrid::OnTitleClick);
}
