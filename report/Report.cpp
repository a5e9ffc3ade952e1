// The report document's object model and storage.
#include "report/Report.h"

#include "report/Cursors.h"

#include "platform/classes/Filer.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/ExtCtrls.h"
#include "report/CrossView.h"
#include "report/Cursors.h"
#include "report/DrawText.h"
#include "report/Engine.h"
#include "report/ExpressionCache.h"
#include "report/Pages.h"
#include "report/Printer.h"
#include "report/ReportScript.h"
#include "report/Resources.h"
#include "report/Serializer.h"
#include "report/Utils.h"
#include "report/DialogControls.h"
#include "report/DotMatrix.h"
#include "script/Script.h"

ROVE_IMPLEMENT_CLASS(TfrxReport)

TfrxReport::TfrxReport(TComponent* AOwner)
    : TfrxComponent(AOwner),
      FDataSets(std::make_unique<TfrxReportDataSets>(this)),
      FVariables(std::make_unique<TfrxVariables>()),
      FEngineOptions(std::make_unique<TfrxEngineOptions>()),
      FPreviewOptions(std::make_unique<TfrxPreviewOptions>()),
      FPrintOptions(std::make_unique<TfrxPrintOptions>()),
      FReportOptions(std::make_unique<TfrxReportOptions>()),
      FScriptText(std::make_unique<TStringList>()),
      FErrors(std::make_unique<TStringList>()),
      FStyles(std::make_unique<TfrxStyles>(this)),
      FOfferedDataSets(std::make_unique<TfrxReportDataSets>(this)),
      FScriptScope(std::make_unique<TfsScript>(nullptr)),
      FScript(std::make_unique<TfsScript>(nullptr)),
      FSysVariables(std::make_unique<TStringList>()),
      FDrawText(std::make_unique<TfrxDrawText>()) {
    frxRegisterReportClasses();
    frxRegisterCrossObjects();
    frxRegisterBandAndPageClasses();
    frxRegisterDotMatrixClasses();
    frxRegisterDialogControls();
    frxRegisterEngine();
    frxInstallCursors();
    FScriptScope->SetParent(GlobalUnit());
    FScript->SetParent(FScriptScope.get());
    FExpressionCache = std::make_unique<TfrxExpressionCache>(FScript.get());
    FErrors->SetSorted(true);
    FErrors->SetDuplicates(dupIgnore);
    EnableNameIndex();
    EnsureServices();
    Clear();
}

TfrxReport::~TfrxReport() {
    // A preview window of this report goes with it (it shows the report's pages).
    if (FPreviewForm) {
        TfrxCustomPreviewForm* form = FPreviewForm;
        FPreviewForm = nullptr;
        FPreviewFormComponent = nullptr;
        delete form;
    }
    if (FTimer) FTimer->SetEnabled(false);
    // The prepared pages and the engine reach the report while they go.
    FPreviewPages.reset();
    FEngine.reset();
    // The pages go while the report's lists still exist.
    TfrxComponent::Clear();
}

bool TfrxReport::EnsureServices() {
    if (!FEngine && frxEngineClass()) FEngine = frxEngineClass()(this);
    if (!FPreviewPages && frxPreviewPagesClass()) FPreviewPages = frxPreviewPagesClass()(this);
    if (FEngine && FPreviewPages) {
        FPreviewPages->SetEngine(FEngine.get());
        FEngine->SetPreviewPages(FPreviewPages.get());
    }
    return FEngine && FPreviewPages;
}

TTimer* TfrxReport::Timer() {
    // Made when first needed: a timer needs the window system's event loop.
    if (!FTimer) {
        FTimer = std::make_unique<TTimer>(nullptr);
        FTimer->SetEnabled(false);
        FTimer->SetInterval(50);
        FTimer->OnTimer = [this](TObject*) { TimerTick(); };
    }
    return FTimer.get();
}

void TfrxReport::DeclareProperties(TPropertyDecl<TfrxReport>& d) {
    using T = TfrxReport;
    d.Property("DataSet", &T::DataSet, &T::SetDataSet);
    d.Property("DataSetName", &T::DataSetName, &T::SetDataSetName);
    d.Property("DotMatrixReport", &T::DotMatrixReport, &T::DotMatrixReport).NoDefault();
    d.Property("EngineOptions", &T::EngineOptions, &T::SetEngineOptions);
    d.Property("IniFile", &T::IniFile, &T::IniFile);
    d.Property("PreviewOptions", &T::PreviewOptions, &T::SetPreviewOptions);
    d.Property("PrintOptions", &T::PrintOptions, &T::SetPrintOptions);
    d.Property("Preview", &T::Preview, &T::SetPreview);
    d.Property("PreviewOptions", &T::PreviewOptions, &T::SetPreviewOptions);
    d.Property("PrintOptions", &T::PrintOptions, &T::SetPrintOptions);
    d.Property("ReportOptions", &T::ReportOptions, &T::SetReportOptions);
    d.Property("ScriptLanguage", &T::ScriptLanguage, &T::ScriptLanguage);
    d.Property("ScriptText", &T::ScriptText);
    d.Event("OnAfterPrint", &T::OnAfterPrint);
    d.Event("OnBeforePrint", &T::OnBeforePrint);
    d.Event("OnClickObject", &T::OnClickObject);
    d.Event("OnGetValue", &T::OnGetValue);
    d.Event("OnManualBuild", &T::OnManualBuild);
    d.Event("OnMouseOverObject", &T::OnMouseOverObject);
    d.Property("OnStartReport", frxEventType("TfrxNotifyEvent"), &T::OnStartReport, &T::OnStartReport);
    d.Property("OnStopReport", frxEventType("TfrxNotifyEvent"), &T::OnStopReport, &T::OnStopReport);
    d.Event("OnUserFunction", &T::OnUserFunction);
}

void TfrxReport::DefineProperties(TFiler& Filer) {
    TfrxComponent::DefineProperties(Filer);
    Filer.DefineProperty(
        "Datasets", [this](TReader& r) { frxReadCollection(r, FDataSets.get(), FErrors.get()); },
        [this](TWriter& w) { frxWriteCollection(w, FDataSets.get()); }, true);
    Filer.DefineProperty(
        "Variables", [this](TReader& r) { frxReadCollection(r, FVariables.get(), FErrors.get()); },
        [this](TWriter& w) { frxWriteCollection(w, FVariables.get()); }, true);
    Filer.DefineProperty(
        "Style", [this](TReader& r) { frxReadCollection(r, FStyles.get(), FErrors.get()); },
        [this](TWriter& w) { frxWriteCollection(w, FStyles.get()); }, true);
}

void TfrxReport::Notification(TComponent* AComponent, TOperation Operation) {
    TfrxComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    // The dataset part of AComponent may be gone already: compare as components.
    bool removed = false;
    for (TfrxReportDataSets* list : {FDataSets.get(), FOfferedDataSets.get()})
        for (int i = list->Count() - 1; i >= 0; --i)
            if (list->Items(i)->FDataSetComponent == AComponent) {
                delete list->Items(i);
                removed = true;
            }
    if (FDataSetComponent == AComponent) {
        FDataSet = nullptr;
        FDataSetComponent = nullptr;
    }
    if (FPreviewComponent == AComponent) {
        FPreview = nullptr;
        FPreviewComponent = nullptr;
    }
    if (FPreviewFormComponent == AComponent) {
        FPreviewForm = nullptr;
        FPreviewFormComponent = nullptr;
    }
    if (FDesignerComponent == AComponent) {
        Designer = nullptr;
        FDesignerComponent = nullptr;
    }
    if (removed && Designer) Designer->UpdateDataTree();
}

void TfrxReport::SetPreview(TfrxCustomPreview* Value) {
    FPreview = Value;
    FPreviewComponent = Value;
    if (Value) Value->FreeNotification(this);
}

void TfrxReport::Clear() {
    TfrxComponent::Clear();
    FDataSets->Clear();
    FVariables->Clear();
    FEngineOptions->Clear();
    FPreviewOptions->Clear();
    FPrintOptions->Clear();
    FReportOptions->Clear();
    FStyles->Clear();
    FDataSet = nullptr;
    FDataSetComponent = nullptr;
    FDataSetName.clear();
    DotMatrixReport = false;
    ScriptLanguage = "PascalScript";
    FScriptText->Clear();
    FScriptText->Add("begin");
    FScriptText->Add("");
    FScriptText->Add("end.");
    FSysVariables->Clear();
    for (const char* name : {"Date", "Time", "Page", "Page#", "TotalPages", "TotalPages#", "Line", "Line#"})
        FSysVariables->Add(name);
}

std::string TfrxReport::GetDescription() const { return frxResources().Get("obReport"); }

void TfrxReport::SetDataSet(TfrxDataSet* Value) {
    FDataSet = Value;
    FDataSetComponent = Value;
    if (Value) Value->FreeNotification(this);
    FDataSetName = Value ? Value->UserName() : std::string();
}

std::string TfrxReport::DataSetName() const { return FDataSet ? FDataSet->UserName() : FDataSetName; }

void TfrxReport::SetDataSetName(const std::string& Value) {
    FDataSetName = Value;
    FDataSet = GetDataset(Value);
    FDataSetComponent = FDataSet;
    if (FDataSet) FDataSet->FreeNotification(this);
}

void TfrxReport::SetStyles(TfrxStyles* Value) {
    if (!Value) {
        FStyles->Clear();
        return;
    }
    FStyles->Assign(Value);
    FStyles->SetName(Value->Name());
    FStyles->Apply();
}

int TfrxReport::PagesCount() const {
    int n = 0;
    for (int i = 0; i < ObjectCount(); ++i) n += Objects(i)->Is<TfrxPage>() ? 1 : 0;
    return n;
}

TfrxPage* TfrxReport::Pages(int Index) const {
    for (int i = 0, n = 0; i < ObjectCount(); ++i) {
        if (!Objects(i)->Is<TfrxPage>()) continue;
        if (n++ == Index) return static_cast<TfrxPage*>(Objects(i));
    }
    throw EListError(Format("List index out of bounds (%d)", {Index}));
}

TfrxDataSet* TfrxReport::GetDataset(std::string_view Alias) const {
    TfrxDataSetItem* item = FDataSets->Find(Alias);
    return item ? item->DataSet() : nullptr;
}

std::string TfrxReport::GetAlias(TfrxDataSet* DataSet) const {
    if (!DataSet) return {};
    if (FDataSets->Find(DataSet)) return DataSet->UserName();
    return frxResources().Get("clDSNotIncl");
}

void TfrxReport::GetDatasetAndField(std::string_view ComplexName, TfrxDataSet*& DataSet, std::string& Field) const {
    DataSet = nullptr;
    Field.clear();
    const size_t p = ComplexName.find(".\"");
    if (p == std::string_view::npos) return;
    DataSet = GetDataset(ComplexName.substr(0, p));
    std::string_view rest = ComplexName.substr(p + 2);
    if (!rest.empty()) rest.remove_suffix(1);
    Field = std::string(rest);
}

void TfrxReport::GetDataSetList(TStrings* List, bool OnlyDB) const {
    List->Clear();
    for (int i = 0; i < FDataSets->Count(); ++i) {
        TfrxDataSet* ds = FDataSets->Items(i)->DataSet();
        if (!ds || (OnlyDB && ds->Is<TfrxUserDataSet>())) continue;
        List->AddObject(ds->UserName(), ds);
    }
}

void TfrxReport::SelectPrinter() {
    TfrxPrinters& printers = frxPrinters();
    const int i = printers.IndexOf(FPrintOptions->Printer);
    if (i >= 0) printers.SetPrinterIndex(i);
}

// --- Storage -------------------------------------------------------------------------------

bool TfrxReport::LoadFromFile(const std::string& FileName, bool ExceptionIfNotFound) {
    Clear();
    FFileName.clear();
    const bool exists = FileExists(FileName);
    if (exists || ExceptionIfNotFound) {
        TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
        LoadFromStream(stream);
        FFileName = FileName;
    }
    return exists;
}

void TfrxReport::SaveToFile(const std::string& FileName) {
    TMemoryStream stream;
    SaveToStream(stream, true, false);
    // A report file may carry its password (stored reversibly) and the clinic's texts.
    SaveFileAtomically(FileName, std::string_view(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size())),
                       TFileAccess::OwnerOnly);
}

namespace {
// A compressed report stream (gzip or zlib header): no compressor exists to read it.
bool IsCompressedStream(TStream& Stream) {
    const int64_t start = Stream.Position();
    uint8_t head[2] = {0, 0};
    const int64_t got = Stream.Read(head, 2);
    Stream.SetPosition(start);
    if (got < 2) return false;
    if (head[0] == 0x1F && head[1] == 0x8B) return true;
    // zlib: deflate method, a window of at most 32K, the check bits.
    return (head[0] & 0x0F) == 8 && (head[0] >> 4) <= 7 && ((head[0] << 8) | head[1]) % 31 == 0;
}
}  // namespace

void TfrxReport::LoadFromStream(TStream& Stream) {
    FErrors->Clear();
    if (IsCompressedStream(Stream)) {
        FErrors->Add(frxResources().Get("clDecompressError"));
        ShowErrors();
        return;
    }
    TfrxEngineOptions engine;
    engine.Assign(FEngineOptions.get());
    TfrxPreviewOptions preview;
    preview.Assign(FPreviewOptions.get());
    const std::string iniFile = IniFile;
    TfrxCustomPreview* attached = FPreview;
    const int32_t designInfo = DesignInfo();
    auto restore = [&] {
        LoadStream = nullptr;
        const bool convertNulls = FEngineOptions->ConvertNulls, doublePass = FEngineOptions->DoublePass;
        FEngineOptions->Assign(&engine);
        FEngineOptions->ConvertNulls = convertNulls;
        FEngineOptions->DoublePass = doublePass;
        const bool outlineVisible = FPreviewOptions->OutlineVisible;
        const int outlineWidth = FPreviewOptions->OutlineWidth;
        FPreviewOptions->Assign(&preview);
        FPreviewOptions->OutlineVisible = outlineVisible;
        FPreviewOptions->OutlineWidth = outlineWidth;
        IniFile = iniFile;
        SetPreview(attached);
        SetDesignInfo(designInfo);
        std::vector<std::string> readings = frxPasswordReadings(FReportOptions->Password);
        FReportOptions->Password = readings.front();
        readings.erase(readings.begin());
        FReportOptions->SetOtherPasswords(std::move(readings));
    };
    LoadStream = &Stream;
    try {
        TfrxComponent::LoadFromStream(Stream);
    } catch (...) {
        restore();
        if (!Reloading) ShowErrors();
        throw;
    }
    restore();
    if (!Reloading && !FReportOptions->CheckPassword()) {
        Clear();
        return;
    }
    // A reload after a run keeps its messages for the run's own box.
    if (!Reloading) ShowErrors();
}

void TfrxReport::ShowErrors() {
    if (FErrors->Count() == 0 || FEngineOptions->SilentMode) return;
    frxErrorMsg(frxResources().Get("clErrors") + "\r\n" + FErrors->Text());
}

void TfrxReport::SaveToStream(TStream& Stream, bool SaveChildren, bool SaveDefaultValues) {
    const std::string password = FReportOptions->Password;
    FReportOptions->Password = frxEncodePassword(password);
    try {
        TfrxComponent::SaveToStream(Stream, SaveChildren, SaveDefaultValues);
    } catch (...) {
        FReportOptions->Password = password;
        throw;
    }
    FReportOptions->Password = password;
}
