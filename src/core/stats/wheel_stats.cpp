#include "stats/wheel_stats.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>

#include "model/wheel.h"

namespace spinalyst {

namespace {

// Positions are indexes into the kind's wheel order. A byte that is no pocket of the kind
// maps to `foreign`, which is also the row of the draw before the first.
constexpr std::size_t foreign = maxPocketCount;
constexpr std::size_t positionRows = foreign + 1;
constexpr std::size_t pairStride = 64;
constexpr std::size_t initialRepeats = 512;
// The last-seen index of a position not drawn yet: far enough back that the interval to any
// draw is longer than the repeat table, near enough that the difference fits 32 bits.
constexpr std::int32_t neverSeen = -(1 << 30);

struct KindTables {
    std::size_t n = 0;
    std::array<std::uint8_t, 256> position{};
    // The distance of a step from position a to position b, at a * pairStride + b.
    std::array<std::uint8_t, positionRows * pairStride> distance{};
};

KindTables BuildTables(RouletteKind kind) {
    KindTables t;
    const auto order = WheelOrder(kind);
    t.n = order.size();
    t.position.fill(static_cast<std::uint8_t>(foreign));
    // A step from `foreign` goes to a scratch counter.
    t.distance.fill(static_cast<std::uint8_t>(foreign));
    for (std::size_t i = 0; i < t.n; ++i)
        t.position[static_cast<std::size_t>(order[i])] = static_cast<std::uint8_t>(i);
    for (std::size_t a = 0; a < t.n; ++a)
        for (std::size_t b = 0; b < t.n; ++b)
            t.distance[a * pairStride + b] = static_cast<std::uint8_t>((b + t.n - a) % t.n);
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
[[gnu::noinline, gnu::cold]] void RaiseMaxGap(Wait& wait, std::int32_t gap) {
    wait.maxGap = gap;
}

inline void Hit(Wait& wait, std::int32_t i) {
    const std::int32_t gap = i - wait.last;
    if (gap > wait.maxGap) [[unlikely]]
        RaiseMaxGap(wait, gap);
    wait.last = i;
}

struct Counters {
    // How often each position followed each position (the first draw follows `foreign`):
    // the hits of pockets and distances are sums over it.
    std::array<std::int32_t, positionRows * pairStride> pairs{};
    std::array<Wait, positionRows> distances{};
    // Indexed by interval; grown to the longest interval met.
    std::vector<Wait> repeats = std::vector<Wait>(initialRepeats);
    std::vector<std::int32_t> repeatHits = std::vector<std::int32_t>(initialRepeats);
    // Neighbourhoods by the position of their centre. Their last hits are the newest of their
    // pockets' last-seen indexes, so only the longest waits are kept here.
    std::array<std::int32_t, maxPocketCount> aroundMaxGap{};
    // Per position, the smallest longest wait of the five neighbourhoods that hold it.
    std::array<std::int32_t, maxPocketCount> aroundFloor{};
    // Last-seen index by position, with one slot either side that stays unseen: the ends of
    // the wheel read it as a neighbour, which only makes their check less selective.
    std::array<std::int32_t, maxPocketCount + 2> seenTable{};
    std::int32_t* seen() { return seenTable.data() + 1; }
};

// The exact waits of the five neighbourhoods that a draw at position w hits, before its own
// last-seen index moves on.
[[gnu::noinline]] void CheckNeighbourhoods(Counters& c, std::ptrdiff_t n, std::ptrdiff_t w,
                                           std::int32_t i) {
    const std::int32_t* seen = c.seen();
    const auto at = [&](std::ptrdiff_t k) { return static_cast<std::size_t>((w + k + n) % n); };
    bool raised = false;
    for (std::ptrdiff_t k = -2; k <= 2; ++k) {
        std::int32_t last = -1;
        for (std::ptrdiff_t j = -2; j <= 2; ++j) last = std::max(last, seen[at(k + j)]);
        std::int32_t& maxGap = c.aroundMaxGap[at(k)];
        if (i - last > maxGap) {
            maxGap = i - last;
            raised = true;
        }
    }
    if (!raised) return;
    for (std::ptrdiff_t k = -4; k <= 4; ++k) {
        std::int32_t floor = INT32_MAX;
        for (std::ptrdiff_t j = -2; j <= 2; ++j) floor = std::min(floor, c.aroundMaxGap[at(k + j)]);
        c.aroundFloor[at(k)] = floor;
    }
}

[[gnu::noinline]] void GrowRepeats(Counters& c, std::size_t interval) {
    const std::size_t size = std::max(c.repeats.size() * 2, interval + 1);
    c.repeats.resize(size);
    c.repeatHits.resize(size);
}

// Kept out of line so that the loop keeps its pointers in registers.
[[gnu::noinline]] void Scan(const KindTables& t, std::span<const std::uint8_t> draws, Counters& c) {
    std::int32_t* seen = c.seen();
    std::fill(c.seenTable.begin(), c.seenTable.end(), neverSeen);
    const auto n = static_cast<std::ptrdiff_t>(t.n);
    const std::uint8_t* draw = draws.data();
    const auto count = static_cast<std::int32_t>(draws.size());
    Wait* repeats = c.repeats.data();
    std::int32_t* repeatHits = c.repeatHits.data();
    std::size_t repeatCount = c.repeats.size();
    std::size_t prev = foreign;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::size_t w = t.position[draw[i]];
        if (w == foreign) [[unlikely]] {
            prev = foreign;
            continue;
        }
        const std::size_t pair = prev * pairStride + w;
        ++c.pairs[pair];
        Hit(c.distances[t.distance[pair]], i);
        prev = w;

        const auto pw = static_cast<std::ptrdiff_t>(w);
        const std::int32_t last = seen[pw];
        // Each of the five neighbourhoods holds w and one of its two wheel neighbours, so none
        // waited longer than since the newest of w and the older neighbour.
        const std::int32_t newest = std::max(last, std::min(seen[pw - 1], seen[pw + 1]));
        if (i - newest > c.aroundFloor[w]) [[unlikely]]
            CheckNeighbourhoods(c, n, pw, i);
        seen[pw] = i;

        // A first occurrence looks like an interval too long for the table.
        const auto interval = static_cast<std::uint32_t>(i - last);
        if (interval >= repeatCount) [[unlikely]] {
            if (last < 0) continue;
            GrowRepeats(c, interval);
            repeats = c.repeats.data();
            repeatHits = c.repeatHits.data();
            repeatCount = c.repeats.size();
        }
        ++repeatHits[interval];
        Hit(repeats[interval], i);
    }
}

SlotStats Figures(std::int32_t hits, std::int32_t last, std::int32_t maxGap, std::int32_t count) {
    return {.hits = hits, .sinceLast = count - 1 - last, .maxGap = maxGap, .repeats = 0};
}

}  // namespace

WheelStats ComputeWheelStats(RouletteKind kind, std::span<const std::uint8_t> analysed) {
    // Far beyond any analysis window; past it the 32-bit indexes would wrap, so only the
    // newest draws are counted.
    constexpr std::size_t maxDraws = std::size_t{1} << 30;
    if (analysed.size() > maxDraws) analysed = analysed.last(maxDraws);
    const KindTables& t = TablesOf(kind);
    auto c = std::make_unique<Counters>();
    Scan(t, analysed, *c);

    const auto count = static_cast<std::int32_t>(analysed.size());
    const auto n = static_cast<std::ptrdiff_t>(t.n);
    const auto at = [n](std::ptrdiff_t k) { return static_cast<std::size_t>((k + n) % n); };
    std::array<std::int32_t, maxPocketCount> hits{};
    std::array<std::int32_t, maxPocketCount> distanceHits{};
    for (std::size_t b = 0; b < t.n; ++b) hits[b] = c->pairs[foreign * pairStride + b];
    for (std::size_t a = 0; a < t.n; ++a) {
        for (std::size_t b = 0; b < t.n; ++b) {
            const std::int32_t steps = c->pairs[a * pairStride + b];
            hits[b] += steps;
            distanceHits[t.distance[a * pairStride + b]] += steps;
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
        const Wait& k = c->distances[d];
        stats.distanceStats.push_back(Figures(distanceHits[d], k.last, k.maxGap, count));
    }
    for (std::size_t g = 1; g < c->repeats.size(); ++g) {
        const Wait& k = c->repeats[g];
        if (c->repeatHits[g] > 0)
            stats.repeatStats.push_back(
                {static_cast<std::int32_t>(g), Figures(c->repeatHits[g], k.last, k.maxGap, count)});
    }
    stats.neighbourhoodStats.reserve(t.n);
    const std::int32_t* seen = c->seen();
    for (Pocket q = firstPocket(kind); q <= lastPocket(kind); ++q) {
        const auto centre = static_cast<std::ptrdiff_t>(t.position[static_cast<std::size_t>(q)]);
        std::int32_t around = 0;
        std::int32_t last = -1;
        for (std::ptrdiff_t k = -2; k <= 2; ++k) {
            around += hits[at(centre + k)];
            last = std::max(last, seen[at(centre + k)]);
        }
        stats.neighbourhoodStats.push_back(
            {q, wheelNeighbourhood(kind, q),
             Figures(around, last, c->aroundMaxGap[at(centre)], count)});
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

}  // namespace spinalyst
