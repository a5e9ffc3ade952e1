// The designer window with its object inspector docked, the colour and line-style
// selectors of the Text and Frame tool bars, the alignment palette, the dot-matrix style
// menu and View > Toolbars: each change reaches the report as one undo step and every view
// follows it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "DesignerFixture.h"
#include "../inspector_input.h"
#include "designer/controls/Ruler.h"
#include "designer/controls/Selectors.h"
#include "designer/editors/Registration.h"
#include "designer/inspector/InspectorHints.h"
#include "designer/inspector/ObjectInspector.h"
#include "designer/trees/ReportTree.h"
#include "designer/trees/ToolWindow.h"
#include "designer/undo/UndoBuffer.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include "preview/FlatCombo.h"
#include "report/DotMatrix.h"
#include "report/Frame.h"
#include "report/Resources.h"

namespace {
using H = TUiTestHarness;

// The selector of the pop-up window that is open now, nullptr when none.
template <class S>
S* OpenSelector() {
    for (int i = Screen->FormCount() - 1; i >= 0; --i)
        if (auto* popup = dynamic_cast<TfrxPopupForm*>(Screen->Forms(i)); popup && popup->Visible())
            for (int k = 0; k < popup->ComponentCount(); ++k)
                if (auto* s = dynamic_cast<S*>(popup->Components(k))) return s;
    return nullptr;
}

// The centre of a colour cell.
TPoint Cell(int Row, int Column) { return TPoint{5 + 18 * Column + 9, 5 + 18 * Row + 9}; }

// The program's property and component editors, registered before the window is built
// (as the clinic's start-up does).
struct TEditorsRegistered {
    TEditorsRegistered() {
        frxRegisterDesignerEditors();
        frxRegisterInspectorHints();
    }
};

struct TInspectedDesigner : TEditorsRegistered, TDesignerFixture {
    TfrxObjectInspector* Insp() const { return Form->Inspector; }
    int Undos() const { return Form->UndoBuffer()->UndoCount(); }
    std::string Value(const char* Row) const {
        const int i = Insp()->FindRow(Row);
        return i < 0 ? std::string("<no row>") : Insp()->RowValue(i);
    }
    TfrxMemoView* Memo(const char* Name) const { return dynamic_cast<TfrxMemoView*>(Find(Name)); }
};

// --- The inspector in the window ----------------------------------------------------------------

// Docked in the left site below the report tree, it shows the selection of every view:
// the page after opening, what the workspace or the report tree selects, and it lists the
// page's objects in its object box.
TEST(DesignerInspector, DockedBelowTheTreeAndFollowsTheSelection) {
    TInspectedDesigner f;
    TfrxObjectInspector* insp = f.Insp();
    ASSERT_NE(insp, nullptr);
    // The name the settings store finds it by.
    EXPECT_EQ(insp->Name(), "frxObjectInspector");
    // The left dock site holds the report tree, then the inspector, each under its caption
    // bar.
    ASSERT_EQ(f.Form->LeftDockSite2->DockClientCount(), 2);
    EXPECT_EQ(f.Form->LeftDockSite2->DockClients(0), f.Form->ReportTree);
    EXPECT_EQ(f.Form->LeftDockSite2->DockClients(1), insp);
    EXPECT_EQ(frxDockSiteOf(insp), f.Form->LeftDockSite2);
    EXPECT_TRUE(insp->Visible());
    EXPECT_GT(insp->Parent()->Top(), f.Form->ReportTree->Parent()->Top());
    EXPECT_GT(insp->RowCount(), 0);
    EXPECT_EQ(f.Value("Name"), "Page1");
    EXPECT_EQ(insp->ObjectsCB->Items()->Count(), static_cast<int>(f.Form->Objects().size()));

    f.Select({f.Find("Memo2")});
    EXPECT_EQ(f.Value("Name"), "Memo2");
    EXPECT_EQ(insp->ObjectsCB->Text(), "Memo2: TfrxMemoView");
    // The report tree selects: the inspector follows.
    TfrxReportTreeForm* tree = f.Form->ReportTree;
    const auto& comps = tree->Components();
    const auto it = std::find(comps.begin(), comps.end(), f.Find("MasterData1"));
    ASSERT_NE(it, comps.end());
    tree->Tree->SetSelected(tree->Nodes()[static_cast<size_t>(it - comps.begin())]);
    H::ProcessMessages();
    EXPECT_EQ(f.Value("Name"), "MasterData1");
    // Two memos: the rows they share, no name.
    f.Select({f.Find("Memo2"), f.Find("Memo3")});
    EXPECT_EQ(insp->FindRow("Name"), -1);
    EXPECT_GE(insp->FindRow("Left"), 0);
}

// The object box picks an object: it becomes the window's selection, and the workspace,
// the report tree and the status bar follow.
TEST(DesignerInspector, TheObjectBoxSelectsInTheWindow) {
    TInspectedDesigner f;
    TfrxObjectInspector* insp = f.Insp();
    const int i = insp->ObjectsCB->Items()->IndexOf("Memo3: TfrxMemoView");
    ASSERT_GE(i, 0);
    insp->ObjectsCB->SetItemIndex(i);
    insp->ObjectsCBClick(insp->ObjectsCB);
    ASSERT_EQ(f.Selection().size(), 1u);
    EXPECT_EQ(f.Selection()[0], f.Find("Memo3"));
    EXPECT_EQ(f.Form->ReportTree->Tree->Selected()->Text(), "Memo3");
    EXPECT_EQ(f.Form->StatusBar->Panels()->Items(2)->Text().rfind("Memo3: 金额", 0), 0u);
    EXPECT_EQ(f.Value("Name"), "Memo3");
    // Deleted (and cut) objects leave the object box; the inspector shows what is left.
    f.Form->DeleteCmdExecute(nullptr);
    EXPECT_EQ(insp->ObjectsCB->Items()->IndexOf("Memo3: TfrxMemoView"), -1);
    EXPECT_EQ(insp->ObjectsCB->Items()->Count(), static_cast<int>(f.Form->Objects().size()));
    f.Select({f.Find("Memo2")});
    f.Form->CutCmdExecute(nullptr);
    EXPECT_EQ(insp->ObjectsCB->Items()->IndexOf("Memo2: TfrxMemoView"), -1);
    EXPECT_EQ(insp->ObjectsCB->Items()->Count(), static_cast<int>(f.Form->Objects().size()));
    EXPECT_GT(insp->RowCount(), 0);
}

// Each value typed in the inspector is one undo step; the workspace shows it, undo brings
// the old value back into the object and the inspector, and a refused value changes
// nothing and records nothing.
TEST(DesignerInspector, EachEditIsOneUndoStep) {
    TInspectedDesigner f;
    f.Select({f.Find("Memo2")});
    struct Case {
        const char* Row;
        const char* Typed;
        bool Taken;
    } cases[] = {{"Left", "1", true}, {"Width", "-3", false}, {"Name", "Memo3", false},
                 {"Name", "2bad", false}, {"Left", "abc", false}, {"Name", "Amount", true}};
    f.Harness.SetAutoAnswerOk(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.Row) + " := " + c.Typed);
        TfrxObjectInspector* insp = f.Insp();
        const int before = f.Undos();
        const std::string xml = f.Xml();
        const size_t dialogs = f.Harness.Dialogs().size();
        insp->SetValue(insp->FindRow(c.Row), c.Typed);
        if (c.Taken) {
            EXPECT_EQ(f.Undos(), before + 1);
            EXPECT_TRUE(f.Form->Modified());
            EXPECT_EQ(f.Harness.Dialogs().size(), dialogs);
        } else {
            EXPECT_EQ(f.Undos(), before);
            EXPECT_EQ(f.Xml(), xml);
            EXPECT_EQ(f.Harness.Dialogs().size(), dialogs + 1);
        }
        // Still usable: the row is there with the value the object holds.
        EXPECT_GE(insp->FindRow(c.Row), 0);
    }
    TfrxComponent* memo = f.Find("Amount");
    ASSERT_NE(memo, nullptr);
    // The left edge is shown in the unit in force (cm): 1 cm.
    EXPECT_NEAR(memo->Left(), 37.7953, 0.01);
    // The report tree shows the new name.
    const auto& comps = f.Form->ReportTree->Components();
    const auto it = std::find(comps.begin(), comps.end(), memo);
    ASSERT_NE(it, comps.end());
    EXPECT_EQ(f.Form->ReportTree->Nodes()[static_cast<size_t>(it - comps.begin())]->Text(), "Amount");

    // Undo takes the name back; the inspector shows the objects of the restored report.
    f.Form->UndoCmdExecute(nullptr);
    EXPECT_EQ(f.Find("Amount"), nullptr);
    ASSERT_NE(f.Find("Memo2"), nullptr);
    EXPECT_NEAR(f.Find("Memo2")->Left(), 37.7953, 0.01);
    // The tree holds the objects of the restored report, under their old name.
    const auto& restored = f.Form->ReportTree->Components();
    const auto back = std::find(restored.begin(), restored.end(), f.Find("Memo2"));
    ASSERT_NE(back, restored.end());
    EXPECT_EQ(f.Form->ReportTree->Nodes()[static_cast<size_t>(back - restored.begin())]->Text(), "Memo2");
    f.Select({f.Find("Memo2")});
    EXPECT_EQ(f.Value("Name"), "Memo2");
    // The object box names the restored objects.
    TStringList* box = f.Insp()->ObjectsCB->Items();
    EXPECT_GE(box->IndexOf("Memo2: TfrxMemoView"), 0);
    EXPECT_EQ(box->IndexOf("Amount: TfrxMemoView"), -1);
}

// Two names typed in the inspector, taken back with Ctrl+Z and given again with Ctrl+Y:
// every step shows the report as it was then, and the object box and the report tree
// name the objects read back with the names of that step.
TEST(DesignerInspector, RedoGivesBackTheNamesAnUndoTookBack) {
    TInspectedDesigner f;
    TfrxObjectInspector* insp = f.Insp();
    std::vector<std::string> states{f.Xml()};
    const std::pair<const char*, const char*> renames[] = {{"Memo2", "Amount"}, {"Memo3", "Total"}};
    for (const auto& [from, to] : renames) {
        f.Select({f.Find(from)});
        ClickInspectorRow(insp, insp->FindRow("Name"));
        H::TypeText(insp->Edit1, to);
        H::TypeKey(insp->Edit1, VK_RETURN);
        ASSERT_NE(f.Find(to), nullptr);
        states.push_back(f.Xml());
    }
    // The object box and the tree: objects of the report as it is, under their names.
    auto viewsName = [&](const std::vector<std::string>& Present, const std::vector<std::string>& Absent) {
        std::set<const TObject*> live{f.Report.get()};
        for (TfrxComponent* c : f.Report->AllObjects()) live.insert(c);
        TStringList* box = insp->ObjectsCB->Items();
        for (int i = 0; i < box->Count(); ++i) {
            ASSERT_TRUE(live.count(box->Objects(i))) << (*box)[i];
            EXPECT_EQ((*box)[i].substr(0, (*box)[i].find(':')), static_cast<TfrxComponent*>(box->Objects(i))->Name());
        }
        std::set<std::string> treeNames;
        for (TTreeNode* n : f.Form->ReportTree->Nodes()) treeNames.insert(n->Text());
        for (const std::string& n : Present) {
            EXPECT_GE(box->IndexOf(n + ": TfrxMemoView"), 0) << n;
            EXPECT_TRUE(treeNames.count(n)) << n;
        }
        for (const std::string& n : Absent) {
            EXPECT_EQ(box->IndexOf(n + ": TfrxMemoView"), -1) << n;
            EXPECT_FALSE(treeNames.count(n)) << n;
        }
    };
    const std::vector<std::string> names[] = {{"Memo2", "Memo3"}, {"Amount", "Memo3"}, {"Amount", "Total"}};
    auto others = [&](size_t Step) {
        std::vector<std::string> out;
        for (const char* n : {"Memo2", "Memo3", "Amount", "Total"})
            if (std::find(names[Step].begin(), names[Step].end(), n) == names[Step].end()) out.push_back(n);
        return out;
    };
    H::Click(f.Form->Workspace, TPoint{5, 5});
    for (size_t step = states.size() - 1; step-- > 0;) {
        SCOPED_TRACE("undo to step " + std::to_string(step));
        H::TypeKey(H::FocusedControl(), 'Z', ssCtrl);
        EXPECT_EQ(f.Xml(), states[step]);
        viewsName(names[step], others(step));
    }
    for (size_t step = 1; step < states.size(); ++step) {
        SCOPED_TRACE("redo to step " + std::to_string(step));
        H::TypeKey(H::FocusedControl(), 'Y', ssCtrl);
        EXPECT_EQ(f.Xml(), states[step]);
        viewsName(names[step], others(step));
    }
    EXPECT_FALSE(f.Form->RedoCmd->Enabled());
    EXPECT_TRUE(f.Harness.Errors().empty());
}

// A name typed in the inspector renames the object's entry in the object box; the next
// list of the same objects fills the box again even when their names are back to what it
// listed before (an undo reloads the report, often at the same addresses).
TEST(DesignerInspector, ObjectBoxFollowsANameTakenBackAtTheSameAddress) {
    TInspectedDesigner f;
    f.Select({f.Find("Memo2")});
    TfrxObjectInspector* insp = f.Insp();
    insp->SetValue(insp->FindRow("Name"), "Amount");
    TStringList* box = insp->ObjectsCB->Items();
    ASSERT_GE(box->IndexOf("Amount: TfrxMemoView"), 0);
    TfrxComponent* memo = f.Find("Amount");
    ASSERT_NE(memo, nullptr);
    memo->SetName("Memo2");
    insp->SetObjectList(f.Form->Objects());
    EXPECT_GE(box->IndexOf("Memo2: TfrxMemoView"), 0);
    EXPECT_EQ(box->IndexOf("Amount: TfrxMemoView"), -1);
    EXPECT_EQ(box->Count(), static_cast<int>(f.Form->Objects().size()));
}

// An event row's button makes the handler in the script (from the language's template),
// names it in the property and shows it on the code page, one undo step; the row's list
// then offers it, and the button on a named handler shows it without making another.
TEST(DesignerInspector, EventRowsMakeAndFindTheirHandlers) {
    TInspectedDesigner f;
    f.Report->ScriptText()->Clear();
    for (const char* line : {"begin", "", "end."}) f.Report->ScriptText()->Add(line);
    f.Form->ReloadReport();
    f.Select({f.Find("Memo2")});
    TfrxObjectInspector* insp = f.Insp();
    // The events tab; a double click on the event's value makes its handler.
    H::ClickTab(insp->Tab, 1);
    ASSERT_EQ(insp->TabIndex(), 1);
    const int row = insp->FindRow("OnBeforePrint");
    ASSERT_GE(row, 0);
    ClickInspectorRow(insp, row);
    const int before = f.Undos();
    H::DblClick(insp->Edit1);
    EXPECT_EQ(f.Memo("Memo2")->OnBeforePrint, "Memo2OnBeforePrint");
    EXPECT_EQ(f.Form->Page(), nullptr);
    std::vector<std::string> code = f.Form->GetCode();
    ASSERT_FALSE(code.empty());
    EXPECT_EQ(code[0], "procedure Memo2OnBeforePrint(Sender: TfrxComponent);");
    EXPECT_EQ(f.Undos(), before + 1);
    EXPECT_EQ(insp->RowValue(insp->FindRow("OnBeforePrint")), "Memo2OnBeforePrint");

    // Back on the page: the row's list holds the handler; its button finds it.
    f.Form->SetPage(f.Report->Pages(0));
    f.Select({f.Find("Memo3")});
    ClickInspectorRow(insp, insp->FindRow("OnBeforePrint"));
    H::Click(insp->ComboBtn);
    ASSERT_NE(insp->PopupLB(), nullptr);
    ASSERT_EQ(insp->PopupLB()->Items()->Count(), 1);
    insp->PickPopupItem(0);
    EXPECT_EQ(f.Memo("Memo3")->OnBeforePrint, "Memo2OnBeforePrint");
    const size_t lines = f.Form->GetCode().size();
    H::DblClick(insp->Edit1);
    EXPECT_EQ(f.Form->GetCode().size(), lines);
    EXPECT_EQ(f.Form->Page(), nullptr);
    insp->SetTabIndex(0);
}

// A page renamed in the inspector shows its new name on its tab (the selection stays);
// a change made elsewhere shows in the inspector at once.
TEST(DesignerInspector, RenamedPageRetitlesItsTabAndOtherChangesShow) {
    TInspectedDesigner f;
    TfrxObjectInspector* insp = f.Insp();
    insp->SetValue(insp->FindRow("Name"), "Receipt");
    EXPECT_EQ(f.Tabs(), frxResources().Get("dsCode") + "|Receipt");
    ASSERT_EQ(f.Selection().size(), 1u);
    EXPECT_EQ(f.Selection()[0], f.Report->Pages(0));

    f.Select({f.Find("Memo2")});
    f.Find("Memo2")->SetLeft(50);
    f.Form->OnModify(f.Form->Workspace);
    EXPECT_EQ(f.Value("Left"), "1.32");
}

// The tools colour reaches the inspector; locking (an undo reloading the report) empties
// it and the reload shows the selection again.
TEST(DesignerInspector, ToolsColourAndLock) {
    TInspectedDesigner f;
    f.Form->SetToolsColor(clInfoBk);
    EXPECT_EQ(f.Insp()->Box->Color(), clInfoBk);
    EXPECT_EQ(f.Insp()->ObjectsCB->Color(), clInfoBk);
    f.Form->Lock();
    EXPECT_TRUE(f.Insp()->Disabled());
    EXPECT_EQ(f.Insp()->RowCount(), 0);
    f.Form->ReloadPages(0);
    EXPECT_FALSE(f.Insp()->Disabled());
    EXPECT_EQ(f.Value("Name"), "Page1");
}

// View > Toolbars > the inspector item (F11) hides and shows it with its caption bar; the
// report tree then takes the whole site, and a site without windows closes.
TEST(DesignerInspector, TheInspectorItemAndF11ShowAndHideIt) {
    TInspectedDesigner f;
    TMenuItem* item = f.Form->InspectorMI;
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Parent(), f.Form->ToolbarsMI);
    EXPECT_EQ(item->ShortCut(), ShortCut(VK_F11, 0));
    EXPECT_EQ(item->Caption(), "对象查看器");
    TControl* treeHost = f.Form->ReportTree->Parent();
    const int treeHeight = treeHost->Height();
    H::ClickMenuItem(item);
    EXPECT_FALSE(f.Insp()->Visible());
    EXPECT_FALSE(f.Insp()->Parent()->Visible());
    EXPECT_EQ(treeHost->Height(), f.Form->LeftDockSite2->ClientHeight());
    f.Form->ToolbarsMIOpen(f.Form->ToolbarsMI);
    EXPECT_FALSE(item->Checked());
    // The window's shortcut, wherever the focus is.
    H::TypeKey(VK_F11);
    EXPECT_TRUE(f.Insp()->Visible());
    EXPECT_TRUE(f.Insp()->Parent()->Visible());
    EXPECT_EQ(treeHost->Height(), treeHeight);
    f.Form->ToolbarsMIOpen(f.Form->ToolbarsMI);
    EXPECT_TRUE(item->Checked());
    // Both tool windows of the left site hidden: the site closes.
    for (int tag : {5, 7}) f.Form->ToolbarsMIClick(f.Form->ToolbarsMI->Items(tag));
    EXPECT_FALSE(f.Form->LeftDockSite2->Visible());
    EXPECT_FALSE(f.Form->LeftDockSite2->Splitter()->Visible());
    f.Form->ToolbarsMIClick(f.Form->ToolbarsMI->Items(7));
    EXPECT_TRUE(f.Form->LeftDockSite2->Visible());
    EXPECT_EQ(treeHost->Height(), f.Form->LeftDockSite2->ClientHeight());
}

// --- Colour and line-style selectors ---------------------------------------------------------------

// Each colour button drops its selector down under itself; the colour picked goes to the
// selection as one undo step, and a memo with a named style leaves it.
TEST(DesignerSelectors, ColourButtonsApplyThePickedColour) {
    struct Case {
        const char* Button;
        int Row, Column;
        TColor Expected;
        TColor (*Read)(TfrxMemoView*);
    } cases[] = {
        {"FontColorB", 1, 3, clRed, [](TfrxMemoView* m) { return m->Font()->Color(); }},
        {"FillColorB", 1, 6, clBlue, [](TfrxMemoView* m) { return m->Color(); }},
        {"FrameColorB", 1, 4, clLime, [](TfrxMemoView* m) { return m->Frame()->Color; }},
        {"FillColorB", 0, 0, clNone, [](TfrxMemoView* m) { return m->Color(); }},
    };
    TInspectedDesigner f;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Button);
        f.Memo("Memo2")->SetStyle("Header");
        f.Memo("Memo3")->SetStyle("Header");
        f.Select({f.Find("Memo2"), f.Find("Memo3")});
        auto* button = dynamic_cast<TToolButton*>(f.Form->FindComponent(c.Button));
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->Enabled());
        const int before = f.Undos();
        H::Click(button);
        auto* selector = OpenSelector<TfrxColorSelector>();
        ASSERT_NE(selector, nullptr);
        const TPoint under = button->ClientToScreen(TPoint{0, button->Height() + 2});
        EXPECT_EQ(selector->Popup()->Left(), under.X);
        EXPECT_EQ(selector->Popup()->Top(), under.Y);
        H::Click(selector, Cell(c.Row, c.Column));
        H::ProcessMessages();
        EXPECT_EQ(OpenSelector<TfrxColorSelector>(), nullptr);
        for (const char* name : {"Memo2", "Memo3"}) {
            EXPECT_EQ(c.Read(f.Memo(name)), c.Expected) << name;
            EXPECT_EQ(f.Memo(name)->Style(), "") << name;
        }
        EXPECT_EQ(f.Undos(), before + 1);
        EXPECT_EQ(f.Form->CurrentColor, c.Expected);
    }
    // A single memo: the selector starts with its font colour (the font button) or its fill.
    f.Select({f.Find("Memo2")});
    for (auto [button, color] : {std::pair{f.Form->FontColorB, clRed}, std::pair{f.Form->FillColorB, clNone}}) {
        TfrxColorSelector* s = f.Form->CreateColorSelector(button);
        EXPECT_EQ(s->Color(), color);
        EXPECT_EQ(s->Tag(), button->Tag());
        s->Popup()->Close();
        H::ProcessMessages();
    }
}

// The frame style button drops the line styles down; the style picked is every selected
// frame's, one undo step; the page's own frame takes it when the page is selected.
TEST(DesignerSelectors, FrameStyleButtonAppliesTheLineStyle) {
    TInspectedDesigner f;
    f.Select({f.Find("Memo2"), f.Find("Memo3")});
    const int before = f.Undos();
    H::Click(f.Form->FrameStyleB);
    auto* lines = OpenSelector<TfrxLineSelector>();
    ASSERT_NE(lines, nullptr);
    EXPECT_EQ(lines->Tag(), 28);
    H::Click(lines, TPoint{40, 5 + 16 * 2 + 8});
    H::ProcessMessages();
    EXPECT_EQ(f.Memo("Memo2")->Frame()->Style, fsDot);
    EXPECT_EQ(f.Memo("Memo3")->Frame()->Style, fsDot);
    EXPECT_EQ(f.Undos(), before + 1);
    // Below the last style: the double line.
    f.Select({f.Report->Pages(0)});
    H::Click(f.Form->FrameStyleB);
    lines = OpenSelector<TfrxLineSelector>();
    ASSERT_NE(lines, nullptr);
    H::Click(lines, TPoint{40, lines->Height() - 2});
    H::ProcessMessages();
    EXPECT_EQ(dynamic_cast<TfrxReportPage*>(f.Report->Pages(0))->Frame()->Style, fsDouble);
}

// --- Formatting commands from the tool bars and menus -----------------------------------------------

// The tool bars' commands change the selection once each (one undo step); a size that is
// no number is refused with a message and records nothing.
TEST(DesignerFormatting, ToolBarCommandsAreOneUndoStepEach) {
    TInspectedDesigner f;
    f.Select({f.Find("Memo2"), f.Find("Memo3")});
    // A click on the rotation button at At, item Item chosen in the menu it drops.
    auto rotateFrom = [&](TPoint At, int Item) {
        int drops = 0;
        f.Harness.OnPopup([&](TPopupMenu& Menu, TPoint) {
            ++drops;
            ASSERT_EQ(&Menu, f.Form->RotationPopup);
            H::ClickMenuItem(Menu.Items()->Items(Item));
        });
        H::Click(f.Form->RotateB, At);
        H::ProcessMessages();
        EXPECT_EQ(drops, 1);
        EXPECT_EQ(f.Harness.Errors(), std::vector<std::string>{});
    };
    struct Case {
        const char* What;
        std::function<void()> Act;
        std::function<bool(TfrxMemoView*)> Done;
        int Steps;
    } cases[] = {
        {"bold", [&] { H::Click(f.Form->BoldB); }, [](TfrxMemoView* m) { return m->Font()->Style().Contains(fsBold); }, 1},
        {"centre", [&] { H::Click(f.Form->TextAlignCenterB); }, [](TfrxMemoView* m) { return m->HAlign == haCenter; }, 1},
        {"all frame lines", [&] { H::Click(f.Form->FrameAllB); },
         [](TfrxMemoView* m) { return m->Frame()->Typ == TfrxFrameTypes{ftLeft, ftRight, ftTop, ftBottom}; }, 1},
        {"frame width", [&] { f.Form->FrameWidthCB->SetText("1,5"); f.Form->ToolButtonClick(f.Form->FrameWidthCB); },
         [](TfrxMemoView* m) { return m->Frame()->Width == 1.5; }, 1},
        {"font size", [&] { f.Form->FontSizeCB->SetText("14"); f.Form->ToolButtonClick(f.Form->FontSizeCB); },
         [](TfrxMemoView* m) { return m->Font()->Size() == 14; }, 1},
        {"font size of 10,000", [&] { f.Form->FontSizeCB->SetText("10000"); f.Form->ToolButtonClick(f.Form->FontSizeCB); },
         [](TfrxMemoView* m) { return m->Font()->Size() == 14; }, 0},
        {"font size that is text", [&] { f.Form->FontSizeCB->SetText("big"); f.Form->ToolButtonClick(f.Form->FontSizeCB); },
         [](TfrxMemoView* m) { return m->Font()->Size() == 14; }, 0},
        {"rotation 90", [&] { H::ClickMenuItem(f.Form->RotationPopup->Items()->Items(2)); },
         [](TfrxMemoView* m) { return m->Rotation() == 90; }, 1},
        // The rotation button drops its menu once, from a click as from its arrow.
        {"rotation 180 from the button", [&] { rotateFrom(TPoint{6, f.Form->RotateB->Height() / 2}, 3); },
         [](TfrxMemoView* m) { return m->Rotation() == 180; }, 1},
        {"rotation 270 from the arrow",
         [&] { rotateFrom(TPoint{f.Form->RotateB->Width() - 4, f.Form->RotateB->Height() / 2}, 4); },
         [](TfrxMemoView* m) { return m->Rotation() == 270; }, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        const int before = f.Undos();
        const size_t dialogs = f.Harness.Dialogs().size();
        c.Act();
        for (const char* name : {"Memo2", "Memo3"}) EXPECT_TRUE(c.Done(f.Memo(name))) << name;
        EXPECT_EQ(f.Undos(), before + c.Steps);
        EXPECT_EQ(f.Harness.Dialogs().size(), dialogs + (c.Steps == 0 ? 1 : 0));
    }
}

// The alignment palette: hidden until View > Toolbars shows it in a row of its own at the
// free edge of the top dock, each button named as its hint says, each command one undo
// step over the selection.
TEST(DesignerFormatting, AlignmentPaletteRunsTheAlignmentCommands) {
    TInspectedDesigner f;
    EXPECT_FALSE(f.Form->AlignTB->Visible());
    TMenuItem* item = f.Form->ToolbarsMI->Items(3);
    EXPECT_EQ(item->Name(), "AlignmentMI");
    TfrxDock* dock = f.Form->DockTop;
    const int rows = dock->Height();
    const int below = f.Form->TextTB->Top() + f.Form->TextTB->Height();
    H::ClickMenuItem(item);
    EXPECT_TRUE(f.Form->AlignTB->Visible());
    EXPECT_EQ(f.Form->AlignTB->Dock(), dock);
    EXPECT_EQ(f.Form->AlignTB->Left(), 0);
    EXPECT_EQ(f.Form->AlignTB->Top(), below);
    EXPECT_EQ(dock->Height(), rows + dock->RowSize());
    EXPECT_EQ(f.Form->AlignLeftsB->Hint(), "左边对齐");
    EXPECT_EQ(f.Form->SameHeightB->Hint(), "相同高度");

    auto* m2 = f.Memo("Memo2");
    auto* m3 = f.Memo("Memo3");
    struct Case {
        TToolButton* Button;
        std::function<bool()> Done;
    } cases[] = {
        {f.Form->AlignLeftsB, [&] { return m3->Left() == m2->Left(); }},
        {f.Form->AlignBottomsB, [&] { return m3->Top() + m3->Height() == m2->Top() + m2->Height(); }},
        {f.Form->SameWidthB, [&] { return m3->Width() == m2->Width(); }},
        {f.Form->SameHeightB, [&] { return m3->Height() == m2->Height(); }},
        {f.Form->CenterHorzB, [&] { return m2->Left() == (m2->Parent()->Width() - m2->Width()) / 2; }},
    };
    m2->SetBounds(10, 2, 150, 24);
    m3->SetBounds(300, 0, 60, 20);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Button->Name());
        f.Select({m2, m3});
        const int before = f.Undos();
        H::Click(c.Button);
        m2 = f.Memo("Memo2");
        m3 = f.Memo("Memo3");
        EXPECT_TRUE(c.Done());
        EXPECT_EQ(f.Undos(), before + 1);
    }
    // Too few objects: nothing done, nothing recorded.
    f.Select({m2});
    const int before = f.Undos();
    H::Click(f.Form->AlignLeftsB);
    EXPECT_EQ(f.Undos(), before);
    // Hidden again, its row closes up.
    H::ClickMenuItem(item);
    EXPECT_FALSE(f.Form->AlignTB->Visible());
    EXPECT_EQ(dock->Height(), rows);
}

// The bands menu: the bands a page holds once are offered while it has none; an item
// makes its band below the others at the default height of the unit (a vertical one as
// wide), selected and shown in the inspector and the report tree, one undo step.
TEST(DesignerFormatting, BandsMenuInsertsBands) {
    TInspectedDesigner f;
    auto item = [&](const char* Name) { return dynamic_cast<TMenuItem*>(f.Form->FindComponent(Name)); };
    f.Form->BandsPopupPopup(f.Form->BandsPopup);
    EXPECT_FALSE(item("ReportTitleMI")->Enabled());   // the page has one
    EXPECT_TRUE(item("PageHeaderMI")->Enabled());
    EXPECT_TRUE(item("MasterDataMI")->Enabled());
    EXPECT_TRUE(item("VerticalbandsMI")->Enabled());
    f.Form->EditAfterInsert = false;
    struct Case {
        const char* Item;
        const char* Class;
        bool Vertical;
    } cases[] = {{"PageHeaderMI", "TfrxPageHeader", false}, {"VMasterDataMI", "TfrxMasterData", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Item);
        const int before = f.Undos();
        H::ClickMenuItem(item(c.Item));
        ASSERT_EQ(f.Selection().size(), 1u);
        auto* band = dynamic_cast<TfrxBand*>(f.Selection()[0]);
        ASSERT_NE(band, nullptr);
        EXPECT_EQ(band->ClassName(), c.Class);
        EXPECT_EQ(band->Vertical, c.Vertical);
        EXPECT_NEAR(c.Vertical ? band->Width() : band->Height(), 22.67718, 1e-4);   // 0.6 cm
        EXPECT_EQ(f.Undos(), before + 1);
        EXPECT_EQ(f.Value("Name"), band->Name());
        const auto& comps = f.Form->ReportTree->Components();
        EXPECT_NE(std::find(comps.begin(), comps.end(), band), comps.end());
    }
    f.Form->BandsPopupPopup(f.Form->BandsPopup);
    EXPECT_FALSE(item("PageHeaderMI")->Enabled());
}

// In a dot-matrix report the font button drops the dot-matrix style menu down; its check
// marks show the first selected object's styles and an item flips its style.
TEST(DesignerFormatting, DotMatrixStyleMenu) {
    TDesignerFixture f(false);
    f.Report->DotMatrixReport = true;
    auto* page = new TfrxDMPPage(f.Report.get());
    page->SetName("Page1");
    auto* band = new TfrxMasterData(page);
    band->SetName("MasterData1");
    band->SetBounds(0, 20, 700, 34);
    auto* memo = new TfrxDMPMemoView(band);
    memo->SetName("DMPMemo1");
    memo->SetBounds(0, 0, 96, 17);
    memo->SetFontStyle(TfrxDMPFontStyles{fsxItalic});
    f.Form->ReloadPages(0);
    f.Select({memo});
    TMenuItem* items = f.Form->DMPPopup->Items();
    ASSERT_EQ(items->Count(), 9);
    EXPECT_FALSE(items->Items(0)->Checked());
    EXPECT_TRUE(items->Items(1)->Checked());
    bool dropped = false;
    f.Harness.OnPopup([&](TPopupMenu& Menu, TPoint) { dropped = &Menu == f.Form->DMPPopup; });
    H::Click(f.Form->FontB);
    EXPECT_TRUE(dropped);
    const int before = f.Form->UndoBuffer()->UndoCount();
    H::ClickMenuItem(items->Items(0));
    memo = dynamic_cast<TfrxDMPMemoView*>(f.Report->FindObject("DMPMemo1"));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->FontStyle(), (TfrxDMPFontStyles{fsxBold, fsxItalic}));
    EXPECT_TRUE(items->Items(0)->Checked());
    H::ClickMenuItem(items->Items(1));
    memo = dynamic_cast<TfrxDMPMemoView*>(f.Report->FindObject("DMPMemo1"));
    EXPECT_EQ(memo->FontStyle(), TfrxDMPFontStyles{fsxBold});
    EXPECT_EQ(f.Form->UndoBuffer()->UndoCount(), before + 2);
}

// With ROVE_SCREENSHOTS set to a folder: the designer over the clinic's receipt, a memo's
// properties in the inspector and the font colour selector open, as the screen shows them.
TEST(DesignerScreenshot, ReceiptWithInspectorAndColourSelector) {
    const char* dir = std::getenv("ROVE_SCREENSHOTS");
    if (!dir) GTEST_SKIP() << "ROVE_SCREENSHOTS not set";
    TEditorsRegistered editors;
    TDesignerFixture f;
    // As opening a file does: the views let the old objects go first.
    f.Form->Lock();
    ASSERT_TRUE(f.Report->LoadFromFile((std::filesystem::path(ROVE_SOURCE_DIR) / "app/reports/rove.bl3").string()));
    f.Form->ReloadReport();
    f.Form->SetBounds(0, 0, 1024, 768);
    EXPECT_EQ(f.Form->Inspector->RowName(f.Form->Inspector->ItemIndex()), "Name");
    TfrxComponent* memo = f.Report->FindObject("Memo6");
    ASSERT_NE(memo, nullptr);
    f.Select({memo});
    H::Click(f.Form->FontColorB);
    ASSERT_NE(OpenSelector<TfrxColorSelector>(), nullptr);
    EXPECT_TRUE(H::SaveScreen((std::filesystem::path(dir) / "designer_inspector.png").string()));
    // The alignment palette shown and the line styles dropped down.
    OpenSelector<TfrxColorSelector>()->Popup()->Close();
    H::ProcessMessages();
    H::ClickMenuItem(f.Form->ToolbarsMI->Items(3));
    H::Click(f.Form->FrameStyleB);
    ASSERT_NE(OpenSelector<TfrxLineSelector>(), nullptr);
    EXPECT_TRUE(H::SaveScreen((std::filesystem::path(dir) / "designer_align.png").string()));
}

}  // namespace
