// What a report shows while it loads: the error box with the collected errors (or none in
// silent mode) and the password window of a protected report.
#include <gtest/gtest.h>

#include "../TestObjects.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/Forms.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "report/PasswordForm.h"
#include "report/Report.h"
#include "report/Utils.h"

namespace {

const std::string kHead = "<?xml version=\"1.0\" encoding=\"utf-8\"?><TfrxReport Name=\"\">";
const std::string kPage = "<TfrxTestPage Name=\"Page1\"><TfrxTestMemoView Name=\"Memo1\"/></TfrxTestPage>";
const std::string kTail = "</TfrxReport>";

void Load(TfrxReport& r, const std::string& xml) {
    TStringStream s(xml);
    r.LoadFromStream(s);
}

class ReportPrompts : public testing::Test {
protected:
    void TearDown() override {
        EXPECT_TRUE(Harness.Errors().empty()) << Harness.Errors().front();
        EXPECT_EQ(Harness.PendingAnswers(), 0);
        EXPECT_EQ(Harness.PendingDrivers(), 0);
    }
    TUiTestHarness Harness;
};

TEST_F(ReportPrompts, ErrorMessageBox) {
    frxErrorMsg("没有打印机");
    ASSERT_EQ(Harness.Dialogs().size(), 1u);
    const TDialogRequest& box = Harness.Dialogs()[0];
    EXPECT_EQ(box.Kind, TDialogKind::MessageBox);
    EXPECT_EQ(box.Caption, "错误");
    EXPECT_EQ(box.Text, "没有打印机");
    EXPECT_EQ(box.Flags & MB_ICONMASK, MB_ICONERROR);
    EXPECT_EQ(box.Flags & MB_TYPEMASK, MB_OK);
}

struct ErrorBoxCase {
    const char* name;
    std::string body;
    bool silent;
    const char* text;   // the one box expected, or nullptr for none
};

class LoadErrorBox : public ReportPrompts, public testing::WithParamInterface<ErrorBoxCase> {};

TEST_P(LoadErrorBox, ShowsTheCollectedErrorsOnce) {
    const ErrorBoxCase& c = GetParam();
    TfrxReport r(nullptr);
    r.EngineOptions()->SilentMode = c.silent;
    Load(r, kHead + c.body + kTail);
    if (!c.text) {
        EXPECT_TRUE(Harness.Dialogs().empty()) << Harness.DialogTexts().front();
        return;
    }
    ASSERT_EQ(Harness.Dialogs().size(), 1u);
    EXPECT_EQ(Harness.Dialogs()[0].Caption, "错误");
    EXPECT_EQ(Harness.Dialogs()[0].Text, c.text);
    EXPECT_EQ(Harness.Dialogs()[0].Flags & MB_ICONMASK, MB_ICONERROR);
    // The report's list stays for the caller.
    EXPECT_GT(r.Errors()->Count(), 0);
    EXPECT_NE(r.FindObject("Memo1"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadErrorBox,
    testing::Values(
        ErrorBoxCase{"clean_file_shows_nothing", kPage, false, nullptr},
        ErrorBoxCase{"two_errors_in_one_box",
                     "<TfrxNoSuchView Name=\"X\"/><TfrxOtherView Name=\"Y\"/>" + kPage, false,
                     "发生一下错误:\r\n未找到类 TfrxNoSuchView\r\n未找到类 TfrxOtherView\r\n"},
        ErrorBoxCase{"repeated_error_listed_once",
                     "<TfrxNoSuchView Name=\"X\"/><TfrxNoSuchView Name=\"Z\"/>" + kPage, false,
                     "发生一下错误:\r\n未找到类 TfrxNoSuchView\r\n"},
        ErrorBoxCase{"silent_mode_collects_only", "<TfrxNoSuchView Name=\"X\"/>" + kPage, true, nullptr}),
    [](const testing::TestParamInfo<ErrorBoxCase>& i) { return std::string(i.param.name); });

TEST_F(ReportPrompts, SilentModeOfTheFileDoesNotSilenceTheLoad) {
    // Engine options are the program's, not the file's: the box still comes.
    TfrxReport r(nullptr);
    Load(r, "<?xml version=\"1.0\" encoding=\"utf-8\"?><TfrxReport Name=\"\" EngineOptions.SilentMode=\"True\">"
            "<TfrxNoSuchView Name=\"X\"/>" + kTail);
    EXPECT_EQ(Harness.Dialogs().size(), 1u);
    EXPECT_FALSE(r.EngineOptions()->SilentMode);
}

TEST_F(ReportPrompts, MalformedFileRaisesWithoutAnEmptyBox) {
    TfrxReport r(nullptr);
    EXPECT_THROW(Load(r, kHead + "<TfrxTestPage Name=\"P\"><broken"), Exception);
    EXPECT_EQ(Harness.Dialogs().size(), r.Errors()->Count() > 0 ? 1u : 0u);
}

// --- The password window --------------------------------------------------------------

// The stored form of "abc" (each character lowered by 10).
const std::string kProtected =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?><TfrxReport Name=\"\" ReportOptions.Password=\"WXY\">"
    "<TfrxNoSuchView Name=\"X\"/>" + kPage + kTail;

struct PasswordCase {
    const char* name;
    const char* typed;
    bool ok;        // closed with OK (else Cancel)
    bool opens;
};

class PasswordPrompt : public ReportPrompts, public testing::WithParamInterface<PasswordCase> {};

TEST_P(PasswordPrompt, OpensOnlyWithTheExactPassword) {
    const PasswordCase& c = GetParam();
    std::string caption, label;
    char32_t mask = 0;
    Harness.OnModal("TfrxPasswordForm", [&](TCustomForm& form) {
        auto& f = static_cast<TfrxPasswordForm&>(form);
        caption = f.Caption();
        label = f.PasswordL->Caption();
        mask = f.PasswordE->PasswordChar();
        TUiTestHarness::TypeText(f.PasswordE, c.typed);
        TUiTestHarness::Click(c.ok ? f.OkB : f.CancelB);
    });
    TfrxReport r(nullptr);
    Load(r, kProtected);
    EXPECT_EQ(caption, "密码");
    EXPECT_EQ(label, "请输入密码:");
    EXPECT_EQ(mask, U'*');
    if (c.opens) {
        EXPECT_NE(r.FindObject("Memo1"), nullptr);
        EXPECT_EQ(r.ReportOptions()->Password, "abc");
        // The load errors come after the password.
        EXPECT_EQ(Harness.DialogTexts(), std::vector<std::string>{"发生一下错误:\r\n未找到类 TfrxNoSuchView\r\n"});
    } else {
        // Refused: an empty report and no error box.
        EXPECT_EQ(r.PagesCount(), 0);
        EXPECT_EQ(r.ReportOptions()->Password, "");
        EXPECT_TRUE(Harness.Dialogs().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PasswordPrompt,
    testing::Values(PasswordCase{"right_password", "abc", true, true},
                    PasswordCase{"letter_case_counts", "ABC", true, false},
                    PasswordCase{"longer_text", "abcd", true, false},
                    PasswordCase{"empty_text", "", true, false},
                    PasswordCase{"cancel_with_the_right_text", "abc", false, false}),
    [](const testing::TestParamInfo<PasswordCase>& i) { return std::string(i.param.name); });

TEST_F(ReportPrompts, PasswordWindowIsNotShownWhenNotNeeded) {
    TfrxReportOptions open;
    EXPECT_TRUE(open.CheckPassword());
    // Reloading (the report restoring itself after a run) never asks.
    TfrxReport r(nullptr);
    r.Reloading = true;
    r.EngineOptions()->SilentMode = true;
    Load(r, kProtected);
    EXPECT_NE(r.FindObject("Memo1"), nullptr);
    EXPECT_EQ(r.ReportOptions()->Password, "abc");
}

TEST_F(ReportPrompts, EnterAcceptsAndEscapeCancels) {
    TfrxReportOptions options;
    options.Password = "口令1";
    Harness.OnModal("TfrxPasswordForm", [](TCustomForm& form) {
        auto& f = static_cast<TfrxPasswordForm&>(form);
        TUiTestHarness::TypeText(f.PasswordE, "口令1");
        TUiTestHarness::TypeKey(f.PasswordE, VK_RETURN);
    });
    EXPECT_TRUE(options.CheckPassword());
    Harness.OnModal("TfrxPasswordForm", [](TCustomForm& form) {
        auto& f = static_cast<TfrxPasswordForm&>(form);
        TUiTestHarness::TypeText(f.PasswordE, "口令1");
        TUiTestHarness::TypeKey(f.PasswordE, VK_ESCAPE);
    });
    EXPECT_FALSE(options.CheckPassword());
}

}  // namespace
