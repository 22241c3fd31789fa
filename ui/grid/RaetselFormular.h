// The grid window: shows the puzzle in an owner-drawn grid under its toolbar
// strip and lets the player move the cursor and type letters or symbols.
#pragma once

#include <QPoint>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cstdint>

#include "document/PuzzleData.h"
#include "grid/CellPainter.h"
#include "rules/WordQueries.h"

class QScrollArea;

namespace zx {

class TDrawGrid;
class TFrameLink;
class TGradientBar;
struct TPlayerState;

// What the legend must follow (a word done, the row of the current word) is
// announced by signals, emitted only while a legend is open; the frame connects
// them to the legend when it opens one. The frame calls RepaintGrid() and
// OpenSolutionForm() by name.
class TRaetselForm : public QWidget {
    Q_OBJECT
public:
    explicit TRaetselForm(TFrameLink& frame, QWidget* parent = nullptr);
    ~TRaetselForm() override;

    static constexpr int ToolbarHeight = 30;
    static constexpr int MinCellSize = 20;
    static constexpr int MaxCellSize = 60;
    static constexpr int MaxLayoutCellSize = 400; // largest cell size the layout accepts

    // One stored state of all entries with the time it was taken (0 = empty slot).
    struct TSnapshot {
        PuzzleEntry Entries[GridDim][GridDim];
        double Stamp = 0;
    };

    TDrawGrid* Raetsel() const { return m_grid; }
    TGradientBar* ToolBar() const { return m_toolbar; }
    int BoxWidth() const { return m_boxWidth; }
    int BoxHeight() const { return m_boxHeight; }
    std::uint8_t InputDirection() const { return m_inputDirection; }
    std::uint8_t PreviousDirection() const { return m_previousDirection; }
    QPoint PreviousCursor() const { return m_previousCursor; }
    QPoint LastHoverCell() const { return m_lastHoverCell; }
    const TGridWordData& CurrentWord() const { return m_currentWord; }
    const TGridWordData& PreviousWord() const { return m_previousWord; }
    const TCandidates& Candidates() const { return m_candidates; }
    int MarkSymbol() const { return m_markSymbol; }
    // Slot 1..4; other numbers give the nearest slot.
    const TSnapshot& Snapshot(int slot) const {
        return m_snapshots[static_cast<std::size_t>(std::clamp(slot, 1, 4) - 1)];
    }
    // The grid cursor.
    QPoint Cursor() const;

    // Drawing.
    // The painter's view of this window for one output.
    const TCellPaintContext& PaintContext() const;
    bool IsInCurrentWord(int col, int row) const;
    // Repaints one cell at its computed rectangle.
    void PaintCellAt(int col, int row);
    void PaintWord(const TGridWordData& word, bool on);
    void PaintAmericanWord(int col, int row, bool on, int direction);
    // Sizes the grid control and the window to the cell size.
    void GridLayout();
    // Zooms by the sender's Tag property (+1 for senders that are neither a
    // button nor a menu action).
    void MItemPlayZoomInClick(QObject* sender);
    // Changes the cell size by step within 20 .. 60 pixels and derives the font size.
    void Zoom(int step);
    // Lays the whole grid out in area (canvas units of 0.1 mm on paper) and
    // returns the chosen cell size.
    void PrintGrid(QPainter& canvas, const QRect& area, int& cellSize, int output);

    // Input.
    // The grid's selection handler; fromGrid: asked by the grid control.
    bool RaetselSelectCell(bool fromGrid, int col, int row);
    void UpdateDirection(int col, int row, bool toggle);
    void AdvanceCursor();
    void RaetselKeyPress(char key);
    // Delete and Backspace; true when the key was used up.
    bool RaetselKeyDown(int key);
    void GotoWord(int number, bool across);
    void SelectFirstCell();
    void RecomputeCandidates();
    void UpdateToolbar(int col, int row);

    // The whole grid is drawn anew (after undo, view switches, snapshots);
    // a Sudoku's possible symbols are recomputed from the entries first.
    Q_INVOKABLE void RepaintGrid();
    // Asks for the solution-word window when it is not open.
    Q_INVOKABLE void OpenSolutionForm();

Q_SIGNALS:
    // For the open legend: a word was ticked or unticked, the current word changed.
    void SetWordDoneRequested(int wordIndex, bool across, bool done);
    void SelectLegendRowRequested(int number, bool across);
    // The cursor moved onto (col, row).
    void CursorMoved(int col, int row);
    // After zooming: the side windows follow the new cell size.
    void CellSizeChanged(int cellSize);
    // A side window the puzzle and the settings ask for at start (a TFormKind).
    void SideWindowRequested(int kind);
    // The toolbar buttons follow the cell (col, row).
    void ToolbarStateChanged(int col, int row);
    // Printing: the open solution-word window draws its row into rect.
    void SolutionRowPrintRequested(QPainter* canvas, const QRect& rect, int output);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    QSize sizeHint() const override;

private:
    TPuzzleData& Puzzle() const;
    TPlayerState& State() const;
    void FormCreate();
    void FormShow();
    void ConfigureGrid();
    void RunCompletionCheck();
    void RunMarkFilter();
    bool LegendOpen(bool mustBeVisible = false) const;
    void SetLegendWordDone(int wordIndex, bool across, bool done);
    void SelectLegendRow(int number, bool across);
    // Repaints the cells highlighted for a cursor at (col, row) in a direction.
    void InvalidateRun(int col, int row, int direction);
    std::uint32_t FlagsAt(int col, int row) const;
    std::uint32_t StopFlag() const;
    bool EditableByKeyDown(int col, int row) const;
    bool TryBackspace(int dc, int dr);
    void ReleaseWordMark();

    TFrameLink& m_frame;
    TGradientBar* m_toolbar = nullptr;
    QScrollArea* m_scroll = nullptr;
    TDrawGrid* m_grid = nullptr;

    int m_boxWidth = 0;
    int m_boxHeight = 0;
    QPoint m_lastHoverCell{-1, -1};
    QPoint m_previousCursor{0, 0};
    TGridWordData m_previousWord;
    TGridWordData m_currentWord;
    TCandidates m_candidates{};
    int m_markSymbol = 0;
    std::uint8_t m_previousDirection = 0;
    std::uint8_t m_inputDirection = 0;
    std::array<TSnapshot, 4> m_snapshots{};

    TInputDirImages m_arrows;
    mutable TCellPaintContext m_paint;
    QSize m_wantedClient;
    bool m_shown = false;
};

} // namespace zx
