// Wheels and spin directions on the command line: files keep them, the analysis filters by them.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "cli/cli.h"
#include "core/draws/game_file.h"
#include "core/draws/random_source.h"
#include "run_cli.h"

namespace spinalyst::cli {
namespace {

const std::string wide = "draw,time,croupier,pocket,wheel,direction\n";

TEST(CliSpinDetails, ConvertAndAnalysedKeepWheelAndDirection) {
    const std::string game = "#kind=french\n" + wide +
                             "1,2023-11-14T22:13:20+00:00,Zoé,17,T3,cw\n"
                             "2,,Zoé,5,T3,ccw\n"
                             "3,,Alain,0,\"Wheel, 2\",cw\n"
                             "4,,,22,,\n"
                             "5,,Zoé,32,T3,ccw\n";
    const Result converted = RunCli({"convert", "-"}, game);
    ASSERT_EQ(converted.status, 0) << converted.err;
    EXPECT_EQ(converted.out, game);

    const std::string everyDraw = game.substr(game.find(wide) + wide.size());
    struct Case {
        std::vector<std::string> options;
        std::string out;
        std::string err = "";
    } cases[] = {
        {{"--wheel", "T3"},
         "1,2023-11-14T22:13:20+00:00,Zoé,17,T3,cw\n2,,Zoé,5,T3,ccw\n3,,Zoé,32,T3,ccw\n"},
        {{"--direction=cw"},
         "1,2023-11-14T22:13:20+00:00,Zoé,17,T3,cw\n2,,Alain,0,\"Wheel, 2\",cw\n"},
        {{"--wheel", "Wheel, 2", "--direction", "ccw"}, ""},
        {{"--croupier", "Zoé", "--direction", "ccw", "--from", "3"}, "1,,Zoé,32,T3,ccw\n"},
        // A name no draw has analyses every draw, and says so.
        {{"--wheel", "T9"},
         everyDraw,
         "spinalyst-cli: no draw has the wheel 'T9': every draw analysed\n"},
        {{"--croupier", "Bob"},
         everyDraw,
         "spinalyst-cli: no draw has the croupier 'Bob': every draw analysed\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"analysed"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.push_back("-");
        SCOPED_TRACE(args[1]);
        const Result r = RunCli(args, game);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "#kind=french\n" + wide + c.out);
        EXPECT_EQ(r.err, c.err);
    }
    // A file without either prints its pockets as before.
    EXPECT_EQ(RunCli({"analysed", "-"}, "draw,time,croupier,pocket\n1,,Zoé,17\n").out, "17\n");
}

// Every command that analyses takes the filters, and filtering is the same as analysing what
// `analysed` prints with them: the draws, their croupiers and their directions. A freeze counts
// the game's draws, not the filtered ones, so confirm is compared from the game's start.
TEST(CliSpinDetails, EveryAnalysingCommandFiltersAsAnalysedDoes) {
    std::mt19937 rng(9);
    RandomSource pockets(9);
    DrawLog log;
    for (int i = 0; i < 3000; ++i)
        log.Append(pockets.Next(RouletteKind::French), std::nullopt,
                   static_cast<std::int32_t>(1 + i / 50 % 3), static_cast<std::int32_t>(rng() % 3),
                   static_cast<SpinDirection>(rng() % 3));
    const auto name = [](const char* prefix) {
        return [prefix](std::int32_t k) {
            return std::optional<std::string>(prefix + std::to_string(k));
        };
    };
    const std::string game = WriteGameFile(log, RouletteKind::French, name("C"), name("T"));
    const std::vector<std::vector<std::string>> filters = {
        {"--wheel", "T1"},
        {"--direction", "ccw"},
        {"--wheel", "T2", "--direction", "cw"},
        {"--croupier", "C2", "--direction", "cw"}};
    const std::vector<std::vector<std::string>> commands = {
        {"stats", "pleins"},
        {"tableau"},
        {"wheel", "distances"},
        {"fairness", "--simulations", "100"},
        {"plan"},
        {"confirm", "--freeze", "0", "--pockets", "1,2,3"}};
    for (const auto& filter : filters) {
        std::vector<std::string> analysed = {"analysed"};
        analysed.insert(analysed.end(), filter.begin(), filter.end());
        analysed.push_back("-");
        const Result selected = RunCli(analysed, game);
        ASSERT_EQ(selected.status, 0) << selected.err;
        for (const auto& command : commands) {
            std::vector<std::string> filtered = command;
            filtered.insert(filtered.end(), filter.begin(), filter.end());
            filtered.push_back("-");
            std::vector<std::string> plain = command;
            plain.push_back("-");
            SCOPED_TRACE(filtered[0] + " " + filter[0] + " " + filter[1]);
            const Result a = RunCli(filtered, game);
            const Result b = RunCli(plain, selected.out);
            ASSERT_EQ(a.status, 0) << a.err;
            EXPECT_EQ(a.out, b.out);
            EXPECT_NE(a.out, RunCli(plain, game).out);
        }
    }
}

TEST(CliSpinDetails, BadDirectionsAreRefusedWithOneLine) {
    for (const char* bad : {"up", "CW", ""}) {
        const Result r = RunCli({"analysed", "--direction", bad, "-"}, "1 2\n");
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err,
                  "spinalyst-cli: --direction must be cw or ccw, not '" + std::string(bad) + "'\n");
    }
    const Result r = RunCli({"convert", "-"}, wide + "1,,,5,,sideways\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "spinalyst-cli: <stdin>:2: 'sideways' is no direction: cw, ccw or nothing\n");
}

}  // namespace
}  // namespace spinalyst::cli
