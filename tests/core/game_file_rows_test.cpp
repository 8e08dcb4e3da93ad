// Most rows of a game are read by a shortcut that relies on the row before; every answer must be
// the one the reader that takes each row apart field by field gives.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/draws/game_file.h"
#include "test_support.h"

namespace spinalyst {
namespace {

constexpr DrawTime someTime = 1'700'000'000;  // 2023-11-14T22:13:20Z

// Both readings of text, compared in everything a reader returns.
void ExpectSameReading(std::string_view text, const KindRule& rule) {
    SCOPED_TRACE(::testing::Message() << "text: " << text);
    const GameFile fast = ParseGameFile(text, rule);
    const GameFile reference = ParseGameFileRowByRow(text, rule);
    ASSERT_EQ(fast.ok(), reference.ok());
    if (!fast.ok()) {
        EXPECT_EQ(fast.error->line, reference.error->line);
        EXPECT_EQ(fast.error->column, reference.error->column);
        EXPECT_EQ(fast.error->token, reference.error->token);
        EXPECT_EQ(fast.error->message, reference.error->message);
    }
    EXPECT_EQ(fast.kind, reference.kind);
    EXPECT_EQ(fast.statedKind, reference.statedKind);
    EXPECT_EQ(fast.croupierNames, reference.croupierNames);
    EXPECT_EQ(fast.wheelNames, reference.wheelNames);
    EXPECT_EQ(fast.notes, reference.notes);
    ASSERT_EQ(fast.log.drawCount(), reference.log.drawCount());
    for (int n = 1; n <= fast.log.drawCount(); ++n) {
        SCOPED_TRACE(n);
        ASSERT_EQ(fast.log.draw(n), reference.log.draw(n));
        ASSERT_EQ(fast.log.drawTime(n), reference.log.drawTime(n));
        ASSERT_EQ(fast.log.drawCroupier(n), reference.log.drawCroupier(n));
        ASSERT_EQ(fast.log.drawWheel(n), reference.log.drawWheel(n));
        ASSERT_EQ(fast.log.drawDirection(n), reference.log.drawDirection(n));
    }
}

TEST(GameFileRows, EachWayARowDiffersFromTheOneBeforeReadsAsFieldByField) {
    const std::string head = "#kind=french\ndraw,time,croupier,pocket\n";
    const std::string wide = "draw,time,croupier,pocket,wheel,direction\n";
    const std::string first = "1,2023-11-14T22:13:20+01:00,Zoé,17\n";
    const std::string rows[] = {
        // The row the shortcut is made for, and one of another hour, offset or croupier.
        "2,2023-11-14T22:59:59+01:00,Zoé,5\n",
        "2,2023-11-14T23:00:00+01:00,Zoé,5\n",
        "2,2023-11-14T22:13:21+02:00,Zoé,5\n",
        "2,2023-11-14T22:13:21Z,Zoé,5\n",
        "2,2023-11-14T22:13:21-00:44:30,Zoé,5\n",
        "2,2023-11-14T22:13:21,Zoé,5\n",
        "2,,Zoé,5\n",
        "2,2023-11-14T22:13:21+01:00,,5\n",
        "2,2023-11-14T22:13:21+01:00,Zoéline,5\n",
        "2,2023-11-14T22:13:21+01:00,Zo,5\n",
        "2,2023-11-14T22:13:21+01:00,\"Zoé\",5\n",
        "2,2023-11-14T22:13:21+01:00,Zoé,0\n",
        "2,2023-11-14T22:13:21+01:00,Zoé,36\r\n3,,Zoé,1\r",
        "2,2023-11-14T22:13:21+01:00,Zoé,9",
        // Rows that break the format where the row before did not.
        "3,2023-11-14T22:13:21+01:00,Zoé,5\n",
        "02,2023-11-14T22:13:21+01:00,Zoé,5\n",
        "2,2023-11-14T22:13:60+01:00,Zoé,5\n",
        "2,2023-11-14T22:13:2+01:00,Zoé,5\n",
        "2,2023-11-14T22:13:21+01:00x,Zoé,5\n",
        "2,2023-11-14T22:13:21+01,00,Zoé,5\n",
        "2,2023-11-14T22:13:21+01:00,Zoé,05\n",
        "2,2023-11-14T22:13:21+01:00,Zoé,00\n",
        "2,2023-11-14T22:13:21+01:00,Zoé,37\n",
        "2,2023-11-14T22:13:21+01:00,Zoé,5,\n",
        "2,2023-11-14T22:13:21+01:00,Zoé,5\"\n",
        "2,2023-11-14T22:13:21+01:00,Zoé\n",
        "2,2023-11-14T22:13:21+01:00,Zoé,\n",
        "2,2023-11-14T22:13:21+01:00,Zoé",
        "2,2023-11-14T22:13:21+01:00",
        "2,",
        "2,2023-11-14T22:13:21+01:00,Zo\"é,5\n",
        "2,2023-11-14T22:13:21+01:00,\"Zoé,5\n",
        "2,,Zoé,5\n\n3,,Zoé,6\n",
        "#stakes=red=1\n2,,Zoé,5\n",
    };
    for (const std::string& row : rows) {
        for (const RouletteKind kind : allKinds)
            ExpectSameReading(head + first + row, {kind, kind});
        ExpectSameReading(head + first + row, {std::nullopt, RouletteKind::NoZero});
    }
    const std::string bodies[] = {
        // A name that needs quotes is never the same name unquoted.
        "1,,\"Dupont, Jean\",17\n2,,Dupont, Jean,5\n",
        "1,,\"Le \"\"Grand\"\"\",17\n2,,Le \"Grand\",5\n",
        "1,,\"Dupont, Jean\",17\n2,,\"Dupont, Jean\",5\n",
        // The first time of the file near the earliest instant a draw can keep: the same hour
        // reaches before it.
        "1,1970-01-01T01:00:05+01:00,,1\n2,1970-01-01T01:00:00+01:00,,1\n",
    };
    for (const std::string& body : bodies)
        ExpectSameReading(head + body, {RouletteKind::French, RouletteKind::French});

    const std::string firstWide = "1,,Zoé,17,Table 2,cw\n";
    const std::string wideRows[] = {
        "2,,Zoé,5,Table 2,ccw\n", "2,,Zoé,5,Table 2,\n",
        "2,,Zoé,5,,cw\n",         "2,,Zoé,5,Table 3,cw\n",
        "2,,Zoé,5,Table 2,cwc\n", "2,,Zoé,5,Table 2,w\n",
        "2,,Zoé,5,Table 2\n",     "2,,Zoé,5\n",
        "2,,Zoé,5,Table 2,cw,\n", "2,,Zoé,5,Table 2,cw",
    };
    for (const std::string& row : wideRows)
        ExpectSameReading(wide + firstWide + row, {RouletteKind::French, RouletteKind::French});
}

// Games of every make, written and then damaged a few bytes at a time, in a zone with summer
// time so that times without their offset take the zone's rules.
TEST(GameFileRows, DamagedGamesReadAsFieldByField) {
    const test::TimeZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
    std::mt19937 rng(7);
    const auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    const std::vector<std::string> names = {"Zoé", "Dupont, Jean", "A", "Le \"Grand\""};
    const std::string bytes = ",\"\r\n0123456789:+-ZTcw #";
    for (int game = 0; game < 400; ++game) {
        DrawLog log;
        const int draws = 1 + below(150);
        // Runs of one croupier and one wheel, times 0 to 90 seconds apart, around the night
        // the clocks go back.
        DrawTime t = 1'698'537'600 + below(8000);
        const bool timed = below(4) != 0, wheeled = below(3) == 0;
        std::int32_t croupier = below(5), wheel = 1 + below(2);
        for (int n = 1; n <= draws; ++n) {
            if (below(20) == 0) croupier = below(5);
            if (below(30) == 0) wheel = below(3);
            t += below(91);
            const auto direction =
                wheeled ? static_cast<SpinDirection>(below(3)) : SpinDirection::Unknown;
            log.Append(below(38), timed && below(10) != 0 ? std::optional(t) : std::nullopt,
                       croupier, wheeled ? wheel : 0, direction);
        }
        std::string text = WriteGameFile(
            log, RouletteKind::American,
            [&](std::int32_t c) { return std::optional(names[static_cast<std::size_t>(c - 1)]); },
            [](std::int32_t w) { return std::optional("Table " + std::to_string(w)); });
        // Without their offsets, as older versions wrote times, for one game in four.
        if (below(4) == 0)
            for (std::size_t at = 0; (at = text.find("+0", at)) != std::string::npos;)
                text.erase(at, 6);
        const int damage = below(4);
        for (int k = 0; k < damage; ++k)
            text[static_cast<std::size_t>(below(static_cast<int>(text.size())))] =
                bytes[static_cast<std::size_t>(below(static_cast<int>(bytes.size())))];
        for (const RouletteKind kind : allKinds) ExpectSameReading(text, {std::nullopt, kind});
        ExpectSameReading(text, {RouletteKind::French, RouletteKind::French});
        if (HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace spinalyst
