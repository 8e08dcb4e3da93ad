#include <algorithm>
#include <cmath>

#include "core/stats/fairness.h"
#include "core/stats/significance.h"

namespace spinalyst {

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
        f.direction = t.direction;
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
