// Compile errors: a table of bad programs with their exact messages and positions, and the
// atomic compile (a failed compile leaves nothing behind).
#include "core_helpers.h"

#include "script/Statements.h"

#include <gtest/gtest.h>

namespace {

struct BadProgram {
    const char* Name;
    const char* Source;
    const char* Message;
    const char* Pos;
};

class CompileErrorTest : public ::testing::TestWithParam<BadProgram> {};

TEST_P(CompileErrorTest, ReportsMessageAndPosition) {
    const BadProgram& c = GetParam();
    TestScript t;
    t.Script.Lines()->SetText(c.Source);
    const int itemsBefore = t.Script.Count();
    EXPECT_FALSE(t.Script.Compile());
    EXPECT_EQ(t.Script.ErrorMsg(), c.Message);
    EXPECT_EQ(t.Script.ErrorPos(), c.Pos);
    EXPECT_EQ(t.Script.Count(), itemsBefore);
    EXPECT_EQ(t.Script.Program()->Count(), 0);
}

const BadProgram kBadPrograms[] = {
    {"EmptySource", "", "'BEGIN' expected", "1:1"},
    {"MissingSemicolon", "begin\r\n  Out(1)\r\n  Out(2)\r\nend.", "';' expected", "3:3"},
    {"Undeclared", "begin\r\n  x := 5\r\nend.", "标识符未申明: 'x'", "2:4"},
    {"UndeclaredInExpression", "var i: Integer;\r\nbegin\r\n  i := i + y\r\nend.", "标识符未申明: 'y'", "3:13"},
    {"Redeclared", "var a, a: Integer;\r\nbegin end.", "标识符重复定义: 'a'", "1:9"},
    {"RedeclaredFunction", "procedure P; begin end;\r\nprocedure P; begin end;\r\nbegin end.", "标识符重复定义: 'P'",
     "2:12"},
    {"UnknownType", "var a: TNothing;\r\nbegin end.", "不明类型: 'TNothing'", "1:16"},
    {"AssignStringToInteger", "var i: Integer;\r\nbegin\r\n  i := 'a'\r\nend.", "类型不兼容: 'Integer', 'String'",
     "3:3"},
    {"AssignExtendedToInteger", "var i: Integer;\r\nbegin\r\n  i := 1.5\r\nend.", "类型不兼容: 'Integer', 'Extended'",
     "3:3"},
    {"ExpressionTypes", "var s: String;\r\nbegin\r\n  s := 'a' * 2\r\nend.", "类型不兼容", "3:13"},
    {"InitialiserTypes", "var i: Integer = 'x';\r\nbegin end.", "类型不兼容: 'Integer', 'String'", "1:16"},
    {"ArgumentTypes", "procedure P(i: Integer); begin end;\r\nbegin\r\n  P('x')\r\nend.",
     "类型不兼容: 'Integer', 'String'", "3:5"},
    {"TooFewArguments", "procedure P(a, b: Integer); begin end;\r\nbegin\r\n  P(1)\r\nend.", "真实变量不足", "3:4"},
    {"TooManyArguments", "procedure P(a: Integer); begin end;\r\nbegin\r\n  P(1, 2)\r\nend.", "真实变量太多",
     "3:4"},
    {"ConstantIsReadOnly", "const C = 5;\r\nbegin\r\n  C := 6\r\nend.", "左侧不能被赋值", "3:3"},
    {"LiteralAsVarArgument", "procedure P(var i: Integer); begin end;\r\nbegin\r\n  P(5)\r\nend.", "左侧不能被赋值",
     "3:5"},
    {"ForOverString", "var s: String;\r\nbegin\r\n  for s := 1 to 3 do\r\nend.", "For循环变量必须是一个数值型变量",
     "3:8"},
    {"ForOverConstant", "const C = 1;\r\nbegin\r\n  for C := 1 to 3 do\r\nend.", "左侧不能被赋值", "3:8"},
    {"ForOverNil", "begin\r\n  for nil := 1 to 3 do\r\nend.", "左侧不能被赋值", "2:10"},
    {"ForBoundTypes", "var i: Integer;\r\nbegin\r\n  for i := 'a' to 3 do\r\nend.", "类型不兼容: 'Integer', 'String'",
     "3:12"},
    {"MemberOfString", "var s: String;\r\nbegin\r\n  s.Length := 1\r\nend.", "字符串没有属性或方法", "3:11"},
    {"IndexOfInteger", "var i: Integer;\r\nbegin\r\n  i[1] := 2\r\nend.", "需要数组类型", "3:5"},
    {"AddressOfNeedsOneName", "var s: String;\r\nbegin\r\n  s := @Out.x\r\nend.", "需要变量", "3:8"},
    {"WithNeedsAClass", "var i: Integer;\r\nbegin\r\n  with i do Out(1)\r\nend.", "需要类型", "3:8"},
    {"CallWithBrackets", "procedure P; begin end;\r\nbegin\r\n  P()\r\nend.", "Expression expected", "3:5"},
    {"MissingEnd", "begin\r\n  Out(1);\r\n", "';' expected", "3:1"},
};

INSTANTIATE_TEST_SUITE_P(Core, CompileErrorTest, ::testing::ValuesIn(kBadPrograms),
                         [](const auto& info) { return std::string(info.param.Name); });

// The report's expression cache compiles each expression as "_f" + N into one script and
// numbers by the successful entries: a failed compile must not keep its function, or every
// later expression of the run would fail as a redeclaration.
TEST(AtomicCompile, FailedCompileLeavesNoItemsStatementsOrLines) {
    TfsScript script;
    auto compile = [&script](const std::string& n, const std::string& expr) {
        script.Lines()->SetText("function _f" + n + ": Variant; begin Result := " + expr + " end; begin end.");
        return script.Compile();
    };
    ASSERT_TRUE(compile("0", "1 + 1"));
    const int items = script.Count();
    const std::string lines = script.UnitLines().Text();
    EXPECT_FALSE(compile("1", "nope + 1"));
    EXPECT_EQ(script.ErrorMsg(), "标识符未申明: 'nope'");
    EXPECT_EQ(script.Count(), items);
    EXPECT_EQ(script.UnitLines().Text(), lines);
    EXPECT_EQ(script.FindLocal("_f1"), nullptr);
    ASSERT_TRUE(compile("1", "40 + 2")) << script.ErrorMsg();
    EXPECT_EQ(VarToStr(script.CallFunction("_f0", Variant())), "2");
    EXPECT_EQ(VarToStr(script.CallFunction("_f1", Variant())), "42");
    EXPECT_TRUE(script.ErrorPos().empty());
}

TEST(AtomicCompile, UnknownGrammarRaises) {
    TfsScript script;
    script.SetSyntaxType("NoSuchLanguage");
    script.Lines()->SetText("begin end.");
    try {
        script.Compile();
        ADD_FAILURE() << "no error";
    } catch (const EScriptError& e) {
        EXPECT_EQ(e.Message(), "语言'NoSuchLanguage'未找到");
    }
}

}  // namespace
