#include "core/stats/fairness_summary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <vector>

#include "core/draws/random_source.h"
#include "core/model/wheel.h"

namespace spinalyst {
namespace {

std::vector<std::uint8_t> FairDraws(RouletteKind kind, int n, std::uint64_t seed) {
    RandomSource rng(seed);
    std::vector<std::uint8_t> draws;
    for (int i = 0; i < n; ++i) draws.push_back(static_cast<std::uint8_t>(rng.Next(kind)));
    return draws;
}

std::vector<FairnessTest> Tests(const std::vector<FairnessRow>& rows) {
    std::vector<FairnessTest> tests;
    for (const FairnessRow& row : rows) tests.push_back(row.test);
    return tests;
}

// The table lists every test in its place; the sector rows wait for the simulation, and the
// best arc appears with it.
TEST(FairnessSummary, RowsFollowTheReportAndWaitForTheSectorScan) {
    const std::vector<std::uint8_t> draws = FairDraws(RouletteKind::American, 1500, 3);
    const std::vector<CroupierStint> stints = {{2, 700}, {0, 100}, {5, 700}};
    FairnessReport report = ComputeFairness({RouletteKind::American, draws, stints});

    std::vector<FairnessRow> rows = FairnessRows(report);
    std::vector<FairnessTest> expected = {FairnessTest::PocketSpread};
    expected.insert(expected.end(), 38, FairnessTest::SinglePocket);
    expected.insert(expected.end(), 5, FairnessTest::Family);
    expected.insert(expected.end(), arcLengthCount, FairnessTest::Sector);
    expected.insert(expected.end(), 2, FairnessTest::Dealer);
    expected.insert(expected.end(), 3, FairnessTest::Runs);
    expected.push_back(FairnessTest::Serial);
    ASSERT_EQ(Tests(rows), expected);
    EXPECT_EQ(rows[0].df, 37);
    EXPECT_EQ(rows[38].subject, 37);  // 00 closes the pockets
    EXPECT_EQ(rows[38].statistic, report.pocketFigures[37].z);
    EXPECT_EQ(rows[38].pAdjusted, report.pocketFigures[37].pAdjusted);
    EXPECT_EQ(rows[39].subject, static_cast<int>(OutsideFamily::Dozens));
    const FairnessRow& shortest = rows[44];
    EXPECT_EQ(shortest.arc.length, shortestArc);
    EXPECT_EQ(shortest.statistic, report.sectors[0].arc.hits);
    EXPECT_FALSE(shortest.p || shortest.pAdjusted || shortest.standardError);
    EXPECT_EQ(rows[44 + arcLengthCount].subject, 2);
    EXPECT_EQ(rows[45 + arcLengthCount].subject, 5);
    EXPECT_EQ(rows.back().p, rows.back().pAdjusted);

    const auto null = SimulateSectorNull(RouletteKind::American, 1500, 200, 1);
    ASSERT_TRUE(null && ApplySectorNull(report, *null));
    rows = FairnessRows(report);
    expected.insert(expected.begin() + 44 + arcLengthCount, FairnessTest::BestSector);
    ASSERT_EQ(Tests(rows), expected);
    EXPECT_EQ(rows[44].p, report.sectors[0].p);
    EXPECT_EQ(rows[44].pAdjusted, report.sectors[0].pAdjusted);
    EXPECT_TRUE(rows[44].standardError);
    const FairnessRow& best = rows[44 + arcLengthCount];
    EXPECT_EQ(best.arc.length,
              report.sectors[static_cast<std::size_t>(report.bestSector->lengthIndex)].arc.length);
    EXPECT_EQ(best.p, report.bestSector->p);
    EXPECT_EQ(best.pAdjusted, report.bestSector->p);

    EXPECT_TRUE(FairnessRows(ComputeFairness({RouletteKind::French, {}, {}})).empty());
}

TEST(FairnessSummary, ExcessRowsArePocketsThenTheBestArcOnceSimulated) {
    const std::vector<std::uint8_t> draws = FairDraws(RouletteKind::NoZero, 720, 4);
    FairnessReport report = ComputeFairness({RouletteKind::NoZero, draws, {}});
    std::vector<ExcessRow> rows = ExcessRows(report);
    ASSERT_EQ(rows.size(), 36u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const PocketFigure& f = report.pocketFigures[i];
        ASSERT_EQ(rows[i].pocket, f.pocket);
        // 20 draws expected of each pocket.
        EXPECT_NEAR(rows[i].excess, f.hits / 20.0 - 1, 1e-12);
        EXPECT_EQ(rows[i].p, f.excessP);
        EXPECT_EQ(rows[i].pAdjusted, f.excessPAdjusted);
    }
    const auto null = SimulateSectorNull(RouletteKind::NoZero, 720, 200, 1);
    ASSERT_TRUE(null && ApplySectorNull(report, *null));
    rows = ExcessRows(report);
    ASSERT_EQ(rows.size(), 37u);
    const ExcessRow& best = rows.back();
    const SectorArc& arc =
        report.sectors[static_cast<std::size_t>(report.bestSector->lengthIndex)].arc;
    EXPECT_FALSE(best.pocket);
    EXPECT_EQ(best.arc.start, arc.start);
    EXPECT_EQ(best.arc.length, arc.length);
    EXPECT_NEAR(best.excess, arc.hits / (20.0 * arc.length) - 1, 1e-12);
    EXPECT_EQ(best.p, report.bestSector->p);
    EXPECT_EQ(best.pAdjusted, report.bestSector->p);
}

Finding At(FindingKind kind, double pAdjusted, double pOverall) {
    Finding f;
    f.kind = kind;
    f.pAdjusted = pAdjusted;
    f.pOverall = pOverall;
    return f;
}

TEST(FairnessSummary, TheVerdictNamesWhatStandsOrTheSignChanceExplains) {
    using Headline = VerdictStatement::Headline;
    const Finding strong = At(FindingKind::SinglePocket, 0.001, 0.004);
    const Finding strong2 = At(FindingKind::Dealer, 0.002, 0.01);
    const Finding weak = At(FindingKind::Family, 0.02, 0.1);
    struct Case {
        const char* name;
        int draws;
        std::vector<Finding> findings;
        Headline headline;
        int standing;
        int more;
        bool withinChance;
    } cases[] = {
        {"no draws", 0, {}, Headline::NoDraws, 0, 0, false},
        {"nothing found", 500, {}, Headline::NoEvidence, 0, 0, false},
        {"only what chance explains", 500, {weak, weak}, Headline::NoEvidence, 0, 0, true},
        {"one stands", 500, {strong, weak}, Headline::Evidence, 1, 0, false},
        {"more than the verdict names",
         500,
         {strong, strong2, strong, strong2, strong, weak},
         Headline::Evidence,
         maxVerdictFindings,
         5 - maxVerdictFindings,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FairnessVerdict v;
        v.drawCount = c.draws;
        v.findings = c.findings;
        v.evidence = c.headline == Headline::Evidence;
        const VerdictStatement s = StateVerdict(FairnessReport{}, v);
        EXPECT_EQ(s.headline, c.headline);
        EXPECT_EQ(s.drawCount, c.draws);
        ASSERT_EQ(static_cast<int>(s.standing.size()), c.standing);
        if (c.standing > 0) {
            EXPECT_EQ(s.standing[0].kind, FindingKind::SinglePocket);
        }
        if (c.standing > 1) {
            EXPECT_EQ(s.standing[1].kind, FindingKind::Dealer);
        }
        EXPECT_EQ(s.moreStanding, c.more);
        ASSERT_EQ(s.withinChance.has_value(), c.withinChance);
        if (c.withinChance) {
            EXPECT_EQ(s.withinChance->kind, FindingKind::Family);
        }
    }
}

// Draws of a wheel whose pockets come with the given weights (1 each unless said).
std::vector<std::uint8_t> WeightedDraws(int n, std::uint64_t seed,
                                        std::map<Pocket, double> weights) {
    std::vector<double> w(37, 1.0);
    for (const auto& [p, weight] : weights) w[static_cast<std::size_t>(p)] = weight;
    std::mt19937_64 random(seed);
    std::discrete_distribution<int> pocket(w.begin(), w.end());
    std::vector<std::uint8_t> draws(static_cast<std::size_t>(n));
    for (std::uint8_t& d : draws) d = static_cast<std::uint8_t>(pocket(random));
    return draws;
}

bool Holds(const std::vector<Finding>& findings, FindingKind kind, int subject = -1) {
    return std::any_of(findings.begin(), findings.end(), [&](const Finding& f) {
        return f.kind == kind && (subject < 0 || f.subject == subject);
    });
}

TEST(FairnessSummary, WithoutAPocketsDrawsItsShareIsLeftOut) {
    // Every pocket 100 times, 17 three hundred times.
    std::vector<std::uint8_t> draws;
    for (int round = 0; round < 300; ++round)
        for (Pocket p = 0; p <= 36; ++p)
            if (round < 100 || p == 17) draws.push_back(static_cast<std::uint8_t>(p));
    const FairnessReport r = ComputeFairness({RouletteKind::French, draws, {}});
    const std::vector<Pocket> seventeen = {17};
    Finding f;
    f.kind = FindingKind::PocketSpread;
    EXPECT_LT(r.pockets->p, 1e-6);
    EXPECT_DOUBLE_EQ(PWithout(r, f, seventeen).value(), 1.0);
    EXPECT_EQ(FindingPockets(RouletteKind::French, f).size(), 37u);
    // The second column, 17's, is even once 17 is left out; so is black.
    f.kind = FindingKind::Family;
    f.subject = static_cast<int>(OutsideFamily::Columns);
    f.cell = 1;
    EXPECT_DOUBLE_EQ(PWithout(r, f, seventeen).value(), 1.0);
    EXPECT_EQ(FindingPockets(RouletteKind::French, f),
              (std::vector<Pocket>{2, 5, 8, 11, 14, 17, 20, 23, 26, 29, 32, 35}));
    f.subject = static_cast<int>(OutsideFamily::RedBlack);
    EXPECT_DOUBLE_EQ(PWithout(r, f, seventeen).value(), 1.0);
    EXPECT_EQ(FindingPockets(RouletteKind::French, f).size(), 18u);
    f.cell = 2;
    EXPECT_EQ(FindingPockets(RouletteKind::American, f), (std::vector<Pocket>{0, DoubleZero}));
    // Without 5, its neighbour, 17 still stands out in every test that holds it.
    f.kind = FindingKind::PocketSpread;
    EXPECT_LT(PWithout(r, f, std::vector<Pocket>{5}).value(), 1e-6);
    // An arc holding 17 is as expected without it; one apart from 17 says nothing.
    f.kind = FindingKind::Sector;
    const std::vector<Pocket> order(frenchWheel.begin(), frenchWheel.end());
    const int at17 = static_cast<int>(std::find(order.begin(), order.end(), 17) - order.begin());
    f.arc = {3, at17 - 1, 500, 0};
    EXPECT_EQ(FindingPockets(RouletteKind::French, f).size(), 3u);
    EXPECT_GT(PWithout(r, f, seventeen).value(), 0.4);
    f.arc.start = at17 + 5;
    EXPECT_FALSE(PWithout(r, f, seventeen));
    // Another pocket is as expected without 17; 17 itself, and the order of the draws, say
    // nothing once 17 is set aside.
    f.kind = FindingKind::SinglePocket;
    f.subject = 5;
    EXPECT_DOUBLE_EQ(PWithout(r, f, seventeen).value(), 1.0);
    f.subject = 17;
    EXPECT_FALSE(PWithout(r, f, seventeen));
    for (FindingKind kind : {FindingKind::Dealer, FindingKind::Runs, FindingKind::Serial}) {
        f.kind = kind;
        EXPECT_FALSE(PWithout(r, f, seventeen)) << static_cast<int>(kind);
    }
    EXPECT_TRUE(FindingPockets(RouletteKind::French, f).empty());
}

TEST(FairnessSummary, TheVerdictLeadsWithTheBiasedPocketAndSaysWhatFollowsFromIt) {
    // 17 three times as often: it leads, and the spread of the pockets, its column, its colour
    // and the hot arc round it follow from it. The p quoted is the table's own.
    const std::vector<std::uint8_t> draws = WeightedDraws(5000, 5, {{17, 3}});
    FairnessReport r = ComputeFairness({RouletteKind::French, draws, {}});
    const auto null = SimulateSectorNull(RouletteKind::French, 5000, 300, 1);
    ASSERT_TRUE(null && ApplySectorNull(r, *null));
    const VerdictStatement s = StateVerdict(r, Verdict(r));
    ASSERT_EQ(s.headline, VerdictStatement::Headline::Evidence);
    ASSERT_FALSE(s.standing.empty());
    EXPECT_EQ(s.standing[0].kind, FindingKind::SinglePocket);
    EXPECT_EQ(s.standing[0].subject, 17);
    EXPECT_EQ(s.standing[0].pAdjusted, r.pocketFigures[17].pAdjusted);
    EXPECT_TRUE(Holds(s.following, FindingKind::PocketSpread));
    EXPECT_TRUE(Holds(s.following, FindingKind::Sector));
    EXPECT_TRUE(Holds(s.following, FindingKind::Family, static_cast<int>(OutsideFamily::Columns)));
    // A pocket that comes less often only by the share 17 takes follows too; the order of
    // the draws never does.
    for (const Finding& f : s.following)
        EXPECT_FALSE(FindingPockets(RouletteKind::French, f).empty()) << static_cast<int>(f.kind);
    for (const Finding& f : s.standing)
        std::printf("standing %d %d %d p=%g %g\n", int(f.kind), f.subject, f.cell, f.pAdjusted,
                    f.pOverall);
    for (const Finding& f : s.following)
        std::printf("following %d %d %d p=%g\n", int(f.kind), f.subject, f.cell, f.pAdjusted);
    EXPECT_EQ(s.standing.size(), 1u);
    EXPECT_EQ(s.moreStanding, 0);
}

TEST(FairnessSummary, ABiasOfItsOwnIsNotSaidToFollow) {
    // 17 three times as often and the third dozen half as often again: the dozens stand on
    // their own; on fair games beside 17 they rarely stand, and what stands follows from 17.
    int dozensStood = 0, dozensFollowed = 0, othersStood = 0, othersFollowed = 0;
    for (std::uint64_t seed = 1; seed <= 60; ++seed) {
        std::map<Pocket, double> weights = {{17, 3}};
        const bool second = seed % 2 == 0;
        if (second)
            for (Pocket p = 25; p <= 36; ++p) weights[p] = 1.5;
        const std::vector<std::uint8_t> draws = WeightedDraws(5000, seed, weights);
        const FairnessReport r = ComputeFairness({RouletteKind::French, draws, {}});
        const VerdictStatement s = StateVerdict(r, Verdict(r));
        ASSERT_EQ(s.standing.front().subject, 17);
        const int dozens = static_cast<int>(OutsideFamily::Dozens);
        if (second) {
            dozensStood += Holds(s.standing, FindingKind::Family, dozens) ||
                           Holds(s.following, FindingKind::Family, dozens);
            dozensFollowed += Holds(s.following, FindingKind::Family, dozens);
        } else {
            for (const auto* list : {&s.standing, &s.following})
                for (const Finding& f : *list)
                    if (f.kind == FindingKind::Family || f.kind == FindingKind::PocketSpread) {
                        ++othersStood;
                        othersFollowed += list == &s.following;
                    }
        }
    }
    EXPECT_GE(dozensStood, 27);
    EXPECT_LE(dozensFollowed, 2);
    EXPECT_GE(othersStood, 30);
    EXPECT_GE(othersFollowed * 10, othersStood * 9);
}

TEST(FairnessSummary, GreenCellsAndTheWheelChart) {
    const std::vector<std::uint8_t> draws = FairDraws(RouletteKind::American, 400, 9);
    const FairnessReport american = ComputeFairness({RouletteKind::American, draws, {}});
    const std::vector<std::uint8_t> noZeroDraws = FairDraws(RouletteKind::NoZero, 400, 9);
    const FairnessReport noZero = ComputeFairness({RouletteKind::NoZero, noZeroDraws, {}});
    // The green pockets are the last cell of each family, where the kind has them.
    for (const FairnessReport* r : {&american, &noZero})
        for (const FamilyTest& f : r->families) {
            const int cells = static_cast<int>(f.hits.size());
            for (int c = 0; c < cells; ++c)
                EXPECT_EQ(IsGreenCell(f.family, c), r == &american && c == cells - 1);
        }

    const std::vector<WheelZ> around = PocketZAroundWheel(american);
    ASSERT_EQ(around.size(), americanWheel.size());
    EXPECT_EQ(around[19].pocket, DoubleZero);
    EXPECT_EQ(around[19].z, american.pocketFigures[37].z);
    EXPECT_EQ(around[1].pocket, 28);
    EXPECT_EQ(around[1].z, american.pocketFigures[28].z);
    const std::vector<WheelZ> noZeroAround = PocketZAroundWheel(noZero);
    ASSERT_EQ(noZeroAround.size(), 36u);
    EXPECT_EQ(noZeroAround[0].pocket, 32);
    EXPECT_EQ(noZeroAround[0].z, noZero.pocketFigures[31].z);

    // One pocket in 37 at the 5 % level: |z| beyond 3.205.
    EXPECT_NEAR(HolmPocketThresholdZ(RouletteKind::French), 3.205, 0.001);
    EXPECT_GT(HolmPocketThresholdZ(RouletteKind::American),
              HolmPocketThresholdZ(RouletteKind::French));
}

}  // namespace
}  // namespace spinalyst
