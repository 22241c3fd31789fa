// Painting of one puzzle cell on screen or paper, and the input cursor.
#include "CellPainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

#include "Colors.h"
#include "SudokuRule.h"
#include "TextConv.h"
#include "WordQueries.h"

namespace zx {

namespace {

const QColor White(255, 255, 255);
const QColor LightGrey(0xDD, 0xDD, 0xDD);
const QColor Silver(0xC0, 0xC0, 0xC0);
const QColor Grey(0x80, 0x80, 0x80);
const QColor Purple(0x80, 0x00, 0x80);
const QColor Navy(0x00, 0x00, 0x80);
const QColor Black(0, 0, 0);

bool InArrays(int col, int row) {
    return col >= 0 && row >= 0 && col < GridDim && row < GridDim;
}

std::uint32_t FlagsAt(const TPuzzleData& p, int col, int row) {
    // Positions beyond the arrays count as blocks, as the border cells do.
    return InArrays(col, row) ? p.cell(col, row).Flags : cfBlock;
}

std::uint32_t StopFlag(int type) {
    return IsAmerican(type) ? cfBlank : cfBlock;
}

// The picture at its own size in pixels.
QImage RenderSvg(const QString& path) {
    QSvgRenderer svg(path);
    QImage img(svg.defaultSize(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    svg.render(&p);
    return img;
}

// Text with its top-left corner at (x, y), as a text cell is placed.
void TextAt(QPainter& canvas, int x, int y, const QString& text) {
    canvas.drawText(QPointF(x, y + canvas.fontMetrics().ascent()), text);
}

void CentredText(QPainter& canvas, int l, int t, int r, int b, const QString& text) {
    canvas.drawText(QRect(l, t, r - l, b - t), Qt::AlignCenter | Qt::TextSingleLine, text);
}

bool IsBlankEntry(const PuzzleEntry& e) {
    return e.size() == 1 && e.Chars[0] == ' ';
}

} // namespace

TInputDirImages LoadInputDirImages() {
    return {RenderSvg(QStringLiteral(":/images/arrow-right.svg")),
            RenderSvg(QStringLiteral(":/images/arrow-down.svg"))};
}

QFont FontWithHeight(const QString& face, int height, bool bold) {
    QFont f(face);
    f.setBold(bold);
    height = std::max(height, 1);
    f.setPixelSize(height);
    const qreal lineHeight = QFontMetricsF(f).height();
    if (lineHeight > 0) {
        const int px = static_cast<int>(std::lround(height * height / lineHeight));
        f.setPixelSize(std::max(px, 1));
    }
    return f;
}

const QFont& TFontCache::Get(const QString& face, int size, bool bold, bool points) const {
    // Sizes come from the settings block of the puzzle: keep them renderable.
    size = std::clamp(size, 1, points ? MaxFontSize : MaxFontSize * 4);
    for (const Entry& e : m_entries)
        if (e.Valid && e.Size == size && e.Bold == bold && e.Points == points && e.Face == face)
            return e.Font;
    Entry& e = m_entries[m_next];
    m_next = (m_next + 1) % m_entries.size();
    e.Face = face;
    e.Size = size;
    e.Bold = bold;
    e.Points = points;
    e.Valid = true;
    if (points) {
        e.Font = QFont(face);
        e.Font.setBold(bold);
        e.Font.setPointSize(std::max(size, 1));
    } else {
        e.Font = FontWithHeight(face, size, bold);
    }
    return e.Font;
}

void DrawPenLine(QPainter& canvas, int x1, int y1, int x2, int y2, int w, const QColor& color) {
    if (w <= 0) return;
    const int before = w / 2;      // pixels on the top-left side of the line
    const int after = (w - 1) / 2; // and beyond its end
    // The pixels a thin line covers along its run: from the start up to, not
    // including, the end, in whichever direction it runs.
    auto run = [](int from, int to, int& lo, int& hi) {
        lo = to >= from ? from : to + 1;
        hi = to >= from ? to : from + 1;
    };
    int lo = 0;
    int hi = 0;
    if (x1 == x2) {
        run(y1, y2, lo, hi);
        lo -= before;
        hi += after;
        canvas.fillRect(QRect(x1 - before, lo, w, std::max(hi - lo, 0)), color);
    } else if (y1 == y2) {
        run(x1, x2, lo, hi);
        lo -= before;
        hi += after;
        canvas.fillRect(QRect(lo, y1 - before, std::max(hi - lo, 0), w), color);
    }
}

namespace {

// A filled rectangle with an outline along its outermost pixels, as a pen of
// width w draws it around (l, t) .. (r, b), right and bottom exclusive.
void OutlinedRect(QPainter& canvas, int l, int t, int r, int b, int w, const QColor& pen,
                  const QColor& brush) {
    canvas.fillRect(QRect(l, t, r - l, b - t), brush);
    DrawPenLine(canvas, l, t, r, t, w, pen);
    DrawPenLine(canvas, r - 1, t, r - 1, b, w, pen);
    DrawPenLine(canvas, l, b - 1, r, b - 1, w, pen);
    DrawPenLine(canvas, l, t, l, b, w, pen);
}

// The 3-pixel lines around Sudoku cell (col, row): black on box edges (the
// outer edge included), grey inside a box. Neighbouring cells draw the lines
// they share, in whatever order the grid paints them, so no pixel may get grey
// from one cell and black from another: each line is cut into its run along
// the cell and the 3 x 3 squares where it meets the crossing lines, and such a
// square is black when either line through it is.
void PaintSudokuLines(QPainter& canvas, const QRect& cell, int col, int row, int boxWidth,
                      int boxHeight) {
    const bool left = boxWidth != 0 && (col - 1) % boxWidth == 0;
    const bool right = boxWidth != 0 && col % boxWidth == 0;
    const bool top = boxHeight != 0 && (row - 1) % boxHeight == 0;
    const bool bottom = boxHeight != 0 && row % boxHeight == 0;
    // A line covers the cell's outermost pixel and the two beyond it (on
    // screen the grid line and the neighbour's outermost pixel).
    const int xl = cell.left() - 2;
    const int xr = cell.left() + cell.width() - 1;
    const int yt = cell.top() - 2;
    const int yb = cell.top() + cell.height() - 1;
    const int runW = xr - (xl + 3);
    const int runH = yb - (yt + 3);
    const struct {
        QRect Rect;
        bool Black;
    } parts[] = {
        {QRect(xl + 3, yt, runW, 3), top},     {QRect(xl + 3, yb, runW, 3), bottom},
        {QRect(xl, yt + 3, 3, runH), left},    {QRect(xr, yt + 3, 3, runH), right},
        {QRect(xl, yt, 3, 3), left || top},    {QRect(xr, yt, 3, 3), right || top},
        {QRect(xl, yb, 3, 3), left || bottom}, {QRect(xr, yb, 3, 3), right || bottom},
    };
    for (const auto& part : parts)
        canvas.fillRect(part.Rect, part.Black ? Black : Grey);
}

} // namespace

bool IsInCurrentWord(const TCellPaintContext& ctx, int col, int row) {
    const TPuzzleData& p = *ctx.Puzzle;
    const std::uint32_t stop = StopFlag(p.PuzzleType);
    auto stopped = [&](int c, int r) { return (FlagsAt(p, c, r) & stop) != 0; };
    if (stopped(col, row)) return false;
    const QPoint cur = ctx.Cursor;
    if (col == cur.x() && row == cur.y()) return true;
    if (col == cur.x() && ctx.InputDirection == 2) {
        for (int r = std::min(row, cur.y()); r <= std::max(row, cur.y()); ++r)
            if (stopped(col, r)) return false;
        return true;
    }
    if (row == cur.y() && ctx.InputDirection == 1) {
        for (int c = std::min(col, cur.x()); c <= std::max(col, cur.x()); ++c)
            if (stopped(c, row)) return false;
        return true;
    }
    return false;
}

QRect ComputeCellRect(const TCellPaintContext& ctx, int col, int row) {
    const int w = ctx.DefaultColWidth;
    const int h = ctx.DefaultRowHeight;
    const int g = ctx.GridLineWidth;
    int left = ctx.HeaderColWidth + (w + g) * (col - 1);
    int top = ctx.HeaderRowHeight + (h + g) * (row - 1);
    if (!IsBrainTeaser(ctx.Puzzle->PuzzleType)) {
        ++left;
        ++top;
    }
    return QRect(left, top, w, h);
}

void DrawInputCursor(QPainter& canvas, const QRect& rect, int direction, bool thick,
                     const TInputDirImages* arrows, const QPalette& palette) {
    const int l = rect.left();
    const int t = rect.top();
    const int r = l + rect.width();
    const int b = t + rect.height();
    if (thick) {
        // The closed path along the cell's inner edge with a 2-pixel pen: a
        // frame over the outermost two pixels of the cell, corners included.
        const QColor c = ToQColor(SystemColorFlag | scHighlight, palette);
        canvas.fillRect(QRect(l, t, r - l, 2), c);
        canvas.fillRect(QRect(l, b - 2, r - l, 2), c);
        canvas.fillRect(QRect(l, t, 2, b - t), c);
        canvas.fillRect(QRect(r - 2, t, 2, b - t), c);
    } else {
        DrawPenLine(canvas, l + 2, b - 7, l + 2, b - 4, 1, Black);
        DrawPenLine(canvas, l + 2, b - 4, r - 4, b - 4, 1, Black);
        DrawPenLine(canvas, r - 4, b - 4, r - 4, b - 7, 1, Black);
    }
    if (!arrows || (direction != 1 && direction != 2)) return;
    // A small arrowhead in the lower right corner, inside the frame or above
    // the thin mark. A centred capital leaves free space both below its
    // baseline and right of it, and the corner needs only one of the two to
    // stay clear of the letter; an arrow under the letter's middle merged
    // with it (a "U" read as a fork).
    const QImage& arrow = (*arrows)[direction - 1];
    const int bottomInset = thick ? 2 : 8;
    canvas.drawImage(QPoint(r - 2 - arrow.width(), b - bottomInset - arrow.height()), arrow);
}

void PaintCell(QPainter& canvas, const TCellPaintContext& ctx, int col, int row, QRect rect,
               bool computeRect, bool fill, bool forceMark, bool forceNoMark, bool selected,
               int output, int printColorMode) {
    if (!ctx.Puzzle || !ctx.Settings || !InArrays(col, row)) return;
    const TPuzzleData& p = *ctx.Puzzle;
    const TProgramSettings& s = *ctx.Settings;
    const int type = p.PuzzleType;
    const QPalette& pal = ctx.Palette;
    auto colour = [&pal](TColor c) { return ToQColor(c, pal); };

    if (computeRect) rect = ComputeCellRect(ctx, col, row);
    int left = rect.left();
    int top = rect.top();
    int right = left + rect.width();
    int bottom = top + rect.height();

    const bool screen = output == poScreen;
    const bool linesOnly = !screen && printColorMode == pcLinesOnly;
    const bool greyPrint = !screen && printColorMode == pcGreyscale;
    const bool focus = ctx.GridHasFocus;
    const bool isCursor = col == ctx.Cursor.x() && row == ctx.Cursor.y();
    // Printing lines only keeps every background white.
    QColor brush = White;
    auto setBrush = [&](const QColor& c) {
        if (!linesOnly) brush = c;
    };
    auto fillRect = [&] { canvas.fillRect(QRect(left, top, right - left, bottom - top), brush); };

    // Header lines: the row and column numbers of French and American crosswords.
    if (col == 0 || row == 0) {
        setBrush(greyPrint ? Silver : colour(SystemColorFlag | scBtnFace));
        if (row == 0) ++right;
        if (col == 0) ++bottom;
        fillRect();
        if (type >= 8 && type <= 11 && (col > 0 || row > 0)) {
            canvas.setFont(ctx.Fonts.Get(QStringLiteral("Arial"), screen ? 14 : 32, true, false));
            canvas.setPen(Black);
            const QFontMetrics fm = canvas.fontMetrics();
            const QString text = QString::number(col == 0 ? row : col);
            const int tw = fm.horizontalAdvance(text);
            const int th = fm.height();
            if (col == 0)
                TextAt(canvas, right - tw - 4, top + (bottom - top - th) / 2, text);
            else
                TextAt(canvas, left + (right - left - tw) / 2, bottom - th - 4, text);
        }
        return;
    }

    const TPuzzleCell& cell = p.cell(col, row);
    const std::uint32_t flags = cell.Flags;
    const PuzzleEntry& entry = p.entry(col, row);

    bool block = false;
    if (type <= 9)
        block = flags & cfBlock;
    else if (IsAmerican(type))
        block = ctx.ViewMode == 0 ? (flags & cfBlank) != 0 : (flags & cfBlock) != 0;

    if (block) {
        if (IsBrainTeaser(type))
            setBrush(greyPrint ? Silver : colour(s.FarbeLeerfeld2));
        else if (IsAmerican(type))
            setBrush(greyPrint                                ? Black
                     : (!s.FehlerZeigen || (flags & cfBlock)) ? colour(s.FarbeLeerfeld1)
                                                              : Purple);
        else
            setBrush(greyPrint ? Black : colour(s.FarbeLeerfeld1));
        if (IsBrainTeaser(type) && fill) {
            // Heavy edges towards the letter cells on the right and below.
            if (col < p.ColCount && !(FlagsAt(p, col + 1, row) & cfBlock)) {
                DrawPenLine(canvas, right - 1, top, right - 1, bottom, 2, Black);
                right -= 2;
            }
            if (row < p.RowCount && !(FlagsAt(p, col, row + 1) & cfBlock)) {
                DrawPenLine(canvas, left, bottom - 1, right, bottom - 1, 2, Black);
                bottom -= 2;
            }
        }
        if (IsBrainTeaser(type)) {
            // Letter cells draw their outlines over the two pixels above and
            // left of them, so the grid keeps that band free before the first
            // row and column; blocks there fill it themselves, or it shows as
            // a rim of the grid's background.
            if (row == 1) top -= 2;
            if (col == 1) left -= 2;
        }
        if (fill) fillRect();
        if (screen && IsAmerican(type) && isCursor && focus && ctx.ViewMode == 0)
            DrawInputCursor(canvas, QRect(left, top, right - left, bottom - top), 0, true,
                            ctx.Arrows, pal);
        return;
    }

    // Highlight of the cursor cell and the word through it.
    bool marked = false;
    if (IsSudoku(type)) {
        marked = isCursor;
    } else if (s.AktuellenBegriffMarkieren) {
        marked = !forceNoMark && (forceMark || isCursor);
        if (!marked && !forceMark && !forceNoMark) marked = IsInCurrentWord(ctx, col, row);
    }

    if (IsSudoku(type) && (flags & cfMarked) && !marked)
        setBrush(greyPrint ? LightGrey : colour(s.FarbeLoesungfeld));
    else if (!(flags & cfSolution) || IsSudoku(type))
        setBrush(greyPrint            ? White
                 : (marked && screen) ? colour(s.MarkedLetterColor)
                                      : colour(s.FarbeBuchstabenfeld));
    else
        setBrush(greyPrint            ? LightGrey
                 : (marked && screen) ? colour(s.MarkedSolutionColor)
                                      : colour(s.FarbeLoesungfeld));

    if (IsSudoku(type)) {
        if (fill) fillRect();
        PaintSudokuLines(canvas, QRect(left, top, right - left, bottom - top), col, row,
                         ctx.BoxWidth, ctx.BoxHeight);
    } else if (IsBrainTeaser(type) || IsJigsaw(type)) {
        if (fill)
            OutlinedRect(canvas, left - 1, top - 1, right, bottom, IsJigsaw(type) ? 1 : 2, Black,
                         brush);
    } else if (fill) {
        fillRect();
    }

    const QString face = ctx.LetterFace.isEmpty() ? ToQString(s.Schriftart) : ctx.LetterFace;
    const QFont& letterFont = screen ? ctx.Fonts.Get(face, s.Schriftgroesse, true, true)
                                     : ctx.Fonts.Get(face, bottom - top - 4, true, false);

    if (IsJigsaw(type)) {
        --right;
        --bottom;
        QColor c = greyPrint ? White : colour(s.FarbeBuchstabenfeld);
        if (ctx.ViewMode != 0 && (flags & cfBlock)) c = Grey;
        if (flags & cfMarked) c = greyPrint ? LightGrey : colour(s.FarbeLoesungfeld);
        if (selected) c = Silver;
        setBrush(c);
        if (fill) {
            fillRect();
            canvas.setFont(letterFont);
            canvas.setPen(Navy);
            const std::string_view text = (flags & cfBlock) ? entry.view() : cell.Text.view();
            CentredText(canvas, left, top, right, bottom, ToQString(text));
        }
        return;
    }

    const bool odd = (type % 2) == 1;
    const bool differs = entry.view() != cell.Text.view();
    QColor fontColour =
        (s.FehlerZeigen && differs) ? colour(s.FarbeFalscheBuchstaben) : colour(s.FarbeBuchstaben);
    if (odd && (flags & cfSolution)) fontColour = colour(s.FarbeLoesungswort);
    canvas.setFont(letterFont);
    if (ctx.ViewMode != 0) {
        if (!cell.Text.empty()) {
            fontColour = differs ? colour(s.FarbeFehlendeBuchstaben) : colour(s.FarbeBuchstaben);
            canvas.setPen(fontColour);
            if (fill) CentredText(canvas, left, top, right, bottom, ToQString(cell.Text.view()));
        }
    } else if (fill) {
        canvas.setPen(fontColour);
        if (!IsBlankEntry(entry) && !entry.empty())
            CentredText(canvas, left, top, right, bottom, ToQString(entry.view()));
        if (odd && s.LoesungswortVorgeben && (flags & cfSolution))
            CentredText(canvas, left, top, right, bottom, ToQString(cell.Text.view()));
        if (screen && isCursor && focus && type < 14) {
            // A brain-teaser cell's right and lower two pixels carry the
            // outlines its neighbours draw later: the frame stays inside them.
            const int inset = IsBrainTeaser(type) ? 2 : 0;
            DrawInputCursor(canvas, QRect(left, top, right - left - inset, bottom - top - inset),
                            ctx.InputDirection, true, ctx.Arrows, pal);
        }
    }

    if (!fill) return;
    // Small texts: code numbers, word numbers, word lengths, possible symbols.
    const int numberHeight =
        screen ? s.Zahlengroesse
               : static_cast<int>(std::nearbyint(
                     static_cast<double>(std::clamp(s.Zahlengroesse, 0, MaxFontSize)) * 2.2));
    auto useNumberFont = [&] {
        canvas.setFont(ctx.Fonts.Get(QStringLiteral("Arial"), numberHeight, false, false));
        canvas.setPen(Black);
    };
    if (IsNumberPuzzle(type)) {
        if (!(flags & cfBlock)) {
            const int code = CodeOfLetter(p, cell.Text.view());
            if (code >= 0) {
                useNumberFont();
                TextAt(canvas, left + 1, top, QString::number(code));
            }
        }
    } else if (type == 0 || type == 1) {
        if (cell.Number >= 1 && cell.Number <= 199) {
            useNumberFont();
            TextAt(canvas, left + 1, top, QString::number(cell.Number));
        }
    } else if (IsBrainTeaser(type)) {
        if (s.LaengenZeigen && cell.Number >= 1 && cell.Number <= 199) {
            useNumberFont();
            if (cell.AcrossStart) {
                const int len = WordLength(p, cell.Number, wdAcross);
                if (len > 0) TextAt(canvas, left + 1, top, QString::number(len));
            }
            if (cell.DownStart) {
                const int len = WordLength(p, cell.Number, wdDown);
                if (len > 0) {
                    const QString text = QString::number(len);
                    TextAt(canvas, right - canvas.fontMetrics().horizontalAdvance(text) - 3, top,
                           text);
                }
            }
        }
    } else if (IsSudoku(type) && s.MoeglicheZahlenZeigen && IsBlankEntry(entry)) {
        const int bw = ctx.BoxWidth;
        const int bh = ctx.BoxHeight;
        if (bw != 0 && bh != 0 && ctx.Candidates && col <= MaxSudokuSymbols &&
            row <= MaxSudokuSymbols) {
            useNumberFont();
            const int sw = (right - left) / bw;
            const int sh = (bottom - top) / bh;
            const int symbols = std::min<int>(p.ColCount, MaxSudokuSymbols);
            for (int sym = 1; sym <= symbols; ++sym) {
                if (!(*ctx.Candidates)[col][row][sym]) continue;
                const int i = sym - 1;
                const int l = (i % bw) * sw + left + 2;
                const int t = (i / bw) * sh + top + 2;
                CentredText(canvas, l, t, l + sw - 1, t + sh - 1,
                            QString::fromLatin1(SymbolText(sym)));
            }
        }
    }
}

} // namespace zx
