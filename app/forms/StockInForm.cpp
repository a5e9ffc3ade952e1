#include "app/forms/StockInForm.h"

#include "app/database/DatabaseTexts.h"
#include "app/charging/ReceiptRules.h"
#include "app/database/LookUp.h"
#include "app/database/MoneySql.h"
#include "app/forms/CandidateForm.h"
#include "app/forms/ChargeForm.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/DataModule.h"
#include "app/forms/HintForm.h"
#include "app/forms/ItemListForm.h"
#include "app/forms/NewItemForm.h"
#include "app/widgets/FlatButton.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/StdCtrls.h"

#include <memory>
#include <optional>

ROVE_IMPLEMENT_CLASS(Trkform)
ROVE_CLINIC_FORM(Trkform, rkform)

Trkform* rkform = nullptr;

namespace {
constexpr const char* kCaption = "提示";
constexpr const char* kDrugByCode = "Select * From tb_yp Where 拼音码 like :code escape '\\' and 项目种类='药品项目'";
// The stock and the stock values come from the stock the row holds when the statement runs;
// the values are exact to the thousandth (MoneySql.h).
const std::string kStockInSql =
    "update tb_yp set 规格=:gg,单位=:dw,进价=:jj,单价=:dj,批号=:ph,"
    "库存数量=round(库存数量+:sl,2),"
    "进价金额=" + AmountTimesSql(":jj", "库存数量+:sl", 3) + ","
    "销价金额=" + AmountTimesSql(":dj", "库存数量+:sl", 3) + ","
    "库存下限=:xx,失效日期=:sxrq,药品产地=:cd  where ID=:id";

TRetryPolicy& Policy() {
    static TRetryPolicy policy;
    return policy;
}

bool IsBatchKey(char32_t Key) {
    return Key == kKeyBackspace || Key == kKeyEnter || Key == '-' || Key == '.' || (Key >= '0' && Key <= '9') ||
           (Key >= 'a' && Key <= 'z') || (Key >= 'A' && Key <= 'Z');
}
}  // namespace

void Trkform::SetRetryPolicy(const TRetryPolicy& P) { Policy() = P; }

Trkform::Trkform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Trkform::~Trkform() {
    if (rkform == this) rkform = nullptr;
}

void Trkform::BindFields() {
    Bind(Edit1, "Edit1");
    Bind(DateTimePicker1, "DateTimePicker1");
    Bind(Edit2, "Edit2");
    Bind(ComboBox1, "ComboBox1");
    Bind(Edit3, "Edit3");
    Bind(Edit4, "Edit4");
    Bind(Edit5, "Edit5");
    Bind(Edit6, "Edit6");
    Bind(Edit7, "Edit7");
    Bind(Edit9, "Edit9");
    Bind(DateTimePicker2, "DateTimePicker2");
    Bind(Edit8, "Edit8");
    Bind(Button1, "Button1");
    Bind(Button2, "Button2");
    Bind(FlatButton1, "FlatButton1");
    Bind(ADOQuery1, "ADOQuery1");
    Bind(ADOTable1, "ADOTable1");
}

void Trkform::FormCreate(TObject*) {
    DateTimePicker1->SetDate(Date());
    DateTimePicker2->SetDate(IncDay(Date(), 730));
    if (xjxmform) xjxmform->FillList(ComboBox1, "select * from tb_ypunit");
}

void Trkform::FormShow(TObject*) { Edit1->SetFocus(); }

void Trkform::ClearFields() {
    for (TEdit* e : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit9, Edit8}) e->SetText("");
    ComboBox1->SetText("");
}

void Trkform::FormClose(TObject*, TCloseAction&) { ClearFields(); }

void Trkform::Button2Click(TObject*) { Close(); }

// --- The pick --------------------------------------------------------------------------------
void Trkform::Edit1KeyPress(TObject*, char32_t& Key) {
    if (!IsPinyinKey(Key)) return RefuseItemKey(Key, "请输入拼音字母后按Enter键!");
    if (Key != kKeyEnter) return;
    TADOQuery* items = sfform->ADOQuery4;
    items->Close();
    items->SQL()->SetText(kDrugByCode);
    items->Parameters()->ParamByName("code")->SetValue(Variant(LikeStarting(Edit1->Text())));
    items->Open();
    const int found = items->RecordCount();
    if (found == 0) {
        Application->MessageBox("无此药品项目!", kCaption, MB_OK);
    } else if (found == 1) {
        TakeDrug();
    } else {
        if (PickCandidateUnder(this, Edit1, 3) && items->Active() && !items->IsEmpty()) TakeDrug();
    }
    items->Close();
}

void Trkform::TakeDrug() {
    TADOQuery* items = sfform->ADOQuery4;
    Edit1->SetText(items->FieldByName("项目名称")->AsString());
    Edit2->SetText(items->FieldByName("规格")->AsString());
    ComboBox1->SetText(items->FieldByName("单位")->AsString());
    Edit3->SetText(items->FieldByName("批号")->AsString());
    Edit4->SetText(Format("%.3f", {items->FieldByName("进价")->AsCurrency()}));
    Edit5->SetText(Format("%.3f", {items->FieldByName("单价")->AsCurrency()}));
    Edit7->SetText(Format("%.2f", {items->FieldByName("库存数量")->AsFloat()}));
    Edit9->SetText(Format("%.2f", {items->FieldByName("库存下限")->AsFloat()}));
    TField* expiry = items->FieldByName("失效日期");
    DateTimePicker2->SetDate(expiry->IsNull() ? IncDay(Date(), 730) : expiry->AsDateTime());
    Edit8->SetText(items->FieldByName("药品产地")->AsString());
    FItemId = items->FieldByName("ID")->AsString();
    Edit3->SetFocus();
}

// --- Keys ------------------------------------------------------------------------------------
void Trkform::Edit3KeyPress(TObject*, char32_t& Key) {
    if (!IsBatchKey(Key)) return RefuseItemKey(Key, "请输入数字或字母!");
    if (Key == kKeyEnter) Edit4->SetFocus();
}

void Trkform::PriceKeyPress(TObject* Sender, char32_t& Key) {
    if (!IsAmountKey(Key)) return RefuseItemKey(Key, "请输入数字!");
    if (Key != kKeyEnter) return;
    if (Sender == Edit4) Edit5->SetFocus();
    else Edit6->SetFocus();
}

void Trkform::QuantityKeyPress(TObject* Sender, char32_t& Key) {
    if (!IsQuantityKey(Key)) return RefuseItemKey(Key, "请输入数字!");
    if (Key != kKeyEnter) return;
    if (Sender == Edit6) Edit9->SetFocus();
    else DateTimePicker2->SetFocus();
}

void Trkform::DateTimePicker2KeyPress(TObject*, char32_t& Key) {
    if (Key == kKeyEnter) Edit8->SetFocus();
}

void Trkform::Edit8KeyPress(TObject*, char32_t& Key) {
    if (Key == kKeyEnter) Button1->SetFocus();
}

// --- The save --------------------------------------------------------------------------------
// required fields -> numbers -> the drug and the record in one transaction (up to ten
// attempts) -> the item list refreshed; the fields are emptied only after a booking, and a
// booking that failed every attempt is reported with its reason.
void Trkform::Button1Click(TObject*) {
    TWinControl* empty = nullptr;
    if (Edit1->Text().empty()) empty = Edit1;
    else if (Edit2->Text().empty()) empty = Edit2;
    else if (ComboBox1->Text().empty()) empty = ComboBox1;
    else if (Edit4->Text().empty()) empty = Edit4;
    else if (Edit5->Text().empty()) empty = Edit5;
    else if (Edit6->Text().empty()) empty = Edit6;
    else if (Edit7->Text().empty()) empty = Edit1;
    else if (Edit9->Text().empty()) empty = Edit9;
    if (empty || FItemId.empty()) {
        Application->MessageBox("除批号与产地外，其它字段均为必填项目!", kCaption, MB_OK);
        (empty ? empty : Edit1)->SetFocus();
        return;
    }
    struct TNumber {
        TEdit* Field;
        std::optional<Currency> Value;
    };
    TNumber numbers[] = {{Edit4, ParseMoney(Edit4->Text())}, {Edit5, ParseMoney(Edit5->Text())},
                         {Edit6, ParseMoney(Edit6->Text())}, {Edit9, ParseMoney(Edit9->Text())}};
    for (const TNumber& n : numbers)
        if (!n.Value) {
            Application->MessageBox("请输入数字!", kCaption, MB_OK);
            n.Field->SetFocus();
            return;
        }
    // Prices as "%.3f" writes them, the limit as "%.2f"; the quantity as typed.
    const Currency cost = numbers[0].Value->Round(kPriceDecimals);
    const Currency price = numbers[1].Value->Round(kPriceDecimals);
    const Currency quantity = *numbers[2].Value;
    const Currency limit = numbers[3].Value->Round(2);
    const int id = StrToInt(FItemId);
    const std::string op = sfform ? sfform->Edit12->Text() : std::string();

    TADOConnection& connection = *datamoduleform->ADOConnection1;
    const TTransactionOutcome outcome = RunWithRetries(connection, Policy(), [&] {
        ADOQuery1->Close();
        ADOQuery1->SQL()->SetText(kStockInSql);
        TParameters* p = ADOQuery1->Parameters();
        p->ParamByName("gg")->SetValue(Variant(Edit2->Text()));
        p->ParamByName("dw")->SetValue(Variant(ComboBox1->Text()));
        p->ParamByName("jj")->SetValue(Variant::FromCurrency(cost));
        p->ParamByName("dj")->SetValue(Variant::FromCurrency(price));
        p->ParamByName("ph")->SetValue(Variant(Edit3->Text()));
        p->ParamByName("sl")->SetValue(Variant::FromCurrency(quantity));
        p->ParamByName("xx")->SetValue(Variant::FromCurrency(limit));
        p->ParamByName("sxrq")->SetValue(Variant(DateTimeToIso(DateOf(DateTimePicker2->Date()))));
        p->ParamByName("cd")->SetValue(Variant(Edit8->Text()));
        p->ParamByName("id")->SetValue(Variant(id));
        ADOQuery1->ExecSQL();

        ADOTable1->Open();
        try {
            ADOTable1->Append();
            ADOTable1->FieldByName("入库日期")->SetAsString(DateTimeToIso(DateOf(DateTimePicker1->Date())));
            ADOTable1->FieldByName("药品名称")->SetAsString(Edit1->Text());
            ADOTable1->FieldByName("规格")->SetAsString(Edit2->Text());
            ADOTable1->FieldByName("单位")->SetAsString(ComboBox1->Text());
            ADOTable1->FieldByName("批号")->SetAsString(Edit3->Text());
            ADOTable1->FieldByName("进价")->SetAsString(cost.ToFixed(kPriceDecimals));
            ADOTable1->FieldByName("单价")->SetAsString(price.ToFixed(kPriceDecimals));
            ADOTable1->FieldByName("入库数量")->SetAsString(quantity.ToFixed(2));
            ADOTable1->FieldByName("入库金额")->SetAsString(LineTotal(quantity, cost).ToFixed(kPriceDecimals));
            ADOTable1->FieldByName("产地")->SetAsString(Edit8->Text());
            ADOTable1->FieldByName("药品ID")->SetAsInteger(id);
            ADOTable1->FieldByName("操作员")->SetAsString(op);
            ADOTable1->Post();
        } catch (...) {
            ADOTable1->Cancel();
            ADOTable1->Close();
            throw;
        }
        ADOTable1->Close();
    });
    if (outcome.Committed) Application->MessageBox("入库成功!", kCaption, MB_OK);
    if (xmzlform) xmzlform->RefreshItemList();
    if (!outcome.Committed) {
        Application->MessageBox("入库失败：" + ClinicReason(outcome.LastError), kCaption, MB_OK | MB_ICONERROR);
        return;
    }
    ClearFields();
    Edit1->SetFocus();
}

void Trkform::FlatButton1Click(TObject*) {
    hintform->ShowLines({"1.必须先在收费项目设置菜单中新建一药品项目后才可进行入库操作;",
                         "2.在药品名称处只要输入拼音字母后按Enter键确定;",
                         "3.除批号与产地外其它均为必填，如怕泄露进价，可以把它填为和销售单价相同;",
                         "4.库存下限是进货的参考，在收费时，如果库存数量小于库存下限将会警告提示;",
                         "5.如果入库错误，请到入库查询窗口中作废该记录;"});
}

void Trkform::DeclareProperties(TPropertyDecl<Trkform>& d) {
    d.Method("FormCreate", &Trkform::FormCreate);
    d.Method("FormShow", &Trkform::FormShow);
    d.Method("FormClose", &Trkform::FormClose);
    d.Method("Edit1KeyPress", &Trkform::Edit1KeyPress);
    d.Method("Edit3KeyPress", &Trkform::Edit3KeyPress);
    d.Method("PriceKeyPress", &Trkform::PriceKeyPress);
    d.Method("QuantityKeyPress", &Trkform::QuantityKeyPress);
    d.Method("DateTimePicker2KeyPress", &Trkform::DateTimePicker2KeyPress);
    d.Method("Edit8KeyPress", &Trkform::Edit8KeyPress);
    d.Method("Button1Click", &Trkform::Button1Click);
    d.Method("Button2Click", &Trkform::Button2Click);
    d.Method("FlatButton1Click", &Trkform::FlatButton1Click);
}
