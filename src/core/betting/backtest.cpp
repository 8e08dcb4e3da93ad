#include "core/betting/backtest.h"

namespace spinalyst {

namespace {

SessionSummary Summarise(const StrategySession& session, std::int64_t firstSpin) {
    return {firstSpin,         session.spins(),  session.staked(), session.won(),
            session.balance(), session.lowest(), session.end()};
}

}  // namespace

BacktestResult RunBacktest(const PlanTable& table, std::span<const std::uint8_t> pockets,
                           std::vector<Cents>* runningBalance) {
    BacktestResult result;
    if (runningBalance) {
        runningBalance->clear();
        runningBalance->reserve(pockets.size());
    }
    std::size_t next = 0;
    while (next < pockets.size()) {
        StrategySession session(table);
        const auto first = static_cast<std::int64_t>(next);
        const Cents before = result.balance;
        if (runningBalance) {
            while (next < pockets.size() && !session.ended()) {
                session.Play(pockets[next++]);
                runningBalance->push_back(before + session.balance());
            }
        } else {
            while (next < pockets.size() && !session.ended()) session.Play(pockets[next++]);
        }
        session.EndForData();
        result.sessions.push_back(Summarise(session, first));
        result.spins += session.spins();
        result.staked += session.staked();
        result.won += session.won();
        result.balance += session.balance();
        result.ruined += session.end() == SessionEnd::Ruin ? 1 : 0;
    }
    return result;
}

}  // namespace spinalyst
