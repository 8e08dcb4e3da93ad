#include "core/draws/game_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

#include "test_support.h"

namespace spinalyst {
namespace {

// The tests run with TZ=UTC, so local times read as UTC.
constexpr DrawTime someTime = 1'700'000'000;  // 2023-11-14T22:13:20

TEST(GameFile, WritesRowsAndReadsThemBack) {
    const std::map<std::int32_t, std::string> names = {
        {3, "Zoé"}, {1, "Dupont, Jean"}, {2, "Le \"Grand\""}, {4, " Alain "},
        {5, ""},    {6, "two\nlines"},   {7, "a\rb\r"}};
    const CroupierNameLookup lookup = [&](std::int32_t c) -> std::optional<std::string> {
        auto it = names.find(c);
        return it == names.end() ? std::nullopt : std::optional<std::string>(it->second);
    };
    DrawLog log;
    log.Append(DoubleZero, someTime, 3);
    log.Append(0, std::nullopt, 1);
    log.Append(36, someTime + 1, 3);
    log.Append(5, someTime + 2, 2);
    log.Append(7, std::nullopt, 0);
    log.Append(8, std::nullopt, 4);
    log.Append(9, std::nullopt, 5);   // an empty name is no croupier in the file
    log.Append(10, std::nullopt, 9);  // a number without a name too
    log.Append(11, std::nullopt, 6);
    log.Append(12, std::nullopt, 7);

    const std::string text = WriteGameFile(log, RouletteKind::American, lookup);
    EXPECT_EQ(text,
              "#kind=american\n"
              "draw,time,croupier,pocket\n"
              "1,2023-11-14T22:13:20+00:00,Zoé,00\n"
              "2,,\"Dupont, Jean\",0\n"
              "3,2023-11-14T22:13:21+00:00,Zoé,36\n"
              "4,2023-11-14T22:13:22+00:00,\"Le \"\"Grand\"\"\",5\n"
              "5,,,7\n"
              "6,, Alain ,8\n"
              "7,,,9\n"
              "8,,,10\n"
              "9,,\"two\nlines\",11\n"
              "10,,\"a\rb\r\",12\n");

    const GameFile game = ParseGameFile(text, RouletteKind::American);
    ASSERT_TRUE(game.ok()) << game.error->message;
    EXPECT_EQ(game.croupierNames, (std::vector<std::string>{"Zoé", "Dupont, Jean", "Le \"Grand\"",
                                                            " Alain ", "two\nlines", "a\rb\r"}));
    const struct {
        Pocket pocket;
        std::optional<DrawTime> time;
        std::int32_t croupier;
    } expected[] = {{DoubleZero, someTime, 1}, {0, std::nullopt, 2},  {36, someTime + 1, 1},
                    {5, someTime + 2, 3},      {7, std::nullopt, 0},  {8, std::nullopt, 4},
                    {9, std::nullopt, 0},      {10, std::nullopt, 0}, {11, std::nullopt, 5},
                    {12, std::nullopt, 6}};
    ASSERT_EQ(game.log.drawCount(), 10);
    for (int n = 1; n <= 10; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(game.log.draw(n), expected[n - 1].pocket);
        EXPECT_EQ(game.log.drawTime(n), expected[n - 1].time);
        EXPECT_EQ(game.log.drawCroupier(n), expected[n - 1].croupier);
    }
    EXPECT_EQ(WriteGameFile(DrawLog{}, RouletteKind::NoZero, {}),
              "#kind=nozero\ndraw,time,croupier,pocket\n");
}

// Long enough that the reader makes room for the rows from the length of the first ones, and
// with rows that grow longer as the draw numbers do.
TEST(GameFile, ALongGameReadsBackWhole) {
    DrawLog log;
    for (int n = 1; n <= 20'000; ++n)
        log.Append(n % 38, n % 7 == 0 ? std::nullopt : std::optional<DrawTime>(someTime + n * 13),
                   n % 5);
    const std::string text = WriteGameFile(log, RouletteKind::American, [](std::int32_t c) {
        return std::optional<std::string>(c == 4 ? "Zoé, \"la\"" : "C" + std::to_string(c));
    });
    const GameFile game = ParseGameFile(text, RouletteKind::American);
    ASSERT_TRUE(game.ok()) << game.error->message;
    EXPECT_EQ(game.croupierNames, (std::vector<std::string>{"C1", "C2", "C3", "Zoé, \"la\""}));
    ASSERT_EQ(game.log.drawCount(), log.drawCount());
    for (int n = 1; n <= log.drawCount(); ++n) {
        ASSERT_EQ(game.log.draw(n), log.draw(n)) << n;
        ASSERT_EQ(game.log.drawTime(n), log.drawTime(n)) << n;
        ASSERT_EQ(game.log.drawCroupier(n), log.drawCroupier(n)) << n;
    }
}

TEST(GameFile, ToleratesByteOrderMarkCrlfQuotedFieldsAndTrailingEmptyLines) {
    const char* text =
        "\xEF\xBB\xBF"
        "draw,time,croupier,pocket\r\n"
        "1,2000-02-29T00:00:00,\"B\",\"17\"\r\n"
        "2,,A,3\r\n"
        "3,1970-01-01T00:00:01,B,4\r\n"
        "\r\n\n";
    const GameFile game = ParseGameFile(text, RouletteKind::French);
    ASSERT_TRUE(game.ok()) << game.error->message;
    EXPECT_EQ(game.croupierNames, (std::vector<std::string>{"B", "A"}));
    ASSERT_EQ(game.log.drawCount(), 3);
    EXPECT_EQ(game.log.draw(1), 17);
    EXPECT_EQ(game.log.drawTime(1), 951'782'400);
    EXPECT_EQ(game.log.drawCroupier(3), 1);
    EXPECT_EQ(game.log.drawTime(3), 1);  // the first second a draw can keep
    EXPECT_TRUE(ParseGameFile("draw,time,croupier,pocket", RouletteKind::French).ok());

    EXPECT_TRUE(IsGameFile(text));
    EXPECT_TRUE(IsGameFile("draw,time,croupier,pocket"));
    EXPECT_FALSE(IsGameFile("draw,time,croupier,pocket,extra\n1,,,1\n"));
    EXPECT_FALSE(IsGameFile("1 2 3\n"));
    EXPECT_FALSE(IsGameFile(""));
}

TEST(GameFile, NotesStandBetweenTheRowsWhereTheyWereWrittenAndKeepAnyValue) {
    DrawLog log;
    for (Pocket p : {5, 6, 7}) log.Append(p, std::nullopt, 0);
    const std::vector<GameFileNote> notes = {
        {"stakes", "plein:17=100", 0},
        {"file", "/home/zoé/50% off\nreally\r.csv", 2},
        {"stakes", "", 2},
        {"freeze", "later", 9},  // past the last row: after it
    };
    const std::string text = WriteGameFile(log, RouletteKind::French, {}, {}, notes);
    EXPECT_EQ(text,
              "#kind=french\ndraw,time,croupier,pocket\n"
              "#stakes=plein:17=100\n1,,,5\n2,,,6\n"
              "#file=/home/zoé/50%25 off%0Areally%0D.csv\n#stakes=\n3,,,7\n#freeze=later\n");
    const GameFile game = ParseGameFile(text, RouletteKind::French);
    ASSERT_TRUE(game.ok()) << game.error->message;
    EXPECT_EQ(game.log.drawCount(), 3);
    std::vector<GameFileNote> read = notes;
    read.back().afterDraw = 3;
    EXPECT_EQ(game.notes, read);
    // A comment line in any shape is skipped, and one with a quote does not run on.
    const GameFile odd = ParseGameFile("draw,time,croupier,pocket\n#\n#no equals \"\n1,,,5\n#=\n",
                                       RouletteKind::French);
    ASSERT_TRUE(odd.ok()) << odd.error->message;
    EXPECT_EQ(odd.log.drawCount(), 1);
    EXPECT_EQ(odd.notes,
              (std::vector<GameFileNote>{{"", "", 0}, {"", "no equals \"", 0}, {"", "", 1}}));
}

TEST(GameFile, TheKindLineOrThePocketsSettleTheKind) {
    const std::string header = "draw,time,croupier,pocket\n";
    using K = RouletteKind;
    struct Case {
        std::string text;
        KindRule rule;
        K kind;
    } cases[] = {
        // The kind line, unless a kind is forced.
        {"#kind=american\n" + header + "1,,,5\n", {std::nullopt, K::French}, K::American},
        {"#kind=nozero\r\n" + header + "1,,,5\n", {std::nullopt, K::French}, K::NoZero},
        {"#kind=nozero\n" + header + "1,,,5\n", {K::French, K::American}, K::French},
        // Without it: the current kind when it holds every pocket, else the smallest.
        {header + "1,,,5\n", {std::nullopt, K::NoZero}, K::NoZero},
        {header + "1,,,5\n", {std::nullopt, K::American}, K::American},
        {header + "1,,,0\n", {std::nullopt, K::NoZero}, K::French},
        {header + "1,,,0\n2,,,00\n", {std::nullopt, K::French}, K::American},
        {header, {std::nullopt, K::NoZero}, K::NoZero},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_TRUE(IsGameFile(c.text));
        const GameFile game = ParseGameFile(c.text, c.rule);
        ASSERT_TRUE(game.ok()) << game.error->message;
        EXPECT_EQ(game.kind, c.kind);
    }

    struct Bad {
        std::string text;
        KindRule rule;
        int line;
        const char* message;
    } bad[] = {
        {"#kind=nozero\n" + header + "1,,,0\n",
         {std::nullopt, K::French},
         3,
         "'0' is not a pocket of the nozero wheel"},
        {"#kind=european\n" + header, {std::nullopt, K::French}, 1, "is no kind line"},
        {"#kind=french\n", {std::nullopt, K::French}, 2, "the second line must be"},
        {"#kind=french\n1 2 3\n", {std::nullopt, K::French}, 2, "the second line must be"},
        {header + "1,,,38\n", {std::nullopt, K::French}, 2, "'38' is not a pocket of any wheel"},
    };
    for (const Bad& c : bad) {
        SCOPED_TRACE(c.text);
        const GameFile game = ParseGameFile(c.text, c.rule);
        ASSERT_FALSE(game.ok());
        EXPECT_EQ(game.error->line, c.line);
        EXPECT_NE(game.error->message.find(c.message), std::string::npos) << game.error->message;
    }
    // A spin list that begins with a comment like a kind line is still a spin list.
    EXPECT_FALSE(IsGameFile("#kind=french\n1 2 3\n"));
    const GameFile spins = ParseGameOrSpinList("#kind=french\n1 2 00\n", {std::nullopt, K::French});
    ASSERT_TRUE(spins.ok());
    EXPECT_EQ(spins.kind, K::American);
    EXPECT_EQ(spins.log.drawCount(), 3);
}

TEST(GameFile, TimesKeepTheirInstantWithOrWithoutAnOffset) {
    const test::TimeZone paris("Europe/Paris");
    const std::string header = "draw,time,croupier,pocket\n";
    constexpr DrawTime firstHalfPast2 = 1'698'539'400;  // 2023-10-29T00:30:00Z, 02:30 CEST
    struct Case {
        std::string rows;  // the row read last gives the time
        DrawTime time;
    } cases[] = {
        {"1,2023-11-14T23:13:20,,1\n", someTime},
        {"1,2023-11-14T23:13:20+01:00,,1\n", someTime},
        {"1,2023-11-14T22:13:20Z,,1\n", someTime},
        {"1,2023-11-15T03:43:20+05:30,,1\n", someTime},
        {"1,2023-11-14T17:13:20-05:00,,1\n", someTime},
        {"1,2023-11-14T22:13:20+00:00,,1\n", someTime},
        // The hour repeated when summer time ends: without an offset, always its first pass,
        // whatever the rows before.
        {"1,2023-10-29T02:30:00,,1\n", firstHalfPast2},
        {"1,2023-10-29T01:30:00,,1\n2,2023-10-29T02:30:00,,1\n", firstHalfPast2},
        {"1,2023-10-29T03:30:00,,1\n2,2023-10-29T02:30:00,,1\n", firstHalfPast2},
        {"1,2023-10-29T02:30:00+02:00,,1\n", firstHalfPast2},
        {"1,2023-10-29T02:30:00+01:00,,1\n", firstHalfPast2 + 3600},
        // The hour skipped when summer time starts reads with the offset before the change.
        {"1,2023-03-26T02:30:00,,1\n", 1'679'794'200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows);
        const GameFile game = ParseGameFile(header + c.rows, RouletteKind::French);
        ASSERT_TRUE(game.ok()) << game.error->message;
        EXPECT_EQ(game.log.drawTime(game.log.drawCount()), c.time);
    }
    // Both passes of the repeated hour are written with their offset and read back the same.
    DrawLog log;
    log.Append(1, firstHalfPast2, 0);
    log.Append(2, firstHalfPast2 + 3600, 0);
    const std::string text = WriteGameFile(log, RouletteKind::French, {});
    EXPECT_EQ(text, "#kind=french\n" + header +
                        "1,2023-10-29T02:30:00+02:00,,1\n"
                        "2,2023-10-29T02:30:00+01:00,,2\n");
    const GameFile back = ParseGameFile(text, RouletteKind::French);
    EXPECT_EQ(back.log.drawTime(1), firstHalfPast2);
    EXPECT_EQ(back.log.drawTime(2), firstHalfPast2 + 3600);

    // A zone whose offset has seconds, as some had in the 1970s.
    const test::TimeZone odd("LMT0:44:30");
    log.Clear();
    log.Append(1, someTime, 0);
    const std::string oddText = WriteGameFile(log, RouletteKind::French, {});
    EXPECT_EQ(oddText, "#kind=french\n" + header + "1,2023-11-14T21:28:50-00:44:30,,1\n");
    EXPECT_EQ(ParseGameFile(oddText, RouletteKind::French).log.drawTime(1), someTime);
}

TEST(GameFile, ABadRowIsAnErrorNamingItsLineAndNothingIsReturned) {
    const std::string header = "draw,time,croupier,pocket\n";
    struct Case {
        std::string text;
        int line;
        const char* message;
    } cases[] = {
        {"", 1, "the first line must be 'draw,time,croupier,pocket'"},
        {"Draw,Time,Croupier,Pocket\n1,,,1\n", 1, "the first line must be"},
        {header + "1,,A,1\n2,,B\n", 3, "a row has 4 fields"},
        {header + "1,,A,1,\n", 2, "this one 5"},
        {header + "2,,,1\n", 2, "draw '2' where draw 1 was expected"},
        {header + "1,,,1\n01,,,2\n", 3, "draw '01' where draw 2 was expected"},
        {header + "1,2023-02-29T10:00:00,,1\n", 2, "is not a time"},
        {header + "1,2023-11-14 22:13:20,,1\n", 2, "is not a time"},
        {header + "1,2023-11-14T24:00:00,,1\n", 2, "is not a time"},
        {header + "1,,,1\n2,1969-12-31T23:59:59,,1\n", 3, "lies outside 1970 to 2106"},
        {header + "1,,,37\n", 2, "'37' is not a pocket of the french wheel"},
        {header + "1,,,00\n", 2, "'00' is not a pocket of the french wheel"},
        {header + "1,,,\n", 2, "'' is not a pocket"},
        {header + "1,,\"Zoé,1\n", 2, "no closing quote"},
        {header + "1,,\"Zoé\"x,1\n", 2, "a closing quote must end its field"},
        {header + "1,,Zo\"é,1\n", 2, "must be quoted"},
        {header + "1,,\xC3,1\n", 2, "not UTF-8"},
        {header + "1,,,1\n\n2,,,2\n", 3, "an empty line may only come after the last row"},
        {header + "1,,,1\n \n", 3, "a row has 4 fields"},
        {header + "1,,Zo\ré,1\n", 2, "this one 3: a carriage return ends it"},
        {"draw,time,croupier,pocket\r1,,A,1\r2,,B\r", 3, "this one 3"},
        {header + "1,,\"a\nb\",1\n2,,,x\n", 4, "'x' is not a pocket"},
        {header + "1,,\"a\r\nb,1\n2,,,1\n", 2, "no closing quote"},
        {header + "1,2023-11-14T22:13:20+1:00,,1\n", 2, "is not a time"},
        {header + "1,2023-11-14T22:13:20+01:60,,1\n", 2, "is not a time"},
        {header + "1,2023-11-14T22:13:20+0100,,1\n", 2, "is not a time"},
        {header + "1,2023-11-14T22:13:20z,,1\n", 2, "is not a time"},
        {header + "1,1970-01-01T00:30:00+01:00,,1\n", 2, "lies outside 1970 to 2106"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const GameFile game = ParseGameFile(c.text, RouletteKind::French);
        ASSERT_FALSE(game.ok());
        EXPECT_EQ(game.log.drawCount(), 0);
        EXPECT_TRUE(game.croupierNames.empty());
        EXPECT_EQ(game.error->line, c.line);
        EXPECT_EQ(game.error->column, 0);
        EXPECT_NE(game.error->message.find(c.message), std::string::npos) << game.error->message;
    }
    EXPECT_EQ(FormatParseError("game.csv",
                               *ParseGameFile(header + "1,,,x\n", RouletteKind::NoZero).error),
              "game.csv:2: 'x' is not a pocket of the nozero wheel");
}

}  // namespace
}  // namespace spinalyst
