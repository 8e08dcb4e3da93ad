#include "draws/croupier_table.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace spinalyst {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(CroupierTable, NumbersFollowCreationAndListsFollowNames) {
    TempDir dir;
    CroupierTable table;
    EXPECT_EQ(table.Load(dir / "croupiers"), CroupierTable::LoadResult::Missing);
    EXPECT_EQ(table.AddCroupier("Zoé"), 1);
    EXPECT_EQ(table.AddCroupier("Alain"), 2);
    EXPECT_EQ(table.SortedNames(), (std::vector<std::string>{"Alain", "Zoé"}));
    EXPECT_EQ(table.CroupierIndex("Zoé"), 1);
    EXPECT_EQ(table.CroupierIndex("zoé"), std::nullopt);  // case counts
    EXPECT_EQ(table.CroupierIndex("Zo"), std::nullopt);
    EXPECT_EQ(table.CroupierName(2), "Alain");
    EXPECT_EQ(table.CroupierName(0), std::nullopt);
    EXPECT_EQ(table.CroupierName(3), std::nullopt);
    // Written at once: a second table reads both back.
    CroupierTable reread;
    EXPECT_EQ(reread.Load(dir / "croupiers"), CroupierTable::LoadResult::Loaded);
    EXPECT_EQ(reread.CroupierName(1), "Zoé");
    EXPECT_EQ(ReadFile(dir / "croupiers"), "idx\tname\n1\tZoé\n2\tAlain\n");
}

TEST(CroupierTable, NamesAreCutToTwentyCharactersAndMayBeEmptyOrRepeated) {
    CroupierTable table;
    table.LoadFromText("");
    EXPECT_EQ(CutToCharacters("Zoé", 2), "Zo");
    EXPECT_EQ(CutToCharacters("Zoé", 3), "Zoé");
    const std::string accented = "ééééééééééééééééééééé";  // 21 characters, 42 bytes
    table.AddCroupier(accented);
    EXPECT_EQ(table.CroupierName(1), accented.substr(0, 40));
    table.AddCroupier("");
    table.AddCroupier("Ann");
    table.AddCroupier("Ann");
    EXPECT_EQ(table.CroupierIndex(""), 2);
    EXPECT_EQ(table.CroupierIndex("Ann"), 3);
    EXPECT_EQ(table.SortedNames().front(), "");
}

TEST(CroupierTable, DamagedFileKeepsReadableRecordsAndABackup) {
    TempDir dir;
    const std::string original = "idx\tname\n1\tZoé\nbroken line\nx\tBad\n1\tAgain\n3\tLuc\n";
    WriteFile(dir / "croupiers", original);
    CroupierTable table;
    EXPECT_EQ(table.Load(dir / "croupiers"), CroupierTable::LoadResult::Damaged);
    EXPECT_EQ(table.size(), 2);
    EXPECT_EQ(table.CroupierName(1), "Zoé");
    EXPECT_EQ(table.CroupierName(3), "Luc");
    EXPECT_EQ(table.AddCroupier("Marc"), 4);  // never reuses a number that may be in use
    EXPECT_EQ(ReadFile(dir / "croupiers.bak"), original);
    EXPECT_EQ(ReadFile(dir / "croupiers"), "idx\tname\n1\tZoé\n3\tLuc\n4\tMarc\n");
    table.AddCroupier("Nina");  // the backup holds the original, not an intermediate state
    EXPECT_EQ(ReadFile(dir / "croupiers.bak"), original);
}

TEST(CroupierTable, FailedWriteKeepsTheCroupierInMemory) {
    TempDir dir;
    WriteFile(dir / "blocker", "x");
    CroupierTable table;
    table.Load(dir / "blocker" / "croupiers");
    EXPECT_EQ(table.AddCroupier("Zoé"), 1);
    EXPECT_TRUE(table.lastSaveFailed());
    EXPECT_EQ(table.CroupierIndex("Zoé"), 1);
}

}  // namespace
}  // namespace spinalyst
