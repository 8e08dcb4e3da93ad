#include "core/stats/fairness.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <thread>

#include "core/draws/random_source.h"
#include "core/model/wheel.h"
#include "core/stats/significance.h"

namespace spinalyst {

namespace {

bool IsGreen(Pocket p) {
    return ColourOf(p) == PocketColour::Green;
}

// The cell of a pocket in an outside family, as FamilyTest orders them; -1 for green.
int FamilyCell(OutsideFamily family, Pocket p) {
    if (IsGreen(p)) return -1;
    switch (family) {
        case OutsideFamily::Dozens:
            return (p - 1) / 12;
        case OutsideFamily::Columns:
            return (p - 1) % 3;
        case OutsideFamily::RedBlack:
            return IsRed(p) ? 0 : 1;
        case OutsideFamily::EvenOdd:
            return p % 2 == 0 ? 0 : 1;
        case OutsideFamily::LowHigh:
            return p <= 18 ? 0 : 1;
    }
    return -1;
}

int FamilyBoxes(OutsideFamily family) {
    return family == OutsideFamily::Dozens || family == OutsideFamily::Columns ? 3 : 2;
}

ChiSquareTest ChiSquareAgainst(std::span<const int> hits, std::span<const double> expected) {
    ChiSquareTest test;
    for (std::size_t i = 0; i < hits.size(); ++i) {
        const double d = hits[i] - expected[i];
        test.statistic += d * d / expected[i];
    }
    test.df = static_cast<int>(hits.size()) - 1;
    test.p = test.pAdjusted = ChiSquareP(test.statistic, test.df);
    return test;
}

// Applies Holm over the given fields of a list of results.
template <typename T, typename P, typename A>
void HolmOver(std::vector<T>& items, P p, A adjusted) {
    std::vector<double> ps;
    ps.reserve(items.size());
    for (const T& item : items) ps.push_back(p(item));
    const std::vector<double> adj = HolmAdjust(ps);
    for (std::size_t i = 0; i < items.size(); ++i) adjusted(items[i]) = adj[i];
}

// The one pass over the draws counts pairs of consecutive draws in a table, and every test
// but the simulation reads its figures from the table afterwards, so the pass costs little
// more than a histogram. A table is made of blocks of rows; a row holds a count per pocket
// of the draw that follows:
//   block 0    row a: the previous draw was the non-green pocket a; row noPocket: there was
//              no previous draw;
//   block g    (one per green pocket of the kind) row x: the previous draw was the g-th green
//              pocket and the last non-green draw before it was x (noPocket: none).
// The green blocks give the pairs of non-green draws with only green ones between them, which
// the runs tests need.
constexpr unsigned pairStride = 40;
constexpr unsigned noPocket = maxPocketCount;
constexpr std::size_t blockSize = pairStride * pairStride;
constexpr std::size_t greenFlag = 0x8000;
constexpr std::size_t maxBlocks = 3;

constexpr std::size_t chanceCount = allEvenChances.size();

struct PairLayout {
    int places = 0;
    int blocks = 0;
    std::array<Pocket, maxPocketCount> pocketAt{};
    std::array<std::uint8_t, 256> place{};
    std::array<Pocket, 2> greenPockets{};
    // By byte: the row offset a draw of it leads to, in block 0 or, for a green pocket, the
    // offset of its block with greenFlag set.
    std::array<std::uint16_t, 256> nextRow{};
    // By table entry: the wheel distance from the previous draw to the next (places, when there
    // was no previous draw), the product of their wheel places (0 then), and per even chance 1
    // when the last non-green draw and the next one are non-green and in different boxes.
    std::array<std::uint8_t, maxBlocks * blockSize> distance{};
    std::array<std::uint32_t, maxBlocks * blockSize> placeProduct{};
    std::array<std::array<std::uint8_t, maxBlocks * blockSize>, chanceCount> boxChange{};
    // By family and pocket: FamilyCell.
    std::array<std::array<std::int8_t, maxPocketCount>, allOutsideFamilies.size()> cell{};

    std::size_t TableSize() const { return static_cast<std::size_t>(blocks) * blockSize; }
};

const PairLayout& LayoutOf(RouletteKind kind) {
    static const std::array<PairLayout, allKinds.size()> layouts = [] {
        std::array<PairLayout, allKinds.size()> all;
        for (RouletteKind k : allKinds) {
            PairLayout& l = all[static_cast<std::size_t>(k)];
            const auto order = WheelOrder(k);
            l.places = static_cast<int>(order.size());
            l.blocks = 1;
            for (std::size_t w = 0; w < order.size(); ++w) {
                const Pocket p = order[w];
                const auto at = static_cast<std::size_t>(p);
                l.pocketAt[w] = p;
                l.place[at] = static_cast<std::uint8_t>(w);
                if (IsGreen(p)) l.greenPockets[static_cast<std::size_t>(l.blocks++ - 1)] = p;
            }
            for (OutsideFamily f : allOutsideFamilies)
                for (Pocket p = 0; p < maxPocketCount; ++p)
                    l.cell[static_cast<std::size_t>(f)][static_cast<std::size_t>(p)] =
                        static_cast<std::int8_t>(FamilyCell(f, p));
            for (Pocket p = firstPocket(k); p <= lastPocket(k); ++p) {
                const auto at = static_cast<std::size_t>(p);
                l.nextRow[at] = static_cast<std::uint16_t>(at * pairStride);
                for (int g = 1; g < l.blocks; ++g)
                    if (l.greenPockets[static_cast<std::size_t>(g - 1)] == p)
                        l.nextRow[at] = static_cast<std::uint16_t>(
                            (static_cast<std::size_t>(g) * blockSize) | greenFlag);
            }
            for (std::size_t i = 0; i < l.TableSize(); ++i) {
                const std::size_t block = i / blockSize, x = i % blockSize / pairStride;
                const auto next = static_cast<Pocket>(i % pairStride);
                const auto previous =
                    block == 0 ? static_cast<Pocket>(x) : l.greenPockets[block - 1];
                const auto lastNonGreen = static_cast<Pocket>(x);
                l.distance[i] = static_cast<std::uint8_t>(l.places);
                if (!IsPocketOf(k, next) || !IsPocketOf(k, previous)) continue;
                const int from = l.place[static_cast<std::size_t>(previous)];
                const int to = l.place[static_cast<std::size_t>(next)];
                l.distance[i] = static_cast<std::uint8_t>((to - from + l.places) % l.places);
                l.placeProduct[i] = static_cast<std::uint32_t>(from * to);
                if (!IsPocketOf(k, lastNonGreen) || IsGreen(lastNonGreen) || IsGreen(next))
                    continue;
                for (std::size_t c = 0; c < chanceCount; ++c) {
                    const OutsideFamily family = FamilyOf(allEvenChances[c]);
                    l.boxChange[c][i] =
                        FamilyCell(family, lastNonGreen) != FamilyCell(family, next);
                }
            }
        }
        return all;
    }();
    return layouts[static_cast<std::size_t>(kind)];
}

// Counts the pair that ends in draw p in `table`; `row` is the row offset the pair counts in,
// and becomes that of the draw after p.
inline void CountPair(const PairLayout& l, std::size_t p, std::uint32_t* table, std::size_t& row) {
    ++table[row + p];
    const std::size_t next = l.nextRow[p];
    if (next & greenFlag) [[unlikely]]
        // The last non-green draw stays where the row had it.
        row = (next & ~greenFlag) + row / pairStride % pairStride * pairStride;
    else
        row = next;
}

void CountPairRun(const PairLayout& l, std::span<const std::uint8_t> draws, std::uint32_t* table,
                  std::size_t& row) {
    std::size_t r = row;
    const std::uint8_t* d = draws.data();
    std::size_t i = 0;
    for (; i + 4 <= draws.size(); i += 4) {
        CountPair(l, d[i], table, r);
        CountPair(l, d[i + 1], table, r);
        CountPair(l, d[i + 2], table, r);
        CountPair(l, d[i + 3], table, r);
    }
    for (; i < draws.size(); ++i) CountPair(l, d[i], table, r);
    row = r;
}

// Table 0 holds the pairs that are no croupier's (their draws were spun by different
// croupiers, or by nobody); table s the pairs of croupier croupiers[s - 1].
struct PairCounts {
    std::size_t tableSize = 0;
    std::vector<std::uint32_t> tables;
    std::vector<std::int32_t> croupiers;

    std::span<const std::uint32_t> Table(std::size_t slot) const {
        return std::span(tables).subspan(slot * tableSize, tableSize);
    }
};

PairCounts CountPairs(const PairLayout& l, std::span<const std::uint8_t> draws,
                      std::span<const CroupierStint> stints) {
    PairCounts counts;
    counts.tableSize = l.TableSize();
    // The table of each stint's croupier, known before the pass so that the tables are
    // allocated once.
    std::vector<std::size_t> slots;
    slots.reserve(stints.size());
    // Croupier numbers are small (their place in the croupier table), so most are looked up
    // directly.
    constexpr std::int32_t direct = 256;
    std::array<std::size_t, direct> slotOf{};
    const auto slotFor = [&](std::int32_t croupier) {
        auto& known = counts.croupiers;
        if (croupier > 0 && croupier < direct && slotOf[static_cast<std::size_t>(croupier)] != 0)
            return slotOf[static_cast<std::size_t>(croupier)];
        const auto it = std::find(known.begin(), known.end(), croupier);
        const auto slot = static_cast<std::size_t>(it - known.begin()) + 1;
        if (it == known.end()) known.push_back(croupier);
        if (croupier > 0 && croupier < direct) slotOf[static_cast<std::size_t>(croupier)] = slot;
        return slot;
    };
    for (const CroupierStint& stint : stints)
        slots.push_back(stint.croupier == 0 ? 0 : slotFor(stint.croupier) * counts.tableSize);
    counts.tables.assign((counts.croupiers.size() + 1) * counts.tableSize, 0);
    std::uint32_t* tables = counts.tables.data();
    std::size_t row = noPocket * pairStride;
    if (stints.empty()) {
        CountPairRun(l, draws, tables, row);
        return counts;
    }
    std::size_t at = 0;
    for (std::size_t s = 0; s < stints.size(); ++s) {
        if (stints[s].draws <= 0) continue;
        const auto size = static_cast<std::size_t>(stints[s].draws);
        // The first draw of a stint follows someone else's draw, or none.
        CountPair(l, draws[at], tables, row);
        CountPairRun(l, draws.subspan(at + 1, size - 1), tables + slots[s], row);
        at += size;
    }
    return counts;
}

void AddPocketTests(FairnessReport& r, std::span<const int> hits) {
    const RouletteKind kind = r.kind;
    const int n = r.drawCount;
    const double share = 1.0 / pocketCount(kind);
    const double expected = n * share;
    const double sd = std::sqrt(n * share * (1 - share));
    const auto kindHits = hits.subspan(static_cast<std::size_t>(firstPocket(kind)),
                                       static_cast<std::size_t>(pocketCount(kind)));
    const std::vector<double> expectations(kindHits.size(), expected);
    r.pockets = ChiSquareAgainst(kindHits, expectations);

    const std::vector<double> ps = BinomialTwoSidedPs(kindHits, n, share);
    for (std::size_t i = 0; i < kindHits.size(); ++i) {
        PocketFigure f;
        f.pocket = firstPocket(kind) + static_cast<Pocket>(i);
        f.hits = kindHits[i];
        f.expected = expected;
        f.z = (f.hits - expected) / sd;
        f.p = ps[i];
        r.pocketFigures.push_back(f);
    }
    HolmOver(
        r.pocketFigures, [](const PocketFigure& f) { return f.p; },
        [](PocketFigure& f) -> double& { return f.pAdjusted; });
}

void AddFamilyTests(FairnessReport& r, const PairLayout& l, std::span<const int> hits) {
    const RouletteKind kind = r.kind;
    const double n = r.drawCount;
    const double count = pocketCount(kind);
    const bool hasGreen = kind != RouletteKind::NoZero;
    for (OutsideFamily family : allOutsideFamilies) {
        const int boxes = FamilyBoxes(family);
        FamilyTest t;
        t.family = family;
        t.hits.assign(static_cast<std::size_t>(boxes + (hasGreen ? 1 : 0)), 0);
        std::vector<int> sizes(t.hits.size(), 0);
        const auto& cells = l.cell[static_cast<std::size_t>(family)];
        for (Pocket p = firstPocket(kind); p <= lastPocket(kind); ++p) {
            const int cell = cells[static_cast<std::size_t>(p)];
            const auto at = static_cast<std::size_t>(cell < 0 ? boxes : cell);
            t.hits[at] += hits[static_cast<std::size_t>(p)];
            ++sizes[at];
        }
        for (int size : sizes) t.expected.push_back(n * size / count);
        t.test = ChiSquareAgainst(t.hits, t.expected);
        r.families.push_back(std::move(t));
    }
    HolmOver(
        r.families, [](const FamilyTest& t) { return t.test.p; },
        [](FamilyTest& t) -> double& { return t.test.pAdjusted; });
}

// The hottest arc of every length over hit counts in wheel order; ties go to the arc that
// starts first in the order.
template <typename Count>
void HottestArcs(std::span<const Count> wheelHits, std::array<int, arcLengthCount>& hottest,
                 std::array<int, arcLengthCount>* starts = nullptr) {
    const int n = static_cast<int>(wheelHits.size());
    std::array<int, 2 * maxPocketCount + 1> prefix{};
    for (int i = 0; i < 2 * n; ++i)
        prefix[static_cast<std::size_t>(i + 1)] =
            prefix[static_cast<std::size_t>(i)] + static_cast<int>(wheelHits[i % n]);
    for (int k = shortestArc; k <= longestArc; ++k) {
        int best = -1, bestStart = 0;
        for (int s = 0; s < n; ++s) {
            const int sum =
                prefix[static_cast<std::size_t>(s + k)] - prefix[static_cast<std::size_t>(s)];
            if (sum > best) {
                best = sum;
                bestStart = s;
            }
        }
        hottest[static_cast<std::size_t>(k - shortestArc)] = best;
        if (starts) (*starts)[static_cast<std::size_t>(k - shortestArc)] = bestStart;
    }
}

void AddSectorArcs(FairnessReport& r, std::span<const int> placeHits) {
    std::array<int, arcLengthCount> hottest{}, starts{};
    HottestArcs<int>(placeHits, hottest, &starts);
    const double perPocket = static_cast<double>(r.drawCount) / pocketCount(r.kind);
    for (int i = 0; i < arcLengthCount; ++i) {
        SectorTest t;
        t.arc.length = shortestArc + i;
        t.arc.start = starts[static_cast<std::size_t>(i)];
        t.arc.hits = hottest[static_cast<std::size_t>(i)];
        t.arc.expected = perPocket * t.arc.length;
        r.sectors.push_back(t);
    }
}

void AddDealerTests(FairnessReport& r, const PairLayout& l, const PairCounts& pairs) {
    const int n = l.places;
    for (std::size_t s = 0; s < pairs.croupiers.size(); ++s) {
        DealerTest t;
        t.croupier = pairs.croupiers[s];
        // One more distance, where the pairs without a first draw fall.
        t.distances.assign(static_cast<std::size_t>(n) + 1, 0);
        const auto table = pairs.Table(s + 1);
        for (std::size_t i = 0; i < blockSize; ++i)
            t.distances[l.distance[i]] += static_cast<int>(table[i]);
        // Every row of a green block follows the same green pocket: added up first, the block
        // costs one row of look-ups.
        for (int g = 1; g < l.blocks; ++g) {
            const std::size_t block = static_cast<std::size_t>(g) * blockSize;
            std::array<std::uint32_t, pairStride> row{};
            for (std::size_t x = 0; x < blockSize; x += pairStride)
                for (std::size_t b = 0; b < pairStride; ++b) row[b] += table[block + x + b];
            for (std::size_t b = 0; b < pairStride; ++b)
                t.distances[l.distance[block + b]] += static_cast<int>(row[b]);
        }
        t.distances.pop_back();
        for (int c : t.distances) t.pairs += c;
        if (t.pairs < minDealerPairs) continue;
        const std::vector<double> expected(t.distances.size(), static_cast<double>(t.pairs) / n);
        t.test = ChiSquareAgainst(t.distances, expected);
        r.dealers.push_back(std::move(t));
    }
    std::sort(r.dealers.begin(), r.dealers.end(),
              [](const DealerTest& a, const DealerTest& b) { return a.croupier < b.croupier; });
    HolmOver(
        r.dealers, [](const DealerTest& t) { return t.test.p; },
        [](DealerTest& t) -> double& { return t.test.pAdjusted; });
}

void AddRunsTests(FairnessReport& r, const PairLayout& l, std::span<const std::uint32_t> all,
                  std::span<const int> hits) {
    for (EvenChance chance : allEvenChances) {
        const OutsideFamily family = FamilyOf(chance);
        RunsTest t;
        t.chance = chance;
        const auto& cells = l.cell[static_cast<std::size_t>(family)];
        for (Pocket p = firstPocket(r.kind); p <= lastPocket(r.kind); ++p) {
            const int cell = cells[static_cast<std::size_t>(p)];
            if (cell == 0) t.first += hits[static_cast<std::size_t>(p)];
            if (cell == 1) t.second += hits[static_cast<std::size_t>(p)];
        }
        if (t.first == 0 || t.second == 0) continue;
        const double n1 = t.first, n2 = t.second, total = n1 + n2;
        const double variance = 2 * n1 * n2 * (2 * n1 * n2 - total) / (total * total * (total - 1));
        if (!(variance > 0)) continue;
        const auto& change = l.boxChange[static_cast<std::size_t>(chance)];
        std::uint64_t changes = 0;
        for (std::size_t i = 0; i < all.size(); ++i)
            changes += static_cast<std::uint64_t>(all[i]) * change[i];
        t.runs = static_cast<int>(changes + 1);
        t.expectedRuns = 1 + 2 * n1 * n2 / total;
        t.z = (t.runs - t.expectedRuns) / std::sqrt(variance);
        t.p = NormalTwoSidedP(t.z);
        r.runs.push_back(t);
    }
    HolmOver(
        r.runs, [](const RunsTest& t) { return t.p; },
        [](RunsTest& t) -> double& { return t.pAdjusted; });
}

// Wheel places stand for positions: the correlation does not change when every position moves
// by the same step, as the no-zero wheel's do.
void AddSerialTest(FairnessReport& r, const PairLayout& l, std::span<const std::uint32_t> all,
                   std::span<const int> placeHits, int firstPlace, int lastPlace) {
    if (r.drawCount < 3) return;
    const long double count = r.drawCount;
    long double s1 = 0, s2 = 0;
    for (std::size_t w = 0; w < placeHits.size(); ++w) {
        const long double h = placeHits[w];
        s1 += h * static_cast<long double>(w);
        s2 += h * static_cast<long double>(w * w);
    }
    std::uint64_t cross = 0;
    for (std::size_t i = 0; i < all.size(); ++i)
        cross += static_cast<std::uint64_t>(all[i]) * l.placeProduct[i];
    const long double mean = s1 / count;
    const long double spread = s2 - s1 * mean;
    if (!(spread > 0)) return;
    const long double lagged = static_cast<long double>(cross) - mean * (s1 - lastPlace) -
                               mean * (s1 - firstPlace) + (count - 1) * mean * mean;
    SerialTest t;
    t.correlation = static_cast<double>(lagged / spread);
    t.z = static_cast<double>((lagged / spread + 1 / count) * std::sqrt(count));
    t.p = NormalTwoSidedP(t.z);
    r.serial = t;
}

std::uint64_t SplitMix64(std::uint64_t x) {
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

// Games per unit of work; each unit has its own generator, so the figures do not depend on
// which thread runs it.
constexpr int gamesPerBlock = 64;

}  // namespace

std::vector<Pocket> ArcPockets(RouletteKind kind, const SectorArc& arc) {
    const auto order = WheelOrder(kind);
    std::vector<Pocket> pockets;
    for (int i = 0; i < arc.length; ++i)
        pockets.push_back(order[static_cast<std::size_t>(arc.start + i) % order.size()]);
    return pockets;
}

FairnessReport ComputeFairness(const FairnessInput& input) {
    FairnessReport r;
    r.kind = input.kind;
    const RouletteKind kind = input.kind;
    std::span<const std::uint8_t> draws = input.draws;
    std::span<const CroupierStint> stints = input.stints;
    std::size_t stintDraws = 0;
    for (const CroupierStint& s : stints)
        stintDraws += static_cast<std::size_t>(std::max(s.draws, 0));
    if (stintDraws != draws.size()) stints = {};

    // Anything that is no pocket of the kind is left out, and its stint shortened.
    std::vector<std::uint8_t> keptDraws;
    std::vector<CroupierStint> keptStints;
    std::uint8_t high = 0;
    for (std::uint8_t p : draws) high = std::max(high, p);
    const bool zeroOutside =
        firstPocket(kind) > 0 && std::find(draws.begin(), draws.end(), 0) != draws.end();
    if (high > lastPocket(kind) || zeroOutside) {
        std::size_t at = 0;
        for (const CroupierStint& s : stints) {
            CroupierStint kept{s.croupier, 0};
            for (int i = 0; i < s.draws; ++i) kept.draws += IsPocketOf(kind, draws[at++]) ? 1 : 0;
            if (kept.draws == 0) continue;
            // Stints that met across the draws left out become one.
            if (!keptStints.empty() && keptStints.back().croupier == kept.croupier)
                keptStints.back().draws += kept.draws;
            else
                keptStints.push_back(kept);
        }
        for (std::uint8_t p : draws)
            if (IsPocketOf(kind, p)) keptDraws.push_back(p);
        draws = keptDraws;
        stints = keptStints;
    }
    r.drawCount = static_cast<int>(draws.size());
    if (draws.empty()) return r;

    const PairLayout& layout = LayoutOf(kind);
    const PairCounts pairs = CountPairs(layout, draws, stints);
    // Every table together.
    std::vector<std::uint32_t> all(pairs.Table(0).begin(), pairs.Table(0).end());
    for (std::size_t s = 1; s <= pairs.croupiers.size(); ++s) {
        const auto table = pairs.Table(s);
        for (std::size_t i = 0; i < all.size(); ++i) all[i] += table[i];
    }

    // Each draw ends one pair, the first one with no draw before it.
    std::array<int, pairStride> hits{};
    for (std::size_t row = 0; row < all.size(); row += pairStride)
        for (std::size_t b = 0; b < pairStride; ++b) hits[b] += static_cast<int>(all[row + b]);
    std::array<int, maxPocketCount> placeHits{};
    for (std::size_t w = 0; w < static_cast<std::size_t>(layout.places); ++w)
        placeHits[w] = hits[static_cast<std::size_t>(layout.pocketAt[w])];
    const std::span<const int> places(placeHits.data(), static_cast<std::size_t>(layout.places));

    AddPocketTests(r, hits);
    AddFamilyTests(r, layout, hits);
    AddSectorArcs(r, places);
    AddDealerTests(r, layout, pairs);
    AddRunsTests(r, layout, all, hits);
    AddSerialTest(r, layout, all, places, layout.place[draws.front()], layout.place[draws.back()]);
    return r;
}

int SectorNull::AtLeast(int lengthIndex, int hits) const {
    const auto& sorted = sortedHottest_[static_cast<std::size_t>(lengthIndex)];
    return static_cast<int>(sorted.end() - std::lower_bound(sorted.begin(), sorted.end(), hits));
}

double SectorNull::LengthP(int lengthIndex, int hits) const {
    return (1.0 + AtLeast(lengthIndex, hits)) / (1.0 + simulations_);
}

double SectorNull::BestP(std::span<const int> hottestHits) const {
    // The observed list joins the simulated games as one more game: each counts the games at
    // least as hot as itself, the observed one among them, and the p of a game is that count
    // at its most extreme length.
    const std::size_t lengths = std::min<std::size_t>(hottestHits.size(), arcLengthCount);
    int observedLeast = simulations_ + 1;
    for (std::size_t k = 0; k < lengths; ++k)
        observedLeast = std::min(observedLeast, 1 + AtLeast(static_cast<int>(k), hottestHits[k]));
    int asExtreme = 0;
    for (int g = 0; g < simulations_; ++g) {
        int least = simulations_ + 1;
        for (std::size_t k = 0; k < lengths; ++k) {
            const auto at = static_cast<std::size_t>(g) * arcLengthCount + k;
            least = std::min(least, atLeastOwn_[at] + (hottestHits[k] >= hottest_[at] ? 1 : 0));
        }
        asExtreme += least <= observedLeast ? 1 : 0;
    }
    return (1.0 + asExtreme) / (1.0 + simulations_);
}

std::optional<SectorNull> SimulateSectorNull(RouletteKind kind, int drawCount, int simulations,
                                             std::uint64_t seed, std::stop_token stop,
                                             std::atomic<int>* done, unsigned threads) {
    SectorNull null;
    null.kind_ = kind;
    null.drawCount_ = std::max(drawCount, 0);
    null.simulations_ = std::max(simulations, 1);
    const int games = null.simulations_;
    std::array<std::vector<std::int32_t>, arcLengthCount> hottest;
    for (auto& h : hottest) h.resize(static_cast<std::size_t>(games));

    const int blocks = (games + gamesPerBlock - 1) / gamesPerBlock;
    std::atomic<int> nextBlock{0};
    const int count = pocketCount(kind);
    const auto work = [&] {
        std::array<std::uint32_t, maxPocketCount> wheelHits{};
        std::array<int, arcLengthCount> arcs{};
        for (int b = nextBlock++; b < blocks; b = nextBlock++) {
            if (stop.stop_requested()) return;
            RandomSource rng(SplitMix64(seed ^ SplitMix64(static_cast<std::uint64_t>(b))));
            const int end = std::min(games, (b + 1) * gamesPerBlock);
            for (int g = b * gamesPerBlock; g < end; ++g) {
                // A uniform pocket is a uniform place on the wheel, so the place is drawn
                // directly.
                wheelHits.fill(0);
                for (int i = 0; i < null.drawCount_; ++i)
                    ++wheelHits[static_cast<std::size_t>(rng.Next(kind) - firstPocket(kind))];
                HottestArcs<std::uint32_t>(
                    std::span(wheelHits.data(), static_cast<std::size_t>(count)), arcs);
                for (int k = 0; k < arcLengthCount; ++k)
                    hottest[static_cast<std::size_t>(k)][static_cast<std::size_t>(g)] =
                        arcs[static_cast<std::size_t>(k)];
            }
            if (done) done->fetch_add(end - b * gamesPerBlock, std::memory_order_relaxed);
        }
    };
    const unsigned available = std::max(1u, std::thread::hardware_concurrency());
    const unsigned workers =
        std::min(threads == 0 ? available : threads, static_cast<unsigned>(blocks));
    {
        std::vector<std::jthread> pool;
        for (unsigned t = 1; t < workers; ++t) pool.emplace_back(work);
        work();
    }
    if (stop.stop_requested()) return std::nullopt;

    for (int k = 0; k < arcLengthCount; ++k) {
        auto& sorted = null.sortedHottest_[static_cast<std::size_t>(k)];
        sorted = hottest[static_cast<std::size_t>(k)];
        std::sort(sorted.begin(), sorted.end());
    }
    null.hottest_.resize(static_cast<std::size_t>(games) * arcLengthCount);
    null.atLeastOwn_.resize(null.hottest_.size());
    for (int g = 0; g < games; ++g)
        for (int k = 0; k < arcLengthCount; ++k) {
            const int own = hottest[static_cast<std::size_t>(k)][static_cast<std::size_t>(g)];
            const auto at =
                static_cast<std::size_t>(g) * arcLengthCount + static_cast<std::size_t>(k);
            null.hottest_[at] = own;
            null.atLeastOwn_[at] = null.AtLeast(k, own);
        }
    return null;
}

bool ApplySectorNull(FairnessReport& report, const SectorNull& null) {
    if (null.kind() != report.kind || null.drawCount() != report.drawCount ||
        report.sectors.size() != static_cast<std::size_t>(arcLengthCount))
        return false;
    const double games = null.simulations();
    std::array<int, arcLengthCount> hottest{};
    std::vector<double> ps;
    for (int k = 0; k < arcLengthCount; ++k) {
        SectorTest& t = report.sectors[static_cast<std::size_t>(k)];
        hottest[static_cast<std::size_t>(k)] = t.arc.hits;
        t.p = null.LengthP(k, t.arc.hits);
        t.standardError = std::sqrt(*t.p * (1 - *t.p) / games);
        ps.push_back(*t.p);
    }
    const std::vector<double> adjusted = HolmAdjust(ps);
    const double count = pocketCount(report.kind);
    int best = 0;
    double bestExcess = -std::numeric_limits<double>::infinity();
    for (int k = 0; k < arcLengthCount; ++k) {
        SectorTest& t = report.sectors[static_cast<std::size_t>(k)];
        t.pAdjusted = adjusted[static_cast<std::size_t>(k)];
        // Among lengths equally unlikely, the arc furthest above its share in standard units.
        const double share = t.arc.length / count;
        const double excess =
            (t.arc.hits - t.arc.expected) / std::sqrt(report.drawCount * share * (1 - share));
        const double bestP = *report.sectors[static_cast<std::size_t>(best)].p;
        if (*t.p < bestP || (*t.p == bestP && excess > bestExcess)) {
            best = k;
            bestExcess = excess;
        }
    }
    SectorBest b;
    b.lengthIndex = best;
    b.p = null.BestP(hottest);
    b.standardError = std::sqrt(b.p * (1 - b.p) / games);
    report.bestSector = b;
    return true;
}

FairnessVerdict Verdict(const FairnessReport& r) {
    FairnessVerdict v;
    v.drawCount = r.drawCount;
    v.sectorsPending = !r.sectors.empty() && !r.bestSector;

    std::vector<Finding> findings;
    // The smallest adjusted p of each kind of test that ran.
    std::array<std::optional<double>, findingKindCount> groupP;
    const auto note = [&](const Finding& f) {
        auto& g = groupP[static_cast<std::size_t>(f.kind)];
        g = std::min(g.value_or(1.0), f.pAdjusted);
        if (f.pAdjusted < fairnessLevel) findings.push_back(f);
    };
    const auto finding = [](FindingKind kind, double pAdjusted, int subject = 0,
                            bool more = false) {
        Finding f;
        f.kind = kind;
        f.pAdjusted = pAdjusted;
        f.subject = subject;
        f.more = more;
        return f;
    };
    if (r.pockets) note(finding(FindingKind::PocketSpread, r.pockets->pAdjusted));
    for (const PocketFigure& f : r.pocketFigures)
        note(finding(FindingKind::SinglePocket, f.pAdjusted, f.pocket, f.hits > f.expected));
    for (const FamilyTest& t : r.families) {
        Finding f = finding(FindingKind::Family, t.test.pAdjusted, static_cast<int>(t.family));
        double furthest = -1;
        for (std::size_t c = 0; c < t.hits.size(); ++c) {
            const double residual = (t.hits[c] - t.expected[c]) / std::sqrt(t.expected[c]);
            if (std::fabs(residual) > furthest) {
                furthest = std::fabs(residual);
                f.cell = static_cast<int>(c);
                f.more = residual > 0;
            }
        }
        note(f);
    }
    if (r.bestSector) {
        Finding f = finding(FindingKind::Sector, r.bestSector->p, 0, true);
        f.arc = r.sectors[static_cast<std::size_t>(r.bestSector->lengthIndex)].arc;
        note(f);
    }
    for (const DealerTest& t : r.dealers) {
        Finding f = finding(FindingKind::Dealer, t.test.pAdjusted, t.croupier, true);
        f.cell = static_cast<int>(std::max_element(t.distances.begin(), t.distances.end()) -
                                  t.distances.begin());
        note(f);
    }
    for (const RunsTest& t : r.runs)
        note(finding(FindingKind::Runs, t.pAdjusted, static_cast<int>(t.chance), t.z > 0));
    if (r.serial) note(finding(FindingKind::Serial, r.serial->p, 0, r.serial->correlation > 0));

    std::vector<double> ps;
    std::vector<std::size_t> groups;
    for (std::size_t g = 0; g < groupP.size(); ++g)
        if (groupP[g]) {
            ps.push_back(*groupP[g]);
            groups.push_back(g);
        }
    const std::vector<double> adjusted = HolmAdjust(ps);
    std::array<double, findingKindCount> groupAdjusted{};
    for (std::size_t i = 0; i < groups.size(); ++i) groupAdjusted[groups[i]] = adjusted[i];
    for (Finding& f : findings) {
        f.pOverall = std::max(f.pAdjusted, groupAdjusted[static_cast<std::size_t>(f.kind)]);
        v.evidence = v.evidence || f.pOverall < fairnessLevel;
    }
    std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
        return a.pOverall != b.pOverall ? a.pOverall < b.pOverall : a.pAdjusted < b.pAdjusted;
    });
    v.findings = std::move(findings);
    return v;
}

}  // namespace spinalyst
