// TControl, TWinControl, TGraphicControl, TCustomControl: bounds and the align rules,
// parent and child lists, fonts and colours that follow the parent, focus and tab order,
// and the key path with the form's key preview.
#include "platform/ui/Controls.h"

#include "platform/graphics/QtBridge.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/ActnList.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/QtPeer.h"
#include "platform/ui/UiInternal.h"

#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QCursor>
#include <QPalette>
#include <algorithm>
#include <cstdlib>
#include <cstdio>

ROVE_IMPLEMENT_CLASS(TControl)
ROVE_IMPLEMENT_CLASS(TGraphicControl)
ROVE_IMPLEMENT_CLASS(TWinControl)
ROVE_IMPLEMENT_CLASS(TCustomControl)

static void PaintControlUnguarded(TControl* control, QWidget* widget, const QRegion* region);

namespace {

const TIdentMap kCursorIdents = {
    {crDefault, "crDefault"},   {crNone, "crNone"},         {crArrow, "crArrow"},
    {crCross, "crCross"},       {crIBeam, "crIBeam"},       {crSizeNESW, "crSizeNESW"},
    {crSizeNS, "crSizeNS"},     {crSizeNWSE, "crSizeNWSE"}, {crSizeWE, "crSizeWE"},
    {crUpArrow, "crUpArrow"},   {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},     {crHSplit, "crHSplit"},     {crVSplit, "crVSplit"},
    {crMultiDrag, "crMultiDrag"}, {crSQLWait, "crSQLWait"}, {crNo, "crNo"},
    {crAppStart, "crAppStart"}, {crHelp, "crHelp"},         {crHandPoint, "crHandPoint"},
    {crSizeAll, "crSizeAll"},
};

Qt::CursorShape CursorShapeOf(TCursor c) {
    switch (c) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait: return Qt::WaitCursor;
    case crDrag:
    case crMultiDrag: return Qt::DragMoveCursor;
    case crNoDrop:
    case crNo: return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
    }
}

bool IsLoading(const TComponent* c) { return c->ComponentState().Contains(csLoading); }
bool IsDestroying(const TComponent* c) { return c->ComponentState().Contains(csDestroying); }

// The anchors that an alignment implies: such controls are placed by the alignment alone.
TAnchors AnchorAlign(TAlign a) {
    switch (a) {
    case alTop: return {akLeft, akTop, akRight};
    case alBottom: return {akLeft, akRight, akBottom};
    case alLeft: return {akLeft, akTop, akBottom};
    case alRight: return {akRight, akTop, akBottom};
    case alClient: return {akLeft, akTop, akRight, akBottom};
    default: return {akLeft, akTop};
    }
}

}  // namespace

const TTypeInfo* CursorTypeInfo() {
    static const TTypeInfo info = TTypeInfo::Integer("TCursor", &kCursorIdents);
    return &info;
}

const TTypeInfo* BorderStyleTypeInfo() {
    static const TTypeInfo info = TTypeInfo::Enumeration("TBorderStyle", {"bsNone", "bsSingle"});
    return &info;
}

bool IsAccelChar(char32_t Key, const std::string& Caption) {
    auto upper = [](char32_t c) { return c >= 'a' && c <= 'z' ? c - 32 : c; };
    size_t pos = 0;
    while (pos < Caption.size()) {
        const char32_t c = NextCodePoint(Caption, pos);
        if (c != '&' || pos >= Caption.size()) continue;
        size_t next = pos;
        const char32_t a = NextCodePoint(Caption, next);
        if (a == '&') {
            pos = next;
            continue;
        }
        return upper(a) == upper(Key);
    }
    return false;
}

int MulDiv(int Number, int Numerator, int Denominator) {
    if (Denominator == 0) return -1;
    const long long p = static_cast<long long>(Number) * Numerator;
    const long long half = std::llabs(Denominator) / 2;
    const bool negative = (p < 0) != (Denominator < 0);
    const long long q = (std::llabs(p) + half) / std::llabs(Denominator);
    return static_cast<int>(negative ? -q : q);
}

bool SafeCall(const std::function<void()>& fn) {
    try {
        fn();
        return true;
    } catch (...) {
        HandleCurrentException(std::current_exception());
        return false;
    }
}

void GuardedCall(const std::function<void()>& fn) { SafeCall(fn); }

TControlPeer::~TControlPeer() {
    if (Widget) {
        if (auto* sink = dynamic_cast<TEventSink*>(Widget.data())) sink->Control = nullptr;
        delete Widget.data();
    }
}

TControl* ControlOfWidget(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (auto* sink = dynamic_cast<const TEventSink*>(w))
            if (sink->Control) return sink->Control;
    }
    return nullptr;
}

QWidget* WidgetOf(const TControl* control) {
    return control && control->Peer() ? control->Peer()->Widget.data() : nullptr;
}

QWidget* ClientWidgetOf(const TControl* control) {
    return control && control->Peer() ? control->Peer()->Client.data() : nullptr;
}

void RaiseWidgetClassError(const TControl* control, const QWidget* widget, const char* wanted) {
    std::string name = control->ClassName();
    if (!control->Name().empty()) name += " " + control->Name();
    throw EInvalidCast("Invalid class typecast: the widget of " + name + " is a " +
                       widget->metaObject()->className() + ", not a " + wanted);
}

void TControlAccess::SetBoundsFromWidget(TControl* c, int l, int t, int w, int h) {
    if (c->FLeft == l && c->FTop == t && c->FWidth == w && c->FHeight == h) return;
    const bool resized = c->FWidth != w || c->FHeight != h;
    c->FLeft = l;
    c->FTop = t;
    c->FWidth = w;
    c->FHeight = h;
    if (auto* wc = dynamic_cast<TWinControl*>(c); wc && resized) wc->Realign();
    if (resized) c->Resize();
}

QString ToQtMnemonic(const std::string& caption) { return QStr(caption); }

// =========================================================================================
// TControl
// =========================================================================================

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), FColor(clBtnFace), FFont(std::make_unique<TFont>()) {
    FFont->OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl() {
    SetComponentStateFlag(csDestroying, true);
    if (Mouse()->Capture() == this) Mouse()->SetCapture(nullptr);
    ForgetControlDrag(this);
    if (FParent) FParent->RemoveControl(this);
    FActionLink.reset();
    FPeer.reset();
}

void TControl::DestroyPeer() {
    SetComponentStateFlag(csDestroying, true);
    if (FParent) FParent->RemoveControl(this);
    FPeer.reset();
}

void TControl::SetPeer(std::unique_ptr<TControlPeer> Peer) {
    FPeer = std::move(Peer);
    if (QWidget* w = WidgetOf(this)) {
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        // OnMouseMove fires without a button held, as on the platform.
        w->setMouseTracking(true);
        w->resize(std::max(FWidth, 0), std::max(FHeight, 0));
    }
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* Value) {
    if (auto* wc = dynamic_cast<TWinControl*>(Value)) SetParent(wc);
}

void TControl::SetParent(TWinControl* AParent) {
    if (FParent == AParent) return;
    if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
    if (FParent) FParent->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
}

void TControl::Loaded() {
    TComponent::Loaded();
    if (FParent && !IsLoading(FParent)) UpdateAnchorRules();
    if (FActionLink) ActionChanged(Action());
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FPopupMenu) FPopupMenu = nullptr;
    if (FActionLink && AComponent == FActionLink->Action()) FActionLink.reset();
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    if (OnCanResize.Assigned() && (AWidth != FWidth || AHeight != FHeight)) {
        bool resize = true;
        int w = AWidth, h = AHeight;
        SafeCall([&] { OnCanResize(this, w, h, resize); });
        if (!resize) return;
        AWidth = w;
        AHeight = h;
    }
    const bool resized = AWidth != FWidth || AHeight != FHeight;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    UpdateAnchorRules();
    ApplyBounds();
    RequestAlign();
    if (FParent) FParent->ChildMoved(this);
    BoundsChanged(resized);
}

void TControl::BoundsChanged(bool Resized) {
    if (Resized && !IsLoading(this)) SafeCall([&] { Resize(); });
}

void TControl::ApplyBounds() {
    if (QWidget* w = WidgetOf(this)) w->setGeometry(FLeft, FTop, std::max(FWidth, 0), std::max(FHeight, 0));
}

void TControl::SetClientWidth(int Value) { SetWidth(Value + (FWidth - ClientWidth())); }
void TControl::SetClientHeight(int Value) { SetHeight(Value + (FHeight - ClientHeight())); }

TPoint TControl::ClientToScreen(TPoint p) const {
    QWidget* w = ClientWidgetOf(this);
    if (!w) return p;
    QPoint g = w->mapToGlobal(QPoint(p.X, p.Y));
    return {g.x(), g.y()};
}

TPoint TControl::ScreenToClient(TPoint p) const {
    QWidget* w = ClientWidgetOf(this);
    if (!w) return p;
    QPoint l = w->mapFromGlobal(QPoint(p.X, p.Y));
    return {l.x(), l.y()};
}

void TControl::SetAlign(TAlign Value) {
    if (FAlign == Value) return;
    const TAlign old = FAlign;
    FAlign = Value;
    FAnchors = AnchorAlign(Value);
    if (!IsLoading(this) && old != alNone && Value == alNone) UpdateAnchorRules();
    RequestAlign();
}

void TControl::SetAnchors(TAnchors Value) {
    if (FAnchors == Value) return;
    FAnchors = Value;
    if (!IsLoading(this)) UpdateAnchorRules();
}

void TControl::RequestAlign() {
    if (FParent) FParent->ChildBoundsChanged(this);
}

// The rule an anchored control keeps: with both edges anchored its size follows the
// parent, with the far edge alone its position does, with neither its centre scales.
void TControl::UpdateAnchorRules() {
    if (FAnchorMove || IsLoading(this)) return;
    ComputeAnchorRules();
}

void TControl::ComputeAnchorRules() {
    if (FAnchors == AnchorsDefault) {
        FOriginalParentSize = {0, 0};
        return;
    }
    if (FAnchors.Contains(akRight))
        FAnchorRules.X = FAnchors.Contains(akLeft) ? FWidth : FLeft;
    else
        FAnchorRules.X = FLeft + FWidth / 2;
    if (FAnchors.Contains(akBottom))
        FAnchorRules.Y = FAnchors.Contains(akTop) ? FHeight : FTop;
    else
        FAnchorRules.Y = FTop + FHeight / 2;
    if (FParent) {
        TRect r = FParent->ClientRect();
        FOriginalParentSize = {r.Width(), r.Height()};
    }
}

void TControl::ScaleBy(int M, int D) { ChangeScale(M, D); }

// ChangeScale: Left and Top scale; Width and Height scale as the distance between the
// scaled edges, so neighbours that touched still touch; the font scales unless it is
// the parent's.
void TControl::ChangeScale(int M, int D) {
    if (M == D) return;
    const int x = MulDiv(FLeft, M, D);
    const int y = MulDiv(FTop, M, D);
    const int w = MulDiv(FLeft + FWidth, M, D) - x;
    const int h = MulDiv(FTop + FHeight, M, D) - y;
    SetBounds(x, y, w, h);
    if (!FParentFont) FFont->SetSize(MulDiv(FFont->Size(), M, D));
}

void TControl::SetVisible(bool Value) {
    if (FVisible == Value) return;
    FVisible = Value;
    ApplyVisible();
    if (FParent && (FAlign != alNone || FAnchors != AnchorsDefault)) FParent->Realign();
}

void TControl::ApplyVisible() {
    QWidget* w = WidgetOf(this);
    if (!w || !FParent) return;
    w->setVisible(FVisible);
}

bool TControl::Showing() const {
    if (!FVisible) return false;
    if (!FParent) return false;
    return FParent->Showing();
}

void TControl::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    ApplyEnabled();
}

void TControl::ApplyEnabled() {
    if (QWidget* w = WidgetOf(this)) {
        const bool parentEnabled = !FParent || (WidgetOf(FParent) && WidgetOf(FParent)->isEnabled());
        w->setEnabled(FEnabled && parentEnabled);
    }
}

void TControl::SetColor(TColor Value) {
    if (FColor == Value && !FParentColor) return;
    FColor = Value;
    FParentColor = false;
    ApplyColor();
    if (auto* wc = dynamic_cast<TWinControl*>(this))
        for (int i = 0; i < wc->ControlCount(); ++i) wc->Controls(i)->ParentColorChanged();
}

void TControl::SetParentColor(bool Value) {
    if (FParentColor == Value) return;
    FParentColor = Value;
    if (Value && FParent) ParentColorChanged();
}

void TControl::ParentColorChanged() {
    if (!FParentColor || !FParent) return;
    FColor = FParent->Color();
    ApplyColor();
    if (auto* wc = dynamic_cast<TWinControl*>(this))
        for (int i = 0; i < wc->ControlCount(); ++i) wc->Controls(i)->ParentColorChanged();
}

void TControl::ApplyColor() {
    QWidget* w = WidgetOf(this);
    if (!w) return;
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, ToQColor(FColor));
    pal.setColor(QPalette::Button, ToQColor(FColor));
    w->setPalette(pal);
}

void TControl::SetParentFont(bool Value) {
    if (FParentFont == Value) return;
    FParentFont = Value;
    if (Value && FParent) ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!FParentFont || !FParent) return;
    FFontFromParent = true;
    FFont->Assign(*FParent->Font());
    FFontFromParent = false;
    ApplyFont();
}

void TControl::FontChanged() {
    if (!FFontFromParent) FParentFont = false;
    ApplyFont();
    if (auto* wc = dynamic_cast<TWinControl*>(this))
        for (int i = 0; i < wc->ControlCount(); ++i) wc->Controls(i)->ParentFontChanged();
}

void TControl::ApplyFont() {
    QWidget* w = WidgetOf(this);
    if (!w) return;
    // A control read from a form resource applies its font once per font property and
    // once more when it joins its parent, mostly with nothing changed: skipped then.
    const QFont font = ToQFont(*FFont);
    const QColor c = ToQColor(FFont->Color());
    const QPalette system = QApplication::palette();
    std::optional<TControlPeer::TAppliedFont>& applied = FPeer->AppliedFont;
    if (applied && applied->Font == font && applied->Color == c && applied->SystemPalette == system.cacheKey())
        return;
    applied = TControlPeer::TAppliedFont{font, c, system.cacheKey()};
    w->setFont(font);
    QPalette pal = w->palette();
    // The font's colour while enabled; a disabled control writes in the system's grey
    // text colour, whatever its font's colour.
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        pal.setColor(QPalette::Active, role, c);
        pal.setColor(QPalette::Inactive, role, c);
        pal.setColor(QPalette::Disabled, role, system.color(QPalette::Disabled, role));
    }
    w->setPalette(pal);
}

void TControl::SetHint(const std::string& Value) {
    FHint = Value;
    ApplyHint();
}

void TControl::SetShowHint(bool Value) {
    FShowHint = Value;
    FParentShowHint = false;
    ApplyHint();
}

void TControl::SetParentShowHint(bool Value) {
    FParentShowHint = Value;
    ApplyHint();
}

// The tooltip: the short hint (before "|") while the control's own ShowHint, or the
// nearest parent's that does not take its parent's, says so.
void TControl::ApplyHint() {
    QWidget* w = WidgetOf(this);
    if (!w) return;
    bool show = FShowHint;
    if (FParentShowHint)
        for (TWinControl* p = FParent; p; p = p->Parent())
            if (!p->ParentShowHint() || !p->Parent()) {
                show = p->ShowHint();
                break;
            }
    const std::string shortHint = FHint.substr(0, FHint.find('|'));
    w->setToolTip(show ? QStr(shortHint) : QString());
    if (auto* wc = dynamic_cast<TWinControl*>(this))
        for (int i = 0; i < wc->ControlCount(); ++i) wc->Controls(i)->ApplyHint();
}

bool TControl::IsHintStored() const { return !FHint.empty() && !(FActionLink && FActionLink->IsHintLinked()); }
bool TControl::IsCaptionStored() const { return !(FActionLink && FActionLink->IsCaptionLinked()); }
bool TControl::IsEnabledStored() const { return !(FActionLink && FActionLink->IsEnabledLinked()); }
bool TControl::IsVisibleStored() const { return !(FActionLink && FActionLink->IsVisibleLinked()); }

void TControl::SetCursor(TCursor Value) {
    FCursor = Value;
    if (QWidget* w = WidgetOf(this)) {
        if (Value == crDefault) w->unsetCursor();
        else if (Value > 0) w->setCursor(ScreenCursor(Value));
        else w->setCursor(QCursor(CursorShapeOf(Value)));
    }
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
    if (FPopupMenu == Value) return;
    FPopupMenu = Value;
    if (Value) Value->FreeNotification(this);
}

void TControl::SetText(const std::string& Value) {
    FText = Value;
}

TBasicAction* TControl::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TControl::SetAction(TBasicAction* Value) {
    if (!Value) {
        FActionLink.reset();
        return;
    }
    if (!FActionLink) FActionLink = std::make_unique<TActionLink>(this, [this](TBasicAction* a) { ActionChanged(a); });
    FActionLink->SetAction(Value);
    Value->FreeNotification(this);
    if (!IsLoading(this)) ActionChanged(Value);
}

// Takes the linked properties of the action: caption, enabled, hint, visible (and, in
// descendants, checked and image).
void TControl::ActionChanged(TBasicAction* Sender) {
    auto* a = dynamic_cast<TCustomAction*>(Sender);
    if (!a) return;
    SetCaption(a->Caption());
    SetEnabled(a->Enabled());
    SetHint(a->Hint());
    SetVisible(a->Visible());
}

void TControl::Invalidate() {
    if (QWidget* w = WidgetOf(this)) w->update();
}

void TControl::Repaint() {
    if (QWidget* w = WidgetOf(this)) w->repaint();
}

void TControl::Update() {
    if (QWidget* w = WidgetOf(this)) w->repaint();
}

void TControl::BringToFront() {
    if (QWidget* w = WidgetOf(this)) w->raise();
}

void TControl::SendToBack() {
    if (QWidget* w = WidgetOf(this)) w->lower();
}

void TControl::PaintTo(TCanvas* Canvas, int X, int Y) {
    QWidget* w = WidgetOf(this);
    if (!w || !Canvas) return;
    QImage image(std::max(FWidth, 1), std::max(FHeight, 1), QImage::Format_RGB32);
    image.fill(ToQColor(FColor));
    w->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    TBitmap bitmap;
    SetBitmapImage(bitmap, image);
    Canvas->Draw(X, Y, &bitmap);
}

void TControl::Click() {
    TBasicAction* action = Action();
    // A handler of its own wins over the action's (one bound by the same name is the
    // action's own handler, streamed on both).
    if (OnClick.Assigned() && action &&
        (OnClick.HandlerName().empty() || OnClick.HandlerName() != action->OnExecute.HandlerName())) {
        OnClick(this);
    } else if (FActionLink) {
        FActionLink->Execute(this);
    } else {
        OnClick(this);
    }
}

void TControl::DblClick() { OnDblClick(this); }

TCustomForm* TControl::ParentForm() const {
    const TControl* c = this;
    while (c->FParent) c = c->FParent;
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    OnMouseDown(this, Button, Shift, X, Y);
    if (Button == mbLeft && FDragMode == dmAutomatic) BeginDrag(false);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) { OnMouseMove(this, Shift, X, Y); }

void TControl::Resize() { OnResize(this); }

void TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    bool handled = false;
    if (WheelDelta < 0) OnMouseWheelDown(this, Shift, MousePos, handled);
    else OnMouseWheelUp(this, Shift, MousePos, handled);
    FWheelHandled = FWheelHandled || handled;
}

// Immediate: the drag starts now. Otherwise it starts once the mouse has moved Threshold
// pixels (-1: the mouse's drag threshold) with the button held; a release before that is
// an ordinary click.
void TControl::BeginDrag(bool Immediate, int Threshold) {
    if (Immediate) StartControlDrag(this);
    else PendControlDrag(this, Threshold < 0 ? Mouse()->DragThreshold() : Threshold);
}

void TControl::EndDrag(bool Drop) { FinishControlDrag(this, Drop); }

void TControl::DeclareProperties(TPropertyDecl<TControl>& d) {
    d.Property("Left", &TControl::Left, &TControl::SetLeft).NoDefault();
    d.Property("Top", &TControl::Top, &TControl::SetTop).NoDefault();
    d.Property("Width", &TControl::Width, &TControl::SetWidth).NoDefault();
    d.Property("Height", &TControl::Height, &TControl::SetHeight).NoDefault();
    d.Property("Cursor", CursorTypeInfo(), &TControl::Cursor, &TControl::SetCursor).Default(crDefault);
    d.Property("Hint", &TControl::Hint, &TControl::SetHint).Stored(&TControl::IsHintStored);
    d.Property("Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
    d.Property("Anchors", &TControl::Anchors, &TControl::SetAnchors).Default(AnchorsDefault.Mask());
    d.Property("Color", ColorTypeInfo(), &TControl::Color, &TControl::SetColor).Stored(&TControl::IsColorStored);
    d.Property("Enabled", &TControl::Enabled, &TControl::SetEnabled).Default(true).Stored(&TControl::IsEnabledStored);
    d.Property("Font", &TControl::Font, &TControl::SetFont).Stored(&TControl::IsFontStored);
    d.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
    d.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(true);
    d.Property("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint).Default(true);
    d.Property("ShowHint", &TControl::ShowHint, &TControl::SetShowHint).Default(false);
    d.Property("Visible", &TControl::Visible, &TControl::SetVisible).Default(true).Stored(&TControl::IsVisibleStored);
    d.Property("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
    d.Property("Action", &TControl::Action, &TControl::SetAction);
    d.Property("DragMode", &TControl::DragMode, &TControl::SetDragMode).Default(dmManual);
    d.Event("OnClick", &TControl::OnClick);
    d.Event("OnDblClick", &TControl::OnDblClick);
    d.Event("OnResize", &TControl::OnResize);
    d.Event("OnMouseDown", &TControl::OnMouseDown);
    d.Event("OnMouseUp", &TControl::OnMouseUp);
    d.Event("OnMouseMove", &TControl::OnMouseMove);
    d.Event("OnMouseEnter", &TControl::OnMouseEnter);
    d.Event("OnMouseLeave", &TControl::OnMouseLeave);
    d.Event("OnMouseWheelUp", &TControl::OnMouseWheelUp);
    d.Event("OnMouseWheelDown", &TControl::OnMouseWheelDown);
    d.Event("OnDragOver", &TControl::OnDragOver);
    d.Event("OnDragDrop", &TControl::OnDragDrop);
    d.Event("OnCanResize", &TControl::OnCanResize);
}

// =========================================================================================
// TGraphicControl and TCustomControl
// =========================================================================================

// Painted controls get a widget that draws through Paint; the layer's own controls put
// their particular widget in its place.
TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TCanvas>()) {
    FParentColor = true;
    auto* w = new THost<QWidget>(this);
    w->PaintsControl = true;
    // Text from input methods (Chinese entry) reaches the control's KeyPress.
    w->setAttribute(Qt::WA_InputMethodEnabled, true);
    SetPeer(std::make_unique<TControlPeer>(w));
}

TGraphicControl::~TGraphicControl() = default;

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TCanvas>()) {
    auto* w = new THost<QWidget>(this);
    w->PaintsControl = true;
    w->setFocusPolicy(Qt::ClickFocus);
    SetPeer(std::make_unique<TControlPeer>(w));
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::CreatePaintedPeer() {
    auto* w = new THost<QWidget>(this);
    w->PaintsControl = true;
    // Text from input methods (Chinese entry) reaches the control's KeyPress.
    w->setAttribute(Qt::WA_InputMethodEnabled, true);
    SetPeer(std::make_unique<TControlPeer>(w));
    ApplyBounds();
    ApplyColor();
}

void PaintControl(TControl* control, QWidget* widget, QPaintEvent* event) {
    SafeCall([&] { PaintControlUnguarded(control, widget, event ? &event->region() : nullptr); });
}

// The canvas's clip is the part to paint (what the window system exposed, within what is
// visible of the control), so that ClipRect tells a painted control how much it has to draw.
void PaintControlUnguarded(TControl* control, QWidget* widget, const QRegion* region) {
    if (auto* form = dynamic_cast<TCustomForm*>(control)) {
        if (!form->OnPaint.Assigned()) return;
        QPainter painter(widget);
        if (region && !region->isEmpty()) painter.setClipRegion(*region);
        AttachPainter(*form->Canvas(), &painter);
        form->Canvas()->Font()->Assign(*form->Font());
        form->Canvas()->Brush()->SetColor(form->Color());
        SafeCall([&] { form->OnPaint(form); });
        DetachPainter(*form->Canvas());
        return;
    }
    TCanvas* canvas = nullptr;
    if (auto* g = dynamic_cast<TGraphicControl*>(control)) canvas = g->Canvas();
    else if (auto* c = dynamic_cast<TCustomControl*>(control)) canvas = c->Canvas();
    if (!canvas) return;
    QPainter painter(widget);
    if (region && !region->isEmpty()) painter.setClipRegion(*region);
    AttachPainter(*canvas, &painter);
    canvas->Font()->Assign(*control->Font());
    SafeCall([&] {
        if (auto* g = dynamic_cast<TGraphicControl*>(control)) g->Paint();
        else if (auto* c = dynamic_cast<TCustomControl*>(control)) c->Paint();
    });
    DetachPainter(*canvas);
}

// =========================================================================================
// TWinControl
// =========================================================================================

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
    SetComponentStateFlag(csDestroying, true);
    // The children go with their parent, whoever owns them.
    while (!FControls.empty() || !FWinControls.empty()) {
        TControl* c = !FWinControls.empty() ? static_cast<TControl*>(FWinControls.back()) : FControls.back();
        RemoveControl(c);
        delete c;
    }
}

TControl* TWinControl::Controls(int Index) const {
    const int n = static_cast<int>(FControls.size());
    if (Index >= 0 && Index < n) return FControls[Index];
    if (Index >= n && Index < n + static_cast<int>(FWinControls.size())) return FWinControls[Index - n];
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

void TWinControl::InsertControl(TControl* AControl) {
    AControl->FParent = this;
    if (auto* wc = dynamic_cast<TWinControl*>(AControl)) {
        FWinControls.push_back(wc);
        FTabList.push_back(wc);
    } else {
        FControls.push_back(AControl);
    }
    SetParentPeerOf(AControl);
    if (AControl->FParentFont) AControl->ParentFontChanged();
    else AControl->ApplyFont();
    if (AControl->FParentColor) AControl->ParentColorChanged();
    else AControl->ApplyColor();
    AControl->ApplyHint();
    if (!IsLoading(AControl)) AControl->UpdateAnchorRules();
    if (AControl->FAlign != alNone || AControl->FAnchors != AnchorsDefault) ChildBoundsChanged(AControl);
    ChildMoved(AControl);
}

void TWinControl::RemoveControl(TControl* AControl) {
    if (AControl->FParent != this) return;
    // Found by address: during the control's destruction its dynamic type is gone.
    auto wit = std::find_if(FWinControls.begin(), FWinControls.end(),
                            [&](TWinControl* w) { return static_cast<TControl*>(w) == AControl; });
    if (wit != FWinControls.end()) {
        TWinControl* wc = *wit;
        FWinControls.erase(wit);
        FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), wc), FTabList.end());
        if (TCustomForm* form = ParentForm()) form->ControlRemoved(wc);
    } else {
        FControls.erase(std::remove(FControls.begin(), FControls.end(), AControl), FControls.end());
    }
    AControl->FParent = nullptr;
    if (QWidget* w = WidgetOf(AControl)) {
        w->hide();
        w->setParent(nullptr);
    }
    if (!IsDestroying(this) && AControl->FAlign != alNone) Realign();
    if (!IsDestroying(this)) ChildMoved(AControl);
}

void TWinControl::SetParentPeerOf(TControl* Child) {
    QWidget* w = WidgetOf(Child);
    QWidget* client = ClientWidgetOf(this);
    if (!w || !client) return;
    w->setParent(client);
    Child->ApplyBounds();
    Child->ApplyEnabled();
    if (!Child->IsWindowed()) {
        // Controls without a window lie under the windowed ones, as they are painted on
        // the parent's surface.
        for (TWinControl* sibling : FWinControls)
            if (QWidget* sw = WidgetOf(sibling)) {
                w->stackUnder(sw);
                break;
            }
    }
    w->setVisible(Child->FVisible);
}

bool TWinControl::ContainsControl(const TControl* Control) const {
    for (const TControl* c = Control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint Pos, bool AllowDisabled) const {
    for (int i = ControlCount() - 1; i >= 0; --i) {
        TControl* c = Controls(i);
        if (c->Visible() && (AllowDisabled || c->Enabled()) && c->BoundsRect().Contains(Pos)) return c;
    }
    return nullptr;
}

void TWinControl::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Owner() == Root) Proc(c);
    }
}

void TWinControl::ChildBoundsChanged(TControl* Child) {
    if (IsDestroying(this)) return;
    if (Child->FAlign == alNone && Child->FAnchors == AnchorsDefault) return;
    if (IsLoading(this) || FAlignLevel > 0) {
        FRealignPending = true;
        return;
    }
    DisableAlign();
    TRect r = ClientRect();
    AlignControls(Child, r);
    FRealignPending = false;
    EnableAlign();
}

void TWinControl::Realign() {
    if (IsDestroying(this)) return;
    if (IsLoading(this) || FAlignLevel > 0) {
        FRealignPending = true;
        return;
    }
    DisableAlign();
    TRect r = ClientRect();
    AlignControls(nullptr, r);
    FRealignPending = false;
    EnableAlign();
}

void TWinControl::EnableAlign() {
    if (FAlignLevel > 0) --FAlignLevel;
    if (FAlignLevel == 0 && FRealignPending) Realign();
}

void TWinControl::AdjustClientRect(TRect&) const {}

namespace {

// The order of two controls of one alignment: alTop by Top, alBottom by bottom edge
// (the lowest goes first, to the bottom), alLeft by Left, alRight by right edge.
bool InsertBefore(const TControl* c1, const TControl* c2, TAlign align) {
    switch (align) {
    case alTop: return c1->Top() < c2->Top();
    case alBottom: return c1->Top() + c1->Height() >= c2->Top() + c2->Height();
    case alLeft: return c1->Left() < c2->Left();
    case alRight: return c1->Left() + c1->Width() >= c2->Left() + c2->Width();
    default: return false;
    }
}

}  // namespace

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
    AdjustClientRect(Rect);
    const TRect parentClient = ClientRect();
    auto doPosition = [&](TControl* c, TAlign align) {
        if (align == alNone || c->FAnchors != AnchorAlign(align)) {
            if (c->FOriginalParentSize.X != 0 && c->FOriginalParentSize.Y != 0) {
                int l = c->FLeft, t = c->FTop, w = c->FWidth, h = c->FHeight;
                const TPoint ps{parentClient.Width(), parentClient.Height()};
                if (c->FAnchors.Contains(akRight)) {
                    if (c->FAnchors.Contains(akLeft)) w = ps.X - c->FOriginalParentSize.X + c->FAnchorRules.X;
                    else l = ps.X - c->FOriginalParentSize.X + c->FAnchorRules.X;
                } else if (!c->FAnchors.Contains(akLeft)) {
                    l = MulDiv(c->FAnchorRules.X, ps.X, c->FOriginalParentSize.X) - w / 2;
                }
                if (c->FAnchors.Contains(akBottom)) {
                    if (c->FAnchors.Contains(akTop)) h = ps.Y - c->FOriginalParentSize.Y + c->FAnchorRules.Y;
                    else t = ps.Y - c->FOriginalParentSize.Y + c->FAnchorRules.Y;
                } else if (!c->FAnchors.Contains(akTop)) {
                    t = MulDiv(c->FAnchorRules.Y, ps.Y, c->FOriginalParentSize.Y) - h / 2;
                }
                c->FAnchorMove = true;
                c->SetBounds(l, t, w, h);
                c->FAnchorMove = false;
                if (align == alNone) return;
            }
        }
        if (align == alNone) return;
        int w = Rect.Right - Rect.Left;
        if (w < 0 || align == alLeft || align == alRight || align == alCustom) w = c->FWidth;
        int h = Rect.Bottom - Rect.Top;
        if (h < 0 || align == alTop || align == alBottom || align == alCustom) h = c->FHeight;
        int l = Rect.Left, t = Rect.Top;
        switch (align) {
        case alTop: Rect.Top += h; break;
        case alBottom: Rect.Bottom -= h; t = Rect.Bottom; break;
        case alLeft: Rect.Left += w; break;
        case alRight: Rect.Right -= w; l = Rect.Right; break;
        case alCustom: l = c->FLeft; t = c->FTop; break;
        default: break;
        }
        c->FAnchorMove = true;
        c->SetBounds(l, t, w, h);
        c->FAnchorMove = false;
        // A control that would not take the size it was given leaves the rest as it is.
        if (c->FWidth != w || c->FHeight != h) {
            switch (align) {
            case alTop: Rect.Top -= h - c->FHeight; break;
            case alBottom: Rect.Bottom += h - c->FHeight; break;
            case alLeft: Rect.Left -= w - c->FWidth; break;
            case alRight: Rect.Right += w - c->FWidth; break;
            case alClient:
                Rect.Right += c->FWidth - w;
                Rect.Bottom += c->FHeight - h;
                break;
            default: break;
            }
        }
    };
    auto doAlign = [&](TAlign align) {
        std::vector<TControl*> list;
        if (AControl && AControl->FParent == this && AControl->FVisible && AControl->FAlign == align)
            list.push_back(AControl);
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* c = Controls(i);
            if (c->FAlign != align || !c->FVisible || c == AControl) continue;
            if (align == alNone && c->FAnchors == AnchorsDefault) continue;
            size_t j = 0;
            while (j < list.size() && !InsertBefore(c, list[j], align)) ++j;
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(j), c);
        }
        for (TControl* c : list) doPosition(c, align);
    };
    doAlign(alTop);
    doAlign(alBottom);
    doAlign(alLeft);
    doAlign(alRight);
    doAlign(alClient);
    doAlign(alCustom);
    doAlign(alNone);
}

void TWinControl::BoundsChanged(bool Resized) {
    if (!Resized) return;
    Realign();
    if (!IsLoading(this)) SafeCall([&] { Resize(); });
}

void TWinControl::ScaleBy(int M, int D) {
    if (M == D) return;
    DisableAlign();
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->ChangeScale(M, D);
    ChangeScale(M, D);
    EnableAlign();
    Realign();
}

void TWinControl::Loaded() {
    // Anchored children keep their distances to the parent's size as designed.
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        c->FAnchorMove = false;
        c->ComputeAnchorRules();
    }
    FixupTabList();
    TControl::Loaded();
    Realign();
}

void TWinControl::FixupTabList() {
    const int count = static_cast<int>(FTabList.size());
    std::vector<TWinControl*> list(count, nullptr);
    std::vector<TWinControl*> rest;
    for (TWinControl* c : FTabList) {
        const int j = c->FTabOrderRead;
        if (j >= 0 && j < count && !list[j]) list[j] = c;
        else rest.push_back(c);
    }
    FTabList.clear();
    for (TWinControl* c : list)
        if (c) FTabList.push_back(c);
    for (TWinControl* c : rest) FTabList.push_back(c);
    for (TWinControl* c : FTabList) c->FTabOrderRead = -1;
}

void TWinControl::ApplyEnabled() {
    TControl::ApplyEnabled();
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->ApplyEnabled();
}

void TWinControl::ParentFontChanged() { TControl::ParentFontChanged(); }
void TWinControl::ParentColorChanged() { TControl::ParentColorChanged(); }

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent()) {
        if (!c->Visible() || !c->Enabled()) return false;
        if (!c->Parent()) return dynamic_cast<const TCustomForm*>(c) != nullptr;
    }
    return false;
}

void TWinControl::SetFocus() {
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    TCustomForm* form = ParentForm();
    if (form && form != this) form->FocusControl(this);
    else if (QWidget* w = WidgetOf(this)) w->setFocus(Qt::OtherFocusReason);
}

bool TWinControl::Focused() const {
    QWidget* w = WidgetOf(this);
    QWidget* f = QApplication::focusWidget();
    if (!w || !f) return false;
    return ControlOfWidget(f) == this;
}

int TWinControl::TabOrder() const {
    if (!FParent) return -1;
    if (FTabOrderRead >= 0) return FTabOrderRead;
    auto it = std::find(FParent->FTabList.begin(), FParent->FTabList.end(), this);
    return it == FParent->FTabList.end() ? -1 : static_cast<int>(it - FParent->FTabList.begin());
}

void TWinControl::SetTabOrder(int Value) {
    if (IsLoading(this) || !FParent) {
        FTabOrderRead = Value;
        if (!FParent) return;
        if (IsLoading(this)) return;
    }
    auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    const int n = static_cast<int>(list.size());
    const int pos = Value < 0 ? n : std::min(Value, n);
    list.insert(list.begin() + pos, this);
    FTabOrderRead = -1;
}

void TWinControl::SetTabStop(bool Value) {
    FTabStop = Value;
    if (QWidget* w = WidgetOf(this))
        if (w->focusPolicy() != Qt::NoFocus || Value)
            w->setFocusPolicy(Value ? Qt::StrongFocus : Qt::ClickFocus);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
    for (TWinControl* c : FTabList) {
        List.push_back(c);
        c->GetTabOrderList(List);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty()) return nullptr;
    const int n = static_cast<int>(list.size());
    int start = -1;
    for (int i = 0; i < n; ++i)
        if (list[i] == CurControl) start = i;
    if (start < 0) start = GoForward ? n - 1 : 0;
    int i = start;
    for (int step = 0; step < n; ++step) {
        i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
        TWinControl* c = list[i];
        if (c == CurControl) break;
        if ((!CheckTabStop || c->TabStop()) && (!CheckParent || c->Parent() == this) && c->CanFocus() &&
            c->TakesFocus())
            return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
    if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop))
        SafeCall([&] { next->SetFocus(); });
}

bool TWinControl::WantsKey(uint16_t, TShiftState) const { return false; }

// The form previews the key only when it is not the control itself, and a control's own
// handling never goes back to the form: a form's handler that hands the key to one of its
// controls would otherwise be called again by it, without end.
void TWinControl::DoKeyDown(uint16_t& Key, TShiftState Shift) {
    TCustomForm* form = ParentForm();
    if (form && form != this && form->KeyPreview()) {
        form->OnKeyDown(form, Key, Shift);
        if (Key == 0) return;
    }
    KeyDown(Key, Shift);
}

void TWinControl::DoKeyUp(uint16_t& Key, TShiftState Shift) {
    TCustomForm* form = ParentForm();
    if (form && form != this && form->KeyPreview()) {
        form->OnKeyUp(form, Key, Shift);
        if (Key == 0) return;
    }
    KeyUp(Key, Shift);
}

void TWinControl::DoKeyPress(char32_t& Key) {
    TCustomForm* form = ParentForm();
    if (form && form != this && form->KeyPreview()) {
        form->OnKeyPress(form, Key);
        if (Key == 0) return;
    }
    KeyPress(Key);
}

void TWinControl::KeyDown(uint16_t& Key, TShiftState Shift) { OnKeyDown(this, Key, Shift); }

void TWinControl::KeyUp(uint16_t& Key, TShiftState Shift) { OnKeyUp(this, Key, Shift); }

void TWinControl::KeyPress(char32_t& Key) { OnKeyPress(this, Key); }

std::string TWinControl::FilterTypedText(const std::string& Text) {
    std::string out;
    size_t pos = 0;
    while (pos < Text.size()) {
        char32_t c = NextCodePoint(Text, pos);
        // Line breaks of pasted text reach single-line controls as nothing; the
        // multi-line ones keep them without asking KeyPress (they are no typed keys).
        if (c == '\r' || c == '\n') {
            out += static_cast<char>(c);
            continue;
        }
        char32_t k = c;
        if (!SafeCall([&] { DoKeyPress(k); })) break;
        if (k != 0) out += CodePointToUtf8(k);
    }
    return out;
}

void TWinControl::DoEnter() { OnEnter(this); }
void TWinControl::DoExit() { OnExit(this); }

void TWinControl::DeclareProperties(TPropertyDecl<TWinControl>& d) {
    d.Property("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).Default(-1);
    d.Property("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(false);
    d.Property("DoubleBuffered", &TWinControl::DoubleBuffered, &TWinControl::SetDoubleBuffered).Default(false);
    d.Event("OnEnter", &TWinControl::OnEnter);
    d.Event("OnExit", &TWinControl::OnExit);
    d.Event("OnKeyDown", &TWinControl::OnKeyDown);
    d.Event("OnKeyUp", &TWinControl::OnKeyUp);
    d.Event("OnKeyPress", &TWinControl::OnKeyPress);
}

// --- TMouse ------------------------------------------------------------------------------

TMouse* Mouse() {
    static TMouse mouse;
    return &mouse;
}

TPoint TMouse::CursorPos() const {
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}

void TMouse::SetCursorPos(TPoint Value) { QCursor::setPos(Value.X, Value.Y); }

void TMouse::SetCapture(TControl* Value) {
    if (FCapture == Value) return;
    if (QWidget* w = WidgetOf(FCapture)) w->releaseMouse();
    FCapture = Value;
    if (QWidget* w = WidgetOf(Value)) w->grabMouse();
}
