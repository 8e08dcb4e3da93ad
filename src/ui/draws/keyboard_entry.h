#pragma once

#include <QObject>

#include "draws/pocket_entry.h"

class QMainWindow;

namespace spinalyst {

class GameSession;

// Lets a player at a live table type pockets: digits, then Enter, while the main window is
// active and no text field has the focus. What is typed shows in the status bar.
class KeyboardEntry final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(KeyboardEntry)

public:
    KeyboardEntry(QMainWindow* window, GameSession* session);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowTyped();

    QMainWindow* window_;
    GameSession* session_;
    PocketEntry entry_;
};

}  // namespace spinalyst
