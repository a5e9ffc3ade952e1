// The group dialog.
#include "designer/editors/GroupEditor.h"

#include <memory>

#include "designer/FormResources.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/StdCtrls.h"
#include "preview/FlatCombo.h"
#include "report/Bands.h"
#include "report/DataSet.h"
#include "report/Report.h"
#include "report/ReportServices.h"
#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxGroupEditorForm)

namespace {

void RegisterGroupEditorForm() {
    static const bool done = [] {
        RegisterUiClasses();
        frxRegisterFlatCombos();
        RegisterDesignerFormResources();
        return true;
    }();
    (void)done;
}

// The field names of the report dataset with this alias; empty when there is none.
void FillFields(TfrxReport* Report, const std::string& Alias, TStringList* List) {
    List->Clear();
    TfrxDataSet* ds = Report ? Report->GetDataset(Alias) : nullptr;
    if (ds) ds->GetFieldList(List);
}

}  // namespace

TfrxGroupEditorForm::TfrxGroupEditorForm(TComponent* AOwner) : TForm(AOwner) {
    RegisterGroupEditorForm();
    InitForm();
}

void TfrxGroupEditorForm::DeclareProperties(TPropertyDecl<TfrxGroupEditorForm>& d) {
    d.Method("FormCreate", &TfrxGroupEditorForm::FormCreate);
    d.Method("FormShow", &TfrxGroupEditorForm::FormShow);
    d.Method("FormHide", &TfrxGroupEditorForm::FormHide);
    d.Method("DataSetCBChange", &TfrxGroupEditorForm::DataSetCBChange);
    d.Method("DataFieldRBClick", &TfrxGroupEditorForm::DataFieldRBClick);
    d.Method("ExpressionEButtonClick", &TfrxGroupEditorForm::ExpressionEButtonClick);
}

void TfrxGroupEditorForm::BindFields() {
    Bind(BreakOnL, "BreakOnL");
    Bind(DataFieldRB, "DataFieldRB");
    Bind(DataSetCB, "DataSetCB");
    Bind(DataFieldCB, "DataFieldCB");
    Bind(ExpressionRB, "ExpressionRB");
    Bind(ExpressionE, "ExpressionE");
    Bind(OptionsL, "OptionsL");
    Bind(KeepGroupTogetherCB, "KeepGroupTogetherCB");
    Bind(StartNewPageCB, "StartNewPageCB");
    Bind(OutlineCB, "OutlineCB");
    Bind(OKB, "OKB");
    Bind(CancelB, "CancelB");
}

TfrxCustomDesigner* TfrxGroupEditorForm::Designer() const { return dynamic_cast<TfrxCustomDesigner*>(Owner()); }

void TfrxGroupEditorForm::FormCreate(TObject*) { frxResources().LocalizeForm(this); }

void TfrxGroupEditorForm::FormShow(TObject*) {
    if (!GroupHeader) return;
    FReport = GroupHeader->Report();
    DataSetCB->Items()->Clear();
    if (FReport) FReport->GetDataSetList(DataSetCB->Items(), true);

    const std::string& condition = GroupHeader->Condition;
    TfrxDataSet* ds = nullptr;
    std::string field;
    if (FReport) FReport->GetDatasetAndField(condition, ds, field);
    if (condition.empty()) {
        if (DataSetCB->Items()->Count() > 0) DataSetCB->SetItemIndex(0);
        FillFields(FReport, DataSetCB->Text(), DataFieldCB->Items());
    } else if (!ds || field.empty()) {
        ExpressionE->SetText(condition);
        ExpressionRB->SetChecked(true);
    } else {
        DataSetCB->SetText(FReport->GetAlias(ds));
        FillFields(FReport, DataSetCB->Text(), DataFieldCB->Items());
        DataFieldCB->SetText(field);
    }
    KeepGroupTogetherCB->SetChecked(GroupHeader->KeepTogether);
    StartNewPageCB->SetChecked(GroupHeader->StartNewPage);
    OutlineCB->SetChecked(!Trim(GroupHeader->OutlineText).empty());
}

void TfrxGroupEditorForm::DataSetCBChange(TObject*) {
    FillFields(FReport, DataSetCB->Text(), DataFieldCB->Items());
}

void TfrxGroupEditorForm::DataFieldRBClick(TObject*) {
    const bool byField = DataFieldRB->Checked();
    DataSetCB->SetEnabled(byField);
    DataFieldCB->SetEnabled(byField);
    ExpressionE->SetEnabled(ExpressionRB->Checked());
}

void TfrxGroupEditorForm::ExpressionEButtonClick(TObject*) {
    TfrxCustomDesigner* designer = Designer();
    if (!designer) return;
    const std::string expr = designer->InsertExpression(ExpressionE->Text());
    if (!expr.empty()) ExpressionE->SetText(expr);
}

void TfrxGroupEditorForm::FormHide(TObject*) {
    if (ModalResult() != mrOk || !GroupHeader) return;
    std::string condition;
    if (DataFieldRB->Checked()) {
        // A field box left empty means no condition, not the broken text Alias."".
        if (!DataFieldCB->Text().empty()) condition = DataSetCB->Text() + ".\"" + DataFieldCB->Text() + "\"";
    } else {
        condition = ExpressionE->Text();
    }
    GroupHeader->Condition = condition;
    GroupHeader->KeepTogether = KeepGroupTogetherCB->Checked();
    GroupHeader->StartNewPage = StartNewPageCB->Checked();
    GroupHeader->OutlineText = OutlineCB->Checked() ? condition : std::string();
}

bool frxShowGroupEditor(TfrxGroupHeader* Band, TfrxCustomDesigner* Designer) {
    if (!Band) return false;
    auto form = std::make_unique<TfrxGroupEditorForm>(Designer);
    form->GroupHeader = Band;
    return form->ShowModal() == mrOk;
}
