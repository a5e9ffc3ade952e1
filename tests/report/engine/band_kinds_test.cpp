// The band output asks each object's class what it is (report component, stretchable,
// subreport, dot-matrix memo; a band's class whether it is a data band, the null band or
// a footer) and keeps the answers per class. A report printing bands and views of more
// classes than the engine keeps answers for at once must come out as every answer says.
#include <gtest/gtest.h>

#include "platform/graphics/TextMeasurer.h"
#include "platform/rtl/Format.h"
#include "report/DrawText.h"
#include "report/LineView.h"
#include "report/PictureView.h"
#include "tests/report/engine/EngineFixture.h"

// Picture views of classes of their own, to fill the engine's table of classes early.
#define ROVE_KIND_TEST_PICTURE(N)                                                               \
    class TfrxKindTestPicture##N : public TfrxPictureView {                                     \
        ROVE_CLASS(TfrxKindTestPicture##N, TfrxPictureView)                                     \
    public:                                                                                     \
        explicit TfrxKindTestPicture##N(TComponent* AOwner) : TfrxPictureView(AOwner) {}        \
    };                                                                                          \
    ROVE_IMPLEMENT_CLASS(TfrxKindTestPicture##N)
ROVE_KIND_TEST_PICTURE(1)
ROVE_KIND_TEST_PICTURE(2)
ROVE_KIND_TEST_PICTURE(3)
ROVE_KIND_TEST_PICTURE(4)
ROVE_KIND_TEST_PICTURE(5)
ROVE_KIND_TEST_PICTURE(6)
ROVE_KIND_TEST_PICTURE(7)
ROVE_KIND_TEST_PICTURE(8)
ROVE_KIND_TEST_PICTURE(9)
ROVE_KIND_TEST_PICTURE(10)
ROVE_KIND_TEST_PICTURE(11)
ROVE_KIND_TEST_PICTURE(12)
#undef ROVE_KIND_TEST_PICTURE

namespace {

// On Band: the memo "Grows" at Top, 10 high, stretching to Text, and the line "Rule" that
// reaches the band's lowest bottom (max height).
void GrowingMemoAndRule(TBuilder& b, TfrxBand* Band, const std::string& Text, double Top) {
    auto* grows = b.Memo(Band, Text, Top, 10);
    grows->SetName("Grows");
    grows->SetStretchMode(smActualHeight);
    auto* rule = new TfrxLineView(Band);
    rule->SetName("Rule");
    rule->SetBounds(250, 5, 0, 5);
    rule->SetStretchMode(smMaxHeight);
}

TEST(EngineBandKinds, AnswersHoldWhileManyClassesPrint) {
    const int rows = 12;   // items: grp "a" for rows 1 and 2, "b" after; amount = row
    TBuilder b(rows);
    TFakeTextMeasurer measurer;
    b.Report->DrawText()->SetMeasurer(&measurer);

    // Bands of fourteen classes (the null band holds the page's own memo) and views of
    // sixteen, twelve of them in the title that prints first.
    b.Memo(b.Band<TfrxOverlay>("Overlay1", 0, 10), "overlay");
    auto* title = b.Band<TfrxReportTitle>("ReportTitle1", 20, 20);
    b.Memo(title, "title");
    new TfrxPictureView(title);
    for (TfrxPictureView* p :
         std::initializer_list<TfrxPictureView*>{new TfrxKindTestPicture1(title), new TfrxKindTestPicture2(title),
                                                 new TfrxKindTestPicture3(title), new TfrxKindTestPicture4(title),
                                                 new TfrxKindTestPicture5(title), new TfrxKindTestPicture6(title),
                                                 new TfrxKindTestPicture7(title), new TfrxKindTestPicture8(title),
                                                 new TfrxKindTestPicture9(title), new TfrxKindTestPicture10(title),
                                                 new TfrxKindTestPicture11(title), new TfrxKindTestPicture12(title)})
        p->SetBounds(0, 0, 10, 10);
    new TfrxLineView(title);
    auto* sys = new TfrxSysMemoView(title);
    sys->SetText("[Page#]");
    b.Memo(b.Band<TfrxPageHeader>("PageHeader1", 50, 20), "page header");
    b.Memo(b.Band<TfrxColumnHeader>("ColumnHeader1", 80, 20), "column header");
    b.Memo(b.Band<TfrxHeader>("Header1", 110, 20), "header");
    auto* group = b.Band<TfrxGroupHeader>("GroupHeader1", 140, 20);
    group->Condition = "DS.\"grp\"";
    b.Memo(group, "[DS.\"grp\"]");
    auto* md = b.Band<TfrxMasterData>("MasterData1", 170, 20);
    md->SetDataSet(b.DS);
    md->Stretched = true;
    GrowingMemoAndRule(b, md, "[DS.\"name\"]\r\nx\r\ny", 0);
    auto* child = b.Band<TfrxChild>("Child1", 200, 10);
    b.Memo(child, "child");
    md->SetChild(child);
    b.Memo(b.Band<TfrxGroupFooter>("GroupFooter1", 220, 20), "[SUM(<DS.\"amount\">,MasterData1)]");
    b.Memo(b.Band<TfrxFooter>("Footer1", 250, 20), "[SUM(<DS.\"amount\">,MasterData1)]");
    b.Memo(b.Band<TfrxColumnFooter>("ColumnFooter1", 280, 20), "column footer");
    b.Memo(b.Band<TfrxPageFooter>("PageFooter1", 310, 20), "page footer");
    b.Memo(b.Band<TfrxReportSummary>("ReportSummary1", 340, 20), "[SUM(<DS.\"amount\">,MasterData1)]");
    auto* loose = new TfrxMemoView(b.Page);
    loose->SetName("Loose");
    loose->SetBounds(0, 0, 50, 10);
    loose->SetText("loose");

    ASSERT_TRUE(b.Report->PrepareReport()) << b.Report->Errors()->Text();

    double groupA = 0, all = 0;
    for (int i = 1; i <= rows; ++i) {
        if (i <= 2) groupA += i;
        all += i;
    }
    std::vector<std::string> groupFooters, footers, summaries;
    int dataRows = 0, looseMemos = 0;
    TfrxCustomPreviewPages* pp = b.Report->PreviewPages();
    for (int p = 0; p < pp->Count(); ++p) {
        TfrxPage* page = pp->GetPage(p);
        ASSERT_NE(page, nullptr);
        for (TfrxComponent* band : page->ObjectList()) {
            if (band->FindObject("Loose")) {
                // The null band stays at the page's origin, where the page's objects are.
                ++looseMemos;
                EXPECT_EQ(band->Top(), 0);
            }
            if (band->Name() == "GroupFooter1") groupFooters.push_back(MemoText(band->ObjectList().at(0)));
            if (band->Name() == "Footer1") footers.push_back(MemoText(band->ObjectList().at(0)));
            if (band->Name() == "ReportSummary1") summaries.push_back(MemoText(band->ObjectList().at(0)));
            if (band->Name() != "MasterData1") continue;
            ++dataRows;
            TfrxComponent* memo = band->FindObject("Grows");
            TfrxComponent* line = band->FindObject("Rule");
            ASSERT_NE(memo, nullptr);
            ASSERT_NE(line, nullptr);
            // The memo grew, the stretched band ends at its bottom, the line reaches it.
            EXPECT_GT(memo->Height(), 10);
            EXPECT_NEAR(band->Height(), memo->Top() + memo->Height(), 0.01);
            EXPECT_NEAR(line->Top() + line->Height(), band->Height(), 0.01);
        }
    }
    EXPECT_EQ(dataRows, rows);
    EXPECT_EQ(looseMemos, 1);
    // Each group footer's total starts again (it is a footer); the footer and the summary
    // count every row.
    EXPECT_EQ(groupFooters, (std::vector<std::string>{FloatToStr(groupA), FloatToStr(all - groupA)}));
    EXPECT_EQ(footers, std::vector<std::string>{FloatToStr(all)});
    EXPECT_EQ(summaries, std::vector<std::string>{FloatToStr(all)});
}

}  // namespace

// Max-height objects reach the band's lowest bottom as it was before the band's
// after-calc-height event, which may move objects; stretched or not.
TEST(EngineBandKinds, MaxHeightObjectsReachTheLowestBottomBeforeTheEvent) {
    struct TCase {
        const char* Name;
        bool Stretched;
        bool EventMovesTheMemo;
    };
    const TCase cases[] = {
        {"plain band", false, false},
        {"stretched band", true, false},
        {"event moves the memo", false, true},
        {"stretched, event moves the memo", true, true},
    };
    const double moved = 50;   // the memo starts at 10
    for (const TCase& c : cases) {
        TBuilder b(1);
        TFakeTextMeasurer measurer;
        b.Report->DrawText()->SetMeasurer(&measurer);
        auto* md = b.Band<TfrxMasterData>("MasterData1", 0, 100);
        md->SetDataSet(b.DS);
        md->Stretched = c.Stretched;
        GrowingMemoAndRule(b, md, "a\r\nb\r\nc\r\nd\r\ne\r\nf", 10);
        if (c.EventMovesTheMemo) {
            md->OnAfterCalcHeight = "Moved";
            b.Report->ScriptText()->SetText(
                "procedure Moved(Sender: TfrxComponent); begin Grows.Top := Grows.Top + " +
                std::to_string(static_cast<int>(moved)) + " end;\r\nbegin end.");
        }
        ASSERT_TRUE(b.Report->PrepareReport()) << c.Name << ": " << b.Report->Errors()->Text();
        TfrxPage* page = b.Report->PreviewPages()->GetPage(0);
        ASSERT_NE(page, nullptr) << c.Name;
        TfrxComponent* memo = page->FindObject("Grows");
        TfrxComponent* line = page->FindObject("Rule");
        ASSERT_NE(memo, nullptr) << c.Name;
        ASSERT_NE(line, nullptr) << c.Name;
        EXPECT_GT(memo->Height(), 10) << c.Name;
        EXPECT_NEAR(memo->Top(), c.EventMovesTheMemo ? 10 + moved : 10, 0.01) << c.Name;
        EXPECT_NEAR(line->Top() + line->Height(), 10 + memo->Height(), 0.01) << c.Name;
    }
}

// The group condition is calculated on every row with the name table's entry kept on the
// header for the condition's text: a condition a script changes while the report runs is
// calculated as it now reads.
TEST(EngineGroups, AChangedConditionIsCalculatedAsItNowReads) {
    const int rows = 6;   // grp "a" for rows 1 and 2, "b" after; names n1 .. n6
    struct TCase {
        const char* Name;
        bool ScriptSwitchesToName;   // the header's before-print event changes it
        int Headers;
    };
    const TCase cases[] = {
        {"the condition as it was", false, 2},
        {"changed by the header's script", true, rows},
    };
    for (const TCase& c : cases) {
        TBuilder b(rows);
        auto* group = b.Band<TfrxGroupHeader>("GroupHeader1", 0, 20);
        group->Condition = "DS.\"grp\"";
        b.Memo(group, "[DS.\"grp\"]");
        b.Master(30, 20, "[DS.\"name\"]");
        if (c.ScriptSwitchesToName) {
            group->OnBeforePrint = "Switch";
            b.Report->ScriptText()->SetText(
                "procedure Switch(Sender: TfrxComponent); begin GroupHeader1.Condition := 'DS.\"name\"' end;\r\n"
                "begin end.");
        }
        ASSERT_TRUE(b.Report->PrepareReport()) << c.Name << ": " << b.Report->Errors()->Text();
        int headers = 0;
        for (const std::string& page : Pages(*b.Report))
            for (size_t at = page.find("GroupHeader1@"); at != std::string::npos; at = page.find("GroupHeader1@", at + 1))
                ++headers;
        EXPECT_EQ(headers, c.Headers) << c.Name;
    }
}
