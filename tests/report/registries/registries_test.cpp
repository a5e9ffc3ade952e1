// The design-time registries: finding editors by class and property with inheritance,
// property editors reading and writing real report objects by text, value lists,
// selections of several objects, export filters and wizards.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/graphics/Colors.h"
#include "platform/graphics/Graphics.h"
#include "platform/ui/Menus.h"
#include "report/Bands.h"
#include "report/DesignRegistries.h"
#include "report/LineView.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PreviewPages.h"
#include "report/Report.h"
#include "report/Resources.h"
#include "report/Views.h"

namespace {

// Marker editors: which one a look-up chose.
class TEdA : public TfrxPropertyEditor { public: using TfrxPropertyEditor::TfrxPropertyEditor; };
class TEdB : public TfrxPropertyEditor { public: using TfrxPropertyEditor::TfrxPropertyEditor; };
class TEdC : public TfrxPropertyEditor { public: using TfrxPropertyEditor::TfrxPropertyEditor; };
class TEdEvent : public TfrxPropertyEditor { public: using TfrxPropertyEditor::TfrxPropertyEditor; };

// Removes what a test registered, so that the process-wide registry stays as it started.
struct TScopedEditors {
    ~TScopedEditors() {
        for (auto e : {PropertyEditorClass<TEdA>, PropertyEditorClass<TEdB>, PropertyEditorClass<TEdC>,
                       PropertyEditorClass<TEdEvent>})
            frxPropertyEditors().Unregister(e);
    }
};

TEST(PropertyEditorRegistry, LookUpByTypeClassAndNameFromTheLastEntry) {
    TScopedEditors scope;
    auto& r = frxPropertyEditors();
    const TTypeInfo* str = StringTypeInfo();
    const TTypeInfo* integer = IntegerTypeInfo();
    // Registration order matters: the scan runs from the last entry back.
    r.Register(str, nullptr, "", PropertyEditorClass<TEdA>);                              // general
    r.Register(str, TfrxView::StaticClass(), "TagStr", PropertyEditorClass<TEdB>);        // views
    r.Register(str, TfrxCustomMemoView::StaticClass(), "TagStr", PropertyEditorClass<TEdC>);   // memos
    r.Register(integer, nullptr, "Tag", PropertyEditorClass<TEdB>);
    r.RegisterEventEditor(PropertyEditorClass<TEdEvent>);

    TfrxMemoView memo(nullptr);
    TfrxLineView line(nullptr);
    TfrxReportPage page(nullptr);
    struct Case {
        const char* what;
        const TTypeInfo* type;
        const TObject* obj;
        const char* name;
        bool found;
        TfrxPropertyEditorClass expected;
    } cases[] = {
        {"memo: memo entry over the view entry", str, &memo, "tagstr", true, PropertyEditorClass<TEdC>},
        {"line inherits the view entry", str, &line, "TagStr", true, PropertyEditorClass<TEdB>},
        {"page: not a view, general entry", str, &page, "TagStr", true, PropertyEditorClass<TEdA>},
        {"other name: general entry", str, &memo, "Hint", true, PropertyEditorClass<TEdA>},
        {"name entry for any class", integer, &page, "Tag", true, PropertyEditorClass<TEdB>},
        {"integer without entry: standard editor", integer, &memo, "GroupIndex", false, nullptr},
        {"event type goes to the event editor", nullptr, &memo, "OnBeforePrint", true, PropertyEditorClass<TEdEvent>},
    };
    TTypeInfo eventType;
    eventType.Kind = tkString;
    eventType.Name = "TfrxNotifyEvent";
    for (Case& c : cases) {
        if (!c.type) c.type = &eventType;
        TfrxPropertyEditorMatch m = r.Find(c.type, c.obj, c.name);
        EXPECT_EQ(m.Found, c.found) << c.what;
        EXPECT_EQ(m.EditorClass, c.expected) << c.what;
    }
    EXPECT_TRUE(frxIsEventTypeName("TFRXGETVALUEEVENT"));
    EXPECT_FALSE(frxIsEventTypeName("TNotifyEvent"));

    // Unregistering removes every entry of the class, the event editor too.
    r.Unregister(PropertyEditorClass<TEdC>);
    EXPECT_EQ(r.Find(str, &memo, "TagStr").EditorClass, PropertyEditorClass<TEdB>);
    r.Unregister(PropertyEditorClass<TEdEvent>);
    EXPECT_EQ(r.EventEditorIndex(), -1);
    EXPECT_FALSE(r.Find(&eventType, &memo, "OnBeforePrint").Found);
}

TEST(PropertyEditorRegistry, HiddenPropertiesFollowInheritanceOnly) {
    TScopedEditors scope;
    auto& r = frxPropertyEditors();
    int before = r.Count();
    r.HidePropertiesFor(TfrxView::StaticClass(), "TagStr; URL;;Cursor");
    EXPECT_EQ(r.Count(), before + 3);
    TfrxMemoView memo(nullptr);
    TfrxReportPage page(nullptr);
    auto list = frxBuildPropertyList(&memo, nullptr);
    EXPECT_EQ(list->Find("TagStr"), nullptr);
    EXPECT_EQ(list->Find("URL"), nullptr);
    EXPECT_EQ(list->Find("Cursor"), nullptr);
    EXPECT_NE(list->Find("Left"), nullptr);
    EXPECT_TRUE(r.Find(StringTypeInfo(), &memo, "TagStr").Found);
    EXPECT_FALSE(r.Find(StringTypeInfo(), &page, "TagStr").Found) << "pages are no views";
}

class MemoEditing : public ::testing::Test {
protected:
    MemoEditing() {
        page = new TfrxReportPage(&report);
        page->SetName("Page1");
        band = new TfrxMasterData(page);
        band->SetName("MasterData1");
        memo = new TfrxMemoView(band);
        memo->SetName("Memo1");
        memo2 = new TfrxMemoView(band);
        memo2->SetName("Memo2");
        line = new TfrxLineView(band);
        line->SetName("Line1");
        list = frxBuildPropertyList(memo, nullptr);
    }
    TfrxPropertyEditor& Row(const char* name) {
        TfrxPropertyItem* item = list->Find(name);
        EXPECT_NE(item, nullptr) << name;
        if (!item) throw std::runtime_error(name);
        return *item->Editor;
    }
    TfrxPropertyEditor& SubRow(const char* name, const char* sub) {
        TfrxPropertyItem* item = list->Find(name);
        if (!item || !item->SubProperty) throw std::runtime_error(name);
        TfrxPropertyItem* s = item->SubProperty->Find(sub);
        if (!s) throw std::runtime_error(sub);
        return *s->Editor;
    }
    TfrxReport report{nullptr};
    TfrxReportPage* page;
    TfrxMasterData* band;
    TfrxMemoView* memo;
    TfrxMemoView* memo2;
    TfrxLineView* line;
    std::unique_ptr<TfrxPropertyList> list;
};

TEST_F(MemoEditing, ValuesReadAndWrittenAsText) {
    struct Case {
        const char* prop;
        const char* sub;   // a row of the property's sub-list, or nullptr
        const char* text;
        const char* shown;
    } cases[] = {
        {"GroupIndex", nullptr, " 42 ", "42"},
        {"HAlign", nullptr, "hacenter", "haCenter"},
        {"Visible", nullptr, "false", "False"},
        {"Color", nullptr, "clRed", "clRed"},
        {"Color", nullptr, "$00123456", "$00123456"},
        {"Left", nullptr, "12,5", "12.5"},
        {"Font", "Name", "Courier New", "Courier New"},
        {"Font", "Size", "14", "14"},
        {"Font", "Color", "clBlue", "clBlue"},
        {"Font", "Charset", "GB2312_CHARSET", "GB2312_CHARSET"},
        {"Font", "Charset", "77", "MAC_CHARSET"},
        {"Font", "Charset", "100", "100"},
        {"Frame", "Typ", "[ftLeft,ftTop]", "[ftLeft,ftTop]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.prop) + (c.sub ? std::string(".") + c.sub : "") + " = " + c.text);
        TfrxPropertyEditor& ed = c.sub ? SubRow(c.prop, c.sub) : Row(c.prop);
        if (std::string(c.prop) == "Frame") {
            // Set rows are read-only: they change through their element rows.
            EXPECT_TRUE(ed.GetAttributes() & paReadOnly);
            TfrxPropertyItem* typ = list->Find("Frame")->SubProperty->Find("Typ");
            ASSERT_TRUE(typ->SubProperty);
            typ->SubProperty->Find("ftLeft")->Editor->SetValue("True");
            typ->SubProperty->Find("ftTop")->Editor->SetValue("TRUE");
            EXPECT_EQ(ed.GetValue(), c.shown);
            EXPECT_EQ(typ->SubProperty->Count(), 4) << "one row per element";
            EXPECT_EQ(typ->SubProperty->Find("ftRight")->Editor->GetValue(), "False");
            EXPECT_TRUE(memo->Frame()->Typ.Contains(ftTop));
            continue;
        }
        ed.SetValue(c.text);
        EXPECT_EQ(ed.GetValue(), c.shown);
    }
    // The objects themselves changed.
    EXPECT_EQ(memo->GroupIndex(), 42);
    EXPECT_EQ(memo->HAlign, haCenter);
    EXPECT_FALSE(memo->Visible());
    EXPECT_EQ(memo->Color(), TColor(0x123456));
    EXPECT_DOUBLE_EQ(memo->Left(), 12.5);
    EXPECT_EQ(memo->Font()->Name(), "Courier New");
    EXPECT_EQ(memo->Font()->Size(), 14);
    EXPECT_EQ(memo->Font()->Color(), clBlue);
    EXPECT_EQ(memo->Font()->Charset(), 100);
}

TEST_F(MemoEditing, InvalidTextRaisesAndLeavesTheValue) {
    const std::string invalid = frxResources().Get("prInvProp");
    struct Case {
        const char* prop;
        const char* sub;
        const char* text;
    } cases[] = {
        {"GroupIndex", nullptr, "12a"},
        {"GroupIndex", nullptr, ""},
        {"GroupIndex", nullptr, "99999999999"},   // out of the integer's range
        {"HAlign", nullptr, "haNowhere"},
        {"Visible", nullptr, "yes"},
        {"Color", nullptr, "clNoSuchColour"},
        {"Left", nullptr, "1.2.3"},
        {"Font", "Charset", "NO_CHARSET"},
        {"Font", "Charset", "300"},
        {"FlowTo", nullptr, "NoSuchMemo"},
        {"FlowTo", nullptr, "Line1"},             // not a memo
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.prop) + " = '" + c.text + "'");
        TfrxPropertyEditor& ed = c.sub ? SubRow(c.prop, c.sub) : Row(c.prop);
        const std::string before = ed.GetValue();
        try {
            ed.SetValue(c.text);
            ADD_FAILURE() << "accepted";
        } catch (const EfrxError& e) {
            EXPECT_EQ(std::string(e.Message()), invalid);
        }
        EXPECT_EQ(ed.GetValue(), before);
    }
    // The set element row accepts only True and False.
    TfrxPropertyItem* typ = list->Find("Frame")->SubProperty->Find("Typ");
    EXPECT_THROW(typ->SubProperty->Find("ftLeft")->Editor->SetValue("1"), EfrxError);
}

TEST_F(MemoEditing, ValueListsAndAttributes) {
    auto values = [](TfrxPropertyEditor& ed) {
        ed.GetValues();
        return ed.Values;
    };
    auto has = [](const std::vector<std::string>& v, const char* s) {
        return std::find(v.begin(), v.end(), s) != v.end();
    };
    TfrxPropertyEditor& halign = Row("HAlign");
    EXPECT_EQ(values(halign), (std::vector<std::string>{"haLeft", "haRight", "haCenter", "haBlock"}));
    EXPECT_EQ(halign.GetAttributes(), TfrxPropertyAttributes(paValueList | paSortList | paMultiSelect));
    EXPECT_EQ(values(Row("Visible")), (std::vector<std::string>{"False", "True"}));
    auto colours = values(Row("Color"));
    EXPECT_TRUE(has(colours, "clRed") && has(colours, "clWindowText"));
    EXPECT_TRUE(Row("Color").GetAttributes() & paOwnerDraw);
    EXPECT_TRUE(has(values(SubRow("Font", "Charset")), "GB2312_CHARSET"));
    EXPECT_EQ(Row("Font").GetAttributes(), TfrxPropertyAttributes(paDialog | paMultiSelect | paSubProperties | paReadOnly));
    EXPECT_EQ(Row("Font").GetValue(), "(TFont)");
    // References: the report's memos, the edited one left out; an empty text clears it.
    EXPECT_EQ(values(Row("FlowTo")), (std::vector<std::string>{"Memo2"}));
    Row("FlowTo").SetValue("memo2");
    EXPECT_EQ(memo->FlowTo(), memo2);
    EXPECT_EQ(Row("FlowTo").GetValue(), "Memo2");
    Row("FlowTo").SetValue("");
    EXPECT_EQ(memo->FlowTo(), nullptr);
    // The name editor allows no multi-selection.
    EXPECT_EQ(Row("Name").GetAttributes(), 0u);
    EXPECT_EQ(Row("Name").GetValue(), "Memo1");
}

// The colour row's square: the colour itself, and "no colour" white (crossed out), never
// the black that clNone's bits would give.
TEST_F(MemoEditing, ColourSquareShowsNoColourAsWhite) {
    struct Case {
        TColor Color;
        TColor Inside;
    } cases[] = {{clRed, clRed}, {clBlack, clBlack}, {clNone, clWhite}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Color);
        memo->SetColor(c.Color);
        TBitmap bmp;
        bmp.SetSize(100, 16);
        bmp.Canvas()->Brush()->SetColor(clWindow);
        bmp.Canvas()->FillRect(TRect{0, 0, 100, 16});
        Row("Color").DrawValue(*bmp.Canvas(), TRect{0, 0, 100, 16});
        // Off the cross's diagonals, inside the square.
        EXPECT_EQ(bmp.Canvas()->Pixel(6, 4), c.Inside);
    }
}

TEST_F(MemoEditing, SelectionKeepsCommonMultiSelectRowsAndSetsAll) {
    std::vector<TPersistent*> sel{memo, line};
    auto common = BuildSelectionPropertyList(sel, nullptr);
    ASSERT_TRUE(common);
    EXPECT_EQ(common->Find("Name"), nullptr) << "never for several objects";
    EXPECT_EQ(common->Find("HAlign"), nullptr) << "lines have none";
    ASSERT_NE(common->Find("Left"), nullptr);
    ASSERT_NE(common->Find("Frame"), nullptr);
    common->Find("Left")->Editor->SetValue("7");
    EXPECT_DOUBLE_EQ(memo->Left(), 7);
    EXPECT_DOUBLE_EQ(line->Left(), 7);
    // Sub-rows edit every selected object too.
    TfrxPropertyItem* typ = common->Find("Frame")->SubProperty->Find("Typ");
    ASSERT_TRUE(typ && typ->SubProperty);
    typ->SubProperty->Find("ftBottom")->Editor->SetValue("True");
    EXPECT_TRUE(memo->Frame()->Typ.Contains(ftBottom));
    EXPECT_TRUE(line->Frame()->Typ.Contains(ftBottom));
    EXPECT_EQ(BuildSelectionPropertyList({}, nullptr), nullptr);
}

// --- Objects, component editors, export filters, wizards -------------------------------------

TEST(ObjectRegistry, SameClassAndFlagsKeepOneEntry) {
    auto& r = frxObjects();
    int before = r.Count();
    r.RegisterCategory("TestCategory", nullptr, "obCatDraw", 6);
    r.RegisterObject(TfrxLineView::StaticClass(), nullptr, "obDiagLine", "TestCategory", 4001, 7);
    r.RegisterObject(TfrxLineView::StaticClass(), nullptr, "obDiagLine", "TestCategory", 4001, 7);
    r.RegisterObject(TfrxLineView::StaticClass(), nullptr, "obLine", "TestCategory", 4002, 5);
    ASSERT_EQ(r.Count(), before + 3);
    EXPECT_EQ(r.Items(before).ClassRef, nullptr);
    EXPECT_EQ(r.Items(before).CategoryName, "TestCategory");
    EXPECT_EQ(r.Items(before + 1).ButtonImageIndex, 7);
    EXPECT_EQ(r.Items(before + 2).Flags, 4002);
    EXPECT_EQ(GetClass("TfrxLineView"), TfrxLineView::StaticClass());
}

class TViewEditor : public TfrxComponentEditor {
public:
    using TfrxComponentEditor::TfrxComponentEditor;
    void GetMenuItems() override { AddMenuItem("View", 1, true); }
};
class TMemoEditor : public TfrxComponentEditor {
public:
    using TfrxComponentEditor::TfrxComponentEditor;
    bool HasEditor() override { return true; }
};
class TLineEditor : public TfrxComponentEditor {
public:
    using TfrxComponentEditor::TfrxComponentEditor;
};

TEST(ComponentEditorRegistry, ExactClassElseLastAncestor) {
    auto& r = frxComponentEditors();
    r.Register(TfrxCustomMemoView::StaticClass(), ComponentEditorClass<TMemoEditor>);
    r.Register(TfrxMemoView::StaticClass(), ComponentEditorClass<TLineEditor>);   // exact class wins
    r.Register(TfrxView::StaticClass(), ComponentEditorClass<TViewEditor>);       // later ancestor
    TfrxMemoView memo(nullptr);
    TfrxLineView line(nullptr);
    TfrxReportPage page(nullptr);
    TfrxSysMemoView sys(nullptr);
    struct Case {
        TfrxComponent* obj;
        TfrxComponentEditorClass expected;
    } cases[] = {
        {&memo, ComponentEditorClass<TLineEditor>},
        {&sys, ComponentEditorClass<TViewEditor>},
        {&line, ComponentEditorClass<TViewEditor>},
        {&page, nullptr},
    };
    for (const Case& c : cases) {
        int i = r.Find(c.obj);
        EXPECT_EQ(i < 0 ? nullptr : r.Items(i).EditorClass, c.expected) << c.obj->ClassName();
    }
    TPopupMenu menu(nullptr);
    auto ed = r.GetComponentEditor(&line, nullptr, &menu);
    ASSERT_TRUE(ed);
    ed->GetMenuItems();
    ASSERT_EQ(menu.Items()->Count(), 1);
    EXPECT_EQ(menu.Items()->Items(0)->Caption(), "View");
    EXPECT_EQ(menu.Items()->Items(0)->Tag(), 1);
    EXPECT_TRUE(menu.Items()->Items(0)->Checked());
    EXPECT_FALSE(ed->Execute(1, false));
    EXPECT_EQ(r.GetComponentEditor(&page, nullptr, &menu), nullptr);
    for (auto e : {ComponentEditorClass<TMemoEditor>, ComponentEditorClass<TLineEditor>, ComponentEditorClass<TViewEditor>})
        r.Unregister(e);
    EXPECT_LT(r.Find(&memo), 0);
}

class TTestFilter : public TfrxCustomExportFilter {
public:
    TTestFilter(const char* d) : TfrxCustomExportFilter(nullptr), FDesc(d) {}
    std::string GetDescription() const override { return FDesc; }
    bool Start() override { return true; }
    void StartPage(TfrxPage*, int) override {}
    void ExportObject(TfrxComponent*) override {}
    void FinishPage(TfrxPage*, int) override {}
    void Finish() override {}

private:
    std::string FDesc;
};

TEST(ExportFilterRegistry, ListedUnregisteredAndDroppedWhenFreed) {
    auto& r = frxExportFilters();
    int before = r.Count();
    TTestFilter pdf("PDF 文件");
    auto* csv = new TTestFilter("CSV");
    r.Register(&pdf);
    r.Register(csv, 3);
    r.Register(&pdf);
    ASSERT_EQ(r.Count(), before + 3);
    EXPECT_EQ(r.Items(before + 1).Filter->GetDescription(), "CSV");
    EXPECT_EQ(r.Items(before + 1).Flags, 3u);
    r.Unregister(&pdf);   // every entry of it
    ASSERT_EQ(r.Count(), before + 1);
    EXPECT_EQ(r.Items(before).Filter, csv);
    delete csv;           // a freed filter leaves the list
    EXPECT_EQ(r.Count(), before);
}

TEST(WizardRegistry, OneEntryPerClass) {
    auto& r = frxWizards();
    int before = r.Count();
    r.Register(TfrxCustomWizard::StaticClass(), nullptr, true);
    r.Register(TfrxCustomWizard::StaticClass(), nullptr, false);
    ASSERT_EQ(r.Count(), before + 1);
    EXPECT_TRUE(r.Items(before).IsToolbarWizard);
    EXPECT_EQ(r.Items(before).ButtonImageIndex, -1);
    r.Unregister(TfrxCustomWizard::StaticClass());
    EXPECT_EQ(r.Count(), before);
}

}  // namespace
