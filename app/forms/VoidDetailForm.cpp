#include "app/forms/VoidDetailForm.h"

#include "app/forms/ClinicForms.h"
#include "app/forms/QuerySupport.h"
#include "app/forms/VoidQueryForm.h"
#include "platform/db/ADODB.h"
#include "platform/ui/DBGrids.h"

ROVE_IMPLEMENT_CLASS(Tzfcxmxform)
ROVE_CLINIC_FORM(Tzfcxmxform, zfcxmxform)

Tzfcxmxform* zfcxmxform = nullptr;

Tzfcxmxform::Tzfcxmxform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Tzfcxmxform::~Tzfcxmxform() {
    if (zfcxmxform == this) zfcxmxform = nullptr;
}

void Tzfcxmxform::BindFields() {
    Bind(DBGrid1, "DBGrid1");
    Bind(ADOQuery1, "ADOQuery1");
    Bind(DataSource1, "DataSource1");
}

void Tzfcxmxform::FormShow(TObject*) {
    TBoundSql lines{"select 项目名称,项目规格,数量,单项累计 from tb_zfsf where 票据号=:receipt", {}};
    lines.Params.emplace_back("receipt", Variant(pjzfcxform->ADOQuery1->FieldByName("票据号")->AsString()));
    PrepareQuery(ADOQuery1, lines);
    ADOQuery1->Open();
}

void Tzfcxmxform::FormClose(TObject*, TCloseAction&) { ADOQuery1->Close(); }

void Tzfcxmxform::DeclareProperties(TPropertyDecl<Tzfcxmxform>& d) {
    d.Method("FormShow", &Tzfcxmxform::FormShow);
    d.Method("FormClose", &Tzfcxmxform::FormClose);
}
