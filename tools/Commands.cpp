// The commands of the raetsel tool and their command line: compiling sources,
// packing players and printing what a puzzle file or a packed player holds.
#include "tools/Commands.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <map>
#include <memory>
#include <ostream>
#include <random>
#include <sstream>
#include <utility>
#include <vector>

#include "document/PuzzleFile.h"
#include "document/Settings.h"
#include "document/Text.h"
#include "tools/MakeCommand.h"
#include "tools/MakeSudoku.h"
#include "tools/PuzzleSource.h"

namespace zx {
namespace {

constexpr std::size_t RecordSizeField = 2;
constexpr std::size_t SettingsLengthField = 4;
constexpr std::size_t PuzzleFileSize = HeaderSize + PuzzleDataSize;
// Offset of the settings length inside the container.
constexpr std::size_t SettingsLengthOffset = HeaderSize + RecordSizeField + PuzzleDataSize;

// Exit codes of every command.
constexpr int ExitOk = 0;
constexpr int ExitBadInput = 1; // unreadable or invalid file, compile error, failed write
constexpr int ExitUsage = 2;    // unknown command, missing or unknown option

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
    if (IsSudoku(kind)) {
        out << "Stufe: " << Utf8(LevelName(p.Level)) << '\n';
        PrintSudokuGrade(p, out);
    } else
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

// The command line of one command, parsed: the operands in their order and
// the option values by long name.
struct TCommandLine {
    std::vector<std::string> Operands;
    std::map<std::string, std::string> Values;
    std::string Value(const std::string& longName) const {
        const auto it = Values.find(longName);
        return it == Values.end() ? std::string() : it->second;
    }
};

struct TOption {
    const char* ShortName; // nullptr when the option has no short form
    const char* LongName;
    const char* ValueName;
    bool Required;
    const char* Help;
};

struct TCommand {
    const char* Name;
    const char* Synopsis; // what follows "raetsel NAME"
    const char* Summary;  // one line of the command overview
    const char* Description;
    std::vector<TOption> Options;
    std::size_t OperandCount;
    int (*Run)(const TCommandLine&, std::ostream& out, std::ostream& err);
};

int Build(const TCommandLine& cl, std::ostream& out, std::ostream& err) {
    const std::string& source = cl.Operands[0];
    std::string text, error;
    if (!ReadWholeFile(source, text, error)) {
        err << "raetsel: " << error << '\n';
        return ExitBadInput;
    }
    auto compiled = std::make_unique<TCompiledPuzzle>();
    TSourceError srcError;
    if (!CompilePuzzleSource(text, source, *compiled, srcError)) {
        err << FormatSourceError(srcError) << '\n';
        return ExitBadInput;
    }
    if (!WriteFileAtomically(cl.Value("--output"), PuzzleFileBytes(compiled->Record), error)) {
        err << "raetsel: " << error << '\n';
        return ExitBadInput;
    }
    if (!compiled->SettingsIni.empty())
        out << "Hinweis: [einstellungen] gelangt mit \"raetsel embed SPIELER QUELLE\" in einen "
               "Spieler, nicht in die Rätseldatei\n";
    return ExitOk;
}

int Embed(const TCommandLine& cl, std::ostream&, std::ostream& err) {
    const std::string& playerPath = cl.Operands[0];
    const std::string& puzzlePath = cl.Operands[1];
    const std::string settingsPath = cl.Value("--settings");
    const std::string outPath = cl.Value("--output");
    std::string player, puzzle, settingsUtf8, settings, packed, error;
    if (!ReadWholeFile(playerPath, player, error) || !ReadWholeFile(puzzlePath, puzzle, error) ||
        (!settingsPath.empty() && !ReadWholeFile(settingsPath, settingsUtf8, error))) {
        err << "raetsel: " << error << '\n';
        return ExitBadInput;
    }
    if (!settingsPath.empty() && !SettingsBlockText(settingsUtf8, settings)) {
        err << "raetsel: \"" << settingsPath << "\" enthält Zeichen ohne Windows-1252-Form\n";
        return ExitBadInput;
    }
    // A puzzle source is compiled on the way, so that its [einstellungen]
    // block reaches the player without a separate INI file.
    if (!MagicAt(puzzle, 0) && puzzle.find('\0') == std::string::npos) {
        auto compiled = std::make_unique<TCompiledPuzzle>();
        TSourceError srcError;
        if (!CompilePuzzleSource(puzzle, puzzlePath, *compiled, srcError)) {
            err << FormatSourceError(srcError) << '\n';
            return ExitBadInput;
        }
        puzzle = PuzzleFileBytes(compiled->Record);
        if (settingsPath.empty()) settings = compiled->SettingsIni;
    }
    if (!PackPlayer(player, puzzle, settings, packed, error) ||
        !WriteFileAtomically(outPath, packed, error)) {
        err << "raetsel: " << error << '\n';
        return ExitBadInput;
    }
    // The packed player stays executable like the player it came from.
    std::error_code ec;
    std::filesystem::permissions(outPath, std::filesystem::status(playerPath).permissions(), ec);
    return ExitOk;
}

int Show(const TCommandLine& cl, std::ostream& out, std::ostream& err) {
    std::string error;
    if (!ShowPuzzle(cl.Operands[0], out, error)) {
        err << "raetsel: " << cl.Operands[0] << ": " << error << '\n';
        return ExitBadInput;
    }
    return ExitOk;
}

int Rate(const TCommandLine& cl, std::ostream& out, std::ostream& err) {
    return RateSudokuFile(cl.Operands[0], out, err);
}

const std::vector<TCommand>& Commands() {
    static const std::vector<TCommand> commands = {
        {"build",
         "QUELLE -o DATEI",
         "Rätselquelle in eine Rätseldatei übersetzen",
         "Übersetzt die Rätselquelle QUELLE (UTF-8-Text, Format in tools/README.md)\n"
         "in die Rätseldatei DATEI. Bei einem Fehler nennt raetsel Datei und Zeile\n"
         "und schreibt nichts.\n",
         {{"-o", "--output", "DATEI", true, "die Rätseldatei, die geschrieben wird"}},
         1,
         Build},
        {"embed",
         "SPIELER RAETSELDATEI|QUELLE [--settings INI] -o AUSGABE",
         "Spieler und Rätsel zu einem Spieler mit Rätsel packen",
         "Packt eine Kopie des Spielers SPIELER mit einem Rätsel in die Datei AUSGABE.\n"
         "Statt der Rätseldatei darf eine Rätselquelle stehen; ihr Block\n"
         "[einstellungen] gelangt dann in den Spieler, wenn --settings fehlt.\n",
         {{nullptr, "--settings", "INI", false, "Einstellungen für den Spieler (INI-Datei, UTF-8)"},
          {"-o", "--output", "AUSGABE", true, "der Spieler mit Rätsel, der geschrieben wird"}},
         2,
         Embed},
        {"show",
         "DATEI",
         "zeigen, was eine Rätseldatei oder ein Spieler mit Rätsel enthält",
         "Gibt aus, was die Rätseldatei oder der Spieler mit Rätsel DATEI enthält:\n"
         "Typ, Texte, Hilfen, Lösung, Einträge, Begriffe, Codetabelle und die\n"
         "Einstellungen eines Spielers.\n",
         {},
         1,
         Show},
        {"bewerten",
         "DATEI",
         "die Stufe eines Sudokus bestimmen",
         "Bestimmt die Stufe des Sudokus in DATEI (Rätseldatei, Spieler mit Rätsel\n"
         "oder Rätselquelle) nach der schwersten Technik, die ein Löser braucht,\n"
         "und nennt die Techniken mit der Zahl ihrer Schritte.\n",
         {},
         1,
         Rate},
    };
    return commands;
}

const TOption HelpOption = {"-h", "--help", nullptr, false, "diese Hilfe ausgeben"};
const TOption VersionOption = {nullptr, "--version", nullptr, false, "die Version ausgeben"};

void PrintOptions(const std::vector<TOption>& options, std::ostream& out) {
    const auto head = [](const TOption& o) {
        std::string h = o.ShortName ? std::string(o.ShortName) + ", " : "    ";
        h += o.LongName;
        if (o.ValueName) h += std::string(" ") + o.ValueName;
        return h;
    };
    std::size_t width = 0;
    for (const TOption& o : options)
        width = std::max(width, head(o).size());
    out << "\nOptionen:\n";
    for (const TOption& o : options)
        out << "  " << std::left << std::setw(static_cast<int>(width + 2)) << head(o) << o.Help
            << '\n';
}

void PrintHelp(std::ostream& out) {
    out << "Aufruf:\n";
    for (const TCommand& c : Commands())
        out << "  raetsel " << c.Name << ' ' << c.Synopsis << '\n';
    out << "  raetsel make WORTLISTE --typ ART -o DATEI\n";
    out << "  raetsel make --typ sudoku|sudoku-auf-zeit --groesse N --stufe STUFE -o DATEI\n"
           "  raetsel [BEFEHL] --help\n"
           "Übersetzt Rätselquellen in Rätseldateien, packt Rätsel in eine Kopie des\n"
           "Spielers und zeigt, was eine Rätseldatei oder ein Spieler mit Rätsel enthält.\n"
           "\nBefehle:\n";
    for (const TCommand& c : Commands())
        out << "  " << std::left << std::setw(9) << c.Name << c.Summary << '\n';
    out << "  make     ein Rätsel aus einer Wortliste oder ein Sudoku machen\n";
    PrintOptions({HelpOption, VersionOption}, out);
    out << "\n\"raetsel BEFEHL --help\" beschreibt die Optionen eines Befehls.\n"
           "Rückgabewert: 0 Erfolg, 1 ungültige oder unlesbare Eingabe, 2 falscher Aufruf.\n";
}

void PrintCommandHelp(const TCommand& c, std::ostream& out) {
    out << "Aufruf: raetsel " << c.Name << ' ' << c.Synopsis << '\n' << c.Description;
    std::vector<TOption> options = c.Options;
    options.push_back(HelpOption);
    PrintOptions(options, out);
}

// A short message, the command's form and where to read more; stdout stays
// empty so that a script sees nothing but the error.
int UsageError(const TCommand* c, const std::string& message, std::ostream& err) {
    err << "raetsel" << (c ? std::string(" ") + c->Name : std::string()) << ": " << message << '\n';
    if (c) err << "Aufruf: raetsel " << c->Name << ' ' << c->Synopsis << '\n';
    err << "Mehr dazu: 'raetsel --help'.\n";
    return ExitUsage;
}

bool IsOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-';
}

// Options may stand anywhere between the operands, as "-o WERT", "--output
// WERT" or "--output=WERT"; after "--" everything is an operand, so that a
// file whose name starts with '-' can be named. --help anywhere wins.
int RunCommand(const TCommand& c, const std::vector<std::string>& args, std::ostream& out,
               std::ostream& err) {
    for (std::size_t i = 1; i < args.size() && args[i] != "--"; ++i) {
        if (args[i] == "-h" || args[i] == "--help") {
            PrintCommandHelp(c, out);
            return ExitOk;
        }
    }
    TCommandLine cl;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || !IsOption(arg)) {
            cl.Operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t eq = arg.rfind("--", 0) == 0 ? arg.find('=') : std::string::npos;
        const std::string name = arg.substr(0, eq);
        const auto o = std::find_if(c.Options.begin(), c.Options.end(), [&](const TOption& o) {
            return name == o.LongName || (o.ShortName && name == o.ShortName);
        });
        if (o == c.Options.end()) return UsageError(&c, "unbekannte Option \"" + name + "\"", err);
        std::string value;
        if (eq != std::string::npos)
            value = arg.substr(eq + 1);
        else if (i + 1 < args.size())
            value = args[++i];
        else
            return UsageError(&c, "die Option \"" + name + "\" braucht einen Wert", err);
        if (!cl.Values.emplace(o->LongName, value).second)
            return UsageError(
                &c, "die Option \"" + std::string(o->LongName) + "\" ist mehrfach angegeben", err);
    }
    if (cl.Operands.size() < c.OperandCount) return UsageError(&c, "zu wenige Argumente", err);
    if (cl.Operands.size() > c.OperandCount)
        return UsageError(&c, "zu viele Argumente: \"" + cl.Operands[c.OperandCount] + "\"", err);
    for (const TOption& o : c.Options)
        if (o.Required && cl.Value(o.LongName).empty())
            return UsageError(&c,
                              "die Option \"" +
                                  std::string(o.ShortName ? o.ShortName : o.LongName) + "\" fehlt",
                              err);
    return c.Run(cl, out, err);
}

} // namespace

int RunRaetsel(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return UsageError(nullptr, "kein Befehl angegeben", err);
    const std::string& first = args[0];
    if (first == "-h" || first == "--help") {
        PrintHelp(out);
        return ExitOk;
    }
    if (first == "--version") {
        out << "raetsel " << ZX_VERSION << '\n';
        return ExitOk;
    }
    if (IsOption(first)) return UsageError(nullptr, "unbekannte Option \"" + first + "\"", err);
    if (first == "make" && IsSudokuMake(args)) return RunMakeSudoku(args, out, err);
    if (first == "make") return RunMake(args, out, err);
    for (const TCommand& c : Commands())
        if (first == c.Name) return RunCommand(c, args, out, err);
    return UsageError(nullptr, "unbekannter Befehl \"" + first + "\"", err);
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
    // The player's own reader decides what the file is.
    TProgramSettings settings;
    TPuzzleOrigin origin = TPuzzleOrigin::File;
    const TLoadResult r = LoadNamedPuzzle(*p, path, settings, {}, &origin);
    const bool packed = origin == TPuzzleOrigin::PackedPlayer;
    if (r == lrBadFormat && !packed) {
        error = "weder eine Rätseldatei noch ein Spieler mit Rätsel";
        return false;
    }
    if (r != lrLoaded) {
        error = LoadMessage(r);
        return false;
    }
    out << (packed ? "Spieler mit Rätsel: " : "Rätseldatei: ") << path << '\n';
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
