#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "core/draws/random_source.h"
#include "core/stats/power_planner.h"
#include "run_cli.h"
#include "test_support.h"

namespace spinalyst::cli {
namespace {

// The fields of each line (the output quotes nothing).
std::vector<std::vector<std::string>> Rows(const std::string& csv) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(csv);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields(1);
        for (char c : line)
            if (c == ',')
                fields.emplace_back();
            else
                fields.back() += c;
        rows.push_back(fields);
    }
    return rows;
}

class CliPlan : public testing::Test {
protected:
    // American draws where 00 comes about twice as often as each other pocket.
    void WriteSpins(int count) {
        RandomSource rng(8);
        std::string spins;
        for (int i = 0; i < count; ++i) {
            Pocket p = rng.Next(RouletteKind::American);
            if (rng.Next(RouletteKind::American) == 0) p = DoubleZero;
            spins += PocketText(p) + "\n";
        }
        test::WriteFile(file, spins);
    }
    test::TempDir dir;
    std::filesystem::path file = dir / "spins.txt";
};

TEST_F(CliPlan, OneRowPerSizeWithTheLeaderAndTheSpinsItNeeds) {
    WriteSpins(6000);
    const Result r = RunCli({"plan", "--kind", "american", "--from", "1001", file.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto rows = Rows(r.out);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"subject", "size", "draws", "detectable_excess",
                                                 "spins_for_10", "spins_for_20", "spins_for_50",
                                                 "spins_for_break_even", "leader", "leader_excess",
                                                 "spins_for_leader"}));
    const std::vector<std::pair<std::string, std::string>> subjects = {
        {"pocket", "1"}, {"sector", "3"}, {"sector", "5"}, {"sector", "9"}};
    for (std::size_t i = 0; i < subjects.size(); ++i) {
        const auto& row = rows[i + 1];
        SCOPED_TRACE(row[0] + " " + row[1]);
        ASSERT_EQ(row.size(), 11u);
        EXPECT_EQ(row[0], subjects[i].first);
        EXPECT_EQ(row[1], subjects[i].second);
        EXPECT_EQ(row[2], "5000");
        const int size = std::stoi(row[1]);
        const ExcessTest t = ExcessTest::Among(RouletteKind::American, size);
        EXPECT_NEAR(std::stod(row[3]), *t.DetectableExcess(5000), 1e-9);
        EXPECT_EQ(row[4], std::to_string(*t.SpinsNeeded(0.1)));
        EXPECT_EQ(row[5], std::to_string(*t.SpinsNeeded(0.2)));
        EXPECT_EQ(row[6], std::to_string(*t.SpinsNeeded(0.5)));
        EXPECT_EQ(row[7], std::to_string(*t.SpinsNeeded(2.0 / 36)));
        // The leader's pockets, joined by "-", adjacent on the wheel for a sector.
        EXPECT_EQ(std::count(row[8].begin(), row[8].end(), '-'), size - 1);
        const double excess = std::stod(row[9]);
        EXPECT_GT(excess, 0);
        EXPECT_EQ(row[10], std::to_string(*t.SpinsNeeded(excess)));
    }
    // 00, about twice as likely, leads; its excess is a fraction, not a percentage.
    EXPECT_EQ(rows[1][8], "00");
    EXPECT_GT(std::stod(rows[1][9]), 0.5);
    EXPECT_LT(std::stod(rows[1][9]), 1.5);
}

TEST_F(CliPlan, WithoutDrawsOnlyTheSpinsNeeded) {
    test::WriteFile(file, "# no draw yet\n");
    const auto rows = Rows(RunCli({"plan", "--kind", "nozero", file.string()}).out);
    ASSERT_EQ(rows.size(), 5u);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const auto& row = rows[i];
        ASSERT_EQ(row.size(), 11u);
        EXPECT_EQ(row[2], "0");
        EXPECT_EQ(row[3], "");
        EXPECT_NE(row[5], "");
        // Without zero every excess beats the bank: no break-even to reach.
        EXPECT_EQ(row[7], "");
        EXPECT_EQ(row[8] + row[9] + row[10], "");
    }
}

class CliConfirm : public testing::Test {
protected:
    // 30 draws: pockets 1 ... 30 (croupier Ann), then ten draws of 17 (croupier Bob).
    void SetUp() override {
        std::string game = "#kind=french\ndraw,time,croupier,pocket\n";
        for (int n = 1; n <= 40; ++n)
            game += std::to_string(n) + ",," + (n <= 30 ? "Ann" : "Bob") + "," +
                    std::to_string(n <= 30 ? n : 17) + "\n";
        test::WriteFile(file, game);
    }
    Result Confirm(std::vector<std::string> options) const {
        std::vector<std::string> args = {"confirm"};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(file.string());
        return RunCli(args);
    }
    test::TempDir dir;
    std::filesystem::path file = dir / "game.csv";
};

TEST_F(CliConfirm, FiguresOfTheDrawsAfterTheFreeze) {
    const Result r = Confirm({"--freeze", "30", "--pockets", "17"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto rows = Rows(r.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"draws", "hits", "expected", "p_value", "ev",
                                                 "ev_low", "ev_high", "kelly", "half_kelly"}));
    // Ten hits out of ten: p = 37^-10, the rate's interval starts at 0.025^(1/10).
    const auto& row = rows[1];
    ASSERT_EQ(row.size(), 9u);
    EXPECT_EQ(row[0], "10");
    EXPECT_EQ(row[1], "10");
    EXPECT_NEAR(std::stod(row[2]), 10.0 / 37, 1e-9);
    EXPECT_NEAR(std::stod(row[3]) / std::pow(37.0, -10), 1, 1e-8);
    EXPECT_EQ(row[4], "35.0");
    const double low = std::pow(0.025, 0.1);
    EXPECT_NEAR(std::stod(row[5]), 36 * low - 1, 1e-8);
    EXPECT_EQ(row[6], "35.0");
    EXPECT_NEAR(std::stod(row[7]), low - (1 - low) / 35, 1e-9);
    EXPECT_NEAR(std::stod(row[8]), std::stod(row[7]) / 2, 1e-9);

    // The analysis options choose the draws: after draw 10, Ann spun 11 ... 30, 17 and 20 once
    // each.
    const auto ann = Rows(Confirm({"--freeze=10", "--pockets=17,20", "--croupier", "Ann"}).out);
    ASSERT_EQ(ann.size(), 2u);
    EXPECT_EQ(ann[1][0], "20");
    EXPECT_EQ(ann[1][1], "2");
    // Frozen at the end: nothing to test yet.
    const auto none = Rows(Confirm({"--freeze", "40", "--pockets", "17"}).out);
    ASSERT_EQ(none.size(), 2u);
    EXPECT_EQ(none[1],
              (std::vector<std::string>{"0", "0", "0.0", "1.0", "", "", "", "0.0", "0.0"}));
}

TEST_F(CliConfirm, WithoutTheOptionsTheFilesOwnFreeze) {
    std::string game = test::ReadFile(file);
    const std::string explicitOut = Confirm({"--freeze", "30", "--pockets", "17,20"}).out;
    // The program writes the freeze after the draw it was made at; a later one replaces it.
    game.insert(game.find("\n31,") + 1, "#freeze=30;pockets=17,20\n");
    test::WriteFile(file, game + "#freeze=\n#freeze=30;pockets=17,20\n");
    const Result r = Confirm({"--croupier", "Bob"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, explicitOut);
    // Cleared, or never frozen: the options are needed.
    test::WriteFile(file, game + "#freeze=\n");
    EXPECT_EQ(Confirm({}).status, 2);
}

TEST_F(CliConfirm, BadSetsAndOptionsExitWithTwoAndOneLine) {
    const std::vector<std::vector<std::string>> bad = {
        {"--pockets", "17"},
        {"--freeze", "10"},
        {"--freeze", "-1", "--pockets", "17"},
        {"--freeze", "10", "--pockets", "17,37"},
        {"--freeze", "10", "--pockets", "00"},
        {"--freeze", "10", "--pockets", "17,17"},
        {"--freeze", "10", "--pockets", ", ;"},
        {"--freeze", "10", "--freeze", "12", "--pockets", "17"},
    };
    for (const auto& options : bad) {
        const Result r = Confirm(options);
        EXPECT_EQ(r.status, 2) << testing::PrintToString(options);
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    // The pockets read as the program's freeze box reads them.
    EXPECT_EQ(Confirm({"--freeze", "10", "--pockets", "17,,20"}).out,
              Confirm({"--freeze", "10", "--pockets", "17 20"}).out);
    EXPECT_EQ(Confirm({"--freeze", "10", "--pockets", "17,x"}).err,
              "spinalyst-cli: --pockets: 'x' is no pocket of the french wheel\n");
}

}  // namespace
}  // namespace spinalyst::cli
