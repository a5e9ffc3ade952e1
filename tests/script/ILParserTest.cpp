// The front end: PascalScript programs of every statement kind to the intermediate tree, and
// bad programs to the grammar's message at its position.
#include "script/ILParser.h"

#include "platform/rtl/FileUtils.h"
#include "platform/rtl/StrUtils.h"
#include "script/Messages.h"
#include "script/ScriptTools.h"
#include "tests/script/core_helpers.h"

#include <gtest/gtest.h>
#include <pthread.h>
#include <unistd.h>

#include <functional>
#include <map>
#include <random>

namespace {

// name, "=text" for an element with a text attribute, "[unit]" for a used unit, then the
// children in brackets.
std::string Shape(const TfsXMLItem* item) {
    std::string s = item->Name();
    if (const std::string unit = item->Prop("unit"); !unit.empty()) s += "[" + unit + "]";
    if (const std::string text = item->Prop("text"); !text.empty()) s += "=" + text;
    if (item->Count() > 0) {
        s += "(";
        for (int i = 0; i < item->Count(); ++i) {
            if (i) s += ' ';
            s += Shape(item->Items(i));
        }
        s += ")";
    }
    return s;
}

// The program's children without the trailing copy of the grammar's types.
std::string ProgramShape(const TfsXMLDocument& doc) {
    const TfsXMLItem* root = doc.Root();
    std::string s;
    for (int i = 0; i + 1 < root->Count(); ++i) {
        if (i) s += ' ';
        s += Shape(root->Items(i));
    }
    return s;
}

struct Parsed {
    bool ok;
    std::string shape, message, pos;
};

Parsed Parse(const std::string& source, const TfsGetUnitEvent& units = {}) {
    TfsILParser parser;
    parser.LoadGrammar("PascalScript");
    parser.SetOnGetUnit(units);
    const bool ok = parser.BuildIntermediate(source);
    return {ok, ok ? ProgramShape(parser.Document()) : "", parser.ErrorMsg(), parser.ErrorPos()};
}

struct ShapeCase {
    const char* name;
    const char* source;
    const char* shape;
};

class PascalTree : public testing::TestWithParam<ShapeCase> {};

TEST_P(PascalTree, ParsesToShape) {
    const Parsed r = Parse(GetParam().source);
    ASSERT_TRUE(r.ok) << r.message << " at " << r.pos;
    EXPECT_EQ(r.shape, GetParam().shape);
}

INSTANTIATE_TEST_SUITE_P(
    Script, PascalTree,
    testing::Values(
        ShapeCase{"assignment", "begin x := 1 end.", "compoundstmt(assignstmt(dsgn(node=x) expr(number=1)))"},
        ShapeCase{"keywords_ignore_case", "BEGIN X := 1 END.", "compoundstmt(assignstmt(dsgn(node=X) expr(number=1)))"},
        ShapeCase{"empty_program", "begin end.", "compoundstmt"},
        ShapeCase{"call_with_arguments", "begin f(1, 'a') end.",
                  "compoundstmt(callstmt(dsgn(node=f expr(number=1) expr(string='a'))))"},
        ShapeCase{"members_and_indexes", "begin a.b[1] := c.d(2) end.",
                  "compoundstmt(assignstmt(dsgn(node=a node=b node=[ expr(number=1)) "
                  "expr(dsgn(node=c node=d expr(number=2)))))"},
        ShapeCase{"member_may_be_a_keyword", "begin a.begin := 1 end.",
                  "compoundstmt(assignstmt(dsgn(node=a node=begin) expr(number=1)))"},
        ShapeCase{"address_of", "begin b.OnClick := @Handler end.",
                  "compoundstmt(assignstmt(dsgn(node=b node=OnClick) expr(dsgn(addr=@ node=Handler))))"},
        ShapeCase{"if_else", "begin if a > 1 then b else c end.",
                  "compoundstmt(ifstmt(expr(dsgn(node=a) op=> number=1) thenstmt(callstmt(dsgn(node=b))) "
                  "elsestmt(callstmt(dsgn(node=c)))))"},
        ShapeCase{"if_without_else", "begin if a then end.", "compoundstmt(ifstmt(expr(dsgn(node=a)) thenstmt))"},
        ShapeCase{"case_with_else", "begin case x of 1: a; 2, 3..4: b; else c end end.",
                  "compoundstmt(casestmt(expr(dsgn(node=x)) caseselector(set(expr(number=1)) callstmt(dsgn(node=a))) "
                  "caseselector(set(expr(number=2) expr(number=3) range=. expr(number=4)) callstmt(dsgn(node=b))) "
                  "callstmt(dsgn(node=c))))"},
        ShapeCase{"case_trailing_semicolon", "begin case x of 1: a; end end.",
                  "compoundstmt(casestmt(expr(dsgn(node=x)) caseselector(set(expr(number=1)) callstmt(dsgn(node=a)))))"},
        ShapeCase{"case_empty_branch", "begin case x of 1: ; 2: a end end.",
                  "compoundstmt(casestmt(expr(dsgn(node=x)) caseselector(set(expr(number=1))) "
                  "caseselector(set(expr(number=2)) callstmt(dsgn(node=a)))))"},
        ShapeCase{"while", "begin while i < 10 do i := i + 1 end.",
                  "compoundstmt(whilestmt(expr(dsgn(node=i) op=< number=10) "
                  "assignstmt(dsgn(node=i) expr(dsgn(node=i) op=+ number=1))))"},
        ShapeCase{"repeat", "begin repeat i := i - 1; j := 2 until i = 0 end.",
                  "compoundstmt(repeatstmt(assignstmt(dsgn(node=i) expr(dsgn(node=i) op=- number=1)) "
                  "assignstmt(dsgn(node=j) expr(number=2)) expr(dsgn(node=i) op== number=0)))"},
        ShapeCase{"for_to_and_downto", "begin for i := 1 to 10 do s := s + i; for j := 10 downto 1 do break end.",
                  "compoundstmt(forstmt(ident=i expr(number=1) expr(number=10) "
                  "assignstmt(dsgn(node=s) expr(dsgn(node=s) op=+ dsgn(node=i)))) "
                  "forstmt(ident=j expr(number=10) downto=downto expr(number=1) break))"},
        ShapeCase{"try_finally_and_except", "begin try a finally b end; try c; d except e end end.",
                  "compoundstmt(trystmt(callstmt(dsgn(node=a)) finallystmt(callstmt(dsgn(node=b)))) "
                  "trystmt(callstmt(dsgn(node=c)) callstmt(dsgn(node=d)) exceptstmt(callstmt(dsgn(node=e)))))"},
        ShapeCase{"with", "begin with a, b.c do d end.",
                  "compoundstmt(with(dsgn(node=a) dsgn(node=b node=c) callstmt(dsgn(node=d))))"},
        ShapeCase{"break_continue_exit", "begin while true do begin continue; exit end; break end.",
                  "compoundstmt(whilestmt(expr(dsgn(node=true)) compoundstmt(continue exit)) break)"},
        ShapeCase{"empty_statements", "begin ; a;; end.", "compoundstmt(callstmt(dsgn(node=a)))"},
        ShapeCase{"declarations",
                  "program p;\r\nconst c = 5; d = 'x';\r\nvar a, b: Integer; arr: array[1..3] of String; v: Variant = 2;\r\n"
                  "procedure P(var x, y: Integer; const s: String; z: Extended);\r\nbegin end;\r\n"
                  "function F(n: Integer): Integer;\r\nvar t: Integer;\r\nbegin Result := n end;\r\nbegin end.",
                  "const(ident=c expr(number=5)) const(ident=d expr(string='x')) var(ident=a ident=b type=Integer) "
                  "var(ident=arr array(dim(expr(number=1) expr(number=3))) type=String) "
                  "var(ident=v type=Variant init(expr(number=2))) "
                  "procedure(name=P parameters(varparams var(ident=x ident=y type=Integer) var(ident=s type=String) "
                  "var(ident=z type=Extended)) compoundstmt) "
                  "function(name=F parameters(var(ident=n type=Integer)) type=Integer var(ident=t type=Integer) "
                  "compoundstmt(assignstmt(dsgn(node=Result) expr(dsgn(node=n))))) compoundstmt"},
        ShapeCase{"array_of_count_and_open", "var a: array[5] of Integer; b: array of Variant; begin end.",
                  "var(ident=a array(dim(expr(number=5))) type=Integer) var(ident=b array type=Variant) compoundstmt"},
        ShapeCase{"range_needs_adjacent_dots", "var a: array[1 .. 5] of Integer; begin end.",
                  "var(ident=a array(dim(expr(number=1) expr(number=5))) type=Integer) compoundstmt"},
        ShapeCase{"operators",
                  "begin x := -a * (b + $FF) div 2.5e3 or not c and (d in [1, 2..3]) xor e shl 1 shr 2 mod 3 / 4 end.",
                  "compoundstmt(assignstmt(dsgn(node=x) expr(op=unminus dsgn(node=a) op=* op=( "
                  "expr(dsgn(node=b) op=+ number=$FF) op=) op=div number=2.5e3 op=or op=not dsgn(node=c) op=and op=( "
                  "expr(dsgn(node=d) op=in set(expr(number=1) expr(number=2) range=. expr(number=3))) op=) "
                  "op=xor dsgn(node=e) op=shl number=1 op=shr number=2 op=mod number=3 op=/ number=4)))"},
        ShapeCase{"relations", "begin b := (x >= 1) and (y <> 2) and (z <= 3) and (o is TObject) end.",
                  "compoundstmt(assignstmt(dsgn(node=b) expr(op=( expr(dsgn(node=x) op=>= number=1) op=) op=and "
                  "op=( expr(dsgn(node=y) op=<> number=2) op=) op=and op=( expr(dsgn(node=z) op=<= number=3) op=) "
                  "op=and op=( expr(dsgn(node=o) op=is dsgn(node=TObject)) op=))))"},
        ShapeCase{"report_variable", "begin x := <Var1>; y := <a<b>c> end.",
                  "compoundstmt(assignstmt(dsgn(node=x) expr(dsgn(node=Get expr(string='Var1')))) "
                  "assignstmt(dsgn(node=y) expr(dsgn(node=Get expr(string='a<b>c')))))"},
        ShapeCase{"report_variable_quotes", "begin x := <ds.\"a>b\"> end.",
                  "compoundstmt(assignstmt(dsgn(node=x) expr(dsgn(node=Get expr(string='ds.\"a>b\"')))))"},
        ShapeCase{"comments_everywhere", "{a} begin (* b *) x // c\r\n := { d } 1 end.",
                  "compoundstmt(assignstmt(dsgn(node=x) expr(number=1)))"},
        ShapeCase{"nothing_after_the_final_dot_is_read", "begin end. garbage ]] 'unclosed", "compoundstmt"},
        ShapeCase{"call_without_parentheses_then_call", "begin Randomize; ShowMessage(IntToStr(Random(10))) end.",
                  "compoundstmt(callstmt(dsgn(node=Randomize)) callstmt(dsgn(node=ShowMessage "
                  "expr(dsgn(node=IntToStr expr(dsgn(node=Random expr(number=10))))))))"}),
    [](const auto& info) { return std::string(info.param.name); });

// Every element with its pos, in document order.
void CollectPositions(const TfsXMLItem* item, std::string& out) {
    for (int i = 0; i < item->Count(); ++i) {
        const TfsXMLItem* child = item->Items(i);
        out += child->Name() + "@" + child->Prop("pos") + " ";
        CollectPositions(child, out);
    }
}

std::string Positions(const std::string& source) {
    TfsILParser parser;
    parser.LoadGrammar("PascalScript");
    EXPECT_TRUE(parser.BuildIntermediate(source)) << parser.ErrorMsg() << " at " << parser.ErrorPos();
    std::string out;
    CollectPositions(parser.Document().Root(), out);
    return out;
}

TEST(PascalFrontEnd, PositionsOfNodesAndLeaves) {
    // A node is positioned at its first token, a leaf just behind its token.
    EXPECT_EQ(Positions("begin x := 1 end."),
              "compoundstmt@1:1 assignstmt@1:7 dsgn@1:7 node@1:8 expr@1:12 number@1:13 types@ ");
    // Columns count characters; lines count from 1 whatever the line ends.
    const std::string expected =
        "compoundstmt@1:1 assignstmt@2:3 dsgn@2:3 node@2:4 expr@2:8 string@2:12 "
        "ifstmt@3:3 expr@3:6 dsgn@3:6 node@3:7 op@3:9 string@3:14 thenstmt@4:10 callstmt@4:10 dsgn@4:10 node@4:11 "
        "types@ ";
    EXPECT_EQ(Positions("begin\r\n  s := '中文';\r\n  if s = '中文'\r\n    then x\r\nend."), expected);
    EXPECT_EQ(Positions("begin\n  s := '中文';\n  if s = '中文'\n    then x\nend."), expected);
    EXPECT_EQ(Positions("begin\r  s := '中文';\r  if s = '中文'\r    then x\rend."), expected);
    // A report variable's six elements all stand at its closing '>'.
    EXPECT_EQ(Positions("begin x := <V> end."),
              "compoundstmt@1:1 assignstmt@1:7 dsgn@1:7 node@1:8 expr@1:12 dsgn@1:14 node@1:14 expr@1:14 "
              "string@1:14 types@ ");
}

TEST(PascalFrontEnd, LeafTextsAreEscapedAndComeBackUnchanged) {
    TfsILParser parser;
    parser.LoadGrammar("PascalScript");
    ASSERT_TRUE(parser.BuildIntermediate("begin s := 'It''s'#13#10'<&#60;>\"' + #$41 end."));
    const TfsXMLItem* expr = parser.Document().Root()->Items(0)->Items(0)->Items(1);
    ASSERT_EQ(expr->Count(), 3);
    EXPECT_EQ(expr->Items(0)->Prop("text"), "'It's\r\n<&#60;>\"'");
    EXPECT_EQ(expr->Items(2)->Prop("text"), "'A'");
    EXPECT_EQ(ParseValue(expr->Items(0)->Prop("text")).AsString(), "It's\r\n<&#60;>\"");
    // The attribute text itself is well formed: a second reader sees the same tree.
    TfsXMLDocument again;
    again.LoadFromString(parser.Document().SaveToString());
    EXPECT_EQ(Shape(again.Root()), Shape(parser.Document().Root()));
}

TEST(PascalFrontEnd, TypesOfTheGrammarCloseTheDocument) {
    RegisterLanguage("TestTypes",
                     "<?xml?><language><types><int type=\"integer\"/></types><program><keyword text=\"go\" "
                     "node=\"go\"/></program></language>");
    TfsILParser parser;
    parser.LoadGrammar("TestTypes");
    ASSERT_TRUE(parser.BuildIntermediate("go"));
    EXPECT_EQ(Shape(parser.Document().Root()), "program(go types(int))");
    const TfsXMLItem* types = parser.Document().Root()->Items(1);
    EXPECT_EQ(TranslateTypeName(types, "INT"), "integer");
    EXPECT_EQ(TranslateTypeName(types, "String"), "String");
}

struct ErrorCase {
    const char* name;
    const char* source;
    const char* message;
    const char* pos;
};

class PascalSyntaxError : public testing::TestWithParam<ErrorCase> {};

TEST_P(PascalSyntaxError, GivesMessageAndPosition) {
    const Parsed r = Parse(GetParam().source);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, GetParam().message);
    EXPECT_EQ(r.pos, GetParam().pos);
}

INSTANTIATE_TEST_SUITE_P(
    Script, PascalSyntaxError,
    testing::Values(
        ErrorCase{"empty_source", "", "'BEGIN' expected", "1:1"},
        ErrorCase{"blank_source", "\r\n  \r\n", "'BEGIN' expected", "3:1"},
        ErrorCase{"missing_end", "begin x := 1", "';' expected", "1:13"},
        ErrorCase{"missing_expression", "begin x := end.", "Expression expected", "1:12"},
        ErrorCase{"assignment_needs_equals", "begin x : 1 end.", "'=' expected", "1:11"},
        ErrorCase{"statements_need_semicolons", "begin a := 1; b = 2 end.", "';' expected", "1:17"},
        ErrorCase{"missing_then", "begin if x y end.", "'THEN' expected", "1:12"},
        ErrorCase{"missing_do", "begin while x y end.", "'DO' expected", "1:15"},
        ErrorCase{"for_needs_identifier", "begin for 1 := 1 to 2 do end.", "Identifier expected", "1:11"},
        ErrorCase{"for_needs_colon", "begin for i = 1 to 2 do end.", "':' expected", "1:13"},
        ErrorCase{"for_needs_to", "begin for i := 1 downt 2 do end.", "'TO' or 'DOWNTO' expected", "1:18"},
        ErrorCase{"until_needs_expression", "begin repeat x until end.", "Expression expected", "1:22"},
        ErrorCase{"missing_until", "begin repeat x end.", "'UNTIL' expected", "1:16"},
        ErrorCase{"try_needs_handler", "begin try x end.", "'FINALLY' or 'EXCEPT' expected", "1:13"},
        ErrorCase{"try_needs_end", "begin try x finally y until", "'END' expected", "1:23"},
        ErrorCase{"member_at_end_of_text", "begin try x finally y.", "Identifier expected", "1:23"},
        ErrorCase{"case_needs_of", "begin case x 1: y end end.", "'OF' expected", "1:14"},
        ErrorCase{"case_needs_colon", "begin case x of 1 y end end.", "':' expected", "1:19"},
        ErrorCase{"case_end_then_block_end", "begin case x of 1: y; 2: z end.", "';' expected", "1:31"},
        ErrorCase{"missing_bracket", "begin x := (1 + 2 end.", "')' expected", "1:19"},
        ErrorCase{"missing_index_bracket", "begin x := a[1 end.", "']' expected", "1:16"},
        ErrorCase{"missing_call_bracket", "begin x := f(1 end.", "')' expected", "1:16"},
        ErrorCase{"call_needs_arguments", "begin x := f() end.", "Expression expected", "1:14"},
        ErrorCase{"member_needs_name", "begin x := a.; end.", "Identifier expected", "1:14"},
        ErrorCase{"set_needs_bracket", "begin x := [1, 2 end.", "']' expected", "1:18"},
        ErrorCase{"report_variable_unclosed", "begin x := <abc end.", "'>' expected", "1:21"},
        ErrorCase{"report_variable_line_end", "begin x := <abc\nend.", "Expression expected", "1:12"},
        ErrorCase{"unclosed_string", "begin x := 'abc end.", "Expression expected", "1:12"},
        ErrorCase{"var_needs_colon", "var x Integer; begin end.", "':' expected", "1:7"},
        ErrorCase{"var_needs_type", "var x: ; begin end.", "Identifier expected", "1:8"},
        ErrorCase{"const_needs_equals", "const c 5; begin end.", "'=' expected", "1:9"},
        ErrorCase{"heading_needs_semicolon", "procedure P begin end; begin end.", "';' expected", "1:13"},
        ErrorCase{"function_needs_type", "function F: ; begin end; begin end.", "Identifier expected", "1:13"},
        ErrorCase{"parameters_need_bracket", "procedure P(x: Integer; begin end; begin end.", "')' expected", "1:25"},
        ErrorCase{"missing_final_dot", "begin end", "'.' expected", "1:10"},
        ErrorCase{"program_needs_name", "program; begin end.", "Identifier expected", "1:8"},
        ErrorCase{"uses_needs_semicolon", "uses 'a' begin end.", "';' expected", "1:10"},
        ErrorCase{"uses_needs_string", "uses ; begin end.", "Identifier expected", "1:6"},
        ErrorCase{"with_needs_designator", "begin with do x end.", "Expression expected", "1:12"},
        ErrorCase{"spaced_dots_are_no_range", "var a: array[1 . . 5] of Integer; begin end.", "']' expected", "1:16"},
        ErrorCase{"array_needs_of", "var a: array[1..2] Integer; begin end.", "'OF' expected", "1:20"},
        ErrorCase{"not_needs_operand", "begin x := not ; end.", "Expression expected", "1:16"},
        ErrorCase{"later_line", "begin\n  x := 1;\n  y := \nend.", "Expression expected", "4:1"},
        ErrorCase{"columns_count_characters", "begin s := '中文' + ; end.", "';' expected", "1:17"},
        ErrorCase{"chinese_identifier", "begin\r\n  t := 中\r\nend.", "Expression expected", "2:8"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PascalFrontEnd, LoopsWithdrawTermErrors) {
    // The third const declaration fails on "begin" with a term error that the loop withdraws.
    EXPECT_TRUE(Parse("const a = 1; b = 2;\r\nbegin end.").ok);
    EXPECT_TRUE(Parse("var a: Integer; b: String;\r\nbegin end.").ok);
    // A term error in the first iteration stays.
    const Parsed r = Parse("const begin end.");
    EXPECT_EQ(r.message, "Identifier expected");
    EXPECT_EQ(r.pos, "1:7");
}

TEST(PascalFrontEnd, LineEndsParseAlike) {
    const std::string program = "var i: Integer;\nbegin\n  for i := 1 to 3 do\n    x := x + i\nend.";
    const Parsed lf = Parse(program);
    const Parsed crlf = Parse(StringReplace(program, "\n", "\r\n", rfReplaceAll));
    const Parsed cr = Parse(StringReplace(program, "\n", "\r", rfReplaceAll));
    ASSERT_TRUE(lf.ok);
    EXPECT_EQ(crlf.shape, lf.shape);
    EXPECT_EQ(cr.shape, lf.shape);
    EXPECT_EQ(Positions(program), Positions(StringReplace(program, "\n", "\r", rfReplaceAll)));
}

TEST(PascalFrontEnd, LanguageDirectiveOnTheFirstLine) {
    RegisterLanguage("TestWords", "<?xml?><language><program><loop><keyword add=\"w\"/></loop></program></language>");
    for (const char* lineEnd : {"\r\n", "\n", "\r"}) {
        TfsILParser parser;
        parser.LoadGrammar("PascalScript");
        ASSERT_TRUE(parser.BuildIntermediate(std::string("#language TestWords ") + lineEnd + "alpha beta"));
        EXPECT_EQ(parser.Language(), "TestWords");
        EXPECT_EQ(ProgramShape(parser.Document()), "w=alpha w=beta") << "line end " << int(lineEnd[0]);
        EXPECT_EQ(parser.Document().Root()->Items(0)->Prop("pos"), "2:6");
    }
    TfsILParser parser;
    parser.LoadGrammar("TestWords");
    EXPECT_FALSE(parser.BuildIntermediate("#LANGUAGE PascalScript"));
    EXPECT_EQ(parser.Language(), "PascalScript");
    EXPECT_EQ(parser.ErrorMsg(), "'BEGIN' expected");
    try {
        parser.BuildIntermediate("#language Nowhere\r\nbegin end.");
        FAIL();
    } catch (const EScriptError& e) {
        EXPECT_EQ(e.Message(), "语言'Nowhere'未找到");
    }
    // Not a directive: the first character is not '#', or the word is another one.
    parser.LoadGrammar("PascalScript");
    EXPECT_FALSE(parser.BuildIntermediate(" #language TestWords\r\nbegin end."));
    EXPECT_FALSE(parser.BuildIntermediate("#include x\r\nbegin end."));
}

TEST(PascalFrontEnd, UnitsAreSplicedOnceInReverseOrder) {
    std::map<std::string, std::string> units = {
        {"a.pas", "uses 'b.pas';\r\nprocedure A; begin end;\r\nbegin end."},
        {"b.pas", "procedure B; begin end;\r\nbegin end."},
        {"c.pas", ""},
    };
    std::vector<std::string> asked;
    auto handler = [&](const std::string& name, std::string& text) {
        asked.push_back(name);
        text = units[LowerCase(name)];
    };
    TfsILParser parser;
    parser.LoadGrammar("PascalScript");
    parser.SetOnGetUnit(handler);
    ASSERT_TRUE(parser.BuildIntermediate("uses 'a.pas', 'c.pas', 'B.PAS';\r\nbegin end.")) << parser.ErrorMsg();
    EXPECT_EQ(ProgramShape(parser.Document()),
              "uses[B.PAS](program(procedure(name=B compoundstmt) compoundstmt types)) uses[c.pas] "
              "uses[a.pas](program(procedure(name=A compoundstmt) compoundstmt types)) compoundstmt");
    EXPECT_EQ(asked, (std::vector<std::string>{"B.PAS", "c.pas", "a.pas"}));
    EXPECT_EQ(parser.UsedUnits(), (std::vector<std::string>{"B.PAS", "c.pas", "a.pas"}));
}

TEST(PascalFrontEnd, ErrorInAUnitNamesTheUnit) {
    auto handler = [](const std::string& name, std::string& text) {
        text = name == "outer.pas" ? "uses 'inner.pas'; begin end." : "begin x := end.";
    };
    TfsILParser parser;
    parser.LoadGrammar("PascalScript");
    parser.SetOnGetUnit(handler);
    EXPECT_FALSE(parser.BuildIntermediate("uses 'outer.pas'; begin end."));
    EXPECT_EQ(parser.ErrorMsg(), "Expression expected");
    EXPECT_EQ(parser.ErrorPos(), "");
    EXPECT_EQ(parser.ErrorUnit(), "inner.pas");
}

TEST(PascalFrontEnd, UnitFilesAreReadFromTheWorkingDirectory) {
    const std::string dir = GetTempDir() + "scriptfe-units-" + std::to_string(::getpid());
    ASSERT_TRUE(ForceDirectories(dir));
    char saved[4096];
    ASSERT_NE(::getcwd(saved, sizeof saved), nullptr);
    ASSERT_EQ(::chdir(dir.c_str()), 0);
    SaveFileAtomically("Lib.pas", "procedure L; begin end;\nbegin end.");
    TfsILParser parser;
    parser.LoadGrammar("PascalScript");
    // The name's case differs from the file's: the file is still found.
    EXPECT_TRUE(parser.BuildIntermediate("uses 'lib.pas'; begin end.")) << parser.ErrorMsg();
    EXPECT_EQ(ProgramShape(parser.Document()), "uses[lib.pas](program(procedure(name=L compoundstmt) compoundstmt types)) compoundstmt");

    TfsILParser missing;
    missing.LoadGrammar("PascalScript");
    EXPECT_FALSE(missing.BuildIntermediate("uses 'none.pas'; begin end."));
    EXPECT_TRUE(StartsText("Cannot open file \"none.pas\"", missing.ErrorMsg())) << missing.ErrorMsg();
    EXPECT_EQ(missing.ErrorUnit(), "none.pas");
    DeleteFile("Lib.pas");
    ASSERT_EQ(::chdir(saved), 0);
    ::rmdir(dir.c_str());
}

TEST(PascalFrontEnd, DeepNestingFailsCleanly) {
    // Reasonable nesting parses; absurd nesting gives an error instead of exhausting the stack.
    auto nested = [](int depth) {
        return "begin x := " + std::string(static_cast<size_t>(depth), '(') + "1" +
               std::string(static_cast<size_t>(depth), ')') + " end.";
    };
    EXPECT_TRUE(Parse(nested(100)).ok);
    const Parsed deep = Parse(nested(100000));
    EXPECT_FALSE(deep.ok);
    EXPECT_EQ(deep.message, "嵌套层次太深");
    std::string blocks;
    for (int i = 0; i < 100000; ++i) blocks += "begin ";
    EXPECT_EQ(Parse(blocks).message, "嵌套层次太深");
}

// Runs Body on a thread of its own with StackSize bytes of stack.
void OnThread(size_t StackSize, const std::function<void()>& Body) {
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, StackSize);
    pthread_t thread;
    auto run = [](void* body) -> void* {
        (*static_cast<const std::function<void()>*>(body))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attr, run, const_cast<std::function<void()>*>(&Body)), 0);
    pthread_attr_destroy(&attr);
    pthread_join(thread, nullptr);
}

// The guard follows the stack the thread has: a small one stops absurd nesting cleanly too,
// and what the front end accepts there also compiles and runs there.
TEST(PascalFrontEnd, DeepNestingFailsCleanlyOnASmallStack) {
    for (size_t stack : {size_t{512} * 1024, size_t{8} * 1024 * 1024}) {
        OnThread(stack, [stack] {
            auto nested = [](int depth) {
                return "begin Out(" + std::string(static_cast<size_t>(depth), '(') + "1" +
                       std::string(static_cast<size_t>(depth), ')') + ") end.";
            };
            const Parsed deep = Parse(nested(100000));
            EXPECT_FALSE(deep.ok) << stack;
            EXPECT_EQ(deep.message, "嵌套层次太深") << stack;
            // The deepest accepted nesting (found by doubling) builds and runs.
            int depth = 16;
            while (Parse(nested(depth * 2)).ok) depth *= 2;
            EXPECT_GE(depth, 16) << stack;
            TestScript t;
            EXPECT_EQ(t.Run(nested(depth)), "1") << stack << " " << depth;
        });
    }
}

TEST(PascalFrontEnd, TruncatedAndMangledSourceFailsWithAPosition) {
    const std::string program =
        "program Demo;\r\nuses 'u.pas';\r\nconst C = $10; S = 'a''b'#13;\r\nvar a: array[0..2] of Integer = 1; v;\r\n"
        "function F(var x: Integer; const y: String): Integer;\r\nbegin Result := x * 2 end;\r\n"
        "begin\r\n  with o do if (a[1] >= 2) and not b then c := <Var \"q\"> else d(1, 2);\r\n"
        "  case i of 1, 2..3: ; else x := -1.5e2 end;\r\n  try repeat i := i + 1 until i > 9 except exit end;\r\n"
        "  for i := 9 downto 0 do begin continue; break end\r\nend.";
    auto units = [](const std::string&, std::string& text) { text = "begin end."; };
    auto check = [&](const std::string& source) {
        TfsILParser parser;
        parser.LoadGrammar("PascalScript");
        parser.SetOnGetUnit(units);
        if (parser.BuildIntermediate(source)) return;
        ASSERT_FALSE(parser.ErrorMsg().empty()) << source;
        const TfsPoint at = PosToPoint(parser.ErrorPos());
        EXPECT_GE(at.Y, 1) << source;
        EXPECT_GE(at.X, 1) << source;
    };
    for (size_t n = 0; n < program.size(); ++n) check(program.substr(0, n));
    std::mt19937 random(12345);
    const std::string alphabet = "begin end;:=()[]<>'\"#${}*./+-,@x1 \r\n";
    for (int round = 0; round < 2000; ++round) {
        std::string mangled = program;
        for (int k = 0; k < 3; ++k) {
            const size_t at = random() % mangled.size();
            mangled[at] = alphabet[random() % alphabet.size()];
        }
        check(mangled);
    }
}

}  // namespace
