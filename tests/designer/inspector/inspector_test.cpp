// The object inspector over a small report: which rows it shows for each kind of object
// and for a mixed selection, editing every kind of property through its rows (each change
// one undo step), values it refuses, the object box, the drop-down list with its 100 ms
// rule, the split line, the Boolean zone, expansion, keys and the descriptions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "InspectorFixture.h"
#include "designer/inspector/InspectorHints.h"
#include "designer/controls/Selectors.h"
#include "platform/graphics/Metafile.h"
#include "platform/rtl/FileUtils.h"
#include "platform/ui/Buttons.h"
#include "report/DesignRegistries.h"
#include "report/Resources.h"

namespace {

bool Has(const std::vector<std::string>& v, const std::string& s) {
    return std::find(v.begin(), v.end(), s) != v.end();
}

class InspectorTest : public ::testing::Test {
protected:
    TInspectorReport r;
};

// --- Rows ---------------------------------------------------------------------------------

TEST_F(InspectorTest, RowsOfEachKindOfSelection) {
    struct Case {
        const char* what;
        std::vector<TfrxComponent*> selection;
        std::vector<std::string> shown;
        std::vector<std::string> hidden;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {"memo", {r.Memo1},
         {"Name", "Left", "Top", "Width", "Height", "Font", "Frame", "HAlign", "Memo", "Color", "Restrictions"},
         {"OnBeforePrint", "DataSetName", "GroupIndex"},
         {"OnAfterData", "OnAfterPrint", "OnBeforePrint", "OnPreviewClick"}},
        {"band", {r.Data},
         {"Name", "Top", "Height", "DataSet", "RowCount", "StartNewPage"},
         {"Vertical", "DataSetName", "OnBeforePrint"},
         {"OnAfterPrint", "OnBeforePrint"}},
        {"page", {r.Page},
         {"Name", "PaperWidth", "PaperHeight", "LeftMargin", "Orientation", "Columns"},
         {"PaperSize", "HGuides", "Bin"},
         {"OnBeforePrint"}},
        {"memo, line and picture", {r.Memo1, r.Line1, r.Picture1},
         {"Left", "Top", "Width", "Height", "Restrictions", "Visible", "Printable"},
         // Name and Frame (a dialog of one object) do not allow several objects.
         {"Name", "Frame", "HAlign", "Memo", "Diagonal", "Picture", "OnBeforePrint"},
         {"OnAfterPrint", "OnBeforePrint"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        r.Designer->SelectedObjects() = c.selection;
        r.Insp->SetObjects(&r.Designer->SelectedObjects());
        const std::vector<std::string> rows = r.RowNames();
        for (const std::string& s : c.shown) EXPECT_TRUE(Has(rows, s)) << s;
        for (const std::string& s : c.hidden) EXPECT_FALSE(Has(rows, s)) << s;
        // Every row is a top row until one is expanded.
        for (int i = 0; i < r.Insp->RowCount(); ++i) EXPECT_EQ(r.Insp->RowLevel(i), 0);
        r.Insp->SetTabIndex(1);
        const std::vector<std::string> events = r.RowNames();
        for (const std::string& s : c.events) EXPECT_TRUE(Has(events, s)) << s;
        EXPECT_FALSE(Has(events, "Name"));
        r.Insp->SetTabIndex(0);
    }
    // One object shows in the object box; several show none.
    r.Inspect({r.Memo1});
    EXPECT_EQ(r.Insp->ObjectsCB->Text(), "Memo1: TfrxMemoView");
    r.Inspect({r.Memo1, r.Line1});
    EXPECT_EQ(r.Insp->ObjectsCB->ItemIndex(), -1);
}

TEST_F(InspectorTest, ExpandingObjectsAndSets) {
    r.Inspect({r.Memo1});
    const int font = r.Insp->FindRow("Font");
    const int before = r.Insp->RowCount();
    // A press on the box left of the name flips the row open.
    r.Insp->PBMouseDown(r.Insp->PB, mbLeft, 0, 5, font * r.Insp->RowHeight() + 4);
    EXPECT_EQ(r.Insp->ItemIndex(), font);
    EXPECT_GT(r.Insp->RowCount(), before);
    EXPECT_EQ(r.Insp->RowName(font + 1), "Charset");
    EXPECT_EQ(r.Insp->RowLevel(font + 1), 1);
    const int style = r.Insp->FindRow("Style");
    ASSERT_GT(style, font);
    r.Insp->ToggleRow(style);
    EXPECT_EQ(r.Insp->RowName(style + 1), "fsBold");
    EXPECT_EQ(r.Insp->RowLevel(style + 1), 2);
    // A double click on the name of a row with sub-rows shuts it again.
    r.Insp->PBMouseDown(r.Insp->PB, mbLeft, 0, 40, font * r.Insp->RowHeight() + 4);
    r.Insp->PBDblClick(r.Insp->PB);
    EXPECT_EQ(r.Insp->RowCount(), before);
}

// --- Editing each kind of property ---------------------------------------------------------------

TEST_F(InspectorTest, EditingEachKindOfPropertyIsOneUndoStep) {
    struct Case {
        const char* kind;
        std::vector<std::string> path;   // rows to expand, then the row typed into
        const char* text;
        std::function<bool()> applied;
    };
    TfrxMemoView* m = r.Memo1;
    const Case cases[] = {
        {"integer", {"Rotation"}, "90", [&] { return m->Rotation() == 90; }},
        {"float", {"GapX"}, "2,5", [&] { return m->GapX == 2.5; }},
        {"position in the unit", {"Left"}, "33", [&] { return m->Left() == 33; }},
        {"string", {"TagStr"}, "总计", [&] { return m->TagStr() == "总计"; }},
        {"name", {"Name"}, "TotalMemo", [&] { return m->Name() == "TotalMemo"; }},
        {"enumeration", {"HAlign"}, "haCenter", [&] { return m->HAlign == haCenter; }},
        {"set element", {"Restrictions", "rfDontMove"}, "True",
         [&] { return m->Restrictions().Contains(rfDontMove) && !m->Restrictions().Contains(rfDontSize); }},
        {"class (a font's size)", {"Font", "Size"}, "14", [&] { return m->Font()->Size() == 14; }},
        {"colour by name", {"Color"}, "clRed", [&] { return m->Color() == clRed; }},
        {"colour by number", {"Color"}, "$00FF00", [&] { return m->Color() == 0x00FF00; }},
        {"frame colour", {"Frame", "Color"}, "clBlue", [&] { return m->Frame()->Color == clBlue; }},
        {"frame width", {"Frame", "Width"}, "1,5", [&] { return m->Frame()->Width == 1.5; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        r.Inspect({m});
        const int row = r.Row(c.path);
        ASSERT_GE(row, 0);
        const std::string before = r.Xml();
        const int undo = r.Designer->Undo.UndoCount();
        r.TypeAt(row, c.text);
        EXPECT_TRUE(c.applied());
        EXPECT_EQ(r.Designer->Undo.UndoCount(), undo + 1);
        EXPECT_TRUE(r.Ui.Dialogs().empty());
        // Undo brings the report back as it was.
        ASSERT_TRUE(r.Designer->Undo.PopUndo(r.Report.get()));
        EXPECT_EQ(r.Xml(), before);
        m = dynamic_cast<TfrxMemoView*>(r.Report->FindObject("Memo1"));
        ASSERT_NE(m, nullptr);
        r.Memo1 = m;
        // The undo rebuilt every object of the report, the page too.
        r.Page = dynamic_cast<TfrxReportPage*>(r.Report->FindObject("Page1"));
        ASSERT_NE(r.Page, nullptr);
        r.Designer->SetPage(r.Page);
        r.FillObjects();
        r.Data = dynamic_cast<TfrxMasterData*>(r.Report->FindObject("MasterData1"));
        r.Line1 = dynamic_cast<TfrxLineView*>(r.Report->FindObject("Line1"));
        r.Picture1 = dynamic_cast<TfrxPictureView*>(r.Report->FindObject("Picture1"));
        r.Insp->SetObjectList(r.Designer->Objects());
    }
}

TEST_F(InspectorTest, FontDialogAndEventRows) {
    r.Inspect({r.Memo1});
    // The font row's dialog: the chosen font goes to the memo.
    TFontChoice font;
    font.Name = "Courier New";
    font.Size = 12;
    font.Style = 2;
    r.Ui.AnswerFont(font);
    r.Insp->SetItemIndex(r.Insp->FindRow("Font"));
    EXPECT_TRUE(r.Insp->EditPanel->Visible());
    r.Insp->EditBtnClick(r.Insp->EditBtn);
    EXPECT_EQ(r.Memo1->Font()->Name(), "Courier New");
    EXPECT_TRUE(r.Memo1->Font()->Style().Contains(fsItalic));
    EXPECT_EQ(r.Designer->Undo.UndoCount(), 2);

    // An event row's dialog makes the handler, names it in the property and shows it.
    r.Insp->SetTabIndex(1);
    const int row = r.Insp->FindRow("OnBeforePrint");
    ASSERT_GE(row, 0);
    r.Insp->SetItemIndex(row);
    r.Insp->EditBtnClick(r.Insp->Edit1);
    EXPECT_EQ(r.Memo1->OnBeforePrint, "Memo1OnBeforePrint");
    EXPECT_EQ(r.Designer->Code.front(), "procedure Memo1OnBeforePrint(Sender: TfrxComponent);");
    EXPECT_EQ(r.Designer->ShownLine, 3);
    EXPECT_EQ(r.Designer->Undo.UndoCount(), 3);
    // The list offers the script's handlers; another one typed by name is taken as it is.
    r.Insp->SetItemIndex(r.Insp->FindRow("OnAfterPrint"));
    r.Insp->ComboBtnClick(r.Insp->ComboBtn);
    ASSERT_NE(r.Insp->PopupLB(), nullptr);
    EXPECT_EQ(r.Insp->PopupLB()->Items()->Strings(0), "Memo1OnBeforePrint");
    r.Insp->PickPopupItem(0);
    EXPECT_EQ(r.Memo1->OnAfterPrint, "Memo1OnBeforePrint");
    // A second open of an existing handler only shows it.
    r.Insp->SetItemIndex(r.Insp->FindRow("OnBeforePrint"));
    const int undo = r.Designer->Undo.UndoCount();
    r.Insp->EditBtnClick(r.Insp->Edit1);
    EXPECT_EQ(r.Designer->Undo.UndoCount(), undo);
    EXPECT_EQ(r.Designer->Code.size(), 8u);
}

TEST_F(InspectorTest, AMixedSelectionChangesEveryObjectInOneStep) {
    r.Inspect({r.Memo1, r.Line1, r.Picture1});
    r.Type("Top", "5");
    EXPECT_EQ(r.Memo1->Top(), 5);
    EXPECT_EQ(r.Line1->Top(), 5);
    EXPECT_EQ(r.Picture1->Top(), 5);
    EXPECT_EQ(r.Designer->Undo.UndoCount(), 2);
    // Sub-rows of a set act on every object, each keeping its other elements.
    r.Memo1->SetRestrictions(TfrxRestrictions{rfDontSize});
    r.Inspect({r.Memo1, r.Line1});
    r.TypeAt(r.Row({"Restrictions", "rfDontDelete"}), "True");
    EXPECT_EQ(r.Memo1->Restrictions(), (TfrxRestrictions{rfDontSize, rfDontDelete}));
    EXPECT_EQ(r.Line1->Restrictions(), (TfrxRestrictions{rfDontDelete}));
}

// --- Values refused -------------------------------------------------------------------------

TEST_F(InspectorTest, RefusedValuesLeaveThePropertyAndTheInspectorUsable) {
    const std::string invalid = frxResources().Get("prInvProp");
    struct Case {
        std::vector<std::string> path;
        const char* text;
        std::string message;
    };
    const Case cases[] = {
        {{"Left"}, "十", invalid},
        {{"Width"}, "-5", invalid},
        {{"Rotation"}, "ninety", invalid},
        {{"Name"}, "Memo2", frxResources().Get("prDupl")},
        {{"Name"}, "1abc", invalid},
        {{"Name"}, "Memo 1", invalid},
        {{"Name"}, "", invalid},
        {{"Color"}, "$1FFFFFFFF", invalid},
        {{"Color"}, "$7F000000", invalid},
        {{"Color"}, "clNotAColour", invalid},
        {{"Font", "Size"}, "0", invalid},
        {{"Font", "Size"}, "10000", invalid},
        {{"Frame", "Width"}, "-1", invalid},
        {{"HAlign"}, "haSideways", invalid},
        {{"Restrictions", "rfDontMove"}, "Maybe", invalid},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.back() + " = " + c.text);
        r.Inspect({r.Memo1});
        const int row = r.Row(c.path);
        ASSERT_GE(row, 0);
        const std::string before = r.Xml();
        const std::string shown = r.Insp->RowValue(row);
        r.Ui.ClearDialogs();
        r.TypeAt(row, c.text);
        ASSERT_EQ(r.Ui.Dialogs().size(), 1u);
        EXPECT_NE(r.Ui.Dialogs()[0].Text.find(c.message), std::string::npos) << r.Ui.Dialogs()[0].Text;
        EXPECT_EQ(r.Xml(), before);
        EXPECT_EQ(r.Designer->Undo.UndoCount(), 1);
        // The edit shows the stored value again; a good value goes in afterwards.
        EXPECT_EQ(r.Insp->Edit1->Text(), shown);
        EXPECT_FALSE(r.Insp->Edit1->Modified());
    }
    r.Inspect({r.Memo1});
    r.Type("Width", "150");
    EXPECT_EQ(r.Memo1->Width(), 150);
    // A set row is read-only: its value is changed through its elements.
    r.Insp->SetItemIndex(r.Insp->FindRow("Restrictions"));
    EXPECT_TRUE(r.Insp->Edit1->ReadOnly());
}

// --- The object box ------------------------------------------------------------------------

TEST_F(InspectorTest, ObjectBoxFollowsRenamesAndPicksObjects) {
    r.Inspect({r.Memo1});
    r.Type("Name", "AMemo");
    EXPECT_EQ(r.Insp->ObjectsCB->Text(), "AMemo: TfrxMemoView");
    TStringList* items = r.Insp->ObjectsCB->Items();
    EXPECT_GE(items->IndexOf("AMemo: TfrxMemoView"), 0);
    EXPECT_LT(items->IndexOf("Memo1: TfrxMemoView"), 0);
    // The box is sorted, so the renamed object moves to its place.
    EXPECT_LT(items->IndexOf("AMemo: TfrxMemoView"), items->IndexOf("Line1: TfrxLineView"));
    // Picking an object selects it in the designer and tells the designer.
    int picked = 0;
    r.Insp->OnSelectionChanged = [&](TObject*) { ++picked; };
    r.Insp->ObjectsCB->SetItemIndex(items->IndexOf("Line1: TfrxLineView"));
    r.Insp->ObjectsCBClick(r.Insp->ObjectsCB);
    EXPECT_EQ(picked, 1);
    ASSERT_EQ(r.Designer->SelectedObjects().size(), 1u);
    EXPECT_EQ(r.Designer->SelectedObjects().front(), r.Line1);
    EXPECT_TRUE(Has(r.RowNames(), "Diagonal"));
}

TEST_F(InspectorTest, TheSelectedPropertyStaysAcrossObjects) {
    r.Inspect({r.Memo1});
    r.Insp->SetItemIndex(r.Insp->FindRow("Width"));
    r.Inspect({r.Line1});
    EXPECT_EQ(r.Insp->RowName(r.Insp->ItemIndex()), "Width");
    r.Inspect({r.Page});
    EXPECT_EQ(r.Insp->ItemIndex(), 0);
    // Nothing selected: no rows, the edit hidden, no description.
    r.Inspect({});
    EXPECT_EQ(r.Insp->RowCount(), 0);
    EXPECT_FALSE(r.Insp->Edit1->Visible());
    EXPECT_EQ(r.Insp->DescrL->Caption(), "");
}

// --- Descriptions ----------------------------------------------------------------------------

TEST_F(InspectorTest, DescriptionsOfTheSelectedRow) {
    r.Inspect({r.Memo1});
    r.Insp->SetItemIndex(r.Insp->FindRow("Color"));
    EXPECT_EQ(r.Insp->PropL->Caption(), "Color");
    EXPECT_EQ(r.Insp->DescrL->Caption(), frxResources().Get("propColor"));
    const int font = r.Insp->FindRow("Font");
    r.Insp->ToggleRow(font);
    int color = -1;
    for (int i = font + 1; color < 0; ++i)
        if (r.Insp->RowName(i) == "Color") color = i;
    r.Insp->SetItemIndex(color);
    EXPECT_EQ(r.Insp->DescrL->Caption(), frxResources().Get("propColor.TFont"));
    EXPECT_NE(r.Insp->DescrL->Caption(), frxResources().Get("propColor"));
    // A set element has no text of its own: the key itself shows.
    r.Insp->ToggleRow(r.Insp->FindRow("Restrictions"));
    r.Insp->SetItemIndex(r.Insp->FindRow("rfDontMove"));
    EXPECT_EQ(r.Insp->DescrL->Caption(), "proprfDontMove");
}

TEST(InspectorHints, LookUpByClassThenByName) {
    TInspectorReport r;   // registers the texts
    struct Case {
        const char* name;
        const char* cls;
        std::string expected;
    };
    const Case cases[] = {
        {"Color", "TFont", frxResources().Get("propColor.TFont")},
        {"Color", "TfrxMemoView", frxResources().Get("propColor")},
        {"Width", "TfrxFrame", frxResources().Get("propWidth.TfrxFrame")},
        {"Width", "TfrxMemoView", frxResources().Get("propWidth")},
        {"Condition", "TfrxGroupHeader", "条件表达式（分组带的分组条件，高亮显示的条件）。"},
        {"Unheard", "TfrxMemoView", "propUnheard"},
    };
    for (const Case& c : cases) EXPECT_EQ(frxPropertyDescription(c.name, c.cls), c.expected) << c.name << c.cls;
    EXPECT_NE(frxResources().Get("propColor.TFont"), "propColor.TFont");
    EXPECT_NE(frxResources().Get("propColor.TFont"), frxResources().Get("propColor"));
}

// --- The drop-down list ------------------------------------------------------------------------

TEST_F(InspectorTest, DropDownPicksAValue) {
    r.Inspect({r.Memo1});
    r.Insp->SetItemIndex(r.Insp->FindRow("HAlign"));
    EXPECT_TRUE(r.Insp->ComboPanel->Visible());
    EXPECT_FALSE(r.Insp->EditPanel->Visible());
    r.Insp->ComboBtnMouseDown(r.Insp->ComboBtn, mbLeft, 0, 1, 1);
    r.Insp->ComboBtnClick(r.Insp->ComboBtn);
    ASSERT_NE(r.Insp->PopupLB(), nullptr);
    TStringList* items = r.Insp->PopupLB()->Items();
    EXPECT_EQ(items->Count(), 4);
    EXPECT_EQ(items->Strings(r.Insp->PopupLB()->ItemIndex()), "haLeft");
    // The list lies under the edit; 4 rows high.
    EXPECT_EQ(r.Insp->PopupForm()->ClientHeight(), 4 * r.Insp->RowHeight() + 2);
    r.Insp->PickPopupItem(items->IndexOf("haRight"));
    EXPECT_EQ(r.Insp->PopupForm(), nullptr);
    EXPECT_EQ(r.Memo1->HAlign, haRight);
    EXPECT_EQ(r.Insp->Edit1->Text(), "haRight");
    EXPECT_EQ(r.Designer->Undo.UndoCount(), 2);
}

TEST_F(InspectorTest, APressRightAfterTheListClosedDoesNotOpenItAgain) {
    uint32_t now = 100000;
    SetTickCountSource([&] { return now; });
    r.Inspect({r.Memo1});
    r.Insp->SetItemIndex(r.Insp->FindRow("HAlign"));
    struct Case {
        uint32_t after;
        bool opens;
    };
    for (const Case c : {Case{30, false}, Case{99, false}, Case{100, true}, Case{400, true}}) {
        SCOPED_TRACE(c.after);
        // The list closes because it lost the activation (the press outside it).
        r.Insp->ComboBtnClick(r.Insp->ComboBtn);
        ASSERT_NE(r.Insp->PopupForm(), nullptr);
        TfrxPopupForm* popup = r.Insp->PopupForm();
        popup->OnDeactivate(popup);
        TUiTestHarness::ProcessMessages();
        EXPECT_EQ(r.Insp->PopupForm(), nullptr);
        now += c.after;
        r.Insp->ComboBtnMouseDown(r.Insp->ComboBtn, mbLeft, 0, 1, 1);
        r.Insp->ComboBtnClick(r.Insp->ComboBtn);
        EXPECT_EQ(r.Insp->PopupForm() != nullptr, c.opens);
        if (r.Insp->PopupForm()) {
            r.Insp->PickPopupItem(0);
        }
        now += 1000;
    }
    SetTickCountSource(nullptr);
}

// --- The mouse on the list --------------------------------------------------------------------

TEST_F(InspectorTest, SplitLineStopsThirtyPixelsFromTheEdges) {
    r.Inspect({r.Memo1});
    const int width = r.Insp->PB->ClientWidth();
    const int split = r.Insp->SplitPos;
    const int y = r.Insp->RowHeight() / 2;
    r.Insp->PBMouseMove(r.Insp->PB, 0, split, y);
    EXPECT_EQ(r.Insp->PB->Cursor(), crHSplit);
    r.Insp->PBMouseDown(r.Insp->PB, mbLeft, 0, split, y);
    struct Case {
        int x;
        int expected;
    };
    for (const Case c : {Case{80, 80}, Case{30, 80}, Case{31, 31}, Case{width - 30, 31}, Case{width - 31, width - 31}}) {
        r.Insp->PBMouseMove(r.Insp->PB, ssLeft, c.x, y);
        EXPECT_EQ(r.Insp->SplitPos, c.expected) << c.x;
    }
    r.Insp->PBMouseUp(r.Insp->PB, mbLeft, 0, 100, y);
    EXPECT_EQ(r.Insp->Edit1->Left(), r.Insp->SplitPos + 2);
    // Off the split the cursor is the default one again.
    r.Insp->PBMouseMove(r.Insp->PB, 0, 5, y);
    EXPECT_EQ(r.Insp->PB->Cursor(), crDefault);
}

TEST_F(InspectorTest, AClickRightOfTheSplitTogglesABoolean) {
    r.Inspect({r.Memo1});
    r.Insp->SetItemIndex(0);
    const int row = r.Insp->FindRow("WordWrap");
    ASSERT_GE(row, 0);
    const bool was = r.Memo1->WordWrap;
    const int y = row * r.Insp->RowHeight() + 3;
    r.Insp->PBMouseDown(r.Insp->PB, mbLeft, 0, r.Insp->SplitPos + 5, y);
    EXPECT_EQ(r.Memo1->WordWrap, !was);
    EXPECT_EQ(r.Insp->ItemIndex(), 0);   // the row was not selected
    EXPECT_EQ(r.Designer->Undo.UndoCount(), 2);
    // Further right the press selects the row instead.
    r.Insp->PBMouseDown(r.Insp->PB, mbLeft, 0, r.Insp->SplitPos + 20, y);
    EXPECT_EQ(r.Insp->ItemIndex(), row);
    EXPECT_EQ(r.Memo1->WordWrap, !was);
}

TEST_F(InspectorTest, TheListScrollsByRows) {
    r.Inspect({r.Memo1});
    ASSERT_GT(r.Insp->RowCount() * r.Insp->RowHeight(), r.Insp->Box->ClientHeight());
    EXPECT_TRUE(r.Insp->VScroll->Visible());
    // The value column ends at the scroll bar.
    EXPECT_EQ(r.Insp->PB->Width(), r.Insp->Box->ClientWidth() - r.Insp->VScroll->Width());
    bool handled = false;
    r.Insp->FormMouseWheelDown(r.Insp, 0, TPoint{}, handled);
    r.Insp->FormMouseWheelDown(r.Insp, 0, TPoint{}, handled);
    EXPECT_EQ(r.Insp->ScrollPos(), 2 * r.Insp->RowHeight());
    EXPECT_EQ(r.Insp->Panel->Top(), -2 * r.Insp->RowHeight());
    r.Insp->FormMouseWheelUp(r.Insp, 0, TPoint{}, handled);
    EXPECT_EQ(r.Insp->ScrollPos(), r.Insp->RowHeight());
    // Choosing the last row brings it into view.
    r.Insp->SetItemIndex(r.Insp->RowCount() - 1);
    EXPECT_EQ(r.Insp->ScrollPos() + r.Insp->Box->ClientHeight(), r.Insp->RowCount() * r.Insp->RowHeight());
}

TEST_F(InspectorTest, HintShowsACutOffName) {
    r.Inspect({r.Memo1});
    r.Insp->SplitPos = 40;
    r.Insp->FormResize(r.Insp);
    const int row = r.Insp->FindRow("ExpressionDelimiters");
    ASSERT_GE(row, 0);
    r.Insp->PBMouseMove(r.Insp->PB, 0, 20, row * r.Insp->RowHeight() + 3);
    EXPECT_TRUE(r.Insp->HintShowing());
    EXPECT_EQ(r.Insp->HintText(), "ExpressionDelimiters");
    // A name that fits shows no hint.
    r.Insp->PBMouseMove(r.Insp->PB, 0, 20, r.Insp->FindRow("Top") * r.Insp->RowHeight() + 3);
    EXPECT_FALSE(r.Insp->HintShowing());
}

// The same through the window: the pointer moved over a cut-off name shows the whole name in
// the inspector's own hint window at once; moved onto the split line, the hint goes.
TEST_F(InspectorTest, HintWindowFollowsThePointer) {
    r.Inspect({r.Memo1});
    r.Insp->SplitPos = 40;
    r.Insp->FormResize(r.Insp);
    const int h = r.Insp->RowHeight();
    const int row = r.Insp->FindRow("ExpressionDelimiters");
    ASSERT_GE(row, 0);
    for (int turns = 0; turns < 100; ++turns) {
        const int top = row * h - r.Insp->ScrollPos();
        if (top >= 0 && top + h <= r.Insp->Box->ClientHeight()) break;
        TUiTestHarness::Wheel(r.Insp->PB, top < 0 ? 120 : -120, TPoint{4, r.Insp->ScrollPos() + 2});
    }
    TUiTestHarness::MouseMove(r.Insp->PB, TPoint{20, row * h + 3});
    ASSERT_TRUE(r.Insp->HintShowing());
    EXPECT_EQ(r.Insp->HintText(), "ExpressionDelimiters");
    TUiTestHarness::MouseMove(r.Insp->PB, TPoint{r.Insp->SplitPos, row * h + 3});
    EXPECT_FALSE(r.Insp->HintShowing());
}

// --- Keys and focus ---------------------------------------------------------------------------

TEST_F(InspectorTest, KeysInTheEdit) {
    r.Inspect({r.Memo1});
    const int top = r.Insp->FindRow("Top");
    r.ClickRow(top);
    TUiTestHarness::TypeKey(r.Insp->Edit1, VK_DOWN);
    EXPECT_EQ(r.Insp->ItemIndex(), top + 1);
    TUiTestHarness::TypeKey(r.Insp->Edit1, VK_UP);
    EXPECT_EQ(r.Insp->ItemIndex(), top);
    TUiTestHarness::TypeKey(r.Insp->Edit1, VK_PRIOR);
    EXPECT_EQ(r.Insp->ItemIndex(), 0);
    TUiTestHarness::TypeKey(r.Insp->Edit1, VK_NEXT);
    EXPECT_GT(r.Insp->ItemIndex(), 0);
    // Typed text is taken by Enter; Escape takes it back first.
    r.ClickRow(r.Insp->FindRow("Height"));
    TUiTestHarness::TypeText(r.Insp->Edit1, "44");
    TUiTestHarness::TypeKey(r.Insp->Edit1, VK_ESCAPE);
    TUiTestHarness::TypeKey(r.Insp->Edit1, VK_RETURN);
    EXPECT_EQ(r.Memo1->Height(), 20);
    EXPECT_EQ(r.Designer->Undo.UndoCount(), 1);
    TUiTestHarness::TypeText(r.Insp->Edit1, "44");
    TUiTestHarness::TypeKey(r.Insp->Edit1, VK_RETURN);
    EXPECT_EQ(r.Memo1->Height(), 44);
    EXPECT_EQ(r.Designer->Undo.UndoCount(), 2);
}

TEST_F(InspectorTest, TypedValueIsTakenWhenTheRowOrTheFocusChanges) {
    r.Inspect({r.Memo1});
    r.Insp->SetItemIndex(r.Insp->FindRow("Left"));
    r.Insp->Edit1->SetText("77");
    r.Insp->Edit1->SetModified(true);
    r.Insp->SetItemIndex(r.Insp->FindRow("Top"));
    EXPECT_EQ(r.Memo1->Left(), 77);
    // The edit loses the focus.
    r.Insp->Edit1->SetText("9");
    r.Insp->Edit1->SetModified(true);
    r.Insp->Edit1Exit(r.Insp->Edit1);
    EXPECT_EQ(r.Memo1->Top(), 9);
    // Another object gets selected with a value still typed: it goes to the old one.
    r.Insp->Edit1->SetText("12");
    r.Insp->Edit1->SetModified(true);
    r.Inspect({r.Memo2});
    EXPECT_EQ(r.Memo1->Top(), 12);
    EXPECT_EQ(r.Memo2->Top(), 0);
    EXPECT_EQ(r.Designer->Undo.UndoCount(), 4);
}

TEST_F(InspectorTest, LockedShowsNothingAndForgetsTheObjects) {
    r.Inspect({r.Memo1});
    r.Insp->Lock();
    EXPECT_EQ(r.Insp->RowCount(), 0);
    EXPECT_FALSE(r.Insp->Edit1->Visible());
    TMetafile mf;
    {
        TMetafileCanvas c(&mf);
        r.Insp->PaintRows(c, TRect{0, 0, 200, 200});
    }
    for (const TMetafileRecord& rec : mf.Records()) EXPECT_NE(rec.Kind, mrText);
    // The designer reloads the report and hands over its new selection.
    r.Designer->SelectedObjects().assign(1, r.Memo2);
    r.Insp->Unlock();
    EXPECT_EQ(r.Insp->ObjectsCB->Text(), "Memo2: TfrxMemoView");
    EXPECT_GT(r.Insp->RowCount(), 0);
}

TEST_F(InspectorTest, RowsArePaintedNamesLeftValuesRight) {
    r.Inspect({r.Memo1});
    r.Insp->SetItemIndex(r.Insp->FindRow("Left"));
    TMetafile mf;
    {
        TMetafileCanvas c(&mf);
        r.Insp->PaintRows(c, TRect{0, 0, r.Insp->PB->Width(), r.Insp->PB->Height()});
    }
    const int name = r.Insp->FindRow("Name");
    const int top = r.Insp->FindRow("Top");
    bool nameBold = false, topValue = false, leftValue = false;
    for (const TMetafileRecord& rec : mf.Records()) {
        if (rec.Kind != mrText) continue;
        const TMetafileState& st = mf.States()[static_cast<size_t>(rec.State)];
        if (rec.Text == "Name" && rec.Points[0].Y == name * r.Insp->RowHeight() + 1)
            nameBold = st.Font.Style().Contains(fsBold);
        if (rec.Text == "0" && rec.Points[0].Y == top * r.Insp->RowHeight() + 1 && rec.Points[0].X == r.Insp->SplitPos + 2)
            topValue = st.Font.Color() == 0x800000;
        if (rec.Text == "10" && rec.Points[0].X == r.Insp->SplitPos + 2) leftValue = true;
    }
    EXPECT_TRUE(nameBold);
    EXPECT_TRUE(topValue);
    EXPECT_FALSE(leftValue);   // the selected row's value is the edit's
}

TEST(ObjectInspector, TheOwnerMustBeADesigner) {
    TUiTestHarness ui;
    TForm owner(nullptr);
    try {
        TfrxObjectInspector insp(&owner);
        FAIL() << "created";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "The Owner of the object inspector should be TfrxCustomDesigner");
    }
}

}  // namespace

namespace {

// With ROVE_SCREENSHOTS set to a folder, the inspector on a memo is saved there as a PNG.
TEST_F(InspectorTest, Screenshot) {
    const char* dir = std::getenv("ROVE_SCREENSHOTS");
    if (!dir) GTEST_SKIP() << "ROVE_SCREENSHOTS not set";
    r.Memo1->Frame()->Typ = TfrxFrameTypes{ftLeft, ftTop};
    r.Inspect({r.Memo1});
    r.Insp->ToggleRow(r.Insp->FindRow("Frame"));
    r.Insp->SetItemIndex(r.Insp->FindRow("Color"));
    TUiTestHarness::ProcessMessages();
    EXPECT_TRUE(TUiTestHarness::SaveScreenshot(r.Insp, std::string(dir) + "/inspector.png"));
}

}  // namespace
