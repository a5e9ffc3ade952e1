// Text layout speed: wrapping and measuring memo text as a report run does it (every
// printing of a memo lays its text out again), on the fixed-advance measurer (the layout
// arithmetic alone) and on the real fonts (with glyph advances).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/graphics/Metafile.h"
#include "platform/graphics/TextMeasurer.h"
#include "report/DrawText.h"

namespace {

const std::vector<std::string> kMemo = {
    "门诊收费日报表 2024-05-01 张三 内科 挂号费 诊查费 西药费 合计 128.50 元",
    "<b>Total</b> amount due for the visit, including <font color=red>drugs</font> and tests",
};

void LayOut(TfrxDrawText& dt, int width) {
    TFont font;
    font.SetName("宋体");
    font.SetSize(10);
    dt.Lock();
    dt.SetFont(font);
    dt.SetOptions(true, true, false, false, 0);
    dt.SetGaps(0, 0, 2);
    dt.SetDimensions(Rect(0, 0, width, 1000), Rect(0, 0, width, 1000), 1, 1);
    dt.SetText(kMemo);
    benchmark::DoNotOptimize(dt.CalcHeight());
    dt.Unlock();
}

void BM_LayoutFixedAdvances(benchmark::State& state) {
    TFakeTextMeasurer fake;
    TfrxDrawText dt;
    dt.SetMeasurer(&fake);
    for (auto _ : state) LayOut(dt, static_cast<int>(state.range(0)));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LayoutFixedAdvances)->Arg(60)->Arg(200);

void BM_LayoutRealFonts(benchmark::State& state) {
    TfrxDrawText dt;
    for (auto _ : state) LayOut(dt, static_cast<int>(state.range(0)));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LayoutRealFonts)->Arg(60)->Arg(200);

void BM_DrawOnRecording(benchmark::State& state) {
    TFakeTextMeasurer fake;
    TfrxDrawText dt;
    dt.SetMeasurer(&fake);
    LayOut(dt, 200);
    dt.Lock();
    TFont font;
    font.SetName("宋体");
    font.SetSize(10);
    dt.SetFont(font);
    dt.SetOptions(true, true, false, false, 0);
    dt.SetDimensions(Rect(0, 0, 200, 1000), Rect(0, 0, 200, 1000), 1, 1);
    dt.SetText(kMemo);
    for (auto _ : state) {
        TMetafile metafile;
        TMetafileCanvas canvas(&metafile);
        canvas.SetTextMeasurer(&fake);
        dt.DrawText(&canvas, haBlock, vaTop);
        benchmark::DoNotOptimize(metafile.Records().size());
    }
    dt.Unlock();
}
BENCHMARK(BM_DrawOnRecording);

// A line of a long text field: wrapping stays linear in the length.
void BM_LongLine(benchmark::State& state) {
    TFakeTextMeasurer fake;
    TfrxDrawText dt;
    dt.SetMeasurer(&fake);
    std::string line;
    while (static_cast<int64_t>(line.size()) < state.range(0)) line += "word 中文 ";
    TFont font;
    font.SetSize(10);
    dt.SetFont(font);
    dt.SetOptions(true, false, false, false, 0);
    dt.SetDimensions(Rect(0, 0, 200, 1000), Rect(0, 0, 200, 1000), 1, 1);
    for (auto _ : state) {
        dt.SetText(std::vector<std::string>{line});
        benchmark::DoNotOptimize(dt.LineCount());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LongLine)->Arg(1000)->Arg(100000);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("FONTCONFIG_FILE", ROVE_FONTS_CONF, 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
