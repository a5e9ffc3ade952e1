// The variables editor.
#include "designer/dialogs/VarEditor.h"

#include <unordered_map>
#include <unordered_set>

#include "designer/FormResources.h"
#include "designer/editors/StringsEditor.h"
#include "designer/trees/DataTree.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Settings.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/Keys.h"
#include "platform/ui/StdCtrls.h"
#include "preview/Dock.h"
#include "report/Images.h"
#include "report/Report.h"
#include "report/ReportServices.h"
#include "report/Resources.h"
#include "report/Utils.h"
#include "report/Variables.h"
#include "report/XMLDocument.h"
#include "platform/rtl/Streams.h"

ROVE_IMPLEMENT_CLASS(TfrxVarEditorForm)

namespace {

void RegisterVarEditorForm() {
    static const bool done = [] {
        RegisterUiClasses();
        RegisterDesignerFormResources();
        return true;
    }();
    (void)done;
}

constexpr const char* kSection = "Form.TfrxVarEditorForm";

// What a node stands for (its Data).
int kCategoryTag = 0, kVariableTag = 0;

}  // namespace

TfrxVarEditorForm::TfrxVarEditorForm(TComponent* AOwner)
    : TForm(AOwner), FVariables(std::make_unique<TfrxVariables>()) {
    RegisterVarEditorForm();
    InitForm();
}

TfrxVarEditorForm::~TfrxVarEditorForm() = default;

void TfrxVarEditorForm::DeclareProperties(TPropertyDecl<TfrxVarEditorForm>& d) {
    d.Method("FormCreate", &TfrxVarEditorForm::FormCreate);
    d.Method("FormKeyDown", &TfrxVarEditorForm::FormKeyDown);
    d.Method("FormShow", &TfrxVarEditorForm::FormShow);
    d.Method("FormHide", &TfrxVarEditorForm::FormHide);
    d.Method("OkBClick", &TfrxVarEditorForm::OkBClick);
    d.Method("CancelBClick", &TfrxVarEditorForm::CancelBClick);
    d.Method("NewCategoryBClick", &TfrxVarEditorForm::NewCategoryBClick);
    d.Method("NewVarBClick", &TfrxVarEditorForm::NewVarBClick);
    d.Method("EditBClick", &TfrxVarEditorForm::EditBClick);
    d.Method("DeleteBClick", &TfrxVarEditorForm::DeleteBClick);
    d.Method("EditListBClick", &TfrxVarEditorForm::EditListBClick);
    d.Method("LoadBClick", &TfrxVarEditorForm::LoadBClick);
    d.Method("SaveBClick", &TfrxVarEditorForm::SaveBClick);
    d.Method("VarTreeChange", &TfrxVarEditorForm::VarTreeChange);
    d.Method("VarTreeChanging", &TfrxVarEditorForm::VarTreeChanging);
    d.Method("VarTreeEdited", &TfrxVarEditorForm::VarTreeEdited);
    d.Method("VarTreeKeyDown", &TfrxVarEditorForm::VarTreeKeyDown);
    d.Method("ExprMemoDragOver", &TfrxVarEditorForm::ExprMemoDragOver);
    d.Method("ExprMemoDragDrop", &TfrxVarEditorForm::ExprMemoDragDrop);
}

void TfrxVarEditorForm::BindFields() {
    Bind(ToolBar, "ToolBar");
    Bind(NewCategoryB, "NewCategoryB");
    Bind(NewVarB, "NewVarB");
    Bind(EditB, "EditB");
    Bind(DeleteB, "DeleteB");
    Bind(EditListB, "EditListB");
    Bind(Sep1, "Sep1");
    Bind(LoadB, "LoadB");
    Bind(SaveB, "SaveB");
    Bind(Sep2, "Sep2");
    Bind(CancelB, "CancelB");
    Bind(OkB, "OkB");
    Bind(VarTree, "VarTree");
    Bind(Splitter1, "Splitter1");
    Bind(ExprPanel, "ExprPanel");
    Bind(ExprMemo, "ExprMemo");
    Bind(Splitter2, "Splitter2");
    Bind(OpenDialog1, "OpenDialog1");
    Bind(SaveDialog1, "SaveDialog1");
}

TfrxReport* TfrxVarEditorForm::Report() const {
    auto* designer = dynamic_cast<TfrxCustomDesigner*>(Owner());
    return designer ? designer->Report() : nullptr;
}

void TfrxVarEditorForm::FormCreate(TObject*) {
    ToolBar->SetImages(frxResources().MainButtonImages());
    VarTree->SetImages(frxResources().MainButtonImages());
    if (TfrxReport* report = Report()) FVariables->Assign(report->Variables());
    // The data tree stands at the right, beside the variables.
    FDataTree = new TfrxDataTreeForm(this, Report());
    FDataTree->SetParent(this);
    FDataTree->SetBounds(1000, ToolBar->Height(), 400, ClientHeight());
    FDataTree->SetAlign(alRight);
    Splitter2->SetLeft(FDataTree->Left() - Splitter2->Width());
    FDataTree->TitlePanel()->SetVisible(false);
    FDataTree->HintPanel->SetHeight(60);
    FDataTree->FunctionNameL->SetHeight(17);
    FDataTree->OnDblClick = [this](TObject*) { InsertFromDataTree(); };
    FDataTree->UpdateItems();
    frxResources().LocalizeForm(this);
}

void TfrxVarEditorForm::FormShow(TObject*) {
    if (TfrxReport* report = Report(); report && !FRestoring) {
        // Restoring the place shows the window again, which comes back here: once is enough.
        FRestoring = true;
        struct Done {
            bool& F;
            ~Done() { F = false; }
        } done{FRestoring};
        auto store = report->GetIniFile();
        store->WriteBool(kSection, "Visible", true);
        RestoreFormPosition(*store, this);
        ExprMemo->SetHeight(store->ReadInteger(kSection, "Split1Pos", 76));
        FDataTree->SetWidth(store->ReadInteger(kSection, "Split2Pos", 400));
    }
    FDataTree->FormShow();
    FillVariables();
    SetActiveControl(VarTree);
}

void TfrxVarEditorForm::FormHide(TObject*) {
    TfrxReport* report = Report();
    if (!report) return;
    auto store = report->GetIniFile();
    store->WriteInteger(kSection, "Split1Pos", ExprMemo->Height());
    store->WriteInteger(kSection, "Split2Pos", FDataTree->Width());
    SaveFormPosition(*store, this);
}

TTreeNode* TfrxVarEditorForm::Root() const { return VarTree->Items()->GetFirstNode(); }

bool TfrxVarEditorForm::IsCategoryNode(const TTreeNode* Node) { return Node && Node->Data() == &kCategoryTag; }

bool TfrxVarEditorForm::IsVariableNode(const TTreeNode* Node) { return Node && Node->Data() == &kVariableTag; }

std::string TfrxVarEditorForm::StoredName(const TTreeNode* Node) const {
    return IsCategoryNode(Node) ? " " + Node->Text() : Node->Text();
}

// One pass over the collection: the variables before the first category stand under the
// root, each category's variables under its node.
void TfrxVarEditorForm::FillVariables() {
    FUpdating = true;
    FExprNode = nullptr;
    TTreeNodes* nodes = VarTree->Items();
    nodes->BeginUpdate();
    nodes->Clear();
    TTreeNode* root = nodes->Add(nullptr, "");
    root->SetImageIndex(frxButton::Category);
    root->SetSelectedIndex(frxButton::Category);
    TTreeNode* parent = root;
    for (int i = 0; i < FVariables->Count(); ++i) {
        TfrxVariable* v = FVariables->Items(i);
        if (v->IsCategory()) {
            parent = nodes->AddChildObject(root, v->Name().substr(1), &kCategoryTag);
            parent->SetImageIndex(frxButton::Category);
            parent->SetSelectedIndex(frxButton::Category);
        } else if (!v->Name().empty()) {
            TTreeNode* n = nodes->AddChildObject(parent, v->Name(), &kVariableTag);
            n->SetImageIndex(frxButton::Variable);
            n->SetSelectedIndex(frxButton::Variable);
        }
    }
    UpdateRootText();
    VarTree->FullExpand();
    nodes->EndUpdate();
    VarTree->SetTopItem(root);
    FUpdating = false;
    VarTree->SetSelected(root);
}

void TfrxVarEditorForm::UpdateRootText() {
    if (TTreeNode* root = Root()) root->SetText(frxResources().Get(root->HasChildren() ? "vaVar" : "vaNoVar"));
}

std::string TfrxVarEditorForm::UniqueName(const std::string& Base) const {
    for (int i = 1;; ++i) {
        const std::string name = Base + std::to_string(i);
        if (FVariables->IndexOf(name) < 0) return name;
    }
}

void TfrxVarEditorForm::CommitExpression() {
    if (!FExprNode || !ExprMemo->Modified()) return;
    const int i = FVariables->IndexOf(FExprNode->Text());
    if (i >= 0) FVariables->Items(i)->SetValue(Variant(ExprMemo->Text()));
    ExprMemo->SetModified(false);
}

void TfrxVarEditorForm::VarTreeChanging(TObject*, TTreeNode*, bool&) { CommitExpression(); }

void TfrxVarEditorForm::VarTreeChange(TObject*, TTreeNode* Node) {
    if (FUpdating) return;
    FExprNode = nullptr;
    std::string text;
    if (IsVariableNode(Node)) {
        FExprNode = Node;
        const int i = FVariables->IndexOf(Node->Text());
        if (i >= 0) text = VarToStr(FVariables->Items(i)->Value());
    }
    ExprMemo->SetText(text);
    ExprMemo->SetModified(false);
    // An expression belongs to a variable: with a category or the root selected there is
    // nothing to type it into.
    ExprMemo->SetReadOnly(FExprNode == nullptr);
}

void TfrxVarEditorForm::NewCategoryBClick(TObject*) {
    TTreeNode* root = Root();
    const std::string name = UniqueName(" New Category");
    TTreeNode* node = VarTree->Items()->AddChildObject(root, name.substr(1), &kCategoryTag);
    node->SetImageIndex(frxButton::Category);
    node->SetSelectedIndex(frxButton::Category);
    TfrxVariable* v = FVariables->Add();
    v->SetName(name);
    v->SetValue(Variant(std::string()));
    VarTree->FullExpand();
    UpdateRootText();
    VarTree->SetSelected(node);
}

// A variable goes to the end of the selected category (or of the selected variable's);
// without a selection to the last category. Variables before the first category, and
// every variable of a list without categories, stand under the root.
void TfrxVarEditorForm::NewVarBClick(TObject*) {
    TTreeNode* root = Root();
    if (!root || !root->HasChildren()) return;
    TTreeNode* sel = VarTree->Selected();
    TTreeNode* category = nullptr;
    if (IsCategoryNode(sel)) category = sel;
    else if (IsVariableNode(sel)) category = sel->Parent();
    else category = root->Item(root->Count() - 1);
    if (!IsCategoryNode(category)) category = root;
    const std::string name = UniqueName("New Variable");
    TTreeNode* node = nullptr;
    if (category == root) {
        // At the end of the block before the first category.
        int at = 0;
        while (at < FVariables->Count() && !FVariables->Items(at)->IsCategory()) ++at;
        TfrxVariable* v = FVariables->Insert(at);
        v->SetName(name);
        v->SetValue(Variant(std::string()));
        TTreeNode* before = nullptr;
        for (int i = 0; i < root->Count() && !before; ++i)
            if (IsCategoryNode(root->Item(i))) before = root->Item(i);
        node = before ? VarTree->Items()->Insert(before, name) : VarTree->Items()->AddChild(root, name);
        node->SetData(&kVariableTag);
    } else {
        FVariables->AddVariable(category->Text(), name, Variant(std::string()));
        node = VarTree->Items()->AddChildObject(category, name, &kVariableTag);
    }
    node->SetImageIndex(frxButton::Variable);
    node->SetSelectedIndex(frxButton::Variable);
    VarTree->FullExpand();
    UpdateRootText();
    // The new variable is the one whose expression is typed next.
    VarTree->SetSelected(node);
}

void TfrxVarEditorForm::EditBClick(TObject*) {
    TTreeNode* node = VarTree->Selected();
    if (node && node != Root()) node->EditText();
}

// A new name that another item has (a category's with its blank), or an empty one, puts
// the old label back; the first says "vaDupName". A variable's name loses blanks at its
// ends, so that it cannot turn into a category.
void TfrxVarEditorForm::VarTreeEdited(TObject*, TTreeNode* Node, std::string& S) {
    if (!Node || Node == Root()) return;
    const std::string oldLabel = Node->Text();
    const std::string label = Trim(S);
    if (label.empty()) {
        S = oldLabel;
        return;
    }
    if (label == oldLabel) {
        S = label;
        return;
    }
    const bool category = IsCategoryNode(Node);
    const std::string oldName = category ? " " + oldLabel : oldLabel;
    const std::string newName = category ? " " + label : label;
    const int self = FVariables->IndexOf(oldName);
    for (int i = 0; i < FVariables->Count(); ++i)
        if (i != self && SameText(FVariables->Items(i)->Name(), newName)) {
            S = oldLabel;
            frxErrorMsg(frxResources().Get("vaDupName"));
            return;
        }
    if (self >= 0) FVariables->Items(self)->SetName(newName);
    S = label;
}

// A modified expression is not written back into a variable that is going.
void TfrxVarEditorForm::DeleteBClick(TObject*) {
    TTreeNode* node = VarTree->Selected();
    if (!node || node == Root()) return;
    ExprMemo->SetModified(false);
    FExprNode = nullptr;
    if (IsCategoryNode(node)) FVariables->DeleteCategory(node->Text());
    else FVariables->DeleteVariable(node->Text());
    FUpdating = true;
    node->Delete();
    FUpdating = false;
    UpdateRootText();
    VarTreeChange(VarTree, VarTree->Selected());
}

void TfrxVarEditorForm::VarTreeKeyDown(TObject*, uint16_t& Key, TShiftState) {
    if (VarTree->IsEditing()) return;
    switch (Key) {
    case VK_RETURN: EditBClick(this); break;
    case VK_INSERT:
        if (Root() && Root()->HasChildren()) NewVarBClick(this);
        else NewCategoryBClick(this);
        break;
    case VK_DELETE: DeleteBClick(this); break;
    default: return;
    }
    Key = 0;
}

// One line per item: a category by its name, a variable by a blank and its name. Lines
// that come back keep their values; a name given twice is taken once.
void TfrxVarEditorForm::EditListBClick(TObject*) {
    CommitExpression();
    TStringList lines;
    for (int i = 0; i < FVariables->Count(); ++i) {
        const std::string& name = FVariables->Items(i)->Name();
        lines.Add(FVariables->Items(i)->IsCategory() ? name.substr(1) : " " + name);
    }
    if (!frxShowStringsEditor(&lines, this)) return;
    std::unordered_map<std::string, Variant> values;
    for (int i = 0; i < FVariables->Count(); ++i)
        values.emplace(UpperCase(FVariables->Items(i)->Name()), FVariables->Items(i)->Value());
    auto fresh = std::make_unique<TfrxVariables>();
    std::unordered_set<std::string> seen;
    std::string duplicate;
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string line = lines.Get(i);
        if (Trim(line).empty()) continue;
        const std::string name = line[0] == ' ' ? Trim(line) : " " + Trim(line);
        if (!seen.insert(UpperCase(name)).second) {
            if (duplicate.empty()) duplicate = Trim(line);
            continue;
        }
        TfrxVariable* v = fresh->Add();
        v->SetName(name);
        const auto it = values.find(UpperCase(name));
        v->SetValue(it != values.end() ? it->second : Variant(std::string()));
    }
    FVariables = std::move(fresh);
    FillVariables();
    if (!duplicate.empty()) frxErrorMsg(frxResources().Get("vaDupName") + ": " + duplicate);
}

// A file that is no dictionary leaves the variables as they were.
void TfrxVarEditorForm::LoadBClick(TObject*) {
    if (!OpenDialog1->Execute()) return;
    auto loaded = std::make_unique<TfrxVariables>();
    try {
        frxLoadDictionary(loaded.get(), OpenDialog1->FileName());
    } catch (const Exception& e) {
        frxErrorMsg(e.Message());
        return;
    }
    FVariables = std::move(loaded);
    FillVariables();
}

void TfrxVarEditorForm::SaveBClick(TObject*) {
    VarTree->SetSelected(Root());
    CommitExpression();
    if (!SaveDialog1->Execute()) return;
    FVariables->SaveToFile(SaveDialog1->FileName());
}

void TfrxVarEditorForm::OkBClick(TObject*) {
    VarTree->SetSelected(Root());
    CommitExpression();
    if (TfrxReport* report = Report()) report->Variables()->Assign(FVariables.get());
    SetModalResult(mrOk);
}

void TfrxVarEditorForm::CancelBClick(TObject*) { SetModalResult(mrCancel); }

void TfrxVarEditorForm::FormKeyDown(TObject*, uint16_t& Key, TShiftState Shift) {
    if (!VarTree->IsEditing()) CancelOnEscape(*this, Key, Shift);
}

bool TfrxVarEditorForm::FromDataTree(TObject* Source) const {
    return FDataTree && Source &&
           (Source == FDataTree->DataTree || Source == FDataTree->VariablesTree || Source == FDataTree->FunctionsTree);
}

void TfrxVarEditorForm::ExprMemoDragOver(TObject*, TObject* Source, int, int, TDragState, bool& Accept) {
    Accept = FExprNode && FromDataTree(Source) && !FDataTree->GetInsertText().empty();
}

void TfrxVarEditorForm::ExprMemoDragDrop(TObject*, TObject* Source, int, int) {
    if (FromDataTree(Source)) InsertFromDataTree();
}

void TfrxVarEditorForm::InsertFromDataTree() {
    if (!FExprNode) return;
    const std::string text = FDataTree->GetInsertText();
    if (text.empty()) return;
    ExprMemo->SetSelText(text);
    ExprMemo->SetModified(true);
    SetActiveControl(ExprMemo);
}

void frxLoadDictionary(TfrxVariables* Variables, const std::string& FileName) {
    TMemoryStream data;
    data.LoadFromFile(FileName);
    {
        TfrxXMLDocument doc;
        doc.LoadFromStream(data);
        if (!SameText(doc.Root()->Name(), "variables")) throw Exception("Invalid file format");
    }
    data.SetPosition(0);
    Variables->LoadFromStream(data);
}

bool frxShowVarEditor(TfrxCustomDesigner* Designer) {
    if (!Designer || !Designer->Report()) return false;
    auto form = std::make_unique<TfrxVarEditorForm>(Designer);
    return form->ShowModal() == mrOk;
}
