#include "app/forms/RightsForm.h"

#include "app/forms/ClinicForms.h"
#include "app/forms/FunctionListForm.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/StdCtrls.h"

ROVE_IMPLEMENT_CLASS(Tyhcxform)
ROVE_CLINIC_FORM(Tyhcxform, yhcxform)

Tyhcxform* yhcxform = nullptr;

namespace {
constexpr const char* kCaption = "提示";
constexpr const char* kRightsSql =
    "Select 功能名,A.功能号 From tb_yhgnb A,tb_gnb B Where 用户名=:用户名 and A.功能号=B.功能号";
}  // namespace

Tyhcxform::Tyhcxform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Tyhcxform::~Tyhcxform() {
    if (yhcxform == this) yhcxform = nullptr;
}

void Tyhcxform::BindFields() {
    Bind(ComboBox1, "ComboBox1");
    Bind(Button1, "Button1");
    Bind(Button2, "Button2");
    Bind(Button3, "Button3");
    Bind(Button4, "Button4");
    Bind(DBGrid1, "DBGrid1");
    Bind(ADOQuery1, "ADOQuery1");
    Bind(ADOQuery2, "ADOQuery2");
    Bind(DataSource1, "DataSource1");
}

void Tyhcxform::FormCreate(TObject*) {
    ComboBox1->Items()->Clear();
    ADOQuery2->Close();
    ADOQuery2->SQL()->SetText("select * from tb_user");
    ADOQuery2->Open();
    for (; !ADOQuery2->Eof(); ADOQuery2->Next()) ComboBox1->Items()->Add(ADOQuery2->Fields()[1]->AsString());
    ADOQuery2->Close();
}

bool Tyhcxform::ChosenUserValid() {
    const std::string name = ComboBox1->Text();
    if (name.empty()) {
        Application->MessageBox("请先选择一个正确的用户名称!", kCaption, MB_OK);
        return false;
    }
    ADOQuery2->Close();
    ADOQuery2->SQL()->SetText("select * from tb_user\nwhere user=:用户名");
    ADOQuery2->Parameters()->ParamByName("用户名")->SetValue(Variant(name));
    ADOQuery2->Open();
    const bool found = !ADOQuery2->IsEmpty();
    ADOQuery2->Close();
    if (!found) Application->MessageBox("无此用户名称!", kCaption, MB_OK);
    return found;
}

void Tyhcxform::ListRights(bool Quiet) {
    ADOQuery1->Close();
    ADOQuery1->SQL()->SetText(kRightsSql);
    ADOQuery1->Parameters()->ParamByName("用户名")->SetValue(Variant(ComboBox1->Text()));
    ADOQuery1->Open();
    FListedUser = ComboBox1->Text();
    if (!Quiet && ADOQuery1->IsEmpty())
        Application->MessageBox("该用户无任何权限,可点击增加权限录入!", kCaption, MB_OK);
}

// Another user chosen: the grid no longer shows the chosen user's rights, so it is emptied
// (a revoke then lists the chosen user's rights before it picks one).
void Tyhcxform::ComboBox1Change(TObject*) {
    if (ComboBox1->Text() == FListedUser) return;
    ADOQuery1->Close();
    FListedUser.clear();
}

void Tyhcxform::Button1Click(TObject*) {
    if (!ChosenUserValid()) return;
    ListRights(false);
}

void Tyhcxform::Button2Click(TObject*) {
    if (!ChosenUserValid()) return;
    if (gnbform) gnbform->ShowModal();
}

// The right revoked is the grid's current one, and the grid shows the chosen user's rights;
// only a row that exists is deleted.
void Tyhcxform::Button3Click(TObject*) {
    const std::string name = ComboBox1->Text();
    if (name != FListedUser || !ADOQuery1->Active()) ListRights(true);
    if (ADOQuery1->IsEmpty()) {
        Application->MessageBox("请先查看到用户有权限后才能进行取消操作!", kCaption, MB_OK);
        return;
    }
    const std::string function = ADOQuery1->FieldByName("功能名")->AsString();
    const int number = ADOQuery1->FieldByName("功能号")->AsInteger();
    if (MessageDlg("确定取消" + function + "权限吗？", mtConfirmation, mbYesNo) != mrYes) return;
    ADOQuery2->Close();
    ADOQuery2->SQL()->SetText("delete from tb_yhgnb where 功能号=:功能号 and 用户名=:用户名");
    ADOQuery2->Parameters()->ParamByName("功能号")->SetValue(Variant(number));
    ADOQuery2->Parameters()->ParamByName("用户名")->SetValue(Variant(name));
    ADOQuery2->ExecSQL();
    ListRights(true);
}

void Tyhcxform::Button4Click(TObject*) { Close(); }

void Tyhcxform::DeclareProperties(TPropertyDecl<Tyhcxform>& d) {
    d.Method("FormCreate", &Tyhcxform::FormCreate);
    d.Method("ComboBox1Change", &Tyhcxform::ComboBox1Change);
    d.Method("Button1Click", &Tyhcxform::Button1Click);
    d.Method("Button2Click", &Tyhcxform::Button2Click);
    d.Method("Button3Click", &Tyhcxform::Button3Click);
    d.Method("Button4Click", &Tyhcxform::Button4Click);
}
