#include "core/stats/freeze_confirm.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/stats/significance.h"

namespace spinalyst {

double LogConfirmationEvidence(int hits, int draws, double share) {
    std::array<double, confirmationExcesses.size()> logRatios{};
    std::size_t count = 0;
    for (double excess : confirmationExcesses) {
        const double biased = share * (1 + excess);
        if (!(biased < 1)) continue;
        logRatios[count++] =
            hits * std::log1p(excess) + (draws - hits) * std::log((1 - biased) / (1 - share));
    }
    if (count == 0) return 0;
    // The mean of the ratios, summed from the largest so that none overflows. Biases the share
    // cannot take count as ratios of 0.
    const double largest = *std::max_element(logRatios.begin(), logRatios.begin() + count);
    double sum = 0;
    for (std::size_t i = 0; i < count; ++i) sum += std::exp(logRatios[i] - largest);
    return largest + std::log(sum / static_cast<double>(confirmationExcesses.size()));
}

Confirmation Confirm(RouletteKind kind, std::span<const Pocket> set,
                     std::span<const std::uint8_t> draws) {
    std::array<bool, 256> inSet{};
    int k = 0;
    for (Pocket p : set)
        if (IsPocketOf(kind, p) && !inSet[static_cast<std::size_t>(p)]) {
            inSet[static_cast<std::size_t>(p)] = true;
            ++k;
        }
    Confirmation c;
    for (std::uint8_t p : draws) {
        if (!IsPocketOf(kind, p)) continue;
        ++c.draws;
        c.hits += inSet[p] ? 1 : 0;
    }
    const double share = static_cast<double>(k) / pocketCount(kind);
    c.expected = c.draws * share;
    c.p = BinomialUpperP(c.hits, c.draws, share);
    if (c.draws == 0 || k == 0) return c;

    c.logEvidence = LogConfirmationEvidence(c.hits, c.draws, share);

    // A unit spread over the k pockets returns 36 / k for each hit.
    const double payout = 36.0 / k;
    const ShareInterval rate = ClopperPearson(c.hits, c.draws, confirmationConfidence);
    c.ev = payout * c.hits / c.draws - 1;
    c.evLow = payout * rate.low - 1;
    c.evHigh = payout * rate.high - 1;
    // Kelly for a bet paying b to 1 won with probability q: (b q - (1 - q)) / b.
    const double b = payout - 1;
    if (b > 0) c.kelly = std::max(0.0, (b * rate.low - (1 - rate.low)) / b);
    c.halfKelly = c.kelly / 2;
    return c;
}

std::optional<AnalysisWindow> WindowAfterFreeze(const AnalysisWindow& window, int frozenAt) {
    if (frozenAt >= window.windowLast) return std::nullopt;
    AnalysisWindow after = window;
    // The step counts back from the end of the range and the following filter looks at the
    // draw before, in the log: neither changes for the draws kept.
    after.windowFirst = std::max(window.windowFirst, frozenAt + 1);
    return after;
}

Confirmation ConfirmFreeze(const DrawLog& log, RouletteKind kind,
                           const std::optional<AnalysisWindow>& window, const FrozenSet& freeze) {
    std::vector<std::uint8_t> buffer;
    std::span<const std::uint8_t> after;
    if (window)
        if (const auto w = WindowAfterFreeze(*window, freeze.drawCount))
            after = SelectAnalysedDraws(log, kind, *w, buffer);
    return Confirm(kind, freeze.pockets, after);
}

}  // namespace spinalyst
