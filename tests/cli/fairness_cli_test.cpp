#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "core/draws/random_source.h"
#include "core/model/roulette.h"
#include "run_cli.h"
#include "test_support.h"

namespace spinalyst::cli {
namespace {

// The fields of each line of CSV output, quotes undone.
std::vector<std::vector<std::string>> Rows(const std::string& csv) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(csv);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields(1);
        bool quoted = false;
        for (std::size_t i = 0; i < line.size(); ++i) {
            const char c = line[i];
            if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"')
                fields.back() += line[++i];
            else if (c == '"')
                quoted = !quoted;
            else if (c == ',' && !quoted)
                fields.emplace_back();
            else
                fields.back() += c;
        }
        rows.push_back(fields);
    }
    return rows;
}

// 900 American draws: "Dupont, Jean" spins the first 500, Zoé the rest.
class CliFairness : public testing::Test {
protected:
    void SetUp() override {
        RandomSource rng(21);
        std::string game = "draw,time,croupier,pocket\n";
        for (int n = 1; n <= 900; ++n)
            game += std::to_string(n) + ",," + (n <= 500 ? "\"Dupont, Jean\"" : "Zoé") + "," +
                    PocketText(rng.Next(RouletteKind::American)) + "\n";
        test::WriteFile(file, game);
    }
    Result Fairness(std::vector<std::string> options) const {
        std::vector<std::string> args = {"fairness", "--kind", "american", "--simulations", "200"};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(file.string());
        return RunCli(args);
    }
    test::TempDir dir;
    std::filesystem::path file = dir / "game.csv";
};

TEST_F(CliFairness, PrintsOneRowPerTestAndSubjectInOrder) {
    const Result r = Fairness({"--seed", "5"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto rows = Rows(r.out);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0], (std::vector<std::string>{"test", "subject", "statistic", "df", "p_value",
                                                 "p_adjusted"}));
    struct Expected {
        std::string test, subject, df;
    };
    std::vector<Expected> expected = {{"pockets", "all", "37"}};
    for (Pocket p = 0; p <= DoubleZero; ++p) expected.push_back({"pocket", PocketText(p), ""});
    for (const char* family : {"dozens", "columns"}) expected.push_back({family, "all", "3"});
    for (const char* family : {"red_black", "even_odd", "low_high"})
        expected.push_back({family, "all", "2"});
    for (int k = 3; k <= 18; ++k) expected.push_back({"sector", "k=" + std::to_string(k), ""});
    expected.push_back({"sector", "best", ""});
    expected.push_back({"dealer", "Dupont, Jean", "37"});
    expected.push_back({"dealer", "Zoé", "37"});
    for (const char* chance : {"red_black", "even_odd", "low_high"})
        expected.push_back({"runs", chance, ""});
    expected.push_back({"serial", "positions", ""});
    for (Pocket p = 0; p <= DoubleZero; ++p)
        expected.push_back({"excess/pocket", PocketText(p), ""});
    expected.push_back({"excess/sector", "best", ""});

    ASSERT_EQ(rows.size(), expected.size() + 1);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& row = rows[i + 1];
        SCOPED_TRACE(expected[i].test + "," + expected[i].subject);
        ASSERT_EQ(row.size(), 6u);
        EXPECT_EQ(row[0], expected[i].test);
        EXPECT_EQ(row[1], expected[i].subject);
        EXPECT_EQ(row[3], expected[i].df);
        const double p = std::stod(row[4]), adjusted = std::stod(row[5]);
        EXPECT_GT(p, 0.0);
        EXPECT_LE(p, adjusted);
        EXPECT_LE(adjusted, 1.0);
        for (const std::string& number : {row[4], row[5]})
            EXPECT_NE(number.find_first_of(".e"), std::string::npos) << number;
    }

    // The seed moves only the simulated figures.
    EXPECT_EQ(Fairness({"--seed=5"}).out, r.out);
    const auto reseeded = Rows(Fairness({"--seed", "6"}).out);
    ASSERT_EQ(reseeded.size(), rows.size());
    bool sectorsMoved = false;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (rows[i][0] == "sector" || rows[i][0] == "excess/sector")
            sectorsMoved = sectorsMoved || rows[i][4] != reseeded[i][4];
        else
            EXPECT_EQ(rows[i], reseeded[i]);
    }
    EXPECT_TRUE(sectorsMoved);
}

// The excess rows: the excess as the statistic, and a one-sided p that only a pocket above its
// share makes small.
TEST_F(CliFairness, ExcessRowsTestOnlyForPocketsThatComeTooOften) {
    const auto rows = Rows(Fairness({}).out);
    std::map<std::string, double> z;
    for (const auto& row : rows)
        if (row[0] == "pocket") z[row[1]] = std::stod(row[2]);
    int pockets = 0, best = 0;
    for (const auto& row : rows) {
        if (row[0] == "excess/sector") {
            ++best;
            EXPECT_EQ(row[4], row[5]);
        }
        if (row[0] != "excess/pocket") continue;
        ++pockets;
        SCOPED_TRACE(row[1]);
        // 900 draws, 900 / 38 expected of each pocket: the excess and the z-score agree.
        const double expected = 900.0 / 38;
        const double excess = std::stod(row[2]);
        EXPECT_NEAR(excess * expected / std::sqrt(expected * 37 / 38), z[row[1]], 1e-6);
        const double p = std::stod(row[4]);
        EXPECT_LE(p, std::stod(row[5]));
        if (excess < 0) {
            EXPECT_GT(p, 0.5);
        } else {
            EXPECT_LT(p, 0.6);
        }
    }
    EXPECT_EQ(pockets, 38);
    EXPECT_EQ(best, 1);
}

TEST_F(CliFairness, AnalysisOptionsChooseTheDrawsTested) {
    // Only Zoé's 400 draws: her croupier test alone, and fewer hits in all.
    const auto rows = Rows(Fairness({"--croupier", "Zoé"}).out);
    int dealers = 0, longestArcHits = 0;
    for (const auto& row : rows) {
        if (row[0] == "dealer") {
            ++dealers;
            EXPECT_EQ(row[1], "Zoé");
        }
        if (row[0] == "sector" && row[1] == "k=18") longestArcHits = std::stoi(row[2]);
    }
    EXPECT_EQ(dealers, 1);
    EXPECT_GT(longestArcHits, 400 * 18 / 38);
    EXPECT_LT(longestArcHits, 400);

    // A spin list without draws: the header alone.
    test::WriteFile(file, "# nothing yet\n");
    const Result empty = Fairness({});
    EXPECT_EQ(empty.status, 0) << empty.err;
    EXPECT_EQ(empty.out, "test,subject,statistic,df,p_value,p_adjusted\n");
}

TEST_F(CliFairness, BadOptionsExitWithTwoAndOneLine) {
    const std::vector<std::vector<std::string>> bad = {
        {"--simulations", "5"},      {"--simulations", "many"}, {"--seed", "-1"},
        {"--seed", "1", "--seed=2"}, {"--step", "12"},          {"--tries", "3"},
    };
    for (const auto& options : bad) {
        const Result r = Fairness(options);
        EXPECT_EQ(r.status, 2) << testing::PrintToString(options);
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    EXPECT_EQ(RunCli({"fairness", "--seed"}).status, 2);
    EXPECT_EQ(RunCli({"fairness"}).status, 2);
}

}  // namespace
}  // namespace spinalyst::cli
