#pragma once

#include <cstdint>
#include <random>

#include "model/roulette.h"

namespace spinalyst {

// The program's generator: uniform over the pockets of a kind.
class RandomSource {
public:
    explicit RandomSource(std::uint64_t seed = 5489u) : engine_(seed) {}

    void Seed(std::uint64_t seed) { engine_.seed(seed); }
    // Reseeds from the clock, as every batch of random draws does.
    void SeedFromClock();

    Pocket Next(RouletteKind kind) {
        std::uniform_int_distribution<Pocket> pick(firstPocket(kind), lastPocket(kind));
        return pick(engine_);
    }

private:
    std::mt19937_64 engine_;
};

}  // namespace spinalyst
