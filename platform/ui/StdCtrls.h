// The standard controls: labels, edits, memos, buttons, check boxes, radio buttons,
// combo boxes, list boxes and group boxes. Their events fire as the class library fires
// them: OnChange for every change of an edit's text (also from code), OnClick of a
// check box whenever its state changes, of a combo box when the user picks an item.
#pragma once

#include "platform/rtl/StringList.h"
#include "platform/ui/Controls.h"

#include <memory>
#include <string>
#include <vector>

ROVE_ENUM(TEditCharCase, ecNormal, ecUpperCase, ecLowerCase)
ROVE_ENUM(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth)
ROVE_ENUM(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed)
// A check box's or radio button's side of the text: taLeftJustify or taRightJustify,
// published under the name TLeftRight.
using TLeftRight = TAlignment;
const TTypeInfo* LeftRightTypeInfo();
ROVE_ENUM(TComboBoxStyle, csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable)
ROVE_ENUM(TListBoxStyle, lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable)
ROVE_ENUM(TOwnerDrawStateFlag, odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault,
          odHotLight, odInactive, odNoAccel, odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit)
ROVE_SET(TOwnerDrawState, TOwnerDrawStateFlag)

using TDrawItemEvent = TEvent<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
ROVE_EVENT_TYPE(TDrawItemEvent)

// --- Labels ------------------------------------------------------------------------------
class TCustomLabel : public TGraphicControl {
    ROVE_CLASS(TCustomLabel, TGraphicControl)
public:
    explicit TCustomLabel(TComponent* AOwner);
    void SetText(const std::string& Value) override;
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);
    void ApplyFont() override;
    void ApplyColor() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    bool DialogChar(char32_t CharCode) override;
    static void DeclareProperties(TPropertyDecl<TCustomLabel>& d);

protected:
    void AdjustBounds();
    void ApplyText();
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FTransparent = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
    ROVE_CLASS(TLabel, TCustomLabel)
public:
    explicit TLabel(TComponent* AOwner);
};

// --- Edits -------------------------------------------------------------------------------
class TCustomEdit : public TWinControl {
    ROVE_CLASS(TCustomEdit, TWinControl)
public:
    explicit TCustomEdit(TComponent* AOwner);
    std::string GetText() const override;
    void SetText(const std::string& Value) override;
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    char32_t PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char32_t Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool Value) { FAutoSelect = Value; }
    // A one-line edit that shows a text longer than its field from the start: the caret
    // stands at the start of a text the program sets, and at the start of the selection
    // when the whole text is selected (SelectAll, AutoSelect), instead of at the end.
    bool SelectShowsStart() const { return FSelectShowsStart; }
    void SetSelectShowsStart(bool Value) { FSelectShowsStart = Value; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    bool Modified() const { return FModified; }
    void SetModified(bool Value) { FModified = Value; }

    // Selection, in characters.
    int SelStart() const;
    void SetSelStart(int Value);
    int SelLength() const;
    void SetSelLength(int Value);
    std::string SelText() const;
    void SetSelText(const std::string& Value);
    void SelectAll();
    void Clear() { SetText(""); }
    void ClearSelection();
    void CopyToClipboard();
    void CutToClipboard();
    // Pastes through OnKeyPress, as if the text were typed.
    void PasteFromClipboard();
    void Undo();
    bool CanUndo() const;

    bool WantsKey(uint16_t Key, TShiftState Shift) const override;
    void KeyPress(char32_t& Key) override;
    void InsertTypedText(const std::string& Text) override;
    bool PasteText() override;
    void ApplyColor() override;
    void Loaded() override;
    void DoEnter() override;
    void DoExit() override;
    // The widget got the keyboard focus (the layer's own).
    void FocusArrived();
    // The text changed (the widget's notification); fires OnChange.
    virtual void Change();

    TNotifyEvent OnChange;
    static void DeclareProperties(TPropertyDecl<TCustomEdit>& d);

protected:
    // SingleLine: the edit makes its one-line widget (memos make their own).
    TCustomEdit(TComponent* AOwner, bool SingleLine);
    TColor DefaultColor() const override { return clWindow; }
    bool IsColorStored() const override { return FColor != clWindow; }
    int FMaxLength = 0;
    char32_t FPasswordChar = 0;
    bool FReadOnly = false;
    TEditCharCase FCharCase = ecNormal;
    bool FAutoSelect = true;
    bool FSelectShowsStart = false;
    bool FSelectOnFocus = false;
    TBorderStyle FBorderStyle = bsSingle;
    bool FModified = false;
    bool FSettingText = false;
};

class TEdit : public TCustomEdit {
    ROVE_CLASS(TEdit, TCustomEdit)
public:
    explicit TEdit(TComponent* AOwner);
};

// --- Memo --------------------------------------------------------------------------------
class TCustomMemo : public TCustomEdit {
    ROVE_CLASS(TCustomMemo, TCustomEdit)
public:
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;
    // The lines; changing them changes the memo.
    TStringList* Lines() const { return FLines.get(); }
    void SetLines(TStringList* Value);
    std::string GetText() const override;
    void SetText(const std::string& Value) override;
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool Value) { FWantReturns = Value; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value) { FWantTabs = Value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    // The height the memo needs to show all of its text at its present width (wrapped
    // when WordWrap, the scroll bars as they are set), its frame included.
    int ContentHeight() const;

    bool WantsKey(uint16_t Key, TShiftState Shift) const override;
    void InsertTypedText(const std::string& Text) override;
    bool PasteText() override;
    void Change() override;
    static void DeclareProperties(TPropertyDecl<TCustomMemo>& d);

private:
    void LinesChanged();
    std::unique_ptr<TStringList> FLines;
    bool FWordWrap = true;
    TScrollStyle FScrollBars = ssNone;
    bool FWantReturns = true;
    bool FWantTabs = false;
    TAlignment FAlignment = taLeftJustify;
    bool FSyncing = false;
    bool FSettingText = false;
};

class TMemo : public TCustomMemo {
    ROVE_CLASS(TMemo, TCustomMemo)
public:
    explicit TMemo(TComponent* AOwner);
};

// --- Buttons -----------------------------------------------------------------------------
class TButtonControl : public TWinControl {
    ROVE_CLASS(TButtonControl, TWinControl)
public:
    explicit TButtonControl(TComponent* AOwner);
    bool ClicksFromMouse() const override { return false; }
    // Its accelerator focuses the button and clicks it (toggles a check box).
    bool DialogChar(char32_t CharCode) override;
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value) { FWordWrap = Value; }
    static void DeclareProperties(TPropertyDecl<TButtonControl>& d);

protected:
    // While set, programmatic state changes do not click (an action link updating).
    bool FClicksDisabled = false;
    bool FWordWrap = false;
};

class TButton : public TButtonControl {
    ROVE_CLASS(TButton, TButtonControl)
public:
    explicit TButton(TComponent* AOwner);
    void SetText(const std::string& Value) override;
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int Value) { FModalResult = Value; }
    // Sets the form's ModalResult to the button's, then OnClick or the action.
    void Click() override;
    static void DeclareProperties(TPropertyDecl<TButton>& d);

private:
    bool FDefault = false;
    bool FCancel = false;
    int FModalResult = 0;
};

class TCustomCheckBox : public TButtonControl {
    ROVE_CLASS(TCustomCheckBox, TButtonControl)
public:
    explicit TCustomCheckBox(TComponent* AOwner);
    void SetText(const std::string& Value) override;
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState Value);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value);
    TLeftRight Alignment() const { return FAlignment; }
    void SetAlignment(TLeftRight Value);
    // The user's click: the next state, then Click.
    virtual void Toggle();
    void ActionChanged(TBasicAction* Sender) override;
    static void DeclareProperties(TPropertyDecl<TCustomCheckBox>& d);

protected:
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    TLeftRight FAlignment = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
    ROVE_CLASS(TCheckBox, TCustomCheckBox)
public:
    explicit TCheckBox(TComponent* AOwner);
};

class TRadioButton : public TButtonControl {
    ROVE_CLASS(TRadioButton, TButtonControl)
public:
    explicit TRadioButton(TComponent* AOwner);
    void SetText(const std::string& Value) override;
    bool Checked() const { return FChecked; }
    // Checking turns the other radio buttons of the same parent off and clicks.
    void SetChecked(bool Value);
    TLeftRight Alignment() const { return FAlignment; }
    void SetAlignment(TLeftRight Value) { FAlignment = Value; }
    void ActionChanged(TBasicAction* Sender) override;
    static void DeclareProperties(TPropertyDecl<TRadioButton>& d);

private:
    bool FChecked = false;
    TLeftRight FAlignment = taRightJustify;
};

// --- Combo and list boxes ----------------------------------------------------------------
class TCustomComboBox : public TWinControl {
    ROVE_CLASS(TCustomComboBox, TWinControl)
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;
    TStringList* Items() const { return FItems.get(); }
    void SetItems(TStringList* Value);
    int ItemIndex() const;
    void SetItemIndex(int Value);
    std::string GetText() const override;
    void SetText(const std::string& Value) override;
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    // The items of the drop-down list drawn by DrawItem in a box with an edit field too
    // (csDropDown with owner-drawn fixed items, as the font box that takes a typed name);
    // ItemHeight is then the list's row height.
    bool OwnerDrawnList() const { return FOwnerDrawnList; }
    void SetOwnerDrawnList(bool Value);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int Value) { FItemHeight = Value; }
    // The height of one row of the drop-down list as it is drawn: ItemHeight for owner-drawn
    // items, else the platform's row for the control's font.
    int ListItemHeight() const;
    // The width the drop-down list needs to show its widest item whole.
    int ListContentWidth() const;
    // The width at which the closed box shows each of its items whole (the field the
    // platform draws the text in, besides the arrow and the frame); 0 without items.
    int ClosedContentWidth() const;
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value) { FCharCase = Value; }
    bool DroppedDown() const;
    void SetDroppedDown(bool Value);
    // A read-only box shows the text the program gives it: typing, pasting, deleting and
    // picking from its list change nothing (the grey fields that look-ups fill).
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    int SelStart() const;
    void SetSelStart(int Value);
    int SelLength() const;
    void SetSelLength(int Value);
    void SelectAll();
    void Clear();

    bool WantsKey(uint16_t Key, TShiftState Shift) const override;
    void InsertTypedText(const std::string& Text) override;
    bool PasteText() override;
    void ApplyColor() override;
    void Loaded() override;
    // A combo box clicks when an item is picked, not when the mouse goes into its field or
    // onto its button.
    bool ClicksFromMouse() const override { return false; }

    // The user picked an item: Text becomes it, then OnClick, then OnSelect or OnChange.
    void ItemPicked(int Index);
    virtual void Change();
    // The canvas of owner drawing: OnDrawItem draws the items (and, in an owner-drawn
    // drop-down list, the chosen item in the closed box with odComboBoxEdit) on it.
    TCanvas* Canvas() const { return FCanvas.get(); }
    // An owner-drawn item: OnDrawItem, or the item's text on the filled rectangle. The
    // canvas comes with the highlight colours for a selected item.
    virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);

    // --- A look of the descendant's own ------------------------------------------------
    // OwnsFace: PaintFace paints the whole closed box on Canvas instead of the platform.
    virtual bool OwnsFace() const { return false; }
    virtual void PaintFace() {}
    // Where the edit field goes (client coordinates); false: the platform's place.
    virtual bool EditFieldRect(TRect& Rect) const { return false; }
    // The drop-down list's screen rectangle as the platform placed it; a descendant may
    // move and size it before it is seen.
    virtual void PlaceDropDownList(TRect& ScreenRect) {}
    // The list opens (OnDropDown) or closes (OnCloseUp), by the user or by code.
    virtual void DropDown();
    virtual void CloseUp();

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TDrawItemEvent OnDrawItem;
    static void DeclareProperties(TPropertyDecl<TCustomComboBox>& d);

protected:
    TColor DefaultColor() const override { return clWindow; }
    bool IsColorStored() const override { return FColor != clWindow; }

private:
    void ItemsChanged();
    void CreateWidget();
    void RecreateWidget();
    // Whether DrawItem draws the list's items (the owner-drawn styles, or OwnerDrawnList).
    bool DrawsListItems() const;
    std::unique_ptr<TStringList> FItems;
    // The lines the widget shows (a change of the items' objects alone leaves it as it is).
    std::vector<std::string> FShownItems;
    std::unique_ptr<TCanvas> FCanvas;
    TComboBoxStyle FStyle = csDropDown;
    bool FOwnerDrawnList = false;
    bool FSorted = false;
    int FDropDownCount = 8;
    int FMaxLength = 0;
    int FItemHeight = 16;
    TEditCharCase FCharCase = ecNormal;
    bool FReadOnly = false;
    bool FSyncing = false;
    bool FFinishingEdit = false;
    std::string FPendingText;
    int FPendingIndex = -1;
};

class TComboBox : public TCustomComboBox {
    ROVE_CLASS(TComboBox, TCustomComboBox)
public:
    explicit TComboBox(TComponent* AOwner);
};

class TCustomListBox : public TWinControl {
    ROVE_CLASS(TCustomListBox, TWinControl)
public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;
    TStringList* Items() const { return FItems.get(); }
    void SetItems(TStringList* Value);
    int ItemIndex() const;
    void SetItemIndex(int Value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    bool Selected(int Index) const;
    void SetSelected(int Index, bool Value);
    int SelCount() const;
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle Value);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int Value);
    int TopIndex() const;
    void SetTopIndex(int Value);
    // The item at a point of the client area (-1 when none; Existing: only real items).
    int ItemAtPos(TPoint Pos, bool Existing) const;
    TRect ItemRect(int Index) const;
    void Clear();
    TCanvas* Canvas() const { return FCanvas.get(); }

    bool WantsKey(uint16_t Key, TShiftState Shift) const override;
    void ApplyColor() override;
    void Loaded() override;

    TDrawItemEvent OnDrawItem;
    static void DeclareProperties(TPropertyDecl<TCustomListBox>& d);

    // The layer's own: an owner-drawn item is painted.
    void DrawItem(int Index, TRect Rect, TOwnerDrawState State);

protected:
    TColor DefaultColor() const override { return clWindow; }
    bool IsColorStored() const override { return FColor != clWindow; }
    // The widget's items were built again from Items (descendants add their state).
    virtual void ItemsRebuilt() {}

private:
    void ItemsChanged();
    std::unique_ptr<TStringList> FItems;
    std::unique_ptr<TCanvas> FCanvas;
    bool FMultiSelect = false;
    bool FSorted = false;
    TListBoxStyle FStyle = lbStandard;
    int FItemHeight = 16;
    bool FSyncing = false;
    int FPendingIndex = -1;
};

class TListBox : public TCustomListBox {
    ROVE_CLASS(TListBox, TCustomListBox)
public:
    explicit TListBox(TComponent* AOwner);
};

// --- Group box ---------------------------------------------------------------------------
class TCustomGroupBox : public TWinControl {
    ROVE_CLASS(TCustomGroupBox, TWinControl)
public:
    explicit TCustomGroupBox(TComponent* AOwner);
    void SetText(const std::string& Value) override;
    // Children are aligned below the caption and inside the frame.
    void AdjustClientRect(TRect& Rect) const override;
    bool TakesFocus() const override { return false; }
    bool AcceptsControls() const override { return true; }
};

class TGroupBox : public TCustomGroupBox {
    ROVE_CLASS(TGroupBox, TCustomGroupBox)
public:
    explicit TGroupBox(TComponent* AOwner);
    static void DeclareProperties(TPropertyDecl<TGroupBox>& d);
};

// --- Scroll bar --------------------------------------------------------------------------
ROVE_ENUM(TScrollBarKind, sbHorizontal, sbVertical)
ROVE_ENUM(TScrollCode, scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll)

using TScrollEvent = TEvent<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;
ROVE_EVENT_TYPE(TScrollEvent)

// A scroll bar of its own (the preview's scrolling window builds on it): Position within
// Min..Max - PageSize + 1; SmallChange per arrow, LargeChange per page; OnScroll may move
// the position it is given, OnChange follows every change.
class TScrollBar : public TWinControl {
    ROVE_CLASS(TScrollBar, TWinControl)
public:
    explicit TScrollBar(TComponent* AOwner);
    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind Value);
    int Min() const { return FMin; }
    void SetMin(int Value) { SetParams(FPosition, Value, FMax); }
    int Max() const { return FMax; }
    void SetMax(int Value) { SetParams(FPosition, FMin, Value); }
    int Position() const { return FPosition; }
    void SetPosition(int Value) { SetParams(Value, FMin, FMax); }
    int PageSize() const { return FPageSize; }
    void SetPageSize(int Value);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int Value);
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int Value);
    void SetParams(int APosition, int AMin, int AMax);
    bool WantsKey(uint16_t Key, TShiftState Shift) const override;
    // The user's request (arrow, page, drag): OnScroll, then the position.
    void Scroll(TScrollCode Code, int Pos);
    TNotifyEvent OnChange;
    TScrollEvent OnScroll;
    static void DeclareProperties(TPropertyDecl<TScrollBar>& d);

private:
    void ApplyRange();
    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FPageSize = 0;
    int FSmallChange = 1;
    int FLargeChange = 1;
    bool FSyncing = false;
};
