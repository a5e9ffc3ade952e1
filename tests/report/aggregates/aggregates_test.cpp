// Aggregate calls: which calls a page's footer memos register (function, expression,
// band, flags, the band asked on), the values over a fed sequence of rows with resets,
// Null values, running totals, invisible bands, keep blocks in page footers, vertical-band
// columns, the look-up by call text, and report variables that refer to themselves.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "report/Aggregates.h"
#include "report/Bands.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/Report.h"

namespace {

// A report page with its band tree linked as the layout engine links it:
// MasterData1 (Footer1, group GroupHeader1 / GroupFooter1, detail DetailData1 with
// Footer2), MasterData2 (vertical, no footer), PageFooter1, ColumnFooter1, ReportSummary1.
class AggregateFixture : public testing::Test {
protected:
    void SetUp() override {
        Report = std::make_unique<TfrxReport>(nullptr);
        Page = new TfrxReportPage(Report.get());
        Page->SetName("Page1");
        Master = Make<TfrxMasterData>("MasterData1");
        Footer = Make<TfrxFooter>("Footer1");
        Group = Make<TfrxGroupHeader>("GroupHeader1");
        GroupFooter = Make<TfrxGroupFooter>("GroupFooter1");
        Detail = Make<TfrxDetailData>("DetailData1");
        DetailFooter = Make<TfrxFooter>("Footer2");
        Vertical = Make<TfrxMasterData>("MasterData2");
        Vertical->Vertical = true;
        PageFooter = Make<TfrxPageFooter>("PageFooter1");
        ColumnFooter = Make<TfrxColumnFooter>("ColumnFooter1");
        Summary = Make<TfrxReportSummary>("ReportSummary1");
        Title = Make<TfrxReportTitle>("ReportTitle1");
        Master->Footer = Footer;
        Master->Group = Group;
        Group->Footer = GroupFooter;
        Group->GroupList = {Group};
        Master->DetailList = {Detail};
        Detail->Footer = DetailFooter;
        Page->HorizontalMasters = {Master};
        Page->VerticalMasters = {Vertical};
        List = std::make_unique<TfrxAggregateList>(Report.get());
    }
    void TearDown() override {
        List.reset();
        Report.reset();
    }
    template <class B> B* Make(const char* Name) {
        auto* band = new B(Page);
        band->SetName(Name);
        return band;
    }
    TfrxMemoView* AddMemo(TfrxBand* Band, const std::string& Text) {
        auto* memo = new TfrxMemoView(Band);
        memo->SetName("Memo" + std::to_string(++FMemos));
        memo->SetText(Text);
        return memo;
    }
    TfrxBand* BandNamed(const std::string& Name) const {
        return static_cast<TfrxBand*>(Report->FindObject(Name));
    }
    // One row of the band: v holds the value its expression reads.
    void Feed(TfrxComponent* Band, const Variant& V, int Column = 0) {
        Report->SetScriptVariable("v", V);
        List->AddValue(Band, Column);
    }

    std::unique_ptr<TfrxReport> Report;
    std::unique_ptr<TfrxAggregateList> List;
    TfrxReportPage* Page = nullptr;
    TfrxMasterData* Master = nullptr;
    TfrxFooter* Footer = nullptr;
    TfrxGroupHeader* Group = nullptr;
    TfrxGroupFooter* GroupFooter = nullptr;
    TfrxDetailData* Detail = nullptr;
    TfrxFooter* DetailFooter = nullptr;
    TfrxMasterData* Vertical = nullptr;
    TfrxPageFooter* PageFooter = nullptr;
    TfrxColumnFooter* ColumnFooter = nullptr;
    TfrxReportSummary* Summary = nullptr;
    TfrxReportTitle* Title = nullptr;

private:
    int FMemos = 0;
};

using AggregateTree = AggregateFixture;
using AggregateLookup = AggregateFixture;

const char* const kFunctions[] = {"SUM", "AVG", "MIN", "MAX", "COUNT"};

// "FUNCTION|expression|feeding band|flags|asked on|text", flags "I" (count invisible),
// "R" (running total), "P" (page footer), "-" for none.
std::string Describe(const TfrxAggregateItem& Item) {
    std::string flags;
    if (Item.CountInvisible) flags += 'I';
    if (Item.RunningTotal) flags += 'R';
    if (Item.InPageFooter) flags += 'P';
    if (flags.empty()) flags = "-";
    return std::string(kFunctions[Item.Function]) + "|" + Item.Expression + "|" +
           (Item.Band ? Item.Band->Name() : std::string("nil")) + "|" + flags + "|" +
           (Item.ParentBand ? Item.ParentBand->Name() : std::string("nil")) + "|" + Item.Text;
}

std::string Shown(const Variant& V) { return V.IsNull() ? "<null>" : V.IsEmpty() ? "<empty>" : VarToStr(V); }

// --- The scan of a page -----------------------------------------------------------------------

struct ScanCase {
    const char* name;
    const char* band;   // the band the memo lies on
    const char* text;
    std::vector<std::string> items;
    const char* delimiters = "[,]";
    bool allowExpressions = true;
};
std::ostream& operator<<(std::ostream& os, const ScanCase& c) { return os << c.name; }

class AggregateScan : public AggregateFixture, public testing::WithParamInterface<ScanCase> {};

TEST_P(AggregateScan, RegistersTheCallsOfFooterMemos) {
    const ScanCase& c = GetParam();
    // Report variables the cases refer to: one holding a call, two that refer to each
    // other, one that refers to itself next to a call.
    Report->Variables()->SetVariables("tot", Variant("SUM(<v>) * 2"));
    Report->Variables()->SetVariables("ping", Variant("pong"));
    Report->Variables()->SetVariables("pong", Variant("ping + 1"));
    Report->Variables()->SetVariables("self", Variant("self + COUNT(DetailData1)"));
    TfrxMemoView* memo = AddMemo(BandNamed(c.band), c.text);
    memo->ExpressionDelimiters = c.delimiters;
    memo->AllowExpressions = c.allowExpressions;
    List->AddItems(Page);
    std::vector<std::string> found;
    for (int i = 0; i < List->Count(); ++i) {
        EXPECT_EQ(List->Items(i)->MemoName, memo->Name());
        found.push_back(Describe(*List->Items(i)));
    }
    EXPECT_EQ(found, c.items);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, AggregateScan,
    testing::Values(
        ScanCase{"sum_in_a_footer", "Footer1", "Total [SUM(<v>)]", {"SUM|<v>|MasterData1|-|Footer1|SUM(<v>)"}},
        ScanCase{"named_band_and_flags",
                 "ReportSummary1",
                 "[SUM( <v> , MasterData2, 3 )] of [COUNT(DetailData1)]",
                 {"SUM|<v>|MasterData2|IR|ReportSummary1|SUM( <v> , MasterData2, 3 )",
                  "COUNT||DetailData1|-|ReportSummary1|COUNT(DetailData1)"}},
        ScanCase{"count_flags_are_its_second_argument", "Footer1", "[COUNT(DetailData1, 2)]",
                 {"COUNT||DetailData1|R|Footer1|COUNT(DetailData1, 2)"}},
        ScanCase{"lower_case_name", "Footer1", "[avg(<v>)]", {"AVG|<v>|MasterData1|-|Footer1|avg(<v>)"}},
        ScanCase{"blank_before_the_parenthesis", "Footer1", "[SUM (<v>)]", {}},
        ScanCase{"nested_commas_stay_in_the_expression", "Footer1", "[MAX(IIF(<v> > 0, <v>, 0), MasterData1, 1)]",
                 {"MAX|IIF(<v> > 0, <v>, 0)|MasterData1|I|Footer1|MAX(IIF(<v> > 0, <v>, 0), MasterData1, 1)"}},
        ScanCase{"single_quotes_protect_commas", "Footer1", "[MIN('a,b')]",
                 {"MIN|'a,b'|MasterData1|-|Footer1|MIN('a,b')"}},
        // Double quotes do not: the second argument is a band name that names nothing.
        ScanCase{"double_quotes_do_not", "Footer1", "[MIN(\"a,b\")]",
                 {"MIN|\"a|MasterData1|-|Footer1|MIN(\"a,b\")"}},
        ScanCase{"unknown_band_keeps_the_default", "GroupFooter1", "[SUM(<v>, NoSuchBand)]",
                 {"SUM|<v>|MasterData1|-|GroupFooter1|SUM(<v>, NoSuchBand)"}},
        ScanCase{"two_calls_in_one_expression", "Footer1", "[SUM(<v>) / COUNT()]",
                 {"SUM|<v>|MasterData1|-|Footer1|SUM(<v>)", "COUNT||MasterData1|-|Footer1|COUNT()"}},
        ScanCase{"calls_inside_a_call_are_not_registered", "Footer1", "[SUM(MAX(<v>))]",
                 {"SUM|MAX(<v>)|MasterData1|-|Footer1|SUM(MAX(<v>))"}},
        ScanCase{"calls_inside_parentheses_and_quotes", "Footer1", "[Format('SUM(x)', (1 + SUM(<w>)))]",
                 {"SUM|<w>|MasterData1|-|Footer1|SUM(<w>)"}},
        ScanCase{"text_outside_delimiters_is_no_expression", "Footer1", "SUM(<v>) [COUNT()]",
                 {"COUNT||MasterData1|-|Footer1|COUNT()"}},
        ScanCase{"own_delimiters", "Footer1", "<%SUM(<v>)%> [COUNT()]", {"SUM|<v>|MasterData1|-|Footer1|SUM(<v>)"},
                 "<%,%>"},
        ScanCase{"expressions_off", "Footer1", "[SUM(<v>)]", {}, "[,]", false},
        ScanCase{"detail_footer_is_fed_by_the_detail", "Footer2", "[SUM(<v>)]",
                 {"SUM|<v>|DetailData1|-|Footer2|SUM(<v>)"}},
        ScanCase{"group_footer_once", "GroupFooter1", "[COUNT()]", {"COUNT||MasterData1|-|GroupFooter1|COUNT()"}},
        ScanCase{"page_footer_uses_the_first_master", "PageFooter1", "[SUM(<v>)]",
                 {"SUM|<v>|MasterData1|P|PageFooter1|SUM(<v>)"}},
        ScanCase{"column_footer", "ColumnFooter1", "[MAX(<v>)]", {"MAX|<v>|MasterData1|-|ColumnFooter1|MAX(<v>)"}},
        ScanCase{"vertical_data_band_itself", "MasterData2", "[SUM(<v>)]",
                 {"SUM|<v>|MasterData2|-|MasterData2|SUM(<v>)"}},
        ScanCase{"horizontal_data_band_is_not_scanned", "MasterData1", "[SUM(<v>)]", {}},
        ScanCase{"title_is_not_scanned", "ReportTitle1", "[SUM(<v>)]", {}},
        ScanCase{"variable_holding_a_call", "Footer1", "[tot]", {"SUM|<v>|MasterData1|-|Footer1|SUM(<v>)"}},
        ScanCase{"variable_inside_an_expression", "Footer1", "[1 + tot]", {"SUM|<v>|MasterData1|-|Footer1|SUM(<v>)"}},
        ScanCase{"variables_referring_to_each_other", "Footer1", "[ping]", {}},
        ScanCase{"variable_referring_to_itself", "Footer1", "[self]",
                 {"COUNT||DetailData1|-|Footer1|COUNT(DetailData1)"}},
        ScanCase{"chinese_text_around_calls", "Footer1", "合计：[SUM(<金额>)]元",
                 {"SUM|<金额>|MasterData1|-|Footer1|SUM(<金额>)"}}),
    [](const testing::TestParamInfo<ScanCase>& info) { return std::string(info.param.name); });

TEST_F(AggregateTree, FlagsThatAreNoNumberRaise) {
    AddMemo(Footer, "[SUM(<v>, MasterData1, x)]");
    EXPECT_THROW(List->AddItems(Page), EConvertError);
    EXPECT_EQ(List->Count(), 0);
}

TEST_F(AggregateTree, PageWithoutMastersRegistersNoPageFooterCalls) {
    Page->HorizontalMasters.clear();
    Page->VerticalMasters.clear();
    AddMemo(PageFooter, "[SUM(<v>)]");
    AddMemo(Summary, "[COUNT()]");
    List->AddItems(Page);
    EXPECT_EQ(List->Count(), 0);
}

// A memo moved from a footer-like band into a vertical band is asked for while that
// horizontal band prints; one moved from a band of another kind stays with the vertical band.
TEST_F(AggregateTree, MovedMemosAreAskedOnTheirHorizontalBand) {
    TfrxMemoView* fromFooter = AddMemo(Vertical, "[SUM(<v>)]");
    TfrxMemoView* fromTitle = AddMemo(Vertical, "[COUNT()]");
    List->AddItems(Page, [&](const TfrxComponent* Object) -> TfrxBand* {
        if (Object == fromFooter) return Footer;
        if (Object == fromTitle) return Title;
        return nullptr;
    });
    ASSERT_EQ(List->Count(), 2);
    EXPECT_EQ(Describe(*List->Items(0)), "SUM|<v>|MasterData2|-|Footer1|SUM(<v>)");
    EXPECT_EQ(Describe(*List->Items(1)), "COUNT||MasterData2|-|MasterData2|COUNT()");
}

// --- Values over rows -------------------------------------------------------------------------

// f: a row with value v; h: a row while the band is hidden; n: a row with Null;
// r: the memo's band printed (reset); k / e: a keep block starts / is placed;
// x: the start of a run; =: the value as shown must be `expected`.
struct Step {
    char op;
    Variant value = Variant::Null();
    const char* expected = "";
};
struct ValueCase {
    const char* name;
    const char* band;
    const char* call;
    std::vector<Step> steps;
};
std::ostream& operator<<(std::ostream& os, const ValueCase& c) { return os << c.name; }

Step F(int V) { return {'f', Variant(V)}; }
Step F(double V) { return {'f', Variant(V)}; }
Step H(int V) { return {'h', Variant(V)}; }
Step N() { return {'n'}; }
Step R() { return {'r'}; }
Step K() { return {'k'}; }
Step E() { return {'e'}; }
Step X() { return {'x'}; }
Step Is(const char* Shown) { return {'=', Variant::Null(), Shown}; }

class AggregateValues : public AggregateFixture, public testing::WithParamInterface<ValueCase> {};

TEST_P(AggregateValues, AccumulateOverRows) {
    const ValueCase& c = GetParam();
    TfrxBand* band = BandNamed(c.band);
    AddMemo(band, std::string("[") + c.call + "]");
    List->AddItems(Page);
    ASSERT_EQ(List->Count(), 1);
    int index = 0;
    for (const Step& s : c.steps) {
        ++index;
        switch (s.op) {
            case 'f': Feed(Master, s.value); break;
            case 'n': Feed(Master, Variant::Null()); break;
            case 'h':
                Master->SetVisible(false);
                Feed(Master, s.value);
                Master->SetVisible(true);
                break;
            case 'r': List->Reset(band); break;
            case 'k': List->StartKeep(); break;
            case 'e': List->EndKeep(); break;
            case 'x': List->ClearValues(); break;
            case '=': EXPECT_EQ(Shown(List->GetValue(band, 0, c.call)), s.expected) << "step " << index; break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AggregateValues,
    testing::Values(
        ValueCase{"sum_reset_by_its_footer", "Footer1", "SUM(v)", {Is("<null>"), F(1), F(2), F(3), Is("6"), R(), Is("<null>"), F(4), Is("4")}},
        ValueCase{"sum_of_decimals", "Footer1", "SUM(v)", {F(1.5), F(2.25), Is("3.75")}},
        ValueCase{"sum_of_nulls_only", "Footer1", "SUM(v)", {N(), N(), Is("<null>")}},
        ValueCase{"sum_after_a_null", "Footer1", "SUM(v)", {N(), F(5), N(), F(2), Is("7")}},
        ValueCase{"avg_counts_nulls_but_adds_none", "Footer1", "AVG(v)", {F(2), F(4), N(), Is("2")}},
        ValueCase{"avg_of_no_rows", "Footer1", "AVG(v)", {Is("<null>"), R(), Is("<null>")}},
        ValueCase{"avg_of_null_rows", "Footer1", "AVG(v)", {N(), N(), Is("<null>")}},
        ValueCase{"avg_gives_a_fraction", "Footer1", "AVG(v)", {F(1), F(2), Is("1.5")}},
        ValueCase{"min_starts_with_the_first_value", "Footer1", "MIN(v)", {N(), F(5), F(3), N(), F(4), Is("3"), R(), F(9), Is("9")}},
        ValueCase{"max_ignores_nulls", "Footer1", "MAX(v)", {F(5), N(), F(7), F(6), Is("7")}},
        ValueCase{"count_of_no_rows_is_zero", "Footer1", "COUNT()", {Is("0")}},
        ValueCase{"count_counts_visible_rows", "Footer1", "COUNT(MasterData1)", {F(1), N(), H(5), Is("2"), R(), Is("0")}},
        ValueCase{"count_invisible_too", "Footer1", "COUNT(MasterData1, 1)", {F(1), H(5), Is("2")}},
        ValueCase{"sum_skips_hidden_rows", "Footer1", "SUM(v)", {F(1), H(10), Is("1")}},
        ValueCase{"running_total_survives_resets", "Footer1", "SUM(v, MasterData1, 2)",
                  {F(1), F(2), R(), Is("3"), F(3), R(), Is("6"), X(), Is("<null>")}},
        ValueCase{"flags_3_hidden_rows_and_no_reset", "GroupFooter1", "SUM(v, MasterData1, 3)",
                  {F(1), H(2), R(), Is("3"), F(4), Is("7")}},
        ValueCase{"start_of_run_empties_everything", "Footer1", "COUNT(MasterData1, 2)", {F(1), X(), Is("0"), F(1), R(), Is("1")}},
        // A page footer leaves a kept block out until the block has been placed.
        ValueCase{"page_footer_keeps_a_block_apart", "PageFooter1", "SUM(v)",
                  {F(10), K(), F(20), F(30), Is("10"), E(), Is("60")}},
        ValueCase{"page_footer_block_after_a_reset", "PageFooter1", "SUM(v)",
                  {F(10), R(), K(), F(50), Is("<null>"), E(), Is("50")}},
        ValueCase{"page_footer_block_of_nulls", "PageFooter1", "MIN(v)", {F(8), K(), N(), E(), Is("8")}},
        ValueCase{"page_footer_min_of_a_block", "PageFooter1", "MIN(v)", {F(8), K(), F(3), E(), Is("3")}},
        ValueCase{"page_footer_avg_counts_the_block", "PageFooter1", "AVG(v)", {F(2), K(), F(4), N(), E(), Is("2")}},
        ValueCase{"page_footer_count", "PageFooter1", "COUNT()", {F(1), K(), F(1), Is("1"), E(), Is("2")}},
        // Keep blocks concern page footers only.
        ValueCase{"footer_ignores_keep_blocks", "Footer1", "SUM(v)", {K(), F(20), Is("20"), E(), Is("20")}}),
    [](const testing::TestParamInfo<ValueCase>& info) { return std::string(info.param.name); });

// --- Columns, look-up and errors ---------------------------------------------------------------

TEST_F(AggregateLookup, VerticalColumnsHaveTheirOwnValues) {
    AddMemo(Footer, "[SUM(v)]");
    List->AddItems(Page);
    Feed(Master, Variant(1), 1);
    Feed(Master, Variant(2), 1);
    Feed(Master, Variant(5), 2);
    Feed(Master, Variant(7), 1000);
    Feed(Master, Variant(9), 1001);   // beyond the last column: nothing, and no damage
    Feed(Master, Variant(100), 0);
    struct {
        int column;
        const char* expected;
    } const cases[] = {{1, "3"}, {2, "5"}, {3, "<null>"}, {1000, "7"}, {1001, "<null>"}, {0, "100"}, {-1, "100"}};
    for (const auto& c : cases)
        EXPECT_EQ(Shown(List->GetValue(Footer, c.column, "SUM(v)")), c.expected) << "column " << c.column;
    List->Reset(Footer);
    EXPECT_EQ(Shown(List->GetValue(Footer, 1, "SUM(v)")), "<null>");
    EXPECT_FALSE(List->Items(0)->HasColumnValues());
}

TEST_F(AggregateLookup, LookUpByBandAndCallText) {
    AddMemo(Footer, "[SUM(v)]");
    AddMemo(GroupFooter, "[SUM(v)] [Count()]");
    List->AddItems(Page);
    Feed(Master, Variant(4));
    Feed(Master, Variant(6));
    List->Reset(GroupFooter);
    Feed(Master, Variant(1));
    struct {
        TfrxBand* band;
        const char* name;
        const char* expected;
    } const cases[] = {
        {Footer, "SUM(v)", "11"},       {Footer, "  sum(v) ", "11"},     {GroupFooter, "SUM(v)", "1"},
        {GroupFooter, "COUNT()", "1"},  {Footer, "COUNT()", "<null>"},   {Footer, "SUM( v)", "<null>"},
        {Summary, "SUM(v)", "<null>"},  {nullptr, "SUM(v)", "<null>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Shown(List->GetValue(c.band, 0, c.name)), c.expected)
            << (c.band ? c.band->Name() : "nil") << " " << c.name;
}

// Rows of one band feed only its items, and every item of that band in list order.
TEST_F(AggregateLookup, RowsFeedOnlyTheirBand) {
    AddMemo(Footer, "[SUM(v)]");
    AddMemo(DetailFooter, "[SUM(v)]");
    AddMemo(Summary, "[SUM(v, DetailData1)]");
    List->AddItems(Page);
    Feed(Master, Variant(1));
    Feed(Detail, Variant(10));
    Feed(Detail, Variant(20));
    EXPECT_EQ(Shown(List->GetValue(Footer, 0, "SUM(v)")), "1");
    EXPECT_EQ(Shown(List->GetValue(DetailFooter, 0, "SUM(v)")), "30");
    EXPECT_EQ(Shown(List->GetValue(Summary, 0, "SUM(v, DetailData1)")), "30");
}

TEST_F(AggregateLookup, ExpressionErrorsPropagateWithTheMemoName) {
    ASSERT_TRUE(Report->PrepareScript());
    TfrxMemoView* memo = AddMemo(Footer, "[SUM(v +)]");
    List->AddItems(Page);
    EXPECT_THROW(Feed(Master, Variant(1)), EfrxError);
    EXPECT_EQ(Report->CurObject, memo->Name());
    ASSERT_GT(Report->Errors()->Count(), 0);
    EXPECT_EQ(Report->Errors()->Strings(Report->Errors()->Count() - 1).rfind(memo->Name() + ": ", 0), 0u);
}

TEST_F(AggregateLookup, ExpressionsAreCalculatedByTheReport) {
    ASSERT_TRUE(Report->PrepareScript());
    AddMemo(Footer, "[SUM(v * 2)] [MAX(<v> - 1)]");
    List->AddItems(Page);
    Feed(Master, Variant(3));
    Feed(Master, Variant(4));
    EXPECT_EQ(Shown(List->GetValue(Footer, 0, "SUM(v * 2)")), "14");
    EXPECT_EQ(Shown(List->GetValue(Footer, 0, "MAX(<v> - 1)")), "3");
}

// SUM and AVG add two floats directly; every sequence of kinds must give what the general
// addition gives (kind and value), with Null taken as nothing.
TEST_F(AggregateLookup, SumsOfEveryKindAsTheGeneralAddition) {
    const std::vector<std::vector<Variant>> sequences = {
        {Variant(1.5), Variant(2.25), Variant(0.1), Variant(0.2), Variant(-1e300), Variant(1e300)},
        {Variant(1), Variant(2.5), Variant(3)},
        {Variant(2.5), Variant(1), Variant::FromInt64(5000000000)},
        {Variant::CurrencyFromDouble(1.25), Variant(0.5), Variant::CurrencyFromDouble(2)},
        {Variant::FromDate(45000.25), Variant(1.5)},
        {Variant(1.5), Variant::FromDate(45000)},
        {Variant::FromSingle(0.1f), Variant(0.2)},
        {Variant(true), Variant(0.5)},
        {Variant("1.5"), Variant(2.5)},
        {Variant(0.5), Variant::Null(), Variant(-0.0), Variant::Null()},
    };
    for (const char* call : {"SUM(v)", "AVG(v)"}) {
        List->Clear();
        AddMemo(Footer, std::string("[") + call + "]");
        List->AddItems(Page);
        for (size_t i = 0; i < sequences.size(); ++i) {
            List->ClearValues();
            Variant expected = Variant::Null();
            int count = 0;
            for (const Variant& v : sequences[i]) {
                Feed(Master, v);
                ++count;
                if (v.IsNull()) continue;
                expected = expected.IsNull() ? v : expected + v;
            }
            if (std::string(call) == "AVG(v)") expected = VarDivide(expected, Variant(count));
            const Variant got = List->GetValue(Footer, 0, call);
            EXPECT_EQ(got.Kind(), expected.Kind()) << call << " sequence " << i;
            EXPECT_EQ(Shown(got), Shown(expected)) << call << " sequence " << i;
            if (got.Kind() == varDouble && expected.Kind() == varDouble) {
                const double a = got.DoubleValue(), b = expected.DoubleValue();
                EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0) << call << " sequence " << i;
            }
        }
    }
}

// An item keeps the name table's entry for its expression's text; a call read anew
// calculates its new expression.
TEST_F(AggregateLookup, ANewExpressionIsCalculatedAsItNowReads) {
    AddMemo(Footer, "[SUM(v)]");
    List->AddItems(Page);
    Report->SetScriptVariable("w", Variant(100));
    Feed(Master, Variant(1));
    Feed(Master, Variant(2));
    EXPECT_EQ(Shown(List->GetValue(Footer, 0, "SUM(v)")), Shown(Variant(1) + Variant(2)));
    List->Items(0)->ParseName("SUM(w)");
    List->Reset(Footer);
    Feed(Master, Variant(1));
    Feed(Master, Variant(2));
    EXPECT_EQ(Shown(List->GetValue(Footer, 0, "SUM(v)")), Shown(Variant(100) + Variant(100)));
}

TEST_F(AggregateLookup, ClearFreesTheItems) {
    AddMemo(Footer, "[SUM(v)]");
    List->AddItems(Page);
    ASSERT_EQ(List->Count(), 1);
    List->Clear();
    EXPECT_EQ(List->Count(), 0);
    EXPECT_EQ(Shown(List->GetValue(Footer, 0, "SUM(v)")), "<null>");
}

}  // namespace
