#include "platform/ui/QtStyle.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>
#include <list>
#include <tuple>

namespace {

// The raster engine keeps a fill of fewer than 96 spans (a span: a run of one row) on the
// painting thread: a band of a bar this long gives a fill across the bar a span a row, a
// line along it a span a pixel, and leaves room for the ends of its outlines.
constexpr int kBand = 80;
// Pictures of bars kept: the bars of a few windows in their current states.
constexpr size_t kPictures = 12;

// Everything of a scroll bar's option that its picture depends on.
struct TBarKey {
    QSize Size;
    int Orientation, Minimum, Maximum, Position, PageStep, UpsideDown, State, Active, Sub, Direction;
    QPalette Palette;  // by its colours: each control holds a copy of its own
    explicit TBarKey(const QStyleOptionSlider& o)
        : Size(o.rect.size()), Orientation(o.orientation), Minimum(o.minimum), Maximum(o.maximum),
          Position(o.sliderPosition), PageStep(o.pageStep), UpsideDown(o.upsideDown), State(int(o.state)),
          Active(int(o.activeSubControls)), Sub(int(o.subControls)), Direction(o.direction),
          Palette(o.palette) {}
    bool operator==(const TBarKey& k) const {
        return Size == k.Size && std::tie(Orientation, Minimum, Maximum, Position, PageStep, UpsideDown, State,
                                          Active, Sub, Direction) ==
                                     std::tie(k.Orientation, k.Minimum, k.Maximum, k.Position, k.PageStep,
                                              k.UpsideDown, k.State, k.Active, k.Sub, k.Direction) &&
               Palette == k.Palette;
    }
};

class TPlatformStyle final : public QProxyStyle {
public:
    TPlatformStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    void drawComplexControl(ComplexControl Control, const QStyleOptionComplex* Option,
                            QPainter* Painter, const QWidget* Widget) const override {
        if (Control == CC_ScrollBar && Bandable(Option, Painter, Widget)) {
            const auto& bar = *static_cast<const QStyleOptionSlider*>(Option);
            const QImage& picture = Picture(bar, Widget);
            // Put down in bands too: the picture's rows are spans of the raster engine.
            for (int y = 0; y < picture.height(); y += kBand)
                Painter->drawImage(bar.rect.topLeft() + QPoint(0, y), Band(picture, false, y));
        } else {
            QProxyStyle::drawComplexControl(Control, Option, Painter, Widget);
        }
    }

private:
    mutable std::list<std::pair<TBarKey, QImage>> FPictures;  // the last drawn first

    // Fusion begins a scroll bar by filling its whole rectangle opaquely (unless the bar is
    // transient), so its picture needs nothing of what lies under it. Pictures are device
    // pixels: only a painter that merely moves, on an unscaled device, qualifies.
    bool Bandable(const QStyleOptionComplex* Option, QPainter* Painter, const QWidget* Widget) const {
        const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(Option);
        if (!bar || !Painter) return false;
        const int length = bar->orientation == Qt::Horizontal ? bar->rect.width() : bar->rect.height();
        if (length <= kBand || !(bar->subControls & SC_ScrollBarGroove)) return false;
        if (Painter->deviceTransform().type() > QTransform::TxTranslate || Painter->opacity() < 1) return false;
        if (!Painter->device() || Painter->device()->devicePixelRatioF() != 1) return false;
        return !proxy()->styleHint(SH_ScrollBar_Transient, Option, Widget);
    }

    // The band of Picture from the row or column From on, as a picture of its own over the
    // same pixels.
    static QImage Band(const QImage& Picture, bool Across, int From) {
        const int n = std::min(kBand, (Across ? Picture.width() : Picture.height()) - From);
        const uchar* bits = Picture.constBits() + (Across ? From * 4 : From * Picture.bytesPerLine());
        return QImage(const_cast<uchar*>(bits), Across ? n : Picture.width(), Across ? Picture.height() : n,
                      Picture.bytesPerLine(), Picture.format());
    }

    // The bar's picture, drawn band by band when no kept picture shows it.
    const QImage& Picture(const QStyleOptionSlider& Bar, const QWidget* Widget) const {
        const TBarKey key(Bar);
        for (auto it = FPictures.begin(); it != FPictures.end(); ++it)
            if (it->first == key) {
                FPictures.splice(FPictures.begin(), FPictures, it);
                return FPictures.front().second;
            }
        const QSize size = Bar.rect.size();
        QImage picture(size, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        QStyleOptionSlider at = Bar;
        at.rect = QRect(QPoint(0, 0), size);
        const bool across = Bar.orientation == Qt::Horizontal;  // bands side by side
        const int length = across ? size.width() : size.height();
        for (int from = 0; from < length; from += kBand) {
            QImage band = Band(picture, across, from);  // its edges clip the drawing
            QPainter p(&band);
            p.translate(across ? -from : 0, across ? 0 : -from);
            QProxyStyle::drawComplexControl(CC_ScrollBar, &at, &p, Widget);
        }
        FPictures.emplace_front(key, std::move(picture));
        if (FPictures.size() > kPictures) FPictures.pop_back();
        return FPictures.front().second;
    }
};

}  // namespace

QStyle* NewPlatformStyle() { return new TPlatformStyle; }
