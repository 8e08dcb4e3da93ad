#include "core/stats/significance.h"

#include <algorithm>
#include <boost/math/distributions/binomial.hpp>
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/special_functions/beta.hpp>
#include <cmath>
#include <limits>
#include <numeric>

namespace spinalyst {

namespace {

// Double precision throughout: Boost would otherwise work in long double, at twice the cost,
// for digits no test needs.
using DoublePolicy = boost::math::policies::policy<boost::math::policies::promote_double<false>>;

// SciPy's tolerance on "no more likely than the observed count".
constexpr double likelihoodTolerance = 1 + 1e-7;

// The binomial probabilities of the counts from low() to high(), built outwards from the mode
// by the ratio of neighbouring terms, and each tail summed from its far end. The span reaches
// every count asked for and goes on until the terms left out are below 1e-17 of the least
// likely of them, so the sums keep their precision. Tails too small for that are computed
// directly.
class BinomialTable {
public:
    BinomialTable(std::span<const int> counts, int n, double p) : n_(n), p_(p) {
        const double q = 1 - p;
        const int mode = std::clamp(static_cast<int>(std::floor((n + 1.0) * p)), 0, n);
        const auto [fewest, most] = std::minmax_element(counts.begin(), counts.end());
        const int lowest = std::clamp(*fewest, 0, mode), highest = std::clamp(*most, mode, n);
        std::vector<double> up{boost::math::pdf(boost::math::binomial_distribution<>(n, p), mode)};
        std::vector<double> down;
        // Some twenty standard deviations cover every count a fair wheel gives.
        const auto expectedSpan = static_cast<std::size_t>(20 * std::sqrt(n * p * q)) + 64;
        up.reserve(expectedSpan);
        down.reserve(expectedSpan);
        const double upRatio = p / q, downRatio = q / p;
        // Terms are added until the count `until` is reached and the last term is below
        // `floor`; past the mode they only shrink, so none is added once one is 0.
        const auto growUp = [&](int until, double floor) {
            for (int y = mode + static_cast<int>(up.size());
                 y <= n && up.back() > 0 && (y <= until || up.back() >= floor); ++y)
                up.push_back(up.back() * ((n - y + 1) * upRatio / y));
        };
        const auto lastDown = [&] { return down.empty() ? up.front() : down.back(); };
        const auto growDown = [&](int until, double floor) {
            for (int y = mode - 1 - static_cast<int>(down.size());
                 y >= 0 && lastDown() > 0 && (y >= until || lastDown() >= floor); --y)
                down.push_back(lastDown() * ((y + 1) * downRatio / (n - y)));
        };
        constexpr double none = std::numeric_limits<double>::infinity();
        growUp(highest, none);
        growDown(lowest, none);
        const double leastLikely = std::min(up.back(), lastDown());
        const double floor = std::max(leastLikely * 1e-17, 1e-300);
        growUp(highest, floor);
        growDown(lowest, floor);

        low_ = mode - static_cast<int>(down.size());
        pmf_.assign(down.rbegin(), down.rend());
        pmf_.insert(pmf_.end(), up.begin(), up.end());
        high_ = low_ + static_cast<int>(pmf_.size()) - 1;
        lower_.resize(pmf_.size());
        upper_.resize(pmf_.size());
        double sum = 0;
        for (std::size_t i = 0; i < pmf_.size(); ++i) lower_[i] = sum += pmf_[i];
        sum = 0;
        for (std::size_t i = pmf_.size(); i-- > 0;) upper_[i] = sum += pmf_[i];
    }

    double TwoSidedP(int k) const {
        const double p = TabulatedP(k);
        // Tails this small would feel the terms the table leaves out.
        return p < 1e-250 ? BinomialTwoSidedP(k, n_, p_) : p;
    }

private:
    double At(int y) const { return pmf_[Index(y)]; }
    std::size_t Index(int y) const { return static_cast<std::size_t>(y - low_); }

    // The p-value from the table; 0 when the table cannot give it.
    double TabulatedP(int k) const {
        if (k < low_ || k > high_) return 0;
        const double mean = p_ * n_;
        if (k == mean) return 1.0;
        const double limit = At(k) * likelihoodTolerance;
        if (k < mean) {
            // The first count above the mean that is no more likely than k.
            int lo = std::max(static_cast<int>(std::ceil(mean)), low_), hi = high_ + 1;
            while (lo < hi) {
                const int mid = lo + (hi - lo) / 2;
                if (At(mid) <= limit)
                    hi = mid;
                else
                    lo = mid + 1;
            }
            if (lo > high_ && high_ < n_) return 0;
            const double other = lo > high_ ? 0.0 : upper_[Index(lo)];
            return std::min(1.0, lower_[Index(k)] + other);
        }
        // The last count below the mean that is no more likely than k.
        int lo = low_ - 1, hi = std::min(static_cast<int>(std::floor(mean)), high_);
        while (lo < hi) {
            const int mid = lo + (hi - lo + 1) / 2;
            if (At(mid) <= limit)
                lo = mid;
            else
                hi = mid - 1;
        }
        if (lo < low_ && low_ > 0) return 0;
        const double other = lo < low_ ? 0.0 : lower_[Index(lo)];
        return std::min(1.0, upper_[Index(k)] + other);
    }

    int n_;
    double p_;
    int low_ = 0, high_ = 0;
    std::vector<double> pmf_, lower_, upper_;
};

}  // namespace

double BinomialTwoSidedP(int k, int n, double p) {
    const boost::math::binomial_distribution<> law(n, p);
    const double limit = boost::math::pdf(law, k) * likelihoodTolerance;
    const double mean = p * n;
    if (k == mean) return 1.0;
    double pval;
    if (k < mean) {
        // The first count above the mean that is no more likely than k.
        int lo = static_cast<int>(std::ceil(mean)), hi = n + 1;
        while (lo < hi) {
            const int mid = lo + (hi - lo) / 2;
            if (boost::math::pdf(law, mid) <= limit)
                hi = mid;
            else
                lo = mid + 1;
        }
        pval = boost::math::cdf(law, k) +
               (lo > n ? 0.0 : boost::math::cdf(boost::math::complement(law, lo - 1)));
    } else {
        // The last count below the mean that is no more likely than k.
        int lo = -1, hi = static_cast<int>(std::floor(mean));
        while (lo < hi) {
            const int mid = lo + (hi - lo + 1) / 2;
            if (boost::math::pdf(law, mid) <= limit)
                lo = mid;
            else
                hi = mid - 1;
        }
        pval = (lo < 0 ? 0.0 : boost::math::cdf(law, lo)) +
               boost::math::cdf(boost::math::complement(law, k - 1));
    }
    return std::min(1.0, pval);
}

std::vector<double> BinomialTwoSidedPs(std::span<const int> counts, int n, double p) {
    std::vector<double> ps;
    ps.reserve(counts.size());
    const bool inRange =
        std::all_of(counts.begin(), counts.end(), [n](int k) { return k >= 0 && k <= n; });
    if (counts.empty() || n <= 0 || !(p > 0 && p < 1) || !inRange) {
        for (int k : counts) ps.push_back(BinomialTwoSidedP(k, n, p));
        return ps;
    }
    const BinomialTable table(counts, n, p);
    for (int k : counts) ps.push_back(table.TwoSidedP(k));
    return ps;
}

double BinomialUpperP(int k, int n, double p) {
    if (k <= 0) return 1.0;
    if (k > n) return 0.0;
    // P(X >= k) is the regularized incomplete beta I_p(k, n - k + 1).
    return boost::math::ibeta(static_cast<double>(k), static_cast<double>(n - k + 1), p,
                              DoublePolicy());
}

double BinomialTerm(int k, int n, double p) {
    return boost::math::pdf(boost::math::binomial_distribution<double, DoublePolicy>(n, p), k);
}

ShareInterval ClopperPearson(int successes, int trials, double confidence) {
    const double tail = (1 - confidence) / 2;
    const double x = successes, m = trials;
    ShareInterval interval;
    if (successes > 0) interval.low = boost::math::ibeta_inv(x, m - x + 1, tail, DoublePolicy());
    if (successes < trials)
        interval.high = boost::math::ibeta_inv(x + 1, m - x, 1 - tail, DoublePolicy());
    return interval;
}

std::vector<double> HolmAdjust(std::span<const double> p) {
    const std::size_t m = p.size();
    std::vector<std::size_t> order(m);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return p[a] < p[b]; });
    std::vector<double> adjusted(m);
    double running = 0;
    for (std::size_t rank = 0; rank < m; ++rank) {
        const std::size_t i = order[rank];
        running = std::max(running, std::min(1.0, static_cast<double>(m - rank) * p[i]));
        adjusted[i] = running;
    }
    return adjusted;
}

double ChiSquareP(double statistic, int df) {
    if (df <= 0 || !(statistic > 0)) return 1.0;
    return boost::math::cdf(boost::math::complement(
        boost::math::chi_squared_distribution<double, DoublePolicy>(df), statistic));
}

double NormalTwoSidedP(double z) {
    return 2 * boost::math::cdf(boost::math::complement(
                   boost::math::normal_distribution<double, DoublePolicy>(), std::fabs(z)));
}

double NormalCriticalZ(double p) {
    return boost::math::quantile(
        boost::math::complement(boost::math::normal_distribution<double, DoublePolicy>(), p / 2));
}

double NormalUpperZ(double p) {
    return boost::math::quantile(
        boost::math::complement(boost::math::normal_distribution<double, DoublePolicy>(), p));
}

}  // namespace spinalyst
