#include "core/betting/balance_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/draws/random_source.h"

namespace spinalyst {
namespace {

BetHistory HistoryOf(const std::vector<Cents>& balances) {
    BetList list;
    list.bets.push_back({{BetKind::Plein, 1}, 100});
    BetHistory history;
    history.StartBetList(list, 1);
    int draw = 0;
    for (Cents b : balances) history.Append(++draw, 1, b);
    return history;
}

std::vector<Cents> RandomWalk(std::size_t n) {
    RandomSource rng(7);
    std::vector<Cents> balances;
    Cents b = 0;
    for (std::size_t i = 0; i < n; ++i) {
        b += rng.Next(RouletteKind::French) == 17 ? 3500 : -100;
        balances.push_back(b);
    }
    return balances;
}

BetHistory::BalanceRange Brute(const std::vector<Cents>& b, std::size_t first, std::size_t end) {
    const auto [low, high] = std::minmax_element(b.begin() + first, b.begin() + end);
    return {*low, *high};
}

TEST(BalanceChart, RangesMatchEveryRecordAcrossChunksAndAfterUndo) {
    std::vector<Cents> balances = RandomWalk(1000);
    BetHistory history = HistoryOf(balances);
    const std::pair<std::size_t, std::size_t> spans[] = {
        {0, 1},   {0, 64},  {0, 65},   {0, 129},    {0, 1000},
        {63, 65}, {5, 700}, {64, 128}, {999, 1000}, {100, 101}};
    for (const auto& [first, end] : spans)
        EXPECT_EQ(history.balanceRange(first, end), Brute(balances, first, end))
            << first << ".." << end;
    // Undone records leave the summaries; their replacements count instead.
    for (int k = 0; k < 300; ++k) {
        history.RemoveDraw(static_cast<int>(balances.size()));
        balances.pop_back();
    }
    for (Cents b : {900'000, -900'000}) {
        balances.push_back(b);
        history.Append(static_cast<int>(balances.size()), 1, b);
    }
    EXPECT_EQ(history.balanceRange(0, balances.size()), Brute(balances, 0, balances.size()));
    EXPECT_EQ(history.balanceRange(640, 702), Brute(balances, 640, 702));
}

TEST(BalanceChart, EveryDrawIsAPointWhileTheyFit) {
    const BetHistory history = HistoryOf({-100, 3400, 3300});
    EXPECT_EQ(BalanceChartPoints(history, 3),
              (std::vector<BalancePoint>{{0, 0}, {1, -100}, {2, 3400}, {3, 3300}}));
    EXPECT_EQ(BalanceChartPoints(BetHistory(), 100), (std::vector<BalancePoint>{{0, 0}}));
}

TEST(BalanceChart, EachColumnKeepsItsLowestAndHighestBalance) {
    const std::vector<Cents> balances = RandomWalk(100'000);
    const BetHistory history = HistoryOf(balances);
    for (int columns : {7, 640}) {
        SCOPED_TRACE(columns);
        const auto points = BalanceChartPoints(history, columns);
        ASSERT_EQ(points.size(), 2u * columns + 1);
        EXPECT_EQ(points.front(), (BalancePoint{0, 0}));
        EXPECT_EQ(points.back().settled, balances.size());
        for (int c = 0; c < columns; ++c) {
            const BalancePoint& a = points[2 * c + 1];
            const BalancePoint& b = points[2 * c + 2];
            // Columns follow one another without gaps or overlaps.
            EXPECT_EQ(a.settled, points[2 * c].settled + 1);
            const auto range = Brute(balances, a.settled - 1, b.settled);
            EXPECT_EQ(std::min(a.balance, b.balance), range.low);
            EXPECT_EQ(std::max(a.balance, b.balance), range.high);
            // The line runs through the column the way the balance went.
            const bool falling = balances[b.settled - 1] < balances[a.settled - 1];
            EXPECT_EQ(a.balance > b.balance, falling && range.low != range.high) << c;
        }
    }
}

TEST(BalanceChart, AxisHoldsZeroAndEveryPointOnRoundSteps) {
    struct Case {
        std::vector<Cents> balances;
        BalanceAxis axis;
    } cases[] = {
        {{}, {0, 100, 100}},
        {{0, 0}, {0, 100, 100}},
        {{-300, 250}, {-400, 400, 200}},
        {{3500, 10}, {0, 4000, 1000}},
        {{-100, -250}, {-300, 0, 100}},
        // Rounding out both ends would need six intervals of 5,00: the step grows.
        {{-450, 2050}, {-1000, 3000, 1000}},
    };
    for (const Case& c : cases) {
        std::vector<BalancePoint> points{{0, 0}};
        for (Cents b : c.balances) points.push_back({points.size(), b});
        EXPECT_EQ(BalanceAxisScale(points), c.axis) << c.balances.size();
    }
}

TEST(History, RowsBeforeARecordCountTheBetRowsOfEachList) {
    BetList two;
    two.bets = {{{BetKind::Plein, 1}, 100}, {{BetKind::Plein, 2}, 100}};
    BetList one;
    one.bets = {{{BetKind::Plein, 3}, 100}};
    BetHistory history;
    history.StartBetList(two, 1);
    history.Append(1, 5, 0);
    history.Append(2, 5, 0);
    history.StartBetList(one, 2);
    history.Append(4, 5, 0);
    EXPECT_EQ(history.rowsBefore(0), 0u);
    EXPECT_EQ(history.rowsBefore(1), 3u);
    EXPECT_EQ(history.rowsBefore(2), 6u);
    EXPECT_EQ(history.rowsBefore(3), history.rowCount(true));
    EXPECT_EQ(history.rowCount(true), 8u);
}

}  // namespace
}  // namespace spinalyst
