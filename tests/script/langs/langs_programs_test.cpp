// Twin programs: one program per statement kind, written in each language, compiled and run
// through TfsScript; every language must give what the PascalScript twin gives. A language
// that has no such statement has no twin (nullptr). Counting loops and ++/-- give with a
// run-line handler bound (which leaves every step to its statement) what they give without.
#include "langs_helpers.h"

#include <gtest/gtest.h>

namespace {

struct Twins {
    const char* Name;
    const char* Source[4];  // in the order of kLanguages
    const char* Output;
};

class TwinProgramTest : public ::testing::TestWithParam<Twins> {};

TEST_P(TwinProgramTest, SameResultInEveryLanguage) {
    const Twins& t = GetParam();
    LangRunner runner;
    for (size_t i = 0; i < std::size(kLanguages); ++i) {
        if (!t.Source[i]) continue;
        EXPECT_EQ(runner.Run(kLanguages[i], t.Source[i]), t.Output) << kLanguages[i];
    }
}

const Twins kTwins[] = {
    {"Assignments",
     {"var i: Integer; s: String;\n"
      "begin i := 2; i := i * 10 + 1; i := i - 1; s := 'a'; s := s + 'b';\n"
      "Out(i); Out(s); Out(7 div 2); Out(7 mod 3); Out(-i + 3); Out(2 + 3 * 4) end.",
      "{ int i; string s; i = 2; i = i * 10 + 1; i -= 1; s = \"a\"; s += \"b\";\n"
      "Out(i); Out(s); Out(7 div 2); Out(7 % 3); Out(-i + 3); Out(2 + 3 * 4); }",
      "var i = 2; i = i * 10 + 1; i -= 1; var s = \"a\"; s += \"b\";\n"
      "Out(i); Out(s); Out(7 div 2); Out(7 % 3); Out(-i + 3); Out(2 + 3 * 4);",
      "Dim i As Integer = 2\ni = i * 10 + 1\ni -= 1\nDim s As String = \"a\"\ns += \"b\"\n"
      "Out(i)\nOut(s)\nOut(7 \\ 2)\nOut(7 Mod 3)\nOut(-i + 3)\nOut(2 + 3 * 4)\n"},
     "20 ab 3 1 -17 14"},
    {"IfElse",
     {"var x: Integer;\n"
      "begin x := 5; if x > 3 then Out('big') else Out('small'); if x = 1 then Out('one');\n"
      "if (x > 1) and (x < 10) then Out('mid'); if not (x = 5) then Out('no') else begin Out('five') end end.",
      "{ int x = 5; if (x > 3) Out(\"big\"); else Out(\"small\"); if (x == 1) Out(\"one\");\n"
      "if ((x > 1) && (x < 10)) Out(\"mid\"); if (!(x == 5)) Out(\"no\"); else { Out(\"five\"); } }",
      "var x = 5; if (x > 3) Out(\"big\"); else Out(\"small\"); if (x == 1) Out(\"one\")\n"
      "if ((x > 1) && (x < 10)) Out(\"mid\"); if (!(x == 5)) Out(\"no\") else { Out(\"five\") }",
      "x = 5\nIf x > 3 Then\n  Out(\"big\")\nElse\n  Out(\"small\")\nEnd If\nIf x = 1 Then Out(\"one\")\n"
      "If (x > 1) And (x < 10) Then Out(\"mid\")\nIf Not (x = 5) Then\nOut(\"no\")\nElse\nOut(\"five\")\nEnd If\n"},
     "big mid five"},
    {"ElseIfChain",
     {"var i: Integer;\n"
      "begin for i := 1 to 3 do if i = 1 then Out('a') else if i = 2 then Out('b') else Out('c') end.",
      "{ int i; for (i = 1; i <= 3; i++) if (i == 1) Out(\"a\"); else if (i == 2) Out(\"b\"); else Out(\"c\"); }",
      "for (var i = 1; i <= 3; i++) if (i == 1) Out(\"a\"); else if (i == 2) Out(\"b\"); else Out(\"c\");",
      "For i = 1 To 3\n  If i = 1 Then\n    Out(\"a\")\n  ElseIf i = 2 Then\n    Out(\"b\")\n  Else\n    Out(\"c\")\n"
      "  End If\nNext\n"},
     "a b c"},
    {"CaseSelectors",
     {"var i: Integer;\n"
      "begin for i := 1 to 6 do case i of 1: Out('one'); 2, 3: Out('few'); 4..5: Out('some') else Out('many') end end.",
      "{ int i; for (i = 1; i <= 6; i++) switch (i) { case 1: Out(\"one\"); case 2, 3: Out(\"few\");\n"
      "case 4..5: { Out(\"some\"); } default: Out(\"many\"); } }",
      "for (i = 1; i <= 6; i++) switch (i) { case 1: Out(\"one\"); case 2, 3: Out(\"few\")\n"
      "case 4..5: { Out(\"some\") } default: Out(\"many\") }",
      "For i = 1 To 6\nSelect Case i\nCase 1: Out(\"one\")\nCase 2, 3:\n  Out(\"few\")\nCase 4..5: Out(\"some\")\n"
      "Case Else: Out(\"many\")\nEnd Select\nNext\n"},
     "one few few some some many"},
    {"ForLoops",
     {"var i: Integer; begin for i := 1 to 3 do Out(i); for i := 3 downto 1 do Out(i * 10) end.",
      "{ int i; for (i = 1; i <= 3; i++) Out(i); for (int j = 3; j >= 1; j--) Out(j * 10); }",
      "for (i = 1; i <= 3; i++) Out(i); for (var j = 3; j >= 1; j--) Out(j * 10);",
      "For i = 1 To 3\nOut(i)\nNext\nFor i = 3 To 1 Step -1\nOut(i * 10)\nNext\n"},
     "1 2 3 30 20 10"},
    {"ForStepAndSeveralCounters",
     {"var i, j: Integer; begin i := 0; j := 10; while i < j do begin Out(i + j); i := i + 3; j := j - 2 end end.",
      "{ int i, j; for (i = 0, j = 10; i < j; i += 3, j -= 2) Out(i + j); }",
      "for (var i = 0, j = 10; i < j; i += 3) { Out(i + j); j -= 2; }",
      "j = 10\nFor i = 0 To 9 Step 3\nIf i >= j Then Break\nOut(i + j)\nj -= 2\nNext\n"},
     "10 11"},
    {"WhileLoop",
     {"var i: Integer; begin i := 0; while i < 3 do begin i := i + 1; Out(i) end; while False do Out('never') end.",
      "{ int i = 0; while (i < 3) { i++; Out(i); } while (false) Out(\"never\"); }",
      "var i = 0; while (i < 3) { i++; Out(i) } while (false) Out(\"never\");",
      "i = 0\nWhile i < 3\ni = i + 1\nOut(i)\nWend\nWhile False\nOut(\"never\")\nWend\n"},
     "1 2 3"},
    {"RepeatLoops",
     {"var i: Integer;\n"
      "begin i := 0; repeat i := i + 1; Out(i) until i >= 3; repeat i := i + 1; Out(i) until not (i < 5) end.",
      "{ int i = 0; do { i++; Out(i); } while (i < 3); do { i++; Out(i); }; while (i < 5); }",
      "var i = 0; do { i++; Out(i); } while (i < 3); do { i++; Out(i); } while (i < 5);",
      "i = 0\nDo\ni = i + 1\nOut(i)\nLoop Until i >= 3\nDo\ni = i + 1 : Out(i)\nLoop While i < 5\n"},
     "1 2 3 4 5"},
    {"BreakAndContinue",
     {"var i: Integer;\n"
      "begin for i := 1 to 10 do begin if i = 2 then continue; if i = 5 then break; Out(i) end end.",
      "{ int i; for (i = 1; i <= 10; i++) { if (i == 2) continue; if (i == 5) break; Out(i); } }",
      "for (i = 1; i <= 10; i++) { if (i == 2) continue; if (i == 5) break; Out(i); }",
      "For i = 1 To 10\nIf i = 2 Then Continue\nIf i = 5 Then Break\nOut(i)\nNext\n"},
     "1 3 4"},
    {"FunctionsAndVarParameters",
     {"function Sq(x: Integer): Integer; begin Result := x * x end;\n"
      "procedure Twice(var v: Integer); begin v := v * 2 end;\n"
      "function Fact(n: Integer): Integer; begin if n <= 1 then Result := 1 else Result := n * Fact(n - 1) end;\n"
      "var n: Integer; begin n := Sq(3); Twice(n); Out(n); Out(Fact(5)) end.",
      "int Sq(int x) { return x * x; }\nvoid Twice(int &v) { v = v * 2; }\n"
      "int Fact(int n) { if (n <= 1) return 1; return n * Fact(n - 1); }\n"
      "int n; { n = Sq(3); Twice(n); Out(n); Out(Fact(5)); }",
      "function Sq(x) { return x * x; }\nfunction Twice(&v) { v = v * 2; }\n"
      "function Fact(n) { if (n <= 1) return 1; return n * Fact(n - 1); }\nn = Sq(3); Twice(n); Out(n); Out(Fact(5));",
      "Function Sq(x As Integer) As Integer\nReturn x * x\nEnd Function\nSub Twice(ByRef v As Integer)\nv = v * 2\nEnd Sub\n"
      "Function Fact(ByVal n)\nIf n <= 1 Then Return 1\nReturn n * Fact(n - 1)\nEnd Function\n"
      "n = Sq(3)\nTwice(n)\nOut(n)\nOut(Fact(5))\n"},
     "18 120"},
    {"CallsBeforeTheirDeclaration",
     {"function First: Integer; begin Result := Later(2) end;\n"
      "function Later(x: Integer): Integer; begin Result := x + 40 end;\nbegin Out(First) end.",
      nullptr, "Out(Later(2)); function Later(x) { return x + 40; }",
      "Out(Later(2))\nFunction Later(x)\nReturn x + 40\nEnd Function\n"},
     "42"},
    {"ExitAndReturn",
     {"function Sign(x: Integer): String; begin Result := 'neg'; if x < 0 then exit; Result := 'pos' end;\n"
      "begin Out(Sign(-1)); Out(Sign(1)); exit; Out('never') end.",
      "string Sign(int x) { if (x < 0) return \"neg\"; return \"pos\"; }\n"
      "{ Out(Sign(-1)); Out(Sign(1)); return; Out(\"never\"); }",
      "function Sign(x) { if (x < 0) return \"neg\"; return \"pos\"; }\n"
      "Out(Sign(-1)); Out(Sign(1)); return; Out(\"never\");",
      "Function Sign(x) As String\nIf x < 0 Then Return \"neg\"\nReturn \"pos\"\nEnd Function\n"
      "Out(Sign(-1))\nOut(Sign(1))\nExit\nOut(\"never\")\n"},
     "neg pos"},
    // A thousand levels of calls, each with its own parameter.
    {"DeepRecursion",
     {"function S(n: Integer): Integer; begin if n = 0 then Result := 0 else Result := n + S(n - 1) end;\n"
      "begin Out(S(1000)) end.",
      "int S(int n) { if (n == 0) return 0; return n + S(n - 1); }\n{ Out(S(1000)); }",
      "function S(n) { if (n == 0) return 0; return n + S(n - 1); }\nOut(S(1000));",
      "Function S(n)\nIf n = 0 Then Return 0\nReturn n + S(n - 1)\nEnd Function\nOut(S(1000))\n"},
     "500500"},
    // return inside a loop inside try/finally: the finally block runs, the value is kept.
    {"ReturnThroughFinally",
     {"function F(n: Integer): Integer; var i: Integer;\n"
      "begin for i := 1 to 3 do try if i = n then begin Result := i * 100; exit end finally Out(i) end;\n"
      "Result := -1 end;\nbegin Out(F(2)); Out(F(5)) end.",
      "int F(int n) { int i; for (i = 1; i <= 3; i++) { try { if (i == n) return i * 100; } finally { Out(i); } }\n"
      "return -1; }\n{ Out(F(2)); Out(F(5)); }",
      "function F(n) { for (var i = 1; i <= 3; i++) { try { if (i == n) return i * 100; } finally { Out(i); } }\n"
      "return -1; }\nOut(F(2)); Out(F(5));",
      "Function F(n)\nFor i = 1 To 3\nTry\nIf i = n Then Return i * 100\nFinally\nOut(i)\nEnd Try\nNext\n"
      "Return -1\nEnd Function\nOut(F(2))\nOut(F(5))\n"},
     "1 2 200 1 2 3 -1"},
    {"TryExceptAndFinally",
     {"begin try RaiseException('boom'); Out('no') except Out('caught') end;\n"
      "try Out('body') finally Out('done') end end.",
      "{ try { RaiseException(\"boom\"); Out(\"no\"); } except { Out(\"caught\"); }\n"
      "try { Out(\"body\"); } finally { Out(\"done\"); } }",
      "try { RaiseException(\"boom\"); Out(\"no\"); } except { Out(\"caught\"); }\n"
      "try Out(\"body\"); finally Out(\"done\");",
      "Try\nRaiseException(\"boom\")\nOut(\"no\")\nCatch\nOut(\"caught\")\nEnd Try\n"
      "Try\nOut(\"body\")\nFinally\nOut(\"done\")\nEnd Try\n"},
     "caught body done"},
    {"Arrays",
     {"var a: array[3] of Integer; m: array[0..1, 0..1] of Integer; i: Integer;\n"
      "begin for i := 0 to 2 do a[i] := i * i; m[1, 1] := 7; Out(a[0] + a[1] + a[2]); Out(m[1, 1]) end.",
      "{ int a[3], m[2][2]; int i; for (i = 0; i < 3; i++) a[i] = i * i; m[1][1] = 7; Out(a[0] + a[1] + a[2]);"
      " Out(m[1][1]); }",
      "var a[3], m[2, 2]; for (i = 0; i < 3; i++) a[i] = i * i; m[1, 1] = 7; Out(a[0] + a[1] + a[2]); Out(m[1, 1]);",
      "Dim a[3], m[2, 2]\nFor i = 0 To 2\na[i] = i * i\nNext\nm[1, 1] = 7\nOut(a[0] + a[1] + a[2])\nOut(m[1, 1])\n"},
     "5 7"},
    {"SetMembership",
     {"var i: Integer; begin for i := 1 to 6 do if i in [1, 3..4] then Out(i) end.",
      "{ int i; for (i = 1; i <= 6; i++) if (i in [1, 3..4]) Out(i); }",
      "for (i = 1; i <= 6; i++) if (i in [1, 3..4]) Out(i);",
      "For i = 1 To 6\nIf i In [1, 3..4] Then Out(i)\nNext\n"},
     "1 3 4"},
    {"MembersOfObjects",
     {"begin Box.Count := 3; Box.Count := Box.Count + 1; Out(Box.Caption + IntToStr(Box.Count)) end.",
      "{ Box.Count = 3; Box.Count += 1; Out(Box.Caption + IntToStr(Box.Count)); }",
      "Box.Count = 3; Box.Count += 1; Out(Box.Caption + IntToStr(Box.Count));",
      "Box.Count = 3\nBox.Count += 1\nOut(Box.Caption & IntToStr(Box.Count))\n"},
     "box4"},
    {"WithObject",
     {"begin with Box do begin Caption := 'w'; Count := 2; Out(Caption); Out(Count) end end.", nullptr,
      "with (Box) { Caption = \"w\"; Count = 2; Out(Caption); Out(Count); }",
      "With Box\nCaption = \"w\"\nCount = 2\nOut(Caption)\nOut(Count)\nEnd With\n"},
     "w 2"},
    // Alive counts the living boxes (Box is one): new makes one, delete frees it again.
    {"NewAndDelete",
     {"var b: TLangsBox;\n"
      "begin b := TLangsBox.Create(nil); b.Caption := 'new'; Out(b.Caption); Out(Alive); b.Free; Out(Alive) end.",
      "TLangsBox b; { b = new TLangsBox(nil); b.Caption = \"new\"; Out(b.Caption); Out(Alive()); delete b;"
      " Out(Alive()); }",
      "var b = new TLangsBox(nil); b.Caption = \"new\"; Out(b.Caption); Out(Alive()); delete b; Out(Alive());",
      "Dim b As TLangsBox\nSet b = New TLangsBox(nil)\nb.Caption = \"new\"\nOut(b.Caption)\nOut(Alive())\nDelete b\n"
      "Out(Alive())\n"},
     "new 2 1"},
    {"AddressOfNamesAProcedure",
     {"procedure P; begin end; var s: String; begin s := @P; Out(s) end.",
      "void P() { } string s; { s = &P; Out(s); }", "function P() { } s = &P; Out(s);",
      "Sub P\nEnd Sub\ns = AddressOf P\nOut(s)\n"},
     "P"},
};

INSTANTIATE_TEST_SUITE_P(Languages, TwinProgramTest, ::testing::ValuesIn(kTwins),
                         [](const auto& info) { return std::string(info.param.Name); });

// Counting loops, ++ and -- and integer sums in loop bodies: each runs without a run-line
// handler (the counting and the sums in place) and with one (every statement on its own),
// and gives the same output both ways; with the handler, the step statement is met once per
// pass.
struct CountedCase {
    const char* Name;
    const char* Language;
    const char* Source;
    const char* Output;
    int Steps;   // passes that reach the step statement "Step"
};

class CountedLoopTest : public ::testing::TestWithParam<CountedCase> {};

TEST_P(CountedLoopTest, SameOutputWithAndWithoutARunLineHandler) {
    const CountedCase& c = GetParam();
    LangRunner plain;
    EXPECT_EQ(plain.Run(c.Language, c.Source), c.Output);
    LangRunner hooked;
    const std::function<void(TfsScript&)> setup = hooked.T.Setup;
    // The step statement is the one that follows "/*Step*/" in the source.
    const std::string source = c.Source;
    int steps = 0;
    hooked.T.Setup = [&](TfsScript& s) {
        setup(s);
        s.OnRunLine = [&](TfsScript*, const std::string&, const std::string& pos) {
            const size_t colon = pos.find(':');
            const int line = std::stoi(pos.substr(0, colon)), column = std::stoi(pos.substr(colon + 1));
            size_t at = 0;
            for (int l = 1; l < line; ++l) at = source.find('\n', at) + 1;
            const size_t start = at + static_cast<size_t>(column) - 1;
            if (start >= 8 && source.compare(start - 8, 8, "/*Step*/") == 0) ++steps;
        };
    };
    EXPECT_EQ(hooked.Run(c.Language, c.Source), c.Output);
    EXPECT_EQ(steps, c.Steps);
}

const CountedCase kCounted[] = {
    {"SumUpTo", "JScript", "var s = 0;\nfor (var i = 1; i <= 5; /*Step*/i++) s += i;\nOut(s); Out(i);", "15 6", 5},
    {"CountDownByThree", "C++Script", "{ int i, s; s = 0;\nfor (i = 10; i > 0; /*Step*/i -= 3) s += i;\nOut(s); Out(i); }",
     "22 -2", 4},
    {"DownToOne", "C++Script", "{ int i, s; s = 0;\nfor (i = 3; i >= 1; /*Step*/i--) s += i;\nOut(s); Out(i); }", "6 0", 3},
    {"UnequalTo", "JScript", "var s = 0;\nfor (var i = 0; i != 6; /*Step*/i += 2) s += 1;\nOut(s); Out(i);", "3 6", 3},
    {"ByAVariable", "JScript", "var s = 0, k = 4;\nfor (var i = 0; i < 10; /*Step*/i += k) s += i;\nOut(s); Out(i);", "12 12",
     3},
    {"BodyCountsTheCounter", "JScript", "var i;\nfor (i = 0; i < 10; /*Step*/i++) i += 2;\nOut(i);", "12", 4},
    {"BodyMovesTheBound", "JScript", "var d = -1, n = 6;\nfor (var i = 0; i < n; /*Step*/i++) n += d;\nOut(i); Out(n);",
     "3 3", 3},
    {"CounterBecomesFractional", "JScript", "var i;\nfor (i = 0; i < 3; /*Step*/i++) i += 0.5;\nOut(i);", "3", 2},
    {"FractionalStep", "JScript", "var s = 0;\nfor (var i = 0; i < 2; /*Step*/i += 0.5) s += 1;\nOut(s); Out(i);", "4 2", 4},
    {"FractionalBound", "C++Script", "{ int i, s; s = 0;\nfor (i = 0; i < 2.5; /*Step*/i++) s += i;\nOut(s); Out(i); }",
     "3 3", 3},
    {"SumOfTexts", "JScript", "var s = \"n\";\nfor (var i = 0; i < 3; /*Step*/i++) s += \"x\";\nOut(s);", "nxxx", 3},
    {"SumOfANumberAndAText", "JScript", "var s = 1;\nfor (var i = 0; i < 3; /*Step*/i++) s += \"x\";\nOut(s);",
     "error: Could not convert variant of type (String) into type (Double)", 0},
    {"BreakAndContinue", "C++Script",
     "{ int i, s; s = 0;\nfor (i = 1; i <= 10; /*Step*/i++) { if (i == 2) continue; if (i == 5) break; s += i; }\n"
     "Out(s); Out(i); }",
     "8 5", 4},
    {"IncrementAFractionAndAText", "JScript", "var f = 1.5, t = \"41\";\n/*Step*/f++; t++;\nOut(f); Out(t);", "2.5 42", 1},
    {"DecrementPastTheSmallestInteger", "C++Script",
     "{ int i; i = -2147483647;\n/*Step*/i--; i--;\nOut(i); }", "-2147483649", 1},
    {"SumsPastSixtyFourBits", "PascalScript",
     "var i: Integer; s: Variant;\nbegin s := 9223372036854775806;\nfor i := 1 to 2 do s := s + i; Out(s > 9.2E18) end.",
     "True", 0},
};

INSTANTIATE_TEST_SUITE_P(Languages, CountedLoopTest, ::testing::ValuesIn(kCounted),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
