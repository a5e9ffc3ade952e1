// The object inspector as a user works it: the wheel over the list brings a row into view,
// a click on its name selects it and opens its editor with the value selected (the value
// cell of the selected row lies under that editor).
#pragma once

#include "designer/inspector/ObjectInspector.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/UiTest.h"

inline void ClickInspectorRow(TfrxObjectInspector* Insp, int Index) {
    const int h = Insp->RowHeight();
    for (int turns = 0; turns < 100; ++turns) {
        const int top = Index * h - Insp->ScrollPos();
        if (top >= 0 && top + h <= Insp->Box->ClientHeight()) break;
        TUiTestHarness::Wheel(Insp->PB, top < 0 ? 120 : -120, TPoint{4, Insp->ScrollPos() + 2});
    }
    TUiTestHarness::Click(Insp->PB, TPoint{Insp->RowLevel(Index) * 12 + 16, Index * h + h / 2});
}
