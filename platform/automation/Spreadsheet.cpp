// The spreadsheet server's objects: application, workbooks, workbook, worksheets,
// worksheet, range, font and column, each a TAutoObject over the in-memory model.
#include "platform/automation/Spreadsheet.h"

#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "platform/automation/SpreadsheetModel.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"

namespace {

using xls::TRect;
using xls::TSheetModel;

class TWorkbook;

[[noreturn]] void Failure(uint32_t code, std::string text = {}) { throw EOleFailure(code, std::move(text)); }

// --- Worksheet ---------------------------------------------------------------------------
class TWorksheet : public TAutoObject {
public:
    TWorksheet(std::weak_ptr<TWorkbook> book, std::string name)
        : FBook(std::move(book)), FModel(std::move(name)) {}

    TSheetModel& Model() { return FModel; }
    const TSheetModel& Model() const { return FModel; }
    std::shared_ptr<TWorkbook> Book() const { return FBook.lock(); }
    void Changed();
    std::shared_ptr<TWorksheet> Self() { return std::static_pointer_cast<TWorksheet>(shared_from_this()); }

protected:
    std::span<const std::string_view> Members() const override;
    void Call(int index, const TOleCall& call) override;

private:
    std::weak_ptr<TWorkbook> FBook;
    TSheetModel FModel;
};

void CheckCell(int row, int col) {
    if (row < 1 || row > xls::MaxRows || col < 1 || col > xls::MaxColumns)
        Failure(DISP_E_EXCEPTION, "cell (" + IntToStr(row) + ", " + IntToStr(col) + ") is outside the sheet");
}

// --- Range (every cell, one cell, or a block) -----------------------------------------------
class TRange : public TAutoObject {
public:
    TRange(std::shared_ptr<TWorksheet> sheet, TRect area) : FSheet(std::move(sheet)), FArea(area) {}
    const std::shared_ptr<TWorksheet>& Sheet() const { return FSheet; }
    const TRect& Area() const { return FArea; }

protected:
    std::span<const std::string_view> Members() const override {
        static constexpr std::array<std::string_view, 4> names{"Item", "Font", "Select", "Value"};
        return names;
    }
    void Call(int index, const TOleCall& call) override;

private:
    void PutValue(const Variant& value);
    std::shared_ptr<TWorksheet> FSheet;
    TRect FArea;
};

class TFont : public TAutoObject {
public:
    TFont(std::shared_ptr<TWorksheet> sheet, TRect area) : FSheet(std::move(sheet)), FArea(area) {}

protected:
    std::span<const std::string_view> Members() const override {
        static constexpr std::array<std::string_view, 1> names{"Bold"};
        return names;
    }
    void Call(int, const TOleCall& call) override {
        call.RequireKind(false, true);
        call.RequireCount(0, 0);
        FSheet->Model().SetBold(FArea, call.BoolValue());
        FSheet->Changed();
    }

private:
    std::shared_ptr<TWorksheet> FSheet;
    TRect FArea;
};

class TColumn : public TAutoObject {
public:
    TColumn(std::shared_ptr<TWorksheet> sheet, int col) : FSheet(std::move(sheet)), FCol(col) {}

protected:
    std::span<const std::string_view> Members() const override {
        static constexpr std::array<std::string_view, 2> names{"ColumnWidth", "NumberFormatLocal"};
        return names;
    }
    void Call(int index, const TOleCall& call) override {
        call.RequireKind(false, true);
        call.RequireCount(0, 0);
        if (index == 0) {
            double width = call.DoubleValue();
            if (width < 0 || width > 255) Failure(DISP_E_EXCEPTION, "a column width is 0 to 255 characters");
            FSheet->Model().SetColumnWidth(FCol, width);
        } else {
            FSheet->Model().SetColumnNumberFormat(FCol, call.StringValue());
        }
        FSheet->Changed();
    }

private:
    std::shared_ptr<TWorksheet> FSheet;
    int FCol;
};

// --- Workbook ----------------------------------------------------------------------------------
class TWorkbook : public TAutoObject {
public:
    explicit TWorkbook(int number) : FNumber(number) {}

    // The first sheet; called once the workbook is owned by a shared_ptr.
    void AddFirstSheet() { FSheets.push_back(NewSheet()); }
    std::shared_ptr<TWorksheet> NewSheet() {
        return std::make_shared<TWorksheet>(Self(), "Sheet" + IntToStr(++FSheetCounter));
    }
    std::shared_ptr<TWorkbook> Self() { return std::static_pointer_cast<TWorkbook>(shared_from_this()); }

    std::vector<std::shared_ptr<TWorksheet>>& Sheets() { return FSheets; }
    int IndexOf(const TWorksheet* sheet) const {
        for (size_t i = 0; i < FSheets.size(); ++i)
            if (FSheets[i].get() == sheet) return static_cast<int>(i);
        return -1;
    }
    int ActiveSheet() const { return FActive; }
    void SetActiveSheet(int index) { FActive = index; }
    void Changed() { FDirty = true; }
    bool Dirty() const { return FDirty; }

    // Writes the workbook to its file (choosing it the first time); returns the path.
    std::string Save();

protected:
    std::span<const std::string_view> Members() const override {
        static constexpr std::array<std::string_view, 3> names{"WorkSheets", "Saved", "FullName"};
        return names;
    }
    void Call(int index, const TOleCall& call) override;

private:
    int FNumber;
    int FSheetCounter = 0;
    std::vector<std::shared_ptr<TWorksheet>> FSheets;
    int FActive = 0;
    bool FDirty = true;
    bool FSaved = false;
    std::string FPath;

public:
    const std::string& Path() const { return FPath; }
};

void TWorksheet::Changed() {
    if (auto book = FBook.lock()) book->Changed();
}

class TWorksheets : public TAutoObject {
public:
    explicit TWorksheets(std::shared_ptr<TWorkbook> book) : FBook(std::move(book)) {}

protected:
    std::span<const std::string_view> Members() const override {
        static constexpr std::array<std::string_view, 2> names{"Count", "Add"};
        return names;
    }
    void Call(int index, const TOleCall& call) override;

private:
    std::shared_ptr<TWorkbook> FBook;
};

// A worksheet argument of book (before/after of Add).
std::shared_ptr<TWorksheet> SheetArg(const TOleCall& call, int i, const TWorkbook& book) {
    auto sheet = OleObjectOf<TWorksheet>(call.Arg(i));
    if (!sheet) Failure(DISP_E_TYPEMISMATCH, "not a worksheet");
    if (book.IndexOf(sheet.get()) < 0) Failure(DISP_E_EXCEPTION, "the worksheet is not in this workbook");
    return sheet;
}

void TWorksheets::Call(int index, const TOleCall& call) {
    call.RequireKind(true, false);
    auto& sheets = FBook->Sheets();
    if (index == 0) {
        call.RequireCount(0, 0);
        call.Return(Variant(static_cast<int>(sheets.size())));
        return;
    }
    call.RequireCount(0, 2);
    int at;
    if (call.Given(0)) at = FBook->IndexOf(SheetArg(call, 0, *FBook).get());
    else if (call.Given(1)) at = FBook->IndexOf(SheetArg(call, 1, *FBook).get()) + 1;
    else at = FBook->ActiveSheet();
    auto sheet = FBook->NewSheet();
    sheets.insert(sheets.begin() + at, sheet);
    FBook->SetActiveSheet(at);
    FBook->Changed();
    call.Return(Variant(std::shared_ptr<TDispatch>(sheet)));
}

void TWorkbook::Call(int index, const TOleCall& call) {
    if (index == 2) {   // FullName
        call.RequireKind(true, false);
        call.RequireCount(0, 0);
        call.Return(Variant(FPath));
        return;
    }
    if (index == 1) {   // Saved
        call.RequireKind(false, true);
        call.RequireCount(0, 0);
        FSaved = call.BoolValue();
        return;
    }
    call.RequireKind(true, false);
    call.RequireCount(0, 1);
    if (call.Count() == 0) {
        call.Return(Variant(std::shared_ptr<TDispatch>(std::make_shared<TWorksheets>(Self()))));
        return;
    }
    int i = call.IntArg(0);
    if (i < 1 || i > static_cast<int>(FSheets.size())) Failure(DISP_E_BADINDEX);
    call.Return(Variant(std::shared_ptr<TDispatch>(FSheets[static_cast<size_t>(i) - 1])));
}

// --- Worksheet members -----------------------------------------------------------------------
std::span<const std::string_view> TWorksheet::Members() const {
    static constexpr std::array<std::string_view, 4> names{"Cells", "Columns", "Select", "Range"};
    return names;
}

// A range argument of sheet (the corners of Range).
TRect RangeArg(const TOleCall& call, int i, const TWorksheet* sheet) {
    auto range = OleObjectOf<TRange>(call.Arg(i));
    if (!range) Failure(DISP_E_TYPEMISMATCH, "not a range");
    if (range->Sheet().get() != sheet) Failure(DISP_E_EXCEPTION, "the range is on another sheet");
    return range->Area();
}

void TWorksheet::Call(int index, const TOleCall& call) {
    switch (index) {
    case 0: {   // Cells
        call.RequireKind(true, true);
        if (call.IsPut()) {
            call.RequireCount(2, 2);
            int row = call.IntArg(0), col = call.IntArg(1);
            CheckCell(row, col);
            const Variant& v = call.Value();
            if (v.IsArray()) Failure(DISP_E_TYPEMISMATCH, "a cell holds one value");
            FModel.SetValue(row, col, v);
            Changed();
            return;
        }
        call.RequireCount(0, 2);
        if (call.Count() == 1) Failure(DISP_E_BADPARAMCOUNT);
        TRect area{1, 1, xls::MaxRows, xls::MaxColumns};
        if (call.Count() == 2) {
            int row = call.IntArg(0), col = call.IntArg(1);
            CheckCell(row, col);
            area = TRect{row, col, row, col};
        }
        call.Return(Variant(std::shared_ptr<TDispatch>(std::make_shared<TRange>(Self(), area))));
        return;
    }
    case 1: {   // Columns
        call.RequireKind(true, false);
        call.RequireCount(1, 1);
        int col = call.IntArg(0);
        CheckCell(1, col);
        call.Return(Variant(std::shared_ptr<TDispatch>(std::make_shared<TColumn>(Self(), col))));
        return;
    }
    case 2: {   // Select
        call.RequireKind(true, false);
        call.RequireCount(0, 0);
        if (auto book = Book()) {
            int i = book->IndexOf(this);
            if (i >= 0) book->SetActiveSheet(i);
            book->Changed();
        }
        return;
    }
    case 3: {   // Range
        call.RequireKind(true, false);
        call.RequireCount(2, 2);
        TRect a = RangeArg(call, 0, this), b = RangeArg(call, 1, this);
        TRect area{std::min(a.Top, b.Top), std::min(a.Left, b.Left), std::max(a.Bottom, b.Bottom),
                   std::max(a.Right, b.Right)};
        call.Return(Variant(std::shared_ptr<TDispatch>(std::make_shared<TRange>(Self(), area))));
        return;
    }
    }
    Failure(DISP_E_MEMBERNOTFOUND);
}

// --- Range members -----------------------------------------------------------------------------
void TRange::Call(int index, const TOleCall& call) {
    switch (index) {
    case 0: {   // Item
        call.RequireKind(true, false);
        call.RequireCount(2, 2);
        int64_t row = int64_t(FArea.Top) + call.IntArg(0) - 1;
        int64_t col = int64_t(FArea.Left) + call.IntArg(1) - 1;
        if (row < 1 || row > xls::MaxRows || col < 1 || col > xls::MaxColumns)
            Failure(DISP_E_EXCEPTION, "cell (" + IntToStr(row) + ", " + IntToStr(col) + ") is outside the sheet");
        int r = static_cast<int>(row), c = static_cast<int>(col);
        call.Return(Variant(std::shared_ptr<TDispatch>(std::make_shared<TRange>(FSheet, TRect{r, c, r, c}))));
        return;
    }
    case 1:     // Font
        call.RequireKind(true, false);
        call.RequireCount(0, 0);
        call.Return(Variant(std::shared_ptr<TDispatch>(std::make_shared<TFont>(FSheet, FArea))));
        return;
    case 2:     // Select
        call.RequireKind(true, false);
        call.RequireCount(0, 0);
        FSheet->Model().SetSelection(FArea);
        FSheet->Changed();
        return;
    case 3:     // Value
        call.RequireKind(false, true);
        call.RequireCount(0, 0);
        PutValue(call.Value());
        FSheet->Changed();
        return;
    }
    Failure(DISP_E_MEMBERNOTFOUND);
}

// A value fills a range at most this large: a whole sheet of cells is no value's place.
constexpr int64_t MaxFilledCells = 16 * 1024 * 1024;

void TRange::PutValue(const Variant& value) {
    TSheetModel& model = FSheet->Model();
    const int rows = FArea.Bottom - FArea.Top + 1, cols = FArea.Right - FArea.Left + 1;
    if (!value.IsArray()) {
        if (value.IsDispatch()) Failure(DISP_E_TYPEMISMATCH, "a cell cannot hold an object");
        if (FArea.CellCount() > MaxFilledCells) Failure(DISP_E_EXCEPTION, "the range is too large to fill");
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) model.SetValue(FArea.Top + r, FArea.Left + c, value);
        return;
    }
    const int dims = VarArrayDimCount(value);
    if (dims > 2) Failure(DISP_E_TYPEMISMATCH, "a range takes a one- or two-dimensional array");
    // Rows and columns the array covers; the rest of the range gets #N/A.
    const int lowRow = dims == 2 ? VarArrayLowBound(value, 1) : 0;
    const int arrayRows = dims == 2 ? VarArrayHighBound(value, 1) - lowRow + 1 : rows;
    const int lowCol = VarArrayLowBound(value, dims);
    const int arrayCols = VarArrayHighBound(value, dims) - lowCol + 1;
    const int64_t filled = int64_t(std::min(rows, arrayRows)) * std::min(cols, arrayCols);
    if (FArea.CellCount() > MaxFilledCells && filled < FArea.CellCount())
        Failure(DISP_E_EXCEPTION, "the range is too large to fill");
    std::array<int32_t, 2> at{};
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const int row = FArea.Top + r, col = FArea.Left + c;
            if (r >= arrayRows || c >= arrayCols) {
                model.SetNotAvailable(row, col);
                continue;
            }
            const Variant* element;
            if (dims == 2) {
                at = {lowRow + r, lowCol + c};
                element = &value.GetElement(std::span<const int32_t>(at.data(), 2));
            } else {
                at[0] = lowCol + c;
                element = &value.GetElement(std::span<const int32_t>(at.data(), 1));
            }
            if (element->IsArray()) Failure(DISP_E_TYPEMISMATCH, "a cell holds one value");
            model.SetValue(row, col, *element);
        }
    }
}

// --- Files ------------------------------------------------------------------------------------
std::string HomeFolder() {
    const char* h = std::getenv("HOME");
    return h && *h ? std::string(h) : std::string();
}

bool WritableFolder(const std::string& folder) {
    return !folder.empty() && DirectoryExists(folder) && access(folder.c_str(), W_OK | X_OK) == 0;
}

std::atomic<int> WorkbookCounter{0};

std::string TWorkbook::Save() {
    if (FPath.empty()) {
        std::string folder = SpreadsheetOptions().OutputFolder;
        if (folder.empty()) folder = DefaultSpreadsheetFolder();
        if (!DirectoryExists(folder) && !ForceDirectories(folder))
            Failure(DISP_E_EXCEPTION, "Cannot create the folder \"" + folder + "\"");
        const std::string stem = IncludeTrailingPathDelimiter(folder) + "Book" + IntToStr(FNumber) + "-" +
                                 FormatDateTime("yyyymmdd-hhnnss", Now());
        std::string path = stem + ".xlsx";
        for (int n = 2; FileExists(path); ++n) path = stem + "-" + IntToStr(n) + ".xlsx";
        FPath = path;
    }
    std::vector<const TSheetModel*> sheets;
    for (const auto& s : FSheets) sheets.push_back(&s->Model());
    const std::string temp = ExtractFilePath(FPath) + "." + ExtractFileName(FPath) + "." +
                             IntToStr(getpid()) + ".tmp";
    try {
        // A workbook holds the clinic's records: the file is its owner's only from the start
        // (the writer opens the name and keeps the mode it finds).
        CreateOwnerOnlyFile(temp);
        xls::WriteXlsxFile(temp, sheets, FActive, SpreadsheetOptions().ConstantMemory);
    } catch (...) {
        DeleteFile(temp);
        throw;
    }
    // rename() replaces the old file in one step: a reader never sees half a workbook.
    if (std::rename(temp.c_str(), FPath.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        DeleteFile(temp);
        Failure(DISP_E_EXCEPTION, "Cannot write \"" + FPath + "\": " + reason);
    }
    FDirty = false;
    return FPath;
}

// --- Application --------------------------------------------------------------------------------
class TApplicationObject;

class TWorkbooks : public TAutoObject {
public:
    explicit TWorkbooks(std::shared_ptr<TApplicationObject> app) : FApp(std::move(app)) {}

protected:
    std::span<const std::string_view> Members() const override {
        static constexpr std::array<std::string_view, 1> names{"Add"};
        return names;
    }
    void Call(int index, const TOleCall& call) override;

private:
    std::shared_ptr<TApplicationObject> FApp;
};

class TApplicationObject : public TAutoObject {
public:
    std::vector<std::shared_ptr<TWorkbook>>& Books() { return FBooks; }
    std::shared_ptr<TApplicationObject> Self() {
        return std::static_pointer_cast<TApplicationObject>(shared_from_this());
    }

protected:
    std::span<const std::string_view> Members() const override {
        static constexpr std::array<std::string_view, 2> names{"WorkBooks", "Visible"};
        return names;
    }
    void Call(int index, const TOleCall& call) override {
        if (index == 1) {   // Visible
            call.RequireCount(0, 0);
            if (!call.IsPut()) {
                call.Return(Variant(FVisible));
                return;
            }
            FVisible = call.BoolValue() && Show();
            return;
        }
        call.RequireKind(true, false);
        call.RequireCount(0, 1);
        if (call.Count() == 0) {
            call.Return(Variant(std::shared_ptr<TDispatch>(std::make_shared<TWorkbooks>(Self()))));
            return;
        }
        int i = call.IntArg(0);
        if (i < 1 || i > static_cast<int>(FBooks.size())) Failure(DISP_E_BADINDEX);
        call.Return(Variant(std::shared_ptr<TDispatch>(FBooks[static_cast<size_t>(i) - 1])));
    }

private:
    // Writes every changed workbook, then opens the files written; false when a file
    // written could not be handed to a program (it stays written: the caller tells the
    // user where it is).
    bool Show() {
        std::vector<std::string> written;
        for (const auto& book : FBooks)
            if (book->Dirty()) written.push_back(book->Save());
        const auto& opener = SpreadsheetOptions().Opener;
        bool shown = true;
        for (const std::string& path : written)
            if (!(opener ? opener(path) : OpenWithDesktop(path))) shown = false;
        return shown;
    }

    std::vector<std::shared_ptr<TWorkbook>> FBooks;
    bool FVisible = false;
};

void TWorkbooks::Call(int, const TOleCall& call) {
    call.RequireKind(true, false);
    call.RequireCount(0, 0);
    auto book = std::make_shared<TWorkbook>(++WorkbookCounter);
    book->AddFirstSheet();
    FApp->Books().push_back(book);
    call.Return(Variant(std::shared_ptr<TDispatch>(book)));
}

}  // namespace

std::shared_ptr<TDispatch> CreateSpreadsheetApplication() { return std::make_shared<TApplicationObject>(); }

TSpreadsheetOptions& SpreadsheetOptions() {
    static TSpreadsheetOptions options;
    return options;
}

std::string UserDocumentsFolder() {
    const std::string home = HomeFolder();
    if (const char* d = std::getenv("XDG_DOCUMENTS_DIR"); d && *d) return ExcludeTrailingPathDelimiter(d);
    // ~/.config/user-dirs.dirs: XDG_DOCUMENTS_DIR="$HOME/Documents"
    std::string config;
    if (const char* c = std::getenv("XDG_CONFIG_HOME"); c && *c) config = c;
    else if (!home.empty()) config = home + "/.config";
    if (!config.empty()) {
        std::ifstream in(config + "/user-dirs.dirs");
        std::string line;
        const std::string key = "XDG_DOCUMENTS_DIR=";
        while (std::getline(in, line)) {
            if (line.compare(0, key.size(), key) != 0) continue;
            std::string value = line.substr(key.size());
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
                value = value.substr(1, value.size() - 2);
            if (value.compare(0, 5, "$HOME") == 0) value = home + value.substr(5);
            if (!value.empty()) return ExcludeTrailingPathDelimiter(value);
        }
    }
    return home.empty() ? std::string() : home + "/Documents";
}

std::string DefaultSpreadsheetFolder() {
    if (std::string docs = UserDocumentsFolder(); WritableFolder(docs)) return docs;
    if (std::string home = HomeFolder(); WritableFolder(home)) return ExcludeTrailingPathDelimiter(home);
    return ExcludeTrailingPathDelimiter(GetTempDir());
}
