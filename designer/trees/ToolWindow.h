// The base of the designer's tool windows (data tree, report tree): a borderless window
// with a caption strip, which a dock site of the designer window holds under its own
// caption bar (the strip is hidden there) or an editor window embeds, localised from the
// string-table block of its class name like a window.
#pragma once

#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"

class TfrxToolWindow : public TForm {
    ROVE_CLASS(TfrxToolWindow, TForm)
public:
    explicit TfrxToolWindow(TComponent* AOwner);
    // The caption is the window's (a dock site's caption bar shows it) and the strip's.
    void SetText(const std::string& Value) override;
    // Placed inside another control, the window shows with it (a window on its own shows
    // when it is shown).
    void SetParent(TWinControl* AParent) override;
    TPanel* TitlePanel() const { return FTitle; }

protected:
    // Applies the class's block of the string table (once the controls exist).
    void Localize();

private:
    TPanel* FTitle = nullptr;
};
