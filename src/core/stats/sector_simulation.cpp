// The sector scan's law under a fair wheel, by simulation, and its use in a report.

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <thread>

#include "core/stats/fairness.h"
#include "core/stats/fairness_pairs.h"
#include "core/stats/significance.h"

namespace spinalyst {

using fairness_detail::HottestArcs;

namespace {

std::uint64_t SplitMix64(std::uint64_t x) {
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

// Games per unit of work; each unit has its own generator, so the figures do not depend on
// which thread runs it.
constexpr int gamesPerBlock = 64;

}  // namespace

int SectorNull::AtLeast(int lengthIndex, int hits) const {
    const auto& sorted = sortedHottest_[static_cast<std::size_t>(lengthIndex)];
    return static_cast<int>(sorted.end() - std::lower_bound(sorted.begin(), sorted.end(), hits));
}

double SectorNull::LengthP(int lengthIndex, int hits) const {
    return (1.0 + AtLeast(lengthIndex, hits)) / (1.0 + simulations_);
}

double SectorNull::BestP(std::span<const int> hottestHits) const {
    // The observed list joins the simulated games as one more game: each counts the games at
    // least as hot as itself, the observed one among them, and the p of a game is that count
    // at its most extreme length.
    const std::size_t lengths = std::min<std::size_t>(hottestHits.size(), arcLengthCount);
    int observedLeast = simulations_ + 1;
    for (std::size_t k = 0; k < lengths; ++k)
        observedLeast = std::min(observedLeast, 1 + AtLeast(static_cast<int>(k), hottestHits[k]));
    int asExtreme = 0;
    for (int g = 0; g < simulations_; ++g) {
        int least = simulations_ + 1;
        for (std::size_t k = 0; k < lengths; ++k) {
            const auto at = static_cast<std::size_t>(g) * arcLengthCount + k;
            least = std::min(least, atLeastOwn_[at] + (hottestHits[k] >= hottest_[at] ? 1 : 0));
        }
        asExtreme += least <= observedLeast ? 1 : 0;
    }
    return (1.0 + asExtreme) / (1.0 + simulations_);
}

std::optional<SectorNull> SimulateSectorNull(RouletteKind kind, int drawCount, int simulations,
                                             std::uint64_t seed, std::stop_token stop,
                                             std::atomic<int>* done, unsigned threads) {
    SectorNull null;
    null.kind_ = kind;
    null.drawCount_ = std::max(drawCount, 0);
    null.simulations_ = std::max(simulations, 1);
    const int games = null.simulations_;
    std::array<std::vector<std::int32_t>, arcLengthCount> hottest;
    for (auto& h : hottest) h.resize(static_cast<std::size_t>(games));

    const int blocks = (games + gamesPerBlock - 1) / gamesPerBlock;
    std::atomic<int> nextBlock{0};
    const int count = pocketCount(kind);
    const auto work = [&] {
        std::array<std::uint32_t, maxPocketCount> wheelHits{};
        std::array<int, arcLengthCount> arcs{};
        for (int b = nextBlock++; b < blocks; b = nextBlock++) {
            if (stop.stop_requested()) return;
            std::mt19937_64 rng(SplitMix64(seed ^ SplitMix64(static_cast<std::uint64_t>(b))));
            const int end = std::min(games, (b + 1) * gamesPerBlock);
            for (int g = b * gamesPerBlock; g < end; ++g) {
                // The hits of the places of a fair wheel are multinomial: each place takes its
                // binomial share of the draws the places before it left, so a game costs one
                // binomial draw per place however many draws it has.
                int left = null.drawCount_;
                for (int w = 0; w < count; ++w) {
                    int hits = left;
                    if (w + 1 < count && left > 0)
                        hits = std::binomial_distribution<int>(left, 1.0 / (count - w))(rng);
                    wheelHits[static_cast<std::size_t>(w)] = static_cast<std::uint32_t>(hits);
                    left -= hits;
                }
                HottestArcs<std::uint32_t>(
                    std::span(wheelHits.data(), static_cast<std::size_t>(count)), arcs);
                for (int k = 0; k < arcLengthCount; ++k)
                    hottest[static_cast<std::size_t>(k)][static_cast<std::size_t>(g)] =
                        arcs[static_cast<std::size_t>(k)];
            }
            if (done) done->fetch_add(end - b * gamesPerBlock, std::memory_order_relaxed);
        }
    };
    const unsigned available = std::max(1u, std::thread::hardware_concurrency());
    const unsigned workers =
        std::min(threads == 0 ? available : threads, static_cast<unsigned>(blocks));
    {
        std::vector<std::jthread> pool;
        for (unsigned t = 1; t < workers; ++t) pool.emplace_back(work);
        work();
    }
    if (stop.stop_requested()) return std::nullopt;

    for (int k = 0; k < arcLengthCount; ++k) {
        auto& sorted = null.sortedHottest_[static_cast<std::size_t>(k)];
        sorted = hottest[static_cast<std::size_t>(k)];
        std::sort(sorted.begin(), sorted.end());
    }
    null.hottest_.resize(static_cast<std::size_t>(games) * arcLengthCount);
    null.atLeastOwn_.resize(null.hottest_.size());
    for (int g = 0; g < games; ++g)
        for (int k = 0; k < arcLengthCount; ++k) {
            const int own = hottest[static_cast<std::size_t>(k)][static_cast<std::size_t>(g)];
            const auto at =
                static_cast<std::size_t>(g) * arcLengthCount + static_cast<std::size_t>(k);
            null.hottest_[at] = own;
            null.atLeastOwn_[at] = null.AtLeast(k, own);
        }
    return null;
}

bool ApplySectorNull(FairnessReport& report, const SectorNull& null) {
    if (null.kind() != report.kind || null.drawCount() != report.drawCount ||
        report.sectors.size() != static_cast<std::size_t>(arcLengthCount))
        return false;
    const double games = null.simulations();
    std::array<int, arcLengthCount> hottest{};
    std::vector<double> ps;
    for (int k = 0; k < arcLengthCount; ++k) {
        SectorTest& t = report.sectors[static_cast<std::size_t>(k)];
        hottest[static_cast<std::size_t>(k)] = t.arc.hits;
        t.p = null.LengthP(k, t.arc.hits);
        t.standardError = std::sqrt(*t.p * (1 - *t.p) / games);
        ps.push_back(*t.p);
    }
    const std::vector<double> adjusted = HolmAdjust(ps);
    const double count = pocketCount(report.kind);
    int best = 0;
    double bestExcess = -std::numeric_limits<double>::infinity();
    for (int k = 0; k < arcLengthCount; ++k) {
        SectorTest& t = report.sectors[static_cast<std::size_t>(k)];
        t.pAdjusted = adjusted[static_cast<std::size_t>(k)];
        // Among lengths equally unlikely, the arc furthest above its share in standard units.
        const double share = t.arc.length / count;
        const double excess =
            (t.arc.hits - t.arc.expected) / std::sqrt(report.drawCount * share * (1 - share));
        const double bestP = *report.sectors[static_cast<std::size_t>(best)].p;
        if (*t.p < bestP || (*t.p == bestP && excess > bestExcess)) {
            best = k;
            bestExcess = excess;
        }
    }
    SectorBest b;
    b.lengthIndex = best;
    b.p = null.BestP(hottest);
    b.standardError = std::sqrt(b.p * (1 - b.p) / games);
    report.bestSector = b;
    return true;
}
}  // namespace spinalyst
