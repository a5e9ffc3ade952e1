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

// Runs the body of proc with the parameter values the caller stored. Every piece of state it
// changes (Executing, the hook owner's ProgRunning, the local flags and IsRunning) is put
// back on every way out. Nested: proc is running already (a recursive call), so Executing
// and the local program's IsRunning are true and stay so; only the flags and the hook
// owner's ProgRunning change. The caller reads the result (fsResultOf).
template <bool Nested = false> inline void fsRunBodyOnly(TfsProcVariable* proc) {
    if (StackNearlyFull()) [[unlikely]]
        fsStackOverflow();
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
            if (Owner) [[unlikely]]
                Owner->SetProgRunning(OldRunning);
            if constexpr (!Nested) Proc->Executing = WasExecuting;
        }
    } restore{proc, prog, prog->RunLineOwner(), nullptr, Nested || proc->Executing, Nested || prog->IsRunning()};
    if (restore.Owner) [[unlikely]] {
        restore.OldRunning = restore.Owner->ProgRunning();
        restore.Owner->SetProgRunning(prog);
    }
    if constexpr (!Nested) {
        proc->Executing = true;
        prog->SetIsRunning(true);
    }
    prog->SetRunFlags(fsInheritedFlags(prog));
    prog->Program()->RunBlock();
}

// A function's Result after its body ran (Null for a procedure).
inline Variant fsResultOf(TfsProcVariable* proc) { return proc->IsFunc ? proc->ResultVar()->Value : Variant::Null(); }

inline Variant fsRunBody(TfsProcVariable* proc) {
    fsRunBodyOnly(proc);
    return fsResultOf(proc);
}
