#include "core/model/bet_slots.h"

#include <algorithm>

namespace spinalyst {

namespace {

// The 57 number splits ordered by lower pocket, then higher, after the given zero splits.
constexpr std::array<PocketPair, 60> SplitsAfter(std::array<PocketPair, 3> zeros, int zeroCount) {
    std::array<PocketPair, 60> list{};
    int n = 0;
    for (int z = 0; z < zeroCount; ++z) list[n++] = zeros[z];
    for (Pocket a = 1; a <= 36; ++a) {
        // The right neighbour in the same street comes before the neighbour one street on.
        if (a % 3 != 0) list[n++] = {a, a + 1};
        if (a + 3 <= 36) list[n++] = {a, a + 3};
    }
    return list;
}

constexpr auto frenchSplits = SplitsAfter({{{0, 1}, {0, 2}, {0, 3}}}, 3);
constexpr auto americanSplits = SplitsAfter({{{0, DoubleZero}, {0, 1}, {DoubleZero, 3}}}, 3);
constexpr auto noZeroSplits = SplitsAfter({}, 0);

constexpr std::array<PocketQuad, 23> frenchCorners = [] {
    std::array<PocketQuad, 23> list{};
    list[0] = carreQuads[23];
    for (int i = 1; i <= 22; ++i) list[i] = carreQuads[i];
    return list;
}();

static_assert(noZeroSplits[0] == PocketPair{1, 2} && noZeroSplits[1] == PocketPair{1, 4} &&
              noZeroSplits[2] == PocketPair{2, 3} && noZeroSplits[56] == PocketPair{35, 36});
static_assert(americanSplits[2] == PocketPair{DoubleZero, 3} &&
              americanSplits[59] == PocketPair{35, 36});
// Every number split of the statistics list is one of the bet splits.
static_assert([] {
    for (int k = 0; k < 57; ++k) {
        bool found = false;
        for (int i = 1; i <= 57; ++i)
            if (chevalPairs[i] == noZeroSplits[k]) found = true;
        if (!found) return false;
    }
    return true;
}());

}  // namespace

std::span<const PocketPair> splitList(RouletteKind kind) {
    switch (kind) {
        case RouletteKind::American:
            return americanSplits;
        case RouletteKind::French:
            return frenchSplits;
        case RouletteKind::NoZero:
            return std::span(noZeroSplits.data(), 57);
    }
    return frenchSplits;
}

std::span<const PocketQuad> cornerList(RouletteKind kind) {
    if (kind == RouletteKind::French) return frenchCorners;
    return std::span(carreQuads.data() + 1, 22);
}

}  // namespace spinalyst
