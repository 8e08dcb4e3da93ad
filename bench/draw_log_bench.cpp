#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <fstream>

#include "core/betting/betting_game.h"
#include "core/draws/game.h"
#include "core/draws/random_batch.h"
#include "core/draws/random_source.h"

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

// Fifty bets over every family, as a busy player might place them.
BetLedger LedgerWithFiftyBets() {
    BetLedger ledger(RouletteKind::French);
    const std::pair<BetKind, int> families[] = {
        {BetKind::Plein, 20},     {BetKind::Cheval, 10},   {BetKind::Transversale, 5},
        {BetKind::Carre, 5},      {BetKind::Sizain, 3},    {BetKind::Colonne, 2},
        {BetKind::Douzaine, 2},   {BetKind::RougeNoir, 1}, {BetKind::PairImpair, 1},
        {BetKind::ManquePasse, 1}};
    for (const auto& [kind, count] : families)
        for (int i = 1; i <= count; ++i) ledger.AddStake({kind, i}, 100 * i);
    return ledger;
}

// The same batch with fifty bets placed: every draw settled and recorded in the history.
void BM_RandomBatchWithBets(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    RandomSource rng(1);
    const BetLedger placed = LedgerWithFiftyBets();
    for (auto _ : state) {
        Game game;
        BetLedger ledger = placed;
        benchmark::DoNotOptimize(AppendRandomDraws(game, ledger, rng, n));
        benchmark::DoNotOptimize(ledger.balance());
    }
    state.counters["ns_per_draw"] =
        benchmark::Counter(static_cast<double>(state.iterations() * n),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RandomBatchWithBets)
    ->Name("RandomBatchWithBets")
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

long ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// Resident memory of a game of n draws against an empty one; with `spins`, every draw also
// names its wheel and the direction of its spin, alternating.
void BM_DrawLogMemory(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const bool spins = state.range(1) != 0;
    double perDraw = 0;
    for (auto _ : state) {
        const long before = ResidentBytes();
        Game game;
        game.SetCurrentCroupier(1);
        if (spins) {
            game.SetCurrentWheel(2);
            game.SetCurrentDirection(SpinDirection::Clockwise);
        }
        RandomSource rng(1);
        for (int i = 0; i < n; ++i) game.AddDraw(rng.Next(RouletteKind::French));
        perDraw = static_cast<double>(ResidentBytes() - before) / n;
        benchmark::DoNotOptimize(game.drawCount());
    }
    state.counters["bytes_per_draw"] = perDraw;
}
BENCHMARK(BM_DrawLogMemory)
    ->Name("DrawLogMemory")
    ->ArgNames({"draws", "spins"})
    ->Args({10'000'000, 0})
    ->Args({10'000'000, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// Heap held by the allocator's users. Unlike the resident size it does not hide memory that
// earlier benchmarks freed and the history then reused.
std::size_t HeapBytes() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Memory of the betting history of n settled draws with fifty bets placed, settled in batches
// as random draws arrive.
void BM_HistoryMemory(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::vector<std::uint8_t> pockets(static_cast<std::size_t>(n));
    RandomSource rng(1);
    for (std::uint8_t& p : pockets) p = static_cast<std::uint8_t>(rng.Next(RouletteKind::French));
    double perDraw = 0;
    for (auto _ : state) {
        BetLedger ledger = LedgerWithFiftyBets();
        const std::size_t before = HeapBytes();
        for (int first = 0; first < n; first += maxRandomBatch) {
            const int count = std::min(maxRandomBatch, n - first);
            ledger.SettleBets(std::span(pockets).subspan(static_cast<std::size_t>(first),
                                                         static_cast<std::size_t>(count)),
                              first + 1);
        }
        perDraw = static_cast<double>(HeapBytes() - before) / n;
        benchmark::DoNotOptimize(ledger.balance());
    }
    state.counters["bytes_per_draw"] = perDraw;
}
BENCHMARK(BM_HistoryMemory)
    ->Name("HistoryMemory")
    ->Arg(1'000'000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace spinalyst
