// The grid export over SQLite queries, read back from the .xlsx the spreadsheet server
// writes: what is exported (visible columns in order, captions, widths, text columns),
// the sheet split, the batches and their progress, the missing server, and that every
// failure puts the dataset back on its record with its controls enabled.
#include <gtest/gtest.h>

#include "tests/rtl/FileMode.h"

#include <filesystem>
#include <fstream>
#include <memory>

#include "app/widgets/GridExport.h"
#include "platform/automation/Spreadsheet.h"
#include "platform/db/ADODB.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/DialogService.h"
#include "platform/ui/Dialogs.h"
#include "tests/automation/OleTestUtil.h"
#include "tests/automation/XlsxReader.h"

namespace {

using namespace oletest;

// Records what the message boxes say (text, caption, icon) and answers OK.
class TMessageRecorder : public TDialogService {
public:
    TDialogAnswer Show(const TDialogRequest& request) override {
        Texts.push_back(request.Text);
        Captions.push_back(request.Caption);
        Icons.push_back(request.Flags & MB_ICONMASK);
        TDialogAnswer a;
        a.Result = 1;
        return a;
    }
    std::vector<std::string> Texts;
    std::vector<std::string> Captions;
    std::vector<int> Icons;
};

// Counts what a grid hears from its dataset while the export runs.
class TScrollCounter : public TDataLink {
public:
    void DataSetScrolled(int) override { ++Scrolls; }
    void DataSetChanged() override { ++Changes; }
    int Scrolls = 0, Changes = 0;
};

class GridExport : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string file = Fix.Dir.Path() + "/clinic.mdb";
        TSqliteDatabase db;
        db.Open(file, TSqliteDatabase::omReadWriteCreate);
        db.ExecScript(
            "create table tb_sf (票据号 text, 姓名 text, 金额 real, 数量 integer, 备注 text);"
            "insert into tb_sf values ('0000123', '张三', 12.5, 2, 'x');"
            "insert into tb_sf values ('0000124', '李四', 3, 10, 'y');"
            "insert into tb_sf values ('0000125', null, null, null, 'z');"
            "insert into tb_sf values ('0000126', '王五', 0.1, -1, 'w');"
            "create table big (n integer, code text);"
            "with recursive r(n) as (select 1 union all select n + 1 from r where n < 70000) "
            "insert into big select n, printf('%07d', n) from r;");
        db.Close();
        Connection = std::make_unique<TADOConnection>(nullptr);
        Connection->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + file);
        Connection->SetLoginPrompt(false);
        Connection->Open();
        Source = std::make_unique<TDataSource>(nullptr);
        Link.SetDataSource(Source.get());
        SetGridExportProcessMessages([this] { ++MessageRounds; });
    }
    void TearDown() override {
        SetGridExportProcessMessages(nullptr);
        Link.SetDataSource(nullptr);
        Source.reset();
        Query.reset();
    }

    TDataSet& Open(const std::string& sql) {
        Query = std::make_unique<TADOQuery>(nullptr);
        Query->SetConnection(Connection.get());
        Query->SQL()->SetText(sql);
        Query->Open();
        Source->SetDataSet(Query.get());
        return *Query;
    }
    // The receipt grid: number, name, amount, quantity shown; the remark hidden.
    TGridExportSource ReceiptGrid() {
        TGridExportSource g;
        g.DataSet = Query.get();
        g.FontHeight = -12;
        g.Columns = {
            {true, "票据号", 75, Query->FieldByName("票据号")},    // 12.5 -> 12
            {false, "备注", 200, Query->FieldByName("备注")},
            {true, "姓名", 81, Query->FieldByName("姓名")},        // 13.5 -> 14
            {true, "金额", 66, Query->FieldByName("金额")},        // 11
            {true, "数量", 30, Query->FieldByName("数量")},        // 5
        };
        return g;
    }
    xlsxtest::Book Written() {
        EXPECT_EQ(Fix.Opened.size(), 1u);
        return xlsxtest::ReadXlsx(Fix.Opened.at(0));
    }

    SpreadsheetFixture Fix;
    TMessageRecorder Messages;
    TDialogServiceScope MessageScope{Messages};
    std::unique_ptr<TADOConnection> Connection;
    std::unique_ptr<TADOQuery> Query;
    std::unique_ptr<TDataSource> Source;
    TScrollCounter Link;
    int MessageRounds = 0;
};

TEST_F(GridExport, VisibleColumnsInOrderWithBoldCaptionsWidthsAndTextFormats) {
    TDataSet& ds = Open("select * from tb_sf order by 票据号");
    ds.MoveBy(2);
    const int recNo = ds.RecNo();
    Link.Scrolls = Link.Changes = 0;

    ExportGridToExcel(ReceiptGrid());

    EXPECT_EQ(ds.RecNo(), recNo);
    EXPECT_FALSE(ds.ControlsDisabled());
    EXPECT_EQ(Link.Scrolls, 0);             // the grid did not follow the copy
    EXPECT_EQ(Link.Changes, 1);             // one refresh when the controls came back
    EXPECT_TRUE(Messages.Texts.empty());
    EXPECT_EQ(MessageRounds, 0);            // one batch: no pause

    xlsxtest::Book book = Written();
    ASSERT_EQ(book.Sheets.size(), 1u);
    const xlsxtest::Sheet& s = book.Sheets[0];
    EXPECT_EQ(book.ActiveSheet, 0);
    EXPECT_EQ(s.Selection, "A1");
    const std::vector<std::string> captions = {"票据号", "姓名", "金额", "数量"};
    const std::vector<double> widths = {12, 14, 11, 5};
    const std::vector<std::string> formats = {"@", "@", "", ""};
    for (int c = 1; c <= 4; ++c) {
        SCOPED_TRACE(c);
        ASSERT_NE(s.At(1, c), nullptr);
        EXPECT_EQ(s.At(1, c)->Text, captions[size_t(c) - 1]);
        EXPECT_TRUE(s.At(1, c)->Bold);
        EXPECT_NEAR(s.Columns.at(c).Width, widths[size_t(c) - 1] + 0.71, 0.01);
        EXPECT_EQ(s.Columns.at(c).NumberFormat, formats[size_t(c) - 1]);
    }
    EXPECT_EQ(s.At(1, 5), nullptr);          // the hidden remark is not there
    struct Expect {
        int row, col;
        char type;                           // '-': no cell
        const char* text;
    };
    const std::vector<Expect> cells = {
        {2, 1, 's', "0000123"}, {2, 2, 's', "张三"}, {2, 3, 'n', "12.5"}, {2, 4, 'n', "2"},
        {3, 1, 's', "0000124"}, {3, 3, 'n', "3"},    {3, 4, 'n', "10"},
        {4, 1, 's', "0000125"}, {4, 2, '-', ""},     {4, 3, '-', ""},     {4, 4, '-', ""},
        {5, 3, 'n', "0.1"},     {5, 4, 'n', "-1"},
    };
    for (const Expect& e : cells) {
        SCOPED_TRACE(std::to_string(e.row) + "," + std::to_string(e.col));
        const xlsxtest::Cell* c = s.At(e.row, e.col);
        if (e.type == '-') {
            EXPECT_EQ(c, nullptr);
            continue;
        }
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->Type, e.type);
        EXPECT_EQ(c->Text, e.text);
        EXPECT_FALSE(c->Bold);
    }
    EXPECT_EQ(s.RowCount(), 5);
}

// Money cells hold the amounts the grid shows, to their decimals: the number in the sheet's
// XML is the amount's own text, not the 16 digits of the double nearest to it.
TEST_F(GridExport, MoneyCellsHoldTheAmountsTheGridShows) {
    {
        TSqliteDatabase db;
        db.Open(Fix.Dir.Path() + "/clinic.mdb", TSqliteDatabase::omReadWrite);
        db.ExecScript(
            "create table money (n integer, 单价 DOUBLE(18,3), 金额 DOUBLE(18,2), 数量 real);"
            "insert into money values (1, 8.8, 8.8, 8.8);"
            "insert into money values (2, 0.94, 0.94, 0.94);"
            "insert into money values (3, 99.1, 99.1, 99.1);"
            "insert into money values (4, 0.1 + 0.2, 0.1 + 0.2, 0.3);"       // stored with noise
            "insert into money values (5, 12.345, 1234567.89, 2.675);"
            "insert into money values (6, -3.07, -3.07, -3.07);"
            "insert into money values (7, 0.799999999999997, 49.2 - 0.01, 1234.1);");
        db.Close();
    }
    TDataSet& ds = Open("select * from money order by n");
    TGridExportSource grid;
    grid.DataSet = &ds;
    grid.Columns = {{true, "单价", 60, ds.FieldByName("单价")},
                    {true, "金额", 60, ds.FieldByName("金额")},
                    {true, "数量", 60, ds.FieldByName("数量")}};
    std::vector<std::vector<std::string>> shown;
    for (ds.First(); !ds.Eof(); ds.Next())
        shown.push_back({ds.FieldByName("单价")->DisplayText(), ds.FieldByName("金额")->DisplayText(),
                         ds.FieldByName("数量")->DisplayText()});
    const std::vector<std::vector<std::string>> amounts = {
        {"8.8", "8.8", "8.8"},          {"0.94", "0.94", "0.94"},     {"99.1", "99.1", "99.1"},
        {"0.3", "0.3", "0.3"},          {"12.345", "1234567.89", "2.675"},
        {"-3.07", "-3.07", "-3.07"},    {"0.8", "49.19", "1234.1"},
    };
    EXPECT_EQ(shown, amounts);

    ExportGridToExcel(grid);
    const xlsxtest::Sheet s = Written().Sheets.at(0);
    for (size_t r = 0; r < amounts.size(); ++r)
        for (size_t c = 0; c < 3; ++c) {
            SCOPED_TRACE(std::to_string(r + 2) + "," + std::to_string(c + 1));
            const xlsxtest::Cell* cell = s.At(int(r) + 2, int(c) + 1);
            ASSERT_NE(cell, nullptr);
            EXPECT_EQ(cell->Type, 'n');
            EXPECT_EQ(cell->Text, amounts[r][c]);
        }
}

TEST_F(GridExport, AnEmptyResultGivesAVisibleWorkbookWithoutAHeader) {
    TDataSet& ds = Open("select * from tb_sf where 1 = 0");
    ExportGridToExcel(ReceiptGrid());
    xlsxtest::Book book = Written();
    ASSERT_EQ(book.Sheets.size(), 1u);
    EXPECT_TRUE(book.Sheets[0].Cells.empty());
    EXPECT_TRUE(book.Sheets[0].Columns.empty());
    EXPECT_FALSE(ds.ControlsDisabled());
}

TEST_F(GridExport, GridsWithoutVisibleColumnsOrFieldsOrFontHeight) {
    struct Row {
        const char* name;
        std::function<void(TGridExportSource&)> change;
        int rows, cols;
        double width;                 // of column 1 as the file stores it; negative: none
    };
    const std::vector<Row> rows = {
        {"every column hidden", [](TGridExportSource& g) { for (auto& c : g.Columns) c.Visible = false; }, 0, 0, -1},
        {"a column without field", [](TGridExportSource& g) { g.Columns[0].Field = nullptr; }, 5, 4, 12.71},
        // Text columns keep the default width 8.43 (9.14 with the padding).
        {"font height 0 leaves widths", [](TGridExportSource& g) { g.FontHeight = 0; }, 5, 4, 9.14},
        {"too wide a column is cut to 255", [](TGridExportSource& g) { g.Columns[0].Width = 5000; }, 5, 4, 255.71},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Fix.Opened.clear();
        Open("select * from tb_sf order by 票据号");
        TGridExportSource grid = ReceiptGrid();
        r.change(grid);
        ExportGridToExcel(grid);
        const xlsxtest::Sheet s = Written().Sheets.at(0);
        EXPECT_EQ(s.RowCount(), r.rows);
        int cols = 0;
        for (const auto& [ref, cell] : s.Cells) cols = std::max(cols, ref.second);
        EXPECT_EQ(cols, r.cols);
        auto col1 = s.Columns.find(1);
        if (r.width < 0) {
            EXPECT_TRUE(col1 == s.Columns.end() || col1->second.Width < 0);
        } else {
            ASSERT_TRUE(col1 != s.Columns.end());
            EXPECT_NEAR(col1->second.Width, r.width, 0.01);
        }
        if (r.rows > 0 && grid.Columns[0].Field == nullptr) {
            EXPECT_EQ(s.At(2, 1), nullptr);                 // empty text, no cell
            EXPECT_EQ(s.Columns.at(1).NumberFormat, "");     // and no text format
        }
    }
}

TEST_F(GridExport, SeventyThousandRowsSplitIntoSheetsOf65536Rows) {
    TDataSet& ds = Open("select n, code from big order by n");
    TGridExportSource grid;
    grid.DataSet = &ds;
    grid.Columns = {{true, "序号", 40, ds.FieldByName("n")}, {true, "编码", 60, ds.FieldByName("code")}};
    std::vector<std::string> progress;
    ExportGridToExcel(grid, [&](const std::string& text) { progress.push_back(text); });

    // A pause after every full batch and when the first sheet filled up, none at the end:
    // 65 full batches and a short one of 535 on the first sheet, 4 full ones on the second.
    ASSERT_EQ(progress.size(), 70u);
    EXPECT_EQ(MessageRounds, 70);
    EXPECT_EQ(progress.front(), "(已导出1000条)");
    EXPECT_EQ(progress[64], "(已导出65000条)");
    EXPECT_EQ(progress[65], "(已导出65535条)");
    EXPECT_EQ(progress[66], "(已导出66535条)");
    EXPECT_EQ(progress.back(), "(已导出69535条)");

    xlsxtest::Book book = Written();
    ASSERT_EQ(book.Sheets.size(), 2u);
    EXPECT_EQ(book.Sheets[0].Name, "Sheet1");
    EXPECT_EQ(book.Sheets[1].Name, "Sheet2");
    EXPECT_EQ(book.ActiveSheet, 0);
    struct Expect {
        int sheet, row;
        const char* n;
        const char* code;
    };
    const std::vector<Expect> cells = {
        {0, 1, "序号", "编码"},       {0, 2, "1", "0000001"},        {0, 1001, "1000", "0001000"},
        {0, 1002, "1001", "0001001"}, {0, 65536, "65535", "0065535"},
        {1, 1, "序号", "编码"},       {1, 2, "65536", "0065536"},    {1, 4466, "70000", "0070000"},
    };
    for (const Expect& e : cells) {
        SCOPED_TRACE(std::to_string(e.sheet) + ":" + std::to_string(e.row));
        const xlsxtest::Sheet& s = book.Sheets[size_t(e.sheet)];
        ASSERT_NE(s.At(e.row, 1), nullptr);
        ASSERT_NE(s.At(e.row, 2), nullptr);
        EXPECT_EQ(s.At(e.row, 1)->Text, e.n);
        EXPECT_EQ(s.At(e.row, 2)->Text, e.code);
        EXPECT_EQ(s.At(e.row, 1)->Bold, e.row == 1);
    }
    EXPECT_EQ(book.Sheets[0].RowCount(), 65536);
    EXPECT_EQ(book.Sheets[0].Cells.size(), 65536u * 2);
    EXPECT_EQ(book.Sheets[1].RowCount(), 4466);
    EXPECT_EQ(book.Sheets[1].Cells.size(), 4466u * 2);
    EXPECT_EQ(ds.RecNo(), 1);
}

TEST_F(GridExport, WithoutTheServerTheUserIsToldAndTheDatasetStaysPut) {
    TDataSet& ds = Open("select * from tb_sf order by 票据号");
    ds.Next();
    Link.Scrolls = Link.Changes = 0;
    ASSERT_TRUE(UnregisterOleServer(SpreadsheetProgID));
    ExportGridToExcel(ReceiptGrid());
    RegisterOleServer(SpreadsheetProgID, CreateSpreadsheetApplication);

    EXPECT_EQ(Messages.Texts, (std::vector<std::string>{"数据导出失败，因为您的电脑没有安装Excel"}));
    EXPECT_EQ(Messages.Captions, (std::vector<std::string>{"提示"}));
    EXPECT_EQ(ds.RecNo(), 2);
    EXPECT_EQ(Link.Scrolls + Link.Changes, 0);
    EXPECT_TRUE(Fix.Opened.empty());
}

// A spreadsheet server that fails its N-th call: every object it hands out is wrapped, so
// each member call of the export counts.
class TFaultyServer : public TDispatch {
public:
    struct TCounter {
        int FailAt = 0;
        int Calls = 0;
    };
    TFaultyServer(std::shared_ptr<TDispatch> inner, std::shared_ptr<TCounter> counter)
        : FInner(std::move(inner)), FCounter(std::move(counter)) {}
    uint32_t GetIDsOfNames(std::string_view name, int32_t& id) override { return FInner->GetIDsOfNames(name, id); }
    uint32_t Invoke(int32_t id, unsigned kind, std::span<Variant> args, Variant* result) override {
        if (++FCounter->Calls == FCounter->FailAt) return DISP_E_EXCEPTION;
        std::vector<Variant> inner(args.begin(), args.end());
        for (Variant& v : inner)
            if (auto proxy = OleObjectOf<TFaultyServer>(v)) v = Variant(proxy->FInner);
        uint32_t code = FInner->Invoke(id, kind, inner, result);
        if (code == S_OK && result && result->IsDispatch())
            *result = Variant(std::shared_ptr<TDispatch>(std::make_shared<TFaultyServer>(result->AsDispatch(), FCounter)));
        return code;
    }

private:
    std::shared_ptr<TDispatch> FInner;
    std::shared_ptr<TCounter> FCounter;
};

TEST_F(GridExport, AFailingCallAnywhereRestoresTheDatasetAndIsReported) {
    auto counter = std::make_shared<TFaultyServer::TCounter>();
    RegisterOleServer(SpreadsheetProgID, [counter] {
        return std::make_shared<TFaultyServer>(CreateSpreadsheetApplication(), counter);
    });
    TDataSet& ds = Open("select * from tb_sf order by 票据号");
    ds.Last();
    EXPECT_NE(ExportGridToExcel(ReceiptGrid()), "");
    const int calls = counter->Calls;
    ASSERT_GT(calls, 20);
    for (int n = 1; n <= calls; ++n) {
        SCOPED_TRACE(n);
        counter->Calls = 0;
        counter->FailAt = n;
        Messages.Texts.clear();
        Messages.Captions.clear();
        EXPECT_EQ(ExportGridToExcel(ReceiptGrid()), "");
        ASSERT_EQ(Messages.Texts.size(), 1u);
        EXPECT_TRUE(Messages.Texts[0].rfind("数据导出失败：OLE error 80020009: ", 0) == 0) << Messages.Texts[0];
        EXPECT_EQ(Messages.Captions[0], "提示");
        EXPECT_EQ(ds.RecNo(), 4);
        EXPECT_FALSE(ds.ControlsDisabled());
    }
    RegisterOleServer(SpreadsheetProgID, CreateSpreadsheetApplication);

    // A server failure with a description carries it to the user; a failing pause too.
    const std::string blocker = Fix.Dir.Path() + "/file";
    std::ofstream(blocker) << "x";
    const TSpreadsheetOptions saved = SpreadsheetOptions();
    SpreadsheetOptions().OutputFolder = blocker + "/sub";
    Messages.Texts.clear();
    EXPECT_EQ(ExportGridToExcel(ReceiptGrid()), "");
    SpreadsheetOptions() = saved;
    EXPECT_EQ(Messages.Texts, std::vector<std::string>{"数据导出失败：Cannot create the folder \"" + blocker + "/sub\""});
    EXPECT_FALSE(ds.ControlsDisabled());
    EXPECT_EQ(ds.RecNo(), 4);

    Open("select n, code from big order by n");
    TGridExportSource big;
    big.DataSet = Query.get();
    big.Columns = {{true, "序号", 40, Query->FieldByName("n")}};
    Query->MoveBy(10);
    SetGridExportProcessMessages([] { throw EInOutError("window gone"); });
    Messages.Texts.clear();
    ExportGridToExcel(big);
    EXPECT_EQ(Messages.Texts, std::vector<std::string>{"数据导出失败：window gone"});
    EXPECT_EQ(Query->RecNo(), 11);
    EXPECT_FALSE(Query->ControlsDisabled());
}

// A workbook holds the clinic's records: it is written for its owner only, under a
// desktop's umask 022, and no temporary file stays beside it. It used to be 0644.
TEST_F(GridExport, TheWorkbookIsItsOwnersOnly) {
    Open("select * from tb_sf order by 票据号");
    const TUmaskScope mask(022);
    const std::string path = ExportGridToExcel(ReceiptGrid());
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(FileModeOf(path), 0600u);
    EXPECT_EQ(xlsxtest::ReadXlsx(path).Sheets.at(0).RowCount(), 5);
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(ExtractFileDir(path))) files += e.path().extension() != ".mdb";
    EXPECT_EQ(files, 1);
}

// A workbook no spreadsheet program could be started for is kept, and the user is told
// where it is, as information; one that opened needs no word.
TEST_F(GridExport, WithoutASpreadsheetProgramTheUserLearnsWhereTheFileIs) {
    Open("select * from tb_sf order by 票据号");
    struct {
        bool Opens;
        bool Told;
    } cases[] = {{true, false}, {false, true}};
    for (auto& c : cases) {
        SCOPED_TRACE(c.Opens);
        Fix.Opened.clear();
        Fix.OpenerResult = c.Opens;
        Messages.Texts.clear();
        Messages.Captions.clear();
        Messages.Icons.clear();
        const std::string path = ExportGridToExcel(ReceiptGrid());
        ASSERT_EQ(Fix.Opened, std::vector<std::string>{path});
        EXPECT_EQ(xlsxtest::ReadXlsx(path).Sheets.at(0).RowCount(), 5);
        if (!c.Told) {
            EXPECT_TRUE(Messages.Texts.empty());
            continue;
        }
        ASSERT_EQ(Messages.Texts.size(), 1u);
        EXPECT_EQ(Messages.Texts[0], "数据已导出到文件：\n" + path +
                                         "\n\n没有找到可以打开这个文件的电子表格程序，请用电子表格程序打开它。");
        EXPECT_EQ(Messages.Captions[0], "提示");
        EXPECT_EQ(Messages.Icons[0], MB_ICONINFORMATION);
    }
}

// With no folder configured the workbook goes to the documents folder; when there is
// none it goes home, and the user is told where.
TEST_F(GridExport, WithoutADocumentsFolderTheFileGoesHomeAndTheUserIsTold) {
    Open("select * from tb_sf order by 票据号");
    const std::string home = Fix.Dir.Path() + "/home";
    std::filesystem::create_directories(home);
    TEnvVar homeVar("HOME", home.c_str());
    TEnvVar configVar("XDG_CONFIG_HOME", (Fix.Dir.Path() + "/config").c_str());
    TEnvVar docsVar("XDG_DOCUMENTS_DIR", nullptr);
    const std::string folder = SpreadsheetOptions().OutputFolder;
    SpreadsheetOptions().OutputFolder.clear();
    const std::string first = ExportGridToExcel(ReceiptGrid());
    std::filesystem::create_directories(home + "/Documents");
    const std::string second = ExportGridToExcel(ReceiptGrid());
    SpreadsheetOptions().OutputFolder = folder;
    EXPECT_EQ(ExtractFilePath(first), home + "/");
    EXPECT_EQ(ExtractFilePath(second), home + "/Documents/");
    EXPECT_EQ(Messages.Texts, std::vector<std::string>{"数据已导出到文件：\n" + first + "\n\n文档文件夹“" + home +
                                                       "/Documents”不存在或不能写入，文件保存在“" + home + "”中。"});
    EXPECT_EQ(Fix.Opened, (std::vector<std::string>{first, second}));
}

}  // namespace
