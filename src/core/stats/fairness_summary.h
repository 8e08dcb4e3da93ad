#pragma once

#include <optional>
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

// What the verdict says. With evidence, the findings that stand once every test is counted,
// strongest first; without, the strongest finding of a single test, if any, which the
// number of tests run explains.
inline constexpr int maxVerdictFindings = 3;
struct VerdictStatement {
    enum class Headline { NoDraws, NoEvidence, Evidence };
    Headline headline = Headline::NoDraws;
    int drawCount = 0;
    // At most maxVerdictFindings; the first one is the headline under Evidence.
    std::vector<Finding> standing;
    // Standing findings beyond those named.
    int moreStanding = 0;
    std::optional<Finding> withinChance;
    bool sectorsPending = false;
};
VerdictStatement StateVerdict(const FairnessVerdict& verdict);

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
