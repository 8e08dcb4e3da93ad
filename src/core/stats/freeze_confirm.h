#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/model/roulette.h"
#include "core/stats/analysis_window.h"
#include "core/stats/fairness.h"

namespace spinalyst {

// A leader picked after the fact from N pockets is no evidence by itself: among N fair pockets
// one always leads. Freezing a set of pockets at a draw count and testing it on the draws that
// come after only is an honest test, with no correction for the choice, because those draws
// played no part in it.

inline constexpr double confirmationConfidence = 0.95;

// The figures of a frozen set of k pockets over the draws after the freeze.
struct Confirmation {
    int draws = 0;
    int hits = 0;
    // draws x k / N.
    double expected = 0;
    // The exact one-sided binomial P(X >= hits | draws, k / N).
    double p = 1;
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

    // The set's own test, at fairnessLevel.
    bool confirmed() const { return draws > 0 && p < fairnessLevel; }
};

// The figures of `set` (distinct pockets of the kind) over `draws`, the draws after the freeze.
// Draws that are no pocket of the kind are left out.
Confirmation Confirm(RouletteKind kind, std::span<const Pocket> set,
                     std::span<const std::uint8_t> draws);

// The analysis window narrowed to the draws after the freeze at `frozenAt` draws; nullopt when
// no draw of the window comes after it.
std::optional<AnalysisWindow> WindowAfterFreeze(const AnalysisWindow& window, int frozenAt);

}  // namespace spinalyst
