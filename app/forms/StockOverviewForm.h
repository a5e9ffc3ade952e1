// Tjxcylform: the drug in/stock/sales overview (right 36). For a date range it lists per
// drug (its key, name and pack size (规格) as recorded) the quantity received, the current
// stock and the quantity sold; optionally for one drug. Prints and exports the list.
#pragma once

#include "platform/ui/Forms.h"

class TEdit;
class TCheckBox;
class TButton;
class TDateTimePicker;
class TDBGrid;
class TADOQuery;
class TDataSource;
class TfrxDBDataset;
class TfrxReport;

class Tjxcylform : public TForm {
    ROVE_CLASS(Tjxcylform, TForm)
public:
    explicit Tjxcylform(TComponent* AOwner);
    ~Tjxcylform() override;

    TDateTimePicker* DateTimePicker1 = nullptr;
    TDateTimePicker* DateTimePicker2 = nullptr;
    TCheckBox* CheckBox2 = nullptr;   // by drug
    TEdit* Edit1 = nullptr;           // the drug, typed as a pinyin code
    TButton* Button1 = nullptr;       // 统计
    TButton* Button2 = nullptr;       // 打印
    TButton* Button3 = nullptr;       // 导出
    TDBGrid* DBGrid1 = nullptr;
    TADOQuery* ADOQuery1 = nullptr;
    TDataSource* DataSource1 = nullptr;
    TfrxDBDataset* frxDBDataset1 = nullptr;
    TfrxReport* frxReport1 = nullptr;   // "药品进销存统计一览表"

    void FormCreate(TObject* Sender);
    void Edit1KeyPress(TObject* Sender, char32_t& Key);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void Button3Click(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Tjxcylform>& d);

protected:
    void BindFields() override;
};

extern Tjxcylform* jxcylform;
