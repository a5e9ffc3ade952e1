// Report storage at size: a 5,000-object template saved and loaded, and a prepared-report
// sized tree of 1,000 pages read with partial loading and its pages loaded one by one.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include "platform/rtl/Streams.h"
#include "report/Report.h"
#include "report/XMLDocument.h"

namespace {

class TfrxBenchMemoView : public TfrxReportComponent {
    ROVE_CLASS(TfrxBenchMemoView, TfrxReportComponent)
public:
    explicit TfrxBenchMemoView(TComponent* AOwner) : TfrxReportComponent(AOwner) {}
    void Draw(TCanvas*, double, double, double, double) override {}
    TStringList* Memo() const { return const_cast<TStringList*>(&FMemo); }
    static void DeclareProperties(TPropertyDecl<TfrxBenchMemoView>& d) {
        TfrxComponent::DeclareCommon(d, TfrxComponent::pubAll);
        d.Property("Memo", &TfrxBenchMemoView::Memo);
    }

private:
    TStringList FMemo;
};
ROVE_IMPLEMENT_CLASS(TfrxBenchMemoView)

class TfrxBenchPage : public TfrxPage {
    ROVE_CLASS(TfrxBenchPage, TfrxPage)
public:
    using TfrxPage::TfrxPage;
};
ROVE_IMPLEMENT_CLASS(TfrxBenchPage)

void Build(TfrxReport& r, int objects) {
    auto* page = new TfrxBenchPage(&r);
    page->SetName("Page1");
    for (int i = 0; i < objects; ++i) {
        auto* m = new TfrxBenchMemoView(page);
        m->SetName("Memo" + std::to_string(i + 1));
        m->SetBounds(i % 7 * 37.7953, i / 7 * 18.89765, 100.5, 18.89765);
        m->Memo()->SetText("[frxDBDataset1.\"票据号\"] 金额 " + std::to_string(i));
    }
}

long PeakKB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

void BM_SaveReport5000(benchmark::State& state) {
    TfrxReport r(nullptr);
    Build(r, 5000);
    size_t bytes = 0;
    for (auto _ : state) {
        TMemoryStream s;
        r.SaveToStream(s);
        bytes = static_cast<size_t>(s.Size());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["peak_kB"] = static_cast<double>(PeakKB());
}
BENCHMARK(BM_SaveReport5000)->Unit(benchmark::kMillisecond);

void BM_LoadReport5000(benchmark::State& state) {
    TfrxReport r(nullptr);
    Build(r, 5000);
    TMemoryStream s;
    r.SaveToStream(s);
    for (auto _ : state) {
        s.SetPosition(0);
        TfrxReport copy(nullptr);
        copy.LoadFromStream(s);
        benchmark::DoNotOptimize(copy.FindObject("Memo4999"));
    }
    state.counters["peak_kB"] = static_cast<double>(PeakKB());
}
BENCHMARK(BM_LoadReport5000)->Unit(benchmark::kMillisecond);

std::string PreparedXML(int pages, int objects) {
    std::string s = "<?xml version=\"1.0\" encoding=\"utf-8\"?><preparedreport><previewpages>";
    for (int p = 0; p < pages; ++p) {
        s += "<page" + std::to_string(p) + " ld=\"0\">";
        for (int o = 0; o < objects; ++o)
            s += "<TfrxMemoView l=\"" + std::to_string(o * 3) + "\" t=\"18.89765\" w=\"100\" h=\"18\" x=\"第 " +
                 std::to_string(p + 1) + " 页 行 " + std::to_string(o) + "\"/>";
        s += "</page" + std::to_string(p) + ">";
    }
    return s + "</previewpages></preparedreport>";
}

void BM_PartialLoad1000Pages(benchmark::State& state) {
    const std::string xml = PreparedXML(1000, 60);
    for (auto _ : state) {
        TfrxXMLDocument doc;
        doc.LoadFromStream(std::make_unique<TStringStream>(xml), true);
        TfrxXMLItem* pages = doc.Root()->Items(0);
        for (int i = 0; i < pages->Count(); ++i) {
            doc.LoadItem(pages->Items(i));
            benchmark::DoNotOptimize(pages->Items(i)->Count());
            doc.UnloadItem(pages->Items(i));
        }
    }
    state.counters["MB"] = xml.size() / 1e6;
    state.counters["peak_kB"] = static_cast<double>(PeakKB());
}
BENCHMARK(BM_PartialLoad1000Pages)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FullLoad1000Pages(benchmark::State& state) {
    const std::string xml = PreparedXML(1000, 60);
    for (auto _ : state) {
        TStringStream s(xml);
        TfrxXMLDocument doc;
        doc.LoadFromStream(s, false);
        benchmark::DoNotOptimize(doc.Root()->Count());
    }
    state.counters["peak_kB"] = static_cast<double>(PeakKB());
}
BENCHMARK(BM_FullLoad1000Pages)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
