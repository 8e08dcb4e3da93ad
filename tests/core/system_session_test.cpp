#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/betting/backtest.h"
#include "core/betting/strategy_session.h"
#include "system_support.h"

namespace spinalyst {
namespace {

using test::SystemPlan;

struct Row {
    const char* name;
    const char* system;
    std::vector<Pocket> pockets;
    std::vector<bool> played;
    std::vector<Units> units;
    std::vector<Cents> stakes;
    std::vector<Cents> balances;
    SessionEnd end;
};

// Red: 1 3 5 7 9 12 14 16 18 19 21 23 25 27 30 32 34 36; 0 is neither.
const Row rows[] = {
    {"idle spins are observed, the progression moves only on played ones",
     "--rule streak red >= 2 => black=1\n--progression martingale",
     {1, 3, 5, 2, 7, 9, 4},
     {false, false, true, true, false, false, true},
     {1, 1, 1, 2, 1, 1, 1},
     {0, 0, 100, 200, 0, 0, 100},
     {0, 0, -100, 100, 100, 100, 200},
     SessionEnd::Data},
    {"the units wait through idle spins",
     "--rule last red => black=1\n--progression martingale",
     {1, 3, 0, 2, 5, 4},
     {false, true, true, false, false, true},
     {1, 1, 2, 4, 4, 4},
     {0, 100, 200, 0, 0, 400},
     {0, -100, -300, -300, -300, 100},
     SessionEnd::Data},
    {"max-spins counts idle spins",
     "--rule last red => black=1\n--max-spins 3",
     {1, 3, 0, 2},
     {false, true, true},
     {1, 1, 1},
     {0, 100, 100},
     {0, -100, -200},
     SessionEnd::Spins},
    {"stop-win before max-spins, before the rules",
     "--rule last red => black=1\n--stop-win 1\n--max-spins 2",
     {1, 2, 4},
     {false, true},
     {1, 1},
     {0, 100},
     {0, 100},
     SessionEnd::Win},
    {"stop-loss",
     "--rule last red => black=2\n--stop-loss 2",
     {1, 3, 5},
     {false, true},
     {1, 1},
     {0, 200},
     {0, -200},
     SessionEnd::Loss},
    {"the bankroll is checked against the next spin's bets, idle first spin or not",
     "--rule last red => black=2\n--bankroll 1",
     {2, 1, 3},
     {false, false},
     {1, 1},
     {0, 0},
     {0, 0},
     SessionEnd::Ruin},
    {"rules firing together are capped by the table maximum",
     "--rule last red => black=2\n--rule streak red >= 2 => black=1\n--progression martingale\n"
     "--table-max 5\n--at-limit cap",
     {1, 3, 5, 2},
     {false, true, true, true},
     {1, 1, 1, 1},
     {0, 200, 300, 300},
     {0, -200, -500, -200},
     SessionEnd::Data},
    {"reset cannot bring them under the table maximum: the session ends at its limit",
     "--rule last red => black=2\n--rule streak red >= 2 => black=1\n--table-max 2",
     {1, 3, 5},
     {false, true},
     {1, 1},
     {0, 200},
     {0, -200},
     SessionEnd::Limit},
    {"stop at the limit",
     "--rule last red => black=2\n--progression martingale\n--table-max 3\n--at-limit stop",
     {1, 3, 5},
     {false, true},
     {1, 1},
     {0, 200},
     {0, -200},
     SessionEnd::Limit},
};

TEST(SystemSession, HandWorkedSessionsKeepTheOrder) {
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const PlanTable table(SystemPlan(row.system));
        StrategySession session(table);
        std::vector<bool> played;
        std::vector<Units> units;
        std::vector<Cents> stakes, balances;
        for (Pocket p : row.pockets) {
            if (session.ended()) break;
            const SpinResult spin = session.Play(p);
            played.push_back(spin.played);
            units.push_back(spin.units);
            stakes.push_back(spin.stake);
            balances.push_back(session.balance());
        }
        session.EndForData();
        EXPECT_EQ(played, row.played);
        EXPECT_EQ(units, row.units);
        EXPECT_EQ(stakes, row.stakes);
        EXPECT_EQ(balances, row.balances);
        EXPECT_EQ(session.end(), row.end);
        EXPECT_EQ(session.spins(), static_cast<std::int64_t>(played.size()));
    }
}

TEST(SystemSession, ShowsTheNextSpinsBetsAndTheRulesThatGaveThem) {
    const PlanTable table(
        SystemPlan("--rule absent any douzaine >= 2 => that=1\n--rule last red => black=1\n"
                   "--progression martingale"));
    StrategySession session(table);
    EXPECT_TRUE(session.idle());
    EXPECT_EQ(session.nextStake(), 0);
    session.Play(2);
    EXPECT_TRUE(session.idle());
    session.Play(3);
    EXPECT_EQ(test::BetsText(session.nextBets()), "douzaine:2=1.00, douzaine:3=1.00, black=1.00");
    EXPECT_EQ(FiredRuleIndices(session.firedRules()), (std::vector<int>{0, 1}));
    EXPECT_EQ(session.nextStake(), 300);
    session.Play(13);  // douzaine:2 wins 3, black wins 2: +2 over 3 staked.
    EXPECT_EQ(session.balance(), 200);
    EXPECT_EQ(test::BetsText(session.nextBets()), "douzaine:3=1.00");
    EXPECT_EQ(FiredRuleIndices(session.firedRules()), (std::vector<int>{0}));
    // A copy goes on by itself.
    StrategySession copy = session;
    copy.Play(25);
    EXPECT_EQ(copy.balance(), 400);
    EXPECT_EQ(session.spins(), 3);
    EXPECT_EQ(test::BetsText(session.nextBets()), "douzaine:3=1.00");
}

TEST(SystemSession, AFirstSpinThatIsNotIdleNeedsTheBankroll) {
    const SystemParse parse = ParseSystem("--rule always => red=2\n--bankroll 1");
    const PlanBind bind = BindSystem(*parse.system, RouletteKind::French);
    ASSERT_TRUE(bind.error);
    EXPECT_EQ(SystemErrorMessage(*bind.error), "--bankroll 1.00 does not cover the first stake");
    // Rules that wait are checked as they fire instead.
    EXPECT_FALSE(BindSystem(*ParseSystem("--rule last red => red=2\n--bankroll 1").system,
                            RouletteKind::French)
                     .error);
}

TEST(SystemBacktest, ANewSessionDoesNotForgetTheWheel) {
    const PlanTable table(SystemPlan("--rule last black => black=1\n--stop-win 1"));
    const std::vector<std::uint8_t> pockets = {1, 2, 4, 6};
    const BacktestResult r = RunBacktest(table, pockets);
    // The second session stakes on its first spin: the draw before it was black.
    ASSERT_EQ(r.sessions.size(), 2u);
    EXPECT_EQ(r.sessions[0], (SessionSummary{0, 3, 100, 200, 100, 0, SessionEnd::Win}));
    EXPECT_EQ(r.sessions[1], (SessionSummary{3, 1, 100, 200, 100, 0, SessionEnd::Win}));
    EXPECT_EQ(r.spins, 4);
}

TEST(SystemBacktest, ASessionRuinedBeforeItsFirstSpinGivesWayToTheNextDraw) {
    const PlanTable table(
        SystemPlan("--rule last red => black=2\n--rule last red => red=1\n--bankroll 2"));
    const std::vector<std::uint8_t> pockets = {1, 3, 2, 5};
    std::vector<Cents> running;
    const BacktestResult r = RunBacktest(table, pockets, &running);
    ASSERT_EQ(r.sessions.size(), 4u);
    EXPECT_EQ(r.sessions[0], (SessionSummary{0, 1, 0, 0, 0, 0, SessionEnd::Ruin}));
    EXPECT_EQ(r.sessions[1], (SessionSummary{1, 0, 0, 0, 0, 0, SessionEnd::Ruin}));
    EXPECT_EQ(r.sessions[2], (SessionSummary{2, 0, 0, 0, 0, 0, SessionEnd::Ruin}));
    // Its first spin idle, it is ruined by the bets the red 5 calls for.
    EXPECT_EQ(r.sessions[3], (SessionSummary{3, 1, 0, 0, 0, 0, SessionEnd::Ruin}));
    EXPECT_EQ(r.ruined, 4);
    EXPECT_EQ(running.size(), pockets.size());
}

}  // namespace
}  // namespace spinalyst
