// The editor dialogs on a real report object, driven as a user drives them: the lines
// window, the data band, group, highlight, picture, system text and memo text dialogs.
// Each one's OK writes what the Part says and Cancel leaves the object as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "EditorFixtures.h"
#include "designer/editors/ComponentEditors.h"
#include "designer/editors/DataBandEditor.h"
#include "designer/editors/FormatEditor.h"
#include "designer/editors/GroupEditor.h"
#include "designer/editors/HighlightEditor.h"
#include "designer/editors/MemoEditor.h"
#include "designer/editors/PictureEditor.h"
#include "designer/editors/PropertyEditors.h"
#include "designer/editors/Registration.h"
#include "designer/editors/StringsEditor.h"
#include "designer/editors/SysMemoEditor.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Settings.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Keys.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiTest.h"
#include "preview/FlatCombo.h"
#include "report/PictureView.h"
#include "report/Resources.h"

namespace {

template <class F>
F& As(TCustomForm& f) {
    return static_cast<F&>(f);
}

class DialogsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { frxRegisterDesignerEditors(); }
    void TearDown() override {
        EXPECT_TRUE(ui.Errors().empty());
        EXPECT_EQ(ui.PendingDrivers(), 0);
        EXPECT_EQ(ui.PendingAnswers(), 0);
    }
    // Runs the component editor's Edit on Component with Act driving the dialog.
    template <class F>
    bool EditWith(TfrxComponent* Component, std::function<void(F&)> Act) {
        ui.OnModal(F::StaticClass()->ClassName(), [&](TCustomForm& f) { Act(As<F>(f)); });
        auto ed = frxComponentEditors().GetComponentEditor(Component, r.Designer.get(), nullptr);
        return ed && ed->Edit();
    }
    TUiTestHarness ui;
    TEditorReport r;
};

// --- Lines window -------------------------------------------------------------------------------

TEST_F(DialogsTest, StringsEditorKeys) {
    struct Case {
        const char* name;
        std::function<void(TfrxStringsEditorForm&)> act;
        bool ok;
        std::string text;
    };
    const Case cases[] = {
        {"Enter is a new line, Ctrl+Enter accepts",
         [](TfrxStringsEditorForm& d) {
             d.Memo->SetSelStart(3);
             TUiTestHarness::TypeKey(d.Memo, VK_RETURN);
             TUiTestHarness::TypeText(d.Memo, "x");
             TUiTestHarness::TypeKey(d.Memo, VK_RETURN, ssCtrl);
         },
         true, "one\r\nx\r\ntwo\r\n"},
        {"Escape discards",
         [](TfrxStringsEditorForm& d) {
             TUiTestHarness::TypeText(d.Memo, "zzz");
             TUiTestHarness::TypeKey(d.Memo, VK_ESCAPE);
         },
         false, "one\r\ntwo\r\n"},
        {"the OK button", [](TfrxStringsEditorForm& d) {
             d.Memo->SetText("a");
             TUiTestHarness::Click(d.OkB);
         }, true, "a\r\n"},
        {"the Cancel button", [](TfrxStringsEditorForm& d) {
             d.Memo->SetText("a");
             TUiTestHarness::Click(d.CancelB);
         }, false, "one\r\ntwo\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TStringList lines;
        lines.SetText("one\r\ntwo");
        ui.OnModal("TfrxStringsEditorForm", [&](TCustomForm& f) { c.act(As<TfrxStringsEditorForm>(f)); });
        EXPECT_EQ(frxShowStringsEditor(&lines), c.ok);
        EXPECT_EQ(lines.Text(), c.text);
    }
}

// --- Data band ------------------------------------------------------------------------------------

TEST_F(DialogsTest, DataBandEntriesAndChoices) {
    struct Case {
        const char* name;
        bool dataset;
        int rowCount;
        int opensOn;
        int pick;
        bool ok;
        int after;   // 0 none, 1 Items, 2 Doctors
        int rowsAfter;
    };
    const Case cases[] = {
        {"single line opens on 单行", false, 1, 1, -1, true, 0, 1},
        {"five rows without data opens on [未赋值]; OK gives no rows", false, 5, 0, -1, true, 0, 0},
        {"a dataset keeps the row count", false, 5, 0, 3, true, 2, 5},
        {"the band's dataset is current", true, 2, 2, 1, true, 0, 1},
        {"cancel changes nothing", true, 2, 2, 0, false, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        r.Data->SetDataSet(c.dataset ? r.Items : nullptr);
        r.Data->SetRowCount(c.rowCount);
        const bool changed = EditWith<TfrxDataBandEditorForm>(r.Data, [&](TfrxDataBandEditorForm& d) {
            ASSERT_EQ(d.DatasetsLB->Items()->Count(), 4);
            EXPECT_EQ(d.DatasetsLB->Items()->Get(2), "Items");
            EXPECT_EQ(d.DatasetsLB->ItemIndex(), c.opensOn);
            if (c.pick >= 0) d.DatasetsLB->SetItemIndex(c.pick);
            TUiTestHarness::Click(c.ok ? d.OkB : d.CancelB);
        });
        EXPECT_EQ(changed, c.ok);
        const TfrxDataSet* expected[] = {nullptr, r.Items, r.Doctors};
        EXPECT_EQ(r.Data->DataSet(), expected[c.after]);
        EXPECT_EQ(r.Data->RowCount(), c.rowsAfter);
    }
    // A double click means OK.
    EditWith<TfrxDataBandEditorForm>(r.Data, [&](TfrxDataBandEditorForm& d) {
        d.DatasetsLB->SetItemIndex(2);
        d.DatasetsLBDblClick(d.DatasetsLB);
    });
    EXPECT_EQ(r.Data->DataSet(), r.Items);
}

// --- Group ---------------------------------------------------------------------------------------

TEST_F(DialogsTest, GroupConditionOpensInItsMode) {
    struct Case {
        const char* condition;
        bool expressionMode;
        const char* dataset;
        const char* field;
        int fields;
    };
    const Case cases[] = {
        {"", false, "Items", "", 3},
        {"Items.\"Price\"", false, "Items", "Price", 3},
        {"Items.\"Missing\"", false, "Items", "Missing", 3},
        {"[Items.\"Price\"]", true, "", "", 0},
        {"<Items.\"Price\"> > 3", true, "", "", 0},
        {"Nobody.\"Price\"", true, "", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.condition);
        r.Group->Condition = c.condition;
        EditWith<TfrxGroupEditorForm>(r.Group, [&](TfrxGroupEditorForm& d) {
            // Only database datasets are offered.
            EXPECT_EQ(d.DataSetCB->Items()->Count(), 1);
            EXPECT_EQ(d.ExpressionRB->Checked(), c.expressionMode);
            EXPECT_EQ(d.DataSetCB->Enabled(), !c.expressionMode);
            EXPECT_TRUE(d.ExpressionE->Enabled());
            if (c.expressionMode) {
                EXPECT_EQ(d.ExpressionE->Text(), c.condition);
            } else {
                EXPECT_EQ(d.DataSetCB->Text(), c.dataset);
                EXPECT_EQ(d.DataFieldCB->Text(), c.field);
                EXPECT_EQ(d.DataFieldCB->Items()->Count(), c.fields);
            }
            TUiTestHarness::Click(d.CancelB);
        });
        EXPECT_EQ(r.Group->Condition, c.condition);
    }
}

TEST_F(DialogsTest, GroupOkBuildsTheCondition) {
    struct Case {
        const char* name;
        std::function<void(TfrxGroupEditorForm&)> act;
        const char* condition;
        const char* outline;
    };
    const Case cases[] = {
        {"field with outline",
         [](TfrxGroupEditorForm& d) {
             d.DataFieldCB->SetText("Qty");
             d.OutlineCB->SetChecked(true);
         },
         "Items.\"Qty\"", "Items.\"Qty\""},
        {"an empty field leaves no condition",
         [](TfrxGroupEditorForm& d) {
             d.DataFieldCB->SetText("");
             d.OutlineCB->SetChecked(true);
         },
         "", ""},
        {"typed expression, outline off",
         [](TfrxGroupEditorForm& d) {
             d.ExpressionRB->SetChecked(true);
             d.ExpressionE->SetText("<Line> div 10");
             d.OutlineCB->SetChecked(false);
         },
         "<Line> div 10", ""},
        {"expression from the expression editor",
         [](TfrxGroupEditorForm& d) {
             d.ExpressionRB->SetChecked(true);
             d.ExpressionEButtonClick(d.ExpressionE);
         },
         "<Items.\"Name\">", "<Items.\"Name\">"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        r.Group->Condition = "Items.\"Price\"";
        r.Group->OutlineText = "old";
        r.Designer->Expressions = {"<Items.\"Name\">"};
        EXPECT_TRUE(EditWith<TfrxGroupEditorForm>(r.Group, [&](TfrxGroupEditorForm& d) {
            EXPECT_TRUE(d.OutlineCB->Checked());
            c.act(d);
            d.KeepGroupTogetherCB->SetChecked(true);
            TUiTestHarness::Click(d.OKB);
        }));
        EXPECT_EQ(r.Group->Condition, c.condition);
        EXPECT_EQ(r.Group->OutlineText, c.outline);
        EXPECT_TRUE(r.Group->KeepTogether);
        r.Designer->Expressions.clear();
        r.Group->KeepTogether = false;
    }
    // An alias typed into the dataset box that matches nothing empties the field list.
    EditWith<TfrxGroupEditorForm>(r.Group, [&](TfrxGroupEditorForm& d) {
        d.DataSetCB->SetText("Nothing");
        d.DataSetCBChange(d.DataSetCB);
        EXPECT_EQ(d.DataFieldCB->Items()->Count(), 0);
        TUiTestHarness::Click(d.CancelB);
    });
}

// --- Highlight -------------------------------------------------------------------------------------

TEST_F(DialogsTest, HighlightOkWritesTheMemosHighlight) {
    r.Memo1->Font()->SetName("Arial");
    r.Memo1->Font()->SetSize(12);
    r.Memo1->Highlight()->Font()->SetName("Courier New");
    r.Memo1->Highlight()->Condition = "Value > 1";
    // Picks a font colour, a background colour, then transparent again.
    ui.AnswerColor(0x0000FF);
    ui.AnswerColor(0x00FF00);
    ui.OnModal("TfrxHighlightEditorForm", [&](TCustomForm& f) {
        auto& d = As<TfrxHighlightEditorForm>(f);
        EXPECT_EQ(d.ConditionE->Text(), "Value > 1");
        EXPECT_TRUE(d.TransparentRB->Checked());
        EXPECT_FALSE(d.BackColorB->Enabled());
        d.FontColorBClick(d.FontColorB);
        TUiTestHarness::Click(d.OtherRB);
        EXPECT_TRUE(d.BackColorB->Enabled());
        d.BackColorBClick(d.BackColorB);
        EXPECT_EQ(d.BackColor(), 0x00FF00);
        d.BoldCB->SetChecked(true);
        d.ConditionE->SetText("Value > 10");
        TUiTestHarness::Click(d.OKB);
    });
    EXPECT_TRUE(frxShowHighlightEditor(r.Memo1, r.Designer.get()));
    TfrxHighlight* h = r.Memo1->Highlight();
    EXPECT_EQ(h->Condition, "Value > 10");
    EXPECT_EQ(h->Color, 0x00FF00);
    EXPECT_EQ(h->Font()->Color(), 0x0000FF);
    EXPECT_EQ(h->Font()->Name(), "Arial");
    EXPECT_EQ(h->Font()->Size(), 12);
    EXPECT_TRUE(h->Font()->Style().Contains(fsBold));

    // Transparent after a colour stores "no colour"; Cancel changes nothing.
    ui.OnModal("TfrxHighlightEditorForm", [&](TCustomForm& f) {
        auto& d = As<TfrxHighlightEditorForm>(f);
        EXPECT_TRUE(d.OtherRB->Checked());
        TUiTestHarness::Click(d.TransparentRB);
        TUiTestHarness::Click(d.OKB);
    });
    EXPECT_TRUE(frxShowHighlightEditor(r.Memo1, r.Designer.get()));
    EXPECT_EQ(h->Color, clNone);
    const std::string before = r.Xml();
    ui.OnModal("TfrxHighlightEditorForm", [&](TCustomForm& f) {
        auto& d = As<TfrxHighlightEditorForm>(f);
        d.ConditionE->SetText("changed");
        d.ItalicCB->SetChecked(true);
        TUiTestHarness::Click(d.CancelB);
    });
    EXPECT_FALSE(frxShowHighlightEditor(r.Memo1, r.Designer.get()));
    EXPECT_EQ(r.Xml(), before);
}

TEST(ColorSwatch, OutlineAndFill) {
    auto bmp = frxColorSwatch(0x0000FF);
    EXPECT_EQ(bmp->Width(), 14);
    EXPECT_EQ(bmp->Height(), 15);
    EXPECT_EQ(bmp->Pixel(0, 0), 0x808080);
    EXPECT_EQ(bmp->Pixel(13, 13), 0x808080);
    EXPECT_EQ(bmp->Pixel(6, 6), 0x0000FF);
    EXPECT_EQ(bmp->Pixel(6, 14), ColorToRGB(clBtnFace));
    auto none = frxColorSwatch(clNone);
    EXPECT_EQ(none->Pixel(6, 6), ColorToRGB(clBtnFace));
}

// --- Picture --------------------------------------------------------------------------------------

class PictureEditorTest : public DialogsTest {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() / ("picture_editor_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override {
        std::filesystem::remove_all(dir);
        DialogsTest::TearDown();
    }
    std::string File(const std::string& Name) const { return (dir / Name).string(); }
    std::filesystem::path dir;
};

TEST_F(PictureEditorTest, LoadClearCopyPaste) {
    TBitmap big(400, 300);
    big.SaveToFile(File("big.bmp"));
    auto* view = new TfrxPictureView(r.Report.get());
    view->SetParent(r.Data);
    ui.AnswerFile(File("big.bmp"));
    const bool changed = EditWith<TfrxPictureEditorForm>(view, [&](TfrxPictureEditorForm& d) {
        EXPECT_EQ(d.StatusBar->Panels()->Items(0)->Text(), frxResources().Get("piEmpty"));
        EXPECT_FALSE(d.Image->Stretch());
        TUiTestHarness::Click(d.LoadB);
        EXPECT_EQ(d.StatusBar->Panels()->Items(0)->Text(), "400 x 300");
        EXPECT_TRUE(d.Image->Stretch());   // larger than the box
        EXPECT_EQ(ui.Dialogs().back().Filter, frxPictureFilter());
        TUiTestHarness::Click(d.OkB);
    });
    EXPECT_TRUE(changed);
    EXPECT_EQ(view->Picture()->Width(), 400);

    // Copy, clear, paste back; a small picture is not stretched.
    TBitmap small(20, 10);
    small.SaveToFile(File("small.bmp"));
    ui.AnswerFile(File("small.bmp"));
    EditWith<TfrxPictureEditorForm>(view, [&](TfrxPictureEditorForm& d) {
        TUiTestHarness::Click(d.LoadB);
        EXPECT_EQ(d.StatusBar->Panels()->Items(0)->Text(), "20 x 10");
        EXPECT_FALSE(d.Image->Stretch());
        TUiTestHarness::Click(d.CopyB);
        TUiTestHarness::Click(d.ClearB);
        EXPECT_TRUE(d.Picture()->Empty());
        EXPECT_EQ(d.StatusBar->Panels()->Items(0)->Text(), frxResources().Get("piEmpty"));
        TUiTestHarness::Click(d.PasteB);
        EXPECT_EQ(d.StatusBar->Panels()->Items(0)->Text(), "20 x 10");
        TUiTestHarness::Click(d.CancelB);
    });
    EXPECT_EQ(view->Picture()->Width(), 400);
}

// Files that are no pictures are refused with the picture's error text; the picture
// stays and the window stays usable.
TEST_F(PictureEditorTest, RefusesBadFiles) {
    TBitmap pic(30, 20);
    auto* view = new TfrxPictureView(r.Report.get());
    view->SetParent(r.Data);
    view->Picture()->SetGraphic(&pic);
    {
        std::ofstream(File("text.jpg")) << "this is no picture";
        TBitmap src(64, 64);
        TJPEGImage jpeg;
        jpeg.Assign(src);
        const TBytes bytes = jpeg.SaveToBytes();
        std::ofstream out(File("cut.jpg"), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size() / 2));
    }
    // 100 MB of nothing.
    std::filesystem::resize_file((std::ofstream(File("huge.bmp")), File("huge.bmp")), 100 * 1024 * 1024);
    for (const char* name : {"text.jpg", "cut.jpg", "huge.bmp", "missing.png"}) {
        SCOPED_TRACE(name);
        ui.ClearDialogs();
        ui.AnswerFile(File(name));
        EXPECT_FALSE(EditWith<TfrxPictureEditorForm>(view, [&](TfrxPictureEditorForm& d) {
            TUiTestHarness::Click(d.LoadB);
            EXPECT_EQ(d.StatusBar->Panels()->Items(0)->Text(), "30 x 20");
            TUiTestHarness::Click(d.CancelB);
        }));
        ASSERT_EQ(ui.Dialogs().size(), 2u);   // the file dialog, then the error
        // The error is the picture layer's own text.
        std::string expected;
        try {
            TPicture probe;
            probe.LoadFromFile(File(name));
        } catch (const Exception& e) {
            expected = e.Message();
        }
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(ui.Dialogs()[1].Text.substr(0, expected.size()), expected);
        EXPECT_EQ(view->Picture()->Width(), 30);
    }
}

// --- System text ----------------------------------------------------------------------------------

TEST_F(DialogsTest, SystemTextOpensOnItsKind) {
    frxResources().Add("vt3", "[PAGE#]");
    struct Case {
        const char* text;
        bool sysVariable;
        const char* shown;
    };
    const Case cases[] = {
        {"[PAGE#]\r\n", true, "[PAGE#]"},
        {"", true, ""},
        {"Printed by us\r\n", false, "Printed by us"},
        {"no line break", false, "no line break"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string text = c.text;
        ui.OnModal("TfrxSysMemoEditorForm", [&](TCustomForm& f) {
            auto& d = As<TfrxSysMemoEditorForm>(f);
            EXPECT_EQ(d.SysVariableRB->Checked(), c.sysVariable);
            EXPECT_EQ(d.TextRB->Checked(), !c.sysVariable);
            EXPECT_EQ((c.sysVariable ? d.SysVariableCB->Text() : d.TextE->Text()), c.shown);
            TUiTestHarness::Click(d.OKB);
        });
        EXPECT_TRUE(frxShowSysMemoEditor(r.Designer.get(), text, false));
        EXPECT_EQ(text, c.shown);
    }
}

TEST_F(DialogsTest, SystemTextBuildsAggregates) {
    for (TfrxComponent* c : r.Page->AllObjects()) r.Designer->Objects().push_back(c);
    struct Case {
        const char* name;
        const char* function;
        const char* band;
        const char* dataset;
        const char* field;
        const char* expression;
        bool invisible, running;
        const char* text;
    };
    const Case cases[] = {
        {"sum of a field over a band, running", "SUM", "MasterData1", "Items", "Price", "", false, true,
         "[SUM(<Items.\"Price\">,MasterData1,2)]"},
        {"count with both boxes", "COUNT", "MasterData1", "", "", "", true, true, "[COUNT(MasterData1,3)]"},
        {"count without flags", "COUNT", "MasterData1", "", "", "", false, false, "[COUNT(MasterData1)]"},
        {"no band: neither band nor flags", "MAX", "", "Items", "Qty", "", true, true, "[MAX(<Items.\"Qty\">)]"},
        {"an expression wins over the field", "AVG", "MasterData1", "", "", "<Items.\"Qty\"> * 2", true, false,
         "[AVG(<Items.\"Qty\"> * 2,MasterData1,1)]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = "ignored";
        ui.OnModal("TfrxSysMemoEditorForm", [&](TCustomForm& f) {
            auto& d = As<TfrxSysMemoEditorForm>(f);
            // Aggregate only: the rest is hidden and the window shrinks to the panel.
            EXPECT_FALSE(d.SysVariableRB->Visible());
            EXPECT_FALSE(d.GroupBox2->Visible());
            EXPECT_EQ(d.AggregatePanel->Top(), 4);
            EXPECT_EQ(d.OKB->Top(), d.AggregatePanel->Height() + 18);
            EXPECT_EQ(d.ClientHeight(), d.OKB->Top() + 33);
            EXPECT_EQ(d.DataBandCB->Items()->Count(), 1);
            d.FunctionCB->SetItemIndex(d.FunctionCB->Items()->IndexOf(c.function));
            d.DataBandCB->SetItemIndex(d.DataBandCB->Items()->IndexOf(c.band));
            d.DataBandCBChange(d.DataBandCB);
            if (*c.dataset) {
                d.DataSetCB->SetItemIndex(d.DataSetCB->Items()->IndexOf(c.dataset));
                d.DataSetCBChange(d.DataSetCB);
                d.DataFieldCB->SetItemIndex(d.DataFieldCB->Items()->IndexOf(c.field));
                d.DataFieldCBChange(d.DataFieldCB);
            }
            if (*c.expression) d.ExpressionE->SetText(c.expression);
            d.CountInvisibleCB->SetChecked(c.invisible);
            d.RunningTotalCB->SetChecked(c.running);
            d.AggregateChange(nullptr);
            EXPECT_TRUE(d.OKB->Enabled());
            TUiTestHarness::Click(d.OKB);
        });
        EXPECT_TRUE(frxShowSysMemoEditor(r.Designer.get(), text, true));
        EXPECT_EQ(text, c.text);
    }
}

TEST_F(DialogsTest, SystemTextRefusesAnIncompleteAggregate) {
    for (TfrxComponent* c : r.Page->AllObjects()) r.Designer->Objects().push_back(c);
    std::string text = "kept";
    ui.OnModal("TfrxSysMemoEditorForm", [&](TCustomForm& f) {
        auto& d = As<TfrxSysMemoEditorForm>(f);
        d.FunctionCB->SetItemIndex(4);   // COUNT without a band
        d.AggregateChange(nullptr);
        EXPECT_FALSE(d.OKB->Enabled());
        d.FunctionCB->SetItemIndex(0);   // SUM without field or expression
        d.AggregateChange(nullptr);
        EXPECT_FALSE(d.OKB->Enabled());
        d.ExpressionE->SetText("1");
        d.AggregateChange(nullptr);
        EXPECT_TRUE(d.OKB->Enabled());
        TUiTestHarness::Click(d.CancelB);
    });
    EXPECT_FALSE(frxShowSysMemoEditor(r.Designer.get(), text, true));
    EXPECT_EQ(text, "kept");
}

TEST_F(DialogsTest, SystemMemoEditorStoresTheText) {
    auto* sys = new TfrxSysMemoView(r.Report.get());
    sys->SetParent(r.Data);
    sys->SetText("[DATE]");
    sys->DataField = "Name";
    EXPECT_TRUE(EditWith<TfrxSysMemoEditorForm>(sys, [&](TfrxSysMemoEditorForm& d) {
        TUiTestHarness::Click(d.TextRB);
        d.TextE->SetText("Clinic");
        TUiTestHarness::Click(d.OKB);
    }));
    EXPECT_EQ(sys->Text(), "Clinic\r\n");
    // The system text keeps its data field.
    EXPECT_EQ(sys->DataField, "Name");
}

// --- The inspector's dialog rows ---------------------------------------------------------------

TEST_F(DialogsTest, InspectorRowsOpenTheirDialogs) {
    auto memoRows = frxBuildPropertyList(r.Memo2, r.Designer.get());
    // The memo text: the memo text window; the text is set and the field binding stays.
    r.Memo2->DataField = "Name";
    ui.OnModal("TfrxMemoEditorForm", [&](TCustomForm& f) {
        As<TfrxMemoEditorForm>(f).Memo->SetText("new text");
        TUiTestHarness::Click(As<TfrxMemoEditorForm>(f).OkB);
    });
    EXPECT_TRUE(memoRows->Find("Memo")->Editor->Edit());
    EXPECT_EQ(r.Memo2->Text(), "new text\r\n");
    // The display format.
    ui.OnModal("TfrxFormatEditorForm", [&](TCustomForm& f) {
        auto& d = As<TfrxFormatEditorForm>(f);
        d.CategoryLB->SetItemIndex(2);
        d.CategoryLBClick(d.CategoryLB);
        d.FormatE->SetText("yyyy-mm-dd");
        TUiTestHarness::Click(d.OkB);
    });
    TfrxPropertyEditor* format = memoRows->Find("DisplayFormat")->Editor.get();
    EXPECT_TRUE(format->Edit());
    EXPECT_EQ(r.Memo2->DisplayFormat()->Kind, fkDateTime);
    EXPECT_EQ(format->GetValue(), "yyyy-mm-dd");

    // A string list: the lines window on a copy; Cancel keeps the lines.
    auto dsRows = frxBuildPropertyList(r.Doctors, r.Designer.get());
    TfrxPropertyEditor* fields = dsRows->Find("Fields")->Editor.get();
    ui.OnModal("TfrxStringsEditorForm", [&](TCustomForm& f) {
        As<TfrxStringsEditorForm>(f).Memo->SetText("a\r\nb");
        TUiTestHarness::Click(As<TfrxStringsEditorForm>(f).CancelB);
    });
    EXPECT_FALSE(fields->Edit());
    EXPECT_EQ(r.Doctors->Fields()->Text(), "Doctor\r\n");
    ui.OnModal("TfrxStringsEditorForm", [&](TCustomForm& f) {
        As<TfrxStringsEditorForm>(f).Memo->SetText("a\r\nb");
        TUiTestHarness::Click(As<TfrxStringsEditorForm>(f).OkB);
    });
    EXPECT_TRUE(fields->Edit());
    EXPECT_EQ(r.Doctors->Fields()->Text(), "a\r\nb\r\n");

    // A picture: "not assigned" until it holds one.
    auto* view = new TfrxPictureView(r.Report.get());
    view->SetParent(r.Data);
    auto picRows = frxBuildPropertyList(view, r.Designer.get());
    TfrxPropertyEditor* picture = picRows->Find("Picture")->Editor.get();
    EXPECT_EQ(picture->GetValue(), frxResources().Get("prNotAssigned"));
    TBitmap bmp(8, 8);
    ui.OnModal("TfrxPictureEditorForm", [&](TCustomForm& f) {
        As<TfrxPictureEditorForm>(f).Picture()->SetGraphic(&bmp);
        TUiTestHarness::Click(As<TfrxPictureEditorForm>(f).OkB);
    });
    EXPECT_TRUE(picture->Edit());
    EXPECT_EQ(view->Picture()->Width(), 8);
    EXPECT_EQ(picture->GetValue(), frxResources().Get("prPict"));
}

// --- Memo text -------------------------------------------------------------------------------------

TEST(MemoInsertion, DelimitedExpressions) {
    struct Case {
        const char* expr;
        const char* delimiters;
        const char* text;
    };
    const Case cases[] = {
        {"<Items.\"Name\">", "[,]", "[Items.\"Name\"]"},
        {"<Items.\"Qty\"> * <Items.\"Price\">", "[,]", "[<Items.\"Qty\"> * <Items.\"Price\">]"},
        {"Date", "<%,%>", "<%Date%>"},
        {"<Line>", "{,}", "{Line}"},
    };
    for (const Case& c : cases) EXPECT_EQ(frxDelimitedExpression(c.expr, c.delimiters), c.text) << c.expr;
}

TEST(MemoInsertion, FormatTags) {
    struct Case {
        TfrxFormatKind kind;
        const char* format;
        const char* separator;
        const char* tag;
    };
    const Case cases[] = {
        {fkNumeric, "%2.2f", ",", " #n%2,2f"},
        {fkNumeric, "%2.2n", ".", " #n%2.2n"},
        {fkNumeric, "-%g", ",", " #n,%g"},
        {fkDateTime, "dd.mm.yyyy", ",", " #ddd.mm.yyyy"},
        {fkBoolean, "No,Yes", ",", " #bNo,Yes"},
        {fkText, "anything", ",", ""},
    };
    for (const Case& c : cases) {
        TfrxFormat f;
        f.Kind = c.kind;
        f.FormatStr = c.format;
        f.DecimalSeparator = c.separator;
        EXPECT_EQ(frxFormatTag(f), c.tag) << c.format;
    }
}

TEST_F(DialogsTest, MemoEditorInsertsAndUnbinds) {
    r.Memo1->SetDataSet(r.Items);
    r.Memo1->DataField = "Name";
    r.Memo1->SetText("Sum: [x]");
    r.Designer->Expressions = {"<Items.\"Price\">"};
    const bool changed = EditWith<TfrxMemoEditorForm>(r.Memo1, [&](TfrxMemoEditorForm& d) {
        EXPECT_EQ(d.Memo->Text(), "Sum: [x]\r\n");
        EXPECT_EQ(d.Memo->SelStart(), 0);
        // The caret right after "]": the format tag goes inside the bracket.
        d.Memo->SetSelStart(8);
        ui.OnModal("TfrxFormatEditorForm", [&](TCustomForm& f) {
            auto& fd = As<TfrxFormatEditorForm>(f);
            fd.CategoryLB->SetItemIndex(1);
            fd.CategoryLBClick(fd.CategoryLB);
            fd.FormatE->SetText("%2.2f");
            fd.SeparatorE->SetText(",");
            TUiTestHarness::Click(fd.OkB);
        });
        TUiTestHarness::Click(d.LocalFormatB);
        EXPECT_EQ(d.Memo->Text(), "Sum: [x #n%2,2f]\r\n");
        // The expression at the end of the text, its angle brackets turned into square ones.
        d.Memo->SetSelStart(static_cast<int>(Length(d.Memo->Text())));
        TUiTestHarness::Click(d.ExprB);
        EXPECT_EQ(d.Memo->Text(), "Sum: [x #n%2,2f]\r\n[Items.\"Price\"]");
        TUiTestHarness::Click(d.WordWrapB);
        EXPECT_TRUE(d.Memo->WordWrap());
        TUiTestHarness::TypeKey(d.Memo, VK_RETURN, ssCtrl);
    });
    EXPECT_TRUE(changed);
    EXPECT_EQ(r.Memo1->Text(), "Sum: [x #n%2,2f]\r\n[Items.\"Price\"]\r\n");
    EXPECT_EQ(r.Memo1->DataField, "");

    // Escape in the memo cancels: nothing changes.
    const std::string before = r.Xml();
    EXPECT_FALSE(EditWith<TfrxMemoEditorForm>(r.Memo1, [&](TfrxMemoEditorForm& d) {
        TUiTestHarness::TypeText(d.Memo, "zzz");
        TUiTestHarness::TypeKey(d.Memo, VK_ESCAPE);
    }));
    EXPECT_EQ(r.Xml(), before);
}

// The window comes back where it was left; the settings store keeps it.
TEST_F(DialogsTest, MemoEditorRemembersItsPlace) {
    EXPECT_FALSE(EditWith<TfrxMemoEditorForm>(r.Memo1, [&](TfrxMemoEditorForm& d) {
        d.SetBounds(120, 90, 500, 320);
        TUiTestHarness::Click(d.CancelB);
    }));
    EXPECT_FALSE(EditWith<TfrxMemoEditorForm>(r.Memo1, [&](TfrxMemoEditorForm& d) {
        EXPECT_EQ(d.Left(), 120);
        EXPECT_EQ(d.Top(), 90);
        EXPECT_EQ(d.Width(), 500);
        EXPECT_EQ(d.Height(), 320);
        EXPECT_TRUE(d.Visible());
        TUiTestHarness::Click(d.CancelB);
    }));
    TIniFile ini(r.IniPath);
    EXPECT_EQ(ini.ReadInteger("Form.TfrxMemoEditorForm", "Width", 0), 500);
}

TEST_F(DialogsTest, MemoEditorInsertsAnAggregate) {
    for (TfrxComponent* c : r.Page->AllObjects()) r.Designer->Objects().push_back(c);
    r.Memo2->SetText("");
    EXPECT_TRUE(EditWith<TfrxMemoEditorForm>(r.Memo2, [&](TfrxMemoEditorForm& d) {
        ui.OnModal("TfrxSysMemoEditorForm", [&](TCustomForm& f) {
            auto& sd = As<TfrxSysMemoEditorForm>(f);
            EXPECT_EQ(sd.Caption(), frxResources().Get("agAggregate"));
            sd.FunctionCB->SetItemIndex(4);
            sd.DataBandCB->SetItemIndex(0);
            sd.DataBandCBChange(sd.DataBandCB);
            TUiTestHarness::Click(sd.OKB);
        });
        TUiTestHarness::Click(d.AggregateB);
        TUiTestHarness::Click(d.OkB);
    }));
    EXPECT_EQ(r.Memo2->Text(), "[COUNT(MasterData1)]\r\n");
}

}  // namespace
