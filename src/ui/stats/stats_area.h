#pragma once

#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/model/roulette.h"
#include "ui/common/stats_page.h"
#include "ui/stats/stats_tabs.h"

class QTabWidget;

namespace spinalyst {

class AnalysisPanel;
class AnalysisSettings;
class AppSettings;
class GameSession;
class StatsPage;

// The right side of the main window: the analysis panel over the statistics pages.
// RefreshStatistics is the one way the pages are brought up to date: it hands the selection
// of the analysis settings to the page that shows, after every change of the settings or
// the log and on every change of tab.
class StatsArea final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatsArea)

public:
    StatsArea(GameSession* session, AppSettings* settings, QWidget* parent = nullptr);

    AnalysisSettings& analysisSettings() const { return *analysisSettings_; }
    AnalysisPanel* analysisPanel() const { return analysisPanel_; }
    QTabWidget* tabs() const { return tabs_; }
    // Puts the page of a tab in place. A statistics page is refreshed through it from then
    // on; any other page (the bets) follows the session by itself.
    void SetPage(StatsTab tab, QWidget* page);
    void ApplyCaptions();

    // Runs the view of the showing tab on the analysed draws. Does nothing while a batch runs.
    void RefreshStatistics();
    // The analysed draws of the last selection, one byte each; valid until the log changes.
    std::span<const std::uint8_t> analysedDraws() const;
    // Whether the showing page has figures to export.
    bool ShowingPageExports() const;
    // The figures of the showing page as CSV, as the command line prints them, from the same
    // selection the page shows; nullopt for a page without figures.
    std::optional<std::string> ShowingFiguresCsv() const;

signals:
    void statisticsRefreshed(int analysedCount);
    // Another page shows: it may or may not have figures to export.
    void pageChanged();

private:
    StatsPage* ShowingPage() const;
    StatsInput Input() const;

    GameSession* session_;
    AnalysisSettings* analysisSettings_ = nullptr;
    AnalysisPanel* analysisPanel_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    std::array<StatsPage*, statsTabCount> pages_{};
};

}  // namespace spinalyst
