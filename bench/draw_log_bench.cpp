#include <benchmark/benchmark.h>

#include "draws/game.h"
#include "draws/random_source.h"

namespace spinalyst {
namespace {

// Appending draws with time and croupier, as clicks and batches do.
void BM_AddDraw(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    RandomSource rng(1);
    std::vector<Pocket> pockets(static_cast<std::size_t>(n));
    for (Pocket& p : pockets)
        p = rng.Next(RouletteKind::French);
    for (auto _ : state) {
        Game game;
        game.SetCurrentCroupier(1);
        for (Pocket p : pockets)
            game.AddDraw(p);
        benchmark::DoNotOptimize(game.drawCount());
    }
    state.SetItemsProcessed(state.iterations() * n);
    state.counters["ns_per_draw"] =
        benchmark::Counter(static_cast<double>(state.iterations() * n),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_AddDraw)->Name("AddDraw")->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace spinalyst
