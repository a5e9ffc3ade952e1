// TStringGrid: a grid of text cells with fixed rows and columns (titles), column widths
// and row heights, the current cell, and OnSelectCell/OnDrawCell.
#pragma once

#include "platform/ui/Controls.h"

#include <memory>
#include <string>
#include <vector>

ROVE_ENUM(TGridOption, goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected,
          goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect, goAlwaysShowEditor,
          goThumbTracking)
ROVE_SET(TGridOptions, TGridOption)
ROVE_ENUM(TGridDrawStateFlag, gdSelected, gdFocused, gdFixed)
ROVE_SET(TGridDrawState, TGridDrawStateFlag)

using TSelectCellEvent = TEvent<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
ROVE_EVENT_TYPE(TSelectCellEvent)
using TDrawCellEvent = TEvent<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
ROVE_EVENT_TYPE(TDrawCellEvent)

struct TStringGridPeer;

class TStringGrid : public TWinControl {
    ROVE_CLASS(TStringGrid, TWinControl)
public:
    explicit TStringGrid(TComponent* AOwner);
    ~TStringGrid() override;

    int ColCount() const { return FColCount; }
    void SetColCount(int Value);
    int RowCount() const { return FRowCount; }
    void SetRowCount(int Value);
    int FixedCols() const { return FFixedCols; }
    void SetFixedCols(int Value);
    int FixedRows() const { return FFixedRows; }
    void SetFixedRows(int Value);
    // Cells[ACol][ARow]; raises EListError outside the grid.
    std::string Cells(int ACol, int ARow) const;
    void SetCells(int ACol, int ARow, const std::string& Value);
    int ColWidths(int Index) const;
    void SetColWidths(int Index, int Value);
    int RowHeights(int Index) const;
    void SetRowHeights(int Index, int Value);
    int DefaultColWidth() const { return FDefaultColWidth; }
    void SetDefaultColWidth(int Value);
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int Value);
    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions Value);
    // The current cell (OnSelectCell may refuse a move).
    int Col() const { return FCol; }
    void SetCol(int Value) { SelectCell(Value, FRow); }
    int Row() const { return FRow; }
    void SetRow(int Value) { SelectCell(FCol, Value); }
    bool SelectCell(int ACol, int ARow);
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor Value);
    TCanvas* Canvas() const { return FCanvas.get(); }

    bool WantsKey(uint16_t Key, TShiftState Shift) const override;
    void ApplyColor() override;

    TSelectCellEvent OnSelectCell;
    TDrawCellEvent OnDrawCell;
    static void DeclareProperties(TPropertyDecl<TStringGrid>& d);

    // The layer's own.
    void CellPicked(int ACol, int ARow);
    bool DrawCell(int ACol, int ARow, TRect Rect, TGridDrawState State);

protected:
    TColor DefaultColor() const override { return clWindow; }

private:
    void Resize2D();
    void Refresh2D();
    int FColCount = 5;
    int FRowCount = 5;
    int FFixedCols = 1;
    int FFixedRows = 1;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    TGridOptions FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    int FCol = 1;
    int FRow = 1;
    TColor FFixedColor = clBtnFace;
    std::vector<std::vector<std::string>> FCells;   // [row][col]
    std::vector<int> FColWidths;
    std::vector<int> FRowHeights;
    std::unique_ptr<TCanvas> FCanvas;
    std::unique_ptr<TStringGridPeer> FGridPeer;
    bool FSyncing = false;
};
