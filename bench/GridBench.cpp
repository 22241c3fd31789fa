// Timings of the grid window: a full repaint of a 50 x 50 crossword at the
// largest cell size, and one keystroke from the key event to the repainted cells.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>

#include "BenchFrame.h"
#include "BenchPuzzles.h"
#include "controls/DrawGrid.h"
#include "controls/Fonts.h"
#include "grid/RaetselFormular.h"
#include "session/FrameLink.h"
#include "session/ModalDialogs.h"
#include "session/PlayCommands.h"
#include "session/PlayerSession.h"
#include "session/PlayerState.h"

namespace {

using zxbench::MakeCrossword;
using zxbench::TBenchFrame;

// The grid window on the 50 x 50 crossword, shown, with an image of its grid's size.
struct TBenchWindow {
    TBenchFrame frame;
    zx::TRaetselForm form{MakeCrossword(frame)};
    zx::TDrawGrid* grid = nullptr;
    QImage image;

    TBenchWindow() {
        form.show();
        grid = form.Raetsel();
        image = QImage(grid->size(), QImage::Format_ARGB32_Premultiplied);
    }
};

void BM_FullRepaint50x50(benchmark::State& state) {
    TBenchWindow w;
    zx::TDrawGrid* grid = w.grid;
    QImage& image = w.image;
    for (auto _ : state) {
        // The cells cover the grid: no window background is needed.
        grid->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["cells"] = 2500;
}

void BM_Keystroke(benchmark::State& state) {
    TBenchWindow w;
    zx::TDrawGrid* grid = w.grid;
    QImage& image = w.image;
    grid->render(&image);
    for (auto _ : state) {
        state.PauseTiming();
        grid->SetCurrent(10, 20);
        grid->TakeInvalidatedRegion();
        state.ResumeTiming();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(grid, &press);
        const QRegion dirty = grid->TakeInvalidatedRegion();
        grid->render(&image, dirty.boundingRect().topLeft(), dirty);
        benchmark::DoNotOptimize(image.bits());
    }
}

} // namespace

BENCHMARK(BM_FullRepaint50x50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Keystroke)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    zx::InstallFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
