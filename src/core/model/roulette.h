#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace spinalyst {

// A number of the wheel: 0 to 36, and 37 for the American "00".
using Pocket = std::int32_t;
inline constexpr Pocket DoubleZero = 37;
inline constexpr int maxPocketCount = 38;

// Play-money amounts in hundredths. 64 bits: long simulated games overflow 32.
using Cents = std::int64_t;

enum class RouletteKind { American = 0, French = 1, NoZero = 2 };

inline constexpr RouletteKind defaultKind = RouletteKind::French;
inline constexpr std::array<RouletteKind, 3> allKinds = {
    RouletteKind::American, RouletteKind::French, RouletteKind::NoZero};

constexpr int pocketCount(RouletteKind kind) {
    switch (kind) {
        case RouletteKind::American:
            return 38;
        case RouletteKind::French:
            return 37;
        case RouletteKind::NoZero:
            return 36;
    }
    return 37;
}
constexpr Pocket firstPocket(RouletteKind kind) {
    return kind == RouletteKind::NoZero ? 1 : 0;
}
constexpr Pocket lastPocket(RouletteKind kind) {
    return kind == RouletteKind::American ? DoubleZero : 36;
}
constexpr bool IsPocketOf(RouletteKind kind, Pocket p) {
    return p >= firstPocket(kind) && p <= lastPocket(kind);
}

// The value stored under "Roulette" in the settings file.
constexpr int KindToSetting(RouletteKind kind) {
    return static_cast<int>(kind);
}
constexpr std::optional<RouletteKind> KindFromSetting(long long value) {
    if (value < 0 || value > 2) return std::nullopt;
    return static_cast<RouletteKind>(value);
}
// The Tag of the roulette menu items, which is the kind's pocket count.
constexpr int KindToTag(RouletteKind kind) {
    return pocketCount(kind);
}
constexpr std::optional<RouletteKind> KindFromTag(int tag) {
    for (RouletteKind k : allKinds)
        if (pocketCount(k) == tag) return k;
    return std::nullopt;
}
// Short names used on the command line: american, french, nozero.
std::string_view KindName(RouletteKind kind);
std::optional<RouletteKind> KindFromName(std::string_view name);

// "00" for 37, the plain decimal number otherwise.
std::string PocketText(Pocket p);
// Reads a pocket as PocketText writes it; nullopt when it is no pocket of the kind.
std::optional<Pocket> ParsePocket(std::string_view text, RouletteKind kind);

enum class PocketColour { Red, Black, Green };

inline constexpr std::array<Pocket, 18> redPockets = {1,  3,  5,  7,  9,  12, 14, 16, 18,
                                                      19, 21, 23, 25, 27, 30, 32, 34, 36};
inline constexpr std::array<Pocket, 18> blackPockets = {2,  4,  6,  8,  10, 11, 13, 15, 17,
                                                        20, 22, 24, 26, 28, 29, 31, 33, 35};

constexpr bool IsRed(Pocket p) {
    for (Pocket r : redPockets)
        if (r == p) return true;
    return false;
}
constexpr bool IsBlack(Pocket p) {
    for (Pocket b : blackPockets)
        if (b == p) return true;
    return false;
}
constexpr PocketColour ColourOf(Pocket p) {
    return IsRed(p) ? PocketColour::Red : IsBlack(p) ? PocketColour::Black : PocketColour::Green;
}

// Where a number of the table lies. Each answers for the numbers 1 ... 36 only: the green
// pockets lie in no street, column or dozen and are neither even, odd, low nor high here.
constexpr bool IsNumber(Pocket p) {
    return p >= 1 && p <= 36;
}
// Street 1 ... 12 (1-2-3 is street 1); 0 for a green pocket.
constexpr int StreetOf(Pocket p) {
    return IsNumber(p) ? (p + 2) / 3 : 0;
}
// Column 1 ... 3 (1, 4 ... 34 is column 1); 0 for a green pocket.
constexpr int ColumnOf(Pocket p) {
    return IsNumber(p) ? (p - 1) % 3 + 1 : 0;
}
// Dozen 1 ... 3; 0 for a green pocket.
constexpr int DozenOf(Pocket p) {
    return IsNumber(p) ? (p - 1) / 12 + 1 : 0;
}
constexpr bool IsEven(Pocket p) {
    return IsNumber(p) && p % 2 == 0;
}
constexpr bool IsOdd(Pocket p) {
    return IsNumber(p) && p % 2 == 1;
}
constexpr bool IsLow(Pocket p) {
    return IsNumber(p) && p <= 18;
}
constexpr bool IsHigh(Pocket p) {
    return IsNumber(p) && p >= 19;
}

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};
inline constexpr Rgb redDisplay{255, 0, 0};
inline constexpr Rgb blackDisplay{0, 0, 0};
inline constexpr Rgb greenDisplay{0, 128, 0};

constexpr Rgb DisplayColour(Pocket p) {
    switch (ColourOf(p)) {
        case PocketColour::Red:
            return redDisplay;
        case PocketColour::Black:
            return blackDisplay;
        case PocketColour::Green:
            return greenDisplay;
    }
    return greenDisplay;
}

// The numbers of the table in reading order: 0, the top row (3, 6 ... 36), the middle row,
// the bottom row (1, 4 ... 34), then 00. Entry k (1 ... 36) is at row ceil(k/12),
// column ((k-1) mod 12) + 1.
inline constexpr std::array<Pocket, 38> layoutOrder = [] {
    std::array<Pocket, 38> order{};
    order[0] = 0;
    for (int row = 1; row <= 3; ++row)
        for (int col = 1; col <= 12; ++col) order[(row - 1) * 12 + col] = 3 * col - (row - 1);
    order[37] = DoubleZero;
    return order;
}();

}  // namespace spinalyst
