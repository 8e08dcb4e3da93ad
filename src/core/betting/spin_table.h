#pragma once

#include <array>
#include <limits>
#include <span>
#include <utility>
#include <vector>

#include "core/betting/bet_list.h"
#include "core/model/roulette.h"

namespace spinalyst {

using Units = std::int64_t;

// The base bets of a spin (the stakes at one unit) as a spin settles them: the stake and what
// each pocket pays back at one unit, which the units only rescale, so a spin costs a look-up
// and a multiplication however many bets there are. No bets is an idle spin.
class SpinTable {
public:
    SpinTable() = default;
    // The bets must be on slots the table offers, each once. `limit` is the most one slot may
    // hold; with laPartage (French only) a zero pays back half of each even-chance stake.
    SpinTable(RouletteKind kind, std::vector<PlacedBet> bets, Cents limit, bool laPartage);

    RouletteKind kind() const { return kind_; }
    // In stake-table order.
    const std::vector<PlacedBet>& bets() const { return bets_; }
    bool idle() const { return bets_.empty(); }
    // The total stake at one unit.
    Cents baseStake() const { return baseStake_; }
    // The most units the limit lets the largest bet take (0 when one unit is already too
    // many; any number for an idle spin).
    Units unitLimit() const { return unitLimit_; }

    Cents Stake(Units u) const { return baseStake_ * u; }
    // What pocket p pays back at u units, the stakes of the winning bets included.
    Cents Win(Pocket p, Units u) const {
        Cents win = baseWin_[static_cast<std::size_t>(p)] * u;
        if (p == 0 && !partageBases_.empty())
            for (Cents base : partageBases_) win += base * u / 2;
        return win;
    }

    // What one unit pays back on average on a wheel that draws pocket p with weight
    // weights[p] (indexed by pocket; an empty span is the fair wheel). La partage gives back
    // exact halves here; the settlement rounds each half down to the cent, which costs at most
    // half a cent per even-chance bet and zero.
    double MeanWin(std::span<const double> weights = {}) const;
    // The expected result per unit staked of one spin: MeanWin over the stake, less one.
    double ExpectedReturn(std::span<const double> weights = {}) const;

private:
    // The sum of weight x win at one unit over the kind's pockets, and the sum of the weights.
    std::pair<double, double> WeightedWin(std::span<const double> weights) const;

    RouletteKind kind_ = defaultKind;
    std::vector<PlacedBet> bets_;
    Cents baseStake_ = 0;
    Cents largestBase_ = 0;
    Units unitLimit_ = std::numeric_limits<Units>::max();
    std::array<Cents, maxPocketCount> baseWin_{};
    // The even-chance base amounts when la partage applies, else empty.
    std::vector<Cents> partageBases_;
};

}  // namespace spinalyst
