// Tzfcxmxform: the lines of the voided receipt current in the voided receipts query.
#pragma once

#include "platform/ui/Forms.h"

class TDBGrid;
class TADOQuery;
class TDataSource;

class Tzfcxmxform : public TForm {
    ROVE_CLASS(Tzfcxmxform, TForm)
public:
    explicit Tzfcxmxform(TComponent* AOwner);
    ~Tzfcxmxform() override;

    TDBGrid* DBGrid1 = nullptr;
    TADOQuery* ADOQuery1 = nullptr;
    TDataSource* DataSource1 = nullptr;

    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);

    static void DeclareProperties(TPropertyDecl<Tzfcxmxform>& d);

protected:
    void BindFields() override;
};

extern Tzfcxmxform* zfcxmxform;
