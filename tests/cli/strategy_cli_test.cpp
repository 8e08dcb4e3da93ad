#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "run_cli.h"

namespace spinalyst::cli {
namespace {

TEST(CliBacktest, SessionsFollowOneAnother) {
    const std::string martingale = "2 1 2 2 1 1 2";
    struct Case {
        std::vector<std::string> args;
        std::string input;
        std::string expected;
    } cases[] = {
        {{"backtest", "--bet", "red=1", "--progression", "martingale", "--stop-win", "1", "-"},
         martingale,
         "session,first_draw,spins,staked,won,balance,lowest,end\n"
         "1,1,2,3.00,4.00,1.00,-1.00,win\n2,3,3,7.00,8.00,1.00,-3.00,win\n"
         "3,6,1,1.00,2.00,1.00,0.00,win\n4,7,1,1.00,0.00,-1.00,-1.00,data\n"},
        // The analysed range: the first draws are the game's numbers.
        {{"backtest", "--from", "3", "--progression=martingale", "--bet=red=1", "--stop-win=1",
          "-"},
         martingale,
         "session,first_draw,spins,staked,won,balance,lowest,end\n"
         "1,3,3,7.00,8.00,1.00,-3.00,win\n2,6,1,1.00,2.00,1.00,0.00,win\n"
         "3,7,1,1.00,0.00,-1.00,-1.00,data\n"},
        {{"backtest", "--summary", "--bet", "red=1", "--progression", "martingale", "--stop-win",
          "1", "-"},
         martingale,
         "sessions,spins,staked,won,balance,ruined\n4,7,12.00,14.00,2.00,0\n"},
        // A ruin, then a session with a fresh bankroll that the data ends.
        {{"backtest", "--bet", "red=0.5", "--bet", "black=0.5", "--bankroll", "1", "-"},
         "0 1 2",
         "session,first_draw,spins,staked,won,balance,lowest,end\n"
         "1,1,1,1.00,0.00,-1.00,-1.00,ruin\n2,2,2,2.00,2.00,0.00,0.00,data\n"},
        // A stop on the last draw is that stop; the table maximum caps a Labouchère.
        {{"backtest", "--bet", "douzaine:1=1", "--progression", "labouchere", "--line", "1,1",
          "--table-max", "3", "--at-limit", "cap", "--stop-loss", "8", "-"},
         "13 13 13",
         "session,first_draw,spins,staked,won,balance,lowest,end\n"
         "1,1,3,8.00,0.00,-8.00,-8.00,loss\n"},
        {{"backtest", "--bet", "red=1", "--la-partage", "--progression", "sequence", "--sequence",
          "1,3", "--advance-on", "win", "-"},
         "1 0 0",
         "session,first_draw,spins,staked,won,balance,lowest,end\n"
         "1,1,3,5.00,4.00,-1.00,-1.00,data\n"},
        {{"backtest", "--bet", "red=1", "-"},
         "",
         "session,first_draw,spins,staked,won,balance,lowest,end\n"},
    };
    for (const Case& c : cases) {
        const Result r = RunCli(c.args, c.input);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.expected) << c.args.back() << " " << c.input;
        EXPECT_EQ(r.err, "");
    }
}

TEST(CliBacktest, FlatPlanMatchesSimulate) {
    const Result game = RunCli({"random", "--count", "20000", "--seed", "9"});
    const std::vector<std::string> bets = {"--bet",        "red=1", "--bet",
                                           "plein:17=0.5", "--bet", "douzaine:3=2.25"};
    std::vector<std::string> simulate = {"simulate", "--summary"};
    std::vector<std::string> backtest = {"backtest", "--summary"};
    simulate.insert(simulate.end(), bets.begin(), bets.end());
    backtest.insert(backtest.end(), bets.begin(), bets.end());
    simulate.push_back("-");
    backtest.push_back("-");
    const Result s = RunCli(simulate, game.out);
    const Result b = RunCli(backtest, game.out);
    ASSERT_EQ(s.status, 0) << s.err;
    ASSERT_EQ(b.status, 0) << b.err;
    // draws,staked,won,balance against sessions,spins,staked,won,balance,ruined.
    const std::string simulated = s.out.substr(s.out.find('\n') + 1);
    const std::string backtested = b.out.substr(b.out.find('\n') + 1);
    EXPECT_EQ("1," + simulated.substr(0, simulated.size() - 1) + ",0\n", backtested);
}

TEST(CliMonteCarlo, FiguresRepeatWithTheSeedOnAnyThreads) {
    const std::vector<std::string> plan = {"montecarlo", "--bet",       "red=1", "--progression",
                                           "martingale", "--bankroll",  "63",    "--stop-win",
                                           "1",          "--max-spins", "100",   "--sessions",
                                           "5000",       "--seed",      "7"};
    std::vector<std::string> one = plan, two = plan;
    one.insert(one.end(), {"--threads", "1"});
    two.insert(two.end(), {"--threads", "2"});
    const Result a = RunCli(one);
    const Result b = RunCli(two);
    ASSERT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(a.out, b.out);
    std::istringstream rows(a.out);
    std::vector<std::string> measures;
    for (std::string line; std::getline(rows, line);)
        measures.push_back(line.substr(0, line.find(',')));
    EXPECT_EQ(measures, (std::vector<std::string>{
                            "measure", "ruin", "stop_win", "stop_loss", "limit", "max_spins",
                            "final_mean", "final_median", "final_p05", "final_p95", "staked_mean",
                            "spins_mean", "return_per_unit", "expected_return_per_unit"}));
    // Every session ends at its first win (+1,00) or ruined (-63,00).
    EXPECT_NE(a.out.find("\nfinal_median,1.00,,\n"), std::string::npos);
    EXPECT_NE(a.out.find("\nstop_loss,0.000000,0.000000,"), std::string::npos);
    EXPECT_NE(a.out.find("\nexpected_return_per_unit,-0.027027,,\n"), std::string::npos);
    std::vector<std::string> other = plan;
    other.back() = "8";
    EXPECT_NE(RunCli(other).out, a.out);
}

TEST(CliMonteCarlo, WheelFromAFileTakesItsFrequenciesAndKind) {
    // An American game file that showed red 1 three times for each black 2.
    const std::string game =
        "#kind=american\ndraw,time,croupier,pocket\n1,,,1\n2,,,1\n3,,,1\n4,,,2\n";
    const Result r = RunCli({"montecarlo", "--bet", "plein:00=1", "--bet", "red=1", "--max-spins",
                             "1", "--sessions", "100", "--wheel-from", "-"},
                            game);
    ASSERT_EQ(r.status, 0) << r.err;
    // 00 never comes: red's 2,00 three times in four for 2,00 staked.
    EXPECT_NE(r.out.find("\nexpected_return_per_unit,-0.250000,,\n"), std::string::npos) << r.out;
}

TEST(CliStrategy, UsageErrorsExitWithTwoAndOneLine) {
    const std::vector<std::vector<std::string>> bad = {
        {"backtest", "-"},
        {"backtest", "--bet", "red=1"},
        {"backtest", "--bet", "red=1", "-", "-"},
        {"backtest", "--bet", "red=0", "-"},
        {"backtest", "--bet", "plein:00=1", "-"},
        {"backtest", "--bet", "red=1", "--progression", "doubling", "-"},
        {"backtest", "--bet", "red=1", "--line", "1,2", "-"},
        {"backtest", "--bet", "red=1", "--progression", "labouchere", "--line", "1,0", "-"},
        {"backtest", "--bet", "red=1", "--progression", "labouchere", "--line", "1,,2", "-"},
        {"backtest", "--bet", "red=1", "--progression", "sequence", "--sequence", "", "-"},
        {"backtest", "--bet", "red=1", "--progression", "sequence", "--advance-on", "push", "-"},
        {"backtest", "--bet", "red=1", "--advance-on", "win", "-"},
        {"backtest", "--bet", "red=1", "--bankroll", "0", "-"},
        {"backtest", "--bet", "red=1", "--bet", "black=1", "--bankroll", "1.99", "-"},
        {"backtest", "--bet", "red=1", "--table-max", "0.99", "-"},
        {"backtest", "--bet", "red=1", "--table-max", "100000.01", "-"},
        {"backtest", "--bet", "red=1", "--progression", "labouchere", "--table-max", "4", "-"},
        {"backtest", "--bet", "red=1", "--at-limit", "wait", "-"},
        {"backtest", "--bet", "red=1", "--stop-win", "-1", "-"},
        {"backtest", "--bet", "red=1", "--stop-loss", "1.001", "-"},
        {"backtest", "--bet", "red=1", "--max-spins", "0", "-"},
        {"backtest", "--bet", "red=1", "--la-partage", "--kind", "american", "-"},
        {"backtest", "--bet", "red=1", "--la-partage=yes", "-"},
        {"backtest", "--bet", "red=1", "--summary=yes", "-"},
        {"backtest", "--bet", "red=1", "--summary", "--summary", "-"},
        {"backtest", "--bet", "red=1", "--sessions", "5", "-"},
        {"backtest", "--bet", "red=1", "--bankroll", "5", "--bankroll", "6", "-"},
        {"backtest", "--bet", "red=1", "--stop-win"},
        {"montecarlo", "--bet", "red=1", "--max-spins", "10"},
        {"montecarlo", "--bet", "red=1", "--sessions", "10"},
        {"montecarlo", "--sessions", "10", "--max-spins", "10"},
        {"montecarlo", "--bet", "red=1", "--sessions", "0", "--max-spins", "10"},
        {"montecarlo", "--bet", "red=1", "--sessions", "10000001", "--max-spins", "10"},
        {"montecarlo", "--bet", "red=1", "--sessions", "10", "--max-spins", "10", "--threads", "0"},
        {"montecarlo", "--bet", "red=1", "--sessions", "10", "--max-spins", "10", "--seed", "-1"},
        {"montecarlo", "--bet", "red=1", "--sessions", "10", "--max-spins", "10", "-"},
        {"montecarlo", "--bet", "red=1", "--sessions", "10", "--max-spins", "10", "--kind", "x"},
        {"montecarlo", "--bet", "red=1", "--sessions", "10", "--max-spins", "10", "--from", "2"},
        {"montecarlo", "--bet", "red=1", "--sessions", "10", "--max-spins", "10", "--wheel-from",
         "-"},
        {"montecarlo", "--bet", "red=1", "--sessions", "10", "--max-spins", "10", "--wheel-from",
         "/nonexistent/spins.txt"},
    };
    for (const auto& args : bad) {
        const Result r = RunCli(args, "");
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        EXPECT_EQ(r.status, 2) << joined;
        EXPECT_EQ(r.out, "") << joined;
        EXPECT_TRUE(r.err.starts_with("spinalyst-cli: ")) << joined << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << joined << r.err;
    }
}

}  // namespace
}  // namespace spinalyst::cli
