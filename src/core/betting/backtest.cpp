#include "core/betting/backtest.h"

#include <algorithm>
#include <optional>

#include "core/betting/money.h"

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
    // One history for every session: a new session does not forget the wheel.
    std::optional<RuleWatch> watch;
    if (!table.fixedBets()) watch.emplace(table.ruleBook());
    RuleWatch* const seen = watch ? &*watch : nullptr;
    std::size_t next = 0;
    while (next < pockets.size()) {
        StrategySession session(table, seen);
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
        if (session.spins() == 0) {
            // Ended before its first spin (rules firing together passed the table maximum or
            // the bankroll): the draw is seen, and the next session starts after it.
            if (seen) seen->Observe(pockets[next]);
            ++next;
            if (runningBalance) runningBalance->push_back(before);
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

std::string BacktestCsv(const BacktestResult& result, std::span<const std::int32_t> drawNumbers) {
    std::string csv = "session,first_draw,spins,staked,won,balance,lowest,end\n";
    const auto amount = [](Cents c) { return FormatAmount(c, '.'); };
    for (std::size_t i = 0; i < result.sessions.size(); ++i) {
        const SessionSummary& s = result.sessions[i];
        const auto at = static_cast<std::size_t>(s.firstSpin);
        csv += std::to_string(i + 1) + ',' +
               (at < drawNumbers.size() ? std::to_string(drawNumbers[at]) : std::string()) + ',' +
               std::to_string(s.spins) + ',' + amount(s.staked) + ',' + amount(s.won) + ',' +
               amount(s.balance) + ',' + amount(s.lowest) + ',' +
               std::string(SessionEndName(s.end)) + '\n';
    }
    return csv;
}

std::vector<BalancePoint> RunningBalancePoints(std::span<const Cents> running, int columns) {
    std::vector<BalancePoint> points = {{0, 0}};
    const std::size_t n = running.size();
    const auto width = static_cast<std::size_t>(std::max(columns, 1));
    if (n <= 2 * width) {
        for (std::size_t i = 0; i < n; ++i) points.push_back({i + 1, running[i]});
        return points;
    }
    for (std::size_t c = 0; c < width; ++c) {
        const std::size_t from = c * n / width;
        const std::size_t to = (c + 1) * n / width;
        std::size_t low = from, high = from;
        for (std::size_t i = from; i < to; ++i) {
            if (running[i] < running[low]) low = i;
            if (running[i] > running[high]) high = i;
        }
        const std::size_t first = std::min(low, high), second = std::max(low, high);
        points.push_back({first + 1, running[first]});
        if (second != first) points.push_back({second + 1, running[second]});
    }
    return points;
}

}  // namespace spinalyst
