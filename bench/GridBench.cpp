// Timings of the grid window: a full repaint of a 50 x 50 crossword at the
// largest cell size, at pixel ratio 1 and 2, the part a window shows at ratio
// 2, and one keystroke or cursor move from the key event to the repainted cells.
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
    grid->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    for (auto _ : state) {
        // The cells cover the grid: no window background is needed.
        grid->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["cells"] = 2500;
}

// The same on a screen of pixel ratio 2: four times the pixels, and letters
// of 117 pixels, beyond the sizes the toolkit keeps glyphs of.
void BM_FullRepaint50x50Ratio2(benchmark::State& state) {
    TBenchWindow w;
    zx::TDrawGrid* grid = w.grid;
    QImage image(grid->size() * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    // A repaint, not the first paint: the window has shown its letters before.
    grid->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    for (auto _ : state) {
        grid->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["cells"] = 2500;
}

// What a screen of ratio 2 repaints of the same grid: the part a window of
// 1000 x 700 shows (16 x 11 cells).
void BM_ScreenRepaint50x50Ratio2(benchmark::State& state) {
    TBenchWindow w;
    zx::TDrawGrid* grid = w.grid;
    const QRect shown(0, 0, 1000, 700);
    QImage image(shown.size() * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    grid->render(&image, QPoint(), QRegion(shown), QWidget::DrawChildren);
    for (auto _ : state) {
        grid->render(&image, QPoint(), QRegion(shown), QWidget::DrawChildren);
        benchmark::DoNotOptimize(image.bits());
    }
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

// An arrow key: the cursor and the highlighted word move, nothing is typed.
void BM_CursorMove(benchmark::State& state) {
    TBenchWindow w;
    zx::TDrawGrid* grid = w.grid;
    QImage& image = w.image;
    grid->render(&image);
    grid->SetCurrent(10, 20);
    bool right = true;
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, right ? Qt::Key_Right : Qt::Key_Left, Qt::NoModifier);
        right = !right;
        QApplication::sendEvent(grid, &press);
        const QRegion dirty = grid->TakeInvalidatedRegion();
        grid->render(&image, dirty.boundingRect().topLeft(), dirty);
        benchmark::DoNotOptimize(image.bits());
    }
}

} // namespace

BENCHMARK(BM_FullRepaint50x50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRepaint50x50Ratio2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScreenRepaint50x50Ratio2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Keystroke)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CursorMove)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    zx::InstallFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
