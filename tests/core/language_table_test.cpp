#include "core/store/language_table.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <string_view>

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

// The shipped texts of a language, by number.
std::map<std::int32_t, std::string> ShippedTexts(const char* code) {
    const auto text = ReadWholeFile(std::filesystem::path(SPINALYST_SOURCE_DATA_DIR) /
                                    (std::string("spinalyst_") + code + ".lang"));
    std::map<std::int32_t, std::string> texts;
    if (!text) return texts;
    for (const auto& row : ParseTextTable(*text, {"NUMERO", "TEXT"}).rows)
        texts[std::stoi(row[0])] = row[1];
    return texts;
}

TEST(LanguageFiles, FrenchPunctuationStandsAfterANonBreakingSpace) {
    const std::string nbsp = "\u00a0";
    for (const auto& [id, text] : ShippedTexts("FR")) {
        for (std::size_t at = 1; at < text.size(); ++at) {
            const char c = text[at];
            if (c != ':' && c != ';' && c != '?' && c != '!') continue;
            // File filters ("(*.csv);;Tous") and placeholders ("%p%") are not prose.
            if (c == ';' && (text[at - 1] == ';' || text[at + 1] == ';')) continue;
            EXPECT_TRUE(at >= nbsp.size() && text.compare(at - nbsp.size(), nbsp.size(), nbsp) == 0)
                << id << ": " << text;
        }
    }
}

TEST(Plurals, OneTakesTheSingularAndInFrenchZeroToo) {
    struct Case {
        Language language;
        long long count;
        bool singular;
    } cases[] = {
        {Language::English, 0, false}, {Language::English, 1, true},
        {Language::English, 2, false}, {Language::English, 21, false},
        {Language::French, 0, true},   {Language::French, 1, true},
        {Language::French, 2, false},  {Language::French, 1'000'000, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TakesSingular(c.language, c.count), c.singular)
            << static_cast<int>(c.language) << " " << c.count;
    EXPECT_EQ(LanguageOfCode("FR"), Language::French);
    EXPECT_EQ(LanguageOfCode("fr"), Language::French);
    for (std::string_view other : {"EN", "", "FRA", "DE"})
        EXPECT_EQ(LanguageOfCode(other), Language::English) << other;

    EXPECT_EQ(CountedTextId(TextId::DrawsTested, Language::English, 1), TextId::DrawsTestedOne);
    EXPECT_EQ(CountedTextId(TextId::DrawsTested, Language::English, 0), TextId::DrawsTested);
    EXPECT_EQ(CountedTextId(TextId::DrawsTested, Language::French, 0), TextId::DrawsTestedOne);
    EXPECT_EQ(CountedTextId(TextId::DrawsTested, Language::French, 3), TextId::DrawsTested);
    // A text without a singular of its own stays as it is.
    EXPECT_EQ(CountedTextId(TextId::MoreFindings, Language::English, 1), TextId::MoreFindings);
}

TEST(Plurals, BothFormsOfACountedTextHoldTheSamePlaceholders) {
    const auto placeholders = [](const std::string& text) {
        std::multiset<std::string> found;
        for (std::size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 1))
            if (at + 1 < text.size() && std::isdigit(static_cast<unsigned char>(text[at + 1])))
                found.insert(text.substr(at, 2));
        return found;
    };
    for (const char* code : {"EN", "FR"}) {
        const auto texts = ShippedTexts(code);
        for (const CountedTextForms& forms : countedTexts) {
            const auto plural = texts.find(static_cast<std::int32_t>(forms.plural));
            const auto singular = texts.find(static_cast<std::int32_t>(forms.singular));
            ASSERT_NE(plural, texts.end());
            ASSERT_NE(singular, texts.end());
            EXPECT_EQ(placeholders(plural->second), placeholders(singular->second))
                << code << " " << plural->first;
            EXPECT_NE(plural->second, singular->second) << code << " " << plural->first;
        }
    }
}

}  // namespace
}  // namespace spinalyst
