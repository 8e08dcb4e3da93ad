#include "core/draws/game.h"

#include <gtest/gtest.h>

#include "core/draws/random_source.h"
#include "test_support.h"

namespace spinalyst {
namespace {

DrawTime FixedClock() {
    return 1'700'000'000;
}

TEST(Game, AddDrawRecordsPocketTimeAndCroupier) {
    Game game(RouletteKind::American);
    game.SetClock(&FixedClock);
    game.SetCurrentCroupier(3);
    ASSERT_TRUE(game.AddDraw(DoubleZero));
    game.SetCurrentCroupier(0);
    ASSERT_TRUE(game.AddDraw(5));
    const DrawLog& log = game.log();
    ASSERT_EQ(log.drawCount(), 2);
    EXPECT_EQ(log.draw(1), DoubleZero);
    EXPECT_EQ(log.draw(2), 5);
    EXPECT_EQ(log.drawTime(1), FixedClock());
    EXPECT_EQ(log.drawCroupier(1), 3);
    EXPECT_EQ(log.drawCroupier(2), 0);  // a later croupier change leaves earlier draws alone
}

TEST(Game, RefusesPocketsTheKindDoesNotHave) {
    struct Case {
        RouletteKind kind;
        Pocket p;
    } cases[] = {{RouletteKind::French, DoubleZero},
                 {RouletteKind::NoZero, 0},
                 {RouletteKind::French, -1},
                 {RouletteKind::American, 38}};
    for (const Case& c : cases) {
        Game game(c.kind);
        EXPECT_FALSE(game.AddDraw(c.p)) << c.p;
        EXPECT_EQ(game.drawCount(), 0);
    }
}

TEST(Game, WithoutPositiveRandomSourceDrawsHaveNoTimeOrCroupier) {
    Game game;
    game.SetCurrentCroupier(2);
    game.SetRandomSource(0);
    game.AddDraw(7);
    EXPECT_FALSE(game.log().drawTime(1).has_value());
    EXPECT_EQ(game.log().drawCroupier(1), 0);
}

TEST(Game, UndoRemovesOnlyTheNewestDrawAndIsHarmlessWhenEmpty) {
    Game game;
    EXPECT_FALSE(game.UndoDraw());
    game.AddDraw(1);
    game.AddDraw(2);
    EXPECT_TRUE(game.UndoDraw());
    ASSERT_EQ(game.drawCount(), 1);
    EXPECT_EQ(game.log().draw(1), 1);
    game.AddDraw(9);  // the undone number is reused
    EXPECT_EQ(game.log().draw(2), 9);
}

TEST(Game, NewGameAndKindSwitchEmptyTheLogButKeepTheCroupier) {
    Game game;
    game.SetCurrentCroupier(4);
    game.AddDraw(1);
    game.NewGame();
    EXPECT_EQ(game.drawCount(), 0);
    game.AddDraw(1);
    game.SwitchKind(RouletteKind::French);  // the current kind too starts afresh
    EXPECT_EQ(game.drawCount(), 0);
    game.SwitchKind(RouletteKind::NoZero);
    EXPECT_EQ(game.kind(), RouletteKind::NoZero);
    EXPECT_EQ(game.currentCroupier(), 4);
    EXPECT_FALSE(game.AddDraw(0));
}

TEST(Game, NotesKeepTheLastValueOfEachPlaceAndAnUndoPullsThemBack) {
    using Notes = std::vector<GameFileNote>;
    Game game(RouletteKind::French);
    game.SetClock(&FixedClock);
    EXPECT_TRUE(game.SetNote("stakes", "a"));
    EXPECT_FALSE(game.SetNote("stakes", "a"));
    game.AddDraw(1);
    game.AddDraw(2);
    EXPECT_TRUE(game.SetNote("stakes", "b"));
    EXPECT_TRUE(game.SetNote("stakes", "c"));  // nothing settled with b: c takes its place
    EXPECT_TRUE(game.SetNote("file", "x.csv"));
    EXPECT_EQ(game.notes(), (Notes{{"stakes", "a", 0}, {"stakes", "c", 2}, {"file", "x.csv", 2}}));
    EXPECT_TRUE(game.SetNote("stakes", "a"));  // back to what held: no change at this place
    EXPECT_EQ(game.notes(), (Notes{{"stakes", "a", 0}, {"file", "x.csv", 2}}));
    game.SetNote("stakes", "d");
    game.AddDraw(3);
    game.SetNote("stakes", "e");
    game.AddDraw(4);
    // The undo of draw 4 moves e back to after draw 3; that of draw 3 moves d and e to after
    // draw 2, where e, the last, holds.
    game.UndoDraw();
    EXPECT_EQ(
        game.notes(),
        (Notes{{"stakes", "a", 0}, {"file", "x.csv", 2}, {"stakes", "d", 2}, {"stakes", "e", 3}}));
    game.UndoDraw();
    EXPECT_EQ(game.notes(), (Notes{{"stakes", "a", 0}, {"file", "x.csv", 2}, {"stakes", "e", 2}}));
    EXPECT_EQ(game.note("stakes"), "e");
    EXPECT_EQ(game.note("freeze"), std::nullopt);
    game.UndoDraw();
    game.UndoDraw();
    EXPECT_EQ(game.notes(), (Notes{{"file", "x.csv", 0}, {"stakes", "e", 0}}));

    // Notes read from a file: the last of a key at one place counts, places stay in the log.
    DrawLog log;
    log.Append(5, std::nullopt, 0);
    game.LoadGame(RouletteKind::French, log, std::nullopt,
                  {{"stakes", "a", 0}, {"stakes", "b", 0}, {"file", "y", 1}, {"stakes", "c", 7}});
    EXPECT_EQ(game.notes(), (Notes{{"stakes", "b", 0}, {"file", "y", 1}, {"stakes", "c", 1}}));
    game.NewGame();
    EXPECT_TRUE(game.notes().empty());
}

TEST(DrawTimeFormat, TwoDigitYearThenTime) {
    // The tests run with TZ=UTC.
    EXPECT_EQ(FormatDrawTime(1'700'000'000), "231114 221320");
}

}  // namespace
}  // namespace spinalyst
