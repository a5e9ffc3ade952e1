// Dot-matrix objects on their grid of 9.6 x 17 px cells: positions and sizes snap to
// cells, the page's style reaches the objects that follow it, the memo measures in whole
// cells, the paper is cut to whole cells, the style writes as a number in diffs, and a
// report with a dot-matrix page goes through report XML.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "platform/graphics/TextMeasurer.h"
#include "platform/rtl/Streams.h"
#include "report/Bands.h"
#include "report/DotMatrix.h"
#include "report/DotMatrixText.h"
#include "report/DrawText.h"
#include "report/Report.h"

namespace {

struct TSnapCase {
    const char* Name;
    const char* Object;   // "memo" or "line"
    const char* Property;
    double Value;
    bool AlignRight;
    double Expected;
};

const TSnapCase kSnaps[] = {
    {"MemoLeft", "memo", "Left", 20, false, 19.2},
    {"MemoLeftRightAligned", "memo", "Left", 20, true, 19.2},
    {"MemoLeftRounds", "memo", "Left", 28.7, false, 28.8},
    {"MemoLeftRightAlignedTruncates", "memo", "Left", 28.7, true, 19.2},
    {"MemoTop", "memo", "Top", 30, false, 34},
    {"MemoWidth", "memo", "Width", 100, false, 96},
    {"MemoHeight", "memo", "Height", 40, false, 34},
    {"LineLeftInTheMiddleOfItsCell", "line", "Left", 20, false, 24},
    {"LineTop", "line", "Top", 20, false, 25.5},
};

class DotMatrixSnapping : public testing::TestWithParam<TSnapCase> {};

TEST_P(DotMatrixSnapping, ToCells) {
    const TSnapCase& c = GetParam();
    std::unique_ptr<TfrxView> v;
    if (std::string(c.Object) == "memo") v = std::make_unique<TfrxDMPMemoView>(nullptr);
    else v = std::make_unique<TfrxDMPLineView>(nullptr);
    if (c.AlignRight) v->SetAlign(baRight);
    const std::string p = c.Property;
    if (p == "Left") v->SetLeft(c.Value);
    if (p == "Top") v->SetTop(c.Value);
    if (p == "Width") v->SetWidth(c.Value);
    if (p == "Height") v->SetHeight(c.Value);
    const double got = p == "Left" ? v->Left() : p == "Top" ? v->Top() : p == "Width" ? v->Width() : v->Height();
    EXPECT_NEAR(got, c.Expected, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Cases, DotMatrixSnapping, testing::ValuesIn(kSnaps),
                         [](const testing::TestParamInfo<TSnapCase>& i) { return std::string(i.param.Name); });

TEST(DotMatrixMemo, FontFollowsTheStyleAndThePage) {
    TfrxDMPPage page(nullptr);
    auto* band = new TfrxMasterData(&page);
    auto* follows = new TfrxDMPMemoView(band);
    auto* own = new TfrxDMPMemoView(band);
    own->SetFontStyle(TfrxDMPFontStyles{fsxItalic});
    EXPECT_EQ(follows->Font()->Name(), "Courier New");
    EXPECT_EQ(follows->Font()->Size(), 12);
    EXPECT_EQ(follows->GapX, 0);
    EXPECT_EQ(follows->LineSpacing, 1);
    page.SetFontStyle(TfrxDMPFontStyles{fsxBold});
    EXPECT_EQ(follows->FontStyle(), TfrxDMPFontStyles{fsxBold});
    EXPECT_TRUE(follows->ParentFont());
    EXPECT_TRUE(follows->Font()->Style().Contains(fsBold));
    EXPECT_EQ(follows->Font()->Name(), "Courier New");
    // An object with a style of its own keeps it.
    EXPECT_EQ(own->FontStyle(), TfrxDMPFontStyles{fsxItalic});
    EXPECT_FALSE(own->ParentFont());
}

// Objects that follow the parent font and come onto a styled page afterwards (their band
// moved there, read from a file where the style of such an object is not written) print
// in the page's style; leaving the parent font keeps that style as their own.
TEST(DotMatrixMemo, ObjectsComingOntoAStyledPageTakeItsStyle) {
    const TfrxDMPFontStyles condensed{fsxCondensed};
    TfrxReport report(nullptr);
    auto* page = new TfrxDMPPage(&report);
    page->SetName("Page1");
    page->SetFontStyle(condensed);
    auto* band = new TfrxMasterData(nullptr);
    band->SetName("MasterData1");
    auto* memo = new TfrxDMPMemoView(band);
    memo->SetName("Memo1");
    auto* line = new TfrxDMPLineView(band);
    line->SetName("Line1");
    band->SetParent(page);
    EXPECT_EQ(memo->FontStyle(), condensed);
    EXPECT_EQ(line->FontStyle(), condensed);
    memo->SetParentFont(false);
    page->SetFontStyle(TfrxDMPFontStyles{fsxBold});
    EXPECT_EQ(memo->FontStyle(), condensed);
    EXPECT_EQ(line->FontStyle(), TfrxDMPFontStyles{fsxBold});
    EXPECT_TRUE(line->ParentFont());

    TStringStream s;
    report.SaveToStream(s);
    TfrxReport back(nullptr);
    TStringStream in(s.DataString());
    back.LoadFromStream(in);
    auto* line2 = dynamic_cast<TfrxDMPLineView*>(back.FindObject("Line1"));
    auto* memo2 = dynamic_cast<TfrxDMPMemoView*>(back.FindObject("Memo1"));
    ASSERT_NE(line2, nullptr) << s.DataString();
    ASSERT_NE(memo2, nullptr);
    EXPECT_EQ(line2->FontStyle(), TfrxDMPFontStyles{fsxBold});
    EXPECT_EQ(memo2->FontStyle(), condensed);
    EXPECT_FALSE(memo2->ParentFont());
}

TEST(DotMatrixMemo, MeasuresInWholeCells) {
    TFakeTextMeasurer measurer;
    frxDrawText().SetMeasurer(&measurer);
    TfrxDMPMemoView m(nullptr);
    m.SetBounds(0, 0, 96, 17);
    m.SetText("1\r\n2");
    // Two lines of Courier New 12 (16 px em, 19 px line with the fake metrics): 39 px
    // measured, 34 (two rows) reported.
    EXPECT_DOUBLE_EQ(m.CalcHeight(), 34);
    m.SetText("abcdefghijk");   // 11 x 9.6 = 105.6 px: eleven cells
    EXPECT_DOUBLE_EQ(m.CalcWidth(), 105.6);
    frxDrawText().SetMeasurer(nullptr);
}

TEST(DotMatrixMemo, StyleDiffIsANumber) {
    TfrxDMPMemoView a(nullptr), b(nullptr);
    a.SetFontStyle(TfrxDMPFontStyles{fsx12cpi, fsxBold});
    EXPECT_NE(a.Diff(&b).find(" FontStyle=\"129\""), std::string::npos) << a.Diff(&b);
    b.SetFontStyle(a.FontStyle());
    EXPECT_EQ(a.Diff(&b).find("FontStyle"), std::string::npos);
    TfrxDMPLineView l(nullptr), k(nullptr);
    l.SetFontStyle(TfrxDMPFontStyles{fsxWide});
    EXPECT_NE(l.Diff(&k).find(" FontStyle=\"64\""), std::string::npos) << l.Diff(&k);
}

TEST(DotMatrixPage, PaperInWholeCells) {
    TfrxDMPPage page(nullptr);
    page.SetPaperWidth(100);   // 377.953 px: 39.37 cells, 39 cells
    EXPECT_NEAR(page.PaperWidth() * frxMmToPixels, 39 * 9.6, 1e-6);
    EXPECT_EQ(page.PaperSize(), frxCustomPaperSize);
    page.SetPaperHeight(100);   // 22.23 rows: 22
    EXPECT_NEAR(page.PaperHeight() * frxMmToPixels, 22 * 17, 1e-6);
    page.SetDefaults();
    EXPECT_NEAR(page.LeftMargin * frxMmToPixels, 9.6, 1e-6);
    EXPECT_NEAR(page.TopMargin * frxMmToPixels, 17, 1e-6);
    const double cells = page.PaperWidth() * frxMmToPixels / 9.6;
    EXPECT_NEAR(cells, std::round(cells), 1e-6);
}

TEST(DotMatrixCommand, BytesFromItsText) {
    TfrxDMPCommand c(nullptr);
    c.Command = "#27@#29V#0 ##x#";
    EXPECT_EQ(c.CommandBytes(), std::string("\x1B@\x1DV\0 #x#", 9));
}

// A dot-matrix report written and read again keeps its page class, style and objects.
TEST(DotMatrixReport, GoesThroughReportXml) {
    std::string xml;
    {
        TfrxReport report(nullptr);
        report.DotMatrixReport = true;
        auto* page = new TfrxDMPPage(&report);
        page->SetName("Page1");
        page->SetFontStyle(TfrxDMPFontStyles{fsxCondensed});
        auto* band = new TfrxMasterData(page);
        band->SetName("MasterData1");
        band->SetBounds(0, 20, 300, 40);
        auto* m = new TfrxDMPMemoView(band);
        m->SetName("Memo1");
        m->SetBounds(9.6, 0, 96, 17);
        m->SetFontStyle(TfrxDMPFontStyles{fsxBold, fsxWide});
        auto* l = new TfrxDMPLineView(band);
        l->SetName("Line1");
        l->SetBounds(0, 17, 96, 0);
        auto* cmd = new TfrxDMPCommand(band);
        cmd->SetName("Cmd1");
        cmd->Command = "#27@";
        TStringStream s;
        report.SaveToStream(s);
        xml = s.DataString();
    }
    TfrxReport back(nullptr);
    TStringStream in(xml);
    back.LoadFromStream(in);
    EXPECT_EQ(back.Errors()->Count(), 0) << back.Errors()->Text();
    auto* page = dynamic_cast<TfrxDMPPage*>(back.FindObject("Page1"));
    ASSERT_NE(page, nullptr) << xml;
    EXPECT_EQ(page->FontStyle(), TfrxDMPFontStyles{fsxCondensed});
    auto* m = dynamic_cast<TfrxDMPMemoView*>(back.FindObject("Memo1"));
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->FontStyle(), (TfrxDMPFontStyles{fsxBold, fsxWide}));
    EXPECT_DOUBLE_EQ(m->Left(), 9.6);
    auto* band = dynamic_cast<TfrxBand*>(back.FindObject("MasterData1"));
    ASSERT_NE(band, nullptr);
    EXPECT_DOUBLE_EQ(band->Top(), 17);   // the band snapped to its row on the dot-matrix page
    EXPECT_NE(dynamic_cast<TfrxDMPLineView*>(back.FindObject("Line1")), nullptr);
    auto* cmd = dynamic_cast<TfrxDMPCommand*>(back.FindObject("Cmd1"));
    ASSERT_NE(cmd, nullptr);
    EXPECT_EQ(cmd->Command, "#27@");
}

}  // namespace

namespace {

// Objects off the grid: cells left of or above the page are left out, a fractional
// position snaps to its cell; the text of the page comes out all the same.
TEST(DotMatrixText, ObjectsOffTheGrid) {
    TfrxDMPPage page(nullptr);
    page.LeftMargin = page.RightMargin = page.TopMargin = page.BottomMargin = 0;
    page.SetPaperWidth(10 * frxCharWidth / frxMmToPixels);
    page.SetPaperHeight(3 * frxCharHeight / frxMmToPixels);
    auto* band = new TfrxMasterData(&page);
    band->SetBounds(0, 0, 96, 51);
    auto* left = new TfrxDMPMemoView(band);
    left->SetBounds(0, 0, 48, 17);
    left->SetText("abcde");
    left->SetLeft(-19.2);   // two cells left of the page: "ab" falls off
    auto* frac = new TfrxDMPMemoView(band);
    frac->SetBounds(0, 17, 48, 17);
    frac->SetLeft(10.1);    // the nearest cell: column 1
    frac->SetText("xy");
    auto* line = new TfrxDMPLineView(band);
    line->SetBounds(-30, -40, 20, 0);   // above the page: nothing
    TfrxDMPTextOptions plain;
    plain.Commands = false;
    plain.PageBreaks = false;
    EXPECT_EQ(frxDMPPageText(&page, plain), "cde\r\n xy\r\n\r\n");
}

}  // namespace
