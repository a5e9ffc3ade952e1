// Bands: which properties each kind stores and what a new band writes, kind numbers and
// names, the row-count dataset, columns, child links, the dataset pairing, dot-matrix
// snapping and the subreport view.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/graphics/Graphics.h"
#include "report/Bands.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/Serializer.h"
#include "report/DotMatrix.h"

namespace {

std::unique_ptr<TfrxComponent> Create(const char* ClassName, TComponent* Owner = nullptr) {
    return std::unique_ptr<TfrxComponent>(static_cast<TfrxComponent*>(FindClass(ClassName)->CreateInstance(Owner)));
}

// The published names after the common band properties.
std::vector<std::string> OwnProperties(TClass cls) {
    std::vector<std::string> names;
    bool after = false;
    for (const TPropInfo* p : cls->Properties()) {
        if (after) names.push_back(p->Name);
        if (p->Name == "Vertical") after = true;
    }
    return names;
}

std::vector<std::string> With(std::vector<std::string> Names, std::vector<std::string> Tail) {
    Names.insert(Names.end(), Tail.begin(), Tail.end());
    return Names;
}

const std::vector<std::string> kEvents = {"OnAfterCalcHeight", "OnAfterPrint", "OnBeforePrint"};
const std::vector<std::string> kDataBand = With(
    {"AllowSplit", "Child", "Columns", "ColumnWidth", "ColumnGap", "DataSet", "DataSetName", "FooterAfterEach",
     "KeepChild", "KeepFooter", "KeepHeader", "KeepTogether", "PrintChildIfInvisible", "PrintIfDetailEmpty",
     "RowCount", "StartNewPage", "Stretched"},
    With(kEvents, {"OnMasterDetail"}));

// --- The stored properties of each kind and what a new band writes -----------------------

struct TKindCase {
    const char* Class;
    std::vector<std::string> Own;   // stored after the common band properties
    const char* NewText;            // the attributes a new band writes (defaults left out)
    int Number;
    const char* BandName;
};

const char* const kPlain = " Left=\"0\" Top=\"0\" Width=\"0\" Height=\"0\"";
const char* const kData = " Left=\"0\" Top=\"0\" Width=\"0\" Height=\"0\" ColumnWidth=\"0\" ColumnGap=\"0\" RowCount=\"0\"";

const TKindCase kKinds[] = {
    {"TfrxReportTitle", With({"Child", "KeepChild", "PrintChildIfInvisible", "StartNewPage", "Stretched"}, kEvents),
     kPlain, 0, "ReportTitle"},
    {"TfrxReportSummary",
     With({"AllowSplit", "Child", "KeepChild", "PrintChildIfInvisible", "StartNewPage", "Stretched"}, kEvents), kPlain,
     1, "ReportSummary"},
    {"TfrxPageHeader", With({"Child", "PrintChildIfInvisible", "PrintOnFirstPage", "Stretched"}, kEvents), kPlain, 2,
     "PageHeader"},
    {"TfrxPageFooter", With({"PrintOnFirstPage", "PrintOnLastPage"}, kEvents), kPlain, 3, "PageFooter"},
    {"TfrxHeader",
     With({"AllowSplit", "Child", "KeepChild", "PrintChildIfInvisible", "ReprintOnNewPage", "StartNewPage", "Stretched"},
          kEvents),
     kPlain, 4, "Header"},
    {"TfrxFooter", With({"AllowSplit", "Child", "KeepChild", "PrintChildIfInvisible", "Stretched"}, kEvents), kPlain, 5,
     "Footer"},
    {"TfrxMasterData", kDataBand, kData, 6, "MasterData"},
    {"TfrxDetailData", kDataBand, kData, 7, "DetailData"},
    {"TfrxSubdetailData", kDataBand, kData, 8, "SubdetailData"},
    {"TfrxDataBand4", kDataBand, kData, 9, "Data4"},
    {"TfrxDataBand5", kDataBand, kData, 10, "Data5"},
    {"TfrxDataBand6", kDataBand, kData, 11, "Data6"},
    {"TfrxGroupHeader",
     With({"AllowSplit", "Child", "Condition", "KeepChild", "KeepTogether", "ReprintOnNewPage", "PrintChildIfInvisible",
           "StartNewPage", "Stretched"},
          kEvents),
     kPlain, 12, "GroupHeader"},
    {"TfrxGroupFooter", With({"AllowSplit", "Child", "KeepChild", "PrintChildIfInvisible", "Stretched"}, kEvents),
     kPlain, 13, "GroupFooter"},
    {"TfrxChild", With({"AllowSplit", "Child", "KeepChild", "PrintChildIfInvisible", "StartNewPage", "Stretched"}, kEvents),
     kPlain, 14, "Child"},
    {"TfrxColumnHeader", With({"Stretched"}, kEvents), kPlain, 15, "ColumnHeader"},
    {"TfrxColumnFooter", kEvents, kPlain, 16, "ColumnFooter"},
    {"TfrxOverlay", kEvents, kPlain, 17, "Overlay"},
    // Outside the kind table: number 0.
    {"TfrxNullBand", kEvents, kPlain, 0, "Null"},
    {"TfrxDataBand", kDataBand, kData, 0, "Data"},
};

void PrintTo(const TKindCase& c, std::ostream* os) { *os << c.Class; }

class BandKind : public testing::TestWithParam<TKindCase> {};

TEST_P(BandKind, StoresItsPropertiesAndWritesNoDefaults) {
    const TKindCase& c = GetParam();
    TClass cls = FindClass(c.Class);
    ASSERT_TRUE(cls->InheritsFrom(TfrxBand::StaticClass()));
    // Every kind starts with the common band properties.
    std::vector<std::string> first;
    for (const TPropInfo* p : cls->Properties()) first.push_back(p->Name);
    first.resize(12);
    EXPECT_EQ(first, (std::vector<std::string>{"Name", "Tag", "Left", "Top", "Width", "Height", "Font", "ParentFont",
                                               "Restrictions", "Visible", "OutlineText", "Vertical"}));
    EXPECT_EQ(OwnProperties(cls), c.Own);

    auto band = Create(c.Class);
    TfrxXMLSerializer serializer(nullptr);
    EXPECT_EQ(serializer.ObjToXML(band.get()), c.NewText);
}

TEST_P(BandKind, NumberAndName) {
    const TKindCase& c = GetParam();
    auto band = Create(c.Class);
    EXPECT_EQ(static_cast<TfrxBand*>(band.get())->BandNumber(), c.Number);
    EXPECT_EQ(TfrxBand::BandName(FindClass(c.Class)), c.BandName);
}

INSTANTIATE_TEST_SUITE_P(Bands, BandKind, testing::ValuesIn(kKinds),
                         [](const testing::TestParamInfo<TKindCase>& i) { return std::string(i.param.Class); });

// A descendant of a kind takes the kind's number.
class TfrxTestMaster : public TfrxMasterData {
    ROVE_CLASS(TfrxTestMaster, TfrxMasterData)
public:
    using TfrxMasterData::TfrxMasterData;
};
ROVE_IMPLEMENT_CLASS(TfrxTestMaster)

TEST(Bands, DescendantOfAKindHasItsNumber) {
    TfrxTestMaster band(nullptr);
    EXPECT_EQ(band.BandNumber(), 6);
    EXPECT_EQ(band.GetDescription(), "obDataBand");
    TfrxFooter footer(nullptr);
    EXPECT_EQ(footer.GetDescription(), "obBand");
}

TEST(Bands, PageBandsPrintOnFirstAndLastPage) {
    TfrxPageHeader header(nullptr);
    TfrxPageFooter footer(nullptr);
    EXPECT_TRUE(header.PrintOnFirstPage);
    EXPECT_TRUE(footer.PrintOnFirstPage);
    EXPECT_TRUE(footer.PrintOnLastPage);
    footer.PrintOnLastPage = false;
    TfrxXMLSerializer serializer(nullptr);
    EXPECT_EQ(serializer.ObjToXML(&footer), std::string(kPlain) + " PrintOnLastPage=\"False\"");
}

// --- The row-count dataset and columns ---------------------------------------------------

class RowCountDataSet : public testing::TestWithParam<int> {};

TEST_P(RowCountDataSet, YieldsRowCountRecords) {
    TfrxMasterData band(nullptr);
    band.SetRowCount(GetParam());
    ASSERT_EQ(band.DataSet(), nullptr);
    TfrxDataSet* ds = band.VirtualDataSet();
    ds->Initialize();
    ds->First();
    int records = 0;
    for (; !ds->Eof() && records < 100; ds->Next()) ++records;
    EXPECT_EQ(records, GetParam());
    // Counting again after a change of RowCount.
    band.SetRowCount(GetParam() + 2);
    ds->First();
    records = 0;
    for (; !ds->Eof() && records < 100; ds->Next()) ++records;
    EXPECT_EQ(records, GetParam() + 2);
}

INSTANTIATE_TEST_SUITE_P(Bands, RowCountDataSet, testing::Values(0, 1, 5));

struct TColumnCase {
    const char* Name;
    int Set;
    int Column;
    double Left;
};

void PrintTo(const TColumnCase& c, std::ostream* os) { *os << c.Name; }

class DataBandColumn : public testing::TestWithParam<TColumnCase> {};

TEST_P(DataBandColumn, WrapsAndPlacesTheBand) {
    const TColumnCase& c = GetParam();
    TfrxMasterData band(nullptr);
    band.Columns = 3;
    band.ColumnWidth = 100;
    band.ColumnGap = 10;
    band.SetLeft(55);
    band.LowestBottom = 80;
    band.SetCurColumn(c.Set);
    EXPECT_EQ(band.CurColumn(), c.Column);
    EXPECT_DOUBLE_EQ(band.Left(), c.Left);
    // The lowest bottom of the row starts again at column 1 only.
    EXPECT_DOUBLE_EQ(band.LowestBottom, c.Column == 1 ? 0 : 80);
}

INSTANTIATE_TEST_SUITE_P(Bands, DataBandColumn,
                         testing::Values(TColumnCase{"first", 1, 1, 0}, TColumnCase{"second", 2, 2, 110},
                                         TColumnCase{"last", 3, 3, 220}, TColumnCase{"past_last_wraps", 4, 1, 0},
                                         TColumnCase{"far_past_wraps", 9, 1, 0}),
                         [](const testing::TestParamInfo<TColumnCase>& i) { return std::string(i.param.Name); });

// --- Links to other objects --------------------------------------------------------------

TEST(Bands, DeletedChildIsForgotten) {
    TfrxReport report(nullptr);
    auto* page = new TfrxReportPage(&report);
    auto* master = new TfrxMasterData(page);
    auto* child = new TfrxChild(page);
    auto* grandChild = new TfrxChild(page);
    master->SetChild(child);
    child->SetChild(grandChild);
    EXPECT_EQ(master->Child(), child);
    delete grandChild;
    EXPECT_EQ(child->Child(), nullptr);
    delete child;
    EXPECT_EQ(master->Child(), nullptr);
}

TEST(Bands, ChildChainThatLeadsBackIsRefused) {
    TfrxReportPage page(nullptr);
    auto* a = new TfrxChild(&page);
    auto* b = new TfrxChild(&page);
    auto* c = new TfrxChild(&page);
    a->SetChild(b);
    b->SetChild(c);
    EXPECT_THROW(c->SetChild(a), EfrxError);
    EXPECT_EQ(c->Child(), nullptr);
    EXPECT_THROW(a->SetChild(a), EfrxError);
    EXPECT_EQ(a->Child(), b);
}

TEST(Bands, DataSetPairingAndRemoval) {
    TfrxReport report(nullptr);
    auto* page = new TfrxReportPage(&report);
    auto* band = new TfrxMasterData(page);
    auto* users = new TfrxUserDataSet(&report);
    users->SetUserName("Users");
    report.DataSets()->Add(users);
    auto* other = new TfrxUserDataSet(&report);
    other->SetUserName("Other");

    band->SetDataSetName("users");
    EXPECT_EQ(band->DataSet(), users);
    EXPECT_EQ(band->DataSetName(), "Users");
    // A name the report does not list finds nothing, even when the dataset exists.
    band->SetDataSetName("Other");
    EXPECT_EQ(band->DataSet(), nullptr);
    EXPECT_EQ(band->DataSetName(), "Other");
    band->SetDataSet(other);
    EXPECT_EQ(band->DataSetName(), "Other");
    other->SetUserName("Renamed");
    EXPECT_EQ(band->DataSetName(), "Renamed");

    band->SetDataSet(users);
    page->SetDataSet(users);
    delete users;
    EXPECT_EQ(band->DataSet(), nullptr);
    EXPECT_EQ(page->DataSet(), nullptr);
}

TEST(Bands, EngineLinksGoWithTheirBands) {
    TfrxReport report(nullptr);
    auto* page = new TfrxReportPage(&report);
    auto* header = new TfrxHeader(page);
    auto* group = new TfrxGroupHeader(page);
    auto* groupFooter = new TfrxGroupFooter(page);
    auto* master = new TfrxMasterData(page);
    auto* detail = new TfrxDetailData(page);
    master->Header = header;
    master->Group = group;
    master->DetailList = {detail};
    group->Footer = groupFooter;
    group->GroupList = {group};
    page->HorizontalMasters = {master};
    delete header;
    delete groupFooter;
    delete detail;
    EXPECT_EQ(master->Header, nullptr);
    EXPECT_TRUE(master->DetailList.empty());
    EXPECT_EQ(group->Footer, nullptr);
    delete group;
    EXPECT_EQ(master->Group, nullptr);
    delete master;
    EXPECT_TRUE(page->HorizontalMasters.empty());
}

// --- Dot-matrix pages --------------------------------------------------------------------

struct TSnapCase {
    const char* Name;
    const char* Property;
    double Value;
    double DotMatrix;   // on a dot-matrix page
};

void PrintTo(const TSnapCase& c, std::ostream* os) { *os << c.Name; }

class DotMatrixSnap : public testing::TestWithParam<TSnapCase> {};

TEST_P(DotMatrixSnap, ToTheCharacterCell) {
    const TSnapCase& c = GetParam();
    TfrxDMPPage dmp(nullptr);
    TfrxReportPage plain(nullptr);
    for (TfrxReportPage* page : {static_cast<TfrxReportPage*>(&dmp), &plain}) {
        auto* band = new TfrxMasterData(page);
        SetPropValue(band, c.Property, Variant(c.Value));
        const double expected = page == &dmp ? c.DotMatrix : c.Value;
        EXPECT_NEAR(GetFloatProp(band, GetPropInfo(band, c.Property)), expected, 1e-9) << page->ClassName();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bands, DotMatrixSnap,
    testing::Values(TSnapCase{"top_20", "Top", 20, 17}, TSnapCase{"height_40", "Height", 40, 34},
                    TSnapCase{"top_half_to_even_down", "Top", 8.5, 0}, TSnapCase{"top_half_to_even_up", "Top", 25.5, 34},
                    TSnapCase{"left_20", "Left", 20, 19.2}, TSnapCase{"left_30", "Left", 30, 28.8},
                    TSnapCase{"width_not_snapped", "Width", 30, 30}),
    [](const testing::TestParamInfo<TSnapCase>& i) { return std::string(i.param.Name); });

// --- The subreport -----------------------------------------------------------------------

TEST(Subreport, NewViewLooks) {
    TfrxSubreport sub(nullptr);
    EXPECT_EQ(sub.Frame()->Typ, (TfrxFrameTypes{ftLeft, ftRight, ftTop, ftBottom}));
    EXPECT_EQ(sub.Font()->Name(), "Tahoma");
    EXPECT_EQ(sub.Font()->Size(), 8);
    EXPECT_FALSE(sub.ParentFont());
    EXPECT_EQ(sub.Color(), static_cast<TColor>(0xC0C0C0));
    EXPECT_FALSE(sub.PrintOnParent);
    EXPECT_EQ(sub.GetDescription(), "obSubRep");
}

TEST(Subreport, PageBackReference) {
    TfrxReport report(nullptr);
    auto* page1 = new TfrxReportPage(&report);
    auto* page2 = new TfrxReportPage(&report);
    auto* page3 = new TfrxReportPage(&report);
    auto* band = new TfrxMasterData(page1);
    auto* sub = new TfrxSubreport(band);
    sub->SetPage(page2);
    EXPECT_EQ(page2->SubReport(), sub);
    EXPECT_TRUE(page2->IsSubReport());
    sub->SetPage(page3);
    EXPECT_FALSE(page2->IsSubReport());
    EXPECT_EQ(page3->SubReport(), sub);
    delete sub;
    EXPECT_FALSE(page3->IsSubReport());

    auto* sub2 = new TfrxSubreport(band);
    sub2->SetPage(page2);
    delete page2;
    EXPECT_EQ(sub2->Page(), nullptr);
    // A subreport showing its own page: both go without touching each other.
    auto* sub3 = new TfrxSubreport(band);
    sub3->SetPage(page1);
    delete page1;
}

TEST(Subreport, DrawsItsNameInsideTheFrame) {
    TBitmap bitmap(200, 60);
    bitmap.Canvas()->Brush()->SetColor(clWhite);
    bitmap.Canvas()->FillRect(Rect(0, 0, 200, 60));
    TfrxSubreport sub(nullptr);
    sub.SetName("Subreport1");
    sub.SetColor(clWhite);
    sub.SetBounds(10, 10, 150, 40);
    sub.Draw(bitmap.Canvas(), 1, 1, 0, 0);
    // The frame on the left side, text pixels near the top-left corner, none further down.
    EXPECT_EQ(bitmap.Pixel(10, 30), clBlack);
    int dark = 0;
    for (int y = 12; y < 26; ++y)
        for (int x = 12; x < 80; ++x)
            if (bitmap.Pixel(x, y) != clWhite) ++dark;
    EXPECT_GT(dark, 20);
    for (int x = 12; x < 150; ++x) EXPECT_EQ(bitmap.Pixel(x, 45), clWhite) << x;
}

}  // namespace
