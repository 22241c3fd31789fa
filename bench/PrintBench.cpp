// Printing a 50 x 50 crossword with its 201 clues to a PDF file, with the
// legend right of the grid or on pages of its own: time per job and pages.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QPrinter>
#include <vector>

#include "BenchFrame.h"
#include "BenchPuzzles.h"
#include "grid/CellPainter.h"
#include "legend/LegendeDialog.h"
#include "shell/PrintLayout.h"

namespace {

using zxbench::TBenchFrame;

// A PDF job that counts its pages.
class TCountingJob : public zx::TPrinterJob {
public:
    using zx::TPrinterJob::TPrinterJob;
    void NewPage() override {
        ++Pages;
        zx::TPrinterJob::NewPage();
    }
    int Pages = 1;
};

// Prints the crossword with the blocks the frame hands the page layout:
// legend right on one page (onePage), or grid and legend pages.
void PrintPdf50x50(benchmark::State& state, bool onePage) {
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
    blocks.LegendColumnWidth = [&](QPainter& canvas) {
        return zx::TLegendForm::LegendPrintColumnWidth(canvas, p, s);
    };
    zx::TLegendForm::TPrintFlow flow;
    blocks.LegendPieces = [&](QPainter& canvas, int width) {
        flow = zx::TLegendForm::LegendPrintFlow(canvas, p, s, width);
        std::vector<zx::TPrintBlocks::TPiece> pieces;
        for (const auto& piece : flow.Pieces)
            pieces.push_back({piece.Height, piece.Row < 0 ? 0 : 2 * flow.LineHeight});
        return pieces;
    };
    blocks.LegendColumn = [&](QPainter& canvas, const QPoint& topLeft, int from, int to) {
        zx::TLegendForm::PrintLegendColumn(canvas, topLeft, flow, from, to, p, s, true, 2);
    };
    zx::TPrintSettings print = s.PrintSettings;
    print.OnePage = onePage;
    const QString file = QDir::temp().filePath(QStringLiteral("zx-print-bench.pdf"));
    int pages = 0;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
        TCountingJob job(printer);
        const bool printed = onePage ? zx::PrintOnePage(job, p, print, blocks)
                                     : zx::PrintTwoPages(job, p, print, blocks);
        if (!printed) state.SkipWithError("PDF not written");
        pages = job.Pages;
    }
    state.counters["pages"] = pages;
    QFile::remove(file);
}

// 50 x 50 cells and 201 clues to a PDF file, A4 landscape, the page layout
// and the painting of grid and lists, without the dialog.
void BM_PrintPdf50x50(benchmark::State& state) {
    PrintPdf50x50(state, true);
}
void BM_PrintPdf50x50TwoPages(benchmark::State& state) {
    PrintPdf50x50(state, false);
}

} // namespace

BENCHMARK(BM_PrintPdf50x50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintPdf50x50TwoPages)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
