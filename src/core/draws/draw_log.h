#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/roulette.h"
#include "core/store/large_blocks.h"

namespace spinalyst {

// Seconds since the Unix epoch; the moment a draw was entered.
using DrawTime = std::int64_t;
// The times a draw can keep: from just after the epoch to early 2106 (32 bits of seconds).
inline constexpr DrawTime firstDrawTime = 1;
inline constexpr DrawTime lastDrawTime = UINT32_MAX;

// Which way the ball was spun, as the player saw it; Unknown when nobody said.
enum class SpinDirection : std::uint8_t { Unknown = 0, Clockwise = 1, Anticlockwise = 2 };
// The direction a later spin takes when the dealer alternates.
constexpr SpinDirection Flipped(SpinDirection d) {
    return d == SpinDirection::Clockwise       ? SpinDirection::Anticlockwise
           : d == SpinDirection::Anticlockwise ? SpinDirection::Clockwise
                                               : SpinDirection::Unknown;
}

// "cw", "ccw", or empty for an unknown direction, as files and the command line write them.
inline constexpr std::string_view clockwiseText = "cw";
inline constexpr std::string_view anticlockwiseText = "ccw";
constexpr std::string_view DirectionText(SpinDirection d) {
    return d == SpinDirection::Clockwise       ? clockwiseText
           : d == SpinDirection::Anticlockwise ? anticlockwiseText
                                               : std::string_view();
}
// The direction a text names ("" is Unknown); nullopt for any other text.
constexpr std::optional<SpinDirection> DirectionFromText(std::string_view text) {
    if (text.empty()) return SpinDirection::Unknown;
    if (text == clockwiseText) return SpinDirection::Clockwise;
    if (text == anticlockwiseText) return SpinDirection::Anticlockwise;
    return std::nullopt;
}

// The wheel numbers a draw can keep: 1 ... maxWheelNumber, 0 for none.
inline constexpr std::int32_t maxWheelNumber = (1 << 14) - 1;

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

    // The wheel number of draw n; 0 for none.
    std::int32_t drawWheel(int n) const {
        return spins_.empty() ? 0 : spins_[static_cast<std::size_t>(n - 1)] & wheelBits;
    }
    SpinDirection drawDirection(int n) const {
        return spins_.empty() ? SpinDirection::Unknown
                              : static_cast<SpinDirection>(
                                    spins_[static_cast<std::size_t>(n - 1)] >> directionShift);
    }
    // Whether some draw has a wheel, or a direction.
    bool hasWheels() const { return wheeledDraws_ > 0; }
    bool hasDirections() const { return directedDraws_ > 0; }

    // Draws first ... last as a log of their own (numbered from 1), copied in bulk.
    DrawLog Slice(int first, int last) const;

    // A wheel number beyond maxWheelNumber is kept as none.
    void Append(Pocket p, std::optional<DrawTime> time, std::int32_t croupier,
                std::int32_t wheel = 0, SpinDirection direction = SpinDirection::Unknown) {
        pockets_.push_back(static_cast<std::uint8_t>(p));
        const DrawTime t = time.value_or(0);
        times_.push_back(t >= firstDrawTime && t <= lastDrawTime ? static_cast<std::uint32_t>(t)
                                                                 : 0);
        croupiers_.push_back(croupier);
        const auto spin =
            static_cast<std::uint16_t>((wheel > 0 && wheel <= maxWheelNumber ? wheel : 0) |
                                       static_cast<int>(direction) << directionShift);
        if (spin != 0 || !spins_.empty()) AppendSpin(spin);
    }
    // Renumbers the croupiers, or the wheels: number c becomes numbers[c]; a number the table
    // does not reach becomes 0.
    void MapCroupiers(std::span<const std::int32_t> numbers);
    void MapWheels(std::span<const std::int32_t> numbers);

    void RemoveLast();
    void Clear();
    void Reserve(std::size_t n);

private:
    static constexpr int directionShift = 14;
    static constexpr std::uint16_t wheelBits = maxWheelNumber;
    void AppendSpin(std::uint16_t spin);
    void CountSpin(std::uint16_t spin, int sign);

    // Seconds since the epoch in 32 bits (good until 2106) keep a draw at 9 bytes; 0 marks a
    // draw without time.
    template <typename T>
    using Column = std::vector<T, LargeBlockAllocator<T>>;
    Column<std::uint8_t> pockets_;
    Column<std::uint32_t> times_;
    Column<std::int32_t> croupiers_;
    // The wheel number and, in the top two bits, the direction of each draw: two bytes more,
    // only from the first draw that has either (the draws before it get zeros).
    Column<std::uint16_t> spins_;
    int wheeledDraws_ = 0;
    int directedDraws_ = 0;
};

// "yymmdd hhmmss" in local time, as the draws list shows it.
std::string FormatDrawTime(DrawTime t);

}  // namespace spinalyst
