// Statements and designators at run time.
#include "script/Statements.h"

#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "script/ClassVariables.h"
#include "script/ProcFrame.h"
#include "script/ProgramBuilder.h"
#include "script/XMLDocument.h"

#include <algorithm>
#include <array>
#include <utility>

#include "script/ValueBuffer.h"

namespace {

// The other locals of a procedure that is already running (Result, its variables), copied
// aside on the C++ stack beside the call that needs them and put back on every way out of
// the inner call. The inner call starts with its caller's values, as it always has.
class SavedLocals {
public:
    static constexpr size_t InlineSlots = 6;
    explicit SavedLocals(TfsProcVariable* proc) : FProc(proc) {
        const auto& locals = proc->Locals();
        const size_t n = locals.size();
        if (n > InlineSlots) [[unlikely]]
            FData = static_cast<Variant*>(::operator new(n * sizeof(Variant)));
        Variant* const* from = locals.data();
        for (size_t i = 0; i < n; ++i) new (&FData[i]) Variant(*from[i]);
        FCount = n;
    }
    ~SavedLocals() {
        // The locals may have grown meanwhile (a late-bound name, which comes last): the saved
        // ones come back by their place in the list, as far as both reach.
        const auto& locals = FProc->Locals();
        Variant* const* to = locals.data();
        const size_t n = std::min(FCount, locals.size());
        Variant* data = FData;
        // Each restored value leaves its slot empty; only the ones not restored are freed.
        for (size_t i = 0; i < n; ++i) *to[i] = std::move(data[i]);
        if (FCount > n) [[unlikely]]
            for (size_t i = n; i < FCount; ++i) data[i].~Variant();
        if (data != reinterpret_cast<Variant*>(FInline)) [[unlikely]]
            ::operator delete(data);
    }
    SavedLocals(const SavedLocals&) = delete;
    SavedLocals& operator=(const SavedLocals&) = delete;

private:
    TfsProcVariable* FProc;
    size_t FCount = 0;
    Variant* FData = reinterpret_cast<Variant*>(FInline);
    alignas(Variant) unsigned char FInline[InlineSlots * sizeof(Variant)];
};

// The parameters of a running procedure exchanged with the argument values of the inner
// call: the caller's values wait in the argument buffer and come back on every way out.
struct SwappedParams {
    TfsParamItem* const* Params;
    Variant* Args;
    size_t Count;
    SwappedParams(TfsParamItem* const* params, Variant* args, size_t count) : Params(params), Args(args), Count(count) {
        for (size_t i = 0; i < count; ++i) params[i]->Value.Swap(args[i]);
    }
    ~SwappedParams() {
        for (size_t i = 0; i < Count; ++i) Params[i]->Value.Swap(Args[i]);
    }
    SwappedParams(const SwappedParams&) = delete;
    SwappedParams& operator=(const SwappedParams&) = delete;
};

[[noreturn]] void IndexOutOfBounds(int index) {
    throw EListError(Format("List index out of bounds (%d)", {index}));
}

// The call, with one argument value per parameter in the caller's buffer. The values move
// into the parameters; when the procedure is running already the caller's parameter values
// wait in the buffer and its other locals are copied aside, both put back on every way out.
// The parameters' values are read for writeBack before that, so var arguments that name the
// caller's own locals receive the inner call's values.
[[gnu::always_inline]] inline Variant CallFrame(TfsProcVariable* proc, Variant* args, std::span<Variant> writeBack) {
    const size_t count = static_cast<size_t>(proc->Count());
    TfsParamItem* const* params = proc->ParamList();
    if (!proc->Executing) {
        for (size_t i = 0; i < count; ++i) params[i]->Value = std::move(args[i]);
        Variant result = fsRunBody(proc);
        for (size_t i = 0, n = std::min(writeBack.size(), count); i < n; ++i) writeBack[i] = params[i]->Value;
        return result;
    }
    SavedLocals locals(proc);
    SwappedParams swapped(params, args, count);
    fsRunBodyOnly<true>(proc);
    for (size_t i = 0, n = std::min(writeBack.size(), count); i < n; ++i) writeBack[i] = params[i]->Value;
    // The caller's Result comes back with its other locals.
    return proc->IsFunc ? std::move(proc->ResultVar()->Value) : Variant::Null();
}

// The same for a procedure of P parameters and L other locals that is running already, the
// counts known here: the argument values, the caller's parameters and its saved locals all
// on the C++ stack, with no loop, count or heap check left. The parameters are exchanged
// whole (two words) with the argument values, so the caller's wait in the argument array;
// its locals wait in a copy; the function's Result is moved out as the call's value without
// a copy. On the way out by an error the same steps put everything back.
//
// Result and the saved locals move field by field, as they were written (an assignment, a
// copy): a read of both words at once of a value just written field by field waits until
// the processor's store buffer has drained (it forwards only a read that one write covers),
// which made these calls some 8 % slower for the same instructions.
template <size_t P, size_t L> struct NestedFrame {
    // Puts the caller's parameters and locals back; the inner call's parameter values are
    // left in args, which frees them, and its locals are released as the saved ones move
    // in. Locals rebuilt during the call (a late-bound name) take the saved values by their
    // place in the new list, as far as both reach.
    [[gnu::always_inline]] static void Restore(TfsProcVariable* proc, std::array<Variant, P>& args,
                                               Variant* const* locals, uint64_t build, std::array<Variant, L>& saved) {
        TfsParamItem* const* params = proc->ParamList();
        for (size_t i = 0; i < P; ++i) params[i]->Value.Swap(args[i]);
        if (proc->LocalsBuild() == build) [[likely]] {
            for (size_t i = 0; i < L; ++i) *locals[i] = std::move(saved[i]);
            return;
        }
        RestoreRebuilt(proc, saved);
    }
    [[gnu::noinline, gnu::cold]] static void RestoreRebuilt(TfsProcVariable* proc, std::array<Variant, L>& saved) {
        const auto& now = proc->Locals();
        for (size_t i = 0, n = std::min(L, now.size()); i < n; ++i) now[i]->Swap(saved[i]);
    }
    [[gnu::always_inline]] static Variant Call(TfsProcVariable* proc, std::array<Variant, P>& args, Variant* const* locals) {
        const uint64_t build = proc->LocalsBuild();
        // The inner call starts with the caller's locals and Result.
        std::array<Variant, L> saved = [&]<size_t... I>(std::index_sequence<I...>) {
            return std::array<Variant, L>{{Variant(*locals[I])...}};
        }(std::make_index_sequence<L>());
        {
            TfsParamItem* const* params = proc->ParamList();
            for (size_t i = 0; i < P; ++i) params[i]->Value.Swap(args[i]);
        }
        try {
            fsRunBodyOnly<true>(proc);
        } catch (...) {
            Restore(proc, args, locals, build, saved);
            throw;
        }
        // The function's value leaves Result empty; the caller's Result comes back with its
        // other locals.
        Variant result = proc->IsFunc ? std::move(proc->ResultVar()->Value) : Variant::Null();
        Restore(proc, args, locals, build, saved);
        return result;
    }
};

// CallFrame for argument values that are not one per parameter in a buffer of the caller's:
// copied (or moved, Take) into one, the missing ones from the parameters' defaults, extra
// ones left out.
template <bool Take, class Value>
[[gnu::noinline]] Variant CallCopying(TfsProcVariable* proc, Value* args, size_t given, std::span<Variant> writeBack) {
    const size_t count = static_cast<size_t>(proc->Count());
    TfsValueBuffer values(count);
    for (size_t i = 0; i < count; ++i) {
        if (i >= given) values.Add(proc->Params(static_cast<int>(i))->DefValue);
        else if constexpr (Take) values.AddFrom([&] { return std::move(args[i]); });
        else values.Add(args[i]);
    }
    return CallFrame(proc, values.Data(), writeBack);
}

}  // namespace

Variant TfsProcVariable::GetValue() { return fsRunBody(this); }

void fsStackOverflow() { throw EScriptError("Stack overflow"); }

Variant fsCallProc(TfsProcVariable* proc, std::span<const Variant> args, std::span<Variant> writeBack) {
    return CallCopying<false>(proc, args.data(), args.size(), writeBack);
}

Variant fsCallProc(TfsProcVariable* proc, TfsValueBuffer& args, std::span<Variant> writeBack) {
    if (args.Count() != static_cast<size_t>(proc->Count())) return CallCopying<true>(proc, args.Data(), args.Count(), writeBack);
    return CallFrame(proc, args.Data(), writeBack);
}

// --- Designators ---------------------------------------------------------------------------

TfsLateSource::~TfsLateSource() = default;

TfsDesignator::TfsDesignator(TfsScript* prog) : TfsDesignator(prog, dkGeneral) {}

TfsDesignator::TfsDesignator(TfsScript* prog, TKind kind)
    : TfsCustomVariable(std::string(), tcVariant, std::string(), TfsItemKind::Designator),
      FDesignatorKind(kind), FProg(prog) {}

TfsDesignator::~TfsDesignator() = default;

void TfsDesignator::Finish() {
    TfsCustomVariable* last = LastRef();
    if (!last) return;
    Typ = last->Typ;
    TypeName = last->TypeName;
    IsReadOnly = last->IsReadOnly;
    if (Typ == tcConstructor && FElements.size() >= 2) {
        Typ = tcClass;
        TypeName = FElements[FElements.size() - 2].Ref->TypeName;
    }
}

void TfsDesignator::Bind() {
    if (!FLate) return;
    std::unique_ptr<TfsLateSource> late = std::move(FLate);
    TfsProgramBuilder::BindLate(*this, *late);
    Finish();
}

Variant TfsDesignator::Run(const Variant* written) {
    if (FLate) Bind();
    Variant value = Variant::Null();
    TfsCustomVariable* previous = nullptr;
    const size_t n = FElements.size();
    for (size_t i = 0; i < n; ++i) {
        TfsDesignatorItem& e = FElements[i];
        TfsCustomVariable* ref = e.Ref;
        const bool last = i + 1 == n;
        if (ref->Kind() == TfsItemKind::Designator) {
            previous = ref;
            if (written && last) {
                ref->SetValue(*written);
                return Variant();
            }
            value = ref->GetValue();
            continue;
        }
        const size_t argc = e.Args.size();
        if (ref->Kind() == TfsItemKind::Proc) {
            auto* proc = static_cast<TfsProcVariable*>(ref);
            TfsValueBuffer args(argc);
            for (size_t k = 0; k < argc; ++k) args.AddFrom([&] { return e.Args[k]->Evaluate(); });
            TfsValueBuffer back(argc);
            back.Fill();
            value = fsCallProc(proc, args, back.Span());
            for (size_t k = 0; k < argc; ++k)
                if (proc->Params(static_cast<int>(k))->IsVarParam) e.Args[k]->SetValue(back[k]);
            previous = ref;
            continue;
        }
        // Arguments first, all of them, then into the parameters: arguments that read the
        // same parameters see the old values.
        if (argc > 0) {
            TfsValueBuffer args(argc);
            for (size_t k = 0; k < argc; ++k) args.AddFrom([&] { return e.Args[k]->Evaluate(); });
            for (size_t k = 0; k < argc && k < static_cast<size_t>(ref->Count()); ++k)
                ref->Params(static_cast<int>(k))->Value = std::move(args[k]);
        }
        if (ref->Kind() == TfsItemKind::Helper) {
            auto* helper = static_cast<TfsCustomHelper*>(ref);
            helper->ParentRef = previous;
            helper->ParentValue = value;
            helper->Prog = FProg;
        }
        previous = ref;
        if (written && last) {
            ref->SetValue(*written);
            return Variant();
        }
        ref->NeedResult = !last || NeedResult;
        value = ref->GetValue();
        for (size_t k = 0; k < argc && k < static_cast<size_t>(ref->Count()); ++k)
            if (ref->Params(static_cast<int>(k))->IsVarParam) e.Args[k]->SetValue(ref->Params(static_cast<int>(k))->Value);
    }
    return value;
}

Variant TfsDesignator::GetValue() { return Run(nullptr); }

void TfsDesignator::SetValue(const Variant& value) { Run(&value); }

TfsVariableDesignator::TfsVariableDesignator(TfsScript* prog, TfsCustomVariable* variable)
    : TfsDesignator(prog, dkVariable), FVariable(variable) {
    FElements.emplace_back();
    FElements.back().Ref = variable;
    Finish();
}

TfsStringDesignator::TfsStringDesignator(TfsScript* prog, TfsCustomVariable* variable,
                                         std::unique_ptr<TfsExpression> index)
    : TfsDesignator(prog, dkString), FVariable(variable), FIndex(std::move(index)) {
    Typ = tcChar;
    IsReadOnly = variable->IsReadOnly;
}

Variant TfsStringDesignator::GetValue() {
    const Variant v = FVariable->Value;
    const std::string text = v.IsString() ? v.StrValue() : VarToStr(v);
    const int index = FIndex->Evaluate().AsInteger();
    if (index < 1 || index > Length(text)) IndexOutOfBounds(index);
    return Variant(Copy(text, index, 1));
}

void TfsStringDesignator::SetValue(const Variant& value) {
    if (FVariable->IsReadOnly) return;
    std::string text = VarToStr(FVariable->Value);
    const int index = FIndex->Evaluate().AsInteger();
    if (index < 1 || index > Length(text)) IndexOutOfBounds(index);
    const std::string c = Copy(VarToStr(value), 1, 1);
    if (c.empty()) return;
    const size_t from = CharIndexToByte(text, index);
    const size_t to = CharIndexToByte(text, index + 1);
    text.replace(from, to - from, c);
    FVariable->SetValue(Variant(std::move(text)));
}

TfsArrayDesignator::TfsArrayDesignator(TfsScript* prog, TfsCustomVariable* variable,
                                       std::vector<std::unique_ptr<TfsExpression>> indices)
    : TfsDesignator(prog, dkArray), FVariable(variable), FIndices(std::move(indices)) {
    Typ = tcVariant;
    IsReadOnly = variable->IsReadOnly;
}

namespace {
// The index values of an element access.
class IndexBuffer {
public:
    explicit IndexBuffer(const std::vector<std::unique_ptr<TfsExpression>>& exprs) : FCount(exprs.size()) {
        if (FCount > FInline.size()) FHeap.resize(FCount);
        int32_t* out = FCount > FInline.size() ? FHeap.data() : FInline.data();
        for (size_t i = 0; i < FCount; ++i) out[i] = exprs[i]->Evaluate().AsInteger();
    }
    std::span<const int32_t> Span() const {
        return {FCount > FInline.size() ? FHeap.data() : FInline.data(), FCount};
    }

private:
    size_t FCount;
    std::array<int32_t, 8> FInline{};
    std::vector<int32_t> FHeap;
};
}  // namespace

Variant TfsArrayDesignator::GetValue() {
    const IndexBuffer indices(FIndices);
    return FVariable->Value.GetElement(indices.Span());
}

void TfsArrayDesignator::SetValue(const Variant& value) {
    if (FVariable->IsReadOnly) return;
    const IndexBuffer indices(FIndices);
    FVariable->Value.PutElement(indices.Span(), value);
}

TfsProcCallDesignator::TfsProcCallDesignator(TfsScript* prog, TfsProcVariable* proc,
                                             std::vector<std::unique_ptr<TfsExpression>> args)
    : TfsDesignator(prog, dkGeneral), FProc(proc), FArgs(std::move(args)) {
    FElements.emplace_back();
    FElements.back().Ref = proc;
    Finish();
}

// The largest counts of parameters and other locals that have a frame of their own.
constexpr size_t kShapedParams = 3;
constexpr size_t kShapedLocals = 3;

template <size_t P> TfsProcCallDesignator::TCall TfsProcCallDesignator::ShapedFor(size_t locals) {
    switch (locals) {
    case 0: return &CallShaped<P, 0>;
    case 1: return &CallShaped<P, 1>;
    case 2: return &CallShaped<P, 2>;
    case 3: return &CallShaped<P, 3>;
    default: return &CallPlain;
    }
}
static_assert(kShapedLocals == 3, "ShapedFor names every count up to kShapedLocals");

Variant TfsProcCallDesignator::FirstCall(TfsProcCallDesignator* d) {
    const size_t n = d->FArgs.size();
    const size_t count = static_cast<size_t>(d->FProc->Count());
    bool anyVar = n != count;
    for (size_t i = 0; i < n && i < count; ++i)
        if (d->FProc->Params(static_cast<int>(i))->IsVarParam) anyVar = true;
    const size_t locals = d->FProc->Locals().size();
    if (anyVar) d->FCall = &CallPassingVars;
    else if (n == 0) d->FCall = ShapedFor<0>(locals);
    else if (n == 1) d->FCall = ShapedFor<1>(locals);
    else if (n == 2) d->FCall = ShapedFor<2>(locals);
    else if (n == 3) d->FCall = ShapedFor<3>(locals);
    else d->FCall = &CallPlain;
    static_assert(kShapedParams == 3, "FirstCall names every count up to kShapedParams");
    return d->FCall(d);
}

template <size_t P, size_t L> Variant TfsProcCallDesignator::CallShaped(TfsProcCallDesignator* d) {
    TfsProcVariable* proc = d->FProc;
    std::array<Variant, P> args = [&]<size_t... I>(std::index_sequence<I...>) {
        return std::array<Variant, P>{{d->FArgs[I]->Evaluate()...}};
    }(std::make_index_sequence<P>());
    const auto& locals = proc->Locals();
    if (locals.size() != L) [[unlikely]] {
        // Locals were added since (a late-bound name): the frame of the new count from now on.
        d->FCall = ShapedFor<P>(locals.size());
        return CallFrame(proc, args.data(), {});
    }
    if (!proc->Executing) {
        TfsParamItem* const* params = proc->ParamList();
        for (size_t i = 0; i < P; ++i) params[i]->Value = std::move(args[i]);
        return fsRunBody(proc);
    }
    return NestedFrame<P, L>::Call(proc, args, locals.data());
}

Variant TfsProcCallDesignator::CallPlain(TfsProcCallDesignator* d) {
    const size_t n = d->FArgs.size();
    TfsValueBuffer args(n);
    for (size_t i = 0; i < n; ++i) args.AddFrom([&] { return d->FArgs[i]->Evaluate(); });
    return CallFrame(d->FProc, args.Data(), {});
}

Variant TfsProcCallDesignator::CallPassingVars(TfsProcCallDesignator* d) {
    const size_t n = d->FArgs.size();
    TfsValueBuffer args(n);
    for (size_t i = 0; i < n; ++i) args.AddFrom([&] { return d->FArgs[i]->Evaluate(); });
    TfsValueBuffer back(n);
    back.Fill();
    Variant result = fsCallProc(d->FProc, args, back.Span());
    for (size_t i = 0, count = static_cast<size_t>(d->FProc->Count()); i < n && i < count; ++i)
        if (d->FProc->Params(static_cast<int>(i))->IsVarParam) d->FArgs[i]->SetValue(back[i]);
    return result;
}

TfsHostCallDesignator::TfsHostCallDesignator(TfsScript* prog, TfsMethodHelper* method,
                                             std::vector<std::unique_ptr<TfsExpression>> args)
    : TfsDesignator(prog, dkGeneral), FMethod(method), FArgs(std::move(args)) {
    FElements.emplace_back();
    FElements.back().Ref = method;
    Finish();
}

// TfsHostCallDesignator::GetValue is in Expressions.cpp, beside the node that calls it.

void TfsHostCallDesignator::SetValue(const Variant& value) {
    const size_t n = FArgs.size();
    TfsValueBuffer values(n);
    for (size_t i = 0; i < n; ++i) values.AddFrom([&] { return FArgs[i]->Evaluate(); });
    for (size_t i = 0; i < n && i < static_cast<size_t>(FMethod->Count()); ++i)
        FMethod->Params(static_cast<int>(i))->Value = std::move(values[i]);
    FMethod->SetValue(value);
}

// --- Statements ----------------------------------------------------------------------------

TfsStatement::TfsStatement(TfsScript* prog, std::string unitName, std::string sourcePos)
    : Prog(prog), UnitName(std::move(unitName)), SourcePos(std::move(sourcePos)) {}

TfsStatement::~TfsStatement() = default;

void TfsStatement::Truncate(int count) {
    FSum = nullptr;
    if (count < 0) count = 0;
    while (static_cast<int>(FItems.size()) > count) FItems.pop_back();
}

void TfsStatement::RunLineHooked() {
    if (Prog->RunLineOwner()) Prog->RunLine(UnitName, SourcePos);
}

void TfsStatement::FindSum() {
    FSum = FItems.size() == 1 ? dynamic_cast<TfsAssignPlusStmt*>(FItems.front().get()) : nullptr;
    if (FSum && !(FSum->PlainTarget() && FSum->DirectSource())) FSum = nullptr;
}

void TfsStatement::ExecuteBlock() {
    TfsScript* prog = Prog;
    for (const auto& s : FItems) {
        if (prog->RunFlags() & TfsScript::rfTerminated) return;
        try {
            s->Execute();
        } catch (...) {
            TfsScript::NoteRunError(s.get());
            throw;
        }
        if (prog->RunFlags() & (TfsScript::rfBreak | TfsScript::rfContinue | TfsScript::rfExit)) return;
    }
}

void TfsAssignmentStmt::SetTarget(std::unique_ptr<TfsDesignator> designator, std::unique_ptr<TfsExpression> expression) {
    FDesignator = std::move(designator);
    FExpression = std::move(expression);
    FDirect = FExpression->Root()->Direct;
    FVariable = nullptr;
    if (FDesignator->DesignatorKind() == TfsDesignator::dkVariable) {
        TfsCustomVariable* v = static_cast<TfsVariableDesignator*>(FDesignator.get())->Variable();
        if ((v->Kind() == TfsItemKind::Variable || v->Kind() == TfsItemKind::Param) && !v->IsReadOnly) FVariable = v;
        if (v->Kind() == TfsItemKind::StringVariable && !v->IsReadOnly) FStringVariable = v;
    }
}

void TfsAssignmentStmt::Execute() {
    RunLine();
    if (Prog->Terminated()) return;
    if (FVariable) {
        // x := y and x := 0 copy the value where it is.
        if (const Variant* d = FDirect) FVariable->Value = *d;
        else FVariable->Value = FExpression->Evaluate();
        return;
    }
    AssignDesignator();
}

void TfsAssignmentStmt::AssignDesignator() { FDesignator->SetValue(FExpression->Evaluate()); }

void TfsReturnStmt::Execute() {
    TfsAssignmentStmt::Execute();
    Prog->SetFlag(TfsScript::rfExit, true);
}

namespace {
// The compound assignments: target first, then the right side, then the combination.
template <class Combine>
void CompoundAssign(TfsScript* prog, TfsCustomVariable* variable, TfsDesignator* designator, TfsExpression* expr,
                    Combine combine) {
    if (prog->Terminated()) return;
    if (variable) {
        const Variant current = variable->Value;
        const Variant e = expr->Evaluate();
        variable->Value = combine(current, e);
        return;
    }
    const Variant current = designator->GetValue();
    const Variant e = expr->Evaluate();
    designator->SetValue(combine(current, e));
}
}  // namespace

// s := s + t appends in place when nothing else shares the old text, so building a long
// text is linear instead of quadratic.
void TfsAssignPlusStmt::Execute() {
    RunLine();
    // The integer sum in place (the loop's s := s + i) first, in a frame of its own; the rest
    // of the cases in Combine.
    if (!Prog->Terminated() && SumInPlace()) return;
    Combine();
}

void TfsAssignPlusStmt::Combine() {
    TfsCustomVariable* v = FVariable ? FVariable : FStringVariable;
    if (!v || Prog->Terminated()) {
        CompoundAssign(Prog, FVariable, FDesignator.get(), FExpression.get(), fsAdd);
        return;
    }
    if (v == FVariable && v->Value.IsInteger()) {
        // Integer sums (the loop counters' s := s + i) stay in place; a variable or constant
        // on the right is read where it is.
        int64_t r;
        if (const Variant* d = FExpression->Root()->Direct;
            d && d->IsInteger() && !__builtin_add_overflow(v->Value.IntValue(), d->IntValue(), &r)) {
            v->Value.SetInt(r);
            return;
        }
        const Variant current = v->Value;
        const Variant e = FExpression->Evaluate();
        if (e.IsInteger() && !__builtin_add_overflow(current.IntValue(), e.IntValue(), &r)) v->Value.SetInt(r);
        else v->Value = fsAdd(current, e);
        return;
    }
    Variant current = v->Value;
    const Variant e = FExpression->Evaluate();
    if (current.IsString() && e.IsString() && v->Value.IsString() && &v->Value.StrValue() == &current.StrValue()) {
        v->Value.Clear();
        if (current.AppendUnshared(e.StrValue())) {
            v->Value = std::move(current);
            return;
        }
    }
    if (v == FVariable) v->Value = fsAdd(current, e);
    else v->SetValue(fsAdd(current, e));
}

void TfsAssignMinusStmt::Execute() {
    RunLine();
    CompoundAssign(Prog, FVariable, FDesignator.get(), FExpression.get(), fsSub);
}

void TfsAssignMulStmt::Execute() {
    RunLine();
    CompoundAssign(Prog, FVariable, FDesignator.get(), FExpression.get(), fsMul);
}

void TfsAssignDivStmt::Execute() {
    RunLine();
    CompoundAssign(Prog, FVariable, FDesignator.get(), FExpression.get(),
                   [](const Variant& a, const Variant& b) { return VarDivide(a, b); });
}

void TfsCallStmt::Execute() {
    RunLine();
    if (Prog->Terminated()) return;
    if (Modificator.empty()) {
        Designator->NeedResult = false;
        Designator->GetValue();
        return;
    }
    Modify();
}

void TfsCallStmt::Modify() {
    const Variant v = Designator->GetValue();
    Designator->SetValue(Modificator == "+" ? fsAdd(v, Variant(1)) : fsSub(v, Variant(1)));
}

namespace {
const Variant kOne(1);
}  // namespace

void TfsIncrementStmt::Execute() {
    RunLine();
    if (Prog->Terminated()) return;
    if (!fsCountInPlace(Variable->Value, kOne, Down)) Modify();
}

TfsIfStmt::TfsIfStmt(TfsScript* prog, std::string unitName, std::string sourcePos)
    : TfsStatement(prog, unitName, sourcePos), ElseStmt(std::make_unique<TfsStatement>(prog, unitName, sourcePos)) {}

void TfsIfStmt::Execute() {
    RunLine();
    if (Prog->Terminated()) return;
    if (Condition->Test()) RunItems();
    else ElseStmt->RunBlock();
}

TfsCaseStmt::TfsCaseStmt(TfsScript* prog, std::string unitName, std::string sourcePos)
    : TfsStatement(prog, unitName, sourcePos), ElseStmt(std::make_unique<TfsStatement>(prog, unitName, sourcePos)) {}

void TfsCaseStmt::Execute() {
    const Variant value = Condition->Evaluate();
    RunLine();
    if (Prog->Terminated()) return;
    for (const auto& item : FItems) {
        auto* selector = static_cast<TfsCaseSelector*>(item.get());
        if (selector->Check(value)) {
            try {
                selector->RunBranch();
            } catch (...) {
                TfsScript::NoteRunError(selector);
                throw;
            }
            return;
        }
    }
    ElseStmt->Execute();
}

namespace {
constexpr uint8_t kLeaveLoop = TfsScript::rfBreak | TfsScript::rfExit;
inline void ClearFlag(TfsScript* prog, uint8_t flag) { prog->SetRunFlags(uint8_t(prog->RunFlags() & ~flag)); }
}  // namespace

void TfsRepeatStmt::Execute() {
    RunLine();
    if (Prog->Terminated()) return;
    for (;;) {
        Prog->RunWatchStep();
        RunItems();
        if (Prog->RunFlags() & kLeaveLoop) break;
        ClearFlag(Prog, TfsScript::rfContinue);
        const bool c = Condition->Test();
        if (c == !InverseCondition) break;
    }
    ClearFlag(Prog, TfsScript::rfBreak);
}

void TfsWhileStmt::Execute() {
    RunLine();
    if (Prog->Terminated()) return;
    for (;;) {
        Prog->RunWatchStep();
        if (!Condition->Test()) break;
        RunItems();
        if (Prog->RunFlags() & kLeaveLoop) break;
        ClearFlag(Prog, TfsScript::rfContinue);
    }
    ClearFlag(Prog, TfsScript::rfBreak);
}

void TfsForStmt::Execute() {
    const int64_t first = BeginValue->Evaluate().AsInt64();
    const int64_t last = EndValue->Evaluate().AsInt64();
    RunLine();
    if (Prog->Terminated()) return;
    TfsCustomVariable* v = Variable;
    if (!Down && last >= first) {
        for (int64_t i = first;; ++i) {
            Prog->RunWatchStep();
            v->Value.SetInt(i);
            RunLoopBody();
            if (Prog->RunFlags() & kLeaveLoop) break;
            ClearFlag(Prog, TfsScript::rfContinue);
            if (i == last) break;
        }
    } else if (Down && last <= first) {
        for (int64_t i = first;; --i) {
            Prog->RunWatchStep();
            v->Value.SetInt(i);
            RunLoopBody();
            if (Prog->RunFlags() & kLeaveLoop) break;
            ClearFlag(Prog, TfsScript::rfContinue);
            if (i == last) break;
        }
    }
    ClearFlag(Prog, TfsScript::rfBreak);
}

void TfsVbForStmt::Execute() {
    const Variant first = BeginValue->Evaluate();
    const Variant last = EndValue->Evaluate();
    const Variant step = Step ? Step->Evaluate() : Variant(1);
    const bool down = VarCompare(step, Variant(0)) == -1;
    RunLine();
    if (Prog->Terminated()) return;
    Variant i = first;
    for (;;) {
        Prog->RunWatchStep();
        const int c = VarCompare(i, last);
        if (down ? !(c == 1 || c == 0) : !(c == -1 || c == 0)) break;
        Variable->Value = i;
        RunItems();
        if (Prog->RunFlags() & kLeaveLoop) break;
        ClearFlag(Prog, TfsScript::rfContinue);
        i = fsAdd(i, step);
    }
    ClearFlag(Prog, TfsScript::rfBreak);
}

TfsCppForStmt::TfsCppForStmt(TfsScript* prog, std::string unitName, std::string sourcePos)
    : TfsStatement(prog, unitName, sourcePos),
      FirstStmt(std::make_unique<TfsStatement>(prog, unitName, sourcePos)),
      SecondStmt(std::make_unique<TfsStatement>(prog, unitName, sourcePos)) {}

void TfsCppForStmt::FindCounter() {
    FindSum();
    FCounter = nullptr;
    FRun = nullptr;
    if (SecondStmt->Count() != 1) return;
    TfsStatement* step = SecondStmt->Items(0);
    if (auto* inc = dynamic_cast<TfsIncrementStmt*>(step)) {
        FCounter = inc->Variable;
        FAmount = &kOne;
        FDown = inc->Down;
    } else if (auto* assign = dynamic_cast<TfsAssignmentStmt*>(step)) {
        const bool plus = dynamic_cast<TfsAssignPlusStmt*>(step) != nullptr;
        if (!assign->PlainTarget() || !assign->DirectSource() || !(plus || dynamic_cast<TfsAssignMinusStmt*>(step))) return;
        FCounter = assign->PlainTarget();
        FAmount = assign->DirectSource();
        FDown = !plus;
    } else {
        return;
    }
    TfsOpCode op;
    if (!Expression || !Expression->DirectComparison(op, FLeft, FRight)) return;
    const bool constantStep = FAmount == &kOne || static_cast<TfsAssignmentStmt*>(step)->Expression()->IsConstant();
    FQuick = FSum && FSum->PlainTarget() != FCounter && FLeft == &FCounter->Value && constantStep &&
             FAmount->IsInteger() && FAmount->IntValue() != INT64_MIN;
    FStep = FQuick ? (FDown ? -FAmount->IntValue() : FAmount->IntValue()) : 0;
    switch (op) {
    case opGreat: FRun = &TfsCppForStmt::RunCounting<opGreat>; break;
    case opLess: FRun = &TfsCppForStmt::RunCounting<opLess>; break;
    case opLessEq: FRun = &TfsCppForStmt::RunCounting<opLessEq>; break;
    case opGreatEq: FRun = &TfsCppForStmt::RunCounting<opGreatEq>; break;
    case opNonEq: FRun = &TfsCppForStmt::RunCounting<opNonEq>; break;
    default: FRun = &TfsCppForStmt::RunCounting<opEq>; break;
    }
}

// The counted step is the step statement's own work (its run-line hook, its termination
// check and its integer sum) done in place; false when that is not all it would do.
inline bool TfsCppForStmt::CountStep() {
    return !Prog->Terminated() && !Prog->RunLineOwner() && fsCountInPlace(FCounter->Value, *FAmount, FDown);
}

template <TfsOpCode OP> void TfsCppForStmt::RunCounting() {
    const Variant& a = *FLeft;
    const Variant& b = *FRight;
    for (;;) {
        Prog->RunWatchStep();
        const bool integers = a.IsInteger() && b.IsInteger();
        if (integers) {
            const int64_t x = a.IntValue(), y = b.IntValue();
            bool go;
            if constexpr (OP == opGreat) go = x > y;
            else if constexpr (OP == opLess) go = x < y;
            else if constexpr (OP == opLessEq) go = x <= y;
            else if constexpr (OP == opGreatEq) go = x >= y;
            else if constexpr (OP == opNonEq) go = x != y;
            else go = x == y;
            if (!go) break;
        } else if (!Expression->Test()) {
            break;
        }
        if (integers && FQuick && !(Prog->RunFlags() & TfsScript::rfTerminated) && !Prog->RunLineOwner() &&
            FSum->SumInPlace()) {
            int64_t r;
            if (!__builtin_add_overflow(a.IntValue(), FStep, &r)) {
                FCounter->Value.ReplaceInt(r);
                continue;
            }
            SecondStmt->Execute();
            if (Prog->Terminated()) break;
            continue;
        }
        RunLoopBody();
        const uint8_t flags = Prog->RunFlags();
        if (flags & kLeaveLoop) break;
        if (flags & TfsScript::rfContinue) ClearFlag(Prog, TfsScript::rfContinue);
        if (CountStep()) continue;
        SecondStmt->Execute();
        if (Prog->Terminated()) break;
    }
}

void TfsCppForStmt::Execute() {
    RunLine();
    if (Prog->Terminated()) return;
    FirstStmt->Execute();
    if (Prog->Terminated()) return;
    if (FRun) {
        (this->*FRun)();
    } else {
        for (;;) {
            Prog->RunWatchStep();
            if (Expression && !Expression->Test()) break;
            RunLoopBody();
            if (Prog->RunFlags() & kLeaveLoop) break;
            ClearFlag(Prog, TfsScript::rfContinue);
            if (FCounter && CountStep()) continue;
            SecondStmt->Execute();
            if (Prog->Terminated()) break;
        }
    }
    ClearFlag(Prog, TfsScript::rfBreak);
}

TfsTryStmt::TfsTryStmt(TfsScript* prog, std::string unitName, std::string sourcePos)
    : TfsStatement(prog, unitName, sourcePos), ExceptStmt(std::make_unique<TfsStatement>(prog, unitName, sourcePos)) {}

void TfsTryStmt::Execute() {
    RunLine();
    if (Prog->Terminated()) return;
    if (IsExcept) {
        bool failed = false;
        try {
            ExecuteBlock();
        } catch (...) {
            failed = true;
        }
        if (failed) {
            TfsScript::ClearRunError();
            ExceptStmt->Execute();
        }
        return;
    }
    std::exception_ptr error;
    try {
        ExecuteBlock();
    } catch (...) {
        error = std::current_exception();
    }
    // The finally block runs whole whatever left the body: break, continue and exit wait
    // until it is done.
    constexpr uint8_t kHeld = TfsScript::rfBreak | TfsScript::rfContinue | TfsScript::rfExit;
    const uint8_t held = Prog->RunFlags() & kHeld;
    ClearFlag(Prog, kHeld);
    ExceptStmt->Execute();
    Prog->SetRunFlags(uint8_t((Prog->RunFlags() & ~kHeld) | held));
    if (error) std::rethrow_exception(error);
}

void TfsWithStmt::Execute() {
    ExecuteBlock();
    Variable->SetValue(Designator->GetValue());
}
