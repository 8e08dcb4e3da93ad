#pragma once

#include <QWidget>
#include <array>

#include "stats/analysis_window.h"
#include "store/settings.h"

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
    // Writes the current mode's section.
    void SaveModeSettings();
    // Saves the mode being left, loads mode n (its range end becomes the number of draws),
    // highlights its button and refreshes once.
    void SelectStatMode(int n);

    void ApplyCaptions();
    // The croupier filter list: an empty entry and the names; keeps the filter text.
    void FillCroupierList();
    // The range end follows the log after each new draw, without a refresh of its own.
    void SetRangeEnd(int drawCount);
    // What a refresh found: the corrected range start (if any) and the analysed count.
    void ShowRefreshResult(std::optional<int> loweredStart1, int analysedCount);

signals:
    void refreshRequested();

private:
    void BuildControls();
    void ConnectHandlers();
    void ApplyControls(const AnalysisControls& c, bool withEnd);
    void HighlightModeButton(int n);
    void FillTargetList();
    // The step and family lists from the language texts, each on its first entry.
    void FillFixedLists();

    void cbAll1Click(QCheckBox* clicked);
    void cbNext1Click(QCheckBox* clicked);
    void seStart1Change();
    void seEnd1Change();
    void cbParisChange();

    GameSession* session_;
    Settings settings_;
    int statMode_ = 1;

    QLabel* lbStat = nullptr;
    QWidget* pnlBtnsStat = nullptr;
    std::array<QToolButton*, statModeCount> sbStat{};
    QLabel* lbNbTir1 = nullptr;
    QCheckBox* cbAll1 = nullptr;
    QLabel* lbAnalyse = nullptr;
    QSpinBox* seStart1 = nullptr;
    QLabel* lbTo = nullptr;
    QSpinBox* seEnd1 = nullptr;
    QLabel* Label9 = nullptr;
    QComboBox* cbStep1 = nullptr;
    QCheckBox* cbLast1 = nullptr;
    QLabel* Label1 = nullptr;
    QSpinBox* seAnalyse1 = nullptr;
    QLabel* Label2 = nullptr;
    QCheckBox* cbNext1 = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* cbParis = nullptr;
    QComboBox* cbPari = nullptr;
    QCheckBox* cbNext2 = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* cbCroupier = nullptr;
};

}  // namespace spinalyst
