// The report-wide dialogs as the designer window reaches them: each menu command is
// enabled once the designer has registered, opens its dialog, and OK changes the report as
// one step that Undo takes back, while Cancel leaves the report and the undo list alone.
// A double click on a cross-tab in the page opens the cross-tab editor the same way.
#include <gtest/gtest.h>

#include <functional>

#include "DialogFixtures.h"
#include "designer/dialogs/CrossEditor.h"
#include "designer/dialogs/ReportDataForm.h"
#include "designer/dialogs/ReportEditor.h"
#include "designer/dialogs/StyleEditor.h"
#include "designer/dialogs/VarEditor.h"
#include "designer/editors/Registration.h"
#include "designer/resources/DesignerTexts.h"
#include "designer/undo/UndoBuffer.h"
#include "designer/window/DesignerForm.h"
#include "designer/wizards/NewItemForm.h"
#include "designer/workspace/PageWorkspace.h"
#include "platform/rtl/StringList.h"
#include "platform/ui/CheckLst.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "report/CrossView.h"
#include "report/Options.h"
#include "report/Styles.h"
#include "report/Variables.h"

namespace {

// The names of the report's pages and their objects, in order.
std::string Layout(TfrxReport* R) {
    std::string s;
    for (int i = 0; i < R->PagesCount(); ++i) {
        s += R->Pages(i)->Name() + ":";
        for (TfrxComponent* c : R->Pages(i)->AllObjects()) s += " " + c->Name();
        s += ";";
    }
    return s;
}

std::string VariableNames(TfrxReport* R) {
    std::string s;
    for (int i = 0; i < R->Variables()->Count(); ++i) s += R->Variables()->Items(i)->Name() + ";";
    return s;
}

std::string DataSetNames(TfrxReport* R) {
    std::string s;
    for (int i = 0; i < R->DataSets()->Count(); ++i) s += R->DataSets()->Items(i)->DataSetName() + ";";
    return s;
}

class DesignerCommandsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        frxRegisterDesignerTexts();
        frxRegisterDesignerEditors();
        frxRegisterDesigner();
    }
    DesignerCommandsTest() {
        // The designer window takes the place of the fixture's stand-in.
        r.Designer.reset();
        Form = std::make_unique<TfrxDesignerForm>(nullptr, r.Report.get(), false);
        Form->Show();
        TUiTestHarness::ProcessMessages();
    }
    ~DesignerCommandsTest() override { Form.reset(); }
    void TearDown() override {
        TUiTestHarness::ProcessMessages();
        EXPECT_TRUE(ui.Errors().empty());
        EXPECT_EQ(ui.PendingDrivers(), 0);
        EXPECT_EQ(ui.PendingAnswers(), 0);
    }
    TMenuItem* Item(const std::string& Name) const {
        auto* m = dynamic_cast<TMenuItem*>(Form->FindComponent(Name));
        EXPECT_NE(m, nullptr) << Name;
        return m;
    }
    int UndoSteps() const { return Form->UndoBuffer()->UndoCount(); }

    TUiTestHarness ui;
    TDialogReport r;
    std::unique_ptr<TfrxDesignerForm> Form;
};

template <class F>
void ClickButton(TCustomForm& Form, const char* Name) {
    auto* b = dynamic_cast<F*>(Form.FindComponent(Name));
    ASSERT_NE(b, nullptr) << Name;
    TUiTestHarness::Click(b);
}

TEST_F(DesignerCommandsTest, ReportCommandsOpenTheirDialogsOkIsOneUndoStepCancelNothing) {
    struct Case {
        const char* name;
        const char* menuItem;
        const char* formClass;
        // Changes something and confirms with the dialog's own button.
        std::function<void(TCustomForm&)> change;
        const char* cancelButton;
        // The part of the report the dialog edits.
        std::function<std::string()> probe;
        // False for a report made anew: like a new report, it starts a history of its own.
        bool undoable = true;
    };
    TfrxReport* R = r.Report.get();
    const Case cases[] = {
        {"variables", "VariablesMI", "TfrxVarEditorForm",
         [](TCustomForm& f) {
             auto& d = static_cast<TfrxVarEditorForm&>(f);
             TUiTestHarness::Click(d.NewCategoryB);
             TUiTestHarness::Click(d.NewVarB);
             TUiTestHarness::Click(d.OkB);
         },
         "CancelB", [R] { return VariableNames(R); }},
        {"report data", "ReportDataMI", "TfrxReportDataForm",
         [](TCustomForm& f) {
             auto& d = static_cast<TfrxReportDataForm&>(f);
             d.DatasetsLB->SetChecked(d.DatasetsLB->Items()->IndexOf("Doctors"), true);
             TUiTestHarness::Click(d.OKB);
         },
         "CancelB", [R] { return DataSetNames(R); }},
        {"styles", "ReportStylesMI", "TfrxStyleEditorForm",
         [](TCustomForm& f) {
             auto& d = static_cast<TfrxStyleEditorForm&>(f);
             TUiTestHarness::Click(d.AddB);
             TUiTestHarness::Click(d.OkB);
         },
         "CancelB", [R] { return std::to_string(R->Styles()->Count()); }},
        {"report settings", "ReportSettingsMI", "TfrxReportEditorForm",
         [](TCustomForm& f) {
             auto& d = static_cast<TfrxReportEditorForm&>(f);
             d.NameE->SetText("门诊日报");
             TUiTestHarness::Click(d.OkB);
         },
         "CancelB", [R] { return R->ReportOptions()->Name; }},
        {"new item: the empty standard report", "NewItemMI", "TfrxNewItemForm",
         [](TCustomForm& f) {
             auto& d = static_cast<TfrxNewItemForm&>(f);
             d.ItemsLV->SetItemIndex(2);
             TUiTestHarness::Click(d.OkB);
         },
         "CancelB", [R] { return Layout(R); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TMenuItem* mi = Item(c.menuItem);
        ASSERT_NE(mi, nullptr);
        ASSERT_TRUE(mi->Enabled());
        const std::string xml = r.Xml(), before = c.probe();
        const int steps = UndoSteps();

        // Cancel: nothing changes, nothing to undo.
        ui.OnModal(c.formClass, [&](TCustomForm& f) { ClickButton<TControl>(f, c.cancelButton); });
        TUiTestHarness::ClickMenuItem(mi);
        EXPECT_EQ(ui.PendingDrivers(), 0);
        EXPECT_EQ(r.Xml(), xml);
        EXPECT_EQ(UndoSteps(), steps);
        EXPECT_FALSE(Form->Modified());

        // OK: the change, marked as one step.
        ui.OnModal(c.formClass, c.change);
        TUiTestHarness::ClickMenuItem(mi);
        EXPECT_EQ(ui.PendingDrivers(), 0);
        const std::string after = c.probe();
        EXPECT_NE(after, before);
        EXPECT_TRUE(Form->Modified());
        // One step back, or (a report made anew) nothing to undo: its history begins with it.
        EXPECT_EQ(UndoSteps(), c.undoable ? steps + 1 : 1);
        EXPECT_EQ(Item("UndoMI")->Enabled(), c.undoable);

        // Undo brings the report back as it was (a discarded report stays discarded).
        TUiTestHarness::ClickMenuItem(Item("UndoMI"));
        if (c.undoable) {
            EXPECT_EQ(c.probe(), before);
            EXPECT_EQ(r.Xml(), xml);
        } else {
            EXPECT_EQ(c.probe(), after);
        }
        Form->SetModified(false);
        Form->UndoBuffer()->ClearUndo();
        Form->UndoBuffer()->PushUndo(R);
    }
}

TEST_F(DesignerCommandsTest, DoubleClickOnACrossTabOpensTheCrossTabEditor) {
    auto* cross = new TfrxCrossView(r.Data);
    cross->SetName("Cross1");
    cross->SetBounds(200, 0, 200, 18);
    cross->SetRowLevels(1);
    cross->SetColumnLevels(1);
    cross->SetCellLevels(1);
    Form->ReloadPages(0);
    Form->UndoBuffer()->ClearUndo();
    Form->UndoBuffer()->PushUndo(r.Report.get());
    TUiTestHarness::ProcessMessages();
    const double scale = Form->Workspace->Scale();
    const TPoint at{static_cast<int>((cross->AbsLeft() + 20) * scale), static_cast<int>((cross->AbsTop() + 5) * scale)};

    struct Case {
        const char* name;
        bool ok;
    };
    for (const Case& c : {Case{"Cancel", false}, Case{"OK", true}}) {
        SCOPED_TRACE(c.name);
        const std::string xml = r.Xml();
        const bool totals = cross->ShowRowTotal();
        ui.OnModal("TfrxCrossEditorForm", [&](TCustomForm& f) {
            auto& d = static_cast<TfrxCrossEditorForm&>(f);
            EXPECT_EQ(d.CrossView, cross);
            TUiTestHarness::Click(d.RowTotalCB);
            TUiTestHarness::Click(c.ok ? d.OkB : d.CancelB);
        });
        TUiTestHarness::Click(Form->Workspace, at);
        ASSERT_EQ(Form->SelectedObjects(), std::vector<TfrxComponent*>{cross});
        TUiTestHarness::DblClick(Form->Workspace, at);
        EXPECT_EQ(ui.PendingDrivers(), 0);
        EXPECT_EQ(cross->ShowRowTotal(), c.ok ? !totals : totals);
        EXPECT_EQ(Form->Modified(), c.ok);
        EXPECT_EQ(UndoSteps(), c.ok ? 2 : 1);
        if (!c.ok) {
            EXPECT_EQ(r.Xml(), xml);
        }
    }
    TUiTestHarness::ClickMenuItem(Item("UndoMI"));
    auto* back = dynamic_cast<TfrxCrossView*>(r.Report->FindObject("Cross1"));
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->ShowRowTotal());
}

}  // namespace
