// The page layout and the workspace: all positions are pixels, layout at zoom 1 and
// rectangles at the preview's zoom, rounded to the nearest integer (ties to even).
#include "preview/PreviewWorkspace.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/Metafile.h"
#include "platform/rtl/StrUtils.h"
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

// --- The search state ----------------------------------------------------------------------

TfrxSearchState& frxSearchState() {
    static TfrxSearchState state;
    return state;
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
        if (frxSearchState().TextFound && i == SearchPage) DrawFoundText(c, r);
    }
    c->SetClipRegion(saved);
}

// The hit is inverted row by row with a white pen in XOR mode, one pixel wider than its
// box on each side.
void TfrxPreviewWorkspace::DrawFoundText(TCanvas* Canvas, const TRect& Page) {
    const double zoom = Zoom();
    const TRect& b = frxSearchState().FoundBounds;
    const int left = Page.Left + RoundI(b.Left * zoom) - 1;
    const int right = Page.Left + RoundI(b.Right * zoom) + 1;
    const int top = Page.Top + RoundI(b.Top * zoom);
    const int bottom = Page.Top + RoundI(b.Bottom * zoom);
    Canvas->Pen()->SetColor(clWhite);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetMode(pmXor);
    for (int y = top; y < bottom; ++y) {
        Canvas->MoveTo(left, y);
        Canvas->LineTo(right, y);
    }
    Canvas->Pen()->SetMode(pmCopy);
}

bool TfrxPreviewWorkspace::FindText() {
    TfrxSearchState& s = frxSearchState();
    s.TextFound = false;
    // An empty text would match everywhere; it finds nothing.
    if (!HasPages() || s.SearchText.empty()) {
        Invalidate();
        return false;
    }
    const std::string needle = s.MatchCase ? s.SearchText : AnsiUpperCase(s.SearchText);
    const int count = Preview->PageCount();
    while (SearchPage < count) {
        if (!FMetafile || MetafilePage != SearchPage) {
            FMetafile = std::make_unique<TMetafile>();
            MetafilePage = -1;
            {
                TMetafileCanvas canvas(FMetafile.get());
                Preview->PreviewPages->DrawPage(SearchPage, &canvas, 1, 1, 0, 0);
            }
            MetafilePage = SearchPage;
        }
        const std::vector<TMetafileRecord>& records = FMetafile->Records();
        s.RecordNo = 0;
        for (const TMetafileRecord& r : records) {
            const int no = s.RecordNo++;
            if (r.Kind != mrText || no <= s.LastFoundRecord) continue;
            const bool hit = s.MatchCase ? r.Text.find(needle) != std::string::npos
                                         : AnsiUpperCase(r.Text).find(needle) != std::string::npos;
            if (!hit) continue;
            s.TextFound = true;
            s.FoundBounds = r.Bounds;
            s.LastFoundRecord = no;
            break;
        }
        if (s.TextFound) break;
        s.LastFoundRecord = -1;
        ++SearchPage;
        if (SearchPage < count && OnSearchProgress && !OnSearchProgress(SearchPage)) break;
    }
    if (s.TextFound) ScrollToFoundText();
    Invalidate();
    return s.TextFound;
}

// A hit not wholly inside the view comes into it, 20 pixels from the far edge.
void TfrxPreviewWorkspace::ScrollToFoundText() {
    const double zoom = Zoom();
    const TRect page = FPageList.GetPageBounds(SearchPage, ClientWidth(), zoom);
    const TRect& b = frxSearchState().FoundBounds;
    const int top = page.Top + RoundI(b.Top * zoom);
    const int bottom = page.Top + RoundI(b.Bottom * zoom);
    const int left = page.Left + RoundI(b.Left * zoom);
    const int right = page.Left + RoundI(b.Right * zoom);
    if (!(FOffsetY <= top && FOffsetY + ClientHeight() >= bottom)) SetVertPosition(bottom - ClientHeight() + 20);
    if (!(FOffsetX <= left && FOffsetX + ClientWidth() >= right)) SetHorzPosition(right - ClientWidth() + 20);
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
