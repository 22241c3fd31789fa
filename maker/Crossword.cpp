// The maker of the word kinds: checks the words and options, lays the grid
// out, marks the solution-word cells and writes the record.
#include "maker/Crossword.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "document/Text.h"
#include "maker/CrosswordRecord.h"
#include "maker/Jigsaw.h"

namespace zx {
namespace {

constexpr std::string_view MakerVersion = "1.0";
// A solution word of these three characters is not checked by the player.
constexpr std::string_view NoSolutionText = "@@@";

bool Fail(TMakeError& error, int line, std::string message) {
    error = {line, std::move(message)};
    return false;
}

std::string Utf8(std::string_view cp1252) {
    return Cp1252ToUtf8(cp1252);
}

bool CheckOptions(const std::vector<TWordLine>& words, const TMakeOptions& o, TMakeError& error) {
    const TPuzzleKind kind = o.Kind;
    if (!IsCrossword(kind) && !IsJigsaw(kind))
        return Fail(error, 0, "aus einer Wortliste entstehen nur die Typen 0 bis 12");
    if (o.MaxCols < 2 || o.MaxRows < 2 || o.MaxCols > MaxGridSize || o.MaxRows > MaxGridSize)
        return Fail(error, 0, "Breite und Höhe des Gitters liegen zwischen 2 und 50");
    if (HasSolutionWord(kind) && o.SolutionWord.empty())
        return Fail(error, 0, "dieser Typ braucht ein Lösungswort (--loesungswort)");
    if (!HasSolutionWord(kind) && !o.SolutionWord.empty())
        return Fail(error, 0, "ein Lösungswort gibt es nur bei Typen mit Lösungswort");
    if (o.SolutionWord.size() > TPuzzleData{}.SolutionWord.Capacity)
        return Fail(error, 0, "das Lösungswort ist länger als 20 Buchstaben");
    if (!o.SolutionCaption.empty() && !HasSolutionWord(kind))
        return Fail(error, 0, "einen Lösungstitel gibt es nur bei Typen mit Lösungswort");
    const struct {
        const std::string& Text;
        std::size_t Capacity;
        const char* Name;
    } texts[] = {{o.Title, TPuzzleData{}.Title.Capacity, "Der Titel"},
                 {o.Author, TPuzzleData{}.Author.Capacity, "Der Autor"},
                 {o.Comment, TPuzzleData{}.Comment.Capacity, "Der Kommentar"},
                 {o.SolutionCaption, TPuzzleData{}.SolutionCaption.Capacity, "Der Lösungstitel"}};
    for (const auto& t : texts)
        if (t.Text.size() > t.Capacity)
            return Fail(error, 0,
                        std::string(t.Name) + " ist länger als " + std::to_string(t.Capacity) +
                            " Zeichen");
    if (o.ReverseAllowed && !KindAllowsReversed(kind))
        return Fail(error, 0,
                    "rückwärts stehende Begriffe gibt es nur im Knobelgitter und im "
                    "Kreuzwortpuzzle");
    if (words.empty()) return Fail(error, 0, "die Wortliste enthält keinen Begriff");
    if (words.size() > static_cast<std::size_t>(MaxWords))
        return Fail(error, words[MaxWords].Line, "mehr als 201 Begriffe");
    for (const TWordLine& w : words) {
        if (KindNeedsClues(kind) && w.Clue.empty())
            return Fail(error, w.Line, "Umschreibung zu " + w.Answer + " fehlt");
        if (w.At)
            return Fail(error, w.Line,
                        "eine Position [@spalte,zeile] gibt es nur in einer Rätselquelle");
        if (w.ForceReversed && !o.ReverseAllowed)
            return Fail(error, w.Line,
                        "rückwärts geschriebene Begriffe brauchen die Option --rueckwaerts");
        const int room = !w.Dir ? std::max(o.MaxCols, o.MaxRows)
                                : (*w.Dir == TWordDir::Across ? o.MaxCols : o.MaxRows);
        if (static_cast<int>(w.Answer.size()) > room)
            return Fail(error, w.Line,
                        "Begriff " + w.Answer + " ist länger, als das Gitter Felder hat (" +
                            std::to_string(room) + ")");
    }
    // A word without a letter in common with any other can hang on nothing.
    if (IsCrossword(kind) && words.size() > 1)
        for (const TWordLine& w : words) {
            bool shares = false;
            for (const TWordLine& v : words)
                if (&v != &w && v.Answer.find_first_of(w.Answer) != std::string::npos)
                    shares = true;
            if (!shares)
                return Fail(error, w.Line,
                            "Begriff " + w.Answer +
                                " hat keinen Buchstaben mit einem anderen Begriff gemeinsam");
        }
    // The solution word's letters must be there at all.
    if (HasSolutionWord(kind) && o.SolutionWord != NoSolutionText) {
        std::map<char, int> have, need;
        for (const TWordLine& w : words)
            for (char c : w.Answer)
                ++have[c];
        for (char c : o.SolutionWord)
            ++need[c];
        for (const auto& [c, k] : need)
            if (have[c] < k)
                return Fail(error, 0,
                            "das Lösungswort braucht " + std::to_string(k) +
                                "-mal den Buchstaben " + std::string(1, c) +
                                ", die Begriffe haben ihn nur " + std::to_string(have[c]) + "-mal");
    }
    return true;
}

// Picks distinct cells holding the solution word's letters, spread over the
// grid: each next cell is the one farthest from those already taken. Letters
// with the fewest cells to choose from go first. False when the grid has too
// few cells of a letter; the letter is then in `missing`.
bool MarkSolutionCells(std::vector<std::string>& grid, const std::string& word, TRandom& random,
                       char& missing) {
    const int rows = static_cast<int>(grid.size()), cols = static_cast<int>(grid.front().size());
    std::map<char, std::vector<std::pair<int, int>>> cells;
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < cols; ++x)
            if (grid[y][x] != '#') cells[grid[y][x]].push_back({x, y});
    std::string order = word;
    std::stable_sort(order.begin(), order.end(),
                     [&](char a, char b) { return cells[a].size() < cells[b].size(); });
    std::vector<std::pair<int, int>> taken;
    for (char c : order) {
        std::vector<std::pair<int, int>>& free = cells[c];
        if (free.empty()) {
            missing = c;
            return false;
        }
        int best = -1;
        long bestDist = -1;
        for (int k = 0; k < static_cast<int>(free.size()); ++k) {
            long d = taken.empty() ? random.Below(1000) : 1L << 40;
            for (const auto& [tx, ty] : taken) {
                const long dx = free[k].first - tx, dy = free[k].second - ty;
                d = std::min(d, dx * dx + dy * dy);
            }
            if (d > bestDist) {
                bestDist = d;
                best = k;
            }
        }
        const auto [x, y] = free[best];
        grid[y][x] = static_cast<char>(grid[y][x] - 'A' + 'a');
        taken.push_back(free[best]);
        free.erase(free.begin() + best);
    }
    return true;
}

void WriteHeader(TPuzzleData& p, const TMakeOptions& o) {
    // Reserved bytes are written as zero, as in every stored file.
    std::memset(static_cast<void*>(&p), 0, sizeof p);
    ClearPuzzle(p);
    p.PuzzleType = static_cast<std::uint8_t>(o.Kind);
    p.Title.assign(o.Title);
    p.Author.assign(o.Author);
    p.Comment.assign(o.Comment);
    p.CreatorVersion.assign(MakerVersion);
    p.HelpOptions = o.HelpOptions;
    p.ReverseAllowed = o.ReverseAllowed ? 1 : 0;
}

std::vector<TLayoutWord> LayoutWords(const std::vector<TWordLine>& words, bool reverse) {
    std::vector<TLayoutWord> r;
    for (const TWordLine& w : words)
        r.push_back({w.Answer, w.Dir, reverse, w.ForceReversed});
    return r;
}

// The words as the record takes them: each listed word where the layout placed it.
std::vector<TRecordWord> RecordWords(const std::vector<TWordLine>& words,
                                     const std::vector<TPlacement>& at) {
    std::vector<TRecordWord> placed;
    for (std::size_t i = 0; i < words.size(); ++i)
        placed.push_back({at[i].Col, at[i].Row, at[i].Dir, at[i].Reversed, words[i].Hidden,
                          words[i].Answer, words[i].Clue});
    return placed;
}

bool MakeJigsaw(const std::vector<TWordLine>& words, const TMakeOptions& o, TPuzzleData& p,
                TMakeInfo& info, TMakeError& error) {
    TLayoutOptions lo{o.MaxCols, o.MaxRows, o.Seed, o.Budget};
    TJigsawLayout layout;
    int failed = -1;
    if (!LayOutJigsaw(LayoutWords(words, o.ReverseAllowed), o.ReverseAllowed, lo, layout, failed)) {
        if (failed >= 0)
            return Fail(error, words[failed].Line,
                        "Begriff " + words[failed].Answer +
                            " lässt sich nicht eindeutig im Gitter verstecken (höchstens " +
                            std::to_string(o.MaxCols) + " x " + std::to_string(o.MaxRows) +
                            " Felder)");
        return Fail(error, 0,
                    "die Begriffe passen nicht in ein Gitter von höchstens " +
                        std::to_string(o.MaxCols) + " x " + std::to_string(o.MaxRows) + " Feldern");
    }
    WriteHeader(p, o);
    WriteJigsawCells(p, layout.Grid, layout.InWord);
    NumberWords(p, RecordWords(words, layout.Words), true);
    WriteBorderBlocks(p);
    info.WordsPlaced = static_cast<int>(words.size());
    info.LetterCells = 0;
    for (const auto& row : layout.InWord)
        info.LetterCells += static_cast<int>(std::count(row.begin(), row.end(), true));
    info.CrossingCells = 0;
    info.Steps = layout.Steps;
    return true;
}

} // namespace

bool MakeWordPuzzle(const std::vector<TWordLine>& words, const TMakeOptions& o, TPuzzleData& p,
                    TMakeInfo& info, TMakeError& error) {
    info = {};
    if (!CheckOptions(words, o, error)) return false;
    if (IsJigsaw(o.Kind)) return MakeJigsaw(words, o, p, info, error);

    const TLayoutOptions lo{o.MaxCols, o.MaxRows, o.Seed, o.Budget};
    const TCrosswordLayout layout = LayOutCrossword(LayoutWords(words, o.ReverseAllowed), lo);
    info.Steps = layout.Steps;
    if (!layout.complete()) {
        int missing = 0;
        for (std::size_t i = 0; i < words.size(); ++i)
            if (!layout.Words[i].Placed) {
                if (!missing)
                    error.Line = words[i].Line,
                    error.Message = "Begriff " + words[i].Answer + " passt nicht ins Gitter";
                ++missing;
            }
        if (missing > 1)
            error.Message += " (und " + std::to_string(missing - 1) + " weitere Begriffe)";
        error.Message += ": zu wenige gemeinsame Buchstaben mit den anderen Begriffen oder zu "
                         "wenig Platz in " +
                         std::to_string(o.MaxCols) + " x " + std::to_string(o.MaxRows) + " Feldern";
        return false;
    }
    std::vector<std::string> grid = layout.Grid;
    TRandom random(o.Seed ^ 0x5A17'5EED'0000'0001ull);
    if (HasSolutionWord(o.Kind) && o.SolutionWord != NoSolutionText) {
        char missing = 0;
        if (!MarkSolutionCells(grid, o.SolutionWord, random, missing))
            return Fail(error, 0,
                        "das Gitter hat zu wenige Felder mit dem Buchstaben " +
                            std::string(1, missing) + " für das Lösungswort " + o.SolutionWord);
    }
    WriteHeader(p, o);
    WriteCrosswordCells(p, grid);
    NumberWords(p, RecordWords(words, layout.Words), false);
    if (IsNumberPuzzle(o.Kind))
        WriteCodeTable(p, ShuffledAlphabet(static_cast<std::uint32_t>(random.Next())));
    if (HasSolutionWord(o.Kind)) {
        p.SolutionWord.assign(o.SolutionWord);
        p.SolutionCaption.assign(o.SolutionCaption);
        p.SolutionEntry.assign(std::string(p.SolutionEntry.Capacity, ' '));
    }
    WriteBorderBlocks(p);
    info.WordsPlaced = layout.Placed;
    info.LetterCells = layout.LetterCells;
    info.CrossingCells = layout.CrossingCells;
    return true;
}

std::string PuzzleSourceText(const TPuzzleData& p) {
    const TPuzzleKind kind = KindOf(p);
    std::string s = "typ: " + std::to_string(Code(kind)) + "\n";
    if (!p.Title.empty()) s += "titel: " + Utf8(p.Title.view()) + "\n";
    if (!p.Author.empty()) s += "autor: " + Utf8(p.Author.view()) + "\n";
    if (!p.Comment.empty()) {
        std::string comment = p.Comment.str();
        for (std::size_t at = 0;;) {
            const std::size_t end = comment.find("\r\n", at);
            s += "kommentar: " + Utf8(comment.substr(at, end - at)) + "\n";
            if (end == std::string::npos) break;
            at = end + 2;
        }
    }
    s += "version: " + Utf8(p.CreatorVersion.view()) + "\n";
    s += "hilfen: " + std::to_string(p.HelpOptions) + "\n";
    if (p.ReverseAllowed) s += "rueckwaerts: ja\n";
    if (HasSolutionWord(kind)) {
        s += "loesungswort: " + Utf8(p.SolutionWord.view()) + "\n";
        if (!p.SolutionCaption.empty())
            s += "loesungstitel: " + Utf8(p.SolutionCaption.view()) + "\n";
    }
    if (IsNumberPuzzle(kind)) {
        s += "code: ";
        for (int i = 0; i < CodeTableSize; ++i)
            s += static_cast<char>(p.Words[i].Code);
        s += "\n";
    }
    s += "\n[gitter]\n";
    for (int r = 1; r <= p.RowCount; ++r) {
        for (int c = 1; c <= p.ColCount; ++c) {
            const TPuzzleCell& cell = p.cell(c, r);
            char ch = cell.Text.empty() ? '#' : cell.Text.at(1);
            const bool lower =
                IsJigsaw(kind) ? (cell.Flags & cfBlock) != 0 : (cell.Flags & cfSolution) != 0;
            if (!IsJigsaw(kind) && (cell.Flags & cfBlock)) ch = '#';
            if (lower && ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
            s += ch;
        }
        s += "\n";
    }
    s += "\n[begriffe]\n";
    // Without backwards words every run spells one listed word, so the
    // compiler finds each word by its letters; with them a word could match
    // another's run read backwards, so every word is pinned.
    const bool pin = p.ReverseAllowed && !IsJigsaw(kind);
    for (int i = 0; i < p.wordCount(); ++i) {
        const TPuzzleWord& w = p.Words[i];
        std::string options;
        const auto add = [&](const std::string& o) {
            if (!options.empty()) options += ' ';
            options += o;
        };
        if (pin) {
            int col = 0, row = 0;
            for (int c = 1; c <= p.ColCount && !col; ++c)
                for (int r = 1; r <= p.RowCount; ++r)
                    if (p.cell(c, r).Number == w.Number) {
                        col = c;
                        row = r;
                        break;
                    }
            std::string at = "@";
            at += std::to_string(col);
            at += ',';
            at += std::to_string(row);
            add(at);
            add(DirOf(w) == TWordDir::Across ? "w" : "s");
        }
        if (w.Reversed) add("r");
        if (!IsJigsaw(kind) && w.Number < 0) add("v");
        s += Utf8(w.Answer.view());
        if (!options.empty()) s += " [" + options + "]";
        if (!w.Clue.empty()) s += " = " + Utf8(w.Clue.view());
        s += "\n";
    }
    return s;
}

} // namespace zx
