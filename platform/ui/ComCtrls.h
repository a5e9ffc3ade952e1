// The common controls: status bars with panels, page controls with tab sheets, list views,
// tree views, date and time pickers, tool bars with tool buttons.
#pragma once

#include "platform/rtl/StringList.h"
#include "platform/ui/Controls.h"

#include <memory>
#include <vector>

class TImageListComponent;
class TTimer;
class TPopupMenu;
class TStatusBar;
class TPageControl;
class TListView;
class TToolBar;
struct TListViewPeer;

// --- Status bar --------------------------------------------------------------------------
ROVE_ENUM(TStatusPanelStyle, psText, psOwnerDraw)
ROVE_ENUM(TStatusPanelBevel, pbNone, pbLowered, pbRaised)

class TStatusPanel : public TCollectionItem {
    ROVE_CLASS(TStatusPanel, TCollectionItem)
public:
    explicit TStatusPanel(TCollection* Collection);
    const std::string& Text() const { return FText; }
    void SetText(const std::string& Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TStatusPanelStyle Style() const { return FStyle; }
    void SetStyle(TStatusPanelStyle Value);
    TStatusPanelBevel Bevel() const { return FBevel; }
    void SetBevel(TStatusPanelBevel Value);
    static void DeclareProperties(TPropertyDecl<TStatusPanel>& d);

private:
    std::string FText;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    TStatusPanelStyle FStyle = psText;
    TStatusPanelBevel FBevel = pbLowered;
};

class TStatusPanels : public TCollection {
    ROVE_CLASS(TStatusPanels, TCollection)
public:
    explicit TStatusPanels(TStatusBar* Owner = nullptr);
    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
    TStatusPanel* Items(int Index) const { return static_cast<TStatusPanel*>(TCollection::Items(Index)); }

protected:
    void Update(TCollectionItem* Item) override;

private:
    TStatusBar* FBar = nullptr;
};

using TDrawPanelEvent = TEvent<void(TStatusBar* StatusBar, TStatusPanel* Panel, TRect Rect)>;
ROVE_EVENT_TYPE(TDrawPanelEvent)

class TStatusBar : public TCustomControl {
    ROVE_CLASS(TStatusBar, TCustomControl)
public:
    explicit TStatusBar(TComponent* AOwner);
    TStatusPanels* Panels() const { return FPanels.get(); }
    void SetPanels(TStatusPanels* Value);
    bool SimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool Value);
    const std::string& SimpleText() const { return FSimpleText; }
    void SetSimpleText(const std::string& Value);
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool Value);
    // Panel i's rectangle: panels follow one another; the last reaches the right edge.
    TRect PanelRect(int Index) const;
    // Repaints panel Index only (at the next paint, with whatever else is waiting).
    void InvalidatePanel(int Index);
    void Paint() override;
    bool TakesFocus() const override { return false; }
    TDrawPanelEvent OnDrawPanel;
    static void DeclareProperties(TPropertyDecl<TStatusBar>& d);

protected:
    // The panels' widths scale with the form, as the text in them does.
    void ChangeScale(int M, int D) override;

private:
    std::unique_ptr<TStatusPanels> FPanels;
    bool FSimplePanel = false;
    std::string FSimpleText;
    bool FSizeGrip = true;
};

// --- Page control ------------------------------------------------------------------------
class TTabSheet : public TWinControl {
    ROVE_CLASS(TTabSheet, TWinControl)
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;
    void SetText(const std::string& Value) override;
    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* Value);
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool Value);
    int PageIndex() const;
    void SetPageIndex(int Value);
    int TabIndex() const;   // among the visible tabs, -1 when hidden
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }
    void SetParent(TWinControl* AParent) override;
    bool TakesFocus() const override { return false; }
    bool AcceptsControls() const override { return true; }
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    static void DeclareProperties(TPropertyDecl<TTabSheet>& d);

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
    int FImageIndex = -1;
};

// One signature, one event type: OnChanging shares the close-query event's.
using TTabChangingEvent = TCloseQueryEvent;
ROVE_ENUM(TTabPosition, tpTop, tpBottom, tpLeft, tpRight)

class TPageControl : public TWinControl {
    ROVE_CLASS(TPageControl, TWinControl)
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;
    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int Index) const;
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* Value);
    int ActivePageIndex() const;
    void SetActivePageIndex(int Value);
    // The next (or previous) visible page after the active one, wrapping.
    void SelectNextPage(bool GoForward);
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool Value);
    TTabPosition TabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition Value) { FTabPosition = Value; }
    // The area of the sheets (below the tabs, inside the frame).
    void AdjustClientRect(TRect& Rect) const override;
    TRect DisplayRect() const;
    // The tab (among the visible ones) at a point of the control, -1 for none; a tab's
    // rectangle in the control's client coordinates (empty for no such tab).
    int IndexOfTabAt(int X, int Y) const;
    TRect TabRect(int Index) const;
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    bool WantsKey(uint16_t Key, TShiftState Shift) const override;
    void Loaded() override;

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;
    static void DeclareProperties(TPropertyDecl<TPageControl>& d);

    // The layer's own.
    void InsertPage(TTabSheet* Page);
    void RemovePage(TTabSheet* Page);
    void UpdateTabs();
    void TabClicked(int TabIndex);
    void LayoutSheets();

protected:
    void BoundsChanged(bool Resized) override;

private:
    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
    bool FMultiLine = false;
    TTabPosition FTabPosition = tpTop;
    bool FSyncing = false;
    std::string FPendingActive;
};

// --- List view ---------------------------------------------------------------------------
ROVE_ENUM(TViewStyle, vsIcon, vsSmallIcon, vsList, vsReport)

class TListColumn : public TCollectionItem {
    ROVE_CLASS(TListColumn, TCollectionItem)
public:
    explicit TListColumn(TCollection* Collection);
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    static void DeclareProperties(TPropertyDecl<TListColumn>& d);

private:
    std::string FCaption;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
};

class TListColumns : public TCollection {
    ROVE_CLASS(TListColumns, TCollection)
public:
    explicit TListColumns(TListView* Owner = nullptr);
    TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
    TListColumn* Items(int Index) const { return static_cast<TListColumn*>(TCollection::Items(Index)); }

protected:
    void Update(TCollectionItem* Item) override;

private:
    TListView* FView = nullptr;
};

class TListItems;

class TListItem {
public:
    TListItem(TListItems* Owner);
    ~TListItem();
    TListItem(const TListItem&) = delete;
    TListItem& operator=(const TListItem&) = delete;
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    TStringList* SubItems() const { return FSubItems.get(); }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    void* Data() const { return FData; }
    void SetData(void* Value) { FData = Value; }
    bool Selected() const;
    void SetSelected(bool Value);
    int Index() const;
    TListItems* Owner() const { return FOwner; }
    // Frees the item and removes it from the list.
    void Delete();

private:
    friend class TListItems;
    TListItems* FOwner;
    std::string FCaption;
    std::unique_ptr<TStringList> FSubItems;
    int FImageIndex = -1;
    void* FData = nullptr;
};

class TListItems {
public:
    explicit TListItems(TListView* Owner);
    ~TListItems();
    TListItems(const TListItems&) = delete;
    TListItems& operator=(const TListItems&) = delete;
    int Count() const { return static_cast<int>(FItems.size()); }
    TListItem* Item(int Index) const;
    TListItem* operator[](int Index) const { return Item(Index); }
    TListItem* Add();
    TListItem* Insert(int Index);
    void Delete(int Index);
    void Clear();
    int IndexOf(const TListItem* Item) const;
    void BeginUpdate();
    void EndUpdate();
    TListView* Owner() const { return FOwner; }

    // The layer's own: an item's text or look changed.
    void ItemChanged(TListItem* Item);

private:
    friend class TListItem;
    TListView* FOwner;
    std::vector<std::unique_ptr<TListItem>> FItems;
    int FUpdateCount = 0;
};

using TLVSelectItemEvent = TEvent<void(TObject* Sender, TListItem* Item, bool Selected)>;
ROVE_EVENT_TYPE(TLVSelectItemEvent)

class TListView : public TWinControl {
    ROVE_CLASS(TListView, TWinControl)
public:
    explicit TListView(TComponent* AOwner);
    ~TListView() override;
    TListColumns* Columns() const { return FColumns.get(); }
    void SetColumns(TListColumns* Value);
    TListItems* Items() const { return FItems.get(); }
    TViewStyle ViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool Value);
    bool GridLines() const { return FGridLines; }
    void SetGridLines(bool Value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value) { FHideSelection = Value; }
    TImageListComponent* LargeImages() const { return FLargeImages; }
    void SetLargeImages(TImageListComponent* Value);
    TImageListComponent* SmallImages() const { return FSmallImages; }
    void SetSmallImages(TImageListComponent* Value);
    TListItem* Selected() const;
    void SetSelected(TListItem* Value);
    int ItemIndex() const;
    void SetItemIndex(int Value);
    int SelCount() const;
    TListItem* ItemFocused() const { return Selected(); }
    TListItem* GetItemAt(int X, int Y) const;
    void Clear() { FItems->Clear(); }

    bool WantsKey(uint16_t Key, TShiftState Shift) const override;
    void ApplyColor() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TLVSelectItemEvent OnSelectItem;
    TNotifyEvent OnChange;
    static void DeclareProperties(TPropertyDecl<TListView>& d);

    // The layer's own.
    void Rebuild();
    void ItemChanged(TListItem* Item);
    void SelectionChanged();
    TListViewPeer* ViewPeer() const { return FViewPeer.get(); }

protected:
    TColor DefaultColor() const override { return clWindow; }

private:
    void CreateView();
    std::unique_ptr<TListColumns> FColumns;
    std::unique_ptr<TListItems> FItems;
    std::unique_ptr<TListViewPeer> FViewPeer;
    TViewStyle FViewStyle = vsIcon;
    bool FReadOnly = false;
    bool FRowSelect = false;
    bool FGridLines = false;
    bool FMultiSelect = false;
    bool FHideSelection = true;
    TImageListComponent* FLargeImages = nullptr;
    TImageListComponent* FSmallImages = nullptr;
    TListItem* FLastSelected = nullptr;
};

// --- Date and time picker ----------------------------------------------------------------
ROVE_ENUM(TDateTimeKind, dtkDate, dtkTime)
ROVE_ENUM(TDTDateFormat, dfShort, dfLong)

class TDateTimePicker : public TWinControl {
    ROVE_CLASS(TDateTimePicker, TWinControl)
public:
    explicit TDateTimePicker(TComponent* AOwner);
    // The date part (whole days); setting it keeps the time.
    TDateTime Date() const;
    void SetDate(TDateTime Value);
    TDateTime Time() const;
    void SetTime(TDateTime Value);
    TDateTime DateTime() const { return FDateTime; }
    void SetDateTime(TDateTime Value);
    TDateTimeKind Kind() const { return FKind; }
    void SetKind(TDateTimeKind Value);
    TDTDateFormat DateFormat() const { return FDateFormat; }
    void SetDateFormat(TDTDateFormat Value);
    bool ShowCheckbox() const { return FShowCheckbox; }
    void SetShowCheckbox(bool Value) { FShowCheckbox = Value; }
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value) { FChecked = Value; }
    TDateTime MinDate() const { return FMinDate; }
    void SetMinDate(TDateTime Value);
    TDateTime MaxDate() const { return FMaxDate; }
    void SetMaxDate(TDateTime Value);
    std::string GetText() const override;

    bool WantsKey(uint16_t Key, TShiftState Shift) const override;
    void ApplyColor() override;
    TNotifyEvent OnChange;
    TNotifyEvent OnCloseUp;
    static void DeclareProperties(TPropertyDecl<TDateTimePicker>& d);

    // The layer's own: the user changed the value.
    void ValueEdited(TDateTime Value);

protected:
    TColor DefaultColor() const override { return clWindow; }

private:
    void ApplyFormat();
    void ApplyValue();
    TDateTime FDateTime;
    TDateTimeKind FKind = dtkDate;
    TDTDateFormat FDateFormat = dfShort;
    bool FShowCheckbox = false;
    bool FChecked = true;
    TDateTime FMinDate = 0;
    TDateTime FMaxDate = 0;
    bool FSyncing = false;
};

// --- Tool bar ----------------------------------------------------------------------------
ROVE_ENUM(TToolButtonStyle, tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider)

class TToolButton : public TGraphicControl {
    ROVE_CLASS(TToolButton, TGraphicControl)
public:
    explicit TToolButton(TComponent* AOwner);
    ~TToolButton() override;
    void SetText(const std::string& Value) override;
    TToolButtonStyle Style() const { return FStyle; }
    void SetStyle(TToolButtonStyle Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    // A check button's state; disabling a button also releases it.
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    bool Grouped() const { return FGrouped; }
    void SetGrouped(bool Value) { FGrouped = Value; }
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
    bool Wrap() const { return FWrap; }
    void SetWrap(bool Value);
    TPopupMenu* DropdownMenu() const { return FDropdownMenu; }
    void SetDropdownMenu(TPopupMenu* Value);
    int Index() const;
    TToolBar* ToolBar() const;
    void SetEnabled(bool Value) override;
    void SetParent(TWinControl* AParent) override;
    // A click, and on a drop-down button then its menu (as a press on its arrow drops it).
    void Click() override;
    // A drop-down button's menu dropped below it (nothing for another button or a
    // disabled one).
    void DropDown();
    bool ClicksFromMouse() const override { return false; }
    void ActionChanged(TBasicAction* Sender) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The look from the tool bar's settings (images, captions, button size).
    // A new font can widen the captions: the bar places its buttons again.
    void ApplyFont() override;
    void UpdateLook();
    static void DeclareProperties(TPropertyDecl<TToolButton>& d);

private:
    TToolButtonStyle FStyle = tbsButton;
    int FImageIndex = -1;
    bool FDown = false;
    bool FGrouped = false;
    bool FAllowAllUp = false;
    bool FWrap = false;
    TPopupMenu* FDropdownMenu = nullptr;
    // A separator's width in a row while its bar stands as a column (0 in a row): the room
    // it holds there (for a box over it) comes back with the row.
    friend class TToolBar;
    int FRowWidth = 0;
};

class TToolBar : public TWinControl {
    ROVE_CLASS(TToolBar, TWinControl)
public:
    explicit TToolBar(TComponent* AOwner);
    int ButtonHeight() const { return FButtonHeight; }
    void SetButtonHeight(int Value);
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int Value);
    bool ShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool List() const { return FList; }
    void SetList(bool Value);
    bool Wrapable() const { return FWrapable; }
    void SetWrapable(bool Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    int Indent() const { return FIndent; }
    void SetIndent(int Value);
    TImageListComponent* Images() const { return FImages; }
    void SetImages(TImageListComponent* Value);
    TImageListComponent* DisabledImages() const { return FDisabledImages; }
    void SetDisabledImages(TImageListComponent* Value);
    int ButtonCount() const;
    TToolButton* Buttons(int Index) const;
    // Places the buttons left to right in the order of their Left (wrapping when
    // Wrapable), each ButtonWidth by ButtonHeight; separators keep their width.
    void ArrangeButtons();
    // The buttons in one column, top to bottom (a bar standing at a side of its window):
    // each button ButtonWidth by ButtonHeight, a separator 6 pixels high; the bar's other
    // controls (the boxes laid over its separators) are hidden while it stands so and
    // shown again when it lies in a row.
    bool Vertical() const { return FVertical; }
    void SetVertical(bool Value);
    // The far corner of what the bar shows: the right and bottom edges of its visible
    // children (buttons and other controls).
    TSize ContentExtent() const;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;
    bool TakesFocus() const override { return false; }
    static void DeclareProperties(TPropertyDecl<TToolBar>& d);

protected:
    void BoundsChanged(bool Resized) override;
    // Scaled with the form, a bar never gets lower than its rows of buttons, which keep
    // their size (their pictures do not scale).
    void ChangeScale(int M, int D) override;

private:
    void UpdateButtons();
    int FButtonHeight = 22;
    int FButtonWidth = 23;
    bool FShowCaptions = false;
    bool FFlat = false;
    bool FList = false;
    bool FWrapable = true;
    bool FAutoSize = false;
    int FIndent = 0;
    bool FArranging = false;
    bool FVertical = false;
    // The controls the column hid (shown again in a row, while they are still children).
    std::vector<TControl*> FHiddenInColumn;
    TImageListComponent* FImages = nullptr;
    TImageListComponent* FDisabledImages = nullptr;
};

// --- Tree view ---------------------------------------------------------------------------
class TTreeNodes;
class TTreeView;
struct TTreeNodePeer;

class TTreeNode {
public:
    TTreeNode(TTreeNodes* Owner, TTreeNode* Parent);
    ~TTreeNode();
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    const std::string& Text() const { return FText; }
    void SetText(const std::string& Value);
    void* Data() const { return FData; }
    void SetData(void* Value) { FData = Value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    int SelectedIndex() const { return FSelectedIndex; }
    void SetSelectedIndex(int Value) { FSelectedIndex = Value; }
    TTreeNode* Parent() const { return FParent; }
    int Count() const { return static_cast<int>(FChildren.size()); }
    TTreeNode* Item(int Index) const;
    bool HasChildren() const { return !FChildren.empty(); }
    int Level() const;
    int Index() const;                   // among its siblings
    int AbsoluteIndex() const;           // in the whole tree, depth first
    bool Expanded() const;
    void Expand(bool Recurse);
    void Collapse(bool Recurse);
    bool Selected() const;
    void SetSelected(bool Value);
    void MakeVisible();
    // Starts editing the node's label in place (OnEditing may refuse; a read-only tree
    // does); true when the editor is open.
    bool EditText();
    // Ends the editing of this node's label: Cancel drops what was typed, otherwise it
    // goes through OnEdited into the label.
    void EndEdit(bool Cancel);
    // The node's row in the tree's client coordinates (TextOnly: its label); empty when
    // the node is not shown.
    TRect DisplayRect(bool TextOnly) const;
    // Frees the node with its children.
    void Delete();
    TTreeNodes* Owner() const { return FOwner; }
    TTreeNodePeer* Peer() const { return FPeer.get(); }

private:
    friend class TTreeNodes;
    TTreeNodes* FOwner;
    TTreeNode* FParent;
    std::string FText;
    void* FData = nullptr;
    int FImageIndex = -1;
    int FSelectedIndex = -1;
    std::vector<std::unique_ptr<TTreeNode>> FChildren;
    std::unique_ptr<TTreeNodePeer> FPeer;
};

class TTreeNodes {
public:
    explicit TTreeNodes(TTreeView* Owner);
    ~TTreeNodes();
    TTreeNodes(const TTreeNodes&) = delete;
    TTreeNodes& operator=(const TTreeNodes&) = delete;
    // Every node, depth first.
    int Count() const;
    TTreeNode* Item(int Index) const;
    TTreeNode* operator[](int Index) const { return Item(Index); }
    TTreeNode* GetFirstNode() const;
    // A last sibling of Sibling (a root node when Sibling is null).
    TTreeNode* Add(TTreeNode* Sibling, const std::string& S);
    TTreeNode* AddObject(TTreeNode* Sibling, const std::string& S, void* Data);
    TTreeNode* AddChild(TTreeNode* Parent, const std::string& S);
    TTreeNode* AddChildObject(TTreeNode* Parent, const std::string& S, void* Data);
    TTreeNode* Insert(TTreeNode* Sibling, const std::string& S);
    void Delete(TTreeNode* Node);
    void Clear();
    void BeginUpdate();
    void EndUpdate();
    TTreeView* Owner() const { return FOwner; }

private:
    friend class TTreeNode;
    friend class TTreeView;
    TTreeNode* AddUnder(TTreeNode* Parent, int Index, const std::string& S, void* Data);
    void Collect(std::vector<TTreeNode*>& Out) const;
    // Cancels the view's open label editor when it edits Node or one of its descendants
    // (any node for nullptr).
    void CancelEditIn(TTreeNode* Node);
    TTreeView* FOwner;
    std::vector<std::unique_ptr<TTreeNode>> FRoots;
    int FUpdateCount = 0;
};

using TTVChangedEvent = TEvent<void(TObject* Sender, TTreeNode* Node)>;
ROVE_EVENT_TYPE(TTVChangedEvent)
using TTVChangingEvent = TEvent<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
ROVE_EVENT_TYPE(TTVChangingEvent)
// Custom drawing: the handler sets the canvas's font (bold, a colour) for the node, or
// draws the node itself and clears DefaultDraw.
ROVE_ENUM(TCustomDrawStateFlag, cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused, cdsDefault, cdsHot,
          cdsMarked, cdsIndeterminate)
ROVE_SET(TCustomDrawState, TCustomDrawStateFlag)
using TTVCustomDrawItemEvent =
    TEvent<void(TTreeView* Sender, TTreeNode* Node, TCustomDrawState State, bool& DefaultDraw)>;
ROVE_EVENT_TYPE(TTVCustomDrawItemEvent)
// In-place editing of a label: OnEditing may refuse it; OnEdited gets the typed text and
// may change it (the old text puts the label back).
using TTVEditingEvent = TTVChangingEvent;   // (Sender, Node, var AllowEdit)
using TTVEditedEvent = TEvent<void(TObject* Sender, TTreeNode* Node, std::string& S)>;
ROVE_EVENT_TYPE(TTVEditedEvent)
struct TTreeEditPeer;

class TTreeView : public TWinControl {
    ROVE_CLASS(TTreeView, TWinControl)
public:
    explicit TTreeView(TComponent* AOwner);
    ~TTreeView() override;
    TTreeNodes* Items() const { return FItems.get(); }
    TTreeNode* Selected() const { return FSelected; }
    // Selecting asks OnChanging, then fires OnChange.
    void SetSelected(TTreeNode* Value);
    TTreeNode* TopItem() const;
    void SetTopItem(TTreeNode* Value);
    void FullExpand();
    void FullCollapse();
    TTreeNode* GetNodeAt(int X, int Y) const;
    // Labels are edited in place (F2, or a click on the selected node) unless read-only.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    // Whether a label is being edited.
    bool IsEditing() const;
    // The canvas OnCustomDrawItem works on (its font is the node's font).
    TCanvas* Canvas() const { return FCanvas.get(); }
    bool ShowRoot() const { return FShowRoot; }
    void SetShowRoot(bool Value);
    bool ShowLines() const { return FShowLines; }
    void SetShowLines(bool Value) { FShowLines = Value; }
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value) { FHideSelection = Value; }
    int Indent() const { return FIndent; }
    void SetIndent(int Value);
    TImageListComponent* Images() const { return FImages; }
    void SetImages(TImageListComponent* Value);

    bool WantsKey(uint16_t Key, TShiftState Shift) const override;
    void ApplyColor() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    TTVChangedEvent OnChange;
    TTVChangingEvent OnChanging;
    TTVChangedEvent OnExpanded;
    TTVChangedEvent OnCollapsed;
    TTVCustomDrawItemEvent OnCustomDrawItem;
    TTVEditingEvent OnEditing;
    TTVEditedEvent OnEdited;
    static void DeclareProperties(TPropertyDecl<TTreeView>& d);

    // The layer's own.
    void NodeAdded(TTreeNode* Node, int Index);
    void NodeRemoved(TTreeNode* Node);
    // Every node is going: the widget's items go at once (the nodes have let go of them).
    void AllNodesRemoved();
    void NodeChanged(TTreeNode* Node);
    void Rebuild();
    void CurrentPicked(TTreeNode* Node);
    TTreeNode* NodeOfItem(const void* Item) const;
    TTreeEditPeer* EditPeer() const { return FEditPeer.get(); }

protected:
    TColor DefaultColor() const override { return clWindow; }

private:
    std::unique_ptr<TTreeNodes> FItems;
    TTreeNode* FSelected = nullptr;
    bool FReadOnly = false;
    bool FShowRoot = true;
    bool FShowLines = true;
    bool FHideSelection = true;
    int FIndent = 19;
    bool FSyncing = false;
    TImageListComponent* FImages = nullptr;
    std::unique_ptr<TCanvas> FCanvas;
    std::unique_ptr<TTreeEditPeer> FEditPeer;
};

// --- Up-down control -------------------------------------------------------------------------
ROVE_ENUM(TUDBtnType, btNext, btPrev)
ROVE_ENUM(TUDOrientation, udHorizontal, udVertical)
ROVE_ENUM(TUDAlignButton, udLeft, udRight)
using TUDClickEvent = TEvent<void(TObject* Sender, TUDBtnType Button)>;
ROVE_EVENT_TYPE(TUDClickEvent)
using TUDChangingEvent = TCloseQueryEvent;   // (Sender, var AllowChange)

// Two arrow buttons that step Position between Min and Max by Increment. With an
// Associate (an edit) the up-down sits at its side (set at run time, the associate gives
// up the up-down's width; read from a form resource, the widths stay as stored), writes
// Position into its text and reads a number typed there before it steps; the arrow keys
// in the associate step too. A button held down repeats.
class TUpDown : public TCustomControl {
    ROVE_CLASS(TUpDown, TCustomControl)
public:
    explicit TUpDown(TComponent* AOwner);
    ~TUpDown() override;
    TWinControl* Associate() const { return FAssociate; }
    void SetAssociate(TWinControl* Value);
    int Min() const { return FMin; }
    void SetMin(int Value);
    int Max() const { return FMax; }
    void SetMax(int Value);
    int Position() const { return FPosition; }
    // Clamped to Min..Max; the associate shows it.
    void SetPosition(int Value);
    int Increment() const { return FIncrement; }
    void SetIncrement(int Value) { FIncrement = Value; }
    bool Wrap() const { return FWrap; }
    void SetWrap(bool Value) { FWrap = Value; }
    bool ArrowKeys() const { return FArrowKeys; }
    void SetArrowKeys(bool Value) { FArrowKeys = Value; }
    bool Thousands() const { return FThousands; }
    void SetThousands(bool Value);
    TUDOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TUDOrientation Value);
    TUDAlignButton AlignButton() const { return FAlignButton; }
    void SetAlignButton(TUDAlignButton Value);

    // One step as a click on a button does: the associate's number is taken first,
    // OnChanging may refuse, then Position moves (wrapping when Wrap) and OnClick fires.
    void Step(TUDBtnType Button);
    // The button at a point of the control (btNext is the upper or the right half).
    TUDBtnType ButtonAt(int X, int Y) const;
    // The button held down, and whether one is.
    bool ButtonDown(TUDBtnType Button) const { return FDown && FDownButton == Button; }

    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool TakesFocus() const override { return false; }
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;

    TUDClickEvent OnClick;
    TUDChangingEvent OnChanging;
    static void DeclareProperties(TPropertyDecl<TUpDown>& d);

    // The layer's own: an arrow key reached the associate (true when it stepped).
    bool AssociateKey(uint16_t Key);

protected:
    void BoundsChanged(bool Resized) override;

private:
    void PlaceBesideAssociate(bool Shrink);
    void ShowInAssociate();
    void ReadAssociate();
    void RepeatTick();
    TWinControl* FAssociate = nullptr;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FIncrement = 1;
    bool FWrap = false;
    bool FArrowKeys = true;
    bool FThousands = true;
    TUDOrientation FOrientation = udVertical;
    TUDAlignButton FAlignButton = udRight;
    bool FDown = false;
    TUDBtnType FDownButton = btNext;
    TTimer* FRepeat = nullptr;
    struct TKeyHook;
    std::unique_ptr<TKeyHook> FKeyHook;
};
