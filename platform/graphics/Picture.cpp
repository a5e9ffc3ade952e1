// TPicture: one graphic of any kind, recognised by content, and its "Data" property.
#include "platform/graphics/Graphics.h"
#include "platform/graphics/Metafile.h"

#include "platform/classes/Filer.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"

#include <cstring>

ROVE_IMPLEMENT_CLASS(TPicture)

namespace {

uint32_t LE32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
uint16_t LE16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

}  // namespace

std::unique_ptr<TGraphic> TPicture::CreateGraphic(std::string_view className) {
    if (SameText(className, "TBitmap")) return std::make_unique<TBitmap>();
    if (SameText(className, "TJPEGImage")) return std::make_unique<TJPEGImage>();
    if (SameText(className, "TPngImage") || SameText(className, "TPNGObject"))
        return std::make_unique<TPngImage>();
    if (SameText(className, "TIcon")) return std::make_unique<TIcon>();
    if (SameText(className, "TMetafile")) return std::make_unique<TMetafile>();
    return nullptr;
}

std::unique_ptr<TGraphic> TPicture::GraphicForData(const uint8_t* data, size_t size) {
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') return std::make_unique<TBitmap>();
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xD8) return std::make_unique<TJPEGImage>();
    if (size >= 8 && data[0] == 0x89 && std::memcmp(data + 1, "PNG", 3) == 0)
        return std::make_unique<TPngImage>();
    if (size >= 4 && LE32(data) == 0x9AC6CDD7u) return std::make_unique<TMetafile>();
    if (size >= 44 && LE32(data) == 1 && LE32(data + 40) == 0x464D4520u) return std::make_unique<TMetafile>();
    if (size >= 18 && (LE16(data) == 1 || LE16(data) == 2) && LE16(data + 2) == 9)
        return std::make_unique<TMetafile>();
    if (size >= 6 && LE16(data) == 0 && LE16(data + 2) == 1 && LE16(data + 4) > 0)
        return std::make_unique<TIcon>();
    return nullptr;
}

TPicture::TPicture() = default;

TPicture::TPicture(const TPicture& other) : TGraphicsObject() {
    if (other.FGraphic) SetGraphic(other.FGraphic->Clone());
}

TPicture& TPicture::operator=(const TPicture& other) {
    Assign(other);
    return *this;
}

TPicture::~TPicture() = default;

void TPicture::Assign(TPersistent* Source) {
    if (!Source) {
        Clear();
        return;
    }
    if (auto* picture = dynamic_cast<TPicture*>(Source)) {
        Assign(*picture);
        return;
    }
    if (auto* graphic = dynamic_cast<TGraphic*>(Source)) {
        SetGraphic(graphic);
        return;
    }
    TGraphicsObject::Assign(Source);
}

void TPicture::Assign(const TPicture& source) {
    if (&source == this) return;
    SetGraphic(source.FGraphic.get());
}

void TPicture::SetGraphic(const TGraphic* graphic) {
    SetGraphic(graphic ? graphic->Clone() : std::unique_ptr<TGraphic>());
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
    if (!graphic && !FGraphic) return;
    FGraphic = std::move(graphic);
    if (FGraphic) FGraphic->OnChange = [this](TObject*) { GraphicChanged(); };
    Changed();
}

void TPicture::GraphicChanged() { Changed(); }

TBitmap* TPicture::Bitmap() {
    if (auto* bitmap = dynamic_cast<TBitmap*>(FGraphic.get())) return bitmap;
    SetGraphic(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(FGraphic.get());
}

void TPicture::LoadFromBytes(const uint8_t* data, size_t size) {
    if (size == 0) {
        Clear();
        return;
    }
    std::unique_ptr<TGraphic> graphic = GraphicForData(data, size);
    if (!graphic) throw EInvalidGraphic("Unknown picture format");
    graphic->LoadFromBytes(data, size);
    SetGraphic(std::move(graphic));
}

void TPicture::LoadFromFile(const std::string& fileName) {
    std::string bytes = ReadFileBytes(fileName);
    LoadFromBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

void TPicture::SaveToFile(const std::string& fileName) const {
    if (FGraphic) FGraphic->SaveToFile(fileName);
}

TBytes TPicture::SaveToBytes() const { return FGraphic ? FGraphic->SaveToBytes() : TBytes{}; }

void TPicture::LoadFromStream(TStream& stream) {
    std::string bytes = stream.ReadRemaining();
    LoadFromBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

void TPicture::SaveToStream(TStream& stream) const {
    TBytes bytes = SaveToBytes();
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

TBytes TPicture::WriteData() const {
    if (!FGraphic) return {};
    const std::string& name = FGraphic->ClassName();
    TBytes data = FGraphic->WriteData();
    TBytes out;
    out.reserve(1 + name.size() + data.size());
    out.push_back(static_cast<uint8_t>(name.size()));
    out.insert(out.end(), name.begin(), name.end());
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

void TPicture::ReadData(const uint8_t* data, size_t size) {
    if (size == 0) {
        Clear();
        return;
    }
    size_t n = data[0];
    if (1 + n > size) throw EInvalidGraphic("Picture data is truncated");
    std::string name(reinterpret_cast<const char*>(data + 1), n);
    std::unique_ptr<TGraphic> graphic = CreateGraphic(name);
    if (!graphic) throw EInvalidGraphic("Unknown picture class " + name);
    graphic->ReadData(data + 1 + n, size - 1 - n);
    SetGraphic(std::move(graphic));
}

void TPicture::DefineProperties(TFiler& Filer) {
    Filer.DefineBinaryProperty(
        "Data",
        [this](const std::string& bytes) {
            ReadData(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        },
        [this](std::string& bytes) {
            TBytes data = WriteData();
            bytes.assign(data.begin(), data.end());
        },
        FGraphic != nullptr);
}
