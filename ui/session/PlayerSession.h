// The play session: the one object through which every change of the puzzle
// flows. It holds what the windows share and announces each change by a
// typed signal; windows turn input into its operations and repaint from its
// signals, and never keep a copy of the record.
#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <array>
#include <cstdint>
#include <string_view>

#include "document/PuzzleData.h"
#include "document/Settings.h"
#include "rules/WordQueries.h"
#include "session/PlayerState.h"

namespace zx {

// Kinds of child windows of the frame, at most one of each.
enum class TFormKind : int {
    Puzzle = 1,    // grid window
    Solution = 2,  // solution-word strip
    Legend = 3,    // clue lists
    NumLegend = 4, // code table of number puzzles
    Stopwatch = 5,
};

// Possible Sudoku symbols: [col 1..12][row 1..12][symbol 1..12], 1 = possible.
using TCandidates =
    std::array<std::array<std::array<std::uint8_t, MaxSudokuSymbols + 1>, MaxSudokuSymbols + 1>,
               MaxSudokuSymbols + 1>;

// One stored state of all entries with the time it was taken (0 = empty slot).
struct TSnapshot {
    PuzzleEntry Entries[GridDim][GridDim];
    double Stamp = 0; // milliseconds since the epoch
};

// What a typed key did to a cell.
enum class TKeyEntry {
    Ignored,    // the cell takes no entries (or the kind takes no keys)
    NotAnEntry, // the key is no letter or symbol of the puzzle: the window may use it
    Entered,    // the key was an entry (a given Sudoku symbol stays as it is)
};

// Cell rectangles of the signals are in grid positions (columns x, rows y).
class TPlayerSession : public QObject {
    Q_OBJECT
public:
    explicit TPlayerSession(QObject* parent = nullptr);
    ~TPlayerSession() override;

    static constexpr int SnapshotSlots = 4;
    static constexpr int MinCellSize = 20;
    static constexpr int MaxCellSize = 60;
    // Every cell of the grid, for CellsChanged.
    static QRect WholeGrid() { return QRect(0, 0, GridDim, GridDim); }

    // ----------------------------------------------------------- reading
    const TPuzzleData& Puzzle() const { return m_s.Puzzle; }
    TPuzzleKind Kind() const { return KindOf(m_s.Puzzle); }
    const TErrorGrid& ErrorGrid() const { return m_s.ErrorGrid; }
    const TProgramSettings& Settings() const { return m_s.Settings; }
    std::uint8_t ViewMode() const { return m_s.ViewMode; }
    bool UndoAvailable() const { return m_s.UndoAvailable; }
    const TPuzzleData& UndoCopy() const { return m_s.UndoCopy; }
    bool DragVertical() const { return m_s.DragVertical; }
    bool DragReversed() const { return m_s.DragReversed; }
    bool CtrlHeld() const { return m_s.CtrlHeld; }
    const TCandidates& Candidates() const { return m_candidates; }
    // 0 none, 1..12 a symbol, 13 cells with at most two possible symbols.
    int MarkSymbol() const { return m_markSymbol; }
    // Slot 1..4; other numbers give the nearest slot.
    const TSnapshot& Snapshot(int slot) const;
    bool FormOpen(TFormKind kind) const;
    // True when no grid window is open, or the puzzle's help options allow any bit of mask.
    bool PuzzleAllows(int mask) const;
    // While the solution is shown nothing changes an entry, the player would
    // not see it; moving and looking still work.
    bool EntriesFrozen() const { return m_s.ViewMode != 0; }
    // The grid window's cursor and input direction, as it last reported them.
    QPoint Cursor() const { return m_cursor; }
    TInputDir InputDirection() const { return m_inputDir; }

    // The record, settings and flags for direct writing: only for loading a
    // puzzle before play starts, and for tests that set up a situation.
    TPlayerState& Edit() { return m_s; }

    // ----------------------------------------------------------- life cycle
    // The grid window opened on the loaded record: snapshots cleared, possible
    // symbols computed, the timed Sudoku's clock started, the verdicts rebuilt
    // from the stored entries, error marking off when the puzzle forbids it.
    void StartPlay();
    // The grid window closed: the solution view ends; snapshots, the marking
    // filter and the possible symbols go with the window.
    void EndPlay();
    // The frame reports which child windows are open.
    void SetFormOpen(TFormKind kind, bool open);
    // The grid window reports its cursor and input direction.
    void SetCursor(QPoint cell, TInputDir direction);

    // ----------------------------------------------------------- changes
    // Copies the record into the undo copy; undo becomes available.
    void SaveUndoCopy();
    // Copies the undo copy back (once per saved copy).
    void Undo();
    // A key typed into (col, row): undo copy, entry, and the ticks of the
    // words through the cell that are now filled when automatic marking is on
    // and a legend is open. The completion check is left to the caller, which
    // moves its cursor first.
    TKeyEntry TypeKey(int col, int row, char key, TInputDir direction);
    // Whether Delete and Backspace may clear (col, row).
    bool Clearable(int col, int row) const;
    // Clears (col, row) like Delete: undo copy, entry " ", the word's tick
    // taken back. False, with nothing changed, when the cell cannot be cleared.
    bool ClearEntry(int col, int row, TInputDir direction);
    // Decides whether the puzzle is solved or full but wrong and announces the message.
    void CheckCompletion();
    // Ticks or unticks a word (its Done flag) and tells the legend.
    void SetWordDone(int wordIndex, TWordDir direction, bool done);
    // Writes a whole word from the cursor's word start (the word dialog's OK).
    void EnterWord(int col, int row, TInputDir direction, std::string_view text);
    // Drops word record wordIndex, dragged from the legend, onto (col, row) in
    // a direction; letters beyond a block are lost. reversed: written backwards.
    void DropWord(int col, int row, TWordDir direction, std::string_view word, bool reversed,
                  int wordIndex);
    // Toggles between the solution and an empty cell at (col, row); on a real
    // block of an American crossword the cell becomes a blank field instead.
    void RevealLetter(int col, int row);
    // American crosswords: the player's blank mark of (col, row); the
    // completion check follows every switch.
    void SetBlank(int col, int row, bool on);
    // Crossword jigsaw: marks (or with Ctrl held unmarks) the painted range of
    // cells and ticks the word it starts.
    void PaintRange(const QRect& cells);
    // Number puzzles: the player's letter for code k (0..25), ' ' to clear it;
    // every cell of that code follows.
    void SetCodeGuess(int code, char letter);
    // The player's letter at slot 1..20 of the solution word, ' ' to clear it.
    void SetSolutionLetter(int slot, char letter);
    // The timed Sudoku's clock: the seconds counted so far, 0 .. 65535 (the
    // count stops at the largest value the record holds rather than wrapping).
    void SetElapsedTime(long long seconds);
    // Clears every entry and mark the player made (the undo copy is taken
    // first); a jigsaw keeps the letters of its filler cells.
    void Reset();
    // Stores the entries in the lowest empty slot, else the oldest one.
    void TakeSnapshot();
    // Brings back the entries of slot 1..4.
    void RestoreSnapshot(int slot);
    // 0 normal play, 1 the solution is shown.
    void SetViewMode(std::uint8_t mode);
    void SetShowErrors(bool on);     // FehlerZeigen
    void SetShowLengths(bool on);    // LaengenZeigen
    void SetShowCandidates(bool on); // MoeglicheZahlenZeigen
    void SetShowHints(bool on);      // HinweiseZeigen
    // The legend's switches: done words hidden, words ticked when filled,
    // one list for all words.
    void SetHideDoneWords(bool on); // BegriffeAusblenden
    void SetAutoMark(bool on);      // AutomatischMarkieren
    void SetSingleList(bool on);    // EinfacheLegende
    // How a word dragged from the legend will be placed.
    void SetDragFlags(bool vertical, bool reversed);
    // The print options the user chose; they hold for the rest of the run.
    void SetPrintSettings(const TPrintSettings& print) { m_s.Settings.PrintSettings = print; }
    // Sudoku: lights the empty cells where mark is possible (0 clears).
    void SetMarkSymbol(int mark);
    void RecomputeCandidates();
    // Changes the cell size by step within 20 .. 60 pixels; the letter font follows.
    void Zoom(int step);
    // The frame's key watch: Shift and Ctrl pressed or released.
    void TrackModifierKey(int key, bool pressed);
    // Every modifier let go (the program lost the focus).
    void ReleaseModifiers();

Q_SIGNALS:
    // Entries or flags of these cells changed.
    void CellsChanged(const QRect& cells);
    // The record was replaced as a whole (undo, reset, snapshot).
    void RecordReplaced();
    void WordDoneChanged(int wordIndex, TWordDir direction, bool done);
    void CodeGuessChanged(int code);
    void SolutionLetterChanged(int slot);
    // The clock's running state or best time changed (solved, undone, reset).
    void ClockChanged();
    // The view mode or a view switch changed: everything is drawn anew.
    void ViewChanged();
    void CellSizeChanged(int cellSize);
    void ModifiersChanged();
    void CursorChanged(QPoint cell, TInputDir direction);
    // The state of the commands may differ: undo, open windows, view mode.
    void CommandsChanged();
    void UndoCopyTaken();
    // A result message to show: success or the failure form.
    void ResultMessage(const QString& text, bool success);
    // A side window the puzzle asks for that is not open.
    void SideWindowWanted(TFormKind kind);

private:
    void SetEntryAt(int col, int row, std::string_view text);
    // Ticks the word through (col, row) in a direction when all its cells are filled.
    void TickFilledWord(int col, int row, TWordDir direction);
    // Both directions.
    void TickFilledWords(int col, int row);
    void UntickWord(int col, int row, TInputDir direction);
    bool AutoMarking() const;
    void RunMarkFilter();
    void ClearSnapshots();
    void SudokuEntriesChanged();
    void SetSetting(bool& setting, bool on);

    TPlayerState m_s;
    TCandidates m_candidates{};
    int m_markSymbol = 0;
    std::array<TSnapshot, SnapshotSlots> m_snapshots{};
    std::uint32_t m_openForms = 0;
    QPoint m_cursor{0, 0};
    TInputDir m_inputDir = TInputDir::None;
};

} // namespace zx
