#include <benchmark/benchmark.h>

#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>

#include "core/draws/game_journal.h"
#include "core/draws/random_source.h"
#include "screen_paint.h"
#include "ui/common/game_session.h"
#include "ui/shell/main_window.h"
#include "ui/stats/stats_tabs.h"

namespace spinalyst {
namespace {

// One draw added with the Strategy page showing: a Martingale of 1,00 on red (bankroll 100,00,
// stop-win 10,00) backtested again over every draw of the game, its sessions table, totals
// and running balance brought up to date, and the window repainted where it changed.
void BM_UiRefreshStrategy(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    QFile ini(dir.filePath("spinalyst.ini"));
    if (!ini.open(QIODevice::WriteOnly) ||
        ini.write("[Progression]\nName=martingale\nBankroll=100\nStopWin=10\n") < 0) {
        state.SkipWithError("the settings could not be written");
        return;
    }
    ini.close();
    DataPaths paths;
    paths.writeDir = dir.path().toStdString();
    paths.readDirs = {paths.writeDir};
    MainWindow window(paths);
    window.resize(1012, 677);
    window.show();
    GameSession& session = window.session();
    // The red diamond of the table picture.
    session.ClickTable(226, 176, MouseButton::Left);
    RandomSource rng(1);
    {
        const GameSession::Batch batch(session);
        for (int i = 0; i < n; ++i) session.AddDraw(rng.Next(RouletteKind::French));
    }
    // The batch's journal is written in the background meanwhile; a player types the next
    // draw long after it is on disk.
    if (session.journal()) session.journal()->WaitForBatch();
    window.findChild<QTabWidget*>("pcStats")->setCurrentIndex(static_cast<int>(StatsTab::Strategy));
    PaintAsOnScreen();
    for (auto _ : state) {
        session.AddDraw(rng.Next(RouletteKind::French));
        PaintAsOnScreen();
        state.PauseTiming();
        session.UndoDraw();
        PaintAsOnScreen();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UiRefreshStrategy)
    ->Name("UiRefresh/strategy")
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace spinalyst
