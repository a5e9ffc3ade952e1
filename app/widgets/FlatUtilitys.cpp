// The flat button's drawing routines.
#include "app/widgets/FlatUtilitys.h"

namespace {
// Floor division, so that a block larger than its room still centres symmetrically.
int Half(int v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }
int Third(int v) { return v >= 0 ? v / 3 : -((-v + 2) / 3); }
}  // namespace

// placement -> margin, glyph, spacing, caption along the axis; both centred across it
TButtonPlacement CalcButtonLayout(const TRect& Client, TPoint Offset, TSize GlyphSize,
                                  TSize TextSize, TButtonLayout Layout, int Margin, int Spacing) {
    const bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
    const int room = horizontal ? Client.Width() : Client.Height();
    const int glyph = horizontal ? GlyphSize.cx : GlyphSize.cy;
    const int text = horizontal ? TextSize.cx : TextSize.cy;
    const bool hasGlyph = GlyphSize.cx > 0 && GlyphSize.cy > 0;
    const bool hasText = TextSize.cx > 0 || TextSize.cy > 0;

    if (!hasGlyph || !hasText) Spacing = 0;
    if (Margin == -1 && Spacing == -1) {
        Margin = Third(room - glyph - text);
        Spacing = Margin;
    } else if (Margin == -1) {
        Margin = Half(room - (glyph + Spacing + text));
    } else if (Spacing == -1) {
        Spacing = Half(room - (Margin + glyph + text));
    }

    TPoint g, t;
    switch (Layout) {
        case blGlyphLeft:
            g.X = Margin;
            t.X = g.X + glyph + Spacing;
            break;
        case blGlyphRight:
            g.X = Client.Width() - Margin - glyph;
            t.X = g.X - Spacing - text;
            break;
        case blGlyphTop:
            g.Y = Margin;
            t.Y = g.Y + glyph + Spacing;
            break;
        case blGlyphBottom:
            g.Y = Client.Height() - Margin - glyph;
            t.Y = g.Y - Spacing - text;
            break;
    }
    if (horizontal) {
        g.Y = Half(Client.Height() - GlyphSize.cy);
        t.Y = Half(Client.Height() - TextSize.cy);
    } else {
        g.X = Half(Client.Width() - GlyphSize.cx);
        t.X = Half(Client.Width() - TextSize.cx);
    }

    const int dx = Client.Left + Offset.X, dy = Client.Top + Offset.Y;
    TButtonPlacement p;
    p.GlyphPos = {g.X + dx, g.Y + dy};
    p.TextBounds = Bounds(t.X + dx, t.Y + dy, TextSize.cx, TextSize.cy);
    return p;
}

void DrawGlyph(TCanvas* Canvas, TBitmap* Glyph, const TRect& SourceRect, TPoint Dest,
               TColor Transparent) {
    const TRect dest = Bounds(Dest.X, Dest.Y, SourceRect.Width(), SourceRect.Height());
    Canvas->BrushCopy(dest, Glyph, SourceRect, Transparent);
}

TBitmap CreateEmbossedGlyph(TBitmap* Glyph, const TRect& SourceRect, TColor Transparent) {
    const int w = SourceRect.Width(), h = SourceRect.Height();
    const TColor face = ColorToRGB(clBtnFace);
    const TColor light = ColorToRGB(clBtnHighlight);
    const TColor shadow = ColorToRGB(clBtnShadow);
    const TColor clear = ColorToRGB(Transparent);
    TBitmap result(w + 1, h + 1);
    result.Canvas()->Brush()->SetColor(face);
    result.Canvas()->FillRect(Rect(0, 0, w + 1, h + 1));
    auto inImage = [&](int x, int y) {
        return Glyph->Pixel(SourceRect.Left + x, SourceRect.Top + y) != clear;
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (inImage(x, y)) result.SetPixel(x + 1, y + 1, light);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (inImage(x, y)) result.SetPixel(x, y, shadow);
    return result;
}

void DrawButtonCaption(TCanvas* Canvas, const std::string& Caption, const TRect& Bounds,
                       bool Disabled) {
    constexpr unsigned format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->SetBkMode(bkTransparent);
    TRect r = Bounds;
    if (Disabled) {
        const TColor own = Canvas->Font()->Color();
        OffsetRect(r, 1, 1);
        Canvas->Font()->SetColor(clBtnHighlight);
        Canvas->DrawText(Caption, r, format);
        r = Bounds;
        Canvas->Font()->SetColor(clBtnShadow);
        Canvas->DrawText(Caption, r, format);
        Canvas->Font()->SetColor(own);
        return;
    }
    Canvas->DrawText(Caption, r, format);
}
