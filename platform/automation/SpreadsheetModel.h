// The in-memory workbook behind the spreadsheet server: sheets of cells kept compactly
// (16 bytes a cell, texts in a block arena), column widths and formats, bold areas and
// the selection; and the writer that turns it into an .xlsx file. Internal to the
// automation layer.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/Variant.h"

namespace xls {

constexpr int MaxRows = 1048576;
constexpr int MaxColumns = 16384;
constexpr size_t MaxCellUtf16 = 32767;

// ORDER CELLKIND: the writer switches over every kind.
enum class TCellKind : uint8_t { Empty, Number, Text, Boolean, Date, NotAvailable };

// STORAGE: Number and Date use Number (a Date is a day serial), Boolean uses Number (0 or
// 1), Text uses Chars and Length (a piece of the sheet's arena, not terminated).
struct TCell {
    TCellKind Kind = TCellKind::Empty;
    uint32_t Length = 0;
    union {
        double Number = 0;
        const char* Chars;
    };
};
static_assert(sizeof(TCell) == 16, "a cell stays two words");

struct TRect {
    int Top = 1, Left = 1, Bottom = 1, Right = 1;   // 1-based, inclusive
    bool Contains(int row, int col) const {
        return row >= Top && row <= Bottom && col >= Left && col <= Right;
    }
    int64_t CellCount() const { return int64_t(Bottom - Top + 1) * (Right - Left + 1); }
};

struct TColumnFormat {
    double Width = -1;              // characters; negative: the default width
    std::string NumberFormat;       // empty: General
};

// Texts of one sheet: blocks that never move, so cells can point into them. Texts that an
// overwrite replaced stay until the sheet goes.
class TTextArena {
public:
    const char* Store(std::string_view text);
    size_t Bytes() const { return FBytes; }

private:
    static constexpr size_t BlockSize = 1 << 20;
    std::vector<std::unique_ptr<char[]>> FBlocks;
    size_t FUsed = BlockSize;       // in the last block
    size_t FBytes = 0;
};

class TSheetModel {
public:
    explicit TSheetModel(std::string name) : FName(std::move(name)) {}

    const std::string& Name() const { return FName; }

    // Stores value into the cell by the rules of Spreadsheet.h; raises EOleFailure
    // DISP_E_TYPEMISMATCH for objects, arrays and non-finite numbers.
    void SetValue(int row, int col, const Variant& value);
    void SetNotAvailable(int row, int col);
    // The cell, or null when it was never written.
    const TCell* Cell(int row, int col) const;
    std::string_view Text(const TCell& cell) const { return {cell.Chars, cell.Length}; }

    void SetColumnWidth(int col, double width) { FColumns[col].Width = width; }
    void SetColumnNumberFormat(int col, const std::string& format) { FColumns[col].NumberFormat = format; }
    const std::map<int, TColumnFormat>& Columns() const { return FColumns; }
    bool IsTextColumn(int col) const;

    // Later areas override earlier ones.
    void SetBold(const TRect& area, bool bold) { FBold.push_back({area, bold}); }
    struct TBoldArea {
        TRect Area;
        bool Bold;
    };
    const std::vector<TBoldArea>& BoldAreas() const { return FBold; }

    const TRect& Selection() const { return FSelection; }
    void SetSelection(const TRect& r) { FSelection = r; }

    // The rows written so far: row i + 1 holds the cells of columns 1 .. size.
    const std::vector<std::vector<TCell>>& Rows() const { return FRows; }

private:
    TCell& Slot(int row, int col);

    std::string FName;
    std::vector<std::vector<TCell>> FRows;
    TTextArena FTexts;
    std::map<int, TColumnFormat> FColumns;
    std::vector<TBoldArea> FBold;
    TRect FSelection;
};

// The text of a plain decimal number as a number (see Spreadsheet.h); false otherwise.
bool ParseNumericText(std::string_view text, double& value);

// text cut to the format's cell limit and made valid UTF-8.
std::string CellText(std::string_view text);

// Writes the sheets as an .xlsx file at path (created or replaced as a whole by the
// caller): numbers as the shortest text that reads back as the same double; texts inline
// in their cells (constantMemory) or once each in the shared string table. Raises
// Exception with the reason when the file cannot be written.
void WriteXlsxFile(const std::string& path, const std::vector<const TSheetModel*>& sheets,
                   int activeSheet, bool constantMemory);

}  // namespace xls
