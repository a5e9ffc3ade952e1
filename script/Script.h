// The script program and its items: TfsScript (a component holding source lines, a table of
// named items and the compiled main block), the item kinds every name of a script stands for
// (variables, constants, types, parameters, procedures), and GlobalUnit, the process-wide
// script at the top of every chain of scopes.
//
// Items are data records: their fields are public and named as the engine's documentation
// names them (Name, Typ, TypeName, Value ...), because statements and expressions read them
// on every step and the builder fills them in place. Every item is read through GetValue and
// written through SetValue; plain variables (TfsVariable, TfsStringVariable, TfsParamItem)
// keep their value in Value, which the fast paths of expressions and statements use directly.
//
// Look-up ignores ASCII case and falls through to the parent script; within one script the
// first item of a name wins. Registering a name that is already known anywhere in the chain
// is skipped (AddMethod excepted). Compile errors never throw (ErrorMsg/ErrorPos); a compile
// that fails leaves no item, statement or executable line behind.
//
// Run-time errors are exceptions of their own kind (conversion, host callbacks, the engine's
// EScriptError texts); when one leaves Execute, CallFunction or Evaluate, RunErrorPos and
// RunErrorUnit tell which statement raised it, and the script stays usable for the next run.
#pragma once

#include "platform/classes/Component.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Variant.h"
#include "script/Messages.h"
#include "script/ScriptTools.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TfsScript;
class TfsParamItem;
class TfsProcVariable;
class TfsClassVariable;
class TfsStatement;
class TfsMethodHelper;
class TfsCustomHelper;

// What an item is, so the hot paths need no dynamic_cast. ORDER ITEM_KIND.
enum class TfsItemKind : uint8_t {
    Custom,           // a plain TfsCustomVariable
    Variable,         // TfsVariable: variables, constants, enumeration values, Result
    StringVariable,   // TfsStringVariable
    Type,             // TfsTypeVariable
    Param,            // TfsParamItem
    Proc,             // TfsProcVariable
    Expression,       // TfsExpression, TfsSetExpression
    Designator,       // TfsDesignator and its fast-path descendants
    Helper,           // TfsCustomHelper descendants (members, array, string, automation)
    Class,            // TfsClassVariable
};

// The values of one host call: a zero-based view of Variants that the callback may change
// (var parameters are written back from it). Out-of-range indexes raise EListError.
class TfsParams {
public:
    TfsParams() = default;
    explicit TfsParams(std::span<Variant> values) : FValues(values) {}
    int Count() const { return static_cast<int>(FValues.size()); }
    Variant& operator[](int index);
    const Variant& operator[](int index) const;
    std::span<Variant> Values() const { return FValues; }

private:
    std::span<Variant> FValues;
};

// Host callbacks. Instance is the object (nullptr for global functions and constructors),
// ClassType the registered class of the member (for a constructor the class being created),
// the name is the member's name in upper case ("TWICE", "ITEMS.GET", "ITEMS.SET").
using TfsGetValueEvent = std::function<Variant(TObject* Instance, TClass ClassType, const std::string& PropName)>;
using TfsSetValueEvent =
    std::function<void(TObject* Instance, TClass ClassType, const std::string& PropName, const Variant& Value)>;
using TfsCallMethodEvent =
    std::function<Variant(TObject* Instance, TClass ClassType, const std::string& MethodName, TfsParams& Params)>;

// --- Items ---------------------------------------------------------------------------------

class TfsCustomVariable {
public:
    TfsCustomVariable(std::string name, uint8_t typ, std::string typeName,
                      TfsItemKind kind = TfsItemKind::Custom);
    virtual ~TfsCustomVariable();
    TfsCustomVariable(const TfsCustomVariable&) = delete;
    TfsCustomVariable& operator=(const TfsCustomVariable&) = delete;

    // Reads the item (a variable's value; a procedure or method runs here).
    virtual Variant GetValue();
    // Stores into Value unless IsReadOnly.
    virtual void SetValue(const Variant& value);

    TfsItemKind Kind() const { return FKind; }
    // Variables, string variables and parameters: Value is the whole story.
    bool IsPlainVariable() const {
        return FKind == TfsItemKind::Variable || FKind == TfsItemKind::StringVariable ||
               FKind == TfsItemKind::Param;
    }

    // Parameters (of procedures, methods, indexed properties, the class cast).
    int Count() const { return static_cast<int>(FParams.size()); }
    TfsParamItem* Params(int index) const { return FParams[static_cast<size_t>(index)]; }
    TfsParamItem* const* ParamList() const { return FParams.data(); }
    // Appends a parameter; owned unless the procedure's local script owns it.
    void AddParam(TfsParamItem* param, bool owned);
    // Parameters whose IsOptional is false.
    int RequiredCount() const;
    // "Integer", "Class TFoo", "TAlign", "Variant" ...
    std::string GetFullTypeName() const { return TypeCodeName(Typ, TypeName); }
    TfsTypeRec TypeRec() const { return {Typ, TypeName}; }

    const void* AddedBy = nullptr;
    bool IsReadOnly = false;
    std::string Name;
    bool NeedResult = true;
    TfsCustomVariable* RefItem = nullptr;
    uint8_t Typ;
    std::string TypeName;
    Variant Value = Variant::Null();

protected:
    TfsItemKind FKind;
    std::vector<TfsParamItem*> FParams;
    std::vector<std::unique_ptr<TfsParamItem>> FOwnedParams;
};

// Script variables, constants, enumeration values and Result. Values are stored unconverted
// (an Integer variable may hold 3.5).
class TfsVariable : public TfsCustomVariable {
public:
    TfsVariable(std::string name, uint8_t typ, std::string typeName)
        : TfsCustomVariable(std::move(name), typ, std::move(typeName), TfsItemKind::Variable) {}

protected:
    TfsVariable(std::string name, uint8_t typ, std::string typeName, TfsItemKind kind)
        : TfsCustomVariable(std::move(name), typ, std::move(typeName), kind) {}
};

// A String or Char variable: every value written is converted to its text (Null gives '').
class TfsStringVariable : public TfsVariable {
public:
    TfsStringVariable(std::string name, uint8_t typ, std::string typeName)
        : TfsVariable(std::move(name), typ, std::move(typeName), TfsItemKind::StringVariable) {
        Value = Variant(std::string());
    }
    void SetValue(const Variant& value) override;
};

// A type name registered by AddType.
class TfsTypeVariable : public TfsCustomVariable {
public:
    TfsTypeVariable(std::string name, uint8_t typ, std::string typeName)
        : TfsCustomVariable(std::move(name), typ, std::move(typeName), TfsItemKind::Type) {}
};

// A formal parameter.
class TfsParamItem : public TfsCustomVariable {
public:
    TfsParamItem(std::string name, uint8_t typ, std::string typeName, bool isOptional, bool isVarParam)
        : TfsCustomVariable(std::move(name), typ, std::move(typeName), TfsItemKind::Param),
          IsOptional(isOptional), IsVarParam(isVarParam) {}
    Variant DefValue = Variant::Null();
    bool IsOptional;
    bool IsVarParam;
};

// A script procedure or function with its own local program (whose parent is the script
// that declares it). Calling it (GetValue) runs the body with the parameter values the caller
// stored; a function returns its Result.
class TfsProcVariable : public TfsCustomVariable {
public:
    TfsProcVariable(std::string name, uint8_t typ, std::string typeName, TfsScript* parent, bool isFunc);
    ~TfsProcVariable() override;
    Variant GetValue() override;

    bool Executing = false;
    bool IsFunc;
    std::string SourcePos;
    TfsScript* Prog() const { return FProg.get(); }
    TfsVariable* ResultVar() const { return FResult; }
    // Lives exactly as long as the procedure: event bridges keep a weak reference to it.
    std::weak_ptr<void> AliveToken() const { return FAlive; }

    // Where the local variables other than the parameters (Result, the declared variables
    // and constants) keep their values, in the order of the local program's items: a call of
    // a procedure that is already running saves and restores these beside the parameters.
    // Rebuilt when the local program's item table changed; items added meanwhile (a
    // late-bound name) come last.
    inline const std::vector<Variant*>& Locals();
    // Counts the builds of Locals: a list read before a call stays valid while it is the same.
    uint64_t LocalsBuild() const { return FLocalsBuilds; }

private:
    void BuildLocals();
    std::unique_ptr<TfsScript> FProg;
    TfsVariable* FResult = nullptr;
    std::shared_ptr<void> FAlive;
    std::vector<Variant*> FLocals;
    uint64_t FLocalsBuiltFor = 0;   // the local program's ItemsVersion they were built at
    uint64_t FLocalsBuilds = 0;
};

// --- Events of the script object -----------------------------------------------------------
using TfsRunLineEvent = TEvent<void(TfsScript* Sender, const std::string& UnitName, const std::string& SourcePos)>;
ROVE_EVENT_TYPE(TfsRunLineEvent)
// OnGetUnit supplies a used unit's source text, OnGetILUnit its intermediate text.
using TfsGetUnitTextEvent = TEvent<void(TfsScript* Sender, const std::string& UnitName, std::string& UnitText)>;
ROVE_EVENT_TYPE(TfsGetUnitTextEvent)

// Case-insensitive (ASCII) hashing for the name index.
struct TfsNameHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const noexcept;
};
struct TfsNameEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const noexcept;
};

// --- The script object ---------------------------------------------------------------------

class TfsScript : public TComponent {
    ROVE_CLASS(TfsScript, TComponent)
public:
    explicit TfsScript(TComponent* AOwner = nullptr);
    ~TfsScript() override;

    // --- Published ---
    TStringList* Lines() const { return FLines.get(); }
    void SetLines(const TStrings& lines) { FLines->Assign(lines); }
    const std::string& SyntaxType() const { return FSyntaxType; }
    void SetSyntaxType(const std::string& value) { FSyntaxType = value; }
    TfsGetUnitTextEvent OnGetILUnit;
    TfsGetUnitTextEvent OnGetUnit;
    TfsRunLineEvent OnRunLine;
    static void DeclareProperties(TPropertyDecl<TfsScript>& d);

    // --- Scopes and the item table ---
    TfsScript* Parent() const { return FParent; }
    void SetParent(TfsScript* parent) {
        FParent = parent;
        sChainChanges.fetch_add(1, std::memory_order_relaxed);
    }
    // Marker copied into AddedBy of every item the registration operations add.
    const void* AddedBy() const { return FAddedBy; }
    void SetAddedBy(const void* owner) { FAddedBy = owner; }

    int Count() const { return static_cast<int>(FItems.size()); }
    TfsCustomVariable* Items(int index) const;
    // Counts the changes of the item table (never 0).
    uint64_t ItemsVersion() const { return FItemsVersion; }
    // Appends Item and takes ownership (no duplicate check).
    void Add(TfsCustomVariable* item);
    // Takes Item out of the table without freeing it; the caller owns it then.
    std::unique_ptr<TfsCustomVariable> Remove(TfsCustomVariable* item);
    // Frees every item, the main block's statements and the executable lines.
    void Clear();
    // Frees every item whose AddedBy is Owner (last to first).
    void RemoveItems(const void* owner);
    TfsCustomVariable* FindLocal(std::string_view name) const;
    TfsCustomVariable* Find(std::string_view name) const;
    TfsClassVariable* FindClass(std::string_view name) const;
    // True when the class named Descendant is the class named Ancestor or descends from it.
    bool ClassInherits(std::string_view ancestor, std::string_view descendant) const;

    // --- Registration (each skipped when the name is already known in the chain) ---
    void AddType(const std::string& typeName, uint8_t typ);
    // Registers a class of the component model under its own name; nullptr when the name was
    // known already. Its published properties are imported at once.
    TfsClassVariable* AddClass(TClass cls, const std::string& ancestorName);
    void AddConst(const std::string& name, const std::string& typeName, const Variant& value);
    void AddEnum(const std::string& typeName, std::string_view names);
    void AddEnumSet(const std::string& typeName, std::string_view names);
    // A global function from its declaration text; no duplicate check.
    TfsMethodHelper* AddMethod(const std::string& syntax, TfsCallMethodEvent callEvent,
                               const std::string& category = {}, const std::string& description = {});
    // A read-only variable of the object's class holding the object's handle.
    void AddObject(const std::string& name, TObject* object);
    void AddVariable(const std::string& name, const std::string& typeName, const Variant& value);
    // Variables[Name] := Value: the item found in the chain, else a new Variant variable here.
    void SetVariables(const std::string& name, const Variant& value);
    // Find + GetValue; Null when the name is unknown.
    Variant Variables(const std::string& name) const;

    // The code of a type name through the chain: the item's Typ, or 5 (Class) when unknown.
    uint8_t TypeByName(std::string_view name) const;

    // --- Compilation and running ---
    // Compiles Lines in the grammar SyntaxType; true on success. Syntax, name and type errors
    // set ErrorMsg/ErrorPos/ErrorUnit and leave nothing of this compile behind; an unknown
    // grammar name raises EScriptError.
    bool Compile();
    // Runs the main block; run-time errors propagate (RunErrorPos tells where).
    void Execute();
    // The value of an expression text, or the compile error message as a string.
    Variant Evaluate(const std::string& expression);
    // Calls a procedure or function of this script (local look-up only) with the elements of
    // Params (a Variant array; any other value passes no arguments). Null when Name is not a
    // procedure here. More elements than parameters raise "真实变量太多"; missing ones take
    // the parameters' defaults.
    Variant CallFunction(const std::string& name, const Variant& params);
    // The same, writing every parameter's value back into the elements of Params.
    Variant CallFunctionVar(const std::string& name, Variant& params);
    // Stops the running script and the procedures declared in it at their next statement.
    void Terminate();

    const std::string& ErrorMsg() const { return FErrorMsg; }
    const std::string& ErrorPos() const { return FErrorPos; }
    const std::string& ErrorUnit() const { return FErrorUnit; }
    void SetError(const std::string& msg, const std::string& pos, const std::string& unit);
    // Where the last run-time error left a statement of this script ("" when none).
    const std::string& RunErrorPos() const { return FRunErrorPos; }
    const std::string& RunErrorUnit() const { return FRunErrorUnit; }

    // The main block.
    TfsStatement* Program() const { return FProgram.get(); }
    bool IsRunning() const { return FIsRunning; }
    void SetIsRunning(bool value) { FIsRunning = value; }
    TfsScript* ProgRunning() const { return FProgRunning; }
    void SetProgRunning(TfsScript* prog) { FProgRunning = prog; }

    // Run flags (statements test and set them).
    enum : uint8_t { rfBreak = 1, rfContinue = 2, rfExit = 4, rfTerminated = 8 };
    uint8_t RunFlags() const { return FRunFlags; }
    void SetRunFlags(uint8_t flags) { FRunFlags = flags; }
    bool Break() const { return FRunFlags & rfBreak; }
    bool Continue() const { return FRunFlags & rfContinue; }
    bool Exit() const { return FRunFlags & rfExit; }
    bool Terminated() const { return FRunFlags & rfTerminated; }
    void SetFlag(uint8_t flag, bool on) { FRunFlags = on ? uint8_t(FRunFlags | flag) : uint8_t(FRunFlags & ~flag); }

    // The statement hook: calls the first OnRunLine handler from this script up the chain.
    void RunLine(const std::string& unitName, const std::string& sourcePos);
    // The script of the chain that carries an OnRunLine handler, or nullptr. Asked before
    // every statement: while no run-line handler is bound anywhere (TEvent counts the bound
    // handlers per signature) the answer is nullptr at once; otherwise it is kept while no
    // run-line handler anywhere changed (TEvent counts the changes per signature) and no
    // script changed its parent.
    TfsScript* RunLineOwner() {
        if (TfsRunLineEvent::BoundCount() == 0) [[likely]]
            return nullptr;
        return KeptRunLineOwner();
    }

    // The run watch's step, taken before every statement and at every pass of a loop: every
    // kRunWatchSteps steps of a script, the watch set on this thread (TfsRunWatchScope), if
    // any, is called with it. One count in the script, which the loops hold at hand.
    static constexpr int kRunWatchSteps = 1024;
    [[gnu::always_inline]] void RunWatchStep() {
        if (--FRunWatchCountdown <= 0) [[unlikely]]
            RunWatchDue();
    }

    // Executable lines: "5,7,12," per unit name.
    void AddCodeLine(const std::string& unitName, const std::string& sourcePos);
    bool IsExecutableLine(int line, const std::string& unitName = {}) const;
    // Name=value lines, one per unit ("" for the main text): the value lists the lines.
    const TStringList& UnitLines() const;

    // Records the position of a statement that raised (innermost statement wins).
    static void NoteRunError(const TfsStatement* statement);
    // Copies the pending run-time error position to this script and clears it.
    void TakeRunError();
    // Forgets the pending position (a script's try/except consumed the error).
    static void ClearRunError() { sRunErrorPending = false; }
    // Entries from the host (Execute, CallFunction, Evaluate) that have not returned yet.
    void EnterRun() { ++FRunDepth; }
    void LeaveRun() { --FRunDepth; }

private:
    friend class TfsProgramBuilder;
    struct Snapshot;
    Variant CallProc(TfsProcVariable* proc, const Variant* params, Variant* writeBack);
    // CallProc for a procedure without parameters called without an array: no argument
    // values to take or write back.
    Variant CallBare(TfsProcVariable* proc);
    // Entry into a script from the host: a fresh error record; on the way out by an error
    // (Failed) the record goes to the script; the entry counts until it returns.
    struct TEntryGuard {
        TfsScript* Script;
        explicit TEntryGuard(TfsScript* script) : Script(script) {
            ClearRunError();
            Script->EnterRun();
        }
        ~TEntryGuard() { Script->LeaveRun(); }
        TEntryGuard(const TEntryGuard&) = delete;
        TEntryGuard& operator=(const TEntryGuard&) = delete;
        void Failed() { Script->TakeRunError(); }
    };
    // Empties RunErrorPos and RunErrorUnit (a run starts without an error).
    void ClearRunErrorPos() {
        if (FRunErrorPos.empty() && FRunErrorUnit.empty()) [[likely]]
            return;
        FRunErrorPos.clear();
        FRunErrorUnit.clear();
    }
    // The procedure of this script named Name (exact spelling first, through the call
    // cache), or nullptr.
    TfsProcVariable* FindCallable(const std::string& name);
    TfsProcVariable* FindCallableSlot(const std::string& name);
    void ItemsChanged() { ++FItemsVersion; }
    void IndexItem(TfsCustomVariable* item);
    void RebuildIndex();
    bool KnownInChain(std::string_view name) const { return Find(name) != nullptr; }
    void AddItem(std::unique_ptr<TfsCustomVariable> item);
    void RollBack(const Snapshot& snapshot);
    // RunLineOwner while some run-line handler is bound: the kept answer, found again when
    // the count of changes moved.
    TfsScript* KeptRunLineOwner();

    friend class TfsRunWatchScope;
    // The count starts again, and the watch of this thread, if any, has its turn.
    [[gnu::noinline]] void RunWatchDue();
    // Steps of this script left before the watch's next turn.
    int FRunWatchCountdown = kRunWatchSteps;
    // A run-time error's position waits in NoteRunError's record (one per thread; read
    // without a guard, being constant-initialised).
    static inline thread_local constinit bool sRunErrorPending = false;
    std::unique_ptr<TStringList> FLines;
    std::string FSyntaxType = "PascalScript";
    TfsScript* FParent = nullptr;
    // What RunLineOwner found, and the count of changes it was found at.
    TfsScript* FHookOwner = nullptr;
    uint64_t FHookChanges = ~uint64_t(0);
    static inline std::atomic<uint64_t> sChainChanges{0};
    const void* FAddedBy = nullptr;
    std::vector<std::unique_ptr<TfsCustomVariable>> FItems;
    std::unordered_map<std::string, TfsCustomVariable*, TfsNameHash, TfsNameEqual> FIndex;
    std::unique_ptr<TfsStatement> FProgram;
    // The executable lines per unit (in the order units first appear), each with its lines in
    // the order added and a bit per line number for the look-up; UnitLines is their text,
    // made when asked for.
    struct TUnitCodeLines {
        std::string Unit;
        std::vector<int> Order;
        std::vector<bool> Has;
    };
    std::vector<TUnitCodeLines> FCodeLines;
    TUnitCodeLines* CodeLinesOf(std::string_view unitName, bool create);
    const TUnitCodeLines* CodeLinesOf(std::string_view unitName) const;
    void SetUnitLinesText(const std::string& text);
    std::unique_ptr<TStringList> FUnitLines;
    mutable bool FUnitLinesStale = false;
    std::string FErrorMsg, FErrorPos, FErrorUnit;
    std::string FRunErrorPos, FRunErrorUnit;
    bool FIsRunning = false;
    TfsScript* FProgRunning = nullptr;
    uint8_t FRunFlags = 0;
    int FRunDepth = 0;
    // Evaluate calls in progress: the OnRunLine hook is not called meanwhile.
    int FRunLineSuspended = 0;
    // Host calls by name (CallFunction, the report's expressions and events) remember what
    // a name found, per exact spelling; any change of the item table makes the entries
    // stale (FItemsVersion counts the changes).
    struct TCallCacheEntry {
        std::string Name;
        TfsProcVariable* Proc = nullptr;
        uint64_t Version = 0;
    };
    static constexpr size_t CallCacheSize = 16;
    uint64_t FItemsVersion = 1;
    std::unique_ptr<TCallCacheEntry[]> FCallCache;   // made on the first call by name
    TCallCacheEntry* FLastCall = nullptr;            // the slot of the name asked last
};

// A watch over the scripts that run on this thread while the scope lives (a report's run:
// it lets the windows answer and stops the run's scripts when the run is stopped). Every
// TfsScript::kRunWatchSteps steps of a script (its statements and its loops' passes), Watch
// is called with that script; not again while it runs (its windows' answers may run
// scripts too). A scope made inside another one's life takes over until it ends.
class TfsRunWatchScope {
public:
    using TWatch = std::function<void(TfsScript* Running)>;
    explicit TfsRunWatchScope(TWatch Watch);
    ~TfsRunWatchScope();
    TfsRunWatchScope(const TfsRunWatchScope&) = delete;
    TfsRunWatchScope& operator=(const TfsRunWatchScope&) = delete;
    // Calls the watch of this thread now, with no script (the report engine's own steps
    // through its objects), unless there is none or it is running already.
    static void WatchNow();

private:
    friend class TfsScript;
    static void Call(TfsScript* Running);
    TWatch FWatch;
    TfsRunWatchScope* FOuter;
    bool FInside = false;
};

inline const std::vector<Variant*>& TfsProcVariable::Locals() {
    if (FLocalsBuiltFor != FProg->ItemsVersion()) BuildLocals();
    return FLocals;
}

// The process-wide script holding the standard types, True/False/nil/Null and the system
// functions; created on first request. FreeGlobalUnit frees it at shutdown (after that a
// request creates nothing and returns nullptr).
TfsScript* GlobalUnit();
void FreeGlobalUnit();

// Hooks of the system functions that need the user interface or automation; the layers
// above install them at start-up (tests install their own). Without a handler ShowMessage
// writes the text to standard error and CreateOleObject raises "OLE error 800401F3: <name>".
void SetShowMessageHandler(std::function<void(const std::string& text)> handler);
void SetCreateOleObjectHandler(std::function<Variant(const std::string& progId)> handler);
