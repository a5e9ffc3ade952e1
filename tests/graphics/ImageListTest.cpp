// Image lists: a strip becomes cells, the mask colour turns transparent, drawing by
// index leaves transparent pixels alone.
#include "PixelHelpers.h"

#include "platform/graphics/ImageList.h"

#include <gtest/gtest.h>

TEST(ImageList, AddMaskedCutsTheStripAndDrawsByIndex) {
    // A 3-cell strip of 2 x 2 images on a fuchsia ground: cell 0 has a red pixel at
    // (0, 0), cell 1 is all black, cell 2 is all fuchsia (fully transparent).
    TBitmap strip(6, 2);
    strip.Canvas()->Brush()->SetColor(clFuchsia);
    strip.Canvas()->FillRect(Rect(0, 0, 6, 2));
    strip.SetPixel(0, 0, clRed);
    strip.Canvas()->Brush()->SetColor(clBlack);
    strip.Canvas()->FillRect(Rect(2, 0, 4, 2));

    TImageList list(2, 2);
    int changes = 0;
    list.OnChange = [&](TImageList*) { ++changes; };
    EXPECT_EQ(list.AddMasked(strip, clFuchsia), 0);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(list.IsTransparent(0, 1, 1));
    EXPECT_FALSE(list.IsTransparent(0, 0, 0));
    EXPECT_TRUE(list.IsTransparent(2, 0, 0));

    TBitmap target(8, 2);
    for (int i = 0; i < 3; ++i) list.Draw(target.Canvas(), i * 2, 0, i);
    list.Draw(target.Canvas(), 6, 0, 7);   // out of range: nothing
    EXPECT_EQ(Picture(target, 0, 0, 8, 2, clBlack, clRed),
              "o.##....\n"
              "..##....\n");

    TBitmap cell;
    ASSERT_TRUE(list.GetBitmap(1, cell));
    EXPECT_EQ(cell.Width(), 2);
    EXPECT_EQ(cell.Pixel(1, 1), clBlack);
    EXPECT_FALSE(list.GetBitmap(3, cell));
    list.Delete(0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_THROW(list.Delete(5), EListError);
}

TEST(ImageList, DisabledImagesAreGreyedAndKeepTransparency) {
    TBitmap image(2, 1);
    image.SetPixel(0, 0, clBlack);
    image.SetPixel(1, 0, clFuchsia);
    TImageList list(2, 1);
    list.AddMasked(image, clFuchsia);
    TBitmap target(2, 1);
    list.Draw(target.Canvas(), 0, 0, 0, false);
    TColor grey = target.Pixel(0, 0);
    EXPECT_EQ(GetRValue(grey), GetGValue(grey));
    EXPECT_GT(GetRValue(grey), 100);
    EXPECT_LT(GetRValue(grey), 200);
    EXPECT_EQ(target.Pixel(1, 0), clWhite);
}
