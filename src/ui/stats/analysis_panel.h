#pragma once

#include <QWidget>
#include <array>
#include <utility>
#include <vector>

#include "core/model/roulette.h"
#include "core/stats/analysis_window.h"
#include "ui/stats/analysis_settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;
class QToolButton;

namespace spinalyst {

class AnalysisSettings;
class GameSession;

// The panel above the statistics pages: which draws are analysed (range, step, following or
// croupier filter, wheel and direction filters) and the nine statistics modes that store those
// settings. It shows the analysis settings and hands every change the user makes to them; it keeps
// no setting of its own.
class AnalysisPanel final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AnalysisPanel)

public:
    AnalysisPanel(AnalysisSettings* settings, const GameSession* session,
                  QWidget* parent = nullptr);

    // What the controls show, as plain values.
    AnalysisControls Controls() const;
    void ApplyCaptions();
    // The croupier filter list: an empty entry and the names; keeps the filter text.
    void FillCroupierList();
    // The same for the wheel filter.
    void FillWheelList();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void ConnectHandlers();
    // Brings every control to the settings, quietly; a control that already shows its value
    // is left alone, so that a box being typed in keeps its cursor.
    void ShowSettings();
    void ShowAnalysedCount(const QString& text);
    void HighlightModeButton(int n);
    void FillTargetList(std::optional<FollowFamily> family);
    // The step and family lists from the language texts.
    void FillFixedLists();

    void OnRangeModeClicked(QCheckBox* clicked);
    void OnFilterModeClicked(QCheckBox* clicked);
    void OnFollowFamilyChanged();
    void Edit();

    AnalysisSettings* settings_;
    const GameSession* session_;
    // The family and kind the target list was filled for.
    std::optional<std::pair<std::optional<FollowFamily>, RouletteKind>> targetListFor_;

    QLabel* modeTitle_ = nullptr;
    QWidget* modeButtonBar_ = nullptr;
    std::array<QToolButton*, statModeCount> modeButtons_{};
    QLabel* analysedCountLabel_ = nullptr;
    // The longest text the count's label was sized for.
    qsizetype countSizedFor_ = 0;
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
    QCheckBox* wheelCheck_ = nullptr;
    QLabel* wheelLabel_ = nullptr;
    QComboBox* wheelFilterList_ = nullptr;
    QCheckBox* directionCheck_ = nullptr;
    QLabel* directionLabel_ = nullptr;
    QComboBox* directionList_ = nullptr;
    // The captions whose click ticks a check box.
    std::vector<std::pair<QLabel*, QCheckBox*>> captionBoxes_;
};

}  // namespace spinalyst
