#include "core/betting/table_plan.h"

#include <gtest/gtest.h>

namespace spinalyst {
namespace {

const BetSlot red{BetKind::RougeNoir, 1};
const BetSlot seventeen{BetKind::Plein, 17};

std::vector<BetSlot> Slots(const std::optional<BettingPlan>& plan) {
    std::vector<BetSlot> slots;
    if (plan)
        for (const PlacedBet& bet : plan->bets) slots.push_back(bet.slot);
    return slots;
}

// The lab plays the live session's bets while it runs, else the chips on the table, else the
// last session's bets on a table of the same kind; and nothing when there is none.
TEST(TablePlan, TakesTheBetsFromTheLiveSessionTheTableOrTheLastSession) {
    PlanSettings saved;
    saved.progression = Progression::Martingale;
    BetLedger ledger(RouletteKind::French);
    EXPECT_EQ(PlanOfTheTable(ledger, RouletteKind::French, saved), std::nullopt);

    ASSERT_TRUE(ledger.AddStake(red, 100));
    const auto table = PlanOfTheTable(ledger, RouletteKind::French, saved);
    ASSERT_TRUE(table);
    EXPECT_EQ(Slots(table), std::vector<BetSlot>{red});
    EXPECT_EQ(table->progression.kind, Progression::Martingale);

    ProgressionSettings martingale;
    martingale.kind = Progression::Martingale;
    ASSERT_EQ(ledger.StartPlan(martingale, {}, 1), std::nullopt);
    // A session's chips hold the table: its base bets are played.
    EXPECT_EQ(Slots(PlanOfTheTable(ledger, RouletteKind::French, saved)),
              std::vector<BetSlot>{red});
    ledger.StopPlan();
    ledger.ClearBets();
    EXPECT_EQ(Slots(PlanOfTheTable(ledger, RouletteKind::French, saved)),
              std::vector<BetSlot>{red});
    ledger.NewGame(RouletteKind::American);
    EXPECT_EQ(PlanOfTheTable(ledger, RouletteKind::American, saved), std::nullopt);
    ASSERT_TRUE(ledger.AddStake(seventeen, 100));
    EXPECT_EQ(Slots(PlanOfTheTable(ledger, RouletteKind::American, saved)),
              std::vector<BetSlot>{seventeen});
}

TEST(TablePlan, LaPartageIsPlayedOnTheFrenchTableOnly) {
    PlanSettings saved;
    saved.rules.laPartage = true;
    saved.rules.maxSpins = 50;
    for (const RouletteKind kind :
         {RouletteKind::French, RouletteKind::American, RouletteKind::NoZero}) {
        BetLedger ledger(kind);
        ASSERT_TRUE(ledger.AddStake(red, 100));
        const auto plan = PlanOfTheTable(ledger, kind, saved, 7);
        ASSERT_TRUE(plan);
        EXPECT_EQ(plan->rules.laPartage, kind == RouletteKind::French);
        EXPECT_EQ(plan->rules.maxSpins, std::optional<std::int64_t>(7));
        EXPECT_EQ(RulesForKind(saved.rules, kind).laPartage, kind == RouletteKind::French);
    }
}

}  // namespace
}  // namespace spinalyst
