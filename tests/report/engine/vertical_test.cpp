// Vertical bands: the objects of horizontal bands within a vertical band's span print as
// one cell per record of the vertical band, across the page, with the vertical header's
// cell first; cells past the page width go on the next page, the header shown again.
#include <gtest/gtest.h>

#include "tests/report/engine/EngineFixture.h"

namespace {

// "Band@top=text@x|text@x" for every band of the page.
std::string DescribeCells(TfrxPage* Page) {
    std::string out;
    if (!Page) return "(no page)";
    for (TfrxComponent* b : Page->ObjectList()) {
        if (!out.empty()) out += ' ';
        out += b->Name() + "@" + Number(b->Top()) + "=";
        bool first = true;
        for (TfrxComponent* c : b->ObjectList()) {
            out += (first ? "" : "|") + MemoText(c) + "@" + Number(c->Left());
            first = false;
        }
    }
    return out;
}

TfrxMemoView* MemoAt(TfrxBand* Band, const std::string& Text, double Left, double Width) {
    auto* m = new TfrxMemoView(Band);
    m->CreateUniqueName();
    m->SetBounds(Left, 0, Width, Band->Height());
    m->SetText(Text);
    return m;
}

// A vertical header (x 0..100) and a vertical master band over the items (x 100..150);
// a horizontal header row naming the items and two master rows with their amounts.
void CrossingBands(TBuilder& b) {
    auto* vheader = b.Band<TfrxHeader>("VHeader", 0, 377);
    vheader->Vertical = true;
    vheader->SetLeft(0);
    vheader->SetWidth(100);
    vheader->ReprintOnNewPage = true;
    auto* vmaster = b.Band<TfrxMasterData>("VMaster", 0, 377);
    vmaster->Vertical = true;
    vmaster->SetLeft(100);
    vmaster->SetWidth(50);
    vmaster->SetDataSet(b.DS);
    auto* header = b.Band<TfrxHeader>("Header1", 0, 20);
    MemoAt(header, "Item", 0, 90);
    MemoAt(header, "[DS.\"name\"]", 100, 50);
    auto* rows = b.Band<TfrxMasterData>("MasterData1", 30, 20);
    rows->SetRowCount(2);
    MemoAt(rows, "row [Line]", 0, 90);
    // In a data cell Line counts the vertical band's records; in the header cell the row's.
    MemoAt(rows, "[DS.\"amount\"]x[Line]", 100, 50);
    b.Memo(b.Band<TfrxFooter>("Footer1", 60, 20), "end")->SetLeft(160);
}

std::string Cells(int First, int Last, const std::function<std::string(int)>& Text) {
    std::string s;
    for (int i = First; i <= Last; ++i) s += "|" + Text(i) + "@" + Number(100 + (i - First) * 50);
    return s;
}

TEST(VerticalBands, FiveRecordsAcrossOnePage) {
    TBuilder b(5);
    CrossingBands(b);
    ASSERT_TRUE(b.Report->PrepareReport()) << b.Report->Errors()->Text();
    TfrxCustomPreviewPages* pp = b.Report->PreviewPages();
    ASSERT_EQ(pp->Count(), 1);
    auto amount = [](int) { return [](int i) { return std::to_string(i) + "x" + std::to_string(i); }; };
    EXPECT_EQ(DescribeCells(pp->GetPage(0)),
              "Header1@0=Item@0" + Cells(1, 5, Name) + " MasterData1@20=row 1@0" + Cells(1, 5, amount(1)) +
                  " MasterData1@40=row 2@0" + Cells(1, 5, amount(2)) + " Footer1@60=end@160");
}

// Eight records: five fit beside the header (100 + 5 x 50 = 350 of 377.95 px); the other
// three go on the second page after the header cell again, each row at its own height.
TEST(VerticalBands, CellsPastThePageWidthGoOnTheNextPage) {
    TBuilder b(8);
    CrossingBands(b);
    ASSERT_TRUE(b.Report->PrepareReport()) << b.Report->Errors()->Text();
    TfrxCustomPreviewPages* pp = b.Report->PreviewPages();
    ASSERT_EQ(pp->Count(), 2);
    auto amount = [](int) { return [](int i) { return std::to_string(i) + "x" + std::to_string(i); }; };
    EXPECT_EQ(DescribeCells(pp->GetPage(0)),
              "Header1@0=Item@0" + Cells(1, 5, Name) + " MasterData1@20=row 1@0" + Cells(1, 5, amount(1)) +
                  " MasterData1@40=row 2@0" + Cells(1, 5, amount(2)) + " Footer1@60=end@160");
    EXPECT_EQ(DescribeCells(pp->GetPage(1)), "Header1@0=Item@0" + Cells(6, 8, Name) + " MasterData1@20=row 1@0" +
                                                 Cells(6, 8, amount(1)) + " MasterData1@40=row 2@0" +
                                                 Cells(6, 8, amount(2)));
}

// A sum in the report summary within the vertical band's span adds up its column: the
// amount of each record over the two rows.
TEST(VerticalBands, SummaryCellsSumTheirColumn) {
    TBuilder b(5);
    CrossingBands(b);
    auto* summary = b.Band<TfrxReportSummary>("ReportSummary1", 100, 20);
    MemoAt(summary, "total", 0, 90);
    MemoAt(summary, "[SUM(DS.\"amount\")]", 100, 50);
    ASSERT_TRUE(b.Report->PrepareReport()) << b.Report->Errors()->Text();
    const std::string page = DescribeCells(b.Report->PreviewPages()->GetPage(0));
    const std::string expected = "ReportSummary1@80=total@0" + Cells(1, 5, [](int i) { return std::to_string(2 * i); });
    EXPECT_NE(page.find(expected), std::string::npos) << page;
}

// A vertical band without a dataset has no records: its objects print nowhere, and the
// rest of the report runs.
TEST(VerticalBands, WithoutDataSetPrintNoCells) {
    TBuilder b(3);
    CrossingBands(b);
    static_cast<TfrxDataBand*>(b.Page->FindObject("VMaster"))->SetDataSet(nullptr);
    ASSERT_TRUE(b.Report->PrepareReport()) << b.Report->Errors()->Text();
    EXPECT_EQ(DescribeCells(b.Report->PreviewPages()->GetPage(0)),
              "Header1@0= MasterData1@20= MasterData1@40= Footer1@60=end@160");
}

}  // namespace
