// Subreports: a view that runs another report page's data bands in place, either as a
// flow of its own from its position (separate) or into its own band (print on parent),
// nested, and refused when it would show a page it is printed from.
#include <gtest/gtest.h>

#include "tests/report/engine/EngineFixture.h"

namespace {

TfrxReportPage* NewPage(TBuilder& b, const std::string& Name) {
    auto* page = new TfrxReportPage(b.Report.get());
    page->SetName(Name);
    page->SetPaperSize(frxCustomPaperSize);
    page->SetPaperWidth(100);
    page->SetPaperHeight(100);
    return page;
}

template <class B> B* BandOn(TfrxReportPage* Page, const std::string& Name, double Top, double Height, int Rows,
                             const std::string& Text) {
    auto* band = new B(Page);
    band->SetName(Name);
    band->SetBounds(0, Top, 300, Height);
    band->SetRowCount(Rows);
    auto* m = new TfrxMemoView(band);
    m->CreateUniqueName();
    m->SetBounds(0, 0, 80, Height);
    m->SetText(Text);
    return band;
}

TfrxSubreport* SubreportOn(TfrxBand* Band, const std::string& Name, TfrxReportPage* Page, double Left,
                           bool OnParent) {
    auto* sub = new TfrxSubreport(Band);
    sub->SetName(Name);
    sub->SetBounds(Left, 0, 90, Band->Height());
    sub->SetPage(Page);
    sub->PrintOnParent = OnParent;
    return sub;
}

// Page1: MasterData1 over the items (20 px, the name), Subreport1 at x 100 showing
// Page2: MasterData2 (two rows of 10 px: name-line) with DetailData2 (two rows "d<line>").
TfrxBand* MasterWithSubreport(TBuilder& b, bool OnParent, int DetailRows = 2) {
    auto* md = b.Master(0, 20, "[DS.\"name\"]");
    md->ObjectList()[0]->SetWidth(80);
    TfrxReportPage* page2 = NewPage(b, "Page2");
    auto* md2 = BandOn<TfrxMasterData>(page2, "MasterData2", 0, 10, 2, "[DS.\"name\"]-[Line]");
    BandOn<TfrxDetailData>(page2, "DetailData2", 20, 10, DetailRows, "d[Line]");
    SubreportOn(md, "Subreport1", page2, 100, OnParent);
    (void)md2;
    return md;
}

struct TSubCase {
    const char* Name;
    int Rows;
    std::function<void(TBuilder&)> Build;
    std::vector<std::string> Expected;
};

class Subreports : public testing::TestWithParam<TSubCase> {};

TEST_P(Subreports, PrintInPlace) {
    const TSubCase& c = GetParam();
    TBuilder b(c.Rows);
    c.Build(b);
    ASSERT_TRUE(b.Report->PrepareReport()) << b.Report->Errors()->Text();
    EXPECT_EQ(Pages(*b.Report, true), c.Expected);
}

// The subreport's rows for master row i: at x, from y, 10 px each.
std::string SubRows(int i, double x, double y, int DetailRows = 2) {
    std::string s;
    for (int line = 1; line <= 2; ++line) {
        s += " MasterData2@" + Number(x) + "," + Number(y) + "=n" + std::to_string(i) + "-" + std::to_string(line);
        y += 10;
        for (int d = 1; d <= DetailRows; ++d, y += 10)
            s += " DetailData2@" + Number(x) + "," + Number(y) + "=d" + std::to_string(d);
    }
    return s;
}

// Rows First..Last of Master<Side> at x, from y, 10 px each, text <Side><line>.
std::string Lines(const std::string& Side, int First, int Last, double x, double y) {
    std::string s;
    for (int i = First; i <= Last; ++i, y += 10)
        s += " Master" + Side + "@" + Number(x) + "," + Number(y) + "=" + Side + std::to_string(i);
    return s;
}

const TSubCase kSubCases[] = {
    // Separate: the subreport's bands start beside the row and the next row goes below
    // the furthest end (60 px of subreport against a 20 px row).
    {"SeparateBesideTheRow", 2, [](TBuilder& b) { MasterWithSubreport(b, false); },
     {"MasterData1@0,0=n1" + SubRows(1, 100, 0) + " MasterData1@0,60=n2" + SubRows(2, 100, 60)}},
    // On the parent: the subreport's texts become objects of the row band, which
    // stretches over them.
    {"OnParentInsideTheRow", 2,
     [](TBuilder& b) { static_cast<TfrxBand*>(MasterWithSubreport(b, true))->Stretched = true; },
     {"MasterData1@0,0=n1|n1-1|d1|d2|n1-2|d1|d2 MasterData1@0,60=n2|n2-1|d1|d2|n2-2|d1|d2"}},
    // Page2's rows hold a subreport of their own showing Page3 (one row "x").
    {"Nested", 1,
     [](TBuilder& b) {
         MasterWithSubreport(b, false);
         auto* md2 = static_cast<TfrxBand*>(b.Report->FindObject("MasterData2"));
         TfrxReportPage* page3 = NewPage(b, "Page3");
         BandOn<TfrxMasterData>(page3, "MasterData3", 0, 5, 1, "x[Line]");
         SubreportOn(md2, "Subreport2", page3, 90, false);
     },
     {"MasterData1@0,0=n1 MasterData2@100,0=n1-1 MasterData3@190,0=x1 DetailData2@100,10=d1 DetailData2@100,20=d2 "
      "MasterData2@100,30=n1-2 MasterData3@190,30=x1 DetailData2@100,40=d1 DetailData2@100,50=d2"}},
    // A subreport reaching past the page bottom carries on on the next page (with 80 px
    // per row the fifth row's last detail goes over), and so does the master band below.
    {"SeparateOverPages", 6, [](TBuilder& b) { MasterWithSubreport(b, false, 3); },
     {"MasterData1@0,0=n1" + SubRows(1, 100, 0, 3) + " MasterData1@0,80=n2" + SubRows(2, 100, 80, 3) +
          " MasterData1@0,160=n3" + SubRows(3, 100, 160, 3) + " MasterData1@0,240=n4" + SubRows(4, 100, 240, 3) +
          " MasterData1@0,320=n5 MasterData2@100,320=n5-1 DetailData2@100,330=d1 DetailData2@100,340=d2" +
          " DetailData2@100,350=d3 MasterData2@100,360=n5-2",
      "DetailData2@100,0=d1 DetailData2@100,10=d2 DetailData2@100,20=d3 MasterData1@0,30=n6" +
          SubRows(6, 100, 30, 3)}},
    // Two subreports side by side, both going over the page end: the second moves onto
    // the page the first made, where the page header already stands.
    {"SideBySideOverPages", 1,
     [](TBuilder& b) {
         b.Memo(b.Band<TfrxPageHeader>("PageHeader1", 0, 20), "H");
         TfrxBand* md = b.Master(30, 20, "[DS.\"name\"]");
         md->ObjectList()[0]->SetWidth(80);
         for (const char* side : {"A", "B"}) {
             TfrxReportPage* page = NewPage(b, std::string("Page") + side);
             BandOn<TfrxMasterData>(page, std::string("Master") + side, 0, 10, 40, std::string(side) + "[Line]");
             SubreportOn(md, std::string("Subreport") + side, page, side[0] == 'A' ? 100 : 200, false);
         }
     },
     {"PageHeader1@0,0=H MasterData1@0,20=n1" + Lines("A", 1, 35, 100, 20) + Lines("B", 1, 35, 200, 20),
      "PageHeader1@0,0=H" + Lines("A", 36, 40, 100, 20) + Lines("B", 36, 40, 200, 20)}},
};

INSTANTIATE_TEST_SUITE_P(Cases, Subreports, testing::ValuesIn(kSubCases),
                         [](const testing::TestParamInfo<TSubCase>& i) { return std::string(i.param.Name); });

// A subreport that would show the page it is printed from, directly or through another
// subreport, is reported by name and the run ends.
TEST(SubreportCycles, AreReportedNotFollowed) {
    struct TCycle {
        const char* Name;
        std::function<void(TBuilder&)> Build;
    };
    const TCycle cycles[] = {
        {"OwnPage", [](TBuilder& b) { SubreportOn(b.Master(0, 20, "x"), "Subreport1", b.Page, 100, false); }},
        {"OwnPageOnParent", [](TBuilder& b) { SubreportOn(b.Master(0, 20, "x"), "Subreport1", b.Page, 100, true); }},
        {"ThroughAnotherPage",
         [](TBuilder& b) {
             TfrxBand* md = MasterWithSubreport(b, false);
             auto* md2 = static_cast<TfrxBand*>(b.Report->FindObject("MasterData2"));
             SubreportOn(md2, "Subreport2", static_cast<TfrxReportPage*>(md->Page()), 90, false);
         }},
    };
    for (const TCycle& c : cycles) {
        TBuilder b(2);
        c.Build(b);
        EXPECT_FALSE(b.Report->PrepareReport()) << c.Name;
        const std::string errors = b.Report->Errors()->Text();
        EXPECT_NE(errors.find("子报表循环引用页面: Subreport"), std::string::npos) << c.Name << ": " << errors;
        EXPECT_FALSE(b.Report->Engine()->Running) << c.Name;
    }
}


// A separate subreport at x 100 on a page of two columns whose rows fill both columns:
// when the page ends inside the subreport, its column footer stands under the column
// (at the column's x), not shifted by the subreport's place.
TEST(SubreportColumns, ColumnFooterOfTheEndingPageStandsUnderTheColumn) {
    TBuilder b(1);
    b.Page->SetColumns(2);
    b.Page->ColumnWidth = 50;
    auto* cf = b.Band<TfrxColumnFooter>("ColumnFooter1", 200, 10);
    b.Memo(cf, "CF");
    auto* md = b.Band<TfrxMasterData>("MasterData1", 0, 20);
    md->SetRowCount(1);
    b.Memo(md, "outer")->SetWidth(80);
    TfrxReportPage* page2 = NewPage(b, "Page2");
    BandOn<TfrxMasterData>(page2, "MasterData2", 0, 10, 80, "[Line]");
    SubreportOn(md, "Subreport1", page2, 100, false);
    ASSERT_TRUE(b.Report->PrepareReport()) << b.Report->Errors()->Text();
    ASSERT_GE(b.Report->PreviewPages()->Count(), 2);
    const double column2 = 50 * 3.77953;
    std::vector<double> footerX;
    for (TfrxComponent* band : b.Report->PreviewPages()->GetPage(0)->ObjectList())
        if (band->Name() == "ColumnFooter1") footerX.push_back(band->Left());
    ASSERT_FALSE(footerX.empty());
    EXPECT_NEAR(footerX.back(), column2, 0.01);
}

}  // namespace
