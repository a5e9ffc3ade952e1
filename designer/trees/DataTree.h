// The data tree: the tool window that shows, on three pages, what a report expression can
// name: the fields of the report's datasets; the report's variables with the script's
// global variables and the system variables; and the functions the script engine knows,
// with their descriptions. It is a drag source: the page workspace, the code page and the
// expression and variables editors take the text to insert from GetInsertText.
#pragma once

#include <memory>
#include <string>

#include "designer/trees/ToolWindow.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/StdCtrls.h"

class TfrxReport;
class TfsXMLDocument;

class TfrxDataTreeForm : public TfrxToolWindow {
    ROVE_CLASS(TfrxDataTreeForm, TfrxToolWindow)
public:
    // The report is the designer's when Owner is a designer and AReport is not given.
    explicit TfrxDataTreeForm(TComponent* AOwner, TfrxReport* AReport = nullptr);
    ~TfrxDataTreeForm() override;

    TfrxReport* Report() const { return FReport; }
    // Rebuilds the three trees from the report and the script engine.
    void UpdateItems();
    void FillDataTree();
    void FillVariablesTree();
    void FillFunctionsTree();
    // What a drop or a double click inserts for the selected node of the active page;
    // empty when nothing insertable is selected.
    std::string GetInsertText() const;
    bool IsDataPageActive() const;
    void SetColor(TColor Value);
    // Expands the trees (what showing the window does).
    void FormShow();

    // A double click on any of the trees.
    TNotifyEvent OnDblClick;

    TPageControl* Tabs = nullptr;
    TTabSheet *DataTS = nullptr, *VariablesTS = nullptr, *FunctionsTS = nullptr;
    TTreeView *DataTree = nullptr, *VariablesTree = nullptr, *FunctionsTree = nullptr;
    TPanel* CBPanel = nullptr;
    TCheckBox *InsFieldCB = nullptr, *InsCaptionCB = nullptr;
    TSplitter* Splitter1 = nullptr;
    TPanel* HintPanel = nullptr;
    TLabel *FunctionNameL = nullptr, *FunctionDescL = nullptr;

private:
    TTreeView* MakeTree(TTabSheet* Sheet, const char* Name);
    void FunctionsTreeChange(TObject* Sender, TTreeNode* Node);
    void DataTreeCustomDrawItem(TTreeView* Sender, TTreeNode* Node, TCustomDrawState State, bool& DefaultDraw);
    TfrxReport* FReport;
    std::unique_ptr<TfsXMLDocument> FFunctionsXML;
    bool FUpdating = false;
};
