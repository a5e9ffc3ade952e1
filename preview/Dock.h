// Dockable toolbars: the dock panel along an edge of a window (TfrxDock) holding toolbars
// in rows, the toolbar (TfrxToolBar) with its grip (TfrxDragBox) that is dragged within a
// dock, from one dock to another, or out into a small floating window of its own
// (TfrxFloatWindow), the panel that holds a combo box inside a toolbar (TfrxTBPanel), and
// the routines that save and restore where toolbars and windows are in the report's
// settings store. All sizes are screen pixels; a horizontal dock is one aligned to the
// top or the bottom of its window.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/Controls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/PopupWindow.h"

class TCustomForm;
class TCustomIniFile;
class TfrxToolBar;
class TfrxFloatWindow;
class TSpeedButton;

ROVE_ENUM(TfrxOrientation, toAny, toVertOnly, toHorzOnly)

class TfrxDock : public TCustomControl {
    ROVE_CLASS(TfrxDock, TCustomControl)
public:
    explicit TfrxDock(TComponent* AOwner);
    // The thickness of one toolbar row.
    int RowSize() const { return FRowSize; }
    void SetRowSize(int Value) { FRowSize = Value; }
    // Aligned to the top or the bottom of its window (else to a side).
    bool Horizontal() const;
    // Closes empty rows, lets the dock take the toolbars that stick out of it and sizes
    // the dock to its rows (one pixel thick without toolbars).
    void AdjustBounds();
    // The toolbars in the dock, visible or not.
    std::vector<TfrxToolBar*> ToolBars() const;

    void Loaded() override;
    void Paint() override;
    bool TakesFocus() const override { return false; }
    static void DeclareProperties(TPropertyDecl<TfrxDock>& d);

private:
    int FRowSize = 26;
};

// The grip at the toolbar's start: pressing it and moving the mouse moves the toolbar.
class TfrxDragBox : public TGraphicControl {
    ROVE_CLASS(TfrxDragBox, TGraphicControl)
public:
    explicit TfrxDragBox(TComponent* AOwner);
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // The grip hands its events to the bar itself: passed on as well, the bar would move
    // twice for one move of the mouse.
    bool PassesMouseToParent() const override { return false; }
};

class TfrxToolBar : public TCustomControl {
    ROVE_CLASS(TfrxToolBar, TCustomControl)
public:
    explicit TfrxToolBar(TComponent* AOwner);
    ~TfrxToolBar() override;

    TfrxDragBox* DragBox() const { return FDragBox; }
    bool IsFloat() const { return FIsFloat; }
    TfrxFloatWindow* GetFloatWindow() const { return FFloatWindow; }
    TfrxOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TfrxOrientation Value) { FOrientation = Value; }
    bool CanFloat() const { return FCanFloat; }
    void SetCanFloat(bool Value) { FCanFloat = Value; }
    // The dock the toolbar is in, nullptr while it floats.
    TfrxDock* Dock() const;
    // 1 in a horizontal dock, 3 in a vertical one, else the parent's alignment number (0
    // inside the float window).
    int DockOrientation() const;

    // Docks at the dock's free edge (a new row).
    void AddToDock(TfrxDock* Dock);
    void DockTo(TfrxDock* Dock, int X, int Y);
    // Across a dock's rows and along them, once turned to the dock's direction.
    int Thickness() const;
    int Length() const;
    // Floats at screen point (X, Y) (only moves the window when already floating).
    void MakeFloat(int X, int Y);
    // Floats at the cursor and hands the drag on to the float window.
    void StartFloat();
    // Moves inside the dock as a drag on the grip does: pushed along by the other toolbars
    // of its row, torn off beyond the dock's start or out of it; false when refused.
    bool TryMove(int X, int Y);
    // Docks a floating toolbar into the dock of Form under Point (Form's client
    // coordinates); false when none takes it.
    bool TryDock(TCustomForm* Form, TPoint Point);
    // The grip first, the controls in their order along the toolbar, and the toolbar
    // turned for the dock's direction.
    void Arrange();
    // Arrange, then the toolbar's length: its visible controls plus 4.
    void AdjustBounds();
    // Shown: the toolbar, or its float window while it floats.
    bool IsVisible() const;
    void SetShown(bool Value);

    // The grip's and the toolbar's own mouse handling (screen point of the cursor).
    void GripDown(TPoint Cursor);
    void GripMove(TPoint Cursor);
    void GripUp();

    void Paint() override;
    void AdjustClientRect(TRect& Rect) const override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Loaded() override;
    bool TakesFocus() const override { return false; }
    static void DeclareProperties(TPropertyDecl<TfrxToolBar>& d);

protected:
    void BoundsChanged(bool Resized) override;

private:
    friend class TfrxFloatWindow;
    void PlaceGrip();
    TfrxDragBox* FDragBox = nullptr;
    bool FIsFloat = false;
    bool FPressed = false;
    TPoint FPressPoint;
    TfrxFloatWindow* FFloatWindow = nullptr;
    TfrxOrientation FOrientation = toAny;
    bool FCanFloat = true;
};

// A holder for combo boxes and the like inside a toolbar; it follows the toolbar's
// direction.
class TfrxTBPanel : public TCustomPanel {
    ROVE_CLASS(TfrxTBPanel, TCustomPanel)
public:
    explicit TfrxTBPanel(TComponent* AOwner);
    void SetParent(TWinControl* AParent) override;
    void Paint() override;
};

// The small window a floating toolbar sits in: its own title bar (dragged to move the
// window, and over a dock to dock the toolbar) and a close button; it stays above the
// window its toolbar belongs to.
class TfrxFloatWindow : public TPopupWindow {
    ROVE_CLASS(TfrxFloatWindow, TPopupWindow)
public:
    explicit TfrxFloatWindow(TComponent* AOwner);
    ~TfrxFloatWindow() override;
    TfrxToolBar* ToolBar = nullptr;
    // The form the toolbar belongs to (docks are looked for there).
    TCustomForm* OwnerForm = nullptr;
    TSpeedButton* CloseBtn() const { return FCloseBtn; }
    // Takes the mouse as if its left button went down at the cursor.
    void StartDrag(TPoint Cursor);
    bool Dragging() const { return FDragging; }
    // The drag of the window (screen point of the cursor).
    void DragMove(TPoint Cursor);
    void DragEnd();
    // Moves the window back so far onto the screen that its title can be taken.
    void KeepTitleOnScreen();

    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

protected:
    void BoundsChanged(bool Resized) override;

private:
    TSpeedButton* FCloseBtn = nullptr;
    bool FDragging = false;
    TPoint FLast;
};

// --- Dock sites: side panels that tool windows dock into ----------------------------------
class TfrxDockSite;
class TfrxDockHost;

// The splitter beside a dock site: dragging it changes the site's width.
class TfrxDockSplitter : public TGraphicControl {
    ROVE_CLASS(TfrxDockSplitter, TGraphicControl)
public:
    explicit TfrxDockSplitter(TComponent* AOwner);
    TfrxDockSite* Site = nullptr;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    bool FPressed = false;
};

// A side panel that tool windows (forms) dock into: the windows stand one below the other,
// each under a small caption bar of its own by which it is dragged out into a floating
// tool window; dragged over a site and let go, a floating window docks there again. The
// site is as wide as its widest window and shows its splitter while windows are docked.
class TfrxDockSite : public TCustomPanel {
    ROVE_CLASS(TfrxDockSite, TCustomPanel)
public:
    explicit TfrxDockSite(TComponent* AOwner);
    ~TfrxDockSite() override;
    TfrxDockSplitter* Splitter() const { return FSplitter; }
    void SetParent(TWinControl* AParent) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    int DockClientCount() const { return static_cast<int>(FHosts.size()); }
    TCustomForm* DockClients(int Index) const;
    bool Contains(const TCustomForm* Form) const;
    // Docks Form below the windows of the site (its height kept when Height is 0).
    void DockForm(TCustomForm* Form, int Height = 0);
    // Takes Form out of the site into a floating tool window at screen point At.
    void UndockForm(TCustomForm* Form, TPoint At);
    // The site remembers the width of the window dragged over it; the drop docks the
    // window and widens the site to it.
    void DockOver(TCustomForm* Form);
    void DockDrop(TCustomForm* Form);
    // The windows docked and their heights, in order ("name,height;..."); Load docks each
    // named window found (ReloadDockedControl) and skips the others.
    std::string SaveLayout() const;
    void LoadLayout(const std::string& Layout);
    // The window of that name among the application's windows, nullptr when none.
    static TCustomForm* ReloadDockedControl(const std::string& Name);
    // Places the windows one below the other.
    void ArrangeHosts();

    bool TakesFocus() const override { return false; }

private:
    friend class TfrxDockHost;
    friend class TfrxDockSplitter;
    void DoUnDock(TfrxDockHost* Host);
    void SizeSplitter();
    TfrxDockSplitter* FSplitter = nullptr;
    std::vector<TfrxDockHost*> FHosts;
    // Hosts whose window left: freed at the next docking, never inside their own events.
    std::vector<TfrxDockHost*> FRetired;
    int FDraggedWidth = 0;
    bool FArranging = false;
};

// Where a tool window stands inside a site: its caption bar and the window below it.
class TfrxDockHost : public TCustomControl {
    ROVE_CLASS(TfrxDockHost, TCustomControl)
public:
    TfrxDockHost(TfrxDockSite* Site, TCustomForm* Form);
    ~TfrxDockHost() override;
    TCustomForm* Form() const { return FForm; }
    static constexpr int CaptionHeight = 16;
    // The height the host asks for (the last host of a site takes what is left).
    int Preferred = 0;
    // Gives the window back (it leaves the host) without freeing it.
    TCustomForm* Release();
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    void BoundsChanged(bool Resized) override;

private:
    void PlaceForm();
    TfrxDockSite* FSite;
    TCustomForm* FForm;
    bool FPressed = false;
    TPoint FPressAt;
};

// The floating tool window of a window taken out of a dock site: a title bar to drag it
// by (let go over a site of its window's form, it docks there) and a close button.
class TfrxDockFloat : public TPopupWindow {
    ROVE_CLASS(TfrxDockFloat, TPopupWindow)
public:
    TfrxDockFloat(TComponent* AOwner, TCustomForm* Form, TCustomForm* OwnerForm);
    ~TfrxDockFloat() override;
    TCustomForm* Form() const { return FForm; }
    TCustomForm* OwnerForm() const { return FOwnerForm; }
    static constexpr int TitleHeight = 16;
    // The drag of the window (screen points); let go over a dock site it docks there.
    void DragStart(TPoint Cursor);
    void DragMove(TPoint Cursor);
    void DragEnd(TPoint Cursor);
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    void BoundsChanged(bool Resized) override;

private:
    TfrxDockSite* SiteUnder(TPoint Cursor) const;
    TCustomForm* FForm;
    TCustomForm* FOwnerForm;
    bool FDragging = false;
    TPoint FLast;
};

// The dock site a form stands in, nullptr when it is not docked.
TfrxDockSite* frxDockSiteOf(const TCustomForm* Form);

// The toolbars that float, in the order they went floating; each at most once.
std::vector<TfrxToolBar*>& frxFloatingToolBars();

// --- Where toolbars and windows are, in the settings store --------------------------------
// Section "ToolBar." + name: Float, Visible, Left, Top, Width, Height, Dock.
void SaveToolbarPosition(TCustomIniFile& Store, TfrxToolBar* ToolBar);
void RestoreToolbarPosition(TCustomIniFile& Store, TfrxToolBar* ToolBar);
// Section "Dock." + site name: Data, the site's layout as hexadecimal text.
void SaveDockState(TCustomIniFile& Store, TfrxDockSite* Site);
void RestoreDockState(TCustomIniFile& Store, TfrxDockSite* Site);
// Section "Form." + class name: Left, Top, Width, Height, Maximized, Visible, Dock.
void SaveFormPosition(TCustomIniFile& Store, TCustomForm* Form);
void RestoreFormPosition(TCustomIniFile& Store, TCustomForm* Form);

void frxRegisterDockClasses();
