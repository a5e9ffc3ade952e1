// The script object: item table, registration, compile, execute, evaluate, calls by name,
// termination, executable lines, and the global unit.
#include "script/Script.h"

#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "script/ClassVariables.h"
#include "script/ILParser.h"
#include "script/ProcFrame.h"
#include "script/ProgramBuilder.h"
#include "script/Statements.h"
#include "script/SysFunctions.h"
#include "script/ValueBuffer.h"

#include <algorithm>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <unordered_set>

ROVE_IMPLEMENT_CLASS(TfsScript)

// --- Parameters of host calls ----------------------------------------------------------------

Variant& TfsParams::operator[](int index) {
    if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", {index}));
    return FValues[static_cast<size_t>(index)];
}

const Variant& TfsParams::operator[](int index) const {
    if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", {index}));
    return FValues[static_cast<size_t>(index)];
}

// --- Items ---------------------------------------------------------------------------------

TfsCustomVariable::TfsCustomVariable(std::string name, uint8_t typ, std::string typeName, TfsItemKind kind)
    : Name(std::move(name)), Typ(typ), TypeName(std::move(typeName)), FKind(kind) {}

TfsCustomVariable::~TfsCustomVariable() = default;

Variant TfsCustomVariable::GetValue() { return Value; }

void TfsCustomVariable::SetValue(const Variant& value) {
    if (!IsReadOnly) Value = value;
}

void TfsCustomVariable::AddParam(TfsParamItem* param, bool owned) {
    FParams.push_back(param);
    if (owned) FOwnedParams.emplace_back(param);
}

int TfsCustomVariable::RequiredCount() const {
    int n = 0;
    for (const TfsParamItem* p : FParams)
        if (!p->IsOptional) ++n;
    return n;
}

void TfsStringVariable::SetValue(const Variant& value) {
    if (IsReadOnly) return;
    if (value.IsString()) Value = value;
    else Value = Variant(VarToStr(value));
}

// --- Procedures ----------------------------------------------------------------------------

TfsProcVariable::TfsProcVariable(std::string name, uint8_t typ, std::string typeName, TfsScript* parent, bool isFunc)
    : TfsCustomVariable(std::move(name), typ, std::move(typeName), TfsItemKind::Proc),
      IsFunc(isFunc), FProg(std::make_unique<TfsScript>(nullptr)), FAlive(std::make_shared<int>(0)) {
    IsReadOnly = true;
    FProg->SetParent(parent);
    if (IsFunc) {
        FResult = new TfsVariable("Result", Typ, TypeName);
        FProg->Add(FResult);
    }
}

TfsProcVariable::~TfsProcVariable() {
    FAlive.reset();
    // The parameters belong to the local program; drop the pointers before it goes.
    FParams.clear();
}

void TfsProcVariable::BuildLocals() {
    FLocals.clear();
    for (int i = 0; i < FProg->Count(); ++i) {
        TfsCustomVariable* item = FProg->Items(i);
        if (!item->IsPlainVariable() || std::find(FParams.begin(), FParams.end(), item) != FParams.end()) continue;
        FLocals.push_back(&item->Value);
    }
    FLocalsBuiltFor = FProg->ItemsVersion();
    ++FLocalsBuilds;
}

// --- Name index ----------------------------------------------------------------------------

size_t TfsNameHash::operator()(std::string_view s) const noexcept {
    size_t h = 1469598103934665603ull;
    for (unsigned char c : s) {
        if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c + 32);
        h = (h ^ c) * 1099511628211ull;
    }
    return h;
}

bool TfsNameEqual::operator()(std::string_view a, std::string_view b) const noexcept {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
        if (x != y) return false;
    }
    return true;
}

// --- The script object ---------------------------------------------------------------------

namespace {
TfsScript* gGlobalUnit = nullptr;
bool gCreatingGlobal = false;
bool gGlobalFreed = false;

// The run-time error on its way out: the innermost statement it left records itself
// (sRunErrorPending tells whether it did).
struct PendingRunError {
    std::string Pos;
    std::string Unit;
};
thread_local PendingRunError gPendingError;
}  // namespace

TfsScript::TfsScript(TComponent* AOwner)
    : TComponent(AOwner), FLines(std::make_unique<TStringList>()),
      FProgram(std::make_unique<TfsStatement>(this, std::string(), std::string())),
      FUnitLines(std::make_unique<TStringList>()) {
    if (!gCreatingGlobal) FParent = GlobalUnit();
    Add(new TfsStringHelper());
    Add(new TfsArrayHelper("__ArrayHelper", 3, 1));
}

TfsScript::~TfsScript() {
    ReleaseHandle();
    FProgram.reset();
    FIndex.clear();
    FItems.clear();
}

void TfsScript::DeclareProperties(TPropertyDecl<TfsScript>& d) {
    d.Property("Lines", &TfsScript::Lines);
    d.Property("SyntaxType", &TfsScript::SyntaxType, &TfsScript::SetSyntaxType);
    d.Event("OnGetILUnit", &TfsScript::OnGetILUnit);
    d.Event("OnGetUnit", &TfsScript::OnGetUnit);
    d.Event("OnRunLine", &TfsScript::OnRunLine);
}

TfsCustomVariable* TfsScript::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError(Format("List index out of bounds (%d)", {index}));
    return FItems[static_cast<size_t>(index)].get();
}

void TfsScript::IndexItem(TfsCustomVariable* item) { FIndex.emplace(item->Name, item); }

void TfsScript::RebuildIndex() {
    ItemsChanged();
    FIndex.clear();
    for (const auto& item : FItems) IndexItem(item.get());
}

void TfsScript::Add(TfsCustomVariable* item) {
    ItemsChanged();
    FItems.emplace_back(item);
    IndexItem(item);
}

void TfsScript::AddItem(std::unique_ptr<TfsCustomVariable> item) { Add(item.release()); }

std::unique_ptr<TfsCustomVariable> TfsScript::Remove(TfsCustomVariable* item) {
    for (auto it = FItems.begin(); it != FItems.end(); ++it) {
        if (it->get() != item) continue;
        std::unique_ptr<TfsCustomVariable> owned = std::move(*it);
        ItemsChanged();
        FItems.erase(it);
        auto found = FIndex.find(item->Name);
        if (found != FIndex.end() && found->second == item) {
            FIndex.erase(found);
            for (const auto& other : FItems)
                if (TfsNameEqual()(other->Name, item->Name)) {
                    IndexItem(other.get());
                    break;
                }
        }
        return owned;
    }
    return nullptr;
}

void TfsScript::Clear() {
    // Freeing the statements and procedures that are running would pull the ground from
    // under them (a host callback clearing the script that called it).
    if (FRunDepth > 0) throw EScriptError("A running script cannot be cleared");
    FProgram->Truncate(0);
    ItemsChanged();
    FIndex.clear();
    // First to last, as the item list frees.
    for (auto& item : FItems) item.reset();
    FItems.clear();
    FCodeLines.clear();
    FUnitLines->Clear();
    FUnitLinesStale = false;
}

void TfsScript::RemoveItems(const void* owner) {
    for (size_t i = FItems.size(); i-- > 0;)
        if (FItems[i]->AddedBy == owner) FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(i));
    RebuildIndex();
}

TfsCustomVariable* TfsScript::FindLocal(std::string_view name) const {
    auto it = FIndex.find(name);
    return it == FIndex.end() ? nullptr : it->second;
}

TfsCustomVariable* TfsScript::Find(std::string_view name) const {
    for (const TfsScript* s = this; s; s = s->FParent)
        if (TfsCustomVariable* item = s->FindLocal(name)) return item;
    return nullptr;
}

TfsClassVariable* TfsScript::FindClass(std::string_view name) const {
    TfsCustomVariable* item = Find(name);
    return item && item->Kind() == TfsItemKind::Class ? static_cast<TfsClassVariable*>(item) : nullptr;
}

bool TfsScript::ClassInherits(std::string_view ancestor, std::string_view descendant) const {
    const TfsClassVariable* a = FindClass(ancestor);
    const TfsClassVariable* d = FindClass(descendant);
    if (!a || !d) return false;
    if (a->ClassRef() && d->ClassRef()) return d->ClassRef()->InheritsFrom(a->ClassRef());
    for (const TfsClassVariable* c = d; c; c = c->Ancestor().empty() ? nullptr : FindClass(c->Ancestor()))
        if (c == a) return true;
    return false;
}

uint8_t TfsScript::TypeByName(std::string_view name) const {
    const TfsCustomVariable* item = Find(name);
    return item ? item->Typ : uint8_t(tcClass);
}

// --- Registration --------------------------------------------------------------------------

void TfsScript::AddType(const std::string& typeName, uint8_t typ) {
    if (KnownInChain(typeName)) return;
    auto* item = new TfsTypeVariable(typeName, typ, typeName);
    item->AddedBy = FAddedBy;
    Add(item);
}

TfsClassVariable* TfsScript::AddClass(TClass cls, const std::string& ancestorName) {
    if (!cls || KnownInChain(cls->ClassName())) return nullptr;
    auto* item = new TfsClassVariable(cls, ancestorName, this);
    item->AddedBy = FAddedBy;
    if (TfsClassVariable* ancestor = FindClass(ancestorName)) item->SetDefProperty(ancestor->DefProperty());
    Add(item);
    return item;
}

void TfsScript::AddConst(const std::string& name, const std::string& typeName, const Variant& value) {
    if (KnownInChain(name)) return;
    auto* item = new TfsVariable(name, TypeByName(typeName), typeName);
    item->Value = value;
    item->IsReadOnly = true;
    item->AddedBy = FAddedBy;
    Add(item);
}

namespace {
void AddEnumValues(TfsScript& script, const std::string& typeName, std::string_view names, bool isSet) {
    TStringList list;
    list.SetCommaText(std::string(names));
    int64_t value = isSet ? 1 : 0;
    for (int i = 0; i < list.Count(); ++i) {
        const std::string name = Trim(list[i]);
        if (name.empty()) continue;
        if (!script.Find(name)) {
            auto* item = new TfsVariable(name, tcEnum, typeName);
            item->Value = Variant::FromInt(value);
            item->IsReadOnly = true;
            item->AddedBy = script.AddedBy();
            script.Add(item);
        }
        value = isSet ? value * 2 : value + 1;
    }
}
}  // namespace

void TfsScript::AddEnum(const std::string& typeName, std::string_view names) {
    if (KnownInChain(typeName)) return;
    auto* type = new TfsVariable(typeName, tcEnum, typeName);
    type->AddedBy = FAddedBy;
    Add(type);
    AddEnumValues(*this, typeName, names, false);
}

void TfsScript::AddEnumSet(const std::string& typeName, std::string_view names) {
    if (KnownInChain(typeName)) return;
    auto* type = new TfsVariable(typeName, tcEnum, typeName);
    type->AddedBy = FAddedBy;
    Add(type);
    AddEnumValues(*this, typeName, names, true);
}

TfsMethodHelper* TfsScript::AddMethod(const std::string& syntax, TfsCallMethodEvent callEvent,
                                      const std::string& category, const std::string& description) {
    auto* helper = new TfsMethodHelper(ParseSignature(syntax), syntax, this);
    helper->OnCall = std::move(callEvent);
    helper->Category = category;
    helper->Description = description.empty() ? helper->Name : description;
    helper->AddedBy = FAddedBy;
    helper->SetCallNames();
    Add(helper);
    return helper;
}

void TfsScript::AddObject(const std::string& name, TObject* object) {
    AddConst(name, object ? object->ClassName() : std::string("TObject"),
             Variant::FromObject(object ? object->Handle() : NilHandle));
}

void TfsScript::AddVariable(const std::string& name, const std::string& typeName, const Variant& value) {
    if (KnownInChain(name)) return;
    auto* item = new TfsVariable(name, TypeByName(typeName), typeName);
    item->Value = value;
    item->AddedBy = FAddedBy;
    Add(item);
}

void TfsScript::SetVariables(const std::string& name, const Variant& value) {
    if (TfsCustomVariable* item = Find(name)) item->SetValue(value);
    else AddVariable(name, "Variant", value);
}

Variant TfsScript::Variables(const std::string& name) const {
    TfsCustomVariable* item = Find(name);
    return item ? item->GetValue() : Variant::Null();
}

// --- Compile -------------------------------------------------------------------------------

// What a compile may add, so a failed one can take it all back.
struct TfsScript::Snapshot {
    size_t ItemCount;
    int StatementCount;
    std::string UnitLines;
};

void TfsScript::RollBack(const Snapshot& snapshot) {
    FProgram->Truncate(snapshot.StatementCount);
    while (FItems.size() > snapshot.ItemCount) FItems.pop_back();
    RebuildIndex();
    SetUnitLinesText(snapshot.UnitLines);
}

void TfsScript::SetError(const std::string& msg, const std::string& pos, const std::string& unit) {
    FErrorMsg = msg;
    FErrorPos = pos;
    FErrorUnit = unit;
}

bool TfsScript::Compile() {
    FErrorMsg.clear();
    FErrorPos.clear();
    FErrorUnit.clear();
    TfsILParser parser;
    parser.LoadGrammar(FSyntaxType);
    if (OnGetUnit) parser.SetOnGetUnit([this](const std::string& unit, std::string& text) { OnGetUnit(this, unit, text); });

    const Snapshot snapshot{FItems.size(), FProgram->Count(), UnitLines().Text()};
    if (!parser.BuildIntermediate(FLines->Text())) {
        FErrorMsg = parser.ErrorMsg();
        FErrorPos = parser.ErrorPos();
        FErrorUnit = parser.ErrorUnit();
        // A match that failed without any element reporting why is still a failure.
        if (FErrorMsg.empty()) {
            FErrorMsg = "Statement expected";
            FErrorPos = "1:1";
        }
    } else {
        TfsProgramBuilder builder(*this, parser.NeedDeclareVars(), parser.Document().Root());
        builder.BuildProgram();
    }
    if (!FErrorMsg.empty()) {
        RollBack(snapshot);
        return false;
    }
    FErrorPos.clear();
    return true;
}

// --- Running -------------------------------------------------------------------------------

void TfsScript::NoteRunError(const TfsStatement* statement) {
    if (sRunErrorPending) return;
    sRunErrorPending = true;
    gPendingError.Pos = statement->SourcePos;
    gPendingError.Unit = statement->UnitName;
}

void TfsScript::TakeRunError() {
    if (!sRunErrorPending) return;
    FRunErrorPos = gPendingError.Pos;
    FRunErrorUnit = gPendingError.Unit;
    sRunErrorPending = false;
}

void TfsScript::Execute() {
    ClearRunErrorPos();
    TEntryGuard entry(this);
    FRunFlags = 0;
    FIsRunning = true;
    try {
        FProgram->Execute();
    } catch (...) {
        FRunFlags = 0;
        FIsRunning = false;
        entry.Failed();
        throw;
    }
    FRunFlags = 0;
    FIsRunning = false;
}

Variant TfsScript::Evaluate(const std::string& expression) {
    TfsScript child(nullptr);
    child.SetParent(FProgRunning ? FProgRunning : this);
    // The hook is suspended, not cleared: Evaluate is called from inside the running hook
    // (the debugger's evaluate window), whose handler must stay alive.
    struct HookGuard {
        TfsScript* Script;
        explicit HookGuard(TfsScript* s) : Script(s) { ++Script->FRunLineSuspended; }
        ~HookGuard() { --Script->FRunLineSuspended; }
    } hook(this);
    child.Lines()->SetText("function __f__: Variant; begin Result := " + expression + " end; begin end.");
    if (!child.Compile()) return Variant(child.ErrorMsg());
    TfsCustomVariable* f = child.FindLocal("__f__");
    TEntryGuard entry(this);
    try {
        return f->GetValue();
    } catch (...) {
        entry.Failed();
        throw;
    }
}

Variant TfsScript::CallProc(TfsProcVariable* proc, const Variant* params, Variant* writeBack) {
    int given = 0;
    int low = 0;
    if (params && params->IsArray()) {
        low = VarArrayLowBound(*params, 1);
        given = VarArrayHighBound(*params, 1) - low + 1;
    }
    const int count = proc->Count();
    if (given > count) throw EScriptError(fsmsg::TooManyParams);
    TfsValueBuffer args(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) args.Add(i < given ? params->GetElement({low + i}) : proc->Params(i)->DefValue);
    TfsValueBuffer back(writeBack ? static_cast<size_t>(count) : 0);
    back.Fill();
    TEntryGuard entry(this);
    ClearRunErrorPos();
    Variant result;
    try {
        result = fsCallProc(proc, args, back.Span());
    } catch (...) {
        entry.Failed();
        throw;
    }
    if (writeBack)
        for (int i = 0; i < given; ++i) writeBack->PutElement({low + i}, back[static_cast<size_t>(i)]);
    return result;
}

inline Variant TfsScript::CallBare(TfsProcVariable* proc) {
    TEntryGuard entry(this);
    ClearRunErrorPos();
    try {
        // Only a procedure that is running already has locals to save.
        if (proc->Executing) [[unlikely]]
            return fsCallProc(proc, std::span<const Variant>(), {});
        return fsRunBody(proc);
    } catch (...) {
        entry.Failed();
        throw;
    }
}

namespace {
template <class T> inline T Load(const char* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Two names compared with their terminating zero (a std::string's data holds size + 1
// bytes) in words of 8 or 4 bytes, the last word overlapping the one before: a short name
// takes two loads a side instead of a call of memcmp.
inline bool SameName(const std::string& a, const std::string& b) {
    const size_t n = a.size();
    if (n != b.size()) return false;
    const char* x = a.data();
    const char* y = b.data();
    const size_t m = n + 1;
    if (m >= 8) {
        for (size_t i = 0; i + 8 < m; i += 8)
            if (Load<uint64_t>(x + i) != Load<uint64_t>(y + i)) return false;
        return Load<uint64_t>(x + m - 8) == Load<uint64_t>(y + m - 8);
    }
    if (m >= 4) return Load<uint32_t>(x) == Load<uint32_t>(y) && Load<uint32_t>(x + m - 4) == Load<uint32_t>(y + m - 4);
    for (size_t i = 0; i < n; ++i)
        if (x[i] != y[i]) return false;
    return true;
}
}  // namespace

// A hit is valid while the item table is unchanged. The name found last is asked first (a
// host calling one function over and over), then a slot per exact spelling.
inline TfsProcVariable* TfsScript::FindCallable(const std::string& name) {
    if (const TCallCacheEntry* last = FLastCall; last && last->Version == FItemsVersion && SameName(last->Name, name))
        return last->Proc;
    return FindCallableSlot(name);
}

TfsProcVariable* TfsScript::FindCallableSlot(const std::string& name) {
    const char* text = name.data();
    const size_t size = name.size();
    size_t h = 1469598103934665603ull;
    for (size_t i = 0; i < size; ++i) h = (h ^ static_cast<unsigned char>(text[i])) * 1099511628211ull;
    if (!FCallCache) FCallCache = std::make_unique<TCallCacheEntry[]>(CallCacheSize);
    TCallCacheEntry& entry = FCallCache[h % CallCacheSize];
    FLastCall = &entry;
    if (entry.Version == FItemsVersion && SameName(entry.Name, name)) return entry.Proc;
    TfsCustomVariable* item = FindLocal(name);
    TfsProcVariable* proc = item && item->Kind() == TfsItemKind::Proc ? static_cast<TfsProcVariable*>(item) : nullptr;
    entry.Name = name;
    entry.Proc = proc;
    entry.Version = FItemsVersion;
    return proc;
}

Variant TfsScript::CallFunction(const std::string& name, const Variant& params) {
    TfsProcVariable* proc = FindCallable(name);
    if (!proc) return Variant::Null();
    if (!params.IsArray() && proc->Count() == 0) return CallBare(proc);
    return CallProc(proc, &params, nullptr);
}

Variant TfsScript::CallFunctionVar(const std::string& name, Variant& params) {
    TfsProcVariable* proc = FindCallable(name);
    if (!proc) return Variant::Null();
    if (!params.IsArray()) return proc->Count() == 0 ? CallBare(proc) : CallProc(proc, &params, nullptr);
    return CallProc(proc, &params, &params);
}

void TfsScript::Terminate() {
    FRunFlags |= rfExit | rfTerminated;
    for (const auto& item : FItems)
        if (item->Kind() == TfsItemKind::Proc) static_cast<TfsProcVariable*>(item.get())->Prog()->Terminate();
}

namespace {
thread_local TfsRunWatchScope* tRunWatch = nullptr;
}  // namespace

TfsRunWatchScope::TfsRunWatchScope(TWatch Watch) : FWatch(std::move(Watch)), FOuter(tRunWatch) { tRunWatch = this; }

TfsRunWatchScope::~TfsRunWatchScope() { tRunWatch = FOuter; }

void TfsRunWatchScope::Call(TfsScript* Running) {
    TfsRunWatchScope* watch = tRunWatch;
    if (!watch || watch->FInside || !watch->FWatch) return;
    watch->FInside = true;
    struct Leave {
        TfsRunWatchScope* W;
        ~Leave() { W->FInside = false; }
    } leave{watch};
    watch->FWatch(Running);
}

void TfsScript::RunWatchDue() {
    FRunWatchCountdown = kRunWatchSteps;
    TfsRunWatchScope::Call(this);
}

void TfsRunWatchScope::WatchNow() { Call(nullptr); }

TfsScript* TfsScript::KeptRunLineOwner() {
    const uint64_t changes = TfsRunLineEvent::Changes() + sChainChanges.load(std::memory_order_relaxed);
    if (changes != FHookChanges) {
        FHookOwner = nullptr;
        for (TfsScript* s = this; s; s = s->FParent)
            if (s->OnRunLine) {
                FHookOwner = s;
                break;
            }
        FHookChanges = changes;
    }
    return FHookOwner;
}

void TfsScript::RunLine(const std::string& unitName, const std::string& sourcePos) {
    // A script under an Evaluate (anywhere up the chain) does not stop at its lines.
    for (TfsScript* s = this; s; s = s->FParent) {
        if (s->FRunLineSuspended > 0) return;
        if (s->OnRunLine) {
            s->OnRunLine(this, unitName, sourcePos);
            return;
        }
    }
}

// --- Executable lines ----------------------------------------------------------------------

TfsScript::TUnitCodeLines* TfsScript::CodeLinesOf(std::string_view unitName, bool create) {
    for (TUnitCodeLines& u : FCodeLines)
        if (TfsNameEqual()(u.Unit, unitName)) return &u;
    if (!create) return nullptr;
    FCodeLines.push_back({std::string(unitName), {}, {}});
    return &FCodeLines.back();
}

const TfsScript::TUnitCodeLines* TfsScript::CodeLinesOf(std::string_view unitName) const {
    for (const TUnitCodeLines& u : FCodeLines)
        if (TfsNameEqual()(u.Unit, unitName)) return &u;
    return nullptr;
}

// Each line once per unit; a look-up costs the same however long the script is.
void TfsScript::AddCodeLine(const std::string& unitName, const std::string& sourcePos) {
    const int line = std::atoi(sourcePos.substr(0, sourcePos.find(':')).c_str());
    if (line < 0) return;
    TUnitCodeLines& u = *CodeLinesOf(unitName, true);
    if (static_cast<size_t>(line) >= u.Has.size()) u.Has.resize(static_cast<size_t>(line) + 1, false);
    if (u.Has[static_cast<size_t>(line)]) return;
    u.Has[static_cast<size_t>(line)] = true;
    u.Order.push_back(line);
    FUnitLinesStale = true;
}

bool TfsScript::IsExecutableLine(int line, const std::string& unitName) const {
    const TUnitCodeLines* u = CodeLinesOf(unitName);
    return u && line >= 0 && static_cast<size_t>(line) < u->Has.size() && u->Has[static_cast<size_t>(line)];
}

// "unit=5,7,12," per unit.
const TStringList& TfsScript::UnitLines() const {
    if (FUnitLinesStale) {
        FUnitLines->Clear();
        for (const TUnitCodeLines& u : FCodeLines) {
            std::string entry = u.Unit + "=";
            for (int l : u.Order) entry += std::to_string(l) + ",";
            FUnitLines->Add(entry);
        }
        FUnitLinesStale = false;
    }
    return *FUnitLines;
}

void TfsScript::SetUnitLinesText(const std::string& text) {
    FCodeLines.clear();
    TStringList list;
    list.SetText(text);
    for (int i = 0; i < list.Count(); ++i) {
        const std::string& s = list[i];
        const size_t eq = s.find('=');
        if (eq == std::string::npos) continue;
        const std::string unit = s.substr(0, eq);
        CodeLinesOf(unit, true);
        size_t p = eq + 1;
        while (p < s.size()) {
            const size_t comma = s.find(',', p);
            AddCodeLine(unit, s.substr(p, comma == std::string::npos ? std::string::npos : comma - p));
            if (comma == std::string::npos) break;
            p = comma + 1;
        }
    }
    FUnitLines->SetText(text);
    FUnitLinesStale = false;
}

// --- Global unit ---------------------------------------------------------------------------

TfsScript* GlobalUnit() {
    if (gGlobalUnit || gGlobalFreed || gCreatingGlobal) return gGlobalUnit;
    gCreatingGlobal = true;
    auto* unit = new TfsScript(nullptr);
    gCreatingGlobal = false;
    for (size_t i = 0; i < kStandardTypeCount; ++i) unit->AddType(kStandardTypes[i].Name, kStandardTypes[i].Typ);
    unit->AddConst("True", "Boolean", Variant(true));
    unit->AddConst("False", "Boolean", Variant(false));
    unit->AddConst("nil", "Variant", Variant(0));
    unit->AddConst("Null", "Variant", Variant::Null());
    gGlobalUnit = unit;
    fsRegisterSystemFunctions(unit);
    return gGlobalUnit;
}

void FreeGlobalUnit() {
    gGlobalFreed = true;
    delete gGlobalUnit;
    gGlobalUnit = nullptr;
}
