// Drawing of views on bitmaps, checked by pixels: the device rectangle, frames of every
// style, the drop shadow, backgrounds and hatches, thick lines, shapes and lines.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/graphics/Graphics.h"
#include "report/LineView.h"
#include "report/Views.h"

namespace {

constexpr TColor kPaper = 0xC0C0C0;   // the bitmap's ground, distinct from white

struct TPixel {
    int X, Y;
    TColor Color;
};

class Canvas : public ::testing::Test {
protected:
    Canvas() : bitmap(120, 120) {
        bitmap.Canvas()->Brush()->SetColor(kPaper);
        bitmap.Canvas()->FillRect(Rect(0, 0, 120, 120));
    }
    void Expect(const std::vector<TPixel>& pixels) {
        for (const TPixel& p : pixels)
            EXPECT_EQ(bitmap.Pixel(p.X, p.Y), p.Color) << "pixel (" << p.X << ", " << p.Y << ")";
    }
    // The colours met in a column (x fixed) between y0 and y1 exclusive.
    std::set<TColor> Column(int x, int y0, int y1) {
        std::set<TColor> s;
        for (int y = y0; y < y1; ++y) s.insert(bitmap.Pixel(x, y));
        return s;
    }
    TBitmap bitmap;
};

// --- The device rectangle -------------------------------------------------------------

struct TRectCase {
    const char* Name;
    double Left, Top, Width, Height;
    double Scale, Offset;
    bool Shadow;
    TRect Expected;
    int FrameWidth;
};

class DeviceRect : public ::testing::TestWithParam<TRectCase> {};

TEST_P(DeviceRect, RoundsHalvesToEven) {
    const TRectCase& c = GetParam();
    TfrxView v(nullptr);
    v.SetBounds(c.Left, c.Top, c.Width, c.Height);
    v.Frame()->DropShadow = c.Shadow;
    v.BeginDraw(nullptr, c.Scale, c.Scale, c.Offset, c.Offset);
    EXPECT_EQ(Rect(v.DevLeft(), v.DevTop(), v.DevRight(), v.DevBottom()), c.Expected);
    EXPECT_EQ(v.DevWidth(), c.Expected.Width());
    EXPECT_EQ(v.DevHeight(), c.Expected.Height());
    EXPECT_EQ(v.DevFrameWidth(), c.FrameWidth);
}

INSTANTIATE_TEST_SUITE_P(
    Views, DeviceRect,
    ::testing::Values(TRectCase{"plain", 10, 20, 30, 40, 1, 0, false, Rect(10, 20, 40, 60), 1},
                      TRectCase{"half_down_to_even", 10.5, 20.5, 30, 40, 1, 0, false, Rect(10, 20, 40, 60), 1},
                      TRectCase{"half_up_to_even", 11.5, 21.5, 30, 40, 1, 0, false, Rect(12, 22, 42, 62), 1},
                      TRectCase{"scaled_with_offset", 10, 10, 20, 20, 6.25, 3, false, Rect(66, 66, 190, 190), 6},
                      TRectCase{"shadow_inside_bounds", 10, 10, 40, 30, 1, 0, true, Rect(10, 10, 46, 36), 1},
                      TRectCase{"shadow_scaled", 0, 0, 40, 40, 2, 0, true, Rect(0, 0, 72, 72), 2}),
    [](const auto& info) { return std::string(info.param.Name); });

// --- Thick lines ----------------------------------------------------------------------

struct TThickCase {
    int W;
    std::vector<int> Offsets;   // the rows of a horizontal line, relative to its y
};

class ThickLine : public Canvas, public ::testing::WithParamInterface<TThickCase> {};

TEST_P(ThickLine, ParallelOnePixelLines) {
    const TThickCase& c = GetParam();
    TCanvas* cv = bitmap.Canvas();
    cv->Pen()->SetColor(clRed);
    cv->Pen()->SetWidth(1);
    frxDrawLine(cv, 10, 50, 100, 50, c.W);                 // horizontal: rows around y 50
    frxDrawLine(cv, 60, 60, 60, 110, c.W);                 // vertical: columns around x 60
    for (int d = -4; d <= 4; ++d) {
        const bool drawn = std::find(c.Offsets.begin(), c.Offsets.end(), d) != c.Offsets.end();
        EXPECT_EQ(bitmap.Pixel(30, 50 + d) == clRed, drawn) << "row offset " << d;
        EXPECT_EQ(bitmap.Pixel(60 + d, 80) == clRed, drawn) << "column offset " << d;
    }
    // The end point stays out, as with every line.
    EXPECT_NE(bitmap.Pixel(100, 50), clRed);
}

INSTANTIATE_TEST_SUITE_P(Views, ThickLine,
                         ::testing::Values(TThickCase{0, {0}}, TThickCase{1, {0}}, TThickCase{2, {-1, 0}},
                                           TThickCase{3, {-1, 0, 1}}, TThickCase{4, {-2, -1, 0, 1}}));

// --- Frames and backgrounds -----------------------------------------------------------

struct TFrameCase {
    const char* Name;
    std::function<void(TfrxView&)> Setup;
    std::vector<TPixel> Pixels;
};

class Frames : public Canvas, public ::testing::WithParamInterface<TFrameCase> {};

TEST_P(Frames, Pixels) {
    TfrxView v(nullptr);
    v.SetBounds(10, 10, 20, 10);   // device rectangle (10, 10) - (30, 20)
    v.Frame()->Color = clRed;
    GetParam().Setup(v);
    v.Draw(bitmap.Canvas(), 1, 1, 0, 0);
    Expect(GetParam().Pixels);
}

const TfrxFrameTypes kAll{ftLeft, ftRight, ftTop, ftBottom};

INSTANTIATE_TEST_SUITE_P(
    Views, Frames,
    ::testing::Values(
        TFrameCase{"solid_all_sides",
                   [](TfrxView& v) { v.Frame()->Typ = kAll; },
                   {{10, 15, clRed}, {30, 15, clRed}, {20, 10, clRed}, {20, 20, clRed}, {10, 10, clRed},
                    {20, 15, kPaper}, {9, 15, kPaper}, {31, 15, kPaper}, {20, 21, kPaper}}},
        TFrameCase{"only_the_sides_asked_for",
                   [](TfrxView& v) { v.Frame()->Typ = {ftTop, ftRight}; },
                   {{20, 10, clRed}, {30, 15, clRed}, {10, 15, kPaper}, {20, 20, kPaper}}},
        TFrameCase{"no_lines_without_colour",
                   [](TfrxView& v) {
                       v.Frame()->Typ = kAll;
                       v.Frame()->Color = clNone;
                   },
                   {{10, 15, kPaper}, {20, 10, kPaper}}},
        TFrameCase{"no_lines_at_width_zero",
                   [](TfrxView& v) {
                       v.Frame()->Typ = kAll;
                       v.Frame()->Width = 0;
                   },
                   {{10, 15, kPaper}, {20, 10, kPaper}}},
        TFrameCase{"fill_leaves_right_and_bottom_edges",
                   [](TfrxView& v) { v.SetColor(clBlue); },
                   {{10, 10, clBlue}, {29, 19, clBlue}, {30, 15, kPaper}, {20, 20, kPaper}}},
        TFrameCase{"double_two_rectangles_mitred",
                   [](TfrxView& v) {
                       v.Frame()->Typ = kAll;
                       v.Frame()->Style = fsDouble;
                   },
                   {// outer rectangle, one pixel outside, corners reached
                    {9, 9, clRed}, {9, 15, clRed}, {31, 15, clRed}, {20, 9, clRed}, {20, 21, clRed}, {31, 9, clRed},
                    {9, 21, clRed},
                    // inner rectangle, one pixel inside, stopping short of the corners
                    {11, 11, clRed}, {11, 15, clRed}, {29, 15, clRed}, {20, 11, clRed}, {20, 19, clRed},
                    // the nominal line and the interior keep the ground without a fill
                    {10, 15, kPaper}, {20, 10, kPaper}, {15, 15, kPaper}, {10, 10, kPaper}}},
        TFrameCase{"double_middle_in_fill_colour",
                   [](TfrxView& v) {
                       v.Frame()->Typ = kAll;
                       v.Frame()->Style = fsDouble;
                       v.SetColor(clBlue);
                   },
                   {{9, 15, clRed}, {11, 15, clRed}, {10, 15, clBlue}, {20, 10, clBlue}, {15, 15, clBlue}}},
        TFrameCase{"double_side_alone_not_lengthened",
                   [](TfrxView& v) {
                       v.Frame()->Typ = {ftLeft};
                       v.Frame()->Style = fsDouble;
                   },
                   {{9, 10, clRed}, {11, 10, clRed}, {9, 19, clRed}, {9, 9, kPaper}, {11, 20, kPaper}}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Canvas, DashedFrameOfWidthThreeIsThreeDashedLines) {
    TfrxView v(nullptr);
    v.SetBounds(20, 10, 60, 80);   // left side at x 20, from y 10 to 90
    v.Frame()->Color = clRed;
    v.Frame()->Typ = {ftLeft};
    v.Frame()->Style = fsDash;
    v.Frame()->Width = 3;
    v.Draw(bitmap.Canvas(), 1, 1, 0, 0);
    for (int x : {19, 20, 21}) {
        const std::set<TColor> seen = Column(x, 10, 90);
        EXPECT_TRUE(seen.count(clRed)) << "dashes at x " << x;
        EXPECT_TRUE(seen.count(kPaper)) << "clear gaps at x " << x;
    }
    for (int x : {18, 22}) EXPECT_EQ(Column(x, 0, 120), std::set<TColor>{kPaper}) << "x " << x;
}

TEST_F(Canvas, DashGapsTakeTheFillColour) {
    TfrxView v(nullptr);
    v.SetBounds(20, 10, 60, 80);
    v.Frame()->Color = clRed;
    v.Frame()->Typ = {ftLeft};
    v.Frame()->Style = fsDashDot;
    v.SetColor(clBlue);
    v.Draw(bitmap.Canvas(), 1, 1, 0, 0);
    EXPECT_EQ(Column(20, 10, 90), (std::set<TColor>{clRed, clBlue}));
}

TEST_F(Canvas, DropShadowKeepsTheOuterBounds) {
    TfrxView v(nullptr);
    v.SetBounds(10, 10, 40, 30);   // outer bounds (10, 10) - (50, 40); frame and fill end at 46, 36
    v.Frame()->Typ = kAll;
    v.Frame()->Color = clRed;
    v.Frame()->DropShadow = true;
    v.Frame()->ShadowColor = clBlack;
    v.SetColor(clLime);
    v.Draw(bitmap.Canvas(), 1, 1, 0, 0);
    Expect({// the frame's right and bottom sides moved in by the shadow's width
            {46, 12, clRed}, {20, 36, clRed}, {45, 20, clLime}, {20, 35, clLime},
            // the shadow fills the four pixels to the right and below, inside the bounds
            {47, 20, clBlack}, {49, 20, clBlack}, {20, 37, clBlack}, {20, 39, clBlack}, {49, 39, clBlack},
            {50, 20, kPaper}, {20, 40, kPaper},
            // it starts one shadow width down and right of the corner
            {48, 13, kPaper}, {48, 14, clBlack}, {13, 38, kPaper}, {14, 38, clBlack}});
}

TEST_F(Canvas, ShadowWithoutFrameLines) {
    TfrxView v(nullptr);
    v.SetBounds(10, 10, 40, 30);
    v.Frame()->DropShadow = true;
    v.Frame()->ShadowColor = clBlue;
    v.Draw(bitmap.Canvas(), 1, 1, 0, 0);
    Expect({{48, 20, clBlue}, {20, 38, clBlue}, {46, 12, kPaper}});
}

TEST_F(Canvas, NoColourAndSolidBrushLeaveTheBackground) {
    TfrxView v(nullptr);
    v.SetBounds(10, 10, 60, 60);
    v.Draw(bitmap.Canvas(), 1, 1, 0, 0);
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 120; ++x) ASSERT_EQ(bitmap.Pixel(x, y), kPaper) << x << "," << y;
}

TEST_F(Canvas, HatchWithoutColourInFrameColourInsideWhiteOutline) {
    TfrxView v(nullptr);
    v.SetBounds(10, 10, 60, 60);   // outline (10, 10) - (70, 70) inclusive
    v.SetBrushStyle(bsCross);
    v.Frame()->Color = clBlue;
    v.Draw(bitmap.Canvas(), 1, 1, 0, 0);
    Expect({{10, 30, clWhite}, {70, 30, clWhite}, {30, 10, clWhite}, {30, 70, clWhite}, {71, 30, kPaper}});
    std::set<TColor> inside;
    for (int y = 11; y < 70; ++y)
        for (int x = 11; x < 70; ++x) inside.insert(bitmap.Pixel(x, y));
    EXPECT_EQ(inside, (std::set<TColor>{clBlue, kPaper}));
}

TEST_F(Canvas, HatchOverFillKeepsTheFillBetweenLines) {
    TfrxView v(nullptr);
    v.SetBounds(10, 10, 60, 60);
    v.SetBrushStyle(bsHorizontal);
    v.SetColor(clYellow);
    v.Frame()->Color = clBlue;
    v.Draw(bitmap.Canvas(), 1, 1, 0, 0);
    Expect({{10, 30, clYellow}, {70, 30, clYellow}});   // the outline in the fill colour
    EXPECT_EQ(Column(40, 11, 70), (std::set<TColor>{clBlue, clYellow}));
}

// --- Shapes ---------------------------------------------------------------------------

struct TShapeCase {
    const char* Name;
    TfrxShapeKind Kind;
    TColor Fill;
    std::vector<TPixel> Pixels;
};

class Shapes : public Canvas, public ::testing::WithParamInterface<TShapeCase> {};

TEST_P(Shapes, Pixels) {
    const TShapeCase& c = GetParam();
    TfrxShapeView s(nullptr);
    s.SetBounds(10, 10, 60, 40);   // device rectangle (10, 10) - (70, 50)
    s.Shape = c.Kind;
    s.Frame()->Color = clRed;
    s.SetColor(c.Fill);
    s.Draw(bitmap.Canvas(), 1, 1, 0, 0);
    Expect(c.Pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Views, Shapes,
    ::testing::Values(
        TShapeCase{"rectangle_includes_right_and_bottom", skRectangle, clNone,
                   {{10, 30, clRed}, {70, 30, clRed}, {40, 50, clRed}, {40, 30, kPaper}, {71, 30, kPaper}}},
        TShapeCase{"rectangle_filled", skRectangle, clBlue, {{40, 30, clBlue}, {10, 30, clRed}}},
        TShapeCase{"ellipse", skEllipse, clBlue,
                   {{40, 30, clBlue}, {11, 11, kPaper}, {69, 49, kPaper}, {10, 30, clRed}, {40, 10, clRed}}},
        TShapeCase{"triangle_apex_at_top_centre", skTriangle, clBlue,
                   {{40, 10, clRed}, {40, 40, clBlue}, {12, 12, kPaper}, {68, 12, kPaper}, {40, 50, clRed}}},
        TShapeCase{"diamond", skDiamond, clBlue,
                   {{40, 30, clBlue}, {12, 12, kPaper}, {40, 10, clRed}, {10, 30, clRed}}},
        TShapeCase{"diagonal_rising", skDiagonal1, clNone,
                   {{10, 50, clRed}, {40, 30, clRed}, {10, 10, kPaper}, {40, 40, kPaper}}},
        TShapeCase{"diagonal_falling", skDiagonal2, clNone,
                   {{10, 10, clRed}, {40, 30, clRed}, {10, 49, kPaper}}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ShapeView, DesignCreationTakesTheShapeFromTheFlags) {
    TfrxShapeView s(nullptr, static_cast<uint16_t>(skDiamond));
    EXPECT_EQ(s.Shape, skDiamond);
    EXPECT_TRUE(s.IsDesigning());
    EXPECT_FALSE(s.StoreInFull);
}

// --- Lines ----------------------------------------------------------------------------

struct TLineCase {
    const char* Name;
    double Width, Height;
    double ExpectedWidth, ExpectedHeight;
    TfrxFrameType Side;
};

class StraightLine : public ::testing::TestWithParam<TLineCase> {};

TEST_P(StraightLine, NormalisesWhenDrawn) {
    const TLineCase& c = GetParam();
    TBitmap bitmap(100, 100);
    TfrxLineView line(nullptr);
    line.SetBounds(10, 10, c.Width, c.Height);
    line.Draw(bitmap.Canvas(), 1, 1, 0, 0);
    EXPECT_EQ(line.Width(), c.ExpectedWidth);
    EXPECT_EQ(line.Height(), c.ExpectedHeight);
    EXPECT_EQ(line.Frame()->Typ, TfrxFrameTypes{c.Side});
}

INSTANTIATE_TEST_SUITE_P(Views, StraightLine,
                         ::testing::Values(TLineCase{"taller_becomes_vertical", 10, 50, 0, 50, ftLeft},
                                           TLineCase{"wider_becomes_horizontal", 50, 10, 50, 0, ftTop},
                                           TLineCase{"square_is_vertical", 30, 30, 0, 30, ftLeft},
                                           TLineCase{"leftwards_stays_horizontal", -50, 0, -50, 0, ftTop},
                                           TLineCase{"upwards_stays_vertical", 0, -40, 0, -40, ftLeft}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Canvas, LinesDrawInTheFrameStyle) {
    TfrxLineView vertical(nullptr);
    vertical.SetBounds(20, 10, 0, 60);
    vertical.Frame()->Color = clRed;
    vertical.Frame()->Width = 3;
    vertical.Frame()->Style = fsDouble;
    vertical.Draw(bitmap.Canvas(), 1, 1, 0, 0);
    // A double line of width 3: two lines of three pixels at three pixels from x 20.
    Expect({{16, 40, clRed}, {18, 40, clRed}, {22, 40, clRed}, {24, 40, clRed}, {20, 40, kPaper}});

    TfrxLineView diagonal(nullptr, 1);
    EXPECT_TRUE(diagonal.Diagonal);
    diagonal.SetBounds(60, 60, 40, 40);
    diagonal.Frame()->Color = clBlue;
    diagonal.Draw(bitmap.Canvas(), 1, 1, 0, 0);
    EXPECT_EQ(diagonal.Width(), 40);   // diagonals keep their size
    Expect({{60, 60, clBlue}, {80, 80, clBlue}, {99, 99, clBlue}, {60, 99, kPaper}});
}

}  // namespace
