// The preview control over prepared pages built in the test: navigation and the page
// number that follows the scroll, the zoom modes, keys, the wheel and the zoom tool through
// Qt's event path, page deletion, the lock, and the pages drawn in the workspace.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/Metafile.h"
#include "platform/ui/Forms.h"
#include "platform/ui/UiTest.h"
#include "preview/Preview.h"
#include "preview/SearchDialog.h"
#include "report/Bands.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PreviewPages.h"
#include "report/Report.h"

namespace {

// Count pages of 100 x 150 mm (378 x 567 pixels) with 10 mm margins; each has a red memo
// at the top left of its band that says which page it is.
struct TPreparedPreview {
    TUiTestHarness Harness;
    TfrxReport Report{nullptr};
    TfrxPreviewPages Pages{&Report};
    TForm Form{nullptr};
    TfrxPreview* Preview;
    std::vector<int> Changes;

    explicit TPreparedPreview(int Count, const std::string& Text = "Page")
        : TPreparedPreview(Numbered(Count, Text)) {}
    static std::vector<std::string> Numbered(int Count, const std::string& Text) {
        std::vector<std::string> texts;
        for (int i = 0; i < Count; ++i) texts.push_back(Text + std::to_string(i + 1));
        return texts;
    }
    // One page per text; the memo says the text (lines split at "\n").
    explicit TPreparedPreview(const std::vector<std::string>& Texts) {
        const int Count = static_cast<int>(Texts.size());
        frxRegisterPreviewPages();
        auto* page = new TfrxReportPage(&Report);
        page->SetName("Page1");
        page->SetPaperSize(frxCustomPaperSize);
        page->SetPaperWidth(100);
        page->SetPaperHeight(150);
        page->LeftMargin = page->TopMargin = page->RightMargin = page->BottomMargin = 10;
        auto* band = new TfrxMasterData(page);
        band->SetName("MasterData1");
        band->SetBounds(0, 0, 300, 60);
        auto* memo = new TfrxMemoView(band);
        memo->SetName("Memo1");
        memo->SetBounds(0, 0, 280, 40);
        memo->SetColor(clRed);
        memo->Font()->SetSize(14);
        Pages.AddSourcePage(page);
        for (int i = 0; i < Count; ++i) {
            Pages.AddPage(page);
            memo->SetText(Texts[static_cast<size_t>(i)]);
            Pages.AddObject(band);
        }
        Form.SetBounds(0, 0, 640, 540);
        Preview = new TfrxPreview(&Form);
        Preview->SetParent(&Form);
        Preview->SetBounds(0, 0, 600, 500);
        Preview->SetOutlineVisible(false);
        Preview->OnPageChanged = [this](TObject*, int PageNo) { Changes.push_back(PageNo); };
        Form.Show();
        Preview->Report = &Report;
        Preview->PreviewPages = &Pages;
        Preview->Init();
        TUiTestHarness::ProcessMessages();
    }
    TfrxPreviewWorkspace* W() const { return Preview->Workspace(); }
};

constexpr int PageW = 378;
constexpr int PageH = 567;

}  // namespace

TEST(Preview, PageNumberAndScrollFollowEachOther) {
    TPreparedPreview p(5);
    EXPECT_EQ(p.Preview->PageCount(), 5);
    EXPECT_EQ(p.Preview->PageNo(), 1);
    EXPECT_EQ(p.W()->ClientWidth(), 600 - TfrxScrollWin::ScrollBarSize);
    // Five pages in one column, 10 apart: the last page's bottom, plus 10.
    EXPECT_EQ(p.W()->VertRange(), (10 + 4 * (PageH + 10) + PageH) + 10);
    EXPECT_EQ(p.W()->HorzRange(), PageW + 10 + 10);

    struct TCase {
        int Set;
        int PageNo;
        int Position;
    };
    // Page k's top is 10 + (k - 1) x 577; the view puts it 10 below its own top.
    const std::vector<TCase> cases = {{3, 3, 1154}, {0, 1, 0}, {99, 5, 2308}, {2, 2, 577}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Set);
        p.Preview->SetPageNo(c.Set);
        EXPECT_EQ(p.Preview->PageNo(), c.PageNo);
        EXPECT_EQ(p.W()->VertPosition(), c.Position);
        EXPECT_EQ(p.Changes.back(), c.PageNo);
    }
    // Scrolling sets the page: a page counts once its top is within a fifth of its height.
    struct TScroll {
        int Position;
        int PageNo;
    };
    const std::vector<TScroll> scrolls = {{1100, 3}, {860, 2}, {1050, 2}, {1051, 3}, {100, 1}};
    for (const TScroll& s : scrolls) {
        SCOPED_TRACE(s.Position);
        p.W()->SetVertPosition(s.Position);
        EXPECT_EQ(p.W()->VertPosition(), s.Position);   // the page change did not scroll back
        EXPECT_EQ(p.Preview->PageNo(), s.PageNo);
    }
    p.Preview->Last();
    EXPECT_EQ(p.Preview->PageNo(), 5);
    p.Preview->Prior();
    EXPECT_EQ(p.Preview->PageNo(), 4);
    p.Preview->First();
    p.Preview->Next();
    EXPECT_EQ(p.Preview->PageNo(), 2);
    // An anchor on page 4 at 100 pixels below the top margin (37.8 pixels).
    p.Preview->SetPosition(4, 100);
    EXPECT_EQ(p.W()->VertPosition(), 10 + 3 * 577 - 10 + 138);
    EXPECT_EQ(p.Preview->PageNo(), 4);

    p.Preview->Clear();
    EXPECT_EQ(p.Preview->PageNo(), 0);
    EXPECT_EQ(p.W()->VertRange(), 0);
    EXPECT_EQ(p.W()->VertPosition(), 0);
}

TEST(Preview, ZoomModes) {
    TPreparedPreview p(3);
    const int cw = p.W()->ClientWidth();
    const int ch = p.W()->ClientHeight();
    ASSERT_EQ(cw, 584);
    ASSERT_EQ(ch, 484);
    struct TCase {
        TfrxZoomMode Mode;
        double Zoom;
        int Columns;
    };
    const std::vector<TCase> cases = {
        {zmPageWidth, (584.0 - 20) / PageW, 1},
        {zmWholePage, (484.0 - 20) / PageH, 1},
        {zmManyPages, (584.0 - 32) / (2 * PageW), 2},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Mode));
        p.Preview->SetZoomMode(c.Mode);
        EXPECT_DOUBLE_EQ(p.Preview->Zoom(), c.Zoom);
        EXPECT_EQ(p.W()->PageList().ColumnCount(), c.Columns);
        EXPECT_EQ(p.W()->PageList().Count(), 3);
    }
    // The whole page may go below a quarter; a zoom set by hand may not, and it leaves
    // the two-pages layout.
    p.Preview->SetZoom(1.5);
    EXPECT_EQ(p.Preview->ZoomMode(), zmDefault);
    EXPECT_EQ(p.W()->PageList().ColumnCount(), 1);
    EXPECT_DOUBLE_EQ(p.Preview->Zoom(), 1.5);
    EXPECT_EQ(p.W()->VertRange(), static_cast<int>(std::nearbyint((10 + 3 * 577 - 10) * 1.5)) + 10);
    p.Preview->SetZoom(0.1);
    EXPECT_DOUBLE_EQ(p.Preview->Zoom(), 0.25);
    // A resize keeps a fit mode fitting.
    p.Preview->SetZoomMode(zmPageWidth);
    p.Preview->SetWidth(400);
    EXPECT_DOUBLE_EQ(p.Preview->Zoom(), (400.0 - 16 - 20) / PageW);
}

TEST(Preview, KeysWheelAndZoomTool) {
    TPreparedPreview p(5);
    struct TKey {
        uint16_t Key;
        int Position;
        int PageNo;
    };
    const std::vector<TKey> keys = {
        {VK_NEXT, 300, 1}, {VK_NEXT, 600, 2}, {VK_DOWN, 608, 2}, {VK_UP, 600, 2},
        {VK_PRIOR, 300, 1}, {VK_END, 2308, 5}, {VK_HOME, 0, 1},
    };
    for (const TKey& k : keys) {
        SCOPED_TRACE(k.Key);
        TUiTestHarness::TypeKey(p.W(), k.Key);
        EXPECT_EQ(p.W()->VertPosition(), k.Position);
        EXPECT_EQ(p.Preview->PageNo(), k.PageNo);
    }
    // Whatever the size of the turn: 20 pixels a turn.
    TUiTestHarness::Wheel(p.W(), -120);
    TUiTestHarness::Wheel(p.W(), -360);
    EXPECT_EQ(p.W()->VertPosition(), 40);
    TUiTestHarness::Wheel(p.W(), 120);
    EXPECT_EQ(p.W()->VertPosition(), 20);
    TUiTestHarness::Wheel(p.W(), 120);
    TUiTestHarness::Wheel(p.W(), 120);
    EXPECT_EQ(p.W()->VertPosition(), 0);

    // The hand tool drags the pages.
    p.Preview->SetZoom(2.0);
    TUiTestHarness::MouseDown(p.W(), {300, 300});
    TUiTestHarness::MouseMove(p.W(), {250, 200}, ssLeft);
    TUiTestHarness::MouseUp(p.W(), {250, 200});
    EXPECT_EQ(p.W()->VertPosition(), 100);
    EXPECT_EQ(p.W()->HorzPosition(), 50);
    EXPECT_EQ(p.W()->Cursor(), crHand);

    p.Preview->SetTool(ptZoom);
    EXPECT_EQ(p.W()->Cursor(), crZoom);
    p.Preview->SetZoom(1.0);
    TUiTestHarness::Click(p.W(), TPoint{200, 200});
    EXPECT_DOUBLE_EQ(p.Preview->Zoom(), 1.25);
    for (int i = 0; i < 6; ++i) TUiTestHarness::Click(p.W(), TPoint{200, 200}, mbRight);
    EXPECT_DOUBLE_EQ(p.Preview->Zoom(), 0.25);
}

TEST(Preview, DeleteKeepsThePageShownAndUnlockKeepsTheView) {
    TPreparedPreview p(5);
    p.Preview->SetPageNo(4);
    p.Preview->DeletePage();
    EXPECT_EQ(p.Preview->PageCount(), 4);
    EXPECT_EQ(p.Preview->PageNo(), 4);   // the former fifth page
    p.Preview->DeletePage();
    EXPECT_EQ(p.Preview->PageCount(), 3);
    EXPECT_EQ(p.Preview->PageNo(), 3);   // after the last page: the new last page
    p.Preview->SetPageNo(2);
    p.Preview->AddPage();
    EXPECT_EQ(p.Preview->PageCount(), 4);
    EXPECT_EQ(p.Preview->PageNo(), 2);
    EXPECT_EQ(p.W()->PageList().Count(), 4);

    p.Preview->SetPageNo(3);
    p.Preview->Lock();
    EXPECT_TRUE(p.Preview->Locked());
    p.Preview->ShowMessage("saving");
    EXPECT_TRUE(p.Preview->MessagePanel()->Visible());
    p.Preview->Unlock();
    EXPECT_FALSE(p.Preview->Locked());
    EXPECT_FALSE(p.Preview->MessagePanel()->Visible());
    EXPECT_EQ(p.Preview->PageNo(), 3);
}

TEST(Preview, DrawsPagesInTheWorkspace) {
    TPreparedPreview p(2);
    // At zoom 1 the page is centred: left (584 - 378) / 2 = 103, top 10.
    const int left = 103, top = 10, right = left + PageW, bottom = top + PageH;
    struct TProbe {
        const char* What;
        TPoint At;
        TColor Expected;
    };
    const std::vector<TProbe> probes = {
        {"background", {20, 20}, TfrxPreviewWorkspace::BackColor},
        {"frame left", {left, 100}, clBlack},
        {"frame top", {200, top}, clBlack},
        {"shadow right", {right, 100}, clBlack},
        {"grey right of the shadow", {right + 1, 100}, TfrxPreviewWorkspace::BackColor},
        {"paper", {200, 300}, clWhite},
        {"memo at the margins", {left + 38 + 150, top + 38 + 35}, clRed},
        {"paper beside the memo", {left + 38 + 300, top + 38 + 20}, clWhite},
    };
    for (const TProbe& pr : probes) {
        SCOPED_TRACE(pr.What);
        EXPECT_EQ(TUiTestHarness::PixelAt(p.W(), pr.At), pr.Expected);
    }
    // Scrolled by 200: the first page's shadow, the gap, the second page and its memo.
    p.W()->SetVertPosition(200);
    EXPECT_EQ(TUiTestHarness::PixelAt(p.W(), {200, bottom - 200}), clBlack);
    EXPECT_EQ(TUiTestHarness::PixelAt(p.W(), {200, bottom - 200 + 4}), TfrxPreviewWorkspace::BackColor);
    EXPECT_EQ(TUiTestHarness::PixelAt(p.W(), {200, bottom + 10 - 200}), clBlack);
    EXPECT_EQ(TUiTestHarness::PixelAt(p.W(), {left + 38 + 150, bottom + 10 - 200 + 38 + 35}), clRed);
    EXPECT_EQ(TUiTestHarness::PixelAt(p.W(), {200, 5}), clWhite);
    // While locked only the background shows.
    p.Preview->Lock();
    p.W()->Invalidate();
    EXPECT_EQ(TUiTestHarness::PixelAt(p.W(), {200, 300}), TfrxPreviewWorkspace::BackColor);
    p.Preview->Unlock();
}

TEST(Preview, ScreenshotWithChineseText) {
    TPreparedPreview p(2, "门诊收费收据 第");
    p.Preview->SetZoom(1.0);
    const std::string file = ::testing::TempDir() + "preview_chinese.png";
    ASSERT_TRUE(TUiTestHarness::SaveScreenshot(&p.Form, file));
    if (const char* keep = std::getenv("PREVIEW_SHOT")) TUiTestHarness::SaveScreenshot(&p.Form, keep);
    EXPECT_EQ(TUiTestHarness::PixelAt(p.W(), {103 + 38 + 150, 10 + 38 + 35}), clRed);
}

// The tool cursors come from the report engine: 50, 51 and 52 once a report exists, the
// designer's pencil (11) when it asks for it; each hot spot lies on the picture.
TEST(Preview, ToolCursorsAreInstalledWithTheReportEngine) {
    TUiTestHarness harness;
    TfrxReport report(nullptr);
    for (int cursor : {crHand, crZoom, crFormat}) EXPECT_TRUE(Screen->HasCursor(cursor)) << cursor;
    struct {
        const char* Name;
        int Index;
    } cases[] = {{"frxHAND", crHand}, {"frxZOOM", crZoom}, {"frxFORMAT", crFormat}, {"frxPENCIL", crPencil}};
    for (const auto& c : cases) {
        TBitmap bitmap;
        int x = -1, y = -1;
        ASSERT_TRUE(frxLoadResourceCursor(c.Name, bitmap, x, y)) << c.Name;
        EXPECT_EQ(bitmap.Width(), 32);
        EXPECT_NE(bitmap.Pixel(x, y), bitmap.TransparentColor()) << c.Name;
    }
    TBitmap none;
    int x = 0, y = 0;
    EXPECT_FALSE(frxLoadResourceCursor("frxARROW", none, x, y));
    EXPECT_TRUE(frxInstallCursor(crPencil, "frxPENCIL"));
    EXPECT_TRUE(Screen->HasCursor(crPencil));
}

namespace {

// The search dialog answered with Text, from the top or not, with the case box.
void AnswerSearch(TUiTestHarness& Harness, const std::string& Text, bool FromTop, bool MatchCase = false) {
    Harness.OnModal("TfrxSearchDialog", [=](TCustomForm& F) {
        auto& d = dynamic_cast<TfrxSearchDialog&>(F);
        d.TextE->SetText(Text);
        d.TopCB->SetChecked(FromTop);
        d.CaseCB->SetChecked(MatchCase);
        TUiTestHarness::Click(d.OkB);
    });
}

// The workspace point of a spot of the found text's box: X relative to its left edge
// and the middle of its rows.
TPoint FoundPoint(TfrxPreviewWorkspace* W, double Zoom, int DX) {
    const TRect page = W->PageList().GetPageBounds(W->SearchPage, W->ClientWidth(), Zoom);
    const TRect& b = frxSearchState().FoundBounds;
    return TPoint{page.Left - W->OffsetX() + static_cast<int>(std::lround(b.Left * Zoom)) + DX,
                  page.Top - W->OffsetY() + static_cast<int>(std::lround((b.Top + b.Bottom) / 2.0 * Zoom))};
}

}  // namespace

// Two hits on three pages: the search goes to the first from the top, F3 to the second,
// and a further F3 finds nothing and leaves the view; the hit is shown inverted.
TEST(PreviewSearch, FindAndFindNextWalkTheHitsAndStopAtTheEnd) {
    TPreparedPreview p({"挂号单", "Receipt 收费\n退费", "第二张 receipt"});
    AnswerSearch(p.Harness, "RECEIPT", true);
    TUiTestHarness::TypeKey(p.W(), 'F', ssCtrl);
    TUiTestHarness::ProcessMessages();
    TfrxSearchState& s = frxSearchState();
    ASSERT_TRUE(s.TextFound);
    EXPECT_EQ(p.W()->SearchPage, 1);
    // Scrolled so that the hit is in view, near the bottom (20 pixels above it).
    const TPoint seen = FoundPoint(p.W(), 1.0, 0);
    EXPECT_GT(seen.Y, 0);
    EXPECT_LT(seen.Y, p.W()->ClientHeight());
    // The hit's first line, from the memo's text offset: the memo stands at the band's
    // top left inside the 10 mm margins.
    const int margin = static_cast<int>(std::lround(10 * 3.77953));
    EXPECT_GE(s.FoundBounds.Left, margin);
    EXPECT_LT(s.FoundBounds.Left, margin + 10);
    EXPECT_GE(s.FoundBounds.Top, margin);
    EXPECT_LT(s.FoundBounds.Bottom, margin + 40);
    // The box is inverted one pixel wider: the memo's red turns to aqua just left of the
    // text, and stays red further right of it.
    EXPECT_EQ(TUiTestHarness::PixelAt(p.W(), FoundPoint(p.W(), 1.0, -1)), clAqua);
    const int width = s.FoundBounds.Right - s.FoundBounds.Left;
    EXPECT_EQ(TUiTestHarness::PixelAt(p.W(), FoundPoint(p.W(), 1.0, width + 3)), clRed);

    TUiTestHarness::TypeKey(p.W(), VK_F3);
    ASSERT_TRUE(s.TextFound);
    EXPECT_EQ(p.W()->SearchPage, 2);
    EXPECT_LT(FoundPoint(p.W(), 1.0, 0).Y, p.W()->ClientHeight());
    const int position = p.W()->VertPosition();
    TUiTestHarness::TypeKey(p.W(), VK_F3);
    EXPECT_FALSE(s.TextFound);
    EXPECT_EQ(p.W()->VertPosition(), position);
    EXPECT_EQ(p.W()->SearchPage, 3);
    // Past the last page nothing more is found: the search does not start again.
    TUiTestHarness::TypeKey(p.W(), VK_F3);
    EXPECT_FALSE(s.TextFound);
    EXPECT_EQ(p.W()->VertPosition(), position);
}

// F3 goes on inside the page after the last hit, reading the picture drawn for the first
// search instead of drawing the page again.
TEST(PreviewSearch, FindNextInTheSamePageKeepsItsPicture) {
    TPreparedPreview p({"收费\n收费", "其他"});
    AnswerSearch(p.Harness, "收费", true);
    p.Preview->Find();
    TfrxSearchState& s = frxSearchState();
    ASSERT_TRUE(s.TextFound);
    const TMetafile* picture = p.W()->Metafile();
    const int first = s.LastFoundRecord;
    const int firstTop = s.FoundBounds.Top;
    TUiTestHarness::TypeKey(p.W(), VK_F3);
    ASSERT_TRUE(s.TextFound);
    EXPECT_EQ(p.W()->Metafile(), picture);
    EXPECT_EQ(p.W()->SearchPage, 0);
    EXPECT_GT(s.LastFoundRecord, first);
    EXPECT_GT(s.FoundBounds.Top, firstTop);
    TUiTestHarness::TypeKey(p.W(), VK_F3);
    EXPECT_FALSE(s.TextFound);
}

struct TSearchCase {
    const char* Name;
    std::string Text;
    bool FromTop;
    bool MatchCase;
    int StartPage;       // the page shown when the search starts
    int FoundPage;       // 0: nothing found
};

class PreviewSearchCases : public ::testing::TestWithParam<TSearchCase> {};

TEST_P(PreviewSearchCases, FindsWhereTheOptionsSay) {
    const TSearchCase& c = GetParam();
    TPreparedPreview p({"Receipt 1", "receipt 2", "RECEIPT 3", "  spaced  out"});
    p.Preview->SetPageNo(c.StartPage);
    AnswerSearch(p.Harness, c.Text, c.FromTop, c.MatchCase);
    p.Preview->Find();
    EXPECT_EQ(frxSearchState().TextFound, c.FoundPage > 0);
    if (c.FoundPage > 0) {
        EXPECT_EQ(p.W()->SearchPage + 1, c.FoundPage);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Options, PreviewSearchCases,
    ::testing::Values(TSearchCase{"CaseIgnored", "RECEIPT", true, false, 3, 1},
                      TSearchCase{"CaseMatched", "receipt", true, true, 1, 2},
                      TSearchCase{"FromTheCurrentPage", "receipt", false, false, 3, 3},
                      TSearchCase{"OnlySpaces", "  ", true, false, 1, 4},
                      TSearchCase{"Empty", "", true, false, 1, 0},
                      TSearchCase{"ThousandCharacters", std::string(1000, 'R'), true, false, 1, 0},
                      TSearchCase{"NotThere", "挂号", true, false, 1, 0}),
    [](const auto& info) { return std::string(info.param.Name); });

// A page's picture, made while the window is idle, shows what drawing the page shows;
// changing the pages lets the pictures go.
TEST(Preview, PagePicturesShowWhatThePagesDraw) {
    TPreparedPreview p(3);
    const TRect page = p.W()->PageList().GetPageBounds(0, p.W()->ClientWidth(), 1.0);
    // The top of the first page: the red memo with its text, paper, the frame.
    const TRect area = Rect(page.Left, page.Top - p.W()->OffsetY(), page.Left + 330, page.Top - p.W()->OffsetY() + 120);
    TBitmap direct, copied;
    ASSERT_TRUE(TUiTestHarness::Grab(p.W(), direct));
    int red = 0, black = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x) {
            red += direct.Pixel(x, y) == clRed;
            black += direct.Pixel(x, y) == clBlack;
        }
    EXPECT_GT(red, 0);
    EXPECT_GT(black, 0);
    for (int i = 0; i < 4; ++i) p.W()->FillPageImages();
    EXPECT_GT(p.W()->PageImageCount(), 0);
    p.W()->Invalidate();
    ASSERT_TRUE(TUiTestHarness::Grab(p.W(), copied));
    int differ = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x) differ += direct.Pixel(x, y) != copied.Pixel(x, y);
    EXPECT_EQ(differ, 0);
    p.Preview->DeletePage();
    EXPECT_EQ(p.W()->PageImageCount(), 0);
}

// The report's PreviewOptions.DoubleBuffered decides, when the preview is initialised,
// whether the workspace keeps pictures of the pages in view (made while the window is idle,
// copied by later paints) or draws the pages onto the window at every paint; both show the
// pages. Switched off later, the pictures go.
TEST(Preview, DoubleBufferingFromThePreviewOptionsKeepsPagePictures) {
    for (const bool buffered : {true, false}) {
        SCOPED_TRACE(buffered ? "double-buffered" : "drawn straight");
        TPreparedPreview p(3);
        p.W()->ClearPageImages();
        p.Report.PreviewOptions()->DoubleBuffered = buffered;
        p.Preview->Init();
        EXPECT_EQ(p.W()->DoubleBuffered(), buffered);
        TUiTestHarness::ProcessMessages();
        TUiTestHarness::ElapseTime(100);
        EXPECT_EQ(p.W()->PageImageCount() > 0, buffered);
        // A scroll by the wheel paints the pages again, from their pictures or drawn anew.
        TUiTestHarness::Wheel(p.W(), -120);
        TUiTestHarness::ElapseTime(100);
        EXPECT_EQ(p.W()->PageImageCount() > 0, buffered);
        TBitmap shown;
        ASSERT_TRUE(TUiTestHarness::Grab(p.W(), shown));
        int red = 0;
        for (int y = 0; y < shown.Height(); ++y)
            for (int x = 0; x < shown.Width(); ++x) red += shown.Pixel(x, y) == clRed;
        EXPECT_GT(red, 0);
        p.W()->SetDoubleBuffered(false);
        EXPECT_EQ(p.W()->PageImageCount(), 0);
    }
}

namespace {

// A memo that counts how often each of its texts (the page it stands on) is drawn.
class TCountingMemo : public TfrxMemoView {
    ROVE_CLASS(TCountingMemo, TfrxMemoView)
public:
    using TfrxMemoView::TfrxMemoView;
    static std::map<std::string, int>& Draws() {
        static std::map<std::string, int> draws;
        return draws;
    }
    void Draw(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY) override {
        ++Draws()[Memo()->Count() > 0 ? Memo()->Strings(0) : std::string()];
        TfrxMemoView::Draw(Canvas, ScaleX, ScaleY, OffsetX, OffsetY);
    }
};
ROVE_IMPLEMENT_CLASS(TCountingMemo)

}  // namespace

// While a run adds pages, the page in view is drawn again only when it changes: the
// refreshes every few pages move the scroll bar and the page count, not the page.
TEST(Preview, ThePageInViewIsNotDrawnAgainWhileARunAddsPages) {
    TUiTestHarness harness;
    frxRegisterPreviewPages();
    TfrxReport report(nullptr);
    report.EngineOptions()->SilentMode = true;
    auto* page = new TfrxReportPage(&report);
    page->SetName("Page1");
    page->TopMargin = page->BottomMargin = 10;   // 1047 pixels: ten bands a page
    auto* band = new TfrxMasterData(page);
    band->SetName("MasterData1");
    band->SetBounds(0, 0, 300, 100);
    constexpr int PerPage = 10, Count = 240;
    band->SetRowCount(PerPage * Count);
    auto* memo = new TCountingMemo(band);
    memo->SetName("Memo1");
    memo->SetBounds(0, 0, 280, 40);
    memo->SetText("P[Page#]");
    TForm form(nullptr);
    form.SetBounds(0, 0, 640, 540);
    auto* preview = new TfrxPreview(&form);
    preview->SetParent(&form);
    preview->SetBounds(0, 0, 600, 500);
    preview->SetOutlineVisible(false);
    form.Show();
    preview->Report = &report;
    preview->PreviewPages = report.PreviewPages();
    preview->Init();
    TUiTestHarness::ProcessMessages();

    std::map<std::string, int>& draws = TCountingMemo::Draws();
    draws.clear();
    // What the first page has had drawn, and the scroll range, once the run reaches the
    // third page (the first page is then in view and whole), and on the last page.
    int firstShown = -1, firstRange = -1, lastShown = -1, lastRange = -1;
    report.OnBeforePrint = [&](TfrxReportComponent*) {
        const int pages = report.PreviewPages()->Count();
        if (firstShown < 0 && pages == 3) {
            firstShown = draws["P1"];
            firstRange = preview->Workspace()->VertRange();
        }
        if (pages == Count) {
            lastShown = draws["P1"];
            lastRange = preview->Workspace()->VertRange();
        }
    };
    ASSERT_TRUE(report.PrepareReport());
    ASSERT_EQ(report.PreviewPages()->Count(), Count);
    EXPECT_GT(firstShown, 0) << "the first page shows while the run goes on";
    EXPECT_GT(lastRange, firstRange) << "the scroll bar followed the run";
    EXPECT_EQ(lastShown, firstShown) << "the page in view was drawn again";
    // A page that comes into view is drawn.
    EXPECT_EQ(draws["P100"], 0);
    preview->SetPageNo(100);
    TUiTestHarness::ProcessMessages();
    EXPECT_GT(draws["P100"], 0);
}

// A memo with a link on a page with 10 mm margins: the mouse over the memo where it is
// drawn shows the hand and the link in the status, and a click opens it with the
// desktop's handler (through the shell).
TEST(Preview, ClickOnALinkOpensItWithTheShell) {
    TPreparedPreview p(1);
    const std::string url = "https://clinic.example/receipt?id=7";
    TfrxPage* page = p.Pages.GetPage(0);
    ASSERT_NE(page, nullptr);
    dynamic_cast<TfrxView*>(page->FindObject("Memo1"))->SetURL(url);
    p.Pages.ModifyPage(0, page);
    TUiTestHarness::ProcessMessages();
    // The memo's middle: the page's left edge, its 10 mm margin, half the memo.
    TRect bounds = p.W()->PageList().GetPageBounds(0, p.W()->ClientWidth(), p.Preview->Zoom());
    bounds.Left -= p.W()->OffsetX();
    bounds.Top -= p.W()->OffsetY();
    const TPoint middle{bounds.Left + 38 + 140, bounds.Top + 38 + 20};
    TUiTestHarness::MouseMove(p.W(), middle);
    EXPECT_EQ(p.W()->Cursor(), crHandPoint);
    EXPECT_EQ(p.Pages.Status(), url);
    EXPECT_TRUE(p.Harness.ShellOpened().empty());
    TUiTestHarness::Click(p.W(), middle);
    EXPECT_EQ(p.Harness.ShellOpened(), std::vector<std::string>{url});
    // Beside the memo nothing opens.
    TUiTestHarness::Click(p.W(), TPoint{middle.X, bounds.Top + 38 + 200});
    EXPECT_EQ(p.Harness.ShellOpened().size(), 1u);
}
