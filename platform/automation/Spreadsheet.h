// The spreadsheet server, ProgID "Excel.Application": an application with workbooks of
// worksheets held in memory, which are written as .xlsx files (XlsxFile.cpp, over zlib) and handed
// to the desktop's program when the application is made visible.
//
// Objects and members (names ignoring case; get = property read or method call,
// put = property write):
//   application  WorkBooks            get: the workbooks; WorkBooks(i): workbook i (1-based)
//                Visible              put: True writes every workbook changed since it was
//                                     last written and opens the files written;
//                                     get: True when every file written was handed to a
//                                     program that shows it (a file no program could be
//                                     started for is written all the same)
//   workbooks    Add                  method: a new workbook with one sheet, "Sheet1"
//   workbook     WorkSheets           get: the worksheets; WorkSheets(i): worksheet i
//                Saved                put
//                FullName             get: the file the workbook was written to ("" before)
//   worksheets   Count                get: the number of sheets
//                Add(before, after)   method: a new sheet (named "Sheet<n>") before the
//                                     sheet given as before, else after the one given as
//                                     after, else before the active sheet; it becomes active
//   worksheet    Cells                get: every cell (a range); Cells(r, c): one cell
//                Cells(r, c)          put: the value of the cell
//                Columns(c)           get: column c
//                Select               method: makes the sheet the active one
//                Range(a, b)          get: the range spanned by two cells or ranges
//   range        Item(r, c)           get: the cell at row r and column c counted from the
//     (cells, a cell)                 range's top-left cell
//                Font                 get: the font of the range's cells
//                Select               method: selects the range on its sheet
//                Value                put: a scalar fills every cell; a two-dimensional
//                                     array gives element (low1 + i, low2 + j) to cell
//                                     (i, j) of the range, elements beyond the range are
//                                     left out and cells beyond the array get #N/A; a
//                                     one-dimensional array fills every row the same
//   font         Bold                 put
//   column       ColumnWidth          put: the width in characters, 0..255
//                NumberFormatLocal    put: the number format code of the column's cells
// Rows are 1..1048576 and columns 1..16384, the limits of the file format.
//
// Values: Empty, Null and the empty text clear a cell; numbers, Currency and Booleans are kept as such; a
// Date becomes a date serial shown as "yyyy-m-d" (with " h:mm:ss" when it has a time).
// A text written into a cell stays text when its column's number format is "@" (the text
// format). Elsewhere a text that is a plain decimal number (blanks around it, a sign, a
// decimal point and an exponent allowed: "12", " -3.50 ", "1e3") becomes that number, as
// a spreadsheet does with typed values; a number of more than 15 significant digits stays
// text, since a spreadsheet number would lose its last digits. Dates, percentages and
// thousands separators are not recognised: such texts stay text. A cell holds at most
// 32,767 UTF-16 units of text; longer text is cut at a character boundary. Text that is
// not valid UTF-8 has the bad bytes replaced by U+FFFD.
//
// Files: a workbook is written once it is first shown, to
//   <folder>/Book<n>-<yyyymmdd>-<hhnnss>.xlsx   (with "-2", "-3" ... when that exists)
// where folder is SpreadsheetOptions().OutputFolder, else DefaultSpreadsheetFolder();
// showing it again after changes rewrites the same file, through a temporary file and a
// rename.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/automation/Automation.h"

inline constexpr const char* SpreadsheetProgID = "Excel.Application";

// A new application object (what CreateOleObject("Excel.Application") returns).
std::shared_ptr<TDispatch> CreateSpreadsheetApplication();

struct TSpreadsheetOptions {
    // Where workbooks are written; empty: the documents folder or the temporary folder.
    std::string OutputFolder;
    // Texts written inline in their cells as the rows go out; false: once each in the
    // workbook's shared string table, which is kept in memory until the end (smaller files
    // when texts repeat). The workbook is held by the server either way.
    bool ConstantMemory = true;
    // Opens a written file with the desktop's program; false when none could be started.
    // The default runs xdg-open detached. Tests put a recorder here.
    std::function<bool(const std::string& path)> Opener;
};

// The process-wide options, read whenever a workbook is written.
TSpreadsheetOptions& SpreadsheetOptions();

// Runs xdg-open path detached from this process; false when it could not be started.
bool OpenWithDesktop(const std::string& path);

// The user's documents folder as the desktop names it (XDG_DOCUMENTS_DIR in the
// environment or in ~/.config/user-dirs.dirs, else ~/Documents), whether it exists or not;
// empty without a home folder.
std::string UserDocumentsFolder();
// The folder workbooks go to when OutputFolder is empty: the documents folder when it
// exists and can be written, else the home folder when it can be written, else the
// temporary folder.
std::string DefaultSpreadsheetFolder();
