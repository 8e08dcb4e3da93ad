#include "core/stats/axis_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace spinalyst {

namespace {
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return q * b > a ? q - 1 : q;
}
}  // namespace

RoundScale RoundAxisScale(double low, double high, double unit, int maxIntervals) {
    if (!(unit > 0)) unit = 1;
    maxIntervals = std::max(maxIntervals, 1);
    if (!std::isfinite(low) || !std::isfinite(high)) low = high = 0;
    if (high < low) std::swap(low, high);
    // In whole units, so that the ticks land exactly on them; a hair of slack keeps values
    // that are whole units in floating point (2,0000000001) from taking another step.
    constexpr double slack = 1e-9;
    const auto lowUnits = static_cast<std::int64_t>(std::floor(low / unit + slack));
    auto highUnits = static_cast<std::int64_t>(std::ceil(high / unit - slack));
    if (highUnits <= lowUnits) highUnits = lowUnits + 1;
    for (std::int64_t power = 1;; power *= 10) {
        for (const std::int64_t factor : {1, 2, 5}) {
            const std::int64_t step = factor * power;
            const std::int64_t first = FloorDiv(lowUnits, step);
            const std::int64_t last = -FloorDiv(-highUnits, step);
            if (last - first > maxIntervals) continue;
            RoundScale scale;
            scale.min = static_cast<double>(first * step) * unit;
            scale.max = static_cast<double>(last * step) * unit;
            scale.step = static_cast<double>(step) * unit;
            scale.decimals =
                std::max(0, static_cast<int>(std::ceil(-std::log10(scale.step) - slack)));
            return scale;
        }
    }
}

}  // namespace spinalyst
