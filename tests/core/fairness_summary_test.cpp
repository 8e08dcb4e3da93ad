#include "core/stats/fairness_summary.h"

#include <gtest/gtest.h>

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
        const VerdictStatement s = StateVerdict(v);
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
