#include "app/forms/BackupForm.h"

#include "app/forms/ClinicForms.h"

ROVE_IMPLEMENT_CLASS(Tsjbfform)
ROVE_CLINIC_FORM(Tsjbfform, sjbfform)

Tsjbfform* sjbfform = nullptr;

Tsjbfform::Tsjbfform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Tsjbfform::~Tsjbfform() {
    if (sjbfform == this) sjbfform = nullptr;
}
