// The image list component and its binary form: "RIL1", then the picture strip and the
// mask strip (white where transparent), each as a length-prefixed BMP.
#include "platform/ui/ImgList.h"

#include "platform/classes/Filer.h"

#include <cstring>

// Form resources name the class TImageList; the C++ name differs from the drawing
// layer's plain image list that this component holds.
TClass TImageListComponent::StaticClass() noexcept {
    static const TClassInfo* info = TClassInfo::Make<TImageListComponent>("TImageList");
    return info;
}
static const TClassRegistrar rove_class_registrar_TImageList(TImageListComponent::StaticClass());

TImageListComponent::TImageListComponent(TComponent* AOwner) : TComponent(AOwner) {
    FList.OnChange = [this](TImageList*) { OnChange(this); };
}

void TImageListComponent::DeclareProperties(TPropertyDecl<TImageListComponent>& d) {
    d.Property("Height", &TImageListComponent::Height, &TImageListComponent::SetHeight).Default(16);
    d.Property("Width", &TImageListComponent::Width, &TImageListComponent::SetWidth).Default(16);
    d.Event("OnChange", &TImageListComponent::OnChange);
}

void TImageListComponent::DefineProperties(TFiler& Filer) {
    TComponent::DefineProperties(Filer);
    Filer.DefineBinaryProperty(
        "Bitmap", [this](const std::string& data) { ReadImages(data); },
        [this](std::string& data) { data = WriteImages(); }, FList.Count() > 0);
}

namespace {

void PutU32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

uint32_t GetU32(const std::string& in, size_t& pos) {
    if (pos + 4 > in.size()) throw EReadError("Image list data is truncated");
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t(uint8_t(in[pos + i])) << (8 * i);
    pos += 4;
    return v;
}

}  // namespace

std::string TImageListComponent::WriteImages() const {
    const int n = FList.Count(), w = FList.Width(), h = FList.Height();
    TBitmap strip(w * n, h), mask(w * n, h);
    for (int i = 0; i < n; ++i) {
        TBitmap one;
        FList.GetBitmap(i, one);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                strip.SetPixel(i * w + x, y, one.Pixel(x, y));
                mask.SetPixel(i * w + x, y, FList.IsTransparent(i, x, y) ? clWhite : clBlack);
            }
    }
    std::string out = "RIL1";
    for (const TBitmap* b : {&strip, &mask}) {
        TBytes bytes = b->SaveToBytes();
        PutU32(out, static_cast<uint32_t>(bytes.size()));
        out.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    return out;
}

void TImageListComponent::ReadImages(const std::string& Data) {
    if (Data.size() < 4 || Data.compare(0, 4, "RIL1") != 0) throw EReadError("Image list data has an unknown form");
    size_t pos = 4;
    TBitmap bitmaps[2];
    for (TBitmap& b : bitmaps) {
        const uint32_t len = GetU32(Data, pos);
        if (pos + len > Data.size()) throw EReadError("Image list data is truncated");
        b.LoadFromBytes(reinterpret_cast<const uint8_t*>(Data.data() + pos), len);
        pos += len;
    }
    // Transparent pixels become one colour that the picture does not use, then masked.
    TBitmap& strip = bitmaps[0];
    const TBitmap& mask = bitmaps[1];
    const TColor key = RGB(255, 0, 254);
    for (int y = 0; y < strip.Height(); ++y)
        for (int x = 0; x < strip.Width(); ++x)
            if (mask.Pixel(x, y) == clWhite) strip.SetPixel(x, y, key);
    FList.Clear();
    if (strip.Width() > 0) FList.AddMasked(strip, key);
}
