#include <benchmark/benchmark.h>

#include <filesystem>

#include "core/draws/game.h"
#include "core/draws/game_journal.h"
#include "core/draws/random_batch.h"
#include "core/draws/random_source.h"

namespace spinalyst {
namespace {

// A directory on the disk the program would write to (not a memory file system), so that
// the flush to the disk is part of the figure.
class JournalDir {
public:
    JournalDir() : path_(std::filesystem::temp_directory_path() / "spinalyst-journal-bench") {
        std::filesystem::create_directories(path_);
    }
    ~JournalDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// RandomBatch with the batch handed to the journal, as the program does it: what the player
// waits for. The block reaches the disk on the journal's thread.
void BM_RandomBatchJournaled(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const JournalDir dir;
    GameJournal journal(dir.path());
    RandomSource rng(1);
    for (auto _ : state) {
        state.PauseTiming();
        journal.Start(DrawLog{}, RouletteKind::French);
        state.ResumeTiming();
        Game game;
        benchmark::DoNotOptimize(AppendRandomDraws(game, rng, n));
        benchmark::DoNotOptimize(journal.Sync(game.log(), game.kind()));
    }
    if (journal.failed()) state.SkipWithError("journal not written");
    state.counters["ns_per_draw"] =
        benchmark::Counter(static_cast<double>(state.iterations() * n),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RandomBatchJournaled)
    ->Name("RandomBatchJournaled")
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

// The same until the batch is on the disk: what the journal's own thread spends.
void BM_RandomBatchJournaledToDisk(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const JournalDir dir;
    GameJournal journal(dir.path());
    RandomSource rng(1);
    for (auto _ : state) {
        state.PauseTiming();
        journal.Start(DrawLog{}, RouletteKind::French);
        state.ResumeTiming();
        Game game;
        benchmark::DoNotOptimize(AppendRandomDraws(game, rng, n));
        journal.Sync(game.log(), game.kind());
        if (journal.failed()) state.SkipWithError("journal not written");
    }
}
BENCHMARK(BM_RandomBatchJournaledToDisk)
    ->Name("RandomBatchJournaledToDisk")
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

// One clicked draw on a game of n draws, journaled: the row appended and flushed to the disk.
// The cost must not grow with the game.
void BM_JournaledDraw(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const bool journaled = state.range(1) != 0;
    const JournalDir dir;
    GameJournal journal(dir.path(), [](std::int32_t) { return std::optional<std::string>("Zoé"); });
    Game game;
    game.SetCurrentCroupier(1);
    RandomSource rng(1);
    for (int i = 0; i < n; ++i) game.AddDraw(rng.Next(RouletteKind::French));
    if (journaled) journal.Start(game.log(), game.kind());
    for (auto _ : state) {
        game.AddDraw(rng.Next(RouletteKind::French));
        if (journaled && !journal.Sync(game.log(), game.kind()))
            state.SkipWithError("journal not written");
        state.PauseTiming();
        game.UndoDraw();  // the game keeps its length from one iteration to the next
        if (journaled) journal.Sync(game.log(), game.kind());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_JournaledDraw)
    ->Name("JournaledDraw")
    ->ArgNames({"draws", "journal"})
    ->Args({1'000'000, 0})
    ->Args({1'000'000, 1})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace spinalyst
