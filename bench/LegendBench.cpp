// Timings of the legend: the lists of a puzzle with 201 words, and one word
// ticked while done words are hidden (the row leaves the list).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <string>

#include "BenchFrame.h"
#include "BenchPuzzles.h"
#include "legend/LegendModel.h"
#include "legend/LegendeDialog.h"
#include "session/FrameLink.h"
#include "session/ModalDialogs.h"
#include "session/PlayCommands.h"
#include "session/PlayerSession.h"
#include "session/PlayerState.h"

namespace {

using zxbench::Fill201;
using zxbench::TBenchFrame;

void BM_BuildLegend201(benchmark::State& state) {
    TBenchFrame frame;
    Fill201(frame.St.Puzzle);
    for (auto _ : state)
        benchmark::DoNotOptimize(zx::BuildLegend(frame.Play.Puzzle(), frame.Play.Settings()));
}

void BM_TickHidden201(benchmark::State& state) {
    TBenchFrame frame;
    Fill201(frame.St.Puzzle);
    frame.St.Settings.BegriffeAusblenden = true;
    zx::TLegendForm legend(frame);
    legend.show();
    legend.ShowLegend();
    for (auto _ : state) {
        frame.Play.SetWordDone(100, zx::TWordDir::Across, true);
        state.PauseTiming();
        frame.Play.SetWordDone(100, zx::TWordDir::Across, false);
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_BuildLegend201)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickHidden201)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
