// The cross-tab editor on a real cross-tab over an SQLite query: the drag rules between
// the field list and the rows, columns and cells; the click zones of the list rows
// (subtotals, sort orders, cell functions); the styles; the sample and the formatting of
// its text objects; the level counts of a cross-tab without dataset; the dot-matrix
// styles; and Cancel, which puts the cross-tab back exactly as it was.
#include <gtest/gtest.h>

#include "../ComboListRows.h"
#include "DialogFixtures.h"
#include "designer/controls/Selectors.h"
#include "designer/dialogs/CrossEditor.h"
#include "designer/editors/FrameEditor.h"
#include "designer/editors/MemoEditor.h"
#include "designer/editors/Registration.h"
#include "designer/resources/DesignerTexts.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Menus.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/Keys.h"
#include "platform/ui/UiTest.h"
#include "preview/FlatCombo.h"
#include "report/CrossView.h"
#include "report/DotMatrix.h"

namespace {

using Names = std::vector<std::string>;

Names ItemsOf(TStrings* S) {
    Names out;
    for (int i = 0; i < S->Count(); ++i) out.push_back(S->Get(i));
    return out;
}

void SetItems(TListBox* LB, const Names& N) {
    LB->Items()->Clear();
    for (const std::string& s : N) LB->Items()->Add(s);
}

std::string XmlOf(TfrxComponent* C) {
    TStringStream s;
    C->SaveToStream(s, false, true);
    return s.DataString();
}

class CrossEditorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        frxRegisterDesignerTexts();
        frxRegisterDesignerEditors();
        frxRegisterCrossEditor();
    }
    CrossEditorTest() {
        r.Report->DataSets()->Add(sales.DataSet);
        cross = new TfrxDBCrossView(r.Page);
        cross->SetName("DBCross1");
        cross->SetBounds(0, 100, 300, 100);
        cross->SetDataSet(sales.DataSet);
        cross->RowFields()->SetText("region\r\n");
        cross->ColumnFields()->SetText("year\r\n");
        cross->CellFields()->SetText("amount\r\n");
        cross->SetRowLevels(1);
        cross->SetColumnLevels(1);
        cross->SetCellLevels(1);
    }
    void TearDown() override {
        TUiTestHarness::ProcessMessages();
        EXPECT_TRUE(ui.Errors().empty());
        EXPECT_EQ(ui.PendingDrivers(), 0);
        EXPECT_EQ(ui.PendingAnswers(), 0);
    }
    // Opens the editor on View, runs Act, ends with OK or Cancel; the editor's result.
    bool Run(TfrxCustomCrossView* View, std::function<void(TfrxCrossEditorForm&)> Act, bool Ok = true) {
        ui.OnModal("TfrxCrossEditorForm", [&](TCustomForm& f) {
            auto& d = static_cast<TfrxCrossEditorForm&>(f);
            Act(d);
            TUiTestHarness::Click(Ok ? d.OkB : d.CancelB);
        });
        return frxShowCrossEditor(View, r.Designer.get());
    }
    // Drags the item Name of From onto To (onto To's row AtRow, or below its rows).
    static void Drop(TfrxCrossEditorForm& d, TListBox* From, const std::string& Name, TListBox* To, int AtRow = -1) {
        From->SetItemIndex(From->Items()->IndexOf(Name));
        const TPoint at = AtRow >= 0 ? TPoint{5, To->ItemRect(AtRow).Top + 2} : TPoint{5, To->Height() - 3};
        bool accept = false;
        d.LBDragOver(To, From, at.X, at.Y, dsDragMove, accept);
        ASSERT_TRUE(accept);
        d.LBDragDrop(To, From, at.X, at.Y);
    }
    TUiTestHarness ui;
    TDialogReport r;
    TSalesData sales{6, r.Report.get()};
    TfrxDBCrossView* cross = nullptr;
};

// --- Dragging ------------------------------------------------------------------------------------

TEST_F(CrossEditorTest, DragRules) {
    enum List { F, R, C, X };   // fields, rows, columns, cells
    struct State {
        Names fields, rows, columns, cells;
    };
    struct Case {
        const char* name;
        State before;
        List from;
        std::string item;
        List to;
        int atRow;
        State after;
    };
    const Names all = {"region", "product", "year", "amount", "qty"};
    const Names n8 = {"a1", "a2", "a3", "a4", "a5", "a6", "a7", "a8"};
    const Case cases[] = {
        {"a field into cells stays a field", {all, {}, {}, {}}, F, "amount", X, -1, {all, {}, {}, {"amount"}}},
        {"a cell field is refused as a row", {all, {}, {}, {"amount"}}, F, "amount", R, -1, {all, {}, {}, {"amount"}}},
        {"a field into rows leaves the fields",
         {all, {}, {}, {}}, F, "region", R, -1, {{"product", "year", "amount", "qty"}, {"region"}, {}, {}}},
        {"a row into cells goes back to the fields too",
         {{"product"}, {"region"}, {}, {}}, R, "region", X, -1, {{"product", "region"}, {}, {}, {"region"}}},
        {"a row to the columns", {{}, {"region", "year"}, {}, {}}, R, "year", C, -1, {{}, {"region"}, {"year"}, {}}},
        {"a column back to the fields", {{"qty"}, {}, {"year"}, {}}, C, "year", F, -1, {{"qty", "year"}, {}, {}, {}}},
        {"a cell out to the fields leaves only the cells",
         {{"amount"}, {}, {}, {"amount", "qty"}}, X, "amount", F, -1, {{"amount"}, {}, {}, {"qty"}}},
        {"a cell field into rows leaves the fields and every cell of it",
         {{"amount", "qty"}, {}, {}, {"amount", "qty", "amount"}}, X, "amount", R, -1,
         {{"qty"}, {"amount"}, {}, {"qty"}}},
        {"a cell that is no field: only the dragged cell leaves",
         {{"qty"}, {}, {}, {"amount", "amount"}}, X, "amount", C, -1, {{"qty"}, {}, {"amount"}, {"amount"}}},
        {"moving inside a list", {{}, {"region", "product", "year"}, {}, {}}, R, "year", R, 0,
         {{}, {"year", "region", "product"}, {}, {}}},
        {"the field list onto itself changes nothing", {all, {}, {}, {}}, F, "qty", F, 0, {all, {}, {}, {}}},
        {"no ninth row level", {{"qty"}, n8, {}, {}}, F, "qty", R, -1, {{"qty"}, n8, {}, {}}},
        {"no ninth cell level", {{"qty"}, {}, {}, n8}, F, "qty", X, -1, {{"qty"}, {}, {}, n8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(Run(cross, [&](TfrxCrossEditorForm& d) {
            TListBox* lists[] = {d.FieldsLB, d.RowsLB, d.ColumnsLB, d.CellsLB};
            SetItems(d.FieldsLB, c.before.fields);
            SetItems(d.RowsLB, c.before.rows);
            SetItems(d.ColumnsLB, c.before.columns);
            SetItems(d.CellsLB, c.before.cells);
            d.ApplyChanges();
            Drop(d, lists[c.from], c.item, lists[c.to], c.atRow);
            EXPECT_EQ(ItemsOf(d.FieldsLB->Items()), c.after.fields);
            EXPECT_EQ(ItemsOf(d.RowsLB->Items()), c.after.rows);
            EXPECT_EQ(ItemsOf(d.ColumnsLB->Items()), c.after.columns);
            EXPECT_EQ(ItemsOf(d.CellsLB->Items()), c.after.cells);
        }));
        // The cross-tab follows the lists.
        EXPECT_EQ(ItemsOf(cross->RowFields()), c.after.rows);
        EXPECT_EQ(ItemsOf(cross->ColumnFields()), c.after.columns);
        EXPECT_EQ(ItemsOf(cross->CellFields()), c.after.cells);
        EXPECT_EQ(cross->RowLevels(), static_cast<int>(c.after.rows.size()));
        EXPECT_EQ(cross->CellLevels(), static_cast<int>(c.after.cells.size()));
    }
}

TEST_F(CrossEditorTest, OpensOnTheCrossTabAndChangesNothingByItself) {
    cross->RowFields()->SetText("region\r\nnosuchfield\r\n");
    cross->SetRowLevels(2);
    const std::string before = XmlOf(cross);
    EXPECT_TRUE(Run(cross, [&](TfrxCrossEditorForm& d) {
        EXPECT_TRUE(d.DatasetL->Visible());
        EXPECT_FALSE(d.DimensionsL->Visible());
        EXPECT_EQ(d.DatasetCB->Text(), "Sales");
        // A row name that is no field of the dataset is left out of the lists.
        EXPECT_EQ(ItemsOf(d.RowsLB->Items()), Names{"region"});
        EXPECT_EQ(ItemsOf(d.FieldsLB->Items()), (Names{"product", "amount", "qty"}));
        EXPECT_EQ(ItemsOf(d.CellsLB->Items()), Names{"amount"});
        // The first style is shown, not applied.
        EXPECT_EQ(d.StyleCB->Text(), "Standard");
        EXPECT_EQ(d.StyleCB->Items()->Count(), 7);
        EXPECT_FALSE(d.AlignLeftB->Enabled());
        // The style box stands left of the tool bar, not under it.
        EXPECT_TRUE(d.StyleCB->Visible());
        EXPECT_LE(d.StyleCB->Left() + d.StyleCB->Width(), d.ToolBar->Left());
        EXPECT_EQ(d.ToolBar->Parent(), d.ToolPanel);
    }));
    EXPECT_EQ(XmlOf(cross), before);
}

// --- Cancel ------------------------------------------------------------------------------------

// The style box opened by a click lists all seven styles whole (it showed five, without a
// scroll bar).
TEST_F(CrossEditorTest, TheStyleListShowsEveryStyle) {
    EXPECT_FALSE(Run(cross, [&](TfrxCrossEditorForm& d) {
        TUiTestHarness::Click(d.StyleCB, Point(d.StyleCB->Width() / 2, d.StyleCB->Height() / 2));
        ASSERT_TRUE(d.StyleCB->DroppedDown());
        ASSERT_EQ(d.StyleCB->Items()->Count(), 7);
        for (int i = 0; i < 7; ++i) EXPECT_TRUE(RowShownWhole(d.StyleCB, i)) << d.StyleCB->Items()->Get(i);
        d.StyleCB->SetDroppedDown(false);
    }, false));
}

TEST_F(CrossEditorTest, CancelPutsEverythingBack) {
    cross->SetCellFunctions(0, cfAvg);
    cross->ColumnMemos(0)->SetColor(clYellow);
    const std::string before = XmlOf(cross);
    EXPECT_FALSE(Run(cross, [&](TfrxCrossEditorForm& d) {
        Drop(d, d.FieldsLB, "product", d.RowsLB);
        Drop(d, d.FieldsLB, "qty", d.CellsLB);
        d.CellsLB->SetItemIndex(1);
        d.FuncMIClick(d.FuncPopup->Items()->Items(cfCount));
        d.StyleCB->SetItemIndex(1);
        d.StyleCBClick(d.StyleCB);
        TUiTestHarness::Click(d.ColumnTotalCB);
        const auto sample = d.LayoutSample();
        ASSERT_FALSE(sample.empty());
        d.ClickSample(static_cast<int>(sample[0].Left + 3), static_cast<int>(sample[0].Top + 3));
        ASSERT_NE(d.SelectedMemo, nullptr);
        TUiTestHarness::Click(d.AlignRightB);
        ui.AnswerFont(TFontChoice{"Arial", 15, 1, 255});
        d.SelectedMemo = nullptr;
        TUiTestHarness::Click(d.FontB);
        EXPECT_EQ(cross->CellMemos(3)->Font()->Size(), 15);
        EXPECT_FALSE(cross->CellMemos(3)->ParentFont());
    }, false));
    EXPECT_EQ(XmlOf(cross), before);
    EXPECT_NE(cross->CellMemos(0)->Font()->Size(), 15);
    EXPECT_TRUE(cross->CellMemos(0)->ParentFont());
}

// Esc, typed to whichever control holds the focus, closes the editor as Cancel does and puts
// back what was changed; with the style list open it closes only the list.
TEST_F(CrossEditorTest, EscClosesAsCancelDoes) {
    const std::string before = XmlOf(cross);
    bool listClosedFirst = false;
    ui.OnModal("TfrxCrossEditorForm", [&](TCustomForm& f) {
        auto& d = static_cast<TfrxCrossEditorForm&>(f);
        Drop(d, d.FieldsLB, "product", d.RowsLB);
        TUiTestHarness::Click(d.StyleCB, Point(d.StyleCB->Width() / 2, d.StyleCB->Height() / 2));
        EXPECT_TRUE(d.StyleCB->DroppedDown());
        TUiTestHarness::TypeKey(VK_ESCAPE);
        listClosedFirst = !d.StyleCB->DroppedDown() && d.ModalResult() == mrNone;
        TUiTestHarness::TypeKey(VK_ESCAPE);
        EXPECT_EQ(d.ModalResult(), mrCancel);
    });
    EXPECT_FALSE(frxShowCrossEditor(cross, r.Designer.get()));
    EXPECT_TRUE(listClosedFirst);
    EXPECT_EQ(XmlOf(cross), before);
}

// The pointer resting on the OK and Cancel tool buttons shows their Chinese tips (the bar
// shows no captions, so the tips are the only words these buttons have).
TEST_F(CrossEditorTest, OkAndCancelShowChineseTips) {
    std::vector<std::string> tips;
    ui.OnModal("TfrxCrossEditorForm", [&](TCustomForm& f) {
        auto& d = static_cast<TfrxCrossEditorForm&>(f);
        for (TControl* b : {static_cast<TControl*>(d.OkB), static_cast<TControl*>(d.CancelB)}) {
            TUiTestHarness::MouseMove(b, TPoint{b->Width() / 2, b->Height() / 2});
            TUiTestHarness::ElapseTime(1000);
            tips.push_back(TUiTestHarness::ShownToolTip());
        }
        TUiTestHarness::Click(d.CancelB);
    });
    EXPECT_FALSE(frxShowCrossEditor(cross, r.Designer.get()));
    EXPECT_EQ(tips, (Names{"确定", "取消"}));
}

TEST_F(CrossEditorTest, EveryListEmptiedLosesNothing) {
    const std::string before = XmlOf(cross);
    EXPECT_FALSE(Run(cross, [&](TfrxCrossEditorForm& d) {
        Drop(d, d.RowsLB, "region", d.FieldsLB);
        Drop(d, d.ColumnsLB, "year", d.FieldsLB);
        Drop(d, d.CellsLB, "amount", d.FieldsLB);
        EXPECT_EQ(cross->CellLevels(), 0);
        // Nothing to show and nothing to pick.
        EXPECT_TRUE(d.LayoutSample().empty());
        d.ClickSample(20, 20);
        EXPECT_EQ(d.SelectedMemo, nullptr);
        TUiTestHarness::ProcessMessages();
    }, false));
    EXPECT_EQ(XmlOf(cross), before);
}

// --- Click zones ---------------------------------------------------------------------------------

TEST_F(CrossEditorTest, SubtotalSortAndFunctionZones) {
    cross->ColumnFields()->SetText("year\r\nproduct\r\n");
    cross->SetColumnLevels(2);
    EXPECT_TRUE(Run(cross, [&](TfrxCrossEditorForm& d) {
        const int row0 = d.ColumnsLB->ItemRect(0).Top + 5, row1 = d.ColumnsLB->ItemRect(1).Top + 5;
        struct Zone {
            const char* name;
            int x, y;
            bool subtotalAfter;
        };
        const Zone zones[] = {
            {"the box of row 0 hides the subtotal of level 1", 125, row0, false},
            {"again shows it", 119, row0, true},
            {"the last row has no box", 125, row1, true},
            {"left of the box", 118, row0, true},
            {"below the rows", 125, d.ColumnsLB->Height() - 2, true},
        };
        for (const Zone& z : zones) {
            SCOPED_TRACE(z.name);
            d.LBMouseDown(d.ColumnsLB, mbLeft, 0, z.x, z.y);
            EXPECT_EQ(cross->ColumnTotalMemos(1)->Visible(), z.subtotalAfter);
        }
        // The sort box opens the sort orders with the level's one ticked.
        ui.OnPopup([&](TPopupMenu& Menu, TPoint) {
            EXPECT_EQ(&Menu, d.SortPopup);
            EXPECT_TRUE(Menu.Items()->Items(soAscending)->Checked());
            TUiTestHarness::ClickMenuItem(Menu.Items()->Items(soDescending));
        });
        d.LBMouseDown(d.ColumnsLB, mbLeft, 0, 190, row1);
        EXPECT_EQ(cross->ColumnSort(1), soDescending);
        EXPECT_EQ(cross->ColumnSort(0), soAscending);
        // The function box of a cell row.
        ui.OnPopup([&](TPopupMenu& Menu, TPoint) {
            EXPECT_EQ(&Menu, d.FuncPopup);
            EXPECT_TRUE(Menu.Items()->Items(cfSum)->Checked());
            TUiTestHarness::ClickMenuItem(Menu.Items()->Items(cfMax));
        });
        d.CellsLBMouseUp(d.CellsLB, mbLeft, 0, 186, d.CellsLB->ItemRect(0).Top + 5);
        EXPECT_EQ(cross->CellFunctions(0), cfMax);
        // Beside the function box nothing opens.
        d.CellsLBMouseUp(d.CellsLB, mbLeft, 0, 150, d.CellsLB->ItemRect(0).Top + 5);
    }));
    EXPECT_EQ(cross->ColumnSort(1), soDescending);
    EXPECT_EQ(cross->CellFunctions(0), cfMax);
}

// --- Styles, sample and formatting ---------------------------------------------------------------

TEST_F(CrossEditorTest, StylesRestyleTheFortyTextObjects) {
    EXPECT_TRUE(Run(cross, [&](TfrxCrossEditorForm& d) {
        EXPECT_EQ(d.AllMemos().size(), 40u);
        d.StyleCB->SetItemIndex(d.StyleCB->Items()->IndexOf("Corporate"));
        d.StyleCBClick(d.StyleCB);
    }));
    struct Case {
        TfrxCustomMemoView* memo;
        TColor color;
        int frame;
        bool bold;
    };
    const Case cases[] = {
        {cross->CellMemos(0), clNone, 12, false},
        {cross->ColumnMemos(3), TColor(8421504), 15, false},
        {cross->RowMemos(0), TColor(8421504), 15, false},
        {cross->ColumnTotalMemos(0), TColor(52479), 15, true},
        {cross->RowTotalMemos(5), TColor(52479), 15, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.memo->Style());
        EXPECT_EQ(c.memo->Color(), c.color);
        EXPECT_EQ(static_cast<int>(c.memo->Frame()->Typ.Mask()), c.frame);
        EXPECT_EQ(c.memo->Font()->Style().Contains(fsBold), c.bold);
    }
    EXPECT_EQ(cross->ColumnMemos(0)->Font()->Color(), TColor(16777215));
}

TEST_F(CrossEditorTest, SampleSelectionAndTools) {
    EXPECT_TRUE(Run(cross, [&](TfrxCrossEditorForm& d) {
        const auto sample = d.LayoutSample();
        // region over year with one cell level: the column header (year, its grand
        // total), the row header (region, its grand total) and one cell.
        ASSERT_EQ(sample.size(), 5u);
        const double rowWidth = cross->GetRowHeaderWidth(), columnHeight = cross->GetColumnHeaderHeight();
        EXPECT_EQ(sample[0].Memo, cross->ColumnMemos(0));
        EXPECT_EQ(sample[0].Text, "year");
        EXPECT_DOUBLE_EQ(sample[0].Left, rowWidth + 10);
        EXPECT_DOUBLE_EQ(sample[0].Top, 10);
        EXPECT_EQ(sample[1].Memo, cross->ColumnTotalMemos(0));
        EXPECT_EQ(sample[2].Memo, cross->RowMemos(0));
        EXPECT_EQ(sample[2].Text, "region");
        EXPECT_DOUBLE_EQ(sample[2].Left, 10);
        EXPECT_DOUBLE_EQ(sample[2].Top, columnHeight + 10);
        EXPECT_EQ(sample[4].Memo, cross->CellMemos(0));
        EXPECT_EQ(sample[4].Text, "0");
        EXPECT_DOUBLE_EQ(sample[4].Left, rowWidth + 10);

        // With nothing selected a colour goes to all 40 objects.
        TUiTestHarness::Click(d.FillColorB);
        TfrxColorSelector* picker = nullptr;
        for (int i = Screen->FormCount() - 1; i >= 0 && !picker; --i)
            if (auto* popup = dynamic_cast<TfrxPopupForm*>(Screen->Forms(i)); popup && popup->Visible())
                for (int k = 0; k < popup->ComponentCount() && !picker; ++k)
                    picker = dynamic_cast<TfrxColorSelector*>(popup->Components(k));
        ASSERT_NE(picker, nullptr);
        TUiTestHarness::Click(picker, TPoint{5 + 18 * 3 + 9, 5 + 18 + 9});
        TUiTestHarness::ProcessMessages();
        const TColor picked = cross->RowTotalMemos(7)->Color();
        EXPECT_NE(picked, clNone);
        for (TfrxCustomMemoView* m : d.AllMemos()) EXPECT_EQ(m->Color(), picked);

        // A click picks the cell; alignment works on it alone, rotation is for headers.
        d.ClickSample(static_cast<int>(sample[4].Left + 4), static_cast<int>(sample[4].Top + 4));
        EXPECT_EQ(d.SelectedMemo, cross->CellMemos(0));
        EXPECT_TRUE(d.AlignLeftB->Enabled());
        EXPECT_TRUE(d.AlignRightB->Down());
        EXPECT_FALSE(d.RotationB->Enabled());
        TUiTestHarness::Click(d.AlignCenterB);
        EXPECT_EQ(cross->CellMemos(0)->HAlign, haCenter);
        EXPECT_EQ(cross->CellMemos(1)->HAlign, haRight);
        EXPECT_TRUE(d.AlignCenterB->Down());
        EXPECT_FALSE(d.AlignRightB->Down());
        // The selection is framed in the sample.
        TUiTestHarness::ProcessMessages();
        EXPECT_EQ(TUiTestHarness::PixelAt(d.PaintBox, TPoint{static_cast<int>(sample[4].Left + 2),
                                                            static_cast<int>(sample[4].Top + 10)}),
                  43513);

        // A header takes a rotation; a double click on it opens nothing.
        d.ClickSample(static_cast<int>(sample[0].Left + 4), static_cast<int>(sample[0].Top + 4));
        EXPECT_TRUE(d.RotationB->Enabled());
        d.ToolButtonClick(d.RotationPopup->Items()->Items(1));
        EXPECT_EQ(cross->ColumnMemos(0)->Rotation(), 90);
        d.PaintBoxDblClick(d.PaintBox);
        // A double click on the grand total edits its text.
        const auto turned = d.LayoutSample();
        d.ClickSample(static_cast<int>(turned[1].Left + 4), static_cast<int>(turned[1].Top + 4));
        ASSERT_EQ(d.SelectedMemo, cross->ColumnTotalMemos(0));
        ui.OnModal("TfrxMemoEditorForm", [](TCustomForm& m) {
            auto& me = static_cast<TfrxMemoEditorForm&>(m);
            me.Memo->SetText("合计");
            me.SetModalResult(mrOk);
        });
        d.PaintBoxDblClick(d.PaintBox);
        EXPECT_EQ(cross->ColumnTotalMemos(0)->Text(), "合计\r\n");
        // A click beside everything drops the selection and the tools.
        d.ClickSample(d.PaintBox->Width() - 2, d.PaintBox->Height() - 2);
        EXPECT_EQ(d.SelectedMemo, nullptr);
        EXPECT_FALSE(d.AlignLeftB->Enabled());
    }));
}

TEST_F(CrossEditorTest, HeadersAndTotalsSwitches) {
    EXPECT_TRUE(Run(cross, [&](TfrxCrossEditorForm& d) {
        EXPECT_TRUE(d.RowTotalCB->Checked());
        TUiTestHarness::Click(d.RowHeaderCB);
        TUiTestHarness::Click(d.ColumnTotalCB);
        // No row header in the sample, no column grand total.
        for (const TfrxCrossSampleItem& it : d.LayoutSample()) {
            EXPECT_NE(it.Memo, cross->RowMemos(0));
            EXPECT_NE(it.Memo, cross->ColumnTotalMemos(0));
        }
        TUiTestHarness::Click(d.SwapB);
        EXPECT_EQ(ItemsOf(d.RowsLB->Items()), Names{"year"});
    }));
    EXPECT_FALSE(cross->ShowRowHeader);
    EXPECT_FALSE(cross->ShowColumnTotal());
    EXPECT_EQ(ItemsOf(cross->RowFields()), Names{"year"});
    EXPECT_EQ(ItemsOf(cross->ColumnFields()), Names{"region"});
}

// --- Without dataset; on a dot-matrix page ------------------------------------------------------

TEST_F(CrossEditorTest, LevelCountsOfACrossTabWithoutDataset) {
    auto* plain = new TfrxCrossView(r.Page);
    plain->SetName("Cross1");
    EXPECT_TRUE(Run(plain, [&](TfrxCrossEditorForm& d) {
        EXPECT_FALSE(d.DatasetL->Visible());
        EXPECT_TRUE(d.DimensionsL->Visible());
        EXPECT_FALSE(d.SwapB->Visible());
        EXPECT_EQ(d.RowsLB->DragMode(), dmManual);
        EXPECT_EQ(d.RowsE->Text(), "1");
        struct Case {
            TEdit* edit;
            const char* text;
            int rows, columns, cells;
        };
        const Case cases[] = {
            {d.RowsE, "3", 3, 1, 1},   {d.RowsE, "", 3, 1, 1},   {d.RowsE, "x", 3, 1, 1},
            {d.RowsE, "9", 3, 1, 1},   {d.ColumnsE, "0", 3, 0, 1}, {d.CellsE, "0", 3, 0, 1},
            {d.CellsE, "8", 3, 0, 8},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.text);
            c.edit->SetText(c.text);
            EXPECT_EQ(plain->RowLevels(), c.rows);
            EXPECT_EQ(plain->ColumnLevels(), c.columns);
            EXPECT_EQ(plain->CellLevels(), c.cells);
            EXPECT_EQ(d.RowsLB->Items()->Count(), c.rows);
        }
        EXPECT_EQ(ItemsOf(d.RowsLB->Items()), (Names{"Row", "Row", "Row"}));
        EXPECT_FALSE(d.LayoutSample().empty());
    }));
    EXPECT_EQ(plain->RowLevels(), 3);
}

TEST_F(CrossEditorTest, DotMatrixStyles) {
    auto* page = new TfrxDMPPage(r.Report.get());
    page->SetName("Page2");
    auto* band = new TfrxMasterData(page);
    band->SetName("MasterData2");
    auto* dmp = new TfrxDBCrossView(band);
    dmp->SetName("DBCross2");
    dmp->SetDataSet(sales.DataSet);
    dmp->RowFields()->SetText("region\r\n");
    dmp->ColumnFields()->SetText("year\r\n");
    dmp->CellFields()->SetText("amount\r\n");
    ASSERT_TRUE(dmp->DotMatrix());
    EXPECT_TRUE(Run(dmp, [&](TfrxCrossEditorForm& d) {
        EXPECT_EQ(d.FontB->DropdownMenu(), d.DMPPopup);
        // The font button opens no font dialog on a dot-matrix page.
        d.ToolButtonClick(d.FontB);
        // Bold for all objects, then off again for the selected cell only.
        d.ToolButtonClick(d.DMPPopup->Items()->Items(0));
        for (TfrxCustomMemoView* m : d.AllMemos())
            EXPECT_TRUE(static_cast<TfrxDMPMemoView*>(m)->FontStyle().Contains(fsxBold));
        const auto sample = d.LayoutSample();
        ASSERT_FALSE(sample.empty());
        // Dot-matrix objects are shown one character cell in.
        EXPECT_DOUBLE_EQ(sample[0].Top, 10 + 17);
        d.ClickSample(static_cast<int>(sample.back().Left + 3), static_cast<int>(sample.back().Top + 3));
        ASSERT_EQ(d.SelectedMemo, dmp->CellMemos(0));
        EXPECT_TRUE(d.DMPPopup->Items()->Items(0)->Checked());
        d.ToolButtonClick(d.DMPPopup->Items()->Items(0));
        EXPECT_FALSE(static_cast<TfrxDMPMemoView*>(dmp->CellMemos(0))->FontStyle().Contains(fsxBold));
        EXPECT_TRUE(static_cast<TfrxDMPMemoView*>(dmp->CellMemos(1))->FontStyle().Contains(fsxBold));
    }));
}

// --- The component editor ------------------------------------------------------------------------

TEST_F(CrossEditorTest, ComponentEditorMenuAndDoubleClick) {
    auto* other = new TfrxDBCrossView(r.Page);
    other->SetName("DBCross3");
    other->SetRestrictions(TfrxRestrictions{rfDontModify});
    r.Designer->SelectedObjects().assign({cross, other, r.Memo1});
    TPopupMenu menu(nullptr);
    auto ed = frxComponentEditors().GetComponentEditor(cross, r.Designer.get(), &menu);
    ASSERT_NE(ed, nullptr);
    EXPECT_TRUE(ed->HasEditor());
    ed->GetMenuItems();
    ASSERT_GE(menu.Items()->Count(), 3);
    EXPECT_EQ(menu.Items()->Items(0)->Caption(), "重打表头");
    EXPECT_TRUE(menu.Items()->Items(0)->Checked());
    EXPECT_EQ(menu.Items()->Items(2)->Tag(), frxCrossTagDownThenAcross);
    EXPECT_TRUE(ed->Execute(frxCrossTagBorder, false));
    EXPECT_FALSE(cross->Border);
    EXPECT_TRUE(other->Border);   // not modifiable
    // A double click opens the editor; Cancel is no change.
    ui.OnModal("TfrxCrossEditorForm", [](TCustomForm& f) { f.SetModalResult(mrCancel); });
    EXPECT_FALSE(ed->Edit());
}

}  // namespace
