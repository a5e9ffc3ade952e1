// The report password window: asked when a protected report is opened. A modal dialog
// with a label, an edit box that shows "*" for each typed character, OK and Cancel; its
// texts come from the string table's "TfrxPasswordForm" block when it is created.
#pragma once

#include "platform/ui/Forms.h"

class TButton;
class TEdit;
class TLabel;

class TfrxPasswordForm : public TForm {
    ROVE_CLASS(TfrxPasswordForm, TForm)
public:
    explicit TfrxPasswordForm(TComponent* AOwner);

    TLabel* PasswordL = nullptr;
    TEdit* PasswordE = nullptr;
    TButton* OkB = nullptr;
    TButton* CancelB = nullptr;

    void FormCreate(TObject* Sender);
    static void DeclareProperties(TPropertyDecl<TfrxPasswordForm>& d);

protected:
    void BindFields() override;
};
