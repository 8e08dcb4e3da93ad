#pragma once

#include <QWidget>
#include <array>
#include <utility>
#include <vector>

#include "core/stats/analysis_window.h"
#include "core/store/settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;
class QToolButton;

namespace spinalyst {

class GameSession;

inline constexpr int statModeCount = 9;

// The panel above the statistics pages: which draws are analysed (range, step, following or
// croupier filter) and the nine statistics modes that store those settings. Every change the
// user makes asks for one refresh.
class AnalysisPanel final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AnalysisPanel)

public:
    AnalysisPanel(GameSession* session, Settings settings, QWidget* parent = nullptr);

    AnalysisControls Controls() const;
    int statMode() const { return statMode_; }
    // Loads "Stat" and that mode's section (with its range end), then selects the mode.
    void LoadSettings();
    // Writes the current mode's section; false when the settings file could not be written.
    bool SaveModeSettings();
    // Saves the mode being left, loads mode n (its range end becomes the number of draws),
    // highlights its button and refreshes once.
    void SelectStatMode(int n);

    void ApplyCaptions();
    // The croupier filter list: an empty entry and the names; keeps the filter text.
    void FillCroupierList();
    // A new or replaced game, perhaps of another kind: the bounds and lists follow it, without
    // a refresh of their own.
    void FollowNewGame();
    // The range end follows the log after each new draw, without a refresh of its own.
    void SetRangeEnd(int drawCount);
    // What a refresh found: the corrected range start (if any) and the analysed count.
    void ShowRefreshResult(std::optional<int> loweredRangeStart, int analysedCount);

signals:
    void refreshRequested();
    // A mode's settings could not be written when it was left.
    void settingsNotSaved();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    // The range boxes reach the newest draw, however long the game.
    void SetRangeMaximum(int drawCount);
    void ConnectHandlers();
    void ApplyControls(const AnalysisControls& c, bool withEnd);
    void HighlightModeButton(int n);
    void FillTargetList();
    // The step and family lists from the language texts, each on its first entry.
    void FillFixedLists();

    void OnRangeModeClicked(QCheckBox* clicked);
    void OnFilterModeClicked(QCheckBox* clicked);
    void OnRangeStartChanged();
    void OnRangeEndChanged();
    void OnFollowFamilyChanged();

    GameSession* session_;
    Settings settings_;
    int statMode_ = 1;

    QLabel* modeTitle_ = nullptr;
    QWidget* modeButtonBar_ = nullptr;
    std::array<QToolButton*, statModeCount> modeButtons_{};
    QLabel* analysedCountLabel_ = nullptr;
    QCheckBox* rangeCheck_ = nullptr;
    QLabel* rangeLabel_ = nullptr;
    QSpinBox* rangeStartEdit_ = nullptr;
    QLabel* rangeToLabel_ = nullptr;
    QSpinBox* rangeEndEdit_ = nullptr;
    QLabel* stepLabel_ = nullptr;
    QComboBox* stepList_ = nullptr;
    QCheckBox* lastCheck_ = nullptr;
    QLabel* lastPrefixLabel_ = nullptr;
    QSpinBox* lastCountEdit_ = nullptr;
    QLabel* lastSuffixLabel_ = nullptr;
    QCheckBox* followCheck_ = nullptr;
    QLabel* followLabel_ = nullptr;
    QComboBox* followFamilyList_ = nullptr;
    QComboBox* followTargetList_ = nullptr;
    QCheckBox* croupierCheck_ = nullptr;
    QLabel* croupierLabel_ = nullptr;
    QComboBox* croupierFilterList_ = nullptr;
    // The captions whose click ticks a check box.
    std::vector<std::pair<QLabel*, QCheckBox*>> captionBoxes_;
};

}  // namespace spinalyst
