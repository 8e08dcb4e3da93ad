#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "run_cli.h"

namespace spinalyst::cli {
namespace {

TEST(CliSimulate, SettlesEveryDrawInOrder) {
    struct Case {
        std::vector<std::string> args;
        std::string input;
        std::string expected;
    } cases[] = {
        {{"simulate", "--bet", "plein:17=1", "--bet", "red=2.5", "-"},
         "17 0 18 5",
         "draw,pocket,stake,win,balance\n"
         "1,17,3.50,36.00,32.50\n2,0,3.50,0.00,29.00\n3,18,3.50,5.00,30.50\n"
         "4,5,3.50,5.00,32.00\n"},
        {{"simulate", "--summary", "--bet=plein:17=1", "--bet", "RED=2.5", "-"},
         "17 0 18 5",
         "draws,staked,won,balance\n4,14.00,46.00,32.00\n"},
        // 00 by either name, each with its wheel neighbours 27 and 1; the same slot twice adds up.
        {{"simulate", "--kind", "american", "--neighbours", "1", "--bet", "plein:00=1", "--bet",
          "plein:37=0.5", "--bet", "rougenoir:1=1", "--bet", "red=1", "-"},
         "27 00 2",
         "draw,pocket,stake,win,balance\n"
         "1,27,6.50,58.00,51.50\n2,00,6.50,54.00,99.00\n3,2,6.50,0.00,92.50\n"},
        {{"simulate", "--kind=nozero", "--bet", "transversale:12=0.01", "--bet", "low=3", "-"},
         "36 1",
         "draw,pocket,stake,win,balance\n1,36,3.01,0.12,-2.89\n2,1,3.01,6.00,0.10\n"},
        {{"simulate", "--bet", "even=1", "-"}, "", "draw,pocket,stake,win,balance\n"},
    };
    for (const Case& c : cases) {
        const Result r = RunCli(c.args, c.input);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.expected);
    }
}

TEST(CliSimulate, EveryStraightNumberLosesExactlyOneUnitADraw) {
    const Result game = RunCli({"random", "--count", "5000", "--seed", "11"});
    std::vector<std::string> args = {"simulate", "--summary"};
    for (int p = 0; p <= 36; ++p)
        args.insert(args.end(), {"--bet", "plein:" + std::to_string(p) + "=1"});
    args.push_back("-");
    const Result r = RunCli(args, game.out);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "draws,staked,won,balance\n5000,185000.00,180000.00,-5000.00\n");
}

TEST(CliSimulate, UsageErrorsExitWithTwoAndOneLine) {
    const std::vector<std::vector<std::string>> bad = {
        {"simulate"},
        {"simulate", "-"},
        {"simulate", "--bet", "plein:5=1"},
        {"simulate", "--bet", "plein:5=1", "-", "-"},
        {"simulate", "--bet", "plein:37=1", "-"},
        {"simulate", "--bet", "plein:00=1", "-"},
        {"simulate", "--kind", "nozero", "--bet", "plein:0=1", "-"},
        {"simulate", "--kind", "american", "--bet", "carre:23=1", "-"},
        {"simulate", "--bet", "cheval:61=1", "-"},
        {"simulate", "--bet", "cheval:0=1", "-"},
        {"simulate", "--bet", "plein:x=1", "-"},
        {"simulate", "--bet", "plein:=1", "-"},
        {"simulate", "--bet", "plein=1", "-"},
        {"simulate", "--bet", "roulette:1=1", "-"},
        {"simulate", "--bet", "plein:5", "-"},
        {"simulate", "--bet", "plein:5=0", "-"},
        {"simulate", "--bet", "plein:5=-1", "-"},
        {"simulate", "--bet", "plein:5=1.234", "-"},
        {"simulate", "--bet", "plein:5=100000.01", "-"},
        {"simulate", "--bet", "plein:5=60000", "--bet", "plein:5=40000.01", "-"},
        {"simulate", "--bet", "plein:5=1", "--neighbours", "0", "-"},
        {"simulate", "--bet", "plein:5=1", "--neighbours", "18", "-"},
        {"simulate", "--bet", "plein:5=1", "--neighbours", "2", "--neighbours", "2", "-"},
        {"simulate", "--bet", "plein:5=1", "--kind", "french", "--kind", "french", "-"},
        {"simulate", "--bet", "plein:5=1", "--kind", "european", "-"},
        {"simulate", "--bet", "plein:5=1", "--summary=yes", "-"},
        {"simulate", "--bet", "plein:5=1", "--from", "2", "-"},
        {"simulate", "-", "--bet"},
        {"simulate", "--bet", "plein:5=1", "/nonexistent/spins.txt"},
    };
    for (const auto& args : bad) {
        const Result r = RunCli(args, "1 2 3");
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_TRUE(r.err.starts_with("spinalyst-cli: ")) << r.err;
    }
    const Result badFile = RunCli({"simulate", "--bet", "plein:5=1", "-"}, "1 2 99");
    EXPECT_EQ(badFile.status, 2);
    EXPECT_TRUE(badFile.out.empty());
}

}  // namespace
}  // namespace spinalyst::cli
