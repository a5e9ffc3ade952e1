// The expression window and the data tree it shows: what each page lists and inserts,
// insertion by double click and by dragging from the window's own tree, OK and Cancel,
// and an expression that does not compile.
#include <gtest/gtest.h>

#include "EditorFixtures.h"
#include "designer/editors/ExprEditor.h"
#include "designer/trees/DataTree.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "report/Resources.h"

namespace {

// The first node of Tree whose text begins with Prefix.
TTreeNode* NodeOf(TTreeView* Tree, const std::string& Prefix) {
    for (int i = 0; i < Tree->Items()->Count(); ++i)
        if (Tree->Items()->Item(i)->Text().rfind(Prefix, 0) == 0) return Tree->Items()->Item(i);
    return nullptr;
}

// The text inserted for the node of Tree (on its page) starting with Prefix.
std::string InsertTextOf(TfrxDataTreeForm& t, TTabSheet* Page, TTreeView* Tree, const std::string& Prefix) {
    t.Tabs->SetActivePage(Page);
    TTreeNode* n = NodeOf(Tree, Prefix);
    EXPECT_NE(n, nullptr) << Prefix;
    if (!n) return "?";
    n->SetSelected(true);
    return t.GetInsertText();
}

class ExprEditorTest : public ::testing::Test {
protected:
    void TearDown() override {
        EXPECT_TRUE(ui.Errors().empty());
        EXPECT_EQ(ui.PendingDrivers(), 0);
    }
    TUiTestHarness ui;
    TEditorReport r;
};

TEST_F(ExprEditorTest, DataTreePagesAndInsertTexts) {
    r.Report->Variables()->SetVariables(" Receipt", Variant());
    r.Report->Variables()->SetVariables("Capital", "'壹佰元'");
    r.Report->Variables()->SetVariables(" Empty", Variant());
    TfrxDataTreeForm t(r.Designer.get());
    t.UpdateItems();
    EXPECT_EQ(t.Report(), r.Report.get());

    // Data: the datasets with their fields.
    EXPECT_EQ(t.DataTree->Items()->GetFirstNode()->Text(), frxResources().Get("dtData"));
    TTreeNode* items = NodeOf(t.DataTree, "Items");
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(items->Count(), 3);
    EXPECT_EQ(items->Item(1)->Text(), "Price");
    EXPECT_EQ(NodeOf(t.DataTree, "Doctors")->Count(), 1);

    struct Case {
        const char* name;
        TTabSheet* TfrxDataTreeForm::*page;
        TTreeView* TfrxDataTreeForm::*tree;
        const char* node;
        const char* text;
    };
    const Case cases[] = {
        {"a field", &TfrxDataTreeForm::DataTS, &TfrxDataTreeForm::DataTree, "Price", "<Items.\"Price\">"},
        {"a dataset", &TfrxDataTreeForm::DataTS, &TfrxDataTreeForm::DataTree, "Doctors", ""},
        {"a report variable", &TfrxDataTreeForm::VariablesTS, &TfrxDataTreeForm::VariablesTree, "Capital", "<Capital>"},
        {"an empty category", &TfrxDataTreeForm::VariablesTS, &TfrxDataTreeForm::VariablesTree, "Empty", ""},
        {"a system variable", &TfrxDataTreeForm::VariablesTS, &TfrxDataTreeForm::VariablesTree, "Page#", "<Page#>"},
        {"three parameters", &TfrxDataTreeForm::FunctionsTS, &TfrxDataTreeForm::FunctionsTree, "Copy(", "Copy(,,)"},
        {"no parameters", &TfrxDataTreeForm::FunctionsTS, &TfrxDataTreeForm::FunctionsTree, "Date:", "Date"},
        {"one parameter", &TfrxDataTreeForm::FunctionsTS, &TfrxDataTreeForm::FunctionsTree, "Trim(", "Trim()"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(InsertTextOf(t, t.*c.page, t.*c.tree, c.node), c.text);
    }
    // A category of the functions tree gives nothing; a function shows its description.
    t.Tabs->SetActivePage(t.FunctionsTS);
    TTreeNode* trim = NodeOf(t.FunctionsTree, "Trim(");
    ASSERT_NE(trim, nullptr);
    trim->SetSelected(true);
    EXPECT_EQ(t.FunctionNameL->Text().rfind("function Trim(", 0), 0u);
    EXPECT_EQ(t.FunctionDescL->Text(), frxResources().Get("Trim"));
    trim->Parent()->SetSelected(true);
    EXPECT_EQ(t.GetInsertText(), "");
    EXPECT_EQ(t.FunctionNameL->Text(), "");
}

TEST_F(ExprEditorTest, ReportWithoutData) {
    TfrxReport empty(nullptr);
    TfrxDataTreeForm t(nullptr, &empty);
    t.UpdateItems();
    ASSERT_EQ(t.DataTree->Items()->Count(), 1);
    EXPECT_EQ(t.DataTree->Items()->GetFirstNode()->Text(), frxResources().Get("dtNoData"));
    t.DataTree->Items()->GetFirstNode()->SetSelected(true);
    EXPECT_EQ(t.GetInsertText(), "");
    // Variables without categories stand under the root.
    empty.Variables()->SetVariables("Total", "1");
    t.FillVariablesTree();
    TTreeNode* total = NodeOf(t.VariablesTree, "Total");
    ASSERT_NE(total, nullptr);
    EXPECT_EQ(total->Parent(), t.VariablesTree->Items()->GetFirstNode());
}

TEST_F(ExprEditorTest, InsertsFromTheTreeAndReturnsTheExpression) {
    std::string expr = "1 + ";
    ui.OnModal("TfrxExprEditorForm", [&](TCustomForm& f) {
        auto& d = static_cast<TfrxExprEditorForm&>(f);
        EXPECT_EQ(d.ExprMemo->Text(), "1 + ");
        TfrxDataTreeForm* t = d.DataTree();
        t->Tabs->SetActivePage(t->DataTS);
        NodeOf(t->DataTree, "Qty")->SetSelected(true);
        d.ExprMemo->SetSelStart(4);
        t->OnDblClick(t);
        EXPECT_EQ(d.ExprMemo->Text(), "1 + <Items.\"Qty\">");
        // Dragging: only from its own tree, and only a node that inserts something.
        bool accept = true;
        d.ExprMemoDragOver(d.ExprMemo, t->DataTree, 0, 0, dsDragMove, accept);
        EXPECT_TRUE(accept);
        NodeOf(t->DataTree, "Items")->SetSelected(true);
        d.ExprMemoDragOver(d.ExprMemo, t->DataTree, 0, 0, dsDragMove, accept);
        EXPECT_FALSE(accept);
        TfrxDataTreeForm other(nullptr, r.Report.get());
        other.UpdateItems();
        NodeOf(other.DataTree, "Qty")->SetSelected(true);
        d.ExprMemoDragOver(d.ExprMemo, other.DataTree, 0, 0, dsDragMove, accept);
        EXPECT_FALSE(accept);
        t->Tabs->SetActivePage(t->VariablesTS);
        NodeOf(t->VariablesTree, "Line#")->SetSelected(true);
        d.ExprMemo->SetSelStart(static_cast<int>(d.ExprMemo->Text().size()));
        d.ExprMemo->SetSelText(" * ");
        d.ExprMemoDragDrop(d.ExprMemo, t->VariablesTree, 0, 0);
        // Enter adds no line break: it accepts.
        TUiTestHarness::TypeKey(d.ExprMemo, VK_RETURN);
    });
    EXPECT_TRUE(frxShowExprEditor(r.Designer.get(), expr));
    EXPECT_EQ(expr, "1 + <Items.\"Qty\"> * <Line#>");

    ui.OnModal("TfrxExprEditorForm", [&](TCustomForm& f) {
        auto& d = static_cast<TfrxExprEditorForm&>(f);
        d.ExprMemo->SetText("2");
        TUiTestHarness::Click(d.CancelB);
    });
    EXPECT_FALSE(frxShowExprEditor(r.Designer.get(), expr));
    EXPECT_EQ(expr, "1 + <Items.\"Qty\"> * <Line#>");
}

TEST_F(ExprEditorTest, AnExpressionThatDoesNotCompileIsRefused) {
    EXPECT_EQ(frxExpressionError(r.Report.get(), "<Items.\"Price\"> * 2 + Length(Memo1.Text)"), "");
    EXPECT_EQ(frxExpressionError(r.Report.get(), "SUM(<Items.\"Price\">, MasterData1)"), "");
    EXPECT_EQ(frxExpressionError(r.Report.get(), ""), "");
    const std::string error = frxExpressionError(r.Report.get(), "1 + (2");
    EXPECT_EQ(error.rfind(frxResources().Get("clExprError") + " '1 + (2': ", 0), 0u);

    std::string expr = "1 + (2";
    ui.OnModal("TfrxExprEditorForm", [&](TCustomForm& f) {
        TUiTestHarness::Click(static_cast<TfrxExprEditorForm&>(f).OkB);
    });
    ui.OnModal("TfrxExprEditorForm", [&](TCustomForm& f) {
        auto& d = static_cast<TfrxExprEditorForm&>(f);
        // Still open, the text kept, the reason said.
        EXPECT_EQ(d.ExprMemo->Text(), "1 + (2");
        ASSERT_EQ(ui.Dialogs().size(), 1u);
        EXPECT_EQ(ui.Dialogs()[0].Text.rfind(error, 0), 0u);
        d.ExprMemo->SetText("1 + (2)");
        TUiTestHarness::Click(d.OkB);
    });
    EXPECT_TRUE(frxShowExprEditor(r.Designer.get(), expr));
    EXPECT_EQ(expr, "1 + (2)");
}

}  // namespace
