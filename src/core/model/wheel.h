#pragma once

#include <array>
#include <span>

#include "core/model/roulette.h"

namespace spinalyst {

// The pockets clockwise around each wheel, starting at 0. The no-zero wheel is the French
// order without its first entry: it uses positions 1 ... 36 of frenchWheel.
inline constexpr std::array<Pocket, 37> frenchWheel = {
    0, 32, 15, 19, 4, 21, 2,  25, 17, 34, 6,  27, 13, 36, 11, 30, 8, 23, 10,
    5, 24, 16, 33, 1, 20, 14, 31, 9,  22, 18, 29, 7,  28, 12, 35, 3, 26};
inline constexpr std::array<Pocket, 38> americanWheel = {
    0,  28, 9,  26, 30, 11, 7, 20, 32, 17, 5, 22, 34, 15, 3, 24, 36, 13, 1,
    37, 27, 10, 25, 29, 12, 8, 19, 31, 18, 6, 21, 33, 16, 4, 23, 35, 14, 2};
inline constexpr std::span<const Pocket> noZeroWheel{frenchWheel.data() + 1, 36};

// The kind's wheel order, position 0 first (for NoZero the 36 entries after 0).
constexpr std::span<const Pocket> WheelOrder(RouletteKind kind) {
    switch (kind) {
        case RouletteKind::American:
            return americanWheel;
        case RouletteKind::French:
            return frenchWheel;
        case RouletteKind::NoZero:
            return noZeroWheel;
    }
    return frenchWheel;
}

namespace detail {
template <std::size_t N>
constexpr std::array<int, maxPocketCount> PositionTable(const std::array<Pocket, N>& order,
                                                        int offset) {
    std::array<int, maxPocketCount> table{};
    for (int& t : table) t = -1;
    for (std::size_t i = static_cast<std::size_t>(offset); i < N; ++i)
        table[order[i]] = static_cast<int>(i);
    return table;
}
inline constexpr auto americanPositions = PositionTable(americanWheel, 0);
inline constexpr auto frenchPositions = PositionTable(frenchWheel, 0);
inline constexpr auto noZeroPositions = PositionTable(frenchWheel, 1);
}  // namespace detail

// Index of p in the kind's wheel order; for NoZero the positions run 1 ... 36, as on the
// French wheel. -1 for a pocket the kind does not have.
constexpr int wheelPosition(RouletteKind kind, Pocket p) {
    if (!IsPocketOf(kind, p)) return -1;
    switch (kind) {
        case RouletteKind::American:
            return detail::americanPositions[p];
        case RouletteKind::French:
            return detail::frenchPositions[p];
        case RouletteKind::NoZero:
            return detail::noZeroPositions[p];
    }
    return -1;
}

// Steps forward along the wheel from a to b: 0 ... pocketCount - 1.
constexpr int wheelDistance(RouletteKind kind, Pocket a, Pocket b) {
    int d = wheelPosition(kind, b) - wheelPosition(kind, a);
    return d < 0 ? d + pocketCount(kind) : d;
}

// The five pockets at wheel positions -2 ... +2 around t, wrapping round the wheel.
constexpr std::array<Pocket, 5> wheelNeighbourhood(RouletteKind kind, Pocket t) {
    auto order = WheelOrder(kind);
    const int n = static_cast<int>(order.size());
    // Index into the order span, which for NoZero starts at wheel position 1.
    const int centre = wheelPosition(kind, t) - (kind == RouletteKind::NoZero ? 1 : 0);
    std::array<Pocket, 5> around{};
    for (int k = -2; k <= 2; ++k) around[k + 2] = order[((centre + k) % n + n) % n];
    return around;
}

static_assert(wheelDistance(RouletteKind::French, 26, 0) == 1);
static_assert(wheelDistance(RouletteKind::French, 0, 26) == 36);
static_assert(wheelDistance(RouletteKind::NoZero, 26, 32) == 1);
static_assert(wheelPosition(RouletteKind::NoZero, 32) == 1);
static_assert(wheelPosition(RouletteKind::American, DoubleZero) == 19);

}  // namespace spinalyst
