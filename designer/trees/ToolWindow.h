// The base of the designer's tool windows (data tree, report tree, object inspector): a
// panel with a caption strip, which a dock site of the designer window or an editor
// window holds, localised from the string-table block of its class name like a window.
#pragma once

#include "platform/ui/ExtCtrls.h"

class TfrxToolWindow : public TPanel {
    ROVE_CLASS(TfrxToolWindow, TPanel)
public:
    explicit TfrxToolWindow(TComponent* AOwner);
    // The caption shows in the caption strip.
    void SetText(const std::string& Value) override;
    TPanel* TitlePanel() const { return FTitle; }

protected:
    // Applies the class's block of the string table (once the controls exist).
    void Localize();

private:
    TPanel* FTitle = nullptr;
};
