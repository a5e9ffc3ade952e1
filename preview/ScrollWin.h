// The scrolling window: the base of the painted surfaces that scroll an area larger than
// their window (the preview workspace, the code editor). It keeps a range, a page size and
// a position per axis, drives its two scroll bars from them, turns the bars' requests into
// position writes and tells the descendant through HorzPositionChanged/VertPositionChanged
// that a position changed; the descendant scrolls and paints its picture itself.
#pragma once

#include "platform/ui/Controls.h"
#include "platform/ui/StdCtrls.h"

class TfrxScrollWin : public TCustomControl {
    ROVE_CLASS(TfrxScrollWin, TCustomControl)
public:
    explicit TfrxScrollWin(TComponent* AOwner);
    ~TfrxScrollWin() override;

    int HorzPage() const { return FHorzPage; }
    void SetHorzPage(int Value);
    int HorzPosition() const { return FHorzPosition; }
    void SetHorzPosition(int Value);
    int HorzRange() const { return FHorzRange; }
    void SetHorzRange(int Value);
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int Value) { FLargeChange = Value; }
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int Value) { FSmallChange = Value; }
    int VertPage() const { return FVertPage; }
    void SetVertPage(int Value);
    int VertPosition() const { return FVertPosition; }
    void SetVertPosition(int Value);
    int VertRange() const { return FVertRange; }
    void SetVertRange(int Value);

    // The area the descendant paints: the control less its two scroll bars.
    TRect ClientRect() const override;
    // A scroll bar's request on one axis (what the bars send when used).
    void HorzScroll(TScrollCode Code, int TrackPos);
    void VertScroll(TScrollCode Code, int TrackPos);

    // Fills the client area with the control's colour.
    void Paint() override;
    virtual void HorzPositionChanged() {}
    virtual void VertPositionChanged() {}

    // The bars themselves (tests read their state).
    TScrollBar* HorzScrollBar() const { return FHorzBar; }
    TScrollBar* VertScrollBar() const { return FVertBar; }
    static constexpr int ScrollBarSize = 16;

    // Arrows, Tab and every other key reach the control, as a dialog hosting it asks.
    bool WantsKey(uint16_t Key, TShiftState Shift) const override;

protected:
    void BoundsChanged(bool Resized) override;

private:
    int Request(TScrollCode Code, int Position, int Range, int TrackPos) const;
    void ApplyBar(TScrollBar* Bar, int Range, int Page, int Position);
    int FHorzPage = 0;
    int FHorzPosition = 0;
    int FHorzRange = 0;
    int FLargeChange = 10;
    int FSmallChange = 1;
    int FVertPage = 0;
    int FVertPosition = 0;
    int FVertRange = 0;
    TScrollBar* FHorzBar = nullptr;
    TScrollBar* FVertBar = nullptr;
};
