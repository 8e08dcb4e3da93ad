#include "core/betting/bind_system.h"

#include <algorithm>

#include "core/betting/money.h"
#include "core/betting/table_areas.h"

namespace spinalyst {

namespace {

Cents TableLimit(const MoneyRules& rules) {
    return std::min(rules.tableMax.value_or(maxSlotStake), maxSlotStake);
}

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

NamedBet SlotBet(BetSlot slot) {
    return {SlotName(slot), {{slot, 1}}, SlotPockets(slot)};
}

// The bet's chips at `amount` each, a straight-up chip with its neighbours on the wheel.
void Expand(const NamedBet& bet, Cents amount, int neighbours, RouletteKind kind,
            std::vector<PlacedBet>& out) {
    for (const BetChips& chip : bet.chips) {
        const Cents stake = amount * chip.chips;
        out.push_back({chip.slot, stake});
        if (chip.slot.kind != BetKind::Plein || neighbours <= 0) continue;
        for (Pocket q : NeighbourPockets(kind, chip.slot.index, neighbours))
            if (const BetSlot s{BetKind::Plein, q}; TableOffers(kind, s)) out.push_back({s, stake});
    }
}

// The same slots added up, in the order they first came.
std::vector<PlacedBet> Summed(const std::vector<PlacedBet>& bets) {
    std::vector<PlacedBet> summed;
    for (const PlacedBet& bet : bets) {
        const auto at = std::find_if(summed.begin(), summed.end(),
                                     [&](const PlacedBet& b) { return b.slot == bet.slot; });
        if (at == summed.end())
            summed.push_back(bet);
        else
            at->stake += bet.stake;
    }
    return summed;
}

std::vector<std::uint64_t> Opposites(const std::vector<NamedBet>& members) {
    std::vector<std::uint64_t> opposites(members.size(), 0);
    for (std::size_t i = 0; i < members.size(); ++i) {
        const auto slot = members[i].slot();
        if (!slot) continue;
        for (BetSlot o : OppositeSlots(*slot))
            for (std::size_t j = 0; j < members.size(); ++j)
                if (members[j].slot() == o) opposites[i] |= std::uint64_t{1} << j;
    }
    return opposites;
}

class Binder {
public:
    Binder(const System& system, RouletteKind kind) : system_(system), kind_(kind) {}

    PlanBind Bind() {
        BettingPlan plan;
        plan.kind = kind_;
        plan.progression = system_.progression;
        plan.rules = system_.money;
        limit_ = TableLimit(plan.rules);
        start_ = StartUnits(plan.progression);
        if (system_.rules.size() > maxPlanRules)
            return Fail({SystemErrorCode::TooManyRules, {std::to_string(maxPlanRules)}});
        StakeTable plain;
        for (std::size_t r = 0; r < system_.rules.size(); ++r) {
            number_ = static_cast<int>(r) + 1;
            rule_ = &system_.rules[r];
            auto bound = BindRule();
            if (!bound) return Failed();
            if (system_.plainBets())
                for (const PlacedBet& bet : bound->fixed) {
                    plain[bet.slot] += bet.stake;
                    if (!CheckStake(plain[bet.slot], rule_->bets.front().name, SlotName(bet.slot)))
                        return Failed();
                }
            else
                plan.betRules.push_back(std::move(*bound));
        }
        if (system_.plainBets()) plan.bets = RebuildBetList(plain).bets;
        number_ = 0;
        rule_ = nullptr;
        if (const auto error = CheckPlan(plan)) {
            switch (*error) {
                case PlanError::NoBets:
                    return Fail({SystemErrorCode::NoBetsInPlan, {}});
                case PlanError::LaPartageNotFrench:
                    return Fail(
                        {SystemErrorCode::LaPartageNotFrench, {std::string(KindName(kind_))}});
                case PlanError::BankrollBelowFirstStake:
                    return Fail({SystemErrorCode::BankrollBelowFirstStake,
                                 {FormatAmount(*plan.rules.bankroll, '.')}});
                default:
                    // Amounts were checked on the way; what is left is a system not read
                    // from options (a line or sequence out of bounds, an amount rule below 0,01).
                    return Fail({SystemErrorCode::CannotPlay, {}});
            }
        }
        return {std::move(plan), std::nullopt};
    }

private:
    PlanBind Fail(SystemError error) {
        error.rule = number_;
        error.inBet = rule_ && rule_->fromBet;
        error.line = rule_ ? rule_->line : 0;
        error_ = std::move(error);
        return Failed();
    }
    PlanBind FailAt(SystemErrorCode code, std::vector<std::string> args, const RuleWord& word) {
        SystemError error{code, std::move(args)};
        error.offset = word.offset;
        error.length = word.length;
        Fail(std::move(error));
        return Failed();
    }
    PlanBind Failed() const { return {std::nullopt, error_}; }

    std::optional<NamedBet> Named(const RuleWord& word) {
        const BetNameResult result = ParseBetName(word.text, kind_);
        if (result.bet) return result.bet;
        switch (result.error) {
            case BetNameError::NotABet:
                FailAt(SystemErrorCode::NotABet, {word.text}, word);
                break;
            case BetNameError::BadIndex:
                FailAt(SystemErrorCode::BadIndex,
                       {word.text.substr(word.text.find(':') + 1), result.family,
                        std::to_string(result.first), std::to_string(result.last)},
                       word);
                break;
            case BetNameError::NotOnTable:
                FailAt(SystemErrorCode::NotOnTable, {word.text, std::string(KindName(kind_))},
                       word);
                break;
        }
        return std::nullopt;
    }

    std::optional<PlanCondition> BindCondition(const RuleCondition& rc, bool givesThat) {
        PlanCondition c;
        c.kind = rc.kind;
        c.count = rc.count;
        c.window = rc.window;
        if (rc.kind == ConditionKind::Always) return c;
        if (rc.any) {
            for (BetSlot slot : FamilySlots(*BetFamilyNamed(rc.subject.text), kind_))
                c.members.push_back(SlotBet(slot));
        } else {
            auto bet = Named(rc.subject);
            if (!bet) return std::nullopt;
            const auto slot = bet->slot();
            if (givesThat && slot && HasOpposite(*slot)) {
                for (BetSlot s : FamilySlots(FamilyOf(slot->kind), kind_)) {
                    if (s == *slot) c.only = static_cast<int>(c.members.size());
                    c.members.push_back(SlotBet(s));
                }
            } else {
                c.only = 0;
                c.members.push_back(std::move(*bet));
            }
        }
        c.opposites = Opposites(c.members);
        return c;
    }

    // The first target whose stake on one slot passes the table maximum, alone or at the
    // progression's first units.
    bool CheckStake(Cents stake, const RuleWord& word, const std::string& name) {
        if (stake > maxSlotStake) {
            FailAt(SystemErrorCode::AmountAboveSlot, {name, FormatAmount(maxSlotStake, '.')}, word);
            return false;
        }
        if (stake > limit_) {
            FailAt(SystemErrorCode::AboveTableMax, {name, FormatAmount(limit_, '.')}, word);
            return false;
        }
        if (start_ > limit_ / stake) {
            FailAt(SystemErrorCode::StartAboveTableMax, {name, FormatAmount(limit_, '.')}, word);
            return false;
        }
        return true;
    }

    std::optional<PlanRule> BindRule() {
        const Rule& rule = *rule_;
        PlanRule bound;
        bound.text = RuleText(rule);
        const auto thatAt = rule.thatCondition();
        for (std::size_t i = 0; i < rule.when.size(); ++i) {
            auto c = BindCondition(rule.when[i], thatAt && *thatAt == i);
            if (!c) return std::nullopt;
            bound.when.push_back(std::move(*c));
        }
        bound.thatCondition = thatAt ? static_cast<int>(*thatAt) : -1;
        const std::size_t members = thatAt ? bound.when[*thatAt].members.size() : 0;
        bound.thatBets.resize(members);
        bound.oppositeBets.resize(members);
        const int n = system_.neighbours;
        for (const RuleBet& bet : rule.bets) {
            if (bet.target == BetTarget::Named) {
                const auto named = Named(bet.name);
                if (!named) return std::nullopt;
                std::vector<PlacedBet> placed;
                Expand(*named, bet.amount, n, kind_, placed);
                bound.fixed.insert(bound.fixed.end(), placed.begin(), placed.end());
                bound.fixed = Summed(bound.fixed);
                for (const PlacedBet& p : bound.fixed)
                    if (!CheckStake(p.stake, bet.name, SlotName(p.slot))) return std::nullopt;
                continue;
            }
            const PlanCondition& c = bound.when[*thatAt];
            if (bet.target == BetTarget::Opposite) {
                const auto hasOpposite = [](const NamedBet& m) {
                    const auto slot = m.slot();
                    return slot && HasOpposite(*slot);
                };
                if (!std::all_of(c.members.begin(), c.members.end(), hasOpposite)) {
                    const RuleCondition& rc = rule.when[*thatAt];
                    FailAt(SystemErrorCode::NoOpposite, {(rc.any ? "any " : "") + rc.subject.text},
                           bet.name);
                    return std::nullopt;
                }
            }
            auto& perMember = bet.target == BetTarget::That ? bound.thatBets : bound.oppositeBets;
            for (std::size_t i = 0; i < members; ++i) {
                std::vector<PlacedBet>& placed = perMember[i];
                Expand(c.members[i], bet.amount, n, kind_, placed);
                placed = Summed(placed);
                for (const PlacedBet& p : placed)
                    if (!CheckStake(p.stake, bet.name, SlotName(p.slot))) return std::nullopt;
            }
        }
        return bound;
    }

    const System& system_;
    RouletteKind kind_;
    Cents limit_ = maxSlotStake;
    Units start_ = 1;
    int number_ = 0;
    const Rule* rule_ = nullptr;
    std::optional<SystemError> error_;
};

}  // namespace

PlanBind BindSystem(const System& system, RouletteKind kind) {
    return Binder(system, kind).Bind();
}

}  // namespace spinalyst
