// The expression window.
#include "designer/editors/ExprEditor.h"

#include <memory>

#include "designer/FormResources.h"
#include "designer/trees/DataTree.h"
#include "platform/classes/Streaming.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "platform/rtl/Settings.h"
#include "platform/rtl/StrUtils.h"
#include "preview/Dock.h"
#include "report/Aggregates.h"
#include "report/Report.h"
#include "report/ReportServices.h"
#include "report/Utils.h"
#include "script/Script.h"
#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxExprEditorForm)

namespace {

void RegisterExprEditorForm() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterDesignerFormResources();
        return true;
    }();
    (void)done;
}

}  // namespace

TfrxExprEditorForm::TfrxExprEditorForm(TComponent* AOwner) : TForm(AOwner) {
    RegisterExprEditorForm();
    InitForm();
}

void TfrxExprEditorForm::DeclareProperties(TPropertyDecl<TfrxExprEditorForm>& d) {
    d.Method("FormCreate", &TfrxExprEditorForm::FormCreate);
    d.Method("FormShow", &TfrxExprEditorForm::FormShow);
    d.Method("FormHide", &TfrxExprEditorForm::FormHide);
    d.Method("FormCloseQuery", &TfrxExprEditorForm::FormCloseQuery);
    d.Method("ExprMemoDragOver", &TfrxExprEditorForm::ExprMemoDragOver);
    d.Method("ExprMemoDragDrop", &TfrxExprEditorForm::ExprMemoDragDrop);
}

void TfrxExprEditorForm::BindFields() {
    Bind(Splitter1, "Splitter1");
    Bind(ExprMemo, "ExprMemo");
    Bind(Panel1, "Panel1");
    Bind(OkB, "OkB");
    Bind(CancelB, "CancelB");
    Bind(Panel2, "Panel2");
    Bind(ExprL, "ExprL");
}

void TfrxExprEditorForm::FormCreate(TObject*) {
    frxResources().LocalizeForm(this);
    // The data tree fills what the expression line leaves free; the report is the
    // designer's.
    auto* designer = dynamic_cast<TfrxCustomDesigner*>(Owner());
    FDataTree = new TfrxDataTreeForm(this, designer ? designer->Report() : nullptr);
    FDataTree->SetParent(this);
    FDataTree->SetAlign(alClient);
    FDataTree->TitlePanel()->SetVisible(false);
    FDataTree->HintPanel->SetHeight(60);
    FDataTree->CBPanel->SetHeight(17);
    FDataTree->OnDblClick = [this](TObject* Sender) { OnDataTreeDblClick(Sender); };
    FDataTree->UpdateItems();
    SetActiveControl(ExprMemo);
}

TfrxReport* TfrxExprEditorForm::Report() const {
    auto* designer = dynamic_cast<TfrxCustomDesigner*>(Owner());
    return designer ? designer->Report() : nullptr;
}

void TfrxExprEditorForm::FormShow(TObject*) {
    // Where the window was left last time ("Visible" first, so that it stays shown). The
    // restore shows the window, which comes back here: once is enough.
    if (TfrxReport* report = Report(); report && !FRestoring) {
        FRestoring = true;
        struct Done {
            bool& F;
            ~Done() { F = false; }
        } done{FRestoring};
        auto store = report->GetIniFile();
        store->WriteBool("Form.TfrxExprEditorForm", "Visible", true);
        RestoreFormPosition(*store, this);
    }
    FDataTree->FormShow();
    SetActiveControl(ExprMemo);
}

void TfrxExprEditorForm::FormHide(TObject*) {
    if (TfrxReport* report = Report()) SaveFormPosition(*report->GetIniFile(), this);
}

void TfrxExprEditorForm::OnDataTreeDblClick(TObject*) {
    const std::string text = FDataTree->GetInsertText();
    if (text.empty()) return;
    ExprMemo->SetSelText(text);
    SetActiveControl(ExprMemo);
}

bool TfrxExprEditorForm::FromOwnTree(TObject* Source) const {
    return Source && (Source == FDataTree->DataTree || Source == FDataTree->VariablesTree ||
                      Source == FDataTree->FunctionsTree);
}

void TfrxExprEditorForm::ExprMemoDragOver(TObject*, TObject* Source, int, int, TDragState, bool& Accept) {
    Accept = FromOwnTree(Source) && !FDataTree->GetInsertText().empty();
}

void TfrxExprEditorForm::ExprMemoDragDrop(TObject*, TObject* Source, int, int) {
    if (FromOwnTree(Source)) OnDataTreeDblClick(Source);
}

std::string frxExpressionError(TfrxReport* Report, const std::string& Expr) {
    if (!Report || Trim(Expr).empty()) return {};
    // A script that does not compile still has the objects bound: its error is not the
    // expression's.
    Report->PrepareScript();
    TfsScript check(nullptr);
    check.SetParent(Report->Script());
    check.SetSyntaxType("PascalScript");
    check.Lines()->SetText("function _check: Variant; begin Result := " + frxAggregateCallsAsLookups(Expr) +
                           " end; begin end.");
    if (check.Compile()) return {};
    return frxResources().Get("clExprError") + " '" + Expr + "': " + check.ErrorMsg();
}

void TfrxExprEditorForm::FormCloseQuery(TObject*, bool& CanClose) {
    if (ModalResult() != mrOk) return;
    const std::string error = frxExpressionError(Report(), ExprMemo->Text());
    if (error.empty()) return;
    CanClose = false;
    frxErrorMsg(error);
    SetActiveControl(ExprMemo);
}

bool frxShowExprEditor(TfrxCustomDesigner* Designer, std::string& Expr) {
    auto form = std::make_unique<TfrxExprEditorForm>(Designer);
    form->ExprMemo->SetText(Expr);
    if (form->ShowModal() != mrOk) return false;
    Expr = form->ExprMemo->Text();
    return true;
}
