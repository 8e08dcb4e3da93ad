#include "core/draws/game_journal.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>
#include <functional>
#include <memory>

#include "core/draws/game.h"
#include "test_support.h"

namespace spinalyst {
namespace {

using namespace std::string_literals;

constexpr DrawTime someTime = 1'700'000'000;  // 2023-11-14T22:13:20Z

std::optional<std::string> Names(std::int32_t c) {
    if (c == 1) return "Zoé";
    if (c == 2) return "Dupont, Jean";
    return std::nullopt;
}

class GameJournalTest : public testing::Test {
protected:
    test::TempDir dir;
    GameJournal journal{dir.path(), &Names};
    DrawLog log;

    std::string Journal() const {
        journal.WaitForBatch();
        return test::ReadFile(journal.file());
    }
    std::string Expected() const { return WriteGameFile(log, RouletteKind::French, &Names); }
};

TEST_F(GameJournalTest, FollowsDrawsUndosAndBatchesAsTheGameFile) {
    ASSERT_TRUE(journal.Sync(log, RouletteKind::French));
    EXPECT_EQ(Journal(), "#kind=french\ndraw,time,croupier,pocket\n");
    log.Append(5, someTime, 1);
    ASSERT_TRUE(journal.Sync(log, RouletteKind::French));
    EXPECT_EQ(Journal(), Expected());
    log.Append(0, std::nullopt, 2);
    log.Append(36, someTime + 1, 0);
    ASSERT_TRUE(journal.Sync(log, RouletteKind::French));
    EXPECT_EQ(Journal(), Expected());
    EXPECT_FALSE(std::filesystem::exists(journal.batchMarkerFile()));
    // Undo cuts the rows off, down to none.
    for (int left = 2; left >= 0; --left) {
        log.RemoveLast();
        ASSERT_TRUE(journal.Sync(log, RouletteKind::French));
        EXPECT_EQ(Journal(), Expected());
    }
    // A batch, written on the journal's thread, and a draw right after it land in order.
    for (int i = 0; i < 5000; ++i) log.Append(i % 37, someTime + i / 100, i % 3);
    ASSERT_TRUE(journal.Sync(log, RouletteKind::French));
    log.Append(36, someTime, 1);
    ASSERT_TRUE(journal.Sync(log, RouletteKind::French));
    EXPECT_EQ(Journal(), Expected());
    while (log.drawCount() > 0) log.RemoveLast();
    log.Append(17, someTime, 0);
    ASSERT_TRUE(journal.Sync(log, RouletteKind::French));
    EXPECT_EQ(journal.journaledDraws(), 1);

    const auto back = journal.RecoverLeftover(RouletteKind::NoZero);
    ASSERT_TRUE(back && back->game.ok());
    EXPECT_TRUE(back->damagedLines.empty());
    EXPECT_EQ(back->game.kind, RouletteKind::French);
    EXPECT_EQ(back->game.log.drawCount(), 1);
    EXPECT_EQ(back->game.log.drawTime(1), someTime);
    EXPECT_TRUE(back->writtenAt.has_value());

    // A new kind starts the journal over.
    log.Clear();
    log.Append(DoubleZero, std::nullopt, 0);
    ASSERT_TRUE(journal.Sync(log, RouletteKind::American));
    EXPECT_EQ(Journal(), "#kind=american\ndraw,time,croupier,pocket\n1,,,00\n");
}

TEST_F(GameJournalTest, NotesFollowTheGameThroughDrawsUndosBatchesAndRestarts) {
    Game game(RouletteKind::French);
    game.SetClock([] { return someTime; });
    // Each step changes the game; the journal must then read back as the game: the same rows
    // and the same notes in their places (a note a later one replaced may stay in the file).
    const std::function<void()> steps[] = {
        [&] { game.SetNote("stakes", "plein:17=100"); },
        [&] { game.AddDraw(5); },
        [&] { game.AddDraw(6); },
        [&] { game.SetNote("stakes", "red=500"); },
        [&] { game.SetNote("file", "/home/zoé/soir,1.csv"); },
        [&] { game.UndoDraw(); },  // the notes after draw 2 move back to after draw 1
        [&] { game.AddDraw(7); },
        [&] {
            for (int i = 0; i < 300; ++i) game.AddDraw(i % 37);
        },
        [&] { game.SetNote("stakes", ""); },
        [&] { game.UndoDraw(); },
        [&] { game.SetNote("stakes", "black=100"); },
        [&] { game.SwitchKind(RouletteKind::NoZero); },
        [&] { game.SetNote("stakes", "plein:1=1"); },
        [&] { game.AddDraw(1); },
    };
    int step = 0;
    for (const auto& change : steps) {
        SCOPED_TRACE(++step);
        change();
        ASSERT_TRUE(journal.Sync(game.log(), game.kind(), game.notes()));
        journal.WaitForBatch();
        const auto back = journal.RecoverLeftover(RouletteKind::French);
        ASSERT_TRUE(back && back->game.ok());
        EXPECT_TRUE(back->damagedLines.empty());
        EXPECT_EQ(WriteGameFile(back->game.log, back->game.kind, {}),
                  WriteGameFile(game.log(), game.kind(), {}));
        Game read;
        read.LoadGame(back->game.kind, back->game.log, std::nullopt, back->game.notes);
        EXPECT_EQ(read.notes(), game.notes());
    }
}

TEST_F(GameJournalTest, RetiringKeepsAGameAsThePreviousOneAndDropsAnEmptyOne) {
    log.Append(5, someTime, 1);
    ASSERT_TRUE(journal.Sync(log, RouletteKind::French));
    ASSERT_TRUE(journal.Retire());
    EXPECT_FALSE(std::filesystem::exists(journal.file()));
    EXPECT_EQ(test::ReadFile(journal.previousFile()), Expected());

    ASSERT_TRUE(journal.Start(DrawLog{}, RouletteKind::French));
    ASSERT_TRUE(journal.Retire());
    EXPECT_FALSE(std::filesystem::exists(journal.file()));
    EXPECT_EQ(test::ReadFile(journal.previousFile()), Expected());
    EXPECT_FALSE(journal.RecoverLeftover(RouletteKind::French).has_value());
}

// The previous game it replaces is only moved at once; removing it is left to the journal's
// thread, and nothing of it stays once that thread has run or the journal is gone.
TEST(GameJournalRetire, APreviousGameReplacedGoesOutOfTheWayAtOnceAndIsRemovedLater) {
    for (const bool moveOn : {true, false}) {
        test::TempDir dir;
        const auto asideCount = [&] {
            int count = 0;
            for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
                count += entry.path().filename().string().starts_with(".previous-game.csv.");
            return count;
        };
        auto journal = std::make_unique<GameJournal>(dir.path(), &Names);
        DrawLog log;
        log.Append(5, someTime, 1);
        ASSERT_TRUE(journal->Sync(log, RouletteKind::French));
        ASSERT_TRUE(journal->Retire());
        log.Append(6, someTime, 2);
        ASSERT_TRUE(journal->Sync(log, RouletteKind::French));
        ASSERT_TRUE(journal->Retire());
        const std::string expected = WriteGameFile(log, RouletteKind::French, &Names);
        EXPECT_EQ(test::ReadFile(journal->previousFile()), expected);
        EXPECT_EQ(asideCount(), 1);
        if (moveOn) {
            ASSERT_TRUE(journal->StartInBackground(log, RouletteKind::French, {}));
            journal->WaitForBatch();
            EXPECT_EQ(asideCount(), 0);
        }
        journal.reset();
        EXPECT_EQ(asideCount(), 0);
        EXPECT_EQ(test::ReadFile(dir / "previous-game.csv"), expected);
    }
}

TEST_F(GameJournalTest, RecoveryLeavesOutDamagedLinesAloneAndABatchCutShortWhole) {
    const std::string head = "#kind=french\ndraw,time,croupier,pocket\n1,,,5\n2,,Zoé,6\n";
    struct Case {
        std::string text;
        std::string marker;
        std::vector<int> pockets;
        std::vector<int> damagedLines;
        int unfinishedBatch = 0;
    } cases[] = {
        {head, "", {5, 6}, {}},
        {head + "3,2023-11-", "", {5, 6}, {5}},
        {head + "3,,,7", "", {5, 6}, {5}},  // whole-looking, but its line end never came
        {head + "3,,,x\n4,,Zoé,1\n", "", {5, 6, 1}, {5}},
        {"#kind=french\ndraw,time,croupier,pocket\n1,,,2\n2,,,99\n3,,,29\n4,,,5\n",
         "",
         {2, 29, 5},
         {4}},
        // A stray quote takes its own line only; a number out of order is still a draw.
        {head + "3,,\"Zo,7\n9,,,8\n,,,9\n\0\0\0\n5,,,10\n"s, "", {5, 6, 8, 10}, {5, 7, 8}},
        // Empty lines and notes in the middle are no damage.
        {head + "\n#stakes=x\n3,,,7\n", "", {5, 6, 7}, {}},
        {head + "3,,,7\n4,,,8\n", "2 5\n", {5, 6}, {}, 3},  // the batch of 3 draws came in part
        {head + "3,,,7\n4,,,8\n5,,,9\n", "2 5\n", {5, 6, 7, 8, 9}, {}},
        {head + "3,,,7\n4,,", "2 5\n", {5, 6}, {}, 3},
        {head, "2 4\n", {5, 6}, {}, 2},  // none of it came
        {head + "3,,,x\n4,,,8\n", "3 6\n", {5, 6}, {5}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        test::WriteFile(journal.file(), c.text);
        std::filesystem::remove(journal.batchMarkerFile());
        if (!c.marker.empty()) test::WriteFile(journal.batchMarkerFile(), c.marker);
        const auto back = journal.RecoverLeftover(RouletteKind::French);
        ASSERT_TRUE(back.has_value());
        ASSERT_TRUE(back->game.ok()) << back->game.error->message;
        std::vector<int> pockets(back->game.log.draws().begin(), back->game.log.draws().end());
        EXPECT_EQ(pockets, c.pockets);
        EXPECT_EQ(back->damagedLines, c.damagedLines);
        EXPECT_EQ(back->unfinishedBatch, c.unfinishedBatch);
    }
    std::filesystem::remove(journal.batchMarkerFile());
    test::WriteFile(journal.file(), head + "3,,,x\n4,,Zoé,1\n");
    const auto back = journal.RecoverLeftover(RouletteKind::French);
    ASSERT_EQ(back->game.log.drawCount(), 3);
    EXPECT_EQ(back->game.croupierNames, std::vector<std::string>{"Zoé"});
    EXPECT_EQ(back->game.log.drawCroupier(3), 1);

    test::WriteFile(journal.file(), "#kind=french\ndraw,time,cr");
    EXPECT_FALSE(journal.RecoverLeftover(RouletteKind::French)->game.ok());
}

TEST_F(GameJournalTest, ADamagedJournalIsCopiedAsItStandsBesideItself) {
    const std::string damaged = "#kind=french\ndraw,time,croupier,pocket\n1,,,99\n2,,,5\n";
    test::WriteFile(journal.file(), damaged);
    const auto copy = KeepDamagedCopy(journal.file(), someTime);
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(*copy, dir / "current-game.damaged-20231114-221320.csv");
    EXPECT_EQ(test::ReadFile(*copy), damaged);
    // A second copy in the same second takes a name of its own.
    const auto second = KeepDamagedCopy(journal.file(), someTime);
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(*second, dir / "current-game.damaged-20231114-221320-2.csv");
    EXPECT_EQ(test::ReadFile(*copy), damaged);
}

TEST_F(GameJournalTest, AJournalThatCannotBeWrittenFailsOnceAndLeavesTheGameAlone) {
    if (::geteuid() == 0) {
        // root writes into read-only directories; a directory in the journal's place fails too.
        std::filesystem::create_directory(journal.file());
    } else {
        std::filesystem::permissions(
            dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    }
    log.Append(5, someTime, 1);
    EXPECT_FALSE(journal.Sync(log, RouletteKind::French));
    EXPECT_TRUE(journal.failed());
    log.Append(6, someTime, 1);
    EXPECT_FALSE(journal.Sync(log, RouletteKind::French));
    EXPECT_EQ(log.drawCount(), 2);
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
    std::filesystem::remove(journal.file());
    // A new start tries again.
    EXPECT_TRUE(journal.Start(log, RouletteKind::French));
    EXPECT_FALSE(journal.failed());
    EXPECT_EQ(Journal(), Expected());
}

TEST_F(GameJournalTest, AGameStartedInTheBackgroundLandsAsStartWritesItBeforeTheNextChange) {
    std::vector<std::pair<bool, int>> heard;
    journal.SetBatchListener([&](bool written, int draws) { heard.emplace_back(written, draws); });
    for (int i = 0; i < 5000; ++i) log.Append(i % 37, someTime + i * 30, 1 + i / 700 % 2);
    const std::vector<GameFileNote> notes = {{"stakes", "red=100", 0}, {"file", "/a/b.csv", 5000}};
    ASSERT_TRUE(journal.StartInBackground(log, RouletteKind::French, notes));
    // The game handed over is the journal's own copy: changes after it are the next change's.
    log.Append(7, someTime, 2);
    ASSERT_TRUE(journal.Sync(log, RouletteKind::French, notes));
    EXPECT_EQ(Journal(), WriteGameFile(log, RouletteKind::French, &Names, {}, notes));
    EXPECT_EQ(heard, (std::vector<std::pair<bool, int>>{{true, 0}}));
    EXPECT_EQ(journal.journaledDraws(), 5001);

    // A failure is heard, and the next change tries the whole game again.
    ASSERT_TRUE(journal.Retire());
    std::filesystem::create_directory(journal.file());
    ASSERT_TRUE(journal.StartInBackground(log, RouletteKind::French, {}));
    journal.WaitForBatch();
    EXPECT_TRUE(journal.failed());
    EXPECT_EQ(heard.back(), std::make_pair(false, 0));
    std::filesystem::remove(journal.file());
    ASSERT_TRUE(journal.Sync(log, RouletteKind::French));
    EXPECT_FALSE(journal.failed());
    EXPECT_EQ(Journal(), Expected());
}

DrawLog LogOf(std::initializer_list<Pocket> pockets) {
    DrawLog log;
    for (Pocket p : pockets) log.Append(p, std::nullopt, 0);
    return log;
}

TEST(GameJournalSlots, EachCopyKeepsAJournalOfItsOwnAndNeverTouchesAnother) {
    test::TempDir dir;
    GameJournal first(dir.path());
    ASSERT_TRUE(first.Sync(LogOf({5}), RouletteKind::French));
    GameJournal second(dir.path());
    EXPECT_EQ(second.slot(), 2);
    EXPECT_EQ(second.file(), dir / "current-game-2.csv");
    EXPECT_EQ(second.previousFile(), dir / "previous-game-2.csv");
    // The first copy's live journal is no leftover of the second's.
    EXPECT_FALSE(second.RecoverLeftover(RouletteKind::French).has_value());
    ASSERT_TRUE(second.Sync(LogOf({7, 8}), RouletteKind::NoZero));
    EXPECT_EQ(GameJournal(dir.path()).slot(), 3);
    ASSERT_TRUE(second.Retire());
    const std::string firstGame = "#kind=french\ndraw,time,croupier,pocket\n1,,,5\n";
    EXPECT_EQ(test::ReadFile(first.file()), firstGame);
    EXPECT_FALSE(std::filesystem::exists(first.previousFile()));
    EXPECT_EQ(test::ReadFile(second.previousFile()),
              "#kind=nozero\ndraw,time,croupier,pocket\n1,,,7\n2,,,8\n");
    ASSERT_TRUE(first.Sync(LogOf({5, 6}), RouletteKind::French));
    EXPECT_EQ(test::ReadFile(first.file()), firstGame + "2,,,6\n");
}

TEST(GameJournalSlots, AJournalWhoseOwnerWasKilledIsTakenOverAsALeftover) {
    test::TempDir dir;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t owner = ::fork();
    ASSERT_GE(owner, 0);
    if (owner == 0) {
        GameJournal journal(dir.path());
        const bool written = journal.Sync(LogOf({1, 2, 3}), RouletteKind::French);
        const char byte = written && journal.slot() == 1 ? 'y' : 'n';
        if (::write(ready[1], &byte, 1) != 1) ::_exit(1);
        for (;;) ::pause();
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ASSERT_EQ(byte, 'y');
    {
        GameJournal whileAlive(dir.path());
        EXPECT_EQ(whileAlive.slot(), 2);
        EXPECT_FALSE(whileAlive.RecoverLeftover(RouletteKind::French).has_value());
    }
    ::kill(owner, SIGKILL);
    ::waitpid(owner, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    GameJournal after(dir.path());
    EXPECT_EQ(after.slot(), 1);
    const auto left = after.RecoverLeftover(RouletteKind::French);
    ASSERT_TRUE(left && left->game.ok());
    EXPECT_EQ(left->game.log.drawCount(), 3);
}

TEST(GameJournalSlots, AnOrphanOfAnotherSlotMovesIntoTheFreeSlotWithItsMarker) {
    test::TempDir dir;
    const std::string orphan = "#kind=french\ndraw,time,croupier,pocket\n1,,,5\n2,,,6\n";
    test::WriteFile(dir / "current-game-3.csv", orphan);
    test::WriteFile(dir / "current-game-3.csv.batch", "1 4\n");
    GameJournal journal(dir.path());
    EXPECT_EQ(journal.slot(), 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "current-game-3.csv"));
    EXPECT_EQ(test::ReadFile(journal.file()), orphan);
    const auto left = journal.RecoverLeftover(RouletteKind::French);
    ASSERT_TRUE(left && left->game.ok());
    EXPECT_EQ(left->game.log.drawCount(), 1);
    EXPECT_EQ(left->unfinishedBatch, 3);
}

}  // namespace
}  // namespace spinalyst
