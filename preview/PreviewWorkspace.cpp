// The page layout and the workspace: all positions are pixels, layout at zoom 1 and
// rectangles at the preview's zoom, rounded to the nearest integer (ties to even).
#include "preview/PreviewWorkspace.h"

#include <algorithm>
#include <cmath>

#include "preview/Preview.h"

namespace {

int RoundI(double Value) { return static_cast<int>(std::nearbyint(Value)); }

constexpr int DefaultPageWidth = 794;    // A4 at 96 dots per inch
constexpr int DefaultPageHeight = 1123;

}  // namespace

// --- TfrxPageList ----------------------------------------------------------------------

void TfrxPageList::Clear() {
    FItems.clear();
    FMaxWidth = 0;
}

void TfrxPageList::SetColumnCount(int Value) {
    FColumnCount = std::max(1, Value);
    Clear();
}

void TfrxPageList::AddPage(int Width, int Height) {
    TfrxPageItem item;
    item.Width = Width;
    item.Height = Height;
    if (FItems.empty()) {
        item.Column = 0;
        item.Top = 10;
    } else {
        const TfrxPageItem& last = FItems.back();
        if (last.Column < FColumnCount - 1) {
            item.Column = last.Column + 1;
            item.Top = last.Top;
        } else {
            int i = Count() - 1;
            while (i > 0 && FItems[static_cast<size_t>(i)].Column > 0) --i;
            int tallest = 0;
            for (int k = i; k < Count(); ++k) tallest = std::max(tallest, FItems[static_cast<size_t>(k)].Height);
            item.Column = 0;
            item.Top = last.Top + tallest + 10;
        }
    }
    FItems.push_back(item);
    int i = Count() - 1;
    while (i > 0 && FItems[static_cast<size_t>(i)].Column > 0) --i;
    int rowWidth = 0;
    for (int k = i; k < Count(); ++k) rowWidth += FItems[static_cast<size_t>(k)].Width + 10;
    FMaxWidth = std::max(FMaxWidth, rowWidth);
}

int TfrxPageList::FindPage(int Offset, bool Exact, double Zoom) const {
    int lo = 0;
    int hi = Count() - 1;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const TfrxPageItem& m = FItems[static_cast<size_t>(mid)];
        const int bias = Exact ? 0 : RoundI(m.Height * Zoom / 5);
        if (Offset + bias >= m.Top * Zoom) lo = mid + 1;
        else hi = mid - 1;
    }
    return hi;
}

TRect TfrxPageList::GetPageBounds(int Index, int ClientWidth, double Zoom) const {
    auto leftOf = [&](double RowWidth) {
        return ClientWidth >= RowWidth * Zoom ? RoundI((ClientWidth - RowWidth * Zoom) / 2) : 10;
    };
    if (Index < 0 || Index >= Count()) {
        const int left = leftOf(DefaultPageWidth);
        const int top = RoundI(10 * Zoom);
        return Rect(left, top, left + RoundI(DefaultPageWidth * Zoom), top + RoundI(DefaultPageHeight * Zoom));
    }
    const TfrxPageItem& item = FItems[static_cast<size_t>(Index)];
    int before = 0;
    int rowWidth = item.Width;
    if (FColumnCount >= 2) {
        int first = Index;
        while (first > 0 && FItems[static_cast<size_t>(first)].Column > 0) --first;
        int last = first;
        while (last + 1 < Count() && FItems[static_cast<size_t>(last + 1)].Column > 0) ++last;
        for (int k = first; k < Index; ++k) before += FItems[static_cast<size_t>(k)].Width + 10;
        rowWidth = 0;
        for (int k = first; k <= last; ++k) rowWidth += FItems[static_cast<size_t>(k)].Width;
        rowWidth += 10 * (last - first);
    }
    TRect r;
    r.Left = leftOf(rowWidth) + RoundI(before * Zoom);
    r.Top = RoundI(item.Top * Zoom);
    r.Right = RoundI(item.Width * Zoom) + r.Left;
    r.Bottom = RoundI(item.Height * Zoom) + r.Top;
    return r;
}

TSize TfrxPageList::GetMaxBounds(int ClientWidth, double Zoom) const {
    if (FItems.empty()) return TSize{0, 0};
    return TSize{RoundI(FMaxWidth * Zoom), GetPageBounds(Count() - 1, ClientWidth, Zoom).Bottom};
}

// --- TfrxPreviewWorkspace ----------------------------------------------------------------

ROVE_IMPLEMENT_CLASS(TfrxPreviewWorkspace)

TfrxPreviewWorkspace::TfrxPreviewWorkspace(TComponent* AOwner) : TfrxScrollWin(AOwner) {
    SetLargeChange(300);
    SetSmallChange(8);
    SetColor(BackColor);
}

TfrxPreviewWorkspace::~TfrxPreviewWorkspace() = default;

double TfrxPreviewWorkspace::Zoom() const { return Preview ? Preview->Zoom() : 1.0; }

bool TfrxPreviewWorkspace::HasPages() const {
    return Preview && Preview->PreviewPages && FPageList.Count() > 0;
}

void TfrxPreviewWorkspace::BoundsChanged(bool Resized) {
    TfrxScrollWin::BoundsChanged(Resized);
    SetHorzPage(ClientWidth());
    SetVertPage(ClientHeight());
}

void TfrxPreviewWorkspace::SetToPageNo(int PageNo) {
    if (FDisableUpdate) return;
    SetVertPosition(FPageList.GetPageBounds(PageNo - 1, ClientWidth(), Zoom()).Top - 10);
}

void TfrxPreviewWorkspace::UpdateScrollBars() {
    const TSize s = FPageList.GetMaxBounds(ClientWidth(), Zoom());
    SetHorzRange(s.cx + 10);
    SetVertRange(s.cy + 10);
}

void TfrxPreviewWorkspace::HandleKey(uint16_t Key) {
    switch (Key) {
    case VK_UP: SetVertPosition(VertPosition() - 8); break;
    case VK_DOWN: SetVertPosition(VertPosition() + 8); break;
    case VK_LEFT: SetHorzPosition(HorzPosition() - 8); break;
    case VK_RIGHT: SetHorzPosition(HorzPosition() + 8); break;
    case VK_PRIOR: SetVertPosition(VertPosition() - 300); break;
    case VK_NEXT: SetVertPosition(VertPosition() + 300); break;
    case VK_HOME: if (Preview) Preview->SetPageNo(1); break;
    case VK_END: if (Preview) Preview->SetPageNo(Preview->PageCount()); break;
    default: break;
    }
}

// Keys typed while the workspace has the focus are the preview's keys.
void TfrxPreviewWorkspace::KeyDown(uint16_t& Key, TShiftState Shift) {
    TfrxScrollWin::KeyDown(Key, Shift);
    if (Key != 0 && Preview) Preview->HandleKey(Key, Shift);
}

void TfrxPreviewWorkspace::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    TfrxScrollWin::DoMouseWheel(Shift, WheelDelta, MousePos);
    if (Preview) Preview->MouseWheelScroll(WheelDelta);
}

void TfrxPreviewWorkspace::Paint() {
    TCanvas* c = Canvas();
    const TRect client = ClientRect();
    // The corner between the two bars.
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(client.Right, client.Bottom, Width(), Height()));
    c->Brush()->SetColor(BackColor);
    if ((Preview && Preview->Locked()) || !HasPages()) {
        c->FillRect(client);
        return;
    }
    const double zoom = Zoom();
    const TClipRegion saved = c->ClipRegion();
    c->IntersectClipRect(client);
    const int p = FPageList.FindPage(FOffsetY, false, zoom);
    const int first = std::max(0, p - 20);
    const int last = std::min(FPageList.Count() - 1, p + 20);
    auto boundsOf = [&](int i) {
        TRect r = FPageList.GetPageBounds(i, client.Width(), zoom);
        r.Left -= FOffsetX;
        r.Right -= FOffsetX;
        r.Top -= FOffsetY;
        r.Bottom -= FOffsetY;
        r.Bottom += 1;
        return r;
    };
    auto visible = [&](const TRect& r) { return r.Bottom >= 0 && r.Top <= client.Height() && c->RectVisible(r); };
    // The page interiors are left out of the background fill, so nothing is drawn twice.
    for (int i = first; i <= last; ++i) {
        const TRect r = boundsOf(i);
        if (visible(r)) c->ExcludeClipRect(Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1));
    }
    c->FillRect(client);
    c->SetClipRegion(saved);
    c->IntersectClipRect(client);
    for (int i = first; i <= last; ++i) {
        TRect r = boundsOf(i);
        if (!visible(r)) continue;
        r.Bottom -= 1;
        c->Pen()->SetColor(clBlack);
        c->Pen()->SetWidth(1);
        c->Pen()->SetStyle(psSolid);
        c->Pen()->SetMode(pmCopy);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clWhite);
        c->Rectangle(r);
        c->Polyline({TPoint{r.Left + 1, r.Bottom}, TPoint{r.Right, r.Bottom}, TPoint{r.Right, r.Top + 1}});
        Preview->PreviewPages->DrawPage(i, c, zoom, zoom, r.Left, r.Top);
    }
    c->SetClipRegion(saved);
}

void TfrxPreviewWorkspace::HorzPositionChanged() {
    FOffsetX = HorzPosition();
    Invalidate();
}

// The page number follows the scroll; DisableUpdate keeps SetPageNo from scrolling back.
void TfrxPreviewWorkspace::VertPositionChanged() {
    FOffsetY = VertPosition();
    Invalidate();
    if (!Preview) return;
    FDisableUpdate = true;
    try {
        Preview->SetPageNo(FPageList.FindPage(FOffsetY, false, Zoom()) + 1);
    } catch (...) {
        FDisableUpdate = false;
        throw;
    }
    FDisableUpdate = false;
}

void TfrxPreviewWorkspace::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TfrxScrollWin::MouseDown(Button, Shift, X, Y);
    if (!HasPages()) return;
    if (Button == mbLeft) {
        FDown = true;
        FLastX = X;
        FLastY = Y;
    }
}

void TfrxPreviewWorkspace::MouseMove(TShiftState Shift, int X, int Y) {
    TfrxScrollWin::MouseMove(Shift, X, Y);
    if (!HasPages()) return;
    if (FDown) {
        if (Preview->Tool() == ptHand) {
            SetHorzPosition(HorzPosition() - (X - FLastX));
            SetVertPosition(VertPosition() - (Y - FLastY));
            FLastX = X;
            FLastY = Y;
        }
        return;
    }
    HitTest(X, Y, mbLeft, 0, false);
}

void TfrxPreviewWorkspace::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TfrxScrollWin::MouseUp(Button, Shift, X, Y);
    if (!HasPages()) return;
    FDown = false;
    if (Preview->Tool() == ptZoom) {
        if (Button == mbLeft) Preview->SetZoom(Preview->Zoom() + 0.25);
        else if (Button == mbRight) Preview->SetZoom(Preview->Zoom() - 0.25);
        return;
    }
    HitTest(X, Y, Button, Shift, true);
}

void TfrxPreviewWorkspace::HitTest(int X, int Y, TMouseButton Button, TShiftState Shift, bool Click) {
    const double zoom = Zoom();
    const int i = FPageList.FindPage(FOffsetY + Y, true, zoom);
    if (i < 0) return;
    const TRect b = FPageList.GetPageBounds(i, ClientWidth(), zoom);
    int cursor = DefaultCursor;
    Preview->PreviewPages->ObjectOver(i, X, Y, static_cast<int>(Button), static_cast<unsigned>(Shift), zoom,
                                      b.Left - FOffsetX, b.Top - FOffsetY, Click, cursor);
    SetCursor(cursor);
}
