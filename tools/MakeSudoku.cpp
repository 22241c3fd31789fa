// raetsel make --typ sudoku, raetsel bewerten and the grade that show prints.
#include "tools/MakeSudoku.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iomanip>
#include <map>
#include <memory>
#include <ostream>
#include <random>
#include <sstream>

#include "document/PuzzleFile.h"
#include "document/Settings.h"
#include "document/Text.h"
#include "maker/SudokuMaker.h"
#include "tools/Commands.h"
#include "tools/PuzzleSource.h"

namespace zx {
namespace {

constexpr int ExitOk = 0;
constexpr int ExitBadInput = 1;
constexpr int ExitUsage = 2;

constexpr const char* Synopsis = "--typ sudoku [--groesse N] [--stufe STUFE] -o DATEI";

struct TMakeOption {
    const char* ShortName;
    const char* LongName;
    const char* ValueName; // nullptr: a switch without a value
    const char* Help;
};

const std::vector<TMakeOption>& MakeOptions() {
    static const std::vector<TMakeOption> options = {
        {nullptr, "--typ", "ART", "sudoku oder sudoku-auf-zeit"},
        {nullptr, "--groesse", "N", "Felder je Seite: 4, 6, 8, 9 oder 12 (Vorgabe 9)"},
        {nullptr, "--stufe", "STUFE", "leicht (Vorgabe), mittelschwer, schwer, sehr-schwer"},
        {nullptr, "--seed", "ZAHL", "Startwert; derselbe gibt dasselbe Sudoku"},
        {nullptr, "--titel", "TEXT", "Titel, bis 255 Zeichen"},
        {nullptr, "--autor", "TEXT", "Autor, bis 50 Zeichen"},
        {nullptr, "--kommentar", "TEXT", "Kommentar, bis 255 Zeichen, Zeilen mit \\n"},
        {nullptr, "--hilfen", "LISTE", "erlaubte Hilfen wie in der Quelle (Vorgabe alle)"},
        {nullptr, "--quelle", nullptr, "die Rätselquelle statt der Rätseldatei schreiben"},
        {"-o", "--output", "DATEI", "die Datei, die geschrieben wird"},
        {"-h", "--help", nullptr, "diese Hilfe ausgeben"},
    };
    return options;
}

void PrintMakeHelp(std::ostream& out) {
    out << "Aufruf: raetsel make " << Synopsis << "\n"
        << "Erzeugt ein Sudoku mit genau einer Lösung. Die Stufe richtet sich nach der\n"
           "schwersten Technik, die ein Löser braucht: leicht nur Singles, mittelschwer\n"
           "auch Zeiger und Klemme, schwer auch Paare und Drillinge, sehr-schwer mehr (X-Wing,\n"
           "Swordfish, Ketten oder Versuch). Die Vorgaben stehen punktsymmetrisch. Der\n"
           "Startwert wird ausgegeben; mit --seed entsteht dasselbe Sudoku wieder.\n";
    const auto head = [](const TMakeOption& o) {
        std::string h = o.ShortName ? std::string(o.ShortName) + ", " : "    ";
        h += o.LongName;
        if (o.ValueName) h += std::string(" ") + o.ValueName;
        return h;
    };
    std::size_t width = 0;
    for (const TMakeOption& o : MakeOptions())
        width = std::max(width, head(o).size());
    out << "\nOptionen:\n";
    for (const TMakeOption& o : MakeOptions())
        out << "  " << std::left << std::setw(static_cast<int>(width + 2)) << head(o) << o.Help
            << '\n';
}

int UsageError(const std::string& message, std::ostream& err) {
    err << "raetsel make: " << message << "\nAufruf: raetsel make " << Synopsis
        << "\nMehr dazu: 'raetsel --help'.\n";
    return ExitUsage;
}

// Lower case ASCII and "-" for blanks, so that "Sehr schwer" = "sehr-schwer".
std::string Folded(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c == ' ' || c == '_') c = '-';
    }
    return s;
}

// The --typ value of a make command line, empty when none.
std::string TypeValue(const std::vector<std::string>& args) {
    for (std::size_t i = 1; i < args.size() && args[i] != "--"; ++i) {
        if (args[i] == "--typ" && i + 1 < args.size()) return args[i + 1];
        if (args[i].rfind("--typ=", 0) == 0) return args[i].substr(6);
    }
    return {};
}

bool ParseNumber(const std::string& s, std::uint64_t max, std::uint64_t& out) {
    if (s.empty() || s.size() > 20 ||
        !std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    std::uint64_t v = 0;
    for (const char c : s) {
        const auto d = static_cast<std::uint64_t>(c - '0');
        if (v > (max - d) / 10) return false;
        v = v * 10 + d;
    }
    out = v;
    return true;
}

bool ParseLevel(const std::string& s, int& level) {
    static constexpr const char* names[] = {"leicht", "mittelschwer", "schwer", "sehr-schwer"};
    const std::string f = Folded(s);
    for (int i = 0; i <= MaxLevel; ++i)
        if (f == names[i] || f == std::to_string(i)) {
            level = i;
            return true;
        }
    return false;
}

bool ParseHelp(const std::string& s, std::uint8_t& help) {
    std::uint64_t n = 0;
    if (ParseNumber(s, 255, n)) {
        help = static_cast<std::uint8_t>(n);
        return true;
    }
    const std::string f = Folded(s);
    if (f == "alle") {
        help = 255;
        return true;
    }
    if (f == "keine") {
        help = 0;
        return true;
    }
    help = 0;
    std::istringstream items(f);
    for (std::string item; std::getline(items, item, ',');) {
        item.erase(0, item.find_first_not_of('-'));
        while (!item.empty() && item.back() == '-')
            item.pop_back();
        if (item == "fehler")
            help |= hoMarkErrors;
        else if (item == "buchstabe" || item == "symbol")
            help |= hoInsertLetter;
        else if (item == "loesung" || item == "l\xC3\xB6sung")
            help |= hoShowSolution;
        else if (item == "bearbeiten")
            help |= hoEditPuzzle;
        else
            return false;
    }
    return true;
}

std::string Trimmed(const std::string& s) {
    const std::size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

// A text option in Windows-1252, trimmed as the source format trims its values.
// lines: "\n" (written out or a real line end) separates lines, joined by CR LF.
bool TextOption(const std::string& utf8, std::size_t capacity, bool lines, std::string& out,
                std::string& error) {
    std::string text = utf8;
    for (std::size_t i; (i = text.find("\\n")) != std::string::npos;)
        text.replace(i, 2, "\n");
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        parts.push_back(Trimmed(line.substr(0, line.find('\r'))));
    if (parts.size() > 1 && !lines) {
        error = "darf nur eine Zeile sein";
        return false;
    }
    out.clear();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string converted = Utf8ToCp1252(parts[i]);
        if (std::count(converted.begin(), converted.end(), '?') !=
            std::count(parts[i].begin(), parts[i].end(), '?')) {
            error = "enthält Zeichen ohne Windows-1252-Form";
            return false;
        }
        out += (i == 0 ? "" : "\r\n") + converted;
    }
    if (out.size() > capacity) {
        error = "ist länger als " + std::to_string(capacity) + " Zeichen";
        return false;
    }
    return true;
}

std::uint64_t FreshSeed() {
    std::random_device rd;
    return (static_cast<std::uint64_t>(rd()) << 32 | rd()) % 1'000'000'000'000ull;
}

std::string Utf8Level(int level) {
    return Cp1252ToUtf8(LevelName(level));
}

// Reads a puzzle file, a packed player or a source into p.
bool LoadAnyPuzzle(const std::string& path, TPuzzleData& p, std::string& error) {
    if (LoadPuzzleFile(p, path) == lrLoaded) return true;
    TProgramSettings settings;
    if (LoadEmbeddedPuzzle(p, path, settings) == lrLoaded) return true;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "kann nicht gelesen werden";
        return false;
    }
    std::ostringstream ss;
    ss << in.rdbuf();
    const std::string text = ss.str();
    if (text.find('\0') != std::string::npos) {
        error = "weder eine Rätseldatei noch ein Spieler mit Rätsel noch eine Rätselquelle";
        return false;
    }
    auto compiled = std::make_unique<TCompiledPuzzle>();
    TSourceError srcError;
    if (!CompilePuzzleSource(text, path, *compiled, srcError)) {
        error = FormatSourceError(srcError);
        return false;
    }
    p = compiled->Record;
    return true;
}

} // namespace

bool IsSudokuMake(const std::vector<std::string>& args) {
    const std::string t = Folded(TypeValue(args));
    return t == "sudoku" || t == "sudoku-auf-zeit" || t == "14" || t == "15";
}

std::string SudokuSourceText(const TPuzzleData& p, const std::string& headerComment) {
    const int n = p.ColCount;
    const TSudokuShape shape = SudokuShape(n);
    std::ostringstream s;
    if (!headerComment.empty()) s << "; " << headerComment << '\n';
    s << "typ: " << int(p.PuzzleType) << '\n';
    if (!p.Title.empty()) s << "titel: " << Cp1252ToUtf8(p.Title.view()) << '\n';
    if (!p.Author.empty()) s << "autor: " << Cp1252ToUtf8(p.Author.view()) << '\n';
    if (!p.Comment.empty()) {
        std::string comment = Cp1252ToUtf8(p.Comment.view());
        for (std::size_t i; (i = comment.find("\r\n")) != std::string::npos;)
            comment.replace(i, 2, "\nkommentar: ");
        s << "kommentar: " << comment << '\n';
    }
    s << "version: " << Cp1252ToUtf8(p.CreatorVersion.view()) << '\n';
    s << "hilfen: " << int(p.HelpOptions) << '\n';
    s << "stufe: " << Utf8Level(p.Level) << "\n\n[gitter]\n";
    for (int r = 1; r <= n; ++r) {
        if (r > 1 && (r - 1) % shape.BoxH == 0) s << '\n';
        for (int c = 1; c <= n; ++c) {
            if (c > 1 && (c - 1) % shape.BoxW == 0) s << ' ';
            const TPuzzleCell& cell = p.cell(c, r);
            s << ((cell.Flags & cfSolution) ? cell.Text.str() : ".");
        }
        s << '\n';
    }
    return s.str();
}

int RunMakeSudoku(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    for (std::size_t i = 1; i < args.size() && args[i] != "--"; ++i)
        if (args[i] == "-h" || args[i] == "--help") {
            PrintMakeHelp(out);
            return ExitOk;
        }
    std::map<std::string, std::string> values;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg[0] != '-' || arg == "--")
            return UsageError("ein Sudoku braucht keine Wortliste: \"" + arg + "\"", err);
        const std::size_t eq = arg.rfind("--", 0) == 0 ? arg.find('=') : std::string::npos;
        const std::string name = arg.substr(0, eq);
        const auto o =
            std::find_if(MakeOptions().begin(), MakeOptions().end(), [&](const TMakeOption& o) {
                return name == o.LongName || (o.ShortName && name == o.ShortName);
            });
        if (o == MakeOptions().end()) return UsageError("unbekannte Option \"" + name + "\"", err);
        std::string value;
        if (!o->ValueName) {
            if (eq != std::string::npos)
                return UsageError("die Option \"" + name + "\" hat keinen Wert", err);
        } else if (eq != std::string::npos) {
            value = arg.substr(eq + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            return UsageError("die Option \"" + name + "\" braucht einen Wert", err);
        }
        if (!values.emplace(o->LongName, value).second)
            return UsageError(
                "die Option \"" + std::string(o->LongName) + "\" ist mehrfach angegeben", err);
    }
    const auto value = [&](const char* name) {
        const auto it = values.find(name);
        return it == values.end() ? std::string() : it->second;
    };
    const std::string output = value("--output");
    if (output.empty()) return UsageError("die Option \"-o\" fehlt", err);
    const TPuzzleKind kind = Folded(value("--typ")) == "sudoku" || value("--typ") == "14"
                                 ? TPuzzleKind::Sudoku
                                 : TPuzzleKind::TimedSudoku;

    TSudokuRequest request;
    std::uint64_t number = 9;
    if (values.count("--groesse") &&
        (!ParseNumber(value("--groesse"), 99, number) || !IsSudokuSize(static_cast<int>(number))))
        return UsageError("--groesse ist 4, 6, 8, 9 oder 12, nicht \"" + value("--groesse") + "\"",
                          err);
    request.Size = static_cast<int>(number);
    if (values.count("--stufe") && !ParseLevel(value("--stufe"), request.Level))
        return UsageError("--stufe ist leicht, mittelschwer, schwer oder sehr-schwer, nicht \"" +
                              value("--stufe") + "\"",
                          err);
    request.Seed = FreshSeed();
    if (values.count("--seed") && !ParseNumber(value("--seed"), UINT64_MAX, request.Seed))
        return UsageError("--seed erwartet eine Zahl ab 0, nicht \"" + value("--seed") + "\"", err);
    std::uint8_t help = 255;
    if (values.count("--hilfen") && !ParseHelp(value("--hilfen"), help))
        return UsageError("--hilfen: unbekannte Hilfe in \"" + value("--hilfen") + "\"", err);
    std::string title, author, comment, error;
    const struct {
        const char* Name;
        std::size_t Capacity;
        bool Lines;
        std::string* Out;
    } texts[] = {{"--titel", 255, false, &title},
                 {"--autor", 50, false, &author},
                 {"--kommentar", 255, true, &comment}};
    for (const auto& t : texts)
        if (!TextOption(value(t.Name), t.Capacity, t.Lines, *t.Out, error))
            return UsageError(std::string(t.Name) + " " + error, err);

    TSudokuMade made;
    if (!MakeSudoku(request, made, error)) {
        err << "raetsel make: " << error << '\n';
        return ExitBadInput;
    }
    auto record = std::make_unique<TPuzzleData>();
    SudokuRecord(made, kind, *record);
    record->Title.assign(title);
    record->Author.assign(author);
    record->Comment.assign(comment);
    record->HelpOptions = help;
    record->CreatorVersion.assign(ZX_VERSION);

    const std::string summary =
        "Sudoku " + std::to_string(request.Size) + " x " + std::to_string(request.Size) +
        ", Stufe " + Utf8Level(made.Grade.Level) + ", " + std::to_string(made.givenCount()) +
        " Vorgaben, Startwert " + std::to_string(request.Seed);
    const std::string data = values.count("--quelle")
                                 ? SudokuSourceText(*record, summary + " (raetsel make)")
                                 : PuzzleFileBytes(*record);
    if (!WriteFileAtomically(output, data, error)) {
        err << "raetsel make: " << error << '\n';
        return ExitBadInput;
    }
    out << summary << " (mit --seed " << request.Seed << " wiederholen)\n"
        << "Techniken: " << Cp1252ToUtf8(made.Grade.techniques()) << '\n';
    if (request.Level > HighestSudokuLevel(request.Size))
        out << "Hinweis: ein Sudoku " << request.Size << " x " << request.Size
            << " braucht nie mehr als Singles; das Sudoku hat die Stufe \""
            << Utf8Level(made.Grade.Level) << "\"\n";
    else if (made.Grade.Level != request.Level)
        out << "Hinweis: die Stufe \"" << Utf8Level(request.Level)
            << "\" wurde in der Suchgrenze nicht erreicht; das Sudoku hat die Stufe \""
            << Utf8Level(made.Grade.Level) << "\"\n";
    return ExitOk;
}

void PrintSudokuGrade(const TPuzzleData& p, std::ostream& out) {
    const TSudokuGrid givens = SudokuGivens(p);
    if (givens.empty()) return;
    const TSudokuUnits units(SudokuShape(p.ColCount));
    TSudokuSolver solver(units.Shape);
    TSudokuGrid solution;
    const int count = solver.Count(givens, 2, &solution);
    out << "Bewertung: ";
    if (count == 0)
        out << "die Vorgaben haben keine Lösung\n";
    else if (count < 0)
        out << "zu aufwendig zu prüfen\n";
    else if (count > 1)
        out << "die Vorgaben haben mehrere Lösungen\n";
    else {
        const TSudokuGrade grade = GradeSudoku(units, givens, 3, &solution);
        out << Utf8Level(grade.Level) << " (" << Cp1252ToUtf8(grade.techniques()) << ")\n";
    }
}

int RateSudokuFile(const std::string& path, std::ostream& out, std::ostream& err) {
    auto p = std::make_unique<TPuzzleData>();
    std::string error;
    if (!LoadAnyPuzzle(path, *p, error)) {
        err << "raetsel bewerten: " << path << ": " << error << '\n';
        return ExitBadInput;
    }
    const TSudokuGrid givens = SudokuGivens(*p);
    if (givens.empty()) {
        err << "raetsel bewerten: " << path << ": kein Sudoku\n";
        return ExitBadInput;
    }
    const int n = p->ColCount;
    const TSudokuUnits units(SudokuShape(n));
    TSudokuSolver solver(units.Shape);
    TSudokuGrid solution;
    const int count = solver.Count(givens, 2, &solution);
    if (count != 1) {
        err << "raetsel bewerten: " << path << ": "
            << (count == 0  ? "die Vorgaben haben keine Lösung"
                : count < 0 ? "das Sudoku ist zu aufwendig zu prüfen"
                            : "die Vorgaben haben mehrere Lösungen")
            << '\n';
        return ExitBadInput;
    }
    const TSudokuGrade grade = GradeSudoku(units, givens, 3, &solution);
    const auto given = std::count_if(givens.begin(), givens.end(), [](int v) { return v != 0; });
    out << "Sudoku " << n << " x " << n << ", " << given << " Vorgaben\n"
        << "Stufe: " << Utf8Level(grade.Level) << '\n';
    if (grade.Level != p->Level) out << "Gespeicherte Stufe: " << Utf8Level(p->Level) << '\n';
    out << "Techniken (gesetzte Felder oder gestrichene Kandidaten):\n";
    for (int t = 0; t < TechniqueCount; ++t)
        if (const int uses = grade.Uses[static_cast<std::size_t>(t)]; uses > 0)
            out << "  " << Cp1252ToUtf8(TechniqueName(static_cast<TTechnique>(t))) << " (Stufe "
                << TechniqueLevel(static_cast<TTechnique>(t)) << "): " << uses << '\n';
    return ExitOk;
}

} // namespace zx
