// The designer as a user drives it: clicks at points of its controls and keys typed to
// whichever control holds the focus; what the user did must stay in the report.
#include <gtest/gtest.h>

#include "DesignerFixture.h"
#include "designer/undo/UndoBuffer.h"
#include "designer/workspace/Workspace.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Keys.h"

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
    struct {
        const char* Name;
        bool Alt;
        const char* Typed;
        bool Escape;
        const char* Text;
    } cases[] = {
        {"text tool", false, "新标题", false, "新标题"},
        {"alt click", true, "门诊收据", false, "门诊收据"},
        {"escape", true, "作废", true, nullptr},
        {"no typing", false, "", false, nullptr},
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
        if (c.Escape) H::TypeKey(editor, VK_ESCAPE);
        else H::Click(f.Form->Workspace, Point(600, 400));
        EXPECT_FALSE(editor->Visible()) << c.Name;
        const bool changed = c.Text != nullptr;
        EXPECT_EQ(TextOf(f.Find("TitleMemo")), changed ? c.Text : old) << c.Name;
        EXPECT_EQ(f.Form->Modified(), changed) << c.Name;
        EXPECT_EQ(f.Form->UndoBuffer()->UndoCount(), steps + (changed ? 1 : 0)) << c.Name;
        EXPECT_TRUE(f.Harness.Errors().empty()) << c.Name;
    }
}

}  // namespace
