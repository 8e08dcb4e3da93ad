#include "core/draws/random_batch.h"

#include <algorithm>

namespace spinalyst {

int AppendRandomDraws(Game& game, RandomSource& rng, int n) {
    game.SetCurrentCroupier(0);
    if (game.randomSource() != randomFromProgram) return 0;
    n = std::clamp(n, 0, maxRandomBatch);
    const RouletteKind kind = game.kind();
    const DrawTime now = game.Now();
    game.Reserve(static_cast<std::size_t>(game.drawCount() + n));
    for (int i = 0; i < n; ++i) game.AddRandomDraw(rng.Next(kind), now);
    return n;
}

}  // namespace spinalyst
