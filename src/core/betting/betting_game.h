#pragma once

#include <span>

#include "core/betting/bet_ledger.h"
#include "core/draws/game.h"
#include "core/draws/random_source.h"

namespace spinalyst {

// The game's operations with the betting steps in their places: a draw is stored, then the
// placed bets are settled against it; an undo takes the draw's record out of the history
// before the draw leaves the log; a new game clears the history and then the bets.

// False, and nothing changes, for a pocket the game's kind does not have.
bool AddDraw(Game& game, BetLedger& ledger, Pocket p);
// False on an empty log.
bool UndoDraw(Game& game, BetLedger& ledger);
void NewGame(Game& game, BetLedger& ledger);
void SwitchKind(Game& game, BetLedger& ledger, RouletteKind kind);
// A random batch (see AppendRandomDraws) with every draw of it settled; the caller announces
// it once, after the batch.
int AppendRandomDraws(Game& game, BetLedger& ledger, RandomSource& rng, int n);
// Draws from a spin list, without time or croupier, each settled; pockets the kind does not
// have are skipped. Returns how many were added.
int AppendImportedDraws(Game& game, BetLedger& ledger, std::span<const Pocket> pockets);

// Notes the stakes now on the table in the game, after its newest draw; false when they are
// the stakes noted already.
bool NoteStakes(Game& game, const BetLedger& ledger);
// Plays the bets of a game read back again, from a bare table: each draw settled, in order,
// with the stakes its "stakes" notes put down before it, so that the history and the balance
// are what they were; the stakes of the last note stay on the table. A note that cannot be
// read leaves the table bare until the next one.
void ReplayBets(const Game& game, BetLedger& ledger);

}  // namespace spinalyst
