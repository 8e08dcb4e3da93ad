#include "core/draws/croupier_table.h"

#include <gtest/gtest.h>

#include <map>

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

TEST(CroupierTable, AGameFromAFileKeepsItsCroupiersByName) {
    TempDir dir;
    CroupierTable table;
    table.Load(dir / "croupiers");
    table.AddCroupier("Zoé");
    DrawLog log;
    log.Append(1, std::nullopt, 1);  // the file's Alain
    log.Append(2, std::nullopt, 2);  // its Zoé
    log.Append(3, std::nullopt, 0);
    log.Append(4, std::nullopt, 3);  // a name longer than the table keeps
    log.Append(5, std::nullopt, 4);  // a name with a tab and a line break
    const std::vector<std::string> names = {"Alain", "Zoé", "Maximilien-Alexandre Dupont",
                                            "a\tb\nc"};
    EXPECT_EQ(AdoptCroupiers(log, names, table), 3);
    EXPECT_EQ(log.drawCroupier(1), 2);
    EXPECT_EQ(log.drawCroupier(2), 1);
    EXPECT_EQ(log.drawCroupier(3), 0);
    EXPECT_EQ(table.CroupierName(log.drawCroupier(4)), "Maximilien-Alexandre");
    // Written at once, and read back the same.
    CroupierTable reread;
    reread.Load(dir / "croupiers");
    EXPECT_EQ(reread.CroupierName(log.drawCroupier(5)), "a\tb\nc");
    // Known names, the cut one included, add nothing the second time.
    EXPECT_EQ(AdoptCroupiers(log, {}, table), 0);
    DrawLog again;
    again.Append(6, std::nullopt, 1);
    EXPECT_EQ(AdoptCroupiers(again, {"Maximilien-Alexandre Dupont"}, table), 0);
    EXPECT_EQ(again.drawCroupier(1), log.drawCroupier(4));
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

TEST(CroupierTable, EveryDamageKeepsItsOwnBackup) {
    TempDir dir;
    const auto file = dir / "croupiers";
    const std::string first = "idx\tname\n1\tZoé\nbroken\n";
    const std::string second = "idx\tname\n1\tZoé\n2\tLuc\nbroken again\n";
    const std::string third = "idx\tname\n1\tZoé\n\tno number\n";
    struct Step {
        const std::string& damage;
        const char* newBackup;  // nullptr: the damage is already kept
    } steps[] = {{first, "croupiers.bak"},
                 {second, "croupiers.bak.1"},
                 {first, nullptr},
                 {third, "croupiers.bak.2"}};
    std::map<std::string, std::string> kept;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.damage);
        WriteFile(file, step.damage);
        CroupierTable table;
        ASSERT_EQ(table.Load(file), CroupierTable::LoadResult::Damaged);
        table.AddCroupier("Marc");
        ASSERT_FALSE(table.lastSaveFailed());
        if (step.newBackup) kept[step.newBackup] = step.damage;
        std::map<std::string, std::string> backups;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            if (entry.path().filename() != "croupiers")
                backups[entry.path().filename().string()] = ReadFile(entry.path());
        EXPECT_EQ(backups, kept);
    }
}

TEST(CroupierTable, ANumberThatLeavesNoRoomStillGivesAFreeOne) {
    CroupierTable table;
    table.LoadFromText("idx\tname\n2147483646\tMax\n3\tEve\n");
    EXPECT_EQ(table.AddCroupier("Ann"), 2147483647);
    EXPECT_EQ(table.AddCroupier("Zoé"), 1);
    EXPECT_EQ(table.AddCroupier("Luc"), 2);
    EXPECT_EQ(table.AddCroupier("Nina"), 4);
    const std::pair<std::int32_t, const char*> expected[] = {
        {1, "Zoé"}, {2, "Luc"}, {3, "Eve"}, {4, "Nina"}, {2147483646, "Max"}, {2147483647, "Ann"}};
    ASSERT_EQ(table.size(), 6);
    for (const auto& [idx, name] : expected) EXPECT_EQ(table.CroupierName(idx), name);
}

TEST(CroupierTable, ALineBreakInANameSurvivesTheFile) {
    TempDir dir;
    CroupierTable table;
    table.Load(dir / "croupiers");
    table.AddCroupier("a\rb\nc\r\n");
    CroupierTable reread;
    EXPECT_EQ(reread.Load(dir / "croupiers"), CroupierTable::LoadResult::Loaded);
    EXPECT_EQ(reread.CroupierName(1), "a\rb\nc\r\n");
}

TEST(CroupierTable, AFileInWindows1252IsReadAndWrittenBackAsUtf8AfterABackup) {
    TempDir dir;
    // Latin-1 lines from a hand edit beside a line already in UTF-8.
    const std::string original = "idx\tname\n1\tZo\xE9\n2\tJos\xC3\xA9\n3\tCaf\x80 \x81\n";
    WriteFile(dir / "croupiers", original);
    CroupierTable table;
    EXPECT_EQ(table.Load(dir / "croupiers"), CroupierTable::LoadResult::Recoded);
    EXPECT_EQ(table.CroupierName(1), "Zoé");
    EXPECT_EQ(table.CroupierName(2), "José");
    EXPECT_EQ(table.CroupierName(3), "Caf\u20AC \xC2\x81");
    EXPECT_EQ(table.CroupierIndex("Zoé"), 1);
    table.AddCroupier("Nina");
    EXPECT_EQ(ReadFile(dir / "croupiers.bak"), original);
    EXPECT_EQ(ReadFile(dir / "croupiers"),
              "idx\tname\n1\tZoé\n2\tJosé\n3\tCaf\u20AC \xC2\x81\n4\tNina\n");
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
