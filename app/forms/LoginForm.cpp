// The login and the rights it grants.
#include "app/forms/LoginForm.h"

#include "app/forms/ChargeForm.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/MainForm.h"
#include "app/forms/Passwords.h"
#include "platform/db/ADODB.h"
#include "platform/ui/StdCtrls.h"

ROVE_IMPLEMENT_CLASS(TLogoinForm)
ROVE_CLINIC_FORM(TLogoinForm, LogoinForm)

TLogoinForm* LogoinForm = nullptr;

TLogoinForm::TLogoinForm(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

TLogoinForm::~TLogoinForm() {
    if (LogoinForm == this) LogoinForm = nullptr;
}

void TLogoinForm::BindFields() {
    Bind(ComboBox, "ComboBox");
    Bind(edit1, "edit1");
    Bind(Button1, "Button1");
    Bind(Button2, "Button2");
    Bind(Label3, "Label3");
    Bind(ADOTable1, "ADOTable1");
    Bind(ADOQuery1, "ADOQuery1");
}

// The user list: the second column (user) of every tb_user row.
void TLogoinForm::FormCreate(TObject*) {
    if (!ADOTable1->Active()) ADOTable1->Open();
    ComboBox->Items()->Clear();
    for (ADOTable1->First(); !ADOTable1->Eof(); ADOTable1->Next())
        ComboBox->Items()->Add(ADOTable1->Fields()[1]->AsString());
}

void TLogoinForm::FormShow(TObject*) { FClosingEndsProgram = true; }

void TLogoinForm::FormClose(TObject*, TCloseAction&) {
    ComboBox->SetText("");
    edit1->SetText("");
    if (FClosingEndsProgram) Application->Terminate();
}

void TLogoinForm::Button2Click(TObject*) { Application->Terminate(); }

// empty name -> locate user and digest -> enable the user's actions -> close, set the cashier
void TLogoinForm::Button1Click(TObject*) {
    const std::string name = ComboBox->Text();
    if (name.empty()) {
        Application->MessageBox("请输入用户名称!", "提示", MB_OK);
        return;
    }
    ADOTable1->Close();
    ADOTable1->Open();
    const Variant keys = VarArrayOf({Variant(name), Variant(PasswordDigest(edit1->Text()))});
    if (!ADOTable1->Locate("user;pass", keys, TLocateOptions{})) {
        Application->MessageBox("用户名称或密码错误!", "提示", MB_OK);
        return;
    }

    ADOQuery1->Close();
    ADOQuery1->Parameters()->ParamByName("用户名")->SetValue(Variant(name));
    ADOQuery1->Open();
    for (ADOQuery1->First(); !ADOQuery1->Eof(); ADOQuery1->Next())
        wqtdglzjmform->EnableActionByTag(ADOQuery1->FieldByName("功能号")->AsInteger());
    ADOQuery1->Close();

    FClosingEndsProgram = false;
    Close();
    sfform->Edit12->SetText(name);
}

void TLogoinForm::DeclareProperties(TPropertyDecl<TLogoinForm>& d) {
    d.Method("FormCreate", &TLogoinForm::FormCreate);
    d.Method("FormShow", &TLogoinForm::FormShow);
    d.Method("FormClose", &TLogoinForm::FormClose);
    d.Method("Button1Click", &TLogoinForm::Button1Click);
    d.Method("Button2Click", &TLogoinForm::Button2Click);
}
