// The view and memo component editors.
#include "designer/editors/ViewEditors.h"

#include "designer/editors/FormatEditor.h"
#include "report/DotMatrix.h"
#include "report/MemoView.h"
#include "report/Resources.h"
#include "report/ReportServices.h"
#include "report/Views.h"

bool frxCanModify(const TfrxComponent* Component) {
    return Component && !Component->Restrictions().Contains(rfDontModify);
}

std::vector<TfrxComponent*> TfrxViewEditor::Targets() const {
    std::vector<TfrxComponent*> out;
    if (Designer() && !Designer()->SelectedObjects().empty())
        out = Designer()->SelectedObjects();
    else if (Component())
        out.push_back(Component());
    std::erase_if(out, [](const TfrxComponent* c) { return !frxCanModify(c); });
    return out;
}

void TfrxViewEditor::AddItem(const char* Key, int Tag, bool Checked) {
    AddMenuItem(frxResources().Get(Key), Tag, Checked);
}

void TfrxViewEditor::AddSeparator() { AddMenuItem("-", frxSeparatorTag, false); }

void TfrxViewEditor::GetMenuItems() {
    auto* v = dynamic_cast<TfrxView*>(Component());
    if (!v) return;
    AddItem("mvShift", frxTagShift, v->ShiftMode() == smAlways);
    AddItem("mvShiftOver", frxTagShiftOver, v->ShiftMode() == smWhenOverlapped);
    AddItem("mvVisible", frxTagVisible, v->Visible());
    AddItem("mvPrintable", frxTagPrintable, v->Printable());
}

bool TfrxViewEditor::Execute(int Tag, bool Checked) {
    if (Tag < frxTagShift || Tag > frxTagPrintable) return false;
    bool changed = false;
    for (TfrxComponent* c : Targets()) {
        auto* v = dynamic_cast<TfrxView*>(c);
        if (!v) continue;
        switch (Tag) {
        case frxTagShift: v->SetShiftMode(Checked ? smAlways : smDontShift); break;
        case frxTagShiftOver: v->SetShiftMode(Checked ? smWhenOverlapped : smDontShift); break;
        case frxTagVisible: v->SetVisible(Checked); break;
        case frxTagPrintable: v->SetPrintable(Checked); break;
        default: break;
        }
        changed = true;
    }
    return changed;
}

void TfrxCustomMemoEditor::GetMenuItems() {
    auto* m = dynamic_cast<TfrxCustomMemoView*>(Component());
    if (!m) return;
    AddItem("mvFormat", frxTagFormat, false);
    AddItem("mvClear", frxTagClear, false);
    AddSeparator();
    AddItem("mvAutoWidth", frxTagAutoWidth, m->AutoWidth);
    AddItem("mvWWrap", frxTagWordWrap, m->WordWrap);
    AddItem("mvSuppress", frxTagSuppress, m->SuppressRepeated);
    AddItem("mvHideZ", frxTagHideZeros, m->HideZeros);
    AddItem("mvExpr", frxTagExpressions, m->AllowExpressions);
    // Dot-matrix memos print no inline tags.
    if (!dynamic_cast<TfrxDMPMemoView*>(m)) AddItem("mvHTML", frxTagHTML, m->AllowHTMLTags);
    AddSeparator();
    AddItem("mvStretch", frxTagStretch, m->StretchMode() == smActualHeight);
    AddItem("mvStretchToMax", frxTagStretchToMax, m->StretchMode() == smMaxHeight);
    TfrxViewEditor::GetMenuItems();
}

bool TfrxCustomMemoEditor::Execute(int Tag, bool Checked) {
    bool changed = TfrxViewEditor::Execute(Tag, Checked);
    TfrxFormat format;
    if (Tag == frxTagFormat) {
        auto* clicked = dynamic_cast<TfrxCustomMemoView*>(Component());
        if (!clicked) return false;
        format.Assign(clicked->DisplayFormat());
        if (!frxEditDisplayFormat(&format, Designer())) return false;
    }
    for (TfrxComponent* c : Targets()) {
        auto* m = dynamic_cast<TfrxCustomMemoView*>(c);
        if (!m) continue;
        switch (Tag) {
        case frxTagFormat: m->SetDisplayFormat(&format); break;
        case frxTagClear: m->Memo()->Clear(); break;
        case frxTagAutoWidth: m->AutoWidth = Checked; break;
        case frxTagWordWrap: m->WordWrap = Checked; break;
        case frxTagSuppress: m->SuppressRepeated = Checked; break;
        case frxTagHideZeros: m->HideZeros = Checked; break;
        case frxTagExpressions: m->AllowExpressions = Checked; break;
        case frxTagHTML: m->AllowHTMLTags = Checked; break;
        case frxTagStretch: m->SetStretchMode(Checked ? smActualHeight : smDontStretch); break;
        case frxTagStretchToMax: m->SetStretchMode(Checked ? smMaxHeight : smDontStretch); break;
        default: continue;
        }
        changed = true;
    }
    return changed;
}
