#include "platform/ui/QtStyle.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>

namespace {

// The raster engine keeps a fill of fewer than 96 spans (a span: a run of one row) on the
// painting thread. A band this long holds at most two spans a row across the bar, or one
// a pixel along a line drawn the bar's length.
constexpr int kBand = 45;

class TPlatformStyle final : public QProxyStyle {
public:
    TPlatformStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    void drawComplexControl(ComplexControl Control, const QStyleOptionComplex* Option,
                            QPainter* Painter, const QWidget* Widget) const override {
        if (Control == CC_ScrollBar && Bandable(Option, Painter, Widget))
            DrawInBands(*static_cast<const QStyleOptionSlider*>(Option), Painter, Widget);
        else
            QProxyStyle::drawComplexControl(Control, Option, Painter, Widget);
    }

private:
    // Fusion begins a scroll bar by filling its whole rectangle opaquely (unless the bar is
    // transient), so each band of it can be drawn alone and put over whatever lies under it.
    // Bands are device pixels: only a painter that merely moves, on an unscaled device, qualifies.
    bool Bandable(const QStyleOptionComplex* Option, QPainter* Painter, const QWidget* Widget) const {
        const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(Option);
        if (!bar || !Painter) return false;
        const int length = bar->orientation == Qt::Horizontal ? bar->rect.width() : bar->rect.height();
        if (length <= kBand || !(bar->subControls & SC_ScrollBarGroove)) return false;
        if (Painter->deviceTransform().type() > QTransform::TxTranslate || Painter->opacity() < 1) return false;
        if (!Painter->device() || Painter->device()->devicePixelRatioF() != 1) return false;
        return !proxy()->styleHint(SH_ScrollBar_Transient, Option, Widget);
    }

    void DrawInBands(const QStyleOptionSlider& Bar, QPainter* Painter, const QWidget* Widget) const {
        const QRect r = Bar.rect;
        const bool across = Bar.orientation == Qt::Horizontal;  // bands side by side
        QImage band(across ? kBand : r.width(), across ? r.height() : kBand, QImage::Format_ARGB32_Premultiplied);
        const int end = across ? r.right() + 1 : r.bottom() + 1;
        for (int at = across ? r.left() : r.top(); at < end; at += kBand) {
            const int n = std::min(kBand, end - at);
            const QPoint origin = across ? QPoint(at, r.top()) : QPoint(r.left(), at);
            band.fill(Qt::transparent);
            {
                QPainter p(&band);
                p.setRenderHints(Painter->renderHints());
                p.setFont(Painter->font());
                p.setPen(Painter->pen());
                p.setBrush(Painter->brush());
                p.translate(-origin);
                QProxyStyle::drawComplexControl(CC_ScrollBar, &Bar, &p, Widget);
            }
            Painter->drawImage(origin, band, across ? QRect(0, 0, n, r.height()) : QRect(0, 0, r.width(), n));
        }
    }
};

}  // namespace

QStyle* NewPlatformStyle() { return new TPlatformStyle; }
