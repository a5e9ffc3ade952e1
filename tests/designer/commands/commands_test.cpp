// The formatting, alignment and insertion commands over report objects: every tag of the
// formatting table, the restrictions that skip objects, the alignment palette, snapping,
// spreading, the bands menu with its placement rules, and the palette's categories.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "../StubDesigner.h"
#include "designer/commands/FormatCommands.h"
#include "designer/commands/InsertCommands.h"
#include "designer/editors/Registration.h"
#include "designer/resources/DesignerTexts.h"
#include "platform/graphics/Graphics.h"
#include "platform/ui/UiTest.h"
#include "report/Bands.h"
#include "report/CrossView.h"
#include "report/DataSet.h"
#include "report/DialogControls.h"
#include "report/DesignRegistries.h"
#include "report/DotMatrix.h"
#include "report/LineView.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PictureView.h"
#include "report/Report.h"
#include "report/ReportServices.h"
#include "report/Resources.h"
#include "report/Styles.h"

namespace {

// A designer that counts the changes it records.
class TCountingDesigner : public TStubDesigner {
public:
    using TStubDesigner::TStubDesigner;
    void SetModified(bool Value) override {
        ++Changes;
        TfrxCustomDesigner::SetModified(Value);
    }
    int Changes = 0;
};

// Page1 with a master data band (Top 40, 700 x 60) holding Memo1, Memo2, Memo3, Picture1
// and Line1; Memo4 lies on the page itself.
struct TCommandReport {
    TCommandReport() : Report(std::make_unique<TfrxReport>(nullptr)) {
        frxRegisterDesignerTexts();
        frxRegisterDesignerEditors();
        Page = new TfrxReportPage(Report.get());
        Page->SetName("Page1");
        Page->SetParent(Report.get());
        Data = new TfrxMasterData(Report.get());
        Data->SetName("MasterData1");
        Data->SetParent(Page);
        Data->SetBounds(0, 40, 700, 60);
        for (int i = 0; i < 3; ++i) {
            Memo[i] = new TfrxMemoView(Report.get());
            Memo[i]->SetName("Memo" + std::to_string(i + 1));
            Memo[i]->SetParent(Data);
            Memo[i]->SetBounds(10 + 120 * i, 5 * i, 100, 20 + 10 * i);
        }
        Memo4 = new TfrxMemoView(Report.get());
        Memo4->SetName("Memo4");
        Memo4->SetParent(Page);
        Memo4->SetBounds(0, 300, 80, 40);
        Picture = new TfrxPictureView(Report.get());
        Picture->SetName("Picture1");
        Picture->SetParent(Data);
        Picture->SetBounds(400, 0, 50, 50);
        Line = new TfrxLineView(Report.get());
        Line->SetName("Line1");
        Line->SetParent(Data);
        Line->SetBounds(10, 55, 300, 0);
        Designer = std::make_unique<TCountingDesigner>(Report.get());
        Designer->SetPage(Page);
    }
    TUiTestHarness Ui;
    std::unique_ptr<TfrxReport> Report;
    TfrxReportPage* Page = nullptr;
    TfrxMasterData* Data = nullptr;
    TfrxMemoView* Memo[3] = {};
    TfrxMemoView* Memo4 = nullptr;
    TfrxPictureView* Picture = nullptr;
    TfrxLineView* Line = nullptr;
    std::unique_ptr<TCountingDesigner> Designer;
};

// --- Formatting ------------------------------------------------------------------------------

TEST(FormatCommands, EveryTagOverTheSelection) {
    struct Case {
        const char* what;
        int tag;
        std::function<void(TfrxFormatInput&)> input;
        std::function<std::vector<TfrxComponent*>(TCommandReport&)> selection;
        std::function<bool(TCommandReport&)> applied;
    };
    auto memoAndPicture = [](TCommandReport& r) { return std::vector<TfrxComponent*>{r.Memo[0], r.Picture}; };
    auto memo = [](TCommandReport& r) { return std::vector<TfrxComponent*>{r.Memo[0]}; };
    auto memoAndLine = [](TCommandReport& r) { return std::vector<TfrxComponent*>{r.Memo[0], r.Line}; };
    auto page = [](TCommandReport& r) { return std::vector<TfrxComponent*>{r.Page}; };
    const Case cases[] = {
        {"font name", 0, [](TfrxFormatInput& i) { i.Text = "Courier New"; }, memoAndPicture,
         [](TCommandReport& r) {
             return r.Memo[0]->Font()->Name() == "Courier New" && r.Picture->Font()->Name() == "Courier New";
         }},
        {"font size", 1, [](TfrxFormatInput& i) { i.Text = " 14"; }, memo,
         [](TCommandReport& r) { return r.Memo[0]->Font()->Size() == 14; }},
        {"bold on a memo and a picture", 2, [](TfrxFormatInput& i) { i.Down = true; }, memoAndPicture,
         [](TCommandReport& r) {
             return r.Memo[0]->Font()->Style().Contains(fsBold) && r.Picture->Font()->Style().Contains(fsBold);
         }},
        {"italic off", 3, [](TfrxFormatInput& i) { i.Down = false; }, memo,
         [](TCommandReport& r) { return !r.Memo[0]->Font()->Style().Contains(fsItalic); }},
        {"underline", 4, [](TfrxFormatInput& i) { i.Down = true; }, memo,
         [](TCommandReport& r) { return r.Memo[0]->Font()->Style().Contains(fsUnderline); }},
        {"font colour", 5, [](TfrxFormatInput& i) { i.Color = clRed; }, memo,
         [](TCommandReport& r) { return r.Memo[0]->Font()->Color() == clRed; }},
        {"centred text only on memos", 8, [](TfrxFormatInput& i) { i.HAlign = haCenter; }, memoAndLine,
         [](TCommandReport& r) { return r.Memo[0]->HAlign == haCenter; }},
        {"bottom text", 13, [](TfrxFormatInput& i) { i.VAlign = vaBottom; }, memo,
         [](TCommandReport& r) { return r.Memo[0]->VAlign == vaBottom; }},
        {"top line", 20, [](TfrxFormatInput& i) { i.Down = true; }, memoAndLine,
         [](TCommandReport& r) {
             return r.Memo[0]->Frame()->Typ == TfrxFrameTypes{ftTop} && r.Line->Frame()->Typ.Contains(ftTop);
         }},
        {"right line on the page", 23, [](TfrxFormatInput& i) { i.Down = true; }, page,
         [](TCommandReport& r) { return r.Page->Frame()->Typ == TfrxFrameTypes{ftRight}; }},
        {"all lines", 24, [](TfrxFormatInput&) {}, memo,
         [](TCommandReport& r) {
             return r.Memo[0]->Frame()->Typ == (TfrxFrameTypes{ftLeft, ftRight, ftTop, ftBottom});
         }},
        {"fill colour of the page", 26, [](TfrxFormatInput& i) { i.Color = clYellow; }, page,
         [](TCommandReport& r) { return r.Page->Color() == clYellow; }},
        {"fill colour of a memo", 26, [](TfrxFormatInput& i) { i.Color = clNone; }, memo,
         [](TCommandReport& r) { return r.Memo[0]->Color() == clNone; }},
        {"frame colour", 27, [](TfrxFormatInput& i) { i.Color = clBlue; }, memo,
         [](TCommandReport& r) { return r.Memo[0]->Frame()->Color == clBlue; }},
        {"frame style", 28, [](TfrxFormatInput& i) { i.LineStyle = fsDashDot; }, memo,
         [](TCommandReport& r) { return r.Memo[0]->Frame()->Style == fsDashDot; }},
        {"frame width with a comma", 29, [](TfrxFormatInput& i) { i.Text = "0,5"; }, memo,
         [](TCommandReport& r) { return r.Memo[0]->Frame()->Width == 0.5; }},
        {"rotation", 30, [](TfrxFormatInput& i) { i.Rotation = 270; }, memoAndLine,
         [](TCommandReport& r) { return r.Memo[0]->Rotation() == 270; }},
        {"shadow", 32, [](TfrxFormatInput& i) { i.Down = true; }, memo,
         [](TCommandReport& r) { return r.Memo[0]->Frame()->DropShadow; }},
        {"no style", 33, [](TfrxFormatInput& i) { i.Text = ""; }, memo,
         [](TCommandReport& r) { return r.Memo[0]->Style().empty(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TCommandReport r;
        r.Memo[0]->Font()->SetStyle(TFontStyles{fsItalic});
        r.Memo[0]->SetStyle("Heading");
        TfrxFormatInput in;
        c.input(in);
        EXPECT_TRUE(frxFormatObjects(c.selection(r), c.tag, in));
        EXPECT_TRUE(c.applied(r));
        // A direct change of font, colours or frame detaches a memo from its named style.
        const bool detaches = (c.tag <= 5) || (c.tag >= 20 && c.tag <= 29) || c.tag == 32 || c.tag == 33;
        const bool memoSelected = c.selection(r).front() == r.Memo[0];
        EXPECT_EQ(r.Memo[0]->Style().empty(), detaches && memoSelected);
    }
}

TEST(FormatCommands, SnapToGrid) {
    TCommandReport r;
    TfrxMemoView* m = r.Memo[0];
    m->SetBounds(10, 2, 1, 30);
    TfrxFormatInput in;
    in.GridX = 3.77953;
    in.GridY = 3.77953;
    ASSERT_TRUE(frxFormatObjects({m}, 31, in));
    EXPECT_DOUBLE_EQ(m->Left(), 3 * 3.77953);
    EXPECT_DOUBLE_EQ(m->Top(), 3.77953);
    // A width that rounds to 0 becomes one grid step.
    EXPECT_DOUBLE_EQ(m->Width(), 3.77953);
    EXPECT_DOUBLE_EQ(m->Height(), 8 * 3.77953);
}

TEST(FormatCommands, DotMatrixStylesAndTheFontDialog) {
    TCommandReport r;
    auto* dmp = new TfrxDMPMemoView(r.Report.get());
    dmp->SetParent(r.Data);
    TfrxFormatInput in;
    in.Down = false;   // no check mark: the style is set
    EXPECT_TRUE(frxFormatObjects({dmp, r.Memo[0]}, 34 + fsxCondensed, in));
    EXPECT_TRUE(dmp->FontStyle().Contains(fsxCondensed));
    in.Down = true;    // checked: cleared
    frxFormatObjects({dmp}, 34 + fsxCondensed, in);
    EXPECT_FALSE(dmp->FontStyle().Contains(fsxCondensed));
    EXPECT_TRUE(frxFormatNeedsUpdateControls(34 + fsxCondensed));
    EXPECT_FALSE(frxFormatNeedsUpdateControls(2));

    // The font dialog: a confirmed font goes to every object; a cancelled one changes no
    // font, though the objects count as visited (the change is still recorded).
    TFont font;
    font.SetName("Courier New");
    font.SetSize(15);
    in.Font = &font;
    EXPECT_TRUE(frxFormatObjects({r.Memo[0], r.Picture}, 43, in));
    EXPECT_EQ(r.Memo[0]->Font()->Name(), "Courier New");
    EXPECT_EQ(r.Picture->Font()->Size(), 15);
    in.Font = nullptr;
    const std::string name = r.Memo[1]->Font()->Name();
    EXPECT_TRUE(frxFormatObjects({r.Memo[1]}, 43, in));
    EXPECT_EQ(r.Memo[1]->Font()->Name(), name);
}

TEST(FormatCommands, RestrictedObjectsAndBadNumbers) {
    TCommandReport r;
    r.Memo[1]->SetRestrictions(TfrxRestrictions{rfDontModify});
    TfrxFormatInput in;
    in.Down = true;
    EXPECT_TRUE(frxFormatObjects({r.Memo[0], r.Memo[1]}, 2, in));
    EXPECT_TRUE(r.Memo[0]->Font()->Style().Contains(fsBold));
    EXPECT_FALSE(r.Memo[1]->Font()->Style().Contains(fsBold));
    // Only restricted objects: nothing visited, nothing to record.
    EXPECT_FALSE(frxFormatObjects({r.Memo[1]}, 2, in));

    const std::string invalid = frxResources().Get("prInvProp");
    struct Case {
        int tag;
        const char* text;
    };
    for (const Case c : {Case{1, "abc"}, Case{1, "0"}, Case{1, "10000"}, Case{1, "12.5"}, Case{29, "wide"},
                         Case{29, "-1"}}) {
        SCOPED_TRACE(c.text);
        in.Text = c.text;
        const double width = r.Memo[0]->Frame()->Width;
        const int size = r.Memo[0]->Font()->Size();
        try {
            frxFormatObjects({r.Memo[0], r.Memo[2]}, c.tag, in);
            ADD_FAILURE() << "taken";
        } catch (const EfrxError& e) {
            EXPECT_EQ(e.Message(), invalid);
        }
        EXPECT_EQ(r.Memo[0]->Frame()->Width, width);
        EXPECT_EQ(r.Memo[0]->Font()->Size(), size);
    }
}

// --- Alignment ---------------------------------------------------------------------------------

TEST(AlignCommands, ThePalette) {
    using C = TfrxAlignCommand;
    struct Case {
        const char* what;
        C command;
        std::function<bool(TCommandReport&)> applied;
    };
    // Memo1 (10, 0, 100 x 20) is the reference; Memo2 (130, 5, 100 x 30); Memo3 (250, 10,
    // 100 x 40) may not move or size.
    const Case cases[] = {
        {"lefts", C::AlignLefts, [](TCommandReport& r) { return r.Memo[1]->Left() == 10; }},
        {"rights", C::AlignRights, [](TCommandReport& r) { return r.Memo[1]->Left() == 10; }},
        {"tops", C::AlignTops, [](TCommandReport& r) { return r.Memo[1]->Top() == 0; }},
        {"bottoms", C::AlignBottoms, [](TCommandReport& r) { return r.Memo[1]->Top() == -10; }},
        {"horizontal centres", C::AlignHorzCenters, [](TCommandReport& r) { return r.Memo[1]->Left() == 10; }},
        {"vertical centres", C::AlignVertCenters, [](TCommandReport& r) { return r.Memo[1]->Top() == -5; }},
        {"same width", C::SameWidth, [](TCommandReport& r) { return r.Memo[1]->Width() == 100; }},
        {"same height", C::SameHeight, [](TCommandReport& r) { return r.Memo[1]->Height() == 20; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TCommandReport r;
        r.Memo[2]->SetRestrictions(TfrxRestrictions{rfDontMove, rfDontSize});
        const TfrxRect third{r.Memo[2]->Left(), r.Memo[2]->Top(), r.Memo[2]->Width(), r.Memo[2]->Height()};
        EXPECT_FALSE(frxAlignObjects({r.Memo[0]}, c.command));
        EXPECT_TRUE(frxAlignObjects({r.Memo[0], r.Memo[1], r.Memo[2]}, c.command));
        EXPECT_TRUE(c.applied(r));
        EXPECT_EQ(r.Memo[0]->Left(), 10);
        EXPECT_EQ(r.Memo[2]->Left(), third.Left);
        EXPECT_EQ(r.Memo[2]->Top(), third.Top);
        EXPECT_EQ(r.Memo[2]->Width(), third.Right);
        EXPECT_EQ(r.Memo[2]->Height(), third.Bottom);
    }
}

TEST(AlignCommands, ThreeMemosTheSecondFixedAlignLeftsMovesTheThird) {
    TCommandReport r;
    r.Memo[1]->SetRestrictions(TfrxRestrictions{rfDontMove});
    ASSERT_TRUE(frxAlignObjects({r.Memo[0], r.Memo[1], r.Memo[2]}, TfrxAlignCommand::AlignLefts));
    EXPECT_EQ(r.Memo[1]->Left(), 130);
    EXPECT_EQ(r.Memo[2]->Left(), 10);
}

TEST(AlignCommands, CentreInTheBandOrTheWorkspace) {
    TCommandReport r;
    ASSERT_TRUE(frxAlignObjects({r.Memo[0], r.Memo4}, TfrxAlignCommand::CenterHorz, 1000, 800));
    EXPECT_EQ(r.Memo[0]->Left(), 300);   // (700 - 100) / 2 in its band
    EXPECT_EQ(r.Memo4->Left(), 460);     // (1000 - 80) / 2 in the workspace
    ASSERT_TRUE(frxAlignObjects({r.Memo[0], r.Memo4}, TfrxAlignCommand::CenterVert, 1000, 800));
    EXPECT_EQ(r.Memo[0]->Top(), 20);
    EXPECT_EQ(r.Memo4->Top(), 380);
    // The band itself is no view: it stays.
    ASSERT_TRUE(frxAlignObjects({r.Data}, TfrxAlignCommand::CenterHorz, 1000, 800));
    EXPECT_EQ(r.Data->Left(), 0);
}

TEST(AlignCommands, SpaceEvenly) {
    struct Case {
        const char* what;
        double lefts[3];
        double middle;
    };
    const Case cases[] = {
        {"10, 50, 200", {10, 50, 200}, 105},
        {"given in another order", {200, 10, 50}, 105},
        // Sorted by number: -10 comes before -5.
        {"left of the page", {-5, -10, 100}, 45},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TCommandReport r;
        for (int i = 0; i < 3; ++i) r.Memo[i]->SetLeft(c.lefts[i]);
        EXPECT_FALSE(frxAlignObjects({r.Memo[0], r.Memo[1]}, TfrxAlignCommand::SpaceHorz));
        ASSERT_TRUE(frxAlignObjects({r.Memo[0], r.Memo[1], r.Memo[2]}, TfrxAlignCommand::SpaceHorz));
        double lefts[3] = {r.Memo[0]->Left(), r.Memo[1]->Left(), r.Memo[2]->Left()};
        std::sort(lefts, lefts + 3);
        EXPECT_DOUBLE_EQ(lefts[1], c.middle);
    }
    // Vertically, with a fixed object in the middle: the next one follows from it.
    TCommandReport r;
    auto* extra = new TfrxMemoView(r.Report.get());
    extra->SetParent(r.Data);
    r.Memo[0]->SetTop(0);
    r.Memo[1]->SetTop(7);
    r.Memo[2]->SetTop(50);
    extra->SetTop(90);
    r.Memo[1]->SetRestrictions(TfrxRestrictions{rfDontMove});
    ASSERT_TRUE(frxAlignObjects({r.Memo[0], r.Memo[1], r.Memo[2], extra}, TfrxAlignCommand::SpaceVert));
    EXPECT_EQ(r.Memo[1]->Top(), 7);
    EXPECT_EQ(r.Memo[2]->Top(), 37);
    EXPECT_EQ(extra->Top(), 90);
}

// --- Bands and the palette -------------------------------------------------------------------

TEST(InsertCommands, BandsFromTheMenu) {
    struct Case {
        const char* what;
        int tag;
        bool freeBands;
        int units;
        const char* cls;
        bool vertical;
        double top, height, left, width;
    };
    const Case cases[] = {
        {"master data, stacked", 6, false, 0, "TfrxMasterData", false, 10000, 22.67718, 0, 0},
        {"master data, placed freely", 6, true, 2, "TfrxMasterData", false, 120.94496, 20, 0, 0},
        {"page footer in inches", 3, false, 1, "TfrxPageFooter", false, 10000, 28.8, 0, 0},
        {"vertical child", 114, false, 2, "TfrxChild", true, 0, 0, 20, 20},
        {"vertical header in characters", 104, false, 3, "TfrxHeader", true, 0, 0, 17, 17},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TCommandReport r;
        r.Designer->Units = c.units;
        r.Designer->Objects() = r.Page->AllObjects();
        TfrxBand* band = frxInsertBand(*r.Designer, c.tag, c.freeBands, 16, 3.77953);
        ASSERT_NE(band, nullptr);
        EXPECT_EQ(band->ClassName(), c.cls);
        EXPECT_EQ(band->Parent(), r.Page);
        EXPECT_EQ(band->Vertical, c.vertical);
        if (c.vertical) {
            EXPECT_DOUBLE_EQ(band->Left(), c.left);
            EXPECT_DOUBLE_EQ(band->Width(), c.width);
        } else {
            EXPECT_NEAR(band->Top(), c.top, 1e-9);
            EXPECT_DOUBLE_EQ(band->Height(), c.height);
        }
        EXPECT_FALSE(band->Name().empty());
        EXPECT_NE(band->Name(), "MasterData1");
        EXPECT_EQ(r.Designer->Objects().back(), band);
        ASSERT_EQ(r.Designer->SelectedObjects().size(), 1u);
        EXPECT_EQ(r.Designer->SelectedObjects().front(), band);
        EXPECT_EQ(r.Designer->Changes, 1);
    }
    // No page (the code page is shown) or a tag that names no band: nothing happens.
    TCommandReport r;
    EXPECT_EQ(frxInsertBand(*r.Designer, 18, false, 0, 1), nullptr);
    r.Designer->SetPage(nullptr);
    EXPECT_EQ(frxInsertBand(*r.Designer, 6, false, 0, 1), nullptr);
    EXPECT_EQ(r.Designer->Changes, 0);
}

TEST(InsertCommands, BandsAPageHoldsOnce) {
    TCommandReport r;
    auto* header = new TfrxPageHeader(r.Report.get());
    header->SetParent(r.Page);
    struct Case {
        int tag;
        bool enabled;
    };
    for (const Case c : {Case{2, false}, Case{0, true}, Case{3, true}, Case{6, true}, Case{16, true}, Case{102, true},
                         Case{104, true}}) {
        EXPECT_EQ(frxBandTagEnabled(r.Page, c.tag), c.enabled) << c.tag;
    }
    new TfrxColumnFooter(r.Page);
    EXPECT_FALSE(frxBandTagEnabled(r.Page, 16));
}

TEST(InsertCommands, PaletteCategoriesAndSizes) {
    TCommandReport r;
    frxRegisterCrossObjects();
    TfrxObjectCollection& reg = frxObjects();
    int other = -1, draw = -1;
    for (int i = 0; i < reg.Count(); ++i) {
        if (reg.Items(i).ClassRef) continue;
        if (reg.Items(i).CategoryName == "Other") other = i;
        if (reg.Items(i).CategoryName == "Draw") draw = i;
    }
    ASSERT_GE(other, 0);
    ASSERT_GE(draw, 0);
    std::vector<std::string> names;
    for (int i : frxCategoryEntries(other, false)) names.push_back(reg.Items(i).ClassRef->ClassName());
    EXPECT_NE(std::find(names.begin(), names.end(), "TfrxCrossView"), names.end());
    // A dot-matrix page offers only the cross-tabs.
    names.clear();
    for (int i : frxCategoryEntries(other, true)) names.push_back(reg.Items(i).ClassRef->ClassName());
    EXPECT_EQ(names, (std::vector<std::string>{"TfrxCrossView", "TfrxDBCrossView"}));
    EXPECT_TRUE(frxCategoryEntries(draw, true).empty());
    EXPECT_GE(frxCategoryEntries(draw, false).size(), 6u);

    // Sizes: an object's own (a button 75 x 25), 28 x 28 for a dialog component (a
    // dataset), the default text size for an object without a size (a memo).
    const TfrxPoint def{94.48825, 18.89765};
    struct Case {
        TClass cls;
        double w, h;
    };
    for (const Case c : {Case{TfrxButtonControl::StaticClass(), 75, 25}, Case{TfrxUserDataSet::StaticClass(), 28, 28},
                         Case{TfrxMemoView::StaticClass(), def.X, def.Y}}) {
        TfrxObjectItem e;
        e.ClassRef = c.cls;
        const TfrxPoint p = frxInsertionSize(e, def);
        EXPECT_EQ(p.X, c.w) << c.cls->ClassName();
        EXPECT_EQ(p.Y, c.h) << c.cls->ClassName();
    }
}

}  // namespace
