// The tab order window of dialog pages: the windowed controls of a container (the first
// selected object, else the page) listed in the order they take the keyboard focus, moved
// up and down; the container's children are reordered in place, and Cancel puts the order
// back as it was.
#pragma once

#include <vector>

#include "platform/ui/Forms.h"

class TButton;
class TLabel;
class TListBox;
class TfrxComponent;

class TfrxTabOrderEditorForm : public TForm {
    ROVE_CLASS(TfrxTabOrderEditorForm, TForm)
public:
    explicit TfrxTabOrderEditorForm(TComponent* AOwner);

    // The container whose children are ordered (set before showing).
    TfrxComponent* Container = nullptr;

    TLabel* ControlsL = nullptr;
    TListBox* ControlsLB = nullptr;
    TButton *OkB = nullptr, *CancelB = nullptr, *UpB = nullptr, *DownB = nullptr;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormHide(TObject* Sender);
    void UpBClick(TObject* Sender);
    void DownBClick(TObject* Sender);
    static void DeclareProperties(TPropertyDecl<TfrxTabOrderEditorForm>& d);

protected:
    void BindFields() override;

private:
    void Exchange(int Line1, int Line2);
    std::vector<TfrxComponent*> FSaved;
};

// The container the window orders: the designer's first selected object when the
// selection is not empty (and not the page itself), else the page.
TfrxComponent* frxTabOrderContainer(const std::vector<TfrxComponent*>& Selected, TfrxComponent* Page);
// Shows the window on Container; true on OK.
bool frxShowTabOrderEditor(TfrxComponent* Container, TComponent* Owner);
// Sets the designer window's Tab Order command to this window.
void frxRegisterTabOrderEditor();
