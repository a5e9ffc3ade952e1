// The report data dialog.
#include "designer/dialogs/ReportDataForm.h"

#include <memory>

#include "designer/FormResources.h"
#include "designer/dialogs/ReportDialogs.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/CheckLst.h"
#include "platform/ui/StdCtrls.h"
#include "report/DataSet.h"
#include "report/Report.h"
#include "report/ReportServices.h"
#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxReportDataForm)

namespace {

void RegisterReportDataForm() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterDesignerFormResources();
        return true;
    }();
    (void)done;
}

}  // namespace

TfrxReportDataForm::TfrxReportDataForm(TComponent* AOwner) : TForm(AOwner) {
    RegisterReportDataForm();
    InitForm();
}

void TfrxReportDataForm::DeclareProperties(TPropertyDecl<TfrxReportDataForm>& d) {
    d.Method("FormCreate", &TfrxReportDataForm::FormCreate);
    d.Method("FormShow", &TfrxReportDataForm::FormShow);
    d.Method("FormHide", &TfrxReportDataForm::FormHide);
}

void TfrxReportDataForm::BindFields() {
    Bind(DatasetsLB, "DatasetsLB");
    Bind(OKB, "OKB");
    Bind(CancelB, "CancelB");
}

void TfrxReportDataForm::FormCreate(TObject*) { frxResources().LocalizeForm(this); }

// The offered datasets when the report limits them, otherwise every dataset of the
// program that has a user name; a line is ticked when the report uses its dataset.
void TfrxReportDataForm::FormShow(TObject*) {
    TStringList available;
    if (Report && Report->OfferedDataSets()->Count() > 0) {
        TfrxReportDataSets* offered = Report->OfferedDataSets();
        for (int i = 0; i < offered->Count(); ++i)
            if (TfrxDataSet* ds = offered->Items(i)->DataSet()) available.AddObject(ds->UserName(), ds);
    } else {
        frxGetDataSetList(&available);
    }
    frxQualifyDataSetNames(&available);
    DatasetsLB->Items()->Assign(available);
    for (int i = 0; i < available.Count(); ++i) {
        auto* ds = dynamic_cast<TfrxDataSet*>(available.Objects(i));
        DatasetsLB->SetChecked(i, Report && Report->DataSets()->Find(ds) != nullptr);
    }
}

void TfrxReportDataForm::FormHide(TObject*) {
    if (ModalResult() != mrOk || !Report) return;
    TfrxReportDataSets* used = Report->DataSets();
    used->Clear();
    for (int i = 0; i < DatasetsLB->Items()->Count(); ++i)
        if (DatasetsLB->Checked(i)) used->Add(dynamic_cast<TfrxDataSet*>(DatasetsLB->Items()->Objects(i)));
}

bool frxShowReportDataForm(TfrxReport* Report, TComponent* Owner) {
    if (!Report) return false;
    auto form = std::make_unique<TfrxReportDataForm>(Owner);
    form->Report = Report;
    return form->ShowModal() == mrOk;
}
