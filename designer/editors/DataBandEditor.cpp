// The data band dialog.
#include "designer/editors/DataBandEditor.h"

#include <memory>

#include "designer/FormResources.h"
#include "platform/classes/Streaming.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/StdCtrls.h"
#include "report/Bands.h"
#include "report/DataSet.h"
#include "report/Images.h"
#include "report/Report.h"
#include "report/ReportServices.h"
#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxDataBandEditorForm)

namespace {

void RegisterDataBandEditorForm() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterDesignerFormResources();
        return true;
    }();
    (void)done;
}

// The fixed entries before the datasets.
constexpr int kNotAssigned = 0;
constexpr int kSingleLine = 1;
constexpr int kFirstDataSet = 2;

}  // namespace

void frxDrawDataBandEntry(TCanvas& Canvas, const TRect& ARect, int Index, const std::string& Text) {
    Canvas.FillRect(ARect);
    if (Index >= kFirstDataSet)
        // The 16-pixel icon centred in its 18 x 16 box.
        frxResources().MainButtonImages()->Draw(&Canvas, ARect.Left + 2 + 1, ARect.Top + 1, frxButton::DataSet);
    Canvas.TextOut(ARect.Left + 20, ARect.Top + 1, Text);
}

TfrxDataBandEditorForm::TfrxDataBandEditorForm(TComponent* AOwner) : TForm(AOwner) {
    RegisterDataBandEditorForm();
    InitForm();
}

void TfrxDataBandEditorForm::DeclareProperties(TPropertyDecl<TfrxDataBandEditorForm>& d) {
    d.Method("FormCreate", &TfrxDataBandEditorForm::FormCreate);
    d.Method("FormShow", &TfrxDataBandEditorForm::FormShow);
    d.Method("FormHide", &TfrxDataBandEditorForm::FormHide);
    d.Method("DatasetsLBDblClick", &TfrxDataBandEditorForm::DatasetsLBDblClick);
    d.Method("DatasetsLBDrawItem", &TfrxDataBandEditorForm::DatasetsLBDrawItem);
}

void TfrxDataBandEditorForm::BindFields() {
    Bind(DatasetsLB, "DatasetsLB");
    Bind(OkB, "OkB");
    Bind(CancelB, "CancelB");
}

void TfrxDataBandEditorForm::FormCreate(TObject*) { frxResources().LocalizeForm(this); }

void TfrxDataBandEditorForm::FormShow(TObject*) {
    TStringList* items = DatasetsLB->Items();
    items->Clear();
    if (TfrxReport* report = DataBand ? DataBand->Report() : nullptr) report->GetDataSetList(items);
    items->Insert(kNotAssigned, frxResources().Get("dbNotAssigned"));
    items->Insert(kSingleLine, frxResources().Get("dbSingleLine"));
    if (!DataBand) return;
    int index = kNotAssigned;
    if (DataBand->DataSet()) {
        const int i = items->IndexOfObject(DataBand->DataSet());
        index = i >= kFirstDataSet ? i : kNotAssigned;
    } else if (DataBand->RowCount() == 1) {
        index = kSingleLine;
    }
    DatasetsLB->SetItemIndex(index);
}

void TfrxDataBandEditorForm::DatasetsLBDblClick(TObject*) { SetModalResult(mrOk); }

void TfrxDataBandEditorForm::DatasetsLBDrawItem(TWinControl* Control, int Index, TRect ARect, TOwnerDrawState State) {
    auto* list = static_cast<TListBox*>(Control);
    TCanvas* canvas = list->Canvas();
    const bool selected = State.Contains(odSelected);
    canvas->Brush()->SetColor(selected ? clHighlight : clWindow);
    canvas->Font()->SetColor(selected ? clHighlightText : clWindowText);
    frxDrawDataBandEntry(*canvas, ARect, Index, Index >= 0 && Index < list->Items()->Count() ? list->Items()->Get(Index) : "");
}

void TfrxDataBandEditorForm::FormHide(TObject*) {
    if (ModalResult() != mrOk || !DataBand) return;
    const int i = DatasetsLB->ItemIndex();
    if (i < 0) return;
    if (i == kNotAssigned || i == kSingleLine) {
        DataBand->SetDataSet(nullptr);
        DataBand->SetRowCount(i == kSingleLine ? 1 : 0);
        return;
    }
    DataBand->SetDataSet(dynamic_cast<TfrxDataSet*>(DatasetsLB->Items()->Objects(i)));
}

bool frxShowDataBandEditor(TfrxDataBand* Band, TfrxCustomDesigner* Designer) {
    if (!Band) return false;
    auto form = std::make_unique<TfrxDataBandEditorForm>(Designer);
    form->DataBand = Band;
    return form->ShowModal() == mrOk;
}
