// Crossword layout: greedy placement by crossings inside a box that shrinks,
// with seeded restarts under a work budget.
//
// A placement is legal when its new letters touch no other letter sideways
// and the cells before and after the word stay empty; then every maximal run
// of letters is a placed word, and that invariant carries from word to word.
#include "maker/Layout.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace zx {
namespace {

constexpr std::uint8_t UseAcross = 1, UseDown = 2;

struct TCandidate {
    int X = 0, Y = 0; // first cell in grid order, 0-based
    bool Across = true;
    bool Reversed = false;
    int Crossings = 0;
    double Score = -1e300;
};

class TBoard {
public:
    TBoard(int w, int h) : W(w), H(h), m_letters(w * h, 0), m_use(w * h, 0) {}

    const int W, H;
    int MinX = 1 << 20, MinY = 1 << 20, MaxX = -1, MaxY = -1;
    std::vector<int> Filled; // cell indexes holding a letter
    std::int64_t Steps = 0;

    char At(int x, int y) const { return m_letters[y * W + x]; }
    bool Empty(int x, int y) const {
        return x < 0 || y < 0 || x >= W || y >= H || m_letters[y * W + x] == 0;
    }
    std::uint8_t Use(int x, int y) const { return m_use[y * W + x]; }

    // Number of crossings of the word at (x, y), or -1 when it may not stand there.
    int Fit(const std::string& t, int x, int y, bool across) {
        const int len = static_cast<int>(t.size());
        const int dx = across, dy = !across;
        if (x < 0 || y < 0 || x + dx * (len - 1) >= W || y + dy * (len - 1) >= H) return -1;
        if (!Empty(x - dx, y - dy) || !Empty(x + dx * len, y + dy * len)) return -1;
        const std::uint8_t dirBit = across ? UseAcross : UseDown;
        int crossings = 0;
        for (int k = 0; k < len; ++k) {
            ++Steps;
            const int cx = x + dx * k, cy = y + dy * k;
            const char c = At(cx, cy);
            if (c) {
                if (c != t[k] || (Use(cx, cy) & dirBit)) return -1;
                ++crossings;
            } else if (!Empty(cx - dy, cy - dx) || !Empty(cx + dy, cy + dx)) {
                return -1;
            }
        }
        return crossings;
    }

    void Put(const std::string& t, int x, int y, bool across) {
        const int dx = across, dy = !across;
        for (int k = 0; k < static_cast<int>(t.size()); ++k) {
            const int cx = x + dx * k, cy = y + dy * k, i = cy * W + cx;
            if (!m_letters[i]) Filled.push_back(i);
            m_letters[i] = t[k];
            m_use[i] |= across ? UseAcross : UseDown;
            MinX = std::min(MinX, cx);
            MaxX = std::max(MaxX, cx);
            MinY = std::min(MinY, cy);
            MaxY = std::max(MaxY, cy);
        }
    }

    // Area of the letters' bounding box once cells (x0, y0)..(x1, y1) are added.
    long GrownArea(int x0, int y0, int x1, int y1) const {
        const long w = std::max(MaxX, x1) - std::min(MinX, x0) + 1;
        const long h = std::max(MaxY, y1) - std::min(MinY, y0) + 1;
        return w * h;
    }
    long Area() const { return MaxX < 0 ? 0 : long(MaxX - MinX + 1) * (MaxY - MinY + 1); }

private:
    std::vector<char> m_letters;
    std::vector<std::uint8_t> m_use;
};

// One attempt: the state of a box while words are placed.
struct TAttempt {
    std::vector<TPlacement> Placements;
    int Placed = 0;
    int Crossings = 0;
    int LetterCells = 0;
    int MinX = 0, MinY = 0, Cols = 0, Rows = 0;
    std::vector<std::string> Grid;
};

class TSearch {
public:
    TSearch(const std::vector<TLayoutWord>& words, const TLayoutOptions& o)
        : m_words(words), m_options(o), m_random(o.Seed) {
        for (const TLayoutWord& w : words) {
            m_forms.push_back(w.Letters);
            std::string r(w.Letters.rbegin(), w.Letters.rend());
            m_reversed.push_back(r);
        }
    }

    TCrosswordLayout Run() {
        const int n = static_cast<int>(m_words.size());
        TCrosswordLayout best;
        best.Words.assign(n, {});
        if (n == 0) return best;
        int longest = 0, letters = 0;
        for (const TLayoutWord& w : m_words) {
            longest = std::max<int>(longest, static_cast<int>(w.Letters.size()));
            letters += static_cast<int>(w.Letters.size());
        }
        const int maxW = m_options.MaxCols, maxH = m_options.MaxRows;
        // The first box: about twice the letters, at most the limits.
        long area = std::max<long>(long(letters) * 2, long(longest) * longest / 2);
        bool haveComplete = false;
        int failures = 0;
        TAttempt bestAttempt;
        while (m_steps < m_options.Budget) {
            int w, h;
            BoxFor(area, longest, maxW, maxH, w, h);
            TAttempt a = Attempt(w, h);
            const bool complete = a.Placed == n;
            if (Better(a, bestAttempt)) bestAttempt = a;
            if (complete) {
                haveComplete = true;
                failures = 0;
                area = static_cast<long>(std::min(area, long(a.Cols) * a.Rows) * m_shrink);
            } else if (!haveComplete && w >= maxW && h >= maxH) {
                // Even the largest box fails: keep trying other seeds there.
                ++failures;
            } else if (!haveComplete) {
                area = area * 115 / 100;
            } else if (++failures % 12 == 0) {
                // Stuck below the best box: loosen a little and try again.
                area = long(bestAttempt.Cols) * bestAttempt.Rows * 99 / 100;
            }
        }
        best.Cols = bestAttempt.Cols;
        best.Rows = bestAttempt.Rows;
        best.Grid = bestAttempt.Grid;
        best.Words = bestAttempt.Placements;
        best.Placed = bestAttempt.Placed;
        best.LetterCells = bestAttempt.LetterCells;
        best.CrossingCells = bestAttempt.Crossings;
        best.Steps = m_steps;
        if (best.Words.empty()) best.Words.assign(n, {});
        return best;
    }

private:
    static bool Better(const TAttempt& a, const TAttempt& b) {
        if (a.Placed != b.Placed) return a.Placed > b.Placed;
        const long areaA = long(a.Cols) * a.Rows, areaB = long(b.Cols) * b.Rows;
        if (areaA != areaB) return areaA < areaB;
        return a.Crossings > b.Crossings;
    }

    // A box of about the given area, near square but at least as long as the
    // longest word on one side, within the limits.
    void BoxFor(long area, int longest, int maxW, int maxH, int& w, int& h) {
        const double side = std::sqrt(double(area));
        // A little variety in the proportions from attempt to attempt.
        const double ratio = 0.8 + 0.4 * (m_random.Below(1000) / 1000.0);
        w = std::clamp(static_cast<int>(std::lround(side * ratio)), 2, maxW);
        h = std::clamp(static_cast<int>(area / std::max(w, 1)), 2, maxH);
        if (std::max(w, h) < longest) {
            if (maxW >= longest)
                w = longest;
            else
                h = std::min(maxH, longest);
        }
    }

    const std::string& Form(int i, bool reversed) const {
        return reversed ? m_reversed[i] : m_forms[i];
    }

    // Score of a candidate: crossings first, then long words, closeness to the
    // box centre and a seeded jitter that differs from attempt to attempt. It
    // depends on nothing else, so a word's best candidate stays best until a
    // placement nearby spoils it or a new letter offers a crossing.
    double Score(const TBoard& b, int i, int x, int y, bool across, bool rev, int crossings,
                 std::uint64_t salt) const {
        const int len = static_cast<int>(m_forms[i].size());
        const double mx = x + (across ? (len - 1) / 2.0 : 0), my = y + (across ? 0 : (len - 1) / 2.0);
        const double dx = (mx - (b.W - 1) / 2.0) / b.W, dy = (my - (b.H - 1) / 2.0) / b.H;
        std::uint64_t h = salt ^ (std::uint64_t(i) << 40) ^ (std::uint64_t(x) << 24) ^
                          (std::uint64_t(y) << 8) ^ (across ? 2u : 0u) ^ (rev ? 1u : 0u);
        h = TRandom(h).Next();
        return crossings * m_crossWeight + len * 0.5 - (dx * dx + dy * dy) * m_centreWeight +
               m_jitter * double(h % 1000) / 1000.0;
    }

    // Best candidate of word i that crosses one of the given cells.
    void BestPlace(TBoard& b, int i, const std::vector<int>& cells, std::uint64_t salt,
                   TCandidate& best) {
        const TLayoutWord& w = m_words[i];
        for (bool rev : {false, true}) {
            if (rev ? !(w.MayReverse || w.MustReverse) : w.MustReverse) continue;
            const std::string& t = Form(i, rev);
            const int len = static_cast<int>(t.size());
            for (const int cell : cells) {
                const int cx = cell % b.W, cy = cell / b.W;
                const char c = b.At(cx, cy);
                for (bool across : {true, false}) {
                    if (w.Dir && (*w.Dir == TWordDir::Across) != across) continue;
                    if (b.Use(cx, cy) & (across ? UseAcross : UseDown)) continue;
                    for (int k = 0; k < len; ++k) {
                        if (t[k] != c) continue;
                        const int x = across ? cx - k : cx, y = across ? cy : cy - k;
                        const int crossings = b.Fit(t, x, y, across);
                        if (crossings < 1) continue;
                        const double score = Score(b, i, x, y, across, rev, crossings, salt);
                        if (score > best.Score) best = {x, y, across, rev, crossings, score};
                    }
                }
            }
        }
    }

    // Whether the candidate's cells or their neighbours include a cell of the
    // placed word (x0, y0)..(x1, y1): then its legality may have changed.
    static bool Near(const TCandidate& c, int len, int x0, int y0, int x1, int y1) {
        const int cx1 = c.Across ? c.X + len - 1 : c.X, cy1 = c.Across ? c.Y : c.Y + len - 1;
        return !(cx1 + 1 < x0 || c.X - 1 > x1 || cy1 + 1 < y0 || c.Y - 1 > y1);
    }

    TAttempt Attempt(int w, int h) {
        const int n = static_cast<int>(m_words.size());
        const std::uint64_t salt = m_random.Next();
        TBoard b(w, h);
        TAttempt a;
        a.Placements.assign(n, {});
        std::vector<int> order(n);
        std::iota(order.begin(), order.end(), 0);
        // The first word: one of the longest that fits the box, in the middle.
        std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
            return m_words[x].Letters.size() > m_words[y].Letters.size();
        });
        int first = -1;
        const int pick = m_random.Below(std::min(n, 3));
        for (int tries = 0, k = 0; k < n && first < 0; ++k) {
            const int i = order[k];
            const int len = static_cast<int>(m_words[i].Letters.size());
            const bool across = m_words[i].Dir ? *m_words[i].Dir == TWordDir::Across
                                               : (len <= w && (len > h || m_random.Below(2)));
            if ((across ? w : h) < len) continue;
            if (tries++ < pick) continue;
            const bool rev = m_words[i].MustReverse || (m_words[i].MayReverse && m_random.Below(2));
            const int x = across ? (w - len) / 2 : w / 2, y = across ? h / 2 : (h - len) / 2;
            b.Put(Form(i, rev), x, y, across);
            a.Placements[i] = {true, x, y, across ? TWordDir::Across : TWordDir::Down, rev};
            first = i;
        }
        if (first < 0) return a;
        std::vector<int> rest;
        for (int i : order)
            if (i != first) rest.push_back(i);
        std::vector<TCandidate> cached(n);
        for (int i : rest)
            BestPlace(b, i, b.Filled, salt, cached[i]);
        int crossings = 0;
        while (!rest.empty() && m_steps + b.Steps < m_options.Budget) {
            int bestK = -1;
            for (int k = 0; k < static_cast<int>(rest.size()); ++k) {
                const TCandidate& c = cached[rest[k]];
                if (c.Crossings > 0 && (bestK < 0 || c.Score > cached[rest[bestK]].Score)) bestK = k;
            }
            if (bestK < 0) break;
            const int i = rest[bestK];
            const TCandidate best = cached[i];
            const std::string& t = Form(i, best.Reversed);
            const int len = static_cast<int>(t.size());
            const std::size_t before = b.Filled.size();
            b.Put(t, best.X, best.Y, best.Across);
            a.Placements[i] = {true, best.X, best.Y,
                               best.Across ? TWordDir::Across : TWordDir::Down, best.Reversed};
            crossings += best.Crossings;
            rest.erase(rest.begin() + bestK);
            const std::vector<int> fresh(b.Filled.begin() + static_cast<long>(before), b.Filled.end());
            const int x1 = best.Across ? best.X + len - 1 : best.X;
            const int y1 = best.Across ? best.Y : best.Y + len - 1;
            for (int j : rest) {
                TCandidate& c = cached[j];
                if (c.Crossings > 0 && !Near(c, static_cast<int>(m_forms[j].size()), best.X, best.Y, x1, y1)) {
                    BestPlace(b, j, fresh, salt, c);
                } else {
                    c = TCandidate{};
                    BestPlace(b, j, b.Filled, salt, c);
                }
            }
        }
        m_steps += b.Steps + 1;
        a.Placed = n - static_cast<int>(rest.size());
        a.Crossings = crossings;
        a.LetterCells = static_cast<int>(b.Filled.size());
        // Cut the box to the letters and make the positions 1-based.
        a.MinX = b.MinX;
        a.MinY = b.MinY;
        a.Cols = b.MaxX - b.MinX + 1;
        a.Rows = b.MaxY - b.MinY + 1;
        for (TPlacement& p : a.Placements)
            if (p.Placed) {
                p.Col -= b.MinX - 1;
                p.Row -= b.MinY - 1;
            }
        a.Grid.assign(a.Rows, std::string(a.Cols, '#'));
        for (int y = 0; y < a.Rows; ++y)
            for (int x = 0; x < a.Cols; ++x)
                if (const char c = b.At(x + b.MinX, y + b.MinY)) a.Grid[y][x] = c;
        return a;
    }

    const std::vector<TLayoutWord>& m_words;
    TLayoutOptions m_options;
    TRandom m_random;
    std::vector<std::string> m_forms, m_reversed;
    std::int64_t m_steps = 0;
    double m_crossWeight = 10.0, m_centreWeight = 4.0, m_jitter = 6.0, m_shrink = 0.96;
};

} // namespace

TCrosswordLayout LayOutCrossword(const std::vector<TLayoutWord>& words,
                                 const TLayoutOptions& options) {
    TSearch search(words, options);
    return search.Run();
}

} // namespace zx
