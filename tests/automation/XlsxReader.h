// Reads back an .xlsx file for tests: the zip container (zlib), the workbook's sheets in
// order, each cell's value and type with the bold flag and number format of its style,
// column widths and formats, the active sheet and each sheet's selection.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace xlsxtest {

// Every entry of a zip file by name (stored or deflated); throws std::runtime_error.
std::map<std::string, std::string> ReadZip(const std::string& path);

struct Cell {
    char Type = 'n';            // 'n' number, 's' text, 'b' Boolean, 'e' error or formula text
    std::string Text;           // the text, or the number as written in the file
    double Number = 0;
    bool Bold = false;
    std::string NumberFormat;   // "" General, "@" text, or the format code
};

struct Column {
    double Width = -1;
    std::string NumberFormat;
};

struct Sheet {
    std::string Name;
    std::map<std::pair<int, int>, Cell> Cells;   // (row, column), 1-based
    std::map<int, Column> Columns;
    std::string Selection;                         // "A1" when the file names none
    int RowCount() const;                          // the highest row that has a cell
    const Cell* At(int row, int col) const;
};

struct Book {
    std::vector<Sheet> Sheets;
    int ActiveSheet = 0;                           // 0-based
};

Book ReadXlsx(const std::string& path);

}  // namespace xlsxtest
