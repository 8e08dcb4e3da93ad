#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/draws/draw_log.h"
#include "core/model/roulette.h"
#include "core/stats/slot_stats.h"

namespace spinalyst {

// lowestHits before any refresh: with it every pocket is shaded the lightest grey.
inline constexpr std::int32_t noLowestHits = 99'999'999;
inline constexpr int lightestShade = 240;

// How often pockets came out again after g draws (g = 1: twice in a row).
struct RepeatStats {
    std::int32_t interval = 0;
    SlotStats stats;
    // The draws between the two occurrences, as the interval is shown to the user.
    constexpr std::int32_t gap() const { return interval - 1; }
    friend bool operator==(const RepeatStats&, const RepeatStats&) = default;
};

// Draws that fell on one of the five pockets centred on `pocket`.
struct NeighbourhoodStats {
    Pocket pocket = 0;
    // Wheel order: the two before the pocket, the pocket, the two after it.
    std::array<Pocket, 5> pockets{};
    SlotStats stats;
    friend bool operator==(const NeighbourhoodStats&, const NeighbourhoodStats&) = default;
};

// The wheel's figures of the analysed draws. Every counter has hits, sinceLast and maxGap
// (repeats stays 0): its wait grows at every analysed draw, the first included, and a hit
// counts the hitting draw in maxGap before the wait starts again.
struct WheelStats {
    RouletteKind kind = defaultKind;
    std::int32_t analysedCount = 0;
    // Hits of each pocket, indexed by pocket; pockets the kind does not have stay 0.
    std::array<std::int32_t, maxPocketCount> pocketHits{};
    std::int32_t highestHits = 0;
    std::int32_t lowestHits = noLowestHits;
    // Indexed by the wheel distance from the previous draw: 0 ... pocketCount - 1, counted in
    // the direction of the ball (clockwise in the wheel order when it is not known).
    std::vector<SlotStats> distanceStats;
    // Only the intervals that occurred, ascending, however long.
    std::vector<RepeatStats> repeatStats;
    // One per pocket of the kind, in pocket order (00 last).
    std::vector<NeighbourhoodStats> neighbourhoodStats;
};

// One pass over the analysed draws (oldest first, one byte per pocket). A value that is no
// pocket of the kind counts as an analysed draw that hits nothing and has no distance to its
// neighbours. The cost grows with the draws, not with the number of counters. `directions`,
// one per analysed draw when given (SelectAnalysedDirections), turn the distance to a draw
// spun anticlockwise round: N - d, 0 staying 0.
WheelStats ComputeWheelStats(RouletteKind kind, std::span<const std::uint8_t> analysed,
                             std::span<const SpinDirection> directions = {});

// The grey level of a pocket by its hits, 0 (the most frequent) ... 240 (the least frequent);
// 240 for all when every pocket came out equally often or nothing has been analysed yet.
int HeatShade(std::int32_t hits, std::int32_t highestHits, std::int32_t lowestHits);
int HeatShade(const WheelStats& stats, Pocket p);

// How the heat greys are spread over the pockets.
enum class HeatScale {
    // From the most frequent pocket (black) to the least frequent (light grey), in proportion:
    // some pocket is black and some light grey however even the wheel.
    Spread,
    // By how far each pocket's hits lie from the count a fair wheel gives, in standard
    // deviations: mid grey as expected, black at heatScaleEndZ above and light grey at
    // heatScaleEndZ below.
    Deviation,
};
inline constexpr HeatScale defaultHeatScale = HeatScale::Spread;
// The names the settings file and the command line give the scales: spread, deviation.
std::string_view HeatScaleName(HeatScale scale);
std::optional<HeatScale> HeatScaleFromName(std::string_view name);

inline constexpr int expectedShade = lightestShade / 2;
inline constexpr double heatScaleEndZ = 3;
// The z-score of a pocket's hits among `analysedCount` draws of a wheel of `pockets` pockets,
// each as likely: 0 without draws.
double HitsZ(std::int32_t hits, std::int32_t analysedCount, int pockets);
// The grey of a z-score. The way from mid grey to either end grows with the square of z, so the
// wobble of a fair wheel (|z| mostly below 2) stays close to mid grey while a pocket further
// out stands apart, and a larger z is never lighter.
int DeviationShade(double z);
// The pocket's grey in the scale; in Deviation mid grey for every pocket when nothing has been
// analysed.
int HeatShade(const WheelStats& stats, Pocket p, HeatScale scale);

constexpr Rgb HeatGrey(int shade) {
    const auto s = static_cast<std::uint8_t>(shade);
    return {s, s, s};
}

}  // namespace spinalyst
