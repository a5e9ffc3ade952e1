// Showing and designing: the preview window prepared by the timer while it is up (modal
// and modeless), an attached preview control, the designer's wait loop around a disabled
// window, the page a report without pages gets, and the preview-page mode.
#include <gtest/gtest.h>

#include "RunFixtures.h"
#include "platform/ui/UiTest.h"

namespace {

class ReportShow : public testing::Test {
protected:
    ReportShow() {
        auto* page = new TfrxRunTestPage(&Report);
        page->SetName("Page1");
        auto* memo = new TfrxRunTestMemo(page);
        memo->SetName("Memo1");
        memo->Memo()->SetText("1 + 1");
    }
    ~ReportShow() override { Application->ProcessMessages(); }

    TUiTestHarness Harness;
    TRunServices Services;
    TfrxReport Report{nullptr};
};

// Modal: the window is up before the report is prepared; the timer prepares it inside
// the window's loop, into pages that ShowReport cleared; the window is freed afterwards.
TEST_F(ReportShow, ModalPreviewIsPreparedByTheTimer) {
    TFakePreviewPages& pages = *PagesOf(Report);
    pages.AddPage(nullptr);
    pages.AddPage(nullptr);
    int runsWhenShown = -1, pagesWhenShown = -1, inits = 0;
    bool prepared = false, linked = false;
    Harness.OnModal("TFakePreviewForm", [&](TCustomForm& form) {
        auto& f = static_cast<TFakePreviewForm&>(form);
        runsWhenShown = EngineOf(Report)->Runs;
        pagesWhenShown = pages.Count();
        inits = f.Inits + static_cast<TFakePreview*>(f.PreviewControl())->Inits;
        linked = f.PreviewControl()->Report == &Report && f.PreviewControl()->PreviewPages == &pages &&
                 Report.PreviewForm() == &f;
        prepared = ProcessUntil([&] { return EngineOf(Report)->Runs == 1; });
        form.SetModalResult(mrOk);
    });
    Report.ShowReport();
    EXPECT_EQ(runsWhenShown, 0);
    EXPECT_EQ(pagesWhenShown, 0);
    EXPECT_EQ(inits, 1) << "the window is initialised, not its control";
    EXPECT_TRUE(linked);
    EXPECT_TRUE(prepared);
    EXPECT_EQ(EngineOf(Report)->Output, std::vector<std::string>{"Memo1=2"});
    EXPECT_EQ(pages.Count(), 1);
    EXPECT_EQ(TFakePreviewForm::Alive, 0);
    EXPECT_EQ(Report.PreviewForm(), nullptr);
    EXPECT_FALSE(Report.Timer()->Enabled());
    EXPECT_TRUE(Harness.Errors().empty());
}

// An engine run that gives up (a dialog page cancelled) closes the window the report
// opened.
TEST_F(ReportShow, FailedRunClosesThePreviewWindow) {
    EngineOf(Report)->RunResult = false;
    int result = -1;
    Harness.OnModal("TFakePreviewForm", [&](TCustomForm& form) {
        ProcessUntil([&] { return EngineOf(Report)->Runs == 1; });
        result = form.ModalResult();
    });
    Report.ShowReport();
    EXPECT_EQ(result, mrCancel);
    EXPECT_TRUE(Harness.Errors().empty());
    EXPECT_EQ(TFakePreviewForm::Alive, 0);
}

// Closed at once: nothing is prepared later for a window that is gone. (On a busy machine
// the timer may already have fired while the window came up; only a run after the close
// counts.)
TEST_F(ReportShow, ModalPreviewClosedAtOnceLeavesNoPendingRun) {
    int runsAtClose = -1;
    Harness.OnModal("TFakePreviewForm", [&](TCustomForm& form) {
        runsAtClose = EngineOf(Report)->Runs;
        form.SetModalResult(mrCancel);
    });
    Report.ShowReport();
    ProcessUntil([] { return false; });
    ASSERT_GE(runsAtClose, 0);
    EXPECT_EQ(EngineOf(Report)->Runs, runsAtClose);
    EXPECT_FALSE(Report.Timer()->Enabled());
}

// Modeless: ShowReport returns at once; the window frees itself when closed and the
// report forgets it.
TEST_F(ReportShow, ModelessPreviewFreesItselfWhenClosed) {
    Report.PreviewOptions()->Modal = false;
    Report.ShowReport();
    TfrxCustomPreviewForm* form = Report.PreviewForm();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->FreeOnClose);
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(ProcessUntil([&] { return EngineOf(Report)->Runs == 1; }));
    form->Close();
    EXPECT_TRUE(ProcessUntil([] { return TFakePreviewForm::Alive == 0; }));
    EXPECT_EQ(Report.PreviewForm(), nullptr);
}

// A modeless window still open goes with its report.
TEST(ReportShowLifetime, ReportFreesItsPreviewWindow) {
    TUiTestHarness harness;
    TRunServices services;
    {
        TfrxReport report(nullptr);
        report.PreviewOptions()->Modal = false;
        report.ShowReport();
        EXPECT_EQ(TFakePreviewForm::Alive, 1);
    }
    EXPECT_EQ(TFakePreviewForm::Alive, 0);
    Application->ProcessMessages();
}

TEST_F(ReportShow, AttachedPreviewControlInsteadOfAWindow) {
    auto* preview = new TFakePreview(nullptr);
    Report.SetPreview(preview);
    Report.ShowReport();
    EXPECT_EQ(TFakePreviewForm::Alive, 0);
    EXPECT_EQ(preview->Inits, 1);
    EXPECT_EQ(preview->Report, &Report);
    EXPECT_EQ(preview->PreviewPages, Report.PreviewPages());
    EXPECT_TRUE(ProcessUntil([&] { return EngineOf(Report)->Runs == 1; }));
    // The report forgets a control that goes away.
    delete preview;
    EXPECT_EQ(Report.Preview(), nullptr);
}

TEST(ReportShowWithoutPreview, RaisesAndLeavesTheTimerOff) {
    TUiTestHarness harness;
    TRunServices services(true, false, false);
    TfrxReport report(nullptr);
    EXPECT_THROW(report.ShowReport(), EfrxError);
    EXPECT_FALSE(report.Timer()->Enabled());
    EXPECT_THROW(report.ShowPreparedReport(), EfrxError);
}

// --- Designer -----------------------------------------------------------------------------

class ReportDesign : public testing::Test {
protected:
    ReportDesign() {
        Window.SetCaption("收费");
        Window.Show();
        Screen->SetActiveForm(&Window);
        TFakeDesigner::Modify = false;
        TFakeDesigner::FreeItself = false;
    }
    ~ReportDesign() override {
        TFakeDesigner::FreeItself = false;
        Application->ProcessMessages();
    }

    TUiTestHarness Harness;
    TRunServices Services;
    TForm Window{nullptr};
    TfrxReport Report{nullptr};
};

TEST_F(ReportDesign, DesignerRunsWhileTheActiveWindowIsDisabled) {
    (new TfrxRunTestPage(&Report))->SetName("Receipt");
    Report.DesignReport();
    EXPECT_EQ(TFakeDesigner::Seen.Pages, 1);
    EXPECT_EQ(TFakeDesigner::Seen.FirstPage, "Receipt");
    EXPECT_FALSE(TFakeDesigner::Seen.Preview);
    EXPECT_FALSE(TFakeDesigner::Seen.ActiveFormEnabled);
    EXPECT_EQ(TFakeDesigner::Alive, 0);
    EXPECT_EQ(Report.Designer, nullptr);
    EXPECT_TRUE(Window.Enabled());
}

// A designer window that frees itself is forgotten; the wait ends and the window
// comes back.
TEST_F(ReportDesign, DesignerThatFreesItselfEndsTheWait) {
    (new TfrxRunTestPage(&Report))->SetName("Page1");
    TFakeDesigner::FreeItself = true;
    Report.DesignReport();
    EXPECT_EQ(TFakeDesigner::Alive, 0);
    EXPECT_EQ(Report.Designer, nullptr);
    EXPECT_TRUE(Window.Enabled());
}

TEST_F(ReportDesign, PreviewPageModeReturnsTheModifiedFlag) {
    (new TfrxRunTestPage(&Report))->SetName("Page1");
    for (bool modify : {false, true}) {
        TFakeDesigner::Modify = modify;
        EXPECT_EQ(Report.DesignPreviewPage(), modify);
        EXPECT_TRUE(TFakeDesigner::Seen.Preview);
        EXPECT_EQ(TFakeDesigner::Alive, 0);
        EXPECT_TRUE(Window.Enabled());
    }
}

TEST_F(ReportDesign, NothingWithoutADesignerOrWhileOneIsOpen) {
    const TfrxDesignerClass designer = frxDesignerClass();
    frxDesignerClass() = nullptr;
    TFakeDesigner::Seen = {};
    Report.DesignReport();
    EXPECT_FALSE(Report.DesignPreviewPage());
    EXPECT_EQ(TFakeDesigner::Seen.Pages, -1);
    EXPECT_EQ(Report.PagesCount(), 0) << "no page is made for a designer that does not come";
    frxDesignerClass() = designer;

    TFakeDesigner open(nullptr, &Report, false);
    Report.Designer = &open;
    TFakeDesigner::Seen = {};
    Report.DesignReport();
    EXPECT_EQ(TFakeDesigner::Seen.Pages, -1);
    Report.Designer = nullptr;
}

// A report without pages gets "Page1" of the report page class (a dot-matrix page for
// a dot-matrix report) before the designer opens.
TEST_F(ReportDesign, ReportWithoutPagesGetsPage1) {
    for (bool dotMatrix : {false, true}) {
        const char* cls = dotMatrix ? "TfrxDMPPage" : "TfrxReportPage";
        TfrxReport report(nullptr);   // a report brings in the page classes it links
        ASSERT_NE(GetClass(cls), nullptr) << cls;
        report.DotMatrixReport = dotMatrix;
        report.DesignReport();
        ASSERT_EQ(report.PagesCount(), 1);
        EXPECT_EQ(report.Pages(0)->Name(), "Page1");
        EXPECT_EQ(report.Pages(0)->ClassName(), cls);
        EXPECT_EQ(TFakeDesigner::Seen.Pages, 1);
    }
}

}  // namespace
