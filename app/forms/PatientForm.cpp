#include "app/forms/PatientForm.h"

#include "app/charging/PatientNumbers.h"
#include "app/charging/ReceiptRules.h"
#include "app/database/LookUp.h"
#include "app/forms/ChargeForm.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/DataModule.h"
#include "app/forms/HintForm.h"
#include "app/widgets/FlatButton.h"
#include "app/widgets/GetIMCode.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/StdCtrls.h"

ROVE_IMPLEMENT_CLASS(Tbrzlform)
ROVE_CLINIC_FORM(Tbrzlform, brzlform)

Tbrzlform* brzlform = nullptr;

namespace {
constexpr const char* kCaption = "提示";

void Refuse(char32_t& Key, const char* Text) {
    Key = 0;
    MessageBeep(1);
    Application->MessageBox(Text, kCaption, MB_OK);
}
}  // namespace

Tbrzlform::Tbrzlform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Tbrzlform::~Tbrzlform() {
    if (brzlform == this) brzlform = nullptr;
}

void Tbrzlform::BindFields() {
    Bind(Edit1, "Edit1");
    Bind(Edit2, "Edit2");
    Bind(Edit3, "Edit3");
    Bind(ComboBox1, "ComboBox1");
    Bind(Edit4, "Edit4");
    Bind(Edit5, "Edit5");
    Bind(Label8, "Label8");
    Bind(DBGrid1, "DBGrid1");
    Bind(Button1, "Button1");
    Bind(Button2, "Button2");
    Bind(Button3, "Button3");
    Bind(Button4, "Button4");
    Bind(Button5, "Button5");
    Bind(FlatButton1, "FlatButton1");
    Bind(ADOQuery1, "ADOQuery1");
    Bind(DataSource1, "DataSource1");
}

void Tbrzlform::RefreshPatientList() {
    ADOQuery1->Close();
    ADOQuery1->SQL()->SetText("select * from tb_brzl order by id");
    ADOQuery1->Open();
}

void Tbrzlform::FormCreate(TObject*) {
    ComboBox1->Items()->Clear();
    ComboBox1->Items()->Add("男");
    ComboBox1->Items()->Add("女");
    ComboBox1->SetText("男");
}

void Tbrzlform::FormShow(TObject*) {
    Edit1->SetFocus();
    RefreshPatientList();
}

void Tbrzlform::FormClose(TObject*, TCloseAction&) {
    Label8->SetCaption("");
    for (TEdit* e : {Edit1, Edit2, Edit3, Edit4, Edit5}) e->SetText("");
}

void Tbrzlform::ClearFields() {
    Label8->SetCaption("");
    for (TEdit* e : {Edit1, Edit2, Edit3, Edit4, Edit5}) e->SetText("");
}

// --- Keyboard flow ---------------------------------------------------------------------------
void Tbrzlform::Edit1KeyPress(TObject*, char32_t& Key) {
    if (Key != kKeyEnter) return;
    Edit2->SetText(GetIMCodeUtf8(Edit1->Text(), 2, 255));
    Edit2->SetFocus();
}

void Tbrzlform::Edit2KeyPress(TObject*, char32_t& Key) {
    if (!IsPinyinKey(Key)) return Refuse(Key, "请输入字母!");
    if (Key == kKeyEnter) Edit3->SetFocus();
}

void Tbrzlform::Edit3KeyPress(TObject*, char32_t& Key) {
    if (!IsAmountKey(Key)) return Refuse(Key, "请输入数字!");
    if (Key == kKeyEnter) ComboBox1->SetFocus();
}

// With the charging window open, telephone and address are skipped.
void Tbrzlform::ComboBox1KeyPress(TObject*, char32_t& Key) {
    if (Key != kKeyEnter) return;
    if (sfform && sfform->CheckBox1->Checked()) Button1->SetFocus();
    else Edit4->SetFocus();
}

void Tbrzlform::Edit4KeyPress(TObject*, char32_t& Key) {
    if (Key == kKeyEnter) Edit5->SetFocus();
}

void Tbrzlform::Edit5KeyPress(TObject*, char32_t& Key) {
    if (Key == kKeyEnter) Button1->SetFocus();
}

// --- Records ---------------------------------------------------------------------------------
bool Tbrzlform::RequiredFilled() {
    TWinControl* empty = nullptr;
    if (Edit1->Text().empty()) empty = Edit1;
    else if (Edit2->Text().empty()) empty = Edit2;
    else if (Edit3->Text().empty()) empty = Edit3;
    else if (ComboBox1->Text().empty()) empty = ComboBox1;
    if (!empty) return true;
    Application->MessageBox("必填字段不能为空!", kCaption, MB_OK);
    empty->SetFocus();
    return false;
}

// Add: the number and the row in one transaction; a new patient goes back to the
// charging window when it is open.
void Tbrzlform::Button1Click(TObject*) {
    if (!RequiredFilled()) return;
    const TPatientRecord patient{Edit1->Text(), Edit2->Text(), Edit3->Text(),
                                 Edit4->Text(), Edit5->Text(), ComboBox1->Text()};
    const int id = AddPatient(*datamoduleform->ADOConnection1, patient);
    Label8->SetCaption(IntToStr(id));
    RefreshPatientList();
    Edit1->SetFocus();
    if (sfform && sfform->CheckBox1->Checked()) {
        sfform->Edit1->SetText(patient.Name);
        sfform->ComboBox1->SetText(patient.Sex);
        sfform->Edit2->SetText(patient.Age);
        sfform->Label21->SetCaption(Label8->Caption());
        DBGrid1->SetFocus();
        Close();
        sfform->Edit3->SetFocus();
        return;
    }
    Application->MessageBox("新增病人资料成功!", kCaption, MB_OK);
    ClearFields();
}

void Tbrzlform::DBGrid1CellClick(TColumn*) {
    if (!ADOQuery1->Active() || ADOQuery1->IsEmpty()) return;
    Label8->SetCaption(ADOQuery1->FieldByName("id")->AsString());
    Edit1->SetText(ADOQuery1->FieldByName("姓名")->AsString());
    Edit2->SetText(ADOQuery1->FieldByName("拼音码")->AsString());
    Edit3->SetText(ADOQuery1->FieldByName("年龄")->AsString());
    Edit4->SetText(ADOQuery1->FieldByName("电话")->AsString());
    Edit5->SetText(ADOQuery1->FieldByName("地址")->AsString());
    ComboBox1->SetText(ADOQuery1->FieldByName("性别")->AsString());
    Button2->SetEnabled(true);
}

void Tbrzlform::RunStatement(const char* Sql, bool WithFields) {
    TADOQuery statement(nullptr);
    statement.SetConnection(datamoduleform->ADOConnection1);
    statement.SQL()->SetText(Sql);
    TParameters* p = statement.Parameters();
    if (WithFields) {
        p->ParamByName("xm")->SetValue(Variant(Edit1->Text()));
        p->ParamByName("pym")->SetValue(Variant(Edit2->Text()));
        p->ParamByName("nl")->SetValue(Variant(Edit3->Text()));
        p->ParamByName("xb")->SetValue(Variant(ComboBox1->Text()));
        p->ParamByName("dh")->SetValue(Variant(Edit4->Text()));
        p->ParamByName("dz")->SetValue(Variant(Edit5->Text()));
    }
    p->ParamByName("id")->SetValue(Variant(Label8->Caption()));
    statement.ExecSQL();
}

void Tbrzlform::Button2Click(TObject*) {
    if (!RequiredFilled()) return;
    RunStatement("update tb_brzl set 姓名=:xm,拼音码=:pym,年龄=:nl,性别=:xb,电话=:dh,地址=:dz where id=:id",
                 true);
    RefreshPatientList();
    Application->MessageBox("修改病人资料成功!", kCaption, MB_OK);
    ClearFields();
    Edit1->SetFocus();
    Button2->SetEnabled(false);
}

void Tbrzlform::Button3Click(TObject*) {
    if (ADOQuery1->Active() && !ADOQuery1->IsEmpty()) {
        const std::string name = ADOQuery1->FieldByName("姓名")->AsString();
        Label8->SetCaption(ADOQuery1->FieldByName("id")->AsString());
        if (MessageDlg("确定删除" + name + "吗？", mtConfirmation, mbYesNo) == mrYes) {
            RunStatement("delete  from tb_brzl where id=:id", false);
            RefreshPatientList();
            Application->MessageBox("删除病人资料成功!", kCaption, MB_OK);
        }
    }
    ClearFields();
    ComboBox1->SetText("");
    Edit1->SetFocus();
    Button2->SetEnabled(false);
}

// Find by the beginning of the name; the text is bound, so any text is safe.
void Tbrzlform::Button4Click(TObject*) {
    std::string text;
    if (!InputQuery("输入查询条件", "查询姓名为", text)) return;
    ADOQuery1->Close();
    ADOQuery1->SQL()->SetText("select * from tb_brzl where 姓名 like :xm escape '\\'");
    ADOQuery1->Parameters()->ParamByName("xm")->SetValue(Variant(LikeStarting(text)));
    ADOQuery1->Open();
}

void Tbrzlform::Button5Click(TObject*) { Close(); }

void Tbrzlform::FlatButton1Click(TObject*) {
    hintform->ShowLines({"1.除联系电话与地址外，其它均为必填项目;",
                         "2.填完一个项目后按回车键光标会自动跳到下一个框中;",
                         "3.填完姓名后按回车键，拼音码会自动填好",
                         "4.选择性别可以按键盘中的上下方向键，无需鼠标操作;",
                         "5.切换输入法可以按ctrl+shift键;",
                         "6.打开或关闭输入法可以按ctrl+空格键;"});
}

void Tbrzlform::DeclareProperties(TPropertyDecl<Tbrzlform>& d) {
    d.Method("FormCreate", &Tbrzlform::FormCreate);
    d.Method("FormShow", &Tbrzlform::FormShow);
    d.Method("FormClose", &Tbrzlform::FormClose);
    d.Method("Edit1KeyPress", &Tbrzlform::Edit1KeyPress);
    d.Method("Edit2KeyPress", &Tbrzlform::Edit2KeyPress);
    d.Method("Edit3KeyPress", &Tbrzlform::Edit3KeyPress);
    d.Method("ComboBox1KeyPress", &Tbrzlform::ComboBox1KeyPress);
    d.Method("Edit4KeyPress", &Tbrzlform::Edit4KeyPress);
    d.Method("Edit5KeyPress", &Tbrzlform::Edit5KeyPress);
    d.Method("DBGrid1CellClick", &Tbrzlform::DBGrid1CellClick);
    d.Method("Button1Click", &Tbrzlform::Button1Click);
    d.Method("Button2Click", &Tbrzlform::Button2Click);
    d.Method("Button3Click", &Tbrzlform::Button3Click);
    d.Method("Button4Click", &Tbrzlform::Button4Click);
    d.Method("Button5Click", &Tbrzlform::Button5Click);
    d.Method("FlatButton1Click", &Tbrzlform::FlatButton1Click);
}
