#pragma once

#include <QtGlobal>

class QValueAxis;

namespace spinalyst {

// Gives a value axis its range and the step of its labelled ticks, which fall on `anchor`. Each
// setter lays the axis out again with a label per tick: an axis already at that scale is left
// alone, and the step and the range change in the order that never asks, on the way, for more
// ticks than the old or the new scale has (a range of a million draws under a step of one
// would ask for a million labels).
void SetAxisScale(QValueAxis* axis, qreal min, qreal max, qreal step, qreal anchor);

}  // namespace spinalyst
