#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/model/bet_slots.h"
#include "core/model/roulette.h"
#include "core/store/language_table.h"
#include "core/store/text_ids.h"

namespace spinalyst {

// The stake of every slot (codes 1 ... 10, indexes 0 ... 60); 0 means no bet.
class StakeTable {
public:
    Cents operator[](BetSlot slot) const { return stakes_[Offset(slot)]; }
    Cents& operator[](BetSlot slot) { return stakes_[Offset(slot)]; }

private:
    static std::size_t Offset(BetSlot slot) {
        return static_cast<std::size_t>((static_cast<int>(slot.kind) - 1) * (maxSlotIndex + 1) +
                                        slot.index);
    }
    std::array<Cents, betKindCount*(maxSlotIndex + 1)> stakes_{};
};

struct PlacedBet {
    BetSlot slot;
    Cents stake = 0;
    friend bool operator==(const PlacedBet&, const PlacedBet&) = default;
};

// The placed bets as a draw settles them: the slots with a stake, in stake-table order (code,
// then index), their total, and what each pocket pays back, so that settling a draw reads one
// entry however many bets there are.
struct BetList {
    std::vector<PlacedBet> bets;
    Cents totalStake = 0;
    std::array<Cents, maxPocketCount> winPerPocket{};

    int placedCount() const { return static_cast<int>(bets.size()); }
    bool empty() const { return bets.empty(); }
};

BetList RebuildBetList(const StakeTable& stakes);

// A bet as the history and the chips' hints name it: the family's word, then what it covers
// ("Split 1-2", "Street 0-2", "Number 00"); the even chances by their own word ("Red", "Low"),
// in the language of the table.
std::optional<TextId> BetPrefix(BetKind kind);
std::string BetDetail(BetSlot slot);
// The word of an even-chance bet; nullopt for the other slots.
std::optional<TextId> EvenChanceWord(BetSlot slot);
std::string BetDescription(BetSlot slot, const LanguageTable& texts);

}  // namespace spinalyst
