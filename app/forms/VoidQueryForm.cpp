#include "app/forms/VoidQueryForm.h"

#include "app/charging/ReceiptRules.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/QuerySupport.h"
#include "app/forms/VoidDetailForm.h"
#include "platform/db/ADODB.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/StdCtrls.h"

ROVE_IMPLEMENT_CLASS(Tpjzfcxform)
ROVE_CLINIC_FORM(Tpjzfcxform, pjzfcxform)

Tpjzfcxform* pjzfcxform = nullptr;

namespace {
constexpr const char* kCaption = "提示";
}

Tpjzfcxform::Tpjzfcxform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Tpjzfcxform::~Tpjzfcxform() {
    if (pjzfcxform == this) pjzfcxform = nullptr;
}

void Tpjzfcxform::BindFields() {
    Bind(Label1, "Label1");
    Bind(Edit1, "Edit1");
    Bind(Button1, "Button1");
    Bind(DBGrid1, "DBGrid1");
    Bind(ADOQuery1, "ADOQuery1");
    Bind(DataSource1, "DataSource1");
}

void Tpjzfcxform::FormShow(TObject*) {
    Edit1->SetText("");
    PrepareQuery(ADOQuery1, {"select * from tb_zfsf where 统计标致<>'0'\norder by val([票据号])", {}});
    ADOQuery1->Open();
}

void Tpjzfcxform::Edit1KeyPress(TObject*, char32_t& Key) {
    if (!IsAmountKey(Key)) {
        Key = 0;
        MessageBeep(1);
        Application->MessageBox("请输入数字!", kCaption, MB_OK);
        return;
    }
    if (Key == kKeyEnter) Button1->SetFocus();
}

void Tpjzfcxform::Edit1Click(TObject*) { Edit1->SelectAll(); }

void Tpjzfcxform::Button1Click(TObject*) {
    if (Edit1->Text().empty()) {
        Application->MessageBox("请输入要查询的票据号!", kCaption, MB_OK);
        return;
    }
    TBoundSql find{"select * from tb_zfsf where 票据号=:receipt and 统计标致<>'0'", {}};
    find.Params.emplace_back("receipt", Variant(Edit1->Text()));
    PrepareQuery(ADOQuery1, find);
    ADOQuery1->Open();
    if (ADOQuery1->IsEmpty()) Application->MessageBox("没有找到相符的记录!", kCaption, MB_OK);
}

void Tpjzfcxform::DBGrid1DblClick(TObject*) {
    if (ADOQuery1->Active() && !ADOQuery1->IsEmpty()) zfcxmxform->ShowModal();
}

void Tpjzfcxform::DeclareProperties(TPropertyDecl<Tpjzfcxform>& d) {
    d.Method("FormShow", &Tpjzfcxform::FormShow);
    d.Method("Edit1KeyPress", &Tpjzfcxform::Edit1KeyPress);
    d.Method("Edit1Click", &Tpjzfcxform::Edit1Click);
    d.Method("Button1Click", &Tpjzfcxform::Button1Click);
    d.Method("DBGrid1DblClick", &Tpjzfcxform::DBGrid1DblClick);
}
