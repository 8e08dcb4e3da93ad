#include "core/store/atomic_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "test_support.h"

namespace spinalyst {
namespace {

std::set<std::string> Names(const std::filesystem::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.insert(entry.path().filename().string());
    return names;
}

// A temporary that a write in progress holds, as another copy of the program would.
class LiveTemporary {
public:
    explicit LiveTemporary(const std::filesystem::path& file)
        : fd_(::open(file.c_str(), O_RDWR | O_CREAT, 0644)) {
        ::flock(fd_, LOCK_EX);
    }
    ~LiveTemporary() { ::close(fd_); }
    LiveTemporary(const LiveTemporary&) = delete;
    LiveTemporary& operator=(const LiveTemporary&) = delete;

private:
    int fd_;
};

TEST(AtomicFile, AWriteRemovesWhatInterruptedWritesOfTheSameFileLeftAndNothingElse) {
    test::TempDir dir;
    const std::set<std::string> kept = {
        ".game.csv.lock",    ".game.csv.Ab12C",  ".game.csv.Ab_2Cd", ".game.csv.Ab12Cde",
        ".other.csv.Ab12Cd", "game.csv.Ab12Cd",  ".game.csvXAb12Cd", ".game.csv.Live01",
        ".game.csv.Folder",  ".game.csv.Link01",
    };
    for (const std::string& name : kept)
        if (name != ".game.csv.Folder" && name != ".game.csv.Link01")
            test::WriteFile(dir / name, "x");
    std::filesystem::create_directory(dir / ".game.csv.Folder");
    std::filesystem::create_symlink(dir / "elsewhere", dir / ".game.csv.Link01");
    test::WriteFile(dir / ".game.csv.Ab12Cd", std::string(1000, 'x'));
    test::WriteFile(dir / ".game.csv.000000", "");
    LiveTemporary live(dir / ".game.csv.Live01");

    ASSERT_TRUE(WriteFileAtomically(dir / "game.csv", "new"));
    std::set<std::string> expected = kept;
    expected.insert("game.csv");
    EXPECT_EQ(Names(dir.path()), expected);
    EXPECT_EQ(test::ReadFile(dir / "game.csv"), "new");
    EXPECT_EQ(test::ReadFile(dir / ".game.csv.Live01"), "x");
}

TEST(AtomicFile, AFileWrittenPieceByPieceReplacesTheOldOneOnlyWhenCommitted) {
    test::TempDir dir;
    test::WriteFile(dir / "game.csv", "old");
    {
        AtomicFileWriter abandoned(dir / "game.csv");
        ASSERT_TRUE(abandoned.Write("half"));
        EXPECT_EQ(test::ReadFile(dir / "game.csv"), "old");
    }
    EXPECT_EQ(Names(dir.path()), std::set<std::string>{"game.csv"});
    AtomicFileWriter writer(dir / "game.csv");
    ASSERT_TRUE(writer.Write("new, "));
    ASSERT_TRUE(writer.Write(""));
    ASSERT_TRUE(writer.Write("whole"));
    ASSERT_TRUE(writer.Commit());
    EXPECT_EQ(test::ReadFile(dir / "game.csv"), "new, whole");
    EXPECT_EQ(Names(dir.path()), std::set<std::string>{"game.csv"});
    // Once committed, the writer has nothing more to put in place.
    EXPECT_FALSE(writer.Commit());
    AtomicFileWriter nowhere(dir / "game.csv" / "inside");
    EXPECT_FALSE(nowhere.Write("x"));
    EXPECT_FALSE(nowhere.Commit());
}

TEST(AtomicFile, TheTemporariesOfAChosenSetOfFilesGoAtOnce) {
    test::TempDir dir;
    for (const char* name : {".spinalyst.ini.Ab12Cd", ".croupiers.Zz99Yy", ".notes.txt.Ab12Cd",
                             ".current-game-2.csv.q1w2e3"})
        test::WriteFile(dir / name, "x");
    RemoveStaleTemporaries(dir.path(), [](std::string_view name) {
        return name == "spinalyst.ini" || name == "croupiers" || name.starts_with("current-game");
    });
    EXPECT_EQ(Names(dir.path()), std::set<std::string>{".notes.txt.Ab12Cd"});
}

}  // namespace
}  // namespace spinalyst
