// Grid export of 10^5 records x 28 columns from an SQLite query to an .xlsx, with texts
// inline in their cells (constant memory) and in the shared string table. Each run happens in a child
// process so its peak memory is its own: the child opens the query, exports, and reports
// the export's time, the memory the open query holds, and the peak resident size.
//   automation_bench --benchmark_counters_tabular=true
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/widgets/GridExport.h"
#include "platform/automation/Spreadsheet.h"
#include "platform/db/ADODB.h"

namespace {

constexpr int Rows = 100000;
constexpr int Columns = 28;

// Resident and peak resident size of this process, in kB (/proc/self/status).
long StatusKb(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::string k = std::string(key) + ":";
    while (std::getline(in, line))
        if (line.compare(0, k.size(), k) == 0) return std::stol(line.substr(k.size()));
    return -1;
}

// A charge-line-like table: codes with leading zeros, Chinese names, amounts, counts, dates.
class TBenchData {
public:
    TBenchData() {
        std::string pattern = (std::filesystem::temp_directory_path() / "rove-xlsx-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        Dir = pattern;
        File = Dir + "/bench.mdb";
        std::string create = "create table t (", select = "select ";
        for (int c = 1; c <= Columns; ++c) {
            const char* type = c % 4 == 1 ? "text" : c % 4 == 2 ? "text" : c % 4 == 3 ? "real" : "integer";
            std::string expr = c % 4 == 1   ? "printf('%010d', n * " + std::to_string(c) + ")"
                               : c % 4 == 2 ? "'患者' || (n % 977) || '号药品名称'"
                               : c % 4 == 3 ? "round(n * 0.37 + " + std::to_string(c) + ", 2)"
                                            : "n % 1000 - 17";
            create += (c > 1 ? ", " : "") + std::string("c") + std::to_string(c) + " " + type;
            select += (c > 1 ? ", " : "") + expr;
        }
        TSqliteDatabase db;
        db.Open(File, TSqliteDatabase::omReadWriteCreate);
        db.ExecScript(create + ");" + "with recursive r(n) as (select 1 union all select n + 1 from r where n < " +
                      std::to_string(Rows) + ") insert into t " + select + " from r;");
        db.Close();
    }
    ~TBenchData() {
        std::error_code ec;
        std::filesystem::remove_all(Dir, ec);
    }
    std::string Dir, File;
};

struct TChildReport {
    double OpenSeconds = 0, ExportSeconds = 0;
    long OpenRssKb = 0, PeakKb = 0, FileBytes = 0;
    bool Ok = false;
};

TChildReport ExportInChild(const TBenchData& data, bool constantMemory) {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
    pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        TChildReport r;
        try {
            SpreadsheetOptions().OutputFolder = data.Dir;
            SpreadsheetOptions().ConstantMemory = constantMemory;
            std::string written;
            SpreadsheetOptions().Opener = [&](const std::string& path) {
                written = path;
                return true;
            };
            SetGridExportProcessMessages([] {});
            auto t0 = std::chrono::steady_clock::now();
            TADOConnection connection(nullptr);
            connection.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + data.File);
            connection.SetLoginPrompt(false);
            connection.Open();
            TADOQuery query(nullptr);
            query.SetConnection(&connection);
            query.SQL()->SetText("select * from t");
            query.Open();
            TGridExportSource grid;
            grid.DataSet = &query;
            for (int c = 0; c < query.FieldCount(); ++c)
                grid.Columns.push_back({true, query.Fields()[c]->FieldName(), 80, query.Fields()[c]});
            (void)query.RecordCount();
            auto t1 = std::chrono::steady_clock::now();
            r.OpenRssKb = StatusKb("VmRSS");
            ExportGridToExcel(grid);
            auto t2 = std::chrono::steady_clock::now();
            r.PeakKb = StatusKb("VmHWM");
            r.OpenSeconds = std::chrono::duration<double>(t1 - t0).count();
            r.ExportSeconds = std::chrono::duration<double>(t2 - t1).count();
            r.FileBytes = written.empty() ? 0 : static_cast<long>(std::filesystem::file_size(written));
            if (!written.empty()) std::filesystem::remove(written);
            r.Ok = !written.empty();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "export failed: %s\n", e.what());
        }
        (void)!write(fds[1], &r, sizeof r);
        _exit(0);
    }
    close(fds[1]);
    TChildReport r;
    ssize_t n = read(fds[0], &r, sizeof r);
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (n != static_cast<ssize_t>(sizeof r)) r.Ok = false;
    return r;
}

void BM_ExportGrid(benchmark::State& state) {
    static TBenchData data;
    const bool constantMemory = state.range(0) != 0;
    TChildReport last;
    for (auto _ : state) {
        last = ExportInChild(data, constantMemory);
        if (!last.Ok) {
            state.SkipWithError("export failed");
            return;
        }
        state.SetIterationTime(last.ExportSeconds);
    }
    state.SetLabel(constantMemory ? "constant-memory" : "default");
    state.counters["open_s"] = last.OpenSeconds;
    state.counters["query_MB"] = last.OpenRssKb / 1024.0;
    state.counters["peak_MB"] = last.PeakKb / 1024.0;
    state.counters["export_MB"] = (last.PeakKb - last.OpenRssKb) / 1024.0;
    state.counters["file_MB"] = last.FileBytes / 1048576.0;
    state.counters["cells_per_s"] = benchmark::Counter(double(Rows) * Columns / last.ExportSeconds);
}
BENCHMARK(BM_ExportGrid)->Arg(1)->Arg(0)->UseManualTime()->Iterations(1)->Repetitions(3)
    ->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
