#include "app/forms/PrintForm.h"

#include "app/database/MoneySql.h"
#include "app/forms/ChargeForm.h"
#include "app/forms/ClinicForms.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/StdCtrls.h"
#include "report/Bands.h"
#include "report/XMLDocument.h"
#include "report/DataSet.h"
#include "report/MemoView.h"
#include "report/Options.h"
#include "report/Pages.h"
#include "report/Report.h"

#include <cmath>

ROVE_IMPLEMENT_CLASS(Tprintform)
ROVE_CLINIC_FORM(Tprintform, printform)

Tprintform* printform = nullptr;

namespace {

constexpr const char* kCaption = "提示";

// The Chinese characters of the two tables, one UTF-8 character per entry.
constexpr std::array<const char*, 10> kDigits = {"零", "壹", "贰", "叁", "肆", "伍", "陆", "柒", "捌", "玖"};
constexpr std::array<const char*, 19> kUnits = {"分", "角", "元", "拾", "佰", "仟", "万", "拾", "佰", "仟",
                                                "亿", "拾", "佰", "仟", "万", "拾", "佰", "仟", "万"};

bool EndsWith(const std::string& s, std::string_view tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

void ReplaceTail(std::string& s, std::string_view tail, std::string_view by) {
    s.replace(s.size() - tail.size(), tail.size(), by);
}

const std::string kSumsSql = "select 项目类型, " + AmountSumSql("单项累计", 2) +
                             " as 金额 from tb_sf where 票据号=:票据号 group by 项目类型";

// The ten sums from the open grouped query (type, sum); other types count in none.
TCategorySums SumsOf(TDataSet& Query) {
    TCategorySums sums{};
    for (Query.First(); !Query.Eof(); Query.Next()) {
        const std::string type = Query.Fields()[0]->AsString();
        for (size_t i = 0; i < kFeeCategories.size(); ++i)
            if (kFeeCategories[i].Name == type && !Query.Fields()[1]->IsNull()) sums[i] = Query.Fields()[1]->AsCurrency();
    }
    Query.First();
    return sums;
}

}  // namespace

std::string AmountToCapital(double Amount) {
    if (!std::isfinite(Amount) || Amount <= 0 || Amount >= 1e14) return {};
    return AmountToCapital(Currency::FromDouble(Amount));
}

std::string AmountToCapital(Currency Amount) {
    if (Amount <= Currency()) return {};
    // More than two decimals is outside what the conversion writes.
    if (Amount.Round(2) != Amount) return {};
    // The amount in fen as a digit string, at least the "0" before the point.
    std::string fen = std::to_string(Amount.Scaled() / 100);
    while (fen.size() < 3) fen.insert(0, "0");
    if (fen.size() > kUnits.size()) return {};

    const int n = static_cast<int>(fen.size());
    auto digitAt = [&](int unit) { return unit < n ? fen[n - 1 - unit] - '0' : 0; };
    std::string r;
    for (int unit = n - 1; unit >= 0; --unit) {
        const int digit = digitAt(unit);
        if (digit != 0) {
            r += kDigits[digit];
            r += kUnits[unit];
            continue;
        }
        const std::string_view u = kUnits[unit];
        bool sectionUnit = u == "元" || u == "亿";
        if (u == "万") {
            // The ten-thousands unit is written only when its group of four digits has a
            // digit; "壹亿万元整" would read as a different amount.
            for (int k = unit; k < unit + 4 && k < n; ++k)
                if (digitAt(k) != 0) sectionUnit = true;
        }
        if (sectionUnit) {
            if (EndsWith(r, "零")) ReplaceTail(r, "零", u);
            else r += u;
        }
        if (!EndsWith(r, "零")) r += "零";
    }
    if (EndsWith(r, "元零")) ReplaceTail(r, "零", "整");
    else if (EndsWith(r, "角零")) ReplaceTail(r, "零", "整");
    else if (EndsWith(r, "零")) ReplaceTail(r, "零", "元整");
    return r;
}

TCategorySums ReceiptCategorySums(TADOConnection& Connection, const std::string& ReceiptNo) {
    TADOQuery q(nullptr);
    q.SetConnection(&Connection);
    q.SQL()->SetText(kSumsSql);
    q.Parameters()->ParamByName("票据号")->SetValue(Variant(ReceiptNo));
    q.Open();
    return SumsOf(q);
}

Tprintform::Tprintform(TComponent* AOwner) : TForm(AOwner) {
    InitForm();
    // The built-in model receipt is frxReport1's own template, as the form resource holds
    // it; it is kept as report XML, since every run clears the report and loads a file.
    TStringStream model;
    frxReport1->SaveToStream(model);
    FModelTemplate = model.DataString();
    AddDataSets();
    OnCloseQuery = [this](TObject* Sender, bool& CanClose) { PromptCloseQuery(Sender, CanClose); };
}

Tprintform::~Tprintform() {
    // The report goes first: its prepared pages still refer to the datasets and queries.
    delete frxReport1;
    frxReport1 = nullptr;
    if (printform == this) {
        printform = nullptr;
        Tsfform::SetReceiptPrintPrompt(nullptr);
    }
}

void Tprintform::BindFields() {
    Bind(Label1, "Label1");
    Bind(Label2, "Label2");
    Bind(RadioButton1, "RadioButton1");
    Bind(RadioButton2, "RadioButton2");
    Bind(RadioButton3, "RadioButton3");
    Bind(Button1, "Button1");
    Bind(Button2, "Button2");
    Bind(ADOQuery1, "ADOQuery1");
    Bind(ADOQuery2, "ADOQuery2");
    Bind(ADOQuery3, "ADOQuery3");
    Bind(frxDBDataset1, "frxDBDataset1");
    Bind(frxDBDataset2, "frxDBDataset2");
    Bind(frxDBDataset3, "frxDBDataset3");
    Bind(frxReport1, "frxReport1");
}

void Tprintform::FormCreate(TObject*) {
    // Every saved charge comes here with its receipt number.
    Tsfform::SetReceiptPrintPrompt([](const std::string& ReceiptNo) {
        if (!printform) return;
        printform->Label2->SetCaption(ReceiptNo);
        printform->ShowModal();
    });
}

void Tprintform::FormShow(TObject*) {
    const std::string receipt = Label2->Caption();
    ADOQuery1->Close();
    ADOQuery1->SQL()->SetText(kSumsSql);
    ADOQuery1->Parameters()->ParamByName("票据号")->SetValue(Variant(receipt));
    ADOQuery1->Open();
    FSums = SumsOf(*ADOQuery1);

    ADOQuery2->Close();
    ADOQuery2->SQL()->SetText("select * from tb_sf where 票据号=:票据号 and 统计标致<>'0'");
    ADOQuery2->Parameters()->ParamByName("票据号")->SetValue(Variant(receipt));
    ADOQuery2->Open();

    ADOQuery3->Close();
    ADOQuery3->SQL()->SetText("select * from tb_sf where 票据号=:票据号 order by id");
    ADOQuery3->Parameters()->ParamByName("票据号")->SetValue(Variant(receipt));
    ADOQuery3->Open();
}

void Tprintform::FormClose(TObject*, TCloseAction&) { Label2->SetCaption(""); }

void Tprintform::SetVariables() {
    std::string dx;
    if (ADOQuery2->Active() && !ADOQuery2->IsEmpty()) {
        const Currency due = ADOQuery2->FieldByName("应收金额")->AsCurrency().Round(2);
        if (due > Currency()) dx = AmountToCapital(due);
    }
    frxReport1->SetVariableText("dx", dx);
    for (size_t i = 0; i < kFeeCategories.size(); ++i)
        frxReport1->Variables()->SetVariables(kFeeCategories[i].Variable, Variant::FromCurrency(FSums[i]));
}

void Tprintform::AddDataSets() {
    for (TfrxDBDataset* ds : {frxDBDataset1, frxDBDataset2, frxDBDataset3})
        if (!frxReport1->DataSets()->Find(ds)) frxReport1->DataSets()->Add(ds);
}

void Tprintform::AddTitle() {
    // A template saved with its own title keeps it; a second object of the name would be
    // refused by the report.
    if (frxReport1->FindObject(kReceiptTitleName) || frxReport1->PagesCount() == 0) return;
    TfrxComponent* parent = dynamic_cast<TfrxBand*>(frxReport1->FindObject("Pageheader1"));
    if (!parent) parent = frxReport1->Pages(0);
    auto* memo = new TfrxMemoView(parent);
    memo->SetName(kReceiptTitleName);
    memo->SetText(kReceiptTitle);
    memo->AutoWidth = true;
    memo->WordWrap = true;
    memo->SetHeight(18.89765);
    memo->SetTop(0.377953);
    memo->SetLeft(94.48825);
    memo->Font()->SetSize(12);
    memo->Font()->SetName("宋体");
}

// The installation's template, rove.bl3 of the working folder. A folder without one gets the
// built-in model receipt written there first, so the receipt prints on it and "设计" opens
// and saves that file; a folder that takes no file prints the model as it is.
// A file that cannot be read (damaged, cut short) is left as it is: the user is told which
// file it is, the receipt is made on the built-in model, and "设计" starts from the model
// with the file's name, so that only a save in the designer replaces the damaged file.
bool Tprintform::LoadTemplate() {
    if (!FileExists(kReceiptTemplateFile)) {
        try {
            SaveFileAtomically(kReceiptTemplateFile, FModelTemplate, TFileAccess::OwnerOnly);
        } catch (const Exception& e) {
            Application->MessageBox(std::string("无法保存票据模板 ") + kReceiptTemplateFile + "，本次使用内置的票据模板：" +
                                        e.Message(),
                                    kCaption, MB_OK);
        }
    }
    bool damaged = false;
    try {
        if (frxReport1->LoadFromFile(kReceiptTemplateFile)) return true;
    } catch (const std::exception& e) {
        Application->MessageBox(DamagedTemplateText(ExpandFileName(kReceiptTemplateFile), e), kCaption,
                                MB_OK | MB_ICONWARNING);
        damaged = true;
    }
    TStringStream model(FModelTemplate);
    frxReport1->LoadFromStream(model);
    if (damaged) frxReport1->SetFileName(kReceiptTemplateFile);
    return false;
}

std::string DamagedTemplateText(const std::string& FileName, const std::exception& E) {
    const bool malformed = dynamic_cast<const EfrxXMLError*>(&E) != nullptr;
    return "收据模板 " + FileName + (malformed ? " 已损坏，无法读取。" : " 无法读取：" + frxFileErrorText(E)) +
           "\n本次收据按内置的收据模板打印、预览。选“设计”时从内置的收据模板开始，"
           "在设计器中保存后才替换该文件；不保存，该文件保持原样。";
}

bool Tprintform::LoadReceipt() {
    // Clearing the report empties its variables and dataset list, so both are given after
    // the template is loaded.
    const bool found = LoadTemplate();
    SetVariables();
    AddDataSets();
    AddTitle();
    return found;
}

void Tprintform::Button1Click(TObject*) {
    try {
        if (RadioButton3->Checked()) {
            // The template is designed with the printed title, so that the clinic can put
            // its own name there; saved with it, the template keeps the title it was given.
            LoadReceipt();
            frxReport1->DesignReport();
            return;
        }
        LoadReceipt();
        if (RadioButton2->Checked()) {
            frxReport1->ShowReport(true);
        } else {
            // The run lets this window answer: "确定" waits until it is over.
            struct TPrintRun {
                Tprintform* F;
                explicit TPrintRun(Tprintform* f) : F(f) {
                    F->FPrinting = true;
                    F->FPrintStopped = false;
                    F->Button1->SetEnabled(false);
                }
                ~TPrintRun() {
                    F->FPrinting = false;
                    F->Button1->SetEnabled(true);
                }
            } run(this);
            const bool prepared = frxReport1->PrepareReport(true);
            if (FPrintStopped) {
                // Stopped: the pages made so far are not printed.
                frxReport1->PreviewPages()->Clear();
            } else {
                if (!prepared) return;
                frxReport1->PrintOptions()->ShowDialog = false;
                // A print that failed (the report says why) leaves the prompt open, so the
                // receipt can be printed again or previewed.
                if (!frxReport1->PrintReport() && !FPrintStopped) return;
            }
        }
        Close();
    } catch (const std::exception& e) {
        Application->MessageBox(frxFileErrorText(e), kCaption, MB_OK);
    }
}

void Tprintform::Button2Click(TObject*) {
    if (FPrinting) StopPrinting();
    else Close();
}

void Tprintform::StopPrinting() {
    FPrintStopped = true;
    if (TfrxCustomPreviewPages* pages = frxReport1->PreviewPages()) pages->SetTerminated(true);
}

void Tprintform::PromptCloseQuery(TObject*, bool& CanClose) {
    if (!FPrinting) return;
    StopPrinting();
    CanClose = false;
}

void Tprintform::DeclareProperties(TPropertyDecl<Tprintform>& d) {
    d.Method("FormCreate", &Tprintform::FormCreate);
    d.Method("FormShow", &Tprintform::FormShow);
    d.Method("FormClose", &Tprintform::FormClose);
    d.Method("Button1Click", &Tprintform::Button1Click);
    d.Method("Button2Click", &Tprintform::Button2Click);
}
