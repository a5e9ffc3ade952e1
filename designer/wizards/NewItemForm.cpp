// The New Items window.
#include "designer/wizards/NewItemForm.h"

#include <memory>

#include "designer/FormResources.h"
#include "platform/classes/Streaming.h"
#include "platform/graphics/Graphics.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/StdCtrls.h"
#include "report/DesignRegistries.h"
#include "report/ReportServices.h"
#include "report/Resources.h"
#include "report/Utils.h"

ROVE_IMPLEMENT_CLASS(TfrxNewItemForm)

namespace {

void RegisterNewItemForm() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterDesignerFormResources();
        return true;
    }();
    (void)done;
}

}  // namespace

TfrxNewItemForm::TfrxNewItemForm(TComponent* AOwner) : TForm(AOwner) {
    RegisterNewItemForm();
    InitForm();
}

void TfrxNewItemForm::DeclareProperties(TPropertyDecl<TfrxNewItemForm>& d) {
    d.Method("FormCreate", &TfrxNewItemForm::FormCreate);
    d.Method("FormShow", &TfrxNewItemForm::FormShow);
    d.Method("ItemsLVDblClick", &TfrxNewItemForm::ItemsLVDblClick);
}

void TfrxNewItemForm::BindFields() {
    Bind(Pages, "Pages");
    Bind(ItemsTab, "ItemsTab");
    Bind(ItemsLV, "ItemsLV");
    Bind(TemplatesTab, "TemplatesTab");
    Bind(TemplatesLV, "TemplatesLV");
    Bind(Images, "Images");
    Bind(OkB, "OkB");
    Bind(CancelB, "CancelB");
}

void TfrxNewItemForm::FormCreate(TObject*) { frxResources().LocalizeForm(this); }

// One icon per registered wizard, in registry order: its description, the last cell of its
// picture, the registry position as its data.
void TfrxNewItemForm::FormShow(TObject*) {
    TfrxWizardCollection& wizards = frxWizards();
    ItemsLV->Items()->Clear();
    for (int i = 0; i < wizards.Count(); ++i) {
        TfrxWizardItem& entry = wizards.Items(i);
        if (!entry.ClassRef) continue;
        std::unique_ptr<TObject> made(entry.ClassRef->CreateInstance(nullptr));
        auto* wizard = dynamic_cast<TfrxCustomWizard*>(made.get());
        if (!wizard) continue;
        TListItem* item = ItemsLV->Items()->Add();
        item->SetCaption(wizard->GetDescription());
        if (entry.ButtonBitmap) frxAssignImages(entry.ButtonBitmap.get(), 22, 22, Images, nullptr);
        item->SetImageIndex(Images->Count() - 1);
        item->SetData(reinterpret_cast<void*>(static_cast<intptr_t>(i)));
    }
    // Nothing is chosen for the user: OK before a click on an icon runs no wizard.
    ItemsLV->SetSelected(nullptr);
}

void TfrxNewItemForm::ItemsLVDblClick(TObject*) {
    if (ItemsLV->Selected()) SetModalResult(mrOk);
}

int TfrxNewItemForm::ChosenWizard() const {
    if (ModalResult() != mrOk || Pages->ActivePage() != ItemsTab) return -1;
    TListItem* item = ItemsLV->Selected();
    return item ? static_cast<int>(reinterpret_cast<intptr_t>(item->Data())) : -1;
}

// The wizard runs after the window is gone, not while it is being destroyed: it opens
// windows of its own.
bool frxShowNewItemForm(TfrxCustomDesigner* Designer) {
    int chosen = -1;
    {
        auto form = std::make_unique<TfrxNewItemForm>(Designer);
        form->ShowModal();
        chosen = form->ChosenWizard();
    }
    TfrxWizardCollection& wizards = frxWizards();
    if (chosen < 0 || chosen >= wizards.Count() || !wizards.Items(chosen).ClassRef) return false;
    std::unique_ptr<TObject> made(wizards.Items(chosen).ClassRef->CreateInstance(Designer));
    auto* wizard = dynamic_cast<TfrxCustomWizard*>(made.get());
    if (!wizard || !wizard->Execute()) return false;
    if (Designer) Designer->SetModified(true);
    return true;
}
