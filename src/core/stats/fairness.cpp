#include "stats/fairness.h"

#include <algorithm>
#include <boost/math/distributions/binomial.hpp>
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/normal.hpp>
#include <cmath>
#include <limits>
#include <numeric>
#include <thread>

#include "draws/random_source.h"
#include "model/wheel.h"

namespace spinalyst {

namespace {

// Pair tables index a previous pocket (0 ... 37, or noPocket before the first draw) by the
// pocket that follows it.
constexpr unsigned pocketSlots = maxPocketCount;
constexpr unsigned noPocket = maxPocketCount;
constexpr unsigned pairTableSize = (maxPocketCount + 1) * pocketSlots;

bool IsGreen(Pocket p) {
    return ColourOf(p) == PocketColour::Green;
}

// The cell of a pocket in an outside family, as FamilyTest orders them; -1 for green.
int FamilyCell(OutsideFamily family, Pocket p) {
    if (IsGreen(p)) return -1;
    switch (family) {
        case OutsideFamily::Dozens:
            return (p - 1) / 12;
        case OutsideFamily::Columns:
            return (p - 1) % 3;
        case OutsideFamily::RedBlack:
            return IsRed(p) ? 0 : 1;
        case OutsideFamily::EvenOdd:
            return p % 2 == 0 ? 0 : 1;
        case OutsideFamily::LowHigh:
            return p <= 18 ? 0 : 1;
    }
    return -1;
}

int FamilyBoxes(OutsideFamily family) {
    return family == OutsideFamily::Dozens || family == OutsideFamily::Columns ? 3 : 2;
}

OutsideFamily FamilyOf(EvenChance chance) {
    switch (chance) {
        case EvenChance::RedBlack:
            return OutsideFamily::RedBlack;
        case EvenChance::EvenOdd:
            return OutsideFamily::EvenOdd;
        case EvenChance::LowHigh:
            return OutsideFamily::LowHigh;
    }
    return OutsideFamily::RedBlack;
}

ChiSquareTest ChiSquareAgainst(std::span<const int> hits, std::span<const double> expected) {
    ChiSquareTest test;
    for (std::size_t i = 0; i < hits.size(); ++i) {
        const double d = hits[i] - expected[i];
        test.statistic += d * d / expected[i];
    }
    test.df = static_cast<int>(hits.size()) - 1;
    test.p = test.pAdjusted = ChiSquareP(test.statistic, test.df);
    return test;
}

// Applies Holm over the given fields of a list of results.
template <typename T, typename P, typename A>
void HolmOver(std::vector<T>& items, P p, A adjusted) {
    std::vector<double> ps;
    ps.reserve(items.size());
    for (const T& item : items) ps.push_back(p(item));
    const std::vector<double> adj = HolmAdjust(ps);
    for (std::size_t i = 0; i < items.size(); ++i) adjusted(items[i]) = adj[i];
}

// The two-sided binomial p-values of many counts out of the same n: the probabilities of
// every count are tabulated once where they are not negligible, so each p-value costs a
// search and two look-ups instead of two incomplete beta functions. Counts outside the table
// fall back to the direct computation.
class BinomialTails {
public:
    BinomialTails(int n, double p) : n_(n), p_(p) {
        const double q = 1 - p;
        const int mode = std::clamp(static_cast<int>(std::floor((n + 1.0) * p)), 0, n);
        const double atMode = boost::math::pdf(boost::math::binomial_distribution<>(n, p), mode);
        // Below this, terms no longer change any sum that matters.
        constexpr double negligible = 1e-300;
        std::vector<double> up{atMode}, down;
        for (int y = mode + 1; y <= n; ++y) {
            const double next = up.back() * (n - y + 1) / y * (p / q);
            if (next < negligible) break;
            up.push_back(next);
        }
        double current = atMode;
        for (int y = mode - 1; y >= 0; --y) {
            current = current * (y + 1) / (n - y) * (q / p);
            if (current < negligible) break;
            down.push_back(current);
        }
        low_ = mode - static_cast<int>(down.size());
        pmf_.assign(down.rbegin(), down.rend());
        pmf_.insert(pmf_.end(), up.begin(), up.end());
        high_ = low_ + static_cast<int>(pmf_.size()) - 1;
        // Each tail summed from its far end, so small tails keep their precision.
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
    double At(int y) const { return pmf_[static_cast<std::size_t>(y - low_)]; }

    // The p-value from the table, or 0 when the table cannot give it.
    double TabulatedP(int k) const {
        if (k < low_ || k > high_) return 0;
        const double mean = p_ * n_;
        if (k == mean) return 1.0;
        const double limit = At(k) * (1 + 1e-7);
        const auto index = [&](int y) { return static_cast<std::size_t>(y - low_); };
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
            const double other = lo > high_ ? 0.0 : upper_[index(lo)];
            return std::min(1.0, lower_[index(k)] + other);
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
        const double other = lo < low_ ? 0.0 : lower_[index(lo)];
        return std::min(1.0, upper_[index(k)] + other);
    }

    int n_;
    double p_;
    int low_ = 0, high_ = 0;
    std::vector<double> pmf_, lower_, upper_;
};

// Pairs of consecutive analysed draws, counted once per draw: by croupier stint (slot 0 holds
// the pairs that are no croupier's), previous pocket and pocket. Every other count derives
// from these tables after the pass, so the pass costs about what a histogram does.
struct PairCounts {
    std::vector<std::uint32_t> table;
    // Croupier of slot s + 1.
    std::vector<std::int32_t> croupiers;
    // Pairs of non-green pockets with only green draws between them.
    std::array<std::uint32_t, pairTableSize> bridges{};

    std::uint32_t Pair(std::size_t slot, unsigned prev, unsigned next) const {
        return table[slot * pairTableSize + prev * pocketSlots + next];
    }
};

template <bool withCroupiers>
void CountPairs(std::span<const std::uint8_t> draws, std::span<const std::int32_t> croupiers,
                PairCounts& counts) {
    std::array<bool, 256> green{};
    for (Pocket p = 0; p < maxPocketCount; ++p) green[static_cast<std::size_t>(p)] = IsGreen(p);
    counts.table.assign(pairTableSize, 0);
    std::uint32_t* table = counts.table.data();
    std::size_t stintBase = 0;
    std::int32_t stintCroupier = 0;
    unsigned prev = noPocket, lastNonGreen = noPocket;
    bool prevGreen = false;
    for (std::size_t i = 0; i < draws.size(); ++i) {
        const unsigned p = draws[i];
        std::size_t base = 0;
        if constexpr (withCroupiers) {
            const std::int32_t c = croupiers[i];
            if (c != stintCroupier) {
                // A new stint: its first draw pairs with another croupier's.
                stintCroupier = c;
                stintBase = 0;
                if (c != 0) {
                    auto& known = counts.croupiers;
                    auto it = std::find(known.begin(), known.end(), c);
                    if (it == known.end()) {
                        known.push_back(c);
                        counts.table.resize(counts.table.size() + pairTableSize, 0);
                        table = counts.table.data();
                        it = known.end() - 1;
                    }
                    stintBase = static_cast<std::size_t>(it - known.begin() + 1) * pairTableSize;
                }
            } else {
                base = stintBase;
            }
        }
        ++table[base + prev * pocketSlots + p];
        const bool isGreen = green[p];
        if (prevGreen && !isGreen && lastNonGreen != noPocket) [[unlikely]]
            ++counts.bridges[lastNonGreen * pocketSlots + p];
        lastNonGreen = isGreen ? lastNonGreen : p;
        prevGreen = isGreen;
        prev = p;
    }
}

void AddPocketTests(FairnessReport& r, std::span<const int> hits) {
    const RouletteKind kind = r.kind;
    const int n = r.drawCount;
    const int count = pocketCount(kind);
    const double share = 1.0 / count;
    const double expected = n * share;
    const double sd = std::sqrt(n * share * (1 - share));
    std::vector<int> kindHits;
    for (Pocket p = firstPocket(kind); p <= lastPocket(kind); ++p)
        kindHits.push_back(hits[static_cast<std::size_t>(p)]);
    const std::vector<double> expectations(kindHits.size(), expected);
    r.pockets = ChiSquareAgainst(kindHits, expectations);

    const std::vector<double> ps = BinomialTwoSidedPs(kindHits, n, share);
    for (Pocket p = firstPocket(kind); p <= lastPocket(kind); ++p) {
        PocketFigure f;
        f.pocket = p;
        f.hits = hits[static_cast<std::size_t>(p)];
        f.expected = expected;
        f.z = (f.hits - expected) / sd;
        f.p = ps[static_cast<std::size_t>(p - firstPocket(kind))];
        r.pocketFigures.push_back(f);
    }
    HolmOver(
        r.pocketFigures, [](const PocketFigure& f) { return f.p; },
        [](PocketFigure& f) -> double& { return f.pAdjusted; });
}

void AddFamilyTests(FairnessReport& r, std::span<const int> hits) {
    const RouletteKind kind = r.kind;
    const double n = r.drawCount;
    const double count = pocketCount(kind);
    for (OutsideFamily family : allOutsideFamilies) {
        const int boxes = FamilyBoxes(family);
        FamilyTest t;
        t.family = family;
        const bool hasGreen = kind != RouletteKind::NoZero;
        t.hits.assign(static_cast<std::size_t>(boxes + (hasGreen ? 1 : 0)), 0);
        std::vector<int> sizes(t.hits.size(), 0);
        for (Pocket p = firstPocket(kind); p <= lastPocket(kind); ++p) {
            const int cell = FamilyCell(family, p);
            const auto at = static_cast<std::size_t>(cell < 0 ? boxes : cell);
            t.hits[at] += hits[static_cast<std::size_t>(p)];
            ++sizes[at];
        }
        for (int size : sizes) t.expected.push_back(n * size / count);
        t.test = ChiSquareAgainst(t.hits, t.expected);
        r.families.push_back(std::move(t));
    }
    HolmOver(
        r.families, [](const FamilyTest& t) { return t.test.p; },
        [](FamilyTest& t) -> double& { return t.test.pAdjusted; });
}

// The hottest arc of every length over hit counts in wheel order; ties go to the arc that
// starts first in the order.
template <typename Count>
void HottestArcs(std::span<const Count> wheelHits, std::array<int, arcLengthCount>& hottest,
                 std::array<int, arcLengthCount>* starts = nullptr) {
    const int n = static_cast<int>(wheelHits.size());
    std::array<int, 2 * maxPocketCount + 1> prefix{};
    for (int i = 0; i < 2 * n; ++i)
        prefix[static_cast<std::size_t>(i + 1)] =
            prefix[static_cast<std::size_t>(i)] + static_cast<int>(wheelHits[i % n]);
    for (int k = shortestArc; k <= longestArc; ++k) {
        int best = -1, bestStart = 0;
        for (int s = 0; s < n; ++s) {
            const int sum =
                prefix[static_cast<std::size_t>(s + k)] - prefix[static_cast<std::size_t>(s)];
            if (sum > best) {
                best = sum;
                bestStart = s;
            }
        }
        hottest[static_cast<std::size_t>(k - shortestArc)] = best;
        if (starts) (*starts)[static_cast<std::size_t>(k - shortestArc)] = bestStart;
    }
}

void AddSectorArcs(FairnessReport& r, std::span<const int> hits) {
    const auto order = WheelOrder(r.kind);
    std::vector<int> wheelHits;
    for (Pocket p : order) wheelHits.push_back(hits[static_cast<std::size_t>(p)]);
    std::array<int, arcLengthCount> hottest{}, starts{};
    HottestArcs<int>(wheelHits, hottest, &starts);
    const double perPocket = static_cast<double>(r.drawCount) / static_cast<double>(order.size());
    for (int i = 0; i < arcLengthCount; ++i) {
        SectorTest t;
        t.arc.length = shortestArc + i;
        t.arc.start = starts[static_cast<std::size_t>(i)];
        t.arc.hits = hottest[static_cast<std::size_t>(i)];
        t.arc.expected = perPocket * t.arc.length;
        r.sectors.push_back(t);
    }
}

void AddDealerTests(FairnessReport& r, const PairCounts& pairs) {
    const RouletteKind kind = r.kind;
    const int count = pocketCount(kind);
    for (std::size_t s = 0; s < pairs.croupiers.size(); ++s) {
        DealerTest t;
        t.croupier = pairs.croupiers[s];
        t.distances.assign(static_cast<std::size_t>(count), 0);
        for (Pocket a = firstPocket(kind); a <= lastPocket(kind); ++a)
            for (Pocket b = firstPocket(kind); b <= lastPocket(kind); ++b) {
                const auto n =
                    pairs.Pair(s + 1, static_cast<unsigned>(a), static_cast<unsigned>(b));
                t.distances[static_cast<std::size_t>(wheelDistance(kind, a, b))] +=
                    static_cast<int>(n);
                t.pairs += static_cast<int>(n);
            }
        if (t.pairs < minDealerPairs) continue;
        const std::vector<double> expected(t.distances.size(),
                                           static_cast<double>(t.pairs) / count);
        t.test = ChiSquareAgainst(t.distances, expected);
        r.dealers.push_back(std::move(t));
    }
    std::sort(r.dealers.begin(), r.dealers.end(),
              [](const DealerTest& a, const DealerTest& b) { return a.croupier < b.croupier; });
    HolmOver(
        r.dealers, [](const DealerTest& t) { return t.test.p; },
        [](DealerTest& t) -> double& { return t.test.pAdjusted; });
}

void AddRunsTests(FairnessReport& r, std::span<const int> hits,
                  const std::vector<std::uint32_t>& allPairs, const PairCounts& pairs) {
    const RouletteKind kind = r.kind;
    for (EvenChance chance : allEvenChances) {
        const OutsideFamily family = FamilyOf(chance);
        RunsTest t;
        t.chance = chance;
        long long changes = 0;
        for (Pocket a = firstPocket(kind); a <= lastPocket(kind); ++a) {
            const int cellA = FamilyCell(family, a);
            if (cellA < 0) continue;
            (cellA == 0 ? t.first : t.second) += hits[static_cast<std::size_t>(a)];
            for (Pocket b = firstPocket(kind); b <= lastPocket(kind); ++b) {
                const int cellB = FamilyCell(family, b);
                if (cellB < 0 || cellB == cellA) continue;
                const auto at =
                    static_cast<std::size_t>(a) * pocketSlots + static_cast<std::size_t>(b);
                changes += allPairs[at] + pairs.bridges[at];
            }
        }
        const double n1 = t.first, n2 = t.second, n = n1 + n2;
        if (t.first == 0 || t.second == 0) continue;
        const double variance = 2 * n1 * n2 * (2 * n1 * n2 - n) / (n * n * (n - 1));
        if (!(variance > 0)) continue;
        t.runs = static_cast<int>(changes + 1);
        t.expectedRuns = 1 + 2 * n1 * n2 / n;
        t.z = (t.runs - t.expectedRuns) / std::sqrt(variance);
        t.p = NormalTwoSidedP(t.z);
        r.runs.push_back(t);
    }
    HolmOver(
        r.runs, [](const RunsTest& t) { return t.p; },
        [](RunsTest& t) -> double& { return t.pAdjusted; });
}

void AddSerialTest(FairnessReport& r, std::span<const int> hits,
                   const std::vector<std::uint32_t>& allPairs, Pocket firstDraw, Pocket lastDraw) {
    const RouletteKind kind = r.kind;
    const long double n = r.drawCount;
    if (r.drawCount < 3) return;
    long double s1 = 0, s2 = 0, cross = 0;
    for (Pocket a = firstPocket(kind); a <= lastPocket(kind); ++a) {
        const long double x = wheelPosition(kind, a);
        const long double h = hits[static_cast<std::size_t>(a)];
        s1 += h * x;
        s2 += h * x * x;
        for (Pocket b = firstPocket(kind); b <= lastPocket(kind); ++b)
            cross +=
                x * wheelPosition(kind, b) *
                allPairs[static_cast<std::size_t>(a) * pocketSlots + static_cast<std::size_t>(b)];
    }
    const long double mean = s1 / n;
    const long double spread = s2 - s1 * mean;
    if (!(spread > 0)) return;
    const long double x1 = wheelPosition(kind, firstDraw), xn = wheelPosition(kind, lastDraw);
    const long double lagged = cross - mean * (s1 - xn) - mean * (s1 - x1) + (n - 1) * mean * mean;
    SerialTest t;
    t.correlation = static_cast<double>(lagged / spread);
    t.z = static_cast<double>((lagged / spread + 1 / n) * std::sqrt(n));
    t.p = NormalTwoSidedP(t.z);
    r.serial = t;
}

std::uint64_t SplitMix64(std::uint64_t x) {
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

// Games per unit of work; each unit has its own generator, so the figures do not depend on
// which thread runs it.
constexpr int gamesPerBlock = 64;

}  // namespace

double BinomialTwoSidedP(int k, int n, double p) {
    const boost::math::binomial_distribution<> law(n, p);
    const double d = boost::math::pdf(law, k);
    const double limit = d * (1 + 1e-7);
    const double mean = p * n;
    if (k == mean) return 1.0;
    double pval;
    if (k < mean) {
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
    if (counts.empty()) return ps;
    if (n <= 0 || !(p > 0 && p < 1)) {
        for (int k : counts) ps.push_back(BinomialTwoSidedP(k, n, p));
        return ps;
    }
    const BinomialTails tails(n, p);
    for (int k : counts) ps.push_back(tails.TwoSidedP(k));
    return ps;
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
    if (df <= 0) return 1.0;
    if (!(statistic > 0)) return 1.0;
    return boost::math::cdf(
        boost::math::complement(boost::math::chi_squared_distribution<>(df), statistic));
}

double NormalTwoSidedP(double z) {
    return 2 * boost::math::cdf(
                   boost::math::complement(boost::math::normal_distribution<>(), std::fabs(z)));
}

std::vector<Pocket> ArcPockets(RouletteKind kind, const SectorArc& arc) {
    const auto order = WheelOrder(kind);
    std::vector<Pocket> pockets;
    for (int i = 0; i < arc.length; ++i)
        pockets.push_back(order[static_cast<std::size_t>(arc.start + i) % order.size()]);
    return pockets;
}

FairnessReport ComputeFairness(const FairnessInput& input) {
    FairnessReport r;
    r.kind = input.kind;
    const RouletteKind kind = input.kind;
    std::span<const std::uint8_t> draws = input.draws;
    std::span<const std::int32_t> croupiers =
        input.croupiers.size() == draws.size() ? input.croupiers : std::span<const std::int32_t>{};

    // Anything that is no pocket of the kind is left out, with its croupier.
    std::vector<std::uint8_t> keptDraws;
    std::vector<std::int32_t> keptCroupiers;
    std::uint8_t low = 255, high = 0;
    for (std::uint8_t p : draws) {
        low = std::min(low, p);
        high = std::max(high, p);
    }
    if (!draws.empty() && (low < firstPocket(kind) || high > lastPocket(kind))) {
        for (std::size_t i = 0; i < draws.size(); ++i) {
            if (!IsPocketOf(kind, draws[i])) continue;
            keptDraws.push_back(draws[i]);
            if (!croupiers.empty()) keptCroupiers.push_back(croupiers[i]);
        }
        draws = keptDraws;
        croupiers = croupiers.empty() ? croupiers : std::span<const std::int32_t>(keptCroupiers);
    }
    r.drawCount = static_cast<int>(draws.size());
    if (draws.empty()) return r;

    PairCounts pairs;
    const bool anyCroupier =
        std::any_of(croupiers.begin(), croupiers.end(), [](std::int32_t c) { return c != 0; });
    if (anyCroupier)
        CountPairs<true>(draws, croupiers, pairs);
    else
        CountPairs<false>(draws, croupiers, pairs);

    // Pairs of every stint together, and the hits of each pocket (each draw is the second
    // pocket of exactly one pair, the first with noPocket before it).
    std::vector<std::uint32_t> allPairs(pairTableSize, 0);
    const std::size_t slots = pairs.table.size() / pairTableSize;
    for (std::size_t s = 0; s < slots; ++s)
        for (std::size_t i = 0; i < pairTableSize; ++i)
            allPairs[i] += pairs.table[s * pairTableSize + i];
    std::array<int, maxPocketCount> hits{};
    for (unsigned prev = 0; prev <= noPocket; ++prev)
        for (unsigned p = 0; p < pocketSlots; ++p)
            hits[p] += static_cast<int>(allPairs[prev * pocketSlots + p]);

    AddPocketTests(r, hits);
    AddFamilyTests(r, hits);
    AddSectorArcs(r, hits);
    AddDealerTests(r, pairs);
    AddRunsTests(r, hits, allPairs, pairs);
    AddSerialTest(r, hits, allPairs, draws.front(), draws.back());
    return r;
}

int SectorNull::AtLeast(int lengthIndex, int hits) const {
    const auto& sorted = sortedHottest_[static_cast<std::size_t>(lengthIndex)];
    return static_cast<int>(sorted.end() - std::lower_bound(sorted.begin(), sorted.end(), hits));
}

double SectorNull::LengthP(int lengthIndex, int hits) const {
    return (1.0 + AtLeast(lengthIndex, hits)) / (1.0 + simulations_);
}

double SectorNull::BestP(std::span<const int> hottestHits) const {
    // The observed list joins the simulated games as one more game: each counts the games at
    // least as hot as itself, the observed one among them, and the p of a game is that count
    // at its most extreme length.
    const std::size_t lengths = std::min<std::size_t>(hottestHits.size(), arcLengthCount);
    int observedLeast = simulations_ + 1;
    for (std::size_t k = 0; k < lengths; ++k)
        observedLeast = std::min(observedLeast, 1 + AtLeast(static_cast<int>(k), hottestHits[k]));
    int asExtreme = 0;
    for (int g = 0; g < simulations_; ++g) {
        int least = simulations_ + 1;
        for (std::size_t k = 0; k < lengths; ++k) {
            const auto at = static_cast<std::size_t>(g) * arcLengthCount + k;
            least = std::min(least, atLeastOwn_[at] + (hottestHits[k] >= hottest_[at] ? 1 : 0));
        }
        asExtreme += least <= observedLeast ? 1 : 0;
    }
    return (1.0 + asExtreme) / (1.0 + simulations_);
}

std::optional<SectorNull> SimulateSectorNull(RouletteKind kind, int drawCount, int simulations,
                                             std::uint64_t seed, std::stop_token stop,
                                             std::atomic<int>* done, unsigned threads) {
    SectorNull null;
    null.kind_ = kind;
    null.drawCount_ = std::max(drawCount, 0);
    null.simulations_ = std::max(simulations, 1);
    const int games = null.simulations_;
    std::array<std::vector<std::int32_t>, arcLengthCount> hottest;
    for (auto& h : hottest) h.resize(static_cast<std::size_t>(games));

    const int blocks = (games + gamesPerBlock - 1) / gamesPerBlock;
    std::atomic<int> nextBlock{0};
    const int count = pocketCount(kind);
    const auto work = [&] {
        std::array<std::uint32_t, maxPocketCount> wheelHits{};
        std::array<int, arcLengthCount> arcs{};
        for (int b = nextBlock++; b < blocks; b = nextBlock++) {
            if (stop.stop_requested()) return;
            RandomSource rng(SplitMix64(seed ^ SplitMix64(static_cast<std::uint64_t>(b))));
            const int end = std::min(games, (b + 1) * gamesPerBlock);
            for (int g = b * gamesPerBlock; g < end; ++g) {
                // A uniform pocket is a uniform place on the wheel, so the place is drawn
                // directly.
                wheelHits.fill(0);
                for (int i = 0; i < null.drawCount_; ++i)
                    ++wheelHits[static_cast<std::size_t>(rng.Next(kind) - firstPocket(kind))];
                HottestArcs<std::uint32_t>(
                    std::span(wheelHits.data(), static_cast<std::size_t>(count)), arcs);
                for (int k = 0; k < arcLengthCount; ++k)
                    hottest[static_cast<std::size_t>(k)][static_cast<std::size_t>(g)] =
                        arcs[static_cast<std::size_t>(k)];
            }
            if (done) done->fetch_add(end - b * gamesPerBlock, std::memory_order_relaxed);
        }
    };
    const unsigned available = std::max(1u, std::thread::hardware_concurrency());
    const unsigned workers =
        std::min(threads == 0 ? available : threads, static_cast<unsigned>(blocks));
    {
        std::vector<std::jthread> pool;
        for (unsigned t = 1; t < workers; ++t) pool.emplace_back(work);
        work();
    }
    if (stop.stop_requested()) return std::nullopt;

    for (int k = 0; k < arcLengthCount; ++k) {
        auto& sorted = null.sortedHottest_[static_cast<std::size_t>(k)];
        sorted = hottest[static_cast<std::size_t>(k)];
        std::sort(sorted.begin(), sorted.end());
    }
    null.hottest_.resize(static_cast<std::size_t>(games) * arcLengthCount);
    null.atLeastOwn_.resize(null.hottest_.size());
    for (int g = 0; g < games; ++g)
        for (int k = 0; k < arcLengthCount; ++k) {
            const int own = hottest[static_cast<std::size_t>(k)][static_cast<std::size_t>(g)];
            const auto at =
                static_cast<std::size_t>(g) * arcLengthCount + static_cast<std::size_t>(k);
            null.hottest_[at] = own;
            null.atLeastOwn_[at] = null.AtLeast(k, own);
        }
    return null;
}

bool ApplySectorNull(FairnessReport& report, const SectorNull& null) {
    if (null.kind() != report.kind || null.drawCount() != report.drawCount ||
        report.sectors.size() != static_cast<std::size_t>(arcLengthCount))
        return false;
    const double games = null.simulations();
    std::array<int, arcLengthCount> hottest{};
    std::vector<double> ps;
    for (int k = 0; k < arcLengthCount; ++k) {
        SectorTest& t = report.sectors[static_cast<std::size_t>(k)];
        hottest[static_cast<std::size_t>(k)] = t.arc.hits;
        t.p = null.LengthP(k, t.arc.hits);
        t.standardError = std::sqrt(*t.p * (1 - *t.p) / games);
        ps.push_back(*t.p);
    }
    const std::vector<double> adjusted = HolmAdjust(ps);
    const double count = pocketCount(report.kind);
    int best = 0;
    double bestExcess = -std::numeric_limits<double>::infinity();
    for (int k = 0; k < arcLengthCount; ++k) {
        SectorTest& t = report.sectors[static_cast<std::size_t>(k)];
        t.pAdjusted = adjusted[static_cast<std::size_t>(k)];
        // Among lengths equally unlikely, the arc furthest above its share in standard units.
        const double share = t.arc.length / count;
        const double excess =
            (t.arc.hits - t.arc.expected) / std::sqrt(report.drawCount * share * (1 - share));
        const double bestP = *report.sectors[static_cast<std::size_t>(best)].p;
        if (*t.p < bestP || (*t.p == bestP && excess > bestExcess)) {
            best = k;
            bestExcess = excess;
        }
    }
    SectorBest b;
    b.lengthIndex = best;
    b.p = null.BestP(hottest);
    b.standardError = std::sqrt(b.p * (1 - b.p) / games);
    report.bestSector = b;
    return true;
}

FairnessVerdict Verdict(const FairnessReport& r) {
    FairnessVerdict v;
    v.drawCount = r.drawCount;
    v.sectorsPending = !r.sectors.empty() && !r.bestSector;

    std::vector<Finding> findings;
    // The smallest adjusted p of each kind of test that ran.
    std::array<std::optional<double>, findingKindCount> groupP;
    const auto note = [&](const Finding& f) {
        auto& g = groupP[static_cast<std::size_t>(f.kind)];
        g = std::min(g.value_or(1.0), f.pAdjusted);
        if (f.pAdjusted < fairnessLevel) findings.push_back(f);
    };
    const auto finding = [](FindingKind kind, double pAdjusted, int subject = 0,
                            bool more = false) {
        Finding f;
        f.kind = kind;
        f.pAdjusted = pAdjusted;
        f.subject = subject;
        f.more = more;
        return f;
    };
    if (r.pockets) note(finding(FindingKind::PocketSpread, r.pockets->pAdjusted));
    for (const PocketFigure& f : r.pocketFigures)
        note(finding(FindingKind::SinglePocket, f.pAdjusted, f.pocket, f.hits > f.expected));
    for (const FamilyTest& t : r.families) {
        Finding f = finding(FindingKind::Family, t.test.pAdjusted, static_cast<int>(t.family));
        double furthest = -1;
        for (std::size_t c = 0; c < t.hits.size(); ++c) {
            const double residual = (t.hits[c] - t.expected[c]) / std::sqrt(t.expected[c]);
            if (std::fabs(residual) > furthest) {
                furthest = std::fabs(residual);
                f.cell = static_cast<int>(c);
                f.more = residual > 0;
            }
        }
        note(f);
    }
    if (r.bestSector) {
        Finding f = finding(FindingKind::Sector, r.bestSector->p, 0, true);
        f.arc = r.sectors[static_cast<std::size_t>(r.bestSector->lengthIndex)].arc;
        note(f);
    }
    for (const DealerTest& t : r.dealers) {
        Finding f = finding(FindingKind::Dealer, t.test.pAdjusted, t.croupier, true);
        f.cell = static_cast<int>(std::max_element(t.distances.begin(), t.distances.end()) -
                                  t.distances.begin());
        note(f);
    }
    for (const RunsTest& t : r.runs)
        note(finding(FindingKind::Runs, t.pAdjusted, static_cast<int>(t.chance), t.z > 0));
    if (r.serial) note(finding(FindingKind::Serial, r.serial->p, 0, r.serial->correlation > 0));

    std::vector<double> ps;
    std::vector<std::size_t> groups;
    for (std::size_t g = 0; g < groupP.size(); ++g)
        if (groupP[g]) {
            ps.push_back(*groupP[g]);
            groups.push_back(g);
        }
    const std::vector<double> adjusted = HolmAdjust(ps);
    std::array<double, findingKindCount> groupAdjusted{};
    for (std::size_t i = 0; i < groups.size(); ++i) groupAdjusted[groups[i]] = adjusted[i];
    for (Finding& f : findings) {
        f.pOverall = std::max(f.pAdjusted, groupAdjusted[static_cast<std::size_t>(f.kind)]);
        v.evidence = v.evidence || f.pOverall < fairnessLevel;
    }
    std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
        return a.pOverall != b.pOverall ? a.pOverall < b.pOverall : a.pAdjusted < b.pAdjusted;
    });
    v.findings = std::move(findings);
    return v;
}

}  // namespace spinalyst
