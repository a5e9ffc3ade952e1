// The designer's clipboard: the selected objects as text beginning "#BL3 clipboard#",
// a line feed and a carriage return, then one report XML element per object; pasting reads
// them back onto the designer's current page.
#pragma once

#include <string>

class TfrxCustomDesigner;

class TfrxClipboard {
public:
    // The marker that starts the clipboard text.
    static constexpr const char* Marker = "#BL3 clipboard#";
    // A paste of more objects than this is refused (the report stays as it was).
    static constexpr int MaxPasteObjects = 10000;

    struct TPasteResult {
        int Pasted = 0;        // objects placed on the page
        std::string Error;     // empty when the paste went through
    };

    explicit TfrxClipboard(TfrxCustomDesigner* Designer);
    ~TfrxClipboard();
    TfrxClipboard(const TfrxClipboard&) = delete;
    TfrxClipboard& operator=(const TfrxClipboard&) = delete;

    // The clipboard text of the designer's selection (what Copy puts there).
    std::string CopyText() const;
    void Copy();
    // Whether the clipboard holds designer objects; kept current by the clipboard's
    // change notification rather than by reading the clipboard again.
    bool PasteAvailable() const { return FAvailable; }
    // Pastes Text (the clipboard's when not given). Text that is not the designer's
    // pastes nothing; broken text pastes nothing and says why in Error; either way the
    // report is unchanged then.
    TPasteResult Paste();
    TPasteResult PasteText(const std::string& Text);

private:
    void Refresh();
    TfrxCustomDesigner* FDesigner;
    bool FAvailable = false;
    int FListener = 0;
};
