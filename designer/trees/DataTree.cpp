// The data tree.
#include "designer/trees/DataTree.h"

#include "platform/rtl/StrUtils.h"
#include "report/DataSet.h"
#include "report/Images.h"
#include "report/Report.h"
#include "report/ReportServices.h"
#include "report/Resources.h"
#include "report/Variables.h"
#include "script/Script.h"
#include "script/ScriptTools.h"
#include "script/XMLDocument.h"

ROVE_IMPLEMENT_CLASS(TfrxDataTreeForm)

namespace {

// The data of a script variable's node: such a name is inserted without angle brackets.
void* const kScriptVariable = reinterpret_cast<void*>(1);

// The system variables, in the order they are listed.
const char* const kSystemVariables[] = {"Date", "Time", "Page", "Page#", "TotalPages", "TotalPages#", "Line", "Line#"};

std::string Res(const char* Key) { return frxResources().Get(Key); }

TfrxReport* ReportOf(TComponent* Owner) {
    auto* d = dynamic_cast<TfrxCustomDesigner*>(Owner);
    return d ? d->Report() : nullptr;
}

TTreeNode* AddNode(TTreeNodes* Items, TTreeNode* Parent, const std::string& Text, int Image, void* Data = nullptr) {
    TTreeNode* n = Parent ? Items->AddChildObject(Parent, Text, Data) : Items->AddObject(nullptr, Text, Data);
    n->SetImageIndex(Image);
    n->SetSelectedIndex(Image);
    return n;
}

void ExpandAll(TTreeView* Tree) {
    for (int i = 0; i < Tree->Items()->Count(); ++i) Tree->Items()->Item(i)->Expand(false);
}

}  // namespace

TfrxDataTreeForm::TfrxDataTreeForm(TComponent* AOwner, TfrxReport* AReport)
    : TfrxToolWindow(AOwner), FReport(AReport ? AReport : ReportOf(AOwner)),
      FFunctionsXML(std::make_unique<TfsXMLDocument>()) {
    SetName("DataTreeForm");
    SetText("Data Fields");
    Font()->SetName("Tahoma");
    Font()->SetSize(8);

    Tabs = new TPageControl(this);
    Tabs->SetName("Tabs");
    Tabs->SetParent(this);
    Tabs->SetAlign(alClient);
    Tabs->SetMultiLine(true);
    auto sheet = [this](const char* Name, const char* Caption) {
        auto* s = new TTabSheet(this);
        s->SetName(Name);
        s->SetText(Caption);
        s->SetPageControl(Tabs);
        return s;
    };
    DataTS = sheet("DataTS", "Data");
    VariablesTS = sheet("VariablesTS", "Variables");
    FunctionsTS = sheet("FunctionsTS", "Functions");

    // Under the data tree, shown by the designer on its own instance: what a dropped
    // field makes.
    CBPanel = new TPanel(this);
    CBPanel->SetName("CBPanel");
    CBPanel->SetParent(DataTS);
    CBPanel->SetAlign(alBottom);
    CBPanel->SetHeight(40);
    CBPanel->SetBevelOuter(bvNone);
    CBPanel->SetVisible(false);
    InsFieldCB = new TCheckBox(this);
    InsFieldCB->SetName("InsFieldCB");
    InsFieldCB->SetParent(CBPanel);
    InsFieldCB->SetBounds(4, 2, 180, 17);
    InsFieldCB->SetText("Insert field");
    InsFieldCB->SetChecked(true);
    InsCaptionCB = new TCheckBox(this);
    InsCaptionCB->SetName("InsCaptionCB");
    InsCaptionCB->SetParent(CBPanel);
    InsCaptionCB->SetBounds(4, 20, 180, 17);
    InsCaptionCB->SetText("Insert caption");
    DataTree = MakeTree(DataTS, "DataTree");
    VariablesTree = MakeTree(VariablesTS, "VariablesTree");

    HintPanel = new TPanel(this);
    HintPanel->SetName("HintPanel");
    HintPanel->SetParent(FunctionsTS);
    HintPanel->SetAlign(alBottom);
    HintPanel->SetHeight(95);
    HintPanel->SetBevelOuter(bvNone);
    HintPanel->SetColor(clWhite);
    FunctionNameL = new TLabel(this);
    FunctionNameL->SetName("FunctionNameL");
    FunctionNameL->SetParent(HintPanel);
    FunctionNameL->SetAlign(alTop);
    FunctionNameL->SetAutoSize(false);
    FunctionNameL->SetHeight(40);
    FunctionNameL->SetWordWrap(true);
    FunctionNameL->SetColor(clInfoBk);
    FunctionNameL->Font()->SetStyle(TFontStyles{fsBold});
    FunctionDescL = new TLabel(this);
    FunctionDescL->SetName("FunctionDescL");
    FunctionDescL->SetParent(HintPanel);
    FunctionDescL->SetAlign(alClient);
    FunctionDescL->SetAutoSize(false);
    FunctionDescL->SetWordWrap(true);
    FunctionDescL->SetColor(clWhite);
    Splitter1 = new TSplitter(this);
    Splitter1->SetName("Splitter1");
    Splitter1->SetParent(FunctionsTS);
    Splitter1->SetAlign(alBottom);
    Splitter1->SetHeight(3);
    FunctionsTree = MakeTree(FunctionsTS, "FunctionsTree");
    FunctionsTree->OnChange = [this](TObject* Sender, TTreeNode* Node) { FunctionsTreeChange(Sender, Node); };
    Tabs->SetActivePage(DataTS);
    Localize();
}

TfrxDataTreeForm::~TfrxDataTreeForm() {
    FUpdating = true;
    // The function nodes point into the catalogue: they go before it.
    if (FunctionsTree) FunctionsTree->Items()->Clear();
}

TTreeView* TfrxDataTreeForm::MakeTree(TTabSheet* Sheet, const char* Name) {
    auto* t = new TTreeView(this);
    t->SetName(Name);
    t->SetParent(Sheet);
    t->SetAlign(alClient);
    t->SetReadOnly(true);
    t->SetShowRoot(false);
    t->SetIndent(19);
    t->SetDragMode(dmAutomatic);
    t->SetImages(frxResources().MainButtonImages());
    t->OnCustomDrawItem = [this](TTreeView* S, TTreeNode* N, TCustomDrawState St, bool& D) {
        DataTreeCustomDrawItem(S, N, St, D);
    };
    t->OnDblClick = [this](TObject*) {
        if (OnDblClick) OnDblClick(this);
    };
    return t;
}

void TfrxDataTreeForm::UpdateItems() {
    FillDataTree();
    FillVariablesTree();
    FillFunctionsTree();
}

void TfrxDataTreeForm::FillDataTree() {
    TStringList list;
    if (FReport) FReport->GetDataSetList(&list);
    TTreeNodes* items = DataTree->Items();
    items->BeginUpdate();
    items->Clear();
    TTreeNode* root = AddNode(items, nullptr, Res(list.Count() > 0 ? "dtData" : "dtNoData"), frxButton::DataSet);
    for (int i = 0; i < list.Count(); ++i) {
        auto* ds = dynamic_cast<TfrxDataSet*>(list.Objects(i));
        if (!ds) continue;
        TStringList fields;
        ds->GetFieldList(&fields);
        TTreeNode* node = AddNode(items, root, FReport->GetAlias(ds), frxButton::DataSet, ds);
        for (int k = 0; k < fields.Count(); ++k) AddNode(items, node, fields[k], frxButton::Field, ds);
    }
    ExpandAll(DataTree);
    DataTree->SetTopItem(root);
    items->EndUpdate();
}

void TfrxDataTreeForm::FillVariablesTree() {
    TTreeNodes* items = VariablesTree->Items();
    items->BeginUpdate();
    items->Clear();
    TTreeNode* root = AddNode(items, nullptr, Res("dtVar"), frxButton::Category);
    if (FReport) {
        TfrxVariables* vars = FReport->Variables();
        TStringList categories;
        vars->GetCategoriesList(&categories);
        for (int i = 0; i < categories.Count(); ++i) {
            TTreeNode* cat = AddNode(items, root, categories[i], frxButton::Category);
            TStringList names;
            vars->GetVariablesList(categories[i], &names);
            for (int k = 0; k < names.Count(); ++k) AddNode(items, cat, names[k], frxButton::Variable);
        }
        if (categories.Count() == 0) {
            TStringList names;
            vars->GetVariablesList("", &names);
            for (int k = 0; k < names.Count(); ++k) AddNode(items, root, names[k], frxButton::Variable);
        }
        // The report script's global variables.
        TfsXMLDocument doc;
        GenerateXMLContents(*FReport->Script(), doc.Root());
        TfsXMLItem* globals = doc.Root()->FindItem("Variables");
        for (int i = 0; i < globals->Count(); ++i) {
            const std::string text = globals->Items(i)->Prop("text");
            AddNode(items, root, text.substr(0, text.find(':')), frxButton::Variable, kScriptVariable);
        }
    }
    TTreeNode* sys = AddNode(items, root, Res("dtSysVar"), frxButton::Category);
    for (const char* v : kSystemVariables) AddNode(items, sys, v, frxButton::Variable);
    ExpandAll(VariablesTree);
    items->EndUpdate();
}

void TfrxDataTreeForm::FillFunctionsTree() {
    FUpdating = true;
    TTreeNodes* items = FunctionsTree->Items();
    items->BeginUpdate();
    items->Clear();
    FFunctionsXML->Root()->Clear();
    GenerateXMLContents(*GlobalUnit(), FFunctionsXML->Root(), true);
    if (FReport) GenerateXMLContents(*FReport->Script(), FFunctionsXML->Root(), true);
    // An item with children is a category (its text a string-table key); a leaf is a
    // function, shown without its leading keyword.
    std::function<void(TfsXMLItem*, TTreeNode*)> add = [&](TfsXMLItem* Item, TTreeNode* Parent) {
        const std::string text = Item->Prop("text");
        TTreeNode* node;
        if (Item->Count() > 0 || !Parent) {
            node = AddNode(items, Parent, Parent ? frxResources().Get(text) : Res("dtFunc"), frxButton::Category);
            for (int i = 0; i < Item->Count(); ++i) add(Item->Items(i), node);
        } else {
            const size_t blank = text.find(' ');
            node = AddNode(items, Parent, blank == std::string::npos ? text : text.substr(blank + 1),
                           frxButton::Variable, Item);
        }
    };
    add(FFunctionsXML->Root()->FindItem("Functions"), nullptr);
    ExpandAll(FunctionsTree);
    items->EndUpdate();
    FUpdating = false;
}

// The text to insert follows the kind of the selected node, as its picture tells it: a
// field, a variable (report, system or script) or a function. Datasets, categories and
// the roots give none, whether they have children or not.
std::string TfrxDataTreeForm::GetInsertText() const {
    TTabSheet* page = Tabs->ActivePage();
    if (page == DataTS) {
        TTreeNode* n = DataTree->Selected();
        if (!n || n->ImageIndex() != frxButton::Field || !n->Data() || !FReport) return {};
        auto* ds = static_cast<TfrxDataSet*>(n->Data());
        return "<" + FReport->GetAlias(ds) + ".\"" + n->Text() + "\">";
    }
    if (page == VariablesTS) {
        TTreeNode* n = VariablesTree->Selected();
        if (!n || n->ImageIndex() != frxButton::Variable) return {};
        if (n->Data() == kScriptVariable) return n->Text();
        return "<" + n->Text() + ">";
    }
    if (page == FunctionsTS) {
        TTreeNode* n = FunctionsTree->Selected();
        if (!n || n->ImageIndex() != frxButton::Variable || !n->Data()) return {};
        const std::string& text = n->Text();
        const size_t open = text.find('(');
        if (open == std::string::npos) return text.substr(0, text.find(':'));
        int count = 1;
        for (char c : text)
            if (c == ',' || c == ';') ++count;
        return text.substr(0, open + 1) + std::string(static_cast<size_t>(count - 1), ',') + ")";
    }
    return {};
}

bool TfrxDataTreeForm::IsDataPageActive() const { return Tabs->ActivePage() == DataTS; }

void TfrxDataTreeForm::SetColor(TColor Value) {
    for (TTreeView* t : {DataTree, VariablesTree, FunctionsTree}) t->SetColor(Value);
}

void TfrxDataTreeForm::FormShow() {
    for (TTreeView* t : {DataTree, VariablesTree, FunctionsTree}) t->FullExpand();
    if (TTreeNode* first = FunctionsTree->Items()->GetFirstNode()) FunctionsTree->SetTopItem(first);
}

void TfrxDataTreeForm::FunctionsTreeChange(TObject*, TTreeNode* Node) {
    if (FUpdating) return;
    auto* item = Node && !Node->HasChildren() ? static_cast<TfsXMLItem*>(Node->Data()) : nullptr;
    if (!item) {
        FunctionNameL->SetText("");
        FunctionDescL->SetText("");
        return;
    }
    FunctionNameL->SetText(item->Prop("text"));
    FunctionDescL->SetText(frxResources().Get(item->Prop("description")));
}

void TfrxDataTreeForm::DataTreeCustomDrawItem(TTreeView* Sender, TTreeNode* Node, TCustomDrawState, bool&) {
    TFontStyles style;
    if (Node->HasChildren()) style.Include(fsBold);
    Sender->Canvas()->Font()->SetStyle(style);
}
