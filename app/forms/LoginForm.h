// TLogoinForm: the login, shown modally by the main window when it first shows and on every
// change of operator. A login enables exactly the main-window actions whose tags the user
// holds in tb_yhgnb and writes the user name into the charging window's cashier field, from
// where every window reads the operator. Closing the window without a login ends the program.
#pragma once

#include "platform/ui/Forms.h"

class TComboBox;
class TEdit;
class TButton;
class TLabel;
class TADOTable;
class TADOQuery;

class TLogoinForm : public TForm {
    ROVE_CLASS(TLogoinForm, TForm)
public:
    explicit TLogoinForm(TComponent* AOwner);
    ~TLogoinForm() override;

    TComboBox* ComboBox = nullptr;
    TEdit* edit1 = nullptr;
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;
    TLabel* Label3 = nullptr;
    TADOTable* ADOTable1 = nullptr;
    TADOQuery* ADOQuery1 = nullptr;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);

    // True while the window is up without a successful login (closing then ends the program).
    bool ClosingEndsProgram() const { return FClosingEndsProgram; }

    static void DeclareProperties(TPropertyDecl<TLogoinForm>& d);

protected:
    void BindFields() override;

private:
    bool FClosingEndsProgram = false;
};

extern TLogoinForm* LogoinForm;
