// The expression window: an expression typed or put together from the designer's data
// tree (datasets and fields, variables, functions), which it shows above the expression
// line; a double click on a tree item, or dragging it onto the line, inserts its text.
// Enter accepts; an expression that does not compile is refused with the compiler's
// message. The window comes back where it was left.
#pragma once

#include <string>

#include "platform/ui/Forms.h"

class TButton;
class TLabel;
class TMemo;
class TPanel;
class TSplitter;
class TfrxCustomDesigner;
class TfrxDataTreeForm;
class TfrxReport;

class TfrxExprEditorForm : public TForm {
    ROVE_CLASS(TfrxExprEditorForm, TForm)
public:
    explicit TfrxExprEditorForm(TComponent* AOwner);

    TSplitter* Splitter1 = nullptr;
    TMemo* ExprMemo = nullptr;
    TPanel* Panel1 = nullptr;
    TButton* OkB = nullptr;
    TButton* CancelB = nullptr;
    TPanel* Panel2 = nullptr;
    TLabel* ExprL = nullptr;

    // The data tree shown above the expression (owned by the window).
    TfrxDataTreeForm* DataTree() const { return FDataTree; }

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormHide(TObject* Sender);
    // OK with an expression that does not compile says why and keeps the window open.
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    // The selected tree item's text replaces the expression's selection.
    void OnDataTreeDblClick(TObject* Sender);
    void ExprMemoDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void ExprMemoDragDrop(TObject* Sender, TObject* Source, int X, int Y);
    static void DeclareProperties(TPropertyDecl<TfrxExprEditorForm>& d);

protected:
    void BindFields() override;

private:
    // The designer's report.
    TfrxReport* Report() const;
    // Whether Source is one of this window's data-tree views.
    bool FromOwnTree(TObject* Source) const;
    TfrxDataTreeForm* FDataTree = nullptr;
    bool FRestoring = false;
};

// Why Expr does not compile as an expression of Report ("clExprError" 'expr': message),
// empty when it compiles (or is empty). The report's objects are bound to its script
// first, so that an expression may name them.
std::string frxExpressionError(TfrxReport* Report, const std::string& Expr);

// Shows the window (owned by Designer) with Expr in its line; on OK Expr is the line's
// text and the result true. The designer's expression insertion uses it.
bool frxShowExprEditor(TfrxCustomDesigner* Designer, std::string& Expr);
