// Drawing routines of the flat button: where glyph and caption go, the embossed look of a
// disabled glyph, and the caption drawn plain or engraved. They work on any canvas, so the
// button paints into an off-screen bitmap and tests check the pixels.
#pragma once

#include "platform/graphics/Graphics.h"
#include "platform/ui/Buttons.h"   // TButtonLayout: where the glyph stands, as speed buttons have it

#include <string>

// The result of CalcButtonLayout: the glyph's top-left corner and the caption's rectangle,
// both in the coordinates of the client rectangle given.
struct TButtonPlacement {
    TPoint GlyphPos;
    TRect TextBounds;
};

// Places a glyph of GlyphSize (0 x 0: none) and a caption of TextSize (0 x 0: none) in
// Client. Along the layout axis: without glyph or caption the spacing is 0; Margin -1 with
// Spacing -1 gives margin and spacing one third each of the room left; Margin -1 alone
// centres the glyph-spacing-caption block; a margin with Spacing -1 puts half the room left
// after margin, glyph and caption between glyph and caption. The glyph keeps Margin from the
// near edge, the caption follows at the spacing; across the axis both are centred. Offset
// (one pixel right and down for a pressed button) moves both.
TButtonPlacement CalcButtonLayout(const TRect& Client, TPoint Offset, TSize GlyphSize,
                                  TSize TextSize, TButtonLayout Layout, int Margin, int Spacing);

// Draws the image SourceRect of Glyph at Dest, leaving out the pixels of Transparent.
void DrawGlyph(TCanvas* Canvas, TBitmap* Glyph, const TRect& SourceRect, TPoint Dest,
               TColor Transparent);

// The disabled look of a one-image glyph: on a button-face background, every pixel of the
// image that is not Transparent is set in the button-highlight colour one pixel right and
// down, then in the button-shadow colour in place. The result is one pixel wider and taller
// than the image; its background is the resolved button-face colour.
TBitmap CreateEmbossedGlyph(TBitmap* Glyph, const TRect& SourceRect, TColor Transparent);

// The caption centred on one line in Bounds, on a transparent background; Disabled draws it
// engraved: in the button-highlight colour one pixel right and down, then in the
// button-shadow colour in place.
void DrawButtonCaption(TCanvas* Canvas, const std::string& Caption, const TRect& Bounds,
                       bool Disabled);
