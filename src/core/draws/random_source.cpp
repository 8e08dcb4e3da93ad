#include "core/draws/random_source.h"

#include <chrono>

namespace spinalyst {

void RandomSource::SeedFromClock() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    Seed(static_cast<std::uint64_t>(ticks));
}

}  // namespace spinalyst
