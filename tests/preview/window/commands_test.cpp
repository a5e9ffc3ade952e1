// The preview window's commands that reach beyond the pages shown: page settings from the
// preview (one page, or all pages and a new run), the designer on one page or on the
// template through the designer class variable, export of the current page, a long search
// stopped with Esc, and the status panel after a run.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/ui/Buttons.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include "preview/Dock.h"
#include "preview/PageSettingsDialog.h"
#include "preview/SearchDialog.h"
#include "report/DialogControls.h"
#include "report/ReportServices.h"
#include "WindowFixture.h"
#include "report/DesignRegistries.h"
#include "platform/rtl/FileUtils.h"
#include "tests/rtl/FileMode.h"

#include <filesystem>
#include <unistd.h>

namespace {

bool Landscape(TfrxPreviewPages* Pages, int Index) {
    double w = 0, h = 0;
    Pages->GetPageSize(Index, w, h);
    return w > h;
}

// The settings dialog turned to landscape, for the current page or for all.
void AnswerLandscape(TUiTestHarness& Harness, bool All) {
    Harness.OnModal("TfrxPageSettingsForm", [All](TCustomForm& F) {
        auto& d = dynamic_cast<TfrxPageSettingsForm&>(F);
        TUiTestHarness::Click(d.LandscapeRB);
        TUiTestHarness::Click(All ? d.ApplyToAllRB : d.ApplyToCurRB);
        TUiTestHarness::Click(d.OKB);
    });
}

// Records the pages an export hands it.
class TPageRecorder : public TfrxCustomExportFilter {
public:
    TPageRecorder() : TfrxCustomExportFilter(nullptr) { CurPage = true; }
    bool Start() override { return true; }
    void StartPage(TfrxPage*, int Index) override { Pages.push_back(Index); }
    void ExportObject(TfrxComponent*) override {}
    void FinishPage(TfrxPage*, int) override {}
    void Finish() override {}
    std::vector<int> Pages;
};

// Stands for the designer: when shown it reports what it got, may move the first memo of
// its first page, and closes at once.
class TStandInDesigner : public TfrxCustomDesigner {
public:
    TStandInDesigner(TComponent* AOwner, TfrxReport* AReport, bool APreviewDesigner)
        : TfrxCustomDesigner(AOwner, AReport, APreviewDesigner) {
        OnShow = [this](TObject*) { Shown(); };
    }
    std::vector<std::string> GetCode() override { return {}; }
    std::string InsertExpression(const std::string& Expr) override { return Expr; }
    void Lock() override {}
    void ReloadPages(int) override {}
    void ReloadReport() override {}
    void UpdateDataTree() override {}
    void UpdatePage() override {}

    static inline bool PreviewMode = false;
    static inline int Pages = 0;
    static inline std::vector<std::string> Objects;   // "name class left,top" of the first page
    static inline bool Move = false;
    static void Forget() {
        PreviewMode = false;
        Pages = 0;
        Objects.clear();
    }

private:
    void Shown() {
        Forget();
        PreviewMode = IsPreviewDesigner();
        Pages = Report()->PagesCount();
        if (Pages > 0)
            for (TfrxComponent* c : Report()->Pages(0)->ObjectList())
                Objects.push_back(c->Name() + " " + c->ClassName() + " " +
                                       std::to_string(static_cast<int>(c->Left())) + "," +
                                       std::to_string(static_cast<int>(c->Top())));
        if (Move && Pages > 0)
            if (TfrxComponent* memo = Report()->Pages(0)->FindObject("Memo1")) {
                memo->SetLeft(memo->Left() + 100);
                SetModified(true);
            }
        ModalFinished = true;
    }
};

// Installs the stand-in as the designer class for one test.
struct TDesignerScope {
    TfrxDesignerClass Saved = frxDesignerClass();
    explicit TDesignerScope(bool Move) {
        TStandInDesigner::Move = Move;
        TStandInDesigner::Forget();
        frxDesignerClass() = [](TComponent* Owner, TfrxReport* Report, bool Preview) -> TfrxCustomDesigner* {
            return new TStandInDesigner(Owner, Report, Preview);
        };
    }
    ~TDesignerScope() { frxDesignerClass() = Saved; }
};

int MemoLeft(TfrxPreviewPages* Pages, int Index) {
    TfrxPage* page = Pages->GetPage(Index);
    TfrxComponent* memo = page ? page->FindObject("Memo1") : nullptr;
    return memo ? static_cast<int>(memo->AbsLeft()) : -1;
}

}  // namespace

TEST(PreviewCommands, PageSettingsChangeTheCurrentPageOnly) {
    TWindow w(4);
    w.Form->Preview->SetPageNo(2);
    AnswerLandscape(w.R.Harness, false);
    TUiTestHarness::Click(w.Form->PageSettingsB);
    EXPECT_TRUE(w.R.Harness.Errors().empty());
    EXPECT_EQ(w.Form->Preview->PageCount(), 4);
    EXPECT_FALSE(Landscape(w.R.Pages, 0));
    EXPECT_TRUE(Landscape(w.R.Pages, 1));
    // The layout follows the changed page.
    const TfrxPageItem& item = w.Form->Preview->Workspace()->PageList().Items(1);
    EXPECT_GT(item.Width, item.Height);
    EXPECT_FALSE(w.Form->Preview->Locked());
    // The template is as it was.
    EXPECT_EQ(dynamic_cast<TfrxReportPage*>(w.R.Report.Pages(0))->Orientation(), poPortrait);
}

TEST(PreviewCommands, PageSettingsForAllPagesPrepareTheReportAgain) {
    TWindow w(4);
    AnswerLandscape(w.R.Harness, true);
    TUiTestHarness::Click(w.Form->PageSettingsB);
    EXPECT_TRUE(w.R.Harness.Errors().empty());
    auto* templ = dynamic_cast<TfrxReportPage*>(w.R.Report.Pages(0));
    EXPECT_EQ(templ->Orientation(), poLandscape);
    EXPECT_GT(templ->PaperWidth(), templ->PaperHeight());
    // The run started from scratch: one page (the band prints once) in the new shape.
    ASSERT_EQ(w.Form->Preview->PageCount(), 1);
    EXPECT_TRUE(Landscape(w.R.Pages, 0));
    EXPECT_FALSE(w.Form->Preview->Running());
    EXPECT_EQ(w.Status(0), "第 1 页 共 1 页");
}

// A second run (page settings for all pages) starts from an empty view: while the report's
// dialog asks for its values before the run makes a page, the preview shows no page of the
// run before, no page number, no outline and no scroll range, as Clear leaves it; the page
// the user had gone to is forgotten.
TEST(PreviewCommands, ASecondRunStartsFromAnEmptyView) {
    TWindow w(4);
    TUiTestHarness::Click(w.Form->NextB);
    TUiTestHarness::Click(w.Form->NextB);
    TfrxPreview* preview = w.Form->Preview;
    ASSERT_EQ(preview->PageNo(), 3);
    ASSERT_GT(preview->Workspace()->OffsetY(), 0);
    ASSERT_GT(preview->Workspace()->VertRange(), 0);
    // The report asks in a dialog before each run.
    auto* dialog = new TfrxDialogPage(&w.R.Report);
    dialog->SetName("DialogPage1");
    dialog->SetBounds(0, 0, 300, 160);
    auto* ok = new TfrxButtonControl(dialog);
    ok->SetName("OkButton");
    ok->SetCaption("确定");
    ok->SetModalResult(mrOk);
    ok->SetBounds(16, 80, 75, 25);
    struct TSeen {
        bool Running = false;
        int PageNo = -1, Layout = -1, Offset = -1, Range = -1, Outline = -1;
        std::string PageBox;
    } seen;
    AnswerLandscape(w.R.Harness, true);
    w.R.Harness.OnModal("TfrxDialogForm", [&](TCustomForm&) {
        seen = {preview->Running(),
                preview->PageNo(),
                preview->Workspace()->PageList().Count(),
                preview->Workspace()->OffsetY(),
                preview->Workspace()->VertRange(),
                preview->Outline()->Items()->Count(),
                w.Form->PageE->Text()};
        TUiTestHarness::Click(ok->Button());
    });
    TUiTestHarness::Click(w.Form->PageSettingsB);
    EXPECT_TRUE(w.R.Harness.Errors().empty());
    EXPECT_EQ(w.R.Harness.PendingDrivers(), 0);
    EXPECT_TRUE(seen.Running);
    EXPECT_EQ(seen.PageNo, 0);
    EXPECT_EQ(seen.Layout, 0);
    EXPECT_EQ(seen.Offset, 0);
    EXPECT_EQ(seen.Range, 0);
    EXPECT_EQ(seen.Outline, 0);
    EXPECT_EQ(seen.PageBox, "0");
    // The new run's page is shown, from the top.
    EXPECT_EQ(preview->PageCount(), 1);
    EXPECT_EQ(preview->Workspace()->PageList().Count(), 1);
    EXPECT_EQ(preview->PageNo(), 1);
    EXPECT_EQ(preview->Workspace()->OffsetY(), 0);
    EXPECT_EQ(w.Status(0), "第 1 页 共 1 页");
}

// A run that adds to pages already prepared (ShowReport without clearing the last report)
// keeps them in the view as in the store: the layout holds the kept pages and the new one
// behind them, so the last page can be gone to and is the run's.
TEST(PreviewCommands, ARunThatAddsPagesKeepsTheEarlierOnesInTheView) {
    TPreparedReport r(4);
    r.Report.PreviewOptions()->Modal = true;
    int layout = -1, pageNo = -1;
    std::string status;
    r.Harness.OnModal("TfrxPreviewForm", [&](TCustomForm& F) {
        auto& form = dynamic_cast<TfrxPreviewForm&>(F);
        if (r.Report.Timer()->Enabled()) TUiTestHarness::FireTimer(r.Report.Timer());
        layout = form.Preview->Workspace()->PageList().Count();
        TUiTestHarness::Click(form.LastB);
        pageNo = form.Preview->PageNo();
        status = form.StatusBar->Panels()->Items(0)->Text();
        TUiTestHarness::Click(form.CancelB);
    });
    r.Report.ShowReport(false);
    EXPECT_TRUE(r.Harness.Errors().empty());
    EXPECT_EQ(layout, 5);
    EXPECT_EQ(pageNo, 5);
    EXPECT_EQ(status, "第 5 页 共 5 页");
    EXPECT_EQ(r.Pages->Count(), 5);
}

TEST(PreviewCommands, ExportOfTheCurrentPageExportsThePageShown) {
    TWindow w(4);
    TPageRecorder filter;
    w.Form->Preview->SetPageNo(3);
    w.Form->Preview->Export(&filter);
    EXPECT_EQ(filter.Pages, std::vector<int>{2});
    EXPECT_EQ(w.R.Pages->CurPreviewPage, 3);
    // The export held the preview's lock and gave it back.
    EXPECT_FALSE(w.Form->Preview->Locked());
    EXPECT_EQ(w.R.Pages->Preview, w.Form->Preview);
}

// The export button drops its menu once, from a click on the button as from a press on its
// arrow; the filter chosen there exports the page shown.
TEST(PreviewCommands, TheExportMenuDropsOnceFromTheButtonAndItsArrow) {
    TPageRecorder filter;
    frxExportFilters().Register(&filter);
    {
        TWindow w(4);
        ASSERT_EQ(w.Form->ExportPopup->Items()->Count(), 1);
        TToolButton* e = w.Form->ExportB;
        int shown = 0;
        for (TPoint at : {TPoint{e->Width() - 4, e->Height() / 2}, TPoint{6, e->Height() / 2}}) {
            w.Form->Preview->SetPageNo(shown + 2);
            w.R.Harness.OnPopup([&](TPopupMenu& Menu, TPoint) {
                ++shown;
                EXPECT_EQ(&Menu, w.Form->ExportPopup);
                TUiTestHarness::ClickMenuItem(Menu.Items()->Items(0));
            });
            TUiTestHarness::Click(e, at);
            TUiTestHarness::ProcessMessages();
        }
        EXPECT_EQ(shown, 2);
        EXPECT_EQ(filter.Pages, (std::vector<int>{1, 2}));
        EXPECT_EQ(w.R.Harness.Errors(), std::vector<std::string>{});
    }
    frxExportFilters().Unregister(&filter);
}

// Saved pages show the patients' names and amounts: "保存" writes the .bp3 file for its
// owner only, under a desktop's umask 022, also over a file that others could read; no
// temporary file stays beside it. It used to be 0644.
TEST(PreviewCommands, SavedPagesAreTheOwnersOnly) {
    namespace fs = std::filesystem;
    std::string dir = (fs::temp_directory_path() / "preview-save-XXXXXX").string();
    ASSERT_NE(mkdtemp(dir.data()), nullptr);
    const TUmaskScope mask(022);
    for (const bool existing : {false, true}) {
        SCOPED_TRACE(existing);
        const std::string file = dir + (existing ? "/old.bp3" : "/new.bp3");
        if (existing) WriteFileWithMode(file, "old pages", 0644);
        TWindow w(2);
        w.R.Harness.AnswerFile(ChangeFileExt(file, ""));
        TUiTestHarness::Click(w.Form->SaveB);
        ASSERT_TRUE(FileExists(file));
        EXPECT_EQ(FileModeOf(file), 0600u);
        EXPECT_NE(ReadFileBytes(file).find("preparedreport"), std::string::npos);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
    fs::remove_all(dir);
}

TEST(PreviewCommands, EditPageDesignsAFlattenedCopyAndWritesItBack) {
    TDesignerScope designer(true);
    TWindow w(3);
    w.Form->Preview->SetPageNo(2);
    const int before = MemoLeft(w.R.Pages, 1);
    TUiTestHarness::Click(w.Form->DesignerB);
        EXPECT_TRUE(TStandInDesigner::PreviewMode);
    ASSERT_EQ(TStandInDesigner::Pages, 1);
    // No band is left; the memo stands on the page where it was printed.
    ASSERT_EQ(TStandInDesigner::Objects.size(), 1u);
    EXPECT_EQ(TStandInDesigner::Objects[0].rfind("Memo1 TfrxMemoView ", 0), 0u) << TStandInDesigner::Objects[0];
    EXPECT_EQ(MemoLeft(w.R.Pages, 1), before + 100);
    EXPECT_EQ(MemoLeft(w.R.Pages, 0), before);
    EXPECT_FALSE(w.Form->Preview->Locked());
}

TEST(PreviewCommands, EditPageWithoutAChangeOrADesignerLeavesThePage) {
    TWindow w(2);
    const int before = MemoLeft(w.R.Pages, 0);
    TUiTestHarness::Click(w.Form->DesignerB);   // no designer class: nothing happens
    EXPECT_EQ(MemoLeft(w.R.Pages, 0), before);
    TDesignerScope designer(false);
    TUiTestHarness::Click(w.Form->DesignerB);
    EXPECT_EQ(TStandInDesigner::Pages, 1);
    EXPECT_EQ(MemoLeft(w.R.Pages, 0), before);
}

TEST(PreviewCommands, ShowTemplateDesignsACopyOfTheTemplate) {
    TDesignerScope designer(true);
    TWindow w(2);
    EXPECT_EQ(w.Form->Showtemplate1->Caption(), "显示模板");
    TUiTestHarness::ClickMenuItem(w.Form->Showtemplate1);
        EXPECT_FALSE(TStandInDesigner::PreviewMode);
    ASSERT_EQ(TStandInDesigner::Pages, 1);
    ASSERT_EQ(TStandInDesigner::Objects.size(), 1u);
    EXPECT_EQ(TStandInDesigner::Objects[0].rfind("MasterData1 TfrxMasterData", 0), 0u) << TStandInDesigner::Objects[0];
    // The designer's change stays with its copy.
    TfrxComponent* memo = w.R.Pages->SourcePages(0)->FindObject("Memo1");
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(static_cast<int>(memo->Left()), 0);
}

// Find as a user does it: the find button, the text typed into the dialog (which opens
// with its field focused), "from the top" ticked or not by a click, OK; the preview finds
// the page that holds the text and scrolls the hit into the view (the page box then names
// the page at the view's top, which may be the one before). F3 finds the next page with
// the text, page by page.
TEST(PreviewCommands, FindScrollsToThePageOfTheTextAndF3ToTheNext) {
    TWindow w(6);
    TfrxPreviewWorkspace* ws = w.Form->Preview->Workspace();
    // The hit lies wholly inside the view.
    auto hitShown = [&] {
        const double zoom = w.Form->Preview->Zoom();
        const TRect page = ws->PageList().GetPageBounds(ws->SearchPage, ws->ClientWidth(), zoom);
        const TRect& b = frxSearchState().FoundBounds;
        const int top = page.Top + static_cast<int>(std::lround(b.Top * zoom)) - ws->VertPosition();
        const int bottom = page.Top + static_cast<int>(std::lround(b.Bottom * zoom)) - ws->VertPosition();
        return top >= 0 && bottom <= ws->ClientHeight();
    };
    struct {
        const char* Typed;
        bool FromTop;
        int Page;   // holds the hit (1-based)
    } cases[] = {{"第 4 页", true, 4}, {"第 2 页", true, 2}, {"第 6 页", false, 6}, {"RECEIPT", true, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed);
        w.R.Harness.OnModal("TfrxSearchDialog", [&c](TCustomForm& F) {
            auto& d = dynamic_cast<TfrxSearchDialog&>(F);
            ASSERT_EQ(TUiTestHarness::FocusedControl(), d.TextE);
            TUiTestHarness::TypeText(d.TextE, c.Typed);   // replaces the last text, offered selected
            if (d.TopCB->Checked() != c.FromTop) TUiTestHarness::Click(d.TopCB);
            TUiTestHarness::Click(d.OkB);
        });
        TUiTestHarness::Click(w.Form->FindB);
        ASSERT_TRUE(frxSearchState().TextFound);
        EXPECT_EQ(ws->SearchPage + 1, c.Page);
        EXPECT_TRUE(hitShown());
        EXPECT_LE(std::abs(w.Form->Preview->PageNo() - c.Page), 1) << w.Form->Preview->PageNo();
    }
    // "RECEIPT" is on every page (the case ignored): F3 goes on, one page each time.
    for (int page = 2; page <= 6; ++page) {
        SCOPED_TRACE(page);
        TUiTestHarness::TypeKey(w.Form->Preview, VK_F3);
        ASSERT_TRUE(frxSearchState().TextFound);
        EXPECT_EQ(ws->SearchPage + 1, page);
        EXPECT_TRUE(hitShown());
    }
    EXPECT_TRUE(w.R.Harness.Errors().empty());
}

// A search through many pages without a hit shows its progress and stops on Esc; the
// window stays open.
TEST(PreviewCommands, EscStopsALongSearch) {
    TWindow w(40);
    TfrxPreviewWorkspace* ws = w.Form->Preview->Workspace();
    // A first search finds nothing on the first page's text; F3 goes on from there.
    w.R.Harness.OnModal("TfrxSearchDialog", [](TCustomForm& F) {
        auto& d = dynamic_cast<TfrxSearchDialog&>(F);
        d.TextE->SetText("挂号");
        d.TopCB->SetChecked(true);
        TUiTestHarness::Click(d.CancelB);
    });
    TUiTestHarness::Click(w.Form->FindB);
    frxSearchState().SearchText = "挂号";
    ws->SearchPage = 0;
    // Esc waits in the queue until the search lets the window answer.
    TUiTestHarness::PostKey(VK_ESCAPE);
    // F3 where the window keeps its focus (the preview, its active control).
    TUiTestHarness::TypeKey(w.Form->Preview, VK_F3);
    EXPECT_FALSE(w.Form->Preview->Searching());
    EXPECT_FALSE(frxSearchState().TextFound);
    // Stopped at the first progress report, ten pages on.
    EXPECT_EQ(ws->SearchPage, 10);
    EXPECT_EQ(w.Form->Preview->MessageLabel()->Caption(), "正在查找: 第 11 页 共 40 页");
    EXPECT_FALSE(w.Form->Preview->MessagePanel()->Visible());
    EXPECT_TRUE(w.Form->Visible());
    // F3 goes on from where it stopped, to the end.
    TUiTestHarness::TypeKey(w.Form->Preview, VK_F3);
    EXPECT_EQ(ws->SearchPage, 40);
    // Esc with no search going closes the window.
    TUiTestHarness::TypeKey(w.Form->Preview, VK_ESCAPE);
    EXPECT_FALSE(w.Form->Visible());
}

TEST(PreviewCommands, StatusOfTheLastObjectGoesWhenTheRunEnds) {
    TWindow w(2);
    w.R.Pages->SetStatus("Memo1");
    EXPECT_EQ(w.Status(1), "Memo1");
    w.R.Report.PrepareReport(true);
    EXPECT_EQ(w.Status(1), "");
}

// The window's tool bar floated and docked into the bottom dock: the dock grows upward
// and the status bar stays at the bottom.
TEST(PreviewCommands, TheToolBarDocksAboveTheStatusBar) {
    TWindow w(2);
    TfrxToolBar* tb = w.Form->PreviewTB;
    tb->MakeFloat(200, 200);
    EXPECT_EQ(w.Form->DockTop->Height(), 1);
    ASSERT_TRUE(tb->TryDock(w.Form.get(), TPoint{100, w.Form->DockBottom->Top()}));
    tb->GripUp();
    EXPECT_EQ(tb->Dock(), w.Form->DockBottom);
    EXPECT_EQ(w.Form->DockBottom->Height(), 27);
    EXPECT_EQ(w.Form->DockBottom->Top() + w.Form->DockBottom->Height(), w.Form->StatusBar->Top());
    EXPECT_EQ(w.Form->StatusBar->Top() + w.Form->StatusBar->Height(), w.Form->ClientHeight());
    EXPECT_EQ(w.Form->Preview->Top() + w.Form->Preview->Height(), w.Form->DockBottom->Top());
}
