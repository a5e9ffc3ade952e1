// Shared by the drawing layer's Qt sources: the pixel store of a bitmap, the Qt devices
// behind canvases, and the conversions.
#pragma once

#include "platform/graphics/CanvasDevice.h"
#include "platform/graphics/QtBridge.h"

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <memory>

// The pixels of a TBitmap and the painter its canvas draws with while drawing goes on.
class TBitmapImage {
public:
    QImage Image;
    std::unique_ptr<QPainter> Painter;

    // The painter, opened on first use.
    QPainter& BeginPaint();
    // Ends the painter (before the image changes size or format).
    void EndPaint();
};

// A canvas device over a QPainter: a borrowed one (a widget's paint event), a bitmap's,
// or a printer's.
class TQtDevice : public TCanvasDevice {
public:
    // Borrowed painter.
    TQtDevice(QPainter* painter, int dpi, bool printer);
    // A bitmap: painter opened on demand.
    explicit TQtDevice(TBitmapImage* bitmap);

    int DpiX() const override { return FDpi; }
    int DpiY() const override { return FDpi; }
    bool IsPrinter() const override { return FPrinter; }
    TSize Size() const override;

    void Line(TCanvas& c, TPoint a, TPoint b) override;
    void Polyline(TCanvas& c, const std::vector<TPoint>& points) override;
    void Polygon(TCanvas& c, const std::vector<TPoint>& points) override;
    void Rectangle(TCanvas& c, const TRect& r) override;
    void RoundRect(TCanvas& c, const TRect& r, int cornerW, int cornerH) override;
    void Ellipse(TCanvas& c, const TRect& r) override;
    void FillRect(TCanvas& c, const TRect& r) override;
    void FrameRect(TCanvas& c, const TRect& r) override;
    void FocusRect(TCanvas& c, const TRect& r) override;
    void Text(TCanvas& c, const TTextJob& job) override;
    void DrawGraphic(TCanvas& c, const TRect& r, const TGraphic& g) override;
    void BrushCopy(TCanvas& c, const TRect& dest, const TBitmap& bitmap, const TRect& src,
                   TColor transparent) override;
    bool CopyRect(TCanvas& c, const TRect& dest, TCanvas& source, const TRect& src) override;
    TColor Pixel(int x, int y) const override;
    void SetPixel(TCanvas& c, int x, int y, TColor color) override;
    std::unique_ptr<TBitmap> Snapshot(const TRect& r) const override;
    // The clip set through the canvas, within the painter's own clip (a paint event's
    // region when the window layer set it before attaching the painter).
    TClipRegion Clip() const override;
    void SetClip(TCanvas& c, const TClipRegion& region) override;

    QPainter* Painter();
    // The image drawn on, null when the painter's device is no image.
    QImage* Image() const;
    void Detach() { FBorrowed = nullptr; }

private:
    QPainter& P();
    void ApplyClip(QPainter& p);
    void SetPenMode(QPainter& p, TPenMode mode);
    // Prepares the painter for an outline with the canvas pen; false when the pen draws
    // nothing. Dash gaps in opaque mode are painted first by the caller through
    // StyledGaps.
    bool ApplyPen(QPainter& p, const TCanvas& c);
    bool OpaqueGaps(const TCanvas& c) const;
    QPen GapPen(const TCanvas& c) const;
    // Fills path with the canvas brush (hatch background included).
    void FillWithBrush(QPainter& p, const TCanvas& c, const QPainterPath& path);
    template <class F> void Outline(QPainter& p, const TCanvas& c, F draw);

    QPainter* FBorrowed = nullptr;
    QRegion FBaseClip;
    bool FHasBaseClip = false;
    TBitmapImage* FBitmap = nullptr;
    int FDpi = 96;
    bool FPrinter = false;
    TClipRegion FClip;
};

QColor ToQColorOpaque(TColor color);
// The pixels of any raster graphic (a bitmap, JPEG, PNG or icon), with transparency as
// alpha; null for graphics without pixels.
const QImage* GraphicImage(const TGraphic& graphic);
// A copy of image with the pixels of colour transparent (alpha 0).
QImage MaskColor(const QImage& image, QRgb colour);
