// Which bands a pass before the last may print without their objects, and that a
// double-pass run comes out the same whether it does or not.
#include "report/QuietBands.h"

#include "EngineFixture.h"
#include "report/PictureView.h"
#include "report/Variables.h"
#include "script/Script.h"

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

}  // namespace
