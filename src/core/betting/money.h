#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/model/roulette.h"

namespace spinalyst {

// The most one slot can hold: 100 000,00. With every slot at this stake a game still needs
// hundreds of millions of draws before the balance could leave 64 bits.
inline constexpr Cents maxSlotStake = 10'000'000;

// Cents as units with two decimals and the given separator: "-1,00", "35,00", "0,05".
std::string FormatAmount(Cents amount, char decimalSeparator = ',');

// Reads a non-negative amount written with at most two decimals after `decimalSeparator`
// ("5", "2.5", "0.01"). Nullopt for anything else, and for amounts above 10^12 units.
std::optional<Cents> ParseAmount(std::string_view text, char decimalSeparator = '.');

}  // namespace spinalyst
