// The data behind a cross-tab: values addressed by a row key, a column key and one value
// per cell level. The distinct keys are kept sorted per level in two collections, two
// header trees (rows and columns) are built from them, subtotal and grand-total keys are
// inserted, the cell functions of the totals are computed, and every header and cell is
// measured with memo templates so that the output can lay the result out.
//
// Keys and cells:
//   - A key holds one value per level. Two level values are the same key value when both
//     are empty (Null or Empty), both are numbers (or dates, booleans) of equal value, or
//     both are texts equal without regard to ASCII case. Texts sort without regard to
//     case, numbers by value, Null before anything, numbers before texts.
//   - The header trees match values by the same rule, so leaf j of a tree always stands
//     for item j of its collection.
//   - Total keys are marked out of band (TfrxIndexItem::TotalMask); their values read
//     "@@@" at the total levels, as scripts see them, but no data value is ever taken for
//     a total.
//   - A cell record counts the non-empty values added to it: averages divide by it and
//     the count function shows it.
//
// Levels are limited to 8 row, 8 column and 1..8 cell levels; larger counts are clipped.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/Variant.h"

class TfrxCustomMemoView;

constexpr int frxCrossMaxLevels = 8;

// Cell function codes.
enum TfrxCrossFunction : uint8_t { cfNone = 0, cfSum = 1, cfMin = 2, cfMax = 3, cfAvg = 4, cfCount = 5 };
// Sort codes.
enum TfrxCrossSortOrder : uint8_t { soAscending = 0, soDescending = 1, soNone = 2 };

// Three-way comparison of two key values by the rule above (-1, 0, 1).
int frxCrossCompareValues(const Variant& A, const Variant& B);

// One key: one value per level; TotalMask has bit L set when level L is a total level.
struct TfrxIndexItem {
    std::vector<Variant> Indexes;
    uint8_t TotalMask = 0;
};

// One cell record of one cell level.
struct TfrxCrossCell {
    Variant Value = Variant::Null();
    int32_t Count = 0;
};

struct TfrxCrossColumn : TfrxIndexItem {
    // The position of this column's cells in every row (creation order).
    int32_t CellIndex = 0;
};

struct TfrxCrossRow : TfrxIndexItem {
    // Cells[CellIndex][level].
    std::vector<std::vector<TfrxCrossCell>> Cells;
};

// A node of a header tree. The root has level -1, its children level 0.
class TfrxCrossHeader {
public:
    struct TBounds {
        double Left = 0, Top = 0, Width = 0, Height = 0;
    };

    TfrxCrossHeader(bool Column, int CellLevels, TfrxCrossHeader* Parent);
    virtual ~TfrxCrossHeader();
    TfrxCrossHeader(const TfrxCrossHeader&) = delete;
    TfrxCrossHeader& operator=(const TfrxCrossHeader&) = delete;

    bool IsColumn() const { return FColumn; }
    TfrxCrossHeader* Parent() const { return FParent; }
    int Count() const { return static_cast<int>(FItems.size()); }
    TfrxCrossHeader* Items(int Index) const { return FItems[Index].get(); }
    // Number of ancestors less one.
    int Level() const;

    TBounds Bounds;
    std::vector<Variant> Counts;
    std::vector<Variant> FuncValues;
    int CellLevels = 1;
    bool IsTotal = false;
    int LevelCount = 1;                                        // root only
    std::array<TfrxCustomMemoView*, frxCrossMaxLevels> Memos{};        // root only
    std::array<TfrxCustomMemoView*, frxCrossMaxLevels> TotalMemos{};   // root only
    TfrxCustomMemoView* Memo = nullptr;
    double Width = 0, Height = 0;
    Variant Value = Variant::Null();
    bool Visible = true;                                       // root only
    std::array<double, frxCrossMaxLevels> CellSizes{};

    // Adds a key below this root: existing nodes are followed, missing ones appended; a
    // total level makes a total node and ends the walk.
    void AddValues(const TfrxIndexItem& Key);
    // Every node but the root, depth first in child order.
    std::vector<TfrxCrossHeader*> AllItems() const;
    // AllItems without the nodes that have children.
    std::vector<TfrxCrossHeader*> TerminalItems() const;
    // 8-element arrays, level 0 first: the index among its siblings, resp. the value, of
    // each ancestor-or-self; Null beyond the node's level.
    Variant Indexes() const;
    Variant Values() const;
    double GetCellSize(int Level) const { return Level >= 0 && Level < frxCrossMaxLevels ? CellSizes[Level] : 0; }
    // The area of the tree: the bottom edge (column tree) or right edge (row tree) of the
    // last leaf; 0 when the tree is hidden or has no leaf.
    double AreaSize() const;
    // Places every node of the tree (from the measured sizes).
    virtual void CalcBounds();

private:
    void CollectAll(std::vector<TfrxCrossHeader*>& List) const;
    const TfrxCrossHeader* Root() const;

    struct TKeyLess {
        bool operator()(const Variant& A, const Variant& B) const { return frxCrossCompareValues(A, B) < 0; }
    };
    bool FColumn;
    TfrxCrossHeader* FParent;
    std::vector<std::unique_ptr<TfrxCrossHeader>> FItems;
    // The children that are no totals, by value (children are unique by value).
    std::map<Variant, TfrxCrossHeader*, TKeyLess> FIndex;
};

class TfrxCrossColumnHeader : public TfrxCrossHeader {
public:
    explicit TfrxCrossColumnHeader(int CellLevels) : TfrxCrossHeader(true, CellLevels, nullptr) {}
};

class TfrxCrossRowHeader : public TfrxCrossHeader {
public:
    explicit TfrxCrossRowHeader(int CellLevels) : TfrxCrossHeader(false, CellLevels, nullptr) {}
};

class TfrxCrossMatrix {
public:
    TfrxCrossMatrix();
    ~TfrxCrossMatrix();
    TfrxCrossMatrix(const TfrxCrossMatrix&) = delete;
    TfrxCrossMatrix& operator=(const TfrxCrossMatrix&) = delete;

    // Recreates the 5 x 8 templates and resets functions (sum) and sorts (ascending).
    // A dot-matrix matrix measures its templates with the character cell added.
    void InitMemos(bool DotMatrix);
    bool DotMatrix() const { return FDotMatrix; }

    // Starts a run: clears the data and sets the level counts (clipped to 0..8, cell
    // levels to 1..8); copies GapX and GapY into every template.
    void Init(int RowLevels, int ColumnLevels, int CellLevels);
    // Adds one record; nothing happens before Init. Missing array elements count as Null.
    void AddValue(const std::vector<Variant>& Rows, const std::vector<Variant>& Columns,
                  const std::vector<Variant>& Cells);
    // The same from variant arrays (or single values).
    void AddValue(const Variant& Rows, const Variant& Columns, const Variant& Cells);

    // Inserts subtotal and grand-total keys, computes their cells, measures everything.
    void AddTotals();
    void CalcTotals();
    void CalcBounds();

    // The value of cell level Cell at row and column indexes (collection order); Null
    // when there is none.
    Variant GetValue(int Row, int Column, int Cell) const;
    Variant GetRowValues(int Index) const;
    Variant GetColumnValues(int Index) const;
    int RowCount() const { return static_cast<int>(FRows.size()); }
    int ColCount() const { return static_cast<int>(FColumns.size()); }
    bool IsGrandTotalRow(int Index) const { return Index == RowCount() - 1; }
    bool IsGrandTotalColumn(int Index) const { return Index == ColCount() - 1; }
    bool IsTotalRow(int Index) const;
    bool IsTotalColumn(int Index) const;
    const TfrxCrossRow& Row(int Index) const { return FRows.at(Index); }
    const TfrxCrossColumn& Column(int Index) const { return FColumns.at(Index); }

    uint8_t CellFunctions(int Level) const { return FCellFunctions.at(Level); }
    void SetCellFunctions(int Level, uint8_t Value) { FCellFunctions.at(Level) = Value; }
    uint8_t ColumnSort(int Level) const { return FColumnSort.at(Level); }
    void SetColumnSort(int Level, uint8_t Value) { FColumnSort.at(Level) = Value; }
    uint8_t RowSort(int Level) const { return FRowSort.at(Level); }
    void SetRowSort(int Level, uint8_t Value) { FRowSort.at(Level) = Value; }
    TfrxCustomMemoView* CellMemos(int Level) const { return FCellMemos.at(Level).get(); }
    TfrxCustomMemoView* ColumnMemos(int Level) const { return FColumnMemos.at(Level).get(); }
    TfrxCustomMemoView* ColumnTotalMemos(int Level) const { return FColumnTotalMemos.at(Level).get(); }
    TfrxCustomMemoView* RowMemos(int Level) const { return FRowMemos.at(Level).get(); }
    TfrxCustomMemoView* RowTotalMemos(int Level) const { return FRowTotalMemos.at(Level).get(); }

    TfrxCrossColumnHeader* ColumnHeader() const { return FColumnHeader.get(); }
    TfrxCrossRowHeader* RowHeader() const { return FRowHeader.get(); }

    int CellLevels() const { return FCellLevels; }
    int RowLevels() const { return FRowLevels; }          // key length (at least 1)
    int ColumnLevels() const { return FColumnLevels; }
    bool Initialized() const { return FInitialized; }

    int DefHeight = 0;
    int GapX = 3, GapY = 3;
    int MaxWidth = 200, MinWidth = 0;
    bool NoColumns = false, NoRows = false;
    bool PlainCells = false;
    // (column index, in/out width) and (row index, in/out height).
    std::function<void(int, double&)> OnCalcWidth;
    std::function<void(int, double&)> OnCalcHeight;

private:
    template <class Item> int FindOrInsert(std::vector<Item>& List, const TfrxIndexItem& Key,
                                            const std::array<uint8_t, frxCrossMaxLevels>& Sort, bool& Inserted);
    std::vector<TfrxCrossCell>& CellsAt(int Row, int Column);
    template <class Item> void AddTotalsTo(std::vector<Item>& List, TfrxCrossHeader& Header,
                                           const std::array<std::unique_ptr<TfrxCustomMemoView>, frxCrossMaxLevels>& TotalMemos,
                                           bool Flag, bool Columns);
    void CalcTotalsPass(bool ColumnPass);
    void MeasureNode(TfrxCrossHeader& Node, double MinW, double MaxW);
    void Clear();

    std::array<uint8_t, frxCrossMaxLevels> FCellFunctions{};
    std::array<uint8_t, frxCrossMaxLevels> FColumnSort{};
    std::array<uint8_t, frxCrossMaxLevels> FRowSort{};
    std::array<std::unique_ptr<TfrxCustomMemoView>, frxCrossMaxLevels> FCellMemos, FColumnMemos, FColumnTotalMemos,
        FRowMemos, FRowTotalMemos;
    std::vector<TfrxCrossRow> FRows;
    std::vector<TfrxCrossColumn> FColumns;
    std::unique_ptr<TfrxCrossColumnHeader> FColumnHeader;
    std::unique_ptr<TfrxCrossRowHeader> FRowHeader;
    int FCellLevels = 1, FRowLevels = 1, FColumnLevels = 1;
    bool FInitialized = false;
    bool FDotMatrix = false;
};
