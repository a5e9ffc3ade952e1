// Statements and designators: what a compiled script runs.
//
// A statement is also a block: its own children run in order. Control flow is driven by the
// run flags of the script that owns the statement (Break, Continue, Exit, Terminated); only
// try uses exceptions. Before most statements run, the run-line hook tells the host where
// execution stands.
//
// A designator is a compiled name path: a variable, procedure, class or member, followed by
// members, indices and call arguments. The general chain is evaluated element by element;
// three fast paths cover a plain variable, a character of a string variable and an element
// of an array variable. A single call of a script procedure has a fast path of its own.
#pragma once

#include "script/Expressions.h"
#include "script/Script.h"
#include "script/ValueBuffer.h"

#include <memory>
#include <string>
#include <vector>

class TfsXMLItem;

// --- Designators ---------------------------------------------------------------------------

// One element of a path: what it names and its argument (or index) expressions, one per
// parameter of Ref once the builder has filled the defaults in.
struct TfsDesignatorItem {
    TfsCustomVariable* Ref = nullptr;
    std::unique_ptr<TfsCustomVariable> OwnedRef;   // helpers made for this path (automation)
    std::vector<std::unique_ptr<TfsExpression>> Args;
    std::string SourcePos;
};

// The source of a path that is bound on first use (a Variant whose value decided nothing at
// compile time), with what the builder needs to compile it then.
struct TfsLateSource {
    std::unique_ptr<TfsXMLItem> Element;
    // The hidden variables of the enclosing with statements, outermost first: inside a with
    // over a Variant a name binds to a member of the with object's value when it has one.
    std::vector<std::string> WithNames;
    std::unique_ptr<TfsXMLItem> Types;
    std::string UnitName;
    bool NeedDeclareVars = true;
    ~TfsLateSource();
};

class TfsDesignator : public TfsCustomVariable {
public:
    enum TKind : uint8_t { dkGeneral, dkVariable, dkString, dkArray };
    explicit TfsDesignator(TfsScript* prog);
    ~TfsDesignator() override;

    Variant GetValue() override;
    void SetValue(const Variant& value) override;

    TKind DesignatorKind() const { return FDesignatorKind; }
    TfsScript* Prog() const { return FProg; }
    std::vector<TfsDesignatorItem>& Elements() { return FElements; }
    const std::vector<TfsDesignatorItem>& Elements() const { return FElements; }
    // The item named by the last element.
    TfsCustomVariable* LastRef() const { return FElements.empty() ? nullptr : FElements.back().Ref; }
    // Typ, TypeName and IsReadOnly from the last element (a constructor makes the path a
    // Class of the class before it).
    void Finish();
    void SetLateSource(std::unique_ptr<TfsLateSource> source) { FLate = std::move(source); }
    bool IsLate() const { return FLate != nullptr; }

protected:
    TfsDesignator(TfsScript* prog, TKind kind);
    void Bind();
    Variant Run(const Variant* written);

    TKind FDesignatorKind;
    TfsScript* FProg;
    std::vector<TfsDesignatorItem> FElements;
    std::unique_ptr<TfsLateSource> FLate;
};

// A plain variable (kind 1): reads and writes the variable itself.
class TfsVariableDesignator : public TfsDesignator {
public:
    TfsVariableDesignator(TfsScript* prog, TfsCustomVariable* variable);
    Variant GetValue() override { return FVariable->GetValue(); }
    void SetValue(const Variant& value) override { FVariable->SetValue(value); }
    TfsCustomVariable* Variable() const { return FVariable; }

private:
    TfsCustomVariable* FVariable;
    std::unique_ptr<TfsCustomVariable> FOwned;
    friend class TfsProgramBuilder;
};

// A character of a string variable (kind 2); the index must lie in 1 .. Length.
class TfsStringDesignator : public TfsDesignator {
public:
    TfsStringDesignator(TfsScript* prog, TfsCustomVariable* variable, std::unique_ptr<TfsExpression> index);
    Variant GetValue() override;
    void SetValue(const Variant& value) override;

private:
    TfsCustomVariable* FVariable;
    std::unique_ptr<TfsExpression> FIndex;
};

// An element of an array variable (kind 3): one index per dimension.
class TfsArrayDesignator : public TfsDesignator {
public:
    TfsArrayDesignator(TfsScript* prog, TfsCustomVariable* variable,
                       std::vector<std::unique_ptr<TfsExpression>> indices);
    Variant GetValue() override;
    void SetValue(const Variant& value) override;

private:
    TfsCustomVariable* FVariable;
    std::vector<std::unique_ptr<TfsExpression>> FIndices;
};

// One call of a script procedure or function with its arguments: evaluates the arguments,
// stores them in the parameters, runs the body, writes var parameters back; a recursive call
// saves and restores the locals of the procedure around itself.
class TfsProcCallDesignator final : public TfsDesignator {
public:
    TfsProcCallDesignator(TfsScript* prog, TfsProcVariable* proc, std::vector<std::unique_ptr<TfsExpression>> args);
    Variant GetValue() override { return FCall(this); }

private:
    using TCall = Variant (*)(TfsProcCallDesignator*);
    // The first call: looks at the arguments and the procedure and chooses the way of the
    // calls that follow.
    static Variant FirstCall(TfsProcCallDesignator* d);
    // Calls that pass a var parameter, or whose arguments are not one per parameter.
    static Variant CallPassingVars(TfsProcCallDesignator* d);
    // Calls without var parameters, one argument per parameter.
    static Variant CallPlain(TfsProcCallDesignator* d);
    // CallPlain for a procedure of P parameters and L other locals (see Statements.cpp).
    template <size_t P, size_t L> static Variant CallShaped(TfsProcCallDesignator* d);
    template <size_t P> static TCall ShapedFor(size_t locals);
    TfsProcVariable* FProc;
    std::vector<std::unique_ptr<TfsExpression>> FArgs;
    TCall FCall = &FirstCall;
};

// One call of a global host function (AddMethod) that has no var parameter: the argument
// values go straight to the callback.
class TfsHostCallDesignator final : public TfsDesignator {
public:
    TfsHostCallDesignator(TfsScript* prog, TfsMethodHelper* method, std::vector<std::unique_ptr<TfsExpression>> args);
    Variant GetValue() override;
    // As the general path: the arguments are evaluated, then the function is written to.
    void SetValue(const Variant& value) override;
    TfsMethodHelper* Method() const { return FMethod; }
    const std::vector<std::unique_ptr<TfsExpression>>& Args() const { return FArgs; }

private:
    TfsMethodHelper* FMethod;
    std::vector<std::unique_ptr<TfsExpression>> FArgs;
};

// Calls a script procedure with argument values already evaluated: the values go to the
// parameters, the body runs, and (when writeBack is given) the parameters' values come back.
// Saves and restores the locals around a recursive call, on every way out.
Variant fsCallProc(TfsProcVariable* proc, std::span<const Variant> args, std::span<Variant> writeBack = {});
// The same with the caller's own buffer of argument values, which go into the parameters
// without a copy.
Variant fsCallProc(TfsProcVariable* proc, TfsValueBuffer& args, std::span<Variant> writeBack = {});

// --- Statements ----------------------------------------------------------------------------

// An integer counted by an integer in place: false (nothing changed) when either is no
// integer or the result leaves 64 bits.
inline bool fsCountInPlace(Variant& value, const Variant& by, bool down) {
    if (!value.IsInteger() || !by.IsInteger()) return false;
    int64_t r;
    if (down ? __builtin_sub_overflow(value.IntValue(), by.IntValue(), &r)
             : __builtin_add_overflow(value.IntValue(), by.IntValue(), &r))
        return false;
    value.ReplaceInt(r);
    return true;
}

class TfsStatement {
public:
    TfsStatement(TfsScript* prog, std::string unitName, std::string sourcePos);
    virtual ~TfsStatement();
    TfsStatement(const TfsStatement&) = delete;
    TfsStatement& operator=(const TfsStatement&) = delete;

    // A block: runs the children in order (see ExecuteBlock).
    virtual void Execute() { ExecuteBlock(); }
    // Execute of a plain block (a procedure's body, else and except branches), called
    // without the virtual dispatch.
    void RunBlock() { RunItems(); }

    void Add(std::unique_ptr<TfsStatement> statement) {
        FItems.push_back(std::move(statement));
        FSum = nullptr;
    }
    int Count() const { return static_cast<int>(FItems.size()); }
    TfsStatement* Items(int index) const { return FItems[static_cast<size_t>(index)].get(); }
    // Drops the children from Index on (a failed compile takes its statements back).
    void Truncate(int count);

    TfsScript* Prog;
    std::string UnitName;
    std::string SourcePos;

protected:
    // Each child in turn: stop before it when Terminated, after it when Break, Continue or
    // Exit is set. An error leaving a child records that child's position.
    void ExecuteBlock();
    // ExecuteBlock for the bodies of loops, branches and procedures: a single statement runs
    // in place, without the call and the loop over the children.
    void RunItems() {
        if (FItems.size() != 1) {
            if (!FItems.empty()) ExecuteBlock();
            return;
        }
        if (Prog->RunFlags() & TfsScript::rfTerminated) return;
        TfsStatement* s = FItems.front().get();
        try {
            s->Execute();
        } catch (...) {
            TfsScript::NoteRunError(s);
            throw;
        }
    }
    // RunItems for the body of a for loop: a body that is one integer sum (s := s + i, s += i)
    // is added in place when no run-line handler waits and the sum fits (the statement's
    // own fast way), otherwise it runs. FindSum looks for such a body after building.
    inline void RunLoopBody();
    void FindSum();
    // The run-line hook for this statement, after the run watch's step: while no run-line
    // handler is bound anywhere, one test of the count of bound handlers.
    void RunLine() {
        Prog->RunWatchStep();
        if (TfsRunLineEvent::BoundCount() != 0) [[unlikely]]
            RunLineHooked();
    }
    // The rest of RunLine, out of the statements' way: the handler of the chain, if any.
    [[gnu::noinline]] void RunLineHooked();
    std::vector<std::unique_ptr<TfsStatement>> FItems;
    class TfsAssignPlusStmt* FSum = nullptr;
};

class TfsAssignmentStmt : public TfsStatement {
public:
    using TfsStatement::TfsStatement;
    void Execute() override;
    // Sets the target: a plain variable is written directly.
    void SetTarget(std::unique_ptr<TfsDesignator> designator, std::unique_ptr<TfsExpression> expression);
    TfsDesignator* Designator() const { return FDesignator.get(); }
    TfsExpression* Expression() const { return FExpression.get(); }
    // The plain variable written in place, or nullptr.
    TfsCustomVariable* PlainTarget() const { return FVariable; }
    // Where the right side is read in place (a constant or a plain variable), or nullptr.
    const Variant* DirectSource() const { return FDirect; }

protected:
    // The target that is no plain variable: through the designator (out of line, so the
    // plain variable's way keeps a small frame).
    [[gnu::noinline]] void AssignDesignator();
    std::unique_ptr<TfsDesignator> FDesignator;
    std::unique_ptr<TfsExpression> FExpression;
    TfsCustomVariable* FVariable = nullptr;   // set for a plain variable that is not read-only
    TfsCustomVariable* FStringVariable = nullptr;   // the same for a String or Char variable
    const Variant* FDirect = nullptr;                // the right side's Direct
};

// return e (C++Script, JScript): Result := e and the exit of the procedure in one statement.
class TfsReturnStmt final : public TfsAssignmentStmt {
public:
    using TfsAssignmentStmt::TfsAssignmentStmt;
    void Execute() override;
};

// x := x op e and the compound operators: the target is read before the right side runs.
class TfsAssignPlusStmt : public TfsAssignmentStmt {
public:
    using TfsAssignmentStmt::TfsAssignmentStmt;
    void Execute() override;
    // The integer sum in place, without the run-line hook and the termination check (the
    // caller's): false, with nothing changed, when the target or the right side is no
    // integer read in place or the sum leaves 64 bits.
    bool SumInPlace() { return FVariable && FDirect && fsCountInPlace(FVariable->Value, *FDirect, false); }

private:
    [[gnu::noinline]] void Combine();
};
class TfsAssignMinusStmt : public TfsAssignmentStmt {
public:
    using TfsAssignmentStmt::TfsAssignmentStmt;
    void Execute() override;
};
class TfsAssignMulStmt : public TfsAssignmentStmt {
public:
    using TfsAssignmentStmt::TfsAssignmentStmt;
    void Execute() override;
};
class TfsAssignDivStmt : public TfsAssignmentStmt {
public:
    using TfsAssignmentStmt::TfsAssignmentStmt;
    void Execute() override;
};

class TfsCallStmt : public TfsStatement {
public:
    using TfsStatement::TfsStatement;
    void Execute() override;
    std::unique_ptr<TfsDesignator> Designator;
    std::string Modificator;   // "", "+" or "-"

protected:
    // v++ and v-- the general way: the value read, one added or taken, the sum written.
    [[gnu::noinline]] void Modify();
};

// v++ and v-- on a plain variable (not read-only): an integer is counted in place, any
// other value goes the general way (Modify), so kinds, conversions and errors stay the
// call statement's.
class TfsIncrementStmt final : public TfsCallStmt {
public:
    using TfsCallStmt::TfsCallStmt;
    void Execute() override;
    TfsCustomVariable* Variable = nullptr;
    bool Down = false;
};


class TfsIfStmt : public TfsStatement {
public:
    TfsIfStmt(TfsScript* prog, std::string unitName, std::string sourcePos);
    void Execute() override;
    std::unique_ptr<TfsExpression> Condition;
    std::unique_ptr<TfsStatement> ElseStmt;
};

class TfsCaseSelector : public TfsStatement {
public:
    using TfsStatement::TfsStatement;
    bool Check(const Variant& value) { return SetExpression->Check(value); }
    void RunBranch() { ExecuteBlock(); }
    std::unique_ptr<TfsSetExpression> SetExpression;
};

class TfsCaseStmt : public TfsStatement {
public:
    TfsCaseStmt(TfsScript* prog, std::string unitName, std::string sourcePos);
    void Execute() override;
    std::unique_ptr<TfsExpression> Condition;
    std::unique_ptr<TfsStatement> ElseStmt;
};

class TfsRepeatStmt : public TfsStatement {
public:
    using TfsStatement::TfsStatement;
    void Execute() override;
    std::unique_ptr<TfsExpression> Condition;
    bool InverseCondition = false;
};

class TfsWhileStmt : public TfsStatement {
public:
    using TfsStatement::TfsStatement;
    void Execute() override;
    std::unique_ptr<TfsExpression> Condition;
};

class TfsForStmt : public TfsStatement {
public:
    using TfsStatement::TfsStatement;
    void Execute() override;
    void Finish() { FindSum(); }
    std::unique_ptr<TfsExpression> BeginValue;
    bool Down = false;
    std::unique_ptr<TfsExpression> EndValue;
    TfsCustomVariable* Variable = nullptr;
};

class TfsVbForStmt : public TfsStatement {
public:
    using TfsStatement::TfsStatement;
    void Execute() override;
    std::unique_ptr<TfsExpression> BeginValue;
    std::unique_ptr<TfsExpression> EndValue;
    std::unique_ptr<TfsExpression> Step;
    TfsCustomVariable* Variable = nullptr;
};

class TfsCppForStmt : public TfsStatement {
public:
    TfsCppForStmt(TfsScript* prog, std::string unitName, std::string sourcePos);
    void Execute() override;
    // After building: a step that counts a plain variable (v++, v--, v += n, v -= n with
    // n a constant or a plain variable) is counted in place by the loop while nothing
    // follows the statements, the value and the amount are integers and the sum fits.
    void FindCounter();
    std::unique_ptr<TfsStatement> FirstStmt;
    std::unique_ptr<TfsExpression> Expression;
    std::unique_ptr<TfsStatement> SecondStmt;

private:
    // The loop with a counted step and a condition of two operands read in place: an
    // integer comparison is made here, any other goes to the condition's own Test.
    // A body that is an integer sum of another variable and a constant step: when the
    // sum is made in place nothing the step looks at can have changed (no handler bound,
    // not terminated, no flag set, the counter still the integer compared), so the
    // counter is counted at once.
    template <TfsOpCode OP> void RunCounting();
    bool CountStep();
    TfsCustomVariable* FCounter = nullptr;
    const Variant* FAmount = nullptr;
    bool FDown = false;
    const Variant* FLeft = nullptr;
    const Variant* FRight = nullptr;
    bool FQuick = false;
    int64_t FStep = 0;
    void (TfsCppForStmt::*FRun)() = nullptr;
};

inline void TfsStatement::RunLoopBody() {
    if (FSum && !(Prog->RunFlags() & TfsScript::rfTerminated) && !Prog->RunLineOwner() && FSum->SumInPlace()) return;
    RunItems();
}

class TfsTryStmt : public TfsStatement {
public:
    TfsTryStmt(TfsScript* prog, std::string unitName, std::string sourcePos);
    void Execute() override;
    bool IsExcept = false;
    std::unique_ptr<TfsStatement> ExceptStmt;
};

class TfsBreakStmt : public TfsStatement {
public:
    using TfsStatement::TfsStatement;
    void Execute() override { Prog->SetFlag(TfsScript::rfBreak, true); }
};
class TfsContinueStmt : public TfsStatement {
public:
    using TfsStatement::TfsStatement;
    void Execute() override { Prog->SetFlag(TfsScript::rfContinue, true); }
};
class TfsExitStmt : public TfsStatement {
public:
    using TfsStatement::TfsStatement;
    void Execute() override { Prog->SetFlag(TfsScript::rfExit, true); }
};

class TfsWithStmt : public TfsStatement {
public:
    using TfsStatement::TfsStatement;
    void Execute() override;
    std::unique_ptr<TfsDesignator> Designator;
    TfsCustomVariable* Variable = nullptr;
};
