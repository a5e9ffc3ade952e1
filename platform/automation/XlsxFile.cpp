// The one place that speaks to libxlsxwriter: a workbook model written as an .xlsx file.
#include "platform/automation/SpreadsheetModel.h"

#include <xlsxwriter.h>

#include <map>
#include <utility>

#include "platform/rtl/Exceptions.h"

namespace xls {
namespace {

constexpr const char* DateFormat = "yyyy-m-d";
constexpr const char* DateTimeFormat = "yyyy-m-d h:mm:ss";

class TXlsxWriter {
public:
    TXlsxWriter(const std::string& path, bool constantMemory) : FPath(path) {
        lxw_workbook_options options{};
        options.constant_memory = constantMemory ? LXW_TRUE : LXW_FALSE;
        FBook = workbook_new_opt(path.c_str(), &options);
        if (!FBook) throw EFCreateError("Cannot create file \"" + path + "\"");
    }
    ~TXlsxWriter() {
        if (FBook) lxw_workbook_free(FBook);
    }
    TXlsxWriter(const TXlsxWriter&) = delete;
    TXlsxWriter& operator=(const TXlsxWriter&) = delete;

    void Write(const std::vector<const TSheetModel*>& sheets, int activeSheet) {
        for (size_t i = 0; i < sheets.size(); ++i) {
            lxw_worksheet* ws = workbook_add_worksheet(FBook, sheets[i]->Name().c_str());
            if (!ws) throw EWriteError("Cannot add sheet \"" + sheets[i]->Name() + "\" to \"" + FPath + "\"");
            WriteSheet(ws, *sheets[i]);
            if (static_cast<int>(i) == activeSheet) worksheet_activate(ws);
        }
        lxw_error err = workbook_close(FBook);
        FBook = nullptr;
        if (err != LXW_NO_ERROR) Fail(err);
    }

private:
    [[noreturn]] void Fail(lxw_error err) {
        throw EWriteError("Cannot write \"" + FPath + "\": " + lxw_strerror(err));
    }
    void Check(lxw_error err) {
        if (err != LXW_NO_ERROR && FFirstError == LXW_NO_ERROR) FFirstError = err;
    }

    // The shared format of a bold flag and a number format ("" is General); null for
    // the plain one.
    lxw_format* Format(bool bold, const std::string& numberFormat) {
        if (!bold && numberFormat.empty()) return nullptr;
        auto key = std::make_pair(bold, numberFormat);
        auto it = FFormats.find(key);
        if (it != FFormats.end()) return it->second;
        lxw_format* f = workbook_add_format(FBook);
        if (bold) format_set_bold(f);
        if (!numberFormat.empty()) format_set_num_format(f, numberFormat.c_str());
        FFormats.emplace(key, f);
        return f;
    }

    void WriteSheet(lxw_worksheet* ws, const TSheetModel& sheet) {
        for (const auto& [col, format] : sheet.Columns()) {
            if (format.Width < 0 && format.NumberFormat.empty()) continue;
            double width = format.Width < 0 ? LXW_DEF_COL_WIDTH : format.Width;
            Check(worksheet_set_column(ws, static_cast<lxw_col_t>(col - 1), static_cast<lxw_col_t>(col - 1),
                                       width, Format(false, format.NumberFormat)));
        }
        const auto& rows = sheet.Rows();
        const auto& areas = sheet.BoldAreas();
        std::vector<const TSheetModel::TBoldArea*> rowAreas;
        for (size_t r = 0; r < rows.size(); ++r) {
            const int row = static_cast<int>(r) + 1;
            rowAreas.clear();
            for (const auto& a : areas)
                if (row >= a.Area.Top && row <= a.Area.Bottom) rowAreas.push_back(&a);
            const std::vector<TCell>& cells = rows[r];
            for (size_t c = 0; c < cells.size(); ++c) {
                const TCell& cell = cells[c];
                if (cell.Kind == TCellKind::Empty) continue;
                const int col = static_cast<int>(c) + 1;
                bool bold = false;
                for (auto it = rowAreas.rbegin(); it != rowAreas.rend(); ++it)
                    if (col >= (*it)->Area.Left && col <= (*it)->Area.Right) {
                        bold = (*it)->Bold;
                        break;
                    }
                WriteCell(ws, sheet, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(c), cell, bold);
            }
        }
        const TRect& sel = sheet.Selection();
        if (sel.Top != 1 || sel.Left != 1 || sel.Bottom != 1 || sel.Right != 1)
            worksheet_set_selection(ws, static_cast<lxw_row_t>(sel.Top - 1), static_cast<lxw_col_t>(sel.Left - 1),
                                    static_cast<lxw_row_t>(sel.Bottom - 1), static_cast<lxw_col_t>(sel.Right - 1));
        if (FFirstError != LXW_NO_ERROR) Fail(FFirstError);
    }

    void WriteCell(lxw_worksheet* ws, const TSheetModel& sheet, lxw_row_t row, lxw_col_t col,
                   const TCell& cell, bool bold) {
        // A cell without a format of its own shows its column's format; a bold one needs
        // the column's number format in its own.
        auto columnFormat = [&]() -> lxw_format* {
            if (!bold) return nullptr;
            auto it = sheet.Columns().find(static_cast<int>(col) + 1);
            return Format(true, it == sheet.Columns().end() ? std::string() : it->second.NumberFormat);
        };
        switch (cell.Kind) {
        case TCellKind::Empty:
            return;
        case TCellKind::Number:
            Check(worksheet_write_number(ws, row, col, cell.Number, columnFormat()));
            return;
        case TCellKind::Text: {
            std::string text(sheet.Text(cell));
            Check(worksheet_write_string(ws, row, col, text.c_str(), columnFormat()));
            return;
        }
        case TCellKind::Boolean:
            Check(worksheet_write_boolean(ws, row, col, cell.Number != 0, columnFormat()));
            return;
        case TCellKind::Date: {
            bool hasTime = cell.Number != static_cast<double>(static_cast<int64_t>(cell.Number));
            Check(worksheet_write_number(ws, row, col, cell.Number,
                                         Format(bold, hasTime ? DateTimeFormat : DateFormat)));
            return;
        }
        case TCellKind::NotAvailable:
            Check(worksheet_write_formula_str(ws, row, col, "=NA()", columnFormat(), "#N/A"));
            return;
        }
    }

    std::string FPath;
    lxw_workbook* FBook = nullptr;
    std::map<std::pair<bool, std::string>, lxw_format*> FFormats;
    lxw_error FFirstError = LXW_NO_ERROR;
};

}  // namespace

void WriteXlsxFile(const std::string& path, const std::vector<const TSheetModel*>& sheets,
                   int activeSheet, bool constantMemory) {
    TXlsxWriter writer(path, constantMemory);
    writer.Write(sheets, activeSheet);
}

}  // namespace xls
