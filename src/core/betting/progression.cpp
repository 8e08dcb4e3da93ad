#include "core/betting/progression.h"

#include <algorithm>
#include <array>

namespace spinalyst {

namespace {

// Fibonacci's numbers 1, 1, 2, 3, 5 ... as far as 64 bits hold them. A step past the table's
// limit is held there by the money rules, so the last ones are never reached in play.
constexpr int lastFibonacciStep = 90;
constexpr std::array<Units, lastFibonacciStep + 1> fibonacci = [] {
    std::array<Units, lastFibonacciStep + 1> f{};
    f[0] = 1;
    f[1] = 1;
    for (int i = 2; i <= lastFibonacciStep; ++i) f[i] = f[i - 1] + f[i - 2];
    return f;
}();

}  // namespace

ProgressionState::ProgressionState(const ProgressionSettings& settings) : settings_(&settings) {
    Restart();
}

void ProgressionState::Restart() {
    units_ = 1;
    step_ = 0;
    line_.clear();
    head_ = 0;
    switch (settings_->kind) {
        case Progression::Labouchere:
            line_ = settings_->line;
            LabouchereUnits();
            break;
        case Progression::Sequence:
            units_ = settings_->sequence.front();
            break;
        default:
            break;
    }
}

void ProgressionState::LabouchereUnits() {
    const auto live = line();
    units_ = live.size() == 1 ? live.front() : live.front() + live.back();
}

void ProgressionState::Advance(SpinOutcome outcome) {
    if (outcome == SpinOutcome::Push) return;
    const bool won = outcome == SpinOutcome::Won;
    switch (settings_->kind) {
        case Progression::Flat:
            break;
        case Progression::Martingale:
            units_ = won ? 1 : 2 * units_;
            break;
        case Progression::GrandMartingale:
            units_ = won ? 1 : 2 * units_ + 1;
            break;
        case Progression::Dalembert:
            units_ = won ? std::max<Units>(1, units_ - 1) : units_ + 1;
            break;
        case Progression::Fibonacci:
            step_ = won ? std::max(0, step_ - 2) : std::min(step_ + 1, lastFibonacciStep);
            units_ = fibonacci[static_cast<std::size_t>(step_)];
            break;
        case Progression::Labouchere:
            if (!won) {
                line_.push_back(units_);
            } else {
                // Cross off the first and the last, or the one left.
                line_.pop_back();
                if (head_ < line_.size()) ++head_;
                if (head_ == line_.size()) {
                    Restart();
                    return;
                }
                if (head_ > 64 && 2 * head_ > line_.size()) {
                    line_.erase(line_.begin(), line_.begin() + static_cast<std::ptrdiff_t>(head_));
                    head_ = 0;
                }
            }
            LabouchereUnits();
            break;
        case Progression::Paroli:
            if (won && ++step_ < 3) {
                units_ *= 2;
            } else {
                units_ = 1;
                step_ = 0;
            }
            break;
        case Progression::Sequence: {
            const auto& entries = settings_->sequence;
            const bool advance = won == (settings_->advanceOn == AdvanceOn::Win);
            step_ = advance ? (step_ + 1) % static_cast<int>(entries.size()) : 0;
            units_ = entries[static_cast<std::size_t>(step_)];
            break;
        }
    }
}

bool operator==(const ProgressionState& a, const ProgressionState& b) {
    const auto la = a.line();
    const auto lb = b.line();
    return a.settings_ == b.settings_ && a.units_ == b.units_ && a.step_ == b.step_ &&
           std::equal(la.begin(), la.end(), lb.begin(), lb.end());
}

}  // namespace spinalyst
