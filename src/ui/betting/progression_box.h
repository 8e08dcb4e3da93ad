#pragma once

#include <QGroupBox>
#include <optional>

#include "core/betting/plan_settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace spinalyst {

class AppSettings;
class GameSession;

// The Bets page's "Progression" box: the progression and its line or sequence, the money
// rules, and the buttons that start and stop a session played live at the table; below them
// what the next spin stakes and what is left of the bankroll, or why the session ended. What
// it holds goes to the settings as it is edited, and it shows a plan changed elsewhere.
class ProgressionBox final : public QGroupBox {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProgressionBox)

public:
    ProgressionBox(GameSession* session, AppSettings* settings, QWidget* parent = nullptr);

    void ApplyCaptions();
    // The box as settings; nullopt (and the reason shown) when an entry cannot be read.
    std::optional<PlanSettings> ReadBox();

    // Where the table stands, from the session: called after every draw, undo and plan change.
    void ShowState();

private:
    void LoadSettings();
    void SaveSettings();
    void OnPlanChanged();
    void OnStart();
    void ShowEntriesFor();
    QLineEdit* AmountEdit(const char* name);

    GameSession* session_;
    AppSettings* settings_;
    QComboBox* progression_ = nullptr;
    QLineEdit* entries_ = nullptr;
    QComboBox* advanceOn_ = nullptr;
    QLabel* bankrollCaption_ = nullptr;
    QLineEdit* bankroll_ = nullptr;
    QLabel* tableMaxCaption_ = nullptr;
    QLineEdit* tableMax_ = nullptr;
    QComboBox* atLimit_ = nullptr;
    QLabel* stopWinCaption_ = nullptr;
    QLineEdit* stopWin_ = nullptr;
    QLabel* stopLossCaption_ = nullptr;
    QLineEdit* stopLoss_ = nullptr;
    QCheckBox* laPartage_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* stop_ = nullptr;
    QLabel* state_ = nullptr;
    // A start refused, shown until the next change.
    QString problem_;
    // Entries and amounts the box holds for the other progression's field.
    ProgressionSettings heldEntries_;
    // The plan as the box last showed or kept it.
    PlanSettings shown_;
};

}  // namespace spinalyst
