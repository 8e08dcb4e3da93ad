#include "core/betting/backtest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/betting/money.h"
#include "core/betting/table_areas.h"
#include "core/draws/random_source.h"

namespace spinalyst {
namespace {

constexpr BetSlot red{BetKind::RougeNoir, 1};
constexpr std::uint8_t R = 1, B = 2;

BettingPlan RedPlan(Progression progression) {
    BettingPlan plan;
    plan.bets = {{red, 100}};
    plan.progression.kind = progression;
    return plan;
}

TEST(Backtest, SessionsFollowOneAnotherUntilTheDrawsRunOut) {
    struct Case {
        std::string name;
        BettingPlan plan;
        std::vector<std::uint8_t> pockets;
        std::vector<SessionSummary> sessions;
        std::vector<Cents> running;
        std::int64_t ruined;
    };
    BettingPlan toOneUnit = RedPlan(Progression::Martingale);
    toOneUnit.rules.stopWin = 100;
    BettingPlan oneStake = RedPlan(Progression::Flat);
    oneStake.rules.bankroll = 100;
    const Case cases[] = {
        {"a session ends, the next starts fresh at the next draw; the last is cut by the data",
         toOneUnit,
         {B, R, B, B, R, R, B},
         {{0, 2, 300, 400, 100, -100, SessionEnd::Win},
          {2, 3, 700, 800, 100, -300, SessionEnd::Win},
          {5, 1, 100, 200, 100, 0, SessionEnd::Win},
          {6, 1, 100, 0, -100, -100, SessionEnd::Data}},
         {-100, 100, 0, -200, 200, 300, 200},
         0},
        {"a stop on the last draw is that stop, not the end of the data",
         toOneUnit,
         {B, R},
         {{0, 2, 300, 400, 100, -100, SessionEnd::Win}},
         {-100, 100},
         0},
        {"a ruined session is followed by one with a fresh bankroll",
         oneStake,
         {B, R, B},
         {{0, 1, 100, 0, -100, -100, SessionEnd::Ruin}, {1, 2, 200, 200, 0, 0, SessionEnd::Data}},
         {-100, 0, -100},
         1},
        {"no draw, no session", toOneUnit, {}, {}, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(CheckPlan(c.plan), std::nullopt);
        const PlanTable table(c.plan);
        std::vector<Cents> running;
        const BacktestResult result = RunBacktest(table, c.pockets, &running);
        EXPECT_EQ(result.sessions, c.sessions);
        EXPECT_EQ(running, c.running);
        EXPECT_EQ(result.ruined, c.ruined);
        Cents staked = 0, won = 0;
        std::int64_t spins = 0;
        for (const SessionSummary& s : c.sessions) {
            staked += s.staked;
            won += s.won;
            spins += s.spins;
        }
        EXPECT_EQ(result.spins, spins);
        EXPECT_EQ(result.staked, staked);
        EXPECT_EQ(result.won, won);
        EXPECT_EQ(result.balance, won - staked);
        // Without the running balance the sessions are the same.
        EXPECT_EQ(RunBacktest(table, c.pockets).sessions, c.sessions);
    }
}

// Every slot of the table at the largest stake over ten million spins: the sums stay exact.
TEST(Backtest, LargestStakesOverTenMillionSpinsStayExact) {
    BettingPlan plan;
    for (int code = 1; code <= betKindCount; ++code)
        for (int index = 0; index <= maxSlotIndex; ++index)
            if (const BetSlot slot{static_cast<BetKind>(code), index}; TableOffers(plan.kind, slot))
                plan.bets.push_back({slot, maxSlotStake});
    ASSERT_EQ(CheckPlan(plan), std::nullopt);
    const PlanTable table(plan);

    constexpr std::size_t n = 10'000'000;
    std::vector<std::uint8_t> pockets(n);
    RandomSource rng(3);
    std::array<std::int64_t, maxPocketCount> counts{};
    for (auto& p : pockets) {
        p = static_cast<std::uint8_t>(rng.Next(plan.kind));
        ++counts[p];
    }
    const BacktestResult result = RunBacktest(table, pockets);
    ASSERT_EQ(result.sessions.size(), 1u);
    __extension__ using Wide = __int128;
    Wide won = 0;
    for (Pocket p = 0; p <= 36; ++p)
        won += Wide{counts[static_cast<std::size_t>(p)]} * table.Win(p, 1);
    const Wide staked = Wide{table.baseStake()} * static_cast<Wide>(n);
    EXPECT_EQ(Wide{result.won}, won);
    EXPECT_EQ(Wide{result.staked}, staked);
    EXPECT_EQ(Wide{result.balance}, won - staked);
    EXPECT_EQ(result.sessions.front().end, SessionEnd::Data);
}

TEST(Backtest, RunningBalanceKeepsEveryPeakWhenDrawnNarrow) {
    const std::vector<Cents> few = {100, -100, 300};
    EXPECT_EQ(RunningBalancePoints(few, 10),
              (std::vector<BalancePoint>{{0, 0}, {1, 100}, {2, -100}, {3, 300}}));
    // Eight spins in two columns: each column's lowest and highest, in the line's order.
    const std::vector<Cents> many = {1, 5, -2, 3, 0, -7, 9, 2};
    EXPECT_EQ(RunningBalancePoints(many, 2),
              (std::vector<BalancePoint>{{0, 0}, {2, 5}, {3, -2}, {6, -7}, {7, 9}}));
}

}  // namespace
}  // namespace spinalyst
