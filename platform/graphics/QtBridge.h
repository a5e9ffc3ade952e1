// The Qt side of the drawing layer, for the window layer only (platform/ui): the Qt
// objects behind fonts, colours, bitmaps and canvases. Nothing above platform/ includes
// this header.
#pragma once

#include "platform/graphics/Graphics.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <memory>

class QPainter;
class QPaintDevice;

// The font as Qt draws it: the family through fontconfig, the pixel size from Height,
// no kerning, no ligatures, no hinting.
QFont ToQFont(const TFont& font);
// Fills a TFont from a Qt font (pixel size to Height at 96 dpi).
void FromQFont(const QFont& qfont, TFont& font);
// System colours resolved; clNone gives a transparent colour.
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

// The pixels of a bitmap (Format_RGB32). The reference stays valid while the bitmap
// lives and keeps its size; drawing into it with a QPainter is seen by the bitmap.
QImage& BitmapImage(TBitmap& bitmap);
const QImage& BitmapImage(const TBitmap& bitmap);
// The bitmap takes a copy of image (converted to 24-bit colour).
void SetBitmapImage(TBitmap& bitmap, const QImage& image);

// A canvas over a painter that its caller owns, e.g. in a widget's paint event: the
// canvas draws through painter until DetachPainter (or until it is destroyed). dpi is
// the logical resolution of the canvas (96 for windows).
void AttachPainter(TCanvas& canvas, QPainter* painter, int dpi = 96);
void DetachPainter(TCanvas& canvas);
// The painter a canvas draws through, null for canvases without one (a recording, a
// canvas without a device). A bitmap canvas opens its painter on demand.
QPainter* CanvasPainter(TCanvas& canvas);
