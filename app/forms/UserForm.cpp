#include "app/forms/UserForm.h"

#include "app/charging/ReceiptRules.h"
#include "app/charging/Transactions.h"
#include "app/forms/ChargeForm.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/DataModule.h"
#include "app/forms/NameListForm.h"
#include "app/forms/Passwords.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/StdCtrls.h"

ROVE_IMPLEMENT_CLASS(Tuserform)
ROVE_CLINIC_FORM(Tuserform, userform)

Tuserform* userform = nullptr;

namespace {
constexpr const char* kCaption = "提示";

std::string Operator() { return sfform ? sfform->Edit12->Text() : std::string(); }
}  // namespace

Tuserform::Tuserform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Tuserform::~Tuserform() {
    if (userform == this) userform = nullptr;
}

void Tuserform::BindFields() {
    Bind(Edit1, "Edit1");
    Bind(Edit2, "Edit2");
    Bind(Edit3, "Edit3");
    Bind(Button1, "Button1");
    Bind(Button2, "Button2");
    Bind(Button3, "Button3");
    Bind(DBGrid1, "DBGrid1");
    Bind(ADOTable1, "ADOTable1");
    Bind(ADOQuery1, "ADOQuery1");
    Bind(DataSource1, "DataSource1");
}

void Tuserform::FormShow(TObject*) {
    const bool admin = Operator() == kAdministrator;
    Button1->SetEnabled(admin);
    Button2->SetEnabled(admin);
}

void Tuserform::FormClose(TObject*, TCloseAction&) {
    Button1->SetEnabled(false);
    Button2->SetEnabled(false);
    ClearFields();
}

void Tuserform::ClearFields() {
    for (TEdit* e : {Edit1, Edit2, Edit3}) e->SetText("");
}

void Tuserform::Edit1KeyPress(TObject*, char32_t& Key) {
    if (Key == kKeyEnter) Edit2->SetFocus();
}

void Tuserform::Edit2KeyPress(TObject*, char32_t& Key) {
    if (Key == kKeyEnter) Edit3->SetFocus();
}

void Tuserform::Edit3KeyPress(TObject*, char32_t& Key) {
    if (Key != kKeyEnter) return;
    if (Button1->Enabled()) Button1->SetFocus();
    else Button3->SetFocus();
}

void Tuserform::DBGrid1CellClick(TColumn*) {
    if (!ADOTable1->Active() || ADOTable1->IsEmpty()) return;
    Edit1->SetText(ADOTable1->FieldByName("user")->AsString());
    Edit2->SetFocus();
}

bool Tuserform::RequiredFilled() {
    // A name of blanks is no name: it would be stored empty.
    TEdit* empty = nullptr;
    if (Trim(Edit1->Text()).empty()) empty = Edit1;
    else if (Trim(Edit2->Text()).empty()) empty = Edit2;
    else if (Trim(Edit3->Text()).empty()) empty = Edit3;
    if (!empty) return true;
    Application->MessageBox("必填字段不能为空!", kCaption, MB_OK);
    empty->SetFocus();
    return false;
}

// The name is bound, so a quote in it is only a character of the name.
bool Tuserform::UserExists(const std::string& Name) {
    ADOQuery1->Close();
    ADOQuery1->SQL()->SetText("Select * From tb_user Where User=:user");
    ADOQuery1->Parameters()->ParamByName("user")->SetValue(Variant(Name));
    ADOQuery1->Open();
    const bool found = !ADOQuery1->IsEmpty();
    ADOQuery1->Close();
    return found;
}

void Tuserform::Button1Click(TObject*) {
    if (!RequiredFilled()) return;
    const std::string name = Trim(Edit1->Text());
    const std::string password = Trim(Edit2->Text());
    if (password != Trim(Edit3->Text())) {
        Application->MessageBox("两次密码输入不相同!", kCaption, MB_OK);
        return;
    }
    if (UserExists(name)) {
        Application->MessageBox("用户名已存在!", kCaption, MB_OK);
        return;
    }
    ADOTable1->Close();
    ADOTable1->Open();
    ADOTable1->Append();
    try {
        ADOTable1->FieldByName("user")->SetAsString(name);
        ADOTable1->FieldByName("pass")->SetAsString(PasswordDigest(password));
        ADOTable1->Post();
    } catch (const Exception&) {
        ADOTable1->Cancel();
        throw;
    }
    ClearFields();
    AddToPickList("Tyhcxform", "ComboBox1", name);
    AddToPickList("TLogoinForm", "ComboBox", name);
    AddToPickList("Tsfcxform", "ComboBox3", name);
    if (Application->MessageBox("增加用户成功!现在就给该用户增加权限吗？", kCaption, MB_OKCANCEL) == IDOK) {
        Close();
        if (TCustomForm* rights = FindClinicWindow("Tyhcxform")) rights->Show();
    }
}

// The user's rights go with the user; the name stays in the other windows' lists until the
// program starts again.
void Tuserform::Button2Click(TObject*) {
    if (ADOTable1->Active() && !ADOTable1->IsEmpty()) {
        const std::string name = ADOTable1->FieldByName("user")->AsString();
        if (SameText(name, kAdministrator)) {
            Application->MessageBox("tulvo是系统保留用户,不能删除!", kCaption, MB_OK);
        } else if (MessageDlg("确定删除" + name + "用户吗？", mtConfirmation, mbYesNo) == mrYes) {
            // The user and the user's rights go together or not at all; the list shows the
            // users as stored either way.
            try {
                RunInTransaction(*ADOTable1->Connection(), [&] {
                    ADOTable1->Delete();
                    ADOQuery1->Close();
                    ADOQuery1->SQL()->SetText("Delete  From tb_yhgnb Where 用户名=:用户名");
                    ADOQuery1->Parameters()->ParamByName("用户名")->SetValue(Variant(name));
                    ADOQuery1->ExecSQL();
                });
            } catch (...) {
                ADOTable1->Close();
                ADOTable1->Open();
                throw;
            }
            ADOTable1->Close();
            ADOTable1->Open();
            Application->MessageBox("删除用户成功!", kCaption, MB_OK);
        }
    }
    ClearFields();
    Edit1->SetFocus();
}

void Tuserform::Button3Click(TObject*) {
    if (!RequiredFilled()) return;
    const std::string name = Trim(Edit1->Text());
    const std::string op = Operator();
    if (op != kAdministrator && name != op) {
        Application->MessageBox("请用所填用户名称或者tulvo登录!", kCaption, MB_OK);
        return;
    }
    if (!UserExists(name)) {
        Application->MessageBox("您所填入的用户名称不存在!", kCaption, MB_OK);
        return;
    }
    const std::string password = Trim(Edit2->Text());
    if (password != Trim(Edit3->Text())) {
        Application->MessageBox("填入的两次密码不相同!", kCaption, MB_OK);
        return;
    }
    ADOQuery1->Close();
    ADOQuery1->SQL()->SetText("update tb_user set pass=:pass where user=:user");
    ADOQuery1->Parameters()->ParamByName("pass")->SetValue(Variant(PasswordDigest(password)));
    ADOQuery1->Parameters()->ParamByName("user")->SetValue(Variant(name));
    ADOQuery1->ExecSQL();
    ClearFields();
    Application->MessageBox("密码修改成功!", kCaption, MB_OK);
}

void Tuserform::DeclareProperties(TPropertyDecl<Tuserform>& d) {
    d.Method("FormShow", &Tuserform::FormShow);
    d.Method("FormClose", &Tuserform::FormClose);
    d.Method("Edit1KeyPress", &Tuserform::Edit1KeyPress);
    d.Method("Edit2KeyPress", &Tuserform::Edit2KeyPress);
    d.Method("Edit3KeyPress", &Tuserform::Edit3KeyPress);
    d.Method("DBGrid1CellClick", &Tuserform::DBGrid1CellClick);
    d.Method("Button1Click", &Tuserform::Button1Click);
    d.Method("Button2Click", &Tuserform::Button2Click);
    d.Method("Button3Click", &Tuserform::Button3Click);
}
