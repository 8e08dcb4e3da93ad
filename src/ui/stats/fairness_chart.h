#pragma once

#include <QChartView>
#include <QStringList>
#include <vector>

#include "core/stats/fairness_summary.h"

class QBarCategoryAxis;
class QBarSeries;
class QGraphicsSimpleTextItem;
class QBarSet;
class QLineSeries;
class QValueAxis;

namespace spinalyst {

// Each pocket's z-score as a bar, in wheel order, with the lines a bar must pass to mean
// something: the usual +-2 and the threshold of Holm's correction over every pocket. A bar
// beyond +-6 would flatten all the others: it stops there, marked with its value.
class FairnessChart final : public QChartView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FairnessChart)

public:
    explicit FairnessChart(QWidget* parent = nullptr);

    void ApplyCaptions();
    // No figures: an empty chart on the kind's wheel.
    void SetFigures(RouletteKind kind, const std::vector<WheelZ>& around);

    QBarSet* zSet() const { return z_; }
    QLineSeries* usualLine() const { return usualUpper_; }
    QLineSeries* holmLine() const { return holmUpper_; }
    QValueAxis* zAxis() const { return zAxis_; }
    QStringList categories() const;
    // The values written on the bars that stop at the axis's end, left to right.
    QStringList clippedMarks() const;

private:
    void ShowBarTip(bool hovered, int index);
    // Puts each clipped bar's value just beyond its end.
    void PlaceMarks();

    RouletteKind kind_ = defaultKind;
    QBarSet* z_ = nullptr;
    QBarSeries* bars_ = nullptr;
    // The z-scores as they are, the bars showing them clipped.
    QList<qreal> zs_;
    std::vector<QGraphicsSimpleTextItem*> marks_;
    QBarCategoryAxis* pockets_ = nullptr;
    QValueAxis* zAxis_ = nullptr;
    QLineSeries* usualUpper_ = nullptr;
    QLineSeries* usualLower_ = nullptr;
    QLineSeries* holmUpper_ = nullptr;
    QLineSeries* holmLower_ = nullptr;
};

}  // namespace spinalyst
