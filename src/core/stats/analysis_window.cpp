#include "core/stats/analysis_window.h"

#include <algorithm>

#include "core/model/wheel.h"

namespace spinalyst {

namespace {

int EntryCount(FollowFamily family, RouletteKind kind) {
    switch (family) {
        case FollowFamily::Numero:
        case FollowFamily::Secteur:
            return pocketCount(kind);
        case FollowFamily::Transversale:
            return 12;
        case FollowFamily::Sizain:
            return 6;
        case FollowFamily::Colonne:
        case FollowFamily::Douzaine:
            return 3;
        case FollowFamily::RougeNoir:
        case FollowFamily::PairImpair:
        case FollowFamily::ManquePasse:
            return 2;
    }
    return 0;
}

std::string RangeText(int from, int to) {
    return std::to_string(from) + "-" + std::to_string(to);
}

// Which predecessor pockets let a draw through, by pocket value; the log stores a pocket in
// one byte, so any byte read from it indexes this table safely.
using PassTable = std::array<bool, 256>;

PassTable MakePassTable(FollowFamily family, int target, RouletteKind kind) {
    PassTable passes{};
    for (Pocket p = 0; p < maxPocketCount; ++p) passes[p] = FollowPasses(family, target, p, kind);
    return passes;
}

}  // namespace

std::vector<std::string> TargetEntries(FollowFamily family, RouletteKind kind) {
    std::vector<std::string> entries;
    switch (family) {
        case FollowFamily::Numero:
        case FollowFamily::Secteur:
            for (Pocket p = firstPocket(kind); p <= lastPocket(kind); ++p)
                entries.push_back(PocketText(p));
            break;
        case FollowFamily::Transversale:
            for (int j = 0; j < 12; ++j) entries.push_back(RangeText(3 * j + 1, 3 * j + 3));
            break;
        case FollowFamily::Sizain:
            for (int j = 0; j < 6; ++j) entries.push_back(RangeText(6 * j + 1, 6 * j + 6));
            break;
        case FollowFamily::Colonne:
        case FollowFamily::Douzaine:
            entries = {"1", "2", "3"};
            break;
        case FollowFamily::RougeNoir:
            entries = {"rouge", "noir"};
            break;
        case FollowFamily::PairImpair:
            entries = {"pair", "impair"};
            break;
        case FollowFamily::ManquePasse:
            entries = {"manque", "passe"};
            break;
    }
    return entries;
}

std::optional<int> FollowTargetFromEntry(FollowFamily family, int entry, RouletteKind kind) {
    if (entry < 1 || entry > EntryCount(family, kind)) return std::nullopt;
    if (family == FollowFamily::Numero || family == FollowFamily::Secteur)
        return firstPocket(kind) + entry - 1;
    return entry;
}

int FollowOutcome(FollowFamily family, Pocket x) {
    if (family == FollowFamily::Numero || family == FollowFamily::Secteur) return x;
    if (IsNumber(x)) {
        switch (family) {
            case FollowFamily::Transversale:
                return StreetOf(x);
            case FollowFamily::Sizain:
                // The six disjoint six-lines 1-6 ... 31-36, two streets each.
                return (StreetOf(x) + 1) / 2;
            case FollowFamily::Colonne:
                return ColumnOf(x);
            case FollowFamily::Douzaine:
                return DozenOf(x);
            case FollowFamily::RougeNoir:
                return IsRed(x) ? 1 : 2;
            case FollowFamily::PairImpair:
                return IsEven(x) ? 1 : 2;
            case FollowFamily::ManquePasse:
                return IsLow(x) ? 1 : 2;
            default:
                return 0;
        }
    }
    // The filter's arithmetic on the green pockets: (x + 2) div 3, (x + 5) div 6, x mod 3,
    // (x + 11) div 12 and the parity of the number, so that 0 and 00 fall in outcomes no
    // number has, or in column 3 (0) and column 1 (00), even and manque (0), odd and passe (00).
    const bool zero = x == 0;
    switch (family) {
        case FollowFamily::Transversale:
            return zero ? 0 : 13;
        case FollowFamily::Sizain:
            return zero ? 0 : 7;
        case FollowFamily::Colonne:
            return zero ? 3 : 1;
        case FollowFamily::Douzaine:
            return zero ? 0 : 4;
        case FollowFamily::PairImpair:
        case FollowFamily::ManquePasse:
            return zero ? 1 : 2;
        default:
            // Neither red nor black.
            return noColour;
    }
}

int FollowTargetFromDraw(FollowFamily family, Pocket x) {
    const int outcome = FollowOutcome(family, x);
    // A green newest draw makes black the default target of red or black.
    return outcome == noColour ? 2 : outcome;
}

bool FollowPasses(FollowFamily family, int target, Pocket p, RouletteKind kind) {
    if (family == FollowFamily::Secteur) {
        if (!IsPocketOf(kind, target)) return false;
        const auto around = wheelNeighbourhood(kind, target);
        return std::find(around.begin(), around.end(), p) != around.end();
    }
    return FollowOutcome(family, p) == target;
}

std::optional<ResolvedWindow> ResolveAnalysisWindow(const AnalysisControls& controls,
                                                    const DrawLog& log, RouletteKind kind,
                                                    const CroupierLookup& croupierIndex,
                                                    const WheelLookup& wheelIndex) {
    const int drawCount = log.drawCount();
    if (drawCount <= 0) return std::nullopt;

    ResolvedWindow result;
    AnalysisWindow& w = result.window;
    const bool stepChosen =
        controls.stepEntry && *controls.stepEntry >= 0 && *controls.stepEntry < stepEntryCount;
    w.windowStep = stepChosen ? *controls.stepEntry + 1 : 1;

    if (controls.useRange) {
        int start = controls.rangeStart;
        if (start > drawCount) {
            start = drawCount;
            result.loweredRangeStart = start;
        }
        w.windowFirst = start;
        w.windowLast = controls.rangeEnd;
    } else if (controls.useLast) {
        // The spin edit keeps N within its bounds; a value from elsewhere gets the same.
        const int n = std::clamp(controls.lastCount, minAnalyse, maxAnalyse);
        w.windowFirst = n < drawCount ? drawCount - n + 1 : 1;
        w.windowLast = drawCount;
    } else {
        w.windowFirst = 1;
        w.windowLast = drawCount;
    }

    if (controls.useFollowing) {
        if (controls.followFamily) {
            const FollowFamily family = *controls.followFamily;
            w.followFamily = family;
            std::optional<int> target;
            if (controls.followEntry && *controls.followEntry >= 1)
                target = FollowTargetFromEntry(family, *controls.followEntry, kind);
            // The newest draw of the game, even when the range ends earlier.
            w.followTarget = target ? *target : FollowTargetFromDraw(family, log.draw(drawCount));
        }
    } else if (controls.useCroupier) {
        const auto number = croupierIndex ? croupierIndex(controls.croupierName) : std::nullopt;
        w.croupierFilter = number.value_or(0);
    }
    if (controls.useWheel) {
        const auto number = wheelIndex ? wheelIndex(controls.wheelName) : std::nullopt;
        w.wheelFilter = number.value_or(0);
    }
    if (controls.useDirection) w.directionFilter = controls.direction;

    if (w.windowFirst < 1) w.windowFirst = 1;
    if (w.windowLast > drawCount) w.windowLast = drawCount;
    if (w.windowLast < w.windowFirst) w.windowLast = w.windowFirst;
    return result;
}

namespace {

// Calls take(r, count) for each run of consecutive analysed draws r ... r + count - 1, oldest
// first: the whole range as one run when every draw of it is analysed, one draw at a time
// otherwise. A window that reaches beyond the log is limited to it as the refresh would.
template <typename Take>
void VisitAnalysedDraws(const DrawLog& log, RouletteKind kind, const AnalysisWindow& window,
                        Take take) {
    const int drawCount = log.drawCount();
    int first = std::max(window.windowFirst, 1);
    int last = std::min(window.windowLast, drawCount);
    if (last < first) last = first;
    if (first > drawCount) return;

    const int step = std::max(window.windowStep, 1);
    const int n = last - first + 1;
    const auto pockets = log.draws();
    const bool byCroupier = window.croupierFilter != 0;
    const bool following = !byCroupier && window.followFamily.has_value();
    const bool byWheel = window.wheelFilter != 0;
    const bool byDirection = window.directionFilter != SpinDirection::Unknown;
    if (step == 1 && !byCroupier && !following && !byWheel && !byDirection) {
        take(first, n);
        return;
    }

    const PassTable passes =
        following ? MakePassTable(*window.followFamily, window.followTarget, kind) : PassTable{};
    // The sampled draws lie step, 2 x step ... places before the draw that would follow the
    // range, so a step above 1 never takes the newest draw of the range.
    for (int k = n % step; k < n; k += step) {
        const int r = first + k;
        bool taken = true;
        if (byCroupier)
            taken = log.drawCroupier(r) == window.croupierFilter;
        else if (following)
            taken = r >= 2 && passes[pockets[static_cast<std::size_t>(r - 2)]];
        if (byWheel) taken = taken && log.drawWheel(r) == window.wheelFilter;
        if (byDirection) taken = taken && log.drawDirection(r) == window.directionFilter;
        if (taken) take(r, 1);
    }
}

}  // namespace

std::span<const std::uint8_t> SelectAnalysedDraws(const DrawLog& log, RouletteKind kind,
                                                  const AnalysisWindow& window,
                                                  std::vector<std::uint8_t>& buffer) {
    buffer.clear();
    const auto pockets = log.draws();
    std::span<const std::uint8_t> whole;
    VisitAnalysedDraws(log, kind, window, [&](int r, int count) {
        const auto run =
            pockets.subspan(static_cast<std::size_t>(r - 1), static_cast<std::size_t>(count));
        // Every draw of the range: the log's own bytes, no copy at all.
        if (count > 1)
            whole = run;
        else
            buffer.push_back(run.front());
    });
    return whole.empty() ? std::span<const std::uint8_t>(buffer) : whole;
}

std::span<const SpinDirection> SelectAnalysedDirections(const DrawLog& log, RouletteKind kind,
                                                        const AnalysisWindow& window,
                                                        std::vector<SpinDirection>& buffer) {
    buffer.clear();
    if (!log.hasDirections()) return {};
    VisitAnalysedDraws(log, kind, window, [&](int r, int count) {
        for (int i = 0; i < count; ++i) buffer.push_back(log.drawDirection(r + i));
    });
    return buffer;
}

DrawLog SelectAnalysedLog(const DrawLog& log, RouletteKind kind, const AnalysisWindow& window) {
    DrawLog analysed;
    VisitAnalysedDraws(log, kind, window, [&](int r, int count) {
        for (int n = r; n < r + count; ++n)
            analysed.Append(log.draw(n), log.drawTime(n), log.drawCroupier(n), log.drawWheel(n),
                            log.drawDirection(n));
    });
    return analysed;
}

void SelectAnalysedDrawNumbers(const DrawLog& log, RouletteKind kind, const AnalysisWindow& window,
                               std::vector<std::int32_t>& out) {
    out.clear();
    VisitAnalysedDraws(log, kind, window, [&](int r, int count) {
        for (int i = 0; i < count; ++i) out.push_back(r + i);
    });
}

void SelectAnalysedStints(const DrawLog& log, RouletteKind kind, const AnalysisWindow& window,
                          std::vector<CroupierStint>& out) {
    out.clear();
    VisitAnalysedDraws(log, kind, window, [&](int r, int count) {
        for (int i = 0; i < count; ++i) {
            const std::int32_t croupier = log.drawCroupier(r + i);
            if (out.empty() || out.back().croupier != croupier) out.push_back({croupier, 0});
            ++out.back().draws;
        }
    });
}

}  // namespace spinalyst
