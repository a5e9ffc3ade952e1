// Image lists: cells cut from strips, transparency kept as alpha, drawn by index.
#include "platform/graphics/ImageList.h"

#include "platform/graphics/QtInternal.h"

#include <atomic>

namespace {
uint64_t NextStamp() {
    static std::atomic<uint64_t> stamp{0};
    return ++stamp;
}
}  // namespace

TImageList::TImageList(int width, int height)
    : FWidth(std::max(width, 1)), FHeight(std::max(height, 1)), FStamp(NextStamp()) {}

TImageList::~TImageList() = default;

TImageList::TImageList(const TImageList& other)
    : FWidth(other.FWidth), FHeight(other.FHeight), FStamp(NextStamp()), FImages(other.FImages) {}

TImageList& TImageList::operator=(const TImageList& other) {
    if (&other == this) return *this;
    FWidth = other.FWidth;
    FHeight = other.FHeight;
    FImages = other.FImages;
    Changed();
    return *this;
}

void TImageList::SetSize(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == FWidth && height == FHeight) return;
    FWidth = width;
    FHeight = height;
    FImages.clear();
    Changed();
}

void TImageList::Changed() {
    FStamp = NextStamp();
    if (OnChange) OnChange(this);
}

void TImageList::AddCells(const TBitmap& image, bool masked, TColor maskColor) {
    const QImage& source = BitmapImage(image);
    QRgb mask = ColorToQRgbValue(maskColor) & 0xFFFFFF;
    int cells = std::max(1, image.Width() / FWidth);
    for (int i = 0; i < cells; ++i) {
        QImage cell(FWidth, FHeight, QImage::Format_ARGB32);
        cell.fill(0);
        for (int y = 0; y < FHeight && y < source.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(cell.scanLine(y));
            for (int x = 0; x < FWidth; ++x) {
                int sx = i * FWidth + x;
                if (sx >= source.width()) break;
                QRgb v = source.pixel(sx, y);
                bool transparent = masked ? (v & 0xFFFFFF) == mask : qAlpha(v) == 0;
                row[x] = transparent ? 0 : (v | 0xFF000000u);
            }
        }
        auto bitmap = std::make_shared<TBitmap>();
        SetBitmapImage(*bitmap, cell);
        FImages.push_back(std::move(bitmap));
    }
}

int TImageList::AddMasked(const TBitmap& image, TColor maskColor) {
    int first = Count();
    if (image.Empty()) return -1;
    AddCells(image, true, maskColor);
    Changed();
    return first;
}

int TImageList::Add(const TBitmap& image) {
    int first = Count();
    if (image.Empty()) return -1;
    AddCells(image, false, clNone);
    Changed();
    return first;
}

void TImageList::Delete(int index) {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    FImages.erase(FImages.begin() + index);
    Changed();
}

void TImageList::Clear() {
    if (FImages.empty()) return;
    FImages.clear();
    Changed();
}

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) const {
    if (!canvas || index < 0 || index >= Count()) return;
    TBitmap* image = FImages[static_cast<size_t>(index)].get();
    if (enabled) {
        canvas->Draw(x, y, image);
        return;
    }
    // Greyed: the luminance, lightened towards white, transparency kept.
    QImage grey = BitmapImage(*image).convertToFormat(QImage::Format_ARGB32);
    for (int row = 0; row < grey.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(row));
        for (int col = 0; col < grey.width(); ++col) {
            QRgb v = line[col];
            int l = (qRed(v) * 299 + qGreen(v) * 587 + qBlue(v) * 114) / 1000;
            l = 128 + l / 2;
            line[col] = qRgba(l, l, l, qAlpha(v));
        }
    }
    TBitmap disabled;
    SetBitmapImage(disabled, grey);
    canvas->Draw(x, y, &disabled);
}

bool TImageList::GetBitmap(int index, TBitmap& bitmap) const {
    if (index < 0 || index >= Count()) return false;
    bitmap.SetSize(FWidth, FHeight);
    bitmap.Canvas()->Brush()->SetColor(clWhite);
    bitmap.Canvas()->FillRect(Bounds(0, 0, FWidth, FHeight));
    bitmap.Canvas()->Draw(0, 0, FImages[static_cast<size_t>(index)].get());
    return true;
}

bool TImageList::IsTransparent(int index, int x, int y) const {
    if (index < 0 || index >= Count()) return true;
    const QImage& image = BitmapImage(*FImages[static_cast<size_t>(index)]);
    if (!image.valid(x, y)) return true;
    return qAlpha(image.pixel(x, y)) == 0;
}
