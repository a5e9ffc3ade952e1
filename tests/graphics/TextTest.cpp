// Text measuring (the fake measurer's exact advances, the real one over the pinned
// fonts), DrawText layout, text drawn where it was measured, and texts with advances drawn
// as glyph runs giving the pixels of Qt's own character-by-character drawing.
#include "PixelHelpers.h"
#include "TextReference.h"

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

namespace {

struct TGlyphRunCase {
    const char* Name;
    const char* FontName;
    int Height;   // pixels: 12 is 9 points at 100 %, 18 the same at 150 %
    TFontStyles Style;
    const char* Text;
    int Spread;   // added to every advance (a line widened or squeezed to its layout width)
    bool Clipped; // clipped to a rectangle that cuts through the text
    TColor Color;
};

class GlyphRunText : public ::testing::TestWithParam<TGlyphRunCase> {};

// A text with advances gives, pixel for pixel within anti-aliasing, what drawing each
// character alone at its place gives.
TEST_P(GlyphRunText, SamePixelsAsEachCharacterDrawnAlone) {
    const TGlyphRunCase& t = GetParam();
    const int w = 520, h = 3 * std::abs(t.Height);
    TFont font = FontOf(t.FontName, t.Height, t.Style);
    font.SetColor(t.Color);
    TBitmap drawn(w, h);
    TCanvas& c = *drawn.Canvas();
    c.Brush()->SetColor(clWhite);
    c.FillRect(Rect(0, 0, w, h));
    c.Font()->Assign(font);
    c.Brush()->SetStyle(bsClear);
    std::vector<int> advances;
    int previous = 0;
    for (int e : c.TextExtents(t.Text)) {
        advances.push_back(e - previous + t.Spread);
        previous = e;
    }
    const TRect clip = Rect(20, 4, w / 2, h - 4);
    const int x = 10, y = std::abs(t.Height) / 2;
    c.ExtTextOut(x, y, t.Clipped ? unsigned(ETO_CLIPPED) : 0u, t.Clipped ? &clip : nullptr, t.Text, advances.data());

    TBitmap reference(w, h);
    BitmapImage(reference).fill(Qt::white);
    DrawEachCharacter(reference, font, x, y, t.Text, advances, t.Clipped ? &clip : nullptr);

    EXPECT_GT(InkedPixels(drawn), 20 * Length(t.Text) / 2);
    EXPECT_EQ(DifferentPixels(drawn, reference, 0), 0);
}

const TGlyphRunCase kGlyphRunCases[] = {
    {"Latin100", "Arial", -12, {}, "Amount due: 43.50  Receipt No.240307001", 0, false, clBlack},
    {"Latin150", "Arial", -18, {}, "Amount due: 43.50  Receipt No.240307001", 0, false, clBlack},
    {"Chinese100", "宋体", -12, {}, "门诊收费收据 姓名：张三 合计：肆拾叁元伍角整", 0, false, clBlack},
    {"Chinese150", "宋体", -18, {}, "门诊收费收据 姓名：张三 合计：肆拾叁元伍角整", 0, false, clBlack},
    {"ChineseInALatinFont", "Arial", -16, {}, "阿莫西林 12.5 元 (盒)", 0, false, clBlack},
    {"Bold", "Arial", -16, TFontStyles{fsBold}, "Total 1,262.50", 0, false, clBlack},
    {"Italic", "Times New Roman", -18, TFontStyles{fsItalic}, "fifty-four fj", 0, false, clBlack},
    {"Spread", "Arial", -12, {}, "spread to its layout width", 2, false, clBlack},
    {"Squeezed", "宋体", -18, {}, "收费员：tulvo 1.5倍", -1, false, clBlack},
    {"Clipped", "Arial", -18, {}, "clipped at both ends of the rectangle", 0, true, clBlack},
    {"Coloured", "Arial", -12, {}, "red 红色", 0, false, clRed},
};
INSTANTIATE_TEST_SUITE_P(Texts, GlyphRunText, ::testing::ValuesIn(kGlyphRunCases),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace

// The underline and the strike-out of a text with advances run under the whole text, its
// blanks included, from its origin to the end of its last advance.
TEST(GlyphRunText, UnderlineAndStrikeOutRunUnderTheWholeText) {
    for (TFontStyle style : {fsUnderline, fsStrikeOut}) {
        SCOPED_TRACE(style == fsUnderline ? "underline" : "strike-out");
        TBitmap b(300, 40);
        TCanvas& c = *b.Canvas();
        c.Brush()->SetColor(clWhite);
        c.FillRect(Rect(0, 0, 300, 40));
        c.Font()->Assign(FontOf("Arial", -16, TFontStyles{style}));
        c.Brush()->SetStyle(bsClear);
        const std::vector<int> advances = {10, 30, 30, 10, 40, 10};   // "a  b c": wide blanks
        c.ExtTextOut(20, 8, 0, nullptr, "a  b c", advances.data());
        // The line is the row with the most ink; it is inked from x = 20 to 20 + 130 - 1.
        int row = -1, most = 0;
        for (int y = 0; y < 40; ++y) {
            int n = 0;
            for (int x = 0; x < 300; ++x) n += b.Pixel(x, y) != clWhite;
            if (n > most) most = n, row = y;
        }
        ASSERT_GE(row, 0);
        for (int x = 20; x < 150; ++x) EXPECT_NE(b.Pixel(x, row), clWhite) << x;
        EXPECT_EQ(b.Pixel(19, row), clWhite);
        EXPECT_EQ(b.Pixel(150, row), clWhite);
        const int baseline = 8 + c.TextMetrics().Ascent;
        if (style == fsUnderline) EXPECT_GT(row, baseline - 1);
        else EXPECT_LT(row, baseline);
    }
}
