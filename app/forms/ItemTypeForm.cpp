#include "app/forms/ItemTypeForm.h"

#include "app/forms/ClinicForms.h"

ROVE_IMPLEMENT_CLASS(Tllzlform)
ROVE_CLINIC_FORM(Tllzlform, llzlform)

Tllzlform* llzlform = nullptr;

Tllzlform::Tllzlform(TComponent* AOwner) : TNameListForm(AOwner) { InitForm(); }

Tllzlform::~Tllzlform() {
    if (llzlform == this) llzlform = nullptr;
}

// The new-item window's type list.
void Tllzlform::AddToOtherLists(const std::string& Name) { AddToPickList("Txjxmform", "ComboBox1", Name); }
