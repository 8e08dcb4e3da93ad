#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/betting/balance_chart.h"
#include "core/betting/strategy_session.h"

namespace spinalyst {

// One session of a backtest.
struct SessionSummary {
    // The place of its first spin among the draws played (0 for the first draw).
    std::int64_t firstSpin = 0;
    std::int64_t spins = 0;
    Cents staked = 0;
    Cents won = 0;
    Cents balance = 0;
    Cents lowest = 0;
    SessionEnd end = SessionEnd::None;
    friend bool operator==(const SessionSummary&, const SessionSummary&) = default;
};

struct BacktestResult {
    std::vector<SessionSummary> sessions;
    std::int64_t spins = 0;
    Cents staked = 0;
    Cents won = 0;
    Cents balance = 0;
    std::int64_t ruined = 0;
};

// Plays the plan over the draws in order, sessions one after another: when one ends, the next
// starts at the next draw with a fresh bankroll and the progression at its start. The rules see
// every draw before the spin they decide, from the first one, across sessions. A session that
// ends before its first spin (rules that fire together passing the table maximum or the
// bankroll) is counted with no spin, and the next starts one draw later. The last is ended by
// the data when the draws run out before its rules end it. With `runningBalance`,
// the total balance after every spin is stored there too.
BacktestResult RunBacktest(const PlanTable& table, std::span<const std::uint8_t> pockets,
                           std::vector<Cents>* runningBalance = nullptr);

// The sessions as CSV, as the command line prints them: the header
// session,first_draw,spins,staked,won,balance,lowest,end and a row per session, its first
// draw numbered by `drawNumbers` (the number of each draw played, in order).
std::string BacktestCsv(const BacktestResult& result, std::span<const std::int32_t> drawNumbers);

// The running balance of a backtest as a line `columns` pixels wide, from 0 before the first
// spin: every spin while they fit, else each column's lowest and highest in the order the line
// passes them, so that every peak stays.
std::vector<BalancePoint> RunningBalancePoints(std::span<const Cents> running, int columns);

}  // namespace spinalyst
