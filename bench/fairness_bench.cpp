#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "core/draws/random_source.h"
#include "core/stats/fairness.h"
#include "core/stats/power_planner.h"

namespace spinalyst {
namespace {

// Fair French draws spun by four croupiers taking turns every 25 draws, built once per size.
struct Spins {
    std::vector<std::uint8_t> pockets;
    std::vector<CroupierStint> stints;
};
const Spins& FairSpins(std::size_t n) {
    static Spins spins;
    if (spins.pockets.size() != n) {
        RandomSource rng(11);
        spins.pockets.resize(n);
        for (std::uint8_t& p : spins.pockets)
            p = static_cast<std::uint8_t>(rng.Next(RouletteKind::French));
        spins.stints.clear();
        for (std::size_t i = 0; i < n; i += 25)
            spins.stints.push_back({static_cast<std::int32_t>(1 + i / 25 % 4),
                                    static_cast<std::int32_t>(std::min<std::size_t>(25, n - i))});
    }
    return spins;
}

// The yardstick: the cheapest pass that looks at every draw, over the same draws.
void BM_HistogramOfSpins(benchmark::State& state) {
    const auto& draws = FairSpins(static_cast<std::size_t>(state.range(0))).pockets;
    for (auto _ : state) {
        std::array<std::int32_t, 256> counts{};
        for (std::uint8_t p : draws) counts[p]++;
        benchmark::DoNotOptimize(counts);
    }
}
BENCHMARK(BM_HistogramOfSpins)->Name("Histogram")->Arg(100'000)->Unit(benchmark::kMicrosecond);

// Every test but the simulation of the sector scan.
void BM_FairnessTests(benchmark::State& state) {
    const Spins& spins = FairSpins(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        FairnessReport report =
            ComputeFairness({RouletteKind::French, spins.pockets, spins.stints});
        benchmark::DoNotOptimize(report.pocketFigures.data());
    }
}
BENCHMARK(BM_FairnessTests)->Name("FairnessTests")->Arg(100'000)->Unit(benchmark::kMicrosecond);

// What the page and the command line do for a game: every test, and the sector scan's law from
// defaultSimulations fair games of the same length, on every core.
void BM_Fairness(benchmark::State& state) {
    const Spins& spins = FairSpins(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        FairnessReport report =
            ComputeFairness({RouletteKind::French, spins.pockets, spins.stints});
        const auto null = SimulateSectorNull(RouletteKind::French, report.drawCount,
                                             defaultSimulations, defaultScanSeed);
        ApplySectorNull(report, *null);
        benchmark::DoNotOptimize(report.bestSector);
    }
}
BENCHMARK(BM_Fairness)
    ->Name("Fairness")
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The simulation the sector p-values need: fair games of 1,000 draws, on every core.
void BM_SectorScan(benchmark::State& state) {
    for (auto _ : state) {
        auto null = SimulateSectorNull(RouletteKind::French, 1000, static_cast<int>(state.range(0)),
                                       defaultScanSeed);
        benchmark::DoNotOptimize(null);
    }
}
BENCHMARK(BM_SectorScan)
    ->Name("SectorScan")
    ->Arg(10'000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The power plan of a game: the exact searches for every set size.
void BM_PowerPlan(benchmark::State& state) {
    const Spins& spins = FairSpins(static_cast<std::size_t>(state.range(0)));
    const FairnessReport report = ComputeFairness({RouletteKind::French, spins.pockets, {}});
    for (auto _ : state) {
        PowerPlan plan = PlanPower(report);
        benchmark::DoNotOptimize(plan.sizes.data());
    }
}
BENCHMARK(BM_PowerPlan)
    ->Name("PowerPlan")
    ->Arg(10'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace spinalyst
