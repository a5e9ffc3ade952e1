// The drawing rules checked pixel by pixel: edges, last pixels, dashes and their gaps,
// hatches, frames, pen modes and clipping.
#include "PixelHelpers.h"

#include "platform/graphics/QtBridge.h"

#include <QPainter>

#include <functional>
#include <gtest/gtest.h>

namespace {

struct PixelCase {
    const char* Name;
    int Width;
    int Height;
    std::function<void(TCanvas&)> Draw;
    const char* Expected;   // '.' white, '#' black, 'o' red, '?' other
};

void PrintTo(const PixelCase& c, std::ostream* os) { *os << c.Name; }

class CanvasPixels : public testing::TestWithParam<PixelCase> {};

TEST_P(CanvasPixels, MatchTheRules) {
    const PixelCase& c = GetParam();
    TBitmap b(c.Width, c.Height);
    c.Draw(*b.Canvas());
    EXPECT_EQ(Picture(b, 0, 0, c.Width, c.Height, clBlack, clRed), c.Expected);
}

void Line(TCanvas& c, int x1, int y1, int x2, int y2) {
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
}

const PixelCase Cases[] = {
    {"LineLeavesOutItsEndPoint", 8, 3, [](TCanvas& c) { Line(c, 1, 1, 6, 1); },
     "........\n"
     ".#####..\n"
     "........\n"},
    {"LineBackwardsLeavesOutItsEndPoint", 8, 3, [](TCanvas& c) { Line(c, 6, 1, 1, 1); },
     "........\n"
     "..#####.\n"
     "........\n"},
    {"UpwardLineLeavesOutItsEndPoint", 3, 6, [](TCanvas& c) { Line(c, 1, 5, 1, 1); },
     "...\n"
     "...\n"
     ".#.\n"
     ".#.\n"
     ".#.\n"
     ".#.\n"},
    {"BackwardDiagonalLine", 5, 5, [](TCanvas& c) { Line(c, 4, 4, 0, 0); },
     ".....\n"
     ".#...\n"
     "..#..\n"
     "...#.\n"
     "....#\n"},
    {"DiagonalLine", 5, 5, [](TCanvas& c) { Line(c, 0, 0, 4, 4); },
     "#....\n"
     ".#...\n"
     "..#..\n"
     "...#.\n"
     ".....\n"},
    {"PolylineJoinsWithoutTheLastPoint", 6, 5,
     [](TCanvas& c) { c.Polyline({{1, 1}, {4, 1}, {4, 4}}); },
     "......\n"
     ".####.\n"
     "....#.\n"
     "....#.\n"
     "......\n"},
    {"RectangleRightAndBottomOutside", 7, 6, [](TCanvas& c) { c.Rectangle(1, 1, 6, 5); },
     ".......\n"
     ".#####.\n"
     ".#...#.\n"
     ".#...#.\n"
     ".#####.\n"
     ".......\n"},
    {"RectangleFillsWithTheBrush", 6, 5,
     [](TCanvas& c) {
         c.Brush()->SetColor(clRed);
         c.Rectangle(1, 1, 5, 5);
     },
     "......\n"
     ".####.\n"
     ".#oo#.\n"
     ".#oo#.\n"
     ".####.\n"},
    {"RectangleWithoutPenFillsOnePixelLess", 6, 5,
     [](TCanvas& c) {
         c.Pen()->SetStyle(psClear);
         c.Brush()->SetColor(clRed);
         c.Rectangle(1, 1, 5, 5);
     },
     "......\n"
     ".ooo..\n"
     ".ooo..\n"
     ".ooo..\n"
     "......\n"},
    {"FillRectExcludesRightAndBottom", 5, 4,
     [](TCanvas& c) {
         c.Brush()->SetColor(clBlack);
         c.FillRect(Rect(1, 1, 4, 3));
     },
     ".....\n"
     ".###.\n"
     ".###.\n"
     ".....\n"},
    {"FrameRectUsesTheBrush", 5, 5,
     [](TCanvas& c) {
         c.Brush()->SetColor(clRed);
         c.FrameRect(Rect(0, 0, 5, 4));
     },
     "ooooo\n"
     "o...o\n"
     "o...o\n"
     "ooooo\n"
     ".....\n"},
    {"DotsWithGapsInTheBackgroundColour", 14, 1,
     [](TCanvas& c) {
         c.Brush()->SetColor(clRed);   // solid brush: opaque background in its colour
         c.Pen()->SetStyle(psDot);
         Line(c, 0, 0, 14, 0);
     },
     "###ooo###ooo##\n"},
    {"DashesWithTransparentGaps", 26, 1,
     [](TCanvas& c) {
         c.Pen()->SetStyle(psDash);
         c.SetBkMode(bkTransparent);
         Line(c, 0, 0, 26, 0);
     },
     "##################......##\n"},
    {"DashDotPattern", 24, 1,
     [](TCanvas& c) {
         c.Brush()->SetColor(clRed);
         c.Pen()->SetStyle(psDashDot);
         Line(c, 0, 0, 24, 0);
     },
     "#########oooooo###oooooo\n"},
    {"WideStyledPenDrawsSolid", 12, 3,
     [](TCanvas& c) {
         c.Pen()->SetStyle(psDot);
         c.Pen()->SetWidth(3);
         c.Brush()->SetColor(clRed);
         Line(c, 2, 1, 9, 1);
     },
     ".##########.\n"
     ".##########.\n"
     ".##########.\n"},
    {"Frame3DTopLeftThenBottomRight", 5, 4,
     [](TCanvas& c) {
         TRect r = Rect(0, 0, 5, 4);
         Frame3D(&c, r, clRed, clBlack, 1);
         EXPECT_EQ(r, Rect(1, 1, 4, 3));
     },
     "oooo#\n"
     "o...#\n"
     "o...#\n"
     "#####\n"},
    {"Frame3DTwoPixelsWide", 6, 6,
     [](TCanvas& c) {
         TRect r = Rect(0, 0, 6, 6);
         Frame3D(&c, r, clRed, clBlack, 2);
         EXPECT_EQ(r, Rect(2, 2, 4, 4));
     },
     "ooooo#\n"
     "oooo##\n"
     "oo..##\n"
     "oo..##\n"
     "o#####\n"
     "######\n"},
    {"XorPenTwiceRestores", 6, 1,
     [](TCanvas& c) {
         c.Pen()->SetMode(pmXor);
         c.Pen()->SetColor(clWhite);
         Line(c, 0, 0, 4, 0);   // white XOR white = black
         Line(c, 2, 0, 6, 0);   // inverts 2..5 again
     },
     "##..##\n"},
    {"ClipRectLimitsDrawing", 8, 3,
     [](TCanvas& c) {
         c.SetClipRect(Rect(2, 0, 5, 3));
         c.Brush()->SetColor(clBlack);
         c.FillRect(Rect(0, 0, 8, 3));
     },
     "..###...\n"
     "..###...\n"
     "..###...\n"},
    {"ExcludedRectStaysUntouched", 6, 1,
     [](TCanvas& c) {
         c.ExcludeClipRect(Rect(2, 0, 4, 1));
         c.Brush()->SetColor(clBlack);
         c.FillRect(Rect(0, 0, 6, 1));
     },
     "##..##\n"},
    {"EllipseInsideItsBounds", 7, 7,
     [](TCanvas& c) {
         c.Brush()->SetStyle(bsClear);
         c.Ellipse(0, 0, 7, 7);
     },
     "..###..\n"
     ".#...#.\n"
     "#.....#\n"
     "#.....#\n"
     "#.....#\n"
     ".#...#.\n"
     "..###..\n"},
};

INSTANTIATE_TEST_SUITE_P(Rules, CanvasPixels, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<PixelCase>& i) { return std::string(i.param.Name); });

}  // namespace

TEST(CanvasHatch, RepeatsEveryEightPixelsInTheBrushColour) {
    struct Case {
        TBrushStyle Style;
        bool Rows;      // lines across (horizontal) or down (vertical)
    };
    for (Case c : {Case{bsHorizontal, true}, Case{bsVertical, false}}) {
        for (TBkMode mode : {bkTransparent, bkOpaque}) {
            TBitmap b(16, 16);
            TCanvas& canvas = *b.Canvas();
            canvas.Brush()->SetColor(clBlack);
            canvas.Brush()->SetStyle(c.Style);
            canvas.SetBkColor(clRed);
            canvas.SetBkMode(mode);
            canvas.FillRect(Rect(0, 0, 16, 16));
            int inked = 0;
            for (int i = 0; i < 16; ++i) {
                TColor first = c.Rows ? b.Pixel(0, i) : b.Pixel(i, 0);
                bool line = first == clBlack;
                if (line) ++inked;
                for (int j = 0; j < 16; ++j) {
                    TColor p = c.Rows ? b.Pixel(j, i) : b.Pixel(i, j);
                    EXPECT_EQ(p, line ? clBlack : (mode == bkOpaque ? clRed : clWhite))
                        << "style " << c.Style << " mode " << mode << " at " << i << "," << j;
                }
                EXPECT_EQ(line, (c.Rows ? b.Pixel(0, (i + 8) % 16) : b.Pixel((i + 8) % 16, 0)) == clBlack);
            }
            EXPECT_EQ(inked, 2) << "one line per 8 pixels";
        }
    }
}

TEST(CanvasHatch, DiagonalAndCrossHatchesInkAPatternOnly) {
    for (TBrushStyle style : {bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross}) {
        TBitmap b(16, 16);
        b.Canvas()->Brush()->SetColor(clBlack);
        b.Canvas()->Brush()->SetStyle(style);
        b.Canvas()->FillRect(Rect(0, 0, 16, 16));
        int black = CountColour(b, clBlack);
        EXPECT_GT(black, 16) << style;
        EXPECT_LT(black, 256 / 2) << style;
        EXPECT_EQ(black + CountColour(b, clWhite), 256) << style;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) EXPECT_EQ(b.Pixel(x, y), b.Pixel(x + 8, y + 8)) << style;
    }
}

TEST(CanvasBackground, FollowsTheBrushUntilSetExplicitly) {
    TBitmap b(4, 4);
    TCanvas& c = *b.Canvas();
    c.Brush()->SetColor(clRed);
    EXPECT_EQ(c.BkMode(), bkOpaque);
    EXPECT_EQ(c.BkColor(), clRed);
    c.Brush()->SetStyle(bsClear);
    EXPECT_EQ(c.BkMode(), bkTransparent);
    c.SetBkMode(bkOpaque);
    c.SetBkColor(clBlue);
    EXPECT_EQ(c.BkColor(), clBlue);
    c.Brush()->SetStyle(bsDiagCross);
    EXPECT_EQ(c.BkMode(), bkTransparent);
}

TEST(CanvasEdge, RaisedAndSunkenUseTheSystemColours) {
    TBitmap b(6, 6);
    TRect r = Rect(0, 0, 6, 6);
    DrawEdge(b.Canvas(), r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    EXPECT_EQ(r, Rect(2, 2, 4, 4));
    EXPECT_EQ(b.Pixel(0, 0), ColorToRGB(cl3DLight));
    EXPECT_EQ(b.Pixel(5, 0), ColorToRGB(cl3DDkShadow));   // the dark edge owns the far corners
    EXPECT_EQ(b.Pixel(0, 5), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(b.Pixel(1, 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(b.Pixel(4, 4), ColorToRGB(clBtnShadow));
    EXPECT_EQ(b.Pixel(2, 2), clWhite);

    TBitmap s(4, 4);
    TRect q = Rect(0, 0, 4, 4);
    DrawEdge(s.Canvas(), q, BDR_SUNKENOUTER, BF_RECT | BF_MIDDLE);
    EXPECT_EQ(s.Pixel(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(s.Pixel(3, 3), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(s.Pixel(1, 1), ColorToRGB(clBtnFace));
    EXPECT_EQ(q, Rect(0, 0, 4, 4));   // without BF_ADJUST the rectangle stays
}

TEST(CanvasClip, QueriesMatchWhatIsDrawn) {
    TBitmap b(20, 10);
    TCanvas& c = *b.Canvas();
    EXPECT_EQ(c.ClipRect(), Rect(0, 0, 20, 10));
    EXPECT_FALSE(c.RectVisible(Rect(25, 0, 30, 5)));
    c.SetClipRect(Rect(5, 2, 10, 8));
    EXPECT_EQ(c.ClipRect(), Rect(5, 2, 10, 8));
    EXPECT_TRUE(c.RectVisible(Rect(9, 7, 12, 12)));
    EXPECT_FALSE(c.RectVisible(Rect(10, 0, 12, 12)));
    TClipRegion saved = c.ClipRegion();
    c.IntersectClipRect(Rect(0, 0, 7, 20));
    EXPECT_EQ(c.ClipRect(), Rect(5, 2, 7, 8));
    c.SetClipRegion(saved);
    EXPECT_EQ(c.ClipRect(), Rect(5, 2, 10, 8));
    c.ResetClip();
    EXPECT_FALSE(c.ClipRegion().Clipped);
}

TEST(CanvasFocusRect, DrawnTwiceLeavesNothing) {
    TBitmap b(10, 8);
    b.Canvas()->DrawFocusRect(Rect(1, 1, 9, 7));
    int changed = 256;
    changed = 80 - CountColour(b, clWhite);
    EXPECT_GT(changed, 8);
    b.Canvas()->DrawFocusRect(Rect(1, 1, 9, 7));
    EXPECT_EQ(CountColour(b, clWhite), 80);
}

TEST(CanvasWithoutDevice, RefusesToDraw) {
    TCanvas c;
    EXPECT_THROW(c.LineTo(1, 1), EInvalidGraphicOperation);
    EXPECT_THROW(c.FillRect(Rect(0, 0, 1, 1)), EInvalidGraphicOperation);
}

TEST(CanvasPictures, DrawStretchAndTransparentColour) {
    TBitmap glyph(2, 2);
    glyph.SetPixel(0, 0, clRed);
    glyph.SetPixel(1, 1, clBlack);
    TBitmap b(6, 4);
    b.Canvas()->StretchDraw(Rect(0, 0, 4, 4), &glyph);
    EXPECT_EQ(Picture(b, 0, 0, 6, 4, clBlack, clRed),
              "oo....\n"
              "oo....\n"
              "..##..\n"
              "..##..\n");
    // Copy the glyph with white as the transparent colour over a black ground.
    TBitmap c(2, 2);
    c.Canvas()->Brush()->SetColor(clBlack);
    c.Canvas()->FillRect(Rect(0, 0, 2, 2));
    c.Canvas()->BrushCopy(Rect(0, 0, 2, 2), &glyph, Rect(0, 0, 2, 2), clWhite);
    EXPECT_EQ(Picture(c, 0, 0, 2, 2, clBlack, clRed), "o#\n##\n");
    // A transparent bitmap leaves out its bottom-left colour.
    TBitmap t(2, 2);
    t.Canvas()->Brush()->SetColor(clBlack);
    t.Canvas()->FillRect(Rect(0, 0, 2, 2));
    glyph.SetTransparent(true);
    EXPECT_EQ(glyph.TransparentColor(), clWhite);
    t.Canvas()->Draw(0, 0, &glyph);
    EXPECT_EQ(Picture(t, 0, 0, 2, 2, clBlack, clRed), "o#\n##\n");
}

TEST(CanvasCopyRect, CopiesBetweenBitmaps) {
    TBitmap src(4, 4);
    src.Canvas()->Brush()->SetColor(clRed);
    src.Canvas()->FillRect(Rect(0, 0, 2, 2));
    TBitmap dst(4, 4);
    dst.Canvas()->CopyRect(Rect(2, 2, 4, 4), src.Canvas(), Rect(0, 0, 2, 2));
    EXPECT_EQ(Picture(dst, 0, 0, 4, 4, clBlack, clRed), "....\n....\n..oo\n..oo\n");
}

TEST(CanvasOverPainter, AttachedPainterKeepsItsClipAndIsDetached) {
    TBitmap target(10, 4);
    QPainter painter(&BitmapImage(target));
    painter.setClipRect(QRect(0, 0, 5, 4));   // e.g. a paint event's region
    TCanvas canvas;
    AttachPainter(canvas, &painter);
    EXPECT_EQ(CanvasPainter(canvas), &painter);
    EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 5, 4));
    EXPECT_FALSE(canvas.RectVisible(Rect(6, 0, 9, 4)));
    canvas.SetClipRect(Rect(2, 0, 10, 4));
    EXPECT_EQ(canvas.ClipRect(), Rect(2, 0, 5, 4));
    canvas.Brush()->SetColor(clBlack);
    canvas.FillRect(Rect(0, 0, 10, 1));
    canvas.ResetClip();
    canvas.FillRect(Rect(0, 1, 10, 2));
    DetachPainter(canvas);
    EXPECT_FALSE(canvas.HasDevice());
    painter.end();
    EXPECT_EQ(Picture(target, 0, 0, 10, 2), "..###.....\n#####.....\n");
}
