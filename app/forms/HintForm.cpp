#include "app/forms/HintForm.h"

#include "app/forms/ClinicForms.h"
#include "platform/ui/StdCtrls.h"

#include <algorithm>

ROVE_IMPLEMENT_CLASS(Thintform)
ROVE_CLINIC_FORM(Thintform, hintform)

Thintform* hintform = nullptr;

Thintform::Thintform(TComponent* AOwner) : TForm(AOwner) { InitForm(); }

Thintform::~Thintform() {
    if (hintform == this) hintform = nullptr;
}

void Thintform::BindFields() { Bind(Memo1, "Memo1"); }

// The window has no button: Esc is the keyboard's way out of it, wherever the focus is.
void Thintform::FormKeyDown(TObject*, uint16_t& Key, TShiftState) {
    if (Key != VK_ESCAPE) return;
    Key = 0;
    Close();
}

void Thintform::DeclareProperties(TPropertyDecl<Thintform>& d) { d.Method("FormKeyDown", &Thintform::FormKeyDown); }

// The window is 250 by 171; a text longer than that window shows (the discount window's
// five lines wrap to fourteen) makes it taller, up to the desktop's height, where the
// scroll bar takes over. Each help text starts from the window's own height again.
void Thintform::ShowLines(std::initializer_list<const char*> Lines) {
    Memo1->Lines()->Clear();
    for (const char* line : Lines) Memo1->Lines()->Add(line);
    SetClientHeight(kClientHeight);
    const int frame = Height() - ClientHeight();
    const int tallest = Screen->WorkAreaRect().Height() - frame;
    SetClientHeight(std::clamp(Memo1->ContentHeight(), kClientHeight, std::max(kClientHeight, tallest)));
    ShowModal();
}
