// Which bands a pass before the last may print without their objects, and that a
// double-pass run comes out the same whether it does or not.
#include "report/QuietBands.h"

#include "EngineFixture.h"
#include "report/PictureView.h"
#include "report/Variables.h"
#include "script/Script.h"

// A master band of a class of its own, counting its before-print steps.
class TCountingMasterData : public TfrxMasterData {
    ROVE_CLASS(TCountingMasterData, TfrxMasterData)
public:
    explicit TCountingMasterData(TComponent* AOwner) : TfrxMasterData(AOwner) {}
    void BeforePrint() override {
        ++BeforePrints;
        TfrxMasterData::BeforePrint();
    }
    int BeforePrints = 0;
};
ROVE_IMPLEMENT_CLASS(TCountingMasterData)

namespace {

// A grouped list over the items: title, group header, rows, group footer with a sum,
// page footer with the page count.
void GroupedList(TBuilder& b) {
    b.Memo(b.Band<TfrxReportTitle>("ReportTitle1", 0, 40), "Items");
    auto* gh = b.Band<TfrxGroupHeader>("GroupHeader1", 50, 20);
    gh->Condition = "DS.\"grp\"";
    b.Memo(gh, "[DS.\"grp\"]");
    auto* md = b.Master(80, 30, "[DS.\"name\"] [<DS.\"amount\"> * 2] [Line]");
    b.Memo(md, "[FormatFloat('0.00', <DS.\"amount\">)]")->SetLeft(200);
    b.Memo(b.Band<TfrxGroupFooter>("GroupFooter1", 120, 20), "sum [SUM(<DS.\"amount\">, MasterData1)]");
    b.Memo(b.Band<TfrxPageFooter>("PageFooter1", 200, 30), "[Page#] of [TotalPages]");
    b.Report->EngineOptions()->DoublePass = true;
}

// The report prepared as a run does before its passes: script bound and compiled,
// datasets active.
TfrxQuietBands Prepared(TBuilder& b) {
    EXPECT_TRUE(b.Report->PrepareScript()) << b.Report->Script()->ErrorMsg();
    b.Report->DataSets()->Initialize();
    b.DS->Activate();
    return TfrxQuietBands(b.Report.get());
}

struct TQuietCase {
    const char* Name;
    // Changes the grouped list (its MasterData1 memo is "Memo" below).
    std::function<void(TBuilder& b, TfrxMemoView* Memo)> Change;
    bool MasterQuiet;
};

void PrintTo(const TQuietCase& Case, std::ostream* Out) { *Out << Case.Name; }

TfrxMemoView* MasterMemo(TBuilder& b) {
    return static_cast<TfrxMemoView*>(b.Page->FindBand<TfrxMasterData>()->ObjectList().front());
}

const TQuietCase kQuietCases[] = {
    {"FieldsOperatorsAndFunctions", [](TBuilder&, TfrxMemoView*) {}, true},
    {"ReportVariableOfFields",
     [](TBuilder& b, TfrxMemoView* m) {
         b.Report->Variables()->SetVariables("Twice", Variant("<DS.\"amount\"> * 2"));
         m->SetText("[Twice]");
     },
     true},
    {"HighlightOnOwnValue", [](TBuilder&, TfrxMemoView* m) { m->Highlight()->Condition = "Value > 2"; }, true},
    {"FormatSuffix", [](TBuilder&, TfrxMemoView* m) { m->SetText("[<DS.\"amount\"> #n%2.2f]"); }, true},
    {"MissingField", [](TBuilder&, TfrxMemoView* m) { m->SetText("[DS.\"missing\"]"); }, false},
    {"UnknownName", [](TBuilder&, TfrxMemoView* m) { m->SetText("[<Nothing>]"); }, false},
    {"OtherObject", [](TBuilder& b, TfrxMemoView* m) { m->SetText("[" + MasterMemo(b)->Name() + ".Text]"); }, false},
    {"Engine", [](TBuilder&, TfrxMemoView* m) { m->SetText("[Engine.FinalPass]"); }, false},
    {"FunctionWithSideEffect", [](TBuilder&, TfrxMemoView* m) { m->SetText("[Calc('1')]"); }, false},
    {"Stretches", [](TBuilder&, TfrxMemoView* m) { m->SetStretchMode(smActualHeight); }, false},
    {"SuppressesRepeated", [](TBuilder&, TfrxMemoView* m) { m->SuppressRepeated = true; }, false},
    {"DataInLink", [](TBuilder&, TfrxMemoView* m) { m->SetURL("#[DS.\"name\"]"); }, false},
    {"HighlightOnOtherObject",
     [](TBuilder& b, TfrxMemoView* m) { m->Highlight()->Condition = b.Page->FindBand<TfrxGroupHeader>()->Name() + ".Visible"; },
     false},
    {"EventOnMemo", [](TBuilder&, TfrxMemoView* m) { m->OnAfterData = "MemoAfterData"; }, false},
    {"EventOnOtherBand",
     [](TBuilder& b, TfrxMemoView*) { b.Page->FindBand<TfrxGroupFooter>()->OnBeforePrint = "FooterBefore"; }, false},
    {"ScriptDeclaration", [](TBuilder& b, TfrxMemoView*) { b.Report->ScriptText()->SetText("var n: Integer;\r\nbegin\r\nend."); },
     false},
    {"ScriptMainBlock",
     [](TBuilder& b, TfrxMemoView*) { b.Report->ScriptText()->SetText("begin\r\n  Set('X', 1)\r\nend."); }, false},
    {"HostCallback",
     [](TBuilder& b, TfrxMemoView*) { b.Report->OnGetValue = [](const std::string&, Variant&) {}; }, false},
    {"VariableReadingAnObject",
     [](TBuilder& b, TfrxMemoView*) { b.Report->Variables()->SetVariables("Peek", Variant("Page1.Width")); },
     false},
    {"VariableCycle",
     [](TBuilder& b, TfrxMemoView* m) {
         b.Report->Variables()->SetVariables("Loop", Variant("Loop"));
         m->SetText("[Loop]");
     },
     false},
};

class QuietBandsTest : public ::testing::TestWithParam<TQuietCase> {};

TEST_P(QuietBandsTest, MasterBandDecision) {
    TBuilder b(5);
    GroupedList(b);
    GetParam().Change(b, MasterMemo(b));
    TfrxQuietBands quiet = Prepared(b);
    EXPECT_EQ(quiet.Quiet(b.Page->FindBand<TfrxMasterData>()), GetParam().MasterQuiet);
    b.Report->DataSets()->Finalize();
}

INSTANTIATE_TEST_SUITE_P(Cases, QuietBandsTest, ::testing::ValuesIn(kQuietCases),
                         [](const auto& info) { return std::string(info.param.Name); });

// A picture, a subreport or any other kind of view anywhere keeps every band from being
// quiet: what its printing reads or changes is not looked into.
TEST(QuietBands, OtherViewKindsKeepTheWholeReportPrinting) {
    TBuilder b(3);
    GroupedList(b);
    new TfrxPictureView(b.Page->FindBand<TfrxReportTitle>());
    TfrxQuietBands quiet = Prepared(b);
    EXPECT_FALSE(quiet.Quiet(b.Page->FindBand<TfrxMasterData>()));
    b.Report->DataSets()->Finalize();
}

// The same grouped list with a script declaration that changes nothing: its bands are
// then prepared whole in the first pass. Both runs give the same pages and page count,
// also where the engine reads bands back from its pages (kept blocks, a child kept with
// its band), which a first pass of quiet bands otherwise does not write at all.
TEST(QuietBands, DoublePassGivesTheSamePagesWithAndWithoutQuietBands) {
    const std::function<void(TBuilder&)> layouts[] = {
        [](TBuilder&) {},
        [](TBuilder& b) {
            b.Page->FindBand<TfrxGroupHeader>()->KeepTogether = true;
            b.Page->FindBand<TfrxMasterData>()->SetHeight(45);
        },
        [](TBuilder& b) {
            auto* child = b.Band<TfrxChild>("Child1", 160, 25);
            b.Memo(child, "[DS.\"name\"] child");
            auto* footer = b.Page->FindBand<TfrxGroupFooter>();
            footer->SetChild(child);
            footer->KeepChild = true;
        },
    };
    for (size_t i = 0; i < std::size(layouts); ++i) {
        auto run = [&](bool WithScript) {
            TBuilder b(40);
            GroupedList(b);
            layouts[i](b);
            if (WithScript) b.Report->ScriptText()->SetText("var unused: Integer;\r\nbegin\r\nend.");
            EXPECT_TRUE(b.Report->PrepareReport()) << b.Report->Errors()->Text();
            return Pages(*b.Report);
        };
        const std::vector<std::string> quiet = run(false);
        ASSERT_GT(quiet.size(), 2u) << i;
        EXPECT_NE(quiet.back().find("of " + std::to_string(quiet.size())), std::string::npos) << i << quiet.back();
        EXPECT_EQ(quiet, run(true)) << i;
    }
}

// What a first pass must still do where it can be seen: a stretching memo decides the
// page count (also one whose text follows a total), and script code runs in both passes.
TEST(QuietBands, FirstPassStillPreparesWhatCanBeSeen) {
    {
        TBuilder b(40);
        GroupedList(b);
        auto* footer = b.Page->FindBand<TfrxGroupFooter>();
        footer->Stretched = true;
        auto* m = static_cast<TfrxMemoView*>(footer->ObjectList().front());
        m->SetStretchMode(smActualHeight);
        std::string tall = "'1'";
        for (int i = 2; i <= 24; ++i) tall += "+#13#10+'" + std::to_string(i) + "'";
        m->SetText("[IIF(SUM(<DS.\"amount\">, MasterData1) > 100, " + tall + ", 'low')]");
        ASSERT_TRUE(b.Report->PrepareReport()) << b.Report->Errors()->Text();
        const std::vector<std::string> pages = Pages(*b.Report);
        ASSERT_GT(pages.size(), 2u);
        EXPECT_NE(pages.back().find("\n24"), std::string::npos) << pages.back();
        EXPECT_NE(pages.back().find("of " + std::to_string(pages.size())), std::string::npos) << pages.back();
    }
    {
        TBuilder b(6);
        GroupedList(b);
        TfrxMemoView* m = MasterMemo(b);
        m->SetStretchMode(smActualHeight);
        m->SetText("[DS.\"name\"]\r\n2\r\n3\r\n4\r\n5\r\n6");
        b.Page->FindBand<TfrxMasterData>()->Stretched = true;
        ASSERT_TRUE(b.Report->PrepareReport()) << b.Report->Errors()->Text();
        const std::vector<std::string> pages = Pages(*b.Report);
        ASSERT_GT(pages.size(), 2u);
        EXPECT_NE(pages.back().find("of " + std::to_string(pages.size())), std::string::npos) << pages.back();
    }
    {
        TBuilder b(6);
        GroupedList(b);
        b.Report->ScriptText()->SetText(
            "var n: Integer;\r\nfunction Next: Integer;\r\nbegin\r\n  n := n + 1;\r\n  Result := n\r\nend;\r\n"
            "begin\r\nend.");
        MasterMemo(b)->SetText("[Next]");
        ASSERT_TRUE(b.Report->PrepareReport()) << b.Report->Errors()->Text();
        EXPECT_EQ(VarToStr(b.Report->Script()->Variables("n")), "12");
    }
}

// Layouts of the grouped list whose bands are all quiet: a first pass that leaves their
// objects out and places them only where the run reads its pages back.
struct TQuietLayout {
    const char* Name;
    std::function<void(TBuilder& b)> Change;
};

const TQuietLayout kQuietLayouts[] = {
    {"Plain", [](TBuilder&) {}},
    // Stretched bands take the height of their objects (here lower than the bands').
    {"StretchedBands",
     [](TBuilder& b) {
         auto* md = b.Page->FindBand<TfrxMasterData>();
         md->Stretched = true;
         md->SetHeight(44);
         auto* gf = b.Page->FindBand<TfrxGroupFooter>();
         gf->Stretched = true;
         gf->SetHeight(35);
     }},
    // Kept blocks are cut and pasted from the pages: the first pass writes band places.
    {"KeptGroups",
     [](TBuilder& b) {
         b.Page->FindBand<TfrxGroupHeader>()->KeepTogether = true;
         b.Page->FindBand<TfrxMasterData>()->SetHeight(45);
     }},
    // Rows in two columns: the band moves left and right.
    {"TwoColumns",
     [](TBuilder& b) {
         auto* md = b.Page->FindBand<TfrxMasterData>();
         md->Columns = 2;
         md->ColumnWidth = 150;
         md->SetHeight(50);
     }},
    // A total in a report variable: every total is fed in the first pass too, and one that
    // reads a missing field reports it with the band printed last as the current object.
    {"TotalsFedInEveryPass",
     [](TBuilder& b) {
         b.Report->Variables()->SetVariables("Total", Variant("SUM(<DS.\"amount\">, MasterData1)"));
         b.Memo(b.Page->FindBand<TfrxGroupFooter>(), "[SUM(<DS.\"missing\">, MasterData1)]")->SetLeft(200);
     }},
};

void PrintTo(const TQuietLayout& Layout, std::ostream* Out) { *Out << Layout.Name; }

class QuietLayoutTest : public ::testing::TestWithParam<TQuietLayout> {};

// What the first pass leaves out or does not place cannot be seen: the pages, the errors,
// the report's current object and the places the bands are left at come out as in a run
// that prepares every band whole, and one pass gives as many pages.
TEST_P(QuietLayoutTest, FirstPassLeavesNoTrace) {
    struct TRun {
        std::vector<std::string> Pages;
        std::string Errors, CurObject;
        std::vector<std::string> Bounds;   // every band's, before and after the run
    };
    auto run = [&](bool WithScript, bool DoublePass) {
        TBuilder b(40);
        GroupedList(b);
        GetParam().Change(b);
        b.Report->EngineOptions()->DoublePass = DoublePass;
        if (WithScript) b.Report->ScriptText()->SetText("var unused: Integer;\r\nbegin\r\nend.");
        // Marked as run by a thread, the report keeps its objects as the run left them
        // instead of loading its saved template again.
        int thread = 0;
        b.Report->EngineOptions()->ReportThread = &thread;
        auto bounds = [&] {
            std::string s;
            for (TfrxComponent* c : b.Page->ObjectList())
                s += c->Name() + " " + Number(c->Left()) + "," + Number(c->Top()) + "," + Number(c->Width()) + "," +
                     Number(c->Height()) + " ";
            return s;
        };
        TRun r;
        r.Bounds.push_back(bounds());
        b.Report->PrepareReport();
        b.Report->EngineOptions()->ReportThread = nullptr;
        r.Bounds.push_back(bounds());
        r.Pages = Pages(*b.Report, true);
        r.Errors = b.Report->Errors()->Text();
        r.CurObject = b.Report->CurObject;
        return r;
    };
    {
        TBuilder b(40);
        GroupedList(b);
        GetParam().Change(b);
        TfrxQuietBands quiet = Prepared(b);
        for (TfrxComponent* c : b.Page->ObjectList())
            EXPECT_TRUE(quiet.Quiet(static_cast<TfrxBand*>(c))) << c->Name();
        b.Report->DataSets()->Finalize();
    }
    const TRun quiet = run(false, true), whole = run(true, true), single = run(false, false);
    ASSERT_GT(quiet.Pages.size(), 2u);
    EXPECT_NE(quiet.Pages.back().find("of " + std::to_string(quiet.Pages.size())), std::string::npos)
        << quiet.Pages.back();
    EXPECT_EQ(quiet.Pages, whole.Pages);
    EXPECT_EQ(quiet.Errors, whole.Errors);
    EXPECT_EQ(quiet.CurObject, whole.CurObject);
    EXPECT_EQ(quiet.Bounds, whole.Bounds);
    EXPECT_EQ(quiet.Pages.size(), single.Pages.size());
}

INSTANTIATE_TEST_SUITE_P(Layouts, QuietLayoutTest, ::testing::ValuesIn(kQuietLayouts),
                         [](const auto& info) { return std::string(info.param.Name); });

// A band of a class the engine does not know may do more in its before- and after-print
// steps than keep its bounds: it is never quiet, and both passes print it whole.
TEST(QuietBands, BandOfAnotherClassPrintsWholeInBothPasses) {
    TBuilder b(6);
    GroupedList(b);
    auto* master = b.Page->FindBand<TfrxMasterData>();
    auto* counting = new TCountingMasterData(b.Page);
    counting->SetBounds(master->Left(), master->Top(), master->Width(), master->Height());
    counting->SetDataSet(b.DS);
    for (TfrxComponent* c : std::vector<TfrxComponent*>(master->ObjectList())) c->SetParent(counting);
    delete master;
    counting->SetName("MasterData1");
    {
        TfrxQuietBands quiet = Prepared(b);
        EXPECT_FALSE(quiet.Quiet(counting));
        EXPECT_TRUE(quiet.Quiet(b.Page->FindBand<TfrxGroupHeader>()));
        b.Report->DataSets()->Finalize();
    }
    // The run's own objects are counted: the report keeps them instead of loading its
    // saved template again, as for a run on a thread.
    int thread = 0;
    b.Report->EngineOptions()->ReportThread = &thread;
    ASSERT_TRUE(b.Report->PrepareReport()) << b.Report->Errors()->Text();
    b.Report->EngineOptions()->ReportThread = nullptr;
    EXPECT_EQ(counting->BeforePrints, 12);
}

}  // namespace
