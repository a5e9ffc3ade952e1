// Grid export: copies what a data grid shows (its visible columns, every record of its
// dataset) into a new workbook of the spreadsheet server "Excel.Application", driven late
// by name, and leaves the workbook visible to the user. The query and list windows call
// it from their export buttons.
//
// The workbook is written under the user's documents folder (else the home folder) and
// opened with the desktop's spreadsheet program. When no program could be started for
// it, or it had to go elsewhere than the documents folder, the user is told where the
// file is (caption "提示"). Failures are reported to the user here, also with "提示".
//
// The export reads the grid through a plain description (its dataset, its columns with
// visibility, title caption, pixel width and field, and its font height), so any grid can
// be exported; GridExportSourceOf builds the description of a TDBGrid.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/db/DB.h"

class TCustomForm;

struct TGridExportColumn {
    bool Visible = true;
    std::string Caption;          // the title's caption
    int Width = 64;               // pixels
    TField* Field = nullptr;      // null: the column has no field and exports empty cells
};

struct TGridExportSource {
    TDataSet* DataSet = nullptr;  // open
    std::vector<TGridExportColumn> Columns;   // left to right, hidden ones included
    int FontHeight = -11;         // the grid font's height (negative: character height)
    // The window of the grid: its caption shows how many rows went out while the export
    // runs (null: none shows it).
    TCustomForm* Form = nullptr;
};

// Called with "(已导出%d条)" after each full batch.
using TExportProgressEvent = std::function<void(const std::string& Text)>;

// Exports the grid. When the spreadsheet server cannot be created the user is told
// "数据导出失败，因为您的电脑没有安装Excel" and the dataset is left untouched. Any later
// failure is shown as "数据导出失败：" and the reason (the server's description when it
// gave one), after the dataset has been put back on its record and its controls enabled
// again. Returns the file written, or "" when nothing was.
std::string ExportGridToExcel(const TGridExportSource& Grid, const TExportProgressEvent& Progress = nullptr);

// Lets the application handle pending window messages between batches; by default
// Application->ProcessMessages(). Tests replace it; an empty function restores the default.
void SetGridExportProcessMessages(std::function<void()> Hook);

// The description of a data grid of the window layer (TDBGrid): its Columns when it has
// any, else the columns it shows for its fields.
template <class TGrid>
TGridExportSource GridExportSourceOf(TGrid* Grid) {
    TGridExportSource source;
    if (auto* ds = Grid->DataSource()) source.DataSet = ds->DataSet();
    auto* columns = Grid->Columns();
    if (columns && columns->Count() > 0) {
        for (int i = 0; i < columns->Count(); ++i) {
            auto* c = columns->Items(i);
            source.Columns.push_back({c->Visible(), c->Title()->Caption(), c->Width(), c->Field()});
        }
    } else {
        for (int i = 0; i < Grid->ColumnCount(); ++i)
            source.Columns.push_back({true, Grid->ColumnTitle(i), Grid->ColumnWidth(i), Grid->ColumnField(i)});
    }
    source.FontHeight = Grid->Font()->Height();
    source.Form = Grid->ParentForm();
    return source;
}

// ExportGridToExcel(DBGrid1, nullptr) as the windows call it.
template <class TGrid>
    requires requires(TGrid* g) { g->Columns(); g->DataSource(); }
std::string ExportGridToExcel(TGrid* Grid, const TExportProgressEvent& Progress = nullptr) {
    return ExportGridToExcel(GridExportSourceOf(Grid), Progress);
}
