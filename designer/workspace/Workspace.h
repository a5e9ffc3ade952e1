// The design workspace: the surface on which one page of a report is edited. It covers the
// printable area of the page at the current zoom, shares the page's object list and the
// selection with the window that hosts it, and carries out selecting, moving, sizing,
// inserting, deleting and grouping of objects, the stacking of bands and the grid. Two
// companions belong to it: the margins panel (the whole sheet, drawn behind it) and the
// in-place memo (typing a memo's text on the surface).
//
// Geometry is in pixels at 96 per inch (scale 1); window pixels are those times Scale,
// rounded. Feedback that follows the mouse (rubber band, insertion outline, line marker,
// handles) is overlay state drawn last in every paint over a cached picture of the page;
// nothing is drawn outside painting.
//
// The hosting window sets Page, Objects and SelectedObjects (lists it owns and shares with
// its other views), the grid and band options, and the six events; see docs/designer.md.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/Persistent.h"
#include "platform/ui/Controls.h"
#include "platform/ui/StdCtrls.h"
#include "report/Cursors.h"   // crPencil, the line tool's cursor
#include "report/Utils.h"

class TBitmap;
class TfrxComponent;
class TfrxBand;
class TfrxPage;
class TfrxCustomMemoView;
class TfrxDesignerWorkspace;
class TPopupMenu;

enum TfrxGridType { gtPixels = 0, gtCm = 1, gtInch = 2, gtDialog = 3, gtChar = 4 };

// Scoped: the report engine's duplex modes use the name dmNone too.
enum class TfrxDesignMode {
    dmNone = 0, dmMove = 1, dmSize = 2, dmSizeBand = 3, dmScale = 4, dmInplaceEdit = 5,
    dmSelectionRect = 6, dmInsertObject = 7, dmInsertLine = 8
};

// The pending insertion: what the hosting window creates when OnInsertObject is raised.
struct TfrxInsertion {
    TClass ComponentClass = nullptr;   // nullptr: none
    double Left = 0, Top = 0, Width = 0, Height = 0;   // Width/Height negative while a line is drawn
    double DefaultWidth = 0, DefaultHeight = 0;
    uint16_t Flags = 0;
};

// The in-place editor of a memo's text.
class TInplaceMemo : public TMemo {
    ROVE_CLASS(TInplaceMemo, TMemo)
public:
    explicit TInplaceMemo(TComponent* AOwner);
    TfrxDesignerWorkspace* Workspace = nullptr;
    TfrxCustomMemoView* Memo() const { return FMemo; }
    int StartWidth() const { return FStartWidth; }
    int StartHeight() const { return FStartHeight; }

    // Opens the editor over the memo object, its text selected.
    void Edit(TfrxCustomMemoView* AMemo);
    // Ends editing: a typed text goes back into the memo (with a changed size), the
    // editor hides.
    void EditDone();
    // Grows the editor to hold its lines (every text change runs it).
    void AutoSize();

    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Change() override;

protected:
    // The memo being edited can go while the editor is open (an undo, a deletion from the
    // report tree or a menu): the editor then forgets it and writes nothing back.
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void SetMemo(TfrxCustomMemoView* AMemo);
    TfrxCustomMemoView* FMemo = nullptr;
    int FStartWidth = 0;
    int FStartHeight = 0;
    bool FEditing = false;
};

// The whole sheet behind the workspace: its border and the dotted printable area; mouse
// input on the margins goes to the workspace.
class TMarginsPanel : public TCustomControl {
    ROVE_CLASS(TMarginsPanel, TCustomControl)
public:
    explicit TMarginsPanel(TComponent* AOwner);
    TfrxDesignerWorkspace* Workspace = nullptr;
    void Paint() override;
    // The sheet drawn on any canvas (the paint and the tests).
    void PaintOn(TCanvas* C);
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
};

class TfrxDesignerWorkspace : public TCustomControl {
    ROVE_CLASS(TfrxDesignerWorkspace, TCustomControl)
public:
    // The margins panel is owned by AOwner (it lies on the same parent), the in-place memo
    // by the workspace.
    explicit TfrxDesignerWorkspace(TComponent* AOwner);
    ~TfrxDesignerWorkspace() override;

    // --- What the hosting window sets ----------------------------------------------------
    TfrxPage* Page = nullptr;
    // Every object of the page (all levels), then the report, then the page: re-ordered
    // by AdjustBands (bands first). Not owned.
    std::vector<TfrxComponent*>* Objects = nullptr;
    std::vector<TfrxComponent*>* SelectedObjects = nullptr;
    bool FreeBands = false;
    int BandsGap = 0;
    bool GridAlign = true;
    bool GridLCD = false;
    double GridX = 3.77953;
    double GridY = 3.77953;
    bool ShowEdges = true;
    TPopupMenu* PopupMenu = nullptr;

    TNotifyEvent OnModify;
    TNotifyEvent OnEditObject;
    TNotifyEvent OnInsertObject;
    std::function<void(const TfrxRect& ARect)> OnNotifyPosition;   // Left, Top, Width, Height
    TNotifyEvent OnSelectionChanged;
    TNotifyEvent OnTopLeftChanged;

    // --- State -----------------------------------------------------------------------------
    double Scale() const { return FScale; }
    double BandHeader() const { return FBandHeader; }
    TfrxGridType GridType() const { return FGridType; }
    bool ShowGrid() const { return FShowGrid; }
    bool ShowBandCaptions() const { return FShowBandCaptions; }
    TColor Color() const { return FColor; }
    TfrxDesignMode Mode() const { return FMode; }
    int SizeHandle() const { return FSizeHandle; }
    bool Locked() const { return FLocked; }
    bool Inserting() const { return FInserting; }
    bool IsMouseDown() const { return FMouseDown; }
    bool Modified() const { return FModified; }
    void SetModified(bool Value) { FModified = Value; }
    const TfrxInsertion& Insertion() const { return FInsertion; }
    TfrxInsertion& Insertion() { return FInsertion; }
    const TfrxRect& SelectionRect() const { return FSelectionRect; }
    TfrxComponent* HoverObject() const { return FHoverObject; }
    TfrxBand* SizedBand() const { return FSizedBand; }
    TRect Margins() const { return FMargins; }
    int PageWidth() const { return FPageWidth; }
    int PageHeight() const { return FPageHeight; }
    TInplaceMemo* InplaceMemo() const { return FInplaceMemo; }
    TMarginsPanel* MarginsPanel() const { return FMarginsPanel; }
    TBitmap* BandBitmap() const { return FBandBitmap.get(); }
    // The cursor the workspace shows now (mode and handle decide it).
    TCursor CurrentCursor() const { return Cursor(); }

    // --- Operations --------------------------------------------------------------------------
    void SetParent(TWinControl* AParent) override;
    void Lock();
    void Unlock() { FLocked = false; }
    // Repaints, then tells the selection bounds (zeros when nothing counts as selected).
    void UpdateView();
    void SetInsertion(TClass ComponentClass, double Width, double Height, uint16_t Flags);
    // Values of 0 or below, and NaN, count as 1; above 20 as 20.
    void SetScale(double Value);
    void SetPageDimensions(int AWidth, int AHeight, TRect AMargins);
    void SetShowGrid(bool Value);
    void SetShowBandCaptions(bool Value);
    void SetGridType(TfrxGridType Value);
    void SetColor(TColor Value);
    void SetOrigin(int ALeft, int ATop);

    // The selection's count; a list holding only the page or only the report counts 0.
    int SelectedCount() const;
    // One selected object: its own bounds; otherwise the absolute box of the selection.
    TfrxRect GetSelectionBounds() const;
    // The selected object with the greatest right edge (then bottom edge).
    TfrxComponent* AnchorObject() const;
    virtual void DeleteObjects();
    virtual void EditObject();
    void GroupObjects();
    void UngroupObjects();
    void AdjustBands();
    void DoModify();
    void SelectionChanged();
    void MoveSelection(double DX, double DY);
    void SizeSelection(double DX, double DY);
    // A view's grid step check during a drag (the page workspace snaps to guides here).
    virtual void CheckGuides(double& DX, double& DY, bool& Skip) {}

    // --- Painting ----------------------------------------------------------------------------
    void Paint() override;
    // Everything a paint draws, onto any canvas in window coordinates (tests record it).
    void PaintOn(TCanvas* C, const TRect& Clip);
    virtual void DrawObjects(TCanvas* C);
    void DrawObject(TCanvas* C, TfrxComponent* Obj);
    // Anchor: the object whose corner handle is marked (nullptr for a single selection).
    void DrawSelectionHandles(TCanvas* C, TfrxComponent* Obj, TfrxComponent* Anchor);
    // Drops the cached page picture (every change of the page's look calls it).
    void InvalidatePage();
    // The part of the surface whose picture is kept (empty when none is).
    TRect CachedRect() const { return FCacheValid ? FCacheRect : TRect{}; }

    // --- Input -------------------------------------------------------------------------------
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    void MouseLeave() override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void KeyUp(uint16_t& Key, TShiftState Shift) override;
    bool WantsKey(uint16_t Key, TShiftState Shift) const override { return true; }
    // The insertion outline leaves the surface (mouse left it, or moved over the margins).
    void ParkInsertion();
    // Where the pointer is, in workspace pixels (the Alt hover uses it); tests replace it.
    std::function<TPoint()> CursorPosition;

protected:
    void BoundsChanged(bool Resized) override;
    // For the page workspace, which adds guides, drops and tools over the same gestures.
    TPoint Origin() const { return FOrg; }
    void SetMode(TfrxDesignMode Value) { FMode = Value; }
    void SetMouseDown(bool Value) { FMouseDown = Value; }
    double LastMouseX() const { return FLastMouseX; }
    double LastMouseY() const { return FLastMouseY; }
    void SetLastMouse(double X, double Y) { FLastMouseX = X, FLastMouseY = Y; }
    void SetSelectionRect(const TfrxRect& Value) { FSelectionRect = Value; }
    void SetModeCursor(TCursor Value);

private:
    friend class TMarginsPanel;
    friend class TInplaceMemo;
    // Paint helpers; FOrg is the window point at the canvas's (0, 0).
    void DrawPage(TCanvas* C, const TRect& Clip);
    void DrawBackgroundAndGrid(TCanvas* C, const TRect& Clip);
    void DrawOverlays(TCanvas* C);
    void DrawSelectionRect(TCanvas* C);
    void DrawInsertionRect(TCanvas* C);
    void DrawLineMarker(TCanvas* C, bool WithLine);
    // Input helpers.
    bool StepGrid(double X, double Y, double FromX, double FromY, bool Alt, double& DX, double& DY);
    TfrxComponent* HitObject(double X, double Y) const;
    TfrxCustomMemoView* MemoUnderAlt(double X, double Y) const;
    void SelectNearest(int DirX, int DirY);
    void JumpToNeighbour(int DirX, int DirY);
    void FitBand(TfrxBand* Band);
    void NotifyPosition(const TfrxRect& R);
    void AutoScroll(int X, int Y);
    void Changed();   // the page's look changed: drop the cache and repaint

    double FScale = 1;
    double FBandHeader = 0;
    TfrxGridType FGridType = gtCm;
    bool FShowGrid = true;
    bool FShowBandCaptions = false;
    TColor FColor = clWhite;
    TfrxDesignMode FMode = TfrxDesignMode::dmNone;
    int FSizeHandle = 0;
    bool FDblClicked = false;
    bool FLocked = false;
    bool FInserting = false;
    bool FMouseDown = false;
    bool FModified = false;
    TfrxInsertion FInsertion;
    double FLastMouseX = 0, FLastMouseY = 0;
    TRect FMargins;
    int FPageWidth = 0, FPageHeight = 0;
    TfrxRect FScaleRect, FScaleRect0;
    TfrxRect FSelectionRect;
    TfrxComponent* FHoverObject = nullptr;
    TfrxBand* FSizedBand = nullptr;
    // The starting absolute rectangle of each selected object in a group resize.
    std::vector<std::pair<TfrxComponent*, TfrxRect>> FScaleStarts;
    // The overlay state painted last.
    bool FShowSelectionRect = false;
    bool FShowInsertion = false;
    bool FShowLineMarker = false;
    TInplaceMemo* FInplaceMemo = nullptr;
    TMarginsPanel* FMarginsPanel = nullptr;
    std::unique_ptr<TBitmap> FBandBitmap;
    // The cached picture of the page (background, grid, objects) over FCacheRect.
    std::unique_ptr<TBitmap> FCache;
    TRect FCacheRect;
    bool FCacheValid = false;
    TPoint FOrg;
    TRect FDrawClip;
};

// The data band caption picture and the pencil cursor, drawn by the program.
void frxLoadBandBitmap(TBitmap& Bitmap);
void frxInstallPencilCursor();
