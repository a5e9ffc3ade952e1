// The report library's mouse cursors: the hand and zoom tools of the preview and the
// designer (screen cursors 50 and 51), the designer's copy-format tool (52) and its
// pencil (11). The pictures are drawn by the program itself, as its button images are.
#pragma once

#include <string_view>

class TBitmap;

inline constexpr int crHand = 50;
inline constexpr int crZoom = 51;
inline constexpr int crFormat = 52;
inline constexpr int crPencil = 11;

// The cursor picture of "frxHAND", "frxZOOM", "frxFORMAT" or "frxPENCIL" (32 x 32, its
// transparent colour fuchsia) and its hot spot; false for any other name.
bool frxLoadResourceCursor(std::string_view Name, TBitmap& Bitmap, int& HotX, int& HotY);
// Installs the named cursor as screen cursor Index; false when the name is unknown.
bool frxInstallCursor(int Index, std::string_view Name);
// What the report engine does when it starts: cursors 50, 51 and 52.
void frxInstallCursors();
