#include "core/stats/power_planner.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "core/model/wheel.h"
#include "core/stats/significance.h"

namespace spinalyst {

namespace {

double BiasedShare(double share, double excess) {
    return std::min(1.0, share * (1 + excess));
}

// The search for the least n with the power, in two stages that each rule out every n they
// pass, so that the n found is the least one although power drops each time the critical count
// steps up.
//
// Leaps: with c the critical count at a, every n >= a has a critical count of c or more, so its
// power is at most P(X >= c | n, biased), which grows with n: every n before the first one where
// that bound reaches plannedPower falls short. Near the answer the leaps shrink.
//
// Steps: from there, n by n, the tails of both laws and the terms of the count below the
// critical one follow from those of n - 1 by the ratios of neighbouring binomial terms.
constexpr int shortestLeap = 256;

struct Tails {
    long double atLeast = 0;  // P(X >= c | n)
    long double below = 0;    // P(X = c - 1 | n)
};

Tails TailsAt(int c, int n, double share) {
    Tails t;
    t.atLeast = BinomialUpperP(c, n, share);
    t.below = c - 1 > n ? 0.0 : BinomialTerm(c - 1, n, share);
    return t;
}

// Moves the tails from n to n + 1 draws at the same critical count c.
void AddDraw(Tails& t, int c, int n, double share) {
    t.atLeast += share * t.below;
    t.below *= (1 - share) * (n + 1.0L) / (n + 2.0L - c);
}

// Moves the tails of n draws from the count c to c + 1.
void RaiseCount(Tails& t, int c, int n, double share) {
    const long double term = t.below * (n - c + 1.0L) / c * share / (1 - share);
    t.atLeast -= term;
    t.below = term;
}

std::optional<int> FirstPowerful(const ExcessTest& test, double biased) {
    const double zPower = NormalUpperZ(1 - plannedPower), zLevel = NormalUpperZ(test.level);
    int n = 1;
    int c = test.CriticalCount(n, zLevel);
    for (;;) {
        if (BinomialUpperP(c, n, biased) >= plannedPower) return n;
        // The normal approximation of the n where P(X >= c | n, biased) reaches the power,
        // short of it by a tenth of the way; a leap is taken only once checked.
        const double spread = zPower * std::sqrt(biased * (1 - biased));
        const double root =
            (spread + std::sqrt(spread * spread + 4 * biased * (c - 0.5))) / (2 * biased);
        int leap = static_cast<int>(std::min(0.9 * (root * root - n), 1e9));
        // Near the answer, where leaps are short, steps cost less.
        if (leap < shortestLeap && 8 * leap < n) break;
        const auto last = [&] {
            return static_cast<int>(
                std::min<long long>(static_cast<long long>(n) + leap - 1, maxPlannedSpins));
        };
        while (leap > 0 && BinomialUpperP(c, last(), biased) >= plannedPower) leap /= 2;
        if (leap == 0) break;
        if (static_cast<long long>(n) + leap > maxPlannedSpins) return std::nullopt;
        n += leap;
        c = test.CriticalCount(n, zLevel);
    }
    Tails null = TailsAt(c, n, test.share), alternative = TailsAt(c, n, biased);
    for (;;) {
        while (null.atLeast > test.level) {
            RaiseCount(null, c, n, test.share);
            RaiseCount(alternative, c, n, biased);
            ++c;
        }
        if (alternative.atLeast >= plannedPower) return n;
        if (n == maxPlannedSpins) return std::nullopt;
        AddDraw(null, c, n, test.share);
        AddDraw(alternative, c, n, biased);
        ++n;
    }
}

// The spins needed for the planned excesses and the break-even one depend on the kind and the
// size alone: worked out once, by whichever thread first asks.
struct FixedSpins {
    std::array<std::optional<int>, plannedExcesses.size()> spinsFor{};
    std::optional<int> spinsForBreakEven;
};
const FixedSpins& FixedSpinsOf(RouletteKind kind, std::size_t sizeIndex) {
    static std::mutex mutex;
    static std::array<std::array<std::optional<FixedSpins>, plannedSizes.size()>, allKinds.size()>
        cache;
    const std::scoped_lock lock(mutex);
    auto& slot = cache[static_cast<std::size_t>(kind)][sizeIndex];
    if (!slot) {
        const ExcessTest test = ExcessTest::Among(kind, plannedSizes[sizeIndex]);
        FixedSpins spins;
        for (std::size_t i = 0; i < plannedExcesses.size(); ++i)
            spins.spinsFor[i] = test.SpinsNeeded(plannedExcesses[i]);
        spins.spinsForBreakEven = test.SpinsNeeded(BreakEvenExcess(kind));
        slot = spins;
    }
    return *slot;
}

}  // namespace

double BreakEvenExcess(RouletteKind kind) {
    return pocketCount(kind) / 36.0 - 1;
}

ExcessTest ExcessTest::Among(RouletteKind kind, int size) {
    const double count = pocketCount(kind);
    return {size / count, fairnessLevel / count};
}

int ExcessTest::CriticalCount(int n) const {
    return CriticalCount(n, NormalUpperZ(level));
}

int ExcessTest::CriticalCount(int n, double z) const {
    if (n <= 0) return 1;
    // A normal guess with its skewness correction, then exact steps to the least count.
    const double sd = std::sqrt(n * share * (1 - share));
    const double guess = n * share + z * sd + (z * z - 1) * (1 - 2 * share) / 6;
    int c = static_cast<int>(std::clamp(std::ceil(guess), 1.0, n + 1.0));
    while (c > 1 && BinomialUpperP(c - 1, n, share) <= level) --c;
    while (BinomialUpperP(c, n, share) > level) ++c;
    return c;
}

double ExcessTest::Power(int n, double excess) const {
    return BinomialUpperP(CriticalCount(n), n, BiasedShare(share, excess));
}

std::optional<int> ExcessTest::SpinsNeeded(double excess) const {
    if (!(excess > 0)) return std::nullopt;
    return FirstPowerful(*this, BiasedShare(share, excess));
}

std::optional<double> ExcessTest::DetectableExcess(int n) const {
    if (n <= 0) return std::nullopt;
    const int c = CriticalCount(n);
    if (c > n) return std::nullopt;
    // Power grows with the excess at a fixed n: the least step that has it, by bisection.
    const auto steps = static_cast<int>(std::floor((1 / share - 1) / excessStep + 1e-9));
    const auto powerful = [&](int step) {
        return BinomialUpperP(c, n, BiasedShare(share, step * excessStep)) >= plannedPower;
    };
    if (steps < 1 || !powerful(steps)) return std::nullopt;
    int low = 0, high = steps;
    while (high - low > 1) {
        const int middle = low + (high - low) / 2;
        (powerful(middle) ? high : low) = middle;
    }
    return high * excessStep;
}

PowerPlan PlanPower(const FairnessReport& report) {
    PowerPlan plan;
    plan.kind = report.kind;
    plan.drawCount = report.drawCount;
    plan.breakEvenExcess = BreakEvenExcess(report.kind);
    const int n = report.drawCount;
    for (std::size_t sizeIndex = 0; sizeIndex < plannedSizes.size(); ++sizeIndex) {
        const int size = plannedSizes[sizeIndex];
        const ExcessTest test = ExcessTest::Among(report.kind, size);
        SizePlan s;
        s.size = size;
        s.detectableExcess = test.DetectableExcess(n);
        const FixedSpins& fixed = FixedSpinsOf(report.kind, sizeIndex);
        s.spinsFor = fixed.spinsFor;
        s.spinsForBreakEven = fixed.spinsForBreakEven;

        int leaderHits = -1;
        if (size == 1) {
            for (const PocketFigure& f : report.pocketFigures)
                if (f.hits > leaderHits) {
                    leaderHits = f.hits;
                    s.leader = {f.pocket};
                }
        } else if (const auto at = static_cast<std::size_t>(size - shortestArc);
                   at < report.sectors.size()) {
            leaderHits = report.sectors[at].arc.hits;
            s.leader = ArcPockets(report.kind, report.sectors[at].arc);
        }
        if (n > 0 && leaderHits >= 0) {
            s.leaderExcess = leaderHits / (n * test.share) - 1;
            s.spinsForLeader = test.SpinsNeeded(*s.leaderExcess);
            if (s.spinsForLeader) s.moreForLeader = std::max(0, *s.spinsForLeader - n);
        }
        plan.sizes.push_back(std::move(s));
    }
    return plan;
}

}  // namespace spinalyst
