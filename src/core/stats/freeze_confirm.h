#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/draws/frozen_set.h"
#include "core/model/roulette.h"
#include "core/stats/analysis_window.h"
#include "core/stats/fairness.h"

namespace spinalyst {

// A leader picked after the fact from N pockets is no evidence by itself: among N fair pockets
// one always leads. Freezing a set of pockets at a draw count and testing it on the draws that
// come after only is an honest test, with no correction for the choice, because those draws
// played no part in it.

inline constexpr double confirmationConfidence = 0.95;
// The biases the confirmation weighs the draws against, as excesses over the fair share.
inline constexpr std::array<double, 7> confirmationExcesses = {0.05, 0.1, 0.2, 0.3, 0.5, 0.75, 1.0};

// The figures of a frozen set of k pockets over the draws after the freeze.
struct Confirmation {
    int draws = 0;
    int hits = 0;
    // draws x k / N.
    double expected = 0;
    // The exact one-sided binomial P(X >= hits | draws, k / N): the test of a player who fixed
    // the number of draws when freezing and looks once they have come.
    double p = 1;
    // The set's own test for a player who looks after every draw, which p is not: on a fair
    // wheel p falls below fairnessLevel after some draw or other in a good many games. This is
    // the likelihood ratio of the hits under a bias against a fair wheel, averaged over
    // confirmationExcesses (as a logarithm). Averaged so, it is a fair game's martingale, so on a
    // fair wheel it ever reaches 1 / fairnessLevel with a chance of fairnessLevel at most
    // (Ville's inequality), however long the player watches.
    double logEvidence = 0;
    // The return per unit staked flat on every pocket of the set, 36 x hits / (k x draws) - 1,
    // and its interval from the Clopper-Pearson interval of the hit rate at
    // confirmationConfidence. Empty without draws.
    std::optional<double> ev;
    std::optional<double> evLow;
    std::optional<double> evHigh;
    // The Kelly fraction of a bankroll for a bet on the set, which pays 36 / k - 1 to 1, at the
    // interval's lower hit rate; 0 when that rate does not make the bet pay.
    double kelly = 0;
    double halfKelly = 0;

    bool confirmed() const { return logEvidence >= -std::log(fairnessLevel); }
};

// The figures of `set` (distinct pockets of the kind) over `draws`, the draws after the freeze.
// Draws that are no pocket of the kind are left out.
Confirmation Confirm(RouletteKind kind, std::span<const Pocket> set,
                     std::span<const std::uint8_t> draws);

// Confirmation::logEvidence of `hits` in `draws` for a set whose fair share is `share`.
double LogConfirmationEvidence(int hits, int draws, double share);

// The analysis window narrowed to the draws after the freeze at `frozenAt` draws; nullopt when
// no draw of the window comes after it.
std::optional<AnalysisWindow> WindowAfterFreeze(const AnalysisWindow& window, int frozenAt);

// The frozen set's figures over the analysed draws that come after its freeze: the window
// narrowed to them, selected from the log, and confirmed (window unset for an empty log).
Confirmation ConfirmFreeze(const DrawLog& log, RouletteKind kind,
                           const std::optional<AnalysisWindow>& window, const FrozenSet& freeze);

}  // namespace spinalyst
