// Tsfcxform: the charge query (right 35). Receipts are listed one row each (their first
// rows) by any combination of patient, doctor, cashier, department, charge type, receipt
// number range and charge dates; the status bar shows how many and their amount due. A
// double-click opens the receipt's lines, from which it can be reprinted.
#pragma once

#include "app/forms/QuerySupport.h"
#include "platform/ui/Forms.h"

class TEdit;
class TComboBox;
class TCheckBox;
class TButton;
class TDateTimePicker;
class TDBGrid;
class TStatusBar;
class TADOQuery;
class TDataSource;
class TDataSet;

class Tsfcxform : public TForm {
    ROVE_CLASS(Tsfcxform, TForm)
public:
    explicit Tsfcxform(TComponent* AOwner);
    ~Tsfcxform() override;

    TCheckBox* CheckBox1 = nullptr;   // by patient, Edit1
    TEdit* Edit1 = nullptr;
    TCheckBox* CheckBox2 = nullptr;   // by doctor, Edit2
    TEdit* Edit2 = nullptr;
    TCheckBox* CheckBox4 = nullptr;   // by cashier, ComboBox3
    TComboBox* ComboBox3 = nullptr;
    TCheckBox* CheckBox6 = nullptr;   // by department, ComboBox2
    TComboBox* ComboBox2 = nullptr;
    TCheckBox* CheckBox3 = nullptr;   // by charge type, ComboBox1
    TComboBox* ComboBox1 = nullptr;
    TCheckBox* CheckBox7 = nullptr;   // by receipt numbers, Edit5 to Edit6
    TEdit* Edit5 = nullptr;
    TEdit* Edit6 = nullptr;
    TCheckBox* CheckBox8 = nullptr;   // by charge dates
    TDateTimePicker* DateTimePicker1 = nullptr;
    TDateTimePicker* DateTimePicker2 = nullptr;
    TButton* Button1 = nullptr;       // 查询
    TButton* Button2 = nullptr;       // 导出
    TButton* Button3 = nullptr;       // 退出
    TDBGrid* DBGrid1 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TADOQuery* ADOQuery1 = nullptr;   // the receipts
    TDataSource* DataSource1 = nullptr;
    TADOQuery* ADOQuery2 = nullptr;   // their total
    TADOQuery* ADOQuery3 = nullptr;   // patient and doctor look-ups

    // The statement the checked criteria make; false (after telling the user) when a
    // criterion is incomplete.
    bool BuildQuery(TBoundSql& Statement);

    void FormCreate(TObject* Sender);
    void Edit1KeyPress(TObject* Sender, char32_t& Key);
    void Edit2KeyPress(TObject* Sender, char32_t& Key);
    void Edit5KeyPress(TObject* Sender, char32_t& Key);
    void Edit6KeyPress(TObject* Sender, char32_t& Key);
    void Edit6Click(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void Button3Click(TObject* Sender);
    void ADOQuery1AfterOpen(TDataSet* DataSet);
    void DBGrid1DblClick(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Tsfcxform>& d);

protected:
    void BindFields() override;

private:
    // Pinyin look-up of a patient or doctor name into Field, on the charging window's
    // query whose rows the pick list's Grid shows.
    void LookUpName(TEdit* Field, TCheckBox* Criterion, char32_t& Key, TADOQuery* Query, int Grid, const char* Sql,
                    const char* FilterText, const char* NotFound);
    TBoundSql FListStatement;
};

extern Tsfcxform* sfcxform;
