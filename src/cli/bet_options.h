#pragma once

#include <string>

#include "core/betting/bet_ledger.h"
#include "core/betting/money.h"
#include "core/model/bet_slots.h"
#include "core/model/roulette.h"

namespace spinalyst::cli {

// A positive amount with at most two decimals ("5", "2.5"), or a UsageError naming `what`.
Cents ParseAmountOption(const std::string& text, const std::string& what);
// A --bet slot: KIND:INDEX or an even chance's name, offered by the kind's table.
BetSlot ParseBetSlot(const std::string& text, RouletteKind kind);
// --bet SLOT=AMOUNT added to the ledger's stakes, with the straight-up bet's neighbours.
void PlaceBetOption(const std::string& bet, int neighbours, BetLedger& ledger);

}  // namespace spinalyst::cli
