// Txmxhtjform: the amount statistics per doctor and item type (right 32). For a date range
// it sums the charged amounts of every doctor per item type (one column per type of
// tb_yplx), with the reduction and the total, and a last row "合计" over all doctors;
// prints the result as a cross-tab filled from the grid's rows while the report prints,
// and exports it.
#pragma once

#include "app/forms/QuerySupport.h"
#include "platform/ui/Forms.h"

#include <string>
#include <vector>

class TButton;
class TDateTimePicker;
class TDBGrid;
class TADOQuery;
class TDataSource;
class TfrxReport;
class TfrxReportComponent;

// The statement of the statistics for the item types in table order, with the dates bound.
// A type is a column of its own name; the names are quoted, so any text is a column name,
// and compared as bound values. A type that repeats an earlier one (ignoring ASCII case, as
// the comparison does) adds no second column; a blank one adds none; a type named like one
// of the fixed columns (医生姓名, 减免金额, 合计) or another alias is named "<type>(类型)".
// The rows come per doctor, ordered by name, and the "合计" row last.
TBoundSql AmountStatisticsSql(const std::vector<std::string>& Types, TDateTime From, TDateTime To);

class Txmxhtjform : public TForm {
    ROVE_CLASS(Txmxhtjform, TForm)
public:
    explicit Txmxhtjform(TComponent* AOwner);
    ~Txmxhtjform() override;

    TDateTimePicker* DateTimePicker1 = nullptr;   // from
    TDateTimePicker* DateTimePicker2 = nullptr;   // to
    TButton* Button1 = nullptr;                   // 统计
    TButton* Button2 = nullptr;                   // 导出
    TButton* Button3 = nullptr;                   // 打印
    TDBGrid* DBGrid1 = nullptr;
    TADOQuery* ADOQuery1 = nullptr;               // the statistics
    TADOQuery* ADOQuery2 = nullptr;               // the item types
    TDataSource* DataSource1 = nullptr;
    TfrxReport* frxReport1 = nullptr;

    void FormCreate(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void Button3Click(TObject* Sender);
    // Fills the cross-tab from the statistics when it is about to print: one row per
    // result row, one column per field (its display label), the field's text in the cell.
    void frxReport1BeforePrint(TfrxReportComponent* Sender);

    static void DeclareProperties(TPropertyDecl<Txmxhtjform>& d);

protected:
    void BindFields() override;
};

extern Txmxhtjform* xmxhtjform;
