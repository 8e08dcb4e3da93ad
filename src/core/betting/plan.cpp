#include "core/betting/plan.h"

#include <algorithm>
#include <utility>

#include "core/betting/money.h"
#include "core/betting/rule_watch.h"
#include "core/betting/table_areas.h"

namespace spinalyst {

namespace {

constexpr std::array<std::pair<Progression, std::string_view>, 8> progressionNames = {{
    {Progression::Flat, "flat"},
    {Progression::Martingale, "martingale"},
    {Progression::GrandMartingale, "grand-martingale"},
    {Progression::Dalembert, "dalembert"},
    {Progression::Fibonacci, "fibonacci"},
    {Progression::Labouchere, "labouchere"},
    {Progression::Paroli, "paroli"},
    {Progression::Sequence, "sequence"},
}};

bool GoodEntries(const std::vector<Units>& entries) {
    return !entries.empty() && entries.size() <= maxProgressionEntries &&
           std::all_of(entries.begin(), entries.end(),
                       [](Units u) { return u >= 1 && u <= maxProgressionEntry; });
}

// The units of the first spin, as the progression starts.
Units StartUnits(const ProgressionSettings& p) {
    switch (p.kind) {
        case Progression::Labouchere:
            return p.line.size() == 1 ? p.line.front() : p.line.front() + p.line.back();
        case Progression::Sequence:
            return p.sequence.front();
        default:
            return 1;
    }
}

Cents TableLimit(const MoneyRules& rules) {
    return std::min(rules.tableMax.value_or(maxSlotStake), maxSlotStake);
}

}  // namespace

std::string_view ProgressionName(Progression progression) {
    for (const auto& [p, name] : progressionNames)
        if (p == progression) return name;
    return "flat";
}

std::optional<Progression> ProgressionFromName(std::string_view name) {
    for (const auto& [p, n] : progressionNames)
        if (n == name) return p;
    return std::nullopt;
}

std::string_view AdvanceOnName(AdvanceOn advance) {
    return advance == AdvanceOn::Win ? "win" : "loss";
}

std::optional<AdvanceOn> AdvanceOnFromName(std::string_view name) {
    if (name == "loss") return AdvanceOn::Loss;
    if (name == "win") return AdvanceOn::Win;
    return std::nullopt;
}

std::string_view AtLimitName(AtLimit atLimit) {
    switch (atLimit) {
        case AtLimit::Reset:
            return "reset";
        case AtLimit::Cap:
            return "cap";
        case AtLimit::Stop:
            return "stop";
    }
    return "reset";
}

std::optional<AtLimit> AtLimitFromName(std::string_view name) {
    for (AtLimit a : {AtLimit::Reset, AtLimit::Cap, AtLimit::Stop})
        if (AtLimitName(a) == name) return a;
    return std::nullopt;
}

Cents LargestRuleStake(const PlanRule& rule) {
    Cents largest = 0;
    StakeTable named;
    for (const PlacedBet& bet : rule.fixed) {
        named[bet.slot] += bet.stake;
        largest = std::max(largest, named[bet.slot]);
    }
    for (const auto* targets : {&rule.thatBets, &rule.oppositeBets})
        for (const std::vector<PlacedBet>& bets : *targets)
            for (const PlacedBet& bet : bets) largest = std::max(largest, bet.stake);
    return largest;
}

std::vector<PlacedBet> FirstSpinBets(const BettingPlan& plan) {
    if (plan.betRules.empty()) return plan.bets;
    StakeTable stakes;
    std::vector<PlacedBet> bets;
    for (const PlanRule& rule : plan.betRules) {
        bool always = true;
        for (const PlanCondition& c : rule.when) always = always && c.kind == ConditionKind::Always;
        if (!always) continue;
        for (const PlacedBet& bet : rule.fixed) {
            if (stakes[bet.slot] == 0) bets.push_back({bet.slot, 0});
            stakes[bet.slot] += bet.stake;
        }
    }
    for (PlacedBet& bet : bets) bet.stake = stakes[bet.slot];
    return bets;
}

std::optional<PlanError> CheckPlan(const BettingPlan& plan) {
    if (plan.bets.empty() && plan.betRules.empty()) return PlanError::NoBets;
    if (!plan.bets.empty() && !plan.betRules.empty()) return PlanError::BadBet;
    if (plan.betRules.size() > maxPlanRules) return PlanError::BadBet;
    Cents largest = 0;
    for (std::size_t i = 0; i < plan.bets.size(); ++i) {
        const PlacedBet& bet = plan.bets[i];
        if (!TableOffers(plan.kind, bet.slot) || bet.stake < 1 || bet.stake > maxSlotStake)
            return PlanError::BadBet;
        for (std::size_t j = 0; j < i; ++j)
            if (plan.bets[j].slot == bet.slot) return PlanError::BadBet;
        largest = std::max(largest, bet.stake);
    }
    for (const PlanRule& rule : plan.betRules) {
        for (const auto* targets : {&rule.thatBets, &rule.oppositeBets})
            for (const std::vector<PlacedBet>& bets : *targets)
                for (const PlacedBet& bet : bets)
                    if (!TableOffers(plan.kind, bet.slot) || bet.stake < 1)
                        return PlanError::BadBet;
        for (const PlacedBet& bet : rule.fixed)
            if (!TableOffers(plan.kind, bet.slot) || bet.stake < 1) return PlanError::BadBet;
        const Cents ruleLargest = LargestRuleStake(rule);
        if (ruleLargest > maxSlotStake) return PlanError::BadBet;
        largest = std::max(largest, ruleLargest);
    }
    const ProgressionSettings& p = plan.progression;
    if (p.kind == Progression::Labouchere && !GoodEntries(p.line)) return PlanError::BadLine;
    if (p.kind == Progression::Sequence && !GoodEntries(p.sequence)) return PlanError::BadSequence;
    const MoneyRules& r = plan.rules;
    for (const auto& amount : {r.bankroll, r.tableMax, r.stopWin, r.stopLoss})
        if (amount && (*amount < 1 || *amount > maxPlanAmount)) return PlanError::BadAmount;
    if (r.tableMax && *r.tableMax > maxSlotStake) return PlanError::BadAmount;
    if (r.maxSpins && *r.maxSpins < 1) return PlanError::BadMaxSpins;
    if (r.laPartage && plan.kind != RouletteKind::French) return PlanError::LaPartageNotFrench;
    if (largest > TableLimit(r)) return PlanError::BaseAboveTableMax;
    const Units start = StartUnits(p);
    if (largest > 0 && start > TableLimit(r) / largest) return PlanError::StartAboveTableMax;
    Cents firstStake = 0;
    for (const PlacedBet& bet : FirstSpinBets(plan)) firstStake += bet.stake;
    if (r.bankroll && *r.bankroll < firstStake * start) return PlanError::BankrollBelowFirstStake;
    return std::nullopt;
}

PlanTable::PlanTable(BettingPlan plan)
    : plan_(std::move(plan)),
      slotLimit_(TableLimit(plan_.rules)),
      plain_(plan_.kind, plan_.bets, slotLimit_, plan_.rules.laPartage),
      book_(std::make_unique<const RuleBook>(plan_)) {
    if (plan_.betRules.empty())
        fixed_ = plain_;
    else if (book_->fixedBets())
        fixed_ = SpinTable(plan_.kind, FirstSpinBets(plan_), slotLimit_, plan_.rules.laPartage);
}

PlanTable::~PlanTable() = default;

}  // namespace spinalyst
