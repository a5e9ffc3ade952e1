// The frame dialog and the colour and line pickers it opens: the handler's tags, the
// widths typed with either separator, picks made with the mouse in the pickers, the
// custom colour row, and the frame row of the inspector that opens the dialog.
#include <gtest/gtest.h>

#include "EditorFixtures.h"
#include "designer/controls/Selectors.h"
#include "designer/editors/FrameEditor.h"
#include "designer/editors/PropertyEditors.h"
#include "designer/editors/Registration.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "report/Frame.h"

namespace {

TfrxFrameEditorForm& Dlg(TCustomForm& f) { return static_cast<TfrxFrameEditorForm&>(f); }

// The selector of the pop-up window that is open now, nullptr when none.
template <class S>
S* OpenSelector() {
    for (int i = Screen->FormCount() - 1; i >= 0; --i)
        if (auto* popup = dynamic_cast<TfrxPopupForm*>(Screen->Forms(i)); popup && popup->Visible())
            for (int k = 0; k < popup->ComponentCount(); ++k)
                if (auto* s = dynamic_cast<S*>(popup->Components(k))) return s;
    return nullptr;
}

class FrameEditorTest : public ::testing::Test {
protected:
    void TearDown() override {
        EXPECT_TRUE(ui.Errors().empty());
        EXPECT_EQ(ui.PendingDrivers(), 0);
        TUiTestHarness::ProcessMessages();
    }
    bool Run(std::function<void(TfrxFrameEditorForm&)> Act, bool Ok = true) {
        ui.OnModal("TfrxFrameEditorForm", [&](TCustomForm& f) {
            Act(Dlg(f));
            TUiTestHarness::Click(Ok ? Dlg(f).OkB : Dlg(f).CancelB);
        });
        return frxEditFrame(&frame);
    }
    TUiTestHarness ui;
    TfrxFrame frame;
};

TEST_F(FrameEditorTest, ButtonsAndWidths) {
    struct Case {
        const char* name;
        std::function<void(TfrxFrameEditorForm&)> act;
        TfrxFrameTypes typ;
        double width;
        bool shadow;
        double shadowWidth;
    };
    const Case cases[] = {
        {"all, then the top button up",
         [](TfrxFrameEditorForm& d) {
             TUiTestHarness::Click(d.FrameAllB);
             EXPECT_TRUE(d.FrameTopB->Down());
             TUiTestHarness::Click(d.FrameTopB);
         },
         {ftLeft, ftRight, ftBottom}, 1, false, 4},
        {"single sides", [](TfrxFrameEditorForm& d) {
             TUiTestHarness::Click(d.FrameLeftB);
             TUiTestHarness::Click(d.FrameBottomB);
         }, {ftLeft, ftBottom}, 1, false, 4},
        {"none", [](TfrxFrameEditorForm& d) {
             TUiTestHarness::Click(d.FrameAllB);
             TUiTestHarness::Click(d.FrameNoB);
             EXPECT_FALSE(d.FrameRightB->Down());
         }, {}, 1, false, 4},
        {"a width with a comma", [](TfrxFrameEditorForm& d) {
             d.FrameWidthCB->SetItemIndex(1);
             d.FrameBClick(d.FrameWidthCB);
         }, {}, 0.5, false, 4},
        {"a width typed with a point", [](TfrxFrameEditorForm& d) {
             d.FrameWidthCB->SetText("2.5");
             d.FrameBClick(d.FrameWidthCB);
         }, {}, 2.5, false, 4},
        {"a width that is no number keeps the frame's", [](TfrxFrameEditorForm& d) {
             d.FrameWidthCB->SetText("abc");
             d.FrameBClick(d.FrameWidthCB);
             EXPECT_EQ(d.FrameWidthCB->Text(), "abc");
         }, {}, 1, false, 4},
        {"shadow with its width", [](TfrxFrameEditorForm& d) {
             TUiTestHarness::Click(d.ShadowB);
             d.ShadowWidthCB->SetText("7");
             d.FrameBClick(d.ShadowWidthCB);
         }, {}, 1, true, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        frame.Typ = TfrxFrameTypes{};
        frame.Width = 1;
        frame.DropShadow = false;
        frame.ShadowWidth = 4;
        EXPECT_TRUE(Run(c.act));
        EXPECT_EQ(frame.Typ, c.typ);
        EXPECT_DOUBLE_EQ(frame.Width, c.width);
        EXPECT_EQ(frame.DropShadow, c.shadow);
        EXPECT_DOUBLE_EQ(frame.ShadowWidth, c.shadowWidth);
    }
}

TEST_F(FrameEditorTest, ShowsTheFrameAndCancelKeepsIt) {
    frame.Typ = TfrxFrameTypes{ftTop, ftRight};
    frame.Width = 0.1;
    frame.DropShadow = true;
    EXPECT_FALSE(Run(
        [](TfrxFrameEditorForm& d) {
            EXPECT_TRUE(d.FrameTopB->Down());
            EXPECT_TRUE(d.FrameRightB->Down());
            EXPECT_FALSE(d.FrameLeftB->Down());
            EXPECT_TRUE(d.ShadowB->Down());
            EXPECT_EQ(d.FrameWidthCB->Text(), "0.1");
            EXPECT_EQ(d.ShadowWidthCB->Text(), "4");
            TUiTestHarness::Click(d.FrameNoB);
        },
        false));
    EXPECT_EQ(frame.Typ, (TfrxFrameTypes{ftTop, ftRight}));
}

TEST_F(FrameEditorTest, PickersSetColourStyleAndShadowColour) {
    EXPECT_TRUE(Run([](TfrxFrameEditorForm& d) {
        TUiTestHarness::Click(d.FrameColorB);
        auto* colors = OpenSelector<TfrxColorSelector>();
        ASSERT_NE(colors, nullptr);
        EXPECT_EQ(colors->Tag(), frxFrameTagColorPicked);
        // Placed under its button.
        const TPoint under = d.FrameColorB->ClientToScreen(TPoint{0, d.FrameColorB->Height() + 2});
        EXPECT_EQ(colors->Popup()->Left(), under.X);
        EXPECT_EQ(colors->Popup()->Top(), under.Y);
        TUiTestHarness::Click(colors, TPoint{5 + 18 * 3 + 9, 5 + 18 + 9});   // row 1, column 3: red
        TUiTestHarness::ProcessMessages();
        EXPECT_EQ(OpenSelector<TfrxColorSelector>(), nullptr);

        TUiTestHarness::Click(d.FrameStyleB);
        auto* lines = OpenSelector<TfrxLineSelector>();
        ASSERT_NE(lines, nullptr);
        TUiTestHarness::Click(lines, TPoint{40, 5 + 16 * 2 + 8});
        TUiTestHarness::ProcessMessages();

        TUiTestHarness::Click(d.ShadowColorB);
        auto* shadow = OpenSelector<TfrxColorSelector>();
        ASSERT_NE(shadow, nullptr);
        TUiTestHarness::Click(shadow, TPoint{10, 10});   // the first cell: no colour
        TUiTestHarness::ProcessMessages();
    }));
    EXPECT_EQ(frame.Color, 0x0000FF);
    EXPECT_EQ(frame.Style, fsDot);
    EXPECT_EQ(frame.ShadowColor, clNone);
}

TEST(Selectors, CellsStylesAndCustomColours) {
    struct Cell {
        int x, y, row, column;
    };
    const Cell cells[] = {{10, 10, 0, 0}, {26, 10, 0, 1}, {150, 40, 1, 7}, {200, 10, 0, 7},
                          {2, 2, 0, 0},   {60, 100, 5, 3}, {60, 120, 6, 3}};
    for (const Cell& c : cells) {
        int row = -1, col = -1;
        frxColorCellAt(c.x, c.y, row, col);
        EXPECT_EQ(row, c.row) << c.x << "," << c.y;
        EXPECT_EQ(col, c.column) << c.x << "," << c.y;
    }
    struct Line {
        int y, style;
    };
    const Line lines[] = {{0, 0}, {12, 0}, {21, 1}, {50, 2}, {90, 5}, {105, 5}, {400, 5}};
    for (const Line& l : lines) EXPECT_EQ(frxLineStyleAt(l.y), l.style) << l.y;

    auto& t = frxSelectorColors();
    const auto saved = t;
    EXPECT_EQ(t[0], clNone);
    frxAddCustomColor(0x123456);
    frxAddCustomColor(0x123456);
    frxAddCustomColor(0x0000FF);   // already a fixed colour
    EXPECT_EQ(t[32], 0x123456);
    EXPECT_EQ(t[33], clBtnFace);
    for (int i = 1; i <= 8; ++i) frxAddCustomColor(0x100000 + i);
    // Nine custom colours: the first dropped, the rest moved left, the last at the end.
    EXPECT_EQ(t[32], 0x100001);
    EXPECT_EQ(t[38], 0x100007);
    EXPECT_EQ(t[39], 0x100008);
    EXPECT_EQ(t[31], static_cast<TColor>(0xCC98FF));
    t = saved;
}

TEST_F(FrameEditorTest, OtherColourAndReleasesOutside) {
    auto& t = frxSelectorColors();
    const auto saved = t;
    ui.AnswerColor(0x445566);
    EXPECT_TRUE(Run([](TfrxFrameEditorForm& d) {
        // A release dragged out of the picker picks nothing and leaves it open.
        TUiTestHarness::Click(d.FrameColorB);
        auto* colors = OpenSelector<TfrxColorSelector>();
        ASSERT_NE(colors, nullptr);
        colors->MouseUp(mbLeft, 0, -20, -40);
        EXPECT_EQ(OpenSelector<TfrxColorSelector>(), colors);
        TUiTestHarness::Click(colors, TPoint{60, 110});   // "Other..."
        TUiTestHarness::ProcessMessages();
    }));
    EXPECT_EQ(frame.Color, 0x445566);
    EXPECT_EQ(t[32], 0x445566);
    t = saved;
}

TEST_F(FrameEditorTest, InspectorRowOpensTheDialog) {
    frxRegisterDesignerEditors();
    TEditorReport r;
    r.Memo2->Frame()->Typ = TfrxFrameTypes{ftTop};
    auto rows = frxBuildPropertyList(r.Memo1, r.Designer.get());
    auto* multi = BuildSelectionPropertyList({r.Memo1, r.Memo2}, r.Designer.get()).release();
    std::unique_ptr<TfrxPropertyList> keep(multi);
    TfrxPropertyEditor* e = rows->Find("Frame")->Editor.get();
    ASSERT_NE(dynamic_cast<TfrxFrameProperty*>(e), nullptr);
    EXPECT_EQ(e->GetAttributes(), paDialog | paReadOnly);
    // Not multi-select: a selection of two has no frame row.
    EXPECT_EQ(multi->Find("Frame"), nullptr);
    ui.OnModal("TfrxFrameEditorForm", [&](TCustomForm& f) {
        TUiTestHarness::Click(Dlg(f).FrameAllB);
        TUiTestHarness::Click(Dlg(f).OkB);
    });
    EXPECT_TRUE(e->Edit());
    EXPECT_EQ(r.Memo1->Frame()->Typ, (TfrxFrameTypes{ftLeft, ftRight, ftTop, ftBottom}));
    ui.OnModal("TfrxFrameEditorForm", [&](TCustomForm& f) {
        TUiTestHarness::Click(Dlg(f).FrameNoB);
        TUiTestHarness::Click(Dlg(f).CancelB);
    });
    EXPECT_FALSE(e->Edit());
    EXPECT_EQ(r.Memo1->Frame()->Typ, (TfrxFrameTypes{ftLeft, ftRight, ftTop, ftBottom}));
}

}  // namespace
