#include "app/forms/VoidForm.h"

#include "app/charging/ReceiptRules.h"
#include "app/charging/ReceiptVoid.h"
#include "app/database/DatabaseTexts.h"
#include "app/forms/ClinicForms.h"
#include "app/forms/DataModule.h"
#include "platform/ui/StdCtrls.h"

ROVE_IMPLEMENT_CLASS(Tpjzfform)
ROVE_CLINIC_FORM(Tpjzfform, pjzfform)

Tpjzfform* pjzfform = nullptr;

namespace {
constexpr const char* kCaption = "提示";
}

Tpjzfform::Tpjzfform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Tpjzfform::~Tpjzfform() {
    if (pjzfform == this) pjzfform = nullptr;
}

void Tpjzfform::BindFields() {
    Bind(Label1, "Label1");
    Bind(Edit1, "Edit1");
    Bind(Button1, "Button1");
    Bind(Button2, "Button2");
}

void Tpjzfform::FormShow(TObject*) { Edit1->SetFocus(); }

void Tpjzfform::FormClose(TObject*, TCloseAction&) { Edit1->SetText(""); }

void Tpjzfform::Button2Click(TObject*) { Close(); }

// Digits only; Enter moves to "确定", so a second Enter voids.
void Tpjzfform::Edit1KeyPress(TObject*, char32_t& Key) {
    if (!IsAmountKey(Key)) {
        Key = 0;
        MessageBeep(1);
        Application->MessageBox("请输入数字!", kCaption, MB_OK);
        return;
    }
    if (Key == kKeyEnter) Button1->SetFocus();
}

void Tpjzfform::Button1Click(TObject*) {
    TADOConnection& connection = *datamoduleform->ADOConnection1;
    const TReceiptHead head = FindReceipt(connection, Edit1->Text());
    if (!head.Found) {
        Application->MessageBox("无此票据号!", kCaption, MB_OK);
        Edit1->SetFocus();
        return;
    }
    const std::string question = "您确定要作废票据号为(" + head.ReceiptNo + ")﹐姓名为(" +
                                 head.PatientName + ")的收据吗？";
    if (MessageDlg(question, mtConfirmation, mbYesNo) != mrYes) return;
    const TVoidOutcome outcome = VoidReceipt(connection, head.ReceiptNo, RetryPolicy);
    if (outcome.Committed) {
        Application->MessageBox("票据作废成功!", kCaption, MB_OK);
        return;
    }
    Application->MessageBox("票据作废失败，票据未作任何改动，请稍后再试!\n" + ClinicReason(outcome.LastError), kCaption,
                            MB_OK);
}

void Tpjzfform::DeclareProperties(TPropertyDecl<Tpjzfform>& d) {
    d.Method("FormShow", &Tpjzfform::FormShow);
    d.Method("FormClose", &Tpjzfform::FormClose);
    d.Method("Edit1KeyPress", &Tpjzfform::Edit1KeyPress);
    d.Method("Button1Click", &Tpjzfform::Button1Click);
    d.Method("Button2Click", &Tpjzfform::Button2Click);
}
