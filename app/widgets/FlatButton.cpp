// The flat button: state machine, grouping, derived colours and painting.
#include "app/widgets/FlatButton.h"

#include "app/widgets/HSLUtils.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"

#include <algorithm>

ROVE_IMPLEMENT_CLASS(TFlatButton)

const TTypeInfo* FlatTransparentModeTypeInfo() {
    static const TTypeInfo info =
        TTypeInfo::EnumerationFromList("TTransparentMode", "tmAlways, tmNotFocused, tmNone");
    return &info;
}

// --- Derived colours ------------------------------------------------------------------------
namespace {
TColor AdvColor(TColor Face, TColor Old, int Percent, bool Lighten) {
    if (Percent == 0) return Old;
    int h, s, l;
    RGBtoHSLRange(ColorToRGB(Face), h, s, l);
    l += 10;
    l = Lighten ? std::min(l + Percent, 100) : std::max(l - Percent, 0);
    return HSLRangeToRGB(h, s, l);
}
}  // namespace

TColor LightenFlatColor(TColor Face, TColor Old, int Percent) { return AdvColor(Face, Old, Percent, true); }
TColor DarkenFlatColor(TColor Face, TColor Old, int Percent) { return AdvColor(Face, Old, Percent, false); }

// --- The shared tracking timer ---------------------------------------------------------------
// One timer for all buttons, created with the first and freed with the last; it points at
// the button the mouse is over and asks every 100 ms whether it still is.
namespace {
struct TTracking {
    int Buttons = 0;
    TTimer* Timer = nullptr;
    TFlatButton* Current = nullptr;    // the button the mouse is over
    TFlatButton* TimerTarget = nullptr;
    TFlatButton* Entered = nullptr;    // the window layer's last enter without a leave
    TFlatButton::TCursorControlSource Source;
};
TTracking& Tracking() {
    static TTracking t;
    return t;
}
TControl* ControlUnderCursor() {
    TTracking& t = Tracking();
    if (t.Source) return t.Source();
    return t.Entered;
}

void StopTimer() {
    TTracking& t = Tracking();
    if (t.Timer) t.Timer->SetEnabled(false);
    t.TimerTarget = nullptr;
}
void StartTimer(TFlatButton* target) {
    TTracking& t = Tracking();
    if (!t.Timer) return;
    t.Timer->SetEnabled(false);
    t.TimerTarget = target;
    t.Timer->SetEnabled(true);
}
}  // namespace

void TFlatButton::SetCursorControlSource(TCursorControlSource Source) { Tracking().Source = std::move(Source); }
TFlatButton* TFlatButton::CurrentButton() { return Tracking().Current; }
bool TFlatButton::TrackingTimerActive() {
    const TTracking& t = Tracking();
    return t.Timer && t.Timer->Enabled() && t.TimerTarget;
}

void TFlatButton::TrackingTimerTick() {
    TTracking& t = Tracking();
    TFlatButton* target = t.TimerTarget;
    if (!target) return;
    if (ControlUnderCursor() != target) target->TrackingLeave();
}

// --- Construction ------------------------------------------------------------------------------
TFlatButton::TFlatButton(TComponent* AOwner)
    : TCustomControl(AOwner),
      FColorFocused(RGB(235, 234, 225)),
      FColorDown(RGB(217, 214, 197)),
      FColorBorder(RGB(160, 150, 131)),
      FColorHighLight(RGB(255, 255, 255)),
      FColorShadow(RGB(0, 0, 0)),
      FGlyph(std::make_unique<TBitmap>()) {
    TTracking& t = Tracking();
    if (t.Buttons++ == 0) {
        t.Timer = new TTimer(nullptr);
        t.Timer->SetInterval(100);
        t.Timer->SetEnabled(false);
        t.Timer->OnTimer = [](TObject*) { TFlatButton::TrackingTimerTick(); };
    }
    CreatePaintedPeer();
    SetBounds(0, 0, 25, 25);
    SetColor(RGB(235, 234, 225));
    SetParentFont(true);
    SetParentColor(true);
    SetTabStop(false);
    FGlyph->OnChange = [this](TObject*) { GlyphChanged(); };
}

TFlatButton::~TFlatButton() {
    TTracking& t = Tracking();
    if (t.TimerTarget == this) StopTimer();
    if (t.Current == this) t.Current = nullptr;
    if (t.Entered == this) t.Entered = nullptr;
    if (--t.Buttons == 0) {
        delete t.Timer;
        t.Timer = nullptr;
        t.TimerTarget = nullptr;
    }
}

void TFlatButton::Loaded() {
    inherited::Loaded();
    Invalidate();
}

// --- Properties ------------------------------------------------------------------------------
void TFlatButton::SetTransparentMode(TFlatTransparentMode Value) {
    if (Value == FTransparentMode) return;
    FTransparentMode = Value;
    Invalidate();
}

void TFlatButton::SetDefault(bool Value) {
    if (Value == FDefault) return;
    FDefault = Value;
    Invalidate();
}

void TFlatButton::SetAllowAllUp(bool Value) {
    if (Value == FAllowAllUp) return;
    FAllowAllUp = Value;
    BroadcastPressed();
}

void TFlatButton::SetColorField(TColor& Field, TColor Value) {
    if (Field == Value) return;
    Field = Value;
    Invalidate();
}
void TFlatButton::SetColorFocused(TColor Value) { SetColorField(FColorFocused, Value); }
void TFlatButton::SetColorDown(TColor Value) { SetColorField(FColorDown, Value); }
void TFlatButton::SetColorBorder(TColor Value) { SetColorField(FColorBorder, Value); }
void TFlatButton::SetColorHighLight(TColor Value) { SetColorField(FColorHighLight, Value); }
void TFlatButton::SetColorShadow(TColor Value) { SetColorField(FColorShadow, Value); }

void TFlatButton::SetAdvColorFocused(int Value) {
    FAdvColorFocused = std::clamp(Value, 0, 100);
    CalcAdvColors();
}
void TFlatButton::SetAdvColorDown(int Value) {
    FAdvColorDown = std::clamp(Value, 0, 100);
    CalcAdvColors();
}
void TFlatButton::SetAdvColorBorder(int Value) {
    FAdvColorBorder = std::clamp(Value, 0, 100);
    CalcAdvColors();
}

void TFlatButton::SetUseAdvColors(bool Value) {
    if (Value == FUseAdvColors) return;
    FUseAdvColors = Value;
    SetParentColor(Value);
    CalcAdvColors();
    Invalidate();
}

// focused, down and border colours from the face colour, when UseAdvColors is on
void TFlatButton::CalcAdvColors() {
    if (!FUseAdvColors) return;
    FColorFocused = LightenFlatColor(Color(), FColorFocused, FAdvColorFocused);
    FColorDown = DarkenFlatColor(Color(), FColorDown, FAdvColorDown);
    FColorBorder = DarkenFlatColor(Color(), FColorBorder, FAdvColorBorder);
    Invalidate();
}

void TFlatButton::ParentColorChanged() {
    inherited::ParentColorChanged();
    if (!FUseAdvColors) return;
    SetParentColor(true);
    CalcAdvColors();
}

void TFlatButton::SysColorChanged() {
    if (!FUseAdvColors) return;
    SetParentColor(true);
    CalcAdvColors();
}

void TFlatButton::SetGroupIndex(int Value) {
    if (Value == FGroupIndex) return;
    FGroupIndex = Value;
    BroadcastPressed();
}

// Down: only within a group; releasing needs AllowAllUp; becoming down releases the others.
void TFlatButton::SetDown(bool Value) {
    if (FGroupIndex == 0) Value = false;
    if (Value == FDown) return;
    if (FDown && !FAllowAllUp) return;
    FDown = Value;
    if (Value) {
        if (FState == fbsUp) Invalidate();
        FState = fbsExclusive;
        BroadcastPressed();
    } else {
        FState = fbsUp;
        Invalidate();
    }
}

void TFlatButton::BroadcastPressed() {
    TWinControl* parent = Parent();
    if (!parent || FGroupIndex == 0) return;
    for (int i = 0; i < parent->ControlCount(); ++i)
        if (auto* other = dynamic_cast<TFlatButton*>(parent->Controls(i)))
            other->ButtonPressed(FGroupIndex, this);
}

void TFlatButton::ButtonPressed(int Group, TFlatButton* Sender) {
    if (Group != FGroupIndex || Sender == this) return;
    if (Sender->Down() && FDown) {
        FDown = false;
        FState = fbsUp;
        Invalidate();
    }
    FAllowAllUp = Sender->AllowAllUp();
}

void TFlatButton::SetGlyph(TBitmap* Value) {
    if (Value) FGlyph->Assign(*Value);
    else FGlyph->SetSize(0, 0);
    GlyphChanged();
}

// a strip whose width is a multiple of its height holds width / height images (at most 4)
void TFlatButton::GlyphChanged() {
    const int w = FGlyph->Width(), h = FGlyph->Height();
    if (!FGlyph->Empty() && h > 0 && w % h == 0) {
        const int n = w / h;
        SetNumGlyphs(n > 4 ? 1 : n);
    }
    Invalidate();
}

void TFlatButton::SetNumGlyphs(int Value) {
    if (Value < 1 || Value > 4 || Value == FNumGlyphs) return;
    FNumGlyphs = Value;
    Invalidate();
}

void TFlatButton::SetLayout(TButtonLayout Value) {
    if (Value == FLayout) return;
    FLayout = Value;
    Invalidate();
}

void TFlatButton::SetMargin(int Value) {
    if (Value < -1 || Value == FMargin) return;
    FMargin = Value;
    Invalidate();
}

void TFlatButton::SetSpacing(int Value) {
    if (Value == FSpacing) return;
    FSpacing = Value;
    Invalidate();
}

void TFlatButton::SetEnabled(bool Value) {
    const bool changed = Value != Enabled();
    inherited::SetEnabled(Value);
    if (!changed) return;
    if (!Value) {
        FState = fbsDisabled;
        FMouseInControl = false;
        TTracking& t = Tracking();
        if (t.TimerTarget == this) StopTimer();
        if (t.Current == this) t.Current = nullptr;
    } else {
        FState = (FDown && FGroupIndex != 0) ? fbsExclusive : fbsUp;
        UpdateTracking();
    }
    Invalidate();
}

void TFlatButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const bool changed = ALeft != Left() || ATop != Top() || AWidth != Width() || AHeight != Height();
    inherited::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (changed && FTransparentMode != tmNone) Invalidate();
}

// --- Mouse tracking ----------------------------------------------------------------------------
void TFlatButton::MouseEnter() {
    inherited::MouseEnter();
    Tracking().Entered = this;
    HoverFromCursor();
}

void TFlatButton::MouseLeave() {
    inherited::MouseLeave();
    TTracking& t = Tracking();
    if (t.Entered == this) t.Entered = nullptr;
    TrackingLeave();
}

void TFlatButton::TrackingEnter() {
    if (!Enabled() || FMouseInControl) return;
    FMouseInControl = true;
    Invalidate();
}

void TFlatButton::TrackingLeave() {
    if (!Enabled() || !FMouseInControl || FDragging) return;
    FMouseInControl = false;
    TTracking& t = Tracking();
    if (t.TimerTarget == this) StopTimer();
    if (t.Current == this) t.Current = nullptr;
    Invalidate();
}

void TFlatButton::UpdateTracking() {
    if (!Enabled()) return;
    const bool inside = ControlUnderCursor() == this;
    if (inside == FMouseInControl) return;
    if (inside) TrackingEnter();
    else TrackingLeave();
}

void TFlatButton::HoverFromCursor() {
    TTracking& t = Tracking();
    if (t.Current == this || ControlUnderCursor() != this) return;
    if (t.Current) t.Current->TrackingLeave();
    if (!Screen->ActiveForm()) return;
    t.Current = this;
    StartTimer(this);
    TrackingEnter();
}

void TFlatButton::DoEnter() {
    inherited::DoEnter();
    FMouseInControl = true;
    Invalidate();
}

void TFlatButton::DoExit() {
    inherited::DoExit();
    TrackingLeave();
}

// --- Pressing and clicking ---------------------------------------------------------------------
void TFlatButton::StateChanged(TFlatButtonState NewState) {
    if (NewState == FState) return;
    FState = NewState;
    Invalidate();
}

void TFlatButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    inherited::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled()) return;
    if (!FDown) StateChanged(fbsDown);
    FDragging = true;
    if (CanFocus()) SetFocus();
}

void TFlatButton::MouseMove(TShiftState Shift, int X, int Y) {
    inherited::MouseMove(Shift, X, Y);
    HoverFromCursor();
    if (!FDragging) return;
    TFlatButtonState state = FDown ? fbsExclusive : fbsUp;
    if (ClientRect().Contains({X, Y})) state = FDown ? fbsExclusive : fbsDown;
    StateChanged(state);
}

void TFlatButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    inherited::MouseUp(Button, Shift, X, Y);
    if (!FDragging || Button != mbLeft) return;
    FDragging = false;
    const bool doClick = ClientRect().Contains({X, Y});
    if (FGroupIndex == 0) {
        FState = fbsUp;
        FMouseInControl = false;
        if (doClick) Invalidate();
    } else if (doClick) {
        SetDown(!FDown);
    } else if (FDown) {
        FState = fbsExclusive;
        Invalidate();
    }
    if (doClick) Click();
    else TrackingLeave();
    UpdateTracking();
}

void TFlatButton::Click() {
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
    inherited::Click();
}

void TFlatButton::DblClick() {
    if (FDown) inherited::DblClick();
}

void TFlatButton::KeyDown(uint16_t& Key, TShiftState Shift) {
    inherited::KeyDown(Key, Shift);
    if (Key != VK_SPACE) return;
    if (FGroupIndex != 0) SetDown(true);
    else FState = fbsDown;
    Invalidate();
}

void TFlatButton::KeyUp(uint16_t& Key, TShiftState Shift) {
    inherited::KeyUp(Key, Shift);
    if (Key != VK_SPACE) return;
    if (FGroupIndex != 0) SetDown(false);
    else FState = fbsUp;
    Invalidate();
}

bool TFlatButton::DialogChar(char32_t Key) {
    if (!IsAccelChar(Key, Caption()) || !Enabled()) return false;
    if (FGroupIndex != 0) SetDown(true);
    Click();
    return true;
}

// --- Painting ----------------------------------------------------------------------------------
void TFlatButton::Paint() { PaintTo(Canvas()); }

// placement, state correction, background, border, glyph, caption
void TFlatButton::PaintTo(TCanvas* Target) {
    const TRect client = ClientRect();
    const bool hasGlyph = !FGlyph->Empty();
    const int imageWidth = hasGlyph ? FGlyph->Width() / FNumGlyphs : 0;
    const TSize glyphSize = hasGlyph ? TSize{imageWidth, FGlyph->Height()} : TSize{};
    const bool pressed = FState == fbsDown || FState == fbsExclusive;

    // The caption is measured and drawn in the control's font on the target itself, so the
    // off-screen copy shows the same text as the screen.
    Target->SetFont(*Font());
    const std::string caption = Caption();
    const TSize textSize = caption.empty() ? TSize{} : Target->TextExtent(caption);
    const TButtonPlacement place = CalcButtonLayout(client, pressed ? TPoint{1, 1} : TPoint{},
                                                    glyphSize, textSize, FLayout, FMargin, FSpacing);

    if (!Enabled()) {
        FState = fbsDisabled;
        FDragging = false;
    } else if (FState == fbsDisabled) {
        FState = (FDown && FGroupIndex != 0) ? fbsExclusive : fbsUp;
    }

    // Opaque buttons paint into a bitmap and copy it; a transparent one draws straight over
    // what its parent painted beneath it.
    const bool showParent = FTransparentMode == tmAlways ||
                            (FTransparentMode == tmNotFocused && !FMouseInControl);
    TBitmap offscreen(showParent ? 0 : client.Width(), showParent ? 0 : client.Height());
    TCanvas* c = showParent ? Target : offscreen.Canvas();
    if (!showParent) c->SetFont(*Font());

    if (!showParent) {
        TColor fill = Color();
        switch (FState) {
            case fbsUp: fill = FMouseInControl ? FColorFocused : Color(); break;
            case fbsDisabled: fill = Color(); break;
            case fbsDown: fill = FColorDown; break;
            case fbsExclusive: fill = FMouseInControl ? FColorFocused : FColorDown; break;
        }
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(fill);
        c->FillRect(client);
    }

    TRect frame = client;
    switch (FState) {
        case fbsDisabled: Frame3D(c, frame, FColorBorder, FColorBorder, 1); break;
        case fbsDown:
        case fbsExclusive: Frame3D(c, frame, FColorShadow, FColorHighLight, 1); break;
        case fbsUp:
            if (FMouseInControl) Frame3D(c, frame, FColorHighLight, FColorShadow, 1);
            else if (FDefault) Frame3D(c, frame, FColorBorder, FColorBorder, 2);
            else Frame3D(c, frame, FColorBorder, FColorBorder, 1);
            break;
    }

    if (hasGlyph) {
        int index = 0;
        switch (FState) {
            case fbsUp: index = 0; break;
            case fbsDisabled: index = 1; break;
            case fbsDown: index = 2; break;
            case fbsExclusive: index = 3; break;
        }
        if (index >= FNumGlyphs) index = 0;
        const TRect source = Bounds(index * imageWidth, 0, imageWidth, FGlyph->Height());
        const TColor clear = FGlyph->TransparentColor();
        if (FNumGlyphs == 1 && FState == fbsDisabled) {
            TBitmap embossed = CreateEmbossedGlyph(FGlyph.get(), source, clear);
            DrawGlyph(c, &embossed, Rect(0, 0, embossed.Width(), embossed.Height()),
                      place.GlyphPos, ColorToRGB(clBtnFace));
        } else {
            DrawGlyph(c, FGlyph.get(), source, place.GlyphPos, clear);
        }
    }

    if (!caption.empty()) DrawButtonCaption(c, caption, place.TextBounds, FState == fbsDisabled);

    if (!showParent) Target->Draw(0, 0, &offscreen);
}

// --- Published properties ------------------------------------------------------------------------
void TFlatButton::DeclareProperties(TPropertyDecl<TFlatButton>& d) {
    d.Property("Caption", &TControl::Caption, &TControl::SetCaption).Stored(&TFlatButton::IsCaptionStored);
    d.Property("TransparentMode", &TFlatButton::TransparentMode, &TFlatButton::SetTransparentMode).Default(tmNone);
    d.Property("Default", &TFlatButton::Default, &TFlatButton::SetDefault).Default(false);
    d.Property("AllowAllUp", &TFlatButton::AllowAllUp, &TFlatButton::SetAllowAllUp).Default(false);
    d.Property("Color", ColorTypeInfo(), &TFlatButton::Color, &TFlatButton::SetColor)
        .Default(RGB(235, 234, 225))
        .Stored(&TFlatButton::IsColorStoredHere);
    d.Property("ColorFocused", ColorTypeInfo(), &TFlatButton::ColorFocused, &TFlatButton::SetColorFocused)
        .Default(RGB(235, 234, 225));
    d.Property("ColorDown", ColorTypeInfo(), &TFlatButton::ColorDown, &TFlatButton::SetColorDown)
        .Default(RGB(217, 214, 197));
    d.Property("ColorBorder", ColorTypeInfo(), &TFlatButton::ColorBorder, &TFlatButton::SetColorBorder)
        .Default(RGB(160, 150, 131));
    d.Property("ColorHighLight", ColorTypeInfo(), &TFlatButton::ColorHighLight, &TFlatButton::SetColorHighLight)
        .Default(RGB(255, 255, 255));
    d.Property("ColorShadow", ColorTypeInfo(), &TFlatButton::ColorShadow, &TFlatButton::SetColorShadow)
        .Default(RGB(0, 0, 0));
    d.Property("AdvColorFocused", &TFlatButton::AdvColorFocused, &TFlatButton::SetAdvColorFocused).Default(10);
    d.Property("AdvColorDown", &TFlatButton::AdvColorDown, &TFlatButton::SetAdvColorDown).Default(10);
    d.Property("AdvColorBorder", &TFlatButton::AdvColorBorder, &TFlatButton::SetAdvColorBorder).Default(50);
    d.Property("UseAdvColors", &TFlatButton::UseAdvColors, &TFlatButton::SetUseAdvColors).Default(false);
    d.Property("GroupIndex", &TFlatButton::GroupIndex, &TFlatButton::SetGroupIndex).Default(0);
    d.Property("Down", &TFlatButton::Down, &TFlatButton::SetDown).Default(false);
    d.Property("Glyph", &TFlatButton::Glyph, &TFlatButton::SetGlyph);
    d.Property("NumGlyphs", &TFlatButton::NumGlyphs, &TFlatButton::SetNumGlyphs).Default(1);
    d.Property("Layout", &TFlatButton::Layout, &TFlatButton::SetLayout).Default(blGlyphTop);
    d.Property("Margin", &TFlatButton::Margin, &TFlatButton::SetMargin).Default(-1);
    d.Property("Spacing", &TFlatButton::Spacing, &TFlatButton::SetSpacing).Default(4);
    d.Property("ModalResult", &TFlatButton::ModalResult, &TFlatButton::SetModalResult).Default(0);
    d.Property("TabStop", &TFlatButton::TabStop, &TFlatButton::SetTabStop).Default(false);
}

void RegisterClinicWidgets() { RegisterClasses({TFlatButton::StaticClass()}); }
