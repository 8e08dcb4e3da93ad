#pragma once

#include <QObject>
#include <QPointer>

#include "core/draws/pocket_entry.h"

class QKeyEvent;
class QLabel;
class QMainWindow;
class QWidget;

namespace spinalyst {

class GameSession;

// Lets a player at a live table type pockets: digits, then Enter, while the main window is
// active and no text box has the focus; "/" turns the direction of the coming spin round. A box
// being edited keeps its own digits, but a choice from a list, Enter in a number box, Escape, or a
// click outside the box gives the keyboard back to draw entry. The status bar always says where
// typed digits go.
class KeyboardEntry final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(KeyboardEntry)

public:
    // `home` takes the focus whenever the keyboard goes back to draw entry; it must not be a
    // text box.
    KeyboardEntry(QMainWindow* window, GameSession* session, QWidget* home);

    // Gives the keyboard back to draw entry.
    void ReturnFocus();
    // The permanent status text: where typed digits go now.

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OnKeyPress(QKeyEvent* key);
    void ShowTyped();
    void OnFocusChanged(QWidget* now);
    void ShowDestination();
    // Returns the keyboard once the event being handled has done its work.
    void ReturnFocusLater();

    QMainWindow* window_;
    GameSession* session_;
    QPointer<QWidget> home_;
    QLabel* destination_ = nullptr;
    PocketEntry entry_;
};

}  // namespace spinalyst
