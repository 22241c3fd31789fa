// Page layout of the printed puzzle.
#include "shell/PrintLayout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

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

// The clue lists at their natural size: every row on one line, the lists
// stacked or side by side.
QSize MeasureLegend(QPainter& canvas, const TPrintBlocks& blocks, bool stacked) {
    return blocks.LegendSize ? blocks.LegendSize(canvas, stacked) : QSize();
}

bool Fits(const QSize& size, const QSize& room) {
    return size.width() <= room.width() && size.height() <= room.height();
}

void DrawLegend(QPainter& canvas, const TPrintBlocks& blocks, const QSize& size,
                const QPoint& topLeft, bool stacked) {
    if (blocks.Legend && !size.isEmpty()) blocks.Legend(canvas, QRect(topLeft, size), stacked);
}

// Clue lists longer than their room, flowing at their font height into
// columns of one width: the pieces' heights and the first piece not yet placed.
struct TFlow {
    const TPrintBlocks* Blocks = nullptr;
    std::vector<TPrintBlocks::TPiece> Pieces;
    int Width = 0;   // of a column as the pieces are prepared
    int Natural = 0; // of a column that holds every row on one line
    int Next = 0;
    bool Active() const { return Blocks && !Pieces.empty(); }
    bool Done() const { return Next >= static_cast<int>(Pieces.size()); }
};

// A column is as wide as its widest row, but at most half the width between
// the margins: two columns always stand side by side, and a longer clue
// wraps onto further lines.
TFlow PrepareFlow(QPainter& canvas, const TPrintBlocks& blocks, int pageWidth) {
    TFlow flow;
    if (!blocks.LegendColumnWidth || !blocks.LegendPieces || !blocks.LegendColumn) return flow;
    flow.Natural = std::max(blocks.LegendColumnWidth(canvas), 1);
    flow.Width = std::min(flow.Natural, std::max((pageWidth - Gap) / 2, 1));
    flow.Pieces = blocks.LegendPieces(canvas, flow.Width);
    flow.Blocks = &blocks;
    return flow;
}

// Prepares the pieces again for columns of another width; the pieces stay
// the same, only their heights follow the wrapping of the clues.
void Reflow(QPainter& canvas, TFlow& flow, int width) {
    width = std::max(width, 1);
    if (width == flow.Width) return;
    flow.Width = width;
    flow.Pieces = flow.Blocks->LegendPieces(canvas, width);
}

// Columns that share a room's width evenly: as many as hold their rows on
// one line, at least minColumns.
int EvenWidth(const TFlow& flow, int roomWidth, int minColumns) {
    const int columns = std::max((roomWidth + Gap) / (flow.Natural + Gap), minColumns);
    return (roomWidth - (columns - 1) * Gap) / columns;
}

// The end of a column of the given height that starts at piece from; force
// puts a piece taller than the column into it on its own.
int ColumnEnd(const std::vector<TPrintBlocks::TPiece>& pieces, int from, int height, bool force) {
    const int n = static_cast<int>(pieces.size());
    int i = from;
    for (int y = i < n ? pieces[i].Continued : 0; i < n && y + pieces[i].Height <= height; ++i) {
        // A heading (a piece that repeats none) does not end a column: it
        // stays with the first row of its list.
        const bool heading = pieces[i].Continued == 0 && i + 1 < n;
        if (heading && y + pieces[i].Height + pieces[i + 1].Height > height) break;
        y += pieces[i].Height;
    }
    return i == from && force && i < n ? i + 1 : i;
}

// How many columns of the given height the pieces take; INT_MAX when one
// of them is taller than a column.
int ColumnsNeeded(const std::vector<TPrintBlocks::TPiece>& pieces, int height) {
    int columns = 0;
    for (int i = 0; i < static_cast<int>(pieces.size()); ++columns) {
        const int end = ColumnEnd(pieces, i, height, false);
        if (end == i) return std::numeric_limits<int>::max();
        i = end;
    }
    return columns;
}

// The least column height at which the pieces take at most the given
// columns, -1 when more than maxHeight would be needed.
int BalancedHeight(const std::vector<TPrintBlocks::TPiece>& pieces, int columns, int maxHeight) {
    if (columns < 1 || ColumnsNeeded(pieces, maxHeight) > columns) return -1;
    int low = 1, high = maxHeight;
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (ColumnsNeeded(pieces, mid) <= columns)
            high = mid;
        else
            low = mid + 1;
    }
    return high;
}

int ColumnsIn(const TFlow& flow, int width) {
    return (width + Gap) / (flow.Width + Gap);
}

// Draws as many columns of the flow as the room holds, from its left edge or
// right-aligned; force: at least one piece, the room being a whole page.
void PlaceColumns(QPainter& canvas, TFlow& flow, const QRect& room, bool force, bool alignRight) {
    const int count = std::max(ColumnsIn(flow, room.width()), force ? 1 : 0);
    std::vector<std::pair<int, int>> columns;
    int next = flow.Next;
    for (int c = 0; c < count && next < static_cast<int>(flow.Pieces.size()); ++c) {
        const int end = ColumnEnd(flow.Pieces, next, room.height(), force && c == 0);
        if (end == next) break;
        columns.emplace_back(next, end);
        next = end;
    }
    if (columns.empty()) return;
    const int used = static_cast<int>(columns.size()) * (flow.Width + Gap) - Gap;
    int x = alignRight ? room.left() + room.width() - used : room.left();
    for (const auto& [from, to] : columns) {
        flow.Blocks->LegendColumn(canvas, QPoint(x, room.top()), from, to);
        x += flow.Width + Gap;
    }
    flow.Next = next;
}

// The rest of the flow on further pages, each with the title, the columns
// across the page below it.
void FlowOntoPages(TPrintJob& job, QPainter& canvas, TFlow& flow, const TPuzzleData& p,
                   const TPrintSettings& print) {
    const QSize page = job.PageSize();
    while (flow.Active() && !flow.Done()) {
        job.NewPage();
        const int TH = PrintTitle(canvas, p, print);
        SetLegendFont(canvas, print);
        Reflow(canvas, flow, EvenWidth(flow, page.width() - 2 * print.LeftMargin, 2));
        PlaceColumns(canvas, flow,
                     QRect(print.LeftMargin, print.TopMargin + TH + Gap,
                           page.width() - 2 * print.LeftMargin,
                           page.height() - 2 * print.TopMargin - TH - Gap),
                     true, false);
    }
}

// The code table at the grid's cell size, but never below a legible box
// where its room allows; smaller only where its room does not hold it.
QSize MeasureNumLegend(QPainter& canvas, const TPrintBlocks& blocks, int cell, bool upright,
                       const QSize& room) {
    if (!blocks.NumLegendSize) return QSize();
    const int wanted = std::max(cell, MinCodeBox);
    QSize size = blocks.NumLegendSize(canvas, wanted, upright);
    if (!size.isEmpty() && !Fits(size, room)) {
        const int fixed = size.height() - (upright ? blocks.NumLegendRows : 4) * (wanted + 1);
        const int across = upright ? 4 : blocks.NumLegendRows;
        const int down = upright ? blocks.NumLegendRows : 4;
        const int fitting = std::min(room.width() / std::max(across, 1), (room.height() - fixed) / std::max(down, 1)) - 1;
        size = blocks.NumLegendSize(canvas, std::clamp(fitting, 1, wanted), upright);
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
    // Lists that do not fit their room at their size flow into columns; when
    // they need more than this page, the grid takes the room it can have and
    // the lists fill what it leaves.
    TFlow flow;
    int flowHeight = -1; // of the columns when the whole flow stands on this page

    QSize grid;
    if (right && numbers) {
        const int cell = (PW - 2 * LM - Gap) / (cols + 4);
        int W = cols * cell;
        const int A = kind == TPuzzleKind::NumberWithSolution ? PH - 2 * TM : PH - 2 * TM - 2 * cell;
        const int N = std::max(rows, blocks.NumLegendRows + 2);
        if (cell * N > A) W = A;
        if (cell < MinCodeBox && blocks.NumLegendSize) {
            SetLegendFont(*canvas, print);
            W = std::min(W, PW - 2 * LM - Gap -
                                blocks.NumLegendSize(*canvas, MinCodeBox, true).width());
        }
        grid = FitGrid(W, PH - TH - Gap - 2 * TM, R, false);
    } else if (right) {
        SetLegendFont(*canvas, print);
        QSize legend = MeasureLegend(*canvas, blocks, true);
        if (!Fits(legend, legendRoom) &&
            (flow = PrepareFlow(*canvas, blocks, PW - 2 * LM)).Active()) {
            const int columns = ColumnsNeeded(flow.Pieces, PH - 2 * TM);
            const bool onePage = columns <= ColumnsIn(flow, legendRoom.width());
            if (onePage) flowHeight = BalancedHeight(flow.Pieces, columns, PH - 2 * TM);
            legend = QSize(onePage ? columns * (flow.Width + Gap) - Gap : 0, 0);
        }
        grid = FitGrid(PW - 2 * LM - legend.width() - Gap, PH - TH - Gap - 2 * TM, R, false);
    } else if (numbers) {
        const int spare = kind == TPuzzleKind::NumberWithSolution ? 6 : 4;
        const int cell = (PH - 2 * TM - Gap - 2 * TH) / (cols + spare);
        int H = rows * cell;
        if (cell < MinCodeBox && blocks.NumLegendSize) {
            SetLegendFont(*canvas, print);
            H = std::min(H, PH - 2 * TM - TH - 2 * Gap -
                                blocks.NumLegendSize(*canvas, MinCodeBox, false).height());
        }
        grid = FitGrid(PW - 2 * LM, H, R, true);
    } else {
        SetLegendFont(*canvas, print);
        QSize legend = MeasureLegend(*canvas, blocks, false);
        if (!Fits(legend, legendRoom) &&
            (flow = PrepareFlow(*canvas, blocks, PW - 2 * LM)).Active()) {
            flowHeight =
                BalancedHeight(flow.Pieces, ColumnsIn(flow, PW - 2 * LM), legendRoom.height());
            legend = QSize(0, std::max(flowHeight, 0));
        }
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
    } else if (flow.Active() && flowHeight >= 0) {
        // The whole flow on this page, in the columns measured for it.
        const QRect room =
            right ? QRect(LM + grid.width() + Gap, TM, PW - 2 * LM - grid.width() - Gap, flowHeight)
                  : QRect(LM, PH - TM - flowHeight, PW - 2 * LM, flowHeight);
        PlaceColumns(*canvas, flow, room, false, right);
    } else if (flow.Active()) {
        // The lists begin in the room the grid leaves, beside it where a
        // column of half their width on a page fits, else below it, and go on
        // on further pages. The grid's cells fill its area only in part: the
        // room starts where its lines end (a solution word's row lies at
        // the area's bottom).
        const int header = HasHeaderLines(kind) ? 1 : 0;
        auto printed = [&](int cells, int area) {
            return cell > 0 ? std::min(area, (cells + header) * cell + 4) : area;
        };
        const int gridWidth = printed(cols, grid.width());
        const int gridBottom =
            TM + TH + Gap + (HasSolutionWord(kind) ? grid.height() : printed(rows, grid.height()));
        const QRect beside(LM + gridWidth + Gap, TM, PW - 2 * LM - gridWidth - Gap, PH - 2 * TM);
        const QRect below(LM, gridBottom + Gap, PW - 2 * LM, PH - TM - gridBottom - Gap);
        if (right && beside.width() >= flow.Width / 2) {
            Reflow(*canvas, flow, EvenWidth(flow, beside.width(), 1));
            PlaceColumns(*canvas, flow, beside, false, true);
        } else {
            Reflow(*canvas, flow, EvenWidth(flow, below.width(), 2));
            PlaceColumns(*canvas, flow, below, false, false);
        }
        FlowOntoPages(job, *canvas, flow, p, print);
    } else {
        const QSize legend = MeasureLegend(*canvas, blocks, right);
        const QPoint topLeft =
            right ? QPoint(PW - LM - legend.width(), TM) : QPoint(LM, PH - TM - legend.height());
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

    if (IsSudoku(kind)) return job.End();
    // The side block's page, only while there is a block: a page with
    // nothing but the title helps nobody.
    const bool upright = job.Portrait();
    const bool numbers = IsNumberPuzzle(kind);
    SetLegendFont(*canvas, print);
    const QSize legend = numbers ? QSize() : MeasureLegend(*canvas, blocks, upright);
    if (numbers ? !blocks.NumLegendSize || !blocks.NumLegend : legend.isEmpty() || !blocks.Legend)
        return job.End();
    job.NewPage();
    TH = PrintTitle(*canvas, p, print);
    SetLegendFont(*canvas, print);
    const QPoint topLeft(LM, TM + TH);
    const QSize room(PW - 2 * LM, PH - 2 * TM - TH);
    if (numbers) {
        const QSize size = MeasureNumLegend(*canvas, blocks, cell, upright, room);
        DrawNumLegend(*canvas, blocks, QRect(topLeft, size), upright);
    } else if (TFlow flow;
               !Fits(legend, room) && (flow = PrepareFlow(*canvas, blocks, PW - 2 * LM)).Active()) {
        Reflow(*canvas, flow, EvenWidth(flow, PW - 2 * LM, 2));
        PlaceColumns(*canvas, flow, QRect(LM, TM + TH + Gap, PW - 2 * LM, PH - 2 * TM - TH - Gap),
                     true, false);
        FlowOntoPages(job, *canvas, flow, p, print);
    } else {
        DrawLegend(*canvas, blocks, legend, topLeft, upright);
    }
    return job.End();
}

} // namespace zx
