#pragma once

#include <QWidget>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/model/roulette.h"
#include "core/stats/analysis_window.h"

namespace spinalyst {

class CroupierTable;

// What every statistics view works on: the analysed draws of the last refresh, oldest first.
struct StatsInput {
    RouletteKind kind = defaultKind;
    // One byte per draw, as the log keeps them.
    std::span<const std::uint8_t> analysed;
    // The direction of each analysed draw's spin; empty when the game noted none.
    std::span<const SpinDirection> directions = {};
    // Where they come from, for a page that needs more than the pockets (who spun each
    // draw): the log and the window of the refresh, and the croupiers' names. Unset on a new
    // game, which has no draw.
    const DrawLog* log = nullptr;
    std::optional<AnalysisWindow> window{};
    const CroupierTable* croupiers = nullptr;
};

// One tab of the statistics pages. A page is run only while it shows, and recomputes
// everything it shows from the input; a game without draws gives it empty figures.
class StatsPage : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;
    virtual void ShowStatistics(const StatsInput& input) = 0;
    virtual void ApplyCaptions() {}
    // Whether the page has figures to export (FiguresCsv).
    virtual bool exportsFigures() const { return false; }
    // The figures the page shows for the input it was last shown, as CSV, as the command
    // line prints them.
    virtual std::string FiguresCsv(const StatsInput& /*input*/) const { return {}; }
    // A page fits the room its tab gives it: wrapped texts (a long verdict) lay out within
    // that height and do not ask the window, or the scrolled statistics, for more.
    bool hasHeightForWidth() const override { return false; }
};

}  // namespace spinalyst
