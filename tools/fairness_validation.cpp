// Measures how often the fairness tests raise a false alarm on fair wheels, and how often they
// catch a biased wheel or croupier, on seeded simulated games; and how often a leader frozen
// partway through a game is confirmed by the draws after. Prints Markdown tables.
//
//   fairness-validation [GAMES] [alarms|power|freeze] [DRAWS]   (default 1000 games per row,
//                                      every section, false alarms on games of 5000 draws)

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "core/model/wheel.h"
#include "core/stats/fairness.h"
#include "core/stats/freeze_confirm.h"
#include "core/stats/significance.h"

namespace spinalyst {
namespace {

struct Game {
    std::vector<std::uint8_t> draws;
    std::vector<CroupierStint> stints;
};

// Draws of the kind where each pocket has the given weight (all 1: a fair wheel). Croupiers
// 1 ... 4 take turns in stints of 20 to 60 draws; `biasedCroupier` (when not 0) sends a fifth
// of their balls 9, 10 or 11 pockets on from the last number.
Game Play(RouletteKind kind, int count, std::uint64_t seed, const std::vector<double>& weights,
          std::int32_t biasedCroupier = 0) {
    std::mt19937_64 rng(seed);
    const auto order = WheelOrder(kind);
    const int pockets = pocketCount(kind);
    std::discrete_distribution<int> pick(weights.begin(), weights.end());
    std::uniform_int_distribution<int> stintLength(20, 60), near(9, 11);
    std::uniform_real_distribution<double> chance(0, 1);
    Game g;
    std::int32_t croupier = 1;
    int left = stintLength(rng);
    for (int i = 0; i < count; ++i) {
        if (left-- == 0) {
            croupier = croupier % 4 + 1;
            left = stintLength(rng) - 1;
        }
        Pocket p = firstPocket(kind) + pick(rng);
        if (croupier == biasedCroupier && !g.draws.empty() && chance(rng) < 0.2) {
            const int from = wheelPosition(kind, g.draws.back()) - wheelPosition(kind, order[0]);
            p = order[static_cast<std::size_t>((from + near(rng)) % pockets)];
        }
        g.draws.push_back(static_cast<std::uint8_t>(p));
        if (g.stints.empty() || g.stints.back().croupier != croupier)
            g.stints.push_back({croupier, 0});
        ++g.stints.back().draws;
    }
    return g;
}

FairnessReport Analyse(RouletteKind kind, const Game& g, const SectorNull* null) {
    FairnessReport r = ComputeFairness({kind, g.draws, g.stints});
    if (null) ApplySectorNull(r, *null);
    return r;
}

bool AnyBelow(const std::vector<double>& ps) {
    for (double p : ps)
        if (p < fairnessLevel) return true;
    return false;
}

// Each test as the page reads it: does it flag anything at adjusted p < 0.05?
struct Alarm {
    const char* name;
    std::function<bool(const FairnessReport&)> raised;
};
const std::vector<Alarm>& Alarms() {
    static const std::vector<Alarm> alarms = {
        {"pockets (chi-square)",
         [](const FairnessReport& r) { return r.pockets && r.pockets->pAdjusted < fairnessLevel; }},
        {"any single pocket (binomial, Holm)",
         [](const FairnessReport& r) {
             std::vector<double> ps;
             for (const auto& f : r.pocketFigures) ps.push_back(f.pAdjusted);
             return AnyBelow(ps);
         }},
        {"any outside family (Holm over 5)",
         [](const FairnessReport& r) {
             std::vector<double> ps;
             for (const auto& f : r.families) ps.push_back(f.test.pAdjusted);
             return AnyBelow(ps);
         }},
        {"sector k=3 (unadjusted)",
         [](const FairnessReport& r) { return r.sectors[0].p.value_or(1) < fairnessLevel; }},
        {"sector k=18 (unadjusted)",
         [](const FairnessReport& r) {
             return r.sectors[arcLengthCount - 1].p.value_or(1) < fairnessLevel;
         }},
        {"sector best over k",
         [](const FairnessReport& r) { return r.bestSector && r.bestSector->p < fairnessLevel; }},
        {"any croupier (Holm)",
         [](const FairnessReport& r) {
             std::vector<double> ps;
             for (const auto& d : r.dealers) ps.push_back(d.test.pAdjusted);
             return AnyBelow(ps);
         }},
        {"any runs test (Holm over 3)",
         [](const FairnessReport& r) {
             std::vector<double> ps;
             for (const auto& t : r.runs) ps.push_back(t.pAdjusted);
             return AnyBelow(ps);
         }},
        {"serial correlation",
         [](const FairnessReport& r) { return r.serial && r.serial->p < fairnessLevel; }},
        {"verdict: evidence of bias", [](const FairnessReport& r) { return Verdict(r).evidence; }},
    };
    return alarms;
}

std::string Percent(int hits, int games) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %%", 100.0 * hits / games);
    return text;
}

void FalseAlarms(int games, int drawCount) {
    std::printf("## False alarms: %d fair games of %d draws per kind (4 croupiers)\n\n", games,
                drawCount);
    std::printf("| test | American | French | No zero |\n|---|---|---|---|\n");
    std::vector<std::array<int, 3>> raised(Alarms().size());
    for (RouletteKind kind : allKinds) {
        const auto column = static_cast<std::size_t>(kind);
        const auto null = SimulateSectorNull(kind, drawCount, defaultSimulations, 1000 + column);
        const std::vector<double> fair(static_cast<std::size_t>(pocketCount(kind)), 1.0);
        for (int g = 0; g < games; ++g) {
            const FairnessReport r = Analyse(
                kind, Play(kind, drawCount, 7'000'000 + column * 100'000 + g, fair), &*null);
            for (std::size_t a = 0; a < Alarms().size(); ++a)
                raised[a][column] += Alarms()[a].raised(r) ? 1 : 0;
        }
    }
    for (std::size_t a = 0; a < Alarms().size(); ++a)
        std::printf("| %s | %s | %s | %s |\n", Alarms()[a].name,
                    Percent(raised[a][0], games).c_str(), Percent(raised[a][1], games).c_str(),
                    Percent(raised[a][2], games).c_str());
    std::printf("\n");
}

void Power(int games) {
    std::printf("## Power: share of biased games flagged at adjusted p < 0.05\n\n");
    std::printf("| bias | flagged by | American | French | No zero |\n|---|---|---|---|---|\n");
    std::array<std::array<int, 3>, 7> caught{};
    for (RouletteKind kind : allKinds) {
        const auto column = static_cast<std::size_t>(kind);
        const auto pockets = static_cast<std::size_t>(pocketCount(kind));
        // Pocket 17 1.5 times as likely as each other pocket, 10,000 draws.
        std::vector<double> hotPocket(pockets, 1.0);
        hotPocket[static_cast<std::size_t>(17 - firstPocket(kind))] = 1.5;
        // The five pockets centred on 17 on the wheel 1.3 times as likely, 10,000 draws; and 1.1
        // times, a bias the scan finds only some of the time.
        std::vector<double> hotSector(pockets, 1.0), warmSector(pockets, 1.0);
        for (Pocket p : wheelNeighbourhood(kind, 17)) {
            hotSector[static_cast<std::size_t>(p - firstPocket(kind))] = 1.3;
            warmSector[static_cast<std::size_t>(p - firstPocket(kind))] = 1.1;
        }
        const auto null = SimulateSectorNull(kind, 10'000, defaultSimulations, 2000 + column);
        // Croupier 2 of 4 spins about 2,000 of 8,000 draws.
        const std::vector<double> fair(pockets, 1.0);

        for (int g = 0; g < games; ++g) {
            const std::uint64_t seed = 9'000'000 + column * 100'000 + static_cast<std::uint64_t>(g);
            FairnessReport r = Analyse(kind, Play(kind, 10'000, seed, hotPocket), nullptr);
            for (const PocketFigure& f : r.pocketFigures)
                if (f.pocket == 17 && f.pAdjusted < fairnessLevel) ++caught[0][column];
            caught[1][column] += Verdict(r).evidence ? 1 : 0;

            r = Analyse(kind, Play(kind, 10'000, seed, hotSector), &*null);
            if (r.bestSector && r.bestSector->p < fairnessLevel) {
                ++caught[2][column];
                // The arc found overlaps the biased sector.
                const auto arc = ArcPockets(
                    kind, r.sectors[static_cast<std::size_t>(r.bestSector->lengthIndex)].arc);
                bool overlaps = false;
                for (Pocket p : wheelNeighbourhood(kind, 17))
                    for (Pocket q : arc) overlaps = overlaps || p == q;
                caught[3][column] += overlaps ? 1 : 0;
            }

            r = Analyse(kind, Play(kind, 10'000, seed, warmSector), &*null);
            caught[6][column] += r.bestSector && r.bestSector->p < fairnessLevel ? 1 : 0;

            const Game dealer = Play(kind, 8000, seed, fair, 2);
            r = Analyse(kind, dealer, nullptr);
            for (const DealerTest& d : r.dealers)
                if (d.croupier == 2 && d.test.pAdjusted < fairnessLevel) ++caught[4][column];
            caught[5][column] += Verdict(r).evidence ? 1 : 0;
        }
    }
    const char* rows[][2] = {
        {"pocket 17 x1.5, 10,000 draws", "pocket 17 (binomial, Holm)"},
        {"pocket 17 x1.5, 10,000 draws", "verdict"},
        {"5-pocket sector x1.3, 10,000 draws", "sector best over k"},
        {"5-pocket sector x1.3, 10,000 draws", "sector best, arc overlapping it"},
        {"croupier 2: 20 % at distance 10 +- 1, ~2,000 of 8,000 draws", "croupier 2 (Holm)"},
        {"croupier 2: 20 % at distance 10 +- 1, ~2,000 of 8,000 draws", "verdict"},
        {"5-pocket sector x1.1, 10,000 draws", "sector best over k"},
    };
    for (std::size_t i = 0; i < caught.size(); ++i)
        std::printf("| %s | %s | %s | %s | %s |\n", rows[i][0], rows[i][1],
                    Percent(caught[i][0], games).c_str(), Percent(caught[i][1], games).c_str(),
                    Percent(caught[i][2], games).c_str());
    std::printf("\n");
}

// A set frozen after `frozenAt` draws of a game and tested on the rest: the leading pocket
// (size 1) or the leading arc of `size` pockets, as the Fairness page's button freezes them.
struct Frozen {
    bool holdsTarget = false;
    // The one-sided p below fairnessLevel over every draw after the freeze, and after some draw
    // after it (a player who looks at p after every spin).
    bool pAtEnd = false;
    bool pAtSomeDraw = false;
    // The page's confirmation, after some draw after the freeze.
    bool confirmed = false;
};
Frozen FreezeAndTest(RouletteKind kind, const Game& g, int frozenAt, int size, Pocket target) {
    const std::span<const std::uint8_t> draws(g.draws);
    const FairnessReport before = ComputeFairness({kind, draws.first(frozenAt), {}});
    std::vector<Pocket> set;
    if (size == 1) {
        int most = -1;
        for (const PocketFigure& f : before.pocketFigures)
            if (f.hits > most) {
                most = f.hits;
                set = {f.pocket};
            }
    } else {
        set = ArcPockets(kind, before.sectors[static_cast<std::size_t>(size - shortestArc)].arc);
    }
    Frozen f;
    for (Pocket p : set) f.holdsTarget = f.holdsTarget || p == target;
    const auto after = draws.subspan(static_cast<std::size_t>(frozenAt));
    f.pAtEnd = Confirm(kind, set, after).p < fairnessLevel;
    const double share = static_cast<double>(set.size()) / pocketCount(kind);
    int hits = 0;
    for (std::size_t m = 1; m <= after.size(); ++m) {
        for (Pocket p : set) hits += after[m - 1] == p ? 1 : 0;
        f.pAtSomeDraw =
            f.pAtSomeDraw || BinomialUpperP(hits, static_cast<int>(m), share) < fairnessLevel;
        // The page's figures as they stood after this draw.
        f.confirmed = f.confirmed || LogConfirmationEvidence(hits, static_cast<int>(m), share) >=
                                         -std::log(fairnessLevel);
        if (f.pAtSomeDraw && f.confirmed) break;
    }
    return f;
}

void FreezeAndConfirm(int games) {
    constexpr int frozenAt = 3000, played = 6000;
    std::printf(
        "## Freeze and confirm: the leader after %d draws, tested on the next %d\n\n"
        "p: the one-sided binomial p below 0.05 over all %d draws after the freeze, or after "
        "some draw among them (a player who reads p after every spin). Confirmed: the page's "
        "word, after some draw among them.\n\n",
        frozenAt, played - frozenAt, played - frozenAt);
    std::printf(
        "| wheel | set frozen | figure | American | French | No zero |\n"
        "|---|---|---|---|---|---|\n");
    struct Row {
        const char* wheel;
        const char* set;
        const char* figure;
        std::array<int, 3> count{};
    };
    std::vector<Row> rows = {
        {"fair", "leading pocket", "p < 0.05 at the end"},
        {"fair", "leading pocket", "p < 0.05 after some draw"},
        {"fair", "leading pocket", "confirmed"},
        {"fair", "leading 5-sector", "p < 0.05 at the end"},
        {"fair", "leading 5-sector", "p < 0.05 after some draw"},
        {"fair", "leading 5-sector", "confirmed"},
        {"pocket 17 x1.5", "leading pocket", "17 frozen"},
        {"pocket 17 x1.5", "leading pocket", "p < 0.05 at the end"},
        {"pocket 17 x1.5", "leading pocket", "confirmed"},
        {"pocket 17 x1.5", "leading pocket", "17 frozen and confirmed"},
        {"pocket 17 x1.5", "leading 5-sector", "p < 0.05 at the end"},
        {"pocket 17 x1.5", "leading 5-sector", "confirmed"},
    };
    for (RouletteKind kind : allKinds) {
        const auto column = static_cast<std::size_t>(kind);
        const auto pockets = static_cast<std::size_t>(pocketCount(kind));
        const std::vector<double> fair(pockets, 1.0);
        std::vector<double> hot(pockets, 1.0);
        hot[static_cast<std::size_t>(17 - firstPocket(kind))] = 1.5;
        const auto count = [&](std::size_t row, bool yes) { rows[row].count[column] += yes; };
        for (int g = 0; g < games; ++g) {
            const std::uint64_t seed =
                11'000'000 + column * 100'000 + static_cast<std::uint64_t>(g);
            const Game fairGame = Play(kind, played, seed, fair);
            for (int size : {1, 5}) {
                const Frozen f = FreezeAndTest(kind, fairGame, frozenAt, size, 17);
                const std::size_t row = size == 1 ? 0 : 3;
                count(row, f.pAtEnd);
                count(row + 1, f.pAtSomeDraw);
                count(row + 2, f.confirmed);
            }
            const Game hotGame = Play(kind, played, seed, hot);
            Frozen f = FreezeAndTest(kind, hotGame, frozenAt, 1, 17);
            count(6, f.holdsTarget);
            count(7, f.pAtEnd);
            count(8, f.confirmed);
            count(9, f.holdsTarget && f.confirmed);
            f = FreezeAndTest(kind, hotGame, frozenAt, 5, 17);
            count(10, f.pAtEnd);
            count(11, f.confirmed);
        }
    }
    for (const Row& r : rows)
        std::printf("| %s | %s | %s | %s | %s | %s |\n", r.wheel, r.set, r.figure,
                    Percent(r.count[0], games).c_str(), Percent(r.count[1], games).c_str(),
                    Percent(r.count[2], games).c_str());
    std::printf("\n");
}

}  // namespace
}  // namespace spinalyst

int main(int argc, char** argv) {
    const int games = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const std::string section = argc > 2 ? argv[2] : "";
    // The false alarms may be measured on games of another length, given third.
    const int draws = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5000;
    if (section.empty() || section == "alarms") spinalyst::FalseAlarms(games, draws);
    if (section.empty() || section == "power") spinalyst::Power(games);
    if (section.empty() || section == "freeze") spinalyst::FreezeAndConfirm(games);
    return 0;
}
