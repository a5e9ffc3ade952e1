// The report's dataset list and the abstract bases of engine, outline, prepared pages,
// designer and wizards.
#include "report/ReportServices.h"

#include <atomic>

#include "platform/rtl/Format.h"
#include "script/Script.h"
#include "platform/rtl/StrUtils.h"
#include "report/DataSet.h"
#include "report/Report.h"
#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxDataSetItem)
ROVE_IMPLEMENT_CLASS(TfrxReportDataSets)
ROVE_IMPLEMENT_CLASS(TfrxCustomEngine)
ROVE_IMPLEMENT_CLASS(TfrxCustomOutline)
ROVE_IMPLEMENT_CLASS(TfrxCustomPreviewPages)
ROVE_IMPLEMENT_CLASS(TfrxCustomDesigner)
ROVE_IMPLEMENT_CLASS(TfrxCustomWizard)
ROVE_IMPLEMENT_CLASS(TfrxCustomPreview)
ROVE_IMPLEMENT_CLASS(TfrxCustomPreviewForm)

// --- The dataset list ----------------------------------------------------------------------

namespace {
std::atomic<uint64_t> gDataSetNamesStamp{1};
}

uint64_t frxDataSetNamesStamp() { return gDataSetNamesStamp.load(std::memory_order_relaxed); }
void frxDataSetNamesChanged() { gDataSetNamesStamp.fetch_add(1, std::memory_order_relaxed); }

TfrxDataSetItem::TfrxDataSetItem(TCollection* Collection) : TCollectionItem(Collection) {}

void TfrxDataSetItem::DeclareProperties(TPropertyDecl<TfrxDataSetItem>& d) {
    d.Property("DataSet", &TfrxDataSetItem::DataSet, &TfrxDataSetItem::SetDataSet);
    d.Property("DataSetName", &TfrxDataSetItem::DataSetName, &TfrxDataSetItem::SetDataSetName);
}

void TfrxDataSetItem::SetDataSet(TfrxDataSet* Value) {
    frxDataSetNamesChanged();
    FDataSet = Value;
    FDataSetComponent = Value;
    // The report hears when a dataset of another owner goes away.
    auto* list = dynamic_cast<TfrxReportDataSets*>(Collection());
    if (Value && list && list->Report()) Value->FreeNotification(list->Report());
    FDataSetName = Value ? Value->UserName() : std::string();
}

std::string TfrxDataSetItem::DataSetName() const { return FDataSet ? FDataSet->UserName() : FDataSetName; }

void TfrxDataSetItem::SetDataSetName(const std::string& Value) {
    frxDataSetNamesChanged();
    FDataSetName = Value;
    auto* list = dynamic_cast<TfrxReportDataSets*>(Collection());
    TfrxReport* report = list ? list->Report() : nullptr;
    if (!report) return;
    FDataSet = frxFindDataSet(FDataSet, Value, report);
    FDataSetComponent = FDataSet;
    if (FDataSet) FDataSet->FreeNotification(report);
}

TfrxReportDataSets::TfrxReportDataSets(TfrxReport* AReport)
    : TCollection(TfrxDataSetItem::StaticClass()), FReport(AReport) {}

TfrxDataSetItem* TfrxReportDataSets::Add(TfrxDataSet* DataSet) {
    auto* item = static_cast<TfrxDataSetItem*>(TCollection::Add());
    item->SetDataSet(DataSet);
    return item;
}

TfrxDataSetItem* TfrxReportDataSets::Find(const TfrxDataSet* DataSet) const {
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->DataSet() == DataSet) return Items(i);
    return nullptr;
}

TfrxDataSetItem* TfrxReportDataSets::Find(std::string_view Name) const {
    for (int i = 0; i < Count(); ++i) {
        TfrxDataSet* ds = Items(i)->DataSet();
        if (ds && SameText(ds->UserName(), Name)) return Items(i);
    }
    return nullptr;
}

void TfrxReportDataSets::Initialize() {
    for (int i = 0; i < Count(); ++i)
        if (TfrxDataSet* ds = Items(i)->DataSet()) {
            ds->ReportRef = FReport;
            ds->Initialize();
        }
}

void TfrxReportDataSets::Finalize() {
    for (int i = 0; i < Count(); ++i)
        if (TfrxDataSet* ds = Items(i)->DataSet()) ds->Finalize();
}

void TfrxReportDataSets::Notify(TCollectionItem* Item, TCollectionNotification Action) {
    frxDataSetNamesChanged();
    TCollection::Notify(Item, Action);
}

void TfrxReportDataSets::Forget(const TfrxDataSet* DataSet) {
    frxDataSetNamesChanged();
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->FDataSet == DataSet) Items(i)->FDataSet = nullptr;  // the item goes in Notification
}

// --- Engine, outline, prepared pages -------------------------------------------------------

TfrxCustomEngine::TfrxCustomEngine(TfrxReport* AReport) : FReport(AReport) {}
TfrxCustomEngine::~TfrxCustomEngine() = default;

void TfrxCustomEngine::DeclareProperties(TPropertyDecl<TfrxCustomEngine>& d) {
    using T = TfrxCustomEngine;
    d.Property("CurColumn", &T::CurColumn, &T::CurColumn);
    d.Property("CurVColumn", &T::CurVColumn, &T::CurVColumn);
    d.Property("CurX", &T::CurX, &T::CurX);
    d.Property("CurY", &T::CurY, &T::CurY);
    d.Property("FinalPass", &T::FinalPass, &T::FinalPass);
    d.Property("PageHeight", &T::PageHeight, &T::PageHeight);
    d.Property("PageWidth", &T::PageWidth, &T::PageWidth);
    d.Property("StartDate", DateTimeTypeInfo(), &T::StartDate, &T::StartDate);
    d.Property("StartTime", DateTimeTypeInfo(), &T::StartTime, &T::StartTime);
    d.Property("TotalPages", &T::TotalPages, &T::TotalPages);
}

bool TfrxCustomEngine::DoublePass() const { return FReport && FReport->EngineOptions()->DoublePass; }

void TfrxCustomEngine::StopReport() {
    if (FPreviewPages) FPreviewPages->SetTerminated(true);
}

TfrxCustomOutline::TfrxCustomOutline(TfrxCustomPreviewPages* APreviewPages) : FPreviewPages(APreviewPages) {}

TfrxCustomEngine* TfrxCustomOutline::Engine() const { return FPreviewPages ? FPreviewPages->Engine() : nullptr; }

TfrxCustomPreviewPages::TfrxCustomPreviewPages(TfrxReport* AReport) : FReport(AReport) {}
TfrxCustomPreviewPages::~TfrxCustomPreviewPages() = default;

void TfrxCustomPreviewPages::RunWatchDue() {
    FRunWatchCountdown = kRunWatchObjects;
    TfsRunWatchScope::WatchNow();
    ThrowIfStopped();
}

void TfrxCustomPreviewPages::ThrowIfStopped() const {
    if (FTerminated && FHoldStop == 0 && FEngine && FEngine->Running) throw EfrxRunStopped{};
}

void TfrxCustomPreviewPages::SetStatus(const std::string& Value) {
    FStatus = Value;
    if (OnStatusChange) OnStatusChange(this);
}

TfrxEngineClass& frxEngineClass() {
    static TfrxEngineClass engineClass;
    return engineClass;
}

TfrxPreviewPagesClass& frxPreviewPagesClass() {
    static TfrxPreviewPagesClass pagesClass;
    return pagesClass;
}

// --- Preview -------------------------------------------------------------------------------

TfrxCustomPreview::TfrxCustomPreview(TComponent* AOwner) : TCustomControl(AOwner) {}
TfrxCustomPreview::~TfrxCustomPreview() = default;

TfrxCustomPreviewForm::TfrxCustomPreviewForm(TComponent* AOwner) : TForm(AOwner) {}
TfrxCustomPreviewForm::~TfrxCustomPreviewForm() = default;

TfrxPreviewFormClass& frxPreviewFormClass() {
    static TfrxPreviewFormClass formClass;
    return formClass;
}

// --- Designer and wizards ------------------------------------------------------------------

TfrxCustomDesigner::TfrxCustomDesigner(TComponent* AOwner, TfrxReport* AReport, bool APreviewDesigner)
    : TForm(AOwner), FReport(AReport), FIsPreviewDesigner(APreviewDesigner) {}

TfrxCustomDesigner::~TfrxCustomDesigner() = default;

// Pixels per character cell of a dot-matrix page, across and down.
static constexpr double kCharWidth = 9.6, kCharHeight = 17;

std::vector<std::string> TfrxCustomDesigner::ListMatchingHandlers(const std::string&) { return {}; }

int TfrxCustomDesigner::FindHandlerLine(const std::string&) { return -1; }

int TfrxCustomDesigner::InsertEventHandler(const std::string&, const std::string&) {
    throw EfrxError(frxResources().Get("dsCantFindProc"));
}

void TfrxCustomDesigner::ShowCodeLine(int, int) { SwitchToCodeWindow(); }

double TfrxCustomDesigner::MMToUnits(double Value, bool Horizontal) const {
    switch (CurUnits()) {
    case 1: return Value / 25.4;
    case 2: return Value * 96 / 25.4;
    case 3: return Round(Value * 3.77953 / (Horizontal ? kCharWidth : kCharHeight));
    default: return Value / 10;
    }
}

double TfrxCustomDesigner::UnitsToMM(double Value, bool Horizontal) const {
    switch (CurUnits()) {
    case 1: return Value * 25.4;
    case 2: return Value / 96 * 25.4;
    case 3: return static_cast<double>(Round(Value)) * (Horizontal ? kCharWidth : kCharHeight) / 3.77953;
    default: return Value * 10;
    }
}

TfrxDesignerClass& frxDesignerClass() {
    static TfrxDesignerClass designerClass;
    return designerClass;
}

TfrxCustomWizard::TfrxCustomWizard(TComponent* AOwner)
    : TComponent(AOwner), FDesigner(dynamic_cast<TfrxCustomDesigner*>(AOwner)),
      FReport(FDesigner ? FDesigner->Report() : nullptr) {}
