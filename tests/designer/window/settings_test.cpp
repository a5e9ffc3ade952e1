// The designer's settings in the report's settings store: the first run's defaults, what a
// closed window leaves for the next one, garbage in the store, and the options window
// opened from the window's menu changing the window.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>

#include <QWidget>
#include <QWindow>

#include "DesignerFixture.h"
#include "designer/code/SyntaxMemo.h"
#include "designer/controls/Ruler.h"
#include "designer/dialogs/OptionsEditor.h"
#include "designer/dialogs/TabOrderEditor.h"
#include "designer/inspector/ObjectInspector.h"
#include "designer/trees/DataTree.h"
#include "designer/trees/ReportTree.h"
#include "platform/rtl/Settings.h"
#include "platform/ui/Menus.h"
#include "platform/ui/QtPeer.h"
#include "platform/ui/StdCtrls.h"
#include "preview/FlatCombo.h"
#include "report/DialogControls.h"
#include "report/Resources.h"

namespace {
using H = TUiTestHarness;
constexpr const char* kSection = "Form.TfrxDesignerForm";
constexpr int kWindowColor = -16777211;

// What the window has in force, as the settings name it.
struct TSnapshot {
    double Scale;
    bool ShowGrid, GridAlign, ShowRulers, ShowGuides;
    double Grid1, Grid2, Grid3, Grid4;
    int Units;
    std::string ScriptFont;
    int ScriptSize;
    std::string MemoFont;
    int MemoSize;
    bool UseObjectFont;
    int WorkspaceColor, ToolsColor;
    bool GridLCD, EditAfterInsert, FreeBands;
    int BandsGap;
    bool ShowBandCaptions;
    std::vector<std::string> Recent;
};

TSnapshot Snap(TfrxDesignerForm& F) {
    return TSnapshot{F.Scale(), F.ShowGrid(), F.GridAlign(), F.ShowRulers(), F.ShowGuides(), F.Grid1, F.Grid2,
                     F.Grid3, F.Grid4, F.Units(), F.CodeWindow->Font()->Name(), F.CodeWindow->Font()->Size(),
                     F.MemoFontName, F.MemoFontSize, F.UseObjectFont, static_cast<int>(F.WorkspaceColor),
                     static_cast<int>(F.ToolsColor), F.Workspace->GridLCD, F.EditAfterInsert, F.Workspace->FreeBands,
                     F.Workspace->BandsGap, F.Workspace->ShowBandCaptions(), F.RecentFiles()};
}

void ExpectSame(const TSnapshot& A, const TSnapshot& B) {
    EXPECT_DOUBLE_EQ(A.Scale, B.Scale);
    EXPECT_EQ(A.ShowGrid, B.ShowGrid);
    EXPECT_EQ(A.GridAlign, B.GridAlign);
    EXPECT_EQ(A.ShowRulers, B.ShowRulers);
    EXPECT_EQ(A.ShowGuides, B.ShowGuides);
    EXPECT_DOUBLE_EQ(A.Grid1, B.Grid1);
    EXPECT_DOUBLE_EQ(A.Grid2, B.Grid2);
    EXPECT_DOUBLE_EQ(A.Grid3, B.Grid3);
    EXPECT_DOUBLE_EQ(A.Grid4, B.Grid4);
    EXPECT_EQ(A.Units, B.Units);
    EXPECT_EQ(A.ScriptFont, B.ScriptFont);
    EXPECT_EQ(A.ScriptSize, B.ScriptSize);
    EXPECT_EQ(A.MemoFont, B.MemoFont);
    EXPECT_EQ(A.MemoSize, B.MemoSize);
    EXPECT_EQ(A.UseObjectFont, B.UseObjectFont);
    EXPECT_EQ(A.WorkspaceColor, B.WorkspaceColor);
    EXPECT_EQ(A.ToolsColor, B.ToolsColor);
    EXPECT_EQ(A.GridLCD, B.GridLCD);
    EXPECT_EQ(A.EditAfterInsert, B.EditAfterInsert);
    EXPECT_EQ(A.FreeBands, B.FreeBands);
    EXPECT_EQ(A.BandsGap, B.BandsGap);
    EXPECT_EQ(A.ShowBandCaptions, B.ShowBandCaptions);
    EXPECT_EQ(A.Recent, B.Recent);
}

const TSnapshot kFirstRun{0.75, true, true, true, true, 0.1, 0.1, 4, 4, 0, "Courier New", 10, "Arial", 10, true,
                          kWindowColor, kWindowColor, false, true, false, 4, true, {}};

// The user picks Units in the options window.
void PickUnits(TDesignerFixture& F, int Units) {
    F.Harness.OnModal("TfrxOptionsEditor", [Units](TCustomForm& Form) {
        auto& w = dynamic_cast<TfrxOptionsEditor&>(Form);
        (Units == 0 ? w.CMRB : Units == 1 ? w.InchesRB : w.PixelsRB)->SetChecked(true);
        H::Click(w.OkB);
    });
    H::ClickMenuItem(F.Form->OptionsMI);
    EXPECT_EQ(F.Harness.PendingDrivers(), 0);
}

// Closes the fixture's window (its settings are written) and opens a new one on the report.
void Reopen(TDesignerFixture& F) {
    F.Form.reset();
    F.Open();
}

TEST(DesignerSettings, AFirstRunTakesTheBuiltInLayout) {
    TDesignerFixture f;
    ExpectSame(Snap(*f.Form), kFirstRun);
    EXPECT_EQ(f.Form->WindowState(), wsMaximized);
    EXPECT_EQ(f.Form->ScaleCB->Text(), "75%");
    EXPECT_EQ(f.Form->CurUnits(), 0);
}

// The window manager restores or maximises the window (its title bar's button, a double
// click on the title): the window system tells the window its new state, and the next
// window opens in that state, not in the one the window had when it was made.
TEST(DesignerSettings, TheStateTheWindowManagerGaveTheWindowComesBack) {
    TDesignerFixture f;
    ASSERT_EQ(f.Form->WindowState(), wsMaximized);
    // The window system's own screen: the harness's screen of a test's size maximises a
    // window by its bounds, which no window manager then restores.
    f.Harness.SetScreenSize(0, 0);
    Reopen(f);
    ASSERT_TRUE(WidgetOf(f.Form.get())->isMaximized());
    struct TCase {
        Qt::WindowState Given;
        TWindowState Expected;
    };
    for (const TCase& c : {TCase{Qt::WindowNoState, wsNormal}, TCase{Qt::WindowMaximized, wsMaximized}}) {
        SCOPED_TRACE(c.Expected == wsNormal ? "restored" : "maximised");
        QWindow* window = WidgetOf(f.Form.get())->windowHandle();
        ASSERT_NE(window, nullptr);
        window->setWindowState(c.Given);
        H::ProcessMessages();
        EXPECT_EQ(f.Form->WindowState(), c.Expected);
        Reopen(f);
        EXPECT_EQ(f.Form->WindowState(), c.Expected);
        EXPECT_EQ(WidgetOf(f.Form.get())->isMaximized(), c.Expected == wsMaximized);
    }
}

TEST(DesignerSettings, WhatTheWindowHadComesBackInTheNextOne) {
    TDesignerFixture f;
    TfrxDesignerOptions o = frxDesignerOptionsOf(*f.Form);
    o.Grid1 = 0.25;
    o.Grid2 = 0.5;
    o.Grid3 = 8;
    o.Grid4 = 6;
    o.ShowGrid = false;
    o.GridAlign = false;
    o.EditAfterInsert = false;
    o.ShowBandCaptions = false;
    o.FreeBands = true;
    o.BandsGap = 9;
    o.GridLCD = true;
    o.CodeFontName = "DejaVu Sans Mono";
    o.CodeFontSize = 12;
    o.MemoFontName = "SimSun";
    o.MemoFontSize = 14;
    o.UseObjectFont = false;
    o.WorkspaceColor = TColor(0x00F0E0);
    o.ToolsColor = TColor(0x102030);
    frxApplyDesignerOptions(*f.Form, o);
    PickUnits(f, 1);
    f.Form->SetScale(1.5);
    f.Form->SetShowRulers(false);
    f.Form->SetShowGuides(false);
    f.Form->AddRecentFile("/tmp/a, b.bl3");
    f.Form->AddRecentFile("/tmp/收据.bl3");
    const TSnapshot before = Snap(*f.Form);
    EXPECT_EQ(before.Units, 1);
    Reopen(f);
    ExpectSame(Snap(*f.Form), before);
    EXPECT_EQ(f.Form->CurUnits(), 1);
    EXPECT_NEAR(f.Form->Workspace->GridX, 0.5 * 96, 1e-9);
    EXPECT_EQ(f.Form->ScaleCB->Text(), "150%");
    EXPECT_FALSE(f.Form->TopRuler->Visible());
    EXPECT_FALSE(f.Form->ShowRulersMI->Checked());
    // The recent files are in the File menu again, the newest first.
    ASSERT_EQ(f.Form->RecentFiles().size(), 2u);
    EXPECT_EQ(f.Form->RecentFiles().back(), "/tmp/收据.bl3");
}

// What a store holds that is no setting reads as the default; nothing fails.
TEST(DesignerSettings, GarbageInTheStoreReadsAsTheDefaults) {
    struct TCase {
        const char* Key;
        const char* Value;
        std::function<void(TfrxDesignerForm&)> Check;
    };
    const std::vector<TCase> cases = {
        {"Grid3", "0", [](TfrxDesignerForm& F) { EXPECT_DOUBLE_EQ(F.Grid3, 4); }},
        {"Grid1", "-2", [](TfrxDesignerForm& F) { EXPECT_DOUBLE_EQ(F.Grid1, 0.1); }},
        {"Grid2", "nan", [](TfrxDesignerForm& F) { EXPECT_DOUBLE_EQ(F.Grid2, 0.1); }},
        {"Grid4", "1e300", [](TfrxDesignerForm& F) { EXPECT_DOUBLE_EQ(F.Grid4, 4); }},
        {"Units", "7", [](TfrxDesignerForm& F) { EXPECT_EQ(F.Units(), 0); }},
        {"Units", "pixels", [](TfrxDesignerForm& F) { EXPECT_EQ(F.Units(), 0); }},
        {"ScriptFontSize", "0", [](TfrxDesignerForm& F) { EXPECT_EQ(F.CodeWindow->Font()->Size(), 10); }},
        {"MemoFontSize", "-12", [](TfrxDesignerForm& F) { EXPECT_EQ(F.MemoFontSize, 10); }},
        {"BandsGap", "-3", [](TfrxDesignerForm& F) { EXPECT_EQ(F.Workspace->BandsGap, 4); }},
        {"BandsGap", "2000000000", [](TfrxDesignerForm& F) { EXPECT_EQ(F.Workspace->BandsGap, 4); }},
        {"ShowGrid", "maybe", [](TfrxDesignerForm& F) { EXPECT_TRUE(F.ShowGrid()); }},
        {"Scale", "1e308", [](TfrxDesignerForm& F) { EXPECT_DOUBLE_EQ(F.Scale(), 20); }},
        {"Scale", "-1", [](TfrxDesignerForm& F) { EXPECT_DOUBLE_EQ(F.Scale(), 1); }},
        {"RecentFiles", "\"unclosed,,,\"\"\"", [](TfrxDesignerForm& F) { EXPECT_LE(F.RecentFiles().size(), 8u); }},
    };
    for (const TCase& c : cases) {
        TDesignerFixture f;
        {
            auto ini = f.Report->GetIniFile();
            // Written as a window leaves them, then one value spoilt.
            f.Form.reset();
            ini->WriteString(kSection, c.Key, c.Value);
            ini->UpdateFile();
        }
        f.Open();
        c.Check(*f.Form);
        EXPECT_TRUE(f.Harness.Errors().empty()) << c.Key;
    }
}

// View > Toolbars item by its name.
TMenuItem* ToolbarItem(TfrxDesignerForm& F, const char* Name) {
    auto* m = dynamic_cast<TMenuItem*>(F.FindComponent(Name));
    EXPECT_NE(m, nullptr) << Name;
    return m;
}

// Which tool bars and tool windows show, and how wide the sites are, comes back; the
// first run hides the alignment palette and the wizards' bar.
TEST(DesignerSettings, TheLayoutOfBarsAndToolWindowsComesBack) {
    TDesignerFixture f;
    EXPECT_FALSE(f.Form->AlignTB->Visible());
    EXPECT_FALSE(f.Form->ExtraToolsTB->Visible());
    EXPECT_TRUE(f.Form->FrameTB->Visible());
    // The left site is as wide as the inspector needs for its names, at least the layout's
    // 159 pixels (DesignerUserInput.TheInspectorShowsItsNamesWhole).
    const int left = f.Form->LeftDockSite2->Width();
    EXPECT_GE(left, 159);
    EXPECT_EQ(f.Form->RightDockSite->Width(), 143);
    H::ClickMenuItem(ToolbarItem(*f.Form, "FrameMI"));
    H::ClickMenuItem(ToolbarItem(*f.Form, "AlignmentMI"));
    H::ClickMenuItem(ToolbarItem(*f.Form, "DataTreeMI"));
    f.Form->LeftDockSite2->SetWidth(260);
    // The inspector's caption bar moved up 40 pixels: the report tree above it is shorter.
    TControl* inspectorBar = f.Form->Inspector->Parent();
    const int treeHeight = f.Form->ReportTree->Parent()->Height() - 40;
    // The bar follows the pointer, so where the pointer goes is said in the site's
    // coordinates.
    TWinControl* site = f.Form->LeftDockSite2;
    const TPoint grip = site->ScreenToClient(inspectorBar->ClientToScreen({20, 5}));
    H::MouseDown(inspectorBar, {20, 5});
    H::MouseMove(site, {grip.X, grip.Y - 40}, ssLeft);
    H::MouseUp(site, {grip.X, grip.Y - 40});
    ASSERT_EQ(f.Form->ReportTree->Parent()->Height(), treeHeight);
    ASSERT_FALSE(f.Form->DataTree->Visible());
    Reopen(f);
    EXPECT_FALSE(f.Form->FrameTB->Visible());
    EXPECT_TRUE(f.Form->AlignTB->Visible());
    EXPECT_TRUE(f.Form->TextTB->Visible());
    EXPECT_FALSE(f.Form->DataTree->Visible());
    EXPECT_FALSE(f.Form->RightDockSite->Visible());
    EXPECT_TRUE(f.Form->Inspector->Visible());
    EXPECT_EQ(f.Form->LeftDockSite2->Width(), 260);
    EXPECT_EQ(f.Form->ReportTree->Parent()->Height(), treeHeight);
    // Restore defaults brings the tool windows back as they were first, the bars stay.
    f.Harness.OnModal("TfrxOptionsEditor", [](TCustomForm& Form) {
        H::Click(dynamic_cast<TfrxOptionsEditor&>(Form).RestoreDefaultsB);
    });
    H::ClickMenuItem(f.Form->OptionsMI);
    EXPECT_TRUE(f.Form->DataTree->Visible());
    EXPECT_EQ(f.Form->LeftDockSite2->Width(), left);
    EXPECT_EQ(f.Form->RightDockSite->Width(), 143);
    EXPECT_FALSE(f.Form->FrameTB->Visible());
}

// The inspector's two split lines.
TEST(DesignerSettings, TheInspectorsSplitsComeBack) {
    TDesignerFixture f;
    ASSERT_NE(f.Form->Inspector, nullptr);
    f.Form->Inspector->SplitPos = 90;
    f.Form->Inspector->SetSplit1Pos(80);
    Reopen(f);
    EXPECT_EQ(f.Form->Inspector->SplitPos, 90);
    EXPECT_EQ(f.Form->Inspector->GetSplit1Pos(), 80);
    // Split lines that are none: the defaults.
    f.Form.reset();
    {
        auto ini = f.Report->GetIniFile();
        ini->WriteInteger("Form.TfrxObjectInspector", "SplitPos", -5);
        ini->WriteInteger("Form.TfrxObjectInspector", "Split1Pos", 99999);
        ini->UpdateFile();
    }
    f.Open();
    EXPECT_GT(f.Form->Inspector->SplitPos, 0);
    EXPECT_EQ(f.Form->Inspector->GetSplit1Pos(), 65);
}

// A settings file that is no ini file at all: the window starts as on a first run.
TEST(DesignerSettings, AStoreOfJunkGivesTheFirstRun) {
    TDesignerFixture f;
    f.Form.reset();
    std::string junk;
    for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 7919 + 13) % 256);
    junk += "\n[Software\\Quirewell\\Form.TfrxDesignerForm\nScale=\n[[[\n=5\n";
    {
        std::ofstream out(RegistryFileName(), std::ios::binary | std::ios::trunc);
        out << junk;
    }
    f.Open();
    ExpectSame(Snap(*f.Form), kFirstRun);
    EXPECT_TRUE(f.Harness.Errors().empty());
}

// More recent files than the menu holds: the newest eight are kept.
TEST(DesignerSettings, ALongRecentListKeepsTheNewestEight) {
    TDesignerFixture f;
    f.Form.reset();
    {
        auto ini = f.Report->GetIniFile();
        std::string list;
        for (int i = 1; i <= 20; ++i) list += (i > 1 ? "," : "") + std::string("/r/") + std::to_string(i) + ".bl3";
        ini->WriteFloat(kSection, "Scale", 1);
        ini->WriteString(kSection, "RecentFiles", list);
        ini->UpdateFile();
    }
    f.Open();
    ASSERT_EQ(f.Form->RecentFiles().size(), 8u);
    EXPECT_EQ(f.Form->RecentFiles().front(), "/r/13.bl3");
    EXPECT_EQ(f.Form->RecentFiles().back(), "/r/20.bl3");
}

// A dialog page puts pixels in force; the store keeps the user's own unit.
TEST(DesignerSettings, ClosingOnADialogPageStoresTheUsersUnit) {
    TDesignerFixture f;
    auto* dialog = new TfrxDialogPage(f.Report.get());
    dialog->SetName("DialogPage1");
    f.Form->ReloadPages(0);
    PickUnits(f, 1);
    EXPECT_EQ(f.Form->Units(), 1);
    f.Form->SetPage(dialog);
    EXPECT_EQ(f.Form->CurUnits(), 2);
    f.Form.reset();
    EXPECT_EQ(f.Report->GetIniFile()->ReadInteger(kSection, "Units", -1), 1);
}

TEST(DesignerSettings, APreviewDesignerStoresNothing) {
    TDesignerFixture f(true, true);
    f.Form->SetScale(2);
    f.Form.reset();
    EXPECT_EQ(f.Report->GetIniFile()->ReadFloat(kSection, "Scale", 0), 0);
}

// --- The options window from the window's menu ----------------------------------------------------

TEST(DesignerOptionsCommand, OkPutsTheEditedOptionsInForce) {
    TDesignerFixture f;
    ASSERT_TRUE(f.Form->OptionsMI->Enabled());
    f.Harness.OnModal("TfrxOptionsEditor", [](TCustomForm& Form) {
        auto& w = dynamic_cast<TfrxOptionsEditor&>(Form);
        EXPECT_TRUE(w.CMRB->Checked());
        EXPECT_EQ(w.CodeWindowFontCB->Text(), "Courier New");
        w.PixelsRB->SetChecked(true);
        w.PixelsE->SetText("8");
        w.ShowGridCB->SetChecked(false);
        w.BandsCaptionsCB->SetChecked(false);
        w.GapE->SetText("10");
        w.CodeWindowSizeCB->SetText("14");
        w.MemoEditorSizeCB->SetText("12");
        H::Click(w.OkB);
    });
    H::ClickMenuItem(f.Form->OptionsMI);
    EXPECT_EQ(f.Harness.PendingDrivers(), 0);
    EXPECT_EQ(f.Form->CurUnits(), 2);
    EXPECT_EQ(f.Form->Units(), 2);
    EXPECT_EQ(f.Form->StatusBar->Panels()->Items(0)->Text(), frxResources().Get("dsPix"));
    EXPECT_DOUBLE_EQ(f.Form->Workspace->GridX, 8);
    EXPECT_FALSE(f.Form->ShowGrid());
    EXPECT_FALSE(f.Form->ShowGridB->Down());
    EXPECT_FALSE(f.Form->Workspace->ShowBandCaptions());
    EXPECT_EQ(f.Form->Workspace->BandsGap, 10);
    EXPECT_EQ(f.Form->CodeWindow->Font()->Size(), 14);
    EXPECT_EQ(f.Form->MemoFontSize, 12);
    // And they outlive the window.
    Reopen(f);
    EXPECT_EQ(f.Form->Units(), 2);
    EXPECT_EQ(f.Form->CodeWindow->Font()->Size(), 14);
}

// On a dialog page the unit stays; the dialog grid is put in force on the page at once.
TEST(DesignerOptionsCommand, OnADialogPageTheDialogGridTakesEffect) {
    TDesignerFixture f;
    auto* dialog = new TfrxDialogPage(f.Report.get());
    dialog->SetName("DialogPage1");
    f.Form->ReloadPages(1);
    ASSERT_EQ(f.Form->Page(), dialog);
    f.Harness.OnModal("TfrxOptionsEditor", [](TCustomForm& Form) {
        auto& w = dynamic_cast<TfrxOptionsEditor&>(Form);
        EXPECT_FALSE(w.CMRB->Enabled());
        EXPECT_FALSE(w.CME->Enabled());
        w.DialogFormE->SetText("8");
        H::Click(w.OkB);
    });
    H::ClickMenuItem(f.Form->OptionsMI);
    EXPECT_DOUBLE_EQ(f.Form->Grid4, 8);
    EXPECT_DOUBLE_EQ(f.Form->Workspace->GridX, 8);
    EXPECT_EQ(f.Form->CurUnits(), 2);
    EXPECT_EQ(f.Form->Units(), 0);
}

TEST(DesignerOptionsCommand, CancelChangesNothing) {
    TDesignerFixture f;
    const TSnapshot before = Snap(*f.Form);
    f.Harness.OnModal("TfrxOptionsEditor", [](TCustomForm& Form) {
        auto& w = dynamic_cast<TfrxOptionsEditor&>(Form);
        w.InchesRB->SetChecked(true);
        w.ShowGridCB->SetChecked(false);
        H::Click(w.CancelB);
    });
    H::ClickMenuItem(f.Form->OptionsMI);
    ExpectSame(Snap(*f.Form), before);
}

TEST(DesignerOptionsCommand, RestoreDefaultsPutsTheBuiltInOptionsInForce) {
    TDesignerFixture f;
    TfrxDesignerOptions o = frxDesignerOptionsOf(*f.Form);
    o.ShowGrid = false;
    o.CodeFontSize = 16;
    o.BandsGap = 20;
    frxApplyDesignerOptions(*f.Form, o);
    f.Form->SetScale(2);
    f.Form->AddRecentFile("/tmp/kept.bl3");
    f.Harness.OnModal("TfrxOptionsEditor", [](TCustomForm& Form) {
        H::Click(dynamic_cast<TfrxOptionsEditor&>(Form).RestoreDefaultsB);
    });
    H::ClickMenuItem(f.Form->OptionsMI);
    TSnapshot expected = kFirstRun;
    expected.Recent = {"/tmp/kept.bl3"};   // the files worked on stay
    ExpectSame(Snap(*f.Form), expected);
    EXPECT_EQ(f.Form->ScaleCB->Text(), "75%");
}

// On request (ROVE_SCREENSHOTS names a folder) the window and the whole screen are saved.
void Screenshot(TCustomForm* Form, const std::string& Name) {
    const char* dir = std::getenv("ROVE_SCREENSHOTS");
    if (!dir) return;
    const std::string base = std::string(dir) + "/" + Name;
    H::ProcessMessages();
    EXPECT_TRUE(H::SaveScreenshot(Form, base + ".png"));
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (std::getenv("DISPLAY") && (!platform || std::string(platform) != "offscreen")) {
        EXPECT_EQ(std::system(("import -window root " + base + "_screen.png").c_str()), 0);
    }
}

// The options window opened over a window whose unit, zoom and grid the user changed
// shows those values.
TEST(DesignerOptionsCommand, TheWindowShowsTheDesignersValues) {
    TDesignerFixture f;
    H::DblClick(f.Form->StatusBar, TPoint{20, 8});   // inches
    H::Wheel(f.Form->ScrollBox, 120, TPoint{4, 100}, ssCtrl);   // 100 %, beside the sheet
    f.Form->SetShowGrid(false);
    f.Form->SetShowRulers(false);
    EXPECT_EQ(f.Form->ScaleCB->Text(), "100%");
    Screenshot(f.Form.get(), "designer_changed");
    f.Harness.OnModal("TfrxOptionsEditor", [](TCustomForm& Form) {
        auto& w = dynamic_cast<TfrxOptionsEditor&>(Form);
        EXPECT_TRUE(w.InchesRB->Checked());
        EXPECT_FALSE(w.ShowGridCB->Checked());
        EXPECT_TRUE(w.AlignGridCB->Checked());
        EXPECT_TRUE(w.EditAfterInsCB->Checked());
        EXPECT_EQ(w.CodeWindowSizeCB->Text(), "10");
        EXPECT_EQ(w.MemoEditorFontCB->Text(), "Arial");
        EXPECT_EQ(w.GapE->Text(), "4");
        Screenshot(&Form, "designer_options");
        H::Click(w.CancelB);
    });
    H::ClickMenuItem(f.Form->OptionsMI);
    EXPECT_EQ(f.Harness.PendingDrivers(), 0);
}

// The tab order window orders the current dialog page's controls; OK marks the report
// modified.
TEST(DesignerTabOrderCommand, OrdersTheDialogPagesControls) {
    TDesignerFixture f;
    auto* dialog = new TfrxDialogPage(f.Report.get());
    dialog->SetName("DialogPage1");
    for (const char* name : {"Edit1", "Edit2"}) {
        auto* e = new TfrxEditControl(dialog);
        e->SetName(name);
    }
    f.Form->ReloadPages(1);
    ASSERT_EQ(f.Form->Page(), dialog);
    ASSERT_TRUE(f.Form->TabOrderMI->Enabled());
    f.Harness.OnModal("TfrxTabOrderEditorForm", [](TCustomForm& Form) {
        auto& w = dynamic_cast<TfrxTabOrderEditorForm&>(Form);
        ASSERT_EQ(w.ControlsLB->Items()->Count(), 2);
        w.ControlsLB->SetItemIndex(1);
        H::Click(w.UpB);
        H::Click(w.OkB);
    });
    H::ClickMenuItem(f.Form->TabOrderMI);
    EXPECT_EQ(f.Harness.PendingDrivers(), 0);
    EXPECT_EQ(dialog->Objects(0)->Name(), "Edit2");
    EXPECT_EQ(dialog->Objects(1)->Name(), "Edit1");
    EXPECT_TRUE(f.Form->Modified());
}

}  // namespace
