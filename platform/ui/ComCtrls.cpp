// Status bars, page controls, list views, date pickers and tool bars.
#include "platform/ui/ComCtrls.h"

#include "platform/graphics/QtBridge.h"
#include "platform/rtl/DateTime.h"
#include "platform/ui/ActnList.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/Menus.h"
#include "platform/ui/QtPeer.h"

#include <QAbstractItemModel>
#include <QDateTimeEdit>
#include <QLocale>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QListView>
#include <QPainter>
#include <QTabBar>
#include <QStyle>
#include <QStyleOptionToolButton>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QWheelEvent>
#include <algorithm>
#include <functional>
#include <cmath>

ROVE_IMPLEMENT_CLASS(TStatusPanel)
ROVE_IMPLEMENT_CLASS(TStatusPanels)
ROVE_IMPLEMENT_CLASS(TStatusBar)
ROVE_IMPLEMENT_CLASS(TTabSheet)
ROVE_IMPLEMENT_CLASS(TPageControl)
ROVE_IMPLEMENT_CLASS(TListColumn)
ROVE_IMPLEMENT_CLASS(TListColumns)
ROVE_IMPLEMENT_CLASS(TListView)
ROVE_IMPLEMENT_CLASS(TDateTimePicker)
ROVE_IMPLEMENT_CLASS(TToolButton)
ROVE_IMPLEMENT_CLASS(TToolBar)

namespace {

bool IsLoading(const TComponent* c) { return c->ComponentState().Contains(csLoading); }

QIcon MakeIcon(const TImageListComponent* images, int index, bool enabled) {
    TBitmap bmp(images->Width(), images->Height());
    TCanvas* c = bmp.Canvas();
    c->Brush()->SetColor(RGB(255, 0, 254));
    c->FillRect(Rect(0, 0, images->Width(), images->Height()));
    images->Draw(c, 0, 0, index, enabled);
    QImage image = BitmapImage(bmp).convertToFormat(QImage::Format_ARGB32);
    const QRgb key = qRgb(255, 0, 254);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (key & 0xFFFFFF)) image.setPixel(x, y, 0);
    return QIcon(QPixmap::fromImage(image));
}

// The icon of a picture of an image list. A tree of thousands of nodes (the designer's
// report tree) asks for the same few pictures again and again: the icons of the lists
// asked last are kept until their list changes (its stamp).
QIcon IconOf(const TImageListComponent* images, int index, bool enabled = true) {
    if (!images || index < 0 || index >= images->Count()) return {};
    struct TKept {
        uint64_t Stamp = 0;
        std::vector<QIcon> Icons[2];   // disabled, enabled; null until made
    };
    // Never freed: icons must not outlive the application object at exit.
    static auto& kept = *new std::vector<TKept>(4);
    static size_t next = 0;
    const uint64_t stamp = images->List().Stamp();
    TKept* entry = nullptr;
    for (TKept& k : kept)
        if (k.Stamp == stamp) entry = &k;
    if (!entry) {
        entry = &kept[next];
        next = (next + 1) % kept.size();
        *entry = TKept{};
        entry->Stamp = stamp;
    }
    std::vector<QIcon>& icons = entry->Icons[enabled ? 1 : 0];
    if (icons.size() <= static_cast<size_t>(index)) icons.resize(static_cast<size_t>(images->Count()));
    QIcon& icon = icons[static_cast<size_t>(index)];
    if (icon.isNull()) icon = MakeIcon(images, index, enabled);
    return icon;
}

// TDateTime days from 1899-12-30 and Qt dates.
QDateTime ToQDateTime(TDateTime v) {
    const double days = std::floor(v);
    const double frac = v - days;
    QDate d = QDate(1899, 12, 30).addDays(static_cast<qint64>(days));
    const int ms = static_cast<int>(std::llround(frac * 86400000.0));
    return QDateTime(d, QTime(0, 0).addMSecs(std::min(ms, 86399999)));
}

TDateTime FromQDateTime(const QDateTime& dt) {
    const qint64 days = QDate(1899, 12, 30).daysTo(dt.date());
    return static_cast<double>(days) + dt.time().msecsSinceStartOfDay() / 86400000.0;
}

// The program's date pictures ("yyyy-M-d") as Qt's (the letters mean the same).
QString QtDatePicture(const std::string& picture) {
    std::string out;
    for (size_t i = 0; i < picture.size(); ++i) {
        const char c = picture[i];
        if (c == 'n') out += 'm';   // minutes
        else out += c;
    }
    return QStr(out);
}

}  // namespace

// =========================================================================================
// TStatusBar
// =========================================================================================

TStatusPanel::TStatusPanel(TCollection* Collection) : TCollectionItem(Collection) {}

void TStatusPanel::SetText(const std::string& Value) {
    // A text set again unchanged leaves the bar alone: a long run sets the page count far
    // more often than it changes.
    if (Value == FText) return;
    FText = Value;
    Changed(false);
}
void TStatusPanel::SetWidth(int Value) {
    FWidth = Value;
    Changed(true);
}
void TStatusPanel::SetAlignment(TAlignment Value) {
    FAlignment = Value;
    Changed(false);
}
void TStatusPanel::SetStyle(TStatusPanelStyle Value) {
    FStyle = Value;
    Changed(false);
}
void TStatusPanel::SetBevel(TStatusPanelBevel Value) {
    FBevel = Value;
    Changed(false);
}

void TStatusPanel::DeclareProperties(TPropertyDecl<TStatusPanel>& d) {
    d.Property("Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment).Default(taLeftJustify);
    d.Property("Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel).Default(pbLowered);
    d.Property("Style", &TStatusPanel::Style, &TStatusPanel::SetStyle).Default(psText);
    d.Property("Text", &TStatusPanel::Text, &TStatusPanel::SetText);
    d.Property("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth).Default(50);
}

TStatusPanels::TStatusPanels(TStatusBar* Owner) : TCollection(TStatusPanel::StaticClass(), Owner), FBar(Owner) {
    SetPropName("Panels");
}

// One panel changed (its text, alignment, style or bevel): only its rectangle is
// repainted; a change of the panels' widths or of their set repaints the whole bar.
// The window system coalesces what is invalidated until the next paint.
void TStatusPanels::Update(TCollectionItem* Item) {
    TCollection::Update(Item);
    if (!FBar) return;
    if (Item && !FBar->SimplePanel()) FBar->InvalidatePanel(Item->Index());
    else FBar->Invalidate();
}

TStatusBar::TStatusBar(TComponent* AOwner) : TCustomControl(AOwner), FPanels(std::make_unique<TStatusPanels>(this)) {
    FAlign = alBottom;
    FAnchors = {akLeft, akRight, akBottom};
    FParentColor = false;
    FColor = clBtnFace;
    if (QWidget* w = WidgetOf(this)) w->setAutoFillBackground(true);
    FWidth = 200;
    FHeight = 19;
    ApplyBounds();
    ApplyColor();
}

void TStatusBar::SetPanels(TStatusPanels* Value) {
    if (Value) FPanels->Assign(Value);
}

void TStatusBar::SetSimplePanel(bool Value) {
    FSimplePanel = Value;
    Invalidate();
}

void TStatusBar::SetSimpleText(const std::string& Value) {
    FSimpleText = Value;
    Invalidate();
}

void TStatusBar::SetSizeGrip(bool Value) {
    FSizeGrip = Value;
    Invalidate();
}

void TStatusBar::ChangeScale(int M, int D) {
    if (M == D) return;
    TCustomControl::ChangeScale(M, D);
    for (int i = 0; i < FPanels->Count(); ++i) {
        TStatusPanel* p = FPanels->Items(i);
        p->SetWidth(MulDiv(p->Width(), M, D));
    }
}

void TStatusBar::InvalidatePanel(int Index) {
    QWidget* w = WidgetOf(this);
    if (!w || Index < 0 || Index >= FPanels->Count()) return;
    const TRect r = PanelRect(Index);
    w->update(QRect(r.Left, 0, r.Width(), FHeight));
}

TRect TStatusBar::PanelRect(int Index) const {
    int left = 0;
    for (int i = 0; i < Index; ++i) left += FPanels->Items(i)->Width();
    const bool last = Index == FPanels->Count() - 1;
    const int right = last ? std::max(FWidth, left) : left + FPanels->Items(Index)->Width();
    return Rect(left, 2, right, FHeight);
}

void TStatusBar::Paint() {
    TCanvas* c = Canvas();
    c->Font()->Assign(*FFont);
    if (FSimplePanel || FPanels->Count() == 0) {
        TRect r = Rect(2, 2, FWidth, FHeight);
        c->Brush()->SetStyle(bsClear);
        c->DrawText(FSimpleText, r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        return;
    }
    for (int i = 0; i < FPanels->Count(); ++i) {
        TStatusPanel* p = FPanels->Items(i);
        TRect r = PanelRect(i);
        // Panels outside the part being repainted are left as they are on screen.
        if (!c->RectVisible(Rect(r.Left, 0, r.Right, FHeight))) continue;
        r.Right -= 2;
        if (p->Bevel() != pbNone) {
            TRect frame = r;
            if (p->Bevel() == pbLowered) Frame3D(c, frame, clBtnShadow, clBtnHighlight, 1);
            else Frame3D(c, frame, clBtnHighlight, clBtnShadow, 1);
        }
        TRect inner = r;
        InflateRect(inner, -2, -1);
        if (p->Style() == psOwnerDraw) {
            SafeCall([&] { OnDrawPanel(this, p, inner); });
            continue;
        }
        c->Brush()->SetStyle(bsClear);
        unsigned flags = DT_SINGLELINE | DT_VCENTER;
        flags |= p->Alignment() == taCenter ? DT_CENTER : p->Alignment() == taRightJustify ? DT_RIGHT : DT_LEFT;
        c->DrawText(p->Text(), inner, flags);
    }
}

void TStatusBar::DeclareProperties(TPropertyDecl<TStatusBar>& d) {
    d.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alBottom);
    d.Property("Panels", &TStatusBar::Panels, &TStatusBar::SetPanels);
    d.Property("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel).Default(false);
    d.Property("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
    d.Property("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip).Default(true);
    d.Event("OnDrawPanel", &TStatusBar::OnDrawPanel);
}

// =========================================================================================
// TPageControl and TTabSheet
// =========================================================================================

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
    FVisible = false;
    FParentColor = true;
    auto* w = new THost<QWidget>(this);
    w->setAutoFillBackground(true);
    SetPeer(std::make_unique<TControlPeer>(w));
}

TTabSheet::~TTabSheet() {
    if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetText(const std::string& Value) {
    FText = Value;
    if (FPageControl) FPageControl->UpdateTabs();
}

void TTabSheet::SetPageControl(TPageControl* Value) {
    if (FPageControl == Value) return;
    SetParent(Value);
}

void TTabSheet::SetParent(TWinControl* AParent) {
    if (FPageControl && FPageControl != AParent) FPageControl->RemovePage(this);
    TWinControl::SetParent(AParent);
    if (auto* pc = dynamic_cast<TPageControl*>(AParent); pc && FPageControl != pc) pc->InsertPage(this);
}

void TTabSheet::SetTabVisible(bool Value) {
    FTabVisible = Value;
    if (FPageControl) FPageControl->UpdateTabs();
}

int TTabSheet::PageIndex() const {
    if (!FPageControl) return -1;
    for (int i = 0; i < FPageControl->PageCount(); ++i)
        if (FPageControl->Pages(i) == this) return i;
    return -1;
}

void TTabSheet::SetPageIndex(int Value) {
    if (!FPageControl) return;
    TPageControl* pc = FPageControl;
    pc->RemovePage(this);
    FPageControl = pc;
    (void)Value;
    pc->InsertPage(this);
}

int TTabSheet::TabIndex() const {
    if (!FPageControl || !FTabVisible) return -1;
    int n = 0;
    for (int i = 0; i < FPageControl->PageCount(); ++i) {
        if (FPageControl->Pages(i) == this) return n;
        if (FPageControl->Pages(i)->TabVisible()) ++n;
    }
    return -1;
}

void TTabSheet::DeclareProperties(TPropertyDecl<TTabSheet>& d) {
    d.Property("Caption", &TControl::Caption, &TControl::SetCaption);
    d.Property("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex).Default(-1);
    d.Property("PageControl", &TTabSheet::PageControl, &TTabSheet::SetPageControl);
    d.Property("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex).Stored(false);
    d.Property("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible).Default(true);
    d.Property("Visible", &TControl::Visible, &TControl::SetVisible).Stored(false);
    d.Event("OnHide", &TTabSheet::OnHide);
    d.Event("OnShow", &TTabSheet::OnShow);
}

namespace {
// The tabs are a part of the page control: the mouse on them reaches the control's mouse
// events; the wheel does not flip the tabs behind the pages' back (a page changes only
// through a click or the control's keys).
class TPageTabBar : public THost<QTabBar> {
public:
    using THost<QTabBar>::THost;

protected:
    void wheelEvent(QWheelEvent* e) override { e->ignore(); }
};

QTabBar* TabBarOf(const TPageControl* pc) {
    QWidget* w = WidgetOf(pc);
    return w ? w->findChild<QTabBar*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}
}  // namespace

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
    FTabStop = true;
    FParentColor = true;
    auto* w = new THost<QWidget>(this);
    w->setFocusPolicy(Qt::StrongFocus);
    auto* bar = new TPageTabBar(this, w);
    bar->setDrawBase(true);
    bar->setExpanding(false);
    bar->setFocusPolicy(Qt::NoFocus);
    QObject::connect(bar, &QTabBar::tabBarClicked, w, [this](int index) {
        if (!FSyncing && index >= 0) SafeCall([&] { TabClicked(index); });
    });
    SetPeer(std::make_unique<TControlPeer>(w));
    FWidth = 289;
    FHeight = 193;
    ApplyBounds();
}

TPageControl::~TPageControl() {
    if (auto* sink = dynamic_cast<TEventSink*>(TabBarOf(this))) sink->Control = nullptr;
    DestroyPeer();
    for (TTabSheet* p : FPages) p->FPageControl = nullptr;
    FPages.clear();
}

TTabSheet* TPageControl::Pages(int Index) const {
    if (Index < 0 || Index >= PageCount()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FPages[Index];
}

void TPageControl::InsertPage(TTabSheet* Page) {
    if (std::find(FPages.begin(), FPages.end(), Page) != FPages.end()) return;
    FPages.push_back(Page);
    Page->FPageControl = this;
    if (!FActivePage && Page->TabVisible() && !IsLoading(this)) FActivePage = Page;
    UpdateTabs();
    LayoutSheets();
}

void TPageControl::RemovePage(TTabSheet* Page) {
    auto it = std::find(FPages.begin(), FPages.end(), Page);
    if (it == FPages.end()) return;
    FPages.erase(it);
    Page->FPageControl = nullptr;
    if (FActivePage == Page) {
        FActivePage = nullptr;
        for (TTabSheet* p : FPages)
            if (p->TabVisible()) {
                FActivePage = p;
                break;
            }
    }
    if (!ComponentState().Contains(csDestroying)) {
        UpdateTabs();
        LayoutSheets();
    }
}

void TPageControl::SetActivePage(TTabSheet* Value) {
    if (IsLoading(this)) {
        FActivePage = Value;
        return;
    }
    if (Value && Value->FPageControl != this) return;
    if (FActivePage == Value) return;
    TTabSheet* old = FActivePage;
    FActivePage = Value;
    UpdateTabs();
    LayoutSheets();
    if (old) SafeCall([&] { old->OnHide(old); });
    if (Value) SafeCall([&] { Value->OnShow(Value); });
}

int TPageControl::ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int Value) {
    SetActivePage(Value >= 0 && Value < PageCount() ? FPages[Value] : nullptr);
}

void TPageControl::SelectNextPage(bool GoForward) {
    const int n = PageCount();
    if (n == 0) return;
    int i = std::max(0, ActivePageIndex());
    for (int step = 0; step < n; ++step) {
        i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
        if (FPages[i]->TabVisible()) {
            bool allow = true;
            SafeCall([&] { OnChanging(this, allow); });
            if (!allow) return;
            SetActivePage(FPages[i]);
            SafeCall([&] { OnChange(this); });
            return;
        }
    }
}

void TPageControl::SetMultiLine(bool Value) {
    FMultiLine = Value;
    if (QTabBar* bar = TabBarOf(this)) bar->setUsesScrollButtons(!Value);
}

void TPageControl::UpdateTabs() {
    QTabBar* bar = TabBarOf(this);
    if (!bar) return;
    FSyncing = true;
    while (bar->count() > 0) bar->removeTab(0);
    int current = -1;
    for (TTabSheet* p : FPages) {
        if (!p->TabVisible()) continue;
        const int i = bar->addTab(QStr(p->Caption()));
        if (p == FActivePage) current = i;
    }
    if (current >= 0) bar->setCurrentIndex(current);
    bar->resize(std::max(bar->sizeHint().width(), 0), bar->sizeHint().height());
    FSyncing = false;
}

void TPageControl::TabClicked(int TabIndex) {
    TTabSheet* target = nullptr;
    for (TTabSheet* p : FPages)
        if (p->TabIndex() == TabIndex) target = p;
    if (!target || target == FActivePage) return;
    bool allow = true;
    OnChanging(this, allow);
    if (!allow) {
        UpdateTabs();
        return;
    }
    SetActivePage(target);
    OnChange(this);
}

int TPageControl::IndexOfTabAt(int X, int Y) const {
    QTabBar* bar = TabBarOf(this);
    if (!bar) return -1;
    return bar->tabAt(bar->mapFrom(WidgetOf(this), QPoint(X, Y)));
}

TRect TPageControl::TabRect(int Index) const {
    QTabBar* bar = TabBarOf(this);
    if (!bar || Index < 0 || Index >= bar->count()) return TRect{};
    const QRect r = bar->tabRect(Index).translated(bar->pos());
    return Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
}

TRect TPageControl::DisplayRect() const {
    TRect r = ClientRect();
    AdjustClientRect(r);
    return r;
}

void TPageControl::AdjustClientRect(TRect& R) const {
    QTabBar* bar = TabBarOf(this);
    const int tabs = bar && bar->count() > 0 ? bar->sizeHint().height() : 0;
    R.Top += tabs;
    InflateRect(R, -4, -4);
    R.Top -= 2;
}

void TPageControl::LayoutSheets() {
    if (IsLoading(this)) return;
    const TRect r = DisplayRect();
    for (TTabSheet* p : FPages) {
        p->SetBounds(r.Left, r.Top, r.Width(), r.Height());
        p->SetVisible(p == FActivePage);
    }
    if (QTabBar* bar = TabBarOf(this)) bar->move(2, 0);
}

void TPageControl::BoundsChanged(bool Resized) {
    TWinControl::BoundsChanged(Resized);
    if (Resized) LayoutSheets();
}

void TPageControl::Loaded() {
    TWinControl::Loaded();
    if (!FActivePage)
        for (TTabSheet* p : FPages)
            if (p->TabVisible()) {
                FActivePage = p;
                break;
            }
    UpdateTabs();
    LayoutSheets();
}

void TPageControl::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
    for (TTabSheet* p : FPages)
        if (p->Owner() == Root) Proc(p);
}

bool TPageControl::WantsKey(uint16_t Key, TShiftState) const { return Key == VK_LEFT || Key == VK_RIGHT; }

void TPageControl::DeclareProperties(TPropertyDecl<TPageControl>& d) {
    d.Property("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
    d.Property("MultiLine", &TPageControl::MultiLine, &TPageControl::SetMultiLine).Default(false);
    d.Property("TabPosition", &TPageControl::TabPosition, &TPageControl::SetTabPosition).Default(tpTop);
    d.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
    d.Event("OnChange", &TPageControl::OnChange);
    d.Event("OnChanging", &TPageControl::OnChanging);
}

// =========================================================================================
// TListView
// =========================================================================================

TListColumn::TListColumn(TCollection* Collection) : TCollectionItem(Collection) {}

void TListColumn::SetCaption(const std::string& Value) {
    FCaption = Value;
    Changed(false);
}
void TListColumn::SetWidth(int Value) {
    FWidth = Value;
    Changed(false);
}
void TListColumn::SetAlignment(TAlignment Value) {
    FAlignment = Value;
    Changed(false);
}

void TListColumn::DeclareProperties(TPropertyDecl<TListColumn>& d) {
    d.Property("Alignment", &TListColumn::Alignment, &TListColumn::SetAlignment).Default(taLeftJustify);
    d.Property("Caption", &TListColumn::Caption, &TListColumn::SetCaption);
    d.Property("Width", &TListColumn::Width, &TListColumn::SetWidth).Default(50);
}

TListColumns::TListColumns(TListView* Owner) : TCollection(TListColumn::StaticClass(), Owner), FView(Owner) {
    SetPropName("Columns");
}

void TListColumns::Update(TCollectionItem* Item) {
    TCollection::Update(Item);
    if (FView) FView->Rebuild();
}

TListItem::TListItem(TListItems* Owner) : FOwner(Owner), FSubItems(std::make_unique<TStringList>()) {
    FSubItems->SetOnChange([this](TStringList&) { FOwner->ItemChanged(this); });
}

TListItem::~TListItem() { FSubItems->SetOnChange(nullptr); }

void TListItem::SetCaption(const std::string& Value) {
    FCaption = Value;
    FOwner->ItemChanged(this);
}

void TListItem::SetImageIndex(int Value) {
    FImageIndex = Value;
    FOwner->ItemChanged(this);
}

int TListItem::Index() const { return FOwner->IndexOf(this); }

bool TListItem::Selected() const {
    TListView* v = FOwner->Owner();
    if (!v) return false;
    if (!v->MultiSelect()) return v->Selected() == this;
    auto* view = TypedWidget<QAbstractItemView>(v);
    return view && view->selectionModel()->isRowSelected(Index(), QModelIndex());
}

void TListItem::SetSelected(bool Value) {
    TListView* v = FOwner->Owner();
    if (!v) return;
    if (Value) v->SetSelected(this);
    else if (v->Selected() == this) v->SetSelected(nullptr);
}

void TListItem::Delete() { FOwner->Delete(Index()); }

// The model over the items: one row per item, the caption then the sub-items.
class TListModel final : public QAbstractTableModel {
public:
    explicit TListModel(TListView* view) : FView(view) {}
    int rowCount(const QModelIndex& p) const override { return p.isValid() ? 0 : FView->Items()->Count(); }
    int columnCount(const QModelIndex& p) const override {
        return p.isValid() ? 0 : std::max(1, FView->Columns()->Count());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= FView->Items()->Count()) return {};
        TListItem* item = FView->Items()->Item(index.row());
        if (role == Qt::DisplayRole) {
            if (index.column() == 0) return QStr(item->Caption());
            const int sub = index.column() - 1;
            return sub < item->SubItems()->Count() ? QStr(item->SubItems()->Get(sub)) : QString();
        }
        if (role == Qt::DecorationRole && index.column() == 0) {
            TImageListComponent* images = FView->ViewStyle() == vsIcon ? FView->LargeImages() : FView->SmallImages();
            return IconOf(images, item->ImageIndex());
        }
        if (role == Qt::TextAlignmentRole && index.column() < FView->Columns()->Count()) {
            const TAlignment a = FView->Columns()->Items(index.column())->Alignment();
            return int((a == taRightJustify ? Qt::AlignRight : a == taCenter ? Qt::AlignHCenter : Qt::AlignLeft) |
                       Qt::AlignVCenter);
        }
        return {};
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        if (o != Qt::Horizontal || role != Qt::DisplayRole || section >= FView->Columns()->Count()) return {};
        return QStr(FView->Columns()->Items(section)->Caption());
    }
    void Reset() {
        beginResetModel();
        endResetModel();
    }
    void RowChanged(int row) { emit dataChanged(index(row, 0), index(row, columnCount({}) - 1)); }

private:
    TListView* FView;
};

struct TListViewPeer {
    TListModel* Model = nullptr;
};

TListItems::TListItems(TListView* Owner) : FOwner(Owner) {}
TListItems::~TListItems() = default;

TListItem* TListItems::Item(int Index) const {
    if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FItems[Index].get();
}

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int Index) {
    Index = std::clamp(Index, 0, Count());
    FItems.insert(FItems.begin() + Index, std::make_unique<TListItem>(this));
    if (FUpdateCount == 0 && FOwner) FOwner->Rebuild();
    return FItems[Index].get();
}

void TListItems::Delete(int Index) {
    Item(Index);
    std::unique_ptr<TListItem> gone = std::move(FItems[Index]);
    FItems.erase(FItems.begin() + Index);
    if (FUpdateCount == 0 && FOwner) FOwner->Rebuild();
}

void TListItems::Clear() {
    FItems.clear();
    if (FUpdateCount == 0 && FOwner) FOwner->Rebuild();
}

int TListItems::IndexOf(const TListItem* Item) const {
    for (int i = 0; i < Count(); ++i)
        if (FItems[i].get() == Item) return i;
    return -1;
}

void TListItems::BeginUpdate() { ++FUpdateCount; }

void TListItems::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0 && FOwner) FOwner->Rebuild();
}

void TListItems::ItemChanged(TListItem* Item) {
    if (FUpdateCount == 0 && FOwner) FOwner->ItemChanged(Item);
}

TListView::TListView(TComponent* AOwner)
    : TWinControl(AOwner),
      FColumns(std::make_unique<TListColumns>(this)),
      FItems(std::make_unique<TListItems>(this)),
      FViewPeer(std::make_unique<TListViewPeer>()) {
    FColor = clWindow;
    FTabStop = true;
    CreateView();
    FWidth = 250;
    FHeight = 150;
    ApplyBounds();
    ApplyColor();
}

TListView::~TListView() {
    DestroyPeer();
    FItems.reset();
}

void TListView::CreateView() {
    QAbstractItemView* view;
    if (FViewStyle == vsReport) {
        auto* tree = new TScrollHost<QTreeView>(this);
        tree->setRootIsDecorated(false);
        tree->setItemsExpandable(false);
        tree->setUniformRowHeights(true);
        tree->setAllColumnsShowFocus(FRowSelect);
        view = tree;
    } else {
        auto* list = new TScrollHost<QListView>(this);
        list->setViewMode(FViewStyle == vsIcon ? QListView::IconMode : QListView::ListMode);
        list->setFlow(FViewStyle == vsList ? QListView::TopToBottom : QListView::LeftToRight);
        list->setWrapping(true);
        list->setResizeMode(QListView::Adjust);
        list->setMovement(QListView::Static);
        view = list;
    }
    view->setFocusPolicy(Qt::StrongFocus);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(FMultiSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    auto* model = new TListModel(this);
    model->setParent(view);
    FViewPeer->Model = model;
    view->setModel(model);
    QObject::connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, view,
                     [this] { SafeCall([&] { SelectionChanged(); }); });
    SetPeer(std::make_unique<TControlPeer>(view));
    Rebuild();
}

void TListView::SetViewStyle(TViewStyle Value) {
    if (FViewStyle == Value) return;
    FViewStyle = Value;
    TWinControl* parent = FParent;
    if (parent) parent->RemoveControl(this);
    FPeer.reset();
    CreateView();
    ApplyFont();
    ApplyColor();
    ApplyBounds();
    if (parent) parent->InsertControl(this);
}

void TListView::SetColumns(TListColumns* Value) {
    if (Value) FColumns->Assign(Value);
}

void TListView::SetRowSelect(bool Value) {
    FRowSelect = Value;
    if (auto* tree = FViewStyle == vsReport ? TypedWidget<QTreeView>(this) : nullptr) tree->setAllColumnsShowFocus(Value);
}

void TListView::SetGridLines(bool Value) { FGridLines = Value; }

void TListView::SetMultiSelect(bool Value) {
    FMultiSelect = Value;
    if (auto* v = TypedWidget<QAbstractItemView>(this))
        v->setSelectionMode(Value ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

void TListView::SetLargeImages(TImageListComponent* Value) {
    FLargeImages = Value;
    if (Value) Value->FreeNotification(this);
    Rebuild();
}

void TListView::SetSmallImages(TImageListComponent* Value) {
    FSmallImages = Value;
    if (Value) Value->FreeNotification(this);
    Rebuild();
}

void TListView::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FLargeImages) FLargeImages = nullptr;
    if (AComponent == FSmallImages) FSmallImages = nullptr;
}

void TListView::Rebuild() {
    if (!FViewPeer || !FViewPeer->Model) return;
    FLastSelected = nullptr;
    FViewPeer->Model->Reset();
    if (auto* tree = FViewStyle == vsReport ? TypedWidget<QTreeView>(this) : nullptr) {
        tree->header()->setVisible(FColumns->Count() > 0);
        for (int i = 0; i < FColumns->Count(); ++i) tree->setColumnWidth(i, FColumns->Items(i)->Width());
    }
}

void TListView::ItemChanged(TListItem* Item) {
    if (FViewPeer && FViewPeer->Model) FViewPeer->Model->RowChanged(Item->Index());
}

TListItem* TListView::Selected() const {
    auto* v = TypedWidget<QAbstractItemView>(this);
    if (!v || !v->selectionModel()) return nullptr;
    const QModelIndexList rows = v->selectionModel()->selectedRows();
    if (rows.isEmpty()) return nullptr;
    int best = rows.front().row();
    for (const QModelIndex& i : rows) best = std::min(best, i.row());
    return best < FItems->Count() ? FItems->Item(best) : nullptr;
}

void TListView::SetSelected(TListItem* Value) {
    auto* v = TypedWidget<QAbstractItemView>(this);
    if (!v) return;
    if (!Value) {
        v->selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = FViewPeer->Model->index(Value->Index(), 0);
    v->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

int TListView::ItemIndex() const {
    TListItem* s = Selected();
    return s ? s->Index() : -1;
}

void TListView::SetItemIndex(int Value) {
    SetSelected(Value >= 0 && Value < FItems->Count() ? FItems->Item(Value) : nullptr);
}

int TListView::SelCount() const {
    auto* v = TypedWidget<QAbstractItemView>(this);
    return v && v->selectionModel() ? static_cast<int>(v->selectionModel()->selectedRows().size()) : 0;
}

TListItem* TListView::GetItemAt(int X, int Y) const {
    auto* v = TypedWidget<QAbstractItemView>(this);
    if (!v) return nullptr;
    const QModelIndex i = v->indexAt(v->viewport()->mapFrom(v, QPoint(X, Y)));
    return i.isValid() && i.row() < FItems->Count() ? FItems->Item(i.row()) : nullptr;
}

void TListView::SelectionChanged() {
    TListItem* now = Selected();
    if (now == FLastSelected) return;
    TListItem* old = FLastSelected;
    FLastSelected = now;
    if (old) OnSelectItem(this, old, false);
    if (now) OnSelectItem(this, now, true);
    OnChange(this);
}

bool TListView::WantsKey(uint16_t Key, TShiftState) const {
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

void TListView::ApplyColor() {
    TWinControl::ApplyColor();
    if (QWidget* w = WidgetOf(this)) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Base, ToQColor(FColor));
        w->setPalette(pal);
    }
}

void TListView::DeclareProperties(TPropertyDecl<TListView>& d) {
    d.Property("Color", ColorTypeInfo(), &TControl::Color, &TControl::SetColor).Default(clWindow);
    d.Property("Columns", &TListView::Columns, &TListView::SetColumns);
    d.Property("GridLines", &TListView::GridLines, &TListView::SetGridLines).Default(false);
    d.Property("HideSelection", &TListView::HideSelection, &TListView::SetHideSelection).Default(true);
    d.Property("LargeImages", &TListView::LargeImages, &TListView::SetLargeImages);
    d.Property("MultiSelect", &TListView::MultiSelect, &TListView::SetMultiSelect).Default(false);
    d.Property("ReadOnly", &TListView::ReadOnly, &TListView::SetReadOnly).Default(false);
    d.Property("RowSelect", &TListView::RowSelect, &TListView::SetRowSelect).Default(false);
    d.Property("SmallImages", &TListView::SmallImages, &TListView::SetSmallImages);
    d.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
    d.Property("ViewStyle", &TListView::ViewStyle, &TListView::SetViewStyle).Default(vsIcon);
    d.Event("OnChange", &TListView::OnChange);
    d.Event("OnSelectItem", &TListView::OnSelectItem);
}

// =========================================================================================
// TDateTimePicker
// =========================================================================================

namespace {

// The picker's field. A digit starts a new value of the section the caret is in, as a
// desktop date field does: the section is selected first, so the digit replaces it also
// when the section is full (Qt refuses a digit there). Digits that follow one another go
// on in the same section while it takes them, and the field moves to the next section when
// one is complete; a click (wherever it leaves the caret) or a caret moved by the keys
// meanwhile starts anew.
class TDatePickerHost : public THost<QDateTimeEdit> {
public:
    explicit TDatePickerHost(TControl* Control) : THost(Control) {
        // A click on the text goes to the field inside, not to the picker.
        if (QLineEdit* edit = lineEdit()) edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched == lineEdit() && (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick))
            FTypedAt = -1;
        return THost::eventFilter(watched, e);
    }
    void keyPressEvent(QKeyEvent* e) override {
        const QString text = e->text();
        const bool digit = text.size() == 1 && text.at(0).isDigit() &&
                           !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        QLineEdit* edit = lineEdit();
        if (digit && edit && !edit->hasSelectedText() && currentSection() != QDateTimeEdit::NoSection &&
            (edit->cursorPosition() != FTypedAt || !Fits(edit, text)))
            setSelectedSection(currentSection());
        QDateTimeEdit::keyPressEvent(e);
        FTypedAt = digit && edit ? edit->cursorPosition() : -1;
    }
    void focusInEvent(QFocusEvent* e) override {
        FTypedAt = -1;
        QDateTimeEdit::focusInEvent(e);
    }
    void mousePressEvent(QMouseEvent* e) override {
        FTypedAt = -1;
        QDateTimeEdit::mousePressEvent(e);
    }

private:
    // Whether the field takes Text at the caret as it stands (a full section does not).
    bool Fits(QLineEdit* Edit, const QString& Text) {
        QString t = Edit->text();
        int pos = Edit->cursorPosition();
        t.insert(pos, Text);
        pos += int(Text.size());
        return validate(t, pos) != QValidator::Invalid;
    }
    int FTypedAt = -1;   // where the caret stood after the last digit typed
};

}  // namespace

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner), FDateTime(Now()) {
    FColor = clWindow;
    FTabStop = true;
    auto* w = new TDatePickerHost(this);
    w->setFocusPolicy(Qt::StrongFocus);
    // The program speaks Chinese: the calendar that drops down (a child of the field, which
    // takes its locale) names the months and the days of the week in Chinese, and its weeks
    // begin on Monday.
    w->setLocale(QLocale(QLocale::Chinese, QLocale::China));
    w->setCalendarPopup(true);
    QObject::connect(w, &QDateTimeEdit::dateTimeChanged, w, [this](const QDateTime& v) {
        if (!FSyncing) SafeCall([&] { ValueEdited(FromQDateTime(v)); });
    });
    SetPeer(std::make_unique<TControlPeer>(w));
    FWidth = 186;
    FHeight = 21;
    ApplyFormat();
    ApplyValue();
    ApplyBounds();
    ApplyColor();
}

TDateTime TDateTimePicker::Date() const { return std::floor(FDateTime); }

void TDateTimePicker::SetDate(TDateTime Value) { SetDateTime(std::floor(Value) + (FDateTime - std::floor(FDateTime))); }

TDateTime TDateTimePicker::Time() const { return FDateTime - std::floor(FDateTime); }

void TDateTimePicker::SetTime(TDateTime Value) { SetDateTime(std::floor(FDateTime) + (Value - std::floor(Value))); }

void TDateTimePicker::SetDateTime(TDateTime Value) {
    if (FMinDate != 0 && Value < FMinDate) Value = FMinDate;
    if (FMaxDate != 0 && Value > FMaxDate) Value = FMaxDate;
    FDateTime = Value;
    ApplyValue();
}

void TDateTimePicker::ApplyValue() {
    auto* w = TypedWidget<QDateTimeEdit>(this);
    if (!w) return;
    FSyncing = true;
    w->setDateTime(ToQDateTime(FDateTime));
    FSyncing = false;
}

void TDateTimePicker::ValueEdited(TDateTime Value) {
    if (FKind == dtkDate) Value = std::floor(Value) + (FDateTime - std::floor(FDateTime));
    else Value = std::floor(FDateTime) + (Value - std::floor(Value));
    if (Value == FDateTime) return;
    FDateTime = Value;
    OnChange(this);
}

void TDateTimePicker::SetKind(TDateTimeKind Value) {
    FKind = Value;
    ApplyFormat();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat Value) {
    FDateFormat = Value;
    ApplyFormat();
}

void TDateTimePicker::ApplyFormat() {
    auto* w = TypedWidget<QDateTimeEdit>(this);
    if (!w) return;
    if (FKind == dtkTime) {
        w->setDisplayFormat(QtDatePicture(FormatSettings.LongTimeFormat));
        w->setCalendarPopup(false);
    } else {
        const std::string& picture = FDateFormat == dfShort ? FormatSettings.ShortDateFormat : FormatSettings.LongDateFormat;
        w->setDisplayFormat(QtDatePicture(picture));
        w->setCalendarPopup(true);
    }
}

void TDateTimePicker::SetMinDate(TDateTime Value) {
    FMinDate = Value;
    if (auto* w = TypedWidget<QDateTimeEdit>(this); w && Value != 0) w->setMinimumDateTime(ToQDateTime(Value));
}

void TDateTimePicker::SetMaxDate(TDateTime Value) {
    FMaxDate = Value;
    if (auto* w = TypedWidget<QDateTimeEdit>(this); w && Value != 0) w->setMaximumDateTime(ToQDateTime(Value));
}

std::string TDateTimePicker::GetText() const {
    return FKind == dtkTime ? TimeToStr(FDateTime) : FormatDateTime(FDateFormat == dfShort ? FormatSettings.ShortDateFormat : FormatSettings.LongDateFormat, FDateTime);
}

bool TDateTimePicker::WantsKey(uint16_t Key, TShiftState) const {
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

void TDateTimePicker::ApplyColor() {
    TWinControl::ApplyColor();
    if (QWidget* w = WidgetOf(this)) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Base, ToQColor(FColor));
        w->setPalette(pal);
    }
}

void TDateTimePicker::DeclareProperties(TPropertyDecl<TDateTimePicker>& d) {
    d.Property("Checked", &TDateTimePicker::Checked, &TDateTimePicker::SetChecked).Default(true);
    d.Property("Color", ColorTypeInfo(), &TControl::Color, &TControl::SetColor).Default(clWindow);
    d.Property("Date", DateTimeTypeInfo(), &TDateTimePicker::Date, &TDateTimePicker::SetDate).NoDefault();
    d.Property("Time", DateTimeTypeInfo(), &TDateTimePicker::Time, &TDateTimePicker::SetTime).NoDefault();
    d.Property("DateFormat", &TDateTimePicker::DateFormat, &TDateTimePicker::SetDateFormat).Default(dfShort);
    d.Property("Kind", &TDateTimePicker::Kind, &TDateTimePicker::SetKind).Default(dtkDate);
    d.Property("MaxDate", DateTimeTypeInfo(), &TDateTimePicker::MaxDate, &TDateTimePicker::SetMaxDate).Default(0.0);
    d.Property("MinDate", DateTimeTypeInfo(), &TDateTimePicker::MinDate, &TDateTimePicker::SetMinDate).Default(0.0);
    d.Property("ShowCheckbox", &TDateTimePicker::ShowCheckbox, &TDateTimePicker::SetShowCheckbox).Default(false);
    d.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
    d.Event("OnChange", &TDateTimePicker::OnChange);
    d.Event("OnCloseUp", &TDateTimePicker::OnCloseUp);
}

// =========================================================================================
// TToolBar and TToolButton
// =========================================================================================

namespace {
// A tool button whose drop-down arrow drops its button's menu: the platform's button opens
// only a menu of its own there, and took the press on the arrow for nothing.
class TToolButtonWidget : public QToolButton {
public:
    std::function<void()> ArrowPressed;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && popupMode() == QToolButton::MenuButtonPopup && ArrowPressed) {
            QStyleOptionToolButton opt;
            initStyleOption(&opt);
            const QRect arrow = style()->subControlRect(QStyle::CC_ToolButton, &opt, QStyle::SC_ToolButtonMenu, this);
            if (arrow.isValid() && arrow.contains(e->position().toPoint())) {
                e->accept();
                ArrowPressed();
                return;
            }
        }
        QToolButton::mousePressEvent(e);
    }
};
}  // namespace

TToolButton::TToolButton(TComponent* AOwner) : TGraphicControl(AOwner) {
    auto* w = new THost<TToolButtonWidget>(this);
    w->ArrowPressed = [this] { SafeCall([&] { DropDown(); }); };
    w->setFocusPolicy(Qt::NoFocus);
    w->setAutoRaise(true);
    QObject::connect(w, &QToolButton::clicked, w, [this] { SafeCall([&] { Click(); }); });
    SetPeer(std::make_unique<TControlPeer>(w));
    FWidth = 23;
    FHeight = 22;
    ApplyBounds();
}

TToolButton::~TToolButton() = default;

TToolBar* TToolButton::ToolBar() const { return dynamic_cast<TToolBar*>(FParent); }

void TToolButton::SetParent(TWinControl* AParent) {
    TToolBar* old = ToolBar();
    TGraphicControl::SetParent(AParent);
    if (old && old != AParent) old->ArrangeButtons();
    if (TToolBar* bar = ToolBar()) {
        UpdateLook();
        bar->ArrangeButtons();
    }
}

void TToolButton::SetText(const std::string& Value) {
    FText = Value;
    UpdateLook();
    if (TToolBar* bar = ToolBar()) bar->ArrangeButtons();
}

void TToolButton::SetStyle(TToolButtonStyle Value) {
    FStyle = Value;
    if ((Value == tbsSeparator || Value == tbsDivider) && FWidth == 23) FWidth = 8;
    UpdateLook();
    if (TToolBar* bar = ToolBar()) bar->ArrangeButtons();
}

void TToolButton::SetImageIndex(int Value) {
    FImageIndex = Value;
    UpdateLook();
}

// A grouped check button that goes down releases the others of its group: the run of
// adjacent grouped buttons around it. A grouped button of another style (a separator, a
// button that opens a menu) holds no state but keeps the run going; a button that is not
// grouped ends it.
void TToolButton::SetDown(bool Value) {
    if (Value && !FEnabled) Value = false;
    if (FDown == Value) {
        UpdateLook();
        return;
    }
    FDown = Value;
    if (Value && FGrouped)
        if (TToolBar* bar = ToolBar()) {
            const int me = Index();
            for (int dir : {-1, 1})
                for (int i = me + dir; i >= 0 && i < bar->ButtonCount(); i += dir) {
                    TToolButton* b = bar->Buttons(i);
                    if (!b->FGrouped) break;
                    if (b->FStyle == tbsCheck && b->FDown) {
                        b->FDown = false;
                        b->UpdateLook();
                    }
                }
        }
    UpdateLook();
}

void TToolButton::SetEnabled(bool Value) {
    // Unchanged, the button keeps its pictures: rebuilding them repaints it (the preview's
    // page buttons are set at every refresh of a run).
    if (Value == Enabled()) return;
    TGraphicControl::SetEnabled(Value);
    if (!Value && FDown) SetDown(false);
    UpdateLook();
}

void TToolButton::SetWrap(bool Value) {
    FWrap = Value;
    if (TToolBar* bar = ToolBar()) bar->ArrangeButtons();
}

void TToolButton::SetDropdownMenu(TPopupMenu* Value) {
    FDropdownMenu = Value;
    if (Value) Value->FreeNotification(this);
    UpdateLook();
}

void TToolButton::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDropdownMenu) FDropdownMenu = nullptr;
}

int TToolButton::Index() const {
    TToolBar* bar = ToolBar();
    if (!bar) return -1;
    for (int i = 0; i < bar->ButtonCount(); ++i)
        if (bar->Buttons(i) == this) return i;
    return -1;
}

void TToolButton::Click() {
    if (FStyle == tbsCheck) {
        if (FDown && FGrouped && !FAllowAllUp) UpdateLook();
        else SetDown(!FDown);
    }
    TGraphicControl::Click();
    DropDown();
}

void TToolButton::DropDown() {
    if (FStyle != tbsDropDown || !FDropdownMenu || !Enabled()) return;
    const TPoint p = ClientToScreen({0, FHeight});
    FDropdownMenu->SetPopupComponent(this);
    FDropdownMenu->Popup(p.X, p.Y);
}

void TToolButton::ActionChanged(TBasicAction* Sender) {
    TGraphicControl::ActionChanged(Sender);
    if (auto* a = dynamic_cast<TCustomAction*>(Sender)) {
        FImageIndex = a->ImageIndex();
        if (FStyle == tbsCheck) FDown = a->Checked();
        UpdateLook();
    }
}

void TToolButton::ApplyFont() {
    TGraphicControl::ApplyFont();
    if (TToolBar* bar = ToolBar()) bar->ArrangeButtons();
}

void TToolButton::UpdateLook() {
    auto* w = TypedWidget<QToolButton>(this);
    if (!w) return;
    TToolBar* bar = ToolBar();
    const bool separator = FStyle == tbsSeparator || FStyle == tbsDivider;
    w->setEnabled(FEnabled && !separator);
    w->setCheckable(FStyle == tbsCheck);
    w->setChecked(FDown);
    if (separator) {
        w->setText(QString());
        w->setIcon(QIcon());
        w->setAutoRaise(true);
        return;
    }
    const bool captions = bar && bar->ShowCaptions();
    w->setText(captions || !bar ? ToQtMnemonic(StripHotkey(FText)) : QString());
    QIcon icon = bar ? IconOf(bar->Images(), FImageIndex) : QIcon();
    if (!icon.isNull()) {
        // Disabled, the button shows the bar's disabled picture of its index, or the
        // picture greyed (the image list's disabled drawing) where that list has none: the
        // platform's own disabled look only fades a picture, and pictures in black and
        // white (the wizards') looked hardly different when disabled.
        const TImageListComponent* off = bar->DisabledImages();
        const bool own = off && FImageIndex < off->Count() && off->Width() == bar->Images()->Width() &&
                         off->Height() == bar->Images()->Height();
        const QIcon greyed = own ? IconOf(off, FImageIndex) : IconOf(bar->Images(), FImageIndex, false);
        const QSize size(bar->Images()->Width(), bar->Images()->Height());
        icon = QIcon(icon.pixmap(size));
        icon.addPixmap(greyed.pixmap(size), QIcon::Disabled);
    }
    w->setIcon(icon);
    if (bar && bar->Images()) w->setIconSize(QSize(bar->Images()->Width(), bar->Images()->Height()));
    w->setToolButtonStyle(icon.isNull() ? Qt::ToolButtonTextOnly
                          : !captions  ? Qt::ToolButtonIconOnly
                          : bar->List() ? Qt::ToolButtonTextBesideIcon
                                        : Qt::ToolButtonTextUnderIcon);
    w->setAutoRaise(!bar || bar->Flat());
    w->setPopupMode(FStyle == tbsDropDown ? QToolButton::MenuButtonPopup : QToolButton::DelayedPopup);
}

void TToolButton::DeclareProperties(TPropertyDecl<TToolButton>& d) {
    d.Property("AllowAllUp", &TToolButton::AllowAllUp, &TToolButton::SetAllowAllUp).Default(false);
    d.Property("Caption", &TControl::Caption, &TControl::SetCaption);
    d.Property("Down", &TToolButton::Down, &TToolButton::SetDown).Default(false);
    d.Property("DropdownMenu", &TToolButton::DropdownMenu, &TToolButton::SetDropdownMenu);
    d.Property("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped).Default(false);
    d.Property("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex).Default(-1);
    d.Property("Style", &TToolButton::Style, &TToolButton::SetStyle).Default(tbsButton);
    d.Property("Wrap", &TToolButton::Wrap, &TToolButton::SetWrap).Default(false);
}

TToolBar::TToolBar(TComponent* AOwner) : TWinControl(AOwner) {
    FAlign = alTop;
    FAnchors = {akLeft, akTop, akRight};
    FParentColor = true;
    auto* w = new THost<QWidget>(this);
    w->setAutoFillBackground(true);
    SetPeer(std::make_unique<TControlPeer>(w));
    FWidth = 150;
    FHeight = 29;
    ApplyBounds();
}

int TToolBar::ButtonCount() const {
    int n = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (dynamic_cast<TToolButton*>(Controls(i))) ++n;
    return n;
}

TToolButton* TToolBar::Buttons(int Index) const {
    // Buttons in the order they stand on the bar.
    std::vector<TToolButton*> list;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TToolButton*>(Controls(i))) list.push_back(b);
    std::stable_sort(list.begin(), list.end(), [](TToolButton* a, TToolButton* b) {
        return a->Top() != b->Top() && std::abs(a->Top() - b->Top()) > 2 ? a->Top() < b->Top() : a->Left() < b->Left();
    });
    if (Index < 0 || Index >= static_cast<int>(list.size()))
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return list[Index];
}

void TToolBar::ChangeScale(int M, int D) {
    if (M == D) return;
    TWinControl::ChangeScale(M, D);
    int bottom = 0;
    for (int i = 0; i < ButtonCount(); ++i)
        if (TToolButton* b = Buttons(i); b->Visible()) bottom = std::max(bottom, b->Top() + b->Height());
    if (bottom > 0 && FHeight < bottom + 2) SetHeight(bottom + 2);
}

void TToolBar::ArrangeButtons() {
    if (FArranging || IsLoading(this)) return;
    FArranging = true;
    const int n = ButtonCount();
    std::vector<TToolButton*> list;
    for (int i = 0; i < n; ++i) list.push_back(Buttons(i));
    int x = FIndent, y = 0;
    const int rowHeight = FButtonHeight;
    const int width = ClientWidth();
    // ButtonWidth is the least width: with captions shown, every button takes the width
    // of the widest caption, so no caption is cut.
    int buttonWidth = FButtonWidth;
    if (FShowCaptions) {
        QFontMetrics fm(ToQFont(*Font()));
        for (TToolButton* b : list) {
            if (!b->Visible() || b->Style() == tbsSeparator || b->Style() == tbsDivider) continue;
            // The button's own size hint holds the style's margins around the caption.
            if (auto* w = TypedWidget<QToolButton>(b))
                buttonWidth = std::max(buttonWidth, w->sizeHint().width());
            else
                buttonWidth = std::max(buttonWidth, fm.horizontalAdvance(QStr(StripHotkey(b->Caption()))) + 8);
        }
    }
    if (FVertical) {
        for (TToolButton* b : list) {
            if (!b->Visible()) continue;
            const bool separator = b->Style() == tbsSeparator || b->Style() == tbsDivider;
            const int h = separator ? 6 : FButtonHeight;
            if (separator && b->FRowWidth == 0) b->FRowWidth = b->Width();
            b->SetBounds(0, y, buttonWidth, h);
            y += h;
        }
        FArranging = false;
        return;
    }
    for (TToolButton* b : list) {
        if (!b->Visible()) continue;
        const bool separator = b->Style() == tbsSeparator || b->Style() == tbsDivider;
        const int w = !separator ? buttonWidth : b->FRowWidth > 0 ? b->FRowWidth : b->Width();
        b->FRowWidth = 0;
        if (FWrapable && x > FIndent && x + w > width && !separator) {
            x = FIndent;
            y += rowHeight;
        }
        b->SetBounds(x, y, w, FButtonHeight);
        x += w;
        if (b->Wrap()) {
            x = FIndent;
            y += rowHeight;
        }
    }
    if (FAutoSize) SetHeight(y + rowHeight + 2);
    FArranging = false;
}

void TToolBar::SetVertical(bool Value) {
    if (FVertical == Value) return;
    FVertical = Value;
    if (Value) {
        FHiddenInColumn.clear();
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            if (dynamic_cast<TToolButton*>(c) || !c->Visible()) continue;
            c->SetVisible(false);
            FHiddenInColumn.push_back(c);
        }
    } else {
        // Only controls that are still children come back (one freed meanwhile is gone).
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            if (std::find(FHiddenInColumn.begin(), FHiddenInColumn.end(), c) != FHiddenInColumn.end())
                c->SetVisible(true);
        }
        FHiddenInColumn.clear();
    }
    ArrangeButtons();
}

TSize TToolBar::ContentExtent() const {
    TSize e{0, 0};
    for (int i = 0; i < ControlCount(); ++i) {
        const TControl* c = Controls(i);
        if (!c->Visible()) continue;
        e.cx = std::max(e.cx, c->Left() + c->Width());
        e.cy = std::max(e.cy, c->Top() + c->Height());
    }
    return e;
}

void TToolBar::UpdateButtons() {
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TToolButton*>(Controls(i))) b->UpdateLook();
    ArrangeButtons();
}

void TToolBar::SetButtonHeight(int Value) {
    FButtonHeight = Value;
    ArrangeButtons();
}
void TToolBar::SetButtonWidth(int Value) {
    FButtonWidth = Value;
    ArrangeButtons();
}
void TToolBar::SetShowCaptions(bool Value) {
    FShowCaptions = Value;
    UpdateButtons();
}
void TToolBar::SetFlat(bool Value) {
    FFlat = Value;
    UpdateButtons();
}
void TToolBar::SetList(bool Value) {
    FList = Value;
    UpdateButtons();
}
void TToolBar::SetWrapable(bool Value) {
    FWrapable = Value;
    ArrangeButtons();
}
void TToolBar::SetAutoSize(bool Value) {
    FAutoSize = Value;
    ArrangeButtons();
}
void TToolBar::SetIndent(int Value) {
    FIndent = Value;
    ArrangeButtons();
}

void TToolBar::SetImages(TImageListComponent* Value) {
    FImages = Value;
    if (Value) Value->FreeNotification(this);
    UpdateButtons();
}

void TToolBar::SetDisabledImages(TImageListComponent* Value) {
    FDisabledImages = Value;
    if (Value) Value->FreeNotification(this);
    UpdateButtons();
}

void TToolBar::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FImages) {
        FImages = nullptr;
        if (!ComponentState().Contains(csDestroying)) UpdateButtons();
    }
    if (AComponent == FDisabledImages) FDisabledImages = nullptr;
}

void TToolBar::Loaded() {
    TWinControl::Loaded();
    UpdateButtons();
}

void TToolBar::BoundsChanged(bool Resized) {
    TWinControl::BoundsChanged(Resized);
    if (Resized && FWrapable) ArrangeButtons();
}

void TToolBar::DeclareProperties(TPropertyDecl<TToolBar>& d) {
    d.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alTop);
    d.Property("AutoSize", &TToolBar::AutoSize, &TToolBar::SetAutoSize).Default(false);
    d.Property("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight).Default(22);
    d.Property("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth).Default(23);
    d.Property("DisabledImages", &TToolBar::DisabledImages, &TToolBar::SetDisabledImages);
    d.Property("Flat", &TToolBar::Flat, &TToolBar::SetFlat).Default(false);
    d.Property("Images", &TToolBar::Images, &TToolBar::SetImages);
    d.Property("Indent", &TToolBar::Indent, &TToolBar::SetIndent).Default(0);
    d.Property("List", &TToolBar::List, &TToolBar::SetList).Default(false);
    d.Property("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions).Default(false);
    d.Property("Wrapable", &TToolBar::Wrapable, &TToolBar::SetWrapable).Default(true);
}

// =========================================================================================
// TTreeView
// =========================================================================================

ROVE_IMPLEMENT_CLASS(TTreeView)

struct TTreeNodePeer {
    QTreeWidgetItem* Item = nullptr;
};

namespace {
QTreeWidget* TreeOf(const TTreeView* v) { return v ? TypedWidget<QTreeWidget>(v) : nullptr; }

TTreeNode* NodeOfIndex(const QModelIndex& index) {
    return reinterpret_cast<TTreeNode*>(index.data(Qt::UserRole).value<quintptr>());
}

TCustomDrawState DrawStateOf(const QStyleOptionViewItem& o) {
    TCustomDrawState s;
    if (o.state & QStyle::State_Selected) s.Include(cdsSelected);
    if (o.state & QStyle::State_HasFocus) s.Include(cdsFocused);
    if (!(o.state & QStyle::State_Enabled)) s.Include(cdsDisabled);
    if (o.state & QStyle::State_MouseOver) s.Include(cdsHot);
    return s;
}

// The items of a tree view: OnCustomDrawItem chooses the font of each node (or draws it),
// and labels are edited in place through OnEditing and OnEdited.
class TTreeItemDelegate : public QStyledItemDelegate {
public:
    TTreeItemDelegate(TTreeView* view, QObject* parent) : QStyledItemDelegate(parent), FView(view) {}

    void paint(QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) const override {
        TTreeNode* node = NodeOfIndex(i);
        if (!node || !FView->OnCustomDrawItem.Assigned()) {
            QStyledItemDelegate::paint(p, o, i);
            return;
        }
        TCanvas* c = FView->Canvas();
        AttachPainter(*c, p);
        c->Font()->Assign(*FView->Font());
        c->Brush()->SetColor(FView->Color());
        bool defaultDraw = true;
        SafeCall([&] { FView->OnCustomDrawItem(FView, node, DrawStateOf(o), defaultDraw); });
        QStyleOptionViewItem opt(o);
        opt.font = ToQFont(*c->Font());
        opt.fontMetrics = QFontMetrics(opt.font);
        if (!(o.state & QStyle::State_Selected)) opt.palette.setColor(QPalette::Text, ToQColor(c->Font()->Color()));
        DetachPainter(*c);
        if (defaultDraw) QStyledItemDelegate::paint(p, opt, i);
    }

    // Room for a bold label, so that a node drawn bold is not cut short.
    QSize sizeHint(const QStyleOptionViewItem& o, const QModelIndex& i) const override {
        if (!FView->OnCustomDrawItem.Assigned()) return QStyledItemDelegate::sizeHint(o, i);
        QStyleOptionViewItem opt(o);
        opt.font.setBold(true);
        opt.fontMetrics = QFontMetrics(opt.font);
        return QStyledItemDelegate::sizeHint(opt, i);
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& o, const QModelIndex& i) const override {
        TTreeNode* node = NodeOfIndex(i);
        if (!node || FView->ReadOnly()) return nullptr;
        bool allow = true;
        SafeCall([&] { FView->OnEditing(FView, node, allow); });
        if (!allow) return nullptr;
        QWidget* editor = QStyledItemDelegate::createEditor(parent, o, i);
        FEditor = qobject_cast<QLineEdit*>(editor);
        return editor;
    }

    // The typed text goes through OnEdited, which may change it, into the label.
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& i) const override {
        TTreeNode* node = NodeOfIndex(i);
        auto* edit = qobject_cast<QLineEdit*>(editor);
        if (!node || !edit) return;
        std::string text = StdStr(edit->text());
        if (!SafeCall([&] { FView->OnEdited(FView, node, text); })) return;
        node->SetText(text);
    }

    void destroyEditor(QWidget* editor, const QModelIndex& i) const override {
        if (editor == FEditor) FEditor = nullptr;
        QStyledItemDelegate::destroyEditor(editor, i);
    }

    QLineEdit* Editor() const { return FEditor; }
    void EndEdit(bool Cancel) {
        QPointer<QLineEdit> editor = FEditor;
        if (!editor) return;
        if (!Cancel) emit commitData(editor);
        if (editor) emit closeEditor(editor, QAbstractItemDelegate::NoHint);
    }

private:
    TTreeView* FView;
    mutable QPointer<QLineEdit> FEditor;
};
}  // namespace

struct TTreeEditPeer {
    TTreeItemDelegate* Delegate = nullptr;
};

TTreeNode::TTreeNode(TTreeNodes* Owner, TTreeNode* Parent)
    : FOwner(Owner), FParent(Parent), FPeer(std::make_unique<TTreeNodePeer>()) {}

// Children first, so that each node's item goes before its parent's.
TTreeNode::~TTreeNode() {
    while (!FChildren.empty()) FChildren.pop_back();
    if (FOwner && FOwner->Owner()) FOwner->Owner()->NodeRemoved(this);
}

TTreeNode* TTreeNode::Item(int Index) const {
    if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FChildren[Index].get();
}

void TTreeNode::SetText(const std::string& Value) {
    FText = Value;
    if (FOwner->Owner()) FOwner->Owner()->NodeChanged(this);
}

void TTreeNode::SetImageIndex(int Value) {
    FImageIndex = Value;
    if (FOwner->Owner()) FOwner->Owner()->NodeChanged(this);
}

int TTreeNode::Level() const {
    int level = 0;
    for (TTreeNode* p = FParent; p; p = p->FParent) ++level;
    return level;
}

int TTreeNode::Index() const {
    const auto& list = FParent ? FParent->FChildren : FOwner->FRoots;
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].get() == this) return static_cast<int>(i);
    return -1;
}

int TTreeNode::AbsoluteIndex() const {
    std::vector<TTreeNode*> all;
    FOwner->Collect(all);
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i] == this) return static_cast<int>(i);
    return -1;
}

bool TTreeNode::Expanded() const { return FPeer->Item && FPeer->Item->isExpanded(); }

void TTreeNode::Expand(bool Recurse) {
    if (FPeer->Item) FPeer->Item->setExpanded(true);
    if (Recurse)
        for (auto& c : FChildren) c->Expand(true);
}

void TTreeNode::Collapse(bool Recurse) {
    if (FPeer->Item) FPeer->Item->setExpanded(false);
    if (Recurse)
        for (auto& c : FChildren) c->Collapse(true);
}

bool TTreeNode::Selected() const { return FOwner->Owner() && FOwner->Owner()->Selected() == this; }

void TTreeNode::SetSelected(bool Value) {
    TTreeView* v = FOwner->Owner();
    if (!v) return;
    if (Value) v->SetSelected(this);
    else if (v->Selected() == this) v->SetSelected(nullptr);
}

void TTreeNode::MakeVisible() {
    if (QTreeWidget* t = TreeOf(FOwner->Owner()); t && FPeer->Item) t->scrollToItem(FPeer->Item);
}

bool TTreeNode::EditText() {
    TTreeView* v = FOwner->Owner();
    QTreeWidget* t = TreeOf(v);
    if (!t || !FPeer->Item || v->ReadOnly()) return false;
    if (v->IsEditing()) v->EditPeer()->Delegate->EndEdit(false);
    t->setCurrentItem(FPeer->Item);
    t->editItem(FPeer->Item, 0);
    return v->IsEditing();
}

void TTreeNode::EndEdit(bool Cancel) {
    TTreeView* v = FOwner->Owner();
    QTreeWidget* t = TreeOf(v);
    if (!t || !FPeer->Item || !v->IsEditing() || t->currentItem() != FPeer->Item) return;
    v->EditPeer()->Delegate->EndEdit(Cancel);
}

TRect TTreeNode::DisplayRect(bool TextOnly) const {
    QTreeWidget* t = TreeOf(FOwner->Owner());
    if (!t || !FPeer->Item) return TRect{};
    QRect r = t->visualItemRect(FPeer->Item);
    if (!r.isValid()) return TRect{};
    if (!TextOnly) r.setLeft(0);
    const QPoint tl = t->viewport()->mapTo(t, r.topLeft());
    return Rect(tl.x(), tl.y(), tl.x() + r.width(), tl.y() + r.height());
}

void TTreeNode::Delete() { FOwner->Delete(this); }

TTreeNodes::TTreeNodes(TTreeView* Owner) : FOwner(Owner) {}

TTreeNodes::~TTreeNodes() {
    FOwner = nullptr;   // the view is going: no item bookkeeping
    FRoots.clear();
}

void TTreeNodes::Collect(std::vector<TTreeNode*>& Out) const {
    std::function<void(const std::vector<std::unique_ptr<TTreeNode>>&)> walk =
        [&](const std::vector<std::unique_ptr<TTreeNode>>& list) {
            for (const auto& n : list) {
                Out.push_back(n.get());
                walk(n->FChildren);
            }
        };
    walk(FRoots);
}

int TTreeNodes::Count() const {
    std::vector<TTreeNode*> all;
    Collect(all);
    return static_cast<int>(all.size());
}

TTreeNode* TTreeNodes::Item(int Index) const {
    std::vector<TTreeNode*> all;
    Collect(all);
    if (Index < 0 || Index >= static_cast<int>(all.size()))
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return all[Index];
}

TTreeNode* TTreeNodes::GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front().get(); }

TTreeNode* TTreeNodes::AddUnder(TTreeNode* Parent, int Index, const std::string& S, void* Data) {
    auto& list = Parent ? Parent->FChildren : FRoots;
    Index = std::clamp(Index, 0, static_cast<int>(list.size()));
    auto node = std::make_unique<TTreeNode>(this, Parent);
    node->FText = S;
    node->FData = Data;
    TTreeNode* raw = node.get();
    list.insert(list.begin() + Index, std::move(node));
    if (FOwner) FOwner->NodeAdded(raw, Index);
    return raw;
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const std::string& S) { return AddObject(Sibling, S, nullptr); }

TTreeNode* TTreeNodes::AddObject(TTreeNode* Sibling, const std::string& S, void* Data) {
    TTreeNode* parent = Sibling ? Sibling->Parent() : nullptr;
    return AddUnder(parent, parent ? parent->Count() : static_cast<int>(FRoots.size()), S, Data);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const std::string& S) { return AddChildObject(Parent, S, nullptr); }

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const std::string& S, void* Data) {
    return AddUnder(Parent, Parent ? Parent->Count() : static_cast<int>(FRoots.size()), S, Data);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* Sibling, const std::string& S) {
    if (!Sibling) return AddUnder(nullptr, 0, S, nullptr);
    return AddUnder(Sibling->Parent(), Sibling->Index(), S, nullptr);
}

// An open label editor on a node that goes is cancelled first: committing it later would
// hand OnEdited a node (and the data it points to) that is gone.
void TTreeNodes::CancelEditIn(TTreeNode* Node) {
    if (!FOwner || !FOwner->IsEditing()) return;
    QTreeWidget* t = TreeOf(FOwner);
    TTreeNode* edited = t ? FOwner->NodeOfItem(t->currentItem()) : nullptr;
    if (Node) {
        while (edited && edited != Node) edited = edited->Parent();
        if (!edited) return;
    }
    FOwner->EditPeer()->Delegate->EndEdit(true);
}

void TTreeNodes::Delete(TTreeNode* Node) {
    if (!Node) return;
    CancelEditIn(Node);
    auto& list = Node->FParent ? Node->FParent->FChildren : FRoots;
    for (auto it = list.begin(); it != list.end(); ++it)
        if (it->get() == Node) {
            std::unique_ptr<TTreeNode> gone = std::move(*it);
            list.erase(it);
            return;
        }
}

void TTreeNodes::Clear() {
    CancelEditIn(nullptr);
    // The widget's items go in one step: removed one by one, each removal searches its
    // parent's list and tells the view, which takes seconds for a list of thousands.
    if (FOwner && TreeOf(FOwner) && !FRoots.empty()) {
        std::vector<TTreeNode*> all;
        Collect(all);
        for (TTreeNode* n : all) n->Peer()->Item = nullptr;
        FOwner->AllNodesRemoved();
    }
    while (!FRoots.empty()) FRoots.pop_back();
}

void TTreeNodes::BeginUpdate() {
    if (FUpdateCount++ == 0)
        if (QTreeWidget* t = TreeOf(FOwner)) t->setUpdatesEnabled(false);
}

void TTreeNodes::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        if (QTreeWidget* t = TreeOf(FOwner)) t->setUpdatesEnabled(true);
}

TTreeView::TTreeView(TComponent* AOwner) : TWinControl(AOwner), FItems(std::make_unique<TTreeNodes>(this)) {
    FColor = clWindow;
    FTabStop = true;
    auto* w = new TScrollHost<QTreeWidget>(this);
    w->setFocusPolicy(Qt::StrongFocus);
    w->setHeaderHidden(true);
    w->setColumnCount(1);
    w->setIndentation(FIndent);
    FCanvas = std::make_unique<TCanvas>();
    FEditPeer = std::make_unique<TTreeEditPeer>();
    FEditPeer->Delegate = new TTreeItemDelegate(this, w);
    w->setItemDelegate(FEditPeer->Delegate);
    w->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    QObject::connect(w, &QTreeWidget::currentItemChanged, w, [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
        if (!FSyncing) SafeCall([&] { CurrentPicked(NodeOfItem(current)); });
    });
    QObject::connect(w, &QTreeWidget::itemExpanded, w, [this](QTreeWidgetItem* item) {
        if (TTreeNode* n = NodeOfItem(item)) SafeCall([&] { OnExpanded(this, n); });
    });
    QObject::connect(w, &QTreeWidget::itemCollapsed, w, [this](QTreeWidgetItem* item) {
        if (TTreeNode* n = NodeOfItem(item)) SafeCall([&] { OnCollapsed(this, n); });
    });
    SetPeer(std::make_unique<TControlPeer>(w));
    FWidth = 121;
    FHeight = 97;
    ApplyBounds();
    ApplyColor();
}

TTreeView::~TTreeView() {
    // An open label editor goes without writing back into a view that is going.
    if (IsEditing()) FEditPeer->Delegate->EndEdit(true);
    DestroyPeer();
    FEditPeer->Delegate = nullptr;
    FItems.reset();
}

TTreeNode* TTreeView::NodeOfItem(const void* Item) const {
    if (!Item) return nullptr;
    auto* item = static_cast<const QTreeWidgetItem*>(Item);
    return reinterpret_cast<TTreeNode*>(item->data(0, Qt::UserRole).value<quintptr>());
}

void TTreeView::NodeAdded(TTreeNode* Node, int Index) {
    QTreeWidget* t = TreeOf(this);
    if (!t) return;
    auto* item = new QTreeWidgetItem(QStringList{QStr(Node->Text())});
    item->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(Node)));
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    Node->Peer()->Item = item;
    FSyncing = true;
    if (TTreeNode* p = Node->Parent(); p && p->Peer()->Item) p->Peer()->Item->insertChild(Index, item);
    else t->insertTopLevelItem(Index, item);
    FSyncing = false;
    NodeChanged(Node);
}

void TTreeView::NodeRemoved(TTreeNode* Node) {
    if (FSelected == Node) FSelected = nullptr;
    QTreeWidgetItem* item = Node->Peer()->Item;
    Node->Peer()->Item = nullptr;
    if (!item || !TreeOf(this)) return;
    FSyncing = true;
    delete item;
    FSyncing = false;
}

void TTreeView::AllNodesRemoved() {
    FSelected = nullptr;
    QTreeWidget* t = TreeOf(this);
    if (!t) return;
    FSyncing = true;
    t->clear();
    FSyncing = false;
}

void TTreeView::NodeChanged(TTreeNode* Node) {
    QTreeWidgetItem* item = Node->Peer()->Item;
    if (!item) return;
    item->setText(0, QStr(Node->Text()));
    item->setIcon(0, IconOf(FImages, Node->ImageIndex()));
}

void TTreeView::Rebuild() {
    std::vector<TTreeNode*> all;
    FItems->Collect(all);
    for (TTreeNode* n : all) NodeChanged(n);
}

void TTreeView::SetSelected(TTreeNode* Value) {
    if (Value == FSelected) return;
    bool allow = true;
    if (Value) OnChanging(this, Value, allow);
    if (!allow) return;
    FSelected = Value;
    if (QTreeWidget* t = TreeOf(this)) {
        FSyncing = true;
        t->setCurrentItem(Value ? Value->Peer()->Item : nullptr);
        FSyncing = false;
    }
    OnChange(this, Value);
}

void TTreeView::CurrentPicked(TTreeNode* Node) {
    if (Node == FSelected) return;
    bool allow = true;
    if (Node) OnChanging(this, Node, allow);
    if (!allow) {
        FSyncing = true;
        if (QTreeWidget* t = TreeOf(this)) t->setCurrentItem(FSelected ? FSelected->Peer()->Item : nullptr);
        FSyncing = false;
        return;
    }
    FSelected = Node;
    OnChange(this, Node);
}

TTreeNode* TTreeView::TopItem() const {
    QTreeWidget* t = TreeOf(this);
    return t ? NodeOfItem(t->itemAt(0, 0)) : nullptr;
}

void TTreeView::SetTopItem(TTreeNode* Value) {
    if (QTreeWidget* t = TreeOf(this); t && Value && Value->Peer()->Item)
        t->scrollToItem(Value->Peer()->Item, QAbstractItemView::PositionAtTop);
}

void TTreeView::FullExpand() {
    if (QTreeWidget* t = TreeOf(this)) t->expandAll();
}

void TTreeView::FullCollapse() {
    if (QTreeWidget* t = TreeOf(this)) t->collapseAll();
}

TTreeNode* TTreeView::GetNodeAt(int X, int Y) const {
    QTreeWidget* t = TreeOf(this);
    if (!t) return nullptr;
    return NodeOfItem(t->itemAt(t->viewport()->mapFrom(t, QPoint(X, Y))));
}

void TTreeView::SetReadOnly(bool Value) {
    FReadOnly = Value;
    if (QTreeWidget* t = TreeOf(this))
        t->setEditTriggers(Value ? QAbstractItemView::NoEditTriggers
                                 : QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
}

bool TTreeView::IsEditing() const {
    // The delegate belongs to the tree's widget, which a parent's widget may have taken
    // with it already.
    return WidgetOf(this) && FEditPeer && FEditPeer->Delegate && FEditPeer->Delegate->Editor();
}

void TTreeView::SetShowRoot(bool Value) {
    FShowRoot = Value;
    if (QTreeWidget* t = TreeOf(this)) t->setRootIsDecorated(Value);
}

void TTreeView::SetIndent(int Value) {
    FIndent = Value;
    if (QTreeWidget* t = TreeOf(this)) t->setIndentation(Value);
}

void TTreeView::SetImages(TImageListComponent* Value) {
    FImages = Value;
    if (Value) Value->FreeNotification(this);
    Rebuild();
}

void TTreeView::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

bool TTreeView::WantsKey(uint16_t Key, TShiftState) const {
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

void TTreeView::ApplyColor() {
    TWinControl::ApplyColor();
    if (QWidget* w = WidgetOf(this)) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Base, ToQColor(FColor));
        w->setPalette(pal);
    }
}

void TTreeView::DeclareProperties(TPropertyDecl<TTreeView>& d) {
    d.Property("Color", ColorTypeInfo(), &TControl::Color, &TControl::SetColor).Default(clWindow);
    d.Property("HideSelection", &TTreeView::HideSelection, &TTreeView::SetHideSelection).Default(true);
    d.Property("Images", &TTreeView::Images, &TTreeView::SetImages);
    d.Property("Indent", &TTreeView::Indent, &TTreeView::SetIndent).Default(19);
    d.Property("ReadOnly", &TTreeView::ReadOnly, &TTreeView::SetReadOnly).Default(false);
    d.Property("ShowLines", &TTreeView::ShowLines, &TTreeView::SetShowLines).Default(true);
    d.Property("ShowRoot", &TTreeView::ShowRoot, &TTreeView::SetShowRoot).Default(true);
    d.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
    d.Event("OnChange", &TTreeView::OnChange);
    d.Event("OnChanging", &TTreeView::OnChanging);
    d.Event("OnCollapsed", &TTreeView::OnCollapsed);
    d.Event("OnExpanded", &TTreeView::OnExpanded);
    d.Event("OnCustomDrawItem", &TTreeView::OnCustomDrawItem);
    d.Event("OnEditing", &TTreeView::OnEditing);
    d.Event("OnEdited", &TTreeView::OnEdited);
}
