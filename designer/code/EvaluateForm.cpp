// The evaluate window.
#include "designer/code/EvaluateForm.h"

#include "designer/FormResources.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/Variant.h"
#include "platform/ui/StdCtrls.h"
#include "report/Resources.h"
#include "script/Script.h"

ROVE_IMPLEMENT_CLASS(TfrxEvaluateForm)

namespace {

void RegisterEvaluateForm() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterDesignerFormResources();
        return true;
    }();
    (void)done;
}

}  // namespace

std::string frxEvaluateResultText(const Variant& Value) {
    if (Value.IsBoolean()) return Value.BoolValue() ? "True" : "False";
    if (Value.IsString()) return "'" + Value.StrValue() + "'";
    if (Value.IsNull()) return "Null";
    return VarToStr(Value);
}

TfrxEvaluateForm::TfrxEvaluateForm(TComponent* AOwner) : TForm(AOwner) {
    RegisterEvaluateForm();
    InitForm();
}

void TfrxEvaluateForm::DeclareProperties(TPropertyDecl<TfrxEvaluateForm>& d) {
    d.Method("FormCreate", &TfrxEvaluateForm::FormCreate);
    d.Method("FormShow", &TfrxEvaluateForm::FormShow);
    d.Method("FormKeyDown", &TfrxEvaluateForm::FormKeyDown);
    d.Method("ExpressionEKeyPress", &TfrxEvaluateForm::ExpressionEKeyPress);
}

void TfrxEvaluateForm::BindFields() {
    Bind(ExpressionL, "ExpressionL");
    Bind(ExpressionE, "ExpressionE");
    Bind(ResultL, "ResultL");
    Bind(ResultM, "ResultM");
}

void TfrxEvaluateForm::FormCreate(TObject*) { frxResources().LocalizeForm(this); }

void TfrxEvaluateForm::FormShow(TObject*) {
    ExpressionE->SelectAll();
    ResultM->Lines()->Clear();
}

void TfrxEvaluateForm::FormKeyDown(TObject*, uint16_t& Key, TShiftState) {
    if (Key == VK_ESCAPE) {
        Key = 0;
        SetModalResult(mrCancel);
    }
}

void TfrxEvaluateForm::ExpressionEKeyPress(TObject*, char32_t& Key) {
    if (Key == 13) {
        Key = 0;
        Evaluate();
    } else if (Key == 27) {
        Key = 0;
        SetModalResult(mrCancel);
    }
}

// A run-time error of the expression leaves the handler for the error box; the result
// shown before stays.
void TfrxEvaluateForm::Evaluate() {
    if (!Script) return;
    const Variant v = Script->Evaluate(ExpressionE->Text());
    ResultM->SetText(frxEvaluateResultText(v));
    ExpressionE->SelectAll();
}
