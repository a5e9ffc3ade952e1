#include "app/forms/QuantityStatsForm.h"

#include "app/forms/ClinicForms.h"
#include "app/forms/QuerySupport.h"
#include "platform/db/ADODB.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/StdCtrls.h"
#include "report/DataSet.h"
#include "report/Report.h"

ROVE_IMPLEMENT_CLASS(Typxhtjform)
ROVE_CLINIC_FORM(Typxhtjform, ypxhtjform)

Typxhtjform* ypxhtjform = nullptr;

Typxhtjform::Typxhtjform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Typxhtjform::~Typxhtjform() {
    // The report goes before the dataset and the query it prints.
    delete frxReport1;
    frxReport1 = nullptr;
    if (ypxhtjform == this) ypxhtjform = nullptr;
}

void Typxhtjform::BindFields() {
    Bind(DateTimePicker1, "DateTimePicker1");
    Bind(DateTimePicker2, "DateTimePicker2");
    Bind(CheckBox1, "CheckBox1");
    Bind(ComboBox1, "ComboBox1");
    Bind(CheckBox2, "CheckBox2");
    Bind(CheckBox3, "CheckBox3");
    Bind(CheckBox4, "CheckBox4");
    Bind(Button1, "Button1");
    Bind(Button2, "Button2");
    Bind(Button3, "Button3");
    Bind(DBGrid1, "DBGrid1");
    Bind(ADOQuery1, "ADOQuery1");
    Bind(ADOQuery2, "ADOQuery2");
    Bind(DataSource1, "DataSource1");
    Bind(frxDBDataset1, "frxDBDataset1");
    Bind(frxReport1, "frxReport1");
}

// The doctors window adds the names of doctors saved later.
void Typxhtjform::FormCreate(TObject*) {
    DateTimePicker1->SetDate(Date());
    DateTimePicker2->SetDate(Date());
    ComboBox1->Items()->Clear();
    PrepareQuery(ADOQuery2, {"select 姓名 from tb_doctor", {}});
    ADOQuery2->Open();
    for (ADOQuery2->First(); !ADOQuery2->Eof(); ADOQuery2->Next())
        ComboBox1->Items()->Add(ADOQuery2->Fields()[0]->AsString());
    ADOQuery2->Close();
}

void Typxhtjform::Button1Click(TObject*) {
    TBoundSql sql{"select 项目id,项目名称,项目规格,销价,Sum(数量)as 合计数量 from tb_sf where 收费日期 between :Date1 and :Date2",
                  {{"Date1", DateParam(DateTimePicker1->Date())}, {"Date2", DateParam(DateTimePicker2->Date())}}};
    if (CheckBox1->Checked()) sql.Add(" and 医生姓名=:doctor", "doctor", Variant(ComboBox1->Text()));
    if (CheckBox2->Checked()) sql.Add(" and 收费类型='内部记账'");
    if (CheckBox3->Checked()) sql.Add(" and 项目种类='药品项目'");
    if (CheckBox4->Checked()) sql.Add(" and 项目种类='检查项目'");
    sql.Add(" Group by 项目id,项目名称,项目规格,销价 ");
    PrepareQuery(ADOQuery1, sql);
    ADOQuery1->Open();
    if (ADOQuery1->IsEmpty()) Application->MessageBox("没有找到相符的记录!", "提示", MB_OK);
}

void Typxhtjform::Button2Click(TObject*) { ExportQueryGrid(DBGrid1); }

void Typxhtjform::Button3Click(TObject*) {
    if (!ADOQuery1->Active() || ADOQuery1->IsEmpty()) return;
    ShowWindowReport(frxReport1, {{"aa", DateToStr(DateTimePicker1->Date())}, {"bb", DateToStr(DateTimePicker2->Date())}});
}

void Typxhtjform::DeclareProperties(TPropertyDecl<Typxhtjform>& d) {
    d.Method("FormCreate", &Typxhtjform::FormCreate);
    d.Method("Button1Click", &Typxhtjform::Button1Click);
    d.Method("Button2Click", &Typxhtjform::Button2Click);
    d.Method("Button3Click", &Typxhtjform::Button3Click);
}
