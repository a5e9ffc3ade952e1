// The evaluate window: an expression typed by the user is evaluated in the context of the
// report's script (its variables, functions and objects are seen), also while the debugger
// holds the script at a line, and its value is shown as text.
#pragma once

#include <string>

#include "platform/ui/Forms.h"

class TEdit;
class TLabel;
class TMemo;
class TfsScript;
class Variant;

class TfrxEvaluateForm : public TForm {
    ROVE_CLASS(TfrxEvaluateForm, TForm)
public:
    explicit TfrxEvaluateForm(TComponent* AOwner);

    // The script in whose context expressions are evaluated (set before showing).
    TfsScript* Script = nullptr;

    TLabel* ExpressionL = nullptr;
    TEdit* ExpressionE = nullptr;
    TLabel* ResultL = nullptr;
    TMemo* ResultM = nullptr;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void ExpressionEKeyPress(TObject* Sender, char32_t& Key);
    // Evaluates the expression and shows its value (what Enter in the expression does).
    void Evaluate();
    static void DeclareProperties(TPropertyDecl<TfrxEvaluateForm>& d);

protected:
    void BindFields() override;
};

// The text a value shows as: True/False, a string between single quotes, Null, or the
// value's standard text.
std::string frxEvaluateResultText(const Variant& Value);
