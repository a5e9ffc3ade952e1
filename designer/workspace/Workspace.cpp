// The workspace's model: scale and page geometry, the insertion, the selection and its
// groups, deleting, band stacking and the keyboard steps.
#include "designer/workspace/Workspace.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>

#include "designer/workspace/WorkspaceKinds.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Format.h"
#include "platform/ui/Forms.h"
#include "report/Bands.h"
#include "report/Component.h"
#include "report/Pages.h"

using DM = TfrxDesignMode;

namespace {

bool CanMove(const TfrxComponent* C) { return !C->Restrictions().Contains(rfDontMove); }
bool CanSize(const TfrxComponent* C) { return !C->Restrictions().Contains(rfDontSize); }

void EraseFrom(std::vector<TfrxComponent*>& List, TfrxComponent* C) {
    List.erase(std::remove(List.begin(), List.end(), C), List.end());
}

}  // namespace

TfrxDesignerWorkspace::TfrxDesignerWorkspace(TComponent* AOwner) : TCustomControl(AOwner) {
    CreatePaintedPeer();
    frxInstallPencilCursor();
    FMarginsPanel = new TMarginsPanel(AOwner ? AOwner : this);
    FMarginsPanel->Workspace = this;
    FInplaceMemo = new TInplaceMemo(this);
    FInplaceMemo->Workspace = this;
    FInplaceMemo->SetParent(this);
    FBandBitmap = std::make_unique<TBitmap>();
    frxLoadBandBitmap(*FBandBitmap);
    FCache = std::make_unique<TBitmap>();
    SetTabStop(true);
    CursorPosition = [this] { return ScreenToClient(Mouse()->CursorPos()); };
}

TfrxDesignerWorkspace::~TfrxDesignerWorkspace() = default;

void TfrxDesignerWorkspace::SetParent(TWinControl* AParent) {
    if (!ComponentState().Contains(csDestroying) && FMarginsPanel && !FMarginsPanel->ComponentState().Contains(csDestroying))
        FMarginsPanel->SetParent(AParent);
    TCustomControl::SetParent(AParent);
}

void TfrxDesignerWorkspace::BoundsChanged(bool Resized) {
    TCustomControl::BoundsChanged(Resized);
    if (!Resized) OnTopLeftChanged(this);
    if (Resized) InvalidatePage();
}

void TfrxDesignerWorkspace::Lock() {
    FLocked = true;
    FInserting = false;
    FMode = DM::dmNone;
    Changed();
}

void TfrxDesignerWorkspace::InvalidatePage() { FCacheValid = false; }

void TfrxDesignerWorkspace::Changed() {
    InvalidatePage();
    Invalidate();
}

void TfrxDesignerWorkspace::UpdateView() {
    Changed();
    NotifyPosition(SelectedCount() == 0 ? TfrxRect{} : GetSelectionBounds());
}

void TfrxDesignerWorkspace::NotifyPosition(const TfrxRect& R) {
    if (OnNotifyPosition) OnNotifyPosition(R);
}

void TfrxDesignerWorkspace::SetModeCursor(TCursor Value) {
    if (Cursor() != Value) SetCursor(Value);
}

void TfrxDesignerWorkspace::SetInsertion(TClass ComponentClass, double Width, double Height, uint16_t Flags) {
    FInsertion.ComponentClass = ComponentClass;
    FInsertion.Width = Width;
    FInsertion.Height = Height;
    FInsertion.DefaultWidth = Width;
    FInsertion.DefaultHeight = Height;
    FInsertion.Flags = Flags;
    FInserting = ComponentClass != nullptr;
    if (!ComponentClass) {
        FMode = DM::dmNone;
        SetModeCursor(crDefault);
    } else if (frxKind::ClassIs(ComponentClass, "TfrxCustomLineView")) {
        SetModeCursor(crPencil);
        FMode = DM::dmInsertLine;
        const double k = FGridType == gtChar ? 0.5 : 1;
        FInsertion.Left = -GridX * k;
        FInsertion.Top = -GridY * k;
    } else {
        SetModeCursor(crCross);
        FMode = DM::dmInsertObject;
        FInsertion.Left = GridX * -1000;
        FInsertion.Top = GridY * -1000;
    }
    Invalidate();
}

void TfrxDesignerWorkspace::SetScale(double Value) {
    // A zoom of 0, below 0 or not a number would give inside-out window sizes: it counts as
    // 100 %; above 20 the surface would outgrow what a window can hold.
    if (!(Value > 0)) Value = 1;
    if (Value > 20) Value = 20;
    // The kept picture is of the old zoom, and its place means nothing at the new one.
    if (Value != FScale) {
        FCacheValid = false;
        FCacheRect = TRect{};
    }
    FScale = Value;
    const int pw = static_cast<int>(Round(FPageWidth * FScale));
    const int ph = static_cast<int>(Round(FPageHeight * FScale));
    if (FPageWidth > 0 && FPageHeight > 0) {
        FMarginsPanel->SetBounds(FMarginsPanel->Left(), FMarginsPanel->Top(), pw, ph);
        const int l = static_cast<int>(Round(FMargins.Left * FScale));
        const int t = static_cast<int>(Round(FMargins.Top * FScale));
        SetBounds(FMarginsPanel->Left() + l, FMarginsPanel->Top() + t,
                  pw - static_cast<int>(Round((FMargins.Left + FMargins.Right) * FScale)),
                  ph - static_cast<int>(Round((FMargins.Top + FMargins.Bottom) * FScale)));
    }
    FMarginsPanel->Invalidate();
    Changed();
}

void TfrxDesignerWorkspace::SetPageDimensions(int AWidth, int AHeight, TRect AMargins) {
    FPageWidth = std::max(AWidth, 0);
    FPageHeight = std::max(AHeight, 0);
    FMargins = AMargins;
    SetScale(FScale);
    AdjustBands();
}

namespace {
double CaptionHeight(TfrxGridType Type) {
    switch (Type) {
        case gtPixels:
        case gtDialog: return 16;
        case gtCm: return 18.89765;
        case gtInch: return 19.2;
        case gtChar: return 17;
    }
    return 16;
}
}  // namespace

void TfrxDesignerWorkspace::SetShowGrid(bool Value) {
    FShowGrid = Value;
    Changed();
}

void TfrxDesignerWorkspace::SetShowBandCaptions(bool Value) {
    FShowBandCaptions = Value;
    FBandHeader = Value ? CaptionHeight(FGridType) : 0;
    AdjustBands();
    Changed();
}

void TfrxDesignerWorkspace::SetGridType(TfrxGridType Value) {
    FGridType = Value;
    FBandHeader = FShowBandCaptions ? CaptionHeight(FGridType) : 0;
    if (SelectedObjects && !SelectedObjects->empty() && !FMouseDown) MouseMove(0, 0, 0);
    AdjustBands();
    Changed();
}

void TfrxDesignerWorkspace::SetColor(TColor Value) {
    FColor = Value;
    FMarginsPanel->SetColor(Value);
    FMarginsPanel->Invalidate();
    Changed();
}

void TfrxDesignerWorkspace::SetOrigin(int ALeft, int ATop) {
    FMarginsPanel->SetBounds(ALeft, ATop, FMarginsPanel->Width(), FMarginsPanel->Height());
}

// --- Selection ---------------------------------------------------------------------------------

int TfrxDesignerWorkspace::SelectedCount() const {
    if (!SelectedObjects || SelectedObjects->empty()) return 0;
    if (SelectedObjects->size() == 1 && frxKind::IsPageOrReport((*SelectedObjects)[0])) return 0;
    return static_cast<int>(SelectedObjects->size());
}

TfrxRect TfrxDesignerWorkspace::GetSelectionBounds() const {
    if (SelectedCount() == 1) {
        const TfrxComponent* c = (*SelectedObjects)[0];
        return {c->Left(), c->Top(), c->Width(), c->Height()};
    }
    double l = 1e10, t = 1e10, r = -1e10, b = -1e10;
    if (SelectedObjects)
        for (const TfrxComponent* c : *SelectedObjects) {
            l = std::min(l, c->AbsLeft());
            t = std::min(t, c->AbsTop());
            r = std::max(r, c->AbsLeft() + c->Width());
            b = std::max(b, c->AbsTop() + c->Height());
        }
    return {l, t, r - l, b - t};
}

TfrxComponent* TfrxDesignerWorkspace::AnchorObject() const {
    TfrxComponent* best = nullptr;
    if (!SelectedObjects) return nullptr;
    for (TfrxComponent* c : *SelectedObjects) {
        if (!best) {
            best = c;
            continue;
        }
        const double r = c->AbsLeft() + c->Width(), br = best->AbsLeft() + best->Width();
        const double b = c->AbsTop() + c->Height(), bb = best->AbsTop() + best->Height();
        if (r > br || (r == br && b > bb)) best = c;
    }
    return best;
}

void TfrxDesignerWorkspace::SelectionChanged() {
    if (SelectedObjects && Objects) {
        const size_t n = SelectedObjects->size();
        for (size_t i = 0; i < n; ++i) {
            const int g = (*SelectedObjects)[i]->GroupIndex();
            if (g == 0) continue;
            for (TfrxComponent* c : *Objects)
                if (c->GroupIndex() == g &&
                    std::find(SelectedObjects->begin(), SelectedObjects->end(), c) == SelectedObjects->end())
                    SelectedObjects->push_back(c);
        }
    }
    OnSelectionChanged(this);
    Repaint();
}

void TfrxDesignerWorkspace::DeleteObjects() {
    if (SelectedCount() == 0) return;
    const std::vector<TfrxComponent*> walk = *SelectedObjects;
    for (TfrxComponent* c : walk) {
        // An earlier deletion may have freed this one (it was a child of a deleted object).
        if (std::find(SelectedObjects->begin(), SelectedObjects->end(), c) == SelectedObjects->end()) continue;
        if (frxKind::IsPageOrReport(c) || c->Restrictions().Contains(rfDontDelete)) continue;
        // Every descendant leaves both lists before the object frees them, so that no list
        // keeps an object that is gone.
        for (TfrxComponent* d : c->AllObjects()) {
            if (Objects) EraseFrom(*Objects, d);
            EraseFrom(*SelectedObjects, d);
        }
        if (Objects) EraseFrom(*Objects, c);
        EraseFrom(*SelectedObjects, c);
        if (FHoverObject == c) FHoverObject = nullptr;
        if (FSizedBand == c) FSizedBand = nullptr;
        delete c;
    }
    if (SelectedObjects->empty() && Page) SelectedObjects->push_back(Page);
    AdjustBands();
    FModified = true;
    DoModify();
    InvalidatePage();
    SelectionChanged();
}

void TfrxDesignerWorkspace::EditObject() {
    if (SelectedObjects && SelectedObjects->size() == 1) OnEditObject(this);
}

void TfrxDesignerWorkspace::GroupObjects() {
    if (SelectedCount() == 0 || !Objects) return;
    for (TfrxComponent* c : *SelectedObjects) c->SetGroupIndex(0);
    std::set<int> used;
    for (TfrxComponent* c : *Objects) used.insert(c->GroupIndex());
    int n = 1;
    while (used.count(n)) ++n;
    for (TfrxComponent* c : *SelectedObjects) c->SetGroupIndex(n);
}

void TfrxDesignerWorkspace::UngroupObjects() {
    if (SelectedCount() == 0) return;
    for (TfrxComponent* c : *SelectedObjects) c->SetGroupIndex(0);
}

void TfrxDesignerWorkspace::DoModify() {
    if (FModified) OnModify(this);
    FModified = false;
}

// --- Band stacking -----------------------------------------------------------------------------

namespace {

// The order of a band on the page: headers first, footers last, the rest by their top.
double BandKey(const TfrxBand* B, bool TitleBeforeHeader) {
    if (dynamic_cast<const TfrxPageHeader*>(B)) return TitleBeforeHeader ? 0.01 : 0;
    if (dynamic_cast<const TfrxReportTitle*>(B)) return TitleBeforeHeader ? 0 : 0.01;
    if (dynamic_cast<const TfrxColumnHeader*>(B)) return 0.02;
    if (dynamic_cast<const TfrxReportSummary*>(B)) return 99999;
    if (dynamic_cast<const TfrxColumnFooter*>(B)) return 100000;
    if (dynamic_cast<const TfrxPageFooter*>(B)) return 100001;
    return std::fabs(B->Top());
}

bool IsTopBand(const TfrxBand* B) {
    return dynamic_cast<const TfrxPageHeader*>(B) || dynamic_cast<const TfrxReportTitle*>(B) ||
           dynamic_cast<const TfrxColumnHeader*>(B);
}
bool IsBottomBand(const TfrxBand* B) {
    return dynamic_cast<const TfrxPageFooter*>(B) || dynamic_cast<const TfrxReportSummary*>(B) ||
           dynamic_cast<const TfrxColumnFooter*>(B);
}

}  // namespace

void TfrxDesignerWorkspace::AdjustBands() {
    // Bands stand on report pages; objects of another page (a list not yet refilled after a
    // page switch) are never moved here.
    if (!Objects || !Page || !frxKind::IsReportPage(Page)) return;
    if (std::any_of(Objects->begin(), Objects->end(),
                    [&](TfrxComponent* c) { return !frxKind::IsPageOrReport(c) && c->Page() != Page; }))
        return;
    const auto* rp = dynamic_cast<const TfrxReportPage*>(Page);
    const bool titleFirst = rp ? rp->TitleBeforeHeader : true;
    std::vector<std::pair<double, TfrxBand*>> bands;
    std::vector<TfrxBand*> horizontal;
    for (TfrxComponent* c : *Objects)
        if (auto* b = frxAs<TfrxBand>(c); b && !b->Vertical) {
            // The keys are compared at two decimals, as their text form would be.
            bands.emplace_back(std::nearbyint(BandKey(b, titleFirst) * 100), b);
            horizontal.push_back(b);
        }
    std::stable_sort(bands.begin(), bands.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    double typeGap = 0;
    switch (FGridType) {
        case gtPixels: typeGap = 40; break;
        case gtCm: typeGap = 37.7953; break;
        case gtInch: typeGap = 38.4; break;
        case gtChar: typeGap = 17; break;
        case gtDialog: typeGap = 0; break;
    }
    if (!FreeBands && GridY > 0) {
        for (size_t i = 0; i < bands.size(); ++i) {
            TfrxBand* b = bands[i].second;
            if (i == 0) {
                b->SetTop(frxRound8(FBandHeader));
                continue;
            }
            TfrxBand* p = bands[i - 1].second;
            const bool gapped = (IsTopBand(p) && !IsTopBand(b)) || (IsBottomBand(b) && !IsBottomBand(p));
            const double gap = gapped ? typeGap : 0;
            b->SetTop(frxRound8(gap + GridY * Round((p->Top() + p->Height() + FBandHeader + BandsGap) / GridY)));
        }
    }
    // Each view belongs to the band under its top edge (the last such band in the list),
    // else to the page. Views inside vertical bands stay there. The bands' spans are
    // sorted by their start, with the farthest end of those before each: a view's band is
    // found from the last span starting above it, back while an end could still reach it
    // (one or two steps for bands that do not overlap), not by asking every band.
    struct TSpan {
        double From, To;
        size_t Index;
    };
    std::vector<TSpan> spans;
    for (size_t i = 0; i < horizontal.size(); ++i) {
        TfrxBand* b = horizontal[i];
        if (b->Parent() == Page) spans.push_back({b->Top() - 0.0001, b->Top() + b->Height(), i});
    }
    std::stable_sort(spans.begin(), spans.end(), [](const TSpan& a, const TSpan& b) { return a.From < b.From; });
    std::vector<double> reach(spans.size());
    for (size_t k = 0; k < spans.size(); ++k) reach[k] = k ? std::max(reach[k - 1], spans[k].To) : spans[k].To;
    auto bandAt = [&](double Top) -> TfrxComponent* {
        auto it = std::upper_bound(spans.begin(), spans.end(), Top, [](double t, const TSpan& s) { return t < s.From; });
        size_t best = SIZE_MAX;
        for (size_t k = static_cast<size_t>(it - spans.begin()); k-- > 0 && reach[k] > Top;)
            if (Top < spans[k].To && (best == SIZE_MAX || spans[k].Index > best)) best = spans[k].Index;
        return best == SIZE_MAX ? static_cast<TfrxComponent*>(Page) : horizontal[best];
    };
    for (TfrxComponent* c : *Objects) {
        if (!frxKind::IsView(c) || frxKind::IsBand(c)) continue;
        TfrxComponent* parent = c->Parent();
        if (parent != Page && !frxKind::IsHorizontalBand(parent)) continue;
        const double top = c->AbsTop();
        TfrxComponent* target = bandAt(top);
        if (target == parent) {
            if (target != Page) c->SetTop(top - target->Top());
            continue;
        }
        c->SetTop(target == Page ? top - Page->AbsTop() : top - target->AbsTop());
        c->SetParent(target);
    }
    // Bands first, each group in its previous order: bands are drawn first and hit last.
    std::stable_partition(Objects->begin(), Objects->end(),
                          [](TfrxComponent* c) { return frxKind::IsBand(c); });
    InvalidatePage();
}

void TfrxDesignerWorkspace::FitBand(TfrxBand* Band) {
    double bottom = 0, top = 0;
    bool any = false;
    for (TfrxComponent* c : Band->ObjectList()) {
        bottom = any ? std::max(bottom, c->Top() + c->Height()) : c->Top() + c->Height();
        top = std::min(top, c->Top());
        any = true;
    }
    if (!any) return;
    if (bottom - top > Band->Height()) Band->SetHeight(bottom - top);
    if (top < 0)
        for (TfrxComponent* c : Band->ObjectList()) c->SetTop(c->Top() - top);
}

// --- Keyboard steps ----------------------------------------------------------------------------

void TfrxDesignerWorkspace::MoveSelection(double DX, double DY) {
    if (SelectedCount() == 0) return;
    if (FGridType == gtChar) {
        DX *= 9.6;
        DY *= 17;
    }
    for (TfrxComponent* c : *SelectedObjects) {
        if (!CanMove(c)) continue;
        c->SetLeft(c->Left() + DX);
        c->SetTop(c->Top() + DY);
    }
    FModified = true;
    NotifyPosition(GetSelectionBounds());
    InvalidatePage();
    Repaint();
}

void TfrxDesignerWorkspace::SizeSelection(double DX, double DY) {
    if (SelectedCount() == 0) return;
    if (FGridType == gtChar) {
        DX *= 9.6;
        DY *= 17;
    }
    for (TfrxComponent* c : *SelectedObjects) {
        if (!CanSize(c)) continue;
        c->SetWidth(c->Width() + DX);
        if (c->Width() < 0) c->SetWidth(c->Width() - DX);
        c->SetHeight(c->Height() + DY);
        if (c->Height() < 0) c->SetHeight(c->Height() - DY);
    }
    FModified = true;
    NotifyPosition(GetSelectionBounds());
    InvalidatePage();
    Repaint();
}
ROVE_IMPLEMENT_CLASS(TfrxDesignerWorkspace)
