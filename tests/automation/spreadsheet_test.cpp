// The spreadsheet server's workbooks, written when made visible and read back from the
// .xlsx: values and their conversions, formats, widths, bold cells, sheet order, the
// active sheet and selection, range filling, and the files and the opener.
#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>
#include <filesystem>
#include <optional>

#include "platform/automation/SpreadsheetModel.h"
#include "platform/rtl/FileUtils.h"
#include "tests/automation/OleTestUtil.h"
#include "tests/automation/XlsxReader.h"

namespace {

using namespace oletest;

TEST(NumericText, OnlyPlainDecimalNumbersThatKeepTheirDigitsConvert) {
    struct Row {
        const char* text;
        bool converts;
        double value;
    };
    const std::vector<Row> rows = {
        {"12", true, 12},          {" -3.50 ", true, -3.5},   {"+7", true, 7},
        {".5", true, 0.5},         {"5.", true, 5},           {"1e3", true, 1000},
        {"2.5E-2", true, 0.025},   {"007", true, 7},          {"0", true, 0},
        {"123456789012345", true, 123456789012345.0},
        {"1000000000000000000000", true, 1e21},               // one significant digit
        {"0.000000000000000000001", true, 1e-21},
        {"1234567890123456", false, 0},                       // 16 digits would lose one
        {"12345678.901234567", false, 0},
        {"", false, 0},            {" ", false, 0},           {"-", false, 0},
        {".", false, 0},           {"1e", false, 0},          {"1e+", false, 0},
        {"1.2.3", false, 0},       {"12a", false, 0},         {"0x10", false, 0},
        {"1,000", false, 0},       {"50%", false, 0},         {"2024-3-7", false, 0},
        {"INF", false, 0},         {"nan", false, 0},         {"1e400", false, 0},
        {"--1", false, 0},         {"1 2", false, 0},         {"１２", false, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        double v = -99;
        EXPECT_EQ(xls::ParseNumericText(r.text, v), r.converts);
        if (r.converts) {
            EXPECT_DOUBLE_EQ(v, r.value);
        }
    }
}

// A new application with one workbook, and the file it writes when shown.
class SpreadsheetFile : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        SpreadsheetOptions().ConstantMemory = GetParam();
        App = CreateOleObject("excel.application");
        Book = Get(Get(App, "WorkBooks"), "Add");
        Sheet = Get(Book, "WorkSheets", {1});
    }
    xlsxtest::Book Show() {
        Put(App, "Visible", {true});
        EXPECT_EQ(Fix.Opened.size(), 1u);
        return xlsxtest::ReadXlsx(Fix.Opened.back());
    }
    Variant CellOf(const Variant& sheet, int row, int col) { return Get(Get(sheet, "Cells"), "Item", {row, col}); }

    SpreadsheetFixture Fix;
    Variant App, Book, Sheet;
};

TEST_P(SpreadsheetFile, ValuesConvertAsTheirColumnsSay) {
    struct Row {
        const char* name;
        Variant value;
        bool textColumn;
        char type;              // as read back; '-': no cell
        std::string text;       // text, or the number as the file writes it
    };
    const std::string longText(40000, 'x');
    const std::vector<Row> rows = {
        {"numeric text", Variant("12.5"), false, 'n', "12.5"},
        {"numeric text with blanks", Variant(" -3 "), false, 'n', "-3"},
        {"leading zeros in General", Variant("007"), false, 'n', "7"},
        {"leading zeros in a text column", Variant("007"), true, 's', "007"},
        {"number text in a text column", Variant("12.5"), true, 's', "12.5"},
        {"too many digits", Variant("12345678901234567"), false, 's', "12345678901234567"},
        {"plain text", Variant("阿莫西林"), false, 's', "阿莫西林"},
        {"date text stays text", Variant("2024-3-7"), false, 's', "2024-3-7"},
        {"empty text clears", Variant(""), false, '-', ""},
        {"integer", Variant(42), true, 'n', "42"},
        {"double", Variant(0.1), false, 'n', "0.1"},
        {"currency", Variant::FromCurrency(123456), false, 'n', "12.3456"},
        {"Boolean", Variant(true), false, 'b', "1"},
        {"date", Variant::FromDate(45358.0), false, 'n', "45358"},
        {"control character", Variant("a\x01" "b"), false, 's', "a\x01" "b"},
        {"markup characters", Variant("<&\"'>"), false, 's', "<&\"'>"},
        {"bad UTF-8", Variant(std::string("a\xff" "b")), false, 's', "a\xEF\xBF\xBD" "b"},
        {"text over the cell limit", Variant(longText), false, 's', std::string(32767, 'x')},
    };
    Variant numberFormatted = Get(Sheet, "Columns", {2});
    Put(numberFormatted, "NumberFormatLocal", {"@"});
    for (size_t i = 0; i < rows.size(); ++i)
        Put(Sheet, "Cells", {int(i) + 1, rows[i].textColumn ? 2 : 1, rows[i].value});
    Put(Sheet, "Cells", {1, 3, "gone"});
    Put(Sheet, "Cells", {1, 3, Variant::Null()});

    xlsxtest::Book book = Show();
    ASSERT_EQ(book.Sheets.size(), 1u);
    const xlsxtest::Sheet& s = book.Sheets[0];
    EXPECT_EQ(s.Name, "Sheet1");
    EXPECT_EQ(s.Columns.at(2).NumberFormat, "@");
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].name);
        const xlsxtest::Cell* c = s.At(int(i) + 1, rows[i].textColumn ? 2 : 1);
        if (rows[i].type == '-') {
            EXPECT_EQ(c, nullptr);
            continue;
        }
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->Type, rows[i].type);
        EXPECT_EQ(c->Text, rows[i].text);
    }
    EXPECT_EQ(s.At(14, 1)->NumberFormat, "yyyy-m-d");
    EXPECT_EQ(s.At(1, 3), nullptr);
}

TEST_P(SpreadsheetFile, HeaderCellsKeepBoldAndTheirColumnsFormatAndWidth) {
    // The export's header: bold first, then the caption, then the column's format.
    for (int c = 1; c <= 3; ++c) {
        Put(Get(CellOf(Sheet, 1, c), "Font"), "Bold", {true});
        Put(Sheet, "Cells", {1, c, "第" + std::to_string(c) + "列"});
        Variant column = Get(Sheet, "Columns", {c});
        Put(column, "ColumnWidth", {c * 5});
        if (c == 2) Put(column, "NumberFormatLocal", {"@"});
    }
    Put(Get(CellOf(Sheet, 1, 3), "Font"), "Bold", {false});
    Put(Sheet, "Cells", {2, 2, "0012"});
    Put(Sheet, "Cells", {2, 1, "0012"});

    const xlsxtest::Sheet s = Show().Sheets.at(0);
    EXPECT_TRUE(s.At(1, 1)->Bold);
    EXPECT_TRUE(s.At(1, 2)->Bold);
    EXPECT_FALSE(s.At(1, 3)->Bold);
    EXPECT_EQ(s.At(1, 2)->Text, "第2列");
    EXPECT_EQ(s.At(1, 2)->NumberFormat, "@");   // bold and still text
    EXPECT_FALSE(s.At(2, 2)->Bold);
    EXPECT_EQ(s.At(2, 2)->Text, "0012");
    EXPECT_EQ(s.At(2, 1)->Text, "12");
    for (int c = 1; c <= 3; ++c) {
        SCOPED_TRACE(c);
        // The file format stores widths with the cell padding added (5 -> 5.71...).
        EXPECT_NEAR(s.Columns.at(c).Width, c * 5 + 0.71, 0.01);
    }
}

TEST_P(SpreadsheetFile, RangeValueFillsByTheArrayShape) {
    auto range = [&](int top, int left, int bottom, int right) {
        return Get(Sheet, "Range", {CellOf(Sheet, top, left), CellOf(Sheet, bottom, right)});
    };
    // A 1-based batch array larger than the range: the rows beyond are left out.
    Variant batch = VarArrayCreate({1, 4, 1, 2}, varVariant);
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 2; ++c) batch.PutElement({r, c}, Variant(std::to_string(r * 10 + c)));
    Put(range(1, 1, 2, 2), "Value", {batch});
    // A 0-based array smaller than the range: the cells beyond get #N/A.
    Variant small = VarArrayCreate({0, 0, 0, 0}, varVariant);
    small.PutElement({0, 0}, Variant("only"));
    Put(range(4, 1, 5, 2), "Value", {small});
    // A one-dimensional array fills every row the same; corners may come in any order.
    Put(range(8, 2, 7, 1), "Value", {VarArrayOf({Variant("a"), Variant(2)})});
    // A scalar fills the range.
    Put(range(10, 1, 11, 1), "Value", {Variant("s")});
    // Item counts from the range's top-left cell.
    Put(Get(range(13, 2, 14, 3), "Item", {2, 2}), "Value", {Variant("item")});

    const xlsxtest::Sheet s = Show().Sheets.at(0);
    struct Expect {
        int row, col;
        const char* text;
    };
    const std::vector<Expect> cells = {
        {1, 1, "11"}, {1, 2, "12"}, {2, 1, "21"}, {2, 2, "22"},
        {4, 1, "only"}, {4, 2, "#N/A"}, {5, 1, "#N/A"}, {5, 2, "#N/A"},
        {7, 1, "a"}, {7, 2, "2"}, {8, 1, "a"}, {8, 2, "2"},
        {10, 1, "s"}, {11, 1, "s"}, {14, 3, "item"},
    };
    for (const Expect& e : cells) {
        SCOPED_TRACE(std::to_string(e.row) + "," + std::to_string(e.col));
        ASSERT_NE(s.At(e.row, e.col), nullptr);
        EXPECT_EQ(s.At(e.row, e.col)->Text, e.text);
    }
    EXPECT_EQ(s.At(3, 1), nullptr);     // batch rows 3 and 4 were left out
    EXPECT_EQ(s.At(13, 2), nullptr);
    EXPECT_EQ(s.RowCount(), 14);
}

TEST_P(SpreadsheetFile, SheetsAreAddedWhereAskedAndSelectionIsKept) {
    Variant sheets = Get(Book, "WorkSheets");
    Variant first = Sheet;
    Variant after = Get(sheets, "Add", {Variant::Null(), first});     // Sheet2 after Sheet1
    Variant before = Get(sheets, "Add", {first});                     // Sheet3 before Sheet1
    Variant plain = Get(sheets, "Add");                               // Sheet4 before the active Sheet3
    EXPECT_EQ(Get(sheets, "Count").AsInteger(), 4);
    // WorkSheets(i) follows the order of the tabs.
    EXPECT_TRUE(Get(Book, "WorkSheets", {1}) == plain);
    EXPECT_TRUE(Get(Book, "WorkSheets", {3}) == first);
    Put(after, "Cells", {1, 1, "on Sheet2"});
    Call(after, "Select");
    Call(Get(after, "Cells", {3, 2}), "Select");
    (void)before;

    xlsxtest::Book book = Show();
    std::vector<std::string> names;
    for (const auto& s : book.Sheets) names.push_back(s.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"Sheet4", "Sheet3", "Sheet1", "Sheet2"}));
    EXPECT_EQ(book.ActiveSheet, 3);
    EXPECT_EQ(book.Sheets[3].Selection, "B3");
    EXPECT_EQ(book.Sheets[3].At(1, 1)->Text, "on Sheet2");
    EXPECT_EQ(book.Sheets[0].Selection, "A1");
}

INSTANTIATE_TEST_SUITE_P(Modes, SpreadsheetFile, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "ConstantMemory" : "InMemory"; });

TEST(SpreadsheetShow, VisibleWritesChangedWorkbooksToDatedFilesAndOpensThem) {
    SpreadsheetFixture fix;
    Variant app = CreateOleObject("Excel.Application");
    Variant books = Get(app, "WorkBooks");
    Variant one = Get(books, "Add");
    Put(app, "Visible", {false});
    EXPECT_TRUE(fix.Dir.Files().empty());               // hidden: nothing written yet

    Put(app, "Visible", {true});
    ASSERT_EQ(fix.Opened.size(), 1u) << OleErrorInfo();
    const std::string path = fix.Opened[0];
    EXPECT_EQ(ExtractFilePath(path), IncludeTrailingPathDelimiter(fix.Dir.Path()));
    const std::string name = ExtractFileName(path);
    // BookN-yyyymmdd-hhnnss.xlsx
    ASSERT_EQ(name.substr(0, 4), "Book");
    EXPECT_EQ(name.substr(name.size() - 5), ".xlsx");
    EXPECT_EQ(name.size(), name.find('-') + 1 + 15 + 5);
    EXPECT_EQ(xlsxtest::ReadXlsx(path).Sheets.size(), 1u);

    // Shown again without changes: nothing is written or opened.
    Put(app, "Visible", {true});
    EXPECT_EQ(fix.Opened.size(), 1u);

    // A change and a second workbook: the first is rewritten in place, the second gets
    // a file of its own, and no temporary file is left behind.
    Put(Get(one, "WorkSheets", {1}), "Cells", {1, 1, "changed"});
    Variant two = Get(books, "Add");
    Put(Get(two, "WorkSheets", {1}), "Cells", {1, 1, "second"});
    Put(one, "Saved", {true});
    Put(app, "Visible", {true});
    ASSERT_EQ(fix.Opened.size(), 3u);
    EXPECT_EQ(fix.Opened[1], path);
    EXPECT_NE(fix.Opened[2], path);
    EXPECT_EQ(xlsxtest::ReadXlsx(path).Sheets[0].At(1, 1)->Text, "changed");
    EXPECT_EQ(xlsxtest::ReadXlsx(fix.Opened[2]).Sheets[0].At(1, 1)->Text, "second");
    EXPECT_EQ(fix.Dir.Files().size(), 2u);
    EXPECT_TRUE(Get(app, "WorkBooks", {2}) == two);
}

// A file no program could be started for is written all the same: the application is not
// visible then, and the workbook names its file. A folder that cannot be made fails.
TEST(SpreadsheetShow, AFileNoProgramOpensIsKeptAndNamed) {
    SpreadsheetFixture fix;
    fix.OpenerResult = false;
    Variant app = CreateOleObject("Excel.Application");
    Variant book = Get(Get(app, "WorkBooks"), "Add");
    EXPECT_EQ(Get(book, "FullName").AsString(), "");
    Put(app, "Visible", {true});
    ASSERT_EQ(fix.Opened.size(), 1u);
    EXPECT_FALSE(Get(app, "Visible").AsBoolean());
    EXPECT_EQ(Get(book, "FullName").AsString(), fix.Opened[0]);
    EXPECT_TRUE(FileExists(fix.Opened[0]));
    fix.OpenerResult = true;
    Put(Get(book, "WorkSheets", {1}), "Cells", {1, 1, "again"});
    Put(app, "Visible", {true});
    EXPECT_TRUE(Get(app, "Visible").AsBoolean());
    EXPECT_EQ(Raised([&] { Put(book, "FullName", {"x"}); }), "EOleError: OLE error 80020003: FullName");

    // A folder that cannot be made: the write fails and nothing is opened.
    const std::string blocker = fix.Dir.Path() + "/file";
    std::ofstream(blocker) << "x";
    SpreadsheetOptions().OutputFolder = blocker + "/sub";
    Variant app2 = CreateOleObject("Excel.Application");
    Get(Get(app2, "WorkBooks"), "Add");
    EXPECT_EQ(Raised([&] { Put(app2, "Visible", {true}); }), "EOleError: OLE error 80020009: Visible");
    EXPECT_EQ(OleErrorInfo(), "Cannot create the folder \"" + blocker + "/sub\"");
    EXPECT_EQ(fix.Opened.size(), 2u);
}

// Where workbooks go by default: the desktop's documents folder, else home, else the
// temporary folder.
TEST(SpreadsheetShow, TheDocumentsFolderElseHomeElseTemporary) {
    TempDir dir;
    const std::string home = dir.Path() + "/home";
    const std::string config = dir.Path() + "/config";
    std::filesystem::create_directories(home);
    std::filesystem::create_directories(config);
    TEnvVar homeVar("HOME", home.c_str());
    TEnvVar configVar("XDG_CONFIG_HOME", config.c_str());
    TEnvVar docsVar("XDG_DOCUMENTS_DIR", nullptr);
    struct {
        const char* What;
        const char* UserDirs;      // ~/.config/user-dirs.dirs, nullptr: none
        const char* Make;          // folder made under home, nullptr: none
        std::string Expected;
    } cases[] = {
        {"no documents folder yet", nullptr, nullptr, home},
        {"~/Documents", nullptr, "Documents", home + "/Documents"},
        {"the desktop's name for it", "XDG_DOCUMENTS_DIR=\"$HOME/文档\"\n", "文档", home + "/文档"},
        {"named but missing", "XDG_DOCUMENTS_DIR=\"$HOME/文件\"\n", nullptr, home},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.What);
        std::filesystem::remove_all(home);
        std::filesystem::create_directories(home);
        std::filesystem::remove(config + "/user-dirs.dirs");
        if (c.UserDirs) std::ofstream(config + "/user-dirs.dirs") << c.UserDirs;
        if (c.Make) std::filesystem::create_directories(home + "/" + c.Make);
        EXPECT_EQ(DefaultSpreadsheetFolder(), c.Expected);
    }
    EXPECT_EQ(UserDocumentsFolder(), home + "/文件");
    // A home that cannot be written (not testable as root, who writes anywhere).
    if (geteuid() != 0) {
        std::filesystem::permissions(home, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        EXPECT_EQ(DefaultSpreadsheetFolder(), ExcludeTrailingPathDelimiter(GetTempDir()));
        std::filesystem::permissions(home, std::filesystem::perms::owner_all);
    }
}

}  // namespace
