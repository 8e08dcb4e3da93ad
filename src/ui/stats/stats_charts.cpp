#include "ui/stats/stats_charts.h"
#include "ui/common/look.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QEvent>
#include <QFontMetrics>
#include <QLineSeries>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>

#include "ui/common/texts.h"
#include "ui/common/value_axis.h"

namespace spinalyst {

namespace {
// Below this the charts elide their axis labels.
constexpr int minimumChartHeight = 120;

QChart* NewChart() {
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setMargins(QMargins(2, 0, 2, 0));
    chart->setBackgroundRoundness(0);
    QFont title = chart->titleFont();
    title.setBold(true);
    chart->setTitleFont(title);
    return chart;
}

QBarCategoryAxis* NewCategoryAxis() {
    auto* axis = new QBarCategoryAxis;
    // Crowded labels would otherwise all become "...": narrow bars keep their numbers.
    axis->setTruncateLabels(false);
    axis->setLineVisible(false);
    axis->setGridLineVisible(false);
    QFont f = axis->labelsFont();
    f.setPixelSize(10);
    axis->setLabelsFont(f);
    return axis;
}

QValueAxis* NewValueAxis() {
    auto* axis = new QValueAxis;
    axis->setLineVisible(false);
    axis->setGridLineVisible(false);
    axis->setMinorTickCount(0);
    axis->setLabelFormat("%d");
    QFont f = axis->labelsFont();
    f.setPixelSize(10);
    axis->setLabelsFont(f);
    return axis;
}

void ApplyScale(QValueAxis* axis, const AxisScale& scale) {
    SetAxisScale(axis, scale.min, scale.max, static_cast<qreal>(scale.tickStep), scale.min);
}

// Bars that change one by one lay the whole chart out for each of them: when more than one
// changes, the set is filled again at once.
void SetValues(QBarSet* set, const std::vector<int>& values) {
    int changed = 0;
    int at = -1;
    if (set->count() == static_cast<int>(values.size())) {
        for (int i = 0; i < set->count(); ++i)
            if (set->at(i) != values[static_cast<std::size_t>(i)]) {
                ++changed;
                at = i;
            }
    }
    if (changed == 1) {
        set->replace(at, values[static_cast<std::size_t>(at)]);
    } else if (changed > 1 || set->count() != static_cast<int>(values.size())) {
        set->remove(0, set->count());
        set->append(QList<qreal>(values.begin(), values.end()));
    }
}
}  // namespace

StatsCharts::StatsCharts(QWidget* parent, const QString& hitsName, const QString& waitsName) {
    QChart* hitsChart = NewChart();
    hits_ = new QBarSet(QString());
    hits_->setColor(hitsColour);
    hits_->setBorderColor(hitsColour);
    auto* hitsSeries = new QBarSeries;
    hitsSeries->append(hits_);
    hitsChart->addSeries(hitsSeries);
    hitsCategories_ = NewCategoryAxis();
    hitsAxis_ = NewValueAxis();
    hitsChart->addAxis(hitsCategories_, Qt::AlignBottom);
    hitsChart->addAxis(hitsAxis_, Qt::AlignLeft);
    hitsSeries->attachAxis(hitsCategories_);
    hitsSeries->attachAxis(hitsAxis_);
    hitsView_ = new QChartView(hitsChart, parent);
    hitsView_->setObjectName(hitsName);
    hitsView_->setRenderHint(QPainter::Antialiasing);
    hitsView_->setMinimumHeight(minimumChartHeight);
    hitsView_->installEventFilter(this);
    connect(hits_, &QBarSet::hovered, this,
            [this](bool on, int i) { ShowBarTip(on, i, QString::number(hits_->at(i))); });

    QChart* waitsChart = NewChart();
    current_ = new QBarSet(QString());
    current_->setColor(currentWaitColour);
    current_->setBorderColor(currentWaitColour);
    auto* waitsSeries = new QBarSeries;
    waitsSeries->append(current_);
    longest_ = new QLineSeries;
    QPen pen(longestWaitColour);
    pen.setWidth(2);
    longest_->setPen(pen);
    waitsChart->addSeries(waitsSeries);
    waitsChart->addSeries(longest_);
    waitsCategories_ = NewCategoryAxis();
    waitsAxis_ = NewValueAxis();
    waitsChart->addAxis(waitsCategories_, Qt::AlignBottom);
    waitsChart->addAxis(waitsAxis_, Qt::AlignLeft);
    waitsSeries->attachAxis(waitsCategories_);
    waitsSeries->attachAxis(waitsAxis_);
    longest_->attachAxis(waitsCategories_);
    longest_->attachAxis(waitsAxis_);
    waitsView_ = new QChartView(waitsChart, parent);
    waitsView_->setObjectName(waitsName);
    waitsView_->setRenderHint(QPainter::Antialiasing);
    waitsView_->setMinimumHeight(minimumChartHeight);
    connect(current_, &QBarSet::hovered, this, [this](bool on, int i) {
        const QPointF longest = i < longest_->count() ? longest_->at(i) : QPointF();
        ShowBarTip(on, i, QString::number(current_->at(i)) + " / " + QString::number(longest.y()));
    });
}

void StatsCharts::ShowBarTip(bool hovered, int index, const QString& value) {
    if (!hovered || index < 0 || index >= labels_.size()) {
        QToolTip::hideText();
        return;
    }
    // Two-line labels are rich text; the tip names the slot on one line.
    QString slot = labels_.at(index);
    slot.replace(QStringLiteral("<br>"), QStringLiteral("-"));
    QToolTip::showText(QCursor::pos(), Labelled(slot, value));
}

QStringList StatsCharts::shownLabels() const {
    return hitsCategories_->categories();
}

bool StatsCharts::eventFilter(QObject* watched, QEvent* event) {
    if (watched == hitsView_ && event->type() == QEvent::Resize) ApplyLabelStride();
    return QObject::eventFilter(watched, event);
}

void StatsCharts::ApplyLabelStride() {
    if (labels_.isEmpty()) return;
    const QFontMetrics metrics(hitsCategories_->labelsFont());
    int widest = 0;
    for (const QString& label : labels_)
        for (const QString& line : label.split(QStringLiteral("<br>")))
            widest = std::max(widest, metrics.horizontalAdvance(line));
    // The plot area is the view less the value axis and the margins.
    const int available = hitsView_->width() - 50;
    const int stride = AxisLabelStride(static_cast<int>(labels_.size()), available, widest);
    if (stride == labelStride_ && hitsCategories_->count() == labels_.size()) return;
    labelStride_ = stride;
    QStringList shown;
    for (int i = 0; i < labels_.size(); ++i)
        // Categories must differ: a hidden label is a different run of zero-width spaces.
        shown << (i % stride == 0 ? labels_.at(i) : QString(i + 1, QChar(0x200B)));
    hitsCategories_->setCategories(shown);
    waitsCategories_->setCategories(shown);
}

void StatsCharts::SetTitles(const QString& hits, const QString& waits) {
    hitsView_->chart()->setTitle(hits);
    waitsView_->chart()->setTitle(waits);
}

void StatsCharts::SetLabelAreaHeight(int pixels) {
    hitsView_->setMinimumHeight(minimumChartHeight + pixels / 2);
    waitsView_->setMinimumHeight(minimumChartHeight + pixels / 2);
}

void StatsCharts::SetPoints(const QStringList& labels, const std::vector<int>& hits,
                            const std::vector<int>& current, const std::vector<int>& longest,
                            const AxisScale& hitsScale, const AxisScale& waitsScale) {
    if (labels != labels_) {
        labels_ = labels;
        // Narrow bars get a smaller face, so that two digits still fit under each.
        for (QBarCategoryAxis* axis : {hitsCategories_, waitsCategories_}) {
            QFont f = axis->labelsFont();
            f.setPixelSize(labels.size() > 40 ? 8 : labels.size() > 20 ? 9 : 10);
            axis->setLabelsFont(f);
        }
        hitsCategories_->clear();
        waitsCategories_->clear();
        ApplyLabelStride();
    }
    SetValues(hits_, hits);
    SetValues(current_, current);
    QList<QPointF> line;
    line.reserve(static_cast<qsizetype>(longest.size()));
    for (std::size_t i = 0; i < longest.size(); ++i)
        line.append(QPointF(static_cast<qreal>(i), longest[i]));
    if (line != longest_->points()) longest_->replace(line);

    ApplyScale(hitsAxis_, hitsScale);
    ApplyScale(waitsAxis_, waitsScale);
}

}  // namespace spinalyst
