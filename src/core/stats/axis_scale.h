#pragma once

namespace spinalyst {

// A chart axis on round values: from `min` to `max` in steps of `step`, each tick a round
// number (1, 2 or 5 times a power of ten of the unit), with the decimals its labels need.
struct RoundScale {
    double min = 0;
    double max = 1;
    double step = 1;
    int decimals = 0;
    friend bool operator==(const RoundScale&, const RoundScale&) = default;
};

// The smallest round scale that covers low ... high in at most `maxIntervals` steps, no step
// finer than `unit` (1 for whole draws or spins, 0,01 for amounts). A range without width
// still gets one step.
RoundScale RoundAxisScale(double low, double high, double unit, int maxIntervals = 5);

}  // namespace spinalyst
