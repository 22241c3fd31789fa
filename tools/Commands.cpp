// The commands of the raetsel tool: compiling sources, packing players and
// printing what a puzzle file or a packed player holds.
#include "tools/Commands.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <memory>
#include <ostream>
#include <random>
#include <sstream>
#include <utility>
#include <vector>

#include "document/PuzzleFile.h"
#include "document/Settings.h"
#include "document/Text.h"
#include "tools/PuzzleSource.h"

namespace zx {
namespace {

constexpr std::size_t RecordSizeField = 2;
constexpr std::size_t SettingsLengthField = 4;
constexpr std::size_t PuzzleFileSize = HeaderSize + PuzzleDataSize;
// Offset of the settings length inside the container.
constexpr std::size_t SettingsLengthOffset = HeaderSize + RecordSizeField + PuzzleDataSize;

const char* const Usage = "Aufruf:\n"
                          "  raetsel build QUELLE -o DATEI\n"
                          "  raetsel embed SPIELER RAETSELDATEI|QUELLE [--settings INI] -o AUSGABE\n"
                          "  raetsel show DATEI\n";

bool ReadWholeFile(const std::string& path, std::string& data, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "\"" + path + "\" kann nicht gelesen werden";
        return false;
    }
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad()) {
        error = "Lesefehler in \"" + path + "\"";
        return false;
    }
    data = ss.str();
    return true;
}

void PutLE(std::string& s, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::uint32_t GetLE32(const std::string& s, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(s[at + i]);
    return v;
}

bool MagicAt(const std::string& data, std::size_t at) {
    return data.size() >= at + MagicSize && data.compare(at, MagicSize, MagicWord, MagicSize) == 0;
}

// Lower case of A-Z and the accented capitals of Windows-1252.
std::string Lower1252(std::string_view s) {
    std::string r(s);
    for (char& c : r) {
        const unsigned char u = static_cast<unsigned char>(c);
        if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7))
            c = static_cast<char>(u + 32);
    }
    return r;
}

std::string TrimRight(std::string s) {
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

std::string Utf8(std::string_view cp1252) {
    return Cp1252ToUtf8(cp1252);
}

std::string Time(std::uint16_t t) {
    std::ostringstream s;
    s << std::setfill('0') << std::setw(2) << t / 60 << ':' << std::setw(2) << t % 60 << " min.";
    return s.str();
}

// Solution letters as written in sources: blocks '#', solution-word cells in
// lower case; in the jigsaw the letters outside the hidden words in lower case.
std::string SolutionCell(const TPuzzleData& p, int c, int r) {
    const TPuzzleCell& cell = p.cell(c, r);
    const TPuzzleKind kind = KindOf(p);
    std::string t = cell.Text.str();
    if (IsJigsaw(kind)) {
        if (t.empty()) return "#";
        if (cell.Flags & cfBlock) return Utf8(Lower1252(t));
        return Utf8(t);
    }
    if (!IsSudoku(kind) && (cell.Flags & cfBlock)) return "#";
    if (t.empty()) return ".";
    if (!IsSudoku(kind) && (cell.Flags & cfSolution)) t = Lower1252(t);
    return Utf8(t);
}

std::string EntryCell(const TPuzzleData& p, int c, int r) {
    const TPuzzleKind kind = KindOf(p);
    if ((p.cell(c, r).Flags & cfBlock) && !IsJigsaw(kind) && !IsSudoku(kind)) return "#";
    const std::string e = p.entry(c, r).str();
    if (e.empty() || e == " ") return ".";
    return Utf8(e);
}

void PrintGrid(const TPuzzleData& p, std::ostream& out,
               std::string (*cellText)(const TPuzzleData&, int, int)) {
    const int rows = std::min<int>(p.RowCount, MaxGridSize);
    const int cols = std::min<int>(p.ColCount, MaxGridSize);
    for (int r = 1; r <= rows; ++r) {
        out << "  ";
        for (int c = 1; c <= cols; ++c)
            out << cellText(p, c, r);
        out << '\n';
    }
}

std::string HelpText(const TPuzzleData& p) {
    const bool sudoku = IsSudoku(KindOf(p));
    std::vector<std::string> names;
    if (p.HelpOptions & hoMarkErrors)
        names.push_back(sudoku ? "Falsche Symbole markieren" : "Falsche Buchstaben markieren");
    if (p.HelpOptions & hoInsertLetter)
        names.push_back(sudoku ? "Korrektes Symbol einfügen" : "Korrekten Buchstaben einfügen");
    if (p.HelpOptions & hoShowSolution) names.push_back("Gelöstes Rätsel anzeigen");
    if ((p.HelpOptions & hoEditPuzzle) && !sudoku) names.push_back("Rätsel bearbeiten");
    std::string s;
    for (const std::string& n : names)
        s += (s.empty() ? "" : ", ") + n;
    if (s.empty()) s = "keine";
    return s + " (Wert " + std::to_string(p.HelpOptions) + ")";
}

void PrintRecord(const TPuzzleData& p, std::ostream& out) {
    const TPuzzleKind kind = KindOf(p);
    out << "Typ: " << Code(kind) << " (" << Utf8(PuzzleTypeCaption(p)) << ")\n";
    out << "Größe: " << int(p.ColCount) << " x " << int(p.RowCount) << " (Spalten x Zeilen)\n";
    out << "Titel: " << Utf8(p.Title.view()) << '\n';
    out << "Autor: " << Utf8(p.Author.view()) << '\n';
    std::string comment = Utf8(p.Comment.view());
    for (std::size_t i; (i = comment.find("\r\n")) != std::string::npos;)
        comment.replace(i, 2, "\n  ");
    out << "Kommentar: " << comment << '\n';
    out << "Version: " << Utf8(p.CreatorVersion.view()) << '\n';
    out << "Hilfen: " << HelpText(p) << '\n';
    out << "Rückwärts erlaubt: " << (p.ReverseAllowed ? "ja" : "nein") << '\n';
    if (IsSudoku(kind))
        out << "Stufe: " << Utf8(LevelName(p.Level)) << '\n';
    else
        out << "Stufe: " << int(p.Level) << " (gilt nur beim Sudoku)\n";
    out << "Zeit: " << Time(p.ElapsedTime) << ", Bestzeit: " << Time(p.BestTime) << '\n';
    if (HasSolutionWord(kind))
        out << "Lösungswort: " << Utf8(p.SolutionWord.view()) << " (\""
            << Utf8(p.SolutionCaption.view()) << "\")\n";
    out << "Lösung:\n";
    PrintGrid(p, out, SolutionCell);
    out << "Einträge:\n";
    PrintGrid(p, out, EntryCell);
    if (IsSudoku(kind)) return;
    out << "Begriffe: " << p.wordCount() << '\n';
    // Listed as a reader looks them up: by number, across before down; the
    // records themselves may be in any order.
    std::vector<int> order(static_cast<std::size_t>(p.wordCount()));
    for (int i = 0; i < p.wordCount(); ++i)
        order[static_cast<std::size_t>(i)] = i;
    const auto key = [&](int i) {
        const std::int64_t n = p.Words[i].Number;
        return std::make_pair(n < 0 ? -n : n, DirOf(p.Words[i]) == TWordDir::Across ? 0 : 1);
    };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return key(a) < key(b); });
    for (const int i : order) {
        const TPuzzleWord& w = p.Words[i];
        std::ostringstream line;
        line << "  " << std::setw(4) << w.Number << ' '
             << (DirOf(w) == TWordDir::Across ? "waagerecht" : "senkrecht ") << ' ' << std::left
             << std::setw(15) << Utf8(w.Answer.view());
        if (w.Reversed) line << " (rückwärts)";
        // A negative number is not shown to the player.
        if (w.Number < 0) line << " (Nummer verborgen)";
        if (!w.Clue.empty()) line << " = " << Utf8(w.Clue.view());
        out << TrimRight(line.str()) << '\n';
    }
    if (IsNumberPuzzle(kind)) {
        out << "Codetabelle:";
        for (int i = 0; i < CodeTableSize; ++i) {
            const std::int32_t code = p.Words[i].Code;
            const char letter = (code > 0 && code < 256) ? static_cast<char>(code) : '?';
            out << ' ' << i << '=' << Utf8(std::string_view(&letter, 1));
        }
        out << '\n';
    }
}

std::string LoadMessage(TLoadResult r) {
    switch (r) {
    case lrBadFormat:
        return "die Datei enthält kein Rätsel in einem bekannten Format";
    case lrNotFound:
        return "die Datei gibt es nicht";
    case lrReadError:
        return "die Datei ist zu kurz oder nicht lesbar";
    default:
        return "unbekannter Fehler";
    }
}

int Build(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 4 || args[2] != "-o") {
        err << Usage;
        return 2;
    }
    std::string text, error;
    if (!ReadWholeFile(args[1], text, error)) {
        err << "raetsel: " << error << '\n';
        return 1;
    }
    auto compiled = std::make_unique<TCompiledPuzzle>();
    TSourceError srcError;
    if (!CompilePuzzleSource(text, args[1], *compiled, srcError)) {
        err << FormatSourceError(srcError) << '\n';
        return 1;
    }
    if (!WriteFileAtomically(args[3], PuzzleFileBytes(compiled->Record), error)) {
        err << "raetsel: " << error << '\n';
        return 1;
    }
    if (!compiled->SettingsIni.empty())
        out << "Hinweis: [einstellungen] gelangt mit \"raetsel embed SPIELER QUELLE\" in einen "
               "Spieler, nicht in die Rätseldatei\n";
    return 0;
}

int Embed(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    std::vector<std::string> files;
    std::string settingsPath, outPath;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if ((args[i] == "--settings" || args[i] == "-o") && i + 1 < args.size()) {
            (args[i] == "-o" ? outPath : settingsPath) = args[i + 1];
            ++i;
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2 || outPath.empty()) {
        err << Usage;
        return 2;
    }
    std::string player, puzzle, settingsUtf8, settings, packed, error;
    if (!ReadWholeFile(files[0], player, error) || !ReadWholeFile(files[1], puzzle, error) ||
        (!settingsPath.empty() && !ReadWholeFile(settingsPath, settingsUtf8, error))) {
        err << "raetsel: " << error << '\n';
        return 1;
    }
    if (!settingsPath.empty() && !SettingsBlockText(settingsUtf8, settings)) {
        err << "raetsel: \"" << settingsPath << "\" enthält Zeichen ohne Windows-1252-Form\n";
        return 1;
    }
    // A puzzle source is compiled on the way, so that its [einstellungen]
    // block reaches the player without a separate INI file.
    if (!MagicAt(puzzle, 0) && puzzle.find('\0') == std::string::npos) {
        auto compiled = std::make_unique<TCompiledPuzzle>();
        TSourceError srcError;
        if (!CompilePuzzleSource(puzzle, files[1], *compiled, srcError)) {
            err << FormatSourceError(srcError) << '\n';
            return 1;
        }
        puzzle = PuzzleFileBytes(compiled->Record);
        if (settingsPath.empty()) settings = compiled->SettingsIni;
    }
    if (!PackPlayer(player, puzzle, settings, packed, error) ||
        !WriteFileAtomically(outPath, packed, error)) {
        err << "raetsel: " << error << '\n';
        return 1;
    }
    // The packed player stays executable like the player it came from.
    std::error_code ec;
    std::filesystem::permissions(outPath, std::filesystem::status(files[0]).permissions(), ec);
    return 0;
}

int Show(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) {
        err << Usage;
        return 2;
    }
    std::string error;
    if (!ShowPuzzle(args[1], out, error)) {
        err << "raetsel: " << args[1] << ": " << error << '\n';
        return 1;
    }
    return 0;
}

} // namespace

int RunRaetsel(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << Usage;
        return 2;
    }
    if (args[0] == "build") return Build(args, out, err);
    if (args[0] == "embed") return Embed(args, out, err);
    if (args[0] == "show") return Show(args, out, err);
    err << Usage;
    return 2;
}

bool WriteFileAtomically(const std::string& path, const std::string& data, std::string& error) {
    namespace fs = std::filesystem;
    std::random_device rd;
    const std::string tmp = path + ".tmp" + std::to_string(rd() % 1000000);
    {
        std::ofstream o(tmp, std::ios::binary | std::ios::trunc);
        if (o) o.write(data.data(), static_cast<std::streamsize>(data.size()));
        o.close();
        if (!o) {
            std::error_code ec;
            fs::remove(tmp, ec);
            error = "\"" + path + "\" kann nicht geschrieben werden";
            return false;
        }
    }
    std::error_code ec;
    fs::rename(tmp, path, ec);
    if (ec) {
        fs::remove(tmp, ec);
        error = "\"" + path + "\" kann nicht geschrieben werden";
        return false;
    }
    return true;
}

std::string PuzzleFileBytes(const TPuzzleData& p) {
    std::string s = MakeHeader(std::string(p.CreatorVersion.view()));
    s.append(reinterpret_cast<const char*>(&p), sizeof p);
    return s;
}

bool SettingsBlockText(const std::string& utf8, std::string& cp1252) {
    std::string text = utf8;
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
    const std::string converted = Utf8ToCp1252(text);
    if (std::count(converted.begin(), converted.end(), '?') !=
        std::count(text.begin(), text.end(), '?'))
        return false;
    cp1252.clear();
    std::string line;
    for (std::size_t i = 0; i < converted.size(); ++i) {
        const char c = converted[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < converted.size() && converted[i + 1] == '\n') ++i;
            cp1252 += line + "\r\n";
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) cp1252 += line + "\r\n";
    return true;
}

bool PackPlayer(const std::string& player, const std::string& puzzleFile,
                const std::string& settings, std::string& packed, std::string& error) {
    if (player.size() > ContainerOffset) {
        error = "der Spieler ist " + std::to_string(player.size()) + " Bytes lang; mehr als " +
                std::to_string(ContainerOffset) + " Bytes haben vor dem Rätsel keinen Platz";
        return false;
    }
    if (puzzleFile.size() < PuzzleFileSize || !MagicAt(puzzleFile, 0)) {
        error = "die Rätseldatei ist zu kurz oder hat keine gültige Kennung";
        return false;
    }
    packed = player;
    packed.resize(ContainerOffset, '\0');
    packed.append(puzzleFile, 0, HeaderSize);
    PutLE(packed, PuzzleDataSize, RecordSizeField);
    packed.append(puzzleFile, HeaderSize, PuzzleDataSize);
    PutLE(packed, static_cast<std::uint32_t>(settings.size()), SettingsLengthField);
    packed += settings;
    return true;
}

bool ShowPuzzle(const std::string& path, std::ostream& out, std::string& error) {
    std::string data;
    if (!ReadWholeFile(path, data, error)) return false;
    auto p = std::make_unique<TPuzzleData>();
    const bool packed = MagicAt(data, ContainerOffset);
    if (packed) {
        TProgramSettings settings;
        const TLoadResult r = LoadEmbeddedPuzzle(*p, path, settings);
        if (r != lrLoaded) {
            error = LoadMessage(r);
            return false;
        }
        out << "Spieler mit Rätsel: " << path << '\n';
    } else if (MagicAt(data, 0)) {
        const TLoadResult r = LoadPuzzleFile(*p, path);
        if (r != lrLoaded) {
            error = LoadMessage(r);
            return false;
        }
        out << "Rätseldatei: " << path << '\n';
    } else {
        error = "weder eine Rätseldatei noch ein Spieler mit Rätsel";
        return false;
    }
    PrintRecord(*p, out);
    if (packed) {
        const std::size_t at = ContainerOffset + SettingsLengthOffset;
        const std::uint32_t n = data.size() >= at + SettingsLengthField ? GetLE32(data, at) : 0;
        const std::size_t have =
            data.size() >= at + SettingsLengthField ? data.size() - (at + SettingsLengthField) : 0;
        out << "Einstellungen: " << n << " Bytes";
        if (n > have) out << " (nach " << have << " Bytes abgeschnitten; nicht angewandt)";
        out << '\n';
        std::string text = Utf8(std::string_view(data).substr(at + SettingsLengthField,
                                                              std::min<std::size_t>(n, have)));
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) {
            // Blanks inside a line belong to its value and are shown as they are.
            if (!line.empty() && line.back() == '\r') line.pop_back();
            out << (line.empty() ? "" : "  ") << line << '\n';
        }
    }
    return true;
}

} // namespace zx
