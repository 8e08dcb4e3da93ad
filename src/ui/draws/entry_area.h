#pragma once

#include <QWidget>

#include "core/draws/draw_log.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace spinalyst {

class GameSession;
class InputPanel;

// The top of the left column: the pocket panel, the croupier, the wheel and the direction of
// the coming draws, random batches and undo.
class EntryArea final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EntryArea)

public:
    explicit EntryArea(GameSession* session, QWidget* parent = nullptr);

    void ApplyCaptions();
    // Fills the croupier box: an empty entry, then the names in ascending order.
    void FillCroupierList();
    // The same for the wheel box.
    void FillWheelList();

signals:
    // Something the user should know went wrong, for the status bar.
    void problem(const QString& message);

private:
    void AddCroupier();
    void SelectCroupier(const QString& text);
    void AddWheel();
    void SelectWheel(const QString& text);
    // The direction button: clockwise, anticlockwise, not noted, and round again.
    void CycleDirection();
    void ShowDirection();
    void DrawRandomBatch();

    GameSession* session_;
    InputPanel* inputPanel_ = nullptr;
    QLabel* croupierLabel_ = nullptr;
    QComboBox* croupierList_ = nullptr;
    QPushButton* newCroupierButton_ = nullptr;
    QLabel* wheelLabel_ = nullptr;
    QComboBox* wheelList_ = nullptr;
    QPushButton* newWheelButton_ = nullptr;
    QPushButton* directionButton_ = nullptr;
    QCheckBox* alternateCheck_ = nullptr;
    QPushButton* randomButton_ = nullptr;
    QSpinBox* randomCountEdit_ = nullptr;
    QPushButton* undoButton_ = nullptr;
};

}  // namespace spinalyst
