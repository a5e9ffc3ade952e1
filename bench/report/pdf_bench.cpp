// Printing to PDF at size: the grouped list of bench/GroupedReport.h (10,000 and 100,000
// rows, prepared once) printed through the report's print path to a 600-dpi PDF file, beside
// Qt's own PDF engine writing the same text runs (the runs the report draws, recorded once)
// as plain drawText calls at the same places in the same fonts. Each reports the file's size
// (file_MB) and its pages; the goal is the report's print within 1.5x the plain writer and
// its file within 1.3x the plain file.
//
// With ROVE_BENCH_KEEP=<folder> the two PDF files are kept there (report-N.pdf, plain-N.pdf)
// to be read back with pdftotext or rendered with pdftoppm, with the prepared pages as they
// stand after the print (report-N.bp3), to be compared between builds.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "bench/GroupedReport.h"
#include "platform/graphics/Metafile.h"
#include "report/PreviewPages.h"
#include "tests/report/TestPdfPrinter.h"

namespace {

constexpr int Dpi = 600;

struct TPrepared {
    explicit TPrepared(int Rows) : Data(Rows), Report(GroupedList(Data, true)) {
        if (!Report->PrepareReport()) std::abort();
        Pages = dynamic_cast<TfrxPreviewPages*>(Report->PreviewPages());
    }
    TSales Data;
    std::unique_ptr<TfrxReport> Report;
    TfrxPreviewPages* Pages = nullptr;
};

// Kept across the benchmarks, freed before the application goes.
std::map<int, std::unique_ptr<TPrepared>> PreparedCache;

TPrepared& Prepared(int Rows) {
    auto& p = PreparedCache[Rows];
    if (!p) p = std::make_unique<TPrepared>(Rows);
    return *p;
}

std::string OutputFile(const std::string& Name) {
    const char* keep = std::getenv("ROVE_BENCH_KEEP");
    if (keep) return std::string(keep) + "/" + Name + ".pdf";
    return GetTempDir() + Name + "-" + std::to_string(getpid()) + ".pdf";
}

double FileMB(const std::string& File) {
    struct stat st{};
    if (stat(File.c_str(), &st) != 0) return 0;
    return static_cast<double>(st.st_size) / (1024.0 * 1024.0);
}

void Finish(benchmark::State& state, const std::string& File, int Pages) {
    state.counters["file_MB"] = FileMB(File);
    state.counters["pages"] = Pages;
    if (!std::getenv("ROVE_BENCH_KEEP")) std::remove(File.c_str());
}

void BM_ReportToPdf(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    TPrepared& p = Prepared(rows);
    const std::string file = OutputFile("report-" + std::to_string(rows));
    for (auto _ : state) {
        TPdfPrinter printer(file, Dpi);
        TfrxPrintSettings settings;
        if (!p.Pages->PrintTo(printer, settings)) {
            state.SkipWithError("the print failed");
            return;
        }
    }
    if (const char* keep = std::getenv("ROVE_BENCH_KEEP"))
        p.Pages->SaveToFile(std::string(keep) + "/report-" + std::to_string(rows) + ".bp3");
    Finish(state, file, p.Pages->Count());
}
BENCHMARK(BM_ReportToPdf)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(2);

// One text run as Qt draws it: font, baseline origin, text.
struct TPlainRun {
    int Font;
    QPointF Origin;
    QString Text;
};

struct TPlainPages {
    std::vector<QFont> Fonts;
    std::vector<std::vector<TPlainRun>> Pages;
};

// The text runs the report draws on each page at the printer's scale.
const TPlainPages& PlainPages(int Rows) {
    static std::map<int, std::unique_ptr<TPlainPages>> cache;
    auto& out = cache[Rows];
    if (out) return *out;
    out = std::make_unique<TPlainPages>();
    TPrepared& p = Prepared(Rows);
    std::map<std::string, int> fonts;
    std::vector<double> ascents;
    for (int i = 0; i < p.Pages->Count(); ++i) {
        TMetafile page;
        {
            TMetafileCanvas canvas(&page);
            p.Pages->DrawPage(i, &canvas, Dpi / 96.0, Dpi / 96.0, 0, 0);
        }
        std::vector<TPlainRun>& runs = out->Pages.emplace_back();
        for (const TMetafileRecord& r : page.Records()) {
            if (r.Kind != mrText) continue;
            const TFont& f = page.States()[static_cast<size_t>(r.State)].Font;
            const std::string key = f.Name() + "/" + std::to_string(f.Height()) + "/" + std::to_string(f.Style().Mask());
            auto it = fonts.find(key);
            if (it == fonts.end()) {
                QFont q(QString::fromStdString(f.Name()));
                q.setPixelSize(std::abs(f.Height()));
                q.setBold(f.Style().Contains(fsBold));
                q.setItalic(f.Style().Contains(fsItalic));
                q.setKerning(false);
                it = fonts.emplace(key, static_cast<int>(out->Fonts.size())).first;
                out->Fonts.push_back(q);
                ascents.push_back(QFontMetricsF(q).ascent());
            }
            runs.push_back({it->second, QPointF(r.Points[0].X, r.Points[0].Y + ascents[static_cast<size_t>(it->second)]),
                            QString::fromStdString(r.Text)});
        }
    }
    return *out;
}

void BM_QtPdfPlainText(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const TPlainPages& plain = PlainPages(rows);
    const std::string file = OutputFile("plain-" + std::to_string(rows));
    for (auto _ : state) {
        QPdfWriter writer(QString::fromStdString(file));
        writer.setResolution(Dpi);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        QPainter painter(&writer);
        painter.setPen(Qt::black);
        bool first = true;
        for (const std::vector<TPlainRun>& page : plain.Pages) {
            if (!first) writer.newPage();
            first = false;
            int font = -1;
            for (const TPlainRun& run : page) {
                if (run.Font != font) painter.setFont(plain.Fonts[static_cast<size_t>(font = run.Font)]);
                painter.drawText(run.Origin, run.Text);
            }
        }
        painter.end();
    }
    Finish(state, file, static_cast<int>(plain.Pages.size()));
}
BENCHMARK(BM_QtPdfPlainText)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(2);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("FONTCONFIG_FILE", ROVE_FONTS_CONF, 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PreparedCache.clear();
    return 0;
}
