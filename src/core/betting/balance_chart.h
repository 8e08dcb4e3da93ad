#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "core/betting/bet_history.h"
#include "core/model/roulette.h"

namespace spinalyst {

// A point of the balance line: the balance after `settled` settled draws (0: before the first).
struct BalancePoint {
    std::size_t settled = 0;
    Cents balance = 0;
    friend bool operator==(BalancePoint, BalancePoint) = default;
};

// The balance line of a history drawn `columns` pixels wide. It starts at 0 before the first
// settled draw; while the draws fit, every draw is a point. Beyond that each column holds the
// lowest and highest balance of its draws, in the order the line runs through the column
// (down first when it ends lower than it starts), so that millions of draws cost a few
// points per column and the line keeps every peak.
std::vector<BalancePoint> BalanceChartPoints(const BetHistory& history, int columns);

// The value axis of the balance chart, in Cents: it holds 0 and every point, from one round
// step (1, 2 or 5 times a power of ten, at least one unit) to the next, with at most five
// intervals.
struct BalanceAxis {
    Cents min = 0;
    Cents max = 100;
    Cents step = 100;
    friend bool operator==(BalanceAxis, BalanceAxis) = default;
};
BalanceAxis BalanceAxisScale(std::span<const BalancePoint> points);

}  // namespace spinalyst
