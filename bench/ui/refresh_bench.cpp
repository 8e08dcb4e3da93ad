#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QTabWidget>
#include <QTemporaryDir>

#include "app/game_session.h"
#include "app/main_window.h"
#include "draws/random_source.h"
#include "stats/stats_area.h"

namespace spinalyst {
namespace {

// One draw added with the Pleins page showing, up to its grid and charts brought up to date
// and the window painted. Beyond the statistics pass, the cost must not grow with the game.
void BM_UiRefreshPleins(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    DataPaths paths;
    paths.writeDir = dir.path().toStdString();
    paths.readDirs = {paths.writeDir};
    MainWindow window(paths);
    window.resize(1012, 677);
    window.show();
    window.findChild<QTabWidget*>("pcStats")->setCurrentIndex(static_cast<int>(FamilyTab(StatFamily::Pleins)));
    GameSession& session = window.session();
    RandomSource rng(1);
    session.BeginBatch();
    for (int i = 0; i < n; ++i) session.AddDraw(rng.Next(RouletteKind::French));
    session.EndBatch();
    QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        session.AddDraw(rng.Next(RouletteKind::French));
        QPainter painter(&image);
        window.render(&painter);
        state.PauseTiming();
        session.UndoDraw();  // the game keeps its length from one iteration to the next
        state.ResumeTiming();
    }
    state.counters["draws"] = session.drawCount();
}
BENCHMARK(BM_UiRefreshPleins)
    ->Name("UiRefresh/pleins")
    ->Arg(100)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace spinalyst
