#include "app/forms/ChargeQueryForm.h"

#include "app/database/MoneySql.h"
#include "app/charging/ReceiptRules.h"
#include "app/database/LookUp.h"
#include "app/forms/CandidateForm.h"
#include "app/forms/ChargeDetailForm.h"
#include "app/forms/ChargeForm.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/ScreenScale.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/StdCtrls.h"

ROVE_IMPLEMENT_CLASS(Tsfcxform)
ROVE_CLINIC_FORM(Tsfcxform, sfcxform)

Tsfcxform* sfcxform = nullptr;

namespace {
constexpr const char* kCaption = "提示";

void Say(const std::string& Text) { Application->MessageBox(Text, kCaption, MB_OK); }

void Refuse(char32_t& Key, const char* Text) {
    Key = 0;
    MessageBeep(1);
    Say(Text);
}
}  // namespace

Tsfcxform::Tsfcxform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Tsfcxform::~Tsfcxform() {
    if (sfcxform == this) sfcxform = nullptr;
}

void Tsfcxform::BindFields() {
    Bind(CheckBox1, "CheckBox1");
    Bind(Edit1, "Edit1");
    Bind(CheckBox2, "CheckBox2");
    Bind(Edit2, "Edit2");
    Bind(CheckBox4, "CheckBox4");
    Bind(ComboBox3, "ComboBox3");
    Bind(CheckBox6, "CheckBox6");
    Bind(ComboBox2, "ComboBox2");
    Bind(CheckBox3, "CheckBox3");
    Bind(ComboBox1, "ComboBox1");
    Bind(CheckBox7, "CheckBox7");
    Bind(Edit5, "Edit5");
    Bind(Edit6, "Edit6");
    Bind(CheckBox8, "CheckBox8");
    Bind(DateTimePicker1, "DateTimePicker1");
    Bind(DateTimePicker2, "DateTimePicker2");
    Bind(Button1, "Button1");
    Bind(Button2, "Button2");
    Bind(Button3, "Button3");
    Bind(DBGrid1, "DBGrid1");
    Bind(StatusBar1, "StatusBar1");
    Bind(ADOQuery1, "ADOQuery1");
    Bind(DataSource1, "DataSource1");
    Bind(ADOQuery2, "ADOQuery2");
    Bind(ADOQuery3, "ADOQuery3");
}

void Tsfcxform::FormCreate(TObject*) {
    ComboBox3->Items()->Clear();
    PrepareQuery(ADOQuery3, {"select user from tb_user order by id", {}});
    for (ADOQuery3->Open(); !ADOQuery3->Eof(); ADOQuery3->Next())
        ComboBox3->Items()->Add(ADOQuery3->Fields()[0]->AsString());
    // Departments: the second column of the department table, as the doctors window reads it.
    ComboBox2->Items()->Clear();
    PrepareQuery(ADOQuery3, {"select * from tb_ks", {}});
    for (ADOQuery3->Open(); !ADOQuery3->Eof(); ADOQuery3->Next())
        ComboBox2->Items()->Add(ADOQuery3->Fields()[1]->AsString());
    ADOQuery3->Close();
    ComboBox1->Items()->Clear();
    for (const char* type : {"普通收费", "优惠打折", "内部记账"}) ComboBox1->Items()->Add(type);
    ScaleFormToScreen(this);
    DateTimePicker1->SetDate(Date());
    DateTimePicker2->SetDate(Date());
}

// --- Look-ups and key filters ---------------------------------------------------------------
// The look-up as the charging window makes it, on its patient or doctor query: one match is
// taken, several are offered in the pick list under the field (Enter on an empty field
// offers them all), none says so.
void Tsfcxform::LookUpName(TEdit* Field, TCheckBox* Criterion, char32_t& Key, TADOQuery* Query, int Grid,
                           const char* Sql, const char* FilterText, const char* NotFound) {
    if (!IsPinyinKey(Key)) {
        Refuse(Key, FilterText);
        return;
    }
    if (Key != kKeyEnter) return;
    TBoundSql statement{Sql, {}};
    statement.Params.emplace_back("code", Variant(LikeStarting(Field->Text())));
    PrepareQuery(Query, statement);
    Query->Open();
    if (Query->IsEmpty()) {
        Query->Close();
        Say(NotFound);
        return;
    }
    const bool taken = Query->RecordCount() == 1 || PickCandidateUnder(this, Field, Grid);
    if (taken && !Query->IsEmpty()) {
        Field->SetText(Query->FieldByName("姓名")->AsString());
        Criterion->SetChecked(true);
        Button1->SetFocus();
    }
    Query->Close();
}

void Tsfcxform::Edit1KeyPress(TObject*, char32_t& Key) {
    LookUpName(Edit1, CheckBox1, Key, sfform->ADOQuery2, 1, "Select * From tb_brzl Where 拼音码 like :code escape '\\'",
               "请输入病人拼音字母后按Enter键!", "无此病人拼音码!");
}

void Tsfcxform::Edit2KeyPress(TObject*, char32_t& Key) {
    LookUpName(Edit2, CheckBox2, Key, sfform->ADOQuery3, 2, "Select * From tb_doctor Where 拼音码 like :code escape '\\'",
               "请输入医生拼音字母后按Enter键!", "无此医生信息!");
}

void Tsfcxform::Edit5KeyPress(TObject*, char32_t& Key) {
    if (!IsAmountKey(Key)) {
        Refuse(Key, "请输入数字!");
        return;
    }
    if (Key != kKeyEnter) return;
    Edit6->SetText(Edit5->Text());
    Edit6->SetFocus();
}

void Tsfcxform::Edit6KeyPress(TObject*, char32_t& Key) {
    if (!IsAmountKey(Key)) {
        Refuse(Key, "请输入数字!");
        return;
    }
    if (Key != kKeyEnter) return;
    CheckBox7->SetChecked(true);
    Button1->SetFocus();
}

void Tsfcxform::Edit6Click(TObject*) {
    if (!Edit5->Text().empty()) Edit6->SetText(Edit5->Text());
}

// --- The query -------------------------------------------------------------------------------
bool Tsfcxform::BuildQuery(TBoundSql& s) {
    s = TBoundSql{"Select * From tb_sf Where 统计标致<>'0'", {}};
    if (CheckBox1->Checked()) s.Add(" and 病人姓名=:patient", "patient", Variant(Edit1->Text()));
    if (CheckBox2->Checked()) s.Add(" and 医生姓名=:doctor", "doctor", Variant(Edit2->Text()));
    if (CheckBox4->Checked()) s.Add(" and 收费员=:cashier", "cashier", Variant(ComboBox3->Text()));
    if (CheckBox6->Checked()) s.Add(" and 医生科室=:department", "department", Variant(ComboBox2->Text()));
    if (CheckBox3->Checked()) s.Add(" and 收费类型=:chargetype", "chargetype", Variant(ComboBox1->Text()));
    if (CheckBox7->Checked()) {
        for (TEdit* bound : {Edit5, Edit6}) {
            if (Trim(bound->Text()).empty()) {
                Say("按票据号查询时票据号不能为空白!");
                bound->SetFocus();
                return false;
            }
        }
        // The bounds are numbers compared with the receipt numbers' values, bound as such.
        const auto from = ParseAmount(Trim(Edit5->Text()));
        const auto to = ParseAmount(Trim(Edit6->Text()));
        if (!from || !to) {
            Say("请输入数字!");
            (from ? Edit6 : Edit5)->SetFocus();
            return false;
        }
        s.Add(" and val([票据号])>=:fromno", "fromno", Variant(*from));
        s.Add(" and val([票据号])<=:tono", "tono", Variant(*to));
    }
    if (CheckBox8->Checked()) {
        s.Add(" and 收费日期 between :Date1", "Date1", DateParam(DateTimePicker1->Date()));
        s.Add(" and :Date2", "Date2", DateParam(DateTimePicker2->Date()));
    }
    return true;
}

void Tsfcxform::Button1Click(TObject*) {
    StatusBar1->Panels()->Items(0)->SetText("");
    StatusBar1->Panels()->Items(1)->SetText("");
    if (!CheckBox1->Checked() && !CheckBox2->Checked() && !CheckBox4->Checked() && !CheckBox6->Checked() &&
        !CheckBox3->Checked() && !CheckBox7->Checked() && !CheckBox8->Checked()) {
        Say("至少选择一个查询条件!");
        return;
    }
    TBoundSql statement;
    if (!BuildQuery(statement)) return;
    FListStatement = statement;
    statement.Add(" order by val([票据号])");
    PrepareQuery(ADOQuery1, statement);
    ADOQuery1->Open();
    if (ADOQuery1->IsEmpty()) Say("没有找到相符的记录!");
}

void Tsfcxform::ADOQuery1AfterOpen(TDataSet*) {
    if (ADOQuery1->IsEmpty()) return;
    TBoundSql total = FListStatement;
    total.Sql = "Select " + AmountSumSql("应收金额", 2) + " From (" + FListStatement.Sql + ")";
    PrepareQuery(ADOQuery2, total);
    ADOQuery2->Open();
    const Currency sum = ADOQuery2->Fields()[0]->AsCurrency();
    ADOQuery2->Close();
    StatusBar1->Panels()->Items(0)->SetText("符合查询条件的记录共有" + IntToStr(ADOQuery1->RecordCount()) + "条");
    StatusBar1->Panels()->Items(1)->SetText("合计应收金额：" + Format("%.2f", {sum}));
}

void Tsfcxform::DBGrid1DblClick(TObject*) {
    if (ADOQuery1->Active() && !ADOQuery1->IsEmpty()) sfcxmxform->ShowModal();
}

void Tsfcxform::Button2Click(TObject*) { ExportQueryGrid(DBGrid1); }

void Tsfcxform::Button3Click(TObject*) { Close(); }

void Tsfcxform::DeclareProperties(TPropertyDecl<Tsfcxform>& d) {
    d.Method("FormCreate", &Tsfcxform::FormCreate);
    d.Method("Edit1KeyPress", &Tsfcxform::Edit1KeyPress);
    d.Method("Edit2KeyPress", &Tsfcxform::Edit2KeyPress);
    d.Method("Edit5KeyPress", &Tsfcxform::Edit5KeyPress);
    d.Method("Edit6KeyPress", &Tsfcxform::Edit6KeyPress);
    d.Method("Edit6Click", &Tsfcxform::Edit6Click);
    d.Method("Button1Click", &Tsfcxform::Button1Click);
    d.Method("Button2Click", &Tsfcxform::Button2Click);
    d.Method("Button3Click", &Tsfcxform::Button3Click);
    d.Method("ADOQuery1AfterOpen", &Tsfcxform::ADOQuery1AfterOpen);
    d.Method("DBGrid1DblClick", &Tsfcxform::DBGrid1DblClick);
}
