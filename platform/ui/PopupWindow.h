// A window of its own that shows without taking the activation or the keyboard focus:
// samples beside another control (the font combo box's sample of a font). Its bounds are
// screen coordinates; it stays above the program's other windows, and holds child
// controls like any windowed control.
#pragma once

#include "platform/ui/Controls.h"

class TPopupWindow : public TCustomControl {
    ROVE_CLASS(TPopupWindow, TCustomControl)
public:
    explicit TPopupWindow(TComponent* AOwner);
    ~TPopupWindow() override;
    void ApplyVisible() override;
    bool Showing() const override { return FVisible; }
    bool TakesFocus() const override { return false; }
    // Makes the window a tool window of Form: it stays above that window (and goes with
    // it when it is minimised) instead of above every window.
    void SetOwnerForm(TWinControl* Form);
    // Hides the window and frees it once the events being handled are done.
    void Release();
};
