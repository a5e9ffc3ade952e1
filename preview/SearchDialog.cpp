// The find dialog.
#include "preview/SearchDialog.h"

#include <memory>

#include "platform/classes/Streaming.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "preview/FormResources.h"
#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxSearchDialog)

namespace {

void RegisterSearchDialog() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterPreviewFormResources();
        return true;
    }();
    (void)done;
}

}  // namespace

std::string& frxLastSearchText() {
    static std::string text;
    return text;
}

TfrxSearchDialog::TfrxSearchDialog(TComponent* AOwner) : TForm(AOwner) {
    RegisterSearchDialog();
    InitForm();
}

void TfrxSearchDialog::DeclareProperties(TPropertyDecl<TfrxSearchDialog>& d) {
    d.Method("FormCreate", &TfrxSearchDialog::FormCreate);
    d.Method("FormShow", &TfrxSearchDialog::FormShow);
    d.Method("FormHide", &TfrxSearchDialog::FormHide);
}

void TfrxSearchDialog::BindFields() {
    Bind(Panel2, "Panel2");
    Bind(TextL, "TextL");
    Bind(TextE, "TextE");
    Bind(ReplacePanel, "ReplacePanel");
    Bind(ReplaceL, "ReplaceL");
    Bind(ReplaceE, "ReplaceE");
    Bind(Panel3, "Panel3");
    Bind(SearchL, "SearchL");
    Bind(TopCB, "TopCB");
    Bind(CaseCB, "CaseCB");
    Bind(OkB, "OkB");
    Bind(CancelB, "CancelB");
}

void TfrxSearchDialog::FormCreate(TObject*) { frxResources().LocalizeForm(this); }

void TfrxSearchDialog::FormShow(TObject*) {
    // The window fits the rows it shows.
    int h = Panel2->Height() + Panel3->Height();
    if (ReplacePanel->Visible()) h += ReplacePanel->Height();
    SetClientHeight(h);
    TextE->SetText(frxLastSearchText());
    SetActiveControl(TextE);
    TextE->SelectAll();
}

void TfrxSearchDialog::FormHide(TObject*) {
    if (ModalResult() == mrOk) frxLastSearchText() = TextE->Text();
}

bool frxShowSearchDialog(TfrxSearchOptions& Options, TComponent* Owner) {
    auto form = std::make_unique<TfrxSearchDialog>(Owner);
    form->ReplacePanel->SetVisible(Options.ShowReplace);
    form->TopCB->SetChecked(Options.FromTop);
    form->CaseCB->SetChecked(Options.MatchCase);
    form->TopCB->SetEnabled(Options.FromTopEnabled);
    if (form->ShowModal() != mrOk) return false;
    Options.Text = form->TextE->Text();
    Options.ReplaceText = form->ReplaceE->Text();
    Options.FromTop = form->TopCB->Checked();
    Options.MatchCase = form->CaseCB->Checked();
    return true;
}
