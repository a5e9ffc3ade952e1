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
};
