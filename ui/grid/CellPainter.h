// The one painter of puzzle cells, shared by the screen, images and paper:
// every puzzle kind, view, highlight and colour mode, plus the input cursor.
#pragma once

#include <QFont>
#include <QImage>
#include <QPalette>
#include <QPoint>
#include <QRect>
#include <QString>
#include <array>
#include <cstdint>

#include "PuzzleData.h"
#include "Settings.h"

class QPainter;

namespace zx {

// Output targets of PaintCell.
enum : int { poScreen = 0, poPrinter = 2 };
// Print colour modes.
enum : int { pcLinesOnly = 0, pcGreyscale = 1, pcColour = 2 };

// Possible Sudoku symbols: [col 1..12][row 1..12][symbol 1..12], 1 = possible.
using TCandidates =
    std::array<std::array<std::array<std::uint8_t, MaxSudokuSymbols + 1>, MaxSudokuSymbols + 1>,
               MaxSudokuSymbols + 1>;

// The two direction arrowheads: 0 points right (across; 3 pixels wide, 5
// high), 1 points down (5 wide, 3 high).
using TInputDirImages = std::array<QImage, 2>;
TInputDirImages LoadInputDirImages();

// Largest font size in points the painter uses; larger settings are cut to it.
inline constexpr int MaxFontSize = 400;

// Fonts the painter needs, built once per face, size and style (building a
// font by its line height measures it, which is too slow for every cell).
class TFontCache {
public:
    // points: size in points, else the line height in canvas units.
    const QFont& Get(const QString& face, int size, bool bold, bool points) const;

private:
    struct Entry {
        QString Face;
        int Size = 0;
        bool Bold = false;
        bool Points = false;
        bool Valid = false;
        QFont Font;
    };
    mutable std::array<Entry, 6> m_entries;
    mutable std::size_t m_next = 0;
};

// Everything the painter reads besides the cell itself. The grid metrics are
// those of the grid control (for rectangles computed from a position).
struct TCellPaintContext {
    const TPuzzleData* Puzzle = nullptr;
    const TProgramSettings* Settings = nullptr;
    std::uint8_t ViewMode = 0;
    QPoint Cursor{0, 0};             // the grid's current cell
    std::uint8_t InputDirection = 0; // 0 none, 1 across, 2 down
    bool GridHasFocus = false;
    int BoxWidth = 0;
    int BoxHeight = 0;
    const TCandidates* Candidates = nullptr;
    const TInputDirImages* Arrows = nullptr;
    QPalette Palette;
    int DefaultColWidth = 30;
    int DefaultRowHeight = 30;
    int GridLineWidth = 1;
    int HeaderColWidth = 0;  // width of column 0
    int HeaderRowHeight = 0; // height of row 0
    QString LetterFace;      // the letter font's face (the setting, converted once)
    TFontCache Fonts;
};

// True when (col, row) belongs to the run through the cursor in the input
// direction, bounded by the stop flag (cfBlank in American crosswords, else cfBlock).
bool IsInCurrentWord(const TCellPaintContext& ctx, int col, int row);

// The rectangle of a cell computed from the grid metrics.
QRect ComputeCellRect(const TCellPaintContext& ctx, int col, int row);

// Paints cell (col, row). rect is replaced by the computed rectangle when
// computeRect is set. selected: the cell lies in the grid's range selection.
// output: poScreen or poPrinter; printColorMode applies on paper only.
void PaintCell(QPainter& canvas, const TCellPaintContext& ctx, int col, int row, QRect rect,
               bool computeRect, bool fill, bool forceMark, bool forceNoMark, bool selected,
               int output, int printColorMode = pcColour);

// The input cursor: a 2-pixel frame in the highlight colour with the arrow of
// the direction (0: none), or, when not thick, the thin black mark of the side
// windows with the arrow.
void DrawInputCursor(QPainter& canvas, const QRect& rect, int direction, bool thick,
                     const TInputDirImages* arrows, const QPalette& palette = QPalette());

// An axis-parallel line as a pen of width w draws it from (x1, y1) towards
// (x2, y2), the end point excluded for width 1 (whichever way the line runs);
// wider pens straddle the line, leaning to the top left for even widths.
void DrawPenLine(QPainter& canvas, int x1, int y1, int x2, int y2, int w, const QColor& color);

// A font of the face whose line height (ascent + descent) is height units.
QFont FontWithHeight(const QString& face, int height, bool bold);

} // namespace zx
