#include "ui/stats/heat_legend.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <cmath>

#include "core/stats/wheel_stats.h"
#include "ui/common/texts.h"
#include "ui/stats/wheel_figures.h"

namespace spinalyst {

namespace {

constexpr int margin = 6;
constexpr int captionWidth = 14;
constexpr int barWidth = 10;
constexpr int markGap = 2;

QFont SmallFont(QFont font, int pixels) {
    font.setPixelSize(pixels);
    font.setBold(false);
    return font;
}

// The words, read from the bottom up, centred along `area`.
void DrawUpright(QPainter& painter, const QRect& area, const QString& text) {
    painter.save();
    painter.translate(area.left(), area.bottom() + 1);
    painter.rotate(-90);
    const QString shown = painter.fontMetrics().elidedText(text, Qt::ElideRight, area.height() - 4);
    painter.drawText(QRect(0, 0, area.height(), area.width()), Qt::AlignCenter, shown);
    painter.restore();
}

// An item per scale, the one in use checked; choosing one shades by it.
void FillScaleItems(QMenu* menu, WheelFigures* figures) {
    auto* group = new QActionGroup(menu);
    for (const auto& [scale, text] : {std::pair{HeatScale::Spread, TextId::HeatBySpread},
                                      std::pair{HeatScale::Deviation, TextId::HeatByDeviation}}) {
        QAction* item = menu->addAction(Text(text));
        item->setObjectName(scale == HeatScale::Spread ? "actHeatSpread" : "actHeatDeviation");
        item->setCheckable(true);
        item->setChecked(figures->scale() == scale);
        group->addAction(item);
        QObject::connect(item, &QAction::triggered, figures,
                         [figures, scale = scale] { figures->SetScale(scale); });
    }
}

}  // namespace

HeatLegend::HeatLegend(WheelFigures* figures, QWidget* parent)
    : QWidget(parent), figures_(figures) {
    setObjectName("heatLegend");
    connect(figures, &WheelFigures::changed, this, qOverload<>(&QWidget::update));
}

QSize HeatLegend::sizeHint() const {
    return {40, 300};
}

QSize HeatLegend::minimumSizeHint() const {
    return {40, 120};
}

QString HeatLegend::darkText() const {
    if (figures_->scale() == HeatScale::Deviation) return Text(TextId::HeatMoreThanExpected);
    const WheelStats* stats = figures_->stats();
    if (!stats || stats->highestHits <= stats->lowestHits) return Text(TextId::HeatMostHits);
    return Text(TextId::HeatMostHits) + QStringLiteral(" (%1)").arg(stats->highestHits);
}

QString HeatLegend::lightText() const {
    if (figures_->scale() == HeatScale::Deviation) return Text(TextId::HeatFewerThanExpected);
    const WheelStats* stats = figures_->stats();
    if (!stats || stats->highestHits <= stats->lowestHits) return Text(TextId::HeatFewestHits);
    return Text(TextId::HeatFewestHits) + QStringLiteral(" (%1)").arg(stats->lowestHits);
}

QStringList HeatLegend::marks() const {
    QStringList marks;
    if (figures_->scale() != HeatScale::Deviation) return marks;
    for (int z = int(heatScaleEndZ); z >= -int(heatScaleEndZ); --z)
        marks << (z > 0   ? QStringLiteral("+%1").arg(z)
                  : z < 0 ? QStringLiteral("\u2212%1").arg(-z)
                          : QStringLiteral("0"));
    return marks;
}

void HeatLegend::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect bar(captionWidth, margin, barWidth, height() - 2 * margin);
    const bool deviation = figures_->scale() == HeatScale::Deviation;
    for (int y = 0; y < bar.height(); ++y) {
        // From the dark end at the top to the light one at the bottom.
        const double t = (y + 0.5) / bar.height();
        const int shade = deviation ? DeviationShade(heatScaleEndZ * (1 - 2 * t))
                                    : static_cast<int>(std::lround(t * lightestShade));
        painter.setPen(QColor(shade, shade, shade));
        painter.drawLine(bar.left(), bar.top() + y, bar.right(), bar.top() + y);
    }
    painter.setPen(palette().color(QPalette::Mid));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(bar.adjusted(0, 0, -1, -1));

    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(SmallFont(font(), 10));
    const int half = bar.height() / 2;
    DrawUpright(painter, QRect(0, bar.top(), captionWidth, half), darkText());
    DrawUpright(painter, QRect(0, bar.top() + half, captionWidth, bar.height() - half),
                lightText());

    // The figures stand beside the bar at the heights they are reached.
    const QStringList shown = marks();
    painter.setFont(SmallFont(font(), 9));
    const int x = bar.right() + 1 + markGap;
    const int lineHeight = painter.fontMetrics().height();
    for (int i = 0; i < shown.size(); ++i) {
        const double t = shown.size() == 1 ? 0.0 : double(i) / (shown.size() - 1);
        const int y = bar.top() + static_cast<int>(std::lround(t * (bar.height() - 1)));
        const int top = std::clamp(y - lineHeight / 2, 0, height() - lineHeight);
        painter.drawText(QRect(x + 1, top, width() - x - 1, lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, shown.at(i));
    }
}

bool HeatLegend::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                           Text(figures_->scale() == HeatScale::Deviation ? TextId::HeatDeviationTip
                                                                          : TextId::HeatSpreadTip),
                           this);
        return true;
    }
    return QWidget::event(event);
}

void HeatLegend::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    FillScaleItems(&menu, figures_);
    menu.exec(event->globalPos());
}

HeatScaleMenu::HeatScaleMenu(WheelFigures* figures, QMenu* parent) : QMenu(parent) {
    setObjectName("mnuHeatScale");
    FillScaleItems(this, figures);
    const auto applyCaptions = [this] {
        setTitle(Text(TextId::MenuHeatScale));
        const QList<QAction*> items = actions();
        items.at(0)->setText(Text(TextId::HeatBySpread));
        items.at(1)->setText(Text(TextId::HeatByDeviation));
    };
    connect(parent, &QMenu::aboutToShow, this, applyCaptions);
    connect(figures, &WheelFigures::scaleChanged, this, [this](HeatScale scale) {
        actions().at(scale == HeatScale::Spread ? 0 : 1)->setChecked(true);
    });
    applyCaptions();
    parent->addSeparator();
    parent->addMenu(this);
}

}  // namespace spinalyst
