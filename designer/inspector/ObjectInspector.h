// The object inspector: the designer's tool window that shows and edits the published
// properties and the script events of the selected report objects, one row per property
// (name on the left, value on the right of the split line). A value is typed in place and
// taken on Enter, when another row is chosen or when the edit loses the focus; a row may
// offer a drop-down list of values or a dialog, object-valued and set-valued rows expand
// into sub-rows, and the description of the selected property shows below the list.
//
// How a property is shown and changed is the business of its property editor (the report
// engine's property-editor registry and property lists); the inspector lays the rows out,
// routes input to the row's editor and tells the designer (OnModify) that something
// changed: the designer records every change once.
//
// The designer hands over its selection list itself (SetObjects), not a copy, and its
// list of the page's objects for the object box (SetObjectList).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"

class TCanvas;
class TComboBox;
class TListBox;
class TPageControl;
class TScrollBar;
class TPopupMenu;
class TMenuItem;
class TSpeedButton;
class TTabSheet;
class TfrxComponent;
class TfrxCustomDesigner;
class TfrxPopupForm;
class TfrxPropertyEditor;
class TfrxPropertyList;
struct TfrxPropertyItem;
class TfrxInspectorHint;

// The panel that holds the rows and the in-place edit controls inside the scroll box: as
// high as all rows, as wide as the box; it paints nothing itself.
class TInspPanel : public TCustomControl {
    ROVE_CLASS(TInspPanel, TCustomControl)
public:
    explicit TInspPanel(TComponent* AOwner);
    bool TakesFocus() const override { return false; }
};

class TfrxObjectInspector : public TForm {
    ROVE_CLASS(TfrxObjectInspector, TForm)
public:
    // Raises EfrxError when AOwner is not a designer.
    explicit TfrxObjectInspector(TComponent* AOwner);
    ~TfrxObjectInspector() override;

    // --- What the designer calls ---------------------------------------------------------
    // Inspects the objects of List (the designer's own selection list, kept by pointer).
    void SetObjects(std::vector<TfrxComponent*>* List);
    // SetObjects again with the same list (after an undo, a paste, a change made elsewhere).
    void UpdateProperties();
    // Fills the object box with the objects of List (Name + ": " + class name).
    void SetObjectList(const std::vector<TfrxComponent*>& List);
    // While locked the inspector shows no rows and takes no input; the objects may be
    // going away, so the rows are dropped. Unlock shows the selection again.
    void Lock();
    void Unlock();
    bool Disabled() const { return FDisabled; }
    // The colour of the object box and the list.
    void SetColor(TColor Value);
    // The height of the description panel.
    int GetSplit1Pos() const;
    void SetSplit1Pos(int Value);
    // The x of the split line between names and values.
    int SplitPos = 0;
    // The split at which every name of Object's rows (properties and events, the top rows)
    // shows whole in the window's font.
    int NameColumnWidth(TPersistent* Object) const;
    // The width right of the split at which every value of Object's top rows shows whole.
    int ValueColumnWidth(TPersistent* Object) const;
    // A value was changed (the designer records the change).
    TNotifyEvent OnModify;
    // The user picked an object in the object box (the designer's selection now holds it).
    TNotifyEvent OnSelectionChanged;

    // --- The rows ------------------------------------------------------------------------
    // The list shown: the properties (tab 0) or the events (tab 1) of the selection.
    TfrxPropertyList* CurList() const { return FCurList; }
    TfrxPropertyList* PropertyList() const { return FPropertyList.get(); }
    TfrxPropertyList* EventList() const { return FEventList.get(); }
    // The visible rows: the items of the current list, each expanded one followed by its
    // sub-rows, depth first.
    int RowCount() const { return static_cast<int>(FRows.size()); }
    TfrxPropertyItem* RowItem(int Index) const;
    int RowLevel(int Index) const;
    std::string RowName(int Index) const;
    std::string RowValue(int Index) const;
    // The first visible row named Name (case ignored), -1 when none.
    int FindRow(const std::string& Name) const;
    int RowHeight() const { return FRowHeight; }
    int ItemIndex() const { return FItemIndex; }
    // Selects a row (a modified edit text is taken into the row selected before).
    void SetItemIndex(int Value);
    // Flips a row with sub-rows open or shut.
    void ToggleRow(int Index);
    // Sets a row's value as if typed and confirmed; a refused value shows the error and
    // leaves the property as it was.
    void SetValue(int Index, const std::string& Text);
    // Switches between the properties (0) and the events (1).
    void SetTabIndex(int Value);
    int TabIndex() const;
    // Paints the rows that cross Clip onto Canvas (the list's own paint, and the tests).
    void PaintRows(TCanvas& Canvas, const TRect& Clip);
    // The drop-down of the selected row, while it is open.
    TfrxPopupForm* PopupForm() const { return FPopupForm; }
    TListBox* PopupLB() const { return FPopupLB; }
    // Picks item Index of the open drop-down (what a click on it does).
    void PickPopupItem(int Index);

    // --- Controls (names as the form's text has them) -------------------------------------
    TComboBox* ObjectsCB = nullptr;
    TPageControl* Tab = nullptr;
    TTabSheet* PropTS = nullptr;
    TTabSheet* EventTS = nullptr;
    TPanel* BackPanel = nullptr;
    TPanel* Box = nullptr;
    TScrollBar* VScroll = nullptr;
    TPaintBox* PB = nullptr;
    TEdit* Edit1 = nullptr;
    TPanel* EditPanel = nullptr;
    TSpeedButton* EditBtn = nullptr;
    TPanel* ComboPanel = nullptr;
    TSpeedButton* ComboBtn = nullptr;
    TSplitter* Splitter1 = nullptr;
    TPanel* HintPanel = nullptr;
    TLabel* PropL = nullptr;
    TLabel* DescrL = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TInspPanel* Panel = nullptr;

    // --- Handlers (bound by name in the form's text) ---------------------------------------
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormResize(TObject* Sender);
    void FormDeactivate(TObject* Sender);
    void TabChange(TObject* Sender);
    void PBPaint(TObject* Sender);
    void PBMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void PBMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void PBMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void PBDblClick(TObject* Sender);
    void Edit1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void Edit1KeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void Edit1KeyPress(TObject* Sender, char32_t& Key);
    void Edit1Exit(TObject* Sender);
    void EditBtnClick(TObject* Sender);
    void ComboBtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ComboBtnClick(TObject* Sender);
    void ObjectsCBClick(TObject* Sender);
    void ObjectsCBDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State);
    void N11Click(TObject* Sender);
    void N21Click(TObject* Sender);
    void N31Click(TObject* Sender);
    void FormMouseWheelDown(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled);
    void FormMouseWheelUp(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled);
    // How far the list is scrolled (pixels).
    int ScrollPos() const;
    void SetScrollPos(int Value);

    static void DeclareProperties(TPropertyDecl<TfrxObjectInspector>& d);

    // The hint window that shows a cut-off name or value in full (nullptr while hidden).
    bool HintShowing() const;
    std::string HintText() const;

protected:
    void BindFields() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    struct TRow {
        TfrxPropertyItem* Item;
        int Level;
        TfrxPropertyList* List;   // the list that holds the row
    };
    // An editor's call (a value set on every selected object, its dialog, its list) runs
    // inside a TEditorCall: the rows and their editors stay alive until it has returned.
    // A rebuild asked for meanwhile (the designer answering a change made through another
    // way, a timer that fires while a dialog is open) is made when the outermost call ends.
    class TEditorCall {
    public:
        explicit TEditorCall(TfrxObjectInspector& Inspector);
        ~TEditorCall();
        TEditorCall(const TEditorCall&) = delete;
        TEditorCall& operator=(const TEditorCall&) = delete;

    private:
        TfrxObjectInspector& FInspector;
    };
    // Drops the lists, or keeps them until the running editor call ends.
    void RetireLists();
    void BuildLists();
    void BuildRows();
    void AddRows(TfrxPropertyList* List, int Level);
    void PlaceEditControls();
    void DoModify();
    void ScrollToRow(int Y);
    void ScrollChanged();
    void ClosePopup();
    void HideHint();
    void ShowHint(const std::string& Text, int X, int Y);
    TfrxPropertyEditor* RowEditor(int Index) const;
    std::string ObjectText(TfrxComponent* Object) const;

    TfrxCustomDesigner* FDesigner = nullptr;
    bool FExpanded = false;
    bool FDisabled = false;
    bool FSplitDragging = false;
    std::unique_ptr<TfrxPropertyList> FEventList;
    std::unique_ptr<TfrxPropertyList> FPropertyList;
    TfrxPropertyList* FCurList = nullptr;
    std::vector<TRow> FRows;
    int FItemIndex = -1;
    std::string FLastProp;
    TfrxPopupForm* FPopupForm = nullptr;
    TListBox* FPopupLB = nullptr;
    bool FPopupClosedNow = false;
    int FRowHeight = 16;
    std::vector<TfrxComponent*>* FObjects = nullptr;
    // The objects the rows edit (a copy of the selection when the rows were made).
    std::vector<TfrxComponent*> FInspected;
    // The objects and texts the object box was last filled with.
    std::vector<TfrxComponent*> FListed;
    std::vector<std::string> FListedTexts;
    uint32_t FTick = 0;
    bool FUpdating = false;
    bool FPainting = false;
    TfrxInspectorHint* FHint = nullptr;
    int FEditorCalls = 0;
    bool FRebuildPending = false;
    std::vector<TfrxComponent*>* FPendingObjects = nullptr;
    std::vector<std::unique_ptr<TfrxPropertyList>> FRetiredLists;
};

// The process-wide rule of the drop-down button: true when a press comes less than 100 ms
// after a drop-down window last closed (the press that closed the list must not open it
// again).
bool frxPopupJustClosed();
