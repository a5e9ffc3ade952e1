// Creating objects by ProgID and calling the spreadsheet server's members late, by name:
// every misuse (unknown names, wrong kinds, counts and types, bad indices) must come back
// as the automation error of the call, never as a crash or a silent success.
#include <gtest/gtest.h>

#include "platform/automation/Automation.h"
#include "platform/automation/Spreadsheet.h"
#include "platform/rtl/StrUtils.h"
#include "tests/automation/OleTestUtil.h"

namespace {

using namespace oletest;

TEST(CreateOleObject, FindsServersByProgIdIgnoringCase) {
    EXPECT_TRUE(CreateOleObject("Excel.Application").IsDispatch());
    EXPECT_TRUE(CreateOleObject("excel.APPLICATION").IsDispatch());
    // Each call starts a new application.
    EXPECT_FALSE(CreateOleObject("Excel.Application") == CreateOleObject("Excel.Application"));
}

TEST(CreateOleObject, MissingOrFailingServersRaiseTheCreationError) {
    struct Row {
        const char* name;
        std::function<void()> setUp;
        const char* progID;
        std::string expected;
    };
    const std::vector<Row> rows = {
        {"unknown ProgID", [] {}, "Word.Application",
         "EOleError: OLE error 800401F3: Word.Application (invalid class string)"},
        {"empty ProgID", [] {}, "", "EOleError: OLE error 800401F3:  (invalid class string)"},
        {"factory raises", [] { RegisterOleServer("Test.Broken", [] () -> std::shared_ptr<TDispatch> {
             throw EInOutError("no licence"); }); },
         "test.broken", "EOleError: OLE error 80080005: test.broken (no licence)"},
        {"factory gives nothing", [] { RegisterOleServer("Test.Null", [] { return std::shared_ptr<TDispatch>(); }); },
         "Test.Null", "EOleError: OLE error 80080005: Test.Null (server execution failed)"},
        {"server removed", [] { ASSERT_TRUE(UnregisterOleServer("EXCEL.Application")); },
         "Excel.Application", "EOleError: OLE error 800401F3: Excel.Application (invalid class string)"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        r.setUp();
        EXPECT_EQ(Raised([&] { CreateOleObject(r.progID); }), r.expected);
    }
    EXPECT_FALSE(OleServerRegistered("Excel.Application"));
    EXPECT_FALSE(UnregisterOleServer("Excel.Application"));
    RegisterOleServer(SpreadsheetProgID, CreateSpreadsheetApplication);
    EXPECT_TRUE(CreateOleObject("Excel.Application").IsDispatch());
    UnregisterOleServer("Test.Broken");
    UnregisterOleServer("Test.Null");
}

// A workbook with one sheet, the objects a call is tried on.
struct Objects {
    Variant App, Books, Book, Sheets, Sheet, Cells, Cell, Column, Font, OtherSheetCell;
    Objects() {
        App = CreateOleObject("Excel.Application");
        Books = Get(App, "WorkBooks");
        Book = Get(Books, "Add");
        Sheets = Get(Book, "WorkSheets");
        Sheet = Get(Book, "WorkSheets", {1});
        Cells = Get(Sheet, "Cells");
        Cell = Get(Cells, "Item", {2, 3});
        Column = Get(Sheet, "Columns", {1});
        Font = Get(Cell, "Font");
        Variant second = Get(Sheets, "Add", {Variant::Null(), Sheet});
        OtherSheetCell = Get(second, "Cells", {1, 1});
    }
};

TEST(SpreadsheetDispatch, MisusedMembersRaiseTheirAutomationErrors) {
    Objects o;
    Variant array3 = VarArrayCreate({1, 1, 1, 1, 1, 1}, varVariant);
    struct Row {
        const char* name;
        std::function<void()> call;
        std::string expected;
    };
    const std::vector<Row> rows = {
        {"unknown member", [&] { Get(o.App, "Quit"); }, "OLE error 80020006: Quit"},
        {"member of another object", [&] { Get(o.Book, "Add"); }, "OLE error 80020006: Add"},
        {"read of a write-only property", [&] { Get(o.Font, "Bold"); }, "OLE error 80020003: Bold"},
        {"write of a read-only property", [&] { Put(o.App, "WorkBooks", {Variant(1)}); },
         "OLE error 80020003: WorkBooks"},
        {"write to a method", [&] { Put(o.Sheet, "Select", {true}); }, "OLE error 80020003: Select"},
        {"workbook index too high", [&] { Get(o.App, "WorkBooks", {2}); }, "OLE error 8002000B: WorkBooks"},
        {"workbook index 0", [&] { Get(o.App, "WorkBooks", {0}); }, "OLE error 8002000B: WorkBooks"},
        {"sheet index too high", [&] { Get(o.Book, "WorkSheets", {3}); }, "OLE error 8002000B: WorkSheets"},
        {"index not a number", [&] { Get(o.App, "WorkBooks", {"first"}); }, "OLE error 80020005: WorkBooks"},
        {"index an object", [&] { Get(o.Book, "WorkSheets", {o.Sheet}); }, "OLE error 80020005: WorkSheets"},
        {"index overflows", [&] { Get(o.Sheet, "Columns", {Variant(1e12)}); }, "OLE error 8002000A: Columns"},
        {"too many indices", [&] { Get(o.App, "WorkBooks", {1, 2}); }, "OLE error 8002000E: WorkBooks"},
        {"Add takes no argument", [&] { Get(o.Books, "Add", {"template"}); }, "OLE error 8002000E: Add"},
        {"Count takes no argument", [&] { Get(o.Sheets, "Count", {1}); }, "OLE error 8002000E: Count"},
        {"Add with three arguments", [&] { Get(o.Sheets, "Add", {Variant(), Variant(), 1}); },
         "OLE error 8002000E: Add"},
        {"Add before a number", [&] { Get(o.Sheets, "Add", {1}); }, "OLE error 80020005: Add"},
        {"Cells with one index", [&] { Get(o.Sheet, "Cells", {1}); }, "OLE error 8002000E: Cells"},
        {"Cells write without column", [&] { Put(o.Sheet, "Cells", {1, "x"}); }, "OLE error 8002000E: Cells"},
        {"Cells row 0", [&] { Get(o.Sheet, "Cells", {0, 1}); }, "OLE error 80020009: Cells"},
        {"Cells below the last row", [&] { Put(o.Sheet, "Cells", {1048577, 1, "x"}); }, "OLE error 80020009: Cells"},
        {"Cells right of the last column", [&] { Get(o.Sheet, "Cells", {1, 16385}); }, "OLE error 80020009: Cells"},
        {"Cells write of an array", [&] { Put(o.Sheet, "Cells", {1, 1, VarArrayOf({1, 2})}); },
         "OLE error 80020005: Cells"},
        {"Item outside the sheet", [&] { Get(o.Cell, "Item", {0, -5}); }, "OLE error 80020009: Item"},
        {"Columns without number", [&] { Get(o.Sheet, "Columns"); }, "OLE error 8002000E: Columns"},
        {"Range with one corner", [&] { Get(o.Sheet, "Range", {o.Cell}); }, "OLE error 8002000E: Range"},
        {"Range of texts", [&] { Get(o.Sheet, "Range", {"A1", "B2"}); }, "OLE error 80020005: Range"},
        {"Range over two sheets", [&] { Get(o.Sheet, "Range", {o.Cell, o.OtherSheetCell}); },
         "OLE error 80020009: Range"},
        {"Visible not a Boolean", [&] { Put(o.App, "Visible", {"maybe"}); }, "OLE error 80020005: Visible"},
        {"Bold of an object", [&] { Put(o.Font, "Bold", {o.App}); }, "OLE error 80020005: Bold"},
        {"Bold with an index", [&] { Put(o.Font, "Bold", {1, true}); }, "OLE error 8002000E: Bold"},
        {"ColumnWidth too wide", [&] { Put(o.Column, "ColumnWidth", {300}); }, "OLE error 80020009: ColumnWidth"},
        {"ColumnWidth negative", [&] { Put(o.Column, "ColumnWidth", {-1}); }, "OLE error 80020009: ColumnWidth"},
        {"ColumnWidth not a number", [&] { Put(o.Column, "ColumnWidth", {"wide"}); },
         "OLE error 80020005: ColumnWidth"},
        {"Value of an object", [&] { Put(o.Cell, "Value", {o.App}); }, "OLE error 80020005: Value"},
        {"Value of a 3-D array", [&] { Put(o.Cell, "Value", {array3}); }, "OLE error 80020005: Value"},
        {"Value read", [&] { Get(o.Cell, "Value"); }, "OLE error 80020003: Value"},
        {"Value filling every cell", [&] { Put(o.Cells, "Value", {1}); }, "OLE error 80020009: Value"},
        {"put without a value", [&] {
             int32_t id = 0;
             auto obj = o.App.AsDispatch();
             ASSERT_EQ(obj->GetIDsOfNames("Visible", id), S_OK);
             if (uint32_t code = obj->Invoke(id, ikPropertyPut, {}, nullptr); code != S_OK)
                 throw EOleError("OLE error " + IntToHex(code, 8) + ": Visible");
         }, "OLE error 8002000F: Visible"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(Raised(r.call), "EOleError: " + r.expected);
    }
}

TEST(SpreadsheetDispatch, NamesMatchIgnoringCaseAndPlainNamesReadAsStatements) {
    Variant app = CreateOleObject("Excel.Application");
    Variant book = Get(Get(app, "workbooks"), "ADD");
    Variant sheets = Get(book, "worksheets");
    EXPECT_EQ(Get(sheets, "COUNT").AsInteger(), 1);
    // A property read used as a statement is a method call without a result place.
    Call(sheets, "Count");
    Call(sheets, "add");
    EXPECT_EQ(Get(sheets, "count").AsInteger(), 2);
    // Count as a method with a result (what a script does for "Sheets.Count()").
    EXPECT_EQ(DispatchInvoke(sheets, "Count", ikMethod, {}).AsInteger(), 2);
    EXPECT_EQ(Raised([&] { Get(app, "Work Books"); }), "EOleError: OLE error 80020006: Work Books");
}

TEST(SpreadsheetDispatch, AFailureLeavesItsDescriptionAndASuccessClearsIt) {
    Variant app = CreateOleObject("Excel.Application");
    Variant sheet = Get(Get(Get(app, "WorkBooks"), "Add"), "WorkSheets", {1});
    EXPECT_FALSE(Raised([&] { Get(sheet, "Cells", {0, 7}); }).empty());
    EXPECT_EQ(OleErrorInfo(), "cell (0, 7) is outside the sheet");
    Get(sheet, "Cells", {1, 7});
    EXPECT_EQ(OleErrorInfo(), "");
}

TEST(SpreadsheetDispatch, ObjectsOutliveTheReferencesTheyCameFrom) {
    // A script may drop the application and keep a cell: the cell still works.
    Variant cell;
    {
        Variant app = CreateOleObject("Excel.Application");
        Variant sheet = Get(Get(Get(app, "WorkBooks"), "Add"), "WorkSheets", {1});
        cell = Get(sheet, "Cells", {3, 3});
    }
    Put(cell, "Value", {"kept"});
    Put(Get(cell, "Font"), "Bold", {true});
    Call(Get(cell, "Item", {2, 2}), "Select");
}

}  // namespace
