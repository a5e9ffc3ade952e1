// Tpjzfform: receipt voiding (right 22). The cashier types a receipt number; after the
// confirmation every line of the receipt moves to the voided lines and its drugs go back
// into stock, in one transaction of at most ten attempts.
#pragma once

#include "app/charging/Transactions.h"
#include "platform/ui/Forms.h"

class TLabel;
class TEdit;
class TButton;

class Tpjzfform : public TForm {
    ROVE_CLASS(Tpjzfform, TForm)
public:
    explicit Tpjzfform(TComponent* AOwner);
    ~Tpjzfform() override;

    TLabel* Label1 = nullptr;
    TEdit* Edit1 = nullptr;
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;

    // How the void retries (the tests make the pauses instant).
    TRetryPolicy RetryPolicy;

    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Edit1KeyPress(TObject* Sender, char32_t& Key);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);

    static void DeclareProperties(TPropertyDecl<Tpjzfform>& d);

protected:
    void BindFields() override;
};

extern Tpjzfform* pjzfform;
