#include "core/stats/wheel_stats.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <memory>

#include "core/model/wheel.h"

namespace spinalyst {

namespace {

// Positions are indexes into the kind's wheel order. A byte that is no pocket of the kind
// maps to `foreign`, which is also the row of the draw before the first.
constexpr std::size_t foreign = maxPocketCount;
constexpr std::size_t positionRows = foreign + 1;
constexpr std::size_t pairStride = 64;
constexpr std::size_t shortRepeats = 1024;
// The last-seen index of a position not drawn yet: far enough back that the interval to any
// draw is longer than the repeat table, near enough that the difference fits 32 bits.
constexpr std::int32_t neverSeen = -(1 << 30);

struct KindTables {
    std::size_t n = 0;
    std::array<std::uint8_t, 256> position{};
    // The distance of a step from position a to position b, at a * pairStride + b, counted
    // clockwise, and counted the other way round for an anticlockwise spin.
    std::array<std::uint8_t, positionRows * pairStride> distance{};
    std::array<std::uint8_t, positionRows * pairStride> anticlockwise{};
};

KindTables BuildTables(RouletteKind kind) {
    KindTables t;
    const auto order = WheelOrder(kind);
    t.n = order.size();
    t.position.fill(static_cast<std::uint8_t>(foreign));
    // A step from `foreign` goes to a scratch counter.
    t.distance.fill(static_cast<std::uint8_t>(foreign));
    t.anticlockwise.fill(static_cast<std::uint8_t>(foreign));
    for (std::size_t i = 0; i < t.n; ++i)
        t.position[static_cast<std::size_t>(order[i])] = static_cast<std::uint8_t>(i);
    for (std::size_t a = 0; a < t.n; ++a) {
        for (std::size_t b = 0; b < t.n; ++b) {
            t.distance[a * pairStride + b] = static_cast<std::uint8_t>((b + t.n - a) % t.n);
            t.anticlockwise[a * pairStride + b] = static_cast<std::uint8_t>((a + t.n - b) % t.n);
        }
    }
    return t;
}

const KindTables& TablesOf(RouletteKind kind) {
    static const auto tables = [] {
        std::array<KindTables, allKinds.size()> all{};
        for (RouletteKind k : allKinds) all[static_cast<std::size_t>(k)] = BuildTables(k);
        return all;
    }();
    return tables[static_cast<std::size_t>(kind)];
}

// Draws are indexed from 0; `last` is the index of the latest hit, -1 before the first, as if
// every counter had existed from the first analysed draw.
struct Wait {
    std::int32_t last = -1;
    std::int32_t maxGap = 0;
};

// Out of line, so that the compiler does not turn this rare update into a store at every hit.
[[gnu::noinline, gnu::cold]] void RaiseMaxGap(Wait* waits, std::size_t k, std::int32_t gap) {
    waits[k].maxGap = gap;
}

template <std::size_t N>
std::array<std::int32_t, N> Unhit() {
    std::array<std::int32_t, N> last;
    last.fill(-1);
    return last;
}

std::array<std::int32_t, maxPocketCount> NeverSeen() {
    std::array<std::int32_t, maxPocketCount> seen;
    seen.fill(neverSeen);
    return seen;
}

struct Counters {
    // How often each position followed each position (the first draw follows `foreign`):
    // the hits of pockets and distances are sums over it.
    std::array<std::int32_t, positionRows * pairStride> pairs{};
    // The same for the draws spun anticlockwise, whose distances count the other way.
    std::array<std::int32_t, positionRows * pairStride> anticlockwisePairs{};
    // Distances keep their last hits apart from their longest waits: a hit only stores its
    // index, and the waits are checked when the earliest moment one could grow has passed.
    std::array<std::int32_t, positionRows> distanceLast = Unhit<positionRows>();
    std::array<std::int32_t, positionRows> distanceMaxGap{};
    // Indexed by interval: the short ones here, where the loop finds them at a fixed place,
    // the rare long ones in a table grown to the longest met.
    std::array<Wait, shortRepeats> repeats{};
    std::array<std::int32_t, shortRepeats> repeatHits{};
    std::vector<Wait> longRepeats;
    std::vector<std::int32_t> longRepeatHits;
    // Neighbourhoods by the position of their centre. Their last hits follow from the pockets'
    // last-seen indexes, so only their longest waits are kept, checked as the distances' are.
    std::array<std::int32_t, maxPocketCount> aroundMaxGap{};
    // Last-seen index by position.
    std::array<std::int32_t, maxPocketCount> seen = NeverSeen();
};

// The last hits of the neighbourhoods, by the position of their centre: the newest of their
// five pockets' last-seen indexes (neverSeen when none came yet). Fixed sizes, so that it
// compiles to a few vector steps.
std::array<std::int32_t, maxPocketCount> NeighbourhoodLasts(const Counters& c, std::size_t n) {
    // Last-seen indexes from two positions before the first to two after the last.
    std::array<std::int32_t, maxPocketCount + 4> seen;
    for (std::size_t k = 0; k < maxPocketCount; ++k) seen[k + 2] = c.seen[k];
    seen[0] = c.seen[n - 2];
    seen[1] = c.seen[n - 1];
    seen[maxPocketCount + 2] = seen[maxPocketCount + 3] = neverSeen;
    seen[n + 2] = c.seen[0];
    seen[n + 3] = c.seen[1];
    // By value, so that the loops vectorise.
    const auto max = [](std::int32_t a, std::int32_t b) { return a > b ? a : b; };
    std::array<std::int32_t, maxPocketCount + 2> pairs;
    for (std::size_t k = 0; k < maxPocketCount + 2; ++k) pairs[k] = max(seen[k], seen[k + 1]);
    std::array<std::int32_t, maxPocketCount> lasts;
    for (std::size_t q = 0; q < maxPocketCount; ++q)
        lasts[q] = max(max(pairs[q], pairs[q + 2]), seen[q + 4]);
    return lasts;
}

// The draw at position w (index i) when some neighbourhood may wait longer than ever: takes
// the waits of the five it hits, then returns the earliest draw at which any neighbourhood's
// next hit could wait longer than its longest wait so far.
[[gnu::noinline]] std::int32_t CheckNeighbourhoods(Counters& c, std::size_t n, std::size_t w,
                                                   std::int32_t i) {
    std::array<std::int32_t, maxPocketCount> lasts = NeighbourhoodLasts(c, n);
    for (std::size_t k = 0; k < 5; ++k) {
        // Position w + k - 2 round the wheel.
        const std::size_t p = w + k;
        const std::size_t q = p < 2 ? p + n - 2 : p - 2 < n ? p - 2 : p - 2 - n;
        c.aroundMaxGap[q] = std::max(c.aroundMaxGap[q], i - std::max(lasts[q], -1));
        lasts[q] = i;
    }
    // Past the kind's positions nothing is due (their longest waits stay 0), so the loop can
    // run over the whole table.
    for (std::size_t q = n; q < maxPocketCount; ++q) lasts[q] = INT32_MAX;
    std::int32_t earliest = INT32_MAX;
    for (std::size_t q = 0; q < maxPocketCount; ++q) {
        const std::int32_t due = lasts[q] + c.aroundMaxGap[q];
        earliest = due < earliest ? due : earliest;
    }
    return earliest;
}

// The hit of distance d at draw i when some distance may have waited longer than ever: takes
// its wait, then returns the earliest draw at which any distance's next hit could wait longer
// than its longest wait so far.
[[gnu::noinline]] std::int32_t CheckDistances(Counters& c, std::size_t n, std::size_t d,
                                              std::int32_t i) {
    c.distanceMaxGap[d] = std::max(c.distanceMaxGap[d], i - c.distanceLast[d]);
    c.distanceLast[d] = i;
    std::int32_t earliest = INT32_MAX;
    for (std::size_t k = 0; k < n; ++k)
        earliest = std::min(earliest, c.distanceLast[k] + c.distanceMaxGap[k]);
    return earliest;
}

[[gnu::noinline]] void LongRepeat(Counters& c, std::size_t interval, std::int32_t i) {
    if (interval >= c.longRepeats.size()) {
        const std::size_t size = std::max(c.longRepeats.size() * 2, interval + 1);
        c.longRepeats.resize(size);
        c.longRepeatHits.resize(size);
    }
    ++c.longRepeatHits[interval];
    Wait& r = c.longRepeats[interval];
    r.maxGap = std::max(r.maxGap, i - r.last);
    r.last = i;
}

// Kept out of line so that the loop keeps its pointers in registers. With directions, a draw
// spun anticlockwise counts its distance from the draw before the other way round the wheel.
template <bool directed>
[[gnu::noinline]] void Scan(const KindTables& t, std::span<const std::uint8_t> draws,
                            const SpinDirection* directions, Counters& c) {
    const std::uint8_t* draw = draws.data();
    const auto count = static_cast<std::int32_t>(draws.size());
    std::size_t prev = foreign;
    std::int32_t distanceCheck = -1;
    std::int32_t neighbourhoodCheck = -1;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::size_t w = t.position[draw[i]];
        if (w == foreign) [[unlikely]] {
            prev = foreign;
            continue;
        }
        const std::size_t pair = prev * pairStride + w;
        std::size_t d;
        if (directed && directions[i] == SpinDirection::Anticlockwise) {
            ++c.anticlockwisePairs[pair];
            d = t.anticlockwise[pair];
        } else {
            ++c.pairs[pair];
            d = t.distance[pair];
        }
        if (i > distanceCheck) [[unlikely]]
            distanceCheck = CheckDistances(c, t.n, d, i);
        c.distanceLast[d] = i;
        prev = w;

        const std::int32_t last = c.seen[w];
        if (i > neighbourhoodCheck) [[unlikely]]
            neighbourhoodCheck = CheckNeighbourhoods(c, t.n, w, i);
        c.seen[w] = i;

        // A first occurrence looks like an interval too long for the table.
        const auto interval = static_cast<std::uint32_t>(i - last);
        if (interval >= shortRepeats) [[unlikely]] {
            if (last >= 0) LongRepeat(c, interval, i);
            continue;
        }
        ++c.repeatHits[interval];
        // Addressed through the table rather than a reference, which keeps the loop's pointers
        // in registers.
        Wait& r = c.repeats[interval];
        if (i - r.last > r.maxGap) [[unlikely]]
            RaiseMaxGap(c.repeats.data(), interval, i - r.last);
        r.last = i;
    }
}

SlotStats Figures(std::int32_t hits, std::int32_t last, std::int32_t maxGap, std::int32_t count) {
    return {.hits = hits, .sinceLast = count - 1 - last, .maxGap = maxGap, .repeats = 0};
}

}  // namespace

WheelStats ComputeWheelStats(RouletteKind kind, std::span<const std::uint8_t> analysed,
                             std::span<const SpinDirection> directions) {
    // Far beyond any analysis window; past it the 32-bit indexes would wrap, so only the
    // newest draws are counted.
    constexpr std::size_t maxDraws = std::size_t{1} << 30;
    const bool directed = directions.size() == analysed.size() && !directions.empty();
    if (analysed.size() > maxDraws) {
        analysed = analysed.last(maxDraws);
        if (directed) directions = directions.last(maxDraws);
    }
    const KindTables& t = TablesOf(kind);
    auto c = std::make_unique<Counters>();
    if (directed)
        Scan<true>(t, analysed, directions.data(), *c);
    else
        Scan<false>(t, analysed, nullptr, *c);

    const auto count = static_cast<std::int32_t>(analysed.size());
    const auto n = static_cast<std::ptrdiff_t>(t.n);
    const auto at = [n](std::ptrdiff_t k) { return static_cast<std::size_t>((k + n) % n); };
    std::array<std::int32_t, maxPocketCount> hits{};
    std::array<std::int32_t, maxPocketCount> distanceHits{};
    for (std::size_t b = 0; b < t.n; ++b)
        hits[b] =
            c->pairs[foreign * pairStride + b] + c->anticlockwisePairs[foreign * pairStride + b];
    for (std::size_t a = 0; a < t.n; ++a) {
        for (std::size_t b = 0; b < t.n; ++b) {
            const std::int32_t steps = c->pairs[a * pairStride + b];
            const std::int32_t back = c->anticlockwisePairs[a * pairStride + b];
            hits[b] += steps + back;
            distanceHits[t.distance[a * pairStride + b]] += steps;
            distanceHits[t.anticlockwise[a * pairStride + b]] += back;
        }
    }

    const auto order = WheelOrder(kind);
    WheelStats stats;
    stats.kind = kind;
    stats.analysedCount = count;
    for (std::size_t w = 0; w < t.n; ++w)
        stats.pocketHits[static_cast<std::size_t>(order[w])] = hits[w];
    const auto [low, high] = std::minmax_element(hits.begin(), hits.begin() + n);
    stats.lowestHits = *low;
    stats.highestHits = *high;

    stats.distanceStats.reserve(t.n);
    for (std::size_t d = 0; d < t.n; ++d) {
        stats.distanceStats.push_back(
            Figures(distanceHits[d], c->distanceLast[d], c->distanceMaxGap[d], count));
    }
    const auto addRepeats = [&](std::span<const Wait> waits,
                                std::span<const std::int32_t> repeatHits, std::size_t from) {
        for (std::size_t g = from; g < repeatHits.size(); ++g)
            if (repeatHits[g] > 0)
                stats.repeatStats.push_back(
                    {static_cast<std::int32_t>(g),
                     Figures(repeatHits[g], waits[g].last, waits[g].maxGap, count)});
    };
    addRepeats(c->repeats, c->repeatHits, 1);
    addRepeats(c->longRepeats, c->longRepeatHits, shortRepeats);
    stats.neighbourhoodStats.reserve(t.n);
    const std::array<std::int32_t, maxPocketCount> lasts = NeighbourhoodLasts(*c, t.n);
    for (Pocket q = firstPocket(kind); q <= lastPocket(kind); ++q) {
        const auto centre = static_cast<std::ptrdiff_t>(t.position[static_cast<std::size_t>(q)]);
        std::int32_t around = 0;
        for (std::ptrdiff_t k = -2; k <= 2; ++k) around += hits[at(centre + k)];
        stats.neighbourhoodStats.push_back(
            {q, wheelNeighbourhood(kind, q),
             Figures(around, std::max(lasts[at(centre)], -1), c->aroundMaxGap[at(centre)], count)});
    }
    return stats;
}

int HeatShade(std::int32_t hits, std::int32_t highestHits, std::int32_t lowestHits) {
    const std::int64_t spread = std::int64_t{highestHits} - lowestHits;
    if (spread < 1) return lightestShade;
    // 64 bits: a pocket's hits times 240 passes 32 bits past about nine million draws.
    const std::int64_t shade = (std::int64_t{highestHits} - hits) * lightestShade / spread;
    return static_cast<int>(std::clamp<std::int64_t>(shade, 0, lightestShade));
}

int HeatShade(const WheelStats& stats, Pocket p) {
    if (p < 0 || p >= maxPocketCount) return lightestShade;
    return HeatShade(stats.pocketHits[static_cast<std::size_t>(p)], stats.highestHits,
                     stats.lowestHits);
}

std::string_view HeatScaleName(HeatScale scale) {
    return scale == HeatScale::Deviation ? "deviation" : "spread";
}

std::optional<HeatScale> HeatScaleFromName(std::string_view name) {
    const auto same = [](std::string_view a, std::string_view b) {
        return std::ranges::equal(
            a, b, [](char x, char y) { return std::tolower(static_cast<unsigned char>(x)) == y; });
    };
    for (HeatScale scale : {HeatScale::Spread, HeatScale::Deviation})
        if (same(name, HeatScaleName(scale))) return scale;
    return std::nullopt;
}

double HitsZ(std::int32_t hits, std::int32_t analysedCount, int pockets) {
    if (analysedCount <= 0 || pockets < 2) return 0;
    const double share = 1.0 / pockets;
    const double expected = analysedCount * share;
    return (hits - expected) / std::sqrt(expected * (1 - share));
}

int DeviationShade(double z) {
    const double reach = std::min(1.0, (z / heatScaleEndZ) * (z / heatScaleEndZ));
    const double shade = expectedShade - std::copysign(reach * expectedShade, z);
    return static_cast<int>(std::lround(shade));
}

int HeatShade(const WheelStats& stats, Pocket p, HeatScale scale) {
    if (scale == HeatScale::Spread) return HeatShade(stats, p);
    if (p < 0 || p >= maxPocketCount) return lightestShade;
    return DeviationShade(HitsZ(stats.pocketHits[static_cast<std::size_t>(p)], stats.analysedCount,
                                pocketCount(stats.kind)));
}

}  // namespace spinalyst
