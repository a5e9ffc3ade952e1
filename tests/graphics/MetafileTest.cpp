// The recording canvas: replays to the same pixels, scales and offsets, lists its text
// runs with bounds, and keeps Windows metafile bytes it cannot draw.
#include "PixelHelpers.h"

#include "platform/graphics/Metafile.h"
#include "platform/graphics/TextMeasurer.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// A page of everything a report draws: frames, dashes, hatches, shapes, clip, text.
void DrawPage(TCanvas& c) {
    c.Pen()->SetColor(clBlack);
    c.Brush()->SetColor(clYellow);
    c.Rectangle(2, 2, 30, 20);
    c.Pen()->SetStyle(psDash);
    c.Brush()->SetColor(clRed);
    c.MoveTo(0, 25);
    c.LineTo(60, 25);
    c.Pen()->SetStyle(psSolid);
    c.Brush()->SetStyle(bsDiagCross);
    c.Brush()->SetColor(clBlue);
    c.Rectangle(35, 2, 58, 20);
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(clLime);
    c.Ellipse(2, 28, 20, 46);
    c.Polygon({{25, 46}, {40, 28}, {55, 46}});
    c.SetClipRect(Rect(0, 48, 30, 60));
    c.Brush()->SetColor(clAqua);
    c.FillRect(Rect(0, 48, 60, 60));
    c.ResetClip();
    c.Font()->SetName("Arial");
    c.Font()->SetHeight(-11);
    c.Brush()->SetStyle(bsClear);
    c.TextOut(32, 48, "Total");
}

bool SamePixels(const TBitmap& a, const TBitmap& b, std::string& where) {
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) {
                where = std::to_string(x) + "," + std::to_string(y);
                return false;
            }
    return true;
}

}  // namespace

TEST(Metafile, ReplayGivesTheSamePixelsAsDirectDrawing) {
    TBitmap direct(60, 60);
    DrawPage(*direct.Canvas());

    TMetafile mf;
    {
        TMetafileCanvas recording(&mf);
        EXPECT_TRUE(recording.IsRecording());
        DrawPage(recording);
    }
    EXPECT_FALSE(mf.Empty());
    TBitmap replayed(60, 60);
    mf.Play(*replayed.Canvas(), 1, 1, 0, 0);
    std::string where;
    EXPECT_TRUE(SamePixels(direct, replayed, where)) << "first difference at " << where;
    EXPECT_EQ(Picture(direct, 0, 0, 1, 1), ".\n");
}

TEST(Metafile, ReplayScalesAndOffsets) {
    TMetafile mf;
    {
        TMetafileCanvas c(&mf);
        c.Brush()->SetColor(clBlack);
        c.FillRect(Rect(1, 1, 3, 2));
        c.Pen()->SetColor(clRed);
        c.MoveTo(0, 3);
        c.LineTo(3, 3);
    }
    TBitmap b(10, 10);
    mf.Play(*b.Canvas(), 2, 2, 3, 1);
    EXPECT_EQ(Picture(b, 0, 0, 10, 10, clBlack, clRed),
              "..........\n"
              "..........\n"
              "..........\n"
              ".....####.\n"
              ".....####.\n"
              "..........\n"
              "..........\n"
              "...oooooo.\n"
              "..........\n"
              "..........\n");
}

TEST(Metafile, PlayRestoresTheTargetCanvas) {
    TMetafile mf;
    {
        TMetafileCanvas c(&mf);
        c.Pen()->SetColor(clRed);
        c.SetClipRect(Rect(0, 0, 1, 1));
        c.MoveTo(0, 0);
        c.LineTo(5, 0);
    }
    TBitmap b(8, 2);
    TCanvas& t = *b.Canvas();
    t.Pen()->SetColor(clBlue);
    t.SetClipRect(Rect(0, 0, 8, 2));
    mf.Play(t, 1, 1, 0, 0);
    EXPECT_EQ(t.Pen()->Color(), clBlue);
    EXPECT_EQ(t.ClipRect(), Rect(0, 0, 8, 2));
    EXPECT_EQ(Picture(b, 0, 0, 8, 1, clBlack, clRed), "o.......\n");   // the recorded clip held
}

TEST(Metafile, TextRunsWithTheirBounds) {
    TFakeTextMeasurer fake;
    TMetafile mf;
    {
        TMetafileCanvas c(&mf);
        c.SetTextMeasurer(&fake);
        c.Font()->SetHeight(-10);
        c.TextOut(10, 20, "收费 12");
        c.Font()->SetOrientation(900);
        c.TextOut(100, 100, "ab");
        c.Font()->SetOrientation(0);
        const int advances[] = {7, 7, 7};
        TRect clip = Rect(0, 0, 50, 50);
        c.ExtTextOut(5, 30, ETO_CLIPPED, &clip, "xyz", advances);
        TRect r = Rect(0, 60, 100, 90);
        c.DrawText("left right", r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    }
    std::vector<TTextRun> runs = mf.TextRuns();
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0].Text, "收费 12");
    EXPECT_EQ(runs[0].Bounds, Rect(10, 20, 10 + 20 + 3 + 12, 32));
    EXPECT_EQ(runs[1].Bounds, Rect(100, 100 - 12, 112, 100));   // turned up from the origin
    EXPECT_EQ(runs[2].Bounds, Rect(5, 30, 26, 42));
    // "left right" is 57 wide and 12 high, centred in 100 x 30 at (0, 60).
    EXPECT_EQ(runs[3].Bounds, Rect(21, 69, 78, 81));
    EXPECT_EQ(mf.Records()[static_cast<size_t>(runs[3].RecordIndex)].Kind, mrText);
}

TEST(Metafile, DrawsAsAGraphicStretchedIntoItsRectangle) {
    TMetafile mf;
    {
        TMetafileCanvas c(&mf);
        c.Brush()->SetColor(clBlack);
        c.FillRect(Rect(0, 0, 2, 2));
    }
    mf.SetWidth(4);
    mf.SetHeight(4);
    TBitmap b(8, 8);
    b.Canvas()->StretchDraw(Rect(0, 0, 8, 8), &mf);
    EXPECT_EQ(CountColour(b, clBlack), 16);
    EXPECT_EQ(b.Pixel(3, 3), clBlack);
    EXPECT_EQ(b.Pixel(4, 4), clWhite);
}

TEST(Metafile, WindowsMetafilesLoadEmptyWithTheReasonAndKeepTheirBytes) {
    // A placeable WMF header (22 bytes) with a 2 x 1 inch frame at 1440 units per inch.
    TBytes wmf = {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 0x40, 0x0B, 0xA0, 0x05, 0xA0, 0x05, 0, 0, 0, 0, 0, 0,
                  1, 0, 9, 0, 0, 3};
    TPicture picture;
    picture.LoadFromBytes(wmf);
    auto* mf = dynamic_cast<TMetafile*>(picture.Graphic());
    ASSERT_NE(mf, nullptr);
    EXPECT_TRUE(picture.Empty());
    EXPECT_EQ(mf->LoadError(), TMetafile::UnsupportedFormatText);
    EXPECT_EQ(mf->Width(), 192);
    EXPECT_EQ(mf->Height(), 96);
    EXPECT_EQ(picture.SaveToBytes(), wmf);
    TBitmap b(4, 4);
    b.Canvas()->StretchDraw(Rect(0, 0, 4, 4), mf);   // draws nothing, raises nothing
    EXPECT_EQ(CountColour(b, clWhite), 16);
    TMetafile other;
    EXPECT_THROW(other.LoadFromBytes(TBytes{1, 2, 3, 4}), EInvalidGraphic);
}
