// How often the dealer test finds a dealer whose signature follows the direction of the spin,
// with the distances counted in the ball's direction and counted blind to it, on seeded
// simulated games; and how often it raises a false alarm on a fair dealer. Prints a Markdown
// table.
//
//   dealer-direction-power [GAMES]      (default 2000 games per row)

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "core/model/wheel.h"
#include "core/stats/fairness.h"

namespace spinalyst {
namespace {

constexpr RouletteKind kind = RouletteKind::French;
constexpr std::int32_t biasedCroupier = 1;

struct Game {
    std::vector<std::uint8_t> draws;
    std::vector<CroupierStint> stints;
    std::vector<SpinDirection> directions;
};

// `croupiers` take turns in stints of 20 to 60 draws (one croupier: the whole game), each
// spinning clockwise and anticlockwise in turn. With `biased`, croupier 1 sends a fifth of the
// balls 9, 10 or 11 pockets on from the last number in the direction of the spin.
Game Play(int count, int croupiers, bool biased, std::uint64_t seed) {
    std::mt19937_64 rng(seed);
    const auto order = WheelOrder(kind);
    const int n = pocketCount(kind);
    std::uniform_int_distribution<int> pocket(0, n - 1), stintLength(20, 60), near(9, 11);
    std::uniform_real_distribution<double> chance(0, 1);
    Game g;
    std::int32_t croupier = 1;
    int left = croupiers == 1 ? count : stintLength(rng);
    SpinDirection way = rng() % 2 ? SpinDirection::Clockwise : SpinDirection::Anticlockwise;
    int at = pocket(rng);  // the wheel position of the last number
    for (int i = 0; i < count; ++i) {
        if (left-- == 0) {
            croupier = croupier % croupiers + 1;
            left = stintLength(rng) - 1;
        }
        if (biased && croupier == biasedCroupier && i > 0 && chance(rng) < 0.2) {
            const int step = near(rng);
            at = (at + (way == SpinDirection::Clockwise ? step : n - step)) % n;
        } else {
            at = pocket(rng);
        }
        g.draws.push_back(static_cast<std::uint8_t>(order[static_cast<std::size_t>(at)]));
        g.directions.push_back(way);
        way = Flipped(way);
        if (g.stints.empty() || g.stints.back().croupier != croupier)
            g.stints.push_back({croupier, 0});
        ++g.stints.back().draws;
    }
    return g;
}

// Whether a dealer test of the croupier (of the given direction, or any) stands at the level
// after Holm's correction over every dealer test of the report.
bool Flags(const FairnessReport& r, std::int32_t croupier, const SpinDirection* only = nullptr) {
    for (const DealerTest& t : r.dealers)
        if (t.croupier == croupier && (!only || t.direction == *only) &&
            t.test.pAdjusted < fairnessLevel)
            return true;
    return false;
}

// Whether the verdict as a whole names the croupier, after its correction over every kind of
// test.
bool VerdictNames(const FairnessReport& r, std::int32_t croupier) {
    for (const Finding& f : Verdict(r).findings)
        if (f.kind == FindingKind::Dealer && f.subject == croupier && f.pOverall < fairnessLevel)
            return true;
    return false;
}

struct Tally {
    int blind = 0, allPairs = 0, page = 0, verdictBlind = 0, verdictAware = 0;
};

Tally Run(int draws, int croupiers, bool biased, int games) {
    Tally t;
    const SpinDirection all = SpinDirection::Unknown;
    for (int g = 0; g < games; ++g) {
        const Game game = Play(draws, croupiers, biased,
                               1'000'000ULL * static_cast<unsigned>(draws) +
                                   10'000ULL * static_cast<unsigned>(croupiers) +
                                   (biased ? 0 : 5'000) + static_cast<unsigned>(g));
        const FairnessReport blind = ComputeFairness({kind, game.draws, game.stints});
        const FairnessReport aware =
            ComputeFairness({kind, game.draws, game.stints, game.directions});
        // A fair game counts an alarm on any croupier; a biased one only on the biased one.
        const auto any = [&](const FairnessReport& r, auto flags) {
            if (biased) return flags(r, biasedCroupier);
            for (std::int32_t c = 1; c <= croupiers; ++c)
                if (flags(r, c)) return true;
            return false;
        };
        t.blind += any(blind, [](const FairnessReport& r, std::int32_t c) { return Flags(r, c); });
        t.allPairs +=
            any(aware, [&](const FairnessReport& r, std::int32_t c) { return Flags(r, c, &all); });
        t.page += any(aware, [](const FairnessReport& r, std::int32_t c) { return Flags(r, c); });
        t.verdictBlind += any(blind, VerdictNames);
        t.verdictAware += any(aware, VerdictNames);
    }
    return t;
}

void Print(int games) {
    std::printf(
        "## The dealer test, %d games per row (French wheel, directions alternating)\n\n"
        "The biased dealer sends a fifth of the balls 9, 10 or 11 pockets on in the direction "
        "of the spin. A cell is the share of games in which the dealer test of that dealer "
        "stands at adjusted p < 0.05 (Holm over every dealer test of the game); for fair "
        "dealers, the share of games with a false alarm on any of them.\n\n"
        "| dealers | draws | blind to direction | ball's direction, all pairs | as the page "
        "runs it (all pairs, each direction) | verdict, blind | verdict, direction-aware |\n"
        "|---|---|---|---|---|---|---|\n",
        games);
    for (const bool biased : {true, false}) {
        for (const int croupiers : {1, 4, 8}) {
            for (const int draws : {500, 2000}) {
                const Tally t = Run(draws, croupiers, biased, games);
                const auto pct = [games](int hits) { return 100.0 * hits / games; };
                std::printf("| %s, %d | %d | %.1f %% | %.1f %% | %.1f %% | %.1f %% | %.1f %% |\n",
                            biased ? "biased" : "fair", croupiers, draws, pct(t.blind),
                            pct(t.allPairs), pct(t.page), pct(t.verdictBlind), pct(t.verdictAware));
                std::fflush(stdout);
            }
        }
    }
}

}  // namespace
}  // namespace spinalyst

int main(int argc, char** argv) {
    const int games = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    spinalyst::Print(games);
    return 0;
}
