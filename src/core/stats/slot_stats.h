#pragma once

#include <array>
#include <climits>
#include <cstdint>
#include <span>
#include <vector>

#include "core/model/roulette.h"
#include "core/stats/stat_families.h"

namespace spinalyst {

// How one slot fared over the analysed draws.
struct SlotStats {
    // Analysed draws the slot covers.
    std::int32_t hits = 0;
    // Analysed draws since its last hit: 0 when the newest draw hit it, the number of draws
    // when it was never hit.
    std::int32_t sinceLast = 0;
    // Longest distance from the previous hit (or the start of the list) to a hit, the hit
    // counted; the misses after the last hit do not count. 0 when never hit.
    std::int32_t maxGap = 0;
    // Hits whose preceding analysed draw the slot also covers.
    std::int32_t repeats = 0;
    friend constexpr bool operator==(const SlotStats&, const SlotStats&) = default;
};

// The figures of every slot of the family, in slot order, over the analysed draws (oldest
// first). A value that is no pocket of the kind counts as a draw that no slot covers. One
// pass: the cost grows with the draws and their hits, not with the number of slots.
std::vector<SlotStats> ComputeFamilyStats(StatFamily family, RouletteKind kind,
                                          std::span<const std::uint8_t> analysed);

// The counts of that pass, kept so that it can go on over draws that come later: a tally that
// took a list of draws and then the draws that follow it gives the figures of the whole list,
// the same as ComputeFamilyStats, which is one tally over all the draws.
class FamilyTally {
public:
    struct Key {
        StatFamily family = StatFamily::Pleins;
        RouletteKind kind = defaultKind;
        friend constexpr bool operator==(Key, Key) = default;
    };
    // Indexes of draws are 32 bits.
    static constexpr std::size_t maxCount = INT32_MAX;

    explicit FamilyTally(Key key) : key_(key) {}

    Key key() const { return key_; }
    // Draws taken so far.
    std::size_t count() const { return static_cast<std::size_t>(count_); }
    // Takes the draws, oldest first, after those taken before.
    void Add(std::span<const std::uint8_t> draws);
    // The figures of every slot in slot order, as ComputeFamilyStats gives them.
    std::vector<SlotStats> Figures() const;

    // The latest hit of a slot (-1 before the first, draws indexed from 0) and its longest
    // wait, so that the gap to a hit and the current wait are plain differences.
    struct Wait {
        std::int32_t last = -1;
        std::int32_t maxGap = 0;
    };
    // Up to 60 slots (the splits), then the scratch slots a draw names to fill its row of
    // four.
    static constexpr std::size_t waitCount = 64;
    // How often each row followed each row (the pockets 0 ... 37, then one row for any other
    // value): 39 rows of 64.
    static constexpr std::size_t pairCount = 39 * 64;

private:
    Key key_;
    std::int32_t count_ = 0;
    // The row of the newest draw taken; before the first, the row no slot covers.
    std::uint8_t prev_ = maxPocketCount;
    std::array<Wait, waitCount> waits_{};
    std::array<std::int32_t, pairCount> pairs_{};
};

// The straight-number figures indexed by pocket (0 ... 37); the entries of pockets the kind
// does not have stay 0. Shared by the straight-number and wheel views.
using PocketStatsTable = std::array<SlotStats, maxPocketCount>;
PocketStatsTable ComputePocketStats(RouletteKind kind, std::span<const std::uint8_t> analysed);

// The entries of the kind's pockets, firstPocket ... lastPocket, in pocket order.
std::span<const SlotStats> KindEntries(const PocketStatsTable& table, RouletteKind kind);

// The span of the hits chart's axis: exactly the smallest to the largest hits of the slots,
// so the bars show their differences; 0 ... 0 without slots.
struct HitsRange {
    std::int32_t min = 0;
    std::int32_t max = 0;
    friend constexpr bool operator==(HitsRange, HitsRange) = default;
};
HitsRange HitsAxisRange(std::span<const SlotStats> slots);

// A value axis as the charts draw it: its span and the distance between its labelled ticks.
struct AxisScale {
    std::int32_t min = 0;
    std::int32_t max = 1;
    std::int64_t tickStep = 1;
    friend constexpr bool operator==(AxisScale, AxisScale) = default;
};
// One tick per unit for small spans; a round step (1, 2, 5 times a power of ten) keeping at
// most four intervals once they grow, so that the labels fit a short chart.
std::int64_t TickStep(std::int64_t span);
// The hits axis: HitsAxisRange, except that a range without width (every slot equal), which
// would leave no axis to draw, rises from 0 to at least 1.
AxisScale HitsAxisScale(std::span<const SlotStats> slots);
// The waits axis: from 0 to the longest current or longest wait, with a twentieth (at least
// 1) of headroom for the line.
AxisScale WaitsAxisScale(std::span<const SlotStats> slots);
// The labels of a crowded category axis that show: every k-th, for the smallest k that leaves
// each shown label `widest` pixels (and a small gap) on an axis `available` pixels long.
int AxisLabelStride(int count, int available, int widest);

}  // namespace spinalyst
