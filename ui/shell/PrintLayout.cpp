// Page layout of the printed puzzle.
#include "shell/PrintLayout.h"

#include <algorithm>
#include <cmath>

#include "controls/Fonts.h"
#include "session/TextConv.h"

namespace zx {

namespace {

constexpr int TitleHeight = 50; // 5 mm
constexpr int Gap = 30;         // between the title and the grid, the grid and the legend

// Rounds to the nearest whole unit, halves to the even neighbour.
int Nearest(double x) { return static_cast<int>(std::nearbyint(x)); }

// The font of the side blocks: the title's face, no style, the legend height.
void SetLegendFont(QPainter& canvas, const TPrintSettings& print) {
    canvas.setFont(FontWithHeight(QStringLiteral("Arial"), std::max(print.LegendFontHeight, 1), false));
}

// A clue-list block as it is placed: its size on paper and the factor it is
// drawn at. Lists too long or too wide for their room on the page are drawn
// smaller rather than running off the paper.
struct TLegendBlock {
    QSize Size;     // on paper
    QSize Measured; // as the lists measure themselves
    double Scale = 1.0;
};

TLegendBlock MeasureLegend(QPainter& canvas, const TPrintBlocks& blocks, bool stacked,
                           const QSize& room) {
    if (!blocks.LegendSize) return {};
    const QSize size = blocks.LegendSize(canvas, stacked);
    if (size.isEmpty()) return {};
    double scale = 1.0;
    if (room.width() > 0 && size.width() > room.width())
        scale = std::min(scale, double(room.width()) / size.width());
    if (room.height() > 0 && size.height() > room.height())
        scale = std::min(scale, double(room.height()) / size.height());
    return {QSize(int(size.width() * scale), int(size.height() * scale)), size, scale};
}

void DrawLegend(QPainter& canvas, const TPrintBlocks& blocks, const TLegendBlock& block,
                const QPoint& topLeft, bool stacked) {
    if (!blocks.Legend || block.Size.isEmpty()) return;
    if (block.Scale == 1.0) {
        blocks.Legend(canvas, QRect(topLeft, block.Size), stacked);
        return;
    }
    canvas.save();
    canvas.translate(topLeft);
    canvas.scale(block.Scale, block.Scale);
    blocks.Legend(canvas, QRect(QPoint(0, 0), block.Measured), stacked);
    canvas.restore();
}

// The code table measured at the grid's cell size, or at a smaller one where
// the table would not fit its room: 13 rows of cells do not fit every page at
// the size of a large grid's cells.
QSize MeasureNumLegend(QPainter& canvas, const TPrintBlocks& blocks, int cell, bool upright,
                       const QSize& room) {
    if (!blocks.NumLegendSize) return QSize();
    QSize size = blocks.NumLegendSize(canvas, cell, upright);
    if (cell > 1 && !size.isEmpty() && (size.width() > room.width() || size.height() > room.height())) {
        const int fixed = size.height() - (upright ? blocks.NumLegendRows : 4) * (cell + 1);
        const int across = upright ? 4 : blocks.NumLegendRows;
        const int down = upright ? blocks.NumLegendRows : 4;
        const int fitting = std::min(room.width() / std::max(across, 1), (room.height() - fixed) / std::max(down, 1)) - 1;
        size = blocks.NumLegendSize(canvas, std::clamp(fitting, 1, cell), upright);
    }
    return size;
}

void DrawNumLegend(QPainter& canvas, const TPrintBlocks& blocks, const QRect& rect, bool upright) {
    if (blocks.NumLegend && !rect.isEmpty()) blocks.NumLegend(canvas, rect, upright);
}

int DrawGrid(QPainter& canvas, const TPrintBlocks& blocks, const QRect& rect) {
    return blocks.Grid && rect.width() > 0 && rect.height() > 0 ? blocks.Grid(canvas, rect) : 0;
}

double ShapeRatio(const TPuzzleData& p) {
    return p.ColCount > 0 ? double(p.RowCount) / p.ColCount : 1.0;
}

} // namespace

// ---------------------------------------------------------------- printer job

QPainter* TPrinterJob::Begin() {
    if (!m_painter.begin(&m_printer)) return nullptr;
    SetUpPage();
    return &m_painter;
}

void TPrinterJob::NewPage() {
    m_printer.newPage();
    SetUpPage();
}

bool TPrinterJob::End() { return m_painter.end(); }

void TPrinterJob::SetUpPage() {
    m_painter.resetTransform();
    const double dotsPerUnit = m_printer.resolution() / 254.0;
    m_painter.scale(dotsPerUnit, dotsPerUnit);
    m_painter.setBackgroundMode(Qt::TransparentMode);
}

QSize TPrinterJob::PageSize() const { return QSize(m_printer.widthMM() * 10, m_printer.heightMM() * 10); }

bool TPrinterJob::Portrait() const { return m_printer.pageLayout().orientation() == QPageLayout::Portrait; }

// ---------------------------------------------------------------- layout

QSize FitGrid(int width, int height, double ratio, bool fromWidth) {
    if (ratio <= 0) ratio = 1.0;
    int w, h;
    if (fromWidth) {
        w = width;
        h = Nearest(w * ratio);
        if (h > height) {
            h = height;
            w = Nearest(h / ratio);
        }
    } else {
        h = height;
        w = Nearest(h / ratio);
        if (width < w) {
            w = width;
            h = Nearest(w * ratio);
        }
    }
    return QSize(w, h);
}

std::string PrintTitleText(const TPuzzleData& p) {
    const TPuzzleKind kind = KindOf(p);
    std::string text = p.Title.str();
    if (text.empty()) {
        text = PuzzleTypeName(kind);
        if (HasSolutionWord(kind)) text += " mit L\xF6sungswort";
    }
    if (IsSudoku(kind)) text += " (" + LevelName(p.Level) + ")";
    return text;
}

int PrintTitle(QPainter& canvas, const TPuzzleData& puzzle, const TPrintSettings& print) {
    QFont font = FontWithHeight(QStringLiteral("Arial"), TitleHeight, true);
    font.setUnderline(true);
    canvas.setFont(font);
    canvas.setPen(Qt::black);
    canvas.setBackgroundMode(Qt::TransparentMode);
    const QFontMetrics fm = canvas.fontMetrics();
    canvas.drawText(QPoint(print.LeftMargin, print.TopMargin + fm.ascent()),
                    ToQString(PrintTitleText(puzzle)));
    return fm.height();
}

bool PrintOnePage(TPrintJob& job, const TPuzzleData& p, const TPrintSettings& print,
                  const TPrintBlocks& blocks) {
    QPainter* canvas = job.Begin();
    if (!canvas) return false;
    const TPuzzleKind kind = KindOf(p);
    const bool numbers = IsNumberPuzzle(kind);
    const bool right = print.LegendRight != 0;
    const QSize page = job.PageSize();
    const int PW = page.width(), PH = page.height();
    const int LM = print.LeftMargin, TM = print.TopMargin;
    const int cols = std::max<int>(p.ColCount, 1), rows = p.RowCount;
    const int TH = PrintTitle(*canvas, p, print);
    const double R = ShapeRatio(p);
    // Room of the clue lists: beside the grid at most half the width, below it
    // at most half the height left under the title.
    const QSize legendRoom = right ? QSize((PW - 2 * LM - Gap) / 2, PH - 2 * TM)
                                   : QSize(PW - 2 * LM, (PH - 2 * TM - TH - 2 * Gap) / 2);

    QSize grid;
    if (right && numbers) {
        const int cell = (PW - 2 * LM - Gap) / (cols + 4);
        int W = cols * cell;
        const int A = kind == TPuzzleKind::NumberWithSolution ? PH - 2 * TM : PH - 2 * TM - 2 * cell;
        const int N = std::max(rows, blocks.NumLegendRows + 2);
        if (cell * N > A) W = A;
        grid = FitGrid(W, PH - TH - Gap - 2 * TM, R, false);
    } else if (right) {
        SetLegendFont(*canvas, print);
        const QSize legend = MeasureLegend(*canvas, blocks, true, legendRoom).Size;
        grid = FitGrid(PW - 2 * LM - legend.width() - Gap, PH - TH - Gap - 2 * TM, R, false);
    } else if (numbers) {
        const int spare = kind == TPuzzleKind::NumberWithSolution ? 6 : 4;
        const int cell = (PH - 2 * TM - Gap - 2 * TH) / (cols + spare);
        grid = FitGrid(PW - 2 * LM, rows * cell, R, true);
    } else {
        SetLegendFont(*canvas, print);
        const QSize legend = MeasureLegend(*canvas, blocks, false, legendRoom).Size;
        grid = FitGrid(PW - 2 * LM, PH - 2 * TM - legend.height() - TH - 2 * Gap, R, true);
    }
    const int cell = DrawGrid(*canvas, blocks, QRect(LM, TM + TH + Gap, grid.width(), grid.height()));

    SetLegendFont(*canvas, print);
    if (numbers) {
        const QSize room = right ? QSize(PW - 2 * LM - grid.width() - Gap, PH - 2 * TM)
                                 : QSize(PW - 2 * LM, PH - 2 * TM - TH - 2 * Gap - grid.height());
        const QSize size = MeasureNumLegend(*canvas, blocks, cell, right, room);
        const QRect rect = right ? QRect(PW - LM - size.width(), TM, size.width(), size.height())
                                 : QRect(LM, PH - TM - size.height(), size.width(), size.height());
        DrawNumLegend(*canvas, blocks, rect, right);
    } else {
        const TLegendBlock legend = MeasureLegend(*canvas, blocks, right, legendRoom);
        const QPoint topLeft = right ? QPoint(PW - LM - legend.Size.width(), TM)
                                     : QPoint(LM, PH - TM - legend.Size.height());
        DrawLegend(*canvas, blocks, legend, topLeft, right);
    }
    return job.End();
}

bool PrintTwoPages(TPrintJob& job, const TPuzzleData& p, const TPrintSettings& print,
                   const TPrintBlocks& blocks) {
    QPainter* canvas = job.Begin();
    if (!canvas) return false;
    const TPuzzleKind kind = KindOf(p);
    const QSize page = job.PageSize();
    const int PW = page.width(), PH = page.height();
    const int LM = print.LeftMargin, TM = print.TopMargin;
    const int cols = p.ColCount, rows = p.RowCount;
    int TH = PrintTitle(*canvas, p, print);

    const QSize fitted = FitGrid(PW - 2 * LM, PH - 2 * TM - TH, ShapeRatio(p), true);
    QRect rect(LM, TM + TH + Gap, fitted.width(), fitted.height());
    if (IsSudoku(kind) && !print.Stretch) {
        const long long w = 1LL * print.CellSize * cols;
        const long long h = 1LL * print.CellSize * rows;
        if (PW - 2 * LM > w && PH - 2 * TM > h) rect = QRect(LM, TM + TH + Gap, int(w), int(h));
    }
    const int cell = DrawGrid(*canvas, blocks, rect);

    if (!IsSudoku(kind)) {
        job.NewPage();
        TH = PrintTitle(*canvas, p, print);
        SetLegendFont(*canvas, print);
        const bool upright = job.Portrait();
        const QPoint topLeft(LM, TM + TH);
        if (IsNumberPuzzle(kind)) {
            const QSize size = MeasureNumLegend(*canvas, blocks, cell, upright, QSize(PW - 2 * LM, PH - 2 * TM - TH));
            DrawNumLegend(*canvas, blocks, QRect(topLeft, size), upright);
        } else {
            const QSize room(PW - 2 * LM, PH - 2 * TM - TH);
            DrawLegend(*canvas, blocks, MeasureLegend(*canvas, blocks, upright, room), topLeft, upright);
        }
    }
    return job.End();
}

} // namespace zx
