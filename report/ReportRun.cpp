// Running a report: the scope and report scripts, expressions (Calc and the identifier
// look-up), preparing, showing, printing and designing, and the script events.
#include <algorithm>
#include <atomic>

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Settings.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Streams.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "report/Aggregates.h"
#include "report/ExpressionCache.h"
#include "report/Report.h"
#include "report/Resources.h"
#include "report/Utils.h"
#include "report/Views.h"
#include "script/ScriptTools.h"
#include "script/Script.h"
#include "script/Statements.h"

namespace {

// Shown while a subsystem the report needs is not part of the program.
const char* const kNoEngine = "报表引擎不可用";
const char* const kNoPreview = "报表预览不可用";

// A name that is one aggregate call as a whole goes to the engine's registered items; an
// expression in which a call is only a part ("SUM(<x>) * 2") is calculated, its calls read
// from the items (frxAggregateCallsAsLookups).
bool IsAggregateCall(const std::string& Name) {
    return Name.find('(') != std::string::npos && frxIsWholeAggregateCall(Name);
}

Variant ObjectValue(TObject* Object) { return Variant::FromObject(Object ? Object->Handle() : NilHandle); }

// The text of a failure for the error list, in the program's words where it has them.
std::string ExceptionText(std::exception_ptr E) {
    try {
        std::rethrow_exception(E);
    } catch (const std::exception& e) {
        return frxFailureWords(e.what());
    } catch (...) {
        return "Unknown error";
    }
}

}  // namespace

std::string frxTextLiteral(std::string_view Text) {
    std::string out;
    out.reserve(Text.size() + 2);
    bool open = false;
    for (const char c : Text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 32) {
            if (open) out += '\'';
            open = false;
            out += '#' + std::to_string(u);
            continue;
        }
        if (!open) out += '\'';
        open = true;
        out += c;
        if (c == '\'') out += '\'';
    }
    if (open) out += '\'';
    return out.empty() ? std::string("''") : out;
}

namespace {

// Expr is one "<Name>" and nothing else but blanks, as the script reads it (a '>'
// inside quotes or closing a nested '<' does not end it); Name holds no single quote, so
// the compiled call would pass it as it stands.
bool IsWholeReference(std::string_view Expr, std::string& Name) {
    size_t b = 0, e = Expr.size();
    while (b < e && (Expr[b] == ' ' || Expr[b] == '\t')) ++b;
    while (e > b && (Expr[e - 1] == ' ' || Expr[e - 1] == '\t')) --e;
    if (e - b < 3 || Expr[b] != '<' || Expr[e - 1] != '>') return false;
    int depth = 1;
    bool inDouble = false;
    for (size_t i = b + 1; i < e; ++i) {
        const char c = Expr[i];
        if (c == '\'' || c == '\r' || c == '\n') return false;
        if (c == '"') inDouble = !inDouble;
        else if (!inDouble && c == '<') ++depth;
        else if (!inDouble && c == '>' && --depth == 0) {
            if (i + 1 != e) return false;
            Name.assign(Expr.substr(b + 1, i - b - 1));
            return true;
        }
    }
    return false;
}

}  // namespace

// --- Script variables and report variables ---------------------------------------------------

void TfrxReport::AddFunction(const std::string& FuncName, const std::string& Category,
                             const std::string& Description) {
    FScriptScope->AddMethod(
        FuncName,
        [this](TObject*, TClass, const std::string& MethodName, TfsParams& Params) -> Variant {
            if (!OnUserFunction.Assigned()) return Variant::Null();
            Variant args = VarArrayOf(std::vector<Variant>(Params.Values().begin(), Params.Values().end()));
            Variant result = OnUserFunction(MethodName, args);
            if (args.IsArray())
                for (int i = 0; i < Params.Count() && i <= VarArrayHighBound(args, 1); ++i) Params[i] = args.GetElement({i});
            return result;
        },
        Category, Description);
}

void TfrxReport::SetScriptVariable(const std::string& Name, const Variant& Value) {
    // Always a variable of the scope itself: a global name of the same spelling (a
    // function, a constant) is hidden by it, never overwritten.
    TfsCustomVariable* item = FScriptScope->FindLocal(Name);
    if (!item) {
        item = new TfsVariable(Name, tcVariant, "Variant");
        FScriptScope->Add(item);
    }
    item->SetValue(Value);
}

Variant TfrxReport::ScriptVariable(const std::string& Name) const {
    TfsCustomVariable* item = FScriptScope->FindLocal(Name);
    return item ? item->GetValue() : Variant::Null();
}

void TfrxReport::SetVariableText(std::string_view Name, std::string_view Text) {
    FVariables->SetVariables(Name, Variant(frxTextLiteral(Text)));
}

void TfrxReport::SetLocalValue(const Variant& Value) {
    if (FLocalValue) FLocalValue->SetValue(Value);
}

// --- Expressions -------------------------------------------------------------------------------

namespace {
// Name tables are numbered across the process, so that a handle never takes another
// report's table (or a later one of the same report) for its own.
uint64_t NewNameTable() {
    static std::atomic<uint64_t> last{0};
    return ++last;
}
}  // namespace

TfrxNameEntry& TfrxReport::NameEntry(const std::string& Expr, TfrxCalcHandle* Handle) {
    if (Handle && Handle->Table == FNamesTable && FNamesTable != 0) {
        TfrxNameEntry& kept = *Handle->Entry;
        if (kept.DataSetStamp == frxDataSetNamesStamp() && kept.SysStamp == FSysVariables->ChangeStamp()) return kept;
    }
    return FindNameEntry(Expr, Handle);
}

TfrxNameEntry& TfrxReport::FindNameEntry(const std::string& Expr, TfrxCalcHandle* Handle) {
    const uint64_t datasets = frxDataSetNamesStamp();
    const uint64_t sys = FSysVariables->ChangeStamp();
    if (FNamesTable == 0) FNamesTable = NewNameTable();
    auto found = FNames.find(Expr);
    if (found != FNames.end() && found->second.DataSetStamp == datasets && found->second.SysStamp == sys) {
        if (Handle) *Handle = TfrxCalcHandle{FNamesTable, &found->second};
        return found->second;
    }
    // Expressions a script builds at run time could fill the table without end.
    if (found == FNames.end() && FNames.size() >= 4096) {
        FNames.clear();
        FNamesTable = NewNameTable();
    }
    TfrxNameEntry& e = FNames[Expr];
    if (Handle) *Handle = TfrxCalcHandle{FNamesTable, &e};
    e = TfrxNameEntry();
    e.DataSetStamp = datasets;
    e.SysStamp = sys;
    GetDatasetAndField(Expr, e.DataSet, e.Field);
    if (e.DataSet && !e.Field.empty()) {
        e.Kind = TfrxNameEntry::nkField;
        return e;
    }
    e.DataSet = nullptr;
    e.Field.clear();
    const auto& names = *FSysVariables;
    for (int i = 0; i < names.Count(); ++i)
        if (names[i] == Expr) {
            e.Kind = TfrxNameEntry::nkSysVar;
            e.SysVar = i;
            return e;
        }
    if (IsWholeReference(Expr, e.Field)) e.Kind = TfrxNameEntry::nkReference;
    else e.Field.clear();
    return e;
}

Variant TfrxReport::FieldValue(const TfrxNameEntry& Entry) {
    TfrxDataSet* ds = Entry.DataSet;
    // Copied out: reading a value may run a look-up of its own that changes the table.
    const std::string field = Entry.Field;
    Variant value = ds->GetValue(field);
    if (FEngineOptions->ConvertNulls && value.IsNull()) {
        switch (ds->GetFieldType(field)) {
            case fftNumeric: value = Variant(0); break;
            case fftString: value = Variant(std::string()); break;
            case fftBoolean: value = Variant(false); break;
        }
    }
    return value;
}

Variant TfrxReport::SysVarValue(int Index) const {
    const int curPage = FPreviewPages ? FPreviewPages->CurPage : 0;
    const int firstPage = FPreviewPages ? FPreviewPages->FirstPage : 0;
    switch (Index) {
        case 0: return Variant::FromDate(FEngine->StartDate);
        case 1: return Variant::FromDate(FEngine->StartTime);
        case 2: return Variant(curPage - firstPage + 1);
        case 3: return Variant(curPage + 1);
        case 4: return Variant(FEngine->TotalPages - firstPage);
        case 5: return Variant(FEngine->TotalPages);
        case 6: return Variant(FEngine->CurLine);
        default: return Variant(FEngine->CurLineThrough);
    }
}

bool TfrxReport::DoGetValue(const std::string& Expr, Variant& Value) { return LookUp(Expr, Value, nullptr, nullptr); }

bool TfrxReport::LookUp(const std::string& Expr, Variant& Value, std::string* Reference, TfrxCalcHandle* Handle) {
    Value = Variant();
    TfrxNameEntry& entry = NameEntry(Expr, Handle);
    // A dataset field: Alias."Field".
    if (entry.Kind == TfrxNameEntry::nkField) {
        Value = FieldValue(entry);
        return true;
    }
    // A system variable (exact text).
    if (FEngine && entry.Kind == TfrxNameEntry::nkSysVar) {
        Value = SysVarValue(entry.SysVar);
        return true;
    }
    return LookUpOther(Expr, entry, Value, Reference, Handle);
}

bool TfrxReport::LookUpOther(const std::string& Expr, const TfrxNameEntry& Entry, Variant& Value, std::string* Reference,
                             TfrxCalcHandle* Handle) {
    if (Reference && Entry.Kind == TfrxNameEntry::nkReference) *Reference = Entry.Field;

    // A report variable: a string value is an expression. A variable met again while its
    // own value is computed (A = "A", or A = "B" with B = "A") would recurse without end.
    const int var = FVariables->IndexOf(Expr);
    if (var >= 0) {
        const Variant stored = FVariables->Items(var)->Value();
        if (!stored.IsString()) {
            Value = stored;
            return true;
        }
        if (std::find(FEvaluating.begin(), FEvaluating.end(), var) != FEvaluating.end()) {
            FErrors->Add(frxResources().Get("clUnknownVar") + " " + Expr);
            Value = Variant::Null();
            return true;
        }
        FEvaluating.push_back(var);
        try {
            Value = Calc(stored.StrValue());
        } catch (...) {
            FEvaluating.pop_back();
            throw;
        }
        FEvaluating.pop_back();
        return true;
    }

    // An aggregate call.
    if (FEngine && IsAggregateCall(Expr)) {
        Value = FEngine->GetAggregateValue(Trim(Expr), FindObject(CurObject));
        return true;
    }

    // A script variable of the scope script (what the scope's table held for the name is
    // kept with the entry while the table stays the same).
    TfrxNameEntry& scoped = NameEntry(Expr, Handle);
    if (scoped.ScopeVersion != FScriptScope->ItemsVersion()) {
        scoped.ScopeItem = FScriptScope->FindLocal(Expr);
        scoped.ScopeVersion = FScriptScope->ItemsVersion();
    }
    if (TfsCustomVariable* item = scoped.ScopeItem; item && item->IsPlainVariable()) {
        Value = item->GetValue();
        return true;
    }

    if (OnGetValue.Assigned()) {
        Value = Variant();
        OnGetValue(Expr, Value);
        return !Value.IsEmpty() && !Value.IsNull();
    }
    return false;
}

Variant TfrxReport::Calc(const std::string& Expr) { return CalcWith(Expr, nullptr); }

Variant TfrxReport::Calc(const std::string& Expr, TfrxCalcHandle& Handle) { return CalcWith(Expr, &Handle); }

Variant TfrxReport::CalcWith(const std::string& Expr, TfrxCalcHandle* Handle) {
    FCheckedScript.Valid = false;
    TfrxNameEntry& entry = NameEntry(Expr, Handle);
    // A dataset field or a system variable is read at once, as the look-up reads it.
    if (entry.Kind == TfrxNameEntry::nkField) return FieldValue(entry);
    if (FEngine && entry.Kind == TfrxNameEntry::nkSysVar) return SysVarValue(entry.SysVar);
    Variant value;
    std::string reference;
    if (LookUpOther(Expr, entry, value, &reference, Handle)) return value;
    // "<Name>" alone compiles into a call of the report's Get: the same look-up without
    // the script, unless the report's own script could hide Get or a debugger follows
    // every statement.
    if (!reference.empty() && !HasOwnScriptCode() && !FExpressionCache->Script()->RunLineOwner()) {
        if (!DoGetValue(reference, value)) {
            FErrors->Add(frxResources().Get("clUnknownVar") + " " + reference);
            return Variant();
        }
        return value;
    }
    std::string error;
    value = FExpressionCache->Calc(Expr, error);
    if (!error.empty()) {
        const std::string message = CurObject.empty() ? error : CurObject + ": " + error;
        FErrors->Add(message);
        throw EfrxError(message);
    }
    return value;
}

bool TfrxReport::PrepareScript() {
    FCheckedScript.Valid = false;
    BindScript();
    if (FScript->Compile()) return true;
    FErrors->Add(Format(frxResources().Get("clScrError"), {FScript->ErrorPos(), FScript->ErrorMsg()}));
    return false;
}

bool TfrxReport::HasOwnScriptCode() const {
    return FScript->Count() != FBoundScriptItems || (FScript->Program() && FScript->Program()->Count() > 0);
}

bool TfrxReport::CheckScriptBeforeRun() {
    if (!PrepareScript()) return false;
    TCheckedScript& c = FCheckedScript;
    c.Text = FScriptText->Text();
    c.Language = ScriptLanguage;
    c.Objects.clear();
    for (TfrxComponent* obj : AllObjects()) c.Objects.emplace_back(obj, obj->Name());
    c.Engine = FEngine.get();
    c.Outline = FPreviewPages ? FPreviewPages->Outline() : nullptr;
    c.ScopeItems = FScriptScope->Count();
    c.ScriptItems = FScript->Count();
    c.Valid = true;
    return true;
}

// The compile of a large script is most of the time from the designer's Preview (or its
// debugger's first step) to the run: the check's compile serves the run that follows it.
bool TfrxReport::PrepareScriptForRun() {
    TCheckedScript& c = FCheckedScript;
    bool same = c.Valid;
    c.Valid = false;
    const std::vector<TfrxComponent*> objects = same ? AllObjects() : std::vector<TfrxComponent*>();
    same = same && c.Language == ScriptLanguage && c.Engine == FEngine.get() &&
           c.Outline == (FPreviewPages ? FPreviewPages->Outline() : nullptr) &&
           c.ScopeItems == FScriptScope->Count() && c.ScriptItems == FScript->Count() &&
           objects.size() == c.Objects.size() && c.Text == FScriptText->Text();
    for (size_t i = 0; same && i < objects.size(); ++i)
        same = objects[i] == c.Objects[i].first && objects[i]->Name() == c.Objects[i].second;
    c.Objects.clear();
    c.Text.clear();
    if (!same) return PrepareScript();
    // What a preparation does each run besides binding and compiling.
    FExpressionCache->Clear();
    if (FEngine) FEngine->NotifyList().clear();
    for (TfrxComponent* obj : objects) obj->BeforeStartReport();
    return true;
}

void TfrxReport::BindScript() {
    // The cache's functions refer to the report script's items: they go first.
    FExpressionCache->Clear();
    FLocalValue = nullptr;
    FScript->Clear();
    if (FEngine) FEngine->NotifyList().clear();

    for (TfrxComponent* obj : AllObjects()) {
        obj->BeforeStartReport();
        if (!obj->Name().empty()) FScript->AddObject(obj->Name(), obj);
    }
    FScript->AddObject("Report", this);
    if (FEngine) FScript->AddObject("Engine", FEngine.get());
    if (FPreviewPages && FPreviewPages->Outline()) FScript->AddObject("Outline", FPreviewPages->Outline());
    FScript->AddVariable("Value", "Variant", Variant::Null());
    FScript->AddMethod("function Get(Name: String): Variant",
                       [this](TObject*, TClass, const std::string&, TfsParams& Params) -> Variant {
                           const std::string name = VarToStr(Params[0]);
                           Variant value;
                           if (!DoGetValue(name, value)) {
                               FErrors->Add(frxResources().Get("clUnknownVar") + " " + name);
                               return Variant();
                           }
                           return value;
                       });
    FScript->AddMethod("procedure Set(Name: String; Value: Variant)",
                       [this](TObject*, TClass, const std::string&, TfsParams& Params) -> Variant {
                           FVariables->SetVariables(VarToStr(Params[0]), Params[1]);
                           return Variant();
                       });
    FLocalValue = FScript->FindLocal("Value");
    FBoundScriptItems = FScript->Count();

    FScript->SetLines(*FScriptText);
    FScript->SetSyntaxType(ScriptLanguage);
}

// --- Script events -----------------------------------------------------------------------------

void TfrxReport::DoNotifyEvent(TObject* Obj, const std::string& EventName, bool RunAlways) {
    if (EventName.empty() || !(RunAlways || (FEngine && FEngine->Running))) return;
    FCheckedScript.Valid = false;
    FScript->CallFunction(EventName, VarArrayOf({ObjectValue(Obj)}));
}

void TfrxReport::DoParamEvent(const std::string& EventName, Variant& Params, bool RunAlways) {
    if (EventName.empty() || !(RunAlways || (FEngine && FEngine->Running))) return;
    FCheckedScript.Valid = false;
    FScript->CallFunctionVar(EventName, Params);
}

// Most objects have no event of their own: the call is spared for them.
void TfrxReport::DoBeforePrint(TfrxReportComponent* Obj) {
    if (OnBeforePrint.Assigned()) OnBeforePrint(Obj);
    if (!Obj->OnBeforePrint.empty()) DoNotifyEvent(Obj, Obj->OnBeforePrint);
}

void TfrxReport::DoAfterPrint(TfrxReportComponent* Obj) {
    if (OnAfterPrint.Assigned()) OnAfterPrint(Obj);
    if (!Obj->OnAfterPrint.empty()) DoNotifyEvent(Obj, Obj->OnAfterPrint);
}

void TfrxReport::DoPreviewClick(TfrxReportComponent* View, TMouseButton Button, TShiftState Shift, bool& Modified) {
    Variant params = VarArrayOf({ObjectValue(View), Variant(static_cast<int>(Button)),
                                 Variant(static_cast<int>(Shift)), Variant(Modified)});
    DoParamEvent(View->OnPreviewClick, params, true);
    Modified = params.GetElement({3}).AsBoolean();
    if (OnClickObject.Assigned()) OnClickObject(View, Button, Shift, Modified);
}

// --- Preparing ---------------------------------------------------------------------------------

bool TfrxReport::PrepareReport(bool ClearLastReport) {
    // The windows answer while a run goes (WatchRun): one of them asking for a run of this
    // report meanwhile gets none.
    if (FPreparing) return false;
    EnsureServices();
    struct TRunState {
        TfrxReport* R;
        ~TRunState() {
            R->FPreparing = false;
            R->FRunPreviewForm = nullptr;
        }
    } runState{this};
    FPreparing = true;
    FRunPreviewForm = FPreviewForm;
    FRunAnswered = GetTickCount();
    TfsRunWatchScope watch([this](TfsScript* Running) { WatchRun(Running); });
    if (ClearLastReport && FPreviewPages) FPreviewPages->Clear();
    FErrors->Clear();

    for (int i = 0; i < FDataSets->Count(); ++i)
        if (!FDataSets->Items(i)->DataSet())
            FErrors->Add(Format(frxResources().Get("clDSNotExist"), {FDataSets->Items(i)->DataSetName()}));

    if (FErrors->Count() == 0) {
        TMemoryStream copy;
        SaveToStream(copy, true, false);
        try {
            if (!FEngine || !FPreviewPages) throw EfrxError(kNoEngine);
            if (PrepareScriptForRun()) {
                FPreviewPages->SetTerminated(false);
                if (FScript->Program()->Count() > 0) FScript->Execute();
                // A run stopped while the script's main block ran (the designer's Stop)
                // prepares nothing: the engine would start afresh and clear the request.
                if (!FPreviewPages->Terminated() && !FEngine->Run() && FPreviewForm) FPreviewForm->Close();
            }
        } catch (...) {
            // An error that left a statement of the report script carries its position.
            std::string text = ExceptionText(std::current_exception());
            if (!FScript->RunErrorPos().empty())
                text = Format(frxResources().Get("clScrError"), {FScript->RunErrorPos(), text});
            FErrors->Add(text);
        }

        // The copy comes back whatever the run did to the object tree; the run's messages
        // stay (with any of the reload itself).
        TStringList kept;
        kept.Assign(*FErrors);
        copy.SetPosition(0);
        Reloading = true;
        try {
            if (!FEngineOptions->ReportThread) LoadFromStream(copy);
        } catch (...) {
            FErrors->Add(ExceptionText(std::current_exception()));
        }
        Reloading = false;
        for (int i = 0; i < FErrors->Count(); ++i) kept.Add((*FErrors)[i]);
        FErrors->Clear();
        for (int i = 0; i < kept.Count(); ++i) FErrors->Add(kept[i]);
    }

    // A check before a run that did not come to the script serves no later run.
    FCheckedScript.Valid = false;
    const bool ok = FErrors->Count() == 0;
    if (!ok) ShowErrors();
    return ok;
}

void TfrxReport::WatchRun(TfsScript* Running) {
    // The template read back after the run is half built meanwhile: nothing answers.
    if (Reloading) return;
    auto stopped = [this] {
        // A preview closed while the run fills it (its close button, Esc, the window's own
        // close) wants nothing more; a modeless one is freed on close.
        if (FRunPreviewForm && (FPreviewForm != FRunPreviewForm || FPreviewForm->ModalResult() != mrNone) &&
            FPreviewPages)
            FPreviewPages->SetTerminated(true);
        return FPreviewPages && FPreviewPages->Terminated();
    };
    if (!stopped()) {
        const uint32_t now = GetTickCount();
        if (now - FRunAnswered < kRunAnswerInterval) return;
        FRunAnswered = now;
        if (TApplication* app = ApplicationInstance()) app->ProcessMessages();
        FRunAnswered = GetTickCount();
        if (!stopped()) return;
    }
    // The engine's own steps (no script running) end the run there.
    if (!Running) FPreviewPages->ThrowIfStopped();
    StopRunScripts(Running);
}

void TfrxReport::StopRunScripts(TfsScript* Running) {
    std::vector<TfsScript*> chain;
    bool ours = false;
    for (TfsScript* s = Running; s && s != FScriptScope.get(); s = s->Parent()) {
        chain.push_back(s);
        if (s == FScript.get()) ours = true;
    }
    if (!ours) return;
    for (TfsScript* s : chain) s->Terminate();
    FScript->Terminate();
}

// --- Showing and printing ----------------------------------------------------------------------

void TfrxReport::TimerTick() {
    FTimer->SetEnabled(false);
    // A modal preview that was closed before its loop ended (the tick came in between)
    // wants nothing prepared any more.
    if (FPreviewForm && FPreviewForm->ModalResult() != 0) return;
    PrepareReport(false);
}

void TfrxReport::ShowReport(bool ClearLastReport) {
    EnsureServices();
    if (!FPreviewPages) throw EfrxError(kNoEngine);
    if (!FPreview && !frxPreviewFormClass()) throw EfrxError(kNoPreview);
    if (ClearLastReport) FPreviewPages->Clear();
    Timer()->SetEnabled(true);
    try {
        ShowPreparedReport();
    } catch (...) {
        FTimer->SetEnabled(false);
        throw;
    }
    // A modal preview is gone: a tick still pending would prepare for nobody.
    if (!FPreview && PreviewOptions()->Modal) FTimer->SetEnabled(false);
}

void TfrxReport::ShowPreparedReport() {
    EnsureServices();
    FPreviewForm = nullptr;
    FPreviewFormComponent = nullptr;
    if (FPreview) {
        FPreview->Report = this;
        FPreview->PreviewPages = FPreviewPages.get();
        FPreview->Init();
        return;
    }
    if (!frxPreviewFormClass()) throw EfrxError(kNoPreview);
    TfrxCustomPreviewForm* form = frxPreviewFormClass()(Application);
    FPreviewForm = form;
    FPreviewFormComponent = form;
    form->FreeNotification(this);
    try {
        // The control inside the form keeps the report too: it hears of the report
        // going on its own link, not through the form's.
        form->PreviewControl()->Report = this;
        form->PreviewControl()->FreeNotification(this);
        form->PreviewControl()->PreviewPages = FPreviewPages.get();
        form->Init();
        if (FPreviewOptions->Modal) {
            form->ShowModal();
        } else {
            form->FreeOnClose = true;
            form->Show();
            return;
        }
    } catch (...) {
        if (FPreviewForm) delete form;
        throw;
    }
    if (FPreviewForm) delete form;
}

bool TfrxReport::PrintReport() {
    EnsureServices();
    if (!FPreviewPages) throw EfrxError(kNoEngine);
    try {
        return FPreviewPages->Print();
    } catch (const EAbort&) {
        throw;
    } catch (const std::exception& e) {
        FErrors->Add(frxFailureWords(e.what()));
        ShowErrors();
        return false;
    }
}

// --- Designing ---------------------------------------------------------------------------------

// Disables the active window, runs the designer until it reports that it has closed,
// frees it and gives the window back; the designer's modified flag, read before it goes.
bool TfrxReport::RunDesigner(bool PreviewDesigner) {
    struct Restore {
        TfrxReport* Report;
        TCustomForm* Active;
        ~Restore() {
            if (TfrxCustomDesigner* d = Report->Designer) {
                Report->Designer = nullptr;
                Report->FDesignerComponent = nullptr;
                delete d;
            }
            // The window may have gone while the designer ran.
            if (Active && Screen->HasForm(Active)) {
                Active->SetEnabled(true);
                if (!Report->ComponentState().Contains(csDesigning) && Active->Showing()) Active->SetFocus();
            }
        }
    } restore{this, Screen->ActiveForm()};
    if (restore.Active) restore.Active->SetEnabled(false);
    Designer = frxDesignerClass()(nullptr, this, PreviewDesigner);
    FDesignerComponent = Designer;
    // A designer window that frees itself when closed is forgotten (Notification).
    Designer->FreeNotification(this);
    Designer->Show();
    // A program that is ending does not wait for the designer.
    while (Designer && !Designer->ModalFinished && !Application->Terminated()) Application->HandleMessage();
    return Designer && Designer->Modified();
}

void TfrxReport::DesignReport() {
    if (Designer || !frxDesignerClass()) return;
    if (PagesCount() == 0) {
        TClass cls = FindClass(DotMatrixReport ? "TfrxDMPPage" : "TfrxReportPage");
        TObject* made = cls->CreateInstance(this);
        auto* page = dynamic_cast<TfrxPage*>(made);
        if (!page) {
            delete made;
            throw EfrxError(cls->ClassName() + " is no page class");
        }
        page->SetParent(this);
        page->SetDefaults();
        page->SetName("Page1");
    }
    RunDesigner(false);
}

bool TfrxReport::DesignPreviewPage() {
    if (Designer || !frxDesignerClass()) return false;
    return RunDesigner(true);
}

// --- Settings ----------------------------------------------------------------------------------

std::unique_ptr<TCustomIniFile> TfrxReport::GetIniFile() const {
    if (IniFile.rfind("\\Software\\", 0) == 0) return std::make_unique<TRegistryIniFile>(IniFile);
    return std::make_unique<TIniFile>(IniFile);
}
