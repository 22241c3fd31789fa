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
#include <functional>

#include "document/PuzzleData.h"
#include "document/Settings.h"
#include "rules/WordQueries.h"
#include "session/PlayerSession.h"

class QPainter;

namespace zx {

// Where the painter draws.
enum class TPaintOutput { Screen, Printer };
// Print colour modes, as the print settings store them.
enum class TPrintColorMode : int { LinesOnly = 0, Greyscale = 1, Colour = 2 };

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
    QPoint Cursor{0, 0}; // the grid's current cell
    TInputDir InputDirection = TInputDir::None;
    bool GridHasFocus = false;
    int BoxWidth = 0;
    int BoxHeight = 0;
    const TCandidates* Candidates = nullptr;
    const TInputDirImages* Arrows = nullptr;
    QPalette Palette;
    QString LetterFace; // the letter font's face (the setting, converted once)
    TFontCache Fonts;
};

// How one cell is painted.
struct TCellPaintOptions {
    TPaintOutput Output = TPaintOutput::Screen;
    // On paper only.
    TPrintColorMode ColorMode = TPrintColorMode::Colour;
    // The cell lies in the grid's range selection.
    bool Selected = false;
    // No highlight of the cursor's word (paper shows none).
    bool NoHighlight = false;
};

// What the printed grid shows besides the record and the settings.
struct TGridPrintView {
    std::uint8_t ViewMode = 0;
    const TCandidates* Candidates = nullptr;
    // Draws the solution word's row into a rect below the grid; empty while
    // the solution-word strip is not open, and then no row is printed.
    std::function<void(QPainter&, const QRect&)> SolutionRow;
};

// True when (col, row) belongs to the run through the cursor in the input
// direction, bounded by the stop flag (cfBlank in American crosswords, else cfBlock).
bool IsInCurrentWord(const TCellPaintContext& ctx, int col, int row);

// Paints cell (col, row) into rect.
void PaintCell(QPainter& canvas, const TCellPaintContext& ctx, int col, int row, const QRect& rect,
               const TCellPaintOptions& options = {});

// Lays the whole grid out in area (canvas units of 0.1 mm on paper) and
// paints it; returns the cell size it chose.
int PrintGrid(QPainter& canvas, const TPuzzleData& puzzle, const TProgramSettings& settings,
              const TGridPrintView& view, const QRect& area, TPaintOutput output);

// The input cursor: a 2-pixel frame in the highlight colour with the arrow of
// the direction (none: no arrow), or, when not thick, the thin black mark of the side
// windows with the arrow.
void DrawInputCursor(QPainter& canvas, const QRect& rect, TInputDir direction, bool thick,
                     const TInputDirImages* arrows, const QPalette& palette = QPalette());

// An axis-parallel line as a pen of width w draws it from (x1, y1) towards
// (x2, y2), the end point excluded for width 1 (whichever way the line runs);
// wider pens straddle the line, leaning to the top left for even widths.
void DrawPenLine(QPainter& canvas, int x1, int y1, int x2, int y2, int w, const QColor& color);


} // namespace zx
