#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/betting/backtest.h"
#include "core/betting/bet_ledger.h"
#include "core/betting/betting_game.h"
#include "core/betting/stakes_note.h"
#include "core/draws/game.h"
#include "core/draws/random_source.h"
#include "system_support.h"

namespace spinalyst {
namespace {

// The chips on the table, as "douzaine:3=1.00", in stake-table order.
std::string Chips(const BetLedger& ledger) {
    std::string text;
    for (const PlacedBet& bet : ledger.placedBets())
        text +=
            (text.empty() ? "" : ", ") + SlotName(bet.slot) + '=' + FormatAmount(bet.stake, '.');
    return text;
}

struct Table {
    Game game{RouletteKind::French};
    BetLedger ledger{RouletteKind::French};
    void Draw(Pocket p) { ASSERT_TRUE(AddDraw(game, ledger, p)); }
    void Undo() { ASSERT_TRUE(UndoDraw(game, ledger)); }
};

TEST(LiveSystem, ChipsMoveToTheLateDozenAndUndoTakesThemBack) {
    Table t;
    // The rules see the draws before the start.
    for (Pocket p : {1, 2}) t.Draw(p);
    ASSERT_EQ(t.ledger.StartSystem(test::SystemPlan("--rule absent any douzaine >= 3 => that=1\n"
                                                    "--progression martingale"),
                                   t.game.log().draws()),
              std::nullopt);
    EXPECT_TRUE(t.ledger.planHoldsTable());
    EXPECT_EQ(Chips(t.ledger), "");
    // The chips before each next spin, the balance after each draw, the rules that fired.
    struct Step {
        Pocket pocket;
        const char* chips;
        Cents balance;
    } steps[] = {
        {13, "douzaine:3=1.00", 0},                     // 1, 2, 13: the third dozen sleeps.
        {14, "douzaine:3=2.00", -100},                  // lost: Martingale doubles.
        {0, "douzaine:1=4.00, douzaine:3=4.00", -300},  // 13, 14, 0: two dozens sleep.
        {3, "douzaine:3=1.00", 100},                    // the first dozen pays 12 for 8.
        {25, "douzaine:2=1.00", 300},                   // 0, 3, 25: the second sleeps.
        {14, "", 500},                                  // 3, 25, 14: none sleeps; idle.
        {30, "douzaine:1=1.00", 500},                   // the idle spin moved nothing.
    };
    std::vector<std::string> chips;
    std::vector<Cents> balances;
    for (const Step& s : steps) {
        t.Draw(s.pocket);
        chips.push_back(Chips(t.ledger));
        balances.push_back(t.ledger.balance());
        EXPECT_EQ(t.ledger.live().firedRules() != 0, *s.chips != '\0') << s.pocket;
    }
    std::vector<std::string> expectedChips;
    std::vector<Cents> expectedBalances;
    for (const Step& s : steps) {
        expectedChips.push_back(s.chips);
        expectedBalances.push_back(s.balance);
    }
    EXPECT_EQ(chips, expectedChips);
    EXPECT_EQ(balances, expectedBalances);
    // The idle spin left no record: the history holds the draws that staked.
    EXPECT_EQ(t.ledger.history().size(), 5u);

    // Each undo gives back the table before its draw, idle spins too.
    for (int i = static_cast<int>(std::size(steps)) - 2; i >= 0; --i) {
        t.Undo();
        EXPECT_EQ(Chips(t.ledger), expectedChips[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(t.ledger.balance(), expectedBalances[static_cast<std::size_t>(i)]) << i;
    }
    t.Undo();
    EXPECT_EQ(Chips(t.ledger), "");
    EXPECT_TRUE(t.ledger.planHoldsTable());
}

TEST(LiveSystem, PlaysAsTheBacktestOfTheSameDraws) {
    // Live play and the backtest are one engine: the same draws give the same balance.
    const char* system =
        "--rule last any colonne => that=1\n--rule streak red >= 2 => black=2\n"
        "--progression fibonacci\n--la-partage";
    Table t;
    ASSERT_EQ(t.ledger.StartSystem(test::SystemPlan(system), t.game.log().draws()), std::nullopt);
    RandomSource rng(5);
    AppendRandomDraws(t.game, t.ledger, rng, 400);
    const PlanTable table(test::SystemPlan(system));
    const BacktestResult backtest = RunBacktest(table, t.game.log().draws());
    ASSERT_EQ(backtest.sessions.size(), 1u);
    EXPECT_EQ(t.ledger.balance(), backtest.balance);
    EXPECT_EQ(t.ledger.live().session()->spins(), 400);
    // The game keeps each draw's stakes, so that it reads back as it was played.
    BetLedger replayed(RouletteKind::French);
    ReplayBets(t.game, replayed);
    EXPECT_EQ(replayed.balance(), t.ledger.balance());
}

}  // namespace
}  // namespace spinalyst
