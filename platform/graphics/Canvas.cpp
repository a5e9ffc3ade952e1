// The canvas: pen position, measured text, formatted text (DrawText), clip algebra and
// the 3-D frames; the device does the painting.
#include "platform/graphics/CanvasDevice.h"
#include "platform/graphics/TextMeasurer.h"

#include "platform/rtl/StrUtils.h"

#include <QRegion>
#include <algorithm>
#include <climits>

ROVE_IMPLEMENT_CLASS(TCanvas)

namespace {

QRegion ToQRegion(const TClipRegion& region) {
    QRegion r;
    for (const TRect& rect : region.Rects)
        if (!rect.IsEmpty()) r += QRect(rect.Left, rect.Top, rect.Width(), rect.Height());
    return r;
}

TClipRegion FromQRegion(const QRegion& region) {
    TClipRegion r;
    r.Clipped = true;
    for (const QRect& q : region) r.Rects.push_back(Bounds(q.x(), q.y(), q.width(), q.height()));
    return r;
}

TRect NormalizeRect(int x1, int y1, int x2, int y2) {
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

constexpr int Unbounded = INT_MAX / 4;

}  // namespace

TCanvas::TCanvas() {
    FBrush.OnChange = [this](TObject*) { BrushChanged(); };
}

TCanvas::~TCanvas() = default;

void TCanvas::SetDevice(std::unique_ptr<TCanvasDevice> device) { FDevice = std::move(device); }

TCanvasDevice& TCanvas::RequireDevice() const {
    if (!FDevice) throw EInvalidGraphicOperation("Canvas does not allow drawing");
    return *FDevice;
}

void TCanvas::BrushChanged() {
    if (FBrush.Style() == bsSolid) {
        FBkMode = bkOpaque;
        FBkColor = FBrush.Color();
    } else {
        FBkMode = bkTransparent;
    }
}

TBkMode TCanvas::BkMode() const { return FBkMode; }
void TCanvas::SetBkMode(TBkMode mode) { FBkMode = mode; }
TColor TCanvas::BkColor() const { return FBkColor; }
void TCanvas::SetBkColor(TColor color) { FBkColor = color; }

const TTextMeasurer& TCanvas::TextMeasurer() const {
    return FMeasurer ? *FMeasurer : QtTextMeasurer();
}

void TCanvas::SetTextMeasurer(const TTextMeasurer* measurer) { FMeasurer = measurer; }

// --- Lines and shapes -------------------------------------------------------------------

void TCanvas::MoveTo(int X, int Y) { FPenPos = {X, Y}; }

void TCanvas::LineTo(int X, int Y) {
    RequireDevice().Line(*this, FPenPos, {X, Y});
    FPenPos = {X, Y};
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    if (points.size() < 2) return;
    RequireDevice().Polyline(*this, points);
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    if (points.size() < 2) return;
    RequireDevice().Polygon(*this, points);
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
    RequireDevice().Rectangle(*this, NormalizeRect(X1, Y1, X2, Y2));
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
    RequireDevice().RoundRect(*this, NormalizeRect(X1, Y1, X2, Y2), std::abs(X3), std::abs(Y3));
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
    RequireDevice().Ellipse(*this, NormalizeRect(X1, Y1, X2, Y2));
}

void TCanvas::FillRect(const TRect& r) {
    TCanvasDevice& device = RequireDevice();
    if (r.IsEmpty()) return;
    device.FillRect(*this, r);
}

void TCanvas::FrameRect(const TRect& r) {
    TCanvasDevice& device = RequireDevice();
    if (r.IsEmpty()) return;
    device.FrameRect(*this, r);
}

void TCanvas::DrawFocusRect(const TRect& r) {
    TCanvasDevice& device = RequireDevice();
    if (r.IsEmpty()) return;
    device.FocusRect(*this, r);
}

TColor TCanvas::Pixel(int X, int Y) const { return RequireDevice().Pixel(X, Y); }

void TCanvas::SetPixel(int X, int Y, TColor color) { RequireDevice().SetPixel(*this, X, Y, color); }

// --- Text -------------------------------------------------------------------------------

int TCanvas::TextWidth(std::string_view text) const { return TextMeasurer().Width(FFont, text); }

int TCanvas::TextHeight(std::string_view) const { return TextMeasurer().Metrics(FFont).Height; }

TSize TCanvas::TextExtent(std::string_view text) const {
    return {TextWidth(text), TextHeight(text)};
}

std::vector<int> TCanvas::TextExtents(std::string_view text) const {
    return TextMeasurer().Extents(FFont, text);
}

TTextMetric TCanvas::TextMetrics() const { return TextMeasurer().Metrics(FFont); }

namespace {

std::vector<int> AdvancesFromExtents(const std::vector<int>& extents) {
    std::vector<int> advances(extents.size());
    int previous = 0;
    for (size_t i = 0; i < extents.size(); ++i) {
        advances[i] = extents[i] - previous;
        previous = extents[i];
    }
    return advances;
}

}  // namespace

void TCanvas::TextOut(int X, int Y, const std::string& text) {
    ExtTextOut(X, Y, 0, nullptr, text, nullptr);
    FPenPos = {X + TextWidth(text), Y};
}

void TCanvas::TextRect(const TRect& r, int X, int Y, const std::string& text) {
    unsigned options = ETO_CLIPPED;
    if (FBrush.Style() != bsClear) options |= ETO_OPAQUE;
    ExtTextOut(X, Y, options, &r, text, nullptr);
}

void TCanvas::ExtTextOut(int X, int Y, unsigned options, const TRect* rect, const std::string& text,
                         const int* advances) {
    TCanvasDevice& device = RequireDevice();
    TTextJob job;
    job.X = X;
    job.Y = Y;
    job.Options = options;
    job.HasRect = rect != nullptr;
    if (rect) job.Rect = *rect;
    job.Text = text;
    const TTextMeasurer& measurer = TextMeasurer();
    job.Metric = measurer.Metrics(FFont);
    if (advances) {
        int n = Length(text);
        job.Advances.assign(advances, advances + n);
        for (int a : job.Advances) job.Width += a;
    } else {
        std::vector<int> extents = measurer.Extents(FFont, text);
        job.Width = extents.empty() ? 0 : extents.back();
        if (!measurer.IsNative()) job.Advances = AdvancesFromExtents(extents);
    }
    device.Text(*this, job);
}

namespace {

struct TDrawLine {
    std::u32string Text;
    int Prefix = -1;   // index of the underlined character
};

// "&x" underlines x, "&&" is one "&"; gives the text without the marks.
std::u32string StripPrefix(const std::u32string& s, int& prefix) {
    std::u32string out;
    prefix = -1;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == U'&' && i + 1 < s.size()) {
            ++i;
            if (s[i] != U'&' && prefix < 0) prefix = static_cast<int>(out.size());
            out.push_back(s[i]);
        } else if (s[i] != U'&') {
            out.push_back(s[i]);
        }
    }
    return out;
}

}  // namespace

// DrawText: split into lines (breaks, then words when asked), measure, align and draw.
int TCanvas::DrawText(const std::string& text, TRect& r, unsigned format) {
    const TTextMeasurer& measurer = TextMeasurer();
    TTextMetric metric = measurer.Metrics(FFont);
    int lineHeight = std::max(metric.Height, 1);
    auto width = [&](const std::u32string& s) { return measurer.Width(FFont, U32ToUtf8(s)); };

    std::u32string all = Utf8ToU32(text);
    if (format & DT_EXPANDTABS) {
        std::u32string expanded;
        for (char32_t c : all) {
            if (c == U'\t') {
                do expanded.push_back(U' ');
                while (expanded.size() % 8 != 0);
            } else {
                expanded.push_back(c);
            }
        }
        all = expanded;
    }

    std::vector<std::u32string> paragraphs;
    if (format & DT_SINGLELINE) {
        std::u32string one;
        for (char32_t c : all)
            if (c != U'\r' && c != U'\n') one.push_back(c);
        paragraphs.push_back(one);
    } else {
        std::u32string current;
        for (size_t i = 0; i < all.size(); ++i) {
            char32_t c = all[i];
            if (c == U'\r' || c == U'\n') {
                paragraphs.push_back(current);
                current.clear();
                if (c == U'\r' && i + 1 < all.size() && all[i + 1] == U'\n') ++i;
            } else {
                current.push_back(c);
            }
        }
        paragraphs.push_back(current);
    }

    int available = r.Width();
    std::vector<TDrawLine> lines;
    for (const std::u32string& raw : paragraphs) {
        int prefix = -1;
        std::u32string p = (format & DT_NOPREFIX) ? raw : StripPrefix(raw, prefix);
        if (!(format & DT_WORDBREAK) || (format & DT_SINGLELINE) || width(p) <= available) {
            lines.push_back({p, prefix});
            continue;
        }
        // Break at blanks; a word longer than the line stays whole (and is clipped).
        size_t start = 0;
        while (start < p.size()) {
            size_t best = std::u32string::npos;
            for (size_t end = start; end <= p.size(); ++end) {
                if (end < p.size() && (p[end] != U' ' || end == start)) continue;
                if (best != std::u32string::npos && width(p.substr(start, end - start)) > available)
                    break;
                best = end;
            }
            TDrawLine line{p.substr(start, best - start), -1};
            if (prefix >= static_cast<int>(start) && prefix < static_cast<int>(best))
                line.Prefix = prefix - static_cast<int>(start);
            lines.push_back(line);
            start = best;
            while (start < p.size() && p[start] == U' ') ++start;
        }
    }

    if (format & DT_END_ELLIPSIS) {
        for (TDrawLine& line : lines) {
            if (width(line.Text) <= available) continue;
            std::u32string t = line.Text;
            while (!t.empty() && width(t + U"...") > available) t.pop_back();
            line.Text = t + U"...";
            if (line.Prefix >= static_cast<int>(t.size())) line.Prefix = -1;
        }
    }

    int textHeight = lineHeight * static_cast<int>(lines.size());
    if (format & DT_CALCRECT) {
        int maxWidth = 0;
        for (const TDrawLine& line : lines) maxWidth = std::max(maxWidth, width(line.Text));
        r.Right = r.Left + maxWidth;
        r.Bottom = r.Top + textHeight;
        return textHeight;
    }

    TCanvasDevice& device = RequireDevice();
    int y = r.Top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER) y = r.Top + (r.Height() - lineHeight) / 2;
        else if (format & DT_BOTTOM) y = r.Bottom - lineHeight;
    }
    int top = y;
    for (const TDrawLine& line : lines) {
        std::string utf8 = U32ToUtf8(line.Text);
        std::vector<int> extents = measurer.Extents(FFont, utf8);
        int w = extents.empty() ? 0 : extents.back();
        int x = r.Left;
        if (format & DT_CENTER) x = r.Left + (available - w) / 2;
        else if (format & DT_RIGHT) x = r.Right - w;
        if (!utf8.empty()) {
            TTextJob job;
            job.X = x;
            job.Y = y;
            job.Text = utf8;
            job.Metric = metric;
            job.Width = w;
            job.PrefixIndex = (format & DT_HIDEPREFIX) ? -1 : line.Prefix;
            if (!(format & DT_NOCLIP)) {
                job.Options |= ETO_CLIPPED;
                job.HasRect = true;
                job.Rect = r;
            }
            if (format & DT_RTLREADING) job.Options |= ETO_RTLREADING;
            if (!measurer.IsNative()) job.Advances = AdvancesFromExtents(extents);
            device.Text(*this, job);
        }
        y += lineHeight;
    }
    return (format & (DT_VCENTER | DT_BOTTOM)) && (format & DT_SINGLELINE) ? top - r.Top + textHeight
                                                                           : textHeight;
}

// --- Pictures and copies ----------------------------------------------------------------

void TCanvas::Draw(int X, int Y, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    RequireDevice().DrawGraphic(*this, Bounds(X, Y, graphic->Width(), graphic->Height()), *graphic);
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    RequireDevice().DrawGraphic(*this, r, *graphic);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect) {
    TCanvasDevice& device = RequireDevice();
    if (!source || dest.IsEmpty() || sourceRect.IsEmpty()) return;
    if (!device.CopyRect(*this, dest, *source, sourceRect))
        throw EInvalidGraphicOperation("Canvas does not allow drawing");
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& sourceRect,
                        TColor transparent) {
    TCanvasDevice& device = RequireDevice();
    if (!bitmap || bitmap->Empty() || dest.IsEmpty()) return;
    device.BrushCopy(*this, dest, *bitmap, sourceRect, transparent);
}

// --- Clipping ---------------------------------------------------------------------------

TClipRegion TCanvas::ClipRegion() const { return RequireDevice().Clip(); }

void TCanvas::SetClipRegion(const TClipRegion& region) { RequireDevice().SetClip(*this, region); }

TRect TCanvas::ClipRect() const {
    TCanvasDevice& device = RequireDevice();
    TSize size = device.Size();
    TRect deviceRect = size.cx > 0 && size.cy > 0 ? Bounds(0, 0, size.cx, size.cy)
                                                  : TRect{-Unbounded, -Unbounded, Unbounded, Unbounded};
    TClipRegion clip = device.Clip();
    if (!clip.Clipped) return deviceRect;
    TRect box;
    for (const TRect& r : clip.Rects) UnionRect(box, box, r);
    TRect result;
    IntersectRect(result, box, deviceRect);
    return result;
}

bool TCanvas::RectVisible(const TRect& r) const {
    if (r.IsEmpty()) return false;
    TCanvasDevice& device = RequireDevice();
    TClipRegion clip = device.Clip();
    TSize size = device.Size();
    TRect visible = r;
    if (size.cx > 0 && size.cy > 0 && !IntersectRect(visible, r, Bounds(0, 0, size.cx, size.cy)))
        return false;
    if (!clip.Clipped) return true;
    TRect dummy;
    for (const TRect& c : clip.Rects)
        if (IntersectRect(dummy, c, visible)) return true;
    return false;
}

void TCanvas::SetClipRect(const TRect& r) {
    TClipRegion region;
    region.Clipped = true;
    if (!r.IsEmpty()) region.Rects.push_back(r);
    SetClipRegion(region);
}

void TCanvas::IntersectClipRect(const TRect& r) {
    TClipRegion clip = ClipRegion();
    if (!clip.Clipped) {
        SetClipRect(r);
        return;
    }
    QRegion q = ToQRegion(clip).intersected(QRect(r.Left, r.Top, r.Width(), r.Height()));
    SetClipRegion(FromQRegion(q));
}

void TCanvas::ExcludeClipRect(const TRect& r) {
    TClipRegion clip = ClipRegion();
    QRegion q;
    if (clip.Clipped) {
        q = ToQRegion(clip);
    } else {
        TSize size = RequireDevice().Size();
        q = size.cx > 0 && size.cy > 0 ? QRegion(0, 0, size.cx, size.cy)
                                       : QRegion(-Unbounded, -Unbounded, 2 * Unbounded, 2 * Unbounded);
    }
    if (!r.IsEmpty()) q = q.subtracted(QRegion(r.Left, r.Top, r.Width(), r.Height()));
    SetClipRegion(FromQRegion(q));
}

void TCanvas::ResetClip() { SetClipRegion(TClipRegion{}); }

// --- The device -------------------------------------------------------------------------

int TCanvas::PixelsPerInchX() const { return FDevice ? FDevice->DpiX() : 96; }
int TCanvas::PixelsPerInchY() const { return FDevice ? FDevice->DpiY() : 96; }
bool TCanvas::IsPrinter() const { return FDevice && FDevice->IsPrinter(); }
bool TCanvas::IsRecording() const { return FDevice && FDevice->IsRecording(); }
TSize TCanvas::DeviceSize() const { return FDevice ? FDevice->Size() : TSize{}; }

// --- Frames -----------------------------------------------------------------------------

// Frame3D: per width step, the left and top edges in topColor, then the right and
// bottom edges in bottomColor (which so owns the top-right and bottom-left corners).
void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width) {
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(psSolid);
    --rect.Bottom;
    --rect.Right;
    while (width > 0) {
        --width;
        TPoint topRight{rect.Right, rect.Top};
        TPoint bottomLeft{rect.Left, rect.Bottom};
        canvas->Pen()->SetColor(topColor);
        canvas->Polyline({bottomLeft, rect.TopLeft(), topRight});
        canvas->Pen()->SetColor(bottomColor);
        --bottomLeft.X;
        canvas->Polyline({topRight, rect.BottomRight(), bottomLeft});
        InflateRect(rect, -1, -1);
    }
    ++rect.Bottom;
    ++rect.Right;
}

namespace {

void EdgeLevel(TCanvas* canvas, TRect& r, TColor light, TColor dark, unsigned flags) {
    TPen* pen = canvas->Pen();
    auto line = [&](int x1, int y1, int x2, int y2) {
        canvas->MoveTo(x1, y1);
        canvas->LineTo(x2, y2);
    };
    pen->SetColor(light);
    if (flags & BF_TOP) line(r.Left, r.Top, r.Right, r.Top);
    if (flags & BF_LEFT) line(r.Left, r.Top, r.Left, r.Bottom);
    pen->SetColor(dark);
    if (flags & BF_BOTTOM) line(r.Left, r.Bottom - 1, r.Right, r.Bottom - 1);
    if (flags & BF_RIGHT) line(r.Right - 1, r.Top, r.Right - 1, r.Bottom);
    if (flags & BF_LEFT) ++r.Left;
    if (flags & BF_TOP) ++r.Top;
    if (flags & BF_RIGHT) --r.Right;
    if (flags & BF_BOTTOM) --r.Bottom;
}

}  // namespace

// DrawEdge: the outer level, then the inner one, each with its light and dark colours
// from the system scheme; BF_MIDDLE fills what is left with the button face.
bool DrawEdge(TCanvas* canvas, TRect& rect, unsigned edge, unsigned flags) {
    TPen saved(*canvas->Pen());
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetMode(pmCopy);
    TRect r = rect;
    bool soft = flags & BF_SOFT;
    unsigned outer = edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER);
    unsigned inner = edge & (BDR_RAISEDINNER | BDR_SUNKENINNER);
    if (flags & BF_MONO) {
        if (outer) EdgeLevel(canvas, r, clWindowFrame, clWindowFrame, flags);
        if (inner) EdgeLevel(canvas, r, clWindow, clWindow, flags);
    } else if (flags & BF_FLAT) {
        if (outer) EdgeLevel(canvas, r, clBtnShadow, clBtnShadow, flags);
        if (inner) EdgeLevel(canvas, r, clBtnFace, clBtnFace, flags);
    } else {
        if (outer == BDR_RAISEDOUTER)
            EdgeLevel(canvas, r, soft ? clBtnHighlight : cl3DLight, cl3DDkShadow, flags);
        else if (outer == BDR_SUNKENOUTER)
            EdgeLevel(canvas, r, clBtnShadow, clBtnHighlight, flags);
        if (inner == BDR_RAISEDINNER)
            EdgeLevel(canvas, r, soft ? cl3DLight : clBtnHighlight, clBtnShadow, flags);
        else if (inner == BDR_SUNKENINNER)
            EdgeLevel(canvas, r, cl3DDkShadow, cl3DLight, flags);
    }
    if ((flags & BF_MIDDLE) && !r.IsEmpty()) {
        TBrush brush(*canvas->Brush());
        canvas->Brush()->SetColor(clBtnFace);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(r);
        canvas->SetBrush(brush);
    }
    canvas->SetPen(saved);
    if (flags & BF_ADJUST) rect = r;
    return true;
}
