// Expression trees: building by operator priority, the type check, evaluation nodes.
#include "script/Expressions.h"

#include "platform/rtl/StrUtils.h"
#include "script/ClassVariables.h"
#include "script/Statements.h"
#include "script/ValueBuffer.h"

#include <array>
#include <type_traits>
#include <typeinfo>

// --- Variant arithmetic with the integer path ----------------------------------------------

namespace {

inline bool BothIntegers(const Variant& a, const Variant& b) { return a.IsInteger() && b.IsInteger(); }

[[noreturn]] void DivisionByZero() { throw EDivByZero("Division by zero"); }

}  // namespace

Variant fsAdd(const Variant& a, const Variant& b) {
    int64_t r;
    if (BothIntegers(a, b) && !__builtin_add_overflow(a.IntValue(), b.IntValue(), &r)) return Variant::FromInt(r);
    return VarAdd(a, b);
}

Variant fsSub(const Variant& a, const Variant& b) {
    int64_t r;
    if (BothIntegers(a, b) && !__builtin_sub_overflow(a.IntValue(), b.IntValue(), &r)) return Variant::FromInt(r);
    return VarSub(a, b);
}

Variant fsMul(const Variant& a, const Variant& b) {
    int64_t r;
    if (BothIntegers(a, b) && !__builtin_mul_overflow(a.IntValue(), b.IntValue(), &r)) return Variant::FromInt(r);
    return VarMul(a, b);
}

// --- Operator table ------------------------------------------------------------------------

namespace {

struct OperatorInfo {
    const char* Text;
    TfsOpCode Code;
    int Priority;
};
// ORDER OPCODE (texts are compared upper-cased).
constexpr OperatorInfo kOperators[] = {
    {">", opGreat, 4},     {"<", opLess, 4},       {"<=", opLessEq, 4},  {">=", opGreatEq, 4},
    {"<>", opNonEq, 4},    {"=", opEq, 4},         {"+", opPlus, 3},     {"STRCAT", opStrCat, 3},
    {"-", opMinus, 3},     {"OR", opOr, 3},        {"XOR", opXor, 3},    {"*", opMul, 2},
    {"/", opDivFloat, 2},  {"DIV", opDivInt, 2},   {"MOD", opMod, 2},    {"AND", opAnd, 2},
    {"SHL", opShl, 2},     {"SHR", opShr, 2},      {"(", opLeftBracket, 6}, {")", opRightBracket, 5},
    {"NOT", opNot, 1},     {"UNMINUS", opUnMinus, 1}, {"IN", opIn, 4},    {"IS", opIs, 4},
};

int PriorityOf(TfsOpCode code) {
    if (code == opNone) return 7;
    for (const OperatorInfo& op : kOperators)
        if (op.Code == code) return op.Priority;
    return 7;
}

bool IsComparison(TfsOpCode op) { return op >= opGreat && op <= opEq; }

// Operators a left operand of type Typ allows.
bool OperatorAllowed(TfsOpCode op, uint8_t typ) {
    switch (typ) {
    case tcBoolean:
        return op == opNonEq || op == opEq || op == opOr || op == opXor || op == opAnd || op == opNot;
    case tcChar:
    case tcString: return IsComparison(op) || op == opPlus || op == opStrCat || op == opIn;
    case tcClass:
    case tcArray: return op == opNonEq || op == opEq;
    default: return true;
    }
}

}  // namespace

TfsOpCode OperatorCode(std::string_view text) {
    for (const OperatorInfo& op : kOperators)
        if (SameText(text, op.Text)) return op.Code;
    return opNone;
}

// --- Evaluation nodes ----------------------------------------------------------------------

bool TfsExprNode::Test() { return VarIsTrue(Eval()); }

namespace {

class ConstNode final : public TfsExprNode {
public:
    explicit ConstNode(Variant v) : Value(std::move(v)) { Direct = &Value; }
    Variant Eval() override { return Value; }
    Variant Value;
};

// A plain variable read straight from its Value.
class VarNode final : public TfsExprNode {
public:
    VarNode(TfsCustomVariable* var, std::unique_ptr<TfsDesignator> owner) : Var(var), Owner(std::move(owner)) {
        Direct = &Var->Value;
    }
    Variant Eval() override { return Var->Value; }
    bool Test() override { return VarIsTrue(Var->Value); }
    TfsCustomVariable* Var;
    std::unique_ptr<TfsDesignator> Owner;
};

class DesignatorNode : public TfsExprNode {
public:
    explicit DesignatorNode(std::unique_ptr<TfsDesignator> d) : Designator(std::move(d)) {}
    Variant Eval() override { return Designator->GetValue(); }
    std::unique_ptr<TfsDesignator> Designator;
};

// A call of a global host function: the argument values straight to the callback. A
// constant or a plain variable is copied from where it stands, in the order of the arguments
// (a later argument that changes the variable does not change this value).
[[gnu::noinline]] Variant CallHostWithBuffer(TfsMethodHelper* method, const std::vector<std::unique_ptr<TfsExpression>>& args) {
    const size_t n = args.size();
    TfsValueBuffer values(n);
    for (size_t i = 0; i < n; ++i)
        if (const Variant* d = args[i]->Root()->Direct) values.Add(*d);
        else values.AddFrom([&] { return args[i]->Evaluate(); });
    return method->CallGlobal(values.Span());
}

// The same; one argument (Get('Name'), the report's look-ups) needs no buffer.
inline Variant CallHost(TfsMethodHelper* method, const std::vector<std::unique_ptr<TfsExpression>>& args) {
    if (args.size() != 1) return CallHostWithBuffer(method, args);
    const TfsExprNode* root = args[0]->Root();
    Variant value = root->Direct ? *root->Direct : args[0]->Evaluate();
    return method->CallGlobal({&value, 1});
}

// A call of a script procedure or of a host function, without the virtual dispatch.
template <class D>
class CallNode final : public DesignatorNode {
public:
    using DesignatorNode::DesignatorNode;
    Variant Eval() override {
        auto* d = static_cast<D*>(Designator.get());
        if constexpr (std::is_same_v<D, TfsHostCallDesignator>) return CallHost(d->Method(), d->Args());
        else return d->D::GetValue();
    }
};

class SetNode final : public TfsExprNode {
public:
    explicit SetNode(std::unique_ptr<TfsSetExpression> s) : Set(std::move(s)) {}
    Variant Eval() override { return Set->GetValue(); }
    std::unique_ptr<TfsSetExpression> Set;
};

// The value of an operand: read in place where the node keeps one, else evaluated into temp.
inline const Variant& ValueOf(TfsExprNode* n, Variant& temp) {
    if (n->Direct) return *n->Direct;
    temp = n->Eval();
    return temp;
}

class BinaryNode : public TfsExprNode {
public:
    BinaryNode(TfsOpCode op, std::unique_ptr<TfsExprNode> l, std::unique_ptr<TfsExprNode> r)
        : Op(op), L(std::move(l)), R(std::move(r)) {}
    TfsOpCode Op;
    std::unique_ptr<TfsExprNode> L, R;

protected:
    // Compute(a, b) with both operands, the left evaluated first. Constants and variables
    // are read in place, except a variable on the left when the right side is evaluated
    // code: that code may change the variable, and the value before it is the operand.
    template <class F> [[gnu::always_inline]] auto WithOperands(F Compute) {
        if (L->Direct && R->Direct) return Compute(*L->Direct, *R->Direct);
        const Variant a = L->Direct ? Variant(*L->Direct) : L->Eval();
        if (R->Direct) return Compute(a, *R->Direct);
        const Variant b = R->Eval();
        return Compute(a, b);
    }
};

// Comparisons give Boolean Variants; two integers compare directly.
template <TfsOpCode OP>
class CompareNode final : public BinaryNode {
public:
    using BinaryNode::BinaryNode;
    Variant Eval() override { return Variant(Test()); }
    bool Test() override { return WithOperands(Compare); }
    static bool Compare(const Variant& a, const Variant& b) {
        if (BothIntegers(a, b)) {
            const int64_t x = a.IntValue(), y = b.IntValue();
            if constexpr (OP == opGreat) return x > y;
            else if constexpr (OP == opLess) return x < y;
            else if constexpr (OP == opLessEq) return x <= y;
            else if constexpr (OP == opGreatEq) return x >= y;
            else if constexpr (OP == opNonEq) return x != y;
            else return x == y;
        }
        if constexpr (OP == opEq) return VarEquals(a, b);
        else if constexpr (OP == opNonEq) return !VarEquals(a, b);
        else {
            const int c = VarCompare(a, b);
            if constexpr (OP == opGreat) return c == 1;
            else if constexpr (OP == opLess) return c == -1;
            else if constexpr (OP == opLessEq) return c == -1 || c == 0;
            else return c == 1 || c == 0;
        }
    }
};

// + - * div mod with both operands typed Integer: 64-bit integers (values of other kinds are
// converted first, rounding halves to even); the result is an Integer when it fits 32 bits.
template <TfsOpCode OP>
class IntArithNode final : public BinaryNode {
public:
    using BinaryNode::BinaryNode;
    Variant Eval() override { return WithOperands(Compute); }
    [[gnu::always_inline]] static Variant Compute(const Variant& a, const Variant& b) {
        const int64_t x = a.IsInteger() ? a.IntValue() : a.AsInt64();
        const int64_t y = b.IsInteger() ? b.IntValue() : b.AsInt64();
        int64_t r;
        if constexpr (OP == opPlus) {
            if (__builtin_add_overflow(x, y, &r)) return VarAdd(Variant::FromInt64(x), Variant::FromInt64(y));
        } else if constexpr (OP == opMinus) {
            if (__builtin_sub_overflow(x, y, &r)) return VarSub(Variant::FromInt64(x), Variant::FromInt64(y));
        } else if constexpr (OP == opMul) {
            if (__builtin_mul_overflow(x, y, &r)) return VarMul(Variant::FromInt64(x), Variant::FromInt64(y));
        } else if constexpr (OP == opDivInt) {
            if (y == 0) DivisionByZero();
            if (x == INT64_MIN && y == -1) return VarIntDiv(Variant::FromInt64(x), Variant::FromInt64(y));
            r = x / y;
        } else {
            if (y == 0) DivisionByZero();
            r = y == -1 ? 0 : x % y;
        }
        return Variant::FromInt(r);
    }
};

template <TfsOpCode OP>
class VarArithNode final : public BinaryNode {
public:
    using BinaryNode::BinaryNode;
    Variant Eval() override { return WithOperands(Compute); }
    static Variant Compute(const Variant& a, const Variant& b) {
        if constexpr (OP == opPlus) return fsAdd(a, b);
        else if constexpr (OP == opMinus) return fsSub(a, b);
        else if constexpr (OP == opMul) return fsMul(a, b);
        else if constexpr (OP == opDivFloat) return VarDivide(a, b);
        else if constexpr (OP == opDivInt) return VarIntDiv(a, b);
        else if constexpr (OP == opMod) return VarMod(a, b);
        else if constexpr (OP == opOr) return VarOr(a, b);
        else if constexpr (OP == opAnd) return VarAnd(a, b);
        else if constexpr (OP == opXor) return VarXor(a, b);
        else if constexpr (OP == opShl) return VarShl(a, b);
        else return VarShr(a, b);
    }
};

// An operator whose right operand is an integer constant: n < 2, n - 1, i * 2, F(x) * 2. The
// left operand is read in place (a variable or a constant) or, for any other expression,
// evaluated first as the general node does. An integer on the left is worked out here; every
// other value goes the general node's way, so the answers are the same.
template <TfsOpCode OP, bool LeftInPlace>
class CompareConstNode final : public BinaryNode {
public:
    CompareConstNode(TfsOpCode op, std::unique_ptr<TfsExprNode> l, std::unique_ptr<TfsExprNode> r)
        : BinaryNode(op, std::move(l), std::move(r)), A(L->Direct), B(R->Direct), K(B->IntValue()) {}
    Variant Eval() override { return Variant(Test()); }
    bool Test() override {
        if constexpr (LeftInPlace) {
            return Compare(*A);
        } else {
            const Variant a = L->Eval();
            return Compare(a);
        }
    }

private:
    bool Compare(const Variant& a) const {
        if (a.IsInteger()) {
            const int64_t x = a.IntValue();
            if constexpr (OP == opGreat) return x > K;
            else if constexpr (OP == opLess) return x < K;
            else if constexpr (OP == opLessEq) return x <= K;
            else if constexpr (OP == opGreatEq) return x >= K;
            else if constexpr (OP == opNonEq) return x != K;
            else return x == K;
        }
        return Other(a, *B);
    }
    // Any other value on the left: the general node's comparison, out of the way.
    [[gnu::noinline, gnu::cold]] static bool Other(const Variant& a, const Variant& b) {
        return CompareNode<OP>::Compare(a, b);
    }
    const Variant* A;
    const Variant* B;
    int64_t K;
};

template <TfsOpCode OP, class General, bool LeftInPlace>
class ArithConstNode final : public BinaryNode {
public:
    ArithConstNode(TfsOpCode op, std::unique_ptr<TfsExprNode> l, std::unique_ptr<TfsExprNode> r)
        : BinaryNode(op, std::move(l), std::move(r)), A(L->Direct), B(R->Direct), K(B->IntValue()) {}
    Variant Eval() override {
        if constexpr (LeftInPlace) return Compute(*A);
        else return EvalLeft();
    }

private:
    // The left value becomes the result: an integer is worked out in its place.
    Variant EvalLeft() const {
        Variant a = L->Eval();
        int64_t r;
        if (a.IsInteger() && !Apply(a.IntValue(), r)) [[likely]]
            a.SetInt(r);
        else
            Replace(a, *B);
        return a;
    }
    // x op K into r; true on overflow.
    bool Apply(int64_t x, int64_t& r) const {
        if constexpr (OP == opPlus) return __builtin_add_overflow(x, K, &r);
        else if constexpr (OP == opMinus) return __builtin_sub_overflow(x, K, &r);
        else return __builtin_mul_overflow(x, K, &r);
    }
    Variant Compute(const Variant& a) const {
        int64_t r;
        if (a.IsInteger() && !Apply(a.IntValue(), r)) return Variant::FromInt(r);
        return Other(a, *B);
    }
    // Any other value on the left, or an overflow: the general node's arithmetic, out of the
    // way.
    [[gnu::noinline, gnu::cold]] static Variant Other(const Variant& a, const Variant& b) { return General::Compute(a, b); }
    [[gnu::noinline, gnu::cold]] static void Replace(Variant& a, const Variant& b) { a = General::Compute(a, b); }
    const Variant* A;
    const Variant* B;
    int64_t K;
};

class StrCatNode final : public BinaryNode {
public:
    using BinaryNode::BinaryNode;
    Variant Eval() override { return WithOperands(Compute); }
    static Variant Compute(const Variant& a, const Variant& b) {
        if (a.IsString()) return Variant(a.StrValue() + (b.IsString() ? b.StrValue() : VarToStr(b)));
        return fsAdd(a, b);
    }
};

// AND/OR of two Boolean operands: the right side runs only when the left did not decide.
class ShortCircuitNode final : public BinaryNode {
public:
    using BinaryNode::BinaryNode;
    Variant Eval() override {
        const bool left = L->Test();
        if (Op == opOr ? left : !left) return Variant(left);
        return R->Eval();
    }
    bool Test() override {
        const bool left = L->Test();
        if (Op == opOr ? left : !left) return left;
        return R->Test();
    }
};

class NotNode final : public BinaryNode {
public:
    using BinaryNode::BinaryNode;
    Variant Eval() override {
        Variant ta;
        const Variant& a = ValueOf(L.get(), ta);
        if (a.IsBoolean()) return Variant(!a.BoolValue());
        return VarNot(a);
    }
};

class NegNode final : public BinaryNode {
public:
    using BinaryNode::BinaryNode;
    Variant Eval() override {
        Variant ta;
        const Variant& a = ValueOf(L.get(), ta);
        if (a.IsInteger() && a.IntValue() != INT64_MIN) return Variant::FromInt(-a.IntValue());
        return VarNeg(a);
    }
};

// v in [set]: the set's Check; against any other value, membership of an array or equality.
class InNode final : public BinaryNode {
public:
    InNode(std::unique_ptr<TfsExprNode> l, std::unique_ptr<TfsExprNode> r, TfsSetExpression* set)
        : BinaryNode(opIn, std::move(l), std::move(r)), Set(set) {}
    Variant Eval() override {
        const Variant v = L->Eval();
        if (Set) return Variant(Set->Check(v));
        const Variant s = R->Eval();
        if (!s.IsArray()) return Variant(VarEquals(v, s));
        if (VarArrayDimCount(s) != 1) return Variant(false);
        for (int32_t i = VarArrayLowBound(s, 1), hi = VarArrayHighBound(s, 1); i <= hi; ++i)
            if (VarEquals(v, s.GetElement({i}))) return Variant(true);
        return Variant(false);
    }
    TfsSetExpression* Set;
};

// obj is TClass: the live object's class is the class or descends from it; anything that is
// no live object (nil, a number, a freed object) is False.
class IsNode final : public BinaryNode {
public:
    IsNode(std::unique_ptr<TfsExprNode> l, std::unique_ptr<TfsExprNode> r, TClass cls)
        : BinaryNode(opIs, std::move(l), std::move(r)), Class(cls) {}
    Variant Eval() override {
        const Variant v = L->Eval();
        TClass cls = Class ? Class : fsClassOfRef(R->Eval());
        if (!cls) return Variant(false);
        uint64_t handle;
        if (v.IsObject()) handle = v.ObjectValue();
        else if (v.IsInteger() && v.IntValue() > 0) handle = static_cast<uint64_t>(v.IntValue());
        else return Variant(false);
        const TObject* obj = TObject::TryFromHandle(handle);
        return Variant(obj != nullptr && obj->InheritsFrom(cls));
    }
    TClass Class;
};

template <template <TfsOpCode> class N>
std::unique_ptr<TfsExprNode> MakeArith(TfsOpCode op, std::unique_ptr<TfsExprNode> l, std::unique_ptr<TfsExprNode> r) {
    switch (op) {
    case opPlus: return std::make_unique<N<opPlus>>(op, std::move(l), std::move(r));
    case opMinus: return std::make_unique<N<opMinus>>(op, std::move(l), std::move(r));
    case opMul: return std::make_unique<N<opMul>>(op, std::move(l), std::move(r));
    case opDivInt: return std::make_unique<N<opDivInt>>(op, std::move(l), std::move(r));
    case opMod: return std::make_unique<N<opMod>>(op, std::move(l), std::move(r));
    default: return nullptr;
    }
}

// An integer constant on the right.
bool IntConstOnRight(const std::unique_ptr<TfsExprNode>& l, const std::unique_ptr<TfsExprNode>& r) {
    return l && r && r->Direct && dynamic_cast<const ConstNode*>(r.get()) && r->Direct->IsInteger();
}

template <bool LeftInPlace>
std::unique_ptr<TfsExprNode> MakeArithConst(bool intFlag, TfsOpCode op, std::unique_ptr<TfsExprNode>& l,
                                            std::unique_ptr<TfsExprNode>& r) {
    switch (op) {
    case opPlus:
        if (intFlag)
            return std::make_unique<ArithConstNode<opPlus, IntArithNode<opPlus>, LeftInPlace>>(op, std::move(l), std::move(r));
        return std::make_unique<ArithConstNode<opPlus, VarArithNode<opPlus>, LeftInPlace>>(op, std::move(l), std::move(r));
    case opMinus:
        if (intFlag)
            return std::make_unique<ArithConstNode<opMinus, IntArithNode<opMinus>, LeftInPlace>>(op, std::move(l), std::move(r));
        return std::make_unique<ArithConstNode<opMinus, VarArithNode<opMinus>, LeftInPlace>>(op, std::move(l), std::move(r));
    case opMul:
        if (intFlag)
            return std::make_unique<ArithConstNode<opMul, IntArithNode<opMul>, LeftInPlace>>(op, std::move(l), std::move(r));
        return std::make_unique<ArithConstNode<opMul, VarArithNode<opMul>, LeftInPlace>>(op, std::move(l), std::move(r));
    default: return nullptr;
    }
}

template <bool LeftInPlace>
std::unique_ptr<TfsExprNode> MakeCompareConst(TfsOpCode op, std::unique_ptr<TfsExprNode>& l, std::unique_ptr<TfsExprNode>& r) {
    switch (op) {
    case opGreat: return std::make_unique<CompareConstNode<opGreat, LeftInPlace>>(op, std::move(l), std::move(r));
    case opLess: return std::make_unique<CompareConstNode<opLess, LeftInPlace>>(op, std::move(l), std::move(r));
    case opLessEq: return std::make_unique<CompareConstNode<opLessEq, LeftInPlace>>(op, std::move(l), std::move(r));
    case opGreatEq: return std::make_unique<CompareConstNode<opGreatEq, LeftInPlace>>(op, std::move(l), std::move(r));
    case opNonEq: return std::make_unique<CompareConstNode<opNonEq, LeftInPlace>>(op, std::move(l), std::move(r));
    default: return std::make_unique<CompareConstNode<opEq, LeftInPlace>>(op, std::move(l), std::move(r));
    }
}

std::unique_ptr<TfsExprNode> MakeCompare(TfsOpCode op, std::unique_ptr<TfsExprNode> l, std::unique_ptr<TfsExprNode> r) {
    if (IntConstOnRight(l, r))
        return l->Direct ? MakeCompareConst<true>(op, l, r) : MakeCompareConst<false>(op, l, r);
    switch (op) {
    case opGreat: return std::make_unique<CompareNode<opGreat>>(op, std::move(l), std::move(r));
    case opLess: return std::make_unique<CompareNode<opLess>>(op, std::move(l), std::move(r));
    case opLessEq: return std::make_unique<CompareNode<opLessEq>>(op, std::move(l), std::move(r));
    case opGreatEq: return std::make_unique<CompareNode<opGreatEq>>(op, std::move(l), std::move(r));
    case opNonEq: return std::make_unique<CompareNode<opNonEq>>(op, std::move(l), std::move(r));
    default: return std::make_unique<CompareNode<opEq>>(op, std::move(l), std::move(r));
    }
}

}  // namespace

Variant TfsHostCallDesignator::GetValue() { return CallHost(FMethod, FArgs); }

// --- Building ------------------------------------------------------------------------------

struct TfsExpression::BuildNode {
    enum TOperand : uint8_t { boOperator, boConst, boDesignator, boSet };
    TOperand Operand = boOperator;
    TfsOpCode Op = opNone;
    int Priority = 7;
    BuildNode* Left = nullptr;
    BuildNode* Right = nullptr;
    BuildNode* Parent = nullptr;
    Variant Const;
    std::unique_ptr<TfsDesignator> Designator;
    std::unique_ptr<TfsSetExpression> Set;
    uint8_t Typ = tcVariant;
    std::string TypeName;
    bool IntFlag = false;
    bool BoolFlag = false;
    std::string Pos;
};

TfsExpression::TfsExpression(TfsScript* program)
    : TfsCustomVariable(std::string(), tcVariant, std::string(), TfsItemKind::Expression), FProgram(program) {
    IsReadOnly = true;
    FBuild.push_back(std::make_unique<BuildNode>());
    FBuildRoot = FCurrent = FBuild.back().get();
}

TfsExpression::~TfsExpression() = default;

// Appends node as the next free child of the current node; it becomes current.
void TfsExpression::Attach(BuildNode* node) {
    if (!FCurrent->Left) FCurrent->Left = node;
    else if (!FCurrent->Right) FCurrent->Right = node;
    else return;   // malformed input; the type check reports nothing better
    node->Parent = FCurrent;
    FCurrent = node;
}

void TfsExpression::AddOperator(std::string_view text) {
    const TfsOpCode op = OperatorCode(text);
    if (op == opRightBracket) {
        BuildNode* n = FCurrent;
        while (n && n->Priority <= 5) n = n->Parent;
        if (!n || n->Op != opLeftBracket) return;
        BuildNode* child = n->Left;
        BuildNode* parent = n->Parent;
        if (child) child->Parent = parent;
        if (parent->Left == n) parent->Left = child;
        else parent->Right = child;
        FCurrent = child ? child : parent;
        return;
    }
    auto owned = std::make_unique<BuildNode>();
    BuildNode* node = owned.get();
    node->Op = op;
    node->Priority = PriorityOf(op);
    node->Pos = FSourcePos;
    FBuild.push_back(std::move(owned));
    if (op == opLeftBracket || op == opNot || op == opUnMinus || FCurrent == FBuildRoot ||
        FCurrent->Op == opLeftBracket) {
        Attach(node);
        return;
    }
    BuildNode* c = FCurrent;
    BuildNode* p = c->Parent;
    while (p && p->Priority <= node->Priority) {
        c = p;
        p = p->Parent;
    }
    if (!p) return;
    if (p->Left == c) p->Left = node;
    else p->Right = node;
    node->Parent = p;
    node->Left = c;
    c->Parent = node;
    FCurrent = node;
}

void TfsExpression::AddConst(const Variant& value) {
    auto node = std::make_unique<BuildNode>();
    node->Operand = BuildNode::boConst;
    node->Priority = 0;
    node->Const = value;
    node->Pos = FSourcePos;
    switch (value.Kind()) {
    case varBoolean: node->Typ = tcBoolean; break;
    case varSingle:
    case varDouble:
    case varCurrency: node->Typ = tcExtended; break;
    case varString: node->Typ = tcString; break;
    default: node->Typ = tcInteger; break;
    }
    Attach(node.get());
    FBuild.push_back(std::move(node));
}

void TfsExpression::AddDesignator(std::unique_ptr<TfsDesignator> designator) {
    auto node = std::make_unique<BuildNode>();
    node->Operand = BuildNode::boDesignator;
    node->Priority = 0;
    node->Typ = designator->Typ;
    node->TypeName = designator->TypeName;
    node->Designator = std::move(designator);
    node->Pos = FSourcePos;
    Attach(node.get());
    FBuild.push_back(std::move(node));
}

void TfsExpression::AddSet(std::unique_ptr<TfsSetExpression> set) {
    auto node = std::make_unique<BuildNode>();
    node->Operand = BuildNode::boSet;
    node->Priority = 0;
    node->Typ = tcVariant;
    node->Set = std::move(set);
    node->Pos = FSourcePos;
    Attach(node.get());
    FBuild.push_back(std::move(node));
}

// Bottom-up type check; the first failing node's position goes to errorPos.
bool TfsExpression::Check(BuildNode* node, std::string& errorPos) {
    if (!node) return true;
    if (node->Operand != BuildNode::boOperator) return true;
    bool ok = Check(node->Left, errorPos);
    ok = Check(node->Right, errorPos) && ok;
    const uint8_t l = node->Left ? node->Left->Typ : uint8_t(tcVariant);
    const uint8_t r = node->Right ? node->Right->Typ : uint8_t(tcVariant);
    const TfsTypeRec left{l, node->Left ? node->Left->TypeName : std::string()};
    const TfsTypeRec right{r, node->Right ? node->Right->TypeName : std::string()};
    node->IntFlag = l == tcInteger && r == tcInteger;
    node->BoolFlag = l == tcBoolean && r == tcBoolean;
    bool valid;
    if (node->Op == opIs && l == tcClass && r == tcClass) {
        valid = true;
    } else {
        TfsScript* prog = FProgram;
        valid = TypesCompatible(left, right,
                                [prog](std::string_view a, std::string_view d) { return prog->ClassInherits(a, d); }) &&
                OperatorAllowed(node->Op, l);
    }
    if (!valid && errorPos.empty()) errorPos = node->Pos.empty() ? std::string("1:1") : node->Pos;
    node->Typ = l;
    node->TypeName = left.TypeName;
    if ((l == tcInteger && r == tcExtended) || (l == tcExtended && r == tcInteger)) {
        node->Typ = tcExtended;
        node->TypeName.clear();
    }
    if (IsComparison(node->Op) || node->Op == opIn || node->Op == opIs) {
        node->Typ = tcBoolean;
        node->TypeName.clear();
    }
    return ok && valid;
}

std::unique_ptr<TfsExprNode> TfsExpression::Generate(BuildNode* n) {
    std::unique_ptr<TfsExprNode> result;
    if (!n) return std::make_unique<ConstNode>(Variant::Null());
    switch (n->Operand) {
    case BuildNode::boConst: result = std::make_unique<ConstNode>(n->Const); break;
    case BuildNode::boSet: result = std::make_unique<SetNode>(std::move(n->Set)); break;
    case BuildNode::boDesignator: {
        TfsDesignator* d = n->Designator.get();
        if (d->DesignatorKind() == TfsDesignator::dkVariable &&
            static_cast<TfsVariableDesignator*>(d)->Variable()->IsPlainVariable()) {
            TfsCustomVariable* var = static_cast<TfsVariableDesignator*>(d)->Variable();
            result = std::make_unique<VarNode>(var, std::move(n->Designator));
        } else {
            if (typeid(*d) == typeid(TfsProcCallDesignator))
                result = std::make_unique<CallNode<TfsProcCallDesignator>>(std::move(n->Designator));
            else if (typeid(*d) == typeid(TfsHostCallDesignator))
                result = std::make_unique<CallNode<TfsHostCallDesignator>>(std::move(n->Designator));
            else
                result = std::make_unique<DesignatorNode>(std::move(n->Designator));
        }
        break;
    }
    case BuildNode::boOperator: {
        const TfsOpCode op = n->Op;
        if (op == opNone || op == opLeftBracket) {
            result = Generate(n->Left);
            break;
        }
        TfsSetExpression* set = nullptr;
        TClass isClass = nullptr;
        if (op == opIn && n->Right && n->Right->Operand == BuildNode::boSet) set = n->Right->Set.get();
        if (op == opIs && n->Right && n->Right->Operand == BuildNode::boDesignator) {
            const auto& elems = n->Right->Designator->Elements();
            if (elems.size() == 1 && elems[0].Ref && elems[0].Ref->Kind() == TfsItemKind::Class)
                isClass = static_cast<TfsClassVariable*>(elems[0].Ref)->ClassRef();
        }
        std::unique_ptr<TfsExprNode> l = Generate(n->Left);
        std::unique_ptr<TfsExprNode> r = (op == opNot || op == opUnMinus) ? nullptr : Generate(n->Right);
        switch (op) {
        case opGreat:
        case opLess:
        case opLessEq:
        case opGreatEq:
        case opNonEq:
        case opEq: result = MakeCompare(op, std::move(l), std::move(r)); break;
        case opPlus:
        case opMinus:
        case opMul:
        case opDivInt:
        case opMod:
            if (IntConstOnRight(l, r))
                result = l->Direct ? MakeArithConst<true>(n->IntFlag, op, l, r) : MakeArithConst<false>(n->IntFlag, op, l, r);
            if (!result)
                result = n->IntFlag ? MakeArith<IntArithNode>(op, std::move(l), std::move(r))
                                    : MakeArith<VarArithNode>(op, std::move(l), std::move(r));
            break;
        case opDivFloat: result = std::make_unique<VarArithNode<opDivFloat>>(op, std::move(l), std::move(r)); break;
        case opStrCat: result = std::make_unique<StrCatNode>(op, std::move(l), std::move(r)); break;
        case opOr:
            if (n->BoolFlag) result = std::make_unique<ShortCircuitNode>(op, std::move(l), std::move(r));
            else result = std::make_unique<VarArithNode<opOr>>(op, std::move(l), std::move(r));
            break;
        case opAnd:
            if (n->BoolFlag) result = std::make_unique<ShortCircuitNode>(op, std::move(l), std::move(r));
            else result = std::make_unique<VarArithNode<opAnd>>(op, std::move(l), std::move(r));
            break;
        case opXor: result = std::make_unique<VarArithNode<opXor>>(op, std::move(l), std::move(r)); break;
        case opShl: result = std::make_unique<VarArithNode<opShl>>(op, std::move(l), std::move(r)); break;
        case opShr: result = std::make_unique<VarArithNode<opShr>>(op, std::move(l), std::move(r)); break;
        case opNot: result = std::make_unique<NotNode>(op, std::move(l), nullptr); break;
        case opUnMinus: result = std::make_unique<NegNode>(op, std::move(l), nullptr); break;
        case opIn: result = std::make_unique<InNode>(std::move(l), std::move(r), set); break;
        case opIs: result = std::make_unique<IsNode>(std::move(l), std::move(r), isClass); break;
        case opNone:
        case opLeftBracket:
        case opRightBracket: result = std::move(l); break;
        }
        break;
    }
    }
    if (result) {
        result->Typ = n->Typ;
        result->TypeName = n->TypeName;
    }
    return result;
}

std::string TfsExpression::Finalize() {
    BuildNode* top = FBuildRoot->Left;
    std::string errorPos;
    if (top) Check(top, errorPos);
    Typ = top ? top->Typ : uint8_t(tcVariant);
    TypeName = top ? top->TypeName : std::string();
    IsReadOnly = true;
    if (top && top->Operand == BuildNode::boDesignator) {
        FRootDesignator = top->Designator.get();
        IsReadOnly = FRootDesignator->IsReadOnly;
    }
    FRoot = Generate(top);
    FBuild.clear();
    FBuildRoot = FCurrent = nullptr;
    return errorPos;
}

void TfsExpression::SetValue(const Variant& value) {
    if (!IsReadOnly && FRootDesignator) FRootDesignator->SetValue(value);
}

TfsCustomVariable* TfsExpression::GetVariable() const {
    if (!FRootDesignator || FRootDesignator->DesignatorKind() != TfsDesignator::dkVariable) return nullptr;
    return static_cast<TfsVariableDesignator*>(FRootDesignator)->Variable();
}

bool TfsExpression::IsConstant() const { return dynamic_cast<ConstNode*>(FRoot.get()) != nullptr; }

bool TfsExpression::DirectComparison(TfsOpCode& op, const Variant*& left, const Variant*& right) const {
    auto* root = dynamic_cast<BinaryNode*>(FRoot.get());
    if (!root || root->Op < opGreat || root->Op > opEq || !root->L || !root->R) return false;
    if (!root->L->Direct || !root->R->Direct) return false;
    op = root->Op;
    left = root->L->Direct;
    right = root->R->Direct;
    return true;
}

char TfsExpression::Optimize(TfsCustomVariable* target) {
    auto* root = dynamic_cast<BinaryNode*>(FRoot.get());
    if (!root || !target) return 0;
    char op;
    switch (root->Op) {
    case opPlus: op = '+'; break;
    case opMinus: op = '-'; break;
    case opMul: op = '*'; break;
    case opDivFloat: op = '/'; break;
    default: return 0;
    }
    auto isTarget = [target](const TfsExprNode* n) {
        const auto* v = dynamic_cast<const VarNode*>(n);
        return v && v->Var == target;
    };
    std::unique_ptr<TfsExprNode> rest;
    if (isTarget(root->L.get())) {
        rest = std::move(root->R);
    } else if ((op == '+' || op == '*') && isTarget(root->R.get()) &&
               (target->Typ == tcInteger || target->Typ == tcExtended) &&
               (dynamic_cast<ConstNode*>(root->L.get()) || dynamic_cast<VarNode*>(root->L.get()))) {
        rest = std::move(root->L);
    } else {
        return 0;
    }
    FRoot = std::move(rest);
    FRootDesignator = nullptr;
    if (auto* v = dynamic_cast<VarNode*>(FRoot.get())) FRootDesignator = v->Owner.get();
    else if (auto* d = dynamic_cast<DesignatorNode*>(FRoot.get())) FRootDesignator = d->Designator.get();
    return op;
}

// --- Set expressions -----------------------------------------------------------------------

TfsSetExpression::TfsSetExpression() : TfsCustomVariable(std::string(), tcVariant, std::string(), TfsItemKind::Expression) {}

TfsSetExpression::~TfsSetExpression() = default;

Variant TfsSetExpression::GetValue() {
    std::vector<Variant> values;
    values.reserve(FItems.size());
    for (const auto& item : FItems) values.push_back(item ? item->Evaluate() : Variant(0));
    return VarArrayOf(std::move(values));
}

bool TfsSetExpression::Check(const Variant& value) {
    const size_t n = FItems.size();
    for (size_t i = 0; i < n;) {
        if (i + 2 < n && !FItems[i + 1]) {
            const int low = VarCompare(value, FItems[i]->Evaluate());
            if (low == 0 || low == 1) {
                const int high = VarCompare(value, FItems[i + 2]->Evaluate());
                if (high == 0 || high == -1) return true;
            }
            i += 3;
            continue;
        }
        if (FItems[i] && VarEquals(value, FItems[i]->Evaluate())) return true;
        ++i;
    }
    return false;
}
