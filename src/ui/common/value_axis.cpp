#include "ui/common/value_axis.h"

#include <QValueAxis>

namespace spinalyst {

void SetAxisScale(QValueAxis* axis, qreal min, qreal max, qreal step, qreal anchor) {
    if (axis->tickType() == QValueAxis::TicksDynamic && axis->min() == min && axis->max() == max &&
        axis->tickInterval() == step && axis->tickAnchor() == anchor)
        return;
    axis->setTickAnchor(anchor);
    if (axis->tickType() != QValueAxis::TicksDynamic) {
        axis->setTickInterval(step);
        axis->setRange(min, max);
        axis->setTickType(QValueAxis::TicksDynamic);
    } else if (step >= axis->tickInterval()) {
        axis->setTickInterval(step);
        axis->setRange(min, max);
    } else {
        axis->setRange(min, max);
        axis->setTickInterval(step);
    }
}

}  // namespace spinalyst
