// The cross-tab editor.
#include "designer/dialogs/CrossEditor.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "designer/FormResources.h"
#include "designer/controls/Selectors.h"
#include "designer/dialogs/StyleEditor.h"
#include "designer/editors/FormatEditor.h"
#include "designer/editors/FrameEditor.h"
#include "designer/editors/HighlightEditor.h"
#include "designer/editors/MemoEditor.h"
#include "platform/classes/Streaming.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/Menus.h"
#include "preview/FlatCombo.h"
#include "report/CrossView.h"
#include "report/DataSet.h"
#include "report/DotMatrix.h"
#include "report/Images.h"
#include "report/MemoView.h"
#include "report/Report.h"
#include "report/ReportServices.h"
#include "report/Resources.h"
#include "report/Styles.h"

ROVE_IMPLEMENT_CLASS(TfrxCrossEditorForm)

namespace {

void RegisterCrossEditorForm() {
    static const bool done = [] {
        RegisterUiClasses();
        frxRegisterFlatCombos();
        RegisterDesignerFormResources();
        return true;
    }();
    (void)done;
}

// The seven colour styles: one set per style, with the items the text objects of a
// cross-tab name (ORDER CROSS STYLES: name, cell, column and row, totals, grand totals).
struct TCrossStyle {
    const char* Name;
    const char* Cell;
    const char* Header;
    const char* Total;
    const char* Grand;
};
const TCrossStyle kCrossStyles[] = {
    {"Standard", R"(Color="536870911" Frame.Typ="15")", R"(Color="536870911" Frame.Typ="15")",
     R"(Color="536870911" Font.Style="1" Frame.Typ="15")", R"(Color="536870911" Font.Style="1" Frame.Typ="15")"},
    {"Corporate", R"(Color="536870911" Frame.Typ="12")",
     R"(Color="8421504" Font.Color="16777215" Frame.Typ="15")", R"(Color="52479" Font.Style="1" Frame.Typ="15")",
     R"(Color="52479" Font.Style="1" Frame.Typ="15")"},
    {"Grayed", R"(Color="536870911" Frame.Typ="15")", R"(Color="536870911" Frame.Typ="15")",
     R"(Color="15790320" Font.Style="1" Frame.Typ="15")", R"(Color="15000804" Font.Style="1" Frame.Typ="15")"},
    {"Yellow", R"(Color="536870911" Frame.Typ="12")", R"(Color="13434879" Frame.Color="16777215" Frame.Typ="15")",
     R"(Color="10027007" Frame.Color="16777215" Frame.Typ="15")",
     R"(Color="10027007" Font.Style="1" Frame.Color="16777215" Frame.Typ="15")"},
    {"Green", R"(Color="536870911" Frame.Typ="15")", R"(Color="13434828" Frame.Typ="15")",
     R"(Color="8833409" Font.Style="1" Frame.Typ="15")", R"(Color="8833409" Font.Style="1" Frame.Typ="15")"},
    {"Blue", R"(Color="536870911" Frame.Typ="15")", R"(Color="16774348" Frame.Typ="15")",
     R"(Color="16763904" Font.Style="1" Frame.Typ="15")", R"(Color="16763904" Font.Style="1" Frame.Typ="15")"},
    {"Red", R"(Color="536870911" Frame.Typ="15")", R"(Color="9934847" Frame.Typ="15")",
     R"(Color="7434751" Font.Style="1" Frame.Typ="15")", R"(Color="7434751" Font.Style="1" Frame.Typ="15")"},
};
static_assert(sizeof(kCrossStyles) / sizeof(kCrossStyles[0]) == 7);

std::string CrossStyleSheetXml() {
    std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<stylesheet>\r\n";
    for (const TCrossStyle& s : kCrossStyles) {
        xml += std::string("<style Name=\"") + s.Name + "\">\r\n";
        auto item = [&](const char* Name, const char* Props) {
            xml += std::string("<item Name=\"") + Name + "\" " + Props + "/>\r\n";
        };
        item("cell", s.Cell);
        item("column", s.Header);
        item("row", s.Header);
        item("coltotal", s.Total);
        item("rowtotal", s.Total);
        item("colgrand", s.Grand);
        item("rowgrand", s.Grand);
        xml += "</style>\r\n";
    }
    return xml + "</stylesheet>\r\n";
}

// The names of the cell functions and sort orders, by their codes.
std::string FuncName(int Code) {
    static const char* const keys[] = {"crNone", "crSum", "crMin", "crMax", "crAvg", "crCount"};
    return Code >= 0 && Code < 6 ? frxResources().Get(keys[Code]) : std::string();
}

std::string SortName(int Code) {
    static const char* const keys[] = {"crAsc", "crDesc", "crNone"};
    return Code >= 0 && Code < 3 ? frxResources().Get(keys[Code]) : std::string();
}

// The small drop-down box of a list row: a grey frame filled with the window colour and a
// black arrow.
void DrawDropDownBox(TCanvas* C, const TRect& R) {
    const int x = R.Left, y = R.Top;
    C->Pen()->SetColor(TColor(8421504));
    C->Pen()->SetWidth(1);
    C->Brush()->SetColor(clWindow);
    C->Brush()->SetStyle(bsSolid);
    C->Rectangle(x + 185, y + 3, x + 197, y + 15);
    C->Pen()->SetColor(clBlack);
    const int rows[4][2] = {{187, 195}, {188, 194}, {189, 193}, {190, 192}};
    for (int i = 0; i < 4; ++i) {
        C->MoveTo(x + rows[i][0], y + 7 + i);
        C->LineTo(x + rows[i][1], y + 7 + i);
    }
}

void DrawCheckBox(TCanvas* C, const TRect& R, bool Checked) {
    const int x = R.Left, y = R.Top;
    C->Pen()->SetColor(TColor(8421504));
    C->Brush()->SetColor(clWindow);
    C->Brush()->SetStyle(bsSolid);
    C->Rectangle(x + 120, y + 3, x + 132, y + 15);
    if (!Checked) return;
    C->Pen()->SetColor(clBlack);
    for (int k = 0; k < 3; ++k) {
        C->Polyline({{x + 122, y + 7 + k}, {x + 124, y + 9 + k}, {x + 129, y + 4 + k}});
    }
}

// The swap button's picture: an arrow to the right above an arrow to the left.
void DrawSwapGlyph(TBitmap& B) {
    B.SetSize(16, 16);
    TCanvas* c = B.Canvas();
    c->Brush()->SetColor(TColor(0xFF00FF));
    c->FillRect(Rect(0, 0, 16, 16));
    c->Pen()->SetColor(TColor(0x282828));
    c->MoveTo(2, 5);
    c->LineTo(13, 5);
    for (int i = 0; i < 3; ++i) {
        c->MoveTo(12 - i, 5 - i - 1);
        c->LineTo(12 - i, 5 + i + 2);
    }
    c->MoveTo(3, 11);
    c->LineTo(14, 11);
    for (int i = 0; i < 3; ++i) {
        c->MoveTo(3 + i, 11 - i - 1);
        c->LineTo(3 + i, 11 + i + 2);
    }
    B.SetTransparentColor(TColor(0xFF00FF));
}

}  // namespace

// ==== The component editor =================================================================

bool TfrxCrossEditor::Edit() {
    auto* view = dynamic_cast<TfrxCustomCrossView*>(Component());
    return view && frxShowCrossEditor(view, Designer());
}

void TfrxCrossEditor::GetMenuItems() {
    auto* view = dynamic_cast<TfrxCustomCrossView*>(Component());
    if (!view) return;
    AddItem("crRepHdrs", frxCrossTagRepeatHeaders, view->RepeatHeaders);
    AddItem("crBorder", frxCrossTagBorder, view->Border);
    AddItem("crDown", frxCrossTagDownThenAcross, view->DownThenAcross);
    AddSeparator();
    TfrxViewEditor::GetMenuItems();
}

bool TfrxCrossEditor::Execute(int Tag, bool Checked) {
    if (Tag < frxCrossTagRepeatHeaders || Tag > frxCrossTagDownThenAcross) return TfrxViewEditor::Execute(Tag, Checked);
    bool changed = false;
    for (TfrxComponent* c : Targets()) {
        auto* view = dynamic_cast<TfrxCustomCrossView*>(c);
        if (!view) continue;
        switch (Tag) {
        case frxCrossTagRepeatHeaders: view->RepeatHeaders = Checked; break;
        case frxCrossTagBorder: view->Border = Checked; break;
        default: view->DownThenAcross = Checked; break;
        }
        changed = true;
    }
    return changed;
}

// ==== The window ===========================================================================

TfrxCrossEditorForm::TfrxCrossEditorForm(TComponent* AOwner)
    : TForm(AOwner), FStyleSheet(std::make_unique<TfrxStyleSheet>()) {
    TStringStream xml(CrossStyleSheetXml());
    FStyleSheet->LoadFromStream(xml);
    RegisterCrossEditorForm();
    InitForm();
}

TfrxCrossEditorForm::~TfrxCrossEditorForm() = default;

void TfrxCrossEditorForm::DeclareProperties(TPropertyDecl<TfrxCrossEditorForm>& d) {
    d.Method("FormCreate", &TfrxCrossEditorForm::FormCreate);
    d.Method("FormKeyDown", &TfrxCrossEditorForm::FormKeyDown);
    d.Method("FormShow", &TfrxCrossEditorForm::FormShow);
    d.Method("FormHide", &TfrxCrossEditorForm::FormHide);
    d.Method("DatasetCBClick", &TfrxCrossEditorForm::DatasetCBClick);
    d.Method("DatasetCBDrawItem", &TfrxCrossEditorForm::DatasetCBDrawItem);
    d.Method("FieldsLBDrawItem", &TfrxCrossEditorForm::FieldsLBDrawItem);
    d.Method("LBDragOver", &TfrxCrossEditorForm::LBDragOver);
    d.Method("LBDragDrop", &TfrxCrossEditorForm::LBDragDrop);
    d.Method("LBDrawItem", &TfrxCrossEditorForm::LBDrawItem);
    d.Method("CellsLBDrawItem", &TfrxCrossEditorForm::CellsLBDrawItem);
    d.Method("LBClick", &TfrxCrossEditorForm::LBClick);
    d.Method("LBMouseDown", &TfrxCrossEditorForm::LBMouseDown);
    d.Method("CellsLBMouseUp", &TfrxCrossEditorForm::CellsLBMouseUp);
    d.Method("FuncMIClick", &TfrxCrossEditorForm::FuncMIClick);
    d.Method("SortMIClick", &TfrxCrossEditorForm::SortMIClick);
    d.Method("SwapBClick", &TfrxCrossEditorForm::SwapBClick);
    d.Method("CBClick", &TfrxCrossEditorForm::CBClick);
    d.Method("DimesionsChange", &TfrxCrossEditorForm::DimesionsChange);
    d.Method("StyleCBClick", &TfrxCrossEditorForm::StyleCBClick);
    d.Method("ToolButtonClick", &TfrxCrossEditorForm::ToolButtonClick);
    d.Method("PaintBoxPaint", &TfrxCrossEditorForm::PaintBoxPaint);
    d.Method("PaintBoxMouseDown", &TfrxCrossEditorForm::PaintBoxMouseDown);
    d.Method("PaintBoxDblClick", &TfrxCrossEditorForm::PaintBoxDblClick);
    d.Method("OkBClick", &TfrxCrossEditorForm::OkBClick);
    d.Method("CancelBClick", &TfrxCrossEditorForm::CancelBClick);
}

void TfrxCrossEditorForm::BindFields() {
    Bind(ToolPanel, "ToolPanel");
    Bind(StyleCB, "StyleCB");
    Bind(ToolBar, "ToolBar");
    Bind(FontB, "FontB");
    Bind(Sep1, "Sep1");
    Bind(AlignLeftB, "AlignLeftB");
    Bind(AlignCenterB, "AlignCenterB");
    Bind(AlignRightB, "AlignRightB");
    Bind(Sep2, "Sep2");
    Bind(RotationB, "RotationB");
    Bind(HighlightB, "HighlightB");
    Bind(FormatB, "FormatB");
    Bind(FrameB, "FrameB");
    Bind(FillColorB, "FillColorB");
    Bind(Sep3, "Sep3");
    Bind(CancelB, "CancelB");
    Bind(OkB, "OkB");
    Bind(DatasetL, "DatasetL");
    Bind(DatasetCB, "DatasetCB");
    Bind(FieldsLB, "FieldsLB");
    Bind(DimensionsL, "DimensionsL");
    Bind(RowsL, "RowsL");
    Bind(ColumnsL, "ColumnsL");
    Bind(CellsL, "CellsL");
    Bind(RowsE, "RowsE");
    Bind(ColumnsE, "ColumnsE");
    Bind(CellsE, "CellsE");
    Bind(RowsUD, "RowsUD");
    Bind(ColumnsUD, "ColumnsUD");
    Bind(CellsUD, "CellsUD");
    Bind(StructureL, "StructureL");
    Bind(RowHeaderCB, "RowHeaderCB");
    Bind(ColumnHeaderCB, "ColumnHeaderCB");
    Bind(RowTotalCB, "RowTotalCB");
    Bind(ColumnTotalCB, "ColumnTotalCB");
    Bind(SwapB, "SwapB");
    Bind(ColumnsLB, "ColumnsLB");
    Bind(RowsLB, "RowsLB");
    Bind(CellsLB, "CellsLB");
    Bind(Box, "Box");
    Bind(PaintBox, "PaintBox");
    Bind(RotationPopup, "RotationPopup");
    Bind(FuncPopup, "FuncPopup");
    Bind(SortPopup, "SortPopup");
    Bind(DMPPopup, "DMPPopup");
}

void TfrxCrossEditorForm::FormCreate(TObject*) {
    frxResources().LocalizeForm(this);
    ToolBar->SetImages(frxResources().MainButtonImages());
    TBitmap glyph;
    DrawSwapGlyph(glyph);
    SwapB->SetGlyph(&glyph);
}

bool TfrxCrossEditorForm::IsDB() const { return dynamic_cast<TfrxDBCrossView*>(CrossView) != nullptr; }

std::vector<TfrxCustomMemoView*> TfrxCrossEditorForm::AllMemos() const {
    std::vector<TfrxCustomMemoView*> out;
    if (!CrossView) return out;
    for (int L = 0; L < frxCrossMaxLevels; ++L)
        for (TfrxCustomMemoView* m : {CrossView->CellMemos(L), CrossView->ColumnMemos(L),
                                      CrossView->ColumnTotalMemos(L), CrossView->RowMemos(L),
                                      CrossView->RowTotalMemos(L)})
            out.push_back(m);
    return out;
}

std::vector<TfrxCustomMemoView*> TfrxCrossEditorForm::Targets() const {
    if (SelectedMemo) return {SelectedMemo};
    return AllMemos();
}

void TfrxCrossEditorForm::FormShow(TObject*) {
    if (!CrossView) return;
    FUpdating = true;
    // What Cancel puts back: every value, the defaults too.
    {
        TStringStream saved;
        CrossView->SaveToStream(saved, false, true);
        FSaved = saved.DataString();
    }
    DatasetCB->Items()->Clear();
    if (TfrxReport* r = CrossView->Report()) r->GetDataSetList(DatasetCB->Items(), true);
    FStyleSheet->GetList(StyleCB->Items());
    StyleCB->SetItemIndex(0);
    UpdateControls();

    int current = DatasetCB->Items()->IndexOfObject(CrossView->DataSet());
    if (current < 0 && DatasetCB->Items()->Count() > 0) current = 0;
    DatasetCB->SetItemIndex(current);
    FillFields();
    TakeFields(CrossView->RowFields(), RowsLB);
    TakeFields(CrossView->ColumnFields(), ColumnsLB);
    CellsLB->Items()->Assign(*CrossView->CellFields());

    const bool db = IsDB();
    DatasetL->SetVisible(db);
    DimensionsL->SetVisible(!db);
    SwapB->SetVisible(db);
    for (TListBox* lb : {RowsLB, ColumnsLB, CellsLB}) lb->SetDragMode(db ? dmAutomatic : dmManual);
    if (!db) {
        RowsUD->SetPosition(CrossView->RowLevels());
        ColumnsUD->SetPosition(CrossView->ColumnLevels());
        CellsUD->SetPosition(CrossView->CellLevels());
    }
    if (CrossView->DotMatrix()) {
        FontB->SetStyle(tbsDropDown);
        FontB->SetDropdownMenu(DMPPopup);
    }
    ColumnHeaderCB->SetChecked(CrossView->ShowColumnHeader);
    RowHeaderCB->SetChecked(CrossView->ShowRowHeader);
    ColumnTotalCB->SetChecked(CrossView->ShowColumnTotal());
    RowTotalCB->SetChecked(CrossView->ShowRowTotal());
    FUpdating = false;
    // Showing changes nothing: the sample is drawn from the cross-tab as it stands.
    RefreshSample();
    UpdateControls();
}

void TfrxCrossEditorForm::Restore() {
    SelectedMemo = nullptr;
    FSample.clear();
    // Fresh templates first: a stored template holds only what differs from a plain one.
    CrossView->Matrix()->InitMemos(CrossView->DotMatrix());
    TStringStream saved(FSaved);
    CrossView->LoadFromStream(saved);
}

void TfrxCrossEditorForm::FormHide(TObject*) {
    if (ModalResult() != mrOk && CrossView && !FSaved.empty()) Restore();
}

void TfrxCrossEditorForm::FillFields() {
    FieldsLB->Items()->Clear();
    const int i = DatasetCB->ItemIndex();
    if (i < 0) return;
    if (auto* ds = dynamic_cast<TfrxDataSet*>(DatasetCB->Items()->Objects(i))) ds->GetFieldList(FieldsLB->Items());
}

void TfrxCrossEditorForm::TakeFields(TStrings* Names, TListBox* Target) {
    Target->Items()->Clear();
    for (int i = 0; i < Names->Count(); ++i) {
        const std::string name = Names->Get(i);
        const int at = FieldsLB->Items()->IndexOf(name);
        if (IsDB() && at < 0) continue;
        if (at >= 0) FieldsLB->Items()->Delete(at);
        Target->Items()->Add(name);
    }
}

void TfrxCrossEditorForm::ApplyChanges() {
    if (!CrossView) return;
    if (IsDB()) {
        const int i = DatasetCB->ItemIndex();
        CrossView->SetDataSet(i < 0 ? nullptr : dynamic_cast<TfrxDataSet*>(DatasetCB->Items()->Objects(i)));
        CrossView->RowFields()->Assign(*RowsLB->Items());
        CrossView->ColumnFields()->Assign(*ColumnsLB->Items());
        CrossView->CellFields()->Assign(*CellsLB->Items());
    }
    CrossView->SetRowLevels(CrossView->RowFields()->Count());
    CrossView->SetColumnLevels(CrossView->ColumnFields()->Count());
    CrossView->SetCellLevels(CrossView->CellFields()->Count());
    SelectedMemo = nullptr;
    RefreshSample();
    UpdateControls();
}

void TfrxCrossEditorForm::UpdateControls() {
    const bool selected = SelectedMemo != nullptr;
    for (TToolButton* b : {AlignLeftB, AlignCenterB, AlignRightB, RotationB, HighlightB, FormatB}) b->SetEnabled(selected);
    if (selected) {
        AlignLeftB->SetDown(SelectedMemo->HAlign == haLeft);
        AlignCenterB->SetDown(SelectedMemo->HAlign == haCenter);
        AlignRightB->SetDown(SelectedMemo->HAlign == haRight);
        RotationB->SetEnabled(SelectedMemo->Tag() >= 100);
    }
    auto* dmp = dynamic_cast<TfrxDMPMemoView*>(SelectedMemo);
    for (int i = 0; i < DMPPopup->Items()->Count(); ++i) {
        TMenuItem* mi = DMPPopup->Items()->Items(i);
        mi->SetChecked(dmp && (dmp->FontStyle().Mask() & (1u << (mi->Tag() - frxCrossToolDMPFirst))) != 0);
    }
}

// --- Lists ----------------------------------------------------------------------------------

void TfrxCrossEditorForm::DatasetCBClick(TObject*) {
    if (DatasetCB->ItemIndex() < 0) return;
    FillFields();
    for (TListBox* lb : {RowsLB, ColumnsLB, CellsLB}) lb->Items()->Clear();
    ApplyChanges();
}

void TfrxCrossEditorForm::DatasetCBDrawItem(TWinControl*, int Index, TRect ARect, TOwnerDrawState) {
    TCanvas* c = DatasetCB->Canvas();
    c->FillRect(ARect);
    frxResources().MainButtonImages()->Draw(c, ARect.Left, ARect.Top, frxButton::DataSet);
    if (Index >= 0 && Index < DatasetCB->Items()->Count())
        c->TextOut(ARect.Left + 20, ARect.Top + 1, DatasetCB->Items()->Get(Index));
}

void TfrxCrossEditorForm::FieldsLBDrawItem(TWinControl*, int Index, TRect ARect, TOwnerDrawState) {
    TCanvas* c = FieldsLB->Canvas();
    c->FillRect(ARect);
    frxResources().MainButtonImages()->Draw(c, ARect.Left, ARect.Top, frxButton::Field);
    if (Index >= 0 && Index < FieldsLB->Items()->Count())
        c->TextOut(ARect.Left + 20, ARect.Top + 1, FieldsLB->Items()->Get(Index));
}

void TfrxCrossEditorForm::LBDragOver(TObject*, TObject* Source, int, int, TDragState, bool& Accept) {
    auto* lb = dynamic_cast<TListBox*>(Source);
    Accept = lb && (lb == FieldsLB || lb == RowsLB || lb == ColumnsLB || lb == CellsLB) && lb->Items()->Count() > 0;
}

// The drag rules between the field list and the three structure lists. A name may be a
// cell and stay in the field list; a cell field is no row or column at the same time. No
// list grows beyond the eight levels a cross-tab has.
void TfrxCrossEditorForm::LBDragDrop(TObject* Sender, TObject* Source, int X, int Y) {
    auto* target = dynamic_cast<TListBox*>(Sender);
    auto* source = dynamic_cast<TListBox*>(Source);
    if (!target || !source || source->ItemIndex() < 0) return;
    TStrings* s = source->Items();
    TStrings* t = target->Items();
    const std::string name = s->Get(source->ItemIndex());
    if (source == target) {
        if (source == FieldsLB) return;
        int to = target->ItemAtPos(TPoint{X, Y}, true);
        if (to < 0) to = t->Count() - 1;
        s->Move(source->ItemIndex(), to);
        target->SetItemIndex(to);
        ApplyChanges();
        return;
    }
    TStrings* fields = FieldsLB->Items();
    TStrings* cells = CellsLB->Items();
    const bool isCell = cells->IndexOf(name) >= 0;
    const bool header = target == RowsLB || target == ColumnsLB;
    const bool full = target != FieldsLB && t->Count() >= frxCrossMaxLevels;
    bool removeSource = false;
    if (full) {
        // a ninth level: refused
    } else if (source == FieldsLB) {
        if (target == CellsLB) {
            cells->Add(name);
        } else if (header && !isCell) {
            t->Add(name);
            removeSource = true;
        }
    } else if (source == CellsLB) {
        if (target == FieldsLB) {
            removeSource = true;
        } else {
            t->Add(name);
            const int inFields = fields->IndexOf(name);
            if (inFields >= 0) {
                fields->Delete(inFields);
                for (int i = cells->Count() - 1; i >= 0; --i)
                    if (SameText(cells->Get(i), name)) cells->Delete(i);
            } else {
                removeSource = true;
            }
        }
    } else {   // from rows or columns
        if (target == CellsLB) {
            cells->Add(name);
            fields->Add(name);
        } else {
            t->Add(name);
        }
        removeSource = true;
    }
    // The dragged item leaves its list only while it is still the current one there.
    if (removeSource) {
        const int i = source->ItemIndex();
        if (i >= 0 && i < s->Count() && s->Get(i) == name) s->Delete(i);
    }
    ApplyChanges();
}

void TfrxCrossEditorForm::LBClick(TObject* Sender) {
    for (TListBox* lb : {FieldsLB, RowsLB, ColumnsLB, CellsLB})
        if (lb != Sender) lb->SetItemIndex(-1);
}

void TfrxCrossEditorForm::LBDrawItem(TWinControl* Control, int Index, TRect ARect, TOwnerDrawState) {
    auto* lb = static_cast<TListBox*>(Control);
    TCanvas* c = lb->Canvas();
    c->FillRect(ARect);
    if (!CrossView || Index < 0 || Index >= lb->Items()->Count()) return;
    const bool columns = lb == ColumnsLB;
    c->TextOut(ARect.Left + 2, ARect.Top + 1, lb->Items()->Get(Index));
    if (Index < frxCrossMaxLevels)
        c->TextOut(ARect.Left + 200, ARect.Top + 1,
                   SortName(columns ? CrossView->ColumnSort(Index) : CrossView->RowSort(Index)));
    const TColor text = c->Font()->Color();
    const TColor brush = c->Brush()->Color();
    DrawDropDownBox(c, ARect);
    if (Index < lb->Items()->Count() - 1 && Index + 1 < frxCrossMaxLevels) {
        TfrxCustomMemoView* total =
            columns ? CrossView->ColumnTotalMemos(Index + 1) : CrossView->RowTotalMemos(Index + 1);
        c->Brush()->SetColor(brush);
        c->Font()->SetColor(text);
        c->TextOut(ARect.Left + 135, ARect.Top + 1, frxResources().Get("crSubtotal"));
        DrawCheckBox(c, ARect, total->Visible());
    }
    c->Brush()->SetColor(brush);
}

void TfrxCrossEditorForm::CellsLBDrawItem(TWinControl*, int Index, TRect ARect, TOwnerDrawState) {
    TCanvas* c = CellsLB->Canvas();
    c->FillRect(ARect);
    if (!CrossView || Index < 0 || Index >= CellsLB->Items()->Count()) return;
    c->TextOut(ARect.Left + 2, ARect.Top + 1, CellsLB->Items()->Get(Index));
    if (Index < frxCrossMaxLevels) c->TextOut(ARect.Left + 200, ARect.Top + 1, FuncName(CrossView->CellFunctions(Index)));
    const TColor brush = c->Brush()->Color();
    DrawDropDownBox(c, ARect);
    c->Brush()->SetColor(brush);
}

// A press on a header row: the subtotal box (every row but the last) switches the next
// level's totals; the drop-down box opens the sort orders. Presses beside the rows do
// nothing.
void TfrxCrossEditorForm::LBMouseDown(TObject* Sender, TMouseButton, TShiftState, int X, int Y) {
    auto* lb = dynamic_cast<TListBox*>(Sender);
    if (!lb || !CrossView) return;
    ActiveList = lb;
    const int index = lb->ItemAtPos(TPoint{X, Y}, true);
    if (index < 0 || index >= frxCrossMaxLevels) return;
    lb->SetItemIndex(index);
    LBClick(lb);
    const bool columns = lb == ColumnsLB;
    if (X >= 119 && X < 133 && index < lb->Items()->Count() - 1) {
        TfrxCustomMemoView* total = columns ? CrossView->ColumnTotalMemos(index + 1) : CrossView->RowTotalMemos(index + 1);
        total->SetVisible(!total->Visible());
    } else if (X >= 184 && X < 198) {
        const int sort = columns ? CrossView->ColumnSort(index) : CrossView->RowSort(index);
        for (int i = 0; i < SortPopup->Items()->Count(); ++i)
            SortPopup->Items()->Items(i)->SetChecked(SortPopup->Items()->Items(i)->Tag() == sort);
        const TPoint at = lb->ClientToScreen(TPoint{X, Y});
        SortPopup->Popup(at.X, at.Y);
    }
    lb->Invalidate();
    ApplyChanges();
}

void TfrxCrossEditorForm::CellsLBMouseUp(TObject*, TMouseButton, TShiftState, int X, int Y) {
    if (!CrossView || X < 184 || X >= 198) return;
    const int index = CellsLB->ItemAtPos(TPoint{X, Y}, true);
    if (index < 0 || index >= frxCrossMaxLevels) return;
    CellsLB->SetItemIndex(index);
    const int func = CrossView->CellFunctions(index);
    for (int i = 0; i < FuncPopup->Items()->Count(); ++i)
        FuncPopup->Items()->Items(i)->SetChecked(FuncPopup->Items()->Items(i)->Tag() == func);
    const TPoint at = CellsLB->ClientToScreen(TPoint{X, Y});
    FuncPopup->Popup(at.X, at.Y);
}

void TfrxCrossEditorForm::FuncMIClick(TObject* Sender) {
    auto* mi = dynamic_cast<TMenuItem*>(Sender);
    const int index = CellsLB->ItemIndex();
    if (!mi || !CrossView || index < 0 || index >= frxCrossMaxLevels) return;
    CrossView->SetCellFunctions(index, static_cast<uint8_t>(mi->Tag()));
    CellsLB->Invalidate();
    RefreshSample();
}

void TfrxCrossEditorForm::SortMIClick(TObject* Sender) {
    auto* mi = dynamic_cast<TMenuItem*>(Sender);
    if (!mi || !CrossView || !ActiveList) return;
    const int index = ActiveList->ItemIndex();
    if (index < 0 || index >= frxCrossMaxLevels) return;
    if (ActiveList == ColumnsLB) CrossView->SetColumnSort(index, static_cast<uint8_t>(mi->Tag()));
    else CrossView->SetRowSort(index, static_cast<uint8_t>(mi->Tag()));
    ActiveList->Invalidate();
    RefreshSample();
}

void TfrxCrossEditorForm::SwapBClick(TObject*) {
    TStringList rows;
    rows.Assign(*RowsLB->Items());
    RowsLB->Items()->Assign(*ColumnsLB->Items());
    ColumnsLB->Items()->Assign(rows);
    ApplyChanges();
}

void TfrxCrossEditorForm::CBClick(TObject* Sender) {
    auto* cb = dynamic_cast<TCheckBox*>(Sender);
    if (FUpdating || !cb || !CrossView) return;
    switch (cb->Tag()) {
    case 0: CrossView->ShowRowHeader = cb->Checked(); break;
    case 1: CrossView->ShowColumnHeader = cb->Checked(); break;
    case 2: CrossView->SetShowRowTotal(cb->Checked()); break;
    case 3: CrossView->SetShowColumnTotal(cb->Checked()); break;
    default: return;
    }
    ApplyChanges();
}

// A level count typed or stepped: a whole number within the levels a cross-tab has is
// taken at once; anything else (a box emptied to type another number) waits.
void TfrxCrossEditorForm::DimesionsChange(TObject* Sender) {
    auto* e = dynamic_cast<TEdit*>(Sender);
    if (FUpdating || !e || !CrossView || IsDB()) return;
    int value = 0;
    if (!TryStrToInt(Trim(e->Text()), value)) return;
    const int low = e->Tag() == 2 ? 1 : 0;
    if (value < low || value > frxCrossMaxLevels) return;
    switch (e->Tag()) {
    case 0: CrossView->SetRowLevels(value); break;
    case 1: CrossView->SetColumnLevels(value); break;
    case 2: CrossView->SetCellLevels(value); break;
    default: return;
    }
    RowsLB->Items()->Assign(*CrossView->RowFields());
    ColumnsLB->Items()->Assign(*CrossView->ColumnFields());
    CellsLB->Items()->Assign(*CrossView->CellFields());
    ApplyChanges();
}

void TfrxCrossEditorForm::StyleCBClick(TObject*) {
    TfrxStyles* set = FStyleSheet->Find(StyleCB->Text());
    if (!set) return;
    for (TfrxCustomMemoView* m : AllMemos()) frxApplyStyle(m, set->Find(m->Style()));
    RefreshSample();
}

// --- Formatting -----------------------------------------------------------------------------

void TfrxCrossEditorForm::ToolButtonClick(TObject* Sender) {
    auto* c = dynamic_cast<TComponent*>(Sender);
    if (!c || !CrossView) return;
    const int tag = c->Tag();
    auto* designer = dynamic_cast<TfrxCustomDesigner*>(Owner());
    switch (tag) {
    case frxCrossToolFont: {
        if (CrossView->DotMatrix()) return;
        TFontDialog dialog(this);
        dialog.SetOptions(TFontDialogOptions{fdForceFontExist, fdEffects});
        if (SelectedMemo) dialog.SetFont(SelectedMemo->Font());
        if (!dialog.Execute()) return;
        if (SelectedMemo) {
            SelectedMemo->SetFont(dialog.Font());
        } else {
            for (TfrxCustomMemoView* m : AllMemos()) {
                TFont f;
                f.Assign(*m->Font());
                f.SetName(dialog.Font()->Name());
                f.SetSize(dialog.Font()->Size());
                f.SetColor(dialog.Font()->Color());
                f.SetCharset(dialog.Font()->Charset());
                m->SetFont(&f);
            }
        }
        break;
    }
    case frxCrossToolAlignLeft:
    case frxCrossToolAlignRight:
    case frxCrossToolAlignCenter:
        if (!SelectedMemo) return;
        SelectedMemo->HAlign = static_cast<TfrxHAlign>(tag - 2);
        break;
    case frxCrossToolRotation: {
        auto* mi = dynamic_cast<TMenuItem*>(Sender);
        if (!SelectedMemo || !mi) return;
        SelectedMemo->SetRotation(mi->HelpContext());
        break;
    }
    case frxCrossToolHighlight:
        if (!SelectedMemo || !frxShowHighlightEditor(SelectedMemo, designer)) return;
        break;
    case frxCrossToolFormat:
        if (!SelectedMemo || !frxEditDisplayFormat(SelectedMemo->DisplayFormat(), this)) return;
        break;
    case frxCrossToolFrame: {
        TfrxFrame frame;
        if (SelectedMemo) frame.Assign(SelectedMemo->Frame());
        if (!frxEditFrame(&frame, this)) return;
        for (TfrxCustomMemoView* m : Targets()) m->Frame()->Assign(&frame);
        break;
    }
    case frxCrossToolFillColor: {
        auto* selector = new TfrxColorSelector(static_cast<TControl*>(Sender));
        selector->SetTag(frxCrossToolColorPicked);
        if (SelectedMemo) selector->SetColor(SelectedMemo->Color());
        selector->OnColorChanged = [this](TObject* S) { ToolButtonClick(S); };
        return;
    }
    case frxCrossToolColorPicked: {
        const TColor color = static_cast<TfrxColorSelector*>(Sender)->Color();
        for (TfrxCustomMemoView* m : Targets()) m->SetColor(color);
        break;
    }
    default: {
        if (tag < frxCrossToolDMPFirst || tag > frxCrossToolDMPLast) return;
        auto* mi = dynamic_cast<TMenuItem*>(Sender);
        const uint32_t bit = 1u << (tag - frxCrossToolDMPFirst);
        const bool set = !(mi && mi->Checked());
        for (TfrxCustomMemoView* m : Targets())
            if (auto* dmp = dynamic_cast<TfrxDMPMemoView*>(m)) {
                const uint32_t mask = dmp->FontStyle().Mask();
                dmp->SetFontStyle(TfrxDMPFontStyles::FromMask(set ? (mask | bit) : (mask & ~bit)));
            }
        break;
    }
    }
    UpdateControls();
    RefreshSample();
}

void TfrxCrossEditorForm::PaintBoxDblClick(TObject*) {
    if (!SelectedMemo || SelectedMemo->Tag() < 300) return;
    std::string text = SelectedMemo->Text();
    if (!frxShowMemoEditor(SelectedMemo, dynamic_cast<TfrxCustomDesigner*>(Owner()), text)) return;
    SelectedMemo->SetText(text);
    RefreshSample();
}

void TfrxCrossEditorForm::OkBClick(TObject*) { SetModalResult(mrOk); }

void TfrxCrossEditorForm::CancelBClick(TObject*) { SetModalResult(mrCancel); }

void TfrxCrossEditorForm::FormKeyDown(TObject*, uint16_t& Key, TShiftState Shift) {
    CancelOnEscape(*this, Key, Shift);
}

// --- The sample -----------------------------------------------------------------------------

// A matrix of one record whose row and column values are the field names and whose cells
// are 0; the header trees and the cells of the first row and column as they print.
std::vector<TfrxCrossSampleItem> TfrxCrossEditorForm::LayoutSample() {
    std::vector<TfrxCrossSampleItem> out;
    if (!CrossView || !CrossView->IsCrossValid()) return out;
    // A run gives every template the cross-tab's gaps; the sample leaves them as they were.
    const std::vector<TfrxCustomMemoView*> memos = AllMemos();
    std::vector<std::pair<double, double>> gaps;
    for (TfrxCustomMemoView* m : memos) gaps.emplace_back(m->GapX, m->GapY);
    CrossView->BeginMatrix();
    std::vector<Variant> rows, columns, cells;
    for (int i = 0; i < CrossView->RowFields()->Count(); ++i) rows.emplace_back(CrossView->RowFields()->Get(i));
    for (int i = 0; i < CrossView->ColumnFields()->Count(); ++i)
        columns.emplace_back(CrossView->ColumnFields()->Get(i));
    cells.assign(std::max(CrossView->CellLevels(), 1), Variant(0));
    CrossView->AddValue(rows, columns, cells);
    CrossView->EndMatrix();
    for (size_t i = 0; i < memos.size(); ++i) std::tie(memos[i]->GapX, memos[i]->GapY) = gaps[i];

    TfrxCrossMatrix* m = CrossView->Matrix();
    const bool dmp = CrossView->DotMatrix();
    const double rowHeaderWidth = CrossView->GetRowHeaderWidth();
    const double columnHeaderHeight = CrossView->GetColumnHeaderHeight();
    auto place = [&](TfrxCustomMemoView* Memo, double L, double T, double W, double H, std::string Text) {
        TfrxCrossSampleItem item;
        item.Memo = Memo;
        item.Left = L;
        item.Top = T;
        item.Width = W;
        item.Height = H;
        if (dmp) {
            item.Left += 9.6;
            item.Top += 17;
            item.Width -= 9.6;
            item.Height -= 17;
        }
        item.Text = std::move(Text);
        out.push_back(std::move(item));
    };
    auto tree = [&](TfrxCrossHeader* Root, double X, double Y) {
        for (TfrxCrossHeader* node : Root->AllItems()) {
            if (!node->Memo) continue;
            const TfrxCrossHeader::TBounds& b = node->Bounds;
            place(node->Memo, X + b.Left, Y + b.Top, b.Width, b.Height, node->Memo->FormatData(node->Value));
        }
    };
    if (!m->NoColumns && CrossView->ShowColumnHeader) tree(m->ColumnHeader(), rowHeaderWidth + 10, 10);
    if (!m->NoRows && CrossView->ShowRowHeader) tree(m->RowHeader(), 10, columnHeaderHeight + 10);

    const std::vector<TfrxCrossHeader*> columnLeaves = m->ColumnHeader()->TerminalItems();
    const std::vector<TfrxCrossHeader*> rowLeaves = m->RowHeader()->TerminalItems();
    if (columnLeaves.empty() || rowLeaves.empty()) return out;
    const TfrxCrossHeader* cl = columnLeaves.front();
    const TfrxCrossHeader* rl = rowLeaves.front();
    const int levels = m->CellLevels();
    double x = rowHeaderWidth + 10, y = columnHeaderHeight + 10;
    for (int i = 0; i < levels; ++i) {
        TfrxCustomMemoView* memo = CrossView->CellMemos(i);
        Variant v = m->GetValue(0, 0, i);
        if (v.IsNull() || v.IsEmpty()) v = Variant(0);
        if (CrossView->PlainCells()) {
            const double w = cl->GetCellSize(i);
            place(memo, x, y, w, rl->Height, memo->FormatData(v));
            x += w;
        } else {
            const double h = rl->Height / levels;
            place(memo, x, y + i * h, cl->Width, h, memo->FormatData(v));
        }
    }
    return out;
}

void TfrxCrossEditorForm::RefreshSample() {
    FSample = LayoutSample();
    double right = 0, bottom = 0;
    for (const TfrxCrossSampleItem& it : FSample) {
        right = std::max(right, it.Left + it.Width);
        bottom = std::max(bottom, it.Top + it.Height);
    }
    const int w = std::max(Box->ClientWidth(), static_cast<int>(std::ceil(right)) + 10);
    const int h = std::max(Box->ClientHeight(), static_cast<int>(std::ceil(bottom)) + 10);
    if (PaintBox->Width() != w || PaintBox->Height() != h) PaintBox->SetBounds(0, 0, w, h);
    PaintBox->Invalidate();
}

void TfrxCrossEditorForm::ClickSample(int X, int Y) {
    SelectedMemo = nullptr;
    for (const TfrxCrossSampleItem& it : FSample)
        if (X >= it.Left && X < it.Left + it.Width && Y >= it.Top && Y < it.Top + it.Height) {
            SelectedMemo = it.Memo;
            break;
        }
    PaintBox->Invalidate();
    UpdateControls();
}

void TfrxCrossEditorForm::PaintBoxMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) { ClickSample(X, Y); }

void TfrxCrossEditorForm::PaintBoxPaint(TObject*) {
    TCanvas* c = PaintBox->Canvas();
    c->Brush()->SetColor(clWindow);
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(Rect(0, 0, PaintBox->Width(), PaintBox->Height()));
    const TfrxCrossSampleItem* selected = nullptr;
    for (const TfrxCrossSampleItem& it : FSample) {
        TfrxCustomMemoView* m = it.Memo;
        const std::string text = m->Text();
        const TfrxFrameTypes typ = m->Frame()->Typ;
        const TColor frameColor = m->Frame()->Color;
        const double l = m->Left(), t = m->Top(), w = m->Width(), h = m->Height();
        const double gapX = m->GapX, gapY = m->GapY;
        m->GapX = CrossView->GapX;
        m->GapY = CrossView->GapY;
        m->SetText(it.Text);
        // Objects without lines of their own show a light grey grid.
        if (typ.Mask() == 0) {
            m->Frame()->Typ = TfrxFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
            m->Frame()->Color = TColor(232 | (232 << 8) | (232 << 16));
        }
        m->SetBounds(it.Left, it.Top, it.Width, it.Height);
        if (m->Visible()) m->Draw(c, 1, 1, 0, 0);
        m->SetText(text);
        m->Frame()->Typ = typ;
        m->Frame()->Color = frameColor;
        m->SetBounds(l, t, w, h);
        m->GapX = gapX;
        m->GapY = gapY;
        if (m == SelectedMemo && !selected) selected = &it;
    }
    if (!selected) return;
    c->Pen()->SetColor(TColor(43513));
    c->Pen()->SetWidth(2);
    c->Pen()->SetStyle(psSolid);
    c->Brush()->SetStyle(bsClear);
    c->Rectangle(static_cast<int>(Round(selected->Left + 2)), static_cast<int>(Round(selected->Top + 2)),
                 static_cast<int>(Round(selected->Left + selected->Width)),
                 static_cast<int>(Round(selected->Top + selected->Height)));
}

bool frxShowCrossEditor(TfrxCustomCrossView* View, TComponent* Owner) {
    if (!View) return false;
    auto form = std::make_unique<TfrxCrossEditorForm>(Owner);
    form->CrossView = View;
    return form->ShowModal() == mrOk;
}

void frxRegisterCrossEditor() {
    static const bool done = [] {
        frxRegisterCrossObjects();
        frxComponentEditors().Register(TfrxCrossView::StaticClass(), ComponentEditorClass<TfrxCrossEditor>);
        frxComponentEditors().Register(TfrxDBCrossView::StaticClass(), ComponentEditorClass<TfrxCrossEditor>);
        return true;
    }();
    (void)done;
}
