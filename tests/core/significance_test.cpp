#include "core/stats/significance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace spinalyst {
namespace {

TEST(Significance, BinomialPMatchesHandWorkedValuesAndTheTabulatedPathAgrees) {
    // Fair coin, 10 tosses: 3 heads is as likely as 7, so p = P(X <= 3) + P(X >= 7).
    EXPECT_NEAR(BinomialTwoSidedP(3, 10, 0.5), 2 * 176 / 1024.0, 1e-14);
    EXPECT_DOUBLE_EQ(BinomialTwoSidedP(5, 10, 0.5), 1.0);
    // Nothing is less likely than all heads but all tails.
    EXPECT_NEAR(BinomialTwoSidedP(10, 10, 0.5), 2 / 1024.0, 1e-15);
    // With p = 1/37 and n = 37, 0 hits (probability 0.3627) leaves out only the count 1.
    const double p0 = std::pow(36.0 / 37, 37), p1 = std::pow(36.0 / 37, 36);
    EXPECT_NEAR(BinomialTwoSidedP(0, 37, 1.0 / 37), 1 - p1, 1e-12);
    EXPECT_NEAR(BinomialTwoSidedP(1, 37, 1.0 / 37), 1.0, 1e-12);
    EXPECT_GT(p0, 0.36);

    for (int n : {1, 2, 37, 500, 5000, 100000}) {
        for (double share : {1.0 / 38, 1.0 / 37, 1.0 / 36}) {
            std::vector<int> counts;
            const int mean = static_cast<int>(n * share);
            for (int k = 0; k <= n; k += std::max(1, n / 150)) counts.push_back(k);
            for (int k = std::max(0, mean - 40); k <= std::min(n, mean + 40); ++k)
                counts.push_back(k);
            counts.push_back(n);
            const std::vector<double> fast = BinomialTwoSidedPs(counts, n, share);
            for (std::size_t i = 0; i < counts.size(); ++i) {
                const double exact = BinomialTwoSidedP(counts[i], n, share);
                ASSERT_NEAR(fast[i], exact, 1e-10 * exact + 1e-300)
                    << "n " << n << " k " << counts[i] << " share " << share;
                // A table built for one count reaches only as far as that count needs.
                if (i % 7 == 0) {
                    ASSERT_NEAR(BinomialTwoSidedPs(std::span(&counts[i], 1), n, share)[0], exact,
                                1e-10 * exact + 1e-300)
                        << "alone: n " << n << " k " << counts[i] << " share " << share;
                }
            }
        }
    }
}

TEST(Significance, HolmAdjustsStepDownInTheOrderGiven) {
    struct Case {
        std::vector<double> p, adjusted;
    } cases[] = {
        {{}, {}},
        {{0.2}, {0.2}},
        {{0.01, 0.04, 0.03}, {0.03, 0.06, 0.06}},
        {{0.04, 0.01, 0.03, 0.005}, {0.06, 0.03, 0.06, 0.02}},
        {{0.5, 0.6}, {1.0, 1.0}},
        {{0.02, 0.02}, {0.04, 0.04}},
    };
    for (const Case& c : cases) {
        const std::vector<double> got = HolmAdjust(c.p);
        ASSERT_EQ(got.size(), c.adjusted.size());
        for (std::size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], c.adjusted[i], 1e-15);
    }
}

TEST(Significance, NormalAndChiSquareTailsMatchTabledValues) {
    struct Case {
        double z, p;
    } normal[] = {
        {0, 1}, {1.959963984540054, 0.05}, {2.575829303548901, 0.01}, {-3, 0.0026997960632601866}};
    for (const Case& c : normal) {
        EXPECT_NEAR(NormalTwoSidedP(c.z), c.p, 1e-13);
        EXPECT_NEAR(NormalCriticalZ(c.p), std::fabs(c.z), 1e-9);
    }
    // Upper 5 % points of the chi-square laws with 2 and 36 degrees of freedom.
    EXPECT_NEAR(ChiSquareP(5.991464547107979, 2), 0.05, 1e-12);
    EXPECT_NEAR(ChiSquareP(50.99846016571065, 36), 0.05, 1e-12);
    EXPECT_EQ(ChiSquareP(0, 36), 1.0);
    EXPECT_EQ(ChiSquareP(12, 0), 1.0);
}

}  // namespace
}  // namespace spinalyst
