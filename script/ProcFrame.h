// Running the body of a script procedure: shared by the calls from statements and
// expressions (Statements.cpp) and the calls by name from the host (Script.cpp), so each runs
// the body in its own frame.
#pragma once

#include "platform/rtl/StackGuard.h"
#include "script/Script.h"
#include "script/Statements.h"

// The flags a call of a procedure starts and ends with: a call under a terminated script
// stays terminated, so Terminate also stops the callers of the running procedure.
inline uint8_t fsInheritedFlags(const TfsScript* prog) {
    const TfsScript* parent = prog->Parent();
    return parent && parent->Terminated() ? uint8_t(TfsScript::rfTerminated | TfsScript::rfExit) : uint8_t(0);
}

// Raises "Stack overflow" (out of line: the calls' frames stay small).
[[noreturn, gnu::noinline, gnu::cold]] void fsStackOverflow();

// The body's run while a run-line handler waits (fsRunBodyOnly): the hook owner's
// ProgRunning is the running procedure's program meanwhile, so the debugger's Evaluate
// sees its names; put back on every way out with the rest.
template <bool Nested> [[gnu::noinline]] void fsRunBodyHooked(TfsProcVariable* proc, TfsScript* owner) {
    TfsScript* prog = proc->Prog();
    struct Restore {
        TfsProcVariable* Proc;
        TfsScript* Prog;
        TfsScript* Owner;
        TfsScript* OldRunning;
        bool WasExecuting;
        bool WasRunning;
        ~Restore() {
            Prog->SetRunFlags(fsInheritedFlags(Prog));
            if constexpr (!Nested) Prog->SetIsRunning(WasRunning);
            Owner->SetProgRunning(OldRunning);
            if constexpr (!Nested) Proc->Executing = WasExecuting;
        }
    } restore{proc, prog, owner, owner->ProgRunning(), Nested || proc->Executing, Nested || prog->IsRunning()};
    owner->SetProgRunning(prog);
    if constexpr (!Nested) {
        proc->Executing = true;
        prog->SetIsRunning(true);
    }
    prog->SetRunFlags(fsInheritedFlags(prog));
    prog->Program()->RunBlock();
}

// Runs the body of proc with the parameter values the caller stored. Every piece of state it
// changes (Executing, the local flags and IsRunning; the hook owner's ProgRunning when a
// handler waits) is put back on every way out. Nested: proc is running already (a recursive
// call), so Executing and the local program's IsRunning are true and stay so; only the flags
// change. The caller reads the result (fsResultOf). Inline in every call's frame, with the
// state in registers rather than in a guard object: it is the larger part of what a call
// does.
template <bool Nested = false> [[gnu::always_inline]] inline void fsRunBodyOnly(TfsProcVariable* proc) {
    if (StackNearlyFull()) [[unlikely]]
        fsStackOverflow();
    TfsScript* prog = proc->Prog();
    if (TfsScript* owner = prog->RunLineOwner()) [[unlikely]] {
        fsRunBodyHooked<Nested>(proc, owner);
        return;
    }
    const bool wasExecuting = Nested || proc->Executing;
    const bool wasRunning = Nested || prog->IsRunning();
    if constexpr (!Nested) {
        proc->Executing = true;
        prog->SetIsRunning(true);
    }
    prog->SetRunFlags(fsInheritedFlags(prog));
    try {
        prog->Program()->RunBlock();
    } catch (...) {
        prog->SetRunFlags(fsInheritedFlags(prog));
        if constexpr (!Nested) {
            prog->SetIsRunning(wasRunning);
            proc->Executing = wasExecuting;
        }
        throw;
    }
    prog->SetRunFlags(fsInheritedFlags(prog));
    if constexpr (!Nested) {
        prog->SetIsRunning(wasRunning);
        proc->Executing = wasExecuting;
    }
}

// A function's Result after its body ran (Null for a procedure).
inline Variant fsResultOf(TfsProcVariable* proc) { return proc->IsFunc ? proc->ResultVar()->Value : Variant::Null(); }

inline Variant fsRunBody(TfsProcVariable* proc) {
    fsRunBodyOnly(proc);
    return fsResultOf(proc);
}
