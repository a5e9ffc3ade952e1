// Inserting objects and bands.
#include "designer/commands/InsertCommands.h"

#include <algorithm>
#include <memory>

#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "report/Bands.h"
#include "report/DesignRegistries.h"
#include "report/DialogComponent.h"
#include "report/DotMatrix.h"
#include "report/Pages.h"
#include "report/ReportServices.h"

double frxDefaultBandSize(int Units) {
    switch (Units) {
    case 1: return 28.8;
    case 2: return 20;
    case 3: return 17;
    default: return 22.67718;
    }
}

double frxFreeBandTop(const TfrxPage* Page, double BandHeader, double GridY) {
    double bottom = 0;
    if (Page)
        for (const TfrxComponent* c : Page->ObjectList())
            if (dynamic_cast<const TfrxBand*>(c)) bottom = std::max(bottom, c->Top() + c->Height());
    const double gy = GridY > 0 ? GridY : 1;
    const double top = static_cast<double>(Round((bottom + BandHeader + 4) / gy)) * gy;
    return static_cast<double>(Round(top * 1e8)) / 1e8;
}

TClass frxBandClassOfTag(int Tag) {
    const std::vector<TClass>& kinds = frxBandKinds();
    if (Tag < 0) return nullptr;
    const size_t i = static_cast<size_t>(Tag % 100);
    return i < kinds.size() ? kinds[i] : nullptr;
}

bool frxBandTagEnabled(const TfrxPage* Page, int Tag) {
    // The kinds a page holds once: report title, report summary, page header and footer,
    // column header and footer (a class test: descendants count).
    static const int kOnce[] = {0, 1, 2, 3, 15, 16};
    if (Tag >= 100 || std::find(std::begin(kOnce), std::end(kOnce), Tag) == std::end(kOnce)) return true;
    const TClass cls = frxBandClassOfTag(Tag);
    if (!Page || !cls) return true;
    for (const TfrxComponent* c : Page->ObjectList())
        if (c->InheritsFrom(cls)) return false;
    return true;
}

TfrxBand* frxInsertBand(TfrxCustomDesigner& Designer, int Tag, bool FreeBands, double BandHeader, double GridY) {
    TfrxPage* page = Designer.Page();
    const TClass cls = frxBandClassOfTag(Tag);
    if (!page || !cls) return nullptr;
    std::unique_ptr<TObject> made(cls->CreateInstance(page));
    auto* band = dynamic_cast<TfrxBand*>(made.get());
    if (!band) return nullptr;
    made.release();
    band->SetIsDesigning(true);
    band->CreateUniqueName();
    band->Vertical = Tag >= 100;
    const double size = frxDefaultBandSize(Designer.CurUnits());
    if (!band->Vertical) {
        band->SetTop(FreeBands ? frxFreeBandTop(page, BandHeader, GridY) : 10000);
        band->SetHeight(size);
    } else {
        band->SetLeft(size);
        band->SetWidth(size);
    }
    Designer.Objects().push_back(band);
    Designer.SelectedObjects().assign(1, band);
    Designer.SetModified(true);
    return band;
}

std::vector<int> frxCategoryEntries(int Index, bool DotMatrixPage) {
    std::vector<int> out;
    TfrxObjectCollection& reg = frxObjects();
    if (Index < 0 || Index >= reg.Count()) return out;
    const std::string category = reg.Items(Index).CategoryName;
    for (int i = 0; i < reg.Count(); ++i) {
        const TfrxObjectItem& e = reg.Items(i);
        if (!e.ClassRef || !SameText(e.CategoryName, category)) continue;
        if (DotMatrixPage && !SameText(e.ClassRef->ClassName(), "TfrxCrossView") &&
            !SameText(e.ClassRef->ClassName(), "TfrxDBCrossView"))
            continue;
        out.push_back(i);
    }
    return out;
}

TfrxPoint frxInsertionSize(const TfrxObjectItem& Entry, TfrxPoint DefaultObjectSize) {
    if (!Entry.ClassRef) return {};
    if (Entry.ClassRef->InheritsFrom(TfrxDialogComponent::StaticClass())) return {28, 28};
    std::unique_ptr<TObject> probe(Entry.ClassRef->CreateInstance(nullptr));
    const auto* c = dynamic_cast<const TfrxComponent*>(probe.get());
    if (!c || (c->Width() == 0 && c->Height() == 0)) return DefaultObjectSize;
    return {c->Width(), c->Height()};
}
