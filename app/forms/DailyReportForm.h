// Trbform: the daily report (right 31). It lists the receipts of a date range (one row per
// receipt, its first line) in receipt-number order, with the totals due and reduced; prints
// the list through the window's own report template and exports it to a spreadsheet.
#pragma once

#include "platform/ui/Forms.h"

class TLabel;
class TButton;
class TDateTimePicker;
class TDBGrid;
class TFlatButton;
class TADOQuery;
class TDataSource;
class TfrxDBDataset;
class TfrxReport;

class Trbform : public TForm {
    ROVE_CLASS(Trbform, TForm)
public:
    explicit Trbform(TComponent* AOwner);
    ~Trbform() override;

    TDateTimePicker* DateTimePicker1 = nullptr;   // from
    TDateTimePicker* DateTimePicker2 = nullptr;   // to
    TButton* Button1 = nullptr;                   // 统计
    TButton* Button2 = nullptr;                   // 导出
    TButton* Button3 = nullptr;                   // 打印
    TFlatButton* FlatButton1 = nullptr;           // 帮助
    TLabel* Label3 = nullptr;                     // 应收合计:
    TLabel* Label4 = nullptr;                     // 减免合计:
    TDBGrid* DBGrid1 = nullptr;
    TADOQuery* ADOQuery1 = nullptr;               // the receipts
    TADOQuery* ADOQuery2 = nullptr;               // their totals
    TDataSource* DataSource1 = nullptr;
    TfrxDBDataset* frxDBDataset1 = nullptr;
    TfrxReport* frxReport1 = nullptr;

    void FormCreate(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void Button3Click(TObject* Sender);
    void FlatButton1Click(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Trbform>& d);

protected:
    void BindFields() override;
};

extern Trbform* rbform;
