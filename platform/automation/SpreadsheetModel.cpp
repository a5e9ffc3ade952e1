// Cells, texts and the conversion of values written into a sheet.
#include "platform/automation/SpreadsheetModel.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "platform/automation/Automation.h"
#include "platform/rtl/StrUtils.h"

namespace xls {

const char* TTextArena::Store(std::string_view text) {
    if (text.empty()) return "";
    if (text.size() > BlockSize / 4) {
        // A long text gets a block of its own, so it does not waste the rest of one.
        auto block = std::make_unique<char[]>(text.size());
        std::memcpy(block.get(), text.data(), text.size());
        const char* p = block.get();
        FBlocks.insert(FBlocks.end() - (FBlocks.empty() ? 0 : 1), std::move(block));
        FBytes += text.size();
        return p;
    }
    if (BlockSize - FUsed < text.size()) {
        FBlocks.push_back(std::make_unique<char[]>(BlockSize));
        FUsed = 0;
    }
    char* p = FBlocks.back().get() + FUsed;
    std::memcpy(p, text.data(), text.size());
    FUsed += text.size();
    FBytes += text.size();
    return p;
}

// --- Numbers in text --------------------------------------------------------------------
// number -> blanks [sign] (digits [. digits] | . digits) [(e|E) [sign] digits] blanks
// with at most 15 digits from the first to the last non-zero one, so the number keeps
// every digit the text has.
bool ParseNumericText(std::string_view text, double& value) {
    size_t b = 0, e = text.size();
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (b < e && blank(text[b])) ++b;
    while (e > b && blank(text[e - 1])) --e;
    std::string_view s = text.substr(b, e - b);
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    const size_t mantissa = i;
    int digits = 0, firstNonZero = -1, lastNonZero = -1;
    bool point = false;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (c < '0' || c > '9') break;
        if (c != '0') {
            if (firstNonZero < 0) firstNonZero = digits;
            lastNonZero = digits;
        }
        ++digits;
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        const size_t expDigits = j;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j;
        if (j == expDigits) return false;
        i = j;
    }
    if (i != s.size()) return false;
    if (firstNonZero >= 0 && lastNonZero - firstNonZero + 1 > 15) return false;
    std::string_view number = s.substr(mantissa);
    double d = 0;
    auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), d,
                                     std::chars_format::general);
    if (ec != std::errc() || end != number.data() + number.size() || !std::isfinite(d)) return false;
    value = negative ? -d : d;
    return true;
}

// --- Text -------------------------------------------------------------------------------
std::string CellText(std::string_view text) {
    if (text.size() <= MaxCellUtf16 && IsValidUtf8(text)) return std::string(text);
    std::string out;
    out.reserve(std::min(text.size(), MaxCellUtf16 * 3));
    size_t units = 0;
    for (size_t pos = 0; pos < text.size();) {
        char32_t c = NextCodePoint(text, pos);
        size_t n = c >= 0x10000 ? 2 : 1;
        if (units + n > MaxCellUtf16) break;
        units += n;
        out += CodePointToUtf8(c);
    }
    return out;
}

// --- Cells ------------------------------------------------------------------------------
TCell& TSheetModel::Slot(int row, int col) {
    if (FRows.size() < static_cast<size_t>(row)) FRows.resize(static_cast<size_t>(row));
    std::vector<TCell>& r = FRows[static_cast<size_t>(row) - 1];
    if (r.size() < static_cast<size_t>(col)) r.resize(static_cast<size_t>(col));
    return r[static_cast<size_t>(col) - 1];
}

const TCell* TSheetModel::Cell(int row, int col) const {
    if (row < 1 || col < 1 || static_cast<size_t>(row) > FRows.size()) return nullptr;
    const std::vector<TCell>& r = FRows[static_cast<size_t>(row) - 1];
    if (static_cast<size_t>(col) > r.size()) return nullptr;
    return &r[static_cast<size_t>(col) - 1];
}

bool TSheetModel::IsTextColumn(int col) const {
    auto it = FColumns.find(col);
    return it != FColumns.end() && it->second.NumberFormat == "@";
}

void TSheetModel::SetNotAvailable(int row, int col) {
    TCell& cell = Slot(row, col);
    cell.Kind = TCellKind::NotAvailable;
    cell.Length = 0;
    cell.Number = 0;
}

void TSheetModel::SetValue(int row, int col, const Variant& value) {
    auto number = [&](double d) {
        if (!std::isfinite(d)) throw EOleFailure(DISP_E_TYPEMISMATCH, "not a finite number");
        TCell& cell = Slot(row, col);
        cell.Kind = TCellKind::Number;
        cell.Length = 0;
        cell.Number = d;
    };
    switch (value.Kind()) {
    case varEmpty:
    case varNull:
        if (Cell(row, col)) Slot(row, col) = TCell();
        return;
    case varString: {
        const std::string& s = value.StrValue();
        if (s.empty()) {
            if (Cell(row, col)) Slot(row, col) = TCell();
            return;
        }
        double d;
        if (!IsTextColumn(col) && ParseNumericText(s, d)) return number(d);
        std::string text = CellText(s);
        const char* chars = FTexts.Store(text);
        TCell& cell = Slot(row, col);
        cell.Kind = TCellKind::Text;
        cell.Length = static_cast<uint32_t>(text.size());
        cell.Chars = chars;
        return;
    }
    case varBoolean: {
        TCell& cell = Slot(row, col);
        cell.Kind = TCellKind::Boolean;
        cell.Length = 0;
        cell.Number = value.BoolValue() ? 1 : 0;
        return;
    }
    case varDate: {
        if (!std::isfinite(value.DoubleValue())) throw EOleFailure(DISP_E_TYPEMISMATCH);
        TCell& cell = Slot(row, col);
        cell.Kind = TCellKind::Date;
        cell.Length = 0;
        cell.Number = value.DoubleValue();
        return;
    }
    default:
        break;
    }
    if (value.IsNumeric()) return number(value.AsDouble());
    throw EOleFailure(DISP_E_TYPEMISMATCH, "a cell cannot hold a value of type " + VarTypeAsText(value.Type()));
}

}  // namespace xls
