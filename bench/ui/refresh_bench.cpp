#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QTabWidget>
#include <QTemporaryDir>

#include "core/draws/random_source.h"
#include "ui/common/game_session.h"
#include "ui/shell/main_window.h"
#include "ui/stats/stats_area.h"
#include "ui/stats/stats_tabs.h"

namespace spinalyst {
namespace {

// A game of n French draws in a window of the design size with the tab showing.
struct Game {
    Game(int n, StatsTab tab) : window(Paths(dir)) {
        window.resize(1012, 677);
        window.show();
        window.findChild<QTabWidget*>("pcStats")->setCurrentIndex(static_cast<int>(tab));
        GameSession& session = window.session();
        session.BeginBatch();
        for (int i = 0; i < n; ++i) session.AddDraw(rng.Next(RouletteKind::French));
        session.EndBatch();
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

// One draw added, up to the page brought up to date and the window painted. Beyond the
// statistics pass, the cost must not grow with the game.
void UiRefresh(benchmark::State& state, StatsTab tab) {
    Game game(static_cast<int>(state.range(0)), tab);
    GameSession& session = game.window.session();
    QImage image(game.window.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        session.AddDraw(game.rng.Next(RouletteKind::French));
        QPainter painter(&image);
        game.window.render(&painter);
        state.PauseTiming();
        session.UndoDraw();  // the game keeps its length from one iteration to the next
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
    ->Unit(benchmark::kMillisecond);

// The wheel, its three grids and the heat boards, from one computation.
void BM_UiRefreshWheel(benchmark::State& state) {
    UiRefresh(state, StatsTab::Wheel);
}
BENCHMARK(BM_UiRefreshWheel)
    ->Name("UiRefresh/wheel")
    ->Arg(100)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace spinalyst
