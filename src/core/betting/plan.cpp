#include "core/betting/plan.h"

#include <algorithm>
#include <utility>

#include "core/betting/money.h"
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

bool IsEvenChance(BetKind kind) {
    return kind == BetKind::RougeNoir || kind == BetKind::PairImpair ||
           kind == BetKind::ManquePasse;
}

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

std::optional<PlanError> CheckPlan(const BettingPlan& plan) {
    if (plan.bets.empty()) return PlanError::NoBets;
    Cents baseStake = 0;
    Cents largest = 0;
    for (std::size_t i = 0; i < plan.bets.size(); ++i) {
        const PlacedBet& bet = plan.bets[i];
        if (!TableOffers(plan.kind, bet.slot) || bet.stake < 1 || bet.stake > maxSlotStake)
            return PlanError::BadBet;
        for (std::size_t j = 0; j < i; ++j)
            if (plan.bets[j].slot == bet.slot) return PlanError::BadBet;
        baseStake += bet.stake;
        largest = std::max(largest, bet.stake);
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
    if (start > TableLimit(r) / largest) return PlanError::StartAboveTableMax;
    if (r.bankroll && *r.bankroll < baseStake * start) return PlanError::BankrollBelowFirstStake;
    return std::nullopt;
}

PlanTable::PlanTable(BettingPlan plan) : plan_(std::move(plan)) {
    StakeTable stakes;
    for (const PlacedBet& bet : plan_.bets) {
        stakes[bet.slot] += bet.stake;
        largestBase_ = std::max(largestBase_, bet.stake);
        if (plan_.rules.laPartage && plan_.kind == RouletteKind::French &&
            IsEvenChance(bet.slot.kind))
            partageBases_.push_back(bet.stake);
    }
    const BetList list = RebuildBetList(stakes);
    baseStake_ = list.totalStake;
    baseWin_ = list.winPerPocket;
    unitLimit_ = std::max<Units>(1, TableLimit(plan_.rules) / std::max<Cents>(largestBase_, 1));
}

double PlanTable::ExpectedReturn(std::span<const double> weights) const {
    const RouletteKind k = plan_.kind;
    double halves = 0;
    for (Cents base : partageBases_) halves += static_cast<double>(base) / 2;
    double total = 0;
    double weightSum = 0;
    for (Pocket p = firstPocket(k); p <= lastPocket(k); ++p) {
        const auto at = static_cast<std::size_t>(p);
        const double w = weights.empty() ? 1.0 : at < weights.size() ? weights[at] : 0.0;
        const double win =
            static_cast<double>(baseWin_[static_cast<std::size_t>(p)]) + (p == 0 ? halves : 0.0);
        total += w * win;
        weightSum += w;
    }
    if (weightSum <= 0 || baseStake_ <= 0) return 0;
    return total / weightSum / static_cast<double>(baseStake_) - 1;
}

}  // namespace spinalyst
