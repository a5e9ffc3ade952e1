// The flat combo boxes of the preview and the designer: a drop-down combo box with a thin
// frame and a narrow arrow button (TfrxCustomComboBox, published as TfrxComboBox), and a
// combo box with a small push button at its right end (TfrxComboEdit). The geometry of the
// flat look and of the drop-down list is kept in plain functions so that it can be checked
// without a window.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/GraphicsTypes.h"
#include "platform/ui/PopupWindow.h"
#include "platform/ui/StdCtrls.h"

class TSpeedButton;
class TPanel;

// The place of the edit field inside a combo of Width x Height.
TRect frxComboEditRect(int Width, int Height, int ButtonWidth, int TextIndent);
// The arrow button's rectangle and the left point of the arrow's top line (5, 3 and 1
// pixels wide on three rows). Halves are rounded to the nearest integer, ties to even.
TRect frxComboButtonRect(int Width, int Height, int ButtonWidth);
TPoint frxComboArrowOrigin(int Width, int Height, int ButtonWidth);

// Where the drop-down list goes: its size, and whether it opens above the control.
struct TfrxDropListPlacement {
    int Width = 0;
    int Height = 0;
    int Top = 0;              // screen top of the list
    bool DroppedUp = false;
};
// ControlScreen: the control's rectangle on the screen; FontHeight: the control's font
// height; ScreenHeight: the bottom of the screen's work area.
TfrxDropListPlacement frxDropListPlacement(TRect ControlScreen, int ListWidth, int ItemHeight, int ItemCount,
                                           int DropDownCount, int FontHeight, int ScreenHeight);

// The states the flat look draws the frame and the arrow button in.
enum class TfrxComboLook { Normal, Hot, Pressed };

class TfrxCustomComboBox : public TCustomComboBox {
    ROVE_CLASS(TfrxCustomComboBox, TCustomComboBox)
public:
    explicit TfrxCustomComboBox(TComponent* AOwner);

    // --- The flat look ------------------------------------------------------------------
    // Active (frame sunken, button lit) while the list is open, the edit field has the
    // focus or the mouse is over the control.
    bool Active() const;
    TfrxComboLook Look() const;
    bool OwnsFace() const override { return true; }
    void PaintFace() override;
    bool EditFieldRect(TRect& Rect) const override;
    void PlaceDropDownList(TRect& ScreenRect) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void DoEnter() override;
    void DoExit() override;
    void DropDown() override;
    void CloseUp() override;
    void SetEnabled(bool Value) override;

    bool DroppedUp() const { return FDroppedUp; }
    int ButtonWidth() const { return FButtonWidth; }
    bool MouseInControl() const { return FMouseInControl; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    int TextIndent() const { return FTextIndent; }
    void SetTextIndent(int Value) { FTextIndent = Value; }
    // 0: the control's width - 1.
    int ListWidth() const { return FListWidth; }
    void SetListWidth(int Value) { FListWidth = Value; }
    // The list's placement for the control as it stands now, remembered in DroppedUp.
    TfrxDropListPlacement PlaceDropList(int ScreenHeight);
    TRect EditRect() const { return frxComboEditRect(Width(), Height(), FButtonWidth, FTextIndent); }

    static void DeclareProperties(TPropertyDecl<TfrxCustomComboBox>& d);

protected:
    // The descendant's picture in the indent left of the edit field (the font combo's
    // TrueType mark); Rect is the indent area, already filled with the window colour.
    virtual void DrawImage(TCanvas* Canvas, const TRect& Rect) {}
    void DrawFrame(TCanvas* Canvas, bool Active);
    void DrawButton(TCanvas* Canvas, TfrxComboLook Look);
    void DrawArrow(TCanvas* Canvas, int Shift);
    bool FDroppedUp = false;
    int FButtonWidth = 11;
    bool FMouseInControl = false;
    bool FReadOnly = false;
    int FTextIndent = 0;
    int FListWidth = 0;
};

class TfrxComboBox : public TfrxCustomComboBox {
    ROVE_CLASS(TfrxComboBox, TfrxCustomComboBox)
public:
    explicit TfrxComboBox(TComponent* AOwner);
};

class TfrxFontPreview;

// A combo box with a "..." push button at its right end.
class TfrxComboEdit : public TComboBox {
    ROVE_CLASS(TfrxComboEdit, TComboBox)
public:
    explicit TfrxComboEdit(TComponent* AOwner);
    TPanel* ButtonPanel() const { return FButtonPanel; }
    TSpeedButton* Button() const { return FButton; }
    bool ButtonEnabled() const { return FButtonEnabled; }
    void SetButtonEnabled(bool Value);
    std::string ButtonHint() const;
    void SetButtonHint(const std::string& Value);
    TBitmap* Glyph() const;
    void SetGlyph(TBitmap* Value);
    void SetEnabled(bool Value) override;
    // Enter and Esc go to the form as dialog keys first (default and cancel buttons).
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    // Focus to the control, then OnButtonClick.
    void ButtonClick(TObject* Sender);
    // Where the typed text ends in the box (its client coordinates): the edit field is
    // narrowed to Width - Height - 4, so that long text does not run under the button.
    // -1 for a box without an edit field.
    int TextRight() const;
    TNotifyEvent OnButtonClick;
    static void DeclareProperties(TPropertyDecl<TfrxComboEdit>& d);

protected:
    void BoundsChanged(bool Resized) override;

private:
    TPanel* FButtonPanel = nullptr;
    TSpeedButton* FButton = nullptr;
    bool FButtonEnabled = true;
};

void frxRegisterFlatCombos();

// The font list of the font combo box: the installed families in order, headed by a block
// of at most five recently used fonts (most recent first). Slots are what the settings
// store keeps ("Font0".."Font4", "FontType0".."FontType4").
struct TfrxFontSlot {
    std::string Name;
    int Type = 0;       // font type bits; 4 = TrueType
};
class TfrxFontList {
public:
    static constexpr int MaxRecent = 5;
    // The families (sorted, unique) and the stored slots; stale slots are emptied.
    void Populate(const std::vector<TfrxFontSlot>& Families, std::vector<TfrxFontSlot>& Slots);
    // The user chose item Index; the recent block and the slots follow. Gives the index
    // of the chosen font afterwards.
    int Choose(int Index, std::vector<TfrxFontSlot>& Slots);
    const std::vector<TfrxFontSlot>& Items() const { return FItems; }
    // Index of the last recent entry; -1 when there is none.
    int MRUCount() const { return FMRUCount; }

private:
    void WriteSlots(std::vector<TfrxFontSlot>& Slots) const;
    std::vector<TfrxFontSlot> FItems;
    int FMRUCount = -1;
};

// The sample of the font under the selection, shown beside the font combo box's open
// list: a panel with a sample text in the font at 18 points.
class TfrxFontPreview : public TPopupWindow {
    ROVE_CLASS(TfrxFontPreview, TPopupWindow)
public:
    explicit TfrxFontPreview(TComponent* AOwner);
    TPanel* Panel() const { return FPanel; }
    // The font shown.
    void ShowFont(const std::string& Name);

private:
    TPanel* FPanel = nullptr;
};

// Where the font sample goes: its top left at the combo box's bottom right; left of the
// combo when it would pass the right edge of the screen; above it when the list opened
// upward.
TPoint frxFontPreviewPlace(TRect ComboScreen, TSize Preview, int ScreenRight, bool DroppedUp);

// A combo box of the installed fonts with a TrueType mark, headed by the five fonts used
// last (kept in the settings store under MRURegKey), and a sample of the font under the
// selection while the list is open.
class TfrxFontComboBox : public TfrxCustomComboBox {
    ROVE_CLASS(TfrxFontComboBox, TfrxCustomComboBox)
public:
    explicit TfrxFontComboBox(TComponent* AOwner);
    ~TfrxFontComboBox() override;

    // Empty means "\Software\Brightline\MRUFont".
    const std::string& MRURegKey() const { return FMRURegKey; }
    void SetMRURegKey(const std::string& Value);
    bool ShowMRU() const { return FShowMRU; }
    void SetShowMRU(bool Value) { FShowMRU = Value; }
    int MRUCount() const { return FList.MRUCount(); }
    TfrxFontPreview* FontPreview() const { return FFontPreview; }
    // Whether item Index is a TrueType (outline) font.
    bool TrueTypeItem(int Index) const;

    // Fills the list from the installed fonts and the recent block from the store (stale
    // entries are emptied there); selects the first item when the text is none.
    void PopulateList();
    // The item the user chose moves into the recent block (OnClick comes first).
    void Click() override;
    void DrawItem(int Index, TRect Rect, TOwnerDrawState State) override;
    void PlaceDropDownList(TRect& ScreenRect) override;
    void CloseUp() override;
    void Loaded() override;

    // Fired when the user chose a font (not while the list is being filled).
    TNotifyEvent OnClick;
    static void DeclareProperties(TPropertyDecl<TfrxFontComboBox>& d);

protected:
    void DrawImage(TCanvas* Canvas, const TRect& Rect) override;

private:
    std::vector<TfrxFontSlot> ReadSlots();
    void WriteSlots(const std::vector<TfrxFontSlot>& Slots);
    void FillItems();
    TfrxFontList FList;
    std::string FMRURegKey;
    bool FShowMRU = true;
    bool FUpdating = false;
    TfrxFontPreview* FFontPreview = nullptr;
    std::unique_ptr<TBitmap> FTrueTypeBitmap;
};
