#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "run_cli.h"
#include "test_support.h"

namespace spinalyst::cli {
namespace {

// Plain bets printed exactly as before systems: the outputs kept from then, plan by plan.
TEST(CliPlainPlans, PrintWhatTheyPrintedBeforeSystems) {
    const std::filesystem::path dir = SPINALYST_PLAIN_PLAN_FIXTURES;
    std::ifstream cases(dir / "cases.txt");
    int number = 0;
    for (std::string line; std::getline(cases, line);) {
        if (line.empty() || line.front() == '#') continue;
        ++number;
        std::vector<std::string> args;
        std::istringstream words(line);
        for (std::string word; words >> word;)
            args.push_back(word.ends_with(".txt") ? (dir / word).string() : word);
        const Result r = RunCli(args);
        EXPECT_EQ(r.status, 0) << line << r.err;
        EXPECT_EQ(r.out, test::ReadFile(dir / "expected" / (std::to_string(number) + ".csv")))
            << line;
    }
    EXPECT_EQ(number, 14);
}

TEST(CliSystems, RulesAndSystemFilesPlayTheSame) {
    test::TempDir dir;
    const std::filesystem::path spins =
        std::filesystem::path(SPINALYST_PLAIN_PLAN_FIXTURES) / "french.txt";
    test::WriteFile(dir / "evening.system",
                    "# the sleeping dozen beside three reds\n"
                    "--rule absent any douzaine >= 12 => that=1\n"
                    "--rule streak red >= 3 => black=1\n"
                    "--progression martingale\n--bankroll 100\n--stop-win 10\n");
    const Result fromRules =
        RunCli({"backtest", "--rule", "absent any douzaine >= 12 => that=1",
                "--rule=streak red >= 3 => black=1", "--progression", "martingale", "--bankroll",
                "100", "--stop-win", "10", spins.string()});
    const Result fromFile =
        RunCli({"backtest", "--system", (dir / "evening.system").string(), spins.string()});
    ASSERT_EQ(fromRules.status, 0) << fromRules.err;
    EXPECT_EQ(fromFile.out, fromRules.out);
    EXPECT_TRUE(
        fromRules.out.starts_with("session,first_draw,spins,staked,won,balance,lowest,end\n"));
    // Options on the command line replace the file's.
    const Result replaced =
        RunCli({"backtest", "--summary", "--system", (dir / "evening.system").string(),
                "--stop-win", "20", spins.string()});
    const Result written =
        RunCli({"backtest", "--summary", "--rule", "absent any douzaine >= 12 => that=1", "--rule",
                "streak red >= 3 => black=1", "--progression", "martingale", "--bankroll", "100",
                "--stop-win", "20", spins.string()});
    ASSERT_EQ(replaced.status, 0) << replaced.err;
    EXPECT_EQ(replaced.out, written.out);
    // The same in Monte Carlo, on any number of threads.
    const std::vector<std::string> mc = {
        "montecarlo", "--system", (dir / "evening.system").string(), "--max-spins", "200",
        "--sessions", "3000"};
    std::vector<std::string> one = mc, two = mc;
    one.insert(one.end(), {"--threads", "1"});
    two.insert(two.end(), {"--threads", "2"});
    const Result a = RunCli(one), b = RunCli(two);
    ASSERT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(a.out, b.out);
}

TEST(CliSystems, AnAlwaysRuleIsAPlainBet) {
    const std::string spins = std::filesystem::path(SPINALYST_PLAIN_PLAN_FIXTURES) / "french.txt";
    const Result bets = RunCli({"backtest", "--bet", "red=1", "--bet", "plein:17=2",
                                "--progression", "fibonacci", "--stop-loss", "30", spins});
    const Result rules = RunCli({"backtest", "--rule", "always => red=1, plein:17=2",
                                 "--progression", "fibonacci", "--stop-loss", "30", spins});
    ASSERT_EQ(bets.status, 0);
    EXPECT_EQ(rules.out, bets.out);
}

TEST(CliSystems, UsageErrorsExitWithTwoAndOneLine) {
    test::TempDir dir;
    test::WriteFile(dir / "bad.system",
                    "--rule last red => black=1\n\n--rule absnt red >= 2 => red=1\n");
    test::WriteFile(dir / "late.system", "--rule last plein:00 => plein:00=1\n");
    test::WriteFile(dir / "good.system", "--rule last red => black=1\n");
    const std::string bad = (dir / "bad.system").string();
    const std::string late = (dir / "late.system").string();
    const std::string good = (dir / "good.system").string();
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"backtest", "--rule", "last red => black=1", "--rule", "absnt red >= 2 => red=1", "-"},
         "spinalyst-cli: rule 2: 'absnt' is not a condition; write always, last, streak, absent "
         "or hits\n"},
        {{"backtest", "--bet", "red=1", "--rule", "last red => black=1", "-"},
         "spinalyst-cli: --bet and --rule do not go together: plain bets are the rule 'always => "
         "BETS'\n"},
        {{"backtest", "--system", bad, "-"},
         "spinalyst-cli: " + bad +
             ":3: rule 2: 'absnt' is not a condition; write always, last, "
             "streak, absent or hits\n"},
        {{"backtest", "--system", late, "-"},
         "spinalyst-cli: " + late + ":1: rule 1: the french table has no slot 'plein:00'\n"},
        {{"backtest", "--system", good, "--bet", "red=1", "-"},
         "spinalyst-cli: --system " + good +
             " holds the plan's bets: --bet and --rule do not go with it\n"},
        {{"backtest", "--system", (dir / "none.system").string(), "-"},
         "spinalyst-cli: --system: cannot read '" + (dir / "none.system").string() + "'\n"},
        {{"backtest", "--system", good, "--system", good, "-"},
         "spinalyst-cli: option '--system' given twice\n"},
        {{"backtest", "--system"}, "spinalyst-cli: option '--system' needs a value\n"},
        {{"backtest", "--rule"}, "spinalyst-cli: option '--rule' needs a value\n"},
        {{"backtest", "--rule", "last any plein => opposite=1", "-"},
         "spinalyst-cli: rule 1: 'opposite' is for even chances, dozens and columns, not 'any "
         "plein'\n"},
        {{"backtest", "--rule", "last red => black=6", "--table-max", "5", "-"},
         "spinalyst-cli: rule 1: the stake on 'black' passes the table maximum 5.00\n"},
        {{"backtest", "--rule", "always => red=2", "--bankroll", "1", "-"},
         "spinalyst-cli: --bankroll 1.00 does not cover the first stake\n"},
        {{"backtest", "-"},
         "spinalyst-cli: backtest needs at least one --bet SLOT=AMOUNT or --rule \"WHEN => "
         "BETS\"\n"},
        {{"montecarlo", "--rule", "last red => black=1", "--sessions", "10"},
         "spinalyst-cli: montecarlo needs --max-spins M\n"},
        {{"montecarlo", "--system", bad, "--sessions", "10", "--max-spins", "10"},
         "spinalyst-cli: " + bad +
             ":3: rule 2: 'absnt' is not a condition; write always, last, "
             "streak, absent or hits\n"},
        {{"montecarlo", "--kind", "american", "--rule", "last red => red=1", "--la-partage",
          "--sessions", "10", "--max-spins", "10"},
         "spinalyst-cli: --la-partage is for the french table only, not the american one\n"},
    };
    for (const auto& c : cases) {
        const Result r = RunCli(c.args, "1 2 3\n");
        EXPECT_EQ(r.status, 2) << c.message;
        EXPECT_EQ(r.out, "") << c.message;
        EXPECT_EQ(r.err, c.message);
    }
}

TEST(CliSystems, ShippedExamplesRun) {
    const std::filesystem::path systems =
        std::filesystem::path(SPINALYST_SOURCE_DATA_DIR) / "systems";
    const std::string spins = std::filesystem::path(SPINALYST_PLAIN_PLAN_FIXTURES) / "french.txt";
    for (const char* name : {"sleeping-dozen", "three-reds-then-black", "follow-the-last-column",
                             "late-number-with-neighbours"}) {
        const std::string file = (systems / (std::string(name) + ".system")).string();
        const Result backtest = RunCli({"backtest", "--summary", "--system", file, spins});
        EXPECT_EQ(backtest.status, 0) << name << backtest.err;
        const Result mc = RunCli({"montecarlo", "--system", file, "--max-spins", "300",
                                  "--sessions", "500", "--kind", "american"});
        EXPECT_EQ(mc.status, 0) << name << mc.err;
    }
}

}  // namespace
}  // namespace spinalyst::cli
