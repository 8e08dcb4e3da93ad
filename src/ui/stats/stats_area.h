#pragma once

#include <QWidget>
#include <array>
#include <vector>

#include "model/roulette.h"
#include "store/settings.h"

class QTabWidget;

namespace spinalyst {

class AnalysisPanel;
class GameSession;
class StatsPage;

// The tabs of pcStats, in order.
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

// The right side of the main window: the analysis panel over the statistics pages.
// RefreshStatistics is the one way the pages are brought up to date.
class StatsArea final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatsArea)

public:
    StatsArea(GameSession* session, Settings settings, QWidget* parent = nullptr);

    AnalysisPanel* analysisPanel() const { return pnlPeriode1; }
    QTabWidget* tabs() const { return pcStats; }
    // Puts the view of a tab in place; the tab refreshes through it from then on.
    void SetPage(StatsTab tab, StatsPage* page);
    void ApplyCaptions();

    // Selects the analysed draws from the log and the panel, runs the view of the showing
    // tab and shows the count. Does nothing while the log is empty or a batch runs.
    void RefreshStatistics();
    const std::vector<Pocket>& analysedDraws() const { return analysedDraws_; }

signals:
    void statisticsRefreshed(int analysedCount);

private:
    GameSession* session_;
    AnalysisPanel* pnlPeriode1 = nullptr;
    QTabWidget* pcStats = nullptr;
    std::array<StatsPage*, statsTabCount> pages_{};
    std::vector<Pocket> analysedDraws_;
};

}  // namespace spinalyst
