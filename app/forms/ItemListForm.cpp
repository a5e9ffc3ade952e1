#include "app/forms/ItemListForm.h"

#include "app/database/MoneySql.h"
#include "app/forms/ChargeForm.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/ItemEditForm.h"
#include "app/forms/ItemFindForm.h"
#include "app/forms/NewItemForm.h"
#include "app/forms/QuerySupport.h"
#include "app/forms/ScreenScale.h"
#include "app/widgets/GridExport.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/StdCtrls.h"
#include "report/DataSet.h"
#include "report/Report.h"

ROVE_IMPLEMENT_CLASS(Txmzlform)
ROVE_CLINIC_FORM(Txmzlform, xmzlform)

Txmzlform* xmzlform = nullptr;

Txmzlform::Txmzlform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Txmzlform::~Txmzlform() {
    // The report goes before the dataset and the query it prints.
    delete frxReport1;
    frxReport1 = nullptr;
    if (xmzlform == this) xmzlform = nullptr;
}

void Txmzlform::BindFields() {
    Bind(ADOQuery1, "ADOQuery1");
    Bind(ADOQuery2, "ADOQuery2");
    Bind(DataSource1, "DataSource1");
    Bind(DBGrid1, "DBGrid1");
    Bind(Label3, "Label3");
    Bind(Label5, "Label5");
    Bind(Label7, "Label7");
    Bind(Button1, "Button1");
    Bind(Button2, "Button2");
    Bind(Button3, "Button3");
    Bind(Button4, "Button4");
    Bind(Button5, "Button5");
    Bind(Button6, "Button6");
    Bind(Button7, "Button7");
    Bind(RadioButton1, "RadioButton1");
    Bind(RadioButton2, "RadioButton2");
    Bind(RadioButton3, "RadioButton3");
    Bind(RadioButton4, "RadioButton4");
    Bind(RadioButton5, "RadioButton5");
    Bind(frxDBDataset1, "frxDBDataset1");
    Bind(frxReport1, "frxReport1");
}

void Txmzlform::FormCreate(TObject*) { ScaleFormToScreen(this); }

void Txmzlform::FormShow(TObject*) { RefreshItemList(); }

void Txmzlform::OpenList(const char* Sql) {
    ADOQuery2->Close();
    ADOQuery2->SQL()->SetText(Sql);
    ADOQuery2->Open();
}

void Txmzlform::RefreshItemList() {
    ADOQuery1->Close();
    ADOQuery1->SQL()->SetText("select " + AmountSumSql("进价金额", 2) + "," + AmountSumSql("销价金额", 2) + " from tb_yp ");
    ADOQuery1->Open();
    // The texts of the two exact totals (nothing without items).
    for (auto [label, field] : {std::pair{Label3, 0}, std::pair{Label5, 1}})
        label->SetCaption(ADOQuery1->Fields()[field]->IsNull() ? std::string()
                                                                : ADOQuery1->Fields()[field]->AsCurrency().ToString());
    ADOQuery1->Close();
    OpenList("select * from tb_yp order by id ");
    Label7->SetCaption(IntToStr(ADOQuery2->RecordCount()));
}

// The totals and the count stay those of the whole list.
void Txmzlform::SortMouseDown(TObject* Sender, TMouseButton, TShiftState, int, int) {
    if (Sender == RadioButton1) OpenList("select * from tb_yp order by 拼音码");
    else if (Sender == RadioButton2) OpenList("select * from tb_yp order by 项目类型");
    else if (Sender == RadioButton3) OpenList("select * from tb_yp where 项目种类='药品项目' order by 库存数量");
    else if (Sender == RadioButton4) OpenList("select * from tb_yp where 项目种类='药品项目' order by 失效日期");
    else if (Sender == RadioButton5) RefreshItemList();
}

void Txmzlform::Button1Click(TObject*) { xjxmform->ShowModal(); }

void Txmzlform::Button4Click(TObject*) { cxsrform->ShowModal(); }

void Txmzlform::Button7Click(TObject*) { Close(); }

void Txmzlform::Button3Click(TObject*) {
    if (!ADOQuery2->Active() || ADOQuery2->IsEmpty()) return;
    Tbqxmform* edit = bqxmform;
    edit->ComboBox1->SetText(ADOQuery2->FieldByName("项目类型")->AsString());
    edit->Edit1->SetText(ADOQuery2->FieldByName("项目名称")->AsString());
    edit->Edit2->SetText(ADOQuery2->FieldByName("拼音码")->AsString());
    edit->Edit3->SetText(ADOQuery2->FieldByName("规格")->AsString());
    edit->ComboBox2->SetText(ADOQuery2->FieldByName("单位")->AsString());
    edit->Edit5->SetText(ADOQuery2->FieldByName("单价")->AsString());
    const std::string cost = ADOQuery2->FieldByName("进价")->AsString();
    if (ADOQuery2->FieldByName("项目种类")->AsString() == "药品项目" && !cost.empty()) {
        edit->CheckBox2->SetChecked(true);
        edit->Edit4->SetText(cost);
        edit->Edit6->SetText(ADOQuery2->FieldByName("库存数量")->AsString());
    } else {
        edit->CheckBox2->SetChecked(false);
    }
    edit->ShowModal();
}

// Nothing checks whether charge lines or stock-in records name the item: they keep their
// own copies of its name and prices.
void Txmzlform::Button5Click(TObject*) {
    if (!ADOQuery2->Active() || ADOQuery2->IsEmpty()) return;
    const std::string name = ADOQuery2->FieldByName("项目名称")->AsString();
    const std::string id = ADOQuery2->FieldByName("ID")->AsString();
    if (MessageDlg("确定删除收费项目" + name + "吗？", mtConfirmation, mbYesNo) != mrYes) return;
    TADOQuery statement(nullptr);
    statement.SetConnection(ADOQuery2->Connection());
    statement.SQL()->SetText("delete  from tb_yp where id=:id");
    statement.Parameters()->ParamByName("id")->SetValue(Variant(StrToInt(id)));
    statement.ExecSQL();
    RefreshItemList();
    Application->MessageBox("删除收费项目成功!", "提示", MB_OK);
}

void Txmzlform::SetControlsEnabled(bool Enabled) {
    for (TControl* c : std::initializer_list<TControl*>{Button1, Button2, Button3, Button4, Button5, Button6,
                                                        Button7, DBGrid1})
        c->SetEnabled(Enabled);
}

void Txmzlform::Button6Click(TObject*) {
    SetControlsEnabled(false);
    try {
        ShowWindowReport(frxReport1,
                         {{"jjzje", Label3->Caption()},
                          {"xjzje", Label5->Caption()},
                          {"zbrq", DateToStr(Date())},
                          {"zbr", sfform ? sfform->Edit12->Text() : std::string()}},
                         TReportTexts::ScriptVariables);
    } catch (...) {
        SetControlsEnabled(true);
        throw;
    }
    SetControlsEnabled(true);
}

void Txmzlform::Button2Click(TObject*) {
    SetControlsEnabled(false);
    try {
        ExportGridToExcel(DBGrid1);
    } catch (...) {
        SetControlsEnabled(true);
        throw;
    }
    SetControlsEnabled(true);
}

void Txmzlform::DeclareProperties(TPropertyDecl<Txmzlform>& d) {
    d.Method("FormCreate", &Txmzlform::FormCreate);
    d.Method("FormShow", &Txmzlform::FormShow);
    d.Method("SortMouseDown", &Txmzlform::SortMouseDown);
    d.Method("Button1Click", &Txmzlform::Button1Click);
    d.Method("Button2Click", &Txmzlform::Button2Click);
    d.Method("Button3Click", &Txmzlform::Button3Click);
    d.Method("Button4Click", &Txmzlform::Button4Click);
    d.Method("Button5Click", &Txmzlform::Button5Click);
    d.Method("Button6Click", &Txmzlform::Button6Click);
    d.Method("Button7Click", &Txmzlform::Button7Click);
}
