// Mouse and keyboard on the workspace: handlers called with window pixels.
#include <gtest/gtest.h>

#include "tests/designer/workspace/WorkspaceFixture.h"

namespace {

using DM = TfrxDesignMode;

TEST(WorkspaceInput, GridSnapsWholeStepsFromTheDragStartAndAltMovesFreely) {
    struct Case {
        int DX;
        TShiftState Shift;
        double Moved;
    };
    for (const Case& c : {Case{3, 0, 0}, Case{8, 0, 7.55906}, Case{-8, 0, -7.55906}, Case{8, ssAlt, 8}}) {
        TWorkspaceFixture f;
        auto* m = f.AddMemo(f.Page, "Memo1", 100, 100, 50, 20);
        f.Select({m});
        // Alt goes down after the press (held before it, Alt over a memo edits its text).
        f.Ws->MouseMove(0, 120, 110);
        f.Ws->MouseDown(mbLeft, 0, 120, 110);
        f.Ws->MouseMove(c.Shift | ssLeft, 120 + c.DX, 110);
        f.Ws->MouseUp(mbLeft, c.Shift, 120 + c.DX, 110);
        EXPECT_NEAR(m->Left(), 100 + c.Moved, 1e-7) << c.DX;
        EXPECT_EQ(f.Modifies, c.Moved != 0 ? 1 : 0);
    }
}

TEST(WorkspaceInput, ClicksSelectByHitOrder) {
    TWorkspaceFixture f;
    f.Ws->SetShowBandCaptions(true);   // 18.89765 caption strip on a centimetre grid
    auto* band = f.AddBand<TfrxMasterData>("MasterData1", 100, 60);
    auto* memo = f.AddMemo(band, "Memo1", 10, 10, 80, 20);
    struct Case {
        int X, Y;
        TShiftState Shift;
        TfrxComponent* Expected;
    };
    const Case cases[] = {
        {300, 90, 0, band},       // the caption strip above the band
        {30, 115, 0, memo},       // a memo on the band, not the band
        {300, 140, 0, band},      // the band itself
        {300, 400, 0, f.Page},    // nothing: the page
    };
    for (const Case& c : cases) {
        f.Select({f.Page});
        f.Click(c.X, c.Y, c.Shift);
        ASSERT_EQ(f.Selected.size(), 1u);
        EXPECT_EQ(f.Selected[0], c.Expected) << c.X << "," << c.Y;
    }
    // Shift-click on the only selected object leaves the page selected, no drag mode.
    f.Select({memo});
    f.Ws->MouseDown(mbLeft, ssShift, 30, 115);
    EXPECT_EQ(f.Selected, std::vector<TfrxComponent*>{f.Page});
    EXPECT_EQ(f.Ws->Mode(), DM::dmNone);
    f.Ws->MouseUp(mbLeft, ssShift, 30, 115);
}

TEST(WorkspaceInput, RubberBandTakesTouchedObjectsButNeverBands) {
    TWorkspaceFixture f;
    auto* band = f.AddBand<TfrxMasterData>("MasterData1", 100, 60);
    auto* a = f.AddMemo(band, "A", 10, 10, 80, 20);   // 10..90 x 110..130
    auto* b = f.AddMemo(f.Page, "B", 300, 300, 50, 20);
    // Ctrl-drag starting on an object draws a band instead of moving it.
    f.Drag(20, 115, 90, 200, ssCtrl);
    EXPECT_DOUBLE_EQ(a->Left(), 10);
    EXPECT_EQ(f.Selected, std::vector<TfrxComponent*>{a});
    // A band touching B's left edge exactly takes it.
    f.Drag(250, 280, 300, 310);
    ASSERT_EQ(f.Selected.size(), 1u);
    EXPECT_EQ(f.Selected[0], b);
    EXPECT_EQ(f.Selected[0]->Name(), "B");
    // Over nothing but the band: the page.
    f.Drag(400, 120, 500, 150, ssCtrl);
    EXPECT_EQ(f.Selected, std::vector<TfrxComponent*>{f.Page});
}

TEST(WorkspaceInput, SizingPastTheOppositeCornerMirrorsTheHandle) {
    TWorkspaceFixture f;
    f.Ws->GridAlign = false;
    auto* m = f.AddMemo(f.Page, "Memo1", 100, 100, 50, 20);
    f.Select({m});
    f.Ws->MouseMove(0, 100, 100);   // over the top-left handle
    EXPECT_EQ(f.Ws->Mode(), DM::dmSize);
    EXPECT_EQ(f.Ws->SizeHandle(), 1);
    EXPECT_EQ(f.Ws->Cursor(), crSizeNWSE);
    f.Ws->MouseDown(mbLeft, 0, 100, 100);
    f.Ws->MouseMove(ssLeft, 180, 130);   // 30 right of and 10 below the bottom-right corner
    EXPECT_EQ(f.Ws->SizeHandle(), 2);
    EXPECT_NEAR(m->Left(), 150, 1e-9);
    EXPECT_NEAR(m->Top(), 120, 1e-9);
    EXPECT_NEAR(m->Width(), 30, 1e-9);
    EXPECT_NEAR(m->Height(), 10, 1e-9);
    f.Ws->MouseUp(mbLeft, 0, 180, 130);
    EXPECT_EQ(f.Modifies, 1);
    // The mirror tables, width, height and both.
    const int width[9] = {0, 3, 4, 1, 2, 6, 5, 0, 0};
    for (int h : {1, 2, 3, 4, 5, 6}) {
        TWorkspaceFixture g;
        g.Ws->GridAlign = false;
        auto* o = g.AddMemo(g.Page, "Memo1", 100, 100, 50, 40);
        g.Select({o});
        const double hx[9] = {0, 100, 150, 150, 100, 150, 100, 125, 125};
        const double hy[9] = {0, 100, 140, 100, 140, 120, 120, 100, 140};
        g.Ws->MouseMove(0, int(hx[h]), int(hy[h]));
        ASSERT_EQ(g.Ws->SizeHandle(), h);
        g.Ws->MouseDown(mbLeft, 0, int(hx[h]), int(hy[h]));
        const int dx = (h == 1 || h == 4 || h == 6) ? 80 : -80;
        g.Ws->MouseMove(ssLeft, int(hx[h]) + dx, int(hy[h]));
        EXPECT_EQ(g.Ws->SizeHandle(), width[h]) << h;
        EXPECT_GT(o->Width(), 0);
        g.Ws->MouseUp(mbLeft, 0, int(hx[h]) + dx, int(hy[h]));
    }
}

TEST(WorkspaceInput, AVerticalBandDragsOnlySideways) {
    TWorkspaceFixture f;
    auto* v = f.AddBand<TfrxMasterData>("MasterData1", 0, 300);
    v->Vertical = true;
    v->SetBounds(100, 0, 60, 300);
    f.Reload();
    f.Select({v});
    f.Drag(120, 150, 158, 190);
    EXPECT_DOUBLE_EQ(v->Top(), 0);
    EXPECT_NEAR(v->Left(), 100 + 3.77953 * 10, 1e-7);
}

TEST(WorkspaceInput, InsertionClickGivesTheDefaultSizeAndALineKeepsItsExtent) {
    TWorkspaceFixture f;
    f.Ws->SetInsertion(TfrxMemoView::StaticClass(), 94.48825, 18.89765, 0);
    EXPECT_EQ(f.Ws->Mode(), DM::dmInsertObject);
    EXPECT_EQ(f.Ws->Cursor(), crCross);
    f.Click(200, 150);
    ASSERT_EQ(f.Inserts, 1);
    const TfrxInsertion& in = f.Ws->Insertion();
    // The outline moved from its parked place in whole grid steps.
    EXPECT_NEAR(std::fmod(in.Left, 3.77953), 0, 1e-6);
    EXPECT_NEAR(in.Width, 94.48825, 1e-8);
    EXPECT_NEAR(in.Height, 18.89765, 1e-8);
    // A line tool: the drawn extent stays.
    f.Ws->SetInsertion(TfrxLineView::StaticClass(), 0, 0, 0);
    EXPECT_EQ(f.Ws->Mode(), DM::dmInsertLine);
    EXPECT_EQ(f.Ws->Cursor(), crPencil);
    f.Ws->GridAlign = false;
    f.Ws->MouseMove(0, 100, 100);
    f.Ws->MouseDown(mbLeft, 0, 100, 100);
    f.Ws->MouseMove(ssLeft, 250, 104);
    f.Ws->MouseUp(mbLeft, 0, 250, 104);
    EXPECT_NEAR(f.Ws->Insertion().Left, 100, 1e-8);
    EXPECT_NEAR(f.Ws->Insertion().Width, 150, 1e-8);
    // Leaving the surface parks the outline on the grid, off the surface.
    f.Ws->SetInsertion(TfrxMemoView::StaticClass(), 20, 20, 0);
    f.Ws->MouseMove(0, 300, 300);
    f.Ws->MouseLeave();
    EXPECT_NEAR(f.Ws->Insertion().Left, -3779.53, 1e-6);
}

TEST(WorkspaceInput, ArrowsPickTheNeighbourAndAltArrowsJoinIt) {
    TWorkspaceFixture f;
    auto* a = f.AddMemo(f.Page, "A", 10, 10, 50, 20);
    auto* b = f.AddMemo(f.Page, "B", 200, 12, 50, 20);
    auto* c = f.AddMemo(f.Page, "C", 10, 100, 50, 20);
    struct Case {
        TfrxComponent* From;
        uint16_t Key;
        TfrxComponent* To;
    };
    for (const Case& k : {Case{a, VK_RIGHT, b}, Case{b, VK_LEFT, a}, Case{a, VK_DOWN, c}, Case{c, VK_UP, a}}) {
        f.Select({k.From});
        uint16_t key = k.Key;
        f.Ws->KeyDown(key, 0);
        EXPECT_EQ(f.Selected, std::vector<TfrxComponent*>{k.To});
    }
    f.Select({a});
    uint16_t key = VK_RIGHT;
    f.Ws->KeyDown(key, ssAlt);
    EXPECT_DOUBLE_EQ(a->Left() + a->Width(), b->Left());
}

TEST(WorkspaceInput, DoubleClickEditsAndSwallowsTheNextPress) {
    TWorkspaceFixture f;
    auto* a = f.AddMemo(f.Page, "A", 10, 10, 50, 20);
    auto* b = f.AddMemo(f.Page, "B", 200, 10, 50, 20);
    f.Select({a});
    f.Ws->DblClick();
    EXPECT_EQ(f.Edits, 1);
    f.Ws->MouseDown(mbLeft, 0, 210, 15);   // on B, swallowed
    f.Ws->MouseUp(mbLeft, 0, 210, 15);
    EXPECT_EQ(f.Selected, std::vector<TfrxComponent*>{a});
    (void)b;
    f.Select({f.Page});
    f.Ws->DblClick();
    EXPECT_EQ(f.Edits, 2);   // the page alone is one entry: it is edited
}

TEST(WorkspaceInput, BandEdgeDragResizesWithoutGoingNegative) {
    TWorkspaceFixture f;
    auto* band = f.AddBand<TfrxMasterData>("MasterData1", 100, 40);
    f.Ws->MouseMove(0, 300, 140);
    EXPECT_EQ(f.Ws->Mode(), DM::dmSizeBand);
    EXPECT_EQ(f.Ws->Cursor(), crVSplit);
    f.Ws->MouseDown(mbLeft, 0, 300, 140);
    f.Ws->MouseMove(ssLeft, 300, 158);
    EXPECT_NEAR(band->Height(), 40 + 3.77953 * 4, 1e-7);
    f.Ws->MouseMove(ssLeft, 300, -400);
    EXPECT_GE(band->Height(), 0);
    f.Ws->MouseUp(mbLeft, 0, 300, -400);
    // A band keeps the height its objects need.
    auto* m = f.AddMemo(band, "Memo1", 0, 0, 50, 30);
    (void)m;
    f.Ws->MouseMove(0, 300, int(100 + band->Height()));
    f.Ws->MouseDown(mbLeft, 0, 300, int(100 + band->Height()));
    f.Ws->MouseMove(ssLeft, 300, 60);
    EXPECT_GE(band->Height(), 30);
    f.Ws->MouseUp(mbLeft, 0, 300, 60);
}

TEST(WorkspaceInput, GroupScaleWithAZeroWidthGroupKeepsItsWidth) {
    TWorkspaceFixture f;
    f.Ws->GridAlign = false;
    auto* l1 = f.AddLine(f.Page, "Line1", 100, 100, 0, 50);
    auto* l2 = f.AddLine(f.Page, "Line2", 100, 200, 0, 50);
    f.Select({l1, l2});
    f.Ws->MouseMove(0, 100, 250);   // the anchor's bottom-right corner
    ASSERT_EQ(f.Ws->Mode(), DM::dmScale);
    f.Ws->MouseDown(mbLeft, 0, 100, 250);
    f.Ws->MouseMove(ssLeft, 130, 400);
    EXPECT_TRUE(std::isfinite(l1->Left()));
    EXPECT_DOUBLE_EQ(l1->Width(), 0);
    EXPECT_NEAR(l2->Top(), 100 + 2 * 100, 1e-9);   // the group's height doubled
    f.Ws->MouseUp(mbLeft, 0, 130, 400);
}

TEST(WorkspaceInput, InPlaceEditArithmetic) {
    TWorkspaceFixture f;
    f.Ws->SetScale(2);
    auto* m = f.AddMemo(f.Page, "Memo1", 10, 10, 100, 20);
    m->SetText("one\r\ntwo\r\n");
    f.Ws->InplaceMemo()->Edit(m);
    TInplaceMemo* e = f.Ws->InplaceMemo();
    EXPECT_EQ(e->Width(), 201);
    EXPECT_EQ(e->Text(), "one\r\ntwo");
    // Without typing nothing changes.
    e->EditDone();
    EXPECT_EQ(m->Text(), "one\r\ntwo\r\n");
    EXPECT_EQ(f.Modifies, 0);
    // Widened to 221 while typing: the memo becomes (221 + 5) / 2 wide.
    e->Edit(m);
    e->SetWidth(221);
    e->SetText("one\r\ntwo\r\nthree");
    e->SetModified(true);
    e->EditDone();
    EXPECT_DOUBLE_EQ(m->Width(), 113);
    EXPECT_EQ(f.Modifies, 1);
    EXPECT_FALSE(e->Visible());
    // Esc discards.
    e->Edit(m);
    e->SetText("changed");
    e->SetModified(true);
    uint16_t esc = VK_ESCAPE;
    e->KeyDown(esc, 0);
    EXPECT_EQ(f.Modifies, 1);
    EXPECT_NE(m->Text(), "changed");
}

TEST(WorkspaceInput, LockedSurfaceIgnoresInput) {
    TWorkspaceFixture f;
    auto* m = f.AddMemo(f.Page, "Memo1", 100, 100, 50, 20);
    f.Ws->Lock();
    f.Click(110, 110);
    EXPECT_EQ(f.Selected, std::vector<TfrxComponent*>{f.Page});
    f.Ws->Unlock();
    f.Click(110, 110);
    EXPECT_EQ(f.Selected, std::vector<TfrxComponent*>{m});
}

}  // namespace
