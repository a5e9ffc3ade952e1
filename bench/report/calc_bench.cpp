// Report expressions: a field reference answered by the identifier look-up, a compiled
// expression called again (the expression cache), and compiling many distinct
// expressions in one run (each compile must not redo the earlier ones).
#include <benchmark/benchmark.h>

#include "report/DataSet.h"
#include "report/ExpressionCache.h"
#include "report/Report.h"

namespace {

struct CalcReport {
    TfrxReport Report{nullptr};
    TfrxUserDataSet* DS;
    CalcReport() {
        Report.EngineOptions()->SilentMode = true;
        DS = new TfrxUserDataSet(&Report);
        DS->SetName("Data");
        DS->Fields()->Add("金额");
        DS->OnGetValue = [](const std::string&, Variant& v) { v = Variant(12.5); };
        Report.DataSets()->Add(DS);
        Report.Variables()->SetVariables("rate", Variant(3));
        for (int i = 0; i < 20; ++i) Report.Variables()->SetVariables("v" + std::to_string(i), Variant(i));
        Report.PrepareScript();
    }
};

void BM_CalcFieldReference(benchmark::State& state) {
    CalcReport r;
    for (auto _ : state) benchmark::DoNotOptimize(r.Report.Calc("Data.\"金额\""));
}
BENCHMARK(BM_CalcFieldReference);

void BM_CalcCompiledExpression(benchmark::State& state) {
    CalcReport r;
    r.Report.Calc("<Data.\"金额\"> * <rate> + 1");
    for (auto _ : state) benchmark::DoNotOptimize(r.Report.Calc("<Data.\"金额\"> * <rate> + 1"));
}
BENCHMARK(BM_CalcCompiledExpression);

// N distinct expressions compiled in one run: time per run should grow linearly in N.
void BM_CompileDistinctExpressions(benchmark::State& state) {
    CalcReport r;
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        r.Report.PrepareScript();
        for (int i = 0; i < n; ++i) benchmark::DoNotOptimize(r.Report.Calc("<rate> * " + std::to_string(i) + " + 1"));
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_CompileDistinctExpressions)->Arg(100)->Arg(400)->Arg(1600)->Complexity();

}  // namespace

BENCHMARK_MAIN();
