// The object editors as the designer window opens them: the page settings command, the
// expression insertion, a double click or Enter on the selected object, the workspace's
// right-button menu with the editors' tick entries, and the highlight button. OK changes
// the report as one undo step that Undo takes back; Cancel leaves it as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <unistd.h>

#include "DesignerFixture.h"
#include "designer/code/SyntaxMemo.h"
#include "designer/controls/Ruler.h"
#include "designer/editors/DataBandEditor.h"
#include "designer/inspector/ObjectInspector.h"
#include "designer/dialogs/VarEditor.h"
#include "designer/editors/ExprEditor.h"
#include "designer/editors/FrameEditor.h"
#include "designer/editors/GroupEditor.h"
#include "designer/editors/HighlightEditor.h"
#include "designer/editors/MemoEditor.h"
#include "designer/editors/PageEditor.h"
#include "designer/editors/PictureEditor.h"
#include "designer/editors/Registration.h"
#include "designer/editors/SysMemoEditor.h"
#include "designer/undo/UndoBuffer.h"
#include "platform/graphics/Graphics.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/StdCtrls.h"
#include "preview/FlatCombo.h"
#include "report/DataSet.h"
#include "report/DesignRegistries.h"
#include "report/DialogControls.h"
#include "report/Frame.h"
#include "report/PictureView.h"
#include "report/Resources.h"

namespace {

template <class F>
F& As(TCustomForm& f) {
    return static_cast<F&>(f);
}

// The small report of the window tests with a dataset, a group header between the title
// and the data band, a picture and a system text in the title; its settings store is a
// file of the test's own.
struct TEditingWindow {
    TUiTestHarness Ui;
    std::string Ini;
    std::unique_ptr<TfrxReport> Report;
    std::unique_ptr<TfrxDesignerForm> Form;

    TEditingWindow() {
        frxRegisterDesignerTexts();
        frxRegisterDesignerEditors();
        Report = std::make_unique<TfrxReport>(nullptr);
        Ini = (std::filesystem::temp_directory_path() / ("window_editors_" + std::to_string(::getpid()) + ".ini"))
                  .string();
        Report->IniFile = Ini;
        auto* doctors = new TfrxUserDataSet(Report.get());
        doctors->SetName("DoctorsDS");
        doctors->SetUserName("Doctors");
        doctors->Fields()->Add("Doctor");
        Report->DataSets()->Add(doctors);
        TfrxReportPage* page = frxSmallReport(*Report);
        auto* group = new TfrxGroupHeader(page);
        group->SetName("GroupHeader1");
        group->SetBounds(0, 60, 718, 20);
        auto* title = Report->FindObject("ReportTitle1");
        auto* picture = new TfrxPictureView(title);
        picture->SetName("Picture1");
        picture->SetBounds(300, 5, 40, 30);
        TBitmap bitmap(8, 6);
        picture->Picture()->SetGraphic(&bitmap);
        auto* sys = new TfrxSysMemoView(title);
        sys->SetName("SysMemo1");
        sys->SetBounds(400, 5, 100, 20);
        sys->SetText("[PAGE#]");
        auto* dialog = new TfrxDialogPage(Report.get());
        dialog->SetName("DialogPage1");
        dialog->SetParent(Report.get());
        auto* button = new TfrxButtonControl(Report.get());
        button->SetName("Button1");
        button->SetParent(dialog);
        Report->ScriptText()->Clear();
        for (const char* line : {"begin", "", "end."}) Report->ScriptText()->Add(line);
        Form = std::make_unique<TfrxDesignerForm>(nullptr, Report.get(), false);
        Form->Show();
        TUiTestHarness::ProcessMessages();
    }
    ~TEditingWindow() {
        Form.reset();
        Report.reset();
        std::error_code ec;
        std::filesystem::remove(Ini, ec);
    }
    TfrxComponent* Find(const char* Name) const { return Report->FindObject(Name); }
    void Select(std::initializer_list<const char*> Names) {
        Form->SelectedObjects().clear();
        for (const char* n : Names) Form->SelectedObjects().push_back(Find(n));
        Form->OnSelectionChanged(Form->Workspace);
    }
    std::string Xml() const {
        TStringStream s;
        Report->SaveToStream(s);
        return s.DataString();
    }
    int UndoSteps() const { return Form->UndoBuffer()->UndoCount(); }
    // Enter on an object: a click on it selects it and gives the keyboard to the scroll box
    // the workspace lies in, then Enter.
    void EnterOn(const char* Name) {
        TUiTestHarness::Click(Form->Workspace, At(Name));
        TUiTestHarness::TypeKey(Form->ScrollBox, VK_RETURN);
    }
    // A point of the workspace inside the object, 5 pixels below its top edge: 5 pixels
    // right of its left edge, or for a band 250 pixels right of its left edge (clear of
    // the objects on the bands, and in view beside the tool windows). For the page, a
    // point below its bands.
    TPoint At(const char* Name) const {
        TfrxComponent* c = Find(Name);
        const double s = Form->Scale();
        if (c == Form->Page()) return Point(static_cast<int>(400 * s), static_cast<int>(400 * s));
        const double x = dynamic_cast<TfrxBand*>(c) ? c->AbsLeft() + 250 : c->AbsLeft() + 5;
        return Point(static_cast<int>(x * s), static_cast<int>((c->AbsTop() + 5) * s));
    }
};

// A memo's text without the line break that ends its last line.
std::string TextOf(TfrxComponent* Memo) {
    std::string s = dynamic_cast<TfrxCustomMemoView*>(Memo)->Text();
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    return s;
}

// The change an OK makes, and what shows it.
struct TEditCase {
    const char* name;
    const char* object;
    const char* form;
    std::function<void(TCustomForm&)> change;   // before OK
    std::function<bool(TEditingWindow&)> changed;
};

const TEditCase kEditCases[] = {
    {"memo text", "Memo2", "TfrxMemoEditorForm",
     [](TCustomForm& f) { As<TfrxMemoEditorForm>(f).Memo->SetText("诊查费"); },
     [](TEditingWindow& w) { return TextOf(w.Find("Memo2")) == "诊查费"; }},
    {"system text", "SysMemo1", "TfrxSysMemoEditorForm",
     [](TCustomForm& f) {
         auto& d = As<TfrxSysMemoEditorForm>(f);
         d.TextRB->SetChecked(true);
         d.TextE->SetText("[DATE]");
     },
     [](TEditingWindow& w) { return TextOf(w.Find("SysMemo1")) == "[DATE]"; }},
    {"data band", "MasterData1", "TfrxDataBandEditorForm",
     [](TCustomForm& f) {
         auto& d = As<TfrxDataBandEditorForm>(f);
         d.DatasetsLB->SetItemIndex(d.DatasetsLB->Items()->IndexOf("Doctors"));
     },
     [](TEditingWindow& w) {
         auto* ds = dynamic_cast<TfrxDataBand*>(w.Find("MasterData1"))->DataSet();
         return ds && ds->UserName() == "Doctors";
     }},
    {"group", "GroupHeader1", "TfrxGroupEditorForm",
     [](TCustomForm& f) {
         auto& d = As<TfrxGroupEditorForm>(f);
         d.ExpressionRB->SetChecked(true);
         d.ExpressionE->SetText("<Doctors.\"Doctor\">");
     },
     [](TEditingWindow& w) {
         return dynamic_cast<TfrxGroupHeader*>(w.Find("GroupHeader1"))->Condition == "<Doctors.\"Doctor\">";
     }},
    {"page", "Page1", "TfrxPageEditorForm",
     [](TCustomForm& f) { As<TfrxPageEditorForm>(f).WidthE->SetText("15"); },
     [](TEditingWindow& w) { return dynamic_cast<TfrxReportPage*>(w.Find("Page1"))->PaperWidth() == 150; }},
    {"picture", "Picture1", "TfrxPictureEditorForm",
     [](TCustomForm& f) { TUiTestHarness::Click(As<TfrxPictureEditorForm>(f).ClearB); },
     [](TEditingWindow& w) { return dynamic_cast<TfrxPictureView*>(w.Find("Picture1"))->Picture()->Empty(); }},
};

// Presses OK (or Cancel) of whichever editor window is open.
void Close(TCustomForm& f, bool Ok) {
    const std::string cls = f.ClassName();
    TControl* b = nullptr;
    if (cls == "TfrxMemoEditorForm") b = Ok ? As<TfrxMemoEditorForm>(f).OkB : As<TfrxMemoEditorForm>(f).CancelB;
    else if (cls == "TfrxSysMemoEditorForm")
        b = Ok ? As<TfrxSysMemoEditorForm>(f).OKB : As<TfrxSysMemoEditorForm>(f).CancelB;
    else if (cls == "TfrxDataBandEditorForm")
        b = Ok ? As<TfrxDataBandEditorForm>(f).OkB : As<TfrxDataBandEditorForm>(f).CancelB;
    else if (cls == "TfrxGroupEditorForm") b = Ok ? As<TfrxGroupEditorForm>(f).OKB : As<TfrxGroupEditorForm>(f).CancelB;
    else if (cls == "TfrxPictureEditorForm")
        b = Ok ? As<TfrxPictureEditorForm>(f).OkB : As<TfrxPictureEditorForm>(f).CancelB;
    else if (cls == "TfrxPageEditorForm") b = Ok ? As<TfrxPageEditorForm>(f).OkB : As<TfrxPageEditorForm>(f).CancelB;
    else if (cls == "TfrxHighlightEditorForm")
        b = Ok ? As<TfrxHighlightEditorForm>(f).OKB : As<TfrxHighlightEditorForm>(f).CancelB;
    ASSERT_NE(b, nullptr) << cls;
    TUiTestHarness::Click(b);
}

// How the user asks for the editor of the selected object.
enum class TAsk { DoubleClick, Enter, EditCommand };

void Ask(TEditingWindow& w, TAsk How, const char* Object) {
    switch (How) {
    case TAsk::DoubleClick: TUiTestHarness::DblClick(w.Form->Workspace, w.At(Object)); break;
    case TAsk::Enter: w.EnterOn(Object); break;
    case TAsk::EditCommand: w.Form->EditCmd->Execute(); break;
    }
}

TEST(DesignerWindowEditors, TheSelectedObjectsEditorChangesItAsOneUndoStep) {
    for (TAsk how : {TAsk::DoubleClick, TAsk::Enter, TAsk::EditCommand}) {
        for (const TEditCase& c : kEditCases) {
            SCOPED_TRACE(std::string(c.name) + " asked by " + std::to_string(static_cast<int>(how)));
            TEditingWindow w;
            w.Select({c.object});
            const std::string before = w.Xml();
            const int steps = w.UndoSteps();

            std::string opened;
            w.Ui.OnModal([&](TCustomForm& f) {
                opened = f.ClassName();
                Close(f, false);
            });
            Ask(w, how, c.object);
            EXPECT_EQ(opened, c.form);
            EXPECT_EQ(w.Xml(), before);
            EXPECT_FALSE(w.Form->Modified());
            EXPECT_EQ(w.UndoSteps(), steps);

            opened.clear();
            w.Ui.OnModal([&](TCustomForm& f) {
                opened = f.ClassName();
                c.change(f);
                Close(f, true);
            });
            w.Select({c.object});   // a double click's press selects it again
            Ask(w, how, c.object);
            EXPECT_EQ(opened, c.form);
            EXPECT_TRUE(c.changed(w));
            EXPECT_TRUE(w.Form->Modified());
            EXPECT_EQ(w.UndoSteps(), steps + 1);

            w.Form->UndoCmdExecute(w.Form->UndoCmd);
            EXPECT_EQ(w.Xml(), before);
            EXPECT_TRUE(w.Ui.Errors().empty());
        }
    }
}

TEST(DesignerWindowEditors, PageSettingsCommandOpensThePageDialog) {
    TEditingWindow w;
    w.Select({"Page1"});
    ASSERT_TRUE(w.Form->PageSettingsCmd->Enabled());
    auto* page = dynamic_cast<TfrxReportPage*>(w.Find("Page1"));
    const double width = page->PaperWidth();
    const std::string before = w.Xml();
    const int steps = w.UndoSteps();

    w.Ui.OnModal("TfrxPageEditorForm", [&](TCustomForm& f) {
        As<TfrxPageEditorForm>(f).WidthE->SetText("15");
        Close(f, false);
    });
    w.Form->PageSettingsCmd->Execute();
    EXPECT_EQ(w.Xml(), before);
    EXPECT_FALSE(w.Form->Modified());

    w.Ui.OnModal("TfrxPageEditorForm", [&](TCustomForm& f) {
        As<TfrxPageEditorForm>(f).WidthE->SetText("15");   // centimetres, the unit in force
        Close(f, true);
    });
    w.Form->PageSettingsCmd->Execute();
    EXPECT_DOUBLE_EQ(page->PaperWidth(), 150);
    EXPECT_NE(width, 150);
    EXPECT_TRUE(w.Form->Modified());
    EXPECT_EQ(w.UndoSteps(), steps + 1);
    w.Form->UndoCmdExecute(w.Form->UndoCmd);
    EXPECT_EQ(w.Xml(), before);

    // Inches in force: the dialog shows and reads inches.
    w.Form->SetUnits(1);
    w.Ui.OnModal("TfrxPageEditorForm", [&](TCustomForm& f) {
        As<TfrxPageEditorForm>(f).WidthE->SetText("5");
        Close(f, true);
    });
    w.Form->PageSettingsCmd->Execute();
    EXPECT_DOUBLE_EQ(dynamic_cast<TfrxReportPage*>(w.Find("Page1"))->PaperWidth(), 127);
}

TEST(DesignerWindowEditors, ExpressionInsertionOpensTheExpressionWindow) {
    TEditingWindow w;
    struct Case {
        const char* name;
        const char* typed;
        bool ok;
        const char* result;
    } cases[] = {
        {"OK gives the text", "<Doctors.\"Doctor\"> + 'x'", true, "<Doctors.\"Doctor\"> + 'x'"},
        {"Cancel gives nothing", "1 + 2", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w.Ui.OnModal("TfrxExprEditorForm", [&](TCustomForm& f) {
            auto& d = As<TfrxExprEditorForm>(f);
            EXPECT_EQ(d.ExprMemo->Text(), "start");
            d.ExprMemo->SetText(c.typed);
            TUiTestHarness::Click(c.ok ? d.OkB : d.CancelB);
        });
        EXPECT_EQ(w.Form->InsertExpression("start"), c.result);
    }
    // One that does not compile keeps the window open with the text and the compiler's
    // message, until it is mended.
    w.Ui.OnModal("TfrxExprEditorForm", [&](TCustomForm& f) {
        auto& d = As<TfrxExprEditorForm>(f);
        d.ExprMemo->SetText("1 + (2");
        TUiTestHarness::Click(d.OkB);
    });
    w.Ui.OnModal("TfrxExprEditorForm", [&](TCustomForm& f) {
        auto& d = As<TfrxExprEditorForm>(f);
        EXPECT_EQ(d.ExprMemo->Text(), "1 + (2");
        ASSERT_EQ(w.Ui.DialogTexts().size(), 1u);
        EXPECT_EQ(w.Ui.DialogTexts()[0].rfind(frxResources().Get("clExprError") + " '1 + (2': ", 0), 0u);
        d.ExprMemo->SetText("1 + (2)");
        TUiTestHarness::Click(d.OkB);
    });
    EXPECT_EQ(w.Form->InsertExpression(""), "1 + (2)");
    EXPECT_TRUE(w.Ui.Errors().empty());
}

TEST(DesignerWindowEditors, AnEditorsExpressionButtonOpensTheWindowsExpressionEditor) {
    TEditingWindow w;
    w.Select({"GroupHeader1"});
    w.Ui.OnModal("TfrxGroupEditorForm", [&](TCustomForm& f) {
        auto& d = As<TfrxGroupEditorForm>(f);
        d.ExpressionRB->SetChecked(true);
        w.Ui.OnModal("TfrxExprEditorForm", [&](TCustomForm& e) {
            auto& x = As<TfrxExprEditorForm>(e);
            x.ExprMemo->SetText("<Doctors.\"Doctor\">");
            TUiTestHarness::Click(x.OkB);
        });
        d.ExpressionEButtonClick(d.ExpressionE);
        EXPECT_EQ(d.ExpressionE->Text(), "<Doctors.\"Doctor\">");
        TUiTestHarness::Click(d.OKB);
    });
    w.EnterOn("GroupHeader1");
    EXPECT_EQ(dynamic_cast<TfrxGroupHeader*>(w.Find("GroupHeader1"))->Condition, "<Doctors.\"Doctor\">");
    EXPECT_TRUE(w.Ui.Errors().empty());
}

// The event rows and the dialog controls open their handlers in the window's code page.
TEST(DesignerWindowEditors, EventEditorsOpenTheirHandlersInTheCodePage) {
    TEditingWindow w;
    auto code = [&] { return w.Form->GetCode(); };
    auto* memo = dynamic_cast<TfrxMemoView*>(w.Find("Memo2"));
    w.Select({"Memo2"});
    auto rows = frxBuildPropertyList(memo, w.Form.get());
    TfrxPropertyItem* row = rows->Find("OnBeforePrint");
    ASSERT_NE(row, nullptr);
    EXPECT_TRUE(row->Editor->Edit());
    EXPECT_EQ(memo->OnBeforePrint, "Memo2OnBeforePrint");
    EXPECT_EQ(w.Form->Page(), nullptr);   // the code page shows
    ASSERT_GE(code().size(), 1u);
    EXPECT_EQ(code()[0], "procedure Memo2OnBeforePrint(Sender: TfrxComponent);");
    // The caret in the new handler's empty body line, indented.
    EXPECT_EQ(w.Form->CodeWindow->GetCaretPos().Y, 3);
    EXPECT_EQ(w.Form->CodeWindow->GetCaretPos().X, 3);
    row->Editor->GetValues();
    EXPECT_EQ(row->Editor->Values, std::vector<std::string>{"Memo2OnBeforePrint"});
    const size_t lines = code().size();
    EXPECT_FALSE(row->Editor->Edit());   // it exists now: shown, nothing made
    EXPECT_EQ(code().size(), lines);

    // A dialog control's double click: its click handler.
    w.Form->SetPage(dynamic_cast<TfrxPage*>(w.Find("DialogPage1")));
    w.Select({"Button1"});
    w.Form->OnEditObject(w.Form->Workspace);
    EXPECT_EQ(dynamic_cast<TfrxButtonControl*>(w.Find("Button1"))->OnClick, "Button1OnClick");
    EXPECT_EQ(w.Form->Page(), nullptr);
    const std::vector<std::string> after = code();
    EXPECT_NE(std::find(after.begin(), after.end(), "procedure Button1OnClick(Sender: TfrxComponent);"), after.end());
    EXPECT_TRUE(w.Form->Modified());
    EXPECT_TRUE(w.Ui.Errors().empty());
}

// A double click on the empty event row of the docked inspector: the handler is made, the
// code page shows it, and what is typed next lands indented in its body.
TEST(DesignerWindowEditors, InspectorEventRowPutsTheCaretInTheNewHandler) {
    TEditingWindow w;
    w.Select({"Memo2"});
    w.Form->Inspector->SetTabIndex(1);
    const int row = w.Form->Inspector->FindRow("OnBeforePrint");
    ASSERT_GE(row, 0);
    w.Form->Inspector->SetItemIndex(row);
    TUiTestHarness::DblClick(w.Form->Inspector->Edit1);
    TUiTestHarness::ProcessMessages();
    // The inspector's edit box loses the focus to the code page.
    w.Form->Inspector->Edit1Exit(w.Form->Inspector->Edit1);
    EXPECT_EQ(w.Form->Page(), nullptr);
    EXPECT_EQ(w.Form->GetCode()[0], "procedure Memo2OnBeforePrint(Sender: TfrxComponent);");
    EXPECT_EQ(w.Form->CodeWindow->GetCaretPos().Y, 3);
    EXPECT_EQ(w.Form->CodeWindow->GetCaretPos().X, 3);
    TUiTestHarness::TypeText(w.Form->CodeWindow, "XY");
    EXPECT_EQ(w.Form->GetCode()[2], "  XY");
    EXPECT_EQ(dynamic_cast<TfrxMemoView*>(w.Find("Memo2"))->OnBeforePrint, "Memo2OnBeforePrint");
    EXPECT_TRUE(w.Ui.Errors().empty());
}

// The Frame row's button in the docked inspector opens the frame dialog on the memo.
TEST(DesignerWindowEditors, InspectorFrameRowOpensTheFrameDialog) {
    TEditingWindow w;
    w.Select({"Memo2"});
    const std::string before = w.Xml();
    const int steps = w.UndoSteps();
    auto edit = [&](bool Ok) {
        w.Ui.OnModal("TfrxFrameEditorForm", [&, Ok](TCustomForm& f) {
            auto& d = As<TfrxFrameEditorForm>(f);
            TUiTestHarness::Click(d.FrameTopB);
            TUiTestHarness::Click(d.ShadowB);
            TUiTestHarness::Click(Ok ? d.OkB : d.CancelB);
        });
        w.Form->Inspector->SetTabIndex(0);
        const int row = w.Form->Inspector->FindRow("Frame");
        ASSERT_GE(row, 0);
        w.Form->Inspector->SetItemIndex(row);
        w.Form->Inspector->EditBtnClick(w.Form->Inspector->Edit1);
    };
    edit(false);
    EXPECT_EQ(w.Xml(), before);
    EXPECT_EQ(w.UndoSteps(), steps);
    edit(true);
    TfrxFrame* frame = dynamic_cast<TfrxMemoView*>(w.Find("Memo2"))->Frame();
    EXPECT_TRUE(frame->Typ.Contains(ftTop));
    EXPECT_TRUE(frame->DropShadow);
    EXPECT_TRUE(w.Form->Modified());
    EXPECT_EQ(w.UndoSteps(), steps + 1);
    w.Form->UndoCmdExecute(w.Form->UndoCmd);
    EXPECT_EQ(w.Xml(), before);
    EXPECT_TRUE(w.Ui.Errors().empty());
}

// Positions and sizes in the inspector's rows follow the window's unit.
TEST(DesignerWindowEditors, PositionRowsShowTheWindowsUnit) {
    TEditingWindow w;
    auto* memo = w.Find("Memo3");   // Left 120 pixels
    const struct {
        int units;
        const char* shown;
    } cases[] = {{0, "3.17"}, {1, "1.25"}, {2, "120"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.units);
        w.Form->SetUnits(c.units);
        auto rows = frxBuildPropertyList(memo, w.Form.get());
        EXPECT_EQ(rows->Find("Left")->Editor->GetValue(), c.shown);
    }
}

// The right-button menu of an object: its entries and their ticks as shown, clicked.
struct TMenuSeen {
    std::vector<TMenuItem*> items;
    TMenuItem* Find(const char* Key) const {
        const std::string caption = frxResources().Get(Key);
        for (TMenuItem* m : items)
            if (m->Caption() == caption) return m;
        return nullptr;
    }
};

TMenuSeen RightClick(TEditingWindow& w, const char* Object) {
    TMenuSeen seen;
    w.Ui.OnPopup([&](TPopupMenu& Menu, TPoint) {
        for (int i = 0; i < Menu.Items()->Count(); ++i) seen.items.push_back(Menu.Items()->Items(i));
    });
    const TPoint p = w.At(Object);
    TUiTestHarness::MouseDown(w.Form->Workspace, p, mbRight);
    TUiTestHarness::MouseUp(w.Form->Workspace, p, mbRight);
    return seen;
}

TEST(DesignerWindowEditors, RightButtonMenuTicksAndTogglesTheObjectsSwitches) {
    struct Case {
        const char* name;
        const char* object;
        const char* key;
        std::function<bool(TfrxComponent*)> value;
    } cases[] = {
        {"data band splits", "MasterData1", "bvSplit",
         [](TfrxComponent* c) { return dynamic_cast<TfrxBand*>(c)->AllowSplit; }},
        {"data band prints when the detail is empty", "MasterData1", "bvPrintIfEmpty",
         [](TfrxComponent* c) { return dynamic_cast<TfrxDataBand*>(c)->PrintIfDetailEmpty; }},
        {"group kept together", "GroupHeader1", "bvKeepGroup",
         [](TfrxComponent* c) { return dynamic_cast<TfrxGroupHeader*>(c)->KeepTogether; }},
        {"picture centred", "Picture1", "pvCenter",
         [](TfrxComponent* c) { return dynamic_cast<TfrxPictureView*>(c)->Center; }},
        {"memo word wrap", "Memo2", "mvWWrap",
         [](TfrxComponent* c) { return dynamic_cast<TfrxMemoView*>(c)->WordWrap; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TEditingWindow w;
        w.Select({c.object});
        const bool was = c.value(w.Find(c.object));
        const std::string before = w.Xml();
        const int steps = w.UndoSteps();
        TMenuSeen menu = RightClick(w, c.object);
        ASSERT_EQ(w.Form->SelectedObjects(), std::vector<TfrxComponent*>{w.Find(c.object)});
        TMenuItem* item = menu.Find(c.key);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->Checked(), was);
        EXPECT_TRUE(w.Form->EditMI1->Visible());
        TUiTestHarness::ClickMenuItem(item);
        EXPECT_EQ(c.value(w.Find(c.object)), !was);
        EXPECT_TRUE(w.Form->Modified());
        EXPECT_EQ(w.UndoSteps(), steps + 1);
        w.Form->UndoCmdExecute(w.Form->UndoCmd);
        EXPECT_EQ(w.Xml(), before);

        // A locked object keeps its value, and nothing is recorded.
        TfrxComponent* o = w.Find(c.object);
        o->SetRestrictions(TfrxRestrictions{rfDontModify});
        w.Select({c.object});
        const std::string locked = w.Xml();
        const int lockedSteps = w.UndoSteps();
        menu = RightClick(w, c.object);
        item = menu.Find(c.key);
        ASSERT_NE(item, nullptr);
        TUiTestHarness::ClickMenuItem(item);
        EXPECT_EQ(w.Xml(), locked);
        EXPECT_EQ(w.UndoSteps(), lockedSteps);
    }
}

TEST(DesignerWindowEditors, BandEntriesOnlyForOneSelectedObject) {
    TEditingWindow w;
    for (bool two : {false, true}) {
        SCOPED_TRACE(two ? "two bands" : "one band");
        if (two) w.Select({"MasterData1", "GroupHeader1"});
        else w.Select({"MasterData1"});
        w.Form->PagePopupPopup(w.Form->PagePopup);
        bool stretch = false;
        for (int i = 0; i < w.Form->PagePopup->Items()->Count(); ++i)
            stretch |= w.Form->PagePopup->Items()->Items(i)->Caption() == frxResources().Get("mvStretch");
        EXPECT_EQ(stretch, !two);
        // The data band's own dialog: Edit is the default entry.
        EXPECT_TRUE(w.Form->EditMI1->Enabled());
    }
    // A band without a dialog: Edit is disabled.
    w.Select({"ReportTitle1"});
    w.Form->PagePopupPopup(w.Form->PagePopup);
    EXPECT_FALSE(w.Form->EditMI1->Enabled());
}

TEST(DesignerWindowEditors, HighlightButtonCopiesTheFirstMemosHighlight) {
    TEditingWindow w;
    w.Select({"Memo2", "Memo3", "ReportTitle1"});
    ASSERT_TRUE(w.Form->HighlightB->Enabled());
    const std::string before = w.Xml();
    const int steps = w.UndoSteps();
    auto set = [&](bool Ok) {
        w.Ui.OnModal("TfrxHighlightEditorForm", [&, Ok](TCustomForm& f) {
            auto& d = As<TfrxHighlightEditorForm>(f);
            d.ConditionE->SetText("<Doctors.\"Doctor\"> = 'x'");
            d.BoldCB->SetChecked(true);
            Close(f, Ok);
        });
        TUiTestHarness::Click(w.Form->HighlightB);
    };
    set(false);
    EXPECT_EQ(w.Xml(), before);
    EXPECT_FALSE(w.Form->Modified());

    set(true);
    for (const char* name : {"Memo2", "Memo3"}) {
        SCOPED_TRACE(name);
        TfrxHighlight* h = dynamic_cast<TfrxMemoView*>(w.Find(name))->Highlight();
        EXPECT_EQ(h->Condition, "<Doctors.\"Doctor\"> = 'x'");
        EXPECT_TRUE(h->Font()->Style().Contains(fsBold));
    }
    EXPECT_EQ(w.UndoSteps(), steps + 1);
    w.Form->UndoCmdExecute(w.Form->UndoCmd);
    EXPECT_EQ(w.Xml(), before);

    // A locked first memo opens nothing.
    w.Find("Memo2")->SetRestrictions(TfrxRestrictions{rfDontModify});
    w.Select({"Memo2"});
    const std::string locked = w.Xml();
    const int lockedSteps = w.UndoSteps();
    TUiTestHarness::Click(w.Form->HighlightB);
    EXPECT_EQ(w.Xml(), locked);
    EXPECT_EQ(w.UndoSteps(), lockedSteps);
    EXPECT_TRUE(w.Ui.Errors().empty());
}

// Esc closes every editor window the designer opens, from whatever control holds the
// focus as it opens, as its Cancel does: the report stays as it was and no window is left
// open.
TEST(DesignerWindowEditors, EscClosesEveryEditorAsCancelDoes) {
    using H = TUiTestHarness;
    frxRegisterDesigner();   // the report dialogs of the Report and View menus
    auto inspectorRow = [](TEditingWindow& w, const char* Row) {
        w.Form->Inspector->SetTabIndex(0);
        const int row = w.Form->Inspector->FindRow(Row);
        ASSERT_GE(row, 0) << Row;
        w.Form->Inspector->SetItemIndex(row);
        w.Form->Inspector->EditBtnClick(w.Form->Inspector->Edit1);
    };
    const struct {
        const char* form;
        const char* object;   // selected before the window is asked for
        std::function<void(TEditingWindow&)> open;
    } cases[] = {
        {"TfrxStyleEditorForm", "Memo2", [](TEditingWindow& w) { H::ClickMenuItem(w.Form->ReportStylesMI); }},
        {"TfrxStyleEditorForm", "Memo2", [](TEditingWindow& w) { H::DblClick(w.Form->StyleCB); }},
        {"TfrxVarEditorForm", "Memo2", [](TEditingWindow& w) { H::Click(w.Form->VariablesB); }},
        {"TfrxReportEditorForm", "Memo2", [](TEditingWindow& w) { H::ClickMenuItem(w.Form->ReportSettingsMI); }},
        {"TfrxReportDataForm", "Memo2", [](TEditingWindow& w) { H::ClickMenuItem(w.Form->ReportDataMI); }},
        {"TfrxOptionsEditor", "Memo2", [](TEditingWindow& w) { H::ClickMenuItem(w.Form->OptionsMI); }},
        {"TfrxPageEditorForm", "Page1", [](TEditingWindow& w) { H::DblClick(w.Form->Workspace, w.At("Page1")); }},
        {"TfrxDataBandEditorForm", "MasterData1",
         [](TEditingWindow& w) { H::DblClick(w.Form->Workspace, w.At("MasterData1")); }},
        {"TfrxGroupEditorForm", "GroupHeader1",
         [](TEditingWindow& w) { H::DblClick(w.Form->Workspace, w.At("GroupHeader1")); }},
        {"TfrxMemoEditorForm", "Memo2", [](TEditingWindow& w) { H::DblClick(w.Form->Workspace, w.At("Memo2")); }},
        {"TfrxSysMemoEditorForm", "SysMemo1",
         [](TEditingWindow& w) { H::DblClick(w.Form->Workspace, w.At("SysMemo1")); }},
        {"TfrxPictureEditorForm", "Picture1",
         [](TEditingWindow& w) { H::DblClick(w.Form->Workspace, w.At("Picture1")); }},
        {"TfrxHighlightEditorForm", "Memo2", [](TEditingWindow& w) { H::Click(w.Form->HighlightB); }},
        {"TfrxFrameEditorForm", "Memo2", [&](TEditingWindow& w) { inspectorRow(w, "Frame"); }},
        {"TfrxFormatEditorForm", "Memo2", [&](TEditingWindow& w) { inspectorRow(w, "DisplayFormat"); }},
        // From the variables window's List button; Esc then closes the variables window too.
        {"TfrxStringsEditorForm", "Memo2", [](TEditingWindow& w) { H::Click(w.Form->VariablesB); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.form);
        TEditingWindow w;
        w.Select({c.object});
        const std::string before = w.Xml();
        std::string opened;
        bool closed = false;
        auto escape = [&](TCustomForm& f) {
            opened = f.ClassName();
            H::TypeKey(VK_ESCAPE);
            closed = f.ModalResult() == mrCancel;
        };
        if (std::string(c.form) == "TfrxStringsEditorForm") {
            w.Ui.OnModal("TfrxVarEditorForm", [&](TCustomForm& f) {
                w.Ui.OnModal(c.form, escape);
                H::Click(As<TfrxVarEditorForm>(f).EditListB);
                H::TypeKey(VK_ESCAPE);
            });
        } else {
            w.Ui.OnModal(c.form, escape);
        }
        c.open(w);
        EXPECT_EQ(opened, c.form);
        EXPECT_TRUE(closed);
        EXPECT_EQ(w.Xml(), before);
        EXPECT_FALSE(w.Form->Modified());
        for (const std::string& e : w.Ui.Errors()) ADD_FAILURE() << e;
        EXPECT_EQ(w.Ui.PendingDrivers(), 0);
    }
}

}  // namespace
