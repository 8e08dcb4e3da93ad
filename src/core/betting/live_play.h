#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "core/betting/bet_history.h"
#include "core/betting/strategy_session.h"

namespace spinalyst {

// A plan played at the table as the draws come: after each settled draw the stakes follow the
// progression; when a money rule ends the session the chips come off and the table waits for
// the next session. Its state is a function of the draws the history holds, so taking a draw
// back restores it exactly: the session is played again from its first draw.
class LivePlay {
public:
    // A plan (checked) starts a session whose first spin is draw `firstDraw`.
    void Start(BettingPlan plan, int firstDraw);
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

    // Plays a draw that the stakes of Stakes() just settled.
    void Play(Pocket p);
    // The newest draws were taken back: `history` now ends before draw `nextDraw`. Sessions
    // that started later are forgotten, and the newest is played again from its first draw.
    void Rewind(const BetHistory& history, int nextDraw);

    // The stakes the table shows for the next spin: each base bet times the units while the
    // session runs; none once it ended.
    std::vector<PlacedBet> Stakes() const;

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
