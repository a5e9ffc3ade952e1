#include "app/forms/DepartmentForm.h"

#include "app/forms/ClinicForms.h"
#include "app/forms/DoctorForm.h"
#include "platform/ui/StdCtrls.h"

ROVE_IMPLEMENT_CLASS(Tkszlform)
ROVE_CLINIC_FORM(Tkszlform, kszlform)

Tkszlform* kszlform = nullptr;

Tkszlform::Tkszlform(TComponent* AOwner) : TNameListForm(AOwner) { InitForm(); }

Tkszlform::~Tkszlform() {
    if (kszlform == this) kszlform = nullptr;
}

// The charge query's department choice and the doctors window's department list.
void Tkszlform::AddToOtherLists(const std::string& Name) {
    AddToPickList("Tsfcxform", "ComboBox2", Name);
    if (yszlform) yszlform->ComboBox2->Items()->Add(Name);
}
