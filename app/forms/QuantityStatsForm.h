// Typxhtjform: the quantity statistics of drugs and examination items (right 33). For a
// date range it sums the quantity charged per item (key, name, pack size (规格) and price),
// optionally for one doctor, for internal accounting only, or for one kind of item; prints
// the result through the window's own report template and exports it.
#pragma once

#include "platform/ui/Forms.h"

class TButton;
class TCheckBox;
class TComboBox;
class TDateTimePicker;
class TDBGrid;
class TADOQuery;
class TDataSource;
class TfrxDBDataset;
class TfrxReport;

class Typxhtjform : public TForm {
    ROVE_CLASS(Typxhtjform, TForm)
public:
    explicit Typxhtjform(TComponent* AOwner);
    ~Typxhtjform() override;

    TDateTimePicker* DateTimePicker1 = nullptr;   // from
    TDateTimePicker* DateTimePicker2 = nullptr;   // to
    TCheckBox* CheckBox1 = nullptr;               // 按医生查询
    TComboBox* ComboBox1 = nullptr;               // the doctors' names
    TCheckBox* CheckBox2 = nullptr;               // 只统计内部记账
    TCheckBox* CheckBox3 = nullptr;               // 只统计药品项目
    TCheckBox* CheckBox4 = nullptr;               // 只统计检查项目
    TButton* Button1 = nullptr;                   // 统计
    TButton* Button2 = nullptr;                   // 导出
    TButton* Button3 = nullptr;                   // 打印
    TDBGrid* DBGrid1 = nullptr;
    TADOQuery* ADOQuery1 = nullptr;
    TADOQuery* ADOQuery2 = nullptr;               // reads the doctors at creation
    TDataSource* DataSource1 = nullptr;
    TfrxDBDataset* frxDBDataset1 = nullptr;
    TfrxReport* frxReport1 = nullptr;

    void FormCreate(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void Button3Click(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Typxhtjform>& d);

protected:
    void BindFields() override;
};

extern Typxhtjform* ypxhtjform;
