#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>

#include "core/draws/draw_log.h"

namespace spinalyst {

// Where the analysed draws of a refresh stand against those of the refresh before: the
// analysis settings number every list of analysed draws they select, and say how many draws at
// the start of the list before begin this list too.
struct AnalysedStep {
    // 0: unknown, nothing is kept.
    std::uint64_t selection = 0;
    std::size_t keptFromPrevious = 0;
};

// A tally (FamilyTally, WheelTally) that follows the analysed draws from one refresh to the
// next. In the common case the list only grows at its end, by a new draw: the tally takes that
// draw alone rather than every draw again. A draw taken back returns the tally to a copy kept
// from before it (for the last few draws); anything else counts the list again from the
// start, as the one-pass figures do. Tally needs a Key (what it counts, e.g. the kind), a
// constructor from it, key(), count(), Add(draws), copies, and a maxCount; a tally whose
// Add(draws, directions) also takes the directions of the draws gets them.
template <class Tally>
class RunningTally {
public:
    using Key = typename Tally::Key;
    // Copies kept for draws taken back, one per newest draw.
    static constexpr std::size_t keptCopies = 8;
    // A step of more draws than this is counted without copies.
    static constexpr std::size_t copiedStep = 4;

    // Brings the tally to `analysed` and returns it. `directions` is empty, or one per analysed
    // draw.
    const Tally& Follow(const Key& key, std::span<const std::uint8_t> analysed, AnalysedStep step,
                        std::span<const SpinDirection> directions = {}) {
        if (directions.size() != analysed.size()) directions = {};
        std::size_t kept = 0;
        if (tally_ && tally_->key() == key && step.selection != 0) {
            if (step.selection == selection_)
                kept = analysed.size();
            else if (step.selection == selection_ + 1)
                kept = step.keptFromPrevious;
        }
        selection_ = step.selection;
        if (analysed.size() > Tally::maxCount) {
            // Only the newest draws are counted, so the start moves at every draw.
            copies_.clear();
            tally_.emplace(key);
            const std::size_t from = analysed.size() - Tally::maxCount;
            AddTo(*tally_, analysed, directions, from, Tally::maxCount);
            return *tally_;
        }
        if (!tally_ || tally_->key() != key) tally_.emplace(key);
        kept = std::min({kept, analysed.size(), tally_->count()});
        if (kept < tally_->count()) {
            while (!copies_.empty() && copies_.back().count() > kept) copies_.pop_back();
            if (copies_.empty()) {
                tally_.emplace(key);
            } else {
                tally_ = std::move(copies_.back());
                copies_.pop_back();
            }
        }
        const std::size_t from = tally_->count();
        const std::size_t rest = analysed.size() - from;
        if (rest > copiedStep) {
            copies_.clear();
            AddTo(*tally_, analysed, directions, from, rest);
        } else {
            for (std::size_t i = from; i < analysed.size(); ++i) {
                copies_.push_back(*tally_);
                if (copies_.size() > keptCopies) copies_.pop_front();
                AddTo(*tally_, analysed, directions, i, 1);
            }
        }
        return *tally_;
    }

private:
    static void AddTo(Tally& tally, std::span<const std::uint8_t> analysed,
                      std::span<const SpinDirection> directions, std::size_t from,
                      std::size_t count) {
        if constexpr (requires { tally.Add(analysed, directions); }) {
            if (!directions.empty()) {
                tally.Add(analysed.subspan(from, count), directions.subspan(from, count));
                return;
            }
        }
        tally.Add(analysed.subspan(from, count));
    }

    std::optional<Tally> tally_;
    std::deque<Tally> copies_;
    std::uint64_t selection_ = 0;
};

}  // namespace spinalyst
