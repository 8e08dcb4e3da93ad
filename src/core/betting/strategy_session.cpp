#include "core/betting/strategy_session.h"

#include <algorithm>
#include <bit>

namespace spinalyst {

std::string_view SessionEndName(SessionEnd end) {
    switch (end) {
        case SessionEnd::None:
            return "";
        case SessionEnd::Win:
            return "win";
        case SessionEnd::Loss:
            return "loss";
        case SessionEnd::Ruin:
            return "ruin";
        case SessionEnd::Limit:
            return "limit";
        case SessionEnd::Spins:
            return "spins";
        case SessionEnd::Data:
            return "data";
    }
    return "";
}

StrategySession::StrategySession(const PlanTable& table, RuleWatch* watch)
    : table_(&table),
      bets_(table.fixedBets() ? &table.fixedTable() : nullptr),
      progression_(table.plan().progression) {
    if (!table.fixedBets()) {
        if (!watch) {
            ownWatch_ = std::make_unique<RuleWatch>(table.ruleBook());
            watch = ownWatch_.get();
        }
        watch_ = watch;
    }
    DecideNext();
}

StrategySession::StrategySession(const PlanTable& table, std::span<const std::uint8_t> history)
    : table_(&table),
      bets_(table.fixedBets() ? &table.fixedTable() : nullptr),
      progression_(table.plan().progression) {
    if (!table.fixedBets()) {
        ownWatch_ = std::make_unique<RuleWatch>(table.ruleBook());
        for (std::uint8_t p : history) ownWatch_->Observe(p);
        watch_ = ownWatch_.get();
    }
    DecideNext();
}

StrategySession::StrategySession(const StrategySession& other)
    : table_(other.table_), progression_(other.progression_) {
    *this = other;
}

StrategySession& StrategySession::operator=(const StrategySession& other) {
    if (this == &other) return *this;
    table_ = other.table_;
    ownWatch_ = other.ownWatch_ ? std::make_unique<RuleWatch>(*other.ownWatch_) : nullptr;
    watch_ = other.ownWatch_ ? ownWatch_.get() : other.watch_;
    bets_ = other.ownWatch_ && other.bets_ == other.ownWatch_->decided() ? ownWatch_->decided()
                                                                         : other.bets_;
    meanWin_ = other.meanWin_;
    fired_ = other.fired_;
    progression_ = other.progression_;
    end_ = other.end_;
    spins_ = other.spins_;
    staked_ = other.staked_;
    won_ = other.won_;
    lowest_ = other.lowest_;
    meanWon_ = other.meanWon_;
    return *this;
}

StrategySession::~StrategySession() = default;

std::optional<Cents> StrategySession::bankrollLeft() const {
    const auto& bankroll = table_->plan().rules.bankroll;
    if (!bankroll) return std::nullopt;
    return *bankroll + balance();
}

SpinResult StrategySession::Play(Pocket p) {
    SpinResult spin;
    if (ended()) return spin;
    spin.units = units();
    spin.played = !bets_->idle();
    if (spin.played) {
        spin.stake = bets_->Stake(spin.units);
        spin.win = bets_->Win(p, spin.units);
        spin.outcome = spin.win > spin.stake   ? SpinOutcome::Won
                       : spin.win < spin.stake ? SpinOutcome::Lost
                                               : SpinOutcome::Push;
        staked_ += spin.stake;
        won_ += spin.win;
        meanWon_ += meanWin_ * static_cast<double>(spin.units);
        lowest_ = std::min(lowest_, balance());
    }
    ++spins_;
    if (watch_) watch_->Observe(p);

    const MoneyRules& rules = table_->plan().rules;
    const Cents balanceNow = balance();
    if (rules.stopWin && balanceNow >= *rules.stopWin) {
        end_ = SessionEnd::Win;
    } else if (rules.stopLoss && balanceNow <= -*rules.stopLoss) {
        end_ = SessionEnd::Loss;
    } else if (rules.maxSpins && spins_ >= *rules.maxSpins) {
        end_ = SessionEnd::Spins;
    } else {
        if (spin.played) progression_.Advance(spin.outcome);
        DecideNext();
    }
    return spin;
}

void StrategySession::DecideNext() {
    if (watch_) {
        bets_ = &watch_->Decide();
        meanWin_ = watch_->meanWin();
        fired_ = watch_->fired();
    }
    if (bets_->idle()) return;
    const MoneyRules& rules = table_->plan().rules;
    if (progression_.units() > bets_->unitLimit()) {
        switch (rules.atLimit) {
            case AtLimit::Reset:
                progression_.Restart();
                break;
            case AtLimit::Cap:
                if (bets_->unitLimit() >= 1) progression_.Cap(bets_->unitLimit());
                break;
            case AtLimit::Stop:
                break;
        }
        // Bets of rules that fire together may pass the table maximum at any units.
        if (progression_.units() > bets_->unitLimit()) end_ = SessionEnd::Limit;
    }
    if (!ended() && rules.bankroll && *rules.bankroll + balance() < nextStake())
        end_ = SessionEnd::Ruin;
}

std::vector<int> FiredRuleIndices(std::uint64_t fired) {
    std::vector<int> indices;
    for (; fired != 0; fired &= fired - 1) indices.push_back(std::countr_zero(fired));
    return indices;
}

}  // namespace spinalyst
