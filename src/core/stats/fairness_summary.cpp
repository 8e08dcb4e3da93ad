#include "core/stats/fairness_summary.h"

#include <algorithm>

#include "core/model/wheel.h"
#include "core/stats/fairness_pairs.h"
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
    for (const DealerTest& d : r.dealers) {
        rows.push_back(ChiSquareRow(FairnessTest::Dealer, d.croupier, d.test));
        rows.back().direction = d.direction;
    }
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

std::vector<Pocket> FindingPockets(RouletteKind kind, const Finding& f) {
    std::vector<Pocket> pockets;
    switch (f.kind) {
        case FindingKind::SinglePocket:
            pockets.push_back(f.subject);
            break;
        case FindingKind::Sector:
            pockets = ArcPockets(kind, f.arc);
            break;
        case FindingKind::Family: {
            const auto family = static_cast<OutsideFamily>(f.subject);
            const bool green = IsGreenCell(family, f.cell);
            for (Pocket p = firstPocket(kind); p <= lastPocket(kind); ++p) {
                const int cell = fairness_detail::FamilyCell(family, p);
                if (green ? cell < 0 : cell == f.cell) pockets.push_back(p);
            }
            break;
        }
        case FindingKind::PocketSpread:
            for (Pocket p = firstPocket(kind); p <= lastPocket(kind); ++p) pockets.push_back(p);
            break;
        case FindingKind::Dealer:
        case FindingKind::Runs:
        case FindingKind::Serial:
            break;
    }
    return pockets;
}

std::optional<double> PWithout(const FairnessReport& r, const Finding& f,
                               std::span<const Pocket> setAside) {
    const auto asideOf = [&](Pocket p) {
        return std::find(setAside.begin(), setAside.end(), p) != setAside.end();
    };
    // The draws and the pockets left.
    std::vector<PocketFigure> kept;
    int n = 0;
    for (const PocketFigure& figure : r.pocketFigures)
        if (!asideOf(figure.pocket)) {
            kept.push_back(figure);
            n += figure.hits;
        }
    const auto pockets = static_cast<double>(kept.size());
    if (kept.empty()) return std::nullopt;
    if (n == 0) return 1.0;
    // A chi-square of counts against shares of the kept pockets; cells without a pocket drop.
    const auto chiSquare = [&](const std::vector<int>& hits, const std::vector<int>& sizes) {
        double statistic = 0;
        int cells = 0;
        for (std::size_t c = 0; c < hits.size(); ++c) {
            if (sizes[c] == 0) continue;
            const double expected = n * sizes[c] / pockets;
            statistic += (hits[c] - expected) * (hits[c] - expected) / expected;
            ++cells;
        }
        return ChiSquareP(statistic, cells - 1);
    };
    switch (f.kind) {
        case FindingKind::PocketSpread: {
            std::vector<int> hits, sizes;
            for (const PocketFigure& figure : kept) {
                hits.push_back(figure.hits);
                sizes.push_back(1);
            }
            return chiSquare(hits, sizes);
        }
        case FindingKind::Family: {
            const auto family = static_cast<OutsideFamily>(f.subject);
            const int boxes = fairness_detail::FamilyBoxes(family);
            std::vector<int> hits(static_cast<std::size_t>(boxes) + 1, 0), sizes(hits.size(), 0);
            for (const PocketFigure& figure : kept) {
                const int cell = fairness_detail::FamilyCell(family, figure.pocket);
                const auto at = static_cast<std::size_t>(cell < 0 ? boxes : cell);
                hits[at] += figure.hits;
                ++sizes[at];
            }
            return chiSquare(hits, sizes);
        }
        case FindingKind::Sector: {
            const std::vector<Pocket> arc = ArcPockets(r.kind, f.arc);
            if (std::none_of(arc.begin(), arc.end(), asideOf)) return std::nullopt;
            int hits = 0, size = 0;
            for (const PocketFigure& figure : kept)
                if (std::find(arc.begin(), arc.end(), figure.pocket) != arc.end()) {
                    hits += figure.hits;
                    ++size;
                }
            if (size == 0) return 1.0;
            return BinomialUpperP(hits, n, size / pockets);
        }
        case FindingKind::SinglePocket: {
            // Another pocket often stands out only by the share the set-aside ones took.
            if (asideOf(f.subject)) return std::nullopt;
            for (const PocketFigure& figure : kept)
                if (figure.pocket == f.subject)
                    return BinomialTwoSidedP(figure.hits, n, 1 / pockets);
            return std::nullopt;
        }
        case FindingKind::Dealer:
        case FindingKind::Runs:
        case FindingKind::Serial:
            break;
    }
    return std::nullopt;
}

VerdictStatement StateVerdict(const FairnessReport& report, const FairnessVerdict& v) {
    VerdictStatement s;
    s.drawCount = v.drawCount;
    s.sectorsPending = v.sectorsPending;
    if (v.drawCount == 0) return s;
    // The findings come strongest first, so those that stand are the first ones.
    const auto standingEnd =
        std::find_if(v.findings.begin(), v.findings.end(),
                     [](const Finding& f) { return f.pOverall >= fairnessLevel; });
    std::vector<Finding> standing(v.findings.begin(), standingEnd);
    if (standing.empty()) {
        s.headline = VerdictStatement::Headline::NoEvidence;
        if (!v.findings.empty()) s.withinChance = v.findings.front();
        return s;
    }
    s.headline = VerdictStatement::Headline::Evidence;
    // The lead: the fewest pockets among the findings about pockets, the strongest among equals;
    // the findings about the order of the draws count as about every pocket and more.
    const auto breadth = [&](const Finding& f) {
        const std::size_t pockets = FindingPockets(report.kind, f).size();
        return pockets == 0 ? std::size_t(maxPocketCount) + 1 : pockets;
    };
    std::size_t leadAt = 0;
    for (std::size_t i = 1; i < standing.size(); ++i)
        if (breadth(standing[i]) < breadth(standing[leadAt])) leadAt = i;
    // The lead goes first, the others keep their order of strength.
    std::rotate(standing.begin(), standing.begin() + static_cast<long>(leadAt),
                standing.begin() + static_cast<long>(leadAt) + 1);
    const std::vector<Pocket> explaining = FindingPockets(report.kind, standing.front());
    std::vector<Finding> independent = {standing.front()};
    // The tests a finding's own p-value was corrected over.
    const auto tests = [&](const Finding& f) {
        if (f.kind == FindingKind::SinglePocket)
            return static_cast<double>(report.pocketFigures.size()) -
                   static_cast<double>(explaining.size());
        return f.kind == FindingKind::Family ? static_cast<double>(allOutsideFamilies.size()) : 1.0;
    };
    for (std::size_t i = 1; i < standing.size(); ++i) {
        const Finding& f = standing[i];
        const std::optional<double> p =
            explaining.empty() ? std::nullopt : PWithout(report, f, explaining);
        (p && *p * tests(f) >= fairnessLevel ? s.following : independent).push_back(f);
    }
    const int named = std::min(static_cast<int>(independent.size()), maxVerdictFindings);
    s.standing.assign(independent.begin(), independent.begin() + named);
    s.moreStanding = static_cast<int>(independent.size()) - named;
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
