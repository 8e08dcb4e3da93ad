#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/betting/plan.h"
#include "core/betting/progression.h"
#include "core/betting/rule_watch.h"

namespace spinalyst {

// Why a session ended. None while it runs; Data when the draws ran out first.
enum class SessionEnd { None, Win, Loss, Ruin, Limit, Spins, Data };
// win, loss, ruin, limit, spins, data (and an empty name for None).
std::string_view SessionEndName(SessionEnd end);

struct SpinResult {
    Units units = 1;
    Cents stake = 0;
    Cents win = 0;
    SpinOutcome outcome = SpinOutcome::Push;
    // False for an idle spin: no rule held, nothing was staked.
    bool played = false;
};

// One session of a plan, the one engine of the backtest, the Monte Carlo runs and live play:
// spins observed one after another, each settled through the table of its base bets (the
// plan's bets, or those of the rules that held before it), the progression rescaling them,
// until a money rule ends the session. After each spin: if it was played, settle; stop-win,
// then stop-loss; max-spins (observed spins, idle ones too); if it was played, the
// progression's next units. Then the rules decide the next spin's base bets on the history that
// now ends with this spin (idle when none holds); the table maximum applies to each slot's base
// times the units (reset, cap or stop); and the session is ruined when the bankroll left cannot
// cover the next stake. The same decision is taken before the first spin.
class StrategySession {
public:
    // The table must outlive the session. The rules see the history through `watch`, which
    // the caller keeps up to date across sessions (a backtest's draws, a game's); without one
    // the session keeps its own, starting from an empty history. A plan whose bets never
    // change needs none.
    explicit StrategySession(const PlanTable& table, RuleWatch* watch = nullptr);
    // A session with a watch of its own that has seen `history` (oldest first) before its
    // first spin, as live play starts one on a game's draws.
    StrategySession(const PlanTable& table, std::span<const std::uint8_t> history);
    // A copy of a session that keeps its own watch has a watch of its own; one that was given
    // a watch shares it.
    StrategySession(const StrategySession& other);
    StrategySession& operator=(const StrategySession& other);
    ~StrategySession();

    bool ended() const { return end_ != SessionEnd::None; }
    SessionEnd end() const { return end_; }
    // The next spin's units and total stake (0 when it is idle).
    Units units() const { return progression_.units(); }
    Cents nextStake() const { return bets_->Stake(units()); }
    const ProgressionState& progression() const { return progression_; }
    // The next spin's base bets (at one unit), empty when it is idle, and the rules that gave
    // them (bit i for rule i of the plan; 0 for a plan of plain bets).
    const SpinTable& nextBets() const { return *bets_; }
    bool idle() const { return bets_->idle(); }
    std::uint64_t firedRules() const { return fired_; }

    // Observed spins, idle ones included.
    std::int64_t spins() const { return spins_; }
    Cents staked() const { return staked_; }
    Cents won() const { return won_; }
    Cents balance() const { return won_ - staked_; }
    // The lowest balance after any spin, or 0 when it never went below.
    Cents lowest() const { return lowest_; }
    // The bankroll and what is left of it; nullopt without a bankroll.
    std::optional<Cents> bankrollLeft() const;
    // The sum, over the spins played, of what their stakes pay back on average on the watch's
    // wheel (see RuleWatch); 0 for a plan whose bets never change.
    double meanWon() const { return meanWon_; }

    // Settles a spin on pocket p of the plan's kind (and shows it to the rules); nothing
    // changes once the session ended.
    SpinResult Play(Pocket p);
    // The draws ran out before a rule ended the session.
    void EndForData() {
        if (!ended()) end_ = SessionEnd::Data;
    }

private:
    // The next spin's bets and what the table maximum and the bankroll make of them.
    void DecideNext();

    const PlanTable* table_;
    std::unique_ptr<RuleWatch> ownWatch_;
    RuleWatch* watch_ = nullptr;
    const SpinTable* bets_;
    double meanWin_ = 0;
    std::uint64_t fired_ = 0;
    ProgressionState progression_;
    SessionEnd end_ = SessionEnd::None;
    std::int64_t spins_ = 0;
    Cents staked_ = 0;
    Cents won_ = 0;
    Cents lowest_ = 0;
    double meanWon_ = 0;
};

// The indices of the rules in a set of StrategySession::firedRules, in order.
std::vector<int> FiredRuleIndices(std::uint64_t fired);

}  // namespace spinalyst
