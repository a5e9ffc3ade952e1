// The reference for text drawn with advances: Qt's own drawText of each character alone at
// the character's place (what the canvas did before texts became positioned glyph runs),
// and a pixel comparison that allows for anti-aliasing. Shared by the drawing tests and
// the receipt's pixel test.
#pragma once

#include <QFontMetrics>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/graphics/Graphics.h"
#include "platform/graphics/QtBridge.h"
#include "platform/rtl/StrUtils.h"

// Draws text into Bitmap (which no canvas has painted on yet) as the canvas's
// ExtTextOut(X, Y, Clip ? ETO_CLIPPED : 0, Clip, Text, Advances) with Font would place it,
// one drawText per character; blanks draw nothing.
inline void DrawEachCharacter(TBitmap& Bitmap, const TFont& Font, int X, int Y, const std::string& Text,
                              const std::vector<int>& Advances, const TRect* Clip = nullptr) {
    QPainter p(&BitmapImage(Bitmap));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    if (Clip) p.setClipRect(QRect(Clip->Left, Clip->Top, Clip->Width(), Clip->Height()));
    const QFont f = ToQFont(Font);
    p.setFont(f);
    p.setPen(ToQColor(Font.Color()));
    const double baseline = Y + QFontMetrics(f).ascent();
    const std::u32string chars = Utf8ToU32(Text);
    double x = X;
    for (size_t i = 0; i < chars.size(); ++i) {
        const char32_t ch = chars[i];
        if (ch != U' ') p.drawText(QPointF(x, baseline), QString::fromUcs4(&ch, 1));
        x += i < Advances.size() ? Advances[i] : 0;
    }
}

// Pixels where some colour channel of A and B differs by more than Tolerance.
inline int DifferentPixels(const TBitmap& A, const TBitmap& B, int Tolerance) {
    int n = 0;
    const int w = std::min(A.Width(), B.Width()), h = std::min(A.Height(), B.Height());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const TColor a = A.Pixel(x, y), b = B.Pixel(x, y);
            for (int shift : {0, 8, 16})
                if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > Tolerance) {
                    ++n;
                    break;
                }
        }
    return n + std::abs(A.Width() * A.Height() - B.Width() * B.Height());
}

// Pixels that are not white.
inline int InkedPixels(const TBitmap& B) {
    int n = 0;
    for (int y = 0; y < B.Height(); ++y)
        for (int x = 0; x < B.Width(); ++x) n += B.Pixel(x, y) != clWhite;
    return n;
}
