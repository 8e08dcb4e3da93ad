#pragma once

#include <span>
#include <vector>

namespace spinalyst {

// p-values of the common laws, from Boost.Math, and the corrections for looking at many.

// Exact two-sided binomial p-value: the probability of every outcome no more likely than k, as
// SciPy's binomtest computes it (with its relative tolerance of 1e-7 on "no more likely").
// 0 <= k <= n; Boost's domain error (std::domain_error) otherwise.
double BinomialTwoSidedP(int k, int n, double p);
// The same for many counts out of the same n. The probabilities of the counts are tabulated
// once over the span the counts need, so this costs far less than one call per count.
std::vector<double> BinomialTwoSidedPs(std::span<const int> counts, int n, double p);

// P(X >= k) for X binomial(n, p): the exact one-sided p-value of k or more successes. 1 for
// k <= 0, 0 for k > n.
double BinomialUpperP(int k, int n, double p);
// P(X = k) for X binomial(n, p), 0 <= k <= n.
double BinomialTerm(int k, int n, double p);

// The exact (Clopper-Pearson) interval of a share from `successes` out of `trials`, at the
// given confidence: the shares under which the count would not be in either tail of width
// (1 - confidence) / 2. 0 <= successes <= trials, trials >= 1.
struct ShareInterval {
    double low = 0;
    double high = 1;
};
ShareInterval ClopperPearson(int successes, int trials, double confidence);

// Holm's step-down adjustment, in the order given.
std::vector<double> HolmAdjust(std::span<const double> p);

// Upper tail of the chi-square law with df degrees of freedom; 1 for df <= 0.
double ChiSquareP(double statistic, int df);

// Two-sided p-value of a standard normal z.
double NormalTwoSidedP(double z);
// The |z| whose two-sided p-value is p, 0 < p <= 1: where a chart draws a threshold.
double NormalCriticalZ(double p);
// The z whose upper tail is p, 0 < p < 1.
double NormalUpperZ(double p);

}  // namespace spinalyst
