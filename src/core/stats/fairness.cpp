#include "core/stats/fairness.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/model/wheel.h"
#include "core/stats/fairness_pairs.h"
#include "core/stats/significance.h"

namespace spinalyst {

FairnessReport FairnessOfAnalysed(const DrawLog& log, RouletteKind kind,
                                  const std::optional<AnalysisWindow>& window,
                                  std::span<const std::uint8_t> analysed,
                                  std::span<const SpinDirection> directions) {
    std::vector<CroupierStint> stints;
    if (window) SelectAnalysedStints(log, kind, *window, stints);
    return ComputeFairness({kind, analysed, stints, directions});
}

using namespace fairness_detail;

namespace {

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
        f.excessP = BinomialUpperP(f.hits, n, share);
        r.pocketFigures.push_back(f);
    }
    HolmOver(
        r.pocketFigures, [](const PocketFigure& f) { return f.p; },
        [](PocketFigure& f) -> double& { return f.pAdjusted; });
    HolmOver(
        r.pocketFigures, [](const PocketFigure& f) { return f.excessP; },
        [](PocketFigure& f) -> double& { return f.excessPAdjusted; });
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
        // A box expected to be hit less than once makes the chi-square's p far too small (a
        // single zero in two draws would read as p < 0.001): too few draws for this family.
        if (*std::min_element(t.expected.begin(), t.expected.end()) < minFamilyExpected) continue;
        t.test = ChiSquareAgainst(t.hits, t.expected);
        r.families.push_back(std::move(t));
    }
    HolmOver(
        r.families, [](const FamilyTest& t) { return t.test.p; },
        [](FamilyTest& t) -> double& { return t.test.pAdjusted; });
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

// Pairs by distance 0 ... places - 1 counted in one table, the other way round when
// `anticlockwise`; pairs without a first draw are left out.
std::vector<int> DealerDistances(const PairLayout& l, std::span<const std::uint32_t> table,
                                 bool anticlockwise) {
    const int n = l.places;
    // One more distance, where the pairs without a first draw fall.
    std::vector<int> distances(static_cast<std::size_t>(n) + 1, 0);
    const auto add = [&](std::uint8_t d, std::uint32_t pairs) {
        const int to = anticlockwise && d != 0 && d != n ? n - d : d;
        distances[static_cast<std::size_t>(to)] += static_cast<int>(pairs);
    };
    for (std::size_t i = 0; i < blockSize; ++i) add(l.distance[i], table[i]);
    // Every row of a green block follows the same green pocket: added up first, the block
    // costs one row of look-ups.
    for (int g = 1; g < l.blocks; ++g) {
        const std::size_t block = static_cast<std::size_t>(g) * blockSize;
        std::array<std::uint32_t, pairStride> row{};
        for (std::size_t x = 0; x < blockSize; x += pairStride)
            for (std::size_t b = 0; b < pairStride; ++b) row[b] += table[block + x + b];
        for (std::size_t b = 0; b < pairStride; ++b) add(l.distance[block + b], row[b]);
    }
    distances.pop_back();
    return distances;
}

void AddDealerTest(FairnessReport& r, std::int32_t croupier, SpinDirection direction,
                   std::vector<int> distances) {
    DealerTest t;
    t.croupier = croupier;
    t.direction = direction;
    t.distances = std::move(distances);
    for (int c : t.distances) t.pairs += c;
    if (t.pairs < minDealerPairs) return;
    const std::vector<double> expected(
        t.distances.size(), static_cast<double>(t.pairs) / static_cast<double>(t.distances.size()));
    t.test = ChiSquareAgainst(t.distances, expected);
    r.dealers.push_back(std::move(t));
}

void AddDealerTests(FairnessReport& r, const PairLayout& l, const PairCounts& pairs) {
    constexpr auto clockwise = static_cast<std::size_t>(SpinDirection::Clockwise);
    constexpr auto anticlockwise = static_cast<std::size_t>(SpinDirection::Anticlockwise);
    for (std::size_t s = 0; s < pairs.croupiers.size(); ++s) {
        const std::int32_t croupier = pairs.croupiers[s];
        if (pairs.directions == 1) {
            AddDealerTest(r, croupier, SpinDirection::Unknown,
                          DealerDistances(l, pairs.Table(s + 1), false));
            continue;
        }
        std::vector<int> all = DealerDistances(l, pairs.Table(s + 1, 0), false);
        const std::vector<int> cw = DealerDistances(l, pairs.Table(s + 1, clockwise), false);
        const std::vector<int> ccw = DealerDistances(l, pairs.Table(s + 1, anticlockwise), true);
        for (std::size_t d = 0; d < all.size(); ++d) all[d] += cw[d] + ccw[d];
        AddDealerTest(r, croupier, SpinDirection::Unknown, std::move(all));
        const auto any = [](const std::vector<int>& v) {
            return std::any_of(v.begin(), v.end(), [](int c) { return c > 0; });
        };
        if (any(cw) && any(ccw)) {
            AddDealerTest(r, croupier, SpinDirection::Clockwise, cw);
            AddDealerTest(r, croupier, SpinDirection::Anticlockwise, ccw);
        }
    }
    std::sort(r.dealers.begin(), r.dealers.end(), [](const DealerTest& a, const DealerTest& b) {
        return a.croupier != b.croupier ? a.croupier < b.croupier : a.direction < b.direction;
    });
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
    std::span<const SpinDirection> directions = input.directions;
    if (directions.size() != draws.size()) directions = {};
    std::size_t stintDraws = 0;
    for (const CroupierStint& s : stints)
        stintDraws += static_cast<std::size_t>(std::max(s.draws, 0));
    if (stintDraws != draws.size()) stints = {};

    // Anything that is no pocket of the kind is left out, and its stint shortened.
    std::vector<std::uint8_t> keptDraws;
    std::vector<CroupierStint> keptStints;
    std::vector<SpinDirection> keptDirections;
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
        for (std::size_t i = 0; i < draws.size(); ++i) {
            if (!IsPocketOf(kind, draws[i])) continue;
            keptDraws.push_back(draws[i]);
            if (!directions.empty()) keptDirections.push_back(directions[i]);
        }
        draws = keptDraws;
        stints = keptStints;
        if (!directions.empty()) directions = keptDirections;
    }
    r.drawCount = static_cast<int>(draws.size());
    if (draws.empty()) return r;

    const PairLayout& layout = LayoutOf(kind);
    const PairCounts pairs = CountPairs(layout, draws, stints, directions);
    // Every table together.
    std::vector<std::uint32_t> all(pairs.tableSize, 0);
    for (std::size_t at = 0; at < pairs.tables.size(); at += pairs.tableSize)
        for (std::size_t i = 0; i < all.size(); ++i) all[i] += pairs.tables[at + i];

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
}  // namespace spinalyst
