// Front-end speed: a large generated program, the expressions a report compiles per run, the
// grammar parse that the cache saves, and the scanner pass of the designer's highlighter.
#include "script/Grammar.h"
#include "script/ILParser.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// 1,000 procedures of five lines each: about 5,000 lines of PascalScript.
std::string LargeProgram() {
    std::string s = "var x, y, i: Integer; s: String;\r\n";
    for (int n = 0; n < 1000; ++n) {
        const std::string k = std::to_string(n);
        s += "procedure P" + k + "(a: Integer; var b: String);\r\n";
        s += "begin\r\n";
        s += "  x := a + " + k + " * (y - 1); if x > 2 then y := x div 2 else y := -x;\r\n";
        s += "  for i := 1 to a do b := b + IntToStr(i) + 'item''s' + #13#10; Obj.Items[i].Caption := <Var" + k + ">;\r\n";
        s += "end;\r\n";
    }
    s += "begin\r\n  P0(1, s)\r\nend.\r\n";
    return s;
}

// The wrapper a report compiles for each distinct expression.
std::vector<std::string> Expressions() {
    std::vector<std::string> list;
    for (int n = 0; n < 200; ++n) {
        const std::string k = std::to_string(n);
        const std::string expr = n % 4 == 0   ? "<Query1.\"Amount\"> * 2 + " + k
                                 : n % 4 == 1 ? "FormatFloat('0.00', <Total" + k + ">)"
                                 : n % 4 == 2 ? "IIF(<Line> > " + k + ", 'yes', 'no')"
                                              : "Copy(<Name>, 1, " + k + ") + ' ' + DateToStr(Date)";
        list.push_back("function _f" + k + ": Variant; begin Result := " + expr + " end; begin end.");
    }
    return list;
}

void BM_Parse5000Lines(benchmark::State& state) {
    const std::string program = LargeProgram();
    for (auto _ : state) {
        TfsILParser parser;
        parser.LoadGrammar("PascalScript");
        if (!parser.BuildIntermediate(program)) state.SkipWithError(parser.ErrorMsg().c_str());
        benchmark::DoNotOptimize(parser.Document().Root()->Count());
    }
    state.counters["lines"] = 5004;
    state.counters["lines/s"] = benchmark::Counter(5004.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Parse5000Lines)->Unit(benchmark::kMillisecond);

void BM_200Expressions(benchmark::State& state) {
    const std::vector<std::string> list = Expressions();
    for (auto _ : state) {
        for (const std::string& source : list) {
            TfsILParser parser;
            parser.LoadGrammar("PascalScript");
            if (!parser.BuildIntermediate(source)) state.SkipWithError(parser.ErrorMsg().c_str());
            benchmark::DoNotOptimize(parser.Document().Root()->Count());
        }
    }
}
BENCHMARK(BM_200Expressions)->Unit(benchmark::kMillisecond);

// What every compile would pay without the grammar cache.
void BM_GrammarDocumentParse(benchmark::State& state) {
    const std::string text = GetLanguage("PascalScript");
    for (auto _ : state) benchmark::DoNotOptimize(TfsGrammar::Parse("PascalScript", text));
}
BENCHMARK(BM_GrammarDocumentParse)->Unit(benchmark::kMicrosecond);

// Nested calls and a long expression: the back-tracking between assignment and call.
void BM_NestedCallsAndLongExpression(benchmark::State& state) {
    std::string calls = "1";
    for (int i = 0; i < 50; ++i) calls = "f(" + calls + ")";
    std::string terms = "a0";
    for (int i = 1; i < 200; ++i) terms += (i % 3 ? " + a" : " * a") + std::to_string(i);
    const std::string source = "begin x := " + calls + "; y := " + terms + " end.";
    for (auto _ : state) {
        TfsILParser parser;
        parser.LoadGrammar("PascalScript");
        benchmark::DoNotOptimize(parser.BuildIntermediate(source));
    }
}
BENCHMARK(BM_NestedCallsAndLongExpression)->Unit(benchmark::kMicrosecond);

// The highlighter's pass: every token of a 10,000-line text through the scanner readers.
void BM_ScanForHighlighting(benchmark::State& state) {
    std::string text = LargeProgram();
    text += text;
    TfsParser scanner;
    scanner.SetSettings(GetGrammar("PascalScript")->ParserSettings());
    scanner.SetText(text);
    for (auto _ : state) {
        scanner.SetPosition(1);
        int tokens = 0;
        while (scanner.Position() <= scanner.Size()) {
            scanner.SkipSpaces();
            if (!scanner.GetKeyword().empty() || !scanner.GetNumber().empty() || !scanner.GetString().empty()) {
                ++tokens;
            } else {
                scanner.SetPosition(scanner.Position() + 1);
            }
        }
        benchmark::DoNotOptimize(tokens);
    }
}
BENCHMARK(BM_ScanForHighlighting)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
