// Controls: the base of every visible element of a window. TControl has bounds, Align and
// Anchors, Visible and Enabled, colour and font (with ParentColor/ParentFont), hint,
// cursor, the mouse events and the link to an action; TWinControl adds children laid out
// by the align rules, the focus and tab order, and the keyboard events with Windows key
// codes. Each control stands over a Qt widget that only this layer sees.
//
// Every handler a control fires runs inside the exception boundary: an exception that
// leaves it is shown by Application->HandleException and goes no further.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/graphics/Graphics.h"
#include "platform/ui/Keys.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TWinControl;
class TCustomForm;
class TPopupMenu;
class TBasicAction;
class TActionLink;
struct TControlPeer;

ROVE_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom)
ROVE_ENUM(TAnchorKind, akLeft, akTop, akRight, akBottom)
ROVE_SET(TAnchors, TAnchorKind)
ROVE_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter)
ROVE_ENUM(TBevelCut, bvNone, bvLowered, bvRaised, bvSpace)
ROVE_ENUM(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin)
// Controls' own borders take the first two values; published under the name TBorderStyle.
using TBorderStyle = TFormBorderStyle;
const TTypeInfo* BorderStyleTypeInfo();
ROVE_ENUM(TTextLayout, tlTop, tlCenter, tlBottom)
ROVE_ENUM(TDragState, dsDragEnter, dsDragLeave, dsDragMove)
ROVE_ENUM(TDragMode, dmManual, dmAutomatic)
ROVE_ENUM(TDragKind, dkDrag, dkDock)

inline const TAnchors AnchorsDefault{akLeft, akTop};

// Cursor numbers (negative: the stock cursors; positive: Screen->Cursors entries).
using TCursor = int;
enum : int {
    crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6,
    crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11,
    crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15, crMultiDrag = -16,
    crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21,
    crSizeAll = -22, crSize = -22,
};
const TTypeInfo* CursorTypeInfo();   // "TCursor" with the cr identifiers

// The event signatures of controls.
using TKeyEvent = TEvent<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;
ROVE_EVENT_TYPE(TKeyEvent)
using TKeyPressEvent = TEvent<void(TObject* Sender, char32_t& Key)>;
ROVE_EVENT_TYPE(TKeyPressEvent)
using TMouseEvent = TEvent<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
ROVE_EVENT_TYPE(TMouseEvent)
using TMouseMoveEvent = TEvent<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
ROVE_EVENT_TYPE(TMouseMoveEvent)
using TMouseWheelUpDownEvent = TEvent<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
ROVE_EVENT_TYPE(TMouseWheelUpDownEvent)
using TDragOverEvent = TEvent<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
ROVE_EVENT_TYPE(TDragOverEvent)
using TDragDropEvent = TEvent<void(TObject* Sender, TObject* Source, int X, int Y)>;
ROVE_EVENT_TYPE(TDragDropEvent)
// (Sender, var CanClose) and every event of the same form (OnChanging of page controls).
using TCloseQueryEvent = TEvent<void(TObject* Sender, bool& CanClose)>;
ROVE_EVENT_TYPE(TCloseQueryEvent)
using TCanResizeEvent = TEvent<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;
ROVE_EVENT_TYPE(TCanResizeEvent)

// Runs fn inside the exception boundary (what every handler call of the layer does);
// false when an exception left fn and was shown.
bool SafeCall(const std::function<void()>& fn);

class TControl : public TComponent {
    ROVE_CLASS(TControl, TComponent)
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    // --- Parent and streaming ------------------------------------------------------
    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }
    void SetParentComponent(TComponent* Value) override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // True for controls with a window of their own (TWinControl descendants).
    virtual bool IsWindowed() const { return false; }
    // True for containers that other controls may be placed in at design time (group
    // boxes, panels, scroll boxes, tab sheets, forms); an edit or a button holds none.
    virtual bool AcceptsControls() const { return false; }

    // --- Bounds (parent client coordinates; a form's are screen coordinates) -------
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    // The client area: for most controls the whole control.
    virtual TRect ClientRect() const { return Rect(0, 0, FWidth, FHeight); }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientWidth(int Value);
    virtual void SetClientHeight(int Value);
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;
    // The origin of the client area in screen coordinates.
    TPoint ClientOrigin() const { return ClientToScreen(TPoint{0, 0}); }

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign Value);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors Value);

    // Scales bounds and (unless ParentFont) the font by M/D with the class library's rule:
    // Left and Top scale, Width and Height scale as the difference of the scaled edges.
    virtual void ScaleBy(int M, int D);

    // --- State ---------------------------------------------------------------------
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and every parent up to a visible form.
    virtual bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);

    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);

    // The text of the control (Caption of labels and buttons, Text of edits).
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& Value) { SetText(Value); }
    std::string Text() const { return GetText(); }
    virtual std::string GetText() const { return FText; }
    virtual void SetText(const std::string& Value);

    // --- Actions ---------------------------------------------------------------------
    TBasicAction* Action() const;
    void SetAction(TBasicAction* Value);
    // Called by the action link when a linked property of the action changes.
    virtual void ActionChanged(TBasicAction* Sender);

    // --- Painting and order ------------------------------------------------------------
    void Invalidate();
    void Repaint();
    void Update();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();
    // Draws the control (with its children) onto Canvas with its top left at (X, Y).
    void PaintTo(TCanvas* Canvas, int X, int Y);

    // --- Behaviour ---------------------------------------------------------------------
    // OnClick, or the action's execution when the action is linked and OnClick is not
    // a handler of its own.
    virtual void Click();
    virtual void DblClick();
    TCustomForm* ParentForm() const;   // the form the control is on (itself for a form)

    // For in-process dragging (the designer's trees and rulers).
    void BeginDrag(bool Immediate, int Threshold = -1);
    bool Dragging() const;
    void EndDrag(bool Drop);
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode Value) { FDragMode = Value; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TCanResizeEvent OnCanResize;

    static void DeclareProperties(TPropertyDecl<TControl>& d);

    // --- The layer's own ----------------------------------------------------------------
    TControlPeer* Peer() const { return FPeer.get(); }
    // Called by the event dispatch; descendants add their reactions.
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseEnter() { OnMouseEnter(this); }
    virtual void MouseLeave() { OnMouseLeave(this); }
    // Whether a press and release of the left button inside is a click (buttons click
    // through their own widget instead).
    virtual bool ClicksFromMouse() const { return true; }
    // Whether the mouse presses, moves and releases this control's handlers leave go on to
    // its parent's handlers too (the window system passes what a widget leaves upward). A
    // control that does all its parent is to do with them (a grip that moves its bar) keeps
    // them.
    virtual bool PassesMouseToParent() const { return true; }
    // An accelerator character of the form ("&File": Alt+F): the control that owns it acts
    // (buttons click, labels focus their FocusControl) and says true.
    virtual bool DialogChar(char32_t CharCode) { return false; }
    virtual void Resize();
    virtual void DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    // A change of the parent's font or colour (ParentFont/ParentColor follow it).
    virtual void ParentFontChanged();
    virtual void ParentColorChanged();
    // Applies the font and colour to the widget (descendants choose the palette roles).
    virtual void ApplyFont();
    virtual void ApplyColor();
    // Moves the widget to the control's bounds.
    virtual void ApplyBounds();
    virtual void ApplyVisible();
    virtual void ApplyEnabled();
    void ApplyHint();

protected:
    // Installs the widget that stands for this control (called once by constructors).
    void SetPeer(std::unique_ptr<TControlPeer> Peer);
    // Leaves the parent and deletes the widget: the first step of the destructors of
    // controls whose widget reads their own members (models, item lists), so that the
    // widget never calls into a half-destroyed control.
    void DestroyPeer();
    void RequestAlign();
    void UpdateAnchorRules();
    void ComputeAnchorRules();
    // After a change of bounds: OnResize (windowed controls realign their children first).
    virtual void BoundsChanged(bool Resized);
    virtual void ChangeScale(int M, int D);
    virtual bool IsColorStored() const { return !FParentColor; }
    bool IsFontStored() const { return !FParentFont; }
    bool IsHintStored() const;
    bool IsCaptionStored() const;
    bool IsEnabledStored() const;
    bool IsVisibleStored() const;
    virtual TColor DefaultColor() const { return clBtnFace; }
    virtual bool HasCheckedLink() const { return false; }
    TActionLink* ActionLink() const { return FActionLink.get(); }

    friend class TWinControl;
    friend struct TControlAccess;

    TWinControl* FParent = nullptr;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TAlign FAlign = alNone;
    TAnchors FAnchors = AnchorsDefault;
    TPoint FAnchorRules;
    TPoint FOriginalParentSize;
    bool FAnchorMove = false;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor;
    bool FParentColor = false;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    bool FFontFromParent = false;
    std::string FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TCursor FCursor = crDefault;
    TPopupMenu* FPopupMenu = nullptr;
    std::string FText;
    std::unique_ptr<TActionLink> FActionLink;
    std::unique_ptr<TControlPeer> FPeer;
    TDragMode FDragMode = dmManual;
    bool FMouseInside = false;
    bool FPressed = false;
    // A wheel handler said Handled: the turn goes no further (no scrolling of its own).
    bool FWheelHandled = false;

private:
    void FontChanged();
};

// A control without a window of its own (labels, bevels, images, paint boxes).
class TGraphicControl : public TControl {
    ROVE_CLASS(TGraphicControl, TControl)
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    // The canvas during Paint (drawing outside Paint raises on a released canvas).
    TCanvas* Canvas() const { return FCanvas.get(); }
    // Draws the control; the layer calls it from the widget's paint.
    virtual void Paint() {}

protected:
    std::unique_ptr<TCanvas> FCanvas;
};

class TWinControl : public TControl {
    ROVE_CLASS(TWinControl, TControl)
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;
    bool IsWindowed() const override { return true; }

    // --- Children ------------------------------------------------------------------------
    int ControlCount() const { return static_cast<int>(FControls.size() + FWinControls.size()); }
    // Controls without a window first, then the windowed ones, each in insertion order.
    TControl* Controls(int Index) const;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    bool ContainsControl(const TControl* Control) const;   // a child or grandchild
    TControl* ControlAtPos(TPoint Pos, bool AllowDisabled) const;
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

    // --- Align rules -------------------------------------------------------------------
    // Lays out the children: alTop ones from the top in order of their Top, alBottom
    // from the bottom, alLeft, alRight, then alClient in what is left, then the anchored
    // ones; AControl (the one that moved) goes first among those of its alignment.
    void AlignControls(TControl* AControl, TRect& Rect);
    void Realign();
    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();
    bool AlignDisabled() const { return FAlignLevel > 0; }
    // The area children are aligned in (the client rectangle less borders and captions).
    virtual void AdjustClientRect(TRect& Rect) const;
    void ScaleBy(int M, int D) override;

    // --- Focus -----------------------------------------------------------------------
    // Raises EInvalidOperation "Cannot focus a disabled or invisible window" when the
    // control or a parent is hidden or disabled.
    virtual void SetFocus();
    bool Focused() const;
    virtual bool CanFocus() const;
    int TabOrder() const;
    void SetTabOrder(int Value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool Value);
    // Whether the control keeps what it draws in an off-screen picture of its own. Qt
    // already paints every widget into the window's back buffer and shows it at once, so
    // for a plain control this switches nothing; a control that draws costly content (the
    // preview's workspace with its page pictures) reads it. A form resource may set it.
    bool DoubleBuffered() const { return FDoubleBuffered; }
    virtual void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }
    // The tab order of the children that take the focus, as TabOrder orders them.
    void GetTabOrderList(std::vector<TWinControl*>& List) const;
    // The next control from CurControl in tab order within this control.
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                 bool CheckParent) const;
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);

    // --- Keyboard ----------------------------------------------------------------------
    // The key path (what the dispatch of Qt's key events calls): the form's KeyPreview
    // handler has its turn first, then, unless it swallowed the key, this control's own
    // handling (KeyDown, KeyUp, KeyPress); a Key of 0 afterwards means the key was
    // swallowed.
    void DoKeyDown(uint16_t& Key, TShiftState Shift);
    void DoKeyUp(uint16_t& Key, TShiftState Shift);
    void DoKeyPress(char32_t& Key);
    // The control's own handling of a key: fires its OnKeyDown, OnKeyUp or OnKeyPress.
    // A form's handler may call it to hand a key on without the key coming back to the
    // form's preview.
    virtual void KeyDown(uint16_t& Key, TShiftState Shift);
    virtual void KeyUp(uint16_t& Key, TShiftState Shift);
    virtual void KeyPress(char32_t& Key);
    // Which special keys the control handles itself rather than the form: Tab, arrows,
    // Enter and Esc (the dialog codes of the platform).
    virtual bool WantsKey(uint16_t Key, TShiftState Shift) const;
    // Text arriving as a whole (paste, input method, drop): each character passes
    // through DoKeyPress; gives the text that remains.
    std::string FilterTypedText(const std::string& Text);
    // Where the character of a changed key goes (editing controls insert it).
    virtual void InsertTypedText(const std::string& Text) {}
    // Pastes the clipboard's text through FilterTypedText; false for controls that do
    // not edit text.
    virtual bool PasteText() { return false; }
    // Where a painted control that takes text draws its caret (client coordinates), so
    // that an input method places its candidate window there; empty when it has none.
    virtual TRect InputCaretRect() const { return TRect{}; }
    // Tells the input method that the caret moved.
    void UpdateInputCaret();

    void ApplyEnabled() override;
    void ParentFontChanged() override;
    void ParentColorChanged() override;
    void Loaded() override;
    // Whether the control takes the keyboard focus at all (containers do not).
    virtual bool TakesFocus() const { return true; }

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    static void DeclareProperties(TPropertyDecl<TWinControl>& d);

    // --- The layer's own ----------------------------------------------------------------
    virtual void DoEnter();
    virtual void DoExit();

protected:
    void BoundsChanged(bool Resized) override;
    // A child was placed, moved, sized, added or removed (scroll boxes follow it).
    virtual void ChildMoved(TControl* Child) {}
    void SetParentPeerOf(TControl* Child);
    void ChildBoundsChanged(TControl* Child);

    friend class TControl;
    friend struct TControlAccess;
    std::vector<TControl*> FControls;      // graphic controls
    std::vector<TWinControl*> FWinControls;   // windowed controls, in insertion order
    std::vector<TWinControl*> FTabList;       // windowed controls, in tab order
    int FTabOrderRead = -1;                   // TabOrder as read, applied after loading
    void FixupTabList();
    int FAlignLevel = 0;
    bool FTabStop = false;
    bool FDoubleBuffered = false;
    bool FRealignPending = false;
};

// A windowed control that paints itself (custom panels, rulers, workspaces).
class TCustomControl : public TWinControl {
    ROVE_CLASS(TCustomControl, TWinControl)
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    TCanvas* Canvas() const { return FCanvas.get(); }
    virtual void Paint() {}

protected:
    // Gives the control a widget of its own that draws through Paint: for painted
    // controls built above this layer, which cannot make a widget themselves.
    void CreatePaintedPeer();
    std::unique_ptr<TCanvas> FCanvas;
};

// Whether Key is the accelerator ("&" followed by it, case ignored) of Caption.
bool IsAccelChar(char32_t Key, const std::string& Caption);

// Windows' MulDiv: Number * Numerator / Denominator rounded half away from zero;
// -1 when Denominator is 0.
int MulDiv(int Number, int Numerator, int Denominator);

// The mouse: the pointer's screen position and the control that holds the mouse (capture).
class TMouse {
public:
    TPoint CursorPos() const;
    void SetCursorPos(TPoint Value);
    TControl* Capture() const { return FCapture; }
    // The control gets every mouse event until capture is released (nullptr).
    void SetCapture(TControl* Value);
    int WheelScrollLines() const { return 3; }
    // Pixels the mouse must move with the button held before a pending drag starts.
    int DragThreshold() const { return 5; }

private:
    TControl* FCapture = nullptr;
};
TMouse* Mouse();
