// The variables editor: the report's variables, named expressions grouped into
// categories, edited on a copy that goes back into the report only with OK. Names are
// renamed in place, the expression of the selected variable is typed below the tree or
// put together from the data tree beside it (double click or drag), the whole list can be
// edited as lines, and loaded from or saved to a dictionary file (".bd3").
#pragma once

#include <memory>
#include <string>

#include "platform/ui/Forms.h"

class TMemo;
class TOpenDialog;
class TPanel;
class TSaveDialog;
class TSplitter;
class TToolBar;
class TToolButton;
class TTreeNode;
class TTreeView;
class TfrxCustomDesigner;
class TfrxDataTreeForm;
class TfrxReport;
class TfrxVariables;

class TfrxVarEditorForm : public TForm {
    ROVE_CLASS(TfrxVarEditorForm, TForm)
public:
    explicit TfrxVarEditorForm(TComponent* AOwner);
    ~TfrxVarEditorForm() override;

    TToolBar* ToolBar = nullptr;
    TToolButton *NewCategoryB = nullptr, *NewVarB = nullptr, *EditB = nullptr, *DeleteB = nullptr,
                *EditListB = nullptr, *Sep1 = nullptr, *LoadB = nullptr, *SaveB = nullptr, *Sep2 = nullptr,
                *CancelB = nullptr, *OkB = nullptr;
    TTreeView* VarTree = nullptr;
    TSplitter* Splitter1 = nullptr;
    TPanel* ExprPanel = nullptr;
    TMemo* ExprMemo = nullptr;
    TSplitter* Splitter2 = nullptr;
    TOpenDialog* OpenDialog1 = nullptr;
    TSaveDialog* SaveDialog1 = nullptr;

    // The working copy.
    TfrxVariables* Variables() const { return FVariables.get(); }
    // The data tree beside the variables (owned by the window).
    TfrxDataTreeForm* DataTree() const { return FDataTree; }
    // The tree's root node.
    TTreeNode* Root() const;
    // True for a category node (its stored name has the leading blank).
    static bool IsCategoryNode(const TTreeNode* Node);
    static bool IsVariableNode(const TTreeNode* Node);

    void FormCreate(TObject* Sender);
    // Esc closes the window as Cancel does (an open list or a label being edited takes it first).
    void FormKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void FormShow(TObject* Sender);
    void FormHide(TObject* Sender);
    void OkBClick(TObject* Sender);
    void CancelBClick(TObject* Sender);
    void NewCategoryBClick(TObject* Sender);
    void NewVarBClick(TObject* Sender);
    void EditBClick(TObject* Sender);
    void DeleteBClick(TObject* Sender);
    void EditListBClick(TObject* Sender);
    void LoadBClick(TObject* Sender);
    void SaveBClick(TObject* Sender);
    void VarTreeChange(TObject* Sender, TTreeNode* Node);
    void VarTreeChanging(TObject* Sender, TTreeNode* Node, bool& AllowChange);
    void VarTreeEdited(TObject* Sender, TTreeNode* Node, std::string& S);
    void VarTreeKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void ExprMemoDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void ExprMemoDragDrop(TObject* Sender, TObject* Source, int X, int Y);
    static void DeclareProperties(TPropertyDecl<TfrxVarEditorForm>& d);

    // The tree again from the working copy.
    void FillVariables();
    // The data tree's text for its selected item goes into the expression at the caret.
    void InsertFromDataTree();

protected:
    void BindFields() override;

private:
    TfrxReport* Report() const;
    // The stored name of a node: a category's with its leading blank.
    std::string StoredName(const TTreeNode* Node) const;
    // Base + the smallest number 1, 2, ... that no item has.
    std::string UniqueName(const std::string& Base) const;
    // A modified expression goes into the variable it belongs to.
    void CommitExpression();
    void UpdateRootText();
    bool FromDataTree(TObject* Source) const;
    std::unique_ptr<TfrxVariables> FVariables;
    TfrxDataTreeForm* FDataTree = nullptr;
    TTreeNode* FExprNode = nullptr;
    bool FUpdating = false;
    bool FRestoring = false;
};

// Reads a dictionary file into Variables; a file that is no "variables" document raises
// "Invalid file format" and leaves Variables as they were.
void frxLoadDictionary(TfrxVariables* Variables, const std::string& FileName);

// Shows the editor (owned by Designer) on the designer's report; true when it ended with
// OK, the report's variables then being the edited ones.
bool frxShowVarEditor(TfrxCustomDesigner* Designer);
