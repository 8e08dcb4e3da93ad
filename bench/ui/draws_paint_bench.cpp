#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QTableView>

#include "core/draws/random_source.h"
#include "ui/common/game_session.h"
#include "ui/draws/draws_panel.h"

namespace spinalyst {
namespace {

// Painting one screen of the draws list: the cost must not grow with the game.
void BM_PaintDraws(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    GameSession session;
    DrawsPanel panel(&session);
    RandomSource rng(1);
    GameFile game;
    game.kind = RouletteKind::French;
    game.log.Reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) game.log.Append(rng.Next(RouletteKind::French), 1, 0);
    session.ReplaceGame(std::move(game));
    panel.resize(321, 560);
    panel.GoToPage(1);
    QImage image(panel.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        panel.render(&painter);
    }
    state.counters["rows"] = panel.view()->model()->rowCount();
}
BENCHMARK(BM_PaintDraws)
    ->Name("UiPaint/sgDraws")
    ->Arg(100)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace spinalyst
