#include "core/betting/stakes_note.h"

#include <gtest/gtest.h>

#include <random>

#include "core/betting/betting_game.h"
#include "core/draws/game.h"
#include "core/draws/game_file.h"

namespace spinalyst {
namespace {

DrawTime FixedClock() {
    return 1'700'000'000;
}

TEST(StakesNote, WritesTheChipsInTheOrderTheyWentDownAndReadsThemBack) {
    BetLedger ledger(RouletteKind::American);
    ASSERT_TRUE(ledger.AddStake({BetKind::RougeNoir, 1}, 500));
    ASSERT_TRUE(ledger.AddStake({BetKind::Plein, DoubleZero}, 100));
    ASSERT_TRUE(ledger.AddStake({BetKind::Cheval, 3}, maxSlotStake));
    const std::string value = StakesNoteValue(ledger);
    EXPECT_EQ(value, "rougenoir:1=500;plein:37=100;cheval:3=10000000");
    const auto bets = ParseStakesNote(value, RouletteKind::American);
    ASSERT_TRUE(bets.has_value());
    BetLedger back(RouletteKind::American);
    EXPECT_FALSE(bets->laPartage);
    back.PutStakes(bets->bets);
    EXPECT_EQ(StakesNoteValue(back), value);
    EXPECT_EQ(back.totalStake(), ledger.totalStake());
    EXPECT_EQ(StakesNoteValue(BetLedger()), "");
    EXPECT_EQ(ParseStakesNote("", RouletteKind::French), StakesNote{});
    const auto partage = ParseStakesNote("rougenoir:1=500;partage", RouletteKind::French);
    ASSERT_TRUE(partage.has_value());
    EXPECT_TRUE(partage->laPartage);
}

TEST(StakesNote, ADamagedValueIsRefusedWhole) {
    for (const char* value : {
             "plein:17",                 // no stake
             "plein=17:100",             // the parts the wrong way round
             "pleins:17=100",            // no such family
             "plein:61=100",             // no such index
             "plein:17=0",               // no stake at all
             "plein:17=10000001",        // past the limit of a slot
             "plein:17=-5",              // a sign
             "plein:017=100",            // a leading zero
             "plein:37=100",             // 00 on the French table
             "plein:17=100;;red=5",      // an empty part
             "plein:17=100;plein:17=5",  // a slot twice
             "partage;partage",          // la partage twice
         }) {
        SCOPED_TRACE(value);
        EXPECT_FALSE(ParseStakesNote(value, RouletteKind::French).has_value());
    }
    EXPECT_FALSE(ParseStakesNote("rougenoir:1=500;partage", RouletteKind::American).has_value());
}

// A betting session played at random: draws, imports, clicks, clears, undos and progressions
// played live, with the stakes noted at each change as the session notes them.
void PlayASession(Game& game, BetLedger& ledger, std::uint32_t seed) {
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    for (int step = 0; step < 400; ++step) {
        switch (pick(13)) {
            case 10:
                if (!ledger.live().active()) {
                    ProgressionSettings progression;
                    progression.kind = allProgressions[static_cast<std::size_t>(pick(8))];
                    MoneyRules rules;
                    rules.laPartage = game.kind() == RouletteKind::French;
                    if (pick(2) == 0) rules.stopLoss = 5000;
                    ledger.StartPlan(progression, rules, game.drawCount() + 1);
                } else {
                    ledger.StopPlan();
                }
                NoteStakes(game, ledger);
                break;
            case 11: {
                std::vector<Pocket> pockets;
                for (int i = pick(6); i > 0; --i)
                    pockets.push_back(static_cast<Pocket>(pick(pocketCount(game.kind()))));
                AppendImportedDraws(game, ledger, pockets);
                break;
            }
            case 0:
            case 1:
                ledger.ClickTable(20 + pick(480), pick(194),
                                  pick(4) == 0 ? MouseButton::Right : MouseButton::Left,
                                  pick(3) == 0 ? 2 : 0);
                NoteStakes(game, ledger);
                break;
            case 2:
                if (pick(4) == 0) {
                    ledger.ClearBets();
                    NoteStakes(game, ledger);
                }
                break;
            case 3:
                UndoDraw(game, ledger);
                break;
            default:
                AddDraw(game, ledger, static_cast<Pocket>(pick(pocketCount(game.kind()))));
        }
    }
}

void ExpectSameAccount(const BetLedger& a, const BetLedger& b) {
    EXPECT_EQ(a.balance(), b.balance());
    EXPECT_EQ(a.drawWin(), b.drawWin());
    EXPECT_EQ(StakesNoteValue(a), StakesNoteValue(b));
    const BetHistory& x = a.history();
    const BetHistory& y = b.history();
    ASSERT_EQ(x.size(), y.size());
    for (std::size_t r = 0; r < x.size(); ++r) {
        ASSERT_EQ(x.drawNumber(r), y.drawNumber(r)) << r;
        ASSERT_EQ(x.pocket(r), y.pocket(r)) << r;
        ASSERT_EQ(x.balance(r), y.balance(r)) << r;
        ASSERT_EQ(x.stake(r), y.stake(r)) << r;
        ASSERT_EQ(x.win(r), y.win(r)) << r;
        ASSERT_TRUE(std::ranges::equal(x.bets(r), y.bets(r))) << r;
    }
    ASSERT_EQ(x.rowCount(true), y.rowCount(true));
}

TEST(StakesNote, AGameReadBackPlaysItsBetsAgainExactly) {
    for (const RouletteKind kind : allKinds) {
        for (std::uint32_t seed = 1; seed <= 5; ++seed) {
            SCOPED_TRACE(testing::Message() << KindName(kind) << " " << seed);
            Game game(kind);
            game.SetClock(&FixedClock);
            BetLedger live(kind);
            PlayASession(game, live, seed);
            ASSERT_GT(live.history().size(), 20u);  // a session that bet
            // Through a game file and back, as Save and Open, or the journal and a restore.
            const GameFile file = ParseGameFile(
                WriteGameFile(game.log(), game.kind(), {}, {}, game.notes()), game.kind());
            ASSERT_TRUE(file.ok());
            Game read(kind);
            read.LoadGame(file.kind, file.log, std::nullopt, file.notes);
            EXPECT_EQ(read.notes(), game.notes());
            BetLedger replayed(kind);
            replayed.ClickTable(55, 23, MouseButton::Left);  // what was on the table goes
            ReplayBets(read, replayed);
            ExpectSameAccount(live, replayed);
        }
    }
}

TEST(StakesNote, ANoteThatCannotBeReadLeavesTheTableBareUntilTheNext) {
    Game game(RouletteKind::French);
    DrawLog log;
    for (const Pocket p : {17, 17, 17, 17}) log.Append(p, std::nullopt, 0);
    game.LoadGame(RouletteKind::French, log, std::nullopt,
                  {{"stakes", "plein:17=100", 0},
                   {"stakes", "plein:17=x", 1},
                   {"stakes", "plein:17=200", 3}});
    BetLedger ledger;
    ReplayBets(game, ledger);
    ASSERT_EQ(ledger.history().size(), 2u);
    EXPECT_EQ(ledger.history().drawNumber(0), 1);
    EXPECT_EQ(ledger.history().drawNumber(1), 4);
    EXPECT_EQ(ledger.balance(), 3500 + 7000);
    EXPECT_EQ(ledger.stake({BetKind::Plein, 17}), 200);
}

}  // namespace
}  // namespace spinalyst
