// Jigsaw layout: words placed with crossings in a near-square grid, filler
// letters drawn by German letter frequency and redrawn until every word occurs
// once.
#include "maker/Jigsaw.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace zx {
namespace {

// Letters weighted by their frequency in German text (per mille, rounded).
constexpr struct {
    char Letter;
    int Weight;
} Frequencies[] = {{'E', 174}, {'N', 98}, {'I', 76}, {'S', 73}, {'R', 70}, {'A', 65}, {'T', 62},
                   {'D', 51},  {'H', 48}, {'U', 44}, {'L', 34}, {'C', 31}, {'G', 30}, {'M', 25},
                   {'O', 25},  {'B', 19}, {'W', 19}, {'F', 17}, {'K', 12}, {'Z', 11}, {'P', 8},
                   {'V', 7},   {'J', 3},  {'Y', 1},  {'X', 1},  {'Q', 1}};

char FillerLetter(TRandom& random) {
    int total = 0;
    for (const auto& f : Frequencies)
        total += f.Weight;
    int r = random.Below(total);
    for (const auto& f : Frequencies) {
        if (r < f.Weight) return f.Letter;
        r -= f.Weight;
    }
    return 'E';
}

std::string Reversed(const std::string& s) {
    return std::string(s.rbegin(), s.rend());
}

struct TOccurrence {
    int X, Y;
    bool Across;
};

class TJigsaw {
public:
    TJigsaw(const std::vector<TLayoutWord>& words, bool reverseAllowed, const TLayoutOptions& o)
        : m_words(words), m_reverse(reverseAllowed), m_options(o), m_random(o.Seed) {
        m_options.Budget = EffectiveBudget(o, words.size());
    }

    bool Run(TJigsawLayout& out, int& failedWord) {
        const int n = static_cast<int>(m_words.size());
        failedWord = -1;
        int letters = 0, longest = 0;
        for (const TLayoutWord& w : m_words) {
            letters += static_cast<int>(w.Letters.size());
            longest = std::max<int>(longest, static_cast<int>(w.Letters.size()));
        }
        // Words inside other words are hidden there, not a second time.
        m_host.assign(n, -1);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n && m_host[i] < 0; ++j)
                if (i != j && m_words[j].Letters.size() > m_words[i].Letters.size() &&
                    (m_words[j].Letters.find(m_words[i].Letters) != std::string::npos ||
                     (m_reverse &&
                      m_words[j].Letters.find(Reversed(m_words[i].Letters)) != std::string::npos)))
                    m_host[i] = j;
        long area = std::max<long>(long(letters) * 3 / 2, long(longest) * longest);
        while (m_steps < m_options.Budget) {
            const int side = static_cast<int>(std::ceil(std::sqrt(double(area))));
            const int w = std::clamp(std::max(side, 2), 2, m_options.MaxCols);
            const int h = std::clamp(static_cast<int>((area + w - 1) / w), 2, m_options.MaxRows);
            if (std::max(w, h) < longest) return false;
            for (int attempt = 0; attempt < 8 && m_steps < m_options.Budget; ++attempt)
                if (Attempt(w, h, out, failedWord)) {
                    out.Steps = m_steps;
                    return true;
                }
            if (w >= m_options.MaxCols && h >= m_options.MaxRows) continue;
            area = area * 115 / 100;
        }
        return false;
    }

private:
    bool Fits(const std::string& t, int x, int y, bool across, int& overlap) {
        const int len = static_cast<int>(t.size());
        const int dx = across, dy = !across;
        ++m_steps; // every place tried counts, so that the budget always ends the search
        if (x < 0 || y < 0 || x + dx * (len - 1) >= m_w || y + dy * (len - 1) >= m_h) return false;
        overlap = 0;
        for (int k = 0; k < len; ++k) {
            ++m_steps;
            const int i = (y + dy * k) * m_w + x + dx * k;
            if (!m_grid[i]) continue;
            // Words cross, they do not run along each other.
            if (m_grid[i] != t[k] || (m_use[i] & (across ? 1 : 2))) return false;
            ++overlap;
        }
        return overlap < len;
    }

    void Put(const std::string& t, int x, int y, bool across) {
        const int dx = across, dy = !across;
        for (int k = 0; k < static_cast<int>(t.size()); ++k) {
            const int i = (y + dy * k) * m_w + x + dx * k;
            m_grid[i] = t[k];
            m_use[i] |= across ? 1 : 2;
        }
    }

    // Every place where word i can be read: forwards, and backwards where
    // the puzzle allows it (a palindrome counts once).
    std::vector<TOccurrence> Occurrences(int i, const std::vector<char>& g) {
        std::vector<TOccurrence> found;
        const std::string& a = m_words[i].Letters;
        const std::string r = Reversed(a);
        const int len = static_cast<int>(a.size());
        for (bool across : {true, false})
            for (int y = 0; y + (across ? 0 : len - 1) < m_h; ++y)
                for (int x = 0; x + (across ? len - 1 : 0) < m_w; ++x) {
                    bool fwd = true, back = m_reverse && r != a;
                    for (int k = 0; k < len && (fwd || back); ++k) {
                        ++m_steps;
                        const char c = g[(y + (across ? 0 : k)) * m_w + x + (across ? k : 0)];
                        fwd = fwd && c == a[k];
                        back = back && c == r[k];
                    }
                    if (fwd || back) found.push_back({x, y, across});
                }
        return found;
    }

    bool Attempt(int w, int h, TJigsawLayout& out, int& failedWord) {
        const int n = static_cast<int>(m_words.size());
        m_w = w;
        m_h = h;
        m_grid.assign(w * h, 0);
        m_use.assign(w * h, 0);
        std::vector<TPlacement> placed(n);
        std::vector<int> order(n);
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return m_words[a].Letters.size() > m_words[b].Letters.size();
        });
        for (int i : order) {
            if (m_host[i] >= 0) continue;
            const TLayoutWord& word = m_words[i];
            int bestScore = -1;
            TPlacement best;
            for (bool rev : {false, true}) {
                if (rev ? !(word.MustReverse || (word.MayReverse && m_reverse)) : word.MustReverse)
                    continue;
                const std::string t = rev ? Reversed(word.Letters) : word.Letters;
                for (bool across : {true, false}) {
                    if (word.Dir && (*word.Dir == TWordDir::Across) != across) continue;
                    for (int y = 0; y < h; ++y)
                        for (int x = 0; x < w; ++x) {
                            int overlap = 0;
                            if (!Fits(t, x, y, across, overlap)) continue;
                            const int score = overlap * 1000 + m_random.Below(1000);
                            if (score > bestScore) {
                                bestScore = score;
                                best = {true, x, y, across ? TWordDir::Across : TWordDir::Down,
                                        rev};
                            }
                        }
                }
            }
            if (bestScore < 0) {
                failedWord = i;
                return false;
            }
            Put(best.Reversed ? Reversed(word.Letters) : word.Letters, best.Col, best.Row,
                best.Dir == TWordDir::Across);
            placed[i] = best;
        }
        // A word inside its host: its one occurrence there.
        for (int i = 0; i < n; ++i) {
            if (m_host[i] < 0) continue;
            std::vector<char> g = m_grid;
            const std::vector<TOccurrence> occ = Occurrences(i, g);
            if (occ.size() != 1) {
                failedWord = i;
                return false;
            }
            const TOccurrence& o = occ.front();
            const std::string& a = m_words[i].Letters;
            const bool rev = !Matches(a, o);
            placed[i] = {true, o.X, o.Y, o.Across ? TWordDir::Across : TWordDir::Down, rev};
        }
        std::vector<bool> fixed(w * h, false);
        for (int c = 0; c < w * h; ++c)
            fixed[c] = m_grid[c] != 0;
        std::vector<char> g = m_grid;
        for (int c = 0; c < w * h; ++c)
            if (!g[c]) g[c] = FillerLetter(m_random);
        // Redraw filler letters of every second occurrence until none is left.
        for (int round = 0; round < 200; ++round) {
            bool clean = true;
            for (int i = 0; i < n; ++i) {
                const std::vector<TOccurrence> occ = Occurrences(i, g);
                for (const TOccurrence& o : occ) {
                    if (o.X == placed[i].Col && o.Y == placed[i].Row &&
                        o.Across == (placed[i].Dir == TWordDir::Across))
                        continue;
                    clean = false;
                    std::vector<int> free;
                    for (int k = 0; k < static_cast<int>(m_words[i].Letters.size()); ++k) {
                        const int c = (o.Y + (o.Across ? 0 : k)) * w + o.X + (o.Across ? k : 0);
                        if (!fixed[c]) free.push_back(c);
                    }
                    if (free.empty()) {
                        failedWord = i;
                        return false;
                    }
                    g[free[m_random.Below(static_cast<int>(free.size()))]] = FillerLetter(m_random);
                }
            }
            if (clean) {
                out.Cols = w;
                out.Rows = h;
                out.Grid.assign(h, std::string(w, ' '));
                out.InWord.assign(h, std::vector<bool>(w, false));
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) {
                        out.Grid[y][x] = g[y * w + x];
                        out.InWord[y][x] = fixed[y * w + x];
                    }
                out.Words = placed;
                for (TPlacement& p : out.Words) {
                    ++p.Col;
                    ++p.Row;
                }
                return true;
            }
            if (m_steps >= m_options.Budget) break;
        }
        return false;
    }

    bool Matches(const std::string& a, const TOccurrence& o) const {
        for (int k = 0; k < static_cast<int>(a.size()); ++k)
            if (m_grid[(o.Y + (o.Across ? 0 : k)) * m_w + o.X + (o.Across ? k : 0)] != a[k])
                return false;
        return true;
    }

    const std::vector<TLayoutWord>& m_words;
    bool m_reverse;
    TLayoutOptions m_options;
    TRandom m_random;
    std::vector<int> m_host;
    int m_w = 0, m_h = 0;
    std::vector<char> m_grid;
    std::vector<std::uint8_t> m_use;
    std::int64_t m_steps = 0;
};

} // namespace

bool LayOutJigsaw(const std::vector<TLayoutWord>& words, bool reverseAllowed,
                  const TLayoutOptions& options, TJigsawLayout& out, int& failedWord) {
    TJigsaw jigsaw(words, reverseAllowed, options);
    return jigsaw.Run(out, failedWord);
}

} // namespace zx
