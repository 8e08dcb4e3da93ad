#include "core/stats/slot_stats.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace spinalyst {

void PrintTo(const SlotStats& s, std::ostream* os) {
    *os << "{hits " << s.hits << ", sinceLast " << s.sinceLast << ", maxGap " << s.maxGap
        << ", repeats " << s.repeats << "}";
}

namespace {

constexpr RouletteKind American = RouletteKind::American;
constexpr RouletteKind French = RouletteKind::French;
constexpr RouletteKind NoZero = RouletteKind::NoZero;

std::vector<std::uint8_t> Bytes(const std::vector<Pocket>& draws) {
    return {draws.begin(), draws.end()};
}

// The figures of the slot with the given command-line label.
SlotStats StatsOf(StatFamily family, RouletteKind kind, const std::vector<Pocket>& draws,
                  const std::string& label) {
    const std::vector<StatSlot> slots = FamilySlots(family, kind);
    const auto it = std::find_if(slots.begin(), slots.end(),
                                 [&](const StatSlot& s) { return s.cliLabel == label; });
    if (it == slots.end()) {
        ADD_FAILURE() << "no slot " << label;
        return {};
    }
    return ComputeFamilyStats(family, kind,
                              Bytes(draws))[static_cast<std::size_t>(it - slots.begin())];
}

// The counting as it reads literally: every wait grows at every draw, then each covering
// slot takes its hit.
std::vector<SlotStats> Reference(StatFamily family, RouletteKind kind,
                                 const std::vector<Pocket>& draws) {
    const std::vector<StatSlot> slots = FamilySlots(family, kind);
    auto covers = [&](std::size_t s, Pocket p) {
        return std::find(slots[s].pockets.begin(), slots[s].pockets.end(), p) !=
               slots[s].pockets.end();
    };
    std::vector<SlotStats> stats(slots.size());
    for (std::size_t j = 0; j < draws.size(); ++j) {
        for (SlotStats& s : stats) ++s.sinceLast;
        for (std::size_t s = 0; s < slots.size(); ++s) {
            if (!covers(s, draws[j])) continue;
            SlotStats& st = stats[s];
            ++st.hits;
            st.maxGap = std::max(st.maxGap, st.sinceLast);
            st.sinceLast = 0;
            if (j >= 1 && covers(s, draws[j - 1])) ++st.repeats;
        }
    }
    return stats;
}

TEST(StatFamily, NamesRoundTrip) {
    const char* names[] = {"simples", "dzscols", "sizains", "transversales",
                           "finales", "carres",  "chevaux", "pleins"};
    for (std::size_t i = 0; i < allStatFamilies.size(); ++i) {
        EXPECT_EQ(StatFamilyName(allStatFamilies[i]), names[i]);
        EXPECT_EQ(StatFamilyFromName(names[i]), allStatFamilies[i]);
    }
    EXPECT_FALSE(StatFamilyFromName("Simples"));
    EXPECT_FALSE(StatFamilyFromName(""));
}

TEST(FamilySlots, CountsAndLabels) {
    struct Case {
        StatFamily family;
        RouletteKind kind;
        int count;
        // grid, chart and command-line label of the first and the last slot
        const char *firstGrid, *firstChart, *firstCli, *lastGrid, *lastChart, *lastCli;
    } cases[] = {
        {StatFamily::Simples, French, 6, "", "Rouges", "red", "", "Passe", "high"},
        {StatFamily::DzsCols, French, 6, "", "Col. 1", "col1", "", "Douz. 3", "doz3"},
        {StatFamily::Sizains, NoZero, 11, "01-06", "01-06", "01-06", "31-36", "31-36", "31-36"},
        {StatFamily::Transversales, French, 12, "01-03", "Tr. 1", "01-03", "34-36", "Tr. 12",
         "34-36"},
        {StatFamily::Finales, American, 10, "0", "Fin. 0", "0", "9", "Fin. 9", "9"},
        {StatFamily::Carres, French, 23, "00-01-02-03", "0\r3", "00-01-02-03", "32-33-35-36",
         "32\r36", "32-33-35-36"},
        {StatFamily::Carres, American, 22, "01-02-04-05", "1\r5", "01-02-04-05", "32-33-35-36",
         "32\r36", "32-33-35-36"},
        {StatFamily::Carres, NoZero, 22, "01-02-04-05", "1\r5", "01-02-04-05", "32-33-35-36",
         "32\r36", "32-33-35-36"},
        {StatFamily::Chevaux, American, 60, "0-00", "0\r00", "0-00", "35-36", "35\r36", "35-36"},
        {StatFamily::Chevaux, French, 60, "0-01", "0\r01", "0-01", "35-36", "35\r36", "35-36"},
        {StatFamily::Chevaux, NoZero, 57, "01-02", "01\r02", "01-02", "35-36", "35\r36", "35-36"},
        {StatFamily::Pleins, American, 38, "0", "0", "0", "00", "00", "00"},
        {StatFamily::Pleins, French, 37, "0", "0", "0", "36", "36", "36"},
        {StatFamily::Pleins, NoZero, 36, "1", "1", "1", "36", "36", "36"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << StatFamilyName(c.family) << " " << KindName(c.kind));
        const std::vector<StatSlot> slots = FamilySlots(c.family, c.kind);
        ASSERT_EQ(static_cast<int>(slots.size()), c.count);
        EXPECT_EQ(SlotCount(c.family, c.kind), c.count);
        EXPECT_EQ(slots.front().gridLabel, c.firstGrid);
        EXPECT_EQ(slots.front().chartLabel, c.firstChart);
        EXPECT_EQ(slots.front().cliLabel, c.firstCli);
        EXPECT_EQ(slots.back().gridLabel, c.lastGrid);
        EXPECT_EQ(slots.back().chartLabel, c.lastChart);
        EXPECT_EQ(slots.back().cliLabel, c.lastCli);
    }
}

TEST(FamilySlots, LabelsInSlotOrder) {
    auto cliLabels = [](StatFamily family, RouletteKind kind, std::size_t n) {
        std::vector<std::string> labels;
        for (const StatSlot& s : FamilySlots(family, kind))
            if (labels.size() < n) labels.push_back(s.cliLabel);
        return labels;
    };
    using Labels = std::vector<std::string>;
    EXPECT_EQ(cliLabels(StatFamily::Simples, French, 6),
              (Labels{"red", "black", "even", "odd", "low", "high"}));
    EXPECT_EQ(cliLabels(StatFamily::DzsCols, French, 6),
              (Labels{"col1", "col2", "col3", "doz1", "doz2", "doz3"}));
    EXPECT_EQ(cliLabels(StatFamily::Chevaux, American, 4),
              (Labels{"0-00", "0-01", "00-03", "01-02"}));
    EXPECT_EQ(cliLabels(StatFamily::Sizains, French, 2), (Labels{"01-06", "04-09"}));

    std::vector<std::string> simplesChart;
    for (const StatSlot& s : FamilySlots(StatFamily::Simples, French))
        simplesChart.push_back(s.chartLabel);
    EXPECT_EQ(simplesChart, (Labels{"Rouges", "Noirs", "Pairs", "Impairs", "Manque", "Passe"}));
}

TEST(FamilySlots, ChartShowsDozensBeforeColumns) {
    const std::vector<StatSlot> slots = FamilySlots(StatFamily::DzsCols, French);
    std::vector<std::string> points;
    for (int s : ChartPointOrder(StatFamily::DzsCols, French))
        points.push_back(slots[static_cast<std::size_t>(s)].chartLabel);
    EXPECT_EQ(points, (std::vector<std::string>{"Douz. 1", "Douz. 2", "Douz. 3", "Col. 1", "Col. 2",
                                                "Col. 3"}));
    EXPECT_EQ(ChartPointOrder(StatFamily::Chevaux, NoZero).size(), 57u);
    EXPECT_EQ(ChartPointOrder(StatFamily::Chevaux, NoZero)[56], 56);
}

TEST(FamilySlots, CoveredPockets) {
    struct Case {
        StatFamily family;
        RouletteKind kind;
        std::size_t slot;
        std::vector<Pocket> pockets;
    } cases[] = {
        {StatFamily::Finales, American, 0, {0, 10, 20, 30, DoubleZero}},
        {StatFamily::Finales, French, 0, {0, 10, 20, 30}},
        {StatFamily::Finales, NoZero, 0, {10, 20, 30}},
        {StatFamily::Finales, French, 6, {6, 16, 26, 36}},
        {StatFamily::Simples,
         American,
         3,
         {1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31, 33, 35}},
        {StatFamily::Simples,
         American,
         4,
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}},
        {StatFamily::DzsCols, French, 0, {1, 4, 7, 10, 13, 16, 19, 22, 25, 28, 31, 34}},
        {StatFamily::DzsCols, French, 4, {13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24}},
        {StatFamily::Sizains, French, 1, {4, 5, 6, 7, 8, 9}},
        {StatFamily::Transversales, French, 11, {34, 35, 36}},
        {StatFamily::Carres, French, 0, {0, 1, 2, 3}},
        {StatFamily::Chevaux, American, 2, {3, DoubleZero}},
        {StatFamily::Pleins, American, 37, {DoubleZero}},
        {StatFamily::Pleins, NoZero, 0, {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << StatFamilyName(c.family) << " " << KindName(c.kind) << " slot " << c.slot);
        EXPECT_EQ(FamilySlots(c.family, c.kind)[c.slot].pockets, c.pockets);
    }
    // The green pockets stay out of the even chances, columns, dozens and line bets.
    for (StatFamily family :
         {StatFamily::Simples, StatFamily::DzsCols, StatFamily::Sizains, StatFamily::Transversales})
        for (const StatSlot& s : FamilySlots(family, American))
            EXPECT_TRUE(s.pockets.front() >= 1 && s.pockets.back() <= 36) << s.cliLabel;
}

TEST(SlotStats, CountsEdgeCases) {
    struct Case {
        const char* what;
        StatFamily family;
        RouletteKind kind;
        std::vector<Pocket> draws;
        const char* slot;
        SlotStats expected;
    } cases[] = {
        {"repeated straight", StatFamily::Pleins, French, {17, 17, 5, 17}, "17", {3, 0, 2, 1}},
        {"single hit", StatFamily::Pleins, French, {17, 17, 5, 17}, "5", {1, 1, 3, 0}},
        {"never hit", StatFamily::Pleins, French, {17, 17, 5, 17}, "0", {0, 4, 0, 0}},
        {"first hit at draw 4", StatFamily::Pleins, French, {1, 2, 3, 9}, "9", {1, 0, 4, 0}},
        {"misses after the last hit",
         StatFamily::Pleins,
         NoZero,
         {7, 1, 2, 3, 4},
         "7",
         {1, 4, 1, 0}},
        {"00 is its own straight",
         StatFamily::Pleins,
         American,
         {DoubleZero, 0},
         "00",
         {1, 1, 1, 0}},
        {"zeros hit no red", StatFamily::Simples, French, {0, 0}, "red", {0, 2, 0, 0}},
        {"zeros hit no high", StatFamily::Simples, American, {0, DoubleZero}, "high", {0, 2, 0, 0}},
        {"1, 3 red", StatFamily::Simples, French, {1, 3}, "red", {2, 0, 1, 1}},
        {"1, 3 odd", StatFamily::Simples, French, {1, 3}, "odd", {2, 0, 1, 1}},
        {"1, 3 low", StatFamily::Simples, French, {1, 3}, "low", {2, 0, 1, 1}},
        {"1, 3 black", StatFamily::Simples, French, {1, 3}, "black", {0, 2, 0, 0}},
        {"1, 3 even", StatFamily::Simples, French, {1, 3}, "even", {0, 2, 0, 0}},
        {"1, 3 high", StatFamily::Simples, French, {1, 3}, "high", {0, 2, 0, 0}},
        {"5 in the first six-line", StatFamily::Sizains, French, {5}, "01-06", {1, 0, 1, 0}},
        {"5 in the second six-line", StatFamily::Sizains, French, {5}, "04-09", {1, 0, 1, 0}},
        {"5, 8 first six-line", StatFamily::Sizains, French, {5, 8}, "01-06", {1, 1, 1, 0}},
        {"5, 8 second six-line", StatFamily::Sizains, French, {5, 8}, "04-09", {2, 0, 1, 1}},
        {"5, 8 third six-line", StatFamily::Sizains, French, {5, 8}, "07-12", {1, 0, 2, 0}},
        {"00 then 10", StatFamily::Finales, American, {DoubleZero, 10}, "0", {2, 0, 1, 1}},
        {"0 in no street", StatFamily::Transversales, French, {0, 0, 0}, "01-03", {0, 3, 0, 0}},
        {"13, 14 second dozen", StatFamily::DzsCols, French, {13, 14}, "doz2", {2, 0, 1, 1}},
        {"13, 14 first column", StatFamily::DzsCols, French, {13, 14}, "col1", {1, 1, 1, 0}},
        {"0, 5 zero corner", StatFamily::Carres, French, {0, 5}, "00-01-02-03", {1, 1, 1, 0}},
        {"0, 5 corner 4-8", StatFamily::Carres, French, {0, 5}, "04-05-07-08", {1, 0, 2, 0}},
        {"0, 00 split", StatFamily::Chevaux, American, {0, DoubleZero}, "0-00", {2, 0, 1, 1}},
        {"0, 00 split 00-03",
         StatFamily::Chevaux,
         American,
         {0, DoubleZero},
         "00-03",
         {1, 0, 2, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(StatsOf(c.family, c.kind, c.draws, c.slot), c.expected);
    }
}

TEST(SlotStats, NoDrawsGivesZerosEverywhere) {
    for (StatFamily family : allStatFamilies) {
        for (RouletteKind kind : allKinds) {
            const auto stats = ComputeFamilyStats(family, kind, std::span<const std::uint8_t>());
            ASSERT_EQ(static_cast<int>(stats.size()), SlotCount(family, kind));
            for (const SlotStats& s : stats) EXPECT_EQ(s, SlotStats{});
            EXPECT_EQ(HitsAxisRange(stats), (HitsRange{0, 0}));
        }
    }
}

TEST(SlotStats, OnePassMatchesLiteralCounting) {
    std::mt19937 rng(20240611);
    for (RouletteKind kind : allKinds) {
        std::uniform_int_distribution<Pocket> any(firstPocket(kind), lastPocket(kind));
        // A few neighbouring pockets, so that repeats and shared slots are frequent.
        std::uniform_int_distribution<Pocket> few(std::max(firstPocket(kind), 0), 5);
        for (std::size_t length : {1u, 2u, 3u, 40u, 500u}) {
            for (bool narrow : {false, true}) {
                std::vector<Pocket> draws(length);
                for (Pocket& p : draws) p = narrow ? few(rng) : any(rng);
                if (kind == American && narrow) draws.back() = DoubleZero;
                for (StatFamily family : allStatFamilies) {
                    SCOPED_TRACE(testing::Message()
                                 << StatFamilyName(family) << " " << KindName(kind) << " " << length
                                 << (narrow ? " narrow" : ""));
                    const auto expected = Reference(family, kind, draws);
                    EXPECT_EQ(ComputeFamilyStats(family, kind, Bytes(draws)), expected);
                }
            }
        }
    }
}

TEST(SlotStats, ValueOfNoPocketOfTheKindCoversNothing) {
    // 37 on a French wheel, 0 on the no-zero wheel and damaged bytes lengthen every wait only.
    const std::vector<std::uint8_t> french = {5, 37, 200, 5};
    const auto stats = ComputeFamilyStats(StatFamily::Pleins, French, french);
    EXPECT_EQ(stats[5], (SlotStats{2, 0, 3, 0}));
    EXPECT_EQ(stats[0], (SlotStats{0, 4, 0, 0}));
    EXPECT_EQ(ComputeFamilyStats(StatFamily::Finales, French, french)[0], (SlotStats{0, 4, 0, 0}));

    const std::vector<std::uint8_t> noZero = {0, 255, 38, 1};
    EXPECT_EQ(ComputeFamilyStats(StatFamily::Pleins, NoZero, noZero)[0], (SlotStats{1, 0, 4, 0}));
    EXPECT_EQ(ComputeFamilyStats(StatFamily::Finales, NoZero, noZero)[0], (SlotStats{0, 4, 0, 0}));
}

TEST(PocketStats, IndexedByPocket) {
    const std::vector<Pocket> draws = {DoubleZero, 17, 17, 0};
    const PocketStatsTable american = ComputePocketStats(American, Bytes(draws));
    EXPECT_EQ(american[DoubleZero], (SlotStats{1, 3, 1, 0}));
    EXPECT_EQ(american[17], (SlotStats{2, 1, 2, 1}));
    EXPECT_EQ(american[0], (SlotStats{1, 0, 4, 0}));
    EXPECT_EQ(KindEntries(american, American).size(), 38u);

    const std::vector<Pocket> numbers = {1, 36, 36};
    const PocketStatsTable noZero = ComputePocketStats(NoZero, Bytes(numbers));
    EXPECT_EQ(noZero[0], SlotStats{});  // no such pocket on this wheel
    EXPECT_EQ(noZero[1], (SlotStats{1, 2, 1, 0}));
    EXPECT_EQ(noZero[36], (SlotStats{2, 0, 2, 1}));
    const auto entries = KindEntries(noZero, NoZero);
    ASSERT_EQ(entries.size(), 36u);
    EXPECT_EQ(entries.front(), noZero[1]);
    EXPECT_EQ(entries.back(), noZero[36]);
    EXPECT_EQ(HitsAxisRange(entries), (HitsRange{0, 2}));
}

TEST(HitsAxisRange, SpansSmallestToLargest) {
    const std::vector<SlotStats> slots = {{3, 0, 0, 0}, {1, 0, 0, 0}, {2, 0, 0, 0}};
    EXPECT_EQ(HitsAxisRange(slots), (HitsRange{1, 3}));
    EXPECT_EQ(HitsAxisRange({}), (HitsRange{0, 0}));
    const std::vector<Pocket> draws = {1, 3};
    EXPECT_EQ(HitsAxisRange(ComputeFamilyStats(StatFamily::Simples, French, Bytes(draws))),
              (HitsRange{0, 2}));
}

TEST(AxisScale, ChartAxesKeepTheirBarsVisibleAndTheirLabelsFew) {
    const std::vector<SlotStats> spread = {{3, 7, 9, 0}, {1, 0, 2, 0}, {2, 40, 41, 0}};
    EXPECT_EQ(HitsAxisScale(spread), (AxisScale{1, 3, 1}));
    EXPECT_EQ(WaitsAxisScale(spread), (AxisScale{0, 43, 10}));
    // Equal hits everywhere would leave no axis: the bars rise from 0.
    EXPECT_EQ(HitsAxisScale(std::vector<SlotStats>(3, SlotStats{5, 0, 0, 0})),
              (AxisScale{0, 5, 2}));
    EXPECT_EQ(HitsAxisScale({}), (AxisScale{0, 1, 1}));
    struct Case {
        std::int64_t span, step;
    } cases[] = {{0, 1}, {4, 1}, {5, 2}, {10, 5}, {21, 5}, {99, 20}, {1'000'000, 500'000}};
    for (const Case& c : cases) EXPECT_EQ(TickStep(c.span), c.step) << c.span;

    // Sixty split labels of 16 pixels need 1200 pixels: on 650, every second shows.
    EXPECT_EQ(AxisLabelStride(60, 650, 16), 2);
    EXPECT_EQ(AxisLabelStride(60, 1300, 16), 1);
    EXPECT_EQ(AxisLabelStride(37, 100, 16), 8);
    EXPECT_EQ(AxisLabelStride(6, 0, 40), 1);  // not laid out yet
}

}  // namespace
}  // namespace spinalyst
