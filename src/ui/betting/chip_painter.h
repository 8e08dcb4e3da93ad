#pragma once

#include <QRectF>
#include <QString>

#include "core/betting/chips.h"

class QPainter;

namespace spinalyst {

// Paints one chip of the given denomination in `rect` (a circle as large as the rect's
// shorter side): its face, the stripes on its edge and the inlay, with `caption` on it in
// the chip's ink. Empty `caption`: the chip's own denomination.
void PaintChip(QPainter& painter, const QRectF& rect, const ChipDenomination& chip,
               const QString& caption = {});

// A chip of the table: the face of its denomination, and its stake on a tag over it.
void PaintStakeOnChip(QPainter& painter, const QRectF& rect, const ChipDenomination& chip,
                      const QString& stake);

}  // namespace spinalyst
