// The cross-tab matrix: key order, cell functions, totals and sizes, from tables of
// (row, column, value) records.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/CrossMatrix.h"
#include "report/MemoView.h"

namespace {

struct Rec {
    std::vector<Variant> Rows, Cols, Cells;
};

std::string Join(const Variant& A, const char* Sep) {
    std::string s;
    for (int i = VarArrayLowBound(A, 1); i <= VarArrayHighBound(A, 1); ++i) {
        if (!s.empty()) s += Sep;
        s += VarToStr(A.GetElement({i}));
    }
    return s;
}

// "rowkey:cell,cell|rowkey:..." for cell level Level.
std::string Grid(const TfrxCrossMatrix& M, int Level = 0) {
    std::string s;
    for (int r = 0; r < M.RowCount(); ++r) {
        if (r) s += "|";
        s += Join(M.GetRowValues(r), "/") + ":";
        for (int c = 0; c < M.ColCount(); ++c) {
            if (c) s += ",";
            s += VarToStr(M.GetValue(r, c, Level));
        }
    }
    return s;
}

std::string Columns(const TfrxCrossMatrix& M) {
    std::string s;
    for (int c = 0; c < M.ColCount(); ++c) s += (c ? "|" : "") + Join(M.GetColumnValues(c), "/");
    return s;
}

void HideTotals(TfrxCrossMatrix& M) {
    for (int L = 0; L < frxCrossMaxLevels; ++L) {
        M.RowTotalMemos(L)->SetVisible(false);
        M.ColumnTotalMemos(L)->SetVisible(false);
    }
}

void Fill(TfrxCrossMatrix& M, const std::vector<Rec>& Recs) {
    for (const Rec& r : Recs) M.AddValue(r.Rows, r.Cols, r.Cells);
}

void Finish(TfrxCrossMatrix& M) {
    M.AddTotals();
    M.CalcTotals();
}

// The leaves of a header tree as "value|value".
std::string Leaves(const TfrxCrossHeader& H) {
    std::string s;
    for (TfrxCrossHeader* h : H.TerminalItems()) s += (s.empty() ? "" : "|") + VarToStr(h->Value);
    return s;
}

}  // namespace

TEST(CrossMatrix, RowOrderFollowsTheSortCode) {
    struct Case {
        uint8_t Sort;
        std::vector<Variant> Keys;
        std::string Expected;
    } cases[] = {
        {soAscending, {"B", "A", "C"}, "A:1|B:1|C:1"},
        {soDescending, {"B", "A", "C"}, "C:1|B:1|A:1"},
        {soNone, {"B", "A", "C", "A"}, "B:1|A:2|C:1"},
        // Numbers sort by value, texts as texts.
        {soAscending, {10, 2, 1}, "1:1|2:1|10:1"},
        {soAscending, {"10", "2", "1"}, "1:1|10:1|2:1"},
        // Null before anything, numbers before texts; no conversion error for mixed keys.
        {soAscending, {"x", 5, Variant::Null(), 3.5}, ":1|3.5:1|5:1|x:1"},
        // Texts that differ in case only are one key.
        {soAscending, {"abc", "ABC", "b"}, "abc:2|b:1"},
    };
    for (const Case& c : cases) {
        TfrxCrossMatrix m;
        HideTotals(m);
        m.SetRowSort(0, c.Sort);
        m.Init(1, 1, 1);
        for (const Variant& k : c.Keys) m.AddValue(std::vector<Variant>{k}, std::vector<Variant>{"c"}, std::vector<Variant>{1});
        Finish(m);
        EXPECT_EQ(Grid(m), c.Expected) << "sort " << int(c.Sort);
        EXPECT_EQ(static_cast<int>(m.RowHeader()->TerminalItems().size()), m.RowCount());
    }
}

TEST(CrossMatrix, SortCodeNoneOnALowerLevelOrdersGreaterFirst) {
    TfrxCrossMatrix m;
    HideTotals(m);
    m.SetRowSort(1, soNone);
    m.Init(2, 1, 1);
    for (const char* k : {"a", "c", "b"}) m.AddValue(std::vector<Variant>{"g", k}, std::vector<Variant>{"c"}, std::vector<Variant>{1});
    Finish(m);
    EXPECT_EQ(Grid(m), "g/c:1|g/b:1|g/a:1");
}

TEST(CrossMatrix, OrderOfAppearanceKeepsGroupsTogether) {
    // Keys of one group that arrive apart stay together, so that the header tree's
    // leaves (grouped) stand for the rows in order.
    TfrxCrossMatrix m;
    HideTotals(m);
    m.SetRowSort(0, soNone);
    m.Init(2, 1, 1);
    Fill(m, {{{"A", "x"}, {"c"}, {1}}, {{"B", "y"}, {"c"}, {2}}, {{"A", "z"}, {"c"}, {3}}});
    Finish(m);
    EXPECT_EQ(Grid(m), "A/x:1|A/z:3|B/y:2");
    EXPECT_EQ(Leaves(*m.RowHeader()), "x|z|y");
}

TEST(CrossMatrix, CellFunctionsOverCellsAndGrandTotals) {
    // Row r1 gets 4, Null and 6, row r2 gets 2; one column. The last row is the grand
    // total; a cell's average and count are over the values added (Null counts for
    // nothing), the grand total's average over the non-empty cells.
    struct Case {
        uint8_t Function;
        std::string Expected;
    } cases[] = {
        {cfSum, "r1:10|r2:2|@@@:12"},
        {cfMin, "r1:10|r2:2|@@@:2"},     // a cell itself sums its values
        {cfMax, "r1:10|r2:2|@@@:10"},
        {cfAvg, "r1:5|r2:2|@@@:3.5"},
        {cfCount, "r1:2|r2:1|@@@:3"},
        {cfNone, "r1:10|r2:2|@@@:"},
    };
    for (const Case& c : cases) {
        TfrxCrossMatrix m;
        m.ColumnTotalMemos(0)->SetVisible(false);
        m.SetCellFunctions(0, c.Function);
        m.Init(1, 1, 1);
        Fill(m, {{{"r1"}, {"c"}, {4}}, {{"r1"}, {"c"}, {Variant::Null()}}, {{"r1"}, {"c"}, {6}}, {{"r2"}, {"c"}, {2}}});
        Finish(m);
        EXPECT_EQ(Grid(m), c.Expected) << "function " << int(c.Function);
    }
}

TEST(CrossMatrix, GrandTotalColumnAndCornerWithAverages) {
    TfrxCrossMatrix m;
    m.SetCellFunctions(0, cfAvg);
    m.Init(1, 1, 1);
    Fill(m, {{{"a"}, {"x"}, {2}}, {{"a"}, {"y"}, {4}}, {{"a"}, {"y"}, {6}}, {{"b"}, {"x"}, {8}}});
    Finish(m);
    EXPECT_EQ(Columns(m), "x|y|@@@");
    // a: x 2, y (4+6)/2, total over a's two cells 3.5; b: 8; the grand-total row over each
    // column's cells, the corner over the row totals (3.5 + 8) / 2.
    EXPECT_EQ(Grid(m), "a:2,5,3.5|b:8,,8|@@@:5,5,5.75");
    EXPECT_TRUE(m.IsGrandTotalColumn(2));
    EXPECT_TRUE(m.IsTotalColumn(2));
    EXPECT_FALSE(m.IsTotalColumn(1));
}

TEST(CrossMatrix, SubtotalsPerGroupWithTheirCaptions) {
    TfrxCrossMatrix m;
    m.ColumnTotalMemos(0)->SetVisible(false);
    m.RowTotalMemos(1)->SetText("Total [value]");
    m.Init(2, 1, 1);
    Fill(m, {{{2024, 1}, {"c"}, {5}}, {{2023, 2}, {"c"}, {1}}, {{2023, 1}, {"c"}, {2}}, {{2024, 3}, {"c"}, {7}}});
    Finish(m);
    EXPECT_EQ(Grid(m), "2023/1:2|2023/2:1|2023/@@@:3|2024/1:5|2024/3:7|2024/@@@:12|@@@/@@@:15");
    EXPECT_EQ(Leaves(*m.RowHeader()), "1|2|Total 2023|1|3|Total 2024|Grand Total");
    const bool totals[] = {false, false, true, false, false, true, true};
    for (int r = 0; r < m.RowCount(); ++r) EXPECT_EQ(m.IsTotalRow(r), totals[r]) << r;
    EXPECT_TRUE(m.IsGrandTotalRow(6));
}

TEST(CrossMatrix, HiddenGrandTotalKeepsSubtotalsAndLastColumnStaysGrand) {
    TfrxCrossMatrix m;
    m.ColumnTotalMemos(0)->SetVisible(false);
    m.RowTotalMemos(0)->SetVisible(false);
    m.Init(1, 2, 1);
    Fill(m, {{{"r"}, {"A", "x"}, {1}}, {{"r"}, {"B", "y"}, {2}}});
    Finish(m);
    EXPECT_EQ(Columns(m), "A/x|A/@@@|B/y|B/@@@");
    EXPECT_EQ(Grid(m), "r:1,1,2,2");
    EXPECT_TRUE(m.IsGrandTotalColumn(3));
}

TEST(CrossMatrix, DataLikeATotalMarkIsData) {
    TfrxCrossMatrix m;
    m.Init(1, 1, 1);
    Fill(m, {{{"@@@x\r\n"}, {"c"}, {1}}, {{"b"}, {"c"}, {2}}});
    Finish(m);
    EXPECT_FALSE(m.IsTotalRow(0));
    EXPECT_EQ(VarToStr(m.RowHeader()->TerminalItems()[0]->Value), "@@@x\r\n");
    EXPECT_FALSE(m.RowHeader()->TerminalItems()[0]->IsTotal);
    EXPECT_EQ(VarToStr(m.GetValue(2, 0, 0)), "3");
}

TEST(CrossMatrix, TextsJoinAndNullsAddNothing) {
    TfrxCrossMatrix m;
    m.SetCellFunctions(0, cfNone);
    m.SetCellFunctions(1, cfSum);
    m.Init(1, 1, 2);
    Fill(m, {{{"r"}, {"c"}, {"a", 1}}, {{"r"}, {"c"}, {Variant::Null(), Variant::Null()}}, {{"r"}, {"c"}, {"b", 2}}});
    Finish(m);
    EXPECT_EQ(VarToStr(m.GetValue(0, 0, 0)), "a\r\nb");
    EXPECT_EQ(VarToStr(m.GetValue(0, 0, 1)), "3");
    // A sum over texts skips them instead of failing.
    EXPECT_EQ(VarToStr(m.GetValue(1, 1, 1)), "3");
}

TEST(CrossMatrix, NoRowOrColumnLevelsGiveOneNullKey) {
    TfrxCrossMatrix m;
    m.Init(0, 1, 1);
    Fill(m, {{{}, {"x"}, {1}}, {{}, {"y"}, {2}}});
    Finish(m);
    EXPECT_TRUE(m.NoRows);
    EXPECT_EQ(Grid(m), ":1,2,3");
    EXPECT_EQ(m.RowCount(), 1);
}

TEST(CrossMatrix, NothingBeforeInitAndLevelsClipped) {
    TfrxCrossMatrix m;
    m.AddValue(std::vector<Variant>{"r"}, std::vector<Variant>{"c"}, std::vector<Variant>{1});
    EXPECT_EQ(m.RowCount(), 0);
    m.Init(12, -1, 20);
    EXPECT_EQ(m.RowLevels(), 8);
    EXPECT_TRUE(m.NoColumns);
    EXPECT_EQ(m.CellLevels(), 8);
    std::vector<Variant> keys(12, Variant(1));
    m.AddValue(keys, {}, keys);
    EXPECT_EQ(m.RowCount(), 1);
}

TEST(CrossMatrix, VariantArraysAsTheScriptPassesThem) {
    TfrxCrossMatrix m;
    m.Init(1, 1, 1);
    m.AddValue(VarArrayOf({Variant(1)}), VarArrayOf({Variant("药费")}), VarArrayOf({Variant("12.50")}));
    m.AddValue(Variant(2), Variant("药费"), Variant("3"));
    Finish(m);
    EXPECT_EQ(Columns(m), "药费|@@@");
    EXPECT_EQ(Grid(m), "1:12.50,12.5|2:3,3|@@@:15.5,15.5");
}

TEST(CrossMatrix, HeaderIndexesAndValues) {
    TfrxCrossMatrix m;
    HideTotals(m);
    m.Init(2, 1, 1);
    Fill(m, {{{"a", "x"}, {"c"}, {1}}, {{"b", "y"}, {"c"}, {1}}, {{"b", "z"}, {"c"}, {1}}});
    Finish(m);
    TfrxCrossHeader* leaf = m.RowHeader()->TerminalItems()[2];
    EXPECT_EQ(Join(leaf->Indexes(), ","), "1,1,,,,,,");
    EXPECT_EQ(Join(leaf->Values(), ","), "b,z,,,,,,");
    EXPECT_EQ(leaf->Level(), 1);
}

TEST(CrossMatrix, BoundsSpanTotalsAndFollowTheLimits) {
    TfrxCrossMatrix m;
    m.MinWidth = 40;
    m.MaxWidth = 120;
    m.Init(1, 2, 1);
    Fill(m, {{{"r1"}, {"A", "x"}, {1}}, {{"r2"}, {"A", "a much longer column header text here"}, {2}},
             {{"r1"}, {"B", "y"}, {3}}});
    Finish(m);
    m.CalcBounds();
    TfrxCrossHeader& ch = *m.ColumnHeader();
    std::vector<TfrxCrossHeader*> leaves = ch.TerminalItems();
    ASSERT_EQ(static_cast<int>(leaves.size()), m.ColCount());
    double x = 0;
    for (TfrxCrossHeader* l : leaves) {
        EXPECT_GE(l->Bounds.Width, 40);
        EXPECT_LE(l->Bounds.Width, 120);
        EXPECT_DOUBLE_EQ(l->Bounds.Left, x);   // leaves follow each other
        x += l->Bounds.Width;
    }
    // A parent is as wide as its children; the grand total spans both levels.
    TfrxCrossHeader* a = ch.Items(0);
    EXPECT_DOUBLE_EQ(a->Bounds.Width, a->Items(0)->Bounds.Width + a->Items(1)->Bounds.Width + a->Items(2)->Bounds.Width);
    TfrxCrossHeader* grand = leaves.back();
    ASSERT_TRUE(grand->IsTotal);
    EXPECT_DOUBLE_EQ(grand->Bounds.Top, 0);
    EXPECT_DOUBLE_EQ(grand->Bounds.Height, ch.AreaSize());
    EXPECT_DOUBLE_EQ(a->Items(0)->Bounds.Top, a->Bounds.Height);
    EXPECT_GT(m.RowHeader()->AreaSize(), 0);
    m.ColumnHeader()->Visible = false;
    EXPECT_EQ(m.ColumnHeader()->AreaSize(), 0);
}

TEST(CrossMatrix, WidthAndHeightHandlers) {
    TfrxCrossMatrix m;
    HideTotals(m);
    m.DefHeight = 30;
    m.OnCalcWidth = [](int Column, double& W) { W = Column == 0 ? 0 : 77; };
    m.OnCalcHeight = [](int Row, double& H) { if (Row == 1) H = 55; };
    m.Init(1, 1, 1);
    Fill(m, {{{"r1"}, {"x"}, {1}}, {{"r2"}, {"y"}, {2}}});
    Finish(m);
    m.CalcBounds();
    std::vector<TfrxCrossHeader*> cols = m.ColumnHeader()->TerminalItems();
    EXPECT_DOUBLE_EQ(cols[0]->Bounds.Width, 0);
    EXPECT_DOUBLE_EQ(cols[1]->Bounds.Width, 77);
    std::vector<TfrxCrossHeader*> rows = m.RowHeader()->TerminalItems();
    EXPECT_DOUBLE_EQ(rows[0]->Bounds.Height, 30);
    EXPECT_DOUBLE_EQ(rows[1]->Bounds.Height, 55);
}
