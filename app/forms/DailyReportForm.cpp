#include "app/forms/DailyReportForm.h"

#include "app/database/MoneySql.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/HintForm.h"
#include "app/forms/QuerySupport.h"
#include "app/widgets/FlatButton.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/Format.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/StdCtrls.h"
#include "report/DataSet.h"
#include "report/Report.h"

ROVE_IMPLEMENT_CLASS(Trbform)
ROVE_CLINIC_FORM(Trbform, rbform)

Trbform* rbform = nullptr;

namespace {
constexpr const char* kCaption = "提示";
// One row per receipt: its first line carries the totals.
constexpr const char* kReceipts =
    "select * from tb_sf where 收费日期 between :Date1 and :Date2 and 统计标致<>'0' order by val([票据号])";
}  // namespace

Trbform::Trbform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Trbform::~Trbform() {
    // The report goes before the dataset and the query it prints.
    delete frxReport1;
    frxReport1 = nullptr;
    if (rbform == this) rbform = nullptr;
}

void Trbform::BindFields() {
    Bind(DateTimePicker1, "DateTimePicker1");
    Bind(DateTimePicker2, "DateTimePicker2");
    Bind(Button1, "Button1");
    Bind(Button2, "Button2");
    Bind(Button3, "Button3");
    Bind(FlatButton1, "FlatButton1");
    Bind(Label3, "Label3");
    Bind(Label4, "Label4");
    Bind(DBGrid1, "DBGrid1");
    Bind(ADOQuery1, "ADOQuery1");
    Bind(ADOQuery2, "ADOQuery2");
    Bind(DataSource1, "DataSource1");
    Bind(frxDBDataset1, "frxDBDataset1");
    Bind(frxReport1, "frxReport1");
}

void Trbform::FormCreate(TObject*) {
    DateTimePicker1->SetDate(Date());
    DateTimePicker2->SetDate(Date());
}

void Trbform::Button1Click(TObject*) {
    Label3->SetCaption("");
    Label4->SetCaption("");
    TBoundSql receipts{kReceipts, {}};
    receipts.Params = {{"Date1", DateParam(DateTimePicker1->Date())}, {"Date2", DateParam(DateTimePicker2->Date())}};
    PrepareQuery(ADOQuery1, receipts);
    ADOQuery1->Open();

    // The totals of the same rows, summed by the database (0.00 without a row).
    TBoundSql totals{"Select " + AmountSumSql("应收金额", 2) + "," + AmountSumSql("减免金额", 2) + " From (" +
                         receipts.Sql + ")",
                     receipts.Params};
    PrepareQuery(ADOQuery2, totals);
    ADOQuery2->Open();
    Label3->SetCaption("应收合计:" + Format("%.2f", {ADOQuery2->Fields()[0]->AsCurrency()}));
    Label4->SetCaption("减免合计:" + Format("%.2f", {ADOQuery2->Fields()[1]->AsCurrency()}));
    ADOQuery2->Close();
    if (ADOQuery1->IsEmpty()) Application->MessageBox("没有找到相符的记录!", kCaption, MB_OK);
}

void Trbform::Button2Click(TObject*) { ExportQueryGrid(DBGrid1); }

void Trbform::Button3Click(TObject*) {
    if (!ADOQuery1->Active() || ADOQuery1->IsEmpty()) return;
    ShowWindowReport(frxReport1, {{"aa", DateToStr(DateTimePicker1->Date())},
                                  {"bb", DateToStr(DateTimePicker2->Date())},
                                  {"cc", Label3->Caption()},
                                  {"dd", Label4->Caption()}});
}

void Trbform::FlatButton1Click(TObject*) {
    hintform->ShowLines({"1.应收金额是指实际应该收到的金额;", "2.减免金额是指因优惠打折、内部记账而少收免收的金额;",
                         "3.应收金额和减免金额是独立的，两者之间无需再相加或者相减;",
                         "4.取例说明如下：某次收费共100元，如果打九折收费，那么应收金额为90元，减免金额为10元，"
                         "医院同收费员结算时按应收金额90来算，不用再加上或者减去10元."});
}

void Trbform::DeclareProperties(TPropertyDecl<Trbform>& d) {
    d.Method("FormCreate", &Trbform::FormCreate);
    d.Method("Button1Click", &Trbform::Button1Click);
    d.Method("Button2Click", &Trbform::Button2Click);
    d.Method("Button3Click", &Trbform::Button3Click);
    d.Method("FlatButton1Click", &Trbform::FlatButton1Click);
}
