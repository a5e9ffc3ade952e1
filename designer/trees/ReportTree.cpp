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
    if (dynamic_cast<const TfrxReport*>(Obj)) return frxButton::Report;
    if (dynamic_cast<const TfrxReportPage*>(Obj)) return frxButton::ReportPage;
    if (dynamic_cast<const TfrxDialogPage*>(Obj)) return frxButton::DialogPage;
    if (dynamic_cast<const TfrxBand*>(Obj)) return frxButton::Band;
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

void TfrxReportTreeForm::AddObject(TTreeNode* Parent, TfrxComponent* Obj) {
    const bool report = dynamic_cast<TfrxReport*>(Obj) != nullptr;
    TTreeNode* node = Tree->Items()->AddChildObject(Parent, report ? std::string("Report") : Obj->Name(), Obj);
    node->SetImageIndex(ImageOf(Obj));
    node->SetSelectedIndex(ImageOf(Obj));
    FComponents.push_back(Obj);
    FNodes.push_back(node);
    for (TfrxComponent* c : Obj->ObjectList()) AddObject(node, c);
}

void TfrxReportTreeForm::UpdateItems() {
    TTreeNodes* items = Tree->Items();
    FUpdating = true;
    items->BeginUpdate();
    items->Clear();
    FComponents.clear();
    FNodes.clear();
    if (FDesigner && FDesigner->Report()) AddObject(nullptr, FDesigner->Report());
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
