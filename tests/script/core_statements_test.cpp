// Statements end to end: every statement kind, procedures and functions, var parameters,
// recursion, try/except and try/finally with break and exit, declarations.
#include "core_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ProgramCase {
    const char* Name;
    const char* Source;
    const char* Output;
};

class StatementTest : public ::testing::TestWithParam<ProgramCase> {};

TEST_P(StatementTest, Runs) {
    TestScript t;
    EXPECT_EQ(t.Run(GetParam().Source), GetParam().Output);
}

const ProgramCase kPrograms[] = {
    {"IfElse", "begin if 1 < 2 then Out('a') else Out('b'); if 1 > 2 then Out('c') else Out('d') end.", "a d"},
    {"CaseRangesElseAndEmptyBranch",
     "var i: Integer;\n"
     "begin for i := 0 to 6 do case i of 1: Out('one'); 3..5: Out('range'); 2: ; else Out('else') end end.",
     "else one range range range else"},
    {"CaseRunsFirstMatchOnly", "begin case 2 of 1..3: Out('a'); 2: Out('b') end end.", "a"},
    {"ForKeepsLastValue",
     "var i: Integer;\n"
     "begin for i := 1 to 3 do Out(i); Out(i); for i := 5 to 1 do Out('x');\n"
     "for i := 3 downto 1 do Out(i); for i := 1 downto 5 do Out('y'); Out(i) end.",
     "1 2 3 3 3 2 1 1"},
    {"ForReadsBoundsOnce",
     "var i, n: Integer; begin n := 3; for i := 1 to n do begin n := 10; Out(i) end; Out(n) end.", "1 2 3 10"},
    {"ForOverExtendedVariable", "var x: Extended; begin for x := 1 to 2 do Out(x / 2) end.", "0.5 1"},
    {"WhileAndRepeat",
     "var i: Integer;\n"
     "begin i := 0; while i < 3 do i := i + 1; Out(i); while False do Out('never');\n"
     "repeat Out('once') until True; repeat i := i - 1 until i = 0; Out(i) end.",
     "3 once 0"},
    {"BreakAndContinueInNestedLoops",
     "var i, j: Integer;\n"
     "begin for i := 1 to 3 do begin for j := 1 to 3 do begin if j = 2 then continue;\n"
     "if j = 3 then break; Out(i * 10 + j) end; if i = 2 then break end; Out(i) end.",
     "11 21 2"},
    {"ContinueRetestsTheCondition",
     "var i: Integer; begin i := 0; while i < 5 do begin i := i + 1; if i mod 2 = 0 then continue; Out(i) end end.",
     "1 3 5"},
    {"ContinueInRepeat",
     "var i: Integer; begin i := 0; repeat i := i + 1; if i = 2 then continue; Out(i) until i >= 3 end.", "1 3"},
    {"ExitLeavesOnlyTheProcedure",
     "procedure P; begin Out('a'); exit; Out('b') end;\nbegin P; Out('c'); exit; Out('d') end.", "a c"},
    {"TryExceptConsumesTheError",
     "begin try Out('a'); RaiseException('x'); Out('b') except Out('c') end; Out('d') end.", "a c d"},
    {"TryFinallyPropagates",
     "begin try try RaiseException('x') finally Out('f') end; Out('not') except Out('e') end end.", "f e"},
    {"FinallyRunsWholeAfterBreak",
     "var i: Integer;\n"
     "begin for i := 1 to 3 do try if i = 2 then break; Out(i) finally Out('f'); Out('g') end; Out(i) end.",
     "1 f g f g 2"},
    {"FinallyRunsWholeAfterContinue",
     "var i: Integer;\n"
     "begin for i := 1 to 2 do try if i = 1 then continue; Out(i) finally Out('f'); Out('g') end end.",
     "f g 2 f g"},
    {"ExitThroughFinally",
     "procedure P; begin try Out('a'); exit; Out('b') finally Out('f') end; Out('after') end;\n"
     "begin P; Out('main') end.",
     "a f main"},
    {"ErrorInsideLoopInsideTry",
     "var i: Integer; begin try for i := 1 to 5 do begin if i = 3 then RaiseException('x'); Out(i) end\n"
     "except Out('e') end; Out(i) end.",
     "1 2 e 3"},
    {"RecursionRestoresLocals",
     "function Fact(n: Integer): Integer; var k: Integer;\n"
     "begin k := n; if n <= 1 then Result := 1 else Result := n * Fact(n - 1); Out(k) end;\n"
     "begin Out(Fact(4)) end.",
     "1 2 3 4 24"},
    {"VarParametersAndDefaults",
     "procedure P(var x: Integer; d: Integer = 2); begin x := x + d end;\n"
     "var v: Integer; begin v := 1; P(v); Out(v); P(v, 10); Out(v) end.",
     "3 13"},
    {"VarParameterThroughRecursion",
     "procedure Inc3(var c: Integer; n: Integer); begin if n > 0 then Inc3(c, n - 1); c := c + 1 end;\n"
     "var g: Integer; begin g := 0; Inc3(g, 2); Out(g) end.",
     "3"},
    {"ArgumentsReadOldParameterValues",
     "function Swap(a, b: Integer): Integer; begin if a > b then Result := Swap(b, a) else Result := a * 10 + b end;\n"
     "begin Out(Swap(7, 3)) end.",
     "37"},
    {"TargetReadBeforeTheRightSide",
     "var x: Integer; function F: Integer; begin x := 100; Result := 1 end;\nbegin x := 1; x := x + F; Out(x) end.",
     "2"},
    {"RewriteKeepsTextOfVariants", "var s: Variant; begin s := 'b'; s := 'a' + s; Out(s) end.", "ab"},
    {"RewriteOfStrings", "var s: String; begin s := 'b'; s := 'a' + s; s := s + 'c'; Out(s) end.", "abc"},
    {"AppendLeavesCopiesAlone",
     "var s, t: String; v: Variant; begin s := 'ab'; t := s; s := s + 'c'; s := s + s; v := s; s := s + '!';\n"
     "Out(t); Out(v); Out(s) end.",
     "ab abcabc abcabc!"},
    {"RewriteOfIntegers", "var i: Integer; begin i := 2; i := 3 * i; i := i - 1; Out(i) end.", "5"},
    {"IntegerVariableHoldsFloatFromSlash", "var i: Integer; begin i := 7 / 2; Out(i) end.", "3.5"},
    {"CallBeforeDeclarationText",
     "procedure A; begin Out(B(2)) end;\nfunction B(x: Integer): Integer; begin Result := x * 2 end;\nbegin A end.",
     "4"},
    {"NestedProcedureSeesOuterLocals",
     "procedure Outer; var x: Integer; procedure Inner; begin x := x + 1 end; begin x := 1; Inner; Out(x) end;\n"
     "begin Outer end.",
     "2"},
    {"ConstantsAndInitialisedVariables",
     "const C = 2 + 3; var i: Integer = 4; s: String = 'q'; begin Out(C * i); Out(s) end.", "20 q"},
    {"DefaultsByType",
     "var i: Integer; e: Extended; b: Boolean; s: String; v: Variant;\n"
     "begin Out(i); Out(e); Out(b); Out('[' + s + ']'); Out(VarType(v)) end.",
     "0 0 False [] 0"},
    {"CharVariableConvertsOnWrite", "var c: Char; v: Variant; begin c := 'abc'; Out(c); v := 5; c := v; Out(VarType(c)) end.",
     "abc 256"},
    {"Arrays",
     "var a: array[1..2, 0..1] of Integer; b: array[3] of Variant;\n"
     "begin a[2, 1] := 7; b[2] := 'x'; b[0] := a[2, 1] + 1; Out(a[2, 1]); Out(b[2]); Out(b[0]) end.",
     "7 x 8"},
    {"ArrayIndexOutOfRange", "var b: array[3] of Variant; begin b[3] := 1 end.",
     "error: Variant or safe array index out of bounds"},
    {"FourDimensionalArray",
     "var a: array[2, 2, 2, 2] of Integer; begin a[1, 0, 1, 1] := 5; Out(a[1, 0, 1, 1]); Out(VarType(a[0, 0, 0, 0])) end.",
     "5 0"},
    {"StringCharacters",
     "var s: String; begin s := 'abc'; s[2] := 'X'; Out(s); Out(s[3]); s := '中文'; Out(s[2]) end.", "aXc c 文"},
    {"StringIndexOutOfRange", "var s: String; begin s := 'abc'; Out(s[4]) end.", "error: List index out of bounds (4)"},
    {"StringWriteOutOfRange", "var s: String; begin s := 'abc'; s[0] := 'x' end.", "error: List index out of bounds (0)"},
    {"WithOverAStringVariableNeedsAClass", "var s: String; begin with s do Out(1) end.", "compile: 需要类型 at 1:27"},
    {"AddressOfGivesTheName", "procedure P; begin end; var s: String; begin s := @P; Out(s) end.", "P"},
    // The call frame: what a recursive call saves and puts back.
    {"ParameterChangedInsideTheCalleeComesBack",
     "procedure P(n: Integer); begin if n > 0 then begin n := n * 10; P(n div 10 - 1); Out(n) end end;\n"
     "begin P(3) end.",
     "10 20 30"},
    {"ManyLocalsComeBack",
     "function F(n: Integer): Integer; var a, b, c, d, e, g, h, i, j, k: Integer; s: String;\n"
     "begin a := n; b := n + 1; c := n + 2; d := n + 3; e := n + 4; g := n + 5; h := n + 6; i := n + 7;\n"
     "j := n + 8; k := n + 9; s := 'n' + IntToStr(n);\n"
     "if n > 0 then Result := F(n - 1) else Result := 0;\n"
     "Out(s + ':' + IntToStr(a + b + c + d + e + g + h + i + j + k)); Result := Result + k end;\n"
     "begin Out(F(2)) end.",
     "n0:45 n1:55 n2:65 30"},
    {"StringParametersAndLocalsComeBack",
     "function F(s: String; n: Integer): String; var t: String;\n"
     "begin t := s + '!'; if n > 0 then Result := F(t, n - 1) + '|' + t + s else Result := '' end;\n"
     "begin Out(F('a', 2)) end.",
     "|a!!a!|a!a"},
    // Locals are not reset: an inner call starts with its caller's values, the outermost call
    // with what the last outermost call left.
    {"TheInnerCallStartsWithTheCallersLocals",
     "function F(n: Integer): Integer; var k: Integer;\n"
     "begin Out(k); k := n; if n > 0 then Result := F(n - 1) else Result := 0 end;\n"
     "begin F(2); F(1) end.",
     "0 2 1 2 1"},
    {"ErrorHalfwayThroughAnArgumentLeavesTheCallerAsItWas",
     "function F(n: Integer): Integer; var k: Integer;\n"
     "begin k := n; if n = 0 then RaiseException('x');\n"
     "try Result := F(n - 1) + F(1 div (n - n)) except Result := k * 100 end end;\n"
     "begin Out(F(2)); Out(F(2)) end.",
     "200 200"},
    // A var argument naming the caller's own local: each level's local receives what the
    // inner call left in it, so level n ends with n + (n - 1) + ... + 1.
    {"VarArgumentBoundToTheCallersLocal",
     "procedure Count(n: Integer; var total: Integer); var own: Integer;\n"
     "begin own := n; if n > 0 then Count(n - 1, own); total := total + own end;\n"
     "var t: Integer; begin t := 0; Count(4, t); Out(t) end.",
     "10"},
    // A nested procedure changes the local of the activation of Outer that is running, also
    // while Outer recurses: Outer(n) = n + Outer(n - 1).
    {"NestedProcedureChangesTheRunningOuterLocal",
     "function Outer(n: Integer): Integer; var acc: Integer;\n"
     "procedure Add(k: Integer); begin acc := acc + k end;\n"
     "begin acc := 0; Add(n); if n > 0 then Add(Outer(n - 1)); Result := acc end;\n"
     "begin Out(Outer(4)) end.",
     "10"},
    // An error raised three levels down passes two frames and is caught in the third: that
    // caller finds its own parameter and local again.
    {"ErrorLeavingSeveralFrames",
     "function Down(n: Integer): Integer; var mine: Integer;\n"
     "begin mine := n * 10; if n = 0 then RaiseException('bottom');\n"
     "if n = 3 then try Result := Down(n - 1) except Result := mine + n end else Result := Down(n - 1) end;\n"
     "begin Out(Down(3)); Out(Down(5)) end.",
     "33 33"},
    {"RunawayRecursionRaises", "procedure P; begin P end; begin try P except Out('caught') end; P end.",
     "caught error: Stack overflow"},
    {"FunctionWithoutResultAssignmentIsNull", "function F: Integer; begin end; begin Out(VarType(F)) end.", "1"},
};

INSTANTIATE_TEST_SUITE_P(Core, StatementTest, ::testing::ValuesIn(kPrograms),
                         [](const auto& info) { return std::string(info.param.Name); });

// Recursive functions of every count of parameters and locals from none to four (calls of
// up to three of each have frames of their own, more take the general one): at each level
// the parameters and locals are set from the depth, the function calls itself three levels
// deep, and after the inner call returns every value must be the level's own again.
struct FrameShape {
    int Params;
    int Locals;
};

class FrameShapeTest : public ::testing::TestWithParam<FrameShape> {};

TEST_P(FrameShapeTest, EveryLevelGetsItsValuesBack) {
    const auto [params, locals] = GetParam();
    auto list = [](const char* prefix, int count, const std::string& sep) {
        std::string s;
        for (int i = 1; i <= count; ++i) s += (i > 1 ? sep : std::string()) + prefix + std::to_string(i);
        return s;
    };
    auto values = [](int count, const std::string& of) {
        std::string s;
        for (int i = 1; i <= count; ++i) s += (i > 1 ? ", " : "") + of + " + " + std::to_string(i);
        return s;
    };
    // Level d gets arguments d * 10 + i and sets its locals to d * 100 + j.
    std::string source = "var d: Integer;\nfunction F" + (params ? "(" + list("a", params, ", ") + ": Integer)" : "") +
                         ": Integer;\n" + (locals ? "var " + list("b", locals, ", ") + ": Integer;\n" : "") + "begin\n";
    for (int j = 1; j <= locals; ++j) source += "b" + std::to_string(j) + " := d * 100 + " + std::to_string(j) + ";\n";
    source += "if d < 3 then begin d := d + 1; Result := F" + (params ? "(" + values(params, "d * 10") + ")" : "") +
              "; d := d - 1 end else Result := 0;\nOut(IntToStr(d)";
    for (int i = 1; i <= params; ++i) source += " + ' ' + IntToStr(a" + std::to_string(i) + ")";
    for (int j = 1; j <= locals; ++j) source += " + ' ' + IntToStr(b" + std::to_string(j) + ")";
    source += ");\nResult := Result + 1\nend;\nbegin d := 0; Out(F" + (params ? "(" + values(params, "0") + ")" : "") +
              ") end.";
    std::string expected;
    for (int d = 3; d >= 0; --d) {
        expected += std::to_string(d);
        for (int i = 1; i <= params; ++i) expected += ' ' + std::to_string(d * 10 + i);
        for (int j = 1; j <= locals; ++j) expected += ' ' + std::to_string(d * 100 + j);
        expected += ' ';
    }
    expected += "4";
    TestScript t;
    EXPECT_EQ(t.Run(source), expected) << source;
}

std::vector<FrameShape> AllShapes() {
    std::vector<FrameShape> shapes;
    for (int p = 0; p <= 4; ++p)
        for (int l = 0; l <= 4; ++l) shapes.push_back({p, l});
    return shapes;
}

INSTANTIATE_TEST_SUITE_P(Core, FrameShapeTest, ::testing::ValuesIn(AllShapes()), [](const auto& info) {
    return "Params" + std::to_string(info.param.Params) + "Locals" + std::to_string(info.param.Locals);
});

// Loops whose body is a single statement run it in place: break, continue and exit inside
// it, an error leaving it (recorded at the statement in the body) and Terminate from the
// hook behave as with a block of statements.
struct LoopBodyCase {
    const char* Name;
    const char* Source;
    const char* Output;
    const char* ErrorPos;
};

class LoopBodyTest : public ::testing::TestWithParam<LoopBodyCase> {};

TEST_P(LoopBodyTest, Runs) {
    TestScript t;
    EXPECT_EQ(t.Run(GetParam().Source), GetParam().Output);
    EXPECT_EQ(t.Script.RunErrorPos(), GetParam().ErrorPos);
}

const LoopBodyCase kLoopBodies[] = {
    {"ForBreak", "var i: Integer; begin for i := 1 to 5 do if i = 3 then break; Out(i) end.", "3", ""},
    {"ForContinue", "var i: Integer; begin for i := 1 to 3 do if i = 2 then continue else Out(i); Out(i) end.", "1 3 3", ""},
    {"ForExit",
     "procedure P; var i: Integer; begin for i := 1 to 5 do if i = 2 then exit else Out(i); Out('after') end;\n"
     "begin P; Out('main') end.",
     "1 main", ""},
    {"WhileBreak", "var i: Integer; begin i := 0; while i < 10 do if i = 4 then break else i := i + 1; Out(i) end.", "4", ""},
    {"RepeatBreakAndCondition",
     "var i: Integer; begin i := 0; repeat if i = 5 then break else i := i + 1 until False; Out(i);\n"
     "repeat i := i - 1 until i = 2; Out(i) end.",
     "5 2", ""},
    {"ErrorInTheBody", "var i: Integer; begin for i := 1 to 3 do\r\n  Out(10 div (2 - i)) end.", "10 error: Division by zero",
     "2:3"},
    {"ErrorInAWhileBody", "var i: Integer; begin i := 2; while True do\r\n  i := 10 div (i - 1) end.", "error: Division by zero",
     "2:3"},
    {"FinallyAsTheBody", "var i: Integer; begin for i := 3 downto 1 do try Out(i) finally Out('f') end end.", "3 f 2 f 1 f", ""},
    {"EmptyRanges", "var i: Integer; begin i := 0; while i < 3 do i := i + 1; Out(i); for i := 1 to 0 do Out('never'); Out(i) end.",
     "3 3", ""},
};

INSTANTIATE_TEST_SUITE_P(Core, LoopBodyTest, ::testing::ValuesIn(kLoopBodies),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(LoopBody, TerminateFromTheHookStopsTheLoop) {
    for (const char* loop : {"for i := 1 to 10 do", "while k < 10 do", "repeat"}) {
        TestScript t;
        int hits = 0;
        t.Setup = [&](TfsScript& s) {
            s.AddMethod("function Step(i: Integer): Integer", [&t](TObject*, TClass, const std::string&, TfsParams& p) {
                t.Output.push_back(VarToStr(p[0]));
                return Variant(p[0].AsInteger() + 1);
            });
            s.OnRunLine = [&](TfsScript*, const std::string&, const std::string& pos) {
                if (pos == "3:3" && ++hits == 3) t.Script.Terminate();
            };
        };
        const std::string tail = std::string(loop) == "repeat" ? "\r\n  until k >= 10" : "";
        const std::string source = std::string("var i, k: Integer;\r\nbegin i := 1; k := 1; ") + loop +
                                   "\r\n  k := Step(k)" + tail + ";\r\n  Out('end') end.";
        EXPECT_EQ(t.Run(source), "1 2") << loop;
    }
}

}  // namespace
