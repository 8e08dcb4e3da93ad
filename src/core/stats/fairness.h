#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <span>
#include <stop_token>
#include <vector>

#include "core/model/roulette.h"
#include "core/stats/analysis_window.h"

namespace spinalyst {

// Tests of whether the analysed draws look like a fair wheel and fair croupiers. Every figure
// is a pure function of the analysed draws (oldest first) and, for the dealer test, the
// croupier who spun each of them; only the sector scan needs a simulation, which runs apart
// (SimulateSectorNull) because it takes long enough to want a worker thread.

// A finding counts when its adjusted p-value is below this.
inline constexpr double fairnessLevel = 0.05;
// A croupier is tested once they spun both draws of this many pairs of consecutive analysed
// draws.
inline constexpr int minDealerPairs = 50;
// The least hits every box of an outside family (the green one included) must be expected to
// have for its test to run.
inline constexpr double minFamilyExpected = 1.0;
// The arcs of adjacent pockets scanned for a hot sector.
inline constexpr int shortestArc = 3;
inline constexpr int longestArc = 18;
inline constexpr int arcLengthCount = longestArc - shortestArc + 1;
inline constexpr int defaultSimulations = 10'000;
inline constexpr std::uint64_t defaultScanSeed = 1;

// The draws to test, pockets of the kind, oldest first, and who spun them: stints whose draws
// add up to the draws (SelectAnalysedStints gives them). Without stints no croupier is known.
// The direction of each draw's spin (SelectAnalysedDirections), when any is known, turns the
// dealer test to the direction of the ball.
struct FairnessInput {
    RouletteKind kind = defaultKind;
    std::span<const std::uint8_t> draws;
    std::span<const CroupierStint> stints;
    std::span<const SpinDirection> directions = {};
};

// A chi-square goodness-of-fit test.
struct ChiSquareTest {
    double statistic = 0;
    int df = 0;
    double p = 1;
    double pAdjusted = 1;
};

// One pocket against its share of a fair wheel; p is the exact two-sided binomial p-value,
// pAdjusted that p by Holm's method over the kind's pockets. The excess test asks only whether
// the pocket comes too often, as a player hunting a favoured pocket does: excessP is the exact
// one-sided P(X >= hits), excessPAdjusted that p by Holm over the pockets.
struct PocketFigure {
    Pocket pocket = 0;
    int hits = 0;
    double expected = 0;
    double z = 0;
    double p = 1;
    double pAdjusted = 1;
    double excessP = 1;
    double excessPAdjusted = 1;
};

// The families of outside bets, each with the green pockets as a cell of their own.
enum class OutsideFamily { Dozens, Columns, RedBlack, EvenOdd, LowHigh };
inline constexpr std::array<OutsideFamily, 5> allOutsideFamilies = {
    OutsideFamily::Dozens, OutsideFamily::Columns, OutsideFamily::RedBlack, OutsideFamily::EvenOdd,
    OutsideFamily::LowHigh};

// The cells of a family: its boxes in table order (first, second, third dozen; red, black;
// even, odd; low, high), then the green pockets when the kind has them.
struct FamilyTest {
    OutsideFamily family = OutsideFamily::Dozens;
    std::vector<int> hits;
    std::vector<double> expected;
    // pAdjusted by Holm over the five families.
    ChiSquareTest test;
};

// An arc of `length` adjacent pockets starting at index `start` of WheelOrder(kind), going
// clockwise.
struct SectorArc {
    int length = 0;
    int start = 0;
    int hits = 0;
    double expected = 0;
};
std::vector<Pocket> ArcPockets(RouletteKind kind, const SectorArc& arc);

// The hottest arc of one length. The p-values come from the simulation and stay empty until
// it is applied; p is the share of fair games whose hottest arc of this length is at least as
// hot, pAdjusted that p by Holm over the arc lengths.
struct SectorTest {
    SectorArc arc;
    std::optional<double> p;
    std::optional<double> standardError;
    std::optional<double> pAdjusted;
};

// The arc with the smallest p over every length, and the p-value of that minimum, taken the
// same way over the simulated games (so it is corrected for the lengths scanned). Like every
// sector p it is one-sided: only arcs hotter than the fair games' count as extreme.
struct SectorBest {
    int lengthIndex = 0;  // into FairnessReport::sectors
    double p = 1;
    double standardError = 0;
};

// The wheel distances between consecutive analysed draws that the croupier spun both of, against
// the uniform spread a fair spin gives: a croupier who releases the ball the same way each time
// favours some distances from the last number. A distance is counted in the direction of the
// ball: the wheel order's way for a clockwise spin and one of unknown direction, the other way
// round (N - d) for an anticlockwise one, so that a signature shows whichever way the dealer
// spun. `direction` Unknown: every pair of the croupier; Clockwise or Anticlockwise: only the
// pairs whose later draw was spun that way, tested apart when the croupier spun both ways.
// pAdjusted by Holm over every dealer test.
struct DealerTest {
    std::int32_t croupier = 0;
    SpinDirection direction = SpinDirection::Unknown;
    int pairs = 0;
    // Pairs by distance 0 ... pocketCount - 1.
    std::vector<int> distances;
    ChiSquareTest test;
};

enum class EvenChance { RedBlack, EvenOdd, LowHigh };
inline constexpr std::array<EvenChance, 3> allEvenChances = {
    EvenChance::RedBlack, EvenChance::EvenOdd, EvenChance::LowHigh};

// The outside family an even chance is tested as.
constexpr OutsideFamily FamilyOf(EvenChance chance) {
    switch (chance) {
        case EvenChance::RedBlack:
            return OutsideFamily::RedBlack;
        case EvenChance::EvenOdd:
            return OutsideFamily::EvenOdd;
        case EvenChance::LowHigh:
            return OutsideFamily::LowHigh;
    }
    return OutsideFamily::RedBlack;
}

// The Wald-Wolfowitz runs test over the even chance, green draws left out. `first` counts the
// first box (red, even, low), `second` the other. pAdjusted by Holm over the three chances.
struct RunsTest {
    EvenChance chance = EvenChance::RedBlack;
    int first = 0;
    int second = 0;
    int runs = 0;
    double expectedRuns = 0;
    double z = 0;
    double p = 1;
    double pAdjusted = 1;
};

// Lag-1 correlation of the wheel positions of consecutive draws, with the two-sided p-value of
// its large-sample normal law (mean -1/n, variance 1/n).
struct SerialTest {
    double correlation = 0;
    double z = 0;
    double p = 1;
};

// Every test over one list of analysed draws. A test the draws cannot support is left out:
// without draws there is none; the runs test of a chance needs both of its boxes; the serial
// test needs three draws that are not all in one place.
struct FairnessReport {
    RouletteKind kind = defaultKind;
    int drawCount = 0;
    std::optional<ChiSquareTest> pockets;
    std::vector<PocketFigure> pocketFigures;  // firstPocket ... lastPocket
    std::vector<FamilyTest> families;
    std::vector<SectorTest> sectors;  // lengths shortestArc ... longestArc
    std::optional<SectorBest> bestSector;
    std::vector<DealerTest> dealers;  // by croupier number
    std::vector<RunsTest> runs;
    std::optional<SerialTest> serial;
};

// Every test but the sector p-values. Draws that are no pocket of the kind are left out, with
// their place in the stints. Stints that do not add up to the draws are ignored.
FairnessReport ComputeFairness(const FairnessInput& input);
// The same for the draws an analysis selected from the log (window unset for an empty log):
// their croupiers' stints are taken from the log, as the page and the command line both need.
FairnessReport FairnessOfAnalysed(const DrawLog& log, RouletteKind kind,
                                  const std::optional<AnalysisWindow>& window,
                                  std::span<const std::uint8_t> analysed,
                                  std::span<const SpinDirection> directions);

// The hottest arc of every length over fair games of one kind and length. It depends on
// nothing else, so one simulation serves every list of that many draws.
class SectorNull {
public:
    RouletteKind kind() const { return kind_; }
    int drawCount() const { return drawCount_; }
    int simulations() const { return simulations_; }

    // The share, counted as (1 + games at least as extreme) / (1 + simulations), so that it
    // is never 0, of fair games whose hottest arc of the length is at least `hits`.
    double LengthP(int lengthIndex, int hits) const;
    // The same share for the smallest per-length p-value: the p of the best arc. Takes the
    // hottest-arc hits of every length, shortest first.
    double BestP(std::span<const int> hottestHits) const;

private:
    friend std::optional<SectorNull> SimulateSectorNull(RouletteKind, int, int, std::uint64_t,
                                                        std::stop_token, std::atomic<int>*,
                                                        unsigned);
    // Games whose hottest arc of the length has at least `hits`.
    int AtLeast(int lengthIndex, int hits) const;

    RouletteKind kind_ = defaultKind;
    int drawCount_ = 0;
    int simulations_ = 0;
    // Per length, the simulated hottest-arc hits in ascending order.
    std::array<std::vector<std::int32_t>, arcLengthCount> sortedHottest_;
    // Per game and length: its hottest-arc hits, and the games at least as hot (itself too).
    std::vector<std::int32_t> hottest_;
    std::vector<std::int32_t> atLeastOwn_;
};

// Simulates `simulations` fair games of `drawCount` draws from `seed`, on `threads` threads
// (0: every core). The figures do not depend on the number of threads. `done`, when given,
// counts the games simulated so far; a stop request makes it return nullopt soon after.
std::optional<SectorNull> SimulateSectorNull(RouletteKind kind, int drawCount, int simulations,
                                             std::uint64_t seed, std::stop_token stop = {},
                                             std::atomic<int>* done = nullptr,
                                             unsigned threads = 0);

// Fills the sector p-values and the best arc. A simulation of another kind or length leaves
// the report as it was and returns false.
bool ApplySectorNull(FairnessReport& report, const SectorNull& null);

// What the tests found, most significant first, for the page and the command line to word.
enum class FindingKind { PocketSpread, SinglePocket, Family, Sector, Dealer, Runs, Serial };
inline constexpr int findingKindCount = 7;
struct Finding {
    FindingKind kind = FindingKind::PocketSpread;
    // The pocket (SinglePocket), the OutsideFamily (Family), the croupier number (Dealer), the
    // EvenChance (Runs); 0 otherwise.
    int subject = 0;
    // Family: the cell furthest from its share, as FamilyTest counts its cells. Dealer: the
    // distance that came most often.
    int cell = 0;
    // Sector: the hot arc.
    SectorArc arc;
    // Dealer: the spins of the test (DealerTest::direction).
    SpinDirection direction = SpinDirection::Unknown;
    // More than chance explains: hits above expectation, more runs than expected (too much
    // alternation), positive correlation.
    bool more = false;
    // The figure of the test's table.
    double pAdjusted = 1;
    // Corrected again over the seven kinds of test (pockets overall, single pockets, families,
    // sectors, dealers, runs, serial correlation), so that the verdict as a whole raises a
    // false alarm on at most one fair wheel in twenty.
    double pOverall = 1;
};
struct FairnessVerdict {
    int drawCount = 0;
    // Findings with pAdjusted below fairnessLevel, smallest pOverall first.
    std::vector<Finding> findings;
    // Whether any finding stands after the overall correction.
    bool evidence = false;
    // The sector scan has not run yet.
    bool sectorsPending = false;
};
FairnessVerdict Verdict(const FairnessReport& report);

}  // namespace spinalyst
