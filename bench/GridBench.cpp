// Timings of the grid window: a full repaint of a 50 x 50 crossword at the
// largest cell size, and one keystroke from the key event to the repainted cells.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>

#include "BenchFrame.h"
#include "controls/DrawGrid.h"
#include "controls/Fonts.h"
#include "grid/RaetselFormular.h"
#include "session/FrameLink.h"
#include "session/ModalDialogs.h"
#include "session/PlayCommands.h"
#include "session/PlayerSession.h"
#include "session/PlayerState.h"

namespace {

using zxbench::TBenchFrame;

// A 50 x 50 Swedish crossword: diagonal runs of blocks, letters and word
// numbers elsewhere, every second cell filled in.
TBenchFrame& MakeCrossword(TBenchFrame& f) {
    zx::TPuzzleData& p = f.St.Puzzle;
    zx::ClearPuzzle(p);
    p.PuzzleType = 0;
    p.ColCount = 50;
    p.RowCount = 50;
    int number = 0;
    for (int c = 0; c < zx::GridDim; ++c)
        for (int r = 0; r < zx::GridDim; ++r) {
            zx::TPuzzleCell& cell = p.cell(c, r);
            const bool inside = c >= 1 && r >= 1 && c <= 50 && r <= 50;
            if (!inside || (c + r) % 7 == 0) {
                cell.Flags = zx::cfBlock;
                continue;
            }
            cell.Flags = zx::cfLetter;
            const char letter = static_cast<char>('A' + (c * 7 + r * 3) % 26);
            cell.Text.assign(std::string(1, letter));
            if ((c + r) % 7 == 1 && number < 199) cell.Number = ++number;
            p.entry(c, r).assign((c + r) % 2 ? std::string(1, letter) : std::string(" "));
        }
    zx::SetDefaultSettings(f.St.Settings, p);
    f.St.Settings.Feldgroesse = 60;
    f.St.Settings.Schriftgroesse = 44;
    return f;
}

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
