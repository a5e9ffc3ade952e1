// Tpjzfcxform: the voided receipts query (right 34). It lists every voided receipt when
// shown, finds one by its number, and shows a receipt's lines on a double-click.
#pragma once

#include "platform/ui/Forms.h"

class TLabel;
class TEdit;
class TButton;
class TDBGrid;
class TADOQuery;
class TDataSource;

class Tpjzfcxform : public TForm {
    ROVE_CLASS(Tpjzfcxform, TForm)
public:
    explicit Tpjzfcxform(TComponent* AOwner);
    ~Tpjzfcxform() override;

    TLabel* Label1 = nullptr;
    TEdit* Edit1 = nullptr;
    TButton* Button1 = nullptr;
    TDBGrid* DBGrid1 = nullptr;
    TADOQuery* ADOQuery1 = nullptr;
    TDataSource* DataSource1 = nullptr;

    void FormShow(TObject* Sender);
    void Edit1KeyPress(TObject* Sender, char32_t& Key);
    void Edit1Click(TObject* Sender);
    void Button1Click(TObject* Sender);
    void DBGrid1DblClick(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Tpjzfcxform>& d);

protected:
    void BindFields() override;
};

extern Tpjzfcxform* pjzfcxform;
