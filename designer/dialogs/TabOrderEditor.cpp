// The tab order window.
#include "designer/dialogs/TabOrderEditor.h"

#include <algorithm>
#include <memory>

#include "designer/FormResources.h"
#include "designer/window/DesignerForm.h"
#include "platform/classes/Streaming.h"
#include "platform/ui/StdCtrls.h"
#include "report/Component.h"
#include "report/DialogControls.h"
#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxTabOrderEditorForm)

namespace {

void RegisterTabOrderEditor() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterDesignerFormResources();
        return true;
    }();
    (void)done;
}

int IndexOfChild(const TfrxComponent* Parent, const TfrxComponent* Child) {
    const auto& list = Parent->ObjectList();
    const auto it = std::find(list.begin(), list.end(), Child);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

}  // namespace

TfrxTabOrderEditorForm::TfrxTabOrderEditorForm(TComponent* AOwner) : TForm(AOwner) {
    RegisterTabOrderEditor();
    InitForm();
}

void TfrxTabOrderEditorForm::DeclareProperties(TPropertyDecl<TfrxTabOrderEditorForm>& d) {
    d.Method("FormCreate", &TfrxTabOrderEditorForm::FormCreate);
    d.Method("FormShow", &TfrxTabOrderEditorForm::FormShow);
    d.Method("FormHide", &TfrxTabOrderEditorForm::FormHide);
    d.Method("UpBClick", &TfrxTabOrderEditorForm::UpBClick);
    d.Method("DownBClick", &TfrxTabOrderEditorForm::DownBClick);
}

void TfrxTabOrderEditorForm::BindFields() {
    Bind(ControlsL, "ControlsL");
    Bind(ControlsLB, "ControlsLB");
    Bind(OkB, "OkB");
    Bind(CancelB, "CancelB");
    Bind(UpB, "UpB");
    Bind(DownB, "DownB");
}

void TfrxTabOrderEditorForm::FormCreate(TObject*) { frxResources().LocalizeForm(this); }

// Only dialog controls over windowed controls take the focus, so only they are listed;
// the others keep their places in the child list.
void TfrxTabOrderEditorForm::FormShow(TObject*) {
    FSaved.clear();
    ControlsLB->Items()->Clear();
    if (!Container) return;
    for (TfrxComponent* child : Container->ObjectList()) {
        FSaved.push_back(child);
        auto* control = dynamic_cast<TfrxDialogControl*>(child);
        if (control && control->Control() && control->Control()->IsWindowed())
            ControlsLB->Items()->AddObject(child->Name() + ": " + child->GetDescription(), child);
    }
}

// The two children shown at the lines exchange their places in the child list.
void TfrxTabOrderEditorForm::Exchange(int Line1, int Line2) {
    auto* a = static_cast<TfrxComponent*>(ControlsLB->Items()->Objects(Line1));
    auto* b = static_cast<TfrxComponent*>(ControlsLB->Items()->Objects(Line2));
    const int ia = IndexOfChild(Container, a), ib = IndexOfChild(Container, b);
    if (ia < 0 || ib < 0) return;
    const int lo = std::min(ia, ib), hi = std::max(ia, ib);
    Container->MoveObject(hi, lo);
    Container->MoveObject(lo + 1, hi);
    ControlsLB->Items()->Exchange(Line1, Line2);
}

void TfrxTabOrderEditorForm::UpBClick(TObject*) {
    const int i = ControlsLB->ItemIndex();
    if (i <= 0) return;
    Exchange(i - 1, i);
    ControlsLB->SetItemIndex(i - 1);
}

void TfrxTabOrderEditorForm::DownBClick(TObject*) {
    const int i = ControlsLB->ItemIndex();
    if (i < 0 || i >= ControlsLB->Items()->Count() - 1) return;
    Exchange(i, i + 1);
    ControlsLB->SetItemIndex(i + 1);
}

void TfrxTabOrderEditorForm::FormHide(TObject*) {
    if (ModalResult() == mrOk || !Container) return;
    for (int i = 0; i < static_cast<int>(FSaved.size()); ++i) {
        const int at = IndexOfChild(Container, FSaved[size_t(i)]);
        if (at >= 0 && at != i) Container->MoveObject(at, i);
    }
}

TfrxComponent* frxTabOrderContainer(const std::vector<TfrxComponent*>& Selected, TfrxComponent* Page) {
    return Selected.empty() ? Page : Selected.front();
}

bool frxShowTabOrderEditor(TfrxComponent* Container, TComponent* Owner) {
    auto form = std::make_unique<TfrxTabOrderEditorForm>(Owner);
    form->Container = Container;
    return form->ShowModal() == mrOk;
}

// The designer window's Tab Order command: the container of the selection on the current
// page.
void frxRegisterTabOrderEditor() {
    frxDesignerDialogs().TabOrder = [](TfrxDesignerForm* D) {
        if (!D->Page()) return false;
        return frxShowTabOrderEditor(frxTabOrderContainer(D->SelectedObjects(), D->Page()), D);
    };
}
