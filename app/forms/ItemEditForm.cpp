#include "app/forms/ItemEditForm.h"

#include "app/charging/ReceiptRules.h"
#include "app/charging/Transactions.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/ItemListForm.h"
#include "app/forms/NewItemForm.h"
#include "app/widgets/GetIMCode.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/StdCtrls.h"

ROVE_IMPLEMENT_CLASS(Tbqxmform)
ROVE_CLINIC_FORM(Tbqxmform, bqxmform)

Tbqxmform* bqxmform = nullptr;

namespace {
constexpr const char* kCaption = "提示";
}

Tbqxmform::Tbqxmform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Tbqxmform::~Tbqxmform() {
    if (bqxmform == this) bqxmform = nullptr;
}

void Tbqxmform::BindFields() {
    Bind(ComboBox1, "ComboBox1");
    Bind(Edit1, "Edit1");
    Bind(Edit2, "Edit2");
    Bind(Edit3, "Edit3");
    Bind(ComboBox2, "ComboBox2");
    Bind(Edit5, "Edit5");
    Bind(Edit4, "Edit4");
    Bind(Edit6, "Edit6");
    Bind(CheckBox1, "CheckBox1");
    Bind(CheckBox2, "CheckBox2");
    Bind(Button1, "Button1");
    Bind(ADOQuery1, "ADOQuery1");
}

// The lists come through the new-item window's list query.
void Tbqxmform::FormCreate(TObject*) {
    if (!xjxmform) return;
    xjxmform->FillList(ComboBox1, "select * from tb_yplx");
    xjxmform->FillList(ComboBox2, "select * from tb_ypunit");
}

// Unticking goes through the action as a click would, so the prices are locked again.
void Tbqxmform::FormClose(TObject*, TCloseAction&) {
    if (CheckBox1->Checked()) {
        CheckBox1->SetChecked(false);
        for (TEdit* e : {Edit4, Edit5}) {
            e->SetReadOnly(true);
            e->SetColor(cl3DLight);
        }
    }
    CheckBox2->SetChecked(false);
    Edit4->SetText("");
    Edit6->SetText("");
}

void Tbqxmform::ComboBox1KeyPress(TObject*, char32_t& Key) {
    if (Key == kKeyEnter) Edit1->SetFocus();
}

void Tbqxmform::Edit1KeyPress(TObject*, char32_t& Key) {
    if (Key != kKeyEnter) return;
    Edit2->SetText(GetIMCodeUtf8(Edit1->Text(), 2, 255));
    Edit2->SetFocus();
}

void Tbqxmform::Edit2KeyPress(TObject*, char32_t& Key) {
    if (!IsPinyinKey(Key)) return RefuseItemKey(Key, "请输入字母!");
    if (Key == kKeyEnter) Edit3->SetFocus();
}

void Tbqxmform::Edit3KeyPress(TObject*, char32_t& Key) {
    if (Key == kKeyEnter) ComboBox2->SetFocus();
}

void Tbqxmform::ComboBox2KeyPress(TObject*, char32_t& Key) {
    if (Key == kKeyEnter) Edit5->SetFocus();
}

void Tbqxmform::PriceKeyPress(TObject*, char32_t& Key) {
    if (!IsAmountKey(Key)) return RefuseItemKey(Key, "请输入数字!");
    if (Key == kKeyEnter) Button1->SetFocus();
}

// required fields -> numbers -> the item's fields -> for a drug its purchase price and
// stock values -> the list refreshed
void Tbqxmform::Button1Click(TObject*) {
    const bool drug = CheckBox2->Checked();
    TWinControl* empty = nullptr;
    if (ComboBox1->Text().empty()) empty = ComboBox1;
    else if (Edit1->Text().empty()) empty = Edit1;
    else if (Edit2->Text().empty()) empty = Edit2;
    else if (Edit3->Text().empty()) empty = Edit3;
    else if (ComboBox2->Text().empty()) empty = ComboBox2;
    else if (Edit5->Text().empty()) empty = Edit5;
    else if (drug && Edit4->Text().empty()) empty = Edit4;
    if (empty) {
        Application->MessageBox("必填字段不能为空!", kCaption, MB_OK);
        empty->SetFocus();
        return;
    }
    const std::optional<Currency> price = ParseMoney(Edit5->Text());
    const std::optional<Currency> cost = drug ? ParseMoney(Edit4->Text()) : std::optional<Currency>(Currency());
    const std::optional<Currency> stock = drug ? ParseMoney(Edit6->Text().empty() ? "0" : Edit6->Text())
                                               : std::optional<Currency>(Currency());
    if (!price || !cost || !stock) {
        Application->MessageBox("请输入数字!", kCaption, MB_OK);
        (price ? Edit4 : Edit5)->SetFocus();
        return;
    }
    if (!xmzlform || !xmzlform->ADOQuery2->Active() || xmzlform->ADOQuery2->IsEmpty()) return;
    const int id = xmzlform->ADOQuery2->FieldByName("ID")->AsInteger();

    // The names and the price, and for a drug the cost and the stock values, are stored
    // together or not at all.
    RunInTransaction(*ADOQuery1->Connection(), [&] {
        ADOQuery1->Close();
        ADOQuery1->SQL()->SetText(
            "update tb_yp set 项目类型=:xmlx,项目名称=:xmmc,拼音码=:pym,规格=:gg,单位=:dw,单价=:dj where ID=:id");
        TParameters* p = ADOQuery1->Parameters();
        p->ParamByName("xmlx")->SetValue(Variant(ComboBox1->Text()));
        p->ParamByName("xmmc")->SetValue(Variant(Edit1->Text()));
        p->ParamByName("pym")->SetValue(Variant(Edit2->Text()));
        p->ParamByName("gg")->SetValue(Variant(Edit3->Text()));
        p->ParamByName("dw")->SetValue(Variant(ComboBox2->Text()));
        p->ParamByName("dj")->SetValue(Variant(price->ToFixed(kPriceDecimals)));
        p->ParamByName("id")->SetValue(Variant(id));
        ADOQuery1->ExecSQL();
        if (drug) {
            ADOQuery1->SQL()->SetText("update tb_yp set 进价=:jj,进价金额=:jjje,销价金额=:xjje where ID=:id");
            p = ADOQuery1->Parameters();
            // The values from the prices as stored ("%.3f") and the stock, exact.
            const Currency storedCost = cost->Round(kPriceDecimals), storedPrice = price->Round(kPriceDecimals);
            p->ParamByName("jj")->SetValue(Variant(storedCost.ToFixed(kPriceDecimals)));
            p->ParamByName("jjje")->SetValue(Variant(LineTotal(storedCost, *stock).ToFixed(kPriceDecimals)));
            p->ParamByName("xjje")->SetValue(Variant(LineTotal(storedPrice, *stock).ToFixed(kPriceDecimals)));
            p->ParamByName("id")->SetValue(Variant(id));
            ADOQuery1->ExecSQL();
        }
    });
    Application->MessageBox("编辑项目成功!", kCaption, MB_OK);
    Close();
    xmzlform->RefreshItemList();
}

void Tbqxmform::DeclareProperties(TPropertyDecl<Tbqxmform>& d) {
    d.Method("FormCreate", &Tbqxmform::FormCreate);
    d.Method("FormClose", &Tbqxmform::FormClose);
    d.Method("ComboBox1KeyPress", &Tbqxmform::ComboBox1KeyPress);
    d.Method("Edit1KeyPress", &Tbqxmform::Edit1KeyPress);
    d.Method("Edit2KeyPress", &Tbqxmform::Edit2KeyPress);
    d.Method("Edit3KeyPress", &Tbqxmform::Edit3KeyPress);
    d.Method("ComboBox2KeyPress", &Tbqxmform::ComboBox2KeyPress);
    d.Method("PriceKeyPress", &Tbqxmform::PriceKeyPress);
    d.Method("Button1Click", &Tbqxmform::Button1Click);
}
