// The object inspector.
#include "designer/inspector/ObjectInspector.h"

#include <algorithm>
#include <unordered_map>

#include "designer/FormResources.h"
#include "designer/controls/Selectors.h"
#include "designer/editors/PropertyEditors.h"
#include "designer/inspector/InspectorHints.h"
#include "platform/classes/Streaming.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Menus.h"
#include "platform/ui/PopupWindow.h"
#include "report/Component.h"
#include "report/DesignRegistries.h"
#include "report/ReportServices.h"
#include "report/Resources.h"
#include "report/Utils.h"

ROVE_IMPLEMENT_CLASS(TInspPanel)
ROVE_IMPLEMENT_CLASS(TfrxObjectInspector)

// The window that shows a cut-off name or value in full over the list.
class TfrxInspectorHint : public TPopupWindow {
    ROVE_CLASS(TfrxInspectorHint, TPopupWindow)
public:
    explicit TfrxInspectorHint(TComponent* AOwner) : TPopupWindow(AOwner) {}
    std::string Text;
    void Paint() override {
        TCanvas& c = *Canvas();
        c.Font()->Assign(Font());
        c.Brush()->SetColor(clInfoBk);
        c.Pen()->SetColor(clBlack);
        c.Rectangle(0, 0, Width(), Height());
        c.Brush()->SetStyle(bsClear);
        c.TextOut(2, 1, Text);
        c.Brush()->SetStyle(bsSolid);
    }
};
ROVE_IMPLEMENT_CLASS(TfrxInspectorHint)

namespace {

// The time within which a press in the edit after a press on the list counts as a double
// click (the platform's default double-click time).
constexpr uint32_t kDoubleClickTime = 500;
// The width of a list box's vertical scroll bar.
constexpr int kScrollBarWidth = 16;
// The dialog and drop-down buttons' width.
constexpr int kButtonWidth = 15;
constexpr TColor kNavy = 0x800000;
constexpr TColor kGrey = 0x808080;


void RegisterInspectorForm() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterDesignerFormResources();
        return true;
    }();
    (void)done;
}

TComponent* CheckOwner(TComponent* AOwner) {
    if (!dynamic_cast<TfrxCustomDesigner*>(AOwner))
        throw EfrxError("The Owner of the object inspector should be TfrxCustomDesigner");
    return AOwner;
}

// The down arrow of the drop-down button.
std::unique_ptr<TBitmap> ArrowGlyph() {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(7, 4);
    TCanvas& c = *b->Canvas();
    c.Brush()->SetColor(clFuchsia);
    c.FillRect(TRect{0, 0, 7, 4});
    for (int i = 0; i < 4; ++i) {
        c.Pen()->SetColor(clBlack);
        c.MoveTo(i, i);
        c.LineTo(7 - i, i);
    }
    return b;
}

}  // namespace

bool frxPopupJustClosed() {
    const uint32_t closed = frxPopupCloseTime();
    return closed != 0 && GetTickCount() - closed < 100;
}

// === Construction ===========================================================================

TInspPanel::TInspPanel(TComponent* AOwner) : TCustomControl(AOwner) { CreatePaintedPeer(); }

TfrxObjectInspector::TfrxObjectInspector(TComponent* AOwner) : TForm(CheckOwner(AOwner)) {
    FDesigner = static_cast<TfrxCustomDesigner*>(AOwner);
    RegisterInspectorForm();
    InitForm();
    // The rows and the in-place controls lie on a panel as high as all rows, which the
    // scroll box scrolls.
    Panel = new TInspPanel(this);
    Panel->SetParent(Box);
    Panel->SetColor(Box->Color());
    Panel->SetBounds(0, 0, Box->ClientWidth(), 0);
    VScroll->SetWidth(16);
    for (TControl* c : std::initializer_list<TControl*>{PB, Edit1, EditPanel, ComboPanel}) c->SetParent(Panel);
    ComboBtn->SetGlyph(ArrowGlyph().get());
    // A long value shows from its start, whole selected, when its row is chosen.
    Edit1->SetSelectShowsStart(true);
    BackPanel->SetParent(PropTS);
    // Row height: the text height of "Wg" in the window's font, plus 3.
    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas()->Font()->Assign(Font());
    FRowHeight = measure.Canvas()->TextHeight("Wg") + 3;
    VScroll->OnChange = [this](TObject*) { ScrollChanged(); };
    FItemIndex = -1;
    FormResize(this);
    SplitPos = PB->Width() / 2;
    // Clipboard keys in the edit: the window's own menu answers them; Ctrl+A selects the
    // edit's text and Ctrl+Z undoes its last change.
    OnShortCut = [this](TShortCut Key, bool& Handled) {
        if (!Edit1->Visible() || !Edit1->Focused()) return;
        if (Key == ShortCut('A', ssCtrl)) Edit1->SelectAll();
        else if (Key == ShortCut('Z', ssCtrl)) Edit1->Undo();
        else if (!PopupMenu1->IsShortCut(Key)) return;
        Handled = true;
    };
}

TfrxObjectInspector::~TfrxObjectInspector() {
    FDisabled = true;
    FPropertyList.reset();
    FEventList.reset();
    FCurList = nullptr;
    FRows.clear();
}

void TfrxObjectInspector::BindFields() {
    Bind(ObjectsCB, "ObjectsCB");
    Bind(Tab, "Tab");
    Bind(PropTS, "PropTS");
    Bind(EventTS, "EventTS");
    Bind(BackPanel, "BackPanel");
    Bind(Box, "Box");
    Bind(VScroll, "VScroll");
    Bind(PB, "PB");
    Bind(Edit1, "Edit1");
    Bind(EditPanel, "EditPanel");
    Bind(EditBtn, "EditBtn");
    Bind(ComboPanel, "ComboPanel");
    Bind(ComboBtn, "ComboBtn");
    Bind(Splitter1, "Splitter1");
    Bind(HintPanel, "HintPanel");
    Bind(PropL, "PropL");
    Bind(DescrL, "DescrL");
    Bind(PopupMenu1, "PopupMenu1");
}

void TfrxObjectInspector::FormCreate(TObject*) {
    frxResources().LocalizeForm(this);
    PropTS->SetCaption(frxResources().Get("oiProp"));
    EventTS->SetCaption(frxResources().Get("oiEvent"));
}

void TfrxObjectInspector::FormShow(TObject*) { PlaceEditControls(); }

void TfrxObjectInspector::DeclareProperties(TPropertyDecl<TfrxObjectInspector>& d) {
    using I = TfrxObjectInspector;
    d.Method("FormCreate", &I::FormCreate);
    d.Method("FormShow", &I::FormShow);
    d.Method("FormResize", &I::FormResize);
    d.Method("FormDeactivate", &I::FormDeactivate);
    d.Method("TabChange", &I::TabChange);
    d.Method("PBPaint", &I::PBPaint);
    d.Method("PBMouseDown", &I::PBMouseDown);
    d.Method("PBMouseMove", &I::PBMouseMove);
    d.Method("PBMouseUp", &I::PBMouseUp);
    d.Method("PBDblClick", &I::PBDblClick);
    d.Method("Edit1MouseDown", &I::Edit1MouseDown);
    d.Method("Edit1KeyDown", &I::Edit1KeyDown);
    d.Method("Edit1KeyPress", &I::Edit1KeyPress);
    d.Method("Edit1Exit", &I::Edit1Exit);
    d.Method("EditBtnClick", &I::EditBtnClick);
    d.Method("ComboBtnMouseDown", &I::ComboBtnMouseDown);
    d.Method("ComboBtnClick", &I::ComboBtnClick);
    d.Method("ObjectsCBClick", &I::ObjectsCBClick);
    d.Method("ObjectsCBDrawItem", &I::ObjectsCBDrawItem);
    d.Method("N11Click", &I::N11Click);
    d.Method("N21Click", &I::N21Click);
    d.Method("N31Click", &I::N31Click);
    d.Method("FormMouseWheelDown", &I::FormMouseWheelDown);
    d.Method("FormMouseWheelUp", &I::FormMouseWheelUp);
}

// === The lists and the rows =================================================================

TfrxObjectInspector::TEditorCall::TEditorCall(TfrxObjectInspector& Inspector) : FInspector(Inspector) {
    ++FInspector.FEditorCalls;
}

TfrxObjectInspector::TEditorCall::~TEditorCall() {
    TfrxObjectInspector& i = FInspector;
    if (--i.FEditorCalls > 0) return;
    i.FRetiredLists.clear();
    if (!i.FRebuildPending) return;
    i.FRebuildPending = false;
    if (i.FDisabled) return;
    try {
        i.SetObjects(i.FPendingObjects);
    } catch (const Exception& e) {
        frxErrorMsg(e.Message());
    }
}

void TfrxObjectInspector::RetireLists() {
    FRows.clear();
    FCurList = nullptr;
    if (FEditorCalls > 0) {
        if (FPropertyList) FRetiredLists.push_back(std::move(FPropertyList));
        if (FEventList) FRetiredLists.push_back(std::move(FEventList));
    }
    FPropertyList.reset();
    FEventList.reset();
}

void TfrxObjectInspector::BuildLists() {
    RetireLists();
    if (FObjects && !FObjects->empty()) {
        std::vector<TPersistent*> objects(FObjects->begin(), FObjects->end());
        FPropertyList = BuildSelectionPropertyList(objects, FDesigner);
    }
    if (FPropertyList) {
        // Script events (types named Tfrx...Event) go to the events page.
        FEventList = std::make_unique<TfrxPropertyList>(FDesigner);
        FEventList->SetComponent(FPropertyList->Component());
        for (int i = 0; i < FPropertyList->Count();) {
            const std::string& type = FPropertyList->Items(i).Editor->PropInfo()->Type->Name;
            if (type.size() >= 9 && type.starts_with("Tfrx") && type.ends_with("Event"))
                FPropertyList->MoveItemTo(i, *FEventList);
            else
                ++i;
        }
    }
    FCurList = TabIndex() == 0 ? FPropertyList.get() : FEventList.get();
}

int TfrxObjectInspector::NameColumnWidth(TPersistent* Object) const {
    // A top row's name stands 13 pixels in (after the place of the plus box) and is cut at
    // the split line one pixel left of the split.
    constexpr int kIndent = 13, kRightMargin = 4;
    std::unique_ptr<TfrxPropertyList> list = BuildSelectionPropertyList({Object}, FDesigner);
    if (!list) return 0;
    TBitmap measure;
    measure.SetSize(1, 1);
    TCanvas* c = measure.Canvas();
    int widest = 0;
    for (int i = 0; i < list->Count(); ++i) {
        const std::string name = list->Items(i).Editor->GetName();
        c->Font()->Assign(Font());
        if (name == "Name") c->Font()->SetStyle(TFontStyles{fsBold});
        widest = std::max(widest, c->TextWidth(name));
    }
    return kIndent + widest + kRightMargin;
}

int TfrxObjectInspector::ValueColumnWidth(TPersistent* Object) const {
    // A value is drawn 2 pixels right of the split; the field over the selected row keeps
    // a few pixels at its end.
    constexpr int kIndent = 2, kRightMargin = 6;
    std::unique_ptr<TfrxPropertyList> list = BuildSelectionPropertyList({Object}, FDesigner);
    if (!list) return 0;
    TBitmap measure;
    measure.SetSize(1, 1);
    TCanvas* c = measure.Canvas();
    c->Font()->Assign(Font());
    int widest = 0;
    for (int i = 0; i < list->Count(); ++i) widest = std::max(widest, c->TextWidth(list->Items(i).Editor->GetValue()));
    return kIndent + widest + kRightMargin;
}

void TfrxObjectInspector::AddRows(TfrxPropertyList* List, int Level) {
    for (int i = 0; i < List->Count(); ++i) {
        TfrxPropertyItem& item = List->Items(i);
        FRows.push_back({&item, Level, List});
        if (item.Expanded && item.SubProperty) AddRows(item.SubProperty.get(), Level + 1);
    }
}

void TfrxObjectInspector::BuildRows() {
    FRows.clear();
    if (FCurList && !FDisabled) AddRows(FCurList, 0);
}

TfrxPropertyItem* TfrxObjectInspector::RowItem(int Index) const {
    return Index >= 0 && Index < RowCount() ? FRows[static_cast<size_t>(Index)].Item : nullptr;
}

int TfrxObjectInspector::RowLevel(int Index) const {
    return Index >= 0 && Index < RowCount() ? FRows[static_cast<size_t>(Index)].Level : 0;
}

TfrxPropertyEditor* TfrxObjectInspector::RowEditor(int Index) const {
    TfrxPropertyItem* item = RowItem(Index);
    return item ? item->Editor.get() : nullptr;
}

std::string TfrxObjectInspector::RowName(int Index) const {
    TfrxPropertyEditor* e = RowEditor(Index);
    return e ? e->GetName() : std::string();
}

std::string TfrxObjectInspector::RowValue(int Index) const {
    TfrxPropertyEditor* e = RowEditor(Index);
    if (!e) return {};
    try {
        return e->GetValue();
    } catch (const Exception&) {
        return {};
    }
}

int TfrxObjectInspector::FindRow(const std::string& Name) const {
    for (int i = 0; i < RowCount(); ++i)
        if (SameText(RowName(i), Name)) return i;
    return -1;
}

int TfrxObjectInspector::TabIndex() const { return Tab ? std::max(Tab->ActivePageIndex(), 0) : 0; }

void TfrxObjectInspector::SetTabIndex(int Value) {
    if (Value == TabIndex()) return;
    Tab->SetActivePageIndex(Value);
    TabChange(Tab);
}

// === What the designer calls ================================================================

std::string TfrxObjectInspector::ObjectText(TfrxComponent* Object) const {
    if (!Object) return {};
    return Object->Name() + ": " + Object->ClassName();
}

void TfrxObjectInspector::SetObjects(std::vector<TfrxComponent*>* List) {
    if (FEditorCalls > 0) {
        FPendingObjects = List;
        FRebuildPending = true;
        return;
    }
    HideHint();
    ClosePopup();
    // A value typed for the objects shown until now goes to them first, while they are
    // still among the designer's objects (a selection change by a click elsewhere).
    if (FItemIndex >= 0 && Edit1->Modified() && !FInspected.empty()) {
        const auto& all = FDesigner->Objects();
        const bool alive = std::all_of(FInspected.begin(), FInspected.end(), [&](TfrxComponent* c) {
            return std::find(all.begin(), all.end(), c) != all.end();
        });
        if (alive) SetValue(FItemIndex, Edit1->Text());
    }
    Edit1->SetModified(false);
    FObjects = List;
    FInspected = FObjects ? *FObjects : std::vector<TfrxComponent*>{};
    BuildLists();
    FUpdating = true;
    if (FObjects && FObjects->size() == 1) {
        TfrxComponent* o = FObjects->front();
        int i = ObjectsCB->Items()->IndexOfObject(o);
        if (i < 0) {
            i = ObjectsCB->Items()->AddObject(ObjectText(o), o);
            FListed.clear();
        }
        ObjectsCB->SetItemIndex(i);
    } else {
        ObjectsCB->SetItemIndex(-1);
    }
    FUpdating = false;
    FItemIndex = -1;
    FormResize(this);
    const int row = FindRow(FLastProp);
    SetItemIndex(row >= 0 ? row : 0);
}

void TfrxObjectInspector::UpdateProperties() { SetObjects(FObjects); }

void TfrxObjectInspector::SetObjectList(const std::vector<TfrxComponent*>& List) {
    // The designer gives the list on every selection change: the same objects under the
    // same names keep the box as it is (filling it again costs more than a selection of
    // hundreds of objects on a large page).
    std::vector<std::string> texts;
    texts.reserve(List.size());
    for (TfrxComponent* o : List) texts.push_back(ObjectText(o));
    if (List == FListed && texts == FListedTexts) return;
    FUpdating = true;
    TStringList* items = ObjectsCB->Items();
    if (texts == FListedTexts && ObjectsCB->Items()->Count() == static_cast<int>(FListed.size())) {
        // The same names in the same order, other objects (the report was read back by
        // an undo): each line takes the object now in its place.
        std::unordered_map<const TObject*, size_t> place;
        place.reserve(FListed.size());
        for (size_t i = 0; i < FListed.size(); ++i) place.emplace(FListed[i], i);
        bool all = place.size() == FListed.size();
        for (int i = 0; all && i < items->Count(); ++i) all = place.count(items->Objects(i)) != 0;
        if (all) {
            items->BeginUpdate();
            for (int i = 0; i < items->Count(); ++i) items->SetObjects(i, List[place[items->Objects(i)]]);
            items->EndUpdate();
            FUpdating = false;
            FListed = List;
            return;
        }
    }
    items->BeginUpdate();
    items->Clear();
    // The box is sorted: all lines at once, one sort instead of a move for each.
    std::vector<std::pair<std::string, TObject*>> lines;
    lines.reserve(List.size());
    for (size_t i = 0; i < List.size(); ++i) lines.emplace_back(texts[i], List[i]);
    items->AddObjects(std::move(lines));
    items->EndUpdate();
    FUpdating = false;
    FListed = List;
    FListedTexts = std::move(texts);
}

void TfrxObjectInspector::Lock() {
    HideHint();
    ClosePopup();
    FDisabled = true;
    // The objects may be freed while locked (an undo reloads the report): nothing of them
    // is kept.
    Edit1->SetModified(false);
    FItemIndex = -1;
    FRebuildPending = false;   // Unlock shows the selection again
    RetireLists();
    FInspected.clear();
    EditPanel->Hide();
    ComboPanel->Hide();
    Edit1->Hide();
    PB->Invalidate();
}

void TfrxObjectInspector::Unlock() {
    if (!FDisabled) return;
    FDisabled = false;
    UpdateProperties();
}

void TfrxObjectInspector::SetColor(TColor Value) {
    ObjectsCB->SetColor(Value);
    Box->SetColor(Value);
    Panel->SetColor(Value);
    PB->Invalidate();
}

int TfrxObjectInspector::GetSplit1Pos() const { return HintPanel->Height(); }
void TfrxObjectInspector::SetSplit1Pos(int Value) { HintPanel->SetHeight(Value); }

// === Selecting a row ========================================================================

void TfrxObjectInspector::SetItemIndex(int Value) {
    PropL->SetCaption("");
    DescrL->SetCaption("");
    const int count = RowCount();
    Value = std::clamp(Value, -1, count - 1);
    Edit1->SetVisible(count > 0 && !FDisabled);
    if (count > 0) {
        if (FItemIndex >= 0 && FItemIndex < count && Edit1->Modified()) SetValue(FItemIndex, Edit1->Text());
        FItemIndex = Value;
        if (Value >= 0) {
            const std::string name = RowName(Value);
            FLastProp = name;
            PropL->SetCaption(name);
            if (TPersistent* owner = FRows[static_cast<size_t>(Value)].List->Component())
                DescrL->SetCaption(frxPropertyDescription(name, owner->ClassName()));
        }
    } else {
        FItemIndex = -1;
    }
    PlaceEditControls();
}

void TfrxObjectInspector::ToggleRow(int Index) {
    TfrxPropertyItem* item = RowItem(Index);
    if (!item || !item->SubProperty) return;
    item->Expanded = !item->Expanded;
    FormResize(this);
}

void TfrxObjectInspector::PlaceEditControls() {
    if (FDisabled) return;
    FPainting = true;
    TfrxPropertyEditor* ed = RowEditor(FItemIndex);
    if (!ed) {
        EditPanel->Hide();
        ComboPanel->Hide();
        Edit1->Hide();
        FPainting = false;
        PB->Invalidate();
        return;
    }
    const TfrxPropertyAttributes a = ed->GetAttributes();
    EditPanel->SetVisible((a & paDialog) != 0);
    ComboPanel->SetVisible((a & paValueList) != 0);
    Edit1->SetReadOnly((a & paReadOnly) != 0);
    const int rowTop = FItemIndex * FRowHeight;
    const int y = rowTop + 1;
    int w = PB->Width() - SplitPos - 2;
    for (TPanel* p : {EditPanel, ComboPanel}) {
        if (!p->Visible()) continue;
        p->SetBounds(PB->Width() - kButtonWidth, rowTop, kButtonWidth, FRowHeight - 1);
        p->Controls(0)->SetBounds(0, 0, kButtonWidth, FRowHeight - 1);
        w -= kButtonWidth;
    }
    Edit1->SetText(RowValue(FItemIndex));
    Edit1->SetModified(false);
    Edit1->SetBounds(SplitPos + 2, y, std::max(w, 0), FRowHeight - 2);
    Edit1->Show();
    Edit1->SelectAll();
    ScrollToRow(y);
    FPainting = false;
    PB->Invalidate();
}

void TfrxObjectInspector::ScrollToRow(int Y) {
    const int client = Box->ClientHeight();
    if (client + ScrollPos() < Y + FRowHeight) SetScrollPos(Y - client + FRowHeight);
    if (Y < ScrollPos()) SetScrollPos(Y - 1);
}

int TfrxObjectInspector::ScrollPos() const { return VScroll->Position(); }

void TfrxObjectInspector::SetScrollPos(int Value) {
    const int range = std::max(RowCount() * FRowHeight - Box->ClientHeight(), 0);
    VScroll->SetPosition(std::clamp(Value, 0, range));
    ScrollChanged();
}

void TfrxObjectInspector::ScrollChanged() {
    if (Panel->Top() != -VScroll->Position()) Panel->SetTop(-VScroll->Position());
}

void TfrxObjectInspector::FormMouseWheelDown(TObject*, TShiftState, TPoint, bool& Handled) {
    SetScrollPos(ScrollPos() + FRowHeight);
    Handled = true;
}

void TfrxObjectInspector::FormMouseWheelUp(TObject*, TShiftState, TPoint, bool& Handled) {
    SetScrollPos(ScrollPos() - FRowHeight);
    Handled = true;
}

// === Changing values ========================================================================

void TfrxObjectInspector::SetValue(int Index, const std::string& Text) {
    TfrxPropertyEditor* ed = RowEditor(Index);
    if (!ed) return;
    TEditorCall call(*this);
    try {
        ed->SetValue(Text);
    } catch (const Exception& e) {
        frxErrorMsg(e.Message());
        if (Index == FItemIndex) {
            Edit1->SetText(RowValue(Index));
            Edit1->SetModified(false);
            Edit1->SelectAll();
        }
        return;
    }
    if (Index == FItemIndex) {
        Edit1->SetText(RowValue(Index));
        Edit1->SetModified(false);
        // Taken as the focus went elsewhere: the value stays in view from its start.
        if (!Edit1->Focused()) Edit1->SetSelStart(0);
    }
    DoModify();
    PB->Invalidate();
}

void TfrxObjectInspector::DoModify() {
    if (FObjects && FObjects->size() == 1) {
        // The name may have changed: the object box keeps its items sorted by text.
        TfrxComponent* o = FObjects->front();
        TStringList* items = ObjectsCB->Items();
        FUpdating = true;
        const int i = items->IndexOfObject(o);
        if (i >= 0 && items->Strings(i) != ObjectText(o)) {
            items->Delete(i);
            ObjectsCB->SetItemIndex(items->AddObject(ObjectText(o), o));
            // The box no longer holds the texts last listed: the next list fills it again
            // (an undo brings back objects at the same addresses under the old names).
            FListed.clear();
        }
        FUpdating = false;
    }
    if (OnModify) OnModify(this);
}

void TfrxObjectInspector::EditBtnClick(TObject*) {
    TfrxPropertyEditor* ed = RowEditor(FItemIndex);
    if (!ed) return;
    TEditorCall call(*this);
    bool changed = false;
    try {
        changed = ed->Edit();
    } catch (const Exception& e) {
        frxErrorMsg(e.Message());
    }
    if (!changed) return;
    SetItemIndex(FItemIndex);
    DoModify();
}

// === Painting ===============================================================================

void TfrxObjectInspector::PBPaint(TObject*) {
    if (FPainting) return;
    TCanvas& c = *PB->Canvas();
    PaintRows(c, TRect{0, 0, PB->Width(), PB->Height()});
}

void TfrxObjectInspector::PaintRows(TCanvas& C, const TRect& Clip) {
    C.Brush()->SetStyle(bsSolid);
    C.Brush()->SetColor(Box->Color());
    C.FillRect(Clip);
    if (FDisabled || FRowHeight <= 0) return;
    const int width = PB->Width();
    const int first = std::max(Clip.Top / FRowHeight, 0);
    const int last = std::min(Clip.Bottom / FRowHeight, RowCount() - 1);
    auto drawRow = [&](int i) {
        TfrxPropertyItem* item = FRows[static_cast<size_t>(i)].Item;
        TfrxPropertyEditor* ed = item->Editor.get();
        ed->ItemHeight = FRowHeight;
        const int y = i * FRowHeight;
        const int level = FRows[static_cast<size_t>(i)].Level;
        const bool selected = i == FItemIndex;
        C.Font()->Assign(Font());
        C.Pen()->SetStyle(psSolid);
        C.Pen()->SetColor(clBtnFace);
        C.MoveTo(0, y + FRowHeight - 1);
        C.LineTo(width, y + FRowHeight - 1);
        const TRect nameCell{0, y, SplitPos, y + FRowHeight - 1};
        if (selected) {
            C.Brush()->SetColor(clBtnFace);
            C.FillRect(nameCell);
        } else {
            C.MoveTo(SplitPos - 1, y);
            C.LineTo(SplitPos - 1, y + FRowHeight);
        }
        int x = level * 12;
        if (item->SubProperty) {
            C.Pen()->SetColor(kGrey);
            C.Brush()->SetStyle(bsSolid);
            C.Brush()->SetColor(clWhite);
            C.Rectangle(x + 1, y + 2, x + 10, y + 11);
            C.Pen()->SetColor(clBlack);
            C.MoveTo(x + 3, y + 6);
            C.LineTo(x + 8, y + 6);
            if (!item->Expanded) {
                C.MoveTo(x + 5, y + 4);
                C.LineTo(x + 5, y + 9);
            }
            x += 1 + 12;
        } else {
            x += 13;
        }
        const std::string name = ed->GetName();
        if (level == 0 && name == "Name") C.Font()->SetStyle(TFontStyles{fsBold});
        C.Brush()->SetStyle(bsClear);
        C.TextRect(nameCell, x, y + 1, name);
        C.Font()->SetStyle(TFontStyles{});
        if (selected) return;
        C.Font()->SetColor(kNavy);
        if (ed->GetAttributes() & paOwnerDraw) {
            C.Brush()->SetStyle(bsSolid);
            C.Brush()->SetColor(Box->Color());
            try {
                ed->DrawValue(C, TRect{SplitPos + 2, y + 1, width, y + FRowHeight + 1});
            } catch (const Exception&) {
            }
        } else {
            C.TextOut(SplitPos + 2, y + 1, RowValue(i));
        }
        C.Brush()->SetStyle(bsSolid);
    };
    for (int i = first; i <= last; ++i)
        if (i != FItemIndex) drawRow(i);
    if (FItemIndex >= first && FItemIndex <= last) drawRow(FItemIndex);
}

// === The mouse on the list ==================================================================

void TfrxObjectInspector::PBMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
    FExpanded = false;
    HideHint();
    if (RowCount() == 0 || FDisabled) return;
    if (PB->Cursor() == crHSplit) {
        FSplitDragging = true;
        return;
    }
    const int row = Y / FRowHeight;
    if (row < 0 || row >= RowCount()) return;
    if (X > SplitPos && X < SplitPos + kButtonWidth) {
        if (auto* b = dynamic_cast<TfrxBooleanProperty*>(RowEditor(row))) {
            TEditorCall call(*this);
            bool changed = false;
            try {
                changed = b->Edit();
            } catch (const Exception& e) {
                frxErrorMsg(e.Message());
            }
            if (changed) DoModify();
            PB->Invalidate();
            return;
        }
    }
    SetItemIndex(row);
    if (Edit1->CanFocus()) Edit1->SetFocus();
    FTick = GetTickCount();
    const int level = RowLevel(row);
    TfrxPropertyItem* item = RowItem(row);
    if (X > level * 12 && X < level * 12 + 13 && item && item->SubProperty) {
        ToggleRow(row);
        FExpanded = true;
    }
}

void TfrxObjectInspector::PBMouseUp(TObject*, TMouseButton, TShiftState, int, int) { FSplitDragging = false; }

void TfrxObjectInspector::PBMouseMove(TObject*, TShiftState, int X, int Y) {
    if (FDisabled) return;
    if (FSplitDragging) {
        if (X > 30 && X < PB->ClientWidth() - 30) {
            SplitPos = X;
            PlaceEditControls();
        }
        return;
    }
    if (X > SplitPos - 4 && X < SplitPos + 2) {
        PB->SetCursor(crHSplit);
        HideHint();
        return;
    }
    PB->SetCursor(crDefault);
    const int row = FRowHeight > 0 ? Y / FRowHeight : -1;
    if (row < 0 || row >= RowCount() || X < 13) {
        HideHint();
        return;
    }
    std::string text;
    int x = 0, room = 0;
    if (X > SplitPos - 4) {
        text = RowValue(row);
        x = SplitPos + 1;
        room = row == FItemIndex ? 1 << 30 : PB->Width() - SplitPos;
    } else {
        text = RowName(row);
        x = (RowLevel(row) + 1) * 12;
        room = SplitPos - x;
    }
    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas()->Font()->Assign(Font());
    if (measure.Canvas()->TextWidth(text) > room) ShowHint(text, x, row * FRowHeight);
    else HideHint();
}

void TfrxObjectInspector::PBDblClick(TObject*) {
    if (FExpanded) return;
    TfrxPropertyItem* item = RowItem(FItemIndex);
    if (item && item->SubProperty) ToggleRow(FItemIndex);
}

bool TfrxObjectInspector::HintShowing() const { return FHint && FHint->Visible(); }
std::string TfrxObjectInspector::HintText() const { return HintShowing() ? FHint->Text : std::string(); }

void TfrxObjectInspector::ShowHint(const std::string& Text, int X, int Y) {
    if (!FHint) {
        FHint = new TfrxInspectorHint(this);
        FHint->Font()->Assign(Font());
        FHint->SetOwnerForm(this);
    }
    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas()->Font()->Assign(Font());
    const int w = std::min(measure.Canvas()->TextWidth(Text), 1000) + 6;
    const int h = measure.Canvas()->TextHeight(Text) + 2;
    const TPoint p = PB->ClientToScreen(TPoint{X - 2, Y - 2});
    FHint->Text = Text;
    FHint->SetBounds(p.X, p.Y, w, h);
    FHint->Show();
    FHint->Invalidate();
}

void TfrxObjectInspector::HideHint() {
    if (FHint && FHint->Visible()) FHint->Hide();
}

// === Keys and the mouse in the edit =========================================================

void TfrxObjectInspector::Edit1MouseDown(TObject*, TMouseButton, TShiftState, int, int) {
    if (GetTickCount() - FTick < kDoubleClickTime) {
        FTick = 0;
        EditBtnClick(Edit1);
    }
}

void TfrxObjectInspector::Edit1KeyDown(TObject*, uint16_t& Key, TShiftState) {
    if (RowCount() == 0 || FDisabled) return;
    const int page = FRowHeight > 0 ? Box->Height() / FRowHeight : 1;
    switch (Key) {
    case VK_ESCAPE:
        Edit1->Undo();
        Edit1->SetModified(false);
        return;
    case VK_UP:
        if (FItemIndex >= 1) SetItemIndex(FItemIndex - 1);
        break;
    case VK_DOWN:
        if (FItemIndex + 1 < RowCount()) SetItemIndex(FItemIndex + 1);
        break;
    case VK_PRIOR: SetItemIndex(std::max(FItemIndex - page, 0)); break;
    case VK_NEXT: SetItemIndex(FItemIndex + page); break;
    case VK_RETURN: {
        TfrxPropertyEditor* ed = RowEditor(FItemIndex);
        if (ed && (ed->GetAttributes() & paDialog)) {
            EditBtnClick(Edit1);
        } else if (Edit1->Modified()) {
            Edit1->SetModified(false);
            SetValue(FItemIndex, Edit1->Text());
        }
        Edit1->SelectAll();
        break;
    }
    default: return;
    }
    Key = 0;
}

void TfrxObjectInspector::Edit1KeyPress(TObject*, char32_t& Key) {
    // Enter is taken by the key-down handler; the edit would only beep.
    if (Key == '\r') Key = 0;
}

void TfrxObjectInspector::Edit1Exit(TObject*) {
    // A typed value is taken when the focus goes elsewhere (the window itself is not
    // deactivated while it is docked); not while the drop-down list has the focus.
    if (FDisabled || FPopupForm || !Edit1->Modified()) return;
    Edit1->SetModified(false);
    SetValue(FItemIndex, Edit1->Text());
}

void TfrxObjectInspector::FormDeactivate(TObject*) {
    if (FDisabled || FPopupForm || !Edit1->Modified()) return;
    SetItemIndex(FItemIndex);
}

void TfrxObjectInspector::N11Click(TObject*) {
    if (Edit1->Visible()) Edit1->CutToClipboard();
}

void TfrxObjectInspector::N21Click(TObject*) {
    if (Edit1->Visible()) Edit1->PasteFromClipboard();
}

void TfrxObjectInspector::N31Click(TObject*) {
    if (Edit1->Visible()) Edit1->CopyToClipboard();
}

// === The drop-down list =====================================================================

void TfrxObjectInspector::ComboBtnMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
    FPopupClosedNow = frxPopupJustClosed();
}

void TfrxObjectInspector::ComboBtnClick(TObject*) {
    if (FPopupClosedNow) {
        FPopupClosedNow = false;
        if (Edit1->CanFocus()) Edit1->SetFocus();
        return;
    }
    TfrxPropertyEditor* ed = RowEditor(FItemIndex);
    if (!ed || FPopupForm) return;
    TEditorCall call(*this);
    ed->ItemHeight = FRowHeight;
    try {
        ed->GetValues();
    } catch (const Exception& e) {
        frxErrorMsg(e.Message());
        return;
    }
    if (ed->Values.empty()) return;
    const bool ownerDraw = (ed->GetAttributes() & paOwnerDraw) != 0;
    FPopupForm = new TfrxPopupForm(this);
    FPopupLB = new TListBox(FPopupForm);
    FPopupLB->SetParent(FPopupForm);
    FPopupLB->SetAlign(alClient);
    FPopupLB->SetFont(Font());
    FPopupLB->SetItemHeight(FRowHeight);
    if (ownerDraw) {
        FPopupLB->SetStyle(lbOwnerDrawFixed);
        FPopupLB->OnDrawItem = [this](TWinControl*, int Index, TRect Rect, TOwnerDrawState) {
            if (TfrxPropertyEditor* e = RowEditor(FItemIndex)) e->DrawListItem(*FPopupLB->Canvas(), Index, Rect);
        };
    }
    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas()->Font()->Assign(Font());
    int width = 0;
    TStringList* items = FPopupLB->Items();
    items->BeginUpdate();
    for (const std::string& v : ed->Values) {
        items->Add(v);
        width = std::max(width, measure.Canvas()->TextWidth(v));
    }
    items->EndUpdate();
    FPopupLB->SetItemIndex(items->IndexOf(Edit1->Text()));
    width += 8;
    if (ownerDraw) width += ed->GetExtraLBSize();
    const int n = static_cast<int>(ed->Values.size());
    int rows = n;
    if (n > 8) {
        width += kScrollBarWidth;
        rows = 8;
    }
    const int height = rows * FRowHeight + 2;
    const TPoint p = Edit1->ClientToScreen(TPoint{0, Edit1->Height()});
    const int column = PB->Width() - SplitPos;
    int left = 0;
    if (column <= width) {
        left = column - width + p.X - 2;
    } else {
        left = p.X - 3;
        width = column + 1;
    }
    FPopupForm->SetBounds(left, p.Y, width, height);
    FPopupForm->SetClientWidth(width);
    FPopupForm->SetClientHeight(height);
    FPopupLB->OnClick = [this](TObject*) {
        if (FPopupLB) PickPopupItem(FPopupLB->ItemIndex());
    };
    FPopupLB->OnKeyDown = [this](TObject*, uint16_t& Key, TShiftState) {
        if (Key == VK_RETURN && FPopupLB) {
            Key = 0;
            PickPopupItem(FPopupLB->ItemIndex());
        } else if (Key == VK_ESCAPE) {
            Key = 0;
            ClosePopup();
            if (Edit1->CanFocus()) Edit1->SetFocus();
        }
    };
    FDisabled = true;
    FPopupForm->Show();
    FDisabled = false;
    if (FPopupLB->CanFocus()) FPopupLB->SetFocus();
}

void TfrxObjectInspector::PickPopupItem(int Index) {
    if (!FPopupLB || Index < 0 || Index >= FPopupLB->Items()->Count()) return;
    const std::string text = FPopupLB->Items()->Strings(Index);
    Edit1->SetText(text);
    ClosePopup();
    if (Edit1->CanFocus()) Edit1->SetFocus();
    Edit1->SelectAll();
    SetValue(FItemIndex, text);
}

void TfrxObjectInspector::ClosePopup() {
    if (!FPopupForm) return;
    TfrxPopupForm* form = FPopupForm;
    FPopupForm = nullptr;
    FPopupLB = nullptr;
    form->OnDeactivate = nullptr;
    form->Close();
}

// === The object box, the tabs, the layout ===================================================

void TfrxObjectInspector::ObjectsCBClick(TObject*) {
    if (FUpdating || !FObjects) return;
    FObjects->clear();
    const int i = ObjectsCB->ItemIndex();
    if (i >= 0)
        if (auto* o = dynamic_cast<TfrxComponent*>(ObjectsCB->Items()->Objects(i))) FObjects->push_back(o);
    SetObjects(FObjects);
    if (Edit1->CanFocus()) Edit1->SetFocus();
    if (OnSelectionChanged) OnSelectionChanged(this);
}

void TfrxObjectInspector::ObjectsCBDrawItem(TWinControl*, int Index, TRect Rect, TOwnerDrawState) {
    if (FDisabled) return;
    TCanvas& c = *ObjectsCB->Canvas();
    c.FillRect(Rect);
    if (Index >= 0 && Index < ObjectsCB->Items()->Count())
        c.TextOut(Rect.Left + 2, Rect.Top + 1, ObjectsCB->Items()->Strings(Index));
}

void TfrxObjectInspector::TabChange(TObject*) {
    HideHint();
    ClosePopup();
    BackPanel->SetParent(Tab->ActivePage() ? Tab->ActivePage() : PropTS);
    FCurList = TabIndex() == 0 ? FPropertyList.get() : FEventList.get();
    FItemIndex = -1;
    Edit1->SetModified(false);
    FormResize(this);
}

void TfrxObjectInspector::FormResize(TObject*) {
    if (!Panel) return;
    BuildRows();
    // The list scrolls by a scroll bar of its own beside it, shown when the rows are
    // higher than the box: so the value column always knows its width.
    const int height = RowCount() * FRowHeight;
    const int client = Box->ClientHeight();
    const bool bar = height > client;
    VScroll->SetVisible(bar);
    const int width = std::max(Box->ClientWidth() - (bar ? VScroll->Width() : 0), 0);
    VScroll->SetParams(std::clamp(VScroll->Position(), 0, std::max(height - client, 0)), 0,
                       std::max(height - client, 0));
    VScroll->SetSmallChange(FRowHeight);
    VScroll->SetLargeChange(std::max(client - FRowHeight, FRowHeight));
    Panel->SetBounds(0, -VScroll->Position(), width, height);
    PB->SetBounds(0, 0, width, height);
    if (SplitPos > width - 30 && width > 60) SplitPos = width / 2;
    PlaceEditControls();
}

void TfrxObjectInspector::Notification(TComponent* AComponent, TOperation Operation) {
    TForm::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FPopupForm) {
        FPopupForm = nullptr;
        FPopupLB = nullptr;
    } else if (AComponent == FHint) {
        FHint = nullptr;
    }
}
