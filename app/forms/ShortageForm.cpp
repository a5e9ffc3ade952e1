#include "app/forms/ShortageForm.h"

#include "app/forms/ClinicForms.h"
#include "app/forms/QuerySupport.h"
#include "platform/db/ADODB.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/StdCtrls.h"
#include "report/DataSet.h"
#include "report/Report.h"

ROVE_IMPLEMENT_CLASS(Tqhsxcxform)
ROVE_CLINIC_FORM(Tqhsxcxform, qhsxcxform)

Tqhsxcxform* qhsxcxform = nullptr;

Tqhsxcxform::Tqhsxcxform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Tqhsxcxform::~Tqhsxcxform() {
    // The report goes before the dataset and the query it prints.
    delete frxReport1;
    frxReport1 = nullptr;
    if (qhsxcxform == this) qhsxcxform = nullptr;
}

void Tqhsxcxform::BindFields() {
    Bind(RadioButton1, "RadioButton1");
    Bind(RadioButton2, "RadioButton2");
    Bind(DateTimePicker1, "DateTimePicker1");
    Bind(Button1, "Button1");
    Bind(Button2, "Button2");
    Bind(Button3, "Button3");
    Bind(DBGrid1, "DBGrid1");
    Bind(ADOQuery1, "ADOQuery1");
    Bind(DataSource1, "DataSource1");
    Bind(frxDBDataset1, "frxDBDataset1");
    Bind(frxReport1, "frxReport1");
}

void Tqhsxcxform::FormCreate(TObject*) { DateTimePicker1->SetDate(Date() + 365); }

void Tqhsxcxform::Button1Click(TObject*) {
    TBoundSql drugs{"select * from tb_yp where 项目种类='药品项目'", {}};
    if (RadioButton1->Checked()) drugs.Add("\n and 库存数量<=库存下限 order by 库存数量");
    if (RadioButton2->Checked())
        drugs.Add("\n and  失效日期<=:yxq order by 失效日期", "yxq", DateParam(DateTimePicker1->Date()));
    PrepareQuery(ADOQuery1, drugs);
    ADOQuery1->Open();
    if (ADOQuery1->RecordCount() == 0) Application->MessageBox("没有找到相符的记录!", "提示", MB_OK);
}

void Tqhsxcxform::Button2Click(TObject*) {
    if (!ADOQuery1->Active() || ADOQuery1->IsEmpty()) return;
    ShowWindowReport(frxReport1);
}

void Tqhsxcxform::Button3Click(TObject*) { ExportQueryGrid(DBGrid1); }

void Tqhsxcxform::DeclareProperties(TPropertyDecl<Tqhsxcxform>& d) {
    d.Method("FormCreate", &Tqhsxcxform::FormCreate);
    d.Method("Button1Click", &Tqhsxcxform::Button1Click);
    d.Method("Button2Click", &Tqhsxcxform::Button2Click);
    d.Method("Button3Click", &Tqhsxcxform::Button3Click);
}
