#include "app/forms/UnitForm.h"

#include "app/forms/ClinicForms.h"

ROVE_IMPLEMENT_CLASS(Tdwzlform)
ROVE_CLINIC_FORM(Tdwzlform, dwzlform)

Tdwzlform* dwzlform = nullptr;

Tdwzlform::Tdwzlform(TComponent* AOwner) : TNameListForm(AOwner) { InitForm(); }

Tdwzlform::~Tdwzlform() {
    if (dwzlform == this) dwzlform = nullptr;
}

// The unit lists of the new-item, item edit and stock-in windows.
void Tdwzlform::AddToOtherLists(const std::string& Name) {
    AddToPickList("Txjxmform", "ComboBox2", Name);
    AddToPickList("Tbqxmform", "ComboBox2", Name);
    AddToPickList("Trkform", "ComboBox1", Name);
}
