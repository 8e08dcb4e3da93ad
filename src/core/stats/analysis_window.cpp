#include "stats/analysis_window.h"

#include <algorithm>

#include "model/wheel.h"

namespace spinalyst {

namespace {

bool IsFamily(int followKind) {
    return followKind >= 0 && followKind < followFamilyCount;
}

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

PassTable MakePassTable(const AnalysisWindow& window, RouletteKind kind) {
    PassTable passes{};
    for (Pocket p = 0; p < maxPocketCount; ++p)
        passes[p] = FollowPasses(window.followKind, window.followTarget, p, kind);
    return passes;
}

}  // namespace

std::vector<std::string> TargetEntries(int followKind, RouletteKind kind) {
    std::vector<std::string> entries;
    if (!IsFamily(followKind)) return entries;
    switch (static_cast<FollowFamily>(followKind)) {
        case FollowFamily::Numero:
        case FollowFamily::Secteur:
            // 00 is listed by its number, 37.
            for (Pocket p = firstPocket(kind); p <= lastPocket(kind); ++p)
                entries.push_back(std::to_string(p));
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

std::optional<int> FollowTargetFromEntry(int followKind, int entry, RouletteKind kind) {
    if (!IsFamily(followKind)) return std::nullopt;
    const auto family = static_cast<FollowFamily>(followKind);
    if (entry < 1 || entry > EntryCount(family, kind)) return std::nullopt;
    if (family == FollowFamily::Numero || family == FollowFamily::Secteur)
        return firstPocket(kind) + entry - 1;
    return entry;
}

int FollowTargetFromDraw(int followKind, Pocket x) {
    if (!IsFamily(followKind)) return 0;
    switch (static_cast<FollowFamily>(followKind)) {
        case FollowFamily::Numero:
        case FollowFamily::Secteur:
            return x;
        case FollowFamily::Transversale:
            return (x + 2) / 3;
        case FollowFamily::Sizain:
            return (x + 5) / 6;
        case FollowFamily::Colonne:
            return x % 3 == 0 ? 3 : x % 3;
        case FollowFamily::Douzaine:
            return (x + 11) / 12;
        case FollowFamily::RougeNoir:
            return IsRed(x) ? 1 : 2;
        case FollowFamily::PairImpair:
            return x % 2 == 0 ? 1 : 2;
        case FollowFamily::ManquePasse:
            return x > 18 ? 2 : 1;
    }
    return 0;
}

bool FollowPasses(int followKind, int target, Pocket p, RouletteKind kind) {
    if (!IsFamily(followKind)) return false;
    switch (static_cast<FollowFamily>(followKind)) {
        case FollowFamily::Numero:
            return p == target;
        case FollowFamily::Transversale:
            return (p + 2) / 3 == target;
        case FollowFamily::Secteur: {
            if (!IsPocketOf(kind, target)) return false;
            const auto around = wheelNeighbourhood(kind, target);
            return std::find(around.begin(), around.end(), p) != around.end();
        }
        case FollowFamily::Sizain:
            return (p + 5) / 6 == target;
        case FollowFamily::Colonne:
            return target == 3 ? p % 3 == 0 : (target == 1 || target == 2) && p % 3 == target;
        case FollowFamily::Douzaine:
            return (p + 11) / 12 == target;
        case FollowFamily::RougeNoir:
            return target == 1 ? IsRed(p) : target == 2 && IsBlack(p);
        case FollowFamily::PairImpair:
            return target == 1 ? p % 2 == 0 : target == 2 && p % 2 != 0;
        case FollowFamily::ManquePasse:
            return target == 1 ? p <= 18 : target == 2 && p > 18;
    }
    return false;
}

std::optional<ResolvedWindow> ResolveAnalysisWindow(const AnalysisControls& controls,
                                                    const DrawLog& log, RouletteKind kind,
                                                    const CroupierLookup& croupierIndex) {
    const int drawCount = log.drawCount();
    if (drawCount <= 0) return std::nullopt;

    ResolvedWindow result;
    AnalysisWindow& w = result.window;
    const bool stepChosen =
        controls.step1 && *controls.step1 >= 0 && *controls.step1 < stepEntryCount;
    w.windowStep = stepChosen ? *controls.step1 + 1 : 1;

    if (controls.all1) {
        int start = controls.start1;
        if (start > drawCount) {
            start = drawCount;
            result.loweredStart1 = start;
        }
        w.windowFirst = start;
        w.windowLast = controls.end1;
    } else if (controls.last1) {
        // The spin edit keeps N within its bounds; a value from elsewhere gets the same.
        const int n = std::clamp(controls.analyse1, minAnalyse, maxAnalyse);
        w.windowFirst = n < drawCount ? drawCount - n + 1 : 1;
        w.windowLast = drawCount;
    } else {
        w.windowFirst = 1;
        w.windowLast = drawCount;
    }

    if (controls.next1) {
        if (controls.paris && IsFamily(*controls.paris)) {
            w.followKind = *controls.paris;
            std::optional<int> target;
            if (controls.pari && *controls.pari >= 1)
                target = FollowTargetFromEntry(w.followKind, *controls.pari, kind);
            // The newest draw of the game, even when the range ends earlier.
            w.followTarget =
                target ? *target : FollowTargetFromDraw(w.followKind, log.draw(drawCount));
        }
    } else if (controls.next2) {
        const auto number = croupierIndex ? croupierIndex(controls.croupier) : std::nullopt;
        w.croupierFilter = number.value_or(0);
    }

    if (w.windowFirst < 1) w.windowFirst = 1;
    if (w.windowLast > drawCount) w.windowLast = drawCount;
    if (w.windowLast < w.windowFirst) w.windowLast = w.windowFirst;
    return result;
}

namespace {

// Calls reserve(most) with the most draws it may take, then take(r, count) for each run of
// consecutive analysed draws r ... r + count - 1, oldest first. A window that reaches beyond
// the log is limited to it as the refresh would.
template <typename Reserve, typename Take>
void VisitAnalysedDraws(const DrawLog& log, RouletteKind kind, const AnalysisWindow& window,
                        Reserve reserve, Take take) {
    const int drawCount = log.drawCount();
    int first = std::max(window.windowFirst, 1);
    int last = std::min(window.windowLast, drawCount);
    if (last < first) last = first;
    if (first > drawCount) return;

    const int step = std::max(window.windowStep, 1);
    const int n = last - first + 1;
    reserve(static_cast<std::size_t>(n / step + 1));
    const auto pockets = log.draws();
    const bool byCroupier = window.croupierFilter != 0;
    const bool following = !byCroupier && window.followKind != noFollow;
    const PassTable passes = following ? MakePassTable(window, kind) : PassTable{};
    if (step == 1 && !byCroupier && !following) {
        // The common case, every draw of the range: one run, no test per draw.
        take(first, n);
        return;
    }

    // The sampled draws lie step, 2 x step ... places before the draw that would follow the
    // range, so a step above 1 never takes the newest draw of the range.
    for (int k = n % step; k < n; k += step) {
        const int r = first + k;
        bool taken = true;
        if (byCroupier)
            taken = log.drawCroupier(r) == window.croupierFilter;
        else if (following)
            taken = r >= 2 && passes[pockets[static_cast<std::size_t>(r - 2)]];
        if (taken) take(r, 1);
    }
}

}  // namespace

void SelectAnalysedDraws(const DrawLog& log, RouletteKind kind, const AnalysisWindow& window,
                         std::vector<Pocket>& out) {
    out.clear();
    const auto pockets = log.draws();
    VisitAnalysedDraws(
        log, kind, window, [&](std::size_t most) { out.reserve(most); },
        [&](int r, int count) {
            const auto run =
                pockets.subspan(static_cast<std::size_t>(r - 1), static_cast<std::size_t>(count));
            out.insert(out.end(), run.begin(), run.end());
        });
}

void SelectAnalysedStints(const DrawLog& log, RouletteKind kind, const AnalysisWindow& window,
                          std::vector<CroupierStint>& out) {
    out.clear();
    VisitAnalysedDraws(
        log, kind, window, [](std::size_t) {},
        [&](int r, int count) {
            for (int i = 0; i < count; ++i) {
                const std::int32_t croupier = log.drawCroupier(r + i);
                if (out.empty() || out.back().croupier != croupier) out.push_back({croupier, 0});
                ++out.back().draws;
            }
        });
}

}  // namespace spinalyst
