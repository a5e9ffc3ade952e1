#include "app/forms/StockInQueryForm.h"

#include "app/charging/ReceiptRules.h"
#include "app/database/DatabaseTexts.h"
#include "app/forms/ChargeForm.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/DataModule.h"
#include "app/forms/HintForm.h"
#include "app/forms/QuerySupport.h"
#include "app/widgets/FlatButton.h"
#include "platform/db/ADODB.h"
#include "platform/db/DBError.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/StdCtrls.h"
#include "report/DataSet.h"
#include "report/Report.h"

ROVE_IMPLEMENT_CLASS(Trkcxform)
ROVE_CLINIC_FORM(Trkcxform, rkcxform)

Trkcxform* rkcxform = nullptr;

namespace {
constexpr const char* kCaption = "提示";
}

Trkcxform::Trkcxform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Trkcxform::~Trkcxform() {
    // The report goes before the dataset and the query it prints.
    delete frxReport1;
    frxReport1 = nullptr;
    if (rkcxform == this) rkcxform = nullptr;
}

void Trkcxform::BindFields() {
    Bind(CheckBox1, "CheckBox1");
    Bind(DateTimePicker1, "DateTimePicker1");
    Bind(DateTimePicker2, "DateTimePicker2");
    Bind(CheckBox2, "CheckBox2");
    Bind(Edit1, "Edit1");
    Bind(Button1, "Button1");
    Bind(Button2, "Button2");
    Bind(Button3, "Button3");
    Bind(Button4, "Button4");
    Bind(FlatButton1, "FlatButton1");
    Bind(StatusBar1, "StatusBar1");
    Bind(DBGrid1, "DBGrid1");
    Bind(ADOQuery1, "ADOQuery1");
    Bind(DataSource1, "DataSource1");
    Bind(ADOQuery2, "ADOQuery2");
    Bind(frxDBDataset1, "frxDBDataset1");
    Bind(frxReport1, "frxReport1");
}

void Trkcxform::FormCreate(TObject*) {
    DateTimePicker1->SetDate(Date());
    DateTimePicker2->SetDate(Date());
}

void Trkcxform::Edit1KeyPress(TObject*, char32_t& Key) {
    if (!IsPinyinKey(Key)) {
        Key = 0;
        MessageBeep(1);
        Application->MessageBox("请输入拼音字母后按Enter键!", kCaption, MB_OK);
        return;
    }
    if (Key != kKeyEnter) return;
    std::string name;
    if (!PickDrugByCode(this, Edit1, name)) return;
    Edit1->SetText(name);
    CheckBox2->SetChecked(true);
    Button1->SetFocus();
}

void Trkcxform::Edit1Click(TObject*) { Edit1->SelectAll(); }

void Trkcxform::Button1Click(TObject*) {
    if (!CheckBox1->Checked()) {
        Application->MessageBox("请选择要查询的时间段!", kCaption, MB_OK);
        return;
    }
    StatusBar1->Panels()->Items(0)->SetText("");
    TBoundSql find{"select * from tb_yprk where 入库日期 between :Date1 and :Date2", {}};
    find.Params.emplace_back("Date1", DateParam(DateTimePicker1->Date()));
    find.Params.emplace_back("Date2", DateParam(DateTimePicker2->Date()));
    if (CheckBox2->Checked()) find.Add("\n and 药品名称=:drug", "drug", Variant(Edit1->Text()));
    PrepareQuery(ADOQuery1, find);
    ADOQuery1->Open();
    if (ADOQuery1->IsEmpty()) Application->MessageBox("没有找到相符的记录!", kCaption, MB_OK);
}

void Trkcxform::ADOQuery1AfterOpen(TDataSet*) {
    if (ADOQuery1->IsEmpty()) return;
    Currency sum;
    {
        TDisableControls frozen(*ADOQuery1);
        for (ADOQuery1->First(); !ADOQuery1->Eof(); ADOQuery1->Next()) sum += ADOQuery1->FieldByName("入库金额")->AsCurrency();
        ADOQuery1->First();
    }
    StatusBar1->Panels()->Items(0)->SetText("入库金额总计: " + Format("%.2f", {sum}));
}

void Trkcxform::Button2Click(TObject*) { Close(); }

void Trkcxform::Button3Click(TObject*) {
    if (!ADOQuery1->Active() || ADOQuery1->IsEmpty()) return;
    ShowWindowReport(frxReport1,
                     {{"aa", DateToStr(DateTimePicker1->Date())},
                      {"bb", DateToStr(DateTimePicker2->Date())},
                      {"cc", StatusBar1->Panels()->Items(0)->Text()}},
                     TReportTexts::ScriptVariables);
}

void Trkcxform::Button4Click(TObject*) { ExportQueryGrid(DBGrid1); }

void Trkcxform::FlatButton1Click(TObject*) {
    hintform->ShowLines({"1.如有入库错误，请先查找到该记录，然后双击该记录红冲作废;",
                         "2.红冲作废不是删除掉入库记录，而是生成一条入库数量为相同负数的新记录，从而红冲掉数量;",
                         "3.红冲掉错误的记录后，可以再次到入库窗口录入正确的记录;"});
}

// --- Red reversal ---------------------------------------------------------------------------
void Trkcxform::DBGrid1DblClick(TObject*) {
    if (!ADOQuery1->Active() || ADOQuery1->IsEmpty()) return;
    const std::string day = ADOQuery1->FieldByName("入库日期")->AsString();
    const std::string name = ADOQuery1->FieldByName("药品名称")->AsString();
    const std::string question = "确定红冲\"入库日期为" + day + ",药品名称为" + name + "\"的记录吗？";
    if (MessageDlg(question, mtConfirmation, mbYesNo) != mrYes) return;
    const std::string error = Reverse();
    if (!error.empty()) {
        Application->MessageBox("红冲作废入库记录失败，库存和入库记录均未改动!\n" + ClinicReason(error), kCaption,
                                MB_OK | MB_ICONERROR);
        return;
    }
    Button1Click(this);
    Application->MessageBox("红冲作废入库记录成功!", kCaption, MB_OK);
}

std::string Trkcxform::Reverse() {
    const int drugId = ADOQuery1->FieldByName("药品ID")->AsInteger();
    const Currency quantity = ADOQuery1->FieldByName("入库数量")->AsCurrency();
    const Currency amount = ADOQuery1->FieldByName("入库金额")->AsCurrency();
    TBoundSql record{"insert into tb_yprk (入库日期,药品名称,规格,单位,批号,进价,单价,入库数量,入库金额,产地,药品ID,操作员)"
                     " values (:rq,:mc,:gg,:dw,:ph,:jj,:dj,:sl,:je,:cd,:ypid,:czy)",
                     {}};
    record.Params = {{"rq", ADOQuery1->FieldByName("入库日期")->Value()},
                     {"mc", Variant(ADOQuery1->FieldByName("药品名称")->AsString())},
                     {"gg", Variant(ADOQuery1->FieldByName("规格")->AsString())},
                     {"dw", Variant(ADOQuery1->FieldByName("单位")->AsString())},
                     {"ph", Variant(ADOQuery1->FieldByName("批号")->AsString())},
                     {"jj", Variant::FromCurrency(ADOQuery1->FieldByName("进价")->AsCurrency())},
                     {"dj", Variant::FromCurrency(ADOQuery1->FieldByName("单价")->AsCurrency())},
                     {"sl", Variant::FromCurrency(-quantity)},
                     {"je", Variant::FromCurrency(-amount)},
                     {"cd", Variant(ADOQuery1->FieldByName("产地")->AsString())},
                     {"ypid", Variant(drugId)},
                     {"czy", Variant(sfform->Edit12->Text())}};
    TADOConnection& connection = *datamoduleform->ADOConnection1;
    try {
        connection.BeginTrans();
        TBoundSql drug{"select * from tb_yp where id=:ypid", {{"ypid", Variant(drugId)}}};
        PrepareQuery(ADOQuery2, drug);
        ADOQuery2->Open();
        if (ADOQuery2->IsEmpty()) throw EDatabaseError("药品ID " + IntToStr(drugId) + " 的药品已不存在");
        // The stock left, valued at the drug's current prices.
        const Currency stock = ADOQuery2->FieldByName("库存数量")->AsCurrency() - quantity;
        const Currency cost = ADOQuery2->FieldByName("进价")->AsCurrency();
        const Currency price = ADOQuery2->FieldByName("单价")->AsCurrency();
        ADOQuery2->Close();
        TBoundSql update{"update tb_yp set 库存数量=:sl,进价金额=:jjje,销价金额=:xjje where ID=:id",
                         {{"sl", Variant(stock.ToFixed(2))},
                          {"jjje", Variant(Currency::MulRound(stock, cost, 3).ToFixed(3))},
                          {"xjje", Variant(Currency::MulRound(stock, price, 3).ToFixed(3))},
                          {"id", Variant(drugId)}}};
        PrepareQuery(ADOQuery2, update);
        ADOQuery2->ExecSQL();
        PrepareQuery(ADOQuery2, record);
        ADOQuery2->ExecSQL();
        connection.CommitTrans();
        return {};
    } catch (const std::exception& e) {
        ADOQuery2->Close();
        if (connection.InTransaction()) connection.RollbackTrans();
        return e.what();
    }
}

void Trkcxform::DeclareProperties(TPropertyDecl<Trkcxform>& d) {
    d.Method("FormCreate", &Trkcxform::FormCreate);
    d.Method("Edit1KeyPress", &Trkcxform::Edit1KeyPress);
    d.Method("Edit1Click", &Trkcxform::Edit1Click);
    d.Method("Button1Click", &Trkcxform::Button1Click);
    d.Method("Button2Click", &Trkcxform::Button2Click);
    d.Method("Button3Click", &Trkcxform::Button3Click);
    d.Method("Button4Click", &Trkcxform::Button4Click);
    d.Method("FlatButton1Click", &Trkcxform::FlatButton1Click);
    d.Method("ADOQuery1AfterOpen", &Trkcxform::ADOQuery1AfterOpen);
    d.Method("DBGrid1DblClick", &Trkcxform::DBGrid1DblClick);
}
