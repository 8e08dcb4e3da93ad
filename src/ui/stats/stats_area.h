#pragma once

#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/model/roulette.h"
#include "core/store/settings.h"
#include "ui/stats/stats_tabs.h"

class QTabWidget;

namespace spinalyst {

class AnalysisPanel;
class GameSession;
class StatsPage;

// The right side of the main window: the analysis panel over the statistics pages.
// RefreshStatistics is the one way the pages are brought up to date.
class StatsArea final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatsArea)

public:
    StatsArea(GameSession* session, Settings settings, QWidget* parent = nullptr);

    AnalysisPanel* analysisPanel() const { return analysisPanel_; }
    QTabWidget* tabs() const { return tabs_; }
    // Puts the view of a tab in place; the tab refreshes through it from then on.
    void SetPage(StatsTab tab, StatsPage* page);
    void ApplyCaptions();

    // Selects the analysed draws from the log and the panel, runs the view of the showing
    // tab and shows the count. Does nothing while the log is empty or a batch runs.
    void RefreshStatistics();
    // The analysed draws of the last refresh, one byte each; valid until the log changes.
    std::span<const std::uint8_t> analysedDraws() const { return analysed_; }
    // The figures of the showing tab as CSV, as the command line prints them; the wheel tab
    // gives its four tables one after the other, an empty line between them. nullopt for a
    // tab without figures.
    std::optional<std::string> ShowingFiguresCsv();

signals:
    void statisticsRefreshed(int analysedCount);

private:
    void OnNewGame();

    GameSession* session_;
    AnalysisPanel* analysisPanel_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    std::array<StatsPage*, statsTabCount> pages_{};
    // Filled only when a step or a filter picks draws; the whole range is a view of the log.
    std::vector<std::uint8_t> analysedBuffer_;
    std::span<const std::uint8_t> analysed_;
};

}  // namespace spinalyst
