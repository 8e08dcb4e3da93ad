#pragma once

#include <array>
#include <optional>
#include <vector>

#include "core/model/roulette.h"
#include "core/stats/fairness.h"

namespace spinalyst {

// How many spins it takes before a bias of a given size can be told from chance. An excess of
// a set of k pockets is its hit rate over its fair share k/N, minus 1 (+0.2: a fifth more often
// than fair). A player looking for one biased pocket among N (or one sector among the N of its
// length) would use the one-sided exact binomial test at level fairnessLevel / N; the planner
// works out that test's power exactly from the binomial law.

inline constexpr double plannedPower = 0.8;
// The set sizes planned: single pockets, then sectors of adjacent pockets on the wheel.
inline constexpr std::array<int, 4> plannedSizes = {1, 3, 5, 9};
inline constexpr std::array<double, 3> plannedExcesses = {0.1, 0.2, 0.5};
// The smallest detectable excess is found to this step.
inline constexpr double excessStep = 0.001;
// Spins needed beyond this are reported as none: no player spins that long.
inline constexpr int maxPlannedSpins = 100'000'000;

// The excess above which straight-up bets on the set win in the long run: N / 36 - 1 (French
// +2.78 %, American +5.56 %, no zero 0).
double BreakEvenExcess(RouletteKind kind);

// The one-sided test of k or more hits against a share p0 at a significance level.
struct ExcessTest {
    double share = 0;
    double level = fairnessLevel;

    // The test a player would use to find one set of `size` pockets among all N of the kind.
    static ExcessTest Among(RouletteKind kind, int size);

    // The least count c with P(X >= c | n, share) <= level; n + 1 when no count of n draws is.
    int CriticalCount(int n) const;
    // The same from the z of the level's upper tail, for a caller that asks many times.
    int CriticalCount(int n, double zLevel) const;
    // P(X >= CriticalCount(n) | n, share x (1 + excess)); an excess that takes the share
    // beyond 1 takes it to 1.
    double Power(int n, double excess) const;
    // The least n with power at least plannedPower. Power does not grow steadily with n (it
    // drops each time the critical count steps up), so this is the first such n, not a point
    // where a smooth curve crosses. nullopt for an excess of 0 or less, or beyond
    // maxPlannedSpins.
    std::optional<int> SpinsNeeded(double excess) const;
    // The smallest excess, a multiple of excessStep, that n draws detect with plannedPower;
    // nullopt when none does (too few draws even for a set that always comes).
    std::optional<double> DetectableExcess(int n) const;
};

// The plan for one set size.
struct SizePlan {
    // 1: single pockets; more: sectors of that many adjacent pockets on the wheel.
    int size = 1;
    std::optional<double> detectableExcess;
    // For each of plannedExcesses.
    std::array<std::optional<int>, plannedExcesses.size()> spinsFor{};
    std::optional<int> spinsForBreakEven;
    // The set with most hits (ties: the first pocket, the first arc of the wheel order), its
    // excess, and the spins needed to detect that excess if it is real. Empty without draws.
    std::vector<Pocket> leader;
    std::optional<double> leaderExcess;
    std::optional<int> spinsForLeader;
    // How many more spins than the analysed draws that is, 0 when it is no more.
    std::optional<int> moreForLeader;
};

struct PowerPlan {
    RouletteKind kind = defaultKind;
    int drawCount = 0;
    double breakEvenExcess = 0;
    // One per plannedSizes, in order.
    std::vector<SizePlan> sizes;
};

// The plan for the draws a fairness report was computed from (its pocket hits and hottest arcs).
PowerPlan PlanPower(const FairnessReport& report);

}  // namespace spinalyst
