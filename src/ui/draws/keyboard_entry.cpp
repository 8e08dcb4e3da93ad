#include "ui/draws/keyboard_entry.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>

#include "ui/common/game_session.h"
#include "ui/common/texts.h"

namespace spinalyst {

namespace {
// Widgets that want digits for themselves.
bool TakesText(const QWidget* w) {
    if (!w) return false;
    if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w)) return true;
    auto* combo = qobject_cast<const QComboBox*>(w);
    return combo && combo->isEditable();
}

// The list a widget belongs to: the combo box itself or the line edit inside an editable one.
QComboBox* ComboOf(QWidget* w) {
    for (; w; w = w->parentWidget())
        if (auto* combo = qobject_cast<QComboBox*>(w)) return combo;
    return nullptr;
}

// Whether a click on w moves the focus by itself: w or a widget it lies in takes focus on a
// click (a grid's viewport lies in its view).
bool TakesClickFocus(const QWidget* w) {
    for (; w && !w->isWindow(); w = w->parentWidget())
        if (w->focusPolicy() & Qt::ClickFocus) return true;
    return false;
}
}  // namespace

KeyboardEntry::KeyboardEntry(QMainWindow* window, GameSession* session, QWidget* home)
    : QObject(window), window_(window), session_(session), home_(home) {
    destination_ = new QLabel(window->statusBar());
    destination_->setObjectName("lbTypingGoesTo");
    window->statusBar()->addPermanentWidget(destination_);
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
    ShowDestination();
}

void KeyboardEntry::ReturnFocus() {
    if (home_) home_->setFocus(Qt::OtherFocusReason);
    ShowDestination();
}

void KeyboardEntry::ReturnFocusLater() {
    QTimer::singleShot(0, this, &KeyboardEntry::ReturnFocus);
}

void KeyboardEntry::OnFocusChanged(QWidget* now) {
    // A choice from a list, by mouse or keys, ends with draw entry taking the keyboard again.
    if (now && now->window() == window_)
        if (QComboBox* combo = ComboOf(now))
            connect(combo, &QComboBox::activated, this, &KeyboardEntry::ReturnFocusLater,
                    Qt::UniqueConnection);
    ShowDestination();
}

void KeyboardEntry::ShowDestination() {
    const bool toBox = TakesText(QApplication::focusWidget());
    destination_->setText(Text(toBox ? TextId::TypingEditsBox : TextId::TypingEntersDraws));
}

bool KeyboardEntry::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::MouseButtonPress) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != window_) return false;
    QWidget* focus = QApplication::focusWidget();
    if (type == QEvent::MouseButtonPress) {
        // A click beside the box being edited, on something that takes no focus itself (a
        // tab, a label, the input panel), ends the edit.
        if (TakesText(focus) && !TakesText(widget) && !ComboOf(widget) && !TakesClickFocus(widget))
            ReturnFocusLater();
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (TakesText(focus)) {
        if (key->key() == Qt::Key_Escape) {
            ReturnFocus();
            return true;
        }
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        // The box takes its Enter first (a number box applies its value), then lets go.
        if (enter && (qobject_cast<QAbstractSpinBox*>(focus) || ComboOf(focus))) ReturnFocusLater();
        return false;
    }
    return OnKeyPress(key);
}

bool KeyboardEntry::OnKeyPress(QKeyEvent* key) {
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
        case Qt::Key_Slash: {
            // One key, on the number pad too, for a dealer who did not alternate.
            session_->TurnDirection();
            const bool clockwise = session_->game().currentDirection() == SpinDirection::Clockwise;
            window_->statusBar()->showMessage(
                Text(clockwise ? TextId::Clockwise : TextId::Anticlockwise), 3000);
            return true;
        }
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
        window_->statusBar()->showMessage(
            Labelled(Text(TextId::TypedPocket), QString::fromStdString(entry_.typed())));
}

}  // namespace spinalyst
