// The end of the clinic program: once the windows have run (a report of a window prepared
// with a script and an expression, through the report and standard classes the program
// registers for scripts), ShutDownClinic frees the windows, takes the script registrations out, frees the
// global script unit and then the window system, so that nothing the program made is left
// behind (the sanitizer build runs this with its leak check). A process of its own: after
// it no window can be made.
#include "app/forms/ClinicForms.h"
#include "app/forms/PrintForm.h"
#include "app/forms/Startup.h"
#include "platform/rtl/FileUtils.h"
#include "platform/ui/Forms.h"
#include "platform/ui/UiTest.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PreviewPages.h"
#include "report/Report.h"
#include "script/Script.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

TEST(ClinicShutdown, FreesTheWindowsTheScriptRegistrationsAndTheGlobalUnit) {
    const fs::path oldDir = fs::current_path();
    std::string pattern = (fs::temp_directory_path() / "clinic-shutdown-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path dir = pattern;
    fs::current_path(dir);
    {
        TUiTestHarness harness;
        ASSERT_TRUE(CreateClinicWindows());
        ASSERT_NE(printform, nullptr);
        // A report of a window (freed with it) that runs a script and an expression.
        auto* report = new TfrxReport(printform);
        report->EngineOptions()->SilentMode = true;
        auto* page = new TfrxReportPage(report);
        page->SetName("Page1");
        auto* memo = new TfrxMemoView(page);
        memo->SetName("Memo1");
        memo->SetBounds(0, 0, 200, 20);
        memo->SetText("[Length('收费')] [n]");
        report->ScriptText()->SetText("var n: Integer;\r\nbegin\r\n  n := 7;\r\nend.");
        EXPECT_TRUE(report->PrepareReport()) << report->Errors()->Text();
        EXPECT_EQ(report->PreviewPages()->Count(), 1);
        ASSERT_NE(GlobalUnit(), nullptr);
        EXPECT_NE(GlobalUnit()->Find("TfrxReport"), nullptr);
        EXPECT_NE(GlobalUnit()->Find("TStringList"), nullptr);
        EXPECT_TRUE(harness.Errors().empty());
    }
    ShutDownClinic();
    for (std::string_view name : ClinicFormOrder()) EXPECT_EQ(FindClinicForm(name), nullptr) << name;
    EXPECT_EQ(GlobalUnit(), nullptr);
    EXPECT_FALSE(Application->Initialized());
    fs::current_path(oldDir);
    std::error_code ec;
    fs::remove_all(dir, ec);
}

}  // namespace

