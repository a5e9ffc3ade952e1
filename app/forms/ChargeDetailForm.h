// Tsfcxmxform: the lines of the receipt current in the charge query; a double-click on them
// reprints the receipt through the receipt print prompt.
#pragma once

#include "platform/ui/Forms.h"

#include <string>

class TDBGrid;
class TADOQuery;
class TDataSource;

class Tsfcxmxform : public TForm {
    ROVE_CLASS(Tsfcxmxform, TForm)
public:
    explicit Tsfcxmxform(TComponent* AOwner);
    ~Tsfcxmxform() override;

    TDBGrid* DBGrid1 = nullptr;
    TADOQuery* ADOQuery1 = nullptr;
    TDataSource* DataSource1 = nullptr;

    // The receipt whose lines are shown.
    const std::string& ReceiptNo() const { return FReceiptNo; }

    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void DBGrid1DblClick(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Tsfcxmxform>& d);

protected:
    void BindFields() override;

private:
    std::string FReceiptNo;
};

extern Tsfcxmxform* sfcxmxform;
