#include "core/betting/betting_game.h"

#include "core/draws/random_batch.h"

namespace spinalyst {

bool AddDraw(Game& game, BetLedger& ledger, Pocket p) {
    if (!game.AddDraw(p)) return false;
    ledger.SettleBets(game.drawCount(), p);
    return true;
}

bool UndoDraw(Game& game, BetLedger& ledger) {
    if (game.drawCount() <= 0) return false;
    ledger.UndoDraw(game.drawCount());
    return game.UndoDraw();
}

void NewGame(Game& game, BetLedger& ledger) {
    game.NewGame();
    ledger.NewGame(game.kind());
}

void SwitchKind(Game& game, BetLedger& ledger, RouletteKind kind) {
    game.SwitchKind(kind);
    ledger.NewGame(kind);
}

int AppendRandomDraws(Game& game, BetLedger& ledger, RandomSource& rng, int n) {
    const int before = game.drawCount();
    const int drawn = AppendRandomDraws(game, rng, n);
    // The stakes cannot change within a batch, so its draws are settled in one pass after it.
    ledger.SettleBets(game.log().draws().subspan(static_cast<std::size_t>(before)), before + 1);
    return drawn;
}

int AppendImportedDraws(Game& game, BetLedger& ledger, std::span<const Pocket> pockets) {
    const int before = game.drawCount();
    game.Reserve(static_cast<std::size_t>(before) + pockets.size());
    for (Pocket p : pockets) game.AddUntimedDraw(p);
    ledger.SettleBets(game.log().draws().subspan(static_cast<std::size_t>(before)), before + 1);
    return game.drawCount() - before;
}

}  // namespace spinalyst
