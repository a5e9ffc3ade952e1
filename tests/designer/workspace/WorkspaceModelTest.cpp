// The workspace's model: selection counting, deleting, groups, band stacking, scale and the
// keyboard steps.
#include <gtest/gtest.h>

#include "tests/designer/workspace/WorkspaceFixture.h"

namespace {

TEST(WorkspaceModel, PageAloneCountsAsNothingSelectedAndDeleteDoesNothing) {
    TWorkspaceFixture f;
    auto* band = f.AddBand<TfrxMasterData>("MasterData1", 20, 40);
    f.AddMemo(band, "Memo1", 10, 5, 80, 20);
    EXPECT_EQ(f.Ws->SelectedCount(), 0);
    f.Ws->DeleteObjects();
    EXPECT_EQ(f.Objects.size(), 4u);
    EXPECT_EQ(f.Modifies, 0);
    f.Select({f.Report.get()});
    EXPECT_EQ(f.Ws->SelectedCount(), 0);
}

TEST(WorkspaceModel, DeletingABandFreesItsObjectsAndKeepsUndeletableOnes) {
    TWorkspaceFixture f;
    auto* band = f.AddBand<TfrxMasterData>("MasterData1", 20, 40);
    auto* child = f.AddMemo(band, "Memo1", 10, 5, 80, 20);
    auto* keep = f.AddMemo(f.Page, "Memo2", 10, 200, 80, 20);
    keep->SetRestrictions(TfrxRestrictions{rfDontDelete});
    f.Select({band, child, keep});
    f.Ws->DeleteObjects();
    ASSERT_EQ(f.Selected.size(), 1u);
    EXPECT_EQ(f.Selected[0], keep);
    EXPECT_EQ(f.Page->FindObject("MasterData1"), nullptr);
    EXPECT_EQ(f.Page->FindObject("Memo1"), nullptr);
    EXPECT_EQ(f.Objects.size(), 3u);   // Memo2, the report, the page
    EXPECT_EQ(f.Modifies, 1);
    // Deleting the last one puts the page back in the selection.
    keep->SetRestrictions(TfrxRestrictions{});
    f.Ws->DeleteObjects();
    ASSERT_EQ(f.Selected.size(), 1u);
    EXPECT_EQ(f.Selected[0], f.Page);
}

TEST(WorkspaceModel, GroupTakesTheSmallestFreeIndexAndClickingAMemberSelectsTheGroup) {
    struct Case {
        std::vector<int> Used;
        int Expected;
    };
    for (const Case& c : {Case{{}, 1}, Case{{1, 2}, 3}, Case{{2}, 1}, Case{{1, 3}, 2}}) {
        TWorkspaceFixture f;
        std::vector<TfrxMemoView*> others;
        for (size_t i = 0; i < c.Used.size(); ++i) {
            auto* m = f.AddMemo(f.Page, ("Other" + std::to_string(i)).c_str(), 300, 40.0 * i, 50, 20);
            m->SetGroupIndex(c.Used[i]);
        }
        auto* a = f.AddMemo(f.Page, "A", 10, 10, 50, 20);
        auto* b = f.AddMemo(f.Page, "B", 10, 100, 50, 20);
        f.Select({a, b});
        f.Ws->GroupObjects();
        EXPECT_EQ(a->GroupIndex(), c.Expected);
        EXPECT_EQ(b->GroupIndex(), c.Expected);
        f.Select({f.Page});
        f.Click(20, 15);
        EXPECT_EQ(f.Selected.size(), 2u);
        f.Ws->UngroupObjects();
        EXPECT_EQ(a->GroupIndex(), 0);
    }
}

TEST(WorkspaceModel, StackingPutsHeadersFirstWithGapsBetweenKinds) {
    for (bool titleFirst : {false, true}) {
        TWorkspaceFixture f;
        f.Ws->FreeBands = false;
        f.Ws->GridY = 3.77953;
        f.Page->TitleBeforeHeader = titleFirst;
        auto* footer = f.AddBand<TfrxPageFooter>("PageFooter1", 0, 20);
        auto* data = f.AddBand<TfrxMasterData>("MasterData1", 500, 30);
        auto* title = f.AddBand<TfrxReportTitle>("ReportTitle1", 300, 20);
        auto* header = f.AddBand<TfrxPageHeader>("PageHeader1", 100, 20);
        f.Ws->AdjustBands();
        TfrxBand* first = titleFirst ? static_cast<TfrxBand*>(title) : header;
        TfrxBand* second = titleFirst ? static_cast<TfrxBand*>(header) : title;
        EXPECT_DOUBLE_EQ(first->Top(), 0);
        const double g = 3.77953;
        EXPECT_NEAR(second->Top(), g * std::nearbyint(20 / g), 1e-7);
        // The data band gets the kind gap (1 cm on a centimetre grid) above it, the footer too.
        EXPECT_NEAR(data->Top(), 37.7953 + g * std::nearbyint((second->Top() + 20) / g), 1e-7);
        EXPECT_NEAR(footer->Top(), 37.7953 + g * std::nearbyint((data->Top() + 30) / g), 1e-7);
        // Bands come first in the list.
        for (size_t i = 0; i < 4; ++i) EXPECT_TRUE(dynamic_cast<TfrxBand*>(f.Objects[i])) << i;
    }
}

TEST(WorkspaceModel, AViewBelongsToTheBandUnderItsTopEdge) {
    TWorkspaceFixture f;
    auto* band = f.AddBand<TfrxMasterData>("MasterData1", 100, 40);
    auto* within = f.AddMemo(f.Page, "Within", 10, 100 - 0.00005, 50, 20);
    auto* above = f.AddMemo(band, "Above", 10, -10, 50, 20);   // 10 above the band
    auto* below = f.AddMemo(f.Page, "Below", 10, 140, 50, 20);  // at the band's bottom
    f.Ws->AdjustBands();
    EXPECT_EQ(within->Parent(), band);
    EXPECT_NEAR(within->Top(), -0.00005, 1e-9);
    EXPECT_EQ(above->Parent(), f.Page);
    EXPECT_DOUBLE_EQ(above->Top(), 90);
    EXPECT_EQ(below->Parent(), f.Page);
}

// Overlapping bands: a view goes to the last band in the list whose span holds its top;
// a tall band listed first reaches views under the short bands listed after it.
TEST(WorkspaceModel, AViewUnderOverlappingBandsGoesToTheLastOneListed) {
    TWorkspaceFixture f;
    auto* tall = f.AddBand<TfrxMasterData>("Tall", 100, 300);     // 100 .. 400
    auto* first = f.AddBand<TfrxMasterData>("First", 120, 60);    // 120 .. 180
    auto* second = f.AddBand<TfrxMasterData>("Second", 150, 60);  // 150 .. 210
    auto* far = f.AddBand<TfrxMasterData>("Far", 600, 40);        // 600 .. 640
    struct TRow {
        const char* Name;
        double Top;
        TfrxComponent* Band;
    };
    const TRow rows[] = {
        {"in the tall band only", 110, tall},   {"in the first too", 130, first},
        {"in all three", 160, second},         {"past the first's end", 185, second},
        {"under the tall band again", 300, tall}, {"between the bands", 500, f.Page},
        {"in the far band", 620, far},           {"above every band", 20, f.Page},
    };
    std::vector<TfrxMemoView*> memos;
    for (const TRow& r : rows)
        memos.push_back(f.AddMemo(f.Page, ("M" + std::to_string(memos.size() + 1)).c_str(), 10, r.Top, 50, 10));
    f.Ws->AdjustBands();
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].Name);
        EXPECT_EQ(memos[i]->Parent(), rows[i].Band);
        EXPECT_NEAR(memos[i]->AbsTop(), rows[i].Top, 1e-9);
    }
}

TEST(WorkspaceModel, ScaleSizesTheSheetAndInsetsTheSurface) {
    struct Case {
        double Scale, Expected;
        int PanelW, PanelH, Inset;
    };
    for (const Case& c : {Case{2, 2, 1588, 2246, 76}, Case{0, 1, 794, 1123, 38}, Case{-3, 1, 794, 1123, 38},
                          Case{100, 20, 15880, 22460, 760}}) {
        TWorkspaceFixture f;
        f.Ws->SetPageDimensions(794, 1123, Rect(38, 38, 38, 38));
        f.Ws->SetScale(c.Scale);
        SCOPED_TRACE(c.Scale);
        EXPECT_EQ(f.Ws->Scale(), c.Expected);
        EXPECT_EQ(f.Ws->MarginsPanel()->Width(), c.PanelW);
        EXPECT_EQ(f.Ws->MarginsPanel()->Height(), c.PanelH);
        EXPECT_EQ(f.Ws->Left() - f.Ws->MarginsPanel()->Left(), c.Inset);
        EXPECT_EQ(f.Ws->Width(), c.PanelW - 2 * c.Inset);
    }
}

TEST(WorkspaceModel, KeyboardStepsMoveAndSizeByGridUnits) {
    struct Case {
        TfrxGridType Grid;
        uint16_t Key;
        TShiftState Shift;
        double L, T, W, H;
    };
    const Case cases[] = {
        {gtCm, VK_RIGHT, ssCtrl, 11, 20, 50, 20},  {gtCm, VK_UP, ssCtrl, 10, 19, 50, 20},
        {gtChar, VK_RIGHT, ssCtrl, 19.6, 20, 50, 20}, {gtChar, VK_DOWN, ssCtrl, 10, 37, 50, 20},
        {gtCm, VK_RIGHT, ssShift, 10, 20, 51, 20},  {gtChar, VK_DOWN, ssShift, 10, 20, 50, 37},
    };
    for (const Case& c : cases) {
        TWorkspaceFixture f;
        f.Ws->SetGridType(c.Grid);
        auto* m = f.AddMemo(f.Page, "Memo1", 10, 20, 50, 20);
        f.Select({m});
        uint16_t key = c.Key;
        f.Ws->KeyDown(key, c.Shift);
        uint16_t up = c.Key;
        f.Ws->KeyUp(up, c.Shift);
        EXPECT_NEAR(m->Left(), c.L, 1e-9);
        EXPECT_NEAR(m->Top(), c.T, 1e-9);
        EXPECT_NEAR(m->Width(), c.W, 1e-9);
        EXPECT_NEAR(m->Height(), c.H, 1e-9);
        EXPECT_EQ(f.Modifies, 1);
    }
    // A size step that would make the width negative is taken back.
    TWorkspaceFixture f;
    auto* m = f.AddMemo(f.Page, "Memo1", 10, 20, 0.5, 20);
    f.Select({m});
    f.Ws->SizeSelection(-1, 0);
    EXPECT_DOUBLE_EQ(m->Width(), 0.5);
}

}  // namespace
