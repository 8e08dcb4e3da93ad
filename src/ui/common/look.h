#pragma once

#include <QColor>
#include <QFont>

#include "core/model/roulette.h"

class QWidget;

namespace spinalyst {

// A colour the core gives, as the toolkit's.
inline QColor ToQColor(Rgb c) {
    return {c.r, c.g, c.b};
}

// The table-cloth green of the start dialog and the input panel.
inline const QColor clothGreen(1, 174, 84);
// The captions on the cloth of the start dialog and the about box.
inline const QColor paleYellow(238, 236, 153);
// Hits, the current wait and the longest wait, in every chart and grid: hits in the green of
// the table's zero.
inline const QColor hitsColour = ToQColor(greenDisplay);
inline const QColor currentWaitColour = ToQColor(redDisplay);
inline const QColor longestWaitColour(0, 0, 255);
// A warning that stays on screen while its danger lasts.
inline const QColor warningColour = ToQColor(redDisplay);
// The player's money over the spins: the Bets page's balance and the strategy lab's charts.
inline const QColor balanceColour(0, 0, 255);
// The grid lines behind a chart of money.
inline const QColor chartGridColour(225, 225, 225);

// The program's face: Tahoma 8 points, or the closest the system has.
QFont BaseFont(bool bold = false);
// The same face at a size in pixels, for grids and pictures whose texts must fit their cells
// whatever face stands in for it.
QFont FaceAtPixels(int pixels, bool bold = false);
// Fills the widget's background with the cloth green and sets the base font.
void DressInCloth(QWidget* widget, bool bold = false);

}  // namespace spinalyst
