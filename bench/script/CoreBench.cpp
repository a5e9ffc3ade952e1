// Interpreter benchmarks: fib(25), a 10^7-pass arithmetic loop, 10^5 string appends and 10^6
// calls of a compiled one-line expression function with a host callback (the report's memo
// path); fib(25) and the loop also in C++Script and JScript (the C-family loop forms, `i++`
// and `+=` on untyped variables). After the Google Benchmark run the same algorithms run in Lua 5.4 (lua5.4 on the
// PATH), timed inside Lua, and the ratios are printed; both sides count CPU time, the best
// of several runs.
#include "script/Script.h"

#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <map>
#include <memory>
#include <string>

namespace {

const char* kFib =
    "function Fib(n: Integer): Integer;\r\n"
    "begin\r\n"
    "  if n < 2 then Result := n else Result := Fib(n - 1) + Fib(n - 2)\r\n"
    "end;\r\n"
    "var r: Integer;\r\n"
    "begin r := Fib(25) end.";

const char* kLoop =
    "var i, s: Integer;\r\n"
    "begin s := 0; for i := 1 to 10000000 do s := s + i end.";

// The C-family twins: C++Script with typed variables, JScript with untyped ones.
const char* kFibCpp =
    "int Fib(int n) { if (n < 2) return n; return Fib(n - 1) + Fib(n - 2); }\r\n"
    "int r; { r = Fib(25); }";
const char* kLoopCpp = "int i, s; { s = 0; for (i = 1; i <= 10000000; i++) s += i; }";
const char* kFibJs =
    "function Fib(n) { if (n < 2) return n; return Fib(n - 1) + Fib(n - 2); }\r\n"
    "var r = Fib(25);";
const char* kLoopJs = "var s = 0; for (var i = 1; i <= 10000000; i++) s += i;";

const char* kAppend =
    "var i: Integer; s: String;\r\n"
    "begin s := ''; for i := 1 to 100000 do s := s + 'x' end.";

const char* kExpression = "function _f0: Variant; begin Result := Get('X') * 2 + 1 end; begin end.";

std::unique_ptr<TfsScript> Compiled(const char* source, const char* language = "PascalScript") {
    auto script = std::make_unique<TfsScript>();
    script->SetSyntaxType(language);
    script->AddMethod("function Get(Name: String): Variant",
                      [](TObject*, TClass, const std::string&, TfsParams& p) { return Variant(21); });
    script->Lines()->SetText(source);
    if (!script->Compile()) {
        std::cerr << "compile error: " << script->ErrorMsg() << " at " << script->ErrorPos() << '\n';
        std::abort();
    }
    return script;
}

void BM_Fib25(benchmark::State& state) {
    auto script = Compiled(kFib);
    for (auto _ : state) script->Execute();
    if (VarToStr(script->Variables("r")) != "75025") state.SkipWithError("wrong result");
}
BENCHMARK(BM_Fib25)->Unit(benchmark::kMillisecond);

void BM_Loop10M(benchmark::State& state) {
    auto script = Compiled(kLoop);
    for (auto _ : state) script->Execute();
    if (VarToStr(script->Variables("s")) != "50000005000000") state.SkipWithError("wrong result");
}
BENCHMARK(BM_Loop10M)->Unit(benchmark::kMillisecond);

void Run(benchmark::State& state, const char* source, const char* language, const char* variable,
         const char* expected) {
    auto script = Compiled(source, language);
    for (auto _ : state) script->Execute();
    if (VarToStr(script->Variables(variable)) != expected) state.SkipWithError("wrong result");
}
void BM_Fib25Cpp(benchmark::State& state) { Run(state, kFibCpp, "C++Script", "r", "75025"); }
void BM_Fib25Js(benchmark::State& state) { Run(state, kFibJs, "JScript", "r", "75025"); }
void BM_Loop10MCpp(benchmark::State& state) { Run(state, kLoopCpp, "C++Script", "s", "50000005000000"); }
void BM_Loop10MJs(benchmark::State& state) { Run(state, kLoopJs, "JScript", "s", "50000005000000"); }
BENCHMARK(BM_Fib25Cpp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fib25Js)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Loop10MCpp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Loop10MJs)->Unit(benchmark::kMillisecond);

void BM_StringAppend100K(benchmark::State& state) {
    auto script = Compiled(kAppend);
    for (auto _ : state) script->Execute();
    if (script->Variables("s").AsString().size() != 100000) state.SkipWithError("wrong result");
}
BENCHMARK(BM_StringAppend100K)->Unit(benchmark::kMillisecond);

void BM_ExpressionCall1M(benchmark::State& state) {
    auto script = Compiled(kExpression);
    const Variant none;
    for (auto _ : state)
        for (int i = 0; i < 1000000; ++i) benchmark::DoNotOptimize(script->CallFunction("_f0", none));
    if (VarToStr(script->CallFunction("_f0", none)) != "43") state.SkipWithError("wrong result");
    state.counters["ns_per_call"] =
        benchmark::Counter(1e6 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ExpressionCall1M)->Unit(benchmark::kMillisecond);

// --- Lua comparison ------------------------------------------------------------------------

struct Comparison {
    const char* Name;
    const char* Language;
    const char* Source;
    const char* Lua;   // prints the elapsed seconds measured by os.clock
    int Calls;         // > 0: also report nanoseconds per call
};

const char* const kFibLua =
    "local function fib(n) if n < 2 then return n else return fib(n-1) + fib(n-2) end end "
    "local t = os.clock() local r = fib(25) print(os.clock() - t)";
const char* const kLoopLua =
    "local t = os.clock() local s = 0 for i = 1, 10000000 do s = s + i end print(os.clock() - t)";

const Comparison kComparisons[] = {
    {"fib(25)", "PascalScript", kFib, kFibLua, 0},
    {"fib(25) C++Script", "C++Script", kFibCpp, kFibLua, 0},
    {"fib(25) JScript", "JScript", kFibJs, kFibLua, 0},
    {"10^7 loop", "PascalScript", kLoop, kLoopLua, 0},
    {"10^7 loop C++Script", "C++Script", kLoopCpp, kLoopLua, 0},
    {"10^7 loop JScript", "JScript", kLoopJs, kLoopLua, 0},
    {"10^5 appends", "PascalScript", kAppend,
     "local t = os.clock() local s = '' for i = 1, 100000 do s = s .. 'x' end print(os.clock() - t)", 0},
    {"10^6 expression calls", "PascalScript", kExpression,
     "local vars = { X = 21 } local function get(n) return vars[n] end "
     "local function f0() return get('X') * 2 + 1 end "
     "local t = os.clock() for i = 1, 1000000 do f0() end print(os.clock() - t)",
     1000000},
};

// CPU seconds of this thread: Lua's os.clock counts the CPU time of its process too, so a
// loaded machine does not count against one side only.
double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double BestOf(int runs, const std::function<void()>& f) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const double t0 = CpuSeconds();
        f();
        best = std::min(best, CpuSeconds() - t0);
    }
    return best;
}

// The best of several Lua runs, as Lua itself measured them; a negative value when lua5.4
// cannot be run.
double LuaSeconds(const char* code, int runs) {
    std::string quoted = "'";
    for (const char* p = code; *p; ++p) {
        if (*p == '\'') quoted += "'\\''";
        else quoted += *p;
    }
    quoted += "'";
    double best = -1;
    for (int i = 0; i < runs; ++i) {
        FILE* pipe = popen(("lua5.4 -e " + quoted + " 2>/dev/null").c_str(), "r");
        if (!pipe) return -1;
        char buffer[128] = {};
        const bool read = std::fgets(buffer, sizeof buffer, pipe) != nullptr;
        if (pclose(pipe) != 0 || !read) return -1;
        const double s = std::atof(buffer);
        if (best < 0 || s < best) best = s;
    }
    return best;
}

void CompareWithLua() {
    std::printf("\n%-24s %12s %12s %8s\n", "algorithm", "script ms", "Lua 5.4 ms", "ratio");
    for (const Comparison& c : kComparisons) {
        auto script = Compiled(c.Source, c.Language);
        double seconds;
        if (c.Calls > 0) {
            const Variant none;
            seconds = BestOf(5, [&] {
                for (int i = 0; i < c.Calls; ++i) benchmark::DoNotOptimize(script->CallFunction("_f0", none));
            });
        } else {
            seconds = BestOf(5, [&] { script->Execute(); });
        }
        // The Lua twin of several languages' programs runs once.
        static std::map<std::string, double> luaSeen;
        auto seen = luaSeen.find(c.Lua);
        const double lua = seen != luaSeen.end() ? seen->second : (luaSeen[c.Lua] = LuaSeconds(c.Lua, 5));
        if (lua > 0) std::printf("%-24s %12.2f %12.2f %8.2f", c.Name, seconds * 1e3, lua * 1e3, seconds / lua);
        else std::printf("%-24s %12.2f %12s %8s", c.Name, seconds * 1e3, "n/a", "n/a");
        if (c.Calls > 0) std::printf("   (%.0f ns per call)", seconds * 1e9 / c.Calls);
        std::printf("\n");
    }
}

}  // namespace

// --no-lua leaves the comparison out (a profile of one benchmark under callgrind).
int main(int argc, char** argv) {
    bool lua = true;
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == "--no-lua") {
            lua = false;
            for (int k = i; k + 1 < argc; ++k) argv[k] = argv[k + 1];
            --argc;
            break;
        }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (lua) CompareWithLua();
    return 0;
}
