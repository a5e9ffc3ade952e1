// The lines window: a plain multi-line text with OK and Cancel, used wherever the
// designer edits a list of lines (string-list properties, the variables editor's list).
// Ctrl+Enter accepts, Escape discards, Enter starts a new line.
#pragma once

#include "platform/ui/Forms.h"

class TMemo;
class TStrings;
class TToolBar;
class TToolButton;

class TfrxStringsEditorForm : public TForm {
    ROVE_CLASS(TfrxStringsEditorForm, TForm)
public:
    explicit TfrxStringsEditorForm(TComponent* AOwner);

    TToolBar* ToolBar = nullptr;
    TToolButton* CancelB = nullptr;
    TToolButton* OkB = nullptr;
    TMemo* Memo = nullptr;

    void FormCreate(TObject* Sender);
    void OkBClick(TObject* Sender);
    void CancelBClick(TObject* Sender);
    void MemoKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    static void DeclareProperties(TPropertyDecl<TfrxStringsEditorForm>& d);

protected:
    void BindFields() override;
};

// Shows the window on a copy of Lines; on OK Lines takes the edited lines and the result
// is true.
bool frxShowStringsEditor(TStrings* Lines, TComponent* Owner = nullptr);
