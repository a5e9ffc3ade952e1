// The canvas over QPainter with the platform's drawing rules, the real text measurer,
// and the Qt conversions of QtBridge.h.
#include "platform/graphics/Metafile.h"
#include "platform/graphics/QtInternal.h"
#include "platform/graphics/TextMeasurer.h"

#include "platform/rtl/StrUtils.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QRawFont>
#include <QTextLayout>
#include <QPainterPath>
#include <QPaintDevice>
#include <cmath>
#include <unordered_map>

// --- Conversions ------------------------------------------------------------------------

QColor ToQColorOpaque(TColor color) {
    uint32_t v = ColorToQRgbValue(color);
    return QColor((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

QColor ToQColor(TColor color) {
    if (color == clNone) return QColor(0, 0, 0, 0);
    return ToQColorOpaque(color);
}

TColor FromQColor(const QColor& color) { return RGB(color.red(), color.green(), color.blue()); }

namespace {

void RequireApplication() {
    if (!QGuiApplication::instance())
        throw EInvalidGraphicOperation("Fonts need the application object (QGuiApplication)");
}

QString ToQString(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QFont BaseFont(const TFont& font, int pixelSize) {
    QFont f(ToQString(font.Name()));
    f.setPixelSize(std::max(pixelSize, 1));
    TFontStyles style = font.Style();
    f.setBold(style.Contains(fsBold));
    f.setItalic(style.Contains(fsItalic));
    f.setUnderline(style.Contains(fsUnderline));
    f.setStrikeOut(style.Contains(fsStrikeOut));
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferNoShaping | QFont::NoSubpixelAntialias));
    if (font.Pitch() == fpFixed) {
        f.setFixedPitch(true);
        f.setStyleHint(QFont::Monospace);
    }
    return f;
}

// One glyph of a character as Qt lays the character out alone in the font: the face it
// comes from (the font's own or a fallback, an index into TFontEntry::Faces), the glyph,
// and its place relative to the character's origin on the baseline.
struct TGlyph {
    int Face = 0;
    quint32 Index = 0;
    QPointF Offset;
    QRectF Bounds;   // the glyph's box from its origin
};

// What the measurer keeps per font: the Qt font, and once the font is first measured
// its metrics and the advances seen. Making the Qt font needs no font file; measuring
// loads the font's engine (a fontconfig match and the face), so that waits for the
// first measurement: a form read from its resource passes through fonts it never
// measures (Font.Height set before Font.Name and Font.Style). Drawing keeps the glyphs
// of the characters it has drawn and the faces they come from.
struct TFontEntry {
    QFont Font;
    int Em = 0;
    bool Measured = false;
    TTextMetric Metric;
    std::unique_ptr<QFontMetricsF> Metrics;
    std::unordered_map<char32_t, double> Advances;
    std::vector<QRawFont> Faces;
    std::unordered_map<char32_t, std::vector<TGlyph>> Glyphs;
};

std::string FontKey(const TFont& font) {
    std::string key = font.Name();
    key += '\x1f';
    key += std::to_string(font.Height());
    key += '\x1f';
    key += std::to_string(font.Style().Mask());
    key += '\x1f';
    key += std::to_string(static_cast<int>(font.Pitch()));
    return key;
}

int PixelSizeOf(const TFont& font) {
    int height = font.Height();
    if (height < 0) return -height;
    if (height == 0) return -TFont::DefaultHeight;
    // A positive height is the cell (ascent + descent): find the em that gives it.
    QFont probe = BaseFont(font, 1000);
    QFontMetricsF fm(probe);
    double cell = fm.ascent() + fm.descent();
    if (cell <= 0) return height;
    return std::max(1, static_cast<int>(std::lround(height * 1000.0 / cell)));
}

// The fonts asked for last, compared field by field before the key is built: layout and
// drawing go back and forth between a few fonts for every text.
struct TRecentFont {
    std::string Name;
    int Height = 0;
    decltype(TFontStyles().Mask()) Style{};
    TFontPitch Pitch = fpDefault;
    TFontEntry* Entry = nullptr;
    bool Matches(const TFont& font) const {
        return Entry && Height == font.Height() && Style == font.Style().Mask() && Pitch == font.Pitch() &&
               Name == font.Name();
    }
};

TFontEntry& EntryOf(const TFont& font) {
    RequireApplication();
    static std::unordered_map<std::string, std::unique_ptr<TFontEntry>> cache;
    static TRecentFont recent[4];
    static unsigned next = 0;
    for (const TRecentFont& r : recent)
        if (r.Matches(font)) return *r.Entry;
    std::string key = FontKey(font);
    auto it = cache.find(key);
    TFontEntry* entry = nullptr;
    if (it != cache.end()) {
        entry = it->second.get();
    } else {
        if (cache.size() > 512) {
            cache.clear();
            for (TRecentFont& r : recent) r.Entry = nullptr;
        }
        auto made = std::make_unique<TFontEntry>();
        made->Em = PixelSizeOf(font);
        made->Font = BaseFont(font, made->Em);
        entry = cache.emplace(key, std::move(made)).first->second.get();
    }
    TRecentFont& r = recent[next++ % std::size(recent)];
    r = {font.Name(), font.Height(), font.Style().Mask(), font.Pitch(), entry};
    return *entry;
}

TFontEntry& MeasuredEntryOf(const TFont& font) {
    TFontEntry& entry = EntryOf(font);
    if (entry.Measured) return entry;
    entry.Metrics = std::make_unique<QFontMetricsF>(entry.Font);
    QFontMetrics im(entry.Font);
    TTextMetric& m = entry.Metric;
    m.Ascent = im.ascent();
    m.Descent = im.descent();
    m.Height = m.Ascent + m.Descent;
    m.InternalLeading = std::max(0, m.Height - entry.Em);
    m.ExternalLeading = std::max(0, im.leading());
    m.AveCharWidth = im.averageCharWidth();
    m.MaxCharWidth = im.maxWidth();
    entry.Measured = true;
    return entry;
}

double AdvanceOf(TFontEntry& entry, char32_t c) {
    auto it = entry.Advances.find(c);
    if (it != entry.Advances.end()) return it->second;
    double a = entry.Metrics->horizontalAdvance(QString::fromUcs4(&c, 1));
    entry.Advances.emplace(c, a);
    return a;
}

int FaceIndex(TFontEntry& entry, const QRawFont& face) {
    for (size_t i = 0; i < entry.Faces.size(); ++i)
        if (entry.Faces[i] == face) return static_cast<int>(i);
    entry.Faces.push_back(face);
    return static_cast<int>(entry.Faces.size() - 1);
}

// The glyphs that drawing the character alone in the font shows (a fallback face's for a
// character the font lacks), laid out once per font.
const std::vector<TGlyph>& GlyphsOf(TFontEntry& entry, char32_t c) {
    auto it = entry.Glyphs.find(c);
    if (it != entry.Glyphs.end()) return it->second;
    std::vector<TGlyph> glyphs;
    QTextLayout layout(QString::fromUcs4(&c, 1), entry.Font);
    layout.setCacheEnabled(false);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    const double baseline = line.isValid() ? line.ascent() : 0;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const int face = FaceIndex(entry, run.rawFont());
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < indexes.size() && i < positions.size(); ++i)
            glyphs.push_back({face, indexes[i], QPointF(positions[i].x(), positions[i].y() - baseline),
                              run.rawFont().boundingRect(indexes[i])});
    }
    return entry.Glyphs.emplace(c, std::move(glyphs)).first->second;
}

class TQtTextMeasurer final : public TTextMeasurer {
public:
    std::vector<int> Extents(const TFont& font, std::string_view text) const override {
        std::vector<int> result;
        if (text.empty()) return result;
        result.reserve(text.size());   // a byte or more a character
        TFontEntry& entry = MeasuredEntryOf(font);
        double sum = 0;
        size_t pos = 0;
        while (pos < text.size()) {
            sum += AdvanceOf(entry, NextCodePoint(text, pos));
            result.push_back(static_cast<int>(std::lround(sum)));
        }
        return result;
    }
    TTextMetric Metrics(const TFont& font) const override { return MeasuredEntryOf(font).Metric; }
    bool IsNative() const override { return true; }
};

}  // namespace

const TTextMeasurer& QtTextMeasurer() {
    static const TQtTextMeasurer measurer;
    return measurer;
}

QFont ToQFont(const TFont& font) { return EntryOf(font).Font; }

void FromQFont(const QFont& qfont, TFont& font) {
    font.SetName(qfont.family().toStdString());
    int px = qfont.pixelSize();
    if (px <= 0) px = static_cast<int>(std::lround(qfont.pointSizeF() * 96.0 / 72.0));
    font.SetHeight(-px);
    TFontStyles style;
    if (qfont.bold()) style.Include(fsBold);
    if (qfont.italic()) style.Include(fsItalic);
    if (qfont.underline()) style.Include(fsUnderline);
    if (qfont.strikeOut()) style.Include(fsStrikeOut);
    font.SetStyle(style);
    font.SetPitch(qfont.fixedPitch() ? fpFixed : fpDefault);
}

// --- Bitmap pixels ----------------------------------------------------------------------

QPainter& TBitmapImage::BeginPaint() {
    if (!Painter) {
        Painter = std::make_unique<QPainter>();
        if (!Image.isNull()) Painter->begin(&Image);
    }
    return *Painter;
}

void TBitmapImage::EndPaint() {
    if (!Painter) return;
    if (Painter->isActive()) Painter->end();
    Painter.reset();
}

// --- The Qt device ----------------------------------------------------------------------

TQtDevice::TQtDevice(QPainter* painter, int dpi, bool printer)
    : FBorrowed(painter), FDpi(dpi), FPrinter(printer) {
    if (painter && painter->hasClipping()) {
        FBaseClip = painter->clipRegion();
        FHasBaseClip = true;
    }
}

TQtDevice::TQtDevice(TBitmapImage* bitmap) : FBitmap(bitmap) {}

QPainter* TQtDevice::Painter() {
    if (FBorrowed) return FBorrowed;
    if (FBitmap && !FBitmap->Image.isNull()) return &P();
    return nullptr;
}

QPainter& TQtDevice::P() {
    if (FBorrowed) return *FBorrowed;
    if (!FBitmap) throw EInvalidGraphicOperation("Canvas does not allow drawing");
    bool fresh = !FBitmap->Painter;
    QPainter& p = FBitmap->BeginPaint();
    if (fresh) ApplyClip(p);
    return p;
}

QImage* TQtDevice::Image() const {
    if (FBitmap) return &FBitmap->Image;
    if (FBorrowed && FBorrowed->device() && FBorrowed->device()->devType() == QInternal::Image)
        return static_cast<QImage*>(FBorrowed->device());
    return nullptr;
}

TSize TQtDevice::Size() const {
    if (FBitmap) return {FBitmap->Image.width(), FBitmap->Image.height()};
    if (FBorrowed && FBorrowed->device())
        return {FBorrowed->device()->width(), FBorrowed->device()->height()};
    return {};
}

namespace {

QRegion RegionOf(const TClipRegion& region) {
    QRegion r;
    for (const TRect& rect : region.Rects)
        if (!rect.IsEmpty()) r += QRect(rect.Left, rect.Top, rect.Width(), rect.Height());
    return r;
}

QRect QR(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

bool PainterUsable(QPainter& p) { return p.isActive(); }

// The dash patterns of one-pixel pens, in pixels (on, off, ...).
QList<qreal> DashPattern(TPenStyle style) {
    switch (style) {
    case psDash: return {18, 6};
    case psDot: return {3, 3};
    case psDashDot: return {9, 6, 3, 6};
    case psDashDotDot: return {9, 3, 3, 3, 3, 3};
    case psSolid:
    case psClear:
    case psInsideFrame: return {};
    }
    return {};
}

Qt::BrushStyle HatchStyle(TBrushStyle style) {
    switch (style) {
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::FDiagPattern;
    case bsBDiagonal: return Qt::BDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    case bsSolid: return Qt::SolidPattern;
    case bsClear: return Qt::NoBrush;
    }
    return Qt::NoBrush;
}

bool IsHatch(TBrushStyle style) { return style != bsSolid && style != bsClear; }

TColor FromQRgb(QRgb v) { return RGB(qRed(v), qGreen(v), qBlue(v)); }

}  // namespace

void TQtDevice::ApplyClip(QPainter& p) {
    if (!PainterUsable(p)) return;
    if (!FClip.Clipped) {
        if (FHasBaseClip) p.setClipRegion(FBaseClip);
        else p.setClipping(false);
        return;
    }
    QRegion r = RegionOf(FClip);
    if (FHasBaseClip) r = r.intersected(FBaseClip);
    p.setClipRegion(r);
}

TClipRegion TQtDevice::Clip() const {
    if (!FHasBaseClip) return FClip;
    QRegion r = FClip.Clipped ? RegionOf(FClip).intersected(FBaseClip) : FBaseClip;
    TClipRegion out;
    out.Clipped = true;
    for (const QRect& q : r) out.Rects.push_back(Bounds(q.x(), q.y(), q.width(), q.height()));
    return out;
}

void TQtDevice::SetClip(TCanvas&, const TClipRegion& region) {
    FClip = region;
    if (FBorrowed) ApplyClip(*FBorrowed);
    else if (FBitmap && FBitmap->Painter) ApplyClip(*FBitmap->Painter);
}

void TQtDevice::SetPenMode(QPainter& p, TPenMode mode) {
    // Raster operations only exist on pixel devices; elsewhere everything copies.
    QPainter::CompositionMode m = QPainter::CompositionMode_SourceOver;
    bool raster = Image() != nullptr || (p.device() && p.device()->devType() == QInternal::Widget);
    if (raster) {
        switch (mode) {
        case pmNot: m = QPainter::RasterOp_NotDestination; break;
        case pmNotCopy: m = QPainter::RasterOp_NotSource; break;
        case pmMergePenNot: m = QPainter::RasterOp_SourceOrNotDestination; break;
        case pmMaskPenNot: m = QPainter::RasterOp_SourceAndNotDestination; break;
        case pmMergeNotPen: m = QPainter::RasterOp_NotSourceOrDestination; break;
        case pmMaskNotPen: m = QPainter::RasterOp_NotSourceAndDestination; break;
        case pmMerge: m = QPainter::RasterOp_SourceOrDestination; break;
        case pmNotMerge: m = QPainter::RasterOp_NotSourceAndNotDestination; break;
        case pmMask: m = QPainter::RasterOp_SourceAndDestination; break;
        case pmNotMask: m = QPainter::RasterOp_NotSourceOrNotDestination; break;
        case pmXor: m = QPainter::RasterOp_SourceXorDestination; break;
        case pmNotXor: m = QPainter::RasterOp_NotSourceXorDestination; break;
        case pmBlack:
        case pmWhite:
        case pmNop:
        case pmCopy: break;
        }
    }
    p.setCompositionMode(m);
}

bool TQtDevice::ApplyPen(QPainter& p, const TCanvas& c) {
    const TPen& pen = *const_cast<TCanvas&>(c).Pen();
    if (pen.Style() == psClear || pen.Mode() == pmNop) return false;
    QColor colour = pen.Mode() == pmBlack   ? QColor(0, 0, 0)
                    : pen.Mode() == pmWhite ? QColor(255, 255, 255)
                                            : ToQColorOpaque(pen.Color());
    QPen q(colour);
    p.setRenderHint(QPainter::Antialiasing, false);
    SetPenMode(p, pen.Mode());
    if (pen.Width() <= 1) {
        q.setWidth(1);
        q.setCosmetic(true);
        q.setCapStyle(Qt::FlatCap);
        q.setJoinStyle(Qt::MiterJoin);
        QList<qreal> dashes = DashPattern(pen.Style());
        if (!dashes.isEmpty()) q.setDashPattern(dashes);
    } else {
        q.setWidth(pen.Width());
        q.setCapStyle(Qt::RoundCap);
        q.setJoinStyle(Qt::RoundJoin);
    }
    p.setPen(q);
    return true;
}

bool TQtDevice::OpaqueGaps(const TCanvas& c) const {
    const TPen& pen = *const_cast<TCanvas&>(c).Pen();
    return c.BkMode() == bkOpaque && pen.Width() <= 1 && !DashPattern(pen.Style()).isEmpty() &&
           pen.Mode() == pmCopy;
}

QPen TQtDevice::GapPen(const TCanvas& c) const {
    QPen q(ToQColorOpaque(c.BkColor()));
    q.setWidth(1);
    q.setCosmetic(true);
    q.setCapStyle(Qt::FlatCap);
    return q;
}

// Draws an outline: the gaps of a styled pen first (opaque mode), then the pen.
template <class F>
void TQtDevice::Outline(QPainter& p, const TCanvas& c, F draw) {
    if (!ApplyPen(p, c)) return;
    p.setBrush(Qt::NoBrush);
    if (OpaqueGaps(c)) {
        QPen pen = p.pen();
        p.setPen(GapPen(c));
        draw();
        p.setPen(pen);
    }
    draw();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TQtDevice::FillWithBrush(QPainter& p, const TCanvas& c, const QPainterPath& path) {
    const TBrush& brush = *const_cast<TCanvas&>(c).Brush();
    if (brush.Style() == bsClear) return;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(Qt::NoPen);
    if (IsHatch(brush.Style()) && c.BkMode() == bkOpaque) p.fillPath(path, ToQColorOpaque(c.BkColor()));
    p.setBrushOrigin(0, 0);
    p.fillPath(path, QBrush(ToQColorOpaque(brush.Color()), HatchStyle(brush.Style())));
}

namespace {

// One line segment by the platform's rule: one-pixel lines leave out the end point;
// wider lines are centred on the pixel centres and have round ends. Qt's one-pixel
// lines leave out the pixel at the far end in their own drawing direction (left to
// right, top to bottom), so a line drawn the other way is drawn from the pixel after
// its end point back to the pixel after its start.
void Segment(QPainter& p, TPoint a, TPoint b, int width) {
    if (width > 1) {
        p.drawLine(QPointF(a.X + 0.5, a.Y + 0.5), QPointF(b.X + 0.5, b.Y + 0.5));
        return;
    }
    int dx = b.X - a.X, dy = b.Y - a.Y;
    if (dx == 0 && dy == 0) return;
    bool xMajor = std::abs(dx) >= std::abs(dy);
    bool backward = xMajor ? dx < 0 : dy < 0;
    if (!backward) {
        p.drawLine(QPoint(a.X, a.Y), QPoint(b.X, b.Y));
        return;
    }
    // One step of the line from b towards a: a unit on the major axis, the rounded
    // slope on the other.
    int n = std::max(std::abs(dx), std::abs(dy));
    int sx = static_cast<int>(std::lround(-dx / static_cast<double>(n)));
    int sy = static_cast<int>(std::lround(-dy / static_cast<double>(n)));
    p.drawLine(QPoint(b.X + sx, b.Y + sy), QPoint(a.X + sx, a.Y + sy));
}

}  // namespace

void TQtDevice::Line(TCanvas& c, TPoint a, TPoint b) {
    QPainter& p = P();
    if (!PainterUsable(p)) return;
    int width = c.Pen()->Width();
    Outline(p, c, [&] { Segment(p, a, b, width); });
}

void TQtDevice::Polyline(TCanvas& c, const std::vector<TPoint>& points) {
    QPainter& p = P();
    if (!PainterUsable(p)) return;
    int width = c.Pen()->Width();
    if (width > 1) {
        QPolygonF poly;
        for (const TPoint& pt : points) poly << QPointF(pt.X + 0.5, pt.Y + 0.5);
        Outline(p, c, [&] { p.drawPolyline(poly); });
        return;
    }
    Outline(p, c, [&] {
        for (size_t i = 1; i < points.size(); ++i) Segment(p, points[i - 1], points[i], width);
    });
}

void TQtDevice::Polygon(TCanvas& c, const std::vector<TPoint>& points) {
    QPainter& p = P();
    if (!PainterUsable(p)) return;
    QPolygon poly;
    for (const TPoint& pt : points) poly << QPoint(pt.X, pt.Y);
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addPolygon(QPolygonF(poly));
    path.closeSubpath();
    FillWithBrush(p, c, path);
    if (c.Pen()->Width() > 1) {
        QPolygonF shifted;
        for (const TPoint& pt : points) shifted << QPointF(pt.X + 0.5, pt.Y + 0.5);
        Outline(p, c, [&] { p.drawPolygon(shifted); });
    } else {
        Outline(p, c, [&] { p.drawPolygon(poly); });
    }
}

namespace {

// The outline rectangle of a shape for the pen: one-pixel pens run on the outermost
// pixels (right and bottom edges excluded); wider pens are centred on that line, or
// kept inside the bounds with psInsideFrame.
QRectF OutlineRect(const TRect& r, const TPen& pen) {
    QRectF q(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
    if (pen.Width() > 1) {
        q.translate(0.5, 0.5);
        if (pen.Style() == psInsideFrame) {
            double inset = pen.Width() / 2.0 - 0.5;
            q.adjust(inset, inset, -inset, -inset);
        }
    }
    return q;
}

}  // namespace

void TQtDevice::Rectangle(TCanvas& c, const TRect& r) {
    QPainter& p = P();
    if (!PainterUsable(p) || r.IsEmpty()) return;
    const TPen& pen = *c.Pen();
    bool noPen = pen.Style() == psClear;
    // Without a pen the platform fills one pixel less to the right and bottom.
    TRect fill = noPen ? TRect{r.Left, r.Top, r.Right - 1, r.Bottom - 1} : r;
    if (!fill.IsEmpty()) {
        QPainterPath path;
        path.addRect(QR(fill));
        FillWithBrush(p, c, path);
    }
    if (noPen) return;
    QRectF o = OutlineRect(r, pen);
    Outline(p, c, [&] { p.drawRect(o); });
}

void TQtDevice::RoundRect(TCanvas& c, const TRect& r, int cornerW, int cornerH) {
    QPainter& p = P();
    if (!PainterUsable(p) || r.IsEmpty()) return;
    QRectF o = OutlineRect(r, *c.Pen());
    QPainterPath path;
    path.addRoundedRect(QRectF(r.Left, r.Top, r.Width() - 1, r.Height() - 1), cornerW / 2.0,
                        cornerH / 2.0);
    FillWithBrush(p, c, path);
    Outline(p, c, [&] { p.drawRoundedRect(o, cornerW / 2.0, cornerH / 2.0); });
}

void TQtDevice::Ellipse(TCanvas& c, const TRect& r) {
    QPainter& p = P();
    if (!PainterUsable(p) || r.IsEmpty()) return;
    QRectF o = OutlineRect(r, *c.Pen());
    QPainterPath path;
    path.addEllipse(QRectF(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
    FillWithBrush(p, c, path);
    Outline(p, c, [&] { p.drawEllipse(o); });
}

void TQtDevice::FillRect(TCanvas& c, const TRect& r) {
    QPainter& p = P();
    if (!PainterUsable(p)) return;
    QPainterPath path;
    path.addRect(QR(r));
    FillWithBrush(p, c, path);
}

void TQtDevice::FrameRect(TCanvas& c, const TRect& r) {
    QPainter& p = P();
    if (!PainterUsable(p)) return;
    QPainterPath path;
    path.addRect(QR(r));
    if (r.Width() > 2 && r.Height() > 2) {
        QPainterPath inner;
        inner.addRect(QRect(r.Left + 1, r.Top + 1, r.Width() - 2, r.Height() - 2));
        path = path.subtracted(inner);
    }
    FillWithBrush(p, c, path);
}

void TQtDevice::FocusRect(TCanvas&, const TRect& r) {
    QPainter& p = P();
    if (!PainterUsable(p)) return;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setCompositionMode(Image() ? QPainter::RasterOp_SourceXorDestination
                                 : QPainter::CompositionMode_SourceOver);
    p.setPen(QPen(QColor(255, 255, 255), 1));
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0) p.drawPoint(x, y);
    };
    for (int x = r.Left; x < r.Right; ++x) {
        dot(x, r.Top);
        if (r.Bottom - 1 > r.Top) dot(x, r.Bottom - 1);
    }
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        dot(r.Left, y);
        if (r.Right - 1 > r.Left) dot(r.Right - 1, y);
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

namespace {

// The underline and strike-out of a text of the given width, placed as Qt places a
// font's own: the underline a pixel-centred line below the baseline (within the
// descent), the strike-out a third of the ascent above it, both as thick as the font's
// lines. Gives false when the font has neither.
bool DecorationLines(const QFont& font, const QFontMetricsF& fm, double width, double baseline,
                     std::vector<QLineF>& lines) {
    if (!font.underline() && !font.strikeOut()) return false;
    const double x1 = 0, x2 = std::floor(width);
    if (font.underline()) {
        const double offset = fm.underlinePos();
        double adjusted = std::ceil(offset) + 0.5;
        if (offset <= fm.descent()) adjusted = std::min(adjusted, fm.descent() - 0.5);
        lines.emplace_back(x1, baseline + adjusted, x2, baseline + adjusted);
    }
    if (font.strikeOut()) lines.emplace_back(x1, baseline - fm.ascent() / 3.0, x2, baseline - fm.ascent() / 3.0);
    return true;
}

// A text with its advances as positioned glyph runs: each character's glyphs at the
// character's place, one run per face (the font's own, a fallback face for characters it
// lacks), so the text is shaped once per font and character, and a PDF gets one text
// object per run instead of one per character. Blanks draw no glyph. Ink is the box the
// glyphs cover, from the text's origin.
struct TGlyphRuns {
    std::vector<QGlyphRun> Runs;
    QRectF Ink;
    double Width = 0;
};

void PlaceGlyphs(TFontEntry& entry, const std::u32string& chars, const std::vector<int>& advances, double baseline,
                 TGlyphRuns& out) {
    // Room for a glyph a character, as most characters have one glyph of the font's own
    // face (a run ends only where the face changes).
    QList<quint32> indexes;
    QList<QPointF> positions;
    indexes.reserve(static_cast<qsizetype>(chars.size()));
    positions.reserve(static_cast<qsizetype>(chars.size()));
    int face = -1;
    auto flush = [&] {
        if (indexes.isEmpty()) return;
        QGlyphRun& run = out.Runs.emplace_back();
        run.setRawFont(entry.Faces[static_cast<size_t>(face)]);
        run.setGlyphIndexes(indexes);
        run.setPositions(positions);
        indexes = {};
        positions = {};
    };
    double x = 0;
    for (size_t i = 0; i < chars.size(); ++i) {
        const char32_t ch = chars[i];
        if (ch != U' ') {
            for (const TGlyph& g : GlyphsOf(entry, ch)) {
                if (g.Face != face) {
                    flush();
                    face = g.Face;
                }
                const QPointF at(x + g.Offset.x(), baseline + g.Offset.y());
                indexes.append(g.Index);
                positions.append(at);
                if (!g.Bounds.isEmpty()) out.Ink |= g.Bounds.translated(at);
            }
        }
        x += i < advances.size() ? advances[i] : 0;
    }
    flush();
    out.Width = x;
}

// Whether what a text draws (its ink, its cell when the background is opaque, its
// lines) stays inside rect with a pixel to spare for anti-aliasing: then clipping to
// rect changes no pixel and is left out.
bool InsideRect(const QRectF& drawn, const TRect& rect) {
    if (drawn.isEmpty()) return true;
    return std::floor(drawn.left()) - 1 >= rect.Left && std::ceil(drawn.right()) + 1 <= rect.Right &&
           std::floor(drawn.top()) - 1 >= rect.Top && std::ceil(drawn.bottom()) + 1 <= rect.Bottom;
}

}  // namespace

// Text with advances is drawn as positioned glyph runs (PlaceGlyphs); text without them
// (the window layer's captions) as one string in the font, with Qt's own advances. A text
// that needs no clip and no turn is drawn without saving the painter's state.
void TQtDevice::Text(TCanvas& c, const TTextJob& job) {
    QPainter& p = P();
    if (!PainterUsable(p)) return;
    const TFont& font = *c.Font();
    const double baseline = job.Metric.Ascent;
    const std::u32string chars = Utf8ToU32(job.Text);
    const bool positioned = !job.Advances.empty();
    const bool opaqueCell = c.BkMode() == bkOpaque && job.Width > 0;
    const QColor bk = ToQColorOpaque(c.BkColor());
    TGlyphRuns glyphs;
    std::vector<QLineF> lines;
    TFontEntry* entry = nullptr;
    if (positioned) {
        entry = &MeasuredEntryOf(font);
        PlaceGlyphs(*entry, chars, job.Advances, baseline, glyphs);
        DecorationLines(entry->Font, *entry->Metrics, glyphs.Width, baseline, lines);
    }
    auto drawGlyphs = [&](const QPointF& origin) {
        for (const QGlyphRun& run : glyphs.Runs) p.drawGlyphRun(origin, run);
        if (lines.empty()) return;
        QPen pen = p.pen();
        pen.setWidthF(entry->Metrics->lineWidth());
        pen.setCapStyle(Qt::FlatCap);
        p.setPen(pen);
        for (const QLineF& line : lines) p.drawLine(line.translated(origin));
    };
    const bool clipped = job.HasRect && (job.Options & ETO_CLIPPED);
    bool direct = positioned && font.Orientation() == 0 && job.PrefixIndex < 0;
    if (direct && clipped) {
        QRectF drawn = glyphs.Ink;
        for (const QLineF& line : lines)
            drawn |= QRectF(line.x1(), line.y1() - entry->Metrics->lineWidth(), line.x2() - line.x1(),
                            2 * entry->Metrics->lineWidth());
        if (opaqueCell) drawn |= QRectF(0, 0, job.Width, job.Metric.Height);
        direct = InsideRect(drawn.translated(job.X, job.Y), job.Rect);
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    if (direct) {
        if (job.HasRect && (job.Options & ETO_OPAQUE)) p.fillRect(QR(job.Rect), bk);
        if (opaqueCell) p.fillRect(QRect(job.X, job.Y, job.Width, job.Metric.Height), bk);
        p.setPen(ToQColorOpaque(font.Color()));
        drawGlyphs(QPointF(job.X, job.Y));
        return;
    }
    p.save();
    if (job.HasRect && (job.Options & ETO_OPAQUE)) p.fillRect(QR(job.Rect), bk);
    if (clipped) {
        if (p.hasClipping()) p.setClipRect(QR(job.Rect), Qt::IntersectClip);
        else p.setClipRect(QR(job.Rect));
    }
    p.translate(job.X, job.Y);
    if (font.Orientation() != 0) p.rotate(-font.Orientation() / 10.0);
    if (opaqueCell) p.fillRect(QRect(0, 0, job.Width, job.Metric.Height), bk);
    p.setPen(ToQColorOpaque(font.Color()));
    if (positioned) {
        drawGlyphs(QPointF(0, 0));
    } else {
        p.setFont(ToQFont(font));
        if (job.Options & ETO_RTLREADING) p.setLayoutDirection(Qt::RightToLeft);
        p.drawText(QPointF(0, baseline), ToQString(job.Text));
    }
    if (job.PrefixIndex >= 0 && job.PrefixIndex < static_cast<int>(chars.size())) {
        std::vector<int> extents = c.TextExtents(job.Text);
        int x0 = job.PrefixIndex == 0 ? 0 : extents[static_cast<size_t>(job.PrefixIndex) - 1];
        int x1 = extents[static_cast<size_t>(job.PrefixIndex)];
        int y = job.Metric.Ascent + 1;
        p.setPen(QPen(ToQColorOpaque(font.Color()), 1));
        p.drawLine(QPoint(x0, y), QPoint(x1 - 1, y));
    }
    p.restore();
}

QImage MaskColor(const QImage& image, QRgb colour) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    colour &= 0xFFFFFF;
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((row[x] & 0xFFFFFF) == colour) row[x] = 0;
    }
    return out;
}

void TQtDevice::DrawGraphic(TCanvas& c, const TRect& r, const TGraphic& g) {
    if (auto* metafile = dynamic_cast<const TMetafile*>(&g)) {
        metafile->Draw(c, r);
        return;
    }
    const QImage* image = GraphicImage(g);
    if (!image || image->isNull()) return;
    QPainter& p = P();
    if (!PainterUsable(p)) return;
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    bool shrinking = r.Width() < image->width() || r.Height() < image->height();
    auto* bitmap = dynamic_cast<const TBitmap*>(&g);
    bool mono = bitmap && bitmap->Monochrome();
    p.setRenderHint(QPainter::SmoothPixmapTransform, shrinking && !mono);
    QRect target(r.Left, r.Top, r.Width(), r.Height());
    if (bitmap && bitmap->Transparent())
        p.drawImage(target, MaskColor(*image, ColorToQRgbValue(bitmap->TransparentColor())));
    else
        p.drawImage(target, *image);
    p.restore();
}

void TQtDevice::BrushCopy(TCanvas&, const TRect& dest, const TBitmap& bitmap, const TRect& src,
                          TColor transparent) {
    QPainter& p = P();
    if (!PainterUsable(p)) return;
    const QImage& image = BitmapImage(bitmap);
    QImage part = MaskColor(image.copy(QR(src)), ColorToQRgbValue(transparent));
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(QR(dest), part);
    p.restore();
}

bool TQtDevice::CopyRect(TCanvas&, const TRect& dest, TCanvas& source, const TRect& src) {
    TCanvasDevice* device = source.Device();
    if (!device) return false;
    std::unique_ptr<TBitmap> snapshot = device->Snapshot(src);
    if (!snapshot) return false;
    QPainter& p = P();
    if (!PainterUsable(p)) return true;
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(QR(dest), BitmapImage(*snapshot));
    p.restore();
    return true;
}

TColor TQtDevice::Pixel(int x, int y) const {
    QImage* image = Image();
    if (!image || !image->valid(x, y)) return clNone;
    return FromQRgb(image->pixel(x, y));
}

void TQtDevice::SetPixel(TCanvas&, int x, int y, TColor color) {
    QImage* image = Image();
    if (image) {
        if (image->valid(x, y)) image->setPixel(x, y, ColorToQRgbValue(color) | 0xFF000000u);
        return;
    }
    QPainter& p = P();
    if (!PainterUsable(p)) return;
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(QPen(ToQColorOpaque(color), 1));
    p.drawPoint(x, y);
}

std::unique_ptr<TBitmap> TQtDevice::Snapshot(const TRect& r) const {
    QImage* image = Image();
    if (!image) return nullptr;
    auto bitmap = std::make_unique<TBitmap>();
    SetBitmapImage(*bitmap, image->copy(QR(r)));
    return bitmap;
}

// --- QtBridge ---------------------------------------------------------------------------

void AttachPainter(TCanvas& canvas, QPainter* painter, int dpi) {
    canvas.SetDevice(std::make_unique<TQtDevice>(painter, dpi, false));
}

void DetachPainter(TCanvas& canvas) {
    if (auto* device = dynamic_cast<TQtDevice*>(canvas.Device())) {
        device->Detach();
        canvas.SetDevice(nullptr);
    }
}

QPainter* CanvasPainter(TCanvas& canvas) {
    if (auto* device = dynamic_cast<TQtDevice*>(canvas.Device())) return device->Painter();
    return nullptr;
}
