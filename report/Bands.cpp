// Bands: the kind table, names, dot-matrix snapping, child links, the data band's
// dataset pairing, row-count dataset and columns, and the subreport view.
#include "report/Bands.h"

#include <algorithm>
#include <cmath>

#include "platform/rtl/Format.h"
#include "report/DotMatrix.h"
#include "report/Pages.h"
#include "report/Report.h"
#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxBand)
ROVE_IMPLEMENT_CLASS(TfrxReportTitle)
ROVE_IMPLEMENT_CLASS(TfrxReportSummary)
ROVE_IMPLEMENT_CLASS(TfrxPageHeader)
ROVE_IMPLEMENT_CLASS(TfrxPageFooter)
ROVE_IMPLEMENT_CLASS(TfrxHeader)
ROVE_IMPLEMENT_CLASS(TfrxFooter)
ROVE_IMPLEMENT_CLASS(TfrxColumnHeader)
ROVE_IMPLEMENT_CLASS(TfrxColumnFooter)
ROVE_IMPLEMENT_CLASS(TfrxOverlay)
ROVE_IMPLEMENT_CLASS(TfrxNullBand)
ROVE_IMPLEMENT_CLASS(TfrxGroupHeader)
ROVE_IMPLEMENT_CLASS(TfrxGroupFooter)
ROVE_IMPLEMENT_CLASS(TfrxChild)
ROVE_IMPLEMENT_CLASS(TfrxDataBand)
ROVE_IMPLEMENT_CLASS(TfrxMasterData)
ROVE_IMPLEMENT_CLASS(TfrxDetailData)
ROVE_IMPLEMENT_CLASS(TfrxSubdetailData)
ROVE_IMPLEMENT_CLASS(TfrxDataBand4)
ROVE_IMPLEMENT_CLASS(TfrxDataBand5)
ROVE_IMPLEMENT_CLASS(TfrxDataBand6)
ROVE_IMPLEMENT_CLASS(TfrxSubreport)

namespace {

// The character cell of dot-matrix pages.
constexpr double kCharWidth = 9.6;
constexpr double kCharHeight = 17;

// Value to the nearest multiple of Step (a half to the even multiple).
double Snap(double Value, double Step) { return static_cast<double>(Round(Value / Step)) * Step; }

}  // namespace

// ORDER BANDKIND: the kind numbers of the layout engine.
const std::vector<TClass>& frxBandKinds() {
    static const std::vector<TClass> kinds = {
        TfrxReportTitle::StaticClass(),   TfrxReportSummary::StaticClass(), TfrxPageHeader::StaticClass(),
        TfrxPageFooter::StaticClass(),    TfrxHeader::StaticClass(),        TfrxFooter::StaticClass(),
        TfrxMasterData::StaticClass(),    TfrxDetailData::StaticClass(),    TfrxSubdetailData::StaticClass(),
        TfrxDataBand4::StaticClass(),     TfrxDataBand5::StaticClass(),     TfrxDataBand6::StaticClass(),
        TfrxGroupHeader::StaticClass(),   TfrxGroupFooter::StaticClass(),   TfrxChild::StaticClass(),
        TfrxColumnHeader::StaticClass(),  TfrxColumnFooter::StaticClass(),  TfrxOverlay::StaticClass(),
    };
    return kinds;
}

// --- TfrxBand ------------------------------------------------------------------------------

TfrxBand::TfrxBand(TComponent* AOwner) : TfrxReportComponent(AOwner) {}
TfrxBand::TfrxBand(TComponent* AOwner, uint16_t Flags) : TfrxReportComponent(AOwner, Flags) {}
TfrxBand::~TfrxBand() {
    // The engine's links between the bands of a page (headers, footers, groups, details,
    // masters) are plain fields anyone may set: the page and its other bands drop those
    // to this band here, while it is whole. When the page itself goes, its bands go with
    // it and nobody reads the links any more.
    if (auto* page = frxAs<TfrxReportPage>(Parent()); page && !page->Going()) {
        for (TfrxComponent* c : page->ObjectList())
            if (c != this && c->Is<TfrxBand>()) c->Notification(this, opRemove);
        page->Notification(this, opRemove);
    }
}

void TfrxBand::DeclareProperties(TPropertyDecl<TfrxBand>& d) {
    using B = TfrxBand;
    TfrxComponent::DeclareCommon(d, TfrxComponent::pubBounds | TfrxComponent::pubFont | TfrxComponent::pubParentFont |
                                        TfrxComponent::pubRestrictions | TfrxComponent::pubVisible);
    d.Property("OutlineText", &B::OutlineText, &B::OutlineText);
    d.Property("Vertical", &B::Vertical, &B::Vertical).Default(false);
}

void TfrxBand::SetChild(TfrxChild* Value) {
    if (Value == FChild) return;
    for (const TfrxBand* b = Value; b; b = b->FChild)
        if (b == this) throw EfrxError("The child band " + Value->Name() + " leads back to " + Name());
    FChild = Value;
    FChildComponent = Value;
    if (Value) Value->FreeNotification(this);
}

void TfrxBand::Notification(TComponent* AComponent, TOperation Operation) {
    TfrxReportComponent::Notification(AComponent, Operation);
    if (Operation != opRemove || !AComponent) return;
    if (AComponent == FChildComponent) {
        FChild = nullptr;
        FChildComponent = nullptr;
    }
    std::erase(WorkList, AComponent);
}

int TfrxBand::BandNumber() const {
    const std::vector<TClass>& kinds = frxBandKinds();
    int result = 0;
    for (size_t i = 0; i < kinds.size(); ++i)
        if (InheritsFrom(kinds[i])) result = static_cast<int>(i);
    return result;
}

std::string TfrxBand::BandName(TClass BandClass) {
    std::string s = BandClass ? BandClass->ClassName() : std::string();
    size_t p = s.find("Tfrx");
    if (p != std::string::npos) s.erase(p, 4);
    p = s.find("Band");
    if (p != std::string::npos) s.erase(p, 4);
    return s;
}

bool TfrxBand::IsOnDotMatrixPage() const {
    // A band's parent is its page, but for bands made during a run.
    const TfrxComponent* p = Parent();
    if (!p) return false;
    const TClass c = p->ClassType();
    if (p == FDmpParent && c == FDmpParentClass) return FDmp;
    if (c->InheritsFrom(TfrxPage::StaticClass())) {
        FDmpParent = p;
        FDmpParentClass = c;
        FDmp = c->InheritsFrom(TfrxDMPPage::StaticClass());
        return FDmp;
    }
    const TfrxPage* page = Page();
    return page && page->Is<TfrxDMPPage>();
}

void TfrxBand::SetLeft(double Value) {
    if (IsOnDotMatrixPage()) Value = Snap(Value, kCharWidth);
    TfrxReportComponent::SetLeft(Value);
}

void TfrxBand::SetTop(double Value) {
    if (IsOnDotMatrixPage()) Value = Snap(Value, kCharHeight);
    TfrxReportComponent::SetTop(Value);
}

void TfrxBand::SetHeight(double Value) {
    if (IsOnDotMatrixPage()) Value = Snap(Value, kCharHeight);
    TfrxReportComponent::SetHeight(Value);
}

std::string TfrxBand::GetDescription() const { return frxResources().Get("obBand"); }

// --- The kinds' tables ---------------------------------------------------------------------

void TfrxReportTitle::DeclareProperties(TPropertyDecl<TfrxReportTitle>& d) {
    PublishFlags(d, {"Child", "KeepChild", "PrintChildIfInvisible", "StartNewPage", "Stretched"});
    PublishEvents(d);
}

void TfrxReportSummary::DeclareProperties(TPropertyDecl<TfrxReportSummary>& d) {
    PublishFlags(d, {"AllowSplit", "Child", "KeepChild", "PrintChildIfInvisible", "StartNewPage", "Stretched"});
    PublishEvents(d);
}

void TfrxPageHeader::DeclareProperties(TPropertyDecl<TfrxPageHeader>& d) {
    using T = TfrxPageHeader;
    PublishFlags(d, {"Child", "PrintChildIfInvisible"});
    d.Property("PrintOnFirstPage", &T::PrintOnFirstPage, &T::PrintOnFirstPage).Default(true);
    PublishFlags(d, {"Stretched"});
    PublishEvents(d);
}

void TfrxPageFooter::DeclareProperties(TPropertyDecl<TfrxPageFooter>& d) {
    using T = TfrxPageFooter;
    d.Property("PrintOnFirstPage", &T::PrintOnFirstPage, &T::PrintOnFirstPage).Default(true);
    d.Property("PrintOnLastPage", &T::PrintOnLastPage, &T::PrintOnLastPage).Default(true);
    PublishEvents(d);
}

void TfrxHeader::DeclareProperties(TPropertyDecl<TfrxHeader>& d) {
    using T = TfrxHeader;
    PublishFlags(d, {"AllowSplit", "Child", "KeepChild", "PrintChildIfInvisible"});
    d.Property("ReprintOnNewPage", &T::ReprintOnNewPage, &T::ReprintOnNewPage).Default(false);
    PublishFlags(d, {"StartNewPage", "Stretched"});
    PublishEvents(d);
}

void TfrxFooter::DeclareProperties(TPropertyDecl<TfrxFooter>& d) {
    PublishFlags(d, {"AllowSplit", "Child", "KeepChild", "PrintChildIfInvisible", "Stretched"});
    PublishEvents(d);
}

void TfrxColumnHeader::DeclareProperties(TPropertyDecl<TfrxColumnHeader>& d) {
    PublishFlags(d, {"Stretched"});
    PublishEvents(d);
}

void TfrxColumnFooter::DeclareProperties(TPropertyDecl<TfrxColumnFooter>& d) { PublishEvents(d); }
void TfrxOverlay::DeclareProperties(TPropertyDecl<TfrxOverlay>& d) { PublishEvents(d); }
void TfrxNullBand::DeclareProperties(TPropertyDecl<TfrxNullBand>& d) { PublishEvents(d); }

void TfrxGroupHeader::DeclareProperties(TPropertyDecl<TfrxGroupHeader>& d) {
    using T = TfrxGroupHeader;
    PublishFlags(d, {"AllowSplit", "Child"});
    d.Property("Condition", &T::Condition, &T::Condition);
    PublishFlags(d, {"KeepChild"});
    d.Property("KeepTogether", &T::KeepTogether, &T::KeepTogether).Default(false);
    d.Property("ReprintOnNewPage", &T::ReprintOnNewPage, &T::ReprintOnNewPage).Default(false);
    PublishFlags(d, {"PrintChildIfInvisible", "StartNewPage", "Stretched"});
    PublishEvents(d);
}

void TfrxGroupFooter::DeclareProperties(TPropertyDecl<TfrxGroupFooter>& d) {
    PublishFlags(d, {"AllowSplit", "Child", "KeepChild", "PrintChildIfInvisible", "Stretched"});
    PublishEvents(d);
}

void TfrxChild::DeclareProperties(TPropertyDecl<TfrxChild>& d) {
    PublishFlags(d, {"AllowSplit", "Child", "KeepChild", "PrintChildIfInvisible", "StartNewPage", "Stretched"});
    PublishEvents(d);
}

// --- TfrxGroupHeader -----------------------------------------------------------------------

TfrxGroupHeader::~TfrxGroupHeader() = default;

void TfrxGroupHeader::Notification(TComponent* AComponent, TOperation Operation) {
    TfrxBand::Notification(AComponent, Operation);
    if (Operation != opRemove || !AComponent) return;
    // The band tree's links compare as components: the band part may be gone already.
    if (static_cast<TComponent*>(static_cast<TfrxBand*>(Footer)) == AComponent) Footer = nullptr;
    std::erase_if(GroupList, [&](TfrxGroupHeader* g) { return static_cast<TComponent*>(g) == AComponent; });
}

// --- TfrxDataBand --------------------------------------------------------------------------

TfrxDataBand::TfrxDataBand(TComponent* AOwner) : TfrxBand(AOwner) {}
TfrxDataBand::TfrxDataBand(TComponent* AOwner, uint16_t Flags) : TfrxBand(AOwner, Flags) {}

// Made when a run first asks for it: the bands of every built prepared page would
// otherwise each make (and announce, and free) a dataset nobody reads. Outside the
// object tree: it is neither saved nor found by name.
TfrxUserDataSet* TfrxDataBand::VirtualDataSet() const {
    if (!FVirtualDataSet) {
        FVirtualDataSet = std::make_unique<TfrxUserDataSet>(nullptr);
        FVirtualDataSet->RangeEnd = reCount;
        FVirtualDataSet->RangeEndCount = FRowCount;
    }
    return FVirtualDataSet.get();
}

TfrxDataBand::~TfrxDataBand() {
    if (FDataSet == FVirtualDataSet.get()) {
        FDataSet = nullptr;
        FDataSetComponent = nullptr;
    }
    FVirtualDataSet.reset();
}

void TfrxDataBand::DeclareProperties(TPropertyDecl<TfrxDataBand>& d) {
    using D = TfrxDataBand;
    PublishFlags(d, {"AllowSplit", "Child"});
    d.Property("Columns", &D::Columns, &D::Columns).Default(0);
    d.Property("ColumnWidth", &D::ColumnWidth, &D::ColumnWidth);
    d.Property("ColumnGap", &D::ColumnGap, &D::ColumnGap);
    d.Property("DataSet", &D::DataSet, &D::SetDataSet);
    d.Property("DataSetName", &D::DataSetName, &D::SetDataSetName);
    d.Property("FooterAfterEach", &D::FooterAfterEach, &D::FooterAfterEach).Default(false);
    PublishFlags(d, {"KeepChild"});
    d.Property("KeepFooter", &D::KeepFooter, &D::KeepFooter).Default(false);
    d.Property("KeepHeader", &D::KeepHeader, &D::KeepHeader).Default(false);
    d.Property("KeepTogether", &D::KeepTogether, &D::KeepTogether).Default(false);
    PublishFlags(d, {"PrintChildIfInvisible"});
    d.Property("PrintIfDetailEmpty", &D::PrintIfDetailEmpty, &D::PrintIfDetailEmpty).Default(false);
    d.Property("RowCount", &D::RowCount, &D::SetRowCount).NoDefault();
    PublishFlags(d, {"StartNewPage", "Stretched"});
    PublishEvents(d);
    d.Property("OnMasterDetail", frxEventType("TfrxNotifyEvent"), &D::OnMasterDetail, &D::OnMasterDetail);
}

std::string TfrxDataBand::GetDescription() const { return frxResources().Get("obDataBand"); }

void TfrxDataBand::SetDataSet(TfrxDataSet* Value) {
    FDataSet = Value;
    FDataSetComponent = Value;
    if (Value && Value != FVirtualDataSet.get()) Value->FreeNotification(this);
    FDataSetName = Value ? Value->UserName() : std::string();
}

std::string TfrxDataBand::DataSetName() const { return FDataSet ? FDataSet->UserName() : FDataSetName; }

void TfrxDataBand::SetDataSetName(const std::string& Value) {
    FDataSetName = Value;
    TfrxReport* r = Report();
    FDataSet = r ? r->GetDataset(Value) : nullptr;
    FDataSetComponent = FDataSet;
    if (FDataSet) FDataSet->FreeNotification(this);
}

void TfrxDataBand::Loaded() {
    TfrxBand::Loaded();
    if (!FDataSet && !FDataSetName.empty()) SetDataSetName(FDataSetName);
}

void TfrxDataBand::SetRowCount(int Value) {
    FRowCount = Value;
    if (FVirtualDataSet) FVirtualDataSet->RangeEndCount = Value;
}

void TfrxDataBand::SetCurColumn(int Value) {
    if (Value > Columns) Value = 1;
    FCurColumn = Value;
    if (Value == 1) LowestBottom = 0;
    SetLeft((Value - 1) * (ColumnWidth + ColumnGap));
}

void TfrxDataBand::Notification(TComponent* AComponent, TOperation Operation) {
    TfrxBand::Notification(AComponent, Operation);
    if (Operation != opRemove || !AComponent) return;
    if (AComponent == FDataSetComponent) {
        FDataSet = nullptr;
        FDataSetComponent = nullptr;
    }
    // The band tree's links compare as components: the band part may be gone already.
    auto is = [&](TfrxBand* b) { return b && static_cast<TComponent*>(b) == AComponent; };
    if (is(Header)) Header = nullptr;
    if (is(Footer)) Footer = nullptr;
    if (is(Group)) Group = nullptr;
    std::erase_if(DetailList, [&](TfrxDataBand* b) { return is(b); });
}

// --- TfrxSubreport -------------------------------------------------------------------------

TfrxSubreport::TfrxSubreport(TComponent* AOwner) : TfrxView(AOwner) { Init(); }
TfrxSubreport::TfrxSubreport(TComponent* AOwner, uint16_t Flags) : TfrxView(AOwner, Flags) { Init(); }

void TfrxSubreport::Init() {
    Frame()->Typ = TfrxFrameTypes{ftLeft, ftRight, ftTop, ftBottom};
    TFont font;
    font.Assign(Font());
    font.SetName("Tahoma");
    font.SetSize(8);
    SetFont(&font);
    SetColor(clSilver);
}

TfrxSubreport::~TfrxSubreport() { SetPage(nullptr); }

void TfrxSubreport::DeclareProperties(TPropertyDecl<TfrxSubreport>& d) {
    using T = TfrxSubreport;
    TfrxComponent::DeclareCommon(d, TfrxComponent::pubAll);
    d.Property("Page", &T::Page, &T::SetPage);
    d.Property("PrintOnParent", &T::PrintOnParent, &T::PrintOnParent).Default(false);
}

void TfrxSubreport::SetPage(TfrxReportPage* Value) {
    if (Value == FPage) return;
    if (FPage && FPage->SubReport() == this) FPage->SetSubReport(nullptr);
    FPage = Value;
    FPageComponent = Value;
    if (!Value) return;
    Value->FreeNotification(this);
    Value->SetSubReport(this);
}

void TfrxSubreport::Notification(TComponent* AComponent, TOperation Operation) {
    TfrxView::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent && AComponent == FPageComponent) {
        FPage = nullptr;
        FPageComponent = nullptr;
    }
}

std::string TfrxSubreport::GetDescription() const { return frxResources().Get("obSubRep"); }

void TfrxSubreport::Draw(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY) {
    TfrxView::Draw(Canvas, ScaleX, ScaleY, OffsetX, OffsetY);
    // The name in the view's font at the drawing scale.
    TFont font;
    font.Assign(Font());
    font.SetHeight(-static_cast<int>(Round(Font()->Size() * 96.0 / 72.0 * ScaleY)));
    Canvas->SetFont(font);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->TextOut(FX + 2, FY + 2, Name());
}
