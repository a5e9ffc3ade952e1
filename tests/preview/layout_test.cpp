// The page layout and the scrolling window, without pages of a report: positions of pages
// in rows for zooms and view widths, the page at a scroll offset, and the scroll clamps.
#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/Forms.h"
#include "platform/ui/UiTest.h"
#include "preview/PreviewWorkspace.h"
#include "preview/ScrollWin.h"

namespace {

struct TPage {
    int W, H;
};

TfrxPageList ListOf(int Columns, const std::vector<TPage>& Pages) {
    TfrxPageList l;
    l.SetColumnCount(Columns);
    for (const TPage& p : Pages) l.AddPage(p.W, p.H);
    return l;
}

}  // namespace

TEST(PageList, BoundsForColumnsZoomsAndWidths) {
    struct TCase {
        const char* What;
        int Columns;
        std::vector<TPage> Pages;
        int Index;
        int ClientWidth;
        double Zoom;
        TRect Expected;
    };
    const std::vector<TPage> a4x3 = {{794, 1123}, {794, 1123}, {794, 1123}};
    const std::vector<TCase> cases = {
        {"first page centred", 1, a4x3, 0, 1000, 1.0, Rect(103, 10, 897, 1133)},
        {"second page one gap below", 1, a4x3, 1, 1000, 1.0, Rect(103, 1143, 897, 2266)},
        {"half zoom centres the smaller page", 1, a4x3, 1, 1000, 0.5, Rect(302, 572, 699, 1134)},
        {"page wider than the view sits 10 from the left", 1, a4x3, 0, 500, 1.0, Rect(10, 10, 804, 1133)},
        {"two pages: left page of a row", 2, a4x3, 0, 1700, 1.0, Rect(51, 10, 845, 1133)},
        {"two pages: right page after a gap", 2, a4x3, 1, 1700, 1.0, Rect(855, 10, 1649, 1133)},
        {"two pages: third page starts the next row", 2, a4x3, 2, 1700, 1.0, Rect(453, 1143, 1247, 2266)},
        {"two pages at a quarter: halves round to even", 2, a4x3, 1, 600, 0.25, Rect(301, 2, 499, 283)},
        {"row height is its tallest page", 2, {{300, 400}, {300, 900}, {300, 100}}, 2, 800, 1.0,
         Rect(250, 920, 550, 1020)},
        {"index past the end gives an A4 page", 1, a4x3, 7, 1000, 1.0, Rect(103, 10, 897, 1133)},
        {"empty list gives an A4 page", 1, {}, 0, 1000, 2.0, Rect(10, 20, 1598, 2266)},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TfrxPageList l = ListOf(c.Columns, c.Pages);
        const TRect r = l.GetPageBounds(c.Index, c.ClientWidth, c.Zoom);
        EXPECT_EQ(r.Left, c.Expected.Left);
        EXPECT_EQ(r.Top, c.Expected.Top);
        EXPECT_EQ(r.Right, c.Expected.Right);
        EXPECT_EQ(r.Bottom, c.Expected.Bottom);
    }
}

TEST(PageList, MaxWidthAndBounds) {
    TfrxPageList one = ListOf(1, {{400, 500}, {600, 300}});
    EXPECT_EQ(one.MaxWidth(), 610);
    EXPECT_EQ(one.GetMaxBounds(1000, 0.5), (TSize{305, 410}));   // bottom: round(520 * 0.5) + 150
    TfrxPageList two = ListOf(2, {{400, 500}, {600, 300}, {100, 100}});
    EXPECT_EQ(two.MaxWidth(), 1020);
    EXPECT_EQ(two.GetMaxBounds(1000, 1.0), (TSize{1020, 620}));
    EXPECT_EQ(ListOf(1, {}).GetMaxBounds(1000, 1.0), (TSize{0, 0}));
    two.SetColumnCount(1);
    EXPECT_EQ(two.Count(), 0);
    EXPECT_EQ(two.MaxWidth(), 0);
}

TEST(PageList, PageAtOffset) {
    // Pages of 1000 pixels: tops 10, 1020, 2030.
    const TfrxPageList l = ListOf(1, {{500, 1000}, {500, 1000}, {500, 1000}});
    struct TCase {
        int Offset;
        bool Exact;
        double Zoom;
        int Expected;
    };
    const std::vector<TCase> cases = {
        {0, false, 1.0, 0},     {819, false, 1.0, 0},   // 819 + 200 < 1020: still the first page
        {820, false, 1.0, 1},   {1019, true, 1.0, 0},   {1020, true, 1.0, 1},
        {5000, false, 1.0, 2},  {0, true, 1.0, -1},     // above the first page's top
        {410, false, 0.5, 1},   {409, false, 0.5, 0},   // half zoom: top 510, bias 100
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Offset);
        EXPECT_EQ(l.FindPage(c.Offset, c.Exact, c.Zoom), c.Expected);
    }
    EXPECT_EQ(ListOf(1, {}).FindPage(100, false, 1.0), -1);
}

namespace {

class TCountingScrollWin : public TfrxScrollWin {
public:
    using TfrxScrollWin::TfrxScrollWin;
    int HorzCalls = 0;
    int VertCalls = 0;
    void HorzPositionChanged() override { ++HorzCalls; }
    void VertPositionChanged() override { ++VertCalls; }
};

}  // namespace

TEST(ScrollWin, RequestsClampAndCallOncePerChange) {
    TUiTestHarness h;
    TForm form(nullptr);
    auto* w = new TCountingScrollWin(&form);
    w->SetParent(&form);
    w->SetBounds(0, 0, 300, 300);
    EXPECT_EQ(w->SmallChange(), 1);
    EXPECT_EQ(w->LargeChange(), 10);
    w->SetVertPage(300);
    w->SetVertRange(1000);
    struct TCase {
        const char* What;
        TScrollCode Code;
        int Track;
        int Expected;
        int Calls;
    };
    const std::vector<TCase> cases = {
        {"line up at 0 stays", scLineUp, 0, 0, 0},
        {"line down", scLineDown, 0, 1, 1},
        {"page down", scPageDown, 0, 11, 1},
        {"page up", scPageUp, 0, 1, 1},
        {"track", scTrack, 450, 450, 1},
        {"same track again", scPosition, 450, 450, 0},
        {"bottom is range - page", scBottom, 0, 700, 1},
        {"track past the end", scTrack, 5000, 700, 0},
        {"end of scroll does nothing", scEndScroll, 3, 700, 0},
        {"top", scTop, 0, 0, 1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        w->VertCalls = 0;
        w->VertScroll(c.Code, c.Track);
        EXPECT_EQ(w->VertPosition(), c.Expected);
        EXPECT_EQ(w->VertCalls, c.Calls);
        EXPECT_EQ(w->VertScrollBar()->Position(), c.Expected);
    }
    // The bar maps the same range: its largest position is range - page.
    w->SetVertPosition(10000);
    EXPECT_EQ(w->VertScrollBar()->Position(), 700);
    EXPECT_TRUE(w->VertScrollBar()->Enabled());

    // A page larger than the range: bar at 0 and disabled, every request ends at 0.
    w->SetHorzPage(500);
    w->SetHorzRange(400);
    w->HorzCalls = 0;
    w->HorzScroll(scBottom, 0);
    w->SetHorzPosition(50);
    EXPECT_EQ(w->HorzPosition(), 0);
    EXPECT_EQ(w->HorzCalls, 0);
    EXPECT_FALSE(w->HorzScrollBar()->Enabled());
    EXPECT_TRUE(w->HorzScrollBar()->Visible());

    // A smaller range pulls the position back inside and says so.
    w->VertCalls = 0;
    w->SetVertRange(500);
    EXPECT_EQ(w->VertPosition(), 200);
    EXPECT_EQ(w->VertCalls, 1);
    w->SetVertPage(600);
    EXPECT_EQ(w->VertPosition(), 0);
    EXPECT_EQ(w->VertCalls, 2);
}
