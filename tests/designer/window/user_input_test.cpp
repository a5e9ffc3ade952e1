// The designer as a user drives it: clicks at points of its controls and keys typed to
// whichever control holds the focus; what the user did must stay in the report.
#include <gtest/gtest.h>

#include "../ComboListRows.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "DesignerFixture.h"
#include "designer/code/SyntaxMemo.h"
#include "designer/controls/Ruler.h"
#include "designer/dialogs/StyleEditor.h"
#include "designer/editors/Registration.h"
#include "designer/inspector/ObjectInspector.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/StrUtils.h"
#include "designer/undo/UndoBuffer.h"
#include "designer/workspace/PageWorkspace.h"
#include "designer/workspace/Workspace.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Menus.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/StdCtrls.h"
#include "report/DataSet.h"
#include "report/Styles.h"
#include "preview/FlatCombo.h"
#include "platform/graphics/Colors.h"

#include <QImage>
#include <QLineEdit>

namespace {
using H = TUiTestHarness;

// A point of the workspace inside the object, 5 pixels right of its left edge and below its
// top edge, at the designer's zoom.
TPoint At(TDesignerFixture& f, const char* Name) {
    TfrxComponent* c = f.Find(Name);
    const double s = f.Form->Scale();
    return Point(static_cast<int>((c->AbsLeft() + 5) * s), static_cast<int>((c->AbsTop() + 5) * s));
}

std::string TextOf(TfrxComponent* Memo) {
    std::string s = dynamic_cast<TfrxCustomMemoView*>(Memo)->Text();
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    return s;
}

// The in-place editor opened by the text tool or by Alt+click: what is typed replaces the
// memo's text when a click on the workspace ends the edit, as one undo step; Esc, or an
// edit without typing, leaves the memo and the modified state as they were.
TEST(DesignerUserInput, InPlaceEditKeepsWhatWasTyped) {
    const std::string old = "XXX医院门诊收费结算收据";
    enum TEnd { kClick, kEscape };
    struct {
        const char* Name;
        bool Alt;
        const char* Typed;
        TEnd End;
        const char* Text;
    } cases[] = {
        {"text tool", false, "新标题", kClick, "新标题"},
        {"alt click", true, "门诊收据", kClick, "门诊收据"},
        {"escape", true, "作废", kEscape, nullptr},
        {"no typing", false, "", kClick, nullptr},
    };
    for (const auto& c : cases) {
        TDesignerFixture f;
        TInplaceMemo* editor = f.Form->Workspace->InplaceMemo();
        const int steps = f.Form->UndoBuffer()->UndoCount();
        const TPoint p = At(f, "TitleMemo");
        TShiftState shift = 0;
        if (c.Alt) shift = ssAlt;
        else H::Click(f.Form->TextToolB);
        // The mouse comes to the memo (with Alt held) before it is pressed there.
        H::MouseMove(f.Form->Workspace, p, shift);
        H::Click(f.Form->Workspace, p, mbLeft, shift);
        ASSERT_TRUE(editor->Visible()) << c.Name;
        ASSERT_EQ(H::FocusedControl(), editor) << c.Name;
        H::TypeText(editor, c.Typed);
        if (c.End == kEscape) {
            H::TypeKey(editor, VK_ESCAPE);
        } else {
            // A click on the page away from the memo, where the scroll box shows it.
            const TRect view = f.Form->ScrollBox->ClientRect();
            TControl* ws = f.Form->Workspace;
            H::Click(ws, Point(std::min(view.Width() - ws->Left(), ws->Width()) - 40,
                               std::min(view.Height() - ws->Top(), ws->Height()) - 40));
        }
        EXPECT_FALSE(editor->Visible()) << c.Name;
        const bool changed = c.Text != nullptr;
        EXPECT_EQ(TextOf(f.Find("TitleMemo")), changed ? c.Text : old) << c.Name;
        EXPECT_EQ(f.Form->Modified(), changed) << c.Name;
        EXPECT_EQ(f.Form->UndoBuffer()->UndoCount(), steps + (changed ? 1 : 0)) << c.Name;
        EXPECT_TRUE(f.Harness.Errors().empty()) << c.Name;
    }
}

// The memo under the in-place editor goes while the editor is open (freed as an undo or a
// deletion from elsewhere frees it): the editor forgets it, and the click that ends the edit
// writes into no freed object.
TEST(DesignerUserInput, TheMemoUnderTheInPlaceEditorGoesWhileItIsOpen) {
    TDesignerFixture f;
    TInplaceMemo* editor = f.Form->Workspace->InplaceMemo();
    H::Click(f.Form->TextToolB);
    H::Click(f.Form->Workspace, At(f, "TitleMemo"));
    ASSERT_TRUE(editor->Visible());
    H::TypeText(editor, "新标题");
    ASSERT_NE(editor->Memo(), nullptr);
    // Deleted as the menu's command deletes it (the keys go to the editor meanwhile).
    f.Form->SelectedObjects().assign(1, f.Find("TitleMemo"));
    f.Form->DeleteCmd->Execute();
    EXPECT_EQ(editor->Memo(), nullptr);
    const TRect view = f.Form->ScrollBox->ClientRect();
    TControl* ws = f.Form->Workspace;
    H::Click(ws, Point(std::min(view.Width() - ws->Left(), ws->Width()) - 40,
                       std::min(view.Height() - ws->Top(), ws->Height()) - 40));
    EXPECT_FALSE(editor->Visible());
    EXPECT_EQ(f.Find("TitleMemo"), nullptr);
}

// With the text tool, a double click on a memo: the first click opens the in-place editor
// over the memo, the second (which the platform gives as a double click) lands on the
// editor and ends the edit, leaving the memo as it was.
TEST(DesignerUserInput, ASecondClickOnTheInPlaceEditorEndsTheEdit) {
    TDesignerFixture f;
    TInplaceMemo* editor = f.Form->Workspace->InplaceMemo();
    const std::string text = TextOf(f.Find("TitleMemo"));
    H::Click(f.Form->TextToolB);
    H::DblClick(f.Form->Workspace, At(f, "TitleMemo"));
    EXPECT_FALSE(editor->Visible());
    EXPECT_EQ(TextOf(f.Find("TitleMemo")), text);
    EXPECT_FALSE(f.Form->Modified());
    EXPECT_TRUE(f.Harness.Errors().empty());
}

// The palette from top to bottom: the select, hand, zoom, text and format tools, the
// separator, the band button, then the objects.
TEST(DesignerUserInput, ThePaletteStandsInItsOrder) {
    TDesignerFixture f;
    TToolBar* bar = f.Form->ObjectsTB1;
    const std::vector<TToolButton*> first = {f.Form->ObjectSelectB, f.Form->HandToolB, f.Form->ZoomToolB,
                                             f.Form->TextToolB,     f.Form->FormatToolB, f.Form->SepTB14,
                                             f.Form->ObjectBandB};
    ASSERT_GT(bar->ButtonCount(), static_cast<int>(first.size()));
    for (size_t i = 0; i < first.size(); ++i) EXPECT_EQ(bar->Buttons(static_cast<int>(i)), first[i]) << i;
    int top = -1;
    for (int i = 0; i < bar->ButtonCount(); ++i) {
        TToolButton* b = bar->Buttons(i);
        if (!b->Visible()) continue;
        EXPECT_GT(b->Top(), top) << i;
        top = b->Top();
        if (i >= static_cast<int>(first.size())) {
            EXPECT_NE(b->Tag(), 1000) << i;
        }
    }
}

// Each tool, then the arrow: the tool goes up, the arrow stays down and a click on a memo
// selects it again. An armed object goes the same way.
TEST(DesignerUserInput, EveryToolGivesWayToTheSelectTool) {
    frxRegisterDesignerEditors();   // the palette's objects, the memo among them
    TDesignerFixture f;
    TToolButton* memoButton = nullptr;
    for (int i = 0; i < f.Form->ObjectsTB1->ButtonCount(); ++i) {
        TToolButton* b = f.Form->ObjectsTB1->Buttons(i);
        if (b->Tag() != 1000 && b->Visible() && b->Style() == tbsCheck && !memoButton) memoButton = b;
    }
    ASSERT_NE(memoButton, nullptr);
    for (TToolButton* tool : {f.Form->HandToolB, f.Form->ZoomToolB, f.Form->TextToolB, f.Form->FormatToolB, memoButton}) {
        const std::string name = tool == memoButton ? "object" : tool->Name();
        // The format painter takes its sample from the one selected memo.
        H::Click(f.Form->Workspace, At(f, "Memo2"));
        ASSERT_EQ(f.Selection(), std::vector<TfrxComponent*>{f.Find("Memo2")}) << name;
        H::Click(tool);
        EXPECT_TRUE(tool->Down()) << name;
        EXPECT_FALSE(f.Form->ObjectSelectB->Down()) << name;
        H::Click(f.Form->ObjectSelectB);
        EXPECT_TRUE(f.Form->ObjectSelectB->Down()) << name;
        EXPECT_FALSE(tool->Down()) << name;
        EXPECT_EQ(f.Form->Workspace->Tool(), TDesignerWorkspace::toolSelect) << name;
        EXPECT_FALSE(f.Form->Workspace->Inserting()) << name;
        const TPoint p = At(f, "TitleMemo");
        H::MouseMove(f.Form->Workspace, p);
        H::Click(f.Form->Workspace, p);
        EXPECT_EQ(f.Selection(), std::vector<TfrxComponent*>{f.Find("TitleMemo")}) << name;
        EXPECT_FALSE(f.Form->Workspace->InplaceMemo()->Visible()) << name;
    }
    EXPECT_TRUE(f.Harness.Errors().empty());
}

// A point inside a combo box's edit field, right of its text.
TPoint InField(TControl* Combo) { return Point(Combo->Width() - 20, Combo->Height() / 2); }

// What is in a tool-bar box is replaced by typing (the field keeps the caret after the
// click), and Enter applies it: the zoom box's "150" is 150 %, the size box's "14" the
// selected memo's font size; the focus goes back to the page. A click into the box
// applies nothing by itself.
TEST(DesignerUserInput, ZoomAndSizeBoxesTakeWhatIsTyped) {
    TDesignerFixture f;
    H::Click(f.Form->Workspace, At(f, "Memo2"));
    ASSERT_EQ(f.Selection(), std::vector<TfrxComponent*>{f.Find("Memo2")});
    const int steps = f.Form->UndoBuffer()->UndoCount();
    struct {
        TfrxComboBox* Box;
        const char* Typed;
    } cases[] = {{f.Form->ScaleCB, "150"}, {f.Form->FontSizeCB, "14"}};
    for (const auto& c : cases) {
        const double scale = f.Form->Scale();
        H::Click(c.Box, InField(c.Box));
        ASSERT_EQ(H::FocusedControl(), c.Box) << c.Box->Name();
        EXPECT_DOUBLE_EQ(f.Form->Scale(), scale) << c.Box->Name();
        EXPECT_EQ(f.Form->UndoBuffer()->UndoCount(), steps) << c.Box->Name();
        H::TypeKey(c.Box, VK_END);
        for (size_t i = c.Box->Text().size(); i > 0; --i) H::TypeKey(c.Box, VK_BACK);
        H::TypeText(c.Box, c.Typed);
        EXPECT_EQ(c.Box->Text(), c.Typed) << c.Box->Name();
        H::TypeKey(c.Box, VK_RETURN);
        EXPECT_EQ(H::FocusedControl(), static_cast<TWinControl*>(f.Form->ScrollBox)) << c.Box->Name();
    }
    EXPECT_DOUBLE_EQ(f.Form->Scale(), 1.5);
    EXPECT_EQ(f.Form->ScaleCB->Text(), "150%");
    EXPECT_EQ(dynamic_cast<TfrxMemoView*>(f.Find("Memo2"))->Font()->Size(), 14);
    EXPECT_EQ(f.Form->UndoBuffer()->UndoCount(), steps + 1);
    EXPECT_TRUE(f.Harness.Errors().empty());
}

// The font name and size boxes take the item clicked in their open list, the row under
// the pointer and no other (the name box used to give the font one row above), and a font
// name typed and Enter; each choice is one undo step and the box shows it.
TEST(DesignerUserInput, FontBoxesTakeTheItemClickedOrTyped) {
    frxRegisterDesignerEditors();   // Enter that reaches the page opens the memo's editor
    TDesignerFixture f;
    H::Click(f.Form->Workspace, At(f, "Memo2"));
    auto* memo = dynamic_cast<TfrxMemoView*>(f.Find("Memo2"));
    ASSERT_EQ(f.Selection(), std::vector<TfrxComponent*>{memo});
    struct {
        TfrxCustomComboBox* Box;
        std::function<std::string()> Applied;
    } cases[] = {{f.Form->FontNameCB, [&] { return memo->Font()->Name(); }},
                 {f.Form->FontSizeCB, [&] { return IntToStr(memo->Font()->Size()); }}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Box->Name());
        TStringList* items = c.Box->Items();
        ASSERT_GE(items->Count(), 4);
        // Neighbours of the memo's own value: rows the open list shows beside it.
        const int own = std::max(0, items->IndexOf(c.Applied()));
        for (int pick : {own + 2 < items->Count() ? own + 2 : own - 2, own + 1 < items->Count() ? own + 1 : own - 1}) {
            const int steps = f.Form->UndoBuffer()->UndoCount();
            // The name box puts the font chosen on top of its list: the row's text is taken
            // before the click.
            const std::string row = (*items)[pick];
            H::Click(c.Box, Point(c.Box->Width() - 4, c.Box->Height() / 2));   // the arrow
            ASSERT_TRUE(c.Box->DroppedDown());
            H::ClickDropDownItem(c.Box, pick);
            EXPECT_FALSE(c.Box->DroppedDown());
            EXPECT_EQ(c.Applied(), row);
            EXPECT_EQ(c.Box->Text(), row);
            EXPECT_EQ(f.Form->UndoBuffer()->UndoCount(), steps + 1);
        }
    }
    // A name typed over the box's text, Enter.
    // A font of the list other than the memo's (the recent block on top holds its font now).
    TStringList* names = f.Form->FontNameCB->Items();
    const std::string typed = (*names)[names->Count() - 1] != memo->Font()->Name() ? (*names)[names->Count() - 1]
                                                                                   : (*names)[names->Count() - 2];
    ASSERT_NE(memo->Font()->Name(), typed);
    const int steps = f.Form->UndoBuffer()->UndoCount();
    H::Click(f.Form->FontNameCB, InField(f.Form->FontNameCB));
    ASSERT_EQ(H::FocusedControl(), f.Form->FontNameCB);
    H::TypeKey(f.Form->FontNameCB, VK_HOME);
    H::TypeKey(f.Form->FontNameCB, VK_END, ssShift);
    H::TypeText(f.Form->FontNameCB, typed);
    H::TypeKey(f.Form->FontNameCB, VK_RETURN);
    EXPECT_EQ(memo->Font()->Name(), typed);
    EXPECT_EQ(f.Form->UndoBuffer()->UndoCount(), steps + 1);
    EXPECT_EQ(H::FocusedControl(), static_cast<TWinControl*>(f.Form->ScrollBox));
    for (const std::string& e : f.Harness.Errors()) ADD_FAILURE() << e;
}

// The zoom box's items picked with the mouse: the arrow opens the list, a click on an item
// zooms (a percentage, or the page's width or whole page for the workspace's size) and the
// box shows the zoom in force.
TEST(DesignerUserInput, TheZoomBoxTakesTheItemClicked) {
    TDesignerFixture f;
    TfrxComboBox* box = f.Form->ScaleCB;
    ASSERT_GE(box->Items()->Count(), 8);
    for (int index : {0, 4, 6, 7, 3}) {
        const std::string item = (*box->Items())[index];
        SCOPED_TRACE(item);
        const double before = f.Form->Scale();
        H::Click(box, Point(box->Width() - 4, box->Height() / 2));
        ASSERT_TRUE(box->DroppedDown());
        EXPECT_TRUE(RowShownWhole(box, index));
        H::ClickDropDownItem(box, index);
        EXPECT_FALSE(box->DroppedDown());
        if (index < 6) {
            EXPECT_DOUBLE_EQ(f.Form->Scale(), std::stod(item.substr(0, item.size() - 1)) / 100);
        } else {
            EXPECT_NE(f.Form->Scale(), before);   // from 150 % or 200 %: the fit is another zoom
        }
        EXPECT_EQ(box->Text(), IntToStr(static_cast<int>(std::lround(f.Form->Scale() * 100))) + "%");
    }
    EXPECT_TRUE(f.Harness.Errors().empty());
}

// A style made in the style editor is offered by the style box after OK, and picking it there gives the selected memo that style.
TEST(DesignerUserInput, ANewStyleIsInTheStyleBox) {
    frxRegisterDesignerEditors();   // Enter that reaches the page opens the memo's editor
    TDesignerFixture f;
    H::Click(f.Form->Workspace, At(f, "Memo2"));
    f.Harness.OnModal("TfrxStyleEditorForm", [](TCustomForm& Form) {
        auto& d = static_cast<TfrxStyleEditorForm&>(Form);
        H::Click(d.AddB);
        // The new style's label is open for its name: OK right away keeps it.
        H::Click(d.OkB);
    });
    H::ClickMenuItem(f.Form->ReportStylesMI);
    ASSERT_EQ(f.Report->Styles()->Count(), 1);
    EXPECT_EQ(f.Report->Styles()->Items(0)->Name(), "Style1");
    TStringList* items = f.Form->StyleCB->Items();
    ASSERT_EQ(items->Count(), 2);
    EXPECT_EQ((*items)[1], "Style1");
    // The box still shows the memo's style (none).
    EXPECT_EQ(f.Form->StyleCB->Text(), (*items)[0]);
    // Picked in the box: a click opens its list, the arrow keys move to the style and Enter
    // takes it.
    H::Click(f.Form->StyleCB, InField(f.Form->StyleCB));
    EXPECT_TRUE(f.Form->StyleCB->DroppedDown());
    EXPECT_TRUE(RowShownWhole(f.Form->StyleCB, 1));
    H::TypeKey(f.Form->StyleCB, VK_DOWN);
    H::TypeKey(f.Form->StyleCB, VK_DOWN);
    H::TypeKey(f.Form->StyleCB, VK_RETURN);
    EXPECT_EQ(dynamic_cast<TfrxMemoView*>(f.Find("Memo2"))->Style(), "Style1");
    // The Enter that picked the style reaches nothing else: no editor opens on the page.
    for (const std::string& e : f.Harness.Errors()) ADD_FAILURE() << e;
}

// A double click on the style box opens the style editor as Styles... does (the first press
// opens the box's list, the second closes it), and a style made there is in the box after
// OK. The preview's designer, which may not change the report's options, opens nothing.
TEST(DesignerUserInput, ADoubleClickOnTheStyleBoxOpensTheStyleEditor) {
    const struct {
        const char* Name;
        bool Preview;
        bool Opens;
    } cases[] = {
        {"designer", false, true},
        {"preview's designer", true, false},
    };
    for (const auto& c : cases) {
        TDesignerFixture f(true, c.Preview);
        H::Click(f.Form->Workspace, At(f, "Memo2"));
        TfrxComboBox* box = f.Form->StyleCB;
        ASSERT_TRUE(box->Enabled()) << c.Name;
        bool opened = false;
        if (c.Opens)
            f.Harness.OnModal("TfrxStyleEditorForm", [&](TCustomForm& Form) {
                opened = true;
                auto& d = static_cast<TfrxStyleEditorForm&>(Form);
                H::Click(d.AddB);
                H::Click(d.OkB);
            });
        H::DblClick(box, InField(box));
        EXPECT_EQ(opened, c.Opens) << c.Name;
        EXPECT_FALSE(box->DroppedDown()) << c.Name;
        EXPECT_EQ(f.Report->Styles()->Count(), c.Opens ? 1 : 0) << c.Name;
        EXPECT_EQ(box->Items()->Count(), c.Opens ? 2 : 1) << c.Name;
        // An editor that opened without a driver would be listed here.
        for (const std::string& e : f.Harness.Errors()) ADD_FAILURE() << c.Name << ": " << e;
    }
}

// The inspector of a designer opened for the first time shows the names of the page's
// rows and of a text object's rows whole ("PaperHeight", "PrintOnPreviousPage").
TEST(DesignerUserInput, TheInspectorShowsItsNamesWhole) {
    TDesignerFixture f;
    TfrxObjectInspector* inspector = f.Form->Inspector;
    TBitmap measure;
    measure.SetSize(1, 1);
    TCanvas* c = measure.Canvas();
    auto cut = [&] {
        std::vector<std::string> out;
        for (int i = 0; i < inspector->RowCount(); ++i) {
            const std::string name = inspector->RowName(i);
            c->Font()->Assign(inspector->Font());
            if (name == "Name") c->Font()->SetStyle(TFontStyles{fsBold});
            // Names stand 13 pixels in and end at the line left of the split.
            if (13 + c->TextWidth(name) > inspector->SplitPos - 1) out.push_back(name);
        }
        return out;
    };
    ASSERT_GT(inspector->RowCount(), 10);
    EXPECT_EQ(cut(), std::vector<std::string>{}) << "the page";
    H::Click(f.Form->Workspace, At(f, "Memo2"));
    ASSERT_EQ(f.Selection(), std::vector<TfrxComponent*>{f.Find("Memo2")});
    EXPECT_EQ(cut(), std::vector<std::string>{}) << "a memo";
    EXPECT_GE(inspector->ClientWidth() - inspector->SplitPos, 60);
}

// A double click on a memo's empty OnBeforePrint row (the first click on the row, the
// second on the edit box it opens) makes the handler, shows the code page and leaves the
// caret in the handler's body at column 3, where typing goes.
TEST(DesignerUserInput, ANewEventHandlerTakesTheTypingInsideIt) {
    // The event rows' editor, as the program registers it at start.
    frxRegisterDesignerEditors();
    TDesignerFixture f;
    H::Click(f.Form->Workspace, At(f, "Memo2"));
    TfrxObjectInspector* inspector = f.Form->Inspector;
    const TRect tab = inspector->Tab->TabRect(1);
    H::Click(inspector->Tab, Point((tab.Left + tab.Right) / 2, (tab.Top + tab.Bottom) / 2));
    ASSERT_EQ(inspector->TabIndex(), 1);
    const int row = inspector->FindRow("OnBeforePrint");
    ASSERT_GE(row, 0);
    const TPoint cell = Point(inspector->SplitPos + 20, row * inspector->RowHeight() + inspector->RowHeight() / 2);
    // The first press selects the row and puts the edit box over its value; the second
    // lands on the box.
    H::DblClick(inspector->PB, cell);
    ASSERT_EQ(inspector->ItemIndex(), row);
    EXPECT_EQ(f.Form->Page(), nullptr);
    ASSERT_EQ(H::FocusedControl(), f.Form->CodeWindow);
    EXPECT_EQ(f.Form->CodeWindow->GetCaretPos().X, 3);
    H::TypeText(f.Form->CodeWindow, "XY");
    const std::vector<std::string> code = f.Form->GetCode();
    const auto head = std::find(code.begin(), code.end(), "procedure Memo2OnBeforePrint(Sender: TfrxComponent);");
    ASSERT_NE(head, code.end());
    ASSERT_LT(head + 2, code.end());
    EXPECT_EQ(*(head + 2), "  XY");
    EXPECT_TRUE(f.Harness.Errors().empty());
}

// A memo bound to a dataset, copied and pasted with the keys and put down with the mouse:
// the copy is bound to the same dataset, and the inspector says so.
TEST(DesignerUserInput, APastedMemoKeepsItsDataSet) {
    frxRegisterDesignerEditors();
    TDesignerFixture f(false);
    auto* doctors = new TfrxUserDataSet(f.Report.get());
    doctors->SetName("DoctorsDS");
    doctors->SetUserName("Doctors");
    doctors->Fields()->Add("Doctor");
    f.Report->DataSets()->Add(doctors);
    frxSmallReport(*f.Report);
    auto* memo = dynamic_cast<TfrxMemoView*>(f.Find("Memo2"));
    memo->SetDataSet(doctors);
    memo->DataField = "Doctor";
    f.Form->ReloadReport();
    H::Click(f.Form->Workspace, At(f, "Memo2"));
    ASSERT_EQ(f.Selection(), std::vector<TfrxComponent*>{memo});
    H::TypeKey(f.Form->Workspace, 'C', ssCtrl);
    H::TypeKey(f.Form->Workspace, 'V', ssCtrl);
    const TPoint drop = Point(300, static_cast<int>((memo->AbsTop() + 5) * f.Form->Scale()));
    H::MouseMove(f.Form->Workspace, drop);
    H::Click(f.Form->Workspace, drop);
    ASSERT_EQ(f.Selection().size(), 1u);
    auto* copy = dynamic_cast<TfrxMemoView*>(f.Selection()[0]);
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy, memo);
    EXPECT_EQ(copy->DataSet(), doctors);
    EXPECT_EQ(copy->DataField, "Doctor");
    TfrxObjectInspector* inspector = f.Form->Inspector;
    const int row = inspector->FindRow("DataSet");
    ASSERT_GE(row, 0);
    EXPECT_EQ(inspector->RowValue(row), "Doctors");
    EXPECT_TRUE(f.Harness.Errors().empty());
}

}  // namespace

// The font name box of the text bar is the font box: a font picked in its open list (a
// sample of the font under the selection shown beside it) heads the list as the font used
// last, in the settings store too, so that the next designer window offers it on top.
TEST(DesignerUserInput, TheFontBoxKeepsTheFontsUsedLast) {
    TDesignerFixture f;
    H::Click(f.Form->Workspace, At(f, "Memo2"));
    auto* memo = dynamic_cast<TfrxMemoView*>(f.Find("Memo2"));
    TfrxFontComboBox* box = f.Form->FontNameCB;
    ASSERT_EQ(box->MRUCount(), -1);
    TStringList* items = box->Items();
    ASSERT_GE(items->Count(), 3);
    const int pick = items->Count() - 1;
    const std::string chosen = (*items)[pick];
    ASSERT_NE(memo->Font()->Name(), chosen);
    H::Click(box, Point(box->Width() - 4, box->Height() / 2));   // the arrow
    ASSERT_TRUE(box->DroppedDown());
    ASSERT_NE(box->FontPreview(), nullptr);
    EXPECT_TRUE(box->FontPreview()->Visible());
    H::ClickDropDownItem(box, pick);
    EXPECT_FALSE(box->FontPreview()->Visible());
    EXPECT_EQ(memo->Font()->Name(), chosen);
    EXPECT_EQ(box->MRUCount(), 0);
    EXPECT_EQ((*items)[0], chosen);
    EXPECT_EQ(box->Text(), chosen);
    {
        TRegistry reg;
        ASSERT_TRUE(reg.OpenKey("\\Software\\Brightline\\MRUFont", false));
        EXPECT_EQ(reg.ReadString("Font0"), chosen);
        EXPECT_EQ(reg.ReadString("Font1"), "");
    }
    f.Form.reset();
    f.Open();
    EXPECT_EQ(f.Form->FontNameCB->MRUCount(), 0);
    EXPECT_EQ((*f.Form->FontNameCB->Items())[0], chosen);
    EXPECT_TRUE(f.Harness.Errors().empty());
}

// The font box takes a typed name and still draws its open list itself: each outline font
// with the TrueType mark before its name, the recent block closed by two lines in the
// button-shadow colour, and the sample beside the list showing the font highlighted. After
// a pick the edit field keeps its place right of the mark's indent.
TEST(DesignerUserInput, TheFontBoxDrawsItsOpenList) {
    TDesignerFixture f;
    H::Click(f.Form->Workspace, At(f, "Memo2"));
    TfrxFontComboBox* box = f.Form->FontNameCB;
    auto* combo = dynamic_cast<QComboBox*>(WidgetOf(box));
    ASSERT_NE(combo, nullptr);
    ASSERT_TRUE(combo->isEditable());
    TStringList* items = box->Items();
    ASSERT_GE(items->Count(), 4);
    // A pick makes the recent block (the font on top), and the field stays after the indent.
    const std::string chosen = (*items)[2];
    H::Click(box, Point(box->Width() - 4, box->Height() / 2));   // the arrow
    ASSERT_TRUE(box->DroppedDown());
    H::ClickDropDownItem(box, 2);
    ASSERT_EQ(box->MRUCount(), 0);
    ASSERT_EQ(box->Text(), chosen);
    TUiTestHarness::ProcessMessages();
    EXPECT_EQ(combo->lineEdit()->geometry().left(), box->EditRect().Left);
    EXPECT_EQ(combo->lineEdit()->geometry().width(), box->EditRect().Width());

    H::Click(box, Point(box->Width() - 4, box->Height() / 2));
    ASSERT_TRUE(box->DroppedDown());
    QAbstractItemView* view = combo->view();
    const QImage shown = view->viewport()->grab().toImage();
    const uint32_t bgr = static_cast<uint32_t>(ColorToRGB(clBtnShadow));   // 0x00BBGGRR
    const QRgb shadow = QColor(bgr & 0xff, (bgr >> 8) & 0xff, (bgr >> 16) & 0xff).rgb();
    auto row = [&](int i) { return view->visualRect(view->model()->index(i, 0)); };
    // The line across the bottom of the last recent item and the top of the first after it.
    for (const auto& [index, y] : {std::pair{0, row(0).bottom() + 1 - 2}, std::pair{1, row(1).top()}}) {
        SCOPED_TRACE(index);
        const QRect r = row(index);
        EXPECT_EQ(shown.pixelColor(r.left() + r.width() / 2, y).rgb(), shadow);
    }
    // The mark: the stem of its grey letter 3 pixels right of left + 1, in each outline
    // font's row with the mark centred; a font that is none has no mark.
    int marked = 0;
    for (int i = 1; i < std::min(items->Count(), box->DropDownCount()); ++i) {
        const QRect r = row(i);
        const int top = r.top() + (r.height() - 11) / 2;
        const bool grey = shown.pixelColor(r.left() + 1 + 3, top + 2).rgb() == QColor(0x80, 0x80, 0x80).rgb();
        EXPECT_EQ(grey, box->TrueTypeItem(i)) << (*items)[i];
        marked += grey;
    }
    EXPECT_GT(marked, 0);
    // The sample follows the highlighted font down the list.
    ASSERT_NE(box->FontPreview(), nullptr);
    EXPECT_TRUE(box->FontPreview()->Visible());
    for (int step = 0; step < 2; ++step) {
        H::TypeKey(VK_DOWN);
        TUiTestHarness::ProcessMessages();
        view->viewport()->repaint();
        const int current = view->currentIndex().row();
        ASSERT_GE(current, 0);
        EXPECT_EQ(box->FontPreview()->Panel()->Font()->Name(), (*items)[current]);
    }
    H::TypeKey(VK_ESCAPE);
    EXPECT_FALSE(box->DroppedDown());
    for (const std::string& e : f.Harness.Errors()) ADD_FAILURE() << e;
}
