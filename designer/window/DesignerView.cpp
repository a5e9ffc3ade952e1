// The designer window's view controls: page tabs dragged to reorder the pages, the unit
// panel of the status bar, and the mouse wheel over the page.
#include "designer/window/DesignerForm.h"

#include <algorithm>

#include "designer/controls/Ruler.h"
#include "designer/workspace/PageWorkspace.h"
#include "platform/ui/TabControl.h"
#include "report/Pages.h"
#include "report/Report.h"

void TfrxDesignerForm::BindViewControls() {
    Tab->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { TabMouseDown(s, b, sh, x, y); };
    Tab->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { TabMouseUp(s, b, sh, x, y); };
    Tab->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) { TabMouseMove(s, sh, x, y); };
    Tab->OnDragOver = [this](TObject* s, TObject* src, int x, int y, TDragState st, bool& a) {
        TabDragOver(s, src, x, y, st, a);
    };
    Tab->OnDragDrop = [this](TObject* s, TObject* src, int x, int y) { TabDragDrop(s, src, x, y); };
    StatusBar->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
        StatusBarMouseDown(s, b, sh, x, y);
    };
    StatusBar->OnDblClick = [this](TObject* s) { StatusBarDblClick(s); };
    // Over the page and over the free area around it alike.
    for (TControl* c : {static_cast<TControl*>(ScrollBox), static_cast<TControl*>(Workspace)}) {
        c->OnMouseWheelUp = [this](TObject* s, TShiftState sh, TPoint, bool& h) { ScrollBoxMouseWheel(s, sh, 1, h); };
        c->OnMouseWheelDown = [this](TObject* s, TShiftState sh, TPoint, bool& h) { ScrollBoxMouseWheel(s, sh, -1, h); };
    }
}

// --- Page tabs --------------------------------------------------------------------------------------------

void TfrxDesignerForm::TabMouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
    // Only a press on a tab: a press on the rulers or the page inside the tab control reaches
    // it as well, and would otherwise turn the ruler's guide drag into a tab drag.
    FTabDragging = Button != mbRight && Tab->IndexOfTabAt(X, Y) >= 0;
}

void TfrxDesignerForm::TabMouseUp(TObject*, TMouseButton, TShiftState, int, int) { FTabDragging = false; }

// The drag starts once the mouse has left the press by the drag threshold, so a click on a
// tab stays a click.
void TfrxDesignerForm::TabMouseMove(TObject*, TShiftState, int, int) {
    if (!FTabDragging || IsPreviewDesigner()) return;
    FTabDragging = false;
    Tab->BeginDrag(false);
}

void TfrxDesignerForm::TabDragOver(TObject*, TObject* Source, int, int, TDragState, bool& Accept) {
    Accept = dynamic_cast<TTabControl*>(Source) != nullptr;
}

void TfrxDesignerForm::TabDragDrop(TObject*, TObject* Source, int X, int Y) {
    if (Source != Tab) return;
    MoveCurrentPageTo(Tab->IndexOfTabAt(X, Y));
}

bool TfrxDesignerForm::MoveCurrentPageTo(int D) {
    const int S = GetPageIndex() + 1;
    // Nothing moves while the code tab is current, onto the code tab, or off the tabs; nor
    // while a script runs (its report is being prepared from these pages).
    if (ScriptRunning || S <= 0 || D <= 0 || D >= Tab->Tabs()->Count() || D == S || D - 1 >= Report()->PagesCount()) return false;
    TfrxPage* page = Page();
    TfrxPage* target = Report()->Pages(D - 1);
    // Pages are children of the report among its other children (datasets it owns): the
    // page takes the child place of the page it was dropped on.
    int from = -1, to = -1;
    for (int i = 0; i < Report()->ObjectCount(); ++i) {
        if (Report()->Objects(i) == page) from = i;
        if (Report()->Objects(i) == target) to = i;
    }
    if (from < 0 || to < 0) return false;
    Report()->MoveObject(from, to);
    Tab->Tabs()->Move(S, D);
    Tab->SetTabIndex(D);
    SetModified(true);
    return true;
}

// --- The status bar's unit panel ------------------------------------------------------------------------

void TfrxDesignerForm::StatusBarMouseDown(TObject*, TMouseButton, TShiftState, int X, int) {
    FUnitsPanelClicked = X < StatusBar->Panels()->Items(0)->Width();
}

// cm -> inch -> pixels -> cm; dialog and dot-matrix pages keep their own unit.
void TfrxDesignerForm::StatusBarDblClick(TObject*) {
    if (!FUnitsPanelClicked) return;
    const TfrxGridType grid = Workspace->GridType();
    if (grid == gtDialog || grid == gtChar) return;
    SetUnits(FCurUnits >= 2 ? 0 : FCurUnits + 1);
    FUnits = FCurUnits;
}

// --- The wheel over the page ---------------------------------------------------------------------------------

// A notch scrolls the page by 16 pixels; with Ctrl held it zooms to the zoom box's next
// step (25 % to 200 %).
void TfrxDesignerForm::ScrollBoxMouseWheel(TObject*, TShiftState Shift, int Delta, bool& Handled) {
    // A dialog page's window scrolls and zooms nothing.
    if (!dynamic_cast<TfrxReportPage*>(Page())) return;
    Handled = true;
    if (Shift & ssCtrl) {
        static const double kSteps[] = {0.25, 0.5, 0.75, 1, 1.5, 2};
        double next = FScale;
        if (Delta > 0) {
            for (double s : kSteps)
                if (s > FScale + 1e-9) {
                    next = s;
                    break;
                }
        } else {
            for (auto it = std::rbegin(kSteps); it != std::rend(kSteps); ++it)
                if (*it < FScale - 1e-9) {
                    next = *it;
                    break;
                }
        }
        if (next != FScale) SetScale(next);
        return;
    }
    TControlScrollBar* bar = ScrollBox->VertScrollBar();
    bar->SetPosition(bar->Position() + (Delta > 0 ? -16 : 16));
}
