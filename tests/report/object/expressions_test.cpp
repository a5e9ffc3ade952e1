// Report expressions: Calc over an SQLite query through a report dataset, report
// variables (texts, numbers, expressions, self references), script variables, the
// expression cache and the errors of bad expressions.
#include <gtest/gtest.h>

#include <cmath>

#include "RunFixtures.h"
#include "platform/db/ADODB.h"
#include "platform/db/SqliteDatabase.h"
#include "platform/rtl/FileUtils.h"
#include "platform/ui/UiTest.h"
#include "report/ExpressionCache.h"
#include "report/Report.h"
#include "script/Script.h"

namespace {

// A report with the dataset "frxDBDataset1" over tb_sf (three rows, the last with NULLs),
// positioned on the first row.
class ReportExpressions : public testing::Test {
protected:
    void SetUp() override {
        FileName = CreateTempFile("", "rexpr");
        TSqliteDatabase db;
        db.Open(FileName, TSqliteDatabase::omReadWriteCreate);
        db.ExecScript(
            "CREATE TABLE tb_sf (序号 INTEGER, 票据号 TEXT(20), 金额 FLOAT, 标志 BIT);"
            "INSERT INTO tb_sf VALUES (1, 'R1', 1.5, 1);"
            "INSERT INTO tb_sf VALUES (2, 'R2', 3, 0);"
            "INSERT INTO tb_sf VALUES (3, NULL, NULL, NULL);");
        db.Close();
        Connection = std::make_unique<TADOConnection>(nullptr);
        Connection->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + FileName);
        Connection->SetLoginPrompt(false);
        Connection->Open();
        Query = std::make_unique<TADOQuery>(nullptr);
        Query->SetConnection(Connection.get());
        Query->SQL()->SetText("select * from tb_sf order by 序号");
        Report = std::make_unique<TfrxReport>(nullptr);
        Report->EngineOptions()->SilentMode = true;
        DS = new TfrxDBDataset(Report.get());
        DS->SetName("frxDBDataset1");
        DS->SetDataSet(Query.get());
        Report->DataSets()->Add(DS);
        DS->Initialize();
        DS->Activate();
        DS->First();
    }
    void TearDown() override {
        DS->Finalize();
        Report.reset();
        Query.reset();
        Connection.reset();
        DeleteFile(FileName);
    }
    void GoToRow(int Row) {
        DS->First();
        for (int i = 1; i < Row; ++i) DS->Next();
    }

    TUiTestHarness Harness;
    std::string FileName;
    std::unique_ptr<TADOConnection> Connection;
    std::unique_ptr<TADOQuery> Query;
    std::unique_ptr<TfrxReport> Report;
    TfrxDBDataset* DS = nullptr;
};

struct CalcCase {
    const char* name;
    int row;
    bool convertNulls;
    const char* expr;
    const char* expected;   // VarToStr of the value; "<null>" for Null
};

std::string Shown(const Variant& v) { return v.IsNull() ? "<null>" : VarToStr(v); }

class CalcOverQuery : public ReportExpressions, public testing::WithParamInterface<CalcCase> {};

TEST_P(CalcOverQuery, FieldsVariablesAndCompiledExpressions) {
    const CalcCase& c = GetParam();
    Report->EngineOptions()->ConvertNulls = c.convertNulls;
    Report->Variables()->SetVariables("rate", Variant(2));
    ASSERT_TRUE(Report->PrepareScript());
    GoToRow(c.row);
    EXPECT_EQ(Shown(Report->Calc(c.expr)), c.expected) << c.expr;
    EXPECT_EQ(Report->Errors()->Count(), 0) << Report->Errors()->Text();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CalcOverQuery,
    testing::Values(
        CalcCase{"field_by_alias", 1, true, "frxDBDataset1.\"票据号\"", "R1"},
        CalcCase{"alias_ignores_case", 2, true, "FRXDBDATASET1.\"金额\"", "3"},
        CalcCase{"field_in_an_expression", 2, true, "<frxDBDataset1.\"金额\"> * <rate> + 1", "7"},
        CalcCase{"script_functions_in_expressions", 1, true, "UpperCase(<frxDBDataset1.\"票据号\">) + 'x'", "R1x"},
        CalcCase{"null_number_converted", 3, true, "frxDBDataset1.\"金额\"", "0"},
        CalcCase{"null_text_converted", 3, true, "frxDBDataset1.\"票据号\"", ""},
        CalcCase{"null_kept_without_conversion", 3, false, "frxDBDataset1.\"金额\"", "<null>"},
        CalcCase{"plain_arithmetic", 1, true, "1 + 2 * 3", "7"}),
    [](const testing::TestParamInfo<CalcCase>& i) { return std::string(i.param.name); });

// A compiled expression reads the current row each time it is called: the value of the
// second row is not the first row's cached value.
TEST_F(ReportExpressions, CompiledExpressionFollowsTheCurrentRow) {
    ASSERT_TRUE(Report->PrepareScript());
    const std::string expr = "<frxDBDataset1.\"金额\"> * 10";
    EXPECT_DOUBLE_EQ(Report->Calc(expr).AsDouble(), 15);
    DS->Next();
    EXPECT_DOUBLE_EQ(Report->Calc(expr).AsDouble(), 30);
    EXPECT_EQ(Report->ExpressionCache()->Count(), 1);
}

// Each distinct text is compiled once, as _f0, _f1 ... in order; a text that does not
// compile takes no number; a new run starts again at _f0.
TEST_F(ReportExpressions, CacheCompilesEachTextOncePerRun) {
    ASSERT_TRUE(Report->PrepareScript());
    TfrxExpressionCache* cache = Report->ExpressionCache();
    EXPECT_EQ(Report->Calc("2 + 2").AsInteger(), 4);
    EXPECT_EQ(Report->Calc("2 + 2").AsInteger(), 4);
    EXPECT_EQ(cache->Count(), 1);
    EXPECT_THROW(Report->Calc("2 +"), EfrxError);
    EXPECT_EQ(cache->Count(), 1);
    EXPECT_EQ(Report->Calc("3 * 3").AsInteger(), 9);
    EXPECT_NE(cache->Script()->FindLocal("_f0"), nullptr);
    EXPECT_NE(cache->Script()->FindLocal("_f1"), nullptr);
    // The first expression still answers after later compiles.
    EXPECT_EQ(Report->Calc("2 + 2").AsInteger(), 4);
    EXPECT_EQ(cache->Count(), 2);

    ASSERT_TRUE(Report->PrepareScript());
    EXPECT_EQ(cache->Count(), 0);
    EXPECT_EQ(cache->Script()->FindLocal("_f1"), nullptr);
    EXPECT_EQ(Report->Calc("3 * 3").AsInteger(), 9);
    EXPECT_NE(cache->Script()->FindLocal("_f0"), nullptr);
}

struct BadExprCase {
    const char* name;
    const char* curObject;
    const char* expr;
    const char* error;   // the start of the message raised and listed
};

class BadExpressions : public ReportExpressions, public testing::WithParamInterface<BadExprCase> {};

TEST_P(BadExpressions, RaiseAndListTheMessage) {
    const BadExprCase& c = GetParam();
    ASSERT_TRUE(Report->PrepareScript());
    Report->CurObject = c.curObject;
    std::string raised;
    try {
        Report->Calc(c.expr);
    } catch (const EfrxError& e) {
        raised = e.Message();
    }
    EXPECT_EQ(raised.rfind(c.error, 0), 0u) << raised;
    ASSERT_EQ(Report->Errors()->Count(), 1);
    EXPECT_EQ((*Report->Errors())[0], raised);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadExpressions,
    testing::Values(
        BadExprCase{"unknown_name", "", "nosuch + 1", "公式错误 'nosuch + 1': "},
        BadExprCase{"prefixed_by_the_current_object", "Memo7", "nosuch", "Memo7: 公式错误 'nosuch': "},
        // Without the quotes the name is no field reference: it is compiled and fails.
        BadExprCase{"field_without_quotes", "", "frxDBDataset1.金额", "公式错误 'frxDBDataset1.金额': "},
        BadExprCase{"syntax_error", "", "(1 + ", "公式错误 '(1 + ': "}),
    [](const testing::TestParamInfo<BadExprCase>& i) { return std::string(i.param.name); });

// --- Report variables -------------------------------------------------------------------

struct VariableCase {
    const char* name;
    std::function<void(TfrxReport&)> set;
    const char* expr;
    Variant expected;
};

class ReportVariables : public testing::TestWithParam<VariableCase> {
protected:
    TUiTestHarness Harness;
};

TEST_P(ReportVariables, TextsStayTextsNumbersStayNumbers) {
    const VariableCase& c = GetParam();
    TfrxReport report(nullptr);
    report.EngineOptions()->SilentMode = true;
    c.set(report);
    ASSERT_TRUE(report.PrepareScript());
    const Variant v = report.Calc(c.expr);
    EXPECT_EQ(VarType(v), VarType(c.expected)) << VarToStr(v);
    EXPECT_EQ(VarToStr(v), VarToStr(c.expected));
    EXPECT_EQ(report.Errors()->Count(), 0) << report.Errors()->Text();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReportVariables,
    testing::Values(
        VariableCase{"capitals_as_text", [](TfrxReport& r) { r.SetVariableText("dx", "壹拾元整"); }, "dx",
                     Variant("壹拾元整")},
        // A date text would be 2024 - 3 - 7 as an expression.
        VariableCase{"date_as_text", [](TfrxReport& r) { r.SetVariableText("aa", "2024-3-7"); }, "aa",
                     Variant("2024-3-7")},
        VariableCase{"quotes_and_line_breaks", [](TfrxReport& r) { r.SetVariableText("t", "It's\r\n'ok'"); },
                     "t", Variant("It's\r\n'ok'")},
        VariableCase{"empty_text", [](TfrxReport& r) { r.SetVariableText("e", ""); }, "e", Variant("")},
        VariableCase{"text_inside_an_expression", [](TfrxReport& r) { r.SetVariableText("n", "张三"); },
                     "'病人: ' + <n>", Variant("病人: 张三")},
        VariableCase{"number_as_it_stands", [](TfrxReport& r) { r.Variables()->SetVariables("aa", Variant(12.5)); },
                     "aa", Variant(12.5)},
        VariableCase{"number_in_an_expression",
                     [](TfrxReport& r) { r.Variables()->SetVariables("aa", Variant(12.5)); }, "<aa> * 2",
                     Variant(25.0)},
        // A string value is an expression (templates rely on it).
        VariableCase{"string_value_is_an_expression",
                     [](TfrxReport& r) { r.Variables()->SetVariables("sum", Variant("1+2")); }, "sum", Variant(3)},
        VariableCase{"expression_of_another_variable",
                     [](TfrxReport& r) {
                         r.Variables()->SetVariables("a", Variant(4));
                         r.Variables()->SetVariables("b", Variant("<a> * <a>"));
                     },
                     "b", Variant(16)},
        VariableCase{"script_variable_as_it_stands", [](TfrxReport& r) { r.SetScriptVariable("zbr", Variant("1+2")); },
                     "zbr", Variant("1+2")},
        VariableCase{"script_variable_in_an_expression",
                     [](TfrxReport& r) { r.SetScriptVariable("cc", Variant(5)); }, "cc * 2", Variant(10)},
        VariableCase{"variable_names_ignore_case", [](TfrxReport& r) { r.SetVariableText("DX", "壹元整"); }, "dx",
                     Variant("壹元整")}),
    [](const testing::TestParamInfo<VariableCase>& i) { return std::string(i.param.name); });

// A variable whose value refers back to itself gives Null and one error line instead of
// recursing without end.
TEST(ReportVariableLoops, SelfAndMutualReferencesStop) {
    TUiTestHarness harness;
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, const char*>> vars;
        const char* expr;
        const char* error;
    } cases[] = {
        {"self", {{"A", "<A>"}}, "A", "不明变量或数据字段: A"},
        {"bare_self", {{"A", "A"}}, "A", "不明变量或数据字段: A"},
        {"mutual", {{"A", "<B>"}, {"B", "<A> + 1"}}, "A", "不明变量或数据字段: A"},
    };
    for (const Case& c : cases) {
        TfrxReport report(nullptr);
        report.EngineOptions()->SilentMode = true;
        for (const auto& [name, value] : c.vars) report.Variables()->SetVariables(name, Variant(value));
        ASSERT_TRUE(report.PrepareScript()) << c.name;
        Variant v;
        try {
            v = report.Calc(c.expr);
        } catch (const std::exception& e) {
            // Null + 1 may raise in the outer expression; the loop itself is stopped.
            SUCCEED() << e.what();
        }
        EXPECT_NE(report.Errors()->IndexOf(c.error), -1) << c.name << ": " << report.Errors()->Text();
    }
}

// Script variables live in the scope script: the report script sees them, runs and
// loads keep them, and a global name of the same spelling is hidden, not changed.
TEST(ReportScriptVariables, LiveInTheScopeScript) {
    TUiTestHarness harness;
    TfrxReport report(nullptr);
    report.EngineOptions()->SilentMode = true;
    report.SetScriptVariable("zbrq", Variant("2024-3-7"));
    report.SetScriptVariable("UpperCase", Variant("mine"));
    report.SetScriptVariable("zbrq", Variant("2024-3-8"));
    EXPECT_EQ(VarToStr(report.ScriptVariable("zbrq")), "2024-3-8");
    EXPECT_TRUE(report.ScriptVariable("nosuch").IsNull());
    report.ScriptText()->SetText("begin Set('seen', zbrq + '/' + UpperCase) end.");
    ASSERT_TRUE(report.PrepareScript());
    report.Script()->Execute();
    EXPECT_EQ(VarToStr(report.Variables()->Variables("seen")), "2024-3-8/mine");
    // The global function is untouched for other scripts.
    TfsScript other;
    other.SetParent(GlobalUnit());
    EXPECT_EQ(VarToStr(other.Evaluate("UpperCase('a')")), "A");

    report.Clear();
    EXPECT_EQ(VarToStr(report.Calc("zbrq")), "2024-3-8");
}

TEST(ReportTextLiteral, QuotesDoublesAndEncodesControlCharacters) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "''"},
        {"abc", "'abc'"},
        {"It's", "'It''s'"},
        {"a\r\nb", "'a'#13#10'b'"},
        {"\t", "#9"},
        {"壹拾元整", "'壹拾元整'"},
    };
    for (const auto& [text, literal] : cases) EXPECT_EQ(frxTextLiteral(text), literal) << text;
}

}  // namespace
