// Pixel helpers for the drawing tests: a white bitmap and a text picture of it.
#pragma once

#include "platform/graphics/Graphics.h"

#include <string>

// The pixels of a bitmap as rows of characters: '.' white, '#' the given ink colour,
// '?' anything else. Rows and columns from (x, y) over w x h pixels.
inline std::string Picture(const TBitmap& b, int x, int y, int w, int h, TColor ink = clBlack,
                           TColor other = clNone, char otherChar = 'o') {
    std::string s;
    for (int j = y; j < y + h; ++j) {
        for (int i = x; i < x + w; ++i) {
            TColor c = b.Pixel(i, j);
            s += c == clWhite ? '.' : c == ink ? '#' : (other != clNone && c == other) ? otherChar : '?';
        }
        s += '\n';
    }
    return s;
}

inline int CountColour(const TBitmap& b, TColor colour) {
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) == colour) ++n;
    return n;
}
