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

// The upper tail of the binomial law: the probability of k or more successes in n trials.
double BinomialUpperP(int k, int n, double p);

// Holm's step-down adjustment, in the order given.
std::vector<double> HolmAdjust(std::span<const double> p);

// Upper tail of the chi-square law with df degrees of freedom; 1 for df <= 0.
double ChiSquareP(double statistic, int df);

// Two-sided p-value of a standard normal z.
double NormalTwoSidedP(double z);
// The |z| whose two-sided p-value is p, 0 < p <= 1: where a chart draws a threshold.
double NormalCriticalZ(double p);

}  // namespace spinalyst
