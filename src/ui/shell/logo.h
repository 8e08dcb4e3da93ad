#pragma once

#include <QPixmap>
#include <QSize>

namespace spinalyst {

// A transparent picture of the size, at twice its resolution so that it stays sharp on dense
// screens, for the pictures the program draws itself.
QPixmap NewDrawing(QSize size);

// The product logo: the name in pale letters beside a small wheel, drawn on a transparent
// background so it sits on the dialogs' green.
QPixmap DrawLogo(QSize size);

}  // namespace spinalyst
