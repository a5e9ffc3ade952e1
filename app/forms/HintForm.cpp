#include "app/forms/HintForm.h"

#include "app/forms/ClinicForms.h"
#include "platform/ui/StdCtrls.h"

ROVE_IMPLEMENT_CLASS(Thintform)
ROVE_CLINIC_FORM(Thintform, hintform)

Thintform* hintform = nullptr;

Thintform::Thintform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Thintform::~Thintform() {
    if (hintform == this) hintform = nullptr;
}

void Thintform::BindFields() { Bind(Memo1, "Memo1"); }

void Thintform::ShowLines(std::initializer_list<const char*> Lines) {
    Memo1->Lines()->Clear();
    for (const char* line : Lines) Memo1->Lines()->Add(line);
    ShowModal();
}
