// The variables editor on a real report: categories and variables made, renamed and
// deleted as the tree shows them; the expression of a variable kept through selection
// changes, OK and deletion; the whole list edited as lines; dictionary files written and
// read back, and files that are none; the data tree's insertion; the window's place.
#include <gtest/gtest.h>

#include <fstream>

#include "DialogFixtures.h"
#include "designer/dialogs/VarEditor.h"
#include "designer/editors/StringsEditor.h"
#include "designer/resources/DesignerTexts.h"
#include "designer/trees/DataTree.h"
#include "platform/rtl/Settings.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Keys.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "report/Variables.h"

namespace {

using Names = std::vector<std::string>;

// The collection as "name=value" lines (categories with their leading blank).
Names Entries(TfrxVariables* V) {
    Names out;
    for (int i = 0; i < V->Count(); ++i) out.push_back(V->Items(i)->Name() + "=" + VarToStr(V->Items(i)->Value()));
    return out;
}

// The tree as indented labels below the root.
Names TreeOf(TfrxVarEditorForm& d) {
    Names out;
    for (int i = 0; i < d.VarTree->Items()->Count(); ++i) {
        TTreeNode* n = d.VarTree->Items()->Item(i);
        out.push_back(std::string(static_cast<size_t>(n->Level()) * 2, ' ') + n->Text());
    }
    return out;
}

TTreeNode* Node(TfrxVarEditorForm& d, const std::string& Label) {
    for (int i = 0; i < d.VarTree->Items()->Count(); ++i)
        if (d.VarTree->Items()->Item(i)->Text() == Label) return d.VarTree->Items()->Item(i);
    return nullptr;
}

bool VarTreeSelectsVariable(TfrxVarEditorForm& d) { return TfrxVarEditorForm::IsVariableNode(d.VarTree->Selected()); }

class VarEditorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { frxRegisterDesignerTexts(); }
    VarEditorTest() {
        TfrxVariables* v = r.Report->Variables();
        auto add = [&](const std::string& Name, const std::string& Value) {
            TfrxVariable* x = v->Add();
            x->SetName(Name);
            x->SetValue(Variant(Value));
        };
        add(" Money", "");
        add("Total", "1+2");
        add("Tax", "<Total>*0.1");
        add(" Dates", "");
        add("From", "'2024-1-1'");
    }
    void TearDown() override {
        TUiTestHarness::ProcessMessages();
        EXPECT_TRUE(ui.Errors().empty());
        EXPECT_EQ(ui.PendingDrivers(), 0);
        EXPECT_EQ(ui.PendingAnswers(), 0);
    }
    bool Run(std::function<void(TfrxVarEditorForm&)> Act) {
        ui.OnModal("TfrxVarEditorForm", [&](TCustomForm& f) { Act(static_cast<TfrxVarEditorForm&>(f)); });
        return frxShowVarEditor(r.Designer.get());
    }
    std::vector<std::string> Messages() const {
        std::vector<std::string> out;
        for (const TDialogRequest& d : ui.Dialogs())
            if (d.Kind == TDialogKind::MessageBox || d.Kind == TDialogKind::MessageDlg) out.push_back(d.Text);
        return out;
    }
    TUiTestHarness ui;
    TDialogReport r;
};

TEST_F(VarEditorTest, TreeNewCategoriesAndVariables) {
    EXPECT_TRUE(Run([&](TfrxVarEditorForm& d) {
        EXPECT_EQ(TreeOf(d), (Names{"变量", "  Money", "    Total", "    Tax", "  Dates", "    From"}));
        // Two new categories in a row.
        TUiTestHarness::Click(d.NewCategoryB);
        TUiTestHarness::Click(d.NewCategoryB);
        EXPECT_EQ(d.Variables()->Items(5)->Name(), " New Category1");
        EXPECT_EQ(d.Variables()->Items(6)->Name(), " New Category2");
        // A new variable goes to the selected category, to the selected variable's one,
        // or, without a selection, to the last one.
        d.VarTree->SetSelected(Node(d, "Money"));
        TUiTestHarness::Click(d.NewVarB);
        d.VarTree->SetSelected(Node(d, "From"));
        TUiTestHarness::Click(d.NewVarB);
        d.VarTree->SetSelected(nullptr);
        TUiTestHarness::Click(d.NewVarB);
        EXPECT_EQ(TreeOf(d), (Names{"变量", "  Money", "    Total", "    Tax", "    New Variable1", "  Dates", "    From",
                                    "    New Variable2", "  New Category1", "  New Category2", "    New Variable3"}));
        TUiTestHarness::Click(d.OkB);
    }));
    EXPECT_EQ(Entries(r.Report->Variables()),
              (Names{" Money=", "Total=1+2", "Tax=<Total>*0.1", "New Variable1=", " Dates=", "From='2024-1-1'",
                     "New Variable2=", " New Category1=", " New Category2=", "New Variable3="}));
}

TEST_F(VarEditorTest, WithoutCategoriesVariablesStandUnderTheRoot) {
    r.Report->Variables()->Clear();
    EXPECT_FALSE(Run([&](TfrxVarEditorForm& d) {
        EXPECT_EQ(TreeOf(d), Names{"(未定义变量)"});
        // Nothing to put a variable into; Insert makes a category then.
        TUiTestHarness::Click(d.NewVarB);
        EXPECT_EQ(d.Variables()->Count(), 0);
        uint16_t key = VK_INSERT;
        d.VarTreeKeyDown(d.VarTree, key, 0);
        EXPECT_EQ(TreeOf(d), (Names{"变量", "  New Category1"}));
        key = VK_DELETE;
        d.VarTree->SetSelected(Node(d, "New Category1"));
        d.VarTreeKeyDown(d.VarTree, key, 0);
        EXPECT_EQ(TreeOf(d), Names{"(未定义变量)"});
        TUiTestHarness::Click(d.CancelB);
    }));
    // Variables without any category: a new one joins them under the root.
    r.Report->Variables()->SetVariables("A", Variant(std::string("1")));
    EXPECT_TRUE(Run([&](TfrxVarEditorForm& d) {
        EXPECT_EQ(TreeOf(d), (Names{"变量", "  A"}));
        TUiTestHarness::Click(d.NewVarB);
        EXPECT_EQ(TreeOf(d), (Names{"变量", "  A", "  New Variable1"}));
        // Variables before the first category stay under the root when one is made.
        TUiTestHarness::Click(d.NewCategoryB);
        d.VarTree->SetSelected(Node(d, "A"));
        TUiTestHarness::Click(d.NewVarB);
        EXPECT_EQ(TreeOf(d), (Names{"变量", "  A", "  New Variable1", "  New Variable2", "  New Category1"}));
        TUiTestHarness::Click(d.OkB);
    }));
    EXPECT_EQ(Entries(r.Report->Variables()), (Names{"A=1", "New Variable1=", "New Variable2=", " New Category1="}));
}

TEST_F(VarEditorTest, RenameRules) {
    EXPECT_TRUE(Run([&](TfrxVarEditorForm& d) {
        struct Case {
            const char* node;
            const char* typed;
            const char* label;
            bool error;
        };
        const Case cases[] = {
            {"Tax", "total", "Tax", true},          // another variable's name
            {"Tax", "", "Tax", false},              // empty
            {"Tax", "  ", "Tax", false},            // blanks only
            {"Tax", "TAX", "TAX", false},           // its own name in other letters
            {"TAX", " Rate ", "Rate", false},       // blanks trimmed: no category made
            {"Money", "Dates", "Money", true},      // another category's name
            {"Money", "Total", "Total", false},     // a category may share a variable's name
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.node) + " -> '" + c.typed + "'");
            ui.ClearDialogs();
            TTreeNode* n = Node(d, c.node);
            ASSERT_NE(n, nullptr);
            std::string s = c.typed;
            d.VarTreeEdited(d.VarTree, n, s);
            EXPECT_EQ(s, c.label);
            n->SetText(s);   // what the tree does with the label it gets back
            EXPECT_EQ(Messages(), c.error ? Names{"双名"} : Names{});
        }
        TUiTestHarness::Click(d.OkB);
    }));
    EXPECT_EQ(Entries(r.Report->Variables()),
              (Names{" Total=", "Total=1+2", "Rate=<Total>*0.1", " Dates=", "From='2024-1-1'"}));
}

TEST_F(VarEditorTest, ExpressionKeptThroughSelectionDeleteAndOk) {
    EXPECT_TRUE(Run([&](TfrxVarEditorForm& d) {
        d.VarTree->SetSelected(Node(d, "Total"));
        EXPECT_EQ(d.ExprMemo->Text(), "1+2");
        d.ExprMemo->SetText("2+3");
        d.ExprMemo->SetModified(true);
        // Moving on keeps what was typed.
        d.VarTree->SetSelected(Node(d, "Money"));
        EXPECT_EQ(d.ExprMemo->Text(), "");
        d.VarTree->SetSelected(Node(d, "Total"));
        EXPECT_EQ(d.ExprMemo->Text(), "2+3");
        // A variable deleted while its expression was being typed stays deleted.
        d.VarTree->SetSelected(Node(d, "Tax"));
        d.ExprMemo->SetText("9");
        d.ExprMemo->SetModified(true);
        TUiTestHarness::Click(d.DeleteB);
        EXPECT_EQ(d.Variables()->IndexOf("Tax"), -1);
        // Typed and OK'd at once.
        d.VarTree->SetSelected(Node(d, "From"));
        d.ExprMemo->SetText("Date");
        d.ExprMemo->SetModified(true);
        TUiTestHarness::Click(d.OkB);
    }));
    EXPECT_EQ(Entries(r.Report->Variables()), (Names{" Money=", "Total=2+3", " Dates=", "From=Date"}));
    // Cancel leaves the report's variables.
    EXPECT_FALSE(Run([&](TfrxVarEditorForm& d) {
        d.VarTree->SetSelected(Node(d, "Money"));
        TUiTestHarness::Click(d.DeleteB);
        TUiTestHarness::Click(d.CancelB);
    }));
    EXPECT_EQ(r.Report->Variables()->Count(), 4);
}

TEST_F(VarEditorTest, ListEditing) {
    EXPECT_TRUE(Run([&](TfrxVarEditorForm& d) {
        ui.OnModal("TfrxStringsEditorForm", [](TCustomForm& f) {
            auto& s = static_cast<TfrxStringsEditorForm&>(f);
            EXPECT_EQ(s.Memo->Lines()->Text(), "Money\r\n Total\r\n Tax\r\nDates\r\n From\r\n");
            s.Memo->SetText("Money\r\n Tax\r\n New\r\n\r\n   \r\nMore\r\n Tax\r\n Total\r\n");
            s.SetModalResult(mrOk);
        });
        TUiTestHarness::Click(d.EditListB);
        EXPECT_EQ(d.VarTree->Selected(), d.Root());
        TUiTestHarness::Click(d.OkB);
    }));
    EXPECT_EQ(Messages(), Names{"双名: Tax"});
    EXPECT_EQ(Entries(r.Report->Variables()), (Names{" Money=", "Tax=<Total>*0.1", "New=", " More=", "Total=1+2"}));
}

TEST_F(VarEditorTest, DictionaryFiles) {
    TTempFile file(".bd3");
    // Written, then read back equal into an emptied list.
    EXPECT_FALSE(Run([&](TfrxVarEditorForm& d) {
        ui.AnswerFile(file.Name);
        TUiTestHarness::Click(d.SaveB);
        TUiTestHarness::Click(d.CancelB);
    }));
    TfrxVariables read;
    frxLoadDictionary(&read, file.Name);
    EXPECT_EQ(Entries(&read), Entries(r.Report->Variables()));
    const Names original = Entries(r.Report->Variables());
    r.Report->Variables()->Clear();
    EXPECT_TRUE(Run([&](TfrxVarEditorForm& d) {
        ui.AnswerFile(file.Name);
        TUiTestHarness::Click(d.LoadB);
        EXPECT_EQ(TreeOf(d).size(), 6u);
        TUiTestHarness::Click(d.OkB);
    }));
    EXPECT_EQ(Entries(r.Report->Variables()), original);

    // Files that are no dictionaries leave the variables as they were.
    struct Case {
        const char* name;
        std::string content;
    };
    const Case cases[] = {
        {"not XML", "no dictionary"},
        {"a style sheet", "<?xml version=\"1.0\"?><stylesheet><style Name=\"x\"/></stylesheet>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTempFile bad(".bd3");
        std::ofstream(bad.Name) << c.content;
        ui.ClearDialogs();
        EXPECT_TRUE(Run([&](TfrxVarEditorForm& d) {
            ui.AnswerFile(bad.Name);
            TUiTestHarness::Click(d.LoadB);
            EXPECT_EQ(TreeOf(d).size(), 6u);
            TUiTestHarness::Click(d.OkB);
        }));
        EXPECT_EQ(Messages(), Names{"Invalid file format"});
        EXPECT_EQ(Entries(r.Report->Variables()), original);
    }
}

TEST_F(VarEditorTest, HundredThousandEntries) {
    TTempFile file(".bd3");
    TfrxVariables big;
    for (int i = 0; i < 100000; ++i) {
        TfrxVariable* v = big.Add();
        v->SetName(i % 1000 == 0 ? " C" + std::to_string(i) : "V" + std::to_string(i));
        v->SetValue(Variant(std::to_string(i)));
    }
    big.SaveToFile(file.Name);
    EXPECT_TRUE(Run([&](TfrxVarEditorForm& d) {
        ui.AnswerFile(file.Name);
        TUiTestHarness::Click(d.LoadB);
        EXPECT_EQ(d.VarTree->Items()->Count(), 100001);
        TUiTestHarness::Click(d.OkB);
    }));
    ASSERT_EQ(r.Report->Variables()->Count(), 100000);
    EXPECT_EQ(r.Report->Variables()->Items(99999)->Name(), "V99999");
}

TEST_F(VarEditorTest, DataTreeInsertsIntoTheExpression) {
    EXPECT_TRUE(Run([&](TfrxVarEditorForm& d) {
        TfrxDataTreeForm* tree = d.DataTree();
        ASSERT_NE(tree, nullptr);
        EXPECT_EQ(tree->Parent(), &d);
        EXPECT_EQ(tree->Width(), 400);
        d.VarTree->SetSelected(Node(d, "Tax"));
        d.ExprMemo->SetSelStart(0);
        // A field of the report's dataset from the data page.
        tree->Tabs->SetActivePage(tree->DataTS);
        TTreeNode* field = nullptr;
        for (int i = 0; i < tree->DataTree->Items()->Count() && !field; ++i)
            if (tree->DataTree->Items()->Item(i)->Text() == "Price") field = tree->DataTree->Items()->Item(i);
        ASSERT_NE(field, nullptr);
        tree->DataTree->SetSelected(field);
        bool accept = false;
        d.ExprMemoDragOver(d.ExprMemo, tree->DataTree, 5, 5, dsDragMove, accept);
        EXPECT_TRUE(accept);
        d.ExprMemoDragDrop(d.ExprMemo, tree->DataTree, 5, 5);
        // Only the data tree's own trees are taken.
        d.ExprMemoDragOver(d.ExprMemo, d.VarTree, 5, 5, dsDragMove, accept);
        EXPECT_FALSE(accept);
        // Nothing insertable selected: refused.
        tree->DataTree->SetSelected(tree->DataTree->Items()->GetFirstNode());
        d.ExprMemoDragOver(d.ExprMemo, tree->DataTree, 5, 5, dsDragMove, accept);
        EXPECT_FALSE(accept);
        TUiTestHarness::Click(d.OkB);
    }));
    EXPECT_EQ(VarToStr(r.Report->Variables()->Variables("Tax")), "<Items.\"Price\"><Total>*0.1");
}

TEST_F(VarEditorTest, TheExpressionGoesToTheNewOrSelectedVariableOnly) {
    EXPECT_TRUE(Run([&](TfrxVarEditorForm& d) {
        TfrxDataTreeForm* tree = d.DataTree();
        tree->Tabs->SetActivePage(tree->DataTS);
        TTreeNode* field = nullptr;
        for (int i = 0; i < tree->DataTree->Items()->Count() && !field; ++i)
            if (tree->DataTree->Items()->Item(i)->Text() == "Price") field = tree->DataTree->Items()->Item(i);
        ASSERT_NE(field, nullptr);
        tree->DataTree->SetSelected(field);
        // The root, then a new category: nothing to type an expression into, nothing dropped.
        struct Case {
            const char* name;
            std::function<void()> select;
        };
        const Case empty[] = {
            {"the root", [&] { d.VarTree->SetSelected(d.Root()); }},
            {"a new category", [&] { TUiTestHarness::Click(d.NewCategoryB); }},
        };
        for (const Case& c : empty) {
            SCOPED_TRACE(c.name);
            c.select();
            EXPECT_FALSE(VarTreeSelectsVariable(d));
            EXPECT_TRUE(d.ExprMemo->ReadOnly());
            bool accept = true;
            d.ExprMemoDragOver(d.ExprMemo, tree->DataTree, 5, 5, dsDragMove, accept);
            EXPECT_FALSE(accept);
            d.InsertFromDataTree();
            EXPECT_EQ(d.ExprMemo->Text(), "");
        }
        EXPECT_EQ(d.VarTree->Selected()->Text(), "New Category1");
        // A new variable is selected: the field goes into its expression.
        TUiTestHarness::Click(d.NewVarB);
        ASSERT_TRUE(VarTreeSelectsVariable(d));
        EXPECT_EQ(d.VarTree->Selected()->Text(), "New Variable1");
        EXPECT_FALSE(d.ExprMemo->ReadOnly());
        d.InsertFromDataTree();
        TUiTestHarness::Click(d.OkB);
    }));
    EXPECT_EQ(VarToStr(r.Report->Variables()->Variables("New Variable1")), "<Items.\"Price\">");
}

TEST_F(VarEditorTest, WindowPlaceAndSplitters) {
    EXPECT_TRUE(Run([&](TfrxVarEditorForm& d) {
        EXPECT_EQ(d.ExprMemo->Height(), 76);
        d.ExprMemo->SetHeight(90);
        d.DataTree()->SetWidth(300);
        TUiTestHarness::Click(d.OkB);
    }));
    auto store = r.Report->GetIniFile();
    EXPECT_EQ(store->ReadInteger("Form.TfrxVarEditorForm", "Split1Pos", 0), 90);
    EXPECT_EQ(store->ReadInteger("Form.TfrxVarEditorForm", "Split2Pos", 0), 300);
    EXPECT_FALSE(Run([&](TfrxVarEditorForm& d) {
        EXPECT_EQ(d.ExprMemo->Height(), 90);
        EXPECT_EQ(d.DataTree()->Width(), 300);
        TUiTestHarness::Click(d.CancelB);
    }));
}

}  // namespace

namespace {

TPoint CentreOf(const TRect& R) { return Point((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2); }

TTreeNode* NodeOf(TTreeView* Tree, const std::string& Label) {
    for (int i = 0; i < Tree->Items()->Count(); ++i)
        if (Tree->Items()->Item(i)->Text() == Label) return Tree->Items()->Item(i);
    return nullptr;
}

}  // namespace

// The user's road: a click on a variable shows its expression; what is typed after a click
// into the box stays with that variable when another one is clicked and when OK is pressed.
// The embedded data tree turns its pages by their tabs, selects with a click, puts a
// double-clicked item in at the caret and takes a drag onto the box.
TEST_F(VarEditorTest, TheUserTypesAndTakesExpressionsFromTheDataTree) {
    using H = TUiTestHarness;
    EXPECT_TRUE(Run([&](TfrxVarEditorForm& d) {
        TfrxDataTreeForm* tree = d.DataTree();
        auto click = [](TTreeView* Tree, const std::string& Label) {
            TTreeNode* n = NodeOf(Tree, Label);
            ASSERT_NE(n, nullptr) << Label;
            H::Click(Tree, CentreOf(n->DisplayRect(true)));
            EXPECT_EQ(Tree->Selected(), n) << Label;
        };
        click(d.VarTree, "Total");
        EXPECT_EQ(d.ExprMemo->Text(), "1+2");
        // Into the box behind its text, then typed.
        H::Click(d.ExprMemo, Point(d.ExprMemo->ClientWidth() - 30, 8));
        ASSERT_EQ(H::FocusedControl(), d.ExprMemo);
        H::TypeText(d.ExprMemo, "+3");
        // The pages by their tabs.
        struct {
            int Tab;
            TTabSheet* Page;
        } tabs[] = {{1, tree->VariablesTS}, {2, tree->FunctionsTS}, {0, tree->DataTS}};
        for (const auto& t : tabs) {
            H::Click(tree->Tabs, CentreOf(tree->Tabs->TabRect(t.Tab)));
            EXPECT_EQ(tree->Tabs->ActivePage(), t.Page) << t.Tab;
        }
        // A double-clicked field goes in at the caret.
        click(tree->DataTree, "Price");
        H::DblClick(tree->DataTree, CentreOf(NodeOf(tree->DataTree, "Price")->DisplayRect(true)));
        EXPECT_EQ(d.ExprMemo->Text(), "1+2+3<Items.\"Price\">");
        // Another variable: Total keeps what it got.
        click(d.VarTree, "Tax");
        EXPECT_EQ(d.ExprMemo->Text(), "<Total>*0.1");
        // A variable of the report dragged onto the box, behind its text.
        H::Click(d.ExprMemo, Point(d.ExprMemo->ClientWidth() - 30, 8));
        H::Click(tree->Tabs, CentreOf(tree->Tabs->TabRect(1)));
        TTreeNode* from = NodeOf(tree->VariablesTree, "From");
        ASSERT_NE(from, nullptr);
        const TPoint start = CentreOf(from->DisplayRect(true));
        const TPoint drop = tree->VariablesTree->ScreenToClient(d.ExprMemo->ClientToScreen(Point(20, 8)));
        H::MouseDown(tree->VariablesTree, start);
        H::MouseMove(tree->VariablesTree, Point(start.X, start.Y + 10), ssLeft);
        H::MouseMove(tree->VariablesTree, drop, ssLeft);
        H::MouseUp(tree->VariablesTree, drop);
        EXPECT_EQ(d.ExprMemo->Text(), "<Total>*0.1<From>");
        H::Click(d.OkB);
    }));
    EXPECT_EQ(VarToStr(r.Report->Variables()->Variables("Total")), "1+2+3<Items.\"Price\">");
    EXPECT_EQ(VarToStr(r.Report->Variables()->Variables("Tax")), "<Total>*0.1<From>");
}
