// The New Items window: every wizard of the wizard registry as a large icon with its
// description; the chosen one runs once the window has closed with OK (or a double click
// on an icon), and a wizard that changed the report marks the designer modified.
#pragma once

#include "platform/ui/Forms.h"

class TButton;
class TImageListComponent;
class TListView;
class TPageControl;
class TTabSheet;
class TfrxCustomDesigner;

class TfrxNewItemForm : public TForm {
    ROVE_CLASS(TfrxNewItemForm, TForm)
public:
    explicit TfrxNewItemForm(TComponent* AOwner);

    TPageControl* Pages = nullptr;
    TTabSheet* ItemsTab = nullptr;
    TListView* ItemsLV = nullptr;
    TTabSheet* TemplatesTab = nullptr;
    TListView* TemplatesLV = nullptr;
    TImageListComponent* Images = nullptr;
    TButton* OkB = nullptr;
    TButton* CancelB = nullptr;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void ItemsLVDblClick(TObject* Sender);
    static void DeclareProperties(TPropertyDecl<TfrxNewItemForm>& d);

    // The registry entry chosen when the window closed with OK on the items page, else -1.
    int ChosenWizard() const;

protected:
    void BindFields() override;
};

// Shows the window (owned by Designer) and runs the wizard chosen there; true when that
// wizard changed the report (the designer has then been told it is modified).
bool frxShowNewItemForm(TfrxCustomDesigner* Designer);
