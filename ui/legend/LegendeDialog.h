// The legend: the clue lists of a crossword (one list, or across and down),
// with the player's done ticks, hiding of done words, word entry, drag start
// for brain-teaser grids and the printed form of the lists.
#pragma once

#include <QFont>
#include <QPalette>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QPointer>
#include <QWidget>
#include <array>
#include <vector>

#include "document/PuzzleData.h"
#include "document/Settings.h"
#include "legend/LegendModel.h"
#include "session/DragCursors.h"

class QAction;
class QLabel;
class QMenu;
class QScrollArea;
class QSplitter;

class QDrag;

namespace zx {

class TDrawGrid;
class TFrameLink;
class TPlayerSession;
class TSpeedButton;

// What the cell painter of the lists reads, for the screen and for paper.
struct TLegendCellPaint {
    TPuzzleKind Kind = TPuzzleKind::Swedish;
    QColor BlankColor;      // FarbeLeerfeld1: column 1 of American crosswords
    QPalette Palette;
    bool OnPaper = false;   // a plain box instead of the platform's check box
    int ColorMode = 2;      // on paper: 0 lines only, 1 greyscale, 2 colour
    int BoxSize = 14;
    QFont Font;             // regular; column 0 is drawn bold
    const QWidget* Widget = nullptr; // styles the check box on screen
};

class TLegendForm : public QWidget {
    Q_OBJECT
public:
    // The toolbar buttons, left to right.
    enum class TButton {
        NichtAusblenden, Ausblenden, NichtMarkieren, Markieren, EineLegende, ZweiLegenden, InputWord
    };
    // The items of the lists' popup menu.
    enum class TMenuItem {
        Bearbeitet, Eingeben, Umschreibung, Nachschlagen, Separator, Ausblenden, Markieren,
        EineLegende
    };

    explicit TLegendForm(TFrameLink& frame, QWidget* parent = nullptr);
    ~TLegendForm() override;

    // (Re)builds the lists from the record and the settings and lays out the
    // columns and buttons; the frame places the window.
    void ShowLegend();
    void BuildLegend();
    // Selects the row of word number (types 0, 1) in the list of a direction
    // without moving the grid cursor back; false when the word is not listed.
    bool SelectLegendRow(int number, TWordDir direction);
    // The drag cursor that matches the session's modifier flags.
    void UpdateDragCursor();
    // The toolbar buttons from the settings and the view mode.
    void SyncLegendButtons();
    // Ticks or unticks the word of a row (the legend's own tick, and the
    // found words of a crossword jigsaw); takes the undo copy.
    void ToggleRowDone(bool acrossList, int row, bool done);
    // Row of a word by number, direction and (unless length < 0) length; -1 when none.
    int FindLegendRow(int number, TWordDir direction, int length) const;
    TLegendEntry ReadLegendRow(int row, TWordDir direction) const;
    TLegendEntry ReadSelectedLegendRow(TWordDir direction) const;
    // The word dialog for the selected row (types 0, 1).
    void EnterLegendWord();

    bool TwoLists() const { return m_content.TwoLists; }
    TDrawGrid* LegendeWaager() const { return m_lists[0]; }
    TDrawGrid* LegendeSenkr() const { return m_lists[1]; }
    const TLegendContent& Content() const { return m_content; }
    TSpeedButton* Button(TButton button) const { return m_buttons[static_cast<int>(button)]; }
    QAction* MenuItem(TMenuItem item) const { return m_menuItems[static_cast<int>(item)]; }
    // Sets the popup menu's items as they are shown when it opens.
    void MenuLegendePopup();
    TDragCursor CurrentDragCursor() const { return m_dragCursor; }

    // Printing, in canvas units, with the font the caller set on the canvas.
    // stacked: the down list below the across list, else right of it.
    static QSize LegendPrintSize(QPainter& canvas, const TPuzzleData& puzzle,
                                 const TProgramSettings& settings, bool stacked);
    static void PrintLegend(QPainter& canvas, const QRect& rect, const TPuzzleData& puzzle,
                            const TProgramSettings& settings, bool stacked, bool onPaper,
                            int colorMode);
    // The lists flowed into columns of one width, for lists longer than
    // their room: pieces that no column break splits, each a heading or a
    // row whose clue wraps onto further lines where the column is narrower.
    struct TPrintFlow {
        TLegendContent Content;
        std::array<int, LegendCols> Widths{}; // the column's four cells
        int LineHeight = 0;
        struct TPiece {
            int List = 0;      // 0 across, 1 down (the one list of a single legend)
            int Row = -1;      // -1: the list's heading
            QStringList Lines; // of the clue
            int Height = 0;
        };
        std::vector<TPiece> Pieces;
    };
    // The width of one column that holds every row on a single line.
    static int LegendPrintColumnWidth(QPainter& canvas, const TPuzzleData& puzzle,
                                      const TProgramSettings& settings);
    static TPrintFlow LegendPrintFlow(QPainter& canvas, const TPuzzleData& puzzle,
                                      const TProgramSettings& settings, int columnWidth);
    // Draws pieces [from, to) of the flow as one column from topLeft down; a
    // column that starts inside a list first repeats its heading (two lines).
    static void PrintLegendColumn(QPainter& canvas, const QPoint& topLeft, const TPrintFlow& flow,
                                  int from, int to, const TPuzzleData& puzzle,
                                  const TProgramSettings& settings, bool onPaper, int colorMode);
    // One cell of a list: rect has the full column width and row height.
    static void PaintLegendCell(QPainter& canvas, const TLegendCellPaint& ctx, int col,
                                const QRect& rect, const QString& text, bool listActive,
                                bool rowSelected);

Q_SIGNALS:
    // The player chose a word in a list: the grid window's cursor goes there.
    void WordChosen(int number, TWordDir direction);
    // The window is closing: the frame reports it closed.
    void Closing();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateToolbar();
    QWidget* CreatePanel(int tag, const QString& caption);
    void CreateMenu();
    void FillLists();
    void LayoutList(int tag);
    void PlaceButtons();
    void PaintListCell(int tag, QPainter& painter, int col, int row, const QRect& rect);
    int TagOf(const QObject* object) const;
    TLegendRows& Rows(int tag) { return tag == 0 ? m_content.Across : m_content.Down; }
    const TLegendRows& Rows(int tag) const { return tag == 0 ? m_content.Across : m_content.Down; }
    int ListTagFor(TWordDir direction) const { return InAcrossList(direction, TwoLists()) ? 0 : 1; }
    // The list that has the focus, -1 when neither.
    int ActiveTag() const { return m_activeTag; }
    void SetRowText(int tag, int row, int col, const std::string& text);
    // Settings the legend switches (in memory only).

    // Input.
    // Where a press landed: beside the rows (or on a row without a word), on
    // a row, or on its done box.
    enum class TPress { Elsewhere, OnRow, OnBox };
    TPress LegendeMouseDown(int tag, QMouseEvent* event);
    void LegendeMouseMove(int tag, QMouseEvent* event);
    void LegendeMouseUp(int tag, QMouseEvent* event);
    void LegendeKeyUp(int tag);
    bool LegendeSelectCell(int tag, int col, int row);
    void LegendeHover(int tag, const QPoint& pos);
    QString HoverText(int tag, int col, int row) const;
    void StartWordDrag(int tag);

    // Commands.
    void MItemLegendeBearbeitetClick();
    void MItemLegendeUmschreibungClick();
    void MItemLegendeNachschlagenClick();
    void MItemLegendeAusblendenClick();
    void MItemLegendeMarkierenClick();
    void MItemLegendeEineLegendeClick();
    void SBAusblendenClick();
    void SBMarkierenClick();
    void SBLegendenClick();
    // The word of the active list's selected row; -1 when none.
    int SelectedWord() const;

    // Session.
    void SessionWordDoneChanged(int wordIndex, TWordDir direction, bool done);
    void SessionRecordReplaced();
    // Selects the row of the grid cursor's word in list tag, where it is listed.
    void FollowGridWord(int tag);
    void SessionViewChanged();

    TFrameLink& m_frame;
    TPlayerSession& m_session;
    TLegendContent m_content;
    std::array<TDrawGrid*, 2> m_lists{};
    std::array<QScrollArea*, 2> m_scrolls{};
    std::array<QLabel*, 2> m_labels{};
    std::array<TSpeedButton*, 7> m_buttons{};
    std::array<QAction*, 8> m_menuItems{};
    QWidget* m_panelTop = nullptr;
    QWidget* m_panelBottom = nullptr;
    QSplitter* m_splitter = nullptr;
    QMenu* m_menuLegende = nullptr;
    QFont m_listFont;
    int m_lastRow = 0;
    int m_lastHoverCol = -1;
    int m_lastHoverRow = -1;
    int m_lastHoverTag = -1;
    bool m_syncEnabled = true;
    int m_activeTag = -1;
    // A word typed in the dialog keeps its row until the next rebuild.
    bool m_keepTickedRows = false;
    // Left button pressed on a row of a brain-teaser list: a drag may start.
    int m_dragTag = -1;
    QPoint m_dragStart;
    TDragCursor m_dragCursor = TDragCursor::LeftToRight;
    // The word drag while it runs.
    QPointer<QDrag> m_drag;
};

} // namespace zx
