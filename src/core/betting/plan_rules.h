#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/betting/bet_list.h"
#include "core/betting/bet_names.h"
#include "core/betting/rule.h"

namespace spinalyst {

// A condition of a rule put on a table: the bets it watches, as members of a family.
struct PlanCondition {
    ConditionKind kind = ConditionKind::Always;
    // n of streak and absent, k of hits; m of hits.
    std::int64_t count = 0;
    std::int64_t window = 0;
    // The bets `that` can stand for: with `any`, the family's slots the table offers; for one
    // slot with opposites, its family's slots, so that `opposite` finds them; else the bet.
    std::vector<NamedBet> members;
    // The one member it watches, or -1 for all of them (`any`).
    int only = -1;
    // For each member, the members opposite to it (bit i for member i).
    std::vector<std::uint64_t> opposites;
    friend bool operator==(const PlanCondition&, const PlanCondition&) = default;
};

// A rule put on a table: when all its conditions hold, it stakes its bets on the next spin.
struct PlanRule {
    std::vector<PlanCondition> when;
    // The condition whose members `that` and `opposite` stake on; -1 without one.
    int thatCondition = -1;
    // The bets on named slots at one unit, with the plan's neighbours.
    std::vector<PlacedBet> fixed;
    // For each member of the that-condition, what `that` and what `opposite` stake when it is
    // in that set or in the opposite set, neighbours included.
    std::vector<std::vector<PlacedBet>> thatBets;
    std::vector<std::vector<PlacedBet>> oppositeBets;
    // The rule as the user wrote it, to name it when it fires.
    std::string text;
    friend bool operator==(const PlanRule&, const PlanRule&) = default;
};

// The most rules a plan holds: the rules that fire on a spin are one 64-bit set.
inline constexpr std::size_t maxPlanRules = 64;

}  // namespace spinalyst
