// Drawing from scripts: a bitmap's canvas with pens, brushes and fonts, checked by its
// pixels; pictures drawn on pictures; recordings on a metafile canvas.
#include "tests/script/core_helpers.h"

#include "platform/graphics/Graphics.h"
#include "platform/graphics/Metafile.h"

#include <gtest/gtest.h>

namespace {

template <class T>
T* ScriptObject(TfsScript& script, const std::string& name) {
    const Variant v = script.Variables(name);
    return v.IsObject() ? dynamic_cast<T*>(TObject::TryFromHandle(v.ObjectValue())) : nullptr;
}

TEST(ScriptGraphics, CanvasDrawingReachesTheBitmapsPixels) {
    TestScript t;
    ASSERT_EQ(t.Run("var B, Small: TBitmap;\n"
                    "begin B := TBitmap.Create; B.Width := 40; B.Height := 30;\n"
                    "  B.Canvas.Brush.Color := clRed; B.Canvas.Pen.Color := clBlue; B.Canvas.Rectangle(2, 2, 10, 10);\n"
                    "  B.Canvas.Pen.Color := clBlack; B.Canvas.MoveTo(0, 20); B.Canvas.LineTo(12, 20);\n"
                    "  B.Canvas.Pixels[30, 5] := clLime; Out(B.Canvas.Pixels[30, 5] = clLime);\n"
                    "  Out(B.Canvas.Pixels[-1, 0] = clNone); Out(B.Width); Out(B.Height);\n"
                    "  Small := TBitmap.Create; Small.Width := 3; Small.Height := 3;\n"
                    "  Small.Canvas.Brush.Color := clYellow; Small.Canvas.Pen.Style := psClear;\n"
                    "  Small.Canvas.Rectangle(0, 0, 4, 4); B.Canvas.Draw(20, 20, Small);\n"
                    "  B.Canvas.StretchDraw(30, 20, 36, 26, Small); Small.Free;\n"
                    "  B.Canvas.Font.Size := 10; Out(B.Canvas.TextWidth('WW') > B.Canvas.TextWidth('W'));\n"
                    "  Out(B.Canvas.TextHeight('X') > 5) end."),
              "True True 40 30 True True");
    TBitmap* b = ScriptObject<TBitmap>(t.Script, "B");
    ASSERT_NE(b, nullptr);
    struct Pixel {
        int X, Y;
        TColor Color;
    } pixels[] = {{2, 2, clBlue},  {9, 9, clBlue},    {5, 5, clRed},     {10, 10, clWhite}, {0, 20, clBlack},
                  {11, 20, clBlack}, {12, 20, clWhite}, {30, 5, clLime},   {21, 21, clYellow}, {23, 23, clWhite},
                  {35, 25, clYellow}, {36, 26, clWhite}};
    for (const Pixel& p : pixels) EXPECT_EQ(b->Pixel(p.X, p.Y), p.Color) << p.X << "," << p.Y;
    delete b;
}

TEST(ScriptGraphics, TextAndEllipseDrawWithTheCanvasFontAndBrush) {
    TestScript t;
    ASSERT_EQ(t.Run("var B: TBitmap;\n"
                    "begin B := TBitmap.Create; B.Width := 60; B.Height := 30;\n"
                    "  B.Canvas.Brush.Style := bsClear; B.Canvas.Font.Color := clBlack; B.Canvas.Font.Size := 14;\n"
                    "  B.Canvas.Font.Style := [fsBold]; B.Canvas.TextOut(2, 2, 'H');\n"
                    "  B.Canvas.Brush.Style := bsSolid; B.Canvas.Brush.Color := clGreen; B.Canvas.Pen.Style := psClear;\n"
                    "  B.Canvas.Ellipse(40, 5, 58, 25) end."),
              "");
    TBitmap* b = ScriptObject<TBitmap>(t.Script, "B");
    ASSERT_NE(b, nullptr);
    int dark = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            if (b->Pixel(x, y) == clBlack) ++dark;
    EXPECT_GT(dark, 10);
    EXPECT_EQ(b->Pixel(49, 15), clGreen);
    EXPECT_EQ(b->Pixel(40, 5), clWhite);
    delete b;
}

// A metafile canvas records into its metafile; once the script frees the metafile, the
// canvas no longer draws (an error, not a write into freed memory).
TEST(ScriptGraphics, MetafileCanvasRecordsAndLetsGoOfAFreedMetafile) {
    TestScript t;
    ASSERT_EQ(t.Run("var M: TMetafile; C: TMetafileCanvas; B: TBitmap;\n"
                    "begin M := TMetafile.Create; C := TMetafileCanvas.Create(M, 0); C.Brush.Color := clNavy;\n"
                    "  C.Rectangle(0, 0, 10, 10); C.Free; Out(M.Width); B := TBitmap.Create; B.Width := 20;\n"
                    "  B.Height := 20; B.Canvas.Draw(5, 5, M); Out(B.Canvas.Pixels[10, 10] = clNavy); B.Free;\n"
                    "  C := TMetafileCanvas.Create(M, 0); M.Free; C.Rectangle(0, 0, 5, 5) end."),
              "10 True error: Canvas does not allow drawing");
}

}  // namespace
