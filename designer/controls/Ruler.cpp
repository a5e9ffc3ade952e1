#include "designer/controls/Ruler.h"

#include <cmath>

#include "platform/graphics/Graphics.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Keys.h"

TfrxRuler::TfrxRuler(TComponent* AOwner) : TCustomControl(AOwner) { CreatePaintedPeer(); }

void TfrxRuler::SetOffset(int Value) { FOffset = Value; Invalidate(); }
void TfrxRuler::SetScale(double Value) { FScale = Value; Invalidate(); }
void TfrxRuler::SetStart(int Value) { FStart = Value; Invalidate(); }
void TfrxRuler::SetUnits(TfrxRulerUnits Value) { FUnits = Value; Invalidate(); }
void TfrxRuler::SetPosition(double Value) { FPosition = Value; Invalidate(); }

double TfrxRuler::SmallStep() const {
    switch (FUnits) {
        case ruCM: return 3.77953 * FScale;
        case ruInches: return 9.6 * FScale;
        case ruChars: return (Vertical() ? 17 : 9.6) * FScale / 10;
        case ruPixels: return FScale;
    }
    return FScale;
}

void TfrxRuler::Paint() { PaintOn(Canvas()); }

void TfrxRuler::PaintOn(TCanvas* C) {
    const bool vert = Vertical();
    const int w = Width(), h = Height();
    C->Pen()->SetMode(pmCopy);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clBtnFace);
    C->FillRect(Rect(0, 0, w, h));
    C->Brush()->SetColor(clWindow);
    C->FillRect(vert ? Rect(3, FOffset, w - 5, h) : Rect(FOffset, 3, w, h - 5));
    C->Font()->SetName("Arial");
    C->Font()->SetSize(7);
    C->Font()->SetColor(clBlack);
    C->Font()->SetOrientation(vert ? 900 : 0);
    C->Pen()->SetColor(clBlack);
    C->Pen()->SetWidth(1);
    C->Pen()->SetStyle(psSolid);
    C->Brush()->SetStyle(bsClear);
    const double s = SmallStep();
    // A scale of 0 (or below) has no ticks to draw.
    if (!(s > 0)) {
        C->Font()->SetOrientation(0);
        return;
    }
    const int m = MidTicks(), big = BigTicks();
    const double length = (vert ? h : w) + FStart;
    int origin = FOffset - FStart;
    if (FUnits == ruChars) origin += static_cast<int>(std::trunc((vert ? 17 : 9.6) * FScale / 2));
    const int64_t largest = static_cast<int64_t>(std::trunc(length / s)) + FStart;
    const int wide = C->TextWidth(IntToStr(FUnits == ruPixels ? largest : largest / 10));
    int every = big;
    if (wide > 1.5 * s * big) every = 4 * big;
    else if (wide > 0.7 * s * big) every = 2 * big;
    const bool smallTicks = !(s * big < 41) && FUnits != ruPixels;
    const bool midTicks = !(s * big < 21);
    const int textH = C->TextHeight("0");
    for (int i = 1; i * s < length; ++i) {
        const double p = i * s;
        const int at = static_cast<int>(std::trunc(p)) + origin;
        if (at < FOffset) continue;
        int len;
        if (i % big == 0) len = 6;
        else if (i % m == 0) len = midTicks ? 4 : 0;
        else len = smallTicks ? 2 : 0;
        if (i % big == 0 && i % every == 0) {
            const std::string label = IntToStr(FUnits == ruPixels ? i : i / 10);
            const int lw = C->TextWidth(label);
            if (vert) C->TextOut(w - textH - 6, at + lw / 2 + 1, label);
            else C->TextOut(at - lw / 2 + 1, 4, label);
            continue;
        }
        if (len == 0) continue;
        const int from = 3 + (13 - len) / 2;
        if (vert) {
            C->MoveTo(from, at);
            C->LineTo(from + len, at);
        } else {
            C->MoveTo(at, from);
            C->LineTo(at, from + len);
        }
    }
    double mp = FPosition * s;
    if (FUnits != ruPixels) mp *= 10;
    if (origin + mp >= FOffset) {
        const int at = static_cast<int>(std::trunc(mp)) + origin;
        if (vert) {
            C->MoveTo(3, at);
            C->LineTo(16, at);
        } else {
            C->MoveTo(at, 3);
            C->LineTo(at, 16);
        }
    }
    C->Font()->SetOrientation(0);
}

TfrxScrollBox::TfrxScrollBox(TComponent* AOwner) : TScrollBox(AOwner) {}

bool TfrxScrollBox::WantsKey(uint16_t Key, TShiftState Shift) const {
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN || Key == VK_TAB ||
           TScrollBox::WantsKey(Key, Shift);
}

void TfrxScrollBox::KeyDown(uint16_t& Key, TShiftState Shift) {
    TScrollBox::KeyDown(Key, Shift);
    for (int i = 0; i < ControlCount() && Key; ++i)
        if (auto* c = dynamic_cast<TWinControl*>(Controls(i))) c->KeyDown(Key, Shift);
}

void TfrxScrollBox::KeyUp(uint16_t& Key, TShiftState Shift) {
    TScrollBox::KeyUp(Key, Shift);
    for (int i = 0; i < ControlCount() && Key; ++i)
        if (auto* c = dynamic_cast<TWinControl*>(Controls(i))) c->KeyUp(Key, Shift);
}

void TfrxScrollBox::KeyPress(char32_t& Key) {
    TScrollBox::KeyPress(Key);
    for (int i = 0; i < ControlCount() && Key; ++i)
        if (auto* c = dynamic_cast<TWinControl*>(Controls(i))) c->KeyPress(Key);
}
ROVE_IMPLEMENT_CLASS(TfrxRuler)
ROVE_IMPLEMENT_CLASS(TfrxScrollBox)
