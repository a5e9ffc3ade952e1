// Report runs over an SQLite table into prepared pages: which bands land on which page,
// at which top, with which texts.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/graphics/TextMeasurer.h"
#include "platform/rtl/DateTime.h"
#include "report/DrawText.h"
#include "tests/report/engine/EngineFixture.h"

namespace {

struct TRunCase {
    const char* Name;
    int Rows;
    std::function<void(TBuilder&)> Build;
    std::vector<std::string> Expected;
};

class EngineRun : public testing::TestWithParam<TRunCase> {};

TEST_P(EngineRun, PreparesThePages) {
    const TRunCase& c = GetParam();
    TBuilder b(c.Rows);
    c.Build(b);
    ASSERT_TRUE(b.Report->PrepareReport()) << b.Report->Errors()->Text();
    EXPECT_EQ(Pages(*b.Report), c.Expected);
    EXPECT_FALSE(b.Report->Engine()->Running);
}

// Title, page header, rows, summary and page footer of the simple list.
void SimpleList(TBuilder& b, const std::string& FooterText) {
    b.Memo(b.Band<TfrxReportTitle>("ReportTitle1", 0, 50), "Report");
    b.Memo(b.Band<TfrxPageHeader>("PageHeader1", 60, 20), "Head");
    b.Master(100, 30, "[DS.\"name\"]");
    b.Memo(b.Band<TfrxReportSummary>("ReportSummary1", 150, 20), "End");
    b.Memo(b.Band<TfrxPageFooter>("PageFooter1", 200, 30), FooterText);
}

const TRunCase kRunCases[] = {
    {"OnePage", 3, [](TBuilder& b) { SimpleList(b, "[Page#]"); },
     {"ReportTitle1@0=Report PageHeader1@50=Head " + Rows(1, 3, 70, 30, Name) +
      " ReportSummary1@160=End PageFooter1@347.95=1"}},
    // 9 rows fit below title and header, 10 below the header alone; the second pass
    // knows the page count.
    {"ThreePagesWithTotal", 25,
     [](TBuilder& b) {
         SimpleList(b, "[Page#] of [TotalPages]");
         b.Report->EngineOptions()->DoublePass = true;
     },
     {"ReportTitle1@0=Report PageHeader1@50=Head " + Rows(1, 9, 70, 30, Name) + " PageFooter1@347.95=1 of 3",
      "PageHeader1@0=Head " + Rows(10, 19, 20, 30, Name) + " PageFooter1@347.95=2 of 3",
      "PageHeader1@0=Head " + Rows(20, 25, 20, 30, Name) + " ReportSummary1@200=End PageFooter1@347.95=3 of 3"}},
    {"FirstPageFooterLeftOutButReserved", 12,
     [](TBuilder& b) {
         b.Master(100, 30, "[DS.\"name\"]");
         b.Memo(b.Band<TfrxPageFooter>("PageFooter1", 200, 30), "[Page#]")->Parent();
         static_cast<TfrxPageFooter*>(b.Page->FindBand<TfrxPageFooter>())->PrintOnFirstPage = false;
     },
     {Rows(1, 11, 0, 30, Name), Rows(12, 12, 0, 30, Name) + " PageFooter1@347.95=2"}},
    // The footer shows the last record of its group; the row line restarts per group.
    {"Groups", 5,
     [](TBuilder& b) {
         auto* gh = b.Band<TfrxGroupHeader>("GroupHeader1", 10, 20);
         gh->Condition = "DS.\"grp\"";
         b.Memo(gh, "[DS.\"grp\"]");
         b.Master(40, 20, "[DS.\"name\"]/[Line]");
         b.Memo(b.Band<TfrxGroupFooter>("GroupFooter1", 70, 20), "end [DS.\"name\"]");
     },
     {"GroupHeader1@0=a MasterData1@20=n1/1 MasterData1@40=n2/2 GroupFooter1@60=end n2 "
      "GroupHeader1@80=b MasterData1@100=n3/1 MasterData1@120=n4/2 MasterData1@140=n5/3 GroupFooter1@160=end n5"}},
    {"MasterDetailWithHeaderAndFooter", 2,
     [](TBuilder& b) {
         b.Memo(b.Band<TfrxHeader>("Header1", 0, 10), "H");
         b.Master(20, 20, "[DS.\"name\"]");
         auto* dd = b.Band<TfrxDetailData>("DetailData1", 50, 10);
         dd->SetRowCount(2);
         b.Memo(dd, "d[Line]");
         b.Memo(b.Band<TfrxFooter>("Footer1", 70, 10), "F");
     },
     // The footer right below the detail band is the detail's own.
     {"Header1@0=H MasterData1@10=n1 DetailData1@30=d1 DetailData1@40=d2 Footer1@50=F MasterData1@60=n2 "
      "DetailData1@80=d1 DetailData1@90=d2 Footer1@100=F"}},
    // An empty dataset prints neither header nor footer.
    {"EmptyMasterPrintsNoHeader", 0,
     [](TBuilder& b) {
         b.Memo(b.Band<TfrxHeader>("Header1", 0, 10), "H");
         b.Master(20, 20, "[DS.\"name\"]");
         b.Memo(b.Band<TfrxFooter>("Footer1", 70, 10), "F");
     },
     {""}},
    {"StartNewPageMakesNoEmptyFirstPage", 2,
     [](TBuilder& b) { b.Master(0, 20, "[DS.\"name\"]")->StartNewPage = true; },
     {Rows(1, 1, 0, 20, Name), Rows(2, 2, 0, 20, Name)}},
    // RowCount limits the rows of a band with a dataset as well.
    {"RowCountLimitsTheRowsOfADataSet", 5,
     [](TBuilder& b) { b.Master(0, 20, "[DS.\"name\"]")->SetRowCount(3); },
     {Rows(1, 3, 0, 20, Name)}},
    {"RowCountWithoutDataSet", 0,
     [](TBuilder& b) {
         auto* md = b.Band<TfrxMasterData>("MasterData1", 0, 20);
         md->SetRowCount(3);
         b.Memo(md, "[Line]");
     },
     {Rows(1, 3, 0, 20, [](int i) { return std::to_string(i); })}},
    // A group footer sums the rows of its own group only.
    {"GroupFooterSums", 5,
     [](TBuilder& b) {
         auto* gh = b.Band<TfrxGroupHeader>("GroupHeader1", 10, 20);
         gh->Condition = "DS.\"grp\"";
         b.Memo(gh, "[DS.\"grp\"]");
         b.Master(40, 20, "[DS.\"name\"]");
         b.Memo(b.Band<TfrxGroupFooter>("GroupFooter1", 70, 20), "[SUM(DS.\"amount\",MasterData1)]");
     },
     {"GroupHeader1@0=a MasterData1@20=n1 MasterData1@40=n2 GroupFooter1@60=3 "
      "GroupHeader1@80=b MasterData1@100=n3 MasterData1@120=n4 MasterData1@140=n5 GroupFooter1@160=12"}},
    // A row kept together with its details moves to the next page whole when they do not
    // fit (the first row of a page run never starts a block).
    {"KeepTogetherMovesTheRowWithItsDetails", 4,
     [](TBuilder& b) {
         b.Master(0, 30, "[DS.\"name\"]")->KeepTogether = true;
         auto* dd = b.Band<TfrxDetailData>("DetailData1", 40, 30);
         dd->SetRowCount(4);
         b.Memo(dd, "d[Line]");
     },
     {Rows(1, 1, 0, 0, Name) + " DetailData1@30=d1 DetailData1@60=d2 DetailData1@90=d3 DetailData1@120=d4 " +
          Rows(2, 2, 150, 0, Name) + " DetailData1@180=d1 DetailData1@210=d2 DetailData1@240=d3 DetailData1@270=d4",
      Rows(3, 3, 0, 0, Name) + " DetailData1@30=d1 DetailData1@60=d2 DetailData1@90=d3 DetailData1@120=d4 " +
          Rows(4, 4, 150, 0, Name) + " DetailData1@180=d1 DetailData1@210=d2 DetailData1@240=d3 DetailData1@270=d4"}},
    // A header that reprints on every page its rows continue onto.
    {"ReprintedHeader", 14,
     [](TBuilder& b) {
         b.Memo(b.Band<TfrxHeader>("Header1", 0, 20), "H");
         static_cast<TfrxHeader*>(b.Page->FindBand<TfrxHeader>())->ReprintOnNewPage = true;
         b.Master(30, 30, "[DS.\"name\"]");
     },
     {"Header1@0=H " + Rows(1, 11, 20, 30, Name), "Header1@0=H " + Rows(12, 14, 20, 30, Name)}},
};

INSTANTIATE_TEST_SUITE_P(Cases, EngineRun, testing::ValuesIn(kRunCases),
                         [](const testing::TestParamInfo<TRunCase>& i) { return std::string(i.param.Name); });

// Misplaced bands stop the run before any page, each reported with its name.
TEST(EngineBandTree, MisplacedBandsAreReported) {
    struct Case {
        const char* Name;
        std::function<void(TBuilder&)> Build;
        std::string Error;
    };
    const Case cases[] = {
        {"HeaderWithoutData", [](TBuilder& b) { b.Band<TfrxHeader>("Header1", 0, 10); },
         "未连接的页眉/页脚 Header1"},
        {"GroupFooterWithoutHeader",
         [](TBuilder& b) {
             b.Band<TfrxGroupFooter>("GroupFooter1", 0, 10);
             b.Master(20, 10, "x");
         },
         "无组头 GroupFooter1"},
        {"GroupWithoutData", [](TBuilder& b) { b.Band<TfrxGroupHeader>("GroupHeader1", 0, 10); },
         "该组无数据区带 GroupHeader1"},
        {"DetailWithoutMaster",
         [](TBuilder& b) { b.Band<TfrxDetailData>("DetailData1", 0, 10)->SetRowCount(1); },
         "不正确的区带位置: DetailData1"},
    };
    for (const Case& c : cases) {
        TBuilder b(2);
        c.Build(b);
        EXPECT_FALSE(b.Report->PrepareReport()) << c.Name;
        EXPECT_GE(b.Report->Errors()->IndexOf(c.Error), 0) << c.Name << ": " << b.Report->Errors()->Text();
        EXPECT_EQ(b.Report->PreviewPages()->Count(), 0) << c.Name;
        EXPECT_FALSE(b.Report->Engine()->Running) << c.Name;
    }
}

// Two bands whose tops format alike count as one position: the later one never prints.
TEST(EngineBandTree, BandsAtTheSamePositionCountOnce) {
    TBuilder b(1);
    b.Master(100.001, 10, "first");
    auto* second = b.Band<TfrxMasterData>("MasterData2", 100.004, 10);
    second->SetRowCount(1);
    b.Memo(second, "second");
    ASSERT_TRUE(b.Report->PrepareReport()) << b.Report->Errors()->Text();
    EXPECT_EQ(Pages(*b.Report), std::vector<std::string>{"MasterData1@0=first"});
}

// Stopping the report ends the run after the current row; the page is still closed.
TEST(EngineRunControl, StopReportEndsAfterTheCurrentRow) {
    TBuilder b(10);
    b.Master(0, 20, "[DS.\"name\"]");
    b.Memo(b.Band<TfrxPageFooter>("PageFooter1", 200, 30), "F");
    TfrxReport* report = b.Report.get();
    report->OnAfterPrint = [report](TfrxReportComponent* Sender) {
        if (Sender->Is<TfrxMasterData>() && report->Engine()->CurLine == 3) report->Engine()->StopReport();
    };
    ASSERT_TRUE(report->PrepareReport()) << report->Errors()->Text();
    EXPECT_EQ(Pages(*report), std::vector<std::string>{Rows(1, 3, 0, 20, Name) + " PageFooter1@347.95=F"});
    EXPECT_FALSE(report->Engine()->Running);
}

// A memo that grows pushes the objects below it: each moves once, an smAlways object by
// the growth, an smWhenOverlapped one only as far as the new bottom reaches into it.
TEST(EngineBandOutput, GrowingMemoShiftsTheObjectsBelowOnce) {
    TBuilder b(1);
    TFakeTextMeasurer measurer;
    b.Report->DrawText()->SetMeasurer(&measurer);
    auto* md = b.Band<TfrxMasterData>("MasterData1", 0, 100);
    md->SetRowCount(1);
    auto* a = b.Memo(md, "a\r\nb\r\nc\r\nd", 0, 20);
    a->SetName("Grows");
    a->SetWidth(300);
    a->SetStretchMode(smActualHeight);
    const double grown = a->CalcHeight();
    const double g = grown - 20;
    ASSERT_GT(g, 10);
    struct Below {
        const char* Name;
        double Left, Top;
        TfrxShiftMode Mode;
        double ExpectedTop;
    };
    const Below below[] = {
        {"B", 0, 30, smAlways, 30 + g},
        {"C", 0, 60, smAlways, 60 + g},   // below B: moved once, not twice
        {"D", 200, 30, smWhenOverlapped, 20 + g},
        {"E", 295, 30 + g, smWhenOverlapped, 30 + g},   // clear of D, 10 below the new bottom
        {"F", 100, 40, smDontShift, 40},
    };
    for (const Below& o : below) {
        auto* m = b.Memo(md, o.Name, o.Top, 20);
        m->SetName(o.Name);
        m->SetLeft(o.Left);
        m->SetWidth(90);
        m->SetShiftMode(o.Mode);
    }
    md->Stretched = true;
    ASSERT_TRUE(b.Report->PrepareReport()) << b.Report->Errors()->Text();
    TfrxPage* page = b.Report->PreviewPages()->GetPage(0);
    ASSERT_NE(page, nullptr);
    EXPECT_NEAR(page->FindObject("Grows")->Height(), grown, 0.01);
    for (const Below& o : below) {
        TfrxComponent* m = page->FindObject(o.Name);
        ASSERT_NE(m, nullptr) << o.Name;
        EXPECT_NEAR(m->Top(), o.ExpectedTop, 0.01) << o.Name;
    }
    // The stretched band ends at its lowest object.
    EXPECT_NEAR(page->FindObject("MasterData1")->Height(), 60 + g + 20, 0.01);
}

// A band that may split prints its long memo across pages, every line once and in order.
TEST(EngineBandOutput, SplitBandCarriesTheTextOverPages) {
    TBuilder b(1);
    TFakeTextMeasurer measurer;
    b.Report->DrawText()->SetMeasurer(&measurer);
    b.Memo(b.Band<TfrxPageHeader>("PageHeader1", 0, 20), "Head");
    auto* md = b.Band<TfrxMasterData>("MasterData1", 30, 20);
    md->SetRowCount(1);
    md->AllowSplit = true;
    md->Stretched = true;
    std::string text;
    for (int i = 1; i <= 60; ++i) text += (i > 1 ? "\r\n" : "") + std::string("line ") + std::to_string(i);
    auto* m = b.Memo(md, text, 0, 20);
    m->SetName("Long");
    m->SetStretchMode(smActualHeight);
    b.Memo(b.Band<TfrxPageFooter>("PageFooter1", 200, 30), "[Page#]");
    ASSERT_TRUE(b.Report->PrepareReport()) << b.Report->Errors()->Text();
    TfrxCustomPreviewPages* pp = b.Report->PreviewPages();
    ASSERT_GE(pp->Count(), 2);
    std::string joined;
    for (int i = 0; i < pp->Count(); ++i) {
        TfrxPage* page = pp->GetPage(i);
        TfrxComponent* part = page->FindObject("Long");
        ASSERT_NE(part, nullptr) << "page " << i + 1;
        TfrxComponent* band = part->Parent();
        // Each part starts right below the page header and stays above the footer.
        EXPECT_NEAR(band->Top(), i == 0 ? 20 : 20, 0.01) << "page " << i + 1;
        EXPECT_LE(band->Top() + band->Height(), 377.953 - 30 + 0.01) << "page " << i + 1;
        if (!joined.empty()) joined += "\r\n";
        joined += MemoText(part);
        EXPECT_EQ(MemoText(page->FindObject("PageFooter1")->ObjectList().front()), std::to_string(i + 1));
    }
    EXPECT_EQ(joined, text);
}


// An object on the engine's notification list hears of every data row printed, with its
// band (and the row's line), masters and details in the order they print.
class TRowWatcher : public TfrxReportComponent {
public:
    TRowWatcher() : TfrxReportComponent(nullptr) {}
    void Draw(TCanvas*, double, double, double, double) override {}
    void OnNotify(TfrxBand* Band) override {
        if (!Heard.empty()) Heard += ' ';
        Heard += Band->Name() + ":" + std::to_string(Band->Report()->Engine()->CurLine);
    }
    std::string Heard;
};

TEST(EngineRunControl, NotificationListHearsOfEveryRow) {
    TBuilder b(2);
    b.Master(0, 20, "[DS.\"name\"]");
    auto* dd = b.Band<TfrxDetailData>("DetailData1", 30, 10);
    dd->SetRowCount(2);
    b.Memo(dd, "d[Line]");
    TRowWatcher watcher;
    TfrxReport* report = b.Report.get();
    // The list is emptied when the run starts: the watcher joins at the first band.
    report->OnBeforePrint = [report, &watcher](TfrxReportComponent*) {
        auto& list = report->Engine()->NotifyList();
        if (list.empty()) list.push_back(&watcher);
    };
    ASSERT_TRUE(report->PrepareReport()) << report->Errors()->Text();
    EXPECT_EQ(watcher.Heard, "MasterData1:1 DetailData1:1 DetailData1:2 MasterData1:2 DetailData1:1 DetailData1:2");
    report->Engine()->NotifyList().clear();
}


// The system variables Date and Time show the run's start: the date, and the time of day
// alone.
TEST(EngineRunControl, DateAndTimeOfTheRun) {
    SetClock([] { return EncodeDate(2026, 12, 10) + EncodeTime(22, 8, 13, 0); });
    struct TRestore {
        ~TRestore() { SetClock(nullptr); }
    } restore;
    TBuilder b(1);
    b.Master(0, 20, "[Date] [Time]");
    ASSERT_TRUE(b.Report->PrepareReport()) << b.Report->Errors()->Text();
    EXPECT_EQ(Pages(*b.Report), std::vector<std::string>{"MasterData1@0=2026-12-10 22:08:13"});
    EXPECT_EQ(b.Report->Engine()->StartDate, EncodeDate(2026, 12, 10));
    EXPECT_NEAR(b.Report->Engine()->StartTime, EncodeTime(22, 8, 13, 0), 1e-9);
}


// A window's query opened before the report runs (its rows read then) is read again when
// the database was written to since, by this connection or by another one, and used as it
// stands otherwise.
TEST(EngineDataSets, AnOpenQueryIsReadAgainWhenItsDatabaseChanged) {
    TBuilder b(2);
    b.Master(0, 20, "[DS.\"amount\"]");
    int opened = 0;
    b.Db.Query->AfterOpen = [&opened](TDataSet*) { ++opened; };
    b.Db.Query->Open();
    auto run = [&b] {
        // The report reloads its template after a run; the query, a component of no
        // window, is linked again by hand as a window's would be by its name.
        auto* ds = dynamic_cast<TfrxDBDataset*>(b.Report->GetDataset("DS"));
        EXPECT_NE(ds, nullptr);
        if (ds) ds->SetDataSet(b.Db.Query.get());
        EXPECT_TRUE(b.Report->PrepareReport()) << b.Report->Errors()->Text();
        return Pages(*b.Report);
    };
    using P = std::vector<std::string>;
    EXPECT_EQ(run(), (P{"MasterData1@0=1 MasterData1@20=2"}));
    EXPECT_EQ(run(), (P{"MasterData1@0=1 MasterData1@20=2"}));
    EXPECT_EQ(opened, 1) << "nothing changed: the rows read when it opened serve";
    TADOQuery update(nullptr);
    update.SetConnection(b.Db.Connection.get());
    update.SQL()->SetText("update items set amount = 95 where id = 1");
    update.ExecSQL();
    EXPECT_EQ(run(), (P{"MasterData1@0=95 MasterData1@20=2"}));
    EXPECT_EQ(opened, 2);
    {
        TSqliteDatabase other;
        other.Open(b.Db.FileName, TSqliteDatabase::omReadWrite);
        other.ExecScript("update items set amount = 90 where id = 2;");
    }
    EXPECT_EQ(run(), (P{"MasterData1@0=95 MasterData1@20=90"}));
    EXPECT_EQ(opened, 3);
    b.Db.Query->AfterOpen = nullptr;
}

}  // namespace
