#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/draws/random_source.h"
#include "core/stats/analysis_window.h"
#include "core/stats/slot_stats.h"
#include "core/stats/tableau.h"
#include "core/stats/wheel_stats.h"

namespace spinalyst {
namespace {

// Uniform French draws, one byte each as the log keeps them, built once for every run.
const std::vector<std::uint8_t>& Draws(std::size_t n) {
    static std::vector<std::uint8_t> draws;
    if (draws.size() != n) {
        RandomSource rng(7);
        draws.resize(n);
        for (std::uint8_t& d : draws) d = static_cast<std::uint8_t>(rng.Next(RouletteKind::French));
    }
    return draws;
}

void SetRate(benchmark::State& state, std::size_t n) {
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(n));
    state.counters["ns_per_draw"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * static_cast<double>(n),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The floor: the cheapest pass that looks at every draw.
void BM_Histogram(benchmark::State& state) {
    const auto& draws = Draws(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::array<std::int32_t, 256> counts{};
        for (std::uint8_t p : draws) counts[p]++;
        benchmark::DoNotOptimize(counts);
    }
    SetRate(state, draws.size());
}
BENCHMARK(BM_Histogram)->Name("Histogram")->Arg(10'000'000)->Unit(benchmark::kMillisecond);

// Budget: at most 1.5 x the histogram pass over the same draws.
void BM_Tableau(benchmark::State& state) {
    const auto& draws = Draws(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        auto tableau = ComputeTableau(RouletteKind::French, draws);
        benchmark::DoNotOptimize(tableau);
    }
    SetRate(state, draws.size());
}
BENCHMARK(BM_Tableau)->Name("Tableau")->Arg(10'000'000)->Unit(benchmark::kMillisecond);

void BM_FamilyStats(benchmark::State& state, StatFamily family) {
    const auto& draws = Draws(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        auto stats = ComputeFamilyStats(family, RouletteKind::French, draws);
        benchmark::DoNotOptimize(stats.data());
    }
    SetRate(state, draws.size());
}

// The refresh as the program runs it: the window resolved from the panel's settings, the
// analysed draws selected from the log (a view of it for a whole range, a gathered copy for a
// step), then the straight-number figures.
void BM_RefreshPath(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    static DrawLog log;
    if (static_cast<std::size_t>(log.drawCount()) != n) {
        log.Clear();
        log.Reserve(n);
        for (std::uint8_t p : Draws(n)) log.Append(p, std::nullopt, 0);
    }
    AnalysisControls controls;
    controls.rangeEnd = log.drawCount();
    controls.stepEntry = static_cast<int>(state.range(1)) - 1;
    std::vector<std::uint8_t> buffer;
    for (auto _ : state) {
        const auto resolved = ResolveAnalysisWindow(controls, log, RouletteKind::French, {});
        const auto analysed =
            SelectAnalysedDraws(log, RouletteKind::French, resolved->window, buffer);
        auto stats = ComputeFamilyStats(StatFamily::Pleins, RouletteKind::French, analysed);
        benchmark::DoNotOptimize(stats.data());
    }
    SetRate(state, n);
}
BENCHMARK(BM_RefreshPath)
    ->Name("RefreshPath/pleins")
    ->ArgNames({"draws", "step"})
    ->Args({10'000'000, 1})
    ->Args({10'000'000, 2})
    ->Unit(benchmark::kMillisecond);
// All four wheel tables (pockets, distances, repeats, neighbourhoods) in one refresh.
void BM_WheelStats(benchmark::State& state) {
    const auto& draws = Draws(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        WheelStats stats = ComputeWheelStats(RouletteKind::French, draws);
        benchmark::DoNotOptimize(stats.repeatStats.data());
    }
    SetRate(state, draws.size());
}
BENCHMARK(BM_WheelStats)->Name("WheelStats")->Arg(10'000'000)->Unit(benchmark::kMillisecond);

const bool registered = [] {
    for (StatFamily family : allStatFamilies)
        benchmark::RegisterBenchmark(
            ("FamilyStats/" + std::string(StatFamilyName(family))).c_str(),
            [family](benchmark::State& state) { BM_FamilyStats(state, family); })
            ->Arg(10'000'000)
            ->Unit(benchmark::kMillisecond);
    return true;
}();

}  // namespace
}  // namespace spinalyst
