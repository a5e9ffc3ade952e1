// The system text dialog: one text for a system-text object or for the memo editor's
// aggregate button, either a system variable ("[PAGE#]"), an aggregate expression in
// square brackets ("[SUM(<Items."Price">,MasterData1)]") or plain text. With
// AggregateOnly it shows the aggregate part alone.
#pragma once

#include <string>

#include "platform/ui/Forms.h"

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TGroupBox;
class TLabel;
class TRadioButton;
class TfrxComboEdit;
class TfrxCustomDesigner;
class TfrxReport;

class TfrxSysMemoEditorForm : public TForm {
    ROVE_CLASS(TfrxSysMemoEditorForm, TForm)
public:
    explicit TfrxSysMemoEditorForm(TComponent* AOwner);

    TRadioButton* AggregateRB = nullptr;
    TGroupBox* AggregatePanel = nullptr;
    TLabel* DataBandL = nullptr;
    TComboBox* DataBandCB = nullptr;
    TLabel* DataSetL = nullptr;
    TComboBox* DataSetCB = nullptr;
    TLabel* DataFieldL = nullptr;
    TComboBox* DataFieldCB = nullptr;
    TLabel* FunctionL = nullptr;
    TComboBox* FunctionCB = nullptr;
    TLabel* ExpressionL = nullptr;
    TfrxComboEdit* ExpressionE = nullptr;
    TCheckBox* CountInvisibleCB = nullptr;
    TCheckBox* RunningTotalCB = nullptr;
    TRadioButton* SysVariableRB = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TComboBox* SysVariableCB = nullptr;
    TRadioButton* TextRB = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TEdit* TextE = nullptr;
    TButton* OKB = nullptr;
    TButton* CancelB = nullptr;

    // Set by the caller before showing.
    bool AggregateOnly = false;
    // The text, in and out.
    std::string Text;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormHide(TObject* Sender);
    void DataBandCBChange(TObject* Sender);
    void DataSetCBChange(TObject* Sender);
    void DataFieldCBChange(TObject* Sender);
    void ExpressionEButtonClick(TObject* Sender);
    // Keeps OK disabled while the aggregate lacks what its function needs.
    void AggregateChange(TObject* Sender);
    static void DeclareProperties(TPropertyDecl<TfrxSysMemoEditorForm>& d);

    // The aggregate text the boxes make now.
    std::string AggregateText() const;
    // Whether the aggregate can be built: COUNT needs a band, the others an expression
    // or a dataset and a field.
    bool AggregateComplete() const;

protected:
    void BindFields() override;

private:
    TfrxCustomDesigner* Designer() const;
    TfrxReport* FReport = nullptr;
};

// The text without one trailing line break (CR LF or LF), as a memo's text ends.
std::string frxWithoutTrailingLineBreak(const std::string& Text);

// Shows the dialog on Text; on OK Text is the built text and the result true.
bool frxShowSysMemoEditor(TfrxCustomDesigner* Designer, std::string& Text, bool AggregateOnly);
