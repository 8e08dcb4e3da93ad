#include "core/betting/betting_game.h"

#include "core/betting/stakes_note.h"
#include "core/draws/random_batch.h"

namespace spinalyst {

namespace {

// Settles the draws from number before + 1 on. A plan played live changes the stakes after
// every draw; each change is noted at its place, so that the game read back settles as here.
void SettleNewDraws(Game& game, BetLedger& ledger, int before) {
    const auto draws = game.log().draws().subspan(static_cast<std::size_t>(before));
    if (!ledger.planHoldsTable()) {
        ledger.SettleBets(draws, before + 1);
        return;
    }
    for (std::size_t i = 0; i < draws.size(); ++i) {
        const int drawNumber = before + 1 + static_cast<int>(i);
        ledger.SettleBets(draws.subspan(i, 1), drawNumber);
        game.SetNote(stakesNoteKey, StakesNoteValue(ledger), drawNumber);
    }
}

}  // namespace

bool AddDraw(Game& game, BetLedger& ledger, Pocket p) {
    const int before = game.drawCount();
    if (!game.AddDraw(p)) return false;
    SettleNewDraws(game, ledger, before);
    return true;
}

bool UndoDraw(Game& game, BetLedger& ledger) {
    if (game.drawCount() <= 0) return false;
    ledger.UndoDraw(game.drawCount(),
                    game.log().draws().first(static_cast<std::size_t>(game.drawCount() - 1)));
    if (!game.UndoDraw()) return false;
    // An undo may give a plan's stakes back.
    if (ledger.live().active()) NoteStakes(game, ledger);
    return true;
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
    // Without a plan the stakes cannot change within a batch: one pass after it.
    SettleNewDraws(game, ledger, before);
    return drawn;
}

int AppendImportedDraws(Game& game, BetLedger& ledger, std::span<const Pocket> pockets) {
    const int before = game.drawCount();
    game.Reserve(static_cast<std::size_t>(before) + pockets.size());
    for (Pocket p : pockets) game.AddUntimedDraw(p);
    SettleNewDraws(game, ledger, before);
    return game.drawCount() - before;
}

bool NoteStakes(Game& game, const BetLedger& ledger) {
    return game.SetNote(stakesNoteKey, StakesNoteValue(ledger));
}

void ReplayBets(const Game& game, BetLedger& ledger) {
    ledger.NewGame(game.kind());
    const std::span<const std::uint8_t> draws = game.log().draws();
    int settled = 0;
    auto settleUpTo = [&](int drawCount) {
        if (drawCount <= settled) return;
        ledger.SettleBets(draws.subspan(static_cast<std::size_t>(settled),
                                        static_cast<std::size_t>(drawCount - settled)),
                          settled + 1);
        settled = drawCount;
    };
    for (const GameFileNote& note : game.notes()) {
        if (note.key != stakesNoteKey) continue;
        settleUpTo(note.afterDraw);
        const auto stakes = ParseStakesNote(note.value, game.kind());
        if (stakes)
            ledger.PutStakes(stakes->bets, stakes->laPartage);
        else
            ledger.PutStakes({});
    }
    settleUpTo(game.drawCount());
}

}  // namespace spinalyst
