#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "draws/draw_log.h"
#include "model/roulette.h"

namespace spinalyst {

// Bounds of the analysis panel's spin edits.
inline constexpr int minRangeDraw = 1;
inline constexpr int maxRangeDraw = 10'000'000;
inline constexpr int minAnalyse = 1;
inline constexpr int maxAnalyse = 9999;
// Entries of cbStep1 ("every draw", "1 in 2" ... "1 in 9") and of cbParis.
inline constexpr int stepEntryCount = 9;
inline constexpr int followFamilyCount = 9;

// The outcome families of the following-filter, in the order of cbParis.
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

// followKind of a window without following-filter.
inline constexpr int noFollow = -1;

// Language-neutral keys of the families, in cbParis order; the command line uses them as
// names and the desktop program maps them to its texts.
inline constexpr std::array<std::string_view, followFamilyCount> followFamilyKeys = {
    "numero",   "transversale", "secteur",    "sizain",      "colonne",
    "douzaine", "rougenoir",    "pairimpair", "manquepasse",
};

// The state of the analysis panel's controls as plain values; defaults are those of the form.
// A combo box index is nullopt when no entry is chosen.
struct AnalysisControls {
    bool all1 = true;
    int start1 = 1;
    int end1 = 1;
    bool last1 = false;
    int analyse1 = 12;
    std::optional<int> step1 = 0;
    bool next1 = false;
    std::optional<int> paris = 0;
    // cbPari is filled at run time, so the form has no entry chosen in it.
    std::optional<int> pari;
    bool next2 = false;
    std::string croupier;
};

// The settings of one refresh, worked out from the controls and the log.
struct AnalysisWindow {
    int windowFirst = 1;
    int windowLast = 1;
    int windowStep = 1;
    int followKind = noFollow;
    int followTarget = 0;
    int croupierFilter = 0;
};

// The croupier number of a name (exact match), or nullopt when nobody has it.
using CroupierLookup = std::function<std::optional<std::int32_t>(std::string_view)>;

struct ResolvedWindow {
    AnalysisWindow window;
    // Set when the range started beyond the newest draw: the value seStart1 must show. The
    // panel applies it without refreshing again.
    std::optional<int> loweredStart1;
};

// Reads the controls into the window of one refresh. nullopt for an empty log, where the
// refresh does nothing. Neither range box checked analyses the whole log; a step without a
// chosen entry is 1; a cbPari entry the family does not list takes the newest draw's outcome.
std::optional<ResolvedWindow> ResolveAnalysisWindow(const AnalysisControls& controls,
                                                    const DrawLog& log, RouletteKind kind,
                                                    const CroupierLookup& croupierIndex);

// Fills out with the analysed draws, oldest first, reusing its allocation. A window that
// reaches beyond the log is limited to it as the refresh would.
void SelectAnalysedDraws(const DrawLog& log, RouletteKind kind, const AnalysisWindow& window,
                         std::vector<Pocket>& out);
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

// The cbPari entries after the empty one. For the even-chance families these are keys
// ("rouge", "noir", "pair", "impair", "manque", "passe"), not display texts. Empty for a
// followKind that is no family.
std::vector<std::string> TargetEntries(int followKind, RouletteKind kind);

// The target meant by cbPari entry i >= 1 of the family, or nullopt when the family does not
// list that entry.
std::optional<int> FollowTargetFromEntry(int followKind, int entry, RouletteKind kind);
// The target taken from the newest draw x.
int FollowTargetFromDraw(int followKind, Pocket x);
// Whether a draw that follows p is analysed under the family and target. The arithmetic holds
// for the green pockets too: 0 is even, manque and in column 3; 00 (37) odd, passe, column 1.
bool FollowPasses(int followKind, int target, Pocket p, RouletteKind kind);

}  // namespace spinalyst
