// The play session: shared state and every change of the puzzle.
#include "session/PlayerSession.h"

#include <QDateTime>
#include <QtGlobal>
#include <algorithm>
#include <cstdlib>
#include <span>
#include <tuple>

#include "rules/Completion.h"
#include "rules/EntryCheck.h"
#include "rules/SudokuRule.h"
#include "session/TextConv.h"

namespace zx {

namespace {

bool IsLetterKey(char key) {
    return (key >= 'A' && key <= 'Z') || (key >= 'a' && key <= 'z');
}

// Sudoku symbols: 1..9 and A..C in either case, up to the grid's symbol count.
bool IsSymbolKey(char key, int symbols) {
    const bool hex =
        (key >= '1' && key <= '9') || (key >= 'A' && key <= 'C') || (key >= 'a' && key <= 'c');
    if (!hex) return false;
    const int v = SymbolValue(std::string_view(&key, 1));
    return v >= 1 && v <= symbols;
}

// The word through (col, row), letters from the entries, never reversed.
TGridWordData EnteredWord(const TPuzzleData& p, int col, int row, TWordDir direction) {
    return GetWordData(p, col, row, false, true, direction);
}

// The letter font size that suits a cell size.
int FontSizeForCell(int f) {
    if (f < 24) return f - 10;
    if (f < 28) return f - 12;
    if (f < 31) return f - 14;
    return f - 16;
}

constexpr TWordDir CrossingDir(TWordDir d) {
    return d == TWordDir::Across ? TWordDir::Down : TWordDir::Across;
}

QRect CellRect(int col, int row) {
    return QRect(col, row, 1, 1);
}

} // namespace

TPlayerSession::TPlayerSession(QObject* parent) : QObject(parent) {
    ClearPuzzle(m_s.Puzzle);
    ClearSnapshots();
}

TPlayerSession::~TPlayerSession() = default;

const TSnapshot& TPlayerSession::Snapshot(int slot) const {
    return m_snapshots[static_cast<std::size_t>(std::clamp(slot, 1, SnapshotSlots) - 1)];
}

bool TPlayerSession::FormOpen(TFormKind kind) const {
    return (m_openForms & (1u << static_cast<int>(kind))) != 0;
}

bool TPlayerSession::PuzzleAllows(int mask) const {
    if (!FormOpen(TFormKind::Puzzle)) return true;
    return (m_s.Puzzle.HelpOptions & mask) != 0;
}

bool TPlayerSession::AutoMarking() const {
    return m_s.Settings.AutomatischMarkieren && FormOpen(TFormKind::Legend);
}

// ---------------------------------------------------------------- life cycle

void TPlayerSession::StartPlay() {
    TPuzzleData& p = m_s.Puzzle;
    ClearSnapshots();
    m_markSymbol = 0;
    if (IsSudoku(Kind())) {
        RecomputeCandidates();
        if (Kind() == TPuzzleKind::TimedSudoku) {
            p.ElapsedTime = 0;
            p.ClockRunning = 1;
        }
    }
    RebuildErrorGrid(p, m_s.ErrorGrid);
    if (!(p.HelpOptions & hoMarkErrors)) m_s.Settings.FehlerZeigen = false;
}

void TPlayerSession::EndPlay() {
    ClearSnapshots();
    m_markSymbol = 0;
    m_candidates = {};
    if (m_s.ViewMode != 0) {
        m_s.ViewMode = 0;
        Q_EMIT ViewChanged();
    }
    Q_EMIT CommandsChanged();
}

void TPlayerSession::SetFormOpen(TFormKind kind, bool open) {
    const std::uint32_t bit = 1u << static_cast<int>(kind);
    const std::uint32_t forms = open ? (m_openForms | bit) : (m_openForms & ~bit);
    if (forms == m_openForms) return;
    m_openForms = forms;
    Q_EMIT CommandsChanged();
}

void TPlayerSession::SetCursor(QPoint cell, TInputDir direction) {
    if (cell == m_cursor && direction == m_inputDir) return;
    m_cursor = cell;
    m_inputDir = direction;
    Q_EMIT CursorChanged(cell, direction);
}

void TPlayerSession::ClearSnapshots() {
    for (TSnapshot& snap : m_snapshots) {
        for (auto& column : snap.Entries)
            for (PuzzleEntry& e : column)
                e.assign(" ");
        snap.Stamp = 0;
    }
}

// ---------------------------------------------------------------- undo

void TPlayerSession::SaveUndoCopy() {
    m_s.UndoCopy = m_s.Puzzle;
    const bool was = m_s.UndoAvailable;
    m_s.UndoAvailable = true;
    Q_EMIT UndoCopyTaken();
    if (!was) Q_EMIT CommandsChanged();
}

void TPlayerSession::Undo() {
    // At start the copy is still empty: restoring it would wipe the puzzle.
    if (!m_s.UndoAvailable) return;
    m_s.Puzzle = m_s.UndoCopy;
    // The verdicts must describe the restored entries, or the completion check
    // would judge the puzzle by entries that are gone.
    RebuildErrorGrid(m_s.Puzzle, m_s.ErrorGrid);
    if (IsSudoku(Kind())) RecomputeCandidates();
    m_s.UndoAvailable = false;
    Q_EMIT RecordReplaced();
    Q_EMIT ClockChanged();
    Q_EMIT CommandsChanged();
    if (HasSolutionWord(Kind()) && m_s.Settings.LoesungswortZeigen &&
        !FormOpen(TFormKind::Solution))
        Q_EMIT SideWindowWanted(TFormKind::Solution);
}

// ---------------------------------------------------------------- entries

void TPlayerSession::SetEntryAt(int col, int row, std::string_view text) {
    SetEntry(m_s.Puzzle, m_s.ErrorGrid, col, row, text);
}

void TPlayerSession::SudokuEntriesChanged() {
    // Every cell's possible symbols may follow one entry.
    RecomputeCandidates();
    Q_EMIT CellsChanged(WholeGrid());
}

TKeyEntry TPlayerSession::TypeKey(int col, int row, char key, TInputDir) {
    const TPuzzleData& p = m_s.Puzzle;
    const TPuzzleKind kind = Kind();
    if (IsJigsaw(kind) || !InsideGrid(p, col, row)) return TKeyEntry::Ignored;
    const std::uint32_t flags = FlagsAt(p, col, row);
    if (flags & StopFlag(kind)) return TKeyEntry::Ignored;

    if (!IsSudoku(kind)) {
        if (key != ' ' && !IsLetterKey(key)) return TKeyEntry::NotAnEntry;
        if (EntriesFrozen()) return TKeyEntry::Ignored;
        SaveUndoCopy();
        SetEntryAt(col, row, std::string_view(&key, 1));
        Q_EMIT CellsChanged(CellRect(col, row));
        // Both words through the cell: the last letter of an across word may
        // be where a down word starts, and the cursor turns down there.
        if (AutoMarking()) TickFilledWords(col, row);
        return TKeyEntry::Entered;
    }
    if (key != ' ' && !IsSymbolKey(key, SymbolCount(p))) return TKeyEntry::NotAnEntry;
    if (EntriesFrozen()) return TKeyEntry::Ignored;
    // A given symbol takes the key without changing.
    if (!(flags & cfSolution)) {
        SaveUndoCopy();
        SetEntryAt(col, row, std::string_view(&key, 1));
        SudokuEntriesChanged();
    }
    return TKeyEntry::Entered;
}

bool TPlayerSession::Clearable(int col, int row) const {
    const TPuzzleData& p = m_s.Puzzle;
    const TPuzzleKind kind = Kind();
    if (IsJigsaw(kind) || !InsideGrid(p, col, row) || EntriesFrozen()) return false;
    const std::uint32_t flags = FlagsAt(p, col, row);
    // A hidden block of an American crossword takes typed letters, so they
    // can be cleared as well without giving the block away.
    if (flags & (StopFlag(kind) | cfBlank)) return false;
    // A given Sudoku symbol is part of the puzzle: reset would not bring it back.
    return !(IsSudoku(kind) && (flags & cfSolution));
}

bool TPlayerSession::ClearEntry(int col, int row, TInputDir direction) {
    if (!Clearable(col, row)) return false;
    SaveUndoCopy();
    SetEntryAt(col, row, " ");
    if (IsSudoku(Kind()))
        SudokuEntriesChanged();
    else
        Q_EMIT CellsChanged(CellRect(col, row));
    UntickWord(col, row, direction);
    return true;
}

void TPlayerSession::UntickWord(int col, int row, TInputDir direction) {
    if (!AutoMarking()) return;
    const TGridWordData w = EnteredWord(m_s.Puzzle, col, row, WordDirOf(direction));
    if (w.Index != -1) SetWordDone(w.Index, w.Direction, false);
}

void TPlayerSession::TickFilledWord(int col, int row, TWordDir direction) {
    // A cell without a word of that direction is no word of its own.
    if (!(WordDirections(m_s.Puzzle, col, row) & (direction == TWordDir::Across ? wbAcross : wbDown)))
        return;
    const TGridWordData w = EnteredWord(m_s.Puzzle, col, row, direction);
    if (w.Text.find(' ') == std::string::npos && w.Index != -1 && !m_s.Puzzle.Words[w.Index].Done)
        SetWordDone(w.Index, w.Direction, true);
}

void TPlayerSession::TickFilledWords(int col, int row) {
    TickFilledWord(col, row, TWordDir::Across);
    TickFilledWord(col, row, TWordDir::Down);
}

void TPlayerSession::SetElapsedTime(long long seconds) {
    m_s.Puzzle.ElapsedTime = static_cast<std::uint16_t>(std::clamp<long long>(seconds, 0, 65535));
}

void TPlayerSession::CheckCompletion() {
    const TPuzzleData& p = m_s.Puzzle;
    const auto clock = std::tuple(p.ClockRunning, p.BestTime, p.Solved);
    const TCompletionResult result = zx::CheckCompletion(m_s.Puzzle, m_s.ErrorGrid, m_s.Settings);
    if (clock != std::tuple(p.ClockRunning, p.BestTime, p.Solved)) Q_EMIT ClockChanged();
    if (result.shown())
        Q_EMIT ResultMessage(ToQString(result.text()), result.form() == TResultForm::Success);
}

void TPlayerSession::SetWordDone(int wordIndex, TWordDir direction, bool done) {
    if (wordIndex < 0 || wordIndex >= MaxWords) return;
    m_s.Puzzle.Words[wordIndex].Done = done ? 1 : 0;
    Q_EMIT WordDoneChanged(wordIndex, direction, done);
}

void TPlayerSession::EnterWord(int col, int row, TInputDir direction, std::string_view text) {
    TPuzzleData& p = m_s.Puzzle;
    // Whole words belong in crosswords: letters would be foreign to a Sudoku,
    // and a jigsaw's letters are the puzzle's own.
    if (EntriesFrozen() || IsSudoku(Kind()) || IsJigsaw(Kind())) return;
    SaveUndoCopy();
    const std::string word = NormalizeWord(text);
    const TWordDir dir = WordDirOf(direction);
    const TGridWordData w = GetWordData(p, col, row, false, false, dir);
    int c = -1;
    int r = -1;
    bool wrong = false;
    if (FindCellByNumber(p, w.Number, c, r)) {
        for (std::size_t i = 0; i < word.size(); ++i) {
            const int tc = dir == TWordDir::Across ? c + static_cast<int>(i) : c;
            const int tr = dir == TWordDir::Across ? r : r + static_cast<int>(i);
            if (FlagsAt(p, tc, tr) & cfBlock) break;
            SetEntryAt(tc, tr, std::string_view(&word[i], 1));
            if (p.cell(tc, tr).Text.view() != std::string_view(&word[i], 1)) wrong = true;
            Q_EMIT CellsChanged(CellRect(tc, tr));
            if (AutoMarking()) TickFilledWord(tc, tr, CrossingDir(dir));
        }
    }
    if (AutoMarking() && w.Index != -1 && !(wrong && m_s.Settings.FehlerZeigen))
        SetWordDone(w.Index, dir, true);
    CheckCompletion();
}

void TPlayerSession::DropWord(int col, int row, TWordDir direction, std::string_view word,
                              bool reversed, int wordIndex) {
    TPuzzleData& p = m_s.Puzzle;
    if (EntriesFrozen() || IsSudoku(Kind()) || IsJigsaw(Kind())) return;
    SaveUndoCopy();
    const int n = static_cast<int>(word.size());
    for (int i = 0; i < n; ++i) {
        const int tc = direction == TWordDir::Across ? col + i : col;
        const int tr = direction == TWordDir::Across ? row : row + i;
        if (FlagsAt(p, tc, tr) & cfBlock) break;
        const char letter = word[static_cast<std::size_t>(reversed ? n - 1 - i : i)];
        SetEntryAt(tc, tr, std::string_view(&letter, 1));
        Q_EMIT CellsChanged(CellRect(tc, tr));
        if (AutoMarking()) TickFilledWord(tc, tr, CrossingDir(direction));
    }
    if (m_s.Settings.AutomatischMarkieren) {
        int number = 0;
        const bool filled = WordIsFilled(p, col, row, number, direction, m_s.Settings);
        if (filled || !m_s.Settings.FehlerZeigen) SetWordDone(wordIndex, direction, true);
    }
    CheckCompletion();
}

void TPlayerSession::RevealLetter(int col, int row) {
    TPuzzleData& p = m_s.Puzzle;
    const TPuzzleKind kind = Kind();
    if (!PuzzleAllows(hoInsertLetter) || !InsideGrid(p, col, row) || EntriesFrozen()) return;
    const std::uint32_t flags = FlagsAt(p, col, row);
    // A given Sudoku symbol equals its solution: toggling would erase it for good.
    if (IsSudoku(kind) && (flags & cfSolution)) return;
    SaveUndoCopy();
    if (IsAmerican(kind) && (flags & cfBlock)) {
        SetBlank(col, row, true);
        return;
    }
    const TPuzzleCell& cell = p.cell(col, row);
    if (p.entry(col, row).view() != cell.Text.view())
        SetEntryAt(col, row, cell.Text.view());
    else
        SetEntryAt(col, row, " ");
    if (IsSudoku(kind)) {
        SudokuEntriesChanged();
        return;
    }
    Q_EMIT CellsChanged(CellRect(col, row));
    if (AutoMarking()) TickFilledWords(col, row);
}

void TPlayerSession::SetBlank(int col, int row, bool on) {
    TPuzzleData& p = m_s.Puzzle;
    if (!IsAmerican(Kind()) || !InsideGrid(p, col, row) || EntriesFrozen()) return;
    std::uint32_t& flags = p.cell(col, row).Flags;
    const std::uint32_t now =
        on ? (flags | cfBlank) : (flags & ~static_cast<std::uint32_t>(cfBlank));
    if (now == flags) return;
    flags = now;
    Q_EMIT CellsChanged(CellRect(col, row));
    Q_EMIT CommandsChanged();
    // A blank field may be the last step of an American crossword.
    CheckCompletion();
}

void TPlayerSession::PaintRange(const QRect& cells) {
    TPuzzleData& p = m_s.Puzzle;
    if (!IsJigsaw(Kind()) || EntriesFrozen()) return;
    const int left = cells.left();
    const int top = cells.top();
    const int w = cells.right() - left;
    const int h = cells.bottom() - top;
    int endCol = cells.right();
    int endRow = cells.bottom();
    // A range is cut to its longer side: a horizontal one keeps its first row,
    // a vertical one its first column; a square one is marked whole.
    if (h >= 1 && h < w) endRow = top;
    if (w >= 1 && w < h) endCol = left;
    const bool across = left < endCol;
    const int length = across ? w + 1 : h + 1;
    if (length >= 2) {
        const bool unmark = m_s.CtrlHeld;
        const auto marked = [&](std::uint32_t flags) {
            return unmark ? flags & ~static_cast<std::uint32_t>(cfMarked) : flags | cfMarked;
        };
        // A range that changes no cell takes no undo copy.
        bool changes = false;
        for (int c = left; c <= endCol; ++c)
            for (int r = top; r <= endRow; ++r)
                if (InsideGrid(p, c, r) && marked(p.cell(c, r).Flags) != p.cell(c, r).Flags)
                    changes = true;
        const TWordDir dir = across ? TWordDir::Across : TWordDir::Down;
        // The word of the range: the one of that start, direction and length.
        // Two hidden words may start in one cell (ABEND, ABENDROT).
        int index = -1;
        if (InsideGrid(p, left, top)) {
            const int number = PlainNumber(p.cell(left, top).Number);
            for (int i = p.wordCount() - 1; i >= 0 && index < 0; --i) {
                const TPuzzleWord& w = p.Words[i];
                if (number != 0 && PlainNumber(w.Number) == number && DirOf(w) == dir &&
                    (w.Direction == wdAcross || w.Direction == wdDown) &&
                    static_cast<int>(w.Answer.size()) == length)
                    index = i;
            }
        }
        // Ticked when the range paints it, unticked when Ctrl takes it back.
        const bool tickChanges = AutoMarking() && index != -1 && (p.Words[index].Done != 0) == unmark;
        if (changes || tickChanges) SaveUndoCopy();
        for (int c = left; c <= endCol; ++c)
            for (int r = top; r <= endRow; ++r)
                if (InsideGrid(p, c, r)) p.cell(c, r).Flags = marked(p.cell(c, r).Flags);
        Q_EMIT CellsChanged(QRect(QPoint(left, top), QPoint(endCol, endRow)));
        if (tickChanges) SetWordDone(index, dir, !unmark);
    }
    CheckCompletion();
}

void TPlayerSession::SetCodeGuess(int code, char letter) {
    TPuzzleData& p = m_s.Puzzle;
    if (code < 0 || code >= CodeTableSize) return;
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    const bool clear = letter == ' ';
    if (!clear && !(letter >= 'A' && letter <= 'Z')) return;
    if (EntriesFrozen()) return;
    TPuzzleWord& entry = p.Words[code];
    const std::string_view text = clear ? std::string_view(" ") : std::string_view(&letter, 1);
    auto ofCode = [&](int c, int r) {
        return !(p.cell(c, r).Flags & cfBlock) && CodeOfLetter(p, p.cell(c, r).Text.view()) == code;
    };
    // A guess that changes neither the table nor a cell takes no undo copy.
    const std::string_view guess = entry.Guess.view();
    bool changes = clear ? !(guess.empty() || guess == " ") : guess != text;
    for (int c = 1; c <= UsedCols(p) && !changes; ++c)
        for (int r = 1; r <= UsedRows(p) && !changes; ++r)
            if (ofCode(c, r) && p.entry(c, r).view() != text) changes = true;
    if (!changes) return;
    SaveUndoCopy();
    if (clear)
        entry.Guess.clear();
    else
        entry.Guess.assign(text);
    for (int c = 1; c <= UsedCols(p); ++c)
        for (int r = 1; r <= UsedRows(p); ++r)
            if (ofCode(c, r)) SetEntryAt(c, r, text);
    Q_EMIT CodeGuessChanged(code);
    Q_EMIT CellsChanged(WholeGrid());
    if (!clear) CheckCompletion();
}

void TPlayerSession::SetSolutionLetter(int slot, char letter) {
    TPuzzleData& p = m_s.Puzzle;
    if (slot < 1 || slot > static_cast<int>(decltype(p.SolutionEntry)::Capacity)) return;
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    const bool isLetter = letter >= 'A' && letter <= 'Z';
    if (EntriesFrozen()) return;
    // The slots are read and written directly, whatever the stored length.
    char& stored = p.SolutionEntry.Chars[slot - 1];
    const char wanted = isLetter ? letter : ' ';
    if (stored == wanted || (wanted == ' ' && stored == '\0')) return;
    SaveUndoCopy();
    // SaveUndoCopy leaves the record in place: the reference still names the slot.
    stored = wanted;
    Q_EMIT SolutionLetterChanged(slot);
    if (isLetter) CheckCompletion();
}

void TPlayerSession::Reset() {
    TPuzzleData& p = m_s.Puzzle;
    const TPuzzleKind kind = Kind();
    SaveUndoCopy();
    for (int c = 0; c < GridDim; ++c)
        for (int r = 0; r < GridDim; ++r) {
            TPuzzleCell& cell = p.cell(c, r);
            if (IsSudoku(kind)) {
                if (!(cell.Flags & cfSolution)) SetEntryAt(c, r, " ");
            } else if (IsJigsaw(kind)) {
                // The letters of a jigsaw's filler cells are part of the
                // puzzle and stay; the painted words are the player's.
                cell.Number = std::abs(cell.Number);
                cell.Flags &= ~static_cast<std::uint32_t>(cfMarked);
            } else {
                SetEntryAt(c, r, " ");
            }
            cell.Flags &= ~static_cast<std::uint32_t>(cfBlank);
        }
    if (IsSudoku(kind)) {
        RecomputeCandidates();
        p.ElapsedTime = 0;
        if (kind == TPuzzleKind::TimedSudoku) p.ClockRunning = 1;
    }
    for (int i = 0; i < MaxWords; ++i) {
        TPuzzleWord& w = p.Words[i];
        if (i < CodeTableSize) {
            w.Guess.clear();
            if (IsNumberPuzzle(kind)) w.Clue.clear();
        }
        if (i < p.wordCount()) w.Done = 0;
    }
    // Every slot of the solution word is cleared, also those beyond 13 letters.
    p.SolutionEntry.assign(std::string(decltype(p.SolutionEntry)::Capacity, ' '));
    p.Solved = 0;
    m_s.ViewMode = 0;
    Q_EMIT RecordReplaced();
    Q_EMIT ClockChanged();
    Q_EMIT ViewChanged();
    Q_EMIT CommandsChanged();
    if (HasSolutionWord(kind) && m_s.Settings.LoesungswortZeigen && !FormOpen(TFormKind::Solution))
        Q_EMIT SideWindowWanted(TFormKind::Solution);
}

// ---------------------------------------------------------------- snapshots

void TPlayerSession::TakeSnapshot() {
    std::size_t slot = 0;
    const auto empty = std::find_if(m_snapshots.begin(), m_snapshots.end(),
                                    [](const TSnapshot& s) { return s.Stamp <= 0; });
    if (empty != m_snapshots.end()) {
        slot = static_cast<std::size_t>(empty - m_snapshots.begin());
    } else {
        // The oldest; on equal stamps the lower number.
        for (std::size_t i = 1; i < m_snapshots.size(); ++i)
            if (m_snapshots[i].Stamp < m_snapshots[slot].Stamp) slot = i;
    }
    TSnapshot& snap = m_snapshots[slot];
    std::copy(&m_s.Puzzle.Entries[0][0], &m_s.Puzzle.Entries[0][0] + GridDim * GridDim,
              &snap.Entries[0][0]);
    snap.Stamp = static_cast<double>(QDateTime::currentMSecsSinceEpoch());
    Q_EMIT CommandsChanged();
}

void TPlayerSession::RestoreSnapshot(int slot) {
    if (slot < 1 || slot > SnapshotSlots) return;
    const TSnapshot& snap = m_snapshots[static_cast<std::size_t>(slot - 1)];
    if (snap.Stamp <= 0 || EntriesFrozen()) return;
    SaveUndoCopy();
    std::copy(&snap.Entries[0][0], &snap.Entries[0][0] + GridDim * GridDim,
              &m_s.Puzzle.Entries[0][0]);
    // Verdicts and possible symbols describe the entries now on the grid; stale
    // ones would judge and show entries that are gone.
    RebuildErrorGrid(m_s.Puzzle, m_s.ErrorGrid);
    if (IsSudoku(Kind())) RecomputeCandidates();
    Q_EMIT RecordReplaced();
}

// ---------------------------------------------------------------- view

void TPlayerSession::SetViewMode(std::uint8_t mode) {
    if (mode == m_s.ViewMode) return;
    m_s.ViewMode = mode;
    Q_EMIT ViewChanged();
    Q_EMIT CommandsChanged();
}

void TPlayerSession::SetSetting(bool& setting, bool on) {
    if (setting == on) return;
    setting = on;
    Q_EMIT ViewChanged();
    Q_EMIT CommandsChanged();
}

void TPlayerSession::SetShowErrors(bool on) {
    SetSetting(m_s.Settings.FehlerZeigen, on && PuzzleAllows(hoMarkErrors));
}
void TPlayerSession::SetShowLengths(bool on) {
    SetSetting(m_s.Settings.LaengenZeigen, on);
}
void TPlayerSession::SetShowCandidates(bool on) {
    SetSetting(m_s.Settings.MoeglicheZahlenZeigen, on);
}
void TPlayerSession::SetShowHints(bool on) {
    SetSetting(m_s.Settings.HinweiseZeigen, on);
}

void TPlayerSession::SetHideDoneWords(bool on) {
    SetSetting(m_s.Settings.BegriffeAusblenden, on);
}
void TPlayerSession::SetAutoMark(bool on) {
    SetSetting(m_s.Settings.AutomatischMarkieren, on);
}
void TPlayerSession::SetSingleList(bool on) {
    SetSetting(m_s.Settings.EinfacheLegende, on);
}

void TPlayerSession::SetDragFlags(bool vertical, bool reversed) {
    if (vertical == m_s.DragVertical && reversed == m_s.DragReversed) return;
    m_s.DragVertical = vertical;
    m_s.DragReversed = reversed;
    Q_EMIT ModifiersChanged();
}

void TPlayerSession::SetMarkSymbol(int mark) {
    m_markSymbol = std::clamp(mark, 0, 13);
    RunMarkFilter();
    Q_EMIT CommandsChanged();
}

void TPlayerSession::RecomputeCandidates() {
    const TPuzzleData& p = m_s.Puzzle;
    m_candidates = {};
    const int symbols = std::min(SymbolCount(p), MaxSudokuSymbols);
    const int rows = std::min(UsedRows(p), MaxSudokuSymbols);
    std::array<bool, MaxSudokuSymbols> allowed{};
    for (int c = 1; c <= symbols; ++c)
        for (int r = 1; r <= rows; ++r) {
            ListAllowedSymbols(p, c, r, std::span<bool>(allowed.data(), symbols));
            for (int sym = 1; sym <= symbols; ++sym)
                m_candidates[c][r][sym] = allowed[static_cast<std::size_t>(sym - 1)] ? 1 : 0;
        }
    if (m_markSymbol != 0) RunMarkFilter();
}

void TPlayerSession::RunMarkFilter() {
    TPuzzleData& p = m_s.Puzzle;
    if (!IsSudoku(Kind())) return;
    const int symbols = SymbolCount(p);
    for (int c = 1; c <= symbols; ++c)
        for (int r = 1; r <= symbols && r <= UsedRows(p); ++r) {
            bool lit = false;
            if (m_markSymbol != 0 && IsEmptyEntry(p.entry(c, r))) {
                if (m_markSymbol <= symbols)
                    lit = SymbolAllowed(p, m_markSymbol, c, r);
                else
                    lit = CountAllowedSymbols(p, c, r) <= 2;
            }
            if (lit)
                p.cell(c, r).Flags |= cfMarked;
            else
                p.cell(c, r).Flags &= ~static_cast<std::uint32_t>(cfMarked);
        }
    Q_EMIT CellsChanged(WholeGrid());
}

void TPlayerSession::Zoom(int step) {
    TProgramSettings& s = m_s.Settings;
    if (step == 0) return;
    if (step < 0 && s.Feldgroesse <= MinCellSize) return;
    if (step > 0 && s.Feldgroesse >= MaxCellSize) return;
    s.Feldgroesse += step;
    s.Schriftgroesse = FontSizeForCell(s.Feldgroesse);
    Q_EMIT CellSizeChanged(s.Feldgroesse);
}

// ---------------------------------------------------------------- modifiers

void TPlayerSession::TrackModifierKey(int key, bool pressed) {
    bool changed = false;
    if (key == Qt::Key_Shift && m_s.Settings.EinfacheLegende && m_s.DragVertical != pressed) {
        m_s.DragVertical = pressed;
        changed = true;
    } else if (key == Qt::Key_Control) {
        if (IsJigsaw(Kind())) m_s.CtrlHeld = pressed;
        if (m_s.Puzzle.ReverseAllowed != 0 && m_s.DragReversed != pressed) {
            m_s.DragReversed = pressed;
            changed = true;
        }
    }
    if (changed) Q_EMIT ModifiersChanged();
}

void TPlayerSession::ReleaseModifiers() {
    // Keys let go while another program had the focus never reach us.
    const bool changed = m_s.DragVertical || m_s.DragReversed;
    m_s.DragVertical = false;
    m_s.DragReversed = false;
    m_s.CtrlHeld = false;
    if (changed) Q_EMIT ModifiersChanged();
}

} // namespace zx
