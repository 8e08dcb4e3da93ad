#include "core/betting/balance_chart.h"

#include <algorithm>

namespace spinalyst {

std::vector<BalancePoint> BalanceChartPoints(const BetHistory& history, int columns) {
    const std::size_t n = history.size();
    std::vector<BalancePoint> points{{0, 0}};
    if (n == 0) return points;
    const std::size_t width = static_cast<std::size_t>(std::max(columns, 1));
    if (n <= width) {
        points.reserve(n + 1);
        for (std::size_t r = 0; r < n; ++r) points.push_back({r + 1, history.balance(r)});
        return points;
    }
    points.reserve(2 * width + 1);
    for (std::size_t c = 0; c < width; ++c) {
        // n > width, so every column holds at least one record.
        const std::size_t first = c * n / width;
        const std::size_t end = (c + 1) * n / width;
        const auto range = history.balanceRange(first, end);
        const bool falling = history.balance(end - 1) < history.balance(first);
        points.push_back({first + 1, falling ? range.high : range.low});
        points.push_back({end, falling ? range.low : range.high});
    }
    return points;
}

namespace {

// The smallest round step (1, 2, 5 times a power of ten Cents, at least 100) that covers
// `span` in at most `intervals` steps.
Cents RoundStep(Cents span, Cents intervals) {
    Cents power = 100;
    for (;;) {
        for (Cents factor : {1, 2, 5})
            if (span <= factor * power * intervals) return factor * power;
        power *= 10;
    }
}

Cents FloorTo(Cents value, Cents step) {
    const Cents q = value / step;
    return (q * step > value ? q - 1 : q) * step;
}

}  // namespace

BalanceAxis BalanceAxisScale(std::span<const BalancePoint> points) {
    Cents low = 0;
    Cents high = 0;
    for (const BalancePoint& p : points) {
        low = std::min(low, p.balance);
        high = std::max(high, p.balance);
    }
    constexpr Cents maxIntervals = 5;
    // Rounding both ends outwards can add an interval; a larger step then fits.
    for (Cents step = RoundStep(high - low, maxIntervals);; step = RoundStep(step + 1, 1)) {
        const Cents min = FloorTo(low, step);
        Cents max = -FloorTo(-high, step);
        if (max == min) max = min + step;
        if ((max - min) / step <= maxIntervals) return {min, max, step};
    }
}

}  // namespace spinalyst
