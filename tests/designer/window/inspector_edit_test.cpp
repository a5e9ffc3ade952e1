// The object inspector inside the designer window, worked as a user works it: a row
// clicked, a value typed into the in-place editor, a row's dialog opened with its button.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QWidget>

#include <QLineEdit>

#include "../ComboListRows.h"
#include "../inspector_input.h"
#include "DesignerFixture.h"
#include "designer/inspector/ObjectInspector.h"
#include "platform/ui/Buttons.h"
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

}  // namespace
