// The grid window: shows the puzzle in an owner-drawn grid under its toolbar
// strip and turns the player's keys, clicks and drops into operations of the
// play session; hovering explains the cell under the mouse.
#pragma once

#include <QPoint>
#include <QWidget>
#include <array>
#include <cstdint>
#include <vector>

#include "document/PuzzleData.h"
#include "grid/CellPainter.h"
#include "rules/WordQueries.h"
#include "session/PlayerSession.h"

class QMenu;
class QMimeData;
class QScrollArea;

namespace zx {

class TDrawGrid;
class TFrameLink;
class TGradientBar;
class TPlayCommands;
class TSpeedButton;

// The window keeps the cursor and the input direction; the record and
// everything else it draws belong to the session. It repaints by comparing
// each cell's look with the look it last drew.
class TRaetselForm : public QWidget {
    Q_OBJECT
public:
    explicit TRaetselForm(TFrameLink& frame, QWidget* parent = nullptr);
    ~TRaetselForm() override;

    static constexpr int ToolbarHeight = 30;
    static constexpr int MaxLayoutCellSize = 400; // largest cell size the layout accepts

    TDrawGrid* Raetsel() const { return m_grid; }
    TGradientBar* ToolBar() const { return m_toolbar; }
    TInputDir InputDirection() const { return m_inputDirection; }
    QPoint LastHoverCell() const { return m_lastHoverCell; }
    const TGridWordData& CurrentWord() const { return m_currentWord; }
    // The grid cursor.
    QPoint Cursor() const;

    // Drawing.
    // The painter's view of this window for the screen.
    const TCellPaintContext& PaintContext() const;
    // Sizes the grid control and the window to the cell size.
    void GridLayout();
    // Zooms by the sender's Tag property (+1 for senders that are neither a
    // button nor a menu action).
    void MItemPlayZoomInClick(QObject* sender);
    // Lays the whole grid out in area (canvas units of 0.1 mm on paper) and
    // returns the chosen cell size in cellSize; the solution-word row below
    // the grid is drawn while the strip is open.
    void PrintGrid(QPainter& canvas, const QRect& area, int& cellSize, TPaintOutput output);

    // Input.
    // The grid's selection handler; fromGrid: asked by the grid control.
    bool RaetselSelectCell(bool fromGrid, int col, int row);
    void UpdateDirection(int col, int row, bool toggle);
    void AdvanceCursor();
    void RaetselKeyPress(char key);
    // Delete and Backspace; true when the key was used up.
    bool RaetselKeyDown(int key);
    void GotoWord(int number, TWordDir direction);
    void SelectFirstCell();

    // Mouse (positions in grid coordinates).
    // After the grid has handled a press: a second left click on the cursor
    // cell switches between across and down.
    void RaetselMouseDown(Qt::MouseButton button, const QPoint& pos);
    // Hover: the floating hint and the status text of the cell under pos.
    void RaetselMouseMove(const QPoint& pos);
    // Crossword jigsaw: the range the player painted with the left button.
    void RaetselMouseUp(const QRect& range);
    // Brain-teaser grids: whether a legend word may be dropped at pos.
    bool RaetselDragOver(const QMimeData* data, const QPoint& pos) const;
    // Writes the dropped legend word from the cell at pos.
    void RaetselDragDrop(const QMimeData* data, const QPoint& pos);

    // Commands.
    // The toolbar follows the commands' states; its buttons are placed
    // after the visible ones.
    void UpdateToolbar();
    // The popup menu at a point of the grid (grid coordinates).
    void MenuRaetselPlayPopup(const QPoint& at);
    QMenu* MenuRaetselPlay() const { return m_menuRaetselPlay; }
    // Closes the window, then the program.
    void MItemPlaySchliessenClick();

Q_SIGNALS:
    // For the legend of Swedish crosswords: the word under the cursor changed.
    void CurrentWordChanged(int number, TWordDir direction);
    // The cursor moved onto (col, row).
    void CursorMoved(int col, int row);
    // A side window the puzzle and the settings ask for at start.
    void SideWindowRequested(TFormKind kind);
    // Printing: the open solution-word strip draws its row into rect.
    void SolutionRowPrintRequested(QPainter* canvas, const QRect& rect, TPaintOutput output);
    // The window is closing: the frame closes the side windows with it.
    void Closing();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    QSize sizeHint() const override;

private:
    // A cell's look packed into one number: everything its picture depends on
    // besides the settings, the view mode and the cell size, which repaint the
    // whole grid when they change. 0: never drawn.
    using TCellLook = std::uint64_t;
    // Holds back the comparison until the outermost handler ends, so one
    // keystroke compares once however many changes it makes.
    class TBatch;

    const TPuzzleData& Puzzle() const;
    void FormCreate();
    void FormShow();
    void ConfigureGrid();
    void ReportCursor();
    void CreateToolbar();
    void CreatePopupMenu();
    void PopupAtCursor();
    void FollowDragKeys();
    void AnnounceCurrentWord();
    bool TryBackspace(int dc, int dr);
    // The status-line text of a cell.
    QString StatusTextAt(int col, int row) const;
    // What a screen reader reads of a cell: the letter shown, and the kind
    // of cell with, at the cursor, the clue of the current word.
    QString AccessibleCellText(int col, int row) const;
    QString AccessibleCellDescription(int col, int row) const;
    void ShowHoverHint(const QPoint& cell);

    TCellLook LookOf(const TCellPaintContext& ctx, int col, int row) const;
    // Something may look different: compared now, or when the batch ends.
    void NoteChange();
    // Invalidates exactly the cells whose look differs from the drawn one.
    void Refresh();
    void RedrawAll();

    TFrameLink& m_frame;
    TPlayerSession& m_session;
    TPlayCommands& m_commands;
    TGradientBar* m_toolbar = nullptr;
    TSpeedButton* m_sbShowHints = nullptr;
    TSpeedButton* m_sbShowLength = nullptr;
    TSpeedButton* m_sbShowHintGrids = nullptr;
    TSpeedButton* m_sbBegrEintragen = nullptr;
    TSpeedButton* m_sbBuchstEintragen = nullptr;
    TGradientBar* m_panelMark = nullptr;
    std::array<TSpeedButton*, 14> m_markButtons{};
    // Buttons whose visibility is that of their command.
    std::vector<TSpeedButton*> m_commandButtons;
    QMenu* m_menuRaetselPlay = nullptr;
    QAction* m_mItemPlayBuchstEintragen = nullptr;
    QAction* m_mItemPlayShowLength = nullptr;
    QMenu* m_mItemPlayFelderMarkieren = nullptr;
    QMenu* m_mItemPlaySchnappschuss = nullptr;
    QScrollArea* m_scroll = nullptr;
    TDrawGrid* m_grid = nullptr;

    QPoint m_lastHoverCell{-1, -1};
    QPoint m_previousCursor{0, 0};
    TGridWordData m_currentWord;
    TInputDir m_previousDirection = TInputDir::None;
    TInputDir m_inputDirection = TInputDir::None;

    TInputDirImages m_arrows;
    mutable TCellPaintContext m_paint;
    mutable TTextCache m_texts;
    std::array<std::array<TCellLook, GridDim>, GridDim> m_drawn{};
    int m_batchDepth = 0;
    bool m_changed = false;
    QSize m_wantedClient;
    bool m_shown = false;
};

} // namespace zx
