#include "core/stats/fairness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <vector>

#include "core/draws/random_source.h"
#include "core/model/wheel.h"
#include "core/stats/fairness_pairs.h"
#include "core/stats/significance.h"

namespace spinalyst {
namespace {

constexpr RouletteKind American = RouletteKind::American;
constexpr RouletteKind French = RouletteKind::French;
constexpr RouletteKind NoZero = RouletteKind::NoZero;

struct Spins {
    std::vector<std::uint8_t> pockets;
    std::vector<std::int32_t> croupiers;
};

// Fair spins by croupiers 1 ... croupierCount in stints of random length; croupier 0 (none)
// takes some stints too.
Spins FairSpins(RouletteKind kind, int n, std::uint64_t seed, int croupierCount = 3) {
    RandomSource rng(seed);
    std::mt19937 stints(static_cast<unsigned>(seed));
    Spins s;
    std::int32_t croupier = 0;
    for (int i = 0; i < n; ++i) {
        if (i % 7 == 0 && stints() % 3 == 0)
            croupier = static_cast<std::int32_t>(stints() % (croupierCount + 1));
        s.pockets.push_back(static_cast<std::uint8_t>(rng.Next(kind)));
        s.croupiers.push_back(croupier);
    }
    return s;
}

std::vector<CroupierStint> Stints(const std::vector<std::int32_t>& croupiers) {
    std::vector<CroupierStint> stints;
    for (std::int32_t c : croupiers) {
        if (stints.empty() || stints.back().croupier != c) stints.push_back({c, 0});
        ++stints.back().draws;
    }
    return stints;
}

FairnessReport Report(RouletteKind kind, const Spins& s) {
    const std::vector<CroupierStint> stints = Stints(s.croupiers);
    return ComputeFairness({kind, s.pockets, stints});
}

// The counts the report derives from its pair tables, worked out draw by draw.
TEST(Fairness, CountsAgreeWithAPlainWalkOverTheDraws) {
    for (RouletteKind kind : {American, French, NoZero}) {
        SCOPED_TRACE(std::string(KindName(kind)));
        const Spins s = FairSpins(kind, 3000, 11 + static_cast<int>(kind));
        const FairnessReport r = Report(kind, s);
        const int count = pocketCount(kind);
        ASSERT_EQ(r.drawCount, 3000);

        std::map<Pocket, int> hits;
        for (std::uint8_t p : s.pockets) ++hits[p];
        ASSERT_EQ(r.pocketFigures.size(), static_cast<std::size_t>(count));
        for (const PocketFigure& f : r.pocketFigures) EXPECT_EQ(f.hits, hits[f.pocket]);

        // Runs: green draws are skipped, not breaks.
        ASSERT_EQ(r.runs.size(), 3u);
        const auto inFirst = [](EvenChance c, Pocket p) {
            return c == EvenChance::RedBlack  ? IsRed(p)
                   : c == EvenChance::EvenOdd ? p % 2 == 0
                                              : p <= 18;
        };
        for (const RunsTest& t : r.runs) {
            int runs = 0, first = 0, second = 0, last = -1;
            for (std::uint8_t p : s.pockets) {
                if (ColourOf(p) == PocketColour::Green) continue;
                const int side = inFirst(t.chance, p) ? 0 : 1;
                (side == 0 ? first : second)++;
                if (side != last) ++runs;
                last = side;
            }
            EXPECT_EQ(t.runs, runs);
            EXPECT_EQ(t.first, first);
            EXPECT_EQ(t.second, second);
        }

        // Lag-1 correlation of the wheel positions.
        const std::size_t n = s.pockets.size();
        double mean = 0;
        for (std::uint8_t p : s.pockets) mean += wheelPosition(kind, p);
        mean /= static_cast<double>(n);
        double num = 0, den = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const double x = wheelPosition(kind, s.pockets[i]) - mean;
            den += x * x;
            if (i + 1 < n) num += x * (wheelPosition(kind, s.pockets[i + 1]) - mean);
        }
        ASSERT_TRUE(r.serial);
        EXPECT_NEAR(r.serial->correlation, num / den, 1e-12);

        // Dealer pairs: consecutive draws of the same croupier; croupier 0 is nobody.
        std::map<std::int32_t, std::vector<int>> distances;
        for (std::size_t i = 1; i < n; ++i) {
            const std::int32_t c = s.croupiers[i];
            if (c == 0 || c != s.croupiers[i - 1]) continue;
            auto& d = distances[c];
            d.resize(static_cast<std::size_t>(count));
            ++d[static_cast<std::size_t>(wheelDistance(kind, s.pockets[i - 1], s.pockets[i]))];
        }
        ASSERT_EQ(r.dealers.size(), distances.size());
        for (const DealerTest& t : r.dealers) {
            EXPECT_EQ(t.distances, distances[t.croupier]) << "croupier " << t.croupier;
            EXPECT_EQ(t.test.df, count - 1);
        }

        // Outside families: the boxes, then green when the kind has it.
        ASSERT_EQ(r.families.size(), 5u);
        const FamilyTest& dozens = r.families[0];
        ASSERT_EQ(dozens.hits.size(), kind == NoZero ? 3u : 4u);
        int firstDozen = 0;
        for (std::uint8_t p : s.pockets) firstDozen += p >= 1 && p <= 12;
        EXPECT_EQ(dozens.hits[0], firstDozen);
        EXPECT_NEAR(dozens.expected[0], 3000.0 * 12 / count, 1e-9);
        EXPECT_EQ(dozens.test.df, static_cast<int>(dozens.hits.size()) - 1);
    }
}

// P(X >= x) by a plain sum of the binomial terms.
double UpperTail(int x, int n, double p) {
    long double sum = 0;
    for (int y = x; y <= n; ++y) {
        const long double term =
            std::exp(std::lgamma(n + 1.0L) - std::lgamma(y + 1.0L) - std::lgamma(n - y + 1.0L) +
                     y * std::log(static_cast<long double>(p)) +
                     (n - y) * std::log1p(-static_cast<long double>(p)));
        sum += term;
        // Past the mean the terms only shrink.
        if (y > n * p && term < sum * 1e-20L) break;
    }
    return static_cast<double>(sum);
}

TEST(Fairness, ExcessTestCountsOnlyPocketsThatComeTooOften) {
    // 3,700 French draws: pocket 17 a third more often than its 100, pocket 5 a third less.
    Spins s = FairSpins(French, 3700, 5);
    int moved = 0;
    for (std::uint8_t& p : s.pockets)
        if (p == 5 && moved++ % 2 == 0) p = 17;
    const FairnessReport r = Report(French, s);
    std::vector<double> excessPs;
    for (const PocketFigure& f : r.pocketFigures) {
        EXPECT_NEAR(f.excessP, UpperTail(f.hits, 3700, 1.0 / 37), 1e-12 + 1e-9 * f.excessP)
            << "pocket " << f.pocket;
        excessPs.push_back(f.excessP);
    }
    const std::vector<double> holm = HolmAdjust(excessPs);
    for (std::size_t i = 0; i < holm.size(); ++i)
        EXPECT_DOUBLE_EQ(r.pocketFigures[i].excessPAdjusted, holm[i]);
    // A pocket short of its share may fail the two-sided test, never the one-sided one.
    const PocketFigure& starved = r.pocketFigures[5];
    const PocketFigure& favoured = r.pocketFigures[17];
    EXPECT_LT(starved.p, 0.01);
    EXPECT_GT(starved.excessP, 0.99);
    EXPECT_LT(favoured.excessP, favoured.p);
    EXPECT_LT(favoured.excessPAdjusted, 0.05);
}

TEST(Fairness, CroupiersOnlyCountWhenTheyFollowThemselvesEnoughTimes) {
    Spins s;
    // Croupier 4 spins 51 draws (50 pairs), croupier 9 spins 50 (49 pairs), alternating with
    // croupier 2 every draw (no pairs at all).
    for (int i = 0; i < 51; ++i) s.croupiers.push_back(4);
    for (int i = 0; i < 50; ++i) s.croupiers.push_back(9);
    for (int i = 0; i < 100; ++i) s.croupiers.push_back(i % 2 ? 2 : 4);
    for (std::size_t i = 0; i < s.croupiers.size(); ++i)
        s.pockets.push_back(static_cast<std::uint8_t>(i * 7 % 37));
    const FairnessReport r = Report(French, s);
    ASSERT_EQ(r.dealers.size(), 1u);
    EXPECT_EQ(r.dealers[0].croupier, 4);
    EXPECT_EQ(r.dealers[0].pairs, 50);

    // Stints that do not add up to the draws are ignored.
    s.croupiers.pop_back();
    EXPECT_TRUE(Report(French, s).dealers.empty());
}

// An outside family runs only when every box, the green one too, expects a hit: one zero in
// the first two draws is no evidence of anything.
TEST(Fairness, OutsideFamiliesWaitForDrawsEnoughForEveryBox) {
    const struct Case {
        RouletteKind kind;
        int tooFew;  // the most draws with which the families do not run
    } cases[] = {{French, 36}, {RouletteKind::American, 18}};
    for (const Case& c : cases) {
        SCOPED_TRACE(KindName(c.kind));
        Spins s;
        for (int i = 0; i < c.tooFew; ++i) {
            s.pockets.push_back(1);
            s.croupiers.push_back(0);
        }
        FairnessReport r = Report(c.kind, s);
        EXPECT_TRUE(r.families.empty());
        s.pockets.push_back(1);
        s.croupiers.push_back(0);
        r = Report(c.kind, s);
        EXPECT_EQ(r.families.size(), allOutsideFamilies.size());
    }
    Spins twoDraws{{0, 32}, {0, 0}};
    EXPECT_FALSE(Verdict(Report(French, twoDraws)).evidence);
}

TEST(Fairness, PocketsOfAnotherKindAreLeftOutWithTheirCroupiers) {
    Spins s;
    for (int i = 0; i < 120; ++i) {
        s.pockets.push_back(static_cast<std::uint8_t>(i % 3 == 0 ? 37 : 5));
        s.croupiers.push_back(i % 3 == 0 ? 8 : 6);
    }
    const FairnessReport r = Report(French, s);
    EXPECT_EQ(r.drawCount, 80);
    EXPECT_EQ(r.pocketFigures[5].hits, 80);
    // The 80 draws of croupier 6 now follow each other.
    ASSERT_EQ(r.dealers.size(), 1u);
    EXPECT_EQ(r.dealers[0].croupier, 6);
    EXPECT_EQ(r.dealers[0].pairs, 79);
    EXPECT_EQ(r.dealers[0].distances[0], 79);
    // Only one box of each chance ever came: no runs test, and no serial test either.
    EXPECT_TRUE(r.runs.empty());
    EXPECT_FALSE(r.serial);

    const FairnessReport empty = ComputeFairness({NoZero, {}, {}});
    EXPECT_EQ(empty.drawCount, 0);
    EXPECT_FALSE(empty.pockets);
    EXPECT_TRUE(empty.pocketFigures.empty() && empty.families.empty() && empty.sectors.empty());
    EXPECT_FALSE(Verdict(empty).evidence);
}

TEST(Fairness, HottestArcWrapsRoundTheWheel) {
    // NoZero order: 32, 15 ... 3, 26; the arc 3, 26, 32 spans the end of the order.
    Spins s;
    for (int i = 0; i < 30; ++i)
        for (std::uint8_t p : {3, 26, 32}) s.pockets.push_back(p);
    for (std::uint8_t p = 1; p <= 36; ++p) s.pockets.push_back(p);
    const FairnessReport r = Report(NoZero, s);
    ASSERT_EQ(r.sectors.size(), static_cast<std::size_t>(arcLengthCount));
    const SectorArc& three = r.sectors[0].arc;
    EXPECT_EQ(three.length, 3);
    EXPECT_EQ(three.hits, 93);
    EXPECT_EQ(ArcPockets(NoZero, three), (std::vector<Pocket>{3, 26, 32}));
    EXPECT_EQ(r.sectors[1].arc.hits, 94);
    EXPECT_FALSE(r.sectors[0].p);
    EXPECT_TRUE(Verdict(r).sectorsPending);
}

TEST(Fairness, SectorSimulationIsReproducibleOnAnyThreadsAndCanBeStopped) {
    const auto one = SimulateSectorNull(French, 300, 500, 42, {}, nullptr, 1);
    std::atomic<int> done{0};
    const auto two = SimulateSectorNull(French, 300, 500, 42, {}, &done, 2);
    const auto other = SimulateSectorNull(French, 300, 500, 43, {}, nullptr, 2);
    ASSERT_TRUE(one && two && other);
    EXPECT_EQ(done.load(), 500);
    std::vector<int> hottest(arcLengthCount);
    bool differs = false;
    for (int k = 0; k < arcLengthCount; ++k) {
        // Near the middle of the law of the hottest arc, where each game counts.
        const double expected = 300.0 * (k + shortestArc) / 37;
        const int hits = static_cast<int>(expected + 1.5 * std::sqrt(expected));
        hottest[static_cast<std::size_t>(k)] = hits;
        EXPECT_EQ(one->LengthP(k, hits), two->LengthP(k, hits));
        differs = differs || one->LengthP(k, hits) != other->LengthP(k, hits);
        EXPECT_GT(one->LengthP(k, hits), 1.0 / 501);
        EXPECT_LT(one->LengthP(k, hits), 1.0);
        EXPECT_EQ(one->LengthP(k, 0), 1.0);
        EXPECT_EQ(one->LengthP(k, 301), 1.0 / 501);
    }
    EXPECT_TRUE(differs);
    EXPECT_EQ(one->BestP(hottest), two->BestP(hottest));

    std::stop_source stop;
    stop.request_stop();
    EXPECT_FALSE(SimulateSectorNull(French, 300, 500, 42, stop.get_token()));
}

// The simulated law of the hottest arc against two it must agree with: the exact one of two
// draws, and that of games simulated spin by spin.
TEST(Fairness, SectorSimulationFollowsTheLawOfFairGames) {
    // Two draws fill one arc of three when they fall within two places of each other on the
    // wheel: 5 places out of 37 for the second draw.
    const auto two = SimulateSectorNull(French, 2, 20'000, 3);
    ASSERT_TRUE(two);
    EXPECT_NEAR(two->LengthP(0, 2), 5.0 / 37, 4 * std::sqrt(5.0 / 37 * 32 / 37 / 20'000));
    EXPECT_EQ(two->LengthP(0, 1), 1.0);

    constexpr int games = 4000, draws = 300;
    const auto simulated = SimulateSectorNull(American, draws, games, 8);
    ASSERT_TRUE(simulated);
    std::array<std::vector<int>, arcLengthCount> spun;
    RandomSource rng(99);
    for (int g = 0; g < games; ++g) {
        std::array<int, 38> hits{};
        for (int i = 0; i < draws; ++i)
            ++hits[static_cast<std::size_t>(wheelPosition(American, rng.Next(American)))];
        std::array<int, arcLengthCount> hottest{};
        fairness_detail::HottestArcs<int>(hits, hottest);
        for (int k = 0; k < arcLengthCount; ++k)
            spun[static_cast<std::size_t>(k)].push_back(hottest[static_cast<std::size_t>(k)]);
    }
    for (int k : {0, 2, 6, arcLengthCount - 1}) {
        // The share of games at least as hot as a hit count near each quartile of the law.
        auto sorted = spun[static_cast<std::size_t>(k)];
        std::sort(sorted.begin(), sorted.end());
        for (int quarter = 1; quarter <= 3; ++quarter) {
            const int hits = sorted[static_cast<std::size_t>(games * quarter / 4)];
            const double spunShare =
                static_cast<double>(sorted.end() -
                                    std::lower_bound(sorted.begin(), sorted.end(), hits)) /
                games;
            const double share = simulated->LengthP(k, hits);
            EXPECT_NEAR(share, spunShare, 4 * std::sqrt(2 * spunShare * (1 - spunShare) / games))
                << "length " << k + shortestArc << ", " << hits << " hits";
        }
    }
}

TEST(Fairness, ABiasedPocketSectorOrCroupierLeadsTheVerdict) {
    const auto null = SimulateSectorNull(French, 4000, 400, 7);
    ASSERT_TRUE(null);

    // A fair game finds nothing that survives the corrections.
    Spins fair = FairSpins(French, 4000, 3);
    FairnessReport r = Report(French, fair);
    EXPECT_TRUE(ApplySectorNull(r, *null));
    EXPECT_FALSE(Verdict(r).evidence);

    // Pocket 17 twice as often.
    Spins hot = fair;
    for (std::size_t i = 0; i < hot.pockets.size(); i += 37) hot.pockets[i] = 17;
    r = Report(French, hot);
    ASSERT_TRUE(ApplySectorNull(r, *null));
    FairnessVerdict v = Verdict(r);
    ASSERT_TRUE(v.evidence);
    const auto pocket = std::find_if(v.findings.begin(), v.findings.end(), [](const Finding& f) {
        return f.kind == FindingKind::SinglePocket;
    });
    ASSERT_NE(pocket, v.findings.end());
    EXPECT_EQ(pocket->subject, 17);
    EXPECT_TRUE(pocket->more);
    EXPECT_LT(pocket->pOverall, 0.001);

    // Croupier 2 often sends the ball 10 pockets on from the last number.
    Spins dealer = fair;
    for (std::size_t i = 1; i < dealer.pockets.size(); ++i)
        if (dealer.croupiers[i] == 2 && dealer.croupiers[i - 1] == 2 && i % 4 == 0) {
            const int at = wheelPosition(French, dealer.pockets[i - 1]);
            dealer.pockets[i] = static_cast<std::uint8_t>(frenchWheel[(at + 10) % 37]);
        }
    r = Report(French, dealer);
    v = Verdict(r);
    ASSERT_TRUE(v.evidence);
    EXPECT_EQ(v.findings.front().kind, FindingKind::Dealer);
    EXPECT_EQ(v.findings.front().subject, 2);
    EXPECT_EQ(v.findings.front().cell, 10);
    EXPECT_TRUE(v.sectorsPending);

    // Three pockets side by side on the wheel (5, 24, 16), each a quarter more often.
    Spins sector = fair;
    for (std::size_t i = 0; i < sector.pockets.size(); i += 12)
        sector.pockets[i] = static_cast<std::uint8_t>(std::array{5, 24, 16}[i / 12 % 3]);
    r = Report(French, sector);
    ASSERT_TRUE(ApplySectorNull(r, *null));
    ASSERT_TRUE(r.bestSector);
    EXPECT_LT(r.bestSector->p, 0.01);
    const SectorArc& arc = r.sectors[static_cast<std::size_t>(r.bestSector->lengthIndex)].arc;
    const auto pockets = ArcPockets(French, arc);
    for (Pocket p : {5, 24, 16})
        EXPECT_NE(std::find(pockets.begin(), pockets.end(), p), pockets.end()) << p;

    // A simulation of another length does not apply.
    const auto shorter = SimulateSectorNull(French, 3999, 100, 7);
    EXPECT_FALSE(ApplySectorNull(r, *shorter));
}

}  // namespace
}  // namespace spinalyst
