#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "stats/slot_stats.h"

class QBarCategoryAxis;
class QBarSet;
class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;
class QWidget;

namespace spinalyst {

// The two charts every statistics page shows: hits as green bars, and the waits as red bars
// (current) with a blue line (longest) on the same points.
class StatsCharts {
public:
    StatsCharts(QWidget* parent, const QString& hitsName, const QString& waitsName);

    QChartView* hitsView() const { return hitsView_; }
    QChartView* waitsView() const { return waitsView_; }
    void SetTitles(const QString& hits, const QString& waits);
    // Point labels, then the figures in the same order, and the scales of the two value axes.
    void SetPoints(const QStringList& labels, const std::vector<int>& hits,
                   const std::vector<int>& current, const std::vector<int>& longest,
                   const AxisScale& hitsScale, const AxisScale& waitsScale);
    void SetLabelAreaHeight(int pixels);

    QBarSet* hitsSet() const { return hits_; }
    QBarSet* currentSet() const { return current_; }
    QLineSeries* longestLine() const { return longest_; }
    QValueAxis* hitsAxis() const { return hitsAxis_; }

private:
    QChartView* hitsView_ = nullptr;
    QChartView* waitsView_ = nullptr;
    QBarSet* hits_ = nullptr;
    QBarSet* current_ = nullptr;
    QLineSeries* longest_ = nullptr;
    QBarCategoryAxis* hitsCategories_ = nullptr;
    QBarCategoryAxis* waitsCategories_ = nullptr;
    QValueAxis* hitsAxis_ = nullptr;
    QValueAxis* waitsAxis_ = nullptr;
    QStringList labels_;
};

}  // namespace spinalyst
