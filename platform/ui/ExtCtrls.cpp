// Panels, bevels, images, paint boxes, splitters, scroll boxes and timers.
#include "platform/ui/ExtCtrls.h"

#include "platform/graphics/QtBridge.h"
#include "platform/ui/QtPeer.h"
#include "platform/ui/UiInternal.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

ROVE_IMPLEMENT_CLASS(TCustomPanel)
ROVE_IMPLEMENT_CLASS(TPanel)
ROVE_IMPLEMENT_CLASS(TBevel)
ROVE_IMPLEMENT_CLASS(TImage)
ROVE_IMPLEMENT_CLASS(TPaintBox)
ROVE_IMPLEMENT_CLASS(TSplitter)
ROVE_IMPLEMENT_CLASS(TControlScrollBar)
ROVE_IMPLEMENT_CLASS(TScrollingWinControl)
ROVE_IMPLEMENT_CLASS(TScrollBox)
ROVE_IMPLEMENT_CLASS(TTimer)

namespace {

bool IsLoading(const TComponent* c) { return c->ComponentState().Contains(csLoading); }

QWidget* MakePaintedWidget(TControl* control) {
    auto* w = new THost<QWidget>(control);
    w->PaintsControl = true;
    return w;
}

}  // namespace

// --- TCustomPanel ------------------------------------------------------------------------

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    FColor = clBtnFace;
    QWidget* w = MakePaintedWidget(this);
    w->setAutoFillBackground(true);
    SetPeer(std::make_unique<TControlPeer>(w));
    FWidth = 185;
    FHeight = 41;
    ApplyBounds();
    ApplyColor();
}

void TCustomPanel::SetText(const std::string& Value) {
    FText = Value;
    Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment Value) {
    FAlignment = Value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut Value) {
    FBevelInner = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut Value) {
    FBevelOuter = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int Value) {
    FBevelWidth = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderWidth(int Value) {
    FBorderWidth = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
    FBorderStyle = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& R) const {
    if (FBorderStyle == bsSingle) InflateRect(R, -1, -1);
    InflateRect(R, -FBorderWidth, -FBorderWidth);
    int bevel = 0;
    if (FBevelOuter != bvNone) bevel += FBevelWidth;
    if (FBevelInner != bvNone) bevel += FBevelWidth;
    InflateRect(R, -bevel, -bevel);
}

void TCustomPanel::ApplyColor() {
    TCustomControl::ApplyColor();
    if (QWidget* w = WidgetOf(this)) w->setAutoFillBackground(true);
}

// The outer bevel, the border in the face colour, the inner bevel, then the caption in
// the middle.
void TCustomPanel::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    auto colors = [](TBevelCut cut, TColor& top, TColor& bottom) {
        top = cut == bvLowered ? clBtnShadow : clBtnHighlight;
        bottom = cut == bvLowered ? clBtnHighlight : clBtnShadow;
    };
    if (FBorderStyle == bsSingle) Frame3D(c, r, clWindowFrame, clWindowFrame, 1);
    TColor top, bottom;
    if (FBevelOuter != bvNone) {
        colors(FBevelOuter, top, bottom);
        Frame3D(c, r, top, bottom, FBevelWidth);
    }
    Frame3D(c, r, FColor, FColor, FBorderWidth);
    if (FBevelInner != bvNone) {
        colors(FBevelInner, top, bottom);
        Frame3D(c, r, top, bottom, FBevelWidth);
    }
    if (FText.empty()) return;
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(*FFont);
    unsigned flags = DT_SINGLELINE | DT_VCENTER;
    flags |= FAlignment == taCenter ? DT_CENTER : FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT;
    c->DrawText(FText, r, flags);
}

void TCustomPanel::DeclareProperties(TPropertyDecl<TCustomPanel>& d) {
    d.Property("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment).Default(taCenter);
    d.Property("AutoSize", &TCustomPanel::AutoSize, &TCustomPanel::SetAutoSize).Default(false);
    d.Property("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner).Default(bvNone);
    d.Property("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter).Default(bvRaised);
    d.Property("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth).Default(1);
    d.Property("BorderStyle", BorderStyleTypeInfo(), &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle).Default(bsNone);
    d.Property("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth).Default(0);
    d.Property("Caption", &TControl::Caption, &TControl::SetCaption);
    d.Property("Color", ColorTypeInfo(), &TControl::Color, &TControl::SetColor).Default(clBtnFace);
    d.Property("DockSite", &TCustomPanel::DockSite, &TCustomPanel::SetDockSite).Default(false);
    d.Property("FullRepaint", &TCustomPanel::FullRepaint, &TCustomPanel::SetFullRepaint).Default(true);
}

TPanel::TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}

// --- TBevel ------------------------------------------------------------------------------

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
    QWidget* w = MakePaintedWidget(this);
    w->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    SetPeer(std::make_unique<TControlPeer>(w));
    FWidth = 50;
    FHeight = 50;
    ApplyBounds();
}

void TBevel::SetShape(TBevelShape Value) {
    FShape = Value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value) {
    FStyle = Value;
    Invalidate();
}

void TBevel::Paint() {
    TCanvas* c = Canvas();
    const TColor c1 = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor c2 = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
    c->Pen()->SetWidth(1);
    auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
        c->Pen()->SetColor(color);
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
    };
    const int w = FWidth, h = FHeight;
    switch (FShape) {
    case bsBox: {
        TRect r = ClientRect();
        Frame3D(c, r, c1, c2, 1);
        break;
    }
    case bsFrame: {
        TRect r = Rect(0, 0, w - 1, h - 1);
        Frame3D(c, r, c1, c1, 1);
        r = Rect(1, 1, w, h);
        Frame3D(c, r, c2, c2, 1);
        break;
    }
    case bsTopLine:
        line(c1, 0, 0, w, 0);
        line(c2, 0, 1, w, 1);
        break;
    case bsBottomLine:
        line(c1, 0, h - 2, w, h - 2);
        line(c2, 0, h - 1, w, h - 1);
        break;
    case bsLeftLine:
        line(c1, 0, 0, 0, h);
        line(c2, 1, 0, 1, h);
        break;
    case bsRightLine:
        line(c1, w - 2, 0, w - 2, h);
        line(c2, w - 1, 0, w - 1, h);
        break;
    case bsSpacer: break;
    }
}

void TBevel::DeclareProperties(TPropertyDecl<TBevel>& d) {
    d.Property("Shape", &TBevel::Shape, &TBevel::SetShape).Default(bsBox);
    d.Property("Style", &TBevel::Style, &TBevel::SetStyle).Default(bsLowered);
}

// --- TImage ------------------------------------------------------------------------------

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()) {
    SetPeer(std::make_unique<TControlPeer>(MakePaintedWidget(this)));
    FPicture->OnChange = [this](TObject*) { PictureChanged(); };
    FWidth = 105;
    FHeight = 105;
    ApplyBounds();
}

TImage::~TImage() { FPicture->OnChange = nullptr; }

void TImage::SetPicture(TPicture* Value) {
    if (Value) FPicture->Assign(*Value);
    else FPicture->Clear();
}

void TImage::PictureChanged() {
    if (FAutoSize && !FPicture->Empty()) SetBounds(FLeft, FTop, FPicture->Width(), FPicture->Height());
    Invalidate();
}

void TImage::SetStretch(bool Value) {
    FStretch = Value;
    Invalidate();
}

void TImage::SetCenter(bool Value) {
    FCenter = Value;
    Invalidate();
}

void TImage::SetProportional(bool Value) {
    FProportional = Value;
    Invalidate();
}

void TImage::SetTransparent(bool Value) {
    FTransparent = Value;
    if (TGraphic* g = FPicture->Graphic()) g->SetTransparent(Value);
    Invalidate();
}

void TImage::SetAutoSize(bool Value) {
    FAutoSize = Value;
    PictureChanged();
}

TRect TImage::DestRect() const {
    int w = FPicture->Width(), h = FPicture->Height();
    const int cw = FWidth, ch = FHeight;
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional && w > 0 && h > 0) {
            if (static_cast<long long>(cw) * h > static_cast<long long>(ch) * w) {
                w = MulDiv(w, ch, h);
                h = ch;
            } else {
                h = MulDiv(h, cw, w);
                w = cw;
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    TRect r = Rect(0, 0, w, h);
    if (FCenter) OffsetRect(r, (cw - w) / 2, (ch - h) / 2);
    return r;
}

void TImage::Paint() {
    if (FPicture->Empty()) return;
    Canvas()->StretchDraw(DestRect(), FPicture->Graphic());
}

void TImage::DeclareProperties(TPropertyDecl<TImage>& d) {
    d.Property("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize).Default(false);
    d.Property("Center", &TImage::Center, &TImage::SetCenter).Default(false);
    d.Property("Picture", &TImage::Picture, &TImage::SetPicture);
    d.Property("Proportional", &TImage::Proportional, &TImage::SetProportional).Default(false);
    d.Property("Stretch", &TImage::Stretch, &TImage::SetStretch).Default(false);
    d.Property("Transparent", &TImage::Transparent, &TImage::SetTransparent).Default(false);
}

// --- TPaintBox ---------------------------------------------------------------------------

TPaintBox::TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetPeer(std::make_unique<TControlPeer>(MakePaintedWidget(this)));
    FWidth = 105;
    FHeight = 105;
    ApplyBounds();
}

void TPaintBox::Paint() {
    Canvas()->Font()->Assign(*FFont);
    Canvas()->Brush()->SetColor(FColor);
    OnPaint(this);
}

void TPaintBox::DeclareProperties(TPropertyDecl<TPaintBox>& d) {
    d.Event("OnPaint", &TPaintBox::OnPaint);
}

// --- TSplitter ---------------------------------------------------------------------------

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetPeer(std::make_unique<TControlPeer>(MakePaintedWidget(this)));
    FAlign = alLeft;
    FWidth = 3;
    FHeight = 100;
    SetCursor(crHSplit);
    ApplyBounds();
}

void TSplitter::SetBeveled(bool Value) {
    FBeveled = Value;
    Invalidate();
}

// The control of the same alignment whose edge touches the splitter's near side.
TControl* TSplitter::FindControl() const {
    if (!FParent) return nullptr;
    TPoint p;
    switch (FAlign) {
    case alLeft: p = {FLeft - 1, FTop}; break;
    case alRight: p = {FLeft + FWidth, FTop}; break;
    case alTop: p = {FLeft, FTop - 1}; break;
    case alBottom: p = {FLeft, FTop + FHeight}; break;
    default: return nullptr;
    }
    for (int i = 0; i < FParent->ControlCount(); ++i) {
        TControl* c = FParent->Controls(i);
        if (c == this || !c->Visible() || c->Align() != FAlign) continue;
        const TRect r = c->BoundsRect();
        const bool horizontal = FAlign == alLeft || FAlign == alRight;
        if (horizontal ? (p.X >= r.Left && p.X < r.Right) : (p.Y >= r.Top && p.Y < r.Bottom)) return c;
    }
    return nullptr;
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    FControl = FindControl();
    if (!FControl) return;
    FSizing = true;
    FDownPos = ClientToScreen({X, Y});
    FStartSize = (FAlign == alLeft || FAlign == alRight) ? FControl->Width() : FControl->Height();
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FSizing || !FControl) return;
    const TPoint p = ClientToScreen({X, Y});
    int delta = 0;
    switch (FAlign) {
    case alLeft: delta = p.X - FDownPos.X; break;
    case alRight: delta = FDownPos.X - p.X; break;
    case alTop: delta = p.Y - FDownPos.Y; break;
    case alBottom: delta = FDownPos.Y - p.Y; break;
    default: break;
    }
    const int size = std::max(FMinSize, FStartSize + delta);
    if (FAlign == alLeft || FAlign == alRight) FControl->SetWidth(size);
    else FControl->SetHeight(size);
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!FSizing) return;
    FSizing = false;
    FControl = nullptr;
    OnMoved(this);
}

void TSplitter::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(FColor);
    c->FillRect(ClientRect());
    if (!FBeveled) return;
    TRect r = ClientRect();
    Frame3D(c, r, clBtnHighlight, clBtnShadow, 1);
}

void TSplitter::DeclareProperties(TPropertyDecl<TSplitter>& d) {
    d.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alLeft);
    d.Property("Beveled", &TSplitter::Beveled, &TSplitter::SetBeveled).Default(false);
    d.Property("Cursor", CursorTypeInfo(), &TControl::Cursor, &TControl::SetCursor).Default(crHSplit);
    d.Property("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize).Default(30);
    d.Property("ResizeStyle", &TSplitter::ResizeStyle, &TSplitter::SetResizeStyle).Default(rsPattern);
    d.Event("OnMoved", &TSplitter::OnMoved);
}

// --- Scroll boxes ------------------------------------------------------------------------

namespace {
QScrollArea* AreaOf(const TScrollingWinControl* c) { return TypedWidget<QScrollArea>(c); }
}  // namespace

int TControlScrollBar::Position() const {
    QScrollArea* a = FControl ? AreaOf(FControl) : nullptr;
    if (!a) return 0;
    return (FHorizontal ? a->horizontalScrollBar() : a->verticalScrollBar())->value();
}

void TControlScrollBar::SetPosition(int Value) {
    if (QScrollArea* a = FControl ? AreaOf(FControl) : nullptr)
        (FHorizontal ? a->horizontalScrollBar() : a->verticalScrollBar())->setValue(Value);
}

void TControlScrollBar::SetRange(int Value) {
    FRange = Value;
    if (FControl) FControl->UpdateScrollRange();
}

void TControlScrollBar::SetVisible(bool Value) {
    FVisible = Value;
    if (QScrollArea* a = FControl ? AreaOf(FControl) : nullptr) {
        const Qt::ScrollBarPolicy p = Value ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
        if (FHorizontal) a->setHorizontalScrollBarPolicy(p);
        else a->setVerticalScrollBarPolicy(p);
    }
}

void TControlScrollBar::DeclareProperties(TPropertyDecl<TControlScrollBar>& d) {
    d.Property("Increment", &TControlScrollBar::Increment, &TControlScrollBar::SetIncrement).Default(8);
    d.Property("Position", &TControlScrollBar::Position, &TControlScrollBar::SetPosition).Default(0);
    d.Property("Range", &TControlScrollBar::Range, &TControlScrollBar::SetRange).Default(0);
    d.Property("Tracking", &TControlScrollBar::Tracking, &TControlScrollBar::SetTracking).Default(false);
    d.Property("Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible).Default(true);
}

namespace {
// The scroll area of a scrolling control: a wheel turned over its free area (beside a
// client smaller than the view) reaches the control's wheel events, as one over the
// client does, before the area scrolls.
class TScrollAreaHost : public TScrollHost<QScrollArea> {
public:
    using TScrollHost<QScrollArea>::TScrollHost;

protected:
    bool viewportEvent(QEvent* e) override {
        if (e->type() == QEvent::Wheel && Control)
            return DispatchWidgetEvent(viewport(), Control, e,
                                       [this](QEvent* ev) { return TScrollHost<QScrollArea>::viewportEvent(ev); });
        return TScrollHost<QScrollArea>::viewportEvent(e);
    }
};
}  // namespace

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner)
    : TWinControl(AOwner),
      FHorz(std::make_unique<TControlScrollBar>(this, true)),
      FVert(std::make_unique<TControlScrollBar>(this, false)) {
    auto* area = new TScrollAreaHost(this);
    area->setWidgetResizable(false);
    area->setFrameShape(QFrame::NoFrame);
    auto* client = new THost<QWidget>(this);
    area->setWidget(client);
    for (QScrollBar* bar : {area->horizontalScrollBar(), area->verticalScrollBar()})
        QObject::connect(bar, &QScrollBar::valueChanged, area, [this](int) { SafeCall([&] { OnScroll(this); }); });
    SetPeer(std::make_unique<TControlPeer>(area, client));
}

TScrollingWinControl::~TScrollingWinControl() = default;

TRect TScrollingWinControl::ClientRect() const {
    QScrollArea* a = AreaOf(this);
    if (!a) return TWinControl::ClientRect();
    const int frame = a->frameWidth() * 2;
    return Rect(0, 0, std::max(0, FWidth - frame), std::max(0, FHeight - frame));
}

void TScrollingWinControl::SetAutoScroll(bool Value) {
    FAutoScroll = Value;
    UpdateScrollRange();
}

// The scrolled area covers the visible part and every child that is not aligned (or the
// ranges the scroll bars were given).
void TScrollingWinControl::UpdateScrollRange() {
    QScrollArea* a = AreaOf(this);
    QWidget* client = ClientWidgetOf(this);
    if (!a || !client) return;
    const TRect visible = ClientRect();
    int w = visible.Width(), h = visible.Height();
    if (FAutoScroll) {
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            if (!c->Visible() || c->Align() != alNone) continue;
            w = std::max(w, c->Left() + c->Width());
            h = std::max(h, c->Top() + c->Height());
        }
    }
    w = std::max(w, FHorz->Range());
    h = std::max(h, FVert->Range());
    client->resize(w, h);
}

void TScrollingWinControl::ChildBoundsUpdated() { UpdateScrollRange(); }

void TScrollingWinControl::ScrollInView(TControl* AControl) {
    if (QScrollArea* a = AreaOf(this); a && WidgetOf(AControl)) a->ensureWidgetVisible(WidgetOf(AControl));
}

void TScrollingWinControl::BoundsChanged(bool Resized) {
    TWinControl::BoundsChanged(Resized);
    UpdateScrollRange();
}

void TScrollingWinControl::DeclareProperties(TPropertyDecl<TScrollingWinControl>& d) {
    d.Property("AutoScroll", &TScrollingWinControl::AutoScroll, &TScrollingWinControl::SetAutoScroll).Default(true);
    d.Property("HorzScrollBar", &TScrollingWinControl::HorzScrollBar, &TScrollingWinControl::SetHorzScrollBar);
    d.Property("VertScrollBar", &TScrollingWinControl::VertScrollBar, &TScrollingWinControl::SetVertScrollBar);
}

TScrollBox::TScrollBox(TComponent* AOwner) : TScrollingWinControl(AOwner) {
    FWidth = 185;
    FHeight = 41;
    SetBorderStyle(bsSingle);
    ApplyBounds();
}

void TScrollBox::SetBorderStyle(TBorderStyle Value) {
    FBorderStyle = Value;
    if (QScrollArea* a = AreaOf(this)) a->setFrameShape(Value == bsSingle ? QFrame::StyledPanel : QFrame::NoFrame);
    Realign();
}

void TScrollBox::DeclareProperties(TPropertyDecl<TScrollBox>& d) {
    d.Property("BorderStyle", BorderStyleTypeInfo(), &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle).Default(bsSingle);
}

// --- TTimer ------------------------------------------------------------------------------

// Timers run on Qt's clock, or, while the test harness holds them, on a virtual clock that
// only the harness advances: a test then decides exactly when (and how often) a timer fires.
namespace {

struct TVirtualClock {
    bool Manual = false;
    int Holders = 0;      // harnesses alive (they may nest)
    int64_t Now = 0;      // milliseconds of virtual time
    uint64_t Arms = 0;    // arming order, for timers due at the same moment
    std::vector<TTimer*> Live;
};

TVirtualClock& VirtualClock() {
    static TVirtualClock clock;
    return clock;
}

int gTimerHolds = 0;

}  // namespace

struct TTimer::TPeer {
    QTimer Timer;
    bool Armed = false;    // virtual clock only
    int64_t Due = 0;
    uint64_t Order = 0;
};

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), FTimerPeer(std::make_unique<TPeer>()) {
    // A tick that falls due while timers are held is left out; the next one comes an
    // interval later.
    QObject::connect(&FTimerPeer->Timer, &QTimer::timeout, &FTimerPeer->Timer, [this] {
        if (gTimerHolds == 0) Tick();
    });
    VirtualClock().Live.push_back(this);
    UpdateTimer();
}

TTimer::~TTimer() {
    FTimerPeer->Timer.stop();
    auto& live = VirtualClock().Live;
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

void TTimer::SetEnabled(bool Value) {
    FEnabled = Value;
    UpdateTimer();
}

void TTimer::SetInterval(int Value) {
    FInterval = Value;
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

// Runs while enabled with a positive interval; OnTimer is looked at when it fires.
// Changing Enabled or Interval starts the period afresh, as the system timer does.
void TTimer::UpdateTimer() {
    FTimerPeer->Timer.stop();
    FTimerPeer->Armed = false;
    if (!FEnabled || FInterval <= 0 || IsLoading(this) || ComponentState().Contains(csDesigning)) return;
    TVirtualClock& clock = VirtualClock();
    if (!clock.Manual) {
        FTimerPeer->Timer.start(FInterval);
        return;
    }
    FTimerPeer->Armed = true;
    FTimerPeer->Due = clock.Now + FInterval;
    FTimerPeer->Order = ++clock.Arms;
}

void SetManualTimers(bool Manual) {
    TVirtualClock& clock = VirtualClock();
    clock.Holders = std::max(0, clock.Holders + (Manual ? 1 : -1));
    if (clock.Manual == (clock.Holders > 0)) return;
    clock.Manual = clock.Holders > 0;
    clock.Now = 0;
    const std::vector<TTimer*> live = clock.Live;
    for (TTimer* t : live) t->Rearm();
}

void TTimer::Rearm() { UpdateTimer(); }

void HoldTimers(bool Hold) { gTimerHolds = std::max(0, gTimerHolds + (Hold ? 1 : -1)); }

// The armed timer due first, no later than Limit (ties: the one armed first).
TTimer* NextDueTimer(int64_t Limit) {
    TTimer* next = nullptr;
    for (TTimer* t : VirtualClock().Live) {
        const TTimer::TPeer& p = *t->FTimerPeer;
        if (!p.Armed || p.Due > Limit) continue;
        const TTimer::TPeer* best = next ? next->FTimerPeer.get() : nullptr;
        if (!best || p.Due < best->Due || (p.Due == best->Due && p.Order < best->Order)) next = t;
    }
    return next;
}

// Moves the virtual clock to the timer's due time and fires it; it falls due again one
// interval later unless its handler disables it.
void FireDueTimer(TTimer* Timer) {
    TVirtualClock& clock = VirtualClock();
    TTimer::TPeer& p = *Timer->FTimerPeer;
    clock.Now = std::max(clock.Now, p.Due);
    p.Due += Timer->FInterval;
    p.Order = ++clock.Arms;
    Timer->Tick();
}

// Moves the virtual clock on by Milliseconds, firing every timer that falls due on the way,
// earliest first.
int ElapseManualTimers(int Milliseconds) {
    TVirtualClock& clock = VirtualClock();
    const int64_t target = clock.Now + std::max(Milliseconds, 0);
    int fired = 0;
    // Bounded: a 1 ms timer over a long stretch must not turn a test into a hang.
    for (; fired < 1000000; ++fired) {
        TTimer* next = NextDueTimer(target);
        if (!next) break;
        FireDueTimer(next);
    }
    clock.Now = std::max(clock.Now, target);
    return fired;
}

// An idle wait on the virtual clock: time jumps to the next timer, which fires.
bool ElapseToNextManualTimer() {
    if (!VirtualClock().Manual) return false;
    TTimer* next = NextDueTimer(INT64_MAX);
    if (!next) return false;
    FireDueTimer(next);
    return true;
}

bool ManualTimers() { return VirtualClock().Manual; }

void TTimer::Tick() { SafeCall([&] { OnTimer(this); }); }

void TTimer::DeclareProperties(TPropertyDecl<TTimer>& d) {
    d.Property("Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default(true);
    d.Property("Interval", &TTimer::Interval, &TTimer::SetInterval).Default(1000);
    d.Event("OnTimer", &TTimer::OnTimer);
}
