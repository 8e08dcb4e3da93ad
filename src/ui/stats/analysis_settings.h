#pragma once

#include <QObject>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/draws/game.h"
#include "core/stats/analysis_window.h"
#include "core/stats/running_tally.h"

namespace spinalyst {

class AppSettings;
class GameSession;

inline constexpr int statModeCount = 9;

// The draws one selection took from the log.
struct AnalysisSelection {
    // Unset while the log is empty.
    std::optional<AnalysisWindow> window;
    // Oldest first, one byte each; valid until the log changes, when the settings select
    // again.
    std::span<const std::uint8_t> analysed;
    // The direction of each of them; empty when no draw of the game has a direction.
    std::span<const SpinDirection> directions;
    // Its number, and how many of its draws begin it as they began the selection before.
    AnalysedStep step;
};

// The analysis settings in one object: the statistics mode and the controls (range, step,
// filters) as plain values. The panel edits them; the refresh and the export read the one
// selection they make. They follow the game: the range end reaches each new draw, an empty
// game reads the range 1 to 1, and every change of the log or of the settings selects the
// analysed draws again and announces it once. A new setting is a field of AnalysisControls:
// nothing here names the fields one by one.
class AnalysisSettings final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AnalysisSettings)

public:
    AnalysisSettings(const GameSession* session, AppSettings* settings, QObject* parent = nullptr);

    const AnalysisControls& controls() const { return controls_; }
    int statMode() const { return statMode_; }
    const AnalysisSelection& selection() const { return selection_; }
    int analysedCount() const { return static_cast<int>(selection_.analysed.size()); }

    // The user's change of any control. A range start that changed (or a new target, which
    // counts as one) never passes the end; an end that changed never passes the newest draw
    // and never falls below the start. Selects again, also when nothing changed.
    void Edit(const AnalysisControls& edited);
    // Loads "Stat" and that mode's section (with its range end), then selects the mode.
    void Load();
    // Saves the mode being left, loads mode n (its range end becomes the number of draws, and
    // a stored range reaching beyond the log is brought inside it) and selects once. The
    // current mode's number saves and selects again.
    void SelectStatMode(int n);

signals:
    // The settings or the log changed and the analysed draws were selected again.
    void changed();

private:
    void OnDrawsAdded();
    void OnDrawUndone();
    void OnNewGame();
    // A target entry the kind's list does not have is no entry; an empty log reads 1 to 1.
    void FitToGame();
    void Select();

    const GameSession* session_;
    AppSettings* settings_;
    int statMode_ = 1;
    AnalysisControls controls_;
    AnalysisSelection selection_;
    // Filled only when a step or a filter picks draws; the whole range is a view of the log.
    std::vector<std::uint8_t> buffer_;
    std::vector<SpinDirection> directionBuffer_;
    // The log as the last selection read it.
    Game::Changes seenChanges_;
    int seenDrawCount_ = 0;
};

}  // namespace spinalyst
