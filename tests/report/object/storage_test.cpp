// Report files: the round trip of what a report stores, a missing file (an empty
// report), bad and compressed files (the error list and one box), and the options a file
// may and may not change.
#include <gtest/gtest.h>

#include <fstream>

#include "RunFixtures.h"
#include "report/DataSet.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Settings.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/UiTest.h"
#include "report/Options.h"
#include "tests/rtl/FileMode.h"

namespace {

class ReportStorage : public testing::Test {
protected:
    void SetUp() override { FileName = CreateTempFile("", "rstore"); }
    void TearDown() override { DeleteFile(FileName); }
    void WriteFile(const std::string& Bytes) {
        std::ofstream out(FileName, std::ios::binary | std::ios::trunc);
        out << Bytes;
    }
    std::string ReadFile() {
        TMemoryStream s;
        s.LoadFromFile(FileName);
        return std::string(static_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
    }

    TUiTestHarness Harness;
    TRunServices Services;
    std::string FileName;
};

TEST_F(ReportStorage, RoundTripKeepsWhatTheReportStores) {
    {
        TfrxReport report(nullptr);
        auto* page = new TfrxRunTestPage(&report);
        page->SetName("Page1");
        auto* memo = new TfrxRunTestMemo(page);
        memo->SetName("MemoDx");
        memo->Memo()->SetText("大写：[dx]");
        memo->OnBeforePrint = "MemoDxOnBeforePrint";
        report.SetVariableText("dx", "壹拾元整");
        report.Variables()->SetVariables("aa", Variant(12.5));
        report.ScriptText()->SetText("procedure MemoDxOnBeforePrint(Sender: TfrxComponent);\r\nbegin end;\r\nbegin end.");
        report.ScriptLanguage = "PascalScript";
        report.OnStartReport = "StartHere";
        report.DotMatrixReport = true;
        report.EngineOptions()->DoublePass = true;
        report.ReportOptions()->Password = "abc";
        report.ReportOptions()->Name = "收据";
        report.SaveToFile(FileName);
    }
    const std::string saved = ReadFile();
    EXPECT_EQ(saved.find("abc"), std::string::npos) << "the password is stored in its encoded form";

    Harness.OnModal("TfrxPasswordForm", [](TCustomForm& form) {
        form.SetModalResult(mrCancel);
    });
    TfrxReport refused(nullptr);
    EXPECT_TRUE(refused.LoadFromFile(FileName));
    EXPECT_EQ(refused.PagesCount(), 0) << "a refused password leaves an empty report";

    SetfrxPasswordQuery([](std::string& password) {
        password = "abc";
        return true;
    });
    TfrxReport report(nullptr);
    EXPECT_TRUE(report.LoadFromFile(FileName));
    SetfrxPasswordQuery(nullptr);
    EXPECT_EQ(report.FileName(), FileName);
    EXPECT_EQ(report.Errors()->Count(), 0) << report.Errors()->Text();
    ASSERT_EQ(report.PagesCount(), 1);
    EXPECT_EQ(report.Pages(0)->Name(), "Page1");
    auto* memo = dynamic_cast<TfrxRunTestMemo*>(report.FindObject("memodx"));
    ASSERT_NE(memo, nullptr) << "FindObject ignores case";
    EXPECT_EQ(memo->Expression(), "大写：[dx]");
    EXPECT_EQ(memo->OnBeforePrint, "MemoDxOnBeforePrint");
    EXPECT_EQ(report.ScriptText()->Text(), "procedure MemoDxOnBeforePrint(Sender: TfrxComponent);\r\nbegin end;\r\nbegin end.\r\n");
    EXPECT_EQ(report.OnStartReport, "StartHere");
    EXPECT_TRUE(report.DotMatrixReport);
    EXPECT_TRUE(report.EngineOptions()->DoublePass);
    EXPECT_EQ(report.ReportOptions()->Password, "abc");
    EXPECT_EQ(report.ReportOptions()->Name, "收据");
    EXPECT_TRUE(report.PrepareScript());
    EXPECT_EQ(VarToStr(report.Calc("dx")), "壹拾元整");
    EXPECT_DOUBLE_EQ(report.Calc("aa").AsDouble(), 12.5);

    // Saving again gives the same file (nothing lost or added on the way).
    const std::string first = saved;
    report.SaveToFile(FileName);
    std::string again = ReadFile();
    // The last-change stamp is the one value that may move on.
    auto strip = [](std::string s) {
        const size_t p = s.find("ReportOptions.LastChange=\"");
        if (p != std::string::npos) s.erase(p, s.find('"', p + 26) - p);
        return s;
    };
    EXPECT_EQ(strip(again), strip(first));
    EXPECT_TRUE(Harness.Dialogs().empty());
}

// A dataset made with the report as owner is a child of the report, never one of its pages.
TEST_F(ReportStorage, PagesLeaveOtherChildrenOut) {
    TfrxReport report(nullptr);
    auto* data = new TfrxUserDataSet(&report);
    data->SetName("Data1");
    auto* page = new TfrxRunTestPage(&report);
    page->SetName("Page1");
    EXPECT_EQ(report.ObjectCount(), 2);
    ASSERT_EQ(report.PagesCount(), 1);
    EXPECT_EQ(report.Pages(0), page);
    EXPECT_THROW(report.Pages(1), EListError);
}

TEST_F(ReportStorage, MissingFileGivesAnEmptyReport) {
    TfrxReport report(nullptr);
    new TfrxRunTestPage(&report);
    report.Variables()->SetVariables("x", Variant(1));
    report.ScriptText()->SetText("begin Set('a', 1) end.");
    report.ScriptLanguage = "C++Script";
    report.SetFileName("old.bl3");
    DeleteFile(FileName);
    EXPECT_FALSE(report.LoadFromFile(FileName));
    EXPECT_EQ(report.PagesCount(), 0);
    EXPECT_EQ(report.Variables()->Count(), 0);
    EXPECT_EQ(report.ScriptText()->Text(), "begin\r\n\r\nend.\r\n");
    EXPECT_EQ(report.ScriptLanguage, "PascalScript");
    EXPECT_EQ(report.FileName(), "");
    EXPECT_EQ(report.Errors()->Count(), 0);
    EXPECT_TRUE(Harness.Dialogs().empty());
    // An empty report still prepares.
    EXPECT_TRUE(report.PrepareReport());

    EXPECT_THROW(report.LoadFromFile(FileName, true), EFOpenError);
}

// A report file may carry its password, stored reversibly: the report saves it for its owner
// only under a desktop's umask 022, also over a file others could read (it kept 0644).
TEST_F(ReportStorage, ASavedReportIsItsOwnersOnly) {
    const TUmaskScope mask(022);
    WriteFileWithMode(FileName, "old", 0644);
    TfrxReport report(nullptr);
    new TfrxRunTestPage(&report);
    report.ReportOptions()->Password = "医院";
    report.SaveToFile(FileName);
    EXPECT_EQ(FileModeOf(FileName), 0600u);
    EXPECT_NE(ReadFileBytes(FileName).find("ReportOptions.Password"), std::string::npos);
}

struct BadFileCase {
    const char* name;
    std::string bytes;
    bool raises;
    const char* error;   // the error line shown, nullptr: no box
};

const std::string kHead = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";

class BadReportFiles : public ReportStorage, public testing::WithParamInterface<BadFileCase> {};

TEST_P(BadReportFiles, CollectErrorsInOneBox) {
    const BadFileCase& c = GetParam();
    WriteFile(c.bytes);
    TfrxReport report(nullptr);
    if (c.raises)
        EXPECT_THROW(report.LoadFromFile(FileName), Exception);
    else
        EXPECT_TRUE(report.LoadFromFile(FileName));
    if (!c.error) {
        EXPECT_TRUE(Harness.Dialogs().empty());
        return;
    }
    EXPECT_NE(report.Errors()->IndexOf(c.error), -1) << report.Errors()->Text();
    ASSERT_EQ(Harness.Dialogs().size(), 1u);
    EXPECT_EQ(Harness.DialogTexts()[0], "发生一下错误:\r\n" + report.Errors()->Text());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadReportFiles,
    testing::Values(
        BadFileCase{"unknown_class_is_skipped",
                    kHead + "<TfrxReport Name=\"\"><TfrxRunTestPage Name=\"Page1\"><TfrxNoSuchView Name=\"X\"/>"
                            "<TfrxRunTestMemo Name=\"Memo1\"/></TfrxRunTestPage></TfrxReport>",
                    false, "未找到类 TfrxNoSuchView"},
        BadFileCase{"gzip_compressed", std::string("\x1f\x8b\x08\x00\x00\x00\x00\x00", 8), false, "流解压缩错误"},
        BadFileCase{"zlib_compressed", std::string("\x78\x9c\x03\x00\x00\x00\x00\x01", 8), false, "流解压缩错误"},
        BadFileCase{"malformed_raises", kHead + "<TfrxReport Name=\"\"><TfrxRunTestPage Name=\"P\"><broken", true,
                    nullptr},
        BadFileCase{"no_header_raises", "<TfrxReport Name=\"\"/>", true, nullptr}),
    [](const testing::TestParamInfo<BadFileCase>& i) { return std::string(i.param.name); });

TEST_F(ReportStorage, UnknownClassLeavesTheRestLoaded) {
    WriteFile(kHead + "<TfrxReport Name=\"\"><TfrxRunTestPage Name=\"Page1\"><TfrxNoSuchView Name=\"X\"/>"
                      "<TfrxRunTestMemo Name=\"Memo1\"/></TfrxRunTestPage></TfrxReport>");
    TfrxReport report(nullptr);
    report.EngineOptions()->SilentMode = true;
    EXPECT_TRUE(report.LoadFromFile(FileName));
    EXPECT_NE(report.FindObject("Memo1"), nullptr);
    EXPECT_EQ(report.FindObject("X"), nullptr);
    EXPECT_TRUE(Harness.Dialogs().empty());
}

// The program's engine and preview options stay; a file brings only ConvertNulls,
// DoublePass, OutlineVisible and OutlineWidth.
TEST_F(ReportStorage, FileChangesOnlyItsOwnOptions) {
    WriteFile(kHead +
              "<TfrxReport Name=\"\" EngineOptions.MaxMemSize=\"5\" EngineOptions.ConvertNulls=\"False\""
              " EngineOptions.DoublePass=\"True\" PreviewOptions.Modal=\"False\" PreviewOptions.OutlineVisible=\"True\""
              " PreviewOptions.OutlineWidth=\"200\" IniFile=\"other.ini\"/>");
    TfrxReport report(nullptr);
    EXPECT_TRUE(report.LoadFromFile(FileName));
    EXPECT_EQ(report.EngineOptions()->MaxMemSize, 10000000);
    EXPECT_TRUE(report.PreviewOptions()->Modal);
    EXPECT_EQ(report.IniFile, "\\Software\\Quirewell");
    EXPECT_FALSE(report.EngineOptions()->ConvertNulls);
    EXPECT_TRUE(report.EngineOptions()->DoublePass);
    EXPECT_TRUE(report.PreviewOptions()->OutlineVisible);
    EXPECT_EQ(report.PreviewOptions()->OutlineWidth, 200);
}

TEST(ReportSettings, IniFileNamesARegistryKeyOrAFile) {
    TfrxReport report(nullptr);
    const struct {
        const char* iniFile;
        bool registry;
    } cases[] = {{"\\Software\\Quirewell", true}, {"\\Software\\Other\\Key", true}, {"report.ini", false},
                 {"Software\\Quirewell", false}, {"x\\Software\\", false}};
    for (const auto& c : cases) {
        report.IniFile = c.iniFile;
        std::unique_ptr<TCustomIniFile> ini = report.GetIniFile();
        EXPECT_EQ(dynamic_cast<TRegistryIniFile*>(ini.get()) != nullptr, c.registry) << c.iniFile;
        EXPECT_EQ(dynamic_cast<TIniFile*>(ini.get()) != nullptr, !c.registry) << c.iniFile;
    }
}

}  // namespace
