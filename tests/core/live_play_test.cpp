#include "core/betting/live_play.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/betting/bet_ledger.h"
#include "core/betting/betting_game.h"
#include "core/draws/game.h"

namespace spinalyst {
namespace {

constexpr BetSlot red{BetKind::RougeNoir, 1};
constexpr BetSlot plein17{BetKind::Plein, 17};
constexpr Pocket R = 1, B = 2;

ProgressionSettings Martingale() {
    ProgressionSettings p;
    p.kind = Progression::Martingale;
    return p;
}

struct Table {
    Game game{RouletteKind::French};
    BetLedger ledger{RouletteKind::French};

    std::optional<PlanError> Start(const ProgressionSettings& p, const MoneyRules& rules) {
        return ledger.StartPlan(p, rules, game.drawCount() + 1);
    }
    void Draw(Pocket p) { ASSERT_TRUE(AddDraw(game, ledger, p)); }
    void Undo() { ASSERT_TRUE(UndoDraw(game, ledger)); }
};

TEST(LivePlay, ChipsFollowTheProgressionAndUndoRestoresIt) {
    Table t;
    ASSERT_TRUE(t.ledger.AddStake(red, 100));
    MoneyRules rules;
    rules.bankroll = 700;
    ASSERT_EQ(t.Start(Martingale(), rules), std::nullopt);
    // Stake on red, units and bankroll left before each spin, as a player counts them.
    struct Step {
        Pocket pocket;
        Cents stakeAfter;
        Units unitsAfter;
        Cents bankrollAfter;
    } steps[] = {{B, 200, 2, 600}, {B, 400, 4, 400}, {R, 100, 1, 800}, {B, 200, 2, 700}};
    for (const Step& s : steps) {
        t.Draw(s.pocket);
        EXPECT_EQ(t.ledger.stake(red), s.stakeAfter);
        EXPECT_EQ(t.ledger.live().session()->units(), s.unitsAfter);
        EXPECT_EQ(t.ledger.live().session()->bankrollLeft(), s.bankrollAfter);
    }
    // The history shows what each draw staked.
    EXPECT_EQ(t.ledger.history().stake(0), 100);
    EXPECT_EQ(t.ledger.history().stake(2), 400);
    EXPECT_EQ(t.ledger.balance(), 0);

    // Every undo gives back the state before its draw, exactly.
    for (int i = 3; i >= 0; --i) {
        t.Undo();
        const Cents expectedStake = i == 0 ? 100 : steps[i - 1].stakeAfter;
        EXPECT_EQ(t.ledger.stake(red), expectedStake) << i;
        EXPECT_EQ(t.ledger.live().session()->spins(), i);
    }
    EXPECT_TRUE(t.ledger.live().running());
    EXPECT_EQ(t.ledger.balance(), 0);
}

TEST(LivePlay, AnEndedSessionTakesTheChipsOffAndWaits) {
    Table t;
    ASSERT_TRUE(t.ledger.AddStake(red, 100));
    ASSERT_TRUE(t.ledger.AddStake(plein17, 50));
    MoneyRules rules;
    rules.stopWin = 100;
    ASSERT_EQ(t.Start(Martingale(), rules), std::nullopt);
    t.Draw(B);
    EXPECT_EQ(t.ledger.stake(red), 200);
    EXPECT_EQ(t.ledger.stake(plein17), 100);
    // While the plan runs the chips are its own.
    EXPECT_FALSE(t.ledger.ClickTable(55, 23, MouseButton::Left));
    EXPECT_FALSE(t.ledger.AddStake(red, 100));
    t.Draw(R);  // 4,00 back for 3,00 staked, after -1,50
    EXPECT_EQ(t.ledger.balance(), -50);
    t.Draw(17);  // one unit again: 0,50 on 17 pays 18,00
    EXPECT_EQ(t.ledger.live().session()->end(), SessionEnd::Win);
    EXPECT_EQ(t.ledger.placedCount(), 0);
    EXPECT_FALSE(t.ledger.live().running());
    EXPECT_TRUE(t.ledger.live().active());
    // Draws while it waits settle nothing.
    t.Draw(R);
    EXPECT_EQ(t.ledger.history().size(), 3u);

    // Undoing the draw that ended it brings the session and its chips back.
    t.Undo();
    t.Undo();
    EXPECT_TRUE(t.ledger.live().running());
    EXPECT_EQ(t.ledger.live().session()->spins(), 2);
    EXPECT_EQ(t.ledger.stake(red), 100);
    EXPECT_EQ(t.ledger.stake(plein17), 50);
    t.Draw(17);
    t.Draw(R);

    // The next session starts from the last plan's base bets, with a fresh bankroll.
    ASSERT_EQ(t.Start(Martingale(), rules), std::nullopt);
    EXPECT_EQ(t.ledger.stake(red), 100);
    EXPECT_EQ(t.ledger.stake(plein17), 50);
    EXPECT_EQ(t.ledger.live().firstDraw(), 5);
    t.Draw(B);
    // Taken back to before its start, the ended session is the newest again.
    t.Undo();
    t.Undo();
    EXPECT_EQ(t.ledger.live().firstDraw(), 1);
    EXPECT_EQ(t.ledger.live().session()->end(), SessionEnd::Win);
    EXPECT_EQ(t.ledger.placedCount(), 0);
}

TEST(LivePlay, StopGivesTheBaseBetsBack) {
    Table t;
    ASSERT_TRUE(t.ledger.AddStake(red, 100));
    ASSERT_EQ(t.Start(Martingale(), {}), std::nullopt);
    t.Draw(B);
    t.Draw(B);
    EXPECT_EQ(t.ledger.stake(red), 400);
    t.ledger.StopPlan();
    EXPECT_FALSE(t.ledger.live().active());
    EXPECT_EQ(t.ledger.stake(red), 100);
    t.Draw(B);
    EXPECT_EQ(t.ledger.stake(red), 100);
    EXPECT_TRUE(t.ledger.AddStake(red, 100));
}

TEST(LivePlay, PlansThatCannotStartChangeNothing) {
    Table t;
    EXPECT_EQ(t.Start(Martingale(), {}), PlanError::NoBets);
    ASSERT_TRUE(t.ledger.AddStake(red, 100));
    MoneyRules rules;
    rules.bankroll = 50;
    EXPECT_EQ(t.Start(Martingale(), rules), PlanError::BankrollBelowFirstStake);
    EXPECT_FALSE(t.ledger.live().active());
    EXPECT_TRUE(t.ledger.AddStake(red, 100));
}

TEST(LivePlay, LaPartageOnTheTableAndInTheHistory) {
    Table t;
    ASSERT_TRUE(t.ledger.AddStake(red, 101));
    MoneyRules rules;
    rules.laPartage = true;
    ASSERT_EQ(t.Start(Martingale(), rules), std::nullopt);
    t.Draw(0);
    EXPECT_EQ(t.ledger.drawWin(), 50);
    EXPECT_EQ(t.ledger.history().win(0), 50);
    EXPECT_EQ(t.ledger.balance(), -51);
    EXPECT_EQ(t.ledger.stake(red), 202);
}

TEST(LivePlay, RandomBatchesSettleEachDrawWithItsOwnStakes) {
    Table t;
    ASSERT_TRUE(t.ledger.AddStake(red, 100));
    ASSERT_EQ(t.Start(Martingale(), {}), std::nullopt);
    RandomSource rng(4);
    AppendRandomDraws(t.game, t.ledger, rng, 500);
    // The same draws one by one through a session of the same plan.
    BettingPlan plan;
    plan.bets = {{red, 100}};
    plan.progression = Martingale();
    const PlanTable table(plan);
    StrategySession session(table);
    for (std::uint8_t p : t.game.log().draws()) session.Play(p);
    EXPECT_EQ(t.ledger.balance(), session.balance());
    EXPECT_EQ(t.ledger.stake(red), 100 * session.units());
    EXPECT_EQ(t.ledger.history().size(), 500u);
}

}  // namespace
}  // namespace spinalyst
