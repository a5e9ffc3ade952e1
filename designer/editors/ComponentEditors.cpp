// The component editors of pages, memos, lines, pictures, bands, dialog controls and
// subreports.
#include "designer/editors/ComponentEditors.h"

#include <memory>

#include "designer/editors/DataBandEditor.h"
#include "designer/editors/GroupEditor.h"
#include "designer/editors/MemoEditor.h"
#include "designer/editors/PictureEditor.h"
#include "designer/editors/SysMemoEditor.h"
#include "platform/graphics/Graphics.h"
#include "report/Bands.h"
#include "report/LineView.h"
#include "report/MemoView.h"
#include "report/Pages.h"
#include "report/PictureView.h"
#include "report/Resources.h"
#include "report/ReportServices.h"

// === Event handlers =========================================================================

bool frxEditEventHandler(TfrxCustomDesigner* Designer, TPersistent*, const std::string& ComponentName,
                         const std::string& Event, const std::string& EventType, std::string& Value) {
    if (!Designer) return false;
    if (!Value.empty()) {
        const int line = Designer->FindHandlerLine(Value);
        if (line >= 0) {
            Designer->ShowCodeLine(line + 3, 1);
            return false;
        }
    }
    // A new handler, or one the script lost: the handler is made before the property
    // names it, so that a script without a main block leaves the property as it was.
    const std::string name = Value.empty() ? ComponentName + Event : Value;
    int line = Designer->FindHandlerLine(name);
    if (line < 0)
        line = Designer->InsertEventHandler(EventType, name);
    else
        line += 3;
    Value = name;
    Designer->ShowCodeLine(line, 3);
    return true;
}

// === Memos ==================================================================================

bool TfrxMemoEditor::Edit() {
    auto* memo = dynamic_cast<TfrxCustomMemoView*>(Component());
    if (!memo) return false;
    std::string text;
    if (!frxShowMemoEditor(memo, Designer(), text)) return false;
    memo->SetText(text);
    if (auto* view = dynamic_cast<TfrxView*>(memo)) view->DataField.clear();
    return true;
}

bool TfrxSysMemoEditor::Edit() {
    auto* memo = dynamic_cast<TfrxCustomMemoView*>(Component());
    if (!memo) return false;
    std::string text = memo->Text();
    if (!frxShowSysMemoEditor(Designer(), text, false)) return false;
    memo->SetText(text);
    return true;
}

// === Line ===================================================================================

void TfrxLineEditor::GetMenuItems() {
    auto* line = dynamic_cast<TfrxCustomLineView*>(Component());
    if (!line) return;
    if (dynamic_cast<TfrxLineView*>(line)) AddItem("lvDiagonal", 0, line->Diagonal);
    AddItem("mvStretch", 1, line->StretchMode() == smMaxHeight);
    TfrxViewEditor::GetMenuItems();
}

bool TfrxLineEditor::Execute(int Tag, bool Checked) {
    if (Tag != 0 && Tag != 1) return TfrxViewEditor::Execute(Tag, Checked);
    bool changed = false;
    for (TfrxComponent* c : Targets()) {
        auto* line = dynamic_cast<TfrxCustomLineView*>(c);
        if (!line) continue;
        if (Tag == 0)
            line->Diagonal = Checked;
        else
            line->SetStretchMode(Checked ? smMaxHeight : smDontStretch);
        changed = true;
    }
    return changed;
}

// === Picture ================================================================================

bool TfrxPictureEditor::Edit() {
    auto* view = dynamic_cast<TfrxPictureView*>(Component());
    if (!view) return false;
    TPicture picture;
    picture.Assign(*view->Picture());
    if (!frxShowPictureEditor(&picture, Designer())) return false;
    view->SetPicture(&picture);
    return true;
}

void TfrxPictureEditor::GetMenuItems() {
    auto* view = dynamic_cast<TfrxPictureView*>(Component());
    if (!view) return;
    AddItem("pvAutoSize", 0, view->AutoSize());
    AddItem("mvStretch", 1, view->Stretched);
    AddItem("pvCenter", 2, view->Center);
    AddItem("pvAspect", 3, view->KeepAspectRatio);
    AddSeparator();
    TfrxViewEditor::GetMenuItems();
}

bool TfrxPictureEditor::Execute(int Tag, bool Checked) {
    if (Tag < 0 || Tag > 3) return TfrxViewEditor::Execute(Tag, Checked);
    bool changed = false;
    for (TfrxComponent* c : Targets()) {
        auto* view = dynamic_cast<TfrxPictureView*>(c);
        if (!view) continue;
        switch (Tag) {
        case 0: view->SetAutoSize(Checked); break;
        case 1: view->Stretched = Checked; break;
        case 2: view->Center = Checked; break;
        default: view->KeepAspectRatio = Checked; break;
        }
        changed = true;
    }
    return changed;
}

// === Bands ==================================================================================

bool TfrxBandEditor::SingleSelection() const { return !Designer() || Designer()->SelectedObjects().size() < 2; }

TfrxBand* TfrxBandEditor::TargetBand(TClass Kind) const {
    TfrxComponent* c = Component();
    if (Designer() && !Designer()->SelectedObjects().empty()) c = Designer()->SelectedObjects().front();
    if (!c || !c->InheritsFrom(Kind) || !frxCanModify(c)) return nullptr;
    return static_cast<TfrxBand*>(c);
}

void TfrxBandEditor::AddItem(const char* Key, int Tag, bool Checked) {
    AddMenuItem(frxResources().Get(Key), Tag, Checked);
}

// Positions in the band kind table whose bands lack an entry.
static bool InPositions(int Position, std::initializer_list<int> Positions) {
    for (int p : Positions)
        if (p == Position) return true;
    return false;
}

void TfrxBandEditor::GetMenuItems() {
    auto* band = dynamic_cast<TfrxBand*>(Component());
    if (!band || !SingleSelection()) return;
    const int n = band->BandNumber();
    if (!band->Vertical) {
        AddItem("mvStretch", frxTagBandStretch, band->Stretched);
        if (!InPositions(n, {0, 2, 3, 15, 16})) AddItem("bvSplit", frxTagBandSplit, band->AllowSplit);
        if (!InPositions(n, {2, 15})) AddItem("bvKeepChild", frxTagBandKeepChild, band->KeepChild);
    }
    AddItem("bvPrintChild", frxTagBandPrintChild, band->PrintChildIfInvisible);
    if (!InPositions(n, {2, 3, 5, 13, 15, 16})) AddItem("bvStartPage", frxTagBandStartPage, band->StartNewPage);
}

bool TfrxBandEditor::Execute(int Tag, bool Checked) {
    TfrxBand* band = TargetBand(TfrxBand::StaticClass());
    if (!band) return false;
    switch (Tag) {
    case frxTagBandStretch: band->Stretched = Checked; return true;
    case frxTagBandSplit: band->AllowSplit = Checked; return true;
    case frxTagBandKeepChild: band->KeepChild = Checked; return true;
    case frxTagBandPrintChild: band->PrintChildIfInvisible = Checked; return true;
    case frxTagBandStartPage: band->StartNewPage = Checked; return true;
    default: return false;
    }
}

bool TfrxDataBandEditor::Edit() {
    auto* band = dynamic_cast<TfrxDataBand*>(Component());
    return band && frxShowDataBandEditor(band, Designer());
}

void TfrxDataBandEditor::GetMenuItems() {
    TfrxBandEditor::GetMenuItems();
    auto* band = dynamic_cast<TfrxDataBand*>(Component());
    if (!band || !SingleSelection()) return;
    AddItem("bvPrintIfEmpty", 0, band->PrintIfDetailEmpty);
    AddItem("bvFooterAfterEach", 1, band->FooterAfterEach);
    if (band->Vertical) return;
    AddItem("bvKeepDetail", 2, band->KeepTogether);
    AddItem("bvKeepFooter", 3, band->KeepFooter);
    AddItem("bvKeepHeader", 4, band->KeepHeader);
}

bool TfrxDataBandEditor::Execute(int Tag, bool Checked) {
    if (Tag >= frxTagBandStretch) return TfrxBandEditor::Execute(Tag, Checked);
    auto* band = static_cast<TfrxDataBand*>(TargetBand(TfrxDataBand::StaticClass()));
    if (!band) return false;
    switch (Tag) {
    case 0: band->PrintIfDetailEmpty = Checked; return true;
    case 1: band->FooterAfterEach = Checked; return true;
    case 2: band->KeepTogether = Checked; return true;
    case 3: band->KeepFooter = Checked; return true;
    case 4: band->KeepHeader = Checked; return true;
    default: return false;
    }
}

void TfrxHeaderEditor::GetMenuItems() {
    TfrxBandEditor::GetMenuItems();
    auto* band = dynamic_cast<TfrxHeader*>(Component());
    if (band && SingleSelection()) AddItem("bvReprint", 0, band->ReprintOnNewPage);
}

bool TfrxHeaderEditor::Execute(int Tag, bool Checked) {
    if (Tag != 0) return TfrxBandEditor::Execute(Tag, Checked);
    auto* band = static_cast<TfrxHeader*>(TargetBand(TfrxHeader::StaticClass()));
    if (!band) return false;
    band->ReprintOnNewPage = Checked;
    return true;
}

void TfrxPageHeaderEditor::GetMenuItems() {
    TfrxBandEditor::GetMenuItems();
    auto* band = dynamic_cast<TfrxPageHeader*>(Component());
    if (band && SingleSelection()) AddItem("bvOnFirst", 0, band->PrintOnFirstPage);
}

bool TfrxPageHeaderEditor::Execute(int Tag, bool Checked) {
    if (Tag != 0) return TfrxBandEditor::Execute(Tag, Checked);
    auto* band = static_cast<TfrxPageHeader*>(TargetBand(TfrxPageHeader::StaticClass()));
    if (!band) return false;
    band->PrintOnFirstPage = Checked;
    return true;
}

void TfrxPageFooterEditor::GetMenuItems() {
    auto* band = dynamic_cast<TfrxPageFooter*>(Component());
    if (!band || !SingleSelection()) return;
    AddItem("bvOnFirst", 0, band->PrintOnFirstPage);
    AddItem("bvOnLast", 1, band->PrintOnLastPage);
}

bool TfrxPageFooterEditor::Execute(int Tag, bool Checked) {
    auto* band = static_cast<TfrxPageFooter*>(TargetBand(TfrxPageFooter::StaticClass()));
    if (!band) return false;
    switch (Tag) {
    case 0: band->PrintOnFirstPage = Checked; return true;
    case 1: band->PrintOnLastPage = Checked; return true;
    default: return false;
    }
}

bool TfrxGroupHeaderEditor::Edit() {
    auto* band = dynamic_cast<TfrxGroupHeader*>(Component());
    return band && frxShowGroupEditor(band, Designer());
}

void TfrxGroupHeaderEditor::GetMenuItems() {
    TfrxBandEditor::GetMenuItems();
    auto* band = dynamic_cast<TfrxGroupHeader*>(Component());
    if (!band || !SingleSelection()) return;
    AddItem("bvKeepGroup", 0, band->KeepTogether);
    AddItem("bvReprint", 1, band->ReprintOnNewPage);
}

bool TfrxGroupHeaderEditor::Execute(int Tag, bool Checked) {
    if (Tag >= frxTagBandStretch) return TfrxBandEditor::Execute(Tag, Checked);
    auto* band = static_cast<TfrxGroupHeader*>(TargetBand(TfrxGroupHeader::StaticClass()));
    if (!band) return false;
    switch (Tag) {
    case 0: band->KeepTogether = Checked; return true;
    case 1: band->ReprintOnNewPage = Checked; return true;
    default: return false;
    }
}

// === Dialog controls and subreports =========================================================

bool TfrxDialogControlEditor::Edit() {
    TfrxComponent* c = Component();
    const TPropInfo* p = c ? FindPropInfo(c, "OnClick") : nullptr;
    if (!p || p->Kind() != tkString) return false;
    std::string value = GetStrProp(c, p);
    if (!frxEditEventHandler(Designer(), c, c->Name(), "OnClick", "TfrxNotifyEvent", value)) return false;
    SetStrProp(c, p, value);
    return true;
}

bool TfrxSubreportEditor::Edit() {
    auto* sub = dynamic_cast<TfrxSubreport*>(Component());
    if (sub && sub->Page() && Designer()) Designer()->SetPage(sub->Page());
    return false;
}

void TfrxSubreportEditor::GetMenuItems() {
    auto* sub = dynamic_cast<TfrxSubreport*>(Component());
    if (!sub || (Designer() && Designer()->SelectedObjects().size() >= 2)) return;
    AddMenuItem(frxResources().Get("srParent"), 0, sub->PrintOnParent);
}

bool TfrxSubreportEditor::Execute(int Tag, bool Checked) {
    TfrxComponent* c = Component();
    if (Designer() && !Designer()->SelectedObjects().empty()) c = Designer()->SelectedObjects().front();
    auto* sub = dynamic_cast<TfrxSubreport*>(c);
    if (Tag != 0 || !sub || !frxCanModify(sub)) return false;
    sub->PrintOnParent = Checked;
    return true;
}
