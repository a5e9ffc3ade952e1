#include "app/forms/StockOverviewForm.h"

#include "app/charging/ReceiptRules.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/QuerySupport.h"
#include "platform/db/ADODB.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/StdCtrls.h"
#include "report/DataSet.h"
#include "report/Report.h"

ROVE_IMPLEMENT_CLASS(Tjxcylform)
ROVE_CLINIC_FORM(Tjxcylform, jxcylform)

Tjxcylform* jxcylform = nullptr;

namespace {
constexpr const char* kCaption = "提示";
// Stock-in records of the range, every drug's current stock, and the charge lines of the
// range, summed per item key, name and pack size (规格).
constexpr const char* kUnion =
    " select 项目ID,项目名称,规格,sum(入库数量)as 进库数量,sum(库存数量)as 库存数量,sum(数量) as 销售数量  from ("
    "SELECT 药品ID as 项目ID , 药品名称 AS 项目名称,规格,入库数量, 0 as 库存数量, 0 as 数量 from tb_yprk"
    " where 入库日期 between :d1 and :d2"
    " union all  SELECT ID as 项目ID, 项目名称,规格, 0, 库存数量, 0 from tb_yp where 项目种类='药品项目'"
    " union all  SELECT 项目ID, 项目名称,项目规格 as 规格, 0, 0,数量 from tb_sf where 收费日期 between :d3 and :d4"
    ") as a ";
}  // namespace

Tjxcylform::Tjxcylform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Tjxcylform::~Tjxcylform() {
    // The report goes before the dataset and the query it prints.
    delete frxReport1;
    frxReport1 = nullptr;
    if (jxcylform == this) jxcylform = nullptr;
}

void Tjxcylform::BindFields() {
    Bind(DateTimePicker1, "DateTimePicker1");
    Bind(DateTimePicker2, "DateTimePicker2");
    Bind(CheckBox2, "CheckBox2");
    Bind(Edit1, "Edit1");
    Bind(Button1, "Button1");
    Bind(Button2, "Button2");
    Bind(Button3, "Button3");
    Bind(DBGrid1, "DBGrid1");
    Bind(ADOQuery1, "ADOQuery1");
    Bind(DataSource1, "DataSource1");
    Bind(frxDBDataset1, "frxDBDataset1");
    Bind(frxReport1, "frxReport1");
}

void Tjxcylform::FormCreate(TObject*) {
    DateTimePicker1->SetDate(Date());
    DateTimePicker2->SetDate(Date());
}

void Tjxcylform::Edit1KeyPress(TObject*, char32_t& Key) {
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

void Tjxcylform::Button1Click(TObject*) {
    TBoundSql overview{kUnion, {}};
    overview.Params = {{"d1", DateParam(DateTimePicker1->Date())},
                       {"d2", DateParam(DateTimePicker2->Date())},
                       {"d3", DateParam(DateTimePicker1->Date())},
                       {"d4", DateParam(DateTimePicker2->Date())}};
    if (CheckBox2->Checked()) overview.Add(" where 项目名称=:drug", "drug", Variant(Edit1->Text()));
    overview.Add(" group by 项目ID,项目名称,规格");
    PrepareQuery(ADOQuery1, overview);
    ADOQuery1->Open();
    if (ADOQuery1->IsEmpty()) Application->MessageBox("没有找到相符的记录!", kCaption, MB_OK);
}

void Tjxcylform::Button2Click(TObject*) {
    if (!ADOQuery1->Active() || ADOQuery1->IsEmpty()) return;
    ShowWindowReport(frxReport1,
                     {{"aa", DateToStr(DateTimePicker1->Date())}, {"bb", DateToStr(DateTimePicker2->Date())}},
                     TReportTexts::ScriptVariables);
}

void Tjxcylform::Button3Click(TObject*) { ExportQueryGrid(DBGrid1); }

void Tjxcylform::DeclareProperties(TPropertyDecl<Tjxcylform>& d) {
    d.Method("FormCreate", &Tjxcylform::FormCreate);
    d.Method("Edit1KeyPress", &Tjxcylform::Edit1KeyPress);
    d.Method("Button1Click", &Tjxcylform::Button1Click);
    d.Method("Button2Click", &Tjxcylform::Button2Click);
    d.Method("Button3Click", &Tjxcylform::Button3Click);
}
