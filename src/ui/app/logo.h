#pragma once

#include <QPixmap>
#include <QSize>

namespace spinalyst {

// The product logo: the name in pale letters beside a small wheel, drawn on a transparent
// background so it sits on the dialogs' green.
QPixmap DrawLogo(QSize size);

}  // namespace spinalyst
