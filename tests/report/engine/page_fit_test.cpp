// Whether a band fits: a band that does not fit below what a page or column holds goes to
// a fresh one, and only a band taller than a fresh page overflows. The top a band is
// measured from is that of the page it falls on (its own title, headers and column header),
// not that of the first page.
#include <gtest/gtest.h>

#include "report/PictureView.h"
#include "tests/report/engine/EngineFixture.h"

namespace {

struct TFitCase {
    const char* Name;
    int Rows;
    std::function<void(TBuilder&)> Build;
    std::vector<std::string> Expected;
};

class EnginePageFit : public testing::TestWithParam<TFitCase> {};

// Title 50 and page header 20 on the first page, page header alone on the others; rows
// of 30; page footer 30 at 347.95. Nine rows fill the first page, ten the others.
void TitledList(TBuilder& b) {
    b.Memo(b.Band<TfrxReportTitle>("ReportTitle1", 0, 50), "Report");
    b.Memo(b.Band<TfrxPageHeader>("PageHeader1", 60, 20), "Head");
    b.Master(100, 30, "[DS.\"name\"]");
    b.Memo(b.Band<TfrxPageFooter>("PageFooter1", 400, 30), "[Page#]");
}

TFitCase kFitCases[] = {
    // On page 2 the summary (320) starts at 50, above the first page's top (70): it does
    // not fit there but fits a fresh page below the page header.
    {"TallSummaryNearTheTopOfAContinuationPage", 10,
     [](TBuilder& b) {
         TitledList(b);
         b.Memo(b.Band<TfrxReportSummary>("ReportSummary1", 150, 320), "End");
     },
     {"ReportTitle1@0=Report PageHeader1@50=Head " + Rows(1, 9, 70, 30, Name) + " PageFooter1@347.95=1",
      "PageHeader1@0=Head " + Rows(10, 10, 20, 30, Name) + " PageFooter1@347.95=2",
      "PageHeader1@0=Head ReportSummary1@20=End PageFooter1@347.95=3"}},
    // The same with a group footer closing the list.
    {"TallGroupFooterNearTheTopOfAContinuationPage", 10,
     [](TBuilder& b) {
         TitledList(b);
         auto* gh = b.Band<TfrxGroupHeader>("GroupHeader1", 90, 0);
         gh->Condition = "1";
         b.Memo(b.Band<TfrxGroupFooter>("GroupFooter1", 140, 310), "Sum");
     },
     {"ReportTitle1@0=Report PageHeader1@50=Head GroupHeader1@70 " + Rows(1, 9, 70, 30, Name) +
          " PageFooter1@347.95=1",
      "PageHeader1@0=Head " + Rows(10, 10, 20, 30, Name) + " PageFooter1@347.95=2",
      "PageHeader1@0=Head GroupFooter1@20=Sum PageFooter1@347.95=3"}},
    // A row taller than a page right below the page and column headers stays on the
    // first page (and overflows it) instead of leaving a page of headers only.
    {"RowTallerThanAPageBelowTheColumnHeader", 2,
     [](TBuilder& b) {
         b.Memo(b.Band<TfrxPageHeader>("PageHeader1", 0, 20), "Head");
         b.Memo(b.Band<TfrxColumnHeader>("ColumnHeader1", 30, 20), "Cols");
         b.Master(60, 400, "[DS.\"name\"]");
     },
     {"PageHeader1@0=Head ColumnHeader1@20=Cols MasterData1@40=n1",
      "PageHeader1@0=Head ColumnHeader1@20=Cols MasterData1@40=n2"}},
    // An ordinary row that does not fit below the column header of page 2 moves on.
    {"RowsBelowAColumnHeaderOnEveryPage", 12,
     [](TBuilder& b) {
         b.Memo(b.Band<TfrxReportTitle>("ReportTitle1", 0, 50), "Report");
         b.Memo(b.Band<TfrxColumnHeader>("ColumnHeader1", 60, 20), "Cols");
         b.Master(100, 30, "[DS.\"name\"]");
     },
     {"ReportTitle1@0=Report ColumnHeader1@50=Cols " + Rows(1, 10, 70, 30, Name),
      "ColumnHeader1@0=Cols " + Rows(11, 12, 20, 30, Name)}},
};

TEST_P(EnginePageFit, TallBandsGoToAFreshPage) {
    const TFitCase& c = GetParam();
    TBuilder b(c.Rows);
    c.Build(b);
    ASSERT_TRUE(b.Report->PrepareReport()) << b.Report->Errors()->Text();
    EXPECT_EQ(Pages(*b.Report), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, EnginePageFit, testing::ValuesIn(kFitCases),
                         [](const testing::TestParamInfo<TFitCase>& i) { return std::string(i.param.Name); });

// A band that may split holds a picture that does not fit below row 10 on page 2 but fits
// a fresh page: the picture starts the next part on page 3 and nothing reaches into the
// page footer.
TEST(EnginePageFitSplit, PictureOfASplitBandMovesToTheNextPart) {
    TBuilder b(10);
    TitledList(b);
    auto* summary = b.Band<TfrxReportSummary>("ReportSummary1", 150, 310);
    summary->AllowSplit = true;
    auto* picture = new TfrxPictureView(summary);
    picture->SetName("Picture1");
    picture->SetBounds(0, 0, 100, 310);
    ASSERT_TRUE(b.Report->PrepareReport()) << b.Report->Errors()->Text();
    TfrxCustomPreviewPages* pp = b.Report->PreviewPages();
    ASSERT_EQ(pp->Count(), 3);
    const double footerTop = 377.953 - 30;
    int picturePage = -1;
    for (int i = 0; i < pp->Count(); ++i) {
        TfrxPage* page = pp->GetPage(i);
        for (TfrxComponent* band : page->ObjectList()) {
            if (band->Name() == "PageFooter1") continue;
            EXPECT_LE(band->Top() + band->Height(), footerTop + 0.01) << band->Name() << " on page " << i + 1;
        }
        if (TfrxComponent* p = page->FindObject("Picture1")) {
            EXPECT_EQ(picturePage, -1) << "the picture prints once";
            picturePage = i;
            EXPECT_NEAR(p->AbsTop(), 20, 0.01);
            EXPECT_NEAR(p->Height(), 310, 0.01);
        }
    }
    EXPECT_EQ(picturePage, 2);
}

}  // namespace
