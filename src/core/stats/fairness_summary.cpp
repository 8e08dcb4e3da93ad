#include "core/stats/fairness_summary.h"

#include <algorithm>

#include "core/model/wheel.h"
#include "core/stats/significance.h"

namespace spinalyst {

namespace {
FairnessRow Row(FairnessTest test, int subject, double statistic, std::optional<int> df, double p,
                double pAdjusted) {
    FairnessRow row;
    row.test = test;
    row.subject = subject;
    row.statistic = statistic;
    row.df = df;
    row.p = p;
    row.pAdjusted = pAdjusted;
    return row;
}

FairnessRow ChiSquareRow(FairnessTest test, int subject, const ChiSquareTest& t) {
    return Row(test, subject, t.statistic, t.df, t.p, t.pAdjusted);
}
}  // namespace

std::vector<FairnessRow> FairnessRows(const FairnessReport& r) {
    std::vector<FairnessRow> rows;
    if (r.pockets) rows.push_back(ChiSquareRow(FairnessTest::PocketSpread, 0, *r.pockets));
    for (const PocketFigure& f : r.pocketFigures)
        rows.push_back(
            Row(FairnessTest::SinglePocket, f.pocket, f.z, std::nullopt, f.p, f.pAdjusted));
    for (const FamilyTest& f : r.families)
        rows.push_back(ChiSquareRow(FairnessTest::Family, static_cast<int>(f.family), f.test));
    for (const SectorTest& s : r.sectors) {
        FairnessRow row;
        row.test = FairnessTest::Sector;
        row.arc = s.arc;
        row.statistic = s.arc.hits;
        row.p = s.p;
        row.pAdjusted = s.pAdjusted ? s.pAdjusted : s.p;
        row.standardError = s.standardError;
        rows.push_back(row);
    }
    if (const auto& best = r.bestSector) {
        const SectorArc& arc = r.sectors[static_cast<std::size_t>(best->lengthIndex)].arc;
        FairnessRow row =
            Row(FairnessTest::BestSector, 0, arc.hits, std::nullopt, best->p, best->p);
        row.arc = arc;
        row.standardError = best->standardError;
        rows.push_back(row);
    }
    for (const DealerTest& d : r.dealers)
        rows.push_back(ChiSquareRow(FairnessTest::Dealer, d.croupier, d.test));
    for (const RunsTest& t : r.runs)
        rows.push_back(Row(FairnessTest::Runs, static_cast<int>(t.chance), t.z, std::nullopt, t.p,
                           t.pAdjusted));
    if (const auto& s = r.serial)
        rows.push_back(Row(FairnessTest::Serial, 0, s->correlation, std::nullopt, s->p, s->p));
    return rows;
}

std::vector<ExcessRow> ExcessRows(const FairnessReport& r) {
    std::vector<ExcessRow> rows;
    for (const PocketFigure& f : r.pocketFigures) {
        ExcessRow row;
        row.pocket = f.pocket;
        row.excess = f.hits / f.expected - 1;
        row.p = f.excessP;
        row.pAdjusted = f.excessPAdjusted;
        rows.push_back(row);
    }
    if (const auto& best = r.bestSector) {
        ExcessRow row;
        row.arc = r.sectors[static_cast<std::size_t>(best->lengthIndex)].arc;
        row.excess = row.arc.hits / row.arc.expected - 1;
        row.p = row.pAdjusted = best->p;
        rows.push_back(row);
    }
    return rows;
}

bool IsGreenCell(OutsideFamily family, int cell) {
    const int boxes = family == OutsideFamily::Dozens || family == OutsideFamily::Columns ? 3 : 2;
    return cell >= boxes;
}

VerdictStatement StateVerdict(const FairnessVerdict& v) {
    VerdictStatement s;
    s.drawCount = v.drawCount;
    s.sectorsPending = v.sectorsPending;
    if (v.drawCount == 0) return s;
    // The findings come strongest first, so those that stand are the first ones.
    const auto standing = std::find_if(v.findings.begin(), v.findings.end(), [](const Finding& f) {
        return f.pOverall >= fairnessLevel;
    });
    const auto count = static_cast<int>(standing - v.findings.begin());
    if (count == 0) {
        s.headline = VerdictStatement::Headline::NoEvidence;
        if (!v.findings.empty()) s.withinChance = v.findings.front();
        return s;
    }
    s.headline = VerdictStatement::Headline::Evidence;
    const int named = std::min(count, maxVerdictFindings);
    s.standing.assign(v.findings.begin(), v.findings.begin() + named);
    s.moreStanding = count - named;
    return s;
}

std::vector<WheelZ> PocketZAroundWheel(const FairnessReport& r) {
    std::vector<WheelZ> around;
    if (r.pocketFigures.empty()) return around;
    for (Pocket p : WheelOrder(r.kind)) {
        const auto at = static_cast<std::size_t>(p - firstPocket(r.kind));
        if (at < r.pocketFigures.size()) around.push_back({p, r.pocketFigures[at].z});
    }
    return around;
}

double HolmPocketThresholdZ(RouletteKind kind) {
    return NormalCriticalZ(fairnessLevel / pocketCount(kind));
}

}  // namespace spinalyst
