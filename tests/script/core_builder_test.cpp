// The program builder on intermediate trees that only the other grammars produce: the
// step for loop, the C-like for, return, repeat with inverse, the text join operator, compound
// assignments, and names that need no declaration.
#include "core_helpers.h"

#include "script/ProgramBuilder.h"
#include "script/XMLDocument.h"

#include <gtest/gtest.h>

namespace {

// Builds the intermediate document in a language that declares nothing and runs it.
std::string RunTree(const std::string& body) {
    TestScript t;
    TfsXMLDocument doc;
    doc.LoadFromString("<?xml version=\"1.0\"?><program>" + body + "<types/></program>");
    TfsProgramBuilder builder(t.Script, false, doc.Root());
    builder.BuildProgram();
    if (!t.Script.ErrorMsg().empty()) return "compile: " + t.Script.ErrorMsg();
    try {
        t.Script.Execute();
    } catch (const std::exception& e) {
        t.Output.push_back(std::string("error: ") + e.what());
    }
    return t.Joined();
}

std::string Out(const std::string& expr) { return "<callstmt><dsgn><node text=\"Out\"/>" + expr + "</dsgn></callstmt>"; }
std::string Var(const char* name) { return std::string("<dsgn><node text=\"") + name + "\"/></dsgn>"; }
std::string Num(const char* n) { return std::string("<number text=\"") + n + "\"/>"; }
std::string Op(const char* op) { return std::string("<op text=\"") + op + "\"/>"; }
std::string Expr(const std::string& items) { return "<expr>" + items + "</expr>"; }
std::string Assign(const char* name, const std::string& expr, const char* modificator = nullptr) {
    std::string m = modificator ? std::string("<modificator text=\"") + modificator + "\"/>" : std::string();
    return "<assignstmt>" + Var(name) + m + expr + "</assignstmt>";
}
std::string Increment(const char* name) {
    return std::string("<callstmt>") + Var(name) + "<modificator text=\"+\"/></callstmt>";
}

struct TreeCase {
    const char* Name;
    std::string Body;
    const char* Output;
};

class BuilderTreeTest : public ::testing::TestWithParam<TreeCase> {};

TEST_P(BuilderTreeTest, Runs) { EXPECT_EQ(RunTree(GetParam().Body), GetParam().Output); }

const TreeCase kTrees[] = {
    {"StepForWithFractions",
     "<vbforstmt><ident text=\"i\"/>" + Expr(Num("0")) + Expr(Num("1")) + Expr(Num("0.25")) + Out(Expr(Var("i"))) +
         "</vbforstmt>" + Out(Expr(Var("i"))),
     "0 0.25 0.5 0.75 1 1"},
    {"StepForCountsDown",
     "<vbforstmt><ident text=\"i\"/>" + Expr(Num("3")) + Expr(Num("1")) + Expr(Op("unminus") + Num("1")) +
         Out(Expr(Var("i"))) + "</vbforstmt>",
     "3 2 1"},
    {"CLikeFor",
     "<cppforstmt><compoundstmt>" + Assign("i", Expr(Num("0"))) + "</compoundstmt>" +
         Expr(Var("i") + Op("&#60;") + Num("3")) + "<compoundstmt>" + Increment("i") + "</compoundstmt>" +
         Out(Expr(Var("i"))) + "</cppforstmt>",
     "0 1 2"},
    {"CLikeForContinueRunsTheStep",
     "<cppforstmt><compoundstmt>" + Assign("i", Expr(Num("0"))) + "</compoundstmt>" +
         Expr(Var("i") + Op("&#60;") + Num("4")) + "<compoundstmt>" + Increment("i") + "</compoundstmt>" +
         "<compoundstmt><ifstmt>" + Expr(Var("i") + Op("=") + Num("1")) + "<thenstmt><continue/></thenstmt></ifstmt>" +
         Out(Expr(Var("i"))) + "</compoundstmt></cppforstmt>",
     "0 2 3"},
    {"ReturnAssignsResultAndLeaves",
     "<function><name text=\"F\"/><parameters><var><ident text=\"x\"/></var></parameters><compoundstmt>"
     "<return>" + Expr(Var("x") + Op("*") + Num("2")) + "</return>" + Out(Expr("<string text=\"'never'\"/>")) +
         "</compoundstmt></function>" + Out(Expr("<dsgn><node text=\"F\"/>" + Expr(Num("21")) + "</dsgn>")),
     "42"},
    {"UntypedFunctionReturnsText",
     "<function><name text=\"G\"/><compoundstmt><return>" + Expr("<string text=\"'abc'\"/>") +
         "</return></compoundstmt></function>" + Out(Expr(Var("G"))),
     "abc"},
    {"RepeatWhileWithInverse",
     Assign("i", Expr(Num("0"))) + "<repeatstmt>" + Increment("i") + Expr(Var("i") + Op("&#60;") + Num("3")) +
         "<inverse/></repeatstmt>" + Out(Expr(Var("i"))),
     "3"},
    // The join converts both sides to text when the left one is a text, else adds.
    {"TextJoinOperator",
     Assign("v", Expr("<string text=\"'a'\"/>")) + Out(Expr(Var("v") + Op("strcat") + Num("1"))) +
         Out(Expr(Num("1") + Op("strcat") + Num("2"))) +
         Out(Expr("<string text=\"'a'\"/>" + Op("strcat") + "<string text=\"'b'\"/>")),
     "a1 3 ab"},
    {"CompoundAssignments",
     Assign("i", Expr(Num("2"))) + Assign("i", Expr(Num("5")), "+") + Assign("i", Expr(Num("3")), "*") +
         Assign("i", Expr(Num("1")), "-") + Out(Expr(Var("i"))) + Assign("i", Expr(Num("4")), "/") + Out(Expr(Var("i"))),
     "20 5"},
    {"DecrementStatement", Assign("i", Expr(Num("2"))) + "<callstmt>" + Var("i") + "<modificator text=\"-\"/></callstmt>" +
                              Out(Expr(Var("i"))),
     "1"},
    {"RightOperandRewriteKeepsText",
     Assign("s", Expr("<string text=\"'b'\"/>")) + Assign("s", Expr("<string text=\"'a'\"/>" + Op("+") + Var("s"))) +
         Out(Expr(Var("s"))),
     "ab"},
    {"EmptyAndUnknownElementsBuildNothing", "<empty/>" + Out(Expr(Num("1"))), "1"},
};

INSTANTIATE_TEST_SUITE_P(Core, BuilderTreeTest, ::testing::ValuesIn(kTrees),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
