// What the query, stock and statistics windows share: statements whose typed values travel
// as bound parameters, the drug pick by pinyin code under a field, the refusal of an export
// without a result, and the showing of a window's own report.
#pragma once

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Variant.h"

#include <string>
#include <utility>
#include <vector>

class TADOQuery;
class TDataSet;
class TDBGrid;
class TEdit;
class TForm;
class TfrxReport;

// A statement and the values of its parameters, by name.
struct TBoundSql {
    std::string Sql;
    std::vector<std::pair<std::string, Variant>> Params;

    void Add(std::string Clause) { Sql += std::move(Clause); }
    void Add(std::string Clause, std::string Name, Variant Value) {
        Sql += std::move(Clause);
        Params.emplace_back(std::move(Name), std::move(Value));
    }
};

// Closes Query, gives it the statement and its parameter values (not opened).
void PrepareQuery(TADOQuery* Query, const TBoundSql& Statement);
// A date parameter of the query windows: the day itself, stored as a date by the database.
Variant DateParam(TDateTime Day);

// The drug pick of the stock windows: the typed code as a prefix over the drugs, on the
// charging window's item query. One hit is taken at once; several are offered in the
// candidate list right under Field. Returns the chosen 项目名称, or nothing after
// "无此药品项目!" or a cancelled list. The query is closed in every case.
bool PickDrugByCode(TForm* Owner, TEdit* Field, std::string& Name);

// True when Grid's dataset is open and has rows; otherwise tells the user
// "取得查询结果后才可将表中数据导出至Excel!".
bool ExportableResult(TDataSet* DataSet);
// Exports Grid with its dataset's controls disabled, after ExportableResult.
void ExportQueryGrid(TDBGrid* Grid);

// What a window hands to its own report before showing it: report variables that print
// their texts as they stand, or variables of the report's script (also read by its
// expressions).
enum class TReportTexts { Variables, ScriptVariables };
using TReportValues = std::vector<std::pair<std::string, std::string>>;
// Gives the window's report (its template in the window's form resource) the values and
// shows it in the preview, prepared anew.
void ShowWindowReport(TfrxReport* Report, const TReportValues& Values = {},
                      TReportTexts Kind = TReportTexts::Variables);
