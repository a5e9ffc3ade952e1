// The flat button: placement of glyph and caption, HSL arithmetic and the derived colours,
// grouping, clicking, mouse tracking, glyph strips, painting and its published defaults.
#include "app/widgets/FlatButton.h"
#include "app/widgets/HSLUtils.h"
#include "platform/classes/Classes.h"
#include "platform/ui/Forms.h"
#include "platform/ui/UiTest.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// --- Placement ---------------------------------------------------------------------------------
struct LayoutCase {
    const char* name;
    TSize glyph;
    TSize text;
    TButtonLayout layout;
    int margin;
    int spacing;
    TPoint offset;
    TPoint glyphPos;
    TRect textBounds;
};

class FlatButtonLayout : public ::testing::TestWithParam<LayoutCase> {};

// Client 100 x 40 at (0, 0) unless the case moves it.
TEST_P(FlatButtonLayout, PlacesGlyphAndCaption) {
    const LayoutCase& c = GetParam();
    const TButtonPlacement p =
        CalcButtonLayout(Rect(0, 0, 100, 40), c.offset, c.glyph, c.text, c.layout, c.margin, c.spacing);
    EXPECT_EQ(p.GlyphPos, c.glyphPos);
    EXPECT_EQ(p.TextBounds, c.textBounds);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FlatButtonLayout,
    ::testing::Values(
        // centred block: 16 + 4 + 30 = 50 in 100 leaves 25 each side
        LayoutCase{"left_centred", {16, 16}, {30, 12}, blGlyphLeft, -1, 4, {}, {25, 12}, {45, 14, 75, 26}},
        LayoutCase{"right_centred", {16, 16}, {30, 12}, blGlyphRight, -1, 4, {}, {59, 12}, {25, 14, 55, 26}},
        // vertical: 16 + 4 + 12 = 32 in 40 leaves 4 each side
        LayoutCase{"top_centred", {16, 16}, {30, 12}, blGlyphTop, -1, 4, {}, {42, 4}, {35, 24, 65, 36}},
        LayoutCase{"bottom_centred", {16, 16}, {30, 12}, blGlyphBottom, -1, 4, {}, {42, 20}, {35, 4, 65, 16}},
        // margin and spacing both -1: (100 - 46) / 3 = 18 each
        LayoutCase{"thirds", {16, 16}, {30, 12}, blGlyphLeft, -1, -1, {}, {18, 12}, {52, 14, 82, 26}},
        // a margin with spacing -1: (100 - 5 - 46) / 2 = 24 between glyph and caption
        LayoutCase{"margin_spread", {16, 16}, {30, 12}, blGlyphLeft, 5, -1, {}, {5, 12}, {45, 14, 75, 26}},
        LayoutCase{"margin_spacing", {16, 16}, {30, 12}, blGlyphLeft, 3, 2, {}, {3, 12}, {21, 14, 51, 26}},
        // without a caption the spacing does not count: the glyph alone is centred
        LayoutCase{"glyph_only", {16, 16}, {0, 0}, blGlyphLeft, -1, 4, {}, {42, 12}, {58, 20, 58, 20}},
        LayoutCase{"caption_only", {0, 0}, {30, 12}, blGlyphTop, -1, 4, {}, {50, 14}, {35, 14, 65, 26}},
        // a pressed button moves both one pixel right and down
        LayoutCase{"pressed", {16, 16}, {30, 12}, blGlyphLeft, -1, 4, {1, 1}, {26, 13}, {46, 15, 76, 27}}),
    [](const auto& info) { return std::string(info.param.name); });

// --- HSL -----------------------------------------------------------------------------------------
struct HslCase {
    const char* name;
    TColor rgb;
    int h, s, l;
};

class HslRange : public ::testing::TestWithParam<HslCase> {};

TEST_P(HslRange, ConvertsOnThe240Scale) {
    const HslCase& c = GetParam();
    int h = -1, s = -1, l = -1;
    RGBtoHSLRange(c.rgb, h, s, l);
    EXPECT_EQ(h, c.h);
    EXPECT_EQ(s, c.s);
    EXPECT_EQ(l, c.l);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HslRange,
    ::testing::Values(HslCase{"black", RGB(0, 0, 0), 0, 0, 0},
                      HslCase{"white", RGB(255, 255, 255), 0, 0, 240},
                      HslCase{"red", RGB(255, 0, 0), 0, 240, 120},
                      HslCase{"green", RGB(0, 255, 0), 80, 240, 120},
                      HslCase{"blue", RGB(0, 0, 255), 159, 240, 120},
                      // the button face: H 0.15 of 239, S 0.2, L 0.902
                      HslCase{"face", RGB(235, 234, 225), 36, 48, 216},
                      // a system colour is resolved before converting
                      HslCase{"system_white", clWindow, 0, 0, 240}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HslRange, ConvertsBackToTheSameColours) {
    for (TColor c : {RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 0, 0), RGB(128, 128, 128), RGB(90, 90, 90)}) {
        int h, s, l;
        RGBtoHSLRange(c, h, s, l);
        EXPECT_EQ(HSLRangeToRGB(h, s, l), c) << ColorToString(c);
    }
}

// The face colour RGB(234, 234, 234) has lightness 220 on the 240 scale. Lightening adds
// 10 and then the percentage, and the sum is capped at 100: a light face gets a dark
// focused colour. The cap stays as it is; stored forms and their look depend on it.
TEST(FlatButtonColors, LightenAndDarkenOnThe240Scale) {
    const TColor face = RGB(234, 234, 234);
    int h, s, l;
    RGBtoHSLRange(face, h, s, l);
    ASSERT_EQ(l, 220);
    const TColor old = RGB(1, 2, 3);
    EXPECT_EQ(LightenFlatColor(face, old, 10), HSLRangeToRGB(h, s, 100));
    EXPECT_EQ(LightenFlatColor(face, old, 10), RGB(106, 106, 106));
    EXPECT_EQ(DarkenFlatColor(face, old, 10), HSLRangeToRGB(h, s, 220));
    EXPECT_EQ(DarkenFlatColor(face, old, 50), HSLRangeToRGB(h, s, 180));
    // a dark face: 20 + 10 + 10 stays below the cap; darkening floors at 0
    EXPECT_EQ(LightenFlatColor(RGB(20, 20, 20), old, 10), HSLRangeToRGB(0, 0, 39));
    EXPECT_EQ(DarkenFlatColor(RGB(20, 20, 20), old, 50), RGB(0, 0, 0));
    // percentage 0 keeps the old colour
    EXPECT_EQ(LightenFlatColor(face, old, 0), old);
    EXPECT_EQ(DarkenFlatColor(face, old, 0), old);
}

// --- Buttons on a form ---------------------------------------------------------------------------
class FlatButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(100, 100, 300, 200);
        form->SetColor(RGB(234, 234, 234));
        // The real cursor is nowhere near these buttons.
        TFlatButton::SetCursorControlSource([]() -> TControl* { return nullptr; });
    }
    void TearDown() override {
        TFlatButton::SetCursorControlSource(nullptr);
        form.reset();
    }
    TFlatButton* AddButton(int group = 0) {
        auto* b = new TFlatButton(form.get());
        b->SetParent(form.get());
        b->SetBounds(10 + 70 * count++, 10, 60, 30);
        b->SetGroupIndex(group);
        return b;
    }
    static void ClickAt(TFlatButton* b, int x, int y) {
        b->MouseDown(mbLeft, ssLeft, x, y);
        b->MouseUp(mbLeft, 0, x, y);
    }
    std::unique_ptr<TForm> form;
    int count = 0;
};

TEST_F(FlatButtonTest, StartsWithItsPublishedDefaults) {
    TFlatButton* b = AddButton();
    EXPECT_EQ(b->Width(), 60);
    EXPECT_EQ(b->Layout(), blGlyphTop);
    EXPECT_EQ(b->Margin(), -1);
    EXPECT_EQ(b->Spacing(), 4);
    EXPECT_EQ(b->NumGlyphs(), 1);
    EXPECT_EQ(b->TransparentMode(), tmNone);
    EXPECT_EQ(b->ColorDown(), RGB(217, 214, 197));
    EXPECT_EQ(b->ColorBorder(), RGB(160, 150, 131));
    EXPECT_TRUE(b->ParentColor());
    EXPECT_EQ(b->Color(), RGB(234, 234, 234));   // the parent's colour
    EXPECT_FALSE(b->TabStop());
    TFlatButton fresh(nullptr);
    EXPECT_EQ(fresh.Width(), 25);
    EXPECT_EQ(fresh.Height(), 25);
}

TEST_F(FlatButtonTest, WithoutGroupNeverStaysDown) {
    TFlatButton* b = AddButton();
    b->SetDown(true);
    EXPECT_FALSE(b->Down());
    b->MouseDown(mbLeft, ssLeft, 5, 5);
    EXPECT_EQ(b->State(), fbsDown);
    EXPECT_TRUE(b->IsDragging());
    b->MouseUp(mbLeft, 0, 5, 5);
    EXPECT_EQ(b->State(), fbsUp);
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(b->IsDragging());
}

// Dragging out of the button shows it up, back in down; releasing outside is no click.
TEST_F(FlatButtonTest, ReleasingOutsideIsNoClick) {
    TFlatButton* b = AddButton();
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    b->MouseDown(mbLeft, ssLeft, 5, 5);
    b->MouseMove(ssLeft, 80, 5);
    EXPECT_EQ(b->State(), fbsUp);
    b->MouseMove(ssLeft, 6, 6);
    EXPECT_EQ(b->State(), fbsDown);
    b->MouseMove(ssLeft, 80, 5);
    b->MouseUp(mbLeft, 0, 80, 5);
    EXPECT_EQ(clicks, 0);
    ClickAt(b, 5, 5);
    EXPECT_EQ(clicks, 1);
    // the right button does nothing
    b->MouseDown(mbRight, ssRight, 5, 5);
    b->MouseUp(mbRight, 0, 5, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(b->State(), fbsUp);
}

TEST_F(FlatButtonTest, PressingOneOfAGroupReleasesTheOther) {
    TFlatButton* a = AddButton(1);
    TFlatButton* b = AddButton(1);
    TFlatButton* other = AddButton(2);
    other->SetDown(true);
    ClickAt(a, 5, 5);
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(a->State(), fbsExclusive);
    ClickAt(b, 5, 5);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(a->State(), fbsUp);
    EXPECT_TRUE(other->Down()) << "another group is not touched";
    // AllowAllUp false: clicking the down button again keeps it down
    ClickAt(b, 5, 5);
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(b->State(), fbsExclusive);
    b->SetDown(false);
    EXPECT_TRUE(b->Down());
    // AllowAllUp set on one is copied to the group, so either can be released
    a->SetAllowAllUp(true);
    EXPECT_TRUE(b->AllowAllUp());
    ClickAt(b, 5, 5);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(b->State(), fbsUp);
}

TEST_F(FlatButtonTest, SpaceAndAcceleratorPress) {
    TFlatButton* plain = AddButton();
    TFlatButton* grouped = AddButton(3);
    grouped->SetAllowAllUp(true);
    grouped->SetCaption("帮助(&H)");
    int clicks = 0;
    grouped->OnClick = [&](TObject*) { ++clicks; };
    uint16_t key = VK_SPACE;
    plain->KeyDown(key, 0);
    EXPECT_EQ(plain->State(), fbsDown);
    key = VK_SPACE;
    plain->KeyUp(key, 0);
    EXPECT_EQ(plain->State(), fbsUp);
    key = VK_SPACE;
    grouped->KeyDown(key, 0);
    EXPECT_TRUE(grouped->Down());
    key = VK_SPACE;
    grouped->KeyUp(key, 0);
    EXPECT_FALSE(grouped->Down());
    EXPECT_FALSE(grouped->DialogChar(U'x'));
    EXPECT_TRUE(grouped->DialogChar(U'h'));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(grouped->Down());
    grouped->SetEnabled(false);
    EXPECT_FALSE(grouped->DialogChar(U'h'));
    EXPECT_EQ(clicks, 1);
}

TEST_F(FlatButtonTest, ClickHandsItsModalResultToTheForm) {
    TFlatButton* b = AddButton();
    b->SetModalResult(mrOk);
    ClickAt(b, 5, 5);
    EXPECT_EQ(form->ModalResult(), mrOk);
}

// A double click counts only while the button is down.
TEST_F(FlatButtonTest, DoubleClickOnlyWhileDown) {
    TFlatButton* b = AddButton(4);
    int doubles = 0;
    b->OnDblClick = [&](TObject*) { ++doubles; };
    b->DblClick();
    EXPECT_EQ(doubles, 0);
    b->SetDown(true);
    b->DblClick();
    EXPECT_EQ(doubles, 1);
}

// The mouse leaving into another window sends no move over the button: the shared timer's
// next tick finds another control under the cursor and returns the button to its idle look.
TEST_F(FlatButtonTest, TimerNoticesTheMouseLeaving) {
    form->Show();
    TFlatButton* a = AddButton();
    TFlatButton* b = AddButton();
    TControl* under = a;
    TFlatButton::SetCursorControlSource([&] { return under; });
    a->MouseMove(0, 5, 5);
    EXPECT_TRUE(a->MouseInControl());
    EXPECT_EQ(TFlatButton::CurrentButton(), a);
    EXPECT_TRUE(TFlatButton::TrackingTimerActive());
    TFlatButton::TrackingTimerTick();
    EXPECT_TRUE(a->MouseInControl()) << "still under the cursor";
    // moving onto the next button leaves the first at once
    under = b;
    b->MouseMove(0, 5, 5);
    EXPECT_FALSE(a->MouseInControl());
    EXPECT_TRUE(b->MouseInControl());
    // into another window
    under = nullptr;
    TFlatButton::TrackingTimerTick();
    EXPECT_FALSE(b->MouseInControl());
    EXPECT_FALSE(TFlatButton::TrackingTimerActive());
    // and back in
    under = b;
    b->MouseMove(0, 5, 5);
    EXPECT_TRUE(b->MouseInControl());
}

TEST_F(FlatButtonTest, DisablingClearsTheHoverAndTheTimer) {
    form->Show();
    TFlatButton* b = AddButton();
    TFlatButton::SetCursorControlSource([&]() -> TControl* { return b; });
    b->MouseMove(0, 5, 5);
    ASSERT_TRUE(b->MouseInControl());
    b->SetEnabled(false);
    EXPECT_EQ(b->State(), fbsDisabled);
    EXPECT_FALSE(b->MouseInControl());
    EXPECT_FALSE(TFlatButton::TrackingTimerActive());
    EXPECT_EQ(TFlatButton::CurrentButton(), nullptr);
    // enabling looks at the cursor again
    b->SetEnabled(true);
    EXPECT_EQ(b->State(), fbsUp);
    EXPECT_TRUE(b->MouseInControl());
}

TEST_F(FlatButtonTest, DestroyingTheHoveredButtonDetachesIt) {
    form->Show();
    TFlatButton* b = AddButton();
    TFlatButton::SetCursorControlSource([&]() -> TControl* { return b; });
    b->MouseMove(0, 5, 5);
    ASSERT_EQ(TFlatButton::CurrentButton(), b);
    delete b;
    EXPECT_EQ(TFlatButton::CurrentButton(), nullptr);
    EXPECT_FALSE(TFlatButton::TrackingTimerActive());
    TFlatButton::TrackingTimerTick();   // nothing left to look at
}

struct StripCase {
    int width;
    int before;
    int expected;
};

TEST_F(FlatButtonTest, GlyphStripSetsNumGlyphs) {
    const StripCase cases[] = {{64, 1, 4}, {80, 1, 1}, {48, 1, 3}, {16, 3, 1}, {20, 2, 2}, {32, 1, 2}};
    for (const StripCase& c : cases) {
        TFlatButton* b = AddButton();
        b->SetNumGlyphs(c.before);
        TBitmap strip(c.width, 16);
        b->SetGlyph(&strip);
        EXPECT_EQ(b->NumGlyphs(), c.expected) << c.width << " x 16";
    }
    TFlatButton* b = AddButton();
    b->SetNumGlyphs(5);
    EXPECT_EQ(b->NumGlyphs(), 1);
    b->SetMargin(-2);
    EXPECT_EQ(b->Margin(), -1);
}

TEST_F(FlatButtonTest, UseAdvColorsDerivesFromTheFace) {
    TFlatButton* b = AddButton();
    b->SetUseAdvColors(true);
    EXPECT_TRUE(b->ParentColor());
    EXPECT_EQ(b->Color(), RGB(234, 234, 234));
    EXPECT_EQ(b->ColorFocused(), RGB(106, 106, 106));   // lightness capped at 100
    EXPECT_EQ(b->ColorDown(), DarkenFlatColor(RGB(234, 234, 234), 0, 10));
    EXPECT_EQ(b->ColorBorder(), DarkenFlatColor(RGB(234, 234, 234), 0, 50));
    // a new parent colour is followed
    form->SetColor(RGB(20, 20, 20));
    EXPECT_EQ(b->Color(), RGB(20, 20, 20));
    EXPECT_EQ(b->ColorFocused(), LightenFlatColor(RGB(20, 20, 20), 0, 10));
    // without UseAdvColors the colours stay as set
    TFlatButton* plain = AddButton();
    plain->SetColorFocused(clRed);
    form->SetColor(RGB(40, 40, 40));
    EXPECT_EQ(plain->ColorFocused(), clRed);
}

// --- Painting ---------------------------------------------------------------------------------
class FlatButtonPaint : public FlatButtonTest {
protected:
    TBitmap Paint(TFlatButton* b) {
        TBitmap target(b->Width(), b->Height());
        b->PaintTo(target.Canvas());
        return target;
    }
    // A 16 x 16 glyph: a red 8 x 8 square on a fuchsia background (the bottom-left pixel
    // is the transparent colour).
    static TBitmap Square() {
        TBitmap g(16, 16);
        g.Canvas()->Brush()->SetColor(clFuchsia);
        g.Canvas()->FillRect(Rect(0, 0, 16, 16));
        g.Canvas()->Brush()->SetColor(clRed);
        g.Canvas()->FillRect(Rect(4, 4, 12, 12));
        return g;
    }
};

TEST_F(FlatButtonPaint, FaceAndBorderFollowTheState) {
    TFlatButton* b = AddButton(5);
    b->SetAllowAllUp(true);
    const TColor face = RGB(234, 234, 234);

    TBitmap idle = Paint(b);
    EXPECT_EQ(idle.Pixel(0, 0), b->ColorBorder());
    EXPECT_EQ(idle.Pixel(59, 29), b->ColorBorder());
    EXPECT_EQ(idle.Pixel(1, 1), face);
    EXPECT_EQ(idle.Pixel(30, 15), face);

    b->SetDefault(true);
    TBitmap def = Paint(b);
    EXPECT_EQ(def.Pixel(1, 1), b->ColorBorder()) << "a default button has a 2-pixel border";
    EXPECT_EQ(def.Pixel(2, 2), face);
    b->SetDefault(false);

    b->TrackingEnter();
    TBitmap hover = Paint(b);
    EXPECT_EQ(hover.Pixel(0, 0), b->ColorHighLight());
    EXPECT_EQ(hover.Pixel(59, 29), b->ColorShadow());
    EXPECT_EQ(hover.Pixel(30, 15), b->ColorFocused());

    b->MouseDown(mbLeft, ssLeft, 5, 5);
    TBitmap pressed = Paint(b);
    EXPECT_EQ(pressed.Pixel(0, 0), b->ColorShadow());
    EXPECT_EQ(pressed.Pixel(59, 29), b->ColorHighLight());
    EXPECT_EQ(pressed.Pixel(30, 15), b->ColorDown());
    b->MouseUp(mbLeft, 0, 5, 5);
    ASSERT_EQ(b->State(), fbsExclusive);
    b->TrackingLeave();
    EXPECT_EQ(Paint(b).Pixel(30, 15), b->ColorDown()) << "latched down, mouse away";

    b->SetEnabled(false);
    TBitmap disabled = Paint(b);
    EXPECT_EQ(disabled.Pixel(0, 0), b->ColorBorder());
    EXPECT_EQ(disabled.Pixel(30, 15), face);
}

TEST_F(FlatButtonPaint, GlyphIsCentredAndMovesWhenPressed) {
    TFlatButton* b = AddButton();
    TBitmap glyph = Square();
    b->SetGlyph(&glyph);
    b->SetLayout(blGlyphLeft);
    // no caption: the 16 x 16 glyph is centred at (22, 7); its red square at (26..33, 11..18)
    TBitmap up = Paint(b);
    EXPECT_EQ(up.Pixel(26, 11), clRed);
    EXPECT_EQ(up.Pixel(33, 18), clRed);
    EXPECT_EQ(up.Pixel(25, 11), RGB(234, 234, 234)) << "the glyph background is transparent";
    EXPECT_EQ(up.Pixel(34, 18), RGB(234, 234, 234));
    b->MouseDown(mbLeft, ssLeft, 5, 5);
    TBitmap down = Paint(b);
    EXPECT_EQ(down.Pixel(26, 11), b->ColorDown());
    EXPECT_EQ(down.Pixel(27, 12), clRed);
    EXPECT_EQ(down.Pixel(34, 19), clRed);
}

TEST_F(FlatButtonPaint, DisabledGlyphIsEmbossed) {
    TFlatButton* b = AddButton();
    TBitmap glyph = Square();
    b->SetGlyph(&glyph);
    b->SetLayout(blGlyphLeft);
    b->SetEnabled(false);
    TBitmap disabled = Paint(b);
    // the square in the shadow colour in place, its highlight copy one pixel right and down
    EXPECT_EQ(disabled.Pixel(26, 11), ColorToRGB(clBtnShadow));
    EXPECT_EQ(disabled.Pixel(33, 18), ColorToRGB(clBtnShadow));
    EXPECT_EQ(disabled.Pixel(34, 19), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(disabled.Pixel(25, 10), RGB(234, 234, 234));
    // a strip with a disabled image uses it instead
    TBitmap strip(32, 16);
    strip.Canvas()->Brush()->SetColor(clFuchsia);
    strip.Canvas()->FillRect(Rect(0, 0, 32, 16));
    strip.Canvas()->Brush()->SetColor(clBlue);
    strip.Canvas()->FillRect(Rect(20, 4, 28, 12));   // in the second image
    b->SetGlyph(&strip);
    ASSERT_EQ(b->NumGlyphs(), 2);
    TBitmap fromStrip = Paint(b);
    EXPECT_EQ(fromStrip.Pixel(26, 11), clBlue);
}

// Text is drawn smoothed, so its pixels are judged by their hue: blue ones for a blue font,
// ones well darker than the face for the engraved disabled caption (button shadow).
TEST_F(FlatButtonPaint, CaptionIsDrawnInTheFont) {
    auto bluish = [](TColor c) { return GetBValue(c) > GetRValue(c) + 60 && GetBValue(c) > GetGValue(c) + 60; };
    auto dark = [](TColor c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 600; };
    TFlatButton* b = AddButton();
    b->SetCaption("帮助");
    b->Font()->SetColor(clBlue);
    TBitmap up = Paint(b);
    int blue = 0;
    for (int y = 1; y < up.Height() - 1; ++y)
        for (int x = 1; x < up.Width() - 1; ++x)
            if (bluish(up.Pixel(x, y))) ++blue;
    EXPECT_GT(blue, 20);
    b->SetEnabled(false);
    TBitmap disabled = Paint(b);
    int blueLeft = 0, grey = 0;
    for (int y = 1; y < disabled.Height() - 1; ++y)
        for (int x = 1; x < disabled.Width() - 1; ++x) {
            if (bluish(disabled.Pixel(x, y))) ++blueLeft;
            if (dark(disabled.Pixel(x, y))) ++grey;
        }
    EXPECT_EQ(blueLeft, 0);
    EXPECT_GT(grey, 20);
}

// Through the window system: the button has a widget that shows its painting, and a real
// click (press and release through Qt's event path) clicks it exactly once.
TEST_F(FlatButtonPaint, ShowsOnScreenAndClicksOnce) {
    TUiTestHarness harness;
    TFlatButton* b = AddButton();
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    TUiTestHarness::ProcessMessages();
    EXPECT_EQ(TUiTestHarness::PixelAt(b, {0, 0}), b->ColorBorder());
    EXPECT_EQ(TUiTestHarness::PixelAt(b, {30, 15}), RGB(234, 234, 234));
    TUiTestHarness::Click(b);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(b->State(), fbsUp);
    // Alt and the caption's accelerator letter press it too
    b->SetCaption("帮助(&H)");
    TUiTestHarness::TypeKey(form.get(), 'H', ssAlt);
    EXPECT_EQ(clicks, 2);
}

// --- Form resources ---------------------------------------------------------------------------
TEST(FlatButtonStreaming, ReadsAndWritesOnlyWhatDiffersFromTheDefaults) {
    const char* text =
        "object FlatButton1: TFlatButton\n"
        "  Left = 8\n"
        "  Top = 8\n"
        "  Width = 75\n"
        "  Height = 25\n"
        "  Caption = '帮助'\n"
        "  ColorBorder = clBtnFace\n"
        "  Layout = blGlyphLeft\n"
        "  Spacing = 2\n"
        "  GroupIndex = 1\n"
        "  TransparentMode = tmNotFocused\n"
        "end\n";
    std::unique_ptr<TComponent> read(CreateComponentFromText(text, nullptr));
    auto* b = dynamic_cast<TFlatButton*>(read.get());
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->Caption(), "帮助");
    EXPECT_EQ(b->ColorBorder(), clBtnFace);
    EXPECT_EQ(b->Layout(), blGlyphLeft);
    EXPECT_EQ(b->Spacing(), 2);
    EXPECT_EQ(b->GroupIndex(), 1);
    EXPECT_EQ(b->TransparentMode(), tmNotFocused);
    EXPECT_EQ(b->Margin(), -1);
    const std::string written = WriteComponentToText(b);
    for (const char* present : {"Layout = blGlyphLeft", "Spacing = 2", "ColorBorder = clBtnFace",
                                "TransparentMode = tmNotFocused", "GroupIndex = 1"})
        EXPECT_NE(written.find(present), std::string::npos) << present << "\n" << written;
    for (const char* absent : {"Margin", "NumGlyphs", "ColorDown", "AdvColor", "UseAdvColors", "Down ="})
        EXPECT_EQ(written.find(absent), std::string::npos) << absent << "\n" << written;
}

// A glyph strip survives the form resource: its pixels stream as Glyph.Data.
TEST(FlatButtonStreaming, GlyphRoundTrips) {
    TFlatButton b(nullptr);
    b.SetName("FlatButton1");
    TBitmap strip(32, 16);
    strip.Canvas()->Brush()->SetColor(clFuchsia);
    strip.Canvas()->FillRect(Rect(0, 0, 32, 16));
    strip.Canvas()->Brush()->SetColor(clBlue);
    strip.Canvas()->FillRect(Rect(20, 4, 28, 12));
    b.SetGlyph(&strip);
    ASSERT_EQ(b.NumGlyphs(), 2);
    const std::string text = WriteComponentToText(&b);
    EXPECT_NE(text.find("Glyph.Data"), std::string::npos) << text;
    EXPECT_NE(text.find("NumGlyphs = 2"), std::string::npos) << text;
    std::unique_ptr<TComponent> read(CreateComponentFromText(text, nullptr));
    auto* copy = dynamic_cast<TFlatButton*>(read.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Glyph()->Width(), 32);
    EXPECT_EQ(copy->Glyph()->Height(), 16);
    EXPECT_EQ(copy->Glyph()->Pixel(24, 8), clBlue);
    EXPECT_EQ(copy->Glyph()->Pixel(0, 15), clFuchsia);
    EXPECT_EQ(copy->NumGlyphs(), 2);
}

}  // namespace
