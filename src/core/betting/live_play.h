#pragma once

#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "core/betting/bet_history.h"
#include "core/betting/strategy_session.h"

namespace spinalyst {

// A plan played at the table as the draws come: after each settled draw the stakes follow the
// progression; when a money rule ends the session the chips come off and the table waits for
// the next session. A system's rules see every draw of the game, and its idle spins stake
// nothing. Its state is a function of the game's draws, so taking a draw back restores it
// exactly: the session is played again from its first draw.
class LivePlay {
public:
    // A plan (checked) starts a session whose first spin is draw `firstDraw`; a system's rules
    // see `before`, the game's draws before it.
    void Start(BettingPlan plan, int firstDraw, std::span<const std::uint8_t> before = {});
    // No plan any more: the table is the player's again.
    void Stop();

    // A session was started and not stopped since: it runs, or it ended and waits.
    bool active() const { return !sessions_.empty(); }
    bool running() const { return session_ && !session_->ended(); }
    // The newest session, while active.
    const StrategySession* session() const { return session_ ? &*session_ : nullptr; }
    const BettingPlan* plan() const { return active() ? &sessions_.back().table->plan() : nullptr; }
    int firstDraw() const { return active() ? sessions_.back().firstDraw : 0; }
    // The plan of the last session, kept after Stop, for the next start.
    const std::optional<BettingPlan>& lastPlan() const { return lastPlan_; }

    // Plays a draw that the stakes of Stakes() just settled (none on an idle spin).
    void Play(Pocket p);
    // The newest draws were taken back: `history` now ends before draw `nextDraw`, and `draws`
    // are the game's draws before it (a system replays them; plain bets, the history's
    // records). Sessions that started later are forgotten, and the newest is played again
    // from its first draw.
    void Rewind(const BetHistory& history, int nextDraw, std::span<const std::uint8_t> draws = {});

    // The stakes the table shows for the next spin: each base bet times the units while the
    // session runs; none once it ended.
    std::vector<PlacedBet> Stakes() const;
    // The rules of a system that gave them (bit i for rule i; see FiredRuleIndices); 0 for
    // plain bets, an idle spin, or no running session.
    std::uint64_t firedRules() const { return running() ? session_->firedRules() : 0; }

private:
    struct Started {
        // Shared: the sessions' tables never change, and a copy of the play keeps them.
        std::shared_ptr<const PlanTable> table;
        int firstDraw = 1;
    };
    std::vector<Started> sessions_;
    std::optional<StrategySession> session_;
    std::optional<BettingPlan> lastPlan_;
};

}  // namespace spinalyst
