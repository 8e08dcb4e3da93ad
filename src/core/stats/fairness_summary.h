#pragma once

#include <optional>
#include <span>
#include <vector>

#include "core/stats/fairness.h"

namespace spinalyst {

// The fairness report as the desktop page and the command line present it: one row per test
// and subject, what the verdict names, and the pockets' z-scores around the wheel. Every
// choice of what to show lives here; the callers only put words and numbers on it.

enum class FairnessTest {
    PocketSpread,
    SinglePocket,
    Family,
    Sector,
    BestSector,
    Dealer,
    Runs,
    Serial
};

struct FairnessRow {
    FairnessTest test = FairnessTest::PocketSpread;
    // The pocket (SinglePocket), the OutsideFamily (Family), the croupier number (Dealer), the
    // EvenChance (Runs); 0 otherwise.
    int subject = 0;
    // Dealer: the spins tested, Unknown for all of them (DealerTest::direction).
    SpinDirection direction = SpinDirection::Unknown;
    // Sector, BestSector: the hottest arc.
    SectorArc arc;
    // The chi-square, the z-score of a pocket or of the runs, the hits of the arc, or the
    // lag-1 correlation.
    double statistic = 0;
    std::optional<int> df;
    // Empty while the sector scan has not run.
    std::optional<double> p;
    std::optional<double> pAdjusted;
    // The Monte Carlo estimates' standard error (sectors only).
    std::optional<double> standardError;
};

// Every test of the report in a fixed order: the pockets overall, each pocket, the five
// families, each arc length and the best arc (once simulated), the croupiers, the runs and
// the serial correlation. A p-value without a correction of its own is its own adjusted one.
std::vector<FairnessRow> FairnessRows(const FairnessReport& report);

// The one-sided tests of excess: each pocket, then the best arc once the sector scan has run
// (its p, like every sector p, counts only arcs hotter than chance as extreme).
struct ExcessRow {
    // nullopt for the best arc.
    std::optional<Pocket> pocket;
    SectorArc arc;
    // Hits over expected, minus 1.
    double excess = 0;
    double p = 1;
    double pAdjusted = 1;
};
std::vector<ExcessRow> ExcessRows(const FairnessReport& report);

// Whether a family finding's cell is the green pockets rather than a box of the family.
bool IsGreenCell(OutsideFamily family, int cell);

// The pockets a finding about how often pockets come out is about: one pocket, an arc, a box
// of a family (its furthest cell), every pocket. Empty for the findings about the order of the
// draws (croupiers, runs, serial correlation).
std::vector<Pocket> FindingPockets(RouletteKind kind, const Finding& finding);

// The p-value of a finding's test once the draws of `setAside` are left out and the other
// draws are compared with a fair wheel of the other pockets: the spread of the remaining
// pockets, another pocket, the family's boxes without those pockets, the arc's other pockets
// (one-sided, as the arc was found hot), before any correction for the tests run. nullopt
// where leaving them out says nothing of the finding: a pocket set aside, an arc apart from
// them, the order of the draws.
std::optional<double> PWithout(const FairnessReport& report, const Finding& finding,
                               std::span<const Pocket> setAside);

// What the verdict says. With evidence, it leads with the most specific finding that stands
// once every test is counted (a pocket before an arc, an arc before a box of a family, a box
// before the pockets as a whole; by strength among equals and for findings about the order of
// the draws), and tells which of the other findings follow from it: without the draws of its
// pockets their tests show nothing beyond chance, the p-value corrected as the finding's own
// test was, over the pockets left or the five families (Bonferroni, which is never milder). Without
// evidence, it names the strongest finding of a single test, if any, which the number of tests run
// explains.
inline constexpr int maxVerdictFindings = 3;
struct VerdictStatement {
    enum class Headline { NoDraws, NoEvidence, Evidence };
    Headline headline = Headline::NoDraws;
    int drawCount = 0;
    // At most maxVerdictFindings, none that follows from the first; the first one is the
    // headline under Evidence.
    std::vector<Finding> standing;
    // Standing findings beyond those named, not counting those that follow.
    int moreStanding = 0;
    // The standing findings that follow from the headline's, strongest first.
    std::vector<Finding> following;
    std::optional<Finding> withinChance;
    bool sectorsPending = false;
};
VerdictStatement StateVerdict(const FairnessReport& report, const FairnessVerdict& verdict);

// The z-scores of the pockets in wheel order, clockwise from the wheel's position 0.
struct WheelZ {
    Pocket pocket = 0;
    double z = 0;
};
std::vector<WheelZ> PocketZAroundWheel(const FairnessReport& report);

// The |z| beyond which one pocket alone stands out at fairnessLevel after Holm's correction
// over the kind's pockets (the first step of Holm's method), in the normal approximation.
double HolmPocketThresholdZ(RouletteKind kind);

}  // namespace spinalyst
