#include "core/draws/draws_grid.h"

#include <gtest/gtest.h>

#include <numeric>

#include "core/draws/game.h"
#include "core/draws/random_batch.h"
#include "core/draws/wheel_name_table.h"

namespace spinalyst {
namespace {

DrawTime FixedClock() {
    return 1'700'000'000;
}

Game GameOf(RouletteKind kind, std::initializer_list<Pocket> pockets) {
    Game game(kind);
    game.SetClock(&FixedClock);
    for (Pocket p : pockets) game.AddDraw(p);
    return game;
}

std::string Row(const Game& game, const CroupierTable& croupiers, int n) {
    std::string row;
    for (int c = 0; c < drawsGridColumns; ++c)
        row += DrawsCellText(game.log(), game.kind(), croupiers, n, c) + "|";
    return row;
}

TEST(DrawsGrid, CellsOfEachColumn) {
    CroupierTable croupiers;
    croupiers.LoadFromText("idx\tname\n1\tZoé\n");
    Game game = GameOf(RouletteKind::French, {26, 0, 26, 17, 5, 17, 17});
    game.SetCurrentCroupier(1);
    game.AddDraw(36);
    game.SetCurrentCroupier(9);  // nobody has that number
    game.AddDraw(1);
    const std::string t = "231114 221320|";
    EXPECT_EQ(Row(game, croupiers, 1), t + "-|1|||26||X||X||2||||3|||||");
    EXPECT_EQ(Row(game, croupiers, 2), t + "-|2||0||||||||||||1||||");         // after 26 comes 0
    EXPECT_EQ(Row(game, croupiers, 3), t + "-|3|||26||X||X||2||||3|36|1|||");  // 0 then 26
    EXPECT_EQ(Row(game, croupiers, 7), t + "-|7|||17|X||X|||2|||2||0|0|||");   // twice in a row
    EXPECT_EQ(Row(game, croupiers, 6), t + "-|6|||17|X||X|||2|||2||26|1|||");  // one between
    EXPECT_EQ(Row(game, croupiers, 8), t + "Zoé|8|36||||X||X|||3|||3|5||||");
    EXPECT_EQ(Row(game, croupiers, 9), t + "-|9|1|||X||X||1|||1|||10||||");
}

TEST(DrawsGrid, ZerosGetNoMarksAndUnknownTimesStayEmpty) {
    CroupierTable none;
    Game game(RouletteKind::American);
    game.SetRandomSource(0);
    game.AddDraw(DoubleZero);
    game.AddDraw(0);
    EXPECT_EQ(Row(game, none, 1), "|-|1||00||||||||||||||||");
    EXPECT_EQ(Row(game, none, 2), "|-|2||0||||||||||||19||||");
}

TEST(DrawsGrid, WheelAndDirectionWithTheDistanceTheBallTravelled) {
    CroupierTable croupiers;
    WheelNameTable wheels;
    wheels.LoadFromText("idx\tname\n1\tT3\n2\tWheel 2\n");
    Game game(RouletteKind::French);
    game.SetCurrentWheel(1);
    game.SetCurrentDirection(SpinDirection::Clockwise);
    game.AddDraw(26);  // clockwise; the dealer alternates from here
    game.AddDraw(0);   // anticlockwise: 26 to 0 is 1 step clockwise, 36 the other way
    game.AddDraw(0);   // clockwise: the same pocket again is 0 either way
    game.SetCurrentWheel(2);
    game.AddDraw(32);         // anticlockwise: 0 to 32 is 1 step clockwise
    game.SetCurrentWheel(9);  // no such wheel
    game.SetCurrentDirection(SpinDirection::Unknown);
    game.AddDraw(15);  // counted clockwise, as without a direction
    struct Case {
        int n;
        const char* distance;
        const char* wheel;
        const char* direction;
    } cases[] = {{1, "", "T3", "\u21bb"},
                 {2, "36", "T3", "\u21ba"},
                 {3, "0", "T3", "\u21bb"},
                 {4, "36", "Wheel 2", "\u21ba"},
                 {5, "1", "", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        const auto cell = [&](int column) {
            return DrawsCellText(game.log(), game.kind(), croupiers, c.n, column, &wheels);
        };
        EXPECT_EQ(cell(16), c.distance);
        EXPECT_EQ(cell(18), c.wheel);
        EXPECT_EQ(cell(19), c.direction);
    }
    // Without the wheel table the wheel column stays empty rather than showing a number.
    EXPECT_EQ(DrawsCellText(game.log(), game.kind(), croupiers, 1, 18), "");
}

TEST(DrawsGrid, RepeatGapOverALongGame) {
    Game game(RouletteKind::French);
    game.AddDraw(7);
    for (int i = 0; i < 100000; ++i) game.AddDraw(1);
    game.AddDraw(7);
    EXPECT_EQ(RepeatGap(game.log(), game.drawCount()), 100000);
    EXPECT_EQ(RepeatGap(game.log(), 1), std::nullopt);
    EXPECT_EQ(RepeatGap(game.log(), 3), 0);
}

TEST(DrawsGrid, PagesShowTheirColumnsAndAlwaysTheNumber) {
    EXPECT_EQ(DrawsPageWidths(1), (std::array<int, 20>{94, 70, 59, 20, 20, 20}));
    EXPECT_EQ(DrawsPageWidths(2), (std::array<int, 20>{0,  0,  59, 20, 20, 20, 17, 17, 17, 17,
                                                       16, 16, 16, 16, 16, 16, 0,  0,  0,  0}));
    EXPECT_EQ(DrawsPageWidths(3), (std::array<int, 20>{0, 0, 59, 20, 20, 20, 0,  0,  0,  0,
                                                       0, 0, 0,  0,  0,  0,  52, 44, 44, 24}));
    // The three pages are equally wide, so that turning a page never moves the panel's edge.
    const auto total = [](int page) {
        const auto w = DrawsPageWidths(page);
        return std::accumulate(w.begin(), w.end(), 0);
    };
    EXPECT_EQ(total(2), total(1));
    EXPECT_EQ(total(3), total(1));
}

TEST(RandomBatch, AppendsWithoutCroupierOnlyFromTheProgramGenerator) {
    for (RouletteKind kind : allKinds) {
        Game game(kind);
        game.SetCurrentCroupier(5);
        RandomSource rng(3);
        EXPECT_EQ(AppendRandomDraws(game, rng, 2000), 2000);
        EXPECT_EQ(game.currentCroupier(), 0);
        for (int n = 1; n <= game.drawCount(); ++n) {
            ASSERT_TRUE(IsPocketOf(kind, game.log().draw(n)));
            ASSERT_EQ(game.log().drawCroupier(n), 0);
        }
    }
    Game game;
    RandomSource rng;
    EXPECT_EQ(AppendRandomDraws(game, rng, maxRandomBatch + 5), maxRandomBatch);
    game.SetRandomSource(randomFromFile);
    EXPECT_EQ(AppendRandomDraws(game, rng, 10), 0);
    EXPECT_EQ(game.drawCount(), maxRandomBatch);
}

}  // namespace
}  // namespace spinalyst
