// Late-bound automation calls from scripts: the server gets the member names as written,
// arguments in the automation order, a property put as such, and a result place only when
// the script uses the result; failures raise "OLE error %08X: Name". CreateOleObject of
// scripts reaches the registered servers, the spreadsheet server among them.
#include "tests/script/core_helpers.h"

#include "platform/automation/Automation.h"
#include "platform/automation/Spreadsheet.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class RecordingServer : public TDispatch {
public:
    uint32_t GetIDsOfNames(std::string_view name, int32_t& dispId) override {
        if (name == "Missing") return DISP_E_UNKNOWNNAME;
        Names.emplace_back(name);
        dispId = static_cast<int32_t>(Names.size() - 1);
        return S_OK;
    }
    uint32_t Invoke(int32_t dispId, unsigned kind, std::span<Variant> args, Variant* result) override {
        const std::string& name = Names[static_cast<size_t>(dispId)];
        if (name == "Fail") return DISP_E_EXCEPTION;
        std::string call = kind == ikPropertyPut ? "put" : kind == (ikMethod | ikPropertyGet) ? "get" : "call";
        call += " " + name;
        for (const Variant& a : args) call += " " + VarToStr(a);
        if (result) {
            call += " ->";
            *result = Variant(static_cast<int>(Calls.size()));
        }
        Calls.push_back(call);
        return S_OK;
    }
    std::vector<std::string> Names;
    std::vector<std::string> Calls;
};

class ScriptAutomationTest : public ::testing::Test {
protected:
    ScriptAutomationTest() {
        RegisterOleServer("Test.Recorder", [this] { return std::shared_ptr<TDispatch>(Server); });
    }
    ~ScriptAutomationTest() override { UnregisterOleServer("Test.Recorder"); }
    std::shared_ptr<RecordingServer> Server = std::make_shared<RecordingServer>();
    TestScript T;
};

TEST_F(ScriptAutomationTest, CallsReachTheServerInAutomationOrder) {
    EXPECT_EQ(T.Run("var R, v: Variant;\n"
                    "begin R := CreateOleObject('test.recorder'); R.Visible := True; R.mIxEd; v := R.Count; Out(v);\n"
                    "R.Call(1, 'two', 3.5); v := R.Cells[2, 3]; R.Cells[2, 3] := 'v'; Out(R.Value + 10) end."),
              "2 16");
    EXPECT_EQ(Server->Calls, (std::vector<std::string>{"put Visible True", "call mIxEd", "get Count ->",
                                                       "call Call 3.5 two 1", "get Cells 3 2 ->", "put Cells v 3 2",
                                                       "get Value ->"}));
}

TEST_F(ScriptAutomationTest, FailuresRaiseTheOleErrorText) {
    std::string many = "R.Many(";
    for (int i = 1; i <= 65; ++i) many += (i > 1 ? ", " : "") + std::to_string(i);
    many += ")";
    struct Case {
        std::string Source;
        const char* Expected;
    } cases[] = {
        {"R.Missing", "error: OLE error 80020006: Missing"},
        {"R.Fail := 1", "error: OLE error 80020009: Fail"},
        {many, "error: OLE error 8002000E: Many"},
        {"R := CreateOleObject('No.Such.Server')", "error: OLE error 800401F3: No.Such.Server (invalid class string)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(T.Run("var R: Variant; begin R := CreateOleObject('Test.Recorder'); " + c.Source + " end."),
                  c.Expected)
            << c.Source;
    }
    EXPECT_TRUE(Server->Calls.empty());
}

// The spreadsheet server driven from a script: a workbook is filled and, once shown,
// written as a file that is handed to the desktop's program.
TEST(ScriptSpreadsheet, AScriptFillsAndShowsAWorkbook) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "rove_script_spreadsheet";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::vector<std::string> opened;
    const TSpreadsheetOptions saved = SpreadsheetOptions();
    SpreadsheetOptions().OutputFolder = dir.string();
    SpreadsheetOptions().Opener = [&](const std::string& path) {
        opened.push_back(path);
        return true;
    };
    TestScript t;
    EXPECT_EQ(t.Run("var X, Sheet: Variant;\n"
                    "begin X := CreateOleObject('Excel.Application'); X.WorkBooks.Add;\n"
                    "  Sheet := X.WorkBooks(1).WorkSheets(1); Sheet.Cells[1, 1] := '姓名'; Sheet.Cells[2, 1] := 12;\n"
                    "  Sheet.Columns(1).ColumnWidth := 20; Out(X.WorkBooks(1).WorkSheets.Count); X.Visible := True;\n"
                    "  Sheet.Columns(1).ColumnWidth := 300 end."),
              "1 error: OLE error 80020009: ColumnWidth");
    SpreadsheetOptions() = saved;
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(std::filesystem::path(opened[0]).extension(), ".xlsx");
    EXPECT_GT(std::filesystem::file_size(opened[0]), 0u);
    std::filesystem::remove_all(dir);
}

}  // namespace
