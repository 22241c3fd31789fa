// The printed page: the title, the grid and the clue lists or code table
// placed on one or two pages per copy, in units of 0.1 mm. The blocks draw
// themselves with the painters of their windows; this file only places them.
#pragma once

#include <QPainter>
#include <QPrinter>
#include <QRect>
#include <QSize>
#include <functional>
#include <vector>

#include "document/PuzzleData.h"
#include "document/Settings.h"

namespace zx {

// The blocks of a printed puzzle. A side block whose window is not open is
// left empty: it measures 0 x 0 and nothing is drawn for it.
struct TPrintBlocks {
    // Paints the grid into the area and returns the cell size it chose.
    std::function<int(QPainter&, const QRect&)> Grid;
    // The clue lists; stacked puts the down list below the across list.
    std::function<QSize(QPainter&, bool stacked)> LegendSize;
    std::function<void(QPainter&, const QRect&, bool stacked)> Legend;
    // Lists too long for their room flow, at their font height, into columns
    // over as many pages as they need. LegendColumnWidth: the width of a
    // column that holds every row on one line. LegendPieces: prepares the flow
    // for a column width and gives the heights of its pieces, which no column
    // break splits. LegendColumn: draws pieces [from, to) of the prepared
    // flow as one column from a top left corner down.
    // A column that starts inside a list repeats its heading above the first
    // piece: Continued is the room that takes (0 for the headings themselves).
    struct TPiece {
        int Height = 0;
        int Continued = 0;
    };
    std::function<int(QPainter&)> LegendColumnWidth;
    std::function<std::vector<TPiece>(QPainter&, int width)> LegendPieces;
    std::function<void(QPainter&, const QPoint&, int from, int to)> LegendColumn;
    // The code table; upright keeps its 13 rows running down, as on screen.
    std::function<QSize(QPainter&, int cellSize, bool upright)> NumLegendSize;
    std::function<void(QPainter&, const QRect&, bool upright)> NumLegend;
    // The code table's row count on screen; 0 while it is not open.
    int NumLegendRows = 0;
};

// One print job: its pages are set up so that one unit is 0.1 mm, the origin
// is the top left corner of the printable area and y grows downwards.
class TPrintJob {
public:
    virtual ~TPrintJob() = default;
    // Starts the job and sets up its first page; nullptr when it cannot start.
    virtual QPainter* Begin() = 0;
    virtual void NewPage() = 0;
    // Ends the job; false when the output could not be completed.
    virtual bool End() = 0;
    // The printable width and height in 0.1 mm.
    virtual QSize PageSize() const = 0;
    virtual bool Portrait() const = 0;
};

// A job on a Qt printer: a real one, or a PDF file.
class TPrinterJob : public TPrintJob {
public:
    explicit TPrinterJob(QPrinter& printer) : m_printer(printer) {}
    QPainter* Begin() override;
    void NewPage() override;
    bool End() override;
    QSize PageSize() const override;
    bool Portrait() const override;

private:
    void SetUpPage();

    QPrinter& m_printer;
    QPainter m_painter;
};

// The largest rectangle of shape ratio (rows / cols) inside width x height:
// from the height, or (fromWidth) from the width; halves round to even.
QSize FitGrid(int width, int height, double ratio, bool fromWidth);

// The title text: the puzzle's title, else its kind's name; Sudokus add their level.
std::string PrintTitleText(const TPuzzleData& puzzle);
// Writes the title at the top left margin and returns its height.
int PrintTitle(QPainter& canvas, const TPuzzleData& puzzle, const TPrintSettings& print);

// The code table's boxes are never printed smaller than this where their
// room allows (0.1 mm): a large grid's cells are a few millimetres.
inline constexpr int MinCodeBox = 60;

// One copy as one job: grid and side block on one page (puzzles other than
// Sudoku); clue lists that do not fit beside or below the grid continue on
// further pages below the title.
// False when the job could not be started or completed.
bool PrintOnePage(TPrintJob& job, const TPuzzleData& puzzle, const TPrintSettings& print,
                  const TPrintBlocks& blocks);
// One copy as one job: the grid page, then for puzzles other than Sudoku the
// pages of the side block, while there is one.
bool PrintTwoPages(TPrintJob& job, const TPuzzleData& puzzle, const TPrintSettings& print,
                   const TPrintBlocks& blocks);

} // namespace zx
