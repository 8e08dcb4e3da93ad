#pragma once

#include <QPixmap>
#include <QWidget>

#include "core/stats/wheel_geometry.h"

namespace spinalyst {

class WheelFigures;

// The wheel of the current kind, each pocket's slice shaded by how often it came out, with
// the pocket numbers around it. Hovering a slice or a number tells the pocket's figures.
class WheelDrawing final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WheelDrawing)

public:
    explicit WheelDrawing(const WheelFigures* figures, QWidget* parent = nullptr);

    const WheelGeometry& wheel() const { return wheel_; }
    // Empty away from every slice and number.
    QString TipAt(QPointF point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    QPixmap PaintOverlay(qreal ratio) const;

    const WheelFigures* figures_;
    WheelGeometry wheel_;
    // The outlines, the hub and the numbers, which no draw changes.
    QPixmap overlay_;
};

}  // namespace spinalyst
