// The component editors' context menus and menu actions over report objects: the band
// entries by band kind, the view and memo entries, lines and pictures, restrictions,
// multiple selections, and the registry look-up that finds each editor.
#include <gtest/gtest.h>

#include <memory>

#include "EditorFixtures.h"
#include "designer/editors/ComponentEditors.h"
#include "designer/editors/Registration.h"
#include "platform/ui/Menus.h"
#include "platform/ui/UiTest.h"
#include "report/DialogControls.h"
#include "report/DotMatrix.h"
#include "report/LineView.h"
#include "report/PictureView.h"
#include "report/Resources.h"

namespace {

struct TMenuEntry {
    std::string Key;
    int Tag;
    bool Checked;
};

// The entries an editor adds for Component: (caption, tag, tick).
std::vector<TMenuEntry> MenuOf(TfrxComponent* Component, TfrxCustomDesigner* Designer) {
    TPopupMenu menu(nullptr);
    auto ed = frxComponentEditors().GetComponentEditor(Component, Designer, &menu);
    EXPECT_NE(ed, nullptr);
    if (!ed) return {};
    ed->GetMenuItems();
    std::vector<TMenuEntry> out;
    for (int i = 0; i < menu.Items()->Count(); ++i) {
        TMenuItem* item = menu.Items()->Items(i);
        out.push_back({item->Caption(), item->Tag(), item->Checked()});
    }
    return out;
}

std::vector<int> TagsOf(const std::vector<TMenuEntry>& Entries) {
    std::vector<int> tags;
    for (const TMenuEntry& e : Entries) tags.push_back(e.Tag);
    return tags;
}

bool Execute(TfrxComponent* Component, TfrxCustomDesigner* Designer, int Tag, bool Checked) {
    TPopupMenu menu(nullptr);
    auto ed = frxComponentEditors().GetComponentEditor(Component, Designer, &menu);
    return ed && ed->Execute(Tag, Checked);
}

class ComponentEditorsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { frxRegisterDesignerEditors(); }
    TEditorReport r;
};

// Every band kind, horizontal and vertical: the band entries (tags 10-14) and the
// kind's own entries after them.
TEST_F(ComponentEditorsTest, BandMenusByKind) {
    struct Case {
        const char* cls;
        std::vector<int> horizontal;
        std::vector<int> vertical;
    };
    const std::vector<Case> cases = {
        {"TfrxReportTitle", {10, 12, 13, 14}, {13, 14}},
        {"TfrxReportSummary", {10, 11, 12, 13, 14}, {13, 14}},
        {"TfrxPageHeader", {10, 13, 0}, {13, 0}},
        {"TfrxPageFooter", {0, 1}, {0, 1}},
        {"TfrxHeader", {10, 11, 12, 13, 14, 0}, {13, 14, 0}},
        {"TfrxFooter", {10, 11, 12, 13}, {13}},
        {"TfrxMasterData", {10, 11, 12, 13, 14, 0, 1, 2, 3, 4}, {13, 14, 0, 1}},
        {"TfrxDetailData", {10, 11, 12, 13, 14, 0, 1, 2, 3, 4}, {13, 14, 0, 1}},
        {"TfrxSubdetailData", {10, 11, 12, 13, 14, 0, 1, 2, 3, 4}, {13, 14, 0, 1}},
        {"TfrxDataBand4", {10, 11, 12, 13, 14, 0, 1, 2, 3, 4}, {13, 14, 0, 1}},
        {"TfrxDataBand5", {10, 11, 12, 13, 14, 0, 1, 2, 3, 4}, {13, 14, 0, 1}},
        {"TfrxDataBand6", {10, 11, 12, 13, 14, 0, 1, 2, 3, 4}, {13, 14, 0, 1}},
        {"TfrxGroupHeader", {10, 11, 12, 13, 14, 0, 1}, {13, 14, 0, 1}},
        {"TfrxGroupFooter", {10, 11, 12, 13}, {13}},
        {"TfrxChild", {10, 11, 12, 13, 14}, {13, 14}},
        {"TfrxColumnHeader", {10, 13}, {13}},
        {"TfrxColumnFooter", {10, 12, 13}, {13}},
        {"TfrxOverlay", {10, 11, 12, 13, 14}, {13, 14}},
    };
    ASSERT_EQ(cases.size(), frxBandKinds().size());
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.cls);
        ASSERT_EQ(frxBandKinds()[i]->ClassName(), c.cls);
        auto* band = static_cast<TfrxBand*>(GetClass(c.cls)->CreateInstance(r.Report.get()));
        band->SetParent(r.Page);
        r.Designer->Select({band});
        EXPECT_EQ(TagsOf(MenuOf(band, r.Designer.get())), c.horizontal);
        band->Vertical = true;
        EXPECT_EQ(TagsOf(MenuOf(band, r.Designer.get())), c.vertical);
        // Two bands selected: no band entries at all.
        r.Designer->Select({band, r.Data});
        EXPECT_TRUE(MenuOf(band, r.Designer.get()).empty());
        delete band;
    }
}

TEST_F(ComponentEditorsTest, BandEntriesShowAndSetTheFlags) {
    r.Data->AllowSplit = true;
    r.Data->KeepFooter = true;
    r.Designer->Select({r.Data});
    const auto entries = MenuOf(r.Data, r.Designer.get());
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries[0].Key, frxResources().Get("mvStretch"));
    EXPECT_EQ(entries[1].Key, frxResources().Get("bvSplit"));
    EXPECT_TRUE(entries[1].Checked);
    EXPECT_FALSE(entries[2].Checked);
    EXPECT_EQ(entries[8].Key, frxResources().Get("bvKeepFooter"));
    EXPECT_TRUE(entries[8].Checked);

    struct Case {
        int tag;
        bool TfrxDataBand::*flag;
    };
    const Case cases[] = {{10, &TfrxBand::Stretched},          {11, &TfrxBand::AllowSplit},
                          {12, &TfrxBand::KeepChild},          {13, &TfrxBand::PrintChildIfInvisible},
                          {14, &TfrxBand::StartNewPage},       {0, &TfrxDataBand::PrintIfDetailEmpty},
                          {1, &TfrxDataBand::FooterAfterEach}, {2, &TfrxDataBand::KeepTogether},
                          {3, &TfrxDataBand::KeepFooter},      {4, &TfrxDataBand::KeepHeader}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tag);
        EXPECT_TRUE(Execute(r.Data, r.Designer.get(), c.tag, true));
        EXPECT_TRUE(r.Data->*c.flag);
        EXPECT_TRUE(Execute(r.Data, r.Designer.get(), c.tag, false));
        EXPECT_FALSE(r.Data->*c.flag);
    }
    // A band that may not be modified keeps its flags.
    r.Data->SetRestrictions(TfrxRestrictions{rfDontModify});
    EXPECT_FALSE(Execute(r.Data, r.Designer.get(), 10, true));
    EXPECT_FALSE(r.Data->Stretched);
}

TEST_F(ComponentEditorsTest, OtherBandKindsSetTheirOwnFlags) {
    auto* header = new TfrxPageHeader(r.Report.get());
    header->SetParent(r.Page);
    auto* footer = new TfrxPageFooter(r.Report.get());
    footer->SetParent(r.Page);
    auto* columnHeader = new TfrxHeader(r.Report.get());
    columnHeader->SetParent(r.Page);
    struct Case {
        TfrxComponent* band;
        int tag;
        std::function<bool()> flag;
    };
    const Case cases[] = {
        {header, 0, [&] { return header->PrintOnFirstPage; }},
        {footer, 0, [&] { return footer->PrintOnFirstPage; }},
        {footer, 1, [&] { return footer->PrintOnLastPage; }},
        {columnHeader, 0, [&] { return columnHeader->ReprintOnNewPage; }},
        {r.Group, 0, [&] { return r.Group->KeepTogether; }},
        {r.Group, 1, [&] { return r.Group->ReprintOnNewPage; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.band->ClassName() + " " + std::to_string(c.tag));
        r.Designer->Select({c.band});
        EXPECT_TRUE(Execute(c.band, r.Designer.get(), c.tag, false));
        EXPECT_FALSE(c.flag());
        EXPECT_TRUE(Execute(c.band, r.Designer.get(), c.tag, true));
        EXPECT_TRUE(c.flag());
    }
}

TEST_F(ComponentEditorsTest, MemoMenu) {
    r.Memo1->WordWrap = false;
    r.Memo1->HideZeros = true;
    r.Memo1->SetStretchMode(smMaxHeight);
    r.Memo1->SetShiftMode(smWhenOverlapped);
    r.Designer->Select({r.Memo1});
    const auto entries = MenuOf(r.Memo1, r.Designer.get());
    const std::vector<int> tags = {1, 2, -1, 3, 4, 5, 6, 7, 8, -1, 40, 41, 50, 51, 52, 53};
    ASSERT_EQ(TagsOf(entries), tags);
    const std::vector<const char*> keys = {"mvFormat", "mvClear", "-", "mvAutoWidth", "mvWWrap", "mvSuppress",
                                           "mvHideZ", "mvExpr", "mvHTML", "-", "mvStretch", "mvStretchToMax",
                                           "mvShift", "mvShiftOver", "mvVisible", "mvPrintable"};
    const std::vector<bool> ticks = {false, false, false, false, false, false, true, true,
                                     false, false, false, true, false, true, true, true};
    for (size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(keys[i]);
        EXPECT_EQ(entries[i].Key, keys[i][0] == '-' ? std::string("-") : frxResources().Get(keys[i]));
        EXPECT_EQ(entries[i].Checked, ticks[i]);
    }
}

// Each row: a tag, the tick given, and what every selected memo then holds.
TEST_F(ComponentEditorsTest, MemoEntriesActOnEverySelectedMemo) {
    auto* memo3 = new TfrxMemoView(r.Report.get());
    memo3->SetParent(r.Data);
    memo3->SetName("Memo3");
    auto* line = new TfrxLineView(r.Report.get());
    line->SetParent(r.Data);
    struct Case {
        const char* name;
        int tag;
        bool checked;
        std::function<bool(TfrxMemoView*)> holds;
    };
    const Case cases[] = {
        {"word wrap off", 4, false, [](TfrxMemoView* m) { return !m->WordWrap; }},
        {"auto width", 3, true, [](TfrxMemoView* m) { return m->AutoWidth; }},
        {"suppress", 5, true, [](TfrxMemoView* m) { return m->SuppressRepeated; }},
        {"hide zeros", 6, true, [](TfrxMemoView* m) { return m->HideZeros; }},
        {"no expressions", 7, false, [](TfrxMemoView* m) { return !m->AllowExpressions; }},
        {"html", 8, true, [](TfrxMemoView* m) { return m->AllowHTMLTags; }},
        {"stretch", 40, true, [](TfrxMemoView* m) { return m->StretchMode() == smActualHeight; }},
        {"stretch to max", 41, true, [](TfrxMemoView* m) { return m->StretchMode() == smMaxHeight; }},
        {"unticking max means no stretch", 41, false,
         [](TfrxMemoView* m) { return m->StretchMode() == smDontStretch; }},
        {"shift", 50, true, [](TfrxMemoView* m) { return m->ShiftMode() == smAlways; }},
        {"shift over", 51, true, [](TfrxMemoView* m) { return m->ShiftMode() == smWhenOverlapped; }},
        {"unticking shift over", 51, false, [](TfrxMemoView* m) { return m->ShiftMode() == smDontShift; }},
        {"hidden", 52, false, [](TfrxMemoView* m) { return !m->Visible(); }},
        {"not printable", 53, false, [](TfrxMemoView* m) { return !m->Printable(); }},
        {"clear", 2, false, [](TfrxMemoView* m) { return m->Text().empty(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        r.Designer->Select({r.Memo1, r.Memo2, memo3, line});
        EXPECT_TRUE(Execute(r.Memo2, r.Designer.get(), c.tag, c.checked));
        for (TfrxMemoView* m : {r.Memo1, r.Memo2, memo3}) EXPECT_TRUE(c.holds(m)) << m->Name();
    }
    // The line took the view entries only.
    EXPECT_FALSE(line->Visible());
    EXPECT_EQ(line->ShiftMode(), smDontShift);
}

TEST_F(ComponentEditorsTest, RestrictedObjectsKeepTheirSettings) {
    r.Memo2->SetRestrictions(TfrxRestrictions{rfDontModify});
    r.Designer->Select({r.Memo1, r.Memo2});
    EXPECT_TRUE(Execute(r.Memo1, r.Designer.get(), 4, false));
    EXPECT_FALSE(r.Memo1->WordWrap);
    EXPECT_TRUE(r.Memo2->WordWrap);
    EXPECT_TRUE(Execute(r.Memo1, r.Designer.get(), 52, false));
    EXPECT_TRUE(r.Memo2->Visible());
    // Only restricted objects selected: nothing changes and the report is not modified.
    r.Designer->Select({r.Memo2});
    EXPECT_FALSE(Execute(r.Memo2, r.Designer.get(), 2, false));
    EXPECT_EQ(r.Memo2->Text(), "Total\r\n");
}

TEST_F(ComponentEditorsTest, LineAndPictureMenus) {
    auto* line = new TfrxLineView(r.Report.get());
    line->SetParent(r.Data);
    auto* line2 = new TfrxLineView(r.Report.get());
    line2->SetParent(r.Data);
    line->Diagonal = true;
    r.Designer->Select({line});
    auto entries = MenuOf(line, r.Designer.get());
    EXPECT_EQ(TagsOf(entries), (std::vector<int>{0, 1, 50, 51, 52, 53}));
    EXPECT_TRUE(entries[0].Checked);
    EXPECT_EQ(entries[0].Key, frxResources().Get("lvDiagonal"));
    r.Designer->Select({line, line2});
    EXPECT_TRUE(Execute(line, r.Designer.get(), 1, true));
    EXPECT_EQ(line2->StretchMode(), smMaxHeight);
    EXPECT_TRUE(Execute(line, r.Designer.get(), 1, false));
    EXPECT_EQ(line->StretchMode(), smDontStretch);
    EXPECT_TRUE(Execute(line, r.Designer.get(), 0, true));
    EXPECT_TRUE(line2->Diagonal);

    auto* pic = new TfrxPictureView(r.Report.get());
    pic->SetParent(r.Data);
    r.Designer->Select({pic});
    entries = MenuOf(pic, r.Designer.get());
    EXPECT_EQ(TagsOf(entries), (std::vector<int>{0, 1, 2, 3, -1, 50, 51, 52, 53}));
    EXPECT_TRUE(entries[1].Checked);    // Stretched
    EXPECT_TRUE(entries[3].Checked);    // KeepAspectRatio
    EXPECT_TRUE(Execute(pic, r.Designer.get(), 2, true));
    EXPECT_TRUE(pic->Center);
    EXPECT_TRUE(Execute(pic, r.Designer.get(), 3, false));
    EXPECT_FALSE(pic->KeepAspectRatio);
    EXPECT_TRUE(Execute(pic, r.Designer.get(), 1, false));
    EXPECT_FALSE(pic->Stretched);
}

// Dot-matrix memos print no inline tags; a dot-matrix line has no diagonal.
TEST_F(ComponentEditorsTest, DotMatrixObjects) {
    auto* memo = new TfrxDMPMemoView(r.Report.get());
    memo->SetParent(r.Data);
    auto* line = new TfrxDMPLineView(r.Report.get());
    line->SetParent(r.Data);
    r.Designer->Select({memo});
    EXPECT_EQ(TagsOf(MenuOf(memo, r.Designer.get())),
              (std::vector<int>{1, 2, -1, 3, 4, 5, 6, 7, -1, 40, 41, 50, 51, 52, 53}));
    r.Designer->Select({line});
    EXPECT_EQ(TagsOf(MenuOf(line, r.Designer.get())), (std::vector<int>{1, 50, 51, 52, 53}));
    auto ed = frxComponentEditors().GetComponentEditor(memo, r.Designer.get(), nullptr);
    EXPECT_NE(dynamic_cast<TfrxMemoEditor*>(ed.get()), nullptr);
}

// A dialog control opens its click handler, making it when it has none.
TEST_F(ComponentEditorsTest, DialogControlOpensItsClickHandler) {
    auto* dialog = new TfrxDialogPage(r.Report.get());
    dialog->SetName("DialogPage1");
    dialog->SetParent(r.Report.get());
    auto* button = new TfrxButtonControl(r.Report.get());
    button->SetName("Button1");
    button->SetParent(dialog);
    r.Designer->Code = {"begin", "", "end."};
    auto ed = frxComponentEditors().GetComponentEditor(button, r.Designer.get(), nullptr);
    ASSERT_NE(dynamic_cast<TfrxDialogControlEditor*>(ed.get()), nullptr);
    EXPECT_TRUE(ed->HasEditor());
    EXPECT_TRUE(ed->Edit());
    EXPECT_EQ(button->OnClick, "Button1OnClick");
    EXPECT_EQ(r.Designer->Code[0], "procedure Button1OnClick(Sender: TfrxComponent);");
    EXPECT_FALSE(ed->Edit());   // the handler exists now: shown, nothing made
    ASSERT_EQ(r.Designer->CodeShown.size(), 2u);
    EXPECT_EQ(r.Designer->CodeShown[0].Line, 3);
    EXPECT_EQ(r.Designer->CodeShown[0].Column, 3);
    EXPECT_EQ(r.Designer->CodeShown[1].Line, 3);
    EXPECT_EQ(r.Designer->CodeShown[1].Column, 1);
    EXPECT_EQ(r.Designer->Code.size(), 8u);
}

TEST_F(ComponentEditorsTest, SubreportShowsItsPage) {
    auto* page2 = new TfrxReportPage(r.Report.get());
    page2->SetName("Page2");
    page2->SetParent(r.Report.get());
    auto* sub = new TfrxSubreport(r.Report.get());
    sub->SetName("Subreport1");
    sub->SetParent(r.Data);
    sub->SetPage(page2);
    r.Designer->Select({sub});
    const auto entries = MenuOf(sub, r.Designer.get());
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Key, frxResources().Get("srParent"));
    EXPECT_TRUE(Execute(sub, r.Designer.get(), 0, true));
    EXPECT_TRUE(sub->PrintOnParent);

    TPopupMenu menu(nullptr);
    auto ed = frxComponentEditors().GetComponentEditor(sub, r.Designer.get(), &menu);
    ASSERT_TRUE(ed->HasEditor());
    EXPECT_FALSE(ed->Edit());
    EXPECT_EQ(r.Designer->Page(), page2);
}

TEST_F(ComponentEditorsTest, RegistryFindsEachEditor) {
    auto* line = new TfrxLineView(r.Report.get());
    auto* shape = new TfrxShapeView(r.Report.get());
    auto* sys = new TfrxSysMemoView(r.Report.get());
    auto* child = new TfrxChild(r.Report.get());
    struct Case {
        TfrxComponent* c;
        std::function<bool(TfrxComponentEditor*)> is;
        bool hasEditor;
    };
    const Case cases[] = {
        {r.Memo1, [](TfrxComponentEditor* e) { return dynamic_cast<TfrxMemoEditor*>(e) != nullptr; }, true},
        {sys, [](TfrxComponentEditor* e) { return dynamic_cast<TfrxSysMemoEditor*>(e) != nullptr; }, true},
        {line, [](TfrxComponentEditor* e) { return dynamic_cast<TfrxLineEditor*>(e) != nullptr; }, false},
        {shape, [](TfrxComponentEditor* e) { return typeid(*e) == typeid(TfrxViewEditor); }, false},
        {r.Data, [](TfrxComponentEditor* e) { return dynamic_cast<TfrxDataBandEditor*>(e) != nullptr; }, true},
        {r.Group, [](TfrxComponentEditor* e) { return dynamic_cast<TfrxGroupHeaderEditor*>(e) != nullptr; }, true},
        {child, [](TfrxComponentEditor* e) { return typeid(*e) == typeid(TfrxBandEditor); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.c->ClassName());
        auto ed = frxComponentEditors().GetComponentEditor(c.c, r.Designer.get(), nullptr);
        ASSERT_NE(ed, nullptr);
        EXPECT_TRUE(c.is(ed.get()));
        EXPECT_EQ(ed->HasEditor(), c.hasEditor);
    }
    // The palette: the five objects, the two categories and the six drawing entries.
    TfrxObjectCollection& o = frxObjects();
    const int rect = o.IndexOf(TfrxShapeView::StaticClass(), skRectangle);
    ASSERT_GE(rect, 0);
    EXPECT_EQ(o.Items(rect).CategoryName, "Draw");
    EXPECT_EQ(o.Items(rect).ButtonImageIndex, 8);
    EXPECT_EQ(o.Items(o.IndexOf(TfrxShapeView::StaticClass(), skDiamond)).ButtonImageIndex, 31);
    EXPECT_EQ(o.Items(o.IndexOf(TfrxLineView::StaticClass(), 1)).ButtonHint, "obDiagLine");
    EXPECT_EQ(o.Items(o.IndexOf(TfrxSysMemoView::StaticClass(), 0)).ButtonImageIndex, 32);
    // Registering again adds nothing.
    const int count = o.Count();
    frxRegisterDesignerEditors();
    EXPECT_EQ(o.Count(), count);
}

}  // namespace
