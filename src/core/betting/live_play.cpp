#include "core/betting/live_play.h"

#include <algorithm>

namespace spinalyst {

void LivePlay::Start(BettingPlan plan, int firstDraw, std::span<const std::uint8_t> before) {
    lastPlan_ = plan;
    sessions_.push_back({std::make_shared<const PlanTable>(std::move(plan)), firstDraw});
    session_.emplace(*sessions_.back().table, before);
}

void LivePlay::Stop() {
    sessions_.clear();
    session_.reset();
}

void LivePlay::Play(Pocket p) {
    if (running()) session_->Play(p);
}

void LivePlay::Rewind(const BetHistory& history, int nextDraw,
                      std::span<const std::uint8_t> draws) {
    while (!sessions_.empty() && sessions_.back().firstDraw > nextDraw) sessions_.pop_back();
    session_.reset();
    if (sessions_.empty()) return;
    const Started& newest = sessions_.back();
    if (!newest.table->fixedBets()) {
        // Idle spins leave no record in the history: the game's draws are the session's.
        const auto first = std::min(draws.size(), static_cast<std::size_t>(newest.firstDraw - 1));
        const auto last = std::min(draws.size(), static_cast<std::size_t>(nextDraw - 1));
        session_.emplace(*newest.table, draws.first(first));
        for (std::size_t d = first; d < last && !session_->ended(); ++d) session_->Play(draws[d]);
        return;
    }
    session_.emplace(*newest.table);
    // The session's draws are the newest records of the history: it settled each of them.
    std::size_t first = history.size();
    while (first > 0 && history.drawNumber(first - 1) >= newest.firstDraw) --first;
    for (std::size_t r = first; r < history.size() && !session_->ended(); ++r)
        session_->Play(history.pocket(r));
}

std::vector<PlacedBet> LivePlay::Stakes() const {
    std::vector<PlacedBet> stakes;
    if (!running()) return stakes;
    const Units units = session_->units();
    // Plain bets keep the order the player put them down in; a system's are those it decided.
    const auto& base = plan()->betRules.empty() ? plan()->bets : session_->nextBets().bets();
    for (const PlacedBet& bet : base) stakes.push_back({bet.slot, bet.stake * units});
    return stakes;
}

}  // namespace spinalyst
