// The designer window's commands: which of them the selection enables, undo and redo over
// insertions, moves and deletions, a new report built by commands and fields dropped from
// the data tree, pages deleted while they are the current one, and a page of 10,000
// objects.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <memory>
#include <set>

#include "DesignerFixture.h"
#include "designer/code/SyntaxMemo.h"
#include "designer/inspector/ObjectInspector.h"
#include "designer/trees/DataTree.h"
#include "designer/trees/ReportTree.h"
#include "designer/undo/UndoBuffer.h"
#include "platform/rtl/FileUtils.h"
#include "platform/ui/ComCtrls.h"
#include "preview/FlatCombo.h"
#include "report/DataSet.h"
#include "report/Resources.h"

namespace {
using H = TUiTestHarness;
namespace fs = std::filesystem;

// The middle of an object on the page workspace, in the workspace's pixels.
TPoint Middle(TfrxDesignerForm& D, TfrxComponent* C) {
    return TPoint{static_cast<int>((C->AbsLeft() + C->Width() / 2) * D.Scale()),
                  static_cast<int>((C->AbsTop() + C->Height() / 2) * D.Scale())};
}

// Drags an object on the workspace by (DX, DY) workspace pixels, as the mouse does.
void Drag(TfrxDesignerForm& D, TfrxComponent* C, int DX, int DY) {
    const TPoint from = Middle(D, C);
    const TPoint to{from.X + DX, from.Y + DY};
    H::MouseMove(D.Workspace, from);
    H::MouseDown(D.Workspace, from);
    H::MouseMove(D.Workspace, TPoint{from.X + DX / 2, from.Y + DY / 2}, ssLeft);
    H::MouseMove(D.Workspace, to, ssLeft);
    H::MouseUp(D.Workspace, to);
}

// The bands menu's entry that inserts a band of kind Tag.
TMenuItem* BandItem(TfrxDesignerForm& D, const char* Name) {
    return dynamic_cast<TMenuItem*>(D.FindComponent(Name));
}

// What the tool bars allow for each kind of selection: nothing that needs an object while
// only the page is selected, one object's editors for one object, the common formatting
// for several, and on the code page only the clipboard of the script.
TEST(DesignerToolbarState, FollowsTheSelection) {
    TDesignerFixture f;
    TfrxComponent* page = f.Report->Pages(0);
    TfrxComponent* memo = f.Find("TitleMemo");
    TfrxComponent* memo2 = f.Find("Memo2");
    TfrxComponent* band = f.Find("ReportTitle1");
    struct TRow {
        const char* Name;
        std::vector<TfrxComponent*> Sel;   // empty: the code page
        bool Cut, Delete, Edit, TextAlign, Frame, Group, SampleFormat, Zoom, FormatTool;
    };
    const TRow rows[] = {
        {"page", {page}, false, false, true, false, true, false, true, true, false},
        {"memo", {memo}, true, true, true, true, true, true, true, true, true},
        {"two memos", {memo, memo2}, true, true, false, true, true, true, false, true, false},
        {"band", {band}, true, true, true, false, false, true, false, true, false},
        {"code page", {}, true, false, false, false, false, false, false, false, false},
    };
    for (const TRow& r : rows) {
        if (r.Sel.empty()) {
            f.Form->SwitchToCodeWindow();
        } else {
            if (!f.Form->Page()) f.Form->SetPage(f.Report->Pages(0));
            f.Form->SelectedObjects().assign(r.Sel.begin(), r.Sel.end());
            f.Form->OnSelectionChanged(f.Form->Workspace);
        }
        EXPECT_EQ(f.Form->CutCmd->Enabled(), r.Cut) << r.Name;
        EXPECT_EQ(f.Form->CopyCmd->Enabled(), r.Cut) << r.Name;
        EXPECT_EQ(f.Form->DeleteCmd->Enabled(), r.Delete) << r.Name;
        EXPECT_EQ(f.Form->BringToFrontCmd->Enabled(), r.Delete) << r.Name;
        EXPECT_EQ(f.Form->SetToGridB->Enabled(), r.Delete) << r.Name;
        EXPECT_EQ(f.Form->EditCmd->Enabled(), r.Edit) << r.Name;
        EXPECT_EQ(f.Form->TextAlignLeftB->Enabled(), r.TextAlign) << r.Name;
        EXPECT_EQ(f.Form->StyleCB->Enabled(), r.TextAlign) << r.Name;
        EXPECT_EQ(f.Form->FrameTopB->Enabled(), r.Frame) << r.Name;
        EXPECT_EQ(f.Form->GroupCmd->Enabled(), r.Group) << r.Name;
        EXPECT_EQ(f.Form->SampleFormatB->Enabled(), r.SampleFormat) << r.Name;
        EXPECT_EQ(f.Form->ScaleCB->Enabled(), r.Zoom) << r.Name;
        EXPECT_EQ(f.Form->HandToolB->Enabled(), r.Zoom) << r.Name;
        EXPECT_EQ(f.Form->FormatToolB->Enabled(), r.FormatTool) << r.Name;
        // One page: it cannot be deleted; nothing changed yet: nothing to save.
        EXPECT_FALSE(f.Form->DeletePageCmd->Enabled()) << r.Name;
        EXPECT_FALSE(f.Form->SaveCmd->Enabled()) << r.Name;
    }
    // The status bar names the one selected object with its text.
    f.Form->SetPage(f.Report->Pages(0));
    f.Select({memo});
    EXPECT_EQ(f.Form->StatusBar->Panels()->Items(2)->Text(), "TitleMemo: XXX医院门诊收费结算收据\r\n");
    // Down buttons show the memo's look; two objects show none.
    dynamic_cast<TfrxMemoView*>(memo)->Font()->SetStyle(TFontStyles{fsBold});
    f.Select({memo});
    EXPECT_TRUE(f.Form->BoldB->Down());
    f.Select({memo, memo2});
    EXPECT_FALSE(f.Form->BoldB->Down());
    EXPECT_EQ(f.Form->FontNameCB->Text(), "");
}

// Each insertion, move and deletion is one undo step; undo walks back through them to the
// report as it was opened, redo forward again to the last state.
TEST(DesignerUndo, InsertionMoveAndDeletionUndoneAndRedone) {
    TDesignerFixture f;
    std::vector<std::string> states{f.Xml()};
    // A band from the bands menu.
    H::ClickMenuItem(BandItem(*f.Form, "PageFooterMI"));
    ASSERT_NE(dynamic_cast<TfrxReportPage*>(f.Report->Pages(0))->FindBand(TfrxPageFooter::StaticClass()), nullptr);
    states.push_back(f.Xml());
    // The title dragged a centimetre and a half to the right.
    TfrxComponent* title = f.Find("TitleMemo");
    const double left = title->Left();
    f.Select({title});
    Drag(*f.Form, title, 45, 0);
    ASSERT_GT(title->Left(), left + 30);
    states.push_back(f.Xml());
    // A memo deleted.
    f.Select({f.Find("Memo3")});
    f.Form->DeleteCmdExecute(nullptr);
    ASSERT_EQ(f.Find("Memo3"), nullptr);
    states.push_back(f.Xml());
    EXPECT_TRUE(f.Form->UndoCmd->Enabled());
    EXPECT_FALSE(f.Form->RedoCmd->Enabled());

    for (int i = static_cast<int>(states.size()) - 2; i >= 0; --i) {
        f.Form->UndoCmdExecute(nullptr);
        EXPECT_EQ(f.Xml(), states[static_cast<size_t>(i)]) << "undo to state " << i;
        EXPECT_TRUE(f.Form->RedoCmd->Enabled());
    }
    EXPECT_FALSE(f.Form->UndoCmd->Enabled());
    // The views hold the report's objects as they are now.
    EXPECT_EQ(f.Form->Page(), f.Report->Pages(0));
    EXPECT_EQ(f.Form->Objects().back(), f.Report->Pages(0));
    for (size_t i = 1; i < states.size(); ++i) {
        f.Form->RedoCmdExecute(nullptr);
        EXPECT_EQ(f.Xml(), states[i]) << "redo to state " << i;
    }
    EXPECT_FALSE(f.Form->RedoCmd->Enabled());
    // A new change after an undo drops what could be redone.
    f.Form->UndoCmdExecute(nullptr);
    f.Select({f.Find("Memo2")});
    f.Form->DeleteCmdExecute(nullptr);
    EXPECT_FALSE(f.Form->RedoCmd->Enabled());
    EXPECT_NE(f.Find("Memo3"), nullptr);
    EXPECT_TRUE(f.Harness.Errors().empty());
}

// An undo reads the whole report back: every object is a new one. The report tree, the
// inspector's object list and the selection hold only objects of the report as it is now,
// and a node picked in the tree with the mouse selects the object read back.
TEST(DesignerUndo, TheViewsHoldTheObjectsReadBack) {
    TDesignerFixture f;
    TfrxComponent* title = f.Find("TitleMemo");
    f.Select({title});
    Drag(*f.Form, title, 30, 0);
    const std::string moved = f.Xml();
    // Ctrl+Z to the control holding the focus after a click on the page.
    H::Click(f.Form->Workspace, TPoint{5, 5});
    H::TypeKey(H::FocusedControl(), 'Z', ssCtrl);
    ASSERT_NE(f.Xml(), moved);
    ASSERT_NE(f.Find("TitleMemo"), nullptr);

    std::set<const TObject*> live{f.Report.get()};
    for (TfrxComponent* c : f.Report->AllObjects()) live.insert(c);
    const std::vector<TTreeNode*>& nodes = f.Form->ReportTree->Nodes();
    ASSERT_EQ(nodes.size(), live.size());
    for (TTreeNode* node : nodes) {
        auto* obj = static_cast<TfrxComponent*>(node->Data());
        ASSERT_TRUE(live.count(obj)) << node->Text();
        EXPECT_EQ(node->Text(), obj == f.Report.get() ? std::string("Report") : obj->Name());
    }
    TStringList* listed = f.Form->Inspector->ObjectsCB->Items();
    ASSERT_GT(listed->Count(), 0);
    for (int i = 0; i < listed->Count(); ++i) {
        EXPECT_TRUE(live.count(listed->Objects(i))) << (*listed)[i];
        EXPECT_EQ((*listed)[i].substr(0, (*listed)[i].find(':')),
                  static_cast<TfrxComponent*>(listed->Objects(i))->Name());
    }
    for (TfrxComponent* c : f.Form->SelectedObjects()) EXPECT_TRUE(live.count(c));

    TTreeNode* node = nullptr;
    for (TTreeNode* n : nodes)
        if (n->Text() == "Memo2") node = n;
    ASSERT_NE(node, nullptr);
    const TRect r = node->DisplayRect(true);
    H::Click(f.Form->ReportTree->Tree, TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    ASSERT_EQ(f.Form->SelectedObjects().size(), 1u);
    EXPECT_EQ(f.Form->SelectedObjects().front(), f.Find("Memo2"));
    EXPECT_TRUE(f.Harness.Errors().empty());
}

// A folder of its own, removed afterwards.
struct TTempDir {
    std::string Path;
    TTempDir() {
        char tmpl[] = "/tmp/designer_commands_XXXXXX";
        Path = mkdtemp(tmpl);
    }
    ~TTempDir() {
        std::error_code ec;
        fs::remove_all(Path, ec);
    }
};

// File > New Report, a field of a dataset dragged from the data tree onto the master data
// band (a text object bound to it, with its caption beside it), saved, opened in a new
// window: the same report.
TEST(DesignerNewReport, BuiltByCommandsAndFieldDropsSavedAndReopenedEqual) {
    TTempDir dir;
    const std::string file = dir.Path + "/new.bl3";
    TfrxUserDataSet customers(nullptr);
    customers.SetName("Customers");
    customers.SetUserName("客户");
    for (const char* field : {"姓名", "金额"}) customers.Fields()->Add(field);
    std::string saved;
    {
        TDesignerFixture f;
        f.Report->DataSets()->Add(&customers);
        f.Form->NewReportCmdExecute(nullptr);
        ASSERT_EQ(f.Report->PagesCount(), 1);
        EXPECT_EQ(f.Find("TitleMemo"), nullptr);
        EXPECT_FALSE(f.Form->UndoCmd->Enabled());
        // The data band to drop on.
        H::ClickMenuItem(BandItem(*f.Form, "MasterDataMI"));
        auto* band = dynamic_cast<TfrxMasterData*>(dynamic_cast<TfrxReportPage*>(f.Report->Pages(0))->FindBand(TfrxMasterData::StaticClass()));
        ASSERT_NE(band, nullptr);
        band->SetDataSet(&customers);
        // The datasets the report uses are offered in the data tree.
        f.Report->DataSets()->Add(&customers);
        f.Form->UpdateDataTree();
        TfrxDataTreeForm* dt = f.Form->DataTree;
        dt->InsCaptionCB->SetChecked(true);
        TTreeNode* field = nullptr;
        for (int i = 0; i < dt->DataTree->Items()->Count(); ++i)
            if (dt->DataTree->Items()->Item(i)->Text() == "金额") field = dt->DataTree->Items()->Item(i);
        ASSERT_NE(field, nullptr);
        dt->DataTree->SetSelected(field);
        ASSERT_EQ(dt->GetInsertText(), "<客户.\"金额\">");
        TDesignerWorkspace* ws = f.Form->Workspace;
        const int x = static_cast<int>(300 * f.Form->Scale());
        // The dropped text's corner goes 8 pixels above and left of the mouse.
        const int y = static_cast<int>((band->AbsTop() + 2) * f.Form->Scale()) + 8;
        bool accept = false;
        ws->OnDragOver(ws, dt->DataTree, x, y, dsDragMove, accept);
        ASSERT_TRUE(accept);
        ws->OnDragDrop(ws, dt->DataTree, x, y);
        // The field's text object on the band, bound to the field; its caption above it.
        auto* value = dynamic_cast<TfrxMemoView*>(f.Find("Memo2"));
        auto* caption = dynamic_cast<TfrxMemoView*>(f.Find("Memo3"));
        ASSERT_TRUE(value && caption);
        EXPECT_EQ(value->Parent(), band);
        EXPECT_EQ(value->Memo()->Strings(0), "[客户.\"金额\"]");
        EXPECT_EQ(value->DataSet(), &customers);
        EXPECT_EQ(value->DataField, "金额");
        EXPECT_EQ(caption->Memo()->Strings(0), "金额");
        EXPECT_NEAR(caption->AbsTop() + caption->Height(), value->AbsTop(), 0.01);
        EXPECT_EQ(f.Selection(), (std::vector<TfrxComponent*>{value, caption}));
        EXPECT_TRUE(f.Form->Modified());
        f.Harness.AnswerFile(file);
        f.Form->SaveAsCmdExecute(nullptr);
        EXPECT_FALSE(f.Form->Modified());
        saved = f.Xml();
        EXPECT_EQ(ReadFileBytes(file), saved);
    }
    TDesignerFixture g(false);
    g.Report->DataSets()->Add(&customers);
    g.Form->OpenReport(file);
    EXPECT_TRUE(g.Harness.Dialogs().empty());
    EXPECT_EQ(g.Xml(), saved);
    auto* memo = dynamic_cast<TfrxMemoView*>(g.Report->FindObject("Memo2"));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->DataSet(), &customers);
}

// A page deleted while it is the one shown: the first page is shown, its tab and objects
// with it, and undo brings the page back whole. A page made and then undone while shown
// leaves the window on a page that exists.
TEST(DesignerPages, TheCurrentPageDeletedOrUndone) {
    TDesignerFixture f;
    f.Form->NewPageCmdExecute(nullptr);
    ASSERT_EQ(f.Report->PagesCount(), 2);
    TfrxPage* second = f.Report->Pages(1);
    EXPECT_EQ(f.Form->Page(), second);
    EXPECT_TRUE(f.Form->DeletePageCmd->Enabled());
    auto* memo = new TfrxMemoView(second);
    memo->SetName("OnPage2");
    f.Form->ReloadObjects();
    f.Form->SetModified(true);
    const std::string twoPages = f.Xml();

    f.Form->DeletePageCmdExecute(nullptr);
    ASSERT_EQ(f.Report->PagesCount(), 1);
    EXPECT_EQ(f.Form->Page(), f.Report->Pages(0));
    EXPECT_EQ(f.Form->Tab->Tabs()->Count(), 2);
    EXPECT_EQ(f.Form->Tab->TabIndex(), 1);
    EXPECT_EQ(f.Form->Workspace->Page, f.Report->Pages(0));
    EXPECT_EQ(f.Form->Objects().back(), f.Report->Pages(0));
    EXPECT_FALSE(f.Form->DeletePageCmd->Enabled());
    // The last page stays.
    f.Form->DeletePageCmdExecute(nullptr);
    EXPECT_EQ(f.Report->PagesCount(), 1);

    f.Form->UndoCmdExecute(nullptr);
    EXPECT_EQ(f.Xml(), twoPages);
    ASSERT_NE(f.Find("OnPage2"), nullptr);
    // Undo of the page's creation while it is shown.
    f.Form->ReloadPages(1);
    f.Form->UndoCmdExecute(nullptr);   // the memo
    f.Form->UndoCmdExecute(nullptr);   // the page
    EXPECT_EQ(f.Report->PagesCount(), 1);
    EXPECT_EQ(f.Form->Page(), f.Report->Pages(0));
    EXPECT_EQ(f.Form->Tab->Tabs()->Count(), 2);
    EXPECT_TRUE(f.Harness.Errors().empty());
}

// 10,000 objects on one page: the window opens on them, selects them all, deletes them as
// one step and undo brings them back.
TEST(DesignerLargeReport, TenThousandObjects) {
    TUiTestHarness harness;
    TTestSettingsDir settings;
    frxRegisterDesignerTexts();
    TfrxReport report(nullptr);
    auto* page = new TfrxReportPage(&report);
    page->SetName("Page1");
    page->SetDefaults();
    page->LargeDesignHeight = true;
    auto* band = new TfrxMasterData(page);
    band->SetName("MasterData1");
    band->SetBounds(0, 20, 718, 3000);
    for (int i = 0; i < 10000; ++i) {
        auto* m = new TfrxMemoView(band);
        m->SetName("M" + std::to_string(i + 1));
        m->SetBounds((i % 50) * 14, (i / 50) * 15, 13, 14);
    }
    auto form = std::make_unique<TfrxDesignerForm>(nullptr, &report, false);
    form->Show();
    H::ProcessMessages();
    EXPECT_EQ(form->Objects().size(), 10003u);   // the memos, the band, the report, the page
    form->SelectedObjects().assign(1, band);
    form->SelectAllCmdExecute(nullptr);
    EXPECT_EQ(form->SelectedObjects().size(), 10000u);
    EXPECT_EQ(form->StatusBar->Panels()->Items(2)->Text(), "");
    form->DeleteCmdExecute(nullptr);
    EXPECT_TRUE(band->ObjectList().empty());
    form->UndoCmdExecute(nullptr);
    ASSERT_NE(report.FindObject("MasterData1"), nullptr);
    EXPECT_EQ(dynamic_cast<TfrxComponent*>(report.FindObject("MasterData1"))->ObjectList().size(), 10000u);
    EXPECT_NE(report.FindObject("M10000"), nullptr);
    form.reset();
    EXPECT_TRUE(harness.Errors().empty());
}

}  // namespace

namespace {
// The tool windows stand in the dock sites under caption bars: the report tree dragged out
// by its bar floats in a window of its own and the inspector takes the whole site; dragged
// over the data tree's site and let go, it docks there below the data tree; the next
// window comes back with the layout the sites had.
TEST(DesignerDocking, ToolWindowsDragOutFloatAndDockElsewhere) {
    TDesignerFixture f;
    TfrxDesignerForm& d = *f.Form;
    ASSERT_EQ(frxDockSiteOf(d.ReportTree), d.LeftDockSite2);
    ASSERT_EQ(frxDockSiteOf(d.Inspector), d.LeftDockSite2);
    ASSERT_EQ(frxDockSiteOf(d.DataTree), d.RightDockSite);
    // The caption bar shows the window's caption, the window's own strip is hidden.
    EXPECT_FALSE(d.ReportTree->TitlePanel()->Visible());
    EXPECT_EQ(d.ReportTree->Text(), "报表树");
    auto* bar = dynamic_cast<TfrxDockHost*>(d.ReportTree->Parent());
    ASSERT_NE(bar, nullptr);
    H::MouseDown(bar, {30, 5});
    H::MouseMove(bar, {500, 300}, ssLeft);
    auto* floating = dynamic_cast<TfrxDockFloat*>(d.ReportTree->Parent());
    ASSERT_NE(floating, nullptr);
    EXPECT_TRUE(floating->Visible());
    EXPECT_EQ(d.LeftDockSite2->DockClientCount(), 1);
    EXPECT_EQ(d.Inspector->Parent()->Top(), 0);
    EXPECT_EQ(d.Inspector->Parent()->Height(), d.LeftDockSite2->ClientHeight());
    // The tree still follows the selection while it floats.
    f.Select({f.Find("Memo2")});
    ASSERT_NE(d.ReportTree->Tree->Selected(), nullptr);
    EXPECT_EQ(d.ReportTree->Tree->Selected()->Text(), "Memo2");
    // Over the right site.
    const TPoint over = d.RightDockSite->ClientToScreen(TPoint{20, d.RightDockSite->Height() - 20});
    H::MouseMove(floating, floating->ScreenToClient(over), ssLeft);
    H::MouseUp(floating, floating->ScreenToClient(over));
    H::ProcessMessages();
    ASSERT_EQ(frxDockSiteOf(d.ReportTree), d.RightDockSite);
    ASSERT_EQ(d.RightDockSite->DockClientCount(), 2);
    EXPECT_EQ(d.RightDockSite->DockClients(1), d.ReportTree);
    // The next window has the tree where this one left it.
    f.Form.reset();
    f.Open();
    EXPECT_EQ(frxDockSiteOf(f.Form->ReportTree), f.Form->RightDockSite);
    EXPECT_EQ(frxDockSiteOf(f.Form->Inspector), f.Form->LeftDockSite2);
    EXPECT_TRUE(f.Harness.Errors().empty());
}
}  // namespace

// Help > Help Contents and F1 open the designer's own help page, which the build puts into
// the folder "help" beside the program, with the desktop's browser; F1 is the window's
// shortcut wherever the focus is: on the page, in the code editor, in a tool-bar box.
TEST(DesignerHelp, F1AndHelpContentsOpenTheDesignersHelpPage) {
    TDesignerFixture f;
    TMenuItem* item = f.Form->HelpContentsMI;
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Parent(), f.Form->HelpMenu);
    EXPECT_EQ(item->Caption(), "帮助内容...");
    EXPECT_EQ(item->ShortCut(), ShortCut(VK_F1, 0));
    const std::string page = ExtractFilePath(ParamStr(0)) + "help/designer.html";
    ASSERT_TRUE(FileExists(page));
    EXPECT_EQ(frxDesignerHelpFile(), page);

    struct TCase {
        const char* Where;
        std::function<TWinControl*()> Focus;
    };
    const TCase cases[] = {
        {"the page", [&]() -> TWinControl* {
             H::Click(f.Form->Workspace, TPoint{400, 300});
             return f.Form->Workspace;
         }},
        {"a tool-bar box", [&]() -> TWinControl* {
             H::Click(f.Form->FontSizeCB);
             return f.Form->FontSizeCB;
         }},
        {"the code editor", [&]() -> TWinControl* {
             H::ClickTab(f.Form->Tab, 0);
             return f.Form->CodeWindow;
         }},
    };
    std::vector<std::string> expected;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Where);
        TWinControl* focused = c.Focus();
        H::TypeKey(focused, VK_F1);
        expected.push_back(page);
        EXPECT_EQ(f.Harness.ShellOpened(), expected);
    }
    H::ClickMenuItem(item);
    expected.push_back(page);
    EXPECT_EQ(f.Harness.ShellOpened(), expected);
    EXPECT_TRUE(f.Harness.DialogTexts().empty());

    // The page describes what the window's parts do, in Chinese like the rest of the help.
    std::ifstream in(page);
    std::stringstream text;
    text << in.rdbuf();
    for (const char* part : {"<meta charset=\"utf-8\">", "工具栏", "对象工具栏", "对象查看器", "报表树", "数据树",
                             "index.html"})
        EXPECT_NE(text.str().find(part), std::string::npos) << part;
}
