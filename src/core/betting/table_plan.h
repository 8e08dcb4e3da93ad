#pragma once

#include <cstdint>
#include <optional>

#include "core/betting/bet_ledger.h"
#include "core/betting/plan.h"
#include "core/betting/plan_settings.h"

namespace spinalyst {

// The money rules as a table of the kind plays them: la partage belongs to the French table,
// so elsewhere the player's tick stays in the settings but is not played.
MoneyRules RulesForKind(MoneyRules rules, RouletteKind kind);

// The plan the strategy lab plays: the base bets of the live session while it runs, else the
// chips on the table, else those of the last live session of the same kind; the stored
// progression and money rules; maxSpins in place of the stored one when given. nullopt when
// that plan cannot be played.
std::optional<BettingPlan> PlanOfTheTable(const BetLedger& ledger, RouletteKind kind,
                                          const PlanSettings& saved,
                                          std::optional<std::int64_t> maxSpins = std::nullopt);

}  // namespace spinalyst
