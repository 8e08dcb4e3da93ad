#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "core/draws/game_file.h"
#include "core/draws/game_journal.h"
#include "core/draws/random_source.h"
#include "core/store/atomic_file.h"
#include "ui/common/game_session.h"
#include "ui/shell/game_keeper.h"
#include "ui/shell/main_window.h"

namespace spinalyst {
namespace {

// A game file of n draws with times and three croupiers, as an evening's records grow.
std::filesystem::path GameFileOf(const QTemporaryDir& dir, int n) {
    DrawLog log;
    RandomSource rng(1);
    for (int i = 0; i < n; ++i)
        log.Append(rng.Next(RouletteKind::French), 1'700'000'000 + 30 * i, 1 + i / 1000 % 3);
    const auto file = std::filesystem::path(dir.path().toStdString()) / "game.csv";
    WriteFileAtomically(file, WriteGameFile(log, RouletteKind::French, [](std::int32_t c) {
                            return std::optional<std::string>("Croupier " + std::to_string(c));
                        }));
    return file;
}

// The command line's reader alone: the file read and parsed.
void BM_OpenGameCliReader(benchmark::State& state) {
    QTemporaryDir dir;
    const auto file = GameFileOf(dir, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto text = ReadWholeFile(file);
        const GameFile game = ParseGameFile(*text, KindRule{std::nullopt, RouletteKind::French});
        benchmark::DoNotOptimize(game.log.drawCount());
    }
}
BENCHMARK(BM_OpenGameCliReader)
    ->Name("OpenGame/cli_reader")
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);

// File > Open in the program, until the window is the user's again: the file read, the
// croupiers adopted, the game shown once and handed to the journal, with the Pleins page
// showing. With `journaled`, until the journal's copy of the game is on disk as well; without,
// that write is waited for untimed, as a player opens one game and does not open the next
// before it is done.
void OpenGame(benchmark::State& state, bool journaled) {
    QTemporaryDir dir;
    const auto file = GameFileOf(dir, static_cast<int>(state.range(0)));
    DataPaths paths;
    paths.writeDir = dir.path().toStdString();
    paths.readDirs = {paths.writeDir};
    MainWindow window(paths);
    const QString name = QString::fromStdString(file.string());
    for (auto _ : state) {
        if (!window.keeper().OpenFile(name)) state.SkipWithError("not opened");
        benchmark::DoNotOptimize(window.session().drawCount());
        if (!journaled) state.PauseTiming();
        window.session().journal()->WaitForBatch();
        if (!journaled) state.ResumeTiming();
    }
}
void BM_OpenGameProgram(benchmark::State& state) {
    OpenGame(state, false);
}
void BM_OpenGameJournaled(benchmark::State& state) {
    OpenGame(state, true);
}
BENCHMARK(BM_OpenGameProgram)
    ->Name("OpenGame/program")
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenGameJournaled)
    ->Name("OpenGame/program_journaled")
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace spinalyst
