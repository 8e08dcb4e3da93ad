#include "ui/stats/fairness_chart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCursor>
#include <QGraphicsSimpleTextItem>
#include <QLegendMarker>
#include <QLineSeries>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "core/model/wheel.h"
#include "ui/common/look.h"
#include "ui/common/texts.h"
#include "ui/stats/fairness_texts.h"

namespace spinalyst {

namespace {
const QColor barColour = hitsColour;
const QColor usualColour(128, 128, 128);
const QColor holmColour(0, 0, 255);
// Where the axis stops when a bar goes further.
constexpr double clipZ = 6;

QLineSeries* NewLine(QChart* chart, const QColor& colour, Qt::PenStyle style) {
    auto* line = new QLineSeries;
    QPen pen(colour);
    pen.setWidth(2);
    pen.setStyle(style);
    line->setPen(pen);
    chart->addSeries(line);
    return line;
}

// A horizontal line across every bar.
void PlaceLine(QLineSeries* line, double z, int bars) {
    line->replace(QList<QPointF>{{-0.5, z}, {bars - 0.5, z}});
}
}  // namespace

FairnessChart::FairnessChart(QWidget* parent) : QChartView(parent) {
    auto* chart = new QChart;
    chart->setMargins(QMargins(2, 0, 2, 0));
    chart->setBackgroundRoundness(0);
    QFont title = chart->titleFont();
    title.setBold(true);
    chart->setTitleFont(title);
    chart->legend()->setAlignment(Qt::AlignBottom);
    QFont legendFont = chart->legend()->font();
    legendFont.setPixelSize(10);
    chart->legend()->setFont(legendFont);

    z_ = new QBarSet(QString());
    z_->setColor(barColour);
    z_->setBorderColor(barColour);
    auto* bars = new QBarSeries;
    bars_ = bars;
    bars->append(z_);
    bars->setBarWidth(0.7);
    chart->addSeries(bars);
    usualUpper_ = NewLine(chart, usualColour, Qt::DashLine);
    usualLower_ = NewLine(chart, usualColour, Qt::DashLine);
    holmUpper_ = NewLine(chart, holmColour, Qt::DashLine);
    holmLower_ = NewLine(chart, holmColour, Qt::DashLine);

    pockets_ = new QBarCategoryAxis;
    pockets_->setTruncateLabels(false);
    pockets_->setLineVisible(false);
    pockets_->setGridLineVisible(false);
    QFont f = pockets_->labelsFont();
    f.setPixelSize(9);
    pockets_->setLabelsFont(f);
    zAxis_ = new QValueAxis;
    zAxis_->setLineVisible(false);
    zAxis_->setTruncateLabels(false);
    zAxis_->setMinorTickCount(0);
    zAxis_->setLabelFormat("%d");
    zAxis_->setTickType(QValueAxis::TicksDynamic);
    zAxis_->setTickAnchor(0);
    f = zAxis_->labelsFont();
    f.setPixelSize(10);
    zAxis_->setLabelsFont(f);
    chart->addAxis(pockets_, Qt::AlignBottom);
    chart->addAxis(zAxis_, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(pockets_);
        series->attachAxis(zAxis_);
    }
    // The legend names the two thresholds once each.
    for (QAbstractSeries* series :
         {static_cast<QAbstractSeries*>(bars), static_cast<QAbstractSeries*>(usualLower_),
          static_cast<QAbstractSeries*>(holmLower_)})
        for (QLegendMarker* marker : chart->legend()->markers(series)) marker->setVisible(false);

    setChart(chart);
    setRenderHint(QPainter::Antialiasing);
    setMinimumHeight(160);
    connect(z_, &QBarSet::hovered, this, &FairnessChart::ShowBarTip);
    connect(chart, &QChart::plotAreaChanged, this, &FairnessChart::PlaceMarks);
    SetFigures(kind_, {});
}

void FairnessChart::ApplyCaptions() {
    chart()->setTitle(Text(TextId::ZChartTitle));
    usualUpper_->setName(Text(TextId::UsualThreshold));
    holmUpper_->setName(
        TextWith(TextId::HolmThreshold, DecimalText(HolmPocketThresholdZ(kind_), 2)));
}

QStringList FairnessChart::categories() const {
    return pockets_->categories();
}

void FairnessChart::SetFigures(RouletteKind kind, const std::vector<WheelZ>& around) {
    const bool newKind = kind != kind_ || pockets_->count() == 0;
    kind_ = kind;
    const auto order = WheelOrder(kind);
    const int bars = static_cast<int>(order.size());
    if (newKind) {
        QStringList labels;
        for (Pocket p : order) labels << QString::fromStdString(PocketText(p));
        pockets_->setCategories(labels);
        holmUpper_->setName(
            TextWith(TextId::HolmThreshold, DecimalText(HolmPocketThresholdZ(kind), 2)));
    }
    // Without figures the bars stand at 0, so the wheel and the thresholds still show.
    zs_ = QList<qreal>(bars, 0.0);
    if (static_cast<int>(around.size()) == bars)
        for (int i = 0; i < bars; ++i) zs_[i] = around[static_cast<std::size_t>(i)].z;
    QList<qreal> values(bars, 0.0);
    double furthest = 0;
    for (int i = 0; i < bars; ++i) {
        values[i] = std::clamp(zs_[i], -clipZ, clipZ);
        furthest = std::max(furthest, std::fabs(values[i]));
    }
    if (z_->count() != bars) {
        z_->remove(0, z_->count());
        z_->append(values);
    } else {
        for (int i = 0; i < bars; ++i)
            if (z_->at(i) != values[i]) z_->replace(i, values[i]);
    }
    const double holm = HolmPocketThresholdZ(kind);
    PlaceLine(usualUpper_, 2, bars);
    PlaceLine(usualLower_, -2, bars);
    PlaceLine(holmUpper_, holm, bars);
    PlaceLine(holmLower_, -holm, bars);
    // Symmetric, with both thresholds and every bar in sight, and at most four ticks on
    // either side of 0 so that their labels stay apart on a short chart.
    const double needed = std::max(holm, furthest) + 0.25;
    double step = 1;
    for (double decade = 1; needed > 4 * step; decade *= 10)
        for (double m : {2.0, 5.0, 10.0})
            if (needed > 4 * step) step = m * decade;
    const double reach = std::ceil(needed / step) * step;
    zAxis_->setRange(-reach, reach);
    zAxis_->setTickInterval(step);

    for (QGraphicsSimpleTextItem* mark : marks_) delete mark;
    marks_.clear();
    QFont font = pockets_->labelsFont();
    font.setBold(true);
    for (int i = 0; i < bars; ++i) {
        if (std::fabs(zs_[i]) <= clipZ) continue;
        auto* mark = new QGraphicsSimpleTextItem(DecimalText(zs_[i], 1), chart());
        mark->setFont(font);
        mark->setBrush(barColour.darker(130));
        mark->setData(0, i);
        marks_.push_back(mark);
    }
    PlaceMarks();
}

QStringList FairnessChart::clippedMarks() const {
    QStringList texts;
    for (const QGraphicsSimpleTextItem* mark : marks_) texts << mark->text();
    return texts;
}

void FairnessChart::PlaceMarks() {
    for (QGraphicsSimpleTextItem* mark : marks_) {
        const int i = mark->data(0).toInt();
        const double end = std::clamp(zs_[i], -clipZ, clipZ);
        const QPointF at = chart()->mapToPosition(QPointF(i, end), bars_);
        const QRectF box = mark->boundingRect();
        // Beyond the bar's end, on the side it points to.
        mark->setPos(at.x() - box.width() / 2, end > 0 ? at.y() - box.height() - 1 : at.y() + 1);
    }
}

void FairnessChart::ShowBarTip(bool hovered, int index) {
    const QStringList labels = pockets_->categories();
    if (!hovered || index < 0 || index >= labels.size()) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(QCursor::pos(),
                       Labelled(labels.at(index), "z = " + DecimalText(zs_.value(index), 2)));
}

}  // namespace spinalyst
