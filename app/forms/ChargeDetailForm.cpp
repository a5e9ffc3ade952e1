#include "app/forms/ChargeDetailForm.h"

#include "app/forms/ChargeQueryForm.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/PrintForm.h"
#include "app/forms/QuerySupport.h"
#include "platform/db/ADODB.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/StdCtrls.h"

ROVE_IMPLEMENT_CLASS(Tsfcxmxform)
ROVE_CLINIC_FORM(Tsfcxmxform, sfcxmxform)

Tsfcxmxform* sfcxmxform = nullptr;

Tsfcxmxform::Tsfcxmxform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Tsfcxmxform::~Tsfcxmxform() {
    if (sfcxmxform == this) sfcxmxform = nullptr;
}

void Tsfcxmxform::BindFields() {
    Bind(DBGrid1, "DBGrid1");
    Bind(ADOQuery1, "ADOQuery1");
    Bind(DataSource1, "DataSource1");
}

void Tsfcxmxform::FormShow(TObject*) {
    FReceiptNo = sfcxform->ADOQuery1->FieldByName("票据号")->AsString();
    TBoundSql lines{"select 项目名称,项目规格,销价,数量,单项累计 from tb_sf where 票据号=:receipt", {}};
    lines.Params.emplace_back("receipt", Variant(FReceiptNo));
    PrepareQuery(ADOQuery1, lines);
    ADOQuery1->Open();
}

void Tsfcxmxform::FormClose(TObject*, TCloseAction&) { ADOQuery1->Close(); }

// The receipt is reprinted through the print prompt, as after a charge.
void Tsfcxmxform::DBGrid1DblClick(TObject*) {
    if (!printform || FReceiptNo.empty()) return;
    printform->Label2->SetCaption(FReceiptNo);
    printform->ShowModal();
}

void Tsfcxmxform::DeclareProperties(TPropertyDecl<Tsfcxmxform>& d) {
    d.Method("FormShow", &Tsfcxmxform::FormShow);
    d.Method("FormClose", &Tsfcxmxform::FormClose);
    d.Method("DBGrid1DblClick", &Tsfcxmxform::DBGrid1DblClick);
}
