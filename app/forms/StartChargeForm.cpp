#include "app/forms/StartChargeForm.h"

#include "app/forms/ChargeForm.h"
#include "app/forms/ClinicForms.h"
#include "platform/ui/StdCtrls.h"

ROVE_IMPLEMENT_CLASS(Tsftsform)
ROVE_CLINIC_FORM(Tsftsform, sftsform)

Tsftsform* sftsform = nullptr;

Tsftsform::Tsftsform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Tsftsform::~Tsftsform() {
    if (sftsform == this) sftsform = nullptr;
}

void Tsftsform::BindFields() {
    Bind(Button1, "Button1");
    Bind(Button2, "Button2");
    Bind(Button3, "Button3");
}

void Tsftsform::Button1Click(TObject*) {
    Close();
    sfform->ProposeReceivedAmount();
}

void Tsftsform::Button3Click(TObject*) { Close(); }

void Tsftsform::DeclareProperties(TPropertyDecl<Tsftsform>& d) {
    d.Method("Button1Click", &Tsftsform::Button1Click);
    d.Method("Button3Click", &Tsftsform::Button3Click);
}
