// The solution-word strip: one row of boxes in which the player types the
// word hidden in the marked grid cells; every letter goes into the record at once.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <cstdint>

#include "document/PuzzleData.h"
#include "document/Settings.h"

class QPainter;

namespace zx {

class TDrawGrid;
class TFrameLink;
class TPlayerSession;

// The boxes show the record as it is (the player's letters, or the solution
// in the solution view), so the strip keeps no letters of its own; it
// repaints from the session's notices.
class TLoesungForm : public QWidget {
    Q_OBJECT
public:
    // A child with a title bar but without buttons: the player cannot close
    // the strip, it goes with the grid window. A frame that hosts it in a
    // child area passes windowFlags() on to the child area's window.
    explicit TLoesungForm(TFrameLink& frame, QWidget* parent = nullptr);

    // Space around the boxes.
    static constexpr int Border = 4;
    // Distance of the strip from the right and bottom edges of the child area.
    static constexpr int AreaGap = 10;

    // Everything anew from the record: sizes, caption, boxes; then, when the
    // strip lives in a child area, its place at that area's bottom right.
    void ShowSolution();
    // Boxes of the cell size, as many as the solution word has letters;
    // the grid and the window follow.
    void SolutionLayout();
    // The top-left corner for the strip's outer frame in a child area of
    // that rectangle: the area's bottom right corner, AreaGap pixels in from
    // both edges, but never above or left of the area (the title bar must
    // stay within reach).
    QPoint PlaceFor(const QRect& childArea) const;
    TDrawGrid* GridLoesung() const { return m_gridLoesung; }
    // The number of boxes: the letters of the solution word (at most 20).
    static int BoxCount(const TPuzzleData& puzzle);

    // Draws the row of boxes into rect, each box rect.height() wide, framed
    // in black. onPaper: canvas units of 0.1 mm and the colours of colorMode
    // (0 lines only, 1 greyscale, 2 colour); otherwise the screen's colours.
    static void PrintSolutionWord(QPainter& canvas, const QRect& rect, const TPuzzleData& puzzle,
                                  const TProgramSettings& settings, std::uint8_t viewMode,
                                  bool onPaper, int colorMode);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    QSize sizeHint() const override;

private:
    // Layout and caption from the record, all boxes repainted.
    void Refill();
    void GridLoesungDrawCell(QPainter& painter, int col, const QRect& rect);
    // Delete and Backspace; true when the key was used up.
    bool GridLoesungKeyDown(int key);
    void GridLoesungKeyPress(char key);
    void ClearSolutionLetter();
    void SolutionLetterChanged(int slot);

    TPlayerSession& m_session;
    TDrawGrid* m_gridLoesung = nullptr;
    QImage m_arrow;
    QSize m_client;
    bool m_shown = false;
};

} // namespace zx
