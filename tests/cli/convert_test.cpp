#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/cli.h"
#include "read_game/read_game_cases.h"
#include "run_cli.h"

namespace spinalyst::cli {
namespace {

TEST(CliConvert, PrintsAGameFileWithItsKindLine) {
    const std::string header = "draw,time,croupier,pocket\n";
    struct Case {
        std::vector<std::string> args;
        std::string input;
        std::string out;
    } cases[] = {
        {{"convert", "-"},
         "1 2\n# a comment\n3; 0",
         "#kind=french\n" + header + "1,,,1\n2,,,2\n3,,,3\n4,,,0\n"},
        {{"convert", "-"}, "5 00", "#kind=american\n" + header + "1,,,5\n2,,,00\n"},
        {{"convert", "--kind", "nozero", "-"}, "5 6", "#kind=nozero\n" + header + "1,,,5\n2,,,6\n"},
        {{"convert", "-"},
         "#kind=nozero\n" + header + "1,2023-11-14T22:13:20Z,\"A, B\",5\n",
         "#kind=nozero\n" + header + "1,2023-11-14T22:13:20+00:00,\"A, B\",5\n"},
        {{"convert", "--kind=american", "-"},
         "#kind=nozero\n" + header + "1,,,5\n",
         "#kind=american\n" + header + "1,,,5\n"},
        {{"convert", "-"}, "", "#kind=french\n" + header},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        const Result r = RunCli(c.args, c.input);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out);
        // What convert prints reads back unchanged.
        EXPECT_EQ(RunCli({"convert", "-"}, r.out).out, r.out);
    }
}

TEST(CliConvert, RefusesBadInputWithOneLine) {
    struct Case {
        std::vector<std::string> args;
        std::string input;
        std::string err;
    } cases[] = {
        {{"convert", "-"},
         "1 2\n3 x",
         "spinalyst-cli: <stdin>:2:3: 'x' is not a pocket of any wheel\n"},
        {{"convert", "--kind", "french", "-"},
         "00",
         "spinalyst-cli: <stdin>:1:1: '00' is not a pocket of the french wheel\n"},
        {{"convert", "-"},
         "#kind=french\ndraw,time,croupier,pocket\n1,,,00\n",
         "spinalyst-cli: <stdin>:3: '00' is not a pocket of the french wheel\n"},
        {{"convert", "--kind", "roulette", "-"},
         "1",
         "spinalyst-cli: --kind must be american, french or nozero, not 'roulette'\n"},
        {{"convert"}, "1", "spinalyst-cli: convert needs exactly one FILE\n"},
        {{"convert", "-", "-"}, "1", "spinalyst-cli: convert needs exactly one FILE\n"},
        {{"convert", "/nonexistent/game.csv"},
         "",
         "spinalyst-cli: /nonexistent/game.csv: cannot read the file\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        const Result r = RunCli(c.args, c.input);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(r.err, c.err);
    }
}

TEST(CliAnalysed, KindOptionWinsOverTheKindLine) {
    const std::string file = "#kind=nozero\ndraw,time,croupier,pocket\n1,,,5\n2,,,7\n";
    // The line makes it nozero: 5 is the fifth entry of its numero list.
    EXPECT_EQ(RunCli({"analysed", "--follow", "numero=5", "-"}, file).out, "7\n");
    const Result forced = RunCli({"analysed", "--kind", "american", "-"}, file + "3,,,00\n");
    EXPECT_EQ(forced.status, 0) << forced.err;
    EXPECT_EQ(forced.out, "5\n7\n00\n");
    const Result refused = RunCli({"analysed", "-"}, file + "3,,,0\n");
    EXPECT_EQ(refused.err, "spinalyst-cli: <stdin>:5: '0' is not a pocket of the nozero wheel\n");
}

// The files the program's test opens: convert shows the kind and the draws read, analysed
// reads them alike.
TEST(CliReading, ReadsEveryFileAsTheProgramOpensIt) {
    for (const test::ReadGameCase& c : test::ReadGameCases()) {
        SCOPED_TRACE(c.file);
        const Result r = RunCli({"convert", c.file}, "");
        const Result analysed = RunCli({"analysed", c.file}, "");
        if (c.kind == "error") {
            EXPECT_EQ(r.status, 2);
            EXPECT_NE(r.err.find(c.file + ":" + std::to_string(c.number) + ":"), std::string::npos)
                << r.err;
            EXPECT_EQ(analysed.err, r.err);
            continue;
        }
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(r.out.starts_with("#kind=" + c.kind + "\ndraw,time,croupier,pocket\n"))
            << r.out;
        EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2 + c.number);
        ASSERT_EQ(analysed.status, 0) << analysed.err;
        EXPECT_EQ(std::count(analysed.out.begin(), analysed.out.end(), '\n'), c.number);
    }
}

}  // namespace
}  // namespace spinalyst::cli
