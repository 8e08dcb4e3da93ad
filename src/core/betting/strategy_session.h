#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/betting/plan.h"
#include "core/betting/progression.h"

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
};

// One session of a plan: spins settled one after another through the plan's table, the
// progression rescaling it, until a money rule ends the session. After each spin: the stops
// (stop-win, stop-loss, max-spins), else the progression's next units, then the table maximum
// (reset, cap or stop), then whether the bankroll left covers the next stake.
class StrategySession {
public:
    // The table must outlive the session.
    explicit StrategySession(const PlanTable& table);

    bool ended() const { return end_ != SessionEnd::None; }
    SessionEnd end() const { return end_; }
    // The next spin's units and total stake.
    Units units() const { return progression_.units(); }
    Cents nextStake() const { return table_->Stake(units()); }
    const ProgressionState& progression() const { return progression_; }

    std::int64_t spins() const { return spins_; }
    Cents staked() const { return staked_; }
    Cents won() const { return won_; }
    Cents balance() const { return won_ - staked_; }
    // The lowest balance after any spin, or 0 when it never went below.
    Cents lowest() const { return lowest_; }
    // The bankroll and what is left of it; nullopt without a bankroll.
    std::optional<Cents> bankrollLeft() const;

    // Settles a spin on pocket p of the plan's kind; nothing changes once the session ended.
    SpinResult Play(Pocket p);
    // The draws ran out before a rule ended the session.
    void EndForData() {
        if (!ended()) end_ = SessionEnd::Data;
    }

private:
    const PlanTable* table_;
    ProgressionState progression_;
    SessionEnd end_ = SessionEnd::None;
    std::int64_t spins_ = 0;
    Cents staked_ = 0;
    Cents won_ = 0;
    Cents lowest_ = 0;
};

}  // namespace spinalyst
