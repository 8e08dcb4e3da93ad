#include <benchmark/benchmark.h>

#include <QTabWidget>
#include <QTemporaryDir>

#include "core/betting/table_areas.h"
#include "core/draws/game_journal.h"
#include "core/draws/random_source.h"
#include "screen_paint.h"
#include "ui/common/game_session.h"
#include "ui/shell/main_window.h"
#include "ui/stats/stats_tabs.h"

namespace spinalyst {
namespace {

// Fifty bets put down by clicks where their chips go: the straight numbers, then splits.
int PlaceFiftyBets(GameSession& session) {
    for (int code : {1, 2})
        for (int index = 0; index <= maxSlotIndex && session.ledger().placedCount() < 50; ++index)
            if (const auto snap = SnapPoint({static_cast<BetKind>(code), index}, session.kind()))
                session.ClickTable(snap->x, snap->y, MouseButton::Left);
    return session.ledger().placedCount();
}

// One draw added with the Bets page showing and fifty bets placed, up to the history and the
// balance chart brought up to date and the window repainted where it changed. The cost must not
// grow with the number of settled draws.
void BM_UiRefreshBets(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    DataPaths paths;
    paths.writeDir = dir.path().toStdString();
    paths.readDirs = {paths.writeDir};
    MainWindow window(paths);
    window.resize(1012, 677);
    window.show();
    window.findChild<QTabWidget*>("pcStats")->setCurrentIndex(static_cast<int>(StatsTab::Bets));
    GameSession& session = window.session();
    if (PlaceFiftyBets(session) != 50) {
        state.SkipWithError("the bets could not be placed");
        return;
    }
    RandomSource rng(1);
    {
        const GameSession::Batch batch(session);
        for (int i = 0; i < n; ++i) session.AddDraw(rng.Next(RouletteKind::French));
    }
    // The batch's journal is written in the background meanwhile; a player types the next
    // draw long after it is on disk.
    if (session.journal()) session.journal()->WaitForBatch();
    // The window as it stands on screen before a draw is typed: laid out and painted whole.
    PaintAsOnScreen();
    for (auto _ : state) {
        session.AddDraw(rng.Next(RouletteKind::French));
        PaintAsOnScreen();
        state.PauseTiming();
        session.UndoDraw();  // the game keeps its length from one iteration to the next
        PaintAsOnScreen();
        state.ResumeTiming();
    }
    state.counters["settled"] = static_cast<double>(session.ledger().history().size());
    state.counters["history_rows"] = static_cast<double>(session.ledger().history().rowCount(true));
}
BENCHMARK(BM_UiRefreshBets)
    ->Name("UiRefresh/bets")
    ->Arg(100)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace spinalyst
