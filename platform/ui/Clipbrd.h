// The clipboard: text in and out (and a picture), as Clipboard()->AsText.
#pragma once

#include <functional>
#include <string>

class TGraphic;
class TPicture;

enum : unsigned { CF_TEXT = 1, CF_BITMAP = 2, CF_UNICODETEXT = 13 };

class TClipboard {
public:
    std::string AsText() const;
    void SetAsText(const std::string& Value);
    bool HasFormat(unsigned Format) const;
    void Clear();
    // Pictures: the clipboard's image into Picture, and a graphic onto the clipboard.
    bool GetPicture(TPicture& Picture) const;
    void SetPicture(const TGraphic& Graphic);
    // Change notification: Listener runs whenever the clipboard's contents change (in this
    // program or another one); the number given back removes it again.
    int AddChangeListener(std::function<void()> Listener);
    void RemoveChangeListener(int Id);
};

TClipboard* Clipboard();
