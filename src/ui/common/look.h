#pragma once

#include <QColor>
#include <QFont>

class QWidget;

namespace spinalyst {

// The table-cloth green of the start dialog and the input panel.
inline const QColor clothGreen(1, 174, 84);

// The program's face: Tahoma 8 points, or the closest the system has.
QFont BaseFont(bool bold = false);
// Fills the widget's background with the cloth green and sets the base font.
void DressInCloth(QWidget* widget, bool bold = false);

}  // namespace spinalyst
