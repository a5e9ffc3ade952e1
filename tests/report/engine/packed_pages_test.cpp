// Report runs keep their prepared pages packed, also where the engine goes back to an
// earlier page (subreports side by side over pages) and moves a kept block onto the next
// page: every page holds its records when the run ends, the pages show what the layout
// made, and the file saved is the one of the same pages unpacked.
#include <gtest/gtest.h>

#include "platform/rtl/Streams.h"
#include "tests/report/engine/EngineFixture.h"
#include "tests/report/PackedPages.h"

namespace {

TfrxMasterData* SideMaster(TfrxReportPage* Page, const std::string& Side) {
    auto* band = new TfrxMasterData(Page);
    band->SetName("Master" + Side);
    band->SetBounds(0, 0, 300, 10);
    band->SetRowCount(40);
    auto* m = new TfrxMemoView(band);
    m->CreateUniqueName();
    m->SetBounds(0, 0, 80, 10);
    m->SetText(Side + "[Line]");
    return band;
}

// Rows First..Last of Master<Side>, 10 px apart from Top.
std::string Side(const std::string& Side, int First, int Last, int Top) {
    std::string s;
    for (int i = First; i <= Last; ++i)
        s += (s.empty() ? "" : " ") + ("Master" + Side) + "@" + std::to_string(Top + 10 * (i - First)) + "=" + Side +
             std::to_string(i);
    return s;
}

// Row n with its four details from Top on.
std::string Block(int Row, int Top) {
    std::string s = "MasterData1@" + std::to_string(Top) + "=n" + std::to_string(Row);
    for (int d = 1; d <= 4; ++d) s += " DetailData1@" + std::to_string(Top + 30 * d) + "=d" + std::to_string(d);
    return s;
}

struct TCase {
    const char* Name;
    int Rows;
    std::function<void(TBuilder&)> Build;
    std::vector<std::string> Expected;   // first and last page
};

const TCase kCases[] = {
    // Two subreports beside each other that both run over the page end: the second goes
    // back to the band's page and then onto the page the first made.
    {"SubreportsSideBySideOverPages", 1,
     [](TBuilder& b) {
         b.Memo(b.Band<TfrxPageHeader>("PageHeader1", 0, 20), "H");
         TfrxBand* md = b.Master(30, 20, "[DS.\"name\"]");
         md->ObjectList()[0]->SetWidth(80);
         for (const char* side : {"A", "B"}) {
             auto* page = new TfrxReportPage(b.Report.get());
             page->SetName(std::string("Page") + side);
             page->SetPaperSize(frxCustomPaperSize);
             page->SetPaperWidth(100);
             page->SetPaperHeight(100);
             SideMaster(page, side);
             auto* sub = new TfrxSubreport(md);
             sub->SetName(std::string("Subreport") + side);
             sub->SetBounds(side[0] == 'A' ? 100 : 200, 0, 90, md->Height());
             sub->SetPage(page);
         }
     },
     {"PageHeader1@0=H MasterData1@20=n1 " + Side("A", 1, 35, 20) + " " + Side("B", 1, 35, 20),
      "PageHeader1@0=H " + Side("A", 36, 40, 20) + " " + Side("B", 36, 40, 20)}},
    // Rows kept together with their details: a block that does not fit is cut from the
    // page and pasted onto the next one, two passes.
    {"KeptBlocksTwoPasses", 6,
     [](TBuilder& b) {
         b.Report->EngineOptions()->DoublePass = true;
         b.Master(0, 30, "[DS.\"name\"]")->KeepTogether = true;
         auto* dd = b.Band<TfrxDetailData>("DetailData1", 40, 30);
         dd->SetRowCount(4);
         b.Memo(dd, "d[Line]");
         b.Memo(b.Band<TfrxPageFooter>("PageFooter1", 200, 20), "[Page#]/[TotalPages]");
     },
     {Block(1, 0) + " " + Block(2, 150) + " PageFooter1@357.95=1/3",
      Block(5, 0) + " " + Block(6, 150) + " PageFooter1@357.95=3/3"}},
};

class PackedRunPages : public testing::TestWithParam<TCase> {};

TEST_P(PackedRunPages, StayPackedAndSaveAsUnpacked) {
    const TCase& c = GetParam();
    TBuilder b(c.Rows);
    c.Build(b);
    ASSERT_TRUE(b.Report->PrepareReport()) << b.Report->Errors()->Text();
    auto* store = dynamic_cast<TfrxPreviewPages*>(b.Report->PreviewPages());
    ASSERT_NE(store, nullptr);
    TfrxXMLItem* pages = store->XMLDoc().Root()->FindItem("previewpages");
    ASSERT_GE(pages->Count(), 2);
    for (int i = 0; i < pages->Count(); ++i) EXPECT_TRUE(pages->Items(i)->Packed()) << c.Name << " page " << i;
    const std::vector<std::string> shown = Pages(*b.Report);
    ASSERT_EQ(shown.size(), static_cast<size_t>(pages->Count()));
    EXPECT_EQ(shown.front(), c.Expected[0]) << c.Name;
    EXPECT_EQ(shown.back(), c.Expected[1]) << c.Name;
    const std::string saved = SavedPages(*store);
    UnpackAll(store->XMLDoc().Root());
    EXPECT_EQ(SavedPages(*store), saved) << c.Name;
}

INSTANTIATE_TEST_SUITE_P(Cases, PackedRunPages, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<TCase>& i) { return std::string(i.param.Name); });

}  // namespace
