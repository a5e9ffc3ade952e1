// The page layout and the workspace: all positions are pixels, layout at zoom 1 and
// rectangles at the preview's zoom, rounded to the nearest integer (ties to even).
#include "preview/PreviewWorkspace.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/Metafile.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/ExtCtrls.h"
#include "preview/Preview.h"
#include "report/LineView.h"
#include "report/MemoView.h"
#include "report/PictureView.h"
#include "report/PreviewPages.h"

namespace {

int RoundI(double Value) { return static_cast<int>(std::nearbyint(Value)); }

// The search's comparison, folded as the search folds (upper case unless the case must
// match), without folding every text when the needle allows it: a needle of ASCII only is
// compared ignoring ASCII case, a needle without cased letters as it is.
class TTextMatcher {
public:
    TTextMatcher(const std::string& Text, bool MatchCase) {
        if (MatchCase) {
            FNeedle = Text;
            FMode = mdPlain;
        } else if (std::all_of(Text.begin(), Text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
            FNeedle = UpperCase(Text);
            FMode = mdAscii;
        } else {
            FNeedle = AnsiUpperCase(Text);
            FMode = FNeedle == Text && AnsiLowerCase(Text) == Text ? mdPlain : mdFold;
        }
    }
    bool In(const std::string& Haystack) const {
        switch (FMode) {
        case mdPlain: return Haystack.find(FNeedle) != std::string::npos;
        case mdAscii: {
            auto eq = [](char a, char b) {
                return (a >= 'a' && a <= 'z' ? a - 32 : a) == b;
            };
            return std::search(Haystack.begin(), Haystack.end(), FNeedle.begin(), FNeedle.end(), eq) != Haystack.end();
        }
        case mdFold: return AnsiUpperCase(Haystack).find(FNeedle) != std::string::npos;
        }
        return false;
    }

private:
    enum { mdPlain, mdAscii, mdFold } FMode = mdPlain;
    std::string FNeedle;
};

// Whether a page can show the text: every text run drawn from a memo is a part of the
// memo's text, so a page whose memos do not hold the text is passed without drawing it. A
// memo whose drawn text is not its stored text (tags, tabs, word breaks, right-to-left
// reading, the total-pages mark) or a view of another kind that may draw text makes the
// page be drawn and read.
bool PageMayHold(TfrxPage* Page, const TTextMatcher& Match) {
    for (TfrxComponent* obj : Page->AllObjects()) {
        if (!dynamic_cast<TfrxView*>(obj)) continue;
        if (dynamic_cast<TfrxCustomLineView*>(obj) || dynamic_cast<TfrxPictureView*>(obj) ||
            dynamic_cast<TfrxShapeView*>(obj))
            continue;
        auto* memo = dynamic_cast<TfrxCustomMemoView*>(obj);
        if (!memo || memo->AllowHTMLTags || memo->WordBreak || memo->RTLReading) return true;
        const std::string text = memo->Text();
        if (text.find('\t') != std::string::npos || Match.In(text)) return true;
        if (text.find('[') != std::string::npos && UpperCase(text).find("[TOTALPAGES#]") != std::string::npos)
            return true;
    }
    return false;
}

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
    // Runs when the window has nothing else to do.
    FFillTimer = new TTimer(this);
    FFillTimer->SetEnabled(false);
    FFillTimer->SetInterval(1);
    FFillTimer->OnTimer = [this](TObject*) { FillPageImages(); };
    SetDoubleBuffered(true);
}

void TfrxPreviewWorkspace::SetDoubleBuffered(bool Value) {
    if (Value == DoubleBuffered()) return;
    TfrxScrollWin::SetDoubleBuffered(Value);
    if (!Value) {
        FFillTimer->SetEnabled(false);
        ClearPageImages();
    }
    Invalidate();
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

namespace {
// Where going to a page puts the view: its top 10 pixels below the window's top, as far as
// the scroll range lets it go.
int PagePosition(const TfrxPageList& List, int PageNo, int ClientWidth, double Zoom, int MaxPosition) {
    return std::max(0, std::min(List.GetPageBounds(PageNo - 1, ClientWidth, Zoom).Top - 10, MaxPosition));
}
}  // namespace

void TfrxPreviewWorkspace::SetToPageNo(int PageNo) {
    if (FDisableUpdate) return;
    SetVertPosition(FPageList.GetPageBounds(PageNo - 1, ClientWidth(), Zoom()).Top - 10);
}

int TfrxPreviewWorkspace::PageAtView() const {
    const int current = Preview ? Preview->PageNo() : 0;
    if (current >= 1 && current <= FPageList.Count() &&
        VertPosition() == PagePosition(FPageList, current, ClientWidth(), Zoom(), std::max(0, VertRange() - VertPage())))
        return current;
    return FPageList.FindPage(VertPosition(), false, Zoom()) + 1;
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

// The workspace takes the turn: the preview around it must not scroll a second time for it.
void TfrxPreviewWorkspace::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    TfrxScrollWin::DoMouseWheel(Shift, WheelDelta, MousePos);
    if (Preview) {
        Preview->MouseWheelScroll(WheelDelta);
        FWheelHandled = true;
    }
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
        DrawPageContent(c, i, r);
        if (frxSearchState().TextFound && i == SearchPage) DrawFoundText(c, r);
    }
    c->SetClipRegion(saved);
}

// At most this many pixels of page pictures are kept (64 MB).
constexpr int64_t kPageImagePixels = 16 * 1024 * 1024;

void TfrxPreviewWorkspace::ClearPageImages() { FPageImages.clear(); }

// The page's content inside its frame: copied from its picture when there is one, else
// drawn, and its picture made once the window is idle.
void TfrxPreviewWorkspace::DrawPageContent(TCanvas* Canvas, int Index, const TRect& Page) {
    // The page a run is making (the last) shows its frame only: the window answers amid
    // its objects, and building it from its records then would cost a page's time at
    // every paint.
    if (Preview->Running() && Index >= Preview->PageCount() - 1) return;
    const double zoom = Zoom();
    auto it = std::find_if(FPageImages.begin(), FPageImages.end(),
                           [&](const TPageImage& p) { return p.Index == Index && p.Zoom == zoom; });
    if (it == FPageImages.end()) {
        Preview->PreviewPages->DrawPage(Index, Canvas, zoom, zoom, Page.Left, Page.Top);
        if (!Preview->Running() && DoubleBuffered()) FFillTimer->SetEnabled(true);
        return;
    }
    if (it != FPageImages.end() - 1) {
        std::rotate(it, it + 1, FPageImages.end());
        it = FPageImages.end() - 1;
    }
    // The frame's inside: the picture leaves the black frame drawn around it.
    const TClipRegion saved = Canvas->ClipRegion();
    Canvas->IntersectClipRect(Rect(Page.Left + 1, Page.Top + 1, Page.Right - 1, Page.Bottom - 1));
    Canvas->Draw(Page.Left, Page.Top, it->Bitmap.get());
    Canvas->SetClipRegion(saved);
}

std::vector<std::pair<int, TRect>> TfrxPreviewWorkspace::PagesInView() const {
    std::vector<std::pair<int, TRect>> out;
    if (!HasPages()) return out;
    const double zoom = Zoom();
    const TRect client = ClientRect();
    const int p = FPageList.FindPage(FOffsetY, false, zoom);
    const int last = std::min(FPageList.Count() - 1, p + 20);
    for (int i = std::max(0, p - 20); i <= last; ++i) {
        TRect r = FPageList.GetPageBounds(i, client.Width(), zoom);
        r.Left -= FOffsetX;
        r.Right -= FOffsetX;
        r.Top -= FOffsetY;
        r.Bottom -= FOffsetY;
        if (r.Bottom >= 0 && r.Top <= client.Height() && r.Right >= 0 && r.Left <= client.Width()) out.emplace_back(i, r);
    }
    return out;
}

// One missing picture per call, so the window stays responsive; the timer goes on until
// every page in view has its picture.
void TfrxPreviewWorkspace::FillPageImages() {
    FFillTimer->SetEnabled(false);
    if (!Preview || Preview->Running() || Preview->Locked() || !DoubleBuffered()) return;
    const double zoom = Zoom();
    if (!FPageImages.empty() && FPageImages.back().Zoom != zoom) FPageImages.clear();
    for (const auto& [index, r] : PagesInView()) {
        // A copy for the lambda: clang before 16 cannot capture a structured binding.
        const int pageIndex = index;
        const bool have = std::any_of(FPageImages.begin(), FPageImages.end(),
                                      [&](const TPageImage& p) { return p.Index == pageIndex && p.Zoom == zoom; });
        if (have) continue;
        const int w = r.Width() - 1;
        const int h = r.Height() - 1;
        if (w <= 0 || h <= 0 || int64_t(w) * h > kPageImagePixels / 4) continue;
        TPageImage image{index, zoom, std::make_unique<TBitmap>(w, h)};
        TCanvas* c = image.Bitmap->Canvas();
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clWhite);
        c->FillRect(Rect(0, 0, w, h));
        // Drawn as if the picture's origin were the page's frame, so the content lands
        // where drawing it directly puts it.
        Preview->PreviewPages->DrawPage(index, c, zoom, zoom, 0, 0);
        FPageImages.push_back(std::move(image));
        int64_t total = 0;
        for (const TPageImage& p : FPageImages) total += int64_t(p.Bitmap->Width()) * p.Bitmap->Height();
        while (total > kPageImagePixels && FPageImages.size() > 1) {
            total -= int64_t(FPageImages.front().Bitmap->Width()) * FPageImages.front().Bitmap->Height();
            FPageImages.erase(FPageImages.begin());
        }
        FFillTimer->SetEnabled(true);
        return;
    }
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
    const TTextMatcher match(s.SearchText, s.MatchCase);
    const int count = Preview->PageCount();
    while (SearchPage < count) {
        TfrxPage* page = Preview->PreviewPages->GetPage(SearchPage);
        const bool drawn = FMetafile && MetafilePage == SearchPage;
        if (!drawn && (!page || !PageMayHold(page, match))) {
            s.LastFoundRecord = -1;
            ++SearchPage;
            if (SearchPage < count && OnSearchProgress && !OnSearchProgress(SearchPage)) break;
            continue;
        }
        if (!drawn) {
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
            if (!match.In(r.Text)) continue;
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
        Preview->SetPageNo(PageAtView());
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
    // A click may change the page (the report's click handler).
    if (Click) {
        ClearPageImages();
        Invalidate();
    }
    const double zoom = Zoom();
    const int i = FPageList.FindPage(FOffsetY + Y, true, zoom);
    if (i < 0 || (Preview->Running() && i >= Preview->PageCount() - 1)) return;
    const TRect b = FPageList.GetPageBounds(i, ClientWidth(), zoom);
    int cursor = DefaultCursor;
    Preview->PreviewPages->ObjectOver(i, X, Y, static_cast<int>(Button), static_cast<unsigned>(Shift), zoom,
                                      b.Left - FOffsetX, b.Top - FOffsetY, Click, cursor);
    SetCursor(cursor);
}
