#pragma once

#include "core/draws/game.h"
#include "core/draws/random_source.h"

namespace spinalyst {

inline constexpr int maxRandomBatch = 100000;

// Appends n pseudo-random pockets of the game's kind (n clamped to 0 ... maxRandomBatch).
// Random draws carry no croupier and no direction, but the current wheel; a batch reads the clock
// once: it takes milliseconds, so its draws share the second they were made in. Draws only when the
// random source is the program's generator; returns how many draws were appended.
int AppendRandomDraws(Game& game, RandomSource& rng, int n);

}  // namespace spinalyst
