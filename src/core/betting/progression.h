#pragma once

#include <span>
#include <vector>

#include "core/betting/plan.h"

namespace spinalyst {

// A spin is won when it pays back more than it cost, lost when less; a push (as much) changes
// nothing.
enum class SpinOutcome { Lost, Push, Won };

// Where a progression stands: the units of the next spin and what they follow from (the
// Fibonacci step, the sequence's place, Paroli's wins in a row, Labouchère's line). It reads
// its settings from the plan it was made for, which must outlive it.
class ProgressionState {
public:
    explicit ProgressionState(const ProgressionSettings& settings);

    Units units() const { return units_; }
    // The Fibonacci step, the sequence's index or Paroli's wins in a row; 0 otherwise.
    int step() const { return step_; }
    std::span<const Units> line() const { return std::span<const Units>(line_).subspan(head_); }

    // Back to the start: one unit, step 0, the starting line.
    void Restart();
    void Advance(SpinOutcome outcome);
    // The table maximum holds the next spin to `limit` units; the state behind them stays.
    void Cap(Units limit) { units_ = limit; }

    friend bool operator==(const ProgressionState& a, const ProgressionState& b);

private:
    void LabouchereUnits();

    const ProgressionSettings* settings_;
    Units units_ = 1;
    int step_ = 0;
    std::vector<Units> line_;
    std::size_t head_ = 0;
};

}  // namespace spinalyst
