#include "app/forms/AmountStatsForm.h"

#include "app/database/MoneySql.h"
#include "app/forms/ClinicForms.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/StdCtrls.h"
#include "report/CrossView.h"
#include "report/Report.h"

#include <set>

ROVE_IMPLEMENT_CLASS(Txmxhtjform)
ROVE_CLINIC_FORM(Txmxhtjform, xmxhtjform)

Txmxhtjform* xmxhtjform = nullptr;

namespace {

// A name as an SQL identifier: in double quotes, a quote inside doubled.
std::string QuotedName(const std::string& Name) {
    std::string s = "\"";
    for (char c : Name) {
        if (c == '"') s += '"';
        s += c;
    }
    return s + '"';
}

std::string Blank(const std::string& s) { return Trim(s).empty() ? "" : s; }

}  // namespace

TBoundSql AmountStatisticsSql(const std::vector<std::string>& Types, TDateTime From, TDateTime To) {
    // Column names as the result's field look-up sees them: ASCII case ignored.
    std::set<std::string> taken = {"医生姓名", "减免金额", "合计", "排序"};
    std::set<std::string> seenTypes;
    std::vector<std::pair<std::string, std::string>> columns;   // type, column name
    for (const std::string& type : Types) {
        if (Blank(type).empty() || !seenTypes.insert(UpperCase(type)).second) continue;
        std::string name = type;
        while (taken.count(UpperCase(name))) name += "(类型)";
        taken.insert(UpperCase(name));
        columns.emplace_back(type, name);
    }

    TBoundSql sql;
    // Both halves name their columns alike; the outer select keeps them in order and puts
    // the total row last.
    std::string outer = "select 医生姓名,";
    for (const auto& [type, name] : columns) outer += QuotedName(name) + ",";
    outer += "减免金额,合计 from (";
    auto half = [&](const std::string& head, const char* prefix) {
        std::string s = head;
        for (size_t i = 0; i < columns.size(); ++i) {
            const std::string param = prefix + std::to_string(i);
            s += " " + AmountSumSql("iif(项目类型= :" + param + ",单项累计,0)", 2) + " as " +
                 QuotedName(columns[i].second) + ",";
            sql.Params.emplace_back(param, Variant(columns[i].first));
        }
        return s + " " + AmountSumSql("减免金额", 2) + " as 减免金额, " + AmountSumSql("单项累计-减免金额", 2) +
               " as 合计";
    };
    std::string doctors = half("select 0 as 排序,医生姓名,", "a");
    doctors += " from tb_sf  where 收费日期 between :d1 and :d2 group by 医生姓名 ";
    std::string total = half(" select 1 as 排序,'合计' as 医生姓名,", "b");
    total += " from tb_sf  where 收费日期 between :d3 and :d4";
    sql.Sql = outer + doctors + " union all" + total + ") order by 排序,医生姓名";
    sql.Params.emplace_back("d1", DateParam(From));
    sql.Params.emplace_back("d2", DateParam(To));
    sql.Params.emplace_back("d3", DateParam(From));
    sql.Params.emplace_back("d4", DateParam(To));
    return sql;
}

Txmxhtjform::Txmxhtjform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Txmxhtjform::~Txmxhtjform() {
    delete frxReport1;
    frxReport1 = nullptr;
    if (xmxhtjform == this) xmxhtjform = nullptr;
}

void Txmxhtjform::BindFields() {
    Bind(DateTimePicker1, "DateTimePicker1");
    Bind(DateTimePicker2, "DateTimePicker2");
    Bind(Button1, "Button1");
    Bind(Button2, "Button2");
    Bind(Button3, "Button3");
    Bind(DBGrid1, "DBGrid1");
    Bind(ADOQuery1, "ADOQuery1");
    Bind(ADOQuery2, "ADOQuery2");
    Bind(DataSource1, "DataSource1");
    Bind(frxReport1, "frxReport1");
}

void Txmxhtjform::FormCreate(TObject*) {
    DateTimePicker1->SetDate(Date());
    DateTimePicker2->SetDate(Date());
}

void Txmxhtjform::Button1Click(TObject*) {
    std::vector<std::string> types;
    PrepareQuery(ADOQuery2, {"select lx from tb_yplx", {}});
    ADOQuery2->Open();
    for (ADOQuery2->First(); !ADOQuery2->Eof(); ADOQuery2->Next()) types.push_back(ADOQuery2->Fields()[0]->AsString());
    ADOQuery2->Close();

    PrepareQuery(ADOQuery1, AmountStatisticsSql(types, DateTimePicker1->Date(), DateTimePicker2->Date()));
    ADOQuery1->Open();
    ADOQuery1->FieldByName("医生姓名")->SetDisplayWidth(10);
    ADOQuery1->First();
    if (ADOQuery1->IsEmpty() || ADOQuery1->FieldByName("合计")->AsCurrency().IsZero())
        Application->MessageBox("没有找到相符的记录或者记录合计金额为零!", "提示", MB_OK);
}

void Txmxhtjform::Button2Click(TObject*) { ExportQueryGrid(DBGrid1); }

void Txmxhtjform::Button3Click(TObject*) {
    if (!ADOQuery1->Active() || ADOQuery1->IsEmpty()) return;
    ShowWindowReport(frxReport1, {{"aa", DateToStr(DateTimePicker1->Date())}, {"bb", DateToStr(DateTimePicker2->Date())}});
}

void Txmxhtjform::frxReport1BeforePrint(TfrxReportComponent* Sender) {
    auto* cross = dynamic_cast<TfrxCustomCrossView*>(Sender);
    if (!cross || !ADOQuery1->Active()) return;
    TDisableControls frozen(*ADOQuery1);
    const int at = ADOQuery1->RecNo();
    int row = 0;
    for (ADOQuery1->First(); !ADOQuery1->Eof(); ADOQuery1->Next(), ++row) {
        for (int i = 0; i < ADOQuery1->FieldCount(); ++i) {
            TField* field = ADOQuery1->Fields()[i];
            cross->AddValue(std::vector<Variant>{Variant(row)}, std::vector<Variant>{Variant(field->DisplayLabel())},
                            std::vector<Variant>{Variant(field->AsString())});
        }
    }
    if (at > 0) ADOQuery1->SetRecNo(at);
}

void Txmxhtjform::DeclareProperties(TPropertyDecl<Txmxhtjform>& d) {
    d.Method("FormCreate", &Txmxhtjform::FormCreate);
    d.Method("Button1Click", &Txmxhtjform::Button1Click);
    d.Method("Button2Click", &Txmxhtjform::Button2Click);
    d.Method("Button3Click", &Txmxhtjform::Button3Click);
    d.Method("frxReport1BeforePrint", &Txmxhtjform::frxReport1BeforePrint);
}
