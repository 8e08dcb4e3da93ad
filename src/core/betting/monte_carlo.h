#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <span>
#include <stop_token>
#include <vector>

#include "core/betting/strategy_session.h"

namespace spinalyst {

// A share or a mean with its 95% interval.
struct Estimate {
    double value = 0;
    double low = 0;
    double high = 0;
};

inline constexpr double z95 = 1.959963984540054;
// Wilson's interval of a share of k out of n (n > 0), 95% by default.
Estimate WilsonInterval(std::int64_t k, std::int64_t n, double z = z95);

struct MonteCarloRequest {
    std::int64_t sessions = 10'000;
    std::uint64_t seed = 1;
    // 0: one thread a core.
    unsigned threads = 0;
    // How often each pocket came out, indexed by pocket, for a wheel that draws with the
    // recorded frequencies; empty for a fair wheel.
    std::vector<std::int64_t> pocketCounts;
};

inline constexpr std::int64_t maxMonteCarloSessions = 10'000'000;
inline constexpr std::int64_t maxMonteCarloSpins = 1'000'000'000;
// The fan chart follows this many sessions (the first ones) at this many points at most.
inline constexpr std::int64_t fanSessions = 10'000;
inline constexpr std::int64_t fanPoints = 100;
inline constexpr std::array<int, 5> fanPercentiles = {5, 25, 50, 75, 95};

struct FanChart {
    // The spins after which the balance is taken, 0 first.
    std::vector<std::int64_t> spins;
    // For each of fanPercentiles, the balance at each point; a session that ended keeps its
    // final balance.
    std::array<std::vector<Cents>, fanPercentiles.size()> balances;
};

struct MonteCarloResult {
    std::int64_t sessions = 0;
    // Sessions by the reason they ended, indexed by SessionEnd.
    std::array<std::int64_t, 7> ends{};
    Estimate Share(SessionEnd end) const {
        return WilsonInterval(ends[static_cast<int>(end)], sessions);
    }

    Estimate finalMean;
    // Nearest-rank percentiles: balances some session ended with.
    Cents finalMedian = 0;
    Cents finalP05 = 0;
    Cents finalP95 = 0;
    Estimate stakedMean;
    Estimate spinsMean;
    // The sessions' total result over their total stake, with its 95% interval (the delta
    // method over independent sessions), beside the exact expectation on the same wheel: for a
    // system, whose bets change, the expectation of the bets its sessions staked.
    Estimate returnPerUnit;
    double expectedReturn = 0;

    // Every session's final balance, in session order.
    std::vector<Cents> finalBalances;
    FanChart fan;
};

// Final balances counted in `bins` equal bins from the lowest to the highest (one bin when
// they are all the same).
struct BalanceHistogram {
    Cents low = 0;
    double width = 1;
    std::vector<std::int64_t> counts;
};
BalanceHistogram HistogramOf(std::span<const Cents> balances, int bins);

// Plays `request.sessions` sessions of the plan, each ended by its rules or its max-spins
// (which the plan must set), on a simulated wheel of the plan's kind. Every session draws from
// its own counter-based stream, so the same seed gives the same result on any number of
// threads. `done` counts the sessions played as they finish; nullopt when `stop` was
// requested or the plan has no max-spins.
std::optional<MonteCarloResult> RunMonteCarlo(const PlanTable& table,
                                              const MonteCarloRequest& request,
                                              std::stop_token stop = {},
                                              std::atomic<std::int64_t>* done = nullptr);

}  // namespace spinalyst
