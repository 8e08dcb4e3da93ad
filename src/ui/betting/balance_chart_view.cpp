#include "ui/betting/balance_chart_view.h"

#include <QChart>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>

#include "core/betting/balance_chart.h"
#include "core/stats/slot_stats.h"
#include "ui/common/look.h"
#include "ui/common/value_axis.h"

namespace spinalyst {

namespace {
QValueAxis* NewAxis() {
    auto* axis = new QValueAxis;
    axis->setMinorTickCount(0);
    axis->setLabelFormat("%.0f");
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setGridLineColor(chartGridColour);
    axis->setTruncateLabels(false);
    QFont f = axis->labelsFont();
    f.setPixelSize(10);
    axis->setLabelsFont(f);
    return axis;
}
}  // namespace

BalanceChartView::BalanceChartView(const BetHistory& history, QWidget* parent)
    : QChartView(parent), history_(history) {
    setObjectName("chBalance");
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setMargins(QMargins(2, 0, 6, 0));
    chart->setBackgroundRoundness(0);
    QFont title = chart->titleFont();
    title.setBold(true);
    chart->setTitleFont(title);
    line_ = new QLineSeries;
    QPen pen(balanceColour);
    pen.setWidthF(1.2);
    line_->setPen(pen);
    chart->addSeries(line_);
    drawsAxis_ = NewAxis();
    balanceAxis_ = NewAxis();
    chart->addAxis(drawsAxis_, Qt::AlignBottom);
    chart->addAxis(balanceAxis_, Qt::AlignLeft);
    line_->attachAxis(drawsAxis_);
    line_->attachAxis(balanceAxis_);
    setChart(chart);
    setRenderHint(QPainter::Antialiasing);
    setMinimumHeight(120);
}

void BalanceChartView::SetTitle(const QString& title) {
    chart()->setTitle(title);
}

void BalanceChartView::Refresh() {
    stale_ = true;
    if (isVisible()) Redraw();
}

void BalanceChartView::showEvent(QShowEvent* event) {
    QChartView::showEvent(event);
    if (stale_) Redraw();
}

void BalanceChartView::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    // The points depend on the width of the plot.
    stale_ = true;
    if (isVisible()) Redraw();
}

void BalanceChartView::Redraw() {
    stale_ = false;
    // Before the first layout the plot has no size yet: the view's width stands in for it.
    const qreal plotWidth = chart()->plotArea().width();
    const int columns = std::max(1, static_cast<int>(plotWidth > 1 ? plotWidth : width()));
    const std::vector<BalancePoint> points = BalanceChartPoints(history_, columns);
    QList<QPointF> line;
    line.reserve(static_cast<qsizetype>(points.size()));
    for (const BalancePoint& p : points)
        line.append(QPointF(static_cast<qreal>(p.settled), static_cast<qreal>(p.balance) / 100));
    line_->replace(line);
    const BalanceAxis axis = BalanceAxisScale(points);
    SetAxisScale(balanceAxis_, static_cast<qreal>(axis.min) / 100,
                 static_cast<qreal>(axis.max) / 100, static_cast<qreal>(axis.step) / 100, 0);
    const auto settled = static_cast<std::int64_t>(std::max<std::size_t>(history_.size(), 1));
    SetAxisScale(drawsAxis_, 0, static_cast<qreal>(settled), static_cast<qreal>(TickStep(settled)),
                 0);
}

}  // namespace spinalyst
