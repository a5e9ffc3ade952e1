// Text measuring (the fake measurer's exact advances, the real one over the pinned
// fonts), DrawText layout and text drawn where it was measured.
#include "PixelHelpers.h"

#include "platform/graphics/QtBridge.h"
#include "platform/graphics/TextMeasurer.h"

#include <QFontInfo>
#include <gtest/gtest.h>

namespace {

TFont FontOf(const char* name, int height, TFontStyles style = {}) {
    TFont f;
    f.SetName(name);
    f.SetHeight(height);
    f.SetStyle(style);
    return f;
}

}  // namespace

TEST(FakeMeasurer, ExactAdvancesPerCharacterClass) {
    TFakeTextMeasurer m;
    struct Case {
        const char* Text;
        int Height;
        TFontStyles Style;
        std::vector<int> Extents;
    };
    const Case cases[] = {
        {"ab c", -100, {}, {60, 120, 150, 210}},
        {"中文a", -100, {}, {100, 200, 260}},
        {"ab", -100, {fsBold}, {66, 132}},
        {"aaa", -10, {}, {6, 12, 18}},
        {"aaa", -15, {}, {9, 18, 27}},            // 0.6 em = 9 each
        {"a a", -5, {}, {3, 5, 8}},               // 3, 1.5, 3: cumulative 3, 4.5, 7.5 rounded
        {"", -100, {}, {}},
    };
    for (const Case& c : cases) {
        TFont f = FontOf("Arial", c.Height, c.Style);
        EXPECT_EQ(m.Extents(f, c.Text), c.Extents) << c.Text << " at " << c.Height;
    }
    TTextMetric metric = m.Metrics(FontOf("Arial", -100));
    EXPECT_EQ(metric.Height, 120);
    EXPECT_EQ(metric.Ascent, 95);
    EXPECT_EQ(metric.Descent, 25);
    EXPECT_EQ(metric.InternalLeading, 20);
}

TEST(FakeMeasurer, DrivesCanvasMeasuringAndDrawText) {
    TFakeTextMeasurer m;
    TBitmap b(10, 10);
    TCanvas& c = *b.Canvas();
    c.SetTextMeasurer(&m);
    c.Font()->SetHeight(-10);
    EXPECT_EQ(c.TextWidth("abcd"), 24);
    EXPECT_EQ(c.TextHeight("abcd"), 12);
    EXPECT_EQ(c.TextExtents("ab"), (std::vector<int>{6, 12}));

    struct Case {
        const char* Text;
        unsigned Format;
        TRect In;
        TRect Out;
        int Height;
    };
    const Case cases[] = {
        {"abc def", DT_SINGLELINE | DT_CALCRECT, Rect(0, 0, 10, 10), Rect(0, 0, 39, 12), 12},
        {"abc def", DT_WORDBREAK | DT_CALCRECT, Rect(0, 0, 30, 10), Rect(0, 0, 18, 24), 24},
        {"abc def ghi", DT_WORDBREAK | DT_CALCRECT, Rect(5, 5, 50, 5), Rect(5, 5, 44, 29), 24},
        {"abcdefghij", DT_WORDBREAK | DT_CALCRECT, Rect(0, 0, 30, 0), Rect(0, 0, 60, 12), 12},
        {"a\r\nbb\nccc", DT_CALCRECT, Rect(0, 0, 5, 5), Rect(0, 0, 18, 36), 36},
        {"&Open", DT_SINGLELINE | DT_CALCRECT, Rect(0, 0, 5, 5), Rect(0, 0, 24, 12), 12},
        {"&Open", DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX, Rect(0, 0, 5, 5), Rect(0, 0, 30, 12), 12},
    };
    for (const Case& k : cases) {
        TRect r = k.In;
        EXPECT_EQ(c.DrawText(k.Text, r, k.Format), k.Height) << k.Text;
        EXPECT_EQ(r, k.Out) << k.Text;
    }
}

TEST(RealMeasurer, PinnedFontsResolveToTheInstalledFaces) {
    struct Case {
        const char* Name;
        const char* Family;
    };
    const Case cases[] = {
        {"Arial", "Liberation Sans"},         {"Times New Roman", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},   {"MS Sans Serif", "Liberation Sans"},
        {"Tahoma", "DejaVu Sans"},            {"宋体", "WenQuanYi Micro Hei"},
        {"SimSun", "WenQuanYi Micro Hei"},    {"黑体", "WenQuanYi Micro Hei"},
    };
    for (const Case& c : cases) {
        QFontInfo info(ToQFont(FontOf(c.Name, -13)));
        EXPECT_EQ(info.family().toStdString(), c.Family) << c.Name;
    }
}

TEST(RealMeasurer, ExtentsAreCumulativeAndMatchTheWidth) {
    const TTextMeasurer& m = QtTextMeasurer();
    for (const char* name : {"Arial", "Courier New", "宋体"}) {
        TFont f = FontOf(name, -83);   // 10 points at 600 dpi
        std::string text = "Receipt 收费单 No. 0012";
        std::vector<int> e = m.Extents(f, text);
        ASSERT_EQ(e.size(), 20u) << name;
        for (size_t i = 1; i < e.size(); ++i) EXPECT_GE(e[i], e[i - 1]) << name;
        EXPECT_EQ(m.Width(f, text), e.back());
        EXPECT_GT(m.Metrics(f).Height, 83) << name;
    }
    // Metric-compatible: Liberation Mono advances are 0.6 em, as Courier New's.
    TFont mono = FontOf("Courier New", -100);
    EXPECT_EQ(m.Extents(mono, "MMMM"), (std::vector<int>{60, 120, 180, 240}));
    // Ideographs are one em wide in the CJK face.
    EXPECT_EQ(m.Width(FontOf("宋体", -100), "收费"), 200);
}

TEST(RealMeasurer, TextIsDrawnWhereItWasMeasured) {
    TBitmap b(200, 40);
    TCanvas& c = *b.Canvas();
    c.Font()->SetName("Arial");
    c.Font()->SetHeight(-20);
    c.Font()->SetColor(clBlack);
    c.Brush()->SetStyle(bsClear);
    c.TextOut(10, 5, "HHHH");
    int width = c.TextWidth("HHHH");
    EXPECT_EQ(c.PenPos(), Point(10 + width, 5));
    int minX = 1000, maxX = -1, minY = 1000, maxY = -1;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x)
            if (b.Pixel(x, y) != clWhite) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
    ASSERT_GE(maxX, 0) << "nothing drawn";
    EXPECT_GE(minX, 10);
    EXPECT_LE(maxX, 10 + width);
    EXPECT_GE(minY, 5);
    EXPECT_LE(maxY, 5 + c.TextHeight("H"));
    EXPECT_GT(maxX - minX, width * 3 / 4);
}

TEST(RealMeasurer, OpaqueTextPaintsItsCell) {
    TBitmap b(100, 30);
    TCanvas& c = *b.Canvas();
    c.Font()->SetName("Arial");
    c.Font()->SetHeight(-12);
    c.Brush()->SetColor(clRed);
    c.TextOut(5, 5, "ab");
    TSize size = c.TextExtent("ab");
    EXPECT_EQ(b.Pixel(5, 5), clRed);
    EXPECT_EQ(b.Pixel(5 + size.cx - 1, 5 + size.cy - 1), clRed);
    EXPECT_EQ(b.Pixel(5 + size.cx, 5), clWhite);
    EXPECT_EQ(b.Pixel(5, 5 + size.cy), clWhite);
}

TEST(RealMeasurer, ExplicitAdvancesPlaceEachCharacter) {
    TBitmap b(120, 30);
    TCanvas& c = *b.Canvas();
    c.Font()->SetName("Arial");
    c.Font()->SetHeight(-16);
    c.Brush()->SetStyle(bsClear);
    const int advances[] = {40, 40, 40};
    c.ExtTextOut(0, 5, 0, nullptr, "III", advances);
    // Three narrow strokes near x = 0, 40 and 80, nothing between them.
    auto inked = [&](int x0, int x1) {
        for (int x = x0; x < x1; ++x)
            for (int y = 0; y < 30; ++y)
                if (b.Pixel(x, y) != clWhite) return true;
        return false;
    };
    EXPECT_TRUE(inked(0, 10));
    EXPECT_FALSE(inked(12, 38));
    EXPECT_TRUE(inked(40, 50));
    EXPECT_FALSE(inked(52, 78));
    EXPECT_TRUE(inked(80, 90));
}

TEST(RealMeasurer, RotatedTextTurnsCounterClockwise) {
    TBitmap b(60, 120);
    TCanvas& c = *b.Canvas();
    c.Font()->SetName("Arial");
    c.Font()->SetHeight(-20);
    c.Font()->SetOrientation(900);
    c.Brush()->SetStyle(bsClear);
    c.TextOut(10, 110, "HHHH");
    // Turned a quarter to the left about (10, 110): the run goes up from y = 110 and
    // lies right of x = 10.
    int minX = 1000, maxY = -1, minY = 1000;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 60; ++x)
            if (b.Pixel(x, y) != clWhite) {
                minX = std::min(minX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
    ASSERT_GE(maxY, 0);
    EXPECT_GE(minX, 10);
    EXPECT_LE(maxY, 110);
    EXPECT_LT(minY, 110 - c.TextWidth("HHHH") * 3 / 4);
}
