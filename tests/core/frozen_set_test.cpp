#include "core/draws/frozen_set.h"

#include <gtest/gtest.h>

#include "core/draws/game.h"
#include "core/draws/game_file.h"

namespace spinalyst {
namespace {

using Pockets = std::vector<Pocket>;

TEST(FrozenSet, NoteValueReadsBackAndRefusesWhatItDoesNotWrite) {
    const FrozenSet freeze{3000, {17, 20, DoubleZero}};
    EXPECT_EQ(FreezeNoteValue(freeze), "3000;pockets=17,20,00");
    EXPECT_EQ(ParseFreezeNote("3000;pockets=17,20,00", RouletteKind::American), freeze);
    EXPECT_EQ(ParseFreezeNote("0;pockets=5", RouletteKind::NoZero), (FrozenSet{0, {5}}));

    struct Case {
        const char* value;
        RouletteKind kind;
    } bad[] = {
        {"", RouletteKind::French},                        // the line that clears a freeze
        {"3000", RouletteKind::French},                    // no pockets
        {";pockets=17", RouletteKind::French},             // no draw count
        {"-1;pockets=17", RouletteKind::French},           // a count below 0
        {"12x;pockets=17", RouletteKind::French},          // not a number
        {"99999999999;pockets=17", RouletteKind::French},  // beyond any game
        {"30;pockets=", RouletteKind::French},             // an empty set
        {"30;pockets=17,,20", RouletteKind::French},       // an empty item
        {"30;pockets=17,", RouletteKind::French},
        {"30;pockets=17 20", RouletteKind::French},  // spaces are not written
        {"30;pockets=17,17", RouletteKind::French},  // twice
        {"30;pockets=00", RouletteKind::French},     // not of the kind
        {"30;pockets=0", RouletteKind::NoZero},
        {"30;pockets=37", RouletteKind::American},  // 00 is written "00"
    };
    for (const Case& c : bad) EXPECT_FALSE(ParseFreezeNote(c.value, c.kind)) << c.value;
}

TEST(FrozenSet, PocketListsAsAPlayerTypesThem) {
    struct Case {
        const char* text;
        RouletteKind kind;
        std::optional<Pockets> pockets;
    } cases[] = {
        {"17", RouletteKind::French, Pockets{17}},
        {" 17, 20 ;5\t0 ", RouletteKind::French, Pockets{17, 20, 5, 0}},
        {"17,,20", RouletteKind::French, Pockets{17, 20}},
        {"00, 0", RouletteKind::American, Pockets{DoubleZero, 0}},
        {"", RouletteKind::French, std::nullopt},
        {" , ", RouletteKind::French, std::nullopt},
        {"17, 17", RouletteKind::French, std::nullopt},
        {"17-20", RouletteKind::French, std::nullopt},
        {"0", RouletteKind::NoZero, std::nullopt},
        {"37", RouletteKind::American, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParsePocketList(c.text, c.kind), c.pockets) << c.text;
    // The first fault is named, with the word as typed.
    using Fault = PocketListFault;
    const std::pair<const char*, Fault> faults[] = {
        {" , ", {Fault::Kind::Empty, ""}},
        {"17, 5, 17", {Fault::Kind::Twice, "17"}},
        {"17-20, 1", {Fault::Kind::NotAPocket, "17-20"}},
    };
    for (const auto& [text, expected] : faults) {
        Fault fault;
        EXPECT_EQ(ParsePocketList(text, RouletteKind::French, &fault), std::nullopt);
        EXPECT_EQ(fault, expected) << text;
    }
}

TEST(FrozenSet, TheGameKeepsItsFreezeUntilANewGame) {
    Game game(RouletteKind::French);
    for (Pocket p : {1, 2, 3, 4}) game.AddUntimedDraw(p);
    EXPECT_FALSE(game.Freeze({}));
    EXPECT_FALSE(game.Freeze({17, 17}));
    EXPECT_FALSE(game.Freeze({DoubleZero}));
    EXPECT_FALSE(game.freeze());
    ASSERT_TRUE(game.Freeze({17, 20}));
    EXPECT_EQ(game.freeze(), (FrozenSet{4, {17, 20}}));
    game.AddUntimedDraw(17);
    EXPECT_EQ(game.freeze()->drawCount, 4);

    // Taking back draws seen before the freeze takes it back with them.
    game.UndoDraw();
    game.UndoDraw();
    EXPECT_EQ(game.freeze(), (FrozenSet{3, {17, 20}}));

    // A file's freeze comes with its draws, no later than its last draw.
    DrawLog log;
    for (Pocket p : {5, 6}) log.Append(p, std::nullopt, 0);
    game.LoadGame(RouletteKind::NoZero, log, FrozenSet{9, {36}});
    EXPECT_EQ(game.freeze(), (FrozenSet{2, {36}}));
    game.LoadGame(RouletteKind::NoZero, log, FrozenSet{1, {0}});
    EXPECT_FALSE(game.freeze());
    game.LoadGame(RouletteKind::NoZero, log, FrozenSet{1, {36}});
    game.NewGame();
    EXPECT_FALSE(game.freeze());
}

// What a saved game's file, or the journal, brings back: the freeze in force, moved back by an
// undo, or none once cleared.
TEST(FrozenSet, TheGameFileKeepsTheFreezeAndItsClearing) {
    const auto readBack = [](const Game& game) {
        const GameFile file = ParseGameFile(SavedGameText(game, {}, {}), game.kind());
        EXPECT_TRUE(file.ok());
        Game back(RouletteKind::NoZero);
        back.LoadGame(file.kind, file.log, std::nullopt, file.notes);
        return back.freeze();
    };
    Game game(RouletteKind::American);
    for (Pocket p : {1, 2, 3}) game.AddUntimedDraw(p);
    ASSERT_TRUE(game.Freeze({DoubleZero, 17}));
    game.AddUntimedDraw(17);
    EXPECT_EQ(readBack(game), (FrozenSet{3, {DoubleZero, 17}}));
    game.UndoDraw();
    game.UndoDraw();
    EXPECT_EQ(readBack(game), (FrozenSet{2, {DoubleZero, 17}}));
    game.AddUntimedDraw(5);
    game.ClearFreeze();
    EXPECT_EQ(readBack(game), std::nullopt);
    ASSERT_TRUE(game.Freeze({20}));
    EXPECT_EQ(readBack(game), (FrozenSet{3, {20}}));
}

}  // namespace
}  // namespace spinalyst
