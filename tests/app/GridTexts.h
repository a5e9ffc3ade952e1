// What a data grid shows cut: the titles and the cells of its dataset's rows whose text is
// wider than their column, measured in the grid's fonts with the margins the grid draws.
#pragma once

#include <string>
#include <vector>

#include "platform/db/DB.h"
#include "platform/graphics/Graphics.h"
#include "platform/ui/DBGrids.h"

inline std::vector<std::string> CutGridTexts(TDBGrid* Grid) {
    constexpr int kCellMargins = 6;    // the frame of the focused cell and a pixel each side
    constexpr int kTitleMargins = 8;
    std::vector<std::string> cut;
    TBitmap bitmap;
    bitmap.SetSize(4, 4);
    TCanvas* canvas = bitmap.Canvas();
    TDBGridColumns* columns = Grid->Columns();
    canvas->Font()->Assign(*Grid->TitleFont());
    for (int i = 0; i < columns->Count(); ++i) {
        TColumn* c = columns->Items(i);
        if (c->Visible() && canvas->TextWidth(c->Title()->Caption()) + kTitleMargins > c->Width())
            cut.push_back("title " + c->Title()->Caption());
    }
    TDataSet* data = Grid->DataSource() ? Grid->DataSource()->DataSet() : nullptr;
    if (!data || !data->Active()) return cut;
    canvas->Font()->Assign(*Grid->Font());
    for (data->First(); !data->Eof(); data->Next())
        for (int i = 0; i < columns->Count(); ++i) {
            TColumn* c = columns->Items(i);
            TField* f = c->Field();
            if (!c->Visible() || !f) continue;
            const std::string text = f->DisplayText();
            if (canvas->TextWidth(text) + kCellMargins > c->Width()) cut.push_back(c->FieldName() + " " + text);
        }
    data->First();
    return cut;
}
