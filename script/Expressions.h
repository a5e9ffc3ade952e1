// Compiled expressions: an operator-precedence tree built from the infix sequence of an
// `expr` element (operators, brackets and operands in source order), type-checked once, and
// evaluated into a Variant on demand.
//
// Building follows the operator priorities (NOT and unary minus 1, multiplicative 2,
// additive 3, relational/IN/IS 4, ")" 5, "(" 6, the empty root 7; left-associative). The
// type check fixes, per operator, whether both operands are typed Integer (the integer fast
// path: 64-bit arithmetic, an Integer result when it fits 32 bits, else Int64) and whether
// both are Boolean (AND/OR short-circuit). Finalize then turns the tree into evaluation
// nodes specialised for those cases, so a run does no type tests beyond the Variant's own.
#pragma once

#include "script/Script.h"

#include <memory>
#include <string>
#include <vector>

class TfsDesignator;
class TfsSetExpression;

// Reads a Variant as a condition (conversion errors raise).
inline bool VarIsTrue(const Variant& v) {
    return v.Kind() == varBoolean ? v.BoolValue() : v.AsBoolean();
}

// An evaluation node. Typ/TypeName are the node's static type.
class TfsExprNode {
public:
    virtual ~TfsExprNode() = default;
    virtual Variant Eval() = 0;
    // The node as a condition, VarIsTrue(Eval()); comparisons answer without a Variant.
    // Out of line, so that a call of Test is not guessed to be this one.
    virtual bool Test();
    uint8_t Typ = tcVariant;
    std::string TypeName;
    // Where a constant or a plain variable keeps its value: operators read it in place
    // instead of calling Eval (nullptr for every other node).
    const Variant* Direct = nullptr;
};

// Operator codes (the values the operator table gives them). ORDER OPCODE.
enum TfsOpCode : uint8_t {
    opNone = 0, opGreat, opLess, opLessEq, opGreatEq, opNonEq, opEq,
    opPlus, opMinus, opOr, opXor, opMul, opDivFloat, opDivInt, opMod, opAnd, opShl, opShr,
    opLeftBracket, opRightBracket, opNot, opUnMinus, opIn, opIs,
    opStrCat,   // shares code 7 with "+" in the table; kept apart so it is never taken for "+"
};
// The code of an operator text, upper-cased first ("and", "<>", "unminus" ...); opNone for
// any other text.
TfsOpCode OperatorCode(std::string_view text);

class TfsExpression : public TfsCustomVariable {
public:
    explicit TfsExpression(TfsScript* program);
    ~TfsExpression() override;

    // Items in source order (infix, brackets included); each takes the current position.
    void SetSourcePos(std::string pos) { FSourcePos = std::move(pos); }
    void AddOperator(std::string_view text);
    void AddConst(const Variant& value);
    void AddDesignator(std::unique_ptr<TfsDesignator> designator);
    void AddSet(std::unique_ptr<TfsSetExpression> set);
    // Ends building: type-checks, sets Typ/TypeName/IsReadOnly and builds the evaluation
    // tree. Returns the position of the first type error ("" when none).
    std::string Finalize();

    Variant GetValue() override { return FRoot->Eval(); }
    // Assigns through the root designator; nothing when read-only.
    void SetValue(const Variant& value) override;
    Variant Evaluate() { return FRoot->Eval(); }
    // VarIsTrue(Evaluate()): the conditions of if, while, repeat and for.
    bool Test() { return FRoot->Test(); }

    // The assignment rewrite: for a target that is a plain variable and a root "+", "-", "*"
    // or "/" whose left operand is that variable (x := x op e), the root becomes its right
    // operand and the operator comes back ('+', '-', '*', '/'); for "+" and "*" with the
    // variable on the right (x := e op x) the same when the variable is typed Integer or
    // Extended and e is a constant or a plain variable. 0 when nothing was rewritten.
    char Optimize(TfsCustomVariable* target);

    // A comparison (< <= > >= <> =) of two operands read in place (constants and plain
    // variables): gives the operator and the operands' places; false for anything else.
    bool DirectComparison(TfsOpCode& op, const Variant*& left, const Variant*& right) const;

    // The designator at the root (nullptr when the root is no designator).
    TfsDesignator* RootDesignator() const { return FRootDesignator; }
    // The variable behind a root designator that is a plain variable, else nullptr.
    TfsCustomVariable* GetVariable() const;
    // A root that is a constant, and its value.
    bool IsConstant() const;
    TfsExprNode* Root() const { return FRoot.get(); }

private:
    struct BuildNode;
    void Attach(BuildNode* node);
    std::unique_ptr<TfsExprNode> Generate(BuildNode* node);
    bool Check(BuildNode* node, std::string& errorPos);

    TfsScript* FProgram;
    std::string FSourcePos;
    std::vector<std::unique_ptr<BuildNode>> FBuild;   // every build node, owned here
    BuildNode* FBuildRoot = nullptr;
    BuildNode* FCurrent = nullptr;
    std::unique_ptr<TfsExprNode> FRoot;
    TfsDesignator* FRootDesignator = nullptr;
};

// A set constructor [a, b..c]: items in order, an absent entry between the bounds of a range.
class TfsSetExpression : public TfsCustomVariable {
public:
    TfsSetExpression();
    ~TfsSetExpression() override;
    void AddItem(std::unique_ptr<TfsExpression> item) { FItems.push_back(std::move(item)); }
    int ItemCount() const { return static_cast<int>(FItems.size()); }
    TfsExpression* Item(int index) const { return FItems[static_cast<size_t>(index)].get(); }
    // A Variant array with one element per entry (0 for the absent entry of a range).
    Variant GetValue() override;
    // True when Value equals one element or lies in one range (the high bound is evaluated
    // only when the low test passed).
    bool Check(const Variant& value);

private:
    std::vector<std::unique_ptr<TfsExpression>> FItems;
};

// Variant addition etc. with an inline path for two integers (64-bit, Integer when it fits
// and neither side is an Int64); everything else goes to the Variant's own operators.
Variant fsAdd(const Variant& a, const Variant& b);
Variant fsSub(const Variant& a, const Variant& b);
Variant fsMul(const Variant& a, const Variant& b);
