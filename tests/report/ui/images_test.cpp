// The shared image lists, strip cutting, transparent and stretched drawing, and the icon
// of non-visual report components.
#include <gtest/gtest.h>

#include "platform/graphics/Metafile.h"
#include "platform/ui/ImgList.h"
#include "report/DataSet.h"
#include "report/Images.h"
#include "report/Resources.h"
#include "report/Utils.h"

namespace {

constexpr TColor kFuchsia = 0xFF00FF;
constexpr TColor kGrey = 0xE0E0E0;

TColor ImagePixel(const TImageListComponent* list, int index, int x, int y) {
    TBitmap b;
    EXPECT_TRUE(list->List().GetBitmap(index, b));
    return b.Pixel(x, y);
}

int OpaquePixels(const TImageListComponent* list, int index) {
    int n = 0;
    for (int y = 0; y < list->Height(); ++y)
        for (int x = 0; x < list->Width(); ++x) n += !list->List().IsTransparent(index, x, y);
    return n;
}

TEST(ImageLists, SizesCountsAndPictures) {
    TfrxResources& res = frxResources();
    struct Case {
        const char* name;
        TImageListComponent* list;
        int size, count;
    };
    const Case cases[] = {{"buttons", res.MainButtonImages(), 16, frxButton::Count},
                          {"greyed_buttons", res.DisabledButtonImages(), 16, frxButton::Count},
                          {"objects", res.ObjectImages(), 22, frxObject::Count}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.list->Width(), c.size);
        EXPECT_EQ(c.list->Height(), c.size);
        ASSERT_EQ(c.list->Count(), c.count);
        for (int i = 0; i < c.count; ++i) {
            // Every picture shows something and leaves some of its cell transparent.
            const int opaque = OpaquePixels(c.list, i);
            EXPECT_GT(opaque, 0) << "image " << i;
            EXPECT_LT(opaque, c.size * c.size) << "image " << i;
        }
    }
    EXPECT_EQ(res.GetButtonImages(), res.MainButtonImages());
    EXPECT_EQ(res.GetObjectImages(), res.ObjectImages());
}

TEST(ImageLists, GreyedTwinHasTheSameShapeInGrey) {
    TImageListComponent* main = frxResources().MainButtonImages();
    TImageListComponent* grey = frxResources().DisabledButtonImages();
    for (int i = 0; i < main->Count(); ++i)
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                ASSERT_EQ(main->List().IsTransparent(i, x, y), grey->List().IsTransparent(i, x, y))
                    << "image " << i << " at " << x << "," << y;
                if (grey->List().IsTransparent(i, x, y)) continue;
                const TColor c = ImagePixel(grey, i, x, y);
                const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
                ASSERT_TRUE(r == g && g == b) << "image " << i;
                ASSERT_NE(c, TColor(0xFFFFFF)) << "white stays in image " << i;
                ASSERT_GE(r, 128);
            }
}

TEST(ImageLists, PicturesDifferFromEachOther) {
    // A painter written twice or left out would repeat a picture.
    for (TImageListComponent* list : {frxResources().MainButtonImages(), frxResources().ObjectImages()}) {
        std::vector<std::string> seen;
        for (int i = 0; i < list->Count(); ++i) {
            std::string key;
            for (int y = 0; y < list->Height(); ++y)
                for (int x = 0; x < list->Width(); ++x)
                    key += list->List().IsTransparent(i, x, y) ? "." : std::to_string(ImagePixel(list, i, x, y));
            for (size_t j = 0; j < seen.size(); ++j) EXPECT_NE(seen[j], key) << "images " << j << " and " << i;
            seen.push_back(key);
        }
    }
}

// A strip of 3 x 2 cells of 4 x 4 pixels: cell k is filled with colour k + 1, has a
// white pixel at (1, 1) and a transparent one at (3, 3); two more pixel columns at the
// right do not make a whole cell.
TBitmap TestStrip() {
    TBitmap strip(14, 8);
    for (int cell = 0; cell < 6; ++cell) {
        const int x0 = (cell % 3) * 4, y0 = (cell / 3) * 4;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) strip.SetPixel(x0 + x, y0 + y, TColor(cell + 1));
        strip.SetPixel(x0 + 1, y0 + 1, 0xFFFFFF);
        strip.SetPixel(x0 + 3, y0 + 3, kFuchsia);
    }
    strip.SetTransparentColor(kFuchsia);
    return strip;
}

TEST(AssignImages, CutsRowByRowAndPairs) {
    struct Case {
        const char* name;
        bool pairs;
        std::vector<int> main, pair;   // the cells each list receives
    };
    const Case cases[] = {{"single", false, {0, 1, 2, 3, 4, 5}, {}}, {"pairs", true, {0, 2, 4}, {1, 3, 5}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBitmap strip = TestStrip();
        TImageListComponent main(nullptr), pair(nullptr);
        main.SetWidth(4);
        main.SetHeight(4);
        pair.SetWidth(4);
        pair.SetHeight(4);
        frxAssignImages(&strip, 4, 4, &main, c.pairs ? &pair : nullptr);
        ASSERT_EQ(main.Count(), int(c.main.size()));
        ASSERT_EQ(pair.Count(), int(c.pair.size()));
        for (size_t i = 0; i < c.main.size(); ++i) {
            EXPECT_EQ(ImagePixel(&main, int(i), 0, 0), TColor(c.main[i] + 1));
            EXPECT_EQ(ImagePixel(&main, int(i), 1, 1), TColor(0xFFFFFF));
            EXPECT_TRUE(main.List().IsTransparent(int(i), 3, 3));
            EXPECT_FALSE(main.List().IsTransparent(int(i), 0, 0));
        }
        for (size_t i = 0; i < c.pair.size(); ++i) {
            EXPECT_EQ(ImagePixel(&pair, int(i), 0, 0), TColor(c.pair[i] + 1));
            EXPECT_EQ(ImagePixel(&pair, int(i), 1, 1), kGrey);
            EXPECT_TRUE(pair.List().IsTransparent(int(i), 3, 3));
        }
    }
}

TEST(AssignImages, StringTableListsTakeOtherStrips) {
    TfrxResources& res = frxResources();
    TImageListComponent* main = res.MainButtonImages();
    TBitmap strip(32, 16);   // one pair of 16 x 16 cells
    strip.SetPixel(0, 0, 0x0000FF);
    strip.SetTransparentColor(kFuchsia);
    res.SetButtonImages(&strip);
    EXPECT_EQ(main->Count(), frxButton::Count + 1);
    EXPECT_EQ(res.DisabledButtonImages()->Count(), frxButton::Count + 1);
    EXPECT_EQ(ImagePixel(main, frxButton::Count, 0, 0), TColor(0x0000FF));
    res.SetButtonImages(&strip, true);
    EXPECT_EQ(main->Count(), 1);
    EXPECT_EQ(ImagePixel(res.DisabledButtonImages(), 0, 5, 5), kGrey);

    TBitmap objects(44, 22);
    objects.SetTransparentColor(kFuchsia);
    res.SetObjectImages(&objects);
    EXPECT_EQ(res.ObjectImages()->Count(), frxObject::Count + 2);
    // Emptied lists fill again from the program's own pictures on the next read.
    TBitmap none;
    res.SetButtonImages(&none, true);
    res.SetObjectImages(&none, true);
    EXPECT_EQ(res.MainButtonImages()->Count(), frxButton::Count);
    EXPECT_EQ(res.DisabledButtonImages()->Count(), frxButton::Count);
    EXPECT_EQ(res.ObjectImages()->Count(), frxObject::Count);
}

// A single picture (a wizard's button) gets its greyed drawing as its twin, so that the
// pair of a strip added after it lands at one index in both lists.
TEST(AssignImages, APictureWithoutTwinKeepsTheListsInStep) {
    TfrxResources& res = frxResources();
    TImageListComponent* main = res.MainButtonImages();
    TImageListComponent* grey = res.DisabledButtonImages();
    TBitmap single(16, 16);
    single.Canvas()->Brush()->SetColor(0x0000FF);   // red, white in the bottom row
    single.Canvas()->FillRect(TRect{0, 0, 16, 16});
    for (int x = 0; x < 16; ++x) single.SetPixel(x, 15, 0xFFFFFF);
    single.SetPixel(0, 0, kFuchsia);
    single.SetTransparentColor(kFuchsia);
    res.SetButtonImages(&single);
    ASSERT_EQ(main->Count(), frxButton::Count + 1);
    ASSERT_EQ(grey->Count(), frxButton::Count + 1);
    // Red's luminance (76) half way to white, white the twins' light grey; the transparent
    // corner stays transparent.
    EXPECT_EQ(ImagePixel(grey, frxButton::Count, 5, 5), TColor(0xA6A6A6));
    EXPECT_EQ(ImagePixel(grey, frxButton::Count, 5, 15), kGrey);
    EXPECT_TRUE(grey->List().IsTransparent(frxButton::Count, 0, 0));
    TBitmap pair(32, 16);
    pair.Canvas()->Brush()->SetColor(0x00FF00);
    pair.Canvas()->FillRect(TRect{0, 0, 32, 16});
    pair.SetPixel(16, 0, 0xFF0000);
    pair.SetTransparentColor(kFuchsia);
    res.SetButtonImages(&pair);
    ASSERT_EQ(main->Count(), frxButton::Count + 2);
    ASSERT_EQ(grey->Count(), frxButton::Count + 2);
    EXPECT_EQ(ImagePixel(main, frxButton::Count + 1, 0, 0), TColor(0x00FF00));
    EXPECT_EQ(ImagePixel(grey, frxButton::Count + 1, 0, 0), TColor(0xFF0000));
    TBitmap none;
    res.SetButtonImages(&none, true);
    EXPECT_EQ(res.MainButtonImages()->Count(), frxButton::Count);
    EXPECT_EQ(res.DisabledButtonImages()->Count(), frxButton::Count);
}

TEST(DrawPictures, TransparentColourIsLeftOut) {
    TBitmap target(10, 10);
    target.Canvas()->Brush()->SetColor(0x00FF00);
    target.Canvas()->FillRect(TRect{0, 0, 10, 10});
    TBitmap picture(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) picture.SetPixel(x, y, x == 0 ? kFuchsia : TColor(0x0000FF));
    picture.SetTransparentColor(kFuchsia);
    frxDrawTransparent(target.Canvas(), 3, 2, &picture);
    EXPECT_EQ(target.Pixel(3, 2), TColor(0x00FF00));   // transparent column
    EXPECT_EQ(target.Pixel(4, 2), TColor(0x0000FF));
    EXPECT_EQ(target.Pixel(6, 5), TColor(0x0000FF));
    EXPECT_EQ(target.Pixel(7, 5), TColor(0x00FF00));   // outside the picture
    EXPECT_EQ(target.Pixel(4, 6), TColor(0x00FF00));
}

TEST(DrawPictures, GraphicsAreStretchedIntoTheRectangle) {
    // A 2 x 2 picture of four colours, as a bitmap, a PNG picture and a recording.
    const TColor colours[2][2] = {{0x0000FF, 0x00FF00}, {0xFF0000, 0x00FFFF}};
    TBitmap bitmap(2, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) bitmap.SetPixel(x, y, colours[y][x]);
    TPngImage png;
    png.Assign(bitmap);
    TMetafile metafile;
    {
        TMetafileCanvas canvas(&metafile);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 2; ++x) {
                canvas.Brush()->SetColor(colours[y][x]);
                canvas.FillRect(TRect{x, y, x + 1, y + 1});
            }
    }
    metafile.SetWidth(2);
    metafile.SetHeight(2);
    struct Case {
        const char* name;
        TGraphic* graphic;
    };
    for (const Case& c : {Case{"bitmap", &bitmap}, Case{"png", &png}, Case{"metafile", &metafile}}) {
        SCOPED_TRACE(c.name);
        TBitmap target(12, 12);
        frxDrawGraphic(target.Canvas(), TRect{2, 2, 10, 10}, c.graphic);
        EXPECT_EQ(target.Pixel(3, 3), colours[0][0]);
        EXPECT_EQ(target.Pixel(8, 3), colours[0][1]);
        EXPECT_EQ(target.Pixel(3, 8), colours[1][0]);
        EXPECT_EQ(target.Pixel(9, 9), colours[1][1]);
        EXPECT_EQ(target.Pixel(1, 1), TColor(0xFFFFFF));
        EXPECT_EQ(target.Pixel(10, 10), TColor(0xFFFFFF));
    }
}

// --- The icon of datasets in the design view ----------------------------------------------

TEST(DialogComponentIcon, DrawsTheObjectImageInsideTheSquare) {
    TImageListComponent* objects = frxResources().ObjectImages();
    TfrxDBDataset db(nullptr);
    TfrxUserDataSet user(nullptr);
    EXPECT_EQ(db.ImageIndex(), frxObject::DBDataSet);
    EXPECT_EQ(user.Bitmap(), nullptr);
    // A transparent and an opaque pixel of the dataset picture.
    TPoint clear{-1, -1}, shown{-1, -1};
    for (int y = 0; y < 22; ++y)
        for (int x = 0; x < 22; ++x)
            (objects->List().IsTransparent(frxObject::DBDataSet, x, y) ? clear : shown) = TPoint{x, y};
    ASSERT_GE(clear.X, 0);
    ASSERT_GE(shown.X, 0);
    struct Case {
        const char* name;
        TfrxDialogComponent* component;
        bool icon;
    };
    for (const Case& c : {Case{"database_dataset", &db, true}, Case{"user_dataset", &user, false}}) {
        SCOPED_TRACE(c.name);
        c.component->SetBounds(10.5, 20.4, 60, 3);   // resizing has no lasting effect
        TBitmap target(80, 80);
        c.component->Draw(target.Canvas(), 2, 2, 5, 5);
        EXPECT_EQ(c.component->Width(), 28);
        EXPECT_EQ(c.component->Height(), 28);
        const int x0 = 10 + 3, y0 = 20 + 3;   // the square at rnd(Left), rnd(Top), the icon 3 inside
        const TColor face = target.Pixel(x0 + clear.X, y0 + clear.Y);
        EXPECT_EQ(face, target.Pixel(10 + 2, 20 + 2));   // the icon's ground is the button face
        if (c.icon)
            EXPECT_EQ(target.Pixel(x0 + shown.X, y0 + shown.Y), ImagePixel(objects, frxObject::DBDataSet, shown.X, shown.Y));
        else
            EXPECT_EQ(target.Pixel(x0 + shown.X, y0 + shown.Y), face);
    }
}

}  // namespace
