#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/draws/draw_log.h"
#include "core/model/roulette.h"

namespace spinalyst {

// Bounds of the analysis panel's spin edits. The range boxes reach at least maxRangeDraw and
// always the newest draw (RangeMaximum).
inline constexpr int minRangeDraw = 1;
inline constexpr int maxRangeDraw = 10'000'000;
inline constexpr int minAnalyse = 1;
inline constexpr int maxAnalyse = 9999;
// Entries of the step list ("every draw", "1 in 2" ... "1 in 9") and of the family list.
inline constexpr int stepEntryCount = 9;
inline constexpr int followFamilyCount = 9;

// The outcome families of the following-filter, in the order of their list.
enum class FollowFamily {
    Numero,
    Transversale,
    Secteur,
    Sizain,
    Colonne,
    Douzaine,
    RougeNoir,
    PairImpair,
    ManquePasse,
};

// The family at a place of the list, or nullopt for a place it does not have.
constexpr std::optional<FollowFamily> FollowFamilyAt(long long index) {
    if (index < 0 || index >= followFamilyCount) return std::nullopt;
    return static_cast<FollowFamily>(index);
}
constexpr int FollowFamilyIndex(FollowFamily family) {
    return static_cast<int>(family);
}

// Language-neutral keys of the families, in list order; the command line uses them as names
// and the desktop program maps them to its texts.
inline constexpr std::array<std::string_view, followFamilyCount> followFamilyKeys = {
    "numero",   "transversale", "secteur",    "sizain",      "colonne",
    "douzaine", "rougenoir",    "pairimpair", "manquepasse",
};

// The state of the analysis panel's controls as plain values; defaults are those of the form.
// A list index is nullopt when no entry is chosen.
struct AnalysisControls {
    // "Analyse every draw from ... to ...", with the range and the step entry.
    bool useRange = true;
    int rangeStart = 1;
    int rangeEnd = 1;
    // "Analyse the last N draws".
    bool useLast = false;
    int lastCount = 12;
    std::optional<int> stepEntry = 0;
    // "Analyse the draws that follow ...": the family and the entry of the target list (0 is
    // its empty entry). The target list is filled at run time, so the form chooses none.
    bool useFollowing = false;
    std::optional<FollowFamily> followFamily = FollowFamily::Numero;
    std::optional<int> followEntry;
    // "Analyse every draw of the croupier ...".
    bool useCroupier = false;
    std::string croupierName;
    // "Only the draws of the wheel ..." and "only the spins ...": each narrows whatever the
    // range, the step and the filter above take, to draws that have that wheel or direction.
    bool useWheel = false;
    std::string wheelName;
    bool useDirection = false;
    SpinDirection direction = SpinDirection::Clockwise;
};

// The settings of one refresh, worked out from the controls and the log.
struct AnalysisWindow {
    int windowFirst = 1;
    int windowLast = 1;
    int windowStep = 1;
    // Set when only the draws that follow an outcome of the family are analysed.
    std::optional<FollowFamily> followFamily;
    int followTarget = 0;
    int croupierFilter = 0;
    // The wheel number, or the direction, whose draws alone are taken; 0 and Unknown take all.
    int wheelFilter = 0;
    SpinDirection directionFilter = SpinDirection::Unknown;
    friend bool operator==(const AnalysisWindow&, const AnalysisWindow&) = default;
};

// The croupier number of a name (exact match), or nullopt when nobody has it; the same for
// wheels.
using CroupierLookup = std::function<std::optional<std::int32_t>(std::string_view)>;
using WheelLookup = CroupierLookup;

struct ResolvedWindow {
    AnalysisWindow window;
    // Set when the range started beyond the newest draw: the value the range start must show.
    // The panel applies it without refreshing again.
    std::optional<int> loweredRangeStart;
};

// Reads the controls into the window of one refresh. nullopt for an empty log, where the
// refresh does nothing. Neither range box checked analyses the whole log; a step without a
// chosen entry is 1; a target entry the family does not list takes the newest draw's outcome.
// A croupier or wheel name nobody has filters nothing, as an empty one.
std::optional<ResolvedWindow> ResolveAnalysisWindow(const AnalysisControls& controls,
                                                    const DrawLog& log, RouletteKind kind,
                                                    const CroupierLookup& croupierIndex,
                                                    const WheelLookup& wheelIndex = {});

// The analysed draws, oldest first, one byte each as the log keeps them. When every draw of
// the range is analysed this is a view of the log itself (valid until the log changes);
// otherwise the draws are gathered in `buffer`, whose allocation is reused. A window that
// reaches beyond the log is limited to it as the refresh would.
std::span<const std::uint8_t> SelectAnalysedDraws(const DrawLog& log, RouletteKind kind,
                                                  const AnalysisWindow& window,
                                                  std::vector<std::uint8_t>& buffer);
// The directions of the draws SelectAnalysedDraws takes, in the same order, gathered in
// `buffer`; empty when no draw of the log has a direction, so that direction-aware figures
// cost nothing for games recorded without.
std::span<const SpinDirection> SelectAnalysedDirections(const DrawLog& log, RouletteKind kind,
                                                        const AnalysisWindow& window,
                                                        std::vector<SpinDirection>& buffer);
// The draws SelectAnalysedDraws takes with everything the log keeps of them, as a log of their
// own (numbered from 1).
DrawLog SelectAnalysedLog(const DrawLog& log, RouletteKind kind, const AnalysisWindow& window);
// The numbers of the draws SelectAnalysedDraws takes, in the same order.
void SelectAnalysedDrawNumbers(const DrawLog& log, RouletteKind kind, const AnalysisWindow& window,
                               std::vector<std::int32_t>& out);
// A run of consecutive analysed draws spun by one croupier (0: nobody).
struct CroupierStint {
    std::int32_t croupier = 0;
    std::int32_t draws = 0;
    friend constexpr bool operator==(CroupierStint, CroupierStint) = default;
};
// Who spun the draws SelectAnalysedDraws takes, as stints in the same order: their draws add
// up to the analysed draws. Croupiers change seldom, so this is far shorter than a croupier
// per draw.
void SelectAnalysedStints(const DrawLog& log, RouletteKind kind, const AnalysisWindow& window,
                          std::vector<CroupierStint>& out);

// The largest value the range boxes take: the design maximum, or the newest draw beyond it.
constexpr int RangeMaximum(int drawCount) {
    return drawCount > maxRangeDraw ? drawCount : maxRangeDraw;
}
// The corrections the range boxes make once an edit is finished. The start never passes the
// end; the end never passes the newest draw and never falls below the start.
constexpr int CorrectedRangeStart(int start, int end) {
    return start > end ? end : start;
}
constexpr int CorrectedRangeEnd(int end, int start, int drawCount) {
    if (end > drawCount) return drawCount;
    return end < start ? start : end;
}
// A mode switch keeps a stored range only where it lies inside the log: a start beyond the
// newest draw goes back to 1, an end beyond it becomes the newest draw.
struct RangeValues {
    int start = 1;
    int end = 1;
    friend constexpr bool operator==(RangeValues, RangeValues) = default;
};
constexpr RangeValues RangeAfterModeSwitch(RangeValues range, int drawCount) {
    if (range.start > drawCount) range.start = 1;
    if (range.end > drawCount) range.end = drawCount;
    return range;
}

// The target list's entries after the empty one. For the even-chance families these are keys
// ("rouge", "noir", "pair", "impair", "manque", "passe"), not display texts; pockets are
// written as PocketText writes them.
std::vector<std::string> TargetEntries(FollowFamily family, RouletteKind kind);

// The target meant by entry i >= 1 of the family's list, or nullopt when the list does not
// have that entry.
std::optional<int> FollowTargetFromEntry(FollowFamily family, int entry, RouletteKind kind);
// The outcome of the family that pocket x shows: the pocket itself for Numero and Secteur, the
// street, six-line, column, dozen, or 1/2 for the even chances (red, even, low are 1). The
// filter has its own rule for the green pockets: 0 is even, manque and in column 3; 00 (37)
// odd, passe and in column 1; neither is red or black (noColour, which no target matches); 0
// gives street, six-line and dozen 0, and 00 gives 13, 7 and 4, outcomes no number shows.
inline constexpr int noColour = -1;
int FollowOutcome(FollowFamily family, Pocket x);
// The target the newest draw x gives when no entry is chosen: its outcome, and black for a
// green draw under red or black.
int FollowTargetFromDraw(FollowFamily family, Pocket x);
// Whether a draw that follows p is analysed under the family and target.
bool FollowPasses(FollowFamily family, int target, Pocket p, RouletteKind kind);

}  // namespace spinalyst
