// The wheel and the direction of the spin that every draw may carry: the log, the game, the
// wheel table, the files and the journal.
#include <gtest/gtest.h>

#include "core/draws/game.h"
#include "core/draws/game_file.h"
#include "core/draws/game_journal.h"
#include "core/draws/journal_recovery.h"
#include "core/draws/random_batch.h"
#include "core/draws/random_source.h"
#include "core/draws/wheel_name_table.h"
#include "core/store/atomic_file.h"
#include "test_support.h"

namespace spinalyst {
namespace {

constexpr auto cw = SpinDirection::Clockwise;
constexpr auto ccw = SpinDirection::Anticlockwise;
constexpr auto unknown = SpinDirection::Unknown;

struct Spin {
    std::int32_t wheel;
    SpinDirection direction;
    friend bool operator==(Spin, Spin) = default;
};

std::vector<Spin> Spins(const DrawLog& log) {
    std::vector<Spin> spins;
    for (int n = 1; n <= log.drawCount(); ++n)
        spins.push_back({log.drawWheel(n), log.drawDirection(n)});
    return spins;
}

TEST(SpinDetails, TheLogKeepsWheelAndDirectionThroughEveryChange) {
    DrawLog log;
    log.Append(1, std::nullopt, 0);
    log.Append(2, std::nullopt, 0);
    EXPECT_FALSE(log.hasWheels());
    EXPECT_FALSE(log.hasDirections());
    EXPECT_EQ(log.drawDirection(2), unknown);
    // The draws before the first detail read as none.
    log.Append(3, std::nullopt, 1, 2, ccw);
    log.Append(4, std::nullopt, 0, 0, cw);
    log.Append(5, std::nullopt, 0, maxWheelNumber + 1, unknown);  // beyond: kept as none
    log.Append(6, std::nullopt, 0, maxWheelNumber, unknown);
    EXPECT_EQ(Spins(log), (std::vector<Spin>{{0, unknown},
                                             {0, unknown},
                                             {2, ccw},
                                             {0, cw},
                                             {0, unknown},
                                             {maxWheelNumber, unknown}}));
    EXPECT_TRUE(log.hasWheels());
    EXPECT_TRUE(log.hasDirections());

    const DrawLog tail = log.Slice(4, 6);
    EXPECT_EQ(Spins(tail), (std::vector<Spin>{{0, cw}, {0, unknown}, {maxWheelNumber, unknown}}));
    EXPECT_TRUE(tail.hasWheels());
    const DrawLog head = log.Slice(1, 2);
    EXPECT_FALSE(head.hasWheels() || head.hasDirections());

    // Renumbering the wheels leaves the directions alone; a number without a place is none.
    log.MapWheels(std::vector<std::int32_t>{0, 0, 7});
    EXPECT_EQ(log.drawWheel(3), 7);
    EXPECT_EQ(log.drawDirection(3), ccw);
    EXPECT_EQ(log.drawWheel(6), 0);
    log.MapCroupiers(std::vector<std::int32_t>{0, 9});
    EXPECT_EQ(log.drawCroupier(3), 9);

    // Undoing the draws that had them takes the details away with them.
    while (log.drawCount() > 3) log.RemoveLast();
    EXPECT_TRUE(log.hasDirections());
    log.RemoveLast();
    EXPECT_FALSE(log.hasWheels() || log.hasDirections());
    log.Append(7, std::nullopt, 0, 1, cw);
    log.Clear();
    EXPECT_FALSE(log.hasWheels() || log.hasDirections());
    log.Append(8, std::nullopt, 0);
    EXPECT_EQ(log.drawWheel(1), 0);
}

TEST(SpinDetails, TheDirectionAlternatesAfterEachSpinAndBatchesCarryOnlyTheWheel) {
    Game game;
    game.SetCurrentWheel(4);
    game.AddDraw(1);  // no direction yet: nothing to alternate
    EXPECT_EQ(game.currentDirection(), unknown);
    game.SetCurrentDirection(cw);
    game.AddDraw(2);
    EXPECT_EQ(game.currentDirection(), ccw);
    game.AddDraw(3);
    game.SetAlternating(false);
    game.AddDraw(4);
    game.AddDraw(5);
    game.SetAlternating(true);
    RandomSource rng(3);
    game.SetCurrentCroupier(2);
    EXPECT_EQ(AppendRandomDraws(game, rng, 2), 2);
    EXPECT_EQ(game.currentDirection(), cw);  // a batch leaves the direction as it was
    game.AddDraw(6);
    EXPECT_EQ(Spins(game.log()), (std::vector<Spin>{{4, unknown},
                                                    {4, cw},
                                                    {4, ccw},
                                                    {4, cw},
                                                    {4, cw},
                                                    {4, unknown},
                                                    {4, unknown},
                                                    {4, cw}}));
    EXPECT_EQ(game.log().drawCroupier(6), 0);  // and no croupier, as before
}

TEST(SpinDetails, WheelNamesAreKeptAsCroupiersAreAndAdoptedFromFiles) {
    const test::TempDir dir;
    WheelNameTable table;
    EXPECT_EQ(table.Load(dir / "wheels"), WheelNameTable::LoadResult::Missing);
    EXPECT_EQ(table.AddWheel("T3"), 1);
    EXPECT_EQ(table.AddWheel("Wheel 2"), 2);
    WheelNameTable again;
    EXPECT_EQ(again.Load(dir / "wheels"), WheelNameTable::LoadResult::Loaded);
    EXPECT_EQ(again.WheelIndex("Wheel 2"), 2);
    EXPECT_EQ(again.WheelName(1), "T3");
    EXPECT_EQ(again.WheelName(3), std::nullopt);

    // A file's wheel k is its k-th name: known names keep their number, new ones are added.
    DrawLog log;
    log.Append(1, std::nullopt, 0, 1, cw);
    log.Append(2, std::nullopt, 0, 2, ccw);
    log.Append(3, std::nullopt, 0, 0, cw);
    EXPECT_EQ(AdoptWheels(log, {"Wheel 2", "T9"}, again), 1);
    EXPECT_EQ(Spins(log), (std::vector<Spin>{{2, cw}, {3, ccw}, {0, cw}}));
    EXPECT_EQ(again.WheelName(3), "T9");
}

const CroupierNameLookup names = [](std::int32_t k) -> std::optional<std::string> {
    if (k == 1) return "Zoé";
    if (k == 2) return "T3, \"rouge\"";
    if (k == 3) return "T5";
    return std::nullopt;
};

TEST(SpinDetails, GameFilesGainTheColumnsOnlyWhenADrawHasThem) {
    DrawLog log;
    log.Append(17, 1'700'000'000, 1);
    log.Append(0, std::nullopt, 0);
    EXPECT_EQ(WriteGameFile(log, RouletteKind::French, names, names),
              "#kind=french\ndraw,time,croupier,pocket\n"
              "1,2023-11-14T22:13:20+00:00,Zoé,17\n2,,,0\n");
    log.Append(5, std::nullopt, 1, 2, ccw);
    log.Append(8, std::nullopt, 0, 3, unknown);
    log.Append(9, std::nullopt, 0, 9, cw);  // a wheel without a name is written as none
    const std::string text = WriteGameFile(log, RouletteKind::French, names, names);
    EXPECT_EQ(text,
              "#kind=french\ndraw,time,croupier,pocket,wheel,direction\n"
              "1,2023-11-14T22:13:20+00:00,Zoé,17,,\n2,,,0,,\n"
              "3,,Zoé,5,\"T3, \"\"rouge\"\"\",ccw\n4,,,8,T5,\n5,,,9,,cw\n");
    EXPECT_TRUE(IsGameFile(text));

    const GameFile game = ParseGameFile(text, RouletteKind::French);
    ASSERT_TRUE(game.ok()) << game.error->message;
    EXPECT_EQ(game.wheelNames, (std::vector<std::string>{"T3, \"rouge\"", "T5"}));
    EXPECT_EQ(Spins(game.log),
              (std::vector<Spin>{{0, unknown}, {0, unknown}, {1, ccw}, {2, unknown}, {0, cw}}));
    // A four-column file reads as before: no wheel, no direction.
    const GameFile narrow =
        ParseGameFile("draw,time,croupier,pocket\n1,,Zoé,3\n", RouletteKind::French);
    ASSERT_TRUE(narrow.ok());
    EXPECT_FALSE(narrow.log.hasWheels() || narrow.log.hasDirections());
    EXPECT_TRUE(narrow.wheelNames.empty());
}

TEST(SpinDetails, ABadWheelOrDirectionIsAnErrorNamingItsLine) {
    const std::string wide = "draw,time,croupier,pocket,wheel,direction\n";
    struct Case {
        std::string text;
        int line;
        std::string message;
    } cases[] = {
        {wide + "1,,,5,T3,cw\n2,,,6,T3,CW\n", 3, "'CW' is no direction: cw, ccw or nothing"},
        {wide + "1,,,5,T3,left\n", 2, "'left' is no direction"},
        {wide + "1,,,5,\xC3,cw\n", 2, "the wheel is not UTF-8"},
        {wide + "1,,,5\n", 2,
         "a row has 6 fields (" + wide.substr(0, wide.size() - 1) + "), this one 4"},
        {"draw,time,croupier,pocket\n1,,,5,T3,cw\n", 2, "a row has 4 fields"},
        {"draw,time,croupier,pocket,wheel\n1,,,5,T3\n", 1, "the first line must be"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const GameFile game = ParseGameFile(c.text, RouletteKind::French);
        ASSERT_FALSE(game.ok());
        EXPECT_EQ(game.error->line, c.line);
        EXPECT_NE(game.error->message.find(c.message), std::string::npos) << game.error->message;
        EXPECT_TRUE(game.wheelNames.empty());
    }
}

// A game recorded with two wheels and alternating directions, the journal read back as after
// a crash at each moment: the wheel and direction of every draw come back.
TEST(SpinDetails, TheJournalCarriesThemFromTheFirstDrawThatHasOne) {
    const test::TempDir dir;
    GameJournal journal(dir.path(), names, names);
    Game game;
    game.SetClock([] { return DrawTime{1'700'000'000}; });
    game.AddDraw(4);
    ASSERT_TRUE(journal.Sync(game.log(), game.kind()));
    EXPECT_EQ(test::ReadFile(journal.file()),
              "#kind=french\ndraw,time,croupier,pocket\n1,2023-11-14T22:13:20+00:00,,4\n");

    game.SetCurrentWheel(2);
    game.SetCurrentDirection(cw);
    for (Pocket p : {5, 6}) {
        game.AddDraw(p);
        ASSERT_TRUE(journal.Sync(game.log(), game.kind()));
    }
    game.SetCurrentWheel(3);
    RandomSource rng(1);
    AppendRandomDraws(game, rng, 3);
    ASSERT_TRUE(journal.Sync(game.log(), game.kind()));
    game.UndoDraw();
    ASSERT_TRUE(journal.Sync(game.log(), game.kind()));
    game.AddDraw(7);
    ASSERT_TRUE(journal.Sync(game.log(), game.kind()));
    EXPECT_TRUE(journal.running());

    const auto recovered = journal.RecoverLeftover(RouletteKind::French);
    ASSERT_TRUE(recovered && recovered->game.ok());
    EXPECT_EQ(recovered->game.wheelNames, (std::vector<std::string>{"T3, \"rouge\"", "T5"}));
    EXPECT_EQ(
        Spins(recovered->game.log),
        (std::vector<Spin>{{0, unknown}, {1, cw}, {1, ccw}, {2, unknown}, {2, unknown}, {2, cw}}));
    EXPECT_EQ(recovered->game.log.draws().back(), 7);

    // A damaged line in the middle of a journal with the wheel and direction columns is left
    // out alone: the rows after it keep their wheels and directions.
    std::string text = test::ReadFile(journal.file());
    const std::size_t third = text.find("\n3,");
    ASSERT_NE(third, std::string::npos);
    text.insert(third + 1, "x,,,99,,sideways\n");
    ASSERT_TRUE(WriteFileAtomically(journal.file(), text));
    const auto salvaged = RecoverJournal(journal.file(), RouletteKind::French);
    ASSERT_TRUE(salvaged && salvaged->game.ok());
    EXPECT_EQ(salvaged->damagedLines.size(), 1u);
    EXPECT_EQ(Spins(salvaged->game.log), Spins(recovered->game.log));
    EXPECT_EQ(salvaged->game.wheelNames, recovered->game.wheelNames);
}

}  // namespace
}  // namespace spinalyst
