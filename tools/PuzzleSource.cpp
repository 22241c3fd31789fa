// Puzzle source compiler: parses the header, grid, word list and settings block
// and derives cell flags, numbers, word records and the code table.
#include "tools/PuzzleSource.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "document/Text.h"
#include "maker/CrosswordRecord.h"
#include "maker/WordList.h"
#include "maker/SudokuMaker.h"
#include "maker/SudokuSolver.h"

namespace zx {
namespace {

constexpr std::string_view DefaultVersion = "1.0";
constexpr std::size_t HeaderVersionSize = 15; // version text slot of the file header

struct TLine {
    int No = 0;
    std::string Text; // UTF-8, without line end
};

struct TBlock {
    std::string Name;
    int HeaderLine = 0;
    std::vector<TLine> Lines;
};

// A run of two or more letter cells in one row (across) or column (down).
struct TSlot {
    int Col = 0, Row = 0; // first cell in grid order
    TWordDir Dir = TWordDir::Across;
    int Length = 0;
    std::string Text; // letters in grid order
    bool Taken = false;
};

// A word placed in the grid.
struct TPlaced {
    const TWordLine* Source = nullptr;
    int Col = 0, Row = 0;
    TWordDir Dir = TWordDir::Across;
    bool Reversed = false;
    int Length = 0;
};

class TFail {
public:
    int Line;
    std::string Message;
};

std::string Trim(std::string_view s) {
    return TrimBlanks(s);
}

// UTF-8 to Windows-1252, refusing characters that have no Windows-1252 form.
std::string ToCp1252(std::string_view utf8, int line) {
    std::string r = Utf8ToCp1252(utf8);
    if (std::count(r.begin(), r.end(), '?') != std::count(utf8.begin(), utf8.end(), '?'))
        throw TFail{line, "Zeichen ohne Windows-1252-Form im Text \"" + std::string(utf8) + "\""};
    return r;
}

// A stored field of fixed capacity: refuse rather than cut.
std::string Field(std::string_view utf8, std::size_t capacity, std::string_view what, int line) {
    std::string r = ToCp1252(utf8, line);
    if (r.size() > capacity)
        throw TFail{line,
                    std::string(what) + " ist länger als " + std::to_string(capacity) + " Zeichen"};
    return r;
}

// Answer form of a word: upper case, umlauts as two letters, only A-Z.
std::string AnswerOf(std::string_view utf8, int line) {
    std::string r, message;
    if (!AnswerForm(utf8, r, message)) throw TFail{line, message};
    return r;
}


bool ParseBool(const std::string& v, bool& out) {
    const std::string k = FoldKey(v);
    if (k == "ja" || k == "1" || k == "wahr") {
        out = true;
        return true;
    }
    if (k == "nein" || k == "0" || k == "falsch") {
        out = false;
        return true;
    }
    return false;
}

// "mm:ss" or plain seconds, 0..65535.
bool ParseTime(const std::string& v, std::uint16_t& out) {
    long total = 0;
    const auto colon = v.find(':');
    if (colon == std::string::npos) {
        if (!ParseDigits(v, total)) return false;
    } else {
        long m = 0, s = 0;
        if (!ParseDigits(Trim(v.substr(0, colon)), m) || !ParseDigits(Trim(v.substr(colon + 1)), s) ||
            s > 59)
            return false;
        total = m * 60 + s;
    }
    if (total > 65535) return false;
    out = static_cast<std::uint16_t>(total);
    return true;
}

int SymbolOf(char c) {
    if (c >= '1' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'C') return c - 'A' + 10;
    if (c >= 'a' && c <= 'c') return c - 'a' + 10;
    return 0;
}

class TCompiler {
public:
    TCompiler(TCompiledPuzzle& out) : m_out(out), m_p(out.Record) {}

    void Run(std::string_view text) {
        Split(text);
        // Reserved bytes are written as zero, as in every stored file.
        std::memset(static_cast<void*>(&m_p), 0, sizeof m_p);
        ClearPuzzle(m_p);
        ReadHeader();
        if (!m_kind) throw TFail{0, "Schlüssel \"typ\" fehlt"};
        const TPuzzleKind kind = *m_kind;
        m_p.PuzzleType = static_cast<std::uint8_t>(kind);
        CheckBlocks(kind);
        ReadGrid(kind);
        if (IsSudoku(kind))
            BuildSudoku();
        else if (IsJigsaw(kind))
            BuildJigsaw();
        else
            BuildCrossword(kind);
        WriteBorderBlocks(m_p);
        ReadSettings();
    }

private:
    void Split(std::string_view text) {
        std::size_t pos = 0;
        int no = 0;
        TBlock* block = nullptr;
        if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") pos = 3; // byte order mark
        while (pos <= text.size()) {
            std::size_t end = text.find('\n', pos);
            if (end == std::string_view::npos) end = text.size();
            std::string line(text.substr(pos, end - pos));
            if (!line.empty() && line.back() == '\r') line.pop_back();
            ++no;
            pos = end + 1;
            if (end == text.size() && line.empty()) break;
            if (block && block->Name == "einstellungen") {
                // Passed through verbatim: INI syntax has its own sections and comments.
                block->Lines.push_back({no, line});
                continue;
            }
            const std::string t = Trim(line);
            if (t.empty() || t[0] == ';') continue;
            if (t.front() == '[' && t.back() == ']') {
                const std::string name = FoldKey(t.substr(1, t.size() - 2));
                static constexpr std::array<std::string_view, 4> known = {
                    "gitter", "loesungsgitter", "begriffe", "einstellungen"};
                if (std::find(known.begin(), known.end(), name) == known.end())
                    throw TFail{no, "unbekannter Abschnitt " + t};
                for (const TBlock& b : m_blocks)
                    if (b.Name == name) throw TFail{no, "Abschnitt " + t + " kommt mehrfach vor"};
                m_blocks.push_back({name, no, {}});
                block = &m_blocks.back();
                continue;
            }
            if (block)
                block->Lines.push_back({no, line});
            else
                m_header.push_back({no, t});
        }
    }

    const TBlock* Block(std::string_view name) const {
        for (const TBlock& b : m_blocks)
            if (b.Name == name) return &b;
        return nullptr;
    }

    void ReadHeader() {
        std::vector<std::string> seen;
        std::string comment;
        bool hasComment = false;
        std::string version(DefaultVersion);
        for (const TLine& l : m_header) {
            const auto colon = l.Text.find(':');
            if (colon == std::string::npos)
                throw TFail{l.No, "erwartet \"schlüssel: wert\" vor dem ersten Abschnitt"};
            const std::string key = FoldKey(l.Text.substr(0, colon));
            const std::string value = Trim(l.Text.substr(colon + 1));
            if (key != "kommentar") {
                if (std::find(seen.begin(), seen.end(), key) != seen.end())
                    throw TFail{l.No, "Schlüssel \"" + Trim(l.Text.substr(0, colon)) +
                                          "\" kommt mehrfach vor"};
                seen.push_back(key);
            }
            if (key == "typ") {
                long t = 0;
                if (!ParseDigits(value, t) || t > MaxPuzzleType)
                    throw TFail{l.No, "typ muss eine Zahl von 0 bis 15 sein"};
                if (!IsKindCode(static_cast<int>(t)))
                    throw TFail{l.No, "typ 13 wird nicht verwendet"};
                m_kind = static_cast<TPuzzleKind>(t);
                m_typeLine = l.No;
            } else if (key == "titel") {
                m_p.Title.assign(Field(value, m_p.Title.Capacity, "titel", l.No));
            } else if (key == "autor") {
                m_p.Author.assign(Field(value, m_p.Author.Capacity, "autor", l.No));
            } else if (key == "kommentar") {
                if (hasComment) comment += "\r\n";
                comment += ToCp1252(value, l.No);
                hasComment = true;
                if (comment.size() > m_p.Comment.Capacity)
                    throw TFail{l.No, "kommentar ist länger als 255 Zeichen"};
            } else if (key == "version") {
                version = Field(value, HeaderVersionSize, "version", l.No);
            } else if (key == "hilfen") {
                m_p.HelpOptions = ParseHelp(value, l.No);
            } else if (key == "rueckwaerts") {
                bool b = false;
                if (!ParseBool(value, b)) throw TFail{l.No, "rueckwaerts: erwartet ja oder nein"};
                m_p.ReverseAllowed = b ? 1 : 0;
            } else if (key == "stufe") {
                m_p.Level = ParseLevel(value, l.No);
            } else if (key == "loesungswort") {
                if (value == "@@@")
                    m_solutionWord = value;
                else
                    m_solutionWord = AnswerOf(value, l.No);
                if (m_solutionWord.empty()) throw TFail{l.No, "loesungswort ist leer"};
                if (m_solutionWord.size() > m_p.SolutionWord.Capacity)
                    throw TFail{l.No, "loesungswort ist länger als 20 Buchstaben"};
                m_solutionLine = l.No;
            } else if (key == "loesungstitel") {
                m_p.SolutionCaption.assign(
                    Field(value, m_p.SolutionCaption.Capacity, "loesungstitel", l.No));
            } else if (key == "zeit") {
                if (!ParseTime(value, m_p.ElapsedTime))
                    throw TFail{l.No, "zeit: erwartet Minuten:Sekunden bis 65535 Sekunden"};
            } else if (key == "bestzeit") {
                if (!ParseTime(value, m_p.BestTime))
                    throw TFail{l.No, "bestzeit: erwartet Minuten:Sekunden bis 65535 Sekunden"};
            } else if (key == "code") {
                m_code = value;
                m_codeLine = l.No;
            } else {
                throw TFail{l.No,
                            "unbekannter Schlüssel \"" + Trim(l.Text.substr(0, colon)) + "\""};
            }
        }
        m_p.Comment.assign(comment);
        m_p.CreatorVersion.assign(version);
    }

    static std::uint8_t ParseHelp(const std::string& value, int line) {
        std::uint8_t bits = 0;
        std::string message;
        if (!ParseHelpOptions(value, bits, message)) throw TFail{line, message};
        return bits;
    }

    static std::uint8_t ParseLevel(const std::string& value, int line) {
        long n = 0;
        if (ParseDigits(value, n) && n <= MaxLevel) return static_cast<std::uint8_t>(n);
        const std::string k = FoldKey(value);
        static constexpr std::array<std::string_view, 4> names = {"leicht", "mittelschwer",
                                                                  "schwer", "sehr schwer"};
        for (std::size_t i = 0; i < names.size(); ++i)
            if (k == names[i]) return static_cast<std::uint8_t>(i);
        throw TFail{line, "stufe: erwartet leicht, mittelschwer, schwer, sehr schwer oder 0 bis 3"};
    }

    void CheckBlocks(TPuzzleKind kind) {
        if (!Block("gitter")) throw TFail{0, "Abschnitt [gitter] fehlt"};
        if (HasSolutionWord(kind) && m_solutionWord.empty())
            throw TFail{m_typeLine,
                        "typ " + std::to_string(Code(kind)) + " braucht ein loesungswort"};
        if (!HasSolutionWord(kind) && !m_solutionWord.empty())
            throw TFail{m_solutionLine, "loesungswort gibt es nur bei Typen mit Lösungswort"};
        if (Block("loesungsgitter") && !IsSudoku(kind)) {
            throw TFail{Block("loesungsgitter")->HeaderLine,
                        "[loesungsgitter] gibt es nur beim Sudoku"};
        }
        if (IsSudoku(kind) && Block("begriffe"))
            throw TFail{Block("begriffe")->HeaderLine, "ein Sudoku hat keine [begriffe]"};
        if (!m_code.empty() && !IsNumberPuzzle(kind))
            throw TFail{m_codeLine, "code gibt es nur beim Zahlenrätsel"};
    }

    // Reads a grid block into rows of equal width (blanks between cells allowed).
    std::vector<std::string> GridRows(const TBlock& b) {
        std::vector<std::string> rows;
        for (const TLine& l : b.Lines) {
            std::string row;
            for (char c : l.Text)
                if (c != ' ' && c != '\t') row += c;
            if (row.empty()) continue;
            if (!rows.empty() && row.size() != rows.front().size())
                throw TFail{l.No, "Gitterzeile hat " + std::to_string(row.size()) +
                                      " Felder statt " + std::to_string(rows.front().size())};
            if (row.size() > MaxGridSize) throw TFail{l.No, "Gitter ist breiter als 50 Spalten"};
            rows.push_back(row);
            m_rowLines.push_back(l.No);
            if (rows.size() > MaxGridSize) throw TFail{l.No, "Gitter ist höher als 50 Zeilen"};
        }
        if (rows.empty()) throw TFail{b.HeaderLine, "Gitter ist leer"};
        return rows;
    }

    void ReadGrid(TPuzzleKind kind) {
        m_grid = GridRows(*Block("gitter"));
        m_rows = static_cast<int>(m_grid.size());
        m_cols = static_cast<int>(m_grid.front().size());
        m_p.RowCount = static_cast<std::uint8_t>(m_rows);
        m_p.ColCount = static_cast<std::uint8_t>(m_cols);
        for (int r = 0; r < m_rows; ++r)
            for (int c = 0; c < m_cols; ++c) {
                const char ch = m_grid[r][c];
                const auto bad = [&](const std::string& why) {
                    throw TFail{m_rowLines[r], "Zeichen \"" + std::string(1, ch) + "\" in Spalte " +
                                                   std::to_string(c + 1) + ": " + why};
                };
                if (static_cast<unsigned char>(ch) >= 0x80)
                    throw TFail{m_rowLines[r], "Umlaute im Gitter als AE, OE, UE, SS schreiben"};
                if (IsSudoku(kind)) {
                    if (ch != '.' && (SymbolOf(ch) == 0 || SymbolOf(ch) > m_cols))
                        bad("kein Sudoku-Symbol für " + std::to_string(m_cols) + " Symbole");
                } else if (IsJigsaw(kind)) {
                    if (!std::isalpha(static_cast<unsigned char>(ch)))
                        bad("im Kreuzwortpuzzle ist jedes Feld ein Buchstabe");
                } else if (ch == '#') {
                } else if (ch >= 'a' && ch <= 'z') {
                    if (!HasSolutionWord(kind))
                        bad("Lösungsfelder (Kleinbuchstaben) gibt es nur bei Typen mit "
                            "Lösungswort");
                } else if (ch < 'A' || ch > 'Z') {
                    bad("erwartet einen Buchstaben oder #");
                }
            }
    }

    static char Upper(char c) {
        return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    bool IsLetter(int c, int r) const { return m_grid[r - 1][c - 1] != '#'; } // 1-based

    std::vector<TSlot> FindSlots() const {
        std::vector<TSlot> slots;
        // Reading order of the first cell; at one cell the across word comes first.
        for (int r = 1; r <= m_rows; ++r)
            for (int c = 1; c <= m_cols; ++c) {
                if (!IsLetter(c, r)) continue;
                for (TWordDir dir : {TWordDir::Across, TWordDir::Down}) {
                    const bool across = dir == TWordDir::Across;
                    const int dc = across ? 1 : 0, dr = across ? 0 : 1;
                    const int pc = c - dc, pr = r - dr;
                    if (pc >= 1 && pr >= 1 && IsLetter(pc, pr)) continue;
                    TSlot s{c, r, dir, 0, {}, false};
                    for (int x = c, y = r; x <= m_cols && y <= m_rows && IsLetter(x, y);
                         x += dc, y += dr)
                        s.Text += Upper(m_grid[y - 1][x - 1]);
                    s.Length = static_cast<int>(s.Text.size());
                    if (s.Length >= 2) slots.push_back(s);
                }
            }
        return slots;
    }

    std::vector<TWordLine> ReadWords(TPuzzleKind kind) {
        std::vector<TWordLine> words;
        if (!Block("begriffe")) throw TFail{0, "Abschnitt [begriffe] fehlt"};
        const bool clueNeeded = !(IsNumberPuzzle(kind) || IsBrainTeaser(kind) || IsJigsaw(kind));
        for (const TLine& l : Block("begriffe")->Lines) {
            TWordLine w;
            std::string message;
            if (!ParseWordLine(l.Text, l.No, w, message)) throw TFail{l.No, message};
            if (clueNeeded && w.Clue.empty())
                throw TFail{l.No, "Umschreibung zu " + w.Answer + " fehlt"};
            if (w.ForceReversed && !m_p.ReverseAllowed)
                throw TFail{l.No, "rückwärts geschriebene Begriffe brauchen \"rueckwaerts: ja\""};
            words.push_back(w);
            if (words.size() > static_cast<std::size_t>(MaxWords))
                throw TFail{l.No, "mehr als 201 Begriffe"};
        }
        return words;
    }

    static std::string Reverse(std::string s) {
        std::reverse(s.begin(), s.end());
        return s;
    }

    bool Fits(const TWordLine& w, int col, int row, TWordDir dir) const {
        if (w.Dir && *w.Dir != dir) return false;
        if (w.At && (w.At->first != col || w.At->second != row)) return false;
        return true;
    }

    void BuildCrossword(TPuzzleKind kind) {
        std::vector<TSlot> slots = FindSlots();
        // Letters outside every word would be unreachable for the player.
        for (int r = 1; r <= m_rows; ++r)
            for (int c = 1; c <= m_cols; ++c) {
                if (!IsLetter(c, r)) continue;
                const bool horiz =
                    (c > 1 && IsLetter(c - 1, r)) || (c < m_cols && IsLetter(c + 1, r));
                const bool vert =
                    (r > 1 && IsLetter(c, r - 1)) || (r < m_rows && IsLetter(c, r + 1));
                if (!horiz && !vert)
                    throw TFail{m_rowLines[r - 1], "Buchstabe in Spalte " + std::to_string(c) +
                                                       " gehört zu keinem Wort"};
            }
        m_words = ReadWords(kind);
        std::vector<TPlaced> placed;
        for (const TWordLine& w : m_words) {
            TSlot* hit = nullptr;
            bool reversed = false;
            for (bool rev : {false, true}) {
                if (rev && !m_p.ReverseAllowed) break;
                if (!rev && w.ForceReversed) continue;
                const std::string want = rev ? Reverse(w.Answer) : w.Answer;
                for (TSlot& s : slots)
                    if (!s.Taken && s.Text == want && Fits(w, s.Col, s.Row, s.Dir)) {
                        hit = &s;
                        break;
                    }
                if (hit) {
                    reversed = rev;
                    break;
                }
            }
            if (!hit) {
                std::string why = "Begriff " + w.Answer + " passt in kein freies Wort des Gitters";
                for (const TSlot& s : slots)
                    if (s.Text == Reverse(w.Answer) && !m_p.ReverseAllowed)
                        why += " (steht rückwärts im Gitter; dafür \"rueckwaerts: ja\" setzen)";
                throw TFail{w.Line, why};
            }
            hit->Taken = true;
            placed.push_back({&w, hit->Col, hit->Row, hit->Dir, reversed, hit->Length});
        }
        for (const TSlot& s : slots)
            if (!s.Taken)
                throw TFail{m_rowLines[s.Row - 1],
                            "das Wort " + s.Text + " (" +
                                (s.Dir == TWordDir::Across ? "waagerecht" : "senkrecht") +
                                " ab Spalte " + std::to_string(s.Col) + ") fehlt in [begriffe]"};
        CheckSolutionCells();
        WriteCrosswordCells(m_p, m_grid);
        Number(placed, false);
        if (IsNumberPuzzle(kind)) BuildCodeTable();
        if (HasSolutionWord(kind)) {
            m_p.SolutionWord.assign(m_solutionWord);
            m_p.SolutionEntry.assign(std::string(m_p.SolutionEntry.Capacity, ' '));
        }
    }

    // The solution cells must hold exactly the letters of the solution word
    // (the player reads them off in any order).
    void CheckSolutionCells() const {
        if (m_solutionWord.empty() || m_solutionWord == "@@@") return;
        std::string marked;
        for (const std::string& row : m_grid)
            for (char ch : row)
                if (ch >= 'a' && ch <= 'z') marked += Upper(ch);
        std::string want = m_solutionWord;
        std::sort(marked.begin(), marked.end());
        std::sort(want.begin(), want.end());
        if (marked != want)
            throw TFail{m_solutionLine, "die Lösungsfelder (Kleinbuchstaben im Gitter: " +
                                            std::to_string(marked.size()) +
                                            ") ergeben nicht die Buchstaben von " + m_solutionWord};
    }

    // Numbers the first cells of the placed words and writes the word records.
    void Number(const std::vector<TPlaced>& placed, bool jigsaw) {
        std::vector<TRecordWord> words;
        for (const TPlaced& w : placed)
            words.push_back({w.Col, w.Row, w.Dir, w.Reversed, w.Source->Hidden, w.Source->Answer,
                             w.Source->Clue});
        NumberWords(m_p, words, jigsaw);
    }

    // Code table of number puzzles: entry i holds the letter that number i
    // stands for. Without a given table the letters are shuffled by a seed
    // taken from the puzzle itself, so that a source always builds the same file.
    void BuildCodeTable() {
        std::string letters;
        if (!m_code.empty()) {
            letters = AnswerOf(m_code, m_codeLine);
            std::string sorted = letters;
            std::sort(sorted.begin(), sorted.end());
            if (sorted != "ABCDEFGHIJKLMNOPQRSTUVWXYZ")
                throw TFail{m_codeLine,
                            "code: erwartet jeden der 26 Buchstaben A bis Z genau einmal"};
        } else {
            std::uint32_t seed = 2166136261u;
            for (const std::string& row : m_grid)
                for (char ch : row)
                    seed = (seed ^ static_cast<unsigned char>(ch)) * 16777619u;
            letters = ShuffledAlphabet(seed);
        }
        WriteCodeTable(m_p, letters);
    }

    void BuildJigsaw() {
        m_words = ReadWords(TPuzzleKind::Jigsaw);
        std::vector<TPlaced> placed;
        std::vector<std::vector<bool>> inWord(m_rows, std::vector<bool>(m_cols, false));
        const auto letter = [&](int c, int r) { return Upper(m_grid[r - 1][c - 1]); };
        for (const TWordLine& w : m_words) {
            std::vector<TPlaced> found;
            const int len = static_cast<int>(w.Answer.size());
            for (int r = 1; r <= m_rows; ++r)
                for (int c = 1; c <= m_cols; ++c)
                    for (TWordDir dir : {TWordDir::Across, TWordDir::Down}) {
                        const bool across = dir == TWordDir::Across;
                        const int dc = across ? 1 : 0, dr = across ? 0 : 1;
                        if (c + dc * (len - 1) > m_cols || r + dr * (len - 1) > m_rows) continue;
                        if (!Fits(w, c, r, dir)) continue;
                        std::string s;
                        for (int k = 0; k < len; ++k)
                            s += letter(c + dc * k, r + dr * k);
                        const bool fwd = s == w.Answer && !w.ForceReversed;
                        const bool rev =
                            m_p.ReverseAllowed && s == Reverse(w.Answer) && s != w.Answer;
                        if (fwd || rev) found.push_back({&w, c, r, dir, !fwd, len});
                    }
            if (found.empty())
                throw TFail{w.Line, "Begriff " + w.Answer + " ist im Gitter nicht zu finden"};
            if (found.size() > 1)
                throw TFail{w.Line, "Begriff " + w.Answer + " steht " +
                                        std::to_string(found.size()) +
                                        "-mal im Gitter; mit [@spalte,zeile] festlegen"};
            const TPlaced& p = found.front();
            const bool across = p.Dir == TWordDir::Across;
            for (int k = 0; k < len; ++k)
                inWord[p.Row - 1 + (across ? 0 : k)][p.Col - 1 + (across ? k : 0)] = true;
            placed.push_back(p);
        }
        // Cells outside the hidden words are blocks that show their letter as
        // an entry; their solution text keeps the letter as well.
        WriteJigsawCells(m_p, m_grid, inWord);
        Number(placed, true);
    }

    void BuildSudoku() {
        const int n = m_cols;
        if (m_rows != n || !(n == 4 || n == 6 || n == 8 || n == 9 || n == 12))
            throw TFail{m_rowLines.front(),
                        "ein Sudoku ist quadratisch mit 4, 6, 8, 9 oder 12 Feldern je Seite"};
        std::vector<int> givens(n * n, 0);
        for (int r = 0; r < n; ++r)
            for (int c = 0; c < n; ++c)
                givens[r * n + c] = SymbolOf(m_grid[r][c]);
        TSudokuSolver solver(SudokuShape(n));
        std::vector<int> solution;
        if (const TBlock* b = Block("loesungsgitter")) {
            std::vector<int> lines = std::move(m_rowLines);
            m_rowLines.clear();
            const std::vector<std::string> rows = GridRows(*b);
            if (static_cast<int>(rows.size()) != n || static_cast<int>(rows.front().size()) != n)
                throw TFail{b->HeaderLine, "[loesungsgitter] hat nicht die Größe des Gitters"};
            solution.assign(n * n, 0);
            for (int r = 0; r < n; ++r)
                for (int c = 0; c < n; ++c) {
                    const int v = SymbolOf(rows[r][c]);
                    if (v == 0 || v > n)
                        throw TFail{m_rowLines[r],
                                    "kein Sudoku-Symbol in Spalte " + std::to_string(c + 1)};
                    if (givens[r * n + c] && givens[r * n + c] != v)
                        throw TFail{m_rowLines[r], "Lösung widerspricht der Vorgabe in Spalte " +
                                                       std::to_string(c + 1)};
                    solution[r * n + c] = v;
                }
            if (solver.Count(solution, 1) != 1)
                throw TFail{b->HeaderLine, "[loesungsgitter] verletzt die Sudoku-Regel"};
            m_rowLines = std::move(lines);
        } else {
            const int count = solver.Count(givens, 2, &solution);
            if (count < 0)
                throw TFail{Block("gitter")->HeaderLine,
                            "das Sudoku ist zu aufwendig zu prüfen; die Lösung in "
                            "[loesungsgitter] angeben"};
            if (count == 0) throw TFail{Block("gitter")->HeaderLine, "das Sudoku hat keine Lösung"};
            if (count > 1)
                throw TFail{Block("gitter")->HeaderLine,
                            "das Sudoku hat mehrere Lösungen; mehr Vorgaben oder ein "
                            "[loesungsgitter] angeben"};
        }
        FillSudokuCells(m_p, n, givens, solution);
    }

    void ReadSettings() {
        const TBlock* b = Block("einstellungen");
        if (!b) return;
        std::vector<TLine> lines = b->Lines;
        while (!lines.empty() && Trim(lines.back().Text).empty())
            lines.pop_back();
        std::string ini;
        for (const TLine& l : lines)
            ini += ToCp1252(l.Text, l.No) + "\r\n";
        m_out.SettingsIni = ini;
    }

    TCompiledPuzzle& m_out;
    TPuzzleData& m_p;
    std::vector<TLine> m_header;
    std::vector<TBlock> m_blocks;
    std::optional<TPuzzleKind> m_kind;
    int m_typeLine = 0;
    std::string m_solutionWord;
    int m_solutionLine = 0;
    std::string m_code;
    int m_codeLine = 0;
    std::vector<std::string> m_grid; // rows as written
    std::vector<int> m_rowLines;     // source line of each grid row
    int m_rows = 0, m_cols = 0;
    std::vector<TWordLine> m_words;
};

} // namespace

bool ParseHelpOptions(const std::string& value, std::uint8_t& out, std::string& message) {
    long n = 0;
    if (ParseDigits(value, n)) {
        if (n > 255) {
            message = "hilfen: Zahl über 255";
            return false;
        }
        out = static_cast<std::uint8_t>(n);
        return true;
    }
    std::uint8_t bits = 0;
    std::string word;
    const auto flush = [&] {
        // Messages quote the word as written: the folded form is Windows-1252.
        const std::string written = Trim(word);
        const std::string k = FoldKey(word);
        word.clear();
        if (k.empty()) return;
        if (k == "alle")
            bits = 255;
        else if (k == "keine")
            bits = 0;
        else if (k == "fehler")
            bits |= hoMarkErrors;
        else if (k == "buchstabe")
            bits |= hoInsertLetter;
        else if (k == "loesung")
            bits |= hoShowSolution;
        else if (k == "bearbeiten")
            bits |= hoEditPuzzle;
        else if (message.empty())
            message = "hilfen: unbekannte Hilfe \"" + written + "\"";
    };
    for (char c : value) {
        if (c == ',')
            flush();
        else
            word += c;
    }
    flush();
    out = bits;
    return message.empty();
}

bool CompilePuzzleSource(std::string_view text, const std::string& fileName, TCompiledPuzzle& out,
                         TSourceError& error) {
    out.SettingsIni.clear();
    try {
        TCompiler compiler(out);
        compiler.Run(text);
        return true;
    } catch (const TFail& f) {
        error = {fileName, f.Line, f.Message};
        return false;
    }
}

std::string FormatSourceError(const TSourceError& error) {
    if (error.Line <= 0) return error.File + ": " + error.Message;
    return error.File + ":" + std::to_string(error.Line) + ": " + error.Message;
}

} // namespace zx
