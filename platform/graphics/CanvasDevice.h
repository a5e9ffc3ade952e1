// The device behind a canvas: what a bitmap, a window, a printer page or a recording
// does with the drawing calls. TCanvas resolves the pen position, the text advances
// and the metrics, then hands each call here with itself for the pen, brush, font and
// background in force. For the drawing layer's own classes only.
#pragma once

#include "platform/graphics/Graphics.h"

#include <string>
#include <vector>

// One text output with everything measured: Advances has one entry per character
// (empty when the device may use its native advances), Width their sum, Metric the
// font's metrics.
struct TTextJob {
    int X = 0;
    int Y = 0;
    unsigned Options = 0;
    bool HasRect = false;
    TRect Rect;
    std::string Text;
    std::vector<int> Advances;
    int Width = 0;
    TTextMetric Metric;
    // Underline this character only (DrawText's "&" prefix), -1 for none.
    int PrefixIndex = -1;
};

class TCanvasDevice {
public:
    virtual ~TCanvasDevice() = default;
    virtual int DpiX() const { return 96; }
    virtual int DpiY() const { return 96; }
    virtual bool IsPrinter() const { return false; }
    virtual bool IsRecording() const { return false; }
    virtual TSize Size() const { return {}; }

    virtual void Line(TCanvas& c, TPoint a, TPoint b) = 0;
    virtual void Polyline(TCanvas& c, const std::vector<TPoint>& points) = 0;
    virtual void Polygon(TCanvas& c, const std::vector<TPoint>& points) = 0;
    virtual void Rectangle(TCanvas& c, const TRect& r) = 0;
    virtual void RoundRect(TCanvas& c, const TRect& r, int cornerW, int cornerH) = 0;
    virtual void Ellipse(TCanvas& c, const TRect& r) = 0;
    virtual void FillRect(TCanvas& c, const TRect& r) = 0;
    virtual void FrameRect(TCanvas& c, const TRect& r) = 0;
    virtual void FocusRect(TCanvas& c, const TRect& r) = 0;
    virtual void Text(TCanvas& c, const TTextJob& job) = 0;
    virtual void DrawGraphic(TCanvas& c, const TRect& r, const TGraphic& g) = 0;
    virtual void BrushCopy(TCanvas& c, const TRect& dest, const TBitmap& bitmap, const TRect& src,
                           TColor transparent) = 0;
    // Copies from a canvas that has pixels; false when source has none.
    virtual bool CopyRect(TCanvas& c, const TRect& dest, TCanvas& source, const TRect& src) = 0;
    virtual TColor Pixel(int x, int y) const { return clNone; }
    virtual void SetPixel(TCanvas& c, int x, int y, TColor color) = 0;
    // The pixels of a rectangle as a new bitmap (for CopyRect sources); null when the
    // device has no pixels.
    virtual std::unique_ptr<TBitmap> Snapshot(const TRect& r) const { return nullptr; }

    virtual TClipRegion Clip() const = 0;
    virtual void SetClip(TCanvas& c, const TClipRegion& region) = 0;
};
