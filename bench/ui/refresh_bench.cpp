#include <benchmark/benchmark.h>

#include <QImage>
#include <QTabWidget>
#include <QTemporaryDir>

#include "core/draws/game_journal.h"
#include "core/draws/random_source.h"
#include "screen_paint.h"
#include "ui/common/game_session.h"
#include "ui/shell/main_window.h"
#include "ui/stats/stats_area.h"
#include "ui/stats/stats_tabs.h"

namespace spinalyst {
namespace {

// A game of n French draws in a window of the design size with the tab showing.
struct Game {
    Game(int n, StatsTab tab, bool spun = false) : window(Paths(dir)) {
        window.resize(1012, 677);
        window.show();
        window.findChild<QTabWidget*>("pcStats")->setCurrentIndex(static_cast<int>(tab));
        GameSession& session = window.session();
        // Each spin the other way round, as a dealer alternates.
        if (spun) session.SetCurrentDirection(SpinDirection::Clockwise);
        {
            const GameSession::Batch batch(session);
            for (int i = 0; i < n; ++i) session.AddDraw(rng.Next(RouletteKind::French));
        }
        // The batch's journal is written in the background meanwhile; a player types the next
        // draw long after it is on disk.
        if (session.journal()) session.journal()->WaitForBatch();
    }
    static DataPaths Paths(const QTemporaryDir& dir) {
        DataPaths paths;
        paths.writeDir = dir.path().toStdString();
        paths.readDirs = {paths.writeDir};
        return paths;
    }

    QTemporaryDir dir;
    MainWindow window;
    RandomSource rng{1};
};

// One draw added, up to the page brought up to date and the window repainted where it
// changed. Beyond the statistics pass, the cost must not grow with the game.
void UiRefresh(benchmark::State& state, StatsTab tab, bool spun = false) {
    Game game(static_cast<int>(state.range(0)), tab, spun);
    GameSession& session = game.window.session();
    // The window as it stands on screen before a draw is typed: laid out and painted whole.
    PaintAsOnScreen();
    for (auto _ : state) {
        session.AddDraw(game.rng.Next(RouletteKind::French));
        PaintAsOnScreen();
        state.PauseTiming();
        session.UndoDraw();  // the game keeps its length from one iteration to the next
        PaintAsOnScreen();
        state.ResumeTiming();
    }
    state.counters["draws"] = session.drawCount();
}

void BM_UiRefreshPleins(benchmark::State& state) {
    UiRefresh(state, FamilyTab(StatFamily::Pleins));
}
BENCHMARK(BM_UiRefreshPleins)
    ->Name("UiRefresh/pleins")
    ->Arg(100)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond);

// The wheel, its three grids and the heat boards, from one computation.
void BM_UiRefreshWheel(benchmark::State& state) {
    UiRefresh(state, StatsTab::Wheel);
}
BENCHMARK(BM_UiRefreshWheel)
    ->Name("UiRefresh/wheel")
    ->Arg(100)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond);

// The same for a game that notes the direction of every spin, whose distances follow it.
void BM_UiRefreshWheelSpun(benchmark::State& state) {
    UiRefresh(state, StatsTab::Wheel, true);
}
BENCHMARK(BM_UiRefreshWheelSpun)
    ->Name("UiRefresh/wheel_directions")
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond);

// The whole window painted with the Pleins page showing, as when it is uncovered: every
// widget, whether a draw changed it or not.
void BM_UiPaintWholeWindow(benchmark::State& state) {
    Game game(static_cast<int>(state.range(0)), FamilyTab(StatFamily::Pleins));
    PaintAsOnScreen();
    QImage image(game.window.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) PaintWholeWindow(game.window, image);
}
BENCHMARK(BM_UiPaintWholeWindow)
    ->Name("UiPaint/whole_window")
    ->Arg(100)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace spinalyst
