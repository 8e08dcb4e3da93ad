// The dealer test counts each distance in the direction the ball went, and tests each
// direction apart when a croupier spun both ways.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <vector>

#include "core/draws/random_source.h"
#include "core/model/wheel.h"
#include "core/stats/fairness.h"
#include "core/stats/fairness_summary.h"
#include "core/stats/stats_csv.h"

namespace spinalyst {
namespace {

constexpr auto cw = SpinDirection::Clockwise;
constexpr auto ccw = SpinDirection::Anticlockwise;
constexpr auto unknown = SpinDirection::Unknown;

struct Game {
    std::vector<std::uint8_t> pockets;
    std::vector<CroupierStint> stints;
    std::vector<SpinDirection> directions;
};

// Croupiers 1 ... 3 and nobody in stints of 1 to 40 draws, spinning in random directions,
// some of them unknown; croupier 3 only ever clockwise.
Game RandomGame(RouletteKind kind, int n, unsigned seed) {
    RandomSource pockets(seed);
    std::mt19937 rng(seed);
    Game g;
    while (static_cast<int>(g.pockets.size()) < n) {
        const auto croupier = static_cast<std::int32_t>(rng() % 4);
        const int length =
            std::min(static_cast<int>(rng() % 40) + 1, n - static_cast<int>(g.pockets.size()));
        g.stints.push_back({croupier, length});
        for (int i = 0; i < length; ++i) {
            g.pockets.push_back(static_cast<std::uint8_t>(pockets.Next(kind)));
            g.directions.push_back(croupier == 3 ? cw : static_cast<SpinDirection>(rng() % 3));
        }
    }
    return g;
}

using Distances = std::map<std::pair<std::int32_t, SpinDirection>, std::vector<int>>;

// Pairs within a stint, draw by draw: every pair in the croupier's test of all directions, and
// in the test of its later draw's direction.
Distances Walk(RouletteKind kind, const Game& g) {
    Distances d;
    const int n = pocketCount(kind);
    std::size_t at = 0;
    for (const CroupierStint& s : g.stints) {
        for (int i = 1; i < s.draws; ++i) {
            const std::size_t k = at + static_cast<std::size_t>(i);
            int distance = wheelDistance(kind, g.pockets[k - 1], g.pockets[k]);
            if (g.directions[k] == ccw && distance != 0) distance = n - distance;
            const auto count = [&](SpinDirection way) {
                auto& counts = d[{s.croupier, way}];
                counts.resize(static_cast<std::size_t>(n));
                ++counts[static_cast<std::size_t>(distance)];
            };
            count(unknown);
            if (g.directions[k] != unknown) count(g.directions[k]);
        }
        at += static_cast<std::size_t>(s.draws);
    }
    return d;
}

TEST(DealerDirection, DistancesAgreeWithAPlainWalkInEachDirection) {
    for (RouletteKind kind : allKinds) {
        SCOPED_TRACE(std::string(KindName(kind)));
        const Game g = RandomGame(kind, 6000, 3 + static_cast<unsigned>(kind));
        const FairnessReport r = ComputeFairness({kind, g.pockets, g.stints, g.directions});
        const Distances walked = Walk(kind, g);
        std::map<std::pair<std::int32_t, SpinDirection>, int> tested;
        for (const DealerTest& t : r.dealers) {
            ++tested[{t.croupier, t.direction}];
            ASSERT_TRUE(walked.contains({t.croupier, t.direction}))
                << t.croupier << " " << DirectionText(t.direction);
            EXPECT_EQ(t.distances, walked.at({t.croupier, t.direction}))
                << t.croupier << " " << DirectionText(t.direction);
            EXPECT_LE(t.test.p, t.test.pAdjusted);
        }
        // Croupiers 1 and 2 spun both ways: three tests each; croupier 3 only clockwise: one.
        EXPECT_EQ(tested,
                  (std::map<std::pair<std::int32_t, SpinDirection>, int>{{{1, unknown}, 1},
                                                                         {{1, cw}, 1},
                                                                         {{1, ccw}, 1},
                                                                         {{2, unknown}, 1},
                                                                         {{2, cw}, 1},
                                                                         {{2, ccw}, 1},
                                                                         {{3, unknown}, 1}}));
        // The other tests do not depend on directions.
        const FairnessReport blind = ComputeFairness({kind, g.pockets, g.stints});
        EXPECT_EQ(r.pocketFigures.size(), blind.pocketFigures.size());
        EXPECT_EQ(r.pockets->statistic, blind.pockets->statistic);
        EXPECT_EQ(r.serial->correlation, blind.serial->correlation);
        for (std::size_t i = 0; i < r.runs.size(); ++i)
            EXPECT_EQ(r.runs[i].runs, blind.runs[i].runs);
        // Croupier 3 spun clockwise only: as if no direction were known.
        const auto third = [](const FairnessReport& report) {
            return *std::find_if(report.dealers.begin(), report.dealers.end(),
                                 [](const DealerTest& t) { return t.croupier == 3; });
        };
        EXPECT_EQ(third(r).distances, third(blind).distances);
    }
}

// A dealer who sends the ball 10 pockets on in the direction of the spin, spinning each way in
// turn: counted the ball's way the distances pile up on 10; counted clockwise they split
// between 10 and N - 10.
TEST(DealerDirection, ASignatureShowsOnOneDistanceWhateverTheDirection) {
    const RouletteKind kind = RouletteKind::French;
    const auto order = WheelOrder(kind);
    Game g;
    int at = 0;
    for (int i = 0; i < 200; ++i) {
        const SpinDirection way = i % 2 == 0 ? cw : ccw;
        at = (at + (way == cw ? 10 : 37 - 10)) % 37;
        g.pockets.push_back(static_cast<std::uint8_t>(order[static_cast<std::size_t>(at)]));
        g.directions.push_back(way);
    }
    g.stints = {{4, 200}};
    const FairnessReport aware = ComputeFairness({kind, g.pockets, g.stints, g.directions});
    ASSERT_EQ(aware.dealers.size(), 3u);
    EXPECT_EQ(aware.dealers[0].direction, unknown);
    EXPECT_EQ(aware.dealers[0].distances[10], 199);
    EXPECT_EQ(aware.dealers[1].direction, cw);
    EXPECT_EQ(aware.dealers[1].distances[10], 99);
    EXPECT_EQ(aware.dealers[2].direction, ccw);
    EXPECT_EQ(aware.dealers[2].distances[10], 100);
    const FairnessReport blind = ComputeFairness({kind, g.pockets, g.stints});
    ASSERT_EQ(blind.dealers.size(), 1u);
    EXPECT_EQ(blind.dealers[0].distances[10], 99);
    EXPECT_EQ(blind.dealers[0].distances[27], 100);

    // The verdict and the command line's CSV name the direction of a test of one direction.
    const FairnessVerdict verdict = Verdict(aware);
    std::vector<SpinDirection> found;
    for (const Finding& f : verdict.findings) {
        if (f.kind != FindingKind::Dealer) continue;
        EXPECT_EQ(f.subject, 4);
        EXPECT_EQ(f.cell, 10);
        found.push_back(f.direction);
    }
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<SpinDirection>{unknown, cw, ccw}));
    const std::string csv = FairnessCsv(aware, [](std::int32_t) { return "Zoé"; });
    for (const char* row : {"\ndealer,Zoé,", "\ndealer_cw,Zoé,", "\ndealer_ccw,Zoé,"})
        EXPECT_NE(csv.find(row), std::string::npos) << row;
}

}  // namespace
}  // namespace spinalyst
