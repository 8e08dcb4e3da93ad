#include "core/stats/wheel_stats.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <random>
#include <vector>

#include "core/model/wheel.h"

namespace spinalyst {

void PrintTo(const SlotStats& s, std::ostream* os);

namespace {

constexpr RouletteKind American = RouletteKind::American;
constexpr RouletteKind French = RouletteKind::French;
constexpr RouletteKind NoZero = RouletteKind::NoZero;

WheelStats Compute(RouletteKind kind, const std::vector<Pocket>& draws) {
    const std::vector<std::uint8_t> bytes(draws.begin(), draws.end());
    return ComputeWheelStats(kind, bytes);
}

void Tick(SlotStats& s) {
    ++s.sinceLast;
}
void Hit(SlotStats& s) {
    ++s.hits;
    s.maxGap = std::max(s.maxGap, s.sinceLast);
    s.sinceLast = 0;
}

// The counting as it reads literally: every counter of every table waits one more draw at
// each draw, distances are looked up on the wheel (the other way round to a draw spun
// anticlockwise), repeats found by searching backwards. The repeat table has a counter for
// every interval the draws could hold.
WheelStats Reference(RouletteKind kind, const std::vector<Pocket>& draws,
                     const std::vector<SpinDirection>& directions = {}) {
    const int n = pocketCount(kind);
    std::vector<SlotStats> distances(static_cast<std::size_t>(n));
    std::vector<SlotStats> repeats(draws.size() + 1);
    std::vector<SlotStats> around(static_cast<std::size_t>(n));
    WheelStats ref;
    ref.kind = kind;
    for (std::size_t i = 0; i < draws.size(); ++i) {
        const Pocket p = draws[i];
        ++ref.pocketHits[static_cast<std::size_t>(p)];
        for (Pocket q = firstPocket(kind); q <= lastPocket(kind); ++q) {
            SlotStats& s = around[static_cast<std::size_t>(q - firstPocket(kind))];
            Tick(s);
            const auto five = wheelNeighbourhood(kind, q);
            if (std::find(five.begin(), five.end(), p) != five.end()) Hit(s);
        }
        for (SlotStats& s : distances) Tick(s);
        for (SlotStats& s : repeats) Tick(s);
        if (i == 0) continue;
        int d = wheelDistance(kind, draws[i - 1], p);
        if (!directions.empty() && directions[i] == SpinDirection::Anticlockwise && d != 0)
            d = n - d;
        Hit(distances[static_cast<std::size_t>(d)]);
        for (std::size_t k = i; k-- > 0;) {
            if (draws[k] != p) continue;
            Hit(repeats[i - k]);
            break;
        }
    }
    ref.distanceStats = distances;
    for (std::size_t g = 0; g < repeats.size(); ++g)
        if (repeats[g].hits > 0)
            ref.repeatStats.push_back({static_cast<std::int32_t>(g), repeats[g]});
    for (Pocket q = firstPocket(kind); q <= lastPocket(kind); ++q)
        ref.neighbourhoodStats.push_back({q, wheelNeighbourhood(kind, q),
                                          around[static_cast<std::size_t>(q - firstPocket(kind))]});
    return ref;
}

void ExpectSameCounters(const WheelStats& got, const WheelStats& want) {
    EXPECT_EQ(got.pocketHits, want.pocketHits);
    EXPECT_EQ(got.distanceStats, want.distanceStats);
    ASSERT_EQ(got.repeatStats.size(), want.repeatStats.size());
    for (std::size_t k = 0; k < got.repeatStats.size(); ++k) {
        EXPECT_EQ(got.repeatStats[k].interval, want.repeatStats[k].interval);
        EXPECT_EQ(got.repeatStats[k].stats, want.repeatStats[k].stats)
            << "interval " << want.repeatStats[k].interval;
    }
    EXPECT_EQ(got.neighbourhoodStats, want.neighbourhoodStats);
}

TEST(WheelStats, OnePassMatchesLiteralCounting) {
    std::mt19937 rng(11);
    for (RouletteKind kind : allKinds) {
        SCOPED_TRACE(KindName(kind));
        std::uniform_int_distribution<Pocket> pocket(firstPocket(kind), lastPocket(kind));
        // Runs of a few pockets make short repeats and long waits; one pocket left out for
        // 1,500 draws repeats after more than a thousand.
        std::vector<Pocket> draws;
        for (int i = 0; i < 400; ++i) draws.push_back(pocket(rng));
        for (int i = 0; i < 200; ++i) draws.push_back(i % 3 == 0 ? 17 : pocket(rng) % 4 + 1);
        draws.push_back(7);
        for (int i = 0; i < 1500; ++i) {
            Pocket p = pocket(rng);
            draws.push_back(p == 7 ? 8 : p);
        }
        draws.push_back(7);
        ExpectSameCounters(Compute(kind, draws), Reference(kind, draws));

        // A walk of small steps round the wheel: neighbourhoods and short distances crowd
        // together, the far side of the wheel waits long.
        const auto order = WheelOrder(kind);
        const int n = static_cast<int>(order.size());
        std::uniform_int_distribution<int> step(-3, 3);
        std::vector<Pocket> walk;
        for (int i = 0, at = 0; i < 1500; ++i, at = (at + step(rng) + n) % n)
            walk.push_back(order[static_cast<std::size_t>(at)]);
        ExpectSameCounters(Compute(kind, walk), Reference(kind, walk));
    }
}

// A distance counts the way the ball went: N - d to a draw spun anticlockwise, 0 staying 0;
// clockwise and unknown spins count as without directions, and nothing else changes.
TEST(WheelStats, DistancesFollowTheDirectionOfTheBall) {
    std::mt19937 rng(5);
    for (RouletteKind kind : allKinds) {
        SCOPED_TRACE(KindName(kind));
        std::uniform_int_distribution<Pocket> pocket(firstPocket(kind), lastPocket(kind));
        std::uniform_int_distribution<int> way(0, 2);
        std::vector<Pocket> draws;
        std::vector<SpinDirection> directions;
        for (int i = 0; i < 3000; ++i) {
            // Some repeats, so that distance 0 comes often enough to be checked.
            draws.push_back(i % 7 == 3 ? draws.back() : pocket(rng));
            directions.push_back(static_cast<SpinDirection>(way(rng)));
        }
        const std::vector<std::uint8_t> bytes(draws.begin(), draws.end());
        ExpectSameCounters(ComputeWheelStats(kind, bytes, directions),
                           Reference(kind, draws, directions));
        const std::vector<SpinDirection> clockwise(draws.size(), SpinDirection::Clockwise);
        ExpectSameCounters(ComputeWheelStats(kind, bytes, clockwise), Reference(kind, draws));
    }
    // French wheel: 26 then 0 is one step clockwise; spun anticlockwise, the ball went 36.
    const std::vector<std::uint8_t> bytes = {26, 0};
    const std::vector<SpinDirection> back = {SpinDirection::Unknown, SpinDirection::Anticlockwise};
    EXPECT_EQ(ComputeWheelStats(French, bytes, back).distanceStats[36].hits, 1);
    EXPECT_EQ(ComputeWheelStats(French, bytes).distanceStats[1].hits, 1);
}

TEST(WheelStats, SmallGamesGiveTheExpectedFigures) {
    // One analysed draw: nothing has a distance or a repeat yet, every wait is one draw.
    const WheelStats one = Compute(French, {17});
    EXPECT_TRUE(one.repeatStats.empty());
    for (const SlotStats& d : one.distanceStats) EXPECT_EQ(d, (SlotStats{0, 1, 0, 0}));

    // The same pocket twice: distance 0 and interval 1, hit at the second draw.
    const WheelStats twice = Compute(French, {17, 17});
    EXPECT_EQ(twice.distanceStats[0], (SlotStats{1, 0, 2, 0}));
    ASSERT_EQ(twice.repeatStats.size(), 1u);
    EXPECT_EQ(twice.repeatStats[0], (RepeatStats{1, {1, 0, 2, 0}}));

    struct Case {
        RouletteKind kind;
        std::vector<Pocket> draws;
        std::size_t distance;
    } steps[] = {
        {French, {26, 0}, 1},  {French, {0, 26}, 36},          {NoZero, {26, 32}, 1},
        {American, {2, 0}, 1}, {American, {1, DoubleZero}, 1},
    };
    for (const Case& c : steps) {
        SCOPED_TRACE(testing::Message()
                     << KindName(c.kind) << " " << c.draws[0] << "->" << c.draws[1]);
        const WheelStats s = Compute(c.kind, c.draws);
        ASSERT_EQ(static_cast<int>(s.distanceStats.size()), pocketCount(c.kind));
        EXPECT_EQ(s.distanceStats[c.distance].hits, 1);
    }

    // A neighbourhood counter's first hit at the third draw waited three draws.
    const WheelStats late = Compute(French, {5, 5, 32, 5});
    const NeighbourhoodStats& zero = late.neighbourhoodStats[0];
    EXPECT_EQ(zero.pockets, (std::array<Pocket, 5>{3, 26, 0, 32, 15}));
    EXPECT_EQ(zero.stats, (SlotStats{1, 1, 3, 0}));
}

TEST(WheelStats, NoAnalysedDrawLeavesZerosAndLightGrey) {
    for (RouletteKind kind : allKinds) {
        SCOPED_TRACE(KindName(kind));
        const WheelStats s = ComputeWheelStats(kind, {});
        ASSERT_EQ(static_cast<int>(s.distanceStats.size()), pocketCount(kind));
        ASSERT_EQ(static_cast<int>(s.neighbourhoodStats.size()), pocketCount(kind));
        for (const SlotStats& d : s.distanceStats) EXPECT_EQ(d, SlotStats{});
        for (const NeighbourhoodStats& n : s.neighbourhoodStats) EXPECT_EQ(n.stats, SlotStats{});
        EXPECT_TRUE(s.repeatStats.empty());
        for (Pocket p = firstPocket(kind); p <= lastPocket(kind); ++p)
            EXPECT_EQ(HeatShade(s, p), 240);
        EXPECT_EQ(s.neighbourhoodStats.front().pocket, firstPocket(kind));
        EXPECT_EQ(s.neighbourhoodStats.back().pocket, lastPocket(kind));
    }
    // Before any refresh.
    EXPECT_EQ(HeatShade(WheelStats{}, 17), 240);
}

TEST(WheelStats, NoZeroNeighbourhoodsCloseOverThe36Wheel) {
    const WheelStats s = Compute(NoZero, {26, 32});
    using Five = std::array<Pocket, 5>;
    // Rows in pocket order: 1 ... 36.
    EXPECT_EQ(s.neighbourhoodStats[25].pockets, (Five{35, 3, 26, 32, 15}));
    EXPECT_EQ(s.neighbourhoodStats[31].pockets, (Five{3, 26, 32, 15, 19}));
    for (const NeighbourhoodStats& n : s.neighbourhoodStats)
        EXPECT_EQ(std::count(n.pockets.begin(), n.pockets.end(), 0), 0) << n.pocket;
    EXPECT_EQ(s.neighbourhoodStats[25].stats, (SlotStats{2, 0, 1, 0}));
}

TEST(WheelStats, LongRepeatIntervalsKeepTheirOwnRow) {
    // 5, then 2,499 draws without it, then 5 again: an interval of 2,500 hit at draw 2,501.
    std::vector<Pocket> draws = {5};
    for (int i = 0; i < 2499; ++i) draws.push_back(i % 2 ? 1 : 2);
    draws.push_back(5);
    const WheelStats s = Compute(French, draws);
    const auto row = std::find_if(s.repeatStats.begin(), s.repeatStats.end(),
                                  [](const RepeatStats& r) { return r.interval == 2500; });
    ASSERT_NE(row, s.repeatStats.end());
    EXPECT_EQ(row->stats, (SlotStats{1, 0, 2501, 0}));
    EXPECT_TRUE(std::is_sorted(
        s.repeatStats.begin(), s.repeatStats.end(),
        [](const RepeatStats& a, const RepeatStats& b) { return a.interval < b.interval; }));
}

TEST(WheelStats, ValuesOutsideTheKindHitNothing) {
    // 0 is no pocket of the no-zero wheel and 200 of none: both count as analysed draws and
    // break the chain of distances.
    const std::vector<std::uint8_t> bytes = {26, 0, 32, 200, 32};
    const WheelStats s = ComputeWheelStats(NoZero, bytes);
    EXPECT_EQ(s.analysedCount, 5);
    EXPECT_EQ(s.pocketHits[0], 0);
    int distanceHits = 0;
    for (const SlotStats& d : s.distanceStats) distanceHits += d.hits;
    EXPECT_EQ(distanceHits, 0);
    ASSERT_EQ(s.repeatStats.size(), 1u);
    EXPECT_EQ(s.repeatStats[0], (RepeatStats{2, {1, 0, 5, 0}}));
}

TEST(HeatShade, SpreadsHitsOverTheGreys) {
    struct Case {
        std::int32_t hits, highest, lowest;
        int shade;
    } cases[] = {
        {5, 5, 1, 0},
        {1, 5, 1, 240},
        {3, 5, 1, 120},
        {4, 5, 1, 60},
        {2, 3, 0, 80},
        {7, 7, 7, 240},
        {0, 0, 0, 240},
        {0, 0, noLowestHits, 240},
        // Ten million draws: the product passes 32 bits.
        {9'000'000, 10'000'000, 0, 24},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HeatShade(c.hits, c.highest, c.lowest), c.shade)
            << c.hits << " of " << c.lowest << " ... " << c.highest;

    const WheelStats s = Compute(French, {1, 1, 1, 1, 1, 2, 3, 3, 3});
    EXPECT_EQ(s.highestHits, 5);
    EXPECT_EQ(s.lowestHits, 0);
    EXPECT_EQ(HeatShade(s, 1), 0);
    EXPECT_EQ(HeatShade(s, 3), 96);
    EXPECT_EQ(HeatShade(s, 0), 240);
}

TEST(HeatShade, DeviationGoesFromMidGreyToTheEndsAtThreeStandardDeviations) {
    struct Case {
        double z;
        int shade;
    } cases[] = {
        {0, 120},  {1, 107}, {-1, 133}, {1.5, 90}, {2, 67},
        {-2, 173}, {3, 0},   {-3, 240}, {4.5, 0},  {-22.9, 240},
    };
    for (const Case& c : cases) EXPECT_EQ(DeviationShade(c.z), c.shade) << c.z;
    // A larger z is never lighter.
    for (double z = -5; z < 5; z += 0.01) EXPECT_LE(DeviationShade(z + 0.01), DeviationShade(z));

    // 370 draws on 37 pockets: 10 expected, a standard deviation of sqrt(370 x 1/37 x 36/37).
    EXPECT_DOUBLE_EQ(HitsZ(10, 370, 37), 0);
    EXPECT_NEAR(HitsZ(20, 370, 37), 3.206, 0.001);
    EXPECT_NEAR(HitsZ(0, 370, 37), -3.206, 0.001);
    EXPECT_EQ(HitsZ(0, 0, 37), 0);

    // Equal hits are as expected; nothing analysed is mid grey too, unlike the spread.
    std::vector<Pocket> everyPocketTwice;
    for (int round = 0; round < 2; ++round)
        for (Pocket p = 0; p <= 36; ++p) everyPocketTwice.push_back(p);
    const WheelStats even = Compute(French, everyPocketTwice);
    const WheelStats none = Compute(American, {});
    for (Pocket p = 0; p <= 36; ++p) {
        EXPECT_EQ(HeatShade(even, p, HeatScale::Deviation), expectedShade);
        EXPECT_EQ(HeatShade(none, p, HeatScale::Deviation), expectedShade);
        EXPECT_EQ(HeatShade(even, p, HeatScale::Spread), lightestShade);
    }
    // The expectation follows the kind: five draws of 1 on the no-zero wheel.
    const WheelStats five = Compute(NoZero, {1, 1, 1, 1, 1});
    EXPECT_EQ(HeatShade(five, 1, HeatScale::Deviation), DeviationShade(HitsZ(5, 5, 36)));
    EXPECT_EQ(HeatShade(five, 1, HeatScale::Deviation), 0);
}

TEST(HeatShade, OnFairWheelsDeviationStaysNearMidGreyWhereSpreadPaintsBothEnds) {
    // Simulated games of 10,000 draws on a fair French wheel, then on one where 17 comes out
    // three times as often.
    std::mt19937 random(20);
    const auto game = [&](bool biased) {
        std::vector<double> weights(37, 1.0);
        if (biased) weights[17] = 3;
        std::discrete_distribution<int> pocket(weights.begin(), weights.end());
        std::vector<Pocket> draws(10'000);
        for (Pocket& p : draws) p = pocket(random);
        return Compute(French, draws);
    };
    int nearMid = 0, pockets = 0;
    for (int g = 0; g < 50; ++g) {
        const WheelStats s = game(false);
        std::vector<int> spread;
        for (Pocket p = 0; p <= 36; ++p) {
            spread.push_back(HeatShade(s, p, HeatScale::Spread));
            nearMid += std::abs(HeatShade(s, p, HeatScale::Deviation) - expectedShade) <= 30;
            ++pockets;
        }
        EXPECT_EQ(*std::min_element(spread.begin(), spread.end()), 0);
        EXPECT_EQ(*std::max_element(spread.begin(), spread.end()), lightestShade);
    }
    // Within 30 greys of mid grey means |z| <= 1.5: about 87% of a fair wheel's pockets.
    EXPECT_GT(nearMid, pockets * 83 / 100);
    EXPECT_LT(nearMid, pockets * 91 / 100);
    for (int g = 0; g < 5; ++g) EXPECT_EQ(HeatShade(game(true), 17, HeatScale::Deviation), 0);
}

TEST(HeatScale, NamesReadBackInAnyCase) {
    for (HeatScale scale : {HeatScale::Spread, HeatScale::Deviation})
        EXPECT_EQ(HeatScaleFromName(HeatScaleName(scale)), scale);
    EXPECT_EQ(HeatScaleFromName("Deviation"), HeatScale::Deviation);
    EXPECT_EQ(HeatScaleFromName("SPREAD"), HeatScale::Spread);
    for (std::string_view bad : {"", "z", "deviations", "spread "})
        EXPECT_EQ(HeatScaleFromName(bad), std::nullopt) << bad;
}

}  // namespace
}  // namespace spinalyst
