// Bitmaps and the decoded raster pictures (PNG, icons; JPEG is in Jpeg.cpp), and the
// file helpers every graphic shares.
#include "platform/graphics/QtInternal.h"

#include "platform/classes/Filer.h"
#include "platform/rtl/FileUtils.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <cstring>

ROVE_IMPLEMENT_CLASS(TGraphic)
ROVE_IMPLEMENT_CLASS(TBitmap)
ROVE_IMPLEMENT_CLASS(TRasterGraphic)
ROVE_IMPLEMENT_CLASS(TPngImage)
ROVE_IMPLEMENT_CLASS(TIcon)

namespace {

// Pictures beyond this many pixels are refused instead of exhausting memory.
constexpr int64_t MaxPixels = int64_t(1) << 28;

void CheckSize(int64_t width, int64_t height) {
    if (width < 0 || height < 0 || width * height > MaxPixels || width > 65535 || height > 65535)
        throw EInvalidGraphic("Bitmap image is too large");
}

QImage NewWhite(int width, int height) {
    if (width <= 0 || height <= 0) return QImage();
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        throw EInvalidGraphic("Out of memory for a bitmap of " + std::to_string(width) + " x " +
                              std::to_string(height));
    image.fill(0xFFFFFFFFu);
    return image;
}

TBytes ToBytes(const QByteArray& a) { return TBytes(a.begin(), a.end()); }

QByteArray Encode(const QImage& image, const char* format, int quality = -1) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (quality >= 0) writer.setQuality(quality);
    if (!writer.write(image))
        throw EInvalidGraphic(std::string("Cannot encode the picture: ") +
                              writer.errorString().toStdString());
    return bytes;
}

// A decoded image in the formats the layer keeps: RGB32, or ARGB32 with alpha.
QImage Normalised(const QImage& image) {
    if (image.hasAlphaChannel()) return image.convertToFormat(QImage::Format_ARGB32);
    return image.convertToFormat(QImage::Format_RGB32);
}

uint32_t ReadLE32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

}  // namespace

// --- TGraphic ---------------------------------------------------------------------------

void TGraphic::LoadFromFile(const std::string& fileName) {
    std::string bytes = ReadFileBytes(fileName);
    LoadFromBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

void TGraphic::SaveToFile(const std::string& fileName) const {
    TBytes bytes = SaveToBytes();
    SaveFileAtomically(fileName, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void TGraphic::LoadFromStream(TStream& stream) {
    std::string bytes = stream.ReadRemaining();
    LoadFromBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

void TGraphic::SaveToStream(TStream& stream) const {
    TBytes bytes = SaveToBytes();
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

TBytes TGraphic::WriteData() const { return SaveToBytes(); }

void TGraphic::ReadData(const uint8_t* data, size_t size) { LoadFromBytes(data, size); }

void TGraphic::SetTransparent(bool value) {
    if (FTransparent == value) return;
    FTransparent = value;
    Changed();
}

namespace {

// The "Data" form of bitmaps, JPEG images and metafiles: a 32-bit length, then the file.
TBytes WithLength(const TBytes& file) {
    TBytes out(4 + file.size());
    uint32_t n = static_cast<uint32_t>(file.size());
    for (int i = 0; i < 4; ++i) out[static_cast<size_t>(i)] = static_cast<uint8_t>(n >> (8 * i));
    std::memcpy(out.data() + 4, file.data(), file.size());
    return out;
}

// Reads the length-prefixed form; gives the file part. A length beyond the data
// raises, so a damaged property never reads outside its bytes.
std::pair<const uint8_t*, size_t> WithoutLength(const uint8_t* data, size_t size) {
    if (size < 4) throw EInvalidGraphic("Picture data is truncated");
    uint32_t n = ReadLE32(data);
    if (n > size - 4) throw EInvalidGraphic("Picture data is truncated");
    return {data + 4, n};
}

}  // namespace

// --- TBitmap ----------------------------------------------------------------------------

TBitmap::TBitmap() : FImage(std::make_unique<TBitmapImage>()) {}

TBitmap::TBitmap(int width, int height) : TBitmap() { SetSize(width, height); }

TBitmap::TBitmap(const TBitmap& other) : TBitmap() {
    other.FImage->EndPaint();
    FImage->Image = other.FImage->Image.copy();
    FWidth = other.FWidth;
    FHeight = other.FHeight;
    FPixelFormat = other.FPixelFormat;
    FTransparentColor = other.FTransparentColor;
    FTransparentMode = other.FTransparentMode;
    FTransparent = other.FTransparent;
}

TBitmap& TBitmap::operator=(const TBitmap& other) {
    if (&other == this) return *this;
    other.FImage->EndPaint();
    FImage->EndPaint();
    FImage->Image = other.FImage->Image.copy();
    FWidth = other.FWidth;
    FHeight = other.FHeight;
    FPixelFormat = other.FPixelFormat;
    FTransparentColor = other.FTransparentColor;
    FTransparentMode = other.FTransparentMode;
    FTransparent = other.FTransparent;
    Changed();
    return *this;
}

TBitmap::~TBitmap() {
    FCanvas.reset();
    FImage->EndPaint();
}

std::unique_ptr<TGraphic> TBitmap::Clone() const { return std::make_unique<TBitmap>(*this); }

bool TBitmap::Empty() const { return FImage->Image.isNull(); }
int TBitmap::Width() const { return FImage->Image.isNull() ? FWidth : FImage->Image.width(); }
int TBitmap::Height() const { return FImage->Image.isNull() ? FHeight : FImage->Image.height(); }
void TBitmap::SetWidth(int value) { SetSize(value, Height()); }
void TBitmap::SetHeight(int value) { SetSize(Width(), value); }

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == Width() && height == Height()) return;
    CheckSize(width, height);
    FImage->EndPaint();
    QImage old = FImage->Image;
    QImage image = NewWhite(width, height);
    if (!old.isNull() && !image.isNull()) {
        QPainter p(&image);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, old);
    }
    FImage->Image = image;
    FWidth = width;
    FHeight = height;
    Changed();
}

void TBitmap::LoadFromBytes(const uint8_t* data, size_t size) {
    if (size < 2 || data[0] != 'B' || data[1] != 'M') throw EInvalidGraphic("Bitmap image is not valid");
    QImage image;
    if (!image.loadFromData(data, static_cast<int>(std::min<size_t>(size, INT32_MAX)), "BMP"))
        throw EInvalidGraphic("Bitmap image is not valid");
    CheckSize(image.width(), image.height());
    FImage->EndPaint();
    FImage->Image = image.convertToFormat(QImage::Format_RGB32);
    FPixelFormat = image.depth() == 1 ? pf1bit : pf24bit;
    Changed();
}

TBytes TBitmap::SaveToBytes() const {
    FImage->EndPaint();
    if (FImage->Image.isNull()) return {};
    QImage out = FPixelFormat == pf1bit
                     ? FImage->Image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither)
                     : FImage->Image.convertToFormat(QImage::Format_RGB888);
    return ToBytes(Encode(out, "BMP"));
}

TBytes TBitmap::WriteData() const { return WithLength(SaveToBytes()); }

void TBitmap::ReadData(const uint8_t* data, size_t size) {
    auto [file, n] = WithoutLength(data, size);
    if (n == 0) {
        SetSize(0, 0);
        return;
    }
    LoadFromBytes(file, n);
}

void TBitmap::DefineProperties(TFiler& Filer) {
    Filer.DefineBinaryProperty(
        "Data",
        [this](const std::string& bytes) { ReadData(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()); },
        [this](std::string& bytes) {
            TBytes data = WriteData();
            bytes.assign(data.begin(), data.end());
        },
        !Empty());
}

void TBitmap::Assign(const TGraphic& source) {
    if (&source == this) return;
    if (auto* bitmap = dynamic_cast<const TBitmap*>(&source)) {
        *this = *bitmap;
        return;
    }
    FImage->EndPaint();
    FImage->Image = NewWhite(source.Width(), source.Height());
    FWidth = source.Width();
    FHeight = source.Height();
    FPixelFormat = pf24bit;
    if (!FImage->Image.isNull()) Canvas()->Draw(0, 0, const_cast<TGraphic*>(&source));
    FImage->EndPaint();
    Changed();
}

TCanvas* TBitmap::Canvas() {
    if (!FCanvas) {
        FCanvas = std::make_unique<TCanvas>();
        FCanvas->SetDevice(std::make_unique<TQtDevice>(FImage.get()));
    }
    return FCanvas.get();
}

TColor TBitmap::Pixel(int x, int y) const {
    const QImage& image = FImage->Image;
    if (!image.valid(x, y)) return clNone;
    QRgb v = image.pixel(x, y);
    return RGB(qRed(v), qGreen(v), qBlue(v));
}

void TBitmap::SetPixel(int x, int y, TColor color) {
    if (!FImage->Image.valid(x, y)) return;
    FImage->EndPaint();
    FImage->Image.setPixel(x, y, ColorToQRgbValue(color) | 0xFF000000u);
}

uint32_t* TBitmap::ScanLine(int y) {
    if (y < 0 || y >= Height()) return nullptr;
    FImage->EndPaint();
    return reinterpret_cast<uint32_t*>(FImage->Image.scanLine(y));
}

const uint32_t* TBitmap::ScanLine(int y) const {
    if (y < 0 || y >= Height()) return nullptr;
    return reinterpret_cast<const uint32_t*>(FImage->Image.constScanLine(y));
}

void TBitmap::SetPixelFormat(TPixelFormat value) {
    if (value == FPixelFormat) return;
    FPixelFormat = value == pf1bit ? pf1bit : value;
    if (value == pf1bit && !FImage->Image.isNull()) {
        FImage->EndPaint();
        FImage->Image = FImage->Image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither)
                            .convertToFormat(QImage::Format_RGB32);
    }
    Changed();
}

TColor TBitmap::TransparentColor() const {
    if (FTransparentMode == tmFixed && FTransparentColor != clDefault) return FTransparentColor;
    if (Empty()) return clDefault;
    return Pixel(0, Height() - 1);
}

void TBitmap::SetTransparentColor(TColor value) {
    FTransparentColor = value;
    FTransparentMode = value == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode value) {
    if (value == FTransparentMode) return;
    FTransparentMode = value;
    if (value == tmAuto) FTransparentColor = clDefault;
    else FTransparentColor = TransparentColor();
    Changed();
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect) const {
    canvas.StretchDraw(rect, const_cast<TBitmap*>(this));
}

void TBitmap::CanvasChanged() { Changed(); }

// --- Bridge to the pixels ---------------------------------------------------------------

QImage& BitmapImage(TBitmap& bitmap) { return bitmap.Image().Image; }

const QImage& BitmapImage(const TBitmap& bitmap) { return bitmap.Image().Image; }

void SetBitmapImage(TBitmap& bitmap, const QImage& image) {
    if (!image.isNull()) CheckSize(image.width(), image.height());
    bitmap.Image().EndPaint();
    bitmap.Image().Image = image.isNull() ? QImage() : Normalised(image);
    bitmap.SetPixelFormat(pf24bit);
}

const QImage* GraphicImage(const TGraphic& graphic) {
    if (auto* bitmap = dynamic_cast<const TBitmap*>(&graphic)) {
        bitmap->Image().EndPaint();
        return &bitmap->Image().Image;
    }
    if (auto* raster = dynamic_cast<const TRasterGraphic*>(&graphic)) return &raster->Bitmap().Image().Image;
    return nullptr;
}

// --- TRasterGraphic ---------------------------------------------------------------------

TRasterGraphic::TRasterGraphic() : FBitmap(std::make_unique<TBitmap>()) {}

TRasterGraphic::TRasterGraphic(const TRasterGraphic& other)
    : TGraphic(), FBitmap(std::make_unique<TBitmap>(*other.FBitmap)), FData(other.FData) {
    FTransparent = other.FTransparent;
}

TRasterGraphic::~TRasterGraphic() = default;

bool TRasterGraphic::Empty() const { return FBitmap->Empty(); }
int TRasterGraphic::Width() const { return FBitmap->Width(); }
int TRasterGraphic::Height() const { return FBitmap->Height(); }
void TRasterGraphic::SetWidth(int) {}
void TRasterGraphic::SetHeight(int) {}

void TRasterGraphic::SetDecoded(std::unique_ptr<TBitmap> pixels, TBytes data) {
    FBitmap = std::move(pixels);
    FData = std::move(data);
    Changed();
}

void TRasterGraphic::Draw(TCanvas& canvas, const TRect& rect) const {
    canvas.StretchDraw(rect, const_cast<TRasterGraphic*>(this));
}

// --- TPngImage --------------------------------------------------------------------------

std::unique_ptr<TGraphic> TPngImage::Clone() const { return std::make_unique<TPngImage>(*this); }

void TPngImage::LoadFromBytes(const uint8_t* data, size_t size) {
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (size < 8 || std::memcmp(data, signature, 8) != 0) throw EInvalidGraphic("PNG image is not valid");
    QImage image;
    if (!image.loadFromData(data, static_cast<int>(std::min<size_t>(size, INT32_MAX)), "PNG"))
        throw EInvalidGraphic("PNG image is not valid");
    auto pixels = std::make_unique<TBitmap>();
    SetBitmapImage(*pixels, image);
    SetDecoded(std::move(pixels), TBytes(data, data + size));
}

void TPngImage::Assign(const TBitmap& bitmap) {
    auto pixels = std::make_unique<TBitmap>(bitmap);
    TBytes bytes = bitmap.Empty() ? TBytes{} : ToBytes(Encode(BitmapImage(bitmap), "PNG"));
    SetDecoded(std::move(pixels), std::move(bytes));
}

// --- TIcon ------------------------------------------------------------------------------

TIcon::TIcon() { FTransparent = true; }

std::unique_ptr<TGraphic> TIcon::Clone() const { return std::make_unique<TIcon>(*this); }

void TIcon::LoadFromBytes(const uint8_t* data, size_t size) {
    // An icon directory: reserved 0, type 1, at least one image.
    if (size < 6 || data[0] != 0 || data[1] != 0 || data[2] != 1 || data[3] != 0 ||
        (data[4] == 0 && data[5] == 0))
        throw EInvalidGraphic("Icon image is not valid");
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ICO");
    QImage best;
    int count = std::max(reader.imageCount(), 1);
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i)) break;
        QImage image = reader.read();
        if (image.isNull()) continue;
        if (best.isNull() || image.width() * image.height() > best.width() * best.height() ||
            (image.width() == best.width() && image.depth() > best.depth()))
            best = image;
    }
    if (best.isNull()) throw EInvalidGraphic("Icon image is not valid");
    auto pixels = std::make_unique<TBitmap>();
    SetBitmapImage(*pixels, best.convertToFormat(QImage::Format_ARGB32));
    SetDecoded(std::move(pixels), TBytes(data, data + size));
}

void TIcon::Draw(TCanvas& canvas, const TRect& rect) const {
    canvas.StretchDraw(rect, const_cast<TIcon*>(this));
}
