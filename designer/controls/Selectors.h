// The drop-down pickers that editors open under one of their buttons: a colour grid
// with an "Other..." entry that opens the colour dialog, and the six frame line styles.
// Each sits in a borderless pop-up window that closes (and frees itself) when it loses
// activation or when a choice is made.
#pragma once

#include <array>
#include <cstdint>

#include "platform/graphics/Colors.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"

// The pop-up window: no border, stays on top, closes when it loses activation and frees
// itself when closed.
class TfrxPopupForm : public TForm {
    ROVE_CLASS(TfrxPopupForm, TForm)
public:
    explicit TfrxPopupForm(TComponent* AOwner);
};

// The tick count taken when a pop-up window last lost activation (a drop-down button
// ignores a press that follows it within 100 ms: the click that closed the list).
uint32_t frxPopupCloseTime();

// The common part: created under the control that opens it, whose Tag it takes.
class TfrxCustomSelector : public TCustomPanel {
    ROVE_CLASS(TfrxCustomSelector, TCustomPanel)
public:
    // Opens the pop-up window at Opener's client point (0, height + 2) on the screen.
    TfrxCustomSelector(TControl* Opener, int AWidth, int AHeight);
    TfrxPopupForm* Popup() const { return FPopup; }
    // The hot-tracking frame at a point: Down for a pressed look.
    virtual void DrawEdge(int X, int Y, bool Down);
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void Paint() override;

protected:
    // Paints the choices (the panel's face is painted first).
    virtual void PaintChoices(TCanvas& Canvas) = 0;
    // The frame of the hot-tracked choice, empty for none.
    virtual TRect HotRect(int X, int Y) const = 0;
    // Closes the pop-up window after a choice.
    void ClosePopup();
    bool Inside(int X, int Y) const { return X >= 0 && Y >= 0 && X < Width() && Y < Height(); }

private:
    TfrxPopupForm* FPopup;
    TRect FHot{};
    bool FHotDown = false;
};

// The 40 colours of every colour selector, 5 rows of 8: fixed colours in rows 0-3 (the
// first is "no colour"), custom colours in row 4 (button face while free).
std::array<TColor, 40>& frxSelectorColors();
// A custom colour goes into the first free slot of row 4, else the row moves one to the
// left and it takes the last slot; nothing when the table holds it already.
void frxAddCustomColor(TColor Color);
// The grid cell under a point: (X - 5) div 18 (at most 7) and (Y - 5) div 18; row 5 and
// below is the "Other..." entry.
void frxColorCellAt(int X, int Y, int& Row, int& Column);
// The line style under a point: (Y - 5) div 16, at most 5.
int frxLineStyleAt(int Y);

class TfrxColorSelector : public TfrxCustomSelector {
    ROVE_CLASS(TfrxColorSelector, TfrxCustomSelector)
public:
    explicit TfrxColorSelector(TControl* Opener);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TNotifyEvent OnColorChanged;
    // Picks the colour under the point (a release outside the selector picks nothing).
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

protected:
    void PaintChoices(TCanvas& Canvas) override;
    TRect HotRect(int X, int Y) const override;

private:
    TColor FColor = clNone;
};

class TfrxLineSelector : public TfrxCustomSelector {
    ROVE_CLASS(TfrxLineSelector, TfrxCustomSelector)
public:
    explicit TfrxLineSelector(TControl* Opener);
    // 0 to 5: fsSolid, fsDash, fsDot, fsDashDot, fsDashDotDot, fsDouble.
    int Style() const { return FStyle; }
    TNotifyEvent OnStyleChanged;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

protected:
    void PaintChoices(TCanvas& Canvas) override;
    TRect HotRect(int X, int Y) const override;

private:
    int FStyle = 0;
};
