// The report tree: the tool window that shows the report's object tree (report, pages,
// bands, objects) and keeps its selection in step with the designer's in both directions.
#pragma once

#include <string>
#include <vector>

#include "designer/trees/ToolWindow.h"
#include "platform/ui/ComCtrls.h"

class TfrxComponent;
class TfrxCustomDesigner;
class TfrxReport;

class TfrxReportTreeForm : public TfrxToolWindow {
    ROVE_CLASS(TfrxReportTreeForm, TfrxToolWindow)
public:
    // Owner is the designer.
    explicit TfrxReportTreeForm(TComponent* AOwner);

    // Rebuilds the tree from the report, then shows the selection.
    void UpdateItems();
    // Selects the node of the designer's first selected object (nothing changes when it is
    // not in the tree); fires nothing.
    void UpdateSelection();
    void SetColor(TColor Value);
    TfrxCustomDesigner* Designer() const { return FDesigner; }
    // The objects in tree order, and the node of each.
    const std::vector<TfrxComponent*>& Components() const { return FComponents; }
    const std::vector<TTreeNode*>& Nodes() const { return FNodes; }

    // The user picked a node: it becomes the designer's only selected object.
    TNotifyEvent OnSelectionChanged;
    TTreeView* Tree = nullptr;

private:
    void TreeChange(TObject* Sender, TTreeNode* Node);
    static std::string Caption(const TfrxComponent* Obj);
    // Obj and its descendants in tree order, each with the index of its parent (-1: none).
    static void Collect(TfrxComponent* Obj, int Parent, std::vector<TfrxComponent*>& Objects,
                        std::vector<int>& Parents);
    TfrxCustomDesigner* FDesigner;
    std::vector<TfrxComponent*> FComponents;
    std::vector<TTreeNode*> FNodes;
    std::vector<int> FParents;
    bool FUpdating = false;
};
