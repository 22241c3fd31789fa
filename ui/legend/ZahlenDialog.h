// The number legend: the code table of a number puzzle, 26 code numbers with
// the letter the player gives each. A letter typed here fills every grid cell
// of its code through the play session; the table is also drawn on paper.
#pragma once

#include <QFont>
#include <QPalette>
#include <QSize>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>

#include "document/PuzzleData.h"
#include "document/Settings.h"

class QKeyEvent;
class QPainter;

namespace zx {

class TDrawGrid;
class TFrameLink;
class TPlayerSession;

// What the cell painter of the code table reads; the screen and the print
// routine fill it once per pass, since building the fonts measures them.
struct TNumLegendPaint {
    const TPuzzleData* Puzzle = nullptr;
    const TProgramSettings* Settings = nullptr;
    std::uint8_t ViewMode = 0;
    bool OnPaper = false;
    int ColorMode = 2; // on paper: 0 lines only, 1 greyscale, 2 colour
    QPalette Palette;
    QFont LetterFont;
    QFont NumberFont;
    // The letter shown next to each code number; empty or " " when none.
    std::array<QString, CodeTableSize> Letters;
};

// Columns 0 and 2 hold the code numbers 0..12 and 13..25, columns 1 and 3
// their letters; only the letter columns can be selected.
class TNumLegendForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int TableCols = 4;
    static constexpr int TableRows = 13;

    explicit TNumLegendForm(TFrameLink& frame, QWidget* parent = nullptr);
    ~TNumLegendForm() override;

    // Lays itself out and fills the letters (the solution while it is shown);
    // the frame places the window.
    void ShowNumLegend();
    // The letter columns from the record: the solution letters or the player's.
    void FillNumLegend(bool showSolution);
    // Cells, grid and window sized to the cell size of the settings.
    void NumLegendLayout();
    TDrawGrid* GridZahlen() const { return m_gridZahlen; }
    // The text a cell of the table shows: a code number or a letter.
    QString Cells(int col, int row) const;
    // The code number a cell of the table stands for (its own number, or the
    // number left of a letter); -1 outside the table.
    static int CodeAt(int col, int row);

    // Printing, in canvas units (0.1 mm on paper). The canvas font is the one
    // the caller chose for legends; it gives the heading's height.
    // landscape: the 13 rows run across instead of down.
    static QSize NumLegendPrintSize(QPainter& canvas, int cellSize, bool landscape);
    // fit: the cell size follows the rectangle, else the settings' cell size.
    // colorMode: 0 lines only, 1 greyscale, 2 colour.
    static void PrintNumLegend(QPainter& canvas, const QRect& rect, const TPuzzleData& puzzle,
                               const TProgramSettings& settings, std::uint8_t viewMode, bool fit,
                               bool onPaper, int colorMode, bool landscape);
    // Paints one cell of the table into rect; selected: the current cell of
    // the focused grid (on screen only), marked with the thin input mark.
    static void PaintNumLegendCell(QPainter& canvas, const TNumLegendPaint& ctx, int col, int row,
                                   const QRect& rect, bool selected);

Q_SIGNALS:
    // The window is closing: the frame reports it closed.
    void Closing();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    QSize sizeHint() const override;

private:
    bool GridZahlenSelectCell(int col, int row) const;
    // Wraps Up and Down between the letter columns; Delete and Backspace clear.
    bool GridZahlenKeyDown(QKeyEvent* event);
    void GridZahlenKeyPress(char key);
    void ClearCodeEntry();
    // The code number of the selected letter cell; -1 on a number cell.
    int SelectedCode() const;
    void SessionCodeGuessChanged(int code);
    void SessionRecordReplaced();
    void SessionViewChanged();
    void PreparePaint();

    TPlayerSession& m_session;
    TDrawGrid* m_gridZahlen = nullptr;
    // The painter's view of the window; its Letters are the table's letters.
    TNumLegendPaint m_paint;
    QSize m_wantedClient;
};

} // namespace zx
