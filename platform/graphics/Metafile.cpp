// The recording canvas and its metafile: records with the drawing state, replay with
// scale and offset, text runs, and the kept bytes of Windows metafile files.
#include "platform/graphics/Metafile.h"

#include "platform/graphics/CanvasDevice.h"
#include "platform/graphics/TextMeasurer.h"

#include <QRegion>
#include <algorithm>
#include <cmath>
#include <cstring>

ROVE_IMPLEMENT_CLASS(TMetafile)
ROVE_IMPLEMENT_CLASS(TMetafileCanvas)

const char* const TMetafile::UnsupportedFormatText =
    "Windows metafile pictures (WMF, EMF) cannot be shown on this system; the picture is left empty";

namespace {

bool SamePen(const TPen& a, const TPen& b) {
    return a.Color() == b.Color() && a.Mode() == b.Mode() && a.Style() == b.Style() && a.Width() == b.Width();
}
bool SameBrush(const TBrush& a, const TBrush& b) { return a.Color() == b.Color() && a.Style() == b.Style(); }

TRect PointsBox(const std::vector<TPoint>& points) {
    TRect box;
    bool first = true;
    for (const TPoint& p : points) {
        TRect r{p.X, p.Y, p.X + 1, p.Y + 1};
        if (first) box = r;
        else UnionRect(box, box, r);
        first = false;
    }
    return box;
}

uint32_t LE32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
int16_t LE16s(const uint8_t* p) { return static_cast<int16_t>(p[0] | (p[1] << 8)); }
uint16_t LE16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

}  // namespace

// The device of a TMetafileCanvas: every call becomes a record.
class TRecordingDevice final : public TCanvasDevice {
public:
    TRecordingDevice(TMetafile* metafile, int dpi) : FMetafile(metafile), FDpi(dpi) {}

    int DpiX() const override { return FDpi; }
    int DpiY() const override { return FDpi; }
    bool IsRecording() const override { return true; }
    TSize Size() const override {
        if (FMetafile->FWidth > 0 && FMetafile->FHeight > 0) return {FMetafile->FWidth, FMetafile->FHeight};
        return {};
    }

    void Line(TCanvas& c, TPoint a, TPoint b) override { Add(c, mrLine, {a, b}); }
    void Polyline(TCanvas& c, const std::vector<TPoint>& points) override { Add(c, mrPolyline, points); }
    void Polygon(TCanvas& c, const std::vector<TPoint>& points) override { Add(c, mrPolygon, points); }
    void Rectangle(TCanvas& c, const TRect& r) override { AddRect(c, mrRectangle, r); }
    void RoundRect(TCanvas& c, const TRect& r, int w, int h) override {
        TMetafileRecord rec = Make(c, mrRoundRect);
        rec.Rect = r;
        rec.Corner = {w, h};
        FMetafile->AddRecord(std::move(rec));
    }
    void Ellipse(TCanvas& c, const TRect& r) override { AddRect(c, mrEllipse, r); }
    void FillRect(TCanvas& c, const TRect& r) override { AddRect(c, mrFillRect, r); }
    void FrameRect(TCanvas& c, const TRect& r) override { AddRect(c, mrFrameRect, r); }
    void FocusRect(TCanvas& c, const TRect& r) override { AddRect(c, mrFocusRect, r); }

    void Text(TCanvas& c, const TTextJob& job) override {
        TMetafileRecord rec = Make(c, mrText);
        rec.Points = {{job.X, job.Y}};
        rec.Text = job.Text;
        rec.Advances = job.Advances;
        rec.Options = job.Options;
        rec.HasRect = job.HasRect;
        rec.Rect = job.Rect;
        rec.Bounds = TextBounds(*c.Font(), job);
        FMetafile->AddRecord(std::move(rec));
    }

    void DrawGraphic(TCanvas& c, const TRect& r, const TGraphic& g) override {
        TMetafileRecord rec = Make(c, mrGraphic);
        rec.Rect = r;
        rec.Graphic = std::shared_ptr<const TGraphic>(g.Clone());
        FMetafile->AddRecord(std::move(rec));
    }

    void BrushCopy(TCanvas& c, const TRect& dest, const TBitmap& bitmap, const TRect& src,
                   TColor transparent) override {
        TMetafileRecord rec = Make(c, mrBrushCopy);
        rec.Rect = dest;
        rec.Graphic = std::make_shared<TBitmap>(bitmap);
        rec.Source = src;
        rec.Color = transparent;
        FMetafile->AddRecord(std::move(rec));
    }

    bool CopyRect(TCanvas& c, const TRect& dest, TCanvas& source, const TRect& src) override {
        TCanvasDevice* device = source.Device();
        std::unique_ptr<TBitmap> snapshot = device ? device->Snapshot(src) : nullptr;
        if (!snapshot) return false;
        TMetafileRecord rec = Make(c, mrGraphic);
        rec.Rect = dest;
        rec.Graphic = std::shared_ptr<const TGraphic>(std::move(snapshot));
        FMetafile->AddRecord(std::move(rec));
        return true;
    }

    void SetPixel(TCanvas& c, int x, int y, TColor color) override {
        TMetafileRecord rec = Make(c, mrPixel);
        rec.Points = {{x, y}};
        rec.Color = color;
        FMetafile->AddRecord(std::move(rec));
    }

    TClipRegion Clip() const override { return FClip; }
    void SetClip(TCanvas& c, const TClipRegion& region) override {
        FClip = region;
        TMetafileRecord rec = Make(c, mrClip);
        rec.Clip = region;
        FMetafile->AddRecord(std::move(rec));
    }

private:
    TMetafileRecord Make(TCanvas& c, TMetafileRecordKind kind) {
        TMetafileRecord rec;
        rec.Kind = kind;
        rec.State = FMetafile->AddState(c);
        return rec;
    }
    void Add(TCanvas& c, TMetafileRecordKind kind, std::vector<TPoint> points) {
        TMetafileRecord rec = Make(c, kind);
        rec.Points = std::move(points);
        FMetafile->AddRecord(std::move(rec));
    }
    void AddRect(TCanvas& c, TMetafileRecordKind kind, const TRect& r) {
        TMetafileRecord rec = Make(c, kind);
        rec.Rect = r;
        FMetafile->AddRecord(std::move(rec));
    }
    // The cell box of a text run, turned with the font's orientation.
    static TRect TextBounds(const TFont& font, const TTextJob& job) {
        int w = job.Width;
        int h = job.Metric.Height;
        if (font.Orientation() == 0) return Bounds(job.X, job.Y, w, h);
        double a = font.Orientation() * M_PI / 1800.0;
        double cs = std::cos(a), sn = std::sin(a);
        // Counter-clockwise on a y-down device: x' = x cos + y sin, y' = -x sin + y cos.
        double xs[4] = {0, w * cs, w * cs + h * sn, h * sn};
        double ys[4] = {0, -w * sn, -w * sn + h * cs, h * cs};
        double minX = *std::min_element(xs, xs + 4), maxX = *std::max_element(xs, xs + 4);
        double minY = *std::min_element(ys, ys + 4), maxY = *std::max_element(ys, ys + 4);
        const double eps = 1e-6;   // quarter turns give exact boxes despite cos(90) != 0
        return {job.X + static_cast<int>(std::floor(minX + eps)), job.Y + static_cast<int>(std::floor(minY + eps)),
                job.X + static_cast<int>(std::ceil(maxX - eps)), job.Y + static_cast<int>(std::ceil(maxY - eps))};
    }

    TMetafile* FMetafile;
    int FDpi;
    TClipRegion FClip;
};

// --- TMetafile --------------------------------------------------------------------------

TMetafile::TMetafile() = default;

TMetafile::TMetafile(const TMetafile& other)
    : TGraphic(), FRecords(other.FRecords), FStates(other.FStates), FExtent(other.FExtent),
      FWidth(other.FWidth), FHeight(other.FHeight), FForeignData(other.FForeignData),
      FLoadError(other.FLoadError) {}

TMetafile::~TMetafile() = default;

std::unique_ptr<TGraphic> TMetafile::Clone() const { return std::make_unique<TMetafile>(*this); }

bool TMetafile::Empty() const { return FRecords.empty(); }

int TMetafile::Width() const { return FWidth > 0 ? FWidth : std::max(FExtent.Right, 0); }
int TMetafile::Height() const { return FHeight > 0 ? FHeight : std::max(FExtent.Bottom, 0); }

void TMetafile::SetWidth(int value) {
    FWidth = std::max(value, 0);
    Changed();
}

void TMetafile::SetHeight(int value) {
    FHeight = std::max(value, 0);
    Changed();
}

void TMetafile::Clear() {
    FRecords.clear();
    FStates.clear();
    FExtent = TRect{};
    FForeignData.clear();
    FLoadError.clear();
    Changed();
}

int TMetafile::AddState(const TCanvas& canvas) {
    TCanvas& c = const_cast<TCanvas&>(canvas);
    if (!FStates.empty()) {
        const TMetafileState& last = FStates.back();
        if (SamePen(last.Pen, *c.Pen()) && SameBrush(last.Brush, *c.Brush()) && last.Font.SameAs(*c.Font()) &&
            last.BkMode == c.BkMode() && last.BkColor == c.BkColor())
            return static_cast<int>(FStates.size()) - 1;
    }
    TMetafileState s;
    s.Pen.Assign(*c.Pen());
    s.Brush.Assign(*c.Brush());
    s.Font.Assign(*c.Font());
    s.BkMode = c.BkMode();
    s.BkColor = c.BkColor();
    FStates.push_back(std::move(s));
    return static_cast<int>(FStates.size()) - 1;
}

void TMetafile::AddRecord(TMetafileRecord record) {
    if (!FForeignData.empty()) {
        FForeignData.clear();
        FLoadError.clear();
    }
    TRect box;
    switch (record.Kind) {
    case mrLine:
    case mrPolyline:
    case mrPolygon:
    case mrPixel: box = PointsBox(record.Points); break;
    case mrText: box = record.Bounds; break;
    case mrRectangle:
    case mrRoundRect:
    case mrEllipse:
    case mrFillRect:
    case mrFrameRect:
    case mrFocusRect:
    case mrGraphic:
    case mrBrushCopy: box = record.Rect; break;
    case mrClip: break;
    }
    if (!box.IsEmpty()) {
        if (FExtent.IsEmpty()) FExtent = box;
        else UnionRect(FExtent, FExtent, box);
    }
    FRecords.push_back(std::move(record));
}

std::vector<TTextRun> TMetafile::TextRuns() const {
    std::vector<TTextRun> runs;
    for (size_t i = 0; i < FRecords.size(); ++i)
        if (FRecords[i].Kind == mrText) runs.push_back({FRecords[i].Text, FRecords[i].Bounds, static_cast<int>(i)});
    return runs;
}

void TMetafile::LoadFromBytes(const uint8_t* data, size_t size) {
    int width = 0, height = 0;
    if (size >= 22 && LE32(data) == 0x9AC6CDD7u) {
        // Placeable header: the frame in logical units and the units per inch.
        int left = LE16s(data + 6), top = LE16s(data + 8), right = LE16s(data + 10), bottom = LE16s(data + 12);
        int inch = LE16(data + 14);
        if (inch > 0) {
            width = std::abs(right - left) * 96 / inch;
            height = std::abs(bottom - top) * 96 / inch;
        }
    } else if (size >= 44 && LE32(data) == 1 && LE32(data + 40) == 0x464D4520u) {
        // Enhanced header: rclFrame in hundredths of a millimetre.
        auto frame = [&](int i) { return static_cast<int32_t>(LE32(data + 24 + 4 * i)); };
        width = static_cast<int>(std::lround(std::abs(frame(2) - frame(0)) / 100.0 * 96 / 25.4));
        height = static_cast<int>(std::lround(std::abs(frame(3) - frame(1)) / 100.0 * 96 / 25.4));
    } else if (!(size >= 18 && (LE16(data) == 1 || LE16(data) == 2) && LE16(data + 2) == 9)) {
        throw EInvalidGraphic("Metafile is not valid");
    }
    FRecords.clear();
    FStates.clear();
    FExtent = TRect{};
    FForeignData.assign(data, data + size);
    FLoadError = UnsupportedFormatText;
    FWidth = width;
    FHeight = height;
    Changed();
}

TBytes TMetafile::SaveToBytes() const { return FForeignData; }

namespace {

int Scale(double v, double s, double o) { return static_cast<int>(std::lround(v * s + o)); }

}  // namespace

// Replays every record on canvas through the public calls, mapping coordinates and
// sizes; the canvas's state and clip are restored at the end.
void TMetafile::Play(TCanvas& canvas, double scaleX, double scaleY, double offsetX, double offsetY) const {
    TPen savedPen(*canvas.Pen());
    TBrush savedBrush(*canvas.Brush());
    TFont savedFont(*canvas.Font());
    TBkMode savedBkMode = canvas.BkMode();
    TColor savedBkColor = canvas.BkColor();
    TPoint savedPenPos = canvas.PenPos();
    TClipRegion original = canvas.ClipRegion();

    auto P = [&](TPoint p) { return TPoint{Scale(p.X, scaleX, offsetX), Scale(p.Y, scaleY, offsetY)}; };
    auto R = [&](const TRect& r) {
        return TRect{Scale(r.Left, scaleX, offsetX), Scale(r.Top, scaleY, offsetY), Scale(r.Right, scaleX, offsetX),
                     Scale(r.Bottom, scaleY, offsetY)};
    };
    auto Pts = [&](const std::vector<TPoint>& pts) {
        std::vector<TPoint> out;
        out.reserve(pts.size());
        for (const TPoint& p : pts) out.push_back(P(p));
        return out;
    };
    int current = -1;
    auto applyState = [&](int index) {
        if (index == current || index < 0 || index >= static_cast<int>(FStates.size())) return;
        current = index;
        const TMetafileState& s = FStates[static_cast<size_t>(index)];
        TPen pen(s.Pen);
        if (pen.Width() > 1) pen.SetWidth(std::max(1, static_cast<int>(std::lround(pen.Width() * scaleX))));
        canvas.SetPen(pen);
        canvas.SetBrush(s.Brush);
        TFont font(s.Font);
        font.SetPixelsPerInch(canvas.Font()->PixelsPerInch());
        int h = static_cast<int>(std::lround(s.Font.Height() * scaleY));
        if (h == 0) h = s.Font.Height() < 0 ? -1 : 1;
        canvas.SetFont(font);
        canvas.Font()->SetHeight(h);
        canvas.SetBkMode(s.BkMode);
        canvas.SetBkColor(s.BkColor);
    };

    for (const TMetafileRecord& r : FRecords) {
        applyState(r.State);
        switch (r.Kind) {
        case mrLine:
            canvas.MoveTo(P(r.Points[0]).X, P(r.Points[0]).Y);
            canvas.LineTo(P(r.Points[1]).X, P(r.Points[1]).Y);
            break;
        case mrPolyline: canvas.Polyline(Pts(r.Points)); break;
        case mrPolygon: canvas.Polygon(Pts(r.Points)); break;
        case mrRectangle: canvas.Rectangle(R(r.Rect)); break;
        case mrRoundRect: {
            TRect m = R(r.Rect);
            canvas.RoundRect(m.Left, m.Top, m.Right, m.Bottom, static_cast<int>(std::lround(r.Corner.X * scaleX)),
                             static_cast<int>(std::lround(r.Corner.Y * scaleY)));
            break;
        }
        case mrEllipse: canvas.Ellipse(R(r.Rect)); break;
        case mrFillRect: canvas.FillRect(R(r.Rect)); break;
        case mrFrameRect: canvas.FrameRect(R(r.Rect)); break;
        case mrFocusRect: canvas.DrawFocusRect(R(r.Rect)); break;
        case mrText: {
            TPoint origin = P(r.Points[0]);
            TRect rect = R(r.Rect);
            if (r.Advances.empty() || (scaleX == 1.0 && offsetX == std::floor(offsetX))) {
                canvas.ExtTextOut(origin.X, origin.Y, r.Options, r.HasRect ? &rect : nullptr, r.Text,
                                  r.Advances.empty() ? nullptr : r.Advances.data());
                break;
            }
            // Scale the cumulative positions, not each advance, so the run keeps its width.
            std::vector<int> advances(r.Advances.size());
            double x = r.Points[0].X;
            int previous = origin.X;
            for (size_t i = 0; i < r.Advances.size(); ++i) {
                x += r.Advances[i];
                int next = Scale(x, scaleX, offsetX);
                advances[i] = next - previous;
                previous = next;
            }
            canvas.ExtTextOut(origin.X, origin.Y, r.Options, r.HasRect ? &rect : nullptr, r.Text, advances.data());
            break;
        }
        case mrGraphic: canvas.StretchDraw(R(r.Rect), const_cast<TGraphic*>(r.Graphic.get())); break;
        case mrBrushCopy:
            canvas.BrushCopy(R(r.Rect), static_cast<TBitmap*>(const_cast<TGraphic*>(r.Graphic.get())), r.Source,
                             r.Color);
            break;
        case mrPixel: {
            TPoint p = P(r.Points[0]);
            canvas.SetPixel(p.X, p.Y, r.Color);
            break;
        }
        case mrClip: {
            if (!r.Clip.Clipped) {
                canvas.SetClipRegion(original);
                break;
            }
            QRegion q;
            for (const TRect& c : r.Clip.Rects) {
                TRect m = R(c);
                if (!m.IsEmpty()) q += QRect(m.Left, m.Top, m.Width(), m.Height());
            }
            if (original.Clipped) {
                QRegion o;
                for (const TRect& c : original.Rects) o += QRect(c.Left, c.Top, c.Width(), c.Height());
                q = q.intersected(o);
            }
            TClipRegion region;
            region.Clipped = true;
            for (const QRect& c : q) region.Rects.push_back(Bounds(c.x(), c.y(), c.width(), c.height()));
            canvas.SetClipRegion(region);
            break;
        }
        }
    }

    canvas.SetClipRegion(original);
    canvas.SetPen(savedPen);
    canvas.SetBrush(savedBrush);
    canvas.SetFont(savedFont);
    canvas.SetBkMode(savedBkMode);
    canvas.SetBkColor(savedBkColor);
    canvas.SetPenPos(savedPenPos);
}

void TMetafile::Draw(TCanvas& canvas, const TRect& rect) const {
    int w = Width(), h = Height();
    if (w <= 0 || h <= 0) return;
    Play(canvas, static_cast<double>(rect.Width()) / w, static_cast<double>(rect.Height()) / h, rect.Left, rect.Top);
}

// --- TMetafileCanvas --------------------------------------------------------------------

TMetafileCanvas::TMetafileCanvas(TMetafile* metafile, int referenceDpi) : FMetafile(metafile) {
    if (!metafile) throw EInvalidGraphicOperation("A metafile canvas needs a metafile");
    SetDevice(std::make_unique<TRecordingDevice>(metafile, referenceDpi > 0 ? referenceDpi : 96));
}

TMetafileCanvas::~TMetafileCanvas() = default;
