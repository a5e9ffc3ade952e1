// The doctors window.
#include "app/forms/DoctorForm.h"

#include "app/charging/ReceiptRules.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/NameListForm.h"
#include "app/widgets/GetIMCode.h"
#include "platform/db/ADODB.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/StdCtrls.h"

ROVE_IMPLEMENT_CLASS(Tyszlform)
ROVE_CLINIC_FORM(Tyszlform, yszlform)

Tyszlform* yszlform = nullptr;

namespace {
constexpr const char* kCaption = "提示";
}

Tyszlform::Tyszlform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Tyszlform::~Tyszlform() {
    if (yszlform == this) yszlform = nullptr;
}

void Tyszlform::BindFields() {
    Bind(Edit1, "Edit1");
    Bind(Edit2, "Edit2");
    Bind(ComboBox1, "ComboBox1");
    Bind(ComboBox2, "ComboBox2");
    Bind(Button1, "Button1");
    Bind(Button2, "Button2");
    Bind(Button3, "Button3");
    Bind(DBGrid1, "DBGrid1");
    Bind(ADOTable1, "ADOTable1");
    Bind(ADOTable2, "ADOTable2");
    Bind(DataSource1, "DataSource1");
}

// The department names are the second column of tb_ks.
void Tyszlform::FormCreate(TObject*) {
    ComboBox1->Items()->Add("男");
    ComboBox1->Items()->Add("女");
    ADOTable2->Open();
    for (ADOTable2->First(); !ADOTable2->Eof(); ADOTable2->Next())
        ComboBox2->Items()->Add(ADOTable2->Fields()[1]->AsString());
}

void Tyszlform::FormShow(TObject*) { Edit1->SetFocus(); }

void Tyszlform::FormClose(TObject*, TCloseAction&) { ClearFields(); }

void Tyszlform::ClearFields() {
    Edit1->SetText("");
    Edit2->SetText("");
    ComboBox1->SetText("");
    ComboBox2->SetText("");
}

// --- Keyboard flow ---------------------------------------------------------------------------
void Tyszlform::Edit1KeyPress(TObject*, char32_t& Key) {
    if (Key != kKeyEnter) return;
    Edit2->SetText(GetIMCodeUtf8(Edit1->Text(), 2, 255));
    Edit2->SetFocus();
}

void Tyszlform::Edit2KeyPress(TObject*, char32_t& Key) {
    if (!IsPinyinKey(Key)) {
        Key = 0;
        MessageBeep(1);
        Application->MessageBox("请输入字母!", kCaption, MB_OK);
        return;
    }
    if (Key == kKeyEnter) ComboBox1->SetFocus();
}

void Tyszlform::ComboBox1KeyPress(TObject*, char32_t& Key) {
    if (Key == kKeyEnter) ComboBox2->SetFocus();
}

void Tyszlform::ComboBox2KeyPress(TObject*, char32_t& Key) {
    if (Key == kKeyEnter) Button1->SetFocus();
}

// --- Records ---------------------------------------------------------------------------------
// Every field is required as typed (a name of blanks is a name); doctors may repeat.
void Tyszlform::Button1Click(TObject*) {
    TWinControl* empty = nullptr;
    if (Edit1->Text().empty()) empty = Edit1;
    else if (Edit2->Text().empty()) empty = Edit2;
    else if (ComboBox1->Text().empty()) empty = ComboBox1;
    else if (ComboBox2->Text().empty()) empty = ComboBox2;
    if (empty) {
        Application->MessageBox("必填字段不能为空!", kCaption, MB_OK);
        empty->SetFocus();
        return;
    }
    const std::string name = Edit1->Text();
    // A new row goes after the last one, where the list shows it (an insert would put it
    // before the last row).
    ADOTable1->Append();
    try {
        ADOTable1->FieldByName("姓名")->SetAsString(name);
        ADOTable1->FieldByName("拼音码")->SetAsString(Edit2->Text());
        ADOTable1->FieldByName("性别")->SetAsString(ComboBox1->Text());
        ADOTable1->FieldByName("科室")->SetAsString(ComboBox2->Text());
        ADOTable1->Post();
    } catch (const Exception&) {
        ADOTable1->Cancel();
        throw;
    }
    Application->MessageBox("保存成功!", kCaption, MB_OK);
    AddToPickList("Typxhtjform", "ComboBox1", name);
    ClearFields();
    Edit1->SetFocus();
}

void Tyszlform::DBGrid1CellClick(TColumn*) {
    if (!ADOTable1->Active() || ADOTable1->IsEmpty()) return;
    Edit1->SetText(ADOTable1->FieldByName("姓名")->AsString());
    Edit2->SetText(ADOTable1->FieldByName("拼音码")->AsString());
    ComboBox1->SetText(ADOTable1->FieldByName("性别")->AsString());
    ComboBox2->SetText(ADOTable1->FieldByName("科室")->AsString());
}

void Tyszlform::Button2Click(TObject*) {
    if (MessageDlg("确定删除么？", mtConfirmation, mbYesNo) == mrYes && ADOTable1->Active() &&
        !ADOTable1->IsEmpty()) {
        ADOTable1->Delete();
        Application->MessageBox("删除成功!", kCaption, MB_OK);
    }
    ClearFields();
    Edit1->SetFocus();
}

void Tyszlform::Button3Click(TObject*) { Close(); }

void Tyszlform::DeclareProperties(TPropertyDecl<Tyszlform>& d) {
    d.Method("FormCreate", &Tyszlform::FormCreate);
    d.Method("FormShow", &Tyszlform::FormShow);
    d.Method("FormClose", &Tyszlform::FormClose);
    d.Method("Edit1KeyPress", &Tyszlform::Edit1KeyPress);
    d.Method("Edit2KeyPress", &Tyszlform::Edit2KeyPress);
    d.Method("ComboBox1KeyPress", &Tyszlform::ComboBox1KeyPress);
    d.Method("ComboBox2KeyPress", &Tyszlform::ComboBox2KeyPress);
    d.Method("Button1Click", &Tyszlform::Button1Click);
    d.Method("Button2Click", &Tyszlform::Button2Click);
    d.Method("Button3Click", &Tyszlform::Button3Click);
    d.Method("DBGrid1CellClick", &Tyszlform::DBGrid1CellClick);
}
