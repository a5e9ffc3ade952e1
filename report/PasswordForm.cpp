// The report password window.
#include "report/PasswordForm.h"

#include <memory>

#include "platform/classes/Streaming.h"
#include "platform/ui/StdCtrls.h"
#include "report/Options.h"
#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxPasswordForm)

namespace {

const char* const kPasswordFormText = R"(object frxPasswordForm: TfrxPasswordForm
  Left = 200
  Top = 150
  BorderStyle = bsDialog
  Caption = 'Password'
  ClientHeight = 97
  ClientWidth = 249
  Color = clBtnFace
  Font.Charset = GB2312_CHARSET
  Font.Color = clWindowText
  Font.Height = -12
  Font.Name = '宋体'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 12
  OnCreate = FormCreate
  object PasswordL: TLabel
    Left = 12
    Top = 12
    Width = 120
    Height = 12
    Caption = 'Enter the password:'
  end
  object PasswordE: TEdit
    Left = 12
    Top = 30
    Width = 225
    Height = 20
    PasswordChar = '*'
    TabOrder = 0
  end
  object OkB: TButton
    Left = 80
    Top = 62
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 1
  end
  object CancelB: TButton
    Left = 162
    Top = 62
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 2
  end
end
)";

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
        RegisterFormResource("TfrxPasswordForm", kPasswordFormText, "PasswordForm.dfm");
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
