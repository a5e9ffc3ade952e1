// The cross-tab views: defaults, storage of the templates in report XML, filling by
// AddValue as the clinic's statistics window does.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/rtl/Streams.h"
#include "report/CrossView.h"
#include "report/MemoView.h"

namespace {

std::string SaveXml(TfrxComponent& C) {
    TStringStream s;
    C.SaveToStream(s);
    return s.DataString();
}

void LoadXml(TfrxComponent& C, const std::string& Xml) {
    TStringStream s(Xml);
    C.LoadFromStream(s);
}

}  // namespace

TEST(CrossView, NewViewDefaultsAndFieldLists) {
    TfrxCrossView v(nullptr);
    EXPECT_EQ(v.MaxWidth, 200);
    EXPECT_EQ(v.GapX, 3);
    EXPECT_EQ(v.Frame()->Typ, (TfrxFrameTypes{ftLeft, ftRight, ftTop, ftBottom}));
    EXPECT_EQ(v.Font()->Name(), "Tahoma");
    EXPECT_EQ(v.Color(), static_cast<TColor>(0xC0C0C0));
    EXPECT_EQ(v.CellFields()->Text(), "Cell\r\n");
    v.SetCellLevels(3);
    EXPECT_EQ(v.CellFields()->Text(), "Cell\r\nCell\r\nCell\r\n");
    EXPECT_TRUE(v.ShowColumnTotal());
    v.SetShowColumnTotal(false);
    EXPECT_FALSE(v.ColumnTotalMemos(0)->Visible());
    EXPECT_TRUE(v.ColumnTotalMemos(1)->Visible());
    EXPECT_NE(SaveXml(v).find("MaxWidth=\"200\""), std::string::npos);
    v.SetDotMatrix(true);
    EXPECT_EQ(v.GapX, 0);
    EXPECT_FALSE(v.ShowColumnTotal());
}

TEST(CrossView, CreatedByClassNameAndTypeTest) {
    for (const char* name : {"TfrxCrossView", "TfrxDBCrossView"}) {
        std::unique_ptr<TObject> o(FindClass(name)->CreateInstance(nullptr));
        EXPECT_TRUE(o->ClassType()->InheritsFrom(TfrxCustomCrossView::StaticClass())) << name;
        EXPECT_NE(dynamic_cast<TfrxCustomCrossView*>(o.get()), nullptr);
    }
}

TEST(CrossView, TemplatesFunctionsAndSortsRoundTripThroughReportXml) {
    TfrxCrossView v(nullptr);
    v.SetColumnLevels(2);
    v.MaxWidth = 300;
    v.SetPlainCells(true);
    v.ColumnMemos(1)->SetText("[VALUE]x");
    v.ColumnMemos(1)->HAlign = haLeft;
    v.ColumnTotalMemos(1)->SetVisible(false);
    v.RowTotalMemos(0)->SetVisible(false);
    v.CellMemos(0)->Frame()->Typ = TfrxFrameTypes{ftTop};
    v.SetCellFunctions(0, cfNone);
    v.SetColumnSort(0, soNone);
    v.SetColumnSort(1, soDescending);
    v.SetRowSort(0, soNone);
    const std::string xml = SaveXml(v);

    TfrxCrossView w(nullptr);
    LoadXml(w, xml);
    EXPECT_EQ(w.MaxWidth, 300);
    EXPECT_EQ(w.ColumnLevels(), 2);
    EXPECT_TRUE(w.PlainCells());
    EXPECT_TRUE(w.Matrix()->PlainCells);
    EXPECT_EQ(w.ColumnMemos(1)->Text(), "[VALUE]x\r\n");
    EXPECT_EQ(w.ColumnMemos(1)->HAlign, haLeft);
    EXPECT_EQ(w.ColumnMemos(0)->HAlign, haCenter);
    EXPECT_EQ(w.ColumnMemos(0)->Tag(), 100);
    EXPECT_EQ(w.ColumnMemos(0)->Style(), "column");
    EXPECT_FALSE(w.ColumnTotalMemos(1)->Visible());
    EXPECT_FALSE(w.ShowRowTotal());
    EXPECT_EQ(w.RowTotalMemos(0)->Text(), "Grand Total\r\n");
    EXPECT_TRUE(w.RowTotalMemos(0)->Font()->Style().Contains(fsBold));
    EXPECT_EQ(w.CellMemos(0)->Frame()->Typ, TfrxFrameTypes{ftTop});
    EXPECT_EQ(w.CellMemos(0)->HAlign, haRight);
    const uint8_t functions[] = {cfNone, 0}, colSort[] = {soNone, soDescending, 0}, rowSort[] = {soNone, 0};
    for (int L = 0; L < 2; ++L) EXPECT_EQ(w.CellFunctions(L), functions[L]) << L;
    for (int L = 0; L < 3; ++L) EXPECT_EQ(w.ColumnSort(L), colSort[L]) << L;
    for (int L = 0; L < 2; ++L) EXPECT_EQ(w.RowSort(L), rowSort[L]) << L;
    EXPECT_EQ(SaveXml(w), xml);
}

TEST(CrossView, MemosDocumentHoldsTheLevelsInUse) {
    TfrxCrossView v(nullptr);
    v.SetRowLevels(2);
    const std::string doc = v.SaveMemos();
    EXPECT_EQ(doc.find("<cross>") != std::string::npos || doc.find("<cross ") != std::string::npos, true);
    size_t items = 0;
    for (size_t p = doc.find("<item"); p != std::string::npos; p = doc.find("<item", p + 1)) ++items;
    EXPECT_EQ(items, 4u);   // one cell function, one column sort, two row sorts
    const char* order[] = {"cellmemos", "columnmemos", "columntotalmemos", "rowmemos", "rowtotalmemos",
                           "cellfunctions", "columnsort", "rowsort"};
    size_t last = 0;
    for (const char* o : order) {
        const size_t p = doc.find(std::string("<") + o);
        ASSERT_NE(p, std::string::npos) << o;
        EXPECT_GT(p, last) << o;
        last = p;
    }
}

TEST(CrossView, AddValueWithVariantArraysBetweenBeforePrintAndGetData) {
    // The statistics window: one AddValue([row], [field label], [text]) per field of
    // every row of its query, the totals hidden, cell function none, columns unsorted.
    TfrxCrossView v(nullptr);
    v.SetShowColumnTotal(false);
    v.SetShowRowTotal(false);
    v.SetCellFunctions(0, cfNone);
    v.SetColumnSort(0, soNone);
    v.SetRowSort(0, soNone);
    v.BeforePrint();
    const char* labels[] = {"医生姓名", "药费", "检查费"};
    const char* rows[][3] = {{"张三", "12.50", "30.00"}, {"李四", "7.00", "0.00"}, {"合计", "19.50", "30.00"}};
    for (int r = 0; r < 3; ++r)
        for (int f = 0; f < 3; ++f)
            v.AddValue(VarArrayOf({Variant(r + 1)}), VarArrayOf({Variant(labels[f])}), VarArrayOf({Variant(rows[r][f])}));
    v.GetData();
    ASSERT_EQ(v.ColCount(), 3);
    ASSERT_EQ(v.RowCount(), 3);
    for (int f = 0; f < 3; ++f) EXPECT_EQ(VarToStr(v.Matrix()->GetColumnValues(f).GetElement({0})), labels[f]);
    for (int r = 0; r < 3; ++r)
        for (int f = 0; f < 3; ++f) EXPECT_EQ(VarToStr(v.Matrix()->GetValue(r, f, 0)), rows[r][f]);
    EXPECT_GT(v.GetColumnHeaderHeight(), 0);
    EXPECT_GT(v.GetRowHeaderWidth(), 0);
    // A second print starts empty.
    v.BeforePrint();
    v.GetData();
    EXPECT_EQ(v.RowCount(), 0);
    v.ShowColumnHeader = false;
    v.BeforePrint();
    v.AddValue(Variant(1), Variant("a"), Variant(1));
    v.GetData();
    EXPECT_EQ(v.GetColumnHeaderHeight(), 0);
}

TEST(CrossView, DatasetViewNeedsMatchingFieldLists) {
    TfrxDBCrossView v(nullptr);
    EXPECT_FALSE(v.IsCrossValid());   // no dataset
    TfrxCrossView c(nullptr);
    c.SetCellLevels(0);
    EXPECT_FALSE(c.IsCrossValid());
}
