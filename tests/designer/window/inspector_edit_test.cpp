// The object inspector inside the designer window, worked as a user works it: a row
// clicked, a value typed into the in-place editor, a row's dialog opened with its button.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <algorithm>
#include <QWidget>

#include <QLineEdit>

#include "../ComboListRows.h"
#include "../inspector_input.h"
#include "DesignerFixture.h"
#include "designer/inspector/ObjectInspector.h"
#include "designer/undo/UndoBuffer.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Clipbrd.h"
#include "report/Bands.h"
#include "report/DataSet.h"
#include "report/MemoView.h"
#include "platform/ui/QtPeer.h"
#include "report/DesignRegistries.h"
#include "report/DialogControls.h"

namespace {
using H = TUiTestHarness;

// A designer on a report whose page is a dialog page holding two buttons side by side,
// shown with the page selected.
struct TDialogPageDesigner : TDesignerFixture {
    TfrxDialogPage* Dialog = nullptr;
    std::vector<TfrxComponent*> Buttons;
    TDialogPageDesigner() {
        Form.reset();
        Dialog = new TfrxDialogPage(Report.get());
        Dialog->SetName("DialogPage1");
        Dialog->SetParent(Report.get());
        Dialog->SetBounds(265, 150, 300, 200);
        for (const char* name : {"Button1", "Button2"}) {
            auto* b = new TfrxButtonControl(Report.get());
            b->SetName(name);
            b->SetParent(Dialog);
            b->SetBounds(Buttons.empty() ? 20 : 120, 30, 75, 25);
            Buttons.push_back(b);
        }
        Open();
        Form->SetPage(Dialog);
        H::ProcessMessages();
    }
    TfrxObjectInspector* Insp() const { return Form->Inspector; }
    // The page's window sized by the window system, as a drag of its corner leaves it.
    void SizeTheWindow(int Dx, int Dy) {
        QWidget* window = WidgetOf(Dialog->Form());
        ASSERT_NE(window, nullptr);
        window->resize(window->width() + Dx, window->height() + Dy);
        H::ProcessMessages();
    }
};

// The page's window is sized and, before the size has been taken (the window waits for
// the drag to come to rest), the user opens a row's dialog: the Font row's by its button,
// the Color row's by a second click into the value. The size taken while the dialog is
// open changes the page, and the designer asks the inspector for its rows again: the
// editor whose dialog is open must live until its dialog has returned, and what was
// chosen reaches every selected object.
TEST(InspectorInDesigner, TheRowsRebuiltWhileARowsDialogIsOpenWaitForTheDialog) {
    struct TCase {
        const char* Name;
        bool Controls;        // two buttons of the page selected, else the page
        const char* Row;
        TDialogKind Kind;
        bool ByDoubleClick;   // a second click into the value, else the row's button
    };
    const TCase cases[] = {
        {"page font", false, "Font", TDialogKind::Font, false},
        {"page colour", false, "Color", TDialogKind::Color, true},
        {"buttons' font", true, "Font", TDialogKind::Font, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TDialogPageDesigner d;
        std::vector<TfrxComponent*> objects{d.Dialog};
        if (c.Controls) {
            objects = d.Buttons;
            H::Click(d.Form->Workspace, TPoint{57, 42});
            H::Click(d.Form->Workspace, TPoint{157, 42}, mbLeft, ssShift);
        }
        ASSERT_EQ(d.Selection(), objects);
        TfrxObjectInspector* insp = d.Insp();
        const int row = insp->FindRow(c.Row);
        ASSERT_GE(row, 0);
        ClickInspectorRow(insp, row);
        ASSERT_EQ(insp->ItemIndex(), row);
        const int width = d.Dialog->Form()->Width();
        d.SizeTheWindow(40, 20);
        EXPECT_EQ(d.Dialog->Width(), 300);   // not yet: the drag may go on
        bool asked = false;
        d.Harness.Answer([&](const TDialogRequest& r) {
            asked = r.Kind == c.Kind;
            // The user looks at the dialog for a while: the window's size comes to rest.
            H::ElapseTime(TCustomForm::MoveSizeRestMs + 50);
            TDialogAnswer a;
            a.Result = 1;
            a.Font = r.Font;
            a.Font.Name = "DejaVu Serif";
            a.Font.Size = 14;
            a.Color = clTeal;
            return a;
        });
        if (c.ByDoubleClick) H::Click(insp->Edit1, TPoint{4, insp->Edit1->Height() / 2});
        else H::Click(insp->EditBtn);
        EXPECT_TRUE(asked);
        EXPECT_EQ(d.Dialog->Width(), width + 40);
        for (TfrxComponent* o : objects) {
            SCOPED_TRACE(o->Name());
            if (c.Kind == TDialogKind::Font) {
                auto* font = dynamic_cast<TFont*>(GetObjectProp(o, GetPropInfo(o, "Font")));
                ASSERT_NE(font, nullptr);
                EXPECT_EQ(font->Name(), "DejaVu Serif");
                EXPECT_EQ(font->Size(), 14);
            } else {
                EXPECT_EQ(GetOrdProp(o, GetPropInfo(o, "Color")), clTeal);
            }
        }
        // The rows were made again for the selection as it is now.
        EXPECT_EQ(d.Selection(), objects);
        EXPECT_EQ(insp->ItemIndex(), insp->FindRow(c.Row));
        if (!c.Controls) {
            EXPECT_EQ(insp->RowValue(insp->FindRow("Width")), std::to_string(width + 40));
        }
        for (const std::string& e : d.Harness.Errors()) ADD_FAILURE() << e;
    }
}

// A value longer than the value column shows from its start in the in-place editor, whole
// selected (what is typed replaces it), however the row was reached and after a value
// typed and taken with Enter.
TEST(InspectorInDesigner, ALongValueShowsFromItsStart) {
    const std::string path = "http://clinic.example/reports/receipts/2026/december/";
    const std::string stored = path + "the-receipt-of-the-front-desk-printed-twice.html";
    const std::string typed = path + "the-receipt-typed-again-in-the-object-inspector.html";
    struct TCase {
        const char* Name;
        int Reach;   // 0 a click on the row, 1 Down from the row above, 2 Up from the row below
        bool Type;   // a new value typed over the selection and Enter
    };
    const TCase cases[] = {
        {"clicked", 0, false},
        {"Down", 1, false},
        {"Up", 2, false},
        {"typed and Enter", 0, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TDesignerFixture f;
        auto* memo = dynamic_cast<TfrxMemoView*>(f.Find("Memo2"));
        memo->SetURL(stored);
        const double s = f.Form->Scale();
        H::Click(f.Form->Workspace, TPoint{static_cast<int>((memo->AbsLeft() + 5) * s),
                                           static_cast<int>((memo->AbsTop() + 5) * s)});
        ASSERT_EQ(f.Selection(), std::vector<TfrxComponent*>{memo});
        TfrxObjectInspector* insp = f.Form->Inspector;
        const int row = insp->FindRow("URL");
        ASSERT_GT(row, 0);
        ASSERT_LT(row + 1, insp->RowCount());
        if (c.Reach == 0) {
            ClickInspectorRow(insp, row);
        } else {
            ClickInspectorRow(insp, c.Reach == 1 ? row - 1 : row + 1);
            H::TypeKey(insp->Edit1, c.Reach == 1 ? VK_DOWN : VK_UP);
        }
        ASSERT_EQ(insp->ItemIndex(), row);
        std::string expected = stored;
        if (c.Type) {
            H::TypeText(insp->Edit1, typed);
            H::TypeKey(insp->Edit1, VK_RETURN);
            expected = typed;
            EXPECT_EQ(memo->URL(), typed);
        }
        auto* line = qobject_cast<QLineEdit*>(WidgetOf(insp->Edit1));
        ASSERT_NE(line, nullptr);
        // As drawn: the field scrolls its text when it paints.
        TBitmap shown;
        ASSERT_TRUE(H::Grab(insp->Edit1, shown));
        ASSERT_EQ(line->text().toStdString(), expected);
        // The value is longer than the field: which end shows is the point.
        ASSERT_GT(line->fontMetrics().horizontalAdvance(line->text()), line->width());
        EXPECT_EQ(line->cursorPositionAt(QPoint(3, line->height() / 2)), 0) << "the field shows the value's start";
        EXPECT_EQ(line->selectedText().toStdString(), expected);
        for (const std::string& e : f.Harness.Errors()) ADD_FAILURE() << e;
    }
}

// The code page's language box shows each language's name whole, and the tool bar's
// buttons stand after it.
TEST(DesignerCodeToolBar, TheLanguageBoxShowsWholeNames) {
    TDesignerFixture f;
    H::ClickTab(f.Form->Tab, 0);
    ASSERT_TRUE(f.Form->CodePanel->Visible());
    TComboBox* box = f.Form->LangCB;
    ASSERT_GE(box->Items()->Count(), 4);
    EXPECT_GE(f.Form->OpenScriptB->Left(), box->Left() + box->Width());
    EXPECT_GE(box->Left(), f.Form->LangL->Left() + f.Form->LangL->Width());
    for (const char* language : {"PascalScript", "C++Script", "BasicScript", "JScript"}) {
        SCOPED_TRACE(language);
        const int index = box->Items()->IndexOf(language);
        ASSERT_GE(index, 0);
        if (box->Text() != language) {
            f.Harness.AnswerMessage(IDYES);   // the script is cleared for the new language
            H::Click(box, TPoint{box->Width() - 4, box->Height() / 2});
            ASSERT_TRUE(box->DroppedDown());
            H::ClickDropDownItem(box, index);
        }
        EXPECT_EQ(box->Text(), language);
        EXPECT_EQ(f.Report->ScriptLanguage, language);
        EXPECT_TRUE(ClosedTextShownWhole(box));
    }
    EXPECT_EQ(f.Harness.PendingAnswers(), 0);
    for (const std::string& e : f.Harness.Errors()) ADD_FAILURE() << e;
}

// Keys typed in a value field are the field's: Ctrl+A selects its text, Ctrl+C, Ctrl+X
// and Ctrl+V copy, cut and paste it, Ctrl+Z undoes its last change; the designer's
// commands of the same keys (select every object, copy, cut and paste objects, undo) do
// not run, and the field keeps the keyboard.
TEST(InspectorInDesigner, KeysTypedInAValueFieldActOnItsText) {
    TDesignerFixture f;
    auto* memo = dynamic_cast<TfrxMemoView*>(f.Find("Memo2"));
    const double s = f.Form->Scale();
    H::Click(f.Form->Workspace, TPoint{static_cast<int>((memo->AbsLeft() + 5) * s),
                                       static_cast<int>((memo->AbsTop() + 5) * s)});
    ASSERT_EQ(f.Selection(), std::vector<TfrxComponent*>{memo});
    TfrxObjectInspector* insp = f.Form->Inspector;
    const int row = insp->FindRow("Top");
    ASSERT_GE(row, 0);
    ClickInspectorRow(insp, row);
    ASSERT_EQ(H::FocusedControl(), insp->Edit1);
    const int steps = f.Form->UndoBuffer()->UndoCount();
    const double zoom = f.Form->Scale();
    const double top = memo->Top();
    const size_t objects = f.Form->Objects().size();
    Clipboard()->SetAsText("clipboard");
    H::TypeText(insp->Edit1, "12");
    struct TStep {
        const char* Name;
        uint16_t Before;         // a key typed first (0: none)
        uint16_t Key;            // with Ctrl
        const char* Text;        // the field's text afterwards
        const char* Selected;    // its selected text afterwards (null: not looked at)
        const char* Clipboard;   // the clipboard's text afterwards
    };
    const TStep steps_[] = {
        {"Ctrl+A", 0, 'A', "12", "12", "clipboard"},
        {"Ctrl+C", 0, 'C', "12", "12", "12"},
        {"Ctrl+X", 0, 'X', "", "", "12"},
        {"Ctrl+Z", 0, 'Z', "12", nullptr, "12"},
        {"Ctrl+V at the end", VK_END, 'V', "1212", "", "12"},
    };
    auto* line = qobject_cast<QLineEdit*>(WidgetOf(insp->Edit1));
    ASSERT_NE(line, nullptr);
    for (const TStep& c : steps_) {
        SCOPED_TRACE(c.Name);
        if (c.Before) H::TypeKey(insp->Edit1, c.Before);
        H::TypeKey(insp->Edit1, c.Key, ssCtrl);
        EXPECT_EQ(insp->Edit1->Text(), c.Text);
        if (c.Selected) EXPECT_EQ(line->selectedText().toStdString(), c.Selected);
        EXPECT_EQ(Clipboard()->AsText(), c.Clipboard);
        EXPECT_EQ(H::FocusedControl(), insp->Edit1);
        EXPECT_EQ(f.Selection(), std::vector<TfrxComponent*>{memo});
        EXPECT_EQ(insp->ItemIndex(), row);
    }
    // Nothing of the page changed: no object pasted, no step undone, the zoom as it was.
    EXPECT_EQ(f.Form->UndoBuffer()->UndoCount(), steps);
    EXPECT_EQ(f.Form->Scale(), zoom);
    EXPECT_EQ(memo->Top(), top);
    EXPECT_EQ(f.Form->Objects().size(), objects);
    for (const std::string& e : f.Harness.Errors()) ADD_FAILURE() << e;
}

// A value typed in the inspector that moves the selection shows in the status bar at
// once, as the next move of the mouse would show it.
TEST(InspectorInDesigner, TheStatusBarFollowsAnInspectorEdit) {
    TDesignerFixture f;
    auto* memo = dynamic_cast<TfrxMemoView*>(f.Find("Memo2"));
    const double s = f.Form->Scale();
    const TPoint at{static_cast<int>((memo->AbsLeft() + 5) * s), static_cast<int>((memo->AbsTop() + 5) * s)};
    H::Click(f.Form->Workspace, at);
    ASSERT_EQ(f.Selection(), std::vector<TfrxComponent*>{memo});
    TfrxObjectInspector* insp = f.Form->Inspector;
    for (const char* name : {"Left", "Top", "Width"}) {
        SCOPED_TRACE(name);
        const int row = insp->FindRow(name);
        ASSERT_GE(row, 0);
        ClickInspectorRow(insp, row);
        const std::string before = f.Form->PositionText() + "|" + f.Form->SizeText();
        H::TypeText(insp->Edit1, "3");
        H::TypeKey(insp->Edit1, VK_RETURN);
        const std::string after = f.Form->PositionText() + "|" + f.Form->SizeText();
        EXPECT_NE(after, before);
        // The pointer moves over the page without a button: the status bar shows the
        // selection's place, which it must have shown already.
        H::MouseMove(f.Form->Workspace, at);
        EXPECT_EQ(f.Form->PositionText() + "|" + f.Form->SizeText(), after);
    }
    for (const std::string& e : f.Harness.Errors()) ADD_FAILURE() << e;
}

// In the window's first layout the values column shows whole the values of a text
// object's, a data band's and a summary band's rows, with the names the designer gives
// bands and data sets ("(TfrxHighlight)", "frxDBDataset1", "ReportSummary1" were cut).
TEST(InspectorInDesigner, TheFirstLayoutShowsValuesWhole) {
    TDesignerFixture f;
    f.Form.reset();
    auto* data = new TfrxUserDataSet(f.Report.get());
    data->SetName("frxDBDataset1");
    data->SetUserName("frxDBDataset1");
    f.Report->DataSets()->Add(data);
    auto* band = dynamic_cast<TfrxDataBand*>(f.Find("MasterData1"));
    ASSERT_NE(band, nullptr);
    band->SetDataSet(data);
    dynamic_cast<TfrxMemoView*>(f.Find("Memo2"))->SetDataSet(data);
    auto* page = dynamic_cast<TfrxReportPage*>(f.Find("Page1"));
    auto* summary = new TfrxReportSummary(page);
    summary->SetName("ReportSummary1");
    summary->SetBounds(0, 200, 718, 30);
    f.Open();
    TfrxObjectInspector* insp = f.Form->Inspector;
    TBitmap measure;
    measure.SetSize(1, 1);
    TCanvas* c = measure.Canvas();
    c->Font()->Assign(insp->Font());
    const int room = insp->PB->Width() - insp->SplitPos - 2;
    std::vector<std::string> seen;
    for (const char* name : {"Memo2", "MasterData1", "ReportSummary1"}) {
        SCOPED_TRACE(name);
        f.Select({f.Find(name)});
        ASSERT_GT(insp->RowCount(), 0);
        for (int i = 0; i < insp->RowCount(); ++i) {
            const std::string value = insp->RowValue(i);
            EXPECT_LE(c->TextWidth(value), room) << insp->RowName(i) << " = " << value;
            seen.push_back(value);
        }
    }
    for (const char* v : {"(TfrxHighlight)", "frxDBDataset1", "ReportSummary1"})
        EXPECT_NE(std::find(seen.begin(), seen.end(), v), seen.end()) << v;
    for (const std::string& e : f.Harness.Errors()) ADD_FAILURE() << e;
}

}  // namespace
