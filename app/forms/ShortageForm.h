// Tqhsxcxform: the shortage and expiry query (right 37): the drugs at or below their
// low-stock limit, or the drugs that expire by a chosen date. Prints and exports the list.
#pragma once

#include "platform/ui/Forms.h"

class TRadioButton;
class TButton;
class TDateTimePicker;
class TDBGrid;
class TADOQuery;
class TDataSource;
class TfrxDBDataset;
class TfrxReport;

class Tqhsxcxform : public TForm {
    ROVE_CLASS(Tqhsxcxform, TForm)
public:
    explicit Tqhsxcxform(TComponent* AOwner);
    ~Tqhsxcxform() override;

    TRadioButton* RadioButton1 = nullptr;   // shortage
    TRadioButton* RadioButton2 = nullptr;   // expiry by DateTimePicker1
    TDateTimePicker* DateTimePicker1 = nullptr;
    TButton* Button1 = nullptr;             // 查找
    TButton* Button2 = nullptr;             // 打印
    TButton* Button3 = nullptr;             // 导出
    TDBGrid* DBGrid1 = nullptr;
    TADOQuery* ADOQuery1 = nullptr;         // the drugs, with a field for every column of tb_yp
    TDataSource* DataSource1 = nullptr;
    TfrxDBDataset* frxDBDataset1 = nullptr;
    TfrxReport* frxReport1 = nullptr;   // "药品缺货及失效查询报表"

    void FormCreate(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void Button3Click(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Tqhsxcxform>& d);

protected:
    void BindFields() override;
};

extern Tqhsxcxform* qhsxcxform;
