// Pictures: BMP, PNG, JPEG and icons load and save; bad data raises and leaves the
// picture as it was; the "Data" property round-trips every kind.
#include "PixelHelpers.h"

#include "platform/graphics/Metafile.h"
#include "platform/graphics/QtBridge.h"

#include <QBuffer>
#include <QImage>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

// A 16 x 8 picture: left half red, right half blue, one black pixel at (3, 2).
TBitmap Sample() {
    TBitmap b(16, 8);
    b.Canvas()->Brush()->SetColor(clRed);
    b.Canvas()->FillRect(Rect(0, 0, 8, 8));
    b.Canvas()->Brush()->SetColor(clBlue);
    b.Canvas()->FillRect(Rect(8, 0, 16, 8));
    b.SetPixel(3, 2, clBlack);
    return b;
}

TBytes Encoded(const TBitmap& b, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(BitmapImage(b).save(&buffer, format));
    return TBytes(bytes.begin(), bytes.end());
}

bool Near(TColor a, TColor b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

void ExpectSample(const TPicture& p, int tolerance, const std::string& what) {
    ASSERT_FALSE(p.Empty()) << what;
    EXPECT_EQ(p.Width(), 16) << what;
    EXPECT_EQ(p.Height(), 8) << what;
    TBitmap drawn(16, 8);
    drawn.Canvas()->Draw(0, 0, p.Graphic());
    EXPECT_TRUE(Near(drawn.Pixel(1, 6), clRed, tolerance)) << what;
    EXPECT_TRUE(Near(drawn.Pixel(14, 1), clBlue, tolerance)) << what;
    if (tolerance == 0) {
        EXPECT_EQ(drawn.Pixel(3, 2), clBlack) << what;
    }
}

}  // namespace

TEST(Picture, EachFormatLoadsByContentAndRoundTripsItsData) {
    TBitmap sample = Sample();
    TJPEGImage jpeg;
    jpeg.Assign(sample, 95);
    TPngImage png;
    png.Assign(sample);
    struct Case {
        const char* Kind;
        TBytes Bytes;
        int Tolerance;
    };
    const Case cases[] = {
        {"TBitmap", sample.SaveToBytes(), 0},
        {"TPngImage", png.SaveToBytes(), 0},
        {"TJPEGImage", jpeg.SaveToBytes(), 40},
        {"TIcon", Encoded(sample, "ICO"), 0},
    };
    for (const Case& c : cases) {
        TPicture p;
        p.LoadFromBytes(c.Bytes);
        ASSERT_NE(p.Graphic(), nullptr) << c.Kind;
        EXPECT_EQ(p.Graphic()->ClassName(), c.Kind);
        ExpectSample(p, c.Tolerance, c.Kind);

        TBytes data = p.WriteData();
        ASSERT_GT(data.size(), 1u);
        EXPECT_EQ(std::string(data.begin() + 1, data.begin() + 1 + data[0]), c.Kind);
        TPicture back;
        back.ReadData(data.data(), data.size());
        EXPECT_EQ(back.Graphic()->ClassName(), c.Kind);
        ExpectSample(back, c.Tolerance, std::string(c.Kind) + " from Data");
        EXPECT_EQ(back.SaveToBytes(), p.SaveToBytes()) << c.Kind;
    }
}

TEST(Picture, BitmapAndJpegDataCarryTheirLength) {
    TPicture p;
    p.SetGraphic(std::make_unique<TBitmap>(Sample()));
    TBytes data = p.WriteData();
    TBytes file = p.SaveToBytes();
    ASSERT_EQ(data.size(), 1 + 7 + 4 + file.size());
    uint32_t n = data[8] | (data[9] << 8) | (data[10] << 16) | (uint32_t(data[11]) << 24);
    EXPECT_EQ(n, file.size());
    EXPECT_EQ(data[12], 'B');
    EXPECT_EQ(data[13], 'M');
    // A length beyond the data is refused, not read past.
    data[9] = 0x7F;
    TPicture q;
    EXPECT_THROW(q.ReadData(data.data(), data.size()), EInvalidGraphic);
    EXPECT_TRUE(q.Empty());
}

TEST(Picture, BadDataRaisesAndLeavesThePictureAsItWas) {
    TBitmap sample = Sample();
    TJPEGImage jpeg;
    jpeg.Assign(sample, 90);
    TBytes good = jpeg.SaveToBytes();
    TBytes truncated(good.begin(), good.begin() + static_cast<long>(good.size() / 2));
    TBytes garbled = good;
    for (size_t i = good.size() / 2; i < good.size() - 2; ++i) garbled[i] = static_cast<uint8_t>(i * 37);
    TBytes headerOnly = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10};
    TBytes badBmp = {'B', 'M', 1, 2, 3, 4, 5, 6, 7, 8};
    struct Case {
        const char* Name;
        TBytes Bytes;
    };
    const Case cases[] = {
        {"truncated JPEG", truncated},
        {"garbled JPEG", garbled},
        {"JPEG header only", headerOnly},
        {"bad BMP", badBmp},
        {"unknown format", TBytes{'G', 'I', 'F', '8', '9', 'a', 0, 0}},
    };
    for (const Case& c : cases) {
        TPicture p;
        p.SetGraphic(std::make_unique<TBitmap>(sample));
        EXPECT_THROW(p.LoadFromBytes(c.Bytes), EInvalidGraphic) << c.Name;
        ASSERT_NE(dynamic_cast<TBitmap*>(p.Graphic()), nullptr) << c.Name;
        ExpectSample(p, 0, c.Name);
    }
    TJPEGImage direct;
    try {
        direct.LoadFromBytes(truncated);
        FAIL() << "a truncated JPEG must raise";
    } catch (const EInvalidGraphic& e) {
        EXPECT_NE(e.Message().find("JPEG error"), std::string::npos) << e.Message();
    }
    EXPECT_TRUE(direct.Empty());
}

TEST(Picture, FilesGoThroughTheSameRecognition) {
    std::string path = testing::TempDir() + "graphics_picture.jpg";
    TJPEGImage jpeg;
    jpeg.Assign(Sample());
    jpeg.SaveToFile(path);
    TPicture p;
    p.LoadFromFile(path);
    EXPECT_EQ(p.Graphic()->ClassName(), "TJPEGImage");
    std::remove(path.c_str());
    EXPECT_THROW(p.LoadFromFile(path), EFOpenError);
    EXPECT_EQ(p.Graphic()->ClassName(), "TJPEGImage");
}

TEST(Picture, ChangesOfTheGraphicReachThePicture) {
    TPicture p;
    int changes = 0;
    p.OnChange = [&](TObject*) { ++changes; };
    TBitmap* b = p.Bitmap();
    EXPECT_EQ(changes, 1);
    b->SetSize(4, 4);
    EXPECT_EQ(changes, 2);
    p.Clear();
    EXPECT_TRUE(p.Empty());
    EXPECT_EQ(changes, 3);
}

TEST(Bitmap, ResizingKeepsPixelsAndNewOnesAreWhite) {
    TBitmap b(2, 2);
    b.SetPixel(1, 1, clRed);
    b.SetSize(3, 3);
    EXPECT_EQ(b.Pixel(1, 1), clRed);
    EXPECT_EQ(b.Pixel(2, 2), clWhite);
    EXPECT_EQ(b.Pixel(3, 3), clNone);
    b.Canvas()->Pen()->SetColor(clBlue);
    b.Canvas()->MoveTo(0, 0);
    b.Canvas()->LineTo(3, 0);
    EXPECT_EQ(b.ScanLine(0)[2] & 0xFFFFFF, 0x0000FFu);   // 0xRRGGBB: blue
    EXPECT_EQ(b.Canvas()->Pixel(2, 0), clBlue);
    TBitmap copy(b);
    b.Canvas()->MoveTo(0, 2);
    b.Canvas()->LineTo(3, 2);
    EXPECT_EQ(copy.Pixel(0, 2), clWhite);   // copies do not share pixels
    EXPECT_THROW(b.SetSize(100000, 100000), EInvalidGraphic);
    EXPECT_EQ(b.Width(), 3);
}

TEST(Bitmap, MonochromeIsBlackAndWhite) {
    TBitmap b = Sample();
    b.SetMonochrome(true);
    for (int x = 0; x < 16; ++x) {
        TColor c = b.Pixel(x, 5);
        EXPECT_TRUE(c == clBlack || c == clWhite) << x;
    }
    TBitmap back;
    back.LoadFromBytes(b.SaveToBytes());
    EXPECT_TRUE(back.Monochrome());
}
