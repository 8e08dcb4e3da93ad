#include <gtest/gtest.h>

#include "core/betting/monte_carlo.h"
#include "system_support.h"

namespace spinalyst {
namespace {

// No rule on past spins changes what a fair wheel pays: the sleeping dozen returns the house
// edge per unit staked, however its stakes come and go.
TEST(SystemMonteCarlo, TheSleepingDozenReturnsTheHouseEdge) {
    const struct {
        RouletteKind kind;
        double edge;
    } wheels[] = {{RouletteKind::French, -1.0 / 37}, {RouletteKind::American, -2.0 / 38}};
    for (const auto& w : wheels) {
        SCOPED_TRACE(std::string(KindName(w.kind)));
        const PlanTable table(test::SystemPlan(
            "--rule absent any douzaine >= 12 => that=1\n--max-spins 100", w.kind));
        MonteCarloRequest request;
        request.sessions = 200'000;
        request.seed = 31;
        request.threads = 2;
        const auto result = RunMonteCarlo(table, request);
        ASSERT_TRUE(result);
        EXPECT_LE(result->returnPerUnit.low, w.edge);
        EXPECT_GE(result->returnPerUnit.high, w.edge);
        EXPECT_NEAR(result->expectedReturn, w.edge, 1e-12);
        EXPECT_EQ(result->spinsMean.value, 100);
        // Most sessions stake something, and far from every spin.
        EXPECT_GT(result->stakedMean.value, 100);
        EXPECT_LT(result->stakedMean.value, 2000);
    }
}

TEST(SystemMonteCarlo, SameFiguresOnAnyNumberOfThreads) {
    const PlanTable table(test::SystemPlan(
        "--rule last any colonne => that=1\n--rule hits red in 8 <= 2 => red=1\n"
        "--progression martingale\n--bankroll 40\n--stop-win 5\n--max-spins 60\n--la-partage"));
    MonteCarloRequest request;
    request.sessions = 5'000;
    request.threads = 1;
    const auto one = RunMonteCarlo(table, request);
    request.threads = 2;
    const auto two = RunMonteCarlo(table, request);
    ASSERT_TRUE(one && two);
    EXPECT_EQ(one->finalBalances, two->finalBalances);
    EXPECT_EQ(one->ends, two->ends);
    EXPECT_EQ(one->returnPerUnit.value, two->returnPerUnit.value);
    EXPECT_EQ(one->expectedReturn, two->expectedReturn);
    // La partage on the red bets lifts the expectation above the edge of the column bets alone.
    EXPECT_GT(one->expectedReturn, -1.0 / 37);
    EXPECT_LT(one->expectedReturn, -1.0 / 74);
}

}  // namespace
}  // namespace spinalyst
