// Preparing a report: the script's main block before the engine, script events of the
// objects, the object tree and the variables restored after the run, and the failures
// that stop a run (missing datasets, script errors, run-time errors, bad expressions).
#include <gtest/gtest.h>

#include "RunFixtures.h"
#include "platform/ui/UiTest.h"
#include "report/ExpressionCache.h"
#include "script/Script.h"

namespace {

// A report with one page holding Memo1 ("<count> * 100") and Memo2 ("'fixed'").
class ReportRun : public testing::Test {
protected:
    ReportRun() {
        Report = std::make_unique<TfrxReport>(nullptr);
        auto* page = new TfrxRunTestPage(Report.get());
        page->SetName("Page1");
        Memo1 = new TfrxRunTestMemo(page);
        Memo1->SetName("Memo1");
        Memo1->Memo()->SetText("<count> * 100");
        auto* memo2 = new TfrxRunTestMemo(page);
        memo2->SetName("Memo2");
        memo2->Memo()->SetText("'fixed'");
        Report->Variables()->SetVariables("count", Variant(1));
    }
    TFakeEngine& Engine() { return *EngineOf(*Report); }
    TfrxRunTestMemo* Memo(const char* Name) { return dynamic_cast<TfrxRunTestMemo*>(Report->FindObject(Name)); }

    TUiTestHarness Harness;
    TRunServices Services;
    std::unique_ptr<TfrxReport> Report;
    TfrxRunTestMemo* Memo1 = nullptr;
};

// The main block runs first and may change the template; the objects' events run while
// the engine runs; afterwards the template and the variables are as before the run.
TEST_F(ReportRun, ScriptRunsBeforeTheEngineAndTheTemplateComesBack) {
    Memo1->OnBeforePrint = "Memo1OnBeforePrint";
    Memo1->OnAfterPrint = "Memo1OnAfterPrint";
    Report->ScriptText()->SetText(
        "var n: Integer;\r\n"
        "procedure Memo1OnBeforePrint(Sender: TfrxComponent);\r\n"
        "begin n := n + 1; Set('count', n); Set('sender', TfrxComponent(Sender).Name) end;\r\n"
        "procedure Memo1OnAfterPrint(Sender: TfrxComponent);\r\n"
        "begin Set('after', <count> + 1) end;\r\n"
        "begin\r\n"
        "  n := 10;\r\n"
        "  Memo1.Memo := '<count> * 100 + <after>';\r\n"
        "  Set('after', 0);\r\n"
        "  Memo2.Visible := False\r\n"
        "end.");
    std::vector<std::string> hostEvents;
    Report->OnBeforePrint = [&](TfrxReportComponent* Sender) { hostEvents.push_back("before " + Sender->Name()); };
    Report->OnAfterPrint = [&](TfrxReportComponent* Sender) { hostEvents.push_back("after " + Sender->Name()); };

    EXPECT_TRUE(Report->PrepareReport());
    EXPECT_EQ(Report->Errors()->Count(), 0) << Report->Errors()->Text();
    EXPECT_EQ(Engine().Runs, 1);
    EXPECT_EQ(Engine().Output, std::vector<std::string>{"Memo1=1100"});
    EXPECT_EQ(hostEvents, (std::vector<std::string>{"before Memo1", "after Memo1", "before Memo2", "after Memo2"}));
    EXPECT_EQ(PagesOf(*Report)->Count(), 1);
    // Every object was made ready for the run once before the engine started.
    EXPECT_EQ(Engine().Prepared, (std::vector<std::string>{"Memo1:1", "Memo2:1"}));

    // The reload: new objects with the template's values, the variables of before.
    ASSERT_NE(Memo("Memo1"), nullptr);
    EXPECT_EQ(Memo("Memo1")->Expression(), "<count> * 100");
    EXPECT_TRUE(Memo("Memo2")->Visible());
    EXPECT_EQ(VarToStr(Report->Variables()->Variables("count")), "1");
    EXPECT_EQ(Report->Variables()->IndexOf("sender"), -1);
    EXPECT_FALSE(Report->Reloading);
    EXPECT_TRUE(Harness.Dialogs().empty());
}

// A check of the script just before a run (the designer's preview) lends its compile to
// that run once: a value given to a script variable after the check is still there when
// the run reuses the compile, and gone when anything the compile depends on changed.
TEST_F(ReportRun, ACheckedScriptIsCompiledOnceForTheRunThatFollows) {
    const char* const script = "var n: Integer;\r\nbegin n := n + 1 end.";
    const struct {
        const char* name;
        std::function<void(TfrxReport&)> change;
        const char* n;      // the variable after the run; nullptr: the run fails to compile
    } cases[] = {
        {"nothing", [](TfrxReport&) {}, "42"},
        {"text", [](TfrxReport& R) { R.ScriptText()->SetText("var n: Integer;\r\nbegin n := n + 1; end."); }, "1"},
        {"text with an error", [](TfrxReport& R) { R.ScriptText()->SetText("var n: Integer;\r\nbegin n := end."); },
         nullptr},
        {"language", [](TfrxReport& R) { R.ScriptLanguage = "C++Script"; }, nullptr},
        {"object renamed", [](TfrxReport& R) { R.FindObject("Memo2")->SetName("Memo3"); }, "1"},
        {"object added",
         [](TfrxReport& R) {
             auto* memo = new TfrxRunTestMemo(R.FindObject("Page1"));
             memo->SetName("Memo3");
             memo->Memo()->SetText("'text'");
         },
         "1"},
        {"scope variable added", [](TfrxReport& R) { R.SetScriptVariable("extra", Variant(1)); }, "1"},
        {"expression computed", [](TfrxReport& R) { R.Calc("1 + 1"); }, "1"},
        {"script prepared", [](TfrxReport& R) { R.PrepareScript(); }, "1"},
        // The run right after the check reuses it (n: 41 + 1); the next one compiles.
        {"a run", [](TfrxReport& R) { R.PrepareReport(); }, "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Report = std::make_unique<TfrxReport>(nullptr);
        auto* page = new TfrxRunTestPage(Report.get());
        page->SetName("Page1");
        for (const char* name : {"Memo1", "Memo2"}) {
            auto* memo = new TfrxRunTestMemo(page);
            memo->SetName(name);
            memo->Memo()->SetText("'text'");
        }
        Report->EngineOptions()->SilentMode = true;
        Report->ScriptText()->SetText(script);
        ASSERT_TRUE(Report->CheckScriptBeforeRun());
        Report->Script()->FindLocal("n")->SetValue(Variant(41));
        c.change(*Report);
        const bool ok = Report->PrepareReport();
        EXPECT_EQ(ok, c.n != nullptr) << Report->Errors()->Text();
        if (!c.n) {
            EXPECT_FALSE(Report->Script()->ErrorMsg().empty());
            EXPECT_NE(Report->Errors()->Text().find(Report->Script()->ErrorMsg()), std::string::npos);
            continue;
        }
        TfsCustomVariable* n = Report->Script()->FindLocal("n");
        ASSERT_NE(n, nullptr);
        EXPECT_EQ(VarToStr(n->GetValue()), c.n);
        // The objects were made ready by the check and once more by the run.
        if (std::string(c.name) == "nothing") {
            EXPECT_EQ(Engine().Prepared, (std::vector<std::string>{"Memo1:2", "Memo2:2"}));
        }
    }
}

// The script events of objects run only while the engine runs, unless asked to always.
TEST_F(ReportRun, NotifyEventsRunOnlyDuringARun) {
    Report->ScriptText()->SetText(
        "procedure Hit(Sender: TfrxComponent); begin Set('hits', <hits> + 1) end; begin end.");
    Report->Variables()->SetVariables("hits", Variant(0));
    ASSERT_TRUE(Report->PrepareScript());
    Report->DoNotifyEvent(Memo1, "Hit");
    EXPECT_EQ(VarToStr(Report->Variables()->Variables("hits")), "0");
    Report->DoNotifyEvent(Memo1, "Hit", true);
    Report->DoNotifyEvent(Memo1, "", true);
    Engine().Running = true;
    Report->DoNotifyEvent(Memo1, "Hit");
    Report->DoNotifyEvent(Memo1, "NoSuchProcedure");
    Engine().Running = false;
    EXPECT_EQ(VarToStr(Report->Variables()->Variables("hits")), "2");
}

// A click in the preview: the view's script procedure sees the button and the shift
// state and may mark the page modified; then the program's handler runs.
TEST_F(ReportRun, PreviewClickRunsTheScriptThenTheHandler) {
    Memo1->OnPreviewClick = "Memo1Click";
    Report->ScriptText()->SetText(
        "procedure Memo1Click(Sender: TfrxComponent; Button: Integer; Shift: Integer; var Modified: Boolean);\r\n"
        "begin Set('click', IntToStr(Button) + '/' + IntToStr(Shift)); Modified := Button = 1 end;\r\n"
        "begin end.");
    ASSERT_TRUE(Report->PrepareScript());
    std::vector<bool> seen;
    Report->OnClickObject = [&](TfrxReportComponent* View, TMouseButton, TShiftState, bool& Modified) {
        EXPECT_EQ(View, Memo1);
        seen.push_back(Modified);
    };
    const struct {
        TMouseButton button;
        TShiftState shift;
        bool modified;
        const char* click;
    } cases[] = {{mbLeft, ssShift, false, "0/1"}, {mbRight, ssCtrl | ssLeft, true, "1/12"}};
    for (const auto& c : cases) {
        bool modified = false;
        Report->DoPreviewClick(Memo1, c.button, c.shift, modified);
        EXPECT_EQ(modified, c.modified);
        EXPECT_EQ(VarToStr(Report->Variables()->Variables("click")), c.click);
    }
    EXPECT_EQ(seen, (std::vector<bool>{false, true}));
}

TEST_F(ReportRun, SystemVariablesComeFromTheEngineAndThePages) {
    Report->ScriptText()->SetText("begin end.");
    ASSERT_TRUE(Report->PrepareScript());
    TFakePreviewPages& pages = *PagesOf(*Report);
    pages.FirstPage = 2;
    pages.CurPage = 3;
    Engine().TotalPages = 7;
    Engine().CurLine = 4;
    Engine().CurLineThrough = 9;
    Engine().StartDate = 45000;
    const std::pair<const char*, const char*> cases[] = {
        {"Page", "2"}, {"Page#", "4"}, {"TotalPages", "5"}, {"TotalPages#", "7"},
        {"Line", "4"}, {"Line#", "9"}, {"<Page#> * 10", "40"}, {"SUM(<x>)", "agg:SUM(<x>)"},
        {" count ( <x> ) ", "agg:count ( <x> )"},
    };
    for (const auto& [expr, value] : cases) EXPECT_EQ(VarToStr(Report->Calc(expr)), value) << expr;
    EXPECT_DOUBLE_EQ(Report->Calc("Date").AsDateTime(), 45000);
    // The names are exact: "page" is no system variable and no known identifier.
    EXPECT_THROW(Report->Calc("page"), EfrxError);
}

struct FailureCase {
    const char* name;
    std::function<void(TfrxReport&)> arrange;
    const char* error;   // the start of one line of Errors
    bool engineRuns;
};

class ReportRunFailures : public ReportRun, public testing::WithParamInterface<FailureCase> {};

TEST_P(ReportRunFailures, CollectTheErrorAndShowOneBox) {
    const FailureCase& c = GetParam();
    c.arrange(*Report);
    const std::string before = Memo("Memo1")->Expression();
    EXPECT_FALSE(Report->PrepareReport());
    EXPECT_EQ(Engine().Runs, c.engineRuns ? 1 : 0);
    bool found = false;
    for (int i = 0; i < Report->Errors()->Count(); ++i)
        found = found || (*Report->Errors())[i].rfind(c.error, 0) == 0;
    EXPECT_TRUE(found) << Report->Errors()->Text();
    ASSERT_EQ(Harness.Dialogs().size(), 1u);
    EXPECT_EQ(Harness.DialogTexts()[0], "发生一下错误:\r\n" + Report->Errors()->Text());
    EXPECT_EQ(Harness.DialogCaptions()[0], "错误");
    // The template is back whatever happened.
    EXPECT_EQ(Memo("Memo1")->Expression(), before);
    EXPECT_FALSE(Report->Reloading);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReportRunFailures,
    testing::Values(
        FailureCase{"missing_dataset",
                    [](TfrxReport& r) { r.DataSets()->Add(nullptr)->SetDataSetName("frxDBDataset9"); },
                    "数据集 \"frxDBDataset9\" 不存在", false},
        FailureCase{"script_does_not_compile",
                    [](TfrxReport& r) { r.ScriptText()->SetText("begin\r\n  x := ;\r\nend."); }, "脚本错误位于 2:", false},
        FailureCase{"script_raises_in_its_main_block",
                    [](TfrxReport& r) {
                        r.ScriptText()->SetText("begin Memo1.Memo := 'changed'; RaiseException('停止') end.");
                    },
                    "脚本错误位于 1:32: 停止", false},
        FailureCase{"expression_error_names_the_object",
                    [](TfrxReport& r) { dynamic_cast<TfrxRunTestMemo*>(r.FindObject("Memo1"))->Memo()->SetText("nosuch"); },
                    "Memo1: 公式错误 'nosuch': ", true},
        FailureCase{"unknown_name_through_get",
                    [](TfrxReport& r) {
                        r.ScriptText()->SetText("begin Set('x', Get('nothere')) end.");
                    },
                    "不明变量或数据字段: nothere", true}),
    [](const testing::TestParamInfo<FailureCase>& i) { return std::string(i.param.name); });

TEST_F(ReportRun, SilentModeLeavesTheErrorsToTheCaller) {
    Report->EngineOptions()->SilentMode = true;
    Report->ScriptText()->SetText("begin x := ; end.");
    EXPECT_FALSE(Report->PrepareReport());
    EXPECT_EQ(Report->Errors()->Count(), 1);
    EXPECT_TRUE(Harness.Dialogs().empty());
}

// PrepareReport(False) adds to the pages already there.
TEST_F(ReportRun, PagesAccumulateWithoutClearing) {
    EXPECT_TRUE(Report->PrepareReport());
    EXPECT_TRUE(Report->PrepareReport(false));
    EXPECT_EQ(PagesOf(*Report)->Count(), 2);
    EXPECT_TRUE(Report->PrepareReport(true));
    EXPECT_EQ(PagesOf(*Report)->Count(), 1);
}

TEST(ReportRunWithoutEngine, FailsWithAClearError) {
    TUiTestHarness harness;
    // Every report registers the library's engine once; a program without one is the
    // state after that registration has been emptied.
    { TfrxReport warmUp(nullptr); }
    frxEngineClass() = nullptr;
    frxPreviewPagesClass() = nullptr;
    TfrxReport report(nullptr);
    report.EngineOptions()->SilentMode = true;
    EXPECT_EQ(report.Engine(), nullptr);
    EXPECT_FALSE(report.PrepareReport());
    EXPECT_EQ(report.Errors()->Text(), "报表引擎不可用\r\n");
    EXPECT_THROW(report.ShowReport(), EfrxError);
    EXPECT_THROW(report.PrintReport(), EfrxError);
    // The engine registered later is taken up when the report next needs it.
    TRunServices services;
    EXPECT_TRUE(report.PrepareReport());
    ASSERT_NE(report.Engine(), nullptr);
    EXPECT_EQ(report.Engine()->PreviewPages(), report.PreviewPages());
    EXPECT_EQ(report.PreviewPages()->Engine(), report.Engine());
}

// The script reaches the report, its variables and its engine by name.
TEST_F(ReportRun, ScriptReachesTheReportObjects) {
    Report->ScriptText()->SetText(
        "begin\r\n"
        "  Report.Variables['viaReport'] := Report.Calc('2 * 21');\r\n"
        "  Set('engine', Engine.TotalPages);\r\n"
        "  Set('value', Value)\r\n"
        "end.");
    Engine().TotalPages = 3;
    ASSERT_TRUE(Report->PrepareScript());
    Report->SetLocalValue(Variant("local"));
    Report->Script()->Execute();
    EXPECT_EQ(VarToStr(Report->Variables()->Variables("viaReport")), "42");
    EXPECT_EQ(VarToStr(Report->Variables()->Variables("engine")), "3");
    EXPECT_EQ(VarToStr(Report->Variables()->Variables("value")), "local");
}

TEST_F(ReportRun, PrintGoesThroughThePreparedPages) {
    TFakePreviewPages& pages = *PagesOf(*Report);
    EXPECT_TRUE(Report->PrintReport());
    pages.PrintAction = [] { return false; };
    EXPECT_FALSE(Report->PrintReport());
    EXPECT_TRUE(Harness.Dialogs().empty());
    // A failing print job is reported, not taken for success.
    pages.PrintAction = []() -> bool { throw Exception("打印机错误"); };
    EXPECT_FALSE(Report->PrintReport());
    EXPECT_EQ(pages.Prints, 3);
    EXPECT_EQ(Harness.DialogTexts(), std::vector<std::string>{"发生一下错误:\r\n打印机错误\r\n"});
}

}  // namespace
