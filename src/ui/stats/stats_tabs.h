#pragma once

#include <array>
#include <optional>

#include "stats/stat_families.h"
#include "store/text_ids.h"

namespace spinalyst {

// The tabs of the statistics pages, in order.
enum class StatsTab {
    Cylindre,
    Tapis,
    Simples,
    DzsCols,
    Sizains,
    Transversales,
    Finales,
    Carres,
    Chevaux,
    Pleins,
    Tableau,
    Mises,
};
inline constexpr int statsTabCount = 12;

// Everything that names a tab and what it shows, in one place: the page's object name, the
// caption stored with the form (replaced by the language text), the language text, and for
// the pages of one bet family the family and the names of its grid and two charts.
struct StatsTabInfo {
    const char* name;
    const char* designCaption;
    TextId caption;
    std::optional<StatFamily> family;
    const char* grid = nullptr;
    const char* hitsChart = nullptr;
    const char* waitsChart = nullptr;
};

inline const std::array<StatsTabInfo, statsTabCount> statsTabs = {{
    {"tsCylindre", "Cylindre", TextId::WheelTab, std::nullopt},
    {"tsTapis", "Tapis", TextId::TableTab, std::nullopt},
    {"tsSimples", "Ch. simples", TextId::SimplesTab, StatFamily::Simples, "sgSimples", "chSimples1",
     "chSimples2"},
    {"tsDzsCols", "Dz/Col", TextId::DzsColsTab, StatFamily::DzsCols, "sgColsDouzs", "chDouzCols1",
     "chDouzCols2"},
    {"tsSizains", "Sizains", TextId::SizainsTab, StatFamily::Sizains, "sgSizains", "chSizains1",
     "chSizains2"},
    {"tsTransversales", "Transv.", TextId::TransversalesTab, StatFamily::Transversales,
     "sgTransversales", "chTransversales1", "chTransversales2"},
    {"tsFinales", "Finales", TextId::FinalesTab, StatFamily::Finales, "sgFinales", "chFinales1",
     "chFinales2"},
    {"tsCarres", "Carrés", TextId::CarresTab, StatFamily::Carres, "sgCarres", "chCarres1",
     "chCarres2"},
    {"tsChevaux", "Chevaux", TextId::ChevauxTab, StatFamily::Chevaux, "sgChevaux", "chChevaux1",
     "chChevaux2"},
    {"tsPleins", "Pleins", TextId::PleinsTab, StatFamily::Pleins, "sgPleins", "chPleins1",
     "chPleins2"},
    {"tsTableau", "Tableau", TextId::TableauTab, std::nullopt, "sgTableau"},
    {"tsMises", "Mises", TextId::BetsTab, std::nullopt},
}};

inline const StatsTabInfo& TabInfo(StatsTab tab) {
    return statsTabs[static_cast<std::size_t>(tab)];
}

// The tab that shows a family's page.
inline const StatsTabInfo& FamilyTabInfo(StatFamily family) {
    for (const StatsTabInfo& info : statsTabs)
        if (info.family == family) return info;
    return statsTabs.front();
}

}  // namespace spinalyst
