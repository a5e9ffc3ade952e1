// The evaluate window: values as text, Enter and Escape, errors.
#include <gtest/gtest.h>

#include "designer/code/EvaluateForm.h"
#include "designer/resources/DesignerTexts.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Variant.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "script/Script.h"

namespace {

struct TResultCase {
    const char* Name;
    Variant Value;
    const char* Text;
};

class EvaluateResult : public ::testing::TestWithParam<TResultCase> {};

TEST_P(EvaluateResult, IsShownAsText) { EXPECT_EQ(frxEvaluateResultText(GetParam().Value), GetParam().Text); }

const TResultCase kResults[] = {
    {"True", Variant(true), "True"},
    {"False", Variant(false), "False"},
    {"String", Variant("ab"), "'ab'"},
    {"Chinese", Variant("中文"), "'中文'"},
    {"Null", Variant::Null(), "Null"},
    {"Integer", Variant(3), "3"},
    {"Float", Variant(2.5), "2.5"},
    {"Empty", Variant(), ""},
};

INSTANTIATE_TEST_SUITE_P(Evaluate, EvaluateResult, ::testing::ValuesIn(kResults),
                         [](const auto& info) { return std::string(info.param.Name); });

class EvaluateWindow : public ::testing::Test {
protected:
    void SetUp() override {
        frxRegisterDesignerTexts();
        Script.Lines()->SetText("var x: Integer;\nbegin\n  x := 5;\nend.");
        ASSERT_TRUE(Script.Compile());
        Script.Execute();
    }
    TUiTestHarness Harness;
    TfsScript Script;
};

TEST_F(EvaluateWindow, EnterEvaluatesInTheScriptAndEscapeCloses) {
    std::vector<std::string> results;
    Harness.OnModal([&](TCustomForm& f) {
        auto& form = dynamic_cast<TfrxEvaluateForm&>(f);
        EXPECT_EQ(form.Caption(), "求值");
        for (const char* expr : {"1 + 2", "'a' + 'b'", "1 = 1", "x * 2", "Null", "1 +"}) {
            form.ExpressionE->SetText(expr);
            TUiTestHarness::TypeKey(form.ExpressionE, VK_RETURN);
            results.push_back(form.ResultM->Text());
            EXPECT_EQ(form.ExpressionE->SelLength(), Length(form.ExpressionE->Text())) << "selected for the next";
        }
        // A run-time error reaches the user as an error box; the result stays.
        form.ExpressionE->SetText("x div 0");
        TUiTestHarness::TypeKey(form.ExpressionE, VK_RETURN);
        EXPECT_EQ(form.ResultM->Text(), results.back());
        TUiTestHarness::TypeKey(form.ExpressionE, VK_ESCAPE);
    });
    TfrxEvaluateForm form(nullptr);
    form.Script = &Script;
    EXPECT_EQ(form.ShowModal(), mrCancel);
    ASSERT_EQ(results.size(), 6u);
    EXPECT_EQ(results[0], "3");
    EXPECT_EQ(results[1], "'ab'");
    EXPECT_EQ(results[2], "True");
    EXPECT_EQ(results[3], "10");
    EXPECT_EQ(results[4], "Null");
    EXPECT_EQ(results[5].front(), '\'') << "a compile error comes back as a string";
    ASSERT_FALSE(Harness.Dialogs().empty());
    EXPECT_NE(Harness.Dialogs().back().Text.find("zero"), std::string::npos);
}

TEST_F(EvaluateWindow, EscapeClosesFromAnywhereInTheWindow) {
    Harness.OnModal([](TCustomForm& f) {
        auto& form = dynamic_cast<TfrxEvaluateForm&>(f);
        TUiTestHarness::Click(form.ResultM);
        TUiTestHarness::TypeKey(form.ResultM, VK_ESCAPE);
    });
    TfrxEvaluateForm form(nullptr);
    form.Script = &Script;
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_TRUE(Harness.Errors().empty());
}

}  // namespace
