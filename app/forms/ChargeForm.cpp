// The charging window: look-ups by pinyin code, the receipt lines, the totals, the save
// with its print prompt, and the close question.
#include "app/forms/ChargeForm.h"

#include "app/charging/ChargeSave.h"
#include "app/charging/ReceiptRules.h"
#include "app/database/DatabaseTexts.h"
#include "app/database/LookUp.h"
#include "app/database/MoneySql.h"
#include "app/forms/CandidateForm.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/DataModule.h"
#include "app/forms/HintForm.h"
#include "app/forms/ItemCandidateForm.h"
#include "app/forms/PatientForm.h"
#include "app/forms/ScreenScale.h"
#include "app/forms/StartChargeForm.h"
#include "app/widgets/FlatButton.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"

#include <memory>

ROVE_IMPLEMENT_CLASS(Tsfform)
ROVE_CLINIC_FORM(Tsfform, sfform)

Tsfform* sfform = nullptr;

namespace {

constexpr const char* kCaption = "提示";
constexpr const char* kDrug = "药品项目";
constexpr const char* kPatientByCode = "Select * From tb_brzl Where 拼音码 like :code escape '\\'";
constexpr const char* kDoctorByCode = "Select * From tb_doctor Where 拼音码 like :code escape '\\'";
constexpr const char* kItemByCode = "Select * From tb_yp Where 拼音码 like :code escape '\\'";
constexpr const char* kIncomplete = "请检查病人、医生以及收费项目资料是否填全";

Tsfform::TReceiptPrintPrompt& PrintPrompt() {
    static Tsfform::TReceiptPrintPrompt prompt;
    return prompt;
}

// A look-up query's rows: none, one or several (the query is open).
int RowsFound(TADOQuery* Query) {
    if (Query->IsEmpty()) return 0;
    return Query->RecordCount() == 1 ? 1 : 2;
}

void Refuse(char32_t& Key, const char* Text) {
    Key = 0;
    MessageBeep(1);
    Application->MessageBox(Text, kCaption, MB_OK);
}

}  // namespace

void Tsfform::SetReceiptPrintPrompt(TReceiptPrintPrompt Prompt) { PrintPrompt() = std::move(Prompt); }

Tsfform::Tsfform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Tsfform::~Tsfform() {
    if (sfform == this) sfform = nullptr;
}

void Tsfform::BindFields() {
    Bind(Label3, "Label3");
    Bind(Label5, "Label5");
    Bind(Label20, "Label20");
    Bind(Label15, "Label15");
    Bind(Label21, "Label21");
    Bind(Label22, "Label22");
    Bind(Label23, "Label23");
    Bind(Label24, "Label24");
    Bind(Label25, "Label25");
    Bind(Edit1, "Edit1");
    Bind(ComboBox1, "ComboBox1");
    Bind(Edit2, "Edit2");
    Bind(Edit3, "Edit3");
    Bind(Edit4, "Edit4");
    Bind(Edit5, "Edit5");
    Bind(Edit6, "Edit6");
    Bind(Edit7, "Edit7");
    Bind(Edit8, "Edit8");
    Bind(Edit9, "Edit9");
    Bind(Edit10, "Edit10");
    Bind(Edit11, "Edit11");
    Bind(Edit12, "Edit12");
    Bind(CheckBox1, "CheckBox1");
    Bind(Timer1, "Timer1");
    Bind(DBGrid1, "DBGrid1");
    Bind(ToolBar1, "ToolBar1");
    Bind(FlatButton1, "FlatButton1");
    Bind(ADOQuery1, "ADOQuery1");
    Bind(ADOTable2, "ADOTable2");
    Bind(DataSource1, "DataSource1");
    Bind(ADOQuery2, "ADOQuery2");
    Bind(DataSource2, "DataSource2");
    Bind(ADOQuery3, "ADOQuery3");
    Bind(DataSource3, "DataSource3");
    Bind(ADOQuery4, "ADOQuery4");
    Bind(DataSource4, "DataSource4");
}

void Tsfform::Message(const std::string& Text) { Application->MessageBox(Text, kCaption, MB_OK); }

// --- Showing and closing ---------------------------------------------------------------------
void Tsfform::FormCreate(TObject*) {
    // The grey sex field is filled by the patient look-up and cannot be typed over.
    ComboBox1->SetReadOnly(true);
    ScaleFormToScreen(this);
    Timer1Timer(this);
}

void Tsfform::FormShow(TObject*) {
    CheckBox1->SetChecked(true);
    if (!ADOTable2->Active()) ADOTable2->Open();
    ResetChargeEntry();
    // Lines left from before (the program ended with a receipt in progress) keep their total.
    if (!ADOTable2->IsEmpty()) LinesChanged();
    NextReceiptNumber();
    Edit1->SetFocus();
}

void Tsfform::FormClose(TObject*, TCloseAction& Action) {
    CheckBox1->SetChecked(false);
    ADOTable2->Close();
    ADOTable2->Open();
    if (ADOTable2->IsEmpty() || ADOTable2->FieldByName("id")->AsInteger() == 0) return;
    if (Application->MessageBox("有收费项目未完成，是否确定退出？", kCaption, MB_OKCANCEL) != IDOK) {
        // The window stays open, so it goes on taking new patients from the patient window.
        CheckBox1->SetChecked(true);
        Action = caNone;
        return;
    }
    TADOQuery empty(nullptr);
    empty.SetConnection(ADOTable2->Connection());
    empty.SQL()->SetText("delete from tb_temp");
    empty.ExecSQL();
    ADOTable2->Requery();
}

void Tsfform::CloseButtonClick(TObject*) { Close(); }

void Tsfform::Timer1Timer(TObject*) { Label20->SetCaption(FormatDateTime("hh:mm:ss", Now())); }

// --- Receipt number and entry ------------------------------------------------------------------
void Tsfform::NextReceiptNumber() {
    const TDateTime today = Date();
    FCounter = NextReceiptCounter(*datamoduleform->ADOConnection1, today);
    Label3->SetCaption(FormatReceiptNumber(today, FCounter));
    Label5->SetCaption(DateToStr(today));
}

void Tsfform::ResetChargeEntry() {
    Label23->SetCaption(kTitleNormal);
    Label24->SetCaption("0.00");
    for (TEdit* e : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10, Edit11})
        e->SetText("");
    ComboBox1->SetText("");
    for (TLabel* l : {Label21, Label15, Label22, Label25}) l->SetCaption("");
    FItemId.clear();
    FItemKind.clear();
    FStock = FLimit = 0;
}

// --- Look-ups --------------------------------------------------------------------------------
bool Tsfform::FilterPinyinKey(char32_t& Key) {
    if (IsPinyinKey(Key)) return true;
    Refuse(Key, "请输入拼音字母后按Enter键!");
    return false;
}

void Tsfform::OpenByCode(TADOQuery* Query, const std::string& Sql, const std::string& Code) {
    Query->Close();
    Query->SQL()->SetText(Sql);
    Query->Parameters()->ParamByName("code")->SetValue(Variant(LikeStarting(Code)));
    Query->Open();
}

bool Tsfform::PickCandidate(TEdit* Field, int Grid) { return PickCandidateUnder(this, Field, Grid); }

void Tsfform::TakePatient() {
    Edit1->SetText(ADOQuery2->FieldByName("姓名")->AsString());
    ComboBox1->SetText(ADOQuery2->FieldByName("性别")->AsString());
    Edit2->SetText(ADOQuery2->FieldByName("年龄")->AsString());
    Label21->SetCaption(ADOQuery2->FieldByName("ID")->AsString());
    Edit3->SetFocus();
}

void Tsfform::TakeDoctor() {
    Edit3->SetText(ADOQuery3->FieldByName("姓名")->AsString());
    Edit4->SetText(ADOQuery3->FieldByName("科室")->AsString());
    Edit5->SetFocus();
}

void Tsfform::TakeItem() {
    Edit5->SetText(ADOQuery4->FieldByName("项目名称")->AsString());
    Edit6->SetText(Format("%.3f", {ADOQuery4->FieldByName("单价")->AsCurrency()}));
    Edit7->SetText(ADOQuery4->FieldByName("规格")->AsString());
    Label15->SetCaption(ADOQuery4->FieldByName("单位")->AsString());
    Label22->SetCaption(ADOQuery4->FieldByName("项目类型")->AsString());
    FItemId = ADOQuery4->FieldByName("ID")->AsString();
    FItemKind = ADOQuery4->FieldByName("项目种类")->AsString();
    if (FItemKind == kDrug) {
        Label25->SetCaption(ADOQuery4->FieldByName("进价")->AsString());
        FStock = ADOQuery4->FieldByName("库存数量")->AsFloat();
        FLimit = ADOQuery4->FieldByName("库存下限")->AsFloat();
    } else {
        Label25->SetCaption("");
        FStock = FLimit = 0;
    }
    Edit8->SetFocus();
}

// Patient: Enter on an empty code registers a new patient; a code finds one patient, or
// offers the candidates, or offers to register.
void Tsfform::Edit1KeyPress(TObject*, char32_t& Key) {
    if (Key == kKeyEnter && Trim(Edit1->Text()).empty()) {
        brzlform->ShowModal();
        return;
    }
    if (!FilterPinyinKey(Key) || Key != kKeyEnter) return;
    OpenByCode(ADOQuery2, kPatientByCode, Edit1->Text());
    switch (RowsFound(ADOQuery2)) {
        case 0:
            ComboBox1->SetText("");
            Edit2->SetText("");
            Label21->SetCaption("");
            if (Application->MessageBox("无此病人拼音码，现在添加吗？", kCaption, MB_OKCANCEL) == IDOK)
                brzlform->ShowModal();
            break;
        case 1:
            TakePatient();
            break;
        default:
            if (PickCandidate(Edit1, 1)) TakePatient();
            break;
    }
    ADOQuery2->Close();
}

void Tsfform::Edit3KeyPress(TObject*, char32_t& Key) {
    if (!FilterPinyinKey(Key) || Key != kKeyEnter) return;
    OpenByCode(ADOQuery3, kDoctorByCode, Edit3->Text());
    switch (RowsFound(ADOQuery3)) {
        case 0:
            Edit4->SetText("");
            Message("无此医生信息!");
            break;
        case 1:
            TakeDoctor();
            break;
        default:
            if (PickCandidate(Edit3, 2)) TakeDoctor();
            break;
    }
    ADOQuery3->Close();
}

// Item: Enter on an empty code ends the entry (the start-charging prompt); a code finds
// one item, or the item candidate window searches by containment.
void Tsfform::Edit5KeyPress(TObject*, char32_t& Key) {
    if (Key == kKeyEnter && Edit5->Text().empty()) {
        TotalLines();
        sftsform->ShowModal();
        return;
    }
    if (!FilterPinyinKey(Key) || Key != kKeyEnter) return;
    OpenByCode(ADOQuery4, kItemByCode, Edit5->Text());
    const int found = RowsFound(ADOQuery4);
    if (found == 1) {
        TakeItem();
    } else {
        if (found == 0) {
            Message("无此收费项目!");
            xmzlhxform->NotFound = true;
        }
        if (xmzlhxform->ShowModal() == mrOk && ADOQuery4->Active() && !ADOQuery4->IsEmpty())
            TakeItem();
    }
    ADOQuery4->Close();
}

// Quantity: checks the line, warns at the low-stock limit, adds the line.
void Tsfform::Edit8KeyPress(TObject*, char32_t& Key) {
    if (!IsQuantityKey(Key)) {
        Refuse(Key, "请输入数字!");
        return;
    }
    if (Key != kKeyEnter) return;
    if (Edit8->Text().empty()) {
        Message("数量不能空白!");
        return;
    }
    if (Edit5->Text().empty() || Edit6->Text().empty() || Edit7->Text().empty() || FItemId.empty()) {
        Message("请检查项目名称、单价、规格等是否填全!");
        return;
    }
    const auto quantity = ParseAmount(Edit8->Text());
    if (!quantity || !ParseMoney(Edit8->Text()) || !ParseMoney(Edit6->Text())) {
        MessageBeep(1);
        Message("请输入数字!");
        return;
    }
    if (FItemKind == kDrug && FStock - *quantity <= FLimit) {
        const std::string text = "该药品库存数量已到达下限,现有数量：" + Format("%.2f", {FStock});
        if (Application->MessageBox(text, kCaption, MB_OKCANCEL) != IDOK) return;
    }
    // A line the database refused is not in tb_temp (the table cancels it): the entry stays
    // for Enter again, which adds it once. A line stored whose total could not be read back
    // is in: the entry goes, so that Enter does not add it a second time.
    const int lines = ADOTable2->RecordCount();
    try {
        AddLine();
    } catch (...) {
        if (ADOTable2->RecordCount() > lines) ClearItemEntry();
        throw;
    }
    ClearItemEntry();
}

void Tsfform::ClearItemEntry() {
    for (TEdit* e : {Edit5, Edit6, Edit7, Edit8}) e->SetText("");
    for (TLabel* l : {Label15, Label22, Label25}) l->SetCaption("");
    Edit5->SetFocus();
}

void Tsfform::AddLine() {
    const Currency price = StrToCurr(Edit6->Text());
    const Currency quantity = StrToCurr(Trim(Edit8->Text()));
    ADOTable2->Append();
    ADOTable2->FieldByName("id")->SetAsInteger(StrToInt(FItemId));
    ADOTable2->FieldByName("项目种类")->SetAsString(FItemKind);
    ADOTable2->FieldByName("项目类型")->SetAsString(Label22->Caption());
    ADOTable2->FieldByName("项目名称")->SetAsString(Edit5->Text());
    ADOTable2->FieldByName("规格")->SetAsString(Edit7->Text());
    ADOTable2->FieldByName("单位")->SetAsString(Label15->Caption());
    if (FItemKind == kDrug) ADOTable2->FieldByName("进价")->SetAsString(Label25->Caption());
    ADOTable2->FieldByName("单价")->SetAsString(Edit6->Text());
    ADOTable2->FieldByName("数量")->SetAsString(Trim(Edit8->Text()));
    ADOTable2->FieldByName("单项累计")->SetAsString(LineTotal(price, quantity).ToFixed(kPriceDecimals));
    ADOTable2->Post();
}

// --- Lines and totals --------------------------------------------------------------------------
void Tsfform::LinesChanged() {
    // Any change of the lines takes back a discount or an internal account.
    if (Label23->Caption() != kTitleNormal) {
        Label23->SetCaption(kTitleNormal);
        Label24->SetCaption("0.00");
    }
    // Until the new total is read the amount due is empty: a total the database refused to
    // give is never left standing for the lines it no longer adds up (TotalLines reads it
    // again before charging).
    Edit9->SetText("");
    ADOQuery1->Close();
    ADOQuery1->SQL()->SetText("select " + AmountSumSql("单项累计", kPriceDecimals) + " as dxlj from tb_temp");
    ADOQuery1->Open();
    Edit9->SetText(ADOQuery1->Fields()[0]->AsCurrency().ToFixed(kFenDecimals));
    ADOQuery1->Close();
}

void Tsfform::TotalLines() {
    if (Edit9->Text().empty() && ADOTable2->Active() && !ADOTable2->IsEmpty()) LinesChanged();
}

void Tsfform::ADOTable2AfterPost(TDataSet*) { LinesChanged(); }
void Tsfform::ADOTable2AfterDelete(TDataSet*) { LinesChanged(); }

void Tsfform::DBGrid1DblClick(TObject*) {
    if (!ADOTable2->Active() || ADOTable2->IsEmpty()) return;
    const std::string text = "确定删除收费项目" + ADOTable2->FieldByName("项目名称")->AsString() + "吗？";
    if (MessageDlg(text, mtConfirmation, mbYesNo) == mrYes) ADOTable2->Delete();
}

void Tsfform::FlatButton1Click(TObject*) {
    hintform->ShowLines({"1.病人、医生、项目拼音码处都是填入拼音字母后再按Enter键确定;",
                         "2.在病人拼音码处不填任何内容按Enter键确定，则可以新增病人资料;",
                         "3.在项目拼音码处不填任何内容按Enter键确定，则视为项目录入结束;",
                         "4.在已收金额处填完数字后按Enter键确定，则整个收费过程结束，打印窗口会自动跳出;",
                         "5.双击收费清单中某一行项目，可删除该收费项目;",
                         "6.整个收费过程按Enter键确认后光标会自动跳到下一步."});
}

// --- The save --------------------------------------------------------------------------------
void Tsfform::Edit10Click(TObject*) {
    TotalLines();
    sftsform->ShowModal();
}

// Selected also when the prompt came from a click into the field, which had the focus
// already with the caret where the mouse put it.
void Tsfform::ProposeReceivedAmount() {
    Edit10->SetText(Edit9->Text());
    Edit10->SetFocus();
    Edit10->SelectAll();
}

// Every key: completeness, the received amount, the key filter; Enter saves.
void Tsfform::Edit10KeyPress(TObject*, char32_t& Key) {
    TotalLines();
    const bool noLines = !ADOTable2->Active() || ADOTable2->IsEmpty();
    if (Edit9->Text().empty() || Edit9->Text() == "0.00" || Edit1->Text().empty() ||
        Edit2->Text().empty() || ComboBox1->Text().empty() || Edit3->Text().empty() ||
        Edit4->Text().empty() || noLines) {
        Message(kIncomplete);
        if (Edit1->Text().empty() || Edit2->Text().empty() || ComboBox1->Text().empty()) Edit1->SetFocus();
        else if (Edit3->Text().empty() || Edit4->Text().empty()) Edit3->SetFocus();
        else Edit5->SetFocus();
        return;
    }
    if (Edit10->Text().empty() && Key == kKeyEnter) {
        Message("请录入已收金额!");
        return;
    }
    if (!IsMoneyKey(Edit10->Text(), Edit10->SelStart(), Edit10->SelLength(), Key)) {
        Refuse(Key, "请输入数字!");
        return;
    }
    if (Key != kKeyEnter) return;
    SaveReceipt();
}

// The receipt's amounts are kept in fen: what was typed with more decimals is taken to the
// fen before the change is worked out, so the stored totals and the change agree.
void Tsfform::SaveReceipt() {
    auto received = ParseMoney(Edit10->Text());
    auto due = ParseMoney(Edit9->Text());
    if (!received || !due) {
        MessageBeep(1);
        Message("请输入数字!");
        Edit10->SetFocus();
        return;
    }
    int patientId = 0;
    TDateTime chargeDate = 0;
    if (!TryStrToInt(Label21->Caption(), patientId)) {
        // A patient name typed over without a look-up has no patient record behind it.
        Message(kIncomplete);
        Edit1->SetFocus();
        return;
    }
    if (!TryStrToDate(Label5->Caption(), chargeDate)) chargeDate = Date();
    received = received->Round(kFenDecimals);
    due = due->Round(kFenDecimals);
    Edit11->SetText(ChangeText(*received, *due));

    TChargeReceipt receipt;
    receipt.Counter = FCounter;
    receipt.ReceiptNo = Label3->Caption();
    receipt.ChargeDate = chargeDate;
    receipt.PatientId = patientId;
    receipt.PatientName = Edit1->Text();
    receipt.PatientSex = ComboBox1->Text();
    receipt.PatientAge = Edit2->Text();
    receipt.Doctor = Edit3->Text();
    receipt.Department = Edit4->Text();
    receipt.Due = *due;
    receipt.Received = *received;
    receipt.Change = *received - *due;
    receipt.Reduction = ParseMoney(Label24->Caption()).value_or(Currency()).Round(kFenDecimals);
    receipt.ChargeType = ChargeTypeOfTitle(Label23->Caption());
    receipt.ChargeTime = Label20->Caption();
    receipt.Cashier = Edit12->Text();

    TChargeSaveOutcome outcome;
    {
        // The line grid stays as it is while the save runs; it is live again on every way out.
        TDisableControls frozen(*ADOTable2);
        outcome = SaveCharge(*datamoduleform->ADOConnection1, receipt, Date(), RetryPolicy);
        if (outcome.Committed) {
            if (outcome.Renumbered) {
                FCounter = outcome.Counter;
                Label3->SetCaption(outcome.ReceiptNo);
                Label5->SetCaption(DateToStr(outcome.ChargeDate));
            }
            if (PrintPrompt()) PrintPrompt()(outcome.ReceiptNo);
            ADOTable2->Requery();
        }
    }
    if (!outcome.Committed) {
        Message("收费保存失败，收费项目仍然保留，请稍后再按Enter键保存!\n" + ClinicReason(outcome.LastError));
        Edit10->SetFocus();
        return;
    }
    ResetChargeEntry();
    NextReceiptNumber();
    Edit1->SetFocus();
}

void Tsfform::DeclareProperties(TPropertyDecl<Tsfform>& d) {
    d.Method("FormCreate", &Tsfform::FormCreate);
    d.Method("FormShow", &Tsfform::FormShow);
    d.Method("FormClose", &Tsfform::FormClose);
    d.Method("Timer1Timer", &Tsfform::Timer1Timer);
    d.Method("Edit1KeyPress", &Tsfform::Edit1KeyPress);
    d.Method("Edit3KeyPress", &Tsfform::Edit3KeyPress);
    d.Method("Edit5KeyPress", &Tsfform::Edit5KeyPress);
    d.Method("Edit8KeyPress", &Tsfform::Edit8KeyPress);
    d.Method("Edit10Click", &Tsfform::Edit10Click);
    d.Method("Edit10KeyPress", &Tsfform::Edit10KeyPress);
    d.Method("DBGrid1DblClick", &Tsfform::DBGrid1DblClick);
    d.Method("FlatButton1Click", &Tsfform::FlatButton1Click);
    d.Method("CloseButtonClick", &Tsfform::CloseButtonClick);
    d.Method("ADOTable2AfterPost", &Tsfform::ADOTable2AfterPost);
    d.Method("ADOTable2AfterDelete", &Tsfform::ADOTable2AfterDelete);
}
