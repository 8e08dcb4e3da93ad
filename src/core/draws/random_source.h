#pragma once

#include <cstdint>
#include <random>

#include "core/model/roulette.h"

namespace spinalyst {

// The program's generator: uniform over the pockets of a kind.
class RandomSource {
    __extension__ using Wide = unsigned __int128;

public:
    explicit RandomSource(std::uint64_t seed = 5489u) : engine_(seed) {}

    void Seed(std::uint64_t seed) { engine_.seed(seed); }
    // Reseeds from the clock, as every batch of random draws does.
    void SeedFromClock();

    // Uniform over firstPocket ... lastPocket, by Lemire's multiply-and-reject method: exact,
    // and without the division the standard distribution pays for every draw.
    Pocket Next(RouletteKind kind) {
        const std::uint64_t range = static_cast<std::uint64_t>(pocketCount(kind));
        Wide m = static_cast<Wide>(engine_()) * range;
        auto low = static_cast<std::uint64_t>(m);
        if (low < range) {
            const std::uint64_t threshold = (0 - range) % range;
            while (low < threshold) {
                m = static_cast<Wide>(engine_()) * range;
                low = static_cast<std::uint64_t>(m);
            }
        }
        return firstPocket(kind) + static_cast<Pocket>(m >> 64);
    }

private:
    std::mt19937_64 engine_;
};

}  // namespace spinalyst
