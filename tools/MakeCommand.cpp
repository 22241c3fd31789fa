// "raetsel make WORTLISTE --typ ART -o DATEI": reads the word list, makes the
// puzzle with the maker and writes the puzzle file, or its source text.
#include "tools/MakeCommand.h"

#include <algorithm>
#include <fstream>
#include <iomanip>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <random>
#include <sstream>

#include "document/Text.h"
#include "maker/Crossword.h"
#include "maker/WordList.h"
#include "tools/Commands.h"
#include "tools/PuzzleSource.h"

namespace zx {
namespace {

constexpr int ExitOk = 0, ExitBadInput = 1, ExitUsage = 2;

constexpr const char* Synopsis = "WORTLISTE --typ ART -o DATEI [Optionen]";

constexpr const char* HelpText =
    "Macht aus der Wortliste WORTLISTE (UTF-8, je Zeile \"WORT = Umschreibung\"\n"
    "wie im Abschnitt [begriffe] einer Rätselquelle) ein Rätsel der Art ART und\n"
    "schreibt es in DATEI. Derselbe Startwert ergibt dasselbe Rätsel; raetsel gibt\n"
    "ihn aus. Bei einem Fehler nennt raetsel Datei und Zeile und schreibt nichts.\n"
    "\n"
    "Arten: schwedenraetsel, zahlenraetsel, fuellraetsel, knobelgitter,\n"
    "franzoesisch, amerikanisch (mit --loesungswort jeweils mit Lösungswort),\n"
    "kreuzwortpuzzle; oder der Typ 0 bis 12.\n"
    "\n"
    "Optionen:\n"
    "  --typ ART              die Art des Rätsels (Pflicht)\n"
    "  -o, --output DATEI     die Rätseldatei, die geschrieben wird (Pflicht)\n"
    "  --quelle               statt der Rätseldatei die Rätselquelle schreiben\n"
    "                         (zum Nacharbeiten und für \"raetsel build\")\n"
    "  --seed ZAHL            Startwert der Suche (sonst ein zufälliger)\n"
    "  --breite N, --hoehe N  größte Breite und Höhe des Gitters (2 bis 50)\n"
    "  --aufwand N            Suchschritte, nach denen das beste Gitter genommen\n"
    "                         wird (Vorgabe: 200000 je Begriff)\n"
    "  --loesungswort WORT    Lösungswort aus Buchstaben des Gitters\n"
    "  --loesungstitel TEXT   Überschrift des Lösungsworts\n"
    "  --titel TEXT, --autor TEXT, --kommentar TEXT\n"
    "  --hilfen LISTE         fehler, buchstabe, loesung, bearbeiten, alle, keine\n"
    "                         oder 0 bis 255 (Vorgabe: alle)\n"
    "  --rueckwaerts          Begriffe dürfen rückwärts stehen (Knobelgitter,\n"
    "                         Kreuzwortpuzzle)\n"
    "  -h, --help             diese Hilfe ausgeben\n";

struct TKindName {
    const char* Name;
    TPuzzleKind Kind; // the kind without solution word
};

constexpr TKindName KindNames[] = {
    {"schwedenraetsel", TPuzzleKind::Swedish}, {"zahlenraetsel", TPuzzleKind::Number},
    {"fuellraetsel", TPuzzleKind::FillIn},     {"knobelgitter", TPuzzleKind::BrainTeaser},
    {"franzoesisch", TPuzzleKind::French},     {"franzoesisches raetsel", TPuzzleKind::French},
    {"amerikanisch", TPuzzleKind::American},   {"amerikanisches raetsel", TPuzzleKind::American},
    {"kreuzwortpuzzle", TPuzzleKind::Jigsaw},
};

int Usage(const std::string& message, std::ostream& err) {
    err << "raetsel make: " << message << '\n'
        << "Aufruf: raetsel make " << Synopsis << '\n'
        << "Mehr dazu: 'raetsel --help'.\n";
    return ExitUsage;
}

bool ReadText(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return !in.bad();
}

bool ParseCount(const std::string& s, long max, long& out) {
    if (s.empty() || s.size() > 19) return false;
    unsigned long long v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + static_cast<unsigned>(c - '0');
    }
    if (max >= 0 && v > static_cast<unsigned long long>(max)) return false;
    out = static_cast<long>(v);
    return true;
}

std::string Decimal(double v, int digits) {
    std::ostringstream s;
    s << std::fixed << std::setprecision(digits) << v;
    std::string t = s.str();
    for (char& c : t)
        if (c == '.') c = ',';
    return t;
}

} // namespace

int RunMake(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    for (std::size_t i = 1; i < args.size() && args[i] != "--"; ++i)
        if (args[i] == "-h" || args[i] == "--help") {
            out << "Aufruf: raetsel make " << Synopsis << '\n' << HelpText;
            return ExitOk;
        }
    static const std::vector<std::string> valued = {
        "--typ",          "--output",        "--seed",  "--breite", "--hoehe",     "--aufwand",
        "--loesungswort", "--loesungstitel", "--titel", "--autor",  "--kommentar", "--hilfen"};
    static const std::vector<std::string> flags = {"--quelle", "--rueckwaerts"};
    std::vector<std::string> operands;
    std::map<std::string, std::string> values;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t eq = arg.rfind("--", 0) == 0 ? arg.find('=') : std::string::npos;
        std::string name = arg.substr(0, eq);
        if (name == "-o") name = "--output";
        std::string value;
        if (std::find(flags.begin(), flags.end(), name) != flags.end()) {
            if (eq != std::string::npos)
                return Usage("die Option \"" + name + "\" hat keinen Wert", err);
            value = "ja";
        } else if (std::find(valued.begin(), valued.end(), name) != valued.end()) {
            if (eq != std::string::npos)
                value = arg.substr(eq + 1);
            else if (i + 1 < args.size())
                value = args[++i];
            else
                return Usage("die Option \"" + name + "\" braucht einen Wert", err);
        } else {
            return Usage("unbekannte Option \"" + name + "\"", err);
        }
        if (!values.emplace(name, value).second)
            return Usage("die Option \"" + name + "\" ist mehrfach angegeben", err);
    }
    const auto value = [&](const std::string& name) -> std::optional<std::string> {
        const auto it = values.find(name);
        if (it == values.end()) return std::nullopt;
        return it->second;
    };
    if (operands.empty()) return Usage("die Wortliste fehlt", err);
    if (operands.size() > 1) return Usage("zu viele Argumente: \"" + operands[1] + "\"", err);
    if (!value("--typ")) return Usage("die Option \"--typ\" fehlt", err);
    if (value("--output").value_or("").empty()) return Usage("die Option \"-o\" fehlt", err);

    TMakeOptions o;
    const std::string kindName = FoldKey(*value("--typ"));
    long code = -1;
    std::optional<TPuzzleKind> kind;
    if (ParseCount(kindName, 12, code)) {
        kind = static_cast<TPuzzleKind>(code);
    } else {
        for (const TKindName& k : KindNames)
            if (kindName == k.Name) kind = k.Kind;
        if (kind && value("--loesungswort") && !IsJigsaw(*kind))
            kind = static_cast<TPuzzleKind>(Code(*kind) + 1);
    }
    if (!kind) return Usage("unbekannte Art \"" + *value("--typ") + "\"", err);
    o.Kind = *kind;
    if (const auto s = value("--seed")) {
        long seed = 0;
        if (!ParseCount(*s, -1, seed)) return Usage("--seed erwartet eine Zahl", err);
        o.Seed = static_cast<std::uint64_t>(std::stoull(*s));
    } else {
        std::random_device rd;
        o.Seed = (std::uint64_t(rd()) << 20 ^ rd()) % 1'000'000'000;
    }
    const std::pair<const char*, int*> sizes[] = {{"--breite", &o.MaxCols},
                                                  {"--hoehe", &o.MaxRows}};
    for (const auto& [name, field] : sizes)
        if (const auto s = value(name)) {
            long n = 0;
            if (!ParseCount(*s, MaxGridSize, n) || n < 2)
                return Usage(std::string(name) + " erwartet eine Zahl von 2 bis 50", err);
            *field = static_cast<int>(n);
        }
    if (const auto a = value("--aufwand")) {
        long steps = 0;
        if (!ParseCount(*a, -1, steps) || steps < 1)
            return Usage("--aufwand erwartet eine Zahl über 0", err);
        o.Budget = steps;
    }
    if (const auto h = value("--hilfen")) {
        std::string message;
        if (!ParseHelpOptions(*h, o.HelpOptions, message)) return Usage(message, err);
    }
    o.ReverseAllowed = value("--rueckwaerts").has_value();

    const std::string& listPath = operands[0];
    const auto bad = [&](const std::string& message) {
        err << "raetsel make: " << message << '\n';
        return ExitBadInput;
    };
    const struct {
        const char* Option;
        std::string* Field;
    } texts[] = {{"--titel", &o.Title},
                 {"--autor", &o.Author},
                 {"--kommentar", &o.Comment},
                 {"--loesungstitel", &o.SolutionCaption}};
    for (const auto& t : texts)
        if (const auto v = value(t.Option))
            if (!ToWindows1252(TrimBlanks(*v), *t.Field))
                return bad(std::string(t.Option) + " enthält Zeichen ohne Windows-1252-Form");
    if (const auto w = value("--loesungswort")) {
        std::string message;
        if (*w == "@@@")
            o.SolutionWord = *w;
        else if (!AnswerForm(TrimBlanks(*w), o.SolutionWord, message))
            return bad("--loesungswort: " + message);
        if (o.SolutionWord.empty()) return bad("--loesungswort ist leer");
    }

    std::string text;
    if (!ReadText(listPath, text)) return bad("\"" + listPath + "\" kann nicht gelesen werden");
    std::vector<TWordLine> words;
    TWordListError listError;
    if (!ReadWordList(text, KindNeedsClues(o.Kind), words, listError)) {
        err << FormatSourceError({listPath, listError.Line, listError.Message}) << '\n';
        return ExitBadInput;
    }
    auto record = std::make_unique<TPuzzleData>();
    TMakeInfo info;
    TMakeError makeError;
    if (!MakeWordPuzzle(words, o, *record, info, makeError)) {
        err << FormatSourceError({listPath, makeError.Line, makeError.Message}) << '\n';
        return ExitBadInput;
    }
    const bool source = value("--quelle").has_value();
    std::string error;
    if (!WriteFileAtomically(*value("--output"),
                             source ? PuzzleSourceText(*record) : PuzzleFileBytes(*record), error))
        return bad(error);
    const TPuzzleData& p = *record;
    const int area = p.ColCount * p.RowCount;
    out << Cp1252ToUtf8(PuzzleTypeCaption(p)) << ": " << info.WordsPlaced << " Begriffe, "
        << int(p.ColCount) << " x " << int(p.RowCount) << " Felder";
    if (!IsJigsaw(o.Kind))
        out << ", Dichte " << Decimal(double(info.LetterCells) / area, 2) << ", "
            << Decimal(2.0 * info.CrossingCells / info.WordsPlaced, 1) << " Kreuzungen je Begriff";
    out << "\nStartwert: " << o.Seed << " (mit --seed " << o.Seed << " wiederholen)\n";
    return ExitOk;
}

} // namespace zx
