#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <vector>

#include "core/stats/slot_stats.h"

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
class StatsCharts final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatsCharts)

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
    QValueAxis* waitsAxis() const { return waitsAxis_; }

    // The category labels as the axes show them: every k-th when they would run together.
    QStringList shownLabels() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Shows every k-th label, k chosen for the width of the charts.
    void ApplyLabelStride();
    void ShowBarTip(bool hovered, int index, const QString& value);

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
    int labelStride_ = 1;
};

}  // namespace spinalyst
