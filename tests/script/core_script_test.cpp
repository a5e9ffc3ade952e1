// The script object: look-up and registration, Variables, Evaluate, CallFunction, the
// run-line hook and Terminate, executable lines, run-time errors, units, and the script as a
// streamed component.
#include "core_helpers.h"

#include "platform/classes/Streaming.h"
#include "script/ClassVariables.h"
#include "script/ILParser.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

Variant Call(const char* name) { return Variant(std::string(name)); }

TEST(ScriptRegistry, LookUpIgnoresCaseAndTheFirstRegisteredWins) {
    TfsScript script;
    script.AddMethod("function Dup: Integer", [](TObject*, TClass, const std::string&, TfsParams&) { return Variant(1); });
    script.AddMethod("function Dup: Integer", [](TObject*, TClass, const std::string&, TfsParams&) { return Variant(2); });
    EXPECT_EQ(script.Find("DUP"), script.Find("dup"));
    EXPECT_EQ(VarToStr(script.Evaluate("dUp")), "1");
    // Names known anywhere in the chain are not registered again.
    const int count = script.Count();
    script.AddVariable("Pi", "Integer", Variant(3));
    script.AddConst("TRUE", "Integer", Variant(0));
    EXPECT_EQ(script.Count(), count);
    EXPECT_EQ(VarToStr(script.Evaluate("Round(Pi * 100)")), "314");
}

TEST(ScriptRegistry, EnumerationsAndSets) {
    TfsScript script;
    script.AddEnum("TAlignTest", "atNone , atTop,atBottom");
    script.AddEnumSet("TStylesTest", "stBold, stItalic, stUnderline");
    EXPECT_EQ(script.FindLocal("TAlignTest")->Typ, tcEnum);
    EXPECT_EQ(VarToStr(script.Evaluate("IntToStr(atNone) + IntToStr(atTop) + IntToStr(atBottom)")), "012");
    EXPECT_EQ(VarToStr(script.Evaluate("IntToStr(stBold) + IntToStr(stItalic) + IntToStr(stUnderline)")), "124");
    EXPECT_EQ(script.FindLocal("atTop")->TypeName, "TAlignTest");
    EXPECT_TRUE(script.FindLocal("atTop")->IsReadOnly);
}

TEST(ScriptRegistry, VariablesWriteThroughTheChain) {
    TfsScript parent;
    TfsScript child;
    child.SetParent(&parent);
    parent.AddVariable("G", "Integer", Variant(1));
    child.SetVariables("g", Variant(5));
    EXPECT_EQ(VarToStr(parent.Variables("G")), "5");
    EXPECT_EQ(child.FindLocal("G"), nullptr);
    child.SetVariables("Fresh", Variant(std::string("x")));
    ASSERT_NE(child.FindLocal("Fresh"), nullptr);
    EXPECT_EQ(child.FindLocal("Fresh")->Typ, tcVariant);
    EXPECT_TRUE(child.Variables("Missing").IsNull());
}

TEST(ScriptRegistry, RemoveItemsByTheirRegistrar) {
    TfsScript script;
    const int marker = 0;
    const int count = script.Count();
    script.SetAddedBy(&marker);
    script.AddConst("OneA", "Integer", Variant(1));
    script.AddEnum("TEnumA", "eaX, eaY");
    script.SetAddedBy(nullptr);
    script.AddConst("Kept", "Integer", Variant(2));
    script.RemoveItems(&marker);
    EXPECT_EQ(script.Count(), count + 1);
    EXPECT_EQ(script.Find("eaY"), nullptr);
    EXPECT_NE(script.Find("Kept"), nullptr);
}

TEST(ScriptRegistry, GlobalUnitHoldsTypesAndConstants) {
    TfsScript* unit = GlobalUnit();
    struct Case {
        const char* Name;
        uint8_t Typ;
    } cases[] = {{"Byte", tcInteger},    {"TColor", tcInteger}, {"Boolean", tcBoolean}, {"TDateTime", tcExtended},
                 {"Currency", tcExtended}, {"Char", tcChar},    {"String", tcString},   {"Array", tcArray},
                 {"Pointer", tcVariant}, {"Constructor", tcConstructor}};
    for (const Case& c : cases) {
        ASSERT_NE(unit->FindLocal(c.Name), nullptr) << c.Name;
        EXPECT_EQ(unit->FindLocal(c.Name)->Typ, c.Typ) << c.Name;
        EXPECT_EQ(unit->FindLocal(c.Name)->Kind(), TfsItemKind::Type) << c.Name;
    }
    EXPECT_EQ(VarType(unit->Variables("nil")), varInteger);
    EXPECT_EQ(VarToStr(unit->Variables("nil")), "0");
    EXPECT_TRUE(unit->Variables("Null").IsNull());
    EXPECT_EQ(unit->FindLocal("True")->Typ, tcBoolean);
}

TEST(ScriptEvaluate, ValuesErrorsAndTheSuspendedHook) {
    TfsScript script;
    int hooks = 0;
    script.OnRunLine = [&hooks](TfsScript*, const std::string&, const std::string&) { ++hooks; };
    EXPECT_EQ(VarToStr(script.Evaluate("1+2")), "3");
    EXPECT_EQ(VarToStr(script.Evaluate("1+")), "';' expected");
    EXPECT_THROW(script.Evaluate("1 div 0"), EDivByZero);
    EXPECT_EQ(hooks, 0);
    EXPECT_TRUE(script.OnRunLine.Assigned());
}

// Evaluate from the hook sees the locals of the procedure that is running.
TEST(ScriptEvaluate, SeesTheLocalsOfTheRunningProcedure) {
    TestScript t;
    std::vector<std::string> seen;
    t.Setup = [&seen](TfsScript& s) {
        s.OnRunLine = [&seen, &s](TfsScript*, const std::string&, const std::string& pos) {
            if (pos.rfind("3:", 0) == 0) seen.push_back(VarToStr(s.Evaluate("k * 2")));
        };
    };
    EXPECT_EQ(t.Run("procedure P(k: Integer);\r\nbegin\r\n  Out(k)\r\nend;\r\nbegin P(7); P(8) end."), "7 8");
    EXPECT_EQ(seen, (std::vector<std::string>{"14", "16"}));
}

// The hook that calls Evaluate stays alive while it runs: a handler whose closure is too
// large for the small-object buffer (a debugger's state) evaluates at a stop, is not
// called for the evaluated statement, and is still bound afterwards.
TEST(ScriptEvaluate, FromInsideALargeHook) {
    TestScript t;
    struct TState {
        std::string Stop = "3:";
        std::vector<std::string> Seen;
        std::vector<std::string> Stops;
    };
    auto state = std::make_shared<TState>();
    std::string label = "watch k";
    t.Setup = [state, label](TfsScript& s) {
        s.OnRunLine = [state, label, script = &s](TfsScript*, const std::string&, const std::string& pos) {
            state->Stops.push_back(pos);
            if (pos.rfind(state->Stop, 0) == 0) state->Seen.push_back(label + "=" + VarToStr(script->Evaluate("k * 10")));
        };
    };
    EXPECT_EQ(t.Run("procedure P(k: Integer);\r\nbegin\r\n  Out(k)\r\nend;\r\nbegin P(7); P(8) end."), "7 8");
    EXPECT_EQ(state->Seen, (std::vector<std::string>{"watch k=70", "watch k=80"}));
    // The program's own statements only: nothing of the evaluations.
    EXPECT_EQ(state->Stops, (std::vector<std::string>{"5:7", "3:3", "5:13", "3:3"}));
    EXPECT_TRUE(t.Script.OnRunLine.Assigned());
}

TEST(ScriptCallFunction, ArgumentsDefaultsAndWriteBack) {
    TfsScript parent;
    parent.Lines()->SetText("function InParent: Integer; begin Result := 1 end; begin end.");
    ASSERT_TRUE(parent.Compile());
    TfsScript script;
    script.SetParent(&parent);
    script.Lines()->SetText(
        "var Counter: Integer;\r\n"
        "function F(a: Integer; b: Integer = 10): Integer; begin Result := a + b end;\r\n"
        "procedure P(var x: Integer; y: Integer); begin x := x * 2; y := 0 end;\r\n"
        "begin end.");
    ASSERT_TRUE(script.Compile()) << script.ErrorMsg();
    EXPECT_EQ(VarToStr(script.CallFunction("F", VarArrayOf({Variant(1)}))), "11");
    EXPECT_EQ(VarToStr(script.CallFunction("F", VarArrayOf({Variant(1), Variant(2)}))), "3");
    // A missing argument takes the default again, not the previous call's value.
    EXPECT_EQ(VarToStr(script.CallFunction("f", VarArrayOf({Variant(5)}))), "15");
    try {
        script.CallFunction("F", VarArrayOf({Variant(1), Variant(2), Variant(3)}));
        ADD_FAILURE() << "too many arguments accepted";
    } catch (const EScriptError& e) {
        EXPECT_EQ(e.Message(), "真实变量太多");
    }
    Variant params = VarArrayOf({Variant(3), Variant(4)});
    script.CallFunctionVar("P", params);
    EXPECT_EQ(VarToStr(params.GetElement({0})), "6");
    EXPECT_EQ(VarToStr(params.GetElement({1})), "0");
    EXPECT_TRUE(script.CallFunction("InParent", Variant()).IsNull());
    EXPECT_TRUE(script.CallFunction("Counter", Variant()).IsNull());
    EXPECT_TRUE(script.CallFunction("Nothing", Variant()).IsNull());
    EXPECT_EQ(VarToStr(parent.CallFunction("InParent", Call("ignored"))), "1");
}

// Calls by name remember what a name found; every change of the item table (a compile that
// adds, a failed compile that takes back, Clear, Remove) is seen by the next call.
TEST(ScriptCallFunction, NamesFollowTheItemTable) {
    TfsScript script;
    EXPECT_TRUE(script.CallFunction("G", Variant()).IsNull());
    script.Lines()->SetText("function G: Integer; begin Result := 1 end; begin end.");
    ASSERT_TRUE(script.Compile());
    EXPECT_EQ(VarToStr(script.CallFunction("G", Variant())), "1");
    // A failed compile of another G takes its items back: the first G stays.
    script.Lines()->SetText("function H: Integer; begin Result := 2 end; function G: Integer; begin Result := ( end; begin end.");
    EXPECT_FALSE(script.Compile());
    EXPECT_EQ(VarToStr(script.CallFunction("G", Variant())), "1");
    EXPECT_TRUE(script.CallFunction("H", Variant()).IsNull());
    std::unique_ptr<TfsCustomVariable> removed = script.Remove(script.FindLocal("G"));
    EXPECT_TRUE(script.CallFunction("G", Variant()).IsNull());
    script.Clear();
    script.Lines()->SetText("function g: Integer; begin Result := 3 end; begin end.");
    ASSERT_TRUE(script.Compile());
    EXPECT_EQ(VarToStr(script.CallFunction("G", Variant())), "3");
    EXPECT_EQ(VarToStr(script.CallFunction("g", Variant())), "3");
    // Many names in turn (more than the remembered ones) each find their own function.
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "function _f" + std::to_string(i) + ": Integer; begin Result := " + std::to_string(i) + " end;\r\n";
    script.Clear();
    script.Lines()->SetText(text + "begin end.");
    ASSERT_TRUE(script.Compile()) << script.ErrorMsg();
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 40; ++i)
            EXPECT_EQ(VarToStr(script.CallFunction("_f" + std::to_string(i), Variant())), std::to_string(i));
}

// The ways of calling a function by name: without an array (a function without parameters
// takes the short way) and with an empty array (the general way), through CallFunction and
// CallFunctionVar. Each gives the same value and kind, or the same error, position and unit;
// the next call that succeeds clears the position again.
TEST(ScriptCallFunction, WithoutParametersAsTheGeneralWay) {
    struct Case {
        const char* Body;
        Variant Got;   // what Get returns
    } cases[] = {
        {"Result := 1", Variant(0)},
        {"Result := 3000000000", Variant(0)},
        {"Result := 2147483647 + 1", Variant(0)},
        {"Result := 2.5", Variant(0)},
        {"Result := 'abc'", Variant(0)},
        {"Result := Null", Variant(0)},
        {"Result := Get('X') * 2 + 1", Variant(21)},
        {"Result := Get('X') * 2 + 1", Variant(2147483647)},
        {"Result := Get('X') * 2 + 1", Variant::FromInt64(4611686018427387904)},
        {"Result := Get('X') * 2 + 1", Variant(2.5)},
        {"Result := Get('X') * 2 + 1", Variant(std::string("20"))},
        {"Result := Get('X') * 2 + 1", Variant(std::string("abc"))},
        {"Result := Get('X') * 2 + 1", Variant::Null()},
        {"Result := Get('X') - 1 < 0", Variant(0)},
        {"Result := 1 div Get('X')", Variant(0)},
        {"RaiseException('boom')", Variant(0)},
    };
    using Way = std::function<Variant(TfsScript&, const char*)>;
    const Way ways[] = {
        [](TfsScript& s, const char* name) { return s.CallFunction(name, Variant()); },
        [](TfsScript& s, const char* name) { return s.CallFunction(name, VarArrayOf(std::vector<Variant>())); },
        [](TfsScript& s, const char* name) {
            Variant params;
            return s.CallFunctionVar(name, params);
        },
        [](TfsScript& s, const char* name) {
            Variant params = VarArrayOf(std::vector<Variant>());
            return s.CallFunctionVar(name, params);
        },
    };
    for (const Case& c : cases) {
        TfsScript script;
        script.AddMethod("function Get(Name: String): Variant",
                         [&c](TObject*, TClass, const std::string&, TfsParams&) { return c.Got; });
        script.Lines()->SetText(std::string("function F: Variant;\r\nbegin\r\n  ") + c.Body +
                                "\r\nend;\r\nfunction Ok: Integer; begin Result := 1 end;\r\nbegin end.");
        ASSERT_TRUE(script.Compile()) << script.ErrorMsg();
        std::vector<std::string> outcomes;
        for (const Way& way : ways)
            for (int round = 0; round < 2; ++round) {
                std::string outcome;
                try {
                    const Variant v = way(script, "F");
                    outcome = std::to_string(VarType(v)) + ":" + VarToStr(v);
                } catch (const Exception& e) {
                    outcome = "error:" + e.Message() + "@" + script.RunErrorPos() + "/" + script.RunErrorUnit();
                }
                outcomes.push_back(outcome);
                EXPECT_EQ(VarToStr(way(script, "Ok")), "1");
                EXPECT_EQ(script.RunErrorPos(), "") << c.Body;
            }
        for (const std::string& o : outcomes) EXPECT_EQ(o, outcomes.front()) << c.Body << " " << VarToStr(c.Got);
        if (std::string(c.Body) == "RaiseException('boom')") {
            EXPECT_EQ(outcomes.front(), "error:boom@3:3/");
        }
    }
}

// A function called by name again while it runs (from a host callback) keeps its locals and
// Result apart from the outer call's, whichever way each call takes; a parameter's default
// fills in when no array is given.
TEST(ScriptCallFunction, ReenteredWhileRunningAndDefaults) {
    for (bool bare : {true, false}) {
        TfsScript script;
        script.AddMethod("function Again: Integer", [&script, bare](TObject*, TClass, const std::string&, TfsParams&) {
            return script.CallFunction("F", bare ? Variant() : VarArrayOf(std::vector<Variant>()));
        });
        script.Lines()->SetText(
            "var depth: Integer;\r\n"
            "function F: Integer; var k: Integer;\r\n"
            "begin depth := depth + 1; k := depth * 10; if depth < 3 then Result := Again + k else Result := k end;\r\n"
            "function P(a: Integer = 4): Integer; begin Result := a * 10 end;\r\n"
            "procedure V(var a: Integer); begin a := 7 end;\r\n"
            "begin end.");
        ASSERT_TRUE(script.Compile()) << script.ErrorMsg();
        EXPECT_EQ(VarToStr(script.CallFunction("F", Variant())), "60") << bare;
        EXPECT_EQ(VarToStr(script.CallFunction("P", Variant())), "40");
        Variant none;
        EXPECT_EQ(VarToStr(script.CallFunctionVar("P", none)), "40");
        EXPECT_TRUE(script.CallFunctionVar("V", none).IsNull());
        EXPECT_TRUE(none.IsEmpty());
        Variant one = VarArrayOf({Variant(1)});
        script.CallFunctionVar("V", one);
        EXPECT_EQ(VarToStr(one.GetElement({0})), "7");
    }
}

// The name asked last is compared byte for byte (with its terminating zero, in words): names
// of every length up to 20 that differ from each other in one place each find their own
// function, asked in turn and again; a recompile between two calls of one name is seen.
TEST(ScriptCallFunction, TheLastNameAskedFollowsNamesAndRecompiles) {
    std::vector<std::string> names;
    for (size_t length = 1; length <= 20; ++length) {
        const std::string base = "F" + std::string(length - 1, 'x');
        names.push_back(base);
        for (size_t at = 1; at < length; ++at) {
            std::string other = base;
            other[at] = 'y';
            names.push_back(other);
        }
    }
    std::string text;
    for (size_t i = 0; i < names.size(); ++i)
        text += "function " + names[i] + ": Integer; begin Result := " + std::to_string(i) + " end;\r\n";
    TfsScript script;
    script.Lines()->SetText(text + "begin end.");
    ASSERT_TRUE(script.Compile()) << script.ErrorMsg();
    for (int round = 0; round < 2; ++round)
        for (size_t i = 0; i < names.size(); ++i) {
            EXPECT_EQ(VarToStr(script.CallFunction(names[i], Variant())), std::to_string(i)) << names[i];
            EXPECT_EQ(VarToStr(script.CallFunction(names[i], Variant())), std::to_string(i)) << names[i];
        }
    // The same spelling after a recompile, and after the function is gone.
    script.Clear();
    script.Lines()->SetText("function Fx: Integer; begin Result := 100 end; begin end.");
    ASSERT_TRUE(script.Compile());
    EXPECT_EQ(VarToStr(script.CallFunction("Fx", Variant())), "100");
    script.Clear();
    script.Lines()->SetText("function Fx: String; begin Result := 'new' end; begin end.");
    ASSERT_TRUE(script.Compile());
    EXPECT_EQ(VarToStr(script.CallFunction("Fx", Variant())), "new");
    std::unique_ptr<TfsCustomVariable> removed = script.Remove(script.FindLocal("Fx"));
    EXPECT_TRUE(script.CallFunction("Fx", Variant()).IsNull());
}

// Terminate from the hook: the statement whose hook fired does not run, nor any after it,
// also in the callers of a recursive procedure; the next Execute runs normally.
TEST(ScriptTerminate, StopsAtTheNextStatement) {
    TestScript t;
    int threes = 0;
    bool armed = true;
    t.Setup = [&](TfsScript& s) {
        s.OnRunLine = [&](TfsScript*, const std::string&, const std::string& pos) {
            if (armed && pos.rfind("3:", 0) == 0 && ++threes == 3) t.Script.Terminate();
        };
    };
    const char* source =
        "procedure R(n: Integer);\r\nbegin\r\n  Out(n);\r\n  if n < 3 then R(n + 1);\r\n  Out(-n)\r\nend;\r\n"
        "begin R(1); Out('end') end.";
    EXPECT_EQ(t.Run(source), "1 2");
    armed = false;
    t.Output.clear();
    t.Script.Execute();
    EXPECT_EQ(t.Joined(), "1 2 3 -3 -2 -1 end");
}

TEST(ScriptTerminate, HookSeesEveryStatementWithItsPosition) {
    TestScript t;
    std::vector<std::string> positions;
    t.Setup = [&positions](TfsScript& s) {
        s.OnRunLine = [&positions](TfsScript* sender, const std::string& unit, const std::string& pos) {
            positions.push_back(unit + "@" + pos);
        };
    };
    EXPECT_EQ(t.Run("var i: Integer;\r\nbegin\r\n  for i := 1 to 2 do\r\n    Out(i);\r\n  i := 0\r\nend."), "1 2");
    EXPECT_EQ(positions, (std::vector<std::string>{"@3:3", "@4:5", "@4:5", "@5:3"}));
    EXPECT_TRUE(t.Script.IsExecutableLine(3));
    EXPECT_TRUE(t.Script.IsExecutableLine(4));
    EXPECT_FALSE(t.Script.IsExecutableLine(2));
    EXPECT_FALSE(t.Script.IsExecutableLine(1));
    EXPECT_FALSE(t.Script.IsExecutableLine(4, "other"));
    EXPECT_EQ(t.Script.UnitLines().Text(), "=3,4,5,\r\n");
}

// The script keeps where its hook is bound between statements; a handler bound, cleared or
// copied over while the script runs (from a host call or from the handler itself), on the
// script or on a script up its chain, and a parent changed meanwhile, are seen from the next
// statement on, also inside a procedure.
struct HookChange {
    const char* Name;
    bool BoundBefore;   // the script's own hook is bound before the run
    // What the host call Act does (the script, its parent, a spare script with a bound hook).
    std::function<void(TfsScript& script, TfsScript& parent, TfsScript& spare)> Act;
    bool ClearAtAct;   // the handler clears itself when it sees the Act statement
    std::vector<std::string> Seen;
};

class ScriptHookChange : public ::testing::TestWithParam<HookChange> {};

TEST_P(ScriptHookChange, SeenFromTheNextStatement) {
    const HookChange& c = GetParam();
    std::vector<std::string> seen;
    TfsScript parent, spare, script;
    parent.Lines()->SetText("begin end.");
    ASSERT_TRUE(parent.Compile());
    script.SetParent(&parent);
    auto record = [&seen, &c, &script](TfsScript*, const std::string&, const std::string& pos) {
        seen.push_back(pos);
        if (c.ClearAtAct && pos == "3:3") script.OnRunLine = nullptr;
    };
    spare.OnRunLine = record;
    if (c.BoundBefore) script.OnRunLine = record;
    script.AddMethod("procedure Act", [&](TObject*, TClass, const std::string&, TfsParams&) {
        if (c.Act) c.Act(script, parent, spare);
        return Variant();
    });
    script.AddMethod("procedure Out(v: Variant)", [](TObject*, TClass, const std::string&, TfsParams&) { return Variant(); });
    script.Lines()->SetText("procedure P;\r\nbegin\r\n  Act;\r\n  Out(1)\r\nend;\r\nbegin\r\n  P;\r\n  Out(2)\r\nend.");
    ASSERT_TRUE(script.Compile()) << script.ErrorMsg();
    script.Execute();
    EXPECT_EQ(seen, c.Seen);
    // Between runs: with every hook cleared the next run calls none; bound again, it does.
    script.OnRunLine = nullptr;
    parent.OnRunLine = nullptr;
    spare.OnRunLine = nullptr;
    seen.clear();
    script.Execute();
    EXPECT_TRUE(seen.empty());
    script.OnRunLine = record;
    script.SetParent(&parent);
    script.Execute();
    EXPECT_FALSE(seen.empty());
}

const HookChange kHookChanges[] = {
    {"NoneAtAll", false, nullptr, false, {}},
    {"BoundOnTheScriptFromAHostCall", false,
     [](TfsScript& script, TfsScript&, TfsScript& spare) { script.OnRunLine = spare.OnRunLine.Function(); }, false,
     {"4:3", "8:3"}},
    {"BoundOnTheParentFromAHostCall", false,
     [](TfsScript&, TfsScript& parent, TfsScript& spare) { parent.OnRunLine = spare.OnRunLine.Function(); }, false,
     {"4:3", "8:3"}},
    {"CopiedOverFromAnotherEvent", false,
     [](TfsScript& script, TfsScript&, TfsScript& spare) { script.OnRunLine = spare.OnRunLine; }, false, {"4:3", "8:3"}},
    {"ClearedByAHostCall", true, [](TfsScript& script, TfsScript&, TfsScript&) { script.OnRunLine = nullptr; }, false,
     {"7:3", "3:3"}},
    {"ClearedThroughTheEventBase", true,
     [](TfsScript& script, TfsScript&, TfsScript&) { static_cast<TEventBase&>(script.OnRunLine).Clear(); }, false,
     {"7:3", "3:3"}},
    {"ClearedByTheHandlerItself", true, nullptr, true, {"7:3", "3:3"}},
    {"ParentWithAHookSetFromAHostCall", false,
     [](TfsScript& script, TfsScript&, TfsScript& spare) { script.SetParent(&spare); }, false, {"4:3", "8:3"}},
};

INSTANTIATE_TEST_SUITE_P(Core, ScriptHookChange, ::testing::ValuesIn(kHookChanges),
                         [](const auto& info) { return std::string(info.param.Name); });

// A hook bound by a host call inside a recursive function, while no run-line handler is
// bound anywhere, fires from the next statement on, in that call and in the calls it makes;
// in the calls entered after it was bound Evaluate sees the innermost call's parameter (the
// call that bound it is not asked: its names are not known where it evaluates). Cleared
// again, it stops; bound again in the next call, it fires again. The results are as without
// a hook.
struct RecursiveHook {
    const char* Language;
    const char* Source;
    std::vector<std::string> Seen;   // the position at every hook call, "=n" where n is known
};

class ScriptHookInRecursion : public ::testing::TestWithParam<RecursiveHook> {};

TEST_P(ScriptHookInRecursion, FiresFromTheNextStatement) {
    const RecursiveHook& c = GetParam();
    TestScript t;
    std::vector<std::string> seen;
    auto record = [&seen, &t](TfsScript*, const std::string&, const std::string& pos) {
        const Variant n = t.Script.Evaluate("n");
        seen.push_back(n.IsString() ? pos : pos + "=" + VarToStr(n));
    };
    t.Setup = [&](TfsScript& s) {
        s.SetSyntaxType(c.Language);
        s.AddMethod("procedure Bind", [&t, record](TObject*, TClass, const std::string&, TfsParams&) {
            t.Script.OnRunLine = record;
            return Variant();
        });
        s.AddMethod("procedure Unbind", [&t](TObject*, TClass, const std::string&, TfsParams&) {
            t.Script.OnRunLine = nullptr;
            return Variant();
        });
    };
    EXPECT_EQ(t.Run(c.Source), "3 3");
    EXPECT_EQ(seen, c.Seen);
    EXPECT_FALSE(t.Script.OnRunLine.Assigned());
}

const RecursiveHook kRecursiveHooks[] = {
    {"PascalScript",
     "function R(n: Integer): Integer;\r\nbegin\r\n"
     "  if n = 2 then Bind;\r\n"
     "  if n = 0 then Unbind;\r\n"
     "  if n > 0 then Result := R(n - 1) + 1 else Result := 0\r\n"
     "end;\r\nbegin\r\n  Out(R(3));\r\n  Out(R(3))\r\nend.",
     {"4:3", "5:3", "5:17", "3:3=1", "4:3=1", "5:3=1", "5:17=1", "3:3=0", "4:3=0", "4:17=0", "4:3", "5:3", "5:17", "3:3=1", "4:3=1", "5:3=1", "5:17=1", "3:3=0", "4:3=0", "4:17=0"}},
    {"JScript",
     "function R(n) {\r\n"
     "  if (n == 2) Bind();\r\n"
     "  if (n == 0) Unbind();\r\n"
     "  if (n > 0) return R(n - 1) + 1;\r\n"
     "  return 0;\r\n"
     "}\r\nOut(R(3));\r\nOut(R(3));",
     {"3:3", "4:3", "4:14", "2:3=1", "3:3=1", "4:3=1", "4:14=1", "2:3=0", "3:3=0", "3:15=0", "3:3", "4:3", "4:14", "2:3=1", "3:3=1", "4:3=1", "4:14=1", "2:3=0", "3:3=0", "3:15=0"}},
};

INSTANTIATE_TEST_SUITE_P(Core, ScriptHookInRecursion, ::testing::ValuesIn(kRecursiveHooks),
                         [](const auto& info) { return std::string(info.param.Language); });

TEST(ScriptRunErrors, CarryTheStatementPositionAndLeaveTheScriptUsable) {
    TfsScript script;
    script.Lines()->SetText(
        "function F(n: Integer): Integer;\r\n"
        "begin\r\n"
        "  if n = 0 then RaiseException('deep');\r\n"
        "  if n > 0 then Result := F(n - 1) else Result := 5\r\n"
        "end;\r\n"
        "function G(n: Integer): Integer; var k: Integer;\r\n"
        "begin\r\n"
        "  k := n; if n = 0 then RaiseException('x');\r\n"
        "  try Result := G(n - 1) except Result := k * 100 end\r\n"
        "end;\r\n"
        "var z: Integer;\r\n"
        "begin\r\n"
        "  z := 0;\r\n"
        "  z := 1 div z\r\n"
        "end.");
    ASSERT_TRUE(script.Compile()) << script.ErrorMsg();
    for (int run = 0; run < 2; ++run) {
        EXPECT_THROW(script.Execute(), EDivByZero);
        EXPECT_EQ(script.RunErrorPos(), "14:3");
    }
    try {
        script.CallFunction("F", VarArrayOf({Variant(2)}));
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "deep");
    }
    EXPECT_EQ(script.RunErrorPos(), "3:17");
    // The recursion state came back: the same function runs again, and a caught error
    // inside recursion leaves the outer frame's locals intact.
    EXPECT_EQ(VarToStr(script.CallFunction("F", VarArrayOf({Variant(-1)}))), "5");
    EXPECT_EQ(VarToStr(script.CallFunction("G", VarArrayOf({Variant(2)}))), "100");
    EXPECT_TRUE(script.RunErrorPos().empty());
}

TEST(ScriptRunErrors, ClearingTheRunningScriptRaises) {
    TestScript t;
    t.Setup = [&t](TfsScript& s) {
        s.AddMethod("procedure Wipe", [&t](TObject*, TClass, const std::string&, TfsParams&) {
            t.Script.Clear();
            return Variant();
        });
    };
    EXPECT_EQ(t.Run("begin Out(1); Wipe; Out(2) end."), "1 error: A running script cannot be cleared");
    EXPECT_EQ(t.Run("begin Out(3) end."), "3");
}

TEST(ScriptUnits, UnitTextFromTheHandler) {
    TestScript t;
    std::string unitText = "function Twice(x: Integer): Integer; begin Result := x * 2 end; begin Out('init') end.";
    t.Setup = [&unitText](TfsScript& s) {
        s.OnGetUnit = [&unitText](TfsScript*, const std::string& name, std::string& text) {
            if (name == "lib.pas") text = unitText;
        };
    };
    EXPECT_EQ(t.Run("uses 'lib.pas';\r\nbegin Out(Twice(4)) end."), "init 8");
    unitText = "begin Out(nope) end.";
    EXPECT_EQ(t.Run("uses 'lib.pas';\r\nbegin end."), "compile: 标识符未申明: 'nope' at 1:15");
    EXPECT_EQ(t.Script.ErrorUnit(), "lib.pas");
}

// OnGetILUnit supplies a unit's intermediate text, which is built instead of the parsed unit.
TEST(ScriptUnits, IntermediateTextFromTheHandler) {
    TfsILParser front;
    front.LoadGrammar("PascalScript");
    ASSERT_TRUE(front.BuildIntermediate("function Twice(x: Integer): Integer; begin Result := x * 3 end; begin end."));
    const std::string il = front.Document().SaveToString();
    TestScript t;
    t.Setup = [&il](TfsScript& s) {
        s.OnGetUnit = [](TfsScript*, const std::string&, std::string& text) {
            text = "function Twice(x: Integer): Integer; begin Result := x * 2 end; begin end.";
        };
        s.OnGetILUnit = [&il](TfsScript*, const std::string&, std::string& text) { text = il; };
    };
    EXPECT_EQ(t.Run("uses 'lib.pas';\r\nbegin Out(Twice(4)) end."), "12");
}

TEST(ScriptComponent, PublishesLinesSyntaxTypeAndEventsAndStreams) {
    const TClass cls = TfsScript::StaticClass();
    for (const char* name : {"Lines", "SyntaxType", "OnGetILUnit", "OnGetUnit", "OnRunLine"})
        EXPECT_NE(cls->FindProperty(name), nullptr) << name;
    EXPECT_EQ(cls->FindProperty("OnRunLine")->Kind(), tkMethod);
    TComponent owner(nullptr);
    auto* script = new TfsScript(&owner);
    script->SetName("Script1");
    script->Lines()->SetText("var s: String;\r\nbegin\r\n  s := 'it''s'\r\nend.");
    script->SetSyntaxType("PascalScript");
    const std::string text = WriteComponentToText(script);
    EXPECT_NE(text.find("SyntaxType = 'PascalScript'"), std::string::npos) << text;
    TComponent other(nullptr);
    auto* copy = static_cast<TfsScript*>(CreateComponentFromText(text, &other));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Lines()->Text(), script->Lines()->Text());
    EXPECT_EQ(copy->SyntaxType(), "PascalScript");
    EXPECT_EQ(copy->Parent(), GlobalUnit());
    EXPECT_TRUE(copy->Compile()) << copy->ErrorMsg();
}

}  // namespace

// A run watch is called every kRunWatchSteps steps while a script runs, also inside loops
// whose bodies take no statement hook (empty, or a sum counted in place), in every kind of
// loop of the languages; its Terminate ends them. Without a scope nothing is called; a
// scope inside another gives the watch back when it ends.
TEST(ScriptRunWatch, StopsEveryKindOfEndlessLoop) {
    struct Case {
        const char* Language;
        const char* Source;
    };
    const Case cases[] = {
        {"PascalScript", "begin while True do ; end."},
        {"PascalScript", "begin repeat until False; end."},
        {"PascalScript", "var i: Integer; begin while True do for i := 1 to 10 do ; end."},
        {"PascalScript", "var i, s: Integer; begin for i := 1 to 2000000000 do s := s + i; end."},
        {"PascalScript", "procedure P; begin while True do ; end;\nbegin while True do P; end."},
        {"C++Script", "int i, s; { for (i = 1; i != 2; i += 2) s += i; }"},
        {"C++Script", "int i; { for (i = 0; true; i++) {} }"},
        {"JScript", "while (true) {}"},
        {"JScript", "var i = 0; do { i++; } while (true);"},
        {"BasicScript", "while true\r\nwend"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Source);
        TestScript t;
        t.Setup = [&](TfsScript& s) { s.SetSyntaxType(c.Language); };
        int calls = 0;
        TfsRunWatchScope watch([&](TfsScript* Running) {
            if (++calls < 3) return;
            for (TfsScript* s = Running; s && s != t.Script.Parent(); s = s->Parent()) s->Terminate();
        });
        EXPECT_EQ(t.Run(c.Source), "");
        EXPECT_EQ(calls, 3);
    }

    TestScript t;
    int outer = 0, inner = 0;
    const char* counted = "var i, s: Integer; begin for i := 1 to 10000 do s := s + i; end.";
    EXPECT_EQ(t.Run(counted), "");   // no watch: nothing to call
    {
        TfsRunWatchScope a([&](TfsScript*) { ++outer; });
        {
            TfsRunWatchScope b([&](TfsScript*) { ++inner; });
            EXPECT_EQ(t.Run(counted), "");
        }
        EXPECT_EQ(t.Run(counted), "");
    }
    EXPECT_GE(inner, 10000 / TfsScript::kRunWatchSteps - 1);
    EXPECT_GE(outer, 10000 / TfsScript::kRunWatchSteps - 1);
}
