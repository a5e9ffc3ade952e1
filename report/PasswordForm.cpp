// The report password window.
#include "report/PasswordForm.h"

#include <memory>

#include "platform/classes/Streaming.h"
#include "platform/ui/StdCtrls.h"
#include "report/FormResources.h"
#include "report/Options.h"
#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxPasswordForm)

namespace {

// The window's Chinese texts, for programs that do not load the designer's share of the
// string table (which carries the same block).
const char* const kPasswordFormBlock =
    "Caption=密码\r\n"
    "PasswordL.Caption=请输入密码:\r\n"
    "OkB.Caption=确定\r\n"
    "CancelB.Caption=取消\r\n";

void RegisterPasswordForm() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterReportFormResources();
        if (!frxResources().Has("TfrxPasswordForm")) frxResources().Add("TfrxPasswordForm", kPasswordFormBlock);
        return true;
    }();
    (void)done;
}

}  // namespace

TfrxPasswordForm::TfrxPasswordForm(TComponent* AOwner) : TForm(AOwner) {
    RegisterPasswordForm();
    InitForm();
}

void TfrxPasswordForm::DeclareProperties(TPropertyDecl<TfrxPasswordForm>& d) {
    d.Method("FormCreate", &TfrxPasswordForm::FormCreate);
}

void TfrxPasswordForm::BindFields() {
    Bind(PasswordL, "PasswordL");
    Bind(PasswordE, "PasswordE");
    Bind(OkB, "OkB");
    Bind(CancelB, "CancelB");
}

void TfrxPasswordForm::FormCreate(TObject*) { frxResources().LocalizeForm(this); }

bool frxAskPassword(std::string& Password) {
    if (!Application->Initialized()) return false;
    auto form = std::make_unique<TfrxPasswordForm>(nullptr);
    if (form->ShowModal() != mrOk) return false;
    Password = form->PasswordE->Text();
    return true;
}
