#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/model/roulette.h"

namespace spinalyst {

// The ink of a chip's caption: the desktop's window text, or cream on the dark chips.
enum class CaptionInk { WindowText, Cream };
inline constexpr Rgb creamInk{255, 251, 240};

// One chip of the selector: its value, the caption printed on it, and how the painter
// colours it (face, the stripes on its edge, the caption's ink).
struct ChipDenomination {
    Cents value = 0;
    std::string_view caption;
    CaptionInk ink = CaptionInk::WindowText;
    Rgb face;
    Rgb stripes;
};

// The nine chips, smallest first; index k is the selector's button k + 1.
inline constexpr std::array<ChipDenomination, 9> chipDenominations = {{
    {1, "0.01", CaptionInk::WindowText, {236, 236, 236}, {150, 150, 150}},
    {10, "0.1", CaptionInk::WindowText, {250, 214, 60}, {180, 120, 0}},
    {50, "0.5", CaptionInk::Cream, {120, 48, 150}, {230, 200, 240}},
    {100, "1", CaptionInk::WindowText, {150, 200, 250}, {30, 80, 170}},
    {200, "2", CaptionInk::Cream, {150, 80, 30}, {240, 200, 150}},
    {500, "5", CaptionInk::Cream, {200, 30, 30}, {255, 255, 255}},
    {1000, "10", CaptionInk::Cream, {20, 70, 160}, {255, 255, 255}},
    {2500, "25", CaptionInk::WindowText, {110, 200, 110}, {20, 100, 20}},
    {10000, "100", CaptionInk::Cream, {35, 35, 35}, {230, 190, 60}},
}};

// The chip value a click adds or takes off when the game starts: 1,00.
inline constexpr Cents defaultChipValue = 100;

// Which chip a placed stake shows: the largest denomination not above it (the smallest for
// stakes below one cent).
int ChipFace(Cents stake);

// The amount printed under a placed chip: two decimals below 10, one below 100, none from
// 100 on, and whole thousands with "k" from 10 000 on, rounded half up ("0,01", "1,50",
// "10,0", "123", "9999", "12k", "100k").
std::string ChipStakeText(Cents stake, char decimalSeparator = ',');

}  // namespace spinalyst
