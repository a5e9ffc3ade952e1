// The cross-tab editor: the component editor of the two cross-tab objects and its window.
// The user picks the dataset, drags fields into rows, columns and cells, chooses a cell
// function per cell level and a sort order per header level, switches headers and totals
// on and off, restyles the cross-tab from seven colour styles and formats its text
// objects on a live sample. The window edits the cross-tab itself and puts it back as it
// was when the user cancels.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "designer/editors/ViewEditors.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

class TCheckBox;
class TEdit;
class TGroupBox;
class TLabel;
class TListBox;
class TMenuItem;
class TPaintBox;
class TPanel;
class TPopupMenu;
class TScrollBox;
class TSpeedButton;
class TToolBar;
class TToolButton;
class TUpDown;
class TfrxComboBox;
class TfrxCustomCrossView;
class TfrxCustomMemoView;
class TfrxStyleSheet;

// The context-menu entries of a cross-tab (with the view entries after them).
enum : int { frxCrossTagRepeatHeaders = 1, frxCrossTagBorder = 2, frxCrossTagDownThenAcross = 3 };

class TfrxCrossEditor : public TfrxViewEditor {
public:
    using TfrxViewEditor::TfrxViewEditor;
    bool Edit() override;
    bool HasEditor() override { return true; }
    void GetMenuItems() override;
    bool Execute(int Tag, bool Checked) override;
};

// The toolbar tags of the formatting buttons and pickers.
enum : int {
    frxCrossToolFont = 1,
    frxCrossToolAlignLeft = 2,
    frxCrossToolAlignRight = 3,
    frxCrossToolAlignCenter = 4,
    frxCrossToolRotation = 5,
    frxCrossToolHighlight = 6,
    frxCrossToolFormat = 7,
    frxCrossToolFrame = 8,
    frxCrossToolFillColor = 9,
    frxCrossToolColorPicked = 90,
    frxCrossToolDMPFirst = 34,   // bold; the nine dot-matrix styles follow in bit order
    frxCrossToolDMPLast = 42,
};

// One text object of the sample: where it is drawn (paint box pixels) and what it shows.
struct TfrxCrossSampleItem {
    TfrxCustomMemoView* Memo = nullptr;
    double Left = 0, Top = 0, Width = 0, Height = 0;
    std::string Text;
};

class TfrxCrossEditorForm : public TForm {
    ROVE_CLASS(TfrxCrossEditorForm, TForm)
public:
    explicit TfrxCrossEditorForm(TComponent* AOwner);
    ~TfrxCrossEditorForm() override;

    TPanel* ToolPanel = nullptr;
    TfrxComboBox* StyleCB = nullptr;
    TToolBar* ToolBar = nullptr;
    TToolButton *FontB = nullptr, *Sep1 = nullptr, *AlignLeftB = nullptr, *AlignCenterB = nullptr,
                *AlignRightB = nullptr, *Sep2 = nullptr, *RotationB = nullptr, *HighlightB = nullptr,
                *FormatB = nullptr, *FrameB = nullptr, *FillColorB = nullptr, *Sep3 = nullptr, *CancelB = nullptr,
                *OkB = nullptr;
    TGroupBox* DatasetL = nullptr;
    TComboBox* DatasetCB = nullptr;
    TListBox* FieldsLB = nullptr;
    TGroupBox* DimensionsL = nullptr;
    TLabel *RowsL = nullptr, *ColumnsL = nullptr, *CellsL = nullptr;
    TEdit *RowsE = nullptr, *ColumnsE = nullptr, *CellsE = nullptr;
    TUpDown *RowsUD = nullptr, *ColumnsUD = nullptr, *CellsUD = nullptr;
    TGroupBox* StructureL = nullptr;
    TCheckBox *RowHeaderCB = nullptr, *ColumnHeaderCB = nullptr, *RowTotalCB = nullptr, *ColumnTotalCB = nullptr;
    TSpeedButton* SwapB = nullptr;
    TListBox *ColumnsLB = nullptr, *RowsLB = nullptr, *CellsLB = nullptr;
    TScrollBox* Box = nullptr;
    TPaintBox* PaintBox = nullptr;
    TPopupMenu *RotationPopup = nullptr, *FuncPopup = nullptr, *SortPopup = nullptr, *DMPPopup = nullptr;

    // The cross-tab edited; set before showing, not owned.
    TfrxCustomCrossView* CrossView = nullptr;
    // The text object picked on the sample, nullptr when none.
    TfrxCustomMemoView* SelectedMemo = nullptr;
    // The header list (rows or columns) clicked last.
    TListBox* ActiveList = nullptr;
    // The 40 text objects, level by level: cell, column, column total, row, row total.
    std::vector<TfrxCustomMemoView*> AllMemos() const;
    // The seven built-in colour styles.
    TfrxStyleSheet* StyleSheet() const { return FStyleSheet.get(); }

    void FormCreate(TObject* Sender);
    // Esc closes the window as Cancel does (an open list or a label being edited takes it first).
    void FormKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void FormShow(TObject* Sender);
    void FormHide(TObject* Sender);
    void DatasetCBClick(TObject* Sender);
    void DatasetCBDrawItem(TWinControl* Control, int Index, TRect ARect, TOwnerDrawState State);
    void FieldsLBDrawItem(TWinControl* Control, int Index, TRect ARect, TOwnerDrawState State);
    void LBDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void LBDragDrop(TObject* Sender, TObject* Source, int X, int Y);
    void LBDrawItem(TWinControl* Control, int Index, TRect ARect, TOwnerDrawState State);
    void CellsLBDrawItem(TWinControl* Control, int Index, TRect ARect, TOwnerDrawState State);
    void LBClick(TObject* Sender);
    void LBMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void CellsLBMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void FuncMIClick(TObject* Sender);
    void SortMIClick(TObject* Sender);
    void SwapBClick(TObject* Sender);
    void CBClick(TObject* Sender);
    void DimesionsChange(TObject* Sender);
    void StyleCBClick(TObject* Sender);
    void ToolButtonClick(TObject* Sender);
    void PaintBoxPaint(TObject* Sender);
    void PaintBoxMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void PaintBoxDblClick(TObject* Sender);
    void OkBClick(TObject* Sender);
    void CancelBClick(TObject* Sender);
    static void DeclareProperties(TPropertyDecl<TfrxCrossEditorForm>& d);

    // After every change of the structure: the lists go into the cross-tab, the
    // selection is dropped, the sample is drawn again and the tools follow.
    void ApplyChanges();
    void UpdateControls();
    // Builds the sample matrix and lays out what the sample shows.
    std::vector<TfrxCrossSampleItem> LayoutSample();
    // Picks the text object at a point of the sample (as a click there does).
    void ClickSample(int X, int Y);

protected:
    void BindFields() override;

private:
    // The target of a formatting tool: the selected text object, or all 40.
    std::vector<TfrxCustomMemoView*> Targets() const;
    void FillFields();
    bool IsDB() const;
    // Moves the names of List that are fields (any name for a cross-tab without
    // dataset) from the field list into Target.
    void TakeFields(TStrings* Names, TListBox* Target);
    void Restore();
    // Lays the sample out again and has it drawn.
    void RefreshSample();
    std::string FSaved;
    std::vector<TfrxCrossSampleItem> FSample;
    std::unique_ptr<TfrxStyleSheet> FStyleSheet;
    bool FUpdating = true;
};

// Shows the editor (owned by Owner) on View; true when it ended with OK.
bool frxShowCrossEditor(TfrxCustomCrossView* View, TComponent* Owner = nullptr);

// The cross-tab component editor for both cross-tab classes into the report engine's
// registry. Idempotent.
void frxRegisterCrossEditor();
