#include "core/stats/freeze_confirm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/draws/draw_log.h"
#include "core/draws/random_source.h"
#include "core/stats/significance.h"

namespace spinalyst {
namespace {

std::vector<std::uint8_t> Repeat(std::initializer_list<std::pair<Pocket, int>> runs) {
    std::vector<std::uint8_t> draws;
    for (auto [pocket, count] : runs)
        draws.insert(draws.end(), count, static_cast<std::uint8_t>(pocket));
    return draws;
}

TEST(FreezeConfirm, FiguresOfHandCheckedCases) {
    // Ten draws of 17 alone: the Clopper-Pearson interval of 10 out of 10 starts at
    // 0.025^(1/10), that of 0 out of 10 ends at 1 - 0.025^(1/10).
    const double allTen = std::pow(0.025, 0.1);
    struct Case {
        const char* name;
        RouletteKind kind;
        std::vector<Pocket> set;
        std::vector<std::uint8_t> draws;
        int drawCount, hits;
        double expected, p, ev, evLow, evHigh, kelly;
    } cases[] = {
        {"every draw hits",
         RouletteKind::French,
         {17},
         Repeat({{17, 10}}),
         10,
         10,
         10.0 / 37,
         std::pow(37.0, -10),
         35,
         36 * allTen - 1,
         35,
         allTen - (1 - allTen) / 35},
        {"no draw hits",
         RouletteKind::French,
         {17},
         Repeat({{4, 10}}),
         10,
         0,
         10.0 / 37,
         1,
         -1,
         -1,
         36 * (1 - allTen) - 1,
         0},
        // 20 hits of 5, 24, 16 in 120 draws; figures from SciPy (binomtest, beta.ppf).
        {"three pockets",
         RouletteKind::French,
         {5, 24, 16},
         Repeat({{5, 8}, {24, 7}, {16, 5}, {0, 50}, {36, 50}}),
         120,
         20,
         120 * 3.0 / 37,
         0.0015903848760945754,
         1.0,
         0.2585420237199536,
         1.9472004569278223,
         0.023503820338177592},
        // A pocket twice in the set counts once; 00 is no pocket of the French wheel.
        {"set and draws cleaned",
         RouletteKind::French,
         {17, 17},
         Repeat({{17, 10}, {37, 5}}),
         10,
         10,
         10.0 / 37,
         std::pow(37.0, -10),
         35,
         36 * allTen - 1,
         35,
         allTen - (1 - allTen) / 35},
        // Every pocket of the wheel without zero: the bet pays nothing and returns the stake;
        // the interval of the rate is that of ten hits out of ten all the same.
        {"the whole wheel", RouletteKind::NoZero,
         [] {
             std::vector<Pocket> all;
             for (Pocket p = 1; p <= 36; ++p) all.push_back(p);
             return all;
         }(),
         Repeat({{3, 4}, {30, 6}}), 10, 10, 10, 1, 0, allTen - 1, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Confirmation f = Confirm(c.kind, c.set, c.draws);
        EXPECT_EQ(f.draws, c.drawCount);
        EXPECT_EQ(f.hits, c.hits);
        EXPECT_NEAR(f.expected, c.expected, 1e-12);
        EXPECT_NEAR(f.p, c.p, 1e-9 * c.p);
        ASSERT_TRUE(f.ev && f.evLow && f.evHigh);
        EXPECT_NEAR(*f.ev, c.ev, 1e-12);
        EXPECT_NEAR(*f.evLow, c.evLow, 1e-9);
        EXPECT_NEAR(*f.evHigh, c.evHigh, 1e-9);
        EXPECT_NEAR(f.kelly, c.kelly, 1e-9);
        EXPECT_DOUBLE_EQ(f.halfKelly, f.kelly / 2);
        // The ratios of the hits under each bias weighed against a fair share, averaged.
        const double share = c.expected / c.drawCount;
        double mean = 0;
        for (double excess : {0.05, 0.1, 0.2, 0.3, 0.5, 0.75, 1.0})
            if (share * (1 + excess) < 1)
                mean += std::pow(1 + excess, c.hits) *
                        std::pow((1 - share * (1 + excess)) / (1 - share), c.drawCount - c.hits) /
                        7;
        EXPECT_NEAR(f.logEvidence, mean > 0 ? std::log(mean) : 0.0, 1e-9);
        EXPECT_EQ(f.confirmed(), mean >= 20);
    }
}

// However often a player looks, a fair wheel confirms a frozen set seldom: the chance that the
// evidence ever reaches 20 is at most 1 in 20. The one-sided p, read after every draw, falls
// below 0.05 far more often.
TEST(FreezeConfirm, WatchingEveryDrawConfirmsAFairSetSeldom) {
    constexpr int games = 1000, draws = 3000;
    RandomSource rng(17);
    int confirmed = 0, pBelow = 0;
    for (int g = 0; g < games; ++g) {
        std::vector<std::uint8_t> after;
        bool everConfirmed = false, everBelow = false;
        int hits = 0;
        for (int m = 1; m <= draws; ++m) {
            const Pocket p = rng.Next(RouletteKind::French);
            hits += p == 17 ? 1 : 0;
            everConfirmed =
                everConfirmed || LogConfirmationEvidence(hits, m, 1.0 / 37) >= std::log(20.0);
            // p is costly; a look every 25 draws is enough to show it.
            if (m % 25 == 0) everBelow = everBelow || BinomialUpperP(hits, m, 1.0 / 37) < 0.05;
        }
        confirmed += everConfirmed;
        pBelow += everBelow;
    }
    EXPECT_LT(confirmed, games * 5 / 100);
    EXPECT_GT(pBelow, games * 15 / 100);
}

TEST(FreezeConfirm, NothingToConfirmWithoutDrawsAfterTheFreeze) {
    const Confirmation f = Confirm(RouletteKind::American, std::vector<Pocket>{37}, {});
    EXPECT_EQ(f.draws, 0);
    EXPECT_EQ(f.p, 1);
    EXPECT_FALSE(f.ev || f.evLow || f.evHigh);
    EXPECT_EQ(f.kelly, 0);
    EXPECT_FALSE(f.confirmed());
}

// The draws after the freeze are the analysed draws numbered above it, whatever the window:
// each draw gets its number as its croupier, so that the stints name the draws taken.
TEST(FreezeConfirm, WindowAfterFreezeKeepsTheAnalysedDrawsThatFollowIt) {
    DrawLog log;
    for (int i = 1; i <= 60; ++i) log.Append(static_cast<Pocket>(i * 7 % 37), std::nullopt, i);
    const auto taken = [&](const AnalysisWindow& w) {
        std::vector<CroupierStint> stints;
        SelectAnalysedStints(log, RouletteKind::French, w, stints);
        std::vector<int> numbers;
        for (const CroupierStint& s : stints) numbers.push_back(s.croupier);
        return numbers;
    };
    AnalysisWindow range;
    range.windowFirst = 5;
    range.windowLast = 50;
    AnalysisWindow stepped = range;
    stepped.windowStep = 4;
    AnalysisWindow following;
    following.windowLast = 60;
    following.windowStep = 2;
    following.followFamily = FollowFamily::RougeNoir;
    following.followTarget = 1;
    for (const AnalysisWindow& w : {range, stepped, following})
        for (int frozenAt : {0, 3, 5, 17, 49}) {
            SCOPED_TRACE("frozen at " + std::to_string(frozenAt) + ", step " +
                         std::to_string(w.windowStep));
            std::vector<int> expected;
            for (int number : taken(w))
                if (number > frozenAt) expected.push_back(number);
            const auto after = WindowAfterFreeze(w, frozenAt);
            ASSERT_TRUE(after);
            EXPECT_EQ(taken(*after), expected);
        }
    EXPECT_FALSE(WindowAfterFreeze(range, 50));
    EXPECT_FALSE(WindowAfterFreeze(range, 60));
}

}  // namespace
}  // namespace spinalyst
