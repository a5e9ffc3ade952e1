// Panels, bevels, images, paint boxes, splitters, scroll boxes and timers.
#pragma once

#include "platform/ui/Controls.h"

#include <memory>

ROVE_ENUM(TBevelShape, bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer)
ROVE_ENUM(TBevelStyle, bsLowered, bsRaised)
ROVE_ENUM(TResizeStyle, rsNone, rsLine, rsUpdate, rsPattern)

class TCustomPanel : public TCustomControl {
    ROVE_CLASS(TCustomPanel, TCustomControl)
public:
    explicit TCustomPanel(TComponent* AOwner);
    void SetText(const std::string& Value) override;
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut Value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int Value);
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    bool FullRepaint() const { return FFullRepaint; }
    void SetFullRepaint(bool Value) { FFullRepaint = Value; }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value) { FAutoSize = Value; }
    bool DockSite() const { return FDockSite; }
    void SetDockSite(bool Value) { FDockSite = Value; }

    // The border, then the outer and inner bevels, each BevelWidth wide.
    void AdjustClientRect(TRect& Rect) const override;
    void Paint() override;
    bool TakesFocus() const override { return false; }
    bool AcceptsControls() const override { return true; }
    void ApplyColor() override;
    static void DeclareProperties(TPropertyDecl<TCustomPanel>& d);

protected:
    TAlignment FAlignment = taCenter;
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
    bool FFullRepaint = true;
    bool FAutoSize = false;
    bool FDockSite = false;
};

class TPanel : public TCustomPanel {
    ROVE_CLASS(TPanel, TCustomPanel)
public:
    explicit TPanel(TComponent* AOwner);
};

class TBevel : public TGraphicControl {
    ROVE_CLASS(TBevel, TGraphicControl)
public:
    explicit TBevel(TComponent* AOwner);
    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape Value);
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle Value);
    void Paint() override;
    static void DeclareProperties(TPropertyDecl<TBevel>& d);

private:
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};

class TImage : public TGraphicControl {
    ROVE_CLASS(TImage, TGraphicControl)
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;
    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* Value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value);
    bool Center() const { return FCenter; }
    void SetCenter(bool Value);
    bool Proportional() const { return FProportional; }
    void SetProportional(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    // The rectangle the picture is drawn into (stretched, centred, proportional).
    TRect DestRect() const;
    void Paint() override;
    static void DeclareProperties(TPropertyDecl<TImage>& d);

private:
    void PictureChanged();
    std::unique_ptr<TPicture> FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FProportional = false;
    bool FTransparent = false;
    bool FAutoSize = false;
};

class TPaintBox : public TGraphicControl {
    ROVE_CLASS(TPaintBox, TGraphicControl)
public:
    explicit TPaintBox(TComponent* AOwner);
    void Paint() override;
    TNotifyEvent OnPaint;
    static void DeclareProperties(TPropertyDecl<TPaintBox>& d);
};

// Dragging the splitter resizes the aligned control it sits against.
class TSplitter : public TGraphicControl {
    ROVE_CLASS(TSplitter, TGraphicControl)
public:
    explicit TSplitter(TComponent* AOwner);
    int MinSize() const { return FMinSize; }
    void SetMinSize(int Value) { FMinSize = Value; }
    bool Beveled() const { return FBeveled; }
    void SetBeveled(bool Value);
    TResizeStyle ResizeStyle() const { return FResizeStyle; }
    void SetResizeStyle(TResizeStyle Value) { FResizeStyle = Value; }
    // The aligned neighbour the splitter resizes (null when none).
    TControl* FindControl() const;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Paint() override;
    TNotifyEvent OnMoved;
    static void DeclareProperties(TPropertyDecl<TSplitter>& d);

private:
    int FMinSize = 30;
    bool FBeveled = false;
    TResizeStyle FResizeStyle = rsPattern;
    TControl* FControl = nullptr;
    TPoint FDownPos;
    int FStartSize = 0;
    bool FSizing = false;
};

class TControlScrollBar : public TPersistent {
    ROVE_CLASS(TControlScrollBar, TPersistent)
public:
    TControlScrollBar() = default;
    TControlScrollBar(class TScrollingWinControl* Control, bool Horizontal) : FControl(Control), FHorizontal(Horizontal) {}
    int Position() const;
    void SetPosition(int Value);
    int Range() const { return FRange; }
    void SetRange(int Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    int Increment() const { return FIncrement; }
    void SetIncrement(int Value) { FIncrement = Value; }
    bool Tracking() const { return FTracking; }
    void SetTracking(bool Value) { FTracking = Value; }
    static void DeclareProperties(TPropertyDecl<TControlScrollBar>& d);

private:
    class TScrollingWinControl* FControl = nullptr;
    bool FHorizontal = false;
    int FRange = 0;
    bool FVisible = true;
    int FIncrement = 8;
    bool FTracking = false;
};

class TScrollingWinControl : public TWinControl {
    ROVE_CLASS(TScrollingWinControl, TWinControl)
public:
    explicit TScrollingWinControl(TComponent* AOwner);
    ~TScrollingWinControl() override;
    TControlScrollBar* HorzScrollBar() const { return FHorz.get(); }
    TControlScrollBar* VertScrollBar() const { return FVert.get(); }
    void SetHorzScrollBar(TControlScrollBar*) {}
    void SetVertScrollBar(TControlScrollBar*) {}
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool Value);
    // The visible part of the client area (the scrolled area is larger).
    TRect ClientRect() const override;
    void ScrollInView(TControl* AControl);
    void UpdateScrollRange();
    void ChildBoundsUpdated();
    bool TakesFocus() const override { return false; }
    bool AcceptsControls() const override { return true; }
    // Either scroll bar moved (by the user or the program).
    TNotifyEvent OnScroll;
    static void DeclareProperties(TPropertyDecl<TScrollingWinControl>& d);

protected:
    void BoundsChanged(bool Resized) override;
    void ChildMoved(TControl* Child) override { UpdateScrollRange(); }
    std::unique_ptr<TControlScrollBar> FHorz;
    std::unique_ptr<TControlScrollBar> FVert;
    bool FAutoScroll = true;
};

class TScrollBox : public TScrollingWinControl {
    ROVE_CLASS(TScrollBox, TScrollingWinControl)
public:
    explicit TScrollBox(TComponent* AOwner);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    static void DeclareProperties(TPropertyDecl<TScrollBox>& d);

private:
    TBorderStyle FBorderStyle = bsSingle;
};

class TTimer : public TComponent {
    ROVE_CLASS(TTimer, TComponent)
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    int Interval() const { return FInterval; }
    void SetInterval(int Value);
    void Loaded() override;
    // Runs OnTimer now (what the timer does every Interval milliseconds).
    void Tick();
    TNotifyEvent OnTimer;
    static void DeclareProperties(TPropertyDecl<TTimer>& d);

private:
    friend TTimer* NextDueTimer(int64_t Limit);
    friend void FireDueTimer(TTimer* Timer);
    friend void SetManualTimers(bool Manual);
    void UpdateTimer();
    void Rearm();
    struct TPeer;
    std::unique_ptr<TPeer> FTimerPeer;
    bool FEnabled = true;
    int FInterval = 1000;
};
