// Dialog pages and their controls: the page shown before the report runs, its controls
// typed into and clicked through the ui harness, OK going on with what was entered,
// Cancel (or a script that fails) producing no pages; the controls' state, window
// parents, names and storage.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../ReportBuilders.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/Forms.h"
#include "platform/ui/UiTest.h"
#include "report/Bands.h"
#include "report/DialogControls.h"
#include "report/Engine.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PreviewPages.h"
#include "report/Report.h"

namespace {

// A dialog page asking for a name (Edit1) with OK and Cancel, and a report page whose
// one row prints the name.
struct TDialogReport {
    std::unique_ptr<TfrxReport> Report = NewSilentReport();
    TfrxDialogPage* Dialog = AddDialogPage(Report.get(), 300, 160);
    TfrxEditControl* Edit = AddNamed<TfrxEditControl>(Dialog, "Edit1", 16, 16, 200, 21);
    TfrxButtonControl* Ok = AddDialogButton(Dialog, "OkButton", "确定", mrOk, 16, 80);
    TfrxButtonControl* Cancel = AddDialogButton(Dialog, "CancelButton", "取消", mrCancel, 100, 80);

    TDialogReport() {
        Dialog->SetCaption("输入姓名");
        AddOneRowMemoPage(Report.get(), 300, "[Edit1.Text]")->SetBounds(0, 0, 200, 20);
    }
    void Script(const std::string& Text) { Report->ScriptText()->SetText(Text); }
    std::string PrintedText() { return PrintedMemoText(Report.get()); }
};

class DialogPages : public testing::Test {
protected:
    void TearDown() override {
        EXPECT_TRUE(Harness.Errors().empty()) << Harness.Errors().front();
        EXPECT_EQ(Harness.PendingDrivers(), 0);
    }
    TUiTestHarness Harness;
};

TEST_F(DialogPages, OkGoesOnWithWhatWasEntered) {
    TDialogReport r;
    Harness.OnModal("TfrxDialogForm", [&](TCustomForm& form) {
        TUiTestHarness::TypeText(r.Edit->Edit(), "张三");
        // DIALOG_SCREENSHOT=<file.png> keeps a picture of the dialog for a look.
        if (const char* file = std::getenv("DIALOG_SCREENSHOT")) TUiTestHarness::SaveScreenshot(&form, file);
        TUiTestHarness::Click(r.Ok->Button());
    });
    ASSERT_TRUE(r.Report->PrepareReport()) << r.Report->Errors()->Text();
    EXPECT_EQ(r.Report->PreviewPages()->Count(), 1);
    EXPECT_EQ(r.PrintedText(), "张三");
}

TEST_F(DialogPages, CancelProducesNoPages) {
    TDialogReport r;
    Harness.OnModal("TfrxDialogForm", [&](TCustomForm&) { TUiTestHarness::Click(r.Cancel->Button()); });
    r.Report->PrepareReport();
    EXPECT_EQ(r.Report->PreviewPages()->Count(), 0);
    EXPECT_FALSE(r.Report->Engine()->Running);
}

// The page's and the controls' script events run while the dialog is up.
TEST_F(DialogPages, ScriptEventsRun) {
    TDialogReport r;
    r.Dialog->OnActivate = "DialogPage1OnActivate";
    r.Ok->OnClick = "OkButtonOnClick";
    r.Script(
        "procedure DialogPage1OnActivate(Sender: TfrxComponent);\r\n"
        "begin\r\n  Edit1.SetFocus;\r\n  Edit1.Text := 'from activate';\r\nend;\r\n"
        "procedure OkButtonOnClick(Sender: TfrxComponent);\r\n"
        "begin\r\n  Edit1.Text := Edit1.Text + ' and click';\r\nend;\r\n"
        "begin\r\nend.");
    std::string whenShown;
    Harness.OnModal("TfrxDialogForm", [&](TCustomForm&) {
        TUiTestHarness::ProcessMessages();
        whenShown = r.Edit->Text();
        TUiTestHarness::Click(r.Ok->Button());
    });
    ASSERT_TRUE(r.Report->PrepareReport()) << r.Report->Errors()->Text();
    EXPECT_EQ(whenShown, "from activate");
    EXPECT_EQ(r.PrintedText(), "from activate and click");
}

// A script that fails in a dialog event ends the dialog and the run: its message is in
// the report's errors and no page is made.
TEST_F(DialogPages, FailingScriptEndsTheRunWithItsError) {
    TDialogReport r;
    r.Ok->OnClick = "OkButtonOnClick";
    r.Script(
        "procedure OkButtonOnClick(Sender: TfrxComponent);\r\n"
        "begin\r\n  RaiseException('名字不能为空');\r\nend;\r\n"
        "begin\r\nend.");
    Harness.OnModal("TfrxDialogForm", [&](TCustomForm&) { TUiTestHarness::Click(r.Ok->Button()); });
    EXPECT_FALSE(r.Report->PrepareReport());
    EXPECT_NE(r.Report->Errors()->Text().find("名字不能为空"), std::string::npos) << "[" << r.Report->Errors()->Text() << "]";
    EXPECT_EQ(r.Report->PreviewPages()->Count(), 0);
}

// A program may run the dialog pages itself (the engine's OnRunDialogs): no window comes up,
// what it puts in the controls prints, and its Cancel ends the run without pages.
TEST_F(DialogPages, TheProgramRunsTheDialogsItself) {
    for (const int result : {mrOk, mrCancel}) {
        TDialogReport r;
        auto* engine = dynamic_cast<TfrxEngine*>(r.Report->Engine());
        ASSERT_NE(engine, nullptr);
        std::vector<std::string> run;
        engine->OnRunDialogs = [&](TfrxDialogPage* Page) {
            run.push_back(Page->Name());
            r.Edit->SetText("李四");
            Page->SetModalResult(result);
        };
        const bool prepared = r.Report->PrepareReport();
        EXPECT_EQ(run, std::vector<std::string>{"DialogPage1"}) << result;
        EXPECT_TRUE(Harness.Dialogs().empty());
        if (result == mrOk) {
            ASSERT_TRUE(prepared) << r.Report->Errors()->Text();
            EXPECT_EQ(r.PrintedText(), "李四");
        } else {
            EXPECT_EQ(r.Report->PreviewPages()->Count(), 0);
        }
    }
}

TEST(DialogControls, StateGoesToTheWrappedControl) {
    TfrxDialogPage page(nullptr);
    auto* group = new TfrxGroupBoxControl(&page);
    auto* box = new TfrxCheckBoxControl(group);
    box->SetBounds(40.4, 10.6, 97, 17);
    EXPECT_EQ(box->Control()->Left(), 40);
    EXPECT_EQ(box->Control()->Top(), 11);
    // The control sits in its holder's window; moved to the page, in the page's window.
    EXPECT_EQ(box->Control()->Parent(), group->Control());
    EXPECT_EQ(group->Control()->Parent(), page.Form());
    box->SetParent(&page);
    EXPECT_EQ(box->Control()->Parent(), page.Form());
    box->SetEnabled(false);
    EXPECT_FALSE(box->Control()->Enabled());
    box->SetVisible(false);
    EXPECT_FALSE(box->Control()->Visible());
    EXPECT_EQ(box->BaseName(), "CheckBox");
    EXPECT_EQ(group->BaseName(), "GroupBox");
}

// The controls' properties go through report XML.
TEST(DialogControls, GoThroughReportXml) {
    std::string xml;
    {
        TfrxReport report(nullptr);
        auto* page = new TfrxDialogPage(&report);
        page->SetName("DialogPage1");
        auto* combo = new TfrxComboBoxControl(page);
        combo->SetName("ComboBox1");
        combo->Items()->SetText("内科\r\n外科\r\n");
        combo->SetStyle(csDropDownList);
        combo->SetItemIndex(1);
        auto* button = new TfrxButtonControl(page);
        button->SetName("Button1");
        button->SetCaption("确定");
        button->SetModalResult(mrOk);
        button->OnClick = "Button1OnClick";
        TStringStream s;
        report.SaveToStream(s);
        xml = s.DataString();
    }
    TfrxReport back(nullptr);
    TStringStream in(xml);
    back.LoadFromStream(in);
    auto* combo = dynamic_cast<TfrxComboBoxControl*>(back.FindObject("ComboBox1"));
    ASSERT_NE(combo, nullptr) << xml;
    EXPECT_EQ(combo->Items()->Count(), 2);
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "外科");
    auto* button = dynamic_cast<TfrxButtonControl*>(back.FindObject("Button1"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Caption(), "确定");
    EXPECT_EQ(button->ModalResult(), mrOk);
    EXPECT_EQ(button->OnClick, "Button1OnClick");
    auto* page = dynamic_cast<TfrxDialogPage*>(back.FindObject("DialogPage1"));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(button->Control()->Parent(), page->Form());
}

// In the designer a control draws the picture of its control at its place.
TEST(DialogControls, DrawsThePictureOfItsControl) {
    TfrxDialogPage page(nullptr);
    auto* button = new TfrxButtonControl(&page);
    button->SetBounds(10, 10, 75, 25);
    button->SetCaption("确定");
    TBitmap bitmap;
    bitmap.SetSize(120, 60);
    bitmap.Canvas()->Brush()->SetColor(clWhite);
    bitmap.Canvas()->FillRect(TRect{0, 0, 120, 60});
    button->Draw(bitmap.Canvas(), 3, 3, 100, 100);   // scale and offset are not applied
    EXPECT_EQ(bitmap.Canvas()->Pixel(5, 5), clWhite);
    EXPECT_NE(bitmap.Canvas()->Pixel(12, 12), clWhite);
    EXPECT_EQ(bitmap.Canvas()->Pixel(100, 50), clWhite);
}

}  // namespace
