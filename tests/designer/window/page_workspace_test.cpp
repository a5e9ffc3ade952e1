// The page workspace as a user drives it: guides dragged from the rulers, hovered, moved,
// snapped to and dropped off the page; the zoom tool's steps; the format painter; text
// objects on a dot-matrix page; pasted objects that follow the mouse; the hand tool; the
// field drop-down of text in data bands; fields dragged from the data tree.
#include <gtest/gtest.h>

#include "DesignerFixture.h"
#include "designer/controls/Ruler.h"
#include "designer/editors/Registration.h"
#include "designer/trees/DataTree.h"
#include "designer/undo/UndoBuffer.h"
#include "designer/workspace/PageWorkspace.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Format.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Keys.h"
#include "report/DataSet.h"
#include "report/DotMatrix.h"

namespace {
using H = TUiTestHarness;

// A designer whose surface puts things where the mouse lets go (no grid alignment).
struct TFreeDesigner : TDesignerFixture {
    TFreeDesigner() {
        Form->SetGridAlign(false);
        Form->SetScale(1);
        H::ProcessMessages();
    }
    TDesignerWorkspace* Ws() const { return Form->Workspace; }
    // A point of the surface 5 pixels inside the object's top-left corner (the bands are
    // stacked when the window opens, so the objects stand where the page put them).
    TPoint At(const char* Name) const {
        TfrxComponent* c = Find(Name);
        return Point(static_cast<int>(c->AbsLeft()) + 5, static_cast<int>(c->AbsTop()) + 5);
    }
    TfrxReportPage* Page() const { return dynamic_cast<TfrxReportPage*>(Report->Pages(0)); }
    // Drags from a ruler to a point of the surface (or, with Away, on to the status bar)
    // and lets go there.
    void DragFromRuler(TfrxRuler* Ruler, TPoint OnSurface, bool Away = false) {
        const TPoint start{Ruler->Width() / 2 < 100 ? Ruler->Width() / 2 : 100, Ruler->Height() / 2};
        const TPoint target = Ruler->ScreenToClient(Ws()->ClientToScreen(OnSurface));
        H::MouseDown(Ruler, start);
        H::MouseMove(Ruler, Point(start.X + 10, start.Y + 10), ssLeft);
        H::MouseMove(Ruler, target, ssLeft);
        TPoint end = target;
        if (Away) {
            end = Ruler->ScreenToClient(Form->StatusBar->ClientToScreen(Point(300, 8)));
            H::MouseMove(Ruler, end, ssLeft);
        }
        H::MouseUp(Ruler, end);
    }
    // A press at From, the mouse to To with the button held, and the release there.
    void Drag(TPoint From, TPoint To) {
        H::MouseMove(Ws(), From);
        H::MouseDown(Ws(), From);
        H::MouseMove(Ws(), Point((From.X + To.X) / 2, (From.Y + To.Y) / 2), ssLeft);
        H::MouseMove(Ws(), To, ssLeft);
        H::MouseUp(Ws(), To);
    }
    // A dataset "Doctors" of three fields, in the report.
    TfrxUserDataSet* AddDoctors() {
        auto* ds = new TfrxUserDataSet(Report.get());
        ds->SetName("DoctorsDS");
        ds->SetUserName("Doctors");
        for (const char* field : {"医生", "科室", "金额"}) ds->Fields()->Add(field);
        Report->DataSets()->Add(ds);
        return ds;
    }
    std::vector<double> Guides(bool Vertical) const {
        TStringList* g = Vertical ? Page()->VGuides() : Page()->HGuides();
        std::vector<double> out;
        for (int i = 0; i < g->Count(); ++i) out.push_back(StrToFloat((*g)[i]));
        return out;
    }
};

// A guide dragged from the top ruler lies where the mouse let go; the mouse within 5
// pixels of it takes it (the split cursor), drags it, and a guide let go within 3 pixels
// of the page's edge is gone; one let go further in stays.
TEST(DesignerPageWorkspace, GuidesFromTheRulersAreHoveredMovedAndDroppedOff) {
    struct TCase {
        const char* Name;
        int DropTo;                  // where the guide is dragged to, y on the surface
        std::vector<double> After;   // the horizontal guides after the release
    };
    const TCase cases[] = {
        {"moved down", 300, {300}},
        {"moved to 4 pixels from the top", 4, {4}},
        {"moved to 2 pixels from the top", 2, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TFreeDesigner f;
        f.DragFromRuler(f.Form->TopRuler, TPoint{200, 250});
        ASSERT_EQ(f.Guides(false), std::vector<double>{250});
        EXPECT_TRUE(f.Guides(true).empty());
        EXPECT_TRUE(f.Form->Modified());
        // Hovered 4 pixels off: the guide is taken.
        H::MouseMove(f.Ws(), TPoint{200, 254});
        EXPECT_EQ(f.Ws()->Mode(), dmMoveGuide);
        EXPECT_EQ(f.Ws()->CurrentCursor(), crVSplit);
        f.Drag(TPoint{200, 254}, TPoint{200, c.DropTo + 4});
        EXPECT_EQ(f.Guides(false), c.After);
        // 6 pixels off a guide the mouse takes none.
        H::MouseMove(f.Ws(), TPoint{200, c.DropTo + 6});
        EXPECT_NE(f.Ws()->Mode(), dmMoveGuide);
        EXPECT_TRUE(f.Harness.Errors().empty());
    }
}

// A drag from a ruler that leaves the page and is let go elsewhere adds no guide and
// leaves no line over the page.
TEST(DesignerPageWorkspace, ARulerDragLetGoElsewhereLeavesNoLine) {
    TFreeDesigner f;
    const TPoint at{150, 400};   // below the bands, where the page is empty
    const int32_t before = H::PixelAt(f.Ws(), at);
    ASSERT_NE(before, clBlack);
    f.DragFromRuler(f.Form->TopRuler, at, true);
    EXPECT_TRUE(f.Guides(false).empty());
    EXPECT_EQ(H::PixelAt(f.Ws(), at), before);
    // The same drag let go on the page draws its guide there.
    f.DragFromRuler(f.Form->LeftRuler, at);
    EXPECT_EQ(f.Guides(true), std::vector<double>{150});
    EXPECT_TRUE(f.Harness.Errors().empty());
}

// A memo moved to within 6 pixels of a vertical guide snaps to it while the guides are
// shown; with the guides hidden it goes where it was dragged, and the guide is still there.
TEST(DesignerPageWorkspace, MovedObjectsSnapToShownGuides) {
    for (bool shown : {true, false}) {
        SCOPED_TRACE(shown ? "shown" : "hidden");
        TFreeDesigner f;
        f.DragFromRuler(f.Form->LeftRuler, TPoint{300, 400});
        ASSERT_EQ(f.Guides(true), std::vector<double>{300});
        if (!shown) H::ClickMenuItem(f.Form->ShowGuidesMI);
        ASSERT_EQ(f.Form->ShowGuides(), shown);
        TfrxComponent* memo = f.Find("Memo3");   // left 120
        const TPoint p = f.At("Memo3");
        f.Drag(p, Point(p.X + 176, p.Y));
        EXPECT_DOUBLE_EQ(memo->AbsLeft(), shown ? 300 : 296);
        EXPECT_EQ(f.Guides(true), std::vector<double>{300});
    }
}

// The zoom tool: a left click zooms in (by 1 from 100 %, by 0.25 below), a right click
// out (by 1 from 200 %, by 0.25 above 40 %, not at all from there).
TEST(DesignerPageWorkspace, TheZoomToolStepsInAndOut) {
    struct TCase {
        double From;
        TMouseButton Button;
        double To;
    };
    const TCase cases[] = {{1.5, mbLeft, 2.5}, {1.5, mbRight, 1.25}, {0.5, mbLeft, 0.75}, {1, mbLeft, 2},
                           {2, mbRight, 1},    {0.5, mbRight, 0.25}, {0.4, mbRight, 0.4}, {0.25, mbRight, 0.25}};
    for (const TCase& c : cases) {
        TFreeDesigner f;
        f.Form->SetScale(c.From);
        H::Click(f.Form->ZoomToolB);
        H::Click(f.Ws(), TPoint{60, 60}, c.Button);
        EXPECT_DOUBLE_EQ(f.Form->Scale(), c.To) << c.From << (c.Button == mbLeft ? " in" : " out");
        EXPECT_TRUE(f.Harness.Errors().empty());
    }
}

// The format painter gives the memo clicked the selected memo's colour, font, frame and
// alignment; a memo that may not be modified keeps its own.
TEST(DesignerPageWorkspace, TheFormatPainterCopiesTheSelectedMemosLook) {
    for (bool locked : {false, true}) {
        SCOPED_TRACE(locked ? "locked" : "free");
        TFreeDesigner f;
        auto* from = dynamic_cast<TfrxMemoView*>(f.Find("Memo2"));
        auto* to = dynamic_cast<TfrxMemoView*>(f.Find("Memo3"));
        from->SetColor(clYellow);
        from->Font()->SetStyle(TFontStyles{fsBold});
        from->HAlign = haRight;
        from->Frame()->Typ = TfrxFrameTypes{ftLeft, ftTop};
        if (locked) to->SetRestrictions(TfrxRestrictions{rfDontModify});
        H::Click(f.Ws(), f.At("Memo2"));
        ASSERT_EQ(f.Selection(), std::vector<TfrxComponent*>{from});
        H::Click(f.Form->FormatToolB);
        H::Click(f.Ws(), f.At("Memo3"));
        EXPECT_EQ(to->Color() == clYellow, !locked);
        EXPECT_EQ(to->Font()->Style().Contains(fsBold), !locked);
        EXPECT_EQ(to->HAlign == haRight, !locked);
        EXPECT_EQ(to->Frame()->Typ == from->Frame()->Typ, !locked);
        EXPECT_EQ(f.Form->Modified(), !locked);
    }
}

// On a dot-matrix page the text tool makes a dot-matrix text object.
TEST(DesignerPageWorkspace, TheTextToolMakesDotMatrixTextOnADotMatrixPage) {
    for (bool dmp : {false, true}) {
        SCOPED_TRACE(dmp ? "dot-matrix page" : "report page");
        TFreeDesigner f;
        auto* page = dmp ? static_cast<TfrxReportPage*>(new TfrxDMPPage(f.Report.get())) : new TfrxReportPage(f.Report.get());
        page->SetName("Page2");
        f.Form->ReloadPages(0);
        H::ClickTab(f.Form->Tab, 2);
        ASSERT_EQ(f.Form->Page(), page);
        H::Click(f.Form->TextToolB);
        f.Drag(TPoint{40, 40}, TPoint{200, 60});
        ASSERT_EQ(f.Selection().size(), 1u);
        EXPECT_EQ(f.Selection()[0]->ClassName(), dmp ? "TfrxDMPMemoView" : "TfrxMemoView");
        EXPECT_EQ(f.Selection()[0]->Parent(), page);
        EXPECT_TRUE(f.Ws()->InplaceMemo()->Visible());
        H::TypeKey(f.Ws()->InplaceMemo(), VK_ESCAPE);
    }
}

// A pasted object follows the mouse until a click puts it down.
TEST(DesignerPageWorkspace, APastedObjectFollowsTheMouse) {
    TFreeDesigner f;
    H::Click(f.Ws(), f.At("Memo3"));
    ASSERT_EQ(f.Selection(), std::vector<TfrxComponent*>{f.Find("Memo3")});
    H::TypeKey(H::FocusedControl(), 'C', ssCtrl);
    H::TypeKey(H::FocusedControl(), 'V', ssCtrl);
    ASSERT_EQ(f.Selection().size(), 1u);
    TfrxComponent* pasted = f.Selection()[0];
    ASSERT_NE(pasted, f.Find("Memo3"));
    // It comes at the page's corner and is held 20 pixels right of and below it.
    H::MouseMove(f.Ws(), TPoint{220, 320});
    H::MouseMove(f.Ws(), TPoint{240, 420});
    H::Click(f.Ws(), TPoint{240, 420});
    EXPECT_DOUBLE_EQ(pasted->AbsLeft(), 220);
    EXPECT_DOUBLE_EQ(pasted->AbsTop(), 400);
    // The next move leaves it there.
    H::MouseMove(f.Ws(), TPoint{400, 500});
    EXPECT_DOUBLE_EQ(pasted->AbsLeft(), 220);
    EXPECT_TRUE(f.Form->Modified());
    EXPECT_TRUE(f.Harness.Errors().empty());
}

std::string TextOf(TfrxComponent* Memo) {
    std::string t = dynamic_cast<TfrxCustomMemoView*>(Memo)->Text();
    while (!t.empty() && (t.back() == '\n' || t.back() == '\r')) t.pop_back();
    return t;
}

// The hand tool drags the page: the page scrolls by the mouse's movement, so the point of
// the page under the mouse stays under it; a direction that cannot scroll further takes
// the mouse where it is as its new start.
TEST(DesignerPageWorkspace, TheHandToolScrollsThePageByTheDrag) {
    struct TCase {
        const char* Name;
        TPoint Start;                // scroll positions before the drag
        std::vector<TPoint> Moves;   // where the mouse goes, from the press, in turn
        TPoint After;                // scroll positions after the release
    };
    const TCase cases[] = {
        {"up and left", {200, 200}, {{-50, -80}}, {250, 280}},
        {"down and right in two steps", {200, 200}, {{30, 20}, {60, 40}}, {140, 160}},
        {"past the top-left and back", {0, 0}, {{30, 30}, {10, 10}}, {20, 20}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TFreeDesigner f;
        f.Form->SetScale(2);
        TScrollBox* box = f.Form->ScrollBox;
        box->HorzScrollBar()->SetPosition(c.Start.X);
        box->VertScrollBar()->SetPosition(c.Start.Y);
        H::ProcessMessages();
        ASSERT_EQ(box->HorzScrollBar()->Position(), c.Start.X);
        ASSERT_EQ(box->VertScrollBar()->Position(), c.Start.Y);
        H::Click(f.Form->HandToolB);
        // The mouse goes by the screen: the form's client area does not scroll.
        const TPoint screen = box->Parent()->ClientToScreen(Point(box->Left() + 150, box->Top() + 150));
        const TPoint press = f.Ws()->ScreenToClient(screen);
        H::MouseMove(f.Ws(), press);
        H::MouseDown(f.Ws(), press);
        TPoint at = screen;
        for (TPoint m : c.Moves) {
            at = Point(screen.X + m.X, screen.Y + m.Y);
            H::MouseMove(f.Form.get(), f.Form->ScreenToClient(at), ssLeft);
        }
        H::MouseUp(f.Form.get(), f.Form->ScreenToClient(at));
        EXPECT_EQ(box->HorzScrollBar()->Position(), c.After.X);
        EXPECT_EQ(box->VertScrollBar()->Position(), c.After.Y);
        // The drag moved nothing on the page and changed nothing.
        EXPECT_FALSE(f.Form->Modified());
        EXPECT_TRUE(f.Harness.Errors().empty());
    }
}

// A text object in a data band shows a drop-down button at its top-right corner while the
// mouse is over it; a click on the button opens the list of the band's dataset's fields, and
// the item clicked binds the object to that field, its text the field's expression, as one
// change. A text object in a band without a dataset shows none: the click selects it.
TEST(DesignerPageWorkspace, TheFieldDropDownBindsATextToAField) {
    struct TCase {
        const char* Name;
        bool BandDataSet;
        int Item;   // the field clicked in the list
    };
    const TCase cases[] = {
        {"the first field", true, 0},
        {"the third field", true, 2},
        {"a band without a dataset", false, -1},
    };
    const std::vector<std::string> fields{"医生", "科室", "金额"};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TFreeDesigner f;
        TfrxUserDataSet* doctors = f.AddDoctors();
        if (c.BandDataSet) dynamic_cast<TfrxDataBand*>(f.Find("MasterData1"))->SetDataSet(doctors);
        f.Form->ReloadReport();
        auto* memo = dynamic_cast<TfrxMemoView*>(f.Find("Memo2"));
        const int steps = f.Form->UndoBuffer()->UndoCount();
        // 8 pixels inside the top-right corner: on the button.
        const TPoint button{static_cast<int>(memo->AbsLeft() + memo->Width()) - 8, static_cast<int>(memo->AbsTop()) + 8};
        H::MouseMove(f.Ws(), button);
        EXPECT_EQ(f.Ws()->DropDownMemo() == memo, c.BandDataSet);
        H::Click(f.Ws(), button);
        TListBox* list = f.Ws()->FieldList();
        ASSERT_EQ(list->Visible(), c.BandDataSet);
        if (!c.BandDataSet) {
            EXPECT_EQ(f.Selection(), std::vector<TfrxComponent*>{memo});
            EXPECT_EQ(memo->DataSet(), nullptr);
            continue;
        }
        ASSERT_EQ(list->Items()->Count(), 3);
        for (int i = 0; i < 3; ++i) EXPECT_EQ((*list->Items())[i], fields[static_cast<size_t>(i)]);
        EXPECT_FALSE(f.Form->Modified());
        const TRect row = list->ItemRect(c.Item);
        H::Click(list, Point(row.Left + 30, (row.Top + row.Bottom) / 2));
        EXPECT_FALSE(list->Visible());
        EXPECT_EQ(memo->DataSet(), doctors);
        EXPECT_EQ(memo->DataField, fields[static_cast<size_t>(c.Item)]);
        EXPECT_EQ(TextOf(memo), "[Doctors.\"" + fields[static_cast<size_t>(c.Item)] + "\"]");
        EXPECT_TRUE(f.Form->Modified());
        EXPECT_EQ(f.Form->UndoBuffer()->UndoCount(), steps + 1);
        EXPECT_TRUE(f.Harness.Errors().empty());
    }
}

// A field dragged from the data tree and let go on the page is a text object bound to the
// field and showing its expression, its corner 8 pixels above and left of the mouse: on a
// dot-matrix page it is dot-matrix text, on the page's grid of characters.
TEST(DesignerPageWorkspace, AFieldDraggedFromTheDataTreeIsTextOfThePagesKind) {
    for (bool dmp : {false, true}) {
        SCOPED_TRACE(dmp ? "dot-matrix page" : "report page");
        TFreeDesigner f;
        f.AddDoctors();
        auto* page = dmp ? static_cast<TfrxReportPage*>(new TfrxDMPPage(f.Report.get())) : new TfrxReportPage(f.Report.get());
        page->SetName("Page2");
        f.Form->ReloadPages(0);
        f.Form->UpdateDataTree();
        H::ClickTab(f.Form->Tab, 2);
        ASSERT_EQ(f.Form->Page(), page);
        TfrxDataTreeForm* dt = f.Form->DataTree;
        ASSERT_TRUE(dt->DataTree->Showing());
        TTreeNode* node = nullptr;
        for (int i = 0; i < dt->DataTree->Items()->Count(); ++i)
            if (dt->DataTree->Items()->Item(i)->Text() == "科室") node = dt->DataTree->Items()->Item(i);
        ASSERT_NE(node, nullptr);
        const TRect r = node->DisplayRect(true);
        const TPoint from{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
        const TPoint drop{200, 120};   // on the surface
        const TPoint to = dt->DataTree->ScreenToClient(f.Ws()->ClientToScreen(drop));
        H::MouseMove(dt->DataTree, from);
        H::MouseDown(dt->DataTree, from);
        H::MouseMove(dt->DataTree, Point(from.X + 10, from.Y), ssLeft);
        H::MouseMove(dt->DataTree, Point(to.X + 4, to.Y + 4), ssLeft);
        H::MouseMove(dt->DataTree, to, ssLeft);
        H::MouseUp(dt->DataTree, to);
        ASSERT_EQ(f.Selection().size(), 1u);
        auto* made = dynamic_cast<TfrxCustomMemoView*>(f.Selection()[0]);
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->ClassName(), dmp ? "TfrxDMPMemoView" : "TfrxMemoView");
        EXPECT_EQ(made->Page(), page);
        EXPECT_EQ(TextOf(made), "[Doctors.\"科室\"]");
        EXPECT_EQ(made->DataField, "科室");
        EXPECT_NE(made->DataSet(), nullptr);
        // A dot-matrix page puts it on its grid of characters (9.6 x 17 pixels).
        EXPECT_NEAR(made->AbsLeft(), drop.X - 8, dmp ? 9.6 : 0.001);
        EXPECT_NEAR(made->AbsTop(), drop.Y - 8, dmp ? 17 : 0.001);
        EXPECT_TRUE(f.Form->Modified());
        EXPECT_TRUE(f.Harness.Errors().empty());
    }
}

}  // namespace
