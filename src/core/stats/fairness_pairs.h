#pragma once

// The pair counting that every fairness test but the sector simulation reads its figures from,
// shared by the files of the fairness tests and nothing else.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/model/roulette.h"
#include "core/model/wheel.h"
#include "core/stats/analysis_window.h"
#include "core/stats/fairness.h"

namespace spinalyst::fairness_detail {

inline bool IsGreen(Pocket p) {
    return ColourOf(p) == PocketColour::Green;
}

// The cell of a pocket in an outside family, as FamilyTest orders them; -1 for green.
inline int FamilyCell(OutsideFamily family, Pocket p) {
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

inline int FamilyBoxes(OutsideFamily family) {
    return family == OutsideFamily::Dozens || family == OutsideFamily::Columns ? 3 : 2;
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

// The layout of a kind, built once.
const PairLayout& LayoutOf(RouletteKind kind);

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
                  std::size_t& row);

// Table 0 holds the pairs that are no croupier's (their draws were spun by different
// croupiers, or by nobody); table s the pairs of croupier croupiers[s - 1]. With directions,
// each of these is three tables, by the direction of the later draw of the pair (Unknown,
// Clockwise, Anticlockwise).
struct PairCounts {
    std::size_t tableSize = 0;
    std::size_t directions = 1;
    std::vector<std::uint32_t> tables;
    std::vector<std::int32_t> croupiers;

    std::span<const std::uint32_t> Table(std::size_t slot, std::size_t direction = 0) const {
        return std::span(tables).subspan((slot * directions + direction) * tableSize, tableSize);
    }
};

// `directions`, one per draw, or empty when none is known.
PairCounts CountPairs(const PairLayout& l, std::span<const std::uint8_t> draws,
                      std::span<const CroupierStint> stints,
                      std::span<const SpinDirection> directions = {});

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

}  // namespace spinalyst::fairness_detail
