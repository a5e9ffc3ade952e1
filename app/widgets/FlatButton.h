// TFlatButton: a flat, owner-painted push button with an optional glyph strip, colours that
// follow the mouse and the press, optional transparency over its parent, speed-button
// groups (one button of a group stays down) and a modal result handed to its form. The
// clinic windows use it for their help buttons.
//
// Visual state: up, disabled, down (pressed, not latched) and exclusive (latched down in a
// group). Mouse tracking shares one 100 ms timer among all live buttons: it notices a
// mouse that left a button without a move over it (into another window, say).
#pragma once

#include "app/widgets/FlatUtilitys.h"
#include "platform/ui/Controls.h"

#include <functional>
#include <memory>

// When the parent shows through the button.
enum TFlatTransparentMode : int { tmAlways, tmNotFocused, tmNone };
const TTypeInfo* FlatTransparentModeTypeInfo();   // published as "TTransparentMode"
inline const TTypeInfo* RoveTypeInfo(TFlatTransparentMode*) { return FlatTransparentModeTypeInfo(); }

enum TFlatButtonState { fbsUp, fbsDisabled, fbsDown, fbsExclusive };

// The derived colours: the face colour (system colours resolved) in HSL on the 240 scale,
// its lightness raised by 10, then by Percent (lighten, capped at 100) or lowered by it
// (darken, floored at 0). Percent 0 keeps Old.
TColor LightenFlatColor(TColor Face, TColor Old, int Percent);
TColor DarkenFlatColor(TColor Face, TColor Old, int Percent);

class TFlatButton : public TCustomControl {
    ROVE_CLASS(TFlatButton, TCustomControl)
public:
    explicit TFlatButton(TComponent* AOwner);
    ~TFlatButton() override;

    void Loaded() override;
    void Paint() override;
    // Paints the button as Paint does, onto any canvas of the client size.
    void PaintTo(TCanvas* Target);

    // --- Published properties --------------------------------------------------------
    TFlatTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TFlatTransparentMode Value);
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    TColor ColorFocused() const { return FColorFocused; }
    void SetColorFocused(TColor Value);
    TColor ColorDown() const { return FColorDown; }
    void SetColorDown(TColor Value);
    TColor ColorBorder() const { return FColorBorder; }
    void SetColorBorder(TColor Value);
    TColor ColorHighLight() const { return FColorHighLight; }
    void SetColorHighLight(TColor Value);
    TColor ColorShadow() const { return FColorShadow; }
    void SetColorShadow(TColor Value);
    int AdvColorFocused() const { return FAdvColorFocused; }
    void SetAdvColorFocused(int Value);
    int AdvColorDown() const { return FAdvColorDown; }
    void SetAdvColorDown(int Value);
    int AdvColorBorder() const { return FAdvColorBorder; }
    void SetAdvColorBorder(int Value);
    bool UseAdvColors() const { return FUseAdvColors; }
    void SetUseAdvColors(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* Value);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);   // 1..4; other values are ignored
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    int Margin() const { return FMargin; }
    void SetMargin(int Value);      // below -1 is ignored
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int Value) { FModalResult = Value; }

    static void DeclareProperties(TPropertyDecl<TFlatButton>& d);

    // --- State -------------------------------------------------------------------------
    TFlatButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }
    bool IsDragging() const { return FDragging; }

    // --- Behaviour (the window layer calls these; tests call them too) ---------------
    void Click() override;
    void DblClick() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyUp(uint16_t& Key, TShiftState Shift) override;
    // The caption's accelerator letter typed: true when the button took it.
    bool DialogChar(char32_t Key) override;
    void SetEnabled(bool Value) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void DoEnter() override;
    void DoExit() override;
    void ParentColorChanged() override;
    // The system colours changed: derived colours follow the new face colour.
    void SysColorChanged();
    // Another button of the parent became down, or changed its group or AllowAllUp.
    void ButtonPressed(int Group, TFlatButton* Sender);

    // The window layer's notifications of the mouse entering and leaving the button: they
    // fire OnMouseEnter and OnMouseLeave, and count as a move over the button and a leave.
    void MouseEnter() override;
    void MouseLeave() override;
    // The button clicks itself on release (the state machine decides whether it counts).
    bool ClicksFromMouse() const override { return false; }

    // The tracking's own enter and leave: the mouse-in flag and the look.
    void TrackingEnter();
    void TrackingLeave();
    // Sets the mouse-in flag from the control under the cursor.
    void UpdateTracking();

    // Where the tracking looks for the control under the cursor: by default the flat
    // button the window layer last reported the mouse entering and not yet leaving;
    // tests point it at the control they pretend is hovered.
    using TCursorControlSource = std::function<TControl*()>;
    static void SetCursorControlSource(TCursorControlSource Source);
    // The button the mouse is over, and the tick of the shared timer (tests run it).
    static TFlatButton* CurrentButton();
    static void TrackingTimerTick();
    static bool TrackingTimerActive();

private:
    void SetColorField(TColor& Field, TColor Value);
    void CalcAdvColors();
    void GlyphChanged();
    void BroadcastPressed();
    void StateChanged(TFlatButtonState NewState);
    // The start of a move over the button: it becomes the current one.
    void HoverFromCursor();
    bool IsColorStoredHere() const { return !ParentColor(); }

    TFlatTransparentMode FTransparentMode = tmNone;
    bool FDefault = false;
    bool FAllowAllUp = false;
    TColor FColorFocused;
    TColor FColorDown;
    TColor FColorBorder;
    TColor FColorHighLight;
    TColor FColorShadow;
    int FAdvColorFocused = 10;
    int FAdvColorDown = 10;
    int FAdvColorBorder = 50;
    bool FUseAdvColors = false;
    int FGroupIndex = 0;
    bool FDown = false;
    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    TButtonLayout FLayout = blGlyphTop;
    int FMargin = -1;
    int FSpacing = 4;
    int FModalResult = 0;

    TFlatButtonState FState = fbsUp;
    bool FMouseInControl = false;
    bool FDragging = false;
};

// Registers TFlatButton for form resources (the clinic's start-up calls it once).
void RegisterClinicWidgets();
