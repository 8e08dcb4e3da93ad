#include "core/betting/strategy_session.h"

#include <algorithm>

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

StrategySession::StrategySession(const PlanTable& table)
    : table_(&table), progression_(table.plan().progression) {}

std::optional<Cents> StrategySession::bankrollLeft() const {
    const auto& bankroll = table_->plan().rules.bankroll;
    if (!bankroll) return std::nullopt;
    return *bankroll + balance();
}

SpinResult StrategySession::Play(Pocket p) {
    SpinResult spin;
    if (ended()) return spin;
    spin.units = units();
    spin.stake = table_->Stake(spin.units);
    spin.win = table_->Win(p, spin.units);
    spin.outcome = spin.win > spin.stake   ? SpinOutcome::Won
                   : spin.win < spin.stake ? SpinOutcome::Lost
                                           : SpinOutcome::Push;
    ++spins_;
    staked_ += spin.stake;
    won_ += spin.win;
    const Cents balanceNow = balance();
    lowest_ = std::min(lowest_, balanceNow);

    const MoneyRules& rules = table_->plan().rules;
    if (rules.stopWin && balanceNow >= *rules.stopWin) {
        end_ = SessionEnd::Win;
    } else if (rules.stopLoss && balanceNow <= -*rules.stopLoss) {
        end_ = SessionEnd::Loss;
    } else if (rules.maxSpins && spins_ >= *rules.maxSpins) {
        end_ = SessionEnd::Spins;
    } else {
        progression_.Advance(spin.outcome);
        if (progression_.units() > table_->unitLimit()) {
            switch (rules.atLimit) {
                case AtLimit::Reset:
                    progression_.Restart();
                    break;
                case AtLimit::Cap:
                    progression_.Cap(table_->unitLimit());
                    break;
                case AtLimit::Stop:
                    end_ = SessionEnd::Limit;
                    break;
            }
        }
        if (!ended() && rules.bankroll && *rules.bankroll + balanceNow < nextStake())
            end_ = SessionEnd::Ruin;
    }
    return spin;
}

}  // namespace spinalyst
