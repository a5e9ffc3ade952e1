// The formatting and alignment commands over the designer's selection.
#include "designer/commands/FormatCommands.h"

#include <algorithm>
#include <cmath>

#include "designer/editors/HighlightEditor.h"
#include "designer/editors/PropertyEditors.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "report/Bands.h"
#include "report/Component.h"
#include "report/DotMatrix.h"
#include "report/Pages.h"
#include "report/Resources.h"
#include "report/Utils.h"
#include "report/Views.h"

namespace {

bool CanModify(const TfrxComponent* O) { return !O->Restrictions().Contains(rfDontModify); }

// The frame a formatting command changes: a view's own, a report page's background frame.
TfrxFrame* FrameOf(TfrxComponent* O) {
    if (auto* v = dynamic_cast<TfrxView*>(O)) return v->Frame();
    if (auto* p = dynamic_cast<TfrxReportPage*>(O)) return p->Frame();
    return nullptr;
}

void SetFontStyle(TfrxComponent* O, TFontStyle Style, bool On) {
    TFontStyles s = O->Font()->Style();
    if (On) s.Include(Style);
    else s.Exclude(Style);
    O->Font()->SetStyle(s);
}

void SetFrameLine(TfrxFrame* F, TfrxFrameType Line, bool On) {
    if (!F) return;
    if (On) F->Typ.Include(Line);
    else F->Typ.Exclude(Line);
}

// Bit Bit of a dot-matrix object's style: cleared when the menu item carries its check
// mark, set when it does not.
template <class T>
bool ToggleDMPStyle(TfrxComponent* O, int Bit, bool Checked) {
    auto* d = dynamic_cast<T*>(O);
    if (!d) return false;
    TfrxDMPFontStyles s = d->FontStyle();
    const auto style = static_cast<TfrxDMPFontStyle>(Bit);
    if (Checked) s.Exclude(style);
    else s.Include(style);
    d->SetFontStyle(s);
    return true;
}

double Snap(double Value, double Step) { return static_cast<double>(Round(Value / Step)) * Step; }

// Tag 0-5, 20-29 and 32 change what a named style sets.
bool DetachesStyle(int Tag) { return (Tag >= 0 && Tag <= 5) || (Tag >= 20 && Tag <= 29) || Tag == 32; }

}  // namespace

bool frxFormatNeedsUpdateControls(int Tag) { return Tag == 24 || Tag == 25 || (Tag >= 34 && Tag <= 42); }

bool frxFormatObjects(const std::vector<TfrxComponent*>& Selection, int Tag, const TfrxFormatInput& In) {
    // Typed numbers are read once, before any object changes.
    int fontSize = 0;
    double frameWidth = 0;
    if (Tag == 1) fontSize = frxReadFontSize(In.Text);
    if (Tag == 29) frameWidth = frxReadFrameWidth(In.Text);
    const double gx = In.GridX > 0 ? In.GridX : 1, gy = In.GridY > 0 ? In.GridY : 1;

    bool visited = false;
    for (TfrxComponent* o : Selection) {
        if (!o || !CanModify(o)) continue;
        auto* memo = dynamic_cast<TfrxCustomMemoView*>(o);
        TfrxFrame* frame = FrameOf(o);
        switch (Tag) {
        case 0: o->Font()->SetName(In.Text); break;
        case 1: o->Font()->SetSize(fontSize); break;
        case 2: SetFontStyle(o, fsBold, In.Down); break;
        case 3: SetFontStyle(o, fsItalic, In.Down); break;
        case 4: SetFontStyle(o, fsUnderline, In.Down); break;
        case 5: o->Font()->SetColor(In.Color); break;
        case 7: case 8: case 9: case 10:
            if (memo) memo->HAlign = In.HAlign;
            break;
        case 11: case 12: case 13:
            if (memo) memo->VAlign = In.VAlign;
            break;
        case 20: SetFrameLine(frame, ftTop, In.Down); break;
        case 21: SetFrameLine(frame, ftBottom, In.Down); break;
        case 22: SetFrameLine(frame, ftLeft, In.Down); break;
        case 23: SetFrameLine(frame, ftRight, In.Down); break;
        case 24:
            if (frame) frame->Typ = TfrxFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
            break;
        case 25:
            if (frame) frame->Typ = TfrxFrameTypes{};
            break;
        case 26:
            if (auto* v = dynamic_cast<TfrxView*>(o)) v->SetColor(In.Color);
            else if (auto* p = dynamic_cast<TfrxReportPage*>(o)) p->SetColor(In.Color);
            break;
        case 27:
            if (frame) frame->Color = In.Color;
            break;
        case 28:
            if (frame) frame->Style = In.LineStyle;
            break;
        case 29:
            if (frame) frame->Width = frameWidth;
            break;
        case 30:
            if (memo) memo->SetRotation(In.Rotation);
            break;
        case 31:
            o->SetLeft(Snap(o->Left(), gx));
            o->SetTop(Snap(o->Top(), gy));
            o->SetWidth(Snap(o->Width(), gx));
            o->SetHeight(Snap(o->Height(), gy));
            if (o->Width() == 0) o->SetWidth(gx);
            if (o->Height() == 0) o->SetHeight(gy);
            break;
        case 32:
            if (frame) frame->DropShadow = In.Down;
            break;
        case 33:
            if (memo) memo->SetStyle(In.Text);
            break;
        case 34: case 35: case 36: case 37: case 38: case 39: case 40: case 41: case 42:
            if (!ToggleDMPStyle<TfrxDMPMemoView>(o, Tag - 34, In.Down) &&
                !ToggleDMPStyle<TfrxDMPLineView>(o, Tag - 34, In.Down))
                ToggleDMPStyle<TfrxDMPPage>(o, Tag - 34, In.Down);
            break;
        case 43:
            if (In.Font) o->SetFont(const_cast<TFont*>(In.Font));
            break;
        default: break;
        }
        if (memo && DetachesStyle(Tag)) memo->SetStyle("");
        visited = true;
    }
    return visited;
}

// === Alignment ==============================================================================

int frxAlignNeeds(TfrxAlignCommand Command) {
    switch (Command) {
    case TfrxAlignCommand::CenterHorz:
    case TfrxAlignCommand::CenterVert: return 1;
    case TfrxAlignCommand::SpaceHorz:
    case TfrxAlignCommand::SpaceVert: return 3;
    default: return 2;
    }
}

namespace {

// Spreads the objects evenly between the first and the last by Left (or Top): sorted by
// position (objects at the same place keep their order), each middle one placed a step
// after the one before it; an object that may not move keeps its place and the next one
// follows from there.
void SpaceEvenly(const std::vector<TfrxComponent*>& Selection, bool Horizontal) {
    auto pos = [Horizontal](const TfrxComponent* o) { return Horizontal ? o->Left() : o->Top(); };
    std::vector<TfrxComponent*> sorted(Selection);
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&](const TfrxComponent* a, const TfrxComponent* b) { return Round(pos(a)) < Round(pos(b)); });
    const double step = (pos(sorted.back()) - pos(sorted.front())) / static_cast<double>(sorted.size() - 1);
    for (size_t i = 1; i + 1 < sorted.size(); ++i) {
        TfrxComponent* o = sorted[i];
        if (o->Restrictions().Contains(rfDontMove)) continue;
        const double v = pos(sorted[i - 1]) + step;
        if (Horizontal) o->SetLeft(v);
        else o->SetTop(v);
    }
}

}  // namespace

bool frxAlignObjects(const std::vector<TfrxComponent*>& Selection, TfrxAlignCommand Command, double AreaWidth,
                     double AreaHeight) {
    if (static_cast<int>(Selection.size()) < frxAlignNeeds(Command)) return false;
    using C = TfrxAlignCommand;
    switch (Command) {
    case C::CenterHorz:
    case C::CenterVert: {
        const bool horz = Command == C::CenterHorz;
        for (TfrxComponent* o : Selection) {
            if (!dynamic_cast<TfrxView*>(o) || o->Restrictions().Contains(rfDontMove)) continue;
            const auto* band = dynamic_cast<const TfrxBand*>(o->Parent());
            if (horz) o->SetLeft(((band ? band->Width() : AreaWidth) - o->Width()) / 2);
            else o->SetTop(((band ? band->Height() : AreaHeight) - o->Height()) / 2);
        }
        return true;
    }
    case C::SpaceHorz:
    case C::SpaceVert: SpaceEvenly(Selection, Command == C::SpaceHorz); return true;
    default: break;
    }
    const TfrxComponent* r = Selection.front();
    const bool sizes = Command == C::SameWidth || Command == C::SameHeight;
    for (size_t i = 1; i < Selection.size(); ++i) {
        TfrxComponent* o = Selection[i];
        if (o->Restrictions().Contains(sizes ? rfDontSize : rfDontMove)) continue;
        switch (Command) {
        case C::AlignLefts: o->SetLeft(r->Left()); break;
        case C::AlignRights: o->SetLeft(r->Left() + r->Width() - o->Width()); break;
        case C::AlignTops: o->SetTop(r->Top()); break;
        case C::AlignBottoms: o->SetTop(r->Top() + r->Height() - o->Height()); break;
        case C::AlignHorzCenters: o->SetLeft(r->Left() + r->Width() / 2 - o->Width() / 2); break;
        case C::AlignVertCenters: o->SetTop(r->Top() + r->Height() / 2 - o->Height() / 2); break;
        case C::SameWidth: o->SetWidth(r->Width()); break;
        case C::SameHeight: o->SetHeight(r->Height()); break;
        default: break;
        }
    }
    return true;
}

// === Highlight ==============================================================================

bool frxHighlightSelection(TfrxCustomDesigner* Designer, const std::vector<TfrxComponent*>& Selection) {
    // The first selected memo is the source (the button is enabled for any selection of
    // two objects, and the window edits a memo's highlight).
    TfrxCustomMemoView* source = nullptr;
    for (TfrxComponent* o : Selection)
        if ((source = dynamic_cast<TfrxCustomMemoView*>(o))) break;
    if (!source || !frxShowHighlightEditor(source, Designer)) return false;
    bool first = true;
    for (TfrxComponent* o : Selection) {
        if (first) {
            first = false;
            continue;
        }
        auto* m = dynamic_cast<TfrxMemoView*>(o);
        if (m && m != source && CanModify(m)) m->Highlight()->Assign(source->Highlight());
    }
    return true;
}
