#pragma once

#include <optional>

#include "core/betting/plan.h"
#include "core/betting/system.h"

namespace spinalyst {

struct PlanBind {
    std::optional<BettingPlan> plan;
    std::optional<SystemError> error;
};

// The system on a table of `kind`, checked before its first spin (CheckPlan): plain bets
// become the plan's bets, as the table's chips would; other rules its betRules, with their
// names read on this table, `any` as the family's slots it offers, and the neighbours of every
// straight-up bet. The error names the rule and the word.
PlanBind BindSystem(const System& system, RouletteKind kind);

}  // namespace spinalyst
