// The group dialog: what breaks a group header's groups, a dataset field (alias and
// field name) or a typed expression, and the group's options (keep together, start a
// new page, show the condition in the outline).
#pragma once

#include "platform/ui/Forms.h"

class TButton;
class TCheckBox;
class TComboBox;
class TGroupBox;
class TRadioButton;
class TfrxComboEdit;
class TfrxCustomDesigner;
class TfrxGroupHeader;
class TfrxReport;

class TfrxGroupEditorForm : public TForm {
    ROVE_CLASS(TfrxGroupEditorForm, TForm)
public:
    explicit TfrxGroupEditorForm(TComponent* AOwner);

    TGroupBox* BreakOnL = nullptr;
    TRadioButton* DataFieldRB = nullptr;
    TComboBox* DataSetCB = nullptr;
    TComboBox* DataFieldCB = nullptr;
    TRadioButton* ExpressionRB = nullptr;
    TfrxComboEdit* ExpressionE = nullptr;
    TGroupBox* OptionsL = nullptr;
    TCheckBox* KeepGroupTogetherCB = nullptr;
    TCheckBox* StartNewPageCB = nullptr;
    TCheckBox* OutlineCB = nullptr;
    TButton* OKB = nullptr;
    TButton* CancelB = nullptr;

    // The band edited; set before showing, not owned.
    TfrxGroupHeader* GroupHeader = nullptr;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormHide(TObject* Sender);
    void DataSetCBChange(TObject* Sender);
    void DataFieldRBClick(TObject* Sender);
    void ExpressionEButtonClick(TObject* Sender);
    static void DeclareProperties(TPropertyDecl<TfrxGroupEditorForm>& d);

protected:
    void BindFields() override;

private:
    TfrxCustomDesigner* Designer() const;
    TfrxReport* FReport = nullptr;
};

// Shows the dialog for Band; true (the band changed) on OK.
bool frxShowGroupEditor(TfrxGroupHeader* Band, TfrxCustomDesigner* Designer);
