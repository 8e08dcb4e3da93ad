#include "draws/keyboard_entry.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QStatusBar>

#include "app/game_session.h"
#include "app/texts.h"

namespace spinalyst {

namespace {
// Widgets that want digits for themselves.
bool TakesText(QWidget* w) {
    if (!w) return false;
    if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w)) return true;
    auto* combo = qobject_cast<QComboBox*>(w);
    return combo && combo->isEditable();
}
}  // namespace

KeyboardEntry::KeyboardEntry(QMainWindow* window, GameSession* session)
    : QObject(window), window_(window), session_(session) {
    qApp->installEventFilter(this);
}

bool KeyboardEntry::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != window_ || TakesText(QApplication::focusWidget()))
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            const QString typed = QString::fromStdString(entry_.typed());
            Pocket p = 0;
            switch (entry_.Commit(session_->kind(), p)) {
                case PocketEntry::Result::Nothing:
                    return false;
                case PocketEntry::Result::Refused:
                    window_->statusBar()->showMessage(typed + " " + Text(TextId::NotAPocket), 5000);
                    return true;
                case PocketEntry::Result::Accepted:
                    window_->statusBar()->clearMessage();
                    session_->AddDraw(p);
                    return true;
            }
            return true;
        }
        case Qt::Key_Escape:
            if (entry_.typed().empty()) return false;
            entry_.Clear();
            window_->statusBar()->clearMessage();
            return true;
        case Qt::Key_Backspace:
            if (entry_.typed().empty()) return false;
            entry_.Backspace();
            ShowTyped();
            return true;
        default:
            break;
    }
    const QString text = key->text();
    if (text.size() == 1 && entry_.Type(text.at(0).toLatin1())) {
        ShowTyped();
        return true;
    }
    return false;
}

void KeyboardEntry::ShowTyped() {
    if (entry_.typed().empty())
        window_->statusBar()->clearMessage();
    else
        window_->statusBar()->showMessage(Text(TextId::TypedPocket) + ": " +
                                          QString::fromStdString(entry_.typed()));
}

}  // namespace spinalyst
