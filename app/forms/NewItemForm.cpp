#include "app/forms/NewItemForm.h"

#include "app/charging/ReceiptRules.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/HintForm.h"
#include "app/forms/ItemListForm.h"
#include "app/widgets/FlatButton.h"
#include "app/widgets/GetIMCode.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/StdCtrls.h"

ROVE_IMPLEMENT_CLASS(Txjxmform)
ROVE_CLINIC_FORM(Txjxmform, xjxmform)

Txjxmform* xjxmform = nullptr;

namespace {
constexpr const char* kCaption = "提示";
}

void RefuseItemKey(char32_t& Key, const char* Text) {
    Key = 0;
    MessageBeep(1);
    Application->MessageBox(Text, kCaption, MB_OK);
}

Txjxmform::Txjxmform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Txjxmform::~Txjxmform() {
    if (xjxmform == this) xjxmform = nullptr;
}

void Txjxmform::BindFields() {
    Bind(ComboBox1, "ComboBox1");
    Bind(Edit1, "Edit1");
    Bind(Edit2, "Edit2");
    Bind(Edit3, "Edit3");
    Bind(ComboBox2, "ComboBox2");
    Bind(Edit5, "Edit5");
    Bind(RadioButton1, "RadioButton1");
    Bind(RadioButton2, "RadioButton2");
    Bind(Button1, "Button1");
    Bind(FlatButton1, "FlatButton1");
    Bind(ADOQuery1, "ADOQuery1");
    Bind(ADOQuery2, "ADOQuery2");
    Bind(ADOTable3, "ADOTable3");
}

void Txjxmform::FillList(TComboBox* Combo, const char* Sql) {
    Combo->Items()->Clear();
    ADOQuery2->Close();
    ADOQuery2->SQL()->SetText(Sql);
    ADOQuery2->Open();
    for (; !ADOQuery2->Eof(); ADOQuery2->Next()) Combo->Items()->Add(ADOQuery2->Fields()[1]->AsString());
    ADOQuery2->Close();
}

void Txjxmform::FormCreate(TObject*) {
    FillList(ComboBox1, "select * from tb_yplx");
    FillList(ComboBox2, "select * from tb_ypunit");
}

void Txjxmform::ComboBox1KeyPress(TObject*, char32_t& Key) {
    if (Key == kKeyEnter) Edit1->SetFocus();
}

void Txjxmform::Edit1KeyPress(TObject*, char32_t& Key) {
    if (Key != kKeyEnter) return;
    Edit2->SetText(GetIMCodeUtf8(Edit1->Text(), 2, 255));
    Edit2->SetFocus();
}

void Txjxmform::Edit2KeyPress(TObject*, char32_t& Key) {
    if (!IsPinyinKey(Key)) return RefuseItemKey(Key, "请输入字母!");
    if (Key == kKeyEnter) Edit3->SetFocus();
}

void Txjxmform::Edit3KeyPress(TObject*, char32_t& Key) {
    if (Key == kKeyEnter) ComboBox2->SetFocus();
}

void Txjxmform::ComboBox2KeyPress(TObject*, char32_t& Key) {
    if (Key == kKeyEnter) Edit5->SetFocus();
}

void Txjxmform::Edit5KeyPress(TObject*, char32_t& Key) {
    if (!IsAmountKey(Key)) return RefuseItemKey(Key, "请输入数字!");
    if (Key == kKeyEnter) Button1->SetFocus();
}

// required fields -> a number for the price -> no item of that name and pack size (规格) ->
// the row -> the list refreshed -> for a drug, the offer of the stock-in
void Txjxmform::Button1Click(TObject*) {
    TWinControl* empty = nullptr;
    if (ComboBox1->Text().empty()) empty = ComboBox1;
    else if (Edit1->Text().empty()) empty = Edit1;
    else if (Edit2->Text().empty()) empty = Edit2;
    else if (Edit3->Text().empty()) empty = Edit3;
    else if (ComboBox2->Text().empty()) empty = ComboBox2;
    else if (Edit5->Text().empty()) empty = Edit5;
    if (empty) {
        Application->MessageBox("必填字段不能为空!", kCaption, MB_OK);
        empty->SetFocus();
        return;
    }
    const std::optional<Currency> price = ParseMoney(Edit5->Text());
    if (!price) {
        Application->MessageBox("请输入数字!", kCaption, MB_OK);
        Edit5->SetFocus();
        return;
    }
    ADOQuery1->Close();
    ADOQuery1->SQL()->SetText("Select * From tb_yp Where 项目名称=:xmmc And 规格=:gg");
    ADOQuery1->Parameters()->ParamByName("xmmc")->SetValue(Variant(Edit1->Text()));
    ADOQuery1->Parameters()->ParamByName("gg")->SetValue(Variant(Edit3->Text()));
    ADOQuery1->Open();
    const bool duplicate = !ADOQuery1->IsEmpty();
    ADOQuery1->Close();
    if (duplicate) {
        Application->MessageBox("相同名称和规格的项目已存在!", kCaption, MB_OK);
        return;
    }
    const bool drug = RadioButton1->Checked();
    if (!ADOTable3->Active()) ADOTable3->Open();
    // A new row goes after the last one, where the list shows it (an insert would put it
    // before the last row).
    ADOTable3->Append();
    try {
        ADOTable3->FieldByName("项目种类")->SetAsString(drug ? RadioButton1->Caption() : RadioButton2->Caption());
        ADOTable3->FieldByName("项目类型")->SetAsString(ComboBox1->Text());
        ADOTable3->FieldByName("项目名称")->SetAsString(Edit1->Text());
        ADOTable3->FieldByName("拼音码")->SetAsString(Edit2->Text());
        ADOTable3->FieldByName("规格")->SetAsString(Edit3->Text());
        ADOTable3->FieldByName("单位")->SetAsString(ComboBox2->Text());
        ADOTable3->FieldByName("单价")->SetAsString(price->ToFixed(kPriceDecimals));
        if (drug) {
            ADOTable3->FieldByName("进价")->SetAsFloat(0);
            ADOTable3->FieldByName("库存数量")->SetAsFloat(0);
        }
        ADOTable3->Post();
    } catch (const Exception&) {
        ADOTable3->Cancel();
        throw;
    }
    if (xmzlform) xmzlform->RefreshItemList();
    for (TEdit* e : {Edit1, Edit2, Edit3, Edit5}) e->SetText("");
    ComboBox1->SetText("");
    ComboBox2->SetText("");
    if (!drug) return;
    if (Application->MessageBox("新建药品项目完成，是否进行药品入库操作？", kCaption, MB_OKCANCEL) == IDOK) {
        if (TCustomForm* stockIn = FindClinicWindow("Trkform")) stockIn->Show();
        Close();
    } else {
        ComboBox1->SetFocus();
    }
}

void Txjxmform::FlatButton1Click(TObject*) {
    hintform->ShowLines({"1.选择单位可以按键盘中的上下方向键，无需鼠标操作;", "2.切换输入法可以按ctrl+shift键;",
                         "3.打开或关闭输入法可以按ctrl+空格键;",
                         "4.填完项目名称后按回车键，拼音码会自动填好，也可以用手工修改为其它简码;",
                         "5.本窗口中所有内容均为必填项目，不能为空;"});
}

void Txjxmform::DeclareProperties(TPropertyDecl<Txjxmform>& d) {
    d.Method("FormCreate", &Txjxmform::FormCreate);
    d.Method("ComboBox1KeyPress", &Txjxmform::ComboBox1KeyPress);
    d.Method("Edit1KeyPress", &Txjxmform::Edit1KeyPress);
    d.Method("Edit2KeyPress", &Txjxmform::Edit2KeyPress);
    d.Method("Edit3KeyPress", &Txjxmform::Edit3KeyPress);
    d.Method("ComboBox2KeyPress", &Txjxmform::ComboBox2KeyPress);
    d.Method("Edit5KeyPress", &Txjxmform::Edit5KeyPress);
    d.Method("Button1Click", &Txjxmform::Button1Click);
    d.Method("FlatButton1Click", &Txjxmform::FlatButton1Click);
}
