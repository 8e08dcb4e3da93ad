#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/model/roulette.h"

namespace spinalyst {

// Seconds since the Unix epoch; the moment a draw was entered.
using DrawTime = std::int64_t;
// The times a draw can keep: from just after the epoch to early 2106 (32 bits of seconds).
inline constexpr DrawTime firstDrawTime = 1;
inline constexpr DrawTime lastDrawTime = UINT32_MAX;

// The ordered draws of one game. Draws are numbered 1 ... drawCount(); a pocket takes one
// byte, and there is no heap object per draw.
class DrawLog {
public:
    int drawCount() const { return static_cast<int>(pockets_.size()); }
    bool empty() const { return pockets_.empty(); }

    // Draw n, 1 <= n <= drawCount().
    Pocket draw(int n) const { return pockets_[static_cast<std::size_t>(n - 1)]; }
    // The pockets, oldest first (index 0 is draw 1).
    std::span<const std::uint8_t> draws() const { return pockets_; }
    // When draw n was entered; nullopt when it was added without a time.
    std::optional<DrawTime> drawTime(int n) const;
    // The croupier number of draw n; 0 for none.
    std::int32_t drawCroupier(int n) const { return croupiers_[static_cast<std::size_t>(n - 1)]; }
    // The croupier numbers, oldest first.
    std::span<const std::int32_t> croupiers() const { return croupiers_; }

    // Draws first ... last as a log of their own (numbered from 1), copied in bulk.
    DrawLog Slice(int first, int last) const;

    void Append(Pocket p, std::optional<DrawTime> time, std::int32_t croupier) {
        pockets_.push_back(static_cast<std::uint8_t>(p));
        const DrawTime t = time.value_or(0);
        times_.push_back(t >= firstDrawTime && t <= lastDrawTime ? static_cast<std::uint32_t>(t)
                                                                 : 0);
        croupiers_.push_back(croupier);
    }
    void RemoveLast();
    void Clear();
    void Reserve(std::size_t n);

private:
    // Seconds since the epoch in 32 bits (good until 2106) keep a draw at 9 bytes; 0 marks a
    // draw without time.
    std::vector<std::uint8_t> pockets_;
    std::vector<std::uint32_t> times_;
    std::vector<std::int32_t> croupiers_;
};

// "yymmdd hhmmss" in local time, as the draws list shows it.
std::string FormatDrawTime(DrawTime t);

}  // namespace spinalyst
