// The content of the clue lists: rows per puzzle kind, the done mark, the
// exchange sort and the look-ups the windows share.
#include "legend/LegendModel.h"

#include <charconv>
#include <climits>
#include <cstdlib>
#include <utility>

#include "rules/WordQueries.h"

namespace zx {

namespace {

TLegendRows LineRows(const TPuzzleData& p, bool across, bool withBlocks) {
    TLegendRows rows;
    const int lines = across ? UsedRows(p) : UsedCols(p);
    for (int line = 1; line <= lines; ++line) {
        TLegendRow row;
        row.Cells[0] = std::to_string(line);
        if (withBlocks) row.Cells[1] = std::to_string(CountBlocks(p, line, across));
        row.Cells[2] = LineClues(p, line, across);
        rows.push_back(std::move(row));
    }
    return rows;
}

// Column 1 of a word row before the done sign: the number, the length or 1.
int WordValue(TPuzzleKind kind, const TPuzzleWord& w) {
    if (IsSwedish(kind)) return w.Number;
    if (IsBrainTeaser(kind)) return static_cast<int>(w.Answer.size());
    return 1;
}

void KeepOneRow(TLegendRows& rows) {
    if (rows.empty()) rows.emplace_back();
}
} // namespace

bool TwoListsShown(TPuzzleKind kind, const TProgramSettings& settings) {
    return !settings.EinfacheLegende || IsSwedish(kind) || LinesListed(kind);
}

bool LinesListed(TPuzzleKind kind) {
    return IsFrench(kind) || IsAmerican(kind);
}

int LegendColWidth(TPuzzleKind kind, int col) {
    if (col == 0) return LinesListed(kind) ? 30 : 0;
    if (IsFrench(kind)) return 0;
    if (IsFillIn(kind) || IsJigsaw(kind)) return 17;
    return 30;
}

bool ReadDecimal(std::string_view text, int& value) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty() || text.front() == '+') return false;
    const char* end = text.data() + text.size();
    int n = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), end, n);
    if (ec != std::errc() || ptr != end) return false;
    value = n;
    return true;
}

std::string DoneText(std::string_view text, bool done) {
    int n = 0;
    if (!ReadDecimal(text, n)) return std::string(text);
    // |INT_MIN| does not fit an int.
    const long long magnitude = std::llabs(static_cast<long long>(n));
    std::string result = done ? "-" : "";
    result += std::to_string(magnitude);
    return result;
}

bool IsDoneText(std::string_view text) {
    int n = 0;
    return ReadDecimal(text, n) && n < 0;
}

int RowNumber(std::string_view text) {
    int n = 0;
    if (!ReadDecimal(text, n)) return 0;
    return n < 0 && n != INT_MIN ? -n : n;
}

std::string SortKey(std::string_view text) {
    int n = 0;
    if (!ReadDecimal(text, n)) return std::string(text);
    std::string digits = std::to_string(std::llabs(static_cast<long long>(n)));
    if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
    return digits;
}

TLegendContent BuildLegend(const TPuzzleData& p, const TProgramSettings& settings) {
    const TPuzzleKind kind = KindOf(p);
    TLegendContent content;
    content.TwoLists = TwoListsShown(kind, settings);
    if (LinesListed(kind)) {
        content.Across = LineRows(p, true, IsAmerican(kind));
        content.Down = LineRows(p, false, IsAmerican(kind));
    } else {
        for (int i = 0; i < p.wordCount(); ++i) {
            const TPuzzleWord& w = p.Words[i];
            if (settings.BegriffeAusblenden && w.Done) continue;
            TLegendRow row;
            row.Cells[0] = ">";
            row.Cells[1] = DoneText(std::to_string(WordValue(kind, w)), w.Done != 0);
            const bool wordShown = IsBrainTeaser(kind) || IsJigsaw(kind);
            row.Cells[2] = wordShown ? w.Answer.str() : w.Clue.str();
            row.WordIndex = i;
            content.List(InAcrossList(DirOf(w), content.TwoLists)).push_back(std::move(row));
        }
    }
    KeepOneRow(content.Across);
    KeepOneRow(content.Down);
    for (TLegendRows* rows : {&content.Across, &content.Down}) {
        if (IsSwedish(kind)) SortLegendList(*rows, 1, true);
        else if (IsBrainTeaser(kind)) SortLegendList(*rows, 1, false);
        else if (IsFillIn(kind) || IsJigsaw(kind)) SortLegendList(*rows, 2, true);
    }
    return content;
}

void SortLegendList(TLegendRows& rows, int column, bool ascending) {
    const std::size_t n = rows.size();
    // The keys move with their rows, so each is computed once.
    std::vector<std::string> keys;
    keys.reserve(n);
    for (const TLegendRow& r : rows) keys.push_back(SortKey(r.Cells[static_cast<std::size_t>(column)]));
    for (std::size_t i = 0; i + 1 < n; ++i) {
        for (std::size_t j = i + 1; j < n; ++j) {
            const bool exchange = ascending ? keys[j] < keys[i] : keys[i] < keys[j];
            if (!exchange) continue;
            std::swap(keys[i], keys[j]);
            std::swap(rows[i], rows[j]);
        }
    }
}

void DeleteLegendRow(TLegendRows& rows, int row) {
    if (row < 0 || row >= static_cast<int>(rows.size())) return;
    if (rows.size() == 1) {
        rows.front() = TLegendRow{};
        return;
    }
    rows.erase(rows.begin() + row);
}

int FindRowOfWord(const TLegendRows& rows, int wordIndex) {
    for (std::size_t r = 0; r < rows.size(); ++r)
        if (rows[r].WordIndex == wordIndex) return static_cast<int>(r);
    return -1;
}

int FindLegendRow(const TPuzzleData& p, const TLegendContent& content, int number,
                  TWordDir direction, int length) {
    const TLegendRows& rows = content.List(InAcrossList(direction, content.TwoLists));
    const long long wanted = std::llabs(static_cast<long long>(number));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int index = rows[r].WordIndex;
        // Rows without a word, or with an index beyond the records, are skipped.
        if (index < 0 || index >= p.wordCount()) continue;
        const TPuzzleWord& w = p.Words[index];
        if (PlainNumber(w.Number) != wanted || DirOf(w) != direction) continue;
        if (w.Direction != wdAcross && w.Direction != wdDown) continue;
        if (length >= 0 && static_cast<int>(w.Answer.size()) != length) continue;
        return static_cast<int>(r);
    }
    return -1;
}

TLegendEntry ReadLegendRow(const TPuzzleData& p, const TLegendRows& rows, int row) {
    TLegendEntry e;
    if (row < 0 || row >= static_cast<int>(rows.size())) return e;
    const TLegendRow& r = rows[static_cast<std::size_t>(row)];
    const TPuzzleKind kind = KindOf(p);
    e.WordIndex = r.WordIndex;
    constexpr std::size_t MaxText = 255;
    if (LinesListed(kind)) {
        ReadDecimal(r.Cells[0], e.LineNo);
        if (IsAmerican(kind)) ReadDecimal(r.Cells[1], e.Count);
        e.Clue = r.Cells[2].substr(0, MaxText);
    } else if (IsSwedish(kind)) {
        e.Number = RowNumber(r.Cells[1]);
        e.Clue = r.Cells[2].substr(0, MaxText);
    } else if (IsBrainTeaser(kind) || IsJigsaw(kind)) {
        e.Word = r.Cells[2].substr(0, MaxText);
    } else {
        e.Clue = r.Cells[2].substr(0, MaxText);
    }
    return e;
}

} // namespace zx
