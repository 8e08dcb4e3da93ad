#pragma once

#include <array>
#include <cstdint>

#include "core/model/roulette.h"

namespace spinalyst {

// Philox4x32-10 (Salmon et al., "Parallel random numbers: as easy as 1, 2, 3"): the n-th
// block of random bits is a keyed function of n, so every Monte Carlo session reads its own
// stream, chosen by its index, and the figures do not depend on which thread plays it.
using PhiloxCounter = std::array<std::uint32_t, 4>;
using PhiloxKey = std::array<std::uint32_t, 2>;

constexpr PhiloxCounter Philox4x32(PhiloxCounter c, PhiloxKey k) {
    constexpr std::uint32_t m0 = 0xD2511F53u, m1 = 0xCD9E8D57u;
    constexpr std::uint32_t w0 = 0x9E3779B9u, w1 = 0xBB67AE85u;
    for (int round = 0; round < 10; ++round) {
        if (round > 0) {
            k[0] += w0;
            k[1] += w1;
        }
        const std::uint64_t p0 = std::uint64_t{m0} * c[0];
        const std::uint64_t p1 = std::uint64_t{m1} * c[2];
        c = {static_cast<std::uint32_t>(p1 >> 32) ^ c[1] ^ k[0], static_cast<std::uint32_t>(p1),
             static_cast<std::uint32_t>(p0 >> 32) ^ c[3] ^ k[1], static_cast<std::uint32_t>(p0)};
    }
    return c;
}

// The stream of one session: key = the seed, counter = (block, session). 2^64 blocks of four
// words per session, far beyond any session's spins.
class SessionRandom {
public:
    SessionRandom(std::uint64_t seed, std::uint64_t session)
        : key_{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32)},
          session_(session) {}

    std::uint32_t NextWord() {
        if (used_ == 4) {
            words_ = Philox4x32(
                {static_cast<std::uint32_t>(block_), static_cast<std::uint32_t>(block_ >> 32),
                 static_cast<std::uint32_t>(session_), static_cast<std::uint32_t>(session_ >> 32)},
                key_);
            ++block_;
            used_ = 0;
        }
        return words_[used_++];
    }

    // Uniform over 0 ... range - 1 (range >= 1), by Lemire's multiply-and-reject: exact.
    std::uint32_t Below(std::uint32_t range) {
        std::uint64_t m = std::uint64_t{NextWord()} * range;
        auto low = static_cast<std::uint32_t>(m);
        if (low < range) {
            const std::uint32_t threshold = (0u - range) % range;
            while (low < threshold) {
                m = std::uint64_t{NextWord()} * range;
                low = static_cast<std::uint32_t>(m);
            }
        }
        return static_cast<std::uint32_t>(m >> 32);
    }

private:
    PhiloxKey key_;
    std::uint64_t session_;
    std::uint64_t block_ = 0;
    PhiloxCounter words_{};
    int used_ = 4;
};

}  // namespace spinalyst
