// The report tree.
#include "designer/trees/ReportTree.h"

#include <algorithm>

#include "report/Bands.h"
#include "report/Images.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxReportTreeForm)

namespace {
int ImageOf(const TfrxComponent* Obj) {
    if (Obj->Is<TfrxReport>()) return frxButton::Report;
    if (Obj->Is<TfrxReportPage>()) return frxButton::ReportPage;
    if (Obj->Is<TfrxDialogPage>()) return frxButton::DialogPage;
    if (Obj->Is<TfrxBand>()) return frxButton::Band;
    return frxButton::OtherObject;
}
}  // namespace

TfrxReportTreeForm::TfrxReportTreeForm(TComponent* AOwner)
    : TfrxToolWindow(AOwner), FDesigner(dynamic_cast<TfrxCustomDesigner*>(AOwner)) {
    SetName("ReportTreeForm");
    SetText("Report Tree");
    Tree = new TTreeView(this);
    Tree->SetName("Tree");
    Tree->SetParent(this);
    Tree->SetAlign(alClient);
    Tree->SetReadOnly(true);
    Tree->SetHideSelection(false);
    Tree->SetShowRoot(false);
    Tree->SetIndent(19);
    Tree->SetImages(frxResources().MainButtonImages());
    Tree->OnChange = [this](TObject* s, TTreeNode* n) { TreeChange(s, n); };
    Localize();
}

std::string TfrxReportTreeForm::Caption(const TfrxComponent* Obj) {
    return Obj->Is<TfrxReport>() ? std::string("Report") : Obj->Name();
}

void TfrxReportTreeForm::Collect(TfrxComponent* Obj, int Parent, std::vector<TfrxComponent*>& Objects,
                                 std::vector<int>& Parents) {
    const int self = static_cast<int>(Objects.size());
    Objects.push_back(Obj);
    Parents.push_back(Parent);
    for (TfrxComponent* c : Obj->ObjectList()) Collect(c, self, Objects, Parents);
}

void TfrxReportTreeForm::UpdateItems() {
    // The report's objects in tree order, each with the place of its parent.
    std::vector<TfrxComponent*> objects;
    std::vector<int> parents;
    if (FDesigner && FDesigner->Report()) Collect(FDesigner->Report(), -1, objects, parents);
    if (parents == FParents) {
        // A tree of the same shape (a property changed, or an undo read the report back
        // with its objects in the same places): the nodes stay and take the objects now in
        // their places, only their names and pictures follow (rebuilding a tree of
        // thousands of objects after every change would cost more than the change itself).
        // Objects read back are new ones: the tree opens fully, as a new tree does.
        const bool others = objects != FComponents;
        FComponents = std::move(objects);
        for (size_t i = 0; i < FComponents.size(); ++i) {
            TTreeNode* node = FNodes[i];
            node->SetData(FComponents[i]);
            const std::string caption = Caption(FComponents[i]);
            if (node->Text() != caption) node->SetText(caption);
            const int image = ImageOf(FComponents[i]);
            if (node->ImageIndex() != image) {
                node->SetImageIndex(image);
                node->SetSelectedIndex(image);
            }
        }
        if (others) Tree->FullExpand();
        UpdateSelection();
        return;
    }
    TTreeNodes* items = Tree->Items();
    FUpdating = true;
    items->BeginUpdate();
    items->Clear();
    FComponents = std::move(objects);
    FParents = std::move(parents);
    FNodes.clear();
    for (size_t i = 0; i < FComponents.size(); ++i) {
        TfrxComponent* obj = FComponents[i];
        TTreeNode* parent = FParents[i] < 0 ? nullptr : FNodes[static_cast<size_t>(FParents[i])];
        TTreeNode* node = items->AddChildObject(parent, Caption(obj), obj);
        node->SetImageIndex(ImageOf(obj));
        node->SetSelectedIndex(ImageOf(obj));
        FNodes.push_back(node);
    }
    Tree->FullExpand();
    items->EndUpdate();
    FUpdating = false;
    UpdateSelection();
}

void TfrxReportTreeForm::UpdateSelection() {
    if (!FDesigner || FDesigner->SelectedObjects().empty()) return;
    TfrxComponent* first = FDesigner->SelectedObjects().front();
    auto it = std::find(FComponents.begin(), FComponents.end(), first);
    if (it == FComponents.end()) return;
    FUpdating = true;
    TTreeNode* node = FNodes[static_cast<size_t>(it - FComponents.begin())];
    Tree->SetSelected(node);
    Tree->SetTopItem(node);
    FUpdating = false;
}

void TfrxReportTreeForm::TreeChange(TObject*, TTreeNode* Node) {
    if (FUpdating || !Node || !FDesigner) return;
    auto* obj = static_cast<TfrxComponent*>(Node->Data());
    FDesigner->SelectedObjects().clear();
    FDesigner->SelectedObjects().push_back(obj);
    OnSelectionChanged(this);
}

void TfrxReportTreeForm::SetColor(TColor Value) {
    Tree->SetColor(Value);
    UpdateItems();
}
