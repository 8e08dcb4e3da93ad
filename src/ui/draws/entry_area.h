#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace spinalyst {

class GameSession;
class InputPanel;

// The top of the left column: the pocket panel, the croupier of the coming draws, random
// batches and undo.
class EntryArea final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EntryArea)

public:
    explicit EntryArea(GameSession* session, QWidget* parent = nullptr);

    void ApplyCaptions();
    // Fills the croupier box: an empty entry, then the names in ascending order.
    void FillCroupierList();
    InputPanel* inputPanel() const { return pnlSaisie; }

signals:
    // Something the user should know went wrong, for the status bar.
    void problem(const QString& message);

private:
    void AddCroupier();
    void SelectCroupier(const QString& text);
    void DrawRandomBatch();

    GameSession* session_;
    InputPanel* pnlSaisie = nullptr;
    QLabel* lbCroupier = nullptr;
    QComboBox* cbCroupiers = nullptr;
    QPushButton* btCroupier = nullptr;
    QPushButton* btRandom = nullptr;
    QSpinBox* seNbRand = nullptr;
    QPushButton* btnUndo = nullptr;
};

}  // namespace spinalyst
