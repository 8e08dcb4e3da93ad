#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/betting/bet_ledger.h"
#include "core/model/roulette.h"

namespace spinalyst {

// The stakes on the table as the value of a "#stakes=" note, which game files and the journal
// write at each change of them: each slot as family:index=cents, separated by ";", in the order
// the chips were put down ("plein:17=100;rougenoir:1=500"), then "partage" when a zero pays
// back half of the even chances; empty for a bare table.
std::string StakesNoteValue(const BetLedger& ledger);

struct StakesNote {
    std::vector<PlacedBet> bets;
    bool laPartage = false;
    friend bool operator==(const StakesNote&, const StakesNote&) = default;
};

// The stakes a note's value holds, in the order written; nullopt when it is malformed: an
// unknown family, an index or a stake out of range, a slot the kind's table does not offer, a
// slot twice, la partage off the French table or twice.
std::optional<StakesNote> ParseStakesNote(std::string_view value, RouletteKind kind);

}  // namespace spinalyst
