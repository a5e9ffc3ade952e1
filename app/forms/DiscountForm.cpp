#include "app/forms/DiscountForm.h"

#include "app/charging/ReceiptRules.h"
#include "app/database/MoneySql.h"
#include "app/forms/ChargeForm.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/DataModule.h"
#include "app/forms/HintForm.h"
#include "app/widgets/FlatButton.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/StdCtrls.h"

ROVE_IMPLEMENT_CLASS(Tyhsfform)
ROVE_CLINIC_FORM(Tyhsfform, yhsfform)

Tyhsfform* yhsfform = nullptr;

namespace {
constexpr const char* kCaption = "提示";

void NotANumber() {
    MessageBeep(1);
    Application->MessageBox("请输入数字!", kCaption, MB_OK);
}
}  // namespace

Tyhsfform::Tyhsfform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Tyhsfform::~Tyhsfform() {
    if (yhsfform == this) yhsfform = nullptr;
}

void Tyhsfform::BindFields() {
    Bind(Edit1, "Edit1");
    Bind(Edit2, "Edit2");
    Bind(Edit3, "Edit3");
    Bind(Button1, "Button1");
    Bind(Button2, "Button2");
    Bind(RadioButton1, "RadioButton1");
    Bind(RadioButton2, "RadioButton2");
    Bind(FlatButton1, "FlatButton1");
}

Currency Tyhsfform::Before() const { return ParseMoney(Edit1->Text()).value_or(Currency()); }

void Tyhsfform::FormShow(TObject*) {
    TADOQuery sum(nullptr);
    sum.SetConnection(datamoduleform->ADOConnection1);
    sum.SQL()->SetText("select " + AmountSumSql("单项累计", kPriceDecimals) + " as dxlj from tb_temp");
    sum.Open();
    Edit1->SetText(sum.Fields()[0]->AsCurrency().ToFixed(kFenDecimals));
    RadioButton1->SetChecked(true);
    Edit2->SetFocus();
}

void Tyhsfform::FormClose(TObject*, TCloseAction&) {
    Edit1->SetText("");
    Edit2->SetText("");
    Edit3->SetText("");
}

bool Tyhsfform::FilterAmountKey(char32_t& Key, const TEdit* Money) {
    if (Money ? IsMoneyKey(Money->Text(), Money->SelStart(), Money->SelLength(), Key) : IsAmountKey(Key)) return true;
    Key = 0;
    NotANumber();
    return false;
}

// Enter in the amount after gives the percentage.
void Tyhsfform::Edit2KeyPress(TObject*, char32_t& Key) {
    if (!FilterAmountKey(Key, Edit2) || Key != kKeyEnter || Trim(Edit2->Text()).empty()) return;
    const auto after = ParseMoney(Edit2->Text());
    if (!after) return NotANumber();
    Edit3->SetText(DiscountPercentText(Before(), *after));
    Button1->SetFocus();
}

// Enter in the percentage gives the amount after.
void Tyhsfform::Edit3KeyPress(TObject*, char32_t& Key) {
    if (!FilterAmountKey(Key) || Key != kKeyEnter || Trim(Edit3->Text()).empty()) return;
    const auto percent = ParseMoney(Edit3->Text());
    if (!percent) return NotANumber();
    Edit2->SetText(DiscountAmountText(Before(), *percent));
    Button1->SetFocus();
}

void Tyhsfform::Button1Click(TObject*) {
    if (Trim(Edit2->Text()).empty()) {
        Application->MessageBox("优惠后应收金额不能为空!", kCaption, MB_OK);
        return;
    }
    const auto after = ParseMoney(Edit2->Text());
    if (!after) {
        NotANumber();
        Edit2->SetFocus();
        return;
    }
    sfform->Edit9->SetText(Edit2->Text());
    sfform->Label24->SetCaption(ReductionText(Before(), *after));
    if (RadioButton1->Checked()) sfform->Label23->SetCaption(kTitleDiscount);
    if (RadioButton2->Checked()) sfform->Label23->SetCaption(kTitleInternal);
    Close();
    sfform->ProposeReceivedAmount();
}

void Tyhsfform::Button2Click(TObject*) { Close(); }

void Tyhsfform::FlatButton1Click(TObject*) {
    hintform->ShowLines({"1.优惠收费时可以输入金额，也可以输入打折比例",
                         "2.输入金额后请按回车键确认，比例会自动算出",
                         "3.选择内部记账后本次收费将免费，也就是说这笔单子是不收费只记账备查的",
                         "4.内部记账适用于单位内部领用消耗、调整库存、对外贵宾免单等，不适用于欠费管理",
                         "5.在选择了优惠打折或内部记账，按确定关闭窗口后，建议不要对收费项目内容再增加"
                         "或者删除，否则收费方式将转为普通收费！"});
}

void Tyhsfform::DeclareProperties(TPropertyDecl<Tyhsfform>& d) {
    d.Method("FormShow", &Tyhsfform::FormShow);
    d.Method("FormClose", &Tyhsfform::FormClose);
    d.Method("Edit2KeyPress", &Tyhsfform::Edit2KeyPress);
    d.Method("Edit3KeyPress", &Tyhsfform::Edit3KeyPress);
    d.Method("Button1Click", &Tyhsfform::Button1Click);
    d.Method("Button2Click", &Tyhsfform::Button2Click);
    d.Method("FlatButton1Click", &Tyhsfform::FlatButton1Click);
}
