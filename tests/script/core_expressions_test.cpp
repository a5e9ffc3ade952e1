// Expressions: priorities, the integer path, Variant rules, sets, and their type checks,
// evaluated through TfsScript::Evaluate.
#include "core_helpers.h"

#include <gtest/gtest.h>

namespace {

struct ExprCase {
    const char* Name;
    const char* Expression;
    const char* Expected;   // VarToStr of the value (or the compile error text)
};

class ExpressionTest : public ::testing::TestWithParam<ExprCase> {};

TEST_P(ExpressionTest, Evaluates) {
    const ExprCase& c = GetParam();
    TfsScript script;
    EXPECT_EQ(VarToStr(script.Evaluate(c.Expression)), c.Expected) << c.Expression;
}

const ExprCase kExpressions[] = {
    {"MultiplicationFirst", "1 + 2 * 3", "7"},
    {"Brackets", "(1 + 2) * 3", "9"},
    {"LeftAssociative", "2 - 3 - 4", "-5"},
    {"NestedBrackets", "((2 + 3) * (4 - 1)) div 2", "7"},
    {"UnaryMinusBindsTightest", "-7 div 2", "-3"},
    {"ModTruncates", "-7 mod 2", "-1"},
    {"SlashIsFloating", "7 / 2", "3.5"},
    {"NotBindsTightest", "not 1 = 1", "False"},
    {"BitwiseAnd", "6 and 3", "2"},
    {"BitwiseNot", "not 5", "-6"},
    {"Xor", "5 xor 3", "6"},
    {"Shifts", "(1 shl 4) + (256 shr 4)", "32"},
    {"Hex", "$FF + 1", "256"},
    // A literal that looks like a character reference passes the intermediate tree as it is.
    {"ReferenceTextInALiteral", "'&#60;' + '&'", "&#60;&"},
    {"IntegerPathIn64Bits", "3000000000 + 1", "3000000001"},
    {"ProductBeyond32Bits", "100000 * 100000", "10000000000"},
    {"SmallResultIsInteger", "VarType(1 + 2)", "3"},
    {"LiteralIsInt64", "VarType(5)", "20"},
    {"LargeResultIsInt64", "VarType(3000000000 + 1)", "20"},
    {"MixedFloat", "1 + 0.5", "1.5"},
    {"StringConcat", "'a' + 'b'", "ab"},
    {"StringCompareByBytes", "'abc' < 'abd'", "True"},
    {"StringEquality", "'x' = 'x'", "True"},
    {"BooleanAnd", "(1 < 2) and (3 < 2)", "False"},
    {"BooleanOr", "(1 < 2) or (3 < 2)", "True"},
    {"BooleanEquality", "(1 = 1) = True", "True"},
    {"InSetElement", "3 in [1, 2..4]", "True"},
    {"InSetUpperBound", "4 in [1, 2..4]", "True"},
    {"NotInSet", "5 in [1, 2..4]", "False"},
    {"StringInSet", "'b' in ['a', 'b']", "True"},
    {"NullEqualsNull", "Null = Null", "True"},
    {"NullPropagates", "VarType(Null + 1)", "1"},
    {"NullIsNotLess", "Null < 1", "False"},
    {"DateArithmeticKeepsDate", "VarType(EncodeDate(2024, 1, 1) + 1)", "7"},
    {"StringMismatch", "'a' * 2", "类型不兼容"},
    {"BooleanArithmetic", "True + 1", "类型不兼容"},
    {"Undeclared", "x + 1", "标识符未申明: 'x'"},
    {"Incomplete", "1 +", "';' expected"},
};

INSTANTIATE_TEST_SUITE_P(Core, ExpressionTest, ::testing::ValuesIn(kExpressions),
                         [](const auto& info) { return std::string(info.param.Name); });

// Run-time errors of expressions raise with the Variant's texts; the script stays usable.
TEST(ExpressionErrors, RaiseAndLeaveTheScriptUsable) {
    struct Case {
        const char* Expression;
        const char* Message;
    } cases[] = {
        {"1 div 0", "Division by zero"},
        {"1 mod 0", "Division by zero"},
        {"1 / 0", "Division by zero"},
        {"StrToInt('x') + 1", "'x' 不是有效的整数"},
        {"Sqrt(-1)", "Invalid floating point operation"},
    };
    TfsScript script;
    for (const Case& c : cases) {
        try {
            script.Evaluate(c.Expression);
            ADD_FAILURE() << c.Expression << " did not raise";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.Message) << c.Expression;
        }
        EXPECT_EQ(VarToStr(script.Evaluate("2 * 21")), "42");
    }
}

// AND/OR of two Booleans skip the right side once the left decided; of integers they are
// bitwise and evaluate both sides.
TEST(ExpressionShortCircuit, SkipsTheRightSideOfDecidedBooleans) {
    TestScript t;
    EXPECT_EQ(t.Run("var n: Integer; b: Boolean;\n"
                    "function F: Boolean; begin n := n + 1; Result := True end;\n"
                    "function G: Integer; begin n := n + 10; Result := 1 end;\n"
                    "begin\n"
                    "  b := True; if b or F then Out(n);\n"
                    "  b := False; if b and F then Out('never');\n"
                    "  Out(n);\n"
                    "  if b or F then Out(n);\n"
                    "  Out(0 and G); Out(n)\n"
                    "end."),
              "0 0 1 0 11");
}

// Operands are taken left to right: a variable on the left keeps the value it had before a
// call on the right changed it; on the right it is read after the left side ran. Host
// functions get their arguments in order, defaults filled in and var parameters written back.
TEST(ExpressionOperands, LeftBeforeRightAndHostCallArguments) {
    TestScript t;
    t.Setup = [](TfsScript& s) {
        s.AddMethod("function Twice(a: Integer; b: Integer = 5): String",
                    [](TObject*, TClass, const std::string& name, TfsParams& p) {
                        return Variant(name + ":" + VarToStr(p[0]) + "," + VarToStr(p[1]));
                    });
        s.AddMethod("function Bump(var a: Integer): Integer", [](TObject*, TClass, const std::string&, TfsParams& p) {
            p[0] = Variant(p[0].AsInteger() + 100);
            return Variant(1);
        });
    };
    EXPECT_EQ(t.Run("var n, m: Integer; s: String;\n"
                    "function F: Integer; begin n := n + 10; Result := 1 end;\n"
                    "begin\n"
                    "  n := 1; Out(n + F); Out(F + n); Out(n < F); Out(n * 2 - F);\n"
                    "  m := 2; Out(Twice(m + 1)); Out(Twice(m, m * 3)); Out(Bump(m) + m); Out(m);\n"
                    "  s := 'a'; Out(s + Twice(1))\n"
                    "end."),
              "2 22 False 61 TWICE:3,5 TWICE:2,6 103 102 aTWICE:1,5");
}

// An operator with a variable (or constant) on the left and an integer constant on the right
// has a node of its own; it answers exactly as the general node does, which the same operator
// with a variable holding the constant on the right still takes: value, kind, or error text.
TEST(ExpressionIntegerConstant, AnswersAsTheGeneralNode) {
    struct Operand {
        const char* Type;
        const char* Value;
    } operands[] = {
        {"Integer", "5"},          {"Integer", "2147483647"}, {"Integer", "-2147483647 - 1"},
        {"Integer", "7 / 2"},      {"Integer", "5 / 2"},      {"Integer", "3000000000"},
        {"Variant", "5"},          {"Variant", "'7'"},        {"Variant", "'abc'"},
        {"Variant", "Null"},       {"Variant", "True"},       {"Variant", "3000000000"},
        {"Variant", "9223372036854775807"}, {"Variant", "2.5"}, {"Extended", "2.5"},
        {"Variant", "EncodeDate(2024, 1, 1)"}, {"Variant", "StrToCurr('1.5')"},
    };
    const char* constants[] = {"2", "0", "3000000000", "9223372036854775807"};
    const char* operators[] = {"<", ">", "<=", ">=", "=", "<>", "+", "-", "*"};
    TestScript t;
    int compared = 0;
    for (const Operand& o : operands)
        for (const char* k : constants)
            for (const char* op : operators) {
                const std::string head = std::string("var x: ") + o.Type + "; k: Integer;\nbegin x := " + o.Value +
                                         "; k := " + k + "; ";
                const std::string tail = "; Out(VarType(x)) end.";
                const std::string special = t.Run(head + "Out(x " + op + " " + k + "); Out(VarType(x " + op + " " + k + "))" + tail);
                const std::string general = t.Run(head + "Out(x " + op + " k); Out(VarType(x " + op + " k))" + tail);
                EXPECT_EQ(special, general) << o.Type << " " << o.Value << " " << op << " " << k;
                ++compared;
            }
    EXPECT_EQ(compared, 17 * 4 * 9);
    // Inside a function, with the parameter on the left (the recursive calls' n - 1, n < 2).
    EXPECT_EQ(t.Run("function F(n: Integer): Integer; begin if n < 2 then Result := n else Result := F(n - 1) + F(n - 2) end;\n"
                    "begin Out(F(10)); Out(F(7 / 2)); Out(VarType(F(1))) end."),
              "55 3 20");
}

// The same node with a left operand that is evaluated (a host call, a script function typed
// like the variable, a bracketed sum): value, kind, or error text as the general node's. Id
// has one argument, so it also goes the host call's one-argument way.
TEST(ExpressionIntegerConstant, EvaluatedLeftAnswersAsTheGeneralNode) {
    struct Operand {
        const char* Type;
        const char* Value;
    } operands[] = {
        {"Integer", "5"},          {"Integer", "2147483647"}, {"Integer", "-2147483647 - 1"},
        {"Integer", "7 / 2"},      {"Integer", "3000000000"}, {"Extended", "2.5"},
        {"Variant", "5"},          {"Variant", "'7'"},        {"Variant", "'abc'"},
        {"Variant", "Null"},       {"Variant", "True"},       {"Variant", "3000000000"},
        {"Variant", "9223372036854775807"}, {"Variant", "2.5"}, {"Variant", "EncodeDate(2024, 1, 1)"},
        {"Variant", "'2.5'"},
    };
    const char* lefts[] = {"Id(x)", "G", "(G + 0)"};
    const char* constants[] = {"2", "0", "3000000000", "9223372036854775807"};
    const char* operators[] = {"<", ">", "<=", ">=", "=", "<>", "+", "-", "*"};
    TestScript t;
    t.Setup = [](TfsScript& s) {
        s.AddMethod("function Id(v: Variant): Variant", [](TObject*, TClass, const std::string&, TfsParams& p) { return p[0]; });
    };
    int compared = 0;
    for (const Operand& o : operands)
        for (const char* left : lefts)
            for (const char* k : constants)
                for (const char* op : operators) {
                    const std::string head = std::string("var x: ") + o.Type + "; k: Integer;\nfunction G: " + o.Type +
                                             "; begin Result := x end;\nbegin x := " + o.Value + "; k := " + k + "; ";
                    const std::string l = left;
                    const std::string special =
                        t.Run(head + "Out(" + l + " " + op + " " + k + "); Out(VarType(" + l + " " + op + " " + k + ")) end.");
                    const std::string general =
                        t.Run(head + "Out(" + l + " " + op + " k); Out(VarType(" + l + " " + op + " k)) end.");
                    EXPECT_EQ(special, general) << o.Type << " " << o.Value << " " << left << " " << op << " " << k;
                    EXPECT_EQ(special.rfind("compile:", 0), std::string::npos) << special;
                    ++compared;
                }
    EXPECT_EQ(compared, 16 * 3 * 4 * 9);
    // As conditions (Test) and with a string left that fails: the general node's error.
    EXPECT_EQ(t.Run("var i, n: Integer;\nbegin n := 0; for i := 1 to 5 do if Id(i) * 2 > 6 then n := n + Id(i) - 1; Out(n) end."),
              "7");
    EXPECT_EQ(t.Run("begin Out(Id('abc') * 2) end."), t.Run("var k: Integer; begin k := 2; Out(Id('abc') * k) end."));
}

// A host function with one argument gets its own copy of a constant or variable argument:
// what the callback does to it is not seen by the next call or by the variable.
TEST(ExpressionOperands, OneArgumentHostCallsGetACopy) {
    TestScript t;
    t.Setup = [](TfsScript& s) {
        s.AddMethod("function Spoil(v: Variant): Variant", [](TObject*, TClass, const std::string&, TfsParams& p) {
            Variant was = p[0];
            p[0] = Variant(std::string("spoilt"));
            return was;
        });
    };
    EXPECT_EQ(t.Run("var i: Integer; s: String;\n"
                    "begin s := 'v'; for i := 1 to 2 do begin Out(Spoil('c')); Out(Spoil(s)); Out(Spoil(s + 'x')); Out(Spoil(i * 2)) end; Out(s) end."),
              "c v vx 2 c v vx 4 v");
}

}  // namespace
