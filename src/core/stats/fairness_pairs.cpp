#include "core/stats/fairness_pairs.h"

#include <algorithm>

namespace spinalyst::fairness_detail {

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

PairCounts CountPairs(const PairLayout& l, std::span<const std::uint8_t> draws,
                      std::span<const CroupierStint> stints,
                      std::span<const SpinDirection> directions) {
    PairCounts counts;
    counts.tableSize = l.TableSize();
    const bool directed = !directions.empty() && directions.size() == draws.size();
    counts.directions = directed ? 3 : 1;
    // The tables of each stint's croupier, known before the pass so that they are allocated
    // once.
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
    const std::size_t slotSize = counts.directions * counts.tableSize;
    for (const CroupierStint& stint : stints)
        slots.push_back(stint.croupier == 0 ? 0 : slotFor(stint.croupier) * slotSize);
    counts.tables.assign((counts.croupiers.size() + 1) * slotSize, 0);
    std::uint32_t* tables = counts.tables.data();
    std::size_t row = noPocket * pairStride;
    if (directed) {
        // The table follows the direction of each draw, so the draws are counted one by one.
        const auto count = [&](std::size_t at, std::size_t slot) {
            const auto direction = static_cast<std::size_t>(directions[at]);
            CountPair(l, draws[at], tables + slot + direction * counts.tableSize, row);
        };
        if (stints.empty()) {
            for (std::size_t at = 0; at < draws.size(); ++at) count(at, 0);
            return counts;
        }
        std::size_t at = 0;
        for (std::size_t s = 0; s < stints.size(); ++s) {
            if (stints[s].draws <= 0) continue;
            count(at++, 0);
            for (int i = 1; i < stints[s].draws; ++i) count(at++, slots[s]);
        }
        return counts;
    }
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

}  // namespace spinalyst::fairness_detail
