// The expression window.
#include "designer/editors/ExprEditor.h"

#include <memory>

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

const char* const kExprEditorText = R"(object frxExprEditorForm: TfrxExprEditorForm
  Left = 200
  Top = 150
  Width = 420
  Height = 380
  BorderIcons = [biSystemMenu, biMinimize, biMaximize, biHelp]
  Caption = 'Expression Editor'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  OldCreateOrder = False
  ShowHint = True
  PixelsPerInch = 96
  TextHeight = 13
  OnCreate = FormCreate
  OnShow = FormShow
  OnHide = FormHide
  OnCloseQuery = FormCloseQuery
  object Panel1: TPanel
    Left = 0
    Top = 315
    Width = 412
    Height = 38
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 2
    object OkB: TButton
      Left = 250
      Top = 6
      Width = 75
      Height = 25
      Anchors = [akTop, akRight]
      Caption = 'OK'
      Default = True
      ModalResult = 1
      TabOrder = 0
    end
    object CancelB: TButton
      Left = 331
      Top = 6
      Width = 75
      Height = 25
      Anchors = [akTop, akRight]
      Cancel = True
      Caption = 'Cancel'
      ModalResult = 2
      TabOrder = 1
    end
  end
  object ExprMemo: TMemo
    Left = 0
    Top = 255
    Width = 412
    Height = 60
    Align = alBottom
    TabOrder = 1
    WantReturns = False
    OnDragOver = ExprMemoDragOver
    OnDragDrop = ExprMemoDragDrop
  end
  object Panel2: TPanel
    Left = 0
    Top = 238
    Width = 412
    Height = 17
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 3
    object ExprL: TLabel
      Left = 4
      Top = 2
      Width = 60
      Height = 13
      Caption = 'Expression:'
    end
  end
  object Splitter1: TSplitter
    Left = 0
    Top = 235
    Width = 412
    Height = 3
    Align = alBottom
  end
end
)";

void RegisterExprEditorForm() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterFormResource("TfrxExprEditorForm", kExprEditorText, "ExprEditor.dfm");
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
