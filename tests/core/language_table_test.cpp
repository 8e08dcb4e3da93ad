#include "core/store/language_table.h"

#include <gtest/gtest.h>

#include <set>

#include "core/store/atomic_file.h"
#include "core/store/text_table.h"
#include "test_support.h"

namespace spinalyst {
namespace {

TEST(TextTable, EscapesRoundTripAndDamagedLinesAreListed) {
    const std::vector<std::vector<std::string>> rows = {
        {"1", "tab\there"}, {"2", "two\nlines"}, {"3", "back\\slash \\n literal"},
        {"4", ""},          {"5", "a\rb\r"},     {"6", "\r\n"}};
    const std::string text = SerializeTextTable({"idx", "name"}, rows);
    EXPECT_EQ(text.substr(0, 9), "idx\tname\n");
    const TextTable back = ParseTextTable(text, {"idx", "name"});
    EXPECT_TRUE(back.headerFound);
    EXPECT_EQ(back.rows, rows);

    const TextTable damaged =
        ParseTextTable("idx\tname\r\nno tab here\n5\tZoé\n\n6\ta\tb\n", {"idx", "name"});
    EXPECT_EQ(damaged.rows, (std::vector<std::vector<std::string>>{{"5", "Zoé"}}));
    EXPECT_EQ(damaged.damagedLines, (std::vector<int>{2, 5}));
    EXPECT_EQ(UnescapeField("a\\qb\\"), "a\\qb\\");  // unknown escapes stay as typed
    EXPECT_EQ(EscapeField("a\rb"), "a\\rb");

    // A lone CR ends a line like LF does.
    const TextTable mac = ParseTextTable("idx\tname\r1\tZoé\r2\tLuc", {"idx", "name"});
    EXPECT_TRUE(mac.headerFound);
    EXPECT_EQ(mac.rows, (std::vector<std::vector<std::string>>{{"1", "Zoé"}, {"2", "Luc"}}));
}

TEST(LanguageTable, LookUpFramesMissingNumbersAndSkipsDamagedLines) {
    LanguageTable table;
    EXPECT_EQ(table.Text(TextId::Croupier), "");  // never opened
    table.LoadFromText(
        "NUMERO\tTEXT\n"
        "26\tCroupier\n"
        "27\n"                   // no tab
        "x28\tRandom\n"          // not a number
        "26\tSecond croupier\n"  // repeated: the first counts
        "29\tUn\\tdo\n"
        "30\tTwo\\rlines\n");
    EXPECT_EQ(table.Text(TextId::Croupier), "Croupier");
    EXPECT_EQ(table.Text(TextId::NewCroupierButton), "<!27!>");
    EXPECT_EQ(table.Text(TextId::RandomDraws), "<!28!>");
    EXPECT_EQ(table.Text(TextId::Undo), "Un\tdo");
    EXPECT_EQ(table.Text(TextId::DrawTimeHeader), "Two\rlines");
    EXPECT_EQ(table.Text(-3), "<!-3!>");
}

TEST(LanguageTable, MissingFileGivesFramedNumbers) {
    test::TempDir dir;
    LanguageTable table;
    EXPECT_FALSE(table.Load(dir / "spinalyst_XX.lang"));
    EXPECT_EQ(table.Text(TextId::MenuFile), "<!11!>");
}

TEST(LanguageFiles, BothHoldEveryTextTheProgramUsesAndNothingDamaged) {
    const std::vector<std::int32_t> ids = AllTextIds();
    const std::set<std::int32_t> used(ids.begin(), ids.end());
    EXPECT_EQ(used.size(), ids.size());
    for (const char* code : {"EN", "FR"}) {
        SCOPED_TRACE(code);
        const auto text = ReadWholeFile(std::filesystem::path(SPINALYST_SOURCE_DATA_DIR) /
                                        (std::string("spinalyst_") + code + ".lang"));
        ASSERT_TRUE(text);
        const TextTable table = ParseTextTable(*text, {"NUMERO", "TEXT"});
        EXPECT_TRUE(table.headerFound);
        EXPECT_TRUE(table.damagedLines.empty());
        std::set<std::int32_t> inFile;
        for (const auto& row : table.rows) {
            EXPECT_TRUE(inFile.insert(std::stoi(row[0])).second) << "repeated " << row[0];
            EXPECT_FALSE(row[1].empty()) << row[0];
        }
        EXPECT_EQ(inFile, used);
    }
}

}  // namespace
}  // namespace spinalyst
