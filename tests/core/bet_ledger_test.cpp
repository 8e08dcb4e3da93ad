#include "core/betting/bet_ledger.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/betting/betting_game.h"
#include "core/draws/random_source.h"

namespace spinalyst {
namespace {

using Stakes = std::vector<std::pair<BetSlot, Cents>>;

BetLedger LedgerWith(RouletteKind kind, const Stakes& stakes) {
    BetLedger ledger(kind);
    for (const auto& [slot, amount] : stakes) EXPECT_TRUE(ledger.AddStake(slot, amount));
    return ledger;
}

TEST(BetPlacement, ChipsFollowTheClicks) {
    BetLedger ledger(RouletteKind::French);
    for (int i = 0; i < 3; ++i) ledger.ClickTable(55, 23, MouseButton::Left);
    const BetSlot plein3{BetKind::Plein, 3};
    EXPECT_EQ(ledger.stake(plein3), 300);
    EXPECT_EQ(chipDenominations[ChipFace(ledger.stake(plein3))].value, 200);
    EXPECT_EQ(ChipStakeText(ledger.stake(plein3)), "3,00");

    // A click on the chip goes to the chip, even where the picture beneath is another area.
    EXPECT_EQ(ledger.ClickTable(55, 30, MouseButton::Left), plein3);
    EXPECT_EQ(ledger.stake(plein3), 400);
    EXPECT_EQ(ledger.ClickTable(55, 42, MouseButton::Left), (BetSlot{BetKind::Cheval, 2}));

    // The middle button changes nothing; the right one does nothing on the bare picture.
    ledger.ClickTable(55, 23, MouseButton::Middle);
    ledger.ClickTable(216, 176, MouseButton::Right);
    EXPECT_EQ(ledger.stake(plein3), 400);
    EXPECT_EQ(ledger.placedCount(), 2);
    EXPECT_EQ(ledger.totalStake(), 500);

    // Taking off more than the stake leaves 0 and removes the chip.
    ASSERT_TRUE(ledger.SetChipValue(500));
    EXPECT_EQ(ledger.ClickTable(55, 23, MouseButton::Right), plein3);
    EXPECT_EQ(ledger.stake(plein3), 0);
    EXPECT_EQ(std::vector<BetSlot>(ledger.chips().begin(), ledger.chips().end()),
              (std::vector<BetSlot>{{BetKind::Cheval, 2}}));
    EXPECT_EQ(ledger.totalStake(), 100);

    EXPECT_FALSE(ledger.SetChipValue(0));
    EXPECT_EQ(ledger.chipValue(), 500);
    EXPECT_FALSE(ledger.ClickTable(150, 61, MouseButton::Left));
}

TEST(BetPlacement, NeighboursReceiveTheClickInWheelOrder) {
    struct Case {
        RouletteKind kind;
        TablePoint click;
        int n;
        std::vector<Pocket> chips;
    } cases[] = {
        {RouletteKind::French, {19, 61}, 2, {0, 32, 15, 3, 26}},
        {RouletteKind::NoZero, {451, 23}, 1, {36, 11, 13}},
        {RouletteKind::NoZero, {343, 61}, 1, {26, 32, 3}},
        {RouletteKind::American, {19, 30}, 1, {DoubleZero, 27, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(KindName(c.kind));
        BetLedger ledger(c.kind);
        ledger.ClickTable(c.click.x, c.click.y, MouseButton::Left, c.n);
        std::vector<Pocket> chips;
        for (BetSlot s : ledger.chips()) {
            EXPECT_EQ(s.kind, BetKind::Plein);
            EXPECT_EQ(ledger.stake(s), 100);
            chips.push_back(s.index);
        }
        EXPECT_EQ(chips, c.chips);

        // A right click takes off the clicked chip only.
        ledger.ClickTable(c.click.x, c.click.y, MouseButton::Right, c.n);
        EXPECT_EQ(ledger.placedCount(), static_cast<int>(c.chips.size()) - 1);
        EXPECT_EQ(ledger.stake({BetKind::Plein, c.chips.front()}), 0);
    }
}

TEST(BetPlacement, AddedStakesStayOnTheKindsTableAndWithinTheLimit) {
    BetLedger american(RouletteKind::American);
    EXPECT_FALSE(american.AddStake({BetKind::Cheval, 58}, 100));
    EXPECT_FALSE(american.AddStake({BetKind::Plein, 38}, 100));
    EXPECT_FALSE(american.AddStake({BetKind::Plein, 1}, 0));
    EXPECT_TRUE(american.AddStake({BetKind::Plein, DoubleZero}, 100));
    EXPECT_TRUE(american.AddStake({BetKind::Plein, DoubleZero}, 150, 1));
    EXPECT_EQ(american.stake({BetKind::Plein, DoubleZero}), 250);
    EXPECT_EQ(american.stake({BetKind::Plein, 27}), 150);
    EXPECT_FALSE(american.AddStake({BetKind::Plein, 1}, maxSlotStake - 100, 1));
    EXPECT_EQ(american.stake({BetKind::Plein, 1}), 150);  // refused as a whole
    EXPECT_EQ(american.totalStake(), 550);

    BetLedger french(RouletteKind::French);
    ASSERT_TRUE(french.AddStake({BetKind::Plein, 7}, maxSlotStake - 50));
    EXPECT_TRUE(french.LeftClickPassesCap({BetKind::Plein, 7}));
    french.ClickTable(127, 99, MouseButton::Left);
    EXPECT_EQ(french.stake({BetKind::Plein, 7}), maxSlotStake);
    EXPECT_TRUE(french.LeftClickPassesCap({BetKind::Plein, 7}));
    // The neighbours count too: 28 lies next to 7 on the French wheel.
    EXPECT_FALSE(french.LeftClickPassesCap({BetKind::Plein, 28}));
    EXPECT_TRUE(french.LeftClickPassesCap({BetKind::Plein, 28}, 1));
    EXPECT_FALSE(french.LeftClickPassesCap({BetKind::Cheval, 28}, 1));
    EXPECT_FALSE(french.LeftClickPassesCap({BetKind::Plein, 37}));
    // A chip that just reaches the limit does not pass it.
    ASSERT_TRUE(french.AddStake({BetKind::Plein, 1}, maxSlotStake - 100));
    EXPECT_FALSE(french.LeftClickPassesCap({BetKind::Plein, 1}));
    ASSERT_TRUE(french.SetChipValue(101));
    EXPECT_TRUE(french.LeftClickPassesCap({BetKind::Plein, 1}));
}

// What the pointer hovers is what a click there lands on, chips first.
TEST(BetPlacement, TheHoveredSlotIsTheClickedOne) {
    for (RouletteKind kind : allKinds) {
        SCOPED_TRACE(KindName(kind));
        BetLedger ledger(kind);
        for (TablePoint p : {TablePoint{55, 23}, {73, 42}, {73, 4}, {19, 30}, {490, 61}})
            ledger.ClickTable(p.x, p.y, MouseButton::Left);
        for (int x = -2; x < tablePictureWidth + 2; ++x)
            for (int y = -2; y < tablePictureHeight + 2; ++y) {
                BetLedger clicked = ledger;
                ASSERT_EQ(ledger.SlotAt(x, y), clicked.ClickTable(x, y, MouseButton::Middle))
                    << x << "," << y;
            }
    }
}

TEST(Settlement, PaysEachBetByItsCoverage) {
    struct Case {
        RouletteKind kind;
        Stakes stakes;
        Pocket drawn;
        Cents stake, win;
    } cases[] = {
        {RouletteKind::French, {{{BetKind::Plein, 17}, 100}}, 17, 100, 3600},
        {RouletteKind::French, {{{BetKind::Plein, 17}, 100}}, 0, 100, 0},
        {RouletteKind::French,
         {{{BetKind::RougeNoir, 1}, 100}, {{BetKind::RougeNoir, 2}, 100}},
         0,
         200,
         0},
        {RouletteKind::American,
         {{{BetKind::RougeNoir, 1}, 100}, {{BetKind::RougeNoir, 2}, 100}},
         DoubleZero,
         200,
         0},
        {RouletteKind::French, {{{BetKind::PairImpair, 1}, 100}}, 17, 100, 0},
        {RouletteKind::French, {{{BetKind::PairImpair, 1}, 100}}, 18, 100, 200},
        {RouletteKind::French, {{{BetKind::Transversale, 13}, 100}}, 1, 100, 1200},
        {RouletteKind::American, {{{BetKind::Plein, DoubleZero}, 250}}, DoubleZero, 250, 9000},
        {RouletteKind::French,
         {{{BetKind::Carre, 23}, 100}, {{BetKind::Cheval, 59}, 100}, {{BetKind::Douzaine, 1}, 100}},
         2,
         300,
         900 + 1800 + 300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << KindName(c.kind) << " draw " << c.drawn);
        BetLedger ledger = LedgerWith(c.kind, c.stakes);
        ASSERT_TRUE(ledger.SettleBets(1, c.drawn));
        ASSERT_EQ(ledger.history().size(), 1u);
        EXPECT_EQ(ledger.history().stake(0), c.stake);
        EXPECT_EQ(ledger.history().win(0), c.win);
        EXPECT_EQ(ledger.drawWin(), c.win);
        EXPECT_EQ(ledger.balance(), c.win - c.stake);
        EXPECT_EQ(ledger.history().balance(0), c.win - c.stake);
    }
}

TEST(Settlement, BetsStayPlacedUntilCleared) {
    BetLedger ledger(RouletteKind::French);
    EXPECT_FALSE(ledger.SettleBets(1, 17));  // nothing placed: no record, balance unchanged
    ledger.AddStake({BetKind::Plein, 17}, 100);
    ledger.AddStake({BetKind::RougeNoir, 2}, 200);
    for (int n = 2; n <= 4; ++n) ledger.SettleBets(n, 17);
    EXPECT_EQ(ledger.balance(), 3 * (3600 + 400 - 300));
    ledger.ClearBets();
    EXPECT_EQ(ledger.placedCount(), 0);
    EXPECT_TRUE(ledger.chips().empty());
    EXPECT_FALSE(ledger.SettleBets(5, 17));
    EXPECT_EQ(ledger.history().size(), 3u);
    EXPECT_EQ(ledger.balance(), 3 * 3700);
}

// Draw 1 with two bets, draw 2 with the same, draw 3 with one bet, draw 4 without any.
BetLedger MixedHistory() {
    BetLedger ledger(RouletteKind::French);
    ledger.AddStake({BetKind::Plein, 5}, 100);
    ledger.AddStake({BetKind::Colonne, 2}, 300);
    ledger.SettleBets(1, 5);
    ledger.SettleBets(2, 2);
    ledger.ClickTable(55, 61, MouseButton::Left);  // a third bet, taken off again
    ledger.ClickTable(55, 61, MouseButton::Right);
    ledger.ClickTable(490, 61, MouseButton::Right);
    ledger.ClickTable(490, 61, MouseButton::Right);
    ledger.ClickTable(490, 61, MouseButton::Right);
    ledger.SettleBets(3, 0);
    ledger.ClearBets();
    ledger.SettleBets(4, 9);
    return ledger;
}

TEST(History, RowsRunNewestFirstWithBetRowsUnderTheirSummary) {
    const BetLedger ledger = MixedHistory();
    const BetHistory& history = ledger.history();
    ASSERT_EQ(history.size(), 3u);
    EXPECT_EQ(history.drawNumber(2), 3);
    EXPECT_EQ(history.pocket(2), 0);
    EXPECT_EQ(history.bets(0).size(), 2u);
    EXPECT_EQ(history.bets(1)[1], (PlacedBet{{BetKind::Colonne, 2}, 300}));
    EXPECT_EQ(history.bets(2).size(), 1u);
    const Cents balances[] = {4100, 4600, 4500};
    for (std::size_t r = 0; r < 3; ++r) EXPECT_EQ(history.balance(r), balances[r]) << r;

    const std::vector<HistoryRow> expanded = {{2, -1}, {2, 0},  {1, -1}, {1, 1},
                                              {1, 0},  {0, -1}, {0, 1},  {0, 0}};
    ASSERT_EQ(history.rowCount(true), expanded.size());
    for (std::size_t i = 0; i < expanded.size(); ++i)
        EXPECT_EQ(history.row(i, true), expanded[i]) << i;
    ASSERT_EQ(history.rowCount(false), 3u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(history.row(i, false), (HistoryRow{2 - i, -1}));
}

TEST(History, UndoRestoresTheBalanceOfTheNewestRemainingRecord) {
    BetLedger ledger = MixedHistory();
    ledger.UndoDraw(4);  // settled nothing: no record goes
    EXPECT_EQ(ledger.history().size(), 3u);
    EXPECT_EQ(ledger.balance(), 4500);
    ledger.UndoDraw(3);
    EXPECT_EQ(ledger.history().size(), 2u);
    EXPECT_EQ(ledger.balance(), 4600);
    EXPECT_EQ(ledger.drawWin(), 900);
    EXPECT_EQ(ledger.history().rowCount(true), 6u);

    // The bets stay as they were; the next draw is settled with them and counted on.
    ledger.AddStake({BetKind::Plein, 5}, 100);
    ledger.SettleBets(3, 5);
    ASSERT_EQ(ledger.history().bets(2).size(), 1u);
    EXPECT_EQ(ledger.history().bets(2)[0], (PlacedBet{{BetKind::Plein, 5}, 100}));
    EXPECT_EQ(ledger.balance(), 4600 + 3500);
    EXPECT_EQ(ledger.history().row(1, true), (HistoryRow{2, 0}));

    for (int n = 3; n >= 1; --n) ledger.UndoDraw(n);
    EXPECT_TRUE(ledger.history().empty());
    EXPECT_EQ(ledger.history().rowCount(true), 0u);
    EXPECT_EQ(ledger.balance(), 0);
    EXPECT_EQ(ledger.placedCount(), 1);
}

TEST(BettingGame, DrawsUndoAndNewGamesKeepLogAndLedgerInStep) {
    Game game(RouletteKind::American);
    BetLedger ledger(RouletteKind::American);
    ledger.AddStake({BetKind::Plein, DoubleZero}, 100);
    ledger.AddStake({BetKind::Douzaine, 1}, 100);
    EXPECT_FALSE(AddDraw(game, ledger, 38));
    EXPECT_TRUE(AddDraw(game, ledger, DoubleZero));
    RandomSource rng(7);
    EXPECT_EQ(AppendRandomDraws(game, ledger, rng, 5000), 5000);
    ASSERT_EQ(ledger.history().size(), 5001u);

    // The batch settles exactly as the same draws one by one.
    Game replay(RouletteKind::American);
    BetLedger replayLedger = ledger;
    replayLedger.NewGame(RouletteKind::American);
    replayLedger.AddStake({BetKind::Plein, DoubleZero}, 100);
    replayLedger.AddStake({BetKind::Douzaine, 1}, 100);
    for (std::uint8_t p : game.log().draws()) AddDraw(replay, replayLedger, p);
    const BetLedger copy = ledger;
    for (std::size_t r = 0; r < 5001; ++r) {
        ASSERT_EQ(ledger.history().drawNumber(r), static_cast<int>(r) + 1);
        ASSERT_EQ(ledger.history().balance(r), replayLedger.history().balance(r)) << r;
        ASSERT_EQ(copy.history().pocket(r), replayLedger.history().pocket(r)) << r;
        ASSERT_EQ(copy.history().balance(r), replayLedger.history().balance(r)) << r;
    }

    while (UndoDraw(game, ledger)) {
    }
    EXPECT_EQ(game.drawCount(), 0);
    EXPECT_TRUE(ledger.history().empty());
    EXPECT_EQ(ledger.balance(), 0);
    EXPECT_EQ(ledger.placedCount(), 2);

    AddDraw(game, ledger, 5);
    ledger.SetChipValue(1000);
    SwitchKind(game, ledger, RouletteKind::NoZero);
    EXPECT_EQ(ledger.kind(), RouletteKind::NoZero);
    EXPECT_TRUE(ledger.history().empty());
    EXPECT_EQ(ledger.placedCount(), 0);
    EXPECT_EQ(ledger.balance(), 0);
    EXPECT_EQ(ledger.chipValue(), 1000);

    // Imported draws are settled too, without times, skipping pockets the kind lacks.
    ledger.AddStake({BetKind::Plein, 7}, 100);
    const std::vector<Pocket> spins = {7, 0, 8};
    EXPECT_EQ(AppendImportedDraws(game, ledger, spins), 2);
    ASSERT_EQ(ledger.history().size(), 2u);
    EXPECT_EQ(ledger.balance(), 3500 - 100);
    EXPECT_FALSE(game.log().drawTime(1).has_value());
}

TEST(BetList, DescriptionsNameWhatEachBetCovers) {
    LanguageTable texts;
    texts.LoadFromText(
        "NUMERO\tTEXT\n55\tNumber\n90\tDozen\n91\tColumn\n92\tStreet\n111\tSplit\n112\tCorner\n"
        "113\tSix-line\n131\tRed\n132\tBlack\n133\tEven\n134\tOdd\n135\tLow\n136\tHigh\n");
    struct Case {
        BetSlot slot;
        const char* text;
    } cases[] = {
        {{BetKind::Plein, 17}, "Number 17"},
        {{BetKind::Plein, DoubleZero}, "Number 00"},
        {{BetKind::Cheval, 58}, "Split 0-1"},
        {{BetKind::Cheval, 8}, "Split 4-7"},
        {{BetKind::Transversale, 13}, "Street 0-2"},
        {{BetKind::Transversale, 14}, "Street 0-3"},
        {{BetKind::Transversale, 2}, "Street 4-6"},
        {{BetKind::Carre, 1}, "Corner 1-5"},
        {{BetKind::Carre, 23}, "Corner 0-3"},
        {{BetKind::Sizain, 11}, "Six-line 31-36"},
        {{BetKind::Colonne, 3}, "Column 3"},
        {{BetKind::Douzaine, 1}, "Dozen 1"},
        {{BetKind::RougeNoir, 1}, "Red"},
        {{BetKind::PairImpair, 1}, "Even"},
        {{BetKind::ManquePasse, 2}, "High"},
    };
    for (const Case& c : cases) EXPECT_EQ(BetDescription(c.slot, texts), c.text);
}

}  // namespace
}  // namespace spinalyst
