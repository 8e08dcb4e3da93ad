#include "core/betting/strategy_session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/betting/money.h"

namespace spinalyst {
namespace {

constexpr BetSlot red{BetKind::RougeNoir, 1};
constexpr BetSlot black{BetKind::RougeNoir, 2};
// Pockets by colour: R red, B black, Z zero.
constexpr Pocket R = 1, B = 2, Z = 0;

BettingPlan RedPlan(Progression progression, Cents base = 100) {
    BettingPlan plan;
    plan.kind = RouletteKind::French;
    plan.bets = {{red, base}};
    plan.progression.kind = progression;
    return plan;
}

struct Row {
    std::string name;
    BettingPlan plan;
    std::vector<Pocket> pockets;
    std::vector<Units> units;
    std::vector<Cents> stakes;
    std::vector<Cents> balances;
    SessionEnd end;
};

// Plays the pockets until the session ends; the rest of them are not played.
void ExpectRow(const Row& row) {
    SCOPED_TRACE(row.name);
    ASSERT_EQ(CheckPlan(row.plan), std::nullopt);
    const PlanTable table(row.plan);
    StrategySession session(table);
    std::vector<Units> units;
    std::vector<Cents> stakes, balances;
    for (Pocket p : row.pockets) {
        if (session.ended()) break;
        const SpinResult spin = session.Play(p);
        units.push_back(spin.units);
        stakes.push_back(spin.stake);
        balances.push_back(session.balance());
    }
    session.EndForData();
    EXPECT_EQ(units, row.units);
    EXPECT_EQ(stakes, row.stakes);
    EXPECT_EQ(balances, row.balances);
    EXPECT_EQ(session.end(), row.end);
}

BettingPlan With(BettingPlan plan, auto change) {
    change(plan);
    return plan;
}

TEST(StrategySession, EachProgressionFollowsItsRule) {
    const Row rows[] = {
        {"flat",
         RedPlan(Progression::Flat),
         {R, B, B, R},
         {1, 1, 1, 1},
         {100, 100, 100, 100},
         {100, 0, -100, 0},
         SessionEnd::Data},
        {"martingale doubles after a loss, back to 1 after a win",
         RedPlan(Progression::Martingale),
         {B, B, B, R, B, R},
         {1, 2, 4, 8, 1, 2},
         {100, 200, 400, 800, 100, 200},
         {-100, -300, -700, 100, 0, 200},
         SessionEnd::Data},
        {"grand martingale adds a unit to the double",
         RedPlan(Progression::GrandMartingale),
         {B, B, R, R},
         {1, 3, 7, 1},
         {100, 300, 700, 100},
         {-100, -400, 300, 400},
         SessionEnd::Data},
        {"d'Alembert one up, one down, never below 1",
         RedPlan(Progression::Dalembert),
         {B, B, R, R, R, R},
         {1, 2, 3, 2, 1, 1},
         {100, 200, 300, 200, 100, 100},
         {-100, -300, 0, 200, 300, 400},
         SessionEnd::Data},
        {"fibonacci one step on, two steps back",
         RedPlan(Progression::Fibonacci),
         {B, B, B, B, R, R, R},
         {1, 1, 2, 3, 5, 2, 1},
         {100, 100, 200, 300, 500, 200, 100},
         {-100, -200, -400, -700, -200, 0, 100},
         SessionEnd::Data},
        {"labouchere appends a loss, crosses off on a win, starts again when empty",
         RedPlan(Progression::Labouchere),
         {B, R, R, B, R, R},
         {5, 6, 6, 3, 6, 5},
         {500, 600, 600, 300, 600, 500},
         {-500, 100, 700, 400, 1000, 1500},
         SessionEnd::Data},
        {"paroli doubles a win, back to 1 after the third or a loss",
         RedPlan(Progression::Paroli),
         {R, R, R, R, B, R},
         {1, 2, 4, 1, 2, 1},
         {100, 200, 400, 100, 200, 100},
         {100, 300, 700, 800, 600, 700},
         SessionEnd::Data},
        {"sequence advancing on a loss wraps past its last entry",
         With(RedPlan(Progression::Sequence),
              [](BettingPlan& p) {
                  p.progression.sequence = {1, 2, 4};
              }),
         {B, B, B, B, R},
         {1, 2, 4, 1, 2},
         {100, 200, 400, 100, 200},
         {-100, -300, -700, -800, -600},
         SessionEnd::Data},
        {"sequence advancing on a win",
         With(RedPlan(Progression::Sequence),
              [](BettingPlan& p) {
                  p.progression.sequence = {1, 2, 4};
                  p.progression.advanceOn = AdvanceOn::Win;
              }),
         {R, R, R, B, R},
         {1, 2, 4, 1, 1},
         {100, 200, 400, 100, 100},
         {100, 300, 700, 600, 700},
         SessionEnd::Data},
        {"a push (red and black, a red pocket) changes nothing",
         With(RedPlan(Progression::Martingale),
              [](BettingPlan& p) {
                  p.bets.push_back({black, 100});
              }),
         {Z, R, B, Z, R},
         {1, 2, 2, 2, 4},
         {200, 400, 400, 400, 800},
         {-200, -200, -200, -600, -600},
         SessionEnd::Data},
        {"la partage gives back half the stake, rounded down to the cent",
         With(RedPlan(Progression::Martingale, 101),
              [](BettingPlan& p) { p.rules.laPartage = true; }),
         {Z, Z, R},
         {1, 2, 4},
         {101, 202, 404},
         {-51, -152, 252},
         SessionEnd::Data},
    };
    for (const Row& row : rows) ExpectRow(row);
}

TEST(StrategySession, MoneyRulesEndOrHoldTheSession) {
    const auto martingale = [](auto change) {
        return With(RedPlan(Progression::Martingale), change);
    };
    const Row rows[] = {
        {"stop-win once the balance reaches it",
         martingale([](BettingPlan& p) { p.rules.stopWin = 100; }),
         {B, B, R, R},
         {1, 2, 4},
         {100, 200, 400},
         {-100, -300, 100},
         SessionEnd::Win},
        {"stop-loss once the balance falls to minus it",
         With(RedPlan(Progression::Flat), [](BettingPlan& p) { p.rules.stopLoss = 250; }),
         {B, B, B, B},
         {1, 1, 1},
         {100, 100, 100},
         {-100, -200, -300},
         SessionEnd::Loss},
        {"max-spins",
         With(RedPlan(Progression::Flat), [](BettingPlan& p) { p.rules.maxSpins = 2; }),
         {R, R, R},
         {1, 1},
         {100, 100},
         {100, 200},
         SessionEnd::Spins},
        {"stop-win comes before max-spins on the same spin",
         martingale([](BettingPlan& p) {
             p.rules.stopWin = 100;
             p.rules.maxSpins = 1;
         }),
         {R, R},
         {1},
         {100},
         {100},
         SessionEnd::Win},
        {"ruin when the bankroll left cannot cover the next stake",
         martingale([](BettingPlan& p) { p.rules.bankroll = 700; }),
         {B, B, B, B},
         {1, 2, 4},
         {100, 200, 400},
         {-100, -300, -700},
         SessionEnd::Ruin},
        {"a bankroll left that covers the stake exactly plays on",
         martingale([](BettingPlan& p) { p.rules.bankroll = 1500; }),
         {B, B, B, R},
         {1, 2, 4, 8},
         {100, 200, 400, 800},
         {-100, -300, -700, 100},
         SessionEnd::Data},
        {"table maximum, reset: the progression starts again",
         martingale([](BettingPlan& p) { p.rules.tableMax = 400; }),
         {B, B, B, B},
         {1, 2, 4, 1},
         {100, 200, 400, 100},
         {-100, -300, -700, -800},
         SessionEnd::Data},
        {"table maximum, cap: the largest units that fit",
         martingale([](BettingPlan& p) {
             p.rules.tableMax = 550;
             p.rules.atLimit = AtLimit::Cap;
         }),
         {B, B, B, B, R, B},
         {1, 2, 4, 5, 5, 1},
         {100, 200, 400, 500, 500, 100},
         {-100, -300, -700, -1200, -700, -800},
         SessionEnd::Data},
        {"table maximum, stop",
         martingale([](BettingPlan& p) {
             p.rules.tableMax = 400;
             p.rules.atLimit = AtLimit::Stop;
         }),
         {B, B, B, B},
         {1, 2, 4},
         {100, 200, 400},
         {-100, -300, -700},
         SessionEnd::Limit},
        {"the limit comes before the ruin",
         martingale([](BettingPlan& p) {
             p.rules.tableMax = 150;
             p.rules.atLimit = AtLimit::Stop;
             p.rules.bankroll = 200;
         }),
         {B, B},
         {1},
         {100},
         {-100},
         SessionEnd::Limit},
        {"a reset that the bankroll cannot cover is a ruin",
         martingale([](BettingPlan& p) {
             p.rules.tableMax = 200;
             p.rules.bankroll = 450;
         }),
         {B, B, B, B},
         {1, 2, 1},
         {100, 200, 100},
         {-100, -300, -400},
         SessionEnd::Ruin},
        {"fibonacci reset goes back to step 0",
         With(RedPlan(Progression::Fibonacci), [](BettingPlan& p) { p.rules.tableMax = 200; }),
         {B, B, B, B, B},
         {1, 1, 2, 1, 1},
         {100, 100, 200, 100, 100},
         {-100, -200, -400, -500, -600},
         SessionEnd::Data},
        {"labouchere capped appends the units it staked",
         With(RedPlan(Progression::Labouchere),
              [](BettingPlan& p) {
                  p.rules.tableMax = 600;
                  p.rules.atLimit = AtLimit::Cap;
              }),
         {B, B, B, R, R, R, R},
         {5, 6, 6, 6, 6, 6, 4},
         {500, 600, 600, 600, 600, 600, 400},
         {-500, -1100, -1700, -1100, -500, 100, 500},
         SessionEnd::Data},
        {"paroli at the table maximum, reset",
         With(RedPlan(Progression::Paroli), [](BettingPlan& p) { p.rules.tableMax = 300; }),
         {R, R, R},
         {1, 2, 1},
         {100, 200, 100},
         {100, 300, 400},
         SessionEnd::Data},
    };
    for (const Row& row : rows) ExpectRow(row);
}

TEST(StrategySession, LowestBalanceAndBankrollLeft) {
    BettingPlan plan = RedPlan(Progression::Martingale);
    plan.rules.bankroll = 1000;
    const PlanTable table(plan);
    StrategySession session(table);
    EXPECT_EQ(session.lowest(), 0);
    EXPECT_EQ(session.bankrollLeft(), 1000);
    for (Pocket p : {R, B, B, R}) session.Play(p);
    EXPECT_EQ(session.balance(), 200);
    EXPECT_EQ(session.lowest(), -200);
    EXPECT_EQ(session.bankrollLeft(), 1200);
    EXPECT_EQ(session.staked(), 800);
    EXPECT_EQ(session.won(), 1000);
    // A session that never went below keeps 0 as its lowest.
    StrategySession lucky(table);
    lucky.Play(R);
    EXPECT_EQ(lucky.lowest(), 0);
}

TEST(StrategySession, PlansThatCannotStartAreRefused) {
    const auto plan = [](auto change) { return With(RedPlan(Progression::Martingale), change); };
    const struct {
        std::string name;
        BettingPlan plan;
        PlanError error;
    } cases[] = {
        {"no bet", plan([](BettingPlan& p) { p.bets.clear(); }), PlanError::NoBets},
        {"zero stake", plan([](BettingPlan& p) { p.bets[0].stake = 0; }), PlanError::BadBet},
        {"slot twice", plan([](BettingPlan& p) {
             p.bets.push_back({red, 100});
         }),
         PlanError::BadBet},
        {"no 00 on the French table", plan([](BettingPlan& p) {
             p.bets.push_back({{BetKind::Plein, DoubleZero}, 100});
         }),
         PlanError::BadBet},
        {"empty line", plan([](BettingPlan& p) {
             p.progression.kind = Progression::Labouchere;
             p.progression.line.clear();
         }),
         PlanError::BadLine},
        {"a zero in the sequence", plan([](BettingPlan& p) {
             p.progression.kind = Progression::Sequence;
             p.progression.sequence = {1, 0};
         }),
         PlanError::BadSequence},
        {"negative stop-loss", plan([](BettingPlan& p) { p.rules.stopLoss = -5; }),
         PlanError::BadAmount},
        {"table maximum above the table's own",
         plan([](BettingPlan& p) { p.rules.tableMax = maxSlotStake + 1; }), PlanError::BadAmount},
        {"max-spins 0", plan([](BettingPlan& p) { p.rules.maxSpins = 0; }), PlanError::BadMaxSpins},
        {"la partage on the American table", plan([](BettingPlan& p) {
             p.kind = RouletteKind::American;
             p.rules.laPartage = true;
         }),
         PlanError::LaPartageNotFrench},
        {"base above the table maximum", plan([](BettingPlan& p) { p.rules.tableMax = 99; }),
         PlanError::BaseAboveTableMax},
        {"labouchere's first units above the table maximum", plan([](BettingPlan& p) {
             p.progression.kind = Progression::Labouchere;
             p.rules.tableMax = 400;
         }),
         PlanError::StartAboveTableMax},
        {"bankroll below the first stake", plan([](BettingPlan& p) {
             p.bets.push_back({black, 100});
             p.rules.bankroll = 199;
         }),
         PlanError::BankrollBelowFirstStake},
    };
    for (const auto& c : cases) EXPECT_EQ(CheckPlan(c.plan), c.error) << c.name;
    // The edges themselves are allowed.
    EXPECT_EQ(CheckPlan(plan([](BettingPlan& p) {
                  p.rules.tableMax = 100;
                  p.rules.bankroll = 100;
              })),
              std::nullopt);
}

TEST(StrategySession, LabouchereLineAfterCrossingOff) {
    BettingPlan plan = RedPlan(Progression::Labouchere);
    plan.progression.line = {1, 2, 3, 4, 5};
    const PlanTable table(plan);
    StrategySession session(table);
    for (Pocket p : {R, B, R}) session.Play(p);
    // 1..5 less 1 and 5 gives 2 3 4; a loss of 6 appends it; a win crosses off 2 and 6.
    const auto line = session.progression().line();
    EXPECT_EQ(std::vector<Units>(line.begin(), line.end()), (std::vector<Units>{3, 4}));
    EXPECT_EQ(session.units(), 7);
    // A single entry is staked alone.
    plan.progression.line = {3};
    const PlanTable single(plan);
    EXPECT_EQ(StrategySession(single).units(), 3);
}

}  // namespace
}  // namespace spinalyst
