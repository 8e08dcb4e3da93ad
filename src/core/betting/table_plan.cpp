#include "core/betting/table_plan.h"

namespace spinalyst {

MoneyRules RulesForKind(MoneyRules rules, RouletteKind kind) {
    if (kind != RouletteKind::French) rules.laPartage = false;
    return rules;
}

std::optional<BettingPlan> PlanOfTheTable(const BetLedger& ledger, RouletteKind kind,
                                          const PlanSettings& saved,
                                          std::optional<std::int64_t> maxSpins) {
    BettingPlan plan;
    plan.kind = kind;
    const LivePlay& live = ledger.live();
    if (live.running())
        plan.bets = live.plan()->bets;
    else if (!ledger.betList().empty())
        plan.bets = ledger.betList().bets;
    else if (live.lastPlan() && live.lastPlan()->kind == kind)
        plan.bets = live.lastPlan()->bets;
    plan.progression = saved.entries;
    plan.progression.kind = saved.progression.value_or(Progression::Flat);
    plan.rules = RulesForKind(saved.rules, kind);
    if (maxSpins) plan.rules.maxSpins = maxSpins;
    if (CheckPlan(plan)) return std::nullopt;
    return plan;
}

}  // namespace spinalyst
