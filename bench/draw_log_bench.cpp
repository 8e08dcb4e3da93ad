#include <benchmark/benchmark.h>
#include <unistd.h>

#include <fstream>

#include "draws/game.h"
#include "draws/random_batch.h"
#include "draws/random_source.h"

namespace spinalyst {
namespace {

// Appending draws with time and croupier, as clicks do.
void BM_AddDraw(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    RandomSource rng(1);
    std::vector<Pocket> pockets(static_cast<std::size_t>(n));
    for (Pocket& p : pockets) p = rng.Next(RouletteKind::French);
    for (auto _ : state) {
        Game game;
        game.SetCurrentCroupier(1);
        for (Pocket p : pockets) game.AddDraw(p);
        benchmark::DoNotOptimize(game.drawCount());
    }
    state.counters["ns_per_draw"] =
        benchmark::Counter(static_cast<double>(state.iterations() * n),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_AddDraw)->Name("AddDraw")->Arg(100000)->Unit(benchmark::kMillisecond);

// A batch of random draws with nothing placed: generation and appends.
void BM_RandomBatch(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    RandomSource rng(1);
    for (auto _ : state) {
        Game game;
        benchmark::DoNotOptimize(AppendRandomDraws(game, rng, n));
    }
    state.counters["ns_per_draw"] =
        benchmark::Counter(static_cast<double>(state.iterations() * n),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RandomBatch)->Name("RandomBatch")->Arg(100000)->Unit(benchmark::kMillisecond);

long ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// Resident memory of a game of n draws against an empty one.
void BM_DrawLogMemory(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    double perDraw = 0;
    for (auto _ : state) {
        const long before = ResidentBytes();
        Game game;
        game.SetCurrentCroupier(1);
        RandomSource rng(1);
        for (int i = 0; i < n; ++i) game.AddDraw(rng.Next(RouletteKind::French));
        perDraw = static_cast<double>(ResidentBytes() - before) / n;
        benchmark::DoNotOptimize(game.drawCount());
    }
    state.counters["bytes_per_draw"] = perDraw;
}
BENCHMARK(BM_DrawLogMemory)
    ->Name("DrawLogMemory")
    ->Arg(10'000'000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace spinalyst
