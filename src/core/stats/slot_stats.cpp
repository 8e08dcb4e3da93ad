#include "core/stats/slot_stats.h"

#include <algorithm>

namespace spinalyst {

namespace {

// No pocket lies in more than four slots of one family (a middle number: four corners, four
// splits), and no family has more than 60 slots (the splits).
constexpr int maxCoverWidth = 4;
constexpr int maxFamilySlots = 60;
// A draw is looked up by row: the pockets 0 ... 37 by number, anything else in one last row
// that no slot covers, so a damaged value never indexes out of bounds.
constexpr std::size_t otherRow = maxPocketCount;
constexpr std::size_t rowCount = otherRow + 1;

// For every row, the slots that cover it. A row always names `width` slots so that the
// counting loop runs a fixed number of times without branching on the pocket; the places a
// pocket does not fill name scratch slots after the real ones.
struct CoverTable {
    int slotCount = 0;
    int width = 1;
    std::array<std::array<std::uint8_t, maxCoverWidth>, rowCount> places{};
    // The pockets of each slot, bit p for pocket p.
    std::array<std::uint64_t, maxFamilySlots> members{};
};

CoverTable BuildCoverTable(StatFamily family, RouletteKind kind) {
    CoverTable table;
    table.slotCount = SlotCount(family, kind);
    for (std::size_t row = 0; row < rowCount; ++row) {
        auto& places = table.places[row];
        const auto p = static_cast<Pocket>(row);
        std::size_t n = 0;
        if (IsPocketOf(kind, p)) {
            for (int s = 0; s < table.slotCount; ++s) {
                if (!SlotCovers(family, kind, s, p)) continue;
                places.at(n++) = static_cast<std::uint8_t>(s);
                table.members[static_cast<std::size_t>(s)] |= std::uint64_t{1} << row;
            }
        }
        table.width = std::max(table.width, static_cast<int>(n));
        for (; n < maxCoverWidth; ++n) places[n] = static_cast<std::uint8_t>(table.slotCount + n);
    }
    return table;
}

const CoverTable& CoverTableOf(StatFamily family, RouletteKind kind) {
    static const auto tables = [] {
        std::array<CoverTable, allStatFamilies.size() * allKinds.size()> all{};
        for (StatFamily f : allStatFamilies)
            for (RouletteKind k : allKinds)
                all[static_cast<std::size_t>(f) * allKinds.size() + static_cast<std::size_t>(k)] =
                    BuildCoverTable(f, k);
        return all;
    }();
    return tables[static_cast<std::size_t>(family) * allKinds.size() +
                  static_cast<std::size_t>(kind)];
}

using Wait = FamilyTally::Wait;
using Waits = std::array<Wait, FamilyTally::waitCount>;
static_assert(FamilyTally::waitCount >= maxFamilySlots + maxCoverWidth);

// How often each row followed each row: entry prev * pairStride + row. Hits and repeats of
// every slot are sums over it, which keeps the pass to one counter per draw however many
// slots the draw hits. The first draw follows the other row, which no slot covers.
constexpr std::size_t pairStride = 64;
using PairCounts = std::array<std::int32_t, FamilyTally::pairCount>;
static_assert(FamilyTally::pairCount == rowCount * pairStride);

// Out of line, so that the compiler does not turn this rare update into a store at every hit.
[[gnu::noinline, gnu::cold]] void RaiseMaxGap(Wait& wait, std::int32_t gap) {
    wait.maxGap = gap;
}

// `rows` are already row numbers (0 ... otherRow), so the loop indexes without clamping; the
// first of them is draw `first` of the list, after `prev`. Kept out of line: inlined into its
// caller it lost registers and reloaded the draws at every step.
template <std::size_t Width>
[[gnu::noinline]] std::size_t Scan(const CoverTable& table, std::span<const std::uint8_t> rows,
                                   std::int32_t first, std::size_t prev, Waits& waits,
                                   PairCounts& pairs) {
    const std::uint8_t* row = rows.data();
    const auto count = static_cast<std::int32_t>(rows.size());
    for (std::int32_t j = 0; j < count; ++j) {
        const std::int32_t i = first + j;
        const std::size_t r = row[j];
        ++pairs[prev * pairStride + r];
        prev = r;
        const auto& places = table.places[r];
        for (std::size_t k = 0; k < Width; ++k) {
            Wait& w = waits[places[k]];
            const std::int32_t gap = i - w.last;
            if (gap > w.maxGap) [[unlikely]]
                RaiseMaxGap(w, gap);
            w.last = i;
        }
    }
    return prev;
}

std::uint8_t RowOf(Pocket p) {
    return static_cast<std::uint8_t>(
        std::min<std::uint32_t>(static_cast<std::uint32_t>(p), otherRow));
}

bool AreRows(std::span<const std::uint8_t> draws) {
    // A plain reduction rather than an early exit, so that it vectorises.
    std::uint8_t top = 0;
    for (std::uint8_t d : draws) top = std::max(top, d);
    return top <= otherRow;
}

}  // namespace

void FamilyTally::Add(std::span<const std::uint8_t> draws) {
    if (draws.empty()) return;
    std::vector<std::uint8_t> converted;
    if (!AreRows(draws)) {
        converted.resize(draws.size());
        std::transform(draws.begin(), draws.end(), converted.begin(),
                       [](std::uint8_t d) { return RowOf(d); });
        draws = converted;
    }
    const CoverTable& table = CoverTableOf(key_.family, key_.kind);
    constexpr std::array scans = {&Scan<1>, &Scan<2>, &Scan<3>, &Scan<4>};
    prev_ = static_cast<std::uint8_t>(scans[static_cast<std::size_t>(table.width - 1)](
        table, draws, count_, prev_, waits_, pairs_));
    count_ += static_cast<std::int32_t>(draws.size());
}

std::vector<SlotStats> FamilyTally::Figures() const {
    const CoverTable& table = CoverTableOf(key_.family, key_.kind);
    std::array<std::int32_t, rowCount> rowHits{};
    for (std::size_t prev = 0; prev < rowCount; ++prev)
        for (std::size_t r = 0; r < rowCount; ++r) rowHits[r] += pairs_[prev * pairStride + r];

    std::vector<SlotStats> stats(static_cast<std::size_t>(table.slotCount));
    for (std::size_t s = 0; s < stats.size(); ++s) {
        SlotStats& st = stats[s];
        const std::uint64_t members = table.members[s];
        for (std::size_t a = 0; a < rowCount; ++a) {
            if (!(members >> a & 1)) continue;
            st.hits += rowHits[a];
            for (std::size_t b = 0; b < rowCount; ++b)
                if (members >> b & 1) st.repeats += pairs_[a * pairStride + b];
        }
        st.sinceLast = count_ - 1 - waits_[s].last;
        st.maxGap = waits_[s].maxGap;
    }
    return stats;
}

namespace {

std::vector<SlotStats> ComputeBytes(StatFamily family, RouletteKind kind,
                                    std::span<const std::uint8_t> draws) {
    FamilyTally tally({family, kind});
    tally.Add(draws);
    return tally.Figures();
}

PocketStatsTable ByPocket(RouletteKind kind, const std::vector<SlotStats>& slots) {
    PocketStatsTable table{};
    std::copy(slots.begin(), slots.end(), table.begin() + firstPocket(kind));
    return table;
}

}  // namespace

std::vector<SlotStats> ComputeFamilyStats(StatFamily family, RouletteKind kind,
                                          std::span<const std::uint8_t> analysed) {
    return ComputeBytes(family, kind, analysed);
}

PocketStatsTable ComputePocketStats(RouletteKind kind, std::span<const std::uint8_t> analysed) {
    return ByPocket(kind, ComputeBytes(StatFamily::Pleins, kind, analysed));
}

std::span<const SlotStats> KindEntries(const PocketStatsTable& table, RouletteKind kind) {
    return std::span(table).subspan(static_cast<std::size_t>(firstPocket(kind)),
                                    static_cast<std::size_t>(pocketCount(kind)));
}

HitsRange HitsAxisRange(std::span<const SlotStats> slots) {
    if (slots.empty()) return {};
    const auto [low, high] =
        std::minmax_element(slots.begin(), slots.end(),
                            [](const SlotStats& a, const SlotStats& b) { return a.hits < b.hits; });
    return {low->hits, high->hits};
}

std::int64_t TickStep(std::int64_t span) {
    std::int64_t step = 1;
    for (std::int64_t scale = 1; span / step > 4; scale *= 10)
        for (std::int64_t s : {1, 2, 5})
            if (span / step > 4) step = s * scale;
    return step;
}

AxisScale HitsAxisScale(std::span<const SlotStats> slots) {
    const HitsRange range = HitsAxisRange(slots);
    AxisScale scale;
    if (range.min < range.max) {
        scale.min = range.min;
        scale.max = range.max;
    } else {
        scale.min = 0;
        scale.max = std::max(1, range.max);
    }
    scale.tickStep = TickStep(std::int64_t{scale.max} - scale.min);
    return scale;
}

AxisScale WaitsAxisScale(std::span<const SlotStats> slots) {
    std::int32_t top = 1;
    for (const SlotStats& s : slots) top = std::max({top, s.sinceLast, s.maxGap});
    AxisScale scale;
    scale.max = top + std::max(1, top / 20);
    scale.tickStep = TickStep(scale.max);
    return scale;
}

int AxisLabelStride(int count, int available, int widest) {
    constexpr int gap = 4;
    if (count <= 0 || available <= 0) return 1;
    const long long needed = static_cast<long long>(count) * (widest + gap);
    return static_cast<int>(std::max<long long>(1, (needed + available - 1) / available));
}

}  // namespace spinalyst
