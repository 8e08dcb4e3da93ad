#include "core/betting/spin_table.h"

#include <algorithm>
#include <limits>

namespace spinalyst {

namespace {

bool IsEvenChance(BetKind kind) {
    return kind == BetKind::RougeNoir || kind == BetKind::PairImpair ||
           kind == BetKind::ManquePasse;
}

}  // namespace

SpinTable::SpinTable(RouletteKind kind, std::vector<PlacedBet> bets, Cents limit, bool laPartage)
    : kind_(kind) {
    std::sort(bets.begin(), bets.end(), [](const PlacedBet& a, const PlacedBet& b) {
        return a.slot.kind != b.slot.kind ? a.slot.kind < b.slot.kind : a.slot.index < b.slot.index;
    });
    bets_ = std::move(bets);
    for (const PlacedBet& bet : bets_) {
        baseStake_ += bet.stake;
        largestBase_ = std::max(largestBase_, bet.stake);
        const Cents pays = bet.stake * payoutFactor(bet.slot.kind);
        for (Pocket p = 0; p < maxPocketCount; ++p)
            if (Covers(bet.slot, p)) baseWin_[static_cast<std::size_t>(p)] += pays;
        if (laPartage && kind == RouletteKind::French && IsEvenChance(bet.slot.kind))
            partageBases_.push_back(bet.stake);
    }
    unitLimit_ = largestBase_ > 0 ? limit / largestBase_ : std::numeric_limits<Units>::max();
}

double SpinTable::MeanWin(std::span<const double> weights) const {
    const auto [total, weightSum] = WeightedWin(weights);
    return weightSum > 0 ? total / weightSum : 0;
}

double SpinTable::ExpectedReturn(std::span<const double> weights) const {
    const auto [total, weightSum] = WeightedWin(weights);
    if (weightSum <= 0 || baseStake_ <= 0) return 0;
    return total / weightSum / static_cast<double>(baseStake_) - 1;
}

std::pair<double, double> SpinTable::WeightedWin(std::span<const double> weights) const {
    double halves = 0;
    for (Cents base : partageBases_) halves += static_cast<double>(base) / 2;
    double total = 0;
    double weightSum = 0;
    for (Pocket p = firstPocket(kind_); p <= lastPocket(kind_); ++p) {
        const auto at = static_cast<std::size_t>(p);
        const double w = weights.empty() ? 1.0 : at < weights.size() ? weights[at] : 0.0;
        const double win = static_cast<double>(baseWin_[at]) + (p == 0 ? halves : 0.0);
        total += w * win;
        weightSum += w;
    }
    return {total, weightSum};
}

}  // namespace spinalyst
