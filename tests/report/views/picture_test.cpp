// The picture view: where the graphic goes (stretched, kept in proportion, centred, at its
// own size), pictures from blob fields (header skipped, formats recognised, anything else
// empty without error), AutoSize, and the picture's data in the diff.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/classes/Streaming.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/Metafile.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StrUtils.h"
#include "report/DataSet.h"
#include "report/MemoView.h"
#include "report/PictureView.h"

namespace {

TBitmap Pixels(int w, int h, TColor left, TColor right) {
    TBitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, x < w / 2 ? left : right);
    return b;
}

// --- Placement ------------------------------------------------------------------------

struct TPlaceCase {
    const char* Name;
    int ImageW, ImageH;
    double ViewW, ViewH;
    bool Stretched, Keep, Center;
    double Scale;
    TRect Expected;   // relative to the view's device rectangle at (10, 10) * Scale
};

class Placement : public ::testing::TestWithParam<TPlaceCase> {};

TEST_P(Placement, PictureRect) {
    const TPlaceCase& c = GetParam();
    TfrxPictureView p(nullptr);
    p.SetBounds(10, 10, c.ViewW, c.ViewH);
    p.Picture()->SetGraphic(std::make_unique<TBitmap>(c.ImageW, c.ImageH));
    p.Stretched = c.Stretched;
    p.KeepAspectRatio = c.Keep;
    p.Center = c.Center;
    p.BeginDraw(nullptr, c.Scale, c.Scale, 0, 0);
    TRect r = p.PictureRect();
    OffsetRect(r, -p.DevLeft(), -p.DevTop());
    EXPECT_EQ(r, c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, Placement,
    ::testing::Values(
        TPlaceCase{"keep_aspect_fills_the_width_at_the_top", 100, 50, 200, 200, true, true, false, 1,
                   Rect(0, 0, 200, 100)},
        TPlaceCase{"keep_aspect_centred_moves_down", 100, 50, 200, 200, true, true, true, 1, Rect(0, 50, 200, 150)},
        TPlaceCase{"keep_aspect_fills_the_height", 50, 100, 200, 100, true, true, true, 1, Rect(75, 0, 125, 100)},
        TPlaceCase{"stretched_fills_the_view", 100, 50, 200, 200, true, false, true, 1, Rect(0, 0, 200, 200)},
        TPlaceCase{"natural_size", 30, 20, 200, 100, false, true, false, 1, Rect(0, 0, 30, 20)},
        TPlaceCase{"natural_size_centred", 30, 20, 200, 100, false, true, true, 1, Rect(85, 40, 115, 60)},
        TPlaceCase{"natural_size_scaled", 30, 20, 200, 100, false, true, true, 2, Rect(170, 80, 230, 120)},
        TPlaceCase{"larger_than_the_view_centred", 300, 20, 200, 100, false, true, true, 1,
                   Rect(-50, 40, 250, 60)}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(PictureView, DrawsOverItsBackgroundAndUnderItsFrame) {
    TBitmap canvas(100, 60);
    TfrxPictureView p(nullptr);
    p.SetBounds(10, 10, 40, 20);
    TBitmap image = Pixels(2, 1, clRed, clBlue);
    p.Picture()->SetGraphic(&image);
    p.KeepAspectRatio = false;
    p.Frame()->Typ = {ftLeft};
    p.Frame()->Color = clLime;
    p.Draw(canvas.Canvas(), 1, 1, 0, 0);
    EXPECT_EQ(canvas.Pixel(20, 20), clRed);
    EXPECT_EQ(canvas.Pixel(40, 20), clBlue);
    EXPECT_EQ(canvas.Pixel(10, 20), clLime);

    // An empty picture prints its background only.
    TBitmap empty(100, 60);
    empty.Canvas()->Brush()->SetColor(clGray);
    empty.Canvas()->FillRect(Rect(0, 0, 100, 60));
    TfrxPictureView none(nullptr);
    none.SetBounds(10, 10, 40, 20);
    none.Draw(empty.Canvas(), 1, 1, 0, 0);
    EXPECT_EQ(empty.Pixel(20, 20), clWhite);
    EXPECT_EQ(empty.Pixel(60, 20), clGray);
}

TEST(PictureView, AutoSizeTakesTheGraphicsSize) {
    TfrxPictureView p(nullptr);
    p.SetBounds(0, 0, 10, 10);
    p.Picture()->SetGraphic(std::make_unique<TBitmap>(30, 20));
    EXPECT_EQ(p.Width(), 10);
    EXPECT_TRUE(p.PictureChanged);
    p.SetAutoSize(true);
    EXPECT_EQ(p.Width(), 30);
    EXPECT_EQ(p.Height(), 20);
    p.Picture()->SetGraphic(std::make_unique<TBitmap>(7, 5));
    EXPECT_EQ(p.Width(), 7);
    p.BeforeStartReport();
    EXPECT_FALSE(p.PictureChanged);
}

// --- Blobs ----------------------------------------------------------------------------

TBytes Jpeg() {
    TJPEGImage j;
    j.Assign(Pixels(8, 8, clRed, clRed));
    return j.SaveToBytes();
}

TBytes WithHeader(TBytes data, uint32_t length) {
    TBytes out = {1, 0, 0, 1, static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8),
                  static_cast<uint8_t>(length >> 16), static_cast<uint8_t>(length >> 24)};
    out.reserve(out.size() + data.size());
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

// An icon file with one 2 x 2 image of 32 bits.
TBytes Icon() {
    TBytes d = {0, 0, 1, 0, 1, 0,                       // reserved, type icon, one image
                2, 2, 0, 0, 1, 0, 32, 0, 64, 0, 0, 0, 22, 0, 0, 0};   // 64 bytes at 22
    const uint8_t header[40] = {40, 0, 0, 0, 2, 0, 0, 0, 4, 0, 0, 0, 1, 0, 32, 0};
    d.reserve(d.size() + 40 + 4 * 4 + 8);
    d.insert(d.end(), header, header + 40);
    for (int i = 0; i < 4; ++i) d.insert(d.end(), {0, 0, 255, 255});   // red, opaque
    d.insert(d.end(), 8, 0);                                            // the AND mask
    return d;
}

struct TBlobCase {
    const char* Name;
    std::function<TBytes()> Data;
    std::string Class;   // the graphic's class, "" for an empty picture
};

class Blobs : public ::testing::TestWithParam<TBlobCase> {};

TEST_P(Blobs, Recognised) {
    const TBlobCase& c = GetParam();
    TfrxPictureView p(nullptr);
    p.Picture()->SetGraphic(std::make_unique<TBitmap>(3, 3));   // a previous record's picture
    ASSERT_NO_THROW(p.LoadPictureFromBlob(c.Data()));
    if (c.Class.empty()) {
        EXPECT_TRUE(p.Picture()->Empty());
        return;
    }
    ASSERT_NE(p.Picture()->Graphic(), nullptr);
    EXPECT_EQ(p.Picture()->Graphic()->ClassName(), c.Class);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, Blobs,
    ::testing::Values(
        TBlobCase{"bitmap", [] { return Pixels(4, 3, clRed, clBlue).SaveToBytes(); }, "TBitmap"},
        TBlobCase{"jpeg", Jpeg, "TJPEGImage"},
        TBlobCase{"jpeg_behind_the_header", [] { return WithHeader(Jpeg(), static_cast<uint32_t>(Jpeg().size())); },
                  "TJPEGImage"},
        TBlobCase{"header_of_a_wrong_length_is_data", [] { return WithHeader(Jpeg(), 5); }, ""},
        TBlobCase{"icon", Icon, "TIcon"},
        TBlobCase{"placeable_metafile",
                  [] {
                      TBytes d(40, 0);
                      d[0] = 0xD7, d[1] = 0xCD, d[2] = 0xC6, d[3] = 0x9A;
                      d[10] = 0xA0, d[11] = 0x05, d[12] = 0xA0, d[13] = 0x05;   // one inch square
                      d[14] = 0xA0, d[15] = 0x05;                               // 1440 units per inch
                      return d;
                  },
                  "TMetafile"},
        TBlobCase{"enhanced_metafile",
                  [] {
                      TBytes d(88, 0);
                      d[0] = 1;
                      d[40] = ' ', d[41] = 'E', d[42] = 'M', d[43] = 'F';
                      return d;
                  },
                  "TMetafile"},
        TBlobCase{"empty_blob", [] { return TBytes{}; }, ""},
        TBlobCase{"text", [] { return TBytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'}; }, ""},
        TBlobCase{"icon_directory_pointing_outside",
                  [] { return TBytes{0, 0, 1, 0, 5, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}; }, ""},
        TBlobCase{"icon_entry_past_the_end",
                  [] {
                      TBytes d = Icon();
                      d[18] = 200;   // the image's offset beyond the data
                      return d;
                  },
                  ""},
        TBlobCase{"damaged_jpeg", [] { return TBytes{0xFF, 0xD8, 0xFF, 0xE0, 0, 3, 1}; }, ""},
        TBlobCase{"damaged_bitmap", [] { return TBytes{'B', 'M', 1, 2, 3}; }, ""}),
    [](const auto& info) { return std::string(info.param.Name); });

// A dataset whose fields are blobs (a picture column and a memo column of a database).
class TBlobDataSet : public TfrxUserDataSet {
public:
    TBlobDataSet() : TfrxUserDataSet(nullptr) { SetUserName("Photos"); }
    TBytes Blob;
    bool IsBlobField(const std::string&) override { return true; }
    void AssignBlobTo(const std::string&, TStream* Target) override {
        Target->Write(Blob.data(), static_cast<int64_t>(Blob.size()));
        Target->SetPosition(0);
    }
};

TEST(PictureView, BoundViewLoadsEachRecordsPicture) {
    TBlobDataSet ds;
    TfrxPictureView p(nullptr);
    p.SetDataSet(&ds);
    p.DataField = "Photo";
    ds.Blob = WithHeader(Jpeg(), static_cast<uint32_t>(Jpeg().size()));
    p.GetData();
    ASSERT_NE(dynamic_cast<TJPEGImage*>(p.Picture()->Graphic()), nullptr);
    EXPECT_EQ(p.Picture()->Width(), 8);
    ds.Blob = {'n', 'o', 'p', 'e'};
    p.GetData();
    EXPECT_TRUE(p.Picture()->Empty()) << "no picture of the previous record";
}

TEST(MemoView, BoundToABlobTakesItsText) {
    TBlobDataSet ds;
    TfrxMemoView m(nullptr);
    m.SetDataSet(&ds);
    m.DataField = "Notes";
    for (auto [blob, text] : std::vector<std::pair<std::string, std::string>>{
             {"第一行\r\nline 2", "第一行\r\nline 2\r\n"},
             {Utf8ToGbk("门诊"), "门诊\r\n"}}) {   // a legacy database's text
        ds.Blob.assign(blob.begin(), blob.end());
        m.GetData();
        EXPECT_EQ(m.Text(), text);
    }
}

// --- Diff -----------------------------------------------------------------------------

TEST(PictureView, DiffCarriesThePictureOnlyWhenItChanged) {
    TfrxPictureView base(nullptr), p(nullptr);
    p.SetBounds(0, 0, 50, 40);
    EXPECT_EQ(p.Diff(&base), " w=\"50\" h=\"40\"");

    TBitmap image = Pixels(2, 1, clRed, clBlue);
    p.Picture()->SetGraphic(&image);
    const std::string diff = p.Diff(&base);
    const std::string prefix = " Picture.PropData=\"";
    ASSERT_EQ(diff.rfind(prefix, 0), 0u) << diff;
    const size_t close = diff.find('"', prefix.size());
    EXPECT_EQ(diff.substr(close + 1), " w=\"50\" h=\"40\"");

    std::string bytes;
    const std::string hex = diff.substr(prefix.size(), close - prefix.size());
    for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    TPicture back;
    TFixupList fixups;
    ReadPropData(&back, bytes, nullptr, fixups);
    ASSERT_NE(dynamic_cast<TBitmap*>(back.Graphic()), nullptr);
    EXPECT_EQ(static_cast<TBitmap*>(back.Graphic())->Pixel(1, 0), clBlue);
}

}  // namespace
