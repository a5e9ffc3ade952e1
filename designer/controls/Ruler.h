// The rulers above and left of the page and the scroll box that holds the workspace.
#pragma once

#include "platform/ui/Controls.h"
#include "platform/ui/ExtCtrls.h"

enum TfrxRulerUnits { ruCM = 0, ruInches = 1, ruPixels = 2, ruChars = 3 };

// A ruler: vertical when aligned to the left, else horizontal. Every property repaints it.
class TfrxRuler : public TCustomControl {
    ROVE_CLASS(TfrxRuler, TCustomControl)
public:
    explicit TfrxRuler(TComponent* AOwner);
    int Offset() const { return FOffset; }
    void SetOffset(int Value);
    double Scale() const { return FScale; }
    void SetScale(double Value);
    int Start() const { return FStart; }
    void SetStart(int Value);
    TfrxRulerUnits Units() const { return FUnits; }
    void SetUnits(TfrxRulerUnits Value);
    // The mouse marker, in small ticks of the units (pixels for ruPixels).
    double Position() const { return FPosition; }
    void SetPosition(double Value);
    bool Vertical() const { return Align() == alLeft; }

    void Paint() override;
    void PaintOn(TCanvas* C);

    // The small-tick step in pixels and the tick counts of mid and big ticks.
    double SmallStep() const;
    int MidTicks() const { return FUnits == ruPixels ? 50 : 5; }
    int BigTicks() const { return FUnits == ruPixels ? 100 : 10; }

private:
    int FOffset = 0;
    double FScale = 1;
    int FStart = 0;
    TfrxRulerUnits FUnits = ruPixels;
    double FPosition = 0;
};

// The scroll box of the workspace: it wants arrows and Tab, and hands its keys on to its
// windowed children after its own handling.
class TfrxScrollBox : public TScrollBox {
    ROVE_CLASS(TfrxScrollBox, TScrollBox)
public:
    explicit TfrxScrollBox(TComponent* AOwner);
    bool WantsKey(uint16_t Key, TShiftState Shift) const override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyUp(uint16_t& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
};
