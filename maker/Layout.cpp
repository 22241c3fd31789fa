// Crossword layout: greedy placement by crossings inside a box, then a
// large-neighbourhood search that moves words and drops box edges, with seeded
// restarts under a work budget.
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

    int W, H;
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

// Where each word stands in a board, 0-based.
struct TPos {
    bool Placed = false;
    int X = 0, Y = 0;
    bool Across = true;
    bool Reversed = false;
};

// A layout in its box, with what it is judged by.
struct TState {
    int W = 0, H = 0;
    std::vector<TPos> Pos;
    int Placed = 0;
    int Crossings = 0;
    int LetterCells = 0;
    int MinX = 0, MinY = 0, Cols = 0, Rows = 0; // the letters' bounding box
};

class TSearch {
public:
    TSearch(const std::vector<TLayoutWord>& words, const TLayoutOptions& o)
        : m_words(words), m_options(o), m_random(o.Seed) {
        m_options.Budget = EffectiveBudget(o, words.size());
        for (const TLayoutWord& w : words) {
            m_forms.push_back(w.Letters);
            m_reversed.push_back(std::string(w.Letters.rbegin(), w.Letters.rend()));
        }
    }

    TCrosswordLayout Run() {
        const int n = static_cast<int>(m_words.size());
        TCrosswordLayout result;
        result.Words.assign(n, {});
        if (n == 0) return result;
        int longest = 0, letters = 0;
        for (const TLayoutWord& w : m_words) {
            longest = std::max<int>(longest, static_cast<int>(w.Letters.size()));
            letters += static_cast<int>(w.Letters.size());
        }
        const int maxW = m_options.MaxCols, maxH = m_options.MaxRows;
        // The first box: about twice the letters, at most the limits.
        long area = std::max<long>(long(letters) * 2, long(longest) * longest / 2);
        TState& best = m_best;
        while (m_steps < m_options.Budget) {
            int w, h;
            BoxFor(area, longest, maxW, maxH, w, h);
            TState s = Construct(w, h);
            const bool complete = s.Placed == n;
            if (complete) {
                // Improve this start with a share of what is left of the budget.
                const std::int64_t left = m_options.Budget - m_steps;
                Improve(s, m_steps + std::max<std::int64_t>(left / 3,
                                                            std::min(left, m_options.Budget / 8)));
            }
            Offer(s);
            // The next start gets a box a little larger than the best layout,
            // which the improvement then shrinks again.
            if (complete) {
                area = long(best.Cols) * best.Rows * 11 / 10;
            } else if (!(w >= maxW && h >= maxH)) {
                area = area * 115 / 100;
            }
        }
        result.Cols = best.Cols;
        result.Rows = best.Rows;
        result.Placed = best.Placed;
        result.LetterCells = best.LetterCells;
        result.CrossingCells = best.Crossings;
        result.Steps = m_steps;
        if (best.Pos.empty()) return result;
        // Cut the box to the letters and make the positions 1-based.
        TBoard b = Build(best, best.W, best.H, 0, 0, {});
        result.Grid.assign(best.Rows, std::string(best.Cols, '#'));
        for (int y = 0; y < best.Rows; ++y)
            for (int x = 0; x < best.Cols; ++x)
                if (const char c = b.At(x + best.MinX, y + best.MinY)) result.Grid[y][x] = c;
        for (int i = 0; i < n; ++i) {
            const TPos& p = best.Pos[i];
            if (p.Placed)
                result.Words[i] = {true, p.X - best.MinX + 1, p.Y - best.MinY + 1,
                                   p.Across ? TWordDir::Across : TWordDir::Down, p.Reversed};
        }
        return result;
    }

private:
    // What the improvement minimises among complete layouts: a little of the
    // area, less a bonus for each crossing (a crossing saves a letter cell and
    // ties the grid together), plus a penalty for each cell of area beyond
    // what the density goal allows. Below that area, crossings count most.
    static double Cost(const TState& s) {
        const double area = double(s.Cols) * s.Rows;
        return AreaWeight * area - CrossingBonus * s.Crossings +
               OverPenalty * std::max(0.0, area - s.LetterCells / CostDensity);
    }

    // The layout the search returns: most words, then one at the density
    // goal before one below it; among those at the goal the most crossings,
    // then the smallest area; below the goal the lower cost.
    static bool Better(const TState& a, const TState& b) {
        if (a.Placed != b.Placed) return a.Placed > b.Placed;
        const bool ga = a.LetterCells >= DensityGoal * a.Cols * a.Rows,
                   gb = b.LetterCells >= DensityGoal * b.Cols * b.Rows;
        if (ga != gb) return ga;
        if (ga && a.Crossings != b.Crossings) return a.Crossings > b.Crossings;
        if (ga) return long(a.Cols) * a.Rows < long(b.Cols) * b.Rows;
        return Cost(a) < Cost(b);
    }

    // Keeps the state when it beats the best one so far: the improvement
    // offers every layout it reaches, not only where it ends.
    void Offer(const TState& s) {
        if (Better(s, m_best)) m_best = s;
    }

    // A box of about the given area, near square but at least as long as the
    // longest word on one side, within the limits.
    void BoxFor(long area, int longest, int maxW, int maxH, int& w, int& h) {
        const double side = std::sqrt(double(area));
        // A little variety in the proportions from attempt to attempt.
        const double ratio = 0.85 + 0.3 * (m_random.Below(1000) / 1000.0);
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
        const double mx = x + (across ? (len - 1) / 2.0 : 0),
                     my = y + (across ? 0 : (len - 1) / 2.0);
        const double dx = (mx - (b.W - 1) / 2.0) / b.W, dy = (my - (b.H - 1) / 2.0) / b.H;
        std::uint64_t h = salt ^ (std::uint64_t(i) << 40) ^ (std::uint64_t(x) << 24) ^
                          (std::uint64_t(y) << 8) ^ (across ? 2u : 0u) ^ (rev ? 1u : 0u);
        h = TRandom(h).Next();
        return crossings * 10.0 + len * 0.5 - (dx * dx + dy * dy) * 10.0 +
               2.0 * double(h % 1000) / 1000.0;
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

    void Place(TBoard& b, TState& s, int i, const TCandidate& c) {
        b.Put(Form(i, c.Reversed), c.X, c.Y, c.Across);
        s.Pos[i] = {true, c.X, c.Y, c.Across, c.Reversed};
    }

    // Counts and bounding box of a state from its board.
    static void Measure(const TBoard& b, TState& s) {
        s.W = b.W;
        s.H = b.H;
        s.Placed = 0;
        for (const TPos& p : s.Pos)
            s.Placed += p.Placed;
        s.LetterCells = static_cast<int>(b.Filled.size());
        s.Crossings = 0;
        for (const int c : b.Filled)
            s.Crossings += b.Use(c % b.W, c / b.W) == (UseAcross | UseDown);
        s.MinX = b.MinX;
        s.MinY = b.MinY;
        s.Cols = b.MaxX - b.MinX + 1;
        s.Rows = b.MaxY - b.MinY + 1;
    }

    // The greedy construction in a box of w x h: a long word in the middle,
    // then always the word whose best place scores highest.
    TState Construct(int w, int h) {
        const int n = static_cast<int>(m_words.size());
        const std::uint64_t salt = m_random.Next();
        TBoard b(w, h);
        TState s;
        s.Pos.assign(n, {});
        std::vector<int> order(n);
        std::iota(order.begin(), order.end(), 0);
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
            Place(b, s, i, {x, y, across, rev, 0, 0});
            first = i;
        }
        if (first < 0) {
            m_steps += 1;
            return s;
        }
        std::vector<int> rest;
        for (int i : order)
            if (i != first) rest.push_back(i);
        std::vector<TCandidate> cached(n);
        for (int i : rest)
            BestPlace(b, i, b.Filled, salt, cached[i]);
        while (!rest.empty() && m_steps + b.Steps < m_options.Budget) {
            int bestK = -1;
            for (int k = 0; k < static_cast<int>(rest.size()); ++k) {
                const TCandidate& c = cached[rest[k]];
                if (c.Crossings > 0 && (bestK < 0 || c.Score > cached[rest[bestK]].Score))
                    bestK = k;
            }
            if (bestK < 0) break;
            const int i = rest[bestK];
            const TCandidate best = cached[i];
            const int len = static_cast<int>(m_forms[i].size());
            const std::size_t before = b.Filled.size();
            Place(b, s, i, best);
            rest.erase(rest.begin() + bestK);
            const std::vector<int> fresh(b.Filled.begin() + static_cast<long>(before),
                                         b.Filled.end());
            const int x1 = best.Across ? best.X + len - 1 : best.X;
            const int y1 = best.Across ? best.Y : best.Y + len - 1;
            for (int j : rest) {
                TCandidate& c = cached[j];
                if (c.Crossings > 0 &&
                    !Near(c, static_cast<int>(m_forms[j].size()), best.X, best.Y, x1, y1)) {
                    BestPlace(b, j, fresh, salt, c);
                } else {
                    c = TCandidate{};
                    BestPlace(b, j, b.Filled, salt, c);
                }
            }
        }
        m_steps += b.Steps + 1;
        Measure(b, s);
        return s;
    }

    // The board of a state in a box of w x h, its words moved by (dx, dy),
    // without the words marked in `without`.
    TBoard Build(const TState& s, int w, int h, int dx, int dy, const std::vector<bool>& without) {
        TBoard b(w, h);
        for (int i = 0; i < static_cast<int>(s.Pos.size()); ++i) {
            const TPos& p = s.Pos[i];
            if (p.Placed && (without.empty() || !without[i]))
                b.Put(Form(i, p.Reversed), p.X + dx, p.Y + dy, p.Across);
        }
        return b;
    }

    // Whether every run of two or more letters is a word and all letters hang
    // together: after words are taken out, two crossing words that stood side
    // by side may touch, or the grid may fall apart.
    static bool Sound(TBoard& b) {
        if (b.Filled.empty()) return false;
        std::vector<char> seen(b.W * b.H, 0);
        std::vector<int> todo = {b.Filled.front()};
        seen[todo.front()] = 1;
        std::size_t reached = 0;
        while (!todo.empty()) {
            const int c = todo.back();
            todo.pop_back();
            ++reached;
            const int x = c % b.W, y = c / b.W;
            const bool side = !b.Empty(x - 1, y) || !b.Empty(x + 1, y);
            const bool updown = !b.Empty(x, y - 1) || !b.Empty(x, y + 1);
            if ((side && !(b.Use(x, y) & UseAcross)) || (updown && !(b.Use(x, y) & UseDown)))
                return false;
            const int nx[] = {x - 1, x + 1, x, x}, ny[] = {y, y, y - 1, y + 1};
            for (int k = 0; k < 4; ++k)
                if (!b.Empty(nx[k], ny[k]) && !seen[ny[k] * b.W + nx[k]]) {
                    seen[ny[k] * b.W + nx[k]] = 1;
                    todo.push_back(ny[k] * b.W + nx[k]);
                }
        }
        b.Steps += static_cast<std::int64_t>(reached);
        return reached == b.Filled.size();
    }

    // Taking words out of a grid that is nearly a tree mostly splits it: then
    // the words outside its largest part go out too, to be put back with the
    // others. False when that would be more than half of the words.
    bool KeepLargestPart(TBoard& b, TState& s, std::vector<int>& removed) {
        std::vector<int> part(b.W * b.H, -1), size;
        for (const int start : b.Filled) {
            if (part[start] >= 0) continue;
            const int label = static_cast<int>(size.size());
            size.push_back(0);
            std::vector<int> todo = {start};
            part[start] = label;
            while (!todo.empty()) {
                const int c = todo.back();
                todo.pop_back();
                ++size[label];
                const int x = c % b.W, y = c / b.W;
                const int nx[] = {x - 1, x + 1, x, x}, ny[] = {y, y, y - 1, y + 1};
                for (int k = 0; k < 4; ++k)
                    if (!b.Empty(nx[k], ny[k]) && part[ny[k] * b.W + nx[k]] < 0) {
                        part[ny[k] * b.W + nx[k]] = label;
                        todo.push_back(ny[k] * b.W + nx[k]);
                    }
            }
        }
        b.Steps += static_cast<std::int64_t>(b.Filled.size());
        if (size.size() <= 1) return true;
        const int keep =
            static_cast<int>(std::max_element(size.begin(), size.end()) - size.begin());
        for (int i = 0; i < static_cast<int>(s.Pos.size()); ++i) {
            TPos& p = s.Pos[i];
            if (p.Placed && part[p.Y * b.W + p.X] != keep) {
                p.Placed = false;
                removed.push_back(i);
            }
        }
        if (static_cast<int>(removed.size()) * 2 > static_cast<int>(s.Pos.size())) return false;
        const std::int64_t steps = b.Steps;
        b = Build(s, b.W, b.H, 0, 0, {});
        b.Steps = steps;
        return true;
    }

    // Puts the words back one by one, always the best-scoring place first.
    bool Reinsert(TBoard& b, TState& s, std::vector<int> words, std::uint64_t salt) {
        while (!words.empty()) {
            int bestK = -1;
            TCandidate best;
            for (int k = 0; k < static_cast<int>(words.size()); ++k) {
                TCandidate c;
                BestPlace(b, words[k], b.Filled, salt, c);
                if (c.Crossings > 0 && c.Score > best.Score) {
                    best = c;
                    bestK = k;
                }
            }
            if (bestK < 0) return false;
            Place(b, s, words[bestK], best);
            words.erase(words.begin() + bestK);
        }
        return true;
    }

    // Moves the words so that the box is the letters' bounding box, and
    // measures the layout anew.
    void Tighten(TState& s) {
        const int minX = s.MinX, minY = s.MinY;
        for (TPos& p : s.Pos) {
            p.X -= minX;
            p.Y -= minY;
        }
        TBoard b = Build(s, s.Cols, s.Rows, 0, 0, {});
        Measure(b, s);
    }

    // Large-neighbourhood search on a complete layout: take some words out and
    // put them back elsewhere, or take out the words on one edge and put them
    // back into the box without that edge; keep what is not worse.
    void Improve(TState& cur, std::int64_t until) {
        const int n = static_cast<int>(m_words.size());
        // Start from the letters' bounding box.
        Tighten(cur);
        while (m_steps < until) {
            TState next = cur;
            std::vector<bool> out(n, false);
            std::vector<int> removed;
            int w = cur.W, h = cur.H, dx = 0, dy = 0;
            const int move = m_random.Below(10);
            if (move < ShrinkShare) {
                // Shrink: one edge of the box goes, with the words on it.
                const int edge = m_random.Below(4);
                const bool vertical = edge < 2; // a column goes
                if ((vertical ? w : h) <= 2) {
                    m_steps += 1;
                    continue;
                }
                const int line = edge == 0 ? 0 : edge == 1 ? w - 1 : edge == 2 ? 0 : h - 1;
                if (vertical)
                    --w;
                else
                    --h;
                if (edge == 0) dx = -1;
                if (edge == 2) dy = -1;
                for (int i = 0; i < n; ++i) {
                    const TPos& p = cur.Pos[i];
                    const int len = static_cast<int>(m_forms[i].size());
                    const int lo = vertical ? p.X : p.Y;
                    const int hi = lo + ((vertical == p.Across) ? len - 1 : 0);
                    if (lo <= line && line <= hi) {
                        out[i] = true;
                        removed.push_back(i);
                    }
                }
                if (static_cast<int>(removed.size()) > std::max(6, n / 4)) {
                    m_steps += 1;
                    continue;
                }
            } else {
                if (move < ShrinkShare + GrowShare) {
                    // Grow: one edge of the box moves out by a cell, room for
                    // the words put back to cross more.
                    const int edge = m_random.Below(4);
                    if (edge < 2 && w < m_options.MaxCols) {
                        ++w;
                        dx = edge == 0;
                    } else if (edge >= 2 && h < m_options.MaxRows) {
                        ++h;
                        dy = edge == 2;
                    }
                }
                // Ruin and recreate: a word and some of its neighbours.
                const int v = m_random.Below(n);
                const TPos& pv = cur.Pos[v];
                const int lv = static_cast<int>(m_forms[v].size());
                const int x0 = pv.X, y0 = pv.Y;
                const int x1 = pv.Across ? pv.X + lv - 1 : pv.X,
                          y1 = pv.Across ? pv.Y : pv.Y + lv - 1;
                out[v] = true;
                removed.push_back(v);
                const int more = m_random.Below(MaxRuin);
                for (int k = 0; k < n && static_cast<int>(removed.size()) <= more; ++k) {
                    const int i = (v + 1 + k * 7919) % n;
                    if (out[i]) continue;
                    const TPos& p = cur.Pos[i];
                    const int len = static_cast<int>(m_forms[i].size());
                    const int px1 = p.Across ? p.X + len - 1 : p.X,
                              py1 = p.Across ? p.Y : p.Y + len - 1;
                    if (px1 + NearCells < x0 || p.X - NearCells > x1 || py1 + NearCells < y0 ||
                        p.Y - NearCells > y1)
                        continue;
                    if (m_random.Below(2)) continue;
                    out[i] = true;
                    removed.push_back(i);
                }
            }
            for (int i : removed)
                next.Pos[i].Placed = false;
            for (TPos& p : next.Pos) {
                p.X += dx;
                p.Y += dy;
            }
            TBoard b = Build(next, w, h, 0, 0, {});
            if (!KeepLargestPart(b, next, removed)) {
                m_steps += b.Steps + 1;
                continue;
            }
            const bool sound = Sound(b) && Reinsert(b, next, removed, m_random.Next());
            m_steps += b.Steps + 1;
            if (!sound) continue;
            Measure(b, next);
            Offer(next);
            const double loss = Cost(next) - Cost(cur);
            if (loss <= 0 || m_random.Below(1000) < 1000.0 * std::exp(-loss / Temperature)) {
                // Keep the box tight around the letters.
                if (next.MinX || next.MinY || next.Cols != next.W || next.Rows != next.H)
                    Tighten(next);
                cur = next;
            }
        }
    }

    // Search settings, tuned on the benchmark lists: a crossing is worth ten
    // cost, a cell of area 0.3 and each cell beyond density CostDensity three
    // more; the layout returned should reach DensityGoal; a worse layout is
    // kept with the chance exp(-loss / Temperature); a ruin takes out up to
    // MaxRuin words within NearCells of the first; ShrinkShare of ten moves
    // try to drop an edge, GrowShare add one.
    static constexpr double CrossingBonus = 10.0, AreaWeight = 0.3, OverPenalty = 3.0,
                            CostDensity = 0.46, DensityGoal = 0.45, Temperature = 2.0;
    static constexpr int MaxRuin = 8, ShrinkShare = 3, GrowShare = 1, NearCells = 3;

    const std::vector<TLayoutWord>& m_words;
    TLayoutOptions m_options;
    TRandom m_random;
    std::vector<std::string> m_forms, m_reversed;
    std::int64_t m_steps = 0;
    TState m_best;
};

} // namespace

TCrosswordLayout LayOutCrossword(const std::vector<TLayoutWord>& words,
                                 const TLayoutOptions& options) {
    TSearch search(words, options);
    return search.Run();
}

} // namespace zx
