#include "core/betting/monte_carlo.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <thread>

#include "core/betting/counter_random.h"

namespace spinalyst {

namespace {

// Sessions per unit of work handed to a thread.
constexpr std::int64_t sessionsPerBlock = 64;

// Draws pockets of the kind, uniformly or with the recorded frequencies.
class Wheel {
public:
    Wheel(RouletteKind kind, std::span<const std::int64_t> counts)
        : first_(firstPocket(kind)), count_(static_cast<std::uint32_t>(pocketCount(kind))) {
        if (counts.empty()) return;
        std::uint64_t total = 0;
        for (Pocket p = firstPocket(kind); p <= lastPocket(kind); ++p) {
            const auto at = static_cast<std::size_t>(p);
            total += at < counts.size()
                         ? static_cast<std::uint64_t>(std::max<std::int64_t>(counts[at], 0))
                         : 0;
            cumulative_.push_back(total);
        }
        valid_ = total > 0 && total <= UINT32_MAX;
        total_ = static_cast<std::uint32_t>(total);
    }

    bool valid() const { return valid_; }

    Pocket Next(SessionRandom& rng) const {
        if (cumulative_.empty()) return first_ + static_cast<Pocket>(rng.Below(count_));
        const std::uint64_t r = rng.Below(total_);
        const auto at = std::upper_bound(cumulative_.begin(), cumulative_.end(), r);
        return first_ + static_cast<Pocket>(at - cumulative_.begin());
    }

private:
    Pocket first_;
    std::uint32_t count_;
    std::vector<std::uint64_t> cumulative_;
    std::uint32_t total_ = 0;
    bool valid_ = true;
};

// Runs `work` on `workers` threads, this one among them, and waits for them all.
template <typename Work>
void OnWorkers(unsigned workers, const Work& work) {
    std::vector<std::jthread> pool;
    for (unsigned t = 1; t < workers; ++t) pool.emplace_back(work);
    work();
}

Estimate MeanInterval(double sum, double sumSquaredDeviations, std::int64_t n) {
    const double mean = sum / static_cast<double>(n);
    if (n < 2) return {mean, mean, mean};
    const double sd = std::sqrt(sumSquaredDeviations / static_cast<double>(n - 1));
    const double half = z95 * sd / std::sqrt(static_cast<double>(n));
    return {mean, mean - half, mean + half};
}

template <typename T>
Estimate MeanOf(const std::vector<T>& values) {
    double sum = 0;
    for (T v : values) sum += static_cast<double>(v);
    const double mean = sum / static_cast<double>(values.size());
    double deviations = 0;
    for (T v : values)
        deviations += (static_cast<double>(v) - mean) * (static_cast<double>(v) - mean);
    return MeanInterval(sum, deviations, static_cast<std::int64_t>(values.size()));
}

// The index of the nearest-rank q-quantile of n sorted values: rank ceil(q * n), at least 1.
std::size_t Rank(std::size_t n, double q) {
    const auto rank =
        static_cast<std::size_t>(std::max(1.0, std::ceil(q * static_cast<double>(n) - 1e-9)));
    return std::min(rank, n) - 1;
}

Cents NearestRank(const std::vector<Cents>& sorted, double q) {
    return sorted[Rank(sorted.size(), q)];
}

std::vector<std::int64_t> FanSpins(std::int64_t maxSpins) {
    const std::int64_t points = std::min(maxSpins, fanPoints);
    std::vector<std::int64_t> spins = {0};
    for (std::int64_t j = 1; j <= points; ++j)
        spins.push_back((j * maxSpins + points - 1) / points);
    return spins;
}

}  // namespace

Estimate WilsonInterval(std::int64_t k, std::int64_t n, double z) {
    if (n <= 0) return {};
    const double nn = static_cast<double>(n);
    const double p = static_cast<double>(k) / nn;
    const double z2 = z * z;
    const double centre = (p + z2 / (2 * nn)) / (1 + z2 / nn);
    const double half = z / (1 + z2 / nn) * std::sqrt(p * (1 - p) / nn + z2 / (4 * nn * nn));
    return {p, std::max(0.0, centre - half), std::min(1.0, centre + half)};
}

BalanceHistogram HistogramOf(std::span<const Cents> balances, int bins) {
    BalanceHistogram h;
    if (balances.empty()) return h;
    const auto [low, high] = std::minmax_element(balances.begin(), balances.end());
    h.low = *low;
    const int count = *high == *low ? 1 : std::max(bins, 1);
    h.width = *high == *low ? 1.0 : static_cast<double>(*high - *low) / count;
    h.counts.assign(static_cast<std::size_t>(count), 0);
    for (Cents b : balances) {
        const auto at = static_cast<std::size_t>(static_cast<double>(b - h.low) / h.width);
        ++h.counts[std::min(at, h.counts.size() - 1)];
    }
    return h;
}

std::optional<MonteCarloResult> RunMonteCarlo(const PlanTable& table,
                                              const MonteCarloRequest& request,
                                              std::stop_token stop,
                                              std::atomic<std::int64_t>* done) {
    const auto& maxSpins = table.plan().rules.maxSpins;
    const Wheel wheel(table.kind(), request.pocketCounts);
    if (!maxSpins || !wheel.valid() || request.sessions < 1) return std::nullopt;
    const std::int64_t n = request.sessions;
    const auto size = static_cast<std::size_t>(n);

    std::vector<Cents> balances(size);
    std::vector<Cents> staked(size);
    std::vector<std::int64_t> spins(size);
    std::vector<std::uint8_t> ends(size);
    // What the stakes of each session pay back on average: the exact expectation of a system,
    // whose bets change from spin to spin.
    std::vector<double> meanWon(table.fixedBets() ? 0 : size);
    std::vector<double> weights;
    for (std::int64_t c : request.pocketCounts) weights.push_back(static_cast<double>(c));
    const std::vector<std::int64_t> fanSpins = FanSpins(*maxSpins);
    const std::size_t fanWidth = fanSpins.size();
    const std::int64_t followed = std::min(n, fanSessions);
    std::vector<Cents> fan(static_cast<std::size_t>(followed) * fanWidth);

    const std::int64_t blocks = (n + sessionsPerBlock - 1) / sessionsPerBlock;
    std::atomic<std::int64_t> nextBlock{0};
    const auto work = [&] {
        // Each thread's own view of the rules; every session starts it from an empty history.
        std::optional<RuleWatch> watch;
        if (!table.fixedBets()) watch.emplace(table.ruleBook(), weights);
        RuleWatch* const seen = watch ? &*watch : nullptr;
        for (std::int64_t b = nextBlock++; b < blocks; b = nextBlock++) {
            if (stop.stop_requested()) return;
            const std::int64_t end = std::min(n, (b + 1) * sessionsPerBlock);
            for (std::int64_t s = b * sessionsPerBlock; s < end; ++s) {
                SessionRandom rng(request.seed, static_cast<std::uint64_t>(s));
                if (seen) seen->Reset();
                StrategySession session(table, seen);
                if (s < followed) {
                    // The fan's points: the balance after each of fanSpins.
                    // Point by point, so that each point's balances lie together.
                    const auto column = static_cast<std::size_t>(followed);
                    Cents* at = &fan[static_cast<std::size_t>(s)];
                    at[0] = 0;
                    std::size_t point = 1;
                    while (!session.ended()) {
                        session.Play(wheel.Next(rng));
                        while (point < fanWidth && fanSpins[point] <= session.spins())
                            at[column * point++] = session.balance();
                    }
                    while (point < fanWidth) at[column * point++] = session.balance();
                } else {
                    while (!session.ended()) session.Play(wheel.Next(rng));
                }
                const auto at = static_cast<std::size_t>(s);
                balances[at] = session.balance();
                staked[at] = session.staked();
                spins[at] = session.spins();
                ends[at] = static_cast<std::uint8_t>(session.end());
                if (seen) meanWon[at] = session.meanWon();
            }
            if (done) done->fetch_add(end - b * sessionsPerBlock, std::memory_order_relaxed);
        }
    };
    const unsigned available = std::max(1u, std::thread::hardware_concurrency());
    const unsigned workers = static_cast<unsigned>(
        std::min<std::int64_t>(request.threads == 0 ? available : request.threads, blocks));
    OnWorkers(workers, work);
    if (stop.stop_requested()) return std::nullopt;

    MonteCarloResult result;
    result.sessions = n;
    for (std::uint8_t e : ends) ++result.ends[e];
    result.finalMean = MeanOf(balances);
    result.stakedMean = MeanOf(staked);
    result.spinsMean = MeanOf(spins);

    double totalBalance = 0;
    double totalStaked = 0;
    for (std::size_t i = 0; i < size; ++i) {
        totalBalance += static_cast<double>(balances[i]);
        totalStaked += static_cast<double>(staked[i]);
    }
    if (totalStaked > 0) {
        const double r = totalBalance / totalStaked;
        double residuals = 0;
        for (std::size_t i = 0; i < size; ++i) {
            const double d = static_cast<double>(balances[i]) - r * static_cast<double>(staked[i]);
            residuals += d * d;
        }
        const double meanStaked = totalStaked / static_cast<double>(n);
        const double se =
            n > 1 ? std::sqrt(residuals / (static_cast<double>(n) * static_cast<double>(n - 1))) /
                        meanStaked
                  : 0.0;
        result.returnPerUnit = {r, r - z95 * se, r + z95 * se};
    }
    if (table.fixedBets()) {
        result.expectedReturn = table.fixedTable().ExpectedReturn(weights);
    } else if (totalStaked > 0) {
        double expected = 0;
        for (double m : meanWon) expected += m;
        result.expectedReturn = expected / totalStaked - 1;
    }

    std::vector<Cents> sorted = balances;
    std::sort(sorted.begin(), sorted.end());
    result.finalMedian = NearestRank(sorted, 0.5);
    result.finalP05 = NearestRank(sorted, 0.05);
    result.finalP95 = NearestRank(sorted, 0.95);
    result.finalBalances = std::move(balances);

    // The fan's percentiles, a point at a time on the same threads: selecting them is a fair
    // share of a short run.
    result.fan.spins = fanSpins;
    for (auto& line : result.fan.balances) line.resize(fanWidth);
    std::atomic<std::size_t> nextPoint{0};
    OnWorkers(workers, [&] {
        const auto count = static_cast<std::size_t>(followed);
        for (std::size_t j = nextPoint++; j < fanWidth; j = nextPoint++) {
            const auto column = fan.begin() + static_cast<std::ptrdiff_t>(j * count);
            // Each rank is selected in what lies above the one before: linear in all.
            auto from = column;
            for (std::size_t q = 0; q < fanPercentiles.size(); ++q) {
                const auto at =
                    column + static_cast<std::ptrdiff_t>(Rank(count, fanPercentiles[q] / 100.0));
                std::nth_element(from, at, column + static_cast<std::ptrdiff_t>(count));
                result.fan.balances[q][j] = *at;
                from = at;
            }
        }
    });
    return result;
}

}  // namespace spinalyst
