// The rules of each language of its own: operators, letter case, string escapes, comments,
// declarations, line handling, units; the tree shapes the builder relies on; and syntax and
// compile errors with their exact messages and positions.
#include "langs_helpers.h"

#include "script/ILParser.h"
#include "script/XMLDocument.h"

#include <gtest/gtest.h>

namespace {

struct RuleCase {
    const char* Name;
    const char* Language;
    const char* Source;
    const char* Output;
};

class LanguageRuleTest : public ::testing::TestWithParam<RuleCase> {};

TEST_P(LanguageRuleTest, Runs) {
    LangRunner runner;
    runner.UnitName = "lib";
    const std::string language = GetParam().Language;
    runner.UnitText = language == "C++Script"  ? "int Twice(int x) { return 2 * x; }\n{ Out(\"unit\"); }\n"
                      : language == "JScript" ? "function Twice(x) { return 2 * x; } Out(\"unit\");\n"
                                              : "Function Twice(x)\nReturn 2 * x\nEnd Function\nOut(\"unit\")\n";
    EXPECT_EQ(runner.Run(language, GetParam().Source), GetParam().Output);
}

const RuleCase kRules[] = {
    // --- C++Script ---
    {"CppCompoundAssignmentsAndIncrements", "C++Script",
     "{ int x = 10; x += 5; x -= 3; x *= 2; x /= 4; Out(x); int i = 1; i++; i++; i--; Out(i); }", "6 2"},
    {"CppOperators", "C++Script",
     "{ Out(1 == 1); Out(1 != 1); Out(!(1 == 2)); Out((1 < 2) && (2 < 1)); Out((1 < 2) || (2 < 1));\n"
     "Out(5 ^ 3); Out(7 % 4); Out(1 << 4); Out(256 >> 2); Out(7 div 2); Out(2 >= 2); Out(1 <= 0); Out(0xFF + 0x10); }",
     "True False True False True 6 3 16 64 3 True False 271"},
    // && binds like a multiplication and || like an addition; comparisons bind loosest.
    {"CppOperatorPrecedence", "C++Script", "{ Out(2 + 6 && 3); Out(1 || 2 * 3); Out(1 + 2 == 3); }", "4 7 True"},
    {"CppStringEscapes", "C++Script",
     "{ Out(\"a\\\"b\"); Out(\"c\\\\d\"); Out(\"e\\tf\"); Out(\"\\x41\\x42\"); Out(\"x\"#65\"y\"); "
     "Out(Length(\"a\\r\\n\")); Out(Ord(\"\\n\")); }",
     "a\"b c\\d etf AB xAy 3 10"},
    // Names and keywords ignore letter case; text compares exactly.
    {"CppTextComparesExactly", "C++Script", "{ Out(\"a\" == \"A\"); Out(\"a\" == \"a\"); Out(\"b\" > \"a\"); }",
     "False True True"},
    {"CppComments", "C++Script", "{ // line comment Out(0);\n/* block\nOut(0); */ Out(1); /* inline */ Out(2); }", "1 2"},
    {"CppLetterCaseIgnored", "C++Script", "{ INT X = 3; IF (x == 3) OUT(X); WHILE (X > 2) { x--; } oUt(x); }", "3 2"},
    {"CppDeclarations", "C++Script",
     "int a = 1, b[2], c = a + 1; float f = 1.5; bool ok = true; long big = 3000000000; string s = \"t\";\n"
     "{ b[1] = c; Out(a); Out(b[1]); Out(f * 2); Out(ok); Out(big + 1); Out(s); }",
     "1 2 3 True 3000000001 t"},
    {"CppDefines", "C++Script", "#define N 4\n#define S \"x\"\n{ Out(N * 2); Out(S + S); }", "8 xx"},
    {"CppInclude", "C++Script", "#include \"lib\"\n{ Out(Twice(21)); }", "unit 42"},
    {"CppVoidIsAProcedure", "C++Script", "void P() { Out(\"p\"); return; Out(\"never\"); } { P(); }", "p"},
    {"CppDefaultAndVarParameters", "C++Script",
     "int F(int a, int b = 10) { return a + b; }\nvoid Inc(int &v, int by = 1) { v += by; }\n"
     "int n = 1; { Out(F(1)); Out(F(1, 2)); Inc(n); Inc(n, 5); Out(n); }",
     "11 3 7"},
    {"CppArrayBoundsStartAtZero", "C++Script", "{ int a[3]; a[0] = 1; a[2] = 3; Out(a[0] + a[2]); a[3] = 1; }",
     "4 error: Variant or safe array index out of bounds"},
    {"CppForWithEmptyParts", "C++Script", "{ int i = 0; for (; i < 3; ) i++; Out(i); }", "3"},
    {"CppEmptyStatements", "C++Script", "{ ; ; if (1 == 1) ; else Out(\"no\"); Out(1); ; }", "1"},
    {"CppSwitchWithoutMatchRunsDefault", "C++Script",
     "{ int i = 9; switch (i) { case 1: Out(1); default: { Out(\"d\"); Out(i); } } switch (i) { case 2: Out(2); } }",
     "d 9"},
    {"CppTextAfterTheMainBlockIsNotRead", "C++Script", "{ Out(1); }\n@@ not read", "1"},
    {"CppReportVariable", "C++Script", "{ Out(<Var1>); Out(<a<b>c>); }", "v:Var1 v:a<b>c"},

    // --- JScript ---
    {"JsNamesNeedNoDeclaration", "JScript", "x = 5; y = x * 2; Out(y);", "10"},
    {"JsVarDeclarations", "JScript", "var a = 1, b, c = \"s\"; Out(a); Out(b); Out(c);", "1  s"},
    {"JsStringEscapes", "JScript", "Out(\"q\\\"q\" + \"\\x41\" + #66); Out(Length(\"\\r\\n\")); Out(\"it's\");",
     "q\"qAB 2 it's"},
    {"JsSemicolonsAreOptional", "JScript", "x = 1\ny = 2 Out(x + y)", "3"},
    {"JsUntypedFunctionsReturnAnything", "JScript",
     "function F() { return \"abc\"; } function G(x) { return x / 2; } Out(F() + \"d\"); Out(G(3));", "abcd 1.5"},
    {"JsVarParameter", "JScript", "function Inc(&v, w) { v++; w++; } n = 1; m = 1; Inc(n, m); Out(n); Out(m);", "2 1"},
    {"JsLetterCaseIgnored", "JScript", "VAR X = 1; IF (x == 1) OUT(X); Function f() { RETURN 2; } out(F());", "1 2"},
    {"JsCompoundOperators", "JScript", "var x = 3; x *= 4; x /= 2; x -= 1; x++; Out(x); Out(0x1F % 8);", "6 7"},
    {"JsImport", "JScript", "import \"lib\"\nOut(Twice(4));", "unit 8"},
    {"JsNestedBlocksAndComments", "JScript", "{ /* a */ { Out(1); } } // done\n{ }", "1"},
    {"JsLanguageDirective", "PascalScript", "#language JScript\nvar a = 2; Out(a * a);", "4"},

    // --- BasicScript ---
    // The join takes the types of "+": a number joins a text held in a Variant.
    {"BasicTextJoin", "BasicScript", "x = 1\nOut(\"a\" & x & \"b\")\nOut(1 & 2)\nOut(\"a\" & \"b\")\n", "a1b 3 ab"},
    {"BasicOperators", "BasicScript",
     "Out(7 \\ 2)\nOut(7 Mod 4)\nOut(1 <> 2)\nOut(Not True)\nOut(True And False)\nOut(True Or False)\n"
     "Out(True Xor True)\nOut(0xF)\nOut(2 >= 3)\nOut(2 <= 3)\nOut(2 = 2)\n",
     "3 3 True False False True False 15 False True True"},
    // "rem" starts a comment only as a whole word, in any letter case.
    {"BasicComments", "BasicScript",
     "' whole line\nx = 1 ' trailing\nRem a remark\nREM upper\nrem lower\nremark = 2\nremaining = x + remark\n"
     "y = /\\ block /\\ 4\nOut(remaining)\nOut(y) rem last\n",
     "3 4"},
    {"BasicStringEscapes", "BasicScript", "Out(\"q\\\"q\" & \"\\x41\" & \"it's\")\nOut(Ord(\"\\n\"))\n",
     "q\"qAit's 10"},
    {"BasicLineContinuation", "BasicScript", "x = 1 + _\n  2 + _\n  3\nOut(x)\n", "6"},
    {"BasicStatementSeparator", "BasicScript", "x = 1 : y = 2 : Out(x + y)\n", "3"},
    {"BasicBlankLinesAndIndentation", "BasicScript", "\n\n   x = 1\n   \n\t\nIf x = 1 Then\n\n   Out(x)\n\nEnd If\n\n",
     "1"},
    {"BasicSetAssigns", "BasicScript", "Set x = 5\nSet b = Box\nOut(x)\nOut(b.Caption)\n", "5 box"},
    {"BasicLetterCaseIgnored", "BasicScript",
     "DIM X AS INTEGER = 1\nif x = 1 then out(X)\nFOR I = 1 TO 2\nOUT(i)\nnext\nsub p\nOut(\"p\")\nEND SUB\nP\n",
     "1 1 2 p"},
    {"BasicTypes", "BasicScript",
     "Dim d As Decimal = 1.5\nDim n As Integer = 2, s As String = \"t\"\nOut(d * n)\nOut(s & s)\n", "3 tt"},
    {"BasicByRefAndByVal", "BasicScript",
     "Sub S(ByRef a, ByVal b)\na = a + 1\nb = b + 1\nEnd Sub\nx = 1\ny = 1\nS(x, y)\nOut(x)\nOut(y)\n", "2 1"},
    {"BasicEmptyParameterBrackets", "BasicScript",
     "Sub P()\nOut(1)\nEnd Sub\nFunction F() As Integer\nReturn 2\nEnd Function\nP()\nOut(F())\n", "1 2"},
    {"BasicFractionalStep", "BasicScript", "For i = 0 To 1 Step 0.5\nOut(i)\nNext\n", "0 0.5 1"},
    {"BasicElseIfWithoutElse", "BasicScript",
     "For i = 1 To 3\nIf i = 1 Then\nOut(\"a\")\nElseIf i = 2 Then\nOut(\"b\")\nEnd If\nNext\n", "a b"},
    {"BasicEmptyCatch", "BasicScript", "Try\nRaiseException(\"x\")\nCatch\nEnd Try\nOut(\"after\")\n", "after"},
    {"BasicExitLeavesASub", "BasicScript", "Sub S\nOut(1)\nExit\nOut(2)\nEnd Sub\nS\nOut(3)\n", "1 3"},
    // A procedure written inside a block is declared there and can be called after it.
    {"BasicSubInsideABlock", "BasicScript", "If True Then\nSub Inner\nOut(\"in\")\nEnd Sub\nEnd If\nInner\n", "in"},
    {"BasicImports", "BasicScript", "Imports \"lib\"\nOut(Twice(5))\n", "unit 10"},
    {"BasicWithoutFinalLineEnd", "BasicScript", "Out(1)", "1"},
    {"BasicReportVariable", "BasicScript", "Out(<Var1>)\n", "v:Var1"},
};

INSTANTIATE_TEST_SUITE_P(Languages, LanguageRuleTest, ::testing::ValuesIn(kRules),
                         [](const auto& info) { return std::string(info.param.Name); });

// --- Tree shapes ---------------------------------------------------------------------------

// The element as name, "=" + text for leaves with a text, children in brackets; positions left out.
std::string Shape(const TfsXMLItem* x) {
    std::string s = x->Name();
    const std::string text = x->Prop("text");
    if (!text.empty()) s += "=" + text;
    if (x->Count() > 0) {
        s += "[";
        for (int i = 0; i < x->Count(); ++i) {
            if (i) s += " ";
            s += Shape(x->Items(i));
        }
        s += "]";
    }
    return s;
}

struct TreeCase {
    const char* Name;
    const char* Language;
    const char* Source;
    const char* Tree;  // the shape of the program's first child
};

class LanguageTreeTest : public ::testing::TestWithParam<TreeCase> {};

TEST_P(LanguageTreeTest, Shape) {
    TfsILParser parser;
    parser.LoadGrammar(GetParam().Language);
    ASSERT_TRUE(parser.BuildIntermediate(GetParam().Source)) << parser.ErrorMsg() << " at " << parser.ErrorPos();
    const TfsXMLItem* root = parser.Document().Root();
    ASSERT_GE(root->Count(), 2);
    EXPECT_EQ(Shape(root->Items(0)), GetParam().Tree);
    EXPECT_EQ(root->Items(root->Count() - 1)->Name(), "types");
}

const TreeCase kTrees[] = {
    {"CppAddAssignHasModificator", "C++Script", "{ x += 1; }",
     "compoundstmt[assignstmt[dsgn[node=x] modificator=+ expr[number=1]]]"},
    {"CppIncrementIsACallWithModificator", "C++Script", "{ i++; j--; }",
     "compoundstmt[callstmt[dsgn[node=i] modificator=+] callstmt[dsgn[node=j] modificator=-]]"},
    {"CppDoWhileEndsWithInverse", "C++Script", "{ do x++; while (x < 3); }",
     "compoundstmt[repeatstmt[callstmt[dsgn[node=x] modificator=+] expr[dsgn[node=x] op=< number=3] inverse]]"},
    {"CppOperatorTexts", "C++Script", "{ x = !a == b != c % d; }",
     "compoundstmt[assignstmt[dsgn[node=x] expr[op=not dsgn[node=a] op== dsgn[node=b] op=<> dsgn[node=c] op=mod "
     "dsgn[node=d]]]]"},
    {"CppTypeBeforeNamesAndArrays", "C++Script", "int a[2][3], b = 1; { }",
     "var[type=int ident=a array[dim[expr[number=2]] dim[expr[number=3]]] ident=b init[expr[number=1]]]"},
    {"CppForParts", "C++Script", "{ for (i = 0, j = 1; i < j; i++) ; }",
     "compoundstmt[cppforstmt[compoundstmt[assignstmt[dsgn[node=i] expr[number=0]] assignstmt[dsgn[node=j] "
     "expr[number=1]]] expr[dsgn[node=i] op=< dsgn[node=j]] compoundstmt[callstmt[dsgn[node=i] modificator=+]] empty]]"},
    {"CppFunctionWithVarParameter", "C++Script", "void P(int &a, float b = 2) { } { }",
     "function[type=void name=P parameters[var[type=int varparam=& ident=a] var[type=float ident=b "
     "init[expr[number=2]]]] compoundstmt]"},
    {"CppAddressOf", "C++Script", "{ x = &P; }", "compoundstmt[assignstmt[dsgn[node=x] expr[dsgn[addr=& node=P]]]]"},
    {"CppIndexesJoin", "C++Script", "{ m[1][2] = 0; }",
     "compoundstmt[assignstmt[dsgn[node=m node=[ expr[number=1] expr[number=2]] expr[number=0]]]"},
    {"CppHexadecimal", "C++Script", "{ x = 0x1F; }", "compoundstmt[assignstmt[dsgn[node=x] expr[number=$1F]]]"},
    {"JsVarIsOneElementPerName", "JScript", "var a, b = 2;",
     "compoundstmt[var[ident=a] var[ident=b init[expr[number=2]]]]"},
    {"JsDoWhileEndsWithInverse", "JScript", "do { x++ } while (x < 3);",
     "compoundstmt[repeatstmt[compoundstmt[callstmt[dsgn[node=x] modificator=+]] expr[dsgn[node=x] op=< number=3] "
     "inverse]]"},
    {"JsFunctionWithoutType", "JScript", "function F(&a, b) { return a; }",
     "compoundstmt[function[name=F parameters[var[varparam=& ident=a] var[ident=b]] compoundstmt[return[expr[dsgn["
     "node=a]]]]]]"},
    {"BasicTextJoinOperator", "BasicScript", "x = a & b\n",
     "compoundstmt[assignstmt[dsgn[node=x] expr[dsgn[node=a] op=strcat dsgn[node=b]]]]"},
    {"BasicOperatorTexts", "BasicScript", "x = a \\ b <> c\n",
     "compoundstmt[assignstmt[dsgn[node=x] expr[dsgn[node=a] op=div dsgn[node=b] op=<> dsgn[node=c]]]]"},
    {"BasicLoopWhileEndsWithInverse", "BasicScript", "Do\nx = 1\nLoop While x < 3\n",
     "compoundstmt[repeatstmt[compoundstmt[assignstmt[dsgn[node=x] expr[number=1]]] expr[dsgn[node=x] op=< "
     "number=3] inverse]]"},
    {"BasicStepFor", "BasicScript", "For i = 1 To 9 Step 2\nNext\n",
     "compoundstmt[vbforstmt[ident=i expr[number=1] expr[number=9] expr[number=2]]]"},
    {"BasicByRefMarksTheNextDeclaration", "BasicScript", "Sub S(ByRef a As Integer, b)\nEnd Sub\n",
     "compoundstmt[procedure[name=S parameters[varparams var[ident=a type=Integer] var[ident=b]]]]"},
    {"BasicSetIsAPlainAssignment", "BasicScript", "Set x = y\n",
     "compoundstmt[assignstmt[dsgn[node=x] expr[dsgn[node=y]]]]"},
    {"BasicSingleLineIf", "BasicScript", "If c Then x = 1 : y = 2\n",
     "compoundstmt[ifstmt[expr[dsgn[node=c]] thenstmt[assignstmt[dsgn[node=x] expr[number=1]] assignstmt[dsgn[node=y] "
     "expr[number=2]]]]]"},
    {"BasicAddressOfAndMemberKeyword", "BasicScript", "x = AddressOf P\nBox.End = 1\n",
     "compoundstmt[assignstmt[dsgn[node=x] expr[dsgn[addr=AddressOf node=P]]] assignstmt[dsgn[node=Box node=End] "
     "expr[number=1]]]"},
};

INSTANTIATE_TEST_SUITE_P(Languages, LanguageTreeTest, ::testing::ValuesIn(kTrees),
                         [](const auto& info) { return std::string(info.param.Name); });

// --- Errors --------------------------------------------------------------------------------

struct ErrorCase {
    const char* Name;
    const char* Language;
    const char* Source;
    const char* Message;
    const char* Pos;
};

class LanguageErrorTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(LanguageErrorTest, ExactMessageAndPosition) {
    LangRunner runner;
    const ErrorCase& c = GetParam();
    EXPECT_EQ(runner.Run(c.Language, c.Source), std::string("compile: ") + c.Message + " at " + c.Pos);
    EXPECT_TRUE(runner.T.Output.empty());
}

const ErrorCase kErrors[] = {
    {"CppMissingSemicolon", "C++Script", "{ x = 1 }", "';' expected", "1:9"},
    {"CppMissingMainBlock", "C++Script", "int x;", "'{' expected", "2:1"},
    {"CppUnclosedBlock", "C++Script", "{ Out(1);", "'}' expected", "2:1"},
    {"CppIfWithoutBracket", "C++Script", "{ if x > 1) Out(1); }", "'(' expected", "1:6"},
    {"CppIfWithoutClosingBracket", "C++Script", "{ if (x > 1 Out(1); }", "')' expected", "1:13"},
    {"CppMissingExpression", "C++Script", "{ int x; x = ; }", "Expression expected", "1:14"},
    {"CppDoWithoutWhile", "C++Script", "{ do x++; (x < 3); }", "'WHILE' expected", "1:11"},
    {"CppCaseWithoutColon", "C++Script", "{ switch (x) { case 1 Out(1); } }", "':' expected", "1:23"},
    {"CppBreakInsideACaseEndsTheSwitch", "C++Script", "{ switch (x) { case 1: Out(1); break; } }", "'}' expected",
     "1:32"},
    {"CppTryWithoutHandler", "C++Script", "{ try { } Out(1); }", "'FINALLY' or 'EXCEPT' expected", "1:11"},
    {"CppDefineWithoutName", "C++Script", "#define 5\n{ }", "Identifier expected", "1:9"},
    {"CppOnlyDefineAfterHash", "C++Script", "#incl \"a\"\n{ }", "'DEFINE' expected", "1:2"},
    {"CppArrayWithoutClosingBracket", "C++Script", "{ int a[2; }", "']' expected", "1:10"},
    {"CppParameterWithoutName", "C++Script", "void P(int) { } { }", "Identifier expected", "1:11"},
    // A report variable ends at its '>' or fails at the line end: it is then no expression.
    {"CppReportVariableUnclosed", "C++Script", "{ x = <Var1; }", "Expression expected", "1:7"},
    {"CppDefineIsReadOnly", "C++Script", "#define N 1\n{ N = 2; }", "左侧不能被赋值", "2:3"},
    {"CppNamesNeedDeclaration", "C++Script", "{ y = 1; }", "标识符未申明: 'y'", "1:4"},
    {"CppUnknownType", "C++Script", "money m; { }", "不明类型: 'money'", "1:6"},
    {"CppRedeclared", "C++Script", "int a, a; { }", "标识符重复定义: 'a'", "1:9"},
    // void makes a procedure: there is no Result to return a value in.
    {"CppVoidReturnsNoValue", "C++Script", "void P() { return 5; } { }", "标识符未申明: 'Result'", "1:12"},

    {"JsUnreadableStatement", "JScript", "x = 1; @@; y = 2;", "Statement expected", "1:8"},
    {"JsUnclosedBlock", "JScript", "if (x) { Out(1); ", "'}' expected", "2:1"},
    {"JsFunctionWithoutName", "JScript", "function (a) { }", "Expression expected", "1:10"},
    {"JsArrayWithoutSize", "JScript", "var a[;", "Expression expected", "1:7"},
    {"JsWhileConditionWithoutBracket", "JScript", "do x++; while x < 3);", "'(' expected", "1:15"},
    {"JsTryHasNoCatch", "JScript", "try { } catch { }", "'FINALLY' or 'EXCEPT' expected", "1:9"},
    {"JsBreakInsideACaseEndsTheSwitch", "JScript", "switch (x) { case 1: Out(1); break; }", "'}' expected", "1:30"},
    {"JsWithNeedsBrackets", "JScript", "with Box) { }", "Statement expected", "1:1"},
    {"JsUnclosedBracket", "JScript", "x = (1 + 2;", "')' expected", "1:11"},
    {"JsWithNeedsAnObject", "JScript", "var s = 1; with (1) { }", "Expression expected", "1:18"},

    {"BasicIfWithoutEnd", "BasicScript", "If x Then\nOut(1)\n", "'END' expected", "3:1"},
    {"BasicEndWithoutIf", "BasicScript", "If x Then\nOut(1)\nEnd\n", "'IF' expected", "3:4"},
    // The one-statement form of an ElseIf or Else branch takes no line end before End If.
    {"BasicOneLineElseIfBranch", "BasicScript", "If x Then\nOut(1)\nElseIf y Then Out(2)\nEnd If\n",
     "'END' expected", "3:21"},
    {"BasicIfWithoutThen", "BasicScript", "If x Out(1)\n", "'THEN' expected", "1:6"},
    {"BasicTwoStatementsOnALine", "BasicScript", "x = 1 y = 2\n", "End of line expected", "1:7"},
    {"BasicForWithoutTo", "BasicScript", "For i = 1 5\nNext\n", "'TO' expected", "1:11"},
    {"BasicForWithoutEquals", "BasicScript", "For i 1 To 5\nNext\n", "'=' expected", "1:7"},
    {"BasicForWithoutNext", "BasicScript", "For i = 1 To 2\nOut(i)\n", "'NEXT' expected", "3:1"},
    {"BasicNextTakesNoName", "BasicScript", "For i = 1 To 2\nNext i\n", "End of line expected", "2:6"},
    {"BasicWhileWithoutWend", "BasicScript", "While x\nOut(1)\n", "'WEND' expected", "3:1"},
    {"BasicSelectWithoutCase", "BasicScript", "Select x\n", "'CASE' expected", "1:8"},
    {"BasicEndWithoutSelect", "BasicScript", "Select Case x\nCase 1: Out(1)\nEnd\n", "'SELECT' expected", "3:4"},
    {"BasicCaseWithoutElse", "BasicScript", "Select Case x\nCase 1: Out(1)\nCase : Out(2)\nEnd Select\n",
     "'ELSE' expected", "3:6"},
    {"BasicCaseWithoutColon", "BasicScript", "Select Case x\nCase 1 Out(1)\nEnd Select\n", "':' expected", "2:8"},
    {"BasicTryWithoutHandler", "BasicScript", "Try\nOut(1)\nEnd Try\n", "'FINALLY' or 'CATCH' expected", "3:1"},
    {"BasicEndWithoutTry", "BasicScript", "Try\nOut(1)\nFinally\nOut(2)\nEnd\n", "'TRY' expected", "5:4"},
    {"BasicEndWithoutWith", "BasicScript", "With Box\nOut(1)\nEnd\n", "'WITH' expected", "3:4"},
    {"BasicEndWithoutSub", "BasicScript", "Sub P\nOut(1)\nEnd\n", "'SUB' expected", "3:4"},
    {"BasicEndSubClosesNoFunction", "BasicScript", "Function F\nReturn 1\nEnd Sub\n", "'FUNCTION' expected", "3:5"},
    {"BasicLoopWithoutCondition", "BasicScript", "Do\nx = 1\nLoop x\n", "'WHILE' expected", "3:6"},
    {"BasicDimWithoutName", "BasicScript", "Dim ,\n", "Identifier expected", "1:5"},
    {"BasicUnclosedCall", "BasicScript", "Out(1\n", "')' expected", "1:6"},
    {"BasicStrayEndIf", "BasicScript", "Out(1)\nEnd If\nOut(2)\n", "End of line expected", "2:1"},
    {"BasicCommentDoesNotHideAnError", "BasicScript", "x = 1 ' fine\ny = \n", "Expression expected", "2:5"},
    {"BasicTypedVariable", "BasicScript", "Dim n As Integer\nn = \"x\"\n", "类型不兼容: 'Integer', 'String'", "2:1"},
    // A text joined with a number is refused like a text added to one.
    {"BasicTextJoinedWithANumber", "BasicScript", "Out(\"a\" & 1)\n", "类型不兼容", "1:10"},
    {"BasicTypedTextJoinedWithANumber", "BasicScript", "Dim n As Integer = 2, s As String = \"t\"\nOut(s & n)\n",
     "类型不兼容", "2:8"},
    {"BasicUnknownType", "BasicScript", "Dim d As Money\n", "不明类型: 'Money'", "1:15"},
};

INSTANTIATE_TEST_SUITE_P(Languages, LanguageErrorTest, ::testing::ValuesIn(kErrors),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
