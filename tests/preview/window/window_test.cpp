// The preview window over prepared pages built in the test: the preview options applied
// to the tool bar, the zoom box, page navigation with the page box and the status bar,
// modal and modeless showing through the report, and the flat combo boxes' geometry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/classes/Streaming.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Format.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "report/DesignRegistries.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "preview/Dock.h"
#include "preview/FlatCombo.h"
#include "preview/Preview.h"
#include "preview/PreviewForm.h"
#include "WindowFixture.h"
#include "report/Bands.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PreviewPages.h"
#include "report/Printer.h"
#include "report/Report.h"

namespace {

// Lets the posted zoom-box rewrite run (a timer of one millisecond).
void RunPosted(const TfrxPreviewForm& Form) {
    TUiTestHarness::ElapseTime(1);
    EXPECT_FALSE(Form.ZoomUpdatePending());
}

TfrxPreviewButtons AllBut(const std::vector<TfrxPreviewButton>& Out) {
    TfrxPreviewButtons b = TfrxPreviewOptions().Buttons;
    for (TfrxPreviewButton x : Out) b.Exclude(x);
    return b;
}

}  // namespace

TEST(PreviewWindow, ButtonsFollowThePreviewOptions) {
    struct Case {
        const char* Name;
        std::vector<TfrxPreviewButton> Out;   // a vector: an initializer_list member would dangle
        std::vector<const char*> Hidden;
        std::vector<const char*> Freed;
    };
    const std::vector<Case> cases = {
        {"all", {}, {}, {}},
        {"no zoom", {pbZoom}, {"ZoomWholePageB", "ZoomPageWidthB", "Zoom100B", "Zoom50B", "Sep3"}, {"Sep1"}},
        {"no outline, no page setup", {pbOutline, pbPageSetup}, {"OutlineB", "PageSettingsB"}, {"Sep2"}},
        {"outline only", {pbPageSetup}, {"PageSettingsB"}, {}},
        {"no tools", {pbTools}, {"HandToolB", "ZoomToolB"}, {"Sep5"}},
        {"no edit", {pbEdit}, {"NewPageB", "DelPageB", "DesignerB"}, {"Sep7"}},
        {"no navigator", {pbNavigator}, {"FirstB", "PriorB", "NextB", "LastB", "Sep4"}, {"Sep6"}},
        {"no files", {pbPrint, pbLoad, pbSave, pbExport, pbFind}, {"PrintB", "OpenB", "SaveB", "ExportB", "FindB"}, {}},
    };
    const std::vector<const char*> all = {"PrintB", "OpenB", "SaveB", "ExportB", "FindB", "ZoomWholePageB",
                                          "ZoomPageWidthB", "Zoom100B", "Zoom50B", "Sep3", "OutlineB",
                                          "PageSettingsB", "HandToolB", "ZoomToolB", "NewPageB", "DelPageB",
                                          "DesignerB", "FirstB", "PriorB", "NextB", "LastB", "Sep4"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TWindow w(2, AllBut(c.Out));
        for (const char* name : all) {
            auto* b = dynamic_cast<TToolButton*>(w.Form->FindComponent(name));
            ASSERT_NE(b, nullptr) << name;
            const bool hidden = std::find_if(c.Hidden.begin(), c.Hidden.end(), [&](const char* h) {
                                    return std::string(h) == name;
                                }) != c.Hidden.end();
            EXPECT_EQ(b->Visible(), !hidden) << name;
        }
        for (const char* sep : {"Sep1", "Sep2", "Sep5", "Sep6", "Sep7"}) {
            const bool freed = std::find_if(c.Freed.begin(), c.Freed.end(), [&](const char* f) {
                                   return std::string(f) == sep;
                               }) != c.Freed.end();
            EXPECT_EQ(w.Form->FindComponent(sep) == nullptr, freed) << sep;
        }
        EXPECT_EQ(w.Form->ZoomPanel->Visible(), !std::count(c.Out.begin(), c.Out.end(), pbZoom));
        EXPECT_EQ(w.Form->PagePanel->Visible(), !std::count(c.Out.begin(), c.Out.end(), pbNavigator));
    }
}

TEST(PreviewWindow, OptionsAndTextsOnInit) {
    TPreparedReport r(3);
    TfrxPreviewOptions* o = r.Report.PreviewOptions();
    o->AllowEdit = false;
    o->OutlineVisible = true;
    o->ShowCaptions = true;
    o->Zoom = 1.5;
    r.Report.ReportOptions()->Name = "门诊收费日报";
    TfrxPreviewForm form(nullptr);
    form.Preview->Report = &r.Report;
    form.Preview->PreviewPages = r.Pages;
    form.Init();
    EXPECT_EQ(form.Text(), "门诊收费日报");
    EXPECT_FALSE(form.NewPageB->Enabled());
    EXPECT_FALSE(form.DelPageB->Enabled());
    EXPECT_FALSE(form.DesignerB->Enabled());
    EXPECT_TRUE(form.OutlineB->Down());
    EXPECT_TRUE(form.Preview->OutlineVisible());
    EXPECT_TRUE(form.ToolBar->ShowCaptions());
    EXPECT_EQ(form.ZoomCB->Text(), "150%");
    EXPECT_EQ(form.PrintB->Text(), "打印");
    EXPECT_EQ(form.DelPageB->Hint(), "删除页");
    EXPECT_EQ(form.CancelB->Text(), "关闭");
    const std::vector<std::string> items = {"25%", "50%", "75%", "100%", "150%", "200%", "页宽", "整页"};
    ASSERT_EQ(form.ZoomCB->Items()->Count(), 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(form.ZoomCB->Items()->Strings(i), items[i]);
    EXPECT_EQ(form.ExportPopup->Items()->Count(), frxExportFilters().Count());
}

TEST(PreviewWindow, ZoomBoxTextsAndChoices) {
    struct Case {
        const char* Typed;
        int Index;          // -1: typed text
        double Zoom;        // 0: a fit mode, checked by ZoomMode
        TfrxZoomMode Mode;
        const char* Shown;  // the box after the posted rewrite; empty: computed from the zoom
    };
    const std::vector<Case> cases = {
        {"150 %", -1, 1.5, zmDefault, "150%"},
        {"75%", -1, 0.75, zmDefault, "75%"},
        {"5", -1, 0.25, zmDefault, "25%"},
        {"12,5", -1, 0.25, zmDefault, "25%"},
        {"", 6, 0, zmPageWidth, ""},
        {"", 7, 0, zmWholePage, ""},
    };
    TWindow w(3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Typed);
        w.Form->Preview->SetZoom(1.0);
        if (c.Index >= 0) {
            w.Form->ZoomCB->ItemPicked(c.Index);
        } else {
            w.Form->ZoomCB->SetText(c.Typed);
            w.Form->SetActiveControl(w.Form->ZoomCB);
            uint16_t key = VK_RETURN;
            w.Form->FormKeyDown(w.Form.get(), key, 0);
            EXPECT_EQ(key, 0);
        }
        EXPECT_TRUE(w.Form->ZoomUpdatePending());
        RunPosted(*w.Form);
        EXPECT_FALSE(w.Form->ZoomUpdatePending());
        if (c.Zoom > 0) EXPECT_DOUBLE_EQ(w.Form->Preview->Zoom(), c.Zoom);
        else EXPECT_EQ(w.Form->Preview->ZoomMode(), c.Mode);
        const std::string expected =
            *c.Shown ? c.Shown : std::to_string(static_cast<long>(std::nearbyint(w.Form->Preview->Zoom() * 100))) + "%";
        EXPECT_EQ(w.Form->ZoomCB->Text(), expected);
    }
    // Text that is no number: the conversion error, the zoom kept, the box put right.
    w.Form->Preview->SetZoom(0.5);
    w.Form->ZoomCB->SetText("abc");
    EXPECT_THROW(w.Form->ZoomCBClick(nullptr), std::exception);
    RunPosted(*w.Form);
    EXPECT_DOUBLE_EQ(w.Form->Preview->Zoom(), 0.5);
    EXPECT_EQ(w.Form->ZoomCB->Text(), "50%");
    // Typed as a user types it: the error says in words what the box wants.
    w.R.Harness.ClearDialogs();
    TUiTestHarness::Click(w.Form->ZoomCB, TPoint{10, 8});
    TWinControl* box = TUiTestHarness::FocusedControl();
    ASSERT_NE(box, nullptr);
    TUiTestHarness::TypeKey(box, VK_END);
    for (int i = 0; i < 4; ++i) TUiTestHarness::TypeKey(box, VK_BACK);
    TUiTestHarness::TypeText(box, "c");
    TUiTestHarness::TypeKey(box, VK_RETURN);
    RunPosted(*w.Form);
    EXPECT_EQ(w.R.Harness.DialogTexts(), std::vector<std::string>{"\"c\" 不是有效的缩放比例，请输入数字，例如 150%"});
    EXPECT_DOUBLE_EQ(w.Form->Preview->Zoom(), 0.5);
    // The buttons write the box at once.
    TUiTestHarness::Click(w.Form->Zoom100B);
    EXPECT_EQ(w.Form->ZoomCB->Text(), "100%");
}

TEST(PreviewWindow, NavigationUpdatesPageBoxAndStatusBar) {
    TWindow w(5);
    EXPECT_EQ(w.Form->PageE->Text(), "1");
    EXPECT_EQ(w.Status(0), "第 1 页 共 5 页");
    struct Step {
        TToolButton* TfrxPreviewForm::*Button;
        int Page;
    };
    const std::vector<Step> steps = {{&TfrxPreviewForm::NextB, 2}, {&TfrxPreviewForm::LastB, 5},
                                     {&TfrxPreviewForm::NextB, 5}, {&TfrxPreviewForm::PriorB, 4},
                                     {&TfrxPreviewForm::FirstB, 1}, {&TfrxPreviewForm::PriorB, 1}};
    for (const Step& s : steps) {
        TUiTestHarness::Click((*w.Form).*s.Button);
        EXPECT_EQ(w.Form->Preview->PageNo(), s.Page);
        EXPECT_EQ(w.Form->PageE->Text(), std::to_string(s.Page));
        EXPECT_EQ(w.Status(0), "第 " + std::to_string(s.Page) + " 页 共 5 页");
    }
    // A page typed in the box and Enter; a number past the end goes to the last page.
    for (auto [typed, page] : std::vector<std::pair<std::string, int>>{{"3", 3}, {"9", 5}}) {
        w.Form->PageE->SetText(typed);
        w.Form->SetActiveControl(w.Form->PageE);
        uint16_t key = VK_RETURN;
        w.Form->FormKeyDown(w.Form.get(), key, 0);
        EXPECT_EQ(w.Form->Preview->PageNo(), page);
        EXPECT_EQ(w.Form->PageE->Text(), std::to_string(page));
    }
    w.Form->PageE->SetText("x");
    EXPECT_THROW(w.Form->PageEClick(nullptr), std::exception);
    EXPECT_EQ(w.Form->Preview->PageNo(), 5);
}

TEST(PreviewWindow, ToolsOutlineAndNoPrinter) {
    TWindow w(2);
    TUiTestHarness::Click(w.Form->ZoomToolB);
    EXPECT_EQ(w.Form->Preview->Tool(), ptZoom);
    TUiTestHarness::Click(w.Form->HandToolB);
    EXPECT_EQ(w.Form->Preview->Tool(), ptHand);
    TUiTestHarness::Click(w.Form->OutlineB);
    EXPECT_EQ(w.Form->Preview->OutlineVisible(), w.Form->OutlineB->Down());
    if (frxPrinters().HasPhysicalPrinters()) GTEST_SKIP() << "a printer is installed here";
    w.R.Harness.ClearDialogs();
    TUiTestHarness::Click(w.Form->PrintB);
    ASSERT_EQ(w.R.Harness.DialogTexts().size(), 1u);
    EXPECT_EQ(w.R.Harness.DialogTexts()[0], "系统未安装打印机");
    // The preview's own print (keyboard, program) says the same in the library's box.
    w.R.Harness.ClearDialogs();
    w.Form->Preview->Print();
    EXPECT_EQ(w.R.Harness.DialogTexts(), std::vector<std::string>{"系统未安装打印机"});
    EXPECT_EQ(w.R.Harness.DialogCaptions(), std::vector<std::string>{"错误"});
}

// With no export filter the export menu is empty: a click on the button, or on its arrow,
// shows no menu, and the next click on the tool bar acts at once.
TEST(PreviewWindow, AnEmptyExportMenuShowsNothing) {
    ASSERT_EQ(frxExportFilters().Count(), 0);
    TWindow w(3);
    TToolButton* e = w.Form->ExportB;
    int next = 2;
    for (TPoint at : {TPoint{e->Width() - 4, e->Height() / 2}, TPoint{6, e->Height() / 2}}) {
        TUiTestHarness::Click(e, at);
        TUiTestHarness::ProcessMessages();
        TUiTestHarness::Click(w.Form->NextB);
        EXPECT_EQ(w.Form->Preview->PageNo(), next) << at.X;
        ++next;
    }
    EXPECT_EQ(w.R.Harness.Errors(), std::vector<std::string>{});
    w.R.Harness.ClearDialogs();
}

TEST(PreviewWindow, EscClosesTheIdleWindow) {
    TWindow w(2);
    ASSERT_TRUE(w.Form->Visible());
    uint16_t key = VK_ESCAPE;
    w.Form->FormKeyDown(w.Form.get(), key, 0);
    TUiTestHarness::ProcessMessages();
    EXPECT_FALSE(w.Form->Visible());
}

TEST(PreviewWindow, ModalThroughShowReport) {
    TPreparedReport r(4);
    r.Report.PreviewOptions()->Modal = true;
    std::string status, caption;
    int pages = 0;
    r.Harness.OnModal("TfrxPreviewForm", [&](TCustomForm& F) {
        auto& form = dynamic_cast<TfrxPreviewForm&>(F);
        // The report's run starts from its timer once the window's loop runs; it is
        // driven here (unless it already ran), so the run happens exactly once whatever
        // the machine's speed. The run adds its page after the four kept ones.
        if (r.Report.Timer()->Enabled()) TUiTestHarness::FireTimer(r.Report.Timer());
        TUiTestHarness::Click(form.NextB);
        status = form.StatusBar->Panels()->Items(0)->Text();
        pages = form.Preview->PageCount();
        caption = form.Text();
        TUiTestHarness::Click(form.CancelB);
    });
    r.Report.ShowReport(false);
    EXPECT_TRUE(r.Harness.Errors().empty());
    EXPECT_EQ(r.Harness.PendingDrivers(), 0);
    EXPECT_EQ(pages, 5);
    EXPECT_EQ(status, "第 2 页 共 5 页");
    EXPECT_EQ(caption, "预览");
    EXPECT_EQ(r.Report.PreviewForm(), nullptr);
    EXPECT_EQ(r.Pages->Count(), 5);
}

TEST(PreviewWindow, ModelessFreesItselfOnClose) {
    TPreparedReport r(2);
    r.Report.PreviewOptions()->Modal = false;
    r.Report.ShowPreparedReport();
    auto* form = dynamic_cast<TfrxPreviewForm*>(r.Report.PreviewForm());
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->FreeOnClose);
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(form->Preview->PageCount(), 2);
    form->Close();
    TUiTestHarness::ProcessMessages();
    EXPECT_EQ(r.Report.PreviewForm(), nullptr);
}

TEST(PreviewWindow, Screenshot) {
    TWindow w(3);
    w.Form->SetBounds(0, 0, 760, 620);
    w.Form->Preview->SetZoom(0.75);
    TUiTestHarness::ProcessMessages();
    EXPECT_TRUE(TUiTestHarness::SaveScreenshot(w.Form.get(), "/tmp/previewwin-window.png"));
}

// --- Flat combo boxes ---------------------------------------------------------------------

TEST(FlatCombo, Geometry) {
    struct Case {
        int W, H, Indent;
        TRect Edit;
        TPoint Arrow;
    };
    // ButtonWidth 11: arrow x = round(5.5) + W - 15 = 6 + W - 15 (5.5 rounds to 6, even);
    // y = round((H - 4) / 2) + 1 with 8.5 rounding to 8 and 7.5 to 8.
    const std::vector<Case> cases = {
        {100, 21, 0, {3, 3, 85, 18}, {91, 9}},
        {100, 22, 0, {3, 3, 85, 19}, {91, 10}},
        {150, 21, 16, {19, 3, 135, 18}, {141, 9}},
        {60, 19, 0, {3, 3, 45, 16}, {51, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.W * 100 + c.H);
        const TRect e = frxComboEditRect(c.W, c.H, 11, c.Indent);
        EXPECT_EQ(e.Left, c.Edit.Left);
        EXPECT_EQ(e.Top, c.Edit.Top);
        EXPECT_EQ(e.Right, c.Edit.Right);
        EXPECT_EQ(e.Bottom, c.Edit.Bottom);
        const TPoint a = frxComboArrowOrigin(c.W, c.H, 11);
        EXPECT_EQ(a.X, c.Arrow.X);
        EXPECT_EQ(a.Y, c.Arrow.Y);
        const TRect b = frxComboButtonRect(c.W, c.H, 11);
        EXPECT_EQ(b.Left, c.W - 13);
        EXPECT_EQ(b.Right, c.W - 2);
    }
}

TEST(FlatCombo, DropListPlacement) {
    struct Case {
        const char* Name;
        int ListWidth, Items, DropDownCount, ScreenH;
        int W, H, Top;
        bool Up;
    };
    // The control at (10, 100) - (110, 121), item height 16, font height 16.
    const std::vector<Case> cases = {
        {"list width 0", 0, 3, 8, 1000, 99, 52, 121, false},
        {"own list width", 140, 3, 8, 1000, 140, 52, 121, false},
        {"more items than shown", 0, 20, 8, 1000, 99, 132, 121, false},
        {"empty list", 0, 0, 8, 1000, 99, 20, 121, false},
        {"no drop-down count", 0, 5, 0, 1000, 99, 20, 121, false},
        {"near the bottom", 0, 20, 8, 200, 99, 132, 100 - 132 - 2, true},
        {"just fits", 0, 3, 8, 100 + 16 + 52 + 6, 99, 52, 121, false},
        {"one pixel short", 0, 3, 8, 100 + 16 + 52 + 5, 99, 52, 100 - 52 - 2, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const TfrxDropListPlacement p =
            frxDropListPlacement(TRect{10, 100, 110, 121}, c.ListWidth, 16, c.Items, c.DropDownCount, 16, c.ScreenH);
        EXPECT_EQ(p.Width, c.W);
        EXPECT_EQ(p.Height, c.H);
        EXPECT_EQ(p.Top, c.Top);
        EXPECT_EQ(p.DroppedUp, c.Up);
    }
}

TEST(FlatCombo, ComboEditEnterReachesTheDefaultButton) {
    TUiTestHarness h;
    frxRegisterFlatCombos();
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* edit = new TfrxComboEdit(&form);
    edit->SetParent(&form);
    edit->SetBounds(10, 10, 150, 21);
    auto* ok = new TButton(&form);
    ok->SetParent(&form);
    ok->SetBounds(10, 100, 75, 25);
    ok->SetDefault(true);
    int clicks = 0, buttonClicks = 0;
    ok->OnClick = [&](TObject*) { ++clicks; };
    edit->OnButtonClick = [&](TObject* Sender) {
        EXPECT_EQ(Sender, edit);
        ++buttonClicks;
    };
    form.Show();
    TUiTestHarness::ProcessMessages();
    // The button over the right end of the box, (Height - 4) square.
    EXPECT_EQ(edit->ButtonPanel()->Left(), 10 + 150 - 21 + 2);
    EXPECT_EQ(edit->ButtonPanel()->Top(), 12);
    EXPECT_EQ(edit->ButtonPanel()->Width(), 17);
    // The typed text stops before the button (the field narrowed to Width - Height - 4),
    // also after the box was made wider.
    // The field starts within the box's frame (at most 3 pixels in).
    ASSERT_GE(edit->TextRight(), 0);
    EXPECT_GE(edit->TextRight(), 150 - 21 - 4);
    EXPECT_LE(edit->TextRight(), 150 - 21 - 4 + 3);
    edit->SetBounds(10, 10, 220, 21);
    TUiTestHarness::ProcessMessages();
    EXPECT_GE(edit->TextRight(), 220 - 21 - 4);
    EXPECT_LE(edit->TextRight(), 220 - 21 - 4 + 3);
    TUiTestHarness::TypeKey(edit, VK_RETURN);
    EXPECT_EQ(clicks, 1);
    TUiTestHarness::Click(edit->Button());
    EXPECT_EQ(buttonClicks, 1);
    edit->SetEnabled(false);
    EXPECT_FALSE(edit->Button()->Enabled());
}

TEST(FlatCombo, RecentFonts) {
    const std::vector<TfrxFontSlot> families = {{"宋体", 4}, {"Arial", 4}, {"Courier", 0}, {"黑体", 4},
                                                {"Tahoma", 4}, {"Verdana", 4}, {"Fixed", 0}};
    auto names = [](const TfrxFontList& l, int n) {
        std::vector<std::string> r;
        for (int i = 0; i < n; ++i) r.push_back(l.Items()[static_cast<size_t>(i)].Name);
        return r;
    };
    auto indexOf = [](const TfrxFontList& l, const std::string& n) {
        for (size_t i = 0; i < l.Items().size(); ++i)
            if (l.Items()[i].Name == n && static_cast<int>(i) > l.MRUCount()) return static_cast<int>(i);
        return -1;
    };
    // A stale slot (a font no longer installed) is dropped and emptied.
    std::vector<TfrxFontSlot> slots = {{"Tahoma", 4}, {"Gone", 4}, {"Arial", 4}, {}, {}};
    TfrxFontList l;
    l.Populate(families, slots);
    EXPECT_EQ(l.MRUCount(), 1);
    EXPECT_EQ(names(l, 2), (std::vector<std::string>{"Tahoma", "Arial"}));
    EXPECT_EQ(slots[1].Name, "");
    EXPECT_EQ(l.Items().size(), families.size() + 2);
    // Choosing a font in the block moves it to the top without a copy.
    l.Choose(1, slots);
    EXPECT_EQ(l.MRUCount(), 1);
    EXPECT_EQ(names(l, 2), (std::vector<std::string>{"Arial", "Tahoma"}));
    EXPECT_EQ(slots[0].Name, "Arial");
    // New fonts up to five, then a sixth drops the oldest.
    for (const char* f : {"Courier", "Fixed", "Verdana", "宋体"}) l.Choose(indexOf(l, f), slots);
    EXPECT_EQ(l.MRUCount(), 4);
    EXPECT_EQ(names(l, 5), (std::vector<std::string>{"宋体", "Verdana", "Fixed", "Courier", "Arial"}));
    EXPECT_EQ(slots[4].Name, "Arial");
    EXPECT_EQ(slots[4].Type, 4);
    EXPECT_EQ(l.Items().size(), families.size() + 5);
    // Without a recent block the first family is recorded too.
    std::vector<TfrxFontSlot> empty;
    TfrxFontList f;
    f.Populate(families, empty);
    ASSERT_EQ(f.MRUCount(), -1);
    const std::string first = f.Items()[0].Name;
    f.Choose(0, empty);
    EXPECT_EQ(f.MRUCount(), 0);
    EXPECT_EQ(empty[0].Name, first);
}

// The zoom box's items picked with the mouse: a click on the box's arrow opens the list,
// a click on an item zooms to it (a percentage, the page's width, the whole page) and the
// box shows the zoom.
TEST(PreviewWindow, TheZoomBoxTakesTheItemClicked) {
    TWindow w(3);
    TfrxComboBox* box = w.Form->ZoomCB;
    struct {
        int Index;
        double Zoom;   // 0: a fit mode
        TfrxZoomMode Mode;
    } cases[] = {{0, 0.25, zmDefault}, {6, 0, zmPageWidth}, {4, 1.5, zmDefault}, {7, 0, zmWholePage}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Index);
        w.Form->Preview->SetZoom(1.0);
        RunPosted(*w.Form);
        TUiTestHarness::Click(box, Point(box->Width() - 4, box->Height() / 2));
        ASSERT_TRUE(box->DroppedDown());
        TUiTestHarness::ClickDropDownItem(box, c.Index);
        RunPosted(*w.Form);
        EXPECT_FALSE(box->DroppedDown());
        if (c.Zoom > 0) EXPECT_DOUBLE_EQ(w.Form->Preview->Zoom(), c.Zoom);
        else EXPECT_EQ(w.Form->Preview->ZoomMode(), c.Mode);
        EXPECT_EQ(box->Text(), std::to_string(static_cast<long>(std::nearbyint(w.Form->Preview->Zoom() * 100))) + "%");
    }
    EXPECT_TRUE(w.R.Harness.Errors().empty());
}

// The zoom box as a user fills it: a click into its field leaves the caret there and
// changes nothing, what is typed replaces its text, and Enter zooms to it ("150" is
// 150 %); the box then shows the zoom.
TEST(PreviewWindow, TheZoomBoxTakesWhatIsTyped) {
    TWindow w(3);
    w.Form->Preview->SetZoom(1.0);
    RunPosted(*w.Form);
    TfrxComboBox* box = w.Form->ZoomCB;
    TUiTestHarness::Click(box, Point(box->Width() - 20, box->Height() / 2));
    ASSERT_EQ(TUiTestHarness::FocusedControl(), box);
    EXPECT_DOUBLE_EQ(w.Form->Preview->Zoom(), 1.0);
    TUiTestHarness::TypeKey(box, VK_END);
    for (size_t i = box->Text().size(); i > 0; --i) TUiTestHarness::TypeKey(box, VK_BACK);
    TUiTestHarness::TypeText(box, "150");
    EXPECT_EQ(box->Text(), "150");
    TUiTestHarness::TypeKey(box, VK_RETURN);
    RunPosted(*w.Form);
    EXPECT_DOUBLE_EQ(w.Form->Preview->Zoom(), 1.5);
    EXPECT_EQ(box->Text(), "150%");
    EXPECT_TRUE(w.R.Harness.Errors().empty());
}

// A form resource of the application can hold a preview: its class is registered, and its
// Align and OutlineVisible are read from the text and written back.
TEST(PreviewControl, AFormResourceHoldsAPreview) {
    TUiTestHarness h;
    frxRegisterPreviewForm();
    RegisterClasses({TForm::StaticClass()});
    const char* text =
        "object ReportForm: TForm\n"
        "  Width = 400\n"
        "  Height = 300\n"
        "  object Preview1: TfrxPreview\n"
        "    Left = 0\n"
        "    Top = 0\n"
        "    Width = 400\n"
        "    Height = 300\n"
        "    Align = alClient\n"
        "    OutlineVisible = False\n"
        "  end\n"
        "end\n";
    std::unique_ptr<TComponent> form(CreateComponentFromText(text, nullptr, "report.dfm"));
    ASSERT_NE(form, nullptr);
    auto* preview = dynamic_cast<TfrxPreview*>(form->FindComponent("Preview1"));
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->Align(), alClient);
    EXPECT_FALSE(preview->OutlineVisible());
    preview->SetOutlineVisible(true);
    const std::string written = WriteComponentToText(form.get());
    EXPECT_NE(written.find("Align = alClient"), std::string::npos) << written;
    EXPECT_EQ(written.find("OutlineVisible"), std::string::npos) << written;   // the default
    preview->SetOutlineVisible(false);
    std::unique_ptr<TComponent> again(CreateComponentFromText(WriteComponentToText(form.get()), nullptr));
    auto* copy = dynamic_cast<TfrxPreview*>(again->FindComponent("Preview1"));
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(copy->OutlineVisible());
    EXPECT_EQ(copy->Align(), alClient);
}

// --- The page count during a run -----------------------------------------------------------

namespace {

// The count a status text shows: "第 1 页 共 N 页" in the last pass, "第一遍: 页 N" in the
// first; -1 for any other text.
int ShownCount(const std::string& Status, bool& FirstPass) {
    const std::string first = "第一遍: 页 ";
    FirstPass = Status.rfind(first, 0) == 0;
    if (FirstPass) return StrToIntDef(Status.substr(first.size()), -1);
    const std::string of = "第 1 页 共 ";
    if (Status.rfind(of, 0) != 0) return -1;
    return StrToIntDef(Status.substr(of.size(), Status.size() - of.size() - std::string(" 页").size()), -1);
}

// A report of Count pages, PerPage bands of one memo each: ten bands fill a page.
void AddRunPage(TfrxReport& Report, int PerPage, int Count) {
    auto* page = new TfrxReportPage(&Report);
    page->SetName("Page1");
    page->TopMargin = page->BottomMargin = 10;   // 1047 pixels: ten bands a page
    auto* band = new TfrxMasterData(page);
    band->SetName("MasterData1");
    band->SetBounds(0, 0, 300, 100);
    band->SetRowCount(PerPage * Count);
    auto* memo = new TfrxMemoView(band);
    memo->SetName("Memo1");
    memo->SetBounds(0, 0, 280, 40);
    memo->SetText("[Line]");
}

// The preview window over the report's pages, shown, as ShowReport makes it before a run.
std::unique_ptr<TfrxPreviewForm> ShowRunPreview(TfrxReport& Report) {
    auto form = std::make_unique<TfrxPreviewForm>(nullptr);
    form->Preview->Report = &Report;
    form->Preview->PreviewPages = Report.PreviewPages();
    form->Init();
    form->Show();
    TUiTestHarness::ProcessMessages();
    return form;
}

// Restores the real tick count when the test ends, also on a failed assertion.
struct TTicks {
    uint32_t Now = 0;
    TTicks() {
        SetTickCountSource([this] { return Now; });
    }
    ~TTicks() { SetTickCountSource(nullptr); }
};

}  // namespace

// A long run in the window: the status bar's page count follows the pages as they are
// made, refreshed every 50, 20 or 5 pages as the first page took under 5, under 10 or
// 10 ms and more (the run's ticks are the test's, so the interval is the same on any
// machine), in the first pass and the last; after the run it shows the whole count.
TEST(PreviewWindow, TheStatusBarFollowsTheCountDuringARun) {
    struct Case {
        uint32_t MsPerPage;
        int Interval;
    };
    constexpr int PerPage = 10, Count = 240;
    for (const Case& c : std::vector<Case>{{1, 50}, {7, 20}, {12, 5}}) {
        SCOPED_TRACE(c.MsPerPage);
        TUiTestHarness harness;
        TTicks ticks;
        frxRegisterPreviewPages();
        frxRegisterPreviewForm();
        TfrxReport report(nullptr);
        report.EngineOptions()->SilentMode = true;
        report.EngineOptions()->DoublePass = true;
        AddRunPage(report, PerPage, Count);
        std::unique_ptr<TfrxPreviewForm> form = ShowRunPreview(report);

        // Per row: the pages made so far and the count the status bar shows.
        int worstLag[2] = {0, 0}, shownAtEnd[2] = {0, 0};
        std::set<int> shown[2];
        report.OnBeforePrint = [&](TfrxReportComponent*) {
            const int made = report.PreviewPages()->Count();
            ticks.Now = static_cast<uint32_t>(made) * c.MsPerPage;
            bool firstPass = false;
            const int n = ShownCount(form->StatusBar->Panels()->Items(0)->Text(), firstPass);
            if (made < 3 || n < 0) return;
            const int pass = firstPass ? 0 : 1;
            EXPECT_LE(n, made);
            worstLag[pass] = std::max(worstLag[pass], made - n);
            shown[pass].insert(n);
            shownAtEnd[pass] = n;
        };
        ASSERT_TRUE(report.PrepareReport());
        ASSERT_EQ(report.PreviewPages()->Count(), Count);
        for (int pass : {0, 1}) {
            SCOPED_TRACE(pass == 0 ? "first pass" : "last pass");
            // The count moved along with the run, never more than an interval behind.
            EXPECT_LE(worstLag[pass], c.Interval + 1);
            EXPECT_GE(static_cast<int>(shown[pass].size()), Count / c.Interval - 2);
            EXPECT_GE(shownAtEnd[pass], Count - c.Interval - 1);
        }
        EXPECT_EQ(form->StatusBar->Panels()->Items(0)->Text(), "第 1 页 共 240 页");
        EXPECT_EQ(form->PageE->Text(), "1");
        form.reset();
    }
}

// Between its refreshes a run lets the window answer once 10 ms have gone by since it last
// did (the run's ticks are the test's): Esc typed while the run makes its fifth page stops
// it at the next answer, at once when pages are slow, after a few fast pages, and at the
// next refresh when the clock stands still. A run that goes to its end leaves the window
// showing all of it: the layout of every page, the scroll range to the last, the count.
TEST(PreviewWindow, ARunAnswersTheWindowBetweenItsRefreshes) {
    struct Case {
        uint32_t MsPerPage;
        bool Esc;
        int LeastPages, MostPages;
    };
    constexpr int PerPage = 10, Count = 120;
    for (const Case& c : std::vector<Case>{{12, true, 5, 7},
                                           {1, true, 5, 5 + TfrxPreview::AnswerInterval + 2},
                                           {0, true, 50, 52},
                                           {1, false, Count, Count}}) {
        SCOPED_TRACE(testing::Message() << c.MsPerPage << " ms a page" << (c.Esc ? ", Esc" : ""));
        TUiTestHarness harness;
        TTicks ticks;
        frxRegisterPreviewPages();
        frxRegisterPreviewForm();
        TfrxReport report(nullptr);
        report.EngineOptions()->SilentMode = true;
        AddRunPage(report, PerPage, Count);
        std::unique_ptr<TfrxPreviewForm> form = ShowRunPreview(report);
        bool posted = false;
        report.OnBeforePrint = [&](TfrxReportComponent*) {
            const int made = report.PreviewPages()->Count();
            ticks.Now = static_cast<uint32_t>(made) * c.MsPerPage;
            if (c.Esc && made == 5 && !posted) {
                TUiTestHarness::PostKey(VK_ESCAPE);
                posted = true;
            }
        };
        report.PrepareReport();
        const int pages = report.PreviewPages()->Count();
        EXPECT_GE(pages, c.LeastPages);
        EXPECT_LE(pages, c.MostPages);
        EXPECT_FALSE(form->Preview->Running());
        EXPECT_TRUE(form->Visible()) << "Esc during the run stops the run, not the window";
        TfrxPreviewWorkspace* ws = form->Preview->Workspace();
        EXPECT_EQ(ws->PageList().Count(), pages);
        const TSize bounds = ws->PageList().GetMaxBounds(ws->ClientWidth(), form->Preview->Zoom());
        EXPECT_EQ(ws->VertRange(), bounds.cy + 10);
        EXPECT_EQ(form->StatusBar->Panels()->Items(0)->Text(), "第 1 页 共 " + std::to_string(pages) + " 页");
        TUiTestHarness::ProcessMessages();
        form.reset();
    }
}
