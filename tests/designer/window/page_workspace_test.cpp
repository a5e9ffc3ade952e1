// The page workspace as a user drives it: guides dragged from the rulers, hovered, moved,
// snapped to and dropped off the page; the zoom tool's steps; the format painter; text
// objects on a dot-matrix page; pasted objects that follow the mouse.
#include <gtest/gtest.h>

#include "DesignerFixture.h"
#include "designer/controls/Ruler.h"
#include "designer/editors/Registration.h"
#include "designer/workspace/PageWorkspace.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Format.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Keys.h"
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

}  // namespace
