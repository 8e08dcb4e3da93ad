#pragma once

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

namespace spinalyst {

// What the screen shows after a change: the layouts and the repaints the change asked for,
// painted into the window's backing store as the event loop does after a key press. Only the
// parts that changed are painted, as on screen.
inline void PaintAsOnScreen() {
    QApplication::processEvents();
}

// The whole window painted, as when it is uncovered or resized: every widget, changed or not.
inline void PaintWholeWindow(QWidget& window, QImage& image) {
    QPainter painter(&image);
    window.render(&painter);
}

}  // namespace spinalyst
