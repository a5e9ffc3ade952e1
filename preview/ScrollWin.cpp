// The scrolling window: positions are clamped on every write, so a request never leaves
// 0 .. range - page and one that does not move the position tells nobody.
#include "preview/ScrollWin.h"

#include <algorithm>

ROVE_IMPLEMENT_CLASS(TfrxScrollWin)

TfrxScrollWin::TfrxScrollWin(TComponent* AOwner) : TCustomControl(AOwner) {
    CreatePaintedPeer();
    FTabStop = true;
    FHorzBar = new TScrollBar(this);
    FHorzBar->SetKind(sbHorizontal);
    FHorzBar->SetTabStop(false);
    FHorzBar->SetParent(this);
    FHorzBar->OnScroll = [this](TObject*, TScrollCode Code, int& Pos) {
        HorzScroll(Code, Pos);
        Pos = FHorzPosition;
    };
    FVertBar = new TScrollBar(this);
    FVertBar->SetKind(sbVertical);
    FVertBar->SetTabStop(false);
    FVertBar->SetParent(this);
    FVertBar->OnScroll = [this](TObject*, TScrollCode Code, int& Pos) {
        VertScroll(Code, Pos);
        Pos = FVertPosition;
    };
    ApplyBar(FHorzBar, 0, 0, 0);
    ApplyBar(FVertBar, 0, 0, 0);
}

TfrxScrollWin::~TfrxScrollWin() {
    FHorzBar->OnScroll = nullptr;
    FVertBar->OnScroll = nullptr;
}

TRect TfrxScrollWin::ClientRect() const {
    return Rect(0, 0, std::max(0, Width() - ScrollBarSize), std::max(0, Height() - ScrollBarSize));
}

void TfrxScrollWin::BoundsChanged(bool Resized) {
    const TRect c = ClientRect();
    FHorzBar->SetBounds(0, c.Bottom, c.Right, ScrollBarSize);
    FVertBar->SetBounds(c.Right, 0, ScrollBarSize, c.Bottom);
    TCustomControl::BoundsChanged(Resized);
}

// The bar's maximum is the range (0 when the page holds it all, and the bar is disabled
// rather than hidden); the thumb then moves within 0 .. range - page.
void TfrxScrollWin::ApplyBar(TScrollBar* Bar, int Range, int Page, int Position) {
    const bool needed = Range > Page && Range > 0;
    Bar->SetPageSize(needed ? std::max(Page, 1) : 0);
    Bar->SetParams(needed ? Position : 0, 0, needed ? Range - 1 : 0);
    Bar->SetSmallChange(std::max(FSmallChange, 1));
    Bar->SetLargeChange(std::max(FLargeChange, 1));
    Bar->SetEnabled(needed);
}

void TfrxScrollWin::SetHorzPage(int Value) {
    FHorzPage = Value;
    SetHorzRange(FHorzRange);
}

void TfrxScrollWin::SetVertPage(int Value) {
    FVertPage = Value;
    SetVertRange(FVertRange);
}

// A smaller range or a larger page pulls the position back inside the content, so the
// view never rests past its end.
void TfrxScrollWin::SetHorzRange(int Value) {
    FHorzRange = Value;
    const int clamped = std::max(0, std::min(FHorzPosition, FHorzRange - FHorzPage));
    const bool moved = clamped != FHorzPosition;
    FHorzPosition = clamped;
    ApplyBar(FHorzBar, FHorzRange, FHorzPage, FHorzPosition);
    if (moved) HorzPositionChanged();
}

void TfrxScrollWin::SetVertRange(int Value) {
    FVertRange = Value;
    const int clamped = std::max(0, std::min(FVertPosition, FVertRange - FVertPage));
    const bool moved = clamped != FVertPosition;
    FVertPosition = clamped;
    ApplyBar(FVertBar, FVertRange, FVertPage, FVertPosition);
    if (moved) VertPositionChanged();
}

void TfrxScrollWin::SetHorzPosition(int Value) {
    Value = std::max(0, std::min(Value, FHorzRange - FHorzPage));
    if (Value == FHorzPosition) return;
    FHorzPosition = Value;
    ApplyBar(FHorzBar, FHorzRange, FHorzPage, FHorzPosition);
    HorzPositionChanged();
}

void TfrxScrollWin::SetVertPosition(int Value) {
    Value = std::max(0, std::min(Value, FVertRange - FVertPage));
    if (Value == FVertPosition) return;
    FVertPosition = Value;
    ApplyBar(FVertBar, FVertRange, FVertPage, FVertPosition);
    VertPositionChanged();
}

int TfrxScrollWin::Request(TScrollCode Code, int Position, int Range, int TrackPos) const {
    switch (Code) {
    case scLineUp: return Position - FSmallChange;
    case scLineDown: return Position + FSmallChange;
    case scPageUp: return Position - FLargeChange;
    case scPageDown: return Position + FLargeChange;
    case scPosition:
    case scTrack: return TrackPos;
    case scTop: return 0;
    case scBottom: return Range;
    case scEndScroll: break;
    }
    return Position;
}

void TfrxScrollWin::HorzScroll(TScrollCode Code, int TrackPos) {
    SetHorzPosition(Request(Code, FHorzPosition, FHorzRange, TrackPos));
}

void TfrxScrollWin::VertScroll(TScrollCode Code, int TrackPos) {
    SetVertPosition(Request(Code, FVertPosition, FVertRange, TrackPos));
}

void TfrxScrollWin::Paint() {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
}

bool TfrxScrollWin::WantsKey(uint16_t, TShiftState) const { return true; }
