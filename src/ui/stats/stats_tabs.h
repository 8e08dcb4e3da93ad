#pragma once

#include <array>

#include "core/stats/stat_families.h"
#include "core/store/text_ids.h"

namespace spinalyst {

// The tabs of the statistics pages, in order, each named as its page: the wheel and the table
// heat view, the page of each bet family in StatFamily order (FamilyTab), then the tableau, the
// bets, the strategy lab and the fairness tests.
enum class StatsTab {
    Wheel,
    Heat,
    FirstFamily,
    Tableau = FirstFamily + static_cast<int>(allStatFamilies.size()),
    Bets,
    Strategy,
    Fairness,
};
inline constexpr int statsTabCount = static_cast<int>(StatsTab::Fairness) + 1;

constexpr StatsTab FamilyTab(StatFamily family) {
    return static_cast<StatsTab>(static_cast<int>(StatsTab::FirstFamily) +
                                 static_cast<int>(family));
}

// Everything that names a tab, in one place: the page's object name, the caption stored with
// the form (replaced by the language text), the language text, its page of the manual (with
// the anchor of its part), and for the pages of a bet family the names of its grid and two
// charts.
struct StatsTabInfo {
    const char* name;
    const char* designCaption;
    TextId caption;
    const char* manualPage;
    const char* grid = nullptr;
    const char* hitsChart = nullptr;
    const char* waitsChart = nullptr;
};

inline const std::array<StatsTabInfo, statsTabCount> statsTabs = {{
    {"tsCylindre", "Cylindre", TextId::WheelTab, "wheel.html#wheel"},
    {"tsTapis", "Tapis", TextId::TableTab, "wheel.html#table"},
    {"tsSimples", "Ch. simples", TextId::SimplesTab, "families.html#simples", "sgSimples",
     "chSimples1", "chSimples2"},
    {"tsDzsCols", "Dz/Col", TextId::DzsColsTab, "families.html#dzscols", "sgColsDouzs",
     "chDouzCols1", "chDouzCols2"},
    {"tsSizains", "Sizains", TextId::SizainsTab, "families.html#sizains", "sgSizains", "chSizains1",
     "chSizains2"},
    {"tsTransversales", "Transv.", TextId::TransversalesTab, "families.html#transversales",
     "sgTransversales", "chTransversales1", "chTransversales2"},
    {"tsFinales", "Finales", TextId::FinalesTab, "families.html#finales", "sgFinales", "chFinales1",
     "chFinales2"},
    {"tsCarres", "Carrés", TextId::CarresTab, "families.html#carres", "sgCarres", "chCarres1",
     "chCarres2"},
    {"tsChevaux", "Chevaux", TextId::ChevauxTab, "families.html#chevaux", "sgChevaux", "chChevaux1",
     "chChevaux2"},
    {"tsPleins", "Pleins", TextId::PleinsTab, "families.html#pleins", "sgPleins", "chPleins1",
     "chPleins2"},
    {"tsTableau", "Tableau", TextId::TableauTab, "tableau.html", "sgTableau"},
    {"tsMises", "Mises", TextId::BetsTab, "bets.html"},
    {"tsStrategie", "Stratégie", TextId::StrategyTab, "strategy.html"},
    {"tsEquite", "Équité", TextId::FairnessTab, "fairness.html", "sgEquite", "chEquite"},
}};

inline const StatsTabInfo& TabInfo(StatsTab tab) {
    return statsTabs[static_cast<std::size_t>(tab)];
}

inline const StatsTabInfo& FamilyTabInfo(StatFamily family) {
    return TabInfo(FamilyTab(family));
}

}  // namespace spinalyst
