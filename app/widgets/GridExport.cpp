// The grid export, driven late through the spreadsheet server's members by name: one
// sheet per 65,536 rows (a bold title row and 65,535 records), string columns formatted
// as text, records sent 1000 rows at a time by one range assignment.
#include "app/widgets/GridExport.h"

#include <algorithm>
#include <cstdlib>

#include "platform/automation/Automation.h"
#include "platform/automation/Spreadsheet.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Format.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"

namespace {

constexpr int SheetRows = 65536;     // the title row included
constexpr int BatchRows = 1000;
constexpr int MaxColumnWidth = 255;  // the widest column the server takes

std::function<void()>& ProcessMessagesHook() {
    static std::function<void()> hook;
    return hook;
}

void ProcessMessages() {
    if (ProcessMessagesHook()) ProcessMessagesHook()();
    else Application->ProcessMessages();
}

Variant Get(const Variant& obj, std::string_view name, std::vector<Variant> args = {}) {
    return DispatchInvoke(obj, name, ikMethod | ikPropertyGet, std::move(args));
}
void Put(const Variant& obj, std::string_view name, std::vector<Variant> indicesThenValue) {
    DispatchInvoke(obj, name, ikPropertyPut, std::move(indicesThenValue));
}
void Call(const Variant& obj, std::string_view name) { DispatchInvoke(obj, name, ikMethod, {}, false); }

// Scope guard over the dataset: controls disabled and the current record remembered while
// it lives; on every way out the dataset goes back to that record (when it is still there)
// and its controls are enabled again, so a failed export never leaves the grid frozen.
class TDataSetPlace {
public:
    explicit TDataSetPlace(TDataSet& DataSet) : FDataSet(DataSet) {
        FDataSet.DisableControls();
        FBookmark = FDataSet.GetBookmark();
    }
    ~TDataSetPlace() {
        try {
            Restore();
        } catch (...) {
            // Already leaving through an exception; that one is reported.
        }
    }
    TDataSetPlace(const TDataSetPlace&) = delete;
    TDataSetPlace& operator=(const TDataSetPlace&) = delete;

    // Back to the remembered record, bookmark freed, controls enabled; once.
    void Restore() {
        if (FRestored) return;
        FRestored = true;
        struct TEnable {
            TDataSet& DataSet;
            ~TEnable() { DataSet.EnableControls(); }
        } enable{FDataSet};
        TBookmark bookmark = std::move(FBookmark);
        if (bookmark && FDataSet.Active() && FDataSet.BookmarkValid(bookmark)) FDataSet.GotoBookmark(bookmark);
        FDataSet.FreeBookmark(bookmark);
    }

private:
    TDataSet& FDataSet;
    TBookmark FBookmark;
    bool FRestored = false;
};

// String and wide-string fields (fixed-length ones are string fields too); memos are not.
bool IsTextField(const TField& field) {
    TFieldType t = field.DataType();
    return t == ftString || t == ftWideString || t == ftFixedChar;
}

// Column width in characters: pixel width x 2 / |font height|, rounded half to even.
int ColumnWidthOf(int pixels, int fontHeight) {
    int64_t width = Round(pixels * 2.0 / std::abs(fontHeight));
    return static_cast<int>(std::clamp<int64_t>(width, 0, MaxColumnWidth));
}

constexpr const char* kCaption = "提示";

// While the export runs: the hourglass, and the grid's window caption with the rows sent
// so far after it; both given back on every way out.
class TExportFeedback {
public:
    TExportFeedback(TCustomForm* Form, const TExportProgressEvent& Progress) : FForm(Form), FProgress(Progress) {
        if (FForm) FCaption = FForm->Caption();
        FCursor = Screen->Cursor();
        Screen->SetCursor(crHourGlass);
    }
    ~TExportFeedback() {
        Screen->SetCursor(FCursor);
        if (FForm && Screen->HasForm(FForm)) FForm->SetCaption(FCaption);
    }
    TExportFeedback(const TExportFeedback&) = delete;
    TExportFeedback& operator=(const TExportFeedback&) = delete;
    void Step(const std::string& Text) {
        if (FProgress) FProgress(Text);
        if (FForm && Screen->HasForm(FForm)) FForm->SetCaption(FCaption + " " + Text);
    }

private:
    TCustomForm* FForm;
    const TExportProgressEvent& FProgress;
    std::string FCaption;
    TCursor FCursor = crDefault;
};

// Where the file went, when the user would not otherwise know: no spreadsheet program
// could be started for it, or it is not in the documents folder.
void TellWhere(const std::string& Path, bool Shown) {
    const std::string folder = ExcludeTrailingPathDelimiter(ExtractFilePath(Path));
    const std::string docs = UserDocumentsFolder();
    const bool elsewhere = SpreadsheetOptions().OutputFolder.empty() && folder != docs;
    if (Shown && !elsewhere) return;
    std::string text = "数据已导出到文件：\n" + Path;
    if (elsewhere)
        text += "\n\n文档文件夹" + (docs.empty() ? std::string() : "“" + docs + "”") + "不存在或不能写入，文件保存在“" +
                folder + "”中。";
    if (!Shown) text += "\n\n没有找到可以打开这个文件的电子表格程序，请用电子表格程序打开它。";
    Application->MessageBox(text, kCaption, MB_OK | MB_ICONINFORMATION);
}

std::string Export(const Variant& excel, const TGridExportSource& Grid, TExportFeedback& Feedback) {
    Call(Get(excel, "WorkBooks"), "Add");
    Put(excel, "Visible", {false});

    TDataSet& dataSet = *Grid.DataSet;
    TDataSetPlace place(dataSet);
    dataSet.First();

    std::vector<const TGridExportColumn*> shown;
    for (const TGridExportColumn& c : Grid.Columns)
        if (c.Visible) shown.push_back(&c);
    const int n = static_cast<int>(shown.size());
    const int b = std::min(dataSet.RecordCount(), BatchRows);
    Variant values = VarArrayCreate({1, b, 1, n}, varVariant);

    int s = 1, r = 0, e = 0;
    Variant sheets = Get(Get(excel, "WorkBooks", {1}), "WorkSheets");
    Variant sheet, cells;
    // Without a visible column there is nothing to write: the workbook stays empty.
    while (n > 0 && !dataSet.Eof()) {
        if (r == 0 || r > SheetRows) {
            // Start a sheet: the workbook's next one, or a new one after the current.
            if (Get(sheets, "Count").AsInteger() < s) sheet = Get(sheets, "Add", {Variant::Null(), sheet});
            else sheet = Get(Get(excel, "WorkBooks", {1}), "WorkSheets", {s});
            cells = Get(sheet, "Cells");
            ++s;
            r = 1;
            for (int c = 1; c <= n; ++c) {
                const TGridExportColumn& column = *shown[static_cast<size_t>(c) - 1];
                Put(Get(Get(sheet, "Cells", {r, c}), "Font"), "Bold", {true});
                Put(sheet, "Cells", {r, c, Variant(column.Caption)});
                Variant col = Get(sheet, "Columns", {c});
                if (Grid.FontHeight != 0) Put(col, "ColumnWidth", {ColumnWidthOf(column.Width, Grid.FontHeight)});
                if (column.Field && IsTextField(*column.Field)) Put(col, "NumberFormatLocal", {"@"});
            }
            r = 2;
        }
        // Fill one batch.
        int k = 1;
        do {
            for (int c = 1; c <= n; ++c) {
                TField* field = shown[static_cast<size_t>(c) - 1]->Field;
                values.ElementRef({k, c}) = Variant(field ? field->AsString() : std::string());
            }
            ++r;
            ++k;
            ++e;
            dataSet.Next();
        } while (k <= b && r <= SheetRows && !dataSet.Eof());

        if (!dataSet.Eof()) {
            Feedback.Step(Format("(已导出%d条)", {e}));
            ProcessMessages();
        }
        Variant topLeft = Get(cells, "Item", {r - k + 1, 1});
        Variant bottomRight = Get(cells, "Item", {r - 1, n});
        Put(Get(sheet, "Range", {topLeft, bottomRight}), "Value", {values});
        if (r > SheetRows) {
            Call(sheet, "Select");
            Call(Get(cells, "Item", {1, 1}), "Select");
        }
    }
    cells.Clear();
    values.Clear();

    Variant first = Get(Get(excel, "WorkBooks", {1}), "WorkSheets", {1});
    Call(first, "Select");
    Call(Get(first, "Cells", {1, 1}), "Select");
    Put(excel, "Visible", {true});
    Put(Get(excel, "WorkBooks", {1}), "Saved", {true});
    const bool opened = Get(excel, "Visible").AsBoolean();
    const std::string path = Get(Get(excel, "WorkBooks", {1}), "FullName").AsString();

    place.Restore();
    if (!path.empty()) TellWhere(path, opened);
    return path;
}

}  // namespace

std::string ExportGridToExcel(const TGridExportSource& Grid, const TExportProgressEvent& Progress) {
    if (!Grid.DataSet) throw EInvalidOperation("ExportGridToExcel: the grid has no dataset");
    Variant excel;
    try {
        excel = CreateOleObject("Excel.Application");
    } catch (const Exception&) {
        Application->MessageBox("数据导出失败，因为您的电脑没有安装Excel", kCaption, MB_OK | MB_ICONWARNING);
        return {};
    }
    try {
        TExportFeedback feedback(Grid.Form, Progress);
        return Export(excel, Grid, feedback);
    } catch (const EAbort&) {
        throw;
    } catch (const Exception& error) {
        // The server's own description says why; the result code alone does not.
        const std::string reason =
            dynamic_cast<const EOleError*>(&error) && !OleErrorInfo().empty() ? OleErrorInfo() : error.Message();
        Application->MessageBox("数据导出失败：" + reason, kCaption, MB_OK | MB_ICONERROR);
    }
    return {};
}

void SetGridExportProcessMessages(std::function<void()> Hook) { ProcessMessagesHook() = std::move(Hook); }
