// The lines window.
#include "designer/editors/StringsEditor.h"

#include <memory>

#include "designer/FormResources.h"
#include "platform/classes/Streaming.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/StdCtrls.h"
#include "report/Images.h"
#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxStringsEditorForm)

namespace {

void RegisterStringsEditorForm() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterDesignerFormResources();
        return true;
    }();
    (void)done;
}

}  // namespace

TfrxStringsEditorForm::TfrxStringsEditorForm(TComponent* AOwner) : TForm(AOwner) {
    RegisterStringsEditorForm();
    InitForm();
}

void TfrxStringsEditorForm::DeclareProperties(TPropertyDecl<TfrxStringsEditorForm>& d) {
    d.Method("FormCreate", &TfrxStringsEditorForm::FormCreate);
    d.Method("OkBClick", &TfrxStringsEditorForm::OkBClick);
    d.Method("CancelBClick", &TfrxStringsEditorForm::CancelBClick);
    d.Method("MemoKeyDown", &TfrxStringsEditorForm::MemoKeyDown);
}

void TfrxStringsEditorForm::BindFields() {
    Bind(ToolBar, "ToolBar");
    Bind(CancelB, "CancelB");
    Bind(OkB, "OkB");
    Bind(Memo, "Memo");
}

void TfrxStringsEditorForm::FormCreate(TObject*) {
    ToolBar->SetImages(frxResources().MainButtonImages());
    frxResources().LocalizeForm(this);
}

void TfrxStringsEditorForm::OkBClick(TObject*) { SetModalResult(mrOk); }
void TfrxStringsEditorForm::CancelBClick(TObject*) { SetModalResult(mrCancel); }

void TfrxStringsEditorForm::MemoKeyDown(TObject*, uint16_t& Key, TShiftState Shift) {
    if (Key == VK_RETURN && (Shift & ssCtrl)) {
        Key = 0;
        SetModalResult(mrOk);
    } else if (Key == VK_ESCAPE) {
        Key = 0;
        SetModalResult(mrCancel);
    }
}

bool frxShowStringsEditor(TStrings* Lines, TComponent* Owner) {
    if (!Lines) return false;
    auto form = std::make_unique<TfrxStringsEditorForm>(Owner);
    form->Memo->Lines()->Assign(*Lines);
    if (form->ShowModal() != mrOk) return false;
    Lines->Assign(*form->Memo->Lines());
    return true;
}
