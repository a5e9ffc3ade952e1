// The tab control over a QTabBar laid across the top of its widget.
#include "platform/ui/TabControl.h"

#include "platform/ui/QtPeer.h"
#include "platform/ui/QtText.h"

#include <QTabBar>
#include <QWheelEvent>
#include <algorithm>

ROVE_IMPLEMENT_CLASS(TTabControl)

namespace {
// The tabs: the mouse on them reaches the control's mouse events (and starts its drags);
// the wheel does not flip through them behind the control's back (a tab changes only as
// the control's events say).
class TTabBarHost : public THost<QTabBar> {
public:
    using THost<QTabBar>::THost;

protected:
    void wheelEvent(QWheelEvent* e) override { e->ignore(); }
};

QTabBar* BarOf(const TTabControl* tc) {
    QWidget* w = WidgetOf(tc);
    return w ? w->findChild<QTabBar*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}
}  // namespace

TTabControl::TTabControl(TComponent* AOwner) : TWinControl(AOwner), FTabs(std::make_unique<TStringList>()) {
    FTabStop = true;
    FParentColor = true;
    auto* w = new THost<QWidget>(this);
    auto* bar = new TTabBarHost(this, w);
    bar->setDrawBase(true);
    bar->setExpanding(false);
    bar->setUsesScrollButtons(true);
    bar->setFocusPolicy(Qt::NoFocus);
    QObject::connect(bar, &QTabBar::tabBarClicked, w, [this](int index) {
        if (!FSyncing && index >= 0) SafeCall([&] { TabClicked(index); });
    });
    SetPeer(std::make_unique<TControlPeer>(w));
    FTabs->SetOnChange([this](TStringList&) { UpdateTabs(); });
    FWidth = 289;
    FHeight = 193;
    ApplyBounds();
}

TTabControl::~TTabControl() {
    FTabs->SetOnChange(nullptr);
    if (auto* sink = dynamic_cast<TEventSink*>(BarOf(this))) sink->Control = nullptr;
    DestroyPeer();
}

void TTabControl::SetTabIndex(int Value) {
    if (Value < -1 || Value >= FTabs->Count()) Value = -1;
    FTabIndex = Value;
    if (QTabBar* bar = BarOf(this)) {
        FSyncing = true;
        if (Value >= 0) bar->setCurrentIndex(Value);
        FSyncing = false;
    }
}

void TTabControl::UpdateTabs() {
    QTabBar* bar = BarOf(this);
    if (!bar) return;
    FSyncing = true;
    while (bar->count() > 0) bar->removeTab(0);
    for (int i = 0; i < FTabs->Count(); ++i) bar->addTab(QStr((*FTabs)[i]));
    if (FTabIndex >= FTabs->Count()) FTabIndex = FTabs->Count() - 1;
    if (FTabIndex >= 0) bar->setCurrentIndex(FTabIndex);
    bar->move(2, 0);
    bar->resize(std::min(bar->sizeHint().width(), std::max(Width() - 4, 0)), bar->sizeHint().height());
    FSyncing = false;
    Realign();
}

void TTabControl::TabClicked(int Index) {
    if (Index < 0 || Index >= FTabs->Count() || Index == FTabIndex) return;
    bool allow = true;
    OnChanging(this, allow);
    if (!allow) {
        SetTabIndex(FTabIndex);
        return;
    }
    SetTabIndex(Index);
    OnChange(this);
}

int TTabControl::IndexOfTabAt(int X, int Y) const {
    QTabBar* bar = BarOf(this);
    if (!bar) return -1;
    return bar->tabAt(bar->mapFrom(WidgetOf(this), QPoint(X, Y)));
}

TRect TTabControl::TabRect(int Index) const {
    QTabBar* bar = BarOf(this);
    if (!bar || Index < 0 || Index >= bar->count()) return TRect{};
    const QRect r = bar->tabRect(Index).translated(bar->pos());
    return Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
}

void TTabControl::AdjustClientRect(TRect& R) const {
    QTabBar* bar = BarOf(this);
    R.Top += bar && bar->count() > 0 ? bar->sizeHint().height() : 0;
}

TRect TTabControl::DisplayRect() const {
    TRect r = ClientRect();
    AdjustClientRect(r);
    return r;
}

bool TTabControl::WantsKey(uint16_t, TShiftState) const { return false; }

void TTabControl::BoundsChanged(bool Resized) {
    TWinControl::BoundsChanged(Resized);
    if (QTabBar* bar = BarOf(this))
        bar->resize(std::min(bar->sizeHint().width(), std::max(Width() - 4, 0)), bar->sizeHint().height());
}

void TTabControl::DeclareProperties(TPropertyDecl<TTabControl>& d) {
    d.Property("TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex).Default(-1);
    d.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(true);
    d.Event("OnChange", &TTabControl::OnChange);
    d.Event("OnChanging", &TTabControl::OnChanging);
}
