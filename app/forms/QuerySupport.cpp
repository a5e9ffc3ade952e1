#include "app/forms/QuerySupport.h"

#include "app/database/LookUp.h"
#include "app/forms/CandidateForm.h"
#include "app/forms/ChargeForm.h"
#include "app/widgets/GridExport.h"
#include "platform/db/ADODB.h"
#include "platform/ui/DBGrids.h"
#include "platform/ui/StdCtrls.h"
#include "report/DataSet.h"
#include "report/Report.h"

#include <cmath>
#include <memory>

namespace {
constexpr const char* kDrugByCode = "Select * From tb_yp Where 拼音码 like :code escape '\\' and 项目种类='药品项目'";
}  // namespace

void PrepareQuery(TADOQuery* Query, const TBoundSql& Statement) {
    Query->Close();
    Query->SQL()->SetText(Statement.Sql);
    for (const auto& [name, value] : Statement.Params) Query->Parameters()->ParamByName(name)->SetValue(value);
}

Variant DateParam(TDateTime Day) { return Variant::FromDate(std::floor(static_cast<double>(Day))); }

bool PickDrugByCode(TForm* Owner, TEdit* Field, std::string& Name) {
    TADOQuery* query = sfform->ADOQuery4;
    TBoundSql statement{kDrugByCode, {}};
    statement.Params.emplace_back("code", Variant(LikeStarting(Field->Text())));
    PrepareQuery(query, statement);
    query->Open();
    bool taken = false;
    if (query->IsEmpty()) {
        Application->MessageBox("无此药品项目!", "提示", MB_OK);
    } else if (query->RecordCount() == 1) {
        taken = true;
    } else {
        taken = PickCandidateUnder(Owner, Field, 3);
    }
    if (taken) Name = query->FieldByName("项目名称")->AsString();
    query->Close();
    return taken;
}

bool ExportableResult(TDataSet* DataSet) {
    if (DataSet && DataSet->Active() && !DataSet->IsEmpty()) return true;
    Application->MessageBox("取得查询结果后才可将表中数据导出至Excel!", "提示", MB_OK);
    return false;
}

void ExportQueryGrid(TDBGrid* Grid) {
    TDataSet* data = Grid->DataSource() ? Grid->DataSource()->DataSet() : nullptr;
    if (!ExportableResult(data)) return;
    TDisableControls frozen(*data);
    ExportGridToExcel(Grid);
}

void ShowWindowReport(TfrxReport* Report, const TReportValues& Values, TReportTexts Kind) {
    for (const auto& [name, text] : Values) {
        if (Kind == TReportTexts::ScriptVariables) Report->SetScriptVariable(name, Variant(text));
        else Report->SetVariableText(name, text);
    }
    // The report walks the window's query: its grid does not follow every record, and it
    // is on the row it was on when the preview closes.
    struct TFrozen {
        TFrozen(TDataSet& AData) : Data(AData), RecNo(AData.Active() ? AData.RecNo() : 0), Guard(AData) {}
        ~TFrozen() {
            if (Data.Active() && RecNo > 0 && RecNo <= Data.RecordCount()) Data.SetRecNo(RecNo);
        }
        TDataSet& Data;
        int RecNo;
        TDisableControls Guard;
    };
    std::vector<std::unique_ptr<TFrozen>> frozen;
    for (int i = 0; i < Report->DataSets()->Count(); ++i) {
        auto* ds = dynamic_cast<TfrxDBDataset*>(Report->DataSets()->Items(i)->DataSet());
        if (TDataSet* data = ds ? ds->GetDataSet() : nullptr) frozen.push_back(std::make_unique<TFrozen>(*data));
    }
    Report->ShowReport(true);
}
