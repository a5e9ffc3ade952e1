#include "app/forms/FunctionListForm.h"

#include "app/forms/ClinicForms.h"
#include "app/forms/RightsForm.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/StdCtrls.h"

ROVE_IMPLEMENT_CLASS(Tgnbform)
ROVE_CLINIC_FORM(Tgnbform, gnbform)

Tgnbform* gnbform = nullptr;

Tgnbform::Tgnbform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Tgnbform::~Tgnbform() {
    if (gnbform == this) gnbform = nullptr;
}

void Tgnbform::BindFields() {
    Bind(ListView1, "ListView1");
    Bind(Button1, "Button1");
    Bind(Button2, "Button2");
    Bind(ADOTable1, "ADOTable1");
    Bind(ADOQuery1, "ADOQuery1");
}

void Tgnbform::FormShow(TObject*) {
    ListView1->Items()->Clear();
    ADOQuery1->Close();
    ADOQuery1->SQL()->SetText(
        "select 功能号,功能名 from tb_gnb\n"
        "where 功能号 not in (select 功能号 from tb_yhgnb where 用户名=:帐号)");
    ADOQuery1->Parameters()->ParamByName("帐号")->SetValue(Variant(yhcxform->ComboBox1->Text()));
    ADOQuery1->Open();
    for (; !ADOQuery1->Eof(); ADOQuery1->Next()) {
        TListItem* item = ListView1->Items()->Add();
        item->SetCaption(ADOQuery1->FieldByName("功能号")->AsString());
        item->SubItems()->Add(ADOQuery1->FieldByName("功能名")->AsString());
    }
    ADOQuery1->Close();
    ListView1->SetFocus();
}

// Also the list's double-click.
void Tgnbform::Button1Click(TObject*) {
    TListItem* item = ListView1->Selected();
    if (!item) return;
    if (!ADOTable1->Active()) ADOTable1->Open();
    ADOTable1->Append();
    try {
        ADOTable1->FieldByName("用户名")->SetAsString(yhcxform->ComboBox1->Text());
        ADOTable1->FieldByName("功能号")->SetAsInteger(StrToInt(item->Caption()));
        ADOTable1->Post();
    } catch (const Exception&) {
        ADOTable1->Cancel();
        throw;
    }
    yhcxform->Button1->Click();
    item->Delete();
}

void Tgnbform::Button2Click(TObject*) { Close(); }

void Tgnbform::DeclareProperties(TPropertyDecl<Tgnbform>& d) {
    d.Method("FormShow", &Tgnbform::FormShow);
    d.Method("Button1Click", &Tgnbform::Button1Click);
    d.Method("Button2Click", &Tgnbform::Button2Click);
}
