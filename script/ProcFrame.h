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
// back on every way out.
inline Variant fsRunBody(TfsProcVariable* proc) {
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
            Prog->SetIsRunning(WasRunning);
            if (Owner) Owner->SetProgRunning(OldRunning);
            Proc->Executing = WasExecuting;
        }
    } restore{proc, prog, prog->RunLineOwner(), nullptr, proc->Executing, prog->IsRunning()};
    if (restore.Owner) {
        restore.OldRunning = restore.Owner->ProgRunning();
        restore.Owner->SetProgRunning(prog);
    }
    proc->Executing = true;
    prog->SetRunFlags(fsInheritedFlags(prog));
    prog->SetIsRunning(true);
    prog->Program()->RunBlock();
    return proc->IsFunc ? proc->ResultVar()->Value : Variant::Null();
}
