// The common controls built from form text: status bar panels, page controls, list
// views, date pickers, tool bars, speed buttons, combo and list boxes, dialog components.
#include "UiFixture.h"

#include <functional>
#include <vector>

#include "platform/rtl/DateTime.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Grids.h"
#include "platform/ui/ImgList.h"
#include "platform/ui/QtPeer.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace {

const char* kCommonForm = R"(object Form1: TProbeForm
  ClientWidth = 640
  ClientHeight = 400
  object ToolBar1: TToolBar
    ButtonHeight = 54
    ButtonWidth = 55
    ShowCaptions = True
    object sf: TToolButton
      Left = 55
      Top = 0
      Caption = '收费'
    end
    object brzl: TToolButton
      Left = 0
      Top = 0
      Action = brzlAction
    end
    object Sep: TToolButton
      Left = 110
      Top = 0
      Width = 8
      Style = tbsSeparator
    end
    object tc: TToolButton
      Left = 118
      Top = 0
      Caption = '退出系统'
      OnClick = ButtonClick
    end
  end
  object StatusBar1: TStatusBar
    Panels = <
      item
        Width = 230
      end
      item
        Width = 200
      end
      item
        Text = '提示：双击记录可查询收费明细并重打发票'
        Width = 50
      end>
  end
  object PageControl1: TPageControl
    Left = 0
    Top = 60
    Width = 300
    Height = 200
    ActivePage = Sheet2
    object Sheet1: TTabSheet
      PageControl = PageControl1
      Caption = '基本'
    end
    object Sheet2: TTabSheet
      PageControl = PageControl1
      Caption = '高级'
      object Edit1: TEdit
        Left = 4
        Top = 4
      end
    end
  end
  object ListView1: TListView
    Left = 310
    Top = 60
    Width = 300
    Height = 150
    ViewStyle = vsReport
    ReadOnly = True
    RowSelect = True
    OnDblClick = ButtonClick
    Columns = <
      item
        Caption = '功能号'
        Width = 90
      end
      item
        Caption = '功能名'
        Width = 130
      end>
  end
  object DateTimePicker1: TDateTimePicker
    Left = 8
    Top = 270
  end
  object ComboBox1: TComboBox
    Left = 200
    Top = 270
    Items.Strings = (
      '男'
      '女')
    OnChange = EditChange
  end
  object ListBox1: TListBox
    Left = 350
    Top = 270
    Items.Strings = (
      'a'
      'b'
      'c')
    OnClick = ButtonClick
  end
  object SpeedButton1: TSpeedButton
    Left = 8
    Top = 320
    GroupIndex = 1
    Caption = '浏览'
  end
  object SpeedButton2: TSpeedButton
    Left = 40
    Top = 320
    GroupIndex = 1
  end
  object ActionList1: TActionList
    object brzlAction: TAction
      Caption = '病人资料'
      OnExecute = ActionExecute
    end
  end
end
)";

class CommonControlsTest : public UiTest {
protected:
    void SetUp() override {
        Form = MakeForm(kCommonForm);
        Form->Show();
        TUiTestHarness::ProcessMessages();
    }
    std::unique_ptr<TProbeForm> Form;
};

}  // namespace

TEST_F(CommonControlsTest, ToolBarPlacesButtonsInTheOrderTheyStand) {
    auto* bar = Find<TToolBar>(Form.get(), "ToolBar1");
    ASSERT_EQ(bar->ButtonCount(), 4);
    EXPECT_EQ(bar->Buttons(0)->Name(), "brzl");
    // Every button is ButtonWidth wide, or wider where the style needs more for a caption.
    const int w = bar->Buttons(0)->Width();
    EXPECT_GE(w, 55);
    EXPECT_LE(w, 64);
    EXPECT_EQ(bar->Buttons(0)->BoundsRect(), Bounds(0, 0, w, 54));
    EXPECT_EQ(bar->Buttons(1)->BoundsRect(), Bounds(w, 0, w, 54));
    EXPECT_EQ(bar->Buttons(2)->BoundsRect(), Bounds(2 * w, 0, 8, 54));   // the separator keeps its width
    EXPECT_EQ(bar->Buttons(3)->BoundsRect(), Bounds(2 * w + 8, 0, w, 54));
    EXPECT_EQ(Find<TToolButton>(Form.get(), "brzl")->Caption(), "病人资料");
    // Aligned to the top of the form.
    EXPECT_EQ(bar->Top(), 0);
    EXPECT_EQ(bar->Width(), 640);
    Form->Log.clear();
    TUiTestHarness::Click(Find<TToolButton>(Form.get(), "brzl"));
    TUiTestHarness::Click(Find<TToolButton>(Form.get(), "tc"));
    EXPECT_EQ(Form->Log, (std::vector<std::string>{"execute brzlAction", "click tc"}));
    Find<TAction>(Form.get(), "brzlAction")->SetEnabled(false);
    EXPECT_FALSE(Find<TToolButton>(Form.get(), "brzl")->Enabled());
}

TEST_F(CommonControlsTest, ToolButtonsWidenToTheWidestCaption) {
    auto* bar = Find<TToolBar>(Form.get(), "ToolBar1");
    bar->Font()->SetHeight(-24);   // "退出系统" no longer fits in 55 pixels: the bar re-places
    const int w = bar->Buttons(0)->Width();
    EXPECT_GT(w, 4 * 20);
    EXPECT_EQ(bar->Buttons(1)->Width(), w);
    EXPECT_EQ(bar->Buttons(3)->BoundsRect(), Bounds(2 * w + 8, 0, w, 54));
    EXPECT_EQ(bar->Buttons(2)->Width(), 8);
    bar->SetShowCaptions(false);
    bar->SetButtonWidth(55);
    EXPECT_EQ(bar->Buttons(0)->Width(), 55);
}

// A form scaled down for a 640-pixel screen keeps its tool bar as high as its buttons.
TEST_F(CommonControlsTest, ToolBarScaledDownStaysAsHighAsItsButtons) {
    auto* bar = Find<TToolBar>(Form.get(), "ToolBar1");
    bar->SetHeight(57);   // as the main window's: its 54-pixel buttons and a frame
    Form->ScaleBy(80, 100);
    TUiTestHarness::ProcessMessages();
    for (int i = 0; i < bar->ButtonCount(); ++i)
        EXPECT_LE(bar->Buttons(i)->Top() + bar->Buttons(i)->Height(), bar->Height()) << i;
    EXPECT_EQ(bar->Buttons(0)->Height(), 54);
}

TEST_F(CommonControlsTest, StatusBarPanelsFollowEachOtherAndTheLastReachesTheEdge) {
    auto* bar = Find<TStatusBar>(Form.get(), "StatusBar1");
    EXPECT_EQ(bar->Align(), alBottom);
    EXPECT_EQ(bar->Top() + bar->Height(), 400);
    EXPECT_EQ(bar->PanelRect(0).Left, 0);
    EXPECT_EQ(bar->PanelRect(1).Left, 230);
    EXPECT_EQ(bar->PanelRect(2).Left, 430);
    EXPECT_EQ(bar->PanelRect(2).Right, 640);
    bar->Panels()->Items(0)->SetText("操作员：tulvo");
    EXPECT_EQ(bar->Panels()->Items(0)->Text(), "操作员：tulvo");
    // Scaled with the form (1024 px: 128/100), the panels widen with their text.
    Form->ScaleBy(128, 100);
    EXPECT_EQ(bar->PanelRect(1).Left, 294);
    EXPECT_EQ(bar->PanelRect(2).Left, 294 + 256);
    EXPECT_EQ(bar->PanelRect(2).Right, bar->Width());
}

// A change of one panel repaints that panel alone, a text set again unchanged repaints
// nothing, and what changed in one turn of the event loop is painted once.
TEST_F(CommonControlsTest, StatusBarRepaintsOnlyThePanelThatChanged) {
    auto* bar = Find<TStatusBar>(Form.get(), "StatusBar1");
    std::vector<int> drawn;
    bar->OnDrawPanel = [&](TStatusBar*, TStatusPanel* Panel, TRect) { drawn.push_back(Panel->Index()); };
    for (int i = 0; i < 3; ++i) bar->Panels()->Items(i)->SetStyle(psOwnerDraw);
    TUiTestHarness::ProcessMessages();
    ASSERT_FALSE(drawn.empty()) << "the bar is painted at all";
    struct Case {
        const char* Name;
        std::function<void()> Change;
        std::vector<int> Drawn;
    };
    TStatusPanels* p = bar->Panels();
    const std::vector<Case> cases = {
        {"a new text", [&] { p->Items(1)->SetText("第 1 页 共 20 页"); }, {1}},
        {"the same text again", [&] { p->Items(1)->SetText("第 1 页 共 20 页"); }, {}},
        {"texts set many times in one turn", [&] {
             for (int n = 2; n <= 40; ++n) p->Items(1)->SetText("第 1 页 共 " + std::to_string(n) + " 页");
         }, {1}},
        {"two panels in one turn", [&] {
             p->Items(0)->SetText("操作员：tulvo");
             p->Items(1)->SetText("第 2 页 共 40 页");
         }, {0, 1}},
        {"an alignment", [&] { p->Items(2)->SetAlignment(taCenter); }, {2}},
        {"a width moves the panels after it", [&] { p->Items(0)->SetWidth(200); }, {0, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        drawn.clear();
        c.Change();
        TUiTestHarness::ProcessMessages();
        EXPECT_EQ(drawn, c.Drawn);
    }
    EXPECT_EQ(p->Items(1)->Text(), "第 2 页 共 40 页");
    bar->OnDrawPanel = nullptr;
}

TEST_F(CommonControlsTest, PageControlShowsOneSheetAndAsksBeforeChanging) {
    auto* pc = Find<TPageControl>(Form.get(), "PageControl1");
    auto* s1 = Find<TTabSheet>(Form.get(), "Sheet1");
    auto* s2 = Find<TTabSheet>(Form.get(), "Sheet2");
    ASSERT_EQ(pc->PageCount(), 2);
    EXPECT_EQ(pc->ActivePage(), s2);
    EXPECT_TRUE(s2->Visible());
    EXPECT_FALSE(s1->Visible());
    EXPECT_EQ(Find<TEdit>(Form.get(), "Edit1")->Parent(), s2);
    bool allow = false;
    int changes = 0;
    pc->OnChanging = [&](TObject*, bool& a) { a = allow; };
    pc->OnChange = [&](TObject*) { ++changes; };
    pc->TabClicked(0);
    EXPECT_EQ(pc->ActivePage(), s2);
    allow = true;
    pc->TabClicked(0);
    EXPECT_EQ(pc->ActivePage(), s1);
    EXPECT_TRUE(s1->Visible());
    EXPECT_FALSE(s2->Visible());
    EXPECT_EQ(changes, 1);
    // Hiding a tab leaves the page out of the tabs and of SelectNextPage.
    s2->SetTabVisible(false);
    pc->SelectNextPage(true);
    EXPECT_EQ(pc->ActivePage(), s1);
}

TEST_F(CommonControlsTest, ListViewHoldsItemsWithSubItemsAndSelection) {
    auto* lv = Find<TListView>(Form.get(), "ListView1");
    ASSERT_EQ(lv->Columns()->Count(), 2);
    EXPECT_EQ(lv->Columns()->Items(1)->Width(), 130);
    const char* rows[][2] = {{"11", "病人资料"}, {"21", "划价收费"}, {"22", "票据作废"}};
    for (auto& r : rows) {
        TListItem* item = lv->Items()->Add();
        item->SetCaption(r[0]);
        item->SubItems()->Add(r[1]);
    }
    EXPECT_EQ(lv->Items()->Count(), 3);
    EXPECT_EQ(lv->Selected(), nullptr);
    lv->Items()->Item(1)->SetSelected(true);
    ASSERT_NE(lv->Selected(), nullptr);
    EXPECT_EQ(lv->Selected()->SubItems()->Get(0), "划价收费");
    lv->Selected()->Delete();
    EXPECT_EQ(lv->Items()->Count(), 2);
    EXPECT_EQ(lv->Items()->Item(1)->Caption(), "22");
    lv->SetItemIndex(0);
    Form->Log.clear();
    TUiTestHarness::DblClick(lv, TPoint{20, 30});
    EXPECT_EQ(Form->Log, (std::vector<std::string>{"click ListView1"}));
}

TEST_F(CommonControlsTest, DatePickerKeepsTheDateAndShowsTheProgramsFormat) {
    auto* dtp = Find<TDateTimePicker>(Form.get(), "DateTimePicker1");
    dtp->SetDateTime(EncodeDate(2024, 1, 5) + EncodeTime(8, 30, 0, 0));
    dtp->SetDate(EncodeDate(2025, 2, 28));
    EXPECT_DOUBLE_EQ(dtp->Date(), EncodeDate(2025, 2, 28));
    EXPECT_NEAR(dtp->Time(), EncodeTime(8, 30, 0, 0), 1e-9);
    EXPECT_EQ(dtp->Text(), "2025-2-28");
    dtp->SetDate(IncDay(dtp->Date(), 365));
    EXPECT_EQ(dtp->Text(), "2026-2-28");
    int changes = 0;
    dtp->OnChange = [&](TObject*) { ++changes; };
    dtp->ValueEdited(EncodeDate(2026, 3, 1));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(dtp->Text(), "2026-3-1");
}

// A combo box clicks when an item is picked (here by the arrow key), not when the mouse
// goes into its field, nor when its field is left or Enter pressed with an item's text
// typed: the text stays as typed.
TEST_F(CommonControlsTest, AComboBoxClicksOnlyWhenAnItemIsPicked) {
    auto* combo = Find<TComboBox>(Form.get(), "ComboBox1");
    std::vector<std::string> log;
    combo->OnClick = [&](TObject*) { log.push_back("click " + combo->Text()); };
    struct {
        const char* Name;
        const char* Typed;
        uint16_t Key;
        std::vector<std::string> Log;
        const char* Text;
    } cases[] = {
        {"click into the field", "", 0, {}, "男"},
        {"an item typed, field left", "女", VK_TAB, {}, "女"},
        {"an item typed, Enter", "女", VK_RETURN, {}, "女"},
        {"the arrow key", "", VK_DOWN, {"click 女"}, "女"},
    };
    for (const auto& c : cases) {
        combo->SetItemIndex(0);
        log.clear();
        TUiTestHarness::Click(combo, Point(combo->Width() - 30, combo->Height() / 2));
        ASSERT_EQ(TUiTestHarness::FocusedControl(), combo) << c.Name;
        if (*c.Typed) {
            TUiTestHarness::TypeKey(combo, VK_END);
            TUiTestHarness::TypeKey(combo, VK_BACK);
            TUiTestHarness::TypeText(combo, c.Typed);
        }
        if (c.Key) TUiTestHarness::TypeKey(combo, c.Key);
        EXPECT_EQ(log, c.Log) << c.Name;
        EXPECT_EQ(combo->Text(), c.Text) << c.Name;
    }
}

// A combo box's field shows a text longer than itself from its start when the program
// sets it and when an item is picked (then the whole text is selected, so typing replaces
// it); in the field the user types where the caret is.
TEST_F(CommonControlsTest, AComboBoxShowsALongTextFromItsStart) {
    auto* combo = Find<TComboBox>(Form.get(), "ComboBox1");
    combo->SetWidth(60);
    const std::string name = "WenQuanYi Micro Hei Mono";
    combo->Items()->Add(name);
    combo->SetText(name);
    EXPECT_EQ(combo->SelStart(), 0);
    combo->SetText("女");
    combo->ItemPicked(2);
    EXPECT_EQ(combo->Text(), name);
    EXPECT_EQ(combo->SelStart(), 0);
    EXPECT_EQ(combo->SelLength(), static_cast<int>(name.size()));
    TUiTestHarness::Click(combo, Point(combo->Width() - 30, combo->Height() / 2));
    TUiTestHarness::TypeKey(combo, VK_END);
    TUiTestHarness::TypeText(combo, "X");
    EXPECT_EQ(combo->Text(), name + "X");
    combo->Items()->Delete(2);
}

// A double click on a combo box reaches OnDblClick once, as the class library's combo
// boxes give it: on a drop-down list's face the first press opens the list and the second
// closes it again (the list does not take it); in a drop-down box's field the field takes
// both, and the list stays closed. Two separate clicks are no double click. The item shown
// stays in every case.
TEST_F(CommonControlsTest, AComboBoxTakesADoubleClickOnItsFace) {
    auto* combo = Find<TComboBox>(Form.get(), "ComboBox1");
    int dblClicks = 0;
    std::vector<TShiftState> downs;
    combo->OnDblClick = [&](TObject*) { ++dblClicks; };
    combo->OnMouseDown = [&](TObject*, TMouseButton, TShiftState Shift, int, int) { downs.push_back(Shift); };
    struct {
        const char* Name;
        TComboBoxStyle Style;
        bool Double;   // one double click, else two clicks apart
        int DblClicks;
    } cases[] = {
        {"drop-down list, double click", csDropDownList, true, 1},
        {"drop-down list, two clicks", csDropDownList, false, 0},
        {"drop-down box, double click in the field", csDropDown, true, 1},
    };
    for (const auto& c : cases) {
        combo->SetStyle(c.Style);
        combo->SetItemIndex(1);
        TUiTestHarness::ProcessMessages();
        dblClicks = 0;
        downs.clear();
        const TPoint face = Point(combo->Width() / 3, combo->Height() / 2);
        if (c.Double) {
            TUiTestHarness::DblClick(combo, face);
            EXPECT_FALSE(combo->DroppedDown()) << c.Name;
        } else {
            TUiTestHarness::Click(combo, face);
            EXPECT_TRUE(combo->DroppedDown()) << c.Name;
            TUiTestHarness::Click(combo, face);
        }
        EXPECT_EQ(dblClicks, c.DblClicks) << c.Name;
        combo->SetDroppedDown(false);
        EXPECT_EQ(combo->ItemIndex(), 1) << c.Name;
        // The double click's press comes as such.
        const bool doublePress = std::any_of(downs.begin(), downs.end(), [](TShiftState s) { return (s & ssDouble) != 0; });
        EXPECT_EQ(doublePress, c.DblClicks > 0) << c.Name;
    }
    combo->SetStyle(csDropDown);
    combo->OnDblClick = nullptr;
    combo->OnMouseDown = nullptr;
}

TEST_F(CommonControlsTest, ComboBoxPickAndListBoxClick) {
    auto* combo = Find<TComboBox>(Form.get(), "ComboBox1");
    EXPECT_EQ(combo->Items()->Count(), 2);
    EXPECT_EQ(combo->ItemIndex(), -1);
    Form->Log.clear();
    combo->ItemPicked(1);
    EXPECT_EQ(combo->Text(), "女");
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(Form->Log, (std::vector<std::string>{"change ComboBox1"}));
    // ItemIndex from code fires nothing.
    Form->Log.clear();
    combo->SetItemIndex(0);
    EXPECT_EQ(combo->Text(), "男");
    EXPECT_TRUE(Form->Log.empty());
    // Arrow keys pick items of a drop-down list through the combo box itself.
    combo->SetStyle(csDropDownList);
    combo->SetItemIndex(0);
    // The click that focuses it opens its list; Esc closes the list and keeps the item.
    TUiTestHarness::Click(combo);
    TUiTestHarness::TypeKey(combo, VK_ESCAPE);
    EXPECT_EQ(combo->ItemIndex(), 0);
    TUiTestHarness::TypeKey(combo, VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), 1);

    auto* list = Find<TListBox>(Form.get(), "ListBox1");
    list->SetItemIndex(2);
    EXPECT_EQ(list->ItemIndex(), 2);
    list->Items()->Delete(0);
    EXPECT_EQ(list->Items()->Count(), 2);
}

TEST_F(CommonControlsTest, SpeedButtonsOfAGroupReleaseEachOther) {
    auto* a = Find<TSpeedButton>(Form.get(), "SpeedButton1");
    auto* b = Find<TSpeedButton>(Form.get(), "SpeedButton2");
    TUiTestHarness::Click(a);
    EXPECT_TRUE(a->Down());
    TUiTestHarness::Click(b);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    // Without AllowAllUp the last one stays down.
    TUiTestHarness::Click(b);
    EXPECT_TRUE(b->Down());
}

// Grouped tool buttons: a check button going down releases the grouped check buttons of
// its run, over grouped separators and grouped buttons of another style; a button that
// is not grouped ends the run. The buttons stand in a column, one per row.
TEST_F(CommonControlsTest, GroupedToolButtonsReleaseTheirWholeRun) {
    auto form = MakeForm(R"(object Form2: TProbeForm
  ClientWidth = 100
  ClientHeight = 400
  object Bar: TToolBar
    Align = alLeft
    Width = 27
    object A: TToolButton
      Top = 0
      Grouped = True
      Style = tbsCheck
      Wrap = True
    end
    object B: TToolButton
      Top = 25
      Grouped = True
      Style = tbsCheck
      Wrap = True
    end
    object GroupedSep: TToolButton
      Top = 50
      Grouped = True
      Style = tbsSeparator
      Wrap = True
    end
    object Menu: TToolButton
      Top = 60
      Grouped = True
      Wrap = True
    end
    object C: TToolButton
      Top = 85
      Grouped = True
      Style = tbsCheck
      Wrap = True
    end
    object Sep: TToolButton
      Top = 110
      Style = tbsSeparator
      Wrap = True
    end
    object D: TToolButton
      Top = 120
      Grouped = True
      Style = tbsCheck
      Wrap = True
    end
    object E: TToolButton
      Top = 145
      Grouped = True
      Style = tbsCheck
      Wrap = True
    end
  end
end
)");
    form->Show();
    TUiTestHarness::ProcessMessages();
    auto down = [&] {
        std::string s;
        for (const char* n : {"A", "B", "C", "D", "E"})
            if (Find<TToolButton>(form.get(), n)->Down()) s += n;
        return s;
    };
    struct {
        const char* Click;
        const char* Down;
    } steps[] = {{"A", "A"}, {"C", "C"}, {"D", "CD"}, {"E", "CE"}, {"B", "BE"}, {"Menu", "BE"}, {"B", "BE"}};
    for (const auto& s : steps) {
        TUiTestHarness::Click(Find<TToolButton>(form.get(), s.Click));
        EXPECT_EQ(down(), s.Down) << s.Click;
    }
}

TEST_F(CommonControlsTest, OpenDialogTakesTheAnswerAndTheDefaultExtension) {
    TOpenDialog open(Form.get());
    open.SetFilter("数据库文件(＊.mdb)|*.mdb");
    open.SetDefaultExt("mdb");
    open.SetTitle("数据恢复");
    Harness.AnswerFile(std::string("/backup/01051230bf"), 1);
    ASSERT_TRUE(open.Execute());
    EXPECT_EQ(open.FileName(), "/backup/01051230bf.mdb");
    EXPECT_EQ(open.Files()->Count(), 1);
    ASSERT_EQ(Harness.Dialogs().size(), 1u);
    EXPECT_EQ(Harness.Dialogs()[0].Kind, TDialogKind::OpenFile);
    EXPECT_EQ(Harness.Dialogs()[0].Caption, "数据恢复");
    EXPECT_EQ(Harness.Dialogs()[0].Filter, "数据库文件(＊.mdb)|*.mdb");
    Harness.AnswerFile(std::nullopt);
    EXPECT_FALSE(open.Execute());
    EXPECT_EQ(open.FileName(), "/backup/01051230bf.mdb");

    TColorDialog color(Form.get());
    color.SetColor(clBtnFace);
    Harness.AnswerColor(clRed);
    ASSERT_TRUE(color.Execute());
    EXPECT_EQ(color.Color(), clRed);
    EXPECT_EQ(Harness.Dialogs().back().Color, ColorToRGB(clBtnFace));
}

TEST_F(CommonControlsTest, StringGridCellsFixedRowsAndRefusedMoves) {
    auto form = MakeForm(R"(object Form1: TProbeForm
  ClientWidth = 300
  ClientHeight = 200
  object Grid1: TStringGrid
    ColCount = 3
    RowCount = 4
    DefaultColWidth = 50
  end
end
)");
    auto* grid = Find<TStringGrid>(form.get(), "Grid1");
    grid->SetCells(0, 0, "项目");
    grid->SetCells(2, 3, "12.50");
    EXPECT_EQ(grid->Cells(2, 3), "12.50");
    EXPECT_EQ(grid->ColWidths(1), 50);
    EXPECT_THROW(grid->Cells(3, 0), EListError);
    // The fixed row and column are never current; OnSelectCell may refuse.
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_FALSE(grid->SelectCell(0, 2));
    grid->OnSelectCell = [](TObject*, int c, int, bool& can) { can = c != 2; };
    EXPECT_FALSE(grid->SelectCell(2, 2));
    EXPECT_TRUE(grid->SelectCell(1, 3));
    EXPECT_EQ(grid->Row(), 3);
    grid->SetRowCount(2);
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(CommonControlsTest, TreeViewNodesSelectionAndDeletion) {
    TTreeView tree(Form.get());
    tree.SetParent(Form.get());
    static int tag1 = 1, tag2 = 2;
    TTreeNode* data = tree.Items()->Add(nullptr, "数据");
    TTreeNode* q = tree.Items()->AddChildObject(data, "ADOQuery1", &tag1);
    TTreeNode* f = tree.Items()->AddChildObject(q, "姓名", &tag2);
    TTreeNode* vars = tree.Items()->Add(data, "变量");
    EXPECT_EQ(tree.Items()->Count(), 4);
    EXPECT_EQ(tree.Items()->Item(2), f);   // depth first
    EXPECT_EQ(tree.Items()->Item(3), vars);
    EXPECT_EQ(f->Level(), 2);
    EXPECT_EQ(f->Data(), &tag2);
    EXPECT_EQ(vars->AbsoluteIndex(), 3);
    std::vector<std::string> changes;
    tree.OnChange = [&](TObject*, TTreeNode* n) { changes.push_back(n ? n->Text() : "-"); };
    tree.OnChanging = [&](TObject*, TTreeNode* n, bool& allow) { allow = n != vars; };
    tree.SetSelected(f);
    tree.SetSelected(vars);   // refused
    EXPECT_EQ(tree.Selected(), f);
    EXPECT_EQ(changes, (std::vector<std::string>{"姓名"}));
    // Deleting a node frees its children; a selected one is no longer selected.
    q->Delete();
    EXPECT_EQ(tree.Items()->Count(), 2);
    EXPECT_EQ(tree.Selected(), nullptr);
    tree.Items()->Clear();
    EXPECT_EQ(tree.Items()->Count(), 0);
}

namespace {

// The lightness (0..255, the least of the channels) of the darkest pixel of the control.
int Darkest(TControl* c) {
    int darkest = 255;
    for (int y = 0; y < c->Height(); ++y)
        for (int x = 0; x < c->Width(); ++x) {
            const int32_t p = TUiTestHarness::PixelAt(c, {x, y});
            if (p == clNone) continue;
            darkest = std::min({darkest, int(p & 0xFF), int((p >> 8) & 0xFF), int((p >> 16) & 0xFF)});
        }
    return darkest;
}

}  // namespace

// A disabled control writes its caption greyed, whatever colour its font has: a tool
// button whose action the user has no right to is seen to be out of reach.
TEST(DisabledControls, CaptionsAreGreyed) {
    TUiTestHarness harness;
    auto form = MakeForm(R"(object Form1: TProbeForm
  ClientWidth = 300
  ClientHeight = 120
  object ToolBar1: TToolBar
    ButtonHeight = 30
    ButtonWidth = 60
    ShowCaptions = True
    object sfcx: TToolButton
      Caption = '收费查询'
    end
  end
  object Button1: TButton
    Left = 8
    Top = 50
    Width = 75
    Height = 25
    Caption = '确定'
  end
  object Label1: TLabel
    Left = 100
    Top = 50
    Caption = '实收金额：'
  end
  object CheckBox1: TCheckBox
    Left = 180
    Top = 50
    Width = 100
    Caption = '按病人查询'
  end
end
)");
    form->Show();
    for (const char* name : {"sfcx", "Button1", "Label1", "CheckBox1"}) {
        auto* c = Find<TControl>(form.get(), name);
        c->SetEnabled(true);
        const int enabled = Darkest(c);
        c->SetEnabled(false);
        const int disabled = Darkest(c);
        EXPECT_LT(enabled, 60) << name;                // black text
        EXPECT_GT(disabled, enabled + 60) << name;     // grey text
    }
}

// A disabled tool button shows its bar's disabled picture of its index, or, where the bar
// has none for it, its picture greyed; enabled, its picture.
TEST(DisabledControls, ToolButtonsShowTheirDisabledPicture) {
    TUiTestHarness harness;
    auto form = MakeForm(R"(object Form1: TProbeForm
  ClientWidth = 200
  ClientHeight = 60
  object ToolBar1: TToolBar
    ButtonHeight = 24
    ButtonWidth = 24
    object Button0: TToolButton
      ImageIndex = 0
    end
    object Button1: TToolButton
      ImageIndex = 1
    end
  end
end
)");
    // Pictures: red and green; disabled pictures: blue for the first only.
    auto picture = [](TColor Color) {
        TBitmap b(16, 16);
        b.Canvas()->Brush()->SetColor(Color);
        b.Canvas()->FillRect(Rect(0, 0, 16, 16));
        return b;
    };
    auto* images = new TImageListComponent(form.get());
    images->SetWidth(16);
    images->SetHeight(16);
    images->Add(picture(clRed));
    images->Add(picture(clLime));
    auto* disabled = new TImageListComponent(form.get());
    disabled->SetWidth(16);
    disabled->SetHeight(16);
    disabled->Add(picture(clBlue));
    auto* bar = Find<TToolBar>(form.get(), "ToolBar1");
    bar->SetImages(images);
    bar->SetDisabledImages(disabled);
    form->Show();
    // The image list's greyed drawing: the luminance, half way to white.
    auto grey = [](TColor C) {
        const int l = (GetRValue(C) * 299 + GetGValue(C) * 587 + GetBValue(C) * 114) / 1000;
        return RGB(128 + l / 2, 128 + l / 2, 128 + l / 2);
    };
    struct {
        const char* Name;
        bool Enabled;
        int32_t Shown;
    } cases[] = {
        {"Button0", true, clRed},
        {"Button0", false, clBlue},
        {"Button1", true, clLime},
        {"Button1", false, grey(clLime)},
    };
    for (const auto& c : cases) {
        auto* b = Find<TToolButton>(form.get(), c.Name);
        b->SetEnabled(c.Enabled);
        TUiTestHarness::ProcessMessages();
        EXPECT_EQ(TUiTestHarness::PixelAt(b, Point(b->Width() / 2, b->Height() / 2)), c.Shown)
            << c.Name << (c.Enabled ? " enabled" : " disabled");
    }
    // Set again to the state it has, a button is not painted again.
    struct TPaints : QObject {
        int Count = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            Count += e->type() == QEvent::Paint;
            return false;
        }
    } paints;
    auto* b = Find<TToolButton>(form.get(), "Button1");
    WidgetOf(b)->installEventFilter(&paints);
    for (int i = 0; i < 3; ++i) b->SetEnabled(false);
    TUiTestHarness::ProcessMessages();
    EXPECT_EQ(paints.Count, 0);
    b->SetEnabled(true);
    TUiTestHarness::ProcessMessages();
    EXPECT_GT(paints.Count, 0);
    WidgetOf(b)->removeEventFilter(&paints);
}
