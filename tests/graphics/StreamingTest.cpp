// Fonts and pictures inside form resources: published sub-objects and the picture's
// binary "Data" property through the class library's text form.
#include "platform/graphics/Graphics.h"

#include "platform/classes/Streaming.h"

#include <gtest/gtest.h>

namespace {

class TPictureHolder : public TComponent {
    ROVE_CLASS(TPictureHolder, TComponent)
public:
    explicit TPictureHolder(TComponent* AOwner) : TComponent(AOwner) {}
    TFont* Font() const { return &FFont; }
    void SetFont(TFont* Value) { FFont.Assign(*Value); }
    TPicture* Picture() const { return &FPicture; }
    void SetPicture(TPicture* Value) { FPicture.Assign(*Value); }
    TPen* Pen() const { return &FPen; }
    void SetPen(TPen* Value) { FPen.Assign(*Value); }
    static void DeclareProperties(TPropertyDecl<TPictureHolder>& d) {
        d.Property("Font", &TPictureHolder::Font, &TPictureHolder::SetFont);
        d.Property("Pen", &TPictureHolder::Pen, &TPictureHolder::SetPen);
        d.Property("Picture", &TPictureHolder::Picture, &TPictureHolder::SetPicture);
    }

private:
    mutable TFont FFont;
    mutable TPen FPen;
    mutable TPicture FPicture;
};

ROVE_IMPLEMENT_CLASS(TPictureHolder)

}  // namespace

TEST(Streaming, FontsAndPicturesRoundTripThroughTheTextForm) {
    TPictureHolder source(nullptr);
    source.SetName("Holder1");
    source.Font()->SetName("宋体");
    source.Font()->SetHeight(-12);
    source.Font()->SetCharset(GB2312_CHARSET);
    source.Font()->SetStyle({fsBold});
    TBitmap* b = source.Picture()->Bitmap();
    b->SetSize(3, 2);
    b->SetPixel(2, 1, clRed);

    std::string text = WriteComponentToText(&source);
    EXPECT_NE(text.find("Font.Charset = GB2312_CHARSET"), std::string::npos) << text;
    EXPECT_NE(text.find("Font.Height = -12"), std::string::npos) << text;
    EXPECT_NE(text.find("Font.Style = [fsBold]"), std::string::npos) << text;
    EXPECT_NE(text.find("Font.Color = clWindowText"), std::string::npos) << text;
    EXPECT_EQ(text.find("Font.Size"), std::string::npos) << text;
    EXPECT_EQ(text.find("Pen."), std::string::npos) << "a default pen writes nothing\n" << text;
    // "Data" holds 07 'TBitmap', then the 32-bit length and the BMP file ("BM" = 42 4D).
    EXPECT_NE(text.find("Picture.Data = {\n"), std::string::npos) << text;
    EXPECT_NE(text.find("07544269746D6170"), std::string::npos) << text;

    TPictureHolder target(nullptr);
    ReadComponentFromText(text, &target);
    EXPECT_TRUE(target.Font()->SameAs(*source.Font()));
    auto* bitmap = dynamic_cast<TBitmap*>(target.Picture()->Graphic());
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->Width(), 3);
    EXPECT_EQ(bitmap->Pixel(2, 1), clRed);
    EXPECT_EQ(bitmap->Pixel(0, 0), clWhite);
}

TEST(Streaming, BadPictureDataIsAReadError) {
    const char* text =
        "object Holder1: TPictureHolder\n"
        "  Picture.Data = {07544269746D6170FFFF0000424D}\n"
        "end\n";
    TPictureHolder target(nullptr);
    EXPECT_THROW(ReadComponentFromText(text, &target), EReadError);
    EXPECT_TRUE(target.Picture()->Empty());
}
