// Word-list reader shared by the source compiler and the puzzle maker.
#include "maker/WordList.h"

#include <algorithm>

#include "document/Text.h"

namespace zx {
namespace {

bool ReadOptions(const std::string& text, TWordLine& w, std::string& message) {
    std::string token;
    const auto flush = [&] {
        const std::string written = token;
        const std::string k = FoldKey(token);
        token.clear();
        if (k.empty()) return true;
        if (k == "w" || k == "waagerecht") {
            w.Dir = TWordDir::Across;
        } else if (k == "s" || k == "senkrecht") {
            w.Dir = TWordDir::Down;
        } else if (k == "r" || k == "rueckwaerts") {
            w.ForceReversed = true;
        } else if (k == "v" || k == "versteckt") {
            w.Hidden = true;
        } else if (k[0] == '@') {
            const auto comma = k.find(',');
            long c = 0, r = 0;
            if (comma == std::string::npos || !ParseDigits(k.substr(1, comma - 1), c) ||
                !ParseDigits(k.substr(comma + 1), r)) {
                message = "Position schreiben als @spalte,zeile";
                return false;
            }
            w.At = std::make_pair(static_cast<int>(c), static_cast<int>(r));
        } else {
            message = "unbekannte Option \"" + written + "\"";
            return false;
        }
        return true;
    };
    for (char c : text) {
        if (c == ' ' || c == '\t') {
            if (!flush()) return false;
        } else {
            token += c;
        }
    }
    return flush();
}

} // namespace

bool ParseDigits(std::string_view s, long& out) {
    if (s.empty() || s.size() > 9) return false;
    long v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    out = v;
    return true;
}

std::string TrimBlanks(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r'))
        --e;
    return std::string(s.substr(b, e - b));
}

std::string FoldKey(std::string_view utf8) {
    std::string r;
    for (char c : Utf8ToCp1252(utf8)) {
        switch (static_cast<unsigned char>(c)) {
        case 0xC4:
        case 0xE4:
            r += "ae";
            break;
        case 0xD6:
        case 0xF6:
            r += "oe";
            break;
        case 0xDC:
        case 0xFC:
            r += "ue";
            break;
        case 0xDF:
            r += "ss";
            break;
        default:
            r += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        }
    }
    return TrimBlanks(r);
}

bool ToWindows1252(std::string_view utf8, std::string& out) {
    out = Utf8ToCp1252(utf8);
    return std::count(out.begin(), out.end(), '?') == std::count(utf8.begin(), utf8.end(), '?');
}

bool AnswerForm(std::string_view utf8, std::string& out, std::string& message) {
    std::string text;
    if (!ToWindows1252(utf8, text)) {
        message = "Zeichen ohne Windows-1252-Form im Text \"" + std::string(utf8) + "\"";
        return false;
    }
    out.clear();
    for (char c : AnsiUpper(text)) {
        switch (static_cast<unsigned char>(c)) {
        case 0xC4:
            out += "AE";
            break;
        case 0xD6:
            out += "OE";
            break;
        case 0xDC:
            out += "UE";
            break;
        case 0xDF:
            out += "SS";
            break;
        default:
            if (c < 'A' || c > 'Z') {
                message = "Begriff \"" + std::string(utf8) + "\" darf nur Buchstaben enthalten";
                return false;
            }
            out += c;
        }
    }
    return true;
}

bool ParseWordLine(std::string_view utf8, int line, TWordLine& w, std::string& message) {
    const std::string t = TrimBlanks(utf8);
    w = TWordLine{};
    w.Line = line;
    const std::size_t sep = t.find_first_of("=:");
    std::string head = TrimBlanks(std::string_view(t).substr(0, sep));
    if (sep != std::string::npos) {
        const std::string clue = TrimBlanks(std::string_view(t).substr(sep + 1));
        if (!ToWindows1252(clue, w.Clue)) {
            message = "Zeichen ohne Windows-1252-Form im Text \"" + clue + "\"";
            return false;
        }
        if (w.Clue.size() > TPuzzleWord{}.Clue.Capacity) {
            message = "Umschreibung ist länger als " + std::to_string(TPuzzleWord{}.Clue.Capacity) +
                      " Zeichen";
            return false;
        }
    }
    const std::size_t open = head.find('[');
    if (open != std::string::npos) {
        const std::size_t close = head.find(']', open);
        if (close == std::string::npos || !TrimBlanks(head.substr(close + 1)).empty()) {
            message = "Optionen stehen in eckigen Klammern: BEGRIFF [w] = ...";
            return false;
        }
        if (!ReadOptions(head.substr(open + 1, close - open - 1), w, message)) return false;
        head = TrimBlanks(head.substr(0, open));
    }
    if (head.empty()) {
        message = "Begriff fehlt vor der Umschreibung";
        return false;
    }
    if (!AnswerForm(head, w.Answer, message)) return false;
    if (w.Answer.size() < 2) {
        message = "ein Begriff hat mindestens 2 Buchstaben";
        return false;
    }
    if (w.Answer.size() > TPuzzleWord{}.Answer.Capacity) {
        message = "Begriff " + w.Answer + " ist länger als 15 Buchstaben";
        return false;
    }
    return true;
}

bool ReadWordList(std::string_view text, bool clueNeeded, std::vector<TWordLine>& out,
                  TWordListError& error) {
    out.clear();
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3); // byte order mark
    int no = 0;
    bool header = true; // a "[begriffe]" line may open the list
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string t = TrimBlanks(text.substr(pos, end - pos));
        pos = end + 1;
        ++no;
        if (t.empty() || t[0] == ';') continue;
        if (header && FoldKey(t) == "[begriffe]") {
            header = false;
            continue;
        }
        header = false;
        TWordLine w;
        std::string message;
        if (!ParseWordLine(t, no, w, message)) {
            error = {no, message};
            return false;
        }
        if (clueNeeded && w.Clue.empty()) {
            error = {no, "Umschreibung zu " + w.Answer + " fehlt"};
            return false;
        }
        for (const TWordLine& o : out)
            if (o.Answer == w.Answer) {
                error = {no,
                         "Begriff " + w.Answer + " steht schon in Zeile " + std::to_string(o.Line)};
                return false;
            }
        out.push_back(std::move(w));
        if (out.size() > static_cast<std::size_t>(MaxWords)) {
            error = {no, "mehr als 201 Begriffe"};
            return false;
        }
    }
    if (out.empty()) {
        error = {0, "die Wortliste enthält keinen Begriff"};
        return false;
    }
    return true;
}

} // namespace zx
