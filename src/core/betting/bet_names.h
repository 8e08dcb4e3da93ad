#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/bet_slots.h"
#include "core/model/roulette.h"

namespace spinalyst {

// A set of pockets: bit p for pocket p (00 is bit 37).
using PocketMask = std::uint64_t;

// The pockets a slot wins on.
PocketMask SlotPockets(BetSlot slot);

// One slot of a named bet and how many chips of the bet's amount it takes.
struct BetChips {
    BetSlot slot;
    int chips = 1;
    friend bool operator==(const BetChips&, const BetChips&) = default;
};

// A bet as --bet, the system files and the rules name it: the chips it puts down for each unit
// of its amount, and the pockets it wins on, which are the pockets a rule sees it hit.
struct NamedBet {
    // The name as it is written back: "red", "douzaine:2", "plein:00".
    std::string name;
    std::vector<BetChips> chips;
    PocketMask pockets = 0;
    friend bool operator==(const NamedBet&, const NamedBet&) = default;

    // The slot when the bet is one chip on one slot.
    std::optional<BetSlot> slot() const;
};

enum class BetNameError {
    // Not a bet's name at all.
    NotABet,
    // A family's name with an index it does not have.
    BadIndex,
    // A bet the kind's table does not offer.
    NotOnTable,
};

struct BetNameResult {
    std::optional<NamedBet> bet;
    BetNameError error = BetNameError::NotABet;
    // With BadIndex: the family's name and its first and last index.
    std::string family;
    int first = 0;
    int last = 0;
};

// The one reader of bet names, compared without regard to case: KIND:INDEX (plein 0 to 36 and
// 00 or 37, cheval 1 to 60 ...) or an even chance's name (red, black, even, odd, low, high), on
// the kind's table. Every place that takes a bet's name reads it here.
BetNameResult ParseBetName(std::string_view text, RouletteKind kind);

// The name of a slot as ParseBetName reads it: "red" for rougenoir:1, "plein:00" for 37.
std::string SlotName(BetSlot slot);

// The families a rule can watch as a whole with `any FAMILY`.
enum class BetFamily { Simple, Douzaine, Colonne, Sizain, Transversale, Carre, Cheval, Plein };
inline constexpr std::array<BetFamily, 8> allBetFamilies = {
    BetFamily::Simple,       BetFamily::Douzaine, BetFamily::Colonne, BetFamily::Sizain,
    BetFamily::Transversale, BetFamily::Carre,    BetFamily::Cheval,  BetFamily::Plein};
// simple, douzaine, colonne, sizain, transversale, carre, cheval, plein.
std::string_view BetFamilyName(BetFamily family);
std::optional<BetFamily> BetFamilyNamed(std::string_view name);
// The family of a slot: the three even chances' categories are the family `simple`.
BetFamily FamilyOf(BetKind kind);
// The family's slots that the kind's table offers, in slot order (the six even chances: red,
// black, even, odd, low, high).
std::vector<BetSlot> FamilySlots(BetFamily family, RouletteKind kind);

// Whether a slot has opposites: the even chances, the dozens and the columns.
bool HasOpposite(BetSlot slot);
// Its opposites: the other side of an even chance's pair, the other two dozens or columns.
std::vector<BetSlot> OppositeSlots(BetSlot slot);

}  // namespace spinalyst
