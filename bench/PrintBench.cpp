// Printing a 50 x 50 crossword with its 201 clues to a PDF file on one page:
// the page layout and the painting of grid and legend, without the dialog.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QPrinter>

#include "BenchFrame.h"
#include "BenchPuzzles.h"
#include "grid/CellPainter.h"
#include "legend/LegendeDialog.h"
#include "shell/PrintLayout.h"

namespace {

using zxbench::TBenchFrame;

void BM_PrintPdf50x50(benchmark::State& state) {
    TBenchFrame frame;
    zxbench::MakeCrossword(frame);
    zxbench::Fill201(frame.St.Puzzle);
    const zx::TPuzzleData& p = frame.Play.Puzzle();
    const zx::TProgramSettings& s = frame.Play.Settings();
    zx::TPrintBlocks blocks;
    blocks.Grid = [&](QPainter& canvas, const QRect& area) {
        return zx::PrintGrid(canvas, p, s, zx::TGridPrintView{}, area, zx::TPaintOutput::Printer);
    };
    blocks.LegendSize = [&](QPainter& canvas, bool stacked) {
        return zx::TLegendForm::LegendPrintSize(canvas, p, s, stacked);
    };
    blocks.Legend = [&](QPainter& canvas, const QRect& rect, bool stacked) {
        zx::TLegendForm::PrintLegend(canvas, rect, p, s, stacked, true, 2);
    };
    const QString file = QDir::temp().filePath(QStringLiteral("zx-print-bench.pdf"));
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
        zx::TPrinterJob job(printer);
        if (!zx::PrintOnePage(job, p, s.PrintSettings, blocks)) state.SkipWithError("PDF not written");
    }
    QFile::remove(file);
}

} // namespace

BENCHMARK(BM_PrintPdf50x50)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
