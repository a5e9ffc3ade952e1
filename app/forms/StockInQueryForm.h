// Trkcxform: the stock-in query (right 52). It lists the stock-in records of a date range,
// optionally of one drug, with their total amount; prints and exports the list; and
// reverses a wrong stock-in on a double-click: a new record with the quantity and amount
// negated, and the drug's stock lowered by the quantity, in one transaction. Records are
// never deleted.
#pragma once

#include "platform/ui/Forms.h"

#include <string>

class TEdit;
class TCheckBox;
class TButton;
class TDateTimePicker;
class TDBGrid;
class TStatusBar;
class TFlatButton;
class TADOQuery;
class TDataSource;
class TDataSet;
class TfrxDBDataset;
class TfrxReport;

class Trkcxform : public TForm {
    ROVE_CLASS(Trkcxform, TForm)
public:
    explicit Trkcxform(TComponent* AOwner);
    ~Trkcxform() override;

    TCheckBox* CheckBox1 = nullptr;   // by date range (required)
    TDateTimePicker* DateTimePicker1 = nullptr;
    TDateTimePicker* DateTimePicker2 = nullptr;
    TCheckBox* CheckBox2 = nullptr;   // by drug
    TEdit* Edit1 = nullptr;           // the drug, typed as a pinyin code
    TButton* Button1 = nullptr;       // 查找
    TButton* Button2 = nullptr;       // 退出
    TButton* Button3 = nullptr;       // 打印
    TButton* Button4 = nullptr;       // 导出
    TFlatButton* FlatButton1 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TDBGrid* DBGrid1 = nullptr;
    TADOQuery* ADOQuery1 = nullptr;   // the records
    TDataSource* DataSource1 = nullptr;
    TADOQuery* ADOQuery2 = nullptr;   // the reversal's statements
    TfrxDBDataset* frxDBDataset1 = nullptr;
    TfrxReport* frxReport1 = nullptr;   // "入库查询记录报表"

    void FormCreate(TObject* Sender);
    void Edit1KeyPress(TObject* Sender, char32_t& Key);
    void Edit1Click(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void Button3Click(TObject* Sender);
    void Button4Click(TObject* Sender);
    void FlatButton1Click(TObject* Sender);
    void ADOQuery1AfterOpen(TDataSet* DataSet);
    void DBGrid1DblClick(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Trkcxform>& d);

protected:
    void BindFields() override;

private:
    // Reverses the current record; the error text on failure, "" on success.
    std::string Reverse();
};

extern Trkcxform* rkcxform;
